#include "Lists.h"

#include <algorithm>

#include "Format.h"

TList::~TList() { TList::Clear(); }

void TList::Error(const String& messageFormat, Integer data) { throw EListError(Format(messageFormat, {data})); }

void TList::CheckIndex(Integer index) const {
    if (index < 0 || index >= Count()) Error(L"List index out of bounds (%d)", index);
}

Integer TList::Add(void* item) {
    items_.push_back(item);
    if (item) Notify(item, lnAdded);
    return Count() - 1;
}

void TList::Insert(Integer index, void* item) {
    if (index < 0 || index > Count()) Error(L"List index out of bounds (%d)", index);
    items_.insert(items_.begin() + index, item);
    if (item) Notify(item, lnAdded);
}

void TList::Delete(Integer index) {
    CheckIndex(index);
    void* item = items_[size_t(index)];
    items_.erase(items_.begin() + index);
    if (item) Notify(item, lnDeleted);
}

Integer TList::Remove(void* item) {
    Integer index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
}

void* TList::Extract(void* item) {
    Integer index = IndexOf(item);
    if (index < 0) return nullptr;
    items_.erase(items_.begin() + index);
    if (item) Notify(item, lnExtracted);
    return item;
}

Integer TList::IndexOf(void* item) const {
    auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : Integer(found - items_.begin());
}

void* TList::Items(Integer index) const {
    CheckIndex(index);
    return items_[size_t(index)];
}

void TList::SetItems(Integer index, void* item) {
    CheckIndex(index);
    void* old = items_[size_t(index)];
    if (old == item) return;
    items_[size_t(index)] = item;
    if (old) Notify(old, lnDeleted);
    if (item) Notify(item, lnAdded);
}

void TList::SetCount(Integer newCount) {
    if (newCount < 0) Error(L"List count out of bounds (%d)", newCount);
    if (newCount > Count()) {
        items_.resize(size_t(newCount), nullptr);
        return;
    }
    for (Integer i = Count() - 1; i >= newCount; --i) Delete(i);
}

void TList::SetCapacity(Integer newCapacity) {
    if (newCapacity < Count()) Error(L"List capacity out of bounds (%d)", newCapacity);
    if (newCapacity > Capacity())
        items_.reserve(size_t(newCapacity));
    else
        items_.shrink_to_fit();
}

void TList::Clear() {
    SetCount(0);
    items_.shrink_to_fit();
}

void TList::Exchange(Integer index1, Integer index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(items_[size_t(index1)], items_[size_t(index2)]);
}

void TList::Move(Integer curIndex, Integer newIndex) {
    if (curIndex == newIndex) return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    void* item = items_[size_t(curIndex)];
    items_.erase(items_.begin() + curIndex);
    items_.insert(items_.begin() + newIndex, item);
}

void TList::Sort(const TListSortCompare& compare) {
    std::stable_sort(items_.begin(), items_.end(), [&](void* a, void* b) { return compare(a, b) < 0; });
}

void TList::Pack() {
    for (Integer i = Count() - 1; i >= 0; --i)
        if (!items_[size_t(i)]) items_.erase(items_.begin() + i);
}

TObjectList::~TObjectList() { Clear(); }

void TObjectList::Notify(void* item, TListNotification action) {
    if (ownsObjects_ && action == lnDeleted) FreeObject(static_cast<TObject*>(item));
}

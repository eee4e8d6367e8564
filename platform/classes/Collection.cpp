#include "Collection.h"

#include <algorithm>

#include "SysExceptions.h"

// ---- TCollectionItem -----------------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* collection) {
    // The class check of SetCollection cannot run here: the object is not yet its final class.
    if (collection) collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
    if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == collection_) return;
    if (collection && !InheritsFrom(collection->ItemClass()))
        throw EConvertError(L"Cannot assign a " + ClassName() + L" to a " + collection->ItemClass()->ClassName());
    if (collection_) collection_->RemoveItem(this);
    if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!collection_) return -1;
    auto& items = collection_->items_;
    return int(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
    int current = Index();
    if (current < 0 || current == index) return;
    auto& items = collection_->items_;
    index = std::clamp(index, 0, int(items.size()) - 1);
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    Changed(true);
}

void TCollectionItem::Changed(bool allItems) {
    if (collection_ && collection_->updateCount_ == 0) collection_->Update(allItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

String TCollectionItem::GetNamePath() const {
    if (!collection_) return ClassName();
    return collection_->GetNamePath() + L"[" + std::to_wstring(Index()) + L"]";
}

// ---- TCollection ---------------------------------------------------------------------------

TCollection::TCollection(TClass itemClass) : itemClass_(itemClass) {}

TCollection::~TCollection() {
    ++updateCount_;  // nobody is told about changes of a collection that is going away
    while (!items_.empty()) FreeObject(items_.back());
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) ListIndexError(index);
    return items_[size_t(index)];
}

TCollectionItem* TCollection::Add() {
    TObject* created = itemClass_->CreateInCollection(this);
    return static_cast<TCollectionItem*>(created);
}

TCollectionItem* TCollection::Insert(int index) {
    if (index < 0 || index > Count()) ListIndexError(index);
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) {
    TCollectionItem* item = Items(index);
    Notify(item, cnDeleting);
    FreeObject(item);
}

void TCollection::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    try {
        while (!items_.empty()) FreeObject(items_.back());
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(Integer id) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == id) return item;
    return nullptr;
}

void TCollection::EndUpdate() {
    Assert(updateCount_ > 0, L"Unbalanced Begin/EndUpdate");
    --updateCount_;
    Changed();
}

void TCollection::Changed() {
    if (updateCount_ == 0) Update(nullptr);
}

void TCollection::Assign(TPersistent* source) {
    auto* other = As<TCollection>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : other->items_) Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::InsertItem(TCollectionItem* item) {
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
    Notify(item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    Notify(item, cnExtracting);
    std::erase(items_, item);
    item->collection_ = nullptr;
    Changed();
}

String TCollection::PropName() const {
    TPersistent* owner = GetOwner();
    if (!owner) return {};
    for (const TPropInfo* p : owner->PublishedTable().Properties())
        if (p->Kind == tkClass && p->GetObject(owner) == this) return p->Name;
    return {};
}

String TCollection::GetNamePath() const {
    TPersistent* owner = GetOwner();
    if (!owner) return ClassName();
    String ownerPath = owner->GetNamePath();
    String prop = PropName();
    if (ownerPath.empty() || prop.empty()) return ClassName();
    return ownerPath + L"." + prop;
}

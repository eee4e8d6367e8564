#include "RzPidlList.h"

#include <algorithm>
#include <cstring>

#include "RzShellUtils.h"

TRzPidlList::TRzPidlList() : list_(new TList) {}

TRzPidlList::~TRzPidlList() {
    Clear();
    delete list_;
}

int TRzPidlList::Compare(const ITEMIDLIST* a, const ITEMIDLIST* b) const {
    if (shellFolder_) {
        HRESULT result = shellFolder_->CompareIDs(0, a, b);
        return SmallInt(HRESULT_CODE(result));
    }
    Integer sizeA = PidlSize(a), sizeB = PidlSize(b);
    int common = std::min(sizeA, sizeB);
    auto* bytesA = reinterpret_cast<const Byte*>(a);
    auto* bytesB = reinterpret_cast<const Byte*>(b);
    for (int i = 0; i < common; ++i)
        if (bytesA[i] != bytesB[i]) return int(bytesA[i]) - int(bytesB[i]);
    return sizeA - sizeB;
}

Integer TRzPidlList::Add(ITEMIDLIST* pidl) { return AddObject(pidl, nullptr); }

Integer TRzPidlList::AddObject(ITEMIDLIST* pidl, void* data) {
    Integer index = Count();
    if (sorted_ && Find(pidl, index)) {
        if (duplicates_ == dupIgnore) return index;
        if (duplicates_ == dupError) throw Exception(L"TRzPidlList: Duplicate PIDL");
    }
    Insert(index, pidl, data);
    return index;
}

void TRzPidlList::Insert(Integer index, ITEMIDLIST* pidl, void* data) {
    auto* entry = new TEntry{pidl, data};
    try {
        list_->Insert(index, entry);
    } catch (...) {
        delete entry;
        throw;
    }
}

void TRzPidlList::Delete(Integer index) {
    TEntry* entry = Entry(index);
    if (malloc_ && entry->pidl) malloc_->Free(entry->pidl);
    delete entry;
    list_->Delete(index);
}

void TRzPidlList::Clear() {
    for (Integer i = Count() - 1; i >= 0; --i) Delete(i);
    list_->Clear();
}

bool TRzPidlList::Find(const ITEMIDLIST* pidl, Integer& index) {
    bool found = false;
    Integer low = 0, high = Count() - 1;
    while (low <= high) {
        Integer middle = (low + high) / 2;
        int order = Compare(Entry(middle)->pidl, pidl);
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (order == 0) {
                found = true;
                if (duplicates_ != dupAccept) low = middle;
            }
        }
    }
    index = low;
    return found;
}

Integer TRzPidlList::IndexOf(const ITEMIDLIST* pidl) {
    if (sorted_) {
        Integer index = -1;
        return Find(pidl, index) ? index : -1;
    }
    for (Integer i = 0; i < Count(); ++i)
        if (Compare(Entry(i)->pidl, pidl) == 0) return i;
    return -1;
}

void TRzPidlList::Sort() {
    list_->Sort(
        [this](void* a, void* b) { return Compare(static_cast<TEntry*>(a)->pidl, static_cast<TEntry*>(b)->pidl); });
}

void TRzPidlList::SetSorted(bool value) {
    if (sorted_ == value) return;
    if (value) Sort();
    sorted_ = value;
}

ITEMIDLIST* TRzPidlList::Pidls(Integer index) const { return Entry(index)->pidl; }
void* TRzPidlList::Objects(Integer index) const { return Entry(index)->data; }

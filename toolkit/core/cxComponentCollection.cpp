#include "cxComponentCollection.h"

#include <algorithm>

TcxComponentCollection::TcxComponentCollection(TComponent* parentComponent, TClass itemClass)
    : itemClass_(itemClass), parentComponent_(parentComponent) {}

TcxComponentCollection::~TcxComponentCollection() {
    updateCount_ = 1;  // no reports while the items go
    DeleteAll();
}

TcxComponentCollectionItem* TcxComponentCollection::AddNew() {
    TComponent* owner = parentComponent_ ? parentComponent_->Owner() : nullptr;
    auto* item = static_cast<TcxComponentCollectionItem*>(itemClass_->Create(owner));
    try {
        item->SetParentComponent(parentComponent_);
        AssignItemName(item);
    } catch (...) {
        FreeObject(item);
        throw;
    }
    return item;
}

void TcxComponentCollection::DeleteAll() {
    if (items_.empty()) return;
    LockUpdates();
    try {
        while (!items_.empty()) {
            size_t before = items_.size();
            TcxComponentCollectionItem* last = items_.back();
            FreeObject(last);
            // An item whose destructor did not detach it must not make this loop endless.
            if (items_.size() == before) items_.pop_back();
        }
    } catch (...) {
        UnlockUpdates(true);
        throw;
    }
    UnlockUpdates(true);
}

void TcxComponentCollection::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TcxComponentCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    LockUpdates();
    try {
        DeleteAll();
        for (int i = 0; i < other->ItemCount(); ++i) AddNew()->Assign(other->ItemAt(i));
    } catch (...) {
        UnlockUpdates(true);
        throw;
    }
    UnlockUpdates(true);
}

int TcxComponentCollection::IndexOf(const TcxComponentCollectionItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

void TcxComponentCollection::LockUpdates() { ++updateCount_; }

void TcxComponentCollection::UnlockUpdates(bool force) {
    --updateCount_;
    if (force) ReportChange(nullptr, itemChanged);
}

void TcxComponentCollection::HandleChange(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) {
    if (OnChange.Assigned()) OnChange(this, item, action);
}

void TcxComponentCollection::ReportChange(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) {
    if (updateCount_ == 0) HandleChange(item, action);
}

void TcxComponentCollection::AttachItem(TcxComponentCollectionItem* item) {
    if (!item || !itemClass_ || !item->InheritsFrom(itemClass_)) return;
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
    ItemNotify(item, itemAdded);
    ReportChange(item, itemAdded);
}

void TcxComponentCollection::DetachItem(TcxComponentCollectionItem* item) {
    ItemNotify(item, itemRemoving);
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it != items_.end()) items_.erase(it);
    item->collection_ = nullptr;
    ItemNotify(item, itemRemoved);
    ReportChange(item, itemRemoved);
}

void TcxComponentCollection::MoveItem(TcxComponentCollectionItem* item, int index) {
    int current = IndexOf(item);
    if (current < 0 || index < 0 || index >= ItemCount() || index == current) return;
    items_.erase(items_.begin() + current);
    items_.insert(items_.begin() + index, item);
    ReportChange(nullptr, itemChanged);
}

// ---- TcxComponentCollectionItem -----------------------------------------------------------

void TcxComponentCollectionItem::BeforeDestruction() {
    TComponent::BeforeDestruction();
    MoveToCollection(nullptr);
}

TcxComponentCollectionItem::~TcxComponentCollectionItem() {
    if (collection_) collection_->DetachItem(this);
}

void TcxComponentCollectionItem::MoveToCollection(TcxComponentCollection* collection) {
    if (collection == collection_) return;
    if (collection_) collection_->DetachItem(this);
    if (collection) collection->AttachItem(this);
}

void TcxComponentCollectionItem::MoveToIndex(int index) {
    if (collection_) collection_->MoveItem(this, index);
}

void TcxComponentCollectionItem::NotifyChanged(bool all) {
    if (ComponentState().Contains(csDestroying) || !collection_) return;
    collection_->ReportChange(all ? nullptr : this, itemChanged);
}

TComponent* TcxComponentCollectionItem::GetParentComponent() const {
    return collection_ ? collection_->ParentComponent() : TComponent::GetParentComponent();
}

void TcxComponentCollectionItem::AttachToParentComponent(TComponent* parent) {
    MoveToCollection(parent ? CollectionFromParent(parent) : nullptr);
}

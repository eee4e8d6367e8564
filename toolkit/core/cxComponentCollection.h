#pragma once
// A collection of components (the model of bars and ribbon tabs): items are components owned by
// a form that put themselves into the collection of their parent component.

#include <vector>

#include "Component.h"
#include "Events.h"

enum TcxComponentCollectionNotification { itemAdded, itemChanged, itemRemoving, itemRemoved, itemDeleted };

class TcxComponentCollection;
class TcxComponentCollectionItem;

// Item nil with itemChanged: the collection as a whole changed.
using TcxComponentCollectionChangeEvent =
    TEvent<void(TObject* sender, TcxComponentCollectionItem* item, TcxComponentCollectionNotification action)>;

class TcxComponentCollection : public TPersistent {
    Z_CLASS(TcxComponentCollection, TPersistent)
public:
    TcxComponentCollection(TComponent* parentComponent, TClass itemClass);
    ~TcxComponentCollection() override;

    TcxComponentCollectionItem* AddNew();
    void DeleteAll();
    void Assign(TPersistent* source) override;

    int ItemCount() const { return int(items_.size()); }
    TcxComponentCollectionItem* ItemAt(int index) const { return items_.at(size_t(index)); }
    int IndexOf(const TcxComponentCollectionItem* item) const;
    TClass ItemClass() const { return itemClass_; }
    TComponent* ParentComponent() const { return parentComponent_; }
    int NextID() const { return nextId_; }
    int UpdateCount() const { return updateCount_; }
    TPersistent* GetOwner() const override { return parentComponent_; }

    virtual void LockUpdates();
    virtual void UnlockUpdates(bool force = true);

    TcxComponentCollectionChangeEvent OnChange;

protected:
    friend class TcxComponentCollectionItem;
    virtual void ItemNotify(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) {
        (void)item, (void)action;
    }
    virtual void AssignItemName(TcxComponentCollectionItem* item) { (void)item; }
    virtual void HandleChange(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action);
    void ReportChange(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action);
    void AttachItem(TcxComponentCollectionItem* item);
    void DetachItem(TcxComponentCollectionItem* item);
    void MoveItem(TcxComponentCollectionItem* item, int index);

private:
    std::vector<TcxComponentCollectionItem*> items_;
    TClass itemClass_;
    int nextId_ = 0;
    TComponent* parentComponent_;
    int updateCount_ = 0;
};

class TcxComponentCollectionItem : public TComponent {
    Z_CLASS(TcxComponentCollectionItem, TComponent)
public:
    explicit TcxComponentCollectionItem(TComponent* owner) : TComponent(owner) {}
    ~TcxComponentCollectionItem() override;
    void BeforeDestruction() override;

    TcxComponentCollection* Collection() const { return collection_; }
    int ID() const { return id_; }
    int IndexInCollection() const { return collection_ ? collection_->IndexOf(this) : -1; }

    virtual String GetDisplayText() const { return Name(); }
    virtual void MoveToCollection(TcxComponentCollection* collection);
    virtual void MoveToIndex(int index);
    void NotifyChanged(bool all = false);

    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return GetParentComponent() != nullptr; }
    void SetParentComponent(TComponent* parent) override { AttachToParentComponent(parent); }

protected:
    // The collection in which a parent keeps items of this class.
    virtual TcxComponentCollection* CollectionFromParent(TComponent* parent) = 0;
    void AttachToParentComponent(TComponent* parent);

private:
    friend class TcxComponentCollection;
    TcxComponentCollection* collection_ = nullptr;
    int id_ = 0;
};

#pragma once
// Collection items that borrow the lifetime of their collection's interface, and an owned
// collection that answers interface queries and reports changes of its items.

#include "Collection.h"
#include "Events.h"
#include "Interfaces.h"

class TcxInterfacedCollectionItem : public TCollectionItem, public virtual IInterface {
    Z_CLASS(TcxInterfacedCollectionItem, TCollectionItem)
public:
    explicit TcxInterfacedCollectionItem(TCollection* collection);
    // Forwarded to the collection's interface; -1 when it has none.
    Integer _AddRef() override { return collectionInterface_ ? collectionInterface_->_AddRef() : -1; }
    Integer _Release() override { return collectionInterface_ ? collectionInterface_->_Release() : -1; }

private:
    IInterface* collectionInterface_ = nullptr;
};

using TcxOwnedCollectionChangeEvent = TEvent<void(TObject* sender, TCollectionItem* item)>;

class TcxOwnedInterfacedCollection : public TOwnedCollection, public virtual IInterface {
    Z_CLASS(TcxOwnedInterfacedCollection, TOwnedCollection)
public:
    TcxOwnedInterfacedCollection(TPersistent* owner, TClass itemClass) : TOwnedCollection(owner, itemClass) {}
    ~TcxOwnedInterfacedCollection() override;
    void BeforeDestruction() override;

    Integer _AddRef() override { return -1; }
    Integer _Release() override { return -1; }
    bool IsDestroying() const { return destroying_; }

    TcxOwnedCollectionChangeEvent OnChange;

protected:
    void Update(TCollectionItem* item) override;

private:
    bool destroying_ = false;
};

#pragma once
// TCollection and TCollectionItem: an owned, ordered list of items of one class, each with its
// own published properties, streamed inside the property of the object that owns the collection.
// TOwnedCollection names that owner for streaming and name paths.

#include <vector>

#include "Persistent.h"
#include "TypInfo.h"

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
    Z_CLASS(TCollectionItem, TPersistent)
public:
    // Joins collection (when not null) as its last item.
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    // Moves the item from its collection to another one (or to none).
    virtual void SetCollection(TCollection* collection);
    // The creation sequence number within the collection; never reused.
    Integer ID() const { return id_; }
    int Index() const;                 // -1 without a collection
    virtual void SetIndex(int index);  // moves the item; the collection hears Update(nil)
    virtual String DisplayName() const { return ClassName(); }
    virtual void SetDisplayName(const String&) {}

    TPersistent* GetOwner() const override;
    // "<collection path>[<index>]".
    String GetNamePath() const override;

protected:
    // Tells the collection that this item (or, with allItems, the whole collection) changed,
    // unless the collection is inside BeginUpdate/EndUpdate.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    Integer id_ = 0;
};

class TCollection : public TPersistent {
    Z_CLASS(TCollection, TPersistent)
public:
    explicit TCollection(TClass itemClass);
    ~TCollection() override;

    TClass ItemClass() const { return itemClass_; }
    int Count() const { return int(items_.size()); }
    TCollectionItem* Items(int index) const;  // raises EListError when out of range
    void SetItem(int index, TCollectionItem* value) { Items(index)->Assign(value); }

    // A new item of ItemClass at the end, or at index.
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(Integer id) const;

    // Changes inside a bracket end in one Update(nil) when the outermost bracket closes.
    virtual void BeginUpdate() { ++updateCount_; }
    virtual void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Replaces the items with copies of source's (another collection); others raise.
    void Assign(TPersistent* source) override;

    // "<owner path>.<property name>" when the owner publishes this collection; the class name
    // otherwise.
    String GetNamePath() const override;
    // The name of the owner's property that holds this collection, or empty.
    String PropName() const;

protected:
    friend class TCollectionItem;
    // Called after a change to item (null: to the collection as a whole).
    virtual void Update(TCollectionItem*) {}
    virtual void Notify(TCollectionItem*, TCollectionNotification) {}
    void Changed();

private:
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);

    TClass itemClass_;
    std::vector<TCollectionItem*> items_;
    Integer nextId_ = 0;
    int updateCount_ = 0;
};

class TOwnedCollection : public TCollection {
    Z_CLASS(TOwnedCollection, TCollection)
public:
    TOwnedCollection(TPersistent* owner, TClass itemClass) : TCollection(itemClass), owner_(owner) {}
    TPersistent* GetOwner() const override { return owner_; }

private:
    TPersistent* owner_;
};

#pragma once
// TXCollection: an owned list of items of different classes, all derived from TXCollectionItem,
// stored in a form description with the component writer and reader: each item after its class
// name, or after the position of its class among those already written. Reading creates each
// item from a process-wide registry of item classes. A collection decides which item classes
// it accepts (uniqueness, the item class's own veto).
//
// Items are created through their class reference, which lets the collection refuse them:
//     TMyBehaviour::StaticClass()->CreateItem(behaviours);

#include "Events.h"
#include "Lists.h"
#include "PersistentObject.h"

class TReader;
class TWriter;
class TXCollection;
class TXCollectionItem;

// The class reference of item classes: the virtual constructor and the class-level operations.
class TXCollectionItemMeta : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    // A new item appended to owner (which may be null). Fails an assertion, creating nothing,
    // when owner does not accept the class.
    TXCollectionItem* CreateItem(TXCollection* owner) const;
    virtual String ClassCaption() const = 0;
    virtual String ClassDescription() const = 0;
    virtual String ClassCategory() const = 0;
    // Whether a collection may hold only one item of this class (descendants included).
    virtual bool IsUnique() const = 0;
    virtual bool CanAddTo(TXCollection* collection) const = 0;

protected:
    virtual TXCollectionItem* NewItem(TXCollection* owner) const = 0;
};
using TXCollectionItemClass = const TXCollectionItemMeta*;

// Forwards to the static class-level operations of C (inherited ones included).
template <class C>
class TMetaClassOf<TXCollectionItemMeta, C> final : public TXCollectionItemMeta {
public:
    using TXCollectionItemMeta::TXCollectionItemMeta;
    String ClassCaption() const override { return C::ClassCaption(); }
    String ClassDescription() const override {
        String description = C::ClassDescription();
        return description.empty() ? C::ClassCaption() : description;
    }
    String ClassCategory() const override { return C::ClassCategory(); }
    bool IsUnique() const override { return C::IsUnique(); }
    bool CanAddTo(TXCollection* collection) const override { return C::CanAddTo(collection); }

protected:
    TXCollectionItem* NewItem(TXCollection* owner) const override;
};

class TXCollectionItem : public TGLInterfacedPersistent {
    Z_CLASS_FAMILY(TXCollectionItem, TGLInterfacedPersistent, TXCollectionItemMeta)
public:
    // Appends itself to owner when owner is not null; CreateItem also checks acceptance and
    // names the item after its class's caption.
    explicit TXCollectionItem(TXCollection* owner);
    // Leaves its owner's list.
    ~TXCollectionItem() override;

    // Class-level operations; an item class overrides them with statics of its own.
    static String ClassCaption() { return {}; }
    static String ClassDescription() { return {}; }  // empty: the caption
    static String ClassCategory() { return {}; }
    static bool IsUnique() { return false; }
    static bool CanAddTo(TXCollection*) { return true; }

    TXCollection* Owner() const { return owner_; }
    const String& Name() const { return name_; }
    virtual void SetName(const String& value) { name_ = value; }
    // Position in the owner's list; -1 without an owner.
    Integer Index() const;

    // From any item: the name.
    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() const override;
    // "<collection path>[<index>]" with an owner.
    String GetNamePath() const override;

    // The item's own data: archive version 0, then the name.
    virtual void WriteToWriter(TWriter* writer);
    virtual void ReadFromReader(TReader* reader);
    // Called once the form holding the collection is read; nothing in the base.
    virtual void NotifyLoaded() {}

private:
    friend class TXCollection;
    TXCollection* owner_;
    String name_;
};

class TXCollection : public TPersistent {
    Z_CLASS(TXCollection, TPersistent)
public:
    explicit TXCollection(TPersistent* owner);
    // Tells XCollectionDestroyed, then frees the items.
    ~TXCollection() override;

    TPersistent* Owner() const { return owner_; }
    Integer Count() const { return count_; }
    // Raises EListError for an index out of range.
    TXCollectionItem* GetItem(Integer index) const { return static_cast<TXCollectionItem*>(list_.Items(index)); }
    TXCollectionItem* operator[](Integer index) const { return GetItem(index); }
    // Frees every item.
    void Clear();

    virtual TXCollectionItemClass BaseItemClass() const { return TXCollectionItem::StaticClass(); }
    // False when the class vetoes this collection, when it is unique and an item of it (or of a
    // descendant) is present, or when it descends from the class of a present unique item.
    virtual bool AcceptsItemClass(TXCollectionItemClass itemClass) const;

    // From a collection of exactly this class: copies of its items; null empties.
    void Assign(TPersistent* source) override;
    void NotifyItemsLoaded();
    TPersistent* GetOwner() const override { return owner_; }
    // "<owner path>.XCollection", or the class name without an owner path.
    String GetNamePath() const override;

    // The item count, then each item after its class name or class position.
    virtual void WriteToWriter(TWriter* writer);
    // Replaces the items. On failure the items read before stay.
    virtual void ReadFromReader(TReader* reader);

private:
    friend class TXCollectionItem;
    TPersistent* owner_;
    TList list_;
    Integer count_ = 0;
};

// The registry of item classes that collections read by name. Registering a class twice keeps
// one entry.
void RegisterXCollectionItemClass(TXCollectionItemClass itemClass);
void UnregisterXCollectionItemClass(TXCollectionItemClass itemClass);
// The registered class of exactly that name (letter case counts); null when none.
TXCollectionItemClass FindXCollectionItemClass(const String& name);

// When set, every collection calls it with itself as it is destroyed.
using TXCollectionDestroyedEvent = TEvent<void(TXCollection* collection)>;
extern TXCollectionDestroyedEvent XCollectionDestroyed;

template <class C>
TXCollectionItem* TMetaClassOf<TXCollectionItemMeta, C>::NewItem(TXCollection* owner) const {
    if constexpr (std::is_abstract_v<C> || !std::is_constructible_v<C, TXCollection*>)
        throw EInvalidOperation(L"Cannot create an instance of " + ClassName());
    else
        return new C(owner);
}

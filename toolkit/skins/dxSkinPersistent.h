#pragma once
// The bases of the skin model: a named object with an owner and a change event, and a named
// object with a list of typed properties, an update lock and the change road.
//
// The change road: a child's DoChange fires its OnChange, which is its parent's ChildChanged,
// which calls the parent's Changed; Changed marks the names unsorted and, unless an update is
// open, calls DoChange, and so on up to the skin, which tells its listeners.
//
// Names are compared with the user's locale, case-sensitively (CompareSkinNames). Lists are not
// kept sorted while they change; a lookup sorts them first and then searches by halves.

#include "Lists.h"
#include "Persistent.h"
#include "dxSkinsTypes.h"

class TStream;

// <0, 0, >0 as a sorts before, equal to or after b in the user's default locale.
int CompareSkinNames(const String& a, const String& b);

// ---- TdxSkinCustomPersistentObject ---------------------------------------------------------

class TdxSkinCustomPersistentObject : public TPersistent {
    Z_CLASS_FAMILY(TdxSkinCustomPersistentObject, TPersistent, TdxSkinObjectMeta)
    Z_PUBLISHED {
        p.Property(L"Name", &TdxSkinCustomPersistentObject::Name, &TdxSkinCustomPersistentObject::SetName);
        p.Event(L"OnChange", &TdxSkinCustomPersistentObject::OnChange);
    }

public:
    explicit TdxSkinCustomPersistentObject(TPersistent* owner, const String& name = String());

    const String& Name() const { return name_; }
    void SetName(const String& value) { name_ = value; }
    TPersistent* GetOwner() const override { return owner_; }
    void SetOwner(TPersistent* owner) { owner_ = owner; }

    // Fires OnChange with this object as the sender.
    virtual void DoChange();
    // A new object of this class with this name and no owner, holding a copy of this one; the
    // caller owns it.
    virtual TdxSkinCustomPersistentObject* Clone();

    TNotifyEvent OnChange;

protected:
    TPersistent* owner_;
    String name_;
};

// ---- TdxSkinPersistent ---------------------------------------------------------------------

class TdxSkinPersistent : public TdxSkinCustomPersistentObject {
    Z_CLASS(TdxSkinPersistent, TdxSkinCustomPersistentObject)
public:
    explicit TdxSkinPersistent(TPersistent* owner, const String& name = String());
    ~TdxSkinPersistent() override;

    // Adds clones of the source's properties (the existing ones stay) inside an update bracket.
    void Assign(TPersistent* source) override;

    // A new property of the class, added; EInvalidOperation for a class that is no property.
    TdxSkinProperty* AddProperty(const String& name, TdxSkinObjectClass propertyClass);
    TdxSkinProperty* GetPropertyByName(const String& name);
    int PropertyCount() const { return properties_.Count(); }
    TdxSkinProperty* Properties(int index) const { return properties_.Items(index); }

    void BeginUpdate();
    // Closing the outermost bracket reports one change.
    void EndUpdate();
    // Runs body inside an update bracket, which closes also when body raises.
    template <class F>
    void WithinUpdate(F body) {
        BeginUpdate();
        try {
            body();
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    }
    int LockCount() const { return lockCount_; }
    bool Sorted() const { return sorted_; }

    virtual void Changed();
    // Sorts the name lists.
    virtual void Sort();
    // The handler every child's OnChange points to.
    virtual void ChildChanged(TObject* sender);
    // Removes the property from the list and, when it was there, frees it and reports a change.
    virtual void DeleteProperty(TdxSkinProperty* item);

    // The property list of the stream format: a count, then each property's record.
    void ReadProperties(TStream* stream);
    void WriteProperties(TStream* stream);
    // Same count and pairwise equal properties in list order.
    bool ArePropertiesEqual(TdxSkinPersistent* other);

protected:
    // A new child of a class of the kind T, made through the class's virtual constructor and
    // adopted; EInvalidOperation for a class of another kind.
    template <class T>
    T* AddChildOfClass(TTypedObjectList<T>& list, TdxSkinObjectClass cls, const String& name) {
        if (!cls || !cls->InheritsFrom(T::StaticClass()))
            throw EInvalidOperation(L"Not a class of " + T::StaticClass()->ClassName());
        return AdoptChild(list, static_cast<T*>(cls->CreateObject(this, name)));
    }
    // Makes child this object's: owner, change handler, appended to the list; then Changed.
    template <class T>
    T* AdoptChild(TTypedObjectList<T>& list, T* child) {
        child->SetOwner(this);
        child->OnChange = MakeEvent(this, &TdxSkinPersistent::ChildChanged);
        list.Add(child);
        Changed();
        return child;
    }
    // Sorts the lists once after a change.
    void CheckSorted();
    void ClearProperties() { properties_.Clear(); }

private:
    friend class TdxSkinNotificationLock;
    int lockCount_ = 0;
    TTypedObjectList<TdxSkinProperty> properties_;
    bool sorted_ = false;
};

// Raises the lock of an object for its lifetime and lowers it again without a notification, so
// that what happens meanwhile reports no change of that object.
class TdxSkinNotificationLock {
public:
    explicit TdxSkinNotificationLock(TdxSkinPersistent* object) : object_(object) { ++object_->lockCount_; }
    ~TdxSkinNotificationLock() { --object_->lockCount_; }
    TdxSkinNotificationLock(const TdxSkinNotificationLock&) = delete;
    TdxSkinNotificationLock& operator=(const TdxSkinNotificationLock&) = delete;

private:
    TdxSkinPersistent* object_;
};

// ---- sorted name lists ---------------------------------------------------------------------

template <class T>
void SortSkinObjects(TTypedObjectList<T>& list) {
    list.Sort(
        [](void* a, void* b) { return CompareSkinNames(static_cast<T*>(a)->Name(), static_cast<T*>(b)->Name()); });
}

// The object of that name in a list sorted by SortSkinObjects, or null.
template <class T>
T* FindSkinObject(const TTypedObjectList<T>& list, const String& name) {
    int low = 0, high = list.Count() - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = CompareSkinNames(list.Items(middle)->Name(), name);
        if (order == 0) return list.Items(middle);
        if (order < 0)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return nullptr;
}

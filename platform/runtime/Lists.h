#pragma once
// Pointer lists: TList, the owning TObjectList and typed views of both.
//
// Every index is checked; a bad one raises EListError "List index out of bounds (%d)". A
// descendant learns of every pointer that enters or leaves the list through Notify, which is how
// TObjectList frees what it owns.

#include <functional>
#include <vector>

#include "SysExceptions.h"
#include "SysObject.h"

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// <0 when item1 comes first, 0 when equal, >0 when item2 comes first.
using TListSortCompare = std::function<int(void* item1, void* item2)>;

class TList : public TObject {
    Z_CLASS(TList, TObject)
public:
    TList() = default;
    ~TList() override;  // clears; descendants that free items in Notify clear in their own destructor

    Integer Add(void* item);
    void Insert(Integer index, void* item);
    void Delete(Integer index);
    // Deletes the first occurrence; returns its former index or -1.
    Integer Remove(void* item);
    // Takes the first occurrence out without deleting it (lnExtracted); returns it or null.
    void* Extract(void* item);
    Integer IndexOf(void* item) const;
    void* Items(Integer index) const;
    void SetItems(Integer index, void* item);
    void* operator[](Integer index) const { return Items(index); }
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }

    Integer Count() const { return Integer(items_.size()); }
    // Growing adds null pointers; shrinking deletes from the end.
    void SetCount(Integer newCount);
    Integer Capacity() const { return Integer(items_.capacity()); }
    void SetCapacity(Integer newCapacity);

    virtual void Clear();
    void Exchange(Integer index1, Integer index2);
    void Move(Integer curIndex, Integer newIndex);
    // Stable: equal items keep their order.
    void Sort(const TListSortCompare& compare);
    // Removes every null pointer.
    void Pack();

    // Raises EListError with the message formatted with the index.
    [[noreturn]] static void Error(const String& messageFormat, Integer data);

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

protected:
    // Called after an item entered (lnAdded), or after it left the list (lnExtracted, lnDeleted).
    // Null pointers are not reported.
    virtual void Notify(void* item, TListNotification action) {}
    void CheckIndex(Integer index) const;

private:
    std::vector<void*> items_;
};

// A list of objects that frees the objects it deletes while OwnsObjects is set (the default).
// Extract hands an object out without freeing it.
class TObjectList : public TList {
    Z_CLASS(TObjectList, TList)
public:
    explicit TObjectList(bool ownsObjects = true) : ownsObjects_(ownsObjects) {}
    ~TObjectList() override;

    bool OwnsObjects() const { return ownsObjects_; }
    void SetOwnsObjects(bool value) { ownsObjects_ = value; }

    Integer Add(TObject* object) { return TList::Add(object); }
    void Insert(Integer index, TObject* object) { TList::Insert(index, object); }
    Integer Remove(TObject* object) { return TList::Remove(object); }
    TObject* Extract(TObject* object) { return static_cast<TObject*>(TList::Extract(object)); }
    Integer IndexOf(TObject* object) const { return TList::IndexOf(object); }
    TObject* Items(Integer index) const { return static_cast<TObject*>(TList::Items(index)); }
    void SetItems(Integer index, TObject* object) { TList::SetItems(index, object); }
    TObject* operator[](Integer index) const { return Items(index); }
    TObject* First() const { return Items(0); }
    TObject* Last() const { return Items(Count() - 1); }

protected:
    void Notify(void* item, TListNotification action) override;

private:
    bool ownsObjects_;
};

// Typed views: the same lists, with the casts written once.
//     TTypedObjectList<TGLLight> lights;   // owns its lights
template <class T, class Base>
class TTypedListOf : public Base {
public:
    using Base::Base;
    Integer Add(T* item) { return Base::Add(item); }
    void Insert(Integer index, T* item) { Base::Insert(index, item); }
    Integer Remove(T* item) { return Base::Remove(item); }
    T* Extract(T* item) { return static_cast<T*>(Base::Extract(item)); }
    Integer IndexOf(T* item) const { return Base::IndexOf(item); }
    T* Items(Integer index) const { return static_cast<T*>(Base::Items(index)); }
    void SetItems(Integer index, T* item) { Base::SetItems(index, item); }
    T* operator[](Integer index) const { return Items(index); }
    T* First() const { return Items(0); }
    T* Last() const { return Items(this->Count() - 1); }
};

template <class T>
using TTypedList = TTypedListOf<T, TList>;
template <class T>
using TTypedObjectList = TTypedListOf<T, TObjectList>;

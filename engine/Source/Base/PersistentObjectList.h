#pragma once
// TPersistentObjectList: a growable list of object references (entries may be null) that stores
// a list of persistent objects of mixed classes by class name. It is also the engine's plain
// reference list. It frees its items only when asked to (FreeItems, Clean, CleanFree), and
// checks indexes only where it says so.

#include "Events.h"
#include "PersistentObject.h"

// The block of an engine list resized to count items, the first ones kept; count 0 frees it.
// A negative count raises EListError; out of memory raises EOutOfResources and leaves the old
// block as it was.
void* ReallocListBlock(void* block, Integer count, size_t itemSize);

// Called for each object created while a list is read, before the object reads itself.
using TPersistentObjectCreatedEvent = TEvent<void(TObject* item)>;

class TPersistentObjectList : public TPersistentObject {
    Z_CLASS(TPersistentObjectList, TPersistentObject)
public:
    TPersistentObjectList() = default;
    ~TPersistentObjectList() override;  // clears; the items are not freed

    Integer Count() const { return count_; }
    Integer Capacity() const { return capacity_; }
    Integer GrowthDelta() const { return growthDelta_; }
    void SetGrowthDelta(Integer value) { growthDelta_ = value; }
    // The block of references, for passing the list on without a copy.
    TObject** List() const { return items_; }

    Integer Add(TObject* item);
    void Insert(Integer index, TObject* item);
    void Delete(Integer index);
    TObject* GetItem(Integer index) const { return items_[index]; }
    void SetItem(Integer index, TObject* item) { items_[index] = item; }
    TObject* operator[](Integer index) const { return items_[index]; }
    Integer IndexOf(const TObject* item) const;
    Integer Remove(TObject* item);
    // Below the count, the count follows.
    void SetCapacity(Integer value);
    // New entries are null.
    void SetCount(Integer value);
    void Clear();
    // The last entry, taken out; null on an empty list.
    TObject* Pop();
    // Frees every item, last first; the (dangling) entries stay.
    void FreeItems();
    void Clean();  // FreeItems, then Clear
    // Clean, then frees the list; nothing on a null list.
    static void CleanFree(TPersistentObjectList*& list);

    // EListError "Invalid list index", for descendants that check their indexes.
    [[noreturn]] virtual void IndexError(Integer index) const;

    void WriteToArchive(TVirtualWriter* writer) override;
    // Frees the old items first. On failure the items read so far stay in the list.
    void ReadFromArchive(TVirtualReader* reader) override;
    void ReadItemsFromArchive(TVirtualReader* reader, const TPersistentObjectCreatedEvent& itemCreated);

protected:
    // Each object created while reading, before it reads itself.
    virtual void ItemCreated(TObject* item) {}

private:
    void Grow();

    TObject** items_ = nullptr;
    Integer count_ = 0;
    Integer capacity_ = 0;
    Integer growthDelta_ = 16;
};

// Reads the list archive of a list of owned objects, refusing empty entries with EReadError
// "<list class>, a <item kind> is missing": everything that walks such a list expects an object
// in every entry. The items read before a failure stay, without empty entries.
void ReadListWithoutEmptyEntries(TPersistentObjectList* list, TVirtualReader* reader, const String& itemKind);

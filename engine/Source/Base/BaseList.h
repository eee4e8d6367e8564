#pragma once
// TBaseList: a growable array of fixed-size items in one contiguous block, so that a list can be
// handed to OpenGL as a vertex array and copied with one move. TBaseVectorList adds operations
// on the x, y, z (the first three singles) of every item.
//
// A list archives itself as version 0, count, item size and the raw bytes of the items; in a
// form description it is the property "Items", the hexadecimal text of that archive.

#include "PersistentObject.h"
#include "VectorTypes.h"

class TReader;
class TWriter;

enum TBaseListOption { bloZeroNewItems = 1 };

class TBaseList : public TPersistentObject {
    Z_CLASS(TBaseList, TPersistentObject)
public:
    ~TBaseList() override;

    Integer Count() const { return count_; }
    // Grows to exactly value when needed; new items are zero while bloZeroNewItems is set.
    void SetCount(Integer value);
    Integer Capacity() const { return capacity_; }
    // Reallocates to exactly value items, keeping the first ones; a count above it follows it
    // down. Out of memory leaves the list as it was.
    virtual void SetCapacity(Integer value);
    Integer GrowthDelta() const { return growthDelta_; }
    void SetGrowthDelta(Integer value) { growthDelta_ = value; }
    Integer ItemSize() const { return itemSize_; }
    Integer Options() const { return options_; }
    void SetOptions(Integer value) { options_ = value; }

    void ReserveCapacity(Integer value);
    // Appends count zeroed items whatever the options.
    void AppendZeroed(Integer count);
    // Count 0, the block stays.
    void ResetCount() { SetCount(0); }
    void Clear();

    // The raw block and the address of item i.
    void* BaseList() const { return data_; }
    Byte* ItemAddress(Integer index) const { return data_ + size_t(index) * size_t(itemSize_); }
    // A buffer of one item, allocated on first use.
    void* ScratchItem();
    void Exchange(Integer index1, Integer index2);
    void Reverse();

    // From another list: its count, growth delta and, when it is of this list's class, its
    // items (items of another class read as zero). A null source empties the list.
    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler* filer) override;
    virtual void ReadItemsProperty(TReader* reader);
    virtual void WriteItemsProperty(TWriter* writer);

    void WriteToArchive(TVirtualWriter* writer) override;
    // Refuses with EReadError a negative count, an item size other than the class's and a
    // count the stream cannot hold.
    void ReadFromArchive(TVirtualReader* reader) override;

protected:
    explicit TBaseList(Integer itemSize) : itemSize_(itemSize) {}
    // The index of a new last item, growing by the growth delta when full.
    Integer AddSlot();
    // Raises count by n, growing by the growth delta as often as needed; returns the old count.
    Integer AddSlots(Integer n);

    Integer count_ = 0;
    Integer capacity_ = 0;
    Integer growthDelta_ = 16;
    Byte* scratch_ = nullptr;
    Integer options_ = bloZeroNewItems;
    Byte* data_ = nullptr;
    Integer itemSize_;
};

class TBaseVectorList : public TBaseList {
    Z_CLASS(TBaseVectorList, TBaseList)
public:
    // Infinite bounds for an empty list; a value not comparable to the minimum replaces it.
    virtual void GetExtents(TAffineVector& min, TAffineVector& max);
    virtual TAffineVector Sum();
    // Each item divided by its length (no guard for zero length).
    virtual void Normalize();
    // The largest |dx| + |dy| + |dz| between items of the same index; counts must match.
    virtual Single MaxSpacing(TBaseVectorList* other);
    virtual void Translate(const TAffineVector& delta);
    virtual void TranslateItems(TBaseVectorList* other);
    virtual void UntranslateItems(TBaseVectorList* other);
    // item i := a_i + t (b_i - a_i); nothing when a or b is not of this list's class.
    virtual void Lerp(TBaseVectorList* a, TBaseVectorList* b, Single t) = 0;
    // item i += f * other_i
    virtual void Combine(TBaseVectorList* other, Single f);
    // Euler-angle triples in radians, interpolated through rotations.
    void LerpLists(TBaseVectorList* a, TBaseVectorList* b, Single t);
    void CombineLists(TBaseVectorList* other, Single f);

    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

protected:
    using TBaseList::TBaseList;
    Single* Xyz(Integer index) const { return reinterpret_cast<Single*>(ItemAddress(index)); }
    // Asserts that a and b have this class and equal counts and sizes this list to them;
    // false when either is of another class.
    bool PrepareLerp(TBaseVectorList* a, TBaseVectorList* b);
    // item i += f * other_i over x, y, z; other must not be shorter.
    void AddScaledItems(TBaseVectorList* other, Single f);
};

#pragma once
// The typed lists: affine vectors, vectors, quaternions, texture points, integers, singles,
// doubles and bytes, each over TBaseList's block; and the sort of singles with companion objects.
//
// Typed access (GetItem, SetItem, List) checks no index. The affine, vector, texture-point,
// single and double lists are registered by name and can be read back from list archives.

#include "BaseList.h"
#include "PersistentObjectList.h"

// Typed access to the block of a list of T.
template <class T, class Base>
class TTypedBaseList : public Base {
public:
    using ItemType = T;
    T* List() const { return reinterpret_cast<T*>(this->data_); }
    const T& GetItem(Integer index) const { return List()[index]; }
    void SetItem(Integer index, const T& value) { List()[index] = value; }
    T& operator[](Integer index) { return List()[index]; }
    const T& operator[](Integer index) const { return List()[index]; }

protected:
    TTypedBaseList() : Base(Integer(sizeof(T))) {}
    Integer AddItem(const T& value) {
        Integer index = this->AddSlot();
        List()[index] = value;
        return index;
    }
};

class TAffineVectorList : public TTypedBaseList<TAffineVector, TBaseVectorList> {
    Z_CLASS(TAffineVectorList, TBaseVectorList)
public:
    TAffineVectorList() = default;

    Integer Add(const TAffineVector& v) { return AddItem(v); }
    Integer AddXY(Single x, Single y) { return AddItem({x, y, 0}); }
    Integer AddXYZ(Single x, Single y, Single z) { return AddItem({x, y, z}); }
    void AddThree(const TAffineVector& a, const TAffineVector& b, const TAffineVector& c);
    // Grows to exactly the new count when needed.
    void AddList(const TAffineVectorList* other);
    void SetItemFromVector4(Integer index, const TVector4f& v) { List()[index] = {v.X, v.Y, v.Z}; }
    // The first item bit-identical to v, or -1.
    Integer IndexOfValue(const TAffineVector& v) const;
    Integer FindOrAdd(const TAffineVector& v);
    void Scale(Single factor);
    void ScaleComponents(const TAffineVector& factors);

    void Normalize() override;
    void Lerp(TBaseVectorList* a, TBaseVectorList* b, Single t) override;
};

class TVectorList : public TTypedBaseList<TVector4f, TBaseVectorList> {
    Z_CLASS(TVectorList, TBaseVectorList)
public:
    TVectorList() = default;

    Integer Add(const TVector4f& v) { return AddItem(v); }
    Integer AddFromAffine(const TAffineVector& v, Single w) { return AddItem({v.X, v.Y, v.Z, w}); }
    Integer AddPoint(const TAffineVector& v) { return AddItem({v.X, v.Y, v.Z, 1}); }
    Integer AddXYZ(Single x, Single y, Single z) { return AddItem({x, y, z, 1}); }

    void Lerp(TBaseVectorList* a, TBaseVectorList* b, Single t) override;
};

class TQuaternionList : public TTypedBaseList<TQuaternion, TBaseVectorList> {
    Z_CLASS(TQuaternionList, TBaseVectorList)
public:
    TQuaternionList() = default;

    Integer Add(const TQuaternion& q) { return AddItem(q); }
    // Slerps between the quaternions.
    void Lerp(TBaseVectorList* a, TBaseVectorList* b, Single t) override;
    // With another quaternion list: item i := item i * slerp(identity, other_i, f).
    void Combine(TBaseVectorList* other, Single f) override;
};

class TTexPointList : public TTypedBaseList<TTexPoint, TBaseList> {
    Z_CLASS(TTexPointList, TBaseList)
public:
    TTexPointList() = default;
    Integer Add(Single s, Single t) { return AddItem({s, t}); }
};

class TIntegerList : public TTypedBaseList<Integer, TBaseList> {
    Z_CLASS(TIntegerList, TBaseList)
public:
    TIntegerList() = default;
    Integer Add(Integer value) { return AddItem(value); }
    void AddPair(Integer a, Integer b);
    void AddTriple(Integer a, Integer b, Integer c);
};

class TSingleList : public TTypedBaseList<Single, TBaseList> {
    Z_CLASS(TSingleList, TBaseList)
public:
    TSingleList() = default;
    Integer Add(Single value) { return AddItem(value); }
};

class TDoubleList : public TTypedBaseList<Double, TBaseList> {
    Z_CLASS(TDoubleList, TBaseList)
public:
    TDoubleList() = default;
};

class TByteList : public TTypedBaseList<Byte, TBaseList> {
    Z_CLASS(TByteList, TBaseList)
public:
    TByteList() = default;
    Integer Add(Byte value) { return AddItem(value); }
};

// Sorts keys first..last ascending and makes every exchange in objects too, so that each object
// stays beside its key. Not stable.
void SortSinglesWithObjects(Integer first, Integer last, TSingleList* keys, TPersistentObjectList* objects);

// Registers the lists that archives name.
void InitializeVectorLists();

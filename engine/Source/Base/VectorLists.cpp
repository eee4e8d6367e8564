#include "VectorLists.h"

#include <cstring>

#include "QuaternionArithmetic.h"
#include "VectorArithmetic.h"

// ---- TAffineVectorList -----------------------------------------------------------------------

void TAffineVectorList::AddThree(const TAffineVector& a, const TAffineVector& b, const TAffineVector& c) {
    Integer first = AddSlots(3);
    List()[first] = a;
    List()[first + 1] = b;
    List()[first + 2] = c;
}

void TAffineVectorList::AddList(const TAffineVectorList* other) {
    if (!other || other->count_ == 0) return;
    Integer n = other->count_;
    ReserveCapacity(count_ + n);
    std::memcpy(List() + count_, other->List(), size_t(n) * sizeof(TAffineVector));
    count_ += n;
}

Integer TAffineVectorList::IndexOfValue(const TAffineVector& v) const {
    for (Integer i = 0; i < count_; ++i)
        if (std::memcmp(&List()[i], &v, sizeof(TAffineVector)) == 0) return i;
    return -1;
}

Integer TAffineVectorList::FindOrAdd(const TAffineVector& v) {
    Integer index = IndexOfValue(v);
    return index >= 0 ? index : Add(v);
}

void TAffineVectorList::Scale(Single factor) {
    if (count_ == 0 || factor == 1) return;
    Single* values = reinterpret_cast<Single*>(data_);
    for (Integer i = 0; i < 3 * count_; ++i) values[i] *= factor;
}

void TAffineVectorList::ScaleComponents(const TAffineVector& factors) {
    for (Integer i = 0; i < count_; ++i) MultiplyAffineComponents(List()[i], factors);
}

void TAffineVectorList::Normalize() { NormalizeAffineArray(List(), count_); }

void TAffineVectorList::Lerp(TBaseVectorList* a, TBaseVectorList* b, Single t) {
    if (!PrepareLerp(a, b)) return;
    const TAffineVector* pa = static_cast<TAffineVectorList*>(a)->List();
    const TAffineVector* pb = static_cast<TAffineVectorList*>(b)->List();
    for (Integer i = 0; i < count_; ++i) List()[i] = LerpAffine(pa[i], pb[i], t);
}

// ---- TVectorList -----------------------------------------------------------------------------

void TVectorList::Lerp(TBaseVectorList* a, TBaseVectorList* b, Single t) {
    if (!PrepareLerp(a, b)) return;
    const TVector4f* pa = static_cast<TVectorList*>(a)->List();
    const TVector4f* pb = static_cast<TVectorList*>(b)->List();
    for (Integer i = 0; i < count_; ++i) List()[i] = LerpVector4(pa[i], pb[i], t);
}

// ---- TQuaternionList -------------------------------------------------------------------------

void TQuaternionList::Lerp(TBaseVectorList* a, TBaseVectorList* b, Single t) {
    if (!PrepareLerp(a, b)) return;
    const TQuaternion* pa = static_cast<TQuaternionList*>(a)->List();
    const TQuaternion* pb = static_cast<TQuaternionList*>(b)->List();
    for (Integer i = 0; i < count_; ++i) List()[i] = SlerpQuaternions(pa[i], pb[i], t);
}

void TQuaternionList::Combine(TBaseVectorList* other, Single f) {
    auto* quaternions = dynamic_cast<TQuaternionList*>(other);
    if (!quaternions) {
        TBaseVectorList::Combine(other, f);
        return;
    }
    Assert(other->Count() >= count_, L"VectorLists: other list too short");
    for (Integer i = 0; i < count_; ++i)
        List()[i] = MultiplyQuaternions(List()[i], SlerpQuaternions(IdentityQuaternion, quaternions->List()[i], f));
}

// ---- TIntegerList ----------------------------------------------------------------------------

void TIntegerList::AddPair(Integer a, Integer b) {
    Integer first = AddSlots(2);
    List()[first] = a;
    List()[first + 1] = b;
}

void TIntegerList::AddTriple(Integer a, Integer b, Integer c) {
    Integer first = AddSlots(3);
    List()[first] = a;
    List()[first + 1] = b;
    List()[first + 2] = c;
}

// ---- SortSinglesWithObjects ------------------------------------------------------------------

namespace {

void ExchangeBoth(TSingleList* keys, TPersistentObjectList* objects, Integer i, Integer j) {
    Single* k = keys->List();
    std::swap(k[i], k[j]);
    TObject* o = objects->GetItem(i);
    objects->SetItem(i, objects->GetItem(j));
    objects->SetItem(j, o);
}

}  // namespace

void SortSinglesWithObjects(Integer first, Integer last, TSingleList* keys, TPersistentObjectList* objects) {
    const Single* k = keys->List();
    if (last - first <= 1) {
        if (last > first && k[last] < k[first]) ExchangeBoth(keys, objects, first, last);
        return;
    }
    while (first < last) {
        Single pivot = k[Integer((Cardinal(first) + Cardinal(last)) >> 1)];
        Integer i = first, j = last;
        do {
            while (k[i] < pivot) ++i;
            while (pivot < k[j]) --j;
            if (i <= j) {
                ExchangeBoth(keys, objects, i, j);
                ++i;
                --j;
            }
        } while (i <= j);
        if (first < j) SortSinglesWithObjects(first, j, keys, objects);
        first = i;
    }
}

void InitializeVectorLists() {
    RegisterClasses({TAffineVectorList::StaticClass(), TVectorList::StaticClass(), TTexPointList::StaticClass(),
                     TSingleList::StaticClass(), TDoubleList::StaticClass()});
}

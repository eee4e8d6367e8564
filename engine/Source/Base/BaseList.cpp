#include "BaseList.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "Filer.h"
#include "PersistentObjectList.h"
#include "SysUtils.h"
#include "VectorArithmetic.h"

// ---- TBaseList: storage ----------------------------------------------------------------------

TBaseList::~TBaseList() {
    Clear();
    std::free(scratch_);
}

void TBaseList::SetCapacity(Integer value) {
    if (value == capacity_) return;
    data_ = static_cast<Byte*>(ReallocListBlock(data_, value, size_t(itemSize_)));
    capacity_ = value;
    // Typed access must never reach past the block.
    if (count_ > value) count_ = value;
}

void TBaseList::SetCount(Integer value) {
    Assert(value >= 0, L"VectorLists: negative count");
    if (capacity_ < value) SetCapacity(value);
    if (value > count_ && (options_ & bloZeroNewItems))
        std::memset(ItemAddress(count_), 0, size_t(value - count_) * size_t(itemSize_));
    count_ = value;
}

void TBaseList::ReserveCapacity(Integer value) {
    if (capacity_ < value) SetCapacity(value);
}

void TBaseList::AppendZeroed(Integer count) {
    if (count <= 0) return;
    ReserveCapacity(count_ + count);
    std::memset(ItemAddress(count_), 0, size_t(count) * size_t(itemSize_));
    count_ += count;
}

void TBaseList::Clear() {
    SetCount(0);
    SetCapacity(0);
}

Integer TBaseList::AddSlot() {
    if (count_ == capacity_) SetCapacity(capacity_ + growthDelta_);
    return count_++;
}

Integer TBaseList::AddSlots(Integer n) {
    Integer first = count_;
    Integer needed = count_ + n;
    Integer capacity = capacity_;
    while (capacity < needed) capacity += growthDelta_;
    SetCapacity(capacity);
    count_ = needed;
    return first;
}

void* TBaseList::ScratchItem() {
    if (!scratch_) {
        scratch_ = static_cast<Byte*>(std::malloc(size_t(itemSize_ > 0 ? itemSize_ : 1)));
        if (!scratch_) throw EOutOfResources(L"Out of memory");
    }
    return scratch_;
}

void TBaseList::Exchange(Integer index1, Integer index2) {
    void* tmp = ScratchItem();
    std::memcpy(tmp, ItemAddress(index1), size_t(itemSize_));
    std::memcpy(ItemAddress(index1), ItemAddress(index2), size_t(itemSize_));
    std::memcpy(ItemAddress(index2), tmp, size_t(itemSize_));
}

void TBaseList::Reverse() {
    for (Integer i = 0, j = count_ - 1; i < j; ++i, --j) Exchange(i, j);
}

void TBaseList::Assign(TPersistent* source) {
    if (!source) {
        Clear();
        return;
    }
    auto* other = dynamic_cast<TBaseList*>(source);
    if (!other) {
        TPersistentObject::Assign(source);
        return;
    }
    if (other == this) return;
    SetCapacity(other->count_);
    growthDelta_ = other->growthDelta_;
    count_ = other->count_;
    size_t bytes = size_t(count_) * size_t(itemSize_);
    if (source->InheritsFrom(ClassType()) && other->itemSize_ == itemSize_) {
        if (bytes) std::memcpy(data_, other->data_, bytes);
    } else if (bytes) {
        std::memset(data_, 0, bytes);
    }
}

// ---- TBaseList: archive ----------------------------------------------------------------------

void TBaseList::WriteToArchive(TVirtualWriter* writer) {
    writer->WriteInteger(0);
    writer->WriteInteger(count_);
    writer->WriteInteger(itemSize_);
    if (count_ > 0) writer->Write(data_, count_ * itemSize_);
}

void TBaseList::ReadFromArchive(TVirtualReader* reader) {
    Integer version = reader->ReadInteger();
    if (version != 0) RaiseArchiveVersionError(version);
    Integer count = reader->ReadInteger();
    Integer itemSize = reader->ReadInteger();
    if (itemSize != itemSize_)
        throw EReadError(ClassName() + L": stored item size " + IntToStr(itemSize) + L" instead of " +
                         IntToStr(itemSize_));
    reader->CheckPayload(count, itemSize);
    SetCount(0);
    SetCapacity(count);
    if (count > 0) {
        reader->Read(data_, count * itemSize);
        count_ = count;
    }
}

// ---- TBaseList: form property ----------------------------------------------------------------

void TBaseList::DefineProperties(TFiler* filer) {
    TPersistentObject::DefineProperties(filer);
    filer->DefineProperty(
        L"Items", [this](TReader* reader) { ReadItemsProperty(reader); },
        [this](TWriter* writer) { WriteItemsProperty(writer); }, true);
}

void TBaseList::WriteItemsProperty(TWriter* writer) {
    static const wchar_t digits[] = L"0123456789ABCDEF";
    AnsiString bytes = SaveToString();
    String hex;
    hex.reserve(bytes.size() * 2);
    for (char c : bytes) {
        hex += digits[Byte(c) >> 4];
        hex += digits[Byte(c) & 15];
    }
    writer->WriteString(hex);
}

void TBaseList::ReadItemsProperty(TReader* reader) {
    String hex = reader->ReadString();
    auto digit = [&](wchar_t c) -> int {
        if (c >= L'0' && c <= L'9') return c - L'0';
        if (c >= L'A' && c <= L'F') return c - L'A' + 10;
        if (c >= L'a' && c <= L'f') return c - L'a' + 10;
        throw EReadError(ClassName() + L": invalid hexadecimal items");
    };
    if (hex.size() % 2) throw EReadError(ClassName() + L": invalid hexadecimal items");
    AnsiString bytes(hex.size() / 2, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(digit(hex[2 * i]) * 16 + digit(hex[2 * i + 1]));
    LoadFromString(bytes);
}

// ---- TBaseVectorList -------------------------------------------------------------------------

void TBaseVectorList::GetExtents(TAffineVector& min, TAffineVector& max) {
    constexpr Single inf = std::numeric_limits<Single>::infinity();
    min = {inf, inf, inf};
    max = {-inf, -inf, -inf};
    for (Integer i = 0; i < count_; ++i) {
        const Single* v = Xyz(i);
        for (int k = 0; k < 3; ++k) {
            if (!(v[k] >= min[k])) min[k] = v[k];
            if (v[k] > max[k]) max[k] = v[k];
        }
    }
}

TAffineVector TBaseVectorList::Sum() {
    TAffineVector sum{0, 0, 0};
    for (Integer i = 0; i < count_; ++i) {
        const Single* v = Xyz(i);
        for (int k = 0; k < 3; ++k) sum[k] += v[k];
    }
    return sum;
}

void TBaseVectorList::Normalize() {
    for (Integer i = 0; i < count_; ++i) NormalizeAffineInPlace(*reinterpret_cast<TAffineVector*>(Xyz(i)));
}

Single TBaseVectorList::MaxSpacing(TBaseVectorList* other) {
    Assert(other->count_ == count_, L"VectorLists: count mismatch");
    Single result = 0;
    for (Integer i = 0; i < count_; ++i) {
        const Single* a = Xyz(i);
        const Single* b = other->Xyz(i);
        Single s = std::fabs(a[0] - b[0]) + std::fabs(a[1] - b[1]) + std::fabs(a[2] - b[2]);
        if (s > result) result = s;
    }
    return result;
}

void TBaseVectorList::Translate(const TAffineVector& delta) {
    for (Integer i = 0; i < count_; ++i) {
        Single* v = Xyz(i);
        for (int k = 0; k < 3; ++k) v[k] += delta[k];
    }
}

void TBaseVectorList::AddScaledItems(TBaseVectorList* other, Single f) {
    Assert(other->count_ >= count_, L"VectorLists: other list too short");
    for (Integer i = 0; i < count_; ++i) {
        Single* v = Xyz(i);
        const Single* w = other->Xyz(i);
        for (int k = 0; k < 3; ++k) v[k] += f * w[k];
    }
}

void TBaseVectorList::TranslateItems(TBaseVectorList* other) { AddScaledItems(other, 1); }

void TBaseVectorList::UntranslateItems(TBaseVectorList* other) { AddScaledItems(other, -1); }

void TBaseVectorList::Combine(TBaseVectorList* other, Single f) { AddScaledItems(other, f); }

void TBaseVectorList::LerpLists(TBaseVectorList* a, TBaseVectorList* b, Single t) {
    Assert(a->count_ == b->count_, L"VectorLists: count mismatch");
    if (a == b || t == 0) {
        Assign(a);
    } else if (t == 1) {
        Assign(b);
    } else {
        SetCapacity(a->count_);
        SetCount(a->count_);
        for (Integer i = 0; i < count_; ++i) {
            TAffineVector r = AngleLerpRadians(*reinterpret_cast<const TAffineVector*>(a->Xyz(i)),
                                               *reinterpret_cast<const TAffineVector*>(b->Xyz(i)), t);
            std::memcpy(Xyz(i), &r, sizeof(r));
        }
    }
}

void TBaseVectorList::CombineLists(TBaseVectorList* other, Single f) {
    Assert(other->count_ == count_, L"VectorLists: count mismatch");
    AddScaledItems(other, f);
}

bool TBaseVectorList::PrepareLerp(TBaseVectorList* a, TBaseVectorList* b) {
    if (!a->InheritsFrom(ClassType()) || !b->InheritsFrom(ClassType())) return false;
    Assert(a->count_ == b->count_, L"VectorLists: count mismatch");
    SetCapacity(a->count_);
    SetCount(a->count_);
    return true;
}

void TBaseVectorList::WriteToArchive(TVirtualWriter* writer) {
    TBaseList::WriteToArchive(writer);
    writer->WriteInteger(0);
}

void TBaseVectorList::ReadFromArchive(TVirtualReader* reader) {
    TBaseList::ReadFromArchive(reader);
    Integer version = reader->ReadInteger();
    if (version != 0) RaiseArchiveVersionError(version);
}

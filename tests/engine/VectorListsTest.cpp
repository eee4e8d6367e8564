// Typed lists: capacity rules, archives (golden bytes, round trips, refusals), the vector
// operations and the sort with companion objects.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>

#include "ArchiveFixtures.h"
#include "MathExpect.h"
#include "TestSupport.h"
#include "VectorLists.h"

namespace {

// ---- archives of every typed list ------------------------------------------------------------

template <class L>
class TypedListArchive : public testing::Test {};

using AllLists = testing::Types<TAffineVectorList, TVectorList, TQuaternionList, TTexPointList, TIntegerList,
                                TSingleList, TDoubleList, TByteList>;
TYPED_TEST_SUITE(TypedListArchive, AllLists);

template <class L>
void FillWithPattern(L& list, int count) {
    list.SetCount(count);
    auto* bytes = reinterpret_cast<Byte*>(list.BaseList());
    for (int i = 0; i < count * list.ItemSize(); ++i) bytes[i] = Byte(i * 37 + 11);
}

TYPED_TEST(TypedListArchive, RoundTripsItsRawBytes) {
    using L = TypeParam;
    for (int count : {0, 1, 40}) {
        L list;
        FillWithPattern(list, count);
        AnsiString data = list.SaveToString();
        bool vector = std::is_base_of_v<TBaseVectorList, L>;
        AnsiString header = Bytes({2, 0}) + Written([&](TBinaryWriter& w) {
                                w.WriteInteger(count);
                                w.WriteInteger(list.ItemSize());
                            });
        ASSERT_EQ(data.size(), header.size() + size_t(count * list.ItemSize()) + (vector ? 2 : 0));
        EXPECT_BYTES(data.substr(0, header.size()), header);

        L copy;
        copy.AppendZeroed(3);  // replaced on loading
        copy.LoadFromString(data);
        ASSERT_EQ(copy.Count(), count);
        EXPECT_EQ(std::memcmp(copy.BaseList(), list.BaseList(), size_t(count * list.ItemSize())), 0);
    }
}

TYPED_TEST(TypedListArchive, RefusesSizesUnlikeTheClassOrBeyondTheData) {
    using L = TypeParam;
    L list;
    const Integer size = list.ItemSize();
    const AnsiString tail = std::is_base_of_v<TBaseVectorList, L> ? Bytes({2, 0}) : AnsiString();
    auto archive = [&](Integer count, Integer itemSize, Integer payload) {
        return Written([&](TBinaryWriter& w) {
                   w.WriteInteger(0);
                   w.WriteInteger(count);
                   w.WriteInteger(itemSize);
               }) +
               AnsiString(size_t(payload), '\x5A') + tail;
    };
    const AnsiString bad[] = {
        archive(2, size + 1, 2 * (size + 1)),                        // another item size
        archive(2, size * 2, 4 * size),       archive(-1, size, 0),  // negative count
        archive(0x7FFFFFFF, size, 8),                                // huge count
        archive(3, size, 2 * size),                                  // fewer bytes than the count needs
    };
    for (const AnsiString& data : bad) {
        SCOPED_TRACE(HexDump(data.substr(0, 12)));
        EXPECT_THROW(list.LoadFromString(data), EReadError);
        EXPECT_LE(list.Count(), list.Capacity());
    }
    list.LoadFromString(archive(2, size, 2 * size));
    EXPECT_EQ(list.Count(), 2);
}

// ---- golden bytes ----------------------------------------------------------------------------

TEST(VectorListArchive, AffineListGoldenBytes) {
    TAffineVectorList list;
    list.Add({1, 2, 3});
    list.Add({4, 5, 6});
    AnsiString raw(24, '\0');
    const Single values[] = {1, 2, 3, 4, 5, 6};
    std::memcpy(raw.data(), values, 24);
    EXPECT_BYTES(list.SaveToString(), Bytes({2, 0, 2, 2, 2, 12}) + raw + Bytes({2, 0}));
}

TEST(VectorListArchive, EmptySingleListGoldenBytes) {
    TSingleList list;
    EXPECT_BYTES(list.SaveToString(), Bytes({2, 0, 2, 0, 2, 4}));
}

TEST(VectorListArchive, VersionsOtherThanZeroAreRefused) {
    TAffineVectorList list;
    try {
        list.LoadFromString(Bytes({2, 0, 2, 0, 2, 12, 2, 1}));  // the vector list's own version
        ADD_FAILURE();
    } catch (const EFilerException& e) {
        EXPECT_EQ(Utf8(e.Message()), "TAffineVectorList : unknown archive version 1");
    }
    TSingleList singles;
    EXPECT_THROW(singles.LoadFromString(Bytes({2, 7, 2, 0, 2, 4})), EFilerException);
}

TEST(VectorListArchive, RegisteredListsAreReadBackByName) {
    TPersistentObjectList list;
    auto* affine = new TAffineVectorList;
    affine->AddXYZ(1, 2, 3);
    list.Add(affine);
    list.Add(new TVectorList);
    list.Add(new TTexPointList);
    list.Add(new TDoubleList);
    TPersistentObjectList copy;
    copy.LoadFromString(list.SaveToString());
    ASSERT_EQ(copy.Count(), 4);
    EXPECT_EQ(copy[0]->ClassName(), L"TAffineVectorList");
    EXPECT_TRUE(Near(static_cast<TAffineVectorList*>(copy[0])->GetItem(0), {1, 2, 3}));
    EXPECT_EQ(copy[3]->ClassName(), L"TDoubleList");
    list.Clean();
    copy.Clean();

    // The integer, byte and quaternion lists are not registered.
    list.Add(new TIntegerList);
    EXPECT_THROW(copy.LoadFromString(list.SaveToString()), EClassNotFound);
    list.Clean();
}

// ---- capacity --------------------------------------------------------------------------------

TEST(BaseList, CapacityRules) {
    TSingleList list;
    for (int i = 0; i < 16; ++i) list.Add(Single(i));
    EXPECT_EQ(list.Capacity(), 16);
    list.Add(16);
    EXPECT_EQ(list.Capacity(), 32);  // by the growth delta, not doubled

    TAffineVectorList vectors;
    vectors.Add({9, 9, 9});
    vectors.Add({8, 8, 8});
    vectors.SetCapacity(2);
    vectors.SetCount(5);
    EXPECT_EQ(vectors.Capacity(), 5);  // exactly, not 18
    for (int i = 2; i < 5; ++i) EXPECT_TRUE(Near(vectors[i], {0, 0, 0}));
    EXPECT_TRUE(Near(vectors[1], {8, 8, 8}));

    vectors.SetCapacity(1);  // below the count: the count follows
    EXPECT_EQ(vectors.Count(), 1);
    EXPECT_TRUE(Near(vectors[0], {9, 9, 9}));

    vectors.AppendZeroed(3);
    EXPECT_EQ(vectors.Count(), 4);
    EXPECT_EQ(vectors.Capacity(), 4);
    vectors.ResetCount();
    EXPECT_EQ(vectors.Capacity(), 4);
    vectors.Clear();
    EXPECT_EQ(vectors.Capacity(), 0);
    EXPECT_THROW(vectors.SetCount(-1), EAssertionFailed);

    TIntegerList ints;
    ints.AddTriple(1, 2, 3);
    ints.AddPair(4, 5);
    EXPECT_EQ(ints.Count(), 5);
    EXPECT_EQ(ints.Capacity(), 16);
    EXPECT_EQ(ints[4], 5);
    ints.Reverse();
    EXPECT_EQ(ints[0], 5);
    EXPECT_EQ(ints[4], 1);
}

TEST(BaseList, AssignCopiesItemsOnlyFromItsOwnClass) {
    TAffineVectorList a;
    a.AddXYZ(1, 2, 3);
    a.AddXY(4, 5);
    a.SetGrowthDelta(7);
    TAffineVectorList b;
    b.Assign(&a);
    a.SetItem(0, {0, 0, 0});
    EXPECT_EQ(b.Count(), 2);
    EXPECT_EQ(b.GrowthDelta(), 7);
    EXPECT_TRUE(Near(b[0], {1, 2, 3}));
    EXPECT_TRUE(Near(b[1], {4, 5, 0}));

    TVectorList other;
    other.AddXYZ(7, 7, 7);
    other.Assign(&b);  // the count, not the items
    EXPECT_EQ(other.Count(), 2);
    EXPECT_TRUE(Near(other[1], {0, 0, 0, 0}));

    b.Assign(nullptr);
    EXPECT_EQ(b.Count(), 0);
    TArchiveRecord record;
    EXPECT_THROW(b.Assign(&record), EConvertError);
}

// ---- vector operations -----------------------------------------------------------------------

TEST(BaseVectorList, ExtentsSumAndSpacing) {
    TAffineVectorList list;
    TAffineVector min, max;
    list.GetExtents(min, max);
    const Single inf = std::numeric_limits<Single>::infinity();
    EXPECT_EQ(min.X, inf);
    EXPECT_EQ(max.Z, -inf);

    list.AddXYZ(1, -2, 3);
    list.AddXYZ(-1, 5, 0);
    list.GetExtents(min, max);
    EXPECT_TRUE(Near(min, {-1, -2, 0}));
    EXPECT_TRUE(Near(max, {1, 5, 3}));
    EXPECT_TRUE(Near(list.Sum(), {0, 3, 3}));

    TAffineVectorList other;
    other.AddXYZ(1, -2, 3);
    other.AddXYZ(1, 1, 1);
    EXPECT_FLOAT_EQ(list.MaxSpacing(&other), 2 + 4 + 1);
    other.Add({});
    EXPECT_THROW(list.MaxSpacing(&other), EAssertionFailed);
}

TEST(BaseVectorList, TranslateCombineAndScale) {
    TVectorList list;
    list.AddXYZ(1, 2, 3);  // W 1 stays out of every operation
    list.Translate({1, 1, 1});
    EXPECT_TRUE(Near(list[0], {2, 3, 4, 1}));
    TVectorList delta;
    delta.Add({1, 0, 0, 5});
    list.TranslateItems(&delta);
    EXPECT_TRUE(Near(list[0], {3, 3, 4, 1}));
    list.UntranslateItems(&delta);
    list.Combine(&delta, 2);
    EXPECT_TRUE(Near(list[0], {4, 3, 4, 1}));
    list.Normalize();
    EXPECT_NEAR(std::sqrt(16.0 + 9 + 16) * list[0].X, 4, 1e-5);
    EXPECT_EQ(list[0].W, 1);

    TAffineVectorList affine;
    affine.AddThree({1, 1, 1}, {2, 2, 2}, {3, 3, 3});
    affine.Scale(2);
    affine.ScaleComponents({1, 0.5f, 0});
    EXPECT_TRUE(Near(affine[2], {6, 3, 0}));
    TAffineVectorList more;
    more.AddList(&affine);
    more.AddList(nullptr);
    EXPECT_EQ(more.Count(), 3);
    EXPECT_EQ(more.Capacity(), 3);
}

TEST(BaseVectorList, FindOrAddComparesBits) {
    TAffineVectorList list;
    EXPECT_EQ(list.FindOrAdd({0, 1, 2}), 0);
    EXPECT_EQ(list.FindOrAdd({0, 1, 2}), 0);
    EXPECT_EQ(list.FindOrAdd({-0.0f, 1, 2}), 1);  // -0 is another bit pattern
    EXPECT_EQ(list.IndexOfValue({5, 5, 5}), -1);
}

TEST(BaseVectorList, LerpAndLerpLists) {
    TAffineVectorList a, b, r;
    a.AddXYZ(0, 0, 0);
    a.AddXYZ(0.1f, 0.2f, 0.3f);
    b.AddXYZ(2, 4, 6);
    b.AddXYZ(0.4f, -0.5f, 0.6f);
    r.Lerp(&a, &b, 0.25f);
    EXPECT_TRUE(Near(r[0], {0.5f, 1, 1.5f}));

    TVectorList v;
    v.AddXYZ(9, 9, 9);
    v.Lerp(&a, &b, 0.5f);  // another class: unchanged
    EXPECT_EQ(v.Count(), 1);
    EXPECT_TRUE(Near(v[0], {9, 9, 9, 1}));

    r.LerpLists(&a, &b, 0);
    EXPECT_EQ(std::memcmp(r.List(), a.List(), 24), 0);
    r.LerpLists(&a, &b, 1);
    EXPECT_EQ(std::memcmp(r.List(), b.List(), 24), 0);
    r.LerpLists(&a, &b, 0.5f);
    EXPECT_EQ(r.Count(), 2);

    TQuaternionList qa, qb, qr;
    qa.Add(IdentityQuaternion);
    qb.Add({0, 0, 1, 0});  // half a turn about Z
    qr.Lerp(&qa, &qb, 0.5f);
    EXPECT_TRUE(Near(qr[0], {0, 0, std::sqrt(0.5f), std::sqrt(0.5f)}, 1e-5));
    qa.Combine(&qb, 1);
    EXPECT_TRUE(Near(qa[0], {0, 0, 1, 0}, 1e-5));
}

// ---- sort ------------------------------------------------------------------------------------

TEST(SortSinglesWithObjects, KeepsEachObjectBesideItsKey) {
    TSingleList keys;
    TPersistentObjectList objects;
    TArchiveRecord a("A", 0), b("B", 0), c("C", 0);
    keys.Add(3);
    keys.Add(-1);
    keys.Add(2);
    objects.Add(&a);
    objects.Add(&b);
    objects.Add(&c);
    SortSinglesWithObjects(0, 2, &keys, &objects);
    EXPECT_EQ(keys[0], -1);
    EXPECT_EQ(keys[1], 2);
    EXPECT_EQ(keys[2], 3);
    EXPECT_EQ(objects[0], &b);
    EXPECT_EQ(objects[1], &c);
    EXPECT_EQ(objects[2], &a);
    objects.Clear();

    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(-100, 100);
    std::vector<std::unique_ptr<TArchiveRecord>> owned;
    keys.Clear();
    for (int i = 0; i < 500; ++i) {
        Single k = i % 50 == 0 ? 0.0f : value(random);
        keys.Add(k);
        owned.push_back(std::make_unique<TArchiveRecord>("", 0));
        owned.back()->SetNumber(Integer(k * 1000));
        objects.Add(owned.back().get());
    }
    SortSinglesWithObjects(0, keys.Count() - 1, &keys, &objects);
    for (int i = 0; i < keys.Count(); ++i) {
        if (i > 0) {
            EXPECT_LE(keys[i - 1], keys[i]);
        }
        EXPECT_EQ(static_cast<TArchiveRecord*>(objects[i])->Number(), Integer(keys[i] * 1000));
    }
    objects.Clear();
}

}  // namespace

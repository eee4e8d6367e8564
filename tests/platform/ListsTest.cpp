#include <gtest/gtest.h>

#include "Lists.h"
#include "TestSupport.h"

namespace {

class TTracked : public TObject {
    Z_CLASS(TTracked, TObject)
public:
    explicit TTracked(int* freed) : freed_(freed) {}
    ~TTracked() override { ++*freed_; }

private:
    int* freed_;
};

// Records what Notify reports.
class TWatchedList : public TList {
public:
    ~TWatchedList() override { Clear(); }
    std::vector<std::pair<void*, TListNotification>> log;

protected:
    void Notify(void* item, TListNotification action) override { log.push_back({item, action}); }
};

int a, b, c, d;

TEST(List, EditingAndOrder) {
    TList list;
    EXPECT_EQ(list.Add(&a), 0);
    list.Add(&b);
    list.Add(&c);
    list.Insert(0, &d);  // d a b c
    EXPECT_EQ(list.IndexOf(&a), 1);
    EXPECT_EQ(list.First(), &d);
    EXPECT_EQ(list.Last(), &c);
    list.Move(0, 3);  // a b c d
    EXPECT_EQ(list[3], &d);
    list.Exchange(0, 1);  // b a c d
    EXPECT_EQ(list[0], &b);
    EXPECT_EQ(list.Remove(&c), 2);
    EXPECT_EQ(list.Remove(&c), -1);
    list.SetCount(5);  // b a d nil nil
    EXPECT_EQ(list[4], nullptr);
    list.Insert(1, nullptr);
    list.Pack();
    EXPECT_EQ(list.Count(), 3);
    list.Sort([](void* x, void* y) { return x < y ? -1 : x > y ? 1 : 0; });
    EXPECT_TRUE(list[0] < list[1] && list[1] < list[2]);
    list.SetCapacity(100);
    EXPECT_GE(list.Capacity(), 100);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(List, BadIndexRaisesListError) {
    TList list;
    list.Add(&a);
    try {
        list.Items(1);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(Utf8(e.Message()), "List index out of bounds (1)");
    }
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Insert(2, &b), EListError);
    EXPECT_THROW(list.Move(0, 1), EListError);
    EXPECT_THROW(list.Exchange(0, 5), EListError);
    EXPECT_THROW(TList().First(), EListError);
    list.Insert(1, &b);  // at the end is allowed
    EXPECT_EQ(list.Count(), 2);
}

TEST(List, NotifyReportsEntriesAndExits) {
    TWatchedList list;
    list.Add(&a);
    list.Add(nullptr);  // nulls are not reported
    list.Add(&b);
    list.SetItems(2, &c);
    list.Extract(&a);
    list.Delete(0);
    using L = std::vector<std::pair<void*, TListNotification>>;
    EXPECT_EQ(list.log, (L{{&a, lnAdded}, {&b, lnAdded}, {&b, lnDeleted}, {&c, lnAdded}, {&a, lnExtracted}}));
    list.log.clear();
    list.Clear();
    EXPECT_EQ(list.log, (L{{&c, lnDeleted}}));
}

TEST(ObjectList, FreesWhatItOwnsButNotWhatItHandsOut) {
    int freed = 0;
    auto* kept = new TTracked(&freed);
    {
        TTypedObjectList<TTracked> list;
        list.Add(new TTracked(&freed));
        list.Add(kept);
        list.Add(new TTracked(&freed));
        list.Delete(0);
        EXPECT_EQ(freed, 1);
        EXPECT_EQ(list.Extract(kept), kept);
        EXPECT_EQ(freed, 1);
        EXPECT_EQ(list.Count(), 1);
    }
    EXPECT_EQ(freed, 2);  // the list's own destruction freed the rest
    FreeObject(kept);
    {
        TObjectList borrowed(false);
        TTracked other(&freed);
        borrowed.Add(&other);
        borrowed.Clear();
        EXPECT_EQ(freed, 3);  // only kept, freed above
    }
}

}  // namespace

#include <gtest/gtest.h>

#include "Collection.h"
#include "StreamingFixtures.h"
#include "TestSupport.h"

namespace {

// A collection that records what it is told.
class TRecordingCollection : public TOwnedCollection {
    Z_CLASS(TRecordingCollection, TOwnedCollection)
public:
    using TOwnedCollection::TOwnedCollection;
    std::vector<String> log;

protected:
    void Update(TCollectionItem* item) override {
        log.push_back(item ? L"update " + std::to_wstring(item->ID()) : L"update all");
    }
    void Notify(TCollectionItem* item, TCollectionNotification action) override {
        static const wchar_t* names[] = {L"added ", L"extracting ", L"deleting "};
        log.push_back(names[action] + std::to_wstring(item->ID()));
    }
};

class TChangingItem : public TTestItem {
    Z_CLASS(TChangingItem, TTestItem)
public:
    using TTestItem::TTestItem;
    void Touch() { Changed(false); }
};

std::vector<Integer> Ids(const TCollection& c) {
    std::vector<Integer> ids;
    for (int i = 0; i < c.Count(); ++i) ids.push_back(c.Items(i)->ID());
    return ids;
}

TEST(Collections, AddInsertDeleteMoveAndIdsNeverReused) {
    TRecordingCollection c(nullptr, TChangingItem::StaticClass());
    c.Add();
    c.Add();
    c.Insert(0);  // id 2 first
    EXPECT_EQ(Ids(c), (std::vector<Integer>{2, 0, 1}));
    EXPECT_TRUE(Is<TChangingItem>(c.Items(0)));
    c.Delete(1);
    c.Add();
    EXPECT_EQ(Ids(c), (std::vector<Integer>{2, 1, 3}));
    c.Items(0)->SetIndex(2);
    EXPECT_EQ(Ids(c), (std::vector<Integer>{1, 3, 2}));
    EXPECT_EQ(c.Items(2)->Index(), 2);
    EXPECT_EQ(c.FindItemID(3), c.Items(1));
    EXPECT_EQ(c.FindItemID(0), nullptr);
    EXPECT_THROW(c.Items(3), EListError);
    EXPECT_THROW(c.Delete(-1), EListError);
    try {
        c.Items(5);
    } catch (const EListError& e) {
        EXPECT_EQ(Utf8(e.Message()), "List index out of bounds (5)");
    }
    // An item freed by anyone leaves its collection.
    FreeObject(c.Items(0));
    EXPECT_EQ(Ids(c), (std::vector<Integer>{3, 2}));
}

TEST(Collections, NotificationsAndUpdateBrackets) {
    TRecordingCollection c(nullptr, TChangingItem::StaticClass());
    c.Add();
    auto* item = static_cast<TChangingItem*>(c.Add());
    item->Touch();
    c.Delete(0);
    EXPECT_EQ(c.log, (std::vector<String>{L"added 0", L"update all", L"added 1", L"update all", L"update 1",
                                          L"deleting 0", L"extracting 0", L"update all"}));
    c.log.clear();
    c.BeginUpdate();
    c.BeginUpdate();
    c.Add();
    item->Touch();
    c.EndUpdate();
    EXPECT_EQ(c.log, (std::vector<String>{L"added 2"}));  // nothing until the outer bracket closes
    c.EndUpdate();
    EXPECT_EQ(c.log, (std::vector<String>{L"added 2", L"update all"}));
    c.log.clear();
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.log.back(), L"update all");
    EXPECT_THROW(c.EndUpdate(), EAssertionFailed);
}

TEST(Collections, AssignCopiesItemsAndRefusesOtherKinds) {
    TOwnedCollection a(nullptr, TTestItem::StaticClass()), b(nullptr, TTestItem::StaticClass());
    static_cast<TTestItem*>(a.Add())->SetCaption(L"one");
    static_cast<TTestItem*>(a.Add())->SetWeight(3);
    b.Add();
    b.Add();
    b.Add();
    b.Assign(&a);
    ASSERT_EQ(b.Count(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(b.Items(0))->Caption(), L"one");
    EXPECT_EQ(static_cast<TTestItem*>(b.Items(1))->Weight(), 3.0);
    TTestFont font;
    EXPECT_THROW(b.Assign(&font), EConvertError);
}

TEST(Collections, MovingAnItemChecksItsClass) {
    TOwnedCollection items(nullptr, TTestItem::StaticClass());
    TOwnedCollection others(nullptr, TChangingItem::StaticClass());
    TCollectionItem* item = items.Add();
    EXPECT_THROW(item->SetCollection(&others), EConvertError);
    EXPECT_EQ(item->Collection(), &items);
    TOwnedCollection more(nullptr, TTestItem::StaticClass());
    item->SetCollection(&more);
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(more.Items(0), item);
}

TEST(Collections, NamePathAndDisplayName) {
    TTestForm form(nullptr);
    form.SetName(L"Form1");
    auto* w = new TTestWidget(&form);
    w->SetName(L"Panel");
    w->Items()->Add();
    auto* second = static_cast<TTestItem*>(w->Items()->Add());
    EXPECT_EQ(Utf8(second->GetNamePath()), "Panel.Items[1]");
    EXPECT_EQ(Utf8(second->DisplayName()), "TTestItem");
    second->SetCaption(L"Второй");
    EXPECT_EQ(second->DisplayName(), L"Второй");
    EXPECT_EQ(w->Items()->GetOwner(), w);
    TOwnedCollection loose(nullptr, TTestItem::StaticClass());
    EXPECT_EQ(Utf8(loose.GetNamePath()), "TOwnedCollection");
}

}  // namespace

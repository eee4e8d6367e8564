#include <gtest/gtest.h>

#include "Component.h"
#include "StreamingFixtures.h"
#include "TestSupport.h"

namespace {

// Counts of live test components before and after each test must match.
class Ownership : public ::testing::Test {
protected:
    void SetUp() override { liveBefore_ = TStreamingLog::live; }
    void TearDown() override { EXPECT_EQ(TStreamingLog::live, liveBefore_) << "test components leaked"; }

private:
    int liveBefore_ = 0;
};

TEST_F(Ownership, OwnerFreesWhatItOwnsAndMarksItDestroying) {
    auto* owner = new TCounted(nullptr);
    auto* a = new TCounted(owner);
    auto* b = new TCounted(a);  // owned two levels down
    (void)b;
    new TCounted(owner);
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(a->Owner(), owner);
    EXPECT_EQ(a->ComponentIndex(), 0);
    int live = TStreamingLog::live;
    FreeObject(owner);
    EXPECT_EQ(TStreamingLog::live, live - 4);
}

TEST_F(Ownership, FreedComponentLeavesOwnerAndNotifiesThoseWhoAsked) {
    TCounted owner(nullptr), elsewhere(nullptr);
    auto* doomed = new TCounted(&owner);
    auto* sibling = new TCounted(&owner);
    auto* watcher = new TCounted(&elsewhere);  // another owner: hears only because it asks
    auto* bystander = new TCounted(&elsewhere);
    doomed->FreeNotification(watcher);
    sibling->heard.clear();
    FreeObject(doomed);

    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), sibling);
    auto heardRemoval = [doomed](const TCounted* c) {
        for (auto& [who, op] : c->heard)
            if (who == doomed && op == opRemove) return true;
        return false;
    };
    EXPECT_TRUE(heardRemoval(&owner));
    EXPECT_TRUE(heardRemoval(sibling));  // the owner passes it on
    EXPECT_TRUE(heardRemoval(watcher));
    EXPECT_FALSE(heardRemoval(bystander));
}

TEST_F(Ownership, RemovedFreeNotificationIsNotCalledAndNoLinkDangles) {
    TCounted a(nullptr), b(nullptr);
    auto* watched = new TCounted(&a);
    auto* watcher = new TCounted(&b);
    watched->FreeNotification(watcher);
    watched->RemoveFreeNotification(watcher);
    FreeObject(watched);
    EXPECT_TRUE(watcher->heard.empty());

    // A watcher that goes first is dropped from the watched component's list.
    auto* watched2 = new TCounted(&a);
    auto* watcher2 = new TCounted(&b);
    watched2->FreeNotification(watcher2);
    FreeObject(watcher2);
    FreeObject(watched2);  // would call into freed memory if the link were left
}

TEST_F(Ownership, DeletedDirectlyStillLeavesOwner) {
    TCounted owner(nullptr);
    auto* c = new TCounted(&owner);
    delete c;
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST_F(Ownership, InsertMovesFromPreviousOwnerAndNotifies) {
    TCounted first(nullptr), second(nullptr);
    auto* c = new TCounted(&first);
    c->SetName(L"Moved");
    second.heard.clear();
    second.InsertComponent(c);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(c->Owner(), &second);
    ASSERT_FALSE(second.heard.empty());
    EXPECT_EQ(second.heard.front().first, c);
    EXPECT_EQ(second.heard.front().second, opInsert);
    EXPECT_EQ(second.FindComponent(L"moved"), c);
}

TEST_F(Ownership, NamesAreIdentifiersUniqueWithinTheOwner) {
    TCounted owner(nullptr);
    auto* a = new TCounted(&owner);
    auto* b = new TCounted(&owner);
    a->SetName(L"Button1");
    struct Case {
        const wchar_t* name;
        const char* message;
    } cases[] = {
        {L"button1", "A component named button1 already exists"},
        {L"1Button", "'1Button' is not a valid component name"},
        {L"Bad Name", "'Bad Name' is not a valid component name"},
        {L"Кнопка", "'Кнопка' is not a valid component name"},
    };
    for (const Case& c : cases) {
        try {
            b->SetName(c.name);
            ADD_FAILURE() << c.message;
        } catch (const EComponentError& e) {
            EXPECT_EQ(Utf8(e.Message()), c.message);
        }
        EXPECT_EQ(b->Name(), L"");
    }
    a->SetName(L"BUTTON1");  // a component may change the case of its own name
    b->SetName(L"_Button2");
    b->SetName(L"");
    EXPECT_EQ(owner.FindComponent(L"Button1"), a);
    EXPECT_EQ(owner.FindComponent(L""), nullptr);

    // A component joining an owner that already has its name is refused and stays out.
    TCounted other(nullptr);
    auto* clash = new TCounted(&other);
    clash->SetName(L"Button1");
    EXPECT_THROW(owner.InsertComponent(clash), EComponentError);
    EXPECT_EQ(clash->Owner(), &other);
}

TEST_F(Ownership, StateAndSubComponentStyle) {
    TCounted c(nullptr);
    EXPECT_TRUE(c.ComponentState().Empty());  // never designing at run time
    c.Updating();
    EXPECT_TRUE(c.ComponentState().Contains(csUpdating));
    c.Updated();
    EXPECT_FALSE(c.ComponentState().Contains(csUpdating));
    EXPECT_FALSE(c.ComponentStyle().Contains(csSubComponent));
    c.SetSubComponent(true);
    EXPECT_TRUE(c.ComponentStyle().Contains(csSubComponent));
    EXPECT_EQ(Utf8(c.GetNamePath()), "");
    c.SetName(L"Form1");
    EXPECT_EQ(Utf8(c.GetNamePath()), "Form1");
    EXPECT_THROW(c.Components(0), EListError);
}

}  // namespace

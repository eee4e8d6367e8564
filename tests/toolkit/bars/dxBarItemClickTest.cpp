// The click road of a bar item on a hidden form: the manager's OnClickItem before the item's
// OnClick, nothing for a disabled item, the action when OnClick is its own handler, and an
// exception that ends at the application's handler.

#include "BarTestSupport.h"

#include "Actions.h"
#include "Application.h"

namespace {

using ClickRoad = BarTest;

TEST_F(ClickRoad, TheManagersOnClickItemRunsBeforeTheItemsOnClick) {
    TTestBarItem* item = NewItem(L"btnOpen");
    manager->OnClickItem = MakeEvent(&recorder, &TEventRecorder::ItemClicked);
    item->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    item->DirectClick();
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnClickItem btnOpen", "OnClick btnOpen"}));
}

TEST_F(ClickRoad, ADisabledItemRunsNothingAndRefusesItsShortcut) {
    TTestBarItem* item = NewItem(L"btnSave");
    item->SetShortCut(ShortCut('S', {ssCtrl}));
    manager->OnClickItem = MakeEvent(&recorder, &TEventRecorder::ItemClicked);
    item->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    item->SetEnabled(false);
    item->DirectClick();
    item->Click();
    EXPECT_FALSE(item->ExecuteShortCut(ShortCut('S', {ssCtrl})));
    EXPECT_TRUE(recorder.log.empty());
    // Enabled again, the key clicks it once; another key or no key does nothing.
    item->SetEnabled(true);
    EXPECT_FALSE(item->ExecuteShortCut(ShortCut('O', {ssCtrl})));
    EXPECT_TRUE(item->ExecuteShortCut(ShortCut('S', {ssCtrl})));
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnClickItem btnSave", "OnClick btnSave"}));
}

TEST_F(ClickRoad, AZeroShortcutNeverMatches) {
    TTestBarItem* item = NewItem(L"btnNoKey");  // its own shortcut is 0 as well
    item->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    EXPECT_FALSE(item->ExecuteShortCut(0));
    EXPECT_TRUE(recorder.log.empty());
}

TEST_F(ClickRoad, AnExceptionInOnClickReachesTheApplicationAndTheClickEnds) {
    TTestBarItem* item = NewItem(L"btnFail");
    item->OnClick = MakeEvent(&recorder, &TEventRecorder::Raise);
    EXPECT_NO_THROW(item->DirectClick());
    std::vector<TShownBox> boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Utf8(boxes[0].Text), "Команда не выполнена");
    // The item goes on working.
    item->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    item->DirectClick();
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"raise", "OnClick btnFail"}));
}

TEST_F(ClickRoad, AnExceptionInOnClickItemStopsTheClickBeforeOnClick) {
    TTestBarItem* item = NewItem(L"btnGuarded");
    manager->OnClickItem = TdxBarClickItemEvent(+[](TObject*, TdxBarItem*) { throw Exception(L"refused"); });
    item->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    item->DirectClick();
    EXPECT_TRUE(recorder.log.empty());
    ASSERT_EQ(TakeBoxes().size(), 1u);
}

TEST_F(ClickRoad, AnItemFreedByItsOwnHandlerEndsTheClickQuietly) {
    TTestBarItem* item = NewItem(L"btnClose");
    struct TFreer : TObject {
        void Free(TObject* sender) { FreeObject(sender); }
    } freer;
    item->OnClick = MakeEvent(&freer, &TFreer::Free);
    item->DirectClick();
    EXPECT_EQ(manager->FindItemByName(L"btnClose"), nullptr);
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(ClickRoad, OnClickThatIsTheActionsOwnHandlerRunsOnce) {
    auto* action = new TAction(form.get());
    action->SetOnExecute(MakeEvent(&recorder, &TEventRecorder::Executed));
    TTestBarItem* item = NewItem(L"btnAction");
    item->SetAction(action);
    ASSERT_TRUE(item->OnClick == action->OnExecute());  // the action gave it its handler
    item->DirectClick();
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnExecute"}));
    // A handler of its own runs instead of the action.
    item->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    item->DirectClick();
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnExecute", "OnClick btnAction"}));
}

TEST_F(ClickRoad, OnlyTheCodeOfOnClickIsComparedWithTheActionsHandler) {
    // The same method of another object counts as the action's own handler.
    TEventRecorder other;
    auto* action = new TAction(form.get());
    action->SetOnExecute(MakeEvent(&recorder, &TEventRecorder::Executed));
    TTestBarItem* item = NewItem(L"btnSame");
    item->SetAction(action);
    item->OnClick = MakeEvent(&other, &TEventRecorder::Executed);
    item->DirectClick();
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnExecute"}));
    EXPECT_TRUE(other.log.empty());
}

TEST_F(ClickRoad, InDesignModeAnItemWithOnlyAnActionRunsNothing) {
    auto* action = new TAction(form.get());
    TTestBarItem* item = NewItem(L"btnDesign");
    item->SetAction(action);
    action->SetOnExecute(MakeEvent(&recorder, &TEventRecorder::Executed));
    item->OnClick = nullptr;
    item->SetStateFlag(csDesigning, true);
    item->DirectClick();
    EXPECT_TRUE(recorder.log.empty());
    item->SetStateFlag(csDesigning, false);
    item->DirectClick();
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnExecute"}));
}

}  // namespace

// The ribbon under real input on the test display: clicks on tab headers, a double click on the
// active tab, the wheel while another control has the focus, and a held tab scroll button.
#include <gtest/gtest.h>

#include "CustomEdit.h"
#include "Format.h"
#include "RibbonTesting.h"
#include "dxRibbonController.h"

namespace {

TPoint HeaderCentre(TdxCustomRibbon* ribbon, TdxRibbonTab* tab) {
    const TRect r = ribbon->ViewInfo()->TabsViewInfo()->Find(tab)->Bounds();
    return ribbon->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

TPoint Centre(TdxCustomRibbon* ribbon, const TRect& r) {
    return ribbon->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

}  // namespace

TEST_F(RibbonTest, AClickActivatesATabAndADoubleClickOnTheActiveOneMinimizesTheRibbon) {
    TdxRibbonTab* first = NewTab(L"Элементы");
    TdxRibbonTab* second = NewTab(L"Помощь");
    PumpUntilIdle();
    ClickAt(HeaderCentre(ribbon, second));
    EXPECT_TRUE(PumpUntil([&] { return second->Active(); }));
    EXPECT_TRUE(ribbon->ShowTabGroups());

    ClickAt(HeaderCentre(ribbon, second));
    ClickAt(HeaderCentre(ribbon, second));
    EXPECT_TRUE(PumpUntil([&] { return !ribbon->ShowTabGroups(); }));
    EXPECT_EQ(ribbon->Height(), 25);
    EXPECT_TRUE(second->Active());

    // Minimized, a click (far from the last one: no pair) still changes the tab; the second
    // click there makes the double click that restores the groups.
    ClickAt(HeaderCentre(ribbon, first));
    EXPECT_TRUE(PumpUntil([&] { return first->Active(); }));
    EXPECT_FALSE(ribbon->ShowTabGroups());
    ClickAt(HeaderCentre(ribbon, first));
    EXPECT_TRUE(PumpUntil([&] { return ribbon->ShowTabGroups(); }));
}

TEST_F(RibbonTest, TheWheelOverTheRibbonSwitchesTabsWhileAnotherControlHasTheFocus) {
    ASSERT_TRUE(IsRibbonWheelHookInstalled());
    TdxRibbonTab* tabs[] = {NewTab(L"Элементы"), NewTab(L"Вид"), NewTab(L"Помощь")};
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, 300, 120, 24);
    edit->SetFocus();
    PumpUntil([&] { return edit->Focused(); });
    MoveMouseTo(HeaderCentre(ribbon, tabs[0]));
    PumpUntilIdle();
    // Down: to the next tab, stopping at the last; up: back, stopping at the first.
    const int down[] = {1, 2, 2};
    for (int expected : down) {
        WheelBy(-WHEEL_DELTA);
        EXPECT_TRUE(PumpUntil([&] { return tabs[expected]->Active(); })) << expected;
        PumpUntilIdle();
        EXPECT_TRUE(tabs[expected]->Active());
    }
    const int up[] = {1, 0, 0};
    for (int expected : up) {
        WheelBy(WHEEL_DELTA);
        EXPECT_TRUE(PumpUntil([&] { return tabs[expected]->Active(); })) << expected;
        PumpUntilIdle();
        EXPECT_TRUE(tabs[expected]->Active());
    }
    EXPECT_TRUE(edit->Focused());
    // Over another control the wheel is left alone.
    MoveMouseTo(edit->ClientToScreen(TPoint{5, 5}));
    PumpUntilIdle();
    WheelBy(-WHEEL_DELTA);
    PumpUntilIdle();
    EXPECT_TRUE(tabs[0]->Active());
}

TEST_F(RibbonTest, AHeldTabScrollButtonStepsFourteenThenThreePixelsAndPausesOffTheButton) {
    for (int i = 1; i <= 16; ++i) NewTab(Format(L"Вкладка %d", {i}));
    form->SetBounds(0, 0, 400, 400);
    PumpUntilIdle();
    TdxRibbonTabsViewInfo* tabs = ViewInfo()->TabsViewInfo();
    TdxRibbonController* controller = ribbon->Controller();
    ASSERT_TRUE(tabs->ScrollButtons().Contains(rsbRight));
    const TPoint button = Centre(ribbon, tabs->RightScrollButtonBounds());
    MoveMouseTo(button);
    EXPECT_TRUE(PumpUntil([&] { return controller->HotElement() == rhtTabScrollRight; }));
    MouseButton(true);
    EXPECT_TRUE(PumpUntil([&] { return tabs->ScrollOffset() == 14; }));
    EXPECT_EQ(controller->ScrollingElement(), rhtTabScrollRight);
    EXPECT_EQ(controller->RepeatTimer()->Interval(), UINT(TdxRibbonController::ScrollDelay));
    // The test fires the repeat itself.
    TTimer* timer = controller->RepeatTimer();
    timer->SetEnabled(false);
    const auto tick = [&] { timer->OnTimer()(timer); };
    tick();
    EXPECT_EQ(tabs->ScrollOffset(), 17);
    EXPECT_EQ(timer->Interval(), UINT(TdxRibbonController::ScrollInterval));
    tick();
    EXPECT_EQ(tabs->ScrollOffset(), 20);

    // Off the button the repeat pauses; back on it, it goes on.
    MoveMouseTo(ribbon->ClientToScreen(TPoint{150, 60}));
    EXPECT_TRUE(PumpUntil([&] { return controller->HotElement() != rhtTabScrollRight; }));
    tick();
    EXPECT_EQ(tabs->ScrollOffset(), 20);
    MoveMouseTo(button);
    EXPECT_TRUE(PumpUntil([&] { return controller->HotElement() == rhtTabScrollRight; }));
    tick();
    EXPECT_EQ(tabs->ScrollOffset(), 23);

    MouseButton(false);
    EXPECT_TRUE(PumpUntil([&] { return controller->ScrollingElement() == rhtNone; }));
    EXPECT_FALSE(timer->Enabled());
    // The cut captions show as hints; a full caption needs none.
    const int x = tabs->GetVisibleArea().left + 20;
    TdxRibbonTab* shown = ViewInfo()->GetTabAt(x, 5);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(controller->GetHintText(x, 5), shown->Caption());
}

TEST_F(RibbonTest, AFullCaptionGivesNoHint) {
    TdxRibbonTab* tab = NewTab(L"Элементы");
    const TRect header = ViewInfo()->TabsViewInfo()->Find(tab)->Bounds();
    EXPECT_EQ(ribbon->Controller()->GetHintText(header.left + 2, 5), L"");
}

TEST_F(RibbonTest, TheHintsOfTheRibbonsOwnElements) {
    TdxRibbonTab* tab = NewTab(L"Элементы");
    TdxRibbonController* controller = ribbon->Controller();
    const struct {
        TdxRibbonHitTest code;
        const wchar_t* text;
    } hints[] = {
        {rhtTab, L""},  // the caption is shown in full
        {rhtMDIMinimize, L"Minimize Window"},
        {rhtMDIRestore, L"Восстановить окно"},
        {rhtMDIClose, L"Закрыть окно"},
        {rhtTabScrollLeft, L""},
        {rhtHelpButton, L""},  // no screen tip
    };
    for (const auto& h : hints)
        EXPECT_EQ(controller->HintTextFor(TdxRibbonHitInfo{h.code, tab}), h.text) << int(h.code);
}

TEST_F(RibbonTest, TheWheelLeavesAMinimizedRibbonsTabAlone) {
    TdxRibbonTab* first = NewTab(L"Элементы");
    NewTab(L"Помощь");
    ribbon->SetShowTabGroups(false);
    EXPECT_FALSE(ribbon->Controller()->MouseWheel(true));
    EXPECT_TRUE(first->Active());
    ribbon->SetShowTabGroups(true);
    EXPECT_TRUE(ribbon->Controller()->MouseWheel(true));
    EXPECT_FALSE(first->Active());
    EXPECT_FALSE(ribbon->Controller()->MouseWheel(true)) << "no wrapping round";
}

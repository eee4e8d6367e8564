// A minimized ribbon under real input: a click on a tab shows its groups in a popup below the
// headers, a second click on it closes the popup without opening it again; and the hints of
// the ribbon's own elements reach the bar manager's hint window.
#include <gtest/gtest.h>

#include "Format.h"
#include "../bars/RecordingHints.h"
#include "RibbonTesting.h"
#include "dxBarHints.h"
#include "dxRibbonController.h"
#include "dxRibbonTabGroupsPopupWindow.h"

namespace {

TPoint TabHeaderCentre(TdxCustomRibbon* ribbon, TdxRibbonTab* tab) {
    const TRect r = ribbon->ViewInfo()->TabsViewInfo()->Find(tab)->Bounds();
    return ribbon->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

bool PopupShown(TdxCustomRibbon* ribbon) {
    return ribbon->GroupsPopupWindow() && ribbon->GroupsPopupWindow()->IsShown() && ribbon->IsGroupsPopupShown();
}

}  // namespace

TEST_F(RibbonTest, AMinimizedRibbonsTabOpensItsGroupsPopupAndASecondClickClosesIt) {
    TdxRibbonTab* first = NewTab(L"Элементы");
    TdxRibbonTab* second = NewTab(L"Помощь");
    ribbon->SetShowTabGroups(false);
    PumpUntilIdle();
    const int minimizedHeight = ribbon->Height();

    ClickAt(TabHeaderCentre(ribbon, second));
    ASSERT_TRUE(PumpUntil([&] { return PopupShown(ribbon); }));
    EXPECT_TRUE(second->Active());
    EXPECT_FALSE(ribbon->ShowTabGroups());
    EXPECT_EQ(ribbon->Height(), minimizedHeight) << "the popup lies over the form, the ribbon keeps its height";
    // As wide as the ribbon, its top one pixel above the headers' bottom, as high as the groups.
    TdxRibbonTabGroupsPopupWindow* popup = ribbon->GroupsPopupWindow();
    const TPoint ribbonTopLeft = ribbon->ClientToScreen(TPoint{0, 0});
    EXPECT_EQ(popup->Left(), ribbonTopLeft.x);
    EXPECT_EQ(popup->Width(), ribbon->Width());
    EXPECT_EQ(popup->Top(), ribbonTopLeft.y + ViewInfo()->TabsViewInfo()->Bounds().bottom - 1);
    EXPECT_EQ(popup->Height(), ViewInfo()->GetTabGroupsHeight(true));
    // The groups site went into the popup, the tab's groups dock control shows inside it.
    EXPECT_EQ(ribbon->GroupsSite()->Parent(), popup);
    EXPECT_TRUE(second->DockControl()->Visible());
    EXPECT_EQ(second->DockControl()->Parent(), ribbon->GroupsSite());

    // The second click on the tab closes the popup and does not open it again (a pause keeps
    // it from pairing with the first into a double click).
    PumpForTicks(GetDoubleClickTime() + 50, 1);
    ClickAt(TabHeaderCentre(ribbon, second));
    ASSERT_TRUE(PumpUntil([&] { return !ribbon->IsGroupsPopupShown(); }));
    PumpUntilIdle();
    EXPECT_FALSE(PopupShown(ribbon));
    EXPECT_EQ(ribbon->GroupsSite()->Parent(), ribbon) << "the site came back";
    EXPECT_FALSE(ribbon->ShowTabGroups());

    // A third click opens it again; a click on the other tab moves it to that tab.
    PumpForTicks(GetDoubleClickTime() + 50, 1);
    ClickAt(TabHeaderCentre(ribbon, second));
    ASSERT_TRUE(PumpUntil([&] { return PopupShown(ribbon); }));
    PumpForTicks(GetDoubleClickTime() + 50, 1);
    ClickAt(TabHeaderCentre(ribbon, first));
    ASSERT_TRUE(PumpUntil([&] { return first->Active() && PopupShown(ribbon); }));
    EXPECT_TRUE(first->DockControl()->Visible());

    // Escape closes it.
    TypeKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !ribbon->IsGroupsPopupShown(); }));
    EXPECT_FALSE(ribbon->ShowTabGroups());
}

TEST_F(RibbonTest, RestoringTheRibbonClosesItsGroupsPopup) {
    TdxRibbonTab* tab = NewTab(L"Элементы");
    ribbon->SetShowTabGroups(false);
    PumpUntilIdle();
    ClickAt(TabHeaderCentre(ribbon, tab));
    ASSERT_TRUE(PumpUntil([&] { return PopupShown(ribbon); }));
    ribbon->SetShowTabGroups(true);
    EXPECT_FALSE(ribbon->IsGroupsPopupShown());
    EXPECT_EQ(ribbon->GroupsSite()->Parent(), ribbon);
    PumpUntilIdle();
    const TRect site = ribbon->GroupsSite()->BoundsRect(), groups = ViewInfo()->TabGroupsBounds();
    EXPECT_TRUE(EqualRect(&site, &groups));
    EXPECT_TRUE(tab->DockControl()->Visible());
}

TEST_F(RibbonTest, ACutTabCaptionShowsAsTheManagersHintAndGoesWhenTheMouseLeaves) {
    TRecordingHintDisplay display;
    TRecordingHintTimers timers;
    SetBarHintDisplay(&display);
    SetBarHintTimers(&timers);
    struct TRestore {
        ~TRestore() {
            TdxBarManager::HintGuardExpired();
            SetBarHintDisplay(nullptr);
            SetBarHintTimers(nullptr);
        }
    } restore;

    for (int i = 0; i < 12; ++i) NewTab(Format(L"Закладка номер %d", {i}));
    PumpUntilIdle();
    TdxRibbonController* controller = ribbon->Controller();
    TdxRibbonTabsViewInfo* tabs = ViewInfo()->TabsViewInfo();
    ASSERT_TRUE(tabs->TextsTruncated());
    const int x = tabs->GetVisibleArea().left + 20;
    TdxRibbonTab* tab = ViewInfo()->GetTabAt(x, 5);
    ASSERT_NE(tab, nullptr);

    controller->MouseMove(TShiftState{}, x, 5);
    EXPECT_EQ(controller->HintElement(), rhtTab);
    EXPECT_EQ(manager->HintObject(), controller);
    TdxBarManager::HintTimerExpired();  // the show delay passed
    EXPECT_EQ(display.log, (std::vector<std::string>{"show " + Utf8(tab->Caption())}));

    // Off the ribbon the hint goes and the element is forgotten.
    controller->MouseLeave();
    EXPECT_EQ(controller->HintElement(), rhtNone);
    EXPECT_FALSE(display.visible);

    // A press hides a hint on show.
    controller->MouseMove(TShiftState{}, x, 5);
    TdxBarManager::HintTimerExpired();
    ASSERT_TRUE(display.visible);
    controller->MouseDown(mbLeft, TShiftState{}, x, 5);
    EXPECT_FALSE(display.visible);
    controller->MouseUp(mbLeft, TShiftState{}, x, 5);
}

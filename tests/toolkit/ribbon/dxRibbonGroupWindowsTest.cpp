// The groups of a ribbon on a shown form: each group's toolbar docks into its tab's groups dock
// control as a group window, the large buttons stand in it, and real clicks reach OnClick.
// Freeing a ribbon, a toolbar or the manager leaves no window or pointer behind.
#include <gtest/gtest.h>

#include "EditorLikeRibbon.h"
#include "dxRibbonDockControls.h"

TEST_F(EditorLikeRibbonTest, EachGroupsToolbarShowsAsAGroupWindowInItsTabsDockControl) {
    TdxRibbonGroupsDockControl* dock = tabs[0]->DockControl();
    ASSERT_TRUE(dock->Visible());
    for (int b = 0; b < 3; ++b) {
        TdxRibbonGroupBarControl* window = GroupWindow(b);
        ASSERT_NE(window, nullptr) << b;
        EXPECT_EQ(window->Parent(), dock);
        EXPECT_TRUE(window->HandleAllocated() && IsWindowVisible(window->Handle())) << b;
        EXPECT_EQ(window->ShownGroup(), tabs[0]->Groups()->Items(b));
        EXPECT_EQ(window->GetRibbon(), ribbon);
    }
    // Side by side from the left, two pixels apart, as high as a group.
    EXPECT_EQ(GroupWindow(0)->Left(), 0);
    EXPECT_EQ(GroupWindow(1)->Left(), GroupWindow(0)->Left() + GroupWindow(0)->Width() + 2);
    EXPECT_EQ(GroupWindow(2)->Left(), GroupWindow(1)->Left() + GroupWindow(1)->Width() + 2);
    EXPECT_EQ(GroupWindow(0)->Height(), ribbon->GetGroupHeight());
    // The large buttons take the three rows in full; the caption band lies below the client.
    const TRect open = ButtonLink(1)->ItemRect();
    EXPECT_EQ(RectHeight(open), 3 * ribbon->GetGroupRowHeight());
    EXPECT_GE(RectWidth(open), 32 + 10);
    EXPECT_EQ(GroupWindow(0)->ClientHeight(), 3 * ribbon->GetGroupRowHeight());
    EXPECT_FALSE(GroupWindow(0)->IsCollapsed());
}

TEST_F(EditorLikeRibbonTest, AClickOnALargeButtonRunsOnClickItemThenOnClickOnce) {
    buttons[2]->SetEnabled(false);
    PumpUntilIdle();
    ClickAt(ButtonCentre(1, 0));
    ASSERT_TRUE(PumpUntil([&] { return recorder.log.size() >= 2; })) << recorder.log.size();
    PumpUntilIdle();
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnClickItem btn1", "OnClick btn1"}));

    recorder.log.clear();
    PumpForTicks(GetDoubleClickTime() + 50, 1);
    ClickAt(ButtonCentre(2, 0));
    PumpUntilIdle();
    EXPECT_TRUE(recorder.log.empty()) << "a disabled button does nothing";

    // A button of the third group, then the caption band under it, which is no button.
    PumpForTicks(GetDoubleClickTime() + 50, 1);
    ClickAt(ButtonCentre(8, 2));
    ASSERT_TRUE(PumpUntil([&] { return recorder.log.size() >= 2; }));
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnClickItem btn8", "OnClick btn8"}));
    recorder.log.clear();
    PumpForTicks(GetDoubleClickTime() + 50, 1);
    RECT w;
    GetWindowRect(GroupWindow(2)->Handle(), &w);
    ClickAt(TPoint{(w.left + w.right) / 2, w.bottom - 4});
    PumpUntilIdle();
    EXPECT_TRUE(recorder.log.empty());
}

TEST_F(EditorLikeRibbonTest, SwitchingTabsShowsTheOtherTabsGroupsAndTheirButtonsWork) {
    ribbon->SetActiveTab(tabs[1]);
    PumpUntilIdle();
    EXPECT_FALSE(tabs[0]->DockControl()->Visible());
    ASSERT_TRUE(tabs[1]->DockControl()->Visible());
    ASSERT_NE(GroupWindow(4), nullptr);
    EXPECT_EQ(GroupWindow(4)->Parent(), tabs[1]->DockControl());
    ClickAt(ButtonCentre(12, 4));
    ASSERT_TRUE(PumpUntil([&] { return recorder.log.size() >= 2; }));
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnClickItem btn12", "OnClick btn12"}));
}

TEST_F(EditorLikeRibbonTest, FreeingTheRibbonLeavesTheToolbarsWithoutItsDocks) {
    delete ribbon;
    ribbon = nullptr;
    PumpUntilIdle();
    for (TdxBar* bar : bars) {
        EXPECT_EQ(bar->DockControl(), nullptr);
        EXPECT_FALSE(As<TdxRibbonGroupBarControl>(bar->BarControl())) << "no group window outlives its dock";
    }
    // The toolbars still work as toolbars: hidden and shown again, then freed with the form.
    bars[0]->SetVisible(false);
    bars[0]->SetVisible(true);
    PumpUntilIdle();
}

TEST_F(EditorLikeRibbonTest, FreeingAToolbarOrTheManagerTakesItsGroupAway) {
    TdxRibbonGroupBarControl* window = GroupWindow(1);
    ASSERT_NE(window, nullptr);
    delete bars[1];
    bars.erase(bars.begin() + 1);
    PumpUntilIdle();
    EXPECT_EQ(tabs[0]->Groups()->Count(), 2);
    EXPECT_EQ(GroupWindow(1)->Left(), GroupWindow(0)->Width() + 2) << "the next group moved up";

    delete manager;
    manager = nullptr;
    bars.clear();
    PumpUntilIdle();
    EXPECT_EQ(tabs[0]->Groups()->Count(), 0);
    EXPECT_EQ(tabs[1]->Groups()->Count(), 0);
    ribbon->SetActiveTab(tabs[1]);
    PumpUntilIdle();
}

TEST_F(EditorLikeRibbonTest, FreeingTheFormWithItsDockedGroupsLeavesNothingBehind) {
    // The form frees manager and ribbon in its own order; the next tests run in this process.
    form.reset();
    PumpUntilIdle();
    SUCCEED();
}

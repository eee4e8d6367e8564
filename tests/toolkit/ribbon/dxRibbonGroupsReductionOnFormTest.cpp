// The editor-like ribbon on a form that gets narrower: the groups are reduced from the right,
// then collapsed; a collapsed group opens the whole group in a popup where a command runs; a
// press outside closes that popup.
#include <gtest/gtest.h>

#include <cstdlib>

#include "EditorLikeRibbon.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlViewInfo.h"
#include "dxRibbonDockControls.h"
#include "dxRibbonTabGroupsPopupWindow.h"

namespace {

class TGroupEvents : public TObject {
public:
    std::vector<std::string> log;
    void Collapsed(TdxCustomRibbon*, TdxRibbonTab*, TdxRibbonTabGroup* group) {
        log.push_back("collapsed " + Utf8(group->ToolBar()->Name()));
    }
    void Expanded(TdxCustomRibbon*, TdxRibbonTab*, TdxRibbonTabGroup* group) {
        log.push_back("expanded " + Utf8(group->ToolBar()->Name()));
    }
};

class GroupsOnFormTest : public EditorLikeRibbonTest {
protected:
    void SetUp() override {
        EditorLikeRibbonTest::SetUp();
        ribbon->OnTabGroupCollapsed = MakeEvent(&events, &TGroupEvents::Collapsed);
        ribbon->OnTabGroupExpanded = MakeEvent(&events, &TGroupEvents::Expanded);
        info = tabs[0]->DockControl()->GroupsViewInfo();
        SetGroupsAreaWidth(1400);
        fullWidth = info->TotalGroupsWidth();
    }
    int Level(int button) const {
        TdxBarItemControl* control = ButtonLink(button)->Control();
        return control ? control->ViewInfo()->GetViewLevel() : ivlDefault;
    }
    bool Collapsed(int bar) const { return GroupWindow(bar)->IsCollapsed(); }
    // With ZARNIK_RIBBON_GROUPS_PICTURES set to a folder, the ribbon as the screen shows it now
    // (with what lies below it down to the popup's bottom) is saved there as <name>.bmp
    // (scripts/ribbon-groups-pictures.sh makes the docs pictures from them).
    void SavePicture(const char* name, int extraWidth = 0, int extraHeight = 0) {
        const char* folder = std::getenv("ZARNIK_RIBBON_GROUPS_PICTURES");
        if (!folder) return;
        PumpUntilIdle();
        ribbon->Update();
        const TPoint origin = ribbon->ClientToScreen(TPoint{0, 0});
        HDC screen = GetDC(nullptr);
        TBitmap picture(ribbon->Width() + extraWidth, ribbon->Height() + extraHeight, pf24bit);
        BitBlt(picture.Canvas()->Handle(), 0, 0, picture.Width(), picture.Height(), screen, origin.x, origin.y, SRCCOPY);
        ReleaseDC(nullptr, screen);
        const std::string file = std::string(folder) + "\\" + name + ".bmp";
        picture.SaveToFile(String(file.begin(), file.end()));
    }

    TGroupEvents events;
    TdxRibbonGroupsDockControlViewInfo* info = nullptr;
    int fullWidth = 0;
    // The narrowest groups area of a ribbon that still shows (a narrower form hides it).
    static constexpr int NarrowWidth = 300;
};

}  // namespace

TEST_F(GroupsOnFormTest, NarrowingTheFormReducesGroupsFromTheRightThenCollapsesThem) {
    ASSERT_GT(fullWidth, 300);
    SetGroupsAreaWidth(fullWidth);
    EXPECT_EQ(info->TotalGroupsWidth(), fullWidth) << "everything fits at full size";
    for (int b = 0; b < 9; ++b) EXPECT_EQ(Level(b), ivlLargeIconWithText) << b;
    EXPECT_EQ(info->ScrollSides(), TdxRibbonGroupsScrollSides{});
    SavePicture("full");

    // One pixel less: groups are reduced from the right; the leftmost keeps its large buttons.
    SetGroupsAreaWidth(fullWidth - 1);
    EXPECT_LE(info->TotalGroupsWidth(), fullWidth - 1);
    for (int b = 0; b < 3; ++b) EXPECT_EQ(Level(b), ivlLargeIconWithText) << b;
    int reduced = 0;
    for (int b = 3; b < 9; ++b) reduced += Level(b) != ivlLargeIconWithText;
    EXPECT_GT(reduced, 0) << "a group to the right was reduced";
    EXPECT_TRUE(events.log.empty());
    SavePicture("reduced");

    // As narrow as the form lets the ribbon show: the rightmost group collapses to a button.
    SetGroupsAreaWidth(NarrowWidth);
    EXPECT_FALSE(ribbon->Hidden());
    EXPECT_TRUE(Collapsed(2));
    EXPECT_FALSE(Collapsed(0));
    EXPECT_EQ(events.log, (std::vector<std::string>{"collapsed bar1", "collapsed bar2"})) << "in group order";
    const TRect rect = ButtonLink(8)->ItemRect();
    EXPECT_TRUE(IsRectEmpty(&rect)) << "a collapsed group's links have no rectangles";
    EXPECT_LT(GroupWindow(2)->Width(), 100) << "one button";
    EXPECT_EQ(GroupWindow(2)->Height(), ribbon->GetGroupHeight());

    // Wide again: every group expanded at full size, each reported.
    events.log.clear();
    SetGroupsAreaWidth(fullWidth + 50);
    for (int b = 0; b < 3; ++b) EXPECT_FALSE(Collapsed(b)) << b;
    for (int b = 0; b < 9; ++b) EXPECT_EQ(Level(b), ivlLargeIconWithText) << b;
    EXPECT_NE(std::find(events.log.begin(), events.log.end(), "expanded bar2"), events.log.end());
    EXPECT_EQ(info->ScrollSides(), TdxRibbonGroupsScrollSides{});
}

TEST_F(GroupsOnFormTest, ACollapsedGroupOpensItsWholeGroupInAPopupWhereACommandRuns) {
    SetGroupsAreaWidth(NarrowWidth);
    ASSERT_TRUE(Collapsed(2));
    TdxRibbonGroupBarControl* window = GroupWindow(2);
    RECT w;
    GetWindowRect(window->Handle(), &w);
    ClickAt(TPoint{(w.left + w.right) / 2, (w.top + w.bottom) / 2});
    ASSERT_TRUE(PumpUntil([&] { return window->CollapsedPopup() != nullptr; }));
    TdxRibbonCollapsedGroupPopupBarControl* popup = window->CollapsedPopup();
    PumpUntilIdle();
    ASSERT_TRUE(popup->HandleAllocated() && IsWindowVisible(popup->Handle()));
    RECT p;
    GetWindowRect(popup->Handle(), &p);
    EXPECT_EQ(p.top, w.bottom) << "right below the collapsed button";
    SavePicture("popup", std::max(0, int(p.right) - int(ribbon->ClientToScreen(TPoint{ribbon->Width(), 0}).x) + 4),
                p.bottom - p.top + 4);
    // The whole group: three large buttons side by side.
    for (int b = 6; b < 9; ++b) {
        const TRect r = ButtonLink(b)->ItemRect();
        EXPECT_EQ(RectHeight(r), 3 * ribbon->GetGroupRowHeight()) << b;
        EXPECT_EQ(Level(b), ivlLargeIconWithText) << b;
    }
    const TRect r = ButtonLink(7)->ItemRect();
    ClickAt(popup->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
    ASSERT_TRUE(PumpUntil([&] { return recorder.log.size() >= 2; }));
    PumpUntilIdle();
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnClickItem btn7", "OnClick btn7"}));
    EXPECT_EQ(window->CollapsedPopup(), nullptr) << "the command closed the popup";
    EXPECT_TRUE(window->IsCollapsed());
    const TRect back = ButtonLink(7)->ItemRect();
    EXPECT_TRUE(IsRectEmpty(&back)) << "the links went back to the collapsed group";

    // Opened again, a press outside closes it without running anything.
    recorder.log.clear();
    PumpForTicks(GetDoubleClickTime() + 50, 1);
    ClickAt(TPoint{(w.left + w.right) / 2, (w.top + w.bottom) / 2});
    ASSERT_TRUE(PumpUntil([&] { return window->CollapsedPopup() != nullptr; }));
    PumpUntilIdle();
    PumpForTicks(GetDoubleClickTime() + 50, 1);
    ClickAt(ButtonCentre(0, 0));
    ASSERT_TRUE(PumpUntil([&] { return window->CollapsedPopup() == nullptr; }));
    PumpUntilIdle();
    EXPECT_EQ(std::count(recorder.log.begin(), recorder.log.end(), "OnClick btn7"), 0);
}

TEST_F(GroupsOnFormTest, AGroupThatMayNotCollapseStaysExpandedAndScrolls) {
    tabs[0]->Groups()->Items(2)->SetCanCollapse(false);
    SetGroupsAreaWidth(NarrowWidth);
    EXPECT_FALSE(Collapsed(2));
    EXPECT_TRUE(Collapsed(1)) << "the next group to the left collapses instead";
    EXPECT_GT(info->TotalGroupsWidth(), NarrowWidth);
    EXPECT_TRUE(info->ScrollSides().Contains(gssRight)) << "what still does not fit scrolls";
}

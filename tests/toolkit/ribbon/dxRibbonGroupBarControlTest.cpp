// A group window on a shown form: its large buttons laid out in the group's three rows, the
// item rectangles handed to the links, and a real click reaching the item's OnClick.
#include <gtest/gtest.h>

#include "../ToolkitTestSupport.h"
#include "../bars/BarTestSupport.h"
#include "ExtItemsTesting.h"
#include "WindowTesting.h"
#include "dxBarExtItems.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarPopupMenu.h"
#include "dxRibbonDockControls.h"
#include "dxRibbonGroupBarControl.h"

namespace {

class GroupWindowTest : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        EnsureLargeButtonRegistered();
        form->SetBounds(50, 50, 500, 200);
        form->Show();
        links = (new TdxBarPopupMenu(form.get()))->ItemLinks();
        manager->OnClickItem = MakeEvent(&recorder, &TEventRecorder::ItemClicked);
    }
    TdxBarLargeButton* AddButton(const String& name) {
        auto* button = new TdxBarLargeButton(form.get());
        button->SetName(name);
        button->SetCaption(name);
        button->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
        links->AddItem(button);
        return button;
    }
    TdxRibbonGroupBarControl* NewGroupWindow() {
        auto* window = new TdxRibbonGroupBarControl(manager);
        window->SetParent(form.get());
        window->SetBounds(10, 10, 10, 10);
        window->AssignItemLinks(links);
        window->LayOutAlone();
        window->Show();
        PumpUntilIdle();
        return window;
    }
    TPoint CentreOf(TdxRibbonGroupBarControl* window, int link) {
        const TRect r = links->GetShownLink(link)->ItemRect();
        return window->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    TdxBarItemLinks* links = nullptr;
};

}  // namespace

TEST_F(GroupWindowTest, LargeButtonsStandSideBySideAtTheGroupsFullHeight) {
    AddButton(L"btnOpen");
    AddButton(L"btnSave");
    TdxRibbonGroupBarControl* window = NewGroupWindow();
    const TRect open = links->GetShownLink(0)->ItemRect(), save = links->GetShownLink(1)->ItemRect();
    EXPECT_EQ(open.left, 2) << "the left indent";
    EXPECT_EQ(open.top, 0);
    EXPECT_EQ(open.bottom, 66);
    EXPECT_EQ(save.left, open.right);
    EXPECT_EQ(window->Width(), save.right + 2);
    EXPECT_EQ(window->Height(), 66);
}

TEST_F(GroupWindowTest, AClickOnALargeButtonRunsOnClickItemThenOnClickOnce) {
    AddButton(L"btnOpen");
    TdxBarLargeButton* disabled = AddButton(L"btnSave");
    disabled->SetEnabled(false);
    TdxRibbonGroupBarControl* window = NewGroupWindow();

    ClickAt(CentreOf(window, 0));
    ASSERT_TRUE(PumpUntil([&] { return recorder.log.size() >= 2; })) << recorder.log.size();
    PumpUntilIdle();
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnClickItem btnOpen", "OnClick btnOpen"}));

    recorder.log.clear();
    ClickAt(CentreOf(window, 1));
    PumpUntilIdle();
    EXPECT_TRUE(recorder.log.empty()) << "a disabled button does nothing";
}

TEST_F(GroupWindowTest, NarrowingReducesGroupsFromTheRightThenCollapsesThem) {
    auto* dock = new TdxRibbonGroupsDockControl(nullptr);
    dock->SetParent(form.get());
    dock->SetBounds(0, 0, 480, 100);
    std::vector<TdxRibbonGroupBarControl*> groups;
    for (int g = 0; g < 3; ++g) {
        links = (new TdxBarPopupMenu(form.get()))->ItemLinks();
        for (int b = 0; b < 3; ++b) AddButton(L"btn" + std::to_wstring(g) + L"_" + std::to_wstring(b));
        auto* window = new TdxRibbonGroupBarControl(manager);
        window->SetParent(dock);
        window->AssignItemLinks(links);
        window->GroupViewInfo()->SetCollapsedWidth(50);
        groups.push_back(window);
    }
    auto level = [&](int g) { return groups[size_t(g)]->GroupViewInfo()->GetItemViewInfo(0)->GetViewLevel(); };
    TdxRibbonGroupsDockControlViewInfo* info = dock->GroupsViewInfo();

    dock->CalculateGroups(Rect(0, 0, 2000, 100));
    const int full = info->TotalGroupsWidth();
    for (int g = 0; g < 3; ++g) EXPECT_EQ(level(g), ivlLargeIconWithText);
    EXPECT_EQ(groups[1]->Left(), groups[0]->Width() + 2) << "side by side, 2 pixels apart";

    dock->CalculateGroups(Rect(0, 0, full - 1, 100));
    EXPECT_EQ(level(2), ivlSmallIconWithText) << "the rightmost group goes first";
    EXPECT_EQ(level(1), ivlLargeIconWithText);
    EXPECT_EQ(level(0), ivlLargeIconWithText);
    EXPECT_LE(info->TotalGroupsWidth(), full - 1);

    dock->CalculateGroups(Rect(0, 0, 120, 100));
    for (auto* window : groups) EXPECT_TRUE(window->GroupViewInfo()->IsCollapsed());
    const TRect collapsedRect = groups[0]->ItemLinks()->GetShownLink(0)->ItemRect();
    EXPECT_TRUE(IsRectEmpty(&collapsedRect)) << "a collapsed group's links have no rectangles";
    EXPECT_EQ(info->ScrollSides(), TdxRibbonGroupsScrollSides{gssRight}) << "154 pixels in 120";

    dock->CalculateGroups(Rect(0, 0, 2000, 100));
    for (auto* window : groups) EXPECT_FALSE(window->GroupViewInfo()->IsCollapsed());
    EXPECT_EQ(level(2), ivlLargeIconWithText) << "every pass starts at full size";
    EXPECT_EQ(info->ScrollSides(), TdxRibbonGroupsScrollSides{});
}

// A group window on a shown form: its large buttons laid out in the group's three rows, the
// item rectangles handed to the links, and a real click reaching the item's OnClick.
#include <gtest/gtest.h>

#include "../ToolkitTestSupport.h"
#include "../bars/BarTestSupport.h"
#include "WindowTesting.h"
#include "dxBarExtItems.h"
#include "dxBarItemLinks.h"
#include "dxBarPopupMenu.h"
#include "dxRibbonGroupBarControl.h"

namespace {

class GroupWindowTest : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
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

// Page controls and toolbars: tabs and buttons clicked with real input.

#include "ControlSnapshot.h"
#include "ControlsTestForm.h"

TEST_F(StandardControlsTest, APageControlSwitchesPagesOnATabClick) {
    auto* pages = form->Find<TPageControl>(L"pcPages");
    auto* general = form->Find<TTabSheet>(L"tsGeneral");
    auto* view = form->Find<TTabSheet>(L"tsView");
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), general);
    EXPECT_TRUE(IsWindowVisible(general->Handle()));
    EXPECT_FALSE(view->Visible());
    // The pages fill the area under the tabs.
    RECT tab{};
    SendMessageW(pages->Handle(), TCM_GETITEMRECT, 1, LPARAM(&tab));
    EXPECT_GT(general->Top(), int(tab.bottom) - 1);
    form->TakeEvents();

    MapWindowPoints(pages->Handle(), nullptr, reinterpret_cast<POINT*>(&tab), 2);
    ClickAt(RectCentre(tab));
    ASSERT_TRUE(PumpUntil([&] { return pages->ActivePage() == view; }));
    EXPECT_TRUE(IsWindowVisible(view->Handle()));
    EXPECT_FALSE(general->Visible());
    EXPECT_EQ(Edges(view->BoundsRect()), Edges(general->BoundsRect()));
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"pcPages.change"}));

    // A refusing OnChanging keeps the page.
    struct TRefuser : TObject {
        void Changing(TObject*, bool& allow) { allow = false; }
    } refuser;
    pages->OnChanging = MakeEvent(&refuser, &TRefuser::Changing);
    SendMessageW(pages->Handle(), TCM_GETITEMRECT, 0, LPARAM(&tab));
    MapWindowPoints(pages->Handle(), nullptr, reinterpret_cast<POINT*>(&tab), 2);
    ClickAt(RectCentre(tab));
    PumpUntilIdle();
    EXPECT_EQ(pages->ActivePage(), view);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(form->TakeEvents().empty());

    // A hidden tab takes its page out of the row.
    pages->OnChanging = {};
    view->SetTabVisible(false);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(pages->ActivePage(), general);
}

TEST_F(StandardControlsTest, AToolBarLaysOutItsButtonsAndClicksThem) {
    auto* bar = form->Find<TToolBar>(L"tbTools");
    ASSERT_EQ(bar->ButtonCount(), 4);
    auto* open = form->Find<TToolButton>(L"btnOpen");
    auto* grid = form->Find<TToolButton>(L"btnGrid");
    // One after the other, the separator narrower.
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(bar->Buttons(i)->Left(), bar->Buttons(i - 1)->Left() + bar->Buttons(i - 1)->Width());
    EXPECT_LT(bar->Buttons(2)->Width(), bar->Buttons(1)->Width());
    // Each button shows its image.
    TControlSnapshot shot(bar);
    for (int i : {0, 1, 3}) {
        TToolButton* button = bar->Buttons(i);
        TColor expected = TControlsTestForm::ToolImageColors[button->ImageIndex()];
        int found = 0;
        for (int y = button->Top(); y < button->Top() + button->Height(); ++y)
            for (int x = button->Left(); x < button->Left() + button->Width(); ++x)
                found += shot.Pixel(x, y) == expected;
        EXPECT_GT(found, 10) << i;
    }
    form->TakeEvents();
    ClickAt(bar->ClientToScreen(RectCentre(open->BoundsRect())));
    ASSERT_TRUE(PumpUntil([&] { return !form->events.empty(); }));
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"btnOpen.click"}));
    ClickAt(bar->ClientToScreen(RectCentre(grid->BoundsRect())));
    ASSERT_TRUE(PumpUntil([&] { return grid->Down(); }));
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"btnGrid.click"}));
    // A button that goes away leaves the row.
    FreeObject(open);
    EXPECT_EQ(bar->ButtonCount(), 3);
    EXPECT_EQ(SendMessageW(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 3);
}

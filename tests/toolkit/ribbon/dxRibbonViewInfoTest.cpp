// The ribbon's layout: the tab row and its place, the hidden state of a small form, the help
// button, the hit test, and the tab headers' three layouts with scrolling.
#include <gtest/gtest.h>

#include "Format.h"
#include "RibbonTesting.h"

namespace {

TRect HeaderBounds(TdxRibbonTabsViewInfo* tabs, int index) { return tabs->Items(index)->Bounds(); }

}  // namespace

TEST_F(RibbonTest, TheTabRowIs24PixelsHighAndStartsEightPixelsIn) {
    NewTab(L"Элементы");
    NewTab(L"Помощь");
    EXPECT_EQ(ViewInfo()->GetTabRowHeight(), 24);
    EXPECT_FALSE(ViewInfo()->IsApplicationButtonShown()) << "no caption drawn and no quick access toolbar";
    TdxRibbonTabsViewInfo* tabs = ViewInfo()->TabsViewInfo();
    ASSERT_EQ(tabs->Count(), 2);
    EXPECT_TRUE(SameRect(tabs->Bounds(), TRect{8, 0, ribbon->ClientWidth() - 6, 24}));
    EXPECT_EQ(HeaderBounds(tabs, 0).left, 8);
    EXPECT_EQ(HeaderBounds(tabs, 1).left, HeaderBounds(tabs, 0).right);
    // The groups area overlaps the tab row by one pixel and ends the ribbon.
    EXPECT_EQ(ViewInfo()->TabGroupsBounds().top, 23);
    EXPECT_EQ(ribbon->Height(), ViewInfo()->TabGroupsBounds().bottom);
    EXPECT_TRUE(SameRect(ribbon->GroupsSite()->BoundsRect(), ViewInfo()->TabGroupsBounds()));
}

TEST_F(RibbonTest, ASmallFormHidesTheRibbon) {
    NewTab(L"Элементы");
    const int full = ribbon->Height();
    const struct {
        int width, height;
        bool hidden;
    } sizes[] = {{299, 400, true}, {300, 250, false}, {600, 249, true}, {600, 400, false}};
    for (const auto& size : sizes) {
        form->SetBounds(0, 0, size.width, size.height);
        EXPECT_EQ(ribbon->Hidden(), size.hidden) << size.width << " x " << size.height;
        EXPECT_EQ(ribbon->Height(), size.hidden ? 0 : full) << size.width << " x " << size.height;
        EXPECT_EQ(ribbon->ActiveTab()->DockControl()->Visible(), !size.hidden) << size.width << " x " << size.height;
    }
}

TEST_F(RibbonTest, TheHelpButtonShowsOnlyWithItsHandlerAndWinsTheHitTest) {
    NewTab(L"Элементы");
    EXPECT_FALSE(ViewInfo()->IsHelpButtonShown());
    EXPECT_TRUE(SameRect(ViewInfo()->HelpButtonBounds(), TRect{}));
    struct THandler {
        int clicks = 0;
        void Click(TdxCustomRibbon*) { ++clicks; }
    } handler;
    ribbon->OnHelpButtonClick = MakeEvent(&handler, &THandler::Click);
    ribbon->Changed();
    ASSERT_TRUE(ViewInfo()->IsHelpButtonShown());
    const TRect help = ViewInfo()->HelpButtonBounds();
    EXPECT_EQ(help.right, ribbon->ClientWidth() - 6);
    EXPECT_EQ(ViewInfo()->TabsViewInfo()->Bounds().right, help.left - 1);
    TdxRibbonHitInfo info;
    ViewInfo()->HitTest(help.left + 2, help.top + 2, info);
    EXPECT_EQ(info.hitTest, rhtHelpButton);
    ViewInfo()->HitTest(10, 10, info);
    EXPECT_EQ(info.hitTest, rhtTab);
    EXPECT_EQ(info.tab, ribbon->ActiveTab());
    ViewInfo()->HitTest(3, 10, info);
    EXPECT_EQ(info.hitTest, rhtNone) << "left of the tab row";
}

// The three layouts of three headers whose captions are 40, 50 and 60 pixels wide (their first
// three characters 20: minimum widths 30; optimal widths 67, 77 and 87, 231 in all).
TEST_F(RibbonTest, TabHeadersTakeTheirLayoutAtItsBoundaries) {
    NewTab(L"A");
    NewTab(L"B");
    NewTab(L"C");
    TdxRibbonTabsViewInfo* tabs = ViewInfo()->TabsViewInfo();
    ASSERT_EQ(tabs->Count(), 3);
    const int texts[] = {40, 50, 60};
    const struct {
        int width;
        int widths[3];
        int alpha;
        bool truncated, scrolled;
    } cases[] = {
        {231, {67, 77, 87}, 0, false, false},    // exactly optimal
        {230, {67, 77, 86}, 5, false, false},    // one pixel less: only the last header gives it
        {227, {66, 76, 85}, 20, false, false},   // 4 = 1 each, the last one more
        {180, {50, 60, 70}, 255, false, false},  // 17 from each: the limit of even reduction
        {179, {50, 60, 69}, 255, true, false},   // beyond it the widest caption is cut
        {89, {31, 31, 30}, 255, true, true},     // below the minimum widths: scrolled
    };
    for (const auto& c : cases) {
        for (int i = 0; i < 3; ++i) tabs->Items(i)->SetWidths(texts[i], 20);
        tabs->Arrange(TRect{8, 0, 8 + c.width, 24});
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(RectWidth(HeaderBounds(tabs, i)), c.widths[i]) << "width " << c.width << ", header " << i;
        EXPECT_EQ(HeaderBounds(tabs, 0).left, 8) << "width " << c.width;
        EXPECT_EQ(tabs->SeparatorAlpha(), c.alpha) << "width " << c.width;
        EXPECT_EQ(tabs->TextsTruncated(), c.truncated) << "width " << c.width;
        EXPECT_EQ(!tabs->ScrollButtons().Empty(), c.scrolled) << "width " << c.width;
        // Every header but the last may show a separator.
        EXPECT_EQ(tabs->Items(0)->ShowsSeparator(), c.alpha > 0) << "width " << c.width;
        EXPECT_FALSE(tabs->Items(2)->ShowsSeparator()) << "width " << c.width;
    }
    EXPECT_EQ(tabs->MaxScrollOffset(), 3);
    // A caption of fewer than three characters still gets a header 27 pixels wide.
    tabs->Items(0)->SetWidths(4, 4);
    EXPECT_EQ(tabs->Items(0)->MinWidth(), 27);
    tabs->Items(0)->CalculateWidths(nullptr);
    EXPECT_EQ(tabs->Items(0)->MinWidth(), 27);
}

// Sixteen tabs do not fit a 400-pixel form even at their minimum widths.
class RibbonScrollingTest : public RibbonTest {
protected:
    void SetUp() override {
        RibbonTest::SetUp();
        for (int i = 1; i <= 16; ++i) NewTab(Format(L"Вкладка %d", {i}));
        form->SetBounds(0, 0, 400, 400);
        tabs = ViewInfo()->TabsViewInfo();
    }
    TdxRibbonTabsViewInfo* tabs = nullptr;
};

TEST_F(RibbonScrollingTest, TheOffsetIsClampedAndTheButtonsFollowIt) {
    ASSERT_FALSE(tabs->ScrollButtons().Empty());
    const int max = tabs->MaxScrollOffset();
    ASSERT_GT(max, 0);
    EXPECT_EQ(tabs->ScrollButtons(), TdxRibbonScrollButtons{rsbRight});
    const int b = ViewInfo()->GetScrollButtonWidth();
    EXPECT_EQ(b, 13);
    EXPECT_TRUE(
        SameRect(tabs->RightScrollButtonBounds(), TRect{tabs->Bounds().right - b, 0, tabs->Bounds().right, 24}));

    tabs->SetScrollOffset(-5);
    EXPECT_EQ(tabs->ScrollOffset(), 0);
    tabs->SetScrollOffset(10);
    EXPECT_EQ(tabs->ScrollOffset(), 10);
    EXPECT_EQ(tabs->ScrollButtons(), (TdxRibbonScrollButtons{rsbLeft, rsbRight}));
    EXPECT_EQ(HeaderBounds(tabs, 0).left, 8 - 10);
    tabs->SetScrollOffset(max + 50);
    EXPECT_EQ(tabs->ScrollOffset(), max);
    EXPECT_EQ(tabs->ScrollButtons(), TdxRibbonScrollButtons{rsbLeft});

    // The scroll buttons win the hit test over the headers under them.
    TdxRibbonHitInfo info;
    const TRect left = tabs->LeftScrollButtonBounds();
    ViewInfo()->HitTest(left.left + 1, 5, info);
    EXPECT_EQ(info.hitTest, rhtTabScrollLeft);
    ViewInfo()->HitTest(left.right + 1, 5, info);
    EXPECT_EQ(info.hitTest, rhtTab);
}

TEST_F(RibbonScrollingTest, ActivatingAHiddenTabScrollsItsHeaderIntoView) {
    TdxRibbonTab* last = ribbon->Tabs()->Items(15);
    last->SetActive(true);
    EXPECT_EQ(tabs->ScrollOffset(), tabs->MaxScrollOffset()) << "the last header needs no room for a button";
    EXPECT_LE(tabs->Find(last)->Bounds().right, tabs->Bounds().right);

    // A header cut at the left edge comes in with room for the left button.
    tabs->SetScrollOffset(tabs->MaxScrollOffset());
    TdxRibbonTab* target = nullptr;
    for (int i = 0; i < tabs->Count() && !target; ++i)
        if (tabs->Items(i)->Bounds().left < tabs->Bounds().left && tabs->Items(i)->Bounds().right > tabs->Bounds().left)
            target = tabs->Items(i)->Tab();
    ASSERT_NE(target, nullptr);
    const int before = tabs->ScrollOffset();
    const int overhang = tabs->Bounds().left - tabs->Find(target)->Bounds().left;
    target->SetActive(true);
    EXPECT_EQ(tabs->ScrollOffset(), before - overhang - ViewInfo()->GetScrollButtonWidth());
    ribbon->Tabs()->Items(0)->SetActive(true);
    EXPECT_EQ(tabs->ScrollOffset(), 0);
}

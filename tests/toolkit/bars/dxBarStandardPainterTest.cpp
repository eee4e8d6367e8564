// The raised (Standard) and Enhanced looks, read back from memory bitmaps.

#include <gtest/gtest.h>

#include "BarTestSupport.h"
#include "StylePainterTestSupport.h"
#include "dxOffice11.h"

namespace {

const COLORREF stdWhite = RGB(255, 255, 255);

TEST(StandardPainter, MetricsOfTheTwoLooks) {
    auto standard = NewStylePainter<TdxBarStandardPainter>();
    auto enhanced = NewStylePainter<TdxBarEnhancedPainter>();
    TStyleFakeWindow window;
    for (bool canMove : {true, false}) {
        window.canMove = canMove;  // the drag area stays when the grip is not drawn
        EXPECT_EQ(standard->GetDragAreaSize(&window), 9);
        EXPECT_EQ(enhanced->GetDragAreaSize(&window), 6);
    }
    for (int height : {12, 16, 30}) {
        EXPECT_FALSE(standard->IsSmallBar(&window, Rect(0, 0, 11, height)));
        EXPECT_FALSE(enhanced->IsSmallBar(&window, Rect(0, 0, 11, height)));
    }
    EXPECT_TRUE(standard->IsStandardStyle());
    EXPECT_FALSE(standard->AllowsQuickCust());
    EXPECT_TRUE(enhanced->AllowsQuickCust());
    EXPECT_EQ(standard->GetMenuGroupIndent(), 2);
    EXPECT_EQ(enhanced->GetMenuGroupIndent(), 12);
    window.detachable = true;
    TRect margins;
    standard->GetMenuContentMargins(&window, margins);
    EXPECT_EQ(margins, Rect(2, 0, 2, 2));  // the detach caption takes the top
}

// The grip of a docked horizontal bar at (0, 0, 40, 22), read along row 5.
TEST(StandardPainter, DockedBarsShowTheirGripOnlyWhenTheyCanMove) {
    const COLORREF hi = SysRgb(COLOR_BTNHIGHLIGHT), sh = SysRgb(COLOR_BTNSHADOW), face = SysRgb(COLOR_BTNFACE);
    struct TCase {
        bool enhanced, canMove;
        const char* highlights;  // row 5, the first 12 columns: '#' for COLOR_BTNHIGHLIGHT
        const char* shadows;
    } cases[] = {
        // two fingers 3 wide from x 4 (2 in, offset 2)
        {false, true, "#...#..#....", "......#..#.."},
        {false, false, "#...........", "............"},
        // one finger 3 wide from x 3 (offset 1)
        {true, true, "#..#........", ".....#......"},
        {true, false, "#...........", "............"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "enhanced " << c.enhanced << " canMove " << c.canMove);
        auto painter = c.enhanced ? NewStylePainter<TdxBarEnhancedPainter>() : NewStylePainter<TdxBarStandardPainter>();
        TStyleFakeWindow window;
        window.canMove = c.canMove;
        TPainterTestSurface s(40, 22);
        RECT all{0, 0, 40, 22};
        FillRect(s.dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));  // the highlight may be white
        painter->DrawDockedBarFrame(&window, s.dc, Rect(0, 0, 40, 22), nullptr);
        EXPECT_EQ(s.Row(5, hi).substr(0, 12), c.highlights);
        EXPECT_EQ(s.Row(5, sh).substr(0, 12), c.shadows);
        EXPECT_EQ(s.Pixel(39, 5), sh);  // the raised bevel in every case
        if (c.canMove && !c.enhanced) {
            EXPECT_EQ(s.Pixel(5, 10), face);
            EXPECT_EQ(s.Pixel(4, 19), hi);  // the finger's bottom-left corner pixel
        }
        if (c.canMove && c.enhanced) {
            EXPECT_EQ(s.Pixel(4, 2), RGB(0, 0, 0));  // one pixel shorter at the top
            EXPECT_EQ(s.Pixel(4, 10), face);
        }
    }
}

// Rows of the check mark at (2, 2), size 1, read down column 5: grey, two rows of the mark,
// then the fringe.
TEST(StandardPainter, TheCheckMarkTurnsWhiteWithABlackFringeOnABlackFace) {
    auto painter = NewStylePainter<TdxBarStandardPainter>();
    TStyleFakeWindow window;
    TFakeItemControl control(&window);
    control.DrawParams()->enabled = true;
    const COLORREF silver = RGB(192, 192, 192), black = RGB(0, 0, 0);
    for (bool blackFace : {false, true}) {
        SCOPED_TRACE(blackFace);
        std::unique_ptr<TSysColorScope> scope;
        if (blackFace) scope = std::make_unique<TSysColorScope>(std::initializer_list<std::pair<int, COLORREF>>{{COLOR_BTNFACE, black}});
        ASSERT_EQ(IsButtonFaceBlack(), blackFace);
        TPainterTestSurface s(16, 14);
        RECT all{0, 0, 16, 14};
        FillRect(s.dc, &all, HBRUSH(GetStockObject(GRAY_BRUSH)));
        painter->DrawCheckMark(&control, s.dc, 2, 2, 1);
        COLORREF mark = blackFace ? stdWhite : black, fringe = blackFace ? black : stdWhite;
        EXPECT_EQ(s.Pixel(5, 6), silver);
        EXPECT_EQ(s.Pixel(5, 7), mark);
        EXPECT_EQ(s.Pixel(5, 8), mark);
        EXPECT_EQ(s.Pixel(5, 9), fringe);
        EXPECT_EQ(s.Pixel(2 + 8, 2 + 1), fringe);  // the right stroke
    }
    // Disabled: the shadow rows and the highlight copy, no black.
    control.DrawParams()->enabled = false;
    TPainterTestSurface s(16, 14);
    painter->DrawCheckMark(&control, s.dc, 2, 2, 1);
    EXPECT_EQ(s.Pixel(5, 7), SysRgb(COLOR_BTNSHADOW));
    RECT inked = s.BoundsOf(black);
    EXPECT_TRUE(IsRectEmpty(&inked));
}

using StandardPainterManager = BarTest;

// The close button of a bar's caption-button area: flat (clipped, with a thin raised bevel whose
// bottom-right pixel is the shadow) only for the manager's own close button of the main menu.
TEST_F(StandardPainterManager, OnlyTheManagersOwnCloseButtonIsFlat) {
    auto painter = NewStylePainter<TdxBarStandardPainter>();
    manager->SetFlatCloseButton(true);
    manager->SetShowCloseButton(true);
    TStyleFakeWindow window;
    window.manager = manager;
    window.mainMenu = true;
    auto draw = [&](bool mdi, int button) {
        window.mdiButtons = mdi;
        auto s = std::make_unique<TPainterTestSurface>(16, 14);
        painter->DrawMDIButton(&window, button, 0, s->dc, Rect(0, 0, 16, 14));
        return s;
    };
    auto own = draw(false, 2);
    auto mdiClose = draw(true, 2);
    auto minimize = draw(false, 0);
    EXPECT_EQ(own->Pixel(15, 13), SysRgb(COLOR_BTNSHADOW));
    EXPECT_EQ(own->Pixel(0, 0), SysRgb(COLOR_BTNHIGHLIGHT));
    // The system's raised caption button ends in its dark shadow.
    EXPECT_EQ(mdiClose->Pixel(15, 13), SysRgb(COLOR_3DDKSHADOW));
    EXPECT_EQ(minimize->Pixel(15, 13), SysRgb(COLOR_3DDKSHADOW));
    manager->SetFlatCloseButton(false);
    EXPECT_EQ(draw(false, 2)->Pixel(15, 13), SysRgb(COLOR_3DDKSHADOW));
}

// A menu item of 100 x 20 with a 24-pixel glyph column; nothing shown in its glyph column.
TEST(StandardPainter, AHotMenuItemWithoutGlyphIsHighlightedOverItsGlyphColumnToo) {
    auto painter = NewStylePainter<TdxBarStandardPainter>();
    TStyleFakeWindow window;
    window.iconAreaWidth = 24;
    TFakeItemControl control(&window);
    const COLORREF highlight = SysRgb(COLOR_HIGHLIGHT);
    for (bool hot : {false, true}) {
        SCOPED_TRACE(hot);
        TPainterTestCanvas surface(100, 20);
        TdxBarButtonLikeControlDrawParams params(&control);
        params.canvas = &surface.canvas;
        params.paintKind = 1;
        params.viewStructure = 2;  // text only
        params.enabled = true;
        params.drawSelected = hot;
        painter->DrawMenuButtonItem(&params, Rect(0, 0, 100, 20));
        RECT lit = surface.BoundsOf(highlight);
        if (hot) {
            EXPECT_EQ(lit, (RECT{0, 0, 100, 20}));
        } else {
            EXPECT_TRUE(IsRectEmpty(&lit));
        }
    }
}

// Button backgrounds on a bar and in a menu, read at the left and right edge of (0, 0, 20, 20).
TEST(StandardPainter, ButtonBackgroundsByState) {
    auto painter = NewStylePainter<TdxBarStandardPainter>();
    TStyleFakeWindow window;
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    window.bkBrush = green;
    TFakeItemControl control(&window);
    control.brush = window.bkBrush;
    const COLORREF hi = SysRgb(COLOR_BTNHIGHLIGHT), sh = SysRgb(COLOR_BTNSHADOW), g = RGB(0, 128, 0);
    struct TCase {
        Byte paintKind;
        bool hot, droppedDown;
        COLORREF left, right;  // pixels (5, 10) left edge x = 5, right edge x = 19
    } cases[] = {
        {0, false, false, g, g},
        {0, true, false, hi, sh},  // raised
        {0, true, true, sh, hi},   // sunken while dropped down
        {1, false, false, hi, g},  // a split part in a menu: the etched line at its left
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.paintKind) << c.hot << c.droppedDown);
        TPainterTestCanvas surface(30, 20);
        TdxBarButtonLikeControlDrawParams params(&control);
        params.canvas = &surface.canvas;
        params.paintKind = c.paintKind;
        params.drawSelected = c.hot;
        params.droppedDown = c.droppedDown;
        painter->DrawButtonBk(&params, Rect(5, 0, 20, 20), window.bkBrush);
        EXPECT_EQ(surface.Pixel(5, 10), c.left);
        EXPECT_EQ(surface.Pixel(19, 10), c.right);
        if (c.paintKind == 1) EXPECT_EQ(surface.Pixel(4, 10), sh);
    }
    DeleteObject(green);
}

TEST(StandardPainter, TheEnhancedMarkIsFramedRaisedOrSunkenByItsState) {
    auto painter = NewStylePainter<TdxBarEnhancedPainter>();
    TStyleFakeWindow window;
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    window.bkBrush = green;
    const COLORREF hi = SysRgb(COLOR_BTNHIGHLIGHT), sh = SysRgb(COLOR_BTNSHADOW), g = RGB(0, 128, 0);
    const COLORREF corners[3][2] = {{g, g}, {hi, sh}, {sh, hi}};
    for (int state = 0; state < 3; ++state) {
        window.markState = state;
        TPainterTestSurface s(11, 22);
        painter->DrawMarkBk(&window, s.dc, Rect(0, 0, 11, 22), state);
        EXPECT_EQ(s.Pixel(0, 5), corners[state][0]) << state;
        EXPECT_EQ(s.Pixel(10, 5), corners[state][1]) << state;
        EXPECT_EQ(s.Pixel(5, 5), g) << state;
    }
    DeleteObject(green);
}

// Non-recent items are drawn sunken: gaps beside them in the menu's background, and the
// lines where the recent and the non-recent groups change.
TEST(StandardPainter, NonRecentMenuItemsGetTheirGapsAndGroupLines) {
    auto painter = NewStylePainter<TdxBarStandardPainter>();
    TStyleFakeWindow menu;
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    menu.bkBrush = green;
    menu.client = Rect(0, 0, 60, 40);
    TFakeItemControl item(&menu);
    item.nonRecent = true;
    menu.lastItem = &item;
    TPainterTestSurface s(60, 40);
    RECT all{0, 0, 60, 40};
    FillRect(s.dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));  // the highlight may be white
    const COLORREF stdBlack = RGB(0, 0, 0);
    painter->DrawMenuItemFrame(&menu, &item, s.dc, Rect(4, 10, 50, 30), 0);
    const COLORREF g = RGB(0, 128, 0);
    EXPECT_EQ(s.Pixel(3, 20), g);   // left gap, one pixel without a side bar
    EXPECT_EQ(s.Pixel(2, 20), stdBlack);
    EXPECT_EQ(s.Pixel(51, 20), g);  // right gap, two pixels
    EXPECT_EQ(s.Pixel(20, 9), g);   // above the first item
    EXPECT_EQ(s.Pixel(51, 8), SysRgb(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(s.Pixel(20, 35), g);  // below the last item down to the menu's end
    EXPECT_EQ(s.Pixel(2, 39), SysRgb(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(s.Pixel(20, 20), stdBlack);  // the item itself is left alone

    // A recent item that starts the change: a highlight line above it and nothing more.
    struct TStarter : TFakeItemControl {
        using TFakeItemControl::TFakeItemControl;
        bool nonRecentFlag = false;
        bool StartsRecentChange() const override { return true; }
        bool IsNonRecent() const override { return nonRecentFlag; }
    };
    for (bool nonRecent : {false, true}) {
        TStarter starter(&menu);
        starter.nonRecentFlag = nonRecent;
        TPainterTestSurface t(60, 40);
        FillRect(t.dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
        painter->DrawMenuItemFrame(&menu, &starter, t.dc, Rect(4, 10, 50, 30), 3);
        EXPECT_EQ(t.Pixel(20, 9), SysRgb(nonRecent ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT)) << nonRecent;
        EXPECT_EQ(t.Pixel(3, 20), nonRecent ? g : stdBlack) << nonRecent;
    }
    DeleteObject(green);
}

}  // namespace

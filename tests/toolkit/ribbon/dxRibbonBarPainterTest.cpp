// The ribbon's group painter: the collapsed group button's proportions and width, the group
// glyph's drawn size (by its pixels), and the caption band's height.
#include <gtest/gtest.h>

#include "Bitmap.h"
#include "Font.h"
#include "PixelSurface.h"
#include "RibbonTesting.h"
#include "dxRibbonBarPainter.h"

TEST_F(RibbonTest, TheCollapsedGroupsProportionsFollowTheRibbonsInsets) {
    TdxRibbonBarPainter painter(ribbon);
    EXPECT_EQ(painter.GlyphAreaNumerator(), 16 + 4 + 11 + 3 + 4);
    EXPECT_EQ(painter.GlyphAreaDenominator(), 3 * painter.CalcButtonHeight(16, 16) + 16);
    TRect caption;
    painter.GetCollapsedCaptionRect(Rect(0, 0, 100, 100), caption);
    EXPECT_EQ(100 - RectWidth(caption), 6) << "insets 2 and one pixel more on each side";
    EXPECT_EQ(caption.top, 2 + 96 * 38 / 82);
}

TEST_F(RibbonTest, ACollapsedGroupIsNeverNarrowerThanItsGlyphFramePlusTen) {
    TdxRibbonBarPainter painter(ribbon);
    struct Case {
        int captionWidth, windowHeight, expected;
    } cases[] = {
        {0, 86, 31 * 82 / 82 + 10},    // no caption: the glyph frame decides
        {20, 86, 41},                  // 20 + 6 is still narrower
        {200, 86, 206},                // a long caption decides
        {0, 60, 31 * 56 / 82 + 10},    // a lower window has a smaller frame
    };
    for (const Case& c : cases) {
        EXPECT_EQ(painter.CalcCollapsedGroupWidth(c.captionWidth, c.windowHeight), c.expected) << c.captionWidth;
        EXPECT_GE(painter.CalcCollapsedGroupWidth(c.captionWidth, c.windowHeight),
                  painter.GetGlyphFrameSize(c.windowHeight) + 10);
    }
}

TEST_F(RibbonTest, AGroupGlyphIsDrawnAtMostSixteenPixelsOnItsLargerSide) {
    struct Case {
        TSize glyph, drawn;
    } cases[] = {
        {{32, 24}, {16, 12}}, {{10, 10}, {10, 10}}, {{24, 32}, {12, 16}}, {{16, 16}, {16, 16}}, {{40, 10}, {16, 4}},
    };
    for (const Case& c : cases) {
        TSize fitted = TdxRibbonBarPainter::FitGroupGlyph(c.glyph);
        EXPECT_EQ(fitted.cx, c.drawn.cx) << c.glyph.cx << "x" << c.glyph.cy;
        EXPECT_EQ(fitted.cy, c.drawn.cy) << c.glyph.cx << "x" << c.glyph.cy;
    }
    // Drawn: the red of the glyph covers exactly the fitted size inside the glyph frame.
    TdxRibbonBarPainter painter(ribbon);
    for (const Case& c : {cases[0], cases[1]}) {
        TBitmap glyph(c.glyph.cx, c.glyph.cy, pf24bit);
        RECT all{0, 0, c.glyph.cx, c.glyph.cy};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(glyph.Canvas()->Handle(), &all, red);
        DeleteObject(red);
        SetPixel(glyph.Canvas()->Handle(), 0, c.glyph.cy - 1, RGB(0, 0, 255));  // names the transparent colour
        TPainterTestSurface surface(60, 86);
        painter.DrawCollapsedGroupButton(surface.dc, Rect(0, 0, 60, 86), 86, 0, &glyph);
        RECT inked = BoundsOfColor(surface.dc, 60, 86, RGB(255, 0, 0));
        EXPECT_EQ(inked.right - inked.left, c.drawn.cx) << c.glyph.cx;
        EXPECT_EQ(inked.bottom - inked.top, c.drawn.cy) << c.glyph.cx;
        const TRect frame = painter.CalcGlyphFrameRect(Rect(0, 0, 60, 86), 86);
        EXPECT_TRUE(inked.left >= frame.left && inked.right <= frame.right) << "inside the glyph frame";
    }
}

TEST_F(RibbonTest, TheGroupCaptionIsMeasuredAtEightPointsAtLeast) {
    TdxRibbonBarPainter painter(ribbon);
    TFont small, eight, large;
    for (TFont* font : {&small, &eight, &large}) font->SetName(L"Tahoma");
    small.SetSize(6);
    eight.SetSize(8);
    large.SetSize(12);
    EXPECT_EQ(painter.GetGroupCaptionHeight(&small), painter.GetGroupCaptionHeight(&eight));
    EXPECT_GT(painter.GetGroupCaptionHeight(&large), painter.GetGroupCaptionHeight(&eight));
}

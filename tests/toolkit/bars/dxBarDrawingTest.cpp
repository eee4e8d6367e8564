// The bar library's drawing helpers, by the pixels they leave on memory bitmaps: arrows, the
// dotted focus ring, the transparent size grip, frames, tiles, hatching and clip regions; and
// the draw mode of glyphs.

#include <gtest/gtest.h>

#include <functional>

#include "Bitmap.h"
#include "Canvas.h"
#include "dxBarDrawing.h"
#include "dxBarUnit.h"

namespace {

// A 24-bit memory bitmap filled with one colour, read back by GetPixel.
class TPixelArea {
public:
    TPixelArea(int width, int height, TColor fill) : bitmap_(width, height, pf24bit) {
        RECT all{0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(ColorToRGB(fill));
        FillRect(DC(), &all, brush);
        DeleteObject(brush);
    }
    HDC DC() { return bitmap_.Canvas()->Handle(); }
    TColor At(int x, int y) { return TColor(GetPixel(DC(), x, y)); }
    // The columns of a row that have the colour.
    std::vector<int> ColumnsWith(int y, TColor color) {
        std::vector<int> columns;
        for (int x = 0; x < bitmap_.Width(); ++x)
            if (At(x, y) == color) columns.push_back(x);
        return columns;
    }

private:
    TBitmap bitmap_;
};

const TColor kWhite = TColor(0xFFFFFF), kRed = TColor(0x0000FF);

TEST(BarDrawing, AnArrowFittedToItsRectangle) {
    struct Size {
        TRect rect;
        int direction, expected;
    } sizes[] = {{{0, 0, 20, 16}, 1, 5}, {{0, 0, 21, 16}, 1, 7}, {{0, 0, 20, 16}, 3, 4},
                 {{0, 0, 20, 17}, 3, 6}, {{0, 0, 9, 7}, 1, 3},   {{0, 0, 40, 7}, 0, 3}};
    for (const Size& s : sizes)
        EXPECT_EQ(FittedArrowSize(s.rect, s.direction), s.expected) << s.rect.right << "x" << s.rect.bottom;

    // Down, enabled: rows 9, 7, 5, 3, 1 pixels wide in the button text colour, centred.
    TPixelArea area(20, 16, kWhite);
    DrawArrowFittedToRect(area.DC(), TRect{0, 0, 20, 16}, 1, true, false, false);
    TColor text = ColorToRGB(clBtnText);
    std::vector<int> widths;
    int firstRow = -1;
    for (int y = 0; y < 16; ++y) {
        std::vector<int> columns = area.ColumnsWith(y, text);
        if (columns.empty()) continue;
        if (firstRow < 0) firstRow = y;
        widths.push_back(int(columns.size()));
        EXPECT_EQ(columns.front() + columns.back(), 19 - 1) << "row " << y;  // centred on x = 9
    }
    EXPECT_EQ(widths, (std::vector<int>{9, 7, 5, 3, 1}));
    EXPECT_EQ(firstRow, 6);  // (16 - 5) / 2, rounded
}

TEST(BarDrawing, ADisabledArrowIsShadowWithAHighlightOnePixelOff) {
    TPixelArea area(20, 16, kRed);
    PaintLargeArrow(area.DC(), TRect{0, 0, 20, 16}, 3, 4, false, false, false);
    TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
    // A right arrow of size 4: 7 rows, its tip row the widest; the highlight shows below-right.
    int shadowPixels = 0, highlightPixels = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x) {
            shadowPixels += area.At(x, y) == shadow;
            highlightPixels += area.At(x, y) == highlight;
        }
    EXPECT_EQ(shadowPixels, 16);  // 1 + 2 + 3 + 4 + 3 + 2 + 1
    EXPECT_GT(highlightPixels, 0);
    // Flat: no highlight; a colour of its own wins.
    TPixelArea flat(20, 16, kRed);
    PaintLargeArrow(flat.DC(), TRect{0, 0, 20, 16}, 3, 4, false, false, true, TColor(0x00FF00));
    int green = 0, red = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x) {
            green += flat.At(x, y) == TColor(0x00FF00);
            red += flat.At(x, y) == kRed;
        }
    EXPECT_EQ(green, 16);
    EXPECT_EQ(green + red, 320);
}

TEST(BarDrawing, TheDottedFocusRingMarksEveryOtherPixelOfTwoRings) {
    TPixelArea area(16, 12, kWhite);
    DrawDottedFocusRect(area.DC(), TRect{2, 2, 12, 10});
    TColor text = ColorToRGB(clBtnText);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x) {
            bool outer = (x == 2 || x == 11 || y == 2 || y == 9) && x >= 2 && x <= 11 && y >= 2 && y <= 9;
            bool inner = (x == 3 || x == 10 || y == 3 || y == 8) && x >= 3 && x <= 10 && y >= 3 && y <= 8;
            bool dotted = (outer || inner) && (x + y) % 2 == 0;
            EXPECT_EQ(area.At(x, y), dotted ? text : kWhite) << x << "," << y;
        }
}

TEST(BarDrawing, TheTransparentSizeGripKeepsTheBackground) {
    TPixelArea area(20, 20, kRed);
    DrawSizeGripTransparent(area.DC(), TRect{2, 2, 18, 18});
    TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight), face = ColorToRGB(clBtnFace);
    int gripPixels = 0, facePixels = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            TColor c = area.At(x, y);
            if (c == shadow || c == highlight) ++gripPixels;
            if (c == face) ++facePixels;
            if (x < 2 || y < 2 || x >= 18 || y >= 18) {
                EXPECT_EQ(c, kRed) << "outside " << x << "," << y;
            }
        }
    EXPECT_GT(gripPixels, 10);
    EXPECT_EQ(facePixels, 0);        // the grip's own background is not drawn
    EXPECT_EQ(area.At(3, 3), kRed);  // the grip lines run in the bottom-right corner
}

TEST(BarDrawing, FramesTilesAndHatching) {
    TPixelArea frame(10, 10, kWhite);
    FrameRectTwice(frame.DC(), TRect{1, 1, 9, 9}, kRed);
    EXPECT_EQ(frame.At(1, 1), kRed);
    EXPECT_EQ(frame.At(2, 2), kRed);
    EXPECT_EQ(frame.At(3, 3), kWhite);
    EXPECT_EQ(frame.At(0, 0), kWhite);

    // A 4 x 4 tile, red in its top-left quarter: tiles line up with the origin, not the target.
    TBitmap tile(4, 4, pf24bit);
    RECT all{0, 0, 4, 4}, quarter{0, 0, 2, 2};
    FillRect(tile.Canvas()->Handle(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HBRUSH red = CreateSolidBrush(ColorToRGB(kRed));
    FillRect(tile.Canvas()->Handle(), &quarter, red);
    DeleteObject(red);
    TPixelArea tiled(12, 12, TColor(0));
    TileBitmapInRect(tiled.DC(), TRect{3, 3, 11, 11}, TRect{0, 0, 12, 12}, &tile);
    EXPECT_EQ(tiled.At(2, 2), TColor(0));  // outside the target
    EXPECT_EQ(tiled.At(3, 3), kWhite);     // tile column 3, row 3
    EXPECT_EQ(tiled.At(4, 4), kRed);       // a new tile starts at 4
    EXPECT_EQ(tiled.At(10, 10), kWhite);
    EXPECT_EQ(tiled.At(11, 11), TColor(0));
    TPixelArea filled(6, 6, TColor(0));
    FillRectWithBackground(filled.DC(), TRect{0, 0, 6, 6}, nullptr, kRed);
    EXPECT_EQ(filled.At(5, 5), kRed);

    TPixelArea hatched(8, 8, kWhite);
    HatchDisabledArea(hatched.DC(), TRect{0, 0, 8, 8});
    EXPECT_NE(hatched.At(0, 0), kWhite);
    EXPECT_NE(hatched.At(0, 0), hatched.At(2, 0));  // two cells of the checker
    EXPECT_EQ(hatched.At(0, 0), hatched.At(2, 2));
}

TEST(BarDrawing, AClipRegionSavedIsPutBack) {
    TPixelArea area(10, 10, kWhite);
    EXPECT_EQ(SaveDCClipRegion(area.DC()), nullptr);  // none to save
    IntersectDCClipRect(area.DC(), TRect{0, 0, 5, 5});
    HRGN saved = SaveDCClipRegion(area.DC());
    ASSERT_NE(saved, nullptr);
    SelectClipRgn(area.DC(), nullptr);
    RestoreDCClipRegion(area.DC(), saved);
    RECT all{0, 0, 10, 10};
    FillRect(area.DC(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(area.At(4, 4), TColor(0));
    EXPECT_EQ(area.At(6, 6), kWhite);
}

TEST(BarDrawing, TheDrawModeOfAGlyph) {
    struct Case {
        const char* what;
        std::function<void(TdxBarGlyphFlags&)> set;
        TcxImageDrawMode expected;
    } cases[] = {
        {"disabled", [](TdxBarGlyphFlags& f) { f.Enabled = false; }, idmDisabled},
        {"disabled and faded", [](TdxBarGlyphFlags& f) { f.Enabled = false, f.Faded = true; }, idmFaded},
        {"grayed", [](TdxBarGlyphFlags& f) { f.Grayed = true, f.Effects = true; }, idmGrey},
        {"no effects", [](TdxBarGlyphFlags& f) { f.Shadow = true, f.Selected = true; }, idmNormal},
        {"effects at rest", [](TdxBarGlyphFlags& f) { f.Effects = true; }, idmDingy},
        {"effects, down", [](TdxBarGlyphFlags& f) { f.Effects = true, f.Down = true; }, idmNormal},
        {"shadow when selected", [](TdxBarGlyphFlags& f) { f.Effects = true, f.Selected = true, f.Shadow = true; },
         idmShadowed},
        {"no shadow when pressed",
         [](TdxBarGlyphFlags& f) { f.Effects = true, f.Selected = true, f.Shadow = true, f.Pressed = true; },
         idmNormal},
    };
    ASSERT_GT(ScreenColorDepth(), 8);
    for (const Case& c : cases) {
        TdxBarGlyphFlags flags;
        c.set(flags);
        EXPECT_EQ(ChooseGlyphDrawMode(flags), c.expected) << c.what;
    }
}

TEST(BarDrawing, ThemedPartsFallBackToSystemColoursWithoutVisualStyles) {
    if (GetToolbarThemeFillColor() != ColorToRGB(clBtnFace)) GTEST_SKIP() << "visual styles are on";
    EXPECT_EQ(GetThemeEditFillColor(1), ColorToRGB(clWindow));
    EXPECT_EQ(GetThemeEditFillColor(4), ColorToRGB(clWindow));
    EXPECT_EQ(GetThemeEditTextColor(1), ColorToRGB(clWindowText));
    EXPECT_EQ(GetThemeEditTextColor(4), ColorToRGB(clGrayText));
}

}  // namespace

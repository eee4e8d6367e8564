// The drawing helpers, checked by their pixels on off-screen bitmaps.

#include <gtest/gtest.h>

#include "Bitmap.h"
#include "Brush.h"
#include "Canvas.h"
#include "ControlsUnits.h"
#include "Font.h"
#include "Pen.h"
#include "RzGrafx.h"
#include "Themes.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr TColor Paper = 0x00F0E0D0;

class Grafx : public testing::Test {
protected:
    void SetUp() override {
        InitializeControlsUnits();
        Clear();
    }
    void Clear(TColor color = Paper) {
        canvas()->Brush()->SetStyle(bsSolid);
        canvas()->Brush()->SetColor(color);
        canvas()->FillRect(TRect{0, 0, 40, 40});
    }
    TCanvas* canvas() { return bitmap.Canvas(); }
    TColor At(int x, int y) { return canvas()->Pixels(x, y); }
    static TColor Rgb(TColor c) { return ColorToRGB(c); }
    struct Pixel {
        int x, y;
        TColor color;
    };
    void ExpectPixels(std::initializer_list<Pixel> pixels) {
        for (auto& p : pixels) EXPECT_EQ(At(p.x, p.y), p.color) << "at " << p.x << "," << p.y;
    }
    static std::vector<int> R(const TRect& r) { return {int(r.left), int(r.top), int(r.right), int(r.bottom)}; }

    TBitmap bitmap{40, 40, pf24bit};
};

}  // namespace

TEST_F(Grafx, SidesAndBevels) {
    struct Case {
        TSides sides;
        std::vector<int> result;
    } cases[] = {{sdAllSides, {1, 1, 9, 9}},
                 {TSides{sdLeft, sdTop}, {1, 1, 10, 10}},
                 {TSides{sdRight}, {0, 0, 9, 10}},
                 {TSides{}, {0, 0, 10, 10}}};
    for (auto& c : cases) {
        Clear();
        EXPECT_EQ(R(PaintSides(canvas(), TRect{0, 0, 10, 10}, clRed, clBlue, c.sides)), c.result);
        EXPECT_EQ(At(0, 5), c.sides.Contains(sdLeft) ? clRed : Paper);
        EXPECT_EQ(At(5, 0), c.sides.Contains(sdTop) ? clRed : Paper);
        EXPECT_EQ(At(9, 5), c.sides.Contains(sdRight) ? clBlue : Paper);
        EXPECT_EQ(At(5, 9), c.sides.Contains(sdBottom) ? clBlue : Paper);
        EXPECT_EQ(At(10, 5), Paper);  // right edge exclusive
    }
    Clear();
    EXPECT_EQ(R(PaintSides(canvas(), TRect{0, 0, 10, 10}, clNone, clNone, sdAllSides)), (std::vector<int>{1, 1, 9, 9}));
    EXPECT_EQ(At(0, 0), Paper);
    EXPECT_EQ(At(9, 9), Paper);

    Clear();
    EXPECT_EQ(R(PaintBevel(canvas(), TRect{0, 0, 10, 10}, clRed, clBlue, 3, sdAllSides)),
              (std::vector<int>{3, 3, 7, 7}));
    EXPECT_EQ(At(2, 5), clRed);
    EXPECT_EQ(At(7, 5), clBlue);
    EXPECT_EQ(At(3, 5), Paper);
}

TEST_F(Grafx, FrameStylesInSystemColours) {
    const TRect r{0, 0, 10, 10};
    EXPECT_EQ(R(PaintFrameStyle(canvas(), r, fsNone)), R(r));
    EXPECT_EQ(At(0, 0), Paper);

    // Groove: shadow outside upper-left, highlight inside, and the reverse lower-right.
    EXPECT_EQ(R(PaintFrameStyle(canvas(), r, fsGroove)), (std::vector<int>{2, 2, 8, 8}));
    TColor ul = Rgb(clBtnShadow), lr = Rgb(clBtnHighlight);
    ExpectPixels({{0, 0, ul},
                  {1, 1, lr},
                  {8, 8, ul},
                  {9, 9, lr},
                  {9, 0, lr},
                  {0, 9, lr},
                  {8, 1, ul},
                  {9, 5, lr},
                  {5, 8, ul},
                  {5, 9, lr},
                  {2, 2, Paper}});

    struct Ring {
        TFrameStyleEx style;
        TColor outerUL, outerLR, innerUL, innerLR;
    } rings[] = {
        {fsRaised, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
        {fsLowered, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
        {fsButtonUp, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow},
        {fsButtonDown, clBtnText, clBtnText, clBtnShadow, clBtnShadow},
        {fsFlatBold, clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow},
    };
    for (auto& ring : rings) {
        Clear();
        EXPECT_EQ(R(PaintFrameStyle(canvas(), r, ring.style)), (std::vector<int>{2, 2, 8, 8})) << ring.style;
        EXPECT_EQ(At(0, 4), Rgb(ring.outerUL)) << ring.style;
        EXPECT_EQ(At(9, 4), Rgb(ring.outerLR)) << ring.style;
        EXPECT_EQ(At(1, 4), Rgb(ring.innerUL)) << ring.style;
        EXPECT_EQ(At(8, 4), Rgb(ring.innerLR)) << ring.style;
    }
    Clear();
    EXPECT_EQ(R(PaintFrameStyleSides(canvas(), r, fsStatus, TSides{sdBottom})), (std::vector<int>{0, 0, 10, 9}));
    EXPECT_EQ(At(4, 9), Rgb(clBtnHighlight));
    EXPECT_EQ(At(0, 4), Paper);
}

TEST_F(Grafx, FrameStylesInColoursDerivedFromAFace) {
    const TColor face = 0x3080C0;
    const TRect r{0, 0, 10, 10};
    struct Case {
        TFrameStyleEx style;
        TColor outerUL, outerLR, innerUL, innerLR;
    } cases[] = {
        {fsLowered, DarkenColor(face, 50), BrightenColor(face, 100), DarkenColor(face, 100), BrightenColor(face, 50)},
        {fsRaised, BrightenColor(face, 50), DarkenColor(face, 100), BrightenColor(face, 100), DarkenColor(face, 50)},
        {fsButtonUp, BrightenColor(face, 100), DarkenColor(face, 100), BrightenColor(face, 40), DarkenColor(face, 50)},
        {fsButtonDown, DarkenColor(face, 100), DarkenColor(face, 100), DarkenColor(face, 50), DarkenColor(face, 50)},
        {fsFlatBold, DarkenColor(face, 50), DarkenColor(face, 50), DarkenColor(face, 50), DarkenColor(face, 50)},
    };
    for (auto& c : cases) {
        Clear();
        PaintColorFrameStyle(canvas(), r, face, c.style);
        EXPECT_EQ(At(0, 4), c.outerUL) << c.style;
        EXPECT_EQ(At(9, 4), c.outerLR) << c.style;
        EXPECT_EQ(At(1, 4), c.innerUL) << c.style;
        EXPECT_EQ(At(8, 4), c.innerLR) << c.style;
    }
    Clear();
    EXPECT_EQ(R(PaintColorFrameStyle(canvas(), r, face, fsPopup)), (std::vector<int>{1, 1, 9, 9}));
    EXPECT_EQ(At(0, 4), BrightenColor(face, 100));
    EXPECT_EQ(At(9, 4), DarkenColor(face, 50));
}

TEST_F(Grafx, ControlFrameUsesSystemColoursOnlyForWindowColour) {
    Clear(clRed);
    PaintControlFrame(canvas(), 12, 12, fsStatus, clWindow, clBlack, sdAllSides, false);
    EXPECT_EQ(At(0, 5), Rgb(clBtnShadow));
    EXPECT_EQ(At(11, 5), Rgb(clBtnHighlight));
    EXPECT_EQ(At(1, 5), Rgb(clWindow));  // the old frame is erased
    EXPECT_EQ(At(2, 5), clRed);

    const TColor face = 0x40A0E0;
    PaintControlFrame(canvas(), 12, 12, fsStatus, face, clBlack, sdAllSides, false);
    EXPECT_EQ(At(0, 5), DarkenColor(face, 50));
    EXPECT_EQ(At(11, 5), BrightenColor(face, 100));

    Clear(clRed);
    PaintControlFrame(canvas(), 12, 12, fsFlat, clWindow, clBlue, TSides{sdLeft}, true);
    EXPECT_EQ(At(0, 5), clBlue);
    EXPECT_EQ(At(11, 5), clRed);  // kept background, side not asked for
    EXPECT_EQ(At(1, 5), clRed);
}

TEST_F(Grafx, OutlinesFocusDotsCornerMarksAndRoundedFrames) {
    EXPECT_EQ(R(PaintBoxOutline(canvas(), TRect{2, 2, 8, 8}, clBlue)), (std::vector<int>{3, 3, 7, 7}));
    EXPECT_EQ(At(2, 2), clBlue);
    EXPECT_EQ(At(7, 7), clBlue);
    EXPECT_EQ(At(3, 3), Paper);

    Clear(clWhite);
    EXPECT_EQ(R(PaintDottedFocusBorder(canvas(), TRect{0, 0, 6, 6})), (std::vector<int>{1, 1, 5, 5}));
    std::string top, left;
    for (int i = 0; i < 6; ++i) {
        top += At(i, 0) == clBlack ? '#' : '.';
        left += At(0, i) == clBlack ? '#' : '.';
    }
    EXPECT_EQ(top, ".#.#.#");
    EXPECT_EQ(left, ".#.#.#");

    Clear();
    PaintBoxCornerMarks(canvas(), TRect{0, 0, 10, 10}, clBlue, 3);
    ExpectPixels({{0, 0, clBlue}, {2, 0, clBlue}, {0, 1, clBlue}, {3, 0, Paper}, {9, 9, clBlue}, {5, 0, Paper}});

    Clear();
    EXPECT_EQ(R(PaintRoundedFlatFrame(canvas(), TRect{0, 0, 10, 10}, clBlue, sdAllSides)),
              (std::vector<int>{2, 2, 8, 8}));
    ExpectPixels({{0, 0, Paper}, {1, 1, clBlue}, {0, 2, clBlue}, {8, 8, clBlue}, {9, 9, Paper}});  // rounded corners
}

TEST_F(Grafx, PanelBordersWorkInward) {
    TRect inside = PaintPanelBorders(canvas(), TRect{0, 0, 20, 20}, fsFlat, fsStatus, 2, sdAllSides, 1, clRed, clWhite,
                                     clGray, clBlue, 0, clYellow, clBlack, false);
    EXPECT_EQ(R(inside), (std::vector<int>{4, 4, 16, 16}));
    ExpectPixels({{0, 10, clBlue}, {1, 10, clRed}, {2, 10, clRed}, {3, 10, clGray}, {16, 10, clWhite}});
}

TEST_F(Grafx, DropDownTriangle) {
    // Windows reports a version past Vista under Wine: always the pixel triangle.
    Clear(clWhite);
    canvas()->Brush()->SetColor(clWhite);
    PaintDropDownGlyph(canvas(), TRect{0, 0, 11, 11}, vsWinXP, true);
    EXPECT_EQ(canvas()->Brush()->Color(), clWhite);
    EXPECT_EQ(canvas()->Pen()->Style(), psSolid);
    // Centre (5, 5), moved down by 2: tip at (5, 7), rows of 3, 5 and 7 above it.
    std::vector<std::string> rows;
    for (int y = 3; y <= 8; ++y) {
        std::string row;
        for (int x = 1; x <= 9; ++x) row += At(x, y) == clBlack ? '#' : '.';
        rows.push_back(row);
    }
    EXPECT_EQ(rows,
              (std::vector<std::string>{".........", ".#######.", "..#####..", "...###...", "....#....", "........."}));
    Clear(clWhite);
    PaintDropDownGlyph(canvas(), TRect{0, 0, 11, 11}, vsClassic, false);
    EXPECT_EQ(At(5, 7), Rgb(clBtnShadow));
}

TEST_F(Grafx, CheckBoxGlyphs) {
    const TRect box{0, 0, 13, 13};
    PaintCheckBoxGlyph(canvas(), box, cbChecked, cgkNormal, false, htsInterior, clBlue, clBlack, clWhite, clYellow,
                       clSilver, clAqua, clNavy, false, false, clInfoBk);
    // Inner left 1, top 0: column 1+2 holds rows 5..7, column 1+8 rows 3..5.
    ExpectPixels({{0, 0, clBlue},
                  {2, 2, clWhite},
                  {3, 5, clBlack},
                  {3, 7, clBlack},
                  {3, 8, clWhite},
                  {5, 9, clBlack},
                  {9, 3, clBlack},
                  {9, 6, clWhite}});

    Clear();
    PaintCheckBoxGlyph(canvas(), box, cbChecked, cgkDisabled, false, htsInterior, clBlue, clBlack, clWhite, clYellow,
                       clSilver, clAqua, clNavy, false, false, clInfoBk);
    EXPECT_EQ(At(2, 2), clSilver);
    EXPECT_EQ(At(5, 9), Rgb(clBtnShadow));

    Clear();
    PaintCheckBoxGlyph(canvas(), box, cbGrayed, cgkNormal, true, htsFrame, clBlue, clGreen, clWhite, clYellow, clSilver,
                       clAqua, clNavy, true, true, clInfoBk);
    EXPECT_EQ(At(2, 2), Rgb(clInfoBk));  // read-only colour wins on focus when asked
    EXPECT_EQ(At(3, 3), clGreen);
    EXPECT_EQ(At(9, 9), clGreen);
    EXPECT_EQ(At(10, 10), Rgb(clInfoBk));

    Clear();
    PaintCheckBoxGlyph(canvas(), box, cbUnchecked, cgkHot, false, htsFrame, clBlue, clBlack, clWhite, clYellow,
                       clSilver, clAqua, clNavy, false, false, clInfoBk);
    EXPECT_EQ(At(0, 0), clNavy);
    EXPECT_EQ(At(1, 1), clNavy);
    EXPECT_EQ(At(2, 2), clWhite);

    Clear();
    PaintCheckBoxGlyph(canvas(), box, cbUnchecked, cgkPressed, false, htsFrame, clBlue, clBlack, clWhite, clYellow,
                       clSilver, clAqua, clNavy, false, false, clInfoBk);
    EXPECT_EQ(At(5, 5), DarkenColor(clYellow, 20));
}

namespace {

// The colour of step k of a run of `steps` steps from a to b: components in 16.16 fixed point,
// each step adding (b - a) / steps, truncated.
TColor StepColour(TColor a, TColor b, int steps, int k) {
    auto comp = [&](int ca, int cb) { return ((ca << 16) + k * (((cb << 16) - (ca << 16)) / steps)) >> 16; };
    return TColor(
        RGB(comp(GetRValue(a), GetRValue(b)), comp(GetGValue(a), GetGValue(b)), comp(GetBValue(a), GetBValue(b))));
}

}  // namespace

TEST_F(Grafx, LinearGradientsStepFromTheFarEnd) {
    PaintGradient(canvas(), TRect{5, 5, 5, 20}, gdHorizontalEnd, clBlack, clWhite);
    PaintGradient(canvas(), TRect{5, 5, 20, 5}, gdHorizontalEnd, clBlack, clWhite);
    EXPECT_EQ(At(5, 5), Paper);

    // Horizontal bands, 13 columns (the 8-pixel strip widened): the last row is the second
    // colour exactly, each row above one step toward the first.
    const TColor c1 = TColor(RGB(10, 200, 30)), c2 = TColor(RGB(250, 20, 130));
    PaintGradient(canvas(), TRect{0, 0, 13, 30}, gdHorizontalEnd, c1, c2);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 13; ++x) ASSERT_EQ(At(x, y), StepColour(c2, c1, 30, 29 - y)) << x << "," << y;
    EXPECT_EQ(At(13, 5), Paper);
    EXPECT_EQ(At(5, 30), Paper);

    // Vertical bands: the same along the columns.
    Clear();
    PaintGradient(canvas(), TRect{0, 0, 37, 3}, gdVerticalEnd, c1, c2);
    for (int x = 0; x < 37; ++x)
        for (int y = 0; y < 3; ++y) ASSERT_EQ(At(x, y), StepColour(c2, c1, 37, 36 - x)) << x << "," << y;

    // Centre: the second colour at row H div 2, stepping to the first colour toward row 0 in
    // H div 2 + 1 steps; below, from the first colour at the last row back toward the middle.
    Clear();
    PaintGradient(canvas(), TRect{0, 0, 9, 21}, gdHorizontalCenter, c1, c2);
    for (int y = 0; y <= 10; ++y) ASSERT_EQ(At(4, y), StepColour(c2, c1, 11, 10 - y)) << y;
    for (int y = 11; y < 21; ++y) ASSERT_EQ(At(4, y), StepColour(c1, c2, 10, 20 - y)) << y;
    Clear();
    PaintGradient(canvas(), TRect{0, 0, 20, 5}, gdVerticalCenter, c1, c2);
    for (int x = 0; x <= 10; ++x) ASSERT_EQ(At(x, 2), StepColour(c2, c1, 11, 10 - x)) << x;
    for (int x = 11; x < 20; ++x) ASSERT_EQ(At(x, 2), StepColour(c1, c2, 9, 19 - x)) << x;
}

TEST_F(Grafx, DiagonalGradientsSweepBandsFromTheStartCorner) {
    const TColor c1 = TColor(RGB(0, 0, 0)), c2 = TColor(RGB(240, 120, 60));
    const int w = 36, h = 20;
    const int steps = int(std::sqrt(double(w * w + h * h))) + 1, half = steps / 2;
    const int xs = (w << 16) / half, ys = (h << 16) / half;
    // The sweep lines, in the picture turned so that the start corner is at the bottom left:
    // first from (0, Y) on the left edge to (X, h) on the bottom edge, then from (X, 0) on the top
    // edge to (w, Y) on the right edge, X and Y in 16.16 steps truncated to pixels.
    struct TLine {
        double x1, y1, x2, y2;
        // > 0 on the far side from the start corner.
        double Side(double x, double y) const {
            double len = std::hypot(x2 - x1, y2 - y1);
            return len == 0 ? 1 : ((x2 - x1) * (y - y1) - (y2 - y1) * (x - x1)) / len * -1;
        }
    };
    std::vector<TLine> lines;  // in colour order: each band lies beyond the line before it
    for (int k = 1; k <= half; ++k)
        lines.push_back({0, double(((h << 16) - k * ys) >> 16), double((k * xs) >> 16), double(h)});
    lines.push_back({0, 0, double(w), double(h)});
    for (int k = 1; k <= half; ++k)
        lines.push_back({double((k * xs) >> 16), 0, double(w), double(((h << 16) - k * ys) >> 16)});
    for (TGradientDirection direction : {gdDiagonalUp, gdDiagonalDown}) {
        Clear();
        PaintGradient(canvas(), TRect{0, 0, w, h}, direction, c1, c2);
        // Up: from c1 at the bottom-left; down: from c2 at the bottom-right toward c1.
        TColor from = direction == gdDiagonalUp ? c1 : c2, to = direction == gdDiagonalUp ? c2 : c1;
        int checked = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                // A polygon takes the pixels whose top-left corner it holds.
                double px = direction == gdDiagonalUp ? x : w - x, py = y;
                int band = 0;
                bool nearLine = false;
                for (const TLine& l : lines) {
                    double side = l.Side(px, py);
                    if (std::abs(side) < 0.35) nearLine = true;
                    if (side >= 0) ++band;
                }
                if (nearLine) continue;
                ++checked;
                ASSERT_EQ(At(x, y), StepColour(from, to, steps, band)) << direction << " at " << x << "," << y;
            }
        EXPECT_GT(checked, w * h / 8);
    }
}

TEST_F(Grafx, BoxGradientsPaintAQuarterAndMirrorIt) {
    const TColor outer = TColor(RGB(0, 0, 0)), centre = TColor(RGB(220, 110, 55));
    Clear();
    PaintGradient(canvas(), TRect{0, 0, 21, 21}, gdSquareBox, outer, centre);
    // The quarter: L-shaped bands stepping from the centre colour at (10, 10) outward; a pixel
    // belongs to the first band whose corner it is not above or left of.
    int dx = (10 << 16) / 11;
    auto bandOf = [&](int x, int y) {
        for (int k = 0;; ++k) {
            int p = ((10 << 16) - k * dx) >> 16;
            if (x >= p && y >= p) return k;
        }
    };
    for (int y = 0; y <= 10; ++y)
        for (int x = 0; x <= 10; ++x) ASSERT_EQ(At(x, y), StepColour(centre, outer, 11, bandOf(x, y))) << x << "," << y;
    // The right half mirrors the left one exactly (an even half width), and the bottom row
    // the top row.
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(At(20 - x, y), At(x, y)) << x << "," << y;
    for (int x = 0; x < 21; x += 5) EXPECT_EQ(At(x, 20), At(x, 0)) << x;

    // Stretched centres stay in the centre colour.
    Clear();
    PaintGradient(canvas(), TRect{0, 0, 24, 14}, gdBigSquareBox, outer, centre);
    EXPECT_EQ(At(0, 0), StepColour(centre, outer, 6, 5));  // the last step's band is empty there
    EXPECT_EQ(At(7, 4), centre);
    EXPECT_EQ(At(11, 6), centre);
    EXPECT_EQ(At(16, 9), centre);

    Clear();
    PaintGradient(canvas(), TRect{0, 0, 4, 9}, gdSquareBox, clRed, clWhite);  // too small: the outer colour
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 9; ++y) EXPECT_EQ(At(x, y), clRed) << x << "," << y;
    Clear();
    PaintGradient(canvas(), TRect{0, 0, 20, 10}, gdDiagonalUp, clLime, clLime);  // equal colours: a fill
    EXPECT_EQ(At(0, 0), clLime);
    EXPECT_EQ(At(19, 9), clLime);
}

TEST_F(Grafx, ThemedDropDownArrowTakesItsColourFromTheStyle) {
    TColor color = XPDropDownGlyphColor();
    if (!ThemesActive() && !std::getenv("ZARNIK_EXPECT_THEMES")) {
        EXPECT_EQ(color, cl3DDkShadow);
        return;
    }
    ASSERT_TRUE(ThemesActive()) << "the themed run found visual styles off";
    TBitmap probe(17, 21);
    probe.Canvas()->Brush()->SetColor(clWindow);
    probe.Canvas()->FillRect(TRect{0, 0, 17, 21});
    TThemeData theme(L"COMBOBOX");
    ASSERT_TRUE(theme.DrawBackground(probe.Canvas()->Handle(), CP_DROPDOWNBUTTON, CBXS_NORMAL, TRect{0, 0, 16, 20}));
    TColor expected = probe.Canvas()->Pixels(8, 10);
    EXPECT_EQ(color, ColorsAreClose(expected, clWindow) ? cl3DDkShadow : expected);
}

TEST_F(Grafx, HighlightRingOnlyOnHighColourDisplays) {
    SetHighColorDisplay(false);
    PaintHighlightRing(canvas(), TRect{0, 0, 12, 12}, gdDiagonalDown, clWhite, clBlack);
    SetHighColorDisplay(true);
    EXPECT_EQ(At(0, 0), Paper);

    PaintHighlightRing(canvas(), TRect{0, 0, 12, 12}, gdDiagonalDown, clWhite, clBlack);
    EXPECT_GT(GetRValue(At(0, 0)), 220);  // the run starts black at the bottom-right
    EXPECT_LT(GetRValue(At(11, 11)), 40);
    EXPECT_EQ(At(6, 6), Paper);  // inside the ring
    EXPECT_EQ(At(2, 6), Paper);
    EXPECT_NE(At(1, 6), Paper);
    // The clip is reset afterwards.
    canvas()->Brush()->SetColor(clRed);
    canvas()->FillRect(TRect{5, 5, 7, 7});
    EXPECT_EQ(At(6, 6), clRed);
}

TEST_F(Grafx, TransparentStretchLeavesKeyColourPixels) {
    TBitmap source(2, 2, pf24bit);
    source.Canvas()->SetPixels(0, 0, clFuchsia);
    source.Canvas()->SetPixels(1, 0, clBlue);
    source.Canvas()->SetPixels(0, 1, clBlue);
    source.Canvas()->SetPixels(1, 1, clFuchsia);
    StretchBitmapTransparent(canvas(), &source, TRect{10, 10, 14, 14}, TRect{0, 0, 2, 2}, clFuchsia);
    EXPECT_EQ(At(10, 10), Paper);
    EXPECT_EQ(At(11, 11), Paper);
    EXPECT_EQ(At(12, 10), clBlue);
    EXPECT_EQ(At(13, 11), clBlue);
    EXPECT_EQ(At(10, 13), clBlue);
    EXPECT_EQ(At(13, 13), Paper);
}

TEST_F(Grafx, GroupBarFillAndRotatedFont) {
    PaintGroupBarFill(canvas(), TRect{0, 0, 10, 10}, vsClassic, gcsSystem, gpTopToBottom, clRed, clBlue);
    EXPECT_EQ(At(5, 5), Paper);
    PaintGroupBarFill(canvas(), TRect{0, 0, 10, 10}, vsGradient, gcsCustom, gpBottomToTop, clRed, clBlue);
    // Bottom to top: red at the bottom row, one step short of blue at the top.
    EXPECT_EQ(At(5, 9), clRed);
    EXPECT_EQ(At(5, 0), StepColour(clRed, clBlue, 10, 9));

    TFont font;
    font.SetName(L"Tahoma");
    font.SetStyle(TFontStyles{fsBold, fsItalic});
    HFONT rotated = CreateRotatedFont(&font, 90);
    ASSERT_NE(rotated, nullptr);
    LOGFONTW lf{};
    GetObjectW(rotated, sizeof(lf), &lf);
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_FALSE(lf.lfUnderline);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"Tahoma");
    DeleteObject(rotated);

    Clear(clWhite);
    canvas()->Font()->SetColor(clBlack);
    int height = PaintText(canvas(), L"Wg", TRect{0, 0, 40, 40}, DT_LEFT | DT_TOP | DT_SINGLELINE);
    EXPECT_GT(height, 5);
}

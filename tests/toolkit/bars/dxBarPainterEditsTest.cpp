// The base painter's edits, combos, spin edits, colour combos, progress bars and static items:
// part layouts as tables, painting read back from memory bitmaps.

#include <gtest/gtest.h>

#include "BarPainterFakes.h"
#include "Bitmap.h"
#include "cxGraphics.h"

namespace {

class BarEditPainter : public ::testing::Test {
protected:
    std::unique_ptr<TdxBarPainter> painter = NewBasePainter();
    TFakeBarWindow window;
    TFakeItemControl control{&window};
};

TEST_F(BarEditPainter, EditAndComboParts) {
    TdxBarEditLikeControlDrawParams params(&control);
    control.glyphAreaWidth = 23;
    control.captionWidth = 30;
    control.editRect = Rect(53, 0, 120, 22);
    TRect parts[5];
    painter->CalcEditLayout(&params, parts, 4, Rect(0, 0, 120, 22));
    EXPECT_EQ(parts[1], Rect(0, 0, 23, 22)) << "glyph part";
    EXPECT_EQ(parts[2], Rect(23, 0, 53, 22)) << "caption part";
    EXPECT_EQ(parts[0], Rect(55, 2, 118, 20)) << "edit box inside the part margins";

    painter->CalcComboLayout(&params, parts, 4, Rect(0, 0, 120, 22));
    EXPECT_EQ(parts[3], Rect(118 - window.ComboArrowWidth(), 2, 118, 20)) << "drop-down button";
    EXPECT_EQ(parts[0].right, parts[3].left - 1);

    EXPECT_EQ(painter->CalcEditTextHeight(&control, 13), 13 + 9);
    EXPECT_EQ(painter->CalcComboArrowWidth(6), 11);
}

TEST_F(BarEditPainter, SpinButtonsShareTheRightEndAndDisappearOnNarrowEdits) {
    TSize arrow;
    painter->CalcSpinArrowSize(20, arrow);
    EXPECT_EQ(arrow.cx, 7);
    EXPECT_EQ(arrow.cy, 4);
    EXPECT_EQ(painter->CalcSpinButtonsWidth(0, Rect(0, 0, 100, 20)), 7 + 2 * 4 - 2 + 4);

    TdxBarSpinEditDrawParams params(&control);
    control.editRect = Rect(0, 0, 100, 20);
    TRect parts[5];
    painter->CalcSpinEditLayout(&params, parts, 4, Rect(0, 0, 100, 20));
    EXPECT_EQ(parts[3], Rect(82, 0, 99, 10)) << "up button: the upper half";
    EXPECT_EQ(parts[4], Rect(82, 10, 99, 20)) << "down button: the lower half";
    EXPECT_EQ(parts[0].right, 82 - 2 - 1);

    // Buttons would take more than half of a narrow edit: none are shown.
    control.editRect = Rect(0, 0, 30, 20);
    painter->CalcSpinEditLayout(&params, parts, 4, Rect(0, 0, 30, 20));
    EXPECT_EQ(parts[3].left, parts[3].right);
    EXPECT_EQ(parts[4].left, parts[4].right);

    // States: disabled, pressed, hot, normal.
    params.enabled = true;
    params.activeButton = 3;
    params.hotPart = 4;
    EXPECT_EQ(painter->GetSpinButtonState(&params, 3), 3);
    EXPECT_EQ(painter->GetSpinButtonState(&params, 4), 2);
    params.hotPart = -1;
    EXPECT_EQ(painter->GetSpinButtonState(&params, 4), 1);
    params.enabled = false;
    EXPECT_EQ(painter->GetSpinButtonState(&params, 3), 4);
}

TEST_F(BarEditPainter, TheColourButtonFitsTheHeightAndNeedsRoom) {
    EXPECT_EQ(painter->GetColorButtonWidth(0, Rect(0, 0, 120, 22)), 16);
    TdxBarColorComboControlDrawParams params(&control);
    control.editRect = Rect(0, 0, 120, 22);
    TRect button;
    painter->CalcColorComboRects(&params, Rect(0, 0, 120, 22), button);
    EXPECT_EQ(button, Rect(103, 2, 119, 20)) << "16 wide inside its margins";

    TRect parts[5];
    control.parts[4] = button;
    painter->CalcColorComboLayout(&params, parts, 4, Rect(0, 0, 120, 22));
    EXPECT_EQ(parts[4], button);
    EXPECT_EQ(parts[3].right, 103 - 1 - 2);
    EXPECT_EQ(parts[0].right, parts[3].left - 1);

    control.editRect = Rect(0, 0, 30, 22);
    painter->CalcColorComboRects(&params, Rect(0, 0, 120, 22), button);
    EXPECT_EQ(button.left, button.right) << "too narrow a combo shows no colour button";
    control.editRect = Rect(0, 0, 120, 22);
    params.showsCustomButton = false;
    painter->CalcColorComboRects(&params, Rect(0, 0, 120, 22), button);
    EXPECT_EQ(button.left, button.right);
}

TEST_F(BarEditPainter, ProgressBlocksAreTwoThirdsOfTheThicknessWithGapsAndCutAtThePosition) {
    window.bkBrush = HBRUSH(GetStockObject(WHITE_BRUSH));
    TPainterTestCanvas surface(60, 12);
    HDC dc = surface.dc;
    TdxBarProgressControlDrawParams params(&control);
    params.canvas = &surface.canvas;
    params.position = 25;
    params.min = 0;
    params.max = 60;
    painter->DrawProgressBar(&params, Rect(0, 0, 60, 12), clRed);
    std::string row;
    for (int x = 0; x < 30; ++x) row += GetPixel(dc, x, 6) == RGB(255, 0, 0) ? '#' : '.';
    EXPECT_EQ(row, "########..########..#####.....");
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0)) << "blocks fill the thickness";

    params.solid = true;
    surface.Clear();
    painter->DrawProgressBar(&params, Rect(0, 0, 60, 12), clRed);
    row.clear();
    for (int x = 0; x < 30; ++x) row += GetPixel(dc, x, 6) == RGB(255, 0, 0) ? '#' : '.';
    EXPECT_EQ(row, "#########################.....");
    EXPECT_EQ(painter->GetProgressBarHeight(), 12);

    // A range of no width fills nothing; a position beyond the range fills the whole bar.
    struct Case {
        int position, min, max;
        COLORREF first, last;
    } cases[] = {{5, 10, 10, RGB(255, 255, 255), RGB(255, 255, 255)}, {90, 0, 60, RGB(255, 0, 0), RGB(255, 0, 0)}};
    for (const Case& c : cases) {
        surface.Clear();
        params.position = c.position;
        params.min = c.min;
        params.max = c.max;
        painter->DrawProgressBar(&params, Rect(0, 0, 60, 12), clRed);
        EXPECT_EQ(GetPixel(dc, 0, 6), c.first);
        EXPECT_EQ(GetPixel(dc, 59, 6), c.last);
    }
}

TEST_F(BarEditPainter, StaticBordersByStyle) {
    enum { none, lowered, raised, etched, bump };
    const int widths[] = {0, 1, 1, 2, 2};
    for (int style = none; style <= bump; ++style) {
        TRect w;
        painter->GetStaticBorderWidths(&control, style, w);
        EXPECT_EQ(w, Rect(widths[style], widths[style], widths[style], widths[style])) << style;
    }
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF back = RGB(0, 128, 0);
    struct Case {
        int style;
        std::vector<COLORREF> leftColumn;  // pixels 0.. along row 5
        TRect after;
    } cases[] = {
        {none, {back, back}, Rect(0, 0, 10, 10)},
        {lowered, {shadow, back}, Rect(1, 1, 9, 9)},
        {raised, {light, back}, Rect(1, 1, 9, 9)},
        {bump, {light, shadow, back}, Rect(2, 2, 8, 8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        TPainterTestCanvas surface(10, 10);
        HBRUSH green = CreateSolidBrush(back);
        RECT all{0, 0, 10, 10};
        FillRect(surface.dc, &all, green);
        DeleteObject(green);
        TdxBarStaticLikeControlDrawParams params(&control);
        params.canvas = &surface.canvas;
        params.borderStyle = Byte(c.style);
        painter->GetStaticBorderWidths(&control, c.style, params.borderWidths);
        TRect r = Rect(0, 0, 10, 10);
        painter->DrawStaticBorder(&params, r);
        EXPECT_EQ(r, c.after);
        for (size_t x = 0; x < c.leftColumn.size(); ++x)
            EXPECT_EQ(surface.Pixel(int(x), 5), c.leftColumn[x]) << x;
    }
}

TEST_F(BarEditPainter, ADisabledEditOnABarHasAHighlightInnerRing) {
    window.bkBrush = CreateSolidBrush(RGB(0, 128, 0));
    TPainterTestCanvas surface(40, 20);
    HDC dc = surface.dc;
    TdxBarEditLikeControlDrawParams params(&control);
    params.canvas = &surface.canvas;
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled);
        surface.Clear();
        params.enabled = enabled;
        TRect r = Rect(0, 0, 40, 20);
        painter->DrawEditBoxFrame(&params, r);
        EXPECT_EQ(r, Rect(2, 2, 38, 18));
        EXPECT_EQ(GetPixel(dc, 0, 10), RGB(0, 128, 0)) << "outer ring in the bar's background";
        EXPECT_EQ(GetPixel(dc, 1, 10), enabled ? RGB(0, 128, 0) : GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(GetPixel(dc, 2, 10), RGB(255, 255, 255)) << "the inside is left to the edit";
    }
    // Its colours: the bar's background and grey text.
    params.enabled = false;
    EXPECT_EQ(ColorToRGB(painter->GetEditBackColor(&params)), RGB(0, 128, 0));
    control.DrawParams()->enabled = false;
    EXPECT_EQ(painter->GetEditTextColor(&control), clGrayText);
    control.DrawParams()->enabled = true;
    EXPECT_EQ(painter->GetEditTextColor(&control), clWindowText);
    params.enabled = true;
    EXPECT_EQ(painter->GetEditBackColor(&params), clWindow);
    DeleteObject(window.bkBrush);
}

TEST_F(BarEditPainter, AnEditsBackgroundSplitsTheCaptionFromItsSpacing) {
    window.bkBrush = CreateSolidBrush(RGB(0, 128, 0));
    control.parts[1] = Rect(0, 0, 20, 22);   // glyph part
    control.parts[2] = Rect(20, 0, 60, 22);  // caption part
    TPainterTestCanvas surface(80, 22);
    TdxBarEditLikeControlDrawParams params(&control);
    params.canvas = &surface.canvas;
    params.viewStructure = 3;
    params.drawSelected = true;

    // Selected in a menu: the caption in the selection, its 4-pixel spacing in the background.
    params.paintKind = 1;
    painter->DrawEditBk(&params);
    EXPECT_EQ(surface.Pixel(55, 10), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(surface.Pixel(56, 10), RGB(0, 128, 0));
    EXPECT_EQ(surface.Pixel(59, 10), RGB(0, 128, 0));
    EXPECT_EQ(surface.Pixel(10, 10), RGB(255, 255, 255)) << "a menu's glyph column is left to the menu";

    // On a bar: caption and glyph part in the bar's background.
    surface.Clear();
    params.paintKind = 0;
    painter->DrawEditBk(&params);
    EXPECT_EQ(surface.Pixel(30, 10), RGB(0, 128, 0));
    EXPECT_EQ(surface.Pixel(10, 10), RGB(0, 128, 0));
    EXPECT_EQ(surface.Pixel(70, 10), RGB(255, 255, 255));
    DeleteObject(window.bkBrush);
}

TEST_F(BarEditPainter, ASeparatorOnABarIsTheBarSeparator) {
    window.bkBrush = CreateSolidBrush(RGB(0, 128, 0));
    TPainterTestCanvas surface(6, 10);
    TdxBarSeparatorControlDrawParams params(&control);
    params.canvas = &surface.canvas;
    params.paintKind = 0;
    painter->DrawSeparatorControl(&params, Rect(0, 0, 6, 10));
    HDC dc = surface.dc;
    EXPECT_EQ(GetPixel(dc, 0, 5), RGB(0, 128, 0));
    EXPECT_EQ(GetPixel(dc, 2, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(dc, 3, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
    DeleteObject(window.bkBrush);
}

}  // namespace

namespace {

TEST_F(BarEditPainter, StaticTextIsIndentedByAlignmentAndGlyph) {
    window.bkBrush = HBRUSH(GetStockObject(WHITE_BRUSH));
    control.brush = window.bkBrush;
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    TPainterTestCanvas surface(120, 22);
    SIZE extent{};
    GetTextExtentPoint32W(surface.dc, L"Ready", 5, &extent);
    struct Case {
        const char* name;
        Byte alignment, viewStructure;
        int expectedLeft, expectedRight;  // -1: not checked
    } cases[] = {
        {"left, text only: a quarter of the text size", 0, 2, window.textSize / 4, -1},
        {"right: ends two pixels in", 1, 2, -1, 118},
        {"left after a glyph: the glyph square and 2", 0, 3, 23 + 2, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        surface.Clear();
        TdxBarStaticLikeControlDrawParams params(&control);
        params.canvas = &surface.canvas;
        params.caption = L"Ready";
        params.enabled = true;
        params.alignment = c.alignment;
        params.viewStructure = c.viewStructure;
        params.buttonSize = TSize{23, 22};
        painter->DrawStaticContent(&params, Rect(0, 0, 120, 22));
        RECT ink = surface.BoundsOf(text);
        ASSERT_LT(ink.left, ink.right);
        // The ink may start a pixel or two inside the text cell.
        if (c.expectedLeft >= 0) {
            EXPECT_GE(ink.left, c.expectedLeft);
            EXPECT_LE(ink.left, c.expectedLeft + 2);
        }
        if (c.expectedRight >= 0) {
            EXPECT_LE(ink.right, c.expectedRight);
            EXPECT_GE(ink.right, c.expectedRight - 2);
        }
        EXPECT_LE(ink.right - ink.left, extent.cx);
    }
}

TEST_F(BarEditPainter, EllipsisDotsSitAtTheBottomAndMoveWhenPressed) {
    TPainterTestCanvas surface(21, 21);
    TdxBarColorComboControlDrawParams params(&control);
    params.canvas = &surface.canvas;
    params.enabled = true;
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    painter->DrawEllipsisDots(&params, Rect(0, 0, 21, 21));
    // Dot size 21 div 7 = 3, three dots 6 apart, centred, raised by their size.
    EXPECT_EQ(surface.BoundsOf(ink), Rect(3, 15, 18, 18));
    std::string row;
    for (int x = 0; x < 21; ++x) row += surface.Pixel(x, 16) == ink ? '#' : '.';
    EXPECT_EQ(row, "...###...###...###...");
    surface.Clear();
    params.pressed = true;
    painter->DrawEllipsisDots(&params, Rect(0, 0, 21, 21));
    EXPECT_EQ(surface.BoundsOf(ink), Rect(4, 16, 19, 19));
    surface.Clear();
    params.enabled = false;
    painter->DrawEllipsisDots(&params, Rect(0, 0, 21, 21));
    EXPECT_EQ(surface.BoundsOf(GetSysColor(COLOR_BTNSHADOW)), Rect(4, 16, 19, 19));
}

TEST_F(BarEditPainter, SpinArrowsPointAwayFromTheMiddleAndAreEngravedWhenDisabled) {
    TPainterTestCanvas surface(20, 20);
    TdxBarSpinEditDrawParams params(&control);
    params.canvas = &surface.canvas;
    params.enabled = true;
    params.arrowSize = TSize{7, 4};
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    painter->DrawSpinArrow(&params, Point(5, 10), 3);
    EXPECT_EQ(surface.BoundsOf(ink), Rect(5, 7, 12, 11)) << "up: the apex three rows above the base";
    surface.Clear();
    painter->DrawSpinArrow(&params, Point(5, 10), 4);
    EXPECT_EQ(surface.BoundsOf(ink), Rect(5, 10, 12, 14)) << "down: the apex below";
    surface.Clear();
    params.enabled = false;
    painter->DrawSpinArrow(&params, Point(5, 10), 4);
    EXPECT_EQ(surface.BoundsOf(GetSysColor(COLOR_BTNSHADOW)), Rect(5, 10, 12, 14));
    EXPECT_EQ(surface.Pixel(12, 11), GetSysColor(COLOR_BTNHIGHLIGHT)) << "the highlight one pixel down and right";

    TPoint pos;
    painter->CalcSpinArrowPos(&params, Rect(0, 0, 17, 10), 3, pos);
    EXPECT_EQ(pos.x, 4);
    EXPECT_EQ(pos.y, (10 - 4) / 2 + 3);
    painter->CalcSpinArrowPos(&params, Rect(0, 10, 17, 20), 4, pos);
    EXPECT_EQ(pos.y, (30 - 4) / 2);
}

TEST_F(BarEditPainter, ADateNavigatorButtonHasARaisedTwoPixelFrame) {
    TPainterTestSurface s(30, 20);
    painter->DrawDateNavigatorButton(nullptr, s.dc, Rect(0, 0, 30, 20), L"", false);
    EXPECT_EQ(s.Pixel(29, 10), GetSysColor(COLOR_BTNTEXT)) << "outer right";
    EXPECT_EQ(s.Pixel(15, 19), GetSysColor(COLOR_BTNTEXT)) << "outer bottom";
    EXPECT_EQ(s.Pixel(0, 10), GetSysColor(COLOR_BTNFACE)) << "outer left";
    EXPECT_EQ(s.Pixel(28, 10), GetSysColor(COLOR_BTNSHADOW)) << "inner right";
    EXPECT_EQ(s.Pixel(1, 10), GetSysColor(COLOR_BTNHIGHLIGHT)) << "inner left";
    EXPECT_EQ(s.Pixel(28, 1), GetSysColor(COLOR_BTNFACE)) << "the corner pixel";
    EXPECT_EQ(s.Pixel(15, 10), GetSysColor(COLOR_BTNFACE)) << "the opaque face inside";
}

}  // namespace

namespace {

// The order an edit is put together in: background, menu selection, the control's frame, glyph,
// caption, the control's content.
TEST(BarEditPainterOrder, AnEditIsAssembledInOrder) {
    static std::vector<std::string> log;
    class TRecordingPainter : public TdxBarPainter {
    public:
        using TdxBarPainter::TdxBarPainter;
        void DrawEditBk(P*) const override { log.push_back("background"); }
        void DrawEditMenuSelection(P*, const TRect&) const override { log.push_back("selection"); }
        void DrawEditGlyph(P*, TRect&) const override { log.push_back("glyph"); }
        void DrawEditCaption(P*, TRect&) const override { log.push_back("caption"); }
    } painter(nullptr);
    class TRecordingControl : public TFakeItemControl {
    public:
        using TFakeItemControl::TFakeItemControl;
        void DrawEditFrame() override { log.push_back("frame"); }
        void DrawEditContent() override { log.push_back("content"); }
    };
    TFakeBarWindow window;
    TRecordingControl control(&window);
    TdxBarEditLikeControlDrawParams params(&control);
    struct Case {
        Byte paintKind, viewStructure;
        bool selected;
        std::vector<std::string> expected;
    } cases[] = {
        {1, 3, true, {"background", "selection", "frame", "glyph", "caption", "content"}},
        {0, 3, true, {"background", "frame", "glyph", "caption", "content"}},
        {0, 2, false, {"background", "frame", "caption", "content"}},
        {0, 0, false, {"background", "frame", "content"}},
    };
    for (const Case& c : cases) {
        log.clear();
        params.paintKind = c.paintKind;
        params.viewStructure = c.viewStructure;
        params.drawSelected = c.selected;
        painter.DrawEditControl(&params, Rect(0, 0, 100, 22));
        EXPECT_EQ(log, c.expected);
    }
}

}  // namespace

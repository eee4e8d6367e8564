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
    TBitmap bitmap(60, 12, pf32bit);
    TcxCanvas canvas(bitmap.Canvas());
    HDC dc = canvas.GetCanvasHandle();
    RECT all{0, 0, 60, 12};
    FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
    TdxBarProgressControlDrawParams params(&control);
    params.canvas = &canvas;
    params.position = 25;
    params.min = 0;
    params.max = 60;
    painter->DrawProgressBar(&params, Rect(0, 0, 60, 12), clRed);
    std::string row;
    for (int x = 0; x < 30; ++x) row += GetPixel(dc, x, 6) == RGB(255, 0, 0) ? '#' : '.';
    EXPECT_EQ(row, "########..########..#####.....");
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0)) << "blocks fill the thickness";

    params.solid = true;
    FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
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
        FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
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
        TPainterTestSurface s(10, 10);
        HBRUSH green = CreateSolidBrush(back);
        RECT all{0, 0, 10, 10};
        FillRect(s.dc, &all, green);
        DeleteObject(green);
        TBitmap bitmap(10, 10, pf32bit);
        TcxCanvas canvas(bitmap.Canvas());
        BitBlt(canvas.GetCanvasHandle(), 0, 0, 10, 10, s.dc, 0, 0, SRCCOPY);
        TdxBarStaticLikeControlDrawParams params(&control);
        params.canvas = &canvas;
        params.borderStyle = Byte(c.style);
        painter->GetStaticBorderWidths(&control, c.style, params.borderWidths);
        TRect r = Rect(0, 0, 10, 10);
        painter->DrawStaticBorder(&params, r);
        EXPECT_EQ(r, c.after);
        for (size_t x = 0; x < c.leftColumn.size(); ++x)
            EXPECT_EQ(GetPixel(canvas.GetCanvasHandle(), int(x), 5), c.leftColumn[x]) << x;
    }
}

TEST_F(BarEditPainter, ADisabledEditOnABarHasAHighlightInnerRing) {
    window.bkBrush = CreateSolidBrush(RGB(0, 128, 0));
    TBitmap bitmap(40, 20, pf32bit);
    TcxCanvas canvas(bitmap.Canvas());
    HDC dc = canvas.GetCanvasHandle();
    TdxBarEditLikeControlDrawParams params(&control);
    params.canvas = &canvas;
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled);
        RECT all{0, 0, 40, 20};
        FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
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

TEST_F(BarEditPainter, ASeparatorOnABarIsTheBarSeparator) {
    window.bkBrush = CreateSolidBrush(RGB(0, 128, 0));
    TBitmap bitmap(6, 10, pf32bit);
    TcxCanvas canvas(bitmap.Canvas());
    TdxBarSeparatorControlDrawParams params(&control);
    params.canvas = &canvas;
    params.paintKind = 0;
    painter->DrawSeparatorControl(&params, Rect(0, 0, 6, 10));
    HDC dc = canvas.GetCanvasHandle();
    EXPECT_EQ(GetPixel(dc, 0, 5), RGB(0, 128, 0));
    EXPECT_EQ(GetPixel(dc, 2, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(dc, 3, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
    DeleteObject(window.bkBrush);
}

}  // namespace

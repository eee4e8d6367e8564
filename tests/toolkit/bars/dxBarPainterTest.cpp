// The base bar painter's shared drawing, read back from memory bitmaps.

#include <gtest/gtest.h>

#include <string>

#include "BarPainterFakes.h"
#include "TestSupport.h"
#include "dxBarStylePainters.h"
#include "dxBarUnit.h"

namespace {

TEST(BarPainter, ASeparatorIsSixPixelsWithTheEtchedLineInTheMiddle) {
    auto painter = NewBasePainter();
    EXPECT_EQ(painter->GetSeparatorSize(), 6);
    EXPECT_EQ(painter->GetSeparatorOffset(), 2);
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    const COLORREF g = RGB(0, 128, 0), shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);

    // Between buttons of a horizontal bar: a vertical strip, the line at its 3rd and 4th pixel.
    TPainterTestSurface across(6, 10);
    TFakeBarWindow window;
    painter->DrawBarSeparator(&window, across.dc, Rect(0, 0, 6, 10), green, false);
    for (int x = 0; x < 6; ++x) {
        COLORREF expected = x == 2 ? shadow : x == 3 ? light : g;
        EXPECT_EQ(across.Pixel(x, 5), expected) << x;
    }

    // Across a vertical bar: the same turned.
    TPainterTestSurface down(10, 6);
    painter->DrawBarSeparator(&window, down.dc, Rect(0, 0, 10, 6), green, true);
    for (int y = 0; y < 6; ++y) {
        COLORREF expected = y == 2 ? shadow : y == 3 ? light : g;
        EXPECT_EQ(down.Pixel(5, y), expected) << y;
    }
    DeleteObject(green);
}

TEST(BarPainter, TheMarkTriangleAndChevronsSitOnePixelUpOnSmallBars) {
    auto painter = NewBasePainter();
    TFakeBarWindow window;
    window.dockingStyle = dsTop;
    EXPECT_TRUE(painter->IsSmallBar(&window, Rect(0, 0, 11, 16)));
    EXPECT_FALSE(painter->IsSmallBar(&window, Rect(0, 0, 11, 17)));
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    for (int height : {22, 16}) {
        SCOPED_TRACE(height);
        int small = height < 17 ? 1 : 0;
        TPainterTestSurface mark(11, height);
        window.client = Rect(0, 0, 11, height);
        window.truncated = false;
        painter->DrawMarkContent(&window, mark.dc, Rect(0, 0, 11, height));
        // Down triangle: corners (3, y) (7, y) (5, y + 2) with y = bottom - 7, one lower when small.
        int y = height - 7 + small;
        EXPECT_EQ(mark.Row(y - 1, text), "...........");
        EXPECT_EQ(mark.Row(y, text), "...#####...");
        EXPECT_EQ(mark.Row(y + 1, text), "....###....");
        EXPECT_EQ(mark.Row(y + 2, text), ".....#.....");
        EXPECT_EQ(mark.Row(y + 3, text), "...........");

        // Truncated: two chevrons at x 2 and 6 pointing right, from y0 = 4 (3 when small).
        TPainterTestSurface chevrons(11, height);
        window.truncated = true;
        painter->DrawMarkContent(&window, chevrons.dc, Rect(0, 0, 11, height));
        int y0 = 4 - small;
        EXPECT_EQ(chevrons.Row(y0, text), "..##..##...");
        EXPECT_EQ(chevrons.Row(y0 + 1, text), "...##..##..");
        EXPECT_EQ(chevrons.Row(y0 + 2, text), "....##..##.");
        EXPECT_EQ(chevrons.Row(y0 + 3, text), "...##..##..");
        EXPECT_EQ(chevrons.Row(y0 + 4, text), "..##..##...");
        EXPECT_EQ(chevrons.Row(y0 - 1, text), "...........");
    }
}

TEST(BarPainter, VerticalBarsHaveALeftTriangleAndDownChevrons) {
    auto painter = NewBasePainter();
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    TFakeBarWindow window;
    window.dockingStyle = dsLeft;
    window.client = Rect(0, 0, 22, 11);
    TPainterTestSurface mark(22, 11);
    painter->DrawMarkContent(&window, mark.dc, Rect(0, 0, 22, 11));
    // Left triangle: (5, 3) (5, 7) (3, 5).
    EXPECT_EQ(mark.Row(3, text), ".....#................");
    EXPECT_EQ(mark.Row(4, text), "....##................");
    EXPECT_EQ(mark.Row(5, text), "...###................");
    EXPECT_EQ(mark.Row(6, text), "....##................");
    EXPECT_EQ(mark.Row(7, text), ".....#................");

    TPainterTestSurface chevron(22, 11);
    painter->DrawMarkChevron(&window, chevron.dc, 2, Rect(0, 0, 22, 11));
    // Strokes (14, 2) -> (16, 4) -> (19, 1) and one pixel lower (the last points are not drawn).
    EXPECT_EQ(chevron.Row(2, text), "..............#...#...");
    EXPECT_EQ(chevron.Row(3, text), "..............##.##...");
    EXPECT_EQ(chevron.Row(4, text), "...............###....");
    EXPECT_EQ(chevron.Row(5, text), "................#.....");
}

TEST(BarPainter, FloatingFramesAndMarksFollowTheSystemMetrics) {
    auto painter = NewBasePainter();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    EXPECT_EQ(painter->GetFloatCaptionHeight(), metrics.iSmCaptionHeight);
    EXPECT_EQ(painter->GetFloatCaptionAreaHeight(), metrics.iSmCaptionHeight + 1);
    TRect caption;
    painter->CalcFloatCaptionRect(Rect(10, 20, 110, 90), caption);
    int fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME);
    EXPECT_EQ(caption.left, 10 + fx);
    EXPECT_EQ(caption.right, 110 - fx);
    EXPECT_EQ(caption.top, 20 + fy);
    EXPECT_EQ(caption.bottom, 20 + fy + metrics.iSmCaptionHeight);
    TFakeBarWindow window;
    EXPECT_EQ(painter->GetBarCaptionBackColor(&window, true), clActiveCaption);
    EXPECT_EQ(painter->GetBarCaptionBackColor(&window, false), clInactiveCaption);

    // The floating mark's arrow: a 7-wide down triangle centred, its top row rounded down.
    TPainterTestSurface arrow(15, 15);
    painter->DrawFloatMarkArrow(&window, arrow.dc, Rect(0, 0, 15, 15));
    const COLORREF color = GetSysColor(COLOR_CAPTIONTEXT);
    EXPECT_EQ(arrow.Row(6, color), "....#######....");  // P = (4, ceil(11 / 2) = 6)
    EXPECT_EQ(arrow.Row(7, color), ".....#####.....");
    EXPECT_EQ(arrow.Row(9, color), ".......#.......");
    EXPECT_EQ(arrow.Row(10, color), "...............");

    TRect check = Rect(0, 0, 100, 20), text = Rect(0, 0, 100, 20);
    painter->CalcQuickCustCheckRect(nullptr, nullptr, check, text, false);
    EXPECT_EQ(check.right, 20);
    EXPECT_EQ(text.left, 20);
}

TEST(BarPainter, TheFlatPainterIsSharedAndOnlySkinPaintersFade) {
    EXPECT_EQ(FlatPainterInstance(), FlatPainterInstance());
    EXPECT_EQ(FlatPainterInstance()->ClassType(), TdxBarFlatPainter::StaticClass());
    EXPECT_FALSE(FlatPainterInstance()->SupportsFading());
    EXPECT_TRUE(std::unique_ptr<TdxBarPainter>(TdxBarStandardPainter::StaticClass()->CreateWithData(nullptr))
                    ->IsStandardStyle());
    EXPECT_FALSE(NewBasePainter()->IsStandardStyle());
}

TEST(BarPainter, DockBackgroundsAndBrushes) {
    auto painter = NewBasePainter();
    TPainterTestSurface dock(10, 10);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 200));
    painter->DrawDockBk(nullptr, dock.dc, Rect(0, 0, 5, 10), Rect(0, 0, 10, 10), TRect{}, blue, clRed);
    EXPECT_EQ(dock.Pixel(4, 5), RGB(0, 0, 200));      // the brush wins
    EXPECT_EQ(dock.Pixel(5, 5), RGB(255, 255, 255));  // only the paint rectangle
    painter->DrawDockBk(nullptr, dock.dc, Rect(5, 0, 10, 10), Rect(0, 0, 10, 10), TRect{}, nullptr, clRed);
    EXPECT_EQ(dock.Pixel(5, 5), RGB(255, 0, 0));  // else the colour
    DeleteObject(blue);

    EXPECT_FALSE(painter->UsesNativeBk(nullptr, Rect(0, 0, 1, 1)));
    EXPECT_EQ(painter->GetDownedBrush(), CheckerBrush());
    EXPECT_EQ(painter->GetSelBrush(), HBRUSH(INT_PTR(COLOR_HIGHLIGHT + 1)));
}

}  // namespace

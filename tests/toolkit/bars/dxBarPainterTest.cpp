// The base bar painter's shared drawing, read back from memory bitmaps.

#include <gtest/gtest.h>

#include <string>

#include "BarPainterFakes.h"
#include "TestSupport.h"
#include "dxBarStylePainters.h"
#include "Bitmap.h"
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

namespace {

TEST(BarPainter, NonClientOffsetsDependOnDockingBorderGripAndStatusBar) {
    auto painter = NewBasePainter();
    const int fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME);
    const int captionArea = painter->GetFloatCaptionAreaHeight();
    const int gripWidth = GetSystemMetrics(SM_CXHSCROLL);
    struct Case {
        const char* name;
        TdxBarDockingStyle style;
        bool hasWindow, floatCaption, singleBorder, dragGrip, statusBar, sizeGrip;
        TRect expected;
    } cases[] = {
        {"floating, no window yet", dsNone, false, false, true, false, false, false,
         Rect(fx, fy + captionArea, fx, fy)},
        {"floating with caption", dsNone, true, true, true, false, false, false, Rect(fx, fy + captionArea, fx, fy)},
        {"floating without caption", dsNone, true, false, true, false, false, false, Rect(fx, fy, fx, fy)},
        {"top, single border, grip", dsTop, true, true, true, true, false, false, Rect(2, 2, 2, 2)},
        {"top, single border, no window", dsTop, false, true, true, true, false, false, Rect(2, 2, 2, 2)},
        {"no border", dsTop, true, true, false, false, false, true, Rect(0, 0, gripWidth, 0)},
        {"no border, no grip", dsBottom, true, true, false, false, false, false, Rect(0, 0, 0, 0)},
        {"status bar", dsBottom, true, true, false, false, true, false, Rect(0, 2, 0, 0)},
        {"status bar with grip", dsBottom, true, true, false, false, true, true, Rect(0, 2, gripWidth, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFakeBarWindow window;
        window.floatCaption = c.floatCaption;
        window.dragGrip = c.dragGrip;
        TFakeBar bar;
        bar.window = c.hasWindow ? &window : nullptr;
        bar.singleBorder = c.singleBorder;
        bar.statusBar = c.statusBar;
        TRect offsets;
        painter->CalcBarNonClientOffsets(&bar, c.style, c.sizeGrip, offsets);
        EXPECT_EQ(offsets, c.expected);
    }
}

// The grip's share of the offsets comes from the style: a painter with a drag area shows where
// it goes on horizontal and vertical docks.
TEST(BarPainter, TheDragGripWidensTheLeadingSideOfADockedBar) {
    class TGripPainter : public TdxBarPainter {
    public:
        using TdxBarPainter::TdxBarPainter;
        int GetDragAreaSize(W*) const override { return 7; }
        int GetNoGripIndent() const override { return 3; }
    } painter(nullptr);
    TFakeBarWindow window;
    TFakeBar bar;
    bar.window = &window;
    TRect offsets;
    window.dragGrip = true;
    painter.CalcBarNonClientOffsets(&bar, dsTop, false, offsets);
    EXPECT_EQ(offsets, Rect(2 + 7, 2, 2, 2));
    painter.CalcBarNonClientOffsets(&bar, dsRight, false, offsets);
    EXPECT_EQ(offsets, Rect(2, 2 + 7, 2, 2));
    window.dragGrip = false;
    painter.CalcBarNonClientOffsets(&bar, dsBottom, false, offsets);
    EXPECT_EQ(offsets, Rect(2 + 3, 2, 2, 2));
}

TEST(BarPainter, TheMarkIsAStripAtTheEndOfADockedBarAndASquareBesideTheCloseButton) {
    auto painter = NewBasePainter();
    TFakeBarWindow window;
    window.client = Rect(0, 0, 120, 26);
    TRect mark;
    window.dockingStyle = dsTop;
    painter->CalcMarkRect(&window, mark);
    EXPECT_EQ(mark, Rect(109, 0, 120, 26));
    window.dockingStyle = dsRight;
    window.client = Rect(0, 0, 26, 120);
    painter->CalcMarkRect(&window, mark);
    EXPECT_EQ(mark, Rect(0, 109, 26, 120));

    window.dockingStyle = dsNone;
    window.captionButtons = Rect(40, 3, 100, 17);  // 14 high
    painter->CalcMarkRect(&window, mark);
    EXPECT_EQ(mark, Rect(86, 3, 100, 17)) << "without close button: the square at the right end";
    window.closeButton = true;
    TSize close;
    painter->GetCloseButtonSize(close);
    painter->CalcMarkRect(&window, mark);
    EXPECT_EQ(mark, Rect(86 - close.cx - 1, 3, 100 - close.cx - 1, 17)) << "one pixel left of the close button";
    window.captionButtons = Rect(95, 3, 100, 17);
    painter->CalcMarkRect(&window, mark);
    EXPECT_EQ(mark.left, 95) << "never left of the area";
}

TEST(BarPainter, ABarsBackgroundIsItsPictureThenItsColourThenTheDocks) {
    auto painter = NewBasePainter();
    TFakeBarWindow window;
    TFakeBar bar;
    window.bar = &bar;
    window.hasDock = true;
    window.inDock = Point(30, 4);
    const TRect client = Rect(0, 0, 20, 10);

    // Docked, no colour: the dock paints, its origin moved by the bar's place in it.
    TPainterTestSurface docked(20, 10);
    painter->FillBarBk(&window, docked.dc, client, client, nullptr, clNone);
    EXPECT_EQ(docked.Pixel(5, 5), window.dockColor);
    EXPECT_EQ(window.dockOrigin, Rect(30, 4, 50, 14));

    // The bar's colour wins over the dock's picture.
    bar.color = clRed;
    TPainterTestSurface colored(20, 10);
    painter->FillBarBk(&window, colored.dc, client, client, nullptr, clNone);
    EXPECT_EQ(colored.Pixel(5, 5), RGB(255, 0, 0));

    // A picture wins over the colour, tiled from the origin rectangle's corner.
    TBitmap picture(2, 2, pf32bit);
    picture.Canvas()->SetPixels(0, 0, clLime);
    picture.Canvas()->SetPixels(1, 0, clBlue);
    picture.Canvas()->SetPixels(0, 1, clBlue);
    picture.Canvas()->SetPixels(1, 1, clLime);
    bar.picture = &picture;
    TPainterTestSurface pictured(20, 10);
    painter->FillBarBk(&window, pictured.dc, client, Rect(1, 0, 21, 10), nullptr, clNone);
    EXPECT_EQ(pictured.Pixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(pictured.Pixel(2, 0), RGB(0, 0, 255));

    // Floating without picture or colour: the brush.
    bar.picture = nullptr;
    bar.color = clDefault;
    window.dockingStyle = dsNone;
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    TPainterTestSurface floating(20, 10);
    painter->FillBarBk(&window, floating.dc, client, client, green, clNone);
    EXPECT_EQ(floating.Pixel(5, 5), RGB(0, 128, 0));
    DeleteObject(green);
}

TEST(BarPainter, AStatusBarsGripSitsInTheBottomRightCornerOverItsBackground) {
    auto painter = NewBasePainter();
    TFakeBarWindow window;
    window.bkBrush = CreateSolidBrush(RGB(0, 128, 0));
    const int gw = GetSystemMetrics(SM_CXHSCROLL);
    TPainterTestSurface bar(100, 30);
    painter->DrawStatusBarSizeGrip(&window, bar.dc, Rect(0, 0, 100, 30), window.bkBrush);
    // The strip the grip stands in is background; nothing left of it is touched.
    EXPECT_EQ(bar.Pixel(100 - gw, 1), RGB(0, 128, 0));
    EXPECT_EQ(bar.Pixel(100 - gw - 1, 1), RGB(255, 255, 255));
    // The grip's lines are drawn in its bottom-right square.
    RECT grip{100 - gw, 30 - GetSystemMetrics(SM_CYHSCROLL), 100, 30};
    bool drawn = false;
    for (int y = grip.top; y < grip.bottom; ++y)
        for (int x = grip.left; x < grip.right; ++x) drawn |= bar.Pixel(x, y) == GetSysColor(COLOR_BTNSHADOW);
    EXPECT_TRUE(drawn);
    DeleteObject(window.bkBrush);
}

TEST(BarPainter, AFloatingCaptionDrawsItsTextOnlyWhenThereIsRoom) {
    auto painter = NewBasePainter();
    TFakeBarWindow window;
    window.dockingStyle = dsNone;
    window.caption = L"Tools";
    window.closeButton = true;
    const int h = painter->GetFloatCaptionHeight();
    HBRUSH line = CreateSolidBrush(RGB(0, 128, 0));
    const COLORREF captionColor = GetSysColor(COLOR_ACTIVECAPTION);

    TPainterTestSurface wide(120, h + 4);
    painter->DrawFloatCaption(&window, wide.dc, Rect(0, 0, 120, h), TRect{}, line);
    EXPECT_EQ(wide.Row(h, RGB(0, 128, 0)), std::string(120, '#')) << "the line under the caption";
    EXPECT_EQ(window.closeButtonsDrawn, 1);
    EXPECT_EQ(window.closeButtonRect, Rect(120 - h, 0, 120, h));
    // Opaque text fills the caption (less the close button) in the caption colour.
    EXPECT_EQ(wide.Pixel(0, 0), captionColor);
    EXPECT_EQ(wide.Pixel(119 - h, h - 1), captionColor);
    EXPECT_NE(wide.BoundsOf(GetSysColor(COLOR_CAPTIONTEXT)).right, 0) << "the caption text";

    // Narrower than its close button: no text, but the button is still drawn.
    TPainterTestSurface narrow(120, h + 4);
    window.closeButtonsDrawn = 0;
    painter->DrawFloatCaption(&window, narrow.dc, Rect(0, 0, h - 2, h), TRect{}, line);
    EXPECT_EQ(window.closeButtonsDrawn, 1);
    EXPECT_EQ(narrow.BoundsOf(captionColor).right, 0);
    DeleteObject(line);
}

TEST(BarPainter, CaptionButtonFacesByState) {
    auto painter = NewBasePainter();
    TFakeBarWindow window;
    struct Case {
        int state;
        COLORREF inner, corner;
    } cases[] = {
        {0, GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_ACTIVECAPTION)},
        {1, GetSysColor(COLOR_HIGHLIGHT), RGB(255, 255, 255)},  // the base draws no selection frame
        {2, GetSysColor(COLOR_BTNFACE), RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        TPainterTestSurface face(10, 10);
        painter->DrawCaptionButtonFace(&window, face.dc, Rect(0, 0, 10, 10), c.state);
        EXPECT_EQ(face.Pixel(5, 5), c.inner);
        EXPECT_EQ(face.Pixel(0, 0), c.corner);
    }
}

TEST(BarPainter, ItemHeightsAndShadows) {
    auto painter = NewBasePainter();
    TFakeBarWindow window;
    window.textSize = 19;
    EXPECT_EQ(painter->CalcBarItemHeight(&window), 19);
    window.dockingStyle = dsNone;
    EXPECT_FALSE(painter->BarControlHasShadow(&window)) << "only flat looks cast shadows";
}

}  // namespace

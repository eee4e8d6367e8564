// The shared bar canvas's nesting and the drop-down system panel, on memory DCs.

#include <gtest/gtest.h>

#include <memory>

#include "Bitmap.h"
#include "Canvas.h"
#include "TestSupport.h"
#include "WindowTesting.h"
#include "dxBarCanvas.h"

namespace {

// A memory DC over a 32-bit bitmap, with the objects it started with.
struct TCanvasTestDC {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
    TCanvasTestDC(int w = 100, int h = 60) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
        void* bits = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        oldBitmap = SelectObject(dc, bitmap);
    }
    ~TCanvasTestDC() {
        SelectObject(dc, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    // What is selected and where the clip lies, to compare before and after.
    struct TSnapshot {
        HGDIOBJ font, brush, pen;
        int clipKind;
        RECT clipBox;
        bool operator==(const TSnapshot& o) const {
            return font == o.font && brush == o.brush && pen == o.pen && clipKind == o.clipKind &&
                   EqualRect(&clipBox, &o.clipBox);
        }
    };
    TSnapshot Snapshot() const {
        TSnapshot s{
            GetCurrentObject(dc, OBJ_FONT), GetCurrentObject(dc, OBJ_BRUSH), GetCurrentObject(dc, OBJ_PEN), 0, {}};
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        s.clipKind = GetClipRgn(dc, region);
        if (s.clipKind == 1) GetRgnBox(region, &s.clipBox);
        DeleteObject(region);
        return s;
    }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc, x, y); }
};

TEST(BarCanvas, NestedEntriesComeBackInReverseOrder) {
    TdxBarCanvas canvas;
    TCanvasTestDC outer, inner;
    TBitmap bitmap(20, 20, pf32bit);
    TCanvas* own = canvas.Canvas();

    canvas.EndDraw();  // nothing entered: nothing happens
    EXPECT_EQ(canvas.EntryCount(), 0);
    EXPECT_FALSE(canvas.HasHandle());

    auto outerBefore = outer.Snapshot();
    canvas.BeginDraw(outer.dc);
    EXPECT_EQ(canvas.GetCanvasHandle(), outer.dc);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(outer.dc, red);  // a change made while entered
    IntersectClipRect(outer.dc, 1, 1, 10, 10);
    auto outerEntered = outer.Snapshot();

    // A canvas entered inside the DC entry, and a DC inside that.
    RECT bitmapClip;
    GetClipBox(bitmap.Canvas()->Handle(), &bitmapClip);
    canvas.BeginCanvasDraw(bitmap.Canvas());
    EXPECT_EQ(canvas.Canvas(), bitmap.Canvas());
    canvas.IntersectClipWithRect(Rect(2, 2, 5, 5));
    canvas.BeginDraw(inner.dc);
    EXPECT_EQ(canvas.Canvas(), bitmap.Canvas());  // a DC entry draws on the own canvas only when it is wrapped
    auto innerBefore = inner.Snapshot();
    IntersectClipRect(inner.dc, 3, 3, 4, 4);
    EXPECT_EQ(canvas.EntryCount(), 3);

    canvas.EndDraw();
    EXPECT_EQ(inner.Snapshot(), innerBefore);
    canvas.EndDraw();
    EXPECT_EQ(canvas.Canvas(), own);
    EXPECT_EQ(canvas.GetCanvasHandle(), outer.dc);
    EXPECT_EQ(outer.Snapshot(), outerEntered);  // the outer entry is still open
    RECT clip;
    GetClipBox(bitmap.Canvas()->Handle(), &clip);
    EXPECT_TRUE(EqualRect(&clip, &bitmapClip));  // the canvas's clip is back

    canvas.EndDraw();
    EXPECT_EQ(outer.Snapshot(), outerBefore);  // RestoreDC undid the brush and the clip
    EXPECT_FALSE(canvas.HasHandle());
    canvas.EndDraw();
    EXPECT_EQ(canvas.EntryCount(), 0);
    DeleteObject(red);
}

TEST(BarCanvas, ADCEnteredTwiceRestoresTheFirstHandleAndItsTools) {
    TdxBarCanvas canvas;
    TCanvasTestDC first, second;
    canvas.BeginDraw(first.dc);
    canvas.Canvas()->Brush()->SetColor(clRed);
    HDC drawn = canvas.Canvas()->Handle();
    canvas.BeginDraw(second.dc);
    EXPECT_EQ(canvas.GetCanvasHandle(), second.dc);
    canvas.Canvas()->Brush()->SetColor(clLime);
    canvas.EndDraw();
    EXPECT_EQ(canvas.GetCanvasHandle(), drawn);
    EXPECT_EQ(canvas.Canvas()->Brush()->Color(), clRed);
    canvas.EndDraw();
}

struct TPanelCase {
    int corner;
    bool bottom, closeAtLeft;
};

TEST(DropDownSysPanel, TheCornerCodePlacesThePanelGripAndCloseButton) {
    // A window 100 x 60 with a 1-pixel border and an 18-pixel panel at top or bottom.
    const TRect window = Rect(0, 0, 100, 60);
    const TPanelCase cases[] = {{0, false, false}, {1, false, true}, {2, true, false}, {3, true, true}};
    for (const TPanelCase& c : cases) {
        SCOPED_TRACE(c.corner);
        TCanvasTestDC dc;
        TRect client = c.bottom ? Rect(1, 1, 99, 41) : Rect(1, 19, 99, 59);
        TRect closeRect, gripRect;
        PaintDropDownSysPanel(dc.dc, window, client, true, false, false, false, closeRect, gripRect, c.corner);
        TRect panel = c.bottom ? Rect(1, 41, 99, 59) : Rect(1, 1, 99, 19);
        int size = std::min(GetSystemMetrics(SM_CXSIZE), RectHeight(panel) - 4);
        if (size % 2 == 0) --size;
        EXPECT_EQ(RectWidth(closeRect), size);
        EXPECT_EQ(RectHeight(closeRect), size);
        int stripLeft = c.closeAtLeft ? panel.left : panel.right - size - 4;
        EXPECT_EQ(closeRect.left, stripLeft + 2);
        EXPECT_EQ(closeRect.top, panel.top + (RectHeight(panel) - size) / 2 + (c.bottom ? 1 : 0));
        // The grip sits in its corner of the panel, at the other end from the close button.
        EXPECT_EQ(c.closeAtLeft ? gripRect.right : gripRect.left, c.closeAtLeft ? panel.right : panel.left);
        EXPECT_EQ(c.bottom ? gripRect.bottom : gripRect.top, c.bottom ? panel.bottom : panel.top);
        // The border band beside the client area and the window frame are in the frame colour.
        COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
        EXPECT_EQ(dc.Pixel(50, c.bottom ? 41 : 18), frame);
        EXPECT_EQ(dc.Pixel(0, 30), frame);
        // The rest of the panel is button face; the close button's outer ring is too when idle.
        EXPECT_EQ(dc.Pixel(50, c.bottom ? 50 : 10), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(dc.Pixel(closeRect.left, closeRect.top), GetSysColor(COLOR_BTNFACE));
    }
}

TEST(DropDownSysPanel, HotPushedAndFlatButtons) {
    const TRect window = Rect(0, 0, 100, 60), client = Rect(1, 19, 99, 59);
    struct {
        bool flat, hot, down;
        int topLeft;  // colour index of the button's top-left pixel
        COLORREF frame;
    } cases[] = {
        {false, true, true, COLOR_BTNSHADOW, GetSysColor(COLOR_WINDOWFRAME)},      // pushed: sunken
        {false, true, false, COLOR_BTNHIGHLIGHT, GetSysColor(COLOR_WINDOWFRAME)},  // hot: raised
        {true, true, true, COLOR_BTNFACE, GetSysColor(COLOR_BTNSHADOW)},           // flat: never bevelled
    };
    for (auto c : cases) {
        TCanvasTestDC dc;
        TRect closeRect, gripRect;
        PaintDropDownSysPanel(dc.dc, window, client, true, c.flat, c.hot, c.down, closeRect, gripRect, 0);
        EXPECT_EQ(dc.Pixel(closeRect.left, closeRect.top), GetSysColor(c.topLeft)) << c.flat << c.hot << c.down;
        EXPECT_EQ(dc.Pixel(0, 30), c.frame);
    }
}

TEST(DropDownSysPanel, ATenPixelPanelGetsAFivePixelButtonAndNoPanelGivesEmptyRects) {
    TCanvasTestDC dc;
    TRect closeRect, gripRect;
    PaintDropDownSysPanel(dc.dc, Rect(0, 0, 100, 60), Rect(2, 12, 98, 58), true, false, false, false, closeRect,
                          gripRect, 0);
    EXPECT_EQ(RectWidth(closeRect), 5);  // 10 - 4 = 6, made odd

    PaintDropDownSysPanel(dc.dc, Rect(0, 0, 100, 60), Rect(2, 12, 98, 58), false, false, false, false, closeRect,
                          gripRect, 0);
    EXPECT_TRUE(IsRectEmpty(&closeRect));
    EXPECT_TRUE(IsRectEmpty(&gripRect));
    EXPECT_EQ(BarCanvasInstance()->EntryCount(), 0);
}

// On a real window the panel is the non-client strip above the client area (here the caption's
// place) and the rectangles come back in screen coordinates.
using DropDownSysPanelWindow = WindowTest;

TEST_F(DropDownSysPanelWindow, TheRectanglesOfAWindowAreOnTheScreen) {
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_CAPTION | WS_VISIBLE, 200, 150, 120,
                                  80, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    PumpUntilIdle();
    TRect windowRect, client;
    GetWindowRect(window, &windowRect);
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -windowRect.left, -windowRect.top);

    for (int corner : {0, 1}) {
        TRect closeRect, gripRect, expectedClose, expectedGrip;
        DrawDropDownSysPanel(window, true, false, false, false, closeRect, gripRect, corner);
        TCanvasTestDC dc(RectWidth(windowRect), RectHeight(windowRect));
        PaintDropDownSysPanel(dc.dc, windowRect, client, true, false, false, false, expectedClose, expectedGrip,
                              corner);
        OffsetRect(&expectedClose, windowRect.left, windowRect.top);
        OffsetRect(&expectedGrip, windowRect.left, windowRect.top);
        EXPECT_TRUE(EqualRect(&closeRect, &expectedClose)) << corner;
        EXPECT_TRUE(EqualRect(&gripRect, &expectedGrip)) << corner;
        EXPECT_GE(closeRect.top, windowRect.top);
        EXPECT_LE(closeRect.bottom, windowRect.top + client.top);
    }
    EXPECT_EQ(BarCanvasInstance()->EntryCount(), 0);
    DestroyWindow(window);
}

}  // namespace

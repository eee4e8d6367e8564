#pragma once
// Small stand-ins for what the bar painters draw: a bar, a bar window and an item control with
// the answers a test sets, and a white 32-bit memory surface to read the pixels back from.

#include <windows.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "PixelSurface.h"
#include "cxGraphics.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarPaintedObjects.h"
#include "dxBarPainter.h"
#include "dxBarDrawing.h"

// Rectangles compare and print in the painter tests.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

// A white 32-bit bitmap with the canvas that draw parameters carry.
struct TPainterTestCanvas {
    TBitmap bitmap;
    TcxCanvas canvas;
    HDC dc;
    int width, height;
    TPainterTestCanvas(int w, int h)
        : bitmap(w, h, pf32bit), canvas(bitmap.Canvas()), dc(canvas.GetCanvasHandle()), width(w), height(h) {
        Clear();
    }
    void Clear() {
        RECT all{0, 0, width, height};
        FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
    }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc, x, y); }
    // The bounds of the pixels in the colour; empty when there are none.
    RECT BoundsOf(COLORREF color) const { return BoundsOfColor(dc, width, height, color); }
};

class TFakeBarWindow : public IdxBarPaintedWindow {
public:
    TdxBarManager* manager = nullptr;
    IdxBarPaintedBar* bar = nullptr;
    TdxBarDockingStyle dockingStyle = dsTop;
    TRect client = Rect(0, 0, 100, 22);
    HBRUSH bkBrush = HBRUSH(INT_PTR(COLOR_BTNFACE + 1));
    TBitmap* picture = nullptr;
    bool dragGrip = false, floatCaption = true, closeButton = false, mark = false, truncated = false;
    TRect captionButtons{};
    int markSize = 11, markState = 0, textSize = 16, fontHeight = -11, fontSize = 8, iconAreaWidth = 24;
    int kind = 0, beginGroupSize = 0;
    String caption;
    TPoint inDock{};
    // What FillDockBk was asked for; the dock paints in dockColor.
    TRect dockOrigin{};
    COLORREF dockColor = RGB(0, 0, 255);
    bool hasDock = false;
    int closeButtonsDrawn = 0;
    TRect closeButtonRect{};

    TdxBarManager* Manager() const override { return manager; }
    IdxBarPaintedBar* Bar() const override { return bar; }
    TdxBarDockingStyle DockingStyle() const override { return dockingStyle; }
    TRect ClientRect() const override { return client; }
    int BarControlKind() const override { return kind; }
    HBRUSH BkBrush() const override { return bkBrush; }
    void FillBk(HDC dc, const TRect& rect, HBRUSH brush, TColor color, bool) override {
        FillRectWithBackground(dc, rect, brush, color);
    }
    TBitmap* BackgroundBitmap() const override { return picture; }
    TPoint PositionInDock() const override { return inDock; }
    bool FillDockBk(HDC dc, const TRect& paintRect, const TRect& origin) override {
        if (!hasDock) return false;
        dockOrigin = origin;
        HBRUSH brush = CreateSolidBrush(dockColor);
        FillRect(dc, &paintRect, brush);
        DeleteObject(brush);
        return true;
    }
    int TextSize() const override { return textSize; }
    int FontHeight() const override { return fontHeight; }
    int FontSize() const override { return fontSize; }
    int IconAreaWidth() const override { return iconAreaWidth; }
    bool ShowsDragGrip() const override { return dragGrip; }
    bool ShowsFloatCaption() const override { return floatCaption; }
    bool HasCloseButton() const override { return closeButton; }
    bool ShowsMark() const override { return mark; }
    bool IsTruncated() const override { return truncated; }
    TRect CaptionButtonsRect() const override { return captionButtons; }
    int MarkSize() const override { return markSize; }
    int MarkState() const override { return markState; }
    String Caption() const override { return caption; }
    int BeginGroupSize() const override { return beginGroupSize; }
    void DrawFloatCloseButton(HDC, const TRect& rect) override {
        ++closeButtonsDrawn;
        closeButtonRect = rect;
    }
};

class TFakeBar : public IdxBarPaintedBar {
public:
    bool singleBorder = true, statusBar = false, mainMenu = false;
    TColor color = clDefault;
    TBitmap* picture = nullptr;
    IdxBarPaintedWindow* window = nullptr;
    bool HasSingleBorder() const override { return singleBorder; }
    bool IsStatusBar() const override { return statusBar; }
    bool IsMainMenu() const override { return mainMenu; }
    TColor Color() const override { return color; }
    TBitmap* BackgroundBitmap() const override { return picture; }
    IdxBarPaintedWindow* Window() const override { return window; }
};

// An item control without a link, answering the painter from its fields.
class TFakeItemControl : public TdxBarItemControl, public IdxBarPaintedControl {
public:
    explicit TFakeItemControl(IdxBarPaintedWindow* window) : TdxBarItemControl(nullptr), window_(window) {}
    IdxBarPaintedWindow* PaintedWindow() const override { return window_; }

    TSize glyphSize{16, 16};
    TCustomImageList* images = nullptr;
    int imageIndex = -1;
    TdxBarGlyphLayout layout = glLeft;
    TColor styleTextColor = clDefault;
    bool nonRecent = false, ownBrush = false;
    HBRUSH brush = HBRUSH(INT_PTR(COLOR_BTNFACE + 1));
    std::vector<TRect> parts = std::vector<TRect>(5);
    TRect bounds{}, editRect{};
    int glyphAreaWidth = 0, captionWidth = 0;
    TRect imageBounds{};

    HBRUSH BkBrush() const override { return brush; }
    bool HasOwnBrush() const override { return ownBrush; }
    TColor StyleTextColor() const override { return styleTextColor; }
    bool IsNonRecent() const override { return nonRecent; }
    TSize GlyphSize(int) const override { return glyphSize; }
    bool GetImageInfo(int, TBitmap*& glyph, TCustomImageList*& list, int& index) const override {
        glyph = nullptr;
        list = images;
        index = imageIndex;
        return images && imageIndex >= 0;
    }
    TdxBarGlyphLayout GlyphLayout() const override { return layout; }
    void SetImageBounds(const TRect& rect) override { imageBounds = rect; }
    TRect Part(int index) const override { return index < int(parts.size()) ? parts[index] : TRect{}; }
    TRect Bounds() const override { return bounds; }
    TRect EditRect() const override { return editRect; }
    int GlyphAreaWidth() const override { return glyphAreaWidth; }
    int CaptionWidth() const override { return captionWidth; }

private:
    IdxBarPaintedWindow* window_;
};

inline std::unique_ptr<TdxBarPainter> NewBasePainter() {
    return std::unique_ptr<TdxBarPainter>(TdxBarPainter::StaticClass()->CreateWithData(nullptr));
}

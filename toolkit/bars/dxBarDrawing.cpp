#include "dxBarDrawing.h"

#include <algorithm>
#include <vector>

#include "Bitmap.h"
#include "Canvas.h"
#include "Form.h"
#include "cxCustomLookAndFeelPainter.h"
#include "cxDropDownHelpers.h"
#include "cxGraphics.h"
#include "dxBarUnit.h"
#include "dxThemeManager.h"

// Sections: glyphs · arrows · frames, clips and backgrounds · themed parts.

namespace {

// A solid brush of a colour for the length of a scope.
class TSolidBrush {
public:
    explicit TSolidBrush(TColor color) : brush_(CreateSolidBrush(ColorToRGB(color))) {}
    ~TSolidBrush() { DeleteObject(brush_); }
    TSolidBrush(const TSolidBrush&) = delete;
    TSolidBrush& operator=(const TSolidBrush&) = delete;
    operator HBRUSH() const { return brush_; }

private:
    HBRUSH brush_;
};

constexpr int kThemeFillColor = 3802, kThemeTextColor = 3803;
constexpr int kEditTextPart = 1, kDisabledState = 4;
constexpr int kSmallCloseButtonPart = 19, kSizeBoxPart = 10, kSizeBoxRightAlign = 1;
constexpr int kThemeSizeTrue = 1;

}  // namespace

// ---- Glyphs -------------------------------------------------------------------------------

TcxImageDrawMode ChooseGlyphDrawMode(const TdxBarGlyphFlags& f) {
    if (!f.Enabled) return f.Faded ? idmFaded : idmDisabled;
    if (f.Grayed) return idmGrey;
    if (!f.Effects) return idmNormal;
    if (!f.Selected && !f.Down && ScreenColorDepth() > 8) return idmDingy;
    if (f.Shadow && f.Selected && !f.Pressed) return idmShadowed;
    return idmNormal;
}

void DrawGlyphForEnabled(HDC dc, const TRect& rect, TBitmap* bitmap, bool enabled) {
    PaintImageWithState(dc, rect, rect, bitmap, nullptr, -1, enabled ? idmNormal : idmDisabled, false, nullptr, clNone);
}

void DrawBarGlyph(HDC dc, HBRUSH background, const TRect& glyphRect, const TRect& backgroundRect, TBitmap* bitmap,
                  TCustomImageList* images, int imageIndex, TColor transparentColor, const TdxBarGlyphFlags& flags) {
    if (HasGlyph(bitmap)) transparentColor = clNone;  // a glyph brings its own transparency
    PaintImageWithState(dc, glyphRect, backgroundRect, bitmap, images, imageIndex, ChooseGlyphDrawMode(flags),
                        flags.Smooth, background, transparentColor, flags.LeftBottomPixelTransparent);
}

void HatchDisabledArea(HDC dc, const TRect& rect) { HatchDCArea(dc, rect, clBtnFace, clBtnFace, 2, 170, 20); }

// ---- Arrows -------------------------------------------------------------------------------

int FittedArrowSize(const TRect& rect, int direction) {
    int v = direction == adDown ? RectWidth(rect) - 8 : RectHeight(rect) - 6;
    int size = (v - 1) / 2 + (v % 2 != 0 ? 1 : 0);
    return std::max(size, 3);
}

void FillPolygonWithColor(HDC dc, const TPoint* points, int count, TColor penColor, TColor brushColor) {
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(penColor));
    TSolidBrush brush(brushColor);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Polygon(dc, points, count);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void PaintLargeArrow(HDC dc, const TRect& rect, int direction, int size, bool highlighted, bool enabled, bool flat,
                     TColor color) {
    if (color == clDefault) {
        if (!enabled)
            color = clBtnShadow;
        else if (!highlighted)
            color = clBtnText;
        else
            color = ColorToRGB(clBtnFace) == 0xFFFFFF ? clBtnFace : clHighlightText;
    }
    TcxArrowPoints points =
        TcxCustomLookAndFeelPainter::ComputeArrowTriangle(rect, size, false, TcxArrowDirection(direction));
    if (!enabled && !flat) {
        // The embossed look of a disabled arrow: its highlight one pixel below and to the right.
        TcxArrowPoints shadow = points;
        for (TPoint& p : shadow) p.x += 1, p.y += 1;
        FillPolygonWithColor(dc, shadow.data(), 3, clBtnHighlight, clBtnHighlight);
    }
    FillPolygonWithColor(dc, points.data(), 3, color, color);
}

void DrawArrowFittedToRect(HDC dc, const TRect& rect, int direction, bool enabled, bool highlighted, bool flat,
                           TColor color) {
    PaintLargeArrow(dc, rect, direction, FittedArrowSize(rect, direction), highlighted, enabled, flat, color);
}

// ---- Frames, clips and backgrounds ----------------------------------------------------------

void ClipCanvasToFrame(TcxCanvas* canvas, const TRect& frame, const TRect& content) {
    canvas->IntersectClipWithRect(frame);
    canvas->ExcludeRectFromClip(content);
}

void FrameRectWithBrush(HDC dc, const TRect& rect, HBRUSH brush) {
    const INT_PTR value = INT_PTR(brush);
    if (value > 0 && value <= COLOR_MENUBAR + 1) brush = GetSysColorBrush(int(value - 1));
    FrameRect(dc, &rect, brush);
}

void FrameHighlightRect(HDC dc, const TRect& rect) { FrameRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT)); }

void FrameRectTwice(HDC dc, const TRect& rect, TColor color) {
    TSolidBrush brush(color);
    TRect r = rect;
    FrameRect(dc, &r, brush);
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, brush);
}

void DrawDottedFocusRect(HDC dc, const TRect& rect) {
    COLORREF color = ColorToRGB(clBtnText);
    auto ring = [&](const TRect& r) {
        if (r.right <= r.left || r.bottom <= r.top) return;
        auto dot = [&](int x, int y) {
            if ((x + y) % 2 == 0) SetPixelV(dc, x, y, color);
        };
        for (int x = r.left; x < r.right; ++x) dot(x, r.top), dot(x, r.bottom - 1);
        for (int y = r.top + 1; y < r.bottom - 1; ++y) dot(r.left, y), dot(r.right - 1, y);
    };
    ring(rect);
    ring(TRect{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1});
}

HRGN SaveDCClipRegion(HDC dc) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetClipRgn(dc, region) == 1) return region;
    DeleteObject(region);
    return nullptr;
}

void RestoreDCClipRegion(HDC dc, HRGN saved) {
    SelectClipRgn(dc, saved);
    if (saved) DeleteObject(saved);
}

void IntersectDCClipRect(HDC dc, const TRect& rect) {
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void FillRectWithBackground(HDC dc, const TRect& rect, HBRUSH brush, TColor color, TBitmap* bitmap) {
    if (bitmap && !bitmap->Empty())
        TileBitmapInRect(dc, rect, rect, bitmap);
    else if (brush)
        FillRect(dc, &rect, brush);
    else
        FillRect(dc, &rect, TSolidBrush(color));
}

void TileBitmapInRect(HDC dc, const TRect& rect, const TRect& origin, TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty() || IsRectEmpty(&rect)) return;
    int w = bitmap->Width(), h = bitmap->Height();
    HRGN saved = SaveDCClipRegion(dc);
    IntersectDCClipRect(dc, rect);
    // The first tile is the one at or before the rectangle's corner, on the origin's grid.
    auto first = [](int from, int start, int step) { return start - ((start - from) % step + step) % step; };
    HDC source = bitmap->Canvas()->Handle();
    for (int y = first(origin.top, rect.top, h); y < rect.bottom; y += h)
        for (int x = first(origin.left, rect.left, w); x < rect.right; x += w)
            BitBlt(dc, x, y, w, h, source, 0, 0, SRCCOPY);
    RestoreDCClipRegion(dc, saved);
}

void ShiftWindowOrgToParent(TCustomForm* form, TWinControl* barWindow, HDC dc, TPoint& previousOrigin, TPoint& offset,
                            TRect& rect) {
    offset = TPoint{0, 0};
    if (form && barWindow && form->HandleAllocated() && barWindow->HandleAllocated()) {
        POINT p{0, 0};
        MapWindowPoints(form->Handle(), barWindow->Handle(), &p, 1);
        offset = TPoint{p.x, p.y};
    }
    POINT previous;
    GetWindowOrgEx(dc, &previous);
    previousOrigin = TPoint{previous.x, previous.y};
    SetWindowOrgEx(dc, previous.x - offset.x, previous.y - offset.y, nullptr);
    OffsetRect(&rect, -offset.x, -offset.y);
}

void RestoreWindowOrg(HDC dc, const TPoint& previousOrigin) {
    SetWindowOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
}

void DrawSizeGripTransparent(HDC dc, const TRect& rect) {
    int w = RectWidth(rect), h = RectHeight(rect);
    if (w <= 0 || h <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* gripBits = nullptr;
    void* backBits = nullptr;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP grip = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &gripBits, nullptr, 0);
    HBITMAP back = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &backBits, nullptr, 0);
    if (grip && back) {
        HGDIOBJ old = SelectObject(memory, grip);
        TRect local{0, 0, w, h};
        FillRect(memory, &local, GetSysColorBrush(COLOR_BTNFACE));
        DrawFrameControl(memory, &local, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        SelectObject(memory, back);
        BitBlt(memory, 0, 0, w, h, dc, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        // The grip's button-face pixels are its background: there the DC keeps what it showed.
        COLORREF face = ColorToRGB(clBtnFace);
        DWORD faceQuad = DWORD(GetRValue(face)) << 16 | DWORD(GetGValue(face)) << 8 | GetBValue(face);
        auto* g = static_cast<DWORD*>(gripBits);
        auto* b = static_cast<DWORD*>(backBits);
        for (int i = 0; i < w * h; ++i)
            if ((g[i] & 0xFFFFFF) != faceQuad) b[i] = g[i];
        BitBlt(dc, rect.left, rect.top, w, h, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
    }
    if (grip) DeleteObject(grip);
    if (back) DeleteObject(back);
    DeleteDC(memory);
}

// ---- Themed parts -------------------------------------------------------------------------

TColor GetThemeEditFillColor(int state) {
    COLORREF color;
    if (state == kDisabledState &&
        SUCCEEDED(GetThemeColor(GetThemeHandle(totEdit), kEditTextPart, state, kThemeFillColor, &color)))
        return TColor(color);
    return ColorToRGB(clWindow);
}

TColor GetThemeEditTextColor(int state) {
    COLORREF color;
    if (SUCCEEDED(GetThemeColor(GetThemeHandle(totEdit), kEditTextPart, state, kThemeTextColor, &color)))
        return TColor(color);
    return ColorToRGB(state == kDisabledState ? clGrayText : clWindowText);
}

TColor GetToolbarThemeFillColor() {
    COLORREF color;
    if (SUCCEEDED(GetThemeColor(GetThemeHandle(totToolBar), 0, 0, kThemeFillColor, &color))) return TColor(color);
    return ColorToRGB(clBtnFace);
}

TSize GetThemeSmallCloseButtonSize() {
    SIZE size{0, 0};
    GetThemePartSizeNoRect(GetThemeHandle(totWindow), nullptr, kSmallCloseButtonPart, 1, kThemeSizeTrue, &size);
    return TSize{size.cx, size.cy};
}

void DrawThemeSmallCloseButton(HDC dc, const TRect& rect, int corner, int state) {
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    TSize size = GetThemeSmallCloseButtonSize();
    TRect r;
    r.top = rect.top + (RectHeight(rect) - size.cy) / 2;
    r.bottom = r.top + size.cy;
    bool atLeft = corner == coTopRight || corner == coBottomRight;
    r.left = atLeft ? rect.left : rect.right - size.cx;
    r.right = r.left + size.cx;
    DrawThemeBackground(GetThemeHandle(totWindow), dc, kSmallCloseButtonPart, state, &r, nullptr);
}

TSize GetThemeSizeGripSize() {
    SIZE size{0, 0};
    GetThemePartSizeNoRect(GetThemeHandle(totScrollBar), nullptr, kSizeBoxPart, kSizeBoxRightAlign, kThemeSizeTrue,
                           &size);
    return TSize{size.cx + 2, size.cy + 2};
}

void DrawThemeSizeGrip(HDC dc, const TRect& rect, int corner) {
    HTHEME theme = GetThemeHandle(totScrollBar);
    if (!theme) return;
    bool right = corner == coTopRight || corner == coBottomRight;
    bool bottom = corner == coBottomLeft || corner == coBottomRight;
    if (right && bottom) {
        DrawThemeBackground(theme, dc, kSizeBoxPart, kSizeBoxRightAlign, &rect, nullptr);
        return;
    }
    // The theme draws a bottom-right grip: draw it aside and stretch it mirrored into place.
    int w = RectWidth(rect), h = RectHeight(rect);
    if (w <= 0 || h <= 0) return;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, dc, rect.left, rect.top, SRCCOPY);
    TRect local{0, 0, w, h};
    DrawThemeBackground(theme, memory, kSizeBoxPart, kSizeBoxRightAlign, &local, nullptr);
    StretchBlt(dc, right ? rect.left : rect.right - 1, bottom ? rect.top : rect.bottom - 1, right ? w : -w,
               bottom ? h : -h, memory, 0, 0, w, h, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

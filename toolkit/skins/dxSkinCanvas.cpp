#include "dxSkinCanvas.h"

#include "Canvas.h"
#include "cxBitmap.h"
#include "cxGeometry.h"
#include "dxGDIPlusClasses.h"
#include "dxOffice11.h"

namespace {

// The colour depth of what the DC draws on. A memory DC draws on its bitmap, whose depth its
// device caps do not tell (they answer the screen's).
int SkinSurfaceBitsPerPixel(HDC dc) {
    if (GetObjectType(dc) == OBJ_MEMDC) {
        BITMAP bitmap{};
        HGDIOBJ selected = GetCurrentObject(dc, OBJ_BITMAP);
        if (selected && GetObjectW(selected, sizeof(bitmap), &bitmap)) return bitmap.bmBitsPixel;
    }
    return GetDeviceCaps(dc, BITSPIXEL);
}

}  // namespace

ARGB ColorToARGB(TColor color, Byte alpha) {
    const DWORD rgb = DWORD(ColorToRGB(color));
    return (ARGB(alpha) << 24) | (ARGB(GetRValue(rgb)) << 16) | (ARGB(GetGValue(rgb)) << 8) | ARGB(GetBValue(rgb));
}

// ---- TdxSkinNearestNeighbourScope ----------------------------------------------------------

TdxSkinNearestNeighbourScope::TdxSkinNearestNeighbourScope(GpGraphics* graphics) : graphics_(graphics) {
    CheckGdipStatus(GdipGetInterpolationMode(graphics_, &savedMode_));
    CheckGdipStatus(GdipSetInterpolationMode(graphics_, InterpolationModeNearestNeighbor));
}

TdxSkinNearestNeighbourScope::~TdxSkinNearestNeighbourScope() { GdipSetInterpolationMode(graphics_, savedMode_); }

// ---- TdxSkinCanvas -------------------------------------------------------------------------

TdxSkinCanvas::~TdxSkinCanvas() {
    if (ownsGraphics_ && graphics_) GdipDeleteGraphics(graphics_);
    delete buffer_;
}

void TdxSkinCanvas::BeginPaint(HDC dc, const TRect& r) {
    rect_ = r;
    sourceDC_ = dc;
    HDC target = dc;
    if (SkinSurfaceBitsPerPixel(dc) <= 16) {
        buffer_ = new TcxBitmap(RectWidth(r), RectHeight(r));
        target = buffer_->Canvas()->Handle();
        BitBlt(target, 0, 0, RectWidth(r), RectHeight(r), dc, r.left, r.top, SRCCOPY);
        SetWindowOrgEx(target, r.left, r.top, nullptr);
    }
    CheckGdipStatus(GdipCreateFromHDC(target, &graphics_));
    ownsGraphics_ = true;
}

void TdxSkinCanvas::BeginPaintOnGraphics(GpGraphics* graphics, const TRect& r) {
    rect_ = r;
    sourceDC_ = nullptr;
    graphics_ = graphics;
    ownsGraphics_ = false;
}

void TdxSkinCanvas::EndPaint() {
    if (ownsGraphics_ && graphics_) {
        GpGraphics* graphics = graphics_;
        graphics_ = nullptr;
        ownsGraphics_ = false;
        CheckGdipStatus(GdipDeleteGraphics(graphics));
    }
    graphics_ = nullptr;
    if (buffer_) {
        HDC bufferDC = buffer_->Canvas()->Handle();
        SetWindowOrgEx(bufferDC, 0, 0, nullptr);
        const int saved = SaveDC(sourceDC_);
        BitBlt(sourceDC_, rect_.left, rect_.top, RectWidth(rect_), RectHeight(rect_), bufferDC, 0, 0, SRCCOPY);
        RestoreDC(sourceDC_, saved);
        delete buffer_;
        buffer_ = nullptr;
    }
}

void TdxSkinCanvas::FillRectByColor(const TRect& r, TColor color) {
    HDC dc = nullptr;
    CheckGdipStatus(GdipGetDC(graphics_, &dc));
    HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(color)));
    RECT area = r;
    FillRect(dc, &area, brush);
    GdipReleaseDC(graphics_, dc);
    DeleteObject(brush);
}

void TdxSkinCanvas::FillRectByGradient(const TRect& r, TColor color1, TColor color2, TdxSkinGradientMode mode) {
    if (Integer(color1) == Integer(color2) || !IsSkinColorAssigned(color2)) {
        FillRectByColor(r, color1);
    } else if (mode == gmForwardDiagonal || mode == gmBackwardDiagonal) {
        const GpRect area{r.left, r.top, RectWidth(r), RectHeight(r)};
        GpLineGradient* brush = nullptr;
        // Mirrored tiling: a corner pixel whose position rounds a hair outside the brush's band
        // then keeps its own end's colour instead of wrapping round to the other end.
        CheckGdipStatus(GdipCreateLineBrushFromRectI(&area, ColorToARGB(color1), ColorToARGB(color2),
                                                     mode == gmForwardDiagonal ? 2 : 3, WrapModeTileFlipXY, &brush));
        const GpStatus status = GdipFillRectangleI(graphics_, brush, area.X, area.Y, area.Width, area.Height);
        GdipDeleteBrush(brush);
        CheckGdipStatus(status);
    } else {
        HDC dc = nullptr;
        CheckGdipStatus(GdipGetDC(graphics_, &dc));
        FillRectWithGradient(dc, r, color1, color2, mode == gmHorizontal);
        GdipReleaseDC(graphics_, dc);
    }
}

void TdxSkinCanvas::DrawImage(TdxPNGImage* picture, const TRect& dest, const TRect& source) {
    const int dw = RectWidth(dest), dh = RectHeight(dest), sw = RectWidth(source), sh = RectHeight(source);
    if (dw == sw && dh == sh) {
        picture->DrawOnGraphics(graphics_, dest, source);
        return;
    }
    if (picture->Empty() || dw < 1 || dh < 1 || sw < 1 || sh < 1) return;
    // As the picture's own drawing does, an enlarged source is sampled one pixel shorter. A
    // scaled axis also gets its destination widened by a quarter pixel at both ends: a GDI+ that
    // maps pixels back to the source in single precision otherwise finds the first row or column
    // a hair outside the source and leaves it empty. No pixel boundary moves.
    const REAL growX = dw != sw ? 0.25f : 0.0f, growY = dh != sh ? 0.25f : 0.0f;
    CheckGdipStatus(GdipDrawImageRectRect(graphics_, picture->Image()->Handle(), REAL(dest.left) - growX,
                                          REAL(dest.top) - growY, REAL(dw) + 2 * growX, REAL(dh) + 2 * growY,
                                          REAL(source.left), REAL(source.top), REAL(dw > sw && sw > 1 ? sw - 1 : sw),
                                          REAL(dh > sh && sh > 1 ? sh - 1 : sh), UnitPixel, nullptr, nullptr, nullptr));
}

void TdxSkinCanvas::DrawImageNoResize(TdxPNGImage* picture, const TRect& dest, const TRect& source) {
    TdxSkinNearestNeighbourScope nearest(graphics_);
    DrawImage(picture, dest, source);
}

void TdxSkinCanvas::DrawImageTiled(TdxPNGImage* picture, const TRect& dest, const TRect& source) {
    const int sw = RectWidth(source), sh = RectHeight(source);
    const int dw = RectWidth(dest), dh = RectHeight(dest);
    if (sw < 1 || sh < 1 || dw < 1 || dh < 1) return;
    TdxSkinNearestNeighbourScope nearest(graphics_);
    const int rows = (dh + sh - 1) / sh, columns = (dw + sw - 1) / sw;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            TRect to{dest.left + column * sw, dest.top + row * sh, dest.left + (column + 1) * sw,
                     dest.top + (row + 1) * sh};
            TRect from = source;
            // The last copies are cut at the destination's edges, their sources by as much.
            if (to.right > dest.right) {
                from.right -= to.right - dest.right;
                to.right = dest.right;
            }
            if (to.bottom > dest.bottom) {
                from.bottom -= to.bottom - dest.bottom;
                to.bottom = dest.bottom;
            }
            DrawImage(picture, to, from);
        }
}

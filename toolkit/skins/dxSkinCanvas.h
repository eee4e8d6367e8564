#pragma once
// The GDI+ drawing context of one pass of skin drawing: fills, gradients and the three ways a
// part of a picture is put into a rectangle (stretched, at its own size, tiled).
//
// On a device of 16 bits per pixel or less the pass draws into a 32-bit buffer holding a copy of
// the target's pixels and copies it back at the end, so that alpha blending still works.

#include "GraphicsTypes.h"
#include "dxGDIPlusAPI.h"
#include "dxSkinsTypes.h"

class TcxBitmap;
class TdxPNGImage;

// The GDI+ colour of a platform colour (system colours resolved) with the opacity.
ARGB ColorToARGB(TColor color, Byte alpha = 255);

class TdxSkinCanvas : public TObject {
    Z_CLASS(TdxSkinCanvas, TObject)
public:
    TdxSkinCanvas() = default;
    ~TdxSkinCanvas() override;

    // Opens the pass on a device context; r is the rectangle about to be drawn.
    void BeginPaint(HDC dc, const TRect& r);
    // Opens the pass on a graphics someone else owns: no buffer, no source DC.
    void BeginPaintOnGraphics(GpGraphics* graphics, const TRect& r);
    // Deletes the graphics it made and copies the buffer back.
    void EndPaint();

    GpGraphics* Graphics() const { return graphics_; }
    TcxBitmap* Buffer() const { return buffer_; }
    const TRect& Rect() const { return rect_; }
    HDC SourceDC() const { return sourceDC_; }

    void FillRectByColor(const TRect& r, TColor color);
    void FillRectByGradient(const TRect& r, TColor color1, TColor color2, TdxSkinGradientMode mode);
    // The source rectangle of the picture stretched into dest with the graphics' own sampling
    // (an enlarged source one pixel shorter, so that no pixel beyond it bleeds in).
    void DrawImage(TdxPNGImage* picture, const TRect& dest, const TRect& source);
    // The same with nearest-neighbour sampling, so that parts drawn 1:1 stay exact.
    void DrawImageNoResize(TdxPNGImage* picture, const TRect& dest, const TRect& source);
    // Copies of the source rectangle side by side over dest, the last ones cut at its edges.
    void DrawImageTiled(TdxPNGImage* picture, const TRect& dest, const TRect& source);

private:
    GpGraphics* graphics_ = nullptr;
    bool ownsGraphics_ = false;
    TcxBitmap* buffer_ = nullptr;
    TRect rect_{};
    HDC sourceDC_ = nullptr;
};

// Switches a graphics to nearest-neighbour sampling for its lifetime.
class TdxSkinNearestNeighbourScope {
public:
    explicit TdxSkinNearestNeighbourScope(GpGraphics* graphics);
    ~TdxSkinNearestNeighbourScope();
    TdxSkinNearestNeighbourScope(const TdxSkinNearestNeighbourScope&) = delete;
    TdxSkinNearestNeighbourScope& operator=(const TdxSkinNearestNeighbourScope&) = delete;

private:
    GpGraphics* graphics_;
    INT savedMode_ = 0;
};

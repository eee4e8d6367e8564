#pragma once
// One nine-part image of a colour scheme: a rectangle cut out of a PNG atlas into a 32-bit GDI+
// bitmap of its own, drawn into any rectangle with its four corners kept,
// its edges and centre stretched, and a constant alpha. The stretched picture is cached for the
// size last drawn, so a part drawn again and again at one size (buttons, tabs) is rendered once.
//
// Also here: CreateGpImageFromStream, which decodes an atlas.

#include <windows.h>

#include <array>

#include "GraphicsTypes.h"
#include "Streams.h"
#include "dxGDIPlusAPI.h"

// Decodes the rest of the stream (a PNG atlas) into a GDI+ bitmap that keeps no reference to
// the stream or to the memory it was read into; the caller disposes it (GdipDisposeImage).
// Nil when GDI+ is not usable; raises when the data cannot be decoded.
GpImage* CreateGpImageFromStream(TStream* stream);

class TdxSkinnedRect : public TObject {
    Z_CLASS(TdxSkinnedRect, TObject)
public:
    // A suppressed part keeps its pictures but never draws.
    explicit TdxSkinnedRect(bool suppressed = false);
    ~TdxSkinnedRect() override;

    // Copies rectangle r of the atlas (which it may lie anywhere inside) and sets the margins of
    // the corners; raises the GDI+ failure when a GDI+ call fails.
    void LoadFromImage(GpImage* atlas, const TRect& r, const TRect& margins);
    // Draws into r with the alpha (nothing when r is empty or not visible in the DC).
    void Draw(HDC dc, const TRect& r, Byte alpha = 255);
    // Lays the nine cells out for a target of this size, when the size changed.
    void SetSize(int width, int height);

    virtual void CalculateCells(int width, int height);
    virtual void ClearSize();
    virtual void FillDefault(HDC dc, const TRect& r);
    virtual void Paint(HDC dc, const TRect& r);
    // r moved inward by the content margins.
    virtual TRect GetContentRect(const TRect& r) const;

    Byte Alpha() const { return alpha_; }
    TSize CurrentSize() const { return currentSize_; }
    TSize CellSize(int cell) const { return cellSizes_[size_t(cell)]; }
    TRect SourceCell(int cell) const { return sourceCells_[size_t(cell)]; }
    const TRect& Margins() const { return margins_; }
    const TRect& ContentMargins() const { return contentMargins_; }
    void SetContentMargins(const TRect& value) { contentMargins_ = value; }
    TSize MinimumSize() const { return minimumSize_; }
    TSize SourceSize() const { return sourceSize_; }
    int PartId() const { return partId_; }
    void SetPartId(int value) { partId_ = value; }
    const String& PartName() const { return partName_; }
    void SetPartName(const String& value) { partName_ = value; }
    // GDI+ interpolation mode of the stretched cells: 0 default, 5 nearest neighbour, 7 bicubic.
    int Interpolation() const { return interpolation_; }
    void SetInterpolation(int value);
    bool Suppressed() const { return suppressed_; }
    // How many times the stretched picture has been rendered (a new size renders it once).
    int CacheRenders() const { return cacheRenders_; }

private:
    void UpdateCache();
    void DisposeCache();

    Byte alpha_ = 255;
    TSize currentSize_{0, 0};
    std::array<TSize, 9> cellSizes_{};
    TRect margins_{0, 0, 0, 0};
    GpImage* sourceImage_ = nullptr;
    TSize sourceSize_{0, 0};
    HBITMAP cacheBitmap_ = nullptr;  // the stretched picture, premultiplied
    TSize cachedSize_{0, 0};
    int partId_ = -1;
    int interpolation_ = 0;
    TSize minimumSize_{0, 0};
    String partName_;
    bool suppressed_;
    std::array<TRect, 9> sourceCells_{};
    TRect contentMargins_{8, 8, 8, 8};
    int cacheRenders_ = 0;
};

#pragma once
// The toolkit's 32-bit bitmap: pixels blue, green, red, alpha from the low byte up, colours
// premultiplied. It reads and writes its whole pixel array, knows which pixels count as
// transparent, and applies the per-pixel filters with which glyphs are painted in their
// states (grey, disabled, faded, hatched, opaque, mask ...).

#include <bit>
#include <vector>

#include "cxCustomBitmap.h"
#include "cxImageStates.h"

// ReadPixels gives the bottom row first.
// 24-bit pixel values $00RRGGBB.
using TcxColorList = std::vector<DWORD>;

enum TcxBitmapFilter : Byte {
    bfDingy,             // lighter when opaque, else fainter
    bfDirty,             // grey, then the button shadow blended over it
    bfGrey,              // the mean of red, green and blue
    bfOpaque,            // alpha 255 on every pixel
    bfMask,              // transparent pixels white, others black, both with their alpha
    bfFaded,             // luminance grey
    bfDisabled,          // the grey of disabled glyphs
    bfOpaqueWhereDrawn,  // alpha 255 on drawn pixels whose alpha is 0
    bfHatch,             // a checker of two colours blended over every pixel
    bfBackground,        // every pixel the transparent background colour
    bfClearAlpha,        // alpha 0 on every pixel
};

inline DWORD PixelValue(RGBQUAD p) { return std::bit_cast<DWORD>(p); }
inline RGBQUAD PixelFromValue(DWORD v) { return std::bit_cast<RGBQUAD>(v); }

class TcxBitmap : public TcxCustomBitmap {
    Z_CLASS(TcxBitmap, TcxCustomBitmap)
public:
    TcxBitmap() : TcxBitmap(0, 0) {}
    // Always 32 bits per pixel, whatever format is asked for; cleared.
    TcxBitmap(int width, int height, TPixelFormat format = pf32bit);
    // Cleared to the background pixel value when its alpha is not 0.
    TcxBitmap(int width, int height, DWORD backgroundPixel);
    static TcxBitmap* CreateEmpty() { return new TcxBitmap(); }
    static TcxBitmap* CreateOfSize(int width, int height) { return new TcxBitmap(width, height); }
    static TcxBitmap* CreateForRect(const TRect& r) { return new TcxBitmap(RectWidth(r), RectHeight(r)); }
    static TcxBitmap* CreateForRectFormat(const TRect& r, TPixelFormat format) {
        return new TcxBitmap(RectWidth(r), RectHeight(r), format);
    }
    static TcxBitmap* CreateWithBackground(int width, int height, DWORD backgroundPixel) {
        return new TcxBitmap(width, height, backgroundPixel);
    }

    // Resizing clears the picture.
    void SetSize(Integer width, Integer height) override;
    // To the background colour when its alpha is not 0, else black with alpha 0.
    void ClearBitmap() override;

    TRGBColors ReadPixels();
    void WritePixels(const TRGBColors& pixels);
    // One pass of the filter over every pixel, then a change notification.
    void ApplyPixelFilter(TcxBitmapFilter kind);
    void MakeOpaque();
    bool HasAlpha();
    void SetHatch(TColor color1, TColor color2, Byte step, Byte alpha1 = 255, Byte alpha2 = 255);
    // Clears the pixels where the mask is set (destination AND NOT source).
    void ApplyMask(TBitmap* mask);

    DWORD TransparentBkColor() const { return transparentBkColor_; }
    void SetTransparentBkColor(DWORD value) { transparentBkColor_ = value; }
    const TcxColorList& TransparentPixels() const { return transparentPixels_; }
    void AddTransparentColor(TColor color);
    void ClearTransparentColors() { transparentPixels_.clear(); }
    // Equal to the background colour in all 32 bits, or with its colour part in the list.
    bool IsTransparentPixel(DWORD pixel) const;

protected:
    void BitmapResized() override;

private:
    void FilterPixel(TcxBitmapFilter kind, RGBQUAD& p);

    BITMAPINFO info_{};
    DWORD transparentBkColor_ = 0;
    TcxColorList transparentPixels_;
    TPoint current_{0, 0};
    DWORD hatchColor1_ = 0, hatchColor2_ = 0;
    Byte hatchAlpha1_ = 255, hatchAlpha2_ = 255, hatchStep_ = 1;
};

// Unit start-up: bitmaps are re-created by class name from pictures in form descriptions.
void InitializecxBitmap();

// Sections: construction · pixels · filters · transparency.

#include "cxBitmap.h"

#include <algorithm>
#include <cmath>

#include "cxGraphics.h"

namespace {

Byte RoundClamp(float v) { return ClampChannel(std::lrint(v)); }

}  // namespace

// ---- construction --------------------------------------------------------------------------

TcxBitmap::TcxBitmap(int width, int height, TPixelFormat) : TcxCustomBitmap(0, 0, pf32bit) {
    BeginChange();
    TBitmap::SetSize(width, height);
    EndChange(true);
    ClearBitmap();
}

TcxBitmap::TcxBitmap(int width, int height, DWORD backgroundPixel) : TcxCustomBitmap(0, 0, pf32bit) {
    transparentBkColor_ = backgroundPixel;
    BeginChange();
    TBitmap::SetSize(width, height);
    EndChange(true);
    ClearBitmap();
}

void TcxBitmap::BitmapResized() {
    info_.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info_.bmiHeader.biWidth = Width();
    info_.bmiHeader.biHeight = Height();  // positive: rows run bottom-up
    info_.bmiHeader.biPlanes = 1;
    info_.bmiHeader.biBitCount = 32;
    info_.bmiHeader.biCompression = BI_RGB;
}

void TcxBitmap::SetSize(Integer width, Integer height) {
    TcxCustomBitmap::SetSize(width, height);
    ClearBitmap();
}

void TcxBitmap::ClearBitmap() {
    if ((transparentBkColor_ >> 24) != 0)
        ApplyPixelFilter(bfBackground);
    else
        TcxCustomBitmap::ClearBitmap();
}

// ---- pixels --------------------------------------------------------------------------------

TRGBColors TcxBitmap::ReadPixels() {
    int w = Width(), h = Height();
    TRGBColors pixels(size_t(w > 0 && h > 0 ? w * h : 0));
    if (pixels.empty()) return pixels;
    BitmapResized();
    GetDIBits(SharedScreenCanvas()->GetCanvasHandle(), Handle(), 0, UINT(h), pixels.data(), &info_, DIB_RGB_COLORS);
    return pixels;
}

void TcxBitmap::WritePixels(const TRGBColors& pixels) {
    int w = Width(), h = Height();
    if (w <= 0 || h <= 0 || pixels.size() < size_t(w * h)) return;
    BitmapResized();
    SetDIBits(SharedScreenCanvas()->GetCanvasHandle(), Handle(), 0, UINT(h), pixels.data(), &info_, DIB_RGB_COLORS);
}

void TcxBitmap::MakeOpaque() {
    TRGBColors pixels = ReadPixels();
    for (RGBQUAD& p : pixels) p.rgbReserved = 255;
    WritePixels(pixels);
}

bool TcxBitmap::HasAlpha() {
    TRGBColors pixels = ReadPixels();
    return std::any_of(pixels.begin(), pixels.end(), [](const RGBQUAD& p) { return p.rgbReserved != 0; });
}

void TcxBitmap::ApplyMask(TBitmap* mask) { CopyBitmap(mask, 0x220326); }

// ---- filters -------------------------------------------------------------------------------

void TcxBitmap::ApplyPixelFilter(TcxBitmapFilter kind) {
    int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    TRGBColors pixels = ReadPixels();
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
            current_ = TPoint{x, y};
            FilterPixel(kind, pixels[size_t(y) * size_t(w) + size_t(x)]);
        }
    WritePixels(pixels);
    Changed(this);
}

void TcxBitmap::SetHatch(TColor color1, TColor color2, Byte step, Byte alpha1, Byte alpha2) {
    hatchColor1_ = ColorToPixel(color1, 255);
    hatchColor2_ = ColorToPixel(color2, 255);
    hatchAlpha1_ = alpha1;
    hatchAlpha2_ = alpha2;
    hatchStep_ = step;
    ApplyPixelFilter(bfHatch);
}

void TcxBitmap::FilterPixel(TcxBitmapFilter kind, RGBQUAD& p) {
    bool transparent = IsTransparentPixel(PixelValue(p));
    auto setGrey = [&p](Byte g) { p.rgbRed = p.rgbGreen = p.rgbBlue = g; };
    auto weighted = [&p](float r, float g, float b) {
        return RoundClamp(r * float(p.rgbRed) + g * float(p.rgbGreen) + b * float(p.rgbBlue));
    };
    switch (kind) {
        case bfOpaque:
            p.rgbReserved = 255;
            return;
        case bfMask:
            p = PixelFromValue(transparent ? 0xFFFFFFFF : 0);
            return;
        case bfBackground:
            p = PixelFromValue(transparentBkColor_);
            return;
        case bfClearAlpha:
            p.rgbReserved = 0;
            return;
        case bfHatch: {
            // A zero step would divide by zero: cells of one pixel then.
            int step = hatchStep_ ? hatchStep_ : 1;
            bool odd = ((current_.x / step + current_.y / step) & 1) != 0;
            BlendPixel(PixelFromValue(odd ? hatchColor2_ : hatchColor1_), p, odd ? hatchAlpha2_ : hatchAlpha1_);
            return;
        }
        default:
            break;
    }
    if (transparent) return;
    switch (kind) {
        case bfDingy:
            if (p.rgbReserved == 255) {
                for (BYTE* c : {&p.rgbRed, &p.rgbGreen, &p.rgbBlue}) *c = ClampChannel(*c + MulDiv(255 - *c, 3, 10));
            } else {
                for (BYTE* c : {&p.rgbRed, &p.rgbGreen, &p.rgbBlue, &p.rgbReserved})
                    *c = ClampChannel(MulDiv(*c, 200, 255));
            }
            break;
        case bfDirty:
            setGrey(weighted(0.299f, 0.587f, 0.114f));
            BlendPixel(PixelFromValue(ColorToPixel(clBtnShadow, 192)), p, 238);
            break;
        case bfGrey:
            setGrey(Byte((p.rgbRed + p.rgbGreen + p.rgbBlue) / 3));
            break;
        case bfFaded:
            setGrey(weighted(0.299f, 0.587f, 0.114f));
            break;
        case bfDisabled:
            setGrey(weighted(0.0729f, 0.7146f, 0.2125f));
            break;
        case bfOpaqueWhereDrawn:
            if (p.rgbReserved == 0) p.rgbReserved = 255;
            break;
        default:
            break;
    }
}

// ---- transparency --------------------------------------------------------------------------

void TcxBitmap::AddTransparentColor(TColor color) { transparentPixels_.push_back(ColorToPixel(color, 0) & 0xFFFFFF); }

bool TcxBitmap::IsTransparentPixel(DWORD pixel) const {
    if (pixel == transparentBkColor_) return true;
    DWORD colour = pixel & 0xFFFFFF;
    return std::find(transparentPixels_.begin(), transparentPixels_.end(), colour) != transparentPixels_.end();
}

void InitializecxBitmap() { RegisterClasses({TcxCustomBitmap::StaticClass(), TcxBitmap::StaticClass()}); }

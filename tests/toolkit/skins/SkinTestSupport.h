#pragma once
// Helpers of the skins' tests: a 32-bit top-down DIB section to draw into and read back, the
// probe table of the atlas generator, and fresh colour schemes cut from the program's atlases.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "dxRibbonColorSchemes.h"

// A 32-bit DIB section with its own memory DC; pixels are 0xAARRGGBB, (0, 0) top-left.
class TSkinDib {
public:
    TSkinDib(int width, int height, DWORD fill = 0xFF808080) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
        Fill(fill);
    }
    ~TSkinDib() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    TSkinDib(const TSkinDib&) = delete;
    TSkinDib& operator=(const TSkinDib&) = delete;

    HDC DC() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Fill(DWORD pixel) {
        GdiFlush();
        for (int i = 0; i < width_ * height_; ++i) bits_[i] = pixel;
    }
    DWORD Pixel(int x, int y) const {
        GdiFlush();
        return bits_[y * width_ + x];
    }
    DWORD Rgb(int x, int y) const { return Pixel(x, y) & 0xFFFFFF; }
    // The pixels as they are now, to compare whole pictures.
    std::vector<DWORD> Pixels() const {
        GdiFlush();
        return std::vector<DWORD>(bits_, bits_ + width_ * height_);
    }
    // True when some pixel differs from the fill.
    bool ChangedFrom(DWORD fill) const {
        GdiFlush();
        for (int i = 0; i < width_ * height_; ++i)
            if ((bits_[i] & 0xFFFFFF) != (fill & 0xFFFFFF)) return true;
        return false;
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    DWORD* bits_ = nullptr;
};

// One line of the generator's probe table: the colour (0xAARRGGBB, straight alpha) at (x, y)
// of the part with the ID in the atlas of `scheme` ("Common" for the shared atlas).
struct TRibbonProbe {
    const char* scheme;
    int partId;
    int x, y;
    DWORD color;
};

inline const std::vector<TRibbonProbe>& RibbonProbes() {
    static const std::vector<TRibbonProbe> probes = {
#define RIBBON_PROBE(Scheme, Id, X, Y, Color) {#Scheme, Id, X, Y, Color},
#include "dxRibbonSkinProbes.inc"
#undef RIBBON_PROBE
    };
    return probes;
}

// The colour a straight-alpha pixel gives blended over an opaque background, per channel.
inline DWORD BlendOver(DWORD argb, DWORD background) {
    const DWORD a = argb >> 24;
    DWORD result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const DWORD s = (argb >> shift) & 0xFF, d = (background >> shift) & 0xFF;
        result |= ((s * a + d * (255 - a) + 127) / 255) << shift;
    }
    return result;
}

// True when every channel of two 0xRRGGBB colours is within the tolerance.
inline bool ColorsNear(DWORD a, DWORD b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
    return true;
}

// A scheme of its own for a test, cut from the program's atlases.
template <class TSkin>
std::unique_ptr<TSkin> NewScheme() {
    return std::unique_ptr<TSkin>(CreateRibbonSkin<TSkin>());
}

inline std::unique_ptr<TdxCustomRibbonSkin> NewSchemeNamed(const String& name) {
    if (name == L"Blue") return NewScheme<TdxBlueRibbonSkin>();
    if (name == L"Black") return NewScheme<TdxBlackRibbonSkin>();
    return NewScheme<TdxSilverRibbonSkin>();
}

// A GDI+ bitmap (straight ARGB) whose pixel (x, y) is pixel(x, y); disposed with the owner.
struct TTestAtlas {
    GpImage* image = nullptr;
    template <class F>
    TTestAtlas(int width, int height, F pixel) {
        EXPECT_TRUE(GdiPlusUsable());
        CheckGdipStatus(GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &image));
        const GpRect all{0, 0, width, height};
        GpBitmapData data{};
        CheckGdipStatus(GdipBitmapLockBits(image, &all, 2, PixelFormat32bppARGB, &data));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                static_cast<DWORD*>(data.Scan0)[y * data.Stride / 4 + x] = pixel(x, y);
        GdipBitmapUnlockBits(image, &data);
    }
    ~TTestAtlas() {
        if (image) GdipDisposeImage(image);
    }
    TTestAtlas(const TTestAtlas&) = delete;
    TTestAtlas& operator=(const TTestAtlas&) = delete;
};

// The straight ARGB pixels of a GDI+ image, row after row.
inline std::vector<DWORD> ImagePixels(GpImage* image, int& width, int& height) {
    UINT w = 0, h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    width = int(w);
    height = int(h);
    std::vector<DWORD> pixels(size_t(w) * h);
    const GpRect all{0, 0, width, height};
    GpBitmapData data{};
    CheckGdipStatus(GdipBitmapLockBits(image, &all, 1, PixelFormat32bppARGB, &data));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[size_t(y * width + x)] = static_cast<const DWORD*>(data.Scan0)[y * data.Stride / 4 + x];
    GdipBitmapUnlockBits(image, &data);
    return pixels;
}

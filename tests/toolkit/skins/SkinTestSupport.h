#pragma once
// Helpers of the skins' tests: pictures made of given pixels, a writer of skin streams byte by
// byte (for the cases the skin's own writer never produces), a listener that counts the notices
// of a skin, a 32-bit top-down DIB section to draw into and read back, the probe table of the
// atlas generator, and fresh colour schemes cut from the program's atlases.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../ToolkitTestSupport.h"
#include "Bitmap.h"
#include "Streams.h"
#include "SysUtils.h"
#include "cxImageStates.h"
#include "dxGDIPlusClasses.h"
#include "dxRibbonColorSchemes.h"
#include "dxSkinsCore.h"

// ---- pictures ------------------------------------------------------------------------------

// A picture of w x h whose pixel (x, y) is pixelAt(x, y) as $AARRGGBB (straight alpha).
inline void SetSkinTestPicture(TdxSkinImage* image, int w, int h, const std::function<DWORD(int, int)>& pixelAt) {
    TdxRGBColors pixels(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const DWORD argb = pixelAt(x, y);
            const unsigned a = argb >> 24;
            RGBQUAD& p = pixels[size_t(y) * size_t(w) + size_t(x)];
            // premultiplied, as the image class keeps its pixels
            p.rgbRed = Byte(((argb >> 16) & 0xFF) * a / 255);
            p.rgbGreen = Byte(((argb >> 8) & 0xFF) * a / 255);
            p.rgbBlue = Byte((argb & 0xFF) * a / 255);
            p.rgbReserved = Byte(a);
        }
    image->Picture()->ReplaceImage(TdxGPImage::CreateFromBits(w, h, pixels, true));
    image->Picture()->Changed(image->Picture());
}

// A picture of one opaque colour ($RRGGBB).
inline void SetSkinTestPictureColor(TdxSkinImage* image, int w, int h, DWORD rgb) {
    SetSkinTestPicture(image, w, h, [rgb](int, int) { return 0xFF000000u | rgb; });
}

// The PNG bytes of a picture of one opaque colour, through the picture's own encoder.
inline std::vector<Byte> SkinTestPngBytes(int w, int h, DWORD rgb) {
    TdxSkinImage image(nullptr);
    SetSkinTestPictureColor(&image, w, h, rgb);
    TMemoryStream png;
    image.Picture()->SaveToStream(&png);
    const Byte* bytes = static_cast<const Byte*>(png.Memory());
    return std::vector<Byte>(bytes, bytes + png.Size());
}

// Makes every picture of the class (a stand-in decoder) for the life of the object.
class TSkinImageClassScope {
public:
    explicit TSkinImageClassScope(TClass cls) : saved_(GPImageClass) { GPImageClass = cls; }
    ~TSkinImageClassScope() { GPImageClass = saved_; }
    TSkinImageClassScope(const TSkinImageClassScope&) = delete;
    TSkinImageClassScope& operator=(const TSkinImageClassScope&) = delete;

private:
    TClass saved_;
};

// ---- skin streams byte by byte -------------------------------------------------------------

class TSkinStreamBytes {
public:
    TSkinStreamBytes& Int(Integer v) { return Raw(&v, 4); }
    TSkinStreamBytes& Byte1(Byte v) { return Raw(&v, 1); }
    TSkinStreamBytes& Word2(Word v) { return Raw(&v, 2); }
    TSkinStreamBytes& Float8(double v) { return Raw(&v, 8); }
    TSkinStreamBytes& Str(const std::string& s) {
        Int(Integer(s.size()));
        return Raw(s.data(), s.size());
    }
    TSkinStreamBytes& Bytes(const std::vector<Byte>& b) { return Raw(b.data(), b.size()); }
    TSkinStreamBytes& Raw(const void* p, size_t n) {
        const Byte* b = static_cast<const Byte*>(p);
        data_.insert(data_.end(), b, b + n);
        return *this;
    }
    // The header and the name.
    TSkinStreamBytes& Header(double version, const std::string& name) {
        Int(6);
        Raw("dxSkin", 6);
        Float8(version);
        return Str(name);
    }
    // An image record: no margins, horizontal, states, stretch; gradient fields from 1.02 on.
    TSkinStreamBytes& Image(double version, Word states, const std::vector<Byte>& png, Byte stretch = 0) {
        for (int i = 0; i < 4; ++i) Int(0);
        Byte1(0);
        Word2(states);
        Byte1(stretch);
        if (version >= 1.02) {
            Int(clNone);
            Int(clNone);
            Byte1(0);
        }
        Int(Integer(png.size()));
        return Bytes(png);
    }
    // An element record after its name: colour, alpha, image count, offsets, glyph, image,
    // borders, text colour, minimum size, no properties.
    TSkinStreamBytes& Element(double version, Integer imageCount, const std::vector<Byte>& png, Word states = 1,
                              TColor color = clDefault) {
        Int(color);
        Byte1(255);
        Int(imageCount);
        for (int i = 0; i < 4; ++i) Int(0);
        Image(version, 0, {});
        Image(version, states, png);
        const char* sides[4] = {"Left", "Top", "Right", "Bottom"};
        for (const char* side : sides) Str("TdxSkinBorder").Str(side).Int(clNone).Int(1);
        Int(clDefault);
        Int(0).Int(0);
        return Int(0);
    }
    const std::vector<Byte>& Data() const { return data_; }
    size_t Size() const { return data_.size(); }

private:
    std::vector<Byte> data_;
};

// A memory stream holding the bytes, positioned at the start.
inline std::unique_ptr<TMemoryStream> SkinTestStream(const std::vector<Byte>& bytes) {
    auto stream = std::make_unique<TMemoryStream>();
    if (!bytes.empty()) stream->WriteBuffer(bytes.data(), Integer(bytes.size()));
    stream->SetPosition(0);
    return stream;
}

inline std::vector<Byte> SkinStreamBytesOf(TdxSkin* skin) {
    TMemoryStream stream;
    skin->SaveToStream(&stream);
    const Byte* bytes = static_cast<const Byte*>(stream.Memory());
    return std::vector<Byte>(bytes, bytes + stream.Size());
}

// ---- listeners -----------------------------------------------------------------------------

class TSkinNoticeCounter : public TNoRefCountObject, public IdxSkinChangeListener {
public:
    void SkinChanged(TdxSkin* skin) override { ++count; }
    int count = 0;
};

// ---- surfaces ------------------------------------------------------------------------------

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

// ---- colour schemes ------------------------------------------------------------------------

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
        CheckGdipStatus(GdipBitmapLockBits(image, &all, ImageLockModeWrite, PixelFormat32bppARGB, &data));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) static_cast<DWORD*>(data.Scan0)[y * data.Stride / 4 + x] = pixel(x, y);
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
    CheckGdipStatus(GdipBitmapLockBits(image, &all, ImageLockModeRead, PixelFormat32bppARGB, &data));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[size_t(y * width + x)] = static_cast<const DWORD*>(data.Scan0)[y * data.Stride / 4 + x];
    GdipBitmapUnlockBits(image, &data);
    return pixels;
}

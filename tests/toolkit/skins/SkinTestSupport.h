#pragma once
// Helpers of the skin tests: pictures made of given pixels, a writer of skin streams byte by
// byte (for the cases the skin's own writer never produces), surfaces to draw elements on, and
// a listener that counts the notices of a skin.

#include <windows.h>

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

// A 32-bit surface cleared to one colour ($RRGGBB), to draw elements on and read back.
class TSkinTestSurface {
public:
    TSkinTestSurface(int w, int h, DWORD background = 0xFFFFFF) : bitmap_(w, h, pf32bit) {
        HBRUSH brush = CreateSolidBrush(RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
        RECT all{0, 0, w, h};
        FillRect(DC(), &all, brush);
        DeleteObject(brush);
    }
    HDC DC() { return bitmap_.Canvas()->Handle(); }
    TBitmap* Bitmap() { return &bitmap_; }
    // $RRGGBB at (x, y).
    DWORD At(int x, int y) {
        GdiFlush();
        const TRGBColors pixels = LoadBitmapColors(&bitmap_, true);
        const RGBQUAD& p = pixels[size_t(y * bitmap_.Width() + x)];
        return DWORD(p.rgbRed) << 16 | DWORD(p.rgbGreen) << 8 | DWORD(p.rgbBlue);
    }

private:
    TBitmap bitmap_;
};

// Each of red, green and blue within tolerance.
inline bool SkinColorsNear(DWORD a, DWORD b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
    return true;
}

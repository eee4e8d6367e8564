// GDI+ images and the PNG graphic under Wine's gdiplus: a PNG built here byte by byte (stored
// zlib blocks) is loaded, drawn, converted and saved; BMP data loads too.

#include <gtest/gtest.h>

#include <memory>

#include "FormDescription.h"
#include "Picture.h"
#include "dxGDIPlusClasses.h"

namespace {

uint32_t Crc32(const Byte* data, size_t size, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutBE(std::vector<Byte>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(Byte(v >> s));
}

void Chunk(std::vector<Byte>& out, const char* type, const std::vector<Byte>& data) {
    PutBE(out, uint32_t(data.size()));
    std::vector<Byte> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBE(out, Crc32(body.data(), body.size()));
}

// An RGBA PNG (straight alpha, rows top first); pixels as $AARRGGBB.
std::vector<Byte> BuildPng(int w, int h, const std::vector<uint32_t>& argb) {
    std::vector<Byte> raw;
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < w; ++x) {
            uint32_t p = argb[size_t(y * w + x)];
            raw.insert(raw.end(), {Byte(p >> 16), Byte(p >> 8), Byte(p), Byte(p >> 24)});
        }
    }
    std::vector<Byte> z = {0x78, 0x01};
    for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        size_t n = std::min<size_t>(65535, raw.size() - at);
        z.push_back(at + n >= raw.size() ? 1 : 0);
        z.insert(z.end(), {Byte(n), Byte(n >> 8), Byte(~n), Byte(~n >> 8)});
        z.insert(z.end(), raw.begin() + Int64(at), raw.begin() + Int64(at + n));
        if (at + n >= raw.size()) break;
    }
    uint32_t a = 1, b = 0;
    for (Byte c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBE(z, (b << 16) | a);
    std::vector<Byte> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<Byte> ihdr;
    PutBE(ihdr, uint32_t(w));
    PutBE(ihdr, uint32_t(h));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    Chunk(png, "IHDR", ihdr);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    return png;
}

void LoadBytes(TdxPNGImage& image, const std::vector<Byte>& bytes) {
    TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), Integer(bytes.size()));
    stream.SetPosition(0);
    image.LoadFromStream(&stream);
}

DWORD Value(const RGBQUAD& p) {
    return DWORD(p.rgbBlue) | DWORD(p.rgbGreen) << 8 | DWORD(p.rgbRed) << 16 | DWORD(p.rgbReserved) << 24;
}

// 2 x 2: opaque red, half-transparent green, opaque blue, transparent.
const std::vector<uint32_t> fixture = {0xFFFF0000, 0x8000FF00, 0xFF0000FF, 0x00000000};

class PngFixture : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(GdiPlusUsable()); }
};

// Pixels of a 32-bit bitmap, top row first.
DWORD BitmapPixel(TBitmap& b, int x, int y) {
    GdiFlush();
    return static_cast<DWORD*>(b.ScanLine(y))[x];
}

}  // namespace

TEST_F(PngFixture, RegisteredForPngWithTheGdiPlusImageClass) {
    EXPECT_EQ(TPicture::GraphicClassForExtension(L".PNG"), TdxPNGImage::StaticClass());
    EXPECT_EQ(GPImageClass, TdxGPImage::StaticClass());
    EXPECT_EQ(GetClass(L"TdxPNGImage"), TdxPNGImage::StaticClass());
}

TEST_F(PngFixture, LoadsAPngWithItsAlphaAndSavesItBack) {
    TdxPNGImage image;
    LoadBytes(image, BuildPng(2, 2, fixture));
    ASSERT_FALSE(image.Empty());
    EXPECT_EQ(image.Width(), 2);
    EXPECT_EQ(image.Height(), 2);
    EXPECT_TRUE(image.Transparent());
    EXPECT_TRUE(image.UsesAlphaChannel());
    TdxRGBColors pixels;
    image.GetPixels(pixels);
    ASSERT_EQ(pixels.size(), 4u);
    EXPECT_EQ(Value(pixels[0]), 0xFFFF0000u);
    EXPECT_EQ(pixels[1].rgbReserved, 0x80);
    EXPECT_NEAR(pixels[1].rgbGreen, 0x80, 1) << "premultiplied";
    EXPECT_EQ(Value(pixels[2]), 0xFF0000FFu);
    EXPECT_EQ(pixels[3].rgbReserved, 0);

    TMemoryStream saved;
    image.SaveToStream(&saved);
    ASSERT_GT(saved.Size(), 8);
    EXPECT_EQ(std::memcmp(saved.Memory(), "\x89PNG", 4), 0);
    saved.SetPosition(0);
    TdxPNGImage again;
    again.LoadFromStream(&saved);
    EXPECT_TRUE(again.HasSamePixels(&image));
    // A changed pixel is seen.
    std::vector<uint32_t> other = fixture;
    other[2] = 0xFF0000FE;
    TdxPNGImage different;
    LoadBytes(different, BuildPng(2, 2, other));
    EXPECT_FALSE(different.HasSamePixels(&image));
}

TEST_F(PngFixture, ShortOrEmptyStreamsGiveAnEmptyPictureAndSaveNothing) {
    std::vector<Byte> png = BuildPng(2, 2, fixture);
    for (size_t size : {size_t(0), size_t(1), size_t(13)}) {
        TdxPNGImage image;
        LoadBytes(image, std::vector<Byte>(png.begin(), png.begin() + Int64(size)));
        EXPECT_TRUE(image.Empty()) << size;
        EXPECT_EQ(image.Width(), 0);
        TMemoryStream out;
        image.SaveToStream(&out);
        EXPECT_EQ(out.Size(), 0);
    }
}

TEST_F(PngFixture, ReadsFromTheStreamPosition) {
    std::vector<Byte> bytes = {1, 2, 3, 4, 5};
    std::vector<Byte> png = BuildPng(3, 1, {0xFF112233, 0xFF445566, 0xFF778899});
    bytes.insert(bytes.end(), png.begin(), png.end());
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), Integer(bytes.size()));
    stream.SetPosition(5);
    TdxPNGImage image;
    image.LoadFromStream(&stream);
    EXPECT_EQ(image.Width(), 3);
    EXPECT_FALSE(image.UsesAlphaChannel());
}

TEST_F(PngFixture, BmpDataLoadsAndSavesAsPng) {
    TBitmap bitmap(3, 2, pf24bit);
    bitmap.Canvas()->Brush()->SetColor(TColor(0x0000FF));
    bitmap.Canvas()->FillRect(Rect(0, 0, 3, 2));
    TMemoryStream bmp;
    bitmap.SaveToStream(&bmp);
    bmp.SetPosition(0);
    TdxPNGImage image;
    image.LoadFromStream(&bmp);
    ASSERT_EQ(image.Width(), 3);
    EXPECT_FALSE(image.UsesAlphaChannel()) << "24-bit pixels are opaque";
    TdxRGBColors pixels;
    image.GetPixels(pixels);
    EXPECT_EQ(Value(pixels[5]), 0xFFFF0000u);
    TMemoryStream saved;
    image.SaveToStream(&saved);
    EXPECT_EQ(std::memcmp(saved.Memory(), "\x89PNG", 4), 0);
}

TEST_F(PngFixture, AlphaAnswerIsKeptUntilThePictureChanges) {
    TdxPNGImage image;
    LoadBytes(image, BuildPng(1, 1, {0xFF010203}));
    EXPECT_FALSE(image.UsesAlphaChannel());
    // Replacing the image behind the picture's back keeps the cached answer...
    image.ReplaceImage(TdxGPImage::CreateFromBits(1, 1, {RGBQUAD{0, 0, 0, 0}}, true));
    EXPECT_FALSE(image.UsesAlphaChannel());
    // ...until a change is reported.
    image.Changed(&image);
    EXPECT_TRUE(image.UsesAlphaChannel());
}

TEST_F(PngFixture, DrawsBlendedOverTheDestination) {
    TdxPNGImage image;
    LoadBytes(image, BuildPng(2, 2, fixture));
    TBitmap target(4, 4, pf32bit);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 4, 4));
    image.Draw(target.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(BitmapPixel(target, 0, 0) & 0xFFFFFF, 0xFF0000u);
    DWORD half = BitmapPixel(target, 1, 0);
    EXPECT_NEAR(int((half >> 16) & 0xFF), 0x7F, 2) << std::hex << half;  // green at half over white
    EXPECT_EQ((half >> 8) & 0xFF, 0xFFu);
    EXPECT_EQ(BitmapPixel(target, 1, 1) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(BitmapPixel(target, 2, 2) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(PngFixture, StretchingShortensTheSourceByOnePixel) {
    // 16 x 16 red with a blue last column and row.
    std::vector<uint32_t> pixels(256, 0xFFFF0000);
    for (int i = 0; i < 16; ++i) pixels[size_t(i * 16 + 15)] = pixels[size_t(15 * 16 + i)] = 0xFF0000FF;
    TdxPNGImage image;
    LoadBytes(image, BuildPng(16, 16, pixels));
    // Paints into a fresh bitmap, either through the picture or straight through GDI+ with a
    // given source extent, and returns the pixels.
    auto paint = [&](int size, int directExtent) {
        TBitmap target(size, size, pf32bit);
        GpGraphics* graphics = nullptr;
        CheckGdipStatus(GdipCreateFromHDC(target.Canvas()->Handle(), &graphics));
        CheckGdipStatus(GdipSetInterpolationMode(graphics, 5 /* nearest neighbour */));
        if (directExtent)
            CheckGdipStatus(GdipDrawImageRectRect(graphics, image.Image()->Handle(), 0, 0, REAL(size), REAL(size), 0, 0,
                                                  REAL(directExtent), REAL(directExtent), UnitPixel, nullptr, nullptr,
                                                  nullptr));
        else
            image.DrawOnGraphics(graphics, Rect(0, 0, size, size), Rect(0, 0, 16, 16));
        CheckGdipStatus(GdipDeleteGraphics(graphics));
        std::vector<DWORD> out;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) out.push_back(BitmapPixel(target, x, y));
        return out;
    };
    ASSERT_NE(paint(32, 15), paint(32, 16));
    EXPECT_EQ(paint(32, 0), paint(32, 15)) << "enlarging uses a 15-pixel source extent";
    // Shrinking: a size at which the two extents give different pictures.
    int shrunk = 15;
    while (shrunk > 2 && paint(shrunk, 15) == paint(shrunk, 16)) --shrunk;
    ASSERT_GT(shrunk, 2);
    EXPECT_EQ(paint(shrunk, 0), paint(shrunk, 16)) << "shrinking uses the full 16 pixels";
    // Empty rectangles draw nothing.
    TBitmap untouched(4, 4, pf32bit);
    DWORD before = BitmapPixel(untouched, 0, 0);
    image.PaintToDC(untouched.Canvas()->Handle(), Rect(0, 0, 0, 4), Rect(0, 0, 16, 16));
    image.PaintToDC(untouched.Canvas()->Handle(), Rect(0, 0, 4, 4), Rect(3, 3, 3, 9));
    EXPECT_EQ(BitmapPixel(untouched, 0, 0), before);
}

TEST_F(PngFixture, AssignsToAndFromBitmapsAndPngs) {
    TBitmap source(2, 1, pf32bit);
    static_cast<DWORD*>(source.ScanLine(0))[0] = 0xFF102030;
    static_cast<DWORD*>(source.ScanLine(0))[1] = 0x40101010;
    TdxPNGImage image;
    image.Assign(&source);
    ASSERT_EQ(image.Width(), 2);
    EXPECT_TRUE(image.UsesAlphaChannel());
    TdxPNGImage copy;
    copy.Assign(&image);
    EXPECT_TRUE(copy.HasSamePixels(&image));
    TBitmap back;
    back.Assign(&image);
    ASSERT_EQ(back.Width(), 2);
    EXPECT_EQ(BitmapPixel(back, 0, 0), 0xFF102030u);
    EXPECT_EQ(BitmapPixel(back, 1, 0), 0x40101010u);
    TdxPNGImage empty;
    copy.Assign(&empty);
    EXPECT_TRUE(copy.Empty());
    TPicture picture;
    EXPECT_THROW(image.Assign(&picture), Exception);
}

TEST_F(PngFixture, ImagesFromPixelsCopyBlendAndDraw) {
    TdxRGBColors red(4, RGBQUAD{0, 0, 255, 255}), blue(4, RGBQUAD{255, 0, 0, 255});
    std::unique_ptr<TdxGPImage> a(TdxGPImage::CreateFromBits(2, 2, red, true));
    std::unique_ptr<TdxGPImage> b(TdxGPImage::CreateFromBits(2, 2, blue, false));
    std::unique_ptr<TdxGPImage> mixed(a->BlendWith(b.get(), 255 / 4));
    ASSERT_NE(mixed, nullptr);
    EXPECT_EQ(mixed->Bits()[0].rgbRed, 192);
    EXPECT_EQ(mixed->Bits()[0].rgbBlue, 63);
    std::unique_ptr<TdxGPImage> wrongSize(TdxGPImage::CreateFromBits(1, 1, red, true));
    EXPECT_EQ(a->BlendWith(wrongSize.get(), 10), nullptr);
    TdxPNGImage png;
    LoadBytes(png, BuildPng(2, 2, fixture));
    EXPECT_EQ(a->BlendWith(png.Image(), 10), nullptr) << "the other image has no pixels";
    std::unique_ptr<TdxGPImage> copy(a->CreateCopy());
    std::unique_ptr<TdxGPImage> clone(png.Image()->CreateCopy());
    EXPECT_EQ(clone->Width(), 2);
    EXPECT_NE(clone->Handle(), png.Image()->Handle());
    TBitmap target(4, 4, pf32bit);
    copy->DrawToDC(target.Canvas()->Handle(), Rect(0, 0, 4, 4));
    EXPECT_EQ(BitmapPixel(target, 1, 1) & 0xFFFFFF, 0xFF0000u);
}

namespace {

class TPictureHolder : public TComponent {
    Z_CLASS(TPictureHolder, TComponent)
    Z_PUBLISHED { p.Property(L"Picture", &TPictureHolder::Picture); }

public:
    explicit TPictureHolder(TComponent* owner) : TComponent(owner) {}
    ~TPictureHolder() override { delete picture_; }
    TPicture* Picture() const { return picture_; }

private:
    TPicture* picture_ = new TPicture;
};

}  // namespace

TEST_F(PngFixture, PicturesHoldPngThroughAFormDescription) {
    TdxPNGImage png;
    LoadBytes(png, BuildPng(2, 2, fixture));
    TPictureHolder original(nullptr);
    original.SetName(L"Holder");
    original.Picture()->SetGraphic(&png);
    ASSERT_TRUE(Is<TdxPNGImage>(original.Picture()->Graphic()));
    AnsiString text = WriteComponentToText(&original);
    SCOPED_TRACE(text);
    EXPECT_NE(text.find("Picture.Data = {"), AnsiString::npos);
    TPictureHolder copy(nullptr);
    ReadComponentFromText(text, &copy);
    auto* loaded = As<TdxPNGImage>(copy.Picture()->Graphic());
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->HasSamePixels(&png));
    EXPECT_TRUE(loaded->UsesAlphaChannel());
}

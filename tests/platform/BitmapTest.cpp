#include <gtest/gtest.h>

#include <cstring>

#include "Bitmap.h"
#include "PixelSurface.h"
#include "Streams.h"
#include "TestSupport.h"

namespace {

void Put32(TBytes& out, std::uint32_t v) { out.insert(out.end(), (Byte*)&v, (Byte*)&v + 4); }
void Put16(TBytes& out, std::uint16_t v) { out.insert(out.end(), (Byte*)&v, (Byte*)&v + 2); }

// A BMP file laid out the usual way: file header, 40-byte info header, rows bottom-up, each
// padded to four bytes. Pixel bytes are b, g, r (and a) values derived from x and y.
TBytes MakeBmp(int width, int height, int bitCount, int pelsPerMeter = 2835) {
    const int stride = ((width * bitCount + 31) / 32) * 4;
    TBytes out = {'B', 'M'};
    Put32(out, 54 + stride * height);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height);
    Put16(out, 1);
    Put16(out, std::uint16_t(bitCount));
    Put32(out, 0);
    Put32(out, stride * height);
    Put32(out, pelsPerMeter);
    Put32(out, pelsPerMeter);
    Put32(out, 0);
    Put32(out, 0);
    for (int row = 0; row < height; ++row) {
        int y = height - 1 - row;
        for (int x = 0; x < width; ++x) {
            out.push_back(Byte(10 * x + y));
            out.push_back(Byte(100 + x));
            out.push_back(Byte(200 + y));
            if (bitCount == 32) out.push_back(Byte(x * 40 + y));
        }
        for (int pad = width * bitCount / 8; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

TBytes Save(TBitmap& bitmap) {
    TMemoryStream stream;
    bitmap.SaveToStream(&stream);
    return StreamBytes(&stream);
}

void Load(TBitmap& bitmap, const TBytes& bytes) {
    TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), Integer(bytes.size()));
    stream.SetPosition(0);
    bitmap.LoadFromStream(&stream);
}

TEST(Bitmap, Bmp24And32RoundTripByteForByte) {
    for (int bits : {24, 32}) {
        SCOPED_TRACE(bits);
        TBytes file = MakeBmp(3, 5, bits);  // three pixels: 24-bit rows need padding
        TBitmap bitmap;
        Load(bitmap, file);
        EXPECT_EQ(bitmap.Width(), 3);
        EXPECT_EQ(bitmap.Height(), 5);
        EXPECT_EQ(bitmap.PixelFormat(), bits == 24 ? pf24bit : pf32bit);
        const Byte* top = static_cast<const Byte*>(bitmap.ScanLine(0));
        EXPECT_EQ(top[bits / 8 * 2 + 1], 102);  // x = 2 of the top row
        EXPECT_EQ(top[2], 200);
        EXPECT_EQ(Save(bitmap), file);
    }
}

TEST(Bitmap, ScanLineRowZeroIsTheTop) {
    TBitmap bitmap(4, 3, pf24bit);
    bitmap.Canvas()->Brush()->SetColor(clBlue);
    bitmap.Canvas()->FillRect(Rect(0, 0, 4, 3));
    bitmap.Canvas()->SetPixels(0, 0, clRed);
    const Byte* top = static_cast<const Byte*>(bitmap.ScanLine(0));
    EXPECT_EQ(top[0], 0);  // blue byte of red
    EXPECT_EQ(top[2], 255);
    const Byte* bottom = static_cast<const Byte*>(bitmap.ScanLine(2));
    EXPECT_EQ(bottom[0], 255);
    EXPECT_EQ(bottom[2], 0);
    // Writing through ScanLine shows on the canvas.
    static_cast<Byte*>(bitmap.ScanLine(2))[3 * 3 + 1] = 255;
    EXPECT_EQ(bitmap.Canvas()->Pixels(3, 2), TColor(0xFFFF00));
    EXPECT_THROW(bitmap.ScanLine(3), EInvalidGraphicOperation);
    EXPECT_THROW(bitmap.ScanLine(-1), EInvalidGraphicOperation);
    // A file whose rows are stored top-down reads the same way.
    TBytes file = MakeBmp(2, 2, 24);
    TBytes topDown = file;
    std::int32_t negative = -2;
    std::memcpy(&topDown[22], &negative, 4);
    TBitmap a, b;
    Load(a, file);
    Load(b, topDown);
    EXPECT_EQ(ColorAt(a, 0, 0), ColorAt(b, 0, 1));
    EXPECT_EQ(ColorAt(a, 1, 1), ColorAt(b, 1, 0));
}

TEST(Bitmap, PixelFormatsKeepPicture) {
    struct Case {
        TPixelFormat format;
        int bits;
    } cases[] = {{pf1bit, 1}, {pf4bit, 4}, {pf8bit, 8}, {pf15bit, 16}, {pf16bit, 16}, {pf24bit, 24}, {pf32bit, 32}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        TBitmap bitmap(5, 4, pf24bit);
        bitmap.Canvas()->Brush()->SetColor(clBlack);
        bitmap.Canvas()->FillRect(Rect(0, 0, 2, 4));
        bitmap.SetPixelFormat(c.format);
        EXPECT_EQ(bitmap.BitsPerPixel(), c.bits);
        EXPECT_EQ(bitmap.RowSize(), ((5 * c.bits + 31) / 32) * 4);
        EXPECT_EQ(bitmap.Canvas()->Pixels(1, 3), clBlack);
        EXPECT_EQ(bitmap.Canvas()->Pixels(4, 0), clWhite);
        EXPECT_EQ(bitmap.Monochrome(), c.bits == 1);
        // Each format goes through a BMP file and back unchanged.
        TBytes saved = Save(bitmap);
        TBitmap copy;
        Load(copy, saved);
        EXPECT_EQ(copy.PixelFormat(), c.format);
        EXPECT_EQ(Save(copy), saved);
    }
    TBitmap red(1, 1, pf24bit);
    red.Canvas()->SetPixels(0, 0, clRed);
    red.SetPixelFormat(pf8bit);
    EXPECT_EQ(red.Canvas()->Pixels(0, 0), clRed);
    red.SetMonochrome(true);
    EXPECT_EQ(red.PixelFormat(), pf1bit);
}

TEST(Bitmap, SetSizeKeepsTopLeftAndPaintsNewAreaWhite) {
    TBitmap bitmap(2, 2, pf32bit);
    bitmap.Canvas()->SetPixels(0, 0, clRed);
    bitmap.Canvas()->SetPixels(1, 1, clGreen);
    static_cast<Byte*>(bitmap.ScanLine(0))[3] = 0x80;  // alpha survives a resize
    bitmap.SetSize(4, 3);
    EXPECT_EQ(ColorAt(bitmap, 0, 0), clRed);
    EXPECT_EQ(ColorAt(bitmap, 1, 1), clGreen);
    EXPECT_EQ(ColorAt(bitmap, 3, 2), clWhite);
    EXPECT_EQ(static_cast<Byte*>(bitmap.ScanLine(0))[3], 0x80);
    bitmap.SetSize(0, 5);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Handle(), nullptr);
    EXPECT_THROW(bitmap.ScanLine(0), EInvalidGraphicOperation);

    // Width and height set one after the other, as file readers do.
    TBitmap loaded;
    loaded.SetPixelFormat(pf32bit);
    loaded.SetWidth(10);
    EXPECT_TRUE(loaded.Empty());
    loaded.SetHeight(5);
    EXPECT_EQ(loaded.Width(), 10);
    EXPECT_EQ(loaded.Height(), 5);
    EXPECT_EQ(loaded.RowSize(), 40);
    EXPECT_NE(loaded.Handle(), nullptr);
}

TEST(Bitmap, HandleReleaseAndDormantKeepPixels) {
    TBitmap bitmap(3, 3, pf24bit);
    bitmap.Canvas()->SetPixels(2, 1, clTeal);
    HBITMAP handle = bitmap.Handle();
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectW(handle, sizeof(ds), &ds), int(sizeof(ds)));
    bitmap.Dormant();
    EXPECT_FALSE(bitmap.HandleAllocated());
    EXPECT_EQ(ColorAt(bitmap, 2, 1), clTeal);
    HBITMAP released = bitmap.ReleaseHandle();
    ASSERT_NE(released, nullptr);
    EXPECT_EQ(ColorAt(bitmap, 2, 1), clTeal);
    EXPECT_NE(bitmap.Handle(), released);
    TBitmap adopted;
    adopted.SetHandle(released);  // takes ownership
    EXPECT_EQ(adopted.Width(), 3);
    EXPECT_EQ(ColorAt(adopted, 2, 1), clTeal);
}

TEST(Bitmap, SetHandleConvertsDeviceBitmap) {
    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateCompatibleBitmap(screen, 6, 2);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, ddb);
    RECT r{0, 0, 6, 2};
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    TBitmap bitmap;
    bitmap.SetHandle(ddb);
    EXPECT_EQ(bitmap.Width(), 6);
    EXPECT_EQ(bitmap.Canvas()->Pixels(5, 1), clBlue);
    EXPECT_EQ(GetObjectType(ddb), 0u);  // converted and freed
}

TEST(Bitmap, AssignCopiesPixelsAndChangesNotify) {
    TBitmap a(2, 2, pf32bit);
    a.Canvas()->SetPixels(1, 0, clMaroon);
    int changes = 0;
    struct Counter {
        int* n;
        void Changed(TObject*) { ++*n; }
    } counter{&changes};
    TBitmap b;
    b.OnChange = MakeEvent(&counter, &Counter::Changed);
    b.Assign(&a);
    EXPECT_GE(changes, 1);
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_EQ(ColorAt(b, 1, 0), clMaroon);
    a.Canvas()->SetPixels(1, 0, clWhite);
    EXPECT_EQ(ColorAt(b, 1, 0), clMaroon);  // a copy, not a share
    int before = changes;
    b.Canvas()->SetPixels(0, 0, clRed);  // drawing on the canvas changes the bitmap
    EXPECT_GT(changes, before);
    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, TransparentColourIsBottomLeftUnlessFixed) {
    TBitmap glyph(2, 2, pf24bit);
    glyph.Canvas()->SetPixels(0, 1, clFuchsia);
    glyph.Canvas()->SetPixels(1, 0, clRed);
    glyph.Canvas()->SetPixels(0, 0, clFuchsia);
    EXPECT_EQ(glyph.TransparentMode(), tmAuto);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
    glyph.SetTransparent(true);

    TBitmap target(2, 2, pf24bit);
    target.Canvas()->Draw(0, 0, &glyph);
    EXPECT_EQ(ColorAt(target, 0, 0), clWhite);  // key colour left out
    EXPECT_EQ(ColorAt(target, 1, 0), clRed);
    EXPECT_EQ(ColorAt(target, 1, 1), clWhite);

    glyph.SetTransparentColor(clRed);
    EXPECT_EQ(glyph.TransparentMode(), tmFixed);
    TBitmap second(2, 2, pf24bit);
    second.Canvas()->Draw(0, 0, &glyph);
    EXPECT_EQ(ColorAt(second, 0, 0), clFuchsia);
    EXPECT_EQ(ColorAt(second, 1, 0), clWhite);
    glyph.SetTransparentMode(tmAuto);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
}

TEST(Bitmap, MalformedFilesRaise) {
    auto with = [](TBytes bytes, size_t at, std::uint32_t value) {
        std::memcpy(&bytes[at], &value, 4);
        return bytes;
    };
    TBytes good = MakeBmp(4, 4, 24);
    struct Case {
        const char* what;
        TBytes bytes;
    } cases[] = {
        {"truncated pixels", TBytes(good.begin(), good.end() - 10)},
        {"truncated header", TBytes(good.begin(), good.begin() + 30)},
        {"not a bitmap", with(good, 0, 0x12345678)},
        {"huge width", with(good, 18, 0x7FFFFFFF)},
        {"zero width", with(good, 18, 0)},
        {"unknown header size", with(good, 14, 20)},
        {"header beyond the data", with(good, 14, 5000)},
        {"bit count 7", with(good, 28, 0x00070001)},
        {"run-length compressed", with(good, 30, BI_RLE8)},
        {"pixels offset beyond the file", with(good, 10, 100000)},
    };
    for (const Case& c : cases) {
        TBitmap bitmap;
        EXPECT_THROW(Load(bitmap, c.bytes), Exception) << c.what;
    }
    TBytes palettized = MakeBmp(2, 2, 8);
    std::uint32_t colorsUsed = 300;
    std::memcpy(&palettized[46], &colorsUsed, 4);
    TBitmap bitmap;
    EXPECT_THROW(Load(bitmap, palettized), EInvalidGraphic);
}

TEST(Bitmap, FormDataIsLengthAndFile) {
    TBitmap bitmap(3, 2, pf24bit);
    bitmap.Canvas()->SetPixels(1, 1, clOlive);
    TMemoryStream data;
    bitmap.WriteData(&data);
    TBytes bytes = StreamBytes(&data);
    std::int32_t length;
    std::memcpy(&length, bytes.data(), 4);
    EXPECT_EQ(size_t(length) + 4, bytes.size());
    EXPECT_EQ(bytes[4], 'B');
    data.SetPosition(0);
    TBitmap copy;
    copy.ReadData(&data);
    EXPECT_EQ(ColorAt(copy, 1, 1), clOlive);
    EXPECT_EQ(data.Position(), data.Size());
    EXPECT_TRUE(copy.Equals(&bitmap));
}

TEST(Bitmap, MissingResourceRaises) {
    TBitmap bitmap;
    EXPECT_THROW(bitmap.LoadFromResourceName(GetModuleHandleW(nullptr), L"NO_SUCH_BITMAP"), EResNotFound);
}

TEST(Bitmap, ResourceBitmapLoads) {
    TBitmap bitmap;
    bitmap.LoadFromResourceName(GetModuleHandleW(nullptr), L"ZTESTSTRIP");
    EXPECT_EQ(bitmap.Width(), 48);
    EXPECT_EQ(bitmap.Height(), 16);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(bitmap.Canvas()->Pixels(20, 5), clLime);
    EXPECT_EQ(bitmap.Canvas()->Pixels(40, 15), clBlue);
}

TEST(Bitmap, ManyBitmapsLeaveNoGdiObjects) {
    DWORD before = GdiObjectCount();
    for (int i = 0; i < 200; ++i) {
        TBitmap bitmap(8, 8, i % 2 ? pf32bit : pf8bit);
        bitmap.Canvas()->TextOut(0, 0, L"a");
        bitmap.Handle();
        bitmap.SetSize(9, 9);
        bitmap.Dormant();
        bitmap.Canvas()->FillRect(Rect(0, 0, 2, 2));
    }
    EXPECT_LE(GdiObjectCount(), before);
}

}  // namespace

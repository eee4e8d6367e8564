#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

#include "JpegImage.h"
#include "MutationSupport.h"
#include "PixelSurface.h"
#include "Streams.h"
#include "TestSupport.h"

namespace {

// A smooth picture: gradients in each channel, so JPEG keeps it closely.
void PaintGradient(TBitmap& bitmap, int width, int height) {
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        Byte* row = static_cast<Byte*>(bitmap.ScanLine(y));
        for (int x = 0; x < width; ++x) {
            row[3 * x] = Byte(x * 255 / width);
            row[3 * x + 1] = Byte(y * 255 / height);
            row[3 * x + 2] = Byte(128 + (x - y) / 4);
        }
    }
}

TBytes EncodedGradient(int quality = 90) {
    TBitmap bitmap;
    PaintGradient(bitmap, 64, 48);
    TMemoryStream stream;
    EncodeJpeg(&bitmap, &stream, quality);
    return StreamBytes(&stream);
}

void LoadBytes(TJPEGImage& jpeg, const TBytes& bytes) {
    TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), Integer(bytes.size()));
    stream.SetPosition(0);
    jpeg.LoadFromStream(&stream);
}

String ErrorOf(const TBytes& bytes) {
    TJPEGImage jpeg;
    try {
        LoadBytes(jpeg, bytes);
    } catch (const EJPEG& e) {
        return e.Message();
    }
    return L"(no error)";
}

String Expected(int code) { return L"JPEG error #" + std::to_wstring(code); }

TEST(Jpeg, GeneratedPictureRoundTripsWithinTolerance) {
    TBitmap original;
    PaintGradient(original, 64, 48);
    TJPEGImage jpeg;
    jpeg.Assign(&original);
    jpeg.SetCompressionQuality(95);
    TMemoryStream stream;
    jpeg.SaveToStream(&stream);
    TBytes bytes = StreamBytes(&stream);
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);

    TJPEGImage decoded;
    LoadBytes(decoded, bytes);
    ASSERT_EQ(decoded.Width(), 64);
    ASSERT_EQ(decoded.Height(), 48);
    TBitmap pixels;
    pixels.Assign(&decoded);
    EXPECT_EQ(pixels.PixelFormat(), pf24bit);
    int worst = 0;
    long total = 0;
    for (int y = 0; y < 48; ++y) {
        const Byte* a = static_cast<const Byte*>(original.ScanLine(y));
        const Byte* b = static_cast<const Byte*>(pixels.ScanLine(y));
        for (int i = 0; i < 64 * 3; ++i) {
            int d = std::abs(int(a[i]) - int(b[i]));
            worst = std::max(worst, d);
            total += d;
        }
    }
    EXPECT_LE(worst, 16);
    EXPECT_LE(double(total) / (64 * 48 * 3), 2.0);

    // A loaded picture saves its original data unchanged.
    TMemoryStream again;
    decoded.SaveToStream(&again);
    EXPECT_EQ(StreamBytes(&again), bytes);
}

TEST(Jpeg, LibraryErrorsCarryTheirCode) {
    TBytes good = EncodedGradient();
    TBytes truncated(good.begin(), good.begin() + good.size() / 2);
    TBytes garbage = {'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'};
    TBytes zeroHeight = good;
    for (size_t i = 0; i + 8 < zeroHeight.size(); ++i)
        if (zeroHeight[i] == 0xFF && zeroHeight[i + 1] == 0xC0) {  // start of frame: height at +5
            zeroHeight[i + 5] = 0;
            zeroHeight[i + 6] = 0;
            break;
        }
    EXPECT_EQ(Utf8(ErrorOf(truncated)), Utf8(Expected(JERR_INPUT_EOF)));
    EXPECT_EQ(Utf8(ErrorOf(garbage)), Utf8(Expected(JERR_NO_SOI)));
    EXPECT_EQ(Utf8(ErrorOf(zeroHeight)), Utf8(Expected(JERR_EMPTY_IMAGE)));
    EXPECT_EQ(Utf8(ErrorOf({})), Utf8(Expected(JERR_INPUT_EOF)));
    EXPECT_TRUE(EJPEG::StaticClass()->InheritsFrom(EInvalidGraphic::StaticClass()));
}

TEST(Jpeg, FailedLoadKeepsThePicture) {
    TJPEGImage jpeg;
    LoadBytes(jpeg, EncodedGradient());
    TBytes garbage = {0xFF, 0xD8, 0xFF, 0x00};
    EXPECT_THROW(LoadBytes(jpeg, garbage), EJPEG);
    EXPECT_EQ(jpeg.Width(), 64);
}

TEST(Jpeg, AThousandFailuresLeakNothing) {
    TBytes good = EncodedGradient();
    TBytes truncated(good.begin(), good.begin() + good.size() - 40);
    TBytes corrupt = good;
    corrupt[good.size() / 2] ^= 0xFF;
    corrupt[20] = 0xFF;                               // a broken marker in the header segment
    for (int i = 0; i < 20; ++i) ErrorOf(truncated);  // warm-up: one-time allocations
    DWORD gdiBefore = GdiObjectCount();
    size_t heapBefore = HeapInUse().bytes;
    int failures = 0;
    for (int i = 0; i < 1000; ++i) {
        TJPEGImage jpeg;
        try {
            LoadBytes(jpeg, i % 2 ? truncated : corrupt);
        } catch (const EJPEG& e) {
            if (e.Message().rfind(L"JPEG error #", 0) == 0) ++failures;
        }
    }
    EXPECT_GE(failures, 500);  // every truncated one fails; corrupt data may merely decode badly
    EXPECT_LE(GdiObjectCount(), gdiBefore + 1);
    EXPECT_LT(HeapInUse().bytes, heapBefore + 64 * 1024);
}

// A stream that refuses to grow past a limit, like a full disk.
class TFullStream : public TMemoryStream {
public:
    Integer Write(const void* buffer, Integer count) override {
        if (Position() + count > 300) throw EWriteError(L"disk full");
        return TMemoryStream::Write(buffer, count);
    }
};

TEST(Jpeg, StreamFailuresPassThroughUnchanged) {
    TBitmap bitmap;
    PaintGradient(bitmap, 64, 48);
    size_t heapBefore = 0;
    for (int round = 0; round < 50; ++round) {
        if (round == 10) heapBefore = HeapInUse().bytes;
        TFullStream full;
        try {
            EncodeJpeg(&bitmap, &full, 90);
            ADD_FAILURE() << "no error";
        } catch (const EWriteError& e) {
            EXPECT_EQ(Utf8(e.Message()), "disk full");
        }
    }
    EXPECT_LT(HeapInUse().bytes, heapBefore + 16 * 1024);
}

TEST(Jpeg, GreyscaleDecodesToEqualChannels) {
    TBitmap bitmap;
    PaintGradient(bitmap, 16, 16);
    TMemoryStream stream;
    {
        // Encode a greyscale file directly with the library.
        jpeg_compress_struct cinfo;
        jpeg_error_mgr errors;
        cinfo.err = jpeg_std_error(&errors);
        jpeg_create_compress(&cinfo);
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&cinfo, &buffer, &size);
        cinfo.image_width = 16;
        cinfo.image_height = 16;
        cinfo.input_components = 1;
        cinfo.in_color_space = JCS_GRAYSCALE;
        jpeg_set_defaults(&cinfo);
        jpeg_start_compress(&cinfo, TRUE);
        JSAMPLE row[16];
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) row[x] = JSAMPLE(x * 16);
            JSAMPROW rows[1] = {row};
            jpeg_write_scanlines(&cinfo, rows, 1);
        }
        jpeg_finish_compress(&cinfo);
        stream.WriteBuffer(buffer, Integer(size));
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
    }
    stream.SetPosition(0);
    TBitmap decoded;
    DecodeJpeg(&stream, &decoded);
    const Byte* row = static_cast<const Byte*>(decoded.ScanLine(3));
    EXPECT_EQ(row[3 * 8], row[3 * 8 + 1]);
    EXPECT_EQ(row[3 * 8], row[3 * 8 + 2]);
    EXPECT_NEAR(row[3 * 8], 128, 8);
}

TEST(Jpeg, FormDataFramesTheFile) {
    TJPEGImage jpeg;
    TBytes file = EncodedGradient();
    LoadBytes(jpeg, file);
    TMemoryStream data;
    jpeg.WriteData(&data);
    TBytes bytes = StreamBytes(&data);
    ASSERT_EQ(bytes.size(), file.size() + 4);
    EXPECT_TRUE(std::equal(file.begin(), file.end(), bytes.begin() + 4));
    data.SetPosition(0);
    TJPEGImage copy;
    copy.ReadData(&data);
    EXPECT_EQ(copy.Width(), 64);
    EXPECT_TRUE(copy.Equals(&jpeg));
}

TEST(Jpeg, DrawingOnTheBitmapRecompresses) {
    TJPEGImage jpeg;
    TBytes file = EncodedGradient();
    LoadBytes(jpeg, file);
    jpeg.Bitmap()->Canvas()->Brush()->SetColor(clRed);
    jpeg.Bitmap()->Canvas()->FillRect(Rect(0, 0, 64, 48));
    TMemoryStream saved;
    jpeg.SaveToStream(&saved);
    TJPEGImage back;
    LoadBytes(back, StreamBytes(&saved));
    EXPECT_NE(StreamBytes(&saved), file);
    TColor c = ColorAt(*back.Bitmap(), 30, 20);
    EXPECT_GE(c & 0xFF, 240);
    EXPECT_LE((c >> 16) & 0xFF, 15);
}

}  // namespace

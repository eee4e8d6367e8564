#include <gtest/gtest.h>

#include "ImageFixtures.h"
#include "TGA.h"
#include "TestSupport.h"

namespace {

// The pixel bytes (B, G, R[, A]) of a bitmap, top row first, without row padding.
std::vector<int> Pixels(TBitmap& bitmap) {
    std::vector<int> out;
    const int step = bitmap.BitsPerPixel() / 8;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Byte* row = static_cast<const Byte*>(bitmap.ScanLine(y));
        for (int i = 0; i < bitmap.Width() * step; ++i) out.push_back(row[i]);
    }
    return out;
}

TEST(TGAImage, RawRowsFollowTheDescriptorRowOrder) {
    // Two rows of two 24-bit pixels; the first stored row is "row A".
    const std::vector<int> rowA = {1, 2, 3, 4, 5, 6}, rowB = {7, 8, 9, 10, 11, 12};
    for (Byte descriptor : {Byte(0x00), Byte(0x20)}) {
        TFileBytes file = TgaHeader(2, 2, 2, 24, descriptor);
        for (int v : rowA) file.push_back(Byte(v));
        for (int v : rowB) file.push_back(Byte(v));
        TTGAImage image;
        LoadFromBytes(image, file);
        ASSERT_EQ(image.PixelFormat(), pf24bit);
        std::vector<int> expected = descriptor ? rowA : rowB;
        const std::vector<int>& second = descriptor ? rowB : rowA;
        expected.insert(expected.end(), second.begin(), second.end());
        EXPECT_EQ(Pixels(image), expected) << "descriptor " << int(descriptor);
    }
}

TEST(TGAImage, TopDown32BitWithIdFieldKeepsAlpha) {
    // Descriptor 0x28: top-down, 8 alpha bits; a 5-byte ID field is skipped.
    TFileBytes file = TgaHeader(2, 1, 2, 32, 0x28, 5);
    Append(file, {10, 20, 30, 40, 50, 60, 70, 0});
    TTGAImage image;
    LoadFromBytes(image, file);
    ASSERT_EQ(image.PixelFormat(), pf32bit);
    EXPECT_EQ(Pixels(image), (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 0}));
}

TEST(TGAImage, RunLengthPacketsRepeatAndCopyAcrossRows) {
    // 0x83 repeats the next pixel 4 times, 0x02 copies 3 literal pixels; 7 pixels in all, of
    // which the run crosses from the first (bottom) row into the second.
    TFileBytes file = TgaHeader(10, 3, 2, 24, 0x20);
    Append(file, {0x83, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9});
    TTGAImage image;
    // 3 x 2 needs 6 pixels: the 4-run, then 2 of the literal packet (its header says 2 pixels).
    LoadFromBytes(image, file);
    EXPECT_EQ(Pixels(image), (std::vector<int>{1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    TFileBytes literal = TgaHeader(10, 3, 1, 24, 0x20);
    Append(literal, {0x02, 1, 1, 1, 2, 2, 2, 3, 3, 3});
    TTGAImage copied;
    LoadFromBytes(copied, literal);
    EXPECT_EQ(Pixels(copied), (std::vector<int>{1, 1, 1, 2, 2, 2, 3, 3, 3}));
}

TEST(TGAImage, RunLengthPacketRunningPastTheEndIsCut) {
    // A 2 x 1 image whose single run packet asks for 128 pixels.
    TFileBytes file = TgaHeader(10, 2, 1, 32);
    Append(file, {0xFF, 9, 8, 7, 6});
    TTGAImage image;
    LoadFromBytes(image, file);
    EXPECT_EQ(Pixels(image), (std::vector<int>{9, 8, 7, 6, 9, 8, 7, 6}));
}

TEST(TGAImage, EmptyTypeGivesAnEmptyImage) {
    TTGAImage image;
    LoadFromBytes(image, TgaHeader(0, 7, 9, 24));
    EXPECT_TRUE(image.Empty());
    EXPECT_EQ(image.Width(), 0);
}

TEST(TGAImage, RefusesWhatItCannotRead) {
    struct Case {
        const char* what;
        TFileBytes file;
        std::string error;
    };
    TFileBytes rle = TgaHeader(10, 200, 200, 24);
    Append(rle, {0xFF, 1, 2, 3});  // 128 pixels of the 40000 the header promises
    TFileBytes rawShort = TgaHeader(2, 4, 4, 24);
    rawShort.resize(rawShort.size() + 47);  // one byte short of 48
    TFileBytes huge = TgaHeader(2, 65535, 65535, 32);
    TFileBytes idPastEnd = TgaHeader(2, 1, 1, 24, 0, 0);
    idPastEnd[0] = 200;
    const Case cases[] = {
        {"colour-mapped", TgaHeader(1, 2, 2, 24, 0, 0, 1), "ColorMapped TGA unsupported"},
        {"16-bit", TgaHeader(2, 2, 2, 16), "Unsupported TGA ImageType"},
        {"grey-scale", TgaHeader(3, 2, 2, 24), "Unsupported TGA ImageType 3"},
        {"run-length grey-scale", TgaHeader(11, 2, 2, 32), "Unsupported TGA ImageType 11"},
        {"header cut short", TFileBytes{0, 0, 2, 0, 0}, "short read"},
        {"raw rows cut short", rawShort, "short read"},
        {"run-length data cut short", rle, "short read"},
        {"size far beyond the data", huge, "short read"},
        {"ID field past the end", idPastEnd, "short read"},
    };
    for (const Case& c : cases) EXPECT_EQ((LoadError<ETGAException, TTGAImage>(c.file)), c.error) << c.what;
}

TEST(TGAImage, SavesRawBottomUpAndReadsBackTheSamePixels) {
    TTGAImage image;
    image.SetPixelFormat(pf32bit);
    image.SetSize(3, 2);
    for (int y = 0; y < 2; ++y) {
        Byte* row = static_cast<Byte*>(image.ScanLine(y));
        for (int i = 0; i < 12; ++i) row[i] = Byte(y * 100 + i);
    }
    const TFileBytes file = SaveToBytes(image);
    ASSERT_EQ(file.size(), 18u + 24u);
    EXPECT_EQ(file[2], 2);     // raw
    EXPECT_EQ(file[16], 32);   // depth
    EXPECT_EQ(file[17], 0);    // bottom-up, no alpha bits declared
    EXPECT_EQ(file[18], 100);  // the bottom row first
    TTGAImage back;
    LoadFromBytes(back, file);
    EXPECT_EQ(Pixels(back), Pixels(image));

    TTGAImage wrongFormat;
    wrongFormat.SetPixelFormat(pf8bit);
    wrongFormat.SetSize(2, 2);
    ExpectSaveRefused<ETGAException>(wrongFormat, "Unsupported Bitmap format");
}

}  // namespace

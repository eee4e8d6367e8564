#include <gtest/gtest.h>

#include "DDS.h"
#include "DXTC.h"
#include "ImageFixtures.h"
#include "TestSupport.h"

namespace {

using Px = std::vector<int>;

// Decodes one 4 x 4 block and answers its 16 pixels as B, G, R, A.
template <class F>
std::vector<Px> DecodeBlock(const TFileBytes& block, F decode) {
    std::vector<Byte> out(64, 0xEE);
    decode(block.data(), block.size(), out.data(), 4, 4);
    std::vector<Px> pixels;
    for (int k = 0; k < 16; ++k) pixels.push_back({out[k * 4], out[k * 4 + 1], out[k * 4 + 2], out[k * 4 + 3]});
    return pixels;
}

TEST(DXTC, Unpack565ExpandsWithoutBitReplication) {
    Byte r, g, b;
    Unpack565(0xFFFF, r, g, b);
    EXPECT_EQ((Px{b, g, r}), (Px{248, 252, 248}));
    Unpack565(0x0821, r, g, b);  // r = 1, g = 1, b = 1
    EXPECT_EQ((Px{b, g, r}), (Px{8, 4, 8}));
}

TEST(DXTC, Dxt1FourColourBlock) {
    TFileBytes block;
    Dxt1Block(block, 0xFFFF, 0x0000, 0xE4);  // pixels 0..3 use indices 0, 1, 2, 3
    bool threeColour = true;
    const auto pixels = DecodeBlock(block, [&](auto... a) { threeColour = DecodeDXT1(a...); });
    EXPECT_FALSE(threeColour);
    EXPECT_EQ(pixels[0], (Px{248, 252, 248, 255}));
    EXPECT_EQ(pixels[1], (Px{0, 0, 0, 255}));
    EXPECT_EQ(pixels[2], (Px{165, 168, 165, 255}));
    EXPECT_EQ(pixels[3], (Px{83, 84, 83, 255}));
    EXPECT_EQ(pixels[15], pixels[0]);
}

TEST(DXTC, Dxt1ThreeColourBlockHasTransparentBlack) {
    // c0 <= c1: colour 2 is the mean, index 3 transparent black.
    TFileBytes block;
    Dxt1Block(block, 0x0000, 0xFFFF, 0xE4);
    bool threeColour = false;
    auto pixels = DecodeBlock(block, [&](auto... a) { threeColour = DecodeDXT1(a...); });
    EXPECT_TRUE(threeColour);
    EXPECT_EQ(pixels[2], (Px{124, 126, 124, 255}));
    EXPECT_EQ(pixels[3], (Px{0, 0, 0, 0}));

    TFileBytes equal;
    Dxt1Block(equal, 0x1234, 0x1234, 0xFFFFFFFF);
    pixels = DecodeBlock(equal, [&](auto... a) { threeColour = DecodeDXT1(a...); });
    EXPECT_TRUE(threeColour);
    EXPECT_EQ(pixels[7], (Px{0, 0, 0, 0}));
}

TEST(DXTC, Dxt3AlphaIsFourBitsTimesSeventeen) {
    TFileBytes block;
    PutLE(block, 0x3210, 2);  // row 0: columns 0..3 hold 0, 1, 2, 3
    PutLE(block, 0xFFFF, 2);
    PutLE(block, 0x0000, 2);
    PutLE(block, 0xF000, 2);              // row 3: column 3 holds 15
    Dxt1Block(block, 0x0000, 0xFFFF, 0);  // c0 <= c1 stays four-colour in DXT3: all colour 0
    const auto pixels = DecodeBlock(block, DecodeDXT3);
    EXPECT_EQ(pixels[0], (Px{0, 0, 0, 0}));
    EXPECT_EQ(pixels[1][3], 17);
    EXPECT_EQ(pixels[3][3], 51);
    EXPECT_EQ(pixels[4][3], 255);
    EXPECT_EQ(pixels[8][3], 0);
    EXPECT_EQ(pixels[15][3], 255);
    // Four-colour interpolation even when c0 <= c1.
    TFileBytes mixed(8, 0);
    Dxt1Block(mixed, 0x0000, 0xFFFF, 0xC0);  // pixel 3: index 3
    EXPECT_EQ(DecodeBlock(mixed, DecodeDXT3)[3], (Px{165, 168, 165, 0}));
}

TEST(DXTC, Dxt5AlphaTables) {
    // Pixels 0..7 take indices 0..7 so every table entry shows.
    auto tableOf = [](Byte a0, Byte a1) {
        TFileBytes block = {a0, a1};
        const std::uint32_t bits = 0 | 1 << 3 | 2 << 6 | 3 << 9 | 4 << 12 | 5 << 15 | 6 << 18 | 7u << 21;
        PutLE(block, bits, 3);
        PutLE(block, 0, 3);
        Dxt1Block(block, 0xFFFF, 0, 0);
        const auto pixels = DecodeBlock(block, DecodeDXT5);
        Px table;
        for (int k = 0; k < 8; ++k) table.push_back(pixels[k][3]);
        EXPECT_EQ(pixels[8][3], a0);
        return table;
    };
    EXPECT_EQ(tableOf(255, 0), (Px{255, 0, 219, 182, 146, 109, 73, 36}));
    EXPECT_EQ(tableOf(0, 255), (Px{0, 255, 51, 102, 153, 204, 0, 255}));
}

TEST(DXTC, StopsWhenTheBlockDataRunsOut) {
    TFileBytes block;
    Dxt1Block(block, 0xFFFF, 0xFFFF, 0);
    block.pop_back();  // 7 bytes: no whole block
    const auto pixels = DecodeBlock(block, DecodeDXT1);
    EXPECT_EQ(pixels[0], (Px{0xEE, 0xEE, 0xEE, 0xEE}));
    DecodeDXT5(nullptr, 16, nullptr, 4, 4);  // nothing to do, no crash
}

TDdsHeader Compressed(const char* fourCC, std::uint32_t w, std::uint32_t h) {
    TDdsHeader header;
    header.fourCC = FourCCOf(fourCC);
    header.width = w;
    header.height = h;
    return header;
}

TEST(DDSImage, SixBySixDxt1FromFourBlocksWithZeroPitch) {
    // Each block its own colour; the pitch field is left 0 as many writers do.
    TFileBytes file = DdsHeader(Compressed("DXT1", 6, 6));
    const std::uint16_t colours[4] = {0xF800, 0x07E0, 0x001F, 0xFFFF};
    for (std::uint16_t c : colours) Dxt1Block(file, c, 0, 0);
    TDDSImage image;
    LoadFromBytes(image, file);
    ASSERT_EQ(image.Width(), 6);
    ASSERT_EQ(image.Height(), 6);
    EXPECT_EQ(image.PixelFormat(), pf32bit);
    EXPECT_FALSE(image.Transparent());
    const Px expected[4] = {{0, 0, 248, 255}, {0, 252, 0, 255}, {248, 0, 0, 255}, {248, 252, 248, 255}};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(Bgra(image, x, y), expected[(y / 4) * 2 + x / 4]) << x << "," << y;
}

TEST(DDSImage, TransparencyFollowsTheFormat) {
    TFileBytes three = DdsHeader(Compressed("DXT1", 4, 4));
    Dxt1Block(three, 0x1234, 0x1234, 0xFFFFFFFF);
    TDDSImage image;
    LoadFromBytes(image, three);
    EXPECT_TRUE(image.Transparent());
    EXPECT_EQ(Bgra(image, 3, 3), (Px{0, 0, 0, 0}));

    TFileBytes dxt5 = DdsHeader(Compressed("DXT5", 4, 4));
    dxt5.resize(dxt5.size() + 16, 0);
    TDDSImage five;
    LoadFromBytes(five, dxt5);
    EXPECT_TRUE(five.Transparent());
}

TEST(DDSImage, UncompressedChannelsFromMasks) {
    TFileBytes file = DdsHeader(UncompressedDds(24, 2, 1, false));
    Append(file, {1, 2, 3, 4, 5, 6});
    TDDSImage image;
    LoadFromBytes(image, file);
    EXPECT_FALSE(image.Transparent());
    EXPECT_EQ(Bgra(image, 0, 0)[0], 1);
    EXPECT_EQ(Bgra(image, 0, 0)[2], 3);
    EXPECT_EQ(Bgra(image, 1, 0)[1], 5);

    TDdsHeader h16 = UncompressedDds(16, 1, 1, false);
    h16.red = 0xF800;
    h16.green = 0x07E0;
    h16.blue = 0x001F;
    TFileBytes file16 = DdsHeader(h16);
    PutLE(file16, 0x1 << 11 | 0x3 << 5 | 0x1F, 2);
    TDDSImage image16;
    LoadFromBytes(image16, file16);
    const Px p = Bgra(image16, 0, 0);
    EXPECT_EQ((Px{p[0], p[1], p[2]}), (Px{248, 12, 8}));  // factors 8, 4, 8

    TFileBytes file32 = DdsHeader(UncompressedDds(32, 1, 1, true));
    Append(file32, {10, 20, 30, 40});
    TDDSImage image32;
    LoadFromBytes(image32, file32);
    EXPECT_TRUE(image32.Transparent());
    EXPECT_EQ(Bgra(image32, 0, 0), (Px{10, 20, 30, 40}));
}

TEST(DDSImage, RefusesWhatItCannotRead) {
    TFileBytes badMagic = DdsHeader(Compressed("DXT1", 4, 4));
    badMagic[3] = 'X';
    TDdsHeader noCaps = Compressed("DXT1", 4, 4);
    noCaps.caps = 0;
    TFileBytes shortBlocks = DdsHeader(Compressed("DXT5", 8, 8));
    shortBlocks.resize(shortBlocks.size() + 63);  // four blocks need 64 bytes
    TDdsHeader hugePitch = Compressed("DXT1", 4, 4);
    hugePitch.pitch = 0x7FFFFFF0;  // ignored: the size comes from the dimensions
    TFileBytes pitchFile = DdsHeader(hugePitch);
    pitchFile.resize(pitchFile.size() + 8);
    TDdsHeader odd;
    odd.pixelFlags = 0x40;
    odd.bitCount = 12;
    TDdsHeader vast = Compressed("DXT1", 0x40000000, 0x40000000);
    TFileBytes rowsFile = DdsHeader(UncompressedDds(32, 4, 4, false));
    rowsFile.resize(rowsFile.size() + 63);
    struct Case {
        const char* what;
        TFileBytes file;
        std::string error;
    } cases[] = {
        {"magic", badMagic, "Invalid DDS file"},
        {"caps", DdsHeader(noCaps), "Unsupported DDSCAPS settings"},
        {"ATI2", DdsHeader(Compressed("ATI2", 4, 4)), "Unsupported compression type: ATI2"},
        {"FourCC with a zero byte",
         DdsHeader(Compressed("DX\0"
                              "1",
                              4, 4)),
         "Unsupported compression type: DX"},
        {"bit count", DdsHeader(odd), "Unsupported DDS bit count 12"},
        {"header cut short", TFileBytes(100, 0), "short read"},
        {"block data cut short", shortBlocks, "short read"},
        {"uncompressed rows cut short", rowsFile, "short read"},
        {"dimensions beyond any bitmap", DdsHeader(vast), "Unsupported DDS image size 1073741824 x 1073741824"},
        {"corrupt pitch is ignored", pitchFile, ""},
    };
    for (const Case& c : cases) EXPECT_EQ((LoadError<EDDSException, TDDSImage>(c.file)), c.error) << c.what;
}

TEST(DDSImage, SaveAndReloadKeepsPixelsAndTransparent) {
    TDDSImage image;
    image.SetPixelFormat(pf32bit);
    image.SetSize(3, 2);
    image.SetTransparent(true);
    for (int y = 0; y < 2; ++y) {
        Byte* row = static_cast<Byte*>(image.ScanLine(y));
        for (int i = 0; i < 12; ++i) row[i] = Byte(y * 50 + i * 7);
    }
    const TFileBytes file = SaveToBytes(image);
    ASSERT_EQ(file.size(), 128u + 24u);
    std::uint32_t flags, pitch, alphaMask;
    std::memcpy(&flags, &file[80], 4);
    std::memcpy(&pitch, &file[20], 4);
    std::memcpy(&alphaMask, &file[104], 4);
    EXPECT_EQ(flags, 0x41u);
    EXPECT_EQ(pitch, 12u);
    EXPECT_EQ(alphaMask, 0xFF000000u);
    TDDSImage back;
    LoadFromBytes(back, file);
    EXPECT_TRUE(back.Transparent());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(Bgra(back, x, y), Bgra(image, x, y));

    TDDSImage opaque;
    opaque.SetPixelFormat(pf24bit);
    opaque.SetSize(1, 1);
    TDDSImage opaqueBack;
    LoadFromBytes(opaqueBack, SaveToBytes(opaque));
    EXPECT_FALSE(opaqueBack.Transparent());

    TDDSImage wrong;
    wrong.SetPixelFormat(pf16bit);
    wrong.SetSize(1, 1);
    ExpectSaveRefused<EDDSException>(wrong, "Unsupported pixel format format");
}

}  // namespace

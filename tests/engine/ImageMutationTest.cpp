// Every image reader takes its input as untrusted: valid files with bytes changed, cut short or
// grown must each either load or be refused with an exception, without crash, hang or leak.
#include <gtest/gtest.h>

#include <functional>

#include "DDS.h"
#include "JpegImage.h"
#include "ImageFixtures.h"
#include "MutationSupport.h"
#include "PixelSurface.h"
#include "TGA.h"

namespace {

TFileBytes Mutate(const TFileBytes& valid, TRuntimeRandom& random) {
    TFileBytes out = valid;
    static const Byte interesting[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0x20, 0x10};
    const std::uint32_t kind = random.Next(10);
    if (kind == 0 && !out.empty()) {
        out.resize(random.Next(std::uint32_t(out.size())));
    } else if (kind == 1) {
        const std::uint32_t extra = 1 + random.Next(64);
        for (std::uint32_t i = 0; i < extra; ++i) out.push_back(Byte(random.Next(256)));
    } else {
        const std::uint32_t changes = 1 + random.Next(4);
        for (std::uint32_t i = 0; i < changes && !out.empty(); ++i) {
            Byte& b = out[random.Next(std::uint32_t(out.size()))];
            b = random.Next(2) ? Byte(random.Next(256)) : interesting[random.Next(sizeof(interesting))];
        }
    }
    return out;
}

// Loads n mutants of each valid file; counts the loads and refusals and checks that the GDI
// objects the process holds come back to where they were.
void RunMutations(const std::vector<TFileBytes>& valid, const std::function<TGraphic*()>& make, int n,
                  std::uint32_t seed) {
    TRuntimeRandom random(seed);
    const DWORD gdiBefore = GdiObjectCount();
    int loaded = 0, refused = 0;
    for (int i = 0; i < n; ++i) {
        const TFileBytes input = Mutate(valid[i % valid.size()], random);
        std::unique_ptr<TGraphic> image(make());
        try {
            LoadFromBytes(*image, input);
            // the pixels must make a usable section
            if (auto* bitmap = dynamic_cast<TBitmap*>(image.get()); bitmap && !bitmap->Empty()) bitmap->Handle();
            ++loaded;
        } catch (const Exception&) {
            ++refused;
        }
    }
    EXPECT_EQ(loaded + refused, n);
    EXPECT_GT(loaded, 0);
    EXPECT_GT(refused, 0);
    EXPECT_LE(GdiObjectCount(), gdiBefore);
}

TEST(ImageMutation, TGA) {
    TFileBytes raw = TgaHeader(2, 5, 3, 24, 0x20, 3);
    for (int i = 0; i < 45; ++i) raw.push_back(Byte(i * 5));
    TFileBytes rle = TgaHeader(10, 6, 4, 32);
    Append(rle, {0x85, 1, 2, 3, 4, 0x03, 9, 9, 9, 9, 8, 8, 8, 8, 7, 7, 7, 7, 6, 6, 6, 6, 0x8D, 5, 5, 5, 5});
    RunMutations(
        {raw, rle}, [] { return new TTGAImage; }, 10000, 1);
}

TEST(ImageMutation, DDS) {
    TDdsHeader dxt;
    dxt.fourCC = FourCCOf("DXT1");
    dxt.width = 6;
    dxt.height = 5;
    TFileBytes dxt1 = DdsHeader(dxt);
    for (int i = 0; i < 4; ++i) Dxt1Block(dxt1, std::uint16_t(0x1234 * i), std::uint16_t(0x4321 * i), 0x1B1B1B1Bu * i);
    dxt.fourCC = FourCCOf("DXT5");
    TFileBytes dxt5 = DdsHeader(dxt);
    for (int i = 0; i < 64; ++i) dxt5.push_back(Byte(i * 37));
    dxt.fourCC = FourCCOf("DXT3");
    TFileBytes dxt3 = DdsHeader(dxt);
    for (int i = 0; i < 64; ++i) dxt3.push_back(Byte(i * 11));
    TFileBytes rgba = DdsHeader(UncompressedDds(32, 3, 2, true));
    for (int i = 0; i < 24; ++i) rgba.push_back(Byte(i * 9));
    RunMutations(
        {dxt1, dxt3, dxt5, rgba}, [] { return new TDDSImage; }, 10000, 2);
}

TEST(ImageMutation, BMP) {
    std::vector<TFileBytes> valid;
    for (TPixelFormat format : {pf24bit, pf32bit, pf8bit}) {
        TBitmap bitmap;
        bitmap.SetPixelFormat(format);
        bitmap.SetSize(5, 3);
        bitmap.Canvas()->SetPixels(1, 1, 0x123456);
        valid.push_back(SaveToBytes(bitmap));
    }
    RunMutations(
        valid, [] { return new TBitmap; }, 10000, 3);
}

TEST(ImageMutation, JPEG) {
    std::vector<TFileBytes> valid;
    for (int size : {8, 17}) {
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf24bit);
        bitmap.SetSize(size, 9);
        for (int x = 0; x < size; ++x) bitmap.Canvas()->SetPixels(x, x % 9, TColor(0x102030 * x));
        TJPEGImage jpeg;
        jpeg.Assign(&bitmap);
        valid.push_back(SaveToBytes(jpeg));
    }
    RunMutations(
        valid, [] { return new TJPEGImage; }, 10000, 4);
}

}  // namespace

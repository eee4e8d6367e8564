// Damaged atlases: valid atlas streams with bytes changed, cut short or grown (half of them with
// their chunk checksums made right again, so that the damage reaches the decoder and the
// cutting) each give a scheme or an exception; nothing crashes, and the GDI objects and handles
// the process holds are the same at the end, its heap about the same.
#include <gtest/gtest.h>

#include "MutationSupport.h"
#include "PixelSurface.h"
#include "SkinTestSupport.h"

namespace {

TBytes ResourceBytes(const wchar_t* name) {
    TResourceStream stream(GetModuleHandleW(nullptr), name, RT_RCDATA);
    return StreamBytes(&stream);
}

DWORD AtlasChunkCrc(const Byte* data, size_t size) {
    DWORD crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

// Recomputes the checksum of every whole chunk, so a change inside a chunk is not refused for
// its checksum alone.
void FixChunkChecksums(TBytes& png) {
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const DWORD length = DWORD(png[at]) << 24 | DWORD(png[at + 1]) << 16 | DWORD(png[at + 2]) << 8 | png[at + 3];
        if (length > png.size() - at - 12) break;
        const DWORD crc = AtlasChunkCrc(&png[at + 4], length + 4);
        for (int i = 0; i < 4; ++i) png[at + 8 + length + size_t(i)] = Byte(crc >> (24 - 8 * i));
        at += 12 + length;
    }
}

TBytes Mutate(const TBytes& valid, TRuntimeRandom& random) {
    static const Byte interesting[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0x20, 0x10, 0x08, 0x06};
    TBytes out = valid;
    const std::uint32_t kind = random.Next(12);
    if (kind == 0) {
        out.resize(random.Next(std::uint32_t(out.size())));
    } else if (kind == 1) {
        const std::uint32_t extra = 1 + random.Next(64);
        for (std::uint32_t i = 0; i < extra; ++i) out.push_back(Byte(random.Next(256)));
    } else {
        // Mostly in the header and the first rows, where a change shows most.
        const std::uint32_t range =
            random.Next(3) == 0 ? std::uint32_t(out.size()) : std::min<std::uint32_t>(200, std::uint32_t(out.size()));
        const std::uint32_t changes = 1 + random.Next(4);
        for (std::uint32_t i = 0; i < changes; ++i) {
            Byte& b = out[random.Next(range)];
            b = random.Next(2) ? Byte(random.Next(256)) : interesting[random.Next(sizeof(interesting))];
        }
        if (random.Next(2)) FixChunkChecksums(out);
    }
    return out;
}

// Blue, with one atlas read from the given bytes and the other two left out.
class TDamagedAtlasScheme : public TdxBlueRibbonSkin {
public:
    TDamagedAtlasScheme(TdxRibbonAtlas which, const TBytes& bytes) : which_(which), bytes_(bytes) {}

protected:
    GpImage* LoadFormImage() override { return Decode(TdxRibbonAtlas::Form); }
    GpImage* LoadCommonImage() override { return Decode(TdxRibbonAtlas::Common); }
    GpImage* LoadSchemeImage() override { return Decode(TdxRibbonAtlas::Scheme); }
    void InitializeFormParts(GpImage* atlas) override {
        if (which_ == TdxRibbonAtlas::Form) TdxBlueRibbonSkin::InitializeFormParts(atlas);
    }
    void InitializeCommonParts(GpImage* atlas) override {
        if (which_ == TdxRibbonAtlas::Common) TdxBlueRibbonSkin::InitializeCommonParts(atlas);
    }
    void InitializeSchemeParts(GpImage* atlas) override {
        if (which_ == TdxRibbonAtlas::Scheme) TdxBlueRibbonSkin::InitializeSchemeParts(atlas);
    }

private:
    GpImage* Decode(TdxRibbonAtlas atlas) {
        if (atlas != which_) return nullptr;
        TMemoryStream stream;
        if (!bytes_.empty()) stream.WriteBuffer(bytes_.data(), Integer(bytes_.size()));
        stream.SetPosition(0);
        return CreateGpImageFromStream(&stream);
    }

    TdxRibbonAtlas which_;
    const TBytes& bytes_;
};

TEST(dxRibbonSkinMutation, DamagedAtlasesGiveASchemeOrAnException) {
    const std::pair<TdxRibbonAtlas, TBytes> atlases[] = {
        {TdxRibbonAtlas::Form, ResourceBytes(L"FORMBLUE")},
        {TdxRibbonAtlas::Common, ResourceBytes(L"RIBBONCOMMON")},
        {TdxRibbonAtlas::Scheme, ResourceBytes(L"RIBBONBLUE")},
    };
    // Once with valid atlases, so that whatever GDI+ sets up on first use is there already.
    for (const auto& [which, bytes] : atlases) delete CreateRibbonSkin<TDamagedAtlasScheme>(which, bytes);
    const DWORD gdiBefore = GdiObjectCount();
    const THeapUse heapBefore = HeapInUse();
    DWORD handlesBefore = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &handlesBefore));

    TRuntimeRandom random(40);
    const int runs = 10000;
    int schemes = 0, refused = 0, parts = 0;
    for (int i = 0; i < runs; ++i) {
        const auto& [which, valid] = atlases[i % 3];
        const TBytes damaged = Mutate(valid, random);
        try {
            std::unique_ptr<TDamagedAtlasScheme> scheme(CreateRibbonSkin<TDamagedAtlasScheme>(which, damaged));
            parts += scheme->Count();
            ++schemes;
        } catch (const Exception&) {
            ++refused;
        }
    }
    EXPECT_EQ(schemes + refused, runs);
    EXPECT_GT(schemes, 0);
    EXPECT_GT(refused, 0);
    EXPECT_GT(parts, 0);
    DWORD handlesAfter = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &handlesAfter));
    EXPECT_EQ(GdiObjectCount(), gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
    // A leak in any run would show as thousands of blocks; a few come from first uses.
    EXPECT_LE(HeapInUse().blocks, heapBefore.blocks + 100);
}

}  // namespace

// Broken copies of the stored skins (bytes flipped, streams cut, bytes inserted, huge lengths
// written over fields): each either loads or is refused with EdxSkin, the stream read error or
// the class-not-found error; nothing crashes or hangs, and the memory in use comes back.
//
// Most runs decode pictures with a stand-in that checks the PNG chunks and makes a 1 x 1
// picture, so that ten thousand skins read in seconds; a hundred more go through GDI+.

#include <gtest/gtest.h>
#include <psapi.h>

#include <array>
#include <memory>

#include "MutationSupport.h"
#include "PixelSurface.h"
#include "SkinTestSupport.h"

namespace {

using TSkinBytes = std::vector<Byte>;

TSkinBytes StoredSkinBytes(const wchar_t* resource) {
    TResourceStream stream(GetModuleHandleW(nullptr), resource, L"DXSKINS");
    const Byte* bytes = static_cast<const Byte*>(stream.Memory());
    return TSkinBytes(bytes, bytes + stream.Size());
}

uint32_t SkinMutationCrc32(const Byte* data, size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = ~0u;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t SkinMutationBigEndian(const Byte* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// Reads all of its data, refuses it (as a decoder would, with an exception) unless it is a PNG
// whose chunks all fit and match their checksums, and makes a 1 x 1 picture.
class TSkinMutationImage : public TdxGPImage {
    Z_CLASS(TSkinMutationImage, TdxGPImage)
public:
    TSkinMutationImage() = default;

protected:
    void LoadFromStreamData(TStream* stream) override {
        TSkinBytes data(size_t(stream->Size() - stream->Position()));
        stream->ReadBuffer(data.data(), Integer(data.size()));
        static const Byte signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
        GdipAssert(data.size() >= 8 && std::memcmp(data.data(), signature, 8) == 0);
        size_t at = 8;
        bool ended = false;
        while (!ended) {
            GdipAssert(at + 12 <= data.size());
            const uint32_t length = SkinMutationBigEndian(&data[at]);
            GdipAssert(length <= data.size() - at - 12);
            const uint32_t crc = SkinMutationBigEndian(&data[at + 8 + length]);
            GdipAssert(SkinMutationCrc32(&data[at + 4], length + 4) == crc);
            ended = std::memcmp(&data[at + 4], "IEND", 4) == 0;
            at += 12 + length;
        }
        LoadFromBits(1, 1, TdxRGBColors{RGBQUAD{1, 2, 3, 255}}, true);
    }
};

// Where the fields between pictures are: just after the end of each PNG.
std::vector<size_t> SkinFieldPositions(const TSkinBytes& skin) {
    static const Byte iend[8] = {'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    std::vector<size_t> positions{0};
    for (size_t at = 0; at + 8 <= skin.size(); ++at)
        if (std::memcmp(&skin[at], iend, 8) == 0) positions.push_back(at + 8);
    return positions;
}

TSkinBytes MutateSkin(const TSkinBytes& valid, const std::vector<size_t>& fields, TRuntimeRandom& random) {
    TSkinBytes out = valid;
    // half of the changes go to the fields between pictures, the rest anywhere
    auto position = [&]() -> size_t {
        if (random.Next(2)) {
            const size_t base = fields[random.Next(uint32_t(fields.size()))];
            return std::min(out.size() - 1, base + random.Next(400));
        }
        return random.Next(uint32_t(out.size()));
    };
    switch (random.Next(4)) {
        case 0: {  // flips
            static const Byte interesting[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0x20, 0x10};
            const uint32_t changes = 1 + random.Next(4);
            for (uint32_t i = 0; i < changes; ++i) {
                Byte& b = out[position()];
                b = random.Next(2) ? Byte(random.Next(256)) : interesting[random.Next(sizeof(interesting))];
            }
            break;
        }
        case 1:  // a cut
            out.resize(position());
            break;
        case 2: {  // an insertion
            const size_t at = position();
            const uint32_t extra = 1 + random.Next(16);
            TSkinBytes inserted;
            for (uint32_t i = 0; i < extra; ++i) inserted.push_back(Byte(random.Next(256)));
            out.insert(out.begin() + Int64(at), inserted.begin(), inserted.end());
            break;
        }
        default: {  // a huge or negative number over a field
            static const Integer huge[] = {0x7FFFFFFF, 0x40000000, 0x10000000, -1, Integer(0x80000000), 1000000};
            const size_t at = std::min(out.size() - 4, position());
            const Integer value = huge[random.Next(sizeof(huge) / sizeof(huge[0]))];
            std::memcpy(&out[at], &value, 4);
            break;
        }
    }
    return out;
}

struct TSkinMutationResult {
    int loaded = 0, refusedSkin = 0, refusedRead = 0, refusedClass = 0;
};

// Loads n mutants of the valid skins and sorts the outcomes; any other exception fails.
TSkinMutationResult RunSkinMutations(const std::vector<TSkinBytes>& valid, int n, uint32_t seed) {
    std::vector<std::vector<size_t>> fields;
    for (const TSkinBytes& skin : valid) fields.push_back(SkinFieldPositions(skin));
    TRuntimeRandom random(seed);
    TSkinMutationResult result;
    for (int i = 0; i < n; ++i) {
        const size_t which = size_t(i) % valid.size();
        const TSkinBytes input = MutateSkin(valid[which], fields[which], random);
        auto stream = SkinTestStream(input);
        TdxSkin skin(L"Mutant");
        try {
            skin.LoadFromStream(stream.get());
            ++result.loaded;
        } catch (const EdxSkin&) {
            ++result.refusedSkin;
        } catch (const EClassNotFound&) {
            ++result.refusedClass;
        } catch (const EReadError&) {
            ++result.refusedRead;
        } catch (const Exception& e) {
            ADD_FAILURE() << "mutant " << i << ": " << e.ClassName() << " " << e.Message();
        }
    }
    return result;
}

SIZE_T SkinMutationPeakMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakPagefileUsage;
}

SIZE_T SkinMutationMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;
}

}  // namespace

TEST(dxSkinMutation, TenThousandBrokenSkinsLoadOrAreRefusedWithBoundedMemory) {
    const std::vector<TSkinBytes> valid = {StoredSkinBytes(L"LILIAN"), StoredSkinBytes(L"DEFAULTUSERSKINDATA")};
    TSkinImageClassScope standIn(TSkinMutationImage::StaticClass());
    RunSkinMutations(valid, 50, 1);  // the first loads make the caches the loop then reuses
    const THeapUse heapBefore = HeapInUse();
    const DWORD gdiBefore = GdiObjectCount();
    const SIZE_T memoryBefore = SkinMutationMemory(), peakBefore = SkinMutationPeakMemory();
    const TSkinMutationResult result = RunSkinMutations(valid, 10000, 0x5EED5);
    const THeapUse heapAfter = HeapInUse();
    EXPECT_EQ(result.loaded + result.refusedSkin + result.refusedRead + result.refusedClass, 10000);
    EXPECT_GT(result.loaded, 0);
    EXPECT_GT(result.refusedSkin, 0);
    EXPECT_GT(result.refusedRead, 0);
    EXPECT_GT(result.refusedClass, 0);
    EXPECT_LE(heapAfter.blocks, heapBefore.blocks + 64);
    EXPECT_LE(heapAfter.bytes, heapBefore.bytes + 64 * 1024);
    EXPECT_LE(GdiObjectCount(), gdiBefore);
    // no mutant ever made the process take much more than it had
    EXPECT_LE(SkinMutationPeakMemory(), std::max(peakBefore, memoryBefore + (SIZE_T(256) << 20)));
}

TEST(dxSkinMutation, BrokenPicturesThroughGdiPlusAreRefusedAsBrokenSkins) {
    const std::vector<TSkinBytes> valid = {StoredSkinBytes(L"LILIAN"), StoredSkinBytes(L"DEFAULTUSERSKINDATA")};
    const TSkinMutationResult result = RunSkinMutations(valid, 120, 0xC0FFEE);
    EXPECT_EQ(result.loaded + result.refusedSkin + result.refusedRead + result.refusedClass, 120);
    EXPECT_GT(result.refusedSkin, 0);
}

#pragma once
// Byte builders for the image-format tests: TGA and DDS files laid out in code.

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include "Streams.h"
#include "TestSupport.h"
#include "SysTypes.h"

using TFileBytes = TBytes;

inline void PutLE(TFileBytes& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(Byte(v >> (8 * i)));
}

inline void Append(TFileBytes& out, std::initializer_list<Byte> bytes) { out.insert(out.end(), bytes); }

// An 18-byte Targa header followed by idLength bytes of ID field.
inline TFileBytes TgaHeader(Byte imageType, int width, int height, Byte depth, Byte descriptor = 0, Byte idLength = 0,
                            Byte colorMapType = 0) {
    TFileBytes out = {idLength, colorMapType, imageType, 0, 0, 0, 0, 0};
    PutLE(out, 0, 2);
    PutLE(out, 0, 2);
    PutLE(out, std::uint32_t(width), 2);
    PutLE(out, std::uint32_t(height), 2);
    out.push_back(depth);
    out.push_back(descriptor);
    for (int i = 0; i < idLength; ++i) out.push_back(Byte('A' + i));
    return out;
}

struct TDdsHeader {
    std::uint32_t width = 4, height = 4, pixelFlags = 0x4, fourCC = 0, bitCount = 0;
    std::uint32_t red = 0, green = 0, blue = 0, alpha = 0, caps = 0x1000, pitch = 0;
};

inline std::uint32_t FourCCOf(const char* s) {
    return std::uint32_t(Byte(s[0])) | std::uint32_t(Byte(s[1])) << 8 | std::uint32_t(Byte(s[2])) << 16 |
           std::uint32_t(Byte(s[3])) << 24;
}

// An uncompressed surface with the usual 8-bit channel masks (alpha only when withAlpha).
inline TDdsHeader UncompressedDds(std::uint32_t bitCount, std::uint32_t width, std::uint32_t height, bool withAlpha) {
    TDdsHeader h;
    h.pixelFlags = withAlpha ? 0x41 : 0x40;
    h.width = width;
    h.height = height;
    h.bitCount = bitCount;
    h.red = 0xFF0000;
    h.green = 0xFF00;
    h.blue = 0xFF;
    h.alpha = withAlpha ? 0xFF000000 : 0;
    return h;
}

inline TFileBytes DdsHeader(const TDdsHeader& h) {
    TFileBytes out(128, 0);
    std::memcpy(out.data(), "DDS ", 4);
    auto put = [&](size_t at, std::uint32_t v) { std::memcpy(out.data() + at, &v, 4); };
    put(4, 124);
    put(8, 0x1007);
    put(12, h.height);
    put(16, h.width);
    put(20, h.pitch);
    put(76, 32);
    put(80, h.pixelFlags);
    put(84, h.fourCC);
    put(88, h.bitCount);
    put(92, h.red);
    put(96, h.green);
    put(100, h.blue);
    put(104, h.alpha);
    put(108, h.caps);
    return out;
}

// A DXT1 block: two 5:6:5 colours and the 2-bit index word.
inline void Dxt1Block(TFileBytes& out, std::uint16_t c0, std::uint16_t c1, std::uint32_t indices) {
    PutLE(out, c0, 2);
    PutLE(out, c1, 2);
    PutLE(out, indices, 4);
}

inline void WriteBytesToFile(const String& fileName, const TFileBytes& bytes) {
    TFileStream file(fileName, fmCreate);
    if (!bytes.empty()) file.WriteBuffer(bytes.data(), Integer(bytes.size()));
}

// Reads a graphic from the bytes of a file through a memory stream.
template <class G>
void LoadFromBytes(G& graphic, const TFileBytes& bytes) {
    TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), Integer(bytes.size()));
    stream.SetPosition(0);
    graphic.LoadFromStream(&stream);
}

// The message of the E a load raises, "short read" for a stream that ends early, "" when the
// load succeeds.
template <class E, class G>
std::string LoadError(const TFileBytes& bytes) {
    G graphic;
    try {
        LoadFromBytes(graphic, bytes);
    } catch (const E& e) {
        return Utf8(e.Message());
    } catch (const EReadError&) {
        return "short read";
    }
    return "";
}

// Saving must raise E with the message before writing anything.
template <class E, class G>
void ExpectSaveRefused(G& graphic, const char* message) {
    TMemoryStream stream;
    try {
        graphic.SaveToStream(&stream);
        ADD_FAILURE() << "saved";
    } catch (const E& e) {
        EXPECT_EQ(Utf8(e.Message()), message);
    }
    EXPECT_EQ(stream.Size(), 0);
}

template <class G>
TFileBytes SaveToBytes(G& graphic) {
    TMemoryStream stream;
    graphic.SaveToStream(&stream);
    return StreamBytes(&stream);
}

// The bytes B, G, R, A of a pixel of a 32-bit bitmap (row 0 at the top).
template <class B>
std::vector<int> Bgra(B& bitmap, int x, int y) {
    const Byte* p = static_cast<const Byte*>(bitmap.ScanLine(y)) + x * 4;
    return {p[0], p[1], p[2], p[3]};
}

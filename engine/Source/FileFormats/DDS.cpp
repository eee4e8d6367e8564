#include "DDS.h"

#include <cstring>
#include <vector>

#include "DXTC.h"
#include "Format.h"
#include "Streams.h"

namespace {

constexpr Cardinal kHeaderSize = 128;
constexpr Cardinal kCapsTexture = 0x1000;
constexpr Cardinal kFlagAlphaPixels = 0x1;
constexpr Cardinal kFlagFourCC = 0x4;
constexpr Cardinal kFlagRGB = 0x40;
constexpr Cardinal kFlagsWritten = 0x100F;  // caps, height, width, pitch, pixel format

// Byte offsets of the header fields from the start of the file.
enum : size_t {
    ofMagic = 0,
    ofSize = 4,
    ofFlags = 8,
    ofHeight = 12,
    ofWidth = 16,
    ofPitch = 20,
    ofPixelFlags = 80,
    ofFourCC = 84,
    ofBitCount = 88,
    ofRedMask = 92,
    ofGreenMask = 96,
    ofBlueMask = 100,
    ofAlphaMask = 104,
    ofCaps = 108
};

Cardinal Get32(const Byte* header, size_t offset) {
    Cardinal v;
    std::memcpy(&v, header + offset, 4);
    return v;
}

void Put32(Byte* header, size_t offset, Cardinal v) { std::memcpy(header + offset, &v, 4); }

Cardinal FourCC(const char* code) { return Get32(reinterpret_cast<const Byte*>(code), 0); }

// The FourCC as text: its characters up to the first zero byte.
String FourCCText(Cardinal code) {
    String text;
    for (int i = 0; i < 4; ++i) {
        const char c = char((code >> (8 * i)) & 0xFF);
        if (c == 0) break;
        text += wchar_t(Byte(c));
    }
    return text;
}

[[noreturn]] void RaiseShortRead() { throw EReadError(L"Stream read error"); }

Int64 Remaining(TStream* stream) { return stream->Size() - stream->Position(); }

// One channel of the uncompressed reader: mask, its shift and its scale to 8 bits.
struct TChannel {
    Cardinal mask, shift, factor;
    explicit TChannel(Cardinal m) : mask(m), shift(Cardinal(LowestSetBit(m))) {
        const Cardinal range = mask >> shift;
        factor = range ? 255 / range : 1;
        if (factor == 0) factor = 1;
    }
    Byte Of(Cardinal v) const { return Byte((UInt64(factor) * (v & mask)) >> shift); }
};

}  // namespace

Integer LowestSetBit(Cardinal mask) {
    if (mask == 0) return 0;
    Integer i = 0;
    while (!(mask & 1)) {
        mask >>= 1;
        ++i;
    }
    return i;
}

void TDDSImage::LoadFromStream(TStream* stream) {
    Byte header[kHeaderSize];
    stream->ReadBuffer(header, kHeaderSize);
    if (std::memcmp(header, "DDS ", 4) != 0) throw EDDSException(L"Invalid DDS file");
    if (!(Get32(header, ofCaps) & kCapsTexture)) throw EDDSException(L"Unsupported DDSCAPS settings");

    const Cardinal pixelFlags = Get32(header, ofPixelFlags);
    const Cardinal fileWidth = Get32(header, ofWidth), fileHeight = Get32(header, ofHeight);
    // Sizes beyond what a bitmap can hold are refused before anything else is done with them.
    if (fileWidth > 0x7FFF || fileHeight > 0x7FFF)
        throw EDDSException(Format(L"Unsupported DDS image size %u x %u", {fileWidth, fileHeight}));
    const Integer width = Integer(fileWidth), height = Integer(fileHeight);
    const bool compressed = (pixelFlags & kFlagFourCC) != 0;

    // What the pixel data needs, from the format and the size alone.
    Int64 dataSize;
    Integer bytesPerPixel = 0;
    const Cardinal fourCC = Get32(header, ofFourCC);
    if (compressed) {
        Integer blockSize;
        if (fourCC == FourCC("DXT1"))
            blockSize = 8;
        else if (fourCC == FourCC("DXT3") || fourCC == FourCC("DXT5"))
            blockSize = 16;
        else
            throw EDDSException(Format(L"Unsupported compression type: %s", {FourCCText(fourCC)}));
        dataSize = DXTDataSize(width, height, blockSize);
    } else {
        const Cardinal bitCount = Get32(header, ofBitCount);
        if (bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
            throw EDDSException(Format(L"Unsupported DDS bit count %u", {bitCount}));
        bytesPerPixel = Integer(bitCount / 8);
        dataSize = Int64(bytesPerPixel) * width * height;
    }
    if (dataSize > Remaining(stream)) RaiseShortRead();

    SetSize(0, 0);
    SetPixelFormat(pf32bit);
    SetTransparent((pixelFlags & kFlagAlphaPixels) != 0);
    if (width == 0 || height == 0) return;
    SetSize(width, height);

    const size_t rowSize = size_t(width) * 4;
    if (compressed) {
        std::vector<Byte> data(static_cast<size_t>(dataSize));
        stream->ReadBuffer(data.data(), Integer(dataSize));
        std::vector<Byte> pixels(rowSize * height);
        if (fourCC == FourCC("DXT1")) {
            SetTransparent(DecodeDXT1(data.data(), data.size(), pixels.data(), width, height));
        } else {
            if (fourCC == FourCC("DXT3"))
                DecodeDXT3(data.data(), data.size(), pixels.data(), width, height);
            else
                DecodeDXT5(data.data(), data.size(), pixels.data(), width, height);
            SetTransparent(true);
        }
        for (Integer r = 0; r < height; ++r) std::memcpy(ScanLine(r), pixels.data() + r * rowSize, rowSize);
    } else {
        const TChannel red(Get32(header, ofRedMask)), green(Get32(header, ofGreenMask)),
            blue(Get32(header, ofBlueMask)), alpha(Get32(header, ofAlphaMask));
        const bool withAlpha = Transparent();
        std::vector<Byte> row(size_t(bytesPerPixel) * width);
        for (Integer r = 0; r < height; ++r) {
            stream->ReadBuffer(row.data(), Integer(row.size()));
            Byte* out = static_cast<Byte*>(ScanLine(r));
            const Byte* in = row.data();
            for (Integer x = 0; x < width; ++x, in += bytesPerPixel, out += 4) {
                Cardinal v = 0;
                for (Integer i = 0; i < bytesPerPixel; ++i) v |= Cardinal(in[i]) << (8 * i);
                out[0] = blue.Of(v);
                out[1] = green.Of(v);
                out[2] = red.Of(v);
                if (withAlpha) out[3] = alpha.Of(v);
            }
        }
    }
    Changed(this);
}

void TDDSImage::SaveToStream(TStream* stream) {
    Byte header[kHeaderSize] = {};
    Cardinal bitCount;
    if (PixelFormat() == pf24bit)
        bitCount = 24;
    else if (PixelFormat() == pf32bit)
        bitCount = 32;
    else
        throw EDDSException(L"Unsupported pixel format format");
    const bool withAlpha = bitCount == 32 && Transparent();
    std::memcpy(header, "DDS ", 4);
    Put32(header, ofSize, 124);
    Put32(header, ofFlags, kFlagsWritten);
    Put32(header, ofHeight, Cardinal(Height()));
    Put32(header, ofWidth, Cardinal(Width()));
    const Integer rowSize = Integer(bitCount / 8) * Width();
    Put32(header, ofPitch, Cardinal(rowSize));
    Put32(header, ofPixelFlags, withAlpha ? kFlagRGB | kFlagAlphaPixels : kFlagRGB);
    Put32(header, ofBitCount, bitCount);
    Put32(header, ofRedMask, 0x00FF0000);
    Put32(header, ofGreenMask, 0x0000FF00);
    Put32(header, ofBlueMask, 0x000000FF);
    Put32(header, ofAlphaMask, withAlpha ? 0xFF000000 : 0);
    Put32(header, ofCaps, kCapsTexture);
    stream->WriteBuffer(header, kHeaderSize);
    for (Integer r = 0; r < Height(); ++r) stream->WriteBuffer(ScanLine(r), rowSize);
}

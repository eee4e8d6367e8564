#include "TGA.h"

#include <cstring>
#include <vector>

#include "Streams.h"
#include "SysUtils.h"

namespace {

#pragma pack(push, 1)
struct TTGAHeader {
    Byte idLength;
    Byte colorMapType;
    Byte imageType;
    Byte colorMapSpec[5];
    Word xOrigin;
    Word yOrigin;
    Word width;
    Word height;
    Byte pixelDepth;
    Byte descriptor;
};
#pragma pack(pop)
static_assert(sizeof(TTGAHeader) == 18);

constexpr Byte kTypeEmpty = 0;
constexpr Byte kTypeRaw = 2;
constexpr Byte kTypeRunLength = 10;
constexpr Byte kTopDown = 0x20;

[[noreturn]] void RaiseShortRead() { throw EReadError(L"Stream read error"); }

Int64 Remaining(TStream* stream) { return stream->Size() - stream->Position(); }

// Fills out with run-length packets read from the stream; a packet running past the end of
// the buffer is cut there.
void DecodeRunLength(TStream* stream, Byte* out, size_t size, int pixelSize) {
    size_t done = 0;
    Byte pixel[4];
    while (done < size) {
        Byte h;
        stream->ReadBuffer(&h, 1);
        const size_t count = size_t(h & 127) + 1;
        const size_t bytes = std::min(count * pixelSize, size - done);
        if (h & 128) {
            stream->ReadBuffer(pixel, pixelSize);
            for (size_t i = 0; i < bytes; ++i) out[done + i] = pixel[i % pixelSize];
        } else {
            stream->ReadBuffer(out + done, Integer(bytes));
        }
        done += bytes;
    }
}

}  // namespace

void TTGAImage::LoadFromStream(TStream* stream) {
    TTGAHeader header;
    stream->ReadBuffer(&header, sizeof(header));
    if (header.colorMapType != 0) throw ETGAException(L"ColorMapped TGA unsupported");
    TPixelFormat format;
    if (header.pixelDepth == 24)
        format = pf24bit;
    else if (header.pixelDepth == 32)
        format = pf32bit;
    else
        throw ETGAException(L"Unsupported TGA ImageType");
    if (header.imageType != kTypeEmpty && header.imageType != kTypeRaw && header.imageType != kTypeRunLength)
        throw ETGAException(L"Unsupported TGA ImageType " + IntToStr(Integer(header.imageType)));

    const int pixelSize = header.pixelDepth / 8;
    const Integer width = header.width, height = header.height;
    const size_t rowSize = size_t(width) * pixelSize;
    const size_t dataSize = rowSize * height;
    const bool bottomUp = (header.descriptor & kTopDown) == 0;

    if (header.idLength > Remaining(stream)) RaiseShortRead();
    stream->Seek(header.idLength, soCurrent);

    // Refuse what the remaining bytes cannot hold before the pixel memory is taken: raw rows
    // need their bytes, and a run-length packet of 1 + pixelSize bytes yields 128 pixels at most.
    const Int64 remaining = Remaining(stream);
    if (header.imageType == kTypeRaw && Int64(dataSize) > remaining) RaiseShortRead();
    if (header.imageType == kTypeRunLength && Int64(width) * height > (remaining + pixelSize) / (1 + pixelSize) * 128)
        RaiseShortRead();

    SetSize(0, 0);
    SetPixelFormat(format);
    if (header.imageType == kTypeEmpty || width == 0 || height == 0) {
        Changed(this);
        return;
    }
    SetSize(width, height);

    auto target = [&](Integer i) { return bottomUp ? height - 1 - i : i; };
    if (header.imageType == kTypeRaw) {
        for (Integer i = 0; i < height; ++i) stream->ReadBuffer(ScanLine(target(i)), Integer(rowSize));
    } else {
        std::vector<Byte> buffer(dataSize);
        DecodeRunLength(stream, buffer.data(), dataSize, pixelSize);
        for (Integer i = 0; i < height; ++i)
            std::memcpy(ScanLine(target(i)), buffer.data() + size_t(i) * rowSize, rowSize);
    }
    Changed(this);
}

void TTGAImage::SaveToStream(TStream* stream) {
    TTGAHeader header{};
    if (PixelFormat() == pf24bit)
        header.pixelDepth = 24;
    else if (PixelFormat() == pf32bit)
        header.pixelDepth = 32;
    else
        throw ETGAException(L"Unsupported Bitmap format");
    // The header holds 16-bit sizes; a larger bitmap cannot be written without corrupting it.
    if (Width() > 0xFFFF || Height() > 0xFFFF) throw ETGAException(L"Bitmap too large for TGA");
    header.imageType = kTypeRaw;
    header.width = Word(Width());
    header.height = Word(Height());
    stream->WriteBuffer(&header, sizeof(header));
    const Integer rowSize = Width() * header.pixelDepth / 8;
    for (Integer row = Height() - 1; row >= 0; --row) stream->WriteBuffer(ScanLine(row), rowSize);
}

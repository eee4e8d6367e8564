#include "dxSkinStreams.h"

#include <algorithm>
#include <cstring>

#include "SysUtils.h"
#include "dxSkinsStrs.h"

namespace {

const char skinSignature[6] = {'d', 'x', 'S', 'k', 'i', 'n'};

TdxSkinPartStream* sharedPartStream = nullptr;

[[noreturn]] void RaiseSkinStreamReadError() { throw EReadError(L"Stream read error"); }

}  // namespace

Int64 SkinStreamBytesLeft(TStream* stream) { return std::max<Int64>(0, stream->Size() - stream->Position()); }

void CheckSkinStreamCount(TStream* stream, Int64 count, Int64 recordSize) {
    if (count > 0 && count > SkinStreamBytesLeft(stream) / recordSize) RaiseSkinStreamReadError();
}

String ReadSkinString(TStream* stream) {
    const Integer length = ReadSkinInteger(stream);
    if (length <= 0) return String();
    CheckSkinStreamCount(stream, length, 1);
    AnsiString bytes(size_t(length), '\0');
    stream->ReadBuffer(bytes.data(), length);
    return AnsiToString(bytes);
}

void WriteSkinString(TStream* stream, const String& value) {
    const AnsiString bytes = StringToAnsi(value);
    WriteSkinInteger(stream, Integer(bytes.size()));
    if (!bytes.empty()) stream->WriteBuffer(bytes.data(), Integer(bytes.size()));
}

Integer ReadSkinInteger(TStream* stream) {
    Byte bytes[4] = {};
    stream->Read(bytes, 4);
    Integer value;
    std::memcpy(&value, bytes, 4);
    return value;
}

void WriteSkinInteger(TStream* stream, Integer value) { stream->WriteBuffer(&value, 4); }

Byte ReadSkinByte(TStream* stream) {
    Byte value = 0;
    stream->Read(&value, 1);
    return value;
}

void WriteSkinByte(TStream* stream, Byte value) { stream->WriteBuffer(&value, 1); }

Integer ReadSkinCount(TStream* stream) { return std::max<Integer>(0, ReadSkinInteger(stream)); }

Integer ReadSkinValue(TStream* stream) {
    Integer value = 0;
    stream->ReadBuffer(&value, 4);
    return value;
}

bool IsSkinPngLayoutSound(const Byte* data, size_t size) {
    static const Byte signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (size < 8 || std::memcmp(data, signature, 8) != 0) return false;
    for (size_t at = 8; at + 12 <= size;) {
        const size_t length =
            size_t(data[at]) << 24 | size_t(data[at + 1]) << 16 | size_t(data[at + 2]) << 8 | data[at + 3];
        if (length > size - at - 12) return false;
        if (std::memcmp(data + at + 4, "IEND", 4) == 0) return true;
        at += 12 + length;
    }
    return false;
}

void ReadSkinHeader(TStream* stream, double& version) {
    stream->Seek(4, soCurrent);
    char signature[6] = {};
    if (stream->Read(signature, 6) != 6 || std::memcmp(signature, skinSignature, 6) != 0)
        throw EdxSkin(ResolveResourceString(&sdxSkinInvalidStreamFormat));
    double stored = 0;
    stream->ReadBuffer(&stored, 8);
    version = stored;
}

void WriteSkinHeader(TStream* stream) {
    WriteSkinInteger(stream, Integer(sizeof(skinSignature)));
    stream->WriteBuffer(skinSignature, Integer(sizeof(skinSignature)));
    const double version = dxSkinStreamVersion;
    stream->WriteBuffer(&version, 8);
}

void CheckSkinVersion(double version) {
    // Any version from 1.0 on is read; NaN counts as older.
    if (!(version >= 1.0)) throw EdxSkin(ResolveResourceString(&sdxSkinVersionMismatch));
}

// ---- TdxSkinPartStream ---------------------------------------------------------------------

void TdxSkinPartStream::SetBounds(TStream* source, Int64 posStart, Int64 posEnd) {
    source_ = source;
    posStart_ = posStart;
    posEnd_ = std::max(posStart, posEnd);
}

Integer TdxSkinPartStream::Read(void* buffer, Integer count) {
    // Only inside the window: a decoder must never read into the record after its picture.
    const Int64 left = posEnd_ - source_->Position();
    if (count <= 0 || left <= 0) return 0;
    return source_->Read(buffer, Integer(std::min<Int64>(count, left)));
}

Integer TdxSkinPartStream::Write(const void* buffer, Integer count) {
    const Integer written = source_->Write(buffer, count);
    posEnd_ = source_->Position();
    return written;
}

Int64 TdxSkinPartStream::Seek(Int64 offset, TSeekOrigin origin) {
    Int64 position;
    switch (origin) {
        case soBeginning:
            position = posStart_ + offset;
            break;
        case soCurrent:
            position = source_->Position() + offset;
            break;
        default:
            position = posEnd_ + offset;
            break;
    }
    position = std::clamp(position, posStart_, posEnd_);
    source_->Seek(position, soBeginning);
    return position - posStart_;
}

TdxSkinPartStream* SharedSkinPartStream() {
    if (!sharedPartStream) sharedPartStream = new TdxSkinPartStream();
    return sharedPartStream;
}

void CreateSharedSkinPartStream() { SharedSkinPartStream(); }

void FreeSharedSkinPartStream() { FreeAndNil(sharedPartStream); }

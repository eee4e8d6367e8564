#pragma once
// The primitives of the skin stream format and the window stream through which a picture is
// read from the middle of a skin stream.
//
// Every number is a little-endian 32-bit integer; a string is its byte count followed by that
// many bytes of ANSI text (a count of 0 or less is the empty string). A skin stream is untrusted
// input: a count, length or size that the bytes left cannot hold raises the platform's stream
// read error before anything is allocated, and a fixed-size field that the stream ends inside
// reads as zero.

#include "Streams.h"
#include "dxSkinsTypes.h"

// Bytes between the stream's position and its end.
Int64 SkinStreamBytesLeft(TStream* stream);
// Raises the stream read error unless count records of at least recordSize bytes each fit in
// what is left of the stream.
void CheckSkinStreamCount(TStream* stream, Int64 count, Int64 recordSize);

String ReadSkinString(TStream* stream);
void WriteSkinString(TStream* stream, const String& value);
// A fixed-size field: what the stream holds of it, the rest zero.
Integer ReadSkinInteger(TStream* stream);
void WriteSkinInteger(TStream* stream, Integer value);
Byte ReadSkinByte(TStream* stream);
void WriteSkinByte(TStream* stream, Byte value);
// A count: negative counts are zero.
Integer ReadSkinCount(TStream* stream);
// A value that must be whole (a property's value): the stream read error when it is not.
Integer ReadSkinValue(TStream* stream);

// Whether the bytes are laid out as a PNG: the signature, then chunks that each fit in what is
// left, up to the closing IEND chunk. Decoders that trust a chunk's length read past the data.
bool IsSkinPngLayoutSound(const Byte* data, size_t size);

// Skips the 4-byte signature length, checks "dxSkin" and reads the version; EdxSkin "Invalid
// stream format" when the signature is wrong or short.
void ReadSkinHeader(TStream* stream, double& version);
void WriteSkinHeader(TStream* stream);
// EdxSkin with the version-mismatch message for data older than 1.0.
void CheckSkinVersion(double version);

// A window [PosStart, PosEnd) onto another stream: positions are relative to PosStart and
// reading stops at PosEnd, so that a picture decoder sees exactly the picture's bytes.
class TdxSkinPartStream : public TStream {
    Z_CLASS(TdxSkinPartStream, TStream)
public:
    TdxSkinPartStream() = default;
    void SetBounds(TStream* source, Int64 posStart, Int64 posEnd);
    TStream* Source() const { return source_; }
    Int64 PosStart() const { return posStart_; }
    Int64 PosEnd() const { return posEnd_; }

    Integer Read(void* buffer, Integer count) override;
    // Writes to the source and moves the window's end to where the source ends up.
    Integer Write(const void* buffer, Integer count) override;
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    Int64 Size() override { return posEnd_ - posStart_; }

private:
    TStream* source_ = nullptr;
    Int64 posStart_ = 0;
    Int64 posEnd_ = 0;
};

// The one window stream the image reader uses; made at the skins' start-up.
TdxSkinPartStream* SharedSkinPartStream();
void CreateSharedSkinPartStream();
void FreeSharedSkinPartStream();

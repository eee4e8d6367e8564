#pragma once
// The tagged archive's abstract reader and writer, their value tags and their class references.
//
// An archive is a flat stream of values, each a one-byte tag followed by its payload, all numbers
// little-endian. The tags are the value types of the platform's binary component streams, so the
// same byte means the same thing in both. Raw bytes written with Write carry no tag.

#include "Streams.h"
#include "SysObject.h"

// Value tags of the archive.
enum TArchiveTag : Byte {
    atListEnd = 0,
    atList = 1,
    atInt8 = 2,
    atInt16 = 3,
    atInt32 = 4,
    atExtended = 5,  // 10 bytes of 80-bit extended precision
    atString = 6,    // length byte, then the bytes
    atFalse = 8,
    atTrue = 9,
    atLString = 12,     // 4-byte length, then the bytes
    atWString = 18,     // 4-byte character count, then UTF-16
    atUTF8String = 20,  // 4-byte byte count, then UTF-8 (read, never written)
};

class TVirtualReader;
class TVirtualWriter;

// Class references of readers and writers: their virtual constructor takes the stream.
class TVirtualReaderMeta : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    virtual TVirtualReader* CreateReader(TStream* stream) const = 0;
};
class TVirtualWriterMeta : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    virtual TVirtualWriter* CreateWriter(TStream* stream) const = 0;
};
using TVirtualReaderClass = const TVirtualReaderMeta*;
using TVirtualWriterClass = const TVirtualWriterMeta*;

template <class C>
class TMetaClassOf<TVirtualReaderMeta, C> final : public TVirtualReaderMeta {
public:
    using TVirtualReaderMeta::TVirtualReaderMeta;
    TVirtualReader* CreateReader(TStream* stream) const override;
};
template <class C>
class TMetaClassOf<TVirtualWriterMeta, C> final : public TVirtualWriterMeta {
public:
    using TVirtualWriterMeta::TVirtualWriterMeta;
    TVirtualWriter* CreateWriter(TStream* stream) const override;
};

// Reads values from a stream it does not own.
class TVirtualReader : public TObject {
    Z_CLASS_FAMILY(TVirtualReader, TObject, TVirtualReaderMeta)
public:
    explicit TVirtualReader(TStream* stream) : stream_(stream) {}
    TStream* Stream() const { return stream_; }

    // Raw bytes; a short read raises EReadError rather than leave the buffer half filled.
    virtual void Read(void* buffer, Integer count) = 0;
    // The next tag, not consumed; EReadError at the end of the stream.
    virtual Byte PeekValueTag() = 0;
    virtual Integer ReadInteger() = 0;
    virtual bool ReadBoolean() = 0;
    virtual AnsiString ReadString() = 0;
    virtual Extended ReadFloat() = 0;
    virtual void ReadListBegin() = 0;
    virtual void ReadListEnd() = 0;
    virtual bool AtListEnd() = 0;

    // Bytes left between the position and the end of the stream.
    Int64 RemainingBytes();
    // Raises EReadError unless count items of itemSize bytes can still be in the stream: counts
    // and sizes come from the data and must not drive an allocation or a read past it.
    void CheckPayload(Int64 count, Int64 itemSize);
    // EReadError "<reader class>, read type error".
    [[noreturn]] void RaiseReadTypeError();

protected:
    TStream* stream_;
};

// Writes values to a stream it does not own.
class TVirtualWriter : public TObject {
    Z_CLASS_FAMILY(TVirtualWriter, TObject, TVirtualWriterMeta)
public:
    explicit TVirtualWriter(TStream* stream) : stream_(stream) {}
    TStream* Stream() const { return stream_; }

    virtual void Write(const void* buffer, Integer count) = 0;
    virtual void WriteInteger(Integer value) = 0;
    virtual void WriteBoolean(bool value) = 0;
    virtual void WriteString(const AnsiString& value) = 0;
    virtual void WriteFloat(Extended value) = 0;
    virtual void WriteListBegin() = 0;
    virtual void WriteListEnd() = 0;

protected:
    TStream* stream_;
};

// A new C on stream; an abstract class cannot be made.
template <class C, class Result>
Result* CreateOnStream(const TMetaClass& cls, TStream* stream) {
    if constexpr (std::is_abstract_v<C>)
        throw EInvalidOperation(L"Cannot create an instance of " + cls.ClassName());
    else
        return new C(stream);
}

template <class C>
TVirtualReader* TMetaClassOf<TVirtualReaderMeta, C>::CreateReader(TStream* stream) const {
    return CreateOnStream<C, TVirtualReader>(*this, stream);
}

template <class C>
TVirtualWriter* TMetaClassOf<TVirtualWriterMeta, C>::CreateWriter(TStream* stream) const {
    return CreateOnStream<C, TVirtualWriter>(*this, stream);
}

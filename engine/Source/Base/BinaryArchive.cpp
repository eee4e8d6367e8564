#include "BinaryArchive.h"

#include <cstring>

#include "SysUtils.h"

// ---- TVirtualReader --------------------------------------------------------------------------

Int64 TVirtualReader::RemainingBytes() {
    Int64 position = stream_->Position();
    Int64 size = stream_->Size();
    return size > position ? size - position : 0;
}

void TVirtualReader::CheckPayload(Int64 count, Int64 itemSize) {
    if (count < 0 || itemSize < 0 || (itemSize > 0 && count > RemainingBytes() / itemSize))
        throw EReadError(ClassName() + L", count or size beyond the data");
}

void TVirtualReader::RaiseReadTypeError() { throw EReadError(ClassName() + L", read type error"); }

// ---- TBinaryReader ---------------------------------------------------------------------------

void TBinaryReader::Read(void* buffer, Integer count) { stream_->ReadBuffer(buffer, count); }

Byte TBinaryReader::ReadTag() {
    Byte tag;
    stream_->ReadBuffer(&tag, 1);
    return tag;
}

Byte TBinaryReader::PeekValueTag() {
    Int64 position = stream_->Position();
    Byte tag = ReadTag();
    stream_->SetPosition(position);
    return tag;
}

Integer TBinaryReader::ReadInteger() {
    switch (ReadTag()) {
        case atInt8: {
            std::int8_t v;
            Read(&v, 1);
            return v;
        }
        case atInt16: {
            std::int16_t v;
            Read(&v, 2);
            return v;
        }
        case atInt32: {
            std::int32_t v;
            Read(&v, 4);
            return v;
        }
        default:
            RaiseReadTypeError();
    }
}

bool TBinaryReader::ReadBoolean() {
    switch (ReadTag()) {
        case atFalse:
            return false;
        case atTrue:
            return true;
        default:
            RaiseReadTypeError();
    }
}

Integer TBinaryReader::ReadLength(Integer itemSize) {
    Integer n;
    Read(&n, 4);
    CheckPayload(n, itemSize);
    return n;
}

AnsiString TBinaryReader::ReadString() {
    switch (ReadTag()) {
        case atString: {
            Byte n;
            Read(&n, 1);
            AnsiString s(n, '\0');
            Read(s.data(), n);
            return s;
        }
        case atLString: {
            AnsiString s(ReadLength(1), '\0');
            Read(s.data(), Integer(s.size()));
            return s;
        }
        case atWString: {
            String w(ReadLength(2), L'\0');
            Read(w.data(), Integer(w.size() * 2));
            return StringToAnsi(w);
        }
        case atUTF8String: {
            AnsiString s(ReadLength(1), '\0');
            Read(s.data(), Integer(s.size()));
            return StringToAnsi(DecodeArchiveUTF8(s));
        }
        default:
            RaiseReadTypeError();
    }
}

Extended TBinaryReader::ReadFloat() {
    if (ReadTag() != atExtended) RaiseReadTypeError();
    static_assert(sizeof(Extended) >= 10, "Extended must hold the 80-bit format");
    Extended x = 0;
    Read(&x, 10);
    return x;
}

void TBinaryReader::ReadListBegin() {
    if (ReadTag() != atList) RaiseReadTypeError();
}

void TBinaryReader::ReadListEnd() {
    if (ReadTag() != atListEnd) RaiseReadTypeError();
}

bool TBinaryReader::AtListEnd() { return PeekValueTag() == atListEnd; }

// ---- TBinaryWriter ---------------------------------------------------------------------------

void TBinaryWriter::Write(const void* buffer, Integer count) { stream_->WriteBuffer(buffer, count); }

void TBinaryWriter::WriteInteger(Integer value) {
    if (value >= -128 && value <= 127) {
        WriteTag(atInt8);
        std::int8_t v = std::int8_t(value);
        Write(&v, 1);
    } else if (value >= -32768 && value <= 32767) {
        WriteTag(atInt16);
        std::int16_t v = std::int16_t(value);
        Write(&v, 2);
    } else {
        WriteTag(atInt32);
        Write(&value, 4);
    }
}

void TBinaryWriter::WriteBoolean(bool value) { WriteTag(value ? atTrue : atFalse); }

void TBinaryWriter::WriteString(const AnsiString& value) { WriteAnsiString(value); }

void TBinaryWriter::WriteAnsiString(const AnsiString& value) {
    Integer n = Integer(value.size());
    if (n < 256) {
        WriteTag(atString);
        Byte b = Byte(n);
        Write(&b, 1);
    } else {
        WriteTag(atLString);
        Write(&n, 4);
    }
    Write(value.data(), n);
}

void TBinaryWriter::WriteWideString(const String& value) {
    WriteTag(atWString);
    Integer n = Integer(value.size());
    Write(&n, 4);
    Write(value.data(), n * 2);
}

void TBinaryWriter::WriteFloat(Extended value) {
    WriteTag(atExtended);
    Write(&value, 10);
}

void TBinaryWriter::WriteListBegin() { WriteTag(atList); }

void TBinaryWriter::WriteListEnd() { WriteTag(atListEnd); }

// ---- UTF-8 -----------------------------------------------------------------------------------

String DecodeArchiveUTF8(const AnsiString& bytes) {
    constexpr wchar_t replacement = 0xFFFD;
    String out;
    out.reserve(bytes.size());
    size_t i = 0, n = bytes.size();
    while (i < n) {
        Byte lead = Byte(bytes[i++]);
        if (lead < 0x80) {
            out += wchar_t(lead);
            continue;
        }
        int trailing;
        UInt64 code;
        if (lead < 0xC0) {  // a trailing byte where a lead was due
            out += replacement;
            continue;
        } else if (lead < 0xE0) {
            trailing = 1, code = lead & 0x1F;
        } else if (lead < 0xF0) {
            trailing = 2, code = lead & 0x0F;
        } else if (lead < 0xF8) {
            trailing = 3, code = lead & 0x07;
        } else if (lead < 0xFC) {
            trailing = 4, code = lead & 0x03;
        } else {
            trailing = 5, code = lead & 0x03;
        }
        if (n - i < size_t(trailing)) {
            out += replacement;
            break;
        }
        for (int k = 0; k < trailing; ++k) code = (code << 6) | (Byte(bytes[i++]) & 0x3F);
        if (code > 0x10FFFF) {
            out += replacement;
        } else if (code > 0xFFFF) {
            code -= 0x10000;
            out += wchar_t(0xD800 + (code >> 10));
            out += wchar_t(0xDC00 + (code & 0x3FF));
        } else {
            out += wchar_t(code);
        }
    }
    return out;
}

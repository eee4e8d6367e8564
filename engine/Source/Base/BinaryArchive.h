#pragma once
// The binary archive: every archive of the system is written and read by these two.
//
// Integers take their smallest tagged form (2, 3 or 5 bytes), strings a short form below 256
// bytes and a long form above, floats the 10 bytes of an 80-bit extended.

#include "VirtualArchive.h"

class TBinaryReader : public TVirtualReader {
    Z_CLASS(TBinaryReader, TVirtualReader)
public:
    using TVirtualReader::TVirtualReader;

    void Read(void* buffer, Integer count) override;
    Byte PeekValueTag() override;
    // Accepts every integer form, whatever the writer chose.
    Integer ReadInteger() override;
    bool ReadBoolean() override;
    // Short, long, wide and UTF-8 strings; wide text is converted to the ANSI code page.
    AnsiString ReadString() override;
    Extended ReadFloat() override;
    void ReadListBegin() override;
    void ReadListEnd() override;
    bool AtListEnd() override;

private:
    Byte ReadTag();
    // A 4-byte length of items of itemSize bytes, checked against what the stream still holds.
    Integer ReadLength(Integer itemSize);
};

class TBinaryWriter : public TVirtualWriter {
    Z_CLASS(TBinaryWriter, TVirtualWriter)
public:
    using TVirtualWriter::TVirtualWriter;

    void Write(const void* buffer, Integer count) override;
    void WriteInteger(Integer value) override;
    void WriteBoolean(bool value) override;
    void WriteString(const AnsiString& value) override;  // as WriteAnsiString
    void WriteFloat(Extended value) override;
    void WriteListBegin() override;
    void WriteListEnd() override;

    virtual void WriteAnsiString(const AnsiString& value);
    virtual void WriteWideString(const String& value);

private:
    void WriteTag(Byte tag) { Write(&tag, 1); }
};

// UTF-8 to UTF-16 by the lead-byte rule (C0-DF one, E0-EF two, F0-F7 three, F8-FB four, FC-FF
// five trailing bytes); trailing bytes are taken as they come. A truncated sequence, a stray
// trailing byte or a code point beyond U+10FFFF becomes U+FFFD.
String DecodeArchiveUTF8(const AnsiString& bytes);

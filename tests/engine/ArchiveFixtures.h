#pragma once
// Byte helpers and small persistent classes for the archive and list tests.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "PersistentClasses.h"

// Bytes from a list of values 0..255, for golden archives.
inline AnsiString Bytes(std::initializer_list<int> values) {
    AnsiString s;
    for (int v : values) s += char(Byte(v));
    return s;
}

// "02 00 01 ..." for readable failure messages.
inline std::string HexDump(const AnsiString& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[Byte(c) >> 4];
        out += digits[Byte(c) & 15];
    }
    return out;
}

#define EXPECT_BYTES(actual, expected) EXPECT_EQ(HexDump(actual), HexDump(expected))

// What the binary writer makes of one call.
template <class F>
AnsiString Written(F&& write) {
    TStringStream stream;
    TBinaryWriter writer(&stream);
    write(writer);
    return stream.DataString();
}

// A persistent record with a version-1 archive (name, number, value) that counts its live
// instances and the order in which list reading created and filled them.
class TArchiveRecord : public TPersistentObject {
    Z_CLASS(TArchiveRecord, TPersistentObject)
public:
    TArchiveRecord() { ++live; }
    TArchiveRecord(AnsiString name, Integer number) : name_(std::move(name)), number_(number) { ++live; }
    ~TArchiveRecord() override { --live; }

    const AnsiString& Name() const { return name_; }
    Integer Number() const { return number_; }
    void SetNumber(Integer value) { number_ = value; }

    void WriteToArchive(TVirtualWriter* writer) override {
        inherited::WriteToArchive(writer);
        writer->WriteInteger(1);
        writer->WriteString(name_);
        writer->WriteInteger(number_);
    }
    void ReadFromArchive(TVirtualReader* reader) override {
        inherited::ReadFromArchive(reader);
        Integer version = reader->ReadInteger();
        if (version != 1) RaiseArchiveVersionError(version);
        name_ = reader->ReadString();
        number_ = reader->ReadInteger();
        readOrder.push_back("read " + name_);
    }

    static inline int live = 0;
    static inline std::vector<std::string> readOrder;

private:
    AnsiString name_;
    Integer number_ = 0;
};

// A record that differs only by class.
class TOtherRecord : public TArchiveRecord {
    Z_CLASS(TOtherRecord, TArchiveRecord)
public:
    using TArchiveRecord::TArchiveRecord;
};

// A record stored behind a signature.
class TSignedRecord : public TArchiveRecord {
    Z_CLASS(TSignedRecord, TArchiveRecord)
public:
    using TArchiveRecord::TArchiveRecord;
    AnsiString Signature() const override { return "ZRC1"; }
};

// Registers the record classes for reading by name (idempotent).
inline void RegisterArchiveRecords() { RegisterClasses({TArchiveRecord::StaticClass(), TOtherRecord::StaticClass()}); }

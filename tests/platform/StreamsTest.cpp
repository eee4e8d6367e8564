#include <gtest/gtest.h>

#include <cstring>

#include "Streams.h"
#include "TestSupport.h"

namespace {

TEST(MemoryStream, WriteSeekReadWithThreeOrigins) {
    TMemoryStream s;
    const char text[] = "0123456789";
    s.WriteBuffer(text, 10);
    EXPECT_EQ(s.Size(), 10);
    EXPECT_EQ(s.Position(), 10);
    EXPECT_EQ(s.Seek(-3, soEnd), 7);
    EXPECT_EQ(s.Seek(-2, soCurrent), 5);
    char two[2];
    s.ReadBuffer(two, 2);
    EXPECT_EQ(std::memcmp(two, "56", 2), 0);
    EXPECT_EQ(s.Seek(1, soBeginning), 1);
    s.WriteBuffer("ab", 2);
    EXPECT_EQ(std::memcmp(s.Memory(), "0ab3456789", 10), 0);
    // Writing past the end leaves zeros in the gap and grows the stream.
    s.SetPosition(12);
    s.WriteBuffer("Z", 1);
    ASSERT_EQ(s.Size(), 13);
    EXPECT_EQ(static_cast<char*>(s.Memory())[10], 0);
    EXPECT_EQ(static_cast<char*>(s.Memory())[12], 'Z');
    s.SetSize(4);
    EXPECT_EQ(s.Position(), 4);
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Memory(), nullptr);
}

TEST(MemoryStream, ShortReadRaisesReadErrorButReadReturnsCount) {
    TMemoryStream s;
    s.WriteBuffer("abc", 3);
    s.SetPosition(1);
    char buffer[8];
    EXPECT_EQ(s.Read(buffer, 8), 2);
    EXPECT_EQ(s.Read(buffer, 8), 0);
    s.SetPosition(0);
    try {
        s.ReadBuffer(buffer, 4);
        FAIL() << "a short read must raise";
    } catch (const EReadError& e) {
        EXPECT_EQ(Utf8(e.Message()), "Stream read error");
    }
    s.SetPosition(100);  // beyond the end reads nothing
    EXPECT_EQ(s.Read(buffer, 1), 0);
    Integer value = 0;
    s.SetPosition(0);
    EXPECT_THROW(s.ReadData(value), EReadError);
}

TEST(MemoryStream, CopyFromWholeAndPart) {
    TStringStream source("hello world");
    source.SetPosition(6);
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(&source, 5), 5);
    EXPECT_EQ(std::string(static_cast<char*>(target.Memory()), 5), "world");
    TMemoryStream whole;
    EXPECT_EQ(whole.CopyFrom(&source, 0), 11);  // 0: everything from the beginning
    EXPECT_EQ(std::string(static_cast<char*>(whole.Memory()), 11), "hello world");
    source.SetPosition(8);
    EXPECT_THROW(target.CopyFrom(&source, 5), EReadError);
}

TEST(StringStream, DataStringHoldsTheBytesWritten) {
    TStringStream s("abc");
    EXPECT_EQ(s.Position(), 0);
    s.Seek(0, soEnd);
    s.WriteString("\xC0\xFF");
    EXPECT_EQ(s.DataString(), "abc\xC0\xFF");
    s.SetPosition(1);
    EXPECT_EQ(s.ReadString(100), "bc\xC0\xFF");
}

TEST(FileStream, CreateWriteReopenAndLoad) {
    TTempFolder temp;
    String name = temp.File(L"данные.bin");
    {
        TFileStream f(name, fmCreate);
        f.WriteData(Integer(0x12345678));
        f.WriteBuffer("tail", 4);
        EXPECT_EQ(f.Size(), 8);
        f.SetSize(6);
    }
    {
        TFileStream f(name, fmOpenRead | fmShareDenyWrite);
        EXPECT_EQ(f.Size(), 6);
        Integer value = 0;
        f.ReadData(value);
        EXPECT_EQ(value, 0x12345678);
        char rest[4];
        EXPECT_EQ(f.Read(rest, 4), 2);
        EXPECT_EQ(f.FileName(), name);
    }
    TMemoryStream m;
    m.LoadFromFile(name);
    EXPECT_EQ(m.Size(), 6);
    m.SaveToFile(temp.File(L"copy.bin"));
    EXPECT_EQ(FileBytes(temp.File(L"copy.bin")).size(), 6u);
}

TEST(FileStream, OpenFailuresNameTheFileAndTheReason) {
    TTempFolder temp;
    String missing = temp.File(L"missing.txt");
    try {
        TFileStream f(missing, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        std::string message = Utf8(e.Message());
        EXPECT_EQ(message.rfind("Cannot open file \"" + Utf8(missing) + "\". ", 0), 0u) << message;
        EXPECT_GT(message.size(), Utf8(missing).size() + 22) << "the system's reason is missing";
    }
    EXPECT_THROW(TFileStream(temp.File(L"no\\such\\folder.txt"), fmCreate), EFCreateError);
}

TEST(FileStream, ShareModesDecideWhoElseMayOpen) {
    TTempFolder temp;
    String name = temp.File(L"shared.txt");
    { TFileStream create(name, fmCreate); }

    {
        TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
        EXPECT_THROW(TFileStream(name, fmOpenWrite | fmShareDenyNone), EFOpenError);
        EXPECT_THROW(TFileStream(name, fmOpenReadWrite | fmShareDenyNone), EFOpenError);
        TFileStream secondReader(name, fmOpenRead | fmShareDenyNone);  // reading is still allowed
    }
    {
        TFileStream exclusive(name, fmOpenReadWrite | fmShareExclusive);
        EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
    }
    {
        TFileStream open(name, fmOpenReadWrite | fmShareDenyNone);
        TFileStream writer(name, fmOpenWrite | fmShareDenyNone);
        writer.WriteBuffer("x", 1);
    }
}

TEST(ResourceStream, ReadsAModuleResourceAndRejectsAMissingOne) {
    TResourceStream r(GetModuleHandleW(nullptr), L"GREETING", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    ASSERT_GE(r.Size(), 15);
    char text[15];
    r.ReadBuffer(text, 15);
    EXPECT_EQ(std::string(text, 15), "Hello, resource");
    EXPECT_THROW(r.Write("x", 1), EStreamError);
    try {
        TResourceStream missing(GetModuleHandleW(nullptr), L"NOTHERE", RT_RCDATA);
        FAIL();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(Utf8(e.Message()), "Resource NOTHERE not found");
    }
}

}  // namespace

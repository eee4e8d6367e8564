#include <gtest/gtest.h>

#include <memory>

#include "IniFiles.h"
#include "Streams.h"
#include "TestSupport.h"

namespace {

using V = std::vector<String>;

const char kSample[] =
    "[GENERAL]\r\n"
    "CountBlocks=12\r\n"
    "Hex=0x1F\r\n"
    "Dollar=$10\r\n"
    "Junk=12abc\r\n"
    "Empty=\r\n"
    "Scale=1.5\r\n"
    "Bad=1.5.5\r\n"
    "On=1\r\n"
    "Off=0\r\n"
    "Word=yes\r\n"
    "Name = Level one \r\n"
    "[BLOCK1]\r\n"
    "X=3\r\n";

void WriteSample(const String& fileName) {
    TFileStream f(fileName, fmCreate);
    f.WriteBuffer(kSample, Integer(sizeof kSample - 1));
}

// Both kinds read the same file the same way.
class IniReading : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        WriteSample(temp.File(L"level.ini"));
        if (GetParam())
            ini = std::make_unique<TMemIniFile>(temp.File(L"level.ini"));
        else
            ini = std::make_unique<TIniFile>(temp.File(L"level.ini"));
    }
    TTempFolder temp;
    std::unique_ptr<TCustomIniFile> ini;
};

TEST_P(IniReading, MissingAndUnparsableValuesGiveTheDefault) {
    EXPECT_EQ(ini->ReadInteger(L"GENERAL", L"CountBlocks", -1), 12);
    EXPECT_EQ(ini->ReadInteger(L"general", L"countblocks", -1), 12);
    EXPECT_EQ(ini->ReadInteger(L"GENERAL", L"Hex", -1), 31);
    EXPECT_EQ(ini->ReadInteger(L"GENERAL", L"Dollar", -1), 16);
    EXPECT_EQ(ini->ReadInteger(L"GENERAL", L"Junk", -1), -1);
    EXPECT_EQ(ini->ReadInteger(L"GENERAL", L"Empty", -1), -1);
    EXPECT_EQ(ini->ReadInteger(L"GENERAL", L"Missing", 7), 7);
    EXPECT_EQ(ini->ReadInteger(L"NOSECTION", L"X", 8), 8);

    TFormatSettings saved = FormatSettings;
    FormatSettings.DecimalSeparator = L'.';
    EXPECT_DOUBLE_EQ(ini->ReadFloat(L"GENERAL", L"Scale", 9), 1.5);
    EXPECT_DOUBLE_EQ(ini->ReadFloat(L"GENERAL", L"Bad", 9), 9);
    EXPECT_DOUBLE_EQ(ini->ReadFloat(L"GENERAL", L"Empty", 9), 9);
    EXPECT_DOUBLE_EQ(ini->ReadFloat(L"GENERAL", L"Missing", 9), 9);
    // Under a comma locale a value written with '.' still reads.
    FormatSettings.DecimalSeparator = L',';
    EXPECT_DOUBLE_EQ(ini->ReadFloat(L"GENERAL", L"Scale", 9), 1.5);
    FormatSettings = saved;

    EXPECT_TRUE(ini->ReadBool(L"GENERAL", L"On", false));
    EXPECT_FALSE(ini->ReadBool(L"GENERAL", L"Off", true));
    EXPECT_TRUE(ini->ReadBool(L"GENERAL", L"Word", true));  // not a number: the default
    EXPECT_FALSE(ini->ReadBool(L"GENERAL", L"Word", false));
    EXPECT_TRUE(ini->ReadBool(L"GENERAL", L"Missing", true));

    EXPECT_EQ(ini->ReadString(L"GENERAL", L"Name", L"?"), L"Level one");
    EXPECT_EQ(ini->ReadString(L"GENERAL", L"Empty", L"?"), L"");
    EXPECT_EQ(ini->ReadString(L"GENERAL", L"Missing", L"?"), L"?");
}

TEST_P(IniReading, SectionsAndKeys) {
    TStringList list;
    ini->ReadSections(&list);
    EXPECT_EQ(Lines(list), (V{L"GENERAL", L"BLOCK1"}));
    ini->ReadSection(L"BLOCK1", &list);
    EXPECT_EQ(Lines(list), (V{L"X"}));
    ini->ReadSectionValues(L"block1", &list);
    EXPECT_EQ(Lines(list), (V{L"X=3"}));
    EXPECT_TRUE(ini->SectionExists(L"block1"));
    EXPECT_FALSE(ini->SectionExists(L"BLOCK2"));
    EXPECT_TRUE(ini->ValueExists(L"GENERAL", L"hex"));
    EXPECT_FALSE(ini->ValueExists(L"GENERAL", L"nothing"));

    ini->DeleteKey(L"GENERAL", L"Hex");
    EXPECT_FALSE(ini->ValueExists(L"GENERAL", L"Hex"));
    ini->EraseSection(L"BLOCK1");
    EXPECT_FALSE(ini->SectionExists(L"BLOCK1"));
}

TEST_P(IniReading, WritesReadBackAfterUpdate) {
    ini->WriteInteger(L"GENERAL", L"CountBlocks", 13);
    ini->WriteString(L"NEW", L"Name", L"Блок");
    ini->WriteBool(L"NEW", L"Flag", true);
    ini->WriteFloat(L"NEW", L"Size", 2.25);
    TMemoryStream bytes;
    bytes.WriteBuffer("\x01\xAB\xFF", 3);
    ini->WriteBinaryStream(L"NEW", L"Data", &bytes);
    ini->UpdateFile();

    TMemIniFile reread(temp.File(L"level.ini"));
    EXPECT_EQ(reread.ReadInteger(L"GENERAL", L"CountBlocks", 0), 13);
    EXPECT_EQ(reread.ReadInteger(L"GENERAL", L"Hex", 0), 31);  // the rest is kept
    EXPECT_TRUE(reread.ReadBool(L"NEW", L"Flag", false));
    EXPECT_DOUBLE_EQ(reread.ReadFloat(L"NEW", L"Size", 0), 2.25);
    EXPECT_EQ(reread.ReadString(L"NEW", L"Data", L""), L"01ABFF");
    TMemoryStream back;
    EXPECT_EQ(reread.ReadBinaryStream(L"NEW", L"Data", &back), 3);
    EXPECT_EQ(std::string(static_cast<char*>(back.Memory()), 3), "\x01\xAB\xFF");
    EXPECT_EQ(reread.ReadBinaryStream(L"NEW", L"Name", &back), 0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, IniReading, testing::Values(false, true), [](const testing::TestParamInfo<bool>& info) {
    return info.param ? "TMemIniFile" : "TIniFile";
});

TEST(IniFile, RelativeNamesAreMadeAbsolute) {
    TTempFolder temp;
    String saved = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(temp.Path()));
    {
        TIniFile ini(L"relative.ini");
        EXPECT_EQ(ini.FileName(), temp.File(L"relative.ini"));
        ini.WriteString(L"S", L"K", L"V");
    }
    SetCurrentDir(saved);
    EXPECT_TRUE(FileExists(temp.File(L"relative.ini")));  // not in the Windows folder
    TIniFile again(temp.File(L"relative.ini"));
    EXPECT_EQ(again.ReadString(L"S", L"K", L""), L"V");
}

TEST(IniFile, WriteToAMissingFolderRaises) {
    TTempFolder temp;
    TIniFile ini(temp.File(L"no\\such\\folder\\x.ini"));
    EXPECT_THROW(ini.WriteString(L"S", L"K", L"V"), EIniFileException);
    EXPECT_EQ(ini.ReadString(L"S", L"K", L"default"), L"default");
}

TEST(MemIniFile, WithoutAFileItIsAStoreOfItsOwn) {
    TMemIniFile snapshot(L"");
    snapshot.WriteInteger(L"fmMain.dxBarManager.Main", L"Version", 42);
    snapshot.WriteString(L"fmMain.dxBarManager.Bar0", L"Caption", L"Файл");
    snapshot.WriteString(L"fmMain.dxBarManager.Bar0", L"Caption", L"Файл 2");
    snapshot.UpdateFile();  // nothing to write to: nothing happens
    EXPECT_EQ(snapshot.ReadInteger(L"FMMAIN.DXBARMANAGER.MAIN", L"version", 0), 42);
    TStringList lines;
    snapshot.GetStrings(&lines);
    EXPECT_EQ(Lines(lines), (V{L"[fmMain.dxBarManager.Main]", L"Version=42", L"", L"[fmMain.dxBarManager.Bar0]",
                               L"Caption=Файл 2", L""}));
    TMemIniFile copy(L"");
    copy.SetStrings(&lines);
    EXPECT_EQ(copy.ReadString(L"fmMain.dxBarManager.Bar0", L"Caption", L""), L"Файл 2");
}

TEST(MemIniFile, KeepsTextTheAnsiCodePageCannotHold) {
    TTempFolder temp;
    {
        TMemIniFile ini(temp.File(L"wide.ini"));
        ini.WriteString(L"S", L"Text", L"\u4E2D\u6587 Блок");
        ini.UpdateFile();
    }
    TMemIniFile back(temp.File(L"wide.ini"));
    EXPECT_EQ(back.ReadString(L"S", L"Text", L""), L"\u4E2D\u6587 Блок");
}

TEST(MemIniFile, OddLinesInTheFile) {
    TStringList lines;
    lines.SetText(
        L"orphan=before any section\n"
        L"; a comment\n"
        L"  [ Spaced ]  \n"
        L"  key  =  value with blanks  \n"
        L"noequals\n"
        L"[unterminated\n"
        L"=no name\n"
        L"[Second]\n"
        L"a=1\n"
        L"A=2\n");
    TMemIniFile ini(L"");
    ini.SetStrings(&lines);
    TStringList list;
    ini.ReadSections(&list);
    EXPECT_EQ(Lines(list), (V{L"Spaced", L"Second"}));
    EXPECT_EQ(ini.ReadString(L"spaced", L"KEY", L""), L"value with blanks");
    EXPECT_EQ(ini.ReadString(L"Spaced", L"orphan", L"none"), L"none");
    ini.ReadSection(L"Spaced", &list);
    EXPECT_EQ(Lines(list), (V{L"key"}));                // lines without a name are not keys
    EXPECT_EQ(ini.ReadInteger(L"Second", L"a", 0), 1);  // the first of two spellings wins
}

}  // namespace

// The registry and INI files kept in it, checked against the system's own registry calls.

#include <gtest/gtest.h>

#include "Registry.h"
#include "Streams.h"
#include "SysUtils.h"
#include "TestSupport.h"

namespace {

class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
        path = L"Software\\ZarnikTests\\Registry" + IntToStr(Integer(GetCurrentProcessId())) + L"_" +
               IntToStr(Integer(GetTickCount() & 0xFFFFFF));
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str()); }

    // The referee: the system's own reading of a value.
    DWORD RawType(const String& key, const String& name) {
        DWORD type = REG_NONE;
        if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                         nullptr) != ERROR_SUCCESS)
            return REG_NONE;
        return type;
    }
    std::vector<BYTE> RawData(const String& key, const String& name) {
        DWORD size = 0;
        RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, nullptr, nullptr, &size);
        std::vector<BYTE> data(size);
        RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, nullptr, data.data(),
                     &size);
        data.resize(size);
        return data;
    }
    String RawString(const String& key, const String& name) {
        std::vector<BYTE> data = RawData(key, name);
        return String(reinterpret_cast<const wchar_t*>(data.data()));
    }
    void SetRaw(const String& key, const String& name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), type, data, size), ERROR_SUCCESS);
    }
    static std::vector<String> Sorted(const TStrings& list) {
        std::vector<String> lines = Lines(list);
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    String path;
};

}  // namespace

TEST_F(RegistryTest, TypedValuesAreWhatTheSystemReadsAndWrites) {
    String key = path + L"\\Типы";
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(L"\\" + key, true));
    reg.WriteString(L"Имя", L"Редактор Zarnik");
    reg.WriteInteger(L"Count", -7);
    reg.WriteBool(L"On", true);
    const BYTE bytes[] = {0, 1, 0xFE};
    reg.WriteBinaryData(L"Bytes", bytes, 3);
    reg.WriteExpandString(L"Path", L"%TEMP%\\уровни");

    EXPECT_EQ(RawType(key, L"Имя"), DWORD(REG_SZ));
    EXPECT_EQ(Utf8(RawString(key, L"Имя")), "Редактор Zarnik");
    EXPECT_EQ(RawType(key, L"Count"), DWORD(REG_DWORD));
    EXPECT_EQ(RawData(key, L"Count"), (std::vector<BYTE>{0xF9, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(RawData(key, L"On"), (std::vector<BYTE>{1, 0, 0, 0}));
    EXPECT_EQ(RawType(key, L"Bytes"), DWORD(REG_BINARY));
    EXPECT_EQ(RawData(key, L"Bytes"), (std::vector<BYTE>{0, 1, 0xFE}));
    EXPECT_EQ(RawType(key, L"Path"), DWORD(REG_EXPAND_SZ));
    EXPECT_EQ(Utf8(RawString(key, L"Path")), "%TEMP%\\уровни");

    // Values the system wrote read back through the class.
    const wchar_t text[] = L"Уровень";
    SetRaw(key, L"RawText", REG_SZ, text, sizeof(text));
    DWORD number = 42;
    SetRaw(key, L"RawNumber", REG_DWORD, &number, sizeof(number));
    ULONGLONG wide = 1;
    SetRaw(key, L"RawWide", REG_QWORD, &wide, sizeof(wide));
    EXPECT_EQ(Utf8(reg.ReadString(L"RawText")), "Уровень");
    EXPECT_EQ(reg.ReadInteger(L"RawNumber"), 42);
    EXPECT_TRUE(reg.ReadBool(L"On"));
    BYTE back[8] = {};
    EXPECT_EQ(reg.ReadBinaryData(L"Bytes", back, 8), 3);
    EXPECT_EQ(back[2], 0xFE);
    EXPECT_EQ(reg.GetDataType(L"Path"), rdExpandString);
    EXPECT_EQ(reg.GetDataType(L"RawWide"), rdUnknown);
    EXPECT_EQ(reg.GetDataSize(L"RawText"), int(sizeof(text)));
    EXPECT_EQ(reg.GetDataSize(L"Nothing"), -1);

    // Wrong types and missing values.
    EXPECT_EQ(ClassAndMessageOf([&] { reg.ReadInteger(L"RawWide"); }),
              "ERegistryException: Invalid data type for 'RawWide'");
    EXPECT_EQ(MessageOf([&] { reg.ReadString(L"Count"); }), "Invalid data type for 'Count'");
    EXPECT_EQ(MessageOf([&] { reg.ReadInteger(L"Nothing"); }), "Failed to get data for 'Nothing'");
    EXPECT_EQ(reg.ReadString(L"Nothing"), L"");

    TStringList names;
    reg.GetValueNames(&names);
    EXPECT_EQ(Sorted(names).size(), 8u);
    EXPECT_TRUE(reg.DeleteValue(L"RawWide"));
    EXPECT_FALSE(reg.ValueExists(L"RawWide"));
}

TEST_F(RegistryTest, KeysOpenFromTheOpenKeyOrFromTheRootAndGoWithEverythingBelow) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(L"\\" + path, true));
    ASSERT_TRUE(reg.OpenKey(L"Первый\\Второй", true));
    EXPECT_EQ(Utf8(reg.CurrentPath()), Utf8(path + L"\\Первый\\Второй"));
    EXPECT_TRUE(reg.CreateKey(L"Третий"));
    EXPECT_TRUE(reg.KeyExists(L"\\" + path + L"\\Первый\\Второй\\Третий"));
    // A key that cannot be opened leaves the open one as it was.
    EXPECT_FALSE(reg.OpenKey(L"Нет", false));
    EXPECT_EQ(Utf8(reg.CurrentPath()), Utf8(path + L"\\Первый\\Второй"));

    ASSERT_TRUE(reg.OpenKey(L"\\" + path, false));
    TStringList keys;
    reg.GetKeyNames(&keys);
    EXPECT_EQ(Lines(keys), (std::vector<String>{L"Первый"}));

    // A read-only key refuses writes.
    ASSERT_TRUE(reg.OpenKeyReadOnly(L"\\" + path + L"\\Первый"));
    EXPECT_EQ(MessageOf([&] { reg.WriteString(L"x", L"y"); }), "Failed to set data for 'x'");

    // Deleting takes the sub-keys and closes the open key inside them.
    ASSERT_TRUE(reg.OpenKey(L"\\" + path + L"\\Первый\\Второй", false));
    EXPECT_TRUE(reg.DeleteKey(L"\\" + path + L"\\Первый"));
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_FALSE(reg.KeyExists(L"\\" + path + L"\\Первый"));
    EXPECT_FALSE(reg.DeleteKey(L"\\"));
    EXPECT_EQ(MessageOf([&] { reg.ValueExists(L"x"); }), "No registry key is open");
}

TEST_F(RegistryTest, AnIniFileKeepsSectionsAsKeysAndTypedEntriesAsValues) {
    String file = path + L"\\Layout";
    TRegistryIniFile ini(file);
    ini.WriteString(L"Main", L"Caption", L"Панель");
    ini.WriteInteger(L"Main", L"BarCount", 3);
    ini.WriteBool(L"Bar0\\ItemLink0", L"Visible", true);
    TMemoryStream glyph;
    glyph.WriteBuffer("\x01\x02\x03", 3);
    glyph.SetPosition(0);
    ini.WriteBinaryStream(L"Bar0\\ItemLink0", L"UserGlyph", &glyph);
    // A section with a leading backslash is a key path from the root.
    ini.WriteInteger(L"\\" + path + L"\\Absolute\\", L"Version", 42);

    EXPECT_EQ(RawType(file + L"\\Main", L"BarCount"), DWORD(REG_DWORD));
    EXPECT_EQ(Utf8(RawString(file + L"\\Main", L"Caption")), "Панель");
    EXPECT_EQ(RawData(file + L"\\Bar0\\ItemLink0", L"Visible"), (std::vector<BYTE>{1, 0, 0, 0}));
    EXPECT_EQ(RawData(file + L"\\Bar0\\ItemLink0", L"UserGlyph"), (std::vector<BYTE>{1, 2, 3}));
    EXPECT_EQ(RawType(path + L"\\Absolute", L"Version"), DWORD(REG_DWORD));

    // Numbers read back as numbers or text; a number written as text by someone else reads too.
    EXPECT_EQ(ini.ReadInteger(L"Main", L"BarCount", 0), 3);
    EXPECT_EQ(Utf8(ini.ReadString(L"Main", L"BarCount", L"")), "3");
    const wchar_t hex[] = L"0x10";
    SetRaw(file + L"\\Main", L"Hex", REG_SZ, hex, sizeof(hex));
    EXPECT_EQ(ini.ReadInteger(L"Main", L"Hex", 0), 16);
    EXPECT_TRUE(ini.ReadBool(L"Bar0\\ItemLink0", L"Visible", false));
    TMemoryStream read;
    EXPECT_EQ(ini.ReadBinaryStream(L"Bar0\\ItemLink0", L"UserGlyph", &read), 3);
    EXPECT_EQ(ini.ReadInteger(L"\\" + path + L"\\Absolute", L"Version", 0), 42);
    // Missing sections and entries give the defaults.
    EXPECT_EQ(ini.ReadInteger(L"Nowhere", L"x", -1), -1);
    EXPECT_EQ(Utf8(ini.ReadString(L"Main", L"Nothing", L"по умолчанию")), "по умолчанию");

    TStringList list;
    ini.ReadSections(&list);
    EXPECT_EQ(Sorted(list), (std::vector<String>{L"Bar0", L"Main"}));
    ini.ReadSection(L"Main", &list);
    EXPECT_EQ(Sorted(list), (std::vector<String>{L"BarCount", L"Caption", L"Hex"}));
    ini.ReadSectionValues(L"Main", &list);
    EXPECT_EQ(Sorted(list), (std::vector<String>{L"BarCount=3", L"Caption=Панель", L"Hex=0x10"}));
    EXPECT_TRUE(ini.ValueExists(L"Main", L"Caption"));
    EXPECT_TRUE(ini.SectionExists(L"Bar0\\ItemLink0"));

    ini.DeleteKey(L"Main", L"Hex");
    EXPECT_FALSE(ini.ValueExists(L"Main", L"Hex"));
    ini.EraseSection(L"Bar0");
    EXPECT_FALSE(ini.SectionExists(L"Bar0\\ItemLink0"));
    ini.EraseSection(L"\\" + path + L"\\Absolute\\");
    EXPECT_EQ(RawType(path + L"\\Absolute", L"Version"), DWORD(REG_NONE));
    ini.ReadSections(&list);
    EXPECT_EQ(Lines(list), (std::vector<String>{L"Main"}));
}

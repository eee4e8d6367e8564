#include <gtest/gtest.h>

#include "Format.h"
#include "SysUtils.h"
#include "TestSupport.h"

namespace {

TEST(Strings, TrimAndCase) {
    EXPECT_EQ(Trim(L" \t ab c \r\n"), L"ab c");
    EXPECT_EQ(TrimLeft(L"  x "), L"x ");
    EXPECT_EQ(TrimRight(L"  x \x01"), L"  x");
    EXPECT_EQ(Trim(L"   "), L"");
    // The plain forms touch ASCII letters only; the Ansi forms follow the locale.
    EXPECT_EQ(UpperCase(L"abcЖж"), L"ABCЖж");
    EXPECT_EQ(LowerCase(L"ABCЖж"), L"abcЖж");
    EXPECT_EQ(AnsiUpperCase(L"abcЖж"), L"ABCЖЖ");
    EXPECT_EQ(AnsiLowerCase(L"ABCЖж"), L"abcжж");
}

TEST(Strings, Comparisons) {
    EXPECT_EQ(CompareText(L"Abc", L"aBC"), 0);
    EXPECT_TRUE(SameText(L"dxBarManager", L"DXBARMANAGER"));
    EXPECT_FALSE(SameText(L"Ж", L"ж"));  // only ASCII folds
    EXPECT_LT(CompareText(L"abc", L"ABD"), 0);
    EXPECT_GT(CompareText(L"abcd", L"ABC"), 0);
    EXPECT_LT(CompareStr(L"ABC", L"abc"), 0);  // code units: upper case first
    EXPECT_NE(CompareStr(L"a", L"A"), 0);
    EXPECT_EQ(AnsiCompareText(L"Жук", L"жУК"), 0);
    EXPECT_TRUE(AnsiSameText(L"Ёлка", L"ёЛКА"));
    EXPECT_LT(AnsiCompareText(L"apple", L"Banana"), 0);  // the locale ignores case when sorting
    EXPECT_NE(AnsiCompareStr(L"a", L"A"), 0);
}

TEST(Integers, StrToIntAcceptsDecimalAndHexadecimal) {
    struct Case {
        const wchar_t* text;
        Integer value;
    } cases[] = {
        {L"0", 0},
        {L"42", 42},
        {L"-17", -17},
        {L"+5", 5},
        {L"  12", 12},
        {L"0x1F", 31},
        {L"0XfF", 255},
        {L"$10", 16},
        {L"-$10", -16},
        {L"-0x10", -16},
        {L"2147483647", 2147483647},
        {L"-2147483648", Integer(-2147483647 - 1)},
        {L"$FFFFFFFF", -1},
        {L"0x80000000", Integer(0x80000000u)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StrToInt(c.text), c.value) << Utf8(c.text);
        EXPECT_EQ(StrToIntDef(c.text, 99), c.value) << Utf8(c.text);
    }
}

TEST(Integers, InvalidTextRaisesOrGivesTheDefault) {
    const wchar_t* invalid[] = {L"",  L" ",          L"12 ",         L"1.5",         L"abc", L"0x",  L"$",
                                L"-", L"2147483648", L"-2147483649", L"0x100000000", L"12a", L"1e3", L"--1"};
    for (const wchar_t* text : invalid) {
        EXPECT_EQ(StrToIntDef(text, -7), -7) << Utf8(text);
        Integer value = 5;
        EXPECT_FALSE(TryStrToInt(text, value)) << Utf8(text);
        try {
            StrToInt(text);
            ADD_FAILURE() << "no error for " << Utf8(text);
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), String(L"'") + text + L"' is not a valid integer value");
        }
    }
    EXPECT_EQ(StrToInt64(L"9223372036854775807"), 9223372036854775807LL);
    EXPECT_THROW(StrToInt64(L"9223372036854775808"), EConvertError);
    EXPECT_EQ(StrToInt64(L"$FFFFFFFFFFFFFFFF"), -1);
}

TEST(Integers, ToText) {
    EXPECT_EQ(IntToStr(-2147483647 - 1), L"-2147483648");
    EXPECT_EQ(IntToStr(Int64(1) << 40), L"1099511627776");
    EXPECT_EQ(IntToHex(255, 4), L"00FF");
    EXPECT_EQ(IntToHex(-1, 2), L"FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(0, 0), L"0");
}

TEST(Floats, TextUsesTheSettingsDecimalSeparator) {
    TFormatSettings comma;
    comma.DecimalSeparator = L',';
    TFormatSettings point = TFormatSettings::Invariant();
    EXPECT_EQ(FloatToStr(0.1, point), L"0.1");
    EXPECT_EQ(FloatToStr(1.5, comma), L"1,5");
    EXPECT_EQ(FloatToStr(-2.0, point), L"-2");
    EXPECT_EQ(FloatToStr(1e20, point), L"1E20");
    EXPECT_EQ(FloatToStr(1.5e-7, point), L"1.5E-7");
    EXPECT_EQ(FloatToStr(0.0001, point), L"0.0001");
    EXPECT_EQ(FloatToStr(123456789012345.0, point), L"123456789012345");
    EXPECT_EQ(FloatToStr(1.0 / 3.0, point), L"0.333333333333333");

    EXPECT_DOUBLE_EQ(double(StrToFloat(L"1,25", comma)), 1.25);
    EXPECT_DOUBLE_EQ(double(StrToFloat(L" -3.5E2 ", point)), -350.0);
    EXPECT_DOUBLE_EQ(double(StrToFloat(L".5", point)), 0.5);
    EXPECT_DOUBLE_EQ(double(StrToFloatDef(L"1.25", 7, comma)), 7.0);  // '.' is not this locale's separator
    EXPECT_DOUBLE_EQ(double(StrToFloatDef(L"1e", 7, point)), 7.0);
    EXPECT_DOUBLE_EQ(double(StrToFloatDef(L"", 7, point)), 7.0);
    EXPECT_DOUBLE_EQ(double(StrToFloatDef(L"1.2.3", 7, point)), 7.0);
    try {
        StrToFloat(L"x1", point);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(Utf8(e.Message()), "'x1' is not a valid floating point value");
    }
}

TEST(Floats, LocaleDateAndTimeFormats) {
    // The designator "tt" or "t" becomes "AMPM"; quoted text passes unchanged.
    EXPECT_EQ(LocaleTimeFormatToRuntime(L"h:mm:ss tt"), L"h:mm:ss AMPM");
    EXPECT_EQ(LocaleTimeFormatToRuntime(L"tt h:mm"), L"AMPM h:mm");
    EXPECT_EQ(LocaleTimeFormatToRuntime(L"HH:mm:ss"), L"HH:mm:ss");
    EXPECT_EQ(LocaleTimeFormatToRuntime(L"H 'ttt' mm t"), L"H 'ttt' mm AMPM");
    const TFormatSettings russian = TFormatSettings::ForLocale(0x419);
    EXPECT_EQ(russian.ShortDateFormat, L"dd.MM.yyyy");
    EXPECT_EQ(russian.LongTimeFormat, L"HH:mm:ss");
    EXPECT_EQ(russian.DateSeparator, L'.');
    EXPECT_EQ(Utf8(russian.LongMonthNames[1]), "февраль");
    const TFormatSettings english = TFormatSettings::ForLocale(0x409);
    EXPECT_EQ(english.ShortDateFormat, L"M/d/yyyy");
    EXPECT_EQ(english.LongTimeFormat, L"h:mm:ss AMPM");
    EXPECT_EQ(english.ShortMonthNames[11], L"Dec");
}

TEST(Format, IntegersStringsAndWidths) {
    struct Case {
        const char* expected;
        String actual;
    } cases[] = {
        {"7", Format(L"%d", {7})},
        {"  7", Format(L"%3d", {7})},
        {"7  |", Format(L"%-3d|", {7})},
        {"007", Format(L"%03d", {7})},
        {"-07", Format(L"%03d", {-7})},
        {"007", Format(L"%.3d", {7})},
        {"3 - box [1 - 9]", Format(L"%d - %s [%d - %d]", {3, L"box", 1, 9})},
        {"FF", Format(L"%x", {255})},
        {"FFFFFFFF", Format(L"%x", {-1})},
        {"00FF", Format(L"%.4X", {255})},
        {"4294967295", Format(L"%u", {-1})},
        {"1099511627776", Format(L"%d", {Int64(1) << 40})},
        {"ab", Format(L"%.2s", {String(L"abc")})},
        {"   ab|ab   ", Format(L"%5s|%-5s", {"ab", L"ab"})},
        {"x", Format(L"%s", {L'x'})},
        {"Tex [2]", Format(L"Tex [%d]", {2})},
        {"100%", Format(L"%d%%", {100})},
        {"b a b", Format(L"%1:s %0:s %s", {L"a", L"b"})},
        {"   42", Format(L"%*d", {5, 42})},
        {"Редактор 1", Format(L"Редактор %d", {1})},
    };
    for (const Case& c : cases) EXPECT_EQ(Utf8(c.actual), c.expected);
    // A pointer prints as all of its hexadecimal digits: 8 on i686, 16 on x86_64.
    EXPECT_EQ(Utf8(Format(L"%p", {reinterpret_cast<const void*>(0xABCD)})),
              std::string(2 * sizeof(void*) - 4, '0') + "ABCD");
}

TEST(Format, FloatsRoundHalfAwayFromZeroInTheSettingsSeparator) {
    TFormatSettings point = TFormatSettings::Invariant();
    TFormatSettings comma;
    comma.DecimalSeparator = L',';
    comma.ThousandSeparator = L' ';
    struct Case {
        const char* expected;
        String actual;
    } cases[] = {
        {"3.14", Format(L"%f", {3.14159}, point)},
        {"3,142", Format(L"%.3f", {3.14159}, comma)},
        {"0.500000", Format(L"%.6f", {0.5}, point)},
        {"0.13", Format(L"%.2f", {0.125}, point)},
        {"-0.13", Format(L"%.2f", {-0.125}, point)},
        {"3", Format(L"%.0f", {2.5}, point)},
        {"0.00", Format(L"%.2f", {-0.001}, point)},
        {"  1.5000", Format(L"%8.4f", {1.5f}, point)},
        {"  1 0.500000 2.250000", Format(L"%3d %.6f %.6f", {1, 0.5, 2.25}, point)},
        {"1 234 568", Format(L"%.0n", {1234567.5}, comma)},
        {"1.50000000000000E+003", Format(L"%e", {1500.0}, point)},
        {"1.50E-002", Format(L"%.3e", {0.015}, point)},
        {"0.1", Format(L"%g", {0.1}, point)},
        {"1E20", Format(L"%g", {1e20}, point)},
        {"1234.5", Format(L"%g", {1234.5L}, point)},
    };
    for (const Case& c : cases) EXPECT_EQ(Utf8(c.actual), c.expected);
}

TEST(Format, MismatchOrMissingArgumentRaises) {
    const String text = L"abc";
    auto check = [](const wchar_t* format, std::initializer_list<TVarRec> args) {
        try {
            Format(format, args);
            ADD_FAILURE() << "no error for " << Utf8(format);
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), String(L"Format '") + format + L"' invalid or incompatible with argument");
        }
    };
    check(L"%d", {text});
    check(L"%d", {1.5});
    check(L"%s", {3});
    check(L"%f", {3});
    check(L"%d %d", {3});
    check(L"%d", {});
    check(L"%", {1});
    check(L"%q", {1});
    check(L"%p", {1});
}

TEST(Conversions, AnsiAndUtf8) {
    String russian = L"Привет";
    EXPECT_EQ(UTF8ToString(UTF8Encode(russian)), russian);
    EXPECT_EQ(UTF8Encode(L"Ж"), "\xD0\x96");
    EXPECT_EQ(AnsiToString(StringToAnsi(L"plain")), L"plain");
    EXPECT_TRUE(CanEncodeAnsi(L"plain text"));
    EXPECT_FALSE(CanEncodeAnsi(L"\u4E2D\u6587 \u0416", 1252));
    EXPECT_TRUE(CanEncodeAnsi(L"Привет", 1251));
    EXPECT_EQ(StringToAnsi(L"Ж", 1251), "\xC6");
}

TEST(Paths, Parts) {
    const String name = L"C:\\Games\\Zarnik\\level.one.ini";
    EXPECT_EQ(ExtractFilePath(name), L"C:\\Games\\Zarnik\\");
    EXPECT_EQ(ExtractFileDir(name), L"C:\\Games\\Zarnik");
    EXPECT_EQ(ExtractFileName(name), L"level.one.ini");
    EXPECT_EQ(ExtractFileExt(name), L".ini");
    EXPECT_EQ(ExtractFileDrive(name), L"C:");
    EXPECT_EQ(ChangeFileExt(name, L".bak"), L"C:\\Games\\Zarnik\\level.one.bak");
    EXPECT_EQ(ChangeFileExt(L"C:\\a.b\\noext", L".txt"), L"C:\\a.b\\noext.txt");
    EXPECT_EQ(ExtractFileExt(L"C:\\a.b\\noext"), L"");
    EXPECT_EQ(ExtractFileDir(L"C:\\file"), L"C:\\");
    EXPECT_EQ(ExtractFilePath(L"file.txt"), L"");
    EXPECT_EQ(ExtractFileName(L"D:file.txt"), L"file.txt");
    EXPECT_EQ(ExtractFileDrive(L"\\\\server\\share\\x"), L"\\\\server\\share");
    EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\x"), L"C:\\x\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\x\\"), L"C:\\x\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter(L"C:\\x\\"), L"C:\\x");
}

TEST(Files, FoldersFilesAndCurrentFolder) {
    TTempFolder temp;
    String deep = temp.File(L"a\\б\\c");
    EXPECT_FALSE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_FALSE(FileExists(deep));  // a folder is not a file
    EXPECT_FALSE(CreateDir(deep));
    EXPECT_TRUE(CreateDir(temp.File(L"new")));

    String saved = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(deep));
    EXPECT_TRUE(SameText(ExcludeTrailingPathDelimiter(GetCurrentDir()), deep));
    EXPECT_EQ(ExpandFileName(L"..\\x.txt"), temp.File(L"a\\б\\x.txt"));
    HANDLE file = CreateFileW(L"f.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    EXPECT_TRUE(FileExists(L"f.txt"));
    EXPECT_TRUE(RenameFile(L"f.txt", L"g.txt"));
    EXPECT_TRUE(DeleteFile(L"g.txt"));
    EXPECT_FALSE(FileExists(L"g.txt"));
    EXPECT_FALSE(DeleteFile(L"g.txt"));
    ASSERT_TRUE(SetCurrentDir(saved));
}

TEST(Files, TheProgramsOwnFolder) {
    String exe = ParamStr(0);
    EXPECT_TRUE(FileExists(exe)) << Utf8(exe);
    EXPECT_TRUE(SameText(ExtractFileName(exe), L"platform_tests.exe"));
    EXPECT_EQ(ProgramFolder(), ExtractFilePath(exe));
    EXPECT_TRUE(DirectoryExists(ProgramFolder()));
}

}  // namespace

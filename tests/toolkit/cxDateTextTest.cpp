// Typed date texts under a fixed clock and an explicit thread locale: smart words with offsets,
// locale dates, the literal words of the formats, calendar texts, and the display text.

#include <gtest/gtest.h>

#include <cmath>

#include "DateTesting.h"
#include "TestSupport.h"
#include "cxDateText.h"
#include "cxDateUtils.h"

namespace {

// A Wednesday in February 2024, 10:30.
const TDateTime kWednesday = DateOf(2024, 2, 14) + 10.5 / 24;

std::string DateText(TDateTime value) {
    if (value == NullDate) return "null";
    Word y, m, d, h, mi, s, ms;
    DecodeDate(value, y, m, d);
    DecodeTime(value, h, mi, s, ms);
    char text[40];
    if (h || mi || s || ms)
        snprintf(text, sizeof(text), "%04d-%02d-%02d %02d:%02d", y, m, d, h, mi);
    else
        snprintf(text, sizeof(text), "%04d-%02d-%02d", y, m, d);
    return text;
}

}  // namespace

TEST(DateText, SmartWordsWithOffsets) {
    TLocaleScope russian(0x419);  // weeks from Monday
    struct Case {
        TDateTime now;
        const wchar_t* text;
        const char* date;
    };
    const TDateTime sunday = DateOf(2024, 2, 18) + 0.25, monday = DateOf(2024, 2, 19) + 0.25;
    const Case cases[] = {
        {kWednesday, L"завтра", "2024-02-15"},  // the comparison ignores case
        {kWednesday, L"СЕГОДНЯ", "2024-02-14"},
        {kWednesday, L"СЕГОДНЯ+5", "2024-02-19"},
        {kWednesday, L"  сегодня  +  5  ", "2024-02-19"},
        {kWednesday, L"ВЧЕРА -1", "2024-02-12"},
        {kWednesday, L"СЕГОДНЯ +", "2024-02-14"},   // a lone sign keeps the word's date
        {kWednesday, L"СЕГОДНЯ +x", "2024-02-14"},  // so does a sign without a number
        {kWednesday, L"СЕГОДНЯ и ещё", "2024-02-14"},
        {kWednesday, L"ЗАВТРА-30", "2024-01-16"},
        {sunday, L"ВОСКРЕСЕНЬЕ", "2024-02-18"},
        {monday, L"ВОСКРЕСЕНЬЕ", "2024-02-25"},
        {kWednesday, L"СРЕДА", "2024-02-14"},
        {kWednesday, L"пятница", "2024-02-16"},
        {kWednesday, L"ВТОРНИК", "2024-02-20"},
        {kWednesday, L"ПЕРВЫЙ", "2024-02-12"},   // Monday two days before
        {kWednesday, L"СЕДЬМОЙ", "2024-02-18"},  // Sunday four days later
        {kWednesday, L"ЧЕТВЕРТЫЙ", "2024-02-15"},
        {kWednesday, L"конец", "2024-02-29"},
        {kWednesday, L"НАЧАЛО", "2024-02-01"},
        {kWednesday, L"ТЕПЕРЬ", "2024-02-14 10:30"},  // the only word that keeps the time
        {kWednesday, L"теперь +1", "2024-02-15 10:30"},
    };
    for (const Case& c : cases) {
        TFixedClock clock(c.now);
        EXPECT_EQ(DateText(TextToDateValue(c.text)), c.date) << Utf8(c.text);
    }
}

TEST(DateText, LocaleDatesAndTheirLimits) {
    TFixedClock clock(kWednesday);
    {
        TLocaleScope russian(0x419);
        struct Case {
            const wchar_t* text;
            const char* date;
        };
        const Case cases[] = {
            {L"29.02.2024", "2024-02-29"},
            {L" 29.02.2024 13:05 ", "2024-02-29 13:05"},
            {L"31.12.9999", "9999-12-31"},
            {L"1.1.10000", "null"},  // a year above 9999
            {L"", "null"},
            {L"   ", "null"},
            {L"\t\r\n", "null"},
            {L"abc", "null"},
        };
        for (const Case& c : cases) EXPECT_EQ(DateText(TextToDateValue(c.text)), c.date) << Utf8(c.text);
        TDateTime value = 1;
        EXPECT_FALSE(TryTextToDate(L"  ", value));
        EXPECT_EQ(value, NullDate);
        EXPECT_TRUE(TryTextToDate(L"ЗАВТРА", value));
        EXPECT_EQ(DateText(value), "2024-02-15");
    }
    {
        TLocaleScope english(0x409);
        EXPECT_EQ(DateText(TextToDateValue(L"2/29/2024")), "2024-02-29");
        EXPECT_EQ(DateText(TextToDateValue(L"2/29/2024 1:05 PM")), "2024-02-29 13:05");
        EXPECT_EQ(DateText(TextToDateValue(L"СЕГОДНЯ")), "2024-02-14");  // the words stay the library's
    }
}

TEST(DateText, LiteralWordsOfTheFormatAreBlankedOut) {
    TLocaleScope russian(0x419);
    FormatSettings.ShortDateFormat = L"dd.MM.yyyy 'г.'";
    FormatControllerInstance()->RecalculateFormats();
    String text = L"29.02.2024 г.";
    PrepareDateText(text);
    EXPECT_EQ(Utf8(text), "29 02 2024");
    text = L"  01.03.2024\t\t  Г. ";
    PrepareDateText(text);
    EXPECT_EQ(Utf8(text), "01 03 2024");  // runs of blanks shrink to their last character
    EXPECT_EQ(DateText(TextToDateValue(L"29.02.2024 г.")), "2024-02-29");
}

TEST(DateText, CalendarDateTexts) {
    TLocaleScope russian(0x419);
    TcxThaiCalendarTable thai;
    TcxCalendarMoment moment;
    ParseCalendarDateText(L"15/6/2567 10:30", {L'/', L"d/M/yyyy"}, &thai, moment);
    EXPECT_EQ(moment.Era, 0);
    EXPECT_EQ(DateText(thai.MomentToValue(moment)), "2024-06-15 10:30");
    ParseCalendarDateText(L"2567/6/15", {L'/', L"yyyy/MM/dd"}, &thai, moment);
    EXPECT_EQ(DateText(thai.MomentToValue(moment)), "2024-06-15");
    ParseCalendarDateText(L"6/15/2567", {L'/', L""}, &thai, moment);  // no letters: month first
    EXPECT_EQ(DateText(thai.MomentToValue(moment)), "2024-06-15");
    // Hebrew numbers in letters: 20 Tevet (month 4) 5784.
    TcxHebrewCalendarTable hebrew;
    ParseCalendarDateText(L"\x05DB \x05D3 \x05EA\x05E9\x05E4\x05F4\x05D3", {L' ', L"d M yyyy"}, &hebrew, moment);
    EXPECT_EQ(DateText(hebrew.MomentToValue(moment)), "2024-01-01");
    // A token that is not a number raises; TextToDateValue turns that into NullDate.
    EXPECT_NE(MessageOf([&] {
                  ParseCalendarDateText(L"x/6/2567", {L'/', L"d/M/yyyy"}, &thai, moment);
              }),
              "(no exception)");
}

TEST(DateText, DisplayText) {
    {
        TLocaleScope russian(0x419);
        EXPECT_EQ(DateToDisplayText(NullDate), L"");
        EXPECT_EQ(Utf8(DateToDisplayText(DateOf(2024, 2, 29))), "29.02.2024");
        EXPECT_EQ(Utf8(DateToDisplayText(DateOf(2024, 2, 29) + (13 + 5.0 / 60) / 24)), "29.02.2024 13:05:00");
        EXPECT_EQ(Utf8(DayOfMonthText(DateOf(2024, 2, 9))), "9");
        String text;
        EXPECT_TRUE(FormatDateLocale(text, 0, L"MMMM", DateOf(2024, 2, 9)));
        EXPECT_EQ(Utf8(text), "февраль");
        TcxGregorianCalendarTable gregorian;
        EXPECT_EQ(Utf8(CalendarMonthNameOf(2024, 2, &gregorian)), "февраль");
        EXPECT_EQ(CalendarMonthNameOf(2024, 13, &gregorian), L"");
        // Values beyond what dates can show give a text or nothing, never an error.
        EXPECT_NO_THROW(DateToDisplayText(1e12));
        EXPECT_NO_THROW(DateToDisplayText(std::nan("")));
    }
    {
        TLocaleScope english(0x409);
        EXPECT_EQ(Utf8(DateToDisplayText(DateOf(2024, 2, 29) + (13 + 5.0 / 60) / 24)), "2/29/2024 1:05:00 PM");
    }
}

TEST(DateText, MutatedTextsGiveADateOrNullAndNeverRaise) {
    TLocaleScope russian(0x419);
    TFixedClock clock(kWednesday);
    static const wchar_t* const pieces[] = {
        L"СЕГОДНЯ", L"конец",       L"ТЕПЕРЬ", L"ПЕРВЫЙ", L"29", L"02",      L"2024",    L"9999",
        L"10000",   L"99999999999", L".",      L"/",      L":",  L"+",       L"-",       L" ",
        L"\t",      L"\r",          L"13:05",  L"PM",     L"г.", L"0",       L"-700000", L"\xD83D\xDE00",
        L"\xD800",  L"Ж",           L"1e308",  L"31",     L"12", L"00:00:00"};
    TTestRandom random(2024);
    int dates = 0;
    for (int i = 0; i < 10000; ++i) {
        String text;
        const std::uint32_t count = random.Next(7);
        for (std::uint32_t k = 0; k < count; ++k) text += pieces[random.Next(std::uint32_t(std::size(pieces)))];
        TDateTime value = 0;
        ASSERT_NO_THROW(value = TextToDateValue(text)) << Utf8(text);
        if (value == NullDate) continue;
        ++dates;
        Word y, m, d;
        DecodeDate(value, y, m, d);
        ASSERT_TRUE(y >= 1 && y <= 9999 && d != 0) << Utf8(text) << " gave " << value;
    }
    EXPECT_GT(dates, 0);
}

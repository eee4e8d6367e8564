// Calendar tables: the factory, eras and year offsets, the Hijri and Hebrew arithmetic (checked
// against dates of the real calendars), moving by months, and two-digit years.

#include <gtest/gtest.h>

#include <memory>

#include "DateTesting.h"
#include "TestSupport.h"
#include "cxCalendarTables.h"
#include "cxDateUtils.h"

namespace {

std::unique_ptr<TcxCustomCalendarTable> Table(int id) {
    return std::unique_ptr<TcxCustomCalendarTable>(CreateCalendarTable(id));
}

std::string Ymd(const TcxCalendarMoment& m) {
    return std::to_string(m.Year) + "-" + std::to_string(m.Month) + "-" + std::to_string(m.Day);
}

// Replaces the lookup of GetCalendarInfoW for the length of a test.
class TCalendarInfoLookup {
public:
    explicit TCalendarInfoLookup(TcxProcedureLookup lookup) : saved_(CalendarInfoProcedureLookup) {
        CalendarInfoProcedureLookup = lookup;
    }
    ~TCalendarInfoLookup() { CalendarInfoProcedureLookup = saved_; }

private:
    TcxProcedureLookup saved_;
};

int WINAPI CalendarInfoAnswering2029(LCID, CALID, CALTYPE type, LPWSTR, int, LPDWORD value) {
    if (type != (CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER) || !value) return 0;
    *value = 2029;
    return 2;
}

int WINAPI CalendarInfoAnswering2049(LCID, CALID, CALTYPE, LPWSTR, int, LPDWORD value) {
    *value = 2049;
    return 2;
}

int WINAPI CalendarInfoFailing(LCID, CALID, CALTYPE, LPWSTR, int, LPDWORD) { return 0; }

}  // namespace

TEST(CalendarTables, FactoryByCalendarId) {
    struct Case {
        int id;
        TClass type;
        int platformId;
        int weekStart;
    };
    const Case cases[] = {
        {1, TcxGregorianCalendarTable::StaticClass(), 1, 0},   {2, TcxGregorianCalendarTable::StaticClass(), 2, 0},
        {9, TcxGregorianCalendarTable::StaticClass(), 9, 1},   {10, TcxGregorianCalendarTable::StaticClass(), 10, 6},
        {11, TcxGregorianCalendarTable::StaticClass(), 11, 1}, {12, TcxGregorianCalendarTable::StaticClass(), 12, 1},
        {3, TcxJapaneseCalendarTable::StaticClass(), 3, 0},    {4, TcxTaiwanCalendarTable::StaticClass(), 4, 0},
        {5, TcxKoreanCalendarTable::StaticClass(), 5, 0},      {6, TcxHijriCalendarTable::StaticClass(), 6, 6},
        {7, TcxThaiCalendarTable::StaticClass(), 7, 0},        {8, TcxHebrewCalendarTable::StaticClass(), 8, 0},
        {99, TcxGregorianCalendarTable::StaticClass(), 1, 0},  {0, TcxGregorianCalendarTable::StaticClass(), 1, 0},
    };
    for (const Case& c : cases) {
        auto table = Table(c.id);
        EXPECT_EQ(table->ClassType(), c.type) << c.id;
        EXPECT_EQ(table->PlatformCalendarId(), c.platformId) << c.id;
        EXPECT_EQ(table->WeekStartDay(), c.weekStart) << c.id;
    }
    EXPECT_TRUE(TcxTaiwanCalendarTable::StaticClass()->InheritsFrom(TcxJapaneseCalendarTable::StaticClass()));
}

TEST(CalendarTables, JapaneseErasSplitAtTheirStart) {
    TcxJapaneseCalendarTable japanese;
    TcxCalendarMoment heisei = japanese.SplitDate(DateOf(1989, 1, 8));
    EXPECT_EQ(heisei.Era, 3);
    EXPECT_EQ(japanese.Eras()->ItemAt(heisei.Era)->Era, 4);
    EXPECT_EQ(heisei.Year, 1);
    TcxCalendarMoment showa = japanese.SplitDate(DateOf(1989, 1, 7));
    EXPECT_EQ(showa.Era, 2);
    EXPECT_EQ(showa.Year, 64);
    EXPECT_DOUBLE_EQ(japanese.MomentToValue(heisei), DateOf(1989, 1, 8));
    EXPECT_DOUBLE_EQ(japanese.MomentToValue(showa), DateOf(1989, 1, 7));
    EXPECT_EQ(japanese.StandardEra(), japanese.Eras()->ItemAt(3));
    EXPECT_DOUBLE_EQ(japanese.LowerDateLimit(), DateOf(1868, 9, 8));
    EXPECT_EQ(japanese.UpperYearLimit(), 8011);
    // Moving by a month across the start of an era lands in the era before.
    const TcxCalendarMoment moved = japanese.SplitDate(japanese.MoveByMonths({3, 1, 1, 8}, -1));
    EXPECT_EQ(moved.Era, 2);
    EXPECT_EQ(Ymd(moved), "63-12-8");
    // An invalid date answers the lower limit instead of raising.
    EXPECT_DOUBLE_EQ(japanese.MomentToValue({3, 1, 2, 30}), japanese.LowerDateLimit());
}

TEST(CalendarTables, OneEraCalendarsOffsetTheirYears) {
    struct Case {
        int id;
        int year;
        int lowerYear, upperYear;
        TDateTime lowerDate;
    };
    const Case cases[] = {
        {7, 2567, 544, 10542, DateOf(1, 1, 1)},   // Thai
        {5, 4357, 2334, 12332, DateOf(1, 1, 1)},  // Korean
        {4, 113, 1, 8088, DateOf(1912, 1, 1)},    // Taiwan
    };
    for (const Case& c : cases) {
        auto table = Table(c.id);
        EXPECT_DOUBLE_EQ(table->MomentToValue({0, c.year, 1, 1}), DateOf(2024, 1, 1)) << c.id;
        const TcxCalendarMoment split = table->SplitDate(DateOf(2024, 6, 15));
        EXPECT_EQ(split.Era, 0) << c.id;
        EXPECT_EQ(split.Year, c.year) << c.id;
        EXPECT_EQ(table->LowerYearLimit(), c.lowerYear) << c.id;
        EXPECT_EQ(table->UpperYearLimit(), c.upperYear) << c.id;
        EXPECT_DOUBLE_EQ(table->LowerDateLimit(), c.lowerDate) << c.id;
        EXPECT_TRUE(table->LeapYearInEra(0, c.year)) << c.id;  // 2024
    }
}

TEST(CalendarTables, GregorianRules) {
    TcxGregorianCalendarTable gregorian;
    EXPECT_DOUBLE_EQ(gregorian.MoveByMonths(gregorian.SplitDate(DateOf(2024, 1, 31)), 1), DateOf(2024, 2, 29));
    EXPECT_DOUBLE_EQ(gregorian.MoveByMonths(gregorian.SplitDate(DateOf(2023, 1, 31)), 1), DateOf(2023, 2, 28));
    EXPECT_DOUBLE_EQ(gregorian.MoveValueByMonths(DateOf(2024, 3, 31), -1), DateOf(2024, 2, 29));
    EXPECT_DOUBLE_EQ(gregorian.MoveValueByMonths(DateOf(2024, 1, 31), 13), DateOf(2025, 2, 28));
    EXPECT_DOUBLE_EQ(gregorian.MoveValueByMonths(DateOf(2024, 1, 15), -25), DateOf(2021, 12, 15));
    EXPECT_DOUBLE_EQ(gregorian.MoveValueByYears(DateOf(2024, 2, 29), 1), DateOf(2025, 2, 28));
    EXPECT_DOUBLE_EQ(gregorian.MoveValueByWeeks(DateOf(2024, 2, 29) + 0.5, 1), DateOf(2024, 3, 7) + 0.5);
    EXPECT_DOUBLE_EQ(gregorian.MoveValueByMonths(DateOf(2024, 1, 15) + 0.25, 1), DateOf(2024, 2, 15) + 0.25);
    // Far moves stay within the supported range.
    EXPECT_DOUBLE_EQ(gregorian.MoveValueByYears(DateOf(2024, 1, 1), 1000000), gregorian.LowerDateLimit());
    EXPECT_DOUBLE_EQ(gregorian.MoveByDays(gregorian.SplitDate(DateOf(9999, 12, 30)), 10), gregorian.UpperDateLimit());
    EXPECT_EQ(gregorian.WeeksPerYear(2022), 53);  // starts on a Saturday
    EXPECT_EQ(gregorian.WeeksPerYear(2023), 52);
    EXPECT_EQ(gregorian.WeeksPerYear(2016), 53);  // a leap year from a Friday
    EXPECT_EQ(gregorian.OrdinalDayOfValue(DateOf(2024, 3, 1)), 61);
    EXPECT_TRUE(gregorian.LeapDayAt(2024, 2, 29));
    EXPECT_FALSE(gregorian.AcceptsDay(2023, 2, 29));
    EXPECT_FALSE(gregorian.AcceptsYear(99));
    EXPECT_DOUBLE_EQ(gregorian.WeekBeginOfValue(DateOf(2024, 2, 14)), DateOf(2024, 2, 11));  // Sunday
    EXPECT_EQ(gregorian.WeekIndexOfValue(1, 1, DateOf(2024, 12, 30)), 1);
}

TEST(CalendarTables, HijriLeapYearsAndMonths) {
    TcxHijriCalendarTable hijri;
    const int leapYears[] = {2, 5, 7, 10, 13, 15, 18, 21, 24, 26, 29};
    int leapCount = 0;
    for (int year = 1; year <= 30; ++year) leapCount += hijri.LeapYearAt(year);
    EXPECT_EQ(leapCount, 11);
    for (int year : leapYears) EXPECT_TRUE(hijri.LeapYearAt(year + 30)) << year;
    EXPECT_EQ(hijri.MonthLength(2, 12), 30);
    EXPECT_EQ(hijri.MonthLength(3, 12), 29);
    EXPECT_EQ(hijri.MonthLength(3, 1), 30);
    EXPECT_EQ(hijri.MonthLength(3, 2), 29);
    EXPECT_EQ(hijri.YearLength(2), 355);
    EXPECT_EQ(hijri.YearLength(3), 354);
    EXPECT_TRUE(hijri.LeapDayAt(2, 12, 30));
    EXPECT_TRUE(hijri.LeapMonthAt(2, 12));
    EXPECT_FALSE(hijri.LeapMonthAt(3, 12));
    // The ends of the supported range are the first and the last day of the calendar.
    EXPECT_EQ(Ymd(hijri.SplitDate(hijri.LowerDateLimit())), "1-1-1");
    EXPECT_EQ(Ymd(hijri.SplitDate(DateOf(9999, 12, 31))), "9666-4-3");
    EXPECT_EQ(Ymd(hijri.SplitDate(DateOf(2024, 7, 7))), "1446-1-1");  // 1 Muharram 1446
}

TEST(CalendarTables, HijriDaysFollowEachOther) {
    TcxHijriCalendarTable hijri;
    TcxCalendarMoment previous = hijri.SplitDate(hijri.LowerDateLimit());
    const TDateTime first = hijri.LowerDateLimit();
    const TDateTime last = StripTimeOfDay(hijri.UpperDateLimit());
    for (TDateTime day = first + 1; day <= last; day += 1) {
        const TcxCalendarMoment m = hijri.SplitDate(day);
        const bool nextDay = m.Year == previous.Year && m.Month == previous.Month && m.Day == previous.Day + 1;
        const bool nextMonth = m.Day == 1 && previous.Day == hijri.MonthLength(previous.Year, previous.Month) &&
                               ((m.Year == previous.Year && m.Month == previous.Month + 1) ||
                                (m.Year == previous.Year + 1 && m.Month == 1 && previous.Month == 12));
        ASSERT_TRUE(nextDay || nextMonth) << Ymd(previous) << " then " << Ymd(m);
        ASSERT_DOUBLE_EQ(hijri.MomentToValue(m), day) << Ymd(m);
        previous = m;
    }
}

TEST(CalendarTables, HebrewYearTableAndDates) {
    const int known[][3] = {{5343, 7, 3},  {5345, 0, 4}, {5760, 23, 6}, {5783, 8, 3},
                            {5784, 20, 4}, {5785, 1, 3}, {5786, 12, 2}, {5999, 24, 6}};
    for (const auto& row : known) {
        ASSERT_NE(HebrewYearRow(row[0]), nullptr);
        EXPECT_EQ(HebrewYearRow(row[0])->JanuaryFirstCode, row[1]) << row[0];
        EXPECT_EQ(HebrewYearRow(row[0])->YearType, row[2]) << row[0];
    }
    EXPECT_EQ(HebrewYearRow(5342), nullptr);
    EXPECT_EQ(HebrewYearRow(6000), nullptr);

    TcxHebrewCalendarTable hebrew;
    struct Case {
        TDateTime date;
        const char* hebrewDate;
    };
    const Case cases[] = {
        {DateOf(2024, 1, 1), "5784-4-20"},   // 20 Tevet 5784
        {DateOf(2023, 9, 16), "5784-1-1"},   // Rosh Hashanah 5784
        {DateOf(2023, 9, 25), "5784-1-10"},  // Yom Kippur
        {DateOf(2024, 4, 23), "5784-8-15"},  // Passover: 15 Nisan, month 8 of a leap year
        {DateOf(2024, 10, 3), "5785-1-1"},   // Rosh Hashanah 5785
        {DateOf(2025, 4, 13), "5785-7-15"},  // Passover of a plain year: month 7
        {DateOf(2000, 1, 1), "5760-4-23"},   {DateOf(1583, 1, 1), "5343-4-7"},
        {DateOf(2239, 9, 29), "5999-13-29"},  // the last day of the table
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Ymd(hebrew.SplitDate(c.date)), c.hebrewDate);
        EXPECT_DOUBLE_EQ(hebrew.MomentToValue(hebrew.SplitDate(c.date)), c.date) << c.hebrewDate;
    }
    // Before the table: invalid, and converted to the first supported day.
    EXPECT_FALSE(hebrew.AcceptsYear(5342));
    EXPECT_DOUBLE_EQ(hebrew.MomentToValue({-1, 5342, 1, 1}), DateOf(1583, 1, 1));
    EXPECT_EQ(Ymd(hebrew.SplitDate(DateOf(1500, 1, 1))), "5343-4-7");  // clamped
    EXPECT_EQ(hebrew.MonthCount(5784), 13);
    EXPECT_EQ(hebrew.MonthCount(5785), 12);
    EXPECT_EQ(hebrew.YearLength(5784), 383);
    EXPECT_EQ(hebrew.YearLength(5783), 355);
    EXPECT_EQ(hebrew.YearLength(5342), 0);
    EXPECT_TRUE(hebrew.LeapMonthAt(5784, 7));
    EXPECT_EQ(HebrewLetterNumber(L"\x05EA\x05E9\x05E4\x05F4\x05D3"), 784);  // tav shin pe dalet
    EXPECT_EQ(hebrew.YearFromText(L"\x05EA\x05E9\x05E4\x05F4\x05D3"), 5784);
    EXPECT_EQ(hebrew.DayFromText(L"\x05DB"), 20);  // kaf
    EXPECT_EQ(hebrew.DayFromText(L"5"), 5);        // digits read as a plain day number
}

TEST(CalendarTables, HebrewDaysFollowEachOther) {
    TcxHebrewCalendarTable hebrew;
    TcxCalendarMoment previous = hebrew.SplitDate(hebrew.LowerDateLimit());
    for (TDateTime day = hebrew.LowerDateLimit() + 1; day <= StripTimeOfDay(hebrew.UpperDateLimit()); day += 1) {
        const TcxCalendarMoment m = hebrew.SplitDate(day);
        const bool nextDay = m.Year == previous.Year && m.Month == previous.Month && m.Day == previous.Day + 1;
        const bool nextMonth =
            m.Day == 1 && previous.Day == hebrew.MonthLength(previous.Year, previous.Month) &&
            ((m.Year == previous.Year && m.Month == previous.Month + 1) ||
             (m.Year == previous.Year + 1 && m.Month == 1 && previous.Month == hebrew.MonthCount(previous.Year)));
        ASSERT_TRUE(nextDay || nextMonth) << Ymd(previous) << " then " << Ymd(m);
        ASSERT_DOUBLE_EQ(hebrew.MomentToValue(m), day) << Ymd(m);
        previous = m;
    }
}

TEST(CalendarTables, TwoDigitYearsWidenByTheCalendarMaximum) {
    TcxGregorianCalendarTable gregorian;
    struct Case {
        TcxProcedureLookup lookup;
        const wchar_t* text;
        int year;
    };
    const Case cases[] = {
        {[](const char*) { return reinterpret_cast<FARPROC>(&CalendarInfoAnswering2029); }, L"24", 2024},
        {[](const char*) { return reinterpret_cast<FARPROC>(&CalendarInfoAnswering2029); }, L"30", 1930},
        {[](const char*) { return reinterpret_cast<FARPROC>(&CalendarInfoAnswering2029); }, L"29", 2029},
        {[](const char*) { return reinterpret_cast<FARPROC>(&CalendarInfoAnswering2049); }, L"30", 2030},
        {[](const char*) { return reinterpret_cast<FARPROC>(&CalendarInfoAnswering2049); }, L"0024", 24},
        // Without the platform's answer the default maximum 2029 stands (not 0, which would
        // make "24" the year -76).
        {[](const char*) -> FARPROC { return nullptr; }, L"24", 2024},
        {[](const char*) -> FARPROC { return nullptr; }, L"30", 1930},
        {[](const char*) { return reinterpret_cast<FARPROC>(&CalendarInfoFailing); }, L"24", 2024},
    };
    for (const Case& c : cases) {
        TCalendarInfoLookup lookup(c.lookup);
        EXPECT_EQ(gregorian.YearFromText(c.text), c.year) << Utf8(c.text);
    }
    EXPECT_EQ(MessageOf([&] { gregorian.YearFromText(L"2x"); }), "'2x' is not a valid integer value");
}

TEST(CalendarTables, MonthAndDayTexts) {
    TLocaleScope russian(0x419);
    TcxGregorianCalendarTable gregorian;
    EXPECT_EQ(gregorian.MonthFromText(2024, L"ФЕВРАЛЬ"), 2);
    EXPECT_EQ(gregorian.MonthFromText(2024, AnsiUpperCase(FormatSettings.ShortMonthNames[2])), 3);
    EXPECT_EQ(gregorian.MonthFromText(2024, L"11"), 11);
    EXPECT_EQ(gregorian.DayFromText(L"7"), 7);
    EXPECT_NE(MessageOf([&] { gregorian.MonthFromText(2024, L"брюмер"); }).find("is not a valid integer"),
              std::string::npos);
}

TEST(CalendarTables, ErasCopyAllTheirFields) {
    TcxEra source(4, DateOf(1989, 1, 8), 1988, 1, 8011);
    TcxEra copy(0, 0, 0, 0, 0);
    copy.Assign(&source);
    EXPECT_EQ(copy.Era, 4);
    EXPECT_DOUBLE_EQ(copy.StartDate, DateOf(1989, 1, 8));
    EXPECT_EQ(copy.YearOffset, 1988);
    EXPECT_EQ(copy.MinEraYear, 1);
    EXPECT_EQ(copy.MaxEraYear, 8011);
}

// The Hebrew calendar for the years 5343 to 5999 (Gregorian 1583 to 2239), from a year table
// that gives each year's length class and the Hebrew date of January 1. Month 1 is the first
// month of the year; a leap year has 13 months, its leap month being month 7.

#include <cmath>

#include "DateUtils.h"
#include "SysUtils.h"
#include "cxHebrewCalendarTable.h"
#include "cxDateText.h"
#include "cxDateUtils.h"

namespace {

const THebrewYearRow kHebrewYears[HebrewTableLastYear - HebrewTableFirstYear + 1] = {
#include "cxHebrewYearTable.inc"
};

// Month lengths by the year's class (deficient, regular, complete), plain and leap.
const int kHebrewMonthLengths[6][13] = {
    {30, 29, 29, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},  {30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {30, 30, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},  {30, 29, 29, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 29, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29}, {30, 30, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
};

constexpr int kHebrewToGregorianYears = 3760;

bool IsHebrewLeapYear(int year) {
    const THebrewYearRow* row = HebrewYearRow(year);
    return row && row->YearType > 3;
}

// 1..3; 0 outside the table.
int HebrewYearClass(int year) {
    const THebrewYearRow* row = HebrewYearRow(year);
    return row ? (row->YearType > 3 ? row->YearType - 3 : row->YearType) : 0;
}

// The Hebrew (month, day) of January 1 from its code.
void HebrewJanuaryFirst(int code, int& month, int& day) {
    switch (code) {
        case 0:
            month = 5, day = 1;
            break;
        case 31:
            month = 5, day = 2;
            break;
        case 32:
            month = 5, day = 3;
            break;
        case 33:
            month = 3, day = 29;
            break;
        case 30:
            month = 3, day = 30;
            break;
        default:
            month = 4, day = code;
            break;
    }
}

// Days from the first day of the year to (month, day) of a year in the table.
int HebrewDayOfYear(int year, int month, int day) {
    const int* lengths = kHebrewMonthLengths[HebrewYearClass(year) - 1 + (IsHebrewLeapYear(year) ? 3 : 0)];
    int result = day - 1;
    for (int m = 1; m < month; ++m) result += lengths[m - 1];
    return result;
}

// The value of day 1 of month 1 of a year in the table, from its January 1 row.
TDateTime HebrewYearStart(int year) {
    int month, day;
    HebrewJanuaryFirst(HebrewYearRow(year)->JanuaryFirstCode, month, day);
    return EncodeDate(Word(year - kHebrewToGregorianYears), 1, 1) - HebrewDayOfYear(year, month, day);
}

}  // namespace

const THebrewYearRow* HebrewYearRow(int hebrewYear) {
    if (hebrewYear < HebrewTableFirstYear || hebrewYear > HebrewTableLastYear) return nullptr;
    return &kHebrewYears[hebrewYear - HebrewTableFirstYear];
}

int HebrewLetterNumber(const String& text) {
    // Alef (U+05D0) to tav (U+05EA), the final forms in their places.
    static const int values[27] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,  20,  20,  30, 40,
                                   40, 50, 50, 60, 70, 80, 80, 90, 90, 100, 200, 300, 400};
    int sum = 0;
    for (WideChar c : text)
        if (c >= 0x05D0 && c <= 0x05EA) sum += values[c - 0x05D0];
    return sum;
}

TcxHebrewCalendarTable::TcxHebrewCalendarTable() : defaultEra_(new TcxEra(-1, NullDate, 0, 1, 9999)) {}

TcxHebrewCalendarTable::~TcxHebrewCalendarTable() { FreeObject(defaultEra_); }

TDateTime TcxHebrewCalendarTable::LowerDateLimit() { return EncodeDate(1583, 1, 1); }

TDateTime TcxHebrewCalendarTable::UpperDateLimit() { return EncodeDate(2239, 9, 29) + EncodeTime(23, 59, 59, 999); }

TcxCalendarMoment TcxHebrewCalendarTable::SplitDate(TDateTime value) {
    ClampToSupported(value);
    const TDateTime day = std::trunc(value);
    Word gregorianYear, gregorianMonth, gregorianDay;
    DecodeDate(day, gregorianYear, gregorianMonth, gregorianDay);
    int year = gregorianYear + kHebrewToGregorianYears;
    if (day < HebrewYearStart(year)) --year;
    TDateTime monthStart = HebrewYearStart(year);
    int month = 1;
    while (day >= monthStart + EraMonthLength(-1, year, month)) {
        monthStart += EraMonthLength(-1, year, month);
        if (++month > EraMonthCount(-1, year)) {
            if (year == HebrewTableLastYear) break;  // not reached inside the supported range
            month = 1;
            ++year;
        }
    }
    TcxCalendarMoment result;
    result.Year = year;
    result.Month = month;
    result.Day = int(day - monthStart) + 1;
    Word h, mi, s, ms;
    DecodeTime(value, h, mi, s, ms);
    result.Hours = Byte(h);
    result.Minutes = Byte(mi);
    result.Seconds = Byte(s);
    result.Milliseconds = ms;
    return result;
}

TDateTime TcxHebrewCalendarTable::MomentToValue(const TcxCalendarMoment& date) {
    if (!AcceptsEraDay(date.Era, date.Year, date.Month, date.Day)) return LowerDateLimit();
    int month, day;
    HebrewJanuaryFirst(HebrewYearRow(date.Year)->JanuaryFirstCode, month, day);
    const TDateTime januaryFirst = EncodeDate(Word(date.Year - kHebrewToGregorianYears), 1, 1);
    const TDateTime value =
        januaryFirst + HebrewDayOfYear(date.Year, date.Month, date.Day) - HebrewDayOfYear(date.Year, month, day);
    TDateTime time = 0;
    if (!TryEncodeTime(date.Hours, date.Minutes, date.Seconds, date.Milliseconds, time)) time = 0;
    return value + time;
}

int TcxHebrewCalendarTable::EraMonthLength(int era, int year, int month) {
    const int yearClass = HebrewYearClass(year);
    if (yearClass == 0 || month < 1 || month > EraMonthCount(era, year)) return 0;
    return kHebrewMonthLengths[yearClass - 1 + (IsHebrewLeapYear(year) ? 3 : 0)][month - 1];
}

int TcxHebrewCalendarTable::EraYearLength(int era, int year) {
    const int yearClass = HebrewYearClass(year);
    if (yearClass == 0) return 0;
    return 352 + yearClass + (IsHebrewLeapYear(year) ? 30 : 0);
}

int TcxHebrewCalendarTable::EraMonthCount(int era, int year) { return IsHebrewLeapYear(year) ? 13 : 12; }

int TcxHebrewCalendarTable::WeekIndexOf(const TcxCalendarMoment& date, int startDay, int rule) {
    return LunarWeekIndexOf(this, date, startDay, rule);
}

bool TcxHebrewCalendarTable::LeapDayInEra(int era, int year, int month, int day) {
    return LeapMonthInEra(era, year, month) && AcceptsEraDay(era, year, month, day);
}

bool TcxHebrewCalendarTable::LeapMonthInEra(int era, int year, int month) {
    return IsHebrewLeapYear(year) && month == 7;
}

bool TcxHebrewCalendarTable::LeapYearInEra(int era, int year) { return IsHebrewLeapYear(year); }

int TcxHebrewCalendarTable::DayFromText(const String& text) {
    const int number = HebrewLetterNumber(text);
    return number != 0 ? number : TcxCustomCalendarTable::DayFromText(text);
}

int TcxHebrewCalendarTable::MonthFromText(int year, const String& text) {
    const int number = HebrewLetterNumber(text);
    if (number >= 1 && number <= EraMonthCount(-1, year)) return number;
    for (int month = 1; month <= 13 && !text.empty(); ++month)
        if (AnsiSameText(CalendarMonthNameOf(year, month, this), text) ||
            AnsiSameText(LocaleDayNumberText(month, this), text))
            return month;
    return TcxCustomCalendarTable::MonthFromText(year, text);
}

int TcxHebrewCalendarTable::YearFromText(const String& text) {
    const int number = HebrewLetterNumber(text);
    return number != 0 ? number + 5000 : TcxCustomCalendarTable::YearFromText(text);
}

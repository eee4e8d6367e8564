// The Gregorian calendar table and the era calendars built on it.
//
// Sections: Gregorian · era calendars.

#include "cxGregorianCalendarTables.h"

#include <cmath>

#include "DateUtils.h"
#include "SysUtils.h"
#include "cxDateUtils.h"

// ---- Gregorian ------------------------------------------------------------------------------

namespace {

// Values the platform's decoding handles (years 1 to 9999).
constexpr TDateTime kFirstDecodableDate = -693593.0;  // 0001-01-01
constexpr TDateTime kPastDecodableDates = 2958466.0;  // 10000-01-01

TDateTime CombineDateAndTime(TDateTime date, const TcxCalendarMoment& moment) {
    TDateTime time = 0;
    if (!TryEncodeTime(moment.Hours, moment.Minutes, moment.Seconds, moment.Milliseconds, time)) time = 0;
    return date >= 0 ? date + time : date - time;
}

}  // namespace

TcxGregorianCalendarTable::TcxGregorianCalendarTable(int calendarId)
    : calendarId_(calendarId), defaultEra_(new TcxEra(-1, NullDate, 0, 1, 9999)) {}

TcxGregorianCalendarTable::~TcxGregorianCalendarTable() { FreeObject(defaultEra_); }

TDateTime TcxGregorianCalendarTable::UpperDateLimit() { return EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59, 999); }

TDateTime TcxGregorianCalendarTable::LowerDateLimit() { return EncodeDate(100, 1, 1); }

TcxCalendarMoment TcxGregorianCalendarTable::SplitDate(TDateTime value) {
    if (!(value >= kFirstDecodableDate && value < kPastDecodableDates)) ClampToSupported(value);
    TcxCalendarMoment result;
    Word y, m, d, h, mi, s, ms;
    DecodeDate(value, y, m, d);
    DecodeTime(value, h, mi, s, ms);
    result.Era = EraAt(y, m, d);
    result.Year = y - EraYearOffset(result.Era);
    result.Month = m;
    result.Day = d;
    result.Hours = Byte(h);
    result.Minutes = Byte(mi);
    result.Seconds = Byte(s);
    result.Milliseconds = ms;
    return result;
}

TDateTime TcxGregorianCalendarTable::MomentToValue(const TcxCalendarMoment& date) {
    if (!AcceptsEraDay(date.Era, date.Year, date.Month, date.Day)) return LowerDateLimit();
    const int year = date.Year + EraYearOffset(date.Era);
    TDateTime value;
    if (year < 1 || year > 9999 || !TryEncodeDate(Word(year), Word(date.Month), Word(date.Day), value))
        return LowerDateLimit();
    return CombineDateAndTime(value, date);
}

int TcxGregorianCalendarTable::EraMonthLength(int era, int year, int month) {
    return MonthDayCount(year + EraYearOffset(era), month);
}

int TcxGregorianCalendarTable::EraYearLength(int era, int year) { return LeapYearInEra(era, year) ? 366 : 365; }

int TcxGregorianCalendarTable::WeekStartDay() {
    switch (calendarId_) {
        case 9:
        case 11:
        case 12:
            return 1;
        case 10:
            return 6;
        default:
            return 0;
    }
}

int TcxGregorianCalendarTable::WeeksPerYear(int year) {
    TDateTime januaryFirst;
    if (!TryEncodeDate(Word(year + EraYearOffset(-1)), 1, 1, januaryFirst)) return 52;
    const int b = ((WeekdayIndexOfValue(januaryFirst) - WeekStartDay()) % 7 + 7) % 7;
    return (LeapYearInEra(-1, year) && b > 4) || b > 5 ? 53 : 52;
}

int TcxGregorianCalendarTable::WeekIndexOf(const TcxCalendarMoment& date, int startDay, int rule) {
    return WeekOfYear(startDay, TcxFirstWeekRule(rule), MomentToValue(date));
}

bool TcxGregorianCalendarTable::LeapDayInEra(int era, int year, int month, int day) {
    return LeapMonthInEra(era, year, month) && day == 29;
}

bool TcxGregorianCalendarTable::LeapMonthInEra(int era, int year, int month) {
    return LeapYearInEra(era, year) && month == 2;
}

bool TcxGregorianCalendarTable::LeapYearInEra(int era, int year) {
    return IsGregorianLeapYear(year + EraYearOffset(era));
}

// ---- era calendars --------------------------------------------------------------------------

TcxJapaneseCalendarTable::TcxJapaneseCalendarTable() : TcxGregorianCalendarTable(3) {
    Eras()->Add(new TcxEra(1, EncodeDate(1868, 9, 8), 1867, 1, 45));
    Eras()->Add(new TcxEra(2, EncodeDate(1912, 7, 30), 1911, 1, 15));
    Eras()->Add(new TcxEra(3, EncodeDate(1926, 12, 25), 1925, 1, 64));
    Eras()->Add(new TcxEra(4, EncodeDate(1989, 1, 8), 1988, 1, 8011));
}

TcxJapaneseCalendarTable::TcxJapaneseCalendarTable(TcxEra* onlyEra) : TcxGregorianCalendarTable(3) {
    Eras()->Add(onlyEra);
}

TDateTime TcxJapaneseCalendarTable::LowerDateLimit() { return Eras()->ItemAt(0)->StartDate; }

int TcxJapaneseCalendarTable::UpperYearLimit() { return StandardEra()->MaxEraYear; }

int TcxJapaneseCalendarTable::LowerYearLimit() { return Eras()->ItemAt(0)->MinEraYear; }

TcxEra* TcxJapaneseCalendarTable::StandardEra() { return Eras()->ItemAt(Eras()->Count() - 1); }

TcxTaiwanCalendarTable::TcxTaiwanCalendarTable()
    : TcxJapaneseCalendarTable(new TcxEra(1, EncodeDate(1912, 1, 1), 1911, 1, 8088)) {}

TcxKoreanCalendarTable::TcxKoreanCalendarTable()
    : TcxJapaneseCalendarTable(new TcxEra(0, EncodeDate(1, 1, 1), -2333, 2334, 12332)) {}

TcxThaiCalendarTable::TcxThaiCalendarTable()
    : TcxJapaneseCalendarTable(new TcxEra(0, EncodeDate(1, 1, 1), -543, 544, 10542)) {}

// The arithmetic Hijri calendar: a 30-year cycle with 11 leap years; odd months have 30 days,
// even months 29, and month 12 of a leap year 30. Also the week numbering of the lunar tables.

#include <cmath>

#include "DateUtils.h"
#include "SysUtils.h"
#include "cxHijriCalendarTable.h"
#include "cxDateText.h"
#include "cxDateUtils.h"

namespace {

constexpr int kHijriDaysBeforeEpoch = 227013;         // days from 0001-01-01 to 1 Muharram 1
constexpr TDateTime kHijriGregorianDayOne = -693593;  // 0001-01-01

bool IsHijriLeapYear(int year) {
    switch (((year % 30) + 30) % 30) {
        case 2:
        case 5:
        case 7:
        case 10:
        case 13:
        case 15:
        case 18:
        case 21:
        case 24:
        case 26:
        case 29:
            return true;
        default:
            return false;
    }
}

// Leap years among 1 .. yearInCycle of a cycle.
int HijriLeapYearsUpTo(int yearInCycle) {
    int count = 0;
    for (int year = 1; year <= yearInCycle; ++year) count += IsHijriLeapYear(year);
    return count;
}

}  // namespace

TcxHijriCalendarTable::TcxHijriCalendarTable() : defaultEra_(new TcxEra(-1, NullDate, 0, 1, 9999)) {}

TcxHijriCalendarTable::~TcxHijriCalendarTable() { FreeObject(defaultEra_); }

// The ends of the calendar's span: 1 Muharram 1 (0622-07-18) to 3 Rabi' II 9666 (9999-12-31).
TDateTime TcxHijriCalendarTable::LowerDateLimit() { return EncodeDate(622, 7, 18); }

TDateTime TcxHijriCalendarTable::UpperDateLimit() { return EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59, 999); }

TcxCalendarMoment TcxHijriCalendarTable::SplitDate(TDateTime value) {
    ClampToSupported(value);
    int n = int(std::trunc(value - kHijriGregorianDayOne + 1)) - kHijriDaysBeforeEpoch;
    const int cycles = (30 * n) / 10631;
    int year = cycles + 1;
    n -= 354 * cycles + cycles / 30 * 11 + HijriLeapYearsUpTo(cycles % 30);
    int month = 1;
    while (MonthLength(year, month) < n) {
        n -= MonthLength(year, month);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    TcxCalendarMoment result;
    if (n <= 0) {  // the estimate overshot by a day: the last day of the year before
        --year;
        month = 12;
        n = MonthLength(year, 12);
    }
    result.Year = year;
    result.Month = month;
    result.Day = n;
    Word h, mi, s, ms;
    DecodeTime(value, h, mi, s, ms);
    result.Hours = Byte(h);
    result.Minutes = Byte(mi);
    result.Seconds = Byte(s);
    result.Milliseconds = ms;
    return result;
}

TDateTime TcxHijriCalendarTable::MomentToValue(const TcxCalendarMoment& date) {
    if (!AcceptsEraDay(date.Era, date.Year, date.Month, date.Day)) return LowerDateLimit();
    const int elapsed = date.Year - 1;
    const TDateTime day = TDateTime(elapsed * 354 + kHijriDaysBeforeEpoch + elapsed / 30 * 11 +
                                    HijriLeapYearsUpTo(elapsed % 30) + OrdinalDayOf(date)) +
                          kHijriGregorianDayOne - 1;
    TDateTime time = 0;
    if (!TryEncodeTime(date.Hours, date.Minutes, date.Seconds, date.Milliseconds, time)) time = 0;
    return day + time;
}

int TcxHijriCalendarTable::EraMonthLength(int era, int year, int month) {
    if (month < 1 || month > 12) return 0;
    if (month == 12 && IsHijriLeapYear(year)) return 30;
    return month % 2 == 1 ? 30 : 29;
}

int TcxHijriCalendarTable::EraYearLength(int era, int year) { return IsHijriLeapYear(year) ? 355 : 354; }

int TcxHijriCalendarTable::WeekIndexOf(const TcxCalendarMoment& date, int startDay, int rule) {
    return LunarWeekIndexOf(this, date, startDay, rule);
}

bool TcxHijriCalendarTable::LeapDayInEra(int era, int year, int month, int day) {
    return LeapMonthInEra(era, year, month) && day == 30;
}

bool TcxHijriCalendarTable::LeapMonthInEra(int era, int year, int month) {
    return IsHijriLeapYear(year) && month == 12;
}

bool TcxHijriCalendarTable::LeapYearInEra(int era, int year) { return IsHijriLeapYear(year); }

int TcxHijriCalendarTable::MonthFromText(int year, const String& text) {
    for (int month = 1; month <= 12 && !text.empty(); ++month)
        if (AnsiSameText(CalendarMonthNameOf(year, month, this), text)) return month;
    return TcxCustomCalendarTable::MonthFromText(year, text);
}

// ---- weeks of the lunar tables --------------------------------------------------------------

int LunarWeekIndexOf(TcxCustomCalendarTable* table, const TcxCalendarMoment& date, int startDay, int rule) {
    if (rule == fwrLocale) rule = LocaleFirstWeekRule();
    TcxCalendarMoment firstDay = date;
    firstDay.Month = 1;
    firstDay.Day = 1;
    firstDay.Hours = firstDay.Minutes = firstDay.Seconds = 0;
    firstDay.Milliseconds = 0;
    TDateTime first = table->WeekBeginFrom(startDay, table->MomentToValue(firstDay));
    if (rule == fwrFullWeek && table->YearOfValue(first) < date.Year) first += 7;
    if (rule == fwrFourDays && table->YearOfValue(first + 3) < date.Year) first += 7;
    const TDateTime value = std::trunc(table->MomentToValue(date));
    const int week = int(std::trunc(value - first)) / 7 + 1;
    if (date.Month == table->EraMonthCount(date.Era, date.Year)) {
        const TDateTime weekStart = table->WeekBeginFrom(startDay, value);
        const int probe = rule == fwrJanuaryFirst ? 6 : rule == fwrFourDays ? 3 : -1;
        if (probe >= 0) {
            const TcxCalendarMoment reached = table->SplitDate(weekStart + probe);
            if (reached.Month == 1 && reached.Year > date.Year) return 1;
        }
    }
    return week;
}

#include "cxDateUtils.h"

#include <cmath>

#include "DateUtils.h"
#include "SysMath.h"
#include "SysUtils.h"
#include "cxCalendarTables.h"
#include "cxFormats.h"
#include "dxCore.h"

void StepMonthBack(Word& year, Word& month) {
    if (month == 1) {
        month = 12;
        --year;
    } else {
        --month;
    }
}

void StepMonthForward(Word& year, Word& month) {
    if (month == 12) {
        month = 1;
        ++year;
    } else {
        ++month;
    }
}

int ShiftMonth(Word& year, Word& month, int delta) {
    const int years = delta / 12;
    int y = year + years;
    int m = month + delta % 12;
    if (m <= 0) {
        --y;
        m += 12;
    } else if (m > 12) {
        ++y;
        m -= 12;
    }
    year = Word(y);
    month = Word(m);
    return years;
}

int DateComponent(TcxDateComponent selector, TcxCustomCalendarTable* table, TDateTime date) {
    int year, month, day;
    if (table) {
        const TcxCalendarMoment moment = table->SplitDate(date);
        year = moment.Year;
        month = moment.Month;
        day = moment.Day;
    } else {
        Word y, m, d;
        DecodeDate(date, y, m, d);
        year = y;
        month = m;
        day = d;
    }
    switch (selector) {
        case dcYear:
            return year;
        case dcMonth:
            return month;
        default:
            return day;
    }
}

bool IsGregorianLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int MonthDayCount(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return days[month - 1] + (month == 2 && IsGregorianLeapYear(year) ? 1 : 0);
}

int ClampDay(int year, int month, int day) {
    if (day <= 0) return 1;
    const int last = MonthDayCount(year, month);
    return day > last ? last : day;
}

namespace {
constexpr Extended kDateMSecsPerDay = 86400000.0;
}

TDateTime TimeOfDayPart(TDateTime date) {
    const Int64 total = Round(Extended(date) * kDateMSecsPerDay);
    return TDateTime(std::llabs(total) % Int64(kDateMSecsPerDay)) / TDateTime(kDateMSecsPerDay);
}

TDateTime StripTimeOfDay(TDateTime date) {
    return TDateTime(Round(Extended(date) * kDateMSecsPerDay) / Int64(kDateMSecsPerDay));
}

int DayIndexInWeek(TDateTime date) {
    int index = DayOfWeek(date) - 1 - FormatControllerInstance()->StartOfWeek();
    return index < 0 ? index + 7 : index;
}

int LocaleStartOfWeek() {
    // The locale counts from Monday (0); ours from Sunday.
    int day = StrToIntDef(GetLocaleText(GetThreadLocale(), LOCALE_IFIRSTDAYOFWEEK, L"0"), 0) + 1;
    return day > 6 || day < 0 ? 0 : day;
}

TDateTime WeekStartOf(TDateTime date, int startDay) {
    int back = (DayOfWeek(date) - 1) - startDay;
    if (back < 0) back += 7;
    return std::trunc(date) - back;
}

TcxFirstWeekRule LocaleFirstWeekRule() {
    int rule = StrToIntDef(GetLocaleText(GetThreadLocale(), LOCALE_IFIRSTWEEKOFYEAR, L"0"), 0) + 1;
    return rule >= 1 && rule <= 3 ? TcxFirstWeekRule(rule) : fwrJanuaryFirst;
}

namespace {

int GregorianYearOf(TDateTime date) {
    Word y, m, d;
    DecodeDate(date, y, m, d);
    return y;
}

int GregorianMonthOf(TDateTime date) {
    Word y, m, d;
    DecodeDate(date, y, m, d);
    return m;
}

}  // namespace

int WeekOfYear(int startDay, TcxFirstWeekRule rule, TDateTime date) {
    if (rule == fwrLocale) rule = LocaleFirstWeekRule();
    const int year = GregorianYearOf(date);
    TDateTime first = WeekStartOf(EncodeDate(Word(year), 1, 1), startDay);
    if (rule == fwrFullWeek && GregorianYearOf(first) < year) first += 7;
    if (rule == fwrFourDays && GregorianYearOf(first + 3) < year) first += 7;
    const int week = int(std::trunc(std::trunc(date) - first)) / 7 + 1;
    if (GregorianMonthOf(date) == 12) {
        const TDateTime start = WeekStartOf(date, startDay);
        if (rule == fwrJanuaryFirst && GregorianMonthOf(start + 6) == 1) return 1;
        if (rule == fwrFourDays && GregorianMonthOf(start + 3) == 1) return 1;
    }
    return week;
}

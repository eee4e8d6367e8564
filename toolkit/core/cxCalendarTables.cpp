// The base calendar table, the two-digit-year maximum and the table factory. The calendars are
// in files of their own.
//
// Sections: eras · base table · two-digit years · factory.

#include "cxCalendarTables.h"

#include <cmath>

#include "DateUtils.h"
#include "SysUtils.h"
#include "cxDateUtils.h"
#include "cxGregorianCalendarTables.h"
#include "cxHebrewCalendarTable.h"
#include "cxHijriCalendarTable.h"

// ---- eras -----------------------------------------------------------------------------------

TcxEra::TcxEra(Integer era, TDateTime startDate, Integer yearOffset, Integer minEraYear, Integer maxEraYear)
    : Era(era), MaxEraYear(maxEraYear), MinEraYear(minEraYear), StartDate(startDate), YearOffset(yearOffset) {}

void TcxEra::Assign(TPersistent* source) {
    if (auto* era = dynamic_cast<TcxEra*>(source)) {
        Era = era->Era;
        MaxEraYear = era->MaxEraYear;
        MinEraYear = era->MinEraYear;
        StartDate = era->StartDate;
        YearOffset = era->YearOffset;
    } else {
        inherited::Assign(source);
    }
}

// ---- base table -----------------------------------------------------------------------------

namespace {

// Month steps beyond this leave every supported range: the loop that walks them is not run.
constexpr int kMaxCalendarMonthSteps = 20000 * 13;
constexpr int kMaxCalendarYearSteps = 20000;

TcxCalendarMoment MomentWithTimeOf(TcxCalendarMoment date, const TcxCalendarMoment& time) {
    date.Hours = time.Hours;
    date.Minutes = time.Minutes;
    date.Seconds = time.Seconds;
    date.Milliseconds = time.Milliseconds;
    return date;
}

}  // namespace

TcxCustomCalendarTable::TcxCustomCalendarTable() : eras_(new TcxEras) {}

TcxCustomCalendarTable::~TcxCustomCalendarTable() { FreeObject(eras_); }

void TcxCustomCalendarTable::ResolveEra(int& year, int& era) { ResolveEraAt(year, era, 1, 1); }

void TcxCustomCalendarTable::ResolveEraAt(int& year, int& era, int day, int month) {
    const int gregorianYear = year + EraYearOffset(era);
    era = EraAt(gregorianYear, month, day);
    if (era >= 0) year = gregorianYear - EraYearOffset(era);
}

void TcxCustomCalendarTable::ClampToSupported(TDateTime& value) {
    if (!(value >= LowerDateLimit()))  // also a value that is not a number
        value = LowerDateLimit();
    else if (value > UpperDateLimit())
        value = UpperDateLimit();
}

TDateTime TcxCustomCalendarTable::MoveByDays(const TcxCalendarMoment& date, int n) {
    TDateTime value = MomentToValue(date) + n;
    ClampToSupported(value);
    return value;
}

TDateTime TcxCustomCalendarTable::MoveValueByMonths(TDateTime value, int n) {
    return MoveByMonths(SplitDate(value), n);
}

TDateTime TcxCustomCalendarTable::MoveByMonths(const TcxCalendarMoment& date, int n) {
    if (!AcceptsEraDay(date.Era, date.Year, date.Month, date.Day) || n > kMaxCalendarMonthSteps ||
        n < -kMaxCalendarMonthSteps)
        return LowerDateLimit();
    int era = date.Era, year = date.Year, month = date.Month + n;
    const bool forward = month > EraMonthCount(era, year);
    while (month > EraMonthCount(era, year) || month <= 0) {
        const int count = EraMonthCount(era, forward ? year : year - 1);
        if (count <= 0) return LowerDateLimit();
        if (forward) {
            month -= count;
            ++year;
        } else {
            month += count;
            --year;
        }
    }
    // Only a day past the new month's end moves: the year may still lie outside the era
    // until ResolveEraAt below, which must not shift the day to the month's end.
    int day = date.Day;
    const int length = EraMonthLength(era, year, month);
    if (day > length) day = length;
    ResolveEraAt(year, era, day, month);
    if (!AcceptsEraDay(era, year, month, day)) return LowerDateLimit();
    TDateTime value = MomentToValue(MomentWithTimeOf({era, year, month, day}, date));
    ClampToSupported(value);
    return value;
}

TDateTime TcxCustomCalendarTable::MoveValueByYears(TDateTime value, int n) { return MoveByYears(SplitDate(value), n); }

TDateTime TcxCustomCalendarTable::MoveByYears(const TcxCalendarMoment& date, int n) {
    if (!AcceptsEraDay(date.Era, date.Year, date.Month, date.Day) || n > kMaxCalendarYearSteps ||
        n < -kMaxCalendarYearSteps)
        return LowerDateLimit();
    int era = date.Era, year = date.Year + n;
    ResolveEra(year, era);
    if (!AcceptsEraYear(era, year)) return LowerDateLimit();
    int month = date.Month;
    if (!AcceptsEraMonth(era, year, month)) month = EraMonthCount(era, year);
    int day = date.Day;
    if (!AcceptsEraDay(era, year, month, day)) day = EraMonthLength(era, year, month);
    ResolveEraAt(year, era, day, month);
    TDateTime value = MomentToValue(MomentWithTimeOf({era, year, month, day}, date));
    ClampToSupported(value);
    return value;
}

TDateTime TcxCustomCalendarTable::MoveValueByWeeks(TDateTime value, int n) { return MoveByWeeks(SplitDate(value), n); }

TDateTime TcxCustomCalendarTable::MoveByWeeks(const TcxCalendarMoment& date, int n) { return MoveByDays(date, 7 * n); }

TcxCalendarMoment TcxCustomCalendarTable::SplitDateParts(int year, int month, int day) {
    return SplitDateTimeParts(year, month, day, 0, 0, 0, 0);
}

TcxCalendarMoment TcxCustomCalendarTable::SplitDateTimeParts(int year, int month, int day, int hours, int minutes,
                                                             int seconds, int milliseconds) {
    const TDateTime date = EncodeDate(Word(year), Word(month), Word(day));
    const TDateTime time = EncodeTime(Word(hours), Word(minutes), Word(seconds), Word(milliseconds));
    return SplitDate(date >= 0 ? date + time : date - time);
}

int TcxCustomCalendarTable::OrdinalDayOfValue(TDateTime value) { return OrdinalDayOf(SplitDate(value)); }

int TcxCustomCalendarTable::OrdinalDayOf(const TcxCalendarMoment& date) {
    int result = date.Day;
    for (int month = 1; month < date.Month; ++month) result += EraMonthLength(date.Era, date.Year, month);
    return result;
}

int TcxCustomCalendarTable::MonthLength(int year, int month) { return EraMonthLength(-1, year, month); }

int TcxCustomCalendarTable::YearLength(int year) { return EraYearLength(-1, year); }

int TcxCustomCalendarTable::EraOfYear(int year) { return EraAt(year, 1, 1); }

int TcxCustomCalendarTable::EraAt(int year, int month, int day) {
    int result = -1;
    for (int i = 0; i < eras_->Count(); ++i) {
        Word y, m, d;
        DecodeDate(eras_->ItemAt(i)->StartDate, y, m, d);
        const bool started = year != y ? year > y : month != m ? month > m : day >= d;
        if (started) result = i;
    }
    return result;
}

int TcxCustomCalendarTable::MonthCount(int year) { return EraMonthCount(-1, year); }

int TcxCustomCalendarTable::YearOfValue(TDateTime value) { return SplitDate(value).Year; }

TDateTime TcxCustomCalendarTable::WeekBeginOfValue(TDateTime value) { return WeekBeginFrom(WeekStartDay(), value); }

TDateTime TcxCustomCalendarTable::WeekBeginFrom(int startDay, TDateTime value) {
    const int weekday = WeekdayIndexOfValue(value);
    TDateTime result = value + startDay - weekday;
    if (weekday < startDay) result -= 7;
    return result;
}

TcxCalendarMoment TcxCustomCalendarTable::WeekBeginOf(const TcxCalendarMoment& date) {
    return WeekBeginOfFrom(date, WeekStartDay());
}

TcxCalendarMoment TcxCustomCalendarTable::WeekBeginOfFrom(const TcxCalendarMoment& date, int startDay) {
    return SplitDate(WeekBeginFrom(startDay, MomentToValue(date)));
}

int TcxCustomCalendarTable::WeekdayIndexOfValue(TDateTime value) { return DayOfWeek(value) - 1; }

int TcxCustomCalendarTable::WeekdayIndexOf(const TcxCalendarMoment& date) {
    return WeekdayIndexOfValue(MomentToValue(date));
}

int TcxCustomCalendarTable::WeekIndexOfValue(int startDay, int rule, TDateTime value) {
    return WeekIndexOf(SplitDate(value), startDay, rule);
}

bool TcxCustomCalendarTable::AcceptsEraYear(int era, int year) {
    return year >= LowerYearLimit() && year <= UpperYearLimit();
}

bool TcxCustomCalendarTable::AcceptsEraMonth(int era, int year, int month) {
    return AcceptsEraYear(era, year) && month >= 1 && month <= EraMonthCount(era, year);
}

bool TcxCustomCalendarTable::AcceptsEraDay(int era, int year, int month, int day) {
    return AcceptsEraMonth(era, year, month) && day >= 1 && day <= EraMonthLength(era, year, month);
}

bool TcxCustomCalendarTable::AcceptsValue(TDateTime value) {
    const TcxCalendarMoment date = SplitDate(value);
    return AcceptsEraDay(date.Era, date.Year, date.Month, date.Day);
}

TDateTime TcxCustomCalendarTable::DayToValue(const TcxCalendarDay& date) {
    return MomentToValue({date.Era, date.Year, date.Month, date.Day});
}

TDateTime TcxCustomCalendarTable::PartsToValue(int year, int month, int day) {
    return PartsTimeToValue(year, month, day, 0, 0, 0, 0);
}

TDateTime TcxCustomCalendarTable::PartsTimeToValue(int year, int month, int day, int hours, int minutes, int seconds,
                                                   int milliseconds) {
    return MomentToValue({-1, year, month, day, Byte(hours), Byte(minutes), Byte(seconds), Word(milliseconds)});
}

int TcxCustomCalendarTable::DayFromText(const String& text) { return StrToInt(text); }

int TcxCustomCalendarTable::MonthFromText(int year, const String& text) {
    for (const String* names : {FormatSettings.LongMonthNames, FormatSettings.ShortMonthNames})
        for (int i = 0; i < 12; ++i)
            if (AnsiSameText(names[i], text)) return i + 1;
    return StrToInt(text);
}

int TcxCustomCalendarTable::YearFromText(const String& text) {
    int year = StrToInt(text);
    if (text.size() > 2) return year;
    const int maximum = TwoDigitYearMax(PlatformCalendarId());
    const int twoDigits = year;
    year += maximum / 100 * 100;
    if (maximum % 100 < twoDigits) year -= 100;
    return year;
}

int TcxCustomCalendarTable::EraYearOffset(int era) {
    return era >= 0 && era < eras_->Count() ? eras_->ItemAt(era)->YearOffset : 0;
}

// ---- two-digit years ------------------------------------------------------------------------

namespace {

FARPROC Kernel32Procedure(const char* name) { return GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name); }

using TGetCalendarInfoWProc = int(WINAPI*)(LCID, CALID, CALTYPE, LPWSTR, int, LPDWORD);

// What the platform itself assumes when a calendar says nothing.
constexpr int kDefaultTwoDigitYearMax = 2029;

}  // namespace

TcxProcedureLookup CalendarInfoProcedureLookup = &Kernel32Procedure;

int TwoDigitYearMax(int calendarId) {
    // An unreadable maximum would widen "24" to -76; the platform's default keeps it a year.
    auto* getCalendarInfo = CalendarInfoProcedureLookup
                                ? reinterpret_cast<TGetCalendarInfoWProc>(
                                      reinterpret_cast<void*>(CalendarInfoProcedureLookup("GetCalendarInfoW")))
                                : nullptr;
    if (!getCalendarInfo) return kDefaultTwoDigitYearMax;
    DWORD maximum = 0;
    if (getCalendarInfo(GetThreadLocale(), CALID(calendarId), CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0,
                        &maximum) == 0 ||
        maximum == 0)
        return kDefaultTwoDigitYearMax;
    return int(maximum);
}

// ---- factory --------------------------------------------------------------------------------

TcxCustomCalendarTable* CreateCalendarTable(int calendarId) {
    switch (calendarId) {
        case 1:
        case 2:
        case 9:
        case 10:
        case 11:
        case 12:
            return new TcxGregorianCalendarTable(calendarId);
        case 3:
            return new TcxJapaneseCalendarTable;
        case 4:
            return new TcxTaiwanCalendarTable;
        case 5:
            return new TcxKoreanCalendarTable;
        case 6:
            return new TcxHijriCalendarTable;
        case 7:
            return new TcxThaiCalendarTable;
        case 8:
            return new TcxHebrewCalendarTable;
        default:
            return new TcxGregorianCalendarTable(1);
    }
}

int LocaleCalendarType() {
    DWORD type = 0;
    if (GetLocaleInfoW(GetThreadLocale(), LOCALE_ICALENDARTYPE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&type),
                       sizeof(type) / sizeof(wchar_t)) == 0)
        return 1;
    return int(type);
}

TcxCustomCalendarTable* CreateLocaleCalendarTable() { return CreateCalendarTable(LocaleCalendarType()); }

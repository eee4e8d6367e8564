// The base calendar table, the Gregorian table with its era calendars, the two-digit-year
// maximum and the table factory. Hijri and Hebrew are in files of their own.
//
// Sections: eras · base table · two-digit years · Gregorian · era calendars · factory.

#include "cxCalendarTables.h"

#include <cmath>

#include "DateUtils.h"
#include "SysUtils.h"
#include "cxDateUtils.h"

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

TDateTime TcxCustomCalendarTable::MoveValueByMonths(TDateTime value, int n) { return MoveByMonths(SplitDate(value), n); }

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
    auto* getCalendarInfo =
        CalendarInfoProcedureLookup
            ? reinterpret_cast<TGetCalendarInfoWProc>(reinterpret_cast<void*>(CalendarInfoProcedureLookup("GetCalendarInfoW")))
            : nullptr;
    if (!getCalendarInfo) return kDefaultTwoDigitYearMax;
    DWORD maximum = 0;
    if (getCalendarInfo(GetThreadLocale(), CALID(calendarId), CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0,
                        &maximum) == 0 ||
        maximum == 0)
        return kDefaultTwoDigitYearMax;
    return int(maximum);
}

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

TDateTime TcxGregorianCalendarTable::UpperDateLimit() {
    return EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59, 999);
}

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
        case 12: return 1;
        case 10: return 6;
        default: return 0;
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

// ---- factory --------------------------------------------------------------------------------

TcxCustomCalendarTable* CreateCalendarTable(int calendarId) {
    switch (calendarId) {
        case 1:
        case 2:
        case 9:
        case 10:
        case 11:
        case 12: return new TcxGregorianCalendarTable(calendarId);
        case 3: return new TcxJapaneseCalendarTable;
        case 4: return new TcxTaiwanCalendarTable;
        case 5: return new TcxKoreanCalendarTable;
        case 6: return new TcxHijriCalendarTable;
        case 7: return new TcxThaiCalendarTable;
        case 8: return new TcxHebrewCalendarTable;
        default: return new TcxGregorianCalendarTable(1);
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

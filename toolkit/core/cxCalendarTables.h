#pragma once
// Calendar tables: each converts between TDateTime values (Gregorian days) and the dates of its
// calendar (era, year, month, day and time) and answers the calendar's rules: months and days,
// leap years, validity, supported range, weeks, and reading year, month and day texts.
//
// Seven calendars: Gregorian (with its localized variants, told apart by the platform's
// calendar id), Japanese (eras), Taiwan, Korean and Thai (one era with a fixed year offset),
// in cxGregorianCalendarTables.h; Hijri (arithmetic lunar), cxHijriCalendarTable.h; Hebrew
// (lunisolar, from a year table), cxHebrewCalendarTable.h. Here: the records (TcxCalendarDay,
// TcxCalendarMoment), the eras (TcxEra, TcxEras), the base table (TcxCustomCalendarTable) and
// the making of a table (CreateCalendarTable, CreateLocaleCalendarTable).
//
// Era -1 is the table's default era (year offset 0); other eras are indexes into Eras().
// Operations on an invalid date answer LowerDateLimit instead of raising.
//
// Sections: records · eras · the base table · making a table.

#include "SysTypes.h"
#include "cxComponent.h"
#include "Persistent.h"

// ---- records ----------------------------------------------------------------------------------

struct TcxCalendarDay {
    Integer Era = -1;
    Integer Year = 0;
    Integer Month = 0;
    Integer Day = 0;
};

struct TcxCalendarMoment {
    Integer Era = -1;
    Integer Year = 0;
    Integer Month = 0;
    Integer Day = 0;
    Byte Hours = 0;
    Byte Minutes = 0;
    Byte Seconds = 0;
    Word Milliseconds = 0;
};

enum TcxCalendarAlgorithmKind { cakSolar = 1, cakLunar = 2, cakLunisolar = 3 };

// ---- eras -------------------------------------------------------------------------------------

class TcxEra : public TPersistent {
    Z_CLASS(TcxEra, TPersistent)
public:
    TcxEra(Integer era, TDateTime startDate, Integer yearOffset, Integer minEraYear, Integer maxEraYear);
    void Assign(TPersistent* source) override;

    Integer Era;         // the era's number
    Integer MaxEraYear;  // highest year of the era
    Integer MinEraYear;  // lowest year of the era
    TDateTime StartDate;
    Integer YearOffset;  // Gregorian year = era year + offset
};

// Owns its eras.
class TcxEras : public TcxObjectList {
    Z_CLASS(TcxEras, TcxObjectList)
public:
    TcxEra* ItemAt(int index) const { return static_cast<TcxEra*>(Items(index)); }
};

// ---- the base table ---------------------------------------------------------------------------

class TcxCustomCalendarTable : public TObject {
    Z_CLASS(TcxCustomCalendarTable, TObject)
public:
    TcxCustomCalendarTable();
    ~TcxCustomCalendarTable() override;
    TcxEras* Eras() const { return eras_; }

    // --- eras and limits
    virtual void ResolveEra(int& year, int& era);
    virtual void ResolveEraAt(int& year, int& era, int day, int month);
    virtual TDateTime UpperDateLimit() = 0;
    virtual TDateTime LowerDateLimit() = 0;
    virtual int UpperYearLimit() = 0;
    virtual int LowerYearLimit() = 0;
    virtual TcxEra* StandardEra() = 0;
    virtual void ClampToSupported(TDateTime& value);
    virtual TcxCalendarAlgorithmKind AlgorithmKind() = 0;
    virtual int PlatformCalendarId() = 0;

    // --- moving (results are clamped to the supported range)
    virtual TDateTime MoveByDays(const TcxCalendarMoment& date, int n);
    virtual TDateTime MoveValueByMonths(TDateTime value, int n);
    virtual TDateTime MoveByMonths(const TcxCalendarMoment& date, int n);
    virtual TDateTime MoveValueByYears(TDateTime value, int n);
    virtual TDateTime MoveByYears(const TcxCalendarMoment& date, int n);
    virtual TDateTime MoveValueByWeeks(TDateTime value, int n);
    virtual TDateTime MoveByWeeks(const TcxCalendarMoment& date, int n);

    // --- splitting
    virtual TcxCalendarMoment SplitDate(TDateTime value) = 0;
    virtual TcxCalendarMoment SplitDateParts(int year, int month, int day);
    virtual TcxCalendarMoment SplitDateTimeParts(int year, int month, int day, int hours, int minutes, int seconds,
                                                 int milliseconds);

    // --- days, months and years
    virtual int OrdinalDayOfValue(TDateTime value);
    virtual int OrdinalDayOf(const TcxCalendarMoment& date);
    virtual int MonthLength(int year, int month);
    virtual int EraMonthLength(int era, int year, int month) = 0;
    virtual int YearLength(int year);
    virtual int EraYearLength(int era, int year) = 0;
    virtual int EraOfYear(int year);
    virtual int EraAt(int year, int month, int day);
    virtual int MonthCount(int year);
    virtual int EraMonthCount(int era, int year) = 0;
    virtual int YearOfValue(TDateTime value);
    virtual int YearOfDay(const TcxCalendarDay& date) { return date.Year; }
    virtual int YearOfMoment(const TcxCalendarMoment& date) { return date.Year; }

    // --- weeks (0 = Sunday .. 6 = Saturday)
    virtual TDateTime WeekBeginOfValue(TDateTime value);
    virtual TDateTime WeekBeginFrom(int startDay, TDateTime value);
    virtual TcxCalendarMoment WeekBeginOf(const TcxCalendarMoment& date);
    virtual TcxCalendarMoment WeekBeginOfFrom(const TcxCalendarMoment& date, int startDay);
    virtual int WeekStartDay() = 0;
    virtual int WeeksPerYear(int year) = 0;
    virtual int WeekdayIndexOfValue(TDateTime value);
    virtual int WeekdayIndexOf(const TcxCalendarMoment& date);
    virtual int WeekIndexOfValue(int startDay, int rule, TDateTime value);
    virtual int WeekIndexOf(const TcxCalendarMoment& date, int startDay, int rule) = 0;

    // --- leap days, months and years
    virtual bool LeapDayAt(int year, int month, int day) { return LeapDayInEra(-1, year, month, day); }
    virtual bool LeapDayInEra(int era, int year, int month, int day) = 0;
    virtual bool LeapMonthAt(int year, int month) { return LeapMonthInEra(-1, year, month); }
    virtual bool LeapMonthInEra(int era, int year, int month) = 0;
    virtual bool LeapYearAt(int year) { return LeapYearInEra(-1, year); }
    virtual bool LeapYearInEra(int era, int year) = 0;

    // --- validity
    virtual bool AcceptsYear(int year) { return AcceptsEraYear(-1, year); }
    virtual bool AcceptsEraYear(int era, int year);
    virtual bool AcceptsMonth(int year, int month) { return AcceptsEraMonth(-1, year, month); }
    virtual bool AcceptsEraMonth(int era, int year, int month);
    virtual bool AcceptsDay(int year, int month, int day) { return AcceptsEraDay(-1, year, month, day); }
    virtual bool AcceptsEraDay(int era, int year, int month, int day);
    virtual bool AcceptsValue(TDateTime value);

    // --- back to values
    virtual TDateTime DayToValue(const TcxCalendarDay& date);
    virtual TDateTime PartsToValue(int year, int month, int day);
    virtual TDateTime PartsTimeToValue(int year, int month, int day, int hours, int minutes, int seconds,
                                       int milliseconds);
    virtual TDateTime MomentToValue(const TcxCalendarMoment& date) = 0;

    // --- texts; a text that is not a number raises EConvertError
    virtual int DayFromText(const String& text);
    virtual int MonthFromText(int year, const String& text);
    // A text of one or two characters is widened by the calendar's two-digit-year maximum.
    virtual int YearFromText(const String& text);

protected:
    // The year offset of era (the default era's for -1 and for an unknown index).
    virtual int EraYearOffset(int era);

private:
    TcxEras* eras_;
};

// Where the two-digit-year maximum finds the platform's GetCalendarInfoW; it is looked up by
// name at each call. Tests replace the lookup to make it fail or answer a fixed value.
using TcxProcedureLookup = FARPROC (*)(const char* name);
extern TcxProcedureLookup CalendarInfoProcedureLookup;
// The thread locale's two-digit-year maximum of a calendar; 2029 (the platform's default)
// when it cannot be read.
int TwoDigitYearMax(int calendarId);

// The week of a lunar calendar's year by the first-week rule (0: the locale's).
int LunarWeekIndexOf(TcxCustomCalendarTable* table, const TcxCalendarMoment& date, int startDay, int rule);

// ---- making a table ---------------------------------------------------------------------------

// Ids 1, 2, 9-12 give a Gregorian table with that id; 3 Japanese, 4 Taiwan, 5 Korean, 6 Hijri,
// 7 Thai, 8 Hebrew; any other id a Gregorian table with id 1. The caller owns the table.
TcxCustomCalendarTable* CreateCalendarTable(int calendarId);
// The thread locale's calendar type (LOCALE_ICALENDARTYPE).
int LocaleCalendarType();
// The table of the thread locale's calendar type.
TcxCustomCalendarTable* CreateLocaleCalendarTable();

// moved: the calendars have headers of their own; included here until no file expects them
// from this header.
#include "cxGregorianCalendarTables.h"
#include "cxHijriCalendarTable.h"
#include "cxHebrewCalendarTable.h"

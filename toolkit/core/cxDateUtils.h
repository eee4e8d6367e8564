#pragma once
// Small date helpers of the toolkit's calendar and date controls: stepping through months,
// clamping days, splitting a value into its day and its time, and numbering weeks. Dates are
// TDateTime values; years, months and days are Gregorian unless a calendar table is passed.
// The calendar tables are in cxCalendarTables.h, the date texts in cxDateText.h.

#include "SysTypes.h"

class TcxCustomCalendarTable;

// "No date": what every failed parse yields and what an empty date editor holds.
constexpr TDateTime NullDate = -700000.0;

// January becomes December of the year before; December January of the year after.
void StepMonthBack(Word& year, Word& month);
void StepMonthForward(Word& year, Word& month);
// Moves the pair by delta months across year ends; returns delta / 12 (toward zero).
int ShiftMonth(Word& year, Word& month, int delta);

enum TcxDateComponent { dcYear = 0, dcMonth = 1, dcDay = 2 };
// The year, month or day of the date, split by the table when one is given.
int DateComponent(TcxDateComponent selector, TcxCustomCalendarTable* table, TDateTime date);

// Remainders taken toward zero, so negative years follow the same formula.
bool IsGregorianLeapYear(int year);
// 28..31; 0 for a month outside 1..12.
int MonthDayCount(int year, int month);
// 1 below the month, its last day above it.
int ClampDay(int year, int month, int day);

// The time of day as a fraction (forward from midnight also before 1899-12-30), rounded to
// whole milliseconds: TimeOfDayPart(-1.25) = 0.25.
TDateTime TimeOfDayPart(TDateTime date);
// The day part, toward zero: StripTimeOfDay(-1.25) = -1.
TDateTime StripTimeOfDay(TDateTime date);

// 0 for the first day of the user's week (the format controller's start of week).
int DayIndexInWeek(TDateTime date);
// The thread locale's first day of the week, 0 = Sunday .. 6 = Saturday.
int LocaleStartOfWeek();
// The whole day on or before date that begins its week, weeks starting on startDay (0 = Sunday).
TDateTime WeekStartOf(TDateTime date, int startDay);

// Rules of the first week of a year.
enum TcxFirstWeekRule {
    fwrLocale = 0,        // the thread locale's rule
    fwrJanuaryFirst = 1,  // the week that holds January 1
    fwrFullWeek = 2,      // the first full week
    fwrFourDays = 3,      // the first week with at least four days
};
// The locale's rule as one of 1..3.
TcxFirstWeekRule LocaleFirstWeekRule();
int WeekOfYear(int startDay, TcxFirstWeekRule rule, TDateTime date);

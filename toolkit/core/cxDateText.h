#pragma once
// Date texts: what a user typed into a date editor turned into a value, and a value turned into
// the text a date editor shows. A text is an ordinary date of the thread locale, a date of the
// locale's non-Gregorian calendar, or a smart word (today, yesterday, a weekday, the first day
// of the week, the end of the month, now...) with an optional signed day offset: "СЕГОДНЯ +5".
// Also the month and day-number texts that the calendar tables read back.
//
// Parsing never raises: whatever cannot be read gives NullDate.

#include <vector>

#include "SysTypes.h"
#include "cxCalendarTables.h"

// --- the clock of the smart words
// Now (local date and time) as the smart words see it; tests fix it. nullptr: the system clock.
using TcxDateTextClock = TDateTime (*)();
void SetDateTextClock(TcxDateTextClock clock);

// --- text to date
TDateTime TextToDateValue(const String& text);
bool TryTextToDate(const String& text, TDateTime& value);  // false for NullDate
// True when the (trimmed) text begins with a smart word; value is then its date.
bool SmartTextToDate(const String& text, TDateTime& value);
// Blanks out the literal words of the locale's formats and turns date separators into blanks,
// ready for the platform's parser.
void PrepareDateText(String& text);
// A date of the thread locale's non-Gregorian calendar.
TDateTime CalendarTextToDate(const String& text);
struct TcxDateTextSettings {
    WideChar DateSeparator = L'/';
    String ShortDateFormat;  // the locale's own notation (LOCALE_SSHORTDATE)
};
// Splits a calendar date text into the table's date; number texts that are not numbers raise
// EConvertError.
void ParseCalendarDateText(const String& text, const TcxDateTextSettings& settings, TcxCustomCalendarTable* table,
                           TcxCalendarMoment& moment);

// The smart words, reloaded from the library's strings: indexes 0..19 (today, yesterday,
// tomorrow, Sunday..Saturday, first..seventh day of the week, first and last day of the month,
// now).
constexpr int SmartWordCount = 20;
void LoadSmartWords();
const String& SmartWord(int index);

// --- eras of the locale's calendar
struct TcxLocaleEra {
    String Name;
    int YearOffset = 0;
};
// At most 7, in the platform's order.
std::vector<TcxLocaleEra> LocaleEras();
// The year offset of the first era whose name contains the text; 0 when none does.
int EraOffsetFromName(const String& text);

// --- date to text
// Empty for NullDate; the locale's short date, then a blank and the time when there is one.
String DateToDisplayText(TDateTime value);
// The value formatted by the platform for the thread locale (an empty format: the default).
bool FormatDateLocale(String& text, DWORD flags, const String& format, TDateTime value);
String DayOfMonthText(TDateTime value);
// Day n as the locale writes it, in the table's calendar (nullptr: the locale's).
String LocaleDayNumberText(int n, TcxCustomCalendarTable* table);
String CalendarMonthName(TcxCustomCalendarTable* table, TDateTime value);
// Empty when the table does not accept the month.
String CalendarMonthNameOf(int year, int month, TcxCustomCalendarTable* table);
// Calendar ids 1, 2 and 9..12; nullptr asks about the thread locale's calendar.
bool IsGregorianCalendar(TcxCustomCalendarTable* table);

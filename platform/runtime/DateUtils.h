#pragma once
// Dates and times as TDateTime: days since 1899-12-30, the time of day as the fraction
// (for dates before then, the fraction still counts forward from midnight).

#include "SysExceptions.h"
#include "SysTypes.h"

TDateTime Now();   // local date and time
TDateTime Date();  // today, midnight
TDateTime Time();  // the time of day alone

bool IsLeapYear(Word year);
// 1 = Sunday .. 7 = Saturday.
Word DayOfWeek(TDateTime date);
// Year 1..9999; raises EConvertError "Invalid argument to date encode" / "... time encode".
bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date);
TDateTime EncodeDate(Word year, Word month, Word day);
void DecodeDate(TDateTime date, Word& year, Word& month, Word& day);
bool TryEncodeTime(Word hour, Word minute, Word second, Word msec, TDateTime& time);
TDateTime EncodeTime(Word hour, Word minute, Word second, Word msec);
void DecodeTime(TDateTime time, Word& hour, Word& minute, Word& second, Word& msec);

TDateTime SystemTimeToDateTime(const SYSTEMTIME& systemTime);
SYSTEMTIME DateTimeToSystemTime(TDateTime dateTime);

#include "DateUtils.h"

#include <cstdlib>

#include "SysMath.h"

namespace {

constexpr Int64 kMSecsPerDay = 86400000;
constexpr Integer kDateDelta = 693594;  // days from 0001-01-01 to 1899-12-30

const Word kMonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// Whole days since 0001-01-01 (plus one) and milliseconds since midnight.
void Split(TDateTime value, Integer& days, Integer& msecs) {
    Int64 total = Round(value * kMSecsPerDay);
    days = Integer(kDateDelta + total / kMSecsPerDay);
    msecs = Integer(std::llabs(total) % kMSecsPerDay);
}

}  // namespace

bool IsLeapYear(Word year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

Word DayOfWeek(TDateTime date) {
    Integer days, msecs;
    Split(date, days, msecs);
    return Word(((days % 7) + 7) % 7 + 1);  // day 0 of this count is a Sunday
}

bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date) {
    if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
    const Word* days = kMonthDays[IsLeapYear(year)];
    if (day < 1 || day > days[month - 1]) return false;
    Integer total = day;
    for (Word m = 1; m < month; ++m) total += days[m - 1];
    Integer y = year - 1;
    date = TDateTime(y * 365 + y / 4 - y / 100 + y / 400 + total - kDateDelta);
    return true;
}

TDateTime EncodeDate(Word year, Word month, Word day) {
    TDateTime date;
    if (!TryEncodeDate(year, month, day, date)) throw EConvertError(L"Invalid argument to date encode");
    return date;
}

void DecodeDate(TDateTime date, Word& year, Word& month, Word& day) {
    Integer t, msecs;
    Split(date, t, msecs);
    if (t <= 0) {
        year = month = day = 0;
        return;
    }
    const Integer d1 = 365, d4 = d1 * 4 + 1, d100 = d4 * 25 - 1, d400 = d100 * 4 + 1;
    --t;
    Integer y = 1;
    while (t >= d400) {
        t -= d400;
        y += 400;
    }
    Integer i = t / d100, d = t % d100;
    if (i == 4) {
        --i;
        d += d100;
    }
    y += i * 100;
    i = d / d4;
    d = d % d4;
    y += i * 4;
    i = d / d1;
    d = d % d1;
    if (i == 4) {
        --i;
        d += d1;
    }
    y += i;
    const Word* days = kMonthDays[IsLeapYear(Word(y))];
    Word m = 1;
    while (d >= days[m - 1]) {
        d -= days[m - 1];
        ++m;
    }
    year = Word(y);
    month = m;
    day = Word(d + 1);
}

bool TryEncodeTime(Word hour, Word minute, Word second, Word msec, TDateTime& time) {
    if (hour >= 24 || minute >= 60 || second >= 60 || msec >= 1000) return false;
    time = TDateTime(hour * 3600000 + minute * 60000 + second * 1000 + msec) / TDateTime(kMSecsPerDay);
    return true;
}

TDateTime EncodeTime(Word hour, Word minute, Word second, Word msec) {
    TDateTime time;
    if (!TryEncodeTime(hour, minute, second, msec, time)) throw EConvertError(L"Invalid argument to time encode");
    return time;
}

void DecodeTime(TDateTime time, Word& hour, Word& minute, Word& second, Word& msec) {
    Integer days, ms;
    Split(time, days, ms);
    hour = Word(ms / 3600000);
    minute = Word(ms / 60000 % 60);
    second = Word(ms / 1000 % 60);
    msec = Word(ms % 1000);
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& st) {
    TDateTime date = EncodeDate(st.wYear, st.wMonth, st.wDay);
    TDateTime time = EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
    return date >= 0 ? date + time : date - time;
}

SYSTEMTIME DateTimeToSystemTime(TDateTime dateTime) {
    SYSTEMTIME st{};
    DecodeDate(dateTime, st.wYear, st.wMonth, st.wDay);
    DecodeTime(dateTime, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
    Integer days, ms;
    Split(dateTime, days, ms);
    st.wDayOfWeek = Word(((days % 7) + 7) % 7);  // day 0 of this count is a Sunday
    return st;
}

TDateTime Now() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return SystemTimeToDateTime(st);
}

TDateTime Date() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return EncodeDate(st.wYear, st.wMonth, st.wDay);
}

TDateTime Time() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

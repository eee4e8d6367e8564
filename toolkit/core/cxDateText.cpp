// Sections: clock and locale items · smart words · text to date · calendar texts · eras ·
// date to text.

#include "cxDateText.h"

#include <array>
#include <cmath>
#include <memory>
#include <oleauto.h>

#include "CallbackBarrier.h"
#include "DateUtils.h"
#include "SysUtils.h"
#include "cxDateUtils.h"
#include "cxFormats.h"
#include "cxLibraryStrs.h"
#include "dxCore.h"

// ---- clock and locale items -----------------------------------------------------------------

namespace {

TcxDateTextClock dateTextClock = nullptr;

TDateTime DateTextNow() { return dateTextClock ? dateTextClock() : Now(); }
TDateTime DateTextToday() { return StripTimeOfDay(DateTextNow()); }

String ThreadLocaleText(LCTYPE item) { return GetLocaleText(GetThreadLocale(), item, String()); }

WideChar ThreadLocaleFirstChar(LCTYPE item, WideChar fallback) {
    const String text = ThreadLocaleText(item);
    return text.empty() ? fallback : text[0];
}

// Values the platform's decoding and formatting take (years 1 to 9999).
bool IsDecodableDateValue(TDateTime value) { return value >= -693593.0 && value < 2958466.0; }

// The platform's time parser: a time of the thread locale, the date part ignored.
TDateTime ParseTimeText(const String& text) {
    DATE value = 0;
    if (FAILED(VarDateFromStr(const_cast<OLECHAR*>(text.c_str()), GetThreadLocale(), VAR_TIMEVALUEONLY, &value)))
        throw EConvertError(L"'" + text + L"' is not a valid time");
    return value;
}

}  // namespace

void SetDateTextClock(TcxDateTextClock clock) { dateTextClock = clock; }

// ---- smart words ----------------------------------------------------------------------------

namespace {

std::array<String, SmartWordCount> smartWords;

const TResStringRec* const kSmartWordStrings[SmartWordCount] = {
    &cxSDateToday,   &cxSDateYesterday, &cxSDateTomorrow, &cxSDateSunday, &cxSDateMonday,
    &cxSDateTuesday, &cxSDateWednesday, &cxSDateThursday, &cxSDateFriday, &cxSDateSaturday,
    &cxSDateFirst,   &cxSDateSecond,    &cxSDateThird,    &cxSDateFourth, &cxSDateFifth,
    &cxSDateSixth,   &cxSDateSeventh,   &cxSDateBOM,      &cxSDateEOM,    &cxSDateNow};

bool SameTextIgnoringCase(const wchar_t* a, int aLength, const wchar_t* b, int bLength) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, aLength, b, bLength) == CSTR_EQUAL;
}

TDateTime SmartWordValue(int index) {
    const TDateTime today = DateTextToday();
    Word year, month, day;
    DecodeDate(today, year, month, day);
    switch (index) {
        case 0:
            return today;
        case 1:
            return today - 1;
        case 2:
            return today + 1;
        case 17:
            return EncodeDate(year, month, 1);
        case 18:
            return EncodeDate(year, month, Word(MonthDayCount(year, month)));
        case 19:
            return DateTextNow();
        default:
            break;
    }
    if (index <= 9) {  // the first such weekday from today on
        const int ahead = (index - 2) - DayOfWeek(today);
        return ahead >= 0 ? today + ahead : today + 7 + ahead;
    }
    return today - (DayIndexInWeek(today) - (index - 10));  // a day of the current week
}

}  // namespace

void LoadSmartWords() {
    for (int i = 0; i < SmartWordCount; ++i) smartWords[size_t(i)] = ResolveResourceString(kSmartWordStrings[i]);
}

const String& SmartWord(int index) { return smartWords[size_t(index)]; }

bool SmartTextToDate(const String& text, TDateTime& value) {
    LoadSmartWords();
    std::array<int, SmartWordCount> order;
    for (int i = 0; i < SmartWordCount; ++i) order[size_t(i)] = i;
    // Longest first, so that a word that begins another does not take its place.
    std::stable_sort(order.begin(), order.end(), [](int a, int b) {
        const String& x = smartWords[size_t(a)];
        const String& y = smartWords[size_t(b)];
        if (x.size() != y.size()) return x.size() > y.size();
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, x.c_str(), int(x.size()), y.c_str(),
                              int(y.size())) == CSTR_LESS_THAN;
    });
    for (int index : order) {
        const String& word = smartWords[size_t(index)];
        if (word.empty() || text.size() < word.size()) continue;
        if (!SameTextIgnoringCase(text.c_str(), int(word.size()), word.c_str(), int(word.size()))) continue;
        value = SmartWordValue(index);
        const String rest = Trim(text.substr(word.size()));
        if (rest.size() >= 2 && (rest[0] == L'+' || rest[0] == L'-')) {
            Integer days;
            if (TryStrToInt(Trim(rest.substr(1)), days)) value += rest[0] == L'+' ? days : -days;
        }
        return true;
    }
    return false;
}

// ---- text to date ---------------------------------------------------------------------------

void PrepareDateText(String& text) {
    auto keptWord = [](const String& word) { return AnsiUpperCase(Trim(word)); };
    String am = ThreadLocaleText(LOCALE_S1159), pm = ThreadLocaleText(LOCALE_S2359);
    const WideChar dateSeparator = ThreadLocaleFirstChar(LOCALE_SDATE, L'/');
    const String kept[] = {keptWord(String(1, dateSeparator)),
                           keptWord(String(1, ThreadLocaleFirstChar(LOCALE_STIME, L':'))),
                           keptWord(am.empty() ? L"am" : am), keptWord(pm.empty() ? L"pm" : pm)};
    TcxFormatController* formats = FormatControllerInstance();
    for (const TcxDateTimeFormatInfo* info : {&formats->DateFormatInfo(), &formats->TimeFormatInfo()}) {
        for (const TcxDateTimeFormatItem& item : info->Items) {
            if (item.Kind != fikLiteral) continue;
            const String literal = AnsiUpperCase(Trim(item.Text));
            if (literal.empty() || std::find(std::begin(kept), std::end(kept), literal) != std::end(kept)) continue;
            String upper = AnsiUpperCase(text);
            if (upper.size() != text.size()) upper = text;
            for (size_t at = upper.find(literal); at != String::npos; at = upper.find(literal, at + literal.size())) {
                text.replace(at, literal.size(), literal.size(), L' ');
                upper.replace(at, literal.size(), literal.size(), L' ');
            }
        }
    }
    text = Trim(text);
    String squeezed;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] <= 32 && i + 1 < text.size() && text[i + 1] <= 32)) squeezed += text[i];
    for (WideChar& c : squeezed)
        if (c == dateSeparator) c = L' ';
    text = squeezed;
}

namespace {

// The platform's text-to-date conversion with the thread locale's order, separators and names.
bool ConvertTextToDate(const String& text, TDateTime& value) {
    DATE date = 0;
    if (FAILED(VarDateFromStr(const_cast<OLECHAR*>(text.c_str()), GetThreadLocale(), 0, &date))) return false;
    value = date;
    return true;
}

bool IsAcceptedGregorianValue(TDateTime value) {
    if (!(value > -2147483648.0 && value < 2147483647.0)) return false;
    if (!IsDecodableDateValue(value)) return false;  // day 0, or a year above 9999
    Word year, month, day;
    DecodeDate(value, year, month, day);
    return day != 0 && year <= 9999;
}

}  // namespace

TDateTime TextToDateValue(const String& text) {
    try {
        String s = Trim(text);
        if (s.empty()) return NullDate;
        if (!IsGregorianCalendar(nullptr)) return CalendarTextToDate(s);
        TDateTime value;
        if (!SmartTextToDate(s, value)) {
            PrepareDateText(s);
            if (!ConvertTextToDate(s, value)) return NullDate;
        }
        return IsAcceptedGregorianValue(value) ? value : NullDate;
    } catch (const Exception&) {
        return NullDate;
    }
}

bool TryTextToDate(const String& text, TDateTime& value) {
    value = TextToDateValue(text);
    return value != NullDate;
}

// ---- calendar texts -------------------------------------------------------------------------

TDateTime CalendarTextToDate(const String& text) {
    std::unique_ptr<TcxCustomCalendarTable> table(CreateLocaleCalendarTable());
    TcxDateTextSettings settings;
    settings.DateSeparator = ThreadLocaleFirstChar(LOCALE_SDATE, L'/');
    settings.ShortDateFormat = ThreadLocaleText(LOCALE_SSHORTDATE);
    TcxCalendarMoment moment;
    ParseCalendarDateText(text, settings, table.get(), moment);
    return table->MomentToValue(moment);
}

namespace {

bool IsDateTextDigit(WideChar c) { return c >= L'0' && c <= L'9'; }

// The characters from `from` up to (not including) the next stop character; `from` moves to
// the stop (or the end).
String CalendarTokenUpTo(const String& text, size_t& from, WideChar stop) {
    size_t end = text.find(stop, from);
    if (end == String::npos) end = text.size();
    String token = text.substr(std::min(from, text.size()), end - std::min(from, text.size()));
    from = end;
    return token;
}

}  // namespace

void ParseCalendarDateText(const String& text, const TcxDateTextSettings& settings, TcxCustomCalendarTable* table,
                           TcxCalendarMoment& moment) {
    moment = TcxCalendarMoment();
    const String& format = settings.ShortDateFormat;
    const WideChar separator = settings.DateSeparator;
    size_t pos = 0;  // the next character to read
    int eraOffset = 0;
    if (!format.empty() && format[0] == L'g') {
        size_t digit = 0;
        while (digit < text.size() && !IsDateTextDigit(text[digit])) ++digit;
        eraOffset = EraOffsetFromName(Trim(text.substr(0, digit)));
        pos = digit;
    } else if (format.find(L'e') != String::npos) {
        const std::vector<TcxLocaleEra> eras = LocaleEras();
        eraOffset = eras.empty() ? 0 : eras.front().YearOffset;
    }
    String t1 = CalendarTokenUpTo(text, pos, separator);
    if (pos < text.size()) ++pos;
    String t2 = CalendarTokenUpTo(text, pos, separator);
    if (pos < text.size()) ++pos;
    String t3 = CalendarTokenUpTo(text, pos, L' ');

    enum { kMonthDayYear, kDayMonthYear, kYearMonthDay } order = kMonthDayYear;
    for (WideChar c : format) {
        const WideChar upper = c >= L'a' && c <= L'z' ? WideChar(c - 32) : c;
        if (upper == L'D') order = kDayMonthYear;
        if (upper == L'E' || upper == L'Y') order = kYearMonthDay;
        if (upper == L'D' || upper == L'E' || upper == L'Y' || upper == L'M') break;
    }

    while (pos < text.size() && text[pos] == L' ') ++pos;
    // A blank separator with a word after the third token: the month name has two words.
    if (separator == L' ' && pos + 1 < text.size() && !IsDateTextDigit(text[pos])) {
        if (order == kMonthDayYear) {
            t1 += L" " + t2;
            t2 = t3;
        } else {
            t2 += L" " + t3;
        }
        t3 = CalendarTokenUpTo(text, pos, L' ');
    }

    const String& yearText = order == kYearMonthDay ? t1 : t3;
    const String& monthText = order == kMonthDayYear ? t1 : t2;
    const String& dayText = order == kMonthDayYear ? t2 : order == kDayMonthYear ? t1 : t3;
    moment.Year = table->YearFromText(yearText);
    moment.Month = table->MonthFromText(moment.Year, monthText);
    moment.Day = table->DayFromText(dayText);
    moment.Era = table->EraOfYear(eraOffset + 1);

    if (pos + 2 <= text.size()) {
        Word h, m, s, ms;
        DecodeTime(ParseTimeText(text.substr(pos)), h, m, s, ms);
        moment.Hours = Byte(h);
        moment.Minutes = Byte(m);
        moment.Seconds = Byte(s);
        moment.Milliseconds = ms;
    }
}

// ---- eras -----------------------------------------------------------------------------------

namespace {

std::vector<String>* collectedCalendarInfo = nullptr;

BOOL CALLBACK CollectCalendarInfo(LPWSTR text, CALID) {
    return CallbackBarrier(FALSE, [&] {
        if (collectedCalendarInfo && text) collectedCalendarInfo->push_back(text);
        return TRUE;
    });
}

std::vector<String> EnumerateCalendarInfo(CALID calendar, CALTYPE type) {
    std::vector<String> result;
    collectedCalendarInfo = &result;
    EnumCalendarInfoExW(&CollectCalendarInfo, GetThreadLocale(), calendar, type);
    collectedCalendarInfo = nullptr;
    return result;
}

}  // namespace

std::vector<TcxLocaleEra> LocaleEras() {
    const CALID calendar = CALID(LocaleCalendarType());
    const std::vector<String> names = EnumerateCalendarInfo(calendar, CAL_SERASTRING);
    const std::vector<String> starts = EnumerateCalendarInfo(calendar, CAL_IYEAROFFSETRANGE);
    std::vector<TcxLocaleEra> eras;
    for (size_t i = 0; i < names.size() && i < 7 && !names[i].empty(); ++i) {
        // The platform gives the Gregorian year in which an era begins (its year 1).
        const int start = i < starts.size() ? StrToIntDef(starts[i], 0) : 0;
        eras.push_back({names[i], start > 0 ? start - 1 : start});
    }
    return eras;
}

int EraOffsetFromName(const String& text) {
    for (const TcxLocaleEra& era : LocaleEras())
        if (era.Name.find(text) != String::npos) return era.YearOffset;
    return 0;
}

// ---- date to text ---------------------------------------------------------------------------

namespace {

String VariantDateText(TDateTime value) {
    BSTR text = nullptr;
    if (FAILED(VarBstrFromDate(value, GetThreadLocale(), 0, &text)) || !text) return String();
    String result(text, SysStringLen(text));
    SysFreeString(text);
    return result;
}

bool FormatWithLocale(String& text, DWORD flags, const wchar_t* format, const SYSTEMTIME& time, int capacity,
                      bool timeOfDay) {
    std::vector<wchar_t> buffer(size_t(capacity), L'\0');
    const LCID locale = GetThreadLocale();
    const int length = timeOfDay ? GetTimeFormatW(locale, flags, &time, format, buffer.data(), capacity)
                                 : GetDateFormatW(locale, flags, &time, format, buffer.data(), capacity);
    if (length <= 0) {
        text.clear();
        return false;
    }
    text.assign(buffer.data());
    return true;
}

}  // namespace

String DateToDisplayText(TDateTime value) {
    if (value == NullDate) return String();
    if (!IsDecodableDateValue(value)) return VariantDateText(value);
    const SYSTEMTIME time = DateTimeToSystemTime(value);
    const String format = ThreadLocaleText(LOCALE_SSHORTDATE);
    String text;
    if (!FormatWithLocale(text, 0, format.empty() ? nullptr : format.c_str(), time, 100, false))
        return VariantDateText(value);
    String timeText;
    if (TimeOfDayPart(value) != 0 && FormatWithLocale(timeText, 0, nullptr, time, 100, true)) text += L" " + timeText;
    return text;
}

bool FormatDateLocale(String& text, DWORD flags, const String& format, TDateTime value) {
    if (!IsDecodableDateValue(value)) {
        text.clear();
        return false;
    }
    return FormatWithLocale(text, flags, format.empty() ? nullptr : format.c_str(), DateTimeToSystemTime(value), 256,
                            false);
}

String DayOfMonthText(TDateTime value) {
    String text;
    if (FormatDateLocale(text, 0, L"d", value)) return text;
    Word year, month, day;
    DecodeDate(value, year, month, day);
    return IntToStr(Integer(day));
}

String LocaleDayNumberText(int n, TcxCustomCalendarTable* table) {
    std::unique_ptr<TcxCustomCalendarTable> own(table ? nullptr : CreateLocaleCalendarTable());
    TcxCustomCalendarTable* calendar = table ? table : own.get();
    return DayOfMonthText(calendar->MomentToValue({0, calendar->LowerYearLimit(), 1, n}));
}

String CalendarMonthName(TcxCustomCalendarTable* table, TDateTime value) {
    TcxCalendarMoment date = table->SplitDate(value);
    date.Day = 1;
    String text;
    if (FormatDateLocale(text, 0, L"MMMM", table->MomentToValue(date))) return text;
    return date.Month >= 1 && date.Month <= 12 ? FormatSettings.LongMonthNames[date.Month - 1] : String();
}

String CalendarMonthNameOf(int year, int month, TcxCustomCalendarTable* table) {
    if (!table->AcceptsMonth(year, month)) return String();
    return CalendarMonthName(table, table->MomentToValue({0, year, month, 1}));
}

bool IsGregorianCalendar(TcxCustomCalendarTable* table) {
    std::unique_ptr<TcxCustomCalendarTable> own(table ? nullptr : CreateLocaleCalendarTable());
    switch ((table ? table : own.get())->PlatformCalendarId()) {
        case 1:
        case 2:
        case 9:
        case 10:
        case 11:
        case 12:
            return true;
        default:
            return false;
    }
}

#pragma once
// Helpers of the date tests: a thread locale (with the formats read from it) for the length of
// a test, and a fixed clock for the smart words.

#include <windows.h>

#include "DateUtils.h"
#include "SysUtils.h"
#include "cxDateText.h"
#include "cxFormats.h"

// Sets the thread locale and the runtime's formats to a locale; puts both back at the end.
class TLocaleScope {
public:
    explicit TLocaleScope(LCID locale) : oldLocale_(GetThreadLocale()), oldSettings_(FormatSettings) {
        SetThreadLocale(locale);
        FormatSettings = TFormatSettings::ForLocale(locale);
        FormatControllerInstance()->RecalculateFormats();
    }
    ~TLocaleScope() {
        SetThreadLocale(oldLocale_);
        FormatSettings = oldSettings_;
        FormatControllerInstance()->RecalculateFormats();
    }
    TLocaleScope(const TLocaleScope&) = delete;
    TLocaleScope& operator=(const TLocaleScope&) = delete;

private:
    LCID oldLocale_;
    TFormatSettings oldSettings_;
};

// The smart words see `now` as the current local time while the scope lasts.
class TFixedClock {
public:
    explicit TFixedClock(TDateTime now) {
        fixedNow() = now;
        SetDateTextClock([] { return fixedNow(); });
    }
    ~TFixedClock() { SetDateTextClock(nullptr); }
    TFixedClock(const TFixedClock&) = delete;
    TFixedClock& operator=(const TFixedClock&) = delete;

private:
    static TDateTime& fixedNow() {
        static TDateTime now = 0;
        return now;
    }
};

inline TDateTime DateOf(int year, int month, int day) { return EncodeDate(Word(year), Word(month), Word(day)); }

// The runtime's own generator: s := s * 134775813 + 1.
class TTestRandom {
public:
    explicit TTestRandom(std::uint32_t seed) : s_(seed) {}
    std::uint32_t Next(std::uint32_t range) {
        s_ = s_ * 134775813u + 1u;
        return std::uint32_t((std::uint64_t(s_) * range) >> 32);
    }

private:
    std::uint32_t s_;
};

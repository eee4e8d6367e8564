#pragma once
// The regional data the toolkit's date helpers need: the first day of the user's week and the
// platform's short date and long time formats split into items (literal texts, year, month,
// day, hour, minute, second, millisecond, AM/PM designator and the two separators).
// One controller per process, made on first use by FormatControllerInstance.

#include <vector>

#include "cxComponent.h"
#include "dxCore.h"

enum TcxDateTimeFormatItemKind : Byte {
    fikLiteral,        // the characters; consecutive literals are merged
    fikYear,           // "YY" or "YYYY"
    fikMonth,          // 1 to 4 copies of M
    fikDay,            // 1 to 4 copies of D (3 and 4 stand for the day's name)
    fikHour,           // 1 or 2 copies of H
    fikMinute,         // 1 or 2 copies of N
    fikSecond,         // 1 or 2 copies of S
    fikMillisecond,    // 1 to 3 copies of Z
    fikAmPm,           // "AM/PM" or "A/P" as written, or "AMPM"
    fikDateSeparator,  // empty
    fikTimeSeparator,  // empty
};
constexpr int FormatItemKindCount = 11;

struct TcxDateTimeFormatItem {
    TcxDateTimeFormatItemKind Kind;
    String Text;
    bool operator==(const TcxDateTimeFormatItem&) const = default;
};

struct TcxDateTimeFormatInfo {
    bool DefinedKinds[FormatItemKindCount] = {};  // set when an item of the kind is added
    std::vector<TcxDateTimeFormatItem> Items;     // in the order of the format
};

// Splits a format of the runtime's notation into items; formats it refers to (C, ddddd,
// dddddd, t, tt) are taken from FormatSettings and expanded one level deep. An empty format
// reads as "C". A format that cannot be described (an era "g") leaves the info empty.
void BuildFormatInfo(const String& format, TcxDateTimeFormatInfo& info);

class TcxFormatController : public TcxIUnknownObject, public IdxResourceStringsListener {
    Z_CLASS(TcxFormatController, TcxIUnknownObject)
public:
    TcxFormatController();
    ~TcxFormatController() override;

    // Reads the start of the week and the two descriptions again.
    void RecalculateFormats();

    int StartOfWeek() const { return startOfWeek_; }  // 0 = Sunday .. 6 = Saturday
    const TcxDateTimeFormatInfo& DateFormatInfo() const { return dateFormatInfo_; }
    const TcxDateTimeFormatInfo& TimeFormatInfo() const { return timeFormatInfo_; }

    void TranslationChanged() override { RecalculateFormats(); }

private:
    Byte startOfWeek_ = 0;
    TcxDateTimeFormatInfo dateFormatInfo_;
    TcxDateTimeFormatInfo timeFormatInfo_;
};

TcxFormatController* FormatControllerInstance();
void FinalizecxFormats();

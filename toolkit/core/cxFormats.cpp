#include "cxFormats.h"

#include "SysUtils.h"
#include "cxDateUtils.h"

// ---- parsing a format -----------------------------------------------------------------------

namespace {

bool IsUtf16HighSurrogate(WideChar c) { return c >= 0xD800 && c <= 0xDBFF; }

class TFormatParser {
public:
    explicit TFormatParser(TcxDateTimeFormatInfo& info) : info_(info), farEast_(IsFarEastSystem()) {}

    // False when the format cannot be described; formats nested two deep add nothing.
    bool Parse(const String& format, int depth) {
        if (depth >= 2) return true;
        WideChar lastLetter = 0;
        size_t i = 0;
        const size_t n = format.size();
        while (i < n) {
            const WideChar original = format[i];
            // A character of two ANSI bytes (or two UTF-16 units) is literal text as a whole.
            const size_t wide = WholeCharLength(format, i);
            if (wide > 1 || (farEast_ && IsDoubleByteAnsiChar(original))) {
                AddLiteral(format.substr(i, wide));
                lastLetter = 0;
                i += wide;
                continue;
            }
            WideChar c = original >= L'a' && original <= L'z' ? WideChar(original - 32) : original;
            if (c >= L'A' && c <= L'Z') {
                if (c == L'M' && lastLetter == L'H') c = L'N';
                lastLetter = c;
            }
            switch (c) {
                case L'"':
                case L'\'': {
                    size_t close = i + 1;
                    while (close < n && format[close] != original) close += WholeCharLength(format, close);
                    AddLiteral(format.substr(i + 1, std::min(close, n) - i - 1));
                    i = close < n ? close + 1 : n;
                    break;
                }
                case L'/':
                    Add(fikDateSeparator, String());
                    ++i;
                    break;
                case L':':
                    Add(fikTimeSeparator, String());
                    ++i;
                    break;
                case L'A':
                    i += ParseA(format, i);
                    break;
                case L'C':
                    i += RunLength(format, i);
                    if (!Parse(FormatSettings.ShortDateFormat, depth + 1)) return false;
                    AddLiteral(L" ");
                    if (!Parse(FormatSettings.LongTimeFormat, depth + 1)) return false;
                    break;
                case L'D': {
                    const size_t run = RunLength(format, i);
                    i += run;
                    if (run <= 4) {
                        Add(fikDay, String(run, L'D'));
                    } else if (!Parse(run == 5 ? FormatSettings.ShortDateFormat : FormatSettings.LongDateFormat,
                                      depth + 1)) {
                        return false;
                    }
                    break;
                }
                case L'E':
                case L'Y': {
                    const size_t run = RunLength(format, i);
                    i += run;
                    Add(fikYear, run > 2 ? L"YYYY" : L"YY");
                    break;
                }
                case L'G':
                    return false;
                case L'H':
                    i += AddRun(fikHour, L'H', format, i, 2);
                    break;
                case L'M':
                    i += AddRun(fikMonth, L'M', format, i, 4);
                    break;
                case L'N':
                    i += AddRun(fikMinute, L'N', format, i, 2);
                    break;
                case L'S':
                    i += AddRun(fikSecond, L'S', format, i, 2);
                    break;
                case L'Z':
                    i += AddRun(fikMillisecond, L'Z', format, i, 3);
                    break;
                case L'T': {
                    const size_t run = RunLength(format, i);
                    i += run;
                    if (!Parse(run == 1 ? FormatSettings.ShortTimeFormat : FormatSettings.LongTimeFormat, depth + 1))
                        return false;
                    break;
                }
                default:
                    AddLiteral(String(1, original));
                    ++i;
                    break;
            }
        }
        return true;
    }

private:
    static size_t WholeCharLength(const String& s, size_t i) {
        return IsUtf16HighSurrogate(s[i]) && i + 1 < s.size() ? 2 : 1;
    }

    // The character at i and the copies of the very same character after it.
    static size_t RunLength(const String& s, size_t i) {
        size_t end = i + 1;
        while (end < s.size() && s[end] == s[i]) ++end;
        return end - i;
    }

    size_t AddRun(TcxDateTimeFormatItemKind kind, WideChar letter, const String& s, size_t i, size_t cap) {
        const size_t run = RunLength(s, i);
        Add(kind, String(std::min(run, cap), letter));
        return run;
    }

    static bool StartsWithNoCase(const String& s, size_t i, const wchar_t* word) {
        for (size_t k = 0; word[k]; ++k) {
            if (i + k >= s.size()) return false;
            WideChar c = s[i + k];
            if (c >= L'a' && c <= L'z') c = WideChar(c - 32);
            if (c != word[k]) return false;
        }
        return true;
    }

    size_t ParseA(const String& s, size_t i) {
        if (StartsWithNoCase(s, i, L"AM/PM")) {
            Add(fikAmPm, s.substr(i, 5));
            return 5;
        }
        if (StartsWithNoCase(s, i, L"A/P")) {
            Add(fikAmPm, s.substr(i, 3));
            return 3;
        }
        if (StartsWithNoCase(s, i, L"AMPM")) {
            Add(fikAmPm, L"AMPM");
            return 4;
        }
        if (StartsWithNoCase(s, i, L"AAAA")) {
            Add(fikDay, L"DDDD");
            return 4;
        }
        if (StartsWithNoCase(s, i, L"AAA")) {
            Add(fikDay, L"DDD");
            return 3;
        }
        AddLiteral(String(1, s[i]));
        return 1;
    }

    // Year to AM/PM items count once: a later item of a kind already present is dropped.
    void Add(TcxDateTimeFormatItemKind kind, const String& text) {
        const bool once = kind >= fikYear && kind <= fikAmPm;
        if (once && info_.DefinedKinds[kind]) return;
        info_.DefinedKinds[kind] = true;
        info_.Items.push_back({kind, text});
    }

    void AddLiteral(const String& text) {
        if (text.empty()) return;
        if (!info_.Items.empty() && info_.Items.back().Kind == fikLiteral)
            info_.Items.back().Text += text;
        else
            Add(fikLiteral, text);
    }

    TcxDateTimeFormatInfo& info_;
    bool farEast_;
};

}  // namespace

void BuildFormatInfo(const String& format, TcxDateTimeFormatInfo& info) {
    info = TcxDateTimeFormatInfo();
    if (!TFormatParser(info).Parse(format.empty() ? String(L"C") : format, 0)) info = TcxDateTimeFormatInfo();
}

// ---- the controller -------------------------------------------------------------------------

namespace {
TcxFormatController* formatController = nullptr;
}

TcxFormatController::TcxFormatController() {
    // Stored first, so that the computation below finds this controller.
    formatController = this;
    RecalculateFormats();
    GetResourceStringsRepository()->AddListener(this);
}

TcxFormatController::~TcxFormatController() {
    GetResourceStringsRepository()->RemoveListener(this);
    if (formatController == this) formatController = nullptr;
}

void TcxFormatController::RecalculateFormats() {
    startOfWeek_ = Byte(LocaleStartOfWeek());
    BuildFormatInfo(FormatSettings.ShortDateFormat, dateFormatInfo_);
    BuildFormatInfo(FormatSettings.LongTimeFormat, timeFormatInfo_);
}

TcxFormatController* FormatControllerInstance() {
    if (!formatController) new TcxFormatController;  // the constructor stores it
    return formatController;
}

void FinalizecxFormats() {
    TcxFormatController* controller = formatController;
    formatController = nullptr;
    FreeObject(controller);
}

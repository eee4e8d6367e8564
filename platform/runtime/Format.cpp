#include "Format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

String TVarRec::AsString() const {
    switch (kind_) {
        case vtString:
            return *string_;
        case vtPWideChar:
            return wide_ ? String(wide_) : String();
        case vtAnsiString:
            return AnsiToString(*ansi_);
        case vtPChar:
            return narrow_ ? AnsiToString(narrow_) : String();
        case vtChar:
            return String(1, char_);
        default:
            return {};
    }
}

// ---- float digits --------------------------------------------------------------------------

namespace {

// A finite value as decimal digits: value = 0.d1d2d3... x 10^exponent.
struct TDecimal {
    bool negative = false;
    std::string digits;  // no leading zeros; empty for zero
    int exponent = 0;
};

TDecimal ToDecimal(Extended value) {
    TDecimal d;
    d.negative = std::signbit(value);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17e", std::fabs(double(value)));
    // "d.ddddddddddddddddde+XX"
    d.digits += buffer[0];
    const char* p = buffer + 2;
    for (; *p >= '0' && *p <= '9'; ++p) d.digits += *p;
    d.exponent = std::atoi(p + 1) + 1;
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) d.exponent = 0;
    return d;
}

// Keeps count significant digits, rounding half away from zero.
void RoundDigits(TDecimal& d, int count) {
    if (int(d.digits.size()) <= count) return;
    if (count < 0) {
        d.digits.clear();
        return;
    }
    bool up = d.digits[size_t(count)] >= '5';
    d.digits.resize(size_t(count));
    if (up) {
        int i = count - 1;
        while (i >= 0 && d.digits[size_t(i)] == '9') d.digits[size_t(i--)] = '0';
        if (i >= 0)
            ++d.digits[size_t(i)];
        else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) d.exponent = 0;
}

char DigitAt(const TDecimal& d, size_t i) { return i < d.digits.size() ? d.digits[i] : '0'; }

String Fixed(TDecimal d, int decimals, bool grouping, const TFormatSettings& settings) {
    RoundDigits(d, d.exponent + decimals);
    String out;
    if (d.negative && !d.digits.empty()) out += L'-';
    if (d.exponent <= 0) {
        out += L'0';
    } else {
        for (int i = 0; i < d.exponent; ++i) {
            if (grouping && i > 0 && (d.exponent - i) % 3 == 0) out += settings.ThousandSeparator;
            out += wchar_t(DigitAt(d, size_t(i)));
        }
    }
    if (decimals > 0) {
        out += settings.DecimalSeparator;
        for (int i = 0; i < decimals; ++i) {
            int index = d.exponent + i;
            out += index < 0 ? L'0' : wchar_t(DigitAt(d, size_t(index)));
        }
    }
    return out;
}

String Scientific(const TDecimal& d, int shownDigits, bool signedExponent, int exponentDigits,
                  const TFormatSettings& settings) {
    String out;
    if (d.negative && !d.digits.empty()) out += L'-';
    out += wchar_t(DigitAt(d, 0));
    if (shownDigits > 1) {
        out += settings.DecimalSeparator;
        for (int i = 1; i < shownDigits; ++i) out += wchar_t(DigitAt(d, size_t(i)));
    }
    int exponent = d.digits.empty() ? 0 : d.exponent - 1;
    out += L'E';
    if (exponent < 0)
        out += L'-';
    else if (signedExponent)
        out += L'+';
    String number = std::to_wstring(std::abs(exponent));
    if (int(number.size()) < exponentDigits) number.insert(0, size_t(exponentDigits) - number.size(), L'0');
    return out + number;
}

}  // namespace

String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits) {
    return FloatToStrF(value, format, precision, digits, FormatSettings);
}

String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits, const TFormatSettings& settings) {
    if (std::isnan(value)) return L"NAN";
    if (std::isinf(value)) return value < 0 ? L"-INF" : L"INF";
    precision = std::clamp(precision, 1, 18);
    TDecimal d = ToDecimal(value);
    switch (format) {
        case ffFixed:
            return Fixed(d, std::clamp(digits, 0, 18), false, settings);
        case ffNumber:
            return Fixed(d, std::clamp(digits, 0, 18), true, settings);
        case ffExponent:
            RoundDigits(d, precision);
            return Scientific(d, precision, true, std::clamp(digits, 0, 4), settings);
        case ffGeneral:
        default: {
            RoundDigits(d, precision);
            if (d.digits.empty()) return L"0";
            if (d.exponent > precision || d.exponent < -3)
                return Scientific(d, int(d.digits.size()), false, std::clamp(digits, 0, 4), settings);
            return Fixed(d, std::max(0, int(d.digits.size()) - d.exponent), false, settings);
        }
    }
}

// ---- Format --------------------------------------------------------------------------------

namespace {

[[noreturn]] void Invalid(const String& format) {
    throw EConvertError(L"Format '" + format + L"' invalid or incompatible with argument");
}

String Pad(String text, int width, bool left, bool zeros) {
    if (int(text.size()) >= width) return text;
    size_t fill = size_t(width) - text.size();
    if (left) return text + String(fill, L' ');
    if (zeros) {
        size_t at = (!text.empty() && text[0] == L'-') ? 1 : 0;
        return text.insert(at, fill, L'0');
    }
    return String(fill, L' ') + text;
}

String WithMinimumDigits(String digits, int precision) {
    bool negative = !digits.empty() && digits[0] == L'-';
    size_t count = digits.size() - (negative ? 1 : 0);
    if (precision > int(count)) digits.insert(negative ? 1 : 0, size_t(precision) - count, L'0');
    return digits;
}

}  // namespace

String Format(const String& format, std::initializer_list<TVarRec> args) {
    return Format(format, args, FormatSettings);
}

String Format(const String& format, std::initializer_list<TVarRec> args, const TFormatSettings& settings) {
    const TVarRec* values = args.begin();
    const size_t count = args.size();
    size_t next = 0;
    String out;
    const size_t n = format.size();
    size_t i = 0;
    auto takeNumber = [&]() {
        int v = 0;
        while (i < n && format[i] >= L'0' && format[i] <= L'9') v = v * 10 + (format[i++] - L'0');
        return v;
    };
    auto takeStar = [&]() {
        if (next >= count || !values[next].IsInteger()) Invalid(format);
        return int(values[next++].AsInt64());
    };
    while (i < n) {
        wchar_t c = format[i++];
        if (c != L'%') {
            out += c;
            continue;
        }
        if (i >= n) Invalid(format);
        if (format[i] == L'%') {
            out += L'%';
            ++i;
            continue;
        }
        // [index ":"] ["-"] ["0"] [width] ["." precision] type
        bool left = false, zeros = false;
        int width = -1, precision = -1;
        if (format[i] == L'*') {
            ++i;
            width = takeStar();
        } else if (format[i] >= L'0' && format[i] <= L'9') {
            size_t start = i;
            int v = takeNumber();
            if (i < n && format[i] == L':') {
                next = size_t(v);
                ++i;
            } else {
                zeros = format[start] == L'0';
                width = v;
            }
        }
        if (width < 0) {
            if (i < n && format[i] == L'-') {
                left = true;
                ++i;
            }
            if (i < n && format[i] == L'0') zeros = true;
            if (i < n && format[i] == L'*') {
                ++i;
                width = takeStar();
            } else if (i < n && format[i] >= L'0' && format[i] <= L'9') {
                width = takeNumber();
            }
        }
        if (width < 0) width = 0;
        if (i < n && format[i] == L'.') {
            ++i;
            if (i < n && format[i] == L'*') {
                ++i;
                precision = takeStar();
            } else {
                precision = takeNumber();
            }
        }
        if (i >= n || next >= count) Invalid(format);
        const TVarRec& arg = values[next++];
        wchar_t type = format[i++];
        if (type >= L'A' && type <= L'Z') type = wchar_t(type + 32);
        String text;
        bool numeric = true;
        switch (type) {
            case L'd':
                if (!arg.IsInteger()) Invalid(format);
                text = WithMinimumDigits(std::to_wstring(arg.AsInt64()), precision);
                break;
            case L'u': {
                if (!arg.IsInteger()) Invalid(format);
                UInt64 v = arg.Kind() == TVarRec::vtInteger ? UInt64(Cardinal(arg.AsInt64())) : UInt64(arg.AsInt64());
                text = WithMinimumDigits(std::to_wstring(v), precision);
                break;
            }
            case L'x': {
                if (!arg.IsInteger()) Invalid(format);
                Int64 v = arg.Kind() == TVarRec::vtInteger ? Int64(Cardinal(arg.AsInt64())) : arg.AsInt64();
                text = IntToHex(v, std::max(precision, 0));
                break;
            }
            case L'p':
                if (arg.Kind() != TVarRec::vtPointer) Invalid(format);
                text = IntToHex(Int64(reinterpret_cast<uintptr_t>(arg.AsPointer())), int(sizeof(void*) * 2));
                break;
            case L's':
                if (!arg.IsText()) Invalid(format);
                text = arg.AsString();
                if (precision >= 0 && int(text.size()) > precision) text.resize(size_t(precision));
                numeric = false;
                break;
            case L'f':
            case L'n':
                if (arg.Kind() != TVarRec::vtExtended) Invalid(format);
                text = FloatToStrF(arg.AsExtended(), type == L'f' ? ffFixed : ffNumber, 18,
                                   precision < 0 ? 2 : precision, settings);
                break;
            case L'e':
                if (arg.Kind() != TVarRec::vtExtended) Invalid(format);
                text = FloatToStrF(arg.AsExtended(), ffExponent, precision < 0 ? 15 : precision, 3, settings);
                break;
            case L'g':
                if (arg.Kind() != TVarRec::vtExtended) Invalid(format);
                text = FloatToStrF(arg.AsExtended(), ffGeneral, precision < 0 ? 15 : precision, 0, settings);
                break;
            default:
                Invalid(format);
        }
        out += Pad(std::move(text), width, left, zeros && numeric && !left);
    }
    return out;
}

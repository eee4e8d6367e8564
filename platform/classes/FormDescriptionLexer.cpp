#include "FormDescriptionLexer.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "SysExceptions.h"
#include "SysUtils.h"
#include "TypInfo.h"

namespace {

String LineSuffix(int line) { return L" at line " + std::to_wstring(line); }

bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

}  // namespace

bool TToken::IsKeyword(const wchar_t* word) const { return Kind == ttIdent && SameText(Text, word); }

bool TToken::IsNumber() const { return Kind == ttFloat || Kind == ttInteger || IsKeyword(L"NaN") || IsKeyword(L"Inf"); }

double TToken::Number() const {
    if (Kind == ttInteger) return double(Integer);
    if (IsKeyword(L"NaN")) return std::numeric_limits<double>::quiet_NaN();
    if (IsKeyword(L"Inf")) return HUGE_VAL;
    return Float;
}

// ---- UTF-8 ---------------------------------------------------------------------------------

String DecodeUtf8(const std::vector<Byte>& bytes) {
    String out;
    out.reserve(bytes.size());
    size_t i = 0;
    int line = 1;
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) i = 3;
    while (i < bytes.size()) {
        Byte b = bytes[i];
        if (b < 0x80) {
            if (b == '\n') ++line;
            out += wchar_t(b);
            ++i;
            continue;
        }
        int extra = (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0) throw EReadError(L"Invalid UTF-8 text" + LineSuffix(line));
        UInt64 code = b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            if (i + size_t(k) >= bytes.size() || (bytes[i + size_t(k)] & 0xC0) != 0x80)
                throw EReadError(L"Invalid UTF-8 text" + LineSuffix(line));
            code = (code << 6) | (bytes[i + size_t(k)] & 0x3F);
        }
        static const UInt64 minimum[] = {0, 0x80, 0x800, 0x10000};
        if (code < minimum[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            throw EReadError(L"Invalid UTF-8 text" + LineSuffix(line));
        if (code >= 0x10000) {
            code -= 0x10000;
            out += wchar_t(0xD800 + (code >> 10));
            out += wchar_t(0xDC00 + (code & 0x3FF));
        } else {
            out += wchar_t(code);
        }
        i += size_t(extra) + 1;
    }
    return out;
}

std::vector<Byte> EncodeUtf8(const String& text) {
    AnsiString bytes = UTF8Encode(text);
    return std::vector<Byte>(bytes.begin(), bytes.end());
}

String QuoteString(const String& value) {
    String out;
    bool quoted = false;
    for (size_t i = 0; i < value.size(); ++i) {
        wchar_t c = value[i];
        bool high = c >= 0xD800 && c <= 0xDBFF;
        bool low = c >= 0xDC00 && c <= 0xDFFF;
        bool paired = (high && i + 1 < value.size() && value[i + 1] >= 0xDC00 && value[i + 1] <= 0xDFFF) ||
                      (low && i > 0 && value[i - 1] >= 0xD800 && value[i - 1] <= 0xDBFF);
        if (c < 32 || c == 127 || ((high || low) && !paired)) {
            if (quoted) out += L'\'';
            quoted = false;
            out += L'#' + std::to_wstring(unsigned(c));
            continue;
        }
        if (!quoted) out += L'\'';
        quoted = true;
        out += c;
        if (c == L'\'') out += L'\'';
    }
    if (quoted) out += L'\'';
    if (out.empty()) out = L"''";
    return out;
}

String FormatFloatValue(double value, bool singlePrecision) {
    // The control word masks floating-point exceptions, so these values do occur.
    if (std::isnan(value)) return L"NaN";
    if (std::isinf(value)) return value > 0 ? L"Inf" : L"-Inf";
    char buffer[64];
    std::to_chars_result r = singlePrecision ? std::to_chars(buffer, buffer + sizeof buffer, float(value))
                                             : std::to_chars(buffer, buffer + sizeof buffer, value);
    String text(buffer, r.ptr);
    // Always recognisable as a float, never as an integer.
    if (text.find_first_of(L".e") == String::npos) text += L".0";
    return text;
}

// ---- TFormDescriptionLexer -----------------------------------------------------------------

TFormDescriptionLexer::TFormDescriptionLexer(const std::vector<Byte>& utf8Text) : text_(DecodeUtf8(utf8Text)) {}

void TFormDescriptionLexer::Fail(const String& message, int line) const {
    throw EReadError(message + LineSuffix(line));
}

const TToken& TFormDescriptionLexer::Peek(int ahead) {
    while (int(ahead_.size()) <= ahead) ahead_.push_back(Scan());
    return ahead_[size_t(ahead)];
}

TToken TFormDescriptionLexer::Next() {
    Peek();
    TToken token = std::move(ahead_.front());
    ahead_.erase(ahead_.begin());
    return token;
}

TToken TFormDescriptionLexer::Scan() {
    // Blanks and comments ("//" to the end of the line).
    for (;;) {
        while (pos_ < text_.size() &&
               (text_[pos_] == L' ' || text_[pos_] == L'\t' || text_[pos_] == L'\r' || text_[pos_] == L'\n')) {
            if (text_[pos_] == L'\n') ++line_;
            ++pos_;
        }
        if (pos_ + 1 < text_.size() && text_[pos_] == L'/' && text_[pos_ + 1] == L'/') {
            while (pos_ < text_.size() && text_[pos_] != L'\n') ++pos_;
            continue;
        }
        break;
    }
    TToken token;
    token.Line = line_;
    if (pos_ >= text_.size()) return token;
    wchar_t c = text_[pos_];
    if (IsLetter(c)) {
        size_t start = pos_;
        while (pos_ < text_.size() && (IsLetter(text_[pos_]) || IsDigit(text_[pos_]) ||
                                       (text_[pos_] == L'.' && pos_ + 1 < text_.size() && IsLetter(text_[pos_ + 1]))))
            ++pos_;
        token.Kind = ttIdent;
        token.Text = text_.substr(start, pos_ - start);
    } else if (c == L'\'' || c == L'#') {
        ScanString(token);
    } else if (IsDigit(c) || c == L'$' || c == L'-' || c == L'+') {
        ScanNumber(token);
    } else if (c == L'{') {
        ScanBinary(token);
    } else if (String(L"=:[]()<>,").find(c) != String::npos) {
        token.Kind = ttSymbol;
        token.Text = String(1, c);
        ++pos_;
    } else {
        Fail(L"Invalid character '" + String(1, c) + L"'", line_);
    }
    return token;
}

void TFormDescriptionLexer::ScanString(TToken& token) {
    token.Kind = ttString;
    for (;;) {
        if (pos_ < text_.size() && text_[pos_] == L'\'') {
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size() || text_[pos_] == L'\n' || text_[pos_] == L'\r')
                    Fail(L"Unterminated string", token.Line);
                wchar_t c = text_[pos_++];
                if (c == L'\'') {
                    if (pos_ < text_.size() && text_[pos_] == L'\'') {
                        token.Text += L'\'';
                        ++pos_;
                        continue;
                    }
                    break;
                }
                token.Text += c;
            }
        } else if (pos_ < text_.size() && text_[pos_] == L'#') {
            ++pos_;
            size_t start = pos_;
            UInt64 code = 0;
            while (pos_ < text_.size() && IsDigit(text_[pos_]) && code <= 0xFFFF)
                code = code * 10 + (text_[pos_++] - L'0');
            if (pos_ == start || code > 0xFFFF) Fail(L"Invalid character code in a string", token.Line);
            token.Text += wchar_t(code);
        } else {
            break;
        }
    }
}

void TFormDescriptionLexer::ScanNumber(TToken& token) {
    size_t start = pos_;
    bool negative = false;
    if (text_[pos_] == L'-' || text_[pos_] == L'+') {
        negative = text_[pos_] == L'-';
        ++pos_;
    }
    if (negative && text_.compare(pos_, 3, L"Inf") == 0 &&
        !(pos_ + 3 < text_.size() && (IsLetter(text_[pos_ + 3]) || IsDigit(text_[pos_ + 3])))) {
        pos_ += 3;
        token.Kind = ttFloat;
        token.Float = -HUGE_VAL;
        return;
    }
    if (pos_ < text_.size() && text_[pos_] == L'$') {
        ++pos_;
        UInt64 value = 0;
        size_t digits = 0;
        while (pos_ < text_.size() && HexDigit(text_[pos_]) >= 0) {
            value = value * 16 + UInt64(HexDigit(text_[pos_++]));
            if (++digits > 16) Fail(L"Number out of range", token.Line);
        }
        if (digits == 0) Fail(L"Invalid number", token.Line);
        token.Kind = ttInteger;
        token.Hex = !negative;
        token.Integer = negative ? -Int64(value) : Int64(value);
    } else {
        bool isFloat = false;
        while (pos_ < text_.size()) {
            wchar_t c = text_[pos_];
            if (IsDigit(c)) {
                ++pos_;
            } else if (c == L'.' || c == L'e' || c == L'E') {
                isFloat = true;
                ++pos_;
                if (c != L'.' && pos_ < text_.size() && (text_[pos_] == L'-' || text_[pos_] == L'+')) ++pos_;
            } else {
                break;
            }
        }
        std::string ascii;
        for (size_t i = start; i < pos_; ++i) ascii += char(text_[i]);
        const char* first = ascii.data() + (ascii[0] == '+' ? 1 : 0);
        const char* last = ascii.data() + ascii.size();
        std::from_chars_result r;
        if (isFloat) {
            token.Kind = ttFloat;
            r = std::from_chars(first, last, token.Float);
        } else {
            token.Kind = ttInteger;
            r = std::from_chars(first, last, token.Integer);
        }
        if (r.ec == std::errc::result_out_of_range) Fail(L"Number out of range", token.Line);
        if (r.ec != std::errc() || r.ptr != last) Fail(L"Invalid number", token.Line);
    }
    if (pos_ < text_.size() && (IsLetter(text_[pos_]) || IsDigit(text_[pos_]))) Fail(L"Invalid number", token.Line);
}

void TFormDescriptionLexer::ScanBinary(TToken& token) {
    token.Kind = ttBinary;
    ++pos_;  // '{'
    int high = -1;
    for (;;) {
        if (pos_ >= text_.size()) Fail(L"Unterminated binary value", token.Line);
        wchar_t c = text_[pos_++];
        if (c == L'}') break;
        if (c == L' ' || c == L'\t' || c == L'\r') continue;
        if (c == L'\n') {
            ++line_;
            continue;
        }
        int digit = HexDigit(c);
        if (digit < 0) Fail(L"Invalid hexadecimal digit '" + String(1, c) + L"' in binary value", line_);
        if (high < 0) {
            high = digit;
        } else {
            token.Bytes.push_back(Byte(high * 16 + digit));
            high = -1;
        }
    }
    if (high >= 0) Fail(L"Odd number of hexadecimal digits in binary value", token.Line);
}

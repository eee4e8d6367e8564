#include "GLUtils.h"

#include <windows.h>

#include <cmath>

#include "ApplicationFileIO.h"
#include "ScalarArithmetic.h"

namespace {

// Exponents are clamped here: anything larger already overflows or underflows an extended.
constexpr long kExponentLimit = 100000;

template <class Ch>
bool ParseFloatDot(const Ch* text, size_t length, Extended& result) {
    if (length == 0) return false;
    while (length > 0 && text[length - 1] == ' ') --length;
    if (length == 0) {
        result = 0;
        return true;
    }
    Extended value = 0;
    bool negative = false, anyDigit = false, inFraction = false;
    long fractionDigits = 0, exponent = 0;
    for (size_t i = 0; i < length; ++i) {
        Ch c = text[i];
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            anyDigit = true;
            if (inFraction) ++fractionDigits;
        } else if (c == '.' || c == ',') {
            if (inFraction) return false;
            inFraction = true;
        } else if (c == ' ') {
            if (value != 0) return false;
        } else if (c == '+' || c == '-') {
            if (i != 0) return false;
            negative = c == '-';
        } else if (c == 'e' || c == 'E') {
            size_t j = i + 1;
            bool negativeExponent = false;
            if (j < length && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
            if (j == length) return false;  // "1e" and "1e-" are not numbers
            for (; j < length; ++j) {
                if (text[j] < '0' || text[j] > '9') return false;
                if (exponent < kExponentLimit) exponent = exponent * 10 + (text[j] - '0');
            }
            if (negativeExponent) exponent = -exponent;
            break;
        } else {
            return false;
        }
    }
    if (!anyDigit) return false;
    long scale = fractionDigits - exponent;
    // A zero mantissa stays zero; scaling it could give 0 * infinity.
    if (scale != 0 && value != 0) value *= std::exp(-scale * std::log(10.0L));
    result = negative ? -value : value;
    return true;
}

}  // namespace

Int64 NextPowerOfTwo(Int64 n) {
    constexpr Int64 kLargest = Int64(1) << 62;
    Int64 result = 1;
    while (result < n && result < kLargest) result <<= 1;
    return result;
}

bool TryParseFloatDot(const String& text, Extended& value) { return ParseFloatDot(text.data(), text.size(), value); }

bool TryParseFloatDot(const AnsiString& text, Extended& value) {
    return ParseFloatDot(text.data(), text.size(), value);
}

Extended ParseFloatOr(const String& text, Extended defaultValue) {
    Extended value;
    return TryParseFloatDot(text, value) ? value : defaultValue;
}

Extended ParseFloatOr(const AnsiString& text, Extended defaultValue) {
    Extended value;
    return TryParseFloatDot(text, value) ? value : defaultValue;
}

void SaveTextToFile(const String& fileName, const AnsiString& text) {
    std::unique_ptr<TStream> stream = CreateHookedFileStream(fileName, fmCreate);
    if (!text.empty()) stream->WriteBuffer(text.data(), Integer(text.size()));
}

AnsiString LoadTextFromFile(const String& fileName) {
    if (!HookedFileExists(fileName)) return {};
    std::unique_ptr<TStream> stream = CreateHookedFileStream(fileName, fmOpenReadDenyNone);
    stream->SetPosition(0);
    Int64 size = stream->Size();
    if (size > 0x7FFFFFFF) throw EReadError(L"File too large: \"" + fileName + L"\"");
    AnsiString text(size_t(size), '\0');
    if (size > 0) stream->ReadBuffer(text.data(), Integer(size));
    return text;
}

Int64 FileSizeOf(const String& fileName) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(fileName.c_str(), GetFileExInfoStandard, &data)) return 0;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    return (Int64(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

const Byte* SquareRootRampTable() {
    static Byte table[256];
    if (table[255] != 255)
        for (int i = 0; i < 256; ++i) table[i] = Byte(TruncSingle(Single(std::sqrt(i * (1.0L / 255)) * 255)));
    return table;
}

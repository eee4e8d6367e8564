#pragma once
// Format: printf-style text from a format and a list of values of mixed kinds.
//
//     Format(L"%d - %s [%d - %d]", {index, name, first, last})
//
// A format item is "%" [index ":"] ["-"] ["0"] [width] ["." precision] type; width and precision
// may be "*" (taken from the next integer argument). Types, in either letter case:
//   d  decimal integer (precision: minimum digits)      u  unsigned decimal
//   x  upper-case hexadecimal (precision: minimum digits) p  pointer, 8 hex digits
//   s  string or character (precision: maximum length)
//   f  fixed ("%.2f" by default)   n  fixed with thousand separators
//   e  scientific "d.ddE+ddd" (precision: significant digits, 15 by default)
//   g  the shorter of fixed and scientific (precision: significant digits, 15 by default)
//   %% a percent sign
// "-" aligns left within the width; "0" pads numbers with zeros. Floats use the decimal and
// thousand separators of the settings (the user's, by default). Rounding is half away from
// zero on the decimal digits, so 0.125 shows as "0.13" with "%.2f".
// A format item that does not fit its argument, or a missing argument, raises EConvertError
// "Format '<format>' invalid or incompatible with argument".

#include <initializer_list>

#include "SysUtils.h"

// One argument of Format. Holds references to the caller's strings: it lives only for the
// call (the argument list is built in the same expression).
class TVarRec {
public:
    enum TKind { vtInteger, vtInt64, vtExtended, vtString, vtPWideChar, vtAnsiString, vtPChar, vtChar, vtPointer };

    TVarRec(int v) : kind_(vtInteger), int_(v) {}
    TVarRec(long v) : kind_(vtInteger), int_(v) {}
    TVarRec(short v) : kind_(vtInteger), int_(v) {}
    TVarRec(unsigned char v) : kind_(vtInteger), int_(v) {}
    TVarRec(signed char v) : kind_(vtInteger), int_(v) {}
    TVarRec(unsigned short v) : kind_(vtInteger), int_(v) {}
    TVarRec(bool v) : kind_(vtInteger), int_(v ? 1 : 0) {}
    // Unsigned 32-bit values do not fit a signed Integer; they format as 64-bit numbers.
    TVarRec(unsigned int v) : kind_(vtInt64), int_(Int64(v)) {}
    TVarRec(unsigned long v) : kind_(vtInt64), int_(Int64(v)) {}
    TVarRec(long long v) : kind_(vtInt64), int_(v) {}
    TVarRec(unsigned long long v) : kind_(vtInt64), int_(Int64(v)) {}
    TVarRec(float v) : kind_(vtExtended), float_(v) {}
    TVarRec(double v) : kind_(vtExtended), float_(v) {}
    TVarRec(long double v) : kind_(vtExtended), float_(v) {}
    TVarRec(const String& v) : kind_(vtString), string_(&v) {}
    TVarRec(const wchar_t* v) : kind_(vtPWideChar), wide_(v) {}
    TVarRec(const AnsiString& v) : kind_(vtAnsiString), ansi_(&v) {}
    TVarRec(const char* v) : kind_(vtPChar), narrow_(v) {}
    TVarRec(wchar_t v) : kind_(vtChar), char_(v) {}
    TVarRec(char v) : kind_(vtChar), char_(wchar_t(static_cast<unsigned char>(v))) {}
    TVarRec(const void* v) : kind_(vtPointer), pointer_(v) {}
    TVarRec(std::nullptr_t) : kind_(vtPointer), pointer_(nullptr) {}

    TKind Kind() const { return kind_; }
    bool IsInteger() const { return kind_ == vtInteger || kind_ == vtInt64; }
    bool IsText() const { return kind_ >= vtString && kind_ <= vtChar; }
    Int64 AsInt64() const { return int_; }
    Extended AsExtended() const { return float_; }
    String AsString() const;  // for the text kinds
    const void* AsPointer() const { return pointer_; }

private:
    TKind kind_;
    union {
        Int64 int_;
        Extended float_;
        const String* string_;
        const wchar_t* wide_;
        const AnsiString* ansi_;
        const char* narrow_;
        wchar_t char_;
        const void* pointer_;
    };
};

String Format(const String& format, std::initializer_list<TVarRec> args);
String Format(const String& format, std::initializer_list<TVarRec> args, const TFormatSettings& settings);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };

// A float as text. ffGeneral: precision significant digits, scientific when the exponent is
// beyond the precision or the value is below 0.0001 ("1E20", "1.5E-7"); ffExponent: precision
// significant digits and at least digits exponent digits ("1.50E+003"); ffFixed and ffNumber
// (with thousand separators): digits decimals. NAN, INF and -INF as such.
String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits);
String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits, const TFormatSettings& settings);

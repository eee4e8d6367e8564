#pragma once
// The tokens of the form-description text (docs/FORM-DESCRIPTIONS.md), and the text helpers the
// reader and writer share: UTF-8 decoding and encoding, quoting of strings, float formatting.

#include <vector>

#include "SysTypes.h"

enum TTokenKind {
    ttEnd,
    ttIdent,  // letters, digits, '_' and inner dots: Name, Font.Size, Form2.Button1
    ttInteger,
    ttFloat,
    ttString,  // quoted pieces and #n codes, already joined
    ttBinary,  // { hex digits }, already decoded
    ttSymbol   // one of = : [ ] ( ) < > ,
};

struct TToken {
    TTokenKind Kind = ttEnd;
    int Line = 1;
    String Text;  // identifier, string value, or the symbol
    Int64 Integer = 0;
    bool Hex = false;  // written with '$': a bit pattern, which may fill a signed type's sign bit
    double Float = 0;
    std::vector<Byte> Bytes;

    bool IsSymbol(wchar_t c) const { return Kind == ttSymbol && Text.size() == 1 && Text[0] == c; }
    bool IsKeyword(const wchar_t* word) const;  // an identifier, letter case ignored
    // A number where one is expected: an integer, a float, or the identifiers NaN and Inf.
    bool IsNumber() const;
    double Number() const;
};

// Splits a description into tokens. Every fault raises EReadError naming the line: an
// unterminated string, bad hexadecimal, a malformed number, a stray character, bad UTF-8.
class TFormDescriptionLexer {
public:
    explicit TFormDescriptionLexer(const std::vector<Byte>& utf8Text);
    const TToken& Peek(int ahead = 0);
    TToken Next();

private:
    TToken Scan();
    [[noreturn]] void Fail(const String& message, int line) const;
    void ScanString(TToken& token);
    void ScanNumber(TToken& token);
    void ScanBinary(TToken& token);

    String text_;
    size_t pos_ = 0;
    int line_ = 1;
    std::vector<TToken> ahead_;
};

// Text helpers.
String DecodeUtf8(const std::vector<Byte>& bytes);  // raises EReadError "... at line n" on bad UTF-8
std::vector<Byte> EncodeUtf8(const String& text);
// A string value as written: quoted runs, with '' for a quote and #n for control characters and
// unpaired surrogates, e.g. 'It''s'#13#10'done'; an empty string is ''.
String QuoteString(const String& value);
// The shortest text that reads back as the same value of the given precision.
String FormatFloatValue(double value, bool singlePrecision);

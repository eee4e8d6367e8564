#pragma once
// Small helpers used across the engine: power-of-two sizes, locale-free number parsing,
// whole-file text helpers and a square-root ramp for image processing.

#include "SysTypes.h"

// The smallest power of two >= n; 1 for n <= 1.
Int64 NextPowerOfTwo(Int64 n);

// Reads a decimal number with "." or "," as the separator, whatever the user's locale, with an
// optional sign and exponent ("-1.5e3", "12,34"). Blanks may lead (also among leading zeros)
// and trail; a text of blanks only reads as 0. Anything else, an empty text, or a number
// without a digit fails, leaving value untouched.
bool TryParseFloatDot(const String& text, Extended& value);
bool TryParseFloatDot(const AnsiString& text, Extended& value);
// The parsed number, or defaultValue when the text is not one.
Extended ParseFloatOr(const String& text, Extended defaultValue);
Extended ParseFloatOr(const AnsiString& text, Extended defaultValue);

// Creates the file through CreateHookedFileStream and writes the text's bytes; an empty text
// still creates the file.
void SaveTextToFile(const String& fileName, const AnsiString& text);
// The whole file as bytes, read with sharing allowed; empty when the file does not exist.
AnsiString LoadTextFromFile(const String& fileName);
// The file's size, 0 when it does not exist.
Int64 FileSizeOf(const String& fileName);

// 256 bytes, t[i] = trunc(sqrt(i / 255) * 255); built on first use.
const Byte* SquareRootRampTable();

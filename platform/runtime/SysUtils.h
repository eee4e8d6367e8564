#pragma once
// String, number and file-system routines.
//
// Sections: trimming and case · comparison · integers · floats and the locale's number format ·
// code-page conversion · paths · files and folders · the program.
//
// Case mapping and comparison come in two kinds: the plain names (UpperCase, CompareText,
// SameText) touch only ASCII letters and never depend on the user's settings, which is what
// names, keys and identifiers need; the Ansi* names follow the user's locale, for text that is
// shown or sorted for the user.

#include "SysExceptions.h"
#include "SysTypes.h"

// windows.h makes DeleteFile a macro; the name here is ours, Win32's is DeleteFileW.
#undef DeleteFile

// ---- trimming and case ---------------------------------------------------------------------

// Remove leading and/or trailing blanks and control characters (everything up to U+0020).
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);
AnsiString Trim(const AnsiString& s);

String UpperCase(const String& s);  // ASCII letters only
String LowerCase(const String& s);
AnsiString UpperCase(const AnsiString& s);
AnsiString LowerCase(const AnsiString& s);
String AnsiUpperCase(const String& s);  // by the user's locale
String AnsiLowerCase(const String& s);

// ---- comparison ----------------------------------------------------------------------------

// <0, 0 or >0. CompareStr compares UTF-16 code units; CompareText does the same after folding
// ASCII letters to upper case.
int CompareStr(const String& a, const String& b);
int CompareText(const String& a, const String& b);
bool SameText(const String& a, const String& b);
// By the user's locale (CompareStringW), with or without case.
int AnsiCompareStr(const String& a, const String& b);
int AnsiCompareText(const String& a, const String& b);
bool AnsiSameText(const String& a, const String& b);
bool AnsiSameStr(const String& a, const String& b);

// ---- integers ------------------------------------------------------------------------------

String IntToStr(Integer value);
String IntToStr(Int64 value);
// Upper-case hexadecimal, at least digits wide (zero-padded).
String IntToHex(Int64 value, int digits);

// Integer text: leading blanks, an optional sign, then decimal digits or hexadecimal after "$",
// "0x" or "0X". Hexadecimal may use all 32 (64) bits. Anything else, or a value out of range,
// is not an integer.
bool TryStrToInt(const String& s, Integer& value);
bool TryStrToInt64(const String& s, Int64& value);
Integer StrToInt(const String& s);  // raises EConvertError "'%s' is not a valid integer value"
Int64 StrToInt64(const String& s);
Integer StrToIntDef(const String& s, Integer defaultValue);
Int64 StrToInt64Def(const String& s, Int64 defaultValue);

// ---- floats and the locale's number format -------------------------------------------------

struct TFormatSettings {
    wchar_t DecimalSeparator = L'.';
    wchar_t ThousandSeparator = L',';
    wchar_t DateSeparator = L'/';
    wchar_t TimeSeparator = L':';
    // Date and time formats in the runtime's notation (d, m, y, h, n, s, z; "AMPM" for the
    // designator; "/" and ":" for the separators): the locale's own, with its "tt" or "t"
    // designator written "AMPM".
    String ShortDateFormat = L"M/d/yyyy";
    String LongDateFormat = L"dddd, MMMM d, yyyy";
    String ShortTimeFormat = L"h:mm AMPM";
    String LongTimeFormat = L"h:mm:ss AMPM";
    String LongMonthNames[12] = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                                 L"July",    L"August",   L"September", L"October", L"November", L"December"};
    String ShortMonthNames[12] = {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                  L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
    // The settings of a locale (LOCALE_USER_DEFAULT for the user's own).
    static TFormatSettings ForLocale(LCID locale);
    // Invariant settings: "." and ",", for files that must read the same everywhere.
    static TFormatSettings Invariant() { return {}; }
};

// A Windows time format ("h:mm:ss tt") in the runtime's notation ("h:mm:ss AMPM").
String LocaleTimeFormatToRuntime(const String& format);

// The user's settings, read at start-up (the SysUtils unit) and again on demand.
extern TFormatSettings FormatSettings;
void GetFormatSettings();

// Shortest text that reads back the same value at 15 significant digits: "0.1", "1E20".
String FloatToStr(Extended value);
String FloatToStr(Extended value, const TFormatSettings& settings);
// Float text: optional blanks, sign, digits with the settings' decimal separator, an optional
// exponent "E[+-]digits", optional blanks. Raises EConvertError
// "'%s' is not a valid floating point value".
bool TryStrToFloat(const String& s, Extended& value);
bool TryStrToFloat(const String& s, Extended& value, const TFormatSettings& settings);
bool TryStrToFloat(const String& s, Double& value);
bool TryStrToFloat(const String& s, Single& value);
Extended StrToFloat(const String& s);
Extended StrToFloat(const String& s, const TFormatSettings& settings);
Extended StrToFloatDef(const String& s, Extended defaultValue);
Extended StrToFloatDef(const String& s, Extended defaultValue, const TFormatSettings& settings);

// ---- code-page conversion ------------------------------------------------------------------

// UTF-16 to and from 8-bit text in a code page (CP_ACP: the system's ANSI code page).
AnsiString StringToAnsi(const String& s, UINT codePage = CP_ACP);
String AnsiToString(const AnsiString& s, UINT codePage = CP_ACP);
// True when every character of s has an exact form in the code page.
bool CanEncodeAnsi(const String& s, UINT codePage = CP_ACP);
AnsiString UTF8Encode(const String& s);
String UTF8ToString(const AnsiString& s);

// ---- paths ---------------------------------------------------------------------------------

constexpr wchar_t PathDelim = L'\\';
constexpr wchar_t DriveDelim = L':';

String ExtractFilePath(const String& fileName);   // up to and including the last '\' or ':'
String ExtractFileDir(const String& fileName);    // the same without the trailing '\' (roots keep it)
String ExtractFileDrive(const String& fileName);  // "C:" or "\\server\share"
String ExtractFileName(const String& fileName);
String ExtractFileExt(const String& fileName);  // with the dot; empty when none
String ChangeFileExt(const String& fileName, const String& extension);
String IncludeTrailingPathDelimiter(const String& path);
String ExcludeTrailingPathDelimiter(const String& path);
String ExpandFileName(const String& fileName);  // absolute, from the current folder

// ---- files and folders ---------------------------------------------------------------------

bool FileExists(const String& fileName);  // an existing file, not a folder
bool DirectoryExists(const String& directory);
bool CreateDir(const String& directory);
// Creates the folder and every missing parent; true when it exists afterwards.
bool ForceDirectories(const String& directory);
bool DeleteFile(const String& fileName);
bool RemoveDir(const String& directory);
bool RenameFile(const String& oldName, const String& newName);
String GetCurrentDir();
bool SetCurrentDir(const String& directory);

// ---- the program ---------------------------------------------------------------------------

// ParamStr(0) is the program's full file name; 1.. are its command-line arguments.
String ParamStr(int index);
int ParamCount();
String GetModuleName(HMODULE module);
// The folder of the program's executable, with a trailing '\'.
String ProgramFolder();
// True when this code runs in a library (DLL) loaded by a program, not in the program itself.
bool IsLibrary();

// The platform's unit start-up for this unit: reads the user's format settings.
void InitializeSysUtils();

#include "SysUtils.h"

#include "Format.h"

#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

// ---- trimming and case ---------------------------------------------------------------------

namespace {

template <class S>
S TrimRange(const S& s, bool left, bool right) {
    size_t first = 0, last = s.size();
    if (left)
        while (first < last && static_cast<std::make_unsigned_t<typename S::value_type>>(s[first]) <= 32) ++first;
    if (right)
        while (last > first && static_cast<std::make_unsigned_t<typename S::value_type>>(s[last - 1]) <= 32) --last;
    return s.substr(first, last - first);
}

template <class S>
S MapAscii(S s, bool upper) {
    for (auto& c : s) {
        if (upper && c >= 'a' && c <= 'z')
            c = typename S::value_type(c - 32);
        else if (!upper && c >= 'A' && c <= 'Z')
            c = typename S::value_type(c + 32);
    }
    return s;
}

String MapLocale(const String& s, DWORD flags) {
    if (s.empty()) return s;
    int size = LCMapStringW(LOCALE_USER_DEFAULT, flags, s.data(), int(s.size()), nullptr, 0);
    String out(size_t(size), L'\0');
    LCMapStringW(LOCALE_USER_DEFAULT, flags, s.data(), int(s.size()), out.data(), size);
    return out;
}

}  // namespace

String Trim(const String& s) { return TrimRange(s, true, true); }
String TrimLeft(const String& s) { return TrimRange(s, true, false); }
String TrimRight(const String& s) { return TrimRange(s, false, true); }
AnsiString Trim(const AnsiString& s) { return TrimRange(s, true, true); }

String UpperCase(const String& s) { return MapAscii(s, true); }
String LowerCase(const String& s) { return MapAscii(s, false); }
AnsiString UpperCase(const AnsiString& s) { return MapAscii(s, true); }
AnsiString LowerCase(const AnsiString& s) { return MapAscii(s, false); }
String AnsiUpperCase(const String& s) { return MapLocale(s, LCMAP_UPPERCASE); }
String AnsiLowerCase(const String& s) { return MapLocale(s, LCMAP_LOWERCASE); }

// ---- comparison ----------------------------------------------------------------------------

namespace {

template <class Fold>
int CompareUnits(const String& a, const String& b, Fold fold) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int d = int(fold(a[i])) - int(fold(b[i]));
        if (d != 0) return d;
    }
    return int(a.size()) - int(b.size());
}

wchar_t UpAscii(wchar_t c) { return (c >= L'a' && c <= L'z') ? wchar_t(c - 32) : c; }

int CompareLocale(const String& a, const String& b, DWORD flags) {
    return CompareStringW(LOCALE_USER_DEFAULT, flags, a.data(), int(a.size()), b.data(), int(b.size())) - CSTR_EQUAL;
}

}  // namespace

int CompareStr(const String& a, const String& b) {
    return CompareUnits(a, b, [](wchar_t c) { return c; });
}
int CompareText(const String& a, const String& b) { return CompareUnits(a, b, UpAscii); }
bool SameText(const String& a, const String& b) { return a.size() == b.size() && CompareText(a, b) == 0; }
int AnsiCompareStr(const String& a, const String& b) { return CompareLocale(a, b, 0); }
int AnsiCompareText(const String& a, const String& b) { return CompareLocale(a, b, NORM_IGNORECASE); }
bool AnsiSameText(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }
bool AnsiSameStr(const String& a, const String& b) { return AnsiCompareStr(a, b) == 0; }

// ---- integers ------------------------------------------------------------------------------

String IntToStr(Integer value) { return std::to_wstring(value); }
String IntToStr(Int64 value) { return std::to_wstring(value); }

String IntToHex(Int64 value, int digits) {
    static const wchar_t hex[] = L"0123456789ABCDEF";
    UInt64 v = UInt64(value);
    String out;
    do {
        out.insert(out.begin(), hex[v & 15]);
        v >>= 4;
    } while (v != 0);
    if (int(out.size()) < digits) out.insert(0, size_t(digits) - out.size(), L'0');
    return out;
}

namespace {

// Hexadecimal may fill hexBits bits; decimal goes up to decimalMax (and one more when
// negative, for the most negative value).
bool ParseInteger(const String& s, int hexBits, UInt64 decimalMax, Int64& result) {
    size_t i = 0, n = s.size();
    while (i < n && s[i] <= 32) ++i;
    bool negative = false;
    if (i < n && (s[i] == L'+' || s[i] == L'-')) negative = s[i++] == L'-';
    bool hexadecimal = false;
    if (i < n && s[i] == L'$') {
        hexadecimal = true;
        ++i;
    } else if (i + 1 < n && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) {
        hexadecimal = true;
        i += 2;
    }
    if (i == n) return false;
    UInt64 magnitude = 0;
    if (hexadecimal) {
        const UInt64 limit = hexBits == 64 ? ~UInt64(0) : (UInt64(1) << hexBits) - 1;
        for (; i < n; ++i) {
            wchar_t c = s[i];
            unsigned d;
            if (c >= L'0' && c <= L'9')
                d = unsigned(c - L'0');
            else if (c >= L'a' && c <= L'f')
                d = unsigned(c - L'a' + 10);
            else if (c >= L'A' && c <= L'F')
                d = unsigned(c - L'A' + 10);
            else
                return false;
            if (magnitude > (limit >> 4)) return false;
            magnitude = magnitude * 16 + d;
        }
        // Hexadecimal fills the bits: $FFFFFFFF is -1 as an Integer.
        Int64 v = hexBits == 64 ? Int64(magnitude) : Int64(Integer(Cardinal(magnitude)));
        result = negative ? Int64(0 - UInt64(v)) : v;
        return true;
    }
    const UInt64 limit = decimalMax + (negative ? 1 : 0);
    for (; i < n; ++i) {
        wchar_t c = s[i];
        if (c < L'0' || c > L'9') return false;
        unsigned d = unsigned(c - L'0');
        if (magnitude > (limit - d) / 10) return false;
        magnitude = magnitude * 10 + d;
    }
    result = negative ? Int64(0 - magnitude) : Int64(magnitude);
    return true;
}

[[noreturn]] void NotAnInteger(const String& s) { throw EConvertError(L"'" + s + L"' is not a valid integer value"); }

}  // namespace

bool TryStrToInt(const String& s, Integer& value) {
    Int64 v;
    if (!ParseInteger(s, 32, 0x7FFFFFFF, v)) return false;
    value = Integer(v);
    return true;
}

bool TryStrToInt64(const String& s, Int64& value) { return ParseInteger(s, 64, 0x7FFFFFFFFFFFFFFFull, value); }

Integer StrToInt(const String& s) {
    Integer v;
    if (!TryStrToInt(s, v)) NotAnInteger(s);
    return v;
}

Int64 StrToInt64(const String& s) {
    Int64 v;
    if (!TryStrToInt64(s, v)) NotAnInteger(s);
    return v;
}

Integer StrToIntDef(const String& s, Integer defaultValue) {
    Integer v;
    return TryStrToInt(s, v) ? v : defaultValue;
}

Int64 StrToInt64Def(const String& s, Int64 defaultValue) {
    Int64 v;
    return TryStrToInt64(s, v) ? v : defaultValue;
}

// ---- floats and the locale's number format -------------------------------------------------

TFormatSettings FormatSettings;

String LocaleTimeFormatToRuntime(const String& format) {
    String result;
    for (size_t i = 0; i < format.size(); ++i) {
        wchar_t c = format[i];
        if (c == L'\'') {  // quoted text passes unchanged
            size_t close = format.find(L'\'', i + 1);
            size_t end = close == String::npos ? format.size() : close + 1;
            result += format.substr(i, end - i);
            i = end - 1;
        } else if (c == L't') {
            while (i + 1 < format.size() && format[i + 1] == L't') ++i;
            result += L"AMPM";
        } else {
            result += c;
        }
    }
    return result;
}

TFormatSettings TFormatSettings::ForLocale(LCID locale) {
    TFormatSettings settings;
    auto read = [&](LCTYPE type, wchar_t fallback) {
        wchar_t buffer[8] = {};
        return GetLocaleInfoW(locale, type, buffer, 8) > 1 ? buffer[0] : fallback;
    };
    settings.DecimalSeparator = read(LOCALE_SDECIMAL, L'.');
    settings.ThousandSeparator = read(LOCALE_STHOUSAND, L',');
    settings.DateSeparator = read(LOCALE_SDATE, L'/');
    settings.TimeSeparator = read(LOCALE_STIME, L':');
    auto text = [&](LCTYPE type, const String& fallback) {
        wchar_t buffer[256] = {};
        return GetLocaleInfoW(locale, type, buffer, 256) > 1 ? String(buffer) : fallback;
    };
    settings.ShortDateFormat = text(LOCALE_SSHORTDATE, settings.ShortDateFormat);
    settings.LongDateFormat = text(LOCALE_SLONGDATE, settings.LongDateFormat);
    settings.ShortTimeFormat = LocaleTimeFormatToRuntime(text(LOCALE_SSHORTTIME, L"h:mm tt"));
    settings.LongTimeFormat = LocaleTimeFormatToRuntime(text(LOCALE_STIMEFORMAT, L"h:mm:ss tt"));
    for (int i = 0; i < 12; ++i) {
        settings.LongMonthNames[i] = text(LOCALE_SMONTHNAME1 + i, settings.LongMonthNames[i]);
        settings.ShortMonthNames[i] = text(LOCALE_SABBREVMONTHNAME1 + i, settings.ShortMonthNames[i]);
    }
    return settings;
}

void GetFormatSettings() { FormatSettings = TFormatSettings::ForLocale(LOCALE_USER_DEFAULT); }

String FloatToStr(Extended value) { return FloatToStr(value, FormatSettings); }

String FloatToStr(Extended value, const TFormatSettings& settings) {
    return FloatToStrF(value, ffGeneral, 15, 0, settings);
}

bool TryStrToFloat(const String& s, Extended& value, const TFormatSettings& settings) {
    // Checked here, then handed to the C library in its own (invariant) notation.
    std::string text;
    size_t i = 0, n = s.size();
    while (i < n && s[i] <= 32) ++i;
    while (n > i && s[n - 1] <= 32) --n;
    if (i < n && (s[i] == L'+' || s[i] == L'-')) text += char(s[i++]);
    int digits = 0;
    for (; i < n && s[i] >= L'0' && s[i] <= L'9'; ++i, ++digits) text += char(s[i]);
    if (i < n && s[i] == settings.DecimalSeparator) {
        text += '.';
        for (++i; i < n && s[i] >= L'0' && s[i] <= L'9'; ++i, ++digits) text += char(s[i]);
    }
    if (digits == 0) return false;
    if (i < n && (s[i] == L'e' || s[i] == L'E')) {
        text += 'e';
        ++i;
        if (i < n && (s[i] == L'+' || s[i] == L'-')) text += char(s[i++]);
        int expDigits = 0;
        for (; i < n && s[i] >= L'0' && s[i] <= L'9'; ++i, ++expDigits) text += char(s[i]);
        if (expDigits == 0) return false;
    }
    if (i != n) return false;
    value = std::strtold(text.c_str(), nullptr);
    return true;
}

bool TryStrToFloat(const String& s, Extended& value) { return TryStrToFloat(s, value, FormatSettings); }

bool TryStrToFloat(const String& s, Double& value) {
    Extended v;
    if (!TryStrToFloat(s, v)) return false;
    value = Double(v);
    return true;
}

bool TryStrToFloat(const String& s, Single& value) {
    Extended v;
    if (!TryStrToFloat(s, v)) return false;
    value = Single(v);
    return true;
}

Extended StrToFloat(const String& s) { return StrToFloat(s, FormatSettings); }

Extended StrToFloat(const String& s, const TFormatSettings& settings) {
    Extended v;
    if (!TryStrToFloat(s, v, settings)) throw EConvertError(L"'" + s + L"' is not a valid floating point value");
    return v;
}

Extended StrToFloatDef(const String& s, Extended defaultValue) {
    return StrToFloatDef(s, defaultValue, FormatSettings);
}

Extended StrToFloatDef(const String& s, Extended defaultValue, const TFormatSettings& settings) {
    Extended v;
    return TryStrToFloat(s, v, settings) ? v : defaultValue;
}

// ---- code-page conversion ------------------------------------------------------------------

AnsiString StringToAnsi(const String& s, UINT codePage) {
    if (s.empty()) return {};
    int size = WideCharToMultiByte(codePage, 0, s.data(), int(s.size()), nullptr, 0, nullptr, nullptr);
    AnsiString out(size_t(size), '\0');
    WideCharToMultiByte(codePage, 0, s.data(), int(s.size()), out.data(), size, nullptr, nullptr);
    return out;
}

String AnsiToString(const AnsiString& s, UINT codePage) {
    if (s.empty()) return {};
    int size = MultiByteToWideChar(codePage, 0, s.data(), int(s.size()), nullptr, 0);
    String out(size_t(size), L'\0');
    MultiByteToWideChar(codePage, 0, s.data(), int(s.size()), out.data(), size);
    return out;
}

bool CanEncodeAnsi(const String& s, UINT codePage) {
    if (s.empty()) return true;
    if (codePage == CP_UTF8) return true;
    BOOL usedDefault = FALSE;
    int size =
        WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, s.data(), int(s.size()), nullptr, 0, nullptr, &usedDefault);
    if (size == 0 || usedDefault) return false;
    // Best-fit mappings are refused above; a round trip catches whatever is left.
    return AnsiToString(StringToAnsi(s, codePage), codePage) == s;
}

AnsiString UTF8Encode(const String& s) { return StringToAnsi(s, CP_UTF8); }
String UTF8ToString(const AnsiString& s) { return AnsiToString(s, CP_UTF8); }

// ---- paths ---------------------------------------------------------------------------------

namespace {

bool IsDelimiter(wchar_t c) { return c == L'\\' || c == L'/'; }

// Index just after the last path or drive delimiter (0 when none).
size_t NameStart(const String& fileName) {
    size_t i = fileName.size();
    while (i > 0 && !IsDelimiter(fileName[i - 1]) && fileName[i - 1] != DriveDelim) --i;
    return i;
}

// Index of the extension's dot, or npos.
size_t ExtensionDot(const String& fileName) {
    size_t dot = fileName.rfind(L'.');
    if (dot == String::npos || dot < NameStart(fileName)) return String::npos;
    return dot;
}

}  // namespace

String ExtractFilePath(const String& fileName) { return fileName.substr(0, NameStart(fileName)); }

String ExtractFileDir(const String& fileName) {
    size_t i = NameStart(fileName);
    // A root ("C:\", "\") keeps its delimiter.
    if (i > 1 && IsDelimiter(fileName[i - 1]) && !IsDelimiter(fileName[i - 2]) && fileName[i - 2] != DriveDelim) --i;
    return fileName.substr(0, i);
}

String ExtractFileDrive(const String& fileName) {
    if (fileName.size() >= 2 && fileName[1] == DriveDelim) return fileName.substr(0, 2);
    if (fileName.size() >= 2 && IsDelimiter(fileName[0]) && IsDelimiter(fileName[1])) {
        // \\server\share
        size_t server = fileName.find_first_of(L"\\/", 2);
        if (server == String::npos) return fileName;
        size_t share = fileName.find_first_of(L"\\/", server + 1);
        return fileName.substr(0, share);
    }
    return {};
}

String ExtractFileName(const String& fileName) { return fileName.substr(NameStart(fileName)); }

String ExtractFileExt(const String& fileName) {
    size_t dot = ExtensionDot(fileName);
    return dot == String::npos ? String() : fileName.substr(dot);
}

String ChangeFileExt(const String& fileName, const String& extension) {
    size_t dot = ExtensionDot(fileName);
    return (dot == String::npos ? fileName : fileName.substr(0, dot)) + extension;
}

String IncludeTrailingPathDelimiter(const String& path) {
    if (!path.empty() && IsDelimiter(path.back())) return path;
    return path + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& path) {
    if (!path.empty() && IsDelimiter(path.back())) return path.substr(0, path.size() - 1);
    return path;
}

String ExpandFileName(const String& fileName) {
    if (fileName.empty()) return fileName;
    DWORD size = GetFullPathNameW(fileName.c_str(), 0, nullptr, nullptr);
    if (size == 0) return fileName;
    String out(size, L'\0');
    DWORD length = GetFullPathNameW(fileName.c_str(), size, out.data(), nullptr);
    out.resize(length);
    return out;
}

// ---- files and folders ---------------------------------------------------------------------

bool FileExists(const String& fileName) {
    DWORD attributes = GetFileAttributesW(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const String& directory) {
    DWORD attributes = GetFileAttributesW(directory.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDir(const String& directory) { return CreateDirectoryW(directory.c_str(), nullptr); }

bool ForceDirectories(const String& directory) {
    String dir = ExcludeTrailingPathDelimiter(ExpandFileName(directory));
    if (dir.empty()) return false;
    if (DirectoryExists(dir)) return true;
    String parent = ExtractFileDir(dir);
    if (parent == dir) return false;  // a root that does not exist
    return ForceDirectories(parent) && (CreateDir(dir) || DirectoryExists(dir));
}

bool DeleteFile(const String& fileName) { return DeleteFileW(fileName.c_str()); }
bool RemoveDir(const String& directory) { return RemoveDirectoryW(directory.c_str()); }
bool RenameFile(const String& oldName, const String& newName) { return MoveFileW(oldName.c_str(), newName.c_str()); }

String GetCurrentDir() {
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    String out(size, L'\0');
    DWORD length = GetCurrentDirectoryW(size, out.data());
    out.resize(length);
    return out;
}

bool SetCurrentDir(const String& directory) { return SetCurrentDirectoryW(directory.c_str()); }

// ---- the program ---------------------------------------------------------------------------

String GetModuleName(HMODULE module) {
    String out(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(module, out.data(), DWORD(out.size()));
        if (length < out.size()) {
            out.resize(length);
            return out;
        }
        out.resize(out.size() * 2);
    }
}

String ParamStr(int index) {
    if (index == 0) return GetModuleName(nullptr);
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    String out;
    if (args && index > 0 && index < count) out = args[index];
    LocalFree(args);
    return out;
}

int ParamCount() {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    LocalFree(args);
    return count > 0 ? count - 1 : 0;
}

String ProgramFolder() { return ExtractFilePath(ParamStr(0)); }

bool IsLibrary() {
    HMODULE own = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&IsLibrary), &own);
    return own != nullptr && own != GetModuleHandleW(nullptr);
}

void InitializeSysUtils() { GetFormatSettings(); }

#include "dxCore.h"

#include <algorithm>
#include <cstring>

TdxPlatformFlags PlatformFlags;
DWORD PlatformMajorVersion = 0;

TdxPlatformFlags ComputePlatformFlags(DWORD platformId, DWORD major, DWORD minor) {
    TdxPlatformFlags f;
    f.Win9xFamily = platformId == VER_PLATFORM_WIN32_WINDOWS;
    f.Win95 = f.Win9xFamily && minor == 0;
    f.Win98 = f.Win9xFamily && minor == 10;
    f.WinME = f.Win9xFamily && minor == 90;
    f.NTFamily = platformId == VER_PLATFORM_WIN32_NT;
    f.Win2000 = f.NTFamily && major == 5 && minor == 0;
    f.Win2000OrLater = f.NTFamily && major >= 5;
    f.WinXP = f.NTFamily && major == 5 && minor > 0;
    f.WinXPOrLater = f.Win2000OrLater && !f.Win2000;
    f.Win2000OrXP = f.Win2000 || f.WinXP;
    f.WinVista = f.NTFamily && major == 6;
    f.WinVistaOrLater = f.NTFamily && major >= 6;
    return f;
}

void InitializedxCore() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&info);
#pragma GCC diagnostic pop
    PlatformMajorVersion = info.dwMajorVersion;
    PlatformFlags = ComputePlatformFlags(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

// ---- Code pages and memory ----------------------------------------------------------------

String AnsiToWideByCodePage(const AnsiString& text, UINT codePage, int length) {
    int count = length < 0 ? int(text.size()) : std::min(length, int(text.size()));
    if (count <= 0) return String();
    DWORD flags = codePage == CP_UTF8 ? 0 : MB_PRECOMPOSED;
    int needed = MultiByteToWideChar(codePage, flags, text.data(), count, nullptr, 0);
    if (needed <= 0) return String();
    String result(size_t(needed), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), count, result.data(), needed);
    return result;
}

AnsiString WideToAnsiByCodePage(const String& text, UINT codePage, int length) {
    int count = length < 0 ? int(text.size()) : std::min(length, int(text.size()));
    if (count <= 0) return AnsiString();
    int needed = WideCharToMultiByte(codePage, 0, text.data(), count, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return AnsiString();
    AnsiString result(size_t(needed), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), count, result.data(), needed, nullptr, nullptr);
    return result;
}

bool IsFarEastSystem() { return GetSystemMetrics(SM_DBCSENABLED) != 0; }

bool IsDoubleByteAnsiChar(WideChar c) {
    if (c < 0x80) return false;
    char bytes[4];
    return WideCharToMultiByte(CP_ACP, 0, &c, 1, bytes, sizeof(bytes), nullptr, nullptr) > 1;
}

void FillZero(void* block, size_t length) {
    if (length) std::memset(block, 0, length);
}

void CopyBytes(const void* source, void* destination, size_t count) {
    if (count) std::memmove(destination, source, count);
}

bool IsByteInSet(Byte value, const Byte* set) { return (set[value >> 3] >> (value & 7)) & 1; }

// ---- Text ---------------------------------------------------------------------------------

String TextBeforeSeparator(const String& text) {
    size_t bar = text.find(L'|');
    return bar == String::npos ? text : text.substr(0, bar);
}

String GetLocaleText(LCID locale, LCTYPE item, const String& defaultText) {
    int size = GetLocaleInfoW(locale, item, nullptr, 0);
    if (size <= 0) return defaultText;
    String result(size_t(size), L'\0');
    size = GetLocaleInfoW(locale, item, result.data(), size);
    if (size <= 0) return defaultText;
    result.resize(size_t(size - 1));  // without the terminating zero
    return result;
}

const char* CharPtrAt(const AnsiString& text, int position) { return text.c_str() + (position - 1); }

int CharByteLengthAt(const AnsiString& text, int position) {
    if (position < 1 || position > int(text.size())) return 0;
    const char* at = CharPtrAt(text, position);
    return int(CharNextA(at) - at);
}

#pragma once
// The toolkit's lowest layer: its exception class (EdxException), the platform flags
// (TdxPlatformFlags), code-page conversions and small memory and text helpers. The repository of
// user-visible strings is in dxResourceStrings.h.
//
// Sections: exception · platform flags · code pages and memory · text.

#include "SysExceptions.h"

Z_EXCEPTION(EdxException, Exception)

// ---- Platform flags -----------------------------------------------------------------------

struct TdxPlatformFlags {
    bool Win9xFamily = false;
    bool Win95 = false;
    bool Win98 = false;
    bool WinME = false;
    bool NTFamily = false;
    bool Win2000 = false;
    bool Win2000OrLater = false;
    bool WinXP = false;
    bool WinXPOrLater = false;
    bool Win2000OrXP = false;
    bool WinVista = false;
    bool WinVistaOrLater = false;
};

// Set once at start-up from the running system's version.
extern TdxPlatformFlags PlatformFlags;
extern DWORD PlatformMajorVersion;

TdxPlatformFlags ComputePlatformFlags(DWORD platformId, DWORD majorVersion, DWORD minorVersion);
void InitializedxCore();

// ---- Code pages and memory ----------------------------------------------------------------

// A negative length means the whole text; code page 65001 is UTF-8.
String AnsiToWideByCodePage(const AnsiString& text, UINT codePage, int length = -1);
AnsiString WideToAnsiByCodePage(const String& text, UINT codePage, int length = -1);

// True on a system whose ANSI code page is a double-byte (Far-East) one.
bool IsFarEastSystem();
// True when the ANSI code page writes the character with two bytes (a lead and a trail byte).
bool IsDoubleByteAnsiChar(WideChar c);

void FillZero(void* block, size_t length);
void CopyBytes(const void* source, void* destination, size_t count);  // overlapping-safe
// Bit `value` of a 256-bit set stored as 32 bytes.
bool IsByteInSet(Byte value, const Byte* set);

// ---- Text ---------------------------------------------------------------------------------

String TextBeforeSeparator(const String& text);  // the part before the first "|"
String GetLocaleText(LCID locale, LCTYPE item, const String& defaultText);
// 1-based byte position in an 8-bit string; the character's length as CharNextA steps over it.
const char* CharPtrAt(const AnsiString& text, int position);
int CharByteLengthAt(const AnsiString& text, int position);

// moved: the resource strings are in dxResourceStrings.h; included here until no file expects
// them from this header.
#include "dxResourceStrings.h"

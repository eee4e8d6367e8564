#pragma once
// The toolkit's lowest layer: its exception class, the platform flags, the repository of
// user-visible strings, code-page conversions and small memory and text helpers.
//
// Sections: exception · platform flags · resource strings · code pages and memory · text.

#include <vector>

#include "Interfaces.h"
#include "StringList.h"
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

// ---- Resource strings ---------------------------------------------------------------------

// A string of the program's string-table resources: libraries pass its address, never the text.
struct TResStringRec {
    HMODULE Module;  // 0: the program's own module
    UINT Identifier;
};

// Returns the current text of a resource string: the replacement that a product of the
// repository holds for it, else its string-table text. Every user-visible string of the toolkit
// is obtained through it at the moment it is needed.
String ResolveResourceString(const TResStringRec* reference);
// The string-table text alone, for the few texts that must not follow replacements.
String LoadResourceStringText(const TResStringRec* reference);

// Objects that want to hear when the texts of the resource strings change.
struct IdxResourceStringsListener : virtual IInterface {
    virtual void TranslationChanged() = 0;
};

class TdxProductResourceStrings;
using TdxRegisterProductResourceStringsProc = void (*)(TdxProductResourceStrings* product);

class TdxProductResourceStrings : public TObject {
    Z_CLASS(TdxProductResourceStrings, TObject)
public:
    TdxProductResourceStrings(const String& name, TdxRegisterProductResourceStringsProc registration);
    ~TdxProductResourceStrings() override;

    const String& Name() const { return name_; }
    void RegisterString(const String& name, const TResStringRec* reference);
    // Sorted without letter case; each entry carries its resource string's address as object.
    const TStringList& Names() const { return *names_; }
    const TResStringRec* ReferenceOf(const String& name) const;

    // A text that ResolveResourceString answers for a registered name instead of its string-table
    // text (a translation); false, and nothing kept, for a name that is not registered.
    bool SetReplacement(const String& name, const String& text);
    void RemoveReplacement(const String& name);
    // The replacement kept for a resource string; false when there is none.
    bool FindReplacement(const TResStringRec* reference, String& text) const;

private:
    String name_;
    TStringList* names_;
    std::vector<std::pair<const TResStringRec*, String>> replacements_;
    TdxRegisterProductResourceStringsProc registration_;
    friend class TdxResourceStringsRepository;
};

class TdxResourceStringsRepository : public TObject {
    Z_CLASS(TdxResourceStringsRepository, TObject)
public:
    TdxResourceStringsRepository() = default;
    ~TdxResourceStringsRepository() override;

    // Registers a library's strings: the procedure runs before AddProduct returns.
    void AddProduct(const String& name, TdxRegisterProductResourceStringsProc registration);
    void RemoveProduct(const String& name);  // exact name; an unknown one is ignored
    int IndexOfProduct(const String& name) const;
    int ProductCount() const { return int(products_.size()); }
    TdxProductResourceStrings* ProductAt(int index) const;

    void AddListener(IdxResourceStringsListener* listener);
    void RemoveListener(IdxResourceStringsListener* listener);
    int ListenerCount() const { return int(listeners_.size()); }

private:
    std::vector<TdxProductResourceStrings*> products_;
    std::vector<IPtr<IdxResourceStringsListener>> listeners_;
};

TdxResourceStringsRepository* GetResourceStringsRepository();
void FinalizedxCore();

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

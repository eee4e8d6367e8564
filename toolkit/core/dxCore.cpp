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

// ---- Resource strings ---------------------------------------------------------------------

namespace {
TdxResourceStringsRepository* repository = nullptr;
}

String ResolveResourceString(const TResStringRec* reference) {
    if (!reference) return String();
    if (repository) {
        String replacement;
        for (int i = 0; i < repository->ProductCount(); ++i)
            if (repository->ProductAt(i)->FindReplacement(reference, replacement)) return replacement;
    }
    return LoadResourceStringText(reference);
}

String LoadResourceStringText(const TResStringRec* reference) {
    if (!reference) return String();
    HMODULE module = reference->Module ? reference->Module : GetModuleHandleW(nullptr);
    const wchar_t* text = nullptr;
    // With a zero buffer length LoadStringW answers a pointer into the resource itself.
    int length = LoadStringW(module, reference->Identifier, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return String();
    return String(text, size_t(length));
}

TdxProductResourceStrings::TdxProductResourceStrings(const String& name,
                                                     TdxRegisterProductResourceStringsProc registration)
    : name_(name), names_(new TStringList), registration_(registration) {
    names_->SetSorted(true);
    names_->SetDuplicates(dupIgnore);
}

TdxProductResourceStrings::~TdxProductResourceStrings() { FreeObject(names_); }

void TdxProductResourceStrings::RegisterString(const String& name, const TResStringRec* reference) {
    // The object slot carries the record's address; the repository never frees it.
    names_->AddObject(name, reinterpret_cast<TObject*>(const_cast<TResStringRec*>(reference)));
}

const TResStringRec* TdxProductResourceStrings::ReferenceOf(const String& name) const {
    int index = names_->IndexOf(name);
    return index < 0 ? nullptr : reinterpret_cast<const TResStringRec*>(names_->Objects(index));
}

bool TdxProductResourceStrings::SetReplacement(const String& name, const String& text) {
    const TResStringRec* reference = ReferenceOf(name);
    if (!reference) return false;
    for (auto& [held, replacement] : replacements_)
        if (held == reference) {
            replacement = text;
            return true;
        }
    replacements_.emplace_back(reference, text);
    return true;
}

void TdxProductResourceStrings::RemoveReplacement(const String& name) {
    const TResStringRec* reference = ReferenceOf(name);
    std::erase_if(replacements_, [&](const auto& entry) { return entry.first == reference; });
}

bool TdxProductResourceStrings::FindReplacement(const TResStringRec* reference, String& text) const {
    for (const auto& [held, replacement] : replacements_)
        if (held == reference) {
            text = replacement;
            return true;
        }
    return false;
}

TdxResourceStringsRepository::~TdxResourceStringsRepository() {
    for (auto* product : products_) FreeObject(product);
}

void TdxResourceStringsRepository::AddProduct(const String& name,
                                              TdxRegisterProductResourceStringsProc registration) {
    auto* product = new TdxProductResourceStrings(name, registration);
    try {
        if (registration) registration(product);
    } catch (...) {
        FreeObject(product);
        throw;
    }
    products_.push_back(product);
}

void TdxResourceStringsRepository::RemoveProduct(const String& name) {
    int index = IndexOfProduct(name);
    if (index < 0) return;
    TdxProductResourceStrings* product = products_[size_t(index)];
    products_.erase(products_.begin() + index);
    FreeObject(product);
}

int TdxResourceStringsRepository::IndexOfProduct(const String& name) const {
    for (size_t i = 0; i < products_.size(); ++i)
        if (products_[i]->Name() == name) return int(i);
    return -1;
}

TdxProductResourceStrings* TdxResourceStringsRepository::ProductAt(int index) const {
    if (index < 0 || index >= ProductCount()) throw EListError(L"List index out of bounds (" + std::to_wstring(index) + L")");
    return products_[size_t(index)];
}

void TdxResourceStringsRepository::AddListener(IdxResourceStringsListener* listener) {
    if (!listener) return;
    for (auto& held : listeners_)
        if (held.get() == listener) return;
    listeners_.emplace_back(listener);
}

void TdxResourceStringsRepository::RemoveListener(IdxResourceStringsListener* listener) {
    for (auto it = listeners_.begin(); it != listeners_.end(); ++it)
        if (it->get() == listener) {
            IPtr<IdxResourceStringsListener> keep = std::move(*it);  // released after the erase
            listeners_.erase(it);
            return;
        }
}

TdxResourceStringsRepository* GetResourceStringsRepository() {
    if (!repository) repository = new TdxResourceStringsRepository;
    return repository;
}

void FinalizedxCore() { FreeAndNil(repository); }

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

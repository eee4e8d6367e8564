#include "Registry.h"

#include <vector>

#include "Streams.h"
#include "SysUtils.h"

// Sections: TRegistry (keys, values); TRegistryIniFile.

// ---- TRegistry: keys ----

namespace {

String TrimBackslashes(const String& path) {
    size_t first = path.find_first_not_of(L'\\');
    if (first == String::npos) return String();
    size_t last = path.find_last_not_of(L'\\');
    return path.substr(first, last - first + 1);
}

}  // namespace

void TRegistry::SetRootKey(HKEY value) {
    if (rootKey_ == value) return;
    CloseKey();
    rootKey_ = value;
}

String TRegistry::FullPath(const String& key) const {
    bool absolute = !key.empty() && key[0] == L'\\';
    String path = TrimBackslashes(key);
    if (absolute || currentPath_.empty()) return path;
    return path.empty() ? currentPath_ : currentPath_ + L"\\" + path;
}

bool TRegistry::OpenKey(const String& key, bool canCreate) {
    String path = FullPath(key);
    HKEY opened = nullptr;
    LONG result = canCreate ? RegCreateKeyExW(rootKey_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_,
                                              nullptr, &opened, nullptr)
                            : RegOpenKeyExW(rootKey_, path.c_str(), 0, access_, &opened);
    if (result != ERROR_SUCCESS) return false;
    CloseKey();
    currentKey_ = opened;
    currentPath_ = path;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key) {
    String path = FullPath(key);
    HKEY opened = nullptr;
    if (RegOpenKeyExW(rootKey_, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    CloseKey();
    currentKey_ = opened;
    currentPath_ = path;
    return true;
}

void TRegistry::CloseKey() {
    if (currentKey_) RegCloseKey(currentKey_);
    currentKey_ = nullptr;
    currentPath_.clear();
}

bool TRegistry::CreateKey(const String& key) {
    HKEY made = nullptr;
    if (RegCreateKeyExW(rootKey_, FullPath(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &made, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(made);
    return true;
}

bool TRegistry::DeleteKey(const String& key) {
    String path = FullPath(key);
    if (path.empty()) return false;  // never the root itself
    // The open key goes first when it lies inside what is deleted.
    if (currentPath_.size() >= path.size() && SameText(currentPath_.substr(0, path.size()), path) &&
        (currentPath_.size() == path.size() || currentPath_[path.size()] == L'\\'))
        CloseKey();
    return RegDeleteTreeW(rootKey_, path.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const String& key) {
    HKEY probe = nullptr;
    if (RegOpenKeyExW(rootKey_, FullPath(key).c_str(), 0, KEY_READ, &probe) != ERROR_SUCCESS) return false;
    RegCloseKey(probe);
    return true;
}

// ---- TRegistry: values ----

HKEY TRegistry::RequireKey() const {
    if (!currentKey_) throw ERegistryException(L"No registry key is open");
    return currentKey_;
}

DWORD TRegistry::QueryType(const String& name, DWORD* size) const {
    DWORD type = REG_NONE, bytes = 0;
    if (RegQueryValueExW(RequireKey(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
        if (size) *size = 0;
        return REG_NONE;
    }
    if (size) *size = bytes;
    return type;
}

bool TRegistry::ValueExists(const String& name) {
    return RegQueryValueExW(RequireKey(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const String& name) { return RegDeleteValueW(RequireKey(), name.c_str()) == ERROR_SUCCESS; }

void TRegistry::GetKeyNames(TStrings* strings) {
    strings->Clear();
    HKEY key = RequireKey();
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        strings->Add(String(name, length));
    }
}

void TRegistry::GetValueNames(TStrings* strings) {
    strings->Clear();
    HKEY key = RequireKey();
    std::vector<wchar_t> name(16384);
    for (DWORD i = 0;; ++i) {
        DWORD length = DWORD(name.size());
        if (RegEnumValueW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        strings->Add(String(name.data(), length));
    }
}

TRegDataType TRegistry::GetDataType(const String& name) {
    switch (QueryType(name, nullptr)) {
        case REG_SZ:
            return rdString;
        case REG_EXPAND_SZ:
            return rdExpandString;
        case REG_DWORD:
            return rdInteger;
        case REG_BINARY:
            return rdBinary;
        default:
            return rdUnknown;
    }
}

int TRegistry::GetDataSize(const String& name) {
    if (!ValueExists(name)) return -1;
    DWORD size = 0;
    QueryType(name, &size);
    return int(size);
}

String TRegistry::ReadString(const String& name) {
    DWORD size = 0;
    DWORD type = QueryType(name, &size);
    if (type == REG_NONE) return String();
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException(L"Invalid data type for '" + name + L"'");
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = size;
    if (RegQueryValueExW(currentKey_, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &bytes) !=
        ERROR_SUCCESS)
        throw ERegistryException(L"Failed to get data for '" + name + L"'");
    // The stored terminator, if any, is not part of the text.
    return String(data.data());
}

void TRegistry::PutData(const String& name, DWORD type, const void* data, DWORD size) {
    if (RegSetValueExW(RequireKey(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        throw ERegistryException(L"Failed to set data for '" + name + L"'");
}

void TRegistry::WriteString(const String& name, const String& value) {
    PutData(name, REG_SZ, value.c_str(), DWORD((value.size() + 1) * sizeof(wchar_t)));
}

void TRegistry::WriteExpandString(const String& name, const String& value) {
    PutData(name, REG_EXPAND_SZ, value.c_str(), DWORD((value.size() + 1) * sizeof(wchar_t)));
}

Integer TRegistry::ReadInteger(const String& name) {
    DWORD size = 0;
    DWORD type = QueryType(name, &size);
    if (type == REG_NONE) throw ERegistryException(L"Failed to get data for '" + name + L"'");
    if (type != REG_DWORD || size != sizeof(DWORD)) throw ERegistryException(L"Invalid data type for '" + name + L"'");
    DWORD value = 0, bytes = sizeof(value);
    RegQueryValueExW(currentKey_, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &bytes);
    return Integer(value);
}

void TRegistry::WriteInteger(const String& name, Integer value) {
    DWORD data = DWORD(value);
    PutData(name, REG_DWORD, &data, sizeof(data));
}

int TRegistry::ReadBinaryData(const String& name, void* buffer, int size) {
    DWORD stored = 0;
    DWORD type = QueryType(name, &stored);
    if (type == REG_NONE) throw ERegistryException(L"Failed to get data for '" + name + L"'");
    if (type != REG_BINARY) throw ERegistryException(L"Invalid data type for '" + name + L"'");
    std::vector<BYTE> data(stored);
    DWORD bytes = stored;
    RegQueryValueExW(currentKey_, name.c_str(), nullptr, nullptr, data.data(), &bytes);
    if (size > 0 && buffer) memcpy(buffer, data.data(), std::min<size_t>(size_t(size), bytes));
    return int(bytes);
}

void TRegistry::WriteBinaryData(const String& name, const void* buffer, int size) {
    PutData(name, REG_BINARY, buffer, DWORD(size));
}

// ---- TRegistryIniFile ----

TRegistryIniFile::TRegistryIniFile(const String& fileName, REGSAM access)
    : TCustomIniFile(fileName), registry_(access) {
    // The file's own key exists from the start, as a file would.
    if (access & KEY_WRITE) registry_.CreateKey(L"\\" + fileName);
}

String TRegistryIniFile::SectionKey(const String& section) const {
    if (!section.empty() && section[0] == L'\\') return section;
    String file = TrimBackslashes(fileName_);
    String sub = TrimBackslashes(section);
    if (file.empty()) return L"\\" + sub;
    return sub.empty() ? L"\\" + file : L"\\" + file + L"\\" + sub;
}

bool TRegistryIniFile::OpenSection(const String& section, bool forWriting) {
    return forWriting ? registry_.OpenKey(SectionKey(section), true) : registry_.OpenKeyReadOnly(SectionKey(section));
}

String TRegistryIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) {
    if (!OpenSection(section, false) || !registry_.ValueExists(ident)) return defaultValue;
    switch (registry_.GetDataType(ident)) {
        case rdString:
        case rdExpandString:
            return registry_.ReadString(ident);
        case rdInteger:
            return IntToStr(registry_.ReadInteger(ident));
        default:
            return defaultValue;
    }
}

void TRegistryIniFile::WriteString(const String& section, const String& ident, const String& value) {
    if (!OpenSection(section, true)) throw EIniFileException(L"Unable to write to " + SectionKey(section));
    registry_.WriteString(ident, value);
}

Integer TRegistryIniFile::ReadInteger(const String& section, const String& ident, Integer defaultValue) {
    if (!OpenSection(section, false) || !registry_.ValueExists(ident)) return defaultValue;
    if (registry_.GetDataType(ident) == rdInteger) return registry_.ReadInteger(ident);
    return TCustomIniFile::ReadInteger(section, ident, defaultValue);
}

void TRegistryIniFile::WriteInteger(const String& section, const String& ident, Integer value) {
    if (!OpenSection(section, true)) throw EIniFileException(L"Unable to write to " + SectionKey(section));
    registry_.WriteInteger(ident, value);
}

void TRegistryIniFile::WriteBool(const String& section, const String& ident, bool value) {
    WriteInteger(section, ident, value ? 1 : 0);
}

Integer TRegistryIniFile::ReadBinaryStream(const String& section, const String& ident, TStream* value) {
    if (!OpenSection(section, false) || !registry_.ValueExists(ident)) return 0;
    if (registry_.GetDataType(ident) != rdBinary) return TCustomIniFile::ReadBinaryStream(section, ident, value);
    int size = registry_.ReadBinaryData(ident, nullptr, 0);
    std::vector<Byte> data(size_t(size > 0 ? size : 0));
    if (size > 0) {
        registry_.ReadBinaryData(ident, data.data(), size);
        value->WriteBuffer(data.data(), size);
    }
    return size;
}

void TRegistryIniFile::WriteBinaryStream(const String& section, const String& ident, TStream* value) {
    if (!OpenSection(section, true)) throw EIniFileException(L"Unable to write to " + SectionKey(section));
    TBytes bytes = StreamBytes(value);
    registry_.WriteBinaryData(ident, bytes.data(), int(bytes.size()));
}

void TRegistryIniFile::ReadSection(const String& section, TStrings* strings) {
    if (OpenSection(section, false))
        registry_.GetValueNames(strings);
    else
        strings->Clear();
}

void TRegistryIniFile::ReadSections(TStrings* strings) {
    if (OpenSection(String(), false))
        registry_.GetKeyNames(strings);
    else
        strings->Clear();
}

void TRegistryIniFile::ReadSectionValues(const String& section, TStrings* strings) {
    TStringList names;
    ReadSection(section, &names);
    strings->Clear();
    for (int i = 0; i < names.Count(); ++i) strings->Add(names[i] + L"=" + ReadString(section, names[i], String()));
}

bool TRegistryIniFile::ValueExists(const String& section, const String& ident) {
    return OpenSection(section, false) && registry_.ValueExists(ident);
}

void TRegistryIniFile::EraseSection(const String& section) {
    registry_.CloseKey();
    if (!registry_.DeleteKey(SectionKey(section)) && registry_.KeyExists(SectionKey(section)))
        throw EIniFileException(L"Unable to erase " + SectionKey(section));
}

void TRegistryIniFile::DeleteKey(const String& section, const String& ident) {
    if (OpenSection(section, true)) registry_.DeleteValue(ident);
}

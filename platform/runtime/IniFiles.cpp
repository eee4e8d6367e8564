#include "IniFiles.h"

#include "Streams.h"

// ---- TCustomIniFile ------------------------------------------------------------------------

Integer TCustomIniFile::ReadInteger(const String& section, const String& ident, Integer defaultValue) {
    return StrToIntDef(Trim(ReadString(section, ident, L"")), defaultValue);
}

void TCustomIniFile::WriteInteger(const String& section, const String& ident, Integer value) {
    WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const String& section, const String& ident, bool defaultValue) {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& section, const String& ident, bool value) {
    WriteString(section, ident, value ? L"1" : L"0");
}

Double TCustomIniFile::ReadFloat(const String& section, const String& ident, Double defaultValue) {
    String text = ReadString(section, ident, L"");
    Extended value;
    if (TryStrToFloat(text, value, FormatSettings) || TryStrToFloat(text, value, TFormatSettings::Invariant()))
        return Double(value);
    return defaultValue;
}

void TCustomIniFile::WriteFloat(const String& section, const String& ident, Double value) {
    WriteString(section, ident, FloatToStr(value));
}

Integer TCustomIniFile::ReadBinaryStream(const String& section, const String& ident, TStream* value) {
    String text = ReadString(section, ident, L"");
    if (text.size() % 2 != 0) return 0;
    TBytes bytes(text.size() / 2);
    auto nibble = [](wchar_t c) {
        if (c >= L'0' && c <= L'9') return int(c - L'0');
        if (c >= L'A' && c <= L'F') return int(c - L'A' + 10);
        if (c >= L'a' && c <= L'f') return int(c - L'a' + 10);
        return -1;
    };
    for (size_t i = 0; i < bytes.size(); ++i) {
        int high = nibble(text[2 * i]), low = nibble(text[2 * i + 1]);
        if (high < 0 || low < 0) return 0;
        bytes[i] = Byte(high * 16 + low);
    }
    if (!bytes.empty()) value->WriteBuffer(bytes.data(), Integer(bytes.size()));
    return Integer(bytes.size());
}

void TCustomIniFile::WriteBinaryStream(const String& section, const String& ident, TStream* value) {
    static const wchar_t hex[] = L"0123456789ABCDEF";
    TBytes bytes = StreamBytes(value);
    String text;
    text.reserve(bytes.size() * 2);
    for (Byte b : bytes) {
        text += hex[b >> 4];
        text += hex[b & 15];
    }
    WriteString(section, ident, text);
}

bool TCustomIniFile::SectionExists(const String& section) {
    TStringList keys;
    ReadSection(section, &keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& section, const String& ident) {
    TStringList keys;
    ReadSection(section, &keys);
    return keys.IndexOf(ident) >= 0;
}

// ---- TIniFile ------------------------------------------------------------------------------

namespace {

// Calls a profile function that fills a buffer, growing the buffer until the answer fits.
// Lists come back as strings each ending with a null, the whole ending with a second null.
template <class Call>
String ProfileText(Call call, DWORD slack) {
    std::vector<wchar_t> buffer(2048);
    for (;;) {
        DWORD length = call(buffer.data(), DWORD(buffer.size()));
        if (length + slack < buffer.size()) return String(buffer.data(), length);
        buffer.resize(buffer.size() * 4);
    }
}

void AddNullSeparated(const String& list, TStrings* strings) {
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find(L'\0', start);
        if (end == String::npos) end = list.size();
        if (end > start) strings->Add(list.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

TIniFile::TIniFile(const String& fileName) : TCustomIniFile(ExpandFileName(fileName)) {}

TIniFile::~TIniFile() {
    // Flushing what the system may still cache; nothing is left to report a failure to.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, fileName_.c_str());
}

String TIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) {
    return ProfileText(
        [&](wchar_t* buffer, DWORD size) {
            return GetPrivateProfileStringW(section.c_str(), ident.c_str(), defaultValue.c_str(), buffer, size,
                                            fileName_.c_str());
        },
        1);
}

void TIniFile::WriteString(const String& section, const String& ident, const String& value) {
    if (!WritePrivateProfileStringW(section.c_str(), ident.c_str(), value.c_str(), fileName_.c_str()))
        throw EIniFileException(L"Unable to write to " + fileName_);
}

void TIniFile::ReadSection(const String& section, TStrings* strings) {
    String list = ProfileText(
        [&](wchar_t* buffer, DWORD size) {
            return GetPrivateProfileStringW(section.c_str(), nullptr, nullptr, buffer, size, fileName_.c_str());
        },
        2);
    strings->BeginUpdate();
    strings->Clear();
    AddNullSeparated(list, strings);
    strings->EndUpdate();
}

void TIniFile::ReadSections(TStrings* strings) {
    String list = ProfileText(
        [&](wchar_t* buffer, DWORD size) { return GetPrivateProfileSectionNamesW(buffer, size, fileName_.c_str()); },
        2);
    strings->BeginUpdate();
    strings->Clear();
    AddNullSeparated(list, strings);
    strings->EndUpdate();
}

void TIniFile::ReadSectionValues(const String& section, TStrings* strings) {
    TStringList keys;
    ReadSection(section, &keys);
    strings->BeginUpdate();
    strings->Clear();
    for (Integer i = 0; i < keys.Count(); ++i)
        strings->Add(keys[i] + strings->NameValueSeparator() + ReadString(section, keys[i], L""));
    strings->EndUpdate();
}

void TIniFile::EraseSection(const String& section) {
    if (!WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, fileName_.c_str()))
        throw EIniFileException(L"Unable to write to " + fileName_);
}

void TIniFile::DeleteKey(const String& section, const String& ident) {
    WritePrivateProfileStringW(section.c_str(), ident.c_str(), nullptr, fileName_.c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, fileName_.c_str()); }

// ---- TMemIniFile ---------------------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& fileName)
    : TCustomIniFile(fileName.empty() ? fileName : ExpandFileName(fileName)) {
    LoadValues();
}

TMemIniFile::~TMemIniFile() = default;

TStringList* TMemIniFile::FindSection(const String& section) const {
    for (const TSection& s : sections_)
        if (AnsiSameText(s.name, section)) return s.values.get();
    return nullptr;
}

TStringList* TMemIniFile::AddSection(const String& section) {
    if (TStringList* existing = FindSection(section)) return existing;
    sections_.push_back({section, std::make_unique<TStringList>()});
    return sections_.back().values.get();
}

void TMemIniFile::LoadValues() {
    Clear();
    if (fileName_.empty() || !FileExists(fileName_)) return;
    TStringList lines;
    lines.LoadFromFile(fileName_);
    SetStrings(&lines);
}

void TMemIniFile::Clear() { sections_.clear(); }

void TMemIniFile::SetStrings(const TStrings* list) {
    Clear();
    TStringList* current = nullptr;
    for (Integer i = 0; i < list->Count(); ++i) {
        String line = Trim(list->Get(i));
        if (line.empty() || line[0] == L';') continue;
        if (line[0] == L'[' && line.back() == L']') {
            current = AddSection(Trim(line.substr(1, line.size() - 2)));
        } else if (current) {
            size_t at = line.find(L'=');
            current->Add(at == String::npos ? line : Trim(line.substr(0, at)) + L'=' + Trim(line.substr(at + 1)));
        }
    }
}

void TMemIniFile::GetStrings(TStrings* list) {
    list->BeginUpdate();
    list->Clear();
    for (const TSection& s : sections_) {
        list->Add(L"[" + s.name + L"]");
        list->AddStrings(s.values.get());
        list->Add(L"");
    }
    list->EndUpdate();
}

void TMemIniFile::Rename(const String& fileName, bool reload) {
    fileName_ = fileName.empty() ? fileName : ExpandFileName(fileName);
    if (reload) LoadValues();
}

String TMemIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) {
    TStringList* values = FindSection(section);
    if (!values) return defaultValue;
    Integer index = values->IndexOfName(ident);
    return index < 0 ? defaultValue : values->ValueFromIndex(index);
}

void TMemIniFile::WriteString(const String& section, const String& ident, const String& value) {
    TStringList* values = AddSection(section);
    String line = ident + L'=' + value;
    Integer index = values->IndexOfName(ident);
    if (index >= 0)
        values->Put(index, line);
    else
        values->Add(line);
}

void TMemIniFile::ReadSection(const String& section, TStrings* strings) {
    strings->BeginUpdate();
    strings->Clear();
    if (TStringList* values = FindSection(section))
        for (Integer i = 0; i < values->Count(); ++i) {
            String name = values->Names(i);
            if (!name.empty()) strings->Add(name);
        }
    strings->EndUpdate();
}

void TMemIniFile::ReadSections(TStrings* strings) {
    strings->BeginUpdate();
    strings->Clear();
    for (const TSection& s : sections_) strings->Add(s.name);
    strings->EndUpdate();
}

void TMemIniFile::ReadSectionValues(const String& section, TStrings* strings) {
    strings->BeginUpdate();
    strings->Clear();
    if (TStringList* values = FindSection(section)) strings->AddStrings(values);
    strings->EndUpdate();
}

void TMemIniFile::EraseSection(const String& section) {
    std::erase_if(sections_, [&](const TSection& s) { return AnsiSameText(s.name, section); });
}

void TMemIniFile::DeleteKey(const String& section, const String& ident) {
    if (TStringList* values = FindSection(section)) {
        Integer index = values->IndexOfName(ident);
        if (index >= 0) values->Delete(index);
    }
}

void TMemIniFile::UpdateFile() {
    if (fileName_.empty()) return;
    TStringList lines;
    GetStrings(&lines);
    lines.SaveToFile(fileName_);
}

#include "TypInfo.h"

#include "SysUtils.h"

namespace {

bool IsIdentStart(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_'; }

}  // namespace

bool IsValidIdent(const String& ident) {
    if (ident.empty() || !IsIdentStart(ident[0])) return false;
    for (wchar_t c : ident)
        if (!IsIdentStart(c) && !(c >= L'0' && c <= L'9')) return false;
    return true;
}

// ---- TEnumInfo -----------------------------------------------------------------------------

TEnumInfo::TEnumInfo(const wchar_t* typeName, const wchar_t* names) : name_(typeName) {
    String all(names);
    size_t start = 0;
    while (start <= all.size()) {
        size_t comma = all.find(L',', start);
        if (comma == String::npos) comma = all.size();
        String member = Trim(all.substr(start, comma - start));
        // Members are numbered in order; an explicit value would break the numbering.
        Assert(IsValidIdent(member), L"Enumeration " + name_ + L" must list plain identifiers");
        names_.push_back(member);
        start = comma + 1;
    }
}

String TEnumInfo::NameOf(Int64 ordinal) const {
    if (ordinal < 0 || ordinal >= Int64(names_.size())) return {};
    return names_[size_t(ordinal)];
}

int TEnumInfo::OrdinalOf(const String& name) const {
    for (size_t i = 0; i < names_.size(); ++i)
        if (SameText(names_[i], name)) return int(i);
    return -1;
}

// ---- TIdentMap -----------------------------------------------------------------------------

bool TIdentMap::IdentToInt(const String& ident, Int64& value) const {
    for (const TIdentMapEntry& e : entries_)
        if (SameText(e.name, ident)) {
            value = e.value;
            return true;
        }
    return false;
}

bool TIdentMap::IntToIdent(Int64 value, String& ident) const {
    for (const TIdentMapEntry& e : entries_)
        if (e.value == value) {
            ident = e.name;
            return true;
        }
    return false;
}

// ---- TPropInfo -----------------------------------------------------------------------------

bool TPropInfo::IsStored(TPersistent* instance) const {
    if (!StoredAlways) return false;
    return !StoredPredicate || StoredPredicate(instance);
}

bool TPropInfo::IsDefault(TPersistent* instance) const {
    switch (Kind) {
        case tkInteger:
        case tkEnumeration:
        case tkSet:
        case tkBoolean:
            return HasDefault && GetOrd(instance) == DefaultOrd;
        case tkFloat:
            return HasDefault && GetFloat(instance) == DefaultFloat;
        case tkString:
            return GetString(instance) == DefaultString;
        case tkComponent:
            return GetObject(instance) == nullptr;
        case tkMethod:
            return !MethodAssigned(instance);
        case tkClass:
            return GetObject(instance) == nullptr;
    }
    return false;
}

// ---- TPublishedTable -----------------------------------------------------------------------

TPublishedTable::TPublishedTable(TClass cls, const TPublishedTable* parent, TDeclare declare)
    : class_(cls), parent_(parent) {
    if (declare) declare(*this);
}

const TPropInfo* TPublishedTable::FindProperty(const String& name) const {
    for (const TPublishedTable* t = this; t; t = t->parent_)
        for (const auto& p : t->properties_)
            if (SameText(p->Name, name)) return p.get();
    return nullptr;
}

const TMethodInfo* TPublishedTable::FindMethod(const String& name) const {
    for (const TPublishedTable* t = this; t; t = t->parent_)
        for (const auto& m : t->methods_)
            if (SameText(m->Name, name)) return m.get();
    return nullptr;
}

std::vector<const TPropInfo*> TPublishedTable::Properties() const {
    std::vector<const TPublishedTable*> chain;
    for (const TPublishedTable* t = this; t; t = t->parent_) chain.push_back(t);
    std::vector<const TPropInfo*> result;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const auto& p : (*it)->properties_) {
            bool replaced = false;
            for (const TPropInfo*& existing : result)
                if (SameText(existing->Name, p->Name)) {
                    existing = FindProperty(p->Name);  // the most derived declaration
                    replaced = true;
                }
            if (!replaced) result.push_back(FindProperty(p->Name));
        }
    return result;
}

std::vector<const TMethodInfo*> TPublishedTable::Methods() const {
    std::vector<const TMethodInfo*> result;
    for (const TPublishedTable* t = this; t; t = t->parent_)
        for (const auto& m : t->methods_) result.push_back(m.get());
    return result;
}

TPropInfo& TPublishedTable::AddProperty(const wchar_t* name) {
    properties_.push_back(std::make_unique<TPropInfo>());
    properties_.back()->Name = name;
    return *properties_.back();
}

TMethodInfo& TPublishedTable::AddMethod(const wchar_t* name) {
    methods_.push_back(std::make_unique<TMethodInfo>());
    methods_.back()->Name = name;
    return *methods_.back();
}

// ---- access by name ------------------------------------------------------------------------

namespace {

const TPropInfo& Need(const TPersistent* instance, const String& name) {
    const TPropInfo* p = GetPropInfo(instance, name);
    if (!p) throw EPropertyError(L"Property " + name + L" does not exist");
    return *p;
}

const TPropInfo& NeedKind(const TPersistent* instance, const String& name, std::initializer_list<TTypeKind> kinds,
                          bool writing) {
    const TPropInfo& p = Need(instance, name);
    bool ok = false;
    for (TTypeKind k : kinds) ok = ok || p.Kind == k;
    if (!ok) throw EPropertyError(L"Invalid property type: " + name);
    if (writing && !p.Writable) throw EPropertyError(L"Property " + name + L" is read-only");
    return p;
}

constexpr std::initializer_list<TTypeKind> kOrdinals = {tkInteger, tkEnumeration, tkSet, tkBoolean};

}  // namespace

const TPropInfo* GetPropInfo(const TPersistent* instance, const String& name) {
    return instance ? instance->PublishedTable().FindProperty(name) : nullptr;
}

bool IsPublishedProp(const TPersistent* instance, const String& name) { return GetPropInfo(instance, name) != nullptr; }

Int64 GetOrdProp(TPersistent* instance, const String& name) {
    return NeedKind(instance, name, kOrdinals, false).GetOrd(instance);
}

void SetOrdProp(TPersistent* instance, const String& name, Int64 value) {
    NeedKind(instance, name, kOrdinals, true).SetOrd(instance, value);
}

String GetEnumProp(TPersistent* instance, const String& name) {
    const TPropInfo& p = NeedKind(instance, name, {tkEnumeration}, false);
    return p.EnumType->NameOf(p.GetOrd(instance));
}

void SetEnumProp(TPersistent* instance, const String& name, const String& value) {
    const TPropInfo& p = NeedKind(instance, name, {tkEnumeration}, true);
    int ordinal = p.EnumType->OrdinalOf(value);
    if (ordinal < 0) throw EPropertyError(L"Invalid property element: " + value);
    p.SetOrd(instance, ordinal);
}

String GetSetProp(TPersistent* instance, const String& name) {
    const TPropInfo& p = NeedKind(instance, name, {tkSet}, false);
    Int64 bits = p.GetOrd(instance);
    String text;
    for (int i = 0; i < p.EnumType->Count() && i < 64; ++i)
        if (bits & (Int64(1) << i)) {
            if (!text.empty()) text += L',';
            text += p.EnumType->NameOf(i);
        }
    return text;
}

void SetSetProp(TPersistent* instance, const String& name, const String& value) {
    const TPropInfo& p = NeedKind(instance, name, {tkSet}, true);
    Int64 bits = 0;
    String list = value;
    if (!list.empty() && list.front() == L'[' && list.back() == L']') list = list.substr(1, list.size() - 2);
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(L',', start);
        if (comma == String::npos) comma = list.size();
        String member = Trim(list.substr(start, comma - start));
        if (!member.empty()) {
            int ordinal = p.EnumType->OrdinalOf(member);
            if (ordinal < 0) throw EPropertyError(L"Invalid property element: " + member);
            bits |= Int64(1) << ordinal;
        }
        start = comma + 1;
    }
    p.SetOrd(instance, bits);
}

Extended GetFloatProp(TPersistent* instance, const String& name) {
    return NeedKind(instance, name, {tkFloat}, false).GetFloat(instance);
}

void SetFloatProp(TPersistent* instance, const String& name, Extended value) {
    NeedKind(instance, name, {tkFloat}, true).SetFloat(instance, value);
}

String GetStrProp(TPersistent* instance, const String& name) {
    return NeedKind(instance, name, {tkString}, false).GetString(instance);
}

void SetStrProp(TPersistent* instance, const String& name, const String& value) {
    NeedKind(instance, name, {tkString}, true).SetString(instance, value);
}

TObject* GetObjectProp(TPersistent* instance, const String& name) {
    return NeedKind(instance, name, {tkClass, tkComponent}, false).GetObject(instance);
}

void SetObjectProp(TPersistent* instance, const String& name, TObject* value) {
    const TPropInfo& p = NeedKind(instance, name, {tkClass, tkComponent}, true);
    if (value && !value->InheritsFrom(p.ClassType))
        throw EPropertyError(L"Invalid property value: " + value->ClassName() + L" is not a " +
                             p.ClassType->ClassName());
    p.SetObject(instance, value);
}

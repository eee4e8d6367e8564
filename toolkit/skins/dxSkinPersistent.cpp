#include "dxSkinPersistent.h"

#include <memory>

#include "dxSkinProperties.h"
#include "dxSkinStreams.h"

int CompareSkinNames(const String& a, const String& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, 0, a.c_str(), int(a.size()), b.c_str(), int(b.size())) - CSTR_EQUAL;
}

// ---- TdxSkinCustomPersistentObject ---------------------------------------------------------

TdxSkinCustomPersistentObject::TdxSkinCustomPersistentObject(TPersistent* owner, const String& name)
    : owner_(owner), name_(name) {}

void TdxSkinCustomPersistentObject::DoChange() {
    if (OnChange) OnChange(this);
}

TdxSkinCustomPersistentObject* TdxSkinCustomPersistentObject::Clone() {
    std::unique_ptr<TdxSkinCustomPersistentObject> copy(ClassType()->CreateObject(nullptr, name_));
    copy->Assign(this);
    return copy.release();
}

// ---- TdxSkinPersistent ---------------------------------------------------------------------

TdxSkinPersistent::TdxSkinPersistent(TPersistent* owner, const String& name)
    : TdxSkinCustomPersistentObject(owner, name) {}

TdxSkinPersistent::~TdxSkinPersistent() = default;

void TdxSkinPersistent::Assign(TPersistent* source) {
    auto* other = As<TdxSkinPersistent>(source);
    if (!other) {
        TdxSkinCustomPersistentObject::Assign(source);
        return;
    }
    WithinUpdate([&] {
        for (int i = 0; i < other->PropertyCount(); ++i)
            AdoptChild(properties_, static_cast<TdxSkinProperty*>(other->Properties(i)->Clone()));
    });
}

TdxSkinProperty* TdxSkinPersistent::AddProperty(const String& name, TdxSkinObjectClass propertyClass) {
    return AddChildOfClass(properties_, propertyClass, name);
}

TdxSkinProperty* TdxSkinPersistent::GetPropertyByName(const String& name) {
    CheckSorted();
    return FindSkinObject(properties_, name);
}

void TdxSkinPersistent::BeginUpdate() { ++lockCount_; }

void TdxSkinPersistent::EndUpdate() {
    if (--lockCount_ == 0) Changed();
}

void TdxSkinPersistent::Changed() {
    sorted_ = false;
    if (lockCount_ == 0) DoChange();
}

void TdxSkinPersistent::Sort() { SortSkinObjects(properties_); }

void TdxSkinPersistent::ChildChanged(TObject* sender) { Changed(); }

void TdxSkinPersistent::DeleteProperty(TdxSkinProperty* item) {
    if (properties_.IndexOf(item) < 0) return;
    properties_.Remove(item);  // the list frees it
    Changed();
}

void TdxSkinPersistent::CheckSorted() {
    if (sorted_) return;
    Sort();
    sorted_ = true;
}

void TdxSkinPersistent::ReadProperties(TStream* stream) {
    // The smallest property record: two empty strings and a one-byte value.
    const Integer count = ReadSkinCount(stream);
    CheckSkinStreamCount(stream, count, 9);
    for (Integer i = 0; i < count; ++i) {
        TClass found = FindClass(ReadSkinString(stream));
        if (!found->InheritsFrom(TdxSkinProperty::StaticClass()))
            throw EClassNotFound(L"Class " + found->ClassName() + L" not found");
        auto* propertyClass = static_cast<TdxSkinObjectClass>(found);
        TdxSkinProperty* property = AddProperty(ReadSkinString(stream), propertyClass);
        property->ReadData(stream);
    }
}

void TdxSkinPersistent::WriteProperties(TStream* stream) {
    WriteSkinInteger(stream, PropertyCount());
    for (int i = 0; i < PropertyCount(); ++i) Properties(i)->WriteToStream(stream);
}

bool TdxSkinPersistent::ArePropertiesEqual(TdxSkinPersistent* other) {
    if (PropertyCount() != other->PropertyCount()) return false;
    for (int i = 0; i < PropertyCount(); ++i)
        if (!Properties(i)->IsEqual(other->Properties(i))) return false;
    return true;
}

// Sections: contents · listeners · copies and equality · the stream.

#include "dxSkin.h"

#include <memory>

#include "Streams.h"
#include "dxGDIPlusAPI.h"
#include "dxSkinStreams.h"

namespace {

// The smallest colour record (two empty strings and the value) and group record (an empty name,
// no elements, no properties).
constexpr Int64 skinColorRecordMinimum = 12;
constexpr Int64 skinGroupRecordMinimum = 12;

}  // namespace

// ---- contents ------------------------------------------------------------------------------

TdxSkin::TdxSkin(const String& name, bool loadOnCreate, HMODULE instance) : TdxSkinPersistent(nullptr, name) {
    if (loadOnCreate) LoadFromResource(instance);
}

TdxSkin::~TdxSkin() {
    listeners_.clear();
    groups_.Clear();
    colors_.Clear();
}

TdxSkinColor* TdxSkin::AddColor(const String& name, TColor value) {
    TdxSkinColor* color = nullptr;
    WithinUpdate([&] {
        color = AdoptChild(colors_, new TdxSkinColor(this, name));
        color->SetValue(value);
    });
    return color;
}

TdxSkinControlGroup* TdxSkin::AddGroup(const String& name) {
    return AdoptChild(groups_, new TdxSkinControlGroup(this, name));
}

TdxSkinColor* TdxSkin::GetColorByName(const String& name) {
    CheckSorted();
    return FindSkinObject(colors_, name);
}

TdxSkinControlGroup* TdxSkin::GetGroupByName(const String& name) {
    CheckSorted();
    return FindSkinObject(groups_, name);
}

void TdxSkin::Clear() {
    groups_.Clear();
    colors_.Clear();
    ClearProperties();
    Changed();
}

void TdxSkin::Sort() {
    TdxSkinPersistent::Sort();
    SortSkinObjects(groups_);
    SortSkinObjects(colors_);
}

void TdxSkin::DeleteProperty(TdxSkinProperty* item) {
    if (auto* color = As<TdxSkinColor>(item); color && colors_.IndexOf(color) >= 0) {
        colors_.Remove(color);
        Changed();
        return;
    }
    TdxSkinPersistent::DeleteProperty(item);
}

// ---- listeners -----------------------------------------------------------------------------

void TdxSkin::AddListener(IdxSkinChangeListener* listener) { listeners_.emplace_back(listener); }

void TdxSkin::RemoveListener(IdxSkinChangeListener* listener) {
    for (auto it = listeners_.begin(); it != listeners_.end(); ++it)
        if (it->get() == listener) {
            listeners_.erase(it);
            return;
        }
}

void TdxSkin::DoChange() {
    NotifyListeners();
    TdxSkinPersistent::DoChange();
}

void TdxSkin::NotifyListeners() {
    // What the listeners change in the skin must not come back to them.
    TdxSkinNotificationLock lock(this);
    const auto listeners = listeners_;
    for (const auto& listener : listeners) listener->SkinChanged(this);
}

// ---- copies and equality -------------------------------------------------------------------

TdxSkinCustomPersistentObject* TdxSkin::Clone() {
    std::unique_ptr<TdxSkin> copy(new TdxSkin(name_));
    copy->Assign(this);
    return copy.release();
}

void TdxSkin::Assign(TPersistent* source) {
    if (auto* other = As<TdxSkin>(source))
        WithinUpdate([&] {
            for (int i = 0; i < other->ColorCount(); ++i)
                AdoptChild(colors_, static_cast<TdxSkinColor*>(other->Colors(i)->Clone()));
            for (int i = 0; i < other->GroupCount(); ++i)
                AdoptChild(groups_, static_cast<TdxSkinControlGroup*>(other->Groups(i)->Clone()));
        });
    TdxSkinPersistent::Assign(source);
}

bool TdxSkin::IsEqual(TdxSkin* other) {
    if (!other || ColorCount() != other->ColorCount() || GroupCount() != other->GroupCount() ||
        !ArePropertiesEqual(other))
        return false;
    for (int i = 0; i < ColorCount(); ++i)
        if (!Colors(i)->IsEqual(other->Colors(i))) return false;
    for (int i = 0; i < GroupCount(); ++i) {
        TdxSkinControlGroup* mine = Groups(i);
        TdxSkinControlGroup* theirs = other->Groups(i);
        if (mine->Name() != theirs->Name() || mine->ElementCount() != theirs->ElementCount() ||
            !mine->ArePropertiesEqual(theirs))
            return false;
        for (int j = 0; j < mine->ElementCount(); ++j)
            if (!mine->Elements(j)->IsEqual(theirs->Elements(j))) return false;
    }
    return true;
}

// ---- the stream ----------------------------------------------------------------------------

void TdxSkin::LoadFromResource(HMODULE instance) {
    TResourceStream stream(instance, name_, L"DXSKINS");
    LoadFromStream(&stream);
}

void TdxSkin::LoadFromStream(TStream* stream) {
    if (!GdiPlusUsable()) return;
    ReadSkinHeader(stream, version_);
    name_ = ReadSkinString(stream);
    CheckSkinVersion(version_);
    WithinUpdate([&] {
        Clear();
        const Integer colorCount = ReadSkinCount(stream);
        CheckSkinStreamCount(stream, colorCount, skinColorRecordMinimum);
        for (Integer i = 0; i < colorCount; ++i) {
            ReadSkinString(stream);  // the class name, always "TdxSkinColor"
            const String name = ReadSkinString(stream);
            AddColor(name, ReadSkinValue(stream));
        }
        ReadProperties(stream);
        const Integer groupCount = ReadSkinCount(stream);
        CheckSkinStreamCount(stream, groupCount, skinGroupRecordMinimum);
        for (Integer i = 0; i < groupCount; ++i) AddGroup(ReadSkinString(stream))->ReadData(stream, version_);
    });
}

void TdxSkin::SaveToStream(TStream* stream) {
    WriteSkinHeader(stream);
    WriteSkinString(stream, name_);
    WriteSkinInteger(stream, ColorCount());
    for (int i = 0; i < ColorCount(); ++i) Colors(i)->WriteToStream(stream);
    WriteProperties(stream);
    WriteSkinInteger(stream, GroupCount());
    for (int i = 0; i < GroupCount(); ++i) {
        WriteSkinString(stream, Groups(i)->Name());
        Groups(i)->WriteData(stream);
    }
}

#include "dxSkinControlGroup.h"

#include "dxSkin.h"
#include "dxSkinStreams.h"

namespace {

// The smallest element record: a name and every fixed field, two images without gradients,
// four borders and an empty property list.
constexpr Int64 skinElementRecordMinimum = 4 + 4 + 1 + 4 + 16 + 2 * 24 + 4 * 16 + 4 + 8 + 4;

}  // namespace

TdxSkinControlGroup::TdxSkinControlGroup(TPersistent* owner, const String& name) : TdxSkinPersistent(owner, name) {}

TdxSkinControlGroup::~TdxSkinControlGroup() = default;

TdxSkin* TdxSkinControlGroup::Skin() const { return As<TdxSkin>(owner_); }

TdxSkinElement* TdxSkinControlGroup::AddElementOfClass(const String& name, TdxSkinObjectClass elementClass) {
    return AddChildOfClass(elements_, elementClass, name);
}

TdxSkinElement* TdxSkinControlGroup::GetElementByName(const String& name) {
    CheckSorted();
    return FindSkinObject(elements_, name);
}

void TdxSkinControlGroup::Assign(TPersistent* source) {
    if (auto* other = As<TdxSkinControlGroup>(source))
        WithinUpdate([&] {
            for (int i = 0; i < other->ElementCount(); ++i)
                AdoptChild(elements_, static_cast<TdxSkinElement*>(other->Elements(i)->Clone()));
        });
    TdxSkinPersistent::Assign(source);
}

void TdxSkinControlGroup::Sort() {
    TdxSkinPersistent::Sort();
    SortSkinObjects(elements_);
}

void TdxSkinControlGroup::ReadData(TStream* stream, double version) {
    const Integer count = ReadSkinCount(stream);
    CheckSkinStreamCount(stream, count, skinElementRecordMinimum);
    for (Integer i = 0; i < count; ++i) {
        TdxSkinElement* element = AddElement(ReadSkinString(stream));
        element->ReadData(stream, version);
    }
    ReadProperties(stream);
    Changed();
}

void TdxSkinControlGroup::WriteData(TStream* stream) {
    WriteSkinInteger(stream, ElementCount());
    for (int i = 0; i < ElementCount(); ++i) {
        WriteSkinString(stream, Elements(i)->Name());
        Elements(i)->WriteData(stream);
    }
    WriteProperties(stream);
}

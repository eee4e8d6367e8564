#include "dxBarSkin.h"

#include <algorithm>
#include <memory>

#include "Format.h"
#include "SysUtils.h"
#include "dxCore.h"

// ---- the skin ------------------------------------------------------------------------------

TdxCustomBarSkin::TdxCustomBarSkin(const String& name) : skinName_(name) {}

TdxCustomBarSkin::~TdxCustomBarSkin() { Clear(); }

int TdxCustomBarSkin::Add(TdxSkinnedRect* part) {
    if (!part) return -1;
    for (TdxSkinnedRect* other : parts_) {
        if (part->PartId() != -1 && part->PartId() == other->PartId())
            throw EdxException(Format(L"ERROR: Duplicate part's ID = %d", {part->PartId()}));
        if (!part->PartName().empty() && AnsiSameText(part->PartName(), other->PartName()))
            throw EdxException(Format(L"ERROR: Duplicate part's name = \"%s\"", {part->PartName()}));
    }
    parts_.push_back(part);
    return int(parts_.size()) - 1;
}

int TdxCustomBarSkin::AddPart(GpImage* atlas, const TRect& r, int id, const String& name, int interpolation) {
    return AddPartWithMargins(atlas, r, TRect{0, 0, 0, 0}, id, name, interpolation);
}

int TdxCustomBarSkin::AddPartWithMargins(GpImage* atlas, const TRect& r, const TRect& margins, int id,
                                         const String& name, int interpolation) {
    auto part = std::make_unique<TdxSkinnedRect>(false);
    part->LoadFromImage(atlas, r, margins);
    part->SetPartId(id);
    part->SetPartName(name);
    part->SetInterpolation(interpolation);
    const int index = Add(part.get());
    part.release();
    return index;
}

int TdxCustomBarSkin::AddPartVerticalMargins(GpImage* atlas, const TRect& r, int topMargin, int bottomMargin, int id,
                                             const String& name, int interpolation) {
    return AddPartWithMargins(atlas, r, TRect{0, topMargin, 0, bottomMargin}, id, name, interpolation);
}

TdxSkinnedRect* TdxCustomBarSkin::Parts(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format(L"List index out of bounds (%d)", {index}));
    return parts_[size_t(index)];
}

void TdxCustomBarSkin::Clear() {
    for (TdxSkinnedRect* part : parts_) delete part;
    parts_.clear();
}

// ---- the registry --------------------------------------------------------------------------

TdxBarSkinManager::~TdxBarSkinManager() {
    for (TdxCustomBarSkin* skin : skins_) delete skin;
}

int TdxBarSkinManager::AddSkin(TdxCustomBarSkin* skin) {
    if (!GdiPlusUsable() || !skin || skin->SkinName().empty() || FindSkin(skin->SkinName())) return -1;
    skins_.push_back(skin);
    Changed();
    return int(skins_.size()) - 1;
}

bool TdxBarSkinManager::RemoveSkin(TdxCustomBarSkin* skin) {
    // A skin that is not registered answers false: nothing was removed.
    auto it = std::find(skins_.begin(), skins_.end(), skin);
    if (it == skins_.end() || !CanRemoveSkin(skin)) return false;
    skins_.erase(it);
    delete skin;
    Changed();
    return true;
}

TdxCustomBarSkin* TdxBarSkinManager::FindSkin(const String& name) const {
    for (TdxCustomBarSkin* skin : skins_)
        if (AnsiSameText(skin->SkinName(), name)) return skin;
    return nullptr;
}

TdxCustomBarSkin* TdxBarSkinManager::Skins(int index) const {
    if (index < 0 || index >= SkinCount()) throw EListError(Format(L"List index out of bounds (%d)", {index}));
    return skins_[size_t(index)];
}

namespace {
TdxBarSkinManager* barSkinManager = nullptr;
}  // namespace

TdxBarSkinManager* BarSkinManagerInstance() {
    if (!barSkinManager) barSkinManager = new TdxBarSkinManager();
    return barSkinManager;
}

void FinalizeBarSkin() {
    delete barSkinManager;
    barSkinManager = nullptr;
}

#pragma once
// Named lists of nine-part images and the process-wide registry of them. A bar skin holds its
// parts in the order they were added; the owners of parts keep list indexes, while each part's
// ID (and name, when it has one) must be unique within the skin. The ribbon's colour schemes
// derive from TdxCustomBarSkin and register with BarSkinManagerInstance(), where the ribbon finds
// its scheme by name.

#include <vector>

#include "Persistent.h"
#include "cxEventHandlerCollection.h"
#include "dxSkinnedRect.h"

class TdxCustomBarSkin : public TObject {
    Z_CLASS(TdxCustomBarSkin, TObject)
public:
    explicit TdxCustomBarSkin(const String& name);
    ~TdxCustomBarSkin() override;

    // Appends the part and returns its index; -1 for nil. Raises EdxException when another part
    // has the same ID (other than -1) or the same non-empty name (any case); the part then stays
    // with the caller.
    int Add(TdxSkinnedRect* part);
    // New parts cut from the atlas rectangle r, returning their indexes (see Add for failures).
    int AddPart(GpImage* atlas, const TRect& r, int id, const String& name, int interpolation);
    int AddPartWithMargins(GpImage* atlas, const TRect& r, const TRect& margins, int id, const String& name,
                           int interpolation);
    int AddPartVerticalMargins(GpImage* atlas, const TRect& r, int topMargin, int bottomMargin, int id,
                               const String& name, int interpolation);

    TdxSkinnedRect* Parts(int index) const;
    int Count() const { return int(parts_.size()); }
    // Frees every part.
    virtual void Clear();
    // A permanent skin cannot be removed from the registry.
    virtual bool IsPermanent() const { return false; }

    const String& SkinName() const { return skinName_; }

protected:
    void SetSkinName(const String& value) { skinName_ = value; }

private:
    std::vector<TdxSkinnedRect*> parts_;
    String skinName_;
};

class TdxBarSkinManager : public TPersistent {
    Z_CLASS(TdxBarSkinManager, TPersistent)
public:
    TdxBarSkinManager() = default;
    ~TdxBarSkinManager() override;  // frees the skins it still holds

    // Takes the skin and returns its index; -1 (the skin staying with the caller) without GDI+,
    // for nil, for an empty name or for a name already registered (compared without case).
    int AddSkin(TdxCustomBarSkin* skin);
    bool CanRemoveSkin(TdxCustomBarSkin* skin) const { return !skin->IsPermanent(); }
    // Frees a registered skin that may be removed; false when it may not be or is not registered.
    bool RemoveSkin(TdxCustomBarSkin* skin);
    // The first skin of the name (compared without case), or nil.
    TdxCustomBarSkin* FindSkin(const String& name) const;
    int SkinCount() const { return int(skins_.size()); }
    TdxCustomBarSkin* Skins(int index) const;
    // Called after every addition or removal (sender: the manager), so that a user of a removed
    // skin can drop its pointer.
    TcxEventHandlerCollection& ChangeHandlers() { return changeHandlers_; }

protected:
    // Called after a skin was added or removed.
    virtual void Changed() { changeHandlers_.CallHandlers(this); }

private:
    std::vector<TdxCustomBarSkin*> skins_;
    TcxEventHandlerCollection changeHandlers_;
};

// The registry, created on first use.
TdxBarSkinManager* BarSkinManagerInstance();
// The unit's end: frees the registry and every skin it holds.
void FinalizeBarSkin();

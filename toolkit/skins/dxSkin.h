#pragma once
// A skin: a named set of groups of elements, a colour table and properties, read from and written
// to the skin stream format, and loaded from a program resource of type "DXSKINS".
//
// A change anywhere in the skin reaches the skin's listeners (the skin infos) and its OnChange.
// While the listeners run, the skin's lock is raised, so that what they change in the skin
// reports nothing more.

#include <vector>

#include "Interfaces.h"
#include "dxSkinControlGroup.h"
#include "dxSkinProperties.h"

class TStream;

// Hears every change of a skin.
struct IdxSkinChangeListener : virtual IInterface {
    virtual void SkinChanged(TdxSkin* skin) = 0;
};

class TdxSkin : public TdxSkinPersistent {
    Z_CLASS(TdxSkin, TdxSkinPersistent)
    Z_PUBLISHED {
        p.Property(L"Version", [](TdxSkin* skin) { return skin->Version(); });
    }

public:
    // With loadOnCreate the resource named after the skin is read from the module at once.
    explicit TdxSkin(const String& name, bool loadOnCreate = false, HMODULE instance = nullptr);
    ~TdxSkin() override;

    // The format version of the data: 1.02 for a new skin, the stored one after reading.
    double Version() const { return version_; }

    TdxSkinColor* AddColor(const String& name, TColor value);
    TdxSkinControlGroup* AddGroup(const String& name);
    TdxSkinColor* GetColorByName(const String& name);
    TdxSkinControlGroup* GetGroupByName(const String& name);
    int ColorCount() const { return colors_.Count(); }
    TdxSkinColor* Colors(int index) const { return colors_.Items(index); }
    int GroupCount() const { return groups_.Count(); }
    TdxSkinControlGroup* Groups(int index) const { return groups_.Items(index); }
    // Frees every group, colour and property.
    void Clear();

    void AddListener(IdxSkinChangeListener* listener);
    void RemoveListener(IdxSkinChangeListener* listener);
    int ListenerCount() const { return int(listeners_.size()); }

    // A skin of this class with this name, not loaded, holding a copy of this one.
    TdxSkinCustomPersistentObject* Clone() override;
    // Adds clones of the source skin's colours, groups and properties (not its name and version).
    void Assign(TPersistent* source) override;
    // Equal colours, groups with equal elements and equal properties, each in list order.
    bool IsEqual(TdxSkin* other);

    // Reads the resource of type "DXSKINS" named after the skin from the module.
    virtual void LoadFromResource(HMODULE instance);
    // Replaces the whole skin with the stream's; nothing happens while GDI+ is missing. A broken
    // stream raises EdxSkin, the stream read error or the class-not-found error, and the skin
    // keeps what was read before the fault.
    virtual void LoadFromStream(TStream* stream);
    virtual void SaveToStream(TStream* stream);

    void DoChange() override;
    void Sort() override;
    // Also removes and frees a colour.
    void DeleteProperty(TdxSkinProperty* item) override;

private:
    void NotifyListeners();

    TTypedObjectList<TdxSkinColor> colors_;
    TTypedObjectList<TdxSkinControlGroup> groups_;
    std::vector<IPtr<IdxSkinChangeListener>> listeners_;
    double version_ = dxSkinStreamVersion;
};

#pragma once
// What a bar window's last layout placed: the view infos of its item controls in drawing and
// hit-test order, and its separators. The base only keeps the lists; each kind of bar window
// fills them in Calculate from the links it placed.

#include <vector>

#include "GraphicsTypes.h"
#include "TypInfo.h"
#include "dxBarForward.h"

class TdxBarItemControlViewInfo;
class TCustomdxBarControlViewInfo;

// One separator: the control it goes with, its bounds in client coordinates, and its kind (0 a
// horizontal line between stacked items; the toolbar layout has others).
struct TdxBarSeparatorInfo {
    TdxBarItemControl* control = nullptr;
    TRect bounds{};
    Byte kind = 0;
};

// The class reference of the bar window view infos: its virtual constructor.
class TCustomdxBarControlViewInfoMeta : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    virtual TCustomdxBarControlViewInfo* CreateForControl(TCustomdxBarControl* barControl) const = 0;
};

template <class C>
class TMetaClassOf<TCustomdxBarControlViewInfoMeta, C> final : public TCustomdxBarControlViewInfoMeta {
public:
    using TCustomdxBarControlViewInfoMeta::TCustomdxBarControlViewInfoMeta;
    TCustomdxBarControlViewInfo* CreateForControl(TCustomdxBarControl* barControl) const override {
        return new C(barControl);
    }
};

using TCustomdxBarControlViewInfoClass = const TCustomdxBarControlViewInfoMeta*;

class TCustomdxBarControlViewInfo : public TObject {
    Z_CLASS_FAMILY(TCustomdxBarControlViewInfo, TObject, TCustomdxBarControlViewInfoMeta)
public:
    explicit TCustomdxBarControlViewInfo(TCustomdxBarControl* barControl) : barControl_(barControl) {}

    TCustomdxBarControl* BarControl() const { return barControl_; }
    // Empties both lists.
    virtual void ClearItems();
    // The base only empties the lists; descendants refill them from the placed links.
    virtual void Calculate() { ClearItems(); }

    void AppendItemViewInfo(TdxBarItemControlViewInfo* info) { items_.push_back(info); }
    void RemoveItemViewInfo(TdxBarItemControlViewInfo* info);
    int GetItemViewInfoCount() const { return int(items_.size()); }
    TdxBarItemControlViewInfo* GetItemViewInfo(int index) const { return items_.at(size_t(index)); }
    bool ContainsItemViewInfo(const TdxBarItemControlViewInfo* info) const;

    void AppendSeparatorData(const TRect& bounds, Byte kind, TdxBarItemControl* control) {
        separators_.push_back({control, bounds, kind});
    }
    void ClearSeparatorData() { separators_.clear(); }
    int GetSeparatorDataCount() const { return int(separators_.size()); }
    const TdxBarSeparatorInfo& GetSeparatorData(int index) const { return separators_.at(size_t(index)); }
    void SetSeparatorData(int index, const TdxBarSeparatorInfo& data) { separators_.at(size_t(index)) = data; }

private:
    TCustomdxBarControl* barControl_;
    std::vector<TdxBarItemControlViewInfo*> items_;
    std::vector<TdxBarSeparatorInfo> separators_;
};

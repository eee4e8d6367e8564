#pragma once
// The controls of sub items and container items. A sub item's control opens its item's menu
// (a TdxBarSubMenuControl of the item's links) beside itself: at once on a press, after the
// hover delay in menus, and links it into the menu chain; it fires the item's OnPopup and OnClick
// before the menu shows and OnCloseUp when it closes. A container item's control shows the
// container on a toolbar (its caption plain) as a sub item whose menu holds the generated links.

#include "dxBarButtonControl.h"
#include "dxBarSubMenuControl.h"

class TCustomdxBarSubItem;
class TCustomdxBarContainerItem;

class TdxBarSubItemControl : public TdxBarButtonLikeControl {
    Z_CLASS(TdxBarSubItemControl, TdxBarButtonLikeControl)
public:
    explicit TdxBarSubItemControl(TdxBarItemLink* link) : TdxBarButtonLikeControl(link) {}
    // Not active any more first (no longer dropped down), then an open menu closes.
    ~TdxBarSubItemControl() override;

    TCustomdxBarSubItem* GetSubItem() const;
    // The item's links make their menu window (when they have none) and it is returned.
    virtual TdxBarSubMenuControl* GetSubMenuControl();
    virtual void PrepareSubMenu();
    // Where the menu opens, in screen coordinates, and the opener extent it may flip along.
    virtual void CalcSubMenuPos(TPoint& p, int& ownerWidth, int& ownerHeight);
    virtual bool OpensAsPopup() const { return true; }

    bool IsDroppedDown() const override;
    TCustomdxBarControl* GetDropDownWindow() const override;
    bool IsDropDownButton() const override { return true; }
    bool IsClickable() const override { return false; }
    bool ClosesMenuOnClick() const override { return false; }
    // Enter too opens the menu.
    bool MatchesAccelerator(Word key) const override;
    void MarkBarDowned(bool immediately) override;
    void ControlPress(bool byMouse, bool extra) override;
    // The press did the work: no click road for a sub item.
    void ControlClick(bool) override {}
    void DropDown(bool byMouse) override;
    void CloseDropDown(bool hide) override;
    Byte GetViewStructure() const override;
    // A sub item's key tip opens its menu.
    const TcxAccessibilityHelperMeta* GetAccessHelperClass() const override;

protected:
    void DrawContent(const TRect& r, Byte paintKind) override;
    bool IsBarCustomizing() const override;

private:
    void ShowSubMenu(TdxBarSubMenuControl* menu);
    void SubMenuClosedUp(TObject* sender);
};

class TdxBarContainerItemControl : public TdxBarSubItemControl {
    Z_CLASS(TdxBarContainerItemControl, TdxBarSubItemControl)
public:
    explicit TdxBarContainerItemControl(TdxBarItemLink* link) : TdxBarSubItemControl(link) {}
    // Each opening makes a menu of the container's generated links.
    TdxBarSubMenuControl* GetSubMenuControl() override;
};

// The menu of a container item: it holds the links the container generated for it and has the
// container release them when it closes.
class TContainerItemSubMenuControl : public TdxBarSubMenuControl {
    Z_CLASS(TContainerItemSubMenuControl, TdxBarSubMenuControl)
public:
    TContainerItemSubMenuControl(TComponent* manager, TCustomdxBarContainerItem* container);
    ~TContainerItemSubMenuControl() override;
    TCustomdxBarContainerItem* ContainerItem() const { return container_; }
    bool IsCustomizing() const override { return false; }

protected:
    void DoCloseUp() override;

private:
    TCustomdxBarContainerItem* container_;
    TdxBarItemLinks* generated_ = nullptr;
};

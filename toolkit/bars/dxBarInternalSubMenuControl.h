#pragma once
// Menus made of internal links: TdxBarInternalSubMenuControl owns its link collection (marked
// internal, never reported to a designer) and never customizes, so its entries work as commands
// even while the bars are customized; TdxBarCustomizingPopup is the menu of customizing commands
// that the design controller shows for a link. Both free themselves, with their links, when
// they close as a root menu.

#include "dxBarItemLinks.h"
#include "dxBarSubMenuControl.h"

class TdxBarInternalSubMenuControl : public TdxBarSubMenuControl, public IdxBarLinksOwner {
    Z_CLASS(TdxBarInternalSubMenuControl, TdxBarSubMenuControl)
public:
    explicit TdxBarInternalSubMenuControl(TComponent* manager);
    ~TdxBarInternalSubMenuControl() override;

    TdxBarItemLinks* OwnLinks() const { return ownLinks_; }
    // Shows the menu with its top left corner at the screen point.
    void PopupAt(const TPoint& p);

    bool IsCustomizing() const override { return false; }
    bool IsInternalMenu() const override { return true; }

    // IdxBarLinksOwner
    bool CanAddItem(TdxBarItem* item, String& errorText) override;
    TCustomdxBarControl* CreateBarControl() override { return this; }
    TComponent* GetOwnerObject() override { return this; }
    TdxBarItemLinks* GetOwnerItemLinks() override { return ownLinks_; }

protected:
    virtual void DoShowPopup() {}

private:
    TdxBarItemLinks* ownLinks_ = nullptr;
};

class TdxBarCustomizingPopup : public TdxBarInternalSubMenuControl {
    Z_CLASS(TdxBarCustomizingPopup, TdxBarInternalSubMenuControl)
public:
    explicit TdxBarCustomizingPopup(TComponent* manager);
    // The manager's OnShowCustomizingPopup with the popup's links.
    void DoShowCustomizingPopup();
};

// The popup of a right click on a toolbar or a dock outside customizing mode: one check entry
// per toolbar that may be closed, then Customize.
class TdxBarToolbarsPopup : public TdxBarInternalSubMenuControl {
    Z_CLASS(TdxBarToolbarsPopup, TdxBarInternalSubMenuControl)
public:
    using TdxBarInternalSubMenuControl::TdxBarInternalSubMenuControl;
};

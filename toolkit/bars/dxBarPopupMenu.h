#pragma once
// TdxBarPopupMenu: a menu of item links that a button drops down or a control shows as its
// context menu. Popup opens its sub-menu window at a screen point and, by default, runs its own
// message loop until the menu closes, so a clicked command has run when Popup returns.
// PopupForOwner shows it once on behalf of an opener (its size, bounds and control); the next
// showing has the defaults back.

#include "Font.h"
#include "WinControl.h"
#include "cxPopupMenus.h"
#include "dxBarComponent.h"
#include "dxBarItemLinks.h"
#include "dxBarSubItem.h"

class TdxBarSubMenuControl;

class TdxBarPopupMenu : public TdxBarComponent, public IdxBarLinksOwner, public IcxToolkitPopupMenu {
    Z_CLASS(TdxBarPopupMenu, TdxBarComponent)
    Z_PUBLISHED {
        p.Property(L"BarManager", &TdxBarPopupMenu::BarManager, &TdxBarPopupMenu::SetBarManager);
        p.Property(L"BarSize", &TdxBarPopupMenu::BarSize, &TdxBarPopupMenu::SetBarSize).Default(0);
        p.Property(L"ItemLinks", &TdxBarPopupMenu::ItemLinks, &TdxBarPopupMenu::SetItemLinks);
        p.Property(L"UseOwnFont", &TdxBarPopupMenu::UseOwnFont, &TdxBarPopupMenu::SetUseOwnFont).Default(false);
        p.Event(L"OnCloseUp", &TdxBarPopupMenu::OnCloseUp);
        p.Event(L"OnPaintBar", &TdxBarPopupMenu::OnPaintBar);
        p.Event(L"OnPopup", &TdxBarPopupMenu::OnPopup);
    }

public:
    explicit TdxBarPopupMenu(TComponent* owner);
    ~TdxBarPopupMenu() override;
    Integer _AddRef() override { return -1; }
    Integer _Release() override { return -1; }

    void SetBarManager(TdxBarManager* manager);
    TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
    void SetItemLinks(TdxBarItemLinks* value) { itemLinks_->Assign(value); }
    int BarSize() const { return barSize_; }
    // Negative values are stored as 0.
    void SetBarSize(int value) { barSize_ = value < 0 ? 0 : value; }
    // A copy of the manager's font at creation; any change of it switches UseOwnFont on.
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* value) { font_->Assign(value); }
    bool UseOwnFont() const { return useOwnFont_; }
    // Off takes the manager's font back.
    void SetUseOwnFont(bool value);
    TNotifyEvent OnCloseUp, OnPopup;
    TdxBarPaintSubMenuBarEvent OnPaintBar;

    bool GetEnabled() const override { return true; }
    void SetEnabled(bool) override {}
    void SetVisible(TdxBarItemVisible) override {}
    void Loaded() override;

    // -- showing
    // Opens the menu at the screen point (nothing while it is open); with the own message loop
    // returns only after the menu closed.
    void Popup(int x, int y);
    void PopupFromCursorPos();
    // One showing on behalf of an opener; the per-showing values are reset afterwards.
    void PopupForOwner(int x, int y, int ownerWidth, int ownerHeight, bool showAnimation, const TRect* ownerBounds,
                       bool useOwnMessageLoop, TWinControl* ownerControl);
    // The open menu window; nil while closed.
    TdxBarSubMenuControl* GetSubMenuControl() const;
    bool IsPopupVisible() const { return popupVisible_; }
    // Set by a button around the showing of its drop-down menu.
    TdxBarItemControl* OwnerItemControl = nullptr;
    // True when the key message is the shortcut of an item of the menu, which then ran.
    bool IsShortCut(const TMessage& message);

    // IcxToolkitPopupMenu
    bool IsShortCutKey(const TMessage& message) override { return IsShortCut(message); }
    void PopupAt(int x, int y) override { Popup(x, y); }

    // IdxBarLinksOwner
    // A menu takes what may be placed in menus, except an item whose own menu holds this one.
    bool CanAddItem(TdxBarItem* item, String& errorText) override;
    TCustomdxBarControl* CreateBarControl() override;
    TComponent* GetOwnerObject() override { return this; }
    TdxBarItemLinks* GetOwnerItemLinks() override { return itemLinks_; }

protected:
    void Notification(TComponent* component, TOperation operation) override;
    virtual TdxBarSubMenuControl* CreateSubMenuControl();

private:
    void FontChanged(TObject* sender);
    void MenuClosedUp(TObject* sender);
    void MenuPoppedUp(TObject* sender);
    void RunOwnMessageLoop();
    TdxBarItemLinks* itemLinks_ = nullptr;
    std::unique_ptr<TFont> font_;
    TRect ownerBounds_{};
    bool hasOwnerBounds_ = false;
    TWinControl* ownerControl_ = nullptr;
    int barSize_ = 0, ownerWidth_ = 0, ownerHeight_ = 0;
    bool useOwnFont_ = false, internalFontChange_ = false, popupVisible_ = false;
    bool showAnimation_ = true, useOwnMessageLoop_ = true;
};

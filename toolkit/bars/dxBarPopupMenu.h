#pragma once
// TdxBarPopupMenu: a menu of item links that a button drops down or a control shows as its
// context menu. Here it holds its links and answers what may be linked into it; showing itself
// (its window, the menu loop, Popup) joins with the popup menus' own part.

#include "dxBarComponent.h"
#include "dxBarItemLinks.h"

class TdxBarPopupMenu : public TdxBarComponent, public IdxBarLinksOwner {
    Z_CLASS(TdxBarPopupMenu, TdxBarComponent)
    Z_PUBLISHED {
        p.Property(L"BarManager", &TdxBarPopupMenu::BarManager, &TdxBarPopupMenu::SetBarManager);
        p.Property(L"ItemLinks", &TdxBarPopupMenu::ItemLinks, &TdxBarPopupMenu::SetItemLinks);
    }

public:
    explicit TdxBarPopupMenu(TComponent* owner);
    ~TdxBarPopupMenu() override;

    void SetBarManager(TdxBarManager* manager);
    TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
    void SetItemLinks(TdxBarItemLinks* value) { itemLinks_->Assign(value); }

    bool GetEnabled() const override { return enabled_; }
    void SetEnabled(bool value) override { enabled_ = value; }
    void SetVisible(TdxBarItemVisible value) override { visible_ = value; }
    void Loaded() override;

    // IdxBarLinksOwner
    // A menu takes what may be placed in menus, except an item whose own menu holds this one.
    bool CanAddItem(TdxBarItem* item, String& errorText) override;
    // Hook (popup menus): the menu's sub-menu window.
    TCustomdxBarControl* CreateBarControl() override { return nullptr; }
    TComponent* GetOwnerObject() override { return this; }
    TdxBarItemLinks* GetOwnerItemLinks() override { return itemLinks_; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TdxBarItemLinks* itemLinks_ = nullptr;
};

#pragma once
// TdxRibbonPopupMenu: a bar popup menu that belongs to a ribbon (its menus take the ribbon's
// look once menus draw through the ribbon's scheme). Here it adds the ribbon it names.

#include "dxBarPopupMenu.h"

class TdxCustomRibbon;

class TdxRibbonPopupMenu : public TdxBarPopupMenu {
    Z_CLASS(TdxRibbonPopupMenu, TdxBarPopupMenu)
    Z_PUBLISHED { p.Property(L"Ribbon", &TdxRibbonPopupMenu::Ribbon, &TdxRibbonPopupMenu::SetRibbon); }

public:
    explicit TdxRibbonPopupMenu(TComponent* owner) : TdxBarPopupMenu(owner) {}

    // Not owned: a ribbon that goes leaves the menu without one.
    TdxCustomRibbon* Ribbon() const { return ribbon_; }
    void SetRibbon(TdxCustomRibbon* value);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TdxCustomRibbon* ribbon_ = nullptr;
};

void InitializedxRibbonPopupMenu();
void FinalizedxRibbonPopupMenu();

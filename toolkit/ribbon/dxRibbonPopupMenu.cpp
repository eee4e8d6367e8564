#include "dxRibbonPopupMenu.h"

#include "Filer.h"
#include "dxRibbon.h"

void TdxRibbonPopupMenu::SetRibbon(TdxCustomRibbon* value) {
    if (value == ribbon_) return;
    if (ribbon_) ribbon_->RemoveFreeNotification(this);
    ribbon_ = value;
    if (ribbon_) {
        ribbon_->FreeNotification(this);
        // The ribbon's bar manager serves the menu's links.
        if (!BarManager() && ribbon_->BarManager()) SetBarManager(ribbon_->BarManager());
    }
}

void TdxRibbonPopupMenu::Notification(TComponent* component, TOperation operation) {
    TdxBarPopupMenu::Notification(component, operation);
    if (operation == opRemove && component == ribbon_) ribbon_ = nullptr;
}

void InitializedxRibbonPopupMenu() { RegisterClass(TdxRibbonPopupMenu::StaticClass()); }

void FinalizedxRibbonPopupMenu() { UnRegisterClass(TdxRibbonPopupMenu::StaticClass()); }

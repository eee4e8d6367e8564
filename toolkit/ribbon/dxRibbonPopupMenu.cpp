#include "dxRibbonPopupMenu.h"

#include <windowsx.h>

#include "Filer.h"
#include "Form.h"
#include "cxObjectLinks.h"
#include "dxBarManager.h"
#include "dxRibbon.h"
#include "dxRibbonBarPainter.h"
#include "dxRibbonContextMenu.h"
#include "dxRibbonViewInfo.h"

// ---- popup menu ----------------------------------------------------------------------------

TdxRibbonPopupMenu::TdxRibbonPopupMenu(TComponent* owner) : TdxBarPopupMenu(owner) {
    auto* form = As<TCustomForm>(owner);
    if (!form || !form->ComponentState().Contains(csDesigning)) return;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* ribbon = As<TdxCustomRibbon>(form->Components(i))) {
            SetRibbon(ribbon);
            break;
        }
}

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

TdxBarSubMenuControl* TdxRibbonPopupMenu::CreateSubMenuControl() {
    if (!BarManager()) return nullptr;
    auto* menu = new TdxRibbonPopupMenuControl(BarManager());
    if (ribbon_) menu->SetPainter(ribbon_->BarPainter());
    return menu;
}

// ---- application menu ----------------------------------------------------------------------

TdxCustomRibbon* TdxRibbonApplicationMenuControl::GetRibbon() const { return As<TdxCustomRibbon>(GetOwnerControl()); }

void TdxRibbonApplicationMenuControl::FillContextMenu(TdxBarItemLinks* links) {
    TdxCustomRibbon* ribbon = GetRibbon();
    if (!ribbon) return;
    // The extra pane of this menu lists entries, not links: every right-clicked link is one of
    // the menu's commands and may go onto the quick access toolbar.
    FillRibbonPopupMenu(ribbon, links, ribbon->GetEffectivePopupMenuItems(),
                        MakeEvent(this, &TdxRibbonApplicationMenuControl::RunMenuCommand));
}

void TdxRibbonApplicationMenuControl::RunMenuCommand(TObject* sender) {
    TdxCustomRibbon* ribbon = GetRibbon();
    if (!ribbon) return;
    TcxObjectLinkGuard self(this);
    ribbon->RibbonMenuCommand(sender);
    if (self.Alive()) HideMenuChain();
}

void TdxRibbonApplicationMenuControl::WMNCHitTest(TMessage& message) {
    TdxCustomRibbon* ribbon = GetRibbon();
    if (ribbon && ribbon->HandleAllocated()) {
        TRect area = ribbon->ViewInfo()->ApplicationButtonArea();
        const TPoint origin = ribbon->ClientToScreen(TPoint{0, 0});
        OffsetRect(&area, origin.x, origin.y);
        const POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
        if (PtInRect(&area, p)) {
            message.Result = HTTRANSPARENT;
            return;
        }
    }
    Inherited<TdxBarSubMenuControl>(message);
}

TdxBarSubMenuControl* TdxBarApplicationMenu::CreateSubMenuControl() {
    return BarManager() ? new TdxRibbonApplicationMenuControl(BarManager()) : nullptr;
}

// ---- the unit ------------------------------------------------------------------------------

void InitializedxRibbonPopupMenu() {
    RegisterClasses({TdxRibbonPopupMenu::StaticClass(), TdxBarApplicationMenu::StaticClass()});
}

void FinalizedxRibbonPopupMenu() {
    UnRegisterClass(TdxBarApplicationMenu::StaticClass());
    UnRegisterClass(TdxRibbonPopupMenu::StaticClass());
}

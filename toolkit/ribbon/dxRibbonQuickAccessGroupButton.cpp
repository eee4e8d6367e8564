#include "dxRibbonQuickAccessGroupButton.h"

#include "dxBar.h"
#include "dxBarControl.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxRibbonDockControls.h"

TdxRibbonQuickAccessGroupButton::~TdxRibbonQuickAccessGroupButton() {
    if (toolbar_) toolbar_->RemoveFreeNotification(this);
}

void TdxRibbonQuickAccessGroupButton::SetToolbar(TdxBar* value) {
    if (value == toolbar_ || !CanPlaceGroupButton(this, value)) return;
    if (toolbar_) toolbar_->RemoveFreeNotification(this);
    toolbar_ = value;
    if (toolbar_) toolbar_->FreeNotification(this);
    InvalidateLinkControls();
}

void TdxRibbonQuickAccessGroupButton::Notification(TComponent* component, TOperation operation) {
    TdxBarItem::Notification(component, operation);
    if (operation == opRemove && component == toolbar_) {
        toolbar_ = nullptr;
        InvalidateLinkControls();
    }
}

bool CanPlaceGroupButton(TdxRibbonQuickAccessGroupButton* button, TdxBar* bar) {
    TdxBarManager* manager = button->BarManager();
    if ((manager && manager->IsLoadingState()) || !bar || button->GetLinkCount() == 0) return true;
    auto* holder = As<TdxBar>(button->GetLink(0)->GetLinks()->GetOwnerObject());
    if (!holder || !Is<TdxRibbonGroupsDockControl>(bar->DockControl()) || bar->BarManager() != holder->BarManager())
        return false;
    TdxBarItemLinks* links = holder->BarControl() ? holder->BarControl()->ItemLinks() : holder->ItemLinks();
    for (int i = 0; links && i < links->Count(); ++i) {
        auto* other = As<TdxRibbonQuickAccessGroupButton>(links->GetLink(i)->Item());
        if (other && other != button && other->Toolbar() == bar) return false;
    }
    return true;
}

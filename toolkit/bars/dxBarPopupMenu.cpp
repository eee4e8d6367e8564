#include "dxBarPopupMenu.h"

#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"

TdxBarPopupMenu::TdxBarPopupMenu(TComponent* owner) : TdxBarComponent(owner) {
    TdxBarManager* manager = ResolveBarManager(owner);
    SetBarManagerField(manager);
    // The links must not outlive their manager's notice of its freeing.
    if (manager) manager->FreeNotification(this);
    itemLinks_ = new TdxBarSubMenuControlItemLinks(manager, this);
    if (manager) manager->AddPopupMenu(this);
}

TdxBarPopupMenu::~TdxBarPopupMenu() {
    if (BarManager()) BarManager()->RemovePopupMenu(this);
    FreeAndNil(itemLinks_);
}

void TdxBarPopupMenu::SetBarManager(TdxBarManager* manager) {
    if (manager == BarManager()) return;
    if (BarManager()) {
        BarManager()->RemovePopupMenu(this);
        BarManager()->RemoveFreeNotification(this);
    }
    SetBarManagerField(manager);
    itemLinks_->SetBarManager(manager);
    if (manager) {
        manager->FreeNotification(this);
        manager->AddPopupMenu(this);
    }
}

void TdxBarPopupMenu::Notification(TComponent* component, TOperation operation) {
    TdxBarComponent::Notification(component, operation);
    if (operation == opRemove && component == BarManager()) {
        SetBarManagerField(nullptr);
        itemLinks_->SetBarManager(nullptr);
    }
}

void TdxBarPopupMenu::Loaded() {
    TdxBarComponent::Loaded();
    itemLinks_->ResolveLoadedItems();
}

bool TdxBarPopupMenu::CanAddItem(TdxBarItem* item, String& errorText) {
    if (!item->CanPlaceOn(dxBarPlaceInMenu, nullptr, errorText)) return false;
    TdxBarItemLinks* links = item->GetItemLinks();
    if (links && links->ContainsOwner(this)) {
        errorText = BarString(dxSBAR_RECURSIVEMENUS);
        return false;
    }
    return true;
}

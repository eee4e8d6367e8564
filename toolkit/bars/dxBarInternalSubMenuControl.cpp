#include "dxBarInternalSubMenuControl.h"

#include "dxBarManager.h"

TdxBarInternalSubMenuControl::TdxBarInternalSubMenuControl(TComponent* manager) : TdxBarSubMenuControl(manager) {
    ownLinks_ = new TdxBarSubMenuControlItemLinks(As<TdxBarManager>(manager), this);
    ownLinks_->Internal = true;
    AssignItemLinks(ownLinks_);
}

TdxBarInternalSubMenuControl::~TdxBarInternalSubMenuControl() {
    // The window and the item controls go while the links are still here; then the links go
    // before the base forgets the window.
    if (HandleAllocated()) DestroyHandle();
    DestroyControls();
    ownLinks_->AttachBarControl(nullptr);
    ItemLinksFreed();
    FreeAndNil(ownLinks_);
}

bool TdxBarInternalSubMenuControl::CanAddItem(TdxBarItem*, String&) { return true; }

void TdxBarInternalSubMenuControl::PopupAt(const TPoint& p) {
    SetLeft(p.x);
    SetTop(p.y);
    DoShowPopup();
    ShowMenu();
}

TdxBarCustomizingPopup::TdxBarCustomizingPopup(TComponent* manager) : TdxBarInternalSubMenuControl(manager) {
    ShowAnimation = false;
}

void TdxBarCustomizingPopup::DoShowCustomizingPopup() {
    if (auto* manager = As<TdxBarManager>(Owner())) manager->FireShowCustomizingPopup(OwnLinks());
}

#include "dxBarDockControl.h"

#include "dxBarManager.h"

void TdxDockControl::BeforeDestruction() {
    SetBarManager(nullptr);
    TCustomControl::BeforeDestruction();
}

void TdxDockControl::SetBarManager(TdxBarManager* value) {
    if (manager_ == value) return;
    TdxBarManager* old = manager_;
    manager_ = nullptr;
    if (old) {
        old->RemoveFreeNotification(this);
        old->RemoveDockControl(this);
    }
    manager_ = value;
    if (value) {
        value->FreeNotification(this);
        value->AddDockControl(this);
    }
}

bool TdxDockControl::CanDockBar(TdxBar* bar) const {
    (void)bar;
    return allowDocking_;
}

void TdxDockControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == manager_) manager_ = nullptr;
}

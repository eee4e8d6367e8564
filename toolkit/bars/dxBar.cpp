#include "dxBar.h"

#include "dxBarManager.h"
#include "dxBarDockControl.h"

TdxBarManager* TdxBar::BarManager() const {
    auto* bars = static_cast<TdxBars*>(Collection());
    return bars ? bars->BarManager() : nullptr;
}

TcxComponentCollection* TdxBar::CollectionFromParent(TComponent* parent) {
    auto* manager = As<TdxBarManager>(parent);
    return manager ? manager->Bars() : nullptr;
}

TdxBars::TdxBars(TdxBarManager* manager) : TcxComponentCollection(manager, TdxBar::StaticClass()) {}

TdxBarManager* TdxBars::BarManager() const { return static_cast<TdxBarManager*>(ParentComponent()); }

TdxDockControl* TdxBars::DockControls(TdxBarDockingStyle style) const { return dockControls_[style]; }

void TdxBars::SetDockControl(TdxBarDockingStyle style, TdxDockControl* dockControl) {
    if (style != dsNone) dockControls_[style] = dockControl;
}

void TdxBar::SetDockControl(TdxDockControl* value) {
    if (dockControl_ == value) return;
    if (dockControl_ && dockControl_ != dockedDockControl_) dockControl_->RemoveFreeNotification(this);
    dockControl_ = value;
    if (value) value->FreeNotification(this);
}

void TdxBar::SetDockedDockControl(TdxDockControl* value) {
    if (dockedDockControl_ == value) return;
    if (dockedDockControl_ && dockedDockControl_ != dockControl_) dockedDockControl_->RemoveFreeNotification(this);
    dockedDockControl_ = value;
    if (value) value->FreeNotification(this);
}

void TdxBar::Notification(TComponent* component, TOperation operation) {
    TcxComponentCollectionItem::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == dockControl_) dockControl_ = nullptr;
    if (component == dockedDockControl_) dockedDockControl_ = nullptr;
}

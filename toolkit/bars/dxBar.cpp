#include "dxBar.h"

#include "dxBarManager.h"

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

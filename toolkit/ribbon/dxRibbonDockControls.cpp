#include "dxRibbonDockControls.h"

#include "dxRibbon.h"
#include "dxRibbonTabs.h"

TdxRibbonGroupsDockControl::TdxRibbonGroupsDockControl(TdxRibbonTab* tab)
    : TdxCustomRibbonDockControl(nullptr), tab_(tab) {
    SetVisible(false);
    SetAllowDocking(false);
}

TdxRibbonGroupsDockControl::~TdxRibbonGroupsDockControl() {
    if (tab_) tab_->DockControlDestroyed(this);
}

TdxCustomRibbon* TdxRibbonGroupsDockControl::Ribbon() const { return tab_ ? tab_->Ribbon() : nullptr; }

void TdxRibbonGroupsDockControl::Paint() {
    TdxCustomRibbon* ribbon = Ribbon();
    TdxCustomRibbonSkin* scheme = ribbon ? ribbon->ColorScheme() : nullptr;
    TWinControl* site = Parent();
    if (!scheme || !site) return;
    const TRect area{-Left(), -Top(), site->ClientWidth() - Left(), site->ClientHeight() - Top()};
    scheme->DrawTabGroupsArea(Canvas()->Handle(), area);
}

TdxRibbonQuickAccessDockControl::TdxRibbonQuickAccessDockControl(TdxCustomRibbon* ribbon)
    : TdxCustomRibbonDockControl(nullptr), ribbon_(ribbon) {
    SetVisible(false);
    SetAllowDocking(false);
}

TdxRibbonGroupsDockControlSite::TdxRibbonGroupsDockControlSite(TdxCustomRibbon* ribbon)
    : TCustomControl(nullptr), ribbon_(ribbon) {}

void TdxRibbonGroupsDockControlSite::Paint() {
    // The groups area behind the dock control, drawn by the colour scheme.
    if (TdxCustomRibbonSkin* scheme = ribbon_->ColorScheme())
        scheme->DrawTabGroupsArea(Canvas()->Handle(), ClientRect());
}

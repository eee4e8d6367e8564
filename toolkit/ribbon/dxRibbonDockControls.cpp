#include "dxRibbonDockControls.h"

#include "dxBarManager.h"
#include "dxBarAccessibility.h"
#include "dxRibbon.h"
#include "dxRibbonAccessibility.h"
#include "dxRibbonGroupBarControl.h"
#include "dxRibbonQuickAccess.h"
#include "dxRibbonTabs.h"

namespace {

// The group windows docked in the dock control, in order.
std::vector<TdxRibbonGroupBarControl*> DockedGroupWindows(const TdxRibbonGroupsDockControl* dock) {
    std::vector<TdxRibbonGroupBarControl*> windows;
    for (int i = 0; i < dock->ControlCount(); ++i)
        if (auto* window = As<TdxRibbonGroupBarControl>(dock->Controls(i)))
            // Only the windows their toolbars still show: one going (with its toolbar or its
            // manager) takes no part.
            if (!window->IsDestroying() &&
                (!window->Bar() || (window->Bar()->BarControl() == window &&
                                    !window->Bar()->ComponentState().Contains(csDestroying))))
                windows.push_back(window);
    return windows;
}

class TdxRibbonDockedGroupsViewInfo final : public TdxRibbonGroupsDockControlViewInfo {
public:
    using TdxRibbonGroupsDockControlViewInfo::TdxRibbonGroupsDockControlViewInfo;

protected:
    std::vector<IdxRibbonReducibleGroup*> GetGroups() override {
        std::vector<IdxRibbonReducibleGroup*> groups;
        for (TdxRibbonGroupBarControl* window : DockedGroupWindows(OwnerDock()))
            groups.push_back(window->GroupViewInfo());
        return groups;
    }
    void ScrollPositionChanged() override { OwnerDock()->ArrangeGroups(); }
    void GroupCollapsedChanged(int index, bool collapsed) override {
        std::vector<TdxRibbonGroupBarControl*> windows = DockedGroupWindows(OwnerDock());
        if (index < 0 || index >= int(windows.size())) return;
        TdxRibbonTab* tab = OwnerDock()->Tab();
        TdxCustomRibbon* ribbon = OwnerDock()->Ribbon();
        TdxRibbonTabGroup* group = windows[size_t(index)]->ShownGroup();
        if (!ribbon || !tab || !group) return;
        if (collapsed)
            ribbon->DoTabGroupCollapsed(tab, group);
        else
            ribbon->DoTabGroupExpanded(tab, group);
    }
};

}  // namespace

TdxRibbonGroupsDockControl::TdxRibbonGroupsDockControl(TdxRibbonTab* tab)
    : TdxCustomRibbonDockControl(nullptr), tab_(tab), groupsViewInfo_(std::make_unique<TdxRibbonDockedGroupsViewInfo>(this)) {
    SetVisible(false);
    SetAllowDocking(false);
}

TdxRibbonGroupsDockControl::~TdxRibbonGroupsDockControl() {
    ReleaseAccessibilityHelper(accessibilityHelper_);
    if (tab_) tab_->DockControlDestroyed(this);
}

void TdxRibbonGroupsDockControl::BeforeDestruction() {
    // The group windows go with the dock (their toolbars stay); nothing lays them out again.
    recalculating_ = true;
    TdxCustomRibbonDockControl::BeforeDestruction();
}

TClass TdxRibbonGroupsDockControl::GetDockedBarControlClass() const { return TdxRibbonGroupBarControl::StaticClass(); }

void TdxRibbonGroupsDockControl::Recalculate() {
    TdxCustomRibbonDockControl::Recalculate();
    if (recalculating_ || !tab_ || !tab_->Active() || ComponentState().Contains(csDestroying)) return;
    TdxBarManager* manager = BarManager();
    if (!manager || manager->IsDestroying()) return;
    recalculating_ = true;
    try {
        tab_->CalculateDockControl();
    } catch (...) {
        recalculating_ = false;
        throw;
    }
    recalculating_ = false;
}

TdxCustomRibbon* TdxRibbonGroupsDockControl::Ribbon() const { return tab_ ? tab_->Ribbon() : nullptr; }

void TdxRibbonGroupsDockControl::CalculateGroups(const TRect& bounds) {
    groupsViewInfo_->CalculateGroups(bounds);
    ArrangeGroups();
}

void TdxRibbonGroupsDockControl::ArrangeGroups() {
    int x = groupsViewInfo_->GroupsScrollOffset();
    for (TdxRibbonGroupBarControl* window : DockedGroupWindows(this)) {
        TdxRibbonGroupBarControlViewInfo* info = window->GroupViewInfo();
        const int width = info->GetWidth(), height = info->ContentSize().cy + info->NonContentSize().cy;
        if (window->Left() != x || window->Top() != 0 || window->Width() != width || window->Height() != height)
            window->SetBounds(x, 0, width, height);
        x += width + groupsViewInfo_->GroupGap();
    }
}

IdxBarAccessibilityHelper* TdxRibbonGroupsDockControl::ObtainAccessibilityHelper() {
    if (ComponentState().Contains(csDestroying)) return nullptr;
    if (!accessibilityHelper_) accessibilityHelper_ = new TdxRibbonGroupsDockControlAccessibilityHelper(this);
    return accessibilityHelper_.get();
}

void TdxRibbonGroupsDockControl::MakeRectVisible(const TRect& r) {
    groupsViewInfo_->MakeRectVisible(r, ClientWidth(), ClientWidth());
}

void TdxRibbonGroupsDockControl::Paint() {
    TdxCustomRibbon* ribbon = Ribbon();
    TdxCustomRibbonSkin* scheme = ribbon ? ribbon->ColorScheme() : nullptr;
    TWinControl* site = Parent();
    if (!scheme || !site) return;
    const TRect area{-Left(), -Top(), site->ClientWidth() - Left(), site->ClientHeight() - Top()};
    scheme->DrawTabGroupsArea(Canvas()->Handle(), area);
}

TdxRibbonQuickAccessDockControl::TdxRibbonQuickAccessDockControl(TdxCustomRibbon* ribbon)
    : TdxCustomRibbonDockControl(nullptr), ribbon_(ribbon), ownPainter_(std::make_unique<TdxRibbonQuickAccessPainter>(ribbon)) {
    SetVisible(false);
    SetAllowDocking(false);
}

TdxRibbonQuickAccessDockControl::~TdxRibbonQuickAccessDockControl() = default;

TClass TdxRibbonQuickAccessDockControl::GetDockedBarControlClass() const {
    return TdxRibbonQuickAccessBarControl::StaticClass();
}

TdxBarPainter* TdxRibbonQuickAccessDockControl::GetPainter() const { return ownPainter_.get(); }

void TdxRibbonQuickAccessDockControl::ArrangeRows() {
    if (arranging_) return;
    arranging_ = true;
    try {
        if (ribbon_ && !ribbon_->ComponentState().Contains(csDestroying)) ribbon_->Changed();
        FitBarWindow();
    } catch (...) {
        arranging_ = false;
        throw;
    }
    arranging_ = false;
}

void TdxRibbonQuickAccessDockControl::FitBarWindow() {
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* window = As<TdxRibbonQuickAccessBarControl>(Controls(i))) {
            if (window->Left() != 0 || window->Top() != 0 || window->Width() != ClientWidth() ||
                window->Height() != ClientHeight())
                window->SetBounds(0, 0, ClientWidth(), ClientHeight());
            window->CalcLayout();
            window->UpdateViewInfo();
            if (window->HandleAllocated()) window->Invalidate();
        }
}

TdxRibbonGroupsDockControlSite::TdxRibbonGroupsDockControlSite(TdxCustomRibbon* ribbon)
    : TCustomControl(nullptr), ribbon_(ribbon) {}

void TdxRibbonGroupsDockControlSite::Paint() {
    // The groups area behind the dock control, drawn by the colour scheme.
    if (TdxCustomRibbonSkin* scheme = ribbon_->ColorScheme())
        scheme->DrawTabGroupsArea(Canvas()->Handle(), ClientRect());
}

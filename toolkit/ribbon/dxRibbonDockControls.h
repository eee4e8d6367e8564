#pragma once
// The dock controls of the ribbon: each tab has a groups dock control into which the toolbars
// of its groups dock, and the quick access toolbar docks into its own. Both live on the
// ribbon's groups site, a child window covering the groups area.
//
// A toolbar docked into a groups dock control gets a group window (TdxRibbonGroupBarControl);
// the dock lays its group windows out side by side, reduces them to the tab's width and
// scrolls what still does not fit. The rows of an ordinary dock play no part in the layout.

#include <memory>

#include "CustomControl.h"
#include "dxBarDockControl.h"
#include "dxRibbonGroupsDockControlViewInfo.h"

class TdxCustomRibbon;
class TdxRibbonTab;
struct IdxBarAccessibilityHelper;
class TdxBarAccessibilityHelper;

class TdxCustomRibbonDockControl : public TdxDockControl {
    Z_CLASS(TdxCustomRibbonDockControl, TdxDockControl)
public:
    explicit TdxCustomRibbonDockControl(TComponent* owner) : TdxDockControl(owner) {}
    virtual TdxCustomRibbon* Ribbon() const = 0;
    // The bars docked here lie along the ribbon: a top dock as far as the bars can tell.
    TdxBarDockingStyle DockingStyle() const override { return dsTop; }
    // The ribbon decides the size of its docks; the rows of bar windows never do.
    void FitSizeToRows() override {}
    // The ribbon places its groups and its quick access toolbar itself: a stored layout that names
    // no dock control for them must not take them off the ribbon.
    bool AllowsLayoutUndock() const override { return false; }
    // The ribbon places the bar windows itself: the bars keep their stored row settings.
    bool StoresBarRows() const override { return false; }
    // The ribbon shows the bars docked here as its groups, without toolbar windows of their own.
    TClass GetDockedBarControlClass() const override { return nullptr; }
    // Lays the docked groups out again (a count tests read until the layout is built).
    virtual void Recalculate() { ++recalculations_; }
    int Recalculations() const { return recalculations_; }

private:
    int recalculations_ = 0;
};

class TdxRibbonGroupsDockControl : public TdxCustomRibbonDockControl {
    Z_CLASS(TdxRibbonGroupsDockControl, TdxCustomRibbonDockControl)
public:
    // Made with no owner (the tab frees it), hidden, refusing docking by drag.
    explicit TdxRibbonGroupsDockControl(TdxRibbonTab* tab);
    ~TdxRibbonGroupsDockControl() override;
    void BeforeDestruction() override;
    // The group windows of the toolbars docked here.
    TClass GetDockedBarControlClass() const override;
    // Asks the tab to lay its groups out again (when it shows them).
    void Recalculate() override;
    // Docking a toolbar or resizing lays the groups out again.
    void ArrangeRows() override { Recalculate(); }
    TdxRibbonTab* Tab() const { return tab_; }
    TdxCustomRibbon* Ribbon() const override;

    // The groups are the group windows docked here, left to right in the order they came.
    TdxRibbonGroupsDockControlViewInfo* GroupsViewInfo() const { return groupsViewInfo_.get(); }
    // Lays the groups out (reducing them to the width of bounds) and places their windows.
    void CalculateGroups(const TRect& bounds);
    // Places the group windows side by side from the scroll position.
    void ArrangeGroups();
    // Scrolls the groups so that r (client coordinates) shows.
    void MakeRectVisible(const TRect& r);
    // The dock's keyboard-navigation helper, made on the first request.
    IdxBarAccessibilityHelper* ObtainAccessibilityHelper();

protected:
    // The groups area of the site shows through: the part of it under this control.
    void Paint() override;

private:
    TdxRibbonTab* tab_;
    std::unique_ptr<TdxRibbonGroupsDockControlViewInfo> groupsViewInfo_;
    bool recalculating_ = false;
    IPtr<TdxBarAccessibilityHelper> accessibilityHelper_;
};

class TdxRibbonQuickAccessPainter;

class TdxRibbonQuickAccessDockControl : public TdxCustomRibbonDockControl {
    Z_CLASS(TdxRibbonQuickAccessDockControl, TdxCustomRibbonDockControl)
public:
    explicit TdxRibbonQuickAccessDockControl(TdxCustomRibbon* ribbon);
    ~TdxRibbonQuickAccessDockControl() override;
    TdxCustomRibbon* Ribbon() const override { return ribbon_; }
    TdxCustomRibbon* OwnerRibbon() const { return ribbon_; }
    TdxRibbonQuickAccessPainter* OwnPainter() const { return ownPainter_.get(); }

    // The quick access toolbar shows in its own window.
    TClass GetDockedBarControlClass() const override;
    TdxBarPainter* GetPainter() const override;
    // The toolbar lies along the dock like a toolbar docked at the top.
    TdxBarDockingStyle DockingStyle() const override { return dsTop; }
    // The ribbon recalculates first (it sizes the dock and fits the window to it).
    void ArrangeRows() override;
    // The toolbar's window fills the dock and lays its links out again.
    void FitBarWindow();
    // The ribbon sizes the dock, not its rows.
    void FitSizeToRows() override {}

private:
    TdxCustomRibbon* ribbon_;
    std::unique_ptr<TdxRibbonQuickAccessPainter> ownPainter_;
    bool arranging_ = false;
};

// The child window of the ribbon that holds the active tab's groups dock control.
class TdxRibbonGroupsDockControlSite : public TCustomControl {
    Z_CLASS(TdxRibbonGroupsDockControlSite, TCustomControl)
public:
    explicit TdxRibbonGroupsDockControlSite(TdxCustomRibbon* ribbon);
    TdxCustomRibbon* Ribbon() const { return ribbon_; }

protected:
    void Paint() override;

private:
    TdxCustomRibbon* ribbon_;
};

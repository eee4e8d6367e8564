#pragma once
// TdxDockControl: a window on the form where toolbars dock in rows. The four side docks of a
// manager are made by the manager with their docking style; a dock placed on a form by hand has
// none (dsNone) and decides by itself which bars it takes.
//
// The dock grows with the toolbars (rows, arrangement, painting); here it has what the manager's
// list, its update lock and its docking test use.

#include "CustomControl.h"
#include "dxBar.h"

class TdxDockControl : public TCustomControl {
    Z_CLASS(TdxDockControl, TCustomControl)
public:
    explicit TdxDockControl(TComponent* owner) : TCustomControl(owner) {}
    void BeforeDestruction() override;

    TdxBarManager* BarManager() const { return manager_; }
    // Registers the dock with the manager (and leaves the previous one).
    void SetBarManager(TdxBarManager* value);
    // The side the dock stands for: dsNone for a dock placed by hand.
    TdxBarDockingStyle DockingStyle() const { return dockingStyle_; }
    void SetDockingStyle(TdxBarDockingStyle value) { dockingStyle_ = value; }
    bool IsStandard() const { return dockingStyle_ != dsNone; }
    bool AllowDocking() const { return allowDocking_; }
    void SetAllowDocking(bool value) { allowDocking_ = value; }

    // May the bar dock here? A hand-placed dock answers for itself.
    virtual bool CanDockBar(TdxBar* bar) const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TdxBarManager* manager_ = nullptr;
    TdxBarDockingStyle dockingStyle_ = dsNone;
    bool allowDocking_ = true;
};

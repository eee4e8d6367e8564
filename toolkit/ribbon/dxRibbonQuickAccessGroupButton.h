#pragma once
// TdxRibbonQuickAccessGroupButton: an item of the quick access toolbar that stands for a whole
// ribbon group (the group's toolbar). This is the model the ribbon's context menu and its stored
// layout need: the toolbar it stands for, kept only where the placement rule allows it, and
// forgotten when that toolbar goes. Its window side (the button control and its popup) belongs
// with the quick access toolbar's windows.

#include "dxBarItem.h"

class TdxBar;

class TdxRibbonQuickAccessGroupButton : public TdxBarItem {
    Z_CLASS(TdxRibbonQuickAccessGroupButton, TdxBarItem)
    Z_PUBLISHED { p.Property(L"Toolbar", &TdxRibbonQuickAccessGroupButton::Toolbar, &TdxRibbonQuickAccessGroupButton::SetToolbar); }

public:
    explicit TdxRibbonQuickAccessGroupButton(TComponent* owner) : TdxBarItem(owner) {}
    ~TdxRibbonQuickAccessGroupButton() override;

    // Not owned: the group toolbar the button stands for.
    TdxBar* Toolbar() const { return toolbar_; }
    // Nothing unless CanPlaceGroupButton allows the value and it differs from the current one.
    void SetToolbar(TdxBar* value);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TdxBar* toolbar_ = nullptr;
};

// Whether the group button may stand for bar: always while the manager loads, for nil and for a
// button no link shows yet; otherwise only for a bar docked as a ribbon group of the same manager
// as the toolbar holding the button's first link, when that toolbar holds no other group button
// for the bar.
bool CanPlaceGroupButton(TdxRibbonQuickAccessGroupButton* button, TdxBar* bar);

#pragma once
// The bar manager's two menus with the ribbon's look: TdxRibbonPopupMenu, a popup menu whose
// window draws with its ribbon's bar painter (with no ribbon it is a plain popup menu), and
// TdxBarApplicationMenu, the application button's menu, whose window knows the ribbon that showed
// it: its right-click menu holds the ribbon's commands, and the application button stays
// reachable through it.

#include "dxBarApplicationMenu.h"
#include "dxBarPopupMenu.h"
#include "dxBarSubMenuControl.h"

class TdxBarItemLinks;
class TdxCustomRibbon;

// The behaviour bits of both ribbon menu windows: the ribbon's own set (0x3CC) with
// bcboKeepSelectionOnEditEscape and bcboClientAlignFullWidth, less 0x240; equally the application
// menu window's 0x9E with bcboCustomizingPopupOnRelease.
constexpr Word dxRibbonBarBehaviorOptions = 0x03CC;
constexpr Word dxRibbonMenuBehaviorOptions = (dxRibbonBarBehaviorOptions | 0x0012) & ~Word(0x0240);

// ---- popup menu ----------------------------------------------------------------------------

class TdxRibbonPopupMenuControl : public TdxBarSubMenuControl {
    Z_CLASS(TdxRibbonPopupMenuControl, TdxBarSubMenuControl)
public:
    using TdxBarSubMenuControl::TdxBarSubMenuControl;
    Word GetBehaviorOptions() const override { return dxRibbonMenuBehaviorOptions; }
};

class TdxRibbonPopupMenu : public TdxBarPopupMenu {
    Z_CLASS(TdxRibbonPopupMenu, TdxBarPopupMenu)
    Z_PUBLISHED { p.Property(L"Ribbon", &TdxRibbonPopupMenu::Ribbon, &TdxRibbonPopupMenu::SetRibbon); }

public:
    // At design time on a form, the menu takes the first ribbon of that form.
    explicit TdxRibbonPopupMenu(TComponent* owner);

    // Not owned: a ribbon that goes leaves the menu without one.
    TdxCustomRibbon* Ribbon() const { return ribbon_; }
    void SetRibbon(TdxCustomRibbon* value);

protected:
    void Notification(TComponent* component, TOperation operation) override;
    // A TdxRibbonPopupMenuControl, drawn by the ribbon's bar painter while there is a ribbon.
    TdxBarSubMenuControl* CreateSubMenuControl() override;

private:
    TdxCustomRibbon* ribbon_ = nullptr;
};

// ---- application menu ----------------------------------------------------------------------

class TdxRibbonApplicationMenuControl : public TdxBarSubMenuControl {
    Z_CLASS(TdxRibbonApplicationMenuControl, TdxBarSubMenuControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_NCHITTEST, WMNCHitTest))
public:
    using TdxBarSubMenuControl::TdxBarSubMenuControl;
    Word GetBehaviorOptions() const override { return dxRibbonMenuBehaviorOptions; }

    // The ribbon that showed the menu (its owner control), else nil.
    TdxCustomRibbon* GetRibbon() const;
    // The right-click menu of the window: the ribbon's commands (nothing without a ribbon).
    void FillContextMenu(TdxBarItemLinks* links);
    // A command of that menu: the ribbon runs it, then the menu chain closes (unless it went).
    void RunMenuCommand(TObject* sender);

private:
    // Over the ribbon's application button the window is transparent to the mouse.
    void WMNCHitTest(TMessage& message);
};

class TdxBarApplicationMenu : public TdxBarCustomApplicationMenu {
    Z_CLASS(TdxBarApplicationMenu, TdxBarCustomApplicationMenu)
    Z_PUBLISHED {
        p.Property(L"Buttons", &TdxBarApplicationMenu::Buttons, &TdxBarApplicationMenu::SetButtons);
        p.Property(L"ExtraPane", &TdxBarApplicationMenu::ExtraPane, &TdxBarApplicationMenu::SetExtraPane);
        // Shortcuts into ExtraPane, stored there.
        p.Property(L"ExtraPaneHeader", &TdxBarApplicationMenu::ExtraPaneHeader,
                   &TdxBarApplicationMenu::SetExtraPaneHeader)
            .Stored(false);
        p.Property(L"ExtraPaneItems", &TdxBarApplicationMenu::ExtraPaneItems, &TdxBarApplicationMenu::SetExtraPaneItems)
            .Stored(false);
        p.Property(L"ExtraPaneSize", &TdxBarApplicationMenu::ExtraPaneSize, &TdxBarApplicationMenu::SetExtraPaneSize)
            .Stored(false);
        p.Property(L"ExtraPaneWidthRatio", &TdxBarApplicationMenu::ExtraPaneWidthRatio,
                   &TdxBarApplicationMenu::SetExtraPaneWidthRatio)
            .Stored(false);
    }

public:
    using TdxBarCustomApplicationMenu::TdxBarCustomApplicationMenu;

    String ExtraPaneHeader() const { return ExtraPane()->Header(); }
    void SetExtraPaneHeader(const String& value) { ExtraPane()->SetHeader(value); }
    TdxBarExtraPaneItems* ExtraPaneItems() const { return ExtraPane()->Items(); }
    void SetExtraPaneItems(TdxBarExtraPaneItems* value) { ExtraPane()->SetItems(value); }
    int ExtraPaneSize() const { return ExtraPane()->Size(); }
    void SetExtraPaneSize(int value) { ExtraPane()->SetSize(value); }
    double ExtraPaneWidthRatio() const { return ExtraPane()->WidthRatio(); }
    void SetExtraPaneWidthRatio(double value) { ExtraPane()->SetWidthRatio(value); }

protected:
    TdxBarSubMenuControl* CreateSubMenuControl() override;
};

void InitializedxRibbonPopupMenu();
void FinalizedxRibbonPopupMenu();

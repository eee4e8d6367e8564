#pragma once
// TdxBarControlContainerItem places a control of the application on a bar: a borderless host
// form (TPlaceForm) is parented into the bar window at the item's rectangle and the control fills
// it. The item watches the control's window procedure so that a control that changes its size
// makes the bars lay out again. Without a control (or at design time) the item draws a hatched
// place with the control's (or its own) name.

#include "Form.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"

class TdxBarControlContainerControl;

// The host form: it draws the background of the bar under the item it covers.
class TPlaceForm : public TCustomForm {
    Z_CLASS(TPlaceForm, TCustomForm)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd))
public:
    TPlaceForm();
    // The item control whose area the form covers; nil when none.
    TdxBarItemControl* BarItemControl = nullptr;

private:
    void WMEraseBkgnd(TMessage& message);
};

class TdxBarControlContainerItem : public TdxBarItem {
    Z_CLASS(TdxBarControlContainerItem, TdxBarItem)
    Z_PUBLISHED { p.Property(L"Control", &TdxBarControlContainerItem::Control, &TdxBarControlContainerItem::SetControl); }

public:
    explicit TdxBarControlContainerItem(TComponent* owner);
    ~TdxBarControlContainerItem() override;

    TControl* Control() const { return control_; }
    // EdxException when another container item of the manager hosts the control already.
    void SetControl(TControl* value);
    TPlaceForm* PlaceForm() const { return placeForm_; }

    bool ClickableByShortCut() const override { return false; }
    int GetExtraKind() const override { return 1; }
    bool CanShowLink(TdxBarItemLink* link) const override;
    bool HasOwnWindow() const override { return true; }
    void HideControlWindow(TdxBarItemControl* control) override;
    void RecalcLinkBars(TdxBarControlKinds kinds) override;
    void SetName(const String& name) override;

    // Is some link control of the item placing the control right now?
    bool AnyControlPlacing() const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void HookControl();
    void UnhookControl();
    void ControlWndProc(TMessage& message);

    TControl* control_ = nullptr;
    TPlaceForm* placeForm_ = nullptr;
    int lastWidth_ = 0, lastHeight_ = 0;
    TWndMethod savedWindowProc_;
};

class TdxBarControlContainerControl : public TdxBarItemControl {
    Z_CLASS(TdxBarControlContainerControl, TdxBarItemControl)
public:
    explicit TdxBarControlContainerControl(TdxBarItemLink* link) : TdxBarItemControl(link) {}
    ~TdxBarControlContainerControl() override;

    TdxBarControlContainerItem* ContainerItem() const;
    bool Placing() const { return placing_; }
    bool Placed() const { return placed_; }
    // Not in a quick-customization list, with a control, and not at design time.
    bool MayPlace() const;

    bool IsClickable() const override { return InQuickCustomization(); }
    bool ClosesMenuOnClick() const override { return InQuickCustomization(); }
    bool IsNavigable() const override;
    void ReleaseWindows() override;
    void CalcParts() override;
    int CalcWidth() override;
    int CalcRowHeight() override;

protected:
    void DrawContent(const TRect& r, Byte paintKind) override;

private:
    bool InQuickCustomization() const;
    void PlaceControl();
    void DrawPlaceHolder(const TRect& r);

    bool placing_ = false, placed_ = false;
};

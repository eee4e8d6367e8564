#pragma once
// The controls of buttons. TdxBarButtonLikeControl is what buttons and sub-menu items share: a
// drop-down that opens when the control becomes active and closes when it stops being active,
// in menus after 400 ms so that the pointer can cross items without flicker. TdxBarButtonControl
// shows a TdxBarButton: its styles, the arrow part of a drop-down button, the drop-down menu and
// the paint-style rules that decide whether the glyph, the caption or both show.
//
// The delays are two process-wide thread timers (one pending open, one pending close); a control
// cancels the timers that target it when it goes, so a timer never fires for a freed control.

#include "dxBarButton.h"
#include "dxBarItemControl.h"

class TdxBarButtonLikeControl : public TdxBarItemControl {
    Z_CLASS(TdxBarButtonLikeControl, TdxBarItemControl)
public:
    explicit TdxBarButtonLikeControl(TdxBarItemLink* link) : TdxBarItemControl(link) {}
    ~TdxBarButtonLikeControl() override;

    // Set while a mouse press reaches the control: menus opened by the mouse animate.
    bool AnimateDropDown() const { return animateDropDown_; }
    void SetAnimateDropDown(bool value) { animateDropDown_ = value; }

    // The control becomes (stops being) the active one of its bar window; a drop-down opens
    // (closes) at once on a toolbar or when asked, after the delay in a menu.
    void ControlActivate(bool immediately) override;
    void ControlInactivate(bool immediately) override;
    virtual void DropDown(bool byMouse) = 0;
    // Cancels this control's timers and, when asked, hides the drop-down window.
    virtual void CloseDropDown(bool hide);
    virtual bool CanOpenDropDown() const;
    virtual bool IsDropDownButton() const { return false; }
    virtual TCustomdxBarControl* GetDropDownWindow() const { return nullptr; }
    bool SupportsButtonGroups() const override { return true; }
    const TcxAccessibilityHelperMeta* GetAccessHelperClass() const override;

    // -- keys: a drop-down takes the navigation key that opens it (in a menu VK_RIGHT, elsewhere
    // VK_UP and VK_DOWN); the bar window hands it to its selected control's KeyDown
    bool MatchesAccelerator(Word key) const override;
    void KeyDown(Word& key, TShiftState shift) override;
    // A menu of the bar is being opened from this control (not animated from the keyboard).
    virtual void MarkBarDowned(bool immediately);

    // Is the control shown in a menu (its link's collection is a menu's), not on a toolbar?
    bool IsInMenu() const;
    // The control a pending delayed open or close will reach; nil when none is pending.
    static TdxBarButtonLikeControl* PendingOpenTarget();
    static TdxBarButtonLikeControl* PendingCloseTarget();

    void CalcDrawParams(bool withItemData) override;

protected:
    TdxBarItemControlDrawParams* CreateDrawParams() override;
    // A menu of the bar window is open or being opened (its downed flag), or the bar window is
    // customizing.
    virtual bool IsBarDowned() const;
    virtual bool IsBarCustomizing() const;
    void StopTimers();
    // Schedules this control's open (or close) after the delay, replacing a pending one.
    void DelayActivation(bool open);

private:
    bool animateDropDown_ = false;
};

class TdxBarButtonControl : public TdxBarButtonLikeControl {
    Z_CLASS(TdxBarButtonControl, TdxBarButtonLikeControl)
public:
    explicit TdxBarButtonControl(TdxBarItemLink* link) : TdxBarButtonLikeControl(link) {}

    // The item as a button; nil for an item of another class.
    TdxBarButton* GetButtonItem() const;
    const TcxAccessibilityHelperMeta* GetAccessHelperClass() const override;
    TdxBarButtonStyle GetButtonStyle() const;
    bool GetButtonDown() const;
    bool IsDropDownEnabled() const;
    bool IsLowered() const;
    bool DroppedDown() const { return droppedDown_; }

    bool IsDropDownButton() const override;
    bool IsDroppedDown() const override { return droppedDown_ && GetDropDownWindow(); }
    // The window of the button's drop-down menu while it exists.
    TCustomdxBarControl* GetDropDownWindow() const override;
    // Opens the button's drop-down menu; refused while open, for a disabled control, and for a
    // button without a drop-down menu or with its drop-down disabled.
    void DropDown(bool byMouse) override;
    void CloseDropDown(bool hide) override;
    void MarkBarDowned(bool immediately) override;
    // On a toolbar a click always closes the menus; in a menu the button's CloseSubMenuOnClick.
    bool ClosesMenuOnClick() const override;

    // -- what shows: the link's paint style; on a toolbar a psStandard button without an image
    // shows its caption
    TdxBarPaintStyle GetEffectivePaintStyle() const;
    void CheckGlyphVisibility(TdxBarPaintStyle& style) const;
    // Bit 0 icon, bit 1 text, by the effective paint style and the place.
    Byte GetViewStructure() const override;

    // -- press and click
    // The mouse was pressed inside on the arrow part of a drop-down button.
    bool IsArrowPressed() const { return HotPart() == 1; }
    // A release over the arrow part does nothing; a checked button toggles Down before the
    // click, which then goes the item controls' click road; an open drop-down closes.
    void ControlClick(bool byMouse) override;

    // While held pressed on its main part, or held by its click (not for the checked styles).
    bool IsPressedLook() const;
    void CalcDrawParams(bool withItemData) override;
    // Part 0 the button, part 1 the arrow of a drop-down button.
    void CalcParts() override;

protected:
    int HitTestPart(const TPoint& p) override;
    void DrawContent(const TRect& r, Byte paintKind) override;
    int CalcHeight() override;

private:
    bool droppedDown_ = false;
};

// The buttons at the foot of an application menu: laid out horizontally on any bar, icon and
// text (text only without an image), no drop-down.
class TdxBarApplicationMenuButtonControl : public TdxBarButtonLikeControl {
    Z_CLASS(TdxBarApplicationMenuButtonControl, TdxBarButtonLikeControl)
public:
    explicit TdxBarApplicationMenuButtonControl(TdxBarItemLink* link) : TdxBarButtonLikeControl(link) {}
    void DropDown(bool /*byMouse*/) override {}
    Byte GetViewStructure() const override;
    // Horizontal whatever the bar's orientation.
    Byte GetPaintKind() const override { return 0; }
};

constexpr Byte dxBarViewIcon = 1;
constexpr Byte dxBarViewText = 2;

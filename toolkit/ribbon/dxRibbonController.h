#pragma once
// The ribbon's mouse handling: the hot and the pressed element, tab clicks, a double click on
// the active tab (minimizes or restores the ribbon), the wheel switching tabs, and the tab
// scroll buttons, which step at once and then repeat while held.

#include "Control.h"
#include "Timer.h"
#include "dxBarHints.h"
#include "dxRibbonViewInfo.h"

class TdxCustomRibbon;

// The wheel over a ribbon switches its tabs even while another control has the focus (which
// is where the system sends the wheel): one mouse hook of the GUI thread, installed when the
// first ribbon window is made, on the NT 5 and 6 families only.
void InstallRibbonWheelHook();
void RemoveRibbonWheelHook();
bool IsRibbonWheelHookInstalled();

// The ribbon's own elements give the bar manager their hints as a hint source.
class TdxRibbonController : public TObject, public IdxBarHintSource {
    Z_CLASS(TdxRibbonController, TObject)
public:
    static constexpr int ScrollDelay = 400, ScrollInterval = 20;
    static constexpr int TabScrollStep = 14, TabScrollRepeatStep = 3;

    explicit TdxRibbonController(TdxCustomRibbon* ribbon);
    ~TdxRibbonController() override;

    TdxRibbonHitTest HotElement() const { return hotElement_; }
    TdxRibbonHitTest PressedElement() const { return pressedElement_; }
    // The scroll button being auto-repeated (rhtNone when none).
    TdxRibbonHitTest ScrollingElement() const { return scrollingElement_; }
    // The timer that repeats a held scroll button; tests fire its event themselves.
    TTimer* RepeatTimer() const { return repeatTimer_; }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseMove(TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void MouseLeave();
    void DblClick();
    // Activates the next (wheel down) or previous visible tab; stops at either end.
    bool MouseWheel(bool down);
    void CancelMode();
    // The text a hint would show for the element under the point ('' for none).
    String GetHintText(int x, int y) const;
    String HintTextFor(const TdxRibbonHitInfo& info) const;
    // The element whose hint the bar manager is asked for (rhtNone for none).
    TdxRibbonHitTest HintElement() const { return hintElement_; }
    bool GetHint(bool& hideShown, String& hint, String& shortCut) override;
    bool IsHintSourceEnabled() override { return true; }

private:
    void SetHotElement(const TdxRibbonHitInfo& info);
    // The tab, the application and help buttons and the MDI buttons have hints.
    static bool HasHint(TdxRibbonHitTest code);
    void SetHintElement(const TdxRibbonHitInfo& info);
    void HideHint();
    void ResetHint();
    // A left press on a tab activates it; in a minimized ribbon it also opens the groups popup.
    void TabMouseDown(TdxRibbonTab* tab, TShiftState shift);
    // A right press on a tab, the tab row or the quick access toolbar below the ribbon opens the
    // ribbon's context menu.
    void RightButtonDown(int x, int y);
    void ScrollStep(TdxRibbonHitTest element, int step);
    void RepeatTimerTick(TObject* sender);
    void StopScrolling();

    TdxCustomRibbon* ribbon_;
    TdxRibbonHitTest hotElement_ = rhtNone;
    TdxRibbonHitTest pressedElement_ = rhtNone;
    TdxRibbonHitTest scrollingElement_ = rhtNone;
    TdxRibbonHitTest hintElement_ = rhtNone;
    TdxRibbonTab* hintTab_ = nullptr;
    TTimer* repeatTimer_;
    bool repeating_ = false;
};

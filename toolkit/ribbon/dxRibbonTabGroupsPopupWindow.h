#pragma once
// The groups of a minimized ribbon's active tab, shown in a popup below the tab headers: the
// ribbon's groups site moves into the popup while it is shown and goes back when it closes.

#include "cxCustomPopupWindow.h"

class TdxCustomRibbon;

class TdxRibbonTabGroupsPopupWindow : public TcxCustomPopupWindow {
    Z_CLASS(TdxRibbonTabGroupsPopupWindow, TcxCustomPopupWindow)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_SIZE, WMSize))
public:
    explicit TdxRibbonTabGroupsPopupWindow(TdxCustomRibbon* ribbon);
    TdxCustomRibbon* OwnerRibbon() const { return ribbon_; }

    // As wide as the ribbon, as high as its groups area, just below the tab headers (above them
    // when the work area ends first); in screen coordinates.
    TRect CalculateBounds() const;
    TRect OwnerScreenBounds() const override;
    // A press on the active tab's header closes the popup and goes no further, so that the
    // click that closes it does not open it again.
    bool IgnoresMouseMessage(HWND window, UINT message, TPoint point, TShiftState shift) override;

protected:
    void CalculateSize() override;
    void CalculatePosition(TPoint& position) override;
    void CreateParams(TCreateParams& params) override;
    void DoShowing() override;
    void DoClosed() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void Paint() override {}

private:
    void WMSize(TMessage& message);
    void UpdateRegion();

    TdxCustomRibbon* ribbon_;
};

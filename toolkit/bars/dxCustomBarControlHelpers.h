#pragma once
// The two helper objects a bar window owns for its input: what the message hooks see of it while
// it is the active window, and the caller the mouse tracking tells when the pointer has left it.
// Private to the bar window's own source files.

#include "cxInterfacedObjects.h"
#include "cxMouseTracking.h"
#include "dxBarMessageHooks.h"
#include "dxCustomBarControl.h"

class TCustomdxBarControl::THookedChain : public IdxBarHookedMenuChain {
public:
    explicit THookedChain(TCustomdxBarControl* window) : window_(window) {}
    HWND ChainWindow() override;
    TdxBarManager* ChainManager() override { return window_->GetManager(); }
    IdxBarHookedMenuChain* ChainParent() override;
    bool IsCustomizingMode() override { return window_->IsCustomizing(); }
    bool IsEditingSelectedControl() override;
    bool HandlesMouseWheel() override { return false; }
    bool IsInsideChain(HWND window) override { return window_->IsInsideChain(window); }
    bool IsOwnerWindow(HWND window) override;
    void HandleChainMouseDown(HWND window, UINT message, POINT screenPoint) override {
        window_->HandleChainMouseDown(window, message, TPoint{screenPoint.x, screenPoint.y});
    }
    void CloseChain() override { window_->HideMenuChain(); }
    TdxBarItemControl* PressedItemControl(HWND window, POINT screenPoint) override;
    TdxBarItemControl* SelectedControl() override { return window_->GetSelectedControl(); }
    THelpContext ChainHelpContext() override { return 0; }
    TdxBarItemControl* ControlAtScreenPoint(POINT screenPoint) override;

private:
    TCustomdxBarControl* window_;
};

class TCustomdxBarControl::TMouseTracker : public TcxIUnknownObject,
                                           public IcxMouseTrackingCaller,
                                           public IcxMouseTrackingHitTest {
public:
    explicit TMouseTracker(TCustomdxBarControl* window) : window_(window) {}
    ~TMouseTracker() override { StopMouseTracking(this); }
    void MouseLeave() override { window_->MouseLeave(); }
    bool PointInCaller(const TPoint& clientPoint) override { return window_->IsPointInside(clientPoint); }

private:
    TCustomdxBarControl* window_;
};

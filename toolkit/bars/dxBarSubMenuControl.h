#pragma once
// TdxBarSubMenuControl: the drop-down menu window of sub items, drop-down buttons and popup
// menus. It stacks its shown links from its top index, places itself on the screen beside its
// opener (flipping to the side with more room, scrolling when taller than the work area), draws
// its border, items, group separators and scroll buttons through the painter, and closes one
// level on Escape. The opener fills the public fields (owner size and bounds, directions, parent
// window, show animation, notifications) before ShowMenu. Selection, activation, the click and
// the chain's closing are the bar window's; the menu adds what differs for menus (Escape and the
// arrows across levels, a root menu freeing itself, scrolling the selection into view).
//
// Sections of the .cpp: placement · view info · life and window · showing and closing · layout
// · painting · scrolling · mouse and keys.

#include <memory>

#include "dxCustomBarControl.h"
#include "dxBarManager.h"
#include "dxCustomBarControlViewInfo.h"

class TdxBarAnimationThread;
class TdxBarButtonLikeControl;
class TdxBarShadow;

// What PlaceOnScreen decides from: the menu's wished position and size, the work area of its
// monitor, the extent of the opener it may flip along (0 when opened at a point) and the side it
// opens towards.
struct TdxBarMenuPlacementInput {
    TPoint pos{};
    TSize size{};
    TRect workArea{};
    int ownerWidth = 0, ownerHeight = 0;
    Byte xDirection = 1, yDirection = 1;
    bool clipsWidth = false;
};

struct TdxBarMenuPlacement {
    TRect bounds{};
    bool flippedHorizontally = false, flippedVertically = false;
};

// The menu's bounds on the work area: a menu that passes the right edge flips to the other side
// of its point or opener when there is room, a drop-down that passes the bottom opens above its
// opener when more room is there or is cut to scroll; the result always lies in the work area.
TdxBarMenuPlacement CalcMenuPlacement(const TdxBarMenuPlacementInput& in);

class TdxBarSubMenuControlViewInfo : public TCustomdxBarControlViewInfo {
    Z_CLASS(TdxBarSubMenuControlViewInfo, TCustomdxBarControlViewInfo)
public:
    using TCustomdxBarControlViewInfo::TCustomdxBarControlViewInfo;
    // The visible links' controls (cut at the visible bottom) and a separator above each one
    // below the top that begins a group.
    void Calculate() override;
};

class TdxBarSubMenuControl : public TCustomdxBarControl {
    Z_CLASS(TdxBarSubMenuControl, TCustomdxBarControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_NCCALCSIZE, WMNCCalcSize), Z_MESSAGE(WM_TIMER, WMTimer),
                  Z_MESSAGE(WM_KEYDOWN, WMKeyDown), Z_MESSAGE(WM_LBUTTONDOWN, WMLButtonDown),
                  Z_MESSAGE(WM_GETDLGCODE, WMGetDlgCode))
public:
    explicit TdxBarSubMenuControl(TComponent* manager);
    ~TdxBarSubMenuControl() override;

    // -- what the opener sets before ShowMenu
    int OwnerWidth = 0, OwnerHeight = 0;
    Byte XDirection = 1, YDirection = 1;
    bool ShowAnimation = true;
    HWND ParentWindow = nullptr;
    // The control whose drop-down this menu is; nil for a popup menu shown at a point.
    TdxBarButtonLikeControl* OpenerControl = nullptr;
    TNotifyEvent OnCloseUpNotify, OnPopupNotify;

    // Shows the menu: the popup notification, the animation chosen for this showing, the window
    // placed and shown without taking the activation.
    void ShowMenu();
    // Destroys the window and frees the menu (not while it is being destroyed already).
    void HideBar();
    TdxBarMenuAnimations Animation() const { return animation_; }

    void PlaceOnScreen(TSize requested, bool& flippedHorizontally, bool& flippedVertically);
    // The menu's size at its top index, border and margins included.
    TSize CalcAutoSize();
    // The test seam: the work area PlaceOnScreen uses; the monitor's when empty.
    static void SetWorkAreaOverride(const TRect& r);

    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int value);
    bool HasTopScrollButton() const { return topIndex_ > 0; }
    bool HasBottomScrollButton() const;
    virtual bool ScrollButtonsTakeSpace() const { return true; }
    virtual int GetScrollInterval() const { return ScrollButtonsTakeSpace() ? 200 : 80; }
    bool IsScrolling() const { return scrollTimer_ != 0; }
    int GetFirstVisibleIndex() const;
    int GetLastVisibleIndex() const;
    // The number of links placed from the top index by the last layout.
    int GetVisibleCount() const { return visibleCount_; }
    TRect GetContentRect() const;
    virtual TRect GetContentMargins() const;
    virtual TRect GetBorderMargins(bool withCaption) const;
    int GetBarSize() const;
    // Moves the top index one link at a time until the control shows between the scroll buttons.
    void ScrollToItem(TdxBarItemControl* control);

    // -- overrides of the bar window
    TCustomdxBarControlViewInfoClass GetViewInfoClass() const override {
        return TdxBarSubMenuControlViewInfo::StaticClass();
    }
    bool IsMainMenu() const override { return false; }
    bool IsStatusBar() const override { return false; }
    int GetBarControlKind() const override { return 2; }
    const TcxAccessibilityHelperMeta* GetAccessHelperClass() const override;
    bool IsPopupWindow() const override { return true; }
    bool IsPopupLike() const override { return true; }
    bool IsVerticalLayout() const override { return true; }
    // In customizing mode the links of a customizable sub item's menu or of a popup menu can be hit.
    bool AllowsItemEditing() const override;
    bool CanActivate() const override { return true; }
    bool IsInternalMenu() const override { return ParentBar() && ParentBar()->IsInternalMenu(); }
    void EnsureItemVisible(TdxBarItemControl* control) override { ScrollToItem(control); }
    bool UsesFlatItemLook() const override { return false; }
    Byte GetItemDrawKind() const override { return 1; }
    bool NeedsShadow() const override;
    void CalcLayout() override;
    void CalcItemsRect() override;
    int GetBeginGroupSize() const override;
    int GetLinkBeginGroupSize(TdxBarItemLink* link) const override;
    bool AllowsPartialItem(const TRect& r) const override;
    void ExcludeTopScrollButton() override;
    void ExcludeBottomScrollButton() override;
    int CalcTextSize() const override;
    HBRUSH GetBkBrush() const override;
    void FillBk(HDC dc, const TRect& r, bool flag, TColor color, HBRUSH brush) override;
    void DrawNonClientArea(HDC dc) override;
    void DrawItemControl(TdxBarItemControl* control, TcxCanvas* canvas, const TRect& r) override;

    // -- the animation (the worker thread draws; Paint leaves the window to it meanwhile)
    bool IsAnimating() const;
    void StopAnimation();
    // The thread has ended its frames (on the interface thread); the menu frees it later.
    void AnimationThreadTerminated(TObject* sender);
    // The thread asks: put the window at its final bounds unless it is going or hidden.
    void FinishAnimation(const TRect& finalBounds);
    bool IsHiding() const { return hiding_; }
    // Renders the menu as it shows into the device context (the animation's picture).
    void PaintTo(HDC dc) { PaintWindow(dc); }
    TdxBarShadow* Shadow() const { return shadow_.get(); }
    // The menu as the painter sees it (with the menu's own answers).
    IdxBarPaintedWindow* MenuPainted();

    // -- personalized menus: only the recently used links show until the menu is expanded
    // (by its expand button at the bottom, Ctrl+Down, or Down on the last shown link).
    bool HasMark() const override;
    TRect GetMarkRect() const;
    int MarkSize() const { return markSize_; }
    // 0 normal, 1 hot, 2 expands the menu.
    int MarkState() const { return markState_; }
    void SetMarkState(int state);
    // The menu again with all its links, at the place it first showed.
    void ExpandMenu();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WindowPosChanged() override;
    void Paint() override;
    void UpdateFont() override;
    void HandleMouseMove(TShiftState shift, const TPoint& p, TdxBarItemControl* control) override;
    void HandleMouseLeave() override;
    void HandleKeyDown(Word& key, TShiftState shift) override;
    void DoHideMenu() override;
    void RestoreFocus() override;
    virtual void PaintMenu();
    virtual void DrawScrollArea();
    virtual void DoCloseUp();
    virtual void DoPopup();
    virtual void ShowAnimated();
    virtual bool ClipsWidthToWorkArea() const { return false; }
    // The width and height the shown links take from the top index.
    virtual TSize CalcItemsSize();

private:
    void WMNCCalcSize(TMessage& m);
    void WMTimer(TMessage& m);
    void WMKeyDown(TMessage& m);
    void WMLButtonDown(TMessage& m);
    void WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB; }
    void StartAnimation(bool flippedHorizontally, bool flippedVertically);
    void EndScrolling();
    // The first window of the chain (a toolbar, the main menu or a popup menu); this one at the top.
    TCustomdxBarControl* ChainRoot();

    class TMenuPaintedWindow;
    std::unique_ptr<TMenuPaintedWindow> menuPainted_;
    std::unique_ptr<TdxBarShadow> shadow_;
    TdxBarAnimationThread* animationThread_ = nullptr;
    bool animationEnded_ = false;  // the thread has played its frames and placed the window
    TdxBarMenuAnimations animation_ = maNone;
    UINT_PTR scrollTimer_ = 0;
    int topIndex_ = 0;
    int visibleCount_ = 0;
    TPoint lastScrollMouse_{-1, -1};
    bool sizeLock_ = false;
    bool hiding_ = false;
    void UpdateRecentState();
    bool expanding_ = false;
    int markState_ = 0, markSize_ = 0;
    TPoint onShowPos_{};
};

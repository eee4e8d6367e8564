#pragma once
// TdxBarControl: the window of a toolbar. Docked it is a child of its dock and lays its item
// controls out in one line along the dock (left to right, or top to bottom in docks at the
// left and right), after a drag area with the grip; links that do not fit are cut off and the
// mark shows at the end. Floating it is a small captioned tool window owned by the form.
//
// The bar (TdxBar) makes the window when it is shown and frees it when hidden; the dock arranges
// it in its row (TdxDockControl::ArrangeRow) through the lengths measured here.

#include "dxCustomBarControl.h"

#include <algorithm>

class TdxBarCaptionButtons;
class TdxDockControl;

class TdxBarControlViewInfo : public TCustomdxBarControlViewInfo {
    Z_CLASS(TdxBarControlViewInfo, TCustomdxBarControlViewInfo)
public:
    using TCustomdxBarControlViewInfo::TCustomdxBarControlViewInfo;
    // The placed links' controls, and a separator before each that begins a group.
    void Calculate() override;
};

class TdxBarControl : public TCustomdxBarControl {
    Z_CLASS(TdxBarControl, TCustomdxBarControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_CLOSE, WMClose), Z_MESSAGE(WM_LBUTTONDBLCLK, WMLButtonDblClk),
                  Z_MESSAGE(WM_NCHITTEST, WMNCHitTest), Z_MESSAGE(WM_SIZING, WMSizing),
                  Z_MESSAGE(WM_WINDOWPOSCHANGING, WMWindowPosChanging),
                  Z_MESSAGE(WM_GETMINMAXINFO, WMGetMinMaxInfo), Z_MESSAGE(WM_CANCELMODE, WMCancelMode))
public:
    explicit TdxBarControl(TComponent* owner) : TCustomdxBarControl(owner) {}
    // A window of the class for the bar, owned by the manager.
    static TdxBarControl* CreateForBar(TClass cls, TdxBarManager* manager, TdxBar* bar);

    TdxBar* Bar() const { return bar_; }
    TdxDockControl* DockControl() const { return dockControl_; }

    // -- measures along the dock (length) and across it (thickness)
    static constexpr int DragAreaSize = 9;
    static constexpr int BorderSize = 2;
    static constexpr int MinFloatingWidth = 51;
    int GetDragAreaSize() const;
    int GetMarkAreaSize() const;
    // The drag area, the first link and the mark; the drag area and all the links.
    int CalcMinLength();
    int CalcFullLength();
    int CalcThickness();
    bool Truncated() const { return truncated_; }
    void SetTruncated(bool value);
    // The mark, at the end of the window, while links are cut off (empty else).
    TRect MarkRect() const;
    // The length of the window along its dock (its width in a horizontal dock).
    int Length() const;
    bool IsHorizontal() const { return DockingStyle() != dsLeft && DockingStyle() != dsRight; }

    // Moves and sizes the window (no z-order, no activation) and lays it out again.
    void ApplyNewBounds(const TRect& r);
    // The window's place into the bar: dock, row and position, or the floating rectangle.
    void StorePosition();
    // Docks the window at the bar's place, or floats it at the bar's floating position.
    void PlaceFromBar();
    // -- moving (dxBarControlMoving.cpp)
    // The window's meaning of a point (client coordinates) whose system hit-test code is
    // defaultCode: HTCAPTION for the drag area (the grip, a floating caption, the empty client
    // area), else the system's code. The answer to the system goes to systemCode: HTCLIENT where
    // the window handles the press itself.
    int HitTest(int defaultCode, const TPoint& clientPoint, int& systemCode);
    // The code the last hit test meant.
    int InternalHitTest() const { return internalHitTest_; }
    bool IsDragging() const { return moving_; }
    bool CanMove() const;
    // The drag starts or ends: the dragged window of the bars follows, and at the end the
    // window's place goes into the bar.
    void SetMoving(bool value);
    // Takes the window into the dock (or floating when dock is nil) without freeing it.
    void ChangeDockingStyle(TdxBarDockingStyle style, TdxDockControl* dock);
    // The cursor's offset from the window's top-left for a docking style during a drag.
    TPoint GetCursorOffset(TdxBarDockingStyle style);
    // The outer size of the window in a docking style.
    TSize CalcBarSize(TdxBarDockingStyle style);
    // The client size of a floating window whose rows wrap at the client width (never narrower
    // than the widest link).
    TSize ArrangeFloating(int clientWidth);
    // The narrowest floating client size whose height stays within the client height.
    TSize ArrangeFloatingForHeight(int clientHeight);
    // The styles of a floating window.
    static constexpr DWORD FloatingStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
    static constexpr DWORD FloatingExStyle = WS_EX_TOOLWINDOW;
    // Placed by program (not following the mouse) while above 0.
    void BeginInternalUpdate() { ++internalUpdate_; }
    void EndInternalUpdate() { internalUpdate_ = std::max(0, internalUpdate_ - 1); }
    bool InInternalUpdate() const { return internalUpdate_ > 0; }
    void CaptionChanged();
    // The drag area of a docked window, in client coordinates (empty without one).
    TRect DragAreaRect() const;
    // A docked bar floats where its window is; a floating one goes back to the dock it came
    // from. Both replace the window, so they run after the message that asked for them.
    void ToggleFloating();
    // Measures and draws again (colour, border or main-menu change).
    void RebuildWindow() { Rebuild(false); }
    // The bar takes its window away: a window that lent its links to a window of its own (a
    // popup showing them) takes them back first, so that the links free this window.
    virtual void ReclaimItemLinks() {}
    // Whether the window's place in its dock goes into the bar (a dock that places its windows
    // itself keeps the bar's stored place as it was read).
    virtual bool StoresDockedPosition() const { return true; }

    // -- caption buttons: a toolbar window keeps their hover state but neither places nor draws
    // them (the ribbon's group windows do)
    TdxBarCaptionButtons* GetCaptionButtons() const;
    virtual bool HasCaptionButtons() const;
    // The buttons changed; the window that shows them lays them out again.
    virtual void UpdateCaptionButtonsLayout(bool /*recalculate*/) {}
    // Clicks the bar's caption button at the index (an index out of range clicks nothing).
    virtual void ClickCaptionButton(int index);
    // The buttons' hover states from a point in window coordinates.
    void UpdateCaptionButtonStates(const TPoint& windowPoint);

    // -- the MDI buttons of a main menu bar (minimize, restore, close of the maximized child)
    static constexpr int MDIMinimize = 0, MDIRestore = 1, MDIClose = 2;
    // A main menu bar while the manager's active MDI child is maximized and has a system menu.
    bool HasMDIButtons() const override;
    // The three buttons, or the close button alone on a main menu bar with ShowCloseButton.
    bool ShowsCloseButtonArea() const;
    int MDIButtonWidth() const { return GetSystemMetrics(SM_CXMENUSIZE) - 2; }
    int MDIButtonHeight() const { return GetSystemMetrics(SM_CYMENUSIZE) - 4; }
    // The length the buttons take along the bar (0 without them).
    int MDIAreaLength() const;
    // Restore is always enabled, the close button alone too; else the child's system menu must
    // not have the command grayed (mask 1) or grayed or disabled (mask 3).
    bool IsMDIButtonEnabled(int index, UINT mask) const;
    // The button's rectangle in client coordinates (empty while the area is not shown; the
    // close button alone for indexes other than MDIClose then).
    TRect GetMDIButtonRect(int index) const;
    // The shown MDI button at a client point; -1 when none.
    int MDIButtonAtPoint(const TPoint& p) const;
    // The button under the mouse and the pressed one, for all windows (-1 when none).
    static int MDIButtonHotIndex();
    static int MDIButtonPressedIndex();

    TCustomdxBarControlViewInfoClass GetViewInfoClass() const override { return TdxBarControlViewInfo::StaticClass(); }
    bool IsMainMenu() const override;
    bool IsStatusBar() const override;
    // In customizing mode the links can be hit when the bar may be customized.
    bool AllowsItemEditing() const override;
    // Whether the window shows a caption when it floats (windows without one are left out of the
    // toolbars popup).
    virtual bool ShowsFloatCaption() const { return true; }
    // While customizing the link's customizing popup; otherwise the toolbars popup.
    void ShowContextPopup(TdxBarItemControl* control) override;
    int GetBarControlKind() const override { return 0; }
    const TcxAccessibilityHelperMeta* GetAccessHelperClass() const override;
    bool IsDockedVertically() const override { return !IsHorizontal(); }
    bool HasMark() const override { return truncated_; }
    void FillBk(HDC dc, const TRect& r, bool flag, TColor color, HBRUSH brush) override;
    void CalcLayout() override;
    void CalcItemLayout() override;
    int GetBeginGroupSize() const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void UpdateFont() override {}
    void Paint() override;
    void Rebuild(bool recreate) override;
    // A press selects the control and puts the toolbar in menu mode; a plain button keeps the
    // mouse until the release, which clicks it or closes the mode.
    void PressItemControl(TdxBarItemControl* control) override;

private:
    // The close button of a floating window hides the bar (OnBarClose) instead of destroying it.
    void WMClose(TMessage& m);
    void WMLButtonDblClk(TMessage& m);
    void WMNCHitTest(TMessage& m);
    // A floating window sized by an edge snaps to a size its links fit; by a corner it keeps its
    // size.
    void WMSizing(TMessage& m);
    // A floating window placed wholly off every monitor comes back into the work area.
    void WMWindowPosChanging(TMessage& m);
    // The system's minimum size of a sized window would widen a small floating bar.
    void WMGetMinMaxInfo(TMessage& m);
    void HandleMouseDown(TMouseButton button, TShiftState shift, const TPoint& p, TdxBarItemControl* control) override;
    void HandleMouseMove(TShiftState shift, const TPoint& p, TdxBarItemControl* control) override;
    void HandleMouseLeave() override;
    void HandleMouseUp(TMouseButton button, TShiftState shift, const TPoint& p, TdxBarItemControl* control) override;
    // A press or hover of the MDI buttons ends.
    void WMCancelMode(TMessage& m);
    void InvalidateMDIButton(int index);
    // The MDI buttons' share of a mouse move; true when a press holds them (nothing else moves).
    bool TrackMDIButtons(const TPoint& p);
    void ClearMDIButtonState();
    // A left press on an MDI button (true: the press was on one, enabled or not).
    bool PressMDIButton(const TPoint& p);
    // The length of a link's control along a window of the orientation and its thickness across.
    int LinkLength(TdxBarItemLink* link, bool horizontal);
    int LinkThickness(TdxBarItemLink* link, bool horizontal);
    int LinkLength(TdxBarItemLink* link) { return LinkLength(link, IsHorizontal()); }
    int CalcFullLength(bool horizontal, bool docked);
    int CalcThickness(bool horizontal);
    void DrawGrip(HDC dc);
    void DrawMarkArea(HDC dc);
    void DrawMDIButtons(HDC dc);

    TdxBar* bar_ = nullptr;
    TdxDockControl* dockControl_ = nullptr;
    bool truncated_ = false;
    bool moving_ = false;
    int internalHitTest_ = 0;
    int internalUpdate_ = 0;
    // Where the press that started a drag was in the window, and the window's size then: the
    // cursor keeps its relative place when the window changes its size.
    TPoint dragPoint_{};
    TSize dragSize_{};
};

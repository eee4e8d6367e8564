#pragma once
// TCustomdxBarControl: the window every bar window derives from (toolbars, menus, quick
// customization, the ribbon's bar windows). It shows one link collection: one item control per
// showable link while its window handle exists, laid out by its descendants with the steps
// here (text metrics, items rectangle, vertical stacking with the partial-item rule, view info)
// and drawn item by item through the painter, each clipped to its bounds and then left out of
// the clip so that later background fills do not touch it. It also keeps the menu chain (parent
// and child window), the shared metrics and the owner geometry popups need for their shadow.
//
// Ownership: the window owns its view info, its draw canvas, its scratch background bitmap and
// its screen canvas (made only while it has no handle); the item controls belong to their links
// while the window's handle exists. The manager owns the window as a component; its item links
// belong to their owner.

#include <memory>

#include "CustomControl.h"
#include "Interfaces.h"
#include "dxBar.h"
#include "dxBarForward.h"
#include "dxBarPaintedObjects.h"
#include "dxBarViewLevels.h"
#include "dxCustomBarControlViewInfo.h"

class IdxBarHookedMenuChain;
struct IdxBarAccessibilityHelper;
class TcxAccessibilityHelperMeta;
class TdxBarAccessibilityHelper;
class TcxCanvas;
class TcxScreenCanvas;
class TdxBarPainter;
class TdxFader;
struct TdxBarDropPosition;

// The window state bits: each is set while its operation runs, and the operation returns at
// once when its bit (creating or destroying: either) is already set.
enum TdxBarControlWindowState : Byte {
    bcsCreatingControls = 0x01,
    bcsDestroyingControls = 0x02,
    bcsDestroyingSubMenu = 0x04,
    bcsHidingMenuChain = 0x08,
    bcsDrawingItem = 0x10,
    bcsRebuilding = 0x20,
    bcsUpdatingCanvasFont = 0x40,
};

// The behaviour bits bar windows answer with GetBehaviorOptions.
constexpr Word bcboDetachCaption = 0x1;
constexpr Word bcboKeepSelectionOnEditEscape = 0x2;
constexpr Word bcboInactiveLook = 0x4;
constexpr Word bcboClientAlignFullWidth = 0x10;
constexpr Word bcboSelectWithoutActivation = 0x20;
constexpr Word bcboKeyboardOwnsSelection = 0x40;
constexpr Word bcboCustomizingPopupOnRelease = 0x100;

// The message with which a bar window asks itself for a later rebuild.
constexpr UINT WM_DXBAR_UPDATEBAR = WM_APP + 0x65;

class TCustomdxBarControl : public TCustomControl {
    Z_CLASS(TCustomdxBarControl, TCustomControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), Z_MESSAGE(WM_PAINT, WMPaint),
                  Z_MESSAGE(WM_NCPAINT, WMNCPaint), Z_MESSAGE(WM_PRINT, WMPrint),
                  Z_MESSAGE(WM_PRINTCLIENT, WMPrintClient), Z_MESSAGE(WM_WINDOWPOSCHANGED, WMWindowPosChanged),
                  Z_MESSAGE(WM_DESTROY, WMDestroy), Z_MESSAGE(WM_SETCURSOR, WMSetCursor),
                  Z_MESSAGE(WM_COMMAND, WMCommand), Z_MESSAGE(WM_MOUSEMOVE, WMMouseMove),
                  Z_MESSAGE(WM_LBUTTONDOWN, WMLButtonDown), Z_MESSAGE(WM_LBUTTONDBLCLK, WMLButtonDown),
                  Z_MESSAGE(WM_LBUTTONUP, WMLButtonUp), Z_MESSAGE(WM_MOUSEACTIVATE, WMMouseActivate),
                  Z_MESSAGE(WM_CAPTURECHANGED, WMCaptureChanged), Z_MESSAGE(WM_KEYDOWN, WMKeyDown),
                  Z_MESSAGE(WM_SETFOCUS, WMSetFocus), Z_MESSAGE(WM_KILLFOCUS, WMKillFocus),
                  Z_MESSAGE(WM_NCACTIVATE, WMNCActivate), Z_MESSAGE(WM_DXBAR_UPDATEBAR, WMUpdateBar),
                  Z_MESSAGE(WM_GETDLGCODE, WMGetDlgCode))
public:
    // The owner must be a TdxBarManager.
    explicit TCustomdxBarControl(TComponent* owner);
    ~TCustomdxBarControl() override;
    // A child window that is not already going is freed first; the parent lets go of this one.
    void BeforeDestruction() override;

    TdxBarManager* GetManager() const;
    bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
    Byte State() const { return state_; }
    // Made on first use from GetViewInfoClass (a descendant's class is not reached from the
    // base constructor); freed with the window.
    TCustomdxBarControlViewInfo* ViewInfo();
    virtual TCustomdxBarControlViewInfoClass GetViewInfoClass() const = 0;
    TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
    // Shows the links: they learn their bar window, which then makes their controls.
    virtual void AssignItemLinks(TdxBarItemLinks* links);
    // The links go while the window is being destroyed already (its owner goes too): it lets
    // go of them and of everything it knew of their controls.
    void ItemLinksFreed();

    // -- the menu chain: setting one end sets the other when it does not point back yet
    TCustomdxBarControl* ChildBar() const { return childBar_; }
    TCustomdxBarControl* ParentBar() const { return parentBar_; }
    void SetChildBar(TCustomdxBarControl* value);
    void SetParentBar(TCustomdxBarControl* value);

    // -- owner geometry (popups)
    const TRect& OwnerBounds() const { return ownerBounds_; }
    void SetOwnerBounds(const TRect& r) { ownerBounds_ = r; }
    void SetOwnerControl(TWinControl* control) { ownerControl_ = control; }
    TWinControl* GetOwnerControl() const;
    // The window shares an edge with the owner bounds (over a common stretch).
    virtual bool TouchesOwner() const;
    // The row of the window's edge that meets its owner, less a pixel at each end and within the
    // owner's span; empty unless the window touches its owner. Outside: the row just beyond the
    // window, in parent coordinates.
    bool CalcOwnerGapRect(bool outside, TRect& r) const;

    // -- item controls
    void CreateControls();
    void DestroyControls();
    void RecreateControls();
    // Lets the window under the cursor, when it is a bar window, rebuild its hot tracking.
    void ReplayMousePosition();
    // Rebuilds the layout (and the controls when asked) unless the window cannot now; under the
    // manager's update lock the rebuild waits for the unlock.
    void RebuildLocked(bool recreate);
    bool RebuildPending() const { return rebuildPending_; }
    virtual void UpdateBar() { RebuildLocked(true); }
    // One of the window's links (shown or not) holds the control.
    virtual bool OwnsItemControl(TdxBarItemControl* control) const;
    TdxBarItemControl* GetSelectedControl() const;
    TdxBarItemLink* SelectedLink() const { return selectedLink_; }
    // Sets the selected link without any of SetSelControl's side effects.
    void SetSelectedLink(TdxBarItemLink* link) { selectedLink_ = link; }
    void GetItemControlRect(TdxBarItemControl* control, TRect& r) const;
    // The first placed control whose bounds hold the client point.
    TdxBarItemControl* ItemControlAtPoint(const TPoint& p) const;
    TdxBarItemControl* GetControlAtCursor() const;
    virtual void InvalidateItem(TdxBarItemControl* control);
    // A control is going: it leaves the view info and the hot tracking.
    void ForgetItemControl(TdxBarItemControl* control);

    // -- layout
    virtual void CalcLayout() { CalcItemsRect(); }
    virtual void CalcTextMetrics();
    virtual void CalcItemsRect() { itemsRect_ = ClientRect(); }
    // Places the shown links from the first index: kind 1 stacks them (CalcVisibleItemsRange),
    // kinds 0 and 2 lay them out in rows (CalcItemLayout).
    virtual void CalcVisibleItems(int kind, int firstIndex);
    // Stacks the shown links from first down the visible items rectangle; bottom is where the
    // last placed link ends (the visible top when none is placed).
    virtual void CalcVisibleItemsRange(int first, int& bottom);
    virtual void CalcItemLayout() {}
    virtual void UpdateViewInfo() { ViewInfo()->Calculate(); }
    virtual bool AllowsPartialItem(const TRect& /*r*/) const { return false; }
    virtual int GetLinkBeginGroupSize(TdxBarItemLink* link) const;
    virtual int GetBeginGroupSize() const { return 0; }
    virtual void ExcludeTopScrollButton() {}
    virtual void ExcludeBottomScrollButton() {}
    const TRect& ItemsRect() const { return itemsRect_; }
    const TRect& VisibleItemsRect() const { return visibleItemsRect_; }
    int TextSize() const { return textSize_; }
    int EditTextSize() const { return editTextSize_; }
    int MenuArrowHeight() const { return menuArrowHeight_; }
    int ComboArrowWidth() const { return comboArrowWidth_; }
    int IconAreaSize() const { return iconAreaSize_; }
    double SizeRatio() const { return sizeRatio_; }
    virtual int GetItemTextSize(TdxBarItemControl* control) const;
    virtual Byte GetItemViewLevel(TdxBarItemControl* /*control*/) const { return ivlDefault; }

    // -- kinds and looks
    virtual bool IsRotated() const { return false; }
    virtual bool IsDockedVertically() const { return false; }
    virtual bool IsVerticalLayout() const { return IsDockedVertically(); }
    virtual bool IsPopupWindow() const { return false; }
    virtual bool IsPopupLike() const { return false; }
    virtual bool IsMainMenu() const = 0;
    // A main menu toolbar showing the maximized MDI child's buttons.
    virtual bool HasMDIButtons() const { return false; }
    virtual bool IsStatusBar() const = 0;
    virtual int GetBarControlKind() const = 0;
    virtual Word GetBehaviorOptions() const;
    virtual bool IsCustomizing() const;
    virtual bool IsUpdateLocked() const;
    virtual bool LooksInactive() const { return !active_; }
    virtual bool UsesFlatItemLook() const;
    virtual bool UsesRestSpace() const { return false; }
    virtual bool AllowsItemWrap() const { return true; }
    virtual bool AllowsItemEditing() const;
    virtual Byte GetItemDrawKind() const { return IsRotated() ? 2 : 0; }
    virtual TdxBarPainter* GetPainter() const;
    void SetPainter(TdxBarPainter* painter) { painter_ = painter; }
    virtual TdxFader* GetFader() const;
    virtual TFont* GetEditFont() const;
    virtual int GetBaseItemHeight() const;
    virtual int CalcDefaultItemHeight() const;
    virtual int CalcTextSize() const;
    virtual bool HasShadow() const;
    virtual bool NeedsShadow() const { return HasShadow() && Visible(); }
    virtual bool HasMark() const { return false; }
    TdxBarDockingStyle DockingStyle() const { return dockingStyle_; }
    virtual void SetDockingStyle(TdxBarDockingStyle value);
    bool IsActive() const { return active_; }
    // The window takes the keyboard without a menu open (the manager's focused bar).
    bool IsFocusedBar() const;

    // -- selection and activation. The active window is the one in menu or keyboard mode
    // (menus while shown, a toolbar in menu mode): it is the current active bar control, it
    // gets the keys through the hooks, and a press outside its chain closes the chain.
    void SetActive(bool value);
    virtual bool CanActivate() const;
    void SelectAndActivate(TdxBarItemControl* control);
    void DeselectAndDeactivate();
    void DeactivateIfFocusedBar();
    // Selection by program or keyboard: the old control is inactivated at once.
    void SetSelControl(TdxBarItemControl* control);
    // Selection by hovering: the new control is activated (a sub item opens its menu).
    void SelectByMouse(TdxBarItemControl* control);
    // Selection by accelerator: a unique accelerator clicks at once (Enter sent to the window).
    void SelectItemByKey(TdxBarItemControl* control, bool several);
    // The link of the accelerator after the given link; nil when none or its item is disabled.
    TdxBarItemLink* FindEnabledAccelLink(Word key, TShiftState shift, bool& several, TdxBarItemLink* after) const;
    // -- customizing mode: the selection of links by the user, the link customizing popup and
    // the arming of a link drag
    // The manager's selected item control when it is one of this window's.
    TdxBarItemControl* GetCustSelectedControl() const;
    virtual void SelectForCust(TdxBarItemControl* control, TMouseButton button, TShiftState shift);
    // 0 add, 1 remove, 2 replace, as the button and the shift keys ask.
    Integer GetSelectionOperation(TMouseButton button, TShiftState shift, IdxBarSelectableItem* item) const;
    // Does a press (or a release) of the right button open the context popup?
    virtual bool IsContextPopupTrigger(bool press) const;
    virtual void ShowContextPopup(TdxBarItemControl* control);
    // Arms the drag of the customizing-selected control's link: it starts once the pointer
    // leaves the system's drag rectangle around the point.
    void BeginItemDrag(const TPoint& p, TdxBarItemControl* control);
    bool IsItemDragArmed() const { return dragDown_; }
    // Where a link dropped at the client point would go: the link under it, the layout, the
    // half of the link and whether the drop begins a group (in the first few pixels of a link
    // that follows another).
    virtual void HitTestDropPosition(const TPoint& p, TdxBarDropPosition& position);
    // Fired first in the destructor.
    TNotifyEvent OnDestroying;

    // A menu of the window is open or opening (a drop-down opened by the keyboard).
    bool IsDowned() const { return downed_; }
    void SetDowned(bool value) { downed_ = value; }
    // Scrolls a menu so that the control shows; nothing in the base.
    virtual void EnsureItemVisible(TdxBarItemControl* /*control*/) {}
    TdxBarItemControl* ClickedControl() const { return clickedControl_; }
    void SetClickedControl(TdxBarItemControl* control) { clickedControl_ = control; }

    // -- the menu chain
    // Closes the window's menu mode and, unless it was closed by Escape, the chain up to its root.
    void HideMenuChain();
    // Closes one level only.
    void CloseOnEscape();
    bool ClosedByEscape() const { return closedByEscape_; }
    void SetClosedByEscape(bool value) { closedByEscape_ = value; }
    // The window is found walking up the other window's parents.
    bool IsParentOf(const TCustomdxBarControl* window) const;
    // The parent bar, except across the border from an internal menu to a normal one.
    virtual TCustomdxBarControl* GetChainParent() const;
    virtual bool IsInternalMenu() const { return false; }
    // No window is active, or this one is or is one of the active window's chain parents.
    bool IsInActiveChain() const;
    // The handle is this window, one of its children, or a window of the selected control.
    bool IsInsideChain(HWND window) const;
    // Asked when another window of the application is activated: close the chain?
    virtual bool ClosesOnWindowActivation(TdxBarManager* manager, HWND window) const;
    // A press on the owner window of the chain; nothing in the base.
    virtual void HandleChainMouseDown(HWND /*window*/, UINT /*message*/, const TPoint& /*screen*/) {}
    // What the message hooks see of the window (made on first use).
    IdxBarHookedMenuChain* HookedChain();
    // The window the pointer is over for the mouse tracking: the window under it is this one,
    // or the point is over one of its item controls.
    virtual bool IsPointInside(const TPoint& clientPoint) const;

    // -- painting
    // Draws the placed controls in view-info order, each clipped to its bounds and then left out
    // of the canvas's clip.
    virtual void DrawItems();
    virtual bool CanDrawItem(TdxBarItemControl* control) const;
    virtual void DrawItem(TcxCanvas* canvas, TdxBarItemControl* control);
    virtual void DrawItemControl(TdxBarItemControl* control, TcxCanvas* canvas, const TRect& r);
    void DrawSelectionFrame(HDC dc, TdxBarItemControl* control, const TRect& r);
    virtual HBRUSH GetBkBrush() const;
    HBRUSH ItemBkBrush() const { return bkBrush_; }
    virtual void FillBk(HDC dc, const TRect& r, bool flag, TColor color, HBRUSH brush) = 0;
    void FillBkRegion(HDC dc, HRGN region, bool flag, HBRUSH brush);
    virtual bool PaintsNonClientArea() const { return true; }
    virtual void DrawNonClientArea(HDC /*dc*/) {}
    virtual bool HasBkImage() const { return false; }
    bool UpdateDoubleBuffered();
    virtual void ClearBkCache();
    // The window's own canvas with a handle, else a screen canvas (measuring before the window).
    TcxCanvas* GetDrawCanvas();
    // The canvas font: the window font, turned to run top to bottom on rotated windows.
    void UpdateCanvasFont();

    // -- accessibility: the window's helper, made on first request from GetAccessHelperClass
    // and told that its owner is gone when the window goes.
    IdxBarAccessibilityHelper* ObtainAccessibilityHelper();
    virtual const TcxAccessibilityHelperMeta* GetAccessHelperClass() const;

    // What the painter reads of the window.
    IdxBarPaintedWindow* PaintedWindow() const { return paintedWindow_.get(); }

    // -- geometry
    // Where a screen tip of the height goes for a screen point: 20 (scaled) pixels below it, or
    // above the window's client area when it would pass the bottom of the work area there.
    virtual TPoint CalcScreenTipPos(const TPoint& p, int tipHeight) const;
    void GetLocalWindowRect(TRect& r) const;
    void GetClientRectInWindow(TRect& r) const;
    virtual TPoint GetClientOffset() const { return TPoint{0, 0}; }

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWindowHandle() override;
    virtual void DoCreateControls();
    virtual void DoDestroyControls();
    virtual void Rebuild(bool recreate);
    virtual void UpdateFont() = 0;
    virtual void UpdateAlphaBlend() {}
    virtual void WindowPosChanged();
    virtual void NotifyDestroying();
    virtual void ReleaseItemWindows();
    void WndProc(TMessage& m) override;
    // -- the mouse, after the window's own dispatch
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // The mouse left the window (the tracking saw it go): the hot control hears it.
    void MouseLeave() override;
    virtual void HandleMouseEnter(TShiftState shift, const TPoint& p, TdxBarItemControl* control);
    virtual void HandleMouseDown(TMouseButton button, TShiftState shift, const TPoint& p, TdxBarItemControl* control);
    virtual void HandleMouseMove(TShiftState shift, const TPoint& p, TdxBarItemControl* control);
    virtual void HandleMouseUp(TMouseButton button, TShiftState shift, const TPoint& p, TdxBarItemControl* control);
    virtual void HandleMouseLeave();
    virtual void PressItemControl(TdxBarItemControl* control);
    virtual void DblClickItemControl(TdxBarItemControl* control);
    void HotTrackLink(TdxBarItemLink* link, const TPoint& p, TShiftState shift);
    void TrackMousePosition(TShiftState shift, int x, int y);
    // Customizing, or (asked) the pointer has not moved, or it is outside the window.
    bool IsMouseInputBlocked(bool unmovedCounts) const;
    // -- keys
    // The window's own keys: Enter clicks the selected control.
    virtual void HandleKeyDown(Word& key, TShiftState shift);
    // The selected, enabled control takes the key when it matches it.
    virtual bool HandleSelectedKey(Word& key, TShiftState shift);
    // A vertical toolbar's helper hands the selected control the arrow turned to the bar.
    friend class TdxBarControlAccessibilityHelper;
    virtual void ClickSelectedByKeyboard(TdxBarItemControl* control);
    // -- activation and the chain
    virtual void DoSetActive(bool value);
    virtual void DoSetSelControl(TdxBarItemControl* control);
    virtual void DoHideMenu();
    virtual void RestoreFocus();
    // The layouts of descendants set the items rectangles themselves (margins, scroll buttons).
    void SetItemsRect(const TRect& r) { itemsRect_ = r; }
    void SetVisibleItemsRect(const TRect& r) { visibleItemsRect_ = r; }
    bool dragDown_ = false;
    TPoint itemDragPoint_{};

private:
    void WMEraseBkgnd(TMessage& m) { m.Result = 1; }
    void WMPaint(TMessage& m);
    void WMNCPaint(TMessage& m);
    void WMPrint(TMessage& m);
    void WMPrintClient(TMessage& m);
    void WMWindowPosChanged(TMessage& m);
    void WMDestroy(TMessage& m);
    void WMSetCursor(TMessage& m);
    void WMCommand(TMessage& m);
    void WMMouseMove(TMessage& m);
    void WMLButtonDown(TMessage& m);
    void WMLButtonUp(TMessage& m);
    void WMMouseActivate(TMessage& m);
    void WMCaptureChanged(TMessage& m);
    void WMKeyDown(TMessage& m);
    void WMSetFocus(TMessage& m);
    void WMGetDlgCode(TMessage& m);
    void WMKillFocus(TMessage& m);
    void WMNCActivate(TMessage& m);
    // The arrows, Tab, Home, End, Alt and accelerators; the key may become 0.
    void HandleNavigationKey(Word& key, TShiftState shift, LPARAM keyData);
    void SelectNavigableLink(TdxBarItemLink* link, bool fromTab);
    // Leaves the active-window stack and the hooks' view (activation ends or the window goes).
    void LeaveActiveStack();
    void StopBarMouseTracking();
    // The hooks find bar windows by their handles through the lookup installed here.
    static void InstallHookedWindowLookup();
    void WMUpdateBar(TMessage&) { UpdateBar(); }
    // Sets the bit for the scope; clears it also when an exception passes.
    class TStateScope;

    IPtr<TdxBarAccessibilityHelper> accessibilityHelper_;
    std::unique_ptr<TcxCanvas> drawCanvas_;
    std::unique_ptr<TcxScreenCanvas> screenCanvas_;
    std::unique_ptr<TBitmap> bkBitmap_;
    std::unique_ptr<TCustomdxBarControlViewInfo> viewInfo_;
    class TPaintedWindow;
    std::unique_ptr<IdxBarPaintedWindow> paintedWindow_;
    // What the message hooks see of the window while it is the active one.
    class THookedChain;
    std::unique_ptr<THookedChain> hookedChain_;
    // Tells the window when the pointer has left it (checked every 10 ms).
    class TMouseTracker;
    std::unique_ptr<TMouseTracker> mouseTracker_;
    TCustomdxBarControl* previousActive_ = nullptr;
    TdxBarItemControl* clickedControl_ = nullptr;
    UINT currentMessage_ = 0;
    bool downed_ = false, closedByEscape_ = false, ignoreMouseClick_ = false;
    HBRUSH bkBrush_ = nullptr;
    HFONT rotatedFont_ = nullptr;
    TCustomdxBarControl* childBar_ = nullptr;
    TCustomdxBarControl* parentBar_ = nullptr;
    TdxBarDockingStyle dockingStyle_ = dsNone;
    TdxBarItemLinks* itemLinks_ = nullptr;
    TRect ownerBounds_{};
    TWinControl* ownerControl_ = nullptr;
    TdxBarItemLink* selectedLink_ = nullptr;
    TdxBarItemControl* hotControl_ = nullptr;
    TdxBarPainter* painter_ = nullptr;
    TRect itemsRect_{}, visibleItemsRect_{};
    TPoint lastMousePos_{-1, -1};
    int textSize_ = 0, editTextSize_ = 0, menuArrowHeight_ = 4, comboArrowWidth_ = 0, iconAreaSize_ = 0;
    double sizeRatio_ = 1.0;
    Byte state_ = 0;
    bool active_ = false;
    bool rebuildPending_ = false;
};

// Personalized menus show all their items while set; reset when a menu mode begins.
bool IsFullMenusShown();
void SetFullMenusShown(bool value);

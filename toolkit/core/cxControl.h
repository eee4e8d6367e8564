#pragma once
// TcxControl: the windowed control that the toolkit's own controls derive from (the ribbon, the
// status bars, the ribbon's group dock site). It adds to the platform's custom control a canvas
// wrapper, its own look-and-feel, painted scroll bars with a size grip (cxControlScrollBars.h),
// the toolkit's drag-and-drop (cxDragAndDrop.h), a popup menu that is the platform's or a
// toolkit menu (cxPopupMenus.h), font listeners, mouse enter and leave events, and the
// operations that derived controls fill in.
//
// Every handler that may run user code (mouse, keys, the window procedure) holds the control
// by a weak link and stops touching it once a handler has destroyed it.
//
// Where the platform already has an overridable operation, TcxControl overrides it under the
// platform's name: MouseDown, MouseMove, MouseUp, KeyDown, DoMouseWheel, Resize, Notification
// and DoContextPopup are the control's mouse, key, wheel, resize, notification and
// context-popup handling.
//
// The interfaces a control answers or calls (IcxLookAndFeelOwner, IcxMouseCaptureObject,
// IcxFontListener) are in cxControlInterfaces.h.
//
// Sections: child components · TcxControl (life · look-and-feel and painting ·
// focus · mouse and keys · popup menu · scroll bars · drag and drop · messages).

#include <vector>

#include "CustomControl.h"
#include "Sets.h"
#include "cxClasses.h"
#include "cxComponent.h"
#include "cxControlInterfaces.h"
#include "cxGraphics.h"
#include "cxLookAndFeel.h"
#include "cxWindowHelpers.h"
#include "dxCore.h"

class TcxControl;
class TcxControlScrollBar;
class TcxSizeGrip;
class TcxDragAndDropObject;
class TcxRegion;
class TDragImageList;

// ---- child components ----------------------------------------------------------------------

// A component that belongs to a TcxControl without being a window. Its control is its streaming
// parent: it has a parent exactly when it has a control.
class TcxControlChildComponent : public TcxComponent {
    Z_CLASS(TcxControlChildComponent, TcxComponent)
public:
    explicit TcxControlChildComponent(TComponent* AOwner);
    // Made for a control: owned by the control's owner (or by nobody), then attached to it.
    TcxControlChildComponent(TcxControl* control, bool takeOwner);
    ~TcxControlChildComponent() override;

    TcxControl* Control() const { return control_; }
    virtual bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
    virtual void SetControl(TcxControl* value) { control_ = value; }

    bool HasParent() const override { return control_ != nullptr; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* value) override;

protected:
    // Called by the constructors; derived components set themselves up here.
    virtual void Initialize() {}

private:
    TcxControl* control_ = nullptr;
};

// ---- TcxControl ----------------------------------------------------------------------------

enum TcxControlBorderStyle : Byte { cxcbsNone, cxcbsDefault };
enum TcxDragAndDropState : Byte { ddsNone, ddsStarting, ddsInProcess };
// The keys that a control takes itself instead of leaving them to the dialog navigation.
enum TcxKey : Byte { kAll, kArrows, kChars, kTab };
using TcxKeys = TSet<TcxKey>;
enum TcxScrollDirection : Byte { dirNone, dirLeft, dirRight, dirUp, dirDown };
// The scroll bar whose content the mouse wheel scrolls.
enum TcxWheelScrollBarKind : Byte { wsbNone, wsbHorizontal, wsbVertical };

using TcxDragAndDropObjectClass = const TcxArgClassMeta<TcxDragAndDropObject, TcxControl*>*;
class TDragObject;
using TcxDragControlObjectClass = const TcxArgClassMeta<TDragObject, TControl*>*;

class TcxControl : public TCustomControl, public IdxResourceStringsListener, public IcxLookAndFeelOwner {
    Z_CLASS(TcxControl, TCustomControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_CANCELMODE, WMCancelMode), Z_MESSAGE(WM_CAPTURECHANGED, WMCaptureChanged),
                  Z_MESSAGE(WM_CONTEXTMENU, WMContextMenu), Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd),
                  Z_MESSAGE(WM_GETDLGCODE, WMGetDlgCode), Z_MESSAGE(WM_NCCALCSIZE, WMNCCalcSize),
                  Z_MESSAGE(WM_PAINT, HandleWMPaint), Z_MESSAGE(WM_SETCURSOR, WMSetCursor),
                  Z_MESSAGE(CM_COLORCHANGED, HandleColorChangedMessage), Z_MESSAGE(CM_CURSORCHANGED, CMCursorChanged),
                  Z_MESSAGE(CM_FONTCHANGED, CMFontChanged), Z_MESSAGE(CM_TEXTCHANGED, CMTextChanged),
                  Z_MESSAGE(CM_VISIBLECHANGED, CMVisibleChanged), Z_MESSAGE(CM_DESIGNHITTEST, CMDesignHitTest),
                  Z_MESSAGE(CM_MOUSEENTER, CMMouseEnter), Z_MESSAGE(CM_MOUSELEAVE, CMMouseLeave),
                  Z_MESSAGE(CM_DRAG, CMDrag), Z_MESSAGE(CN_KEYDOWN, CNKeyDown), Z_MESSAGE(CN_SYSKEYDOWN, CNSysKeyDown),
                  Z_MESSAGE(CM_SCROLLBARMETRICSCHANGED, CMScrollBarMetricsChanged))
public:
    explicit TcxControl(TComponent* AOwner);
    ~TcxControl() override;
    void BeforeDestruction() override;

    // -- interfaces (not reference counted: the owner frees the control)
    Integer _AddRef() override { return -1; }
    Integer _Release() override { return -1; }
    void TranslationChanged() override { ReservedHook(); }
    TcxLookAndFeel* GetLookAndFeel() override { return OwnLookAndFeel(); }

    // -- state
    bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
    bool IsLoading() const { return ComponentState().Contains(csLoading); }
    virtual bool IsDesigning() const { return ComponentState().Contains(csDesigning); }

    // -- look-and-feel and painting
    TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_; }
    void SetLookAndFeel(TcxLookAndFeel* value) { lookAndFeel_->Assign(value); }
    virtual TcxLookAndFeel* OwnLookAndFeel() { return lookAndFeel_; }
    virtual TcxLookAndFeelPainterClass CurrentPainter() const { return lookAndFeel_->ActivePainter(); }
    // The canvas wrapper while the window exists, else a screen canvas (made on first need).
    TcxCanvas* GetCurrentCanvas();
    TcxCanvas* cxCanvas() const { return canvas_; }
    TcxControlBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TcxControlBorderStyle value);
    // Where the control paints: PaintingBounds when not empty, else its client rectangle.
    virtual TRect BoundsForPainting() const;
    const TRect& PaintingBounds() const { return paintingBounds_; }
    void SetPaintingBounds(const TRect& value) { paintingBounds_ = value; }
    // The painting bounds less the border and the visible scroll bars.
    virtual TRect ClientBounds() const;
    virtual int FrameWidth() const;
    // Invalidate a part of the window (nothing without a window, nil or an empty region).
    void InvalidateArea(const TRect& r, bool erase);
    void InvalidateRegion(TcxRegion* region, bool erase);
    void InvalidateWithChildren();

    // -- font listeners
    void AddFontListener(IcxFontListener* listener);
    void RemoveFontListener(IcxFontListener* listener);

    // -- focus
    bool FocusOnClick() const { return focusOnClick_; }
    void SetFocusOnClick(bool value) { focusOnClick_ = value; }
    virtual bool CanFocusOnClick() const;
    virtual bool FocusOnMouseDown(int x, int y) const {
        (void)x, (void)y;
        return CanFocusOnClick();
    }
    virtual bool FocusOnScrollBarClick() const { return CanFocusOnClick(); }
    virtual bool HasFocus() const { return Focused(); }
    virtual bool CanTakeFocus() const;

    // -- keys
    TcxKeys Keys() const { return keys_; }
    void SetKeys(TcxKeys value) { keys_ = value; }

    // -- mouse
    TPoint MouseDownPos() const { return mouseDownPos_; }
    bool MouseButtonPressed() const { return mouseButtonPressed_; }
    TObject* MouseCaptureObject() const { return mouseCaptureObject_; }
    // Another object takes the mouse: the old one hears it lost it, and the control holds the
    // platform's capture exactly while an object is set.
    void SetMouseCaptureObject(TObject* value);
    TCursor DefaultCursor() const { return defaultCursor_; }
    virtual TCursor CursorAt(int x, int y) {
        (void)x, (void)y;
        return defaultCursor_;
    }
    // Whether the point lies within the drag threshold of the last press (always, with a
    // manual drag mode).
    virtual bool IsWithinDragThreshold(int x, int y) const;
    // Whether (x, y) is still within the drag threshold of the last press.
    bool IsNearMouseDownPoint(int x, int y) const;

    // -- popup menu: a TPopupMenu or a component with IcxToolkitPopupMenu (others count as nil)
    TComponent* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TComponent* value) { AssignPopupMenu(value); }
    void AssignPopupMenu(TComponent* value);
    // Whether the popup menu of this control, or of a toolkit control up the parent chain,
    // takes the key message as a shortcut (never at design time).
    bool IsPopupMenuShortCut(const TMessage& message) const;

    // -- scroll bars (cxControlScrollBars.cpp)
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    TcxControlScrollBar* HScrollBar() const { return hScrollBar_; }
    TcxControlScrollBar* VScrollBar() const { return vScrollBar_; }
    TcxSizeGrip* SizeGrip() const { return sizeGrip_; }
    bool IsHScrollBarVisible() const;
    bool IsVScrollBarVisible() const;
    // What a derived control reports from CalculateScrollBarParams for each kind of bar.
    void SetScrollBarInfo(TScrollBarKind kind, int min, int max, int smallChange, int pageSize, int position,
                          bool allowShow, bool allowHide);
    // Recalculates the bars after the content or the size changed (only marks the need while
    // locked).
    virtual void RecalcScrollBars();
    void LockScrollBars() { ++scrollBarsLockCount_; }
    void UnlockScrollBars();
    bool IsScrollBarsLocked() const { return scrollBarsLockCount_ > 0; }
    bool ScrollBarsUpdateNeeded() const { return scrollBarsUpdateNeeded_; }
    // One line step in a direction, as the wheel and the auto-scroll make it.
    void ScrollInDirection(TcxScrollDirection direction);
    bool IsScrollingContent() const { return scrollingContent_; }
    // The middle-button auto-scroll: a modal loop until a click, Escape or a lost capture.
    void StartContentAutoScroll();

    // -- drag and drop (cxDragAndDrop.cpp)
    TcxDragAndDropState DragAndDropState() const { return dragAndDropState_; }
    // The object of the running drag-and-drop, made on first call.
    TcxDragAndDropObject* DragAndDropObject();
    void SetDragAndDropObjectClass(TcxDragAndDropObjectClass value) { dragAndDropObjectClass_ = value; }
    void FinishDragAndDrop(bool accepted);
    void SetDragAndDropState(TcxDragAndDropState value);
    TDragImageList* DragImages() const { return dragImages_; }
    // Whether a platform drag from this control copies (the Ctrl key is down).
    virtual bool IsCopyDragDrop() const;

    TNotifyEvent OnFocusChanged;

protected:
    // -- life
    void CreateParams(TCreateParams& Params) override {
        inherited::CreateParams(Params);
        AdjustCreateParams(Params);
    }
    virtual void AdjustCreateParams(TCreateParams& Params);
    void CreateWnd() override;
    void DestroyWindowHandle() override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Resize() override;

    // -- look-and-feel and painting
    virtual void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues) {
        (void)sender, (void)changedValues;
    }
    void HandleLookAndFeelChange(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues);
    void PaintWindow(HDC dc) override;
    // The border, the derived control's Paint, then the scroll bars' state.
    virtual void PaintControl();
    virtual bool ErasesBackground() const { return false; }
    virtual void ParentBackgroundChanged() {}
    virtual void ColorChangedHook() {}
    virtual void TextChangedHook() {}
    virtual void VisibilityChanged() {}
    virtual void NotifyFontListeners();
    virtual void NotifyDesignerModified();
    virtual void ReservedHook() {}

    // -- focus
    virtual bool IsFocusable() const { return true; }
    virtual bool AllowsMouseDownWithoutFocus() const { return false; }
    virtual void FireFocusChanged() { FireNotifyEvent(this, OnFocusChanged); }

    // -- mouse and keys
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    // The platform fires OnMouseEnter and OnMouseLeave through FireMouseEnter/FireMouseLeave.
    void MouseEnter() override {}
    void MouseLeave() override {}
    virtual void FireMouseEnter(TControl* control) { FireNotifyEvent(control, OnMouseEnter); }
    virtual void FireMouseLeave(TControl* control) { FireNotifyEvent(control, OnMouseLeave); }
    virtual void BeforeMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
        (void)button, (void)shift, (void)x, (void)y;
    }
    // After the platform's press handling: the platform drag or the middle-button auto-scroll.
    virtual void MouseDownStartDrag(TMouseButton button, int x, int y);
    virtual bool AllowsDesignDragAt(int x, int y, TShiftState shift) const {
        (void)x, (void)y, (void)shift;
        return true;
    }
    virtual bool WantsDesignTimeMouse(int x, int y, TShiftState shift) const;
    // A release: a running drag-and-drop drops, the capture object goes.
    virtual void AbortMouseActions();
    virtual void CancelMouseOperations();
    virtual bool CanBeginAutoDrag() const { return dragAndDropState_ == ddsNone; }
    virtual void RememberDefaultCursor() { defaultCursor_ = Cursor(); }
    virtual TcxWheelScrollBarKind WheelScrollBarKind() const;

    // -- popup menu
    void DoContextPopup(TPoint MousePos, bool& Handled) override;
    virtual bool ShowContextMenuAt(TComponent* menu, int x, int y);

    // -- scroll bars (cxControlScrollBars.cpp)
    virtual bool HasScrollBars() const { return true; }
    virtual void CreateScrollBars();
    virtual void DestroyScrollBars();
    virtual void AttachScrollBars();
    virtual void BringScrollBarsToFront();
    virtual bool KeepsScrollBarsOnTop() const { return !IsDesigning(); }
    virtual bool IsOwnScrollControl(TControl* control) const;
    virtual TRect HScrollBarBounds() const;
    virtual TRect VScrollBarBounds() const;
    virtual TRect SizeGripBounds() const;
    virtual void PlaceScrollBars();
    virtual void RefreshScrollBarStates();
    // Derived controls describe their content here through SetScrollBarInfo.
    virtual void CalculateScrollBarParams() {}
    virtual bool TracksScrollEnd(TScrollBarKind kind) const {
        (void)kind;
        return false;
    }
    virtual bool HandlesExternalScroll(TcxScrollDirection direction) const {
        (void)direction;
        return false;
    }
    // Derived controls scroll their content here.
    virtual void ScrollContent(TScrollBarKind kind, TScrollCode code, int& position) {
        (void)kind, (void)code, (void)position;
    }
    virtual void HandleBoundsChanged() { RecalcScrollBars(); }
    void ScrollBarScrolled(TObject* sender, TScrollCode code, int& position);

    // -- drag and drop (cxDragAndDrop.cpp)
    virtual TcxDragAndDropObjectClass DragAndDropObjectClass() const;
    virtual bool StartDragAndDropAt(TPoint p) {
        (void)p;
        return false;
    }
    virtual void BeginDragAndDrop();
    virtual void DragAndDropMove(TPoint p, bool& accepted);
    virtual void EndDragAndDrop(bool accepted);
    // The platform drag.
    virtual TcxDragControlObjectClass DragControlObjectClass() const;
    virtual bool AcceptsDragObject(TDragObject* dragObject) {
        (void)dragObject;
        return true;
    }
    virtual bool HasDragImages() const { return false; }
    virtual TClass DragImageListClass() const;
    virtual TSize DragImageSize() const { return TSize{0, 0}; }
    virtual void DrawDragImage(TcxCanvas* canvas, const TRect& r) { (void)canvas, (void)r; }
    virtual void InitDragImages(TDragImageList* images);
    void DoStartDrag(TDragObject*& DragObject) override;
    void DoEndDrag(TObject* Target, int X, int Y) override;
    TDragImageList* GetDragImages() override;

    // -- child components
    friend class TcxControlChildComponent;
    virtual void AttachChildComponent(TcxControlChildComponent* child) { child->SetControl(this); }
    virtual void DetachChildComponent(TcxControlChildComponent* child) { child->SetControl(nullptr); }

    // -- messages
    void WMCancelMode(TMessage& Message);
    // Another window took the mouse while a drag-and-drop was about to start: it does not.
    void WMCaptureChanged(TMessage& Message);
    void WMContextMenu(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMGetDlgCode(TMessage& Message);
    void WMNCCalcSize(TMessage& Message);
    void HandleWMPaint(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void HandleColorChangedMessage(TMessage& Message);
    void CMCursorChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMDesignHitTest(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMDrag(TMessage& Message);
    void CNKeyDown(TMessage& Message);
    void CNSysKeyDown(TMessage& Message);
    void CMScrollBarMetricsChanged(TMessage& Message);

private:
    friend class TcxControlScrollBar;
    // The point of a press message: its 16-bit coordinates, or the cursor for a control wider
    // or higher than they reach.
    TPoint MessagePointOf(const TMessage& Message);
    // Scroll bar recalculation steps (cxControlScrollBars.cpp).
    void CalculateScrollBarsParams();
    void ApplyScrollBarData(TcxControlScrollBar* bar);
    void ScrollBarsChanged();
    // The auto-scroll's modal loop (cxContentAutoScroll.cpp).
    friend class TcxContentAutoScroll;
    void FreeDragImages();

    TcxScreenCanvas* screenCanvas_ = nullptr;
    TcxControlBorderStyle borderStyle_ = cxcbsNone;
    bool calculatingScrollBarParams_ = false;
    TcxCanvas* canvas_ = nullptr;
    bool creatingWindow_ = false;
    TCursor defaultCursor_ = crDefault;
    TcxDragAndDropObject* dragAndDropObject_ = nullptr;
    TcxDragAndDropObjectClass dragAndDropObjectClass_ = nullptr;
    TCursor dragAndDropPrevCursor_ = crDefault;
    TcxDragAndDropState dragAndDropState_ = ddsNone;
    TDragImageList* dragImages_ = nullptr;
    bool finishingDragAndDrop_ = false;
    bool focusOnClick_ = true;
    std::vector<IcxFontListener*> fontListeners_;
    TcxControlScrollBar* hScrollBar_ = nullptr;
    bool initialHScrollBarVisible_ = false, initialVScrollBarVisible_ = false;
    bool initialScrollBarsParams_ = false;
    TcxKeys keys_;
    TcxLookAndFeel* lookAndFeel_ = nullptr;
    bool mouseButtonPressed_ = false;
    TObject* mouseCaptureObject_ = nullptr;
    TPoint mouseDownPos_{-1, -1};
    bool mouseRightButtonReleased_ = false;
    TComponent* popupMenu_ = nullptr;
    TScrollStyle scrollBars_ = ssBoth;
    int scrollBarsLockCount_ = 0;
    bool scrollBarsUpdateNeeded_ = false;
    TcxSizeGrip* sizeGrip_ = nullptr;
    bool updatingScrollBars_ = false;
    TcxControlScrollBar* vScrollBar_ = nullptr;
    bool scrollingContent_ = false;
    bool lastParentBackground_ = true;
    TRect paintingBounds_{};
};

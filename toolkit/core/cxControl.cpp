#include "cxControl.h"

#include <algorithm>

#include "Application.h"
#include "DragDrop.h"
#include "Form.h"
#include "Menus.h"
#include "Mouse.h"
#include "Screen.h"
#include "cxControlScrollBars.h"
#include "cxDragAndDrop.h"
#include "cxPopupMenus.h"

// Sections: child components · life · look-and-feel and painting · focus · mouse and keys ·
// popup menu · the window procedure · messages.
// The scroll bars are in cxControlScrollBars.cpp, the auto-scroll in cxContentAutoScroll.cpp,
// drag and drop in cxDragAndDrop.cpp.

// ---- child components ----------------------------------------------------------------------

TcxControlChildComponent::TcxControlChildComponent(TComponent* AOwner) : TcxComponent(AOwner) { Initialize(); }

TcxControlChildComponent::TcxControlChildComponent(TcxControl* control, bool takeOwner)
    : TcxComponent(takeOwner && control ? control->Owner() : nullptr) {
    Initialize();
    SetControl(control);
}

TcxControlChildComponent::~TcxControlChildComponent() {
    if (control_) control_->DetachChildComponent(this);
}

TComponent* TcxControlChildComponent::GetParentComponent() const { return control_; }

void TcxControlChildComponent::SetParentComponent(TComponent* value) {
    if (auto* control = As<TcxControl>(value)) control->AttachChildComponent(this);
}

// ---- life ----------------------------------------------------------------------------------

// Virtual operations asked here are the base class's (a derived class is not constructed yet):
// a derived control that is not focusable clears TabStop itself, and one with drag images gets
// the display-drag-image style when its window is made.
TcxControl::TcxControl(TComponent* AOwner) : TCustomControl(AOwner) {
    if (HasDragImages()) SetControlStyle(ControlStyle() + csDisplayDragImage);
    canvas_ = new TcxCanvas(Canvas());
    defaultCursor_ = Cursor();
    lookAndFeel_ = new TcxLookAndFeel(this);
    lookAndFeel_->OnChanged = MakeEvent(this, &TcxControl::HandleLookAndFeelChange);
    scrollBars_ = ssBoth;
    CreateScrollBars();
    SetTabStop(IsFocusable());
    SetControlStyle(ControlStyle() + csParentBackground);
    lastParentBackground_ = true;
    GetResourceStringsRepository()->AddListener(this);
}

void TcxControl::BeforeDestruction() {
    Destroying();
    TCustomControl::BeforeDestruction();
}

TcxControl::~TcxControl() {
    Destroying();
    GetResourceStringsRepository()->RemoveListener(this);
    if (DragSourceControl() == this) EndDrag(false);
    FreeDragImages();
    // A drag-and-drop still running ends without its handlers: the control is going.
    delete dragAndDropObject_;
    dragAndDropObject_ = nullptr;
    DestroyScrollBars();
    fontListeners_.clear();
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = nullptr;
    // The window goes before the canvases and the look-and-feel that its last messages use.
    if (HandleAllocated()) DestroyHandle();
    delete screenCanvas_;
    screenCanvas_ = nullptr;
    delete canvas_;
    canvas_ = nullptr;
    delete lookAndFeel_;
    lookAndFeel_ = nullptr;
    ResetObjectLinks(this);
}

void TcxControl::AdjustCreateParams(TCreateParams& Params) { Params.Style |= WS_CLIPCHILDREN; }

void TcxControl::CreateWnd() {
    if (HasDragImages()) SetControlStyle(ControlStyle() + csDisplayDragImage);
    creatingWindow_ = true;
    try {
        TCustomControl::CreateWnd();
    } catch (...) {
        creatingWindow_ = false;
        throw;
    }
    creatingWindow_ = false;
    if (HasScrollBars()) {
        if (!hScrollBar_) CreateScrollBars();
    } else {
        DestroyScrollBars();
    }
    AttachScrollBars();
}

void TcxControl::DestroyWindowHandle() {
    ExcludeState(csClicked);
    TCustomControl::DestroyWindowHandle();
}

void TcxControl::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popupMenu_) popupMenu_ = nullptr;
}

void TcxControl::Resize() {
    TcxObjectLinkGuard self(this);
    TCustomControl::Resize();
    if (self.Alive()) HandleBoundsChanged();
}

// ---- look-and-feel and painting ------------------------------------------------------------

void TcxControl::HandleLookAndFeelChange(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues) {
    const bool applicationGoing = !Application || Application->ComponentState().Contains(csDestroying);
    if (!applicationGoing && !IsDestroying()) LookAndFeelChanged(sender, changedValues);
}

TcxCanvas* TcxControl::GetCurrentCanvas() {
    if (HandleAllocated()) {
        delete screenCanvas_;
        screenCanvas_ = nullptr;
        return canvas_;
    }
    if (!screenCanvas_) screenCanvas_ = new TcxScreenCanvas;
    return screenCanvas_;
}

void TcxControl::SetBorderStyle(TcxControlBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    HandleBoundsChanged();
    Invalidate();
}

TRect TcxControl::BoundsForPainting() const {
    if (!IsRectEmpty(&paintingBounds_)) return paintingBounds_;
    if (HandleAllocated()) return ClientRect();
    return TRect{0, 0, Width(), Height()};
}

int TcxControl::FrameWidth() const { return borderStyle_ == cxcbsNone ? 0 : CurrentPainter()->BorderWidth(); }

TRect TcxControl::ClientBounds() const {
    TRect r = BoundsForPainting();
    const int frame = FrameWidth();
    InflateRect(&r, -frame, -frame);
    if (IsHScrollBarVisible()) r.bottom -= hScrollBar_->Height();
    if (IsVScrollBarVisible()) r.right -= vScrollBar_->Width();
    return r;
}

void TcxControl::InvalidateArea(const TRect& r, bool erase) {
    if (HandleAllocated()) InvalidateRect(WindowHandle(), &r, erase);
}

void TcxControl::InvalidateRegion(TcxRegion* region, bool erase) {
    if (HandleAllocated() && region && !region->IsEmpty()) InvalidateRgn(WindowHandle(), region->Handle(), erase);
}

void TcxControl::InvalidateWithChildren() {
    if (HandleAllocated())
        RedrawWindow(WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
}

void TcxControl::PaintWindow(HDC dc) {
    Canvas()->FreeHandle();
    TCanvasPaintScope scope(Canvas(), dc);
    PaintControl();
}

void TcxControl::PaintControl() {
    if (borderStyle_ == cxcbsDefault) {
        CurrentPainter()->DrawControlBorder(canvas_, BoundsForPainting());
        canvas_->IntersectClipWithRect(ClientBounds());
    }
    Paint();
    RefreshScrollBarStates();
}

void TcxControl::AddFontListener(IcxFontListener* listener) {
    if (std::find(fontListeners_.begin(), fontListeners_.end(), listener) == fontListeners_.end())
        fontListeners_.push_back(listener);
}

void TcxControl::RemoveFontListener(IcxFontListener* listener) {
    fontListeners_.erase(std::remove(fontListeners_.begin(), fontListeners_.end(), listener), fontListeners_.end());
}

void TcxControl::NotifyFontListeners() {
    TcxObjectLinkGuard self(this);
    // A listener may leave (or destroy the control) while it is told.
    for (IcxFontListener* listener : std::vector<IcxFontListener*>(fontListeners_)) {
        if (!self.Alive()) return;
        if (std::find(fontListeners_.begin(), fontListeners_.end(), listener) != fontListeners_.end())
            listener->FontChanged(this, Font());
    }
    if (self.Alive()) Invalidate();
}

// A form designer would be told here; this program has none and never runs in design state, so
// the checks stay and nobody is told.
void TcxControl::NotifyDesignerModified() {
    if (!IsDesigning()) return;
    for (const TControl* c = this; c; c = c->Parent()) {
        const TComponentState state = c->ComponentState();
        if (state.Contains(csLoading) || state.Contains(csWriting) || state.Contains(csDestroying)) return;
    }
}

// ---- focus ---------------------------------------------------------------------------------

bool TcxControl::CanFocusOnClick() const { return !IsDesigning() && focusOnClick_ && IsFocusable() && CanFocus(); }

bool TcxControl::CanTakeFocus() const {
    if (!CanFocus()) return false;
    TCustomForm* form = GetParentForm();
    return !form || (form->CanFocus() && form->Enabled() && form->Visible());
}

// ---- mouse and keys ------------------------------------------------------------------------

bool TcxControl::IsWithinDragThreshold(int x, int y) const {
    return DragMode() == dmManual || IsPointInDragDetectArea(mouseDownPos_, x, y);
}

bool TcxControl::IsNearMouseDownPoint(int x, int y) const { return IsPointInDragDetectArea(mouseDownPos_, x, y); }

void TcxControl::SetMouseCaptureObject(TObject* value) {
    if (mouseCaptureObject_ == value) return;
    IcxMouseCaptureObject* old;
    if (Supports(mouseCaptureObject_, old)) old->MouseCaptureLost();
    mouseCaptureObject_ = value;
    const bool hadCapture = MouseCapture();
    SetMouseCapture(value != nullptr);
    if (hadCapture && !value && dragAndDropState_ == ddsStarting) Perform(WM_CANCELMODE);
}

TcxWheelScrollBarKind TcxControl::WheelScrollBarKind() const { return IsVScrollBarVisible() ? wsbVertical : wsbNone; }

void TcxControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    mouseDownPos_ = TPoint{X, Y};
    TcxObjectLinkGuard self(this);
    if (FocusOnMouseDown(X, Y) && !Shift.Contains(ssDouble)) {
        // Taking the focus may move the control (a parent scrolls it into view): the press
        // stays where it was on the screen.
        const TPoint originBefore = ClientOrigin();
        SetFocus();
        if (!self.Alive()) return;
        TCustomForm* form = GetParentForm();
        if (form && form->ActiveControl() == this && !HasFocus()) ::SetFocus(Handle());
        if (!HasFocus() && !AllowsMouseDownWithoutFocus()) {
            SetMouseCapture(false);
            return;
        }
        const TPoint originAfter = ClientOrigin();
        X += originBefore.x - originAfter.x;
        Y += originBefore.y - originAfter.y;
        mouseDownPos_ = TPoint{X, Y};
    }
    if (Button == mbLeft && !Shift.Contains(ssDouble) && StartDragAndDropAt(TPoint{X, Y})) {
        if (DragAndDropObject()->StartsImmediately())
            BeginDragAndDrop();
        else
            SetDragAndDropState(ddsStarting);
    } else {
        FinishDragAndDrop(false);
    }
    if (!self.Alive()) return;
    BeforeMouseDown(Button, Shift, X, Y);
    if (!self.Alive()) return;
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (self.Alive() && MouseCapture()) mouseButtonPressed_ = true;
}

void TcxControl::MouseMove(TShiftState Shift, int X, int Y) {
    TcxObjectLinkGuard self(this);
    // The cursor of the point, which is not the control's default cursor.
    const TCursor defaultCursor = defaultCursor_;
    SetCursor(CursorAt(X, Y));
    defaultCursor_ = defaultCursor;
    TCustomControl::MouseMove(Shift, X, Y);
    if (!self.Alive()) return;
    if (dragAndDropState_ == ddsStarting && !IsNearMouseDownPoint(X, Y)) BeginDragAndDrop();
    if (!self.Alive()) return;
    if (dragAndDropState_ == ddsInProcess) {
        bool accepted = false;
        DragAndDropMove(TPoint{X, Y}, accepted);
    }
}

void TcxControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TcxObjectLinkGuard self(this);
    mouseButtonPressed_ = false;
    AbortMouseActions();
    if (self.Alive()) TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TcxControl::AbortMouseActions() {
    TcxObjectLinkGuard self(this);
    FinishDragAndDrop(true);
    if (self.Alive()) SetMouseCaptureObject(nullptr);
}

void TcxControl::CancelMouseOperations() {
    mouseButtonPressed_ = false;
    SetMouseCaptureObject(nullptr);
}

bool TcxControl::WantsDesignTimeMouse(int, int, TShiftState) const {
    return dragAndDropState_ != ddsNone || mouseButtonPressed_;
}

void TcxControl::MouseDownStartDrag(TMouseButton button, int x, int y) {
    if (button == mbLeft) {
        if (DragMode() == dmAutomatic && MouseCapture() && (!IsDesigning() || AllowsDesignDragAt(x, y, {})) &&
            CanBeginAutoDrag() && DetectDragStart(WindowHandle()) == ddrDrag)
            BeginDrag(true);
    } else if (button == mbMiddle) {
        StartContentAutoScroll();
    }
}

void TcxControl::KeyDown(Word& Key, TShiftState Shift) {
    TcxObjectLinkGuard self(this);
    if (Key == VK_ESCAPE && dragAndDropState_ != ddsNone) FinishDragAndDrop(false);
    if (self.Alive()) TCustomControl::KeyDown(Key, Shift);
}

bool TcxControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    TcxObjectLinkGuard self(this);
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos) || !self.Alive()) return true;
    const TcxWheelScrollBarKind kind = WheelScrollBarKind();
    if (kind == wsbNone) return false;
    const bool back = WheelDelta > 0;
    const int lines = Mouse ? Mouse->WheelScrollLines() : 3;
    if (lines < 0) {
        // The wheel scrolls by pages: one page step. (Counted as lines, the system's page value
        // would make some four billion steps.)
        const TScrollBarKind barKind = kind == wsbVertical ? sbVertical : sbHorizontal;
        TcxControlScrollBar* bar = barKind == sbVertical ? vScrollBar_ : hScrollBar_;
        int position = bar ? bar->Position() : 0;
        ScrollContent(barKind, back ? scPageUp : scPageDown, position);
        if (self.Alive()) Update();
        return true;
    }
    const TcxScrollDirection direction = kind == wsbVertical ? (back ? dirUp : dirDown) : (back ? dirLeft : dirRight);
    for (int i = 0; i < lines && self.Alive(); ++i) ScrollInDirection(direction);
    return true;
}

// ---- popup menu ----------------------------------------------------------------------------

void TcxControl::AssignPopupMenu(TComponent* value) {
    if (!IsToolkitPopupMenu(value)) value = nullptr;
    if (popupMenu_ == value) return;
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = value;
    if (popupMenu_) popupMenu_->FreeNotification(this);
}

bool TcxControl::IsPopupMenuShortCut(const TMessage& message) const {
    if (IsDesigning()) return false;
    for (const TControl* c = this; c; c = c->Parent())
        if (auto* control = As<TcxControl>(const_cast<TControl*>(c)))
            if (IsPopupMenuKey(control->PopupMenu(), message)) return true;
    return false;
}

bool TcxControl::ShowContextMenuAt(TComponent* menu, int x, int y) { return ShowToolkitPopupMenu(this, menu, x, y); }

void TcxControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    TcxObjectLinkGuard self(this);
    TCustomControl::DoContextPopup(MousePos, Handled);
    if (Handled || !self.Alive()) return;
    const bool fromKeyboard = MousePos.x == -1 && MousePos.y == -1;
    const TPoint screen = ClientToScreen(fromKeyboard ? TPoint{0, 0} : MousePos);
    Handled = ShowContextMenuAt(popupMenu_, screen.x, screen.y);
}

// ---- the window procedure ------------------------------------------------------------------

// The system holds a window at 32767 pixels however large it is asked to be: a control that
// size stands for one that may be larger, and its points are taken from the cursor.
constexpr int kLargestMessageCoordinate = 0x7FFF;

TPoint TcxControl::MessagePointOf(const TMessage& Message) {
    if (Width() >= kLargestMessageCoordinate || Height() >= kLargestMessageCoordinate)
        return ScreenToClient(Mouse->CursorPos());
    return MessagePoint(Message.LParam);
}

void TcxControl::WndProc(TMessage& Message) {
    TcxObjectLinkGuard self(this);
    const bool leftPress = Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK;
    const bool wantsPressItself =
        leftPress && !DragObject() &&
        (IsDesigning() ? WantsDesignTimeMouse(MessagePoint(Message.LParam).x, MessagePoint(Message.LParam).y, {ssLeft})
                       : DragMode() == dmAutomatic);
    if (wantsPressItself && !ControlAtPos(MessagePoint(Message.LParam), false)) {
        // Straight to the handlers, with the left-button state on, so that the platform neither
        // starts its own automatic drag on the press nor applies its design-time handling; the
        // drag starts below, once DetectDragStart has seen a real drag gesture.
        if (Message.Msg == WM_LBUTTONDBLCLK && !HasStyle(csDoubleClicks)) Message.Msg = WM_LBUTTONDOWN;
        IncludeState(csLButtonDown);
        try {
            Dispatch(Message);
        } catch (...) {
            if (self.Alive()) ExcludeState(csLButtonDown);
            throw;
        }
        if (!self.Alive()) return;
        ExcludeState(csLButtonDown);
    } else {
        if (Message.Msg == WM_RBUTTONUP) mouseRightButtonReleased_ = true;
        TCustomControl::WndProc(Message);
        if (!self.Alive()) return;
    }
    switch (Message.Msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            FireFocusChanged();
            break;
        case WM_PAINT:
            if (HasStyle(csParentBackground) != lastParentBackground_) {
                lastParentBackground_ = HasStyle(csParentBackground);
                ParentBackgroundChanged();
            }
            break;
        case WM_RBUTTONUP:
            mouseRightButtonReleased_ = false;
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            static const TMouseButton buttons[] = {mbLeft, mbRight, mbMiddle};
            const TMouseButton button = buttons[Message.Msg == WM_LBUTTONDOWN   ? 0
                                                : Message.Msg == WM_RBUTTONDOWN ? 1
                                                                                : 2];
            const TPoint p = MessagePointOf(Message);
            MouseDownStartDrag(button, p.x, p.y);
            break;
        }
    }
}

// ---- messages ------------------------------------------------------------------------------

void TcxControl::WMCancelMode(TMessage& Message) {
    TcxObjectLinkGuard self(this);
    Inherited<TCustomControl>(Message);
    if (self.Alive()) FinishDragAndDrop(false);
    if (self.Alive()) CancelMouseOperations();
}

void TcxControl::WMCaptureChanged(TMessage& Message) {
    TcxObjectLinkGuard self(this);
    Inherited<TCustomControl>(Message);
    if (self.Alive() && dragAndDropState_ == ddsStarting && reinterpret_cast<HWND>(Message.LParam) != WindowHandle())
        Perform(WM_CANCELMODE);
}

void TcxControl::WMContextMenu(TMessage& Message) {
    if (Message.Result != 0 || IsDesigning()) {
        Inherited<TCustomControl>(Message);
        return;
    }
    const TPoint pos = MessagePoint(Message.LParam);
    if (!(pos.x == -1 && pos.y == -1)) {
        const TPoint client = ScreenToClient(pos);
        const TRect r = ClientRect();
        if (!PtInRect(&r, client)) {
            // On the border: the window's own handling (the parent hears of it).
            DefaultHandler(Message);
            return;
        }
    }
    // The platform's context popup runs DoContextPopup, which shows this control's menu.
    Inherited<TCustomControl>(Message);
}

void TcxControl::WMEraseBkgnd(TMessage& Message) {
    if (ErasesBackground())
        Inherited<TCustomControl>(Message);
    else
        Message.Result = 1;
}

void TcxControl::WMGetDlgCode(TMessage& Message) {
    LRESULT code = 0;
    if (keys_.Contains(kAll)) code |= DLGC_WANTALLKEYS;
    if (keys_.Contains(kArrows)) code |= DLGC_WANTARROWS;
    if (keys_.Contains(kChars)) code |= DLGC_WANTCHARS;
    // Ctrl+Tab is left to the form.
    if (keys_.Contains(kTab) && !IsCtrlKeyDown()) code |= DLGC_WANTTAB;
    Message.Result = code;
}

void TcxControl::WMNCCalcSize(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    if (HandleAllocated()) PostMessageW(WindowHandle(), CM_SCROLLBARMETRICSCHANGED, 0, 0);
}

void TcxControl::HandleWMPaint(TMessage& Message) {
    TDragObject* drag = CurrentDragObject();
    if (drag) drag->HideDragImage();
    Inherited<TCustomControl>(Message);
    if (drag && CurrentDragObject() == drag) drag->ShowDragImage();
}

void TcxControl::WMSetCursor(TMessage& Message) {
    if (IsDesigning() && dragAndDropState_ == ddsNone && Screen) {
        const TPoint p = ScreenToClient(Mouse->CursorPos());
        if (WantsDesignTimeMouse(p.x, p.y, GetShiftState())) {
            ::SetCursor(Screen->Cursors(CursorAt(p.x, p.y)));
            Message.Result = 1;
            return;
        }
    }
    Inherited<TCustomControl>(Message);
}

void TcxControl::HandleColorChangedMessage(TMessage& Message) {
    ColorChangedHook();
    Inherited<TCustomControl>(Message);
}

void TcxControl::CMCursorChanged(TMessage& Message) {
    RememberDefaultCursor();
    Inherited<TCustomControl>(Message);
}

void TcxControl::CMFontChanged(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    NotifyFontListeners();
}

void TcxControl::CMTextChanged(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    TextChangedHook();
}

void TcxControl::CMVisibleChanged(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    VisibilityChanged();
}

void TcxControl::CMDesignHitTest(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    if (Message.Result == 0) {
        const TPoint p = MessagePoint(Message.LParam);
        Message.Result = WantsDesignTimeMouse(p.x, p.y, KeysToShiftState(Message.WParam)) ? 1 : 0;
    }
}

void TcxControl::CMMouseEnter(TMessage& Message) {
    TcxObjectLinkGuard self(this);
    Inherited<TCustomControl>(Message);
    if (!self.Alive()) return;
    auto* control = reinterpret_cast<TControl*>(Message.LParam);
    FireMouseEnter(control ? control : this);
}

void TcxControl::CMMouseLeave(TMessage& Message) {
    TcxObjectLinkGuard self(this);
    Inherited<TCustomControl>(Message);
    if (!self.Alive()) return;
    auto* control = reinterpret_cast<TControl*>(Message.LParam);
    FireMouseLeave(control ? control : this);
}

void TcxControl::CNKeyDown(TMessage& Message) {
    if (IsPopupMenuShortCut(Message)) {
        Message.Result = 1;
        return;
    }
    if (dragAndDropState_ != ddsNone && Message.WParam == VK_ESCAPE) {
        // Escape must reach the control even where the form would take it as a dialog key.
        SendMessageW(Handle(), WM_KEYDOWN, Message.WParam, Message.LParam);
        Message.Result = 1;
        return;
    }
    Inherited<TCustomControl>(Message);
}

void TcxControl::CNSysKeyDown(TMessage& Message) {
    if (IsPopupMenuShortCut(Message))
        Message.Result = 1;
    else
        Inherited<TCustomControl>(Message);
}

#include "Control.h"

#include <windowsx.h>

#include "Application.h"
#include "ControlActionLink.h"
#include "ControlCanvas.h"
#include "DragDrop.h"
#include "Form.h"
#include "Mouse.h"
#include "Screen.h"
#include "WinControl.h"

// ---- shift state ----

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState s;
    if (keys & MK_SHIFT) s += ssShift;
    if (keys & MK_CONTROL) s += ssCtrl;
    if (keys & MK_LBUTTON) s += ssLeft;
    if (keys & MK_RBUTTON) s += ssRight;
    if (keys & MK_MBUTTON) s += ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s += ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s += ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s += ssCtrl;
    if (keyData & 0x20000000) s += ssAlt;  // context code: Alt is down
    return s;
}

TShiftState GetShiftState() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s += ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s += ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s += ssAlt;
    if (GetKeyState(VK_LBUTTON) < 0) s += ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) s += ssRight;
    if (GetKeyState(VK_MBUTTON) < 0) s += ssMiddle;
    return s;
}

// ---- size constraints ----

void TSizeConstraints::SetMaxHeight(TConstraintSize v) {
    if (v == maxHeight_) return;
    maxHeight_ = v;
    if (v > 0 && v < minHeight_) minHeight_ = v;
    Change();
}
void TSizeConstraints::SetMaxWidth(TConstraintSize v) {
    if (v == maxWidth_) return;
    maxWidth_ = v;
    if (v > 0 && v < minWidth_) minWidth_ = v;
    Change();
}
void TSizeConstraints::SetMinHeight(TConstraintSize v) {
    if (v == minHeight_) return;
    minHeight_ = v;
    if (maxHeight_ > 0 && v > maxHeight_) maxHeight_ = v;
    Change();
}
void TSizeConstraints::SetMinWidth(TConstraintSize v) {
    if (v == minWidth_) return;
    minWidth_ = v;
    if (maxWidth_ > 0 && v > maxWidth_) maxWidth_ = v;
    Change();
}

void TSizeConstraints::Assign(TPersistent* source) {
    if (auto* s = As<TSizeConstraints>(source)) {
        minHeight_ = s->minHeight_;
        maxHeight_ = s->maxHeight_;
        minWidth_ = s->minWidth_;
        maxWidth_ = s->maxWidth_;
        Change();
        return;
    }
    TPersistent::Assign(source);
}

TPersistent* TSizeConstraints::GetOwner() const { return control_; }

void TSizeConstraints::Apply(int& width, int& height) const {
    if (minWidth_ > 0 && width < minWidth_) width = minWidth_;
    if (maxWidth_ > 0 && width > maxWidth_) width = maxWidth_;
    if (minHeight_ > 0 && height < minHeight_) height = minHeight_;
    if (maxHeight_ > 0 && height > maxHeight_) height = maxHeight_;
}

void TSizeConstraints::Change() {
    if (OnChange) OnChange(this);
}

// ---- TControl: construction ----

const TMessageMap& TControl::StaticMessageMap() {
    static const TMessageMap map(
        nullptr,
        MessageEntries<Z_MESSAGE(WM_LBUTTONDOWN, WMLButtonDown), Z_MESSAGE(WM_RBUTTONDOWN, WMRButtonDown),
                       Z_MESSAGE(WM_MBUTTONDOWN, WMMButtonDown), Z_MESSAGE(WM_LBUTTONDBLCLK, WMLButtonDblClk),
                       Z_MESSAGE(WM_RBUTTONDBLCLK, WMRButtonDblClk), Z_MESSAGE(WM_MBUTTONDBLCLK, WMMButtonDblClk),
                       Z_MESSAGE(WM_LBUTTONUP, WMLButtonUp), Z_MESSAGE(WM_RBUTTONUP, WMRButtonUp),
                       Z_MESSAGE(WM_MBUTTONUP, WMMButtonUp), Z_MESSAGE(WM_MOUSEMOVE, WMMouseMove),
                       Z_MESSAGE(WM_MOUSEWHEEL, WMMouseWheel), Z_MESSAGE(WM_CANCELMODE, WMCancelMode),
                       Z_MESSAGE(WM_CONTEXTMENU, WMContextMenu), Z_MESSAGE(CM_MOUSEWHEEL, CMMouseWheel),
                       Z_MESSAGE(CM_MOUSEENTER, CMMouseEnter), Z_MESSAGE(CM_MOUSELEAVE, CMMouseLeave),
                       Z_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged), Z_MESSAGE(CM_VISIBLECHANGED, CMVisibleChanged),
                       Z_MESSAGE(CM_FONTCHANGED, CMFontChanged), Z_MESSAGE(CM_COLORCHANGED, CMColorChanged),
                       Z_MESSAGE(CM_TEXTCHANGED, CMTextChanged), Z_MESSAGE(CM_PARENTFONTCHANGED, CMParentFontChanged),
                       Z_MESSAGE(CM_PARENTCOLORCHANGED, CMParentColorChanged),
                       Z_MESSAGE(CM_PARENTSHOWHINTCHANGED, CMParentShowHintChanged),
                       Z_MESSAGE(CM_SYSCOLORCHANGE, CMSysColorChange), Z_MESSAGE(CM_HINTSHOW, CMHintShow),
                       Z_MESSAGE(CM_DRAG, CMDrag)>());
    return map;
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks},
      constraints_(new TSizeConstraints(this)),
      font_(new TFont()),
      windowProc_(MakeEvent(this, &TControl::WndProc)) {
    constraints_->OnChange = MakeEvent(this, &TControl::ConstraintsChanged);
    font_->OnChange = MakeEvent(this, &TControl::FontChanged);
}

TControl::~TControl() {
    NotifyControlDestroyed(this);
    delete actionLink_;
    actionLink_ = nullptr;
    if (parent_) parent_->RemoveControl(this);
    delete font_;
    delete constraints_;
}

bool TControl::IsLoading() const { return ComponentState().Contains(csLoading); }
bool TControl::IsDestroying() const { return ComponentState().Contains(csDestroying); }

void TControl::Loaded() {
    TComponent::Loaded();
    if (TBasicAction* action = Action()) ActionChange(action, true);
    UpdateAnchorRules();
    RequestAlign();
}

// ---- TControl: messages ----

LRESULT TControl::Perform(Cardinal Msg, WPARAM WParam, LPARAM LParam) {
    TMessage m{Msg, WParam, LParam, 0};
    windowProc_(m);
    return m.Result;
}

void TControl::Dispatch(TMessage& Message) {
    if (TMessageHandler h = MessageMap().Find(Message.Msg))
        (this->*h)(Message);
    else
        DefaultHandler(Message);
}

void TControl::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETTEXTLENGTH:
            Message.Result = LRESULT(text_.size());
            break;
        case WM_GETTEXT: {
            if (Message.WParam == 0) break;
            size_t n = std::min(text_.size(), size_t(Message.WParam) - 1);
            auto* out = reinterpret_cast<wchar_t*>(Message.LParam);
            text_.copy(out, n);
            out[n] = 0;
            Message.Result = LRESULT(n);
            break;
        }
        case WM_SETTEXT:
            text_ = reinterpret_cast<const wchar_t*>(Message.LParam);
            Message.Result = 1;
            break;
        default:
            break;
    }
}

void TControl::WndProc(TMessage& Message) {
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL &&
        Message.Msg != WM_MOUSEHWHEEL) {
        if (!HasStyle(csDoubleClicks)) {
            switch (Message.Msg) {
                case WM_LBUTTONDBLCLK:
                case WM_RBUTTONDBLCLK:
                case WM_MBUTTONDBLCLK:
                    Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
                    break;
            }
        }
        switch (Message.Msg) {
            case WM_MOUSEMOVE:
                if (Application) Application->HintMouseMessage(this, Message);
                break;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                if (dragMode_ == dmAutomatic && dragKind_ == dkDrag && !DragObject()) {
                    // The press starts the drag instead of reaching the mouse handlers.
                    BeginDrag(Mouse && Mouse->DragImmediate(), -1);
                    return;
                }
                IncludeState(csLButtonDown);
                break;
            case WM_LBUTTONUP:
                ExcludeState(csLButtonDown);
                break;
        }
    }
    Dispatch(Message);
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift) {
    if (HasStyle(csNoStdEvents)) return;
    TPoint p = MessagePoint(Message.LParam);
    MouseDown(Button, KeysToShiftState(Message.WParam) + Shift, p.x, p.y);
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button) {
    if (HasStyle(csNoStdEvents)) return;
    TPoint p = MessagePoint(Message.LParam);
    MouseUp(Button, KeysToShiftState(Message.WParam), p.x, p.y);
}

namespace {
// Tells the control that has the capture to give it up before another one takes the mouse.
void SendCancelMode(TControl* sender) {
    TControl* capture = GetCaptureControl();
    if (capture && capture != sender) capture->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(sender));
}
}  // namespace

void TControl::WMLButtonDown(TMessage& Message) {
    SendCancelMode(this);
    DefaultHandler(Message);
    if (HasStyle(csCaptureMouse)) SetMouseCapture(true);
    if (HasStyle(csClickEvents)) IncludeState(csClicked);
    DoMouseDown(Message, mbLeft, {});
}
void TControl::WMRButtonDown(TMessage& Message) {
    DefaultHandler(Message);
    DoMouseDown(Message, mbRight, {});
}
void TControl::WMMButtonDown(TMessage& Message) {
    DefaultHandler(Message);
    DoMouseDown(Message, mbMiddle, {});
}
void TControl::WMLButtonDblClk(TMessage& Message) {
    SendCancelMode(this);
    DefaultHandler(Message);
    if (HasStyle(csCaptureMouse)) SetMouseCapture(true);
    if (HasStyle(csClickEvents)) DblClick();
    DoMouseDown(Message, mbLeft, {ssDouble});
}
void TControl::WMRButtonDblClk(TMessage& Message) {
    DefaultHandler(Message);
    DoMouseDown(Message, mbRight, {ssDouble});
}
void TControl::WMMButtonDblClk(TMessage& Message) {
    DefaultHandler(Message);
    DoMouseDown(Message, mbMiddle, {ssDouble});
}
void TControl::WMLButtonUp(TMessage& Message) {
    DefaultHandler(Message);
    if (HasStyle(csCaptureMouse)) SetMouseCapture(false);
    if (InState(csClicked)) {
        ExcludeState(csClicked);
        TPoint p = MessagePoint(Message.LParam);
        TRect r = ClientRect();
        if (PtInRect(&r, p)) Click();
    }
    DoMouseUp(Message, mbLeft);
}
void TControl::WMRButtonUp(TMessage& Message) {
    DefaultHandler(Message);
    DoMouseUp(Message, mbRight);
}
void TControl::WMMButtonUp(TMessage& Message) {
    DefaultHandler(Message);
    DoMouseUp(Message, mbMiddle);
}
void TControl::WMMouseMove(TMessage& Message) {
    DefaultHandler(Message);
    if (HasStyle(csNoStdEvents)) return;
    TPoint p = MessagePoint(Message.LParam);
    MouseMove(KeysToShiftState(Message.WParam), p.x, p.y);
}

void TControl::WMMouseWheel(TMessage& Message) {
    // Re-packed as CM_MOUSEWHEEL: shift state low, delta high, screen position in lParam.
    TShiftState shift = KeysToShiftState(GET_KEYSTATE_WPARAM(Message.WParam));
    TMessage wheel{CM_MOUSEWHEEL, MAKEWPARAM(Word(shift.Bits()), Word(GET_WHEEL_DELTA_WPARAM(Message.WParam))),
                   Message.LParam, 0};
    MouseWheelHandler(wheel);
    Message.Result = wheel.Result;
    if (Message.Result == 0) DefaultHandler(Message);
}

void TControl::MouseWheelHandler(TMessage& Message) {
    TCustomForm* form = GetParentForm();
    if (form && static_cast<TControl*>(form) != this)
        form->MouseWheelHandler(Message);
    else
        Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

void TControl::CMMouseWheel(TMessage& Message) {
    TShiftState shift = TShiftState::FromBits(LOWORD(Message.WParam));
    int delta = SmallInt(HIWORD(Message.WParam));
    Message.Result = 0;
    if (DoMouseWheel(shift, delta, MessagePoint(Message.LParam)))
        Message.Result = 1;
    else if (parent_)
        Message.Result = parent_->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
}

void TControl::WMCancelMode(TMessage& Message) {
    DefaultHandler(Message);
    if (MouseCapture()) SetMouseCapture(false);
}

void TControl::WMContextMenu(TMessage& Message) {
    if (Message.Result != 0) return;
    TPoint pos = MessagePoint(Message.LParam);
    bool fromKeyboard = pos.x == -1 && pos.y == -1;
    TPoint client = fromKeyboard ? TPoint{-1, -1} : ScreenToClient(pos);
    bool handled = false;
    DoContextPopup(client, handled);
    if (handled) {
        Message.Result = 1;
        return;
    }
    if (popupMenu_ && popupMenu_->AutoPopup()) {
        if (fromKeyboard) pos = ClientToScreen(TPoint{0, 0});
        SendCancelMode(nullptr);
        popupMenu_->SetPopupComponent(this);
        popupMenu_->Popup(pos.x, pos.y);
        Message.Result = 1;
        return;
    }
    // The window class passes the request on to the parent window.
    DefaultHandler(Message);
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

void TControl::CMMouseEnter(TMessage& Message) {
    if (parent_) parent_->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
    if (Message.LParam == 0) MouseEnter();
}

void TControl::CMMouseLeave(TMessage& Message) {
    if (parent_) parent_->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
    if (Message.LParam == 0) MouseLeave();
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMVisibleChanged(TMessage& Message) { InvalidateControl(Message.WParam != 0, HasStyle(csOpaque)); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMTextChanged(TMessage&) { Invalidate(); }
void TControl::CMParentFontChanged(TMessage&) { ParentFontChanged(); }
void TControl::CMParentColorChanged(TMessage&) { ParentColorChanged(); }
void TControl::CMParentShowHintChanged(TMessage&) {
    if (parentShowHint_ && parent_) {
        showHint_ = parent_->ShowHint();
    }
}
void TControl::CMSysColorChange(TMessage&) {}
void TControl::CMHintShow(TMessage&) {}

// ---- TControl: mouse and keyboard ----

void TControl::DoClick() {
    // OnClick, unless it is the action's own handler: then the action runs (once).
    TBasicAction* action = Action();
    if (OnClick && (!action || !(OnClick == action->OnExecute())))
        OnClick(this);
    else if (action)
        actionLink_->Execute(this);
    else if (OnClick)
        OnClick(this);
}
void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

namespace {
TControl* captureControl = nullptr;
}

TControl* GetCaptureControl() {
    HWND capture = GetCapture();
    if (!capture) {
        captureControl = nullptr;
        return nullptr;
    }
    TWinControl* owner = FindControl(capture);
    if (captureControl && owner && captureControl->Parent() == owner) return captureControl;
    return owner;
}

void SetCaptureControl(TControl* control) {
    ReleaseCapture();
    captureControl = nullptr;
    if (!control) return;
    if (auto* win = As<TWinControl>(control)) {
        SetCapture(win->Handle());
        return;
    }
    if (control->Parent()) {
        captureControl = control;
        SetCapture(control->Parent()->Handle());
    }
}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool v) {
    if (MouseCapture() == v) return;
    SetCaptureControl(v ? this : nullptr);
}

// ---- TControl: parent, bounds and alignment ----

void TControl::SetParent(TWinControl* AParent) {
    if (parent_ == AParent) return;
    if (AParent == this) throw EInvalidOperation(L"A control cannot have itself as its parent");
    if (parent_) parent_->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* Value) {
    if (auto* p = As<TWinControl>(Value)) SetParent(p);
}

void TControl::ConstrainedResize(int& AWidth, int& AHeight) { constraints_->Apply(AWidth, AHeight); }

void TControl::ConstraintsChanged(TObject*) { SetBounds(left_, top_, width_, height_); }

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    ConstrainedResize(AWidth, AHeight);
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
    bool resized = AWidth != width_ || AHeight != height_;
    InvalidateControl(Visible(), false);
    SetBoundsQuiet(ALeft, ATop, AWidth, AHeight);
    UpdateAnchorRules();
    Invalidate();
    RequestAlign();
    if (resized && !IsLoading()) Resize();
}

TRect TControl::ClientRect() const { return TRect{0, 0, width_, height_}; }

void TControl::SetClientWidth(int v) { SetWidth(v); }
void TControl::SetClientHeight(int v) { SetHeight(v); }
void TControl::SetClientSize(int w, int h) {
    SetClientWidth(w);
    SetClientHeight(h);
}

TPoint TControl::ClientOrigin() const {
    if (!parent_) throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
    TPoint p = parent_->ClientOrigin();
    return TPoint{p.x + left_, p.y + top_};
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint o = ClientOrigin();
    return TPoint{p.x + o.x, p.y + o.y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint o = ClientOrigin();
    return TPoint{p.x - o.x, p.y - o.y};
}

TPoint TControl::ClientToParent(TPoint p, TWinControl* AParent) const {
    if (!AParent) AParent = parent_;
    if (!AParent) throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
    const TControl* c = this;
    while (c && c != AParent) {
        p.x += c->left_;
        p.y += c->top_;
        c = c->parent_;
    }
    if (!c) throw EInvalidOperation(L"'" + AParent->Name() + L"' is not a parent of '" + Name() + L"'");
    return p;
}

void TControl::SetAlign(TAlign v) {
    if (align_ == v) return;
    TAlign old = align_;
    align_ = v;
    anchors_ = TAnchors{akLeft, akTop};
    if (old == alNone || v == alNone) UpdateAnchorRules();
    RequestAlign();
}

void TControl::SetAnchors(TAnchors v) {
    if (anchors_ == v) return;
    anchors_ = v;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
    if (!parent_ || parent_->aligning_) return;
    TRect r = parent_->ClientRect();
    anchorRight_ = RectWidth(r) - (left_ + width_);
    anchorBottom_ = RectHeight(r) - (top_ + height_);
    anchorsValid_ = true;
}

void TControl::RequestAlign() {
    if (parent_) parent_->Realign();
}

// ---- TControl: state and appearance ----

void TControl::SetVisible(bool v) {
    if (visible_ == v) return;
    VisibleChanging();
    visible_ = v;
    Perform(CM_VISIBLECHANGED, v ? 1 : 0);
    RequestAlign();
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool v) {
    if (enabled_ == v) return;
    enabled_ = v;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor v) {
    if (color_ == v) return;
    color_ = v;
    parentColor_ = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
    if (parentColor_ == v) return;
    parentColor_ = v;
    if (parent_ && v) ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!parentColor_ || !parent_) return;
    TColor c = parent_->Color();
    if (c == color_) return;
    color_ = c;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentFont(bool v) {
    if (parentFont_ == v) return;
    parentFont_ = v;
    if (parent_ && v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parentFont_ || !parent_) return;
    // Assign fires FontChanged, which would clear ParentFont; keep it set.
    font_->Assign(parent_->Font());
    parentFont_ = true;
}

void TControl::FontChanged(TObject*) {
    parentFont_ = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetCursor(TCursor v) {
    if (cursor_ == v) return;
    cursor_ = v;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool v) {
    if (showHint_ == v) return;
    showHint_ = v;
    parentShowHint_ = false;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool v) {
    if (parentShowHint_ == v) return;
    parentShowHint_ = v;
    if (v) Perform(CM_PARENTSHOWHINTCHANGED);
}

String TControl::GetText() const { return text_; }

void TControl::SetText(const String& v) {
    if (GetText() == v) return;
    SetTextBuf(v);
    Perform(CM_TEXTCHANGED);
}

// ---- TControl: painting ----

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
    if (!parent_ || !parent_->HandleAllocated() || !(IsVisible || visible_)) return;
    TRect r = BoundsRect();
    InvalidateRect(parent_->WindowHandle(), &r, !IsOpaque);
}

void TControl::Invalidate() { InvalidateControl(Visible(), HasStyle(csOpaque)); }

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::Repaint() {
    if (!Showing() || !parent_->HandleAllocated()) return;
    if (HasStyle(csOpaque)) {
        HDC dc = GetDC(parent_->WindowHandle());
        int saved = SaveDC(dc);
        IntersectClipRect(dc, left_, top_, left_ + width_, top_ + height_);
        parent_->PaintControls(dc, this);
        RestoreDC(dc, saved);
        ReleaseDC(parent_->WindowHandle(), dc);
    } else {
        Invalidate();
        Update();
    }
}

void TControl::BringToFront() {
    if (parent_) parent_->SetChildOrder(this, parent_->ControlCount() - 1);
}

void TControl::SendToBack() {
    if (parent_) parent_->SetChildOrder(this, 0);
}

TCustomForm* TControl::GetParentForm() const {
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    return As<TCustomForm>(const_cast<TControl*>(c));
}

// ---- TGraphicControl ----

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), canvas_(new TControlCanvas(this)) {}

TGraphicControl::~TGraphicControl() { delete canvas_; }

void TGraphicControl::WMPaint(TMessage& Message) {
    if (Message.WParam == 0) return;
    TCanvasPaintScope scope(canvas_, reinterpret_cast<HDC>(Message.WParam));
    Paint();
}

// ---- helpers ----

TControl* FindDragTarget(TPoint screenPos, bool allowDisabled) {
    HWND window = WindowFromPoint(screenPos);
    if (!window) return nullptr;
    TWinControl* control = FindControl(window);
    if (!control) return nullptr;
    TControl* result = control;
    TControl* child = control->ControlAtPos(control->ScreenToClient(screenPos), allowDisabled);
    if (child) result = child;
    return result;
}

// ---- TControl: popup menu and action ----

void TControl::SetPopupMenu(TPopupMenu* v) {
    if (popupMenu_ == v) return;
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = v;
    if (v) v->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == popupMenu_) popupMenu_ = nullptr;
    if (actionLink_ && AComponent == actionLink_->Action()) SetAction(nullptr);
}

TBasicAction* TControl::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

TClass TControl::GetActionLinkClass() const { return TControlActionLink::StaticClass(); }

void TControl::SetAction(TBasicAction* v) {
    if (v == Action()) return;
    if (!v) {
        delete actionLink_;
        actionLink_ = nullptr;
        controlStyle_ -= csActionClient;
        return;
    }
    if (!actionLink_) {
        TBasicActionLink* link = NewActionLink(GetActionLinkClass(), this);
        actionLink_ = As<TControlActionLink>(link);
        if (!actionLink_) {
            FreeObject(link);
            throw EInvalidCast(ClassName() + L" needs a control action link");
        }
        actionLink_->OnChange = MakeEvent(this, &TControl::DoActionChange);
    }
    actionLink_->SetAction(v);
    ActionChange(v, v->ComponentState().Contains(csLoading));
    v->FreeNotification(this);
    controlStyle_ += csActionClient;
}

void TControl::DoActionChange(TObject* Sender) {
    if (Sender == Action()) ActionChange(Sender, false);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
    auto* action = As<TCustomAction>(Sender);
    if (!action) return;
    if (!CheckDefaults || Caption().empty()) SetCaption(action->Caption());
    if (!CheckDefaults || Enabled()) SetEnabled(action->Enabled());
    if (!CheckDefaults || Hint().empty()) SetHint(action->Hint());
    if (!CheckDefaults || Visible()) SetVisible(action->Visible());
    if (!CheckDefaults || !OnClick) OnClick = action->OnExecute();
}

void TControl::InitiateAction() {
    if (actionLink_) actionLink_->Update();
}

bool TControl::IsCaptionStored() const { return !actionLink_ || !actionLink_->IsCaptionLinked(); }
bool TControl::IsEnabledStored() const { return !actionLink_ || !actionLink_->IsEnabledLinked(); }
bool TControl::IsHintStored() const { return !actionLink_ || !actionLink_->IsHintLinked(); }
bool TControl::IsVisibleStored() const { return !actionLink_ || !actionLink_->IsVisibleLinked(); }
bool TControl::IsOnClickStored() const { return !actionLink_ || !actionLink_->IsOnExecuteLinked(); }

// ---- TControl: drag and drop ----

void TControl::BeginDrag(bool Immediate, int Threshold) {
    if (dragKind_ != dkDrag || DragObject()) return;
    if (Threshold < 0) Threshold = Mouse ? Mouse->DragThreshold() : 5;
    StartDragOf(this, Immediate, Threshold);
}

void TControl::EndDrag(bool Drop) {
    if (Dragging()) FinishDrag(Drop);
}

bool TControl::Dragging() const { return DragSourceControl() == this; }

void TControl::DoStartDrag(TDragObject*& DragObject) {
    if (OnStartDrag) OnStartDrag(this, DragObject);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    Accept = false;
    if (OnDragOver) {
        Accept = true;
        OnDragOver(this, Source, X, Y, State, Accept);
    }
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
    if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
    if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

void TControl::CMDrag(TMessage& Message) {
    auto* drag = reinterpret_cast<TDragRec*>(Message.LParam);
    TPoint p = ScreenToClient(drag->Pos);
    TObject* source = DragSourceObject(drag->Source);
    static const TDragState states[] = {dsDragEnter, dsDragLeave, dsDragMove};
    switch (Message.WParam) {
        case dmDragEnter:
        case dmDragLeave:
        case dmDragMove: {
            bool accept = false;
            DragOver(source, p.x, p.y, states[Message.WParam], accept);
            Message.Result = accept ? 1 : 0;
            break;
        }
        case dmDragDrop:
            DragDrop(source, p.x, p.y);
            break;
    }
}

#include "WinControl.h"

#include <algorithm>

#include "Application.h"
#include "CallbackBarrier.h"
#include "Docking.h"
#include "DragDrop.h"
#include "Form.h"
#include "Screen.h"

// Sections: binding windows to objects; construction; the window's life; children and
// alignment; focus; painting; keyboard; other messages.

// ---- binding windows to objects ----

namespace {

const wchar_t kControlProp[] = L"ZarnikControl";
// The control whose window is being created on this thread; its window binds to it on the first
// message, before CreateWindowEx returns.
thread_local TWinControl* creationControl = nullptr;

}  // namespace

TWinControl* FindControl(HWND hwnd) {
    if (!hwnd) return nullptr;
    return static_cast<TWinControl*>(GetPropW(hwnd, kControlProp));
}

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = FindControl(window);
    if (!control && creationControl) {
        control = creationControl;
        creationControl = nullptr;
        control->handle_ = window;
        SetPropW(window, kControlProp, control);
    }
    if (!control) return DefWindowProcW(window, message, wParam, lParam);
    return CallbackBarrier(LRESULT(0), [&]() -> LRESULT {
        TMessage m{message, wParam, lParam, 0};
        TWndMethod proc = control->WindowProc();
        proc(m);
        return m.Result;
    });
}

// ---- construction ----

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    if (parent_) parent_->RemoveControl(this);
    if (handle_) DestroyWindowHandle();
    delete dockManager_;
    dockManager_ = nullptr;
    // Children that are still here go with their parent.
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveControl(child);
        FreeObject(child);
    }
    if (brush_) DeleteObject(brush_);
}

HBRUSH TWinControl::Brush() {
    if (!brush_ || brushColor_ != Color()) {
        if (brush_) DeleteObject(brush_);
        brushColor_ = Color();
        brush_ = CreateSolidBrush(COLORREF(ColorToRGB(brushColor_)));
    }
    return brush_;
}

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
}

void TWinControl::Notification(TComponent* AComponent, TOperation Operation) {
    TControl::Notification(AComponent, Operation);
}

// ---- the window's life ----

HWND TWinControl::Handle() {
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded() {
    if (handle_) return;
    if (parent_) parent_->HandleNeeded();
    CreateHandle();
}

void TWinControl::CreateHandle() {
    if (handle_) return;
    CreateWnd();
    if (parent_) {
        // Keep the window's z-order the same as the order of the children.
        HWND after = HWND_TOP;
        for (TControl* c : parent_->controls_) {
            if (c == this) break;
            if (auto* w = As<TWinControl>(c); w && w->handle_) after = w->handle_;
        }
        SetWindowPos(handle_, after == HWND_TOP ? HWND_BOTTOM : after, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (TControl* c : controls_) c->UpdateAnchorRules();
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params = TCreateParams{};
    Params.Caption = text_;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (HasStyle(csAcceptsControls)) {
        Params.Style |= WS_CLIPCHILDREN;
        Params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!Enabled()) Params.Style |= WS_DISABLED;
    if (tabStop_) Params.Style |= WS_TABSTOP;
    Params.X = left_;
    Params.Y = top_;
    Params.Width = width_;
    Params.Height = height_;
    Params.WndParent = parent_ ? parent_->Handle() : parentWindow_;
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WindowClass.lpfnWndProc = &DefWindowProcW;
    Params.WindowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    Params.WindowClass.hInstance = GetModuleHandleW(nullptr);
    Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const wchar_t* controlClassName) {
    WNDCLASSW info;
    if (!GetClassInfoW(nullptr, controlClassName, &info)) RaiseLastOSError();
    info.hInstance = Params.WindowClass.hInstance;
    Params.WindowClass = info;
}

void TWinControl::RegisterWindowClass(TCreateParams& Params) {
    WNDCLASSW existing;
    HINSTANCE instance = Params.WindowClass.hInstance;
    bool registered = GetClassInfoW(instance, Params.WinClassName.c_str(), &existing);
    if (registered && existing.lpfnWndProc == &ControlWindowProc) return;
    if (registered) UnregisterClassW(Params.WinClassName.c_str(), instance);
    WNDCLASSW cls = Params.WindowClass;
    cls.lpfnWndProc = &ControlWindowProc;
    cls.lpszClassName = Params.WinClassName.c_str();
    if (!RegisterClassW(&cls)) RaiseLastOSError();
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if (!params.WndParent && (params.Style & WS_CHILD))
        throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
    defWndProc_ = params.WindowClass.lpfnWndProc;
    RegisterWindowClass(params);
    CreateWindowHandle(params);
    if (!handle_) RaiseLastOSError();
    UpdateBounds();
    ::SendMessageW(handle_, WM_SETFONT, WPARAM(font_->Handle()), 1);
}

namespace {
// An identifier that no child of parent uses yet. Owner-drawn system controls are measured
// through WM_MEASUREITEM, which names the control only by its identifier.
HMENU FreeChildId(HWND parent) {
    static UINT_PTR next = 0;
    do {
        next = next % 0xFFFE + 1;
    } while (GetDlgItem(parent, int(next)));
    return reinterpret_cast<HMENU>(next);
}
}  // namespace

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
    HMENU id = (Params.Style & WS_CHILD) && Params.WndParent ? FreeChildId(Params.WndParent) : nullptr;
    creationControl = this;
    HWND window = CreateWindowExW(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                                  Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, id,
                                  Params.WindowClass.hInstance, Params.Param);
    DWORD error = GetLastError();
    creationControl = nullptr;
    if (!window) {
        handle_ = nullptr;
        RaiseLastOSError(error);
    }
    handle_ = window;
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    for (TControl* c : controls_)
        if (auto* w = As<TWinControl>(c)) w->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    // The window keeps the text while it exists; keep it for the next window.
    text_ = GetText();
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    IncludeState(csDestroyingHandle);
    HWND window = handle_;
    if (window) DestroyWindow(window);
    ExcludeState(csDestroyingHandle);
    handle_ = nullptr;
    showing_ = false;
}

void TWinControl::WMNCDestroy(TMessage& Message) {
    Inherited<TControl>(Message);
    if (handle_) RemovePropW(handle_, kControlProp);
    handle_ = nullptr;
    showing_ = false;
}

void TWinControl::RecreateWnd() {
    if (handle_) Perform(CM_RECREATEWND);
}

void TWinControl::CMRecreateWnd(TMessage&) {
    bool wasFocused = Focused();
    DestroyHandle();
    UpdateControlState();
    if (wasFocused && handle_) ::SetFocus(handle_);
}

void TWinControl::SetParentWindow(HWND v) {
    if (parent_ || parentWindow_ == v) return;
    if (handle_ && parentWindow_ && v) {
        ::SetParent(handle_, v);
    } else {
        DestroyHandle();
    }
    parentWindow_ = v;
    UpdateControlState();
}

void TWinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SETFOCUS:
            if (TCustomForm* form = GetParentForm()) {
                if (!form->SetFocusedControl(this)) return;
            }
            break;
        case WM_KILLFOCUS:
            if (InState(csFocusing)) return;
            break;
        default:
            if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL &&
                Message.Msg != WM_MOUSEHWHEEL) {
                // Mouse messages over a windowless child (or the one that has the capture) go to it.
                TControl* target = nullptr;
                TControl* capture = GetCaptureControl();
                if (GetCapture() == handle_) {
                    if (capture && capture != this && capture->Parent() == this) target = capture;
                } else {
                    target = ControlAtPos(MessagePoint(Message.LParam), false);
                }
                if (target) {
                    TPoint p = MessagePoint(Message.LParam);
                    p.x -= target->Left();
                    p.y -= target->Top();
                    Message.Result = target->Perform(Message.Msg, Message.WParam, PointToLParam(p));
                    if (Message.Result == 0) DefaultHandler(Message);
                    return;
                }
                if (Message.Msg == WM_MOUSEMOVE && !trackingLeave_ && handle_) {
                    // Ask for WM_MOUSELEAVE so that leaving for a foreign window is noticed.
                    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle_, 0};
                    if (TrackMouseEvent(&track)) trackingLeave_ = true;
                }
            }
            break;
    }
    TControl::WndProc(Message);
}

void TWinControl::DefaultHandler(TMessage& Message) {
    if (!handle_) {
        TControl::DefaultHandler(Message);
        return;
    }
    if (Message.Msg >= CN_CTLCOLORMSGBOX && Message.Msg <= CN_CTLCOLORSTATIC) {
        // A system control asks its parent how to colour it: in this control's font and colour.
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        SetTextColor(dc, COLORREF(ColorToRGB(font_->Color())));
        SetBkColor(dc, COLORREF(ColorToRGB(Color())));
        Message.Result = reinterpret_cast<LRESULT>(Brush());
        return;
    }
    if (Message.Msg >= CM_BASE) {
        // Library messages mean nothing to the window class.
        return;
    }
    Message.Result = CallWindowProcW(defWndProc_, handle_, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::WMMouseLeave(TMessage& Message) {
    trackingLeave_ = false;
    if (Application) Application->CheckMouseControl();
    Inherited<TControl>(Message);
}

// ---- showing ----

void TWinControl::UpdateShowing() {
    bool show = Visible() && !InState(csReadingState);
    if (show) {
        if (!handle_) CreateHandle();
        for (TControl* c : std::vector<TControl*>(controls_))
            if (auto* w = As<TWinControl>(c)) w->UpdateShowing();
    }
    if (handle_ && showing_ != show) {
        showing_ = show;
        try {
            Perform(CM_SHOWINGCHANGED);
        } catch (...) {
            showing_ = !show;
            throw;
        }
    }
}

void TWinControl::UpdateControlState() {
    TWinControl* top = this;
    while (top->parent_) {
        top = top->parent_;
        if (!top->Showing()) return;
    }
    if (Is<TCustomForm>(top) || top->parentWindow_) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
    static const UINT flags[2] = {SWP_HIDEWINDOW, SWP_SHOWWINDOW};
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 flags[showing_ ? 1 : 0] | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::CMVisibleChanged(TMessage& Message) {
    if (!Visible() && parent_) {
        // A hidden control cannot keep the focus.
        if (TCustomForm* form = GetParentForm();
            form && form->ActiveControl() && (form->ActiveControl() == this || ContainsControl(form->ActiveControl())))
            form->DefocusControl(this, true);
    }
    UpdateControlState();
    Inherited<TControl>(Message);
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
    if (!Enabled() && parent_) {
        if (TCustomForm* form = GetParentForm(); form && form->ActiveControl() == this)
            form->DefocusControl(this, false);
    }
    if (handle_) EnableWindow(handle_, Enabled());
    Inherited<TControl>(Message);
}

void TWinControl::SetParent(TWinControl* AParent) {
    if (parent_ == AParent) return;
    if (handle_ && AParent == nullptr && !parentWindow_) DestroyHandle();
    TControl::SetParent(AParent);
    if (handle_ && AParent) {
        ::SetParent(handle_, AParent->Handle());
        SetWindowPos(handle_, nullptr, left_, top_, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    UpdateControlState();
}

// ---- children and alignment ----

void TWinControl::InsertControl(TControl* AControl) {
    AControl->parent_ = this;
    controls_.push_back(AControl);
    if (auto* w = As<TWinControl>(AControl)) tabList_.push_back(w);
    if (AControl->ParentFont()) AControl->ParentFontChanged();
    if (AControl->ParentColor()) AControl->ParentColorChanged();
    if (auto* w = As<TWinControl>(AControl); w && w->parentCtl3D_) w->Perform(CM_PARENTCTL3DCHANGED);
    AControl->UpdateAnchorRules();
    Perform(CM_CONTROLLISTCHANGE, WPARAM(AControl), 1);
    Realign();
    AControl->Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
    auto it = std::find(controls_.begin(), controls_.end(), AControl);
    if (it == controls_.end()) return;
    if (TCustomForm* form = GetParentForm()) form->ControlRemoved(AControl);
    AControl->Invalidate();
    controls_.erase(it);
    RemoveDockClient(AControl);
    if (auto* w = As<TWinControl>(AControl)) {
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
        if (w->handle_ && !IsDestroying()) w->DestroyHandle();
    }
    AControl->parent_ = nullptr;
    Perform(CM_CONTROLLISTCHANGE, WPARAM(AControl), 0);
    Realign();
}

bool TWinControl::ContainsControl(const TControl* AControl) const {
    for (const TControl* c = AControl; c; c = c->parent_)
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!allowWinControls && Is<TWinControl>(c)) continue;
        if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
        TRect r = c->BoundsRect();
        if (PtInRect(&r, pos)) return c;
    }
    return nullptr;
}

void TWinControl::SetChildOrder(TControl* child, int order) {
    auto it = std::find(controls_.begin(), controls_.end(), child);
    if (it == controls_.end()) return;
    controls_.erase(it);
    order = std::clamp(order, 0, int(controls_.size()));
    controls_.insert(controls_.begin() + order, child);
    if (auto* w = As<TWinControl>(child); w && w->handle_) {
        HWND after = HWND_BOTTOM;
        for (int i = order + 1; i < int(controls_.size()); ++i)
            if (auto* n = As<TWinControl>(controls_[size_t(i)]); n && n->handle_) {
                after = GetWindow(n->handle_, GW_HWNDPREV);
                if (!after) after = HWND_TOP;
                break;
            }
        if (order == int(controls_.size()) - 1) after = HWND_TOP;
        SetWindowPos(w->handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    child->Invalidate();
}

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0 && --alignDisabled_ == 0 && alignPending_) Realign();
}

void TWinControl::Realign() {
    if (aligning_) return;
    if (alignDisabled_ > 0 || IsLoading() || IsDestroying()) {
        alignPending_ = true;
        return;
    }
    alignPending_ = false;
    AlignAll();
}

void TWinControl::AlignAll() {
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    aligning_ = true;
    try {
        AlignControls(nullptr, rect);
        if (dockManager_) dockManager_->ResetBounds(false);
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
}

void TWinControl::AlignControls(TControl*, TRect& rect) {
    TRect client = ClientRect();
    // Anchored children keep their distances to the edges they are anchored to.
    for (TControl* c : controls_) {
        if (c->Align() != alNone || !c->anchorsValid_) continue;
        TAnchors a = c->Anchors();
        int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
        if (a.Contains(akRight)) {
            if (a.Contains(akLeft))
                w = RectWidth(client) - l - c->anchorRight_;
            else
                l = RectWidth(client) - w - c->anchorRight_;
        }
        if (a.Contains(akBottom)) {
            if (a.Contains(akTop))
                h = RectHeight(client) - t - c->anchorBottom_;
            else
                t = RectHeight(client) - h - c->anchorBottom_;
        }
        c->SetBounds(l, t, std::max(w, 0), std::max(h, 0));
    }
    // Then the aligned ones, edge by edge: each takes its strip and narrows what is left.
    static const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign align : order) {
        std::vector<TControl*> list;
        for (TControl* c : controls_)
            if (c->Align() == align && c->Visible()) list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
                case alTop:
                    return a->Top() < b->Top();
                case alBottom:
                    return a->Top() + a->Height() > b->Top() + b->Height();
                case alLeft:
                    return a->Left() < b->Left();
                case alRight:
                    return a->Left() + a->Width() > b->Left() + b->Width();
                default:
                    return false;
            }
        });
        for (TControl* c : list) {
            int w = RectWidth(rect), h = RectHeight(rect);
            switch (align) {
                case alTop:
                    c->SetBounds(rect.left, rect.top, std::max(w, 0), c->Height());
                    rect.top += c->Height();
                    break;
                case alBottom:
                    c->SetBounds(rect.left, rect.bottom - c->Height(), std::max(w, 0), c->Height());
                    rect.bottom -= c->Height();
                    break;
                case alLeft:
                    c->SetBounds(rect.left, rect.top, c->Width(), std::max(h, 0));
                    rect.left += c->Width();
                    break;
                case alRight:
                    c->SetBounds(rect.right - c->Width(), rect.top, c->Width(), std::max(h, 0));
                    rect.right -= c->Width();
                    break;
                default:
                    c->SetBounds(rect.left, rect.top, std::max(w, 0), std::max(h, 0));
                    break;
            }
        }
    }
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    ConstrainedResize(AWidth, AHeight);
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
    if (handle_) {
        // The window reports the new bounds back through WM_WINDOWPOSCHANGED and WM_SIZE.
        SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    bool resized = AWidth != width_ || AHeight != height_;
    SetBoundsQuiet(ALeft, ATop, AWidth, AHeight);
    UpdateAnchorRules();
    RequestAlign();
    if (resized) {
        Realign();
        if (!IsLoading()) Resize();
    }
}

void TWinControl::UpdateBounds() {
    if (!handle_) return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD) {
        HWND parent = GetParent(handle_);
        if (parent) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    bool moved = r.left != left_ || r.top != top_ || RectWidth(r) != width_ || RectHeight(r) != height_;
    if (!moved) return;
    SetBoundsQuiet(r.left, r.top, RectWidth(r), RectHeight(r));
    UpdateAnchorRules();
    RequestAlign();
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
    UpdateBounds();
    Inherited<TControl>(Message);
}

void TWinControl::WMSize(TMessage& Message) {
    UpdateBounds();
    Inherited<TControl>(Message);
    Realign();
    if (!IsLoading()) Resize();
}

void TWinControl::WMMove(TMessage& Message) {
    UpdateBounds();
    Inherited<TControl>(Message);
}

TRect TWinControl::ClientRect() const {
    if (handle_) {
        RECT r;
        GetClientRect(handle_, &r);
        return r;
    }
    return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() const {
    if (!handle_) return TControl::ClientOrigin();
    POINT p{0, 0};
    ::ClientToScreen(handle_, &p);
    return p;
}

// ---- focus ----

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int v) {
    if (!parent_) return;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    v = std::clamp(v, 0, int(list.size()));
    list.insert(list.begin() + v, this);
}

bool TWinControl::CanFocus() const {
    TCustomForm* form = GetParentForm();
    if (!form) return false;
    for (const TWinControl* c = this; c; c = c->parent_) {
        if (!c->Visible() || !c->Enabled()) return false;
        if (static_cast<const TControl*>(c) == form) break;
    }
    return true;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm())
        form->FocusControl(this);
    else if (parentWindow_)
        ::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int count = int(list.size());
    auto it = std::find(list.begin(), list.end(), current);
    int start = it == list.end() ? (goForward ? count - 1 : 0) : int(it - list.begin());
    int i = start;
    for (int n = 0; n < count; ++n) {
        i = goForward ? (i + 1) % count : (i - 1 + count) % count;
        TWinControl* c = list[size_t(i)];
        if (c == current) break;
        if ((!checkTabStop || c->TabStop()) && (!checkParent || c->parent_ == this) && c->CanFocus()) return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, false)) next->SetFocus();
}

void TWinControl::WMSetFocus(TMessage& Message) { Inherited<TControl>(Message); }

void TWinControl::WMKillFocus(TMessage& Message) { Inherited<TControl>(Message); }

// ---- painting ----

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, !HasStyle(csOpaque));
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::PaintWindow(HDC dc) {
    TMessage m{WM_PAINT, WPARAM(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintHandler(HDC dc) {
    int saved = SaveDC(dc);
    int clip = SIMPLEREGION;
    for (TControl* c : controls_) {
        if (Is<TWinControl>(c) || !c->Visible() || !c->HasStyle(csOpaque)) continue;
        clip = ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
        if (clip == NULLREGION) break;
    }
    if (clip != NULLREGION) PaintWindow(dc);
    RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
    if (dockManager_) dockManager_->PaintSite(dc);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    auto it = controls_.begin();
    if (first) {
        it = std::find(controls_.begin(), controls_.end(), first);
        if (it == controls_.end()) it = controls_.begin();
    }
    for (; it != controls_.end(); ++it) {
        TControl* c = *it;
        if (Is<TWinControl>(c) || !c->Visible()) continue;
        RECT r = c->BoundsRect();
        if (!RectVisible(dc, &r)) continue;
        int saved = SaveDC(dc);
        POINT origin;
        GetWindowOrgEx(dc, &origin);
        SetWindowOrgEx(dc, origin.x - c->Left(), origin.y - c->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, WPARAM(dc), 0);
        RestoreDC(dc, saved);
    }
}

void TWinControl::WMPaint(TMessage& Message) {
    HDC given = reinterpret_cast<HDC>(Message.WParam);
    if (!doubleBuffered_ || given) {
        if (!InState(csCustomPaint) && controls_.empty()) {
            Inherited<TControl>(Message);
            return;
        }
        if (given) {
            PaintHandler(given);
            return;
        }
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle_, &ps);
        try {
            PaintHandler(dc);
        } catch (...) {
            EndPaint(handle_, &ps);
            throw;
        }
        EndPaint(handle_, &ps);
        return;
    }
    // Double buffered: paint into a memory bitmap, then copy it to the window in one go.
    RECT client = ClientRect();
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, std::max<int>(client.right, 1), std::max<int>(client.bottom, 1));
    ReleaseDC(nullptr, screen);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    auto cleanup = [&] {
        EndPaint(handle_, &ps);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(bitmap);
    };
    try {
        Perform(WM_ERASEBKGND, WPARAM(memory), LPARAM(memory));
        TMessage inner{WM_PAINT, WPARAM(memory), 0, 0};
        WMPaint(inner);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    } catch (...) {
        cleanup();
        throw;
    }
    cleanup();
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    RECT r = ClientRect();
    FillRect(dc, &r, Brush());
    Message.Result = 1;
}

// ---- keyboard ----

bool TWinControl::DoKeyDown(TMessage& Message) {
    TShiftState shift = KeyDataToShiftState(Message.LParam);
    Word key = Word(Message.WParam);
    TCustomForm* form = GetParentForm();
    if (form && static_cast<TControl*>(form) != this && form->KeyPreview() && form->DoKeyDown(Message)) return true;
    if (!HasStyle(csNoStdEvents)) {
        KeyDown(key, shift);
        Message.WParam = key;
        if (key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
    TShiftState shift = KeyDataToShiftState(Message.LParam);
    Word key = Word(Message.WParam);
    TCustomForm* form = GetParentForm();
    if (form && static_cast<TControl*>(form) != this && form->KeyPreview() && form->DoKeyUp(Message)) return true;
    if (!HasStyle(csNoStdEvents)) {
        KeyUp(key, shift);
        Message.WParam = key;
        if (key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
    TCustomForm* form = GetParentForm();
    if (form && static_cast<TControl*>(form) != this && form->KeyPreview() && form->DoKeyPress(Message)) return true;
    if (!HasStyle(csNoStdEvents)) {
        wchar_t ch = wchar_t(Message.WParam);
        KeyPress(ch);
        Message.WParam = ch;
        if (ch == 0) return true;
    }
    return false;
}

void TWinControl::WMKeyDown(TMessage& Message) {
    if (!DoKeyDown(Message)) Inherited<TControl>(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
    if (!DoKeyUp(Message)) Inherited<TControl>(Message);
}

void TWinControl::WMChar(TMessage& Message) {
    if (!DoKeyPress(Message)) Inherited<TControl>(Message);
}

bool TWinControl::IsMenuKey(TMessage& Message) {
    for (TControl* c = this; c; c = c->Parent()) {
        TPopupMenu* menu = c->PopupMenu();
        if (menu && menu->WindowHandle() && menu->IsShortCut(Message)) return true;
    }
    TCustomForm* form = GetParentForm();
    return form && form->IsShortCut(Message);
}

void TWinControl::CNKeyDown(TMessage& Message) {
    Message.Result = 1;
    if (IsMenuKey(Message)) return;
    if (Perform(CM_CHILDKEY, Message.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
    UINT mask = 0;
    switch (Message.WParam) {
        case VK_TAB:
            mask = DLGC_WANTTAB;
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            mask = DLGC_WANTARROWS;
            break;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL:
            mask = DLGC_WANTALLKEYS;
            break;
    }
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam) == 0 && (Perform(WM_GETDLGCODE) & mask) == 0) {
        if (TCustomForm* form = GetParentForm();
            form && form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
            return;
    }
    Message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& Message) { Message.Result = 0; }

void TWinControl::CNChar(TMessage& Message) {
    Message.Result = 0;
    // Alt+letter is never text: it always goes to the form as a possible accelerator.
    if (Message.Msg == CN_SYSCHAR || (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0) {
        if (TCustomForm* form = GetParentForm();
            form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
            Message.Result = 1;
    }
}

void TWinControl::CMChildKey(TMessage& Message) {
    if (parent_) Message.Result = parent_->Perform(CM_CHILDKEY, Message.WParam, Message.LParam);
}

void TWinControl::CMDialogKey(TMessage& Message) { BroadcastToChildren(Message); }

void TWinControl::CMDialogChar(TMessage& Message) { BroadcastToChildren(Message); }

void TWinControl::CMFocusChanged(TMessage& Message) {
    for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::BroadcastToChildren(TMessage& Message) {
    for (TControl* c : std::vector<TControl*>(controls_)) {
        c->windowProc_(Message);
        if (Message.Result != 0) return;
    }
}

// ---- other messages ----

void TWinControl::WMSetCursor(TMessage& Message) {
    if (reinterpret_cast<HWND>(Message.WParam) == handle_ && SmallInt(LOWORD(Message.LParam)) == HTCLIENT) {
        TCursor cursor = Screen ? Screen->Cursor() : crDefault;
        if (cursor == crDefault) {
            POINT p;
            GetCursorPos(&p);
            if (TControl* c = ControlAtPos(ScreenToClient(p), false)) cursor = c->Cursor();
            if (cursor == crDefault) cursor = Cursor();
        }
        if (cursor != crDefault && Screen) {
            ::SetCursor(Screen->Cursors(cursor));
            Message.Result = 1;
            return;
        }
    }
    Inherited<TControl>(Message);
}

namespace {
// Hands a notification to the child control that sent it, as CN_ plus the message number.
bool ReflectToControl(HWND child, TMessage& Message) {
    TWinControl* control = FindControl(child);
    if (!control) return false;
    Message.Result = control->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return true;
}
}  // namespace

void TWinControl::WMCommand(TMessage& Message) {
    if (!ReflectToControl(reinterpret_cast<HWND>(Message.LParam), Message)) Inherited<TControl>(Message);
}

void TWinControl::WMNotify(TMessage& Message) {
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    if (!header || !ReflectToControl(header->hwndFrom, Message)) Inherited<TControl>(Message);
}

void TWinControl::WMReflect(TMessage& Message) {
    HWND child = nullptr;
    switch (Message.Msg) {
        case WM_HSCROLL:
        case WM_VSCROLL:
            child = reinterpret_cast<HWND>(Message.LParam);
            break;
        case WM_DRAWITEM:
            child = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam)->hwndItem;
            break;
        case WM_MEASUREITEM:
            if (Message.WParam) child = GetDlgItem(handle_, int(Message.WParam));
            break;
        case WM_DELETEITEM:
            child = reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam)->hwndItem;
            break;
    }
    if (!child || !ReflectToControl(child, Message)) Inherited<TControl>(Message);
}

void TWinControl::WMReflectColor(TMessage& Message) {
    if (!ReflectToControl(reinterpret_cast<HWND>(Message.LParam), Message)) Inherited<TControl>(Message);
}

void TWinControl::WMContextMenu(TMessage& Message) {
    if (Message.Result != 0) return;
    TPoint pos = MessagePoint(Message.LParam);
    if (handle_ && !(pos.x == -1 && pos.y == -1)) {
        // A windowless child under the point has the first say.
        if (TControl* child = ControlAtPos(ScreenToClient(pos), false)) {
            Message.Result = child->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
            if (Message.Result != 0) return;
        }
    }
    Inherited<TControl>(Message);
}

void TWinControl::WMSysColorChange(TMessage& Message) {
    Perform(CM_SYSCOLORCHANGE);
    Inherited<TControl>(Message);
}

void TWinControl::NotifyChildren(Cardinal Msg) {
    for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(Msg);
}

void TWinControl::CMSysColorChange(TMessage& Message) {
    Inherited<TControl>(Message);
    NotifyChildren(CM_SYSCOLORCHANGE);
}

void TWinControl::CMColorChanged(TMessage& Message) {
    Inherited<TControl>(Message);
    NotifyChildren(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message) {
    Inherited<TControl>(Message);
    if (handle_) ::SendMessageW(handle_, WM_SETFONT, WPARAM(font_->Handle()), 0);
    NotifyChildren(CM_PARENTFONTCHANGED);
}

void TWinControl::SetCtl3D(bool v) {
    parentCtl3D_ = false;
    if (ctl3D_ == v) return;
    ctl3D_ = v;
    Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool v) {
    if (parentCtl3D_ == v) return;
    parentCtl3D_ = v;
    if (v) Perform(CM_PARENTCTL3DCHANGED);
}

void TWinControl::CMCtl3DChanged(TMessage&) { NotifyChildren(CM_PARENTCTL3DCHANGED); }

void TWinControl::CMParentCtl3DChanged(TMessage&) {
    if (!parentCtl3D_ || !parent_ || ctl3D_ == parent_->ctl3D_) return;
    ctl3D_ = parent_->ctl3D_;
    Perform(CM_CTL3DCHANGED);
}

void TWinControl::CMTextChanged(TMessage& Message) { Inherited<TControl>(Message); }

void TWinControl::CMCancelMode(TMessage& Message) {
    TControl* capture = GetCaptureControl();
    if (capture && capture->Parent() == this) capture->Perform(CM_CANCELMODE, Message.WParam, Message.LParam);
}

String TWinControl::GetText() const {
    if (!handle_) return text_;
    int n = GetWindowTextLengthW(handle_);
    String s(size_t(n) + 1, L'\0');
    n = GetWindowTextW(handle_, s.data(), n + 1);
    s.resize(size_t(std::max(n, 0)));
    return s;
}

void TWinControl::SetTextBuf(const String& v) {
    text_ = v;
    if (handle_) SetWindowTextW(handle_, v.c_str());
}

void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    for (TControl* c : std::vector<TControl*>(controls_))
        if (c->Owner() == Root) Proc(c);
}

void TWinControl::SetChildOrder(TComponent* Child, int Order) {
    // The reader gives children in the order they were written: their painting order.
    if (auto* c = As<TControl>(Child)) SetChildOrder(c, Order);
}

// ---- docking ----

void TWinControl::SetDockSite(bool v) {
    if (AssignIfChanged(dockSite_, v)) UpdateDockManager();
}

void TWinControl::SetUseDockManager(bool v) {
    if (AssignIfChanged(useDockManager_, v)) UpdateDockManager();
}

void TWinControl::UpdateDockManager() {
    bool wanted = dockSite_ && useDockManager_;
    if (wanted && !dockManager_) {
        dockManager_ = CreateDockManager();
        for (TControl* client : dockClients_) dockManager_->InsertControl(client, alNone, nullptr);
        Realign();
    } else if (!wanted && dockManager_) {
        delete dockManager_;
        dockManager_ = nullptr;
    }
    Invalidate();
}

TDockTree* TWinControl::CreateDockManager() { return new TDockTree(this); }

void TWinControl::DockDrop(TDragDockObject* Source, int X, int Y) {
    TControl* client = Source->Control();
    client->SetAlign(alNone);
    client->SetParent(this);
    client->hostDockSite_ = this;
    if (std::find(dockClients_.begin(), dockClients_.end(), client) == dockClients_.end())
        dockClients_.push_back(client);
    if (dockManager_) dockManager_->InsertControl(client, Source->DropAlign(), Source->DropOnControl());
    Realign();
    Invalidate();
    if (OnDockDrop) OnDockDrop(this, Source, X, Y);
}

bool TWinControl::DoUnDock(TWinControl* NewTarget, TControl* Client) {
    bool allow = true;
    if (OnUnDock) OnUnDock(this, Client, NewTarget, allow);
    return allow;
}

void TWinControl::RemoveDockClient(TControl* client) {
    auto it = std::find(dockClients_.begin(), dockClients_.end(), client);
    if (it == dockClients_.end()) return;
    dockClients_.erase(it);
    client->hostDockSite_ = nullptr;
    if (dockManager_) dockManager_->RemoveControl(client);
    Invalidate();
}

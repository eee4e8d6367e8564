#include "Form.h"

#include <algorithm>

#include "Application.h"
#include "FormDescription.h"
#include "WinControl.h"
#include "CallbackBarrier.h"
#include "Screen.h"

// Sections: life; window; focus and keys; showing and closing; the modal loop; menus, shortcuts
// and actions; owner window, help and placement; MDI.

// ---- life ----

TCustomForm::TCustomForm(TComponent* AOwner) : TCustomControl(AOwner), streamDescription_(true) { InitForm(); }

TCustomForm::TCustomForm(TComponent* AOwner, TCreateNew) : TCustomControl(AOwner), streamDescription_(false) {
    InitForm();
}

void TCustomForm::InitForm() {
    controlStyle_ = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    SetBoundsQuiet(0, 0, 320, 240);
    SetVisible(false);
    SetParentColor(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetParentShowHint(false);
    if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    // The window goes first: while it is destroyed the form may be activated once more (when a
    // window it owns had the activation), which would put it back into the screen's list.
    if (handle_) DestroyHandle();
    if (Screen) Screen->RemoveForm(this);
    if (Application) Application->FormDestroyed(this);
}

void TCustomForm::AfterConstruction() {
    TCustomControl::AfterConstruction();
    if (streamDescription_) {
        try {
            ReadDescription();
        } catch (...) {
            // A form that cannot be read is not made at all.
            FreeObject(this);
            throw;
        }
    }
    DoCreate();
}

void TCustomForm::BeforeDestruction() {
    DoDestroy();
    TCustomControl::BeforeDestruction();
}

bool TCustomForm::ReadDescription() {
    // The form stays hidden while it is read; a stored Visible takes effect afterwards.
    IncludeState(csReadingState);
    bool found = false;
    try {
        found = InitInheritedComponent(this, TCustomForm::StaticClass());
    } catch (...) {
        ExcludeState(csReadingState);
        throw;
    }
    ExcludeState(csReadingState);
    if (!found && ClassType() != TForm::StaticClass() && ClassType() != TCustomForm::StaticClass())
        throw EResNotFound(L"Resource " + ClassName() + L" not found");
    if (Visible()) UpdateControlState();
    return found;
}

void TCustomForm::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    TCustomControl::GetChildren(Proc, Root);
    if (Root != this) return;
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (!c->HasParent() && !c->ComponentStyle().Contains(csSubComponent)) Proc(c);
    }
}

void TCustomForm::DoCreate() {
    // A failing creation handler is reported and the form opens all the same.
    try {
        if (OnCreate) OnCreate(this);
    } catch (...) {
        if (!Application) throw;
        Application->HandleException(this);
    }
}

void TCustomForm::DoDestroy() {
    try {
        if (OnDestroy) OnDestroy(this);
    } catch (...) {
        if (!Application) throw;
        Application->HandleException(this);
    }
}

void TCustomForm::Loaded() {
    TCustomControl::Loaded();
    if (activeControl_ && !ContainsControl(activeControl_)) activeControl_ = nullptr;
}

// ---- window ----

void TCustomForm::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (!parent_ && !ParentWindow()) {
        Params.WndParent = OwnerWindow();
        Params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
    }
    Params.WindowClass.style = CS_DBLCLKS;
    switch (borderStyle_) {
        case bsNone:
            Params.Style |= WS_POPUP;
            break;
        case bsSingle:
        case bsToolWindow:
            Params.Style |= WS_CAPTION | WS_BORDER;
            break;
        case bsSizeable:
        case bsSizeToolWin:
            Params.Style |= WS_CAPTION | WS_THICKFRAME;
            break;
        case bsDialog:
            Params.Style |= WS_POPUP | WS_CAPTION;
            Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
            break;
    }
    if (borderStyle_ != bsNone) {
        if (borderIcons_.Contains(biSystemMenu)) Params.Style |= WS_SYSMENU;
        if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
            if (borderIcons_.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
            if (borderIcons_.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
        }
        if (borderStyle_ == bsDialog && borderIcons_.Contains(biHelp)) Params.ExStyle |= WS_EX_CONTEXTHELP;
    }
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (formStyle_ == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
    if (position_ == poDefault || position_ == poDefaultPosOnly) {
        Params.X = CW_USEDEFAULT;
        Params.Y = CW_USEDEFAULT;
    }
    if (formStyle_ == fsMDIChild && !parent_) {
        TCustomForm* main = Application ? Application->MainForm() : nullptr;
        if (!main || main->FormStyle() != fsMDIForm || !main->ClientHandle())
            throw EInvalidOperation(L"Cannot create form. No MDI forms are currently active");
        Params.WndParent = main->ClientHandle();
        Params.Style = (Params.Style & ~WS_POPUP) | WS_CHILD;
        Params.ExStyle |= WS_EX_MDICHILD;
    }
}

void TCustomForm::CreateWnd() {
    TCustomControl::CreateWnd();
    if (formStyle_ == fsMDIForm) CreateMDIClient();
    if (menu_) menu_->SetWindowHandle(handle_);
    if (Application && Application->Icon()) ::SendMessageW(handle_, WM_SETICON, ICON_BIG, LPARAM(Application->Icon()));
}

SIZE TCustomForm::FrameSize() const {
    if (handle_) {
        RECT window, client;
        GetWindowRect(handle_, &window);
        GetClientRect(handle_, &client);
        return SIZE{RectWidth(window) - client.right, RectHeight(window) - client.bottom};
    }
    TCreateParams params;
    const_cast<TCustomForm*>(this)->CreateParams(params);
    RECT r{0, 0, 100, 100};
    AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
    return SIZE{RectWidth(r) - 100, RectHeight(r) - 100};
}

TRect TCustomForm::ClientRect() const {
    if (handle_ && !IsIconic(handle_)) return TCustomControl::ClientRect();
    SIZE frame = FrameSize();
    return TRect{0, 0, std::max<int>(Width() - frame.cx, 0), std::max<int>(Height() - frame.cy, 0)};
}

TPoint TCustomForm::ClientOrigin() const {
    if (handle_) return TCustomControl::ClientOrigin();
    SIZE frame = FrameSize();
    return TPoint{Left() + frame.cx / 2, Top() + frame.cy - frame.cx / 2};
}

void TCustomForm::SetClientWidth(int v) { SetWidth(v + FrameSize().cx); }

void TCustomForm::SetClientHeight(int v) { SetHeight(v + FrameSize().cy); }

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
    if (borderStyle_ == v) return;
    borderStyle_ = v;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
    if (borderIcons_ == v) return;
    borderIcons_ = v;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle v) {
    if (formStyle_ == v) return;
    bool mdi = formStyle_ == fsMDIForm || formStyle_ == fsMDIChild || v == fsMDIForm || v == fsMDIChild;
    formStyle_ = v;
    if (mdi) {
        RecreateWnd();
        return;
    }
    if (handle_)
        SetWindowPos(handle_, v == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const {
    if (handle_) {
        if (IsIconic(handle_)) return wsMinimized;
        if (IsZoomed(handle_)) return wsMaximized;
        if (IsWindowVisible(handle_)) return wsNormal;
    }
    return windowState_;
}

void TCustomForm::SetWindowState(TWindowState v) {
    if (WindowState() == v) return;
    windowState_ = v;
    if (!handle_ || !Showing()) return;
    if (formStyle_ == fsMDIChild && v != wsMinimized) {
        // The client window keeps its children's state: it maximizes and restores them.
        ::SendMessageW(GetParent(handle_), v == wsMaximized ? WM_MDIMAXIMIZE : WM_MDIRESTORE, WPARAM(handle_), 0);
        return;
    }
    static const int commands[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_SHOWMAXIMIZED};
    ShowWindow(handle_, commands[v]);
}

void TCustomForm::ApplyPosition() {
    if (positioned_) return;
    positioned_ = true;
    TRect area{};
    switch (position_) {
        case poScreenCenter:
            area = Screen ? Screen->WorkAreaRect()
                          : TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
            break;
        case poDesktopCenter:
            area = TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
            break;
        case poMainFormCenter:
        case poOwnerFormCenter: {
            TCustomForm* main = Application ? Application->MainForm() : nullptr;
            if (auto* ownerForm = As<TCustomForm>(Owner()); ownerForm && position_ == poOwnerFormCenter)
                main = ownerForm;
            if (!main || main == this) return;
            area = main->BoundsRect();
            break;
        }
        default:
            return;
    }
    SetBounds(area.left + (RectWidth(area) - Width()) / 2, area.top + (RectHeight(area) - Height()) / 2, Width(),
              Height());
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::WMGetMinMaxInfo(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    TSizeConstraints* c = Constraints();
    if (c->MinWidth() > 0) info->ptMinTrackSize.x = c->MinWidth();
    if (c->MinHeight() > 0) info->ptMinTrackSize.y = c->MinHeight();
    if (c->MaxWidth() > 0) info->ptMaxTrackSize.x = c->MaxWidth();
    if (c->MaxHeight() > 0) info->ptMaxTrackSize.y = c->MaxHeight();
}

void TCustomForm::WMSysCommand(TMessage& Message) { Inherited<TCustomControl>(Message); }

void TCustomForm::WMSize(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    if (Message.WParam == SIZE_MINIMIZED)
        windowState_ = wsMinimized;
    else if (Message.WParam == SIZE_MAXIMIZED)
        windowState_ = wsMaximized;
    else if (Message.WParam == SIZE_RESTORED)
        windowState_ = wsNormal;
}

// ---- focus and keys ----

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (activeControl_ == control) return;
    if (IsLoading()) {
        activeControl_ = control;  // checked once the form is read
        return;
    }
    if (control && (control == this || control->GetParentForm() != this || !control->CanFocus()))
        throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
    activeControl_ = control;
    if (active_ && handle_) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
    if (control == this) control = nullptr;
    SetActiveControl(control);
    if (active_ && control && control->HandleAllocated()) ::SetFocus(control->WindowHandle());
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    if (focusedControl_ == control) return true;
    TWinControl* old = focusedControl_;
    focusedControl_ = control;
    if (control != this) activeControl_ = control;
    if (Screen) Screen->SetActiveControl(control);
    if (old && old != this) old->Perform(CM_EXIT);
    if (control && control != this) control->Perform(CM_ENTER);
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
    return true;
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (removing && focusedControl_ && control->ContainsControl(focusedControl_)) focusedControl_ = control->Parent();
    if (activeControl_ && control->ContainsControl(activeControl_)) {
        activeControl_ = nullptr;
        if (handle_ && active_ && GetFocus() &&
            (control->WindowHandle() == GetFocus() || IsChild(control->WindowHandle(), GetFocus())))
            ::SetFocus(handle_);
    }
}

void TCustomForm::ControlRemoved(TControl* control) {
    if (auto* w = As<TWinControl>(control)) DefocusControl(w, true);
}

void TCustomForm::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation(L"Cannot focus a disabled or invisible window");
    SetWindowFocus();
}

void TCustomForm::SetWindowFocus() {
    TWinControl* target = activeControl_ && activeControl_->CanFocus() ? activeControl_ : this;
    ::SetFocus(target->Handle());
}

void TCustomForm::SetActive(bool v) {
    active_ = v;
    if (v) {
        if (!activeControl_) activeControl_ = FindNextControl(nullptr, true, true, false);
        SetWindowFocus();
    }
}

void TCustomForm::WMActivate(TMessage& Message) {
    // A form being freed is still activated when the window it owns that had the activation goes
    // first: it must neither come back into the screen's list nor make its windows again.
    if (ComponentState().Contains(csDestroying)) return;
    bool activating = LOWORD(Message.WParam) != WA_INACTIVE;
    if (activating && Screen) Screen->SetActiveForm(this);
    SetActive(activating);
    Perform(activating ? CM_ACTIVATE : CM_DEACTIVATE);
}

void TCustomForm::CMActivate(TMessage&) { Activate(); }

void TCustomForm::CMDeactivate(TMessage&) { Deactivate(); }

void TCustomForm::CMDialogKey(TMessage& Message) {
    if (GetKeyState(VK_MENU) >= 0) {
        switch (Message.WParam) {
            case VK_TAB:
                if (GetKeyState(VK_CONTROL) >= 0) {
                    SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
                    Message.Result = 1;
                    return;
                }
                break;
            case VK_LEFT:
            case VK_RIGHT:
            case VK_UP:
            case VK_DOWN:
                if (activeControl_ && activeControl_->Parent()) {
                    activeControl_->Parent()->SelectNext(
                        activeControl_, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
                    Message.Result = 1;
                }
                return;
        }
    }
    Inherited<TCustomControl>(Message);
}

void TCustomForm::MouseWheelHandler(TMessage& Message) {
    if (focusedControl_ && focusedControl_ != this)
        Message.Result = focusedControl_->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
    else
        TCustomControl::MouseWheelHandler(Message);
}

// ---- showing and closing ----

void TCustomForm::Show() {
    SetVisible(true);
    if (handle_) BringWindowToTop(handle_);
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::CMShowingChanged(TMessage&) {
    static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    if (Showing()) {
        DoShow();
        ApplyPosition();
        ShowWindow(handle_, commands[windowState_]);
        if (formStyle_ == fsMDIChild) ::SendMessageW(GetParent(handle_), WM_MDIACTIVATE, WPARAM(handle_), 0);
        if (!active_ && GetActiveWindow() == handle_) SetActive(true);
    } else {
        DoHide();
        ShowWindow(handle_, SW_HIDE);
        active_ = false;
    }
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    // A document window that the user closes goes away; hiding it would leave a hole in the
    // client window's list of children.
    TCloseAction action = formStyle_ == fsMDIChild ? caFree : caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::Release() {
    if (handle_) PostMessageW(handle_, CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage&) { FreeObject(this); }

// ---- the modal loop ----

namespace {

struct TTaskWindows {
    HWND active;
    std::vector<HWND> disabled;
};

BOOL CALLBACK DisableTaskWindow(HWND window, LPARAM data) {
    return CallbackBarrier(TRUE, [&]() -> BOOL {
        auto* list = reinterpret_cast<TTaskWindows*>(data);
        if (window != list->active && IsWindowVisible(window) && IsWindowEnabled(window)) {
            list->disabled.push_back(window);
            EnableWindow(window, FALSE);
        }
        return TRUE;
    });
}

}  // namespace

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone)
        modalResult_ = mrNone;
    else if (action == caFree)
        Release();
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || modal_ || formStyle_ == fsMDIChild)
        throw EInvalidOperation(L"Cannot make a visible window modal");
    if (HWND capture = GetCapture()) ::SendMessageW(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    modal_ = true;
    HWND previous = GetActiveWindow();
    // Every other window of the thread is disabled while the form is up.
    TTaskWindows windows{Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), &DisableTaskWindow, reinterpret_cast<LPARAM>(&windows));
    auto restore = [&] {
        for (HWND w : windows.disabled)
            if (IsWindow(w)) EnableWindow(w, TRUE);
        if (previous && IsWindow(previous)) SetActiveWindow(previous);
        modal_ = false;
    };
    TModalResult result = mrNone;
    try {
        Show();
        try {
            modalResult_ = mrNone;
            do {
                Application->HandleMessage();
                if (Application->Terminated())
                    modalResult_ = mrCancel;
                else if (modalResult_ != mrNone)
                    CloseModal();
            } while (modalResult_ == mrNone);
            result = modalResult_;
        } catch (...) {
            Hide();
            throw;
        }
        Hide();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return result;
}

TCustomForm* GetParentForm(TControl* control) { return control ? control->GetParentForm() : nullptr; }

// ---- menus, shortcuts and actions ----

void TCustomForm::SetMenu(TMainMenu* v) {
    if (menu_ == v) return;
    if (menu_) {
        menu_->SetWindowHandle(nullptr);
        menu_->RemoveFreeNotification(this);
    }
    menu_ = v;
    if (v) {
        v->FreeNotification(this);
        if (handle_) v->SetWindowHandle(handle_);
    }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == menu_) menu_ = nullptr;
    if (AComponent == popupParent_) {
        popupParent_ = nullptr;
        if (popupMode_ == pmExplicit) popupMode_ = pmNone;
    }
}

bool TCustomForm::IsShortCut(TMessage& Message) {
    if (menu_ && menu_->IsShortCut(Message)) return true;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* list = As<TActionList>(Components(i)); list && list->IsShortCut(Message)) return true;
    return false;
}

void TCustomForm::WMCommand(TMessage& Message) {
    // A menu command comes with no control window and notification code 0.
    if (Message.LParam == 0 && HIWORD(Message.WParam) == 0 && menu_ && menu_->DispatchCommand(LOWORD(Message.WParam)))
        return;
    Inherited<TCustomControl>(Message);
}

void TCustomForm::WMMenuOwnerDraw(TMessage& Message) {
    if (menu_ && menu_->HandleOwnerDrawMessage(Message)) return;
    Inherited<TCustomControl>(Message);
}

void TCustomForm::WMMenuSelect(TMessage& Message) {
    if (menu_) menu_->HandleMenuSelect(Message);
    Inherited<TCustomControl>(Message);
}

namespace {

void UpdateClientActions(TWinControl* parent) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (!control->Visible()) continue;
        if (control->HasStyle(csActionClient)) control->InitiateAction();
        if (auto* w = As<TWinControl>(control)) UpdateClientActions(w);
    }
}

bool OfferActionToControls(TWinControl* parent, TBasicAction* action, bool execute) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (!control->Visible()) continue;
        if (execute ? control->ExecuteAction(action) : control->UpdateAction(action)) return true;
        if (auto* w = As<TWinControl>(control); w && OfferActionToControls(w, action, execute)) return true;
    }
    return false;
}

}  // namespace

void TCustomForm::UpdateActions() {
    if (ComponentState().Contains(csDesigning)) return;
    InitiateAction();
    UpdateClientActions(this);
}

bool TCustomForm::RouteAction(TBasicAction* action, bool execute) {
    if (!action || !Visible() || ComponentState().Contains(csDesigning)) return false;
    auto offer = [&](TControl* c) { return execute ? c->ExecuteAction(action) : c->UpdateAction(action); };
    if (activeControl_ && offer(activeControl_)) return true;
    if (offer(this)) return true;
    return OfferActionToControls(this, action, execute);
}

void TCustomForm::CMActionExecute(TMessage& Message) {
    Message.Result = RouteAction(reinterpret_cast<TBasicAction*>(Message.LParam), true) ? 1 : 0;
}

void TCustomForm::CMActionUpdate(TMessage& Message) {
    Message.Result = RouteAction(reinterpret_cast<TBasicAction*>(Message.LParam), false) ? 1 : 0;
}

// ---- owner window, help and placement ----

HWND TCustomForm::OwnerWindow() const {
    TCustomForm* owner = Application ? Application->MainForm() : nullptr;
    if (popupMode_ == pmAuto) {
        if (TCustomForm* active = Screen ? Screen->ActiveForm() : nullptr; active && active != this) owner = active;
    } else if (popupMode_ == pmExplicit && popupParent_) {
        owner = popupParent_;
    }
    if (!owner || owner == this) return nullptr;
    return owner->Handle();
}

void TCustomForm::SetPopupMode(TPopupMode v) {
    if (!AssignIfChanged(popupMode_, v)) return;
    if (v != pmExplicit && popupParent_) {
        popupParent_->RemoveFreeNotification(this);
        popupParent_ = nullptr;
    }
    if (handle_ && !parent_) SetWindowLongPtrW(handle_, GWLP_HWNDPARENT, LONG_PTR(OwnerWindow()));
}

void TCustomForm::SetPopupParent(TCustomForm* v) {
    if (v == this) throw EInvalidOperation(L"A form cannot be its own popup parent");
    if (popupParent_ == v) return;
    if (popupParent_) popupParent_->RemoveFreeNotification(this);
    popupParent_ = v;
    if (v) v->FreeNotification(this);
    popupMode_ = v ? pmExplicit : pmNone;
    if (handle_ && !parent_) SetWindowLongPtrW(handle_, GWLP_HWNDPARENT, LONG_PTR(OwnerWindow()));
}

TRect TCustomForm::RestoredBounds() const {
    if (!handle_) return BoundsRect();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(handle_, &placement)) return BoundsRect();
    TRect r = placement.rcNormalPosition;
    LONG_PTR exStyle = GetWindowLongPtrW(handle_, GWL_EXSTYLE);
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    if (!(style & WS_CHILD) && !(exStyle & WS_EX_TOOLWINDOW)) {
        // Top-level windows report their place relative to the work area, not the screen.
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (GetMonitorInfoW(MonitorFromWindow(handle_, MONITOR_DEFAULTTONEAREST), &info))
            OffsetRect(&r, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    }
    return r;
}

// ---- MDI ----

void TCustomForm::CreateMDIClient() {
    CLIENTCREATESTRUCT info{nullptr, 0xFF00};
    RECT client;
    GetClientRect(handle_, &client);
    clientHandle_ =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL, 0, 0,
                        client.right, client.bottom, handle_, nullptr, GetModuleHandleW(nullptr), &info);
    if (!clientHandle_) RaiseLastOSError();
    Realign();
}

void TCustomForm::DestroyWindowHandle() {
    if (menu_) menu_->SetWindowHandle(nullptr);
    clientHandle_ = nullptr;
    if (formStyle_ == fsMDIChild && handle_) {
        // The client window destroys its children itself and picks the next active one.
        if (HWND client = GetParent(handle_)) ::SendMessageW(client, WM_MDIDESTROY, WPARAM(handle_), 0);
        if (handle_ && !IsWindow(handle_)) handle_ = nullptr;
        if (!handle_) return;
    }
    TCustomControl::DestroyWindowHandle();
}

void TCustomForm::DefaultHandler(TMessage& Message) {
    if (handle_ && Message.Msg < CM_BASE) {
        if (formStyle_ == fsMDIForm && clientHandle_) {
            Message.Result = DefFrameProcW(handle_, clientHandle_, Message.Msg, Message.WParam, Message.LParam);
            return;
        }
        if (formStyle_ == fsMDIChild && (GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
            Message.Result = DefMDIChildProcW(handle_, Message.Msg, Message.WParam, Message.LParam);
            return;
        }
    }
    TCustomControl::DefaultHandler(Message);
}

void TCustomForm::AlignControls(TControl* AControl, TRect& rect) {
    TCustomControl::AlignControls(AControl, rect);
    // The client window takes what the aligned controls leave.
    if (clientHandle_)
        SetWindowPos(clientHandle_, HWND_BOTTOM, rect.left, rect.top, std::max<LONG>(RectWidth(rect), 0),
                     std::max<LONG>(RectHeight(rect), 0), SWP_NOACTIVATE);
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (formStyle_ != fsMDIForm || !clientHandle_) return nullptr;
    auto active = reinterpret_cast<HWND>(::SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0));
    return As<TCustomForm>(FindControl(active));
}

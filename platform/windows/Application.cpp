#include "Application.h"

#include "CallbackBarrier.h"
#include "DragDrop.h"
#include "HintWindow.h"
#include "MessageWindow.h"
#include "Screen.h"
#include "Threads.h"

TApplication* Application = nullptr;
TInitProc InitProc = nullptr;

// Sections: message box seam; life; forms; the loop; exceptions; mouse and hints.

// ---- message box seam ----

namespace {

int DefaultMessageBox(HWND owner, const String& text, const String& caption, UINT flags) {
    return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

TMessageBoxFunction messageBoxFunction = &DefaultMessageBox;

constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

}  // namespace

TMessageBoxFunction SetMessageBoxFunction(TMessageBoxFunction function) {
    TMessageBoxFunction old = messageBoxFunction;
    messageBoxFunction = function ? function : &DefaultMessageBox;
    return old;
}

// ---- life ----

void TApplication::Initialize() {
    if (InitProc) InitProc();
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
    handle_ = AllocateHWnd(MakeEvent(this, &TApplication::WndProc));
}

TApplication::~TApplication() {
    CancelHint();
    // Forms go first, while the application window they may use still exists.
    DestroyComponents();
    FreeAndNil(hintWindow_);
    DeallocateHWnd(handle_);
    handle_ = nullptr;
    if (Application == this) Application = nullptr;
}

String TApplication::Title() const {
    if (!title_.empty()) return title_;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    String name = path;
    size_t slash = name.find_last_of(L"\\/");
    if (slash != String::npos) name.erase(0, slash + 1);
    size_t dot = name.rfind(L'.');
    if (dot != String::npos) name.erase(dot);
    return name;
}

void TApplication::SetTitle(const String& v) {
    if (title_ == v) return;
    title_ = v;
    if (handle_) SetWindowTextW(handle_, v.c_str());
}

void TApplication::SetIcon(HICON v) {
    icon_ = v;
    if (mainForm_ && mainForm_->HandleAllocated())
        ::SendMessageW(mainForm_->WindowHandle(), WM_SETICON, ICON_BIG, LPARAM(v));
}

// ---- forms ----

TCustomForm* TApplication::CreateForm(TClass formClass) {
    bool isMain = mainForm_ == nullptr;
    TCustomForm* form = nullptr;
    try {
        TObject* instance = formClass->Create(static_cast<TComponent*>(this));
        form = As<TCustomForm>(instance);
        if (!form) {
            FreeObject(instance);
            throw EInvalidOperation(formClass->ClassName() + L" is not a form class");
        }
        if (isMain && !mainForm_) {
            form->HandleNeeded();
            mainForm_ = form;
        }
    } catch (...) {
        if (!isMain) throw;
        // The program cannot go on without its main window.
        HandleException(this);
        exitCode_ = 1;
        terminated_ = true;
        return nullptr;
    }
    return form;
}

void TApplication::FormDestroyed(TCustomForm* form) {
    if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::ControlDestroyed(TControl* control) {
    if (mouseControl_ == control) mouseControl_ = nullptr;
    if (hintControl_ == control) {
        hintControl_ = nullptr;
        CancelHint();
    }
}

void NotifyControlDestroyed(TControl* control) {
    DragControlDestroyed(control);
    if (Application) Application->ControlDestroyed(control);
    if (Screen) Screen->ControlDestroyed(control);
}

// ---- the loop ----

void TApplication::Run() {
    if (!mainForm_ || terminated_) return;
    if (showMainForm_) mainForm_->SetVisible(true);
    do {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    } while (!terminated_);
}

void TApplication::Terminate() { PostQuitMessage(exitCode_); }

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {}
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) Idle();
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) OnMessage(msg, handled);
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) CheckMouseControl();
    if (!handled && !IsHintMsg(msg) && !IsMDIMsg(msg) && !IsKeyMsg(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

bool TApplication::IsKeyMsg(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    if (HWND drag = DragCaptureWindow()) {
        // A running drag hears the keys (Escape cancels it).
        ::SendMessageW(drag, msg.message, msg.wParam, msg.lParam);
        return true;
    }
    HWND window = GetCapture();
    if (!window) window = msg.hwnd;
    // The focused window may be a system control inside one of ours: reflect to the nearest.
    for (; window; window = GetParent(window)) {
        if (TWinControl* control = FindControl(window)) {
            LRESULT result = 0;
            CallbackBarrier([&] { result = control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam); });
            return result != 0;
        }
    }
    return false;
}

bool TApplication::IsMDIMsg(MSG& msg) {
    // The keys of document windows (Ctrl+F4, Ctrl+F6) while the main form is an MDI frame.
    if (!mainForm_ || mainForm_->FormStyle() != fsMDIForm || !mainForm_->ClientHandle()) return false;
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    return TranslateMDISysAccel(mainForm_->ClientHandle(), &msg) != 0;
}

bool TApplication::IsHintMsg(MSG& msg) {
    if (hintWindow_ && hintWindow_->HandleAllocated() && IsWindowVisible(hintWindow_->WindowHandle())) {
        switch (msg.message) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN:
            case WM_NCLBUTTONDOWN:
            case WM_ACTIVATE:
            case WM_ACTIVATEAPP:
                CancelHint();
                break;
        }
    }
    return false;
}

void TApplication::Idle() {
    CheckMouseControl();
    if (showHint_ && !mouseControl_) CancelHint();
    SetHint(mouseControl_ ? mouseControl_->Hint() : String());
    bool done = true;
    try {
        if (OnIdle) OnIdle(this, done);
        if (done && Screen) {
            for (int i = 0; i < Screen->FormCount(); ++i) {
                TCustomForm* form = Screen->Forms(i);
                if (form->Visible()) form->UpdateActions();
            }
        }
    } catch (...) {
        HandleException(this);
    }
    if (GetCurrentThreadId() == MainThreadID && CheckSynchronize()) done = false;
    if (done) WaitMessage();
}

void TApplication::WakeMainThread(TObject*) {
    // Any message ends the wait of the idle step, which then runs the queued calls.
    if (handle_) PostMessageW(handle_, WM_NULL, 0, 0);
}

void TApplication::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_TIMER:
            if (Message.WParam == kHintShowTimer) {
                KillTimer(handle_, kHintShowTimer);
                ActivateHint();
            } else if (Message.WParam == kHintHideTimer) {
                CancelHint();
            }
            return;
        case WM_NULL:
            // Woken by a thread that queued a call; the idle step runs it.
            return;
        case WM_ENDSESSION:
            if (Message.WParam) Terminate();
            return;
    }
    Message.Result = DefWindowProcW(handle_, Message.Msg, Message.WParam, Message.LParam);
}

// ---- exceptions ----

void TApplication::HandleException(TObject* Sender) { HandleException(Sender, std::current_exception()); }

void TApplication::HandleException(TObject* Sender, std::exception_ptr error) {
    if (!error) return;
    if (HWND capture = GetCapture()) ::SendMessageW(capture, WM_CANCELMODE, 0, 0);
    auto report = [&](const Exception& e) {
        if (OnException)
            OnException(Sender, e);
        else
            ShowException(e);
    };
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        // Silent by design.
    } catch (const Exception& e) {
        report(e);
    } catch (const std::exception& e) {
        String text;
        for (const char* p = e.what(); *p; ++p) text += wchar_t(static_cast<unsigned char>(*p));
        report(Exception(text));
    } catch (...) {
        report(Exception(L"Unknown exception"));
    }
}

void TApplication::ShowException(const Exception& E) { MessageBox(E.Message(), Title(), MB_OK | MB_ICONSTOP); }

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
    HWND owner = GetActiveWindow();
    if (!owner && mainForm_ && mainForm_->HandleAllocated()) owner = mainForm_->WindowHandle();
    return messageBoxFunction(owner, Text, Caption, Flags);
}

void ApplicationCallbackExceptionHandler(std::exception_ptr error) {
    // Installed only while the application object exists.
    if (Application) Application->HandleException(nullptr, error);
}

// ---- mouse and hints ----

void TApplication::CheckMouseControl() {
    POINT p;
    GetCursorPos(&p);
    TControl* control = FindDragTarget(p, true);
    if (control == mouseControl_) return;
    TControl* old = mouseControl_;
    mouseControl_ = control;
    if (old) old->Perform(CM_MOUSELEAVE);
    // The leave handler may have freed the new control; only send to a control still there.
    if (mouseControl_ == control && control) control->Perform(CM_MOUSEENTER);
}

void TApplication::SetHint(const String& v) {
    if (hint_ == v) return;
    hint_ = v;
    if (OnHint) {
        OnHint(this);
        return;
    }
    THintAction action(nullptr);
    action.SetHint(v);
    action.Execute();
}

// ---- actions and help ----

bool TApplication::DispatchAction(Cardinal message, TBasicAction* action) {
    TCustomForm* active = Screen ? Screen->ActiveForm() : nullptr;
    if (active && active->Perform(message, 0, reinterpret_cast<LPARAM>(action)) != 0) return true;
    return mainForm_ && mainForm_ != active && mainForm_->Perform(message, 0, reinterpret_cast<LPARAM>(action)) != 0;
}

bool TApplication::ExecuteAction(TBasicAction* Action) { return DispatchAction(CM_ACTIONEXECUTE, Action); }

bool TApplication::UpdateAction(TBasicAction* Action) { return DispatchAction(CM_ACTIONUPDATE, Action); }

bool TApplication::HelpContext(THelpContext Context) { return HelpCommand(HELP_CONTEXT, Context); }

bool TApplication::HelpCommand(Word Command, NativeInt Data) {
    bool callHelp = true;
    TCustomForm* form = Screen ? Screen->ActiveForm() : nullptr;
    if (form && form->OnHelp) return form->OnHelp(Command, Data, callHelp);
    if (OnHelp) return OnHelp(Command, Data, callHelp);
    return false;
}

void TApplication::SetShowHint(bool v) {
    if (showHint_ == v) return;
    showHint_ = v;
    if (!v) CancelHint();
}

void TApplication::HintMouseMessage(TControl* Control, TMessage&) {
    if (!showHint_ || Control == hintControl_) return;
    CancelHint();
    if (!Control->ShowHint() || Control->Hint().empty()) return;
    hintControl_ = Control;
    SetTimer(handle_, kHintShowTimer, UINT(hintPause_), nullptr);
}

void TApplication::ActivateHint() {
    if (!hintControl_ || !showHint_) return;
    POINT p;
    GetCursorPos(&p);
    if (FindDragTarget(p, true) != hintControl_) {
        CancelHint();
        return;
    }
    if (!hintWindow_) hintWindow_ = new THintWindow(nullptr);
    TRect r = hintWindow_->CalcHintRect(Screen ? Screen->Width() : 800, hintControl_->Hint());
    OffsetRect(&r, p.x, p.y + GetSystemMetrics(SM_CYCURSOR) / 2 + 4);
    hintWindow_->ActivateHint(r, hintControl_->Hint());
    SetTimer(handle_, kHintHideTimer, UINT(hintHidePause_), nullptr);
}

void TApplication::HideHint() {
    if (hintWindow_) hintWindow_->ReleaseHandle();
}

void TApplication::CancelHint() {
    if (handle_) {
        KillTimer(handle_, kHintShowTimer);
        KillTimer(handle_, kHintHideTimer);
    }
    hintControl_ = nullptr;
    HideHint();
}

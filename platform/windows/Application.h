#pragma once
// TApplication: the program's one application object (global `Application`) with the message
// loop of the GUI thread.
//
// The loop takes a message, pre-processes it (OnMessage, hints, the key reflection to the
// focused control, dialog keys), translates and dispatches it; when the queue is empty it runs
// the idle step: mouse-enter/leave tracking and hints, OnIdle, the forms' action updates and the
// calls queued by other threads; then it waits for the next message.
//
// Exceptions that escape a handler are shown by HandleException in the standard error box (the
// message, the application's title, the error icon); the box goes through a replaceable message
// box function so that tests can record it.

#include <exception>
#include <vector>

#include "Form.h"

class THintWindow;

using TIdleEvent = TEvent<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = TEvent<void(TObject* Sender, const Exception& E)>;
using TMessageEvent = TEvent<void(MSG& Msg, bool& Handled)>;

// Shows a message box; the default calls MessageBoxW. Tests install one that records.
using TMessageBoxFunction = int (*)(HWND owner, const String& text, const String& caption, UINT flags);
// Installs the function and returns the previous one (null restores the default).
TMessageBoxFunction SetMessageBoxFunction(TMessageBoxFunction function);

class TApplication : public TComponent {
    Z_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // Runs the initialization hook (InitProc), if one is installed.
    void Initialize();
    String Title() const;
    void SetTitle(const String& v);
    HICON Icon() const { return icon_; }
    void SetIcon(HICON v);
    // The hidden application window.
    HWND Handle() const { return handle_; }

    // Creates a form of the class, owned by the application; the first form becomes MainForm.
    // An exception while the main form is built is shown; the application then terminates
    // with exit code 1. An exception while another form is built propagates.
    TCustomForm* CreateForm(TClass formClass);
    template <class T>
    void CreateForm(T*& reference) {
        reference = nullptr;
        reference = static_cast<T*>(CreateForm(T::StaticClass()));
    }
    TCustomForm* MainForm() const { return mainForm_; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool v) { showMainForm_ = v; }

    // Shows the main form and runs the loop until Terminate; does nothing without a main form.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    int ExitCode() const { return exitCode_; }
    void SetExitCode(int v) { exitCode_ = v; }
    // Handles every message in the queue, then returns.
    void ProcessMessages();
    // Handles one message, or runs the idle step (which waits) when there is none.
    void HandleMessage();

    // Reports the exception being handled (call inside a catch block) or the one given.
    void HandleException(TObject* Sender);
    void HandleException(TObject* Sender, std::exception_ptr error);
    void ShowException(const Exception& E);
    int MessageBox(const String& Text, const String& Caption, UINT Flags = MB_OK);

    // Hints. A new Hint goes to OnHint, or, without a handler, to the forms as a THintAction
    // (a status bar shows it).
    const String& Hint() const { return hint_; }
    void SetHint(const String& v);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v);
    int HintPause() const { return hintPause_; }
    void SetHintPause(int v) { hintPause_ = v; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int v) { hintHidePause_ = v; }
    void CancelHint();
    void HintMouseMessage(TControl* Control, TMessage& Message);

    // The control under the mouse, which has received CM_MOUSEENTER.
    TControl* MouseControl() const { return mouseControl_; }
    // Compares the control under the cursor with the last one and sends CM_MOUSELEAVE and
    // CM_MOUSEENTER when it changed.
    void CheckMouseControl();

    // Offers an action that its list and its own handlers left alone to the active form and the
    // main form (CM_ACTIONEXECUTE, CM_ACTIONUPDATE); true when a control took it.
    bool ExecuteAction(TBasicAction* Action);
    bool UpdateAction(TBasicAction* Action);

    // Help requests go to the active form's OnHelp, else to the application's; the program has
    // no help file, so nothing more happens. The result is the handler's.
    bool HelpContext(THelpContext Context);
    bool HelpCommand(Word Command, NativeInt Data);
    THelpEvent OnHelp;

    TIdleEvent OnIdle;
    TExceptionEvent OnException;
    TMessageEvent OnMessage;
    TNotifyEvent OnHint;

    // Wakes the loop from another thread when a call has been queued for it.
    void WakeMainThread(TObject* Sender);

    // Internal: a control or form is going away.
    void ControlDestroyed(TControl* control);
    void FormDestroyed(TCustomForm* form);

private:
    bool ProcessMessage(MSG& msg);
    bool IsKeyMsg(MSG& msg);
    bool IsMDIMsg(MSG& msg);
    bool DispatchAction(Cardinal message, TBasicAction* action);
    bool IsHintMsg(MSG& msg);
    void Idle();
    void WndProc(TMessage& Message);
    void ActivateHint();
    void HideHint();

    HWND handle_ = nullptr;
    String title_;
    HICON icon_ = nullptr;
    TCustomForm* mainForm_ = nullptr;
    bool showMainForm_ = true;
    bool terminated_ = false;
    int exitCode_ = 0;
    TControl* mouseControl_ = nullptr;
    String hint_;
    bool showHint_ = true;
    int hintPause_ = 500;
    int hintHidePause_ = 2500;
    TControl* hintControl_ = nullptr;
    THintWindow* hintWindow_ = nullptr;
};

// The application object of the program, made by the platform's start-up.
extern TApplication* Application;

// The hook that TApplication::Initialize calls, null until a library installs one. A library
// chains itself in: it keeps the value it found, installs its own procedure and calls the kept
// one from it, and puts the kept one back when it finishes.
using TInitProc = void (*)();
extern TInitProc InitProc;

// Tells the application that a control is being destroyed (forgets it as mouse or hint control).
void NotifyControlDestroyed(TControl* control);
// The handler of exceptions caught at callback barriers: the application's HandleException.
void ApplicationCallbackExceptionHandler(std::exception_ptr error);

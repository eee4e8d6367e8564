#pragma once
// Hidden message windows of the toolkit: a plain shared one, the system controller that runs
// queued cross-thread calls, and (in cxTimer) the timer window.

#include "Messages.h"
#include "SysObject.h"

class TcxMessageWindow : public TObject {
    Z_CLASS(TcxMessageWindow, TObject)
public:
    TcxMessageWindow();
    ~TcxMessageWindow() override;
    HWND Handle() const { return handle_; }

protected:
    // Every message of the window; the base hands it to the default window procedure.
    virtual void WndProc(TMessage& Message);

private:
    void MainWndProc(TMessage& Message) { WndProc(Message); }
    HWND handle_ = nullptr;
};

// Answers CM_RUNSYNCHRONIZE by running the queued cross-thread calls. Only a library module
// makes it the wake-up of those calls; an executable keeps the application's own.
class TcxSystemController : public TcxMessageWindow {
    Z_CLASS(TcxSystemController, TcxMessageWindow)
public:
    TcxSystemController();
    ~TcxSystemController() override;

protected:
    void WndProc(TMessage& Message) override;

private:
    void WakeUp(TObject* Sender);
    bool hooked_ = false;
    TNotifyEvent previousWakeUp_;
};

// The shared plain message window, made on first use; null while the toolkit is finishing.
TcxMessageWindow* GetMessageWindow();
TcxSystemController* SystemController();

void CreateSystemController();
void FreeSystemController();
void FreeMessageWindow();

#include "cxMessageWindow.h"

#include "MessageWindow.h"
#include "Threads.h"
#include "cxWindowHelpers.h"

namespace {

TcxMessageWindow* messageWindow = nullptr;
TcxSystemController* systemController = nullptr;

bool IsLibraryModule() {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&IsLibraryModule), &self);
    return self && self != GetModuleHandleW(nullptr);
}

}  // namespace

TcxMessageWindow::TcxMessageWindow() { handle_ = AllocateHWnd(MakeEvent(this, &TcxMessageWindow::MainWndProc)); }

TcxMessageWindow::~TcxMessageWindow() { DeallocateHWnd(handle_); }

void TcxMessageWindow::WndProc(TMessage& Message) {
    Message.Result = DefWindowProcW(handle_, Message.Msg, Message.WParam, Message.LParam);
}

TcxSystemController::TcxSystemController() {
    if (IsLibraryModule()) {
        previousWakeUp_ = WakeMainThread;
        WakeMainThread = MakeEvent(this, &TcxSystemController::WakeUp);
        hooked_ = true;
    }
}

TcxSystemController::~TcxSystemController() {
    if (hooked_) WakeMainThread = previousWakeUp_;
}

void TcxSystemController::WakeUp(TObject*) { PostMessageW(Handle(), CM_RUNSYNCHRONIZE, 0, 0); }

void TcxSystemController::WndProc(TMessage& Message) {
    if (Message.Msg == CM_RUNSYNCHRONIZE) {
        CheckSynchronize();
        Message.Result = 0;
    } else {
        TcxMessageWindow::WndProc(Message);
    }
}

TcxMessageWindow* GetMessageWindow() {
    if (!messageWindow && !IsToolkitControlsFinalizing()) messageWindow = new TcxMessageWindow;
    return messageWindow;
}

TcxSystemController* SystemController() { return systemController; }

void CreateSystemController() {
    if (!systemController) systemController = new TcxSystemController;
}

void FreeSystemController() { FreeAndNil(systemController); }

void FreeMessageWindow() { FreeAndNil(messageWindow); }

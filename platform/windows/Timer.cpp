#include "Timer.h"

#include "Application.h"
#include "MessageWindow.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { window_ = AllocateHWnd(MakeEvent(this, &TTimer::WndProc)); }

TTimer::~TTimer() {
    enabled_ = false;
    UpdateTimer();
    DeallocateHWnd(window_);
}

void TTimer::SetEnabled(bool v) {
    if (enabled_ == v) return;
    enabled_ = v;
    UpdateTimer();
}

void TTimer::SetInterval(Cardinal v) {
    if (interval_ == v) return;
    interval_ = v;
    UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& v) {
    onTimer_ = v;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    KillTimer(window_, 1);
    if (interval_ != 0 && enabled_ && onTimer_) {
        if (SetTimer(window_, 1, interval_, nullptr) == 0) throw EOutOfResources(L"Not enough timers available");
    }
}

void TTimer::Timer() {
    if (onTimer_) onTimer_(this);
}

void TTimer::WndProc(TMessage& Message) {
    if (Message.Msg != WM_TIMER) {
        Message.Result = DefWindowProcW(window_, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    try {
        Timer();
    } catch (...) {
        if (!Application) throw;
        Application->HandleException(this);
    }
}

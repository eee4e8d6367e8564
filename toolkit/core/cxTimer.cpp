#include "cxTimer.h"

#include <algorithm>
#include <vector>

#include "cxMessageWindow.h"
#include "cxWindowHelpers.h"

class TcxTimerWindow : public TcxMessageWindow {
    Z_CLASS(TcxTimerWindow, TcxMessageWindow)
protected:
    void WndProc(TMessage& Message) override;
};

namespace {

TcxTimerWindow* timerWindow = nullptr;
// The running timers. A WM_TIMER already queued for a timer that has stopped or been freed
// since finds no entry and is dropped.
std::vector<TcxTimer*> activeTimers;

TcxTimer* FindActiveTimer(UINT_PTR id) {
    for (TcxTimer* t : activeTimers)
        if (t->EventID() == id) return t;
    return nullptr;
}

}  // namespace

void TcxTimerWindow::WndProc(TMessage& Message) {
    if (Message.Msg == WM_TIMER) {
        if (TcxTimer* timer = FindActiveTimer(Message.WParam)) timer->TimeOut();
        Message.Result = 0;
    } else {
        TcxMessageWindow::WndProc(Message);
    }
}

TcxMessageWindow* GetTimerWindow() {
    if (!timerWindow && !IsToolkitControlsFinalizing()) timerWindow = new TcxTimerWindow;
    return timerWindow;
}

void FinalizeTimers() {
    FreeAndNil(timerWindow);
    activeTimers.clear();
}

TcxTimer::TcxTimer(TComponent* AOwner) : TComponent(AOwner) {}

TcxTimer::~TcxTimer() { KillSystemTimer(); }

void TcxTimer::SetEnabled(bool v) {
    if (enabled_ == v) return;
    enabled_ = v;
    UpdateTimer();
}

void TcxTimer::SetInterval(Cardinal v) {
    if (v == 0 || v == interval_) return;
    interval_ = v;
    UpdateTimer();
}

void TcxTimer::SetOnTimer(const TNotifyEvent& v) {
    onTimer_ = v;
    UpdateTimer();
}

void TcxTimer::TimeOut() {
    if (onTimer_) onTimer_(this);
}

void TcxTimer::KillSystemTimer() {
    if (!on_) return;
    if (timerWindow) KillTimer(timerWindow->Handle(), EventID());
    on_ = false;
    activeTimers.erase(std::remove(activeTimers.begin(), activeTimers.end(), this), activeTimers.end());
}

void TcxTimer::UpdateTimer() {
    KillSystemTimer();
    if (!enabled_ || !onTimer_) return;
    TcxMessageWindow* window = GetTimerWindow();
    if (!window) return;
    on_ = SetTimer(window->Handle(), EventID(), interval_, nullptr) != 0;
    if (on_) activeTimers.push_back(this);
}

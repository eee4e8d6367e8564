#pragma once
// TcxTimer: a timer component whose system timers all run on one shared hidden window, so that
// many toolkit timers cost one window. A timer runs while it is enabled and has OnTimer, so
// OnTimer has a setter, unlike other events: assigning the handler is what starts the timer.

#include "Component.h"
#include "Events.h"

class TcxMessageWindow;

class TcxTimer : public TComponent {
    Z_CLASS(TcxTimer, TComponent)
    Z_PUBLISHED {
        p.Property(L"Enabled", &TcxTimer::Enabled, &TcxTimer::SetEnabled).Default(true);
        p.Property(L"Interval", &TcxTimer::Interval, &TcxTimer::SetInterval).Default(1000);
        p.Property(L"OnTimer", &TcxTimer::OnTimer, &TcxTimer::SetOnTimer);
    }

public:
    explicit TcxTimer(TComponent* AOwner);
    ~TcxTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    // Milliseconds; 0 is ignored.
    Cardinal Interval() const { return interval_; }
    void SetInterval(Cardinal v);
    TNotifyEvent OnTimer() const { return onTimer_; }
    void SetOnTimer(const TNotifyEvent& v);
    // A system timer is running for this timer.
    bool IsRunning() const { return on_; }
    UINT_PTR EventID() const { return reinterpret_cast<UINT_PTR>(this); }

protected:
    // Runs on every tick; the handler may free the timer.
    virtual void TimeOut();

private:
    friend class TcxTimerWindow;
    void UpdateTimer();
    void KillSystemTimer();

    bool enabled_ = true;
    Cardinal interval_ = 1000;
    TNotifyEvent onTimer_;
    bool on_ = false;
};

// The shared window the timers run on; made on first use, null while the toolkit is finishing.
TcxMessageWindow* GetTimerWindow();
void FinalizeTimers();

#pragma once
// TTimer: fires OnTimer every Interval milliseconds on the GUI thread, through a hidden window
// of its own. A timer without OnTimer, disabled or with interval 0 does not run.
// OnTimer has a setter, unlike other events: assigning the handler is what starts the timer.

#include "Component.h"
#include "Messages.h"

class TTimer : public TComponent {
    Z_CLASS(TTimer, TComponent)
    Z_PUBLISHED {
        p.Property(L"Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
        p.Property(L"Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
        p.Property(L"OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer);
    }

public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    Cardinal Interval() const { return interval_; }
    void SetInterval(Cardinal v);
    TNotifyEvent OnTimer() const { return onTimer_; }
    void SetOnTimer(const TNotifyEvent& v);

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& Message);

    HWND window_ = nullptr;
    bool enabled_ = true;
    Cardinal interval_ = 1000;
    TNotifyEvent onTimer_;
};

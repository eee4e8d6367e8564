#pragma once
// Mouse-leave tracking: a caller asks to hear when the pointer leaves a control (or a part of
// it); a 10 ms timer per caller checks the pointer, sends the control CM_MOUSELEAVE (lParam the
// control) and tells the caller, then stops.

#include "GraphicsTypes.h"
#include "Interfaces.h"
#include "cxTimer.h"

class TWinControl;

struct IcxMouseTrackingCaller : virtual IInterface {
    virtual void MouseLeave() = 0;
};

// A caller that decides itself whether a client point of the control is inside it.
struct IcxMouseTrackingHitTest : virtual IInterface {
    virtual bool PointInCaller(const TPoint& clientPoint) = 0;
};

class TMouseTrackingTimer : public TcxTimer {
    Z_CLASS(TMouseTrackingTimer, TcxTimer)
public:
    TMouseTrackingTimer(TWinControl* control, const TRect& screenBounds, IcxMouseTrackingCaller* caller);
    ~TMouseTrackingTimer() override;
    TWinControl* Control() const { return control_; }
    const TRect& Bounds() const { return bounds_; }
    IcxMouseTrackingCaller* Caller() const { return caller_; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void Check(TObject* Sender);
    TWinControl* control_;
    TRect bounds_;
    IcxMouseTrackingCaller* caller_;
};

// bounds are in the control's client coordinates (screen coordinates without a control).
void StartMouseTracking(TWinControl* control, const TRect& bounds, IcxMouseTrackingCaller* caller);
void StopMouseTracking(IcxMouseTrackingCaller* caller);
bool IsMouseTracked(IcxMouseTrackingCaller* caller);
TMouseTrackingTimer* FindMouseTrackingTimer(IcxMouseTrackingCaller* caller);
// Frees what is still tracked when the toolkit finishes.
void FinalizeMouseTracking();

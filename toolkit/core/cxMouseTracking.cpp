#include "cxMouseTracking.h"

#include <algorithm>
#include <vector>

#include "WinControl.h"
#include "cxWindowHelpers.h"

namespace {

std::vector<TMouseTrackingTimer*>* trackingList = nullptr;

std::vector<TMouseTrackingTimer*>& TrackingList() {
    if (!trackingList) trackingList = new std::vector<TMouseTrackingTimer*>;
    return *trackingList;
}

}  // namespace

TMouseTrackingTimer::TMouseTrackingTimer(TWinControl* control, const TRect& screenBounds,
                                         IcxMouseTrackingCaller* caller)
    : TcxTimer(nullptr), control_(control), bounds_(screenBounds), caller_(caller) {
    // A control freed while tracked must not be touched by the next check.
    if (control_) control_->FreeNotification(this);
    SetInterval(10);
    SetOnTimer(MakeEvent(this, &TMouseTrackingTimer::Check));
}

TMouseTrackingTimer::~TMouseTrackingTimer() {
    if (control_) control_->RemoveFreeNotification(this);
}

void TMouseTrackingTimer::Notification(TComponent* component, TOperation operation) {
    TcxTimer::Notification(component, operation);
    if (operation == opRemove && component == control_) control_ = nullptr;
}

void TMouseTrackingTimer::Check(TObject*) {
    TPoint cursor = QueryCursorPos();
    bool hasWindow = control_ && control_->HandleAllocated();
    bool inside;
    IcxMouseTrackingHitTest* hitTest;
    if (Supports(caller_, hitTest))
        inside = hasWindow && hitTest->PointInCaller(MapPointBetweenWindows(nullptr, control_->WindowHandle(), cursor));
    else
        inside = PtInRect(&bounds_, cursor) != 0;
    bool available = hasWindow && IsWindowEnabledDeep(control_->WindowHandle());
    if (inside && available) return;

    if (hasWindow) {
        TPoint client = MapPointBetweenWindows(nullptr, control_->WindowHandle(), cursor);
        TRect clientRect = QueryClientRect(control_->WindowHandle());
        if (!available || !PtInRect(&clientRect, client))
            control_->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(control_));
    }
    // The caller may stop the tracking itself (and so free this timer).
    IcxMouseTrackingCaller* caller = caller_;
    caller->MouseLeave();
    StopMouseTracking(caller);
}

TMouseTrackingTimer* FindMouseTrackingTimer(IcxMouseTrackingCaller* caller) {
    if (!trackingList) return nullptr;
    for (TMouseTrackingTimer* t : *trackingList)
        if (t->Caller() == caller) return t;
    return nullptr;
}

void StartMouseTracking(TWinControl* control, const TRect& bounds, IcxMouseTrackingCaller* caller) {
    if (IsToolkitControlsFinalizing() || !caller || FindMouseTrackingTimer(caller)) return;
    TRect screenBounds = bounds;
    if (control) {
        TPoint topLeft = control->ClientToScreen(TPoint{bounds.left, bounds.top});
        TPoint bottomRight = control->ClientToScreen(TPoint{bounds.right, bounds.bottom});
        screenBounds = TRect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    }
    TrackingList().push_back(new TMouseTrackingTimer(control, screenBounds, caller));
}

void StopMouseTracking(IcxMouseTrackingCaller* caller) {
    TMouseTrackingTimer* timer = FindMouseTrackingTimer(caller);
    if (!timer) return;
    trackingList->erase(std::find(trackingList->begin(), trackingList->end(), timer));
    FreeObject(timer);
}

bool IsMouseTracked(IcxMouseTrackingCaller* caller) {
    return !IsToolkitControlsFinalizing() && FindMouseTrackingTimer(caller) != nullptr;
}

void FinalizeMouseTracking() {
    if (!trackingList) return;
    // Entries left at exit belong to callers that never stopped; free them rather than fail.
    for (TMouseTrackingTimer* t : *trackingList) FreeObject(t);
    delete trackingList;
    trackingList = nullptr;
}

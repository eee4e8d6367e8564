#pragma once
// Design-time notifications: a form's designer hears that a form or a control changed. This
// program has no form designer and never runs in design state, so the notifications keep their
// checks (locks, re-entry, design state) and tell nobody. The bar manager derives its own
// design controller from TcxDesignController.

#include "SysObject.h"

class TControl;
class TCustomForm;

class TcxDesignController : public TObject {
    Z_CLASS(TcxDesignController, TObject)
public:
    TcxDesignController() = default;
    // Nothing while locked or while a notification runs.
    void NotifyFormDesigner(TCustomForm* form);
    void LockDesignerNotify() { ++lockCount_; }
    void UnlockDesignerNotify() {
        if (lockCount_ > 0) --lockCount_;
    }
    int LockCount() const { return lockCount_; }
    bool IsNotifying() const { return notifying_; }

private:
    int lockCount_ = 0;
    bool notifying_ = false;
};

// For a control in design state (a TcxControl that reports IsDesigning): its root's designer
// would hear that it changed.
void NotifyDesignerOfControl(TControl* control);

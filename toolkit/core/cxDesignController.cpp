#include "cxDesignController.h"

#include "Form.h"
#include "cxControl.h"

void TcxDesignController::NotifyFormDesigner(TCustomForm* form) {
    if (lockCount_ > 0 || notifying_ || !form) return;
    notifying_ = true;
    // The form's designer would be told here: forms of this program have none.
    notifying_ = false;
}

void NotifyDesignerOfControl(TControl* control) {
    if (!control) return;
    auto* cxControl = As<TcxControl>(control);
    const bool designing = cxControl ? cxControl->IsDesigning() : control->ComponentState().Contains(csDesigning);
    if (!designing) return;
    // The root's designer would be told here: this program has none.
}

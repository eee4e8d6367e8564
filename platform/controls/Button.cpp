#include "Button.h"

#include "ShortCuts.h"

TButton::TButton(TComponent* AOwner) : TSystemControl(AOwner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& Params) {
    TSystemControl::CreateParams(Params);
    Params.Style |= ButtonStyle();
}

void TButton::SetDefault(bool v) {
    if (AssignIfChanged(default_, v) && HandleAllocated()) ::SendMessageW(handle_, BM_SETSTYLE, ButtonStyle(), TRUE);
}

void TButton::DoClick() {
    if (modalResult_ != mrNone)
        if (TCustomForm* form = GetParentForm()) form->SetModalResult(modalResult_);
    TSystemControl::DoClick();
}

bool TButton::Active() const {
    TCustomForm* form = GetParentForm();
    TWinControl* focused = form ? form->ActiveControl() : nullptr;
    return focused == this || (default_ && !Is<TButton>(focused));
}

void TButton::CNCommand(TMessage& Message) {
    if (Message.WParamHi() == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& Message) {
    bool key = (Message.WParam == VK_RETURN && Active()) || (Message.WParam == VK_ESCAPE && cancel_);
    // Never with Shift, Ctrl or Alt held.
    TShiftState modifiers =
        (GetShiftState() + KeyDataToShiftState(Message.LParam)) * TShiftState{ssShift, ssCtrl, ssAlt};
    if (key && modifiers.Empty() && Visible() && Enabled()) {
        Click();
        Message.Result = 1;
    }
}

void TButton::CMDialogChar(TMessage& Message) {
    if (IsAccel(wchar_t(Message.WParam), Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
    }
}

#include "CheckBox.h"

#include "Actions.h"
#include "ShortCuts.h"

TCheckBox::TCheckBox(TComponent* AOwner) : TSystemControl(AOwner) {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCheckBox::CreateParams(TCreateParams& Params) {
    TSystemControl::CreateParams(Params);
    // The box does not change itself: the control moves the state.
    Params.Style |= BS_3STATE;
    if (alignment_ == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCheckBox::FillWindow() {
    static const WPARAM checks[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
    ::SendMessageW(handle_, BM_SETCHECK, checks[state_], 0);
}

void TCheckBox::SetAlignment(TAlignment v) {
    if (AssignIfChanged(alignment_, v)) RecreateWnd();
}

void TCheckBox::SetState(TCheckBoxState v) {
    if (!AssignIfChanged(state_, v)) return;
    if (HandleAllocated()) FillWindow();
    if (!IsLoading()) Click();
}

void TCheckBox::Toggle() {
    switch (state_) {
        case cbUnchecked:
            SetState(cbChecked);
            break;
        case cbChecked:
            SetState(allowGrayed_ ? cbGrayed : cbUnchecked);
            break;
        case cbGrayed:
            SetState(cbUnchecked);
            break;
    }
}

void TCheckBox::ActionChange(TObject* Sender, bool CheckDefaults) {
    TSystemControl::ActionChange(Sender, CheckDefaults);
    if (auto* action = As<TCustomAction>(Sender); action && (!CheckDefaults || !Checked()))
        SetChecked(action->Checked());
}

void TCheckBox::CNCommand(TMessage& Message) {
    if (Message.WParamHi() == BN_CLICKED) Toggle();
}

void TCheckBox::CMDialogChar(TMessage& Message) {
    if (IsAccel(wchar_t(Message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        Toggle();
        Message.Result = 1;
    }
}

#pragma once
// TButton: a push button over the system's "BUTTON" class. A Default button is clicked by Enter
// unless another button has the focus; a Cancel button by Escape; a click sets the form's
// ModalResult.

#include "Form.h"
#include "SystemControl.h"

class TButton : public TSystemControl {
    Z_CLASS(TButton, TSystemControl)
    Z_PUBLISHED {
        p.Property(L"TabStop", &TButton::TabStop, &TButton::SetTabStop).Default(true);
        p.Property(L"Default", &TButton::Default, &TButton::SetDefault).Default(false);
        p.Property(L"Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
        p.Property(L"ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(mrNone);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(CN_COMMAND, CNCommand), Z_MESSAGE(CM_DIALOGKEY, CMDialogKey),
                  Z_MESSAGE(CM_DIALOGCHAR, CMDialogChar))

public:
    explicit TButton(TComponent* AOwner);
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult v) { modalResult_ = v; }

protected:
    const wchar_t* SystemClassName() const override { return L"BUTTON"; }
    void CreateParams(TCreateParams& Params) override;
    // The BS_ style of the window.
    virtual DWORD ButtonStyle() const { return default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }
    // Sets the form's ModalResult, then OnClick.
    void DoClick() override;
    // True when Enter clicks this button: it has the focus, or it is the Default button and no
    // other button has.
    bool Active() const;

private:
    void CNCommand(TMessage& Message);
    void CMDialogKey(TMessage& Message);
    void CMDialogChar(TMessage& Message);

    bool default_ = false;
    bool cancel_ = false;
    TModalResult modalResult_ = mrNone;
};

#pragma once
// TCheckBox: a check box over the system's "BUTTON" class, with an optional third, grayed state.
// A click moves it to the next state (unchecked, checked, grayed when AllowGrayed); any change
// of the state fires OnClick.

#include "CheckBoxState.h"
#include "SystemControl.h"

class TCheckBox : public TSystemControl {
    Z_CLASS(TCheckBox, TSystemControl)
    Z_PUBLISHED {
        p.Property(L"TabStop", &TCheckBox::TabStop, &TCheckBox::SetTabStop).Default(true);
        p.Property(L"Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment).Default(taRightJustify);
        p.Property(L"AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed).Default(false);
        p.Property(L"State", &TCheckBox::State, &TCheckBox::SetState).Default(cbUnchecked);
        p.Property(L"Checked", &TCheckBox::Checked, &TCheckBox::SetChecked).Stored(false);  // State is
    }
    Z_MESSAGE_MAP(Z_MESSAGE(CN_COMMAND, CNCommand), Z_MESSAGE(CM_DIALOGCHAR, CMDialogChar))

public:
    explicit TCheckBox(TComponent* AOwner);
    // taRightJustify puts the caption right of the box, taLeftJustify left of it.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v) { allowGrayed_ = v; }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState v);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }

protected:
    const wchar_t* SystemClassName() const override { return L"BUTTON"; }
    void CreateParams(TCreateParams& Params) override;
    void FillWindow() override;
    // Moves to the next state.
    virtual void Toggle();
    // A linked action's Checked becomes the box's.
    void ActionChange(TObject* Sender, bool CheckDefaults) override;

private:
    void CNCommand(TMessage& Message);
    void CMDialogChar(TMessage& Message);

    TAlignment alignment_ = taRightJustify;
    bool allowGrayed_ = false;
    TCheckBoxState state_ = cbUnchecked;
};

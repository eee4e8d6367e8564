#pragma once
// TCustomMaskEdit: the base of edits that check what is typed. It carries no input mask: every
// text is valid as far as the base is concerned. A descendant that finds the text invalid calls
// ValidateError, which it may override to supply its own message.

#include "CustomEdit.h"

Z_EXCEPTION(EDBEditError, Exception)

class TCustomMaskEdit : public TCustomEdit {
    Z_CLASS(TCustomMaskEdit, TCustomEdit)
public:
    explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    // The text as edited; without a mask, the text itself.
    String EditText() const { return Text(); }
    void SetEditText(const String& v) { SetText(v); }

protected:
    // Beeps and raises EDBEditError "Invalid input value".
    virtual void ValidateError();
};

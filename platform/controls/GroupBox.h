#pragma once
// TCustomGroupBox and TGroupBox: a container framed by an etched line with its caption set into
// the top edge.

#include "CustomControl.h"

class TCustomGroupBox : public TCustomControl {
    Z_CLASS(TCustomGroupBox, TCustomControl)
    Z_MESSAGE_MAP(Z_MESSAGE(CM_TEXTCHANGED, CMTextChanged), Z_MESSAGE(CM_FONTCHANGED, CMFontChanged))
public:
    explicit TCustomGroupBox(TComponent* AOwner);
    // Inside the frame and below the caption.
    void AdjustClientRect(TRect& rect) override;

protected:
    void Paint() override;

private:
    void CMTextChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
};

class TGroupBox : public TCustomGroupBox {
    Z_CLASS(TGroupBox, TCustomGroupBox)
public:
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

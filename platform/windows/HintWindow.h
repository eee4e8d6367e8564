#pragma once
// THintWindow: the small pop-up window that shows a control's hint near the mouse.

#include "CustomControl.h"

class THintWindow : public TCustomControl {
    Z_CLASS(THintWindow, TCustomControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_NCHITTEST, WMNCHitTest))
public:
    explicit THintWindow(TComponent* AOwner);
    // Shows the window at rect (screen coordinates) with the text, without taking the focus.
    virtual void ActivateHint(TRect rect, const String& hint);
    // The rectangle (at the origin) the text needs, wrapped at maxWidth.
    virtual TRect CalcHintRect(int maxWidth, const String& hint);
    // Hides the window and gives up its handle.
    void ReleaseHandle() { DestroyHandle(); }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;

private:
    void WMNCHitTest(TMessage& Message) { Message.Result = HTTRANSPARENT; }
};

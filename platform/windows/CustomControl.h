#pragma once
// TCustomControl: a windowed control that paints itself on its Canvas in Paint.

#include "ControlCanvas.h"
#include "WinControl.h"

class TCustomControl : public TWinControl {
    Z_CLASS(TCustomControl, TWinControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_PAINT, WMPaint))
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* Canvas() const { return canvas_; }

protected:
    // Draws the control on Canvas; the base draws nothing.
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;
    void DestroyWnd() override;

private:
    void WMPaint(TMessage& Message);
    TControlCanvas* canvas_;
};

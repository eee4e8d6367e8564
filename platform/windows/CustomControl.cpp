#include "CustomControl.h"

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), canvas_(new TControlCanvas(this)) {}

TCustomControl::~TCustomControl() {
    // The window goes first, while the canvas and the derived parts it may reach still exist.
    if (handle_) DestroyHandle();
    delete canvas_;
}

void TCustomControl::WMPaint(TMessage& Message) {
    IncludeState(csCustomPaint);
    try {
        Inherited<TWinControl>(Message);
    } catch (...) {
        ExcludeState(csCustomPaint);
        throw;
    }
    ExcludeState(csCustomPaint);
}

void TCustomControl::PaintWindow(HDC dc) {
    canvas_->FreeHandle();
    TCanvasPaintScope scope(canvas_, dc);
    Paint();
}

void TCustomControl::DestroyWnd() {
    canvas_->FreeHandle();
    TWinControl::DestroyWnd();
}

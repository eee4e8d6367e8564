#include "RzControlFrame.h"

#include "Canvas.h"
#include "RzGrafx.h"
#include "WinControl.h"

namespace {

// A colour that names one of the system's colours (resolved when drawn).
bool IsSystemColorValue(TColor color) { return (unsigned(Integer(color)) & 0xFF000000u) == 0xFF000000u; }

}  // namespace

bool TRzControlFrame::Hot() const { return HotTrack && (control_->Focused() || MouseOver); }

void TRzControlFrame::ShowStateColor() {
    if (control_->ComponentState().Contains(csLoading)) return;
    const TColor color = !control_->Enabled() ? DisabledColor : control_->Focused() ? FocusColor : UnfocusedColor;
    settingColor_ = true;
    try {
        control_->SetColor(color);
    } catch (...) {
        settingColor_ = false;
        throw;
    }
    settingColor_ = false;
}

bool TRzControlFrame::ColorChanged() {
    if (!settingColor_) {
        if (FocusColor == UnfocusedColor) FocusColor = control_->Color();
        UnfocusedColor = control_->Color();
    }
    return Painted();
}

void TRzControlFrame::SystemColorsChanged() {
    if (IsSystemColorValue(control_->Color())) control_->Perform(CM_COLORCHANGED);
}

void TRzControlFrame::PaintNonClient() const {
    if (!Painted() || !control_->HandleAllocated()) return;
    HWND window = control_->WindowHandle();
    RECT bounds{};
    GetWindowRect(window, &bounds);
    HDC dc = GetWindowDC(window);
    if (!dc) return;
    {
        const bool hot = Hot();
        TCanvas canvas;
        canvas.SetHandle(dc);
        PaintControlFrame(&canvas, bounds.right - bounds.left, bounds.bottom - bounds.top, hot ? HotStyle : Style,
                          control_->Color(), hot ? HotColor : Color, Sides, false);
        canvas.SetHandle(nullptr);
    }
    ReleaseDC(window, dc);
}

bool TRzControlFrame::Governed(TRzFrameControllerProperty property) const {
    return Controller && Notifications.Contains(property);
}

bool TRzControlFrame::IsFocusColorStored() const {
    return !Governed(fcpFocusColor) && ColorToRGB(FocusColor) != ColorToRGB(control_->Color());
}

void ShowPopupMenuFor(TControl* control, TPopupMenu* menu, TPoint screen) {
    TControl* capture = GetCaptureControl();
    if (capture && capture != control) capture->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(control));
    menu->SetPopupComponent(control);
    menu->Popup(screen.x, screen.y);
}

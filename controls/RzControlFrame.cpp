#include "RzControlFrame.h"

#include "Canvas.h"
#include "Control.h"
#include "RzGrafx.h"

void TRzControlFrame::Paint(HWND window, TColor controlColor, bool hot) const {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    HDC dc = GetWindowDC(window);
    if (!dc) return;
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        PaintControlFrame(&canvas, bounds.right - bounds.left, bounds.bottom - bounds.top, hot ? HotStyle : Style,
                          controlColor, hot ? HotColor : Color, Sides, false);
        canvas.SetHandle(nullptr);
    }
    ReleaseDC(window, dc);
}

bool TRzControlFrame::Governed(TRzFrameControllerProperty property) const {
    return Controller && Notifications.Contains(property);
}

void ShowPopupMenuFor(TControl* control, TPopupMenu* menu, TPoint screen) {
    TControl* capture = GetCaptureControl();
    if (capture && capture != control) capture->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(control));
    menu->SetPopupComponent(control);
    menu->Popup(screen.x, screen.y);
}

#include "Mouse.h"

TMouse* Mouse = nullptr;

TMouse::TMouse() {}

TPoint TMouse::CursorPos() const {
    POINT p{0, 0};
    GetCursorPos(&p);
    return p;
}

void TMouse::SetCursorPos(TPoint p) { ::SetCursorPos(p.x, p.y); }

void TMouse::SetCapture(HWND window) {
    if (window)
        ::SetCapture(window);
    else
        ReleaseCapture();
}

int TMouse::WheelScrollLines() const {
    if (wheelScrollLines_) return *wheelScrollLines_;
    UINT lines = 3;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) return 3;
    return lines == WHEEL_PAGESCROLL ? -1 : int(lines);
}

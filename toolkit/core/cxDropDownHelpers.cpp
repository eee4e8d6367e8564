#include "cxDropDownHelpers.h"

int DropDownPanelHeight() {
    int sizeHeight = GetSystemMetrics(SM_CYSIZE);
    int scrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    return scrollHeight + 2 < sizeHeight ? sizeHeight + 1 : scrollHeight + 3;
}

TcxCorner CornerFromRectPair(const TRect& ownerRect, const TRect& dropDownRect) {
    bool bottom = ownerRect.bottom < dropDownRect.bottom;
    bool right = ownerRect.left < dropDownRect.right;
    return TcxCorner((bottom ? 2 : 0) + (right ? 1 : 0));
}

int HitTestForCorner(TcxCorner corner) {
    static const int codes[] = {HTTOPLEFT, HTTOPRIGHT, HTBOTTOMLEFT, HTBOTTOMRIGHT};
    return codes[corner & 3];
}

void DrawCornerSizeGrip(HDC dc, TRect& rect, TcxCorner corner) {
    bool right = corner == coTopRight || corner == coBottomRight;
    bool bottom = corner == coBottomLeft || corner == coBottomRight;
    int width = GetSystemMetrics(SM_CXVSCROLL), height = GetSystemMetrics(SM_CYHSCROLL);
    if (right)
        rect.left = rect.right - width;
    else
        rect.right = rect.left + width;
    if (bottom)
        rect.top = rect.bottom - height;
    else
        rect.bottom = rect.top + height;

    // Bands of button face along the outer edges, then the grip in what is left.
    TRect grip = rect;
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    TRect band = grip;
    if (right) {
        band.left = band.right - 2;
        grip.right -= 2;
    } else {
        band.right = band.left + 2;
        grip.left += 2;
    }
    FillRect(dc, &band, face);
    band = grip;
    if (bottom) {
        band.top = band.bottom - 2;
        grip.bottom -= 2;
    } else {
        band.bottom = band.top + 2;
        grip.top += 2;
    }
    FillRect(dc, &band, face);

    int w = grip.right - grip.left, h = grip.bottom - grip.top;
    if (w <= 0 || h <= 0) return;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    TRect local{0, 0, w, h};
    DrawFrameControl(memory, &local, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    // The system grip points to the bottom-right: mirror it into the chosen corner.
    int x = right ? grip.left : grip.right - 1, dx = right ? w : -w;
    int y = bottom ? grip.top : grip.bottom - 1, dy = bottom ? h : -h;
    StretchBlt(dc, x, y, dx, dy, memory, 0, 0, w, h, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

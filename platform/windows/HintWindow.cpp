#include "HintWindow.h"

#include "Screen.h"

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clInfoBk);
    SetParentFont(false);
    if (Screen) Font()->Assign(Screen->HintFont());
    Canvas()->Font()->Assign(Font());
    SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.WindowClass.style |= CS_SAVEBITS;
    Params.WndParent = nullptr;
}

TRect THintWindow::CalcHintRect(int maxWidth, const String& hint) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    RECT r{0, 0, maxWidth, 0};
    DrawTextW(dc, hint.c_str(), int(hint.size()), &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // Room for the border and a little margin on each side.
    r.right += 6;
    r.bottom += 2;
    return r;
}

void THintWindow::ActivateHint(TRect rect, const String& hint) {
    SetCaption(hint);
    // Keep the window on the screen.
    TRect screen =
        Screen ? Screen->DesktopRect() : TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (rect.right > screen.right) OffsetRect(&rect, screen.right - rect.right, 0);
    if (rect.bottom > screen.bottom) OffsetRect(&rect, 0, screen.bottom - rect.bottom);
    if (rect.left < screen.left) OffsetRect(&rect, screen.left - rect.left, 0);
    if (rect.top < screen.top) OffsetRect(&rect, 0, screen.top - rect.top);
    SetBoundsRect(rect);
    HWND window = Handle();
    SetWindowPos(window, HWND_TOPMOST, rect.left, rect.top, RectWidth(rect), RectHeight(rect),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::Paint() {
    TRect r = ClientRect();
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(r);
    r.left += 2;
    r.top += 1;
    Canvas()->Font()->Assign(Font());
    SetBkMode(Canvas()->Handle(), TRANSPARENT);
    SetTextColor(Canvas()->Handle(), COLORREF(ColorToRGB(Font()->Color())));
    String text = Caption();
    DrawTextW(Canvas()->Handle(), text.c_str(), int(text.size()), &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

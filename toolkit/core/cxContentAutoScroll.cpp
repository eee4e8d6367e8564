// The middle-button auto-scroll of a TcxControl: a round anchor marks where it began, the
// pointer's offset from it picks the direction and the speed, and a 20 ms timer scrolls the
// content one line at a time. A click (press and release without moving) starts a mode that
// lasts until the next click; a press-and-drag ends at the release; Escape ends it at any time.

#include <algorithm>
#include <cstdlib>

#include "Mouse.h"
#include "Screen.h"
#include "cxControl.h"

class TcxContentAutoScroll {
public:
    explicit TcxContentAutoScroll(TcxControl* control)
        : control_(control), self_(control), window_(control->WindowHandle()) {}
    ~TcxContentAutoScroll() { Finish(); }
    TcxContentAutoScroll(const TcxContentAutoScroll&) = delete;
    TcxContentAutoScroll& operator=(const TcxContentAutoScroll&) = delete;
    void Run();

private:
    // Over the fastest speed a step is made on every tick, at speed 1 on every twelfth.
    static constexpr int kMaxSpeed = 12;
    static constexpr UINT kTickInterval = 20;

    void ShowAnchor();
    void SetDirectionCursor();
    void UpdateDirection(TPoint p);
    void Finish();

    TcxControl* control_;
    TcxObjectLinkGuard self_;
    HWND window_;
    bool hVisible_ = false, vVisible_ = false;
    TPoint anchor_{}, lastPoint_{};
    TcxScrollDirection direction_ = dirNone;
    int speed_ = 1;
    int ticks_ = 0;
    bool leftNeutralZone_ = false;
    HBITMAP bitmap_ = nullptr;
    int anchorWidth_ = 0, anchorHeight_ = 0;
    HWND anchorWindow_ = nullptr;
    UINT_PTR timer_ = 0;
    bool finished_ = false;
};

void TcxContentAutoScroll::ShowAnchor() {
    const wchar_t* name = hVisible_ && vVisible_ ? L"CX_FULLSCROLLBITMAP"
                          : vVisible_            ? L"CX_VERSCROLLBITMAP"
                                                 : L"CX_HORSCROLLBITMAP";
    bitmap_ = LoadBitmapW(GetModuleHandleW(nullptr), name);
    if (!bitmap_) return;
    BITMAP info{};
    GetObjectW(bitmap_, sizeof(info), &info);
    anchorWidth_ = info.bmWidth;
    anchorHeight_ = info.bmHeight;
    anchorWindow_ = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP, anchor_.x - anchorWidth_ / 2,
                                    anchor_.y - anchorHeight_ / 2, anchorWidth_, anchorHeight_, window_, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    if (!anchorWindow_) return;
    SetWindowRgn(anchorWindow_, CreateEllipticRgn(0, 0, anchorWidth_ + 1, anchorHeight_ + 1), FALSE);
    ShowWindow(anchorWindow_, SW_SHOWNOACTIVATE);
    // Drawn once: the loop only validates the window afterwards.
    HDC dc = GetDC(anchorWindow_);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap_);
    BitBlt(dc, 0, 0, anchorWidth_, anchorHeight_, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    HRGN outline = CreateEllipticRgn(0, 0, anchorWidth_ + 1, anchorHeight_ + 1);
    FrameRgn(dc, outline, GetSysColorBrush(COLOR_WINDOWTEXT), 1, 1);
    DeleteObject(outline);
    ReleaseDC(anchorWindow_, dc);
}

void TcxContentAutoScroll::SetDirectionCursor() {
    TCursor cursor = crcxFullScroll;
    switch (direction_) {
        case dirNone:
            cursor = hVisible_ && vVisible_ ? crcxFullScroll : hVisible_ ? crcxHorScroll : crcxVerScroll;
            break;
        case dirUp:
            cursor = crcxUpScroll;
            break;
        case dirRight:
            cursor = crcxRightScroll;
            break;
        case dirDown:
            cursor = crcxDownScroll;
            break;
        case dirLeft:
            cursor = crcxLeftScroll;
            break;
    }
    if (Screen) ::SetCursor(Screen->Cursors(cursor));
}

void TcxContentAutoScroll::UpdateDirection(TPoint p) {
    const int half = anchorWidth_ / 2;
    // The neutral zone: a square as wide as the anchor, stretched over the whole screen along
    // an axis that has no scroll bar.
    TRect zone{anchor_.x - half, anchor_.y - half, anchor_.x - half + anchorWidth_, anchor_.y - half + anchorWidth_};
    if (!hVisible_) {
        zone.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        zone.right = zone.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    }
    if (!vVisible_) {
        zone.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        zone.bottom = zone.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    }
    if (PtInRect(&zone, p)) {
        direction_ = dirNone;
        speed_ = 0;
    } else {
        leftNeutralZone_ = true;
        const int dx = p.x - anchor_.x, dy = p.y - anchor_.y;
        int distance;
        if (!hVisible_ || (vVisible_ && std::abs(dy) >= std::abs(dx))) {
            direction_ = dy < 0 ? dirUp : dirDown;
            distance = std::abs(dy);
        } else {
            direction_ = dx < 0 ? dirLeft : dirRight;
            distance = std::abs(dx);
        }
        speed_ = std::clamp((distance - half) / 5 + 1, 1, kMaxSpeed);
    }
    SetDirectionCursor();
}

void TcxContentAutoScroll::Run() {
    hVisible_ = control_->IsHScrollBarVisible();
    vVisible_ = control_->IsVScrollBarVisible();
    if (!hVisible_ && !vVisible_) return;
    control_->scrollingContent_ = true;
    anchor_ = lastPoint_ = Mouse->CursorPos();
    ShowAnchor();
    SetDirectionCursor();
    timer_ = SetTimer(nullptr, 0, kTickInterval, nullptr);
    SetCapture(window_);
    while (GetCapture() == window_) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            PostQuitMessage(int(msg.wParam));  // for the loop that runs the program
            break;
        }
        if (msg.message == WM_PAINT && anchorWindow_ && msg.hwnd == anchorWindow_) {
            ValidateRect(anchorWindow_, nullptr);
            continue;
        }
        // Any other button or the wheel ends the scroll and does nothing else.
        if (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MOUSEWHEEL && msg.message != WM_MBUTTONUP) break;
        bool end = false;
        switch (msg.message) {
            case WM_KEYDOWN:
            case WM_KEYUP:
                end = msg.wParam == VK_ESCAPE;
                break;
            case WM_MBUTTONUP:
                end = leftNeutralZone_;
                break;
            case WM_TIMER:
                if (!msg.hwnd && msg.wParam == timer_ && ++ticks_ % (kMaxSpeed + 1 - speed_) == 0)
                    control_->ScrollInDirection(direction_);
                break;
            case WM_MOUSEMOVE: {
                POINT p{SmallInt(LOWORD(msg.lParam)), SmallInt(HIWORD(msg.lParam))};
                MapWindowPoints(msg.hwnd, nullptr, &p, 1);
                if (p.x != lastPoint_.x || p.y != lastPoint_.y) {
                    lastPoint_ = p;
                    UpdateDirection(p);
                }
                break;
            }
        }
        if (!self_.Alive()) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (end || !self_.Alive()) break;
    }
}

void TcxContentAutoScroll::Finish() {
    if (finished_) return;
    finished_ = true;
    if (GetCapture() == window_) ReleaseCapture();
    if (timer_) KillTimer(nullptr, timer_);
    if (anchorWindow_) DestroyWindow(anchorWindow_);
    if (bitmap_) DeleteObject(bitmap_);
    if (self_.Alive()) control_->scrollingContent_ = false;
}

void TcxControl::StartContentAutoScroll() {
    if (!HandleAllocated()) return;
    TcxContentAutoScroll(this).Run();
}

#pragma once
// Paints a windowed control into a memory bitmap (erase, then paint, as a real WM_PAINT does) so
// that tests can read its pixels without depending on what the screen shows. A window that is
// not a control of ours (the dropped list of a combo box) paints its client area through
// WM_PRINTCLIENT. What a control draws on its window outside its painting (an outline drawn
// after the system control painted) is read from the screen instead: kFromScreen.

#include <windows.h>

#include <vector>

#include "Colors.h"
#include "WinControl.h"

class TControlSnapshot {
public:
    enum TFromScreen { kFromScreen };
    explicit TControlSnapshot(TWinControl* control) : width_(control->Width()), height_(control->Height()) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width_, height_);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        control->Perform(WM_ERASEBKGND, WPARAM(dc_), 0);
        control->PaintHandler(dc_);
    }
    explicit TControlSnapshot(HWND window) {
        MakeBitmap(window);
        SendMessageW(window, WM_PRINTCLIENT, WPARAM(dc_), PRF_CLIENT | PRF_ERASEBKGND);
    }
    // The client area as the screen shows it once the window has painted.
    TControlSnapshot(HWND window, TFromScreen) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        MakeBitmap(window);
        HDC source = GetDC(window);
        BitBlt(dc_, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
        ReleaseDC(window, source);
    }
    ~TControlSnapshot() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    TControlSnapshot(const TControlSnapshot&) = delete;
    TControlSnapshot& operator=(const TControlSnapshot&) = delete;

    TColor Pixel(int x, int y) const { return TColor(GetPixel(dc_, x, y)); }
    // Rows (from top) in which some pixel has the given colour.
    std::vector<int> RowsWith(TColor color) const {
        std::vector<int> rows;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (Pixel(x, y) == color) {
                    rows.push_back(y);
                    break;
                }
        return rows;
    }
    bool Contains(TColor color) const { return !RowsWith(color).empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    void MakeBitmap(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        width_ = client.right;
        height_ = client.bottom;
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width_, height_);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
    }
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

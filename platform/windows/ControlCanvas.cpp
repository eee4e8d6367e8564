#include "ControlCanvas.h"

#include "WinControl.h"

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* control) {
    if (control_ == control) return;
    FreeHandle();
    control_ = control;
}

void TControlCanvas::CreateHandle() {
    if (!control_) return;
    TWinControl* window = As<TWinControl>(control_);
    TPoint offset{0, 0};
    if (!window) {
        window = control_->Parent();
        if (!window) return;
        offset = TPoint{control_->Left(), control_->Top()};
    }
    HWND hwnd = window->Handle();
    HDC dc = GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!dc) return;
    if (offset.x || offset.y) {
        SetWindowOrgEx(dc, -offset.x, -offset.y, nullptr);
        IntersectClipRect(dc, 0, 0, control_->Width(), control_->Height());
    }
    window_ = hwnd;
    acquired_ = dc;
    SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
    HDC dc = acquired_;
    HWND hwnd = window_;
    acquired_ = nullptr;
    window_ = nullptr;
    if (dc && HandleAllocated())
        TCanvas::SetHandle(nullptr);
    else
        TCanvas::FreeHandle();
    if (dc) ReleaseDC(hwnd, dc);
}

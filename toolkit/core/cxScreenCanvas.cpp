#include "cxScreenCanvas.h"

TScreenCanvas::~TScreenCanvas() { FreeHandle(); }

void TScreenCanvas::CreateHandle() {
    screenDC_ = GetDCEx(GetDesktopWindow(), nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    SetHandle(screenDC_);
}

void TScreenCanvas::FreeHandle() {
    TCanvas::FreeHandle();
    if (screenDC_) ReleaseDC(GetDesktopWindow(), screenDC_);
    screenDC_ = nullptr;
}

TcxScreenCanvas::TcxScreenCanvas() : TcxCanvas(new TScreenCanvas()) {}

TcxScreenCanvas::~TcxScreenCanvas() { delete canvas_; }

namespace {
TcxScreenCanvas* sharedScreenCanvas = nullptr;
}

TcxScreenCanvas* SharedScreenCanvas() {
    if (!sharedScreenCanvas) sharedScreenCanvas = TcxScreenCanvas::CreateForScreen();
    return sharedScreenCanvas;
}

void FinalizecxScreenCanvas() {
    delete sharedScreenCanvas;
    sharedScreenCanvas = nullptr;
}

#pragma once
// TControlCanvas: a canvas that draws on a control. Outside painting it acquires the control's
// own device context (for a windowless control the parent's, moved and clipped to the control);
// while the control paints it borrows the context of the paint message.

#include "Canvas.h"

class TControl;

class TControlCanvas : public TCanvas {
    Z_CLASS(TControlCanvas, TCanvas)
public:
    explicit TControlCanvas(TControl* control = nullptr) : control_(control) {}
    ~TControlCanvas() override;
    TControl* Control() const { return control_; }
    void SetControl(TControl* control);
    void FreeHandle() override;

protected:
    void CreateHandle() override;

private:
    TControl* control_;
    HWND window_ = nullptr;  // the window whose context was acquired
    HDC acquired_ = nullptr;
};

// Lends a paint message's device context to a canvas for the length of a scope (locked, so that
// no other thread draws on it meanwhile).
class TCanvasPaintScope {
public:
    TCanvasPaintScope(TCanvas* canvas, HDC dc) : canvas_(canvas) {
        canvas_->Lock();
        canvas_->SetHandle(dc);
    }
    ~TCanvasPaintScope() {
        canvas_->SetHandle(nullptr);
        canvas_->Unlock();
    }
    TCanvasPaintScope(const TCanvasPaintScope&) = delete;
    TCanvasPaintScope& operator=(const TCanvasPaintScope&) = delete;

private:
    TCanvas* canvas_;
};

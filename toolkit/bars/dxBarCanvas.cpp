#include "dxBarCanvas.h"

#include <algorithm>

#include "Canvas.h"
#include "cxDropDownHelpers.h"

namespace {
TdxBarCanvas* barCanvas = nullptr;

void OffsetRectBy(TRect& r, const TPoint& by) { OffsetRect(&r, by.x, by.y); }
}  // namespace

TdxBarCanvas::TdxBarCanvas() : TcxCanvas(new TCanvas) { ownCanvas_ = canvas_; }

TdxBarCanvas::~TdxBarCanvas() {
    while (!states_.empty()) EndDraw();
    delete ownCanvas_;
}

void TdxBarCanvas::BeginDraw(HDC dc) {
    TState state;
    if (ownCanvas_->HandleAllocated()) {
        PushState();
        state.previousHandle = ownCanvas_->Handle();
    }
    state.dc = dc;
    state.savedDC = SaveDC(dc);
    states_.push_back(state);
    CopyObjectsFromDC(dc);
    ownCanvas_->SetHandle(dc);
}

void TdxBarCanvas::BeginCanvasDraw(TCanvas* canvas) {
    TState state;
    state.canvasEntry = true;
    state.previousCanvas = canvas_;
    states_.push_back(state);
    canvas_ = canvas;
    PushClipRegion();
    PushState();
}

void TdxBarCanvas::EndDraw() {
    if (states_.empty()) return;
    TState state = states_.back();
    states_.pop_back();
    if (state.canvasEntry) {
        PopState();
        PopClipRegion();
        canvas_ = state.previousCanvas;
    } else {
        ownCanvas_->SetHandle(state.previousHandle);
        RestoreDC(state.dc, state.savedDC);
        if (ownCanvas_->HandleAllocated()) PopState();
    }
}

TdxBarCanvas* BarCanvasInstance() {
    if (!barCanvas) barCanvas = new TdxBarCanvas;
    return barCanvas;
}

void FreeBarCanvasInstance() {
    delete barCanvas;
    barCanvas = nullptr;
}

void PaintDropDownSysPanel(HDC dc, const TRect& windowRect, const TRect& clientRect, bool showPanel, bool flat,
                           bool closeHot, bool closeDown, TRect& closeRect, TRect& gripRect, int corner) {
    TdxBarCanvas* canvas = BarCanvasInstance();
    canvas->BeginDraw(dc);
    try {
        const TRect& c = clientRect;
        int border = c.left;
        TRect r = windowRect;
        OffsetRect(&r, -r.left, -r.top);
        TRect inner = r;
        InflateRect(&inner, -border, -border);
        bool bottomPanel = corner == 2 || corner == 3;
        TRect panel = inner;
        if (bottomPanel)
            panel.top = c.bottom;
        else
            panel.bottom = c.top;

        TColor frameColor = flat ? clBtnShadow : clWindowFrame;
        canvas->FrameRectBorders(r, frameColor, border);
        if (!showPanel) {
            closeRect = gripRect = TRect{};
        } else {
            canvas->IntersectClipWithRect(panel);
            TRect band = panel;
            if (bottomPanel)
                band.bottom = band.top + border;
            else
                band.top = band.bottom - border;
            canvas->FillRectWithColor(band, frameColor);
            canvas->ExcludeRectFromClip(band);

            gripRect = panel;
            DrawCornerSizeGrip(canvas->GetCanvasHandle(), gripRect, TcxCorner(corner));
            canvas->ExcludeRectFromClip(gripRect);

            // The close button: an odd square centred in a strip 4 wider at the far end.
            int size = std::min(GetSystemMetrics(SM_CXSIZE), RectHeight(panel) - 4);
            if (size % 2 == 0) --size;
            closeRect = panel;
            if (corner == 1 || corner == 3)
                closeRect.right = closeRect.left + size + 4;
            else
                closeRect.left = closeRect.right - size - 4;
            closeRect.left += (RectWidth(closeRect) - size) / 2;
            closeRect.top += (RectHeight(closeRect) - size) / 2 + (bottomPanel ? 1 : 0);
            closeRect.right = closeRect.left + size;
            closeRect.bottom = closeRect.top + size;
            bool pushed = closeHot && closeDown && !flat;
            RECT button = closeRect;
            DrawFrameControl(canvas->GetCanvasHandle(), &button, DFC_CAPTION,
                             DFCS_CAPTIONCLOSE | DFCS_FLAT | (pushed ? DFCS_PUSHED : 0));
            if ((closeHot || closeDown) && !flat)  // sunken when pushed, else raised
                canvas->DrawTwoToneBorders(closeRect, pushed ? clBtnShadow : clBtnHighlight,
                                           pushed ? clBtnHighlight : clBtnShadow);
            else
                canvas->FrameRectBorders(closeRect, clBtnFace);
            TRect ring = closeRect;
            InflateRect(&ring, -1, -1);
            canvas->FrameRectBorders(ring, clBtnFace);
            canvas->ExcludeRectFromClip(closeRect);

            canvas->FillRectWithColor(panel, clBtnFace);
        }
    } catch (...) {
        canvas->EndDraw();
        throw;
    }
    canvas->EndDraw();
}

void DrawDropDownSysPanel(HWND window, bool showPanel, bool flat, bool closeHot, bool closeDown, TRect& closeRect,
                          TRect& gripRect, int corner) {
    TRect windowRect, clientRect;
    GetWindowRect(window, &windowRect);
    GetClientRect(window, &clientRect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&clientRect), 2);
    OffsetRect(&clientRect, -windowRect.left, -windowRect.top);
    HDC dc = GetWindowDC(window);
    try {
        PaintDropDownSysPanel(dc, windowRect, clientRect, showPanel, flat, closeHot, closeDown, closeRect, gripRect,
                              corner);
    } catch (...) {
        ReleaseDC(window, dc);
        throw;
    }
    ReleaseDC(window, dc);
    if (showPanel) {
        TPoint origin{windowRect.left, windowRect.top};
        OffsetRectBy(closeRect, origin);
        OffsetRectBy(gripRect, origin);
    }
}

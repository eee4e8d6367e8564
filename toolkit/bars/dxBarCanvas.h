#pragma once
// TdxBarCanvas: the one canvas the bar painters draw text, clip regions and off-screen pictures
// through. It can be pointed for a while at any DC (BeginDraw) or at another canvas
// (BeginCanvasDraw) and put back (EndDraw), nested to any depth; every entry is left before the
// painting call that made it returns.
//
// DrawDropDownSysPanel paints the non-client area of a drop-down window: its border and the
// system panel with the size grip and the close button.

#include <windows.h>

#include <vector>

#include "cxGraphics.h"

class TdxBarCanvas : public TcxCanvas {
    Z_CLASS(TdxBarCanvas, TcxCanvas)
public:
    TdxBarCanvas();
    ~TdxBarCanvas() override;

    void BeginDraw(HDC dc);
    void BeginCanvasDraw(TCanvas* canvas);
    // Leaves the last entry; nothing when none is left.
    void EndDraw();
    bool HasHandle() const { return ownCanvas_->HandleAllocated(); }
    int EntryCount() const { return int(states_.size()); }

private:
    // One entry: a canvas entry keeps the canvas it replaced; a DC entry the DC the own canvas
    // had before, the DC it entered and that DC's SaveDC index.
    struct TState {
        TCanvas* previousCanvas = nullptr;
        bool canvasEntry = false;
        HDC previousHandle = nullptr;
        HDC dc = nullptr;
        int savedDC = 0;
    };
    TCanvas* ownCanvas_;
    std::vector<TState> states_;
};

// The shared canvas, made on first use and kept until the bar library ends.
TdxBarCanvas* BarCanvasInstance();
void FreeBarCanvasInstance();

// Paints a drop-down window's border and, when shown, its panel at the top (corners 0, 1) or
// bottom (2, 3), with the grip in that corner and the close button at the other end. The
// rectangles come back in screen coordinates, empty without a panel. Flat frames in the button
// shadow colour and never shows the button pushed or bevelled.
void DrawDropDownSysPanel(HWND window, bool showPanel, bool flat, bool closeHot, bool closeDown, TRect& closeRect,
                          TRect& gripRect, int corner);
// The same on a DC in the window's coordinates, for a window rectangle and a client rectangle
// given in the window's coordinates; the rectangles come back in those coordinates too.
void PaintDropDownSysPanel(HDC dc, const TRect& windowRect, const TRect& clientRect, bool showPanel, bool flat,
                           bool closeHot, bool closeDown, TRect& closeRect, TRect& gripRect, int corner);

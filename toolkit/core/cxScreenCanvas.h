#pragma once
// The screen canvas: TScreenCanvas, a platform canvas on the desktop window's DC, and
// TcxScreenCanvas, the toolkit canvas around one. The shared screen canvas (SharedScreenCanvas)
// measures text and serves as the DC of 32-bit pixel transfers.

#include "Canvas.h"
#include "cxGraphics.h"

// A canvas on the desktop window's DC (taken from the DC cache when first needed, given back
// when freed). No window of its own is created.
class TScreenCanvas : public TCanvas {
    Z_CLASS(TScreenCanvas, TCanvas)
public:
    TScreenCanvas() = default;
    ~TScreenCanvas() override;
    void FreeHandle() override;

protected:
    void CreateHandle() override;

private:
    HDC screenDC_ = nullptr;
};

class TcxScreenCanvas : public TcxCanvas {
    Z_CLASS(TcxScreenCanvas, TcxCanvas)
public:
    TcxScreenCanvas();
    ~TcxScreenCanvas() override;
    static TcxScreenCanvas* CreateForScreen() { return new TcxScreenCanvas(); }
};

// The process's one screen canvas, created on first use and freed when the toolkit finalizes.
TcxScreenCanvas* SharedScreenCanvas();
// Unit end: frees the shared screen canvas.
void FinalizecxScreenCanvas();

#pragma once
// The glyph and caption of a button drawn by the control library (TBitBtn, TSpeedButton): a
// bitmap strip of NumGlyphs cells (up, disabled, down), drawn with its bottom-left pixel's
// colour transparent, beside the caption.

#include "Bitmap.h"
#include "Control.h"

Z_ENUM(TButtonLayout, Byte, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)

// What a button shows and how the two parts are placed: Margin is the distance of the block
// from the edge the layout names (-1: centred); Spacing separates glyph and caption.
struct TButtonFace {
    TBitmap* Glyph = nullptr;
    int NumGlyphs = 1;
    String Caption;
    TButtonLayout Layout = blGlyphLeft;
    int Margin = -1;
    int Spacing = 4;
};

// Draws the face inside rect (the frame already drawn), in the disabled cell and colours when
// not enabled, the down cell when down (if the strip has one).
void PaintButtonFace(TCanvas* canvas, const TRect& rect, const TButtonFace& face, bool enabled, bool down);

#pragma once
// A hand-made bitmap font for the font and text tests: a 16 x 4 sheet of four 4 x 4 cells in
// red, green, blue and white; the codes 'A'..'C' use cells 1..3, so cell 0 (red) is reached
// only through the all-zero rectangle of codes outside every range. Filters are nearest, so
// every texel lands on one pixel.

#include <memory>

#include "Bitmap.h"
#include "Canvas.h"
#include "GLBitmapFont.h"
#include "Picture.h"

inline constexpr TColor kCellColours[4] = {clRed, clLime, clBlue, clWhite};

inline std::unique_ptr<TGLBitmapFont> MakeCellFont(TComponent* owner = nullptr) {
    auto font = std::make_unique<TGLBitmapFont>(owner);
    TBitmap sheet(16, 4, pf24bit);
    for (int cell = 0; cell < 4; ++cell) {
        sheet.Canvas()->Brush()->SetColor(kCellColours[cell]);
        sheet.Canvas()->FillRect(Rect(cell * 4, 0, cell * 4 + 4, 4));
    }
    font->Glyphs()->SetGraphic(&sheet);
    font->SetCharWidth(4);
    font->SetCharHeight(4);
    font->SetGlyphsAlpha(tiaOpaque);
    font->SetMagFilter(maNearest);
    font->SetMinFilter(miNearest);
    font->Ranges()->Add('A', 'C')->SetStartGlyphIdx(1);
    return font;
}

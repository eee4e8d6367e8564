#include "ButtonGlyph.h"

#include "Canvas.h"

void PaintButtonFace(TCanvas* canvas, const TRect& rect, const TButtonFace& face, bool enabled, bool down) {
    TBitmap* glyph = face.Glyph && !face.Glyph->Empty() ? face.Glyph : nullptr;
    int cells = std::max(face.NumGlyphs, 1);
    SIZE glyphSize{glyph ? glyph->Width() / cells : 0, glyph ? glyph->Height() : 0};
    TRect text{0, 0, 0, 0};
    if (!face.Caption.empty()) canvas->TextRect(text, face.Caption, DT_SINGLELINE | DT_CALCRECT);
    SIZE textSize{text.right, text.bottom};
    bool horizontal = face.Layout == blGlyphLeft || face.Layout == blGlyphRight;
    int spacing = glyph && textSize.cx > 0 ? face.Spacing : 0;
    int blockWidth = horizontal ? glyphSize.cx + spacing + textSize.cx : std::max(glyphSize.cx, textSize.cx);
    int blockHeight = horizontal ? std::max(glyphSize.cy, textSize.cy) : glyphSize.cy + spacing + textSize.cy;

    TPoint origin{rect.left + (RectWidth(rect) - blockWidth) / 2, rect.top + (RectHeight(rect) - blockHeight) / 2};
    if (face.Margin >= 0) {
        switch (face.Layout) {
            case blGlyphLeft:
                origin.x = rect.left + face.Margin;
                break;
            case blGlyphRight:
                origin.x = rect.right - face.Margin - blockWidth;
                break;
            case blGlyphTop:
                origin.y = rect.top + face.Margin;
                break;
            case blGlyphBottom:
                origin.y = rect.bottom - face.Margin - blockHeight;
                break;
        }
    }
    TPoint glyphAt = origin, textAt = origin;
    switch (face.Layout) {
        case blGlyphLeft:
            textAt.x += glyphSize.cx + spacing;
            glyphAt.y += (blockHeight - glyphSize.cy) / 2;
            textAt.y += (blockHeight - textSize.cy) / 2;
            break;
        case blGlyphRight:
            glyphAt.x += textSize.cx + spacing;
            glyphAt.y += (blockHeight - glyphSize.cy) / 2;
            textAt.y += (blockHeight - textSize.cy) / 2;
            break;
        case blGlyphTop:
            textAt.y += glyphSize.cy + spacing;
            glyphAt.x += (blockWidth - glyphSize.cx) / 2;
            textAt.x += (blockWidth - textSize.cx) / 2;
            break;
        case blGlyphBottom:
            glyphAt.y += textSize.cy + spacing;
            glyphAt.x += (blockWidth - glyphSize.cx) / 2;
            textAt.x += (blockWidth - textSize.cx) / 2;
            break;
    }
    if (glyph) {
        int cell = !enabled && cells > 1 ? 1 : down && cells > 2 ? 2 : 0;
        TRect source = Bounds(cell * glyphSize.cx, 0, glyphSize.cx, glyphSize.cy);
        TColor transparent = glyph->Canvas()->Pixels(0, glyphSize.cy - 1);
        canvas->BrushCopy(Bounds(glyphAt.x, glyphAt.y, glyphSize.cx, glyphSize.cy), glyph, source, transparent);
    }
    if (!face.Caption.empty()) {
        TRect r = Bounds(textAt.x, textAt.y, textSize.cx, textSize.cy);
        canvas->Brush()->SetStyle(bsClear);
        if (!enabled) {
            TRect highlight = r;
            OffsetRect(&highlight, 1, 1);
            canvas->Font()->SetColor(clBtnHighlight);
            canvas->TextRect(highlight, face.Caption, DT_SINGLELINE);
            canvas->Font()->SetColor(clBtnShadow);
        }
        canvas->TextRect(r, face.Caption, DT_SINGLELINE);
    }
}

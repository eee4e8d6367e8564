#pragma once
// A brush: solid, clear, one of the hatches, or a pattern bitmap. The GDI handle is created on
// demand and dropped at every change.

#include <windows.h>

#include "Colors.h"
#include "GraphicsObject.h"

class TBitmap;

Z_ENUM(TBrushStyle, int, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross)

class TBrush : public TGraphicsObject {
    Z_CLASS(TBrush, TGraphicsObject)
    Z_PUBLISHED {
        p.Property(L"Color", &TBrush::Color, &TBrush::SetColor).Default(clWhite);
        p.Property(L"Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
    }

public:
    TBrush() = default;

    void Assign(TPersistent* source) override;

    HBRUSH Handle() { return static_cast<HBRUSH>(GdiHandle()); }
    // Takes ownership of the handle; a solid or hatched brush's colour and style are read back.
    void SetHandle(HBRUSH handle);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);
    // The pattern; not owned (the caller keeps it alive while the brush uses it). A pattern
    // takes the place of the style and colour.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* value);

protected:
    HGDIOBJ CreateGdiHandle() override;

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
};

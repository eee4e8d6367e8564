#pragma once
// TSpeedButton: a windowless button with a glyph and a caption, raised or (Flat) shown only
// while the mouse is over it.

#include "ButtonGlyph.h"
#include "Control.h"

class TSpeedButton : public TGraphicControl {
    Z_CLASS(TSpeedButton, TGraphicControl)
    Z_PUBLISHED {
        p.Property(L"Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
        p.Property(L"Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
        p.Property(L"NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1);
    }

public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    TBitmap* Glyph() const { return glyph_; }
    void SetGlyph(TBitmap* v) { glyph_->Assign(v); }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int v);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void GlyphChanged(TObject*) { Invalidate(); }

    TBitmap* glyph_;
    int numGlyphs_ = 1;
    bool flat_ = false;
    bool hot_ = false;
    bool pressed_ = false;
};

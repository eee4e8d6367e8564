#pragma once
// TBitBtn: a push button (TButton) that draws a glyph beside its caption.

#include "Button.h"
#include "ButtonGlyph.h"

class TBitBtn : public TButton {
    Z_CLASS(TBitBtn, TButton)
    Z_PUBLISHED {
        p.Property(L"Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph);
        p.Property(L"NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs).Default(1);
        p.Property(L"Layout", &TBitBtn::Layout, &TBitBtn::SetLayout).Default(blGlyphLeft);
        p.Property(L"Margin", &TBitBtn::Margin, &TBitBtn::SetMargin).Default(-1);
        p.Property(L"Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing).Default(4);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(CN_DRAWITEM, CNDrawItem))

public:
    explicit TBitBtn(TComponent* AOwner);
    ~TBitBtn() override;
    // A strip of NumGlyphs cells: up, disabled, down.
    TBitmap* Glyph() const { return glyph_; }
    void SetGlyph(TBitmap* v) { glyph_->Assign(v); }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int v);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout v);
    int Margin() const { return margin_; }
    void SetMargin(int v);
    int Spacing() const { return spacing_; }
    void SetSpacing(int v);

protected:
    DWORD ButtonStyle() const override { return BS_OWNERDRAW; }

private:
    void CNDrawItem(TMessage& Message);
    void GlyphChanged(TObject*) { Invalidate(); }
    void Changed() { Invalidate(); }

    TBitmap* glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
};

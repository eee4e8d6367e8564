#pragma once
// TGLWindowsBitmapFont: a bitmap font whose glyph sheet is drawn at run time from an installed
// font with the platform's canvas, white on black, packed into the smallest sheet from 64 to
// 512 pixels a side and uploaded as an alpha-only texture (glyph coverage becomes alpha, the
// colour comes from the text's modulation colour). TGLStoredBitmapFont behaves the same.
//
// Codes are turned into characters through the code page of the font's character set, so a
// font with the Russian character set draws Cyrillic text whatever the ANSI code page is.

#include <array>
#include <functional>

#include "Font.h"
#include "GLBitmapFont.h"

using TGlyphAdvances = std::array<Integer, 256>;

// Walks the codes 0..255 that have a positive advance, placing their cells (advance + 2 wide,
// charHeight high) row by row on a sheet of the given size; place (when given) hears each
// code's cell corner. A row wraps when the next code's cell would not fit; the walk stops
// (without counting the code just placed) when the next row would not fit. Answers the number
// of codes counted.
Integer PackGlyphCells(const TGlyphAdvances& advances, Integer charHeight, Integer width, Integer height,
                       const std::function<void(Byte code, Integer x, Integer y)>& place = nullptr);

// The sheet of 64..512 by 64..512 pixels that holds all charCount cells: the smallest area
// first, then the squarest, then the first met (heights outer, widths inner). False when no
// size holds them.
bool ChooseGlyphSheetSize(const TGlyphAdvances& advances, Integer charHeight, Integer charCount, Integer& width,
                          Integer& height);

class TGLWindowsBitmapFont : public TGLCustomBitmapFont {
    Z_CLASS(TGLWindowsBitmapFont, TGLCustomBitmapFont)
    Z_PUBLISHED {
        p.Property(L"Font", &TGLWindowsBitmapFont::Font, &TGLWindowsBitmapFont::SetFont);
        p.Property(L"MagFilter", &TGLWindowsBitmapFont::MagFilter, &TGLWindowsBitmapFont::SetMagFilter)
            .Default(maLinear);
        p.Property(L"MinFilter", &TGLWindowsBitmapFont::MinFilter, &TGLWindowsBitmapFont::SetMinFilter)
            .Default(miLinear);
        p.Property(L"Ranges", &TGLWindowsBitmapFont::Ranges, &TGLWindowsBitmapFont::SetRanges)
            .Stored(&TGLWindowsBitmapFont::IsRangesStored);
    }

public:
    // One range of the codes 32..125; the sheet is drawn at once.
    explicit TGLWindowsBitmapFont(TComponent* owner);
    ~TGLWindowsBitmapFont() override;

    TFont* Font() const { return font_; }
    void SetFont(TFont* value) { font_->Assign(value); }
    // Anything but the single default range.
    bool IsRangesStored() const;

    // The sheet first, then the texture from it.
    void BuildGlyphImage() override;
    // Sizes the cells, measures every code of the ranges, chooses the sheet size and draws the
    // glyphs. Raises "Characters are too large or too many. Unable to create font texture."
    // when no sheet holds them, after shrinking Font to size 6 so that a second try usually
    // succeeds.
    virtual void BuildFontSheet();

protected:
    GLenum GlyphTextureFormat() const override { return GL_ALPHA; }
    UINT CodePage() const override;

private:
    void FontChanged(TObject*) { ReportChange(this); }
    String CharacterOf(Byte code) const;

    TFont* font_;
};

class TGLStoredBitmapFont : public TGLWindowsBitmapFont {
    Z_CLASS(TGLStoredBitmapFont, TGLWindowsBitmapFont)
public:
    using TGLWindowsBitmapFont::TGLWindowsBitmapFont;
};

void InitializeGLWindowsFont();

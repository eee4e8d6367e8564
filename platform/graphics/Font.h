#pragma once
// A logical font. Its GDI handle is created from the properties when first asked for and
// dropped at every change; a handle given to the font is read back into the properties.

#include <windows.h>

#include "Colors.h"
#include "GraphicsObject.h"
#include "GraphicsTypes.h"

Z_ENUM(TFontStyle, int, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TFontStyles = TSet<TFontStyle>;
Z_ENUM(TFontPitch, int, fpDefault, fpVariable, fpFixed)
using TFontCharset = Byte;

class TFont : public TGraphicsObject {
    Z_CLASS(TFont, TGraphicsObject)
    Z_PUBLISHED {
        p.Property(L"Charset", &TFont::Charset, &TFont::SetCharset).Default(DEFAULT_CHARSET);
        p.Property(L"Color", &TFont::Color, &TFont::SetColor).Default(clWindowText);
        p.Property(L"Height", &TFont::Height, &TFont::SetHeight).Default(-11);
        p.Property(L"Name", &TFont::Name, &TFont::SetName).Default(L"Tahoma");
        p.Property(L"Orientation", &TFont::Orientation, &TFont::SetOrientation).Default(0);
        p.Property(L"Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
        p.Property(L"Size", &TFont::Size, &TFont::SetSize).Stored(false);
        p.Property(L"Style", &TFont::Style, &TFont::SetStyle).Default(TFontStyles{});
    }

public:
    TFont();

    void Assign(TPersistent* source) override;

    // Creates the handle on demand; the font keeps owning it.
    HFONT Handle() { return static_cast<HFONT>(GdiHandle()); }
    // Takes ownership of the handle and reads its description into the properties.
    void SetHandle(HFONT handle);

    String Name() const { return name_; }
    void SetName(const String& value);
    // Height in pixels: negative for the character height, positive for the cell height.
    Integer Height() const { return height_; }
    void SetHeight(Integer value);
    // Size in points, through PixelsPerInch.
    Integer Size() const;
    void SetSize(Integer value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch value);
    // Angle of the baseline in tenths of a degree.
    Integer Orientation() const { return orientation_; }
    void SetOrientation(Integer value);
    Integer PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(Integer value) { pixelsPerInch_ = value; }

    // The description the handle is made from.
    LOGFONTW LogFont() const;

    // The screen's logical pixels per inch.
    static Integer ScreenPixelsPerInch();

protected:
    HGDIOBJ CreateGdiHandle() override;

private:
    String name_ = L"Tahoma";
    Integer height_ = -11;
    TFontStyles style_;
    TColor color_ = clWindowText;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    Integer orientation_ = 0;
    Integer pixelsPerInch_;
};

#pragma once
// One drawable element of a skin: an image strip and a glyph strip, four border lines, a
// background colour with its opacity, a text colour, the offsets of its content area, a minimum
// size and its own properties. Painters draw it with DrawInRect and read the rest.
//
// Drawing, in order: the background colour (only where the picture does not cover it: no
// picture, a picture drawn at its own size, or one with transparent pixels), the image, the
// borders, and the glyph inside the content offsets.

#include "cxGeometry.h"
#include "dxSkinImage.h"  // published: the publisher needs the whole class
#include "dxSkinPersistent.h"

class TStream;
struct GpBrush;

class TdxSkinElement : public TdxSkinPersistent {
    Z_CLASS(TdxSkinElement, TdxSkinPersistent)
    Z_PUBLISHED {
        p.Property(L"Alpha", &TdxSkinElement::Alpha, &TdxSkinElement::SetAlpha).Default(Byte(255));
        p.Property(L"Borders", &TdxSkinElement::Borders);
        p.Property(L"Color", &TdxSkinElement::Color, &TdxSkinElement::SetColor).Default(clDefault);
        p.Property(L"ContentOffset", &TdxSkinElement::ContentOffset);
        p.Property(L"Glyph", &TdxSkinElement::Glyph);
        p.Property(L"Image", &TdxSkinElement::Image);
        p.Property(L"ImageCount", &TdxSkinElement::ImageCount, &TdxSkinElement::SetImageCount).Default(1);
        p.Property(L"MinSize", &TdxSkinElement::MinSize);
        p.Property(L"TextColor", &TdxSkinElement::TextColor, &TdxSkinElement::SetTextColor).Default(clDefault);
    }

public:
    explicit TdxSkinElement(TPersistent* owner, const String& name = String());
    ~TdxSkinElement() override;

    Byte Alpha() const { return alpha_; }
    void SetAlpha(Byte value);
    TdxSkinBorders* Borders() const { return borders_; }
    TColor Color() const { return color_; }
    // Stores and reports every time; keeps the brush in the colour and opacity.
    void SetColor(TColor value);
    TcxRect* ContentOffset() const { return contentOffset_; }
    TdxSkinImage* Glyph() const { return glyph_; }
    TdxSkinImage* Image() const { return image_; }
    Integer ImageCount() const { return imageCount_; }
    // Values below 1 become 1.
    void SetImageCount(Integer value);
    bool HasColor() const { return hasColor_; }
    TcxSize* MinSize() const { return minSize_; }
    TColor TextColor() const { return textColor_; }
    void SetTextColor(TColor value);

    TdxSkinControlGroup* Group() const;
    // The group's name and a backslash.
    String GetPath() const;
    // The frame size of the image.
    TSize Size() const;
    // Without a picture: Alpha below 255; else whether the picture has a pixel not fully opaque.
    bool IsAlphaUsed() const;

    // Copies images, colours, offsets, image count, borders, minimum size and properties.
    void Assign(TPersistent* source) override;
    virtual bool IsEqual(TdxSkinElement* other);
    // The element's name followed by "_Image.png" or "_Glyph.png".
    virtual String GetImageFileName(TdxSkinImage* image) const;

    // Draws the state of image set imageIndex into r; nothing when r is empty or hidden.
    virtual void DrawInRect(HDC dc, const TRect& r, int imageIndex, TdxSkinElementState state);
    void Draw(HDC dc, const TRect& r, int imageIndex, TdxSkinElementState state) {
        DrawInRect(dc, r, imageIndex, state);
    }
    void DrawEx(TdxSkinCanvas* canvas, const TRect& r, int imageIndex, TdxSkinElementState state);

    // The element record of the stream format (the name is the group's to read and write).
    virtual void ReadData(TStream* stream, double version);
    virtual void WriteData(TStream* stream);

private:
    void FillBackground(TdxSkinCanvas* canvas, const TRect& r);
    void PartChanged(TObject* sender) { DoChange(); }
    void ApplyBrushColor();

    Byte alpha_ = 255;
    TdxSkinBorders* borders_;
    GpBrush* brush_ = nullptr;
    TdxSkinCanvas* canvas_;
    TColor color_ = clDefault;
    TcxRect* contentOffset_;
    TdxSkinImage* glyph_;
    TdxSkinImage* image_;
    Integer imageCount_ = 1;
    bool hasColor_ = false;
    TcxSize* minSize_;
    TColor textColor_ = clDefault;
};

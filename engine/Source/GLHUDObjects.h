#pragma once
// Heads-up display objects: they live in the scene tree but draw in window coordinates over the
// 3D view, ignoring the camera. x grows to the right and y downward from the viewport's top-left
// corner, in pixels at 96 dots per inch (scaled by the render resolution / 96); the position's z
// passes through as depth.
//
// Sections: TGLHUDSprite · TGLHUDText and its two variants · class registration.

#include "GLBitmapFont.h"
#include "GLColor.h"
#include "GLObjects.h"

// A material-textured rectangle centred on its position. It is left out of picking passes,
// children included.
class TGLHUDSprite : public TGLSprite {
    Z_CLASS(TGLHUDSprite, TGLSprite)
    Z_PUBLISHED {
        p.Property(L"XTiles", &TGLHUDSprite::XTiles, &TGLHUDSprite::SetXTiles).Default(1);
        p.Property(L"YTiles", &TGLHUDSprite::YTiles, &TGLHUDSprite::SetYTiles).Default(1);
        p.Property(L"Width", &TGLHUDSprite::Width, &TGLHUDSprite::SetWidth).Stored(&TGLHUDSprite::IsWidthStored);
        p.Property(L"Height", &TGLHUDSprite::Height, &TGLHUDSprite::SetHeight).Stored(&TGLHUDSprite::IsHeightStored);
    }

public:
    // 16 by 16 pixels.
    explicit TGLHUDSprite(TComponent* owner);

    Integer XTiles() const { return xTiles_; }
    void SetXTiles(Integer value);
    Integer YTiles() const { return yTiles_; }
    void SetYTiles(Integer value);
    // Stored only when they differ from 16 by more than 0.001.
    bool IsWidthStored() const;
    bool IsHeightStored() const;

    void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;

private:
    Integer xTiles_ = 1, yTiles_ = 1;
};

// A string drawn with a bitmap font, its reference point at the position (placed by Alignment
// and Layout). Without a font, or with an empty text, only its children are drawn.
class TGLHUDText : public TGLImmaterialSceneObject {
    Z_CLASS(TGLHUDText, TGLImmaterialSceneObject)
    Z_PUBLISHED {
        p.Property(L"BitmapFont", &TGLHUDText::BitmapFont, &TGLHUDText::SetBitmapFont);
        p.Property(L"Text", &TGLHUDText::Text, &TGLHUDText::SetText);
        p.Property(L"Rotation", &TGLHUDText::Rotation, &TGLHUDText::SetRotation).Default(0.0f);
        p.Property(L"Alignment", &TGLHUDText::Alignment, &TGLHUDText::SetAlignment).Default(taLeftJustify);
        p.Property(L"Layout", &TGLHUDText::Layout, &TGLHUDText::SetLayout).Default(tlTop);
        p.Property(L"ModulateColor", &TGLHUDText::ModulateColor, &TGLHUDText::SetModulateColor);
    }

public:
    explicit TGLHUDText(TComponent* owner);
    ~TGLHUDText() override;

    TGLCustomBitmapFont* BitmapFont() const { return bitmapFont_; }
    // Leaves the old font's users and joins the new one's.
    void SetBitmapFont(TGLCustomBitmapFont* value);
    const String& Text() const { return text_; }
    void SetText(const String& value);
    // Degrees about the screen's z axis.
    Single Rotation() const { return rotation_; }
    void SetRotation(Single value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TGLTextLayout Layout() const { return layout_; }
    void SetLayout(TGLTextLayout value);
    TGLColor* ModulateColor() const { return modulateColor_; }
    void SetModulateColor(TGLColor* value) { modulateColor_->Assign(value); }

    void Notification(TComponent* component, TOperation operation) override;
    // The text at the position, then the children.
    void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;

protected:
    // Draws the text with its reference point at window pixel (x, y) and depth z.
    void DrawTextAt(TRenderContextInfo& rci, Single x, Single y, Single z);
    void RenderAllChildren(TRenderContextInfo& rci);

private:
    TGLCustomBitmapFont* bitmapFont_ = nullptr;
    String text_;
    Single rotation_ = 0;
    TAlignment alignment_ = taLeftJustify;
    TGLTextLayout layout_ = tlTop;
    TGLColor* modulateColor_;
};

// Its position's x and y are fractions of the viewport's width and height (the centre at first).
class TGLResolutionIndependantHUDText : public TGLHUDText {
    Z_CLASS(TGLResolutionIndependantHUDText, TGLHUDText)
public:
    explicit TGLResolutionIndependantHUDText(TComponent* owner);
    void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
};

// Drawn where its world position shows in the window.
class TGLAbsoluteHUDText : public TGLHUDText {
    Z_CLASS(TGLAbsoluteHUDText, TGLHUDText)
public:
    using TGLHUDText::TGLHUDText;
    void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
};

void InitializeGLHUDObjects();

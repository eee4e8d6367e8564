#pragma once
// TGLFlatText: a text drawn with a bitmap font in the object's own XY plane, y upward, its
// reference point at the local origin. Like every text object it registers as a user of its
// font and forgets the font when the font is freed.

#include "GLBitmapFont.h"
#include "GLColor.h"
#include "GLCustomSceneObject.h"
#include "Sets.h"

Z_ENUM(TGLFlatTextOption, int, ftoTwoSided)
using TGLFlatTextOptions = TSet<TGLFlatTextOption>;

class TGLFlatText : public TGLImmaterialSceneObject {
    Z_CLASS(TGLFlatText, TGLImmaterialSceneObject)
    Z_PUBLISHED {
        p.Property(L"BitmapFont", &TGLFlatText::BitmapFont, &TGLFlatText::SetBitmapFont);
        p.Property(L"Text", &TGLFlatText::Text, &TGLFlatText::SetText);
        p.Property(L"Alignment", &TGLFlatText::Alignment, &TGLFlatText::SetAlignment).Default(taLeftJustify);
        p.Property(L"Layout", &TGLFlatText::Layout, &TGLFlatText::SetLayout).Default(tlTop);
        p.Property(L"ModulateColor", &TGLFlatText::ModulateColor, &TGLFlatText::SetModulateColor);
        p.Property(L"Options", &TGLFlatText::Options, &TGLFlatText::SetOptions).Default(TGLFlatTextOptions{});
    }

public:
    explicit TGLFlatText(TComponent* owner);
    ~TGLFlatText() override;

    TGLCustomBitmapFont* BitmapFont() const { return bitmapFont_; }
    // Leaves the old font's users and joins the new one's.
    void SetBitmapFont(TGLCustomBitmapFont* value);
    const String& Text() const { return text_; }
    void SetText(const String& value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TGLTextLayout Layout() const { return layout_; }
    void SetLayout(TGLTextLayout value);
    TGLColor* ModulateColor() const { return modulateColor_; }
    void SetModulateColor(TGLColor* value) { modulateColor_->Assign(value); }
    TGLFlatTextOptions Options() const { return options_; }
    void SetOptions(TGLFlatTextOptions value);

    void Assign(TPersistent* source) override;
    void Notification(TComponent* component, TOperation operation) override;
    void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;

private:
    TGLCustomBitmapFont* bitmapFont_ = nullptr;
    String text_;
    TAlignment alignment_ = taLeftJustify;
    TGLTextLayout layout_ = tlTop;
    TGLColor* modulateColor_;
    TGLFlatTextOptions options_;
};

#pragma once
// The bar tests' shared form (tests/toolkit/forms/TBarTestForm.zfm): a manager with categories,
// items of every kind (buttons of each style with image indexes, a radio group, a label,
// separators, sub items with their links, a list item, a container item, an edit, a combo with
// entries), a nested group and a popup menu linked to a panel. At creation it fills two image
// lists, "ilSmall" (16 pixels) and "ilLarge" (32 pixels), with glyphs of distinct plain colours
// (GlyphColor), so that pixel checks can find each glyph. Later bar tests extend this form.

#include "Form.h"
#include "ImageList.h"

class TBarTestForm : public TForm {
    Z_CLASS(TBarTestForm, TForm)
    Z_PUBLISHED { p.Method(L"FormCreate", &TBarTestForm::FormCreate); }

public:
    explicit TBarTestForm(TComponent* owner) : TForm(owner) {}
    TBarTestForm(TComponent* owner, TCreateNew) : TForm(owner, CreateNew) {}

    static constexpr int GlyphCount = 8;
    // The plain colour of glyph index in both lists.
    static TColor GlyphColor(int index);
    TImageList* SmallImages() const { return smallImages_; }
    TImageList* LargeImages() const { return largeImages_; }

private:
    void FormCreate(TObject* sender);
    TImageList* MakeImages(const String& name, int size);

    TImageList* smallImages_ = nullptr;
    TImageList* largeImages_ = nullptr;
};

#include "BarTestForm.h"

#include "Bitmap.h"
#include "Canvas.h"

TColor TBarTestForm::GlyphColor(int index) {
    static const TColor colors[GlyphCount] = {0x0000C0, 0x00C000, 0xC00000, 0x00C0C0,
                                              0xC000C0, 0xC0C000, 0x004080, 0x800040};
    return colors[index % GlyphCount];
}

TImageList* TBarTestForm::MakeImages(const String& name, int size) {
    auto* images = new TImageList(this);
    images->SetName(name);
    images->SetSize(size, size);
    for (int i = 0; i < GlyphCount; ++i) {
        TBitmap glyph;
        glyph.SetSize(size, size);
        glyph.Canvas()->Brush()->SetColor(GlyphColor(i));
        glyph.Canvas()->FillRect(TRect{0, 0, size, size});
        images->Add(&glyph, nullptr);
    }
    return images;
}

void TBarTestForm::FormCreate(TObject* sender) {
    (void)sender;
    // Hook (image options): the lists become the manager's Images and LargeImages.
    smallImages_ = MakeImages(L"ilSmall", 16);
    largeImages_ = MakeImages(L"ilLarge", 32);
}

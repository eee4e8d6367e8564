#include <gtest/gtest.h>

#include "Bitmap.h"
#include "FormDescription.h"
#include "PixelSurface.h"
#include "ImageList.h"
#include "JpegImage.h"
#include "Picture.h"
#include "TestSupport.h"

namespace {

// The 48x16 strip of red, lime and blue cells compiled into the test program.
TBitmap* LoadStrip(TBitmap& strip) {
    strip.LoadFromResourceName(GetModuleHandleW(nullptr), L"ZTESTSTRIP");
    return &strip;
}

// Draws every image of the list side by side on a white bitmap.
void DrawAll(TCustomImageList& list, TBitmap& target, bool enabled = true) {
    target.SetPixelFormat(pf24bit);
    target.SetSize(list.Width() * std::max(list.Count(), 1), list.Height());
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, target.Width(), target.Height()));
    for (int i = 0; i < list.Count(); ++i) list.Draw(target.Canvas(), i * list.Width(), 0, i, enabled);
}

struct Recorder {
    std::vector<TObject*> senders;
    void Changed(TObject* sender) { senders.push_back(sender); }
};

TEST(ImageList, StripBecomesImagesThatDraw) {
    TImageList list(nullptr);
    TBitmap strip;
    EXPECT_EQ(list.Add(LoadStrip(strip), nullptr), 0);
    ASSERT_EQ(list.Count(), 3);
    TBitmap target;
    DrawAll(list, target);
    EXPECT_EQ(ColorAt(target, 8, 8), clRed);
    EXPECT_EQ(ColorAt(target, 24, 8), clLime);
    EXPECT_EQ(ColorAt(target, 40, 15), clBlue);

    list.Delete(1);
    ASSERT_EQ(list.Count(), 2);
    DrawAll(list, target);
    EXPECT_EQ(ColorAt(target, 24, 8), clBlue);
    EXPECT_THROW(list.Delete(2), EInvalidOperation);
    EXPECT_THROW(list.Delete(-2), EInvalidOperation);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, MaskedImagesLeaveTheKeyColourOut) {
    TImageList list(nullptr, 4, 4);
    TBitmap image(4, 4, pf24bit);
    image.Canvas()->Brush()->SetColor(clFuchsia);
    image.Canvas()->FillRect(Rect(0, 0, 4, 4));
    image.Canvas()->Brush()->SetColor(clNavy);
    image.Canvas()->FillRect(Rect(0, 0, 2, 4));
    list.AddMasked(&image, clFuchsia);
    EXPECT_EQ(image.Canvas()->Pixels(3, 3), clFuchsia);  // the caller's bitmap is left alone
    TBitmap target;
    DrawAll(list, target);
    EXPECT_EQ(ColorAt(target, 0, 0), clNavy);
    EXPECT_EQ(ColorAt(target, 3, 3), clWhite);

    // An explicit mask: white (1) bits are transparent.
    TBitmap mask(4, 4, pf1bit);
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(Rect(0, 0, 4, 4));
    mask.Canvas()->SetPixels(0, 0, clWhite);
    TBitmap solid(4, 4, pf24bit);
    solid.Canvas()->Brush()->SetColor(clMaroon);
    solid.Canvas()->FillRect(Rect(0, 0, 4, 4));
    list.Add(&solid, &mask);
    DrawAll(list, target);
    EXPECT_EQ(ColorAt(target, 4, 0), clWhite);
    EXPECT_EQ(ColorAt(target, 5, 1), clMaroon);
}

TEST(ImageList, DisabledImagesAreDrawnInShadowColours) {
    TImageList list(nullptr, 4, 4);
    TBitmap image(4, 4, pf24bit);
    image.Canvas()->Brush()->SetColor(clRed);
    image.Canvas()->FillRect(Rect(0, 0, 4, 4));
    image.Canvas()->Brush()->SetColor(clWhite);
    image.Canvas()->FillRect(Rect(2, 0, 4, 4));
    list.AddMasked(&image, clWhite);
    TBitmap target;
    DrawAll(list, target, false);
    EXPECT_EQ(ColorAt(target, 0, 0), TColor(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(ColorAt(target, 2, 1), TColor(ColorToRGB(clBtnHighlight)));  // the offset copy
    EXPECT_EQ(ColorAt(target, 3, 1), clWhite);
}

TEST(ImageList, DrawingOnABackgroundColourChangesNothingAndTellsNobody) {
    TImageList list(nullptr, 4, 4);
    TBitmap image(4, 4, pf24bit);
    image.Canvas()->Brush()->SetColor(clFuchsia);
    image.Canvas()->FillRect(Rect(0, 0, 4, 4));
    image.Canvas()->Brush()->SetColor(clNavy);
    image.Canvas()->FillRect(Rect(0, 0, 2, 4));
    list.AddMasked(&image, clFuchsia);
    Recorder recorder;
    TChangeLink link;
    link.OnChange = MakeEvent(&recorder, &Recorder::Changed);
    list.RegisterChanges(&link);
    TBitmap target(8, 4, pf24bit);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 8, 4));
    list.DrawOnBackground(target.Canvas(), 0, 0, 0, clAqua);
    list.DrawOnBackground(target.Canvas(), 4, 0, 0, clAqua, false);
    EXPECT_EQ(ColorAt(target, 0, 0), clNavy);
    EXPECT_EQ(ColorAt(target, 3, 3), clAqua);  // the masked-out part takes the background
    EXPECT_EQ(ColorAt(target, 4, 0), TColor(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(list.BkColor(), clNone);
    EXPECT_TRUE(recorder.senders.empty());
    list.UnRegisterChanges(&link);
}

TEST(ImageList, ChangeLinksHearChangesUntilFreed) {
    TImageList list(nullptr, 16, 16);
    Recorder recorder, direct;
    list.OnChange = MakeEvent(&direct, &Recorder::Changed);
    auto* link = new TChangeLink;
    link->OnChange = MakeEvent(&recorder, &Recorder::Changed);
    list.RegisterChanges(link);
    EXPECT_EQ(link->Sender(), &list);
    TBitmap strip;
    list.Add(LoadStrip(strip), nullptr);
    ASSERT_EQ(recorder.senders.size(), 1u);
    EXPECT_EQ(recorder.senders[0], &list);
    EXPECT_EQ(direct.senders.size(), 1u);

    list.BeginUpdate();
    list.Delete(0);
    list.SetBkColor(clYellow);
    list.Delete(0);
    EXPECT_EQ(recorder.senders.size(), 1u);
    list.EndUpdate();
    EXPECT_EQ(recorder.senders.size(), 2u);  // one for the batch

    delete link;  // unregisters
    list.Clear();
    EXPECT_EQ(recorder.senders.size(), 2u);
    EXPECT_EQ(direct.senders.size(), 3u);

    // A link that outlives its list is cut loose.
    TChangeLink survivor;
    {
        TImageList shortLived(nullptr);
        shortLived.RegisterChanges(&survivor);
    }
    EXPECT_EQ(survivor.Sender(), nullptr);
}

TEST(ImageList, SizeChangeClearsAndAssignCopies) {
    TImageList list(nullptr);
    TBitmap strip;
    list.Add(LoadStrip(strip), nullptr);
    list.SetBkColor(clAqua);
    TImageList copy(nullptr);
    copy.Assign(&list);
    EXPECT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.BkColor(), clAqua);
    EXPECT_NE(copy.Handle(), list.Handle());
    list.SetSize(8, 8);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(copy.Count(), 3);
    TBitmap image;
    EXPECT_TRUE(copy.GetBitmap(2, &image));
    EXPECT_EQ(image.Canvas()->Pixels(5, 5), clBlue);
    EXPECT_FALSE(copy.GetBitmap(3, &image));
}

// A root holding what forms store: a picture, a glyph bitmap and image lists.
class TGraphicsHolder : public TComponent {
    Z_CLASS(TGraphicsHolder, TComponent)
    Z_PUBLISHED {
        p.Property(L"Picture", &TGraphicsHolder::Picture);
        p.Property(L"Glyph", &TGraphicsHolder::Glyph);
        p.Property(L"Font", &TGraphicsHolder::Font);
    }

public:
    explicit TGraphicsHolder(TComponent* owner) : TComponent(owner) {}
    ~TGraphicsHolder() override {
        delete picture_;
        delete glyph_;
        delete font_;
    }
    TPicture* Picture() const { return picture_; }
    TBitmap* Glyph() const { return glyph_; }
    TFont* Font() const { return font_; }

private:
    TPicture* picture_ = new TPicture;
    TBitmap* glyph_ = new TBitmap;
    TFont* font_ = new TFont;
};

TEST(GraphicsInFormDescriptions, PicturesBitmapsFontsAndImageListsRoundTrip) {
    TGraphicsHolder original(nullptr);
    original.SetName(L"Holder");
    TBitmap photo(8, 6, pf24bit);
    photo.Canvas()->Brush()->SetColor(clRed);
    photo.Canvas()->FillRect(Rect(0, 0, 8, 6));
    TJPEGImage jpeg;
    jpeg.Assign(&photo);
    original.Picture()->SetGraphic(&jpeg);
    original.Glyph()->Assign(&photo);
    original.Glyph()->Canvas()->SetPixels(7, 5, clBlue);
    original.Font()->SetName(L"Arial");
    original.Font()->SetStyle({fsBold});
    original.Font()->SetColor(clBtnText);
    auto* icons = new TImageList(&original);
    icons->SetName(L"ilIcons");
    TBitmap strip;
    icons->Add(LoadStrip(strip), nullptr);
    auto* empty = new TImageList(&original, 32, 32);
    empty->SetName(L"ilEmpty");

    AnsiString text = WriteComponentToText(&original);
    SCOPED_TRACE(text);
    EXPECT_NE(text.find("Picture.Data = {"), AnsiString::npos);
    EXPECT_NE(text.find("Glyph.Data = {"), AnsiString::npos);
    EXPECT_NE(text.find("clBtnText"), AnsiString::npos);
    EXPECT_NE(text.find("[fsBold]"), AnsiString::npos);
    EXPECT_NE(text.find("Bitmap = {"), AnsiString::npos);
    EXPECT_EQ(text.find("Bitmap = {"), text.rfind("Bitmap = {"));  // the empty list stores none

    TGraphicsHolder copy(nullptr);
    ReadComponentFromText(text, &copy);
    ASSERT_TRUE(Is<TJPEGImage>(copy.Picture()->Graphic()));
    EXPECT_EQ(copy.Picture()->Width(), 8);
    TColor c = ColorAt(*static_cast<TJPEGImage*>(copy.Picture()->Graphic())->Bitmap(), 4, 3);
    EXPECT_GE(c & 0xFF, 240);
    EXPECT_EQ(copy.Glyph()->Width(), 8);
    EXPECT_EQ(copy.Glyph()->Canvas()->Pixels(7, 5), clBlue);
    EXPECT_EQ(copy.Glyph()->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(Utf8(copy.Font()->Name()), "Arial");
    EXPECT_EQ(copy.Font()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(copy.Font()->Color(), clBtnText);

    auto* readIcons = As<TImageList>(copy.FindComponent(L"ilIcons"));
    auto* readEmpty = As<TImageList>(copy.FindComponent(L"ilEmpty"));
    ASSERT_TRUE(readIcons && readEmpty);
    EXPECT_EQ(readEmpty->Width(), 32);
    EXPECT_EQ(readEmpty->Count(), 0);
    ASSERT_EQ(readIcons->Count(), 3);
    TBitmap target;
    DrawAll(*readIcons, target);
    EXPECT_EQ(ColorAt(target, 8, 8), clRed);
    EXPECT_EQ(ColorAt(target, 24, 8), clLime);
    EXPECT_EQ(ColorAt(target, 40, 8), clBlue);
    // Written again, the copy gives the same text.
    copy.SetName(L"Holder");
    EXPECT_EQ(WriteComponentToText(&copy), text);
}

TEST(GraphicsInFormDescriptions, BadImageListDataRaises) {
    AnsiString text =
        "object Holder: TGraphicsHolder\n"
        "  object ilBad: TImageList\n"
        "    Bitmap = {0102030405}\n"
        "  end\n"
        "end\n";
    TGraphicsHolder holder(nullptr);
    EXPECT_THROW(ReadComponentFromText(text, &holder), EReadError);
    EXPECT_EQ(holder.ComponentCount(), 0);
}

}  // namespace

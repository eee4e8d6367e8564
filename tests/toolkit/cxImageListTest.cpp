// The toolkit's image list: adding strips, grids, masks and alpha images keeps the system list
// and the kept pairs in step; drawing goes through the image states; the pairs round-trip
// through form descriptions, compressed or plain.

#include <gtest/gtest.h>

#include <memory>

#include "FormDescription.h"
#include "cxBitmap.h"
#include "cxImageList.h"
#include "cxImageStates.h"
#include "ToolkitTestSupport.h"

namespace {

const DWORD kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00, kGrey = 0x808080;

TColor ColorOf(DWORD rgb) { return TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF)); }

// Cells of 16 x 16 in the given colours, row by row, each with a fuchsia one-pixel border.
std::unique_ptr<TBitmap> MakeCells(int columns, int rows, std::initializer_list<DWORD> colours) {
    auto b = std::make_unique<TBitmap>(16 * columns, 16 * rows, pf24bit);
    TCanvas* c = b->Canvas();
    auto colour = colours.begin();
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            TRect cell{column * 16, row * 16, column * 16 + 16, row * 16 + 16};
            c->Brush()->SetColor(clFuchsia);
            c->FillRect(cell);
            c->Brush()->SetColor(ColorOf(*colour++));
            c->FillRect(TRect{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1});
        }
    return b;
}

// Draws image index at (2, 2) on a grey 20 x 20 area.
std::unique_ptr<TBitmap> DrawItem(TcxImageList& list, int index, bool enabled = true) {
    auto d = std::make_unique<TBitmap>(20, 20, pf32bit);
    d->Canvas()->Brush()->SetColor(ColorOf(kGrey));
    d->Canvas()->FillRect(TRect{0, 0, 20, 20});
    list.Draw(d->Canvas(), 2, 2, index, enabled);
    return d;
}

// The centre colour of image index as the system list and as the kept pair hold it.
DWORD SystemCentre(TcxImageList& list, int index) {
    TBitmap image(16, 16, pf32bit);
    TcxImageList::ReadImageListBitmaps(list.Handle(), index, &image, nullptr);
    return At(&image, 8, 8);
}
DWORD KeptCentre(TcxImageList& list, int index) { return At(list.ImageInfos()->Items(index)->Image(), 8, 8); }

}  // namespace

TEST(cxImageList, StripAndGridKeepSystemListAndInfosInStep) {
    TcxImageList list(nullptr);
    int changes = 0;
    struct Counter {
        int* n;
        void Changed(TObject*) { ++*n; }
    } counter{&changes};
    list.OnChange = MakeEvent(&counter, &Counter::Changed);

    EXPECT_EQ(list.AddMaskedBitmap(MakeCells(3, 1, {kRed, kGreen, kBlue}).get(), clFuchsia), 0);
    EXPECT_EQ(changes, 1);  // one notification for the whole strip
    // A grid of two rows goes in row by row, in the same order in both.
    EXPECT_EQ(list.AddBitmap(MakeCells(2, 2, {kYellow, kRed, kGreen, kBlue}).get(), nullptr), 3);
    ASSERT_EQ(list.Count(), 7);
    ASSERT_EQ(list.ImageInfos()->Count(), 7);
    const DWORD expected[] = {kRed, kGreen, kBlue, kYellow, kRed, kGreen, kBlue};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(SystemCentre(list, i), expected[i]) << i;
        EXPECT_EQ(KeptCentre(list, i), expected[i]) << i;
    }
    EXPECT_EQ(list.ImageInfos()->Items(1)->MaskColor(), clFuchsia);

    // An image that is not a whole number of cells is kept whole.
    auto odd = std::make_unique<TBitmap>(20, 16, pf24bit);
    EXPECT_EQ(list.AddBitmap(odd.get(), nullptr), 7);
    EXPECT_EQ(list.ImageInfos()->Items(7)->Image()->Width(), 20);

    list.DeleteImage(1);
    EXPECT_EQ(list.Count(), 7);
    EXPECT_EQ(list.ImageInfos()->Count(), 7);
    EXPECT_EQ(SystemCentre(list, 1), kBlue);
    EXPECT_EQ(KeptCentre(list, 1), kBlue);
    list.ClearImages();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.ImageInfos()->Count(), 0);
    EXPECT_EQ(list.AddBitmap(nullptr, nullptr), -1);
}

TEST(cxImageList, DrawsWithMasksAlphaAndDisabledGrey) {
    TcxImageList list(nullptr);
    list.AddMaskedBitmap(MakeCells(1, 1, {kRed}).get(), clFuchsia);
    // An explicit mask: white (transparent) left half.
    auto mask = std::make_unique<TBitmap>(16, 16, pf1bit);
    mask->Canvas()->Brush()->SetColor(clBlack);
    mask->Canvas()->FillRect(TRect{0, 0, 16, 16});
    mask->Canvas()->Brush()->SetColor(clWhite);
    mask->Canvas()->FillRect(TRect{0, 0, 8, 16});
    list.AddBitmap(MakeCells(1, 1, {kBlue}).get(), mask.get());
    // A 32-bit image, half-transparent green (premultiplied).
    TcxBitmap alpha(16, 16);
    TRGBColors pixels(256, PixelFromValue(0x80008000));
    alpha.WritePixels(pixels);
    list.AddBitmap(&alpha, nullptr);

    auto masked = DrawItem(list, 0);
    EXPECT_EQ(At(masked.get(), 10, 10), kRed);
    EXPECT_EQ(At(masked.get(), 2, 2), kGrey);  // the fuchsia border is transparent
    EXPECT_EQ(At(masked.get(), 1, 1), kGrey);

    auto halfMasked = DrawItem(list, 1);
    EXPECT_EQ(At(halfMasked.get(), 5, 10), kGrey);
    EXPECT_EQ(At(halfMasked.get(), 14, 10), kBlue);

    auto blended = DrawItem(list, 2);
    DWORD mix = At(blended.get(), 10, 10);
    EXPECT_NEAR(int((mix >> 8) & 0xFF), 0x80 + 0x40, 2);  // green over half the grey
    EXPECT_NEAR(int(mix & 0xFF), 0x40, 2);

    // Disabled: grey, never the colour, the border still transparent.
    auto disabled = DrawItem(list, 0, false);
    DWORD body = At(disabled.get(), 8, 8);
    EXPECT_NE(body, kRed);
    EXPECT_EQ(body & 0xFF, (body >> 8) & 0xFF);
    EXPECT_EQ(body & 0xFF, (body >> 16) & 0xFF);
    EXPECT_EQ(At(disabled.get(), 1, 1), kGrey);

    // Centred in a larger rectangle unless exact.
    auto d = std::make_unique<TBitmap>(40, 40, pf32bit);
    d->Canvas()->Brush()->SetColor(ColorOf(kGrey));
    d->Canvas()->FillRect(TRect{0, 0, 40, 40});
    list.DrawImage(0, d->Canvas(), TRect{0, 0, 40, 40}, dsNormal, false, false, true);
    // At (12, 12): the body starts one pixel in, at 13.
    EXPECT_EQ(At(d.get(), 12, 13), kGrey);
    EXPECT_EQ(At(d.get(), 13, 13), kRed);
    EXPECT_EQ(At(d.get(), 26, 26), kRed);
    EXPECT_EQ(At(d.get(), 27, 26), kGrey);
}

TEST(cxImageList, PairsRoundTripThroughAFormDescription) {
    for (bool compress : {false, true}) {
        SCOPED_TRACE(compress ? "compressed" : "plain");
        TcxImageList original(nullptr);
        original.SetName(L"Images");
        original.SetCompressData(compress);
        original.AddMaskedBitmap(MakeCells(3, 1, {kRed, kGreen, kBlue}).get(), clFuchsia);

        AnsiString text = WriteComponentToText(&original);
        SCOPED_TRACE(text);
        EXPECT_NE(text.find("FormatVersion = 1"), AnsiString::npos);
        EXPECT_NE(text.find("ImageInfo = <"), AnsiString::npos);
        EXPECT_EQ(text.find("Bitmap ="), AnsiString::npos);  // the platform's data is not repeated
        size_t data = text.find("Image.Data = {");
        ASSERT_NE(data, AnsiString::npos);
        AnsiString hex;
        for (char c : text.substr(data + 14, 40))
            if (isxdigit(static_cast<unsigned char>(c))) hex += c;
        EXPECT_EQ(hex.substr(8, 8) == "5844424D", compress);  // "XDBM"

        TcxImageList copy(nullptr);
        ReadComponentFromText(text, &copy);
        ASSERT_EQ(copy.Count(), 3);
        ASSERT_EQ(copy.ImageInfos()->Count(), 3);
        EXPECT_EQ(copy.CompressData(), compress);
        const DWORD expected[] = {kRed, kGreen, kBlue};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(SystemCentre(copy, i), expected[i]);
            EXPECT_EQ(KeptCentre(copy, i), expected[i]);
        }
        auto drawn = DrawItem(copy, 1);
        EXPECT_EQ(At(drawn.get(), 10, 10), kGreen);
        EXPECT_EQ(At(drawn.get(), 2, 2), kGrey);
    }

    TcxImageList empty(nullptr);
    empty.SetName(L"Empty");
    EXPECT_EQ(WriteComponentToText(&empty).find("ImageInfo"), AnsiString::npos);
}

TEST(cxImageList, ReadsPlatformDataAndAssignsFromAPlatformList) {
    TImageList plain(nullptr);
    plain.SetName(L"Images");
    plain.AddMasked(MakeCells(2, 1, {kBlue, kYellow}).get(), clFuchsia);

    // A description written by the platform's list loads, and the pairs follow its images.
    AnsiString text = WriteComponentToText(&plain);
    ASSERT_NE(text.find("TImageList"), AnsiString::npos);
    text.replace(text.find("TImageList"), 10, "TcxImageList");
    TcxImageList read(nullptr);
    ReadComponentFromText(text, &read);
    ASSERT_EQ(read.Count(), 2);
    ASSERT_EQ(read.ImageInfos()->Count(), 2);
    EXPECT_EQ(KeptCentre(read, 1), kYellow);
    EXPECT_EQ(At(DrawItem(read, 0).get(), 2, 2), kGrey);

    TcxImageList assigned(nullptr);
    assigned.Assign(&plain);
    ASSERT_EQ(assigned.Count(), 2);
    ASSERT_EQ(assigned.ImageInfos()->Count(), 2);
    EXPECT_EQ(KeptCentre(assigned, 0), kBlue);
    auto drawn = DrawItem(assigned, 1);
    EXPECT_EQ(At(drawn.get(), 10, 10), kYellow);
    EXPECT_EQ(At(drawn.get(), 2, 2), kGrey);

    // From another toolkit list: pair by pair, and the same images after.
    TcxImageList copy(nullptr);
    copy.Assign(&assigned);
    ASSERT_EQ(copy.ImageInfos()->Count(), 2);
    EXPECT_TRUE(copy.SameImagesAs(&assigned));
    copy.DeleteImage(0);
    EXPECT_FALSE(copy.SameImagesAs(&assigned));
}

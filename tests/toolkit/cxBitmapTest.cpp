// Toolkit bitmaps: the change lock, pixels and filters, rotation, and the compressed stored form
// (packets, header, and a round trip through a form description).

#include <gtest/gtest.h>

#include <memory>

#include "FormDescription.h"
#include "cxBitmap.h"

namespace {

std::vector<Byte> Encode(const std::vector<Byte>& data) {
    TMemoryStream source, dest;
    if (!data.empty()) source.WriteBuffer(data.data(), Integer(data.size()));
    source.SetPosition(0);
    Integer n = EncodeRunLength(&source, &dest);
    EXPECT_EQ(n, Integer(dest.Size()));
    const Byte* p = static_cast<const Byte*>(dest.Memory());
    return std::vector<Byte>(p, p + dest.Size());
}

std::vector<Byte> Decode(const std::vector<Byte>& data) {
    TMemoryStream source, dest;
    if (!data.empty()) source.WriteBuffer(data.data(), Integer(data.size()));
    source.SetPosition(0);
    DecodeRunLength(&source, Integer(data.size()), &dest);
    const Byte* p = static_cast<const Byte*>(dest.Memory());
    return std::vector<Byte>(p, p + dest.Size());
}

DWORD Pixel(TcxBitmap& b, int x, int yFromTop) {
    TRGBColors pixels = b.ReadPixels();
    return PixelValue(pixels[size_t((b.Height() - 1 - yFromTop) * b.Width() + x)]);
}

// A 2 x 2 bitmap from pixel values, top row first.
std::unique_ptr<TcxBitmap> Make2x2(DWORD tl, DWORD tr, DWORD bl, DWORD br) {
    auto b = std::make_unique<TcxBitmap>(2, 2);
    b->WritePixels({PixelFromValue(bl), PixelFromValue(br), PixelFromValue(tl), PixelFromValue(tr)});
    return b;
}

}  // namespace

TEST(cxRunLength, PacketsFollowTheTable) {
    const Byte A = 'A', B = 'B', C = 'C';
    EXPECT_EQ(Encode({A, B, B, B, C}), (std::vector<Byte>{0x81, A, 0x03, B, 0x81, C}));
    EXPECT_EQ(Encode(std::vector<Byte>(300, 7)), (std::vector<Byte>{125, 7, 125, 7, 50, 7}));
    EXPECT_EQ(Encode({A}), (std::vector<Byte>{0x81, A}));
    EXPECT_EQ(Encode({}), std::vector<Byte>{});
    EXPECT_EQ(Encode({A, B, C}), (std::vector<Byte>{0x83, A, B, C}));
    // Long literal runs split at 125.
    std::vector<Byte> ramp(260);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = Byte(i);
    std::vector<Byte> encoded = Encode(ramp);
    EXPECT_EQ(encoded[0], 0x80 | 125);
    EXPECT_EQ(encoded[126], 0x80 | 125);
    EXPECT_EQ(encoded[252], 0x80 | 10);
    EXPECT_EQ(Decode(encoded), ramp);
}

TEST(cxRunLength, DecodingRoundTripsAndStaysInsideTheData) {
    std::vector<Byte> mixed;
    for (int i = 0; i < 1000; ++i) mixed.push_back(Byte((i / 7) % 3 == 0 ? 9 : (i * 31) & 0xFF));
    EXPECT_EQ(Decode(Encode(mixed)), mixed);
    // An empty literal is skipped; a literal or run cut short by the end stops there.
    EXPECT_EQ(Decode({0x80, 0x82, 1, 2}), (std::vector<Byte>{1, 2}));
    EXPECT_EQ(Decode({0x85, 1, 2}), (std::vector<Byte>{1, 2}));
    EXPECT_EQ(Decode({0x03}), std::vector<Byte>{});
}

TEST(cxCustomBitmap, ChangeLockFoldsNotifications) {
    TcxCustomBitmap bitmap(4, 4);
    int changes = 0;
    struct Counter : TObject {
        int* n;
        void Handle(TObject*) { ++*n; }
    } counter;
    counter.n = &changes;
    bitmap.OnChange = MakeEvent(&counter, &Counter::Handle);
    bitmap.BeginChange();
    bitmap.BeginChange();
    bitmap.Canvas()->FillRect(Rect(0, 0, 2, 2));
    bitmap.SetSize(5, 5);
    EXPECT_TRUE(bitmap.IsChangeLocked());
    bitmap.EndChange(false);
    EXPECT_EQ(changes, 0);
    bitmap.EndChange(false);
    EXPECT_EQ(changes, 1) << "a change happened while locked";
    bitmap.BeginChange();
    bitmap.EndChange(false);
    EXPECT_EQ(changes, 1);
    bitmap.EndChange(true);  // not locked: still notifies when asked
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(bitmap.Width(), 5);
    std::unique_ptr<TcxCustomBitmap> sized(TcxCustomBitmap::CreateForRectFormat(Rect(2, 2, 5, 9), pf32bit));
    EXPECT_EQ(sized->Width(), 3);
    EXPECT_EQ(sized->Height(), 7);
    EXPECT_EQ(sized->PixelFormat(), pf32bit);
}

TEST(cxBitmap, AlwaysThirtyTwoBitsAndResizingClears) {
    std::unique_ptr<TcxBitmap> bitmap(TcxBitmap::CreateForRectFormat(Rect(0, 0, 3, 2), pf24bit));
    EXPECT_EQ(bitmap->PixelFormat(), pf32bit);
    bitmap->ApplyPixelFilter(bfOpaque);
    EXPECT_EQ(Pixel(*bitmap, 1, 1), 0xFF000000u);
    bitmap->SetSize(4, 4);
    EXPECT_EQ(Pixel(*bitmap, 1, 1), 0u) << "black with alpha 0";
    EXPECT_FALSE(bitmap->HasAlpha());
    std::unique_ptr<TcxBitmap> withBackground(TcxBitmap::CreateWithBackground(2, 2, 0x80102030));
    EXPECT_EQ(Pixel(*withBackground, 0, 0), 0x80102030u);
    withBackground->MakeOpaque();
    EXPECT_EQ(Pixel(*withBackground, 1, 1), 0xFF102030u);
    withBackground->SetSize(3, 3);
    EXPECT_EQ(Pixel(*withBackground, 2, 2), 0x80102030u);
    EXPECT_TRUE(withBackground->HasAlpha());
}

TEST(cxBitmap, FiltersTable) {
    const DWORD red = 0xFFFF0000, semi = 0x80402010, none = 0;
    struct Case {
        TcxBitmapFilter kind;
        DWORD red, semi, transparent;
    } cases[] = {
        {bfDingy, 0xFFFF4D4D, 0x6432190D, none}, {bfGrey, 0xFF555555, 0x80252525, none},
        {bfOpaque, red, 0xFF402010, 0xFF000000}, {bfMask, 0, 0, 0xFFFFFFFF},
        {bfFaded, 0xFF4C4C4C, 0x80282828, none}, {bfDisabled, 0xFF131313, 0x801F1F1F, none},
        {bfOpaqueWhereDrawn, red, semi, none},   {bfClearAlpha, 0x00FF0000, 0x00402010, none},
    };
    for (const Case& c : cases) {
        auto b = Make2x2(red, semi, none, none);
        b->ApplyPixelFilter(c.kind);
        EXPECT_EQ(Pixel(*b, 0, 0), c.red) << int(c.kind);
        EXPECT_EQ(Pixel(*b, 1, 0), c.semi) << int(c.kind);
        EXPECT_EQ(Pixel(*b, 0, 1), c.transparent) << int(c.kind);
    }
    // A drawn pixel without alpha becomes opaque; colours in the list stay untouched.
    auto b = Make2x2(0x00123456, 0xFF00FF00, 0xFF0000FF, none);
    b->AddTransparentColor(TColor(0x00FF00));  // green
    EXPECT_TRUE(b->IsTransparentPixel(0x1200FF00));
    b->ApplyPixelFilter(bfOpaqueWhereDrawn);
    EXPECT_EQ(Pixel(*b, 0, 0), 0xFF123456u);
    b->ApplyPixelFilter(bfGrey);
    EXPECT_EQ(Pixel(*b, 1, 0), 0xFF00FF00u);
    EXPECT_EQ(Pixel(*b, 0, 1), 0xFF555555u);
}

TEST(cxBitmap, HatchAndDirtyBlendOverThePixels) {
    std::unique_ptr<TcxBitmap> b(TcxBitmap::CreateWithBackground(4, 4, 0xFF000000));
    b->SetHatch(TColor(0x0000FF), TColor(0xFF0000), 2);  // red and blue cells of 2 pixels
    // Cells count from the bottom row: the bottom-left cell is even (colour 1).
    EXPECT_EQ(Pixel(*b, 0, 3), 0xFFFF0000u);
    EXPECT_EQ(Pixel(*b, 2, 3), 0xFF0000FFu);
    EXPECT_EQ(Pixel(*b, 0, 1), 0xFF0000FFu);
    EXPECT_EQ(Pixel(*b, 3, 0), 0xFFFF0000u);
    auto d = Make2x2(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF);
    d->ApplyPixelFilter(bfDirty);
    RGBQUAD expected = PixelFromValue(0xFFFFFFFF);
    BlendPixel(PixelFromValue(ColorToPixel(clBtnShadow, 192)), expected, 238);
    EXPECT_EQ(Pixel(*d, 1, 1), PixelValue(expected));
    RGBQUAD kept = PixelFromValue(0x11223344);
    BlendPixel(PixelFromValue(0xFF998877), kept, 0);
    EXPECT_EQ(PixelValue(kept), 0x11223344u);
    BlendPixel(PixelFromValue(0xFF998877), kept, 255);
    EXPECT_EQ(PixelValue(kept), 0xFF998877u);
}

TEST(cxBitmap, ApplyMaskClearsWhereTheMaskIsSet) {
    auto b = Make2x2(0xFF112233, 0xFF112233, 0xFF112233, 0xFF112233);
    TBitmap mask(2, 2, pf32bit);
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(Rect(0, 0, 2, 2));
    mask.Canvas()->SetPixels(1, 0, clWhite);
    b->ApplyMask(&mask);
    EXPECT_EQ(Pixel(*b, 0, 0) & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(Pixel(*b, 1, 0) & 0xFFFFFF, 0u);
}

TEST(cxBitmap, RotationModes) {
    // 3 x 2, top row 1 2 3, bottom row 4 5 6.
    auto make = [] {
        auto b = std::make_unique<TcxBitmap>(3, 2);
        b->WritePixels({PixelFromValue(4), PixelFromValue(5), PixelFromValue(6), PixelFromValue(1), PixelFromValue(2),
                        PixelFromValue(3)});
        return b;
    };
    auto rows = [](TcxBitmap& b) {
        std::vector<DWORD> out;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) out.push_back(Pixel(b, x, y));
        return out;
    };
    struct Case {
        int mode;
        bool mirror;
        int width;
        std::vector<DWORD> expected;
    } cases[] = {
        {0, false, 3, {1, 2, 3, 4, 5, 6}}, {0, true, 3, {4, 5, 6, 1, 2, 3}},  {1, false, 2, {3, 6, 2, 5, 1, 4}},
        {1, true, 2, {1, 4, 2, 5, 3, 6}},  {2, false, 2, {4, 1, 5, 2, 6, 3}}, {2, true, 2, {6, 3, 5, 2, 4, 1}},
        {3, false, 3, {6, 5, 4, 3, 2, 1}}, {3, true, 3, {3, 2, 1, 6, 5, 4}},
    };
    for (const Case& c : cases) {
        auto b = make();
        b->Rotate(c.mode, c.mirror);
        EXPECT_EQ(b->Width(), c.width);
        EXPECT_EQ(rows(*b), c.expected) << c.mode << c.mirror;
    }
}

TEST(cxBitmap, StoredFormReadsCompressedAndPlainDataAndAnyVersion) {
    auto original = Make2x2(0xFF0000FF, 0x80402010, 0, 0xFFFFFFFF);
    for (bool compress : {false, true}) {
        original->SetCompressData(compress);
        TMemoryStream stored;
        original->WriteData(&stored);
        const char* bytes = static_cast<const char*>(stored.Memory());
        EXPECT_EQ(std::string(bytes + 4, 4) == "XDBM", compress);
        TcxBitmap copy;
        stored.SetPosition(0);
        copy.ReadData(&stored);
        EXPECT_EQ(stored.Position(), stored.Size());
        EXPECT_EQ(copy.Width(), 2);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Pixel(copy, i % 2, i / 2), Pixel(*original, i % 2, i / 2)) << compress << i;
        if (compress) {
            // Version 2 still decodes.
            static_cast<Byte*>(stored.Memory())[8] = 2;
            TcxBitmap again;
            stored.SetPosition(0);
            again.ReadData(&stored);
            EXPECT_EQ(Pixel(again, 1, 0), 0x80402010u);
        }
    }
}

namespace {

class TGlyphHolder : public TComponent {
    Z_CLASS(TGlyphHolder, TComponent)
    Z_PUBLISHED { p.Property(L"Glyph", &TGlyphHolder::Glyph); }

public:
    explicit TGlyphHolder(TComponent* owner) : TComponent(owner) {}
    ~TGlyphHolder() override { delete glyph_; }
    TcxBitmap* Glyph() const { return glyph_; }

private:
    TcxBitmap* glyph_ = new TcxBitmap;
};

}  // namespace

TEST(cxBitmap, CompressedDataRoundTripsThroughAFormDescription) {
    TGlyphHolder original(nullptr);
    original.SetName(L"Holder");
    original.Glyph()->SetSize(16, 16);
    original.Glyph()->SetHatch(TColor(0x0000FF), TColor(0x00FF00), 4, 255, 128);
    original.Glyph()->SetCompressData(true);

    AnsiString text = WriteComponentToText(&original);
    SCOPED_TRACE(text);
    size_t data = text.find("Glyph.Data = {");
    ASSERT_NE(data, AnsiString::npos);
    // The length, then "XDBM" and version 1.
    AnsiString hex;
    for (char c : text.substr(data + 14, 80))
        if (isxdigit(static_cast<unsigned char>(c))) hex += c;
    EXPECT_EQ(hex.substr(8, 12), "5844424D0100");

    TGlyphHolder copy(nullptr);
    ReadComponentFromText(text, &copy);
    ASSERT_EQ(copy.Glyph()->Width(), 16);
    TRGBColors a = copy.Glyph()->ReadPixels(), b = original.Glyph()->ReadPixels();
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(memcmp(a.data(), b.data(), a.size() * 4), 0);
    EXPECT_EQ(Pixel(*copy.Glyph(), 0, 15), 0xFFFF0000u);
    EXPECT_TRUE(copy.Glyph()->HasAlpha());
}

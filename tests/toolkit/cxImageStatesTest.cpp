// Pixel helpers: blending (system and own paths), Lanczos-3 resampling, and painting a glyph in
// each of its states, all checked by the pixels of offscreen bitmaps.

#include <gtest/gtest.h>

#include <memory>

#include "cxBitmap.h"
#include "cxImageStates.h"
#include "cxGraphics.h"
#include "dxCore.h"
#include "dxOffice11.h"
#include "ToolkitTestSupport.h"

namespace {

DWORD RgbOf(TColor color) { return Rgb(ColorToPixel(color, 0)); }

void Fill(TBitmap* b, DWORD pixel) {
    TRGBColors p(size_t(b->Width() * b->Height()), PixelFromValue(pixel));
    StoreBitmapColors(b, p, true);
}

// Channels within one step of each other (rounding differs between paths).
void ExpectNear(DWORD a, DWORD b, int tolerance = 1) {
    for (int shift = 0; shift < 24; shift += 8)
        EXPECT_NEAR(int((a >> shift) & 0xFF), int((b >> shift) & 0xFF), tolerance) << std::hex << a << " vs " << b;
}

// A 16 x 16 glyph, red square 4..11 on a transparent fuchsia ground.
std::unique_ptr<TBitmap> MakeGlyph() {
    auto glyph = std::make_unique<TBitmap>(16, 16, pf24bit);
    TCanvas* c = glyph->Canvas();
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(TRect{0, 0, 16, 16});
    c->Brush()->SetColor(clRed);
    c->FillRect(TRect{4, 4, 12, 12});
    glyph->SetTransparentColor(clFuchsia);
    return glyph;
}

// Paints the glyph at (2, 2) onto a 20 x 20 green area and gives the area.
std::unique_ptr<TBitmap> PaintGlyph(TcxImageDrawMode state, TBitmap* glyph) {
    auto dest = std::make_unique<TBitmap>(20, 20, pf32bit);
    Fill(dest.get(), 0xFF00FF00);
    PaintImageWithState(dest->Canvas()->Handle(), TRect{2, 2, 18, 18}, TRect{0, 0, 20, 20}, glyph, nullptr, -1, state);
    return dest;
}

}  // namespace

TEST(cxImageStates, BlendPixelTable) {
    struct Case {
        DWORD source, dest;
        Byte alpha;
        DWORD expected;
    } cases[] = {
        {0xFF112233, 0xFFFFFFFF, 255, 0xFF112233},  // opaque source replaces
        {0xFF112233, 0x80445566, 0, 0x80445566},    // constant alpha 0 keeps
        {0x80800000, 0xFFFFFFFF, 255, 0xFFFF7F7F},  // half-transparent premultiplied red over white
        {0xFF0000FF, 0xFF000000, 128, 0xFF000080},  // half the constant alpha
        {0x00000000, 0xFF123456, 255, 0xFF123456},  // transparent source keeps
    };
    for (const Case& c : cases) {
        RGBQUAD d = PixelFromValue(c.dest);
        BlendPixel(PixelFromValue(c.source), d, c.alpha);
        EXPECT_EQ(PixelValue(d), c.expected) << std::hex << c.source << " over " << c.dest;
    }
}

TEST(cxImageStates, ColorToPixelSwapsRedAndBlue) {
    EXPECT_EQ(ColorToPixel(TColor(0x00332211), 0x80), 0x80112233u);
    EXPECT_EQ(ColorToPixel(clBtnFace, 255), 0xFF000000 | Rgb(ColorToPixel(TColor(GetSysColor(COLOR_BTNFACE)), 0)));
    EXPECT_EQ(ClampChannel(-5), 0);
    EXPECT_EQ(ClampChannel(300), 255);
}

TEST(cxImageStates, LanczosKeepsAFlatColourAtEverySize) {
    // 5 -> 1 takes the plain ratio (no division by zero); upscaling and 2x down too.
    struct Case {
        int sw, sh, dw, dh;
    } cases[] = {{5, 3, 1, 1}, {1, 1, 3, 3}, {8, 8, 4, 4}, {3, 5, 7, 2}};
    for (const Case& c : cases) {
        TBitmap source(c.sw, c.sh, pf32bit), dest(c.dw, c.dh, pf32bit);
        Fill(&source, 0xFF806040);
        ResampleLanczos3(&source, &dest);
        for (int y = 0; y < c.dh; ++y)
            for (int x = 0; x < c.dw; ++x) ExpectNear(PixelAt(&dest, x, y), 0xFF806040, 3);
    }
}

TEST(cxImageStates, LanczosHalvesAnEdgeSmoothly) {
    // Left half black, right half white: the 4-pixel result runs dark to light and stays in range.
    TBitmap source(8, 1, pf32bit), dest(4, 1, pf32bit);
    TRGBColors p(8);
    for (int x = 0; x < 8; ++x) p[size_t(x)] = PixelFromValue(x < 4 ? 0xFF000000 : 0xFFFFFFFF);
    StoreBitmapColors(&source, p, true);
    ResampleLanczos3(&source, &dest);
    EXPECT_LE(PixelAt(&dest, 0, 0) & 0xFF, 5u);
    EXPECT_GE(PixelAt(&dest, 3, 0) & 0xFF, 250u);
    EXPECT_LT(PixelAt(&dest, 1, 0) & 0xFF, PixelAt(&dest, 2, 0) & 0xFF);
}

TEST(cxImageStates, OwnBlendPathAgreesWithTheSystem) {
    TBitmap source(4, 4, pf32bit);
    Fill(&source, 0x80800000);  // half-transparent red, premultiplied
    TRect r{0, 0, 4, 4};
    TBitmap bySystem(4, 4, pf32bit), byOwn(4, 4, pf32bit);
    Fill(&bySystem, 0xFFFFFFFF);
    Fill(&byOwn, 0xFFFFFFFF);
    AlphaBlendBitmaps(&bySystem, &source, r, 200, false, r);
    bool saved = PlatformFlags.Win9xFamily;
    PlatformFlags.Win9xFamily = true;  // forces the own path
    AlphaBlendBitmaps(&byOwn, &source, r, 200, false, r);
    PlatformFlags.Win9xFamily = saved;
    RGBQUAD expected = PixelFromValue(0xFFFFFFFF);
    BlendPixel(PixelFromValue(0x80800000), expected, 200);
    ExpectNear(Rgb(PixelAt(&bySystem, 1, 1)), Rgb(PixelValue(expected)));
    ExpectNear(Rgb(PixelAt(&byOwn, 1, 1)), Rgb(PixelValue(expected)));
}

TEST(cxImageStates, SmoothBlendResamplesWhenSizesDiffer) {
    TBitmap source(8, 8, pf32bit), dest(4, 4, pf32bit);
    Fill(&source, 0xFF0000FF);
    Fill(&dest, 0xFF000000);
    AlphaBlendBitmaps(&dest, &source, TRect{0, 0, 4, 4}, 255, true, TRect{0, 0, 8, 8});
    ExpectNear(Rgb(PixelAt(&dest, 2, 2)), 0x0000FF, 3);
}

TEST(cxImageStates, GlyphStatesByPixel) {
    std::unique_ptr<TBitmap> glyph = MakeGlyph();
    const DWORD green = 0x00FF00, red = 0xFF0000;
    {
        auto d = PaintGlyph(idmNormal, glyph.get());
        EXPECT_EQ(Rgb(At(d.get(), 6, 6)), red);
        EXPECT_EQ(Rgb(At(d.get(), 13, 13)), red);
        EXPECT_EQ(Rgb(At(d.get(), 5, 5)), green);  // transparent ground keeps the background
        EXPECT_EQ(Rgb(At(d.get(), 14, 14)), green);
    }
    {
        auto d = PaintGlyph(idmGrey, glyph.get());
        EXPECT_EQ(Rgb(At(d.get(), 6, 6)), 0x555555u);
        EXPECT_EQ(Rgb(At(d.get(), 5, 5)), green);
    }
    {
        auto d = PaintGlyph(idmDingy, glyph.get());
        EXPECT_EQ(Rgb(At(d.get(), 6, 6)), 0xFF4D4Du);
    }
    {
        // A quarter of the faded grey over the green.
        auto d = PaintGlyph(idmFaded, glyph.get());
        RGBQUAD expected = PixelFromValue(0xFF00FF00);
        BlendPixel(PixelFromValue(0xFF4C4C4C), expected, 64);
        ExpectNear(Rgb(At(d.get(), 6, 6)), Rgb(PixelValue(expected)));
        EXPECT_EQ(Rgb(At(d.get(), 5, 5)), green);
    }
    {
        // Greyed, with a highlight copy one pixel down and right.
        auto d = PaintGlyph(idmDisabled, glyph.get());
        DWORD body = Rgb(At(d.get(), 6, 6));
        EXPECT_NE(body, red);
        EXPECT_EQ(body & 0xFF, (body >> 8) & 0xFF);
        EXPECT_EQ(body & 0xFF, (body >> 16) & 0xFF);
        EXPECT_EQ(Rgb(At(d.get(), 14, 14)), RgbOf(clBtnHighlight));
        EXPECT_EQ(Rgb(At(d.get(), 14, 6)), green);
        EXPECT_EQ(Rgb(At(d.get(), 5, 5)), green);
    }
    {
        // Moved up-left by one, with a button-shadow copy two pixels down and right.
        auto d = PaintGlyph(idmShadowed, glyph.get());
        EXPECT_EQ(Rgb(At(d.get(), 5, 5)), red);
        EXPECT_EQ(Rgb(At(d.get(), 12, 12)), red);
        EXPECT_EQ(Rgb(At(d.get(), 14, 14)), RgbOf(clBtnShadow));
        EXPECT_EQ(Rgb(At(d.get(), 4, 4)), green);
        EXPECT_EQ(Rgb(At(d.get(), 15, 15)), green);
    }
}

TEST(cxImageStates, AlphaGlyphBlendsAndDisabledFades) {
    TBitmap glyph(4, 4, pf32bit);
    Fill(&glyph, 0x80000080);  // half-transparent blue, premultiplied
    auto paint = [&](TcxImageDrawMode state) {
        auto d = std::make_unique<TBitmap>(4, 4, pf32bit);
        Fill(d.get(), 0xFFFFFFFF);
        PaintImageWithState(d->Canvas()->Handle(), TRect{0, 0, 4, 4}, TRect{0, 0, 4, 4}, &glyph, nullptr, -1, state);
        return d;
    };
    ExpectNear(Rgb(At(paint(idmNormal).get(), 1, 1)), 0x7F7FFF);
    DWORD disabled = Rgb(At(paint(idmDisabled).get(), 1, 1));
    EXPECT_EQ(disabled & 0xFF, (disabled >> 16) & 0xFF);  // greyed
    EXPECT_GT(disabled & 0xFF, 0x7Fu);                    // and lighter than the normal blend
}

TEST(cxImageStates, NothingWithoutAnImageAndTheHookGoesFirst) {
    TBitmap dest(8, 8, pf32bit);
    Fill(&dest, 0xFF00FF00);
    TImageList list(nullptr);
    PaintImageWithState(dest.Canvas()->Handle(), TRect{0, 0, 8, 8}, TRect{0, 0, 8, 8}, nullptr, &list, 0, idmNormal,
                        false, HBRUSH(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(Rgb(PixelAt(&dest, 3, 3)), 0x00FF00u);

    static int calls;
    calls = 0;
    DrawImageHook = [](TcxCanvas*, TCustomImageList*, int, TcxImageDrawMode, const TRect&, TBitmap*) {
        ++calls;
        return true;
    };
    std::unique_ptr<TBitmap> glyph = MakeGlyph();
    auto d = PaintGlyph(idmNormal, glyph.get());
    DrawImageHook = nullptr;
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Rgb(At(d.get(), 6, 6)), 0x00FF00u);
}

TEST(cxImageStates, ReplaceLinkedImageListMovesTheLink) {
    TImageList first(nullptr), second(nullptr);
    TCustomImageList* field = nullptr;
    struct CountingLink : TChangeLink {
        int changes = 0;
        void Change() override { ++changes; }
    } link;
    int& changes = link.changes;
    ReplaceLinkedImageList(&first, field, &link, nullptr);
    EXPECT_EQ(field, &first);
    EXPECT_EQ(changes, 1);
    ReplaceLinkedImageList(&second, field, &link, nullptr);
    EXPECT_EQ(changes, 2);
    first.SetBkColor(clRed);  // no longer linked
    EXPECT_EQ(changes, 2);
    second.SetBkColor(clRed);
    EXPECT_EQ(changes, 3);
    ReplaceLinkedImageList(&second, field, &link, nullptr);  // unchanged: nothing
    EXPECT_EQ(changes, 3);
    ReplaceLinkedImageList(nullptr, field, &link, nullptr);
}

TEST(cxImageStates, DesignSelectorByPixel) {
    for (bool selected : {false, true}) {
        TBitmap b(30, 30, pf32bit);
        Fill(&b, 0xFFFFFFFF);
        TcxCanvas canvas(b.Canvas());
        DrawDesignSelector(&canvas, TRect{2, 2, 22, 22}, selected);
        TColor fill = selected ? TColor(0x9090FF) : TColor(0xA0FFA0);
        EXPECT_EQ(Rgb(PixelAt(&b, 10, 10)), RgbOf(fill));                           // between the hatch lines
        EXPECT_EQ(Rgb(PixelAt(&b, 12, 10)), RgbOf(ScaleColorByPercent(fill, 75)));  // on a line
        EXPECT_EQ(Rgb(PixelAt(&b, 2, 10)), RgbOf(ScaleColorByPercent(fill, 50)));   // the frame
        EXPECT_EQ(Rgb(PixelAt(&b, 22, 10)), RgbOf(clBtnShadow));                    // the drop shadow
        EXPECT_EQ(Rgb(PixelAt(&b, 10, 22)), RgbOf(clBtnShadow));
        EXPECT_EQ(Rgb(PixelAt(&b, 23, 10)), 0xFFFFFFu);
        EXPECT_EQ(Rgb(PixelAt(&b, 1, 10)), 0xFFFFFFu);
    }
}

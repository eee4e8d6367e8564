// The Windows bitmap font: the packing of glyph cells into a sheet, the cell sizes and advances
// measured by GDI, the "too large" failure, storage, and Cyrillic text drawn through a HUD text
// and compared, glyph by glyph, with GDI's own drawing of the same characters.

#include <gtest/gtest.h>

#include <memory>

#include "Bitmap.h"
#include "Canvas.h"
#include "FormDescription.h"
#include "GLHUDObjects.h"
#include "GLWindowsFont.h"
#include "Picture.h"
#include "SceneViewFixture.h"
#include "SysUtils.h"
#include "TestSupport.h"

namespace {

TGlyphAdvances AdvancesOf(int firstCode, int count, Integer advance) {
    TGlyphAdvances advances{};
    for (int code = firstCode; code < firstCode + count; ++code) advances[size_t(code)] = advance;
    return advances;
}

// A canvas measuring with the font's own settings: GDI is the referee of the font's tables.
struct TMeasure {
    explicit TMeasure(TFont* font) : bitmap(8, 8, pf32bit) { bitmap.Canvas()->SetFont(font); }
    int Width(const String& text) { return bitmap.Canvas()->TextWidth(text); }
    int Height(const String& text) { return bitmap.Canvas()->TextHeight(text); }
    TBitmap bitmap;
};

}  // namespace

TEST(GlyphSheetPacking, RowsWrapBeforeACellThatWouldNotFit) {
    // Cells of 16 pixels: four to a 64-pixel row.
    std::vector<std::pair<int, int>> cells;
    const Integer count = PackGlyphCells(AdvancesOf(65, 6, 14), 10, 64, 64,
                                         [&](Byte, Integer x, Integer y) { cells.emplace_back(x, y); });
    EXPECT_EQ(count, 6);
    EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{0, 0}, {16, 0}, {32, 0}, {48, 0}, {0, 10}, {16, 10}}));
    // Codes without an advance get no cell.
    EXPECT_EQ(PackGlyphCells(TGlyphAdvances{}, 10, 64, 64), 0);
}

TEST(GlyphSheetPacking, TheSmallestThenSquarestThenFirstSizeWins) {
    const struct {
        const char* name;
        TGlyphAdvances advances;
        Integer charHeight, charCount;
        bool fits;
        Integer width, height;
    } cases[] = {
        {"few small cells", AdvancesOf(32, 10, 6), 12, 10, true, 64, 64},
        // 20 cells of 16 x 16: 128 x 64 and 64 x 128 both hold them (a full 64 x 64 sheet
        // counts one short); equal area and skew, and 128 wide is met first.
        {"a tie", AdvancesOf(32, 20, 14), 16, 20, true, 128, 64},
        {"more than a row of 512", AdvancesOf(0, 256, 40), 40, 256, false, 0, 0},
        // A cell wider than a sheet, or taller, never fits it, not even alone.
        {"a wide cell", AdvancesOf(65, 1, 100), 16, 1, true, 128, 64},
        {"a tall cell", AdvancesOf(65, 1, 10), 70, 1, true, 64, 128},
        // Two ranges overlapping count their codes twice: no sheet holds the count.
        {"counts that cannot be met", AdvancesOf(65, 5, 10), 16, 10, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Integer width = 0, height = 0;
        EXPECT_EQ(ChooseGlyphSheetSize(c.advances, c.charHeight, c.charCount, width, height), c.fits);
        if (c.fits) {
            EXPECT_EQ(width, c.width);
            EXPECT_EQ(height, c.height);
        }
    }
}

TEST(WindowsBitmapFont, CellsAndAdvancesAreGDIsMeasures) {
    TGLWindowsBitmapFont font(nullptr);
    TMeasure gdi(font.Font());
    EXPECT_EQ(font.CharWidth(), std::max({gdi.Width(L"_"), gdi.Width(L"W"), gdi.Width(L"M")}) + 2);
    EXPECT_EQ(font.CharHeight(), gdi.Height(L"\"_pI|,") + 2);
    EXPECT_EQ(font.ExtraCharSpacing(), 0);
    for (wchar_t c : String(L" AW.i}")) EXPECT_EQ(font.CharWidthOf(Byte(c)), gdi.Width(String(1, c))) << char(c);
    // Outside the ranges (32..125): no advance, so nothing is drawn.
    EXPECT_EQ(font.CharWidthOf(126), 0);
    EXPECT_EQ(font.CharWidthOf(9), 0);
    EXPECT_EQ(font.TextWidth(L"AW"), gdi.Width(L"A") + gdi.Width(L"W") + 1);

    // Every glyph has its own rectangle on the sheet, inside the texture.
    const Integer w = font.Glyphs()->Width(), h = font.Glyphs()->Height();
    EXPECT_TRUE(w >= 64 && w <= 512 && (w & (w - 1)) == 0) << w;
    EXPECT_TRUE(h >= 64 && h <= 512 && (h & (h - 1)) == 0) << h;
    std::vector<TGlyphTexRect> seen;
    for (int code = 32; code <= 125; ++code) {
        const TGlyphTexRect r = font.GlyphTexRect(Byte(code));
        EXPECT_TRUE(r.left > 0 && r.right < 1 && r.left < r.right && r.bottom > 0 && r.top < 1 && r.bottom < r.top)
            << code;
        EXPECT_EQ(std::find(seen.begin(), seen.end(), r), seen.end()) << code;
        seen.push_back(r);
    }
}

TEST(WindowsBitmapFont, ItalicAdvancesCarryAThirdOfACellThatTextWidthTakesBack) {
    TGLWindowsBitmapFont font(nullptr);
    font.Font()->SetStyle(TFontStyles{fsItalic});
    font.BuildFontSheet();
    TMeasure gdi(font.Font());
    const Integer plainCell = std::max({gdi.Width(L"_"), gdi.Width(L"W"), gdi.Width(L"M")}) + 2;
    EXPECT_EQ(font.ExtraCharSpacing(), -(plainCell / 3));
    EXPECT_EQ(font.CharWidth(), plainCell + plainCell / 3);
    EXPECT_EQ(font.CharWidthOf('A'), gdi.Width(L"A") + plainCell / 3);
    EXPECT_EQ(font.TextWidth(L"AB"), gdi.Width(L"A") + gdi.Width(L"B") + font.HSpace());
}

TEST(WindowsBitmapFont, AFontTooLargeForTheBiggestSheetShrinksAndFails) {
    TGLWindowsBitmapFont font(nullptr);
    font.Ranges()->Items(0)->SetStopASCII(255);
    font.Font()->SetSize(120);
    EXPECT_EQ(MessageOf([&] { font.BuildFontSheet(); }),
              "Characters are too large or too many. Unable to create font texture.");
    EXPECT_EQ(font.Font()->Size(), 6);
    // The picture's change event is attached again, and a second try succeeds.
    EXPECT_EQ(MessageOf([&] { font.BuildFontSheet(); }), "(no exception)");
    EXPECT_TRUE(font.Glyphs()->OnChange);
}

TEST(WindowsBitmapFont, OnlyRangesOtherThanTheDefaultAreStored) {
    TComponent source(nullptr);
    source.SetName(L"Form1");
    auto* font = new TGLWindowsBitmapFont(&source);
    font->SetName(L"Font1");
    EXPECT_EQ(WriteComponentToText(&source).find("Ranges"), AnsiString::npos);
    font->Ranges()->Add(192, 255);
    font->Font()->SetCharset(RUSSIAN_CHARSET);
    const AnsiString text = WriteComponentToText(&source);
    EXPECT_NE(text.find("Ranges"), AnsiString::npos) << text;

    TComponent form(nullptr);
    ReadComponentFromText(text, &form);
    auto* read = dynamic_cast<TGLWindowsBitmapFont*>(form.FindComponent(L"Font1"));
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->Ranges()->Count(), 2);
    EXPECT_EQ(read->Ranges()->Items(1)->StartASCII(), 192);
    EXPECT_EQ(read->Font()->Charset(), RUSSIAN_CHARSET);
}

TEST(WindowsFontRender, CyrillicGlyphsReadBackWhereTheLayoutPutsThem) {
    constexpr int kWidth = 160, kHeight = 40;
    TSceneFixture fixture;
    auto* text = fixture.Add<TGLHUDText>(nullptr, L"text");
    auto* font = new TGLWindowsBitmapFont(fixture.form.get());
    TSceneView view(fixture, kWidth, kHeight);
    ASSERT_TRUE(view.Ready());
    font->Font()->SetCharset(RUSSIAN_CHARSET);
    font->Font()->SetSize(12);
    font->Ranges()->Items(0)->SetStopASCII(126);
    font->Ranges()->Add(192, 255);  // А..я in the Russian code page
    font->SetMagFilter(maNearest);
    font->SetMinFilter(miNearest);
    text->SetBitmapFont(font);
    const String caption = L"Кадров/с";
    text->SetText(caption);
    const int left = 6, top = 5;
    text->Position()->SetPoint(left, top, 0);
    view.Render();
    ASSERT_EQ(font->Ranges()->CharacterCount(), 95 + 64);

    // GDI draws each character the way the layout places its glyph: at the pen, one pixel below
    // the reference line (the sheet's cell margin), clipped to the glyph's advance.
    TBitmap reference(kWidth, kHeight, pf32bit);
    TCanvas* canvas = reference.Canvas();
    canvas->Brush()->SetColor(clBlack);
    canvas->FillRect(Rect(0, 0, kWidth, kHeight));
    canvas->SetFont(font->Font());
    canvas->Font()->SetColor(clWhite);
    const AnsiString codes = StringToAnsi(caption, 1251);
    ASSERT_EQ(codes.size(), caption.size());
    int pen = left;
    std::vector<std::pair<int, int>> boxes;
    for (size_t i = 0; i < codes.size(); ++i) {
        const Integer advance = font->CharWidthOf(Byte(codes[i]));
        ASSERT_GT(advance, 0) << i;
        canvas->TextRect(Rect(pen, top, pen + advance, top + font->CharHeight()), pen, top + 1, String(1, caption[i]));
        boxes.emplace_back(pen, pen + advance);
        pen += advance + font->HSpace();
    }
    EXPECT_EQ(pen - font->HSpace() - left, font->TextWidth(caption));

    int mismatches = 0;
    std::vector<int> litPerGlyph(boxes.size());
    for (int y = 0; y < kHeight; ++y) {
        const auto* row = static_cast<const Byte*>(reference.ScanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const int expected = (row[x * 4] + row[x * 4 + 1] + row[x * 4 + 2]) / 3;
            const int actual = view.At(x, y).r;
            if (std::abs(expected - actual) > 3) ++mismatches;
            if (actual > 128)
                for (size_t g = 0; g < boxes.size(); ++g)
                    if (x >= boxes[g].first && x < boxes[g].second) ++litPerGlyph[g];
        }
    }
    EXPECT_EQ(mismatches, 0);
    for (size_t g = 0; g < boxes.size(); ++g) EXPECT_GT(litPerGlyph[g], 3) << "glyph " << g;
}

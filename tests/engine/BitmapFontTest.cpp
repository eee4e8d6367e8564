// Bitmap fonts: the range and width tables, the layout of drawn strings (recorded vertices), the
// glyph texture read back as pixels, the font's users, and the flat text.

#include <cstdio>

#include "FontFixtures.h"
#include "FormDescription.h"
#include "GLFlatText.h"
#include "GLHUDObjects.h"
#include "GLRecorder.h"
#include "HiddenGLWindow.h"
#include "SceneFixtures.h"
#include "TestSupport.h"

namespace {

// The quads of the recorded calls, as their top-left corners (x, y).
std::vector<std::pair<float, float>> QuadCorners(const TGLCalls& calls) {
    std::vector<std::pair<float, float>> corners;
    int vertex = 0;
    for (const std::string& call : calls) {
        if (call.rfind("glVertex2f(", 0) != 0) continue;
        if (vertex++ % 4 == 0) {
            float x = 0, y = 0;
            sscanf(call.c_str(), "glVertex2f(%f,%f)", &x, &y);
            corners.emplace_back(x, y);
        }
    }
    return corners;
}

// The font drawn for real in the hidden window, one pixel a unit, the text's reference point at
// the window's top-left corner.
class BitmapFontGL : public THiddenGLWindow {
protected:
    void SetUp() override {
        THiddenGLWindow::SetUp();
        GL.glMatrixMode(GL_PROJECTION);
        GL.glOrtho(0, kSize, -kSize, 0, -1, 1);
        GL.glMatrixMode(GL_MODELVIEW);
        font = MakeCellFont();
    }
    void TearDown() override {
        font.reset();
        THiddenGLWindow::TearDown();
    }
    void Draw(const String& text, TAlignment alignment = taLeftJustify, TGLTextLayout layout = tlTop) {
        font->DrawString(rci_, text, alignment, layout, {1, 1, 1, 1});
    }
    // The colour at (x, y) counted from the window's top-left corner, as 0xRRGGBB.
    unsigned Colour(int x, int yFromTop) {
        TVector4f p = Pixel(x, kSize - 1 - yFromTop);
        return unsigned(p.X * 255 + 0.5f) << 16 | unsigned(p.Y * 255 + 0.5f) << 8 | unsigned(p.Z * 255 + 0.5f);
    }
    void Clear() {
        GL.glClearColor(0, 0, 0, 1);
        GL.glClear(GL_COLOR_BUFFER_BIT);
    }
    std::unique_ptr<TGLBitmapFont> font;
};

// Logs the fonts' change reports by its name.
class TFontUserLog : public TGLBaseSceneObject {
    Z_CLASS(TFontUserLog, TGLBaseSceneObject)
public:
    using TGLBaseSceneObject::TGLBaseSceneObject;
    void ReportChange(TObject* sender) override {
        if (Is<TGLCustomBitmapFont>(sender)) log.push_back(Name());
        TGLBaseSceneObject::ReportChange(sender);
    }
    static inline std::vector<String> log;
};

}  // namespace

TEST(BitmapFontRanges, SettersKeepStartAtOrBelowStopAndNameTheCells) {
    TBitmapFontRanges ranges(nullptr);
    TBitmapFontRange* range = ranges.Add(32, 126);
    EXPECT_EQ(Utf8(range->DisplayName()), "ASCII [#32, #126] -> Glyphs [0, 94]");
    range->SetStartGlyphIdx(-5);
    EXPECT_EQ(range->StartGlyphIdx(), 0);
    range->SetStartASCII(200);
    EXPECT_EQ(range->StopASCII(), 200);
    range->SetStopASCII(40);
    EXPECT_EQ(range->StartASCII(), 40);
    ranges.Add(65, 70)->SetStartGlyphIdx(10);
    EXPECT_EQ(Utf8(ranges.Items(1)->DisplayName()), "ASCII [#65, #70] -> Glyphs [10, 15]");
    EXPECT_EQ(ranges.CharacterCount(), 1 + 6);
}

TEST(BitmapFontTables, TextWidthAddsAdvancesAndSpacing) {
    TGLBitmapFont font(nullptr);
    font.SetCharWidthOf('A', 10);
    font.SetCharWidthOf('B', 12);
    EXPECT_EQ(font.TextWidth(L"AB"), 2 * 1 - 1 + 22);
    EXPECT_EQ(font.TextWidth(L""), 0);
    // Codes without an advance of their own take the char width.
    EXPECT_EQ(font.TextWidth(L"AZ"), 2 * 1 - 1 + 10 + 16);
    font.SetHSpace(3);
    EXPECT_EQ(font.TextWidth(L"AB"), 2 * 3 - 3 + 16 + 16);  // a change of the font refills the widths
}

TEST(BitmapFontTables, GeometrySettersClamp) {
    TGLBitmapFont font(nullptr);
    const struct {
        void (TGLCustomBitmapFont::*set)(Integer);
        Integer (TGLCustomBitmapFont::*get)() const;
        Integer value, stored;
    } cases[] = {
        {&TGLCustomBitmapFont::SetCharWidth, &TGLCustomBitmapFont::CharWidth, 0, 1},
        {&TGLCustomBitmapFont::SetCharHeight, &TGLCustomBitmapFont::CharHeight, -2, 1},
        {&TGLCustomBitmapFont::SetGlyphsIntervalX, &TGLCustomBitmapFont::GlyphsIntervalX, -1, 0},
        {&TGLCustomBitmapFont::SetGlyphsIntervalY, &TGLCustomBitmapFont::GlyphsIntervalY, 5, 5},
        {&TGLCustomBitmapFont::SetHSpace, &TGLCustomBitmapFont::HSpace, -3, 0},
        {&TGLCustomBitmapFont::SetVSpace, &TGLCustomBitmapFont::VSpace, -1, 0},
    };
    for (const auto& c : cases) {
        (font.*c.set)(c.value);
        EXPECT_EQ((font.*c.get)(), c.stored) << c.value;
    }
}

TEST(BitmapFontTables, GlyphsPerRowAndAnEmptySheet) {
    auto font = MakeCellFont();
    EXPECT_EQ(font->GlyphsPerRow(), 4);
    font->SetGlyphsIntervalX(2);
    EXPECT_EQ(font->GlyphsPerRow(), (16 + 2) / (2 + 4));
    // Without a sheet there are no cells, and no rectangle (rather than a division by zero).
    TGLBitmapFont empty(nullptr);
    empty.Ranges()->Add('A', 'Z');
    EXPECT_EQ(empty.GlyphsPerRow(), 0);
    EXPECT_EQ(empty.GlyphTexRect('A'), (TGlyphTexRect{0, 0, 0, 0}));
}

TEST_F(BitmapFontGL, GlyphsReadBackInTheirCellColoursWithRectanglesOnTheCells) {
    Clear();
    Draw(L"ABCZ");
    GL.glFinish();
    // Cells 1..3 (green, blue, white) four pixels wide, one pixel apart; 'Z' is outside every
    // range: it keeps the char width and draws the texel at (0, 0), the red cell's.
    EXPECT_EQ(Colour(1, 1), 0x00FF00u);
    EXPECT_EQ(Colour(6, 2), 0x0000FFu);
    EXPECT_EQ(Colour(13, 3), 0xFFFFFFu);
    EXPECT_EQ(Colour(17, 0), 0xFF0000u);
    EXPECT_EQ(Colour(4, 1), 0x000000u);   // the gap of HSpace
    EXPECT_EQ(Colour(1, 4), 0x000000u);   // below the line
    EXPECT_EQ(Colour(20, 1), 0x000000u);  // after the text
    EXPECT_EQ(font->TextureWidth(), 16);
    EXPECT_EQ(font->TextureHeight(), 4);
    const TGlyphTexRect a = font->GlyphTexRect('A');
    EXPECT_FLOAT_EQ(a.left, 4.05f / 16);
    EXPECT_FLOAT_EQ(a.top, 3.95f / 4);
    EXPECT_FLOAT_EQ(a.right, 7.95f / 16);
    EXPECT_FLOAT_EQ(a.bottom, 0.05f / 4);
    EXPECT_EQ(font->GlyphTexRect('Z'), (TGlyphTexRect{0, 0, 0, 0}));
    EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(BitmapFontGL, LinesAreAlignedAndLaidOutByTheirOwnWidths) {
    Draw(L"A");  // builds the texture, so that only the glyphs are recorded below
    using TCorners = std::vector<std::pair<float, float>>;
    const struct {
        const wchar_t* text;
        TAlignment alignment;
        TGLTextLayout layout;
        TCorners corners;
    } cases[] = {
        {L"AB", taLeftJustify, tlTop, {{0, 0}, {5, 0}}},
        {L"A B", taLeftJustify, tlTop, {{0, 0}, {10, 0}}},  // a space advances by its width + HSpace
        // Tabs and line feeds draw nothing and take no room; only carriage returns break lines.
        {L"A\tB\nC", taLeftJustify, tlTop, {{0, 0}, {5, 0}, {10, 0}}},
        {L"A", taRightJustify, tlBottom, {{-4, 4}}},
        // Centred: each line by half its own width (9 / 2 and 4 / 2, halves to even); the block
        // of two lines, 9 high, starts at 4.
        {L"AB\rC", taCenter, tlCenter, {{-4, 4}, {1, 4}, {-2, -1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.text));
        TGLRecorder recorder;
        Draw(c.text, c.alignment, c.layout);
        EXPECT_EQ(QuadCorners(recorder.Calls()), c.corners);
    }
}

TEST_F(BitmapFontGL, DrawingLeavesTheStateCacheAndTheTextureUnitClean) {
    const Cardinal before = states_.States();
    {
        TEnableAttribScope enableBits(&states_);
        Draw(L"AB");
        EXPECT_TRUE(states_.IsEnabled(stTexture2D));  // what the glyph pass asked for
    }
    // After the pop, the cache and OpenGL agree again.
    EXPECT_EQ(states_.States(), before);
    EXPECT_EQ(GL.glIsEnabled(GL_TEXTURE_2D), GLboolean(GL_FALSE));
    GLint bound = -1;
    GL.glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
}

TEST_F(BitmapFontGL, FlatTextModulatesItsGlyphsAndDrawsItsChildren) {
    TSceneFixture fixture;
    auto* text = fixture.Add<TGLFlatText>(nullptr);
    auto* child = fixture.Add<TGLFlatText>(text);
    text->SetBitmapFont(font.get());
    child->SetBitmapFont(font.get());
    text->SetText(L"C");  // the white cell
    text->ModulateColor()->SetColorVector({1, 0, 0, 1});
    child->SetText(L"A");
    child->Position()->SetPoint(10, 0, 0);
    Clear();
    fixture.Root()->Render(rci_);
    GL.glFinish();
    EXPECT_EQ(Colour(1, 1), 0xFF0000u);
    EXPECT_EQ(Colour(11, 1), 0x00FF00u);
    text->SetText(L"");
    Clear();
    fixture.Root()->Render(rci_);
    EXPECT_EQ(Colour(1, 1), 0x000000u);
    EXPECT_EQ(Colour(11, 1), 0x00FF00u);
    text->SetBitmapFont(nullptr);
    child->SetBitmapFont(nullptr);
}

TEST(BitmapFontUsers, UsersHearChangesLastFirstAndLetGoOfAFreedFont) {
    TSceneFixture fixture;
    auto* font = new TGLBitmapFont(fixture.form.get());
    auto* first = fixture.Add<TGLHUDText>(nullptr, L"first");
    auto* second = fixture.Add<TGLFlatText>(nullptr, L"second");
    first->SetBitmapFont(font);
    second->SetBitmapFont(font);
    EXPECT_EQ(font->Users(), (std::vector<TGLBaseSceneObject*>{first, second}));
    EXPECT_EQ(MessageOf([&] { font->AddFontUser(first); }).rfind("Assertion failure", 0), 0u);

    auto* third = fixture.Add<TFontUserLog>(nullptr, L"third");
    auto* fourth = fixture.Add<TFontUserLog>(nullptr, L"fourth");
    font->AddFontUser(third);
    font->AddFontUser(fourth);
    TFontUserLog::log.clear();
    fixture.buffer.changes = 0;
    font->SetCharWidth(20);
    EXPECT_EQ(TFontUserLog::log, (std::vector<String>{L"fourth", L"third"}));
    EXPECT_GE(fixture.buffer.changes, 4);  // every user reported to the scene
    font->RemoveFontUser(third);
    font->RemoveFontUser(fourth);

    FreeObject(font);
    EXPECT_EQ(first->BitmapFont(), nullptr);
    EXPECT_EQ(second->BitmapFont(), nullptr);
}

TEST(BitmapFontUsers, AFontFreedWithAUserThatDidNotDetachFailsAnAssertion) {
    TSceneFixture fixture;
    auto* font = new TGLBitmapFont(nullptr);
    auto* stray = fixture.Add<TGLBaseSceneObject>(nullptr);
    font->AddFontUser(stray);
    EXPECT_EQ(MessageOf([&] { FreeObject(font); }).rfind("Assertion failure", 0), 0u);
    font->RemoveFontUser(stray);
    FreeObject(font);
}

TEST(BitmapFontStorage, AHandMadeFontSurvivesAFormDescription) {
    TComponent source(nullptr);
    source.SetName(L"Form1");
    auto font = MakeCellFont(&source);
    font->SetName(L"Font1");
    font->SetHSpace(2);
    const AnsiString text = WriteComponentToText(&source);
    EXPECT_NE(text.find("HSpace = 2"), AnsiString::npos) << text;

    TComponent form(nullptr);
    ReadComponentFromText(text, &form);
    auto* read = dynamic_cast<TGLBitmapFont*>(form.FindComponent(L"Font1"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->CharWidth(), 4);
    EXPECT_EQ(read->HSpace(), 2);
    EXPECT_EQ(read->MagFilter(), maNearest);
    EXPECT_EQ(read->GlyphsAlpha(), tiaOpaque);
    EXPECT_EQ(read->Glyphs()->Width(), 16);
    ASSERT_EQ(read->Ranges()->Count(), 1);
    EXPECT_EQ(read->Ranges()->Items(0)->StartASCII(), 'A');
    EXPECT_EQ(read->Ranges()->Items(0)->StartGlyphIdx(), 1);
    font.release();  // owned by the form
}

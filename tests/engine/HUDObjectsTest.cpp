// HUD objects drawn by a scene buffer and read back: window placement, picking, children of a
// text without a font, the text variants' reference points, and storage.

#include "FormDescription.h"
#include "GLHUDObjects.h"
#include "GLWindowsFont.h"
#include "SceneViewFixture.h"
#include "SysMath.h"

namespace {

TGLHUDSprite* AddWhiteSprite(TSceneFixture& fixture, TGLBaseSceneObject* parent, Single x, Single y) {
    auto* sprite = fixture.Add<TGLHUDSprite>(parent);
    sprite->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
    sprite->Material()->FrontProperties()->Diffuse()->SetColorVector({1, 1, 1, 1});
    sprite->Position()->SetPoint(x, y, 0);
    return sprite;
}

}  // namespace

TEST(HUDSprite, CoversItsRectangleInWindowPixels) {
    TSceneFixture fixture;
    AddWhiteSprite(fixture, nullptr, 100, 50);
    TSceneView view(fixture, 200, 120);
    ASSERT_TRUE(view.Ready());
    view.Render();
    // 16 x 16 centred on (100, 50), y from the top: pixels 92..107 and 42..57.
    EXPECT_EQ(view.LitBox(), (TPixelBox{92, 42, 108, 58}));
    EXPECT_EQ(view.LitCount(), 16 * 16);
}

TEST(HUDSprite, PickingPassesOverTheSpriteAndItsChildren) {
    TSceneFixture fixture;
    TSceneView view(fixture, 120, 80);
    ASSERT_TRUE(view.Ready());
    auto* sprite = AddWhiteSprite(fixture, nullptr, 30, 20);
    auto* square = fixture.Add<TColouredSquare>(sprite);
    square->Position()->SetPoint(-30, -20, 0);  // back at the world's origin, in the middle of the view
    view.Render();
    EXPECT_EQ(view.At(60, 40), (TRGB8{255, 0, 0}));  // drawn as the sprite's child
    EXPECT_EQ(view.At(30, 20), (TRGB8{255, 255, 255}));
    EXPECT_EQ(view.buffer->PickObjects({55, 35, 10, 10}), std::vector<GLuint>{});
    EXPECT_EQ(view.buffer->PickObjects({25, 15, 10, 10}), std::vector<GLuint>{});
    // The same square outside a sprite is picked.
    square->MoveTo(fixture.Root());
    square->Position()->SetPoint(0, 0, 0);
    EXPECT_EQ(view.buffer->PickObjects({55, 35, 10, 10}), std::vector<GLuint>{square->PickingName()});
}

TEST(HUDText, WithoutAFontItDrawsOnlyItsChildren) {
    TSceneFixture fixture;
    auto* text = fixture.Add<TGLHUDText>(nullptr);
    text->SetText(L"FPS");
    AddWhiteSprite(fixture, text, 40, 30);
    TSceneView view(fixture, 100, 60);
    ASSERT_TRUE(view.Ready());
    view.Render();
    EXPECT_EQ(view.LitBox(), (TPixelBox{32, 22, 48, 38}));

    // With a font and no text, the same.
    auto* font = new TGLWindowsBitmapFont(fixture.form.get());
    text->SetBitmapFont(font);
    text->SetText(L"");
    view.Render();
    EXPECT_EQ(view.LitBox(), (TPixelBox{32, 22, 48, 38}));
}

TEST(HUDText, VariantsPlaceTheirReferencePoint) {
    TSceneFixture fixture;
    auto* font = new TGLWindowsBitmapFont(fixture.form.get());
    TSceneView view(fixture, 120, 80);
    ASSERT_TRUE(view.Ready());
    auto textBox = [&](TGLHUDText* text) {
        text->SetBitmapFont(font);
        text->SetText(L"HH");
        view.Render();
        const TPixelBox box = view.LitBox();
        text->SetVisible(false);
        return box;
    };
    const Integer width = font->TextWidth(L"HH");

    auto* plain = fixture.Add<TGLHUDText>(nullptr);
    plain->Position()->SetPoint(10, 20, 0);
    const TPixelBox atPosition = textBox(plain);
    ASSERT_FALSE(atPosition.Empty());
    // The glyphs start at the reference point (within their cells' margins).
    EXPECT_GE(atPosition.left, 10);
    EXPECT_LE(atPosition.left, 12);
    EXPECT_GE(atPosition.top, 20);
    EXPECT_LE(atPosition.right, 10 + width);
    EXPECT_LE(atPosition.bottom, 20 + font->CharHeight());
    const int glyphLeft = atPosition.left - 10, glyphTop = atPosition.top - 20;

    // Centred and laid out about the centre of the block, the same glyphs move by half the
    // text's size.
    auto* centred = fixture.Add<TGLHUDText>(nullptr);
    centred->Position()->SetPoint(60, 40, 0);
    centred->SetAlignment(taCenter);
    centred->SetLayout(tlCenter);
    const TPixelBox centredBox = textBox(centred);
    EXPECT_EQ(centredBox.left, 60 - Integer(Round(width / 2.0L)) + glyphLeft);
    EXPECT_EQ(centredBox.top, 40 - Integer(Round(font->CharHeight() / 2.0L)) + glyphTop);

    // Fractions of the viewport: the centre by default.
    auto* independent = fixture.Add<TGLResolutionIndependantHUDText>(nullptr);
    EXPECT_EQ(textBox(independent).left, 60 + glyphLeft);
    EXPECT_EQ(view.LitBox().top, 40 + glyphTop);

    // At the projection of its world position; the flip of y keeps "above" above.
    auto* absolute = fixture.Add<TGLAbsoluteHUDText>(nullptr);
    const TPixelBox onOrigin = textBox(absolute);
    EXPECT_EQ(onOrigin.left, 60 + glyphLeft);
    EXPECT_EQ(onOrigin.top, 40 + glyphTop);
    absolute->SetVisible(true);
    absolute->Position()->SetPoint(1, 1, 0);
    const TPixelBox upRight = textBox(absolute);
    EXPECT_GT(upRight.left, onOrigin.left);
    EXPECT_LT(upRight.top, onOrigin.top);
}

TEST(HUDSprite, StoresItsSizeOnlyWhereItDiffersFromSixteen) {
    TComponent source(nullptr);
    source.SetName(L"Form1");
    auto* scene = new TGLScene(&source);
    scene->SetName(L"Scene1");
    auto* cursor = static_cast<TGLHUDSprite*>(scene->Objects()->AddNewChild(TGLHUDSprite::StaticClass()));
    cursor->SetName(L"Cursor");
    cursor->SetHeight(20);
    cursor->SetXTiles(2);
    const AnsiString text = WriteComponentToText(&source);
    EXPECT_NE(text.find("Height = 20"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("Width"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("YTiles"), AnsiString::npos) << text;

    TComponent form(nullptr);
    ReadComponentFromText(text, &form);
    auto* read = dynamic_cast<TGLHUDSprite*>(form.FindComponent(L"Cursor"));
    ASSERT_NE(read, nullptr);
    EXPECT_FLOAT_EQ(read->Width(), 16);
    EXPECT_FLOAT_EQ(read->Height(), 20);
    EXPECT_EQ(read->XTiles(), 2);
}

// The data the editor ships (copied next to this executable, as next to the editor): the texture
// catalogue in its library order, and the real robot standing, facing and moving as it should,
// checked by its pixels. With ZARNIK_SHOTS naming a folder, the robot's picture is saved there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "EditorFixtures.h"
#include "GLCadencer.h"
#include "GLCamera.h"
#include "GLMeshObject.h"
#include "OffscreenView.h"
#include "PictureRegisteredFormats.h"
#include "SysUtils.h"
#include "uBot.h"
#include "uTextures.h"

namespace {

String DataFolder() { return ExtractFilePath(ParamStr(0)); }
// The pictures the main form stores live in the source tree (they go into the form, not next to
// the program).
String FormPictureFolder() { return DataFolder() + L"..\\..\\..\\assets\\form\\"; }

class ShippedData : public testing::Test {
protected:
    void SetUp() override { savedFolder = GetCurrentDir(); }
    void TearDown() override {
        bot.reset();
        SetCurrentDir(savedFolder);
        EXPECT_EQ(TakeRecordedCallbackErrors(), std::vector<String>{});
    }
    void LoadRobot() {
        ASSERT_TRUE(LoadTextures(DataFolder() + L"textures\\", editor.library));
        bot = std::make_unique<TBot>(editor.scene, DataFolder() + L"models\\Bot\\model.ini", editor.library);
    }
    // Where a point of the model lies in the world: X across, forward (the model's -Y), Z up.
    TAffineVector ModelPoint(Single x, Single forward, Single up) {
        return XYZ(bot->Actor()->LocalToAbsolute({x, -forward, up, 1}));
    }

    TEditorScene editor;
    String savedFolder;
    std::unique_ptr<TBot> bot;
};

bool IsYellow(unsigned c) { return (c >> 16) > 200 && ((c >> 8) & 0xFF) > 140 && (c & 0xFF) < 70; }
bool IsRed(unsigned c) { return (c >> 16) > 180 && ((c >> 8) & 0xFF) < 80 && (c & 0xFF) < 80; }
bool IsCyan(unsigned c) { return (c >> 16) < 90 && ((c >> 8) & 0xFF) > 200 && (c & 0xFF) > 200; }

}  // namespace

TEST_F(ShippedData, TheCatalogueFollowsTheBuiltInMaterialsInListOrder) {
    ASSERT_TRUE(LoadTextures(DataFolder() + L"textures\\", editor.library));
    TGLLibMaterials* materials = editor.library->Materials();
    const wchar_t* const expected[] = {L"Stone",  L"Robot",      L"BlockSilver", L"Metal",
                                       L"SkyDay", L"SkyEvening", L"SkyNight",    L"SkyOvercast"};
    ASSERT_EQ(materials->Count(), 11 + Integer(std::size(expected)));
    for (Integer i = 0; i < Integer(std::size(expected)); ++i) {
        TGLLibMaterial* entry = materials->ItemAt(11 + i);
        EXPECT_EQ(entry->Name(), expected[i]);
        // Every picture (BMP, TGA, DDS, JPEG) decodes, at its size.
        EXPECT_GE(entry->Material()->Texture()->Image()->ImageWidth(), 64) << Utf8(entry->Name());
    }
    EXPECT_EQ(editor.library->EntryByName(L"Robot")->Material()->BlendingMode(), bmTransparency);
    EXPECT_EQ(editor.library->EntryByName(L"SkyDay")->Material()->Texture()->Image()->ImageWidth(), 256);
}

TEST_F(ShippedData, TheRobotStandsUprightOnItsCellFacingPlusX) {
    LoadRobot();
    TGLActor* actor = bot->Actor();
    ASSERT_EQ(actor->MeshObjects()->Count(), 1);
    Integer stands = 0;
    for (Integer i = 0; i < actor->Animations()->Count(); ++i)
        if (actor->Animations()->GetAnimation(i)->Name() == L"stand") ++stands;
    EXPECT_EQ(stands, 1);
    EXPECT_EQ(actor->AnimationMode(), aamLoop);
    EXPECT_EQ(actor->StartFrame(), actor->Animations()->Last()->StartFrame());
    EXPECT_EQ(actor->Animations()->Last()->Name(), L"stand");
    EXPECT_EQ(actor->Material()->LibMaterialName(), L"Robot");
    EXPECT_EQ(bot->GetCell(), (TGridCell{4, 4}));

    // Upright and just above the ground: the model's 0.8 of height stands along +Y.
    const TAxisAlignedBox box = actor->AbsoluteAxisAlignedBox();
    EXPECT_NEAR(box.Min.Y, 0.02f, 1e-4);
    EXPECT_NEAR(box.Max.Y, 0.82f, 1e-4);
    // The model's forward axis points along the carrier's facing, whichever way it turns.
    const TAffineVector facings[] = {{1, 0, 0}, {0, 0, 1}, {-1, 0, 0}, {0, 0, -1}};
    for (const TAffineVector& facing : facings) {
        const TAffineVector centre = ModelPoint(0, 0, 0), ahead = ModelPoint(0, 1, 0);
        EXPECT_NEAR(ahead.X - centre.X, facing.X, 1e-5);
        EXPECT_NEAR(ahead.Y - centre.Y, 0, 1e-5);
        EXPECT_NEAR(ahead.Z - centre.Z, facing.Z, 1e-5);
        bot->SetDirection(bot->TurnedDirection());
    }
    EXPECT_NEAR(bot->GetDirection().X, 1, 1e-6);
}

TEST_F(ShippedData, TheStandAnimationLoopsUnderTheCadencer) {
    LoadRobot();
    TGLActor* actor = bot->Actor();
    TGLCadencer cadencer(nullptr);
    cadencer.SetMode(cmManual);
    cadencer.SetTimeReference(cmExternal);
    cadencer.SetScene(editor.scene);
    const Integer start = actor->StartFrame(), end = actor->EndFrame();
    ASSERT_GT(end - start, 8);
    bool reachedEnd = false, cameBack = false;
    for (int step = 0; step <= 120; ++step) {  // 6 seconds in steps of 50 ms
        cadencer.SetCurrentTime(step * 0.05);
        cadencer.Progress();
        ASSERT_GE(actor->CurrentFrame(), start);
        ASSERT_LE(actor->CurrentFrame(), end);
        if (actor->CurrentFrame() == end) reachedEnd = true;
        if (reachedEnd && actor->CurrentFrame() == start) cameBack = true;
    }
    EXPECT_TRUE(reachedEnd);
    EXPECT_TRUE(cameBack);
}

TEST_F(ShippedData, TheRobotsPictureShowsItsFaceAheadAndItsMarksOnTop) {
    LoadRobot();
    editor.sky->SetVisible(false);
    auto* target = editor.Add<TGLDummyCube>(L"target");
    auto* camera = editor.Add<TGLCamera>(L"camera");
    camera->SetTargetObject(target);
    target->Position()->SetPoint(4, 0.42f, 4);
    constexpr int kSize = 160;
    TOffscreenView view(kSize, kSize, camera);
    const char* shots = std::getenv("ZARNIK_SHOTS");
    auto render = [&](const char* name) {
        view.Render();
        if (shots)
            SaveBmp24(
                kSize, kSize, [&](int x, int y) { return view.Pixel(x, y); }, std::string(shots) + "/" + name + ".bmp");
    };
    auto colourAt = [&](const TAffineVector& world) {
        TPoint p = view.PixelOf(world);
        return view.Pixel(p.x, p.y);
    };

    // From above: the yellow arrow on the head points ahead (+X), the red antenna tip is behind.
    camera->Position()->SetPoint(4.001f, 4, 4);
    render("robot-top");
    EXPECT_TRUE(IsYellow(colourAt(ModelPoint(0, 0.04f, 0.32f)))) << std::hex << colourAt(ModelPoint(0, 0.04f, 0.32f));
    EXPECT_TRUE(IsRed(colourAt(ModelPoint(0, -0.08f, 0.40f)))) << std::hex << colourAt(ModelPoint(0, -0.08f, 0.40f));
    EXPECT_GT(ModelPoint(0, 0.04f, 0.32f).X, 4.0f);

    // From ahead the eyes look at the camera; from behind they are hidden.
    camera->Position()->SetPoint(7, 0.6f, 4);
    render("robot-front");
    for (Single x : {-0.065f, 0.065f})
        EXPECT_TRUE(IsCyan(colourAt(ModelPoint(x, 0.16f, 0.22f)))) << std::hex << colourAt(ModelPoint(x, 0.16f, 0.22f));
    camera->Position()->SetPoint(1, 0.6f, 4);
    render("robot-back");
    for (Single x : {-0.065f, 0.065f}) EXPECT_FALSE(IsCyan(colourAt(ModelPoint(x, 0.16f, 0.22f))));

    if (shots) {
        // Three quarters from the front right, with the concrete of the grid under it.
        auto* ground = editor.Add<TGLPlane>(L"ground");
        ground->SetPitchAngle(90);
        ground->SetWidth(3);
        ground->SetHeight(3);
        ground->Position()->SetPoint(4, -0.001f, 4);
        ground->Material()->Texture()->Image()->LoadFromFile(ExtractFilePath(DataFolder()) +
                                                             L"..\\..\\..\\assets\\form\\Beton.jpg");
        ground->Material()->Texture()->SetDisabled(false);
        ground->SetXTiles(3);
        ground->SetYTiles(3);
        camera->Position()->SetPoint(6.6f, 2.0f, 5.6f);
        render("robot");
    }
}

// The form's bitmaps as the system reads them (its own BMP reader is the referee here).
class TSystemBitmap {
public:
    explicit TSystemBitmap(const String& fileName)
        : bitmap_(static_cast<HBITMAP>(
              LoadImageW(nullptr, fileName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION))) {
        if (bitmap_) GetObjectW(bitmap_, sizeof(info_), &info_);
    }
    ~TSystemBitmap() {
        if (bitmap_) DeleteObject(bitmap_);
    }
    explicit operator bool() const { return bitmap_ != nullptr; }
    int Width() const { return info_.dsBm.bmWidth; }
    int Height() const { return info_.dsBm.bmHeight; }
    int Bits() const { return info_.dsBm.bmBitsPixel; }
    // Blue, green, red (and alpha) of a pixel, rows counted from the top.
    unsigned Pixel(int x, int y) const {
        const int row = info_.dsBmih.biHeight > 0 ? Height() - 1 - y : y;
        auto* bytes =
            static_cast<const unsigned char*>(info_.dsBm.bmBits) + row * info_.dsBm.bmWidthBytes + x * Bits() / 8;
        unsigned value = 0;
        for (int i = 0; i < Bits() / 8; ++i) value |= unsigned(bytes[i]) << (8 * i);
        return value;
    }

private:
    HBITMAP bitmap_;
    DIBSECTION info_{};
};

TEST(ShippedFormPictures, DecodeAtTheirSizesWithTheCursorsKeyAndTransparentButtonCorners) {
    for (auto [file, size] : {std::pair{L"Clover.jpg", 128}, std::pair{L"Beton.jpg", 256}}) {
        std::unique_ptr<TGraphic> picture(LoadGraphicFromFile(FormPictureFolder() + file));
        ASSERT_NE(picture, nullptr) << Utf8(file);
        EXPECT_EQ(picture->Width(), size) << Utf8(file);
        EXPECT_EQ(picture->Height(), size) << Utf8(file);
    }

    for (const wchar_t* file : {L"Cursor_green.bmp", L"Cursor_blue.bmp"}) {
        SCOPED_TRACE(Utf8(file));
        TSystemBitmap cursor(FormPictureFolder() + file);
        ASSERT_TRUE(cursor);
        EXPECT_EQ(cursor.Width(), 16);
        EXPECT_EQ(cursor.Height(), 20);
        EXPECT_EQ(cursor.Bits(), 24);
        // The key colour fills the bottom-right corner and the right of the top row; the arrow's
        // tip and its filling are drawn in other colours.
        const unsigned key = cursor.Pixel(15, 19);
        EXPECT_EQ(cursor.Pixel(15, 0), key);
        EXPECT_NE(cursor.Pixel(0, 0), key);
        int keyed = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 16; ++x) keyed += cursor.Pixel(x, y) == key;
        EXPECT_GT(keyed, 16 * 20 / 3);
        EXPECT_LT(keyed, 16 * 20 - 40);
    }

    // Eleven images a strip, each with something opaque in the middle and see-through corners.
    for (auto [file, size] : {std::pair{L"ButtonsLarge.bmp", 32}, std::pair{L"ButtonsSmall.bmp", 20}}) {
        SCOPED_TRACE(Utf8(file));
        TSystemBitmap strip(FormPictureFolder() + file);
        ASSERT_TRUE(strip);
        EXPECT_EQ(strip.Width(), 11 * size);
        EXPECT_EQ(strip.Height(), size);
        ASSERT_EQ(strip.Bits(), 32);
        for (int image = 0; image < 11; ++image) {
            const int left = image * size;
            int opaque = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) opaque += (strip.Pixel(left + x, y) >> 24) == 255;
            EXPECT_GT(opaque, size * size / 8) << image;
            EXPECT_EQ(strip.Pixel(left, 0) >> 24, 0u) << image;
        }
    }
}

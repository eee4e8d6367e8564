// The water plane: setter limits, ripples, catch-up of simulation steps, the mask's locked cells
// and the strips left to draw, nothing done while hidden, and the strips drawn for real.

#include "Bitmap.h"
#include "Canvas.h"
#include "GLWaterPlane.h"
#include "HiddenGLWindow.h"
#include "Picture.h"
#include "SceneFixtures.h"
#include "SysMath.h"

namespace {

// A 16 x 16 mask: white, with the given rectangle (pixels, y from the top) black.
std::unique_ptr<TPicture> MaskWithBlack(const TRect& black) {
    auto picture = std::make_unique<TPicture>();
    TBitmap bitmap(16, 16, pf24bit);
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(Rect(0, 0, 16, 16));
    bitmap.Canvas()->Brush()->SetColor(clBlack);
    bitmap.Canvas()->FillRect(black);
    picture->SetGraphic(&bitmap);
    return picture;
}

TGLWaterPlane* AddWater(TSceneFixture& fixture, Integer resolution = 16) {
    auto* water = fixture.Add<TGLWaterPlane>(nullptr);
    water->SetResolution(resolution);
    water->SetRainTimeInterval(0);
    return water;
}

}  // namespace

TEST(WaterPlane, SettersIgnoreOrClampValuesOutsideTheirRanges) {
    TSceneFixture fixture;
    auto* water = fixture.Add<TGLWaterPlane>(nullptr);
    water->SetViscosity(1.5f);
    water->SetRainForce(-1);
    water->SetRainTimeInterval(1000001);
    EXPECT_FLOAT_EQ(water->Viscosity(), 0.99f);
    EXPECT_FLOAT_EQ(water->RainForce(), 5000);
    EXPECT_EQ(water->RainTimeInterval(), 500);
    water->SetViscosity(0.9f);
    water->SetRainForce(1000000);
    water->SetRainTimeInterval(0);
    EXPECT_FLOAT_EQ(water->Viscosity(), 0.9f);
    EXPECT_FLOAT_EQ(water->RainForce(), 1000000);
    EXPECT_EQ(water->RainTimeInterval(), 0);
    water->SetSimulationFrequency(0.5f);
    EXPECT_FLOAT_EQ(water->SimulationFrequency(), 1);
    water->SetResolution(8);
    EXPECT_EQ(water->Resolution(), 16);
    EXPECT_EQ(water->Heights().size(), 16u * 16);
    EXPECT_EQ(water->Strips().size(), 15u);  // one strip a row of quads, 16 pairs each
    EXPECT_EQ(water->Strips()[0].size(), 32u);
}

TEST(WaterPlane, RipplesStayOffTheBorderAndANewResolutionStartsAfresh) {
    TSceneFixture fixture;
    auto* water = AddWater(fixture);
    const std::vector<Single> still = water->Velocities();
    for (auto [column, row] : {std::pair{0, 5}, {15, 5}, {5, 0}, {5, 15}}) water->CreateRippleAtGridPos(column, row);
    EXPECT_EQ(water->Velocities(), still);
    water->CreateRippleAtGridPos(1, 14);
    EXPECT_FLOAT_EQ(water->Velocities()[1 + 14 * 16], 5000);

    water->DoProgress({0.05, 0});
    const std::vector<Single> rippled = water->Heights();
    EXPECT_NE(rippled[1 + 14 * 16], 0);
    water->SetResolution(16);  // the same value: nothing is rebuilt
    EXPECT_EQ(water->Heights(), rippled);
    water->SetResolution(20);
    EXPECT_EQ(water->Heights(), std::vector<Single>(20 * 20, 0.0f));
}

TEST(WaterPlane, ProgressCatchesUpAtMostTheAllowedStepsAndRestartsTheTimer) {
    TSceneFixture fixture;
    auto make = [&](Integer catchUp) {
        auto* water = AddWater(fixture);
        water->SetSimulationFrequency(100);
        water->SetMaximumCatchupIterations(catchUp);
        water->CreateRippleAtGridPos(8, 8);
        return water;
    };
    // Ten intervals late with one catch-up step allowed: two steps, and the next one interval on.
    auto* late = make(1);
    late->DoProgress({0.1, 0});
    EXPECT_FLOAT_EQ(late->TimeToNextUpdate(), 0.01f);
    // The same two steps, one per call.
    auto* stepwise = make(0);
    stepwise->DoProgress({0.01, 0});
    EXPECT_EQ(stepwise->TimeToNextUpdate(), 0);
    auto* oneStep = make(0);
    oneStep->DoProgress({0.01, 0});
    stepwise->DoProgress({0, 0});
    EXPECT_EQ(late->Heights(), stepwise->Heights());
    EXPECT_NE(late->Heights(), oneStep->Heights());

    // Rain drops catch up the same way and take two numbers each from the program's generator.
    auto* rain = make(1);
    rain->SetRainTimeInterval(10);
    RandSeed = 99;
    rain->DoProgress({0.05, 0});
    EXPECT_FLOAT_EQ(rain->TimeToNextRainDrop(), 0.01f);
    Integer replay = 99;
    for (int i = 0; i < 4; ++i) replay = Integer(Cardinal(replay) * 134775813u + 1);
    EXPECT_EQ(RandSeed, replay);
}

TEST(WaterPlane, HiddenOrInactiveItCostsNothing) {
    TSceneFixture fixture;
    auto* water = AddWater(fixture, 256);
    water->SetVisible(false);
    water->CreateRippleAtGridPos(100, 100);
    fixture.buffer.changes = 0;
    water->DoProgress({1, 0});
    EXPECT_EQ(water->Heights()[100 + 100 * 256], 0);
    EXPECT_EQ(fixture.buffer.changes, 0);
    EXPECT_EQ(water->TimeToNextUpdate(), 0);
    water->SetVisible(true);
    water->SetActive(false);
    fixture.buffer.changes = 0;
    water->DoProgress({1, 0});
    EXPECT_EQ(water->Heights()[100 + 100 * 256], 0);
    EXPECT_EQ(fixture.buffer.changes, 0);
}

TEST(WaterPlane, TheMaskLocksDryCellsAndLeavesThemOutOfTheStrips) {
    TSceneFixture fixture;
    auto* water = AddWater(fixture);
    const struct {
        const char* name;
        TRect black;
        size_t strips, firstStripSize;
        Cardinal firstIndex;
    } cases[] = {
        {"all black", Rect(0, 0, 16, 16), 0, 0, 0},
        // Columns 0..7 dry: each row's strip starts at the last dry column, whose quad reaches
        // the first wet one.
        {"left half black", Rect(0, 0, 8, 16), 15, 18, 7},
        // Only column 0 wet: its quad needs the pair of column 1 to close, dry as that is.
        {"all but column 0 black", Rect(1, 0, 16, 16), 15, 4, 0},
        // Grid rows count from the picture's bottom.
        {"bottom half black", Rect(0, 8, 16, 16), 8, 32, 7 * 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        water->SetMask(MaskWithBlack(c.black).get());
        ASSERT_EQ(water->Strips().size(), c.strips);
        if (c.strips == 0) continue;
        EXPECT_EQ(water->Strips()[0].size(), c.firstStripSize);
        EXPECT_EQ(water->Strips()[0][0], c.firstIndex);
    }
    // A locked cell takes no ripple's motion.
    water->SetMask(MaskWithBlack(Rect(0, 0, 8, 16)).get());
    EXPECT_TRUE(water->Locks()[3 + 5 * 16]);
    EXPECT_FALSE(water->Locks()[12 + 5 * 16]);
    water->CreateRippleAtGridPos(3, 5);
    water->DoProgress({0.05, 0});
    EXPECT_EQ(water->Heights()[3 + 5 * 16], 0);
}

namespace {

// The plane seen from above, filling the hidden window.
class WaterPlaneGL : public THiddenGLWindow {
protected:
    void SetUp() override {
        THiddenGLWindow::SetUp();
        GL.glMatrixMode(GL_PROJECTION);
        GL.glOrtho(-0.5, 0.5, -0.5, 0.5, -1, 1);
        GL.glMatrixMode(GL_MODELVIEW);
        GL.glRotatef(90, 1, 0, 0);
    }
    int LitPixels() {
        GL.glClearColor(0, 0, 0, 1);
        GL.glClear(GL_COLOR_BUFFER_BIT);
        fixture.Root()->Render(rci_);
        GL.glFinish();
        int lit = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) lit += Pixel(x, y).X > 0.5f;
        return lit;
    }
    TSceneFixture fixture;
};

}  // namespace

TEST_F(WaterPlaneGL, DrawsItsWetQuadsOnly) {
    auto* water = AddWater(fixture);
    water->SetOptions(TGLWaterPlaneOptions{});
    water->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
    water->Material()->FrontProperties()->Diffuse()->SetColorVector({1, 1, 1, 1});
    water->Material()->SetFaceCulling(fcNoCull);
    // The grid spans -0.5 .. 0.5 - 1/16: fifteen of sixteen rows and columns of pixels.
    const int whole = LitPixels();
    EXPECT_NEAR(whole, 30 * 30, 2 * 30);
    water->SetMask(MaskWithBlack(Rect(0, 0, 8, 16)).get());
    EXPECT_NEAR(LitPixels(), 30 * 16, 2 * 30);  // columns 7..15 of the grid
    water->SetMask(MaskWithBlack(Rect(0, 0, 16, 16)).get());
    EXPECT_EQ(LitPixels(), 0);
    EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));
}

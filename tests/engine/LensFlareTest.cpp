// The lens flare: its shapes replayed from the seed without touching the program's random
// sequence, the fade over time, the visibility tests (depth read back for real; the occlusion
// query and test against the recording table), the rays texture of a pre-render point, and
// storage.

#include <gtest/gtest.h>

#include <algorithm>

#include "FormDescription.h"
#include "GLLensFlare.h"
#include "GLObjects.h"
#include "GLRecorder.h"
#include "GLRenderPoint.h"
#include "HiddenGLWindow.h"
#include "SceneViewFixture.h"
#include "SysMath.h"

namespace {

// A render record for drawing a flare outside a frame: a buffer without a context (its
// projections are the identity), a camera on +Z looking down -Z, a 100 x 100 view.
struct TFlareRecord {
    TFlareRecord() {
        rci.buffer = &buffer;
        rci.GLStates = &states;
        rci.cameraPosition = {0, 0, 10, 1};
        rci.cameraDirection = {0, 0, -1, 0};
        rci.viewportWidth = rci.viewportHeight = 100;
        rci.renderDPI = 96;
    }
    TGLSceneBuffer buffer{nullptr};
    TGLStateCache states;
    TRenderContextInfo rci;
};

TGLLensFlare* AddSteadyFlare(TSceneFixture& fixture) {
    auto* flare = fixture.Add<TGLLensFlare>(nullptr);
    flare->SetAutoZTest(false);
    flare->SetDynamic(false);
    return flare;
}

// Pixels brighter than a faint glow.
int Glowing(const TSceneView& view, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const TRGB8 p = view.At(x, y);
            count += p.r + p.g + p.b > 30;
        }
    return count;
}

}  // namespace

TEST(LensFlare, TheSeedReplaysTheShapesAndTheProgramsSequenceIsUntouched) {
    TSceneFixture fixture;
    TFlareRecord record;
    auto drawn = [&](TGLLensFlare* flare) {
        TGLRecorder recorder;
        flare->BuildList(record.rci);
        return recorder.Take();
    };
    auto* first = AddSteadyFlare(fixture);
    auto* second = AddSteadyFlare(fixture);
    first->SetResolution(8);
    second->SetResolution(8);
    RandSeed = 12345;
    const TGLCalls firstCalls = drawn(first);
    EXPECT_EQ(RandSeed, 12345);
    const Extended next = Random();
    RandSeed = 12345;
    EXPECT_EQ(drawn(second), firstCalls);
    EXPECT_EQ(Random(), next);
    // 160 rays and 8 secondaries come from the generator: another seed draws other shapes.
    second->SetSeed(7);
    EXPECT_NE(drawn(second), firstCalls);
    EXPECT_EQ(std::count_if(firstCalls.begin(), firstCalls.end(),
                            [](const std::string& c) { return c.rfind("glVertex2f", 0) == 0; }),
              1 + 8          // glow: its centre and rim
                  + 4 * 2    // streaks
                  + 160 * 2  // rays
                  + 8 * 8    // ring: two quads per direction
                  + 8 * 9);  // secondaries: centre and rim each
}

TEST(LensFlare, RingQuadsShareTheirMiddleVerticesOnTheSqueezedCircle) {
    TSceneFixture fixture;
    TFlareRecord record;
    auto* flare = AddSteadyFlare(fixture);
    flare->SetElements(TFlareElements{feRing});
    flare->SetResolution(5);
    flare->SetSqueeze(0.5f);
    TGLRecorder recorder;
    flare->BuildList(record.rci);
    std::vector<std::pair<float, float>> v;
    for (const std::string& call : recorder.Calls()) {
        float x = 0, y = 0;
        if (sscanf(call.c_str(), "glVertex2f(%f,%f)", &x, &y) == 2) v.emplace_back(x, y);
    }
    ASSERT_EQ(v.size(), 5u * 8);
    for (size_t q = 0; q < 5; ++q) {
        // Inner quad: rim, ring, ring, rim; outer quad: ring, ring, rim, rim.
        const auto* inner = &v[q * 8];
        const auto* outer = inner + 4;
        EXPECT_EQ(inner[1], outer[0]);
        EXPECT_EQ(inner[2], outer[1]);
        // The middle vertices lie on the ellipse of radius 0.6 S, squeezed to half height.
        const float x = inner[2].first / (0.6f * 50), y = inner[2].second / (0.3f * 50);
        EXPECT_NEAR(x * x + y * y, 1, 1e-4) << q;
    }
}

TEST(LensFlare, FadesByTenTimesItsSizeASecondOnlyWhenDynamic) {
    TSceneFixture fixture;
    TSceneView view(fixture, 100, 100);
    ASSERT_TRUE(view.Ready());
    auto* flare = fixture.Add<TGLLensFlare>(nullptr);
    flare->SetAutoZTest(false);
    auto frame = [&](Single x, Single z) {
        flare->Position()->SetPoint(x, 0, z);
        flare->DoProgress({0.05, 0});
        view.Render();
        return flare->CurrentSize();
    };
    // In view: 25 pixels a frame, up to the size; behind the camera or beside the view: down.
    EXPECT_EQ(frame(0, 0), 25);
    EXPECT_EQ(frame(0, 0), 50);
    EXPECT_EQ(frame(0, 0), 50);
    EXPECT_EQ(frame(0, 30), 25);
    EXPECT_EQ(frame(100, 0), 0);
    flare->SetDynamic(false);
    EXPECT_EQ(frame(0, 0), 50);
    EXPECT_EQ(frame(0, 30), 0);
    EXPECT_EQ(frame(100, 0), 0);
}

TEST(LensFlare, ShowsWhereItsLightIsSeenAndNotBehindTheCameraOrACube) {
    TSceneFixture fixture;
    TSceneView view(fixture, 120, 120);
    ASSERT_TRUE(view.Ready());
    // A dark cube drawn before the flare, between it and the camera once moved into place.
    auto* cube = fixture.Add<TGLCube>(nullptr);
    cube->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
    cube->Material()->FrontProperties()->Diffuse()->SetColorVector({0, 0, 0, 1});
    cube->Position()->SetPoint(50, 0, 5);
    auto* sun = fixture.Add<TGLBaseSceneObject>(nullptr);
    auto* flare = fixture.Add<TGLLensFlare>(sun);
    flare->SetDynamic(false);
    auto twoFrames = [&] {  // the occlusion found in one frame sizes the next
        view.Render();
        view.Render();
    };

    twoFrames();
    EXPECT_TRUE(flare->FlareIsNotOccluded());
    EXPECT_EQ(flare->CurrentSize(), 50);
    EXPECT_GT(Glowing(view, 40, 40, 80, 80), 800);
    EXPECT_GT(Glowing(view, 0, 0, 120, 120), Glowing(view, 40, 40, 80, 80));

    sun->Position()->SetPoint(0, 0, 30);  // behind the camera
    twoFrames();
    EXPECT_EQ(flare->CurrentSize(), 0);
    EXPECT_EQ(Glowing(view, 0, 0, 120, 120), 0);

    sun->Position()->SetPoint(0, 0, 0);
    cube->Position()->SetPoint(0, 0, 5);  // covers the light's pixel
    twoFrames();
    EXPECT_FALSE(flare->FlareIsNotOccluded());
    EXPECT_EQ(flare->CurrentSize(), 0);
    EXPECT_EQ(Glowing(view, 0, 0, 120, 120), 0);
}

TEST(LensFlare, TheRaysTextureHoldsTheFlaresRadiusAndItsLongerRays) {
    const struct {
        Integer size, maxTextureSize, side;
    } cases[] = {
        {50, 4096, 128},  // 64 holds 50, not 75
        {40, 4096, 64},   // 64 holds 40 and 60
        {64, 4096, 128}, {1, 4096, 2}, {0, 4096, 1}, {3000, 2048, 2048}, {2147483647, 4096, 4096},
    };
    for (const auto& c : cases) EXPECT_EQ(LensFlareRaysTextureSize(c.size, c.maxTextureSize), c.side) << c.size;
}

TEST(LensFlare, APreRenderPointMakesTheRaysTextureOnceAndGivesTheFrameItsCornerBack) {
    TSceneFixture fixture;
    TSceneView view(fixture, 120, 120);
    ASSERT_TRUE(view.Ready());
    view.buffer->SetBackgroundColor(TColor(0x400000));  // dark blue
    auto* point = fixture.Add<TGLRenderPoint>(nullptr);
    auto* flare = fixture.Add<TGLLensFlare>(nullptr);
    flare->SetDynamic(false);
    flare->SetAutoZTest(false);
    flare->SetElements(TFlareElements{feRays});
    flare->SetPreRenderPoint(point);
    EXPECT_EQ(point->CallBackCount(), 1);

    // Outside the view the flare shows nothing; the rays drawn at the corner for the texture
    // are gone from the frame, and the program's random numbers are as they were.
    flare->Position()->SetPoint(100, 0, 0);
    RandSeed = 4321;
    view.Render();
    EXPECT_EQ(RandSeed, 4321);
    ASSERT_TRUE(flare->HasRaysTexture());
    int notBackground = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x) notBackground += !(view.At(x, y) == TRGB8{0, 0, 64});
    EXPECT_EQ(notBackground, 0);

    // In view, the rays are one textured square of twice the flare's size around the light,
    // bright at its centre.
    flare->Position()->SetPoint(0, 0, 0);
    view.buffer->SetBackgroundColor(clBlack);
    view.Render();
    EXPECT_GT(Glowing(view, 55, 55, 65, 65), 50);
    EXPECT_EQ(Glowing(view, 0, 0, 120, 120), Glowing(view, 10, 10, 110, 110));
    EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));

    // The point freed, the flare forgets it; a flare freed leaves its point.
    FreeObject(point);
    EXPECT_EQ(flare->PreRenderPoint(), nullptr);
    auto* second = fixture.Add<TGLRenderPoint>(nullptr);
    flare->SetPreRenderPoint(second);
    FreeObject(flare);
    EXPECT_EQ(second->CallBackCount(), 0);
}

namespace {

GLuint fakeQueryResult = 0;
void APIENTRY FakeGenQueries(GLsizei, GLuint* ids) { *ids = 7; }
void APIENTRY FakeQueryResult(GLuint, GLenum, GLuint* value) { *value = fakeQueryResult; }
GLboolean fakeHPResult = GL_TRUE;
void APIENTRY FakeGetBooleanv(GLenum, GLboolean* value) { *value = fakeHPResult; }

class LensFlareQueries : public THiddenGLWindow {
protected:
    void TearDown() override {
        fixture.reset();
        THiddenGLWindow::TearDown();
    }
    std::unique_ptr<TSceneFixture> fixture = std::make_unique<TSceneFixture>();
    TFlareRecord record;
};

bool HasCall(const TGLCalls& calls, const std::string& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

}  // namespace

TEST_F(LensFlareQueries, AnOcclusionQueryAnswersOneFrameLate) {
    auto* flare = fixture->Add<TGLLensFlare>(nullptr);
    flare->SetElements(TFlareElements{});
    TGLRecorder recorder;
    GL.GL_NV_occlusion_query = true;
    GL.glGenOcclusionQueriesNV = &FakeGenQueries;
    GL.glGetOcclusionQueryuivNV = &FakeQueryResult;

    flare->BuildList(record.rci);
    const TGLCalls first = recorder.Take();
    EXPECT_TRUE(flare->FlareIsNotOccluded());  // no answer yet: assumed visible
    // The light projects to the window's corner (0, 0): -50, -50 from the centre.
    const TGLCalls expected = {Call("glColorMask", 0, 0, 0, 0),
                               Call("glDepthMask", 0),
                               Call("glBeginOcclusionQueryNV", 7u),
                               Call("glDepthFunc", GL_LEQUAL),
                               Call("glBegin", GL_QUADS),
                               Call("glVertex3f", -48.0f, -50.0f, 1.0f),
                               Call("glVertex3f", -50.0f, -48.0f, 1.0f),
                               Call("glVertex3f", -52.0f, -50.0f, 1.0f),
                               Call("glVertex3f", -50.0f, -52.0f, 1.0f),
                               Call("glEnd"),
                               Call("glDepthFunc", GL_LESS),
                               Call("glEndOcclusionQueryNV"),
                               Call("glDepthMask", 1),
                               Call("glColorMask", 1, 1, 1, 1)};
    auto from = std::find(first.begin(), first.end(), expected.front());
    ASSERT_NE(from, first.end());
    EXPECT_EQ(TGLCalls(from, from + std::ptrdiff_t(std::min(expected.size(), size_t(first.end() - from)))), expected);

    fakeQueryResult = 0;  // the previous frame's quad passed no sample
    flare->BuildList(record.rci);
    EXPECT_FALSE(flare->FlareIsNotOccluded());
    EXPECT_TRUE(HasCall(recorder.Take(), Call("glBeginOcclusionQueryNV", 7u)));
    fakeQueryResult = 4;
    flare->BuildList(record.rci);
    EXPECT_TRUE(flare->FlareIsNotOccluded());
    fixture.reset();  // deletes the query while the recording table is in place
}

TEST_F(LensFlareQueries, TheOcclusionTestAnswersAtOnceAndNeedsTheDynamicMode) {
    auto* flare = fixture->Add<TGLLensFlare>(nullptr);
    flare->SetElements(TFlareElements{});
    TGLRecorder recorder;
    GL.GL_HP_occlusion_test = true;
    GL.glGetBooleanv = &FakeGetBooleanv;

    fakeHPResult = GL_FALSE;
    flare->BuildList(record.rci);
    EXPECT_FALSE(flare->FlareIsNotOccluded());
    const TGLCalls calls = recorder.Take();
    EXPECT_TRUE(HasCall(calls, Call("glEnable", GL_OCCLUSION_TEST_HP)));
    EXPECT_TRUE(HasCall(calls, Call("glDisable", GL_OCCLUSION_TEST_HP)));
    fakeHPResult = GL_TRUE;
    flare->BuildList(record.rci);
    EXPECT_TRUE(flare->FlareIsNotOccluded());

    // Without the dynamic mode the depth under the centre decides: the buffer here has no
    // camera, so it reads no distance and the flare counts as covered.
    flare->SetDynamic(false);
    recorder.Clear();
    flare->BuildList(record.rci);
    EXPECT_FALSE(HasCall(recorder.Calls(), Call("glEnable", GL_OCCLUSION_TEST_HP)));
    EXPECT_FALSE(flare->FlareIsNotOccluded());
}

TEST(LensFlare, StoresWhatDiffersAndTheSeedAlways) {
    TComponent source(nullptr);
    source.SetName(L"Form1");
    auto* scene = new TGLScene(&source);
    scene->SetName(L"Scene1");
    auto* flare = static_cast<TGLLensFlare*>(scene->Objects()->AddNewChild(TGLLensFlare::StaticClass()));
    flare->SetName(L"Flare");
    AnsiString text = WriteComponentToText(&source);
    for (const char* stored : {"Seed = 1465", "FlareIsNotOccluded = True"})
        EXPECT_NE(text.find(stored), AnsiString::npos) << stored << "\n" << text;
    for (const char* omitted : {"Squeeze", "StreakWidth", "Size", "Resolution", "Elements"})
        EXPECT_EQ(text.find(omitted), AnsiString::npos) << omitted << "\n" << text;

    flare->SetSqueeze(0.5f);
    flare->SetElements(TFlareElements{feGlow, feRays});
    flare->SetResolution(1);  // a table needs two directions
    EXPECT_EQ(flare->Resolution(), 2);
    flare->RingGradient()->FromColor()->SetColorVector({0.25f, 0.5f, 1, 1});
    text = WriteComponentToText(&source);
    TComponent form(nullptr);
    ReadComponentFromText(text, &form);
    auto* read = dynamic_cast<TGLLensFlare*>(form.FindComponent(L"Flare"));
    ASSERT_NE(read, nullptr);
    EXPECT_FLOAT_EQ(read->Squeeze(), 0.5f);
    EXPECT_EQ(read->Elements(), (TFlareElements{feGlow, feRays}));
    EXPECT_EQ(read->Resolution(), 2);
    EXPECT_EQ(read->RingGradient()->FromColor()->Color().Z, 1);
    EXPECT_EQ(read->GlowGradient()->ToColor()->Color().X, 1);  // defaults survive
}

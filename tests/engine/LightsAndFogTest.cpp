// Light sources set up for a frame and read back from OpenGL (position in the camera's view,
// cones, the eight-light table), the light's setters, and the fog environment.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "GLFogEnvironment.h"
#include "GLLightSource.h"
#include "GLRecorder.h"
#include "HiddenGLWindow.h"
#include "SceneFixtures.h"

#ifndef GL_FOG_DISTANCE_MODE_NV
#define GL_FOG_DISTANCE_MODE_NV 0x855A
#define GL_EYE_RADIAL_NV 0x855B
#define GL_EYE_PLANE_ABSOLUTE_NV 0x855C
#endif

namespace {

bool Contains(const TGLCalls& calls, const std::string& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

class LightsGL : public THiddenGLWindow {
protected:
    TGLLightSource* AddLight(TGLBaseSceneObject* parent = nullptr) { return fixture.Add<TGLLightSource>(parent); }
    void SetupLightsNow() {
        GLint maxLights = 0;
        GL.glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
        fixture.scene->SetupLights(maxLights);
    }
    TVector4f LightVector(GLenum light, GLenum which) {
        TVector4f v{};
        GL.glGetLightfv(light, which, &v.X);
        return v;
    }
    TSceneFixture fixture;
};

void ExpectVectorNear(const TVector4f& a, const TVector4f& b, double tolerance = 1e-4) {
    EXPECT_NEAR(a.X, b.X, tolerance);
    EXPECT_NEAR(a.Y, b.Y, tolerance);
    EXPECT_NEAR(a.Z, b.Z, tolerance);
    EXPECT_NEAR(a.W, b.W, tolerance);
}

TEST_F(LightsGL, TheSunShinesAsAPointAtItsPlaceInTheCamerasView) {
    // The editor's sun under the sky sphere: a spot light without a cone.
    auto* sky = fixture.Add(nullptr, L"Sky");
    sky->Position()->SetPoint(4.5f, 0, 4.5f);
    auto* sun = AddLight(sky);
    sun->Position()->SetPoint(30, 3, -25);
    sun->Diffuse()->AssignRGBA(1, 1, 0.5f, 1);
    ASSERT_EQ(sun->LightID(), GLuint(GL_LIGHT0));
    // The camera's view: one unit back along Z.
    GL.glLoadIdentity();
    GL.glTranslatef(0, 0, -1);
    SetupLightsNow();
    EXPECT_TRUE(GL.glIsEnabled(GL_LIGHT0));
    ExpectVectorNear(LightVector(GL_LIGHT0, GL_POSITION), {34.5f, 3, -21.5f, 1});
    ExpectVectorNear(LightVector(GL_LIGHT0, GL_DIFFUSE), {1, 1, 0.5f, 1});
    EXPECT_EQ(LightVector(GL_LIGHT0, GL_SPOT_CUTOFF).X, 180);
    // The set-up leaves the view as it found it.
    TMatrix4x4 view = ReadMatrix(GL_MODELVIEW_MATRIX);
    EXPECT_EQ(view[3].Z, -1);

    // Turning the light itself does not move it or turn its cone.
    sun->SetTurnAngle(90);
    sun->SetSpotCutOff(30);
    sun->SetSpotExponent(2);
    SetupLightsNow();
    ExpectVectorNear(LightVector(GL_LIGHT0, GL_POSITION), {34.5f, 3, -21.5f, 1});
    ExpectVectorNear(LightVector(GL_LIGHT0, GL_SPOT_DIRECTION), {0, 0, -1, 0});
    EXPECT_EQ(LightVector(GL_LIGHT0, GL_SPOT_CUTOFF).X, 30);
    EXPECT_EQ(LightVector(GL_LIGHT0, GL_SPOT_EXPONENT).X, 2);

    // A parallel light shines along its direction in its own frame, from infinitely far.
    sun->SetLightStyle(lsParallel);
    SetupLightsNow();
    TVector4f p = LightVector(GL_LIGHT0, GL_POSITION);
    EXPECT_EQ(p.W, 0);
    EXPECT_NEAR(std::fabs(p.X), 1, 1e-4);  // -Z turned a quarter about Y
    EXPECT_NEAR(p.Z, 0, 1e-4);
    EXPECT_EQ(LightVector(GL_LIGHT0, GL_SPOT_CUTOFF).X, 180);
}

TEST_F(LightsGL, EightLightsAtMostAndOnlyShiningOnesAreOn) {
    std::vector<TGLLightSource*> lights;
    for (int i = 0; i < 9; ++i) lights.push_back(AddLight());
    EXPECT_EQ(lights[8]->LightID(), 0u);  // no entry left: stays dark
    SetupLightsNow();
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(GL.glIsEnabled(GL_LIGHT0 + i)) << i;

    lights[3]->SetShining(false);
    FreeObject(lights[5]);
    SetupLightsNow();
    EXPECT_FALSE(GL.glIsEnabled(GL_LIGHT3));
    EXPECT_FALSE(GL.glIsEnabled(GL_LIGHT5));
    EXPECT_TRUE(GL.glIsEnabled(GL_LIGHT4));
    lights[3]->SetShining(true);
    SetupLightsNow();
    EXPECT_TRUE(GL.glIsEnabled(GL_LIGHT3));
}

TEST(LightSource, ConesAreSentOnlyForSpotsWithACutOff) {
    TSceneFixture fixture;
    auto* light = fixture.Add<TGLLightSource>(nullptr);
    light->Position()->SetPoint(1, 2, 3);
    struct Case {
        TLightStyle style;
        Single cutOff;
        bool direction;
        float sentCutOff;
    };
    const Case cases[] = {{lsSpot, 180, false, 180}, {lsSpot, 45, true, 45}, {lsOmni, 45, false, 180}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.style));
        light->SetLightStyle(c.style);
        light->SetSpotCutOff(c.cutOff);
        TGLRecorder recorder;
        fixture.scene->SetupLights(10);
        const TGLCalls& calls = recorder.Calls();
        EXPECT_TRUE(Contains(calls, Call("glLightfv", GL_LIGHT0, GL_POSITION, Floats{1, 2, 3, 1})));
        EXPECT_EQ(Contains(calls, Call("glLightfv", GL_LIGHT0, GL_SPOT_DIRECTION, Floats{0, 0, -1, 0})), c.direction);
        EXPECT_TRUE(Contains(calls, Call("glLightf", GL_LIGHT0, GL_SPOT_CUTOFF, c.sentCutOff)));
        EXPECT_TRUE(Contains(calls, Call("glLightf", GL_LIGHT0, GL_CONSTANT_ATTENUATION, 1.0f)));
        // Empty entries and the context's lights beyond the table are switched off.
        EXPECT_TRUE(Contains(calls, Call("glDisable", GL_LIGHT0 + 1)));
        EXPECT_TRUE(Contains(calls, Call("glDisable", GL_LIGHT0 + 9)));
    }
}

TEST(LightSource, SettersKeepValuesOpenGLAccepts) {
    TSceneFixture fixture;
    auto* light = fixture.Add<TGLLightSource>(nullptr);
    EXPECT_EQ(light->SpotCutOff(), 180);
    light->SetSpotCutOff(120);
    EXPECT_EQ(light->SpotCutOff(), 180);
    light->SetSpotCutOff(90);
    EXPECT_EQ(light->SpotCutOff(), 90);
    light->SetSpotCutOff(-1);
    EXPECT_EQ(light->SpotCutOff(), 90);
    light->SetSpotCutOff(180);
    EXPECT_EQ(light->SpotCutOff(), 180);

    TGLCoordinates3 direction(nullptr, {1, 0, 0, 1}, csPoint);
    light->SetSpotDirection(&direction);
    EXPECT_EQ(light->SpotDirection()->AsVector().W, 0);

    int before = fixture.buffer.changes;
    light->Ambient()->AssignRGBA(0.1f, 0.1f, 0.1f, 1);
    EXPECT_GT(fixture.buffer.changes, before);
    before = fixture.buffer.changes;
    light->SetShining(false);
    EXPECT_EQ(fixture.buffer.changes, before + 1);
    EXPECT_FALSE(light->IntersectRay({0, 0, 5, 1}, {0, 0, -1, 0}));
}

// ---- fog ----

class TFogOwner : public TGLUpdateAbleComponent, public IGLSceneBuffer {
public:
    using TGLUpdateAbleComponent::TGLUpdateAbleComponent;
    TGLContext* RenderingContext() const override { return context; }
    void ReportChange(TObject*) override { ++changes; }
    TGLContext* context = nullptr;
    int changes = 0;
};

class FogGL : public THiddenGLWindow {
protected:
    GLfloat Float(GLenum what) {
        GLfloat v[4] = {};
        GL.glGetFloatv(what, v);
        return v[0];
    }
    GLint Integer(GLenum what) {
        GLint v = 0;
        GL.glGetIntegerv(what, &v);
        return v;
    }
    TFogOwner owner{nullptr};
    TGLFogEnvironment fog{&owner};
};

TEST_F(FogGL, SettingsReachOpenGL) {
    owner.context = context_.get();
    fog.SetFogMode(fmExp);
    fog.FogColor()->AssignRGBA(0.25f, 0.5f, 0.75f, 0.5f);
    fog.SetFogStart(2);
    fog.SetFogEnd(20);
    fog.ApplyFog();
    EXPECT_EQ(Integer(GL_FOG_MODE), GL_EXP);
    EXPECT_EQ(Float(GL_FOG_DENSITY), 0.5f);  // the colour's alpha
    EXPECT_EQ(Float(GL_FOG_START), 2);
    EXPECT_EQ(Float(GL_FOG_END), 20);
    GLfloat color[4] = {};
    GL.glGetFloatv(GL_FOG_COLOR, color);
    EXPECT_EQ(color[2], 0.75f);

    fog.SetFogMode(fmLinear);
    fog.ApplyFog();
    EXPECT_EQ(Integer(GL_FOG_MODE), GL_LINEAR);

    if (!GL.GL_NV_fog_distance) GTEST_SKIP() << "no fog distance extension";
    // The driver's own mode comes back with fdDefault, even after another mode was applied first.
    const GLint driver = Integer(GL_FOG_DISTANCE_MODE_NV);
    TGLFogEnvironment other(&owner);
    other.SetFogDistance(fdEyeRadial);
    other.ApplyFog();
    EXPECT_EQ(Integer(GL_FOG_DISTANCE_MODE_NV), GL_EYE_RADIAL_NV);
    other.SetFogDistance(fdEyePlane);
    other.ApplyFog();
    EXPECT_EQ(Integer(GL_FOG_DISTANCE_MODE_NV), GL_EYE_PLANE_ABSOLUTE_NV);
    other.SetFogDistance(fdDefault);
    other.ApplyFog();
    EXPECT_EQ(Integer(GL_FOG_DISTANCE_MODE_NV), driver);
}

TEST(FogEnvironment, ChangesNotifyAndNothingIsSentWithoutAContext) {
    TFogOwner owner(nullptr);
    TGLFogEnvironment fog(&owner);
    EXPECT_EQ(fog.FogStart(), 10);
    EXPECT_EQ(fog.FogEnd(), 1000);
    fog.SetFogEnd(1000);
    EXPECT_EQ(owner.changes, 0);  // equal value
    fog.SetFogEnd(50);
    fog.SetFogColor(nullptr);
    EXPECT_EQ(owner.changes, 1);

    TGLFogEnvironment copy(&owner);
    fog.SetFogMode(fmExp2);
    fog.SetFogDistance(fdEyeRadial);
    fog.FogColor()->AssignRGBA(1, 0, 0, 0.3f);
    owner.changes = 0;
    copy.Assign(&fog);
    EXPECT_EQ(owner.changes, 1);
    EXPECT_EQ(copy.FogEnd(), 50);
    EXPECT_EQ(copy.FogMode(), fmExp2);
    EXPECT_EQ(copy.FogDistance(), fdEyeRadial);
    EXPECT_EQ(copy.FogColor()->Color().W, 0.3f);

    TGLRecorder recorder;
    fog.ApplyFog();
    EXPECT_EQ(recorder.Calls(), TGLCalls{});
}

}  // namespace

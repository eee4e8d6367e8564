// The geometry the basic scene objects send to OpenGL, read back from a recording table.

#include <cmath>
#include <set>
#include <utility>

#include "MathExpect.h"
#include "PrimitiveFixtures.h"
#include "VectorGeometry.h"

namespace {

TAffineVector Sub(const TAffineVector& a, const TAffineVector& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
double Dot(const TAffineVector& a, const TAffineVector& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
TAffineVector Cross(const TAffineVector& a, const TAffineVector& b) {
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}
double Length(const TAffineVector& a) { return std::sqrt(Dot(a, a)); }

using CubeTest = PrimitiveTest;
using SphereTest = PrimitiveTest;
using PlaneTest = PrimitiveTest;
using SpriteTest = PrimitiveTest;
using DummyCubeTest = PrimitiveTest;

}  // namespace

// ---- cube ----

TEST_F(CubeTest, FacesLieOnTheirPlanesWoundOutwardWithTheWholeTexture) {
    auto* cube = scene.Add<TGLCube>(nullptr);
    cube->SetCubeWidth(2);
    cube->SetCubeHeight(4);
    cube->SetCubeDepth(6);
    auto prims = Build(cube);
    ASSERT_EQ(prims.size(), 1u);
    ASSERT_EQ(prims[0].mode, GLenum(GL_QUADS));
    ASSERT_EQ(prims[0].v.size(), 24u);
    const TAffineVector normals[6] = {{0, 0, 1}, {0, 0, -1}, {-1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    const TAffineVector half = {1, 2, 3};
    for (int f = 0; f < 6; ++f) {
        SCOPED_TRACE(f);
        const TRecordedVertex* q = &prims[0].v[f * 4];
        std::set<std::pair<float, float>> texCorners;
        for (int i = 0; i < 4; ++i) {
            EXPECT_TRUE(Near(q[i].n, normals[f]));
            EXPECT_NEAR(Dot(q[i].p, normals[f]),
                        Dot(half, {std::fabs(normals[f].X), std::fabs(normals[f].Y), std::fabs(normals[f].Z)}), 1e-6);
            EXPECT_NEAR(std::fabs(q[i].p.X), 1, 1e-6);
            EXPECT_NEAR(std::fabs(q[i].p.Y), 2, 1e-6);
            EXPECT_NEAR(std::fabs(q[i].p.Z), 3, 1e-6);
            texCorners.insert({q[i].s, q[i].t});
        }
        EXPECT_EQ(texCorners.size(), 4u);  // each face shows the texture once
        // Counter-clockwise seen from outside.
        EXPECT_GT(Dot(Cross(Sub(q[1].p, q[0].p), Sub(q[2].p, q[0].p)), normals[f]), 0);
    }
}

TEST_F(CubeTest, PartsSelectFacesInTheirFixedOrder) {
    struct Case {
        TCubeParts parts;
        std::vector<TAffineVector> normals;
    } cases[] = {
        {TCubeParts{}, {}},
        {TCubeParts{cpTop}, {{0, 1, 0}}},
        {TCubeParts{cpBottom, cpFront}, {{0, 0, 1}, {0, -1, 0}}},
        {TCubeParts{cpRight, cpLeft, cpBack}, {{0, 0, -1}, {-1, 0, 0}, {1, 0, 0}}},
    };
    auto* cube = scene.Add<TGLCube>(nullptr);
    for (const Case& c : cases) {
        cube->SetParts(c.parts);
        auto prims = Build(cube);
        ASSERT_EQ(prims.size(), 1u);  // an empty set still makes an (empty) batch
        ASSERT_EQ(prims[0].v.size(), c.normals.size() * 4);
        for (size_t f = 0; f < c.normals.size(); ++f) EXPECT_TRUE(Near(prims[0].v[f * 4].n, c.normals[f]));
    }
}

TEST_F(CubeTest, InsideNormalsFlipWithoutChangingTheVertexOrder) {
    auto* cube = scene.Add<TGLCube>(nullptr);
    auto outside = Build(cube);
    cube->SetNormalDirection(ndInside);
    auto inside = Build(cube);
    ASSERT_EQ(inside[0].v.size(), outside[0].v.size());
    for (size_t i = 0; i < inside[0].v.size(); ++i) {
        EXPECT_TRUE(Near(inside[0].v[i].p, outside[0].v[i].p));
        EXPECT_TRUE(Near(inside[0].v[i].n, {-outside[0].v[i].n.X, -outside[0].v[i].n.Y, -outside[0].v[i].n.Z}));
    }
}

// ---- sphere ----

TEST_F(SphereTest, DefaultSphereIsSixteenClosedBandsOfUnitPointsScaledByTheRadius) {
    auto* sphere = scene.Add<TGLSphere>(nullptr);
    sphere->SetRadius(3);
    auto prims = Build(sphere);
    EXPECT_EQ(CallsNamed(calls, "glScalef"), TGLCalls{Call("glScalef", 3.0f, 3.0f, 3.0f)});
    ASSERT_EQ(prims.size(), 16u);
    for (size_t i = 0; i < prims.size(); ++i) {
        ASSERT_EQ(prims[i].mode, GLenum(GL_TRIANGLE_STRIP));
        ASSERT_EQ(prims[i].v.size(), 34u);
        for (const auto& v : prims[i].v) {
            EXPECT_NEAR(Length(v.p), 1, 1e-5);
            EXPECT_TRUE(Near(v.n, v.p, 1e-6));  // smooth normals, outward
        }
    }
    EXPECT_TRUE(Near(prims[0].v[0].p, {0, 1, 0}, 1e-6));
    EXPECT_TRUE(Near(prims[15].v[1].p, {0, -1, 0}, 1e-6));
    // Longitude 0 lies on +Z; the texture runs 0..1 around and 1..0 downwards.
    EXPECT_GT(prims[0].v[1].p.Z, 0);
    EXPECT_NEAR(prims[0].v[1].p.X, 0, 1e-6);
    EXPECT_FLOAT_EQ(prims[0].v[0].t, 1);
    EXPECT_FLOAT_EQ(prims[15].v[33].t, 0);
    EXPECT_FLOAT_EQ(prims[3].v[32].s, 1);
    EXPECT_TRUE(CallsNamed(calls, "glFrontFace").empty());
}

TEST_F(SphereTest, CutsKeepTheTextureRangeAndCapsCloseTheCut) {
    struct Case {
        const char* name;
        int top, bottom;
        TCapType topCap, bottomCap;
        TNormalDirection direction;
        float bottomCentreY;  // NAN: no bottom cap
        float bottomCentreNormalY;
        bool topCap_;
    } cases[] = {
        {"upper half, no cap", 90, 0, ctNone, ctNone, ndOutside, NAN, 0, false},
        {"upper half, flat cap", 90, 0, ctNone, ctFlat, ndOutside, 0, -1, false},
        {"flat cap seen from inside", 90, 0, ctNone, ctFlat, ndInside, 0, 1, false},
        {"flat cap at -30", 90, -30, ctNone, ctFlat, ndOutside, -0.5f, -1, false},
        {"centre cap at -30", 90, -30, ctNone, ctCenter, ndOutside, 0, -1, false},
        {"both caps", 60, -30, ctCenter, ctFlat, ndOutside, -0.5f, -1, true},
        {"full sphere ignores caps", 90, -90, ctFlat, ctFlat, ndOutside, NAN, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* sphere = scene.Add<TGLSphere>(nullptr);
        sphere->SetSlices(8);
        sphere->SetStacks(4);
        sphere->SetTop(TAngleLimit1(c.top));
        sphere->SetBottom(TAngleLimit1(c.bottom));
        sphere->SetTopCap(c.topCap);
        sphere->SetBottomCap(c.bottomCap);
        sphere->SetNormalDirection(c.direction);
        auto prims = Build(sphere);
        size_t fans = (c.topCap_ ? 1 : 0) + (std::isnan(c.bottomCentreY) ? 0 : 1);
        ASSERT_EQ(prims.size(), 4 + fans);
        size_t firstBand = c.topCap_ ? 1 : 0;
        const float sign = c.direction == ndInside ? -1.0f : 1.0f;
        for (size_t b = firstBand; b < firstBand + 4; ++b) {
            for (const auto& v : prims[b].v) {
                EXPECT_GE(v.p.Y, std::sin(c.bottom * 3.14159265 / 180) - 1e-5);
                EXPECT_LE(v.p.Y, std::sin(c.top * 3.14159265 / 180) + 1e-5);
                EXPECT_TRUE(Near(v.n, {sign * v.p.X, sign * v.p.Y, sign * v.p.Z}, 1e-6));
            }
        }
        EXPECT_FLOAT_EQ(prims[firstBand].v[0].t, 1);
        EXPECT_FLOAT_EQ(prims[firstBand + 3].v.back().t, 0);
        if (c.topCap_) {
            const auto& fan = prims[0];
            ASSERT_EQ(fan.mode, GLenum(GL_TRIANGLE_FAN));
            EXPECT_TRUE(Near(fan.v[0].p, {0, 0, 0}));  // centre cap: apex at the origin
            for (size_t i = 1; i < fan.v.size(); ++i) EXPECT_NEAR(Dot(fan.v[i].n, fan.v[i].p), 0, 1e-6);
        }
        if (!std::isnan(c.bottomCentreY)) {
            const auto& fan = prims.back();
            ASSERT_EQ(fan.mode, GLenum(GL_TRIANGLE_FAN));
            ASSERT_EQ(fan.v.size(), 10u);
            EXPECT_NEAR(fan.v[0].p.Y, c.bottomCentreY, 1e-6);
            EXPECT_TRUE(Near(fan.v[0].n, {0, c.bottomCentreNormalY, 0}));
            EXPECT_FLOAT_EQ(fan.v[0].s, 0.5f);
            // The rim runs backwards: from Stop down to Start, so the disc faces away from the body.
            TAffineVector faceNormal = Cross(Sub(fan.v[1].p, fan.v[0].p), Sub(fan.v[2].p, fan.v[0].p));
            if (c.bottomCap == ctFlat) {
                EXPECT_LT(faceNormal.Y, 0);
            }
        }
        TGLCalls winding = CallsNamed(calls, "glFrontFace");
        if (c.direction == ndInside)
            EXPECT_EQ(winding, (TGLCalls{Call("glFrontFace", GL_CW), Call("glFrontFace", GL_CCW)}));
        else
            EXPECT_TRUE(winding.empty());
    }
}

TEST_F(SphereTest, LongitudeRangeAndLowerLimits) {
    auto* sphere = scene.Add<TGLSphere>(nullptr);
    sphere->SetSlices(0);
    sphere->SetStacks(-5);
    EXPECT_EQ(sphere->Slices(), 1);
    EXPECT_EQ(sphere->Stacks(), 1);
    sphere->SetSlices(4);
    sphere->SetStop(90);
    sphere->SetStart(90);  // zero-width bands
    auto prims = Build(sphere);
    ASSERT_EQ(prims.size(), 1u);
    for (const auto& v : prims[0].v) EXPECT_NEAR(v.p.Z, 0, 1e-6);  // all at longitude 90: +X
    EXPECT_GT(prims[0].v[1].p.X, 0);

    sphere->SetStart(0);
    EXPECT_THROW(sphere->SetStart(200), EAssertionFailed);
    EXPECT_EQ(sphere->Start(), 0);
    sphere->SetStart(45);
    EXPECT_THROW(sphere->SetStop(30), EAssertionFailed);
    EXPECT_EQ(sphere->Stop(), 90);
}

// ---- plane ----

TEST_F(PlaneTest, TextureRangesOfTheSingleQuad) {
    struct Case {
        const char* name;
        TPlaneStyles style;
        unsigned xTiles, yTiles;
        float xOffset, yOffset, xScope, yScope;
        float s0, s1, t0, t1;
    } cases[] = {
        {"8 by 8 tiles", {psSingleQuad, psTileTexture}, 8, 8, 0, 0, 1, 1, 0, 8, 0, 8},
        {"tiles with offset and scope",
         {psSingleQuad, psTileTexture},
         80,
         70,
         0.5f,
         0.25f,
         0.5f,
         1,
         0.5f,
         40.5f,
         0.25f,
         70.25f},
        {"no tiling ignores offsets and tiles", {psSingleQuad}, 8, 8, 0.5f, 0.25f, 0.5f, 0.75f, 0, 0.5f, 0, 0.75f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* plane = scene.Add<TGLPlane>(nullptr);
        plane->SetWidth(4);
        plane->SetHeight(2);
        plane->SetStyle(c.style);
        plane->SetXTiles(c.xTiles);
        plane->SetYTiles(c.yTiles);
        plane->SetXOffset(c.xOffset);
        plane->SetYOffset(c.yOffset);
        plane->SetXScope(c.xScope);
        plane->SetYScope(c.yScope);
        auto prims = Build(plane);
        ASSERT_EQ(prims.size(), 1u);
        ASSERT_EQ(prims[0].mode, GLenum(GL_QUADS));
        const float expected[4][4] = {
            {c.s1, c.t1, 2, 1}, {c.s0, c.t1, -2, 1}, {c.s0, c.t0, -2, -1}, {c.s1, c.t0, 2, -1}};
        ASSERT_EQ(prims[0].v.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_FLOAT_EQ(prims[0].v[i].s, expected[i][0]);
            EXPECT_FLOAT_EQ(prims[0].v[i].t, expected[i][1]);
            EXPECT_TRUE(Near(prims[0].v[i].p, {expected[i][2], expected[i][3], 0}));
            EXPECT_TRUE(Near(prims[0].v[i].n, {0, 0, 1}));
        }
    }
}

TEST_F(PlaneTest, TiledStripsRunRowsBottomToTop) {
    auto* plane = scene.Add<TGLPlane>(nullptr);
    plane->SetStyle(TPlaneStyles{psTileTexture});
    plane->SetWidth(4);
    plane->SetHeight(6);
    plane->SetXTiles(2);
    plane->SetYTiles(3);
    auto prims = Build(plane);
    ASSERT_EQ(prims.size(), 3u);
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        ASSERT_EQ(prims[r].mode, GLenum(GL_TRIANGLE_STRIP));
        ASSERT_EQ(prims[r].v.size(), 6u);
        for (int c = 0; c <= 2; ++c) {
            const auto& upper = prims[r].v[c * 2];
            const auto& lower = prims[r].v[c * 2 + 1];
            EXPECT_TRUE(Near(upper.p, {-2.0f + 2 * c, -3.0f + 2 * (r + 1), 0}));
            EXPECT_TRUE(Near(lower.p, {-2.0f + 2 * c, -3.0f + 2 * r, 0}));
            EXPECT_FLOAT_EQ(upper.s, float(c));
            EXPECT_FLOAT_EQ(upper.t, float(r + 1));
            EXPECT_FLOAT_EQ(lower.t, float(r));
        }
    }
}

TEST_F(PlaneTest, TiledStripsWithoutRowsOrColumnsDrawNothing) {
    auto* plane = scene.Add<TGLPlane>(nullptr);
    plane->SetStyle(TPlaneStyles{psTileTexture});
    plane->SetYTiles(0);
    EXPECT_TRUE(Build(plane).empty());
    plane->SetYTiles(2);
    plane->SetXTiles(0);  // would divide by zero
    EXPECT_TRUE(Build(plane).empty());
}

TEST_F(PlaneTest, NoZWriteBracketsTheDrawing) {
    auto* plane = scene.Add<TGLPlane>(nullptr);
    plane->SetNoZWrite(true);
    Build(plane);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[1], Call("glDepthMask", GL_FALSE));
    EXPECT_EQ(calls.back(), Call("glDepthMask", GL_TRUE));
}

// ---- sprite ----

namespace {

// The model-view matrix the sprite reads, column-major as OpenGL returns it.
GLfloat spriteModelView[16];
void APIENTRY FakeGetFloatv(GLenum, GLfloat* values) {
    for (int i = 0; i < 16; ++i) values[i] = spriteModelView[i];
}

}  // namespace

TEST_F(SpriteTest, FacesTheCameraAndMirrorsOnlyTextureCoordinates) {
    // The camera's right axis is object -Z, its up axis object +Y, its view axis object +X; the
    // matrix also scales by 2, which the sprite must not take over.
    const GLfloat m[16] = {0, 0, 2, 0, 0, 2, 0, 0, -2, 0, 0, 0, 0, 0, -5, 1};
    std::copy(m, m + 16, spriteModelView);
    GL.glGetFloatv = &FakeGetFloatv;
    auto* sprite = scene.Add<TGLSprite>(nullptr);
    sprite->SetWidth(4);
    sprite->SetHeight(2);
    struct Case {
        bool mirrorU, mirrorV;
        float tex[4][2];
    } cases[] = {
        {false, false, {{1, 1}, {0, 1}, {0, 0}, {1, 0}}},
        {true, false, {{0, 1}, {1, 1}, {1, 0}, {0, 0}}},
        {false, true, {{1, 0}, {0, 0}, {0, 1}, {1, 1}}},
        {true, true, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
    };
    const TAffineVector corners[4] = {{0, 1, -2}, {0, 1, 2}, {0, -1, 2}, {0, -1, -2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mirrorU << c.mirrorV);
        sprite->SetMirrorU(c.mirrorU);
        sprite->SetMirrorV(c.mirrorV);
        auto prims = Build(sprite);
        ASSERT_EQ(prims.size(), 1u);
        ASSERT_EQ(prims[0].v.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_TRUE(Near(prims[0].v[i].p, corners[i], 1e-6));
            EXPECT_FLOAT_EQ(prims[0].v[i].s, c.tex[i][0]);
            EXPECT_FLOAT_EQ(prims[0].v[i].t, c.tex[i][1]);
        }
        EXPECT_TRUE(CallsNamed(calls, "glRotatef").empty());
    }
}

TEST_F(SpriteTest, RotationTurnsAboutTheViewAxisAndAlphaGoesToTheMaterial) {
    const GLfloat m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -5, 1};
    std::copy(m, m + 16, spriteModelView);
    GL.glGetFloatv = &FakeGetFloatv;
    auto* sprite = scene.Add<TGLSprite>(nullptr);
    sprite->SetRotation(30);
    sprite->SetAlphaChannel(0.25f);
    sprite->SetNoZWrite(true);
    Build(sprite);
    TGLCalls expectedOrder = {Call("glDepthMask", GL_FALSE), Call("glPushMatrix"),
                              Call("glRotatef", 30.0f, 0.0f, 0.0f, 1.0f), Call("glPopMatrix"),
                              Call("glDepthMask", GL_TRUE)};
    TGLCalls seen;
    for (const auto& call : calls)
        if (call.rfind("glDepthMask", 0) == 0 || call.rfind("glPushMatrix", 0) == 0 ||
            call.rfind("glRotatef", 0) == 0 || call.rfind("glPopMatrix", 0) == 0)
            seen.push_back(call);
    EXPECT_EQ(seen, expectedOrder);
    bool alphaSent = false;
    for (const auto& call : CallsNamed(calls, "glMaterialfv"))
        alphaSent = alphaSent || call.find(",0.25]") != std::string::npos;
    EXPECT_TRUE(alphaSent) << testing::PrintToString(calls);
}

// ---- dummy cube ----

TEST_F(DummyCubeTest, WireCubeOnlyWhenVisibleAtRunTime) {
    auto* dummy = scene.Add<TGLDummyCube>(nullptr);
    dummy->SetCubeSize(4);
    EXPECT_TRUE(Build(dummy).empty());
    EXPECT_TRUE(calls.empty());

    dummy->SetVisibleAtRunTime(true);
    dummy->EdgeColor()->SetColorVector({1, 0, 0, 0.5f});
    auto prims = Build(dummy);
    ASSERT_EQ(prims.size(), 2u);
    EXPECT_EQ(prims[0].mode, GLenum(GL_LINE_STRIP));
    EXPECT_EQ(prims[1].mode, GLenum(GL_LINES));
    // Together the strip and the lines are the twelve edges, each once.
    std::set<std::pair<std::vector<float>, std::vector<float>>> edges;
    auto addEdge = [&](const TAffineVector& a, const TAffineVector& b) {
        std::vector<float> pa{a.X, a.Y, a.Z}, pb{b.X, b.Y, b.Z};
        EXPECT_NEAR(Length(Sub(a, b)), 4, 1e-6);
        edges.insert(pa < pb ? std::make_pair(pa, pb) : std::make_pair(pb, pa));
    };
    for (size_t i = 1; i < prims[0].v.size(); ++i) addEdge(prims[0].v[i - 1].p, prims[0].v[i].p);
    for (size_t i = 0; i + 1 < prims[1].v.size(); i += 2) addEdge(prims[1].v[i].p, prims[1].v[i + 1].p);
    EXPECT_EQ(edges.size(), 12u);
    EXPECT_EQ(prims[0].v.size() - 1 + prims[1].v.size() / 2, 12u);
    EXPECT_EQ(CallsNamed(calls, "glLineStipple"), TGLCalls{Call("glLineStipple", 1, 0xCCCC)});
    EXPECT_EQ(CallsNamed(calls, "glColor4fv"), TGLCalls{"glColor4fv([1,0,0,0.5])"});
    EXPECT_EQ(CallsNamed(calls, "glPopAttrib").size(), 1u);
}

TEST_F(DummyCubeTest, VisibilityEventCanSkipTheSubtree) {
    struct TVote : TObject {
        bool answer = false;
        int asked = 0;
        bool Decide(TObject*, TRenderContextInfo&) {
            ++asked;
            return answer;
        }
    } vote;
    auto* dummy = scene.Add<TGLDummyCube>(nullptr);
    dummy->SetVisibleAtRunTime(true);
    dummy->SetCamInvarianceMode(cimOrientation);
    dummy->OnVisibilityDetermination = MakeEvent(&vote, &TVote::Decide);
    recorder.Clear();
    dummy->DoRender(rci, true, true);
    EXPECT_TRUE(recorder.Take().empty());
    vote.answer = true;
    dummy->DoRender(rci, true, true);
    TGLCalls drawn = recorder.Take();
    EXPECT_EQ(vote.asked, 2);
    ASSERT_GE(drawn.size(), 3u);
    // Orientation invariance: the camera's matrix is replaced, then the object is placed.
    EXPECT_EQ(drawn[0], Call("glPushMatrix"));
    EXPECT_EQ(drawn[1], Call("glLoadIdentity"));
    EXPECT_EQ(drawn[2], Call("glScalef", 1.0f, -1.0f, -1.0f));
    EXPECT_EQ(DecodePrimitives(drawn).size(), 2u);
    EXPECT_EQ(drawn.back(), Call("glPopMatrix"));
}

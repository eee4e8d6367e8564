// The editor's ground grid and lines through nodes, drawn off-screen and checked by their pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "GLGraph.h"
#include "OffscreenView.h"
#include "SceneFixtures.h"
#include "Spline.h"
#include "TestSupport.h"

namespace {

// The XZ ground seen from straight above: screen up is +Z, 8 pixels per unit around (4.5, 0, 4.5).
class GroundPixels : public testing::Test {
protected:
    static constexpr int kSize = 128;
    void SetUp() override {
        camera = scene.Add<TGLCamera>(nullptr, L"camera");
        camera->Position()->SetPoint(4.5f, 8, 4.5f);
        camera->SetPitchAngle(-90);  // looking down, Up +Z
        // The near plane at 0.5 spans one unit: at a distance of 8, 16 units fill the view.
        camera->SetFocalLength(25.4f * kSize / (4 * 96));
        view = std::make_unique<TOffscreenView>(kSize, kSize, camera);
    }
    void TearDown() override { EXPECT_EQ(TakeRecordedCallbackErrors(), std::vector<String>{}); }

    bool Lit(const TAffineVector& world, int threshold = 100) {
        TPoint p = view->PixelOf(world);
        return view->BrightnessNear(p.x, p.y) >= threshold;
    }
    bool Dark(const TAffineVector& world) {
        TPoint p = view->PixelOf(world);
        return view->Brightness(p.x, p.y) < 40;
    }

    // Lines 2 pixels wide through nodes on the ground, without node markers.
    TGLLines* LinesThrough(const TAffineVector (&nodes)[3]) {
        auto* lines = scene.Add<TGLLines>(nullptr, L"Lines");
        lines->SetNodesAspect(lnaInvisible);
        lines->SetLineWidth(2);
        for (const TAffineVector& n : nodes) {
            TGLLinesNode* node = lines->Nodes()->Add();
            node->SetX(n.X);
            node->SetZ(n.Z);
        }
        return lines;
    }

    TSceneFixture scene;
    TGLCamera* camera = nullptr;
    std::unique_ptr<TOffscreenView> view;
};

TEST_F(GroundPixels, TheEditorsGridDrawsEighteenLines) {
    auto* grid = scene.Add<TGLXYZGrid>(nullptr, L"Ground");
    grid->Position()->SetPoint(0.5f, 0, 0.5f);
    for (TGLSamplingScale* scale : {grid->XSamplingScale(), grid->ZSamplingScale()}) {
        scale->SetMax(8);
        scale->SetStep(1);
    }
    grid->YSamplingScale()->SetStep(0.1f);
    grid->SetParts({gpX, gpZ});
    grid->SetLinesStyle(davLine);
    grid->SetAntiAliased(true);
    view->Render();
    // Projected grid corners 64 pixels apart: the frame is what the test thinks it is.
    EXPECT_NEAR(view->PixelOf({8.5f, 0, 0.5f}).x - view->PixelOf({0.5f, 0, 0.5f}).x, 64, 1);

    for (int k = 0; k <= 8; ++k) {
        SCOPED_TRACE(k);
        const Single at = 0.5f + k;
        // The line along X at z = k and the one along Z at x = k, between their crossings.
        EXPECT_TRUE(Lit({4.0f, 0, at}));
        EXPECT_TRUE(Lit({at, 0, 4.0f}));
        EXPECT_TRUE(Lit({0.75f, 0, at}));
        EXPECT_TRUE(Lit({at, 0, 8.25f}));
        if (k < 8) {
            // Half-way to the next line there is nothing.
            EXPECT_TRUE(Dark({4.0f, 0, at + 0.5f}));
            EXPECT_TRUE(Dark({at + 0.5f, 0, 4.0f}));
        }
    }
    // Lines stop at the grid's ends.
    EXPECT_TRUE(Dark({9.25f, 0, 4.0f}));
    EXPECT_TRUE(Dark({4.0f, 0, -0.25f}));
}

TEST_F(GroundPixels, LinesAndSplinesRunThroughTheirNodes) {
    const TAffineVector nodes[] = {{1, 0, 1}, {4, 0, 8}, {8, 0, 2}};
    TGLLines* lines = LinesThrough(nodes);
    lines->LineColor()->SetColorVector({1, 0, 0, 1});
    auto midpoint = [](const TAffineVector& a, const TAffineVector& b) {
        return TAffineVector{(a.X + b.X) / 2, 0, (a.Z + b.Z) / 2};
    };

    // Straight segments: the nodes and the middle of each chord.
    view->Render();
    for (const TAffineVector& n : nodes) EXPECT_TRUE(Lit(n));
    EXPECT_TRUE(Lit(midpoint(nodes[0], nodes[1])));
    EXPECT_TRUE(Lit(midpoint(nodes[1], nodes[2])));
    EXPECT_EQ(view->Pixel(view->PixelOf(nodes[1]).x, view->PixelOf(nodes[1]).y) & 0x00FFFF, 0u);  // red only

    // The cubic spline passes through the same nodes, and bends away from the chords.
    lines->SetSplineMode(lsmCubicSpline);
    view->Render();
    const Single xs[] = {1, 4, 8}, zs[] = {1, 8, 2};
    TCubicSpline spline(xs, nullptr, zs, nullptr, 3);
    for (const TAffineVector& n : nodes) EXPECT_TRUE(Lit(n));
    for (Single t : {0.25f, 0.5f, 1.5f, 1.75f}) {
        SCOPED_TRACE(t);
        Single x, y, z;
        spline.SplineXYZ(t, x, y, z);
        EXPECT_TRUE(Lit({x, 0, z}));
    }
    Single x, y, z;
    spline.SplineXYZ(1.5f, x, y, z);
    const TAffineVector chord = midpoint(nodes[1], nodes[2]);
    ASSERT_GT(std::hypot(x - chord.X, z - chord.Z) * 8, 4);  // pixels apart
    EXPECT_TRUE(Dark(chord));
}

TEST_F(GroundPixels, NurbsCurvesDrawOnlyWhereGLUHasARenderer) {
    const TAffineVector nodes[] = {{1, 0, 1}, {4, 0, 8}, {8, 0, 1}};
    TGLLines* lines = LinesThrough(nodes);
    lines->SetSplineMode(lsmNURBSCurve);
    lines->SetNurbsCurveOrder(3);
    for (Single k : {0, 0, 0, 1, 1, 1}) lines->NurbsKnotList()->Add(k);
    // Clamped knots of order 3: the quadratic Bezier curve, through both end nodes and, half
    // way, through (first + 2 middle + last) / 4.
    const TAffineVector halfWay{(1 + 8 + 8) / 4.0f, 0, (1 + 16 + 1) / 4.0f};
    const TAffineVector chord{2.5f, 0, 4.5f};  // on the straight line from the first node

    // Wine's GLU has no NURBS renderer: then the frame has no curve and no failure.
    GLUnurbs* probe = GL.gluNewNurbsRenderer ? GL.gluNewNurbsRenderer() : nullptr;
    if (probe) GL.gluDeleteNurbsRenderer(probe);
    RecordProperty("nurbsRenderer", probe ? "present" : "absent");
    view->Render();
    for (const TAffineVector& p : {nodes[0], halfWay, nodes[2]}) {
        SCOPED_TRACE(testing::Message() << "(" << p.X << ", " << p.Z << ")");
        if (probe)
            EXPECT_TRUE(Lit(p));
        else
            EXPECT_TRUE(Dark(p));
    }
    EXPECT_TRUE(Dark(chord));

    // With a Division of 1 the nodes are joined by a plain strip, renderer or not.
    lines->SetDivision(1);
    view->Render();
    EXPECT_TRUE(Lit(chord));
    EXPECT_TRUE(Lit(nodes[1]));
}

}  // namespace

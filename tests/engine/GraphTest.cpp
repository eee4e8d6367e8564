// Sampling scales, the XYZ grid and the height field: the geometry they emit, recorded.
#include <gtest/gtest.h>

#include <cmath>

#include "GLGraph.h"
#include "MathExpect.h"
#include "PrimitiveFixtures.h"

namespace {

TEST(SamplingScale, SettersKeepMinBelowMaxAndAPositiveStep) {
    TGLSamplingScale scale(nullptr);
    EXPECT_EQ(scale.Step(), 0.1f);
    EXPECT_FALSE(scale.IsValid());
    scale.SetMax(4);
    scale.SetMin(6);  // drags Max along
    EXPECT_EQ(scale.Max(), 6);
    scale.SetMax(-1);  // drags Min along
    EXPECT_EQ(scale.Min(), -1);
    EXPECT_FALSE(scale.IsValid());
    scale.SetStep(0);
    EXPECT_EQ(scale.Step(), 1);
    scale.SetStep(0.5f);
    scale.SetStep(-3);
    EXPECT_EQ(scale.Step(), 1);
}

TEST(SamplingScale, StepBaseAlignsWithTheOrigin) {
    const struct {
        Single min, origin, step, base;
    } cases[] = {
        {0, 0.35f, 0.1f, 0.05f},   // k = 3.5
        {0, -0.35f, 0.1f, 0.05f},  // k = -3.5: one step further
        {0, 3, 1, 0},              // k = 3, whole and positive: Min itself
        {0, -3, 1, 1},             // k = -3, whole and negative: still one step past Min
        {2, 2, 0.3f, 2},           // the origin at Min
        {-1, 0.25f, 0.5f, -0.75f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "origin " << c.origin << " min " << c.min);
        TGLSamplingScale scale(nullptr);
        scale.SetMax(10);
        scale.SetMin(c.min);
        scale.SetOrigin(c.origin);
        scale.SetStep(c.step);
        EXPECT_NEAR(scale.StepBase(), c.base, 1e-6);
    }
}

TEST(SamplingScale, StepCountAndLoopBounds) {
    TGLSamplingScale scale(nullptr);
    scale.SetMax(8);
    scale.SetStep(1);
    EXPECT_EQ(scale.MaxStepCount(), 8);  // 8.5 rounds half to even
    scale.SetMax(7);
    EXPECT_EQ(scale.MaxStepCount(), 8);  // 7.5 rounds to 8
    scale.SetMax(8);
    Single base, step, max;
    scale.SetBaseStepMaxToVars(base, step, max, true);
    EXPECT_EQ(base, 0);
    EXPECT_EQ(step, 1);
    EXPECT_GT(max, 8);  // slack so that the sample at 8 is not lost to rounding
    EXPECT_LT(max, 8.0001f);
    scale.SetOrigin(3);
    scale.SetBaseStepMaxToVars(base, step, max, false);
    EXPECT_EQ(base, 3);
    EXPECT_EQ(max, 3);
}

// ---- XYZ grid --------------------------------------------------------------------------------

class GridTest : public PrimitiveTest {
protected:
    void SetUp() override {
        PrimitiveTest::SetUp();
        grid = scene.Add<TGLXYZGrid>(nullptr, L"Ground");
    }
    // The editor's ground grid: X and Z from 0 to 8 at step 1, plain lines.
    void MakeEditorGrid() {
        grid->XSamplingScale()->SetMax(8);
        grid->XSamplingScale()->SetStep(1);
        grid->ZSamplingScale()->SetMax(8);
        grid->ZSamplingScale()->SetStep(1);
        grid->SetParts({gpX, gpZ});
        grid->SetLinesStyle(davLine);
        grid->SetAntiAliased(true);
    }
    TGLXYZGrid* grid = nullptr;
};

TEST_F(GridTest, TheEditorsGroundIsNineLinesEachWay) {
    MakeEditorGrid();
    std::vector<TRecordedPrimitive> strips = Build(grid);
    ASSERT_EQ(strips.size(), 18u);
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        const auto& alongX = strips[size_t(i)];
        EXPECT_EQ(alongX.mode, GLenum(GL_LINE_STRIP));
        ASSERT_EQ(alongX.v.size(), 2u);
        EXPECT_TRUE(Near(alongX.v[0].p, TAffineVector{0, 0, Single(i)}));
        EXPECT_TRUE(Near(alongX.v[1].p, TAffineVector{8, 0, Single(i)}));
        const auto& alongZ = strips[size_t(9 + i)];
        ASSERT_EQ(alongZ.v.size(), 2u);
        EXPECT_TRUE(Near(alongZ.v[0].p, TAffineVector{Single(i), 0, 0}));
        EXPECT_TRUE(Near(alongZ.v[1].p, TAffineVector{Single(i), 0, 8}));
    }
    // Anti-aliased, solid, white, lighting off, inside pushed attributes.
    EXPECT_EQ(calls.front(), Call("glPushAttrib", GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT));
    EXPECT_EQ(CallsNamed(calls, "glEnable"), (TGLCalls{Call("glEnable", GL_LINE_SMOOTH), Call("glEnable", GL_BLEND)}));
    EXPECT_EQ(CallsNamed(calls, "glLineStipple"), TGLCalls{});
    EXPECT_EQ(CallsNamed(calls, "glColor3fv"), TGLCalls{"glColor3fv([1,1,1])"});
    EXPECT_EQ(calls.back(), "glPopAttrib()");
}

TEST_F(GridTest, SegmentsLinesAndParts) {
    MakeEditorGrid();
    grid->XSamplingScale()->SetOrigin(0.5f);  // samples at 0.5, 1.5 ... 7.5
    grid->SetLinesStyle(davSegments);
    grid->SetParts({gpX});
    std::vector<TRecordedPrimitive> strips = Build(grid);
    ASSERT_EQ(strips.size(), 1u);  // Y and Z disabled: their origins only
    ASSERT_EQ(strips[0].v.size(), 8u);
    EXPECT_TRUE(Near(strips[0].v[0].p, TAffineVector{0.5f, 0, 0}));
    EXPECT_TRUE(Near(strips[0].v[7].p, TAffineVector{7.5f, 0, 0}));

    // A plain line spans Min to Max whatever the step base.
    grid->SetLinesStyle(davLine);
    strips = Build(grid);
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_TRUE(Near(strips[0].v[0].p, TAffineVector{0, 0, 0}));
    EXPECT_TRUE(Near(strips[0].v[1].p, TAffineVector{8, 0, 0}));

    grid->SetParts({});
    EXPECT_TRUE(Build(grid).empty());

    // A scale with Min = Max still draws: its single position.
    grid->SetParts({gpX, gpY});
    grid->YSamplingScale()->SetOrigin(2);
    grid->YSamplingScale()->SetMin(2);
    grid->YSamplingScale()->SetMax(2);
    strips = Build(grid);
    ASSERT_EQ(strips.size(), 9u);  // one along X at y = 2, then one along Y at each x sample
    EXPECT_TRUE(Near(strips[0].v[0].p, TAffineVector{0, 2, 0}));
    EXPECT_TRUE(Near(strips[1].v[0].p, TAffineVector{0.5f, 2, 0}));
    EXPECT_TRUE(Near(strips[1].v[1].p, TAffineVector{0.5f, 2, 0}));
}

TEST_F(GridTest, ScaleAndStyleChangesRebuildTheGeometry) {
    const TGLCalls stipple{Call("glEnable", GL_LINE_STIPPLE), Call("glEnable", GL_BLEND)};
    grid->ClearStructureChanged();
    grid->ZSamplingScale()->SetStep(2);
    EXPECT_TRUE(grid->Changes().Contains(ocStructure));
    grid->ClearStructureChanged();
    grid->LineColor()->SetAlpha(0.5f);
    EXPECT_TRUE(grid->Changes().Contains(ocStructure));
    grid->SetLinePattern(0xF0F0);
    Build(grid);
    EXPECT_EQ(CallsNamed(calls, "glEnable"), stipple);  // blending is switched on once
    EXPECT_EQ(CallsNamed(calls, "glLineStipple"), TGLCalls{Call("glLineStipple", 1, 0xF0F0)});
    EXPECT_EQ(CallsNamed(calls, "glColor4fv"), TGLCalls{"glColor4fv([1,1,1,0.5])"});
}

// ---- height field ----------------------------------------------------------------------------

class HeightFieldTest : public PrimitiveTest {
protected:
    void SetUp() override {
        PrimitiveTest::SetUp();
        field = scene.Add<TGLHeightField>(nullptr, L"Field");
        field->SetOnGetHeight(MakeEvent(this, &HeightFieldTest::Height));
    }
    // The lattice x in [x0, x1], y in [y0, y1] at unit steps.
    void Lattice(Single x0, Single x1, Single y0, Single y1) {
        field->XSamplingScale()->SetMax(x1);
        field->XSamplingScale()->SetMin(x0);
        field->XSamplingScale()->SetOrigin(x0);
        field->XSamplingScale()->SetStep(1);
        field->YSamplingScale()->SetMax(y1);
        field->YSamplingScale()->SetMin(y0);
        field->YSamplingScale()->SetOrigin(y0);
        field->YSamplingScale()->SetStep(1);
    }
    // z = 2x + 3y: a plane, so every inner normal is its normal.
    void Height(const Single x, const Single y, Single& z, TVector4f& color, TTexPoint& texPoint) {
        z = 2 * x + 3 * y;
        color = {x / 4, y / 4, 0, 1};
        texPoint.S *= 10;
        ++samples;
    }
    TGLHeightField* field = nullptr;
    int samples = 0;
};

TEST_F(HeightFieldTest, StripsJoinNeighbouringRows) {
    Lattice(0, 3, 0, 2);  // 4 columns, 3 rows
    field->SetColorMode(hfcmDiffuse);
    field->SetOptions({hfoTextureCoordinates});
    std::vector<TRecordedPrimitive> strips = Build(field);
    EXPECT_EQ(samples, 12);
    ASSERT_EQ(strips.size(), 2u);
    for (size_t k = 0; k < 2; ++k) {
        SCOPED_TRACE(k);
        const auto& strip = strips[k];
        EXPECT_EQ(strip.mode, GLenum(GL_TRIANGLE_STRIP));
        ASSERT_EQ(strip.v.size(), 8u);
        for (size_t i = 0; i < 4; ++i) {
            // The later row's sample first, then the earlier row's.
            const Single x = Single(i), yLater = Single(k + 1), yEarlier = Single(k);
            EXPECT_TRUE(Near(strip.v[2 * i].p, TAffineVector{x, yLater, 2 * x + 3 * yLater}));
            EXPECT_TRUE(Near(strip.v[2 * i + 1].p, TAffineVector{x, yEarlier, 2 * x + 3 * yEarlier}));
            EXPECT_FLOAT_EQ(strip.v[2 * i].s, 10 * x);  // the texture point as the event left it
            EXPECT_FLOAT_EQ(strip.v[2 * i].t, yLater);
            EXPECT_TRUE(Near(strip.v[2 * i].c, TVector4f{x / 4, yLater / 4, 0, 1}));
        }
    }
    // Slopes dz/dx = 2, dz/dy = 3: the normal (-2, -3, 1) where both neighbours exist (twice the
    // one-sided differences inside, once at the edges), normalised.
    auto normalOf = [](Single dx, Single dy) {
        TAffineVector n{dx, dy, 1};
        NormalizeAffineInPlace(n);
        return n;
    };
    EXPECT_TRUE(Near(strips[0].v[2].n, normalOf(-4, -6), 1e-5));  // (1, 1): inner
    EXPECT_TRUE(Near(strips[0].v[1].n, normalOf(-2, -3), 1e-5));  // (0, 0): a corner
    EXPECT_TRUE(Near(strips[1].v[6].n, normalOf(-2, -3), 1e-5));  // (3, 2): the far corner
    EXPECT_TRUE(Near(strips[1].v[4].n, normalOf(-4, -3), 1e-5));  // (2, 2): last row, inner column
    // Colour material for the colour mode; the pushed attributes come back.
    EXPECT_EQ(CallsNamed(calls, "glColorMaterial"), TGLCalls{Call("glColorMaterial", GL_FRONT_AND_BACK, GL_DIFFUSE)});
    EXPECT_EQ(calls.back(), "glPopAttrib()");
}

TEST_F(HeightFieldTest, RowCountsAndInvalidScales) {
    const struct {
        Single y1;
        size_t strips;
    } cases[] = {{1, 1}, {0.5f, 0}, {4, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.y1);
        Lattice(0, 2, 0, c.y1);
        EXPECT_EQ(Build(field).size(), c.strips);
    }
    Lattice(0, 2, 0, 3);
    field->XSamplingScale()->SetMax(0);  // Min = Max: nothing at all
    samples = 0;
    EXPECT_TRUE(Build(field).empty());
    EXPECT_EQ(samples, 0);
    EXPECT_TRUE(calls.empty());
}

TEST_F(HeightFieldTest, WithoutAnEventTheBuiltInRipple) {
    field->SetOnGetHeight(nullptr);
    field->SetOptions({});  // nothing pushed
    Lattice(-1, 1, 0, 1);
    std::vector<TRecordedPrimitive> strips = Build(field);
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_EQ(samples, 0);
    auto ripple = [](Single x, Single y) {
        const double n = double(x) * x + double(y) * y;
        return Single(std::cos(12 * n) / (2 * (6.28 * n + 1)));
    };
    EXPECT_NEAR(strips[0].v[3].p.Z, ripple(0, 0), 1e-6);
    EXPECT_NEAR(strips[0].v[0].p.Z, ripple(-1, 1), 1e-6);
    EXPECT_EQ(CallsNamed(calls, "glPushAttrib"), TGLCalls{});
    EXPECT_EQ(CallsNamed(calls, "glColor4fv"), TGLCalls{});  // no colour mode, no colours
}

}  // namespace

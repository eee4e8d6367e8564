#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "MathExpect.h"
#include "VectorGeometry.h"

namespace {

constexpr Single kNaN = std::numeric_limits<Single>::quiet_NaN();

TEST(VectorArithmetic, CrossProductIsRightHanded) {
    struct Case {
        TAffineVector a, b, expected;
    } cases[] = {
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},  {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},   {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{1, 2, 3}, {4, 5, 6}, {-3, 6, -3}}, {{2, 0, 0}, {4, 0, 0}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Near(CrossAffine(c.a, c.b), c.expected)) << c.a << " x " << c.b;
        TVector4f r4 = CrossVector4(AssignVector4FromAffine(c.a, 5), AssignVector4FromAffine(c.b, 7));
        EXPECT_TRUE(Near(r4, AssignVector4FromAffine(c.expected, 0)));
        // The form with a given output keeps the output's W.
        TVector4f kept{9, 9, 9, 3};
        CrossAffine(PointFromAffine(c.a), PointFromAffine(c.b), kept);
        EXPECT_TRUE(Near(kept, AssignVector4FromAffine(c.expected, 3)));
    }
}

TEST(VectorArithmetic, SignedZeroCountsAsNullButNotAsSame) {
    EXPECT_FALSE(SameVector4({0, 0, 0, 0}, {-0.0f, 0, 0, 0}));
    EXPECT_FALSE(SameAffine(TAffineVector{0, 0, 0}, TAffineVector{0, -0.0f, 0}));
    EXPECT_TRUE(SameAffine(TAffineVector{1, 2, 3}, TVector4f{1, 2, 3, 99}));
    EXPECT_TRUE(IsNullAffine(TAffineVector{-0.0f, 0, 0}));
    EXPECT_TRUE(IsNullAffine(TVector4f{0, -0.0f, 0, 1}));
    EXPECT_FALSE(IsNullAffine(TAffineVector{0, 0, 1e-30f}));
}

TEST(VectorArithmetic, NormalizationAndItsDegenerateCases) {
    TVector4f v{3, 0, 4, 7};
    NormalizeVector4InPlace(v);
    EXPECT_TRUE(Near(v, {0.6f, 0, 0.8f, 0}));
    EXPECT_TRUE(Near(NormalizedAffine({0, 0, -2}), {0, 0, -1}));
    TAffineVector items[2] = {{2, 0, 0}, {0, 3, 4}};
    NormalizeAffineArray(items, 2);
    EXPECT_TRUE(Near(items[1], {0, 0.6f, 0.8f}));

    // Nothing guards against zero length: the result is not-a-number, not a crash.
    TAffineVector zero{0, 0, 0};
    NormalizeAffineInPlace(zero);
    EXPECT_TRUE(AllNaN(zero));
    TVector4f zero4 = NormalizedVector4({0, 0, 0, 1});
    EXPECT_TRUE(std::isnan(zero4.X) && zero4.W == 0);
    EXPECT_TRUE(AllNaN(TriangleNormal({1, 1, 1}, {2, 2, 2}, {3, 3, 3})));
    EXPECT_TRUE(std::isnan(double(AngleCosine(TAffineVector{0, 0, 0}, TAffineVector{1, 0, 0}))));
}

TEST(VectorArithmetic, IntermediatesCarryExtendedPrecision) {
    // In single arithmetic 2^30 + 1 loses the 1; carried in extended it survives the sum.
    const Single big = 1073741824.0f;
    EXPECT_EQ(DotAffine({big, 1, -big}, {1, 1, 1}), 1.0L);
    EXPECT_EQ(CombineAffine({big, 0, 0}, {1, 0, 0}, 1, 1).X - big, 0.0f);  // rounded once on storing
    EXPECT_EQ(SquaredLength2D(3, 4), 25.0f);
    EXPECT_EQ(Length2D(3, 4), 5.0L);
}

TEST(VectorArithmetic, WComponentRules) {
    TVector4f a{5, 6, 7, 1}, b{1, 2, 3, 1};
    EXPECT_TRUE(Near(SubtractToDirection(a, b), {4, 4, 4, 0}));
    EXPECT_TRUE(Near(SubtractKeepW({5, 6, 7, 0.5f}, b), {4, 4, 4, 0.5f}));
    EXPECT_TRUE(Near(SubtractVectors4(a, b), {4, 4, 4, 0}));
    TVector4f p{1, 1, 1, 0.25f};
    AddAffineToPoint(p, {1, 2, 3});
    EXPECT_TRUE(Near(p, {2, 3, 4, 1}));
    TVector4f n{1, -2, 3, 4};
    NegateAffineInPlace(n);
    EXPECT_TRUE(Near(n, {-1, 2, -3, 4}));
    EXPECT_TRUE(Near(NegatedVector4({1, -2, 3, 4}), {-1, 2, -3, -4}));
    EXPECT_TRUE(Near(CombineVector4(a, b, 2), {7, 10, 13, 3}));
    EXPECT_TRUE(Near(LerpVector4(a, b, 0.5f), {3, 4, 5, 1}));
    TVector4f xyz{1, 2, 3, 9};
    AssignXYZOnly(xyz, 4, 5, 6);
    EXPECT_TRUE(Near(xyz, {4, 5, 6, 9}));
}

TEST(VectorArithmetic, ComponentwiseHelpers) {
    TVector4f v{1, -5, 3, 0};
    MaxVector4Components(v, {2, -6, 3, -1});
    EXPECT_TRUE(Near(v, {2, -5, 3, 0}));
    EXPECT_TRUE(Near(AbsVector4({-1, 2, -0.5f, -4}), {1, 2, 0.5f, 4}));
    EXPECT_EQ(ManhattanDistance(TAffineVector{1, 2, 3}, TAffineVector{-1, 4, 3}), 4.0L);
    EXPECT_EQ(DistanceAffine(TAffineVector{1, 2, 3}, TAffineVector{4, 6, 3}), 5.0L);
    EXPECT_EQ(DistanceAffine(TVector4f{1, 2, 3, 100}, TAffineVector{4, 6, 3}), 5.0L);
    EXPECT_EQ(ProjectOntoDirection(TAffineVector{3, 4, 5}, TAffineVector{1, 1, 1}, TAffineVector{0, 1, 0}), 3.0L);
    TAffineVector src[2] = {{1, 1, 1}, {2, 2, 2}};
    TranslateAffineArray(src, {1, 0, -1}, 2, src);  // in place
    EXPECT_TRUE(Near(src[1], {3, 2, 1}));
    TAffineVector acc{1, 1, 1};
    AccumulateScaledAffine(acc, {1, 2, 3}, 2);
    EXPECT_TRUE(Near(acc, {3, 5, 7}));
    TAffineVector lerped[1];
    LerpAffineArray(src, src + 1, 1, lerped, 0.25f);
    EXPECT_TRUE(Near(lerped[0], {2.25f, 1.25f, 0.25f}));
    EXPECT_TRUE(Near(RemoveNormalComponent({1, 2, 3}, {0, 0, 1}), {1, 2, 0}));
}

TEST(VectorArithmetic, Planes) {
    TVector4f plane{0, 0, 2, -4};
    NormalizePlaneInPlace(plane);
    EXPECT_TRUE(Near(plane, {0, 0, 1, -2}));
    EXPECT_EQ(PlaneValueAt(plane, TAffineVector{7, 7, 5}), 3.0L);
    EXPECT_EQ(PlaneValueAt(plane, TVector4f{7, 7, 0, 1}), -2.0L);
}

TEST(VectorArithmetic, RotateAroundAxisTurnsByMinusTheAngle) {
    TVector4f v{1, 0, 0, 1};
    RotateAroundAxisInPlace(v, {0, 0, 1}, std::numbers::pi_v<float> / 2);
    EXPECT_TRUE(Near(v, {0, -1, 0, 1}));
}

TEST(VectorArithmetic, RaySphereHits) {
    const TVector4f centre{0, 0, 0, 1}, along{0, 0, 1, 0};
    struct Case {
        const char* what;
        TVector4f start;
        int hits;
        TVector4f hit1, hit2;
    } cases[] = {
        {"through from outside", {0, 0, -5, 1}, 2, {0, 0, -1, 1}, {0, 0, 1, 1}},
        {"from the centre", {0, 0, 0, 1}, 1, {0, 0, 1, 1}, {}},
        {"from inside off centre", {0, 0, -0.5f, 1}, 1, {0, 0, 1, 1}, {}},
        {"sphere behind", {0, 0, 5, 1}, 0, {}, {}},
        {"grazing ahead", {1, 0, -5, 1}, 1, {1, 0, 0, 1}, {}},
        {"grazing behind", {1, 0, 5, 1}, 0, {}, {}},
        {"passing wide", {2, 0, -5, 1}, 0, {}, {}},
    };
    for (const Case& c : cases) {
        TVector4f hit1{kNaN, kNaN, kNaN, kNaN}, hit2 = hit1;
        EXPECT_EQ(RaySphereHits(c.start, along, centre, 1, hit1, hit2), c.hits) << c.what;
        // Outputs that do not carry a hit are left alone.
        EXPECT_TRUE(c.hits >= 1 ? Near(hit1, c.hit1) : testing::AssertionResult(std::isnan(hit1.X))) << c.what;
        EXPECT_TRUE(c.hits == 2 ? Near(hit2, c.hit2) : testing::AssertionResult(std::isnan(hit2.X))) << c.what;
    }
}

TEST(VectorArithmetic, RayTriangleHit) {
    const TAffineVector p1{0, 0, 0}, p2{1, 0, 0}, p3{0, 1, 0};
    struct Case {
        const char* what;
        TVector4f start, direction;
        bool hit;
    } cases[] = {
        {"straight through", {0.25f, 0.25f, -1, 1}, {0, 0, 1, 0}, true},
        {"through from the back", {0.25f, 0.25f, 1, 1}, {0, 0, -1, 0}, true},
        {"start on the plane (t = 0)", {0.25f, 0.25f, 0, 1}, {0, 0, 1, 0}, false},
        {"triangle behind", {0.25f, 0.25f, 1, 1}, {0, 0, 1, 0}, false},
        {"parallel", {0.25f, 0.25f, -1, 1}, {1, 0, 0, 0}, false},
        {"beside the hypotenuse", {0.6f, 0.6f, -1, 1}, {0, 0, 1, 0}, false},
        {"beside an edge (u < 0)", {-0.1f, 0.5f, -1, 1}, {0, 0, 1, 0}, false},
        {"on a vertex", {1, 0, -1, 1}, {0, 0, 1, 0}, true},
    };
    for (const Case& c : cases) {
        TVector4f point{}, normal{};
        EXPECT_EQ(RayTriangleHit(c.start, c.direction, p1, p2, p3, &point, &normal), c.hit) << c.what;
        EXPECT_EQ(RayTriangleHit(c.start, c.direction, p1, p2, p3), c.hit) << c.what;
        if (c.hit) {
            EXPECT_TRUE(Near(point, {c.start.X, c.start.Y, 0, 1})) << c.what;
            EXPECT_TRUE(Near(normal, {0, 0, 1, 0})) << c.what;  // e1 x e2, not normalized
        }
    }
    TVector4f normal{};
    ASSERT_TRUE(RayTriangleHit({0.5f, 0.5f, -1, 1}, {0, 0, 1, 0}, {0, 0, 0}, {0, 2, 0}, {2, 0, 0}, nullptr, &normal));
    EXPECT_TRUE(Near(normal, {0, 0, -4, 0}));
}

TEST(VectorArithmetic, SphereSilhouetteRadius) {
    EXPECT_NEAR(SphereSilhouetteRadius(2, 1), 2 / std::sqrt(3.0), 1e-6);
    EXPECT_NEAR(SphereSilhouetteRadius(10, 3), 30 / std::sqrt(91.0), 1e-5);
    EXPECT_FALSE(std::isfinite(SphereSilhouetteRadius(1, 1)));
}

TEST(VectorArithmetic, AngleLerpRadians) {
    const TAffineVector a{0.1f, 0.2f, 0.3f}, b{0.4f, -0.2f, 0.5f};
    for (Single t : {0.0f, 0.5f, 1.0f, 7.0f}) EXPECT_TRUE(SameAffine(AngleLerpRadians(a, a, t), a)) << t;
    // The round trip through quaternion, matrix and decomposition gives the end points back.
    EXPECT_TRUE(Near(AngleLerpRadians(a, b, 0), a, 1e-5));
    EXPECT_TRUE(Near(AngleLerpRadians(a, b, 1), b, 1e-5));
    const Single quarter = std::numbers::pi_v<float> / 2;
    EXPECT_TRUE(Near(AngleLerpRadians({0, 0, 0}, {0, 0, quarter}, 0.5f), {0, 0, quarter / 2}, 1e-5));
}

}  // namespace

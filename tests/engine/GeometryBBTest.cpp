#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "GeometryBB.h"
#include "MathExpect.h"
#include "VectorGeometry.h"

namespace {

const TAxisAlignedBox kBox{{1, 2, 3}, {4, 5, 6}};
const TAxisAlignedBox kUnitCube{{0, 0, 0}, {1, 1, 1}};

testing::AssertionResult SameBox(const TAxisAlignedBox& a, const TAxisAlignedBox& e, double tol = 0) {
    testing::AssertionResult min = Near(a.Min, e.Min, tol);
    if (!min) return min;
    return Near(a.Max, e.Max, tol);
}

TEST(GeometryBB, CornerOrder) {
    TBoxCorners corners;
    AABBToBoxCorners(kBox, corners);
    const TVector4f expected[8] = {{4, 5, 6, 1}, {4, 2, 6, 1}, {4, 2, 3, 1}, {4, 5, 3, 1},
                                   {1, 5, 6, 1}, {1, 2, 6, 1}, {1, 2, 3, 1}, {1, 5, 3, 1}};
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(Near(corners[i], expected[i], 0)) << "corner " << i;
    TAxisAlignedBox back;
    BoxCornersToAABB(corners, back);
    EXPECT_TRUE(SameBox(back, kBox));
}

TEST(GeometryBB, FacesTableMatchesTheCorners) {
    TBoxCorners corners;
    AABBToBoxCorners(kBox, corners);
    for (int face = 0; face < 6; ++face) {
        const TBoxFace& f = BoxFaces[face];
        Single side = f.IsMax ? kBox.Max[f.Axis] : kBox.Min[f.Axis];
        for (Byte c : f.Corners) EXPECT_EQ(corners[c][f.Axis], side) << "face " << face << " corner " << int(c);
    }
    SetBoxCornersFace(corners, 3, -7);  // the Y minimum side
    TAxisAlignedBox moved;
    BoxCornersToAABB(corners, moved);
    EXPECT_TRUE(SameBox(moved, {{1, -7, 3}, {4, 5, 6}}));
}

TEST(GeometryBB, ExtendBoundingBoxGivesTheUnion) {
    TBoxCorners a, b, out;
    AABBToBoxCorners(kUnitCube, a);
    AABBToBoxCorners({{2, 2, 2}, {3, 3, 3}}, b);
    ExtendBoundingBox(a, b, out);
    EXPECT_TRUE(SameBoundingBox(a, out));
    TAxisAlignedBox grown;
    BoxCornersToAABB(out, grown);
    EXPECT_TRUE(SameBox(grown, {{0, 0, 0}, {3, 3, 3}}));

    AABBToBoxCorners({{-1, 0.5f, 0.2f}, {0.5f, 0.6f, 4}}, b);
    ExtendBoundingBox(a, b, out);
    BoxCornersToAABB(out, grown);
    EXPECT_TRUE(SameBox(grown, {{-1, 0, 0}, {3, 3, 4}}));
}

TEST(GeometryBB, SameBoundingBoxIsByteForByte) {
    TBoxCorners a, b;
    AABBToBoxCorners(kBox, a);
    b = a;
    EXPECT_TRUE(SameBoundingBox(a, b));
    b[5].Z = -0.0f;
    a[5].Z = 0.0f;
    EXPECT_FALSE(SameBoundingBox(a, b));
}

TEST(GeometryBB, TransformAndTranslateCorners) {
    TBoxCorners corners;
    AABBToBoxCorners(kUnitCube, corners);
    TranslateBoxCorners(corners, {1, 2, 3});
    TAxisAlignedBox moved;
    BoxCornersToAABB(corners, moved);
    EXPECT_TRUE(SameBox(moved, {{1, 2, 3}, {2, 3, 4}}));
    TransformBoundingBox(corners, ScaleTranslateMatrix({2, 2, 2}, {0, 0, -1}));
    BoxCornersToAABB(corners, moved);
    EXPECT_TRUE(SameBox(moved, {{2, 4, 5}, {4, 6, 7}}));
    for (const TVector4f& c : corners) EXPECT_EQ(c.W, 1);
}

TEST(GeometryBB, TransformedBoxesContainTheirTransformedCorners) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(-5, 5), angle(-3, 3);
    for (int trial = 0; trial < 100; ++trial) {
        TAxisAlignedBox box{{value(random), value(random), value(random)}, {}};
        box.Max = AddAffine(box.Min, {std::fabs(value(random)), std::fabs(value(random)), std::fabs(value(random))});
        TMatrix4x4 m = MultiplyMatrices(AxisAngleMatrixAffine({value(random), value(random), 1}, angle(random)),
                                        ScaleTranslateMatrix({value(random), 2, 0.5f}, {value(random), 1, -3}));
        TAxisAlignedBox transformed = box;
        TransformAABB(transformed, m);
        TBoxCorners corners;
        AABBToBoxCorners(box, corners);
        for (const TVector4f& c : corners)
            EXPECT_TRUE(AABBContainsPoint(TransformAffinePoint(AffineFromVector4(c), m), transformed)) << trial;
        // The eight-corner form, transformed and then bounded, gives the same box.
        TransformBoundingBox(corners, m);
        TAxisAlignedBox bounded;
        BoxCornersToAABB(corners, bounded);
        EXPECT_TRUE(SameBox(bounded, transformed, 1e-5)) << trial;
    }
    TAxisAlignedBox turned{{-1, -1, -1}, {1, 1, 1}};
    TransformAABB(turned, RotationMatrixZ(std::sqrt(0.5f), std::sqrt(0.5f)));
    const Single r2 = std::sqrt(2.0f);
    EXPECT_TRUE(SameBox(turned, {{-r2, -r2, -1}, {r2, r2, 1}}, 1e-6));
}

TEST(GeometryBB, AxisAlignedHelpers) {
    TAxisAlignedBox a = kUnitCube;
    MergeIntoAABB(a, {{-1, 0.5f, 0.5f}, {0.5f, 0.5f, 2}});
    EXPECT_TRUE(SameBox(a, {{-1, 0, 0}, {1, 1, 2}}));
    EXPECT_TRUE(SameBox(AABBFromExtents({-1, 2, -3, 7}), {{-1, -2, -3}, {1, 2, 3}}));
    TAxisAlignedBox p = kUnitCube;
    AddPointToAABB(p, {2, -1, 0.5f});
    EXPECT_TRUE(SameBox(p, {{0, -1, 0}, {2, 1, 1}}));
    TAxisAlignedBox s = kBox;
    ScaleAABB(s, {2, 0.5f, 1});
    EXPECT_TRUE(SameBox(s, {{2, 1, 3}, {8, 2.5f, 6}}));

    struct Case {
        TAffineVector point;
        bool inside;
    } cases[] = {{{0.5f, 0.5f, 0.5f}, true},
                 {{1, 0.5f, 0.5f}, true},
                 {{0, 0, 0}, true},
                 {{1.001f, 0.5f, 0.5f}, false},
                 {{0.5f, -0.001f, 0.5f}, false}};
    for (const Case& c : cases) EXPECT_EQ(AABBContainsPoint(c.point, kUnitCube), c.inside) << c.point;
}

TEST(GeometryBB, RayHitsAABB) {
    const TAxisAlignedBox box{{-1, -1, -1}, {1, 1, 1}};
    struct Case {
        const char* what;
        TAffineVector start, direction;
        bool hit;
        Single tNear, tFar;
    } cases[] = {
        {"from in front", {0, 0, -5}, {0, 0, 1}, true, 4, 6},
        {"box behind", {0, 0, 5}, {0, 0, 1}, false, 0, 0},
        {"outside on a still axis", {2, 0, 0}, {0, 0, 1}, false, 0, 0},
        {"from the centre", {0, 0, 0}, {0, 0, 1}, true, -1, 1},
        {"diagonal", {-3, -3, 0}, {1, 1, 0}, true, 2, 4},
        {"diagonal miss", {-3, 0, 0}, {1, 3, 0}, false, 0, 0},
        {"along a face", {1, 0, -5}, {0, 0, 2}, true, 2, 3},
    };
    for (const Case& c : cases) {
        Single tNear = 99, tFar = 99;
        EXPECT_EQ(RayHitsAABB(c.start, c.direction, box, tNear, tFar), c.hit) << c.what;
        if (c.hit) {
            EXPECT_EQ(tNear, c.tNear) << c.what;
            EXPECT_EQ(tFar, c.tFar) << c.what;
        }
    }
}

}  // namespace

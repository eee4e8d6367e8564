#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "MathExpect.h"
#include "VectorGeometry.h"

namespace {

const Single kQuarterTurn = std::numbers::pi_v<float> / 2;

TMatrix4x4 Translation(Single x, Single y, Single z) { return ScaleTranslateMatrix({1, 1, 1}, {x, y, z}); }

TEST(MatrixArithmetic, RotationSenses) {
    // The sine/cosine builders turn by plus the angle, the axis-angle matrix by minus it.
    struct Case {
        const char* axisName;
        TAffineVector axis;
        TMatrix4x4 (*builder)(Single, Single);
        TVector4f from, plusQuarter;
    } cases[] = {
        {"X", {1, 0, 0}, &RotationMatrixX, {0, 1, 0, 0}, {0, 0, 1, 0}},
        {"Y", {0, 1, 0}, &RotationMatrixY, {0, 0, 1, 0}, {1, 0, 0, 0}},
        {"Z", {0, 0, 1}, &RotationMatrixZ, {1, 0, 0, 0}, {0, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Near(TransformVector4(c.from, c.builder(1, 0)), c.plusQuarter)) << c.axisName;
        TVector4f minusQuarter = NegatedVector4(c.plusQuarter);
        EXPECT_TRUE(Near(TransformVector4(c.from, AxisAngleMatrixAffine(c.axis, kQuarterTurn)), minusQuarter))
            << c.axisName;
        // The axis is normalized first, and the W of a TVector4f axis is ignored.
        TVector4f longAxis = AssignVector4FromAffine(ScaledAffine(c.axis, 3), 5);
        EXPECT_TRUE(Near(TransformVector4(c.from, AxisAngleMatrix(longAxis, kQuarterTurn)), minusQuarter))
            << c.axisName;
    }
    TMatrix4x4 zeroAxis = AxisAngleMatrixAffine({0, 0, 0}, 1);
    EXPECT_TRUE(std::isnan(zeroAxis[0][1]));
}

TEST(MatrixArithmetic, ProductAppliesLeftOperandFirst) {
    TMatrix4x4 translate = Translation(1, 2, 3), scale = ScaleTranslateMatrix({2, 2, 2}, {0, 0, 0});
    TMatrix4x4 both = MultiplyMatrices(translate, scale);
    EXPECT_TRUE(Near(TransformVector4({0, 0, 0, 1}, both), {2, 4, 6, 1}));
    EXPECT_TRUE(Near(TransformVector4({0, 0, 0, 1}, MultiplyMatrices(scale, translate)), {1, 2, 3, 1}));
    // The safe form may write over either operand.
    TMatrix4x4 a = translate;
    MultiplyMatricesSafe(a, scale, a);
    EXPECT_TRUE(Near(a, both));
    TMatrix4x4 b = scale;
    MultiplyMatricesSafe(translate, b, b);
    EXPECT_TRUE(Near(b, both));
}

TEST(MatrixArithmetic, TranslationAppliesToPointsOnly) {
    TMatrix4x4 m = Translation(1, 2, 3);
    EXPECT_TRUE(Near(TransformAffinePoint({1, 1, 1}, m), {2, 3, 4}));
    EXPECT_TRUE(Near(TransformVector4({1, 1, 1, 0}, m), {1, 1, 1, 0}));
    EXPECT_TRUE(Near(TransformVector4({1, 1, 1, 1}, m), {2, 3, 4, 1}));
}

TEST(MatrixArithmetic, Determinants) {
    EXPECT_EQ(Determinant3(1, 2, 3, 4, 5, 6, 7, 8, 10), -3.0f);
    TMatrix4x4 diagonal{{{2, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 4, 0}, {0, 0, 0, 5}}};
    EXPECT_EQ(MatrixDeterminant(diagonal), 120.0f);
    std::swap(diagonal[0], diagonal[1]);
    EXPECT_EQ(MatrixDeterminant(diagonal), -120.0f);
    EXPECT_EQ(MatrixDeterminant(Translation(5, 6, 7)), 1.0f);
}

TEST(MatrixArithmetic, InverseOfTranslationAndSingularMatrices) {
    TMatrix4x4 m = Translation(1, 2, 3);
    InvertMatrixInPlace(m);
    EXPECT_TRUE(Near(m, Translation(-1, -2, -3)));

    // Determinant 1e-41, below the threshold 1e-40: answered with the identity.
    TMatrix4x4 nearlySingular{{{1e-20f, 0, 0, 0}, {0, 1e-21f, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
    InvertMatrixInPlace(nearlySingular);
    EXPECT_TRUE(Near(nearlySingular, IdentityMatrix, 0));
    TMatrix4x4 flat = ScaleTranslateMatrix({1, 0, 1}, {4, 5, 6});
    InvertMatrixInPlace(flat);
    EXPECT_TRUE(Near(flat, IdentityMatrix, 0));
    // Determinant 2e-40, just above it: still inverted.
    TMatrix4x4 small{{{2e-20f, 0, 0, 0}, {0, 1e-20f, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
    InvertMatrixInPlace(small);
    EXPECT_NEAR(small[0][0], 5e19, 5e14);
    EXPECT_NEAR(small[1][1], 1e20, 1e15);
}

TEST(MatrixArithmetic, InverseTimesMatrixIsIdentity) {
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> jitter(-0.4f, 0.4f), angle(-3, 3), offset(-10, 10);
    for (int trial = 0; trial < 200; ++trial) {
        // A rotation with a moderate scale and shear and a translation: well conditioned.
        TMatrix4x4 m = MultiplyMatrices(RotationMatrixX(std::sin(angle(random)), 0.8f),
                                        AxisAngleMatrixAffine({1, 2, 3}, angle(random)));
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) m[i][j] += jitter(random);
        m[3] = {offset(random), offset(random), offset(random), 1};
        if (std::fabs(MatrixDeterminant(m)) < 0.2f) continue;
        TMatrix4x4 inverse = m;
        InvertMatrixInPlace(inverse);
        EXPECT_TRUE(Near(MultiplyMatrices(m, inverse), IdentityMatrix, 1e-4)) << "trial " << trial;
        EXPECT_TRUE(Near(MultiplyMatrices(inverse, m), IdentityMatrix, 1e-4)) << "trial " << trial;
    }
}

TEST(MatrixArithmetic, InvertUniformScaleMatrix) {
    TMatrix4x4 rotation = AxisAngleMatrixAffine({1, 1, 0}, 0.7f);
    TMatrix4x4 m = MultiplyMatrices(rotation, ScaleTranslateMatrix({2, 2, 2}, {0, 0, 0}));
    m[3] = {3, -4, 5, 1};
    TMatrix4x4 out = IdentityMatrix;
    InvertUniformScaleMatrix(m, out);
    TMatrix4x4 expected = m;
    InvertMatrixInPlace(expected);
    EXPECT_TRUE(Near(out, expected, 1e-5));
    EXPECT_NEAR(out[0][1], rotation[1][0] / 2, 1e-6);  // the transposed rotation, halved

    TMatrix4x4 singular = ScaleTranslateMatrix({0, 1, 1}, {1, 1, 1});
    InvertUniformScaleMatrix(singular, out);
    EXPECT_TRUE(Near(out, IdentityMatrix, 0));
}

TEST(MatrixArithmetic, OrthonormalizeMatrix) {
    // A rotation with unequal row scales, a translation and junk in the fourth column.
    TMatrix4x4 rotation = AxisAngleMatrixAffine({1, 2, 3}, 0.8f);
    TMatrix4x4 m = MultiplyMatrices(ScaleTranslateMatrix({2, 3, 0.5f}, {0, 0, 0}), rotation);
    m[0].W = 3;
    m[1].W = 4;
    m[2].W = 9;
    m[3] = {5, 6, 7, 8};
    OrthonormalizeMatrix(m);
    EXPECT_TRUE(Near(m, rotation));
    // The third row is rebuilt from the first two, right-handed.
    TMatrix4x4 flipped = rotation;
    flipped[2] = NegatedVector4(flipped[2]);
    OrthonormalizeMatrix(flipped);
    EXPECT_TRUE(Near(flipped, rotation));
}

TEST(MatrixArithmetic, DecomposeMatrix) {
    TMatrixDecomposition d;
    ASSERT_TRUE(DecomposeMatrix(IdentityMatrix, d));
    const Single* values = &d.ScaleX;
    const Single identityParts[16] = {1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(values[i], identityParts[i]) << i;

    TMatrix4x4 noW = IdentityMatrix;
    noW[3][3] = 0;
    EXPECT_FALSE(DecomposeMatrix(noW, d));
    EXPECT_FALSE(DecomposeMatrix(ScaleTranslateMatrix({1, 0, 1}, {0, 0, 0}), d));

    // Scales come back squared; each rotation builder turns by plus its angle.
    TMatrix4x4 m = ScaleTranslateMatrix({2, 3, 4}, {0, 0, 0});
    m = MultiplyMatrices(m, RotationMatrixX(std::sin(0.3f), std::cos(0.3f)));
    m = MultiplyMatrices(m, Translation(7, 8, 9));
    ASSERT_TRUE(DecomposeMatrix(m, d));
    EXPECT_NEAR(d.ScaleX, 4, 1e-5);
    EXPECT_NEAR(d.ScaleY, 9, 1e-5);
    EXPECT_NEAR(d.ScaleZ, 16, 1e-5);
    EXPECT_NEAR(d.ShearXY, 0, 1e-6);
    EXPECT_NEAR(d.RotationX, 0.3, 1e-6);
    EXPECT_NEAR(d.RotationY, 0, 1e-6);
    EXPECT_NEAR(d.RotationZ, 0, 1e-6);
    EXPECT_EQ(d.TranslationX, 7);
    EXPECT_EQ(d.TranslationZ, 9);
    ASSERT_TRUE(DecomposeMatrix(RotationMatrixY(std::sin(0.4f), std::cos(0.4f)), d));
    EXPECT_NEAR(d.RotationY, 0.4, 1e-6);
    ASSERT_TRUE(DecomposeMatrix(RotationMatrixZ(std::sin(-1.2f), std::cos(-1.2f)), d));
    EXPECT_NEAR(d.RotationZ, -1.2, 1e-6);

    // Everything is divided by m[3][3] first.
    TMatrix4x4 homogeneous = Translation(2, 4, 6);
    homogeneous[3][3] = 2;
    ASSERT_TRUE(DecomposeMatrix(homogeneous, d));
    EXPECT_EQ(d.TranslationY, 2);
    EXPECT_EQ(d.ScaleX, 0.25f);

    TMatrix4x4 projective = IdentityMatrix;
    projective[1][3] = 0.5f;
    ASSERT_TRUE(DecomposeMatrix(projective, d));
    EXPECT_EQ(d.PerspectiveY, 0.5f);
    EXPECT_EQ(d.PerspectiveW, 1);
    EXPECT_EQ(d.ScaleY, 1);
}

TEST(MatrixArithmetic, MatrixToDoublesKeepsTheLayout) {
    TMatrix4x4 m = Translation(1.5f, 2, 3);
    TMatrix4x4d d;
    MatrixToDoubles(m, d);
    EXPECT_EQ(d.M[3][0], 1.5);
    EXPECT_EQ(d.M[0][0], 1.0);
    EXPECT_EQ(d.M[0][3], 0.0);
}

TEST(MatrixArithmetic, FrustumPlanesOfTheUnitCube) {
    TFrustumPlanes f;
    FrustumFromMatrix(IdentityMatrix, f);
    EXPECT_TRUE(Near(f.Left, {1, 0, 0, 1}));
    EXPECT_TRUE(Near(f.Top, {0, -1, 0, 1}));
    EXPECT_TRUE(Near(f.Right, {-1, 0, 0, 1}));
    EXPECT_TRUE(Near(f.Bottom, {0, 1, 0, 1}));
    EXPECT_TRUE(Near(f.Near, {0, 0, 1, 1}));
    EXPECT_TRUE(Near(f.Far, {0, 0, -1, 1}));
    EXPECT_TRUE(Near(f[4], f.Near));

    struct Case {
        const char* what;
        TAffineVector centre;
        Single radius;
        bool outside;
    } cases[] = {
        {"inside", {0, 0, 0}, 0.5f, false},
        {"touching the left plane from outside", {-3, 0, 0}, 2, false},
        {"just short of the left plane", {-3, 0, 0}, 1.99f, true},
        {"straddling the far plane", {0, 0, 1.5f}, 1, false},
        {"beyond the top", {0, 5, 0}, 1, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SphereOutsideFrustum(c.centre, c.radius, f), c.outside) << c.what;
        EXPECT_EQ(SphereOutsideFrustum(PointFromAffine(c.centre), c.radius, f), c.outside) << c.what;
    }
    EXPECT_FALSE(BoxOutsideFrustum({1, 1, 1}, {3, 3, 3}, f));  // its bounding sphere reaches in
    EXPECT_TRUE(BoxOutsideFrustum({4, 4, 4}, {5, 5, 5}, f));
}

TEST(MatrixArithmetic, FrustumOfAPerspectiveProjection) {
    // A projection looking down -Z with near 1 and far 10 and a 90 degree field of view.
    const Single n = 1, fa = 10;
    TMatrix4x4 projection{
        {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, -(fa + n) / (fa - n), -1}, {0, 0, -2 * fa * n / (fa - n), 0}}};
    TFrustumPlanes f;
    FrustumFromMatrix(projection, f);
    EXPECT_FALSE(SphereOutsideFrustum(TAffineVector{0, 0, -5}, 0.1f, f));
    EXPECT_TRUE(SphereOutsideFrustum(TAffineVector{0, 0, 5}, 0.1f, f));    // behind the eye
    EXPECT_TRUE(SphereOutsideFrustum(TAffineVector{0, 0, -20}, 0.1f, f));  // beyond far
    EXPECT_TRUE(SphereOutsideFrustum(TAffineVector{-8, 0, -5}, 0.1f, f));  // left of the cone
    EXPECT_NEAR(PlaneValueAt(f.Near, TAffineVector{0, 0, -3}), 2, 1e-5);
}

}  // namespace

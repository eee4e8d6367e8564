#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "MathExpect.h"
#include "SysExceptions.h"
#include "TestSupport.h"
#include "VectorGeometry.h"

namespace {

TQuaternion QX(Single degrees) { return AxisAngleQuaternion(XAffineVector, degrees); }
TQuaternion QY(Single degrees) { return AxisAngleQuaternion(YAffineVector, degrees); }
TQuaternion QZ(Single degrees) { return AxisAngleQuaternion(ZAffineVector, degrees); }

// q and -q are the same rotation.
testing::AssertionResult SameRotation(const TQuaternion& a, const TQuaternion& b, double tol = 1e-5) {
    if (Near(a, b, tol)) return testing::AssertionSuccess();
    return Near(a, {-b.X, -b.Y, -b.Z, -b.W}, tol);
}

TEST(Quaternions, HamiltonProduct) {
    const TQuaternion i{1, 0, 0, 0}, j{0, 1, 0, 0}, k{0, 0, 1, 0};
    EXPECT_TRUE(Near(MultiplyQuaternions(i, j), k));
    EXPECT_TRUE(Near(MultiplyQuaternions(j, i), {0, 0, -1, 0}));
    EXPECT_TRUE(Near(MultiplyQuaternions(i, i), {0, 0, 0, -1}));
    EXPECT_TRUE(Near(MultiplyQuaternions(IdentityQuaternion, k), k));

    TQuaternion xy = MultiplyQuaternions(QX(90), QY(90)), yx = MultiplyQuaternions(QY(90), QX(90));
    EXPECT_FALSE(Near(xy, yx, 1e-3));
    EXPECT_TRUE(Near(xy, {0.5f, 0.5f, 0.5f, 0.5f}));
    EXPECT_TRUE(Near(yx, {0.5f, 0.5f, -0.5f, 0.5f}));
    // The product may be written over either operand.
    TQuaternion a = QX(90);
    a = MultiplyQuaternions(a, QY(90));
    EXPECT_TRUE(Near(a, xy));
}

TEST(Quaternions, AxisAngleAndItsMatrixTurnByPlusTheAngle) {
    const Single h = std::sqrt(0.5f);
    EXPECT_TRUE(Near(QZ(90), {0, 0, h, h}));
    EXPECT_TRUE(Near(AxisAngleQuaternion({0, 0, 5}, 90), {0, 0, h, h}));  // any axis length
    EXPECT_TRUE(Near(QuaternionToMatrix4(QX(90)), RotationMatrixX(1, 0)));
    EXPECT_TRUE(Near(QuaternionToMatrix4(QY(90)), RotationMatrixY(1, 0)));
    EXPECT_TRUE(Near(QuaternionToMatrix4(QZ(90)), RotationMatrixZ(1, 0)));
    // The matrix is built from a normalized copy.
    EXPECT_TRUE(Near(QuaternionToMatrix4({0, 0, 2 * h, 2 * h}), RotationMatrixZ(1, 0)));
    TQuaternion zeroAxis = AxisAngleQuaternion({0, 0, 0}, 30);
    EXPECT_TRUE(std::isnan(zeroAxis.X));
}

TEST(Quaternions, NormalizeQuaternion) {
    TQuaternion zero{0, 0, 0, 0};
    NormalizeQuaternionInPlace(zero);
    EXPECT_TRUE(Near(zero, IdentityQuaternion, 0));
    TQuaternion tiny{1e-31f, 0, 0, 0};
    NormalizeQuaternionInPlace(tiny);
    EXPECT_TRUE(Near(tiny, IdentityQuaternion, 0));
    TQuaternion q{0, 3, 0, 4};
    EXPECT_EQ(QuaternionLength(q), 5.0f);
    NormalizeQuaternionInPlace(q);
    EXPECT_TRUE(Near(q, {0, 0.6f, 0, 0.8f}));
}

TEST(Quaternions, EulerOrdersComposeInTheirOrder) {
    const Single x = 20, y = 35, z = -50;
    const TQuaternion qx = QX(x), qy = QY(y), qz = QZ(z);
    auto product = [](const TQuaternion& a, const TQuaternion& b, const TQuaternion& c) {
        return MultiplyQuaternions(a, MultiplyQuaternions(b, c));
    };
    struct Case {
        TEulerAxisOrder order;
        TQuaternion expected;
    } cases[] = {
        {eulXYZ, product(qx, qy, qz)}, {eulXZY, product(qx, qz, qy)}, {eulYXZ, product(qy, qx, qz)},
        {eulYZX, product(qy, qz, qx)}, {eulZXY, product(qz, qx, qy)}, {eulZYX, product(qz, qy, qx)},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Near(EulerQuaternionOrdered(x, y, z, c.order), c.expected)) << int(c.order);
        EXPECT_TRUE(Near(EulerQuaternion(x, y, z, c.order), c.expected)) << int(c.order);
        EXPECT_TRUE(Near(EulerQuaternion(x + 360, y - 720, z, c.order), c.expected, 1e-5)) << int(c.order);
    }
}

TEST(Quaternions, EulerGimbalLockTakesTheMidpoint) {
    struct Case {
        TEulerAxisOrder order;
        Single x, y, z;     // the middle angle of the order at +-90
        Single x1, y1, z1;  // the same with the middle angle 0.001 smaller
        Single x2, y2, z2;  // and 0.001 larger
    } cases[] = {
        {eulXYZ, 10, 90, 20, 10, 89.999f, 20, 10, 90.001f, 20},
        {eulZYX, 10, -90, 20, 10, -90.001f, 20, 10, -89.999f, 20},
        {eulXZY, 10, 20, 90, 10, 20, 89.999f, 10, 20, 90.001f},
        {eulYXZ, -90, 30, 40, -90.001f, 30, 40, -89.999f, 30, 40},
    };
    for (const Case& c : cases) {
        TQuaternion expected = SlerpQuaternions(EulerQuaternionOrdered(c.x1, c.y1, c.z1, c.order),
                                                EulerQuaternionOrdered(c.x2, c.y2, c.z2, c.order), 0.5f);
        TQuaternion locked = EulerQuaternion(c.x, c.y, c.z, c.order);
        EXPECT_TRUE(Near(locked, expected, 0)) << int(c.order);
        EXPECT_TRUE(SameRotation(locked, EulerQuaternionOrdered(c.x, c.y, c.z, c.order))) << int(c.order);
    }
    // The angle is wrapped before the test: 450 is 90.
    EXPECT_TRUE(Near(EulerQuaternion(10, 450, 20, eulXYZ), EulerQuaternion(10, 90, 20, eulXYZ), 0));
}

TEST(Quaternions, EulerOrderOutOfRangeFailsAnAssertion) {
    try {
        EulerQuaternion(0, 0, 0, TEulerAxisOrder(6));
        FAIL() << "no assertion";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(Utf8(e.Message()).rfind("Assertion failure", 0), 0u) << Utf8(e.Message());
    }
}

TEST(Quaternions, Slerp) {
    TQuaternion q = QZ(40);
    TQuaternion minusQ{-q.X, -q.Y, -q.Z, -q.W};
    for (Single t : {0.0f, 0.3f, 1.0f}) EXPECT_TRUE(Near(SlerpQuaternions(q, minusQ, t), q)) << t;
    EXPECT_TRUE(Near(SlerpQuaternions(IdentityQuaternion, QZ(90), 0.5f), QZ(45)));
    EXPECT_TRUE(Near(SlerpQuaternions(IdentityQuaternion, QZ(90), 0.25f), QZ(22.5f)));
    // Takes the shorter arc: 350 degrees is -10.
    EXPECT_TRUE(SameRotation(SlerpQuaternions(IdentityQuaternion, QZ(350), 0.5f), QZ(-5)));
    // Identical quaternions interpolate linearly and renormalize.
    TQuaternion unnormalized{0, 0, 0, 2};
    EXPECT_TRUE(Near(SlerpQuaternions(unnormalized, unnormalized, 0.7f), IdentityQuaternion));

    std::mt19937 random(99);
    std::uniform_real_distribution<float> angle(-179, 179);
    for (int trial = 0; trial < 100; ++trial) {
        TQuaternion a = EulerQuaternion(angle(random), angle(random), angle(random), eulXYZ);
        TQuaternion b = EulerQuaternion(angle(random), angle(random), angle(random), eulZYX);
        EXPECT_TRUE(Near(SlerpQuaternions(a, b, 0), a, 1e-5)) << trial;
        EXPECT_TRUE(SameRotation(SlerpQuaternions(a, b, 1), b)) << trial;
    }
}

TEST(Angles, WrapDegrees) {
    struct Case {
        Single in, out;
    } cases[] = {{540, 180}, {-190, 170}, {181, -179},  {0, 0},         {180, 180}, {-180, -180},
                 {360, 0},   {725, 5},    {-540, -180}, {90.5f, 90.5f}, {-359, 1}};
    for (const Case& c : cases) EXPECT_EQ(WrapDegrees(c.in), c.out) << c.in;
}

TEST(Angles, ConversionsAndInverseFunctions) {
    EXPECT_NEAR(double(DegreesToRadians(180)), std::numbers::pi, 1e-15);
    EXPECT_NEAR(double(RadiansToDegrees(std::numbers::pi_v<long double>)), 180, 1e-13);
    EXPECT_EQ(DegreesToRadiansSingle(180), Single(180 * 0.017453292f));
    EXPECT_EQ(RadiansToDegreesSingle(1), 57.29578f);
    struct Case {
        Extended x, arcCos;
    } cases[] = {{1, 0},
                 {0, std::numbers::pi_v<long double> / 2},
                 {-1, std::numbers::pi_v<long double>},
                 {0.5L, std::numbers::pi_v<long double> / 3}};
    for (const Case& c : cases) {
        EXPECT_NEAR(double(ArcCosExtended(c.x)), double(c.arcCos), 1e-15) << double(c.x);
        EXPECT_NEAR(ArcCosSingle(Single(c.x)), double(c.arcCos), 1e-6) << double(c.x);
        EXPECT_NEAR(double(ArcSinExtended(c.x)), double(std::numbers::pi_v<long double> / 2 - c.arcCos), 1e-15);
    }
    EXPECT_NEAR(double(ArcTan2Extended(1, -1)), 3 * std::numbers::pi / 4, 1e-15);
    EXPECT_NEAR(ArcTan2Single(-1, 0), -std::numbers::pi / 2, 1e-6);
    EXPECT_NEAR(double(TangentExtended(std::numbers::pi_v<long double> / 4)), 1, 1e-15);
    Single s, c;
    ScaledSinCos(std::numbers::pi_v<float> / 6, 4, s, c);
    EXPECT_NEAR(s, 2, 1e-6);
    EXPECT_NEAR(c, 2 * std::sqrt(3.0), 1e-6);
}

TEST(Angles, FillSinCosTables) {
    std::vector<Single> sines(1), cosines(1);
    FillSinCosTables(sines, cosines, 30, 60);
    EXPECT_NEAR(sines[0], 0.5, 1e-7);
    EXPECT_NEAR(cosines[0], std::sqrt(3.0) / 2, 1e-7);

    // 1001 entries: each one computed directly.
    sines.assign(1001, 0);
    cosines.assign(1001, 0);
    FillSinCosTables(sines, cosines, 0, 360);
    const Extended step = DegreesToRadians(Single(360 + 0.00001L)) / 1000;
    for (int i : {0, 1, 250, 999, 1000}) {
        Single s, c;
        SinCosSingle(Single(i * step), s, c);
        EXPECT_EQ(sines[i], s) << i;
        EXPECT_EQ(cosines[i], c) << i;
    }

    // Short tables are built by turning the previous entry; they stay close to the true values.
    sines.assign(91, 0);
    cosines.assign(91, 0);
    FillSinCosTables(sines, cosines, 0, 90);
    for (int i = 0; i <= 90; i += 15) {
        EXPECT_NEAR(sines[i], std::sin(i * std::numbers::pi / 180), 1e-5) << i;
        EXPECT_NEAR(cosines[i], std::cos(i * std::numbers::pi / 180), 1e-5) << i;
    }

    std::vector<Single> none;
    FillSinCosTables(none, none, 0, 90);  // nothing to fill, nothing read
    std::vector<Single> shorter(3);
    EXPECT_THROW(FillSinCosTables(sines, shorter, 0, 90), EAssertionFailed);
}

TEST(Scalars, RoundingTiesGoToEven) {
    struct Case {
        Single x;
        Integer rounded, truncated;
    } cases[] = {{2.5f, 2, 2}, {3.5f, 4, 3},    {-2.5f, -2, -2}, {0.5f, 0, 0},
                 {1.5f, 2, 1}, {-2.7f, -3, -2}, {2.49f, 2, 2},   {-0.5f, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(RoundSingle(c.x), c.rounded) << c.x;
        EXPECT_EQ(RoundToWholeSingle(c.x), Single(c.rounded)) << c.x;
        EXPECT_EQ(TruncSingle(c.x), c.truncated) << c.x;
    }
    EXPECT_EQ(FracSingle(-2.75f), -0.75f);
    EXPECT_EQ(IntPartExtended(-2.75L), -2.0L);
}

TEST(Scalars, Powers) {
    struct Case {
        Single base, exponent;
        double expected;
    } cases[] = {{0, 2, 0},    {5, 0, 1},   {0, 0, 1},     {2, -2, 0.25},
                 {4, 0.5f, 2}, {-2, 3, -8}, {10, 3, 1000}, {2, 10, 1024}};
    for (const Case& c : cases)
        EXPECT_NEAR(double(PowerSingle(c.base, c.exponent)), c.expected, 1e-12) << c.base << "^" << c.exponent;
    EXPECT_TRUE(std::isnan(double(PowerSingle(-8, 1.0f / 3))));
    EXPECT_EQ(IntegerPower(3, 0), 1.0L);
    EXPECT_EQ(IntegerPower(-2, 5), -32.0L);
    EXPECT_EQ(IntegerPower(2, -3), 0.125L);
    EXPECT_EQ(ReciprocalSqrt(4), 0.5L);
}

TEST(Scalars, ClampMaxAndScale) {
    EXPECT_EQ(ClampSingle(-1, 0, 1), 0);
    EXPECT_EQ(ClampSingle(2, 0, 1), 1);
    EXPECT_EQ(ClampSingle(0.25f, 0, 1), 0.25f);
    EXPECT_EQ(MaxExtended(-1, -2), -1.0L);
    EXPECT_EQ(MaxOfTwoIntegers(3, 7), 7);
    EXPECT_EQ(MaxOfThreeIntegers(3, 9, 7), 9);
    std::vector<Single> values{1, -2, 0.5f};
    ScaleSingleArray(values, 4);
    EXPECT_EQ(values, (std::vector<Single>{4, -8, 2}));
}

}  // namespace

#include "QuaternionArithmetic.h"

#include <cmath>
#include <numbers>

#include "ScalarArithmetic.h"
#include "SysExceptions.h"
#include "VectorArithmetic.h"

namespace {

using Ext = Extended;

constexpr Ext kPi = std::numbers::pi_v<long double>;

// For each order, the position (1 to 3) of the X, Y and Z rotation in the product.
constexpr Byte kEulerPositions[6][3] = {{1, 2, 3}, {1, 3, 2}, {2, 1, 3}, {3, 1, 2}, {2, 3, 1}, {3, 2, 1}};

TQuaternion Negated(const TQuaternion& q) { return {-q.X, -q.Y, -q.Z, -q.W}; }

}  // namespace

// --- Quaternions ---

Single QuaternionLength(const TQuaternion& q) {
    return Single(std::sqrt(Ext(q.X) * q.X + Ext(q.Y) * q.Y + Ext(q.Z) * q.Z + Ext(q.W) * q.W));
}

void NormalizeQuaternionInPlace(TQuaternion& q) {
    Single length = QuaternionLength(q);
    if (length > NearZeroEpsilon)
        q = {Single(q.X / Ext(length)), Single(q.Y / Ext(length)), Single(q.Z / Ext(length)),
             Single(q.W / Ext(length))};
    else
        q = IdentityQuaternion;
}

TQuaternion MultiplyQuaternions(const TQuaternion& a, const TQuaternion& b) {
    TQuaternion r;
    r.W = Single(Ext(a.W) * b.W - Ext(a.X) * b.X - Ext(a.Y) * b.Y - Ext(a.Z) * b.Z);
    r.X = Single(Ext(a.W) * b.X + Ext(a.X) * b.W + Ext(a.Y) * b.Z - Ext(a.Z) * b.Y);
    r.Y = Single(Ext(a.W) * b.Y + Ext(a.Y) * b.W + Ext(a.Z) * b.X - Ext(a.X) * b.Z);
    r.Z = Single(Ext(a.W) * b.Z + Ext(a.Z) * b.W + Ext(a.X) * b.Y - Ext(a.Y) * b.X);
    return r;
}

TQuaternion AxisAngleQuaternion(const TAffineVector& axis, Single angleDegrees) {
    Ext half = DegreesToRadians(angleDegrees * 0.5L);
    Ext s, c;
    SinCosExtended(half, s, c);
    Ext f = s / LengthAffine(axis);
    return {Single(axis.X * f), Single(axis.Y * f), Single(axis.Z * f), Single(c)};
}

TQuaternion EulerQuaternionOrdered(Single x, Single y, Single z, TEulerAxisOrder order) {
    TQuaternion byAxis[3] = {AxisAngleQuaternion(XAffineVector, x), AxisAngleQuaternion(YAffineVector, y),
                             AxisAngleQuaternion(ZAffineVector, z)};
    TQuaternion inOrder[3];
    for (int axis = 0; axis < 3; ++axis) inOrder[kEulerPositions[order][axis] - 1] = byAxis[axis];
    return MultiplyQuaternions(inOrder[0], MultiplyQuaternions(inOrder[1], inOrder[2]));
}

TQuaternion EulerQuaternion(Single x, Single y, Single z, TEulerAxisOrder order) {
    x = WrapDegrees(x);
    y = WrapDegrees(y);
    z = WrapDegrees(z);
    Assert(order <= eulZYX, L"Assertion failure");
    Single* middle;
    switch (order) {
        case eulXYZ:
        case eulZYX:
            middle = &y;
            break;
        case eulXZY:
        case eulYZX:
            middle = &z;
            break;
        default:
            middle = &x;
            break;
    }
    if (std::fabs(std::fabs(Ext(*middle)) - 90) > NearZeroEpsilon) return EulerQuaternionOrdered(x, y, z, order);
    // At the gimbal lock the axes coincide; average the rotations just either side of it.
    Single locked = *middle;
    *middle = Single(locked - 0.001L);
    TQuaternion below = EulerQuaternionOrdered(x, y, z, order);
    *middle = Single(locked + 0.001L);
    TQuaternion above = EulerQuaternionOrdered(x, y, z, order);
    return SlerpQuaternions(below, above, 0.5f);
}

TMatrix4x4 QuaternionToMatrix4(const TQuaternion& q) {
    TQuaternion n = q;
    NormalizeQuaternionInPlace(n);
    Ext x = n.X, y = n.Y, z = n.Z, w = n.W;
    return {{{Single(1 - 2 * (y * y + z * z)), Single(2 * (x * y + z * w)), Single(2 * (x * z - y * w)), 0},
             {Single(2 * (x * y - z * w)), Single(1 - 2 * (z * z + x * x)), Single(2 * (y * z + x * w)), 0},
             {Single(2 * (x * z + y * w)), Single(2 * (y * z - x * w)), Single(1 - 2 * (y * y + x * x)), 0},
             {0, 0, 0, 1}}};
}

TQuaternion SlerpQuaternions(const TQuaternion& a, const TQuaternion& b, Single t) {
    TQuaternion to = b;
    Ext cosom = Ext(a.X) * b.X + Ext(a.Y) * b.Y + Ext(a.Z) * b.Z + Ext(a.W) * b.W;
    if (cosom < 0) {
        cosom = -cosom;
        to = Negated(b);
    }
    Ext k0, k1;
    if (1 - cosom > NearZeroEpsilon) {
        Ext omega = ArcCosExtended(cosom);
        Ext s = 1 / std::sin(omega);
        k0 = std::sin((1 - Ext(t)) * omega) * s;
        k1 = std::sin(t * omega) * s;
    } else {
        k0 = 1 - Ext(t);
        k1 = t;
    }
    TQuaternion r{Single(k0 * a.X + k1 * to.X), Single(k0 * a.Y + k1 * to.Y), Single(k0 * a.Z + k1 * to.Z),
                  Single(k0 * a.W + k1 * to.W)};
    NormalizeQuaternionInPlace(r);
    return r;
}

// --- Angles and trigonometry ---

Extended DegreesToRadians(Extended x) { return x * (kPi / 180); }

Extended RadiansToDegrees(Extended x) { return x * (180 / kPi); }

Single DegreesToRadiansSingle(Single x) { return Single(Ext(x) * cPIdiv180); }

Single RadiansToDegreesSingle(Single x) { return Single(Ext(x) * c180divPI); }

Single WrapDegrees(Single x) {
    Single r = Single(x - IntPartExtended(Ext(x) * cInv360) * 360);
    if (r > 180) return Single(Ext(r) - 360);
    if (r < -180) return Single(Ext(r) + 360);
    return r;
}

void SinCosExtended(Extended angle, Extended& sine, Extended& cosine) {
    sine = std::sin(angle);
    cosine = std::cos(angle);
}

void SinCosSingle(Single angle, Single& sine, Single& cosine) {
    sine = Single(std::sin(Ext(angle)));
    cosine = Single(std::cos(Ext(angle)));
}

void ScaledSinCos(Single angle, Single radius, Single& sine, Single& cosine) {
    sine = Single(radius * std::sin(Ext(angle)));
    cosine = Single(radius * std::cos(Ext(angle)));
}

Extended ArcCosExtended(Extended x) { return std::atan2(std::sqrt(1 - x * x), x); }

Single ArcCosSingle(Single x) { return Single(ArcCosExtended(x)); }

Extended ArcSinExtended(Extended x) { return std::atan2(x, std::sqrt(1 - x * x)); }

Extended ArcTan2Extended(Extended y, Extended x) { return std::atan2(y, x); }

Single ArcTan2Single(Single y, Single x) { return Single(std::atan2(Ext(y), Ext(x))); }

Extended TangentExtended(Extended angle) { return std::tan(angle); }

void FillSinCosTables(std::span<Single> sines, std::span<Single> cosines, Single start, Single stop) {
    Assert(sines.size() == cosines.size(), L"Assertion failure");
    if (sines.empty()) return;
    stop = Single(stop + 0.00001L);
    size_t h = sines.size() - 1;
    Ext step = h < 1 ? 0 : DegreesToRadians(Ext(stop) - start) / Ext(h);
    Ext first = DegreesToRadians(start);
    if (h >= 1000) {
        for (size_t i = 0; i <= h; ++i) SinCosSingle(Single(first + Ext(i) * step), sines[i], cosines[i]);
        return;
    }
    // Short tables turn the previous entry by one step instead of calling sin and cos each time.
    SinCosSingle(Single(first), sines[0], cosines[0]);
    Ext halfSine = std::sin(step / 2);
    Ext a = 2 * halfSine * halfSine;
    Ext b = std::sin(step);
    for (size_t i = 0; i < h; ++i) {
        cosines[i + 1] = Single(cosines[i] - a * cosines[i] - b * sines[i]);
        sines[i + 1] = Single(sines[i] - a * sines[i] + b * cosines[i]);
    }
}

#include "VectorArithmetic.h"

#include <cmath>
#include <cstring>

#include "MatrixArithmetic.h"
#include "QuaternionArithmetic.h"
#include "ScalarArithmetic.h"

namespace {

using Ext = Extended;

// X, Y, Z of either record, widened.
template <class A, class B>
Ext Dot3(const A& a, const B& b) {
    return Ext(a.X) * b.X + Ext(a.Y) * b.Y + Ext(a.Z) * b.Z;
}

template <class A, class B>
Ext DistSquared3(const A& a, const B& b) {
    Ext dx = Ext(a.X) - b.X, dy = Ext(a.Y) - b.Y, dz = Ext(a.Z) - b.Z;
    return dx * dx + dy * dy + dz * dz;
}

template <class A, class B>
Ext Manhattan3(const A& a, const B& b) {
    return std::fabs(Ext(a.X) - b.X) + std::fabs(Ext(a.Y) - b.Y) + std::fabs(Ext(a.Z) - b.Z);
}

template <class A>
Ext AngleCos3(const A& a, const A& b) {
    return Dot3(a, b) / std::sqrt(Dot3(a, a) * Dot3(b, b));
}

// Scales X, Y, Z by the reciprocal of their length; no zero guard.
template <class A>
void Normalize3(A& v) {
    Ext inv = 1.0L / std::sqrt(Dot3(v, v));
    v.X = Single(v.X * inv);
    v.Y = Single(v.Y * inv);
    v.Z = Single(v.Z * inv);
}

// start + t * direction over four components, t kept in extended precision.
TVector4f PointAlongRay(const TVector4f& start, const TVector4f& direction, Ext t) {
    return {Single(start.X + t * direction.X), Single(start.Y + t * direction.Y), Single(start.Z + t * direction.Z),
            Single(start.W + t * direction.W)};
}

}  // namespace

// --- Construction and copying ---

TAffineVector MakeAffineVec(Single x, Single y, Single z) { return {x, y, z}; }

void AssignAffineVec(TAffineVector& v, Single x, Single y, Single z) { v = {x, y, z}; }

void AssignAffineVecXYZ(TAffineVector& v, Single x, Single y, Single z) { v = {x, y, z}; }

TVector4f MakeVector4(Single x, Single y, Single z, Single w) { return {x, y, z, w}; }

TVector4f MakePointVector(Single x, Single y, Single z) { return {x, y, z, 1.0f}; }

TAffineVector AffineFromVector4(const TVector4f& a) { return {a.X, a.Y, a.Z}; }

TAffineVector& AffineFromVector4(const TVector4f& a, TAffineVector& dest) {
    dest = {a.X, a.Y, a.Z};
    return dest;
}

TVector4f AssignVector4FromAffine(const TAffineVector& a, Single w) { return {a.X, a.Y, a.Z, w}; }

TVector4f PointFromAffine(const TAffineVector& a) { return {a.X, a.Y, a.Z, 1.0f}; }

TVector4f DirectionFromAffine(const TAffineVector& a) { return {a.X, a.Y, a.Z, 0.0f}; }

TVector4f AsPoint(TVector4f v) {
    v.W = 1;
    return v;
}

TVector4f AsDirection(TVector4f v) {
    v.W = 0;
    return v;
}

TVector4f& CopyVector4(const TVector4f& a, TVector4f& dest) {
    dest = a;
    return dest;
}

void AssignXYZOnly(TVector4f& v, Single x, Single y, Single z) {
    v.X = x;
    v.Y = y;
    v.Z = z;
}

void ZeroVector4(TVector4f& v) { v = {0, 0, 0, 0}; }

// --- Sums and differences ---

TAffineVector AddAffine(const TAffineVector& a, const TAffineVector& b) {
    return {Single(Ext(a.X) + b.X), Single(Ext(a.Y) + b.Y), Single(Ext(a.Z) + b.Z)};
}

TVector4f AddVectors4(const TVector4f& a, const TVector4f& b) {
    return {Single(Ext(a.X) + b.X), Single(Ext(a.Y) + b.Y), Single(Ext(a.Z) + b.Z), Single(Ext(a.W) + b.W)};
}

void AddToAffine(TAffineVector& v, const TAffineVector& w) { v = AddAffine(v, w); }

void AddToAffine(TAffineVector& v, const TVector4f& w) { v = AddAffine(v, AffineFromVector4(w)); }

void AddToVector4(TVector4f& v, const TVector4f& w) { v = AddVectors4(v, w); }

TVector4f& AddAffineToPoint(TVector4f& v, const TAffineVector& w) {
    v = {Single(Ext(v.X) + w.X), Single(Ext(v.Y) + w.Y), Single(Ext(v.Z) + w.Z), 1.0f};
    return v;
}

void TranslateAffineArray(const TAffineVector* src, const TAffineVector& delta, int n, TAffineVector* dst) {
    for (int i = 0; i < n; ++i) dst[i] = AddAffine(src[i], delta);
}

TAffineVector SubtractAffine(const TAffineVector& a, const TAffineVector& b) {
    return {Single(Ext(a.X) - b.X), Single(Ext(a.Y) - b.Y), Single(Ext(a.Z) - b.Z)};
}

TVector4f SubtractToDirection(const TVector4f& a, const TVector4f& b) {
    return {Single(Ext(a.X) - b.X), Single(Ext(a.Y) - b.Y), Single(Ext(a.Z) - b.Z), 0.0f};
}

TVector4f SubtractKeepW(const TVector4f& a, const TVector4f& b) {
    return {Single(Ext(a.X) - b.X), Single(Ext(a.Y) - b.Y), Single(Ext(a.Z) - b.Z), a.W};
}

TVector4f SubtractVectors4(const TVector4f& a, const TVector4f& b) {
    return {Single(Ext(a.X) - b.X), Single(Ext(a.Y) - b.Y), Single(Ext(a.Z) - b.Z), Single(Ext(a.W) - b.W)};
}

void SubtractVectors4(const TVector4f& a, const TVector4f& b, TVector4f& r) { r = SubtractVectors4(a, b); }

void SubtractFromAffine(TAffineVector& v, const TAffineVector& w) { v = SubtractAffine(v, w); }

void SubtractFromVector4(TVector4f& v, const TVector4f& w) { v = SubtractVectors4(v, w); }

void AccumulateScaledAffine(TAffineVector& v, const TAffineVector& w, const Single& f) { v = AddScaledAffine(v, w, f); }

TAffineVector CombineAffine(const TAffineVector& a, const TAffineVector& b, Single f1, Single f2) {
    return {Single(Ext(f1) * a.X + Ext(f2) * b.X), Single(Ext(f1) * a.Y + Ext(f2) * b.Y),
            Single(Ext(f1) * a.Z + Ext(f2) * b.Z)};
}

TAffineVector AddScaledAffine(const TAffineVector& a, const TAffineVector& b, Single f) {
    return {Single(a.X + Ext(f) * b.X), Single(a.Y + Ext(f) * b.Y), Single(a.Z + Ext(f) * b.Z)};
}

TVector4f CombineVector4(const TVector4f& a, const TVector4f& b, Single f) {
    return {Single(a.X + Ext(f) * b.X), Single(a.Y + Ext(f) * b.Y), Single(a.Z + Ext(f) * b.Z),
            Single(a.W + Ext(f) * b.W)};
}

// --- Products, lengths and distances ---

Extended DotAffine(const TAffineVector& a, const TAffineVector& b) { return Dot3(a, b); }

Extended DotVector4xyz(const TVector4f& a, const TVector4f& b) { return Dot3(a, b); }

Extended DotProduct4(const TVector4f& a, const TVector4f& b) { return Dot3(a, b) + Ext(a.W) * b.W; }

Extended ProjectOntoDirection(const TAffineVector& p, const TAffineVector& origin, const TAffineVector& direction) {
    return (Ext(p.X) - origin.X) * direction.X + (Ext(p.Y) - origin.Y) * direction.Y +
           (Ext(p.Z) - origin.Z) * direction.Z;
}

Extended ProjectOntoDirection(const TVector4f& p, const TVector4f& origin, const TVector4f& direction) {
    return ProjectOntoDirection(AffineFromVector4(p), AffineFromVector4(origin), AffineFromVector4(direction));
}

TAffineVector CrossAffine(const TAffineVector& a, const TAffineVector& b) {
    return {Single(Ext(a.Y) * b.Z - Ext(a.Z) * b.Y), Single(Ext(a.Z) * b.X - Ext(a.X) * b.Z),
            Single(Ext(a.X) * b.Y - Ext(a.Y) * b.X)};
}

void CrossAffine(const TVector4f& a, const TVector4f& b, TVector4f& r) {
    TAffineVector c = CrossAffine(AffineFromVector4(a), AffineFromVector4(b));
    AssignXYZOnly(r, c.X, c.Y, c.Z);
}

TVector4f CrossVector4(const TVector4f& a, const TVector4f& b) {
    return DirectionFromAffine(CrossAffine(AffineFromVector4(a), AffineFromVector4(b)));
}

Extended Length2D(Single x, Single y) { return std::sqrt(Ext(x) * x + Ext(y) * y); }

Single SquaredLength2D(Single x, Single y) { return Single(Ext(x) * x + Ext(y) * y); }

Extended LengthAffine(const TAffineVector& v) { return std::sqrt(Dot3(v, v)); }

Extended LengthVector4xyz(const TVector4f& v) { return std::sqrt(Dot3(v, v)); }

Extended SquaredLengthVector4xyz(const TVector4f& v) { return Dot3(v, v); }

Extended SquaredLengthVector4xyz(const TAffineVector& v) { return Dot3(v, v); }

Extended AngleCosine(const TAffineVector& a, const TAffineVector& b) { return AngleCos3(a, b); }

Extended AngleCosine(const TVector4f& a, const TVector4f& b) { return AngleCos3(a, b); }

Extended DistanceAffine(const TAffineVector& a, const TAffineVector& b) { return std::sqrt(DistSquared3(a, b)); }

Extended DistanceAffine(const TVector4f& a, const TAffineVector& b) { return std::sqrt(DistSquared3(a, b)); }

Extended DistanceAffine(const TVector4f& a, const TVector4f& b) { return std::sqrt(DistSquared3(a, b)); }

Extended DistanceSquaredAffine(const TAffineVector& a, const TAffineVector& b) { return DistSquared3(a, b); }

Extended DistanceSquaredAffine(const TVector4f& a, const TVector4f& b) { return DistSquared3(a, b); }

Extended ManhattanDistance(const TAffineVector& a, const TAffineVector& b) { return Manhattan3(a, b); }

Extended ManhattanDistance(const TVector4f& a, const TVector4f& b) { return Manhattan3(a, b); }

// --- Normalization, negation, scaling ---

void NormalizeAffineInPlace(TAffineVector& v) { Normalize3(v); }

TAffineVector NormalizedAffine(const TAffineVector& v) {
    TAffineVector r = v;
    Normalize3(r);
    return r;
}

void NormalizeAffineArray(TAffineVector* items, int n) {
    for (int i = 0; i < n; ++i) Normalize3(items[i]);
}

void NormalizeVector4InPlace(TVector4f& v) {
    Normalize3(v);
    v.W = 0.0f;
}

TVector4f NormalizedVector4(const TVector4f& v) {
    TVector4f r = v;
    NormalizeVector4InPlace(r);
    return r;
}

TAffineVector NegatedAffine(const TAffineVector& v) { return {-v.X, -v.Y, -v.Z}; }

void NegateAffineInPlace(TAffineVector& v) { v = NegatedAffine(v); }

void NegateAffineInPlace(TVector4f& v) { AssignXYZOnly(v, -v.X, -v.Y, -v.Z); }

TVector4f NegatedVector4(const TVector4f& v) { return {-v.X, -v.Y, -v.Z, -v.W}; }

void NegateVector4InPlace(TVector4f& v) { v = NegatedVector4(v); }

TAffineVector ScaledAffine(const TAffineVector& v, Single f) {
    return {Single(Ext(v.X) * f), Single(Ext(v.Y) * f), Single(Ext(v.Z) * f)};
}

void ScaleAffineInPlace(TAffineVector& v, Single f) { v = ScaledAffine(v, f); }

TVector4f ScaledVector4(const TVector4f& v, Single f) {
    return {Single(Ext(v.X) * f), Single(Ext(v.Y) * f), Single(Ext(v.Z) * f), Single(Ext(v.W) * f)};
}

void ScaleVector4InPlace(TVector4f& v, Single f) { v = ScaledVector4(v, f); }

void MultiplyAffineComponents(TAffineVector& v, const TAffineVector& w) {
    v = {Single(Ext(v.X) * w.X), Single(Ext(v.Y) * w.Y), Single(Ext(v.Z) * w.Z)};
}

void MultiplyVector4Components(TVector4f& v, const TVector4f& w) {
    v = {Single(Ext(v.X) * w.X), Single(Ext(v.Y) * w.Y), Single(Ext(v.Z) * w.Z), Single(Ext(v.W) * w.W)};
}

TVector4f AbsVector4(const TVector4f& v) { return {std::fabs(v.X), std::fabs(v.Y), std::fabs(v.Z), std::fabs(v.W)}; }

void MaxVector4Components(TVector4f& v, const TVector4f& w) {
    for (int i = 0; i < 4; ++i)
        if (w[i] > v[i]) v[i] = w[i];
}

// --- Comparisons ---

bool SameVector4(const TVector4f& a, const TVector4f& b) { return std::memcmp(&a, &b, sizeof(TVector4f)) == 0; }

bool SameAffine(const TAffineVector& a, const TAffineVector& b) {
    return std::memcmp(&a, &b, sizeof(TAffineVector)) == 0;
}

bool SameAffine(const TAffineVector& a, const TVector4f& b) { return std::memcmp(&a, &b, sizeof(TAffineVector)) == 0; }

bool IsNullAffine(const TAffineVector& v) { return v.X == 0.0f && v.Y == 0.0f && v.Z == 0.0f; }

bool IsNullAffine(const TVector4f& v) { return v.X == 0.0f && v.Y == 0.0f && v.Z == 0.0f; }

// --- Interpolation ---

TAffineVector LerpAffine(const TAffineVector& a, const TAffineVector& b, Single t) {
    return {Single(a.X + t * (Ext(b.X) - a.X)), Single(a.Y + t * (Ext(b.Y) - a.Y)), Single(a.Z + t * (Ext(b.Z) - a.Z))};
}

TVector4f LerpVector4(const TVector4f& a, const TVector4f& b, Single t) {
    return {Single(a.X + t * (Ext(b.X) - a.X)), Single(a.Y + t * (Ext(b.Y) - a.Y)), Single(a.Z + t * (Ext(b.Z) - a.Z)),
            Single(a.W + t * (Ext(b.W) - a.W))};
}

void LerpAffineArray(const TAffineVector* a, const TAffineVector* b, int n, TAffineVector* r, Single t) {
    for (int i = 0; i < n; ++i) r[i] = LerpAffine(a[i], b[i], t);
}

void LerpVector4Array(const TVector4f* a, const TVector4f* b, int n, TVector4f* r, Single t) {
    for (int i = 0; i < n; ++i) r[i] = LerpVector4(a[i], b[i], t);
}

TAffineVector AngleLerpRadians(const TAffineVector& a, const TAffineVector& b, Single t) {
    if (SameAffine(a, b)) return a;
    auto toQuaternion = [](const TAffineVector& angles) {
        return EulerQuaternion(Single(RadiansToDegrees(angles.X)), Single(RadiansToDegrees(angles.Y)),
                               Single(RadiansToDegrees(angles.Z)), eulZYX);
    };
    TQuaternion q = SlerpQuaternions(toQuaternion(a), toQuaternion(b), t);
    TMatrixDecomposition parts{};
    DecomposeMatrix(QuaternionToMatrix4(q), parts);
    return {parts.RotationX, parts.RotationY, parts.RotationZ};
}

// --- Planes, rays and spheres ---

TAffineVector TriangleNormal(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3) {
    TAffineVector n = CrossAffine(SubtractAffine(p2, p1), SubtractAffine(p3, p1));
    Normalize3(n);
    return n;
}

void NormalizePlaneInPlace(TVector4f& plane) {
    Ext f = ReciprocalSqrt(Dot3(plane, plane));
    for (int i = 0; i < 4; ++i) plane[i] = Single(plane[i] * f);
}

Extended PlaneValueAt(const TVector4f& plane, const TAffineVector& point) { return Dot3(plane, point) + plane.W; }

Extended PlaneValueAt(const TVector4f& plane, const TVector4f& point) { return Dot3(plane, point) + plane.W; }

TAffineVector RemoveNormalComponent(const TAffineVector& v, const TAffineVector& n) {
    Ext d = Dot3(v, n);
    return {Single(v.X - d * n.X), Single(v.Y - d * n.Y), Single(v.Z - d * n.Z)};
}

void RotateAroundAxisInPlace(TVector4f& v, const TAffineVector& axis, Single angle) {
    v = TransformVector4(v, AxisAngleMatrixAffine(axis, angle));
}

int RaySphereHits(const TVector4f& start, const TVector4f& direction, const TVector4f& centre, Single radius,
                  TVector4f& hit1, TVector4f& hit2) {
    Ext proj = ProjectOntoDirection(centre, start, direction);
    TVector4f closest = PointAlongRay(start, direction, proj);
    Single d2 = Single(Ext(radius) * radius - DistSquared3(centre, closest));
    if (std::signbit(d2)) return 0;
    if (d2 == 0.0f) {
        if (proj <= 0) return 0;
        hit1 = closest;
        return 1;
    }
    Ext d = std::sqrt(Ext(d2));
    if (proj >= d) {
        hit1 = PointAlongRay(start, direction, proj - d);
        hit2 = PointAlongRay(start, direction, proj + d);
        return 2;
    }
    if (proj + d < 0) return 0;
    hit1 = PointAlongRay(start, direction, proj + d);
    return 1;
}

bool RayTriangleHit(const TVector4f& start, const TVector4f& direction, const TAffineVector& p1,
                    const TAffineVector& p2, const TAffineVector& p3, TVector4f* point, TVector4f* normal) {
    TVector4f e1 = DirectionFromAffine(SubtractAffine(p2, p1));
    TVector4f e2 = DirectionFromAffine(SubtractAffine(p3, p1));
    TVector4f pvec = CrossVector4(direction, e2);
    Ext det = Dot3(e1, pvec);
    if (det > -NearZeroEpsilon && det < NearZeroEpsilon) return false;
    Ext inv = 1.0L / det;
    TVector4f s = SubtractToDirection(start, PointFromAffine(p1));
    Ext u = Dot3(s, pvec) * inv;
    if (u < 0 || u > 1) return false;
    TVector4f q = CrossVector4(s, e1);
    Ext v = DotProduct4(direction, q) * inv;
    if (v < 0 || u + v > 1) return false;
    Ext t = Dot3(e2, q) * inv;
    if (t <= 0) return false;
    if (point) *point = PointAlongRay(start, direction, t);
    if (normal) *normal = CrossVector4(e1, e2);
    return true;
}

Single SphereSilhouetteRadius(Single d, Single r) {
    Single d2 = Single(Ext(d) * d);
    Single r2 = Single(Ext(r) * r);
    Single ir = Single(std::sqrt(Ext(d2) - r2));
    Single tr = Single((Ext(d2) + r2 - Ext(ir) * ir) / (2.0L * ir));
    return Single(std::sqrt(Ext(r2) + Ext(tr) * tr));
}

#pragma once
// Routines on vectors, planes, rays and spheres.
//
// Sections: construction; sums and differences; products, lengths and distances;
// normalization, negation and scaling; comparisons; interpolation; planes, rays and spheres.
//
// Scalars come back in extended precision unless a routine says otherwise. Nothing checks its
// input: a zero vector normalizes to not-a-number components (the FPU masks every exception).

#include "VectorTypes.h"

// --- Construction and copying ---
TAffineVector MakeAffineVec(Single x, Single y, Single z);
void AssignAffineVec(TAffineVector& v, Single x, Single y, Single z);
void AssignAffineVecXYZ(TAffineVector& v, Single x, Single y, Single z);
TVector4f MakeVector4(Single x, Single y, Single z, Single w);
TVector4f MakePointVector(Single x, Single y, Single z);
TAffineVector AffineFromVector4(const TVector4f& a);
TAffineVector& AffineFromVector4(const TVector4f& a, TAffineVector& dest);
TVector4f AssignVector4FromAffine(const TAffineVector& a, Single w);
TVector4f PointFromAffine(const TAffineVector& a);
TVector4f DirectionFromAffine(const TAffineVector& a);
// v as a point (W := 1) or as a direction (W := 0).
TVector4f AsPoint(TVector4f v);
TVector4f AsDirection(TVector4f v);
TVector4f& CopyVector4(const TVector4f& a, TVector4f& dest);
void AssignXYZOnly(TVector4f& v, Single x, Single y, Single z);  // W untouched
void ZeroVector4(TVector4f& v);

// --- Sums and differences, component by component ---
TAffineVector AddAffine(const TAffineVector& a, const TAffineVector& b);
TVector4f AddVectors4(const TVector4f& a, const TVector4f& b);
void AddToAffine(TAffineVector& v, const TAffineVector& w);
void AddToAffine(TAffineVector& v, const TVector4f& w);  // w's W is not read
void AddToVector4(TVector4f& v, const TVector4f& w);
// v.XYZ += w, v.W := 1.
TVector4f& AddAffineToPoint(TVector4f& v, const TAffineVector& w);
// dst[i] := src[i] + delta for i < n; dst may be src.
void TranslateAffineArray(const TAffineVector* src, const TAffineVector& delta, int n, TAffineVector* dst);
TAffineVector SubtractAffine(const TAffineVector& a, const TAffineVector& b);
TVector4f SubtractToDirection(const TVector4f& a, const TVector4f& b);  // W := 0
TVector4f SubtractKeepW(const TVector4f& a, const TVector4f& b);        // W := a.W
TVector4f SubtractVectors4(const TVector4f& a, const TVector4f& b);
void SubtractVectors4(const TVector4f& a, const TVector4f& b, TVector4f& r);
void SubtractFromAffine(TAffineVector& v, const TAffineVector& w);
void SubtractFromVector4(TVector4f& v, const TVector4f& w);
void AccumulateScaledAffine(TAffineVector& v, const TAffineVector& w, const Single& f);  // v += f * w
TAffineVector CombineAffine(const TAffineVector& a, const TAffineVector& b, Single f1, Single f2);
TAffineVector AddScaledAffine(const TAffineVector& a, const TAffineVector& b, Single f);  // a + f * b
TVector4f CombineVector4(const TVector4f& a, const TVector4f& b, Single f);               // a + f * b

// --- Products, lengths and distances ---
Extended DotAffine(const TAffineVector& a, const TAffineVector& b);
Extended DotVector4xyz(const TVector4f& a, const TVector4f& b);  // W ignored
Extended DotProduct4(const TVector4f& a, const TVector4f& b);
// (p - origin) . direction over X, Y, Z.
Extended ProjectOntoDirection(const TAffineVector& p, const TAffineVector& origin, const TAffineVector& direction);
Extended ProjectOntoDirection(const TVector4f& p, const TVector4f& origin, const TVector4f& direction);
TAffineVector CrossAffine(const TAffineVector& a, const TAffineVector& b);
void CrossAffine(const TVector4f& a, const TVector4f& b, TVector4f& r);  // writes X, Y, Z only
TVector4f CrossVector4(const TVector4f& a, const TVector4f& b);          // W := 0
Extended Length2D(Single x, Single y);
Single SquaredLength2D(Single x, Single y);
Extended LengthAffine(const TAffineVector& v);
Extended LengthVector4xyz(const TVector4f& v);
Extended SquaredLengthVector4xyz(const TVector4f& v);
Extended SquaredLengthVector4xyz(const TAffineVector& v);
// Cosine of the angle between a and b; not-a-number when either is zero.
Extended AngleCosine(const TAffineVector& a, const TAffineVector& b);
Extended AngleCosine(const TVector4f& a, const TVector4f& b);
Extended DistanceAffine(const TAffineVector& a, const TAffineVector& b);
Extended DistanceAffine(const TVector4f& a, const TAffineVector& b);
Extended DistanceAffine(const TVector4f& a, const TVector4f& b);
Extended DistanceSquaredAffine(const TAffineVector& a, const TAffineVector& b);
Extended DistanceSquaredAffine(const TVector4f& a, const TVector4f& b);
Extended ManhattanDistance(const TAffineVector& a, const TAffineVector& b);
Extended ManhattanDistance(const TVector4f& a, const TVector4f& b);

// --- Normalization, negation, scaling ---
void NormalizeAffineInPlace(TAffineVector& v);
TAffineVector NormalizedAffine(const TAffineVector& v);
void NormalizeAffineArray(TAffineVector* items, int n);
void NormalizeVector4InPlace(TVector4f& v);  // X, Y, Z scaled, W := 0
TVector4f NormalizedVector4(const TVector4f& v);
TAffineVector NegatedAffine(const TAffineVector& v);
void NegateAffineInPlace(TAffineVector& v);
void NegateAffineInPlace(TVector4f& v);  // W untouched
TVector4f NegatedVector4(const TVector4f& v);
void NegateVector4InPlace(TVector4f& v);
TAffineVector ScaledAffine(const TAffineVector& v, Single f);
void ScaleAffineInPlace(TAffineVector& v, Single f);
TVector4f ScaledVector4(const TVector4f& v, Single f);
void ScaleVector4InPlace(TVector4f& v, Single f);
void MultiplyAffineComponents(TAffineVector& v, const TAffineVector& w);
void MultiplyVector4Components(TVector4f& v, const TVector4f& w);
TVector4f AbsVector4(const TVector4f& v);
void MaxVector4Components(TVector4f& v, const TVector4f& w);  // v[i] := w[i] where larger

// --- Comparisons ---
// Bit-identical components: +0 and -0 differ.
bool SameVector4(const TVector4f& a, const TVector4f& b);
bool SameAffine(const TAffineVector& a, const TAffineVector& b);
bool SameAffine(const TAffineVector& a, const TVector4f& b);
// X, Y and Z compare equal to 0 as reals, so -0 counts as zero.
bool IsNullAffine(const TAffineVector& v);
bool IsNullAffine(const TVector4f& v);  // W ignored

// --- Interpolation: a + t * (b - a) ---
TAffineVector LerpAffine(const TAffineVector& a, const TAffineVector& b, Single t);
TVector4f LerpVector4(const TVector4f& a, const TVector4f& b, Single t);
void LerpAffineArray(const TAffineVector* a, const TAffineVector* b, int n, TAffineVector* r, Single t);
void LerpVector4Array(const TVector4f* a, const TVector4f* b, int n, TVector4f* r, Single t);
// Interpolates two Euler angle triples (radians) along the shorter rotation between them.
TAffineVector AngleLerpRadians(const TAffineVector& a, const TAffineVector& b, Single t);

// --- Planes, rays and spheres ---
// Unit normal of the triangle, counter-clockwise front.
TAffineVector TriangleNormal(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3);
void NormalizePlaneInPlace(TVector4f& plane);
// A*x + B*y + C*z + D: a signed distance for a normalized plane.
Extended PlaneValueAt(const TVector4f& plane, const TAffineVector& point);
Extended PlaneValueAt(const TVector4f& plane, const TVector4f& point);
TAffineVector RemoveNormalComponent(const TAffineVector& v, const TAffineVector& n);  // n of unit length
// Turns v by the axis-angle matrix (which turns by minus the angle), all four components.
void RotateAroundAxisInPlace(TVector4f& v, const TAffineVector& axis, Single angle);
// Hits of a ray (unit direction) with a sphere, nearest first: 0, 1 or 2. A start inside the
// sphere gives the one exit point; a tangent counts only when the sphere lies ahead.
int RaySphereHits(const TVector4f& start, const TVector4f& direction, const TVector4f& centre, Single radius,
                  TVector4f& hit1, TVector4f& hit2);
// True when the ray hits the triangle strictly ahead of its start. The normal, when asked
// for, is (p2 - p1) x (p3 - p1), not normalized.
bool RayTriangleHit(const TVector4f& start, const TVector4f& direction, const TAffineVector& p1,
                    const TAffineVector& p2, const TAffineVector& p3, TVector4f* point = nullptr,
                    TVector4f* normal = nullptr);
// Radius of the silhouette of a sphere of radius r seen from distance d.
Single SphereSilhouetteRadius(Single d, Single r);

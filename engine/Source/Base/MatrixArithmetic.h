#pragma once
// 4x4 matrices and the view frustum.
//
// Sections: builders; products and transforms; determinants and inverses; decomposition;
// frustum.
//
// Row-vector convention: v' = v * M, and A * B applies A first, then B. Nothing raises: a
// singular matrix inverts to the identity, a zero axis gives not-a-number elements.

#include "VectorTypes.h"

// --- Builders ---
TMatrix4x4 ScaleTranslateMatrix(const TAffineVector& scale, const TAffineVector& offset);
// From the sine and cosine of an angle: these turn vectors by plus the angle (right-handed).
TMatrix4x4 RotationMatrixX(Single s, Single c);
TMatrix4x4 RotationMatrixY(Single s, Single c);
TMatrix4x4 RotationMatrixZ(Single s, Single c);
// Rotation about a normalized copy of the axis. Under the row-vector convention it turns by
// MINUS the angle, the opposite sense to the sine/cosine builders; callers rely on this.
TMatrix4x4 AxisAngleMatrixAffine(const TAffineVector& axis, Single angle);
TMatrix4x4 AxisAngleMatrix(const TVector4f& axis, Single angle);  // W ignored

// --- Products and transforms ---
TMatrix4x4 MultiplyMatrices(const TMatrix4x4& a, const TMatrix4x4& b);
// The same product; r may be a or b.
void MultiplyMatricesSafe(const TMatrix4x4& a, const TMatrix4x4& b, TMatrix4x4& r);
TVector4f TransformVector4(const TVector4f& v, const TMatrix4x4& m);
// The point (v, 1) times M, without W: applies the translation row.
TAffineVector TransformAffinePoint(const TAffineVector& v, const TMatrix4x4& m);

// --- Determinants and inverses ---
Single Determinant3(Single a1, Single a2, Single a3, Single b1, Single b2, Single b3, Single c1, Single c2, Single c3);
Single MatrixDeterminant(const TMatrix4x4& m);
void AdjugateInPlace(TMatrix4x4& m);
void ScaleMatrixInPlace(TMatrix4x4& m, Extended f);
void TransposeMatrixInPlace(TMatrix4x4& m);
// Becomes the identity when the determinant is below SingularEpsilon.
void InvertMatrixInPlace(TMatrix4x4& m);
// out[j][i] := f * m[i][j] over the upper 3x3; the rest of out is left alone.
void ScaledTransposed3x3(const TMatrix4x4& m, TMatrix4x4& out, Extended f);
// Inverse of a rotation with uniform scale followed by a translation; identity when singular.
void InvertUniformScaleMatrix(const TMatrix4x4& m, TMatrix4x4& out);
void OrthonormalizeMatrix(TMatrix4x4& m);

// --- Decomposition ---
// False when the matrix is singular or its m[3][3] is 0.
bool DecomposeMatrix(const TMatrix4x4& m, TMatrixDecomposition& out);
void MatrixToDoubles(const TMatrix4x4& m, TMatrix4x4d& out);

// --- Frustum ---
// Planes of the combined view-projection matrix, each normalized, positive inside.
void FrustumFromMatrix(const TMatrix4x4& m, TFrustumPlanes& out);
// True when the sphere lies wholly outside one of the planes; touching counts as inside.
bool SphereOutsideFrustum(const TAffineVector& centre, Single radius, const TFrustumPlanes& frustum);
bool SphereOutsideFrustum(const TVector4f& centre, Single radius, const TFrustumPlanes& frustum);
// Tests the box's bounding sphere.
bool BoxOutsideFrustum(const TAffineVector& boxMin, const TAffineVector& boxMax, const TFrustumPlanes& frustum);

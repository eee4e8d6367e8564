#include "MatrixArithmetic.h"

#include <cmath>

#include "QuaternionArithmetic.h"
#include "ScalarArithmetic.h"
#include "VectorArithmetic.h"

namespace {

using Ext = Extended;

// Determinant of M without row `row` and column `col`.
Single Minor3(const TMatrix4x4& m, int row, int col) {
    Single e[9];
    int k = 0;
    for (int i = 0; i < 4; ++i) {
        if (i == row) continue;
        for (int j = 0; j < 4; ++j)
            if (j != col) e[k++] = m[i][j];
    }
    return Determinant3(e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8]);
}

TAffineVector RowXYZ(const TMatrix4x4& m, int i) { return {m[i].X, m[i].Y, m[i].Z}; }

}  // namespace

// --- Builders ---

TMatrix4x4 ScaleTranslateMatrix(const TAffineVector& scale, const TAffineVector& offset) {
    TMatrix4x4 r = IdentityMatrix;
    r[0][0] = scale.X;
    r[1][1] = scale.Y;
    r[2][2] = scale.Z;
    r[3] = {offset.X, offset.Y, offset.Z, 1.0f};
    return r;
}

TMatrix4x4 RotationMatrixX(Single s, Single c) { return {{{1, 0, 0, 0}, {0, c, s, 0}, {0, -s, c, 0}, {0, 0, 0, 1}}}; }

TMatrix4x4 RotationMatrixY(Single s, Single c) { return {{{c, 0, -s, 0}, {0, 1, 0, 0}, {s, 0, c, 0}, {0, 0, 0, 1}}}; }

TMatrix4x4 RotationMatrixZ(Single s, Single c) { return {{{c, s, 0, 0}, {-s, c, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}; }

TMatrix4x4 AxisAngleMatrixAffine(const TAffineVector& axis, Single angle) {
    TAffineVector a = NormalizedAffine(axis);
    Ext x = a.X, y = a.Y, z = a.Z;
    Ext c = std::cos(Ext(angle)), s = std::sin(Ext(angle)), t = 1 - c;
    return {{{Single(t * x * x + c), Single(t * x * y - z * s), Single(t * x * z + y * s), 0},
             {Single(t * x * y + z * s), Single(t * y * y + c), Single(t * y * z - x * s), 0},
             {Single(t * x * z - y * s), Single(t * y * z + x * s), Single(t * z * z + c), 0},
             {0, 0, 0, 1}}};
}

TMatrix4x4 AxisAngleMatrix(const TVector4f& axis, Single angle) {
    return AxisAngleMatrixAffine(AffineFromVector4(axis), angle);
}

// --- Products and transforms ---

TMatrix4x4 MultiplyMatrices(const TMatrix4x4& a, const TMatrix4x4& b) {
    TMatrix4x4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r[i][j] = Single(Ext(a[i][0]) * b[0][j] + Ext(a[i][1]) * b[1][j] + Ext(a[i][2]) * b[2][j] +
                             Ext(a[i][3]) * b[3][j]);
    return r;
}

void MultiplyMatricesSafe(const TMatrix4x4& a, const TMatrix4x4& b, TMatrix4x4& r) { r = MultiplyMatrices(a, b); }

TVector4f TransformVector4(const TVector4f& v, const TMatrix4x4& m) {
    TVector4f r;
    for (int j = 0; j < 4; ++j)
        r[j] = Single(Ext(v.X) * m[0][j] + Ext(v.Y) * m[1][j] + Ext(v.Z) * m[2][j] + Ext(v.W) * m[3][j]);
    return r;
}

TAffineVector TransformAffinePoint(const TAffineVector& v, const TMatrix4x4& m) {
    TAffineVector r;
    for (int j = 0; j < 3; ++j) r[j] = Single(Ext(v.X) * m[0][j] + Ext(v.Y) * m[1][j] + Ext(v.Z) * m[2][j] + m[3][j]);
    return r;
}

// --- Determinants and inverses ---

Single Determinant3(Single a1, Single a2, Single a3, Single b1, Single b2, Single b3, Single c1, Single c2, Single c3) {
    return Single(a1 * (Ext(b2) * c3 - Ext(b3) * c2) - b1 * (Ext(a2) * c3 - Ext(a3) * c2) +
                  c1 * (Ext(a2) * b3 - Ext(a3) * b2));
}

Single MatrixDeterminant(const TMatrix4x4& m) {
    return Single(Ext(m[0][0]) * Minor3(m, 0, 0) - Ext(m[0][1]) * Minor3(m, 0, 1) + Ext(m[0][2]) * Minor3(m, 0, 2) -
                  Ext(m[0][3]) * Minor3(m, 0, 3));
}

void AdjugateInPlace(TMatrix4x4& m) {
    TMatrix4x4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            Single minor = Minor3(m, j, i);
            r[i][j] = ((i + j) % 2 == 0) ? minor : -minor;
        }
    m = r;
}

void ScaleMatrixInPlace(TMatrix4x4& m, Extended f) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) m[i][j] = Single(m[i][j] * f);
}

void TransposeMatrixInPlace(TMatrix4x4& m) {
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) std::swap(m[i][j], m[j][i]);
}

void InvertMatrixInPlace(TMatrix4x4& m) {
    Single det = MatrixDeterminant(m);
    if (std::fabs(det) >= SingularEpsilon) {
        AdjugateInPlace(m);
        ScaleMatrixInPlace(m, 1.0L / det);
    } else {
        m = IdentityMatrix;
    }
}

void ScaledTransposed3x3(const TMatrix4x4& m, TMatrix4x4& out, Extended f) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) out[j][i] = Single(f * m[i][j]);
}

void InvertUniformScaleMatrix(const TMatrix4x4& m, TMatrix4x4& out) {
    Single s2 = Single(SquaredLengthVector4xyz(m[0]));
    if (std::fabs(s2) < SingularEpsilon) {
        out = IdentityMatrix;
        return;
    }
    out[0][3] = out[1][3] = out[2][3] = 0;
    out[3][3] = 1;
    ScaledTransposed3x3(m, out, 1.0L / s2);
    for (int j = 0; j < 3; ++j)
        out[3][j] = Single(-(Ext(m[3][0]) * out[0][j] + Ext(m[3][1]) * out[1][j] + Ext(m[3][2]) * out[2][j]));
}

void OrthonormalizeMatrix(TMatrix4x4& m) {
    m[0].W = 0;
    NormalizeVector4InPlace(m[0]);
    m[1].W = 0;
    NormalizeVector4InPlace(m[1]);
    m[2] = CrossVector4(m[0], m[1]);
    m[0] = CrossVector4(m[1], m[2]);
    m[3] = {0, 0, 0, 1};
}

// --- Decomposition ---

bool DecomposeMatrix(const TMatrix4x4& m, TMatrixDecomposition& out) {
    TMatrix4x4 l = m;
    if (l[3][3] == 0) return false;
    const Ext w = l[3][3];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) l[i][j] = Single(l[i][j] / w);

    TMatrix4x4 p = l;
    p[0][3] = p[1][3] = p[2][3] = 0;
    p[3][3] = 1;
    if (MatrixDeterminant(p) == 0) return false;

    if (l[0][3] != 0 || l[1][3] != 0 || l[2][3] != 0) {
        TVector4f right{l[0][3], l[1][3], l[2][3], l[3][3]};
        InvertMatrixInPlace(p);
        TransposeMatrixInPlace(p);
        TVector4f persp = TransformVector4(right, p);
        out.PerspectiveX = persp.X;
        out.PerspectiveY = persp.Y;
        out.PerspectiveZ = persp.Z;
        out.PerspectiveW = persp.W;
        l[0][3] = l[1][3] = l[2][3] = 0;
        l[3][3] = 1;
    } else {
        out.PerspectiveX = out.PerspectiveY = out.PerspectiveZ = out.PerspectiveW = 0;
    }

    out.TranslationX = l[3][0];
    out.TranslationY = l[3][1];
    out.TranslationZ = l[3][2];
    l[3][0] = l[3][1] = l[3][2] = 0;

    TAffineVector r0 = RowXYZ(l, 0), r1 = RowXYZ(l, 1), r2 = RowXYZ(l, 2);
    out.ScaleX = Single(DotAffine(r0, r0));
    r0 = ScaledAffine(r0, Single(ReciprocalSqrt(out.ScaleX)));
    out.ShearXY = Single(DotAffine(r0, r1));
    r1 = CombineAffine(r1, r0, 1, -out.ShearXY);
    out.ScaleY = Single(DotAffine(r1, r1));
    r1 = ScaledAffine(r1, Single(ReciprocalSqrt(out.ScaleY)));
    out.ShearXY = Single(Ext(out.ShearXY) / out.ScaleY);
    out.ShearXZ = Single(DotAffine(r0, r2));
    r2 = CombineAffine(r2, r0, 1, -out.ShearXZ);
    out.ShearYZ = Single(DotAffine(r1, r2));
    r2 = CombineAffine(r2, r1, 1, -out.ShearYZ);
    out.ScaleZ = Single(DotAffine(r2, r2));
    r2 = ScaledAffine(r2, Single(ReciprocalSqrt(out.ScaleZ)));
    out.ShearXZ = Single(Ext(out.ShearXZ) / out.ScaleZ);
    out.ShearYZ = Single(Ext(out.ShearYZ) / out.ScaleZ);

    // A mirrored basis: flip everything so the rotation stays proper.
    if (DotAffine(r0, CrossAffine(r1, r2)) < 0) {
        out.ScaleX = -out.ScaleX;
        out.ScaleY = -out.ScaleY;
        out.ScaleZ = -out.ScaleZ;
        NegateAffineInPlace(r0);
        NegateAffineInPlace(r1);
        NegateAffineInPlace(r2);
    }

    out.RotationY = Single(ArcSinExtended(-r0.Z));
    if (std::cos(Ext(out.RotationY)) != 0) {
        out.RotationX = Single(ArcTan2Extended(r1.Z, r2.Z));
        out.RotationZ = Single(ArcTan2Extended(r0.Y, r0.X));
    } else {
        out.RotationX = Single(ArcTan2Extended(r1.X, r1.Y));
        out.RotationZ = 0;
    }
    return true;
}

void MatrixToDoubles(const TMatrix4x4& m, TMatrix4x4d& out) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) out.M[i][j] = m[i][j];
}

// --- Frustum ---

void FrustumFromMatrix(const TMatrix4x4& m, TFrustumPlanes& out) {
    auto plane = [&m](int col, Ext sign) {
        TVector4f p;
        for (int i = 0; i < 4; ++i) p[i] = Single(m[i][3] + sign * m[i][col]);
        NormalizePlaneInPlace(p);
        return p;
    };
    out.Left = plane(0, 1);
    out.Top = plane(1, -1);
    out.Right = plane(0, -1);
    out.Bottom = plane(1, 1);
    out.Far = plane(2, -1);
    out.Near = plane(2, 1);
}

bool SphereOutsideFrustum(const TAffineVector& centre, Single radius, const TFrustumPlanes& frustum) {
    for (int i = 0; i < 6; ++i)
        if (PlaneValueAt(frustum[i], centre) < -radius) return true;
    return false;
}

bool SphereOutsideFrustum(const TVector4f& centre, Single radius, const TFrustumPlanes& frustum) {
    return SphereOutsideFrustum(AffineFromVector4(centre), radius, frustum);
}

bool BoxOutsideFrustum(const TAffineVector& boxMin, const TAffineVector& boxMax, const TFrustumPlanes& frustum) {
    TAffineVector centre = ScaledAffine(AddAffine(boxMin, boxMax), 0.5f);
    Single radius = Single(0.5L * DistanceAffine(boxMin, boxMax));
    return SphereOutsideFrustum(centre, radius, frustum);
}

#include "GeometryBB.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "MatrixArithmetic.h"
#include "VectorArithmetic.h"

const TBoxFace BoxFaces[6] = {
    {{0, 1, 2, 3}, 0, true},  {{4, 5, 6, 7}, 0, false}, {{0, 4, 7, 3}, 1, true},
    {{1, 5, 6, 2}, 1, false}, {{0, 1, 5, 4}, 2, true},  {{2, 3, 7, 6}, 2, false},
};

void SetBoxCornersFace(TBoxCorners& corners, int face, Single value) {
    const TBoxFace& f = BoxFaces[face];
    for (Byte c : f.Corners) {
        corners[c][f.Axis] = value;
        corners[c].W = 1;
    }
}

void AABBToBoxCorners(const TAxisAlignedBox& box, TBoxCorners& corners) {
    for (int face = 0; face < 6; ++face) {
        const TBoxFace& f = BoxFaces[face];
        SetBoxCornersFace(corners, face, f.IsMax ? box.Max[f.Axis] : box.Min[f.Axis]);
    }
}

void BoxCornersToAABB(const TBoxCorners& corners, TAxisAlignedBox& box) {
    box.Min = box.Max = AffineFromVector4(corners[0]);
    for (int i = 1; i < 8; ++i) AddPointToAABB(box, AffineFromVector4(corners[i]));
}

bool SameBoundingBox(const TBoxCorners& a, const TBoxCorners& b) {
    return std::memcmp(a.data(), b.data(), sizeof(TBoxCorners)) == 0;
}

void ExtendBoundingBox(TBoxCorners& a, const TBoxCorners& b, TBoxCorners& out) {
    for (const TVector4f& v : b)
        for (int face = 0; face < 6; ++face) {
            const TBoxFace& f = BoxFaces[face];
            for (Byte c : f.Corners) {
                Single value = v[f.Axis], current = a[c][f.Axis];
                if (f.IsMax ? value > current : value < current) SetBoxCornersFace(a, face, value);
            }
        }
    out = a;
}

void TransformBoundingBox(TBoxCorners& corners, const TMatrix4x4& matrix) {
    for (TVector4f& c : corners) c = TransformVector4(c, matrix);
}

void TranslateBoxCorners(TBoxCorners& corners, const TAffineVector& offset) {
    for (TVector4f& c : corners) AddAffineToPoint(c, offset);
}

void MergeIntoAABB(TAxisAlignedBox& a, const TAxisAlignedBox& b) {
    for (int i = 0; i < 3; ++i) {
        if (b.Min[i] < a.Min[i]) a.Min[i] = b.Min[i];
        if (b.Max[i] > a.Max[i]) a.Max[i] = b.Max[i];
    }
}

TAxisAlignedBox AABBFromExtents(const TVector4f& e) {
    TAffineVector m{std::fabs(e.X), std::fabs(e.Y), std::fabs(e.Z)};
    return {NegatedAffine(m), m};
}

void AddPointToAABB(TAxisAlignedBox& box, const TAffineVector& point) {
    for (int i = 0; i < 3; ++i) {
        if (point[i] < box.Min[i])
            box.Min[i] = point[i];
        else if (point[i] > box.Max[i])
            box.Max[i] = point[i];
    }
}

void ScaleAABB(TAxisAlignedBox& box, const TAffineVector& factors) {
    MultiplyAffineComponents(box.Min, factors);
    MultiplyAffineComponents(box.Max, factors);
}

void TransformAABB(TAxisAlignedBox& box, const TMatrix4x4& matrix) {
    const TAxisAlignedBox source = box;
    box.Min = box.Max = TransformAffinePoint(source.Min, matrix);
    for (int k = 1; k < 8; ++k) {
        TAffineVector corner{(k & 1) ? source.Max.X : source.Min.X, (k & 2) ? source.Max.Y : source.Min.Y,
                             (k & 4) ? source.Max.Z : source.Min.Z};
        AddPointToAABB(box, TransformAffinePoint(corner, matrix));
    }
}

bool AABBContainsPoint(const TAffineVector& point, const TAxisAlignedBox& box) {
    for (int i = 0; i < 3; ++i)
        if (point[i] < box.Min[i] || point[i] > box.Max[i]) return false;
    return true;
}

bool RayHitsAABB(const TAffineVector& start, const TAffineVector& direction, const TAxisAlignedBox& box, Single& tNear,
                 Single& tFar) {
    tNear = -std::numeric_limits<Single>::infinity();
    tFar = std::numeric_limits<Single>::infinity();
    for (int i = 0; i < 3; ++i) {
        if (direction[i] != 0) {
            Double inv = 1.0 / direction[i];
            Single t1 = Single((Double(box.Min[i]) - start[i]) * inv);
            Single t2 = Single((Double(box.Max[i]) - start[i]) * inv);
            if (t1 > t2) std::swap(t1, t2);
            if (t1 > tNear) tNear = t1;
            if (t2 < tFar) tFar = t2;
            if (tNear > tFar || tFar < 0) return false;
        } else if (start[i] < box.Min[i] || start[i] > box.Max[i]) {
            return false;
        }
    }
    return true;
}

#pragma once
// Bounding boxes: the axis-aligned box (minimum and maximum corner) and the eight-corner box,
// which stays exact under any transformation.
//
// Corner order of TBoxCorners for a box with minimum m and maximum M (W = 1 throughout):
//   0 (M.X, M.Y, M.Z)  1 (M.X, m.Y, M.Z)  2 (M.X, m.Y, m.Z)  3 (M.X, M.Y, m.Z)
//   4 (m.X, M.Y, M.Z)  5 (m.X, m.Y, M.Z)  6 (m.X, m.Y, m.Z)  7 (m.X, M.Y, m.Z)
// Faces: 0 = corners 0 1 2 3 (X max), 1 = 4 5 6 7 (X min), 2 = 0 4 7 3 (Y max),
//        3 = 1 5 6 2 (Y min), 4 = 0 1 5 4 (Z max), 5 = 2 3 7 6 (Z min).

#include "VectorTypes.h"

struct TBoxFace {
    Byte Corners[4];
    Byte Axis;   // 0 = X, 1 = Y, 2 = Z
    bool IsMax;  // the face on the maximum side of its axis
};

extern const TBoxFace BoxFaces[6];

// Sets the face's axis coordinate of its four corners, and their W to 1.
void SetBoxCornersFace(TBoxCorners& corners, int face, Single value);
void AABBToBoxCorners(const TAxisAlignedBox& box, TBoxCorners& corners);
void BoxCornersToAABB(const TBoxCorners& corners, TAxisAlignedBox& box);
bool SameBoundingBox(const TBoxCorners& a, const TBoxCorners& b);  // byte for byte
// Grows a face by face until it takes in every corner of b; the grown a is copied to out.
void ExtendBoundingBox(TBoxCorners& a, const TBoxCorners& b, TBoxCorners& out);
void TransformBoundingBox(TBoxCorners& corners, const TMatrix4x4& matrix);
void TranslateBoxCorners(TBoxCorners& corners, const TAffineVector& offset);

void MergeIntoAABB(TAxisAlignedBox& a, const TAxisAlignedBox& b);
// The box from -abs(e) to abs(e) over X, Y, Z.
TAxisAlignedBox AABBFromExtents(const TVector4f& e);
void AddPointToAABB(TAxisAlignedBox& box, const TAffineVector& point);
void ScaleAABB(TAxisAlignedBox& box, const TAffineVector& factors);
// The bounds of the box's eight corners transformed as points.
void TransformAABB(TAxisAlignedBox& box, const TMatrix4x4& matrix);
// Faces count as inside.
bool AABBContainsPoint(const TAffineVector& point, const TAxisAlignedBox& box);
// Slab test. On a hit, tNear and tFar are the ray parameters where it enters and leaves the box
// (tNear is negative when the start lies inside).
bool RayHitsAABB(const TAffineVector& start, const TAffineVector& direction, const TAxisAlignedBox& box, Single& tNear,
                 Single& tFar);

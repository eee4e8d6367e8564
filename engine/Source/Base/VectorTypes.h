#pragma once
// The engine's maths records and constants.
//
// Components are stored as 32-bit singles; routines carry their sums and products in extended
// precision (long double) and round each component when it is stored. Vectors are row vectors:
// v' = v * M, with the translation in the fourth row of a matrix. Cross products are
// right-handed (X x Y = Z). Angles are radians unless a routine says degrees.

#include <array>

#include "SysTypes.h"

// Four singles: a point (W = 1), a direction (W = 0), an RGBA colour or a plane (A, B, C, D).
struct TVector4f {
    Single X, Y, Z, W;

    Single& operator[](int i) { return (&X)[i]; }
    const Single& operator[](int i) const { return (&X)[i]; }
};

// A point or a direction without W.
struct TAffineVector {
    Single X, Y, Z;

    Single& operator[](int i) { return (&X)[i]; }
    const Single& operator[](int i) const { return (&X)[i]; }
};

// Texture coordinates.
struct TTexPoint {
    Single S, T;
};

// Four rows; m[i][j] is row i, column j. Handed to OpenGL as it lies in memory.
struct TMatrix4x4 {
    TVector4f Rows[4];

    TVector4f& operator[](int i) { return Rows[i]; }
    const TVector4f& operator[](int i) const { return Rows[i]; }
};

// The same layout in doubles, for the GLU projection routines.
struct TMatrix4x4d {
    Double M[4][4];
};

// Imaginary part X, Y, Z, then the real part W.
struct TQuaternion {
    Single X, Y, Z, W;
};

// Six planes, each normalized so that its value at a point is a signed distance, positive inside.
struct TFrustumPlanes {
    TVector4f Left, Top, Right, Bottom, Near, Far;

    // The planes in the order above.
    const TVector4f& operator[](int i) const { return (&Left)[i]; }
};

// What DecomposeMatrix finds. The scales hold squared row lengths and the shears are divided
// by them; the rotation is in radians.
struct TMatrixDecomposition {
    Single ScaleX, ScaleY, ScaleZ;
    Single ShearXY, ShearXZ, ShearYZ;
    Single RotationX, RotationY, RotationZ;
    Single TranslationX, TranslationY, TranslationZ;
    Single PerspectiveX, PerspectiveY, PerspectiveZ, PerspectiveW;
};

// Bounding box as its minimum and maximum corners.
struct TAxisAlignedBox {
    TAffineVector Min, Max;
};

// Bounding box as eight corners (W = 1), in the fixed order of GeometryBB.h.
using TBoxCorners = std::array<TVector4f, 8>;

static_assert(sizeof(TVector4f) == 16 && sizeof(TAffineVector) == 12 && sizeof(TTexPoint) == 8);
static_assert(sizeof(TMatrix4x4) == 64 && sizeof(TMatrix4x4d) == 128 && sizeof(TQuaternion) == 16);
static_assert(sizeof(TAxisAlignedBox) == 24 && sizeof(TBoxCorners) == 128);
static_assert(sizeof(TMatrixDecomposition) == 64 && sizeof(TFrustumPlanes) == 96);

// Constants, stored as singles.
inline constexpr TAffineVector XAffineVector{1, 0, 0};
inline constexpr TAffineVector YAffineVector{0, 1, 0};
inline constexpr TAffineVector ZAffineVector{0, 0, 1};
inline constexpr TAffineVector NullAffineVector{0, 0, 0};
inline constexpr TVector4f XVector4{1, 0, 0, 0};
inline constexpr TVector4f YVector4{0, 1, 0, 0};
inline constexpr TVector4f ZVector4{0, 0, 1, 0};
inline constexpr TVector4f NullVector4{0, 0, 0, 0};
inline constexpr TVector4f NullHomogeneousPoint{0, 0, 0, 1};
inline constexpr TMatrix4x4 IdentityMatrix{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
inline constexpr TQuaternion IdentityQuaternion{0, 0, 0, 1};

inline constexpr Single cZero = 0.0f;
inline constexpr Single cOne = 1.0f;
inline constexpr Single cHalf = 0.5f;
inline constexpr Single cPIdiv180 = 0.017453292f;
inline constexpr Single c180divPI = 57.29578f;
inline constexpr Single c2PI = 6.283185307f;
inline constexpr Single cInv360 = 1.0f / 360.0f;
inline constexpr Single c180 = 180.0f;
inline constexpr Single c360 = 360.0f;

// Below this a matrix counts as singular; as a single it is the denormal 9.99995e-41.
inline constexpr Single SingularEpsilon = 1e-40f;
// Quaternions, Euler angles and the ray-triangle test treat smaller values as zero.
inline constexpr Single NearZeroEpsilon = 1e-30f;

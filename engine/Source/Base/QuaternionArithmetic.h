#pragma once
// Quaternions, angle units and trigonometric helpers.
//
// Sections: quaternions; angles and trigonometry.
//
// Angles are radians except in AxisAngleQuaternion, EulerQuaternionOrdered, EulerQuaternion,
// WrapDegrees and FillSinCosTables, which take degrees.

#include <span>

#include "VectorTypes.h"

// The order in which the rotations about X, Y and Z are composed.
enum TEulerAxisOrder : Byte { eulXYZ, eulXZY, eulYXZ, eulYZX, eulZXY, eulZYX };

// --- Quaternions ---
Single QuaternionLength(const TQuaternion& q);
// Divides by the length; a quaternion of length up to NearZeroEpsilon becomes the identity.
void NormalizeQuaternionInPlace(TQuaternion& q);
// Hamilton product a * b.
TQuaternion MultiplyQuaternions(const TQuaternion& a, const TQuaternion& b);
TQuaternion AxisAngleQuaternion(const TAffineVector& axis, Single angleDegrees);
// The three axis rotations composed in the given order: XYZ gives qX * qY * qZ.
TQuaternion EulerQuaternionOrdered(Single x, Single y, Single z, TEulerAxisOrder order);
// As above after wrapping the angles; at the gimbal lock (middle angle +-90 degrees) the result
// is the slerp midpoint of the rotations 0.001 degree either side. An order above 5 fails an
// assertion.
TQuaternion EulerQuaternion(Single x, Single y, Single z, TEulerAxisOrder order);
// The rotation for row vectors (the transpose of the column-vector form) of q normalized.
TMatrix4x4 QuaternionToMatrix4(const TQuaternion& q);
// Spherical interpolation along the shorter arc, normalized.
TQuaternion SlerpQuaternions(const TQuaternion& a, const TQuaternion& b, Single t);

// --- Angles and trigonometry ---
Extended DegreesToRadians(Extended x);
Extended RadiansToDegrees(Extended x);
Single DegreesToRadiansSingle(Single x);
Single RadiansToDegreesSingle(Single x);
// Into (-180, 180], except that 180 stays 180.
Single WrapDegrees(Single x);
void SinCosExtended(Extended angle, Extended& sine, Extended& cosine);
void SinCosSingle(Single angle, Single& sine, Single& cosine);
void ScaledSinCos(Single angle, Single radius, Single& sine, Single& cosine);
Extended ArcCosExtended(Extended x);
Single ArcCosSingle(Single x);
Extended ArcSinExtended(Extended x);
Extended ArcTan2Extended(Extended y, Extended x);
Single ArcTan2Single(Single y, Single x);
Extended TangentExtended(Extended angle);
// Sines and cosines from start to stop degrees in equal steps; both tables must have the same
// length, else an assertion fails.
void FillSinCosTables(std::span<Single> sines, std::span<Single> cosines, Single start, Single stop);

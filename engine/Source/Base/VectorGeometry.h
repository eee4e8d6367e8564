#pragma once
// The engine's maths library in one include: vector records and constants, vectors, planes,
// rays and spheres, matrices and the frustum, quaternions and angles, scalar helpers.
// Plain records and free routines; nothing allocates or keeps state.

#include "MatrixArithmetic.h"
#include "QuaternionArithmetic.h"
#include "ScalarArithmetic.h"
#include "VectorArithmetic.h"
#include "VectorTypes.h"

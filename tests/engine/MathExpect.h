#pragma once
// Near-equality checks for the maths records, with readable failure messages.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "VectorTypes.h"

inline std::ostream& operator<<(std::ostream& os, const TVector4f& v) {
    return os << "(" << v.X << ", " << v.Y << ", " << v.Z << ", " << v.W << ")";
}
inline std::ostream& operator<<(std::ostream& os, const TAffineVector& v) {
    return os << "(" << v.X << ", " << v.Y << ", " << v.Z << ")";
}
inline std::ostream& operator<<(std::ostream& os, const TQuaternion& q) {
    return os << "(" << q.X << ", " << q.Y << ", " << q.Z << " | " << q.W << ")";
}
inline std::ostream& operator<<(std::ostream& os, const TMatrix4x4& m) {
    return os << "[" << m[0] << " " << m[1] << " " << m[2] << " " << m[3] << "]";
}

template <class T>
testing::AssertionResult ComponentsNear(const T& actual, const T& expected, int count, double tolerance) {
    const Single* a = reinterpret_cast<const Single*>(&actual);
    const Single* e = reinterpret_cast<const Single*>(&expected);
    for (int i = 0; i < count; ++i)
        if (!(std::fabs(double(a[i]) - e[i]) <= tolerance))
            return testing::AssertionFailure() << actual << " differs from " << expected << " at component " << i;
    return testing::AssertionSuccess();
}

inline testing::AssertionResult Near(const TVector4f& a, const TVector4f& e, double tol = 1e-6) {
    return ComponentsNear(a, e, 4, tol);
}
inline testing::AssertionResult Near(const TAffineVector& a, const TAffineVector& e, double tol = 1e-6) {
    return ComponentsNear(a, e, 3, tol);
}
inline testing::AssertionResult Near(const TQuaternion& a, const TQuaternion& e, double tol = 1e-6) {
    return ComponentsNear(a, e, 4, tol);
}
inline testing::AssertionResult Near(const TMatrix4x4& a, const TMatrix4x4& e, double tol = 1e-6) {
    return ComponentsNear(a, e, 16, tol);
}

inline bool AllNaN(const TAffineVector& v) { return std::isnan(v.X) && std::isnan(v.Y) && std::isnan(v.Z); }

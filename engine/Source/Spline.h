#pragma once
// TCubicSpline: the natural cubic spline with unit spacing through up to four series of
// values (X, Y, Z and an optional W), one cubic per segment: segment j holds the polynomial in
// the global parameter t that runs from j to j + 1 between points j and j + 1.

#include <vector>

#include "SysObject.h"
#include "SysTypes.h"
#include "VectorTypes.h"

class TCubicSpline : public TObject {
    Z_CLASS(TCubicSpline, TObject)
public:
    // pointCount values from each array; a null array gives an empty table.
    TCubicSpline(const Single* x, const Single* y, const Single* z, const Single* w, Integer pointCount);

    Integer PointCount() const { return pointCount_; }
    // The values at t. Segment j is used for j <= t < j + 1; t is not clamped, so outside
    // [0, n - 1] the first or last segment's cubic extrapolates. An empty table gives 0; a
    // spline of one point gives that point everywhere.
    void SplineXYZ(Single t, Single& x, Single& y, Single& z) const;

private:
    // ((A t + B) t + C) t + D. Kept in extended precision: expanded in the global t, the
    // terms of late segments cancel each other by orders of magnitude.
    struct TCubic {
        Extended A, B, C, D;
    };
    using TTable = std::vector<TCubic>;
    TTable BuildTable(const Single* values) const;
    Single Evaluate(const TTable& table, Single t) const;

    Integer pointCount_;
    TTable x_, y_, z_, w_;
};

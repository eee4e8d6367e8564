#include "Spline.h"

#include <algorithm>
#include <cmath>

TCubicSpline::TCubicSpline(const Single* x, const Single* y, const Single* z, const Single* w, Integer pointCount)
    : pointCount_(pointCount < 0 ? 0 : pointCount) {
    x_ = BuildTable(x);
    y_ = BuildTable(y);
    z_ = BuildTable(z);
    w_ = BuildTable(w);
}

TCubicSpline::TTable TCubicSpline::BuildTable(const Single* p) const {
    const Integer n = pointCount_;
    TTable table;
    if (!p || n == 0) return table;
    // One point has no neighbours to solve with: the constant through it.
    if (n == 1) {
        table.push_back({0, 0, 0, p[0]});
        return table;
    }
    // The derivatives D of the natural spline: the tridiagonal system with the diagonal
    // 2, 4, ..., 4, 2 and ones beside it, solved by a Cholesky factorisation.
    const size_t size = static_cast<size_t>(n);
    std::vector<Extended> r(size), L(size), U(size), yv(size), D(size);
    r[0] = 3 * (Extended(p[1]) - p[0]);
    r[n - 1] = 3 * (Extended(p[n - 1]) - p[n - 2]);
    for (Integer i = 1; i < n - 1; ++i) r[i] = 3 * (Extended(p[i + 1]) - p[i - 1]);
    L[0] = std::sqrt(Extended(2));
    U[0] = 1 / L[0];
    for (Integer j = 1; j < n - 1; ++j) {
        L[j] = std::sqrt(4 - U[j - 1] * U[j - 1]);
        U[j] = 1 / L[j];
    }
    L[n - 1] = std::sqrt(2 - U[n - 2] * U[n - 2]);
    yv[0] = r[0] / L[0];
    for (Integer k = 1; k < n; ++k) yv[k] = (r[k] - yv[k - 1] * U[k - 1]) / L[k];
    D[n - 1] = yv[n - 1] / L[n - 1];
    for (Integer i = n - 2; i >= 0; --i) D[i] = (yv[i] - D[i + 1] * U[i]) / L[i];

    // Segment j: c + d u + e u^2 + f u^3 with u = t - j, expanded in t.
    for (Integer j = 0; j < n - 1; ++j) {
        const Extended c = p[j], d = D[j];
        const Extended e = 3 * (Extended(p[j + 1]) - p[j]) - 2 * D[j] - D[j + 1];
        const Extended f = 2 * (Extended(p[j]) - p[j + 1]) + D[j] + D[j + 1];
        table.push_back({f, e - 3 * j * f, d - 2 * e * j + 3 * f * j * j, c - d * j + e * j * j - f * j * j * j});
    }
    return table;
}

Single TCubicSpline::Evaluate(const TTable& table, Single t) const {
    if (table.empty()) return 0;
    const Integer last = Integer(table.size()) - 1;
    Integer segment;
    if (t <= 0)
        segment = 0;
    else if (t >= Single(last + 1))
        segment = last;
    else
        segment = std::min(Integer(std::trunc(t)), last);
    const TCubic& k = table[size_t(segment)];
    return Single(((k.A * t + k.B) * t + k.C) * t + k.D);
}

void TCubicSpline::SplineXYZ(Single t, Single& x, Single& y, Single& z) const {
    x = Evaluate(x_, t);
    y = Evaluate(y_, t);
    z = Evaluate(z_, t);
}

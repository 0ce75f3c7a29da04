#pragma once
// Dense 6×6 helpers for the lining's transfer-matrix tests, and the matrix
// exponential by its Taylor series (scaled and squared), worked apart from the
// Runge-Kutta scheme under test.
#include <array>
#include <cmath>

namespace kv::test {

using Mat6 = std::array<double, 36>;

inline Mat6 Identity6() {
    Mat6 m{};
    for (int d = 0; d < 6; ++d) m[d * 6 + d] = 1.0;
    return m;
}

inline Mat6 Times(const Mat6& a, const Mat6& b) {
    Mat6 c{};
    for (int r = 0; r < 6; ++r)
        for (int col = 0; col < 6; ++col)
            for (int l = 0; l < 6; ++l) c[r * 6 + col] += a[r * 6 + l] * b[l * 6 + col];
    return c;
}

inline Mat6 Scaled(const Mat6& a, double s) {
    Mat6 c = a;
    for (double& v : c) v *= s;
    return c;
}

inline double Norm(const Mat6& a) {
    double sum = 0;
    for (double v : a) sum += v * v;
    return std::sqrt(sum);
}

inline double Distance(const Mat6& a, const Mat6& b) {
    Mat6 d;
    for (int e = 0; e < 36; ++e) d[e] = a[e] - b[e];
    return Norm(d);
}

// exp(a): halve until the norm is below 1/2, sum the series until its terms stop
// counting, square back.
inline Mat6 Expm(const Mat6& a) {
    int halvings = 0;
    double norm = Norm(a);
    while (norm > 0.5) {
        norm /= 2;
        ++halvings;
    }
    const Mat6 small = Scaled(a, std::ldexp(1.0, -halvings));
    Mat6 sum = Identity6(), term = Identity6();
    for (int k = 1; k < 60; ++k) {
        term = Scaled(Times(term, small), 1.0 / k);
        for (int e = 0; e < 36; ++e) sum[e] += term[e];
        if (Norm(term) < 1e-20 * Norm(sum)) break;
    }
    for (int s = 0; s < halvings; ++s) sum = Times(sum, sum);
    return sum;
}

}  // namespace kv::test

#include "base/interp.h"

namespace {
template <typename T>
T Interpolate(const T* xs, const T* ys, int n, T x) {
    if (n <= 0 || !xs || !ys) return T(0);
    if (n == 1) return ys[0];
    bool rising = xs[n - 1] >= xs[0];
    // Clamp at the ends of the table.
    if (rising ? x <= xs[0] : x >= xs[0]) return ys[0];
    if (rising ? x >= xs[n - 1] : x <= xs[n - 1]) return ys[n - 1];
    for (int i = 1; i < n; ++i) {
        bool inside = rising ? x <= xs[i] : x >= xs[i];
        if (inside) {
            T dx = xs[i] - xs[i - 1];
            if (dx == T(0)) return ys[i];
            return ys[i - 1] + (ys[i] - ys[i - 1]) * (x - xs[i - 1]) / dx;
        }
    }
    return ys[n - 1];
}
}  // namespace

float liner_inter(const float* xs, const float* ys, int n, float x) { return Interpolate(xs, ys, n, x); }
double liner_inter(const double* xs, const double* ys, int n, double x) { return Interpolate(xs, ys, n, x); }

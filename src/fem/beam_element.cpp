#include "fem/beam_element.h"

#include <cmath>

#include "base/error.h"

namespace kv::fem {
namespace {

void Zero(float* m, int count) {
    for (int i = 0; i < count; ++i) m[i] = 0.0f;
}

void SetSymmetric(float K[36], int r, int c, float v) {
    K[r * 6 + c] = v;
    K[c * 6 + r] = v;
}

// The load of a line-load record as s·x + c0 between aa and bb.
void LineLoad(float q1, float q2, float aa, float bb, float* s, float* c0) {
    *s = (q2 - q1) / (bb - aa);
    *c0 = (bb * q1 - aa * q2) / (bb - aa);
}

}  // namespace

bool stiff_beam_local(float K[36], const float x[2], const float y[2], float J, float I, float E,
                      float nu, Variant variant) {
    const float dx = x[1] - x[0];
    const float dy = y[1] - y[0];
    const float L = std::sqrt(dx * dx + dy * dy);
    if (!(L > 1.0e-10f)) {
        // Two coincident nodes would divide by zero below.
        tell_error(kv::err::kDataError, "算stiff_beam_local算梁单元长=0");
        return false;
    }
    const float G = E / (2.0f * (1.0f + nu));
    const float phi = 0.0f;  // no shear deformation
    const float k = E * I / (L * (1.0f + phi));
    const float gj = G * J / L;
    // The library stiffens the first torsion diagonal a little so that a grid of
    // beams alone is never singular in twist.
    const float first_twist = variant == Variant::kLibrary ? gj * 1.0001f : gj;

    Zero(K, 36);
    SetSymmetric(K, 0, 0, 12.0f * k / (L * L));
    SetSymmetric(K, 3, 3, 12.0f * k / (L * L));
    SetSymmetric(K, 0, 2, -6.0f * k / L);
    SetSymmetric(K, 0, 5, -6.0f * k / L);
    SetSymmetric(K, 0, 3, -12.0f * k / (L * L));
    SetSymmetric(K, 2, 3, 6.0f * k / L);
    SetSymmetric(K, 3, 5, 6.0f * k / L);
    SetSymmetric(K, 1, 1, first_twist);
    SetSymmetric(K, 4, 4, gj);
    SetSymmetric(K, 1, 4, -gj);
    SetSymmetric(K, 2, 2, k * (4.0f + phi));
    SetSymmetric(K, 5, 5, k * (4.0f + phi));
    SetSymmetric(K, 2, 5, k * (2.0f - phi));
    return true;
}

double integ_cubic_linear(float a0, float a1, float a2, float a3, float s, float c0, float aa,
                          float bb, Variant variant) {
    // Coefficient of x^k / k in the antiderivative, k = 1 … 5.
    const double coef[5] = {
        double(a0) * c0,
        double(a0) * s + double(a1) * c0,
        double(a1) * s + double(a2) * c0,
        double(a2) * s + double(a3) * c0,
        double(a3) * s,
    };
    double sum = 0.0;
    double pa = 1.0, pb = 1.0;
    for (int k = 1; k <= 5; ++k) {
        pa *= aa;
        pb *= bb;
        sum += coef[k - 1] * (pb - pa) / k;
        if (variant == Variant::kLibrary) sum = static_cast<float>(sum);
    }
    return sum;
}

bool cal_load_beam(float f[6], float L, float q1, float q2, float aa, float bb, Variant variant) {
    const bool refused = variant == Variant::kLibrary ? !(bb - aa > 1.0e-10f) : !(bb > aa);
    if (refused) {
        const int code = variant == Variant::kLibrary ? kv::err::kNotice : kv::err::kDataError;
        tell_error(code, "Load error in cal_load_beam : bb <= aa");
        tell_error1(code, "Q1= %f, Q2 = %f, aa = %f, bb= %f", q1, q2, aa, bb);
        if (variant == Variant::kLibrary) Zero(f, 6);
        return variant == Variant::kLibrary;
    }
    float s, c0;
    LineLoad(q1, q2, aa, bb, &s, &c0);
    const float L2 = L * L, L3 = L2 * L;
    f[0] = static_cast<float>(integ_cubic_linear(1.0f, 0.0f, -3.0f / L2, 2.0f / L3, s, c0, aa, bb, variant));
    f[1] = 0.0f;
    f[2] = static_cast<float>(integ_cubic_linear(0.0f, -1.0f, 2.0f / L, -1.0f / L2, s, c0, aa, bb, variant));
    f[3] = static_cast<float>(integ_cubic_linear(0.0f, 0.0f, 3.0f / L2, -2.0f / L3, s, c0, aa, bb, variant));
    f[4] = 0.0f;
    f[5] = static_cast<float>(integ_cubic_linear(0.0f, 0.0f, 1.0f / L, -1.0f / L2, s, c0, aa, bb, variant));
    return true;
}

bool cal_eload_beam(float f[6], float L, float P, float M, float T, float a) {
    bool ok = true;
    if (a > L) {
        tell_error(kv::err::kDataError, "Load error in cal_eload_beam");
        a = L / 2.0f;
        ok = false;
    }
    const float b = L - a;
    const float L2 = L * L, L3 = L2 * L;
    f[0] = P * b * b * (L + 2.0f * a) / L3 + 6.0f * a * b * M / L3;
    f[1] = T * b * b * (L + 2.0f * a) / L3;
    f[2] = -(P * a * b * b / L2 + M * b * (3.0f * a - L) / L2);
    f[3] = P * a * a * (L + 2.0f * b) / L3 - 6.0f * a * b * M / L3;
    f[4] = T * a * a * (L + 2.0f * b) / L3;
    f[5] = P * a * a * b / L2 - M * a * (3.0f * b - L) / L2;
    return ok;
}

namespace {

// Simple-beam reactions of a line load; false when the load has no extent.
bool LineReactions(float L, float q1, float q2, float aa, float bb, float* s, float* c0, float* ra,
                   float* rb) {
    if (!(bb - aa > 1.0e-10f)) return false;
    LineLoad(q1, q2, aa, bb, s, c0);
    *rb = static_cast<float>(integ_cubic_linear(0.0f, 1.0f, 0.0f, 0.0f, *s, *c0, aa, bb)) / L;
    *ra = (q1 + q2) * (bb - aa) / 2.0f - *rb;
    return true;
}

}  // namespace

float cal_load_m(float L, float x, int kind, float v1, float v2, float v3, float v4) {
    if (kind == 1) {
        const float aa = v3, bb = v4;
        float s, c0, ra, rb;
        if (!LineReactions(L, v1, v2, aa, bb, &s, &c0, &ra, &rb)) return 0.0f;
        if (x <= aa) return ra * x;
        if (x >= bb) return rb * (L - x);
        // The load between aa and x, taken about x.
        return ra * x - static_cast<float>(integ_cubic_linear(x, -1.0f, 0.0f, 0.0f, s, c0, aa, x));
    }
    const float P = v1, M = v2, a = v4;
    if (x < a) return x * (P * (L - a) - M) / L;
    return P * a * (L - x) / L + M * (1.0f - x / L);
}

float cal_load_resultant(float /*L*/, float x, int kind, float v1, float v2, float v3, float v4) {
    if (kind == 1) {
        const float q1 = v1, q2 = v2, aa = v3, bb = v4;
        if (x <= aa) return 0.0f;
        if (x >= bb) return (q1 + q2) * (bb - aa) / 2.0f;
        const float qx = q1 + (q2 - q1) * (x - aa) / (bb - aa);
        return (q1 + qx) * (x - aa) / 2.0f;
    }
    return v4 <= x ? v1 : 0.0f;
}

float cal_load_v(float L, float x, int kind, float v1, float v2, float v3, float v4) {
    if (kind == 1) {
        const float aa = v3, bb = v4;
        float s, c0, ra, rb;
        if (!LineReactions(L, v1, v2, aa, bb, &s, &c0, &ra, &rb)) return 0.0f;
        if (x <= aa) return ra;
        if (x >= bb) return -rb;
        return ra - (ra + rb) * (x - aa) / (bb - aa);
    }
    const float P = v1, a = v4;
    if (x < a) return P * (L - a) / L;
    return -P * a / L;
}

void form_rotate_matrix(float R[36], float angle) {
    Zero(R, 36);
    const float c = std::cos(angle), s = std::sin(angle);
    for (int o = 0; o <= 3; o += 3) {
        R[o * 6 + o] = 1.0f;
        R[(o + 1) * 6 + o + 1] = c;
        R[(o + 1) * 6 + o + 2] = s;
        R[(o + 2) * 6 + o + 1] = -s;
        R[(o + 2) * 6 + o + 2] = c;
    }
}

void form_offset_matrix(float T[36], float e) {
    Zero(T, 36);
    for (int i = 0; i < 6; ++i) T[i * 6 + i] = 1.0f;
    T[0 * 6 + 2] = e;
    T[3 * 6 + 5] = e;
}

int ele_in_block(const int* eq, int count, int block, const int* blockend) {
    for (int i = 0; i < count; ++i)
        if (eq[i] > blockend[block - 1] && eq[i] <= blockend[block]) return 1;
    return 0;
}

namespace {

// 0-based place of (row, col), row <= col, in the block starting at column c0 + 1;
// -1 when the entry is not stored there.
long BlockPlace(int row, int col, int block, const int* blockend, const int* addr,
                const int* firstrow) {
    const int c0 = blockend[block - 1];
    if (col <= c0 || col > blockend[block] || row < firstrow[col]) return -1;
    return long(addr[col]) - col + row - 1 - addr[c0];
}

}  // namespace

void add_ele_symmetri(int block, const float* K, int n, const int* eq, double* a,
                      const int* blockend, const int* addr, const int* firstrow) {
    for (int r = 0; r < n; ++r) {
        if (eq[r] <= 0) continue;
        for (int s = 0; s < n; ++s) {
            if (eq[s] <= 0 || eq[s] < eq[r]) continue;
            const long at = BlockPlace(eq[r], eq[s], block, blockend, addr, firstrow);
            if (at >= 0) a[at] += K[r * n + s];
        }
    }
}

void add_ele_not_symmetri(int block, const float* K, int n, const int* eq, double* upper,
                          double* lower, const int* blockend, const int* addr, const int* firstrow) {
    for (int r = 0; r < n; ++r) {
        if (eq[r] <= 0) continue;
        for (int s = 0; s < n; ++s) {
            if (eq[s] <= 0) continue;
            if (eq[s] >= eq[r]) {
                const long at = BlockPlace(eq[r], eq[s], block, blockend, addr, firstrow);
                if (at >= 0) upper[at] += K[r * n + s];
            }
            if (eq[r] >= eq[s]) {
                const long at = BlockPlace(eq[s], eq[r], block, blockend, addr, firstrow);
                if (at >= 0) lower[at] += K[r * n + s];
            }
        }
    }
}

}  // namespace kv::fem

#include "base/numeric.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "base/error.h"

namespace {

// Row-major view of a matrix kept either contiguous or as row pointers.
template <typename T>
struct Contiguous {
    T* p;
    int cols;
    T& operator()(int i, int j) const { return p[i * cols + j]; }
};

template <typename T>
struct Rows {
    T** p;
    T& operator()(int i, int j) const { return p[i][j]; }
};

// Full-pivoting Gauss-Jordan (the classic in-place scheme: each step takes the
// largest entry left in the unused rows and columns, swaps it onto the
// diagonal and clears its column; the column swaps are undone at the end).
// Works on double copies and writes back only a good result.
template <typename T, typename ViewA, typename ViewB>
int GaussJordan(ViewA va, int n, ViewB vb, int m) {
    if (n <= 0 || m < 0) {
        tell_error(301, "矩阵的大小错误 ! (gaussj)");
        return 0;
    }
    std::vector<double> a(static_cast<size_t>(n) * n), b(static_cast<size_t>(n) * std::max(m, 0));
    auto A = [&](int i, int j) -> double& { return a[static_cast<size_t>(i) * n + j]; };
    auto B = [&](int i, int j) -> double& { return b[static_cast<size_t>(i) * m + j]; };
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) A(i, j) = va(i, j);
        for (int j = 0; j < m; ++j) B(i, j) = vb(i, j);
    }
    for (double v : a)
        if (!std::isfinite(v)) {
            tell_error(301, "矩阵中有不是数的值 ! (gaussj)");
            return 0;
        }
    for (double v : b)
        if (!std::isfinite(v)) {
            tell_error(301, "右端项中有不是数的值 ! (gaussj)");
            return 0;
        }

    // A pivot counts as zero when it is lost in the rounding of the values it
    // came from: its row's and its column's largest entries give the scale, so
    // that a matrix with rows or columns of very different size is judged fairly.
    const double eps = (sizeof(T) == sizeof(float) ? FLT_EPSILON : DBL_EPSILON) * n;
    std::vector<double> rowScale(n, 0.0), colScale(n, 0.0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            rowScale[i] = std::max(rowScale[i], std::fabs(A(i, j)));
            colScale[j] = std::max(colScale[j], std::fabs(A(i, j)));
        }

    std::vector<int> used(n, 0), indxr(n), indxc(n);
    for (int step = 0; step < n; ++step) {
        double big = -1.0;
        int irow = -1, icol = -1;
        for (int j = 0; j < n; ++j) {
            if (used[j]) continue;
            for (int k = 0; k < n; ++k) {
                if (used[k]) continue;
                if (std::fabs(A(j, k)) > big) {
                    big = std::fabs(A(j, k));
                    irow = j;
                    icol = k;
                }
            }
        }
        if (irow < 0) {  // only values that are no longer numbers are left
            tell_error(301, "求逆时发现矩阵奇异，无法求解 ! (gaussj)");
            return 0;
        }
        used[icol] = 1;
        if (irow != icol) {
            for (int l = 0; l < n; ++l) std::swap(A(irow, l), A(icol, l));
            for (int l = 0; l < m; ++l) std::swap(B(irow, l), B(icol, l));
            std::swap(rowScale[irow], rowScale[icol]);
        }
        indxr[step] = irow;
        indxc[step] = icol;
        double pivot = A(icol, icol);
        if (!(std::fabs(pivot) > eps * std::min(rowScale[icol], colScale[icol]))) {
            tell_error(301, "求逆时发现矩阵奇异，无法求解 ! (gaussj)");
            return 0;
        }
        double pivinv = 1.0 / pivot;
        A(icol, icol) = 1.0;
        for (int l = 0; l < n; ++l) A(icol, l) *= pivinv;
        for (int l = 0; l < m; ++l) B(icol, l) *= pivinv;
        for (int ll = 0; ll < n; ++ll) {
            if (ll == icol) continue;
            double dum = A(ll, icol);
            if (dum == 0.0) continue;
            A(ll, icol) = 0.0;
            for (int l = 0; l < n; ++l) A(ll, l) -= A(icol, l) * dum;
            for (int l = 0; l < m; ++l) B(ll, l) -= B(icol, l) * dum;
        }
    }
    for (int l = n - 1; l >= 0; --l)
        if (indxr[l] != indxc[l])
            for (int k = 0; k < n; ++k) std::swap(A(k, indxr[l]), A(k, indxc[l]));

    // Entries that overflowed mean the matrix was as good as singular.
    for (const auto* part : {&a, &b})
        for (double v : *part)
            if (!std::isfinite(v)) {
                tell_error(301, "求逆时发现矩阵奇异，无法求解 ! (gaussj)");
                return 0;
            }
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) va(i, j) = static_cast<T>(A(i, j));
        for (int j = 0; j < m; ++j) vb(i, j) = static_cast<T>(B(i, j));
    }
    return 1;
}

template <typename T>
int GaussContiguous(T* a, int n, T* b, int m) {
    if (!a || (m > 0 && !b)) {
        tell_error(301, "缺少矩阵 ! (gaussj)");
        return 0;
    }
    return GaussJordan<T>(Contiguous<T>{a, n}, n, Contiguous<T>{b, m}, m);
}

template <typename T>
int GaussRows(T** a, int n, T** b, int m) {
    bool missing = !a || (m > 0 && !b);
    for (int i = 0; !missing && i < n; ++i) missing = !a[i] || (m > 0 && !b[i]);
    if (missing) {
        tell_error(301, "缺少矩阵 ! (gaussj)");
        return 0;
    }
    return GaussJordan<T>(Rows<T>{a}, n, Rows<T>{b}, m);
}

template <typename T>
bool Usable(const T* a, const T* b, const T* c, int l, int m, int n) {
    return a && b && c && l > 0 && m > 0 && n > 0;
}

template <typename T>
void Multiply(const T* a, const T* b, T* c, int l, int m, int n) {
    if (!Usable(a, b, c, l, m, n)) return;
    std::vector<T> out(static_cast<size_t>(l) * n);
    for (int i = 0; i < l; ++i)
        for (int j = 0; j < n; ++j) {
            double s = 0.0;
            for (int k = 0; k < m; ++k) s += double(a[i * m + k]) * b[k * n + j];
            out[static_cast<size_t>(i) * n + j] = static_cast<T>(s);
        }
    std::copy(out.begin(), out.end(), c);
}

template <typename T>
void MultiplyTransposed(const T* a, const T* b, T* c, int l, int m, int n) {
    if (!Usable(a, b, c, l, m, n)) return;
    std::vector<T> out(static_cast<size_t>(m) * n);
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < n; ++j) {
            double s = 0.0;
            for (int k = 0; k < l; ++k) s += double(a[k * m + i]) * b[k * n + j];
            out[static_cast<size_t>(i) * n + j] = static_cast<T>(s);
        }
    std::copy(out.begin(), out.end(), c);
}

template <typename T>
void Congruence(const T* a, const T* mid, const T* b, T* c, int l, int m, int n) {
    if (!Usable(a, b, c, l, m, n) || !mid) return;
    // mid·b first, in double, then aᵀ times that.
    std::vector<double> mb(static_cast<size_t>(l) * n);
    for (int i = 0; i < l; ++i)
        for (int j = 0; j < n; ++j) {
            double s = 0.0;
            for (int k = 0; k < l; ++k) s += double(mid[i * l + k]) * b[k * n + j];
            mb[static_cast<size_t>(i) * n + j] = s;
        }
    std::vector<T> out(static_cast<size_t>(m) * n);
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < n; ++j) {
            double s = 0.0;
            for (int k = 0; k < l; ++k) s += double(a[k * m + i]) * mb[static_cast<size_t>(k) * n + j];
            out[static_cast<size_t>(i) * n + j] = static_cast<T>(s);
        }
    std::copy(out.begin(), out.end(), c);
}

}  // namespace

int gaussj(float* a, int n, float* b, int m) { return GaussContiguous(a, n, b, m); }
int gaussj(double* a, int n, double* b, int m) { return GaussContiguous(a, n, b, m); }
int gaussj(float** a, int n, float** b, int m) { return GaussRows(a, n, b, m); }
int gaussj(double** a, int n, double** b, int m) { return GaussRows(a, n, b, m); }

void mut_matrix(const float* a, const float* b, float* c, int l, int m, int n) { Multiply(a, b, c, l, m, n); }
void mut_matrix(const double* a, const double* b, double* c, int l, int m, int n) {
    Multiply(a, b, c, l, m, n);
}
void mut_matrix_1(const float* a, const float* b, float* c, int l, int m, int n) {
    MultiplyTransposed(a, b, c, l, m, n);
}
void mut_matrix_1(const double* a, const double* b, double* c, int l, int m, int n) {
    MultiplyTransposed(a, b, c, l, m, n);
}
void mut_matrix_lr_1(const float* a, const float* mid, const float* b, float* c, int l, int m, int n) {
    Congruence(a, mid, b, c, l, m, n);
}
void mut_matrix_lr_1(const double* a, const double* mid, const double* b, double* c, int l, int m,
                     int n) {
    Congruence(a, mid, b, c, l, m, n);
}

float integeration_romberg(float (*f)(float), float a, float b) {
    if (!f || a == b) return 0.0f;
    constexpr int kMaxLevels = 20;  // the last level sums 2^19 intervals
    constexpr int kMinLevels = 5;   // guards against a lucky early agreement
    constexpr double kRelTol = 1e-6;
    const double lo = a, hi = b;
    auto eval = [f](double x) { return double(f(static_cast<float>(x))); };

    std::vector<double> prev(kMaxLevels), cur(kMaxLevels);
    double h = hi - lo;
    prev[0] = 0.5 * h * (eval(lo) + eval(hi));
    double best = prev[0];
    long intervals = 1;
    for (int k = 1; k < kMaxLevels; ++k) {
        // Trapezoid sum with the step halved: add the new midpoints.
        double sum = 0.0;
        for (long i = 0; i < intervals; ++i) sum += eval(lo + (i + 0.5) * h);
        cur[0] = 0.5 * (prev[0] + h * sum);
        h *= 0.5;
        intervals *= 2;
        double factor = 1.0;
        for (int j = 1; j <= k; ++j) {
            factor *= 4.0;
            cur[j] = cur[j - 1] + (cur[j - 1] - prev[j - 1]) / (factor - 1.0);
        }
        best = cur[k];
        if (!std::isfinite(best)) {
            tell_error(301, "被积函数的值不是有限数 ! (integeration_romberg)");
            return 0.0f;
        }
        double change = std::fabs(cur[k] - prev[k - 1]);
        if (k + 1 >= kMinLevels && (change <= kRelTol * std::fabs(best) || change <= 1e-30))
            return static_cast<float>(best);
        std::swap(prev, cur);
    }
    tell_error(101, "龙贝格积分不收敛 ! (integeration_romberg)");
    return static_cast<float>(best);
}

#include "fem/equ_solver.h"

#include "base/error.h"
#include "base/textio.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"
#include "fem/workfile.h"

#include <algorithm>
#include <cmath>
#include <sys/types.h>

namespace {

using kv::err::kFailure;

constexpr double kSmallPivot = 0.00001;
constexpr const char* kPivotMessage = "Error in freedom %ld, U[%ld]=%e";

// Two doubles in one register (SSE2 on x86-64, NEON elsewhere): the dot products
// below run on pairs with several running sums, so the loops pipeline.
typedef double Pair __attribute__((vector_size(16)));

inline Pair Load(const double* p) {
    Pair v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}
inline double Sum(Pair v) { return v[0] + v[1]; }

// Σ x[k]·y[k], k < n.
inline double Dot(const double* x, const double* y, long n) {
    Pair s0 = {0, 0}, s1 = {0, 0}, s2 = {0, 0}, s3 = {0, 0};
    long k = 0;
    for (; k + 8 <= n; k += 8) {
        s0 += Load(x + k) * Load(y + k);
        s1 += Load(x + k + 2) * Load(y + k + 2);
        s2 += Load(x + k + 4) * Load(y + k + 4);
        s3 += Load(x + k + 6) * Load(y + k + 6);
    }
    for (; k + 2 <= n; k += 2) s0 += Load(x + k) * Load(y + k);
    double s = Sum((s0 + s1) + (s2 + s3));
    if (k < n) s += x[k] * y[k];
    return s;
}

// Σ x[k]·y_c[k], k < n, for four vectors y_c at once: x is loaded once for all.
inline void Dot4(const double* x, const double* const y[4], long n, double out[4]) {
    Pair a0 = {0, 0}, a1 = {0, 0}, a2 = {0, 0}, a3 = {0, 0};
    Pair b0 = {0, 0}, b1 = {0, 0}, b2 = {0, 0}, b3 = {0, 0};
    long k = 0;
    for (; k + 4 <= n; k += 4) {
        const Pair u = Load(x + k), v = Load(x + k + 2);
        a0 += u * Load(y[0] + k), b0 += v * Load(y[0] + k + 2);
        a1 += u * Load(y[1] + k), b1 += v * Load(y[1] + k + 2);
        a2 += u * Load(y[2] + k), b2 += v * Load(y[2] + k + 2);
        a3 += u * Load(y[3] + k), b3 += v * Load(y[3] + k + 2);
    }
    if (k + 2 <= n) {
        const Pair u = Load(x + k);
        a0 += u * Load(y[0] + k), a1 += u * Load(y[1] + k);
        a2 += u * Load(y[2] + k), a3 += u * Load(y[3] + k);
        k += 2;
    }
    out[0] = Sum(a0 + b0), out[1] = Sum(a1 + b1), out[2] = Sum(a2 + b2), out[3] = Sum(a3 + b3);
    if (k < n)
        for (int c = 0; c < 4; ++c) out[c] += x[k] * y[c][k];
}

// Up to four columns j of the block being reduced, taken together.
struct Group {
    int n = 0;
    int f[4] = {};     // first rows
    long off[4] = {};  // (0, j) in the block's buffer
    void add(int first, long offset) { f[n] = first, off[n] = offset, ++n; }
    int lowest() const { return *std::min_element(f, f + n); }
};

// Σ x1[k]·y_c[k] and Σ x2[k]·y_c[k], k < n, for four vectors y_c: two rows
// against four columns, each value loaded once.
inline void Dot2x4(const double* x1, const double* x2, const double* const y[4], long n, double out1[4],
                   double out2[4]) {
    Pair a0 = {0, 0}, a1 = {0, 0}, a2 = {0, 0}, a3 = {0, 0};
    Pair b0 = {0, 0}, b1 = {0, 0}, b2 = {0, 0}, b3 = {0, 0};
    long k = 0;
    for (; k + 2 <= n; k += 2) {
        const Pair u = Load(x1 + k), v = Load(x2 + k);
        Pair w = Load(y[0] + k);
        a0 += u * w, b0 += v * w;
        w = Load(y[1] + k);
        a1 += u * w, b1 += v * w;
        w = Load(y[2] + k);
        a2 += u * w, b2 += v * w;
        w = Load(y[3] + k);
        a3 += u * w, b3 += v * w;
    }
    out1[0] = Sum(a0), out1[1] = Sum(a1), out1[2] = Sum(a2), out1[3] = Sum(a3);
    out2[0] = Sum(b0), out2[1] = Sum(b1), out2[2] = Sum(b2), out2[3] = Sum(b3);
    if (k < n)
        for (int c = 0; c < 4; ++c) out1[c] += x1[k] * y[c][k], out2[c] += x2[k] * y[c][k];
}

// For every row i = lo .. hi and every column j of the group that reaches row i:
//   a_ij -= Σ p_mi · a_mj over m = max(f_i, f_j) .. i - 1, then a_ij ·= 1/d_i
//   when `inverse` (the inverse pivots) is given; P's column i starts at pcol(i)
//   (p_mi = P[pcol(i) + m]).
// The rows of a column are done in order, as each sum takes the rows above; where
// all four columns reach two rows, the two are taken together and the second gets
// the term of the first once that is done.
template <typename Column>
void Reduce(const double* P, Column pcol, int lo, int hi, double* A, const Group& g, const std::int32_t* f,
            const double* inverse) {
    auto finish = [&](int i, int c, double sum) {
        double& a = A[g.off[c] + i];
        a = inverse ? (a - sum) * inverse[i] : a - sum;
    };
    for (int i = lo; i <= hi;) {
        const bool allReach = g.n == 4 && std::max({g.f[0], g.f[1], g.f[2], g.f[3]}) <= i;
        if (allReach && i < hi) {
            const int i2 = i + 1;
            const double* p1 = P + pcol(i);
            const double* p2 = P + pcol(i2);
            const int common = std::max({f[i], f[i2], g.f[0], g.f[1], g.f[2], g.f[3]});
            const int end = std::min(common, i);  // the shared rows are common .. i - 1
            double s1[4], s2[4];
            const double* y[4] = {A + g.off[0] + common, A + g.off[1] + common, A + g.off[2] + common,
                                  A + g.off[3] + common};
            Dot2x4(p1 + common, p2 + common, y, i - common, s1, s2);
            for (int c = 0; c < 4; ++c) {
                const int m0 = std::max(f[i], g.f[c]);
                finish(i, c, s1[c] + Dot(p1 + m0, A + g.off[c] + m0, end - m0));
            }
            for (int c = 0; c < 4; ++c) {
                const int m0 = std::max(f[i2], g.f[c]);
                double sum = s2[c] + Dot(p2 + m0, A + g.off[c] + m0, end - m0);
                if (m0 <= i) sum += p2[i] * A[g.off[c] + i];
                finish(i2, c, sum);
            }
            i += 2;
            continue;
        }
        const double* pi = P + pcol(i);
        double sum[4] = {0, 0, 0, 0};
        bool reach[4];
        int reaching = 0, common = f[i];
        for (int c = 0; c < g.n; ++c) {
            reach[c] = g.f[c] <= i;
            if (reach[c]) ++reaching, common = std::max(common, g.f[c]);
        }
        if (reaching == 4) {
            const double* y[4] = {A + g.off[0] + common, A + g.off[1] + common, A + g.off[2] + common,
                                  A + g.off[3] + common};
            Dot4(pi + common, y, i - common, sum);
        }
        for (int c = 0; c < g.n; ++c) {
            if (!reach[c]) continue;
            const int m0 = std::max(f[i], g.f[c]);
            const int m1 = reaching == 4 ? common : i;
            finish(i, c, sum[c] + Dot(pi + m0, A + g.off[c] + m0, m1 - m0));
        }
        ++i;
    }
}

// Σ x[k]·w[k]·y[k], k < n.
inline double WeightedDot(const double* x, const double* w, const double* y, long n) {
    double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
    long k = 0;
    for (; k + 4 <= n; k += 4) {
        s0 += x[k] * w[k] * y[k];
        s1 += x[k + 1] * w[k + 1] * y[k + 1];
        s2 += x[k + 2] * w[k + 2] * y[k + 2];
        s3 += x[k + 3] * w[k + 3] * y[k + 3];
    }
    for (; k < n; ++k) s0 += x[k] * w[k] * y[k];
    return (s0 + s1) + (s2 + s3);
}

// The skyline tables as the solver walks them.
struct Layout {
    int blocks;
    int neq;
    int block_size;
    const std::int32_t* blockend;
    const std::int32_t* addr;
    const std::int32_t* first;

    int first_column(int b) const { return blockend[b - 1] + 1; }
    int last_column(int b) const { return blockend[b]; }
    long entries(int b) const { return long(addr[blockend[b]]) - addr[blockend[b - 1]]; }
    // Index in block b's buffer of (row 0, column j): (r, j) is at this + r.
    long column(int b, int j) const { return long(addr[j]) - j - 1 - addr[blockend[b - 1]]; }
    off_t offset(int b) const { return off_t(b - 1) * block_size * off_t(sizeof(double)); }
};

bool ReadBlock(std::FILE* f, const Layout& s, int b, double* buffer, const char* routine) {
    const long n = s.entries(b);
    if (n == 0) return true;
    if (kv::fem::bin::seek(f, s.offset(b)) && kv::fem::bin::get_f64s(f, buffer, std::size_t(n))) return true;
    tell_error1(kFailure, "Read block %d error in %s", b, routine);
    return false;
}

bool WriteBlock(std::FILE* f, const Layout& s, int b, const double* buffer, const char* routine) {
    const long n = s.entries(b);
    if (n == 0) return true;
    if (kv::fem::bin::seek(f, s.offset(b)) && kv::fem::bin::put_f64s(f, buffer, std::size_t(n))) return true;
    tell_error1(kFailure, "Write block %d error in %s", b, routine);
    return false;
}

// A file opened without the open-file message, so that the caller tells its own.
class QuietFile {
public:
    QuietFile(const char* name, const char* mode) : fp_(open_file_no_comment(name, mode)) {}
    ~QuietFile() {
        if (fp_) close_file(fp_);
    }
    QuietFile(const QuietFile&) = delete;
    QuietFile& operator=(const QuietFile&) = delete;
    std::FILE* get() const { return fp_; }
    bool commit() {
        std::FILE* f = fp_;
        fp_ = nullptr;
        return f && commit_file(f) == 0;
    }

private:
    std::FILE* fp_;
};

bool WritePivots(const double* diag, int neq) {
    QuietFile out("DIAG_STF.FB", "wb");
    if (!out.get() || !kv::fem::bin::put_f64s(out.get(), diag, std::size_t(neq) + 1) || !out.commit()) {
        tell_error(kFailure, "Can't write diag_stf file in equ");
        return false;
    }
    return true;
}

bool ReadPivots(double* diag, int neq) {
    QuietFile in("DIAG_STF.FB", "rb");
    if (!in.get()) {
        tell_error(kFailure, "Can't open diag_stf file in equ");
        return false;
    }
    if (!kv::fem::bin::get_f64s(in.get(), diag, std::size_t(neq) + 1)) {
        tell_error(kFailure, "Read diag_stf file error in equ");
        return false;
    }
    return true;
}

// d_j after the reduction; false (told) when it is too small to divide by.
bool PivotOk(int j, double d) {
    if (std::fabs(d) >= kSmallPivot) return true;  // a NaN fails here too
    tell_error1(kFailure, kPivotMessage, long(j), long(j), d);
    return false;
}

void Progress(const char* format, int percent) { tell_error1(kv::err::kNotice, format, percent); }

// Forward over the factor blocks for all cases: x_s -= Σ t_ks · w_k · x_k over
// k = f_s .. s - 1 (w_k = 1 when `weight` is null). Equation e of case c is
// x[c·neq + e - 1].
bool ForwardPass(std::FILE* f, const Layout& s, double* buffer, const double* weight, int cases, double* x,
                 const char* routine) {
    tell_error(-2, "正在做向量向前回代....");
    for (int b = 1; b <= s.blocks; ++b) {
        Progress(">>>> Complete : %d %%", b * 100 / s.blocks);
        if (!ReadBlock(f, s, b, buffer, routine)) return false;
        for (int j = s.first_column(b); j <= s.last_column(b); ++j) {
            const double* col = buffer + s.column(b, j);
            const int first = s.first[j];
            for (int c = 0; c < cases; ++c) {
                double* xc = x + long(c) * s.neq - 1;  // xc[e] is equation e
                xc[j] -= weight ? WeightedDot(col + first, weight + first, xc + first, j - first)
                                : Dot(col + first, xc + first, j - first);
            }
        }
    }
    return true;
}

// Backward over U's blocks for all cases: x_p /= d_p, then x_s -= u_sp · x_p for
// the rows above.
bool BackwardPass(std::FILE* f, const Layout& s, double* buffer, const double* diag, int cases, double* x,
                  const char* routine) {
    tell_error(-2, "正在做向量向后回代....");
    for (int b = s.blocks; b >= 1; --b) {
        Progress("<<<< Complete : %d %%", (s.blocks - b + 1) * 100 / s.blocks);
        if (!ReadBlock(f, s, b, buffer, routine)) return false;
        for (int p = s.last_column(b); p >= s.first_column(b); --p) {
            const double* col = buffer + s.column(b, p);
            for (int c = 0; c < cases; ++c) {
                double* xc = x + long(c) * s.neq - 1;
                const double xp = xc[p] / diag[p];
                xc[p] = xp;
                for (int r = s.first[p]; r < p; ++r) xc[r] -= col[r] * xp;
            }
        }
    }
    return true;
}

}  // namespace

int equ_solver::cal_block_first(int blocks, int neq, int block_size, const std::int32_t* blockend,
                                const std::int32_t* addr, std::vector<std::int32_t>& first,
                                std::vector<std::int32_t>& q, std::vector<std::int32_t>& k) {
    if (JS_ERROR_CODE) return 0;
    const bool shaped = blocks >= 1 && neq >= 0 && block_size > 0 && blockend[0] == 0 &&
                        blockend[blocks] == neq && addr[0] == 0;
    if (!shaped) {
        tell_error(kFailure, "Skyline layout error in equ_solver");
        return 0;
    }
    if (!kv::fem::Allocate(first, std::size_t(neq) + 1) || !kv::fem::Allocate(q, std::size_t(blocks) + 1) ||
        !kv::fem::Allocate(k, std::size_t(blocks) + 1)) {
        tell_error(kFailure, "Out of Memery in tri_not_symmetri");
        return 0;
    }
    for (int j = 1; j <= neq; ++j) {
        const long height = long(addr[j]) - addr[j - 1];
        if (height == 0) {
            // Nothing reaches this freedom: it has no diagonal of its own.
            tell_error1(kFailure, "Equation %d has no stiffness: no element or spring reaches it", j);
            return 0;
        }
        if (height < 0 || height > j) {
            tell_error(kFailure, "Skyline layout error in equ_solver");
            return 0;
        }
        first[j] = std::int32_t(j - height + 1);
    }
    for (int b = 1; b <= blocks; ++b) {
        if (blockend[b] < blockend[b - 1] || long(addr[blockend[b]]) - addr[blockend[b - 1]] > block_size) {
            tell_error(kFailure, "Skyline layout error in equ_solver");
            return 0;
        }
        std::int32_t low = blockend[b] + 1;
        for (int j = blockend[b - 1] + 1; j <= blockend[b]; ++j) low = std::min(low, first[j]);
        q[b] = low;
        int holder = b;
        while (holder > 1 && blockend[holder - 1] >= low) --holder;
        k[b] = holder;
    }
    return 1;
}

int equ_solver::tri_symmetri(std::FILE* matrix, int blocks, int neq, int block_size,
                             const std::int32_t* blockend, const std::int32_t* addr, double* diag) {
    if (JS_ERROR_CODE) return 0;
    std::vector<std::int32_t> first, q, k;
    if (!cal_block_first(blocks, neq, block_size, blockend, addr, first, q, k)) return 0;
    std::vector<double> own, other, inverses;  // the inverse pivots: rows scale by multiplying
    if (!kv::fem::Allocate(own, std::size_t(block_size)) || !kv::fem::Allocate(other, std::size_t(block_size)) ||
        !kv::fem::Allocate(inverses, std::size_t(neq) + 1)) {
        tell_error(kFailure, "Out of memery in tri_symmetri");
        return 0;
    }
    const Layout s{blocks, neq, block_size, blockend, addr, first.data()};
    const std::int32_t* f = first.data();
    double* A = own.data();
    double* P = other.data();
    double* inverse = inverses.data();
    diag[0] = 0.0;

    tell_error(-2, "正在做三角阵分解....");
    for (int b = 1; b <= blocks; ++b) {
        Progress("Triangular Complete : %d %%", b * 100 / blocks);
        if (!ReadBlock(matrix, s, b, A, "tri_symmetri")) return 0;
        const int c0 = s.first_column(b), c1 = s.last_column(b);

        // While a column is being reduced, its finished rows m hold u_mj / d_m, so
        // that every reduction is a plain dot product with an unscaled column.
        for (int p = k[b]; p < b; ++p) {
            if (!ReadBlock(matrix, s, p, P, "tri_symmetri")) return 0;
            const int p0 = s.first_column(p), p1 = s.last_column(p);
            auto pcol = [&](int i) { return s.column(p, i); };
            Group g;
            for (int j = c0; j <= c1; ++j) {
                if (f[j] <= p1) g.add(f[j], s.column(b, j));
                if (g.n == 4 || (j == c1 && g.n > 0)) {
                    Reduce(P, pcol, std::max(p0, g.lowest()), p1, A, g, f, inverse);
                    g = Group();
                }
            }
        }
        // Inside the block, four columns at a time: the rows above the four first,
        // then each column's rows among the four, its pivot, and back to u_mj.
        auto acol = [&](int i) { return s.column(b, i); };
        for (int j0 = c0; j0 <= c1; j0 += 4) {
            const int j1 = std::min(j0 + 3, c1);
            Group g;
            for (int j = j0; j <= j1; ++j) g.add(f[j], s.column(b, j));
            Reduce(A, acol, std::max(c0, g.lowest()), j0 - 1, A, g, f, inverse);
            for (int j = j0; j <= j1; ++j) {
                const long oj = s.column(b, j);
                Group one;
                one.add(f[j], oj);
                Reduce(A, acol, std::max(j0, f[j]), j - 1, A, one, f, inverse);
                // d_j = a_jj - Σ u_mj² / d_m.
                double d = A[oj + j];
                for (int m = f[j]; m < j; ++m) {
                    const double l = A[oj + m];
                    const double u = l * diag[m];
                    d -= u * l;
                    A[oj + m] = u;
                }
                if (!PivotOk(j, d)) return 0;
                A[oj + j] = d;
                diag[j] = d;
                inverse[j] = 1.0 / d;
            }
        }
        if (!WriteBlock(matrix, s, b, A, "tri_symmetri")) return 0;
    }
    return WritePivots(diag, neq) ? 1 : 0;
}

int equ_solver::Back_symmetri(std::FILE* matrix, int blocks, int neq, int block_size,
                              const std::int32_t* blockend, const std::int32_t* addr, double* diag,
                              int cases, double* x) {
    if (JS_ERROR_CODE) return 0;
    if (!ReadPivots(diag, neq)) return 0;
    std::vector<double> buffer, inverse;
    if (!kv::fem::Allocate(buffer, std::size_t(block_size)) || !kv::fem::Allocate(inverse, std::size_t(neq) + 1)) {
        tell_error(kFailure, "Out of memery in Back_symmetri");
        return 0;
    }
    std::vector<std::int32_t> first, q, k;
    if (!cal_block_first(blocks, neq, block_size, blockend, addr, first, q, k)) return 0;
    const Layout s{blocks, neq, block_size, blockend, addr, first.data()};
    double* U = buffer.data();
    for (int j = 1; j <= neq; ++j) inverse[j] = 1.0 / diag[j];

    // Forward with Uᵀ·D⁻¹, backward with U.
    if (!ForwardPass(matrix, s, U, inverse.data(), cases, x, "Back_symmetri")) return 0;
    return BackwardPass(matrix, s, U, diag, cases, x, "Back_symmetri") ? 1 : 0;
}

int equ_solver::tri_not_symmetri(std::FILE* upper, std::FILE* lower, int blocks, int neq, int block_size,
                                 const std::int32_t* blockend, const std::int32_t* addr, double* diag) {
    if (JS_ERROR_CODE) return 0;
    std::vector<std::int32_t> first, q, k;
    if (!cal_block_first(blocks, neq, block_size, blockend, addr, first, q, k)) return 0;
    std::vector<double> own, other, inverses;  // the inverse pivots: rows scale by multiplying
    if (!kv::fem::Allocate(own, std::size_t(block_size)) || !kv::fem::Allocate(other, std::size_t(block_size)) ||
        !kv::fem::Allocate(inverses, std::size_t(neq) + 1)) {
        tell_error(kFailure, "Out of memery in tri_not_symmetri");
        return 0;
    }
    const Layout s{blocks, neq, block_size, blockend, addr, first.data()};
    const std::int32_t* f = first.data();
    double* A = own.data();
    double* P = other.data();
    double* inverse = inverses.data();
    diag[0] = 0.0;
    constexpr const char* kName = "tri_not_symmetri";

    // In both files the slot of (i, j) is column j's row i: U's column j in the
    // upper file, L's row j in the lower one, so every sum is a dot product.
    tell_error(-2, "正在做三角阵分解....");
    for (int b = 1; b <= blocks; ++b) {
        Progress("Triangular Complete : %d %%", b * 100 / blocks);
        const int c0 = s.first_column(b), c1 = s.last_column(b);

        // u_ij for the rows i of earlier blocks: L's rows from those blocks; then
        // l_ji for the columns i of earlier blocks: U's columns from those blocks.
        for (int part = 0; part < 2; ++part) {
            const bool lowerPart = part == 1;
            std::FILE* own = lowerPart ? lower : upper;
            std::FILE* by = lowerPart ? upper : lower;
            if (!ReadBlock(own, s, b, A, kName)) return 0;
            for (int p = k[b]; p < b; ++p) {
                if (!ReadBlock(by, s, p, P, kName)) return 0;
                const int p0 = s.first_column(p), p1 = s.last_column(p);
                auto pcol = [&](int i) { return s.column(p, i); };
                Group g;
                for (int j = c0; j <= c1; ++j) {
                    if (f[j] <= p1) g.add(f[j], s.column(b, j));
                    if (g.n == 4 || (j == c1 && g.n > 0)) {
                        Reduce(P, pcol, std::max(p0, g.lowest()), p1, A, g, f, lowerPart ? inverse : nullptr);
                        g = Group();
                    }
                }
            }
            if (!WriteBlock(own, s, b, A, kName)) return 0;
        }

        // Inside the block, four columns at a time: U's columns and L's rows
        // above the four, then each one's rows among the four and its pivot.
        double* Ub = A;
        double* Lb = P;
        if (!ReadBlock(upper, s, b, Ub, kName) || !ReadBlock(lower, s, b, Lb, kName)) return 0;
        auto col = [&](int i) { return s.column(b, i); };
        for (int j0 = c0; j0 <= c1; j0 += 4) {
            const int j1 = std::min(j0 + 3, c1);
            Group g;
            for (int j = j0; j <= j1; ++j) g.add(f[j], s.column(b, j));
            Reduce(Lb, col, std::max(c0, g.lowest()), j0 - 1, Ub, g, f, nullptr);
            Reduce(Ub, col, std::max(c0, g.lowest()), j0 - 1, Lb, g, f, inverse);
            for (int j = j0; j <= j1; ++j) {
                const long oj = s.column(b, j);
                Group one;
                one.add(f[j], oj);
                Reduce(Lb, col, std::max(j0, f[j]), j - 1, Ub, one, f, nullptr);
                Reduce(Ub, col, std::max(j0, f[j]), j - 1, Lb, one, f, inverse);
                const double d = Ub[oj + j] - Dot(Lb + oj + f[j], Ub + oj + f[j], j - f[j]);
                // The same pivot test as the symmetric form: a zero pivot would
                // otherwise divide every later row of L by it.
                if (!PivotOk(j, d)) return 0;
                Ub[oj + j] = d;
                Lb[oj + j] = 1.0;
                diag[j] = d;
                inverse[j] = 1.0 / d;
            }
        }
        if (!WriteBlock(upper, s, b, Ub, kName) || !WriteBlock(lower, s, b, Lb, kName)) return 0;
    }
    return WritePivots(diag, neq) ? 1 : 0;
}

int equ_solver::Back_not_symmetri(std::FILE* upper, std::FILE* lower, int blocks, int neq, int block_size,
                                  const std::int32_t* blockend, const std::int32_t* addr, double* diag,
                                  int cases, double* x) {
    if (JS_ERROR_CODE) return 0;
    if (!ReadPivots(diag, neq)) return 0;
    std::vector<double> buffer;
    if (!kv::fem::Allocate(buffer, std::size_t(block_size))) {
        tell_error(kFailure, "Out of memery in Back_not_symmetri");
        return 0;
    }
    std::vector<std::int32_t> first, q, k;
    if (!cal_block_first(blocks, neq, block_size, blockend, addr, first, q, k)) return 0;
    const Layout s{blocks, neq, block_size, blockend, addr, first.data()};
    double* B = buffer.data();

    // Forward with L (unit diagonal), backward with U as in the symmetric form.
    if (!ForwardPass(lower, s, B, nullptr, cases, x, "Back_not_symmetri")) return 0;
    return BackwardPass(upper, s, B, diag, cases, x, "Back_not_symmetri") ? 1 : 0;
}

int equ_solver::one_block(std::FILE* matrix, const char* name, int blocks, int block_size,
                          const std::int32_t* blockend, const std::int32_t* addr) {
    if (JS_ERROR_CODE) return 0;
    QuietFile out(name, "wb");
    if (!out.get()) {
        tell_error(kFailure, "Open file error in one_block");
        return 0;
    }
    std::vector<double> buffer;
    if (!kv::fem::Allocate(buffer, std::size_t(block_size))) {
        tell_error(kFailure, "Out of memery in one_block");
        return 0;
    }
    const Layout s{blocks, blockend[blocks], block_size, blockend, addr, nullptr};
    for (int b = 1; b <= blocks; ++b) {
        if (s.entries(b) < 0 || s.entries(b) > block_size) {
            tell_error(kFailure, "Skyline layout error in equ_solver");
            return 0;
        }
        if (!ReadBlock(matrix, s, b, buffer.data(), "one_block")) return 0;
        if (!kv::fem::bin::put_f64s(out.get(), buffer.data(), std::size_t(s.entries(b)))) {
            tell_error(kFailure, "Open file error in one_block");
            return 0;
        }
    }
    if (!out.commit()) {
        tell_error(kFailure, "Open file error in one_block");
        return 0;
    }
    return 1;
}

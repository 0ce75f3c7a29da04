#include "members/shells/shell_tables.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cmath>
#include <numbers>

namespace kv::shells {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kNu = 1.0 / 6.0;
constexpr double kBendingStiffness = 12.0 * (1.0 - kNu * kNu);  // E·t³/D

// Truncated toward zero at `decimals` places; the small allowance keeps a value
// such as 2.9 (held as 2.8999…) at 2.90.
float Truncate(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double s = v * scale;
    const double t = std::trunc(s + (s >= 0 ? 1e-9 : -1e-9));
    return static_cast<float>(t / scale + 0.0);
}

std::vector<float> Stored(const std::vector<double>& values, int components) {
    std::vector<float> out(values.size());
    for (std::size_t k = 0; k < values.size(); ++k)
        out[k] = Truncate(values[k], k % components == 0 ? 4 : 2);
    return out;
}

// ---- rectangle ------------------------------------------------------------------

int SideIndex(int t) { return (t - 1) / 5; }
int RiseIndex(int t) { return (t - 1) % 5; }

// Kirchhoff effective shears along the two edges of the continuous double sine
// series (a = 1, b = β, D = q = 1), as positive edge reactions per unit length.
// Sums over odd m, n (n along the edge, m across it); the slowly converging sum
// across takes its tail from the terms' leading behaviour 16·s/(π³·n·m²).
class EdgeShearSeries {
public:
    static constexpr int kTerms = 401;

    // alongA: the edge y = b, else the edge x = a.
    EdgeShearSeries(double beta, double ck2, bool alongA) : length_(alongA ? 1.0 : beta) {
        for (int n = 1; n <= kTerms; n += 2) {
            double inner = 0;
            for (int m = 1; m <= kTerms; m += 2) {
                const double kx = alongA ? n * kPi : m * kPi;
                const double ky = alongA ? m * kPi / beta : n * kPi / beta;
                const double lambda = -(kx * kx + ky * ky);
                const double w = 16.0 / (kPi * kPi * m * n) / (lambda * lambda + ck2);
                const double across = alongA ? ky : kx, along = alongA ? kx : ky;
                inner += w * across * (across * across + (2.0 - kNu) * along * along);
            }
            // Σ over odd m > kTerms of 1/m² ≈ 1/(2·(kTerms + 1)).
            const double scale = alongA ? beta : 1.0;
            inner += 16.0 * scale / (kPi * kPi * kPi * n) / (2.0 * (kTerms + 1));
            terms_.push_back(inner);
        }
    }
    // The reaction at the distance s from the corner.
    double At(double s) const {
        double total = 0;
        for (std::size_t k = 0; k < terms_.size(); ++k) total += terms_[k] * std::sin((2 * k + 1) * kPi * s / length_);
        return total;
    }

private:
    double length_;
    std::vector<double> terms_;
};

}  // namespace

int RectTablePoints(int t) { return 36 + 6 * SideIndex(t); }

std::vector<double> ComputeRectTable(int t, int npp) {
    const int j = SideIndex(t);
    const double beta = kSideRatios[j];
    const double riseRatio = kRiseRatios[RiseIndex(t)];
    const int rows = 6 + j;
    const int points = 6 * rows;
    const int nx = 10 * npp;
    const int ny = static_cast<int>(std::lround(nx * beta));
    const double h = 1.0 / nx;
    // k/t with a = 1, and E·t·k² over D.
    const double K = 8.0 * riseRatio / (1.0 + beta * beta);
    const double ck2 = kBendingStiffness * K * K;

    // Grid node of point p: column c from the middle (i = nx/2 + npp·c), row r
    // from the a-edge y = b (j = ny − npp·r).
    std::vector<int> pi(points), pj(points);
    for (int p = 0; p < points; ++p) {
        pi[p] = nx / 2 + npp * (p % 6);
        pj[p] = ny - npp * (p / 6);
    }
    // Mode factors at the point nodes: sin and cos of mπi/nx (and of nπj/ny).
    std::vector<double> sx(points * nx), cx(points * nx), sy(points * ny), cy(points * ny);
    for (int p = 0; p < points; ++p) {
        for (int m = 1; m < nx; ++m) {
            sx[p * nx + m] = std::sin(m * kPi * pi[p] / nx);
            cx[p * nx + m] = std::cos(m * kPi * pi[p] / nx);
        }
        for (int n = 1; n < ny; ++n) {
            sy[p * ny + n] = std::sin(n * kPi * pj[p] / ny);
            cy[p * ny + n] = std::cos(n * kPi * pj[p] / ny);
        }
    }
    std::vector<double> out(static_cast<std::size_t>(points) * kRectComponents, 0.0);
    for (int m = 1; m < nx; m += 2) {
        const double am = -4.0 / (h * h) * std::pow(std::sin(m * kPi / (2.0 * nx)), 2);
        const double gm = std::sin(m * kPi / nx) / h;
        const double qm = 1.0 / std::tan(m * kPi / (2.0 * nx));
        for (int n = 1; n < ny; n += 2) {
            const double bn = -4.0 / (h * h) * std::pow(std::sin(n * kPi / (2.0 * ny)), 2);
            const double gn = std::sin(n * kPi / ny) / h;
            // The grid's uniform load in sine modes.
            const double Q = 4.0 / (nx * ny) * qm / std::tan(n * kPi / (2.0 * ny));
            const double lambda = am + bn;
            const double W = Q / (lambda * lambda + ck2);
            const double Psi = -kBendingStiffness * K * W / lambda;  // t·φ
            for (int p = 0; p < points; ++p) {
                const double ss = sx[p * nx + m] * sy[p * ny + n];
                const double cc = cx[p * nx + m] * cy[p * ny + n];
                double* v = &out[static_cast<std::size_t>(p) * kRectComponents];
                v[0] -= W * ss;
                v[1] += bn * Psi * ss;
                v[2] += am * Psi * ss;
                v[3] -= gm * gn * Psi * cc;
                v[4] -= (am + kNu * bn) * W * ss;
                v[5] -= (bn + kNu * am) * W * ss;
                v[6] += (1.0 - kNu) * gm * gn * W * cc;
            }
        }
    }
    // Edge shears on the a-edge (row 0) and the b-edge (column 5), corner excluded.
    const EdgeShearSeries alongA(beta, ck2, true), alongB(beta, ck2, false);
    for (int c = 0; c < 5; ++c) out[c * kRectComponents + 8] = alongA.At(0.5 + 0.1 * c);
    for (int r = 1; r < rows; ++r) out[(6 * r + 5) * kRectComponents + 7] = alongB.At(beta / 2 + 0.1 * (rows - 1 - r));
    for (double& v : out) v *= 1000.0;
    return out;
}

std::vector<float> GenerateRectTable(int t, int npp) { return Stored(ComputeRectTable(t, npp), kRectComponents); }

namespace {

// Lower band of a symmetric positive definite matrix: entry (r, r − d) at
// r·(width + 1) + d. Factored in place as L·Lᵀ (Cholesky).
struct BandMatrix {
    int size, width;
    std::vector<double> v;
    BandMatrix(int n, int w) : size(n), width(w), v(static_cast<std::size_t>(n) * (w + 1), 0.0) {}
    double& at(int r, int c) { return v[static_cast<std::size_t>(r) * (width + 1) + (r - c)]; }

    void Factor() {
        for (int r = 0; r < size; ++r) {
            const int first = std::max(0, r - width);
            for (int c = first; c <= r; ++c) {
                double sum = at(r, c);
                const int from = std::max(first, c - width);
                for (int k = from; k < c; ++k) sum -= at(r, k) * at(c, k);
                at(r, c) = c == r ? std::sqrt(sum) : sum / at(c, c);
            }
        }
    }
    void Solve(std::vector<double>& x) {
        for (int r = 0; r < size; ++r) {
            double sum = x[r];
            for (int k = std::max(0, r - width); k < r; ++k) sum -= at(r, k) * x[k];
            x[r] = sum / at(r, r);
        }
        for (int r = size - 1; r >= 0; --r) {
            double sum = x[r];
            for (int k = r + 1; k <= std::min(size - 1, r + width); ++k) sum -= at(k, r) * x[k];
            x[r] = sum / at(r, r);
        }
    }
};

// The hexagon of side 1 on a triangular lattice of n spacings per side. Node (i, j)
// lies at x = s·(i + j/2), y = s·j·√3/2 (s = 1/n); the hexagon is
// max(|i|, |j|, |i + j|) ≤ n, its edge j = n the one the points face.
class HexLattice {
public:
    explicit HexLattice(int n) : n_(n), s_(1.0 / n), index_((2 * n + 1) * (2 * n + 1), -1) {
        for (int j = -n + 1; j < n; ++j)
            for (int i = -n + 1; i < n; ++i)
                if (std::abs(i + j) < n) {
                    index_[Key(i, j)] = static_cast<int>(nodes_.size());
                    nodes_.push_back({i, j});
                }
    }
    int Size() const { return static_cast<int>(nodes_.size()); }
    double Spacing() const { return s_; }

    // Solves (L² + ck2)·w = 1 and −L·ψ = cK·w on the interior nodes.
    void Solve(double cK, double ck2, std::vector<double>& w, std::vector<double>& psi) const {
        const int size = Size();
        const double f = 2.0 / (3.0 * s_ * s_);
        // L as neighbour lists (interior neighbours only: the edges hold zero).
        std::vector<std::array<int, 6>> nb(size);
        for (int k = 0; k < size; ++k)
            for (int d = 0; d < 6; ++d) nb[k][d] = Index(nodes_[k].i + kSteps[d][0], nodes_[k].j + kSteps[d][1]);
        int width1 = 0;
        for (int k = 0; k < size; ++k)
            for (int m : nb[k])
                if (m >= 0) width1 = std::max(width1, k - m);
        // A = L² + ck2 (rows of L: −6f on the diagonal, f to each interior neighbour).
        BandMatrix a(size, 2 * width1), l(size, width1);
        auto entry = [&](int r, int m) { return r == m ? -6.0 * f : f; };
        for (int k = 0; k < size; ++k) {
            l.at(k, k) = 6.0 * f;
            a.at(k, k) += ck2;
            std::array<int, 7> ring{k};
            std::copy(nb[k].begin(), nb[k].end(), ring.begin() + 1);
            for (int m : ring) {
                if (m < 0) continue;
                if (m < k) l.at(k, m) = -f;
                std::array<int, 7> next{m};
                std::copy(nb[m].begin(), nb[m].end(), next.begin() + 1);
                for (int r : next)
                    if (r >= 0 && r <= k) a.at(k, r) += entry(k, m) * entry(m, r);
            }
        }
        a.Factor();
        w.assign(size, 1.0);
        a.Solve(w);
        l.Factor();
        psi = w;
        for (double& x : psi) x *= cK;
        l.Solve(psi);
    }

    // Value of a field at (i, j): zero on the edges, continued oddly beyond them.
    double Value(const std::vector<double>& u, int i, int j) const {
        if (j > n_) return -Value(u, i + j - n_, 2 * n_ - j);
        if (i + j > n_) return -Value(u, n_ - j, n_ - i);
        const int k = Index(i, j);
        return k < 0 ? 0.0 : u[k];
    }
    // Second derivatives u,xx, u,yy, u,xy at (i, j) from the second differences
    // along the three lattice directions.
    void Second(const std::vector<double>& u, int i, int j, double& uxx, double& uyy, double& uxy) const {
        const double u0 = Value(u, i, j), s2 = s_ * s_;
        const double d0 = (Value(u, i + 1, j) - 2 * u0 + Value(u, i - 1, j)) / s2;
        const double d60 = (Value(u, i, j + 1) - 2 * u0 + Value(u, i, j - 1)) / s2;
        const double d120 = (Value(u, i - 1, j + 1) - 2 * u0 + Value(u, i + 1, j - 1)) / s2;
        uxx = d0;
        uxy = (d60 - d120) / std::sqrt(3.0);
        uyy = (2.0 * (d60 + d120) - d0) / 3.0;
    }

private:
    struct Node {
        int i, j;
    };
    static constexpr int kSteps[6][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, -1}, {-1, 1}};
    int Key(int i, int j) const { return (i + n_) * (2 * n_ + 1) + (j + n_); }
    int Index(int i, int j) const {
        if (std::abs(i) >= n_ || std::abs(j) >= n_ || std::abs(i + j) >= n_) return -1;
        return index_[Key(i, j)];
    }
    int n_;
    double s_;
    std::vector<int> index_;
    std::vector<Node> nodes_;
};

}  // namespace

std::vector<double> ComputeSixTable(int t, int refine) {
    const int n = 8 * refine;
    const HexLattice lattice(n);
    const double K = 2.0 * kRiseRatios[t - 1];  // k/t with a = 1
    std::vector<double> w, psi;
    lattice.Solve(kBendingStiffness * K, kBendingStiffness * K * K, w, psi);
    std::vector<double> out(kSixPoints * kSixComponents, 0.0);
    // The 15 points: rows 0..4 from the edge inwards, 2·refine lattice rows apart.
    int p = 0;
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 5 - row; ++col, ++p) {
            const int j = n - 2 * refine * row;
            const int i = refine * col - j / 2;  // x = col/8
            double wxx, wyy, wxy, pxx, pyy, pxy;
            lattice.Second(w, i, j, wxx, wyy, wxy);
            lattice.Second(psi, i, j, pxx, pyy, pxy);
            double* v = &out[p * kSixComponents];
            v[0] = -lattice.Value(w, i, j);
            v[1] = pyy;
            v[2] = pxx;
            v[3] = -pxy;
            v[4] = -(wxx + kNu * wyy);
            v[5] = -(wyy + kNu * wxx);
            v[6] = (1.0 - kNu) * wxy;
            // The edge carries membrane shear and twist only (the corner's
            // stencil would see both edges' odd continuations).
            if (row == 0) v[0] = v[1] = v[2] = v[4] = v[5] = 0.0;
        }
    for (double& v : out) v *= 1000.0;
    return out;
}
std::vector<float> GenerateSixTable(int t, int refine) { return Stored(ComputeSixTable(t, refine), kSixComponents); }

namespace {

struct Tables {
    std::vector<float> rect[kRectTables];
    std::vector<float> six[kSixTables];
};

const Tables& Cached() {
    static const Tables tables = [] {
        Tables made;
        for (int t = 1; t <= kRectTables; ++t) made.rect[t - 1] = GenerateRectTable(t);
        for (int t = 1; t <= kSixTables; ++t) made.six[t - 1] = GenerateSixTable(t);
        return made;
    }();
    return tables;
}

}  // namespace

float RectCoefficient(int t, int p, int c) {
    if (t < 1 || t > kRectTables || p < 1 || p > RectTablePoints(t) || c < 1 || c > kRectComponents) return 0.0f;
    return Cached().rect[t - 1][(p - 1) * kRectComponents + (c - 1)];
}

float SixCoefficient(int t, int p, int c) {
    if (t < 1 || t > kSixTables || p < 1 || p > kSixPoints || c < 1 || c > kSixComponents) return 0.0f;
    return Cached().six[t - 1][(p - 1) * kSixComponents + (c - 1)];
}

}  // namespace kv::shells

#include "design/plate_elastic.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/error.h"

namespace kv::design {
namespace {

constexpr int kFree = 0;
constexpr int kSimple = 1;
constexpr int kFixed = 2;

// Gauss-Legendre, 4 points on [0, 1]: exact for the degree-6 products of the
// element stiffness and the degree-4 products of the triangular load.
constexpr double kGaussX[4] = {0.5 - 0.5 * 0.8611363115940526, 0.5 - 0.5 * 0.3399810435848563,
                               0.5 + 0.5 * 0.3399810435848563, 0.5 + 0.5 * 0.8611363115940526};
constexpr double kGaussW[4] = {0.5 * 0.3478548451374538, 0.5 * 0.6521451548625461,
                               0.5 * 0.6521451548625461, 0.5 * 0.3478548451374538};

// Cubic Hermite function of one end (0 or 1) and kind (0 value, 1 slope) on a
// segment of length h, and its first and second derivatives in x.
struct Hermite {
    double f, d, dd;
};
Hermite HermiteAt(int end, int kind, double xi, double h) {
    double x2 = xi * xi, x3 = x2 * xi;
    if (end == 0 && kind == 0) return {1 - 3 * x2 + 2 * x3, (-6 * xi + 6 * x2) / h, (-6 + 12 * xi) / (h * h)};
    if (end == 0) return {h * (xi - 2 * x2 + x3), 1 - 4 * xi + 3 * x2, (-4 + 6 * xi) / h};
    if (kind == 0) return {3 * x2 - 2 * x3, (6 * xi - 6 * x2) / h, (6 - 12 * xi) / (h * h)};
    return {h * (-x2 + x3), -2 * xi + 3 * x2, (-2 + 6 * xi) / h};
}

// Element degrees of freedom: 4 corners (0,0), (1,0), (1,1), (0,1) in local
// coordinates, each with w, w,x, w,y, w,xy.
constexpr int kCornerX[4] = {0, 1, 1, 0};
constexpr int kCornerY[4] = {0, 0, 1, 1};
constexpr int kKindX[4] = {0, 1, 0, 1};
constexpr int kKindY[4] = {0, 0, 1, 1};

struct ShapeAt {
    double n[16], xx[16], yy[16], xy[16];
};
ShapeAt ShapesAt(double xi, double eta, double hx, double hy) {
    ShapeAt s{};
    for (int c = 0; c < 4; ++c) {
        for (int k = 0; k < 4; ++k) {
            Hermite X = HermiteAt(kCornerX[c], kKindX[k], xi, hx);
            Hermite Y = HermiteAt(kCornerY[c], kKindY[k], eta, hy);
            int a = 4 * c + k;
            s.n[a] = X.f * Y.f;
            s.xx[a] = X.dd * Y.f;
            s.yy[a] = X.f * Y.dd;
            s.xy[a] = X.d * Y.d;
        }
    }
    return s;
}

// Sum of p[t]·q[t]; four partial sums keep the multiply units busy.
double Dot(const double* p, const double* q, int n) {
    double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
    int t = 0;
    for (; t + 4 <= n; t += 4) {
        s0 += p[t] * q[t];
        s1 += p[t + 1] * q[t + 1];
        s2 += p[t + 2] * q[t + 2];
        s3 += p[t + 3] * q[t + 3];
    }
    for (; t < n; ++t) s0 += p[t] * q[t];
    return (s0 + s1) + (s2 + s3);
}

// Symmetric positive definite band matrix, lower band stored by rows.
class BandMatrix {
public:
    BandMatrix(int n, int band) : n_(n), band_(band), a_(static_cast<size_t>(n) * (band + 1), 0.0) {}
    double& at(int i, int j) { return a_[static_cast<size_t>(i) * (band_ + 1) + (i - j)]; }
    double* row(int i) { return &a_[static_cast<size_t>(i) * (band_ + 1)]; }
    // Cholesky in place; false on a pivot that shows a mechanism.
    bool Factor() {
        for (int i = 0; i < n_; ++i) {
            int j0 = std::max(0, i - band_);
            double* ri = row(i);
            for (int j = j0; j <= i; ++j) {
                const double* rj = row(j);
                int k0 = std::max(j0, j - band_);
                double s = ri[i - j] - Dot(ri + (i - j + 1), rj + 1, j - k0);
                if (j == i) {
                    // A free rigid-body motion leaves only round-off in the pivot.
                    if (!(s > 1e-9 * ri[0])) return false;
                    ri[0] = std::sqrt(s);
                } else {
                    ri[i - j] = s / rj[0];
                }
            }
        }
        return true;
    }
    void Solve(std::vector<double>& b) {
        for (int i = 0; i < n_; ++i) {
            double s = b[i];
            for (int k = std::max(0, i - band_); k < i; ++k) s -= at(i, k) * b[k];
            b[i] = s / at(i, i);
        }
        for (int i = n_ - 1; i >= 0; --i) {
            b[i] /= at(i, i);
            double bi = b[i];
            for (int k = std::max(0, i - band_); k < i; ++k) b[k] -= at(i, k) * bi;
        }
    }

private:
    int n_, band_;
    std::vector<double> a_;
};

bool ValidCodes(const int edges[4]) {
    for (int i = 0; i < 4; ++i)
        if (edges[i] != kFree && edges[i] != kSimple && edges[i] != kFixed) return false;
    return true;
}

}  // namespace

namespace {

// Node coordinates of a rectangular grid, each direction with a node on its
// centre line, so the centre and the edge midpoints are nodes.
struct Grid {
    std::vector<double> x, y;
};

// Element stiffness (D = 1) and the load of N_a·q over one element, q = 1 or
// the triangular load falling from 1 at y = 0 to 0 at y = ly.
struct ElementMatrices {
    double hx, hy;
    double k[16][16];
    double load_row[16][4];  // ∫ N_a over the element, split by Gauss row in y
};

void BuildElement(ElementMatrices& e, double nu) {
    const double hx = e.hx, hy = e.hy, c33 = (1 - nu) / 2;
    std::fill(&e.k[0][0], &e.k[0][0] + 256, 0.0);
    std::fill(&e.load_row[0][0], &e.load_row[0][0] + 64, 0.0);
    for (int gx = 0; gx < 4; ++gx) {
        for (int gy = 0; gy < 4; ++gy) {
            ShapeAt s = ShapesAt(kGaussX[gx], kGaussX[gy], hx, hy);
            double w = kGaussW[gx] * kGaussW[gy] * hx * hy;
            for (int a = 0; a < 16; ++a) {
                // Moments of shape a against the curvatures of shape b.
                double ma = s.xx[a] + nu * s.yy[a], mb = s.yy[a] + nu * s.xx[a], t = 4 * c33 * s.xy[a];
                for (int b = 0; b < 16; ++b) e.k[a][b] += w * (ma * s.xx[b] + mb * s.yy[b] + t * s.xy[b]);
                e.load_row[a][gy] += w * s.n[a];
            }
        }
    }
}

bool SolveOnGrid(const Grid& g, double ly, const int edges[4], const int corners[4], double nu,
                 PlateLoad load, PlateCoefficients& out) {
    out = PlateCoefficients{};
    const int nx = static_cast<int>(g.x.size()) - 1, ny = static_cast<int>(g.y.size()) - 1;
    const int nodes = (nx + 1) * (ny + 1);
    // Number the nodes across the shorter side first to keep the band narrow.
    auto node = [&](int ix, int iy) { return nx >= ny ? ix * (ny + 1) + iy : iy * (nx + 1) + ix; };

    // Supports: which of the four nodal unknowns w, w,x, w,y, w,xy are held. A
    // simply supported edge holds w and its slope along the edge, a fixed edge all four.
    std::vector<unsigned char> held(static_cast<size_t>(nodes) * 4, 0);
    auto hold = [&](int ix, int iy, int k) { held[static_cast<size_t>(node(ix, iy)) * 4 + k] = 1; };
    for (int ix = 0; ix <= nx; ++ix) {
        for (int side : {0, 2}) {
            if (edges[side] == kFree) continue;
            int iy = side == 0 ? 0 : ny;
            hold(ix, iy, 0);
            hold(ix, iy, 1);
            if (edges[side] == kFixed) hold(ix, iy, 2), hold(ix, iy, 3);
        }
    }
    for (int iy = 0; iy <= ny; ++iy) {
        for (int side : {1, 3}) {
            if (edges[side] == kFree) continue;
            int ix = side == 1 ? nx : 0;
            hold(ix, iy, 0);
            hold(ix, iy, 2);
            if (edges[side] == kFixed) hold(ix, iy, 1), hold(ix, iy, 3);
        }
    }
    if (corners) {
        const int cx[4] = {0, nx, nx, 0}, cy[4] = {0, 0, ny, ny};
        for (int c = 0; c < 4; ++c)
            if (corners[c]) hold(cx[c], cy[c], 0);
    }
    std::vector<int> eq(held.size(), -1);
    int n = 0;
    for (size_t d = 0; d < held.size(); ++d)
        if (!held[d]) eq[d] = n++;
    if (n == 0) return false;

    auto element_dofs = [&](int ex, int ey, int dofs[16]) {
        for (int c = 0; c < 4; ++c)
            for (int k = 0; k < 4; ++k)
                dofs[4 * c + k] = eq[static_cast<size_t>(node(ex + kCornerX[c], ey + kCornerY[c])) * 4 + k];
    };
    int band = 0, dofs[16];
    for (int ex = 0; ex < nx; ++ex) {
        for (int ey = 0; ey < ny; ++ey) {
            element_dofs(ex, ey, dofs);
            int lo = n, hi = -1;
            for (int d : dofs)
                if (d >= 0) lo = std::min(lo, d), hi = std::max(hi, d);
            if (hi >= 0) band = std::max(band, hi - lo);
        }
    }

    // Graded grids have only a few element sizes: build each once.
    std::vector<ElementMatrices> kinds;
    auto matrices_of = [&](double hx, double hy) -> const ElementMatrices& {
        for (const ElementMatrices& e : kinds)
            if (e.hx == hx && e.hy == hy) return e;
        kinds.emplace_back();
        kinds.back().hx = hx;
        kinds.back().hy = hy;
        BuildElement(kinds.back(), nu);
        return kinds.back();
    };
    kinds.reserve(64);

    BandMatrix K(n, band);
    std::vector<double> f(n, 0.0);
    for (int ex = 0; ex < nx; ++ex) {
        for (int ey = 0; ey < ny; ++ey) {
            const double hx = g.x[ex + 1] - g.x[ex], hy = g.y[ey + 1] - g.y[ey];
            const ElementMatrices& e = matrices_of(hx, hy);
            element_dofs(ex, ey, dofs);
            double q[4];
            for (int gy = 0; gy < 4; ++gy)
                q[gy] = load == PlateLoad::Uniform ? 1.0 : 1.0 - (g.y[ey] + kGaussX[gy] * hy) / ly;
            for (int a = 0; a < 16; ++a) {
                int i = dofs[a];
                if (i < 0) continue;
                for (int b = 0; b < 16; ++b) {
                    int j = dofs[b];
                    if (j >= 0 && j <= i) K.at(i, j) += e.k[a][b];
                }
                for (int gy = 0; gy < 4; ++gy) f[i] += e.load_row[a][gy] * q[gy];
            }
        }
    }
    if (!K.Factor()) return false;
    K.Solve(f);

    std::vector<double> u(held.size(), 0.0);
    for (size_t d = 0; d < held.size(); ++d)
        if (eq[d] >= 0) u[d] = f[eq[d]];

    // Curvatures at a node, averaged over the elements around it.
    auto moments_at = [&](int ix, int iy, double& mx, double& my) {
        double kxx = 0, kyy = 0;
        int count = 0;
        for (int ex = ix - 1; ex <= ix; ++ex) {
            for (int ey = iy - 1; ey <= iy; ++ey) {
                if (ex < 0 || ey < 0 || ex >= nx || ey >= ny) continue;
                ShapeAt s = ShapesAt(ix - ex, iy - ey, g.x[ex + 1] - g.x[ex], g.y[ey + 1] - g.y[ey]);
                for (int c = 0; c < 4; ++c)
                    for (int k = 0; k < 4; ++k) {
                        double d = u[static_cast<size_t>(node(ex + kCornerX[c], ey + kCornerY[c])) * 4 + k];
                        kxx += s.xx[4 * c + k] * d;
                        kyy += s.yy[4 * c + k] * d;
                    }
                ++count;
            }
        }
        kxx /= count;
        kyy /= count;
        mx = -(kxx + nu * kyy);
        my = -(kyy + nu * kxx);
    };

    const int cx = nx / 2, cy = ny / 2;
    double mx, my;
    moments_at(cx, cy, out.mid[0], out.mid[1]);
    // Only a fixed edge carries a moment; on the others it is zero by the support.
    if (edges[0] == kFixed) moments_at(cx, 0, mx, out.edge[0]);
    if (edges[1] == kFixed) moments_at(nx, cy, out.edge[1], my);
    if (edges[2] == kFixed) moments_at(cx, ny, mx, out.edge[2]);
    if (edges[3] == kFixed) moments_at(0, cy, out.edge[3], my);
    out.w_centre = u[static_cast<size_t>(node(cx, cy)) * 4];
    for (int i = 0; i < nodes; ++i) out.w_max = std::max(out.w_max, std::fabs(u[static_cast<size_t>(i) * 4]));
    return true;
}

std::vector<double> Uniform(double length, int elements) {
    std::vector<double> x(elements + 1);
    for (int i = 0; i <= elements; ++i) x[i] = length * i / elements;
    x[elements] = length;
    return x;
}

// Nodes over a long side: elements of about h0 at both ends, where the edge
// disturbs the plate, growing by a quarter each toward the middle up to 4·h0,
// or up to a 80th of the side on very long plates: the bicubic elements carry
// the smooth middle of such a plate exactly enough, and the count stays bounded.
// halve splits every element in two (the finer grid of the pair).
std::vector<double> Graded(double length, double h0, bool halve) {
    std::vector<double> sizes;
    const double largest = std::max(4 * h0, length / 80);
    double h = h0, sum = 0;
    while (sum < length / 2) {
        sizes.push_back(h);
        sum += h;
        h = std::min(h * 1.25, largest);
    }
    double scale = (length / 2) / sum;
    std::vector<double> x{0.0};
    auto add = [&](double size) {
        double start = x.back();
        if (halve) x.push_back(start + size / 2);
        x.push_back(start + size);
    };
    for (double s : sizes) add(s * scale);
    x.back() = length / 2;
    for (auto it = sizes.rbegin(); it != sizes.rend(); ++it) add(*it * scale);
    x.back() = length;
    return x;
}

// Elements across the shorter side on the coarse grid; the fine grid has twice
// as many. With the extrapolation this meets the series solutions to 0.2 %.
constexpr int kCoarse = 6;

// Grids of one plate: the coarse one and the fine one that halves its elements.
Grid MakeGrid(double lx, double ly, bool fine) {
    const int across = fine ? 2 * kCoarse : kCoarse;
    Grid g;
    double r = std::max(lx, ly) / std::min(lx, ly);
    std::vector<double>& along = lx >= ly ? g.x : g.y;
    std::vector<double>& short_side = lx >= ly ? g.y : g.x;
    short_side = Uniform(std::min(lx, ly), across);
    if (r < 1.5)
        along = Uniform(std::max(lx, ly), (fine ? 4 : 2) * static_cast<int>(kCoarse * r / 2 + 0.5));
    else
        along = Graded(std::max(lx, ly), std::min(lx, ly) / kCoarse, fine);
    return g;
}

}  // namespace

bool SolvePlate(double lambda, const int edges[4], const int corners[4], double nu, PlateLoad load,
                PlateCoefficients& out) {
    out = PlateCoefficients{};
    if (!ValidCodes(edges) || !(lambda > 0) || !std::isfinite(lambda)) return false;
    double lx = lambda, ly = 1.0;

    // Far from the short edges a long plate bends as a strip across its short
    // span, and the edge effects fade with distance. Where that strip stands on
    // its own (both long edges supported, or one fixed and the other free) and
    // the load does not vary along the plate, a shorter plate gives the same
    // moments: 8 spans for a supported strip, 16 for a cantilever.
    const bool long_x = lx >= ly;
    const int e1 = long_x ? edges[0] : edges[1], e2 = long_x ? edges[2] : edges[3];
    double cap = 0;
    if (e1 != kFree && e2 != kFree) cap = 8;
    else if ((e1 == kFixed && e2 == kFree) || (e1 == kFree && e2 == kFixed)) cap = 16;
    if (cap > 0 && (load == PlateLoad::Uniform || long_x)) {
        if (long_x) lx = std::min(lx, cap);
        else ly = std::min(ly, cap * lx);
    }

    // Moments converge as h²: two grids, the second halving every element of
    // the first, and Richardson extrapolation M = (4·M_fine - M_coarse)/3.
    PlateCoefficients coarse, fine;
    if (!SolveOnGrid(MakeGrid(lx, ly, false), ly, edges, corners, nu, load, coarse)) return false;
    if (!SolveOnGrid(MakeGrid(lx, ly, true), ly, edges, corners, nu, load, fine)) return false;
    for (int i = 0; i < 4; ++i) out.edge[i] = (4 * fine.edge[i] - coarse.edge[i]) / 3;
    for (int i = 0; i < 2; ++i) out.mid[i] = (4 * fine.mid[i] - coarse.mid[i]) / 3;
    // Deflections converge much faster; the fine grid's are kept.
    out.w_centre = fine.w_centre;
    out.w_max = fine.w_max;
    return true;
}

int PlateTable::Cal_Plate_Force_Use_Table(float lx, float ly, const int* edges, const int* corners,
                                          float q, float nu, Plate_force& force, float& w_centre,
                                          float& w_max, float /*unused*/) {
    force = Plate_force{};
    w_centre = w_max = 0;
    if (!(lx > 0) || !(ly > 0) || !std::isfinite(lx) || !std::isfinite(ly)) {
        tell_error(201, "板的边长必须大于零 !");
        return 0;
    }
    if (!(nu >= 0 && nu < 0.5f)) {
        tell_error(201, "泊松比应在0到0.5之间 !");
        return 0;
    }
    int e[4], c[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        e[i] = edges ? edges[i] : -1;
        if (corners) c[i] = corners[i] ? 1 : 0;
    }
    const double lambda = static_cast<double>(lx) / ly;

    const PlateCoefficients* found = nullptr;
    for (int i = 0; i < stored_ && !found; ++i) {
        const Entry& m = memory_[i];
        if (m.lambda == lambda && m.nu == nu && std::equal(e, e + 4, m.edges) && std::equal(c, c + 4, m.corners))
            found = &m.c;
    }
    if (!found) {
        PlateCoefficients solved;
        if (!SolvePlate(lambda, e, c, nu, load_, solved)) {
            tell_error(201, "此种支撑条件不能计算 !");
            return 0;
        }
        Entry& m = memory_[next_];
        m.lambda = lambda;
        m.nu = nu;
        std::copy(e, e + 4, m.edges);
        std::copy(c, c + 4, m.corners);
        m.c = solved;
        next_ = (next_ + 1) % kMemory;
        stored_ = std::min(stored_ + 1, kMemory);
        found = &m.c;
    }
    // Coefficients are per q·ly² (moments) and q·ly⁴/D (deflections).
    const double m = static_cast<double>(q) * ly * ly;
    for (int i = 0; i < 4; ++i) force.EdgeM[i] = static_cast<float>(found->edge[i] * m);
    for (int i = 0; i < 2; ++i) force.MidM[i] = static_cast<float>(found->mid[i] * m);
    w_centre = static_cast<float>(found->w_centre * m * ly * ly);
    w_max = static_cast<float>(found->w_max * std::fabs(m) * ly * ly);
    return 1;
}

}  // namespace kv::design

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

// Symmetric positive definite band matrix, lower band stored by columns, so
// that the factorisation and the solution run along contiguous memory. The
// entries live in `storage`, which the caller keeps between matrices.
class BandMatrix {
public:
    BandMatrix(int n, int band, std::vector<double>& storage) : n_(n), band_(band), a_(storage) {
        a_.assign(static_cast<size_t>(n) * (band + 1), 0.0);
    }
    // Entry (i, j) with j ≤ i ≤ j + band.
    double& at(int i, int j) { return a_[static_cast<size_t>(j) * (band_ + 1) + (i - j)]; }
    // Left-looking Cholesky in place; false on a pivot that shows a mechanism.
    bool Factor() {
        for (int j = 0; j < n_; ++j) {
            double* cj = column(j);
            const int len = Length(j);
            const double diagonal = cj[0];
            int k = std::max(0, j - band_);
            // Two earlier columns at a time: column j is read and written once for both.
            for (; k + 1 < j; k += 2) {
                const double* c1 = column(k) + (j - k);
                const double* c2 = column(k + 1) + (j - k - 1);
                const double l1 = c1[0], l2 = c2[0];
                const int m1 = std::min(len, band_ + 1 - (j - k));
                int t = 0;
                for (; t < m1; ++t) cj[t] -= l1 * c1[t] + l2 * c2[t];
                const int m2 = std::min(len, band_ + 1 - (j - k - 1));
                for (; t < m2; ++t) cj[t] -= l2 * c2[t];
            }
            for (; k < j; ++k) {
                const double* ck = column(k) + (j - k);
                const double ljk = ck[0];
                const int m = std::min(len, band_ + 1 - (j - k));
                for (int t = 0; t < m; ++t) cj[t] -= ljk * ck[t];
            }
            // A free rigid-body motion leaves only round-off in the pivot.
            if (!(cj[0] > 1e-9 * diagonal)) return false;
            cj[0] = std::sqrt(cj[0]);
            const double inverse = 1.0 / cj[0];
            for (int t = 1; t < len; ++t) cj[t] *= inverse;
        }
        return true;
    }
    void Solve(std::vector<double>& b) {
        for (int j = 0; j < n_; ++j) {
            const double* cj = column(j);
            const double y = b[j] / cj[0];
            b[j] = y;
            for (int t = 1, len = Length(j); t < len; ++t) b[j + t] -= cj[t] * y;
        }
        for (int j = n_ - 1; j >= 0; --j) {
            const double* cj = column(j);
            double s = b[j];
            for (int t = 1, len = Length(j); t < len; ++t) s -= cj[t] * b[j + t];
            b[j] = s / cj[0];
        }
    }

private:
    double* column(int j) { return &a_[static_cast<size_t>(j) * (band_ + 1)]; }
    int Length(int j) const { return std::min(band_, n_ - 1 - j) + 1; }
    int n_, band_;
    std::vector<double>& a_;
};

bool ValidCodes(const int edges[4]) {
    for (int i = 0; i < 4; ++i)
        if (edges[i] != kFree && edges[i] != kSimple && edges[i] != kFixed) return false;
    return true;
}

// Whether the supports stop the plate moving as a rigid plane w = a + b·x + c·y.
// A fixed edge does so alone; otherwise the points held down (simply supported
// edges and corner columns) must not all lie on one line. Decided here rather
// than by the solver's pivots: on a long plate round-off hides the zero pivot
// of such a mechanism. Corner c lies on edges c and c - 1.
bool HoldsThePlate(const int edges[4], const int corners[4]) {
    int simple = 0, edge = -1, columns = 0;
    for (int i = 0; i < 4; ++i) {
        if (edges[i] == kFixed) return true;
        if (edges[i] == kSimple) ++simple, edge = i;
        if (corners && corners[i]) ++columns;
    }
    if (simple >= 2) return true;
    if (simple == 0) return columns >= 3;
    return corners && (corners[(edge + 2) % 4] || corners[(edge + 3) % 4]);
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

    // The grids have only a few element sizes: build each once. Sizes taken as
    // differences of node coordinates differ in their last bits.
    std::vector<ElementMatrices> kinds;
    auto same = [](double a, double b) { return std::fabs(a - b) <= 1e-12 * b; };
    auto matrices_of = [&](double hx, double hy) -> const ElementMatrices& {
        for (const ElementMatrices& e : kinds)
            if (same(e.hx, hx) && same(e.hy, hy)) return e;
        kinds.emplace_back();
        kinds.back().hx = hx;
        kinds.back().hy = hy;
        BuildElement(kinds.back(), nu);
        return kinds.back();
    };
    kinds.reserve(64);

    // A buffer of this size, freshly taken from the system for every grid, costs
    // more in page faults than the solution itself: each thread keeps its own.
    thread_local std::vector<double> storage;
    BandMatrix K(n, band, storage);
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

// Element sizes over half of a side of length `length`, from the edge to the
// middle, for the base grid; `across` is the shorter side. The shorter side has
// two base elements. Along the longer one the elements next to the edges are
// as long as those across, and on a long plate they grow by half each toward
// the middle, up to twice the shorter side (or an 80th of the side on very long
// plates): the smooth middle of such a plate needs no more.
std::vector<double> BaseHalf(double length, double across) {
    const double half = length / 2, r = length / across;
    if (r < 1.25) return {half};
    if (r < 2.0) return {across / 2, half - across / 2};
    std::vector<double> sizes;
    const double largest = std::max(2 * across, length / 80);
    double h = across / 2, sum = 0;
    while (sum < half * (1 - 1e-12)) {
        sizes.push_back(h);
        sum += h;
        h = std::min(h * 1.5, largest);
    }
    for (double& size : sizes) size *= half / sum;
    return sizes;
}

// Nodes of a side: the base elements, mirrored about the middle, each cut into
// `parts` equal elements. The middle is a node whatever `parts` is.
std::vector<double> SideNodes(double length, const std::vector<double>& half_sizes, int parts) {
    std::vector<double> base{0.0};
    for (double size : half_sizes) base.push_back(base.back() + size);
    base.back() = length / 2;
    for (auto it = half_sizes.rbegin(); it != half_sizes.rend(); ++it) base.push_back(base.back() + *it);
    base.back() = length;
    std::vector<double> x{0.0};
    for (size_t i = 1; i < base.size(); ++i) {
        const double start = base[i - 1], size = base[i] - base[i - 1];
        for (int k = 1; k < parts; ++k) x.push_back(start + size * k / parts);
        x.push_back(base[i]);
    }
    return x;
}

// The grid of one plate with every base element cut into `parts`.
Grid MakeGrid(double lx, double ly, int parts) {
    Grid g;
    const double across = std::min(lx, ly), along = std::max(lx, ly);
    (lx >= ly ? g.y : g.x) = SideNodes(across, {across / 2}, parts);
    (lx >= ly ? g.x : g.y) = SideNodes(along, BaseHalf(along, across), parts);
    return g;
}

}  // namespace

bool SolvePlate(double lambda, const int edges[4], const int corners[4], double nu, PlateLoad load,
                PlateCoefficients& out) {
    out = PlateCoefficients{};
    if (!ValidCodes(edges) || !HoldsThePlate(edges, corners) || !(lambda > 0) || !std::isfinite(lambda)) return false;
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

    // The moments of a grid of element size h differ from the exact ones by
    // a·h² + b·h³ + O(h⁴); the h³ term comes from the one-sided curvature at an
    // edge. Three grids with every base element cut into 3, 4 and 5 parts and
    // M = (27·M3 - 128·M4 + 125·M5)/24 remove both terms.
    constexpr int kParts[3] = {3, 4, 5};
    constexpr double kWeight[3] = {27.0 / 24, -128.0 / 24, 125.0 / 24};
    PlateCoefficients grid[3];
    for (int i = 0; i < 3; ++i)
        if (!SolveOnGrid(MakeGrid(lx, ly, kParts[i]), ly, edges, corners, nu, load, grid[i])) return false;
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < 4; ++k) out.edge[k] += kWeight[i] * grid[i].edge[k];
        for (int k = 0; k < 2; ++k) out.mid[k] += kWeight[i] * grid[i].mid[k];
    }
    // Deflections converge much faster; the finest grid's are kept.
    out.w_centre = grid[2].w_centre;
    out.w_max = grid[2].w_max;
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

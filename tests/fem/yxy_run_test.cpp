// Whole analyses through the driver, checked against answers worked out apart
// from the library: grillages by hand and by a dense direct-stiffness solution
// written here, the equilibrium of the pin forces, a simply supported plate
// against Navier's series, and what a run that fails half-way leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "fem/fb_date.h"
#include "fem/force_file.h"
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/yxy.h"
#include "fem_model.h"
#include "fem_test_support.h"

namespace {

using kv::test::F32At;
using kv::test::FemFolder;
using kv::test::FemModel;
using kv::test::I32At;

// Runs `model` as analysis `type` in the folder (with "YS.FB" from `fixed` for
// types 0 and -1); KV's divide length unless another is given.
void Analyse(FemFolder& folder, const FemModel& model, int type, const std::vector<std::pair<int, int>>& fixed,
             float divide = 1.0e6f) {
    folder.Write("YXY_JS.DAT", model.Text());
    folder.Write("YS.FB", kv::test::RestraintText(fixed));
    FB_DATE reader;
    reader.main_date("YXY_JS.DAT", 1, 0);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    YXY yxy;
    yxy.main_yxy(type, divide, 6000, 2);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
}

std::vector<beam_force> Beams(int load_case) {
    force_file f("FORCE.FB");
    EXPECT_EQ(JS_ERROR_CODE, 0);
    EXPECT_EQ(f.read_beam(load_case), 1);
    return f.beam;
}

// The floats of one case of a result file with a (count, cases) header.
std::vector<float> CaseOf(const FemFolder& folder, const char* name, int load_case) {
    const std::string bytes = folder.Read(name);
    const int count = I32At(bytes, 0);
    std::vector<float> out;
    for (int i = 0; i < count; ++i) out.push_back(F32At(bytes, 8 + 4 * (std::size_t(load_case) * count + i)));
    return out;
}

struct Material {
    double E, nu;
};
Material BeamMaterial() {
    net_dat_file dat("NET_DAT.FB");
    return {dat.beam_E, dat.beam_mu};
}

// Second moment and Saint-Venant torsion constant of a b × h rectangle (mm⁴):
// J = s³t (1/3 − 0.21 s/t (1 − s⁴/12t⁴)), s the shorter side.
double SecondMoment(double b, double h) { return b * h * h * h / 12; }
double TorsionConstant(double b, double h) {
    const double s = std::min(b, h), t = std::max(b, h);
    return s * s * s * t * (1.0 / 3 - 0.21 * s / t * (1 - std::pow(s / t, 4) / 12));
}

bool Near(double got, double want, double scale, double rel) { return std::fabs(got - want) <= rel * (std::fabs(want) + scale); }

// ---------------------------------------------------------------------------
// A grillage solved by dense direct stiffness: three freedoms per node (w up,
// rotations about x and y), one two-node element per beam, w cubic along it,
// torsion linear, restrained freedoms struck out, Gaussian elimination.

struct Grillage {
    struct Member {
        int i, j;        // 0-based nodes
        double EI, GJ;   // kN·m²
        double q = 0;    // uniform load over the whole member, kN/m, downward
    };
    // End values in the library's senses: sagging moments positive, shear the
    // left part's upward force, torque positive along the member.
    struct Ends {
        double M1, M2, V1, V2, T1, T2;
    };

    std::vector<double> x, y;
    std::vector<Member> members;
    std::vector<std::array<bool, 3>> fixed;
    std::vector<double> spring;  // kN/m on w
    std::vector<double> P;       // point loads, kN downward
    std::vector<double> u;       // 3 per node after Solve

    int AddNode(double px, double py) {
        x.push_back(px), y.push_back(py);
        fixed.push_back({false, false, false});
        spring.push_back(0);
        P.push_back(0);
        return int(x.size()) - 1;
    }

    // The element in its own axes: (w, twist, ψ) at i then j, ψ = −dw/ds. The
    // first twist diagonal carries the factor 1.0001 that the library's element
    // has, so that a lone member's free twist does not make the matrix singular.
    static void LocalStiffness(double L, double EI, double GJ, double k[6][6]) {
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 6; ++c) k[r][c] = 0;
        const double a = 12 * EI / (L * L * L), b = 6 * EI / (L * L), c4 = 4 * EI / L, c2 = 2 * EI / L;
        // With θ = dw/ds the bending block is the usual one; ψ = −θ flips the
        // signs of the ψ rows and columns.
        const int w1 = 0, p1 = 2, w2 = 3, p2 = 5;
        k[w1][w1] = a, k[w1][p1] = -b, k[w1][w2] = -a, k[w1][p2] = -b;
        k[p1][p1] = c4, k[p1][w2] = b, k[p1][p2] = c2;
        k[w2][w2] = a, k[w2][p2] = b;
        k[p2][p2] = c4;
        k[1][1] = 1.0001 * GJ / L, k[1][4] = -GJ / L, k[4][4] = GJ / L;
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < r; ++c) k[r][c] = k[c][r];
    }

    // Local freedoms from global ones: twist = θx c + θy s, ψ = −θx s + θy c.
    void Rotation(const Member& m, double* L, double R[6][6]) const {
        const double dx = x[m.j] - x[m.i], dy = y[m.j] - y[m.i];
        *L = std::hypot(dx, dy);
        const double c = dx / *L, s = dy / *L;
        for (int r = 0; r < 6; ++r)
            for (int k = 0; k < 6; ++k) R[r][k] = 0;
        for (int n = 0; n < 2; ++n) {
            R[3 * n][3 * n] = 1;
            R[3 * n + 1][3 * n + 1] = c, R[3 * n + 1][3 * n + 2] = s;
            R[3 * n + 2][3 * n + 1] = -s, R[3 * n + 2][3 * n + 2] = c;
        }
    }

    void Solve() {
        const int n = 3 * int(x.size());
        std::vector<double> K(std::size_t(n) * n, 0.0), F(std::size_t(n), 0.0);
        for (std::size_t k = 0; k < x.size(); ++k) {
            K[(3 * k) * n + 3 * k] += spring[k];
            F[3 * k] -= P[k];
        }
        for (const Member& m : members) {
            double L, R[6][6], k[6][6];
            Rotation(m, &L, R);
            LocalStiffness(L, m.EI, m.GJ, k);
            // Work-equivalent loads of the downward q in local freedoms.
            const double f[6] = {-m.q * L / 2, 0, m.q * L * L / 12, -m.q * L / 2, 0, -m.q * L * L / 12};
            const int dof[6] = {3 * m.i, 3 * m.i + 1, 3 * m.i + 2, 3 * m.j, 3 * m.j + 1, 3 * m.j + 2};
            for (int a = 0; a < 6; ++a) {
                double fa = 0;
                for (int r = 0; r < 6; ++r) fa += R[r][a] * f[r];
                F[std::size_t(dof[a])] += fa;
                for (int b = 0; b < 6; ++b) {
                    double kab = 0;
                    for (int r = 0; r < 6; ++r)
                        for (int c = 0; c < 6; ++c) kab += R[r][a] * k[r][c] * R[c][b];
                    K[std::size_t(dof[a]) * n + dof[b]] += kab;
                }
            }
        }
        std::vector<int> free;
        for (int d = 0; d < n; ++d)
            if (!fixed[std::size_t(d / 3)][std::size_t(d % 3)]) free.push_back(d);
        const std::size_t m = free.size();
        std::vector<double> A(m * (m + 1));
        for (std::size_t r = 0; r < m; ++r) {
            for (std::size_t c = 0; c < m; ++c) A[r * (m + 1) + c] = K[std::size_t(free[r]) * n + free[c]];
            A[r * (m + 1) + m] = F[std::size_t(free[r])];
        }
        for (std::size_t p = 0; p < m; ++p) {
            std::size_t best = p;
            for (std::size_t r = p + 1; r < m; ++r)
                if (std::fabs(A[r * (m + 1) + p]) > std::fabs(A[best * (m + 1) + p])) best = r;
            for (std::size_t c = 0; c <= m; ++c) std::swap(A[p * (m + 1) + c], A[best * (m + 1) + c]);
            for (std::size_t r = p + 1; r < m; ++r) {
                const double f = A[r * (m + 1) + p] / A[p * (m + 1) + p];
                for (std::size_t c = p; c <= m; ++c) A[r * (m + 1) + c] -= f * A[p * (m + 1) + c];
            }
        }
        u.assign(std::size_t(n), 0.0);
        for (std::size_t p = m; p-- > 0;) {
            double s = A[p * (m + 1) + m];
            for (std::size_t c = p + 1; c < m; ++c) s -= A[p * (m + 1) + c] * u[std::size_t(free[c])];
            u[std::size_t(free[p])] = s / A[p * (m + 1) + p];
        }
    }

    // From the cubic through the end values: M = EI w'', V = EI w''' (w' = −ψ),
    // plus the fixed-end values of q; T = GJ dφ/ds with the element's factor.
    Ends EndsOf(const Member& m) const {
        double L, R[6][6];
        Rotation(m, &L, R);
        double d[6];
        const int dof[6] = {3 * m.i, 3 * m.i + 1, 3 * m.i + 2, 3 * m.j, 3 * m.j + 1, 3 * m.j + 2};
        for (int r = 0; r < 6; ++r) {
            d[r] = 0;
            for (int c = 0; c < 6; ++c) d[r] += R[r][c] * u[std::size_t(dof[c])];
        }
        const double w1 = d[0], s1 = -d[2], w2 = d[3], s2 = -d[5];
        const double c0 = 6 / (L * L) * (w2 - w1) - 4 / L * s1 - 2 / L * s2;
        const double cL = 6 / (L * L) * (w1 - w2) + 2 / L * s1 + 4 / L * s2;
        const double c3 = 12 / (L * L * L) * (w1 - w2) + 6 / (L * L) * (s1 + s2);
        const double fixedM = -m.q * L * L / 12;
        return {m.EI * c0 + fixedM, m.EI * cL + fixedM,          m.EI * c3 + m.q * L / 2,
                m.EI * c3 - m.q * L / 2, m.GJ / L * (d[4] - 1.0001 * d[1]), m.GJ / L * (d[4] - d[1])};
    }

    double W(int node) const { return u[std::size_t(3 * node)]; }
};

// ---------------------------------------------------------------------------
// Hand cases.

// One 6 m beam on two w supports: qL²/8, qL/2 and 5qL⁴/384EI under q; PL/4,
// P/2 and PL³/48EI under P at midspan; no end moments, no torque. The same by
// the caller's restraint file (type 0), flagged nodes (type 2) and with the
// beam in two elements (type 4).
TEST(WholeRun, ASimpleBeamGivesTheHandValuesInEveryPlainType) {
    const double L = 6, q = 10, P = 50;
    FemModel model;
    model.AddNode(0, 0, 1);
    model.AddNode(float(L), 0, 1);
    model.AddBeam(1, 2);
    model.cases.push_back({{}, {{1, 1, {float(q), float(q), 0, float(L)}}}, {}});
    model.cases.push_back({{}, {{1, 2, {float(P), 0, 0, float(L / 2)}}}, {}});
    for (int type : {0, 2, 4}) {
        SCOPED_TRACE(type);
        FemFolder folder;
        Analyse(folder, model, type, {{0, 1}, {1, 1}});
        const double EI = BeamMaterial().E * SecondMoment(250, 600) / 1.0e12;
        struct Want {
            double M, V, w;
        } want[2] = {{q * L * L / 8, q * L / 2, 5 * q * L * L * L * L / (384 * EI)},
                     {P * L / 4, P / 2, P * L * L * L / (48 * EI)}};
        for (int c = 0; c < 2; ++c) {
            SCOPED_TRACE(c);
            const beam_force b = Beams(c).at(0);
            EXPECT_NEAR(b.M[1], want[c].M, 1e-4 * want[c].M);
            EXPECT_NEAR(b.Ms[4], want[c].M, 1e-4 * want[c].M);
            EXPECT_NEAR(b.M[0], 0, 1e-4 * want[c].M);
            EXPECT_NEAR(b.M[2], 0, 1e-4 * want[c].M);
            EXPECT_NEAR(b.V[0], want[c].V, 1e-4 * want[c].V);
            EXPECT_NEAR(b.V[2], -want[c].V, 1e-4 * want[c].V);
            EXPECT_NEAR(b.T[0], 0, 1e-4 * want[c].M);
            // Deflections in mm, upward positive: the midspan sags.
            EXPECT_NEAR(b.Ws[4], -1000 * want[c].w, 1e-4 * 1000 * want[c].w);
            EXPECT_NEAR(b.Ws[0], 0, 1e-9);
        }
    }
}

// Two equal beams crossing at their middles under P there: each carries P/2,
// so PL/8 at the crossing and P/4 at each support; no torque by symmetry.
TEST(WholeRun, TwoEqualCrossingBeamsShareACentralLoadEqually) {
    const double L = 6, P = 100;
    FemModel model;
    const int w = model.AddNode(0, 3, 1), c = model.AddNode(3, 3), e = model.AddNode(6, 3, 1);
    const int s = model.AddNode(3, 0, 1), n = model.AddNode(3, 6, 1);
    for (auto [a, b] : {std::pair{w, c}, {c, e}, {s, c}, {c, n}}) model.AddBeam(a, b);
    model.cases.push_back({{{c, float(P), 0, 0}}, {}, {}});
    FemFolder folder;
    Analyse(folder, model, 2, {});
    const std::vector<beam_force> beams = Beams(0);
    ASSERT_EQ(beams.size(), 4u);
    for (const beam_force& b : beams) {
        SCOPED_TRACE(b.beam);
        // Beams 0 and 2 run into the crossing, 1 and 3 out of it.
        const bool in = b.beam % 2 == 0;
        const float crossingM = in ? b.M[2] : b.M[0], supportM = in ? b.M[0] : b.M[2];
        EXPECT_NEAR(crossingM, P * L / 8, 1e-4 * P * L / 8);
        EXPECT_NEAR(supportM, 0, 1e-4 * P * L / 8);
        EXPECT_NEAR(std::fabs(b.V[0]), P / 4, 1e-4 * P / 4);
        EXPECT_NEAR(b.V[0], b.V[2], 1e-4 * P / 4);  // no load along the beam
        EXPECT_NEAR(b.T[0], 0, 1e-4 * P * L / 8);
    }
    const std::vector<float> pins = CaseOf(folder, "ZHU_PIN.FB", 0);
    for (int node : {w, e, s, n}) EXPECT_NEAR(pins.at(std::size_t(node - 1)), P / 4, 1e-4 * P);
    EXPECT_NEAR(pins.at(std::size_t(c - 1)), 0, 1e-4 * P);
}

// A 2 × 2 grid on w supports at its eight edge nodes, P at the centre. The
// edge beams twist and bend, so the middle beams' ends are partly held; still,
// by symmetry each of the four halves at the centre carries P/4 and they have
// equal moments, and a half carries no load, so its moment falls by P/4 · a
// from the centre to the edge.
TEST(WholeRun, ASymmetric2By2GridSharesItsCentralLoadByQuarters) {
    const double a = 4, P = 120;
    FemModel model;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) model.AddNode(float(c * a), float(r * a), r == 1 && c == 1 ? 0 : 1);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) model.AddBeam(r * 3 + c + 1, r * 3 + c + 2);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) model.AddBeam(r * 3 + c + 1, r * 3 + c + 4);
    model.cases.push_back({{{5, float(P), 0, 0}}, {}, {}});
    FemFolder folder;
    Analyse(folder, model, 2, {});
    const std::vector<beam_force> beams = Beams(0);
    // The halves: x beams 2 (into the centre) and 3 (out of it), y beams 7 and 10.
    struct Half {
        int beam;
        bool into;
    } halves[] = {{2, true}, {3, false}, {7, true}, {10, false}};
    const beam_force& first = beams.at(2);
    const double centreM = first.M[2];
    EXPECT_GT(centreM, 0);
    for (const Half& h : halves) {
        SCOPED_TRACE(h.beam);
        const beam_force& b = beams.at(std::size_t(h.beam));
        const double atCentre = h.into ? b.M[2] : b.M[0], atEdge = h.into ? b.M[0] : b.M[2];
        EXPECT_NEAR(atCentre, centreM, 1e-4 * centreM);
        EXPECT_NEAR(std::fabs(b.V[0]), P / 4, 1e-4 * P / 4);
        EXPECT_NEAR(atCentre - atEdge, P / 4 * a, 1e-4 * P / 4 * a);
    }
    float total = 0;
    for (float v : CaseOf(folder, "ZHU_PIN.FB", 0)) total += v;
    EXPECT_NEAR(total, P, 1e-4 * P);
}

// ---------------------------------------------------------------------------
// A 5 × 4 bay grid against the dense solution: unequal bays and sections, w
// held along the edges but at one corner, one edge node fixed in all three
// freedoms, a spring inside, point loads, line loads and both together.

struct GridCase {
    FemModel model;
    Grillage reference;
    std::vector<std::pair<int, int>> fixed;  // as "YS.FB" lists them
    int spring_node = 0;                     // 0-based
    // The reference's first and last member of every input beam.
    std::vector<std::pair<int, int>> members_of;
};

// `halves` splits every beam of the reference at its middle, as analysis type 4
// divides them: the element's torsion factor then acts on each half.
GridCase FiveByFour(const Material& m, bool halves = false) {
    const int nx = 6, ny = 5;
    const double dx = 3.0, dy = 2.5, k = 5000;
    GridCase g;
    const double G = m.E / (2 * (1 + m.nu));
    auto node = [&](int c, int r) { return r * nx + c; };
    for (int r = 0; r < ny; ++r)
        for (int c = 0; c < nx; ++c) {
            const bool edge = r == 0 || c == 0 || r == ny - 1 || c == nx - 1;
            const bool freeCorner = r == ny - 1 && c == nx - 1;
            g.model.AddNode(float(c * dx), float(r * dy), edge && !freeCorner);
            g.reference.AddNode(c * dx, r * dy);
            if (edge && !freeCorner) {
                g.fixed.push_back({node(c, r), 1});
                g.reference.fixed.back()[0] = true;
            }
        }
    const int clamped = node(0, 2);
    g.model.supports.push_back({clamped + 1, 3});
    g.fixed.push_back({clamped, 2});
    g.fixed.push_back({clamped, 3});
    g.reference.fixed[std::size_t(clamped)] = {true, true, true};
    g.spring_node = node(2, 2);
    g.model.supports.push_back({g.spring_node + 1, 1, float(k)});
    g.reference.spring[std::size_t(g.spring_node)] = k;

    auto beam = [&](int a, int b, int bw, int h) {
        g.model.AddBeam(a + 1, b + 1, bw, h);
        const double I = SecondMoment(bw, h) / 1.0e12, J = TorsionConstant(bw, h) / 1.0e12;
        Grillage& r = g.reference;
        const int first = int(r.members.size());
        if (halves) {
            const int mid = r.AddNode((r.x[std::size_t(a)] + r.x[std::size_t(b)]) / 2,
                                      (r.y[std::size_t(a)] + r.y[std::size_t(b)]) / 2);
            r.members.push_back({a, mid, m.E * I, G * J});
            r.members.push_back({mid, b, m.E * I, G * J});
        } else {
            r.members.push_back({a, b, m.E * I, G * J});
        }
        g.members_of.push_back({first, int(r.members.size()) - 1});
    };
    for (int r = 0; r < ny; ++r)
        for (int c = 0; c + 1 < nx; ++c) beam(node(c, r), node(c + 1, r), r == 3 ? 200 : 250, r == 3 ? 400 : 600);
    for (int r = 0; r + 1 < ny; ++r)
        for (int c = 0; c < nx; ++c) beam(node(c, r), node(c, r + 1), 300, 700);

    FemModel::Case points, lines, both;
    for (auto [c, r, p] : {std::tuple{1, 1, 50.0f}, {3, 2, 80.0f}, {4, 3, 30.0f}, {2, 2, 20.0f}})
        points.point.push_back({node(c, r) + 1, p, 0, 0});
    for (std::size_t b = 0; b < g.model.beams.size(); ++b) {
        const FemModel::Node& s = g.model.nodes[std::size_t(g.model.beams[b].s - 1)];
        const FemModel::Node& e = g.model.nodes[std::size_t(g.model.beams[b].e - 1)];
        const bool row2 = s.y == float(2 * dy) && e.y == float(2 * dy);
        const bool col3 = s.x == float(3 * dx) && e.x == float(3 * dx);
        if (!row2 && !col3) continue;
        const float q = row2 ? 12.0f : 8.0f;
        const float L = float(row2 ? dx : dy);
        lines.line.push_back({int(b) + 1, 1, {q, q, 0, L}});
    }
    both.point = points.point;
    both.line = lines.line;
    g.model.cases = {points, lines, both};
    return g;
}

// The reference of one case of that grid, and the end values of every beam.
Grillage Solved(const GridCase& grid, const FemModel::Case& c, std::vector<Grillage::Ends>* ends) {
    Grillage g = grid.reference;
    for (const con_load& p : c.point) g.P[std::size_t(p.node - 1)] += p.P;
    for (const line_load& l : c.line) {
        auto [first, last] = grid.members_of[std::size_t(l.beam - 1)];
        for (int k = first; k <= last; ++k) g.members[std::size_t(k)].q = l.v[0];
    }
    g.Solve();
    ends->clear();
    for (auto [first, last] : grid.members_of) {
        const Grillage::Ends a = g.EndsOf(g.members[std::size_t(first)]), b = g.EndsOf(g.members[std::size_t(last)]);
        ends->push_back({a.M1, b.M2, a.V1, b.V2, a.T1, b.T2});
    }
    return g;
}

TEST(WholeRun, AFiveByFourGridMatchesADenseDirectStiffnessSolution) {
    for (int type : {0, 2, 4}) {
        SCOPED_TRACE(type);
        FemFolder folder;
        // The material is the library's: a first run tells it.
        GridCase g = FiveByFour({1, 0});
        Analyse(folder, g.model, type, g.fixed);
        g = FiveByFour(BeamMaterial(), type == 4);
        for (int c = 0; c < 3; ++c) {
            SCOPED_TRACE(c);
            std::vector<Grillage::Ends> want;
            const Grillage ref = Solved(g, g.model.cases[std::size_t(c)], &want);
            double scaleM = 0, scaleV = 0, scaleT = 0;
            for (const Grillage::Ends& e : want) {
                scaleM = std::max({scaleM, std::fabs(e.M1), std::fabs(e.M2)});
                scaleV = std::max({scaleV, std::fabs(e.V1), std::fabs(e.V2)});
                scaleT = std::max({scaleT, std::fabs(e.T1), std::fabs(e.T2)});
            }
            ASSERT_GT(scaleT, 0.01 * scaleM);  // the grid does twist
            // Within 1e-4 of each value, with a floor of a tenth of the largest
            // of its kind: the library's element matrices and forces are single
            // precision, which small values of a large grid cannot beat.
            const std::vector<beam_force> got = Beams(c);
            ASSERT_EQ(got.size(), want.size());
            for (std::size_t b = 0; b < got.size(); ++b) {
                SCOPED_TRACE(b);
                const beam_force& f = got[b];
                const Grillage::Ends& e = want[b];
                EXPECT_PRED4(Near, f.M[0], e.M1, 0.1 * scaleM, 1e-4);
                EXPECT_PRED4(Near, f.M[2], e.M2, 0.1 * scaleM, 1e-4);
                EXPECT_PRED4(Near, f.V[0], e.V1, 0.1 * scaleV, 1e-4);
                EXPECT_PRED4(Near, f.V[2], e.V2, 0.1 * scaleV, 1e-4);
                EXPECT_PRED4(Near, f.T[0], e.T1, 0.1 * scaleT, 1e-4);
                EXPECT_PRED4(Near, f.T[2], e.T2, 0.1 * scaleT, 1e-4);
            }
            // The spring's pin force is its reaction −k·w.
            const std::vector<float> pins = CaseOf(folder, "ZHU_PIN.FB", c);
            const double springForce = -5000 * ref.W(g.spring_node);
            EXPECT_PRED4(Near, pins.at(std::size_t(g.spring_node)), springForce, 1e-3, 1e-4);
        }
    }
}

// Every support force together carries the load; a freedom that nothing holds
// gets no pin force.
TEST(WholeRun, PinForcesBalanceTheLoadAndVanishWhereNothingHolds) {
    for (int type : {0, 2, 4}) {
        SCOPED_TRACE(type);
        FemFolder folder;
        const GridCase g = FiveByFour({1, 0});
        Analyse(folder, g.model, type, g.fixed);
        net_dat_file dat("NET_DAT.FB");
        ASSERT_EQ(dat.read_node(), 1);
        freedom_file layout("FREEDOM.FB");
        ASSERT_EQ(layout.read_id(), 1);
        const std::string pin = folder.Read("PIN.FB");
        const int nodes = layout.node_num;
        for (int c = 0; c < 3; ++c) {
            SCOPED_TRACE(c);
            double total = 0;
            for (const con_load& p : g.model.cases[std::size_t(c)].point) total += p.P;
            for (const line_load& l : g.model.cases[std::size_t(c)].line) total += l.v[0] * l.v[3];
            const std::vector<float> under = CaseOf(folder, "ZHU_PIN.FB", c);
            ASSERT_EQ(under.size(), g.model.nodes.size());
            double held = 0;
            for (std::size_t i = 0; i < under.size(); ++i)
                if (g.model.nodes[i].flag || int(i) == g.spring_node)
                    held += under[i];
                else
                    EXPECT_NEAR(under[i], 0, 1e-4 * total) << "input node " << i;
            EXPECT_NEAR(held, total, 1e-4 * total);
            for (int j = 0; j < nodes; ++j)
                for (int f = 0; f < 3; ++f) {
                    if (layout.id[f][std::size_t(j)] <= 0) continue;
                    if (f == 0 && std::hypot(dat.x[std::size_t(j)] - 6.0f, dat.y[std::size_t(j)] - 5.0f) < 1e-3f)
                        continue;  // the spring's node: its w is free and held by the spring
                    const float v = F32At(pin, 12 * (std::size_t(nodes) * c + j) + 4 * f);
                    EXPECT_NEAR(v, 0, 1e-4 * total) << "mesh node " << j << " freedom " << f + 1;
                }
        }
    }
}

// ---------------------------------------------------------------------------
// A simply supported square plate of 4 m, 200 mm, under 10 kN/m² (type -1: the
// edge beams have a negligible section and restraint code 1), E = 3.0e7 kN/m²
// and ν = 0.3 from the plate-material file. Navier: w = 0.00406 qa⁴/D and
// M = 0.0479 qa² at the centre. Three meshes close in on both.
TEST(WholeRun, ASimplySupportedSquarePlateConvergesTowardsNavier) {
    const double a = 4, t = 0.2, q = 10, E = 3.0e7, nu = 0.3;
    const double D = E * t * t * t / (12 * (1 - nu * nu));
    const double wNavier = 0.00406 * q * a * a * a * a / D, mNavier = 0.0479 * q * a * a;
    FemModel model;
    model.thickness = 200;
    for (auto [x, y] : {std::pair{0.0f, 0.0f}, {4.0f, 0.0f}, {4.0f, 4.0f}, {0.0f, 4.0f}}) model.AddNode(x, y);
    for (int i = 0; i < 4; ++i) {
        const int b = model.AddBeam(i + 1, (i + 1) % 4 + 1);
        model.beams[std::size_t(b - 1)].restraint = 1;
        model.beams[std::size_t(b - 1)].h_alt = 1;
        model.beams[std::size_t(b - 1)].b_alt = 1;
    }
    model.plates.push_back({1, 2, 3, 4});
    model.cases.push_back({{}, {}, {{1, float(q)}}});
    std::vector<double> wErr, mErr;
    for (float h : {1.0f, 0.5f, 0.25f}) {
        SCOPED_TRACE(h);
        FemFolder folder;
        folder.Write("BAN_MAT.FB", "0,3.0,0.3\n");
        folder.Write("YXY_JS.DAT", model.Text());
        FB_DATE reader;
        reader.main_date("YXY_JS.DAT", 1, 0);
        YXY yxy;
        yxy.set_acad_flag(1);  // takes the plate material from the file
        yxy.main_yxy(-1, h, 6000, 2);
        ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
        // The centre value of the plate's displacement block.
        const std::string wban = folder.Read("W_BAN.FB");
        const float w = F32At(wban, std::size_t(I32At(wban, 8)) + 4);
        force_file forces("FORCE.FB");
        ASSERT_EQ(forces.read_plate(0), 1);
        const plate_force& p = forces.plate.at(0);
        wErr.push_back(std::fabs(-w - wNavier) / wNavier);
        mErr.push_back(std::fabs(std::max(p.Mxx, p.Myy) - mNavier) / mNavier);
        EXPECT_NEAR(p.Mxx, p.Myy, 0.05 * mNavier);
    }
    // Each refinement closes in; the finest mesh is within 0.5 % and 1 %.
    for (int k = 1; k < 3; ++k) {
        EXPECT_LT(wErr[std::size_t(k)], wErr[std::size_t(k) - 1]) << ::testing::PrintToString(wErr);
        EXPECT_LT(mErr[std::size_t(k)], mErr[std::size_t(k) - 1]) << ::testing::PrintToString(mErr);
    }
    EXPECT_LT(wErr[2], 0.005) << ::testing::PrintToString(wErr);
    EXPECT_LT(mErr[2], 0.01) << ::testing::PrintToString(mErr);
}

// ---------------------------------------------------------------------------
// Patch test: four skewed plates round an inner node on edge beams of no
// stiffness worth the name, held (w) at three corners only. Case 0: the outer
// edges carry the nodal moments of a constant Mx, My (each node half of each
// segment it ends). Case 1: a constant twist Mxy, whose edge loads add up to
// corner forces 2Mxy; the free corner takes its force, the held ones carry the
// rest. Plate theory gives the whole field, κ = D⁻¹M, w = −κx x²/2 − κy y²/2 −
// κxy xy/2 plus the plane through the held corners, and every point of every
// edge the same M turned into the edge's direction. The twist needs no edge
// nodes, so it runs on a finer mesh too.
TEST(WholeRun, ADistortedPlatePatchReproducesConstantMomentStates) {
    struct State {
        double Mx, My, Mxy;  // kN·m/m
    };
    const State states[] = {{12, -5, 0}, {0, 0, 3}};
    FemModel model;
    model.thickness = 200;
    const std::pair<float, float> at[] = {{0, 0},    {2.3f, 0}, {4, 0},    {0, 2.7f}, {2.4f, 1.9f},
                                          {4, 1.6f}, {0, 4},    {1.4f, 4}, {4, 4}};
    for (auto [x, y] : at) model.AddNode(x, y);
    const int ends[][2] = {{1, 2}, {2, 3}, {3, 6}, {6, 9}, {9, 8}, {8, 7},
                           {7, 4}, {4, 1}, {2, 5}, {5, 6}, {5, 8}, {4, 5}};
    for (auto [s, e] : ends) model.AddBeam(s, e, 1, 1);
    model.plates = {{1, 9, 12, 8}, {2, 3, 10, 9}, {10, 4, 5, 11}, {12, 11, 6, 7}};
    {
        // x = 0 and x = 4 carry Mx about y, y = 0 and y = 4 My about x.
        const double Mx = states[0].Mx, My = states[0].My;
        FemModel::Case c;
        auto moment = [&](int node, double M2, double M3) { c.point.push_back({node, 0, float(M2), float(M3)}); };
        moment(1, My * 1.15, -Mx * 1.35);
        moment(2, My * 2.0, 0);
        moment(3, My * 0.85, Mx * 0.8);
        moment(4, 0, -Mx * 2.0);
        moment(6, 0, Mx * 2.0);
        moment(7, -My * 0.7, -Mx * 0.65);
        moment(8, -My * 2.0, 0);
        moment(9, -My * 1.3, Mx * 1.2);
        model.cases.push_back(c);
        model.cases.push_back({{{9, float(2 * states[1].Mxy), 0, 0}}, {}, {}});
    }
    for (float divide : {1.0e6f, 1.0f}) {
        SCOPED_TRACE(divide);
        FemFolder folder;
        Analyse(folder, model, 0, {{0, 1}, {2, 1}, {6, 1}}, divide);
        net_dat_file dat("NET_DAT.FB");
        ASSERT_EQ(dat.read_node(), 1);
        ASSERT_EQ(dat.read_plate(), 1);
        ASSERT_GE(dat.plates.size(), 16u);
        const double t = 0.2, E = dat.plate_E, nu = dat.plate_mu;
        const double D = E * t * t * t / (12 * (1 - nu * nu));
        force_file forces("FORCE.FB");
        // On the finer mesh the edge moments of case 0 stand only at the input nodes.
        for (int lc = divide > 1 ? 0 : 1; lc < 2; ++lc) {
            SCOPED_TRACE(lc);
            const auto [Mx, My, Mxy] = states[lc];
            const double kx = (Mx - nu * My) / (D * (1 - nu * nu)), ky = (My - nu * Mx) / (D * (1 - nu * nu));
            const double kxy = 2 * Mxy / (D * (1 - nu));
            auto exact = [&](double x, double y) {
                return -kx * (x * x - 4 * x) / 2 - ky * (y * y - 4 * y) / 2 - kxy * x * y / 2;
            };
            const std::vector<float> w = CaseOf(folder, "DEFOR.FB", lc);
            ASSERT_EQ(w.size(), dat.x.size());
            double scale = 0;
            for (std::size_t j = 0; j < w.size(); ++j) scale = std::max(scale, std::fabs(exact(dat.x[j], dat.y[j])));
            for (std::size_t j = 0; j < w.size(); ++j)
                EXPECT_NEAR(w[j], exact(dat.x[j], dat.y[j]), 1e-4 * scale) << "mesh node " << j;

            const double tol = 1e-3 * std::max({std::fabs(Mx), std::fabs(My), std::fabs(Mxy)});
            ASSERT_EQ(forces.read_plate(lc), 1);
            ASSERT_EQ(forces.plate.size(), 4u);
            for (const plate_force& p : forces.plate) {
                SCOPED_TRACE(p.Plate);
                ASSERT_EQ(p.bbs, 4);
                for (std::size_t i = 0; i < 4; ++i) {
                    // Along the edge from its first point to the next plate corner.
                    const std::size_t k = (i + 1) % 4;
                    const double dx = p.x[k] - p.x[i], dy = p.y[k] - p.y[i], L = std::hypot(dx, dy);
                    const double cs = dx / L, sn = dy / L;
                    const double along = Mx * cs * cs + My * sn * sn + 2 * Mxy * sn * cs;
                    const double across = Mx * sn * sn + My * cs * cs - 2 * Mxy * sn * cs;
                    for (float v : {p.Mp_l[i], p.Mp_m[i], p.Mp_r[i]}) EXPECT_NEAR(-v, along, tol) << "edge " << i;
                    for (float v : {p.Mv_l[i], p.Mv_m[i], p.Mv_r[i]}) EXPECT_NEAR(-v, across, tol) << "edge " << i;
                }
                EXPECT_NEAR(p.Mxx, -My, tol);
                EXPECT_NEAR(p.Myy, -Mx, tol);
            }
        }
    }
}

// ---------------------------------------------------------------------------
// A held beam with a second beam of no section hanging off its end: the free
// end's freedoms have no stiffness at all, and the factorisation meets a zero
// pivot. The mesh, the freedoms and the assembly stay; nothing of the output
// stage is written. With that end held too the next run writes every result.
TEST(WholeRun, AZeroPivotStopsBeforeTheOutputAndAGoodRunThenWritesIt) {
    FemModel model;
    model.AddNode(0, 0);
    model.AddNode(6, 0);
    model.AddNode(9, 0);
    model.AddBeam(1, 2);
    model.AddBeam(2, 3, 0, 600);  // no width: no stiffness
    model.cases.push_back({{}, {{1, 1, {10, 10, 0, 6}}}, {}});
    FemFolder folder;
    folder.Write("YXY_JS.DAT", model.Text());
    folder.Write("YS.FB", kv::test::RestraintText({{0, 1}, {1, 1}, {0, 2}}));
    FB_DATE reader;
    reader.main_date("YXY_JS.DAT", 1, 0);
    YXY yxy;
    yxy.main_yxy(0, 1.0e6f, 6000, 2);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    const char* earlier[] = {"NET_PRE.FB", "NET_DAT.FB", "FREEDOM.FB", "STIFF1.FB", "LOAD_V.FB", "LOAD_VB.FB"};
    const char* later[] = {"DEFOR.FB", "W_LIANG.FB", "FORCE.FB", "PIN.FB", "ZHU_PIN.FB", "defor.see"};
    for (const char* name : earlier) EXPECT_TRUE(folder.Exists(name)) << name;
    for (const char* name : later) EXPECT_FALSE(folder.Exists(name)) << name;

    JS_ERROR_CODE = 0;
    folder.Write("YS.FB", kv::test::RestraintText({{0, 1}, {1, 1}, {0, 2}, {2, 1}, {2, 2}, {2, 3}}));
    yxy.main_yxy(0, 1.0e6f, 6000, 2);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    for (const char* name : later) EXPECT_TRUE(folder.Exists(name)) << name;
    EXPECT_NEAR(Beams(0).at(0).M[1], 10 * 36 / 8.0, 1e-3);
}

}  // namespace

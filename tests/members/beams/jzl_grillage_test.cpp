// The grid beam's analysis and report against answers worked apart from the
// library: a grillage solved here by dense direct stiffness from the nodes,
// sections, restraints and line loads the run wrote into "YXY_JS.DAT" and
// "YS.FB" (the same rounded input the library reads), the support forces
// against the load, and the default grid's whole report with its forces
// redistributed and its sections designed by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "jzl_test_support.h"

namespace {

// C20 (GB 50010-2010 table 4.1.5): Ec = 2.55e4 N/mm², ν = 0.2, in kN/m².
constexpr double kE = 2.55e7, kNu = 0.2;

struct Node {
    double x, y;
};
struct Element {
    int n1, n2;   // 0-based
    double b, h;  // mm
};
struct LineLoad {
    int element;          // 0-based
    double q1, q2, a, b;  // kN/m downward, m from the element's first node
};
struct Model {
    std::vector<Node> nodes;
    std::vector<Element> elements;
    std::vector<LineLoad> loads;  // of the last case (the full load)
    std::vector<int> fixed;       // restrained freedoms, 3·node + k
};

// The input file as the library reads it: nodes, beams, then the last case
// block's beam loads (mode 0 writes no node loads); the restraints from "YS.FB".
Model ReadInput(const std::vector<std::string>& lines, const std::vector<std::string>& restraints) {
    Model m;
    std::size_t i = 0;
    auto next = [&] { return lines.at(i++); };
    while (next() != "##  结点") {}
    const int nodes = std::stoi(next());
    for (int k = 0; k < nodes; ++k) {
        int id, flag;
        double x, y;
        std::sscanf(next().c_str(), "%d,%lf,%lf,%d", &id, &x, &y, &flag);
        m.nodes.push_back({x, y});
    }
    while (next() != "##  梁") {}
    int beams = 0, grade = 0;
    std::sscanf(next().c_str(), "%d,%d", &beams, &grade);
    for (int k = 0; k < beams; ++k) {
        int id, pos, one, n1, n2, b, h;
        std::sscanf(next().c_str(), "%d,%d,%d,%d,%d,%d,%d", &id, &pos, &one, &n1, &n2, &b, &h);
        m.elements.push_back({n1 - 1, n2 - 1, double(b), double(h)});
    }
    while (next() != "##  荷载") {}
    const int cases = std::stoi(next());
    for (int c = 0; c < cases; ++c) {
        long nodeLoads = 0, beamLoads = 0, plateLoads = 0;
        std::sscanf(next().c_str(), "%ld,%ld,%ld", &nodeLoads, &beamLoads, &plateLoads);
        i += static_cast<std::size_t>(nodeLoads);
        m.loads.clear();
        for (long k = 0; k < beamLoads; ++k) {
            long id;
            int e, type;
            LineLoad l{};
            std::sscanf(next().c_str(), "%ld,%d,%d,%lf,%lf,%lf,%lf", &id, &e, &type, &l.q1, &l.q2, &l.a, &l.b);
            l.element = e - 1;
            m.loads.push_back(l);
        }
    }
    for (std::size_t k = 1; k < restraints.size(); ++k) {
        int node, freedom;
        if (std::sscanf(restraints[k].c_str(), "%d,%d", &node, &freedom) == 2) m.fixed.push_back(3 * node + freedom - 1);
    }
    return m;
}

double LoadAt(const LineLoad& q, double s) { return q.q1 + (q.q2 - q.q1) * (s - q.a) / (q.b - q.a); }

// ∫ f over [a, b] by five-point Gauss: exact for the degree-4 integrands here.
template <class F>
double Gauss(double a, double b, F f) {
    static const double x[5] = {-0.9061798459386640, -0.5384693101056831, 0.0, 0.5384693101056831,
                                0.9061798459386640};
    static const double w[5] = {0.2369268850561891, 0.4786286704993665, 0.5688888888888889, 0.4786286704993665,
                                0.2369268850561891};
    double sum = 0;
    for (int k = 0; k < 5; ++k) sum += w[k] * f((a + b) / 2 + (b - a) / 2 * x[k]);
    return sum * (b - a) / 2;
}

// End and middle values in the report's senses: sagging moments positive, the
// shear the upward force on the beam's left part, the torque along the beam.
struct Forces {
    double M[3];  // left, middle, right
    double V[2];  // left, right
    double T[2];
};

// Three freedoms per node (w up, rotations about x and y); one element per
// beam, w cubic along it (no shear deformation), Saint-Venant torsion linear;
// the first twist diagonal times 1.0001 as the library's element has it.
// Restrained freedoms are struck out; Gaussian elimination in double.
std::vector<Forces> SolveGrillage(const Model& m) {
    const int n = 3 * static_cast<int>(m.nodes.size());
    std::vector<double> K(static_cast<std::size_t>(n) * n, 0.0), F(static_cast<std::size_t>(n), 0.0);
    auto at = [&](int r, int c) -> double& { return K[static_cast<std::size_t>(r) * n + c]; };
    const double G = kE / (2 * (1 + kNu));
    struct Local {
        double L;
        double T[6][6];  // (w, twist, dw/ds) at each end from the global (w, θx, θy)
        double k[6][6];
        double fe[6];    // work-equivalent loads, upward positive
        int dof[6];
    };
    std::vector<Local> loc(m.elements.size());
    for (std::size_t e = 0; e < m.elements.size(); ++e) {
        const Element& el = m.elements[e];
        Local& l = loc[e];
        const double dx = m.nodes[el.n2].x - m.nodes[el.n1].x, dy = m.nodes[el.n2].y - m.nodes[el.n1].y;
        const double L = l.L = std::hypot(dx, dy), c = dx / L, s = dy / L;
        const double b = el.b / 1000, h = el.h / 1000, sm = std::min(b, h), lg = std::max(b, h);
        // J = s³t (1/3 − 0.21 s/t (1 − s⁴/12t⁴)), s the shorter side.
        const double EI = kE * b * h * h * h / 12;
        const double GJ = G * sm * sm * sm * lg * (1.0 / 3 - 0.21 * sm / lg * (1 - std::pow(sm / lg, 4) / 12));
        std::memset(l.T, 0, sizeof l.T);
        std::memset(l.k, 0, sizeof l.k);
        for (int o = 0; o <= 3; o += 3) {
            l.T[o][o] = 1;
            l.T[o + 1][o + 1] = c, l.T[o + 1][o + 2] = s;   // twist about the axis first → second node
            l.T[o + 2][o + 1] = s, l.T[o + 2][o + 2] = -c;  // dw/ds
        }
        const double a = EI / (L * L * L), t = GJ / L;
        const double bend[4][4] = {{12, 6 * L, -12, 6 * L},
                                   {6 * L, 4 * L * L, -6 * L, 2 * L * L},
                                   {-12, -6 * L, 12, -6 * L},
                                   {6 * L, 2 * L * L, -6 * L, 4 * L * L}};
        const int bi[4] = {0, 2, 3, 5};
        for (int r = 0; r < 4; ++r)
            for (int q = 0; q < 4; ++q) l.k[bi[r]][bi[q]] = a * bend[r][q];
        l.k[1][1] = 1.0001 * t, l.k[4][4] = t;
        l.k[1][4] = l.k[4][1] = -t;
        // Hermite shapes of w1, slope1, w2, slope2.
        auto shape = [L](int r, double x) {
            const double u = x / L;
            switch (r) {
                case 0: return 1 - 3 * u * u + 2 * u * u * u;
                case 1: return L * (u - 2 * u * u + u * u * u);
                case 2: return 3 * u * u - 2 * u * u * u;
                default: return L * (-u * u + u * u * u);
            }
        };
        std::fill(l.fe, l.fe + 6, 0.0);
        for (const LineLoad& q : m.loads) {
            if (q.element != static_cast<int>(e)) continue;
            for (int r = 0; r < 4; ++r) l.fe[bi[r]] -= Gauss(q.a, q.b, [&](double x) { return LoadAt(q, x) * shape(r, x); });
        }
        const int d[6] = {3 * el.n1, 3 * el.n1 + 1, 3 * el.n1 + 2, 3 * el.n2, 3 * el.n2 + 1, 3 * el.n2 + 2};
        std::copy(d, d + 6, l.dof);
        for (int i = 0; i < 6; ++i) {
            for (int j = 0; j < 6; ++j) {
                double v = 0;
                for (int p = 0; p < 6; ++p)
                    for (int q = 0; q < 6; ++q) v += l.T[p][i] * l.k[p][q] * l.T[q][j];
                at(d[i], d[j]) += v;
            }
            for (int p = 0; p < 6; ++p) F[static_cast<std::size_t>(d[i])] += l.T[p][i] * l.fe[p];
        }
    }
    for (int d : m.fixed) {
        for (int j = 0; j < n; ++j) at(d, j) = at(j, d) = 0;
        at(d, d) = 1;
        F[static_cast<std::size_t>(d)] = 0;
    }
    std::vector<double> u = F;
    for (int c = 0; c < n; ++c) {
        int p = c;
        for (int r = c + 1; r < n; ++r)
            if (std::fabs(at(r, c)) > std::fabs(at(p, c))) p = r;
        for (int j = 0; j < n; ++j) std::swap(at(c, j), at(p, j));
        std::swap(u[static_cast<std::size_t>(c)], u[static_cast<std::size_t>(p)]);
        for (int r = c + 1; r < n; ++r) {
            const double f = at(r, c) / at(c, c);
            if (f == 0) continue;
            for (int j = c; j < n; ++j) at(r, j) -= f * at(c, j);
            u[static_cast<std::size_t>(r)] -= f * u[static_cast<std::size_t>(c)];
        }
    }
    for (int r = n - 1; r >= 0; --r) {
        for (int j = r + 1; j < n; ++j) u[static_cast<std::size_t>(r)] -= at(r, j) * u[static_cast<std::size_t>(j)];
        u[static_cast<std::size_t>(r)] /= at(r, r);
    }

    std::vector<Forces> out;
    for (std::size_t e = 0; e < m.elements.size(); ++e) {
        const Local& l = loc[e];
        double ul[6], f[6];
        for (int p = 0; p < 6; ++p) {
            ul[p] = 0;
            for (int i = 0; i < 6; ++i) ul[p] += l.T[p][i] * u[static_cast<std::size_t>(l.dof[i])];
        }
        for (int p = 0; p < 6; ++p) {
            f[p] = -l.fe[p];
            for (int q = 0; q < 6; ++q) f[p] += l.k[p][q] * ul[q];
        }
        Forces r{};
        r.V[0] = f[0], r.V[1] = -f[3];
        r.M[0] = -f[2], r.M[2] = f[5];
        r.T[0] = -f[1], r.T[1] = f[4];
        // The middle by the left part's balance: its end moment and shear less
        // the loads between the left end and the middle.
        const double half = l.L / 2;
        double loads = 0;
        for (const LineLoad& q : m.loads)
            if (q.element == static_cast<int>(e) && q.a < half)
                loads += Gauss(q.a, std::min(q.b, half), [&](double s) { return LoadAt(q, s) * (half - s); });
        r.M[1] = r.M[0] + r.V[0] * half - loads;
        out.push_back(r);
    }
    return out;
}

// The run's model and "YXY_JS.DAT"/"YS.FB" on `data` in the folder, the library
// run and the forces read back (redistributed as `data` says) and reported;
// the work files stay.
void RunKept(const kv::test::JzlFolder& folder, CJzlData& data, CJzlJs& js, Model* model) {
    kv::test::BuildModel(js, data);
    ASSERT_EQ(js.Run(), 1);
    *model = ReadInput(folder.Lines("YXY_JS.DAT"), folder.Lines("YS.FB"));
}

// Case 3 (the full load) of every present beam, as the run read it from
// "FORCE.FB" with no redistribution, within 1e-4 of the largest value of its
// kind. The default grid rests on a support at every beam end, so its beams
// hardly twist; with edge beams and a secondary beam each way they do.
TEST(GridBeamGrillage, Case3AgreesWithADenseGrillageOfTheSameInput) {
    struct Case {
        const char* name;
        bool edges;
        int secondary;
    } cases[] = {{"default grid", false, 0}, {"edge and secondary beams", true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kv::test::JzlFolder folder;
        CJzlData data;
        data.MainRedistribution = data.SecRedistribution = 0;
        for (int e = 0; e < 4; ++e) data.EdgeBeam[e] = c.edges;
        data.XSecondary = data.YSecondary = c.secondary;
        CJzlJs js;
        Model model;
        RunKept(folder, data, js, &model);
        ASSERT_FALSE(model.loads.empty());
        const std::vector<Forces> ref = SolveGrillage(model);
        double mMax = 0, vMax = 0, tMax = 0;
        for (const Forces& r : ref) {
            for (double v : r.M) mMax = std::max(mMax, std::fabs(v));
            for (double v : r.V) vMax = std::max(vMax, std::fabs(v));
            for (double v : r.T) tMax = std::max(tMax, std::fabs(v));
        }
        if (c.edges) {
            ASSERT_GT(tMax, 0.01 * mMax) << "the torques are part of the check";
        }
        int checked = 0;
        for (const JZL_BEAM& b : js.m_Beams) {
            if (b.element < 1) continue;
            SCOPED_TRACE(b.element);
            ASSERT_LE(b.element, static_cast<int>(ref.size()));
            const Forces& r = ref[static_cast<std::size_t>(b.element - 1)];
            for (int j = 0; j < 3; ++j) EXPECT_NEAR(b.moment[2][j], r.M[j], 1e-4 * mMax) << "moment " << j;
            EXPECT_NEAR(b.shear[0], r.V[0], 1e-4 * vMax);
            EXPECT_NEAR(b.shear[2], r.V[1], 1e-4 * vMax);
            EXPECT_NEAR(b.torque[0], r.T[0], 1e-4 * std::max(tMax, 0.01 * mMax));
            EXPECT_NEAR(b.torque[2], r.T[1], 1e-4 * std::max(tMax, 0.01 * mMax));
            ++checked;
        }
        EXPECT_EQ(checked, static_cast<int>(model.elements.size()));
    }
}

// The floats of case `c` of "ZHU_PIN.FB": a count and a case number, then the
// values of every input node case by case.
std::vector<float> PinForces(const std::string& bytes, int c) {
    std::int32_t head[2] = {};
    if (bytes.size() < 8) return {};
    std::memcpy(head, bytes.data(), 8);
    const std::size_t count = static_cast<std::size_t>(head[0]), from = 8 + 4 * count * static_cast<std::size_t>(c);
    if (c >= head[1] || bytes.size() < from + 4 * count) return {};
    std::vector<float> out(count);
    std::memcpy(out.data(), bytes.data() + from, 4 * count);
    return out;
}

// With edge beams on every edge nothing is dropped in mode 0: the supports'
// forces under the full load carry the panels' 6 kN/m² over 19.4 m × 12 m and
// the beams' weight at 25 kN/m³ × 1.2 (main beams 0.2 × 0.5 m over 19.4 +
// 3 × 12 m, edge beams 0.25 × 0.6 m over 2 × (19.4 + 12) m):
// 1396.8 + 166.2 + 282.6 = 1845.6 kN.
TEST(GridBeamGrillage, TheSupportsCarryTheWholeLoad) {
    kv::test::JzlFolder folder;
    CJzlData data;
    for (int e = 0; e < 4; ++e) data.EdgeBeam[e] = 1;
    data.UnitWeight = 25;
    CJzlJs js;
    Model model;
    RunKept(folder, data, js, &model);
    double written = 0;
    for (const LineLoad& q : model.loads) written += (q.q1 + q.q2) / 2 * (q.b - q.a);
    EXPECT_NEAR(written, 1845.6, 1e-6 * 1845.6);
    const std::vector<float> pins = PinForces(folder.Read("ZHU_PIN.FB"), 2);
    ASSERT_EQ(pins.size(), model.nodes.size());
    double held = 0;
    for (float p : pins) held += p;
    EXPECT_NEAR(held, 1845.6, 1e-4 * 1845.6);
}

// ---------------------------------------------------------------------------
// The default grid's report. The texts are the report's own; the forces come
// from the grillage above with the 15 % redistribution applied here (every main
// span of the default grid is one beam, so its end moments lose 15 % when
// hogging and the middle gains the mean of what they lose), and the sections
// are designed here for the blast load:
//   C20 fcd = 1.5 × 9.6 = 14.4, ftd = 1.5 × 1.10 = 1.65 N/mm² (GB 50038-2005 4.2.3);
//   HRB335 fyd = 1.35 × 300 = 405, HPB300 fyvd = 1.5 × 270 = 405 N/mm²;
//   h0 = 500 − 35 = 465 mm; each face at least 0.25 % of b·h = 250 mm² (4.11.7);
//   bending: αs = M/(fcd b h0²), ξ = 1 − √(1 − 2αs), As = fcd b ξ h0 / fyd;
//   shear: Vc = 0.8 × 0.7 ψ1 ftd b h0 with ψ1 = 1 − (l/h0 − 8)/15 (4.10.5),
//   stirrups (V − Vc)/(fyvd h0) per mm at least 0.24 ftd/fyvd · b, × 150 mm;
//   the torques are too small to count (T ≤ 0.175 ft Wt), so the shear-torsion
//   stirrups are (V − Vc)/(fyvd h0) × 150 without a minimum and the torsion
//   steel nil.

struct DesignedBeam {
    Forces f;
    double top[3], bottom[3], shear[2], shearTorsion[2];
};

DesignedBeam Design(Forces f, double L) {
    const double b = 200, h = 500, h0 = 465, fc = 14.4, ft = 1.65, fy = 405, fyv = 405, amin = 0.0025 * b * h;
    // The redistribution of a one-beam span.
    double released = 0;
    for (int j : {0, 2})
        if (f.M[j] <= 0) {
            released += 0.15 * std::fabs(f.M[j]) / 2;
            f.M[j] *= 0.85;
        }
    f.M[1] += released;
    DesignedBeam d{};
    d.f = f;
    for (int j = 0; j < 3; ++j) {
        const double as = 1 - 2 * std::fabs(f.M[j]) * 1e6 / (fc * b * h0 * h0);
        const double steel = std::max(amin, fc * b * (1 - std::sqrt(as)) * h0 / fy);
        (f.M[j] > -0.0001 ? d.bottom : d.top)[j] = steel;
        (f.M[j] > -0.0001 ? d.top : d.bottom)[j] = amin;
    }
    const double ratio = L * 1000 / h0, psi = ratio > 8 ? std::max(0.6, 1 - (ratio - 8) / 15) : 1.0;
    const double vc = 0.8 * 0.7 * psi * ft * b * h0;
    for (int k = 0; k < 2; ++k) {
        const double v = std::fabs(f.V[k]) * 1000;
        const double need = v > vc ? (v - vc) / (fyv * h0) : 0;
        d.shear[k] = (v > vc ? std::max(need, 0.24 * ft / fyv * b) : 0) * 150;
        d.shearTorsion[k] = need * 150;
    }
    return d;
}

std::string Format(const char* format, double a, double b = 0, double c = 0) {
    char text[200];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// A report line against the one expected: the same text up to the colon and
// the same length; the numbers after it each within `tolerance`.
void ExpectLine(const std::string& got, const std::string& want, double tolerance) {
    const std::size_t colon = want.find(':');
    if (tolerance == 0 || colon == std::string::npos) {
        EXPECT_EQ(got, want);
        return;
    }
    EXPECT_EQ(got.substr(0, colon + 1), want.substr(0, colon + 1));
    EXPECT_EQ(got.size(), want.size()) << got;
    std::istringstream g(got.substr(std::min(got.size(), colon + 1))), w(want.substr(colon + 1));
    double x, y;
    int count = 0;
    while (w >> y) {
        ASSERT_TRUE(bool(g >> x)) << got;
        EXPECT_NEAR(x, y, tolerance) << got << "\n" << want;
        ++count;
    }
    EXPECT_FALSE(bool(g >> x)) << "more numbers than expected: " << got;
    EXPECT_GT(count, 0);
}

TEST(GridBeamReport, TheDefaultGridsReportAgreesWithTheWorkedOne) {
    kv::test::JzlFolder folder;
    CJzlData data;
    data.m_strName = "默认井字梁";
    data.SetFileName("A");
    CJzlJs js;
    Model model;
    RunKept(folder, data, js, &model);
    const std::vector<Forces> ref = SolveGrillage(model);
    ASSERT_EQ(ref.size(), 10u);

    // (text, tolerance): 0 for text to match exactly.
    std::vector<std::pair<std::string, double>> want;
    const std::string dashes(67, '-');
    for (const char* line :
         {dashes.c_str(), "计算项目: 默认井字梁", dashes.c_str(), "[ 计算条件 ]", "  梁总数: 22", "  混凝土强度等级: C20",
          "  配筋计算as(mm): 35(mm)", "  纵筋级别: HRB335", "  箍筋级别: HPB300", "  箍筋间距: 150(mm)",
          "  均布荷载: 6.000(kN/m2)", "  梁 容 重: 0.000(kN/m3)", "  主梁支座弯矩调幅幅度: 15.000",
          "  次梁支座弯矩调幅幅度: 15.000", "  荷载分配模式:  (双向) ", "",
          "%%%[VanjoroScript%%%InsertDxf=AJT_JZL.DXF%%%VanjoroScript]%%%", "[ 内力配筋 ]", "",
          "%%%[VanjoroScript%%%InsertDxf=ANL_JZL.DXF%%%VanjoroScript]%%%", "",
          "%%%[VanjoroScript%%%InsertDxf=APJ_JZL.DXF%%%VanjoroScript]%%%"})
        want.emplace_back(line, 0);
    // The ten present beams: the inner row's four spans (6, 5.2, 5.2 and 3 m),
    // then the three inner columns' lower and upper 6 m spans.
    const struct {
        int n1, n2;
        double L;
    } beams[10] = {{6, 7, 6}, {7, 8, 5.2}, {8, 9, 5.2}, {9, 10, 3}, {2, 7, 6},
                   {3, 8, 6}, {4, 9, 6},   {7, 12, 6},  {8, 13, 6}, {9, 14, 6}};
    for (int e = 0; e < 10; ++e) {
        const DesignedBeam d = Design(ref[static_cast<std::size_t>(e)], beams[e].L);
        const Forces& f = d.f;
        const double force = 0.5 + 0.02, small = 0.005 + 0.01;
        want.emplace_back(std::string(73, '-'), 0);
        want.emplace_back(Format("梁号: %.0f   左节点号: %.0f 右节点号: %.0f 梁宽: 200(mm) 梁高: 500(mm)", e + 1,
                                 beams[e].n1, beams[e].n2),
                          0);
        want.emplace_back("", 0);
        want.emplace_back("", 0);
        want.emplace_back("                            左             中             右", 0);
        want.emplace_back(Format("弯    矩(kN.m):%15.0f%15.0f%15.0f", f.M[0], f.M[1], f.M[2]), force);
        want.emplace_back(Format("剪    力(kN  ):%15.2f               %15.2f", f.V[0], f.V[1]), small);
        want.emplace_back(Format("扭    矩(kN.m):%15.2f               %15.2f", f.T[0], f.T[1]), small);
        want.emplace_back("", 0);
        want.emplace_back("                             左             中             右", 0);
        const double steel = 0.5 + 0.1;
        want.emplace_back(Format("上部纵筋(mm2):%15.0f%15.0f%15.0f", d.top[0], d.top[1], d.top[2]), steel);
        want.emplace_back(Format("下部纵筋(mm2):%15.0f%15.0f%15.0f", d.bottom[0], d.bottom[1], d.bottom[2]), steel);
        want.emplace_back(Format("抗剪箍筋(mm2):%15.0f               %15.0f", d.shear[0], d.shear[1]), steel);
        want.emplace_back("抗扭纵筋(mm2):              0                             0", 0);
        want.emplace_back("抗扭箍筋(mm2):              0                             0", 0);
        want.emplace_back(Format("扭剪箍筋(mm2):%15.0f               %15.0f", d.shearTorsion[0], d.shearTorsion[1]),
                          steel);
    }
    want.emplace_back(" ", 0);

    const std::vector<std::string> got = folder.Lines("A_JZL.RTF");
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < got.size(); ++k) {
        SCOPED_TRACE("line " + std::to_string(k + 1));
        ExpectLine(got[k], want[k].first, want[k].second);
    }
}

}  // namespace

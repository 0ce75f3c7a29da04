#include "members/beams/lxl_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "base/error.h"
#include "members/beams/lxl_data.h"
#include "support/error_lines.h"

namespace {

using kv::test::ErrorLines;

constexpr int kFree = 0, kSimple = 1, kFixed = 2;  // the data's support codes

struct LoadSpec {
    int span;  // from 1
    int kind;  // 1 dead, else live
    int type;
    float q1, q2 = 0, a = 0, c = 0;
};

// A beam of the given spans (m), all 200 × 500 unless given, redistribution 0, E = 3e7 kN/m².
std::unique_ptr<CLxlData> Beam(std::vector<float> lengths, int left, int right, std::vector<LoadSpec> loads = {},
                               float redistribution = 0, std::vector<int> heights = {}) {
    auto data = std::make_unique<CLxlData>();
    data->SpanNum = static_cast<int>(lengths.size());
    data->LeftSupport = left;
    data->RightSupport = right;
    data->ConGrade = 30000000;
    data->Redistribution = redistribution;
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        data->Spans[s].Length = lengths[s];
        data->Spans[s].Width = 200;
        data->Spans[s].Height = s < heights.size() ? heights[s] : 500;
        data->Spans[s].LoadNum = 0;
    }
    for (const LoadSpec& l : loads) {
        LXL_SPAN& span = data->Spans[l.span - 1];
        LXL_LOAD& load = span.Loads[span.LoadNum++];
        load.Kind = l.kind;
        load.Type = l.type;
        load.Q1 = l.q1;
        load.Q2 = l.q2;
        load.A = l.a;
        load.C = l.c;
    }
    return data;
}

class LxlModel : public ::testing::Test {
protected:
    void TearDown() override { JS_ERROR_CODE = 0; }
};

// ---------------------------------------------------------------------------
// An independent beam solver: the direct stiffness (slope-deflection) method on w
// and the slope φ = dw/dx at every node, solved densely, with the loads
// integrated numerically against the cubic shape functions; section forces by
// statics from the left end of the span.

struct Piece {
    double x0, q0, x1, q1;  // downward line load, linear between x0 and x1
};

// The loads of one span and one case as pieces and point actions.
struct SpanLoads {
    std::vector<Piece> pieces;
    std::vector<std::pair<double, double>> forces;   // (a, P) downward
    std::vector<std::pair<double, double>> moments;  // (a, M): the moment rises by M across a
};

SpanLoads LoadsOf(const std::vector<LoadSpec>& loads, int span, double L, bool dead_case, int live_index) {
    SpanLoads out;
    int live = 0;
    for (const LoadSpec& l : loads) {
        const bool dead = l.kind == 1;
        const bool acts = dead ? dead_case : (!dead_case && live == live_index);
        if (!dead) ++live;
        if (!acts || l.span != span) continue;
        switch (l.type) {
            case 1: out.forces.push_back({l.a, l.q1}); break;
            case 2: out.moments.push_back({l.a, l.q1}); break;
            case 3: out.pieces.push_back({0, l.q1, L, l.q1}); break;
            case 4:
                out.pieces.push_back({0, 0, L / 2, l.q1});
                out.pieces.push_back({L / 2, l.q1, L, 0});
                break;
            case 5:
                out.pieces.push_back({0, 0, l.a, l.q1});
                out.pieces.push_back({l.a, l.q1, L - l.a, l.q1});
                out.pieces.push_back({L - l.a, l.q1, L, 0});
                break;
            case 6: out.pieces.push_back({l.a, l.q1, l.a + l.c, l.q2}); break;
        }
    }
    return out;
}

// Five-point Gauss-Legendre over [x0, x1]: exact for the polynomials met here.
template <class F>
double Gauss(double x0, double x1, F f) {
    static const double t[5] = {-0.9061798459386640, -0.5384693101056831, 0, 0.5384693101056831, 0.9061798459386640};
    static const double w[5] = {0.2369268850561891, 0.4786286704993665, 0.5688888888888889, 0.4786286704993665,
                                0.2369268850561891};
    double sum = 0;
    for (int i = 0; i < 5; ++i) sum += w[i] * f((x0 + x1) / 2 + (x1 - x0) / 2 * t[i]);
    return sum * (x1 - x0) / 2;
}

double PieceQ(const Piece& p, double x) { return p.q0 + (p.q1 - p.q0) * (x - p.x0) / (p.x1 - p.x0); }

// Cubic shape functions of (w1, φ1, w2, φ2) and their slopes.
void Shapes(double L, double x, double N[4], double dN[4]) {
    const double t = x / L;
    N[0] = 1 - 3 * t * t + 2 * t * t * t;
    N[1] = x * (1 - t) * (1 - t);
    N[2] = 3 * t * t - 2 * t * t * t;
    N[3] = x * t * (t - 1);
    dN[0] = (-6 * t + 6 * t * t) / L;
    dN[1] = 1 - 4 * t + 3 * t * t;
    dN[2] = (6 * t - 6 * t * t) / L;
    dN[3] = 3 * t * t - 2 * t;
}

// Equivalent nodal forces (upward, counter-clockwise) of a span's loads.
void NodalForces(const SpanLoads& s, double L, double F[4]) {
    double N[4], dN[4];
    for (int i = 0; i < 4; ++i) F[i] = 0;
    for (const Piece& p : s.pieces)
        for (int i = 0; i < 4; ++i)
            F[i] -= Gauss(p.x0, p.x1, [&](double x) {
                Shapes(L, x, N, dN);
                return N[i] * PieceQ(p, x);
            });
    for (auto [a, P] : s.forces) {
        Shapes(L, a, N, dN);
        for (int i = 0; i < 4; ++i) F[i] -= P * N[i];
    }
    // A moment that rises by M is a clockwise couple −M counter-clockwise.
    for (auto [a, M] : s.moments) {
        Shapes(L, a, N, dN);
        for (int i = 0; i < 4; ++i) F[i] -= M * dN[i];
    }
}

struct Reference {
    std::vector<double> x;          // node abscissae
    std::vector<SpanLoads> loads;   // per span
    std::vector<double> v_left, m_left, m_right;  // per span, sagging positive

    // Shear and moment at distance t into span s (just right of t).
    std::pair<double, double> At(int s, double t) const {
        double V = v_left[s], M = m_left[s] + v_left[s] * t;
        for (const Piece& p : loads[s].pieces) {
            const double hi = std::min(t, p.x1);
            if (hi <= p.x0) continue;
            V -= Gauss(p.x0, hi, [&](double xi) { return PieceQ(p, xi); });
            M -= Gauss(p.x0, hi, [&](double xi) { return (t - xi) * PieceQ(p, xi); });
        }
        for (auto [a, P] : loads[s].forces)
            if (a < t) V -= P, M -= P * (t - a);
        for (auto [a, Mo] : loads[s].moments)
            if (a < t) M += Mo;
        return {V, M};
    }
};

Reference Solve(const std::vector<float>& lengths, const std::vector<double>& EI, int left, int right,
                const std::vector<LoadSpec>& loads, bool dead_case, int live_index) {
    const int spans = static_cast<int>(lengths.size()), n = 2 * (spans + 1);
    Reference ref;
    ref.x.push_back(0);
    for (float L : lengths) ref.x.push_back(ref.x.back() + L);
    std::vector<std::vector<double>> K(n, std::vector<double>(n, 0.0));
    std::vector<double> F(n, 0.0);
    for (int s = 0; s < spans; ++s) {
        const double L = lengths[s], k = EI[s] / (L * L * L);
        const double ke[4][4] = {{12 * k, 6 * L * k, -12 * k, 6 * L * k},
                                 {6 * L * k, 4 * L * L * k, -6 * L * k, 2 * L * L * k},
                                 {-12 * k, -6 * L * k, 12 * k, -6 * L * k},
                                 {6 * L * k, 2 * L * L * k, -6 * L * k, 4 * L * L * k}};
        ref.loads.push_back(LoadsOf(loads, s + 1, L, dead_case, live_index));
        double fe[4];
        NodalForces(ref.loads.back(), L, fe);
        for (int i = 0; i < 4; ++i) {
            F[2 * s + i] += fe[i];
            for (int j = 0; j < 4; ++j) K[2 * s + i][2 * s + j] += ke[i][j];
        }
    }
    // Restraints: every interior w, simple ends w, fixed ends w and φ.
    std::vector<bool> held(n, false);
    for (int i = 1; i < spans; ++i) held[2 * i] = true;
    auto end = [&](int node, int code) {
        if (code == kSimple || code == kFixed) held[2 * node] = true;
        if (code == kFixed) held[2 * node + 1] = true;
    };
    end(0, left);
    end(spans, right);
    std::vector<int> free_dofs;
    for (int i = 0; i < n; ++i)
        if (!held[i]) free_dofs.push_back(i);
    const int m = static_cast<int>(free_dofs.size());
    std::vector<std::vector<double>> A(m, std::vector<double>(m + 1));
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < m; ++j) A[i][j] = K[free_dofs[i]][free_dofs[j]];
        A[i][m] = F[free_dofs[i]];
    }
    for (int c = 0; c < m; ++c) {  // Gauss-Jordan with partial pivoting
        int p = c;
        for (int r = c + 1; r < m; ++r)
            if (std::fabs(A[r][c]) > std::fabs(A[p][c])) p = r;
        std::swap(A[c], A[p]);
        for (int r = 0; r < m; ++r) {
            if (r == c) continue;
            const double f = A[r][c] / A[c][c];
            for (int j = c; j <= m; ++j) A[r][j] -= f * A[c][j];
        }
    }
    std::vector<double> d(n, 0.0);
    for (int i = 0; i < m; ++i) d[free_dofs[i]] = A[i][m] / A[i][i];
    for (int s = 0; s < spans; ++s) {
        const double L = lengths[s], k = EI[s] / (L * L * L);
        const double* u = &d[2 * s];
        double fe[4];
        NodalForces(ref.loads[s], L, fe);
        const double V1 = k * (12 * u[0] + 6 * L * u[1] - 12 * u[2] + 6 * L * u[3]) - fe[0];
        const double M1 = k * (6 * L * u[0] + 4 * L * L * u[1] - 6 * L * u[2] + 2 * L * L * u[3]) - fe[1];
        const double M2 = k * (6 * L * u[0] + 2 * L * L * u[1] - 6 * L * u[2] + 4 * L * L * u[3]) - fe[3];
        ref.v_left.push_back(V1);
        ref.m_left.push_back(-M1);  // a counter-clockwise end moment hogs at the left end
        ref.m_right.push_back(M2);
    }
    return ref;
}

std::vector<double> Rigidities(const std::vector<float>& lengths, const std::vector<int>& heights) {
    std::vector<double> EI;
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        const double b = 0.2f, h = static_cast<float>(heights[s] / 1000.0f);
        EI.push_back(3.0e7 * (b * h * h * h / 12));
    }
    return EI;
}

// Span of a station and its distance into the span (the left span at a node).
std::pair<int, double> Locate(const Reference& ref, double x) {
    int s = 0;
    while (s + 2 < static_cast<int>(ref.x.size()) && x > ref.x[s + 1] + 1e-6) ++s;
    return {s, x - ref.x[s]};
}

bool NearPointAction(const Reference& ref, int s, double t) {
    for (auto [a, P] : ref.loads[s].forces)
        if (std::fabs(a - t) < 0.02) return true;
    for (auto [a, M] : ref.loads[s].moments)
        if (std::fabs(a - t) < 0.02) return true;
    return false;
}

struct Supports {
    int left, right;
};

std::vector<Supports> StablePairs(int spans) {
    std::vector<Supports> out;
    for (int l : {kFree, kSimple, kFixed})
        for (int r : {kFree, kSimple, kFixed}) {
            const bool free_l = l == kFree, free_r = r == kFree;
            if (spans == 1 && (free_l || free_r) && !(l == kFixed || r == kFixed)) continue;
            if (spans <= 2 && free_l && free_r) continue;
            out.push_back({l, r});
        }
    return out;
}

// One load of each type, on spans taken in turn; positions off the 0.01 m grid.
LoadSpec LoadOfType(int type, int spans) {
    const int span = (type - 1) % spans + 1;
    switch (type) {
        case 1: return {span, 1, 1, 25, 0, 1.237f};
        case 2: return {span, 1, 2, 18, 0, 2.613f};
        case 3: return {span, 1, 3, 12};
        case 4: return {span, 1, 4, 15};
        case 5: return {span, 1, 5, 9, 0, 1.2f};
        default: return {span, 1, 6, 5, 17, 0.8f, 2.1f};
    }
}

TEST_F(LxlModel, EveryLoadTypeOnOneToFourSpansMatchesTheDirectStiffnessMethod) {
    const std::vector<float> all_lengths = {6.0f, 4.5f, 5.2f, 3.8f};
    const std::vector<int> all_heights = {500, 600, 450, 550};
    for (int spans = 1; spans <= 4; ++spans) {
        const std::vector<float> lengths(all_lengths.begin(), all_lengths.begin() + spans);
        const std::vector<int> heights(all_heights.begin(), all_heights.begin() + spans);
        for (Supports sup : StablePairs(spans)) {
            for (int type = 1; type <= 6; ++type) {
                SCOPED_TRACE(testing::Message() << spans << " spans, supports " << sup.left << "/" << sup.right
                                                << ", load type " << type);
                const std::vector<LoadSpec> loads = {LoadOfType(type, spans)};
                auto data = Beam(lengths, sup.left, sup.right, loads, 0, heights);
                YXY_Lxl model(*data);
                ASSERT_EQ(JS_ERROR_CODE, 0);
                model.Solve(*data);
                ASSERT_EQ(JS_ERROR_CODE, 0);
                const Reference ref = Solve(lengths, Rigidities(lengths, heights), sup.left, sup.right, loads, true, -1);

                double scale_m = 0, scale_v = 0;
                for (int s = 0; s < spans; ++s) {
                    scale_m = std::max({scale_m, std::fabs(ref.m_left[s]), std::fabs(ref.m_right[s])});
                    scale_v = std::max(scale_v, std::fabs(ref.v_left[s]));
                }
                for (const auto& st : model.Stations()) {
                    const auto [s, t] = Locate(ref, st.x);
                    scale_m = std::max(scale_m, std::fabs(ref.At(s, t).second));
                }
                const double tol_m = 1e-4 * scale_m, tol_v = 1e-4 * std::max(scale_v, 1.0);

                for (int s = 0; s < spans; ++s) {
                    const auto e = model.ElementEndForces(s, 1);
                    EXPECT_NEAR(e.m_left, ref.m_left[s], tol_m) << "span " << s;
                    EXPECT_NEAR(e.m_right, ref.m_right[s], tol_m) << "span " << s;
                    EXPECT_NEAR(e.v_left, ref.v_left[s], tol_v) << "span " << s;
                    EXPECT_NEAR(e.v_right, ref.At(s, lengths[s]).first, tol_v) << "span " << s;
                }
                int checked = 0;
                for (const auto& st : model.Stations()) {
                    const auto [s, t] = Locate(ref, st.x);
                    if (NearPointAction(ref, s, t) || t < 1e-6 || t > lengths[s] - 1e-6) continue;
                    const auto [V, M] = ref.At(s, t);
                    // One dead case: the envelope is the value, split by sign.
                    ASSERT_NEAR(st.m_max + st.m_min, M, tol_m) << "x = " << st.x;
                    ASSERT_NEAR(st.v_max + st.v_min, V, tol_v) << "x = " << st.x;
                    ++checked;
                }
                EXPECT_GT(checked, 300);
            }
        }
    }
}

// q = 10 on a 6 m span fixed at both ends: −qL²/12 = −30 at the ends, qL²/24 = 15 at midspan.
TEST_F(LxlModel, FixedFixedSpanUnderUniformLoad) {
    auto data = Beam({6}, kFixed, kFixed, {{1, 1, 3, 10}});
    YXY_Lxl model(*data);
    model.Solve(*data);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    const LXL_ELEMENT& el = model.Elements()[0];
    EXPECT_NEAR(el.left_m_min, -30, 1e-3);
    EXPECT_NEAR(el.right_m_min, -30, 1e-3);
    EXPECT_NEAR(el.mid_m_max, 15, 1e-3);
    EXPECT_NEAR(el.left_v_max, 30, 1e-3);
    EXPECT_NEAR(el.right_v_min, -30, 1e-3);
    EXPECT_NEAR(model.Stations()[300].m_max, 15, 1e-3);
}

// Three spans, a dead load over all and a live load on each span: at every station the
// envelope is the dead value plus the unfavourable parts of the three live cases.
TEST_F(LxlModel, EnvelopeIsDeadPlusTheUnfavourablePartsOfEachLiveCase) {
    const std::vector<float> lengths = {5.0f, 6.0f, 4.0f};
    const std::vector<int> heights = {500, 500, 500};
    const std::vector<LoadSpec> loads = {
        {1, 1, 3, 8}, {2, 1, 3, 8}, {3, 1, 3, 8},
        {1, 2, 3, 12}, {2, 3, 6, 6, 14, 1.1f, 3.3f}, {3, 2, 4, 10},
    };
    auto data = Beam(lengths, kSimple, kSimple, loads);
    YXY_Lxl model(*data);
    model.Solve(*data);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    ASSERT_EQ(model.CaseCount(), 4);
    const auto EI = Rigidities(lengths, heights);
    const Reference dead = Solve(lengths, EI, kSimple, kSimple, loads, true, -1);
    std::vector<Reference> live;
    for (int i = 0; i < 3; ++i) live.push_back(Solve(lengths, EI, kSimple, kSimple, loads, false, i));

    const double tol = 1e-4 * 60;  // of the largest moments here, some 60 kN·m
    for (const auto& st : model.Stations()) {
        const auto [s, t] = Locate(dead, st.x);
        const auto [v0, m0] = dead.At(s, t);
        double m_max = m0, m_min = m0, v_max = v0, v_min = v0;
        for (const Reference& r : live) {
            const auto [v, m] = r.At(s, t);
            (m >= 0 ? m_max : m_min) += m;
            (v >= 0 ? v_max : v_min) += v;
        }
        ASSERT_NEAR(st.m_max, std::max(0.0, m_max), tol) << "x = " << st.x;
        ASSERT_NEAR(st.m_min, std::min(0.0, m_min), tol) << "x = " << st.x;
        if (t > 1e-6 && t < lengths[s] - 1e-6) {  // the shear jumps at the supports
            ASSERT_NEAR(st.v_max, std::max(0.0, v_max), tol) << "x = " << st.x;
            ASSERT_NEAR(st.v_min, std::min(0.0, v_min), tol) << "x = " << st.x;
        }
    }
    // A live load on the first span raises the hogging at the first interior support.
    EXPECT_LT(model.Elements()[0].right_m_min, dead.m_right[0] - 1.0);
}

// ---------------------------------------------------------------------------
// Model building.

struct RefusalCase {
    int spans, left, right;
    bool refused;
};

TEST_F(LxlModel, UnstableEndSupportsAreRefused) {
    const RefusalCase cases[] = {
        {1, kSimple, kFree, true},  {1, kFree, kSimple, true},  {1, kFree, kFree, true},
        {1, kFixed, kFree, false},  {1, kFree, kFixed, false},  {2, kFree, kFree, true},
        {2, kFree, kSimple, false}, {3, kFree, kFree, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.spans << " spans, " << c.left << "/" << c.right);
        auto data = Beam(std::vector<float>(c.spans, 4.0f), c.left, c.right, {{1, 1, 3, 10}});
        ErrorLines log;
        YXY_Lxl model(*data);
        EXPECT_EQ(log.Has(301, "端支座形式有误!"), c.refused);
        if (c.refused) continue;
        model.Solve(*data);
        EXPECT_EQ(JS_ERROR_CODE, 0);
    }
}

TEST_F(LxlModel, ZeroSpanOrSectionIsRefused) {
    {
        auto data = Beam({4, 0}, kSimple, kSimple);
        ErrorLines log;
        YXY_Lxl model(*data);
        EXPECT_TRUE(log.Has(301, "梁跨长为零!"));
        EXPECT_EQ(JS_ERROR_CODE, 301);
    }
    {
        auto data = Beam({4, 4}, kSimple, kSimple);
        data->Spans[1].Width = 0;
        ErrorLines log;
        YXY_Lxl model(*data);
        EXPECT_TRUE(log.Has(301, "梁单元截面高,宽为零!"));
        model.Solve(*data);  // does nothing
        EXPECT_TRUE(model.Stations().empty());
    }
}

TEST_F(LxlModel, ElasticModulusFromTheGrade) {
    auto data = Beam({4}, kSimple, kSimple);
    data->ConGrade = 1500;  // above 1000: the modulus itself
    YXY_Lxl direct(*data);
    EXPECT_EQ(direct.E(), 1500.0f);
    EXPECT_EQ(direct.Nu(), 0.2f);

    data->ConGrade = 30;  // C30: Ec = 3.00e4 N/mm²
    YXY_Lxl c30(*data);
    EXPECT_FLOAT_EQ(c30.E(), 3.0e7f);

    data->ConGrade = 7;
    ErrorLines log;
    YXY_Lxl unknown(*data);
    EXPECT_TRUE(log.Has(201, "混凝土等级错误"));
    EXPECT_EQ(unknown.E(), 2.55e7f);
    EXPECT_EQ(JS_ERROR_CODE, 201);
}

TEST_F(LxlModel, StationsEveryCentimetreTheLastAtTheEnd) {
    auto data = Beam({4, 6}, kSimple, kSimple);
    YXY_Lxl model(*data);
    model.Solve(*data);
    ASSERT_EQ(model.Stations().size(), 1001u);
    EXPECT_FLOAT_EQ(model.Stations()[999].x, 9.99f);
    EXPECT_EQ(model.Stations()[1000].x, 10.0f);
}

// The cases are numbered by load type in the order 1, 2, 6, 3, 4, 5: the force
// listed second on the span takes case 2, the uniform load listed first case 3.
// A span's end shears differ by the load it carries: 5 and 10·4 = 40.
TEST_F(LxlModel, EveryLiveLoadIsACaseOfItsOwn) {
    auto data = Beam({4, 4}, kSimple, kSimple, {{2, 2, 3, 10}, {2, 3, 1, 5, 0, 1.5f}});
    YXY_Lxl model(*data);
    EXPECT_EQ(model.CaseCount(), 3);
    model.Solve(*data);
    EXPECT_EQ(JS_ERROR_CODE, 0);
    const auto force = model.ElementEndForces(1, 2), uniform = model.ElementEndForces(1, 3);
    EXPECT_NEAR(force.v_left - force.v_right, 5, 1e-4);
    EXPECT_NEAR(uniform.v_left - uniform.v_right, 40, 1e-4);
}

TEST_F(LxlModel, FreedomsAreWAndTheBendingRotationOfEveryNode) {
    auto data = Beam({4, 4}, kSimple, kSimple);
    YXY_Lxl model(*data);
    model.Solve(*data);
    EXPECT_EQ(model.FreedomCount(), 6);
    ErrorLines log;
    model.DumpFreedom();
    ASSERT_EQ(log.lines.size(), 4u);
    EXPECT_EQ(log.lines[0].text, "   0,   1,  -1,   2");
    EXPECT_EQ(log.lines[2].text, "   2,   5,  -1,   6");
    EXPECT_EQ(log.lines[3].text, "---------------------------------\n");
}

// A force at a node loads the node: the cantilever's tip force bends it (PL = 30 at
// the wall), a force over a support goes straight into it and leaves the span unstressed.
TEST_F(LxlModel, ForceAtANodeEntersTheLoadsButNotTheEndForces) {
    {
        auto data = Beam({3}, kFixed, kFree, {{1, 1, 1, 10, 0, 3}});
        YXY_Lxl model(*data);
        model.Solve(*data);
        ASSERT_EQ(JS_ERROR_CODE, 0);
        const auto e = model.ElementEndForces(0, 1);
        EXPECT_NEAR(e.m_left, -30, 1e-3);
        EXPECT_NEAR(e.v_left, 10, 1e-3);
        EXPECT_NEAR(e.m_right, 0, 1e-3);
        EXPECT_NEAR(e.v_right, 10, 1e-3) << "the tip force is the shear just left of it, not taken off";
    }
    {
        auto data = Beam({3, 3}, kSimple, kSimple, {{1, 1, 1, 10, 0, 0}, {2, 1, 1, 10, 0, 0}});
        YXY_Lxl model(*data);
        model.Solve(*data);
        ASSERT_EQ(JS_ERROR_CODE, 0);
        for (int s = 0; s < 2; ++s) {
            const auto e = model.ElementEndForces(s, 1);
            EXPECT_NEAR(e.v_left, 0, 1e-4);
            EXPECT_NEAR(e.m_left, 0, 1e-4);
            EXPECT_NEAR(e.m_right, 0, 1e-4);
        }
    }
}

TEST_F(LxlModel, ElementRoutineRefusalsStopTheRun) {
    struct Case {
        LoadSpec load;
        int code;
        const char* message;
    };
    const Case cases[] = {
        // A trapezoid whose ramps overlap has a middle part that ends before it starts.
        {{1, 1, 5, 10, 0, 2.5f}, 201, "Load error in cal_load_beam : bb <= aa"},
        {{1, 1, 1, 10, 0, 4.5f}, 201, "Load error in cal_eload_beam"},
        {{1, 1, 5, 10, 0, 0.000005f}, 301, "满跨梯形分布力的a太小"},
    };
    for (const Case& c : cases) {
        auto data = Beam({4}, kSimple, kSimple, {c.load});
        ErrorLines log;
        YXY_Lxl model(*data);
        model.Solve(*data);
        EXPECT_TRUE(log.Has(c.code, c.message)) << c.message;
        EXPECT_EQ(JS_ERROR_CODE, c.code) << c.message;
        EXPECT_EQ(model.SpanForces()[0].m_span_sag, 0.0f) << c.message;
    }
}

// ---------------------------------------------------------------------------
// Section forces, redistribution, envelopes and span results.

// 2 × 6 m, 10 kN/m dead: the interior support −qL²/8 = −45, 85 % of it −38.25;
// M(3 m) = −38.25·3/6 + 10·3·3/2 = 25.875. Shears stay elastic: 60·3/8·... V_L = 22.5.
TEST_F(LxlModel, RedistributionReducesTheHoggingEndMoments) {
    auto data = Beam({6, 6}, kSimple, kSimple, {{1, 1, 3, 10}, {2, 1, 3, 10}}, 15);
    YXY_Lxl model(*data);
    model.Solve(*data);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    EXPECT_NEAR(model.Elements()[0].right_m_min, -38.25, 1e-3);
    EXPECT_NEAR(model.Elements()[1].left_m_min, -38.25, 1e-3);
    EXPECT_NEAR(model.Stations()[300].m_max, 25.875, 1e-3);
    EXPECT_NEAR(model.Elements()[0].left_v_max, 22.5, 1e-3);
    EXPECT_NEAR(model.SpanForces()[0].m_right_hog, -38.25, 1e-3);
    EXPECT_NEAR(model.SpanForces()[0].v_right, -37.5, 1e-3);
}

TEST_F(LxlModel, NoLoadsNoForces) {
    auto data = Beam({4, 5, 3}, kFixed, kSimple);
    YXY_Lxl model(*data);
    model.Solve(*data);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    for (const auto& st : model.Stations()) {
        ASSERT_EQ(st.v_max, 0.0f);
        ASSERT_EQ(st.v_min, 0.0f);
        ASSERT_EQ(st.m_max, 0.0f);
        ASSERT_EQ(st.m_min, 0.0f);
    }
    for (const auto& f : model.SpanForces()) {
        EXPECT_EQ(f.m_span_sag, 0.0f);
        EXPECT_EQ(f.v_left, 0.0f);
    }
}

// P = 10 at the middle of a 4 m simple span: the shear is +5 left of it, −5 right of it.
TEST_F(LxlModel, MidspanForceCarriesTheShearOfBothSides) {
    auto data = Beam({4}, kSimple, kSimple, {{1, 1, 1, 10, 0, 2}});
    YXY_Lxl model(*data);
    model.Solve(*data);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    const LXL_ELEMENT& el = model.Elements()[0];
    EXPECT_NEAR(el.mid_v_max, 5, 1e-4);
    EXPECT_NEAR(el.mid_v_min, -5, 1e-4);
    EXPECT_NEAR(el.mid_m_max, 10, 1e-4);
    const LXL_STATION& st = model.Stations()[200];
    EXPECT_NEAR(st.v_max, 5, 1e-4);
    EXPECT_NEAR(st.v_min, -5, 1e-4);
    const auto sec = model.SectionForce(0, 2, 4, 1, 5, 0, 0);
    EXPECT_NEAR(sec.v_left, 5, 1e-5);
    EXPECT_NEAR(sec.v_right, -5, 1e-5);
    EXPECT_NEAR(model.SpanForces()[0].v_mid, -5, 1e-4);  // equal magnitudes: the minimum
}

// A moment of 20 at 0.03 m on a 4 m simple span peaks right beside the support
// (20·(1 − 0.03/4) = 19.85); the span's sagging moment stays the midspan value 10.
TEST_F(LxlModel, PeaksBesideASupportAreNotTheSpans) {
    auto data = Beam({4}, kSimple, kSimple, {{1, 1, 2, 20, 0, 0.03f}});
    YXY_Lxl model(*data);
    model.Solve(*data);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    EXPECT_NEAR(model.Elements()[0].span_m_max, 19.85, 1e-3);
    EXPECT_NEAR(model.SpanForces()[0].m_span_sag, 10, 1e-3);
    EXPECT_NEAR(model.SpanForces()[0].v_left, -5, 1e-4);
}

// A moment rises across its point: M at 1 m of a 4 m span, left −M/4, right +3M/4.
TEST_F(LxlModel, SectionForceOfAMomentJumpsAtItsPoint) {
    auto data = Beam({4}, kSimple, kSimple, {{1, 1, 2, 8, 0, 1}});
    YXY_Lxl model(*data);
    model.Solve(*data);
    const auto sec = model.SectionForce(0, 1, 4, 1, -2, 0, 0);
    EXPECT_NEAR(sec.m_left, -2, 1e-5);
    EXPECT_NEAR(sec.m_right, 6, 1e-5);
    EXPECT_NEAR(sec.v_left, -2, 1e-5);
    EXPECT_NEAR(sec.v_right, -2, 1e-5);
}

TEST(LxlSimpleBeam, MomentOfLineLoadsForcesAndMoments) {
    // 12 kN/m over 4 m: qL²/8 = 24; P = 8 at 1 m: 8·1·2/4 = 4 at 2 m; M = 4 at 1 m: 4·(1 − 2/4) = 2.
    EXPECT_NEAR(kv::lxl::simple_beam_moment(4, 2, 1, 12, 12, 0, 4), 24, 1e-5);
    EXPECT_NEAR(kv::lxl::simple_beam_moment(4, 2, 2, 8, 0, 0, 1), 4, 1e-5);
    EXPECT_NEAR(kv::lxl::simple_beam_moment(4, 2, 2, 0, 4, 0, 1), 2, 1e-5);
}

}  // namespace

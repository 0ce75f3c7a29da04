// Part integrators against closed forms (a cantilever wall, a ring under uniform
// pressure), the load intensities of every part kind as a table of cases, and
// the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "lining/engine/transfer_matrix.h"
#include "lining_text.h"
#include "test_section.h"

using kv::test::Written;

namespace {

constexpr int N = 0, Q = 1, M = 2, V = 4;
constexpr float kPi = 3.1415927f;

// A section whose loads are all switched off by value, under factors of 1.0
// (state 1 under the concrete code); each test sets what it needs.
struct Quiet {
    Quiet() {
        CHeZaiCanShu& z = owner.heZai;
        z.m_fDingCe = z.m_fDingZhong = z.m_fDingYou = 0;
        z.m_fNeiShuiTou = -100;
        z.m_fWaiShuiTou = 0;
        z.m_fDingGuanJiang = 0;
        z.m_fRongZhong = 0;
        owner.jiBen.m_nGuiFan = 1;
        s.m_pData = &owner;
        s.m_nState = 1;
    }
    CTestOwner owner;
    CTestSection s;
};

// Chains one part's elements (y_(i+1) = H_i·y_i + h·P_i), closes it with three
// rows at each end and gives the n + 1 node states (E-scaled, as integrated).
std::vector<double> SolvePart(int n, double h, const std::vector<double>& H, const std::vector<double>& P,
                              const double* startRows, const double* endRows) {
    double T[36], F[6] = {};
    for (int e = 0; e < 36; ++e) T[e] = e % 7 == 0 ? 1.0 : 0.0;
    for (int i = 0; i < n; ++i) {
        double next[36], f[6];
        CJieMianBase::MatMul(next, &H[36 * i], T, 6, 6, 6);
        CJieMianBase::MatMul(f, &H[36 * i], F, 6, 6, 1);
        for (int e = 0; e < 36; ++e) T[e] = next[e];
        for (int e = 0; e < 6; ++e) F[e] = f[e] + h * P[6 * i + e];
    }
    double A[36], r[6] = {};
    for (int e = 0; e < 18; ++e) A[e] = startRows[e];
    CJieMianBase::MatMul(A + 18, endRows, T, 3, 6, 6);
    CJieMianBase::MatMul(r + 3, endRows, F, 3, 6, 1);
    for (int e = 3; e < 6; ++e) r[e] = -r[e];
    EXPECT_EQ(New_gaussj(A, 6, r, 1), 0);
    std::vector<double> nodes(6 * (n + 1));
    for (int e = 0; e < 6; ++e) nodes[e] = r[e];
    for (int i = 0; i < n; ++i) {
        CJieMianBase::MatMul(&nodes[6 * (i + 1)], &H[36 * i], &nodes[6 * i], 6, 6, 1);
        for (int e = 0; e < 6; ++e) nodes[6 * (i + 1) + e] += h * P[6 * i + e];
    }
    return nodes;
}

TEST(LiningPartIntegrators, CantileverWallUnderUniformPressure) {
    // A wall fixed at its foot and free at its top under a uniform side pressure:
    // root moment qL²/2, tip deflection qL⁴/(8EI) for any number of elements.
    const float q = 35, L = 3, t = 0.5f;
    for (const int n : {1, 3, 10, 40}) {
        Quiet c;
        c.owner.heZai.m_fCeShang = c.owner.heZai.m_fCeXia = q;
        std::vector<int> nodeFlags(n + 1, 0), midFlags(n, 0);
        std::vector<double> H(36 * n), P(6 * n);
        ASSERT_EQ(c.s.CalCeQiang(n, 0, L, t, 500, nodeFlags.data(), midFlags.data(), H.data(), P.data(), 1, nullptr), 0);
        double fixed[18], free[18] = {};
        CJieMianBase::BoundaryMatrix(2, fixed, 0, 0, 0, 0, 0);
        free[0 * 6 + N] = free[1 * 6 + Q] = free[2 * 6 + M] = 1;  // nothing acts on the free end
        const std::vector<double> nodes = SolvePart(n, double(L) / n, H, P, fixed, free);
        const double I = double(t) * t * t / 12;
        EXPECT_NEAR(std::fabs(nodes[M]), q * L * L / 2.0, 1e-6 * q * L * L / 2) << n;
        const double tip = std::fabs(nodes[6 * n + V] / c.s.m_fE);  // mm
        const double want = q * std::pow(double(L), 4) / (8 * c.s.m_fE * I);
        EXPECT_NEAR(tip, want, 1e-6 * want) << n;
    }
}

TEST(LiningPartIntegrators, HalfRingUnderUniformOutwardPressureOnRock) {
    // A crown arch of π between two symmetry cuts, bedded on rock, pushed
    // outwards by a uniform pressure p: the ring only stretches, v = p/(E·t/R² + k)
    // and N = E·t·v/R at every node.
    const float R = 4, t = 0.4f, k = 300, p = 50;
    for (const int n : {2, 10, 40}) {
        Quiet c;
        c.owner.heZai.m_fDingGuanJiang = -p;
        c.owner.heZai.m_fFanWeiJiao = 180;
        std::vector<int> nodeFlags(n + 1, 1), midFlags(n, 1);
        std::vector<double> H(36 * n), P(6 * n);
        ASSERT_EQ(c.s.CalDingGong(n, R, t, t, kPi, 0, 0, k, nodeFlags.data(), midFlags.data(), H.data(), P.data(), 1,
                                  nullptr),
                  0);
        double cut[18];
        CJieMianBase::BoundaryMatrix(0, cut, 0, 0, 0, 0, 0);
        const std::vector<double> nodes = SolvePart(n, double(R) * kPi / n, H, P, cut, cut);
        const double E = c.s.m_fE;
        const double v = p / (E * t / (double(R) * R) + k);  // mm
        for (int j = 0; j <= n; ++j) {
            EXPECT_NEAR(nodes[6 * j + V] / E, v, 1e-6 * v) << n << ":" << j;
            EXPECT_NEAR(std::fabs(nodes[6 * j + N]), E * t * v / R, 1e-6 * E * t * v / R) << n << ":" << j;
        }
    }
}

// ---- load intensities ----

// q_t and q_n of a stage point.
struct Load {
    double t, n;
};

Load Roof(CJieMianBase& s, int i, int stage) {
    double p[6];
    EXPECT_EQ(s.LoadAt_DiBan(4, i, stage, 4, 0.5f, 0, 0, 0, p), 0);
    return {p[0], p[1]};
}
Load Floor(CJieMianBase& s) {
    double p[6];
    EXPECT_EQ(s.LoadAt_DiBan(4, 0, 1, 3, 0.5f, 1, 0, 0, p), 0);
    return {p[0], p[1]};
}
Load Wall(CJieMianBase& s) {
    double p[6];
    EXPECT_EQ(s.LoadAt_CeQiang(4, 1, 2, 0, 3, 0.5f, 1, p), 0);
    return {p[0], p[1]};
}
Load Crown(CJieMianBase& s) {
    double p[6];
    EXPECT_EQ(s.LoadAt_DingGong(4, 1, 2, 3, 0.5f, 0.5f, 1.0f, 3, 0, 1, p), 0);
    return {p[0], p[1]};
}
Load Invert(CJieMianBase& s) {
    double p[6];
    EXPECT_EQ(s.LoadAt_DiGong(4, 1, 2, 5, 0.5f, 0.5f, 0.5f, p), 0);
    return {p[0], p[1]};
}
Load Corner(CJieMianBase& s, int bottom) {
    double p[6];
    EXPECT_EQ(s.LoadAt_YuanJiao(4, 1, 2, 0.8f, 0.5f, 0.5f, bottom, 3, p), 0);
    return {p[0], p[1]};
}
Load SideArch(CJieMianBase& s, float phiE) {
    double p[6];
    EXPECT_EQ(s.LoadAt_CeGong(4, 1, 2, 3, 0.5f, 0.5f, 0.6f, 0, 1, phiE, p), 0);
    return {p[0], p[1]};
}
Load OffsetArch(CJieMianBase& s) {
    double p[6];
    EXPECT_EQ(s.LoadAt_CeGongEx(4, 1, 2, 3, 0.5f, 0.5f, 0.4f, 3, 0, 1, 0.5f, p), 0);
    return {p[0], p[1]};
}

TEST(LiningLoadIntensity, RoofGroutingBeginsAtItsStartDistance) {
    Quiet c;
    c.owner.heZai.m_fDingGuanJiang = 20;
    c.owner.heZai.m_fQiDianJuLi = 2;
    EXPECT_EQ(Roof(c.s, 1, 2).n, 0);   // x = 1.5 m
    EXPECT_EQ(Roof(c.s, 2, 1).n, 20);  // x = 2 m
}

TEST(LiningLoadIntensity, CrownGroutingReachesItsRangeAnglePlusAHundredthRadian) {
    Quiet c;
    c.owner.heZai.m_fDingGuanJiang = 20;
    c.owner.heZai.m_fFanWeiJiao = 60;
    const float limit = 60 * kPi / 180 + 0.01f;
    for (const float offset : {-0.001f, 0.001f}) {
        // Element 1 of 2 from the crown starts at half the angle.
        double p[6];
        ASSERT_EQ(c.s.LoadAt_DingGong(2, 1, 1, 3, 0.5f, 0.5f, 2 * (limit + offset), 3, 0, 0, p), 0);
        EXPECT_EQ(p[1], offset < 0 ? 20 : 0) << offset;
    }
}

TEST(LiningLoadIntensity, WaterHeads) {
    Quiet c;
    c.owner.heZai.m_fNeiShuiTou = -0.5f;  // below the whole section
    for (const Load& load : {Floor(c.s), Wall(c.s), Crown(c.s), Invert(c.s), Corner(c.s, 1), Corner(c.s, 0),
                             SideArch(c.s, 1.2f), OffsetArch(c.s)})
        EXPECT_EQ(load.n, 0);
    // External water on a floor at y = 0 under the design state's factors.
    c.owner.heZai.m_fWaiShuiTou = 6;
    c.owner.heZai.m_fBeta = 0.4f;
    c.owner.jiBen.m_nGuiFan = 0;
    c.owner.jiBen.m_fGamma0 = 1.1f;
    c.owner.zuHe.m_fSheJiZhuangKuang = 0.9f;
    c.s.m_nState = 0;
    EXPECT_NEAR(Floor(c.s).n, 24 * 1.1 * 0.9 * 1.2, 1e-5);
    // The internal head pulls outwards: 10·(6 − 0) on the floor.
    c.owner.heZai.m_fWaiShuiTou = 0;
    c.owner.heZai.m_fNeiShuiTou = 6;
    c.s.m_nState = 1;
    EXPECT_NEAR(Floor(c.s).n, -60, 1e-5);
}

TEST(LiningLoadIntensity, SwitchingOffTopRockPressure) {
    Quiet c;
    CHeZaiCanShu& z = c.owner.heZai;
    z.m_fDingCe = z.m_fDingZhong = z.m_fDingYou = 70;
    z.m_fDiCe = z.m_fDiZhong = 40;
    c.owner.type = 14;
    const Load upper14 = SideArch(c.s, 2.5f);  // the curved wall's stage point above mid-height
    EXPECT_NE(upper14.n, 0);
    c.owner.type = 3;
    const Load on[] = {Roof(c.s, 1, 2), Crown(c.s), Corner(c.s, 0), OffsetArch(c.s), Floor(c.s), Invert(c.s),
                       SideArch(c.s, 1.2f), Corner(c.s, 1)};
    for (const Load& load : on) EXPECT_NE(load.n, 0);
    c.owner.zuHe.m_Items[1].m_bJiSuan = 0;  // 顶岩压力
    EXPECT_EQ(Roof(c.s, 1, 2).n, 0);
    EXPECT_EQ(Crown(c.s).n, 0);
    EXPECT_EQ(Corner(c.s, 0).n, 0);
    EXPECT_EQ(OffsetArch(c.s).n, 0);
    EXPECT_EQ(Floor(c.s).n, on[4].n);
    EXPECT_EQ(Invert(c.s).n, on[5].n);
    EXPECT_EQ(SideArch(c.s, 1.2f).n, on[6].n);
    // Each pressure follows the switch of its own kind: a bottom corner keeps its
    // bottom rock, the curved wall's upper half loses its top rock.
    EXPECT_EQ(Corner(c.s, 1).n, on[7].n);
    c.owner.type = 14;
    EXPECT_EQ(SideArch(c.s, 2.5f).n, 0);
    c.owner.zuHe.m_Items[1].m_bJiSuan = 1;
    c.owner.zuHe.m_Items[2].m_bJiSuan = 0;  // 底岩压力
    EXPECT_EQ(SideArch(c.s, 2.5f).n, upper14.n);
    c.owner.type = 3;
    EXPECT_EQ(Corner(c.s, 1).n, 0);
    EXPECT_EQ(Corner(c.s, 0).n, on[2].n);
}

TEST(LiningLoadIntensity, SwitchingOffOtherGrouting) {
    Quiet c;
    CHeZaiCanShu& z = c.owner.heZai;
    z.m_fDingGuanJiang = 20;
    z.m_fFanWeiJiao = 180;
    z.m_fQiTaGuanJiang = 15;
    c.owner.zuHe.m_Items[7].m_bJiSuan = 0;  // 其余灌浆压力
    EXPECT_EQ(Roof(c.s, 1, 2).n, 20);
    EXPECT_EQ(Crown(c.s).n, 20);
    c.s.m_bDingGongGuanJiang = 1;
    EXPECT_EQ(OffsetArch(c.s).n, 20);
    EXPECT_EQ(Floor(c.s).n, 0);
    EXPECT_EQ(Invert(c.s).n, 0);
    EXPECT_EQ(SideArch(c.s, 1.2f).n, 0);
    // Walls, corners and offset side arches outside the crown have only the other grouting.
    EXPECT_EQ(Wall(c.s).n, 0);
    EXPECT_NEAR(Corner(c.s, 1).n, 0, 1e-6);
    c.s.m_bDingGongGuanJiang = 0;
    EXPECT_EQ(OffsetArch(c.s).n, 0);
    c.owner.zuHe.m_Items[7].m_bJiSuan = 1;
    c.owner.zuHe.m_Items[6].m_bJiSuan = 0;
    EXPECT_EQ(OffsetArch(c.s).n, 15);
    EXPECT_EQ(Wall(c.s).n, 15);
    c.s.m_bDingGongGuanJiang = 1;
    EXPECT_EQ(OffsetArch(c.s).n, 0);
}

TEST(LiningLoadIntensity, CombinationFactorsByState) {
    Quiet c;
    c.owner.heZai.m_fDiCe = c.owner.heZai.m_fDiZhong = 40;
    c.owner.jiBen.m_fGamma0 = 1.1f;
    c.owner.jiBen.m_fGamma0S = 1.3f;
    c.owner.zuHe.m_fSheJiZhuangKuang = 0.85f;
    c.owner.zuHe.m_Items[2].m_fChangQi = 0.5f;
    struct Case {
        int code, state;
        double factor;
    } const cases[] = {
        {1, 1, 1.0},                  // standard values under the concrete code
        {0, 1, 1.3},                  // the hydraulic code's serviceability γ0
        {0, 0, 1.1 * 0.85 * 1.05},    // γ0 · ψ · the item's partial factor
        {1, 0, 1.1 * 1.05},           // no design-situation factor under the concrete code
        {0, 2, 1.3 * 0.5},            // long-term coefficient
        {0, 5, 1.0},                  // no such state: the terms stay as they were
    };
    for (const auto& k : cases) {
        c.owner.jiBen.m_nGuiFan = k.code;
        c.s.m_nState = k.state;
        EXPECT_NEAR(Floor(c.s).n, 40 * k.factor, 1e-5) << k.code << "/" << k.state;
    }
    float rock = 1, side = 1, weight = 1, grout = 1, inner = 1, outer = 1;
    EXPECT_EQ(c.s.ApplyZuHe(rock, side, weight, grout, inner, outer, 1), -1);
    EXPECT_EQ(rock + side + weight + grout + inner + outer, 6);
}

TEST(LiningLoadIntensity, SelfWeightAndAdditionalDeadLoad) {
    Quiet c;
    c.owner.heZai.m_fRongZhong = 25;
    c.s.m_fMoHuiHeZai = 2;
    const double g = 0.5 * 25 + 2;
    EXPECT_NEAR(Floor(c.s).n, -g, 1e-5);
    EXPECT_NEAR(Roof(c.s, 0, 1).n, g, 1e-5);
    EXPECT_NEAR(Wall(c.s).t, g, 1e-5);
    double p[6];
    ASSERT_EQ(c.s.LoadAt_CeQiang(4, 1, 2, 0, 3, 0.5f, 0, p), 0);
    EXPECT_NEAR(p[0], -g, 1e-5);  // a wall run downwards
}

TEST(LiningLoadIntensity, SideRockDistribution) {
    Quiet c;
    c.owner.heZai.m_fCeShang = 10;
    c.owner.heZai.m_fCeXia = 30;  // the test section's walls are 4 m high
    EXPECT_FLOAT_EQ(c.s.SideRockAt(0, 1), 30);
    EXPECT_FLOAT_EQ(c.s.SideRockAt(2, 1), 20);
    EXPECT_NEAR(c.s.SideRockAt(4.00005f, 1), 10 - 20 * 0.00005f / 4, 1e-4);
    EXPECT_EQ(c.s.SideRockAt(4.0002f, 1), 0);
    EXPECT_NEAR(c.s.SideRockAt(-0.00005f, 1), 30 + 20 * 0.00005f / 4, 1e-4);
    EXPECT_EQ(c.s.SideRockAt(-0.0002f, 1), 0);
    // Supports: the right side's own values when the loads are unsymmetric...
    c.s.zhiZuo = 1;
    c.owner.heZai.m_fYouShang = 50;
    c.owner.heZai.m_fYouXia = 70;
    c.owner.heZai.m_bDuiCheng = 0;
    EXPECT_FLOAT_EQ(c.s.SideRockAt(2, 0), 60);
    EXPECT_FLOAT_EQ(c.s.SideRockAt(2, 1), 20);
    // ...and with symmetric loads on unlike supports the left gradient over the
    // right wall's height.
    c.owner.heZai.m_bDuiCheng = 1;
    c.s.zhiZuoSym = 0;
    c.s.height[1] = 4;
    c.s.height[0] = 2;
    EXPECT_FLOAT_EQ(c.s.SideRockAt(0, 0), 20);
    EXPECT_FLOAT_EQ(c.s.SideRockAt(2, 0), 10);
    c.s.zhiZuoSym = 1;
    EXPECT_FLOAT_EQ(c.s.SideRockAt(0, 0), 30);
}

TEST(LiningLoadIntensity, TopRockDistribution) {
    Quiet c;
    CHeZaiCanShu& z = c.owner.heZai;
    z.m_fDingCe = 10;
    z.m_fDingZhong = 30;
    z.m_fDingYou = 50;  // the test section is 6 m wide
    c.s.zhiZuo = 1;
    EXPECT_FLOAT_EQ(c.s.TopRockAt(1.5f, 1), 20);
    EXPECT_FLOAT_EQ(c.s.TopRockAt(4.5f, 1), 20);  // symmetric loads mirror the left half
    EXPECT_FLOAT_EQ(c.s.TopRockAt(6, 1), 10);
    z.m_bDuiCheng = 0;
    EXPECT_FLOAT_EQ(c.s.TopRockAt(4.5f, 1), 40);
    EXPECT_FLOAT_EQ(c.s.TopRockAt(6, 1), 50);
    EXPECT_EQ(c.s.TopRockAt(6.0002f, 1), 0);
    EXPECT_EQ(c.s.TopRockAt(-0.0002f, 1), 0);
    EXPECT_EQ(c.s.TopRockAt(3, 0), 0);  // the bottom values
}

TEST(LiningLoadIntensity, OffsetSideArchGroutingFollowsTheCrownFlag) {
    Quiet c;
    c.owner.heZai.m_fDingGuanJiang = 20;
    c.owner.heZai.m_fQiTaGuanJiang = 15;
    c.owner.heZai.m_fFanWeiJiao = 10;  // the arch's points lie beyond 10° + 0.01 rad
    c.s.m_bDingGongGuanJiang = 1;
    EXPECT_EQ(OffsetArch(c.s).n, 0);
    c.owner.heZai.m_fFanWeiJiao = 60;
    EXPECT_EQ(OffsetArch(c.s).n, 20);
    c.s.m_bDingGongGuanJiang = 0;
    EXPECT_EQ(OffsetArch(c.s).n, 15);
}

TEST(LiningLoadIntensity, CurvedWallPointsOnTheFullCircle) {
    // Type 14: a side pressure that grows with depth shows where each point sits.
    Quiet c;
    c.owner.type = 14;
    c.owner.heZai.m_fCeShang = 0;
    c.owner.heZai.m_fCeXia = 40;  // 4 m high: 10 kN/m² per metre below the top
    c.s.height[1] = 4;
    // Side 1 from φe + θ = 3π/2 (the bottom) up a quarter: element 0 of 2, stage 1
    // is the bottom point, with no horizontal component of the side pressure.
    double p[6];
    const float R = 2;
    ASSERT_EQ(c.s.LoadAt_CeGong(2, 0, 1, R, 0.5f, 0.5f, kPi / 2, 0, 1, kPi, p), 0);
    EXPECT_NEAR(p[1], 0, 1e-5);
    EXPECT_NEAR(p[0], 0, 1e-5);
    // The end of that quarter is the springing at the centre's height, y = R:
    // there the side pressure acts in full along the normal.
    ASSERT_EQ(c.s.LoadAt_CeGong(2, 1, 4, R, 0.5f, 0.5f, kPi / 2, 0, 1, kPi, p), 0);
    EXPECT_NEAR(p[1], 40 - 10 * R, 1e-4);
    EXPECT_NEAR(p[0], 0, 1e-4);
}

// ---- refusals and the log ----

TEST(LiningPartIntegrators, Refusals) {
    Quiet c;
    double p[6];
    struct Case {
        int n, i, stage;
    } const bad[] = {{0, 0, 1}, {3, -1, 1}, {3, 3, 1}, {3, 0, 0}, {3, 0, 5}};
    for (const auto& k : bad) {
        EXPECT_EQ(c.s.LoadAt_DiBan(k.n, k.i, k.stage, 3, 0.5f, 1, 0, 0, p), -1);
        EXPECT_EQ(c.s.LoadAt_CeQiang(k.n, k.i, k.stage, 0, 3, 0.5f, 1, p), -1);
        EXPECT_EQ(c.s.LoadAt_DingGong(k.n, k.i, k.stage, 3, 0.5f, 0.5f, 1, 3, 0, 1, p), -1);
        EXPECT_EQ(c.s.LoadAt_DiGong(k.n, k.i, k.stage, 3, 0.5f, 0.5f, 1, p), -1);
        EXPECT_EQ(c.s.LoadAt_YuanJiao(k.n, k.i, k.stage, 1, 0.5f, 0.5f, 1, 0, p), -1);
        EXPECT_EQ(c.s.LoadAt_CeGong(k.n, k.i, k.stage, 3, 0.5f, 0.5f, 1, 0, 1, 1.5f, p), -1);
        EXPECT_EQ(c.s.LoadAt_CeGongEx(k.n, k.i, k.stage, 3, 0.5f, 0.5f, 1, 3, 0, 1, 1, p), -1);
    }
    EXPECT_EQ(c.s.LoadAt_DiBan(3, 0, 1, 3, 0.5f, 1, 0, 0, nullptr), -1);

    const int n = 3;
    std::vector<int> flags(n + 1, 1), mids(n, 1);
    std::vector<double> H(36 * n, 7.0), P(6 * n, 7.0);
    // A wall lower than a millimetre: nothing is computed.
    EXPECT_EQ(c.s.CalCeQiang(n, 0, 0.0009f, 0.5f, 500, flags.data(), mids.data(), H.data(), P.data(), 1, nullptr), -1);
    for (double v : H) EXPECT_EQ(v, 7.0);
    EXPECT_EQ(c.s.CalDiBan(0, 3, 0.5f, 500, flags.data(), mids.data(), H.data(), P.data(), 1, 0, 0, nullptr), -1);
    EXPECT_EQ(c.s.CalDiBan(n, 3, 0.5f, 500, flags.data(), mids.data(), H.data(), nullptr, 1, 0, 0, nullptr), -1);
    // An arc shorter than 0.1 mm: the first element's matrix is made, its load
    // vector fails and the part stops there.
    EXPECT_EQ(c.s.CalPj_DingGong(n, 0, 0.001f, 0.5f, 0.5f, 0.05f, 0, 0, 500, 1, 1, 1, 1, p, nullptr), -1);
    for (auto integrate : {0, 1, 2, 3}) {
        std::fill(H.begin(), H.end(), 7.0);
        std::fill(P.begin(), P.end(), 7.0);
        int result = 0;
        switch (integrate) {
        case 0:
            result = c.s.CalDingGong(n, 0.001f, 0.5f, 0.5f, 0.05f, 0, 0, 500, flags.data(), mids.data(), H.data(),
                                     P.data(), 1, nullptr);
            break;
        case 1:
            result = c.s.CalDiGong(n, 0.001f, 0.5f, 0.5f, 0.05f, 500, flags.data(), mids.data(), H.data(), P.data(),
                                   nullptr);
            break;
        case 2:
            result = c.s.CalYuanJiao(n, 0.00005f, 0.5f, 0.5f, 500, flags.data(), mids.data(), H.data(), P.data(), 1,
                                     0, nullptr);
            break;
        default:
            result = c.s.CalCeGongEx(n, 0.001f, 0.5f, 0.5f, 0.05f, 0, 0, 500, flags.data(), mids.data(), H.data(),
                                     P.data(), 1, 1, nullptr);
        }
        EXPECT_EQ(result, -1) << integrate;
        EXPECT_NE(H[0], 7.0) << integrate;
        for (size_t e = 36; e < H.size(); ++e) ASSERT_EQ(H[e], 7.0) << integrate;
        for (double v : P) ASSERT_EQ(v, 7.0) << integrate;
    }
}

TEST(LiningPartIntegrators, LogOfTheStages) {
    Quiet c;
    c.owner.heZai.m_fDingGuanJiang = 20;
    int flags[2] = {0, 0}, mids[1] = {0};
    double H[36], P[6];
    const std::string floor = Written([&](std::FILE* log) {
        c.s.CalDiBan(1, 3, 0.5f, 500, flags, mids, H, P, 1, 0, 0, log);
    });
    EXPECT_EQ(floor.substr(0, floor.find('\n', floor.find('\n') + 1) + 1), "计算底板部分：\nHj1=[\n");
    EXPECT_NE(floor.find("Hj4=[\n"), std::string::npos);
    EXPECT_NE(floor.find("  0.000000;   0.000000;   0.000000;   0.000000;   0.000000;   0.000000];\n"),
              std::string::npos);
    const std::string corner = Written([&](std::FILE* log) {
        c.s.CalYuanJiao(1, 1, 0.5f, 0.5f, 500, flags, mids, H, P, 1, 0, log);
    });
    EXPECT_EQ(corner.rfind("Pj1=[", 0), 0u);
    EXPECT_NE(corner.find("Hn4  "), std::string::npos);
    const std::string invert = Written([&](std::FILE* log) {
        c.s.CalDiGong(1, 3, 0.5f, 0.5f, 0.5f, 500, flags, mids, H, P, log);
    });
    EXPECT_EQ(invert, "计算底拱部分：\n");
}

}  // namespace

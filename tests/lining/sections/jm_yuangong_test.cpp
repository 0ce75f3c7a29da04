// Section type 3 (flat floor, straight walls, circular crown): its geometry, its
// parameter report and its elastic-resistance iteration.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "lining/engine/lining_text.h"
#include "lining/sections/tunnel_lining_data.h"
#include "support/error_lines.h"

using kv::test::Written;

namespace {

constexpr double kDeg = 3.14159265358979 / 180;

// A lining of type 3 whose only load is a uniform top rock pressure q.
void OnlyTopRock(CTunnelLiningData& lining, float q) {
    CHeZaiCanShu& z = lining.m_HeZaiCanShu;
    z.m_fDingCe = z.m_fDingZhong = z.m_fDingYou = q;
    z.m_fNeiShuiTou = z.m_fWaiShuiTou = 0;
    z.m_fDingGuanJiang = z.m_fQiTaGuanJiang = 0;
    z.m_fRongZhong = 0;
}

// The same node of parts·(n + 1) states at another element count.
double At(const kv::lining::DriverResult& run, int n, int part, int node, int component) {
    return run.nodes[(part * (n + 1) + node) * 6 + component];
}

}  // namespace

TEST(JmYuanGong, ParameterReportOfTheDefaults) {
    CTunnelLiningData lining;
    const std::string text = Written([&](std::FILE* fp) { EXPECT_EQ(lining.m_JmYuanGongZhiQiang.WriteCanShu(fp), 0); });
    EXPECT_EQ(text,
              "\n[ 衬砌参数 ]\n\n"
              "    底板半宽：          \t\t     3.000(m)\n"
              "    底板厚度：          \t\t     0.600(m)\n"
              "    侧墙高度：          \t\t     6.000(m)\n"
              "    侧墙厚度：          \t\t     0.600(m)\n"
              "    顶拱半中心角：      \t\t    60.000(度)\n"
              "    顶拱拱脚厚度：      \t\t     0.600(m)\n"
              "    顶拱拱顶厚度：      \t\t     0.600(m)\n"
              "    底板围岩弹抗系数：  \t\t   500.000(MN/m3)\n"
              "    侧墙围岩弹抗系数：  \t\t   500.000(MN/m3)\n"
              "    顶拱围岩弹抗系数：  \t\t   500.000(MN/m3)\n"
              "    衬砌的弹性模量：    \t\t 23000.000(MPa)\n");
    EXPECT_EQ(lining.m_JmYuanGongZhiQiang.WriteCanShu(nullptr), -1);
}

TEST(JmYuanGong, CrownGeometryAndExtent) {
    struct Case {
        float b, H, alpha;
    } cases[] = {{3, 6, 60}, {3, 6, 90}, {2.5f, 4, 30}, {2, 3, 120}};
    for (const Case& c : cases) {
        CJmYuanGongZhiQiang jm;
        jm.m_fDiBanBanKuan = c.b;
        jm.m_fCeQiangGaoDu = c.H;
        jm.m_fDingGongBanJiao = c.alpha;
        const double R = c.b / std::sin(c.alpha * kDeg);
        const double yc = c.H - R * std::cos(c.alpha * kDeg);
        EXPECT_NEAR(jm.GetCrownR(), R, 1e-5 * R) << c.alpha;
        float x = -1, y = -1;
        jm.GetCrownCentre(&x, &y);
        EXPECT_EQ(x, 0.0f);
        EXPECT_NEAR(y, yc, 1e-5);
        EXPECT_NEAR(jm.GetHeightTotal(), yc + R, 1e-5) << c.alpha;
        CFRect extent;
        EXPECT_EQ(jm.GetExtent(extent), 0);
        EXPECT_FLOAT_EQ(extent.left, -c.b);
        EXPECT_FLOAT_EQ(extent.right, c.b);
        EXPECT_FLOAT_EQ(extent.bottom, 0);
        EXPECT_NEAR(extent.top, yc + R, 1e-5);
    }
    // A half circle on the walls: R = b, the centre at the springing height.
    CJmYuanGongZhiQiang half;
    half.m_fDingGongBanJiao = 90;
    float x, y;
    half.GetCrownCentre(&x, &y);
    EXPECT_FLOAT_EQ(half.GetCrownR(), 3.0f);
    EXPECT_NEAR(y, 6.0f, 1e-6);
    half.GetCrownCentre(nullptr, &y);  // a missing output is skipped
}

TEST(JmYuanGong, ACrownAngleThatGivesNoArchIsRefusedBeforeTheRun) {
    for (float alpha : {0.0f, 180.0f, -10.0f}) {
        CTunnelLiningData lining;
        lining.m_JmYuanGongZhiQiang.m_fDingGongBanJiao = alpha;
        kv::test::ErrorLines errors;
        const std::string report =
            Written([&](std::FILE* fp) { EXPECT_EQ(lining.m_JmYuanGongZhiQiang.JiSuan(fp), -1) << alpha; });
        EXPECT_EQ(report, "");
        ASSERT_FALSE(errors.lines.empty());
        EXPECT_EQ(errors.lines.front().code, kv::err::kDataError);
        for (const auto& line : errors.lines) EXPECT_NE(line.code, kv::err::kProgress) << line.text;
    }
}

TEST(JmYuanGong, NoReportOrNoElementsIsRefused) {
    CTunnelLiningData lining;
    EXPECT_EQ(lining.m_JmYuanGongZhiQiang.JiSuan(nullptr), -1);
    lining.m_nFenDuanShu = 0;
    const std::string report =
        Written([&](std::FILE* fp) { EXPECT_EQ(lining.m_JmYuanGongZhiQiang.JiSuan(fp), -1); });
    EXPECT_EQ(report, "");
}

TEST(JmYuanGong, APartThatRefusesItsGeometryStopsTheRunWithARedConclusion) {
    CTunnelLiningData lining;
    lining.m_JmYuanGongZhiQiang.m_fCeQiangGaoDu = 0.0001f;
    int status = 0;
    const std::string report = Written([&](std::FILE* fp) { status = lining.m_JmYuanGongZhiQiang.JiSuan(fp); });
    EXPECT_NE(status, 0);
    EXPECT_NE(report.find("计算中止：侧墙部分"), std::string::npos) << report;
}

TEST(JmYuanGong, OneTrialAtMostCountsOneAndHandsOverTheToleranceAbove) {
    CTunnelLiningData lining;
    CJmYuanGongZhiQiang& jm = lining.m_JmYuanGongZhiQiang;
    jm.m_nMaxDieDai = 1;
    kv::test::ErrorLines errors;
    kv::lining::DriverResult run;
    const std::string log = Written([&](std::FILE* fp) { run = jm.Solve(10, fp); });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.trials, 1);
    EXPECT_FLOAT_EQ(run.difference, jm.m_fRongCha + 1000);
    // The default top rock lifts the floor's middle off the rock: a flag changes.
    EXPECT_EQ(run.consistent, 0);
    ASSERT_FALSE(errors.lines.empty());
    EXPECT_EQ(errors.lines.front().code, kv::err::kProgress);
    EXPECT_EQ(errors.lines.front().text, "第0次迭代\n");
    EXPECT_EQ(errors.lines.back().code, kv::err::kCloseProgress);
    EXPECT_EQ(log.rfind("\n第1次试算\n", 0), 0u) << log.substr(0, 40);
    EXPECT_EQ(log.find("第2次试算"), std::string::npos);
}

TEST(JmYuanGong, FlagsConsistentAfterTheFirstTrialEndTheRunThere) {
    // Only the inner water: the whole lining is pressed into the rock.
    CTunnelLiningData lining;
    OnlyTopRock(lining, 0);
    lining.m_HeZaiCanShu.m_fNeiShuiTou = 20;
    const kv::lining::DriverResult run = lining.m_JmYuanGongZhiQiang.Solve(10, nullptr);
    EXPECT_EQ(run.consistent, 1);
    EXPECT_EQ(run.trials, 1);
}

TEST(JmYuanGong, ResultsConvergeAsTheElementsAreHalved) {
    CTunnelLiningData lining;
    CJmYuanGongZhiQiang& jm = lining.m_JmYuanGongZhiQiang;
    jm.m_nMaxDieDai = 30;
    const kv::lining::DriverResult r10 = jm.Solve(10, nullptr);
    const kv::lining::DriverResult r20 = jm.Solve(20, nullptr);
    const kv::lining::DriverResult r40 = jm.Solve(40, nullptr);
    ASSERT_EQ(r10.consistent * r20.consistent * r40.consistent, 1);
    // Forces at the floor centre, the springing and the crown (the displacements
    // settle at single precision before the difference can shrink).
    struct Probe {
        int part, node;  // node in tenths of the part
        int component;
    } probes[] = {{0, 0, 2}, {1, 10, 2}, {2, 10, 2}, {2, 0, 0}};
    for (const Probe& p : probes) {
        const double a = At(r10, 10, p.part, p.node, p.component);
        const double b = At(r20, 20, p.part, p.node * 2, p.component);
        const double c = At(r40, 40, p.part, p.node * 4, p.component);
        EXPECT_LT(std::fabs(c - b), std::fabs(b - a) / 8) << p.part << " " << p.node;
    }
}

TEST(JmYuanGong, RockResistanceBalancesAUniformTopPressure) {
    CTunnelLiningData lining;
    const float q = 100;
    OnlyTopRock(lining, q);
    CJmYuanGongZhiQiang& jm = lining.m_JmYuanGongZhiQiang;
    jm.m_nMaxDieDai = 30;
    const int n = 40;
    const kv::lining::DriverResult run = jm.Solve(n, nullptr);
    ASSERT_EQ(run.consistent, 1);
    float gamma0 = 0, psi = 0, gamma = 0, psiC = 0;
    jm.GetZuHeFactor(&gamma0, &psi, jm.m_nState);
    jm.GetLoadFactor(&gamma, &psiC, lining.m_HeZaiZuHe, jm.m_nState, 1);
    const double applied = q * jm.m_fDiBanBanKuan * gamma0 * psi * gamma * psiC;
    // Resistance as the diagrams print it (kPa, none where the lining leaves the rock).
    auto resistance = [&](int part, int node, float k) { return std::max(0.0, At(run, n, part, node, 4) * k * 1000); };
    const double b = jm.m_fDiBanBanKuan;
    const double alpha = jm.m_fDingGongBanJiao * kDeg;
    const double R = jm.GetCrownR();
    double up = 0, down = 0;
    for (int j = 0; j <= n; ++j) {
        const double w = (j == 0 || j == n) ? 0.5 : 1.0;
        up += w * resistance(0, j, jm.m_fDiBanK) * b / n;
        const double theta = alpha - j * alpha / n;
        down += w * resistance(2, j, jm.m_fDingGongK) * std::cos(theta) * R * alpha / n;
    }
    EXPECT_NEAR(up - down, applied, 0.01 * applied) << up << " " << down;
}

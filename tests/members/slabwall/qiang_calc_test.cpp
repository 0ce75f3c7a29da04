#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/error.h"
#include "drawing/base_sgt.h"
#include "members/slabwall/qiang.h"
#include "slab_test_support.h"
#include "support/edition_guard.h"

namespace {

struct WallRun {
    int result = 0;
    std::string text;
    std::vector<std::string> errors;
};

WallRun RunWall(CLkqData& w) {
    WallRun run;
    kv::err::Sink old = kv::err::SetSink([&](int, const std::string& text) { run.errors.push_back(text); });
    std::FILE* fp = std::tmpfile();
    run.result = qiang_cal(w, fp);
    run.text = slabtest::ReadBack(fp);
    kv::err::SetSink(std::move(old));
    return run;
}

bool Has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// A 6 m by 3 m exterior wall, 300 mm thick, C30 and HRB335.
CLkqData Wall(int kind = 0) {
    CLkqData w(kind);
    w.Width = 6, w.Height = 3, w.Thickness = 300, w.Cover = 15, w.Load = 30, w.VertLoad = 200;
    for (int& e : w.EdgeType) e = 1;
    return w;
}

void ExpectSameMoments(const CLkqData& a, const CLkqData& b) {
    EXPECT_FLOAT_EQ(a.Ma, b.Ma);
    EXPECT_FLOAT_EQ(a.Mb, b.Mb);
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(a.EdgeM[i], b.EdgeM[i]) << "edge " << i;
}

TEST(WallCalc, ASquareSimplySupportedWallHasThePlateSeriesMoments) {
    CLkqData w = Wall();
    w.Width = w.Height = 3;
    for (int& e : w.EdgeType) e = 0;
    ASSERT_EQ(RunWall(w).result, 1);
    // Navier: 0.0368·q·a² per direction with ν = 0, ×(1 + ν) with ν = 0.2 by symmetry.
    const float expected = 0.0368f * 1.2f * 30 * 9;
    EXPECT_NEAR(w.Ma, expected, 0.005f * expected);
    EXPECT_NEAR(w.Mb, expected, 0.005f * expected);
    for (float m : w.EdgeM) EXPECT_NEAR(m, 0, 1e-3);
}

TEST(WallCalc, FixityZeroAndOneAreTheSimplySupportedAndTheFixedWall) {
    for (float fixity : {0.0f, 1.0f}) {
        SCOPED_TRACE(fixity);
        CLkqData elastic = Wall(), reference = Wall();
        elastic.EdgeType[2] = 2, elastic.Fixity = fixity, elastic.TriLoad = 20;
        reference.EdgeType[2] = fixity == 0 ? 0 : 1, reference.TriLoad = 20;
        ASSERT_EQ(RunWall(elastic).result, 1);
        ASSERT_EQ(RunWall(reference).result, 1);
        ExpectSameMoments(elastic, reference);
    }
}

TEST(WallCalc, AnElasticEdgeUnderPlasticTheoryIsAnalysedElastically) {
    CLkqData w = Wall();
    w.Plastic = 1, w.EdgeType[0] = 2;
    const WallRun run = RunWall(w);
    ASSERT_EQ(run.result, 1);
    EXPECT_TRUE(Has(run.text, "\t内力按弹性理论计算(泊松比取0.2):\n"));
    EXPECT_FALSE(Has(run.text, "塑性"));
    EXPECT_FALSE(Has(run.text, "[内力结果]"));
}

TEST(WallCalc, ATinyTriangularLoadAddsNothing) {
    for (int plastic : {0, 1}) {
        CLkqData none = Wall(), tiny = Wall();
        none.Plastic = tiny.Plastic = plastic;
        tiny.TriLoad = 1e-6f;
        const WallRun run = RunWall(tiny);
        ASSERT_EQ(RunWall(none).result, 1);
        ASSERT_EQ(run.result, 1);
        ExpectSameMoments(none, tiny);
        EXPECT_FALSE(Has(run.text, "三角形荷载"));
    }
    CLkqData plastic = Wall();
    plastic.Plastic = 1, plastic.TriLoad = 10;
    EXPECT_TRUE(Has(RunWall(plastic).text, "\t注意：三角形荷载按弹性理论计算\n"));
}

TEST(WallCalc, TheInteriorWallGetsOnlyItsMinimumSteel) {
    CLkqData w = Wall(3);
    const WallRun run = RunWall(w);
    ASSERT_EQ(run.result, 1);
    EXPECT_FALSE(Has(run.text, "弯矩"));
    EXPECT_FALSE(Has(run.text, "配筋小于0"));
    EXPECT_TRUE(Has(run.text, "\t    每侧配筋 = "));
    EXPECT_TRUE(Has(run.text, "\t    每侧构造配筋 = "));
    EXPECT_EQ(w.Ma, 0);
    EXPECT_GT(w.VerAs[4], 0);
}

TEST(WallCalc, PDeltaActsUnder2010OnlyAndOnTheVerticalMomentsOnly) {
    CLkqData plain = Wall();
    plain.VertLoad = 1500, plain.TriLoad = 20;
    {
        kv::test::EditionGuard edition(2010);
        ASSERT_EQ(RunWall(plain).result, 1);
    }
    for (int edition : {2002, 2010}) {
        SCOPED_TRACE(edition);
        kv::test::EditionGuard guard(edition);
        CLkqData w = plain;
        w.SecondOrder = 1;
        const WallRun run = RunWall(w);
        ASSERT_EQ(run.result, 1);
        EXPECT_FLOAT_EQ(w.Ma, plain.Ma);
        EXPECT_FLOAT_EQ(w.EdgeM[1], plain.EdgeM[1]);
        EXPECT_FLOAT_EQ(w.EdgeM[3], plain.EdgeM[3]);
        if (edition == 2002) {
            ExpectSameMoments(w, plain);
            EXPECT_FALSE(Has(run.text, "p-δ"));
        } else {
            EXPECT_GT(std::fabs(w.Mb), std::fabs(plain.Mb));
            EXPECT_GT(std::fabs(w.EdgeM[0]), std::fabs(plain.EdgeM[0]));
            EXPECT_GE(std::fabs(w.EdgeM[2]), std::fabs(plain.EdgeM[2]));
            EXPECT_TRUE(Has(run.text, "\t考虑p-δ效应的跨中弯矩(kN.m):\n"));
        }
    }
}

// The additional eccentricity is max(t, 1000)/30: 33.3 mm for a 300 mm wall, 40 mm
// for a 1200 mm one, never the 20 mm floor. Worked by hand from the 2010 rule
// M = Cm·ηns·M2 on the fixed wall's first-order edge moments (C30, fc = 14.3).
TEST(WallCalc, PDeltaTakesTheAdditionalEccentricityFromAMetreWideOrThickerSection) {
    kv::test::EditionGuard edition(2010);
    for (int t : {300, 1200}) {
        SCOPED_TRACE(t);
        CLkqData plain = Wall();
        plain.Thickness = t, plain.VertLoad = t == 300 ? 1500.0f : 6000.0f, plain.TriLoad = 20;
        plain.Height = t == 300 ? 3.0f : 13.0f;
        ASSERT_EQ(RunWall(plain).result, 1);
        CLkqData w = plain;
        w.SecondOrder = 1;
        ASSERT_EQ(RunWall(w).result, 1);

        const double n = plain.VertLoad * 1e3, h = t, h0 = t - 15.0, l0 = plain.Height * 1e3;
        const double m2 = std::fabs(plain.EdgeM[0]) * 1e6, m1 = std::fabs(plain.EdgeM[2]) * 1e6;
        ASSERT_GT(m2, m1);
        const double zc = std::min(1.0, 0.5 * 14.3 * 1000 * h / n);
        auto byHand = [&](double ea) {
            const double eta = 1 + (l0 / h) * (l0 / h) * zc / (1300 * (m2 / n + ea) / h0);
            return (0.7 + 0.3 * m1 / m2) * eta * m2 / 1e6;
        };
        const double expected = byHand(std::max(h, 1000.0) / 30);
        ASSERT_GT(std::fabs(byHand(20) - expected), 0.02 * expected);  // the case tells the two apart
        EXPECT_NEAR(w.EdgeM[0], -expected, 1e-3 * expected);
    }
}

TEST(WallCalc, NoVerticalLoadIsDesignedATensileOneStops) {
    CLkqData w = Wall();
    w.VertLoad = 0;
    EXPECT_EQ(RunWall(w).result, 1);
    EXPECT_EQ(w.HasResults, 1);
    w.VertLoad = -10;
    const WallRun run = RunWall(w);
    EXPECT_EQ(run.result, 0);
    ASSERT_FALSE(run.errors.empty());
    EXPECT_EQ(run.errors.back(), "此版本无抗拉验算功能 !");
}

// A stopped run must not leave the last run's moments and steel for the drawing.
TEST(WallCalc, AStoppedRunClearsTheLastResults) {
    CLkqData tensile = Wall(), unsupported = Wall(), interiorTensile = Wall(3);
    tensile.VertLoad = -10;
    unsupported.Plastic = 1, unsupported.EdgeType[0] = unsupported.EdgeType[2] = -1;
    // The interior wall's steel, as its last run left it.
    interiorTensile.OneWay = 1, interiorTensile.Load = 0;
    ASSERT_EQ(RunWall(interiorTensile).result, 1);
    ASSERT_GT(interiorTensile.VerAs[4], 0);
    interiorTensile.VertLoad = -10;
    for (CLkqData* w : {&tensile, &unsupported, &interiorTensile}) {
        if (w != &interiorTensile)
            w->HasResults = 1, w->Ma = 5, w->Mb = 6, w->EdgeM[0] = -7, w->HorAs[2] = 800, w->VerAs[0] = 900;
        const WallRun run = RunWall(*w);
        EXPECT_EQ(run.result, 0);
        EXPECT_FALSE(Has(run.text, "配筋"));
        EXPECT_EQ(w->HasResults, 0);
        EXPECT_EQ(w->Ma, 0);
        EXPECT_EQ(w->Mb, 0);
        EXPECT_EQ(w->EdgeM[0], 0);
        EXPECT_EQ(w->HorAs[2], 0);
        EXPECT_EQ(w->VerAs[0], 0);
        EXPECT_EQ(w->VerAs[4], 0);
    }
}

TEST(WallCalc, AOneWayWallIsKeptSquareByItsReport) {
    CLkqData w = Wall();
    w.OneWay = 1;
    CBase_SGT drawing;
    std::FILE* fp = std::tmpfile();
    EXPECT_EQ(qiang_report(w, fp, &drawing), 1);
    const std::string text = slabtest::ReadBack(fp);
    EXPECT_EQ(w.Width, w.Height);
    EXPECT_TRUE(Has(text, "\t墙高  = 3.00 (m)    墙厚  = 300 (mm)\n"));
    EXPECT_TRUE(Has(text, "          **** 下边             上边\n"));
    EXPECT_TRUE(Has(text, "InsertDxf=NONAME_QIANG.DXF"));
}

}  // namespace

namespace {

TEST(WallReport, ConditionsOfATwoWayWallLineByLine) {
    kv::test::EditionGuard edition(2010);
    CLkqData w = Wall();
    w.m_strName = "外墙 WQ-1";
    w.TriLoad = 12.5f, w.Steam = 1, w.EdgeType[0] = 0, w.EdgeType[2] = 2, w.Fixity = 0.65f, w.SecondOrder = 1;
    std::FILE* fp = std::tmpfile();
    EXPECT_EQ(qiang_report(w, fp, nullptr), 1);
    const std::string text = slabtest::ReadBack(fp);
    for (const char* line : {
             "计算项目: 外墙 WQ-1\n",
             "\t墙长 = 6.00(m)        墙高  = 3.00 (m)    墙厚  = 300 (mm)\n",
             "\t墙面均布荷载: 30.00 (kN/m^2)\n",
             "\t墙面三角形荷载:   12.50 (kN/m^2)\n",
             "\t竖向均布荷载: 200.00 (kN/m)\n",
             "\t考虑蒸气养护或掺早强剂        \n",
             "\t配筋计算as (mm):        15 (mm)     \n",
             "          **** 下边             右边             上边             左边\n",
             "\t支承条件:\n               简支             固定             弹性             固定\n",
             "\t弹性支座嵌固率=0.65\n",
             "\t考虑p --δ效应\n",
             "InsertDxf=NONAME_QIANG.DXF",
             "\t内力按弹性理论计算(泊松比取0.2):\n",
             "\t考虑p-δ效应的垂直板边弯矩(kN.m/m):\n",
             "[配筋结果]\n\n\t轴压比:         N/(A*fc)=    ",
             "\t    [注意:   配筋小于0表示超筋, 荷载作用面为外侧]\n",
             "\t　　　　              左               中               右 \n",
         })
        EXPECT_TRUE(Has(text, line)) << line;
    EXPECT_EQ(w.HasResults, 1);
}

}  // namespace

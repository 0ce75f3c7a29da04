// The strip design worked by hand (C25 and HRB335 under blast load: fc = 1.5 ×
// 11.9 = 17.85, ft = 1.5 × 1.27 = 1.905, fy = 1.35 × 300 = 405 N/mm²; the
// minimum ratio max(0.45·ft/fy, 0.3 %) = 0.3 %, 1200 mm²/m on h = 400), and the
// report of whole runs.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "base/error.h"
#include "members/flatslab/wllg_data.h"
#include "members/flatslab/wllg_frm.h"
#include "platform/textfile.h"
#include "support/edition_guard.h"
#include "support/error_lines.h"
#include "support/work_folder.h"
#include "wllg_run_fixture.h"

namespace {

constexpr float kMin = 1200;

// Single reinforcement of a rectangle b × h0 under M (N·mm): ξ = 1 − √(1 − 2αs),
// αs = M/(fc·b·h0²), As = fc·b·ξ·h0/fy.
float Single(float M, float b, float h0) {
    const double as = M / (17.85 * b * h0 * h0);
    const double xi = 1 - std::sqrt(1 - 2 * as);
    return static_cast<float>(17.85 * b * xi * h0 / 405);
}

class StripDesign : public ::testing::Test {
protected:
    void SetUp() override {
        JS_ERROR_CODE = 0;
        data.m_nCivilDefence = 1;
        data.m_nCapDesign = 1;
        data.m_pSpans = {6.0f};
        js.SetData(&data);
        js.m_pData = &data;
        js.SetMemberCount(1);
        g().m_nGrade = 25;
        g().m_fSectB = 4500;
        g().m_fSectH = 400;
    }
    void TearDown() override { JS_ERROR_CODE = 0; }
    CWllgGouJian& g() { return js.m_pMembers[0]; }

    kv::test::WorkFolder work;
    kv::test::EditionGuard edition{2010};
    CWllgData data;
    CWllgFrmJs js;
};

// Hogging puts the tension steel on top, sagging at the bottom; the other face
// and a section without moment take the minimum.
TEST_F(StripDesign, MiddleStripSignsChooseTheTensionFace) {
    g().m_fMidM[0] = -300, g().m_fMidM[1] = 300, g().m_fMidM[2] = 0;
    js.DesignStrip(0, nullptr, 0);
    const float As = Single(300e6f, 1000, 365);
    EXPECT_NEAR(As, 2176.6f, 0.5f);
    EXPECT_NEAR(g().m_fMidTop[0], As, 0.5f);
    EXPECT_NEAR(g().m_fMidBot[0], kMin, 0.5f);
    EXPECT_NEAR(g().m_fMidBot[1], As, 0.5f);
    EXPECT_NEAR(g().m_fMidTop[1], kMin, 0.5f);
    EXPECT_NEAR(g().m_fMidTop[2], kMin, 0.5f);
    EXPECT_NEAR(g().m_fMidBot[2], kMin, 0.5f);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(g().m_nMidFlag[k], 0);
}

// Over the default cap (2000 across, 400 thick) −1500 kN·m/m on half the strip
// (2.25 m) is 3375 kN·m on a web 2000 × 800 with a flange 2250 × 400; the
// compression stays in the flange: As = Single(3375e6, 2250, 765) = 11813 mm²,
// ρ = 11813 / (2250·400 + 400·2000) = 0.69 %. Per metre 11813/2.25 = 5250,
// the bottom a third of it.
TEST_F(StripDesign, HoggingColumnStripOverACapIsAFlangedSection) {
    g().m_fColM[0] = -1500;
    g().m_fColMCap[0] = -100;
    js.DesignStrip(0, nullptr, 1);
    const float A = Single(3375e6f, 2250, 765);
    EXPECT_NEAR(A / 1.7e6f, 0.0069f, 1e-4);
    EXPECT_EQ(g().m_nColFlag[0], 0);
    EXPECT_NEAR(g().m_fColTop[0], A / 2.25f, 1.0f);
    EXPECT_NEAR(g().m_fColBot[0], A / 2.25f / 3, 0.5f);
    EXPECT_NEAR(g().m_fColTopCap[0], kMin, 0.5f) << "the cap edge is a plain rectangle";
}

// A cap only 1 × 1 mm leaves the flange alone: Single(1.8e9, 2250, 366) =
// 15418 mm² on 2250·400 + 1 is 1.7 % > 1.5 %, so the 1000 mm rectangle takes
// −800 kN·m/m: Single(800e6, 1000, 365) = 6885 on top, the minimum below.
TEST_F(StripDesign, FlangedRatioOverOneAndAHalfPercentFallsBackToTheRectangle) {
    data.m_ChongQie.m_nCapThick = 1;
    data.m_ChongQie.m_nCapH = 1;
    g().m_fColM[0] = -800;
    js.DesignStrip(0, nullptr, 1);
    EXPECT_GT(Single(1.8e9f, 2250, 366) / 900001.0f, 0.015f);
    EXPECT_NEAR(g().m_fColTop[0], Single(800e6f, 1000, 365), 1.0f);
    EXPECT_NEAR(g().m_fColBot[0], kMin, 0.5f);
}

TEST_F(StripDesign, SaggingSupportOverACapIsARectangle) {
    g().m_fColM[2] = 300;
    js.DesignStrip(0, nullptr, 1);
    EXPECT_NEAR(g().m_fColBot[2], Single(300e6f, 1000, 365), 0.5f);
    EXPECT_NEAR(g().m_fColTop[2], kMin, 0.5f);
}

TEST_F(StripDesign, SectionBeyondTheConcreteIsFlaggedAndItsLabelWritten) {
    g().m_fMidM[1] = 5000;
    const std::string path = work / "r.txt";
    std::FILE* fp = std::fopen(path.c_str(), "w");
    js.DesignStrip(0, fp, 0);
    std::fclose(fp);
    EXPECT_EQ(g().m_nMidFlag[1], 1);
    EXPECT_EQ(g().m_nMidFlag[0], 0);
    EXPECT_NE(work.Read("r.txt").find("        **中截面:"), std::string::npos);
}

TEST_F(StripDesign, WithoutCivilDefenceTheStripsAreRefusedOnceAndFlagged) {
    data.m_nCivilDefence = 0;
    kv::test::ErrorLines lines;
    js.DesignStrip(0, nullptr, 1);
    js.DesignStrip(0, nullptr, 0);
    EXPECT_EQ(lines.lines.size(), 1u);
    EXPECT_EQ(lines.lines[0].code, 301);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(g().m_nColFlag[k], 1);
        EXPECT_EQ(g().m_nMidFlag[k], 1);
    }
    EXPECT_EQ(g().m_nColCapFlag[0], 1);
}

// ---------------------------------------------------------------- reports

class WllgReport : public kv::test::WllgRunFixture {
protected:
    std::string Run() {
        JS_ERROR_CODE = 0;
        EXPECT_EQ(wllg_calculate(&data), 1);
        return Report();
    }
    static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
};

std::string Golden(const std::string& name) {
    std::ifstream in(std::string(KV_FLATSLAB_GOLDEN) + "/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(WllgReport, DefaultsMatchTheirGoldenReport) {
    const std::string text = Run();
    EXPECT_EQ(text, Golden("wllg-defaults.txt"));
}

TEST_F(WllgReport, OneSpanHasNoPunchingBlockNorInteriorCapLine) {
    data.m_szSpans = "6";
    const std::string text = Run();
    EXPECT_FALSE(Has(text, "[ 冲切验算信息 ]"));
    EXPECT_FALSE(Has(text, "考虑中柱柱帽对计算跨度的影响."));
    EXPECT_TRUE(Has(text, "不考虑边柱柱帽对计算跨度的影响."));
    EXPECT_TRUE(Has(text, "跨号:    1\n"));
    EXPECT_FALSE(Has(text, "跨号:    2\n"));
}

TEST_F(WllgReport, WithoutCapsNoCapLinesAndThePlainSpanLine) {
    data.m_ChongQie.m_nHasCap = 0;
    const std::string text = Run();
    EXPECT_TRUE(Has(text, "\n     计算跨度:  6000(mm)\n"));
    EXPECT_TRUE(Has(text, "\n     计算跨度:  8000(mm)\n"));
    EXPECT_FALSE(Has(text, "柱帽对"));
    EXPECT_FALSE(Has(text, "柱帽边缘处"));
}

TEST_F(WllgReport, CapDesignAddsTheCapEdgeBlock) {
    data.m_nCapDesign = 1;
    const std::string text = Run();
    EXPECT_TRUE(Has(text, "考虑柱帽对柱上板带配筋的影响:\n"));
    EXPECT_TRUE(Has(text, "        柱帽边缘处(每延米):   左柱帽边          右柱帽边\n"));
}

TEST_F(WllgReport, WithoutCivilDefenceTheSteelLinesShowDashes) {
    data.m_nCivilDefence = 0;
    kv::test::ErrorLines lines;
    JS_ERROR_CODE = 0;
    EXPECT_EQ(wllg_calculate(&data), 0);
    EXPECT_TRUE(lines.Has(201, "计算失败 ！"));
    const std::string text = Report();
    EXPECT_TRUE(Has(text, "        上部纵筋(mm2/m):       ——             ——             ——\n"));
}

}  // namespace

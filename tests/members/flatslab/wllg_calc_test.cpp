// The flat slab's run: post-processing worked by hand, the whole run against the
// fixed-end moments of a beam, failures, and the data the run refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/error.h"
#include "frame/frame_files.h"
#include "members/beams/fem_files.h"
#include "members/flatslab/wllg_data.h"
#include "members/flatslab/wllg_frm.h"
#include "platform/textfile.h"
#include "support/edition_guard.h"
#include "support/error_lines.h"
#include "support/work_folder.h"
#include "wllg_run_fixture.h"

namespace {

TEST(WllgRedistribute, HoggingEndsReleaseTheirShareAlongTheSpan) {
    CWllgGouJian g;
    for (int k = 0; k < 9; ++k) g.m_fM[k] = 10;
    g.m_fM[0] = -100;
    g.m_fM[8] = -60;
    g.wllg_redistribute(0.15f);
    EXPECT_FLOAT_EQ(g.m_fM[0], -85);
    EXPECT_FLOAT_EQ(g.m_fM[8], -51);
    EXPECT_FLOAT_EQ(g.m_fM[4], 10 + 0.5f * 15 + 0.5f * 9);
    EXPECT_FLOAT_EQ(g.m_fM[2], 10 + 0.75f * 15 + 0.25f * 9);
}

TEST(WllgRedistribute, SaggingEndStaysAndAddsNothing) {
    CWllgGouJian g;
    g.m_fM[0] = 50;
    g.m_fM[8] = -100;
    g.wllg_redistribute(0.15f);
    EXPECT_FLOAT_EQ(g.m_fM[0], 50);
    EXPECT_FLOAT_EQ(g.m_fM[8], -85);
    EXPECT_FLOAT_EQ(g.m_fM[4], 7.5f);
    EXPECT_FLOAT_EQ(g.m_fM[1], 15.0f / 8);
}

// Slab members first, then columns, as the frame library gives them back.
void Members(CWllgFrmJs& js, int spans, int columns) {
    js.SetMemberCount(spans + columns);
    for (int i = 0; i < spans + columns; ++i) {
        CWllgGouJian& g = js.m_pMembers[static_cast<std::size_t>(i)];
        g.m_nKind = i < spans ? 0 : 1;
        g.m_nNo = i + 1;
        g.m_fSectB = 2000;  // half the strip is one metre
        g.m_fM[0] = g.m_fM[4] = g.m_fM[8] = 1;
    }
}

struct Factors {
    float left, mid, right;
};

void ExpectColumnStrip(const CWllgGouJian& g, Factors f) {
    EXPECT_FLOAT_EQ(g.m_fColM[0], f.left);
    EXPECT_FLOAT_EQ(g.m_fColM[1], f.mid);
    EXPECT_FLOAT_EQ(g.m_fColM[2], f.right);
}

TEST(WllgPostProcess, SpanClassesPickTheEdgeFactorsAtTheOuterSupports) {
    CWllgFrmJs js;
    js.m_fColEdge = 0.8f, js.m_fColMid = 0.55f, js.m_fColInner = 0.75f;
    js.m_fMidEdge = 0.2f, js.m_fMidMid = 0.45f, js.m_fMidInner = 0.25f;
    Members(js, 3, 4);
    js.PostProcess();
    EXPECT_EQ(js.GetSpanType(0), 1);
    EXPECT_EQ(js.GetSpanType(1), 2);
    EXPECT_EQ(js.GetSpanType(2), 3);
    EXPECT_EQ(js.GetSpanType(5), 2) << "columns count as interior spans";
    ExpectColumnStrip(js.m_pMembers[0], {0.8f, 0.55f, 0.75f});
    ExpectColumnStrip(js.m_pMembers[1], {0.75f, 0.55f, 0.75f});
    ExpectColumnStrip(js.m_pMembers[2], {0.75f, 0.55f, 0.8f});
    EXPECT_FLOAT_EQ(js.m_pMembers[0].m_fMidM[0], 0.2f);
    EXPECT_FLOAT_EQ(js.m_pMembers[2].m_fMidM[2], 0.2f);
    EXPECT_FLOAT_EQ(js.m_pMembers[1].m_fMidM[1], 0.45f);

    CWllgFrmJs one;
    one.m_fColEdge = 0.8f, one.m_fColMid = 0.55f, one.m_fColInner = 0.75f;
    Members(one, 1, 2);
    one.PostProcess();
    EXPECT_EQ(one.GetSpanType(0), 4);
    ExpectColumnStrip(one.m_pMembers[0], {0.8f, 0.55f, 0.8f});
}

// −300 kN·m over the strip's half of 2.25 m, times 0.75: −100 kN·m/m.
TEST(WllgPostProcess, ColumnStripMomentPerMetreOfHalfTheStrip) {
    CWllgFrmJs js;
    js.m_fColEdge = js.m_fColInner = 0.75f;
    Members(js, 2, 3);
    js.m_pMembers[0].m_fSectB = 4500;
    js.m_pMembers[0].m_fM[0] = -300;
    js.PostProcess();
    EXPECT_FLOAT_EQ(js.m_pMembers[0].m_fColM[0], -100);
    EXPECT_FLOAT_EQ(js.m_pMembers[0].m_fColMCap[0], -100) << "without cap design the cap edge is the support";
}

// M = −80 + 20·x over 8 m (stations 1 m apart): at 1.5 m −50, at 6.25 m +45.
TEST(WllgPostProcess, CapEdgeMomentsInterpolateTheRedistributedStations) {
    CWllgData data;
    data.m_nCapDesign = 1;
    data.m_pSpans = {8.0f};
    data.m_pCapLeft = {1.5f};
    data.m_pCapRight = {6.25f};
    CWllgFrmJs js;
    js.m_pData = &data;
    js.m_fColEdge = 0.5f;
    Members(js, 1, 2);
    CWllgGouJian& g = js.m_pMembers[0];
    for (int k = 0; k < 9; ++k) g.m_fM[k] = -80.0f + 20.0f * static_cast<float>(k);
    js.PostProcess();
    EXPECT_FLOAT_EQ(g.m_fMCapL, -50);
    EXPECT_FLOAT_EQ(g.m_fMCapR, 45);
    EXPECT_FLOAT_EQ(g.m_fColMCap[0], -25);
    EXPECT_FLOAT_EQ(g.m_fColMCap[1], 22.5f);
}

TEST(WllgForce, FileWithoutLoadCasesIsAReadError) {
    kv::test::WorkFolder work;
    work.MakeCurrent();
    kv::frame::FrmForces none;
    none.nodeCount = 2;
    ASSERT_TRUE(kv::frame::WriteForceFile(kv::frame::kForceFile, none));
    JS_ERROR_CODE = 0;
    kv::test::ErrorLines lines;
    CWllgFrmJs js;
    js.SetMemberCount(1);
    js.m_pMembers[0].m_fM[0] = 7;
    js.ReadForce();
    EXPECT_TRUE(lines.Has(301, "读入梁内力信息时发生错误"));
    EXPECT_FLOAT_EQ(js.m_pMembers[0].m_fM[0], 7);
    JS_ERROR_CODE = 0;
}

// ---------------------------------------------------------------- whole runs

class WllgRun : public kv::test::WllgRunFixture {
protected:
    // The three values of the first line that follows `heading` in the report.
    std::vector<float> Row(const std::string& heading, const std::string& label) {
        const std::string text = Report();
        std::size_t at = text.find(heading);
        at = at == std::string::npos ? at : text.find(label, at);
        if (at == std::string::npos) return {};
        std::vector<float> v(3);
        if (std::sscanf(text.c_str() + at + label.size(), "%f %f %f", &v[0], &v[1], &v[2]) != 3) return {};
        return v;
    }
    // A finite-element work file in the folder, in any spelling of its name.
    bool AnyWorkFileLeft() {
        for (const auto& entry : std::filesystem::directory_iterator(work.path()))
            for (const char* name : FemWorkFiles())
                if (Lower(entry.path().filename().string()) == Lower(name)) return true;
        return false;
    }
    static std::string Lower(std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }
};

// A single span on columns 3 m square and 1 m high is all but fixed at both
// ends: with w = q·b/1000 = 60·4.5 = 270 kN/m over 6 m, the end moments are
// −w·l²/12 = −810 kN·m and mid-span +w·l²/24 = +405 kN·m.
TEST_F(WllgRun, StiffColumnsFixTheSpanEnds) {
    data.m_szSpans = "6";
    data.m_fRedist = 0;
    data.m_ChongQie.m_nHasCap = 0;
    data.m_fLowerHeight = 1.0f;
    data.m_fLowLeftQ1 = data.m_fLowLeftQ2 = data.m_fLowRightQ1 = data.m_fLowRightQ2 = 0;
    data.m_nLeftColB = data.m_nLeftColH = data.m_nRightColB = data.m_nRightColH = 3000;
    kv::test::ErrorLines lines;
    ASSERT_EQ(wllg_calculate(&data), 1);
    EXPECT_TRUE(lines.Has(201, "计算成功 ！"));
    const float w = 60.0f * 4500 / 1000, l = 6.0f;
    const std::vector<float> m = Row("调幅后等代框架", "弯矩(kN.m/m):");
    ASSERT_EQ(m.size(), 3u);
    EXPECT_NEAR(m[0], -w * l * l / 12, 0.01 * w * l * l / 12);
    EXPECT_NEAR(m[1], w * l * l / 24, 0.01 * w * l * l / 24);
    EXPECT_NEAR(m[2], -w * l * l / 12, 0.01 * w * l * l / 12);
    EXPECT_FALSE(AnyWorkFileLeft());
    EXPECT_TRUE(work.Exists(kWllgModelFile)) << "the model stays";
    for (int k = 0; k < 6; ++k) EXPECT_TRUE(work.Exists(data.GetDxfFileName(k))) << k;
}

// A column without width has no stiffness: the library refuses the frame.
TEST_F(WllgRun, FailedAnalysisStillDrawsThePunchingSketchAndClearsTheWorkFiles) {
    data.m_nLeftColB = 0;
    work.Write("struc_ld.fb", "an old one");
    kv::test::ErrorLines lines;
    EXPECT_EQ(wllg_calculate(&data), 0);
    EXPECT_TRUE(lines.Has(301, "计算未通过!"));
    EXPECT_TRUE(lines.Has(201, "计算失败 ！"));
    EXPECT_FALSE(lines.Has(201, "计算成功 ！"));
    EXPECT_TRUE(work.Exists("A_CQ_WLLG.DXF"));
    EXPECT_FALSE(work.Exists("A_WLLG.RTF"));
    EXPECT_FALSE(AnyWorkFileLeft());
}

TEST_F(WllgRun, DataThatCannotBeCalculatedIsRefusedBeforeAnyWorkFile) {
    struct Case {
        const char* what;
        void (*spoil)(CWllgData&);
        const char* message;
    } cases[] = {
        {"strip width", [](CWllgData& d) { d.m_nStripWidth = 0; }, "板带宽必须大于 0 !"},
        {"grade", [](CWllgData& d) { d.m_nConGrade = 99; }, "混凝土强度等级无效 : 99"},
        {"as", [](CWllgData& d) { d.m_nAs = d.m_nSlabThick; }, "配筋计算as必须小于板带厚 !"},
    };
    for (const Case& c : cases) {
        CWllgData d;
        d.SetFileName("A");
        c.spoil(d);
        // Results of an earlier run, in Windows' spelling too.
        work.Write("a_jt_wllg.dxf", "old");
        work.Write("A_WLLG.RTF", "old");
        kv::test::ErrorLines lines;
        JS_ERROR_CODE = 0;
        EXPECT_EQ(wllg_calculate(&d), 0) << c.what;
        EXPECT_TRUE(lines.Has(201, c.message)) << c.what;
        EXPECT_TRUE(lines.Has(201, "计算失败 ！")) << c.what;
        EXPECT_FALSE(work.Exists(kWllgModelFile)) << c.what;
        EXPECT_FALSE(work.Exists("yxy_js.dat")) << c.what;
        EXPECT_FALSE(work.Exists("a_jt_wllg.dxf")) << c.what;
        EXPECT_FALSE(work.Exists("A_WLLG.RTF")) << c.what;
    }
}

}  // namespace

#include "members/beams/lxl_calc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/error.h"
#include "base/textio.h"
#include "design/pj_beam.h"
#include "drawing/base_sgt.h"
#include "members/beams/lxl_data.h"
#include "platform/codec.h"
#include "support/edition_guard.h"
#include "support/ezdxf_check.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using kv::test::MessageRecorder;

// Runs the calculation into a text report and a drawing; the report's text.
struct Outcome {
    int result = 0;
    std::string report;
    CBase_SGT drawing;
};

void Calculate(CLxlData& data, Outcome& run) {
    kv::test::TempFolder dir;
    std::FILE* fp = open_file((dir / "r.txt").c_str(), "wt");
    ASSERT_NE(fp, nullptr);
    run.drawing.New_MemDxf();
    run.result = lxl_calculate(data, fp, &run.drawing);
    commit_file(fp);
    run.report = kv::platform::GbkToUtf8Lossy(dir.Read("r.txt"));
}

CLxlData Uniform(int spans, float length, float q) {
    CLxlData data;
    data.SpanNum = spans;
    for (int i = 0; i < spans; ++i) {
        data.Spans[i].Length = length;
        data.Spans[i].LoadNum = 1;
        data.Spans[i].Loads[0].Kind = 1;
        data.Spans[i].Loads[0].Type = 3;
        data.Spans[i].Loads[0].Q1 = q;
    }
    return data;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// 160 m is the longest beam: 5 × 32 m runs, 161 m is refused before anything is written.
TEST(ContinuousBeamRun, TotalLengthLimit) {
    kv::test::EditionGuard edition(2010);
    CLxlData longest = Uniform(5, 32.0f, 10);
    Outcome ok;
    Calculate(longest, ok);
    EXPECT_EQ(ok.result, 1);
    EXPECT_TRUE(Has(ok.report, "跨号:   5"));

    CLxlData tooLong = Uniform(5, 32.2f, 10);
    MessageRecorder messages;
    Outcome refused;
    Calculate(tooLong, refused);
    EXPECT_EQ(refused.result, 0);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "梁全长不能超过 160米 !");
    EXPECT_TRUE(refused.report.empty());
    EXPECT_TRUE(refused.drawing.Entities().empty());
}

// Three spans of 6 m under a dead 30 kN/m, simple ends, 15 % redistribution.
// By the three-moment equation the interior supports carry −qL²/10 = −108,
// redistributed to −91.8; shears stay elastic: 72 at the ends, ∓108 and ±90 at
// the supports, ∓18 at the middle of the end spans. End span: R = 90 − 91.8/6 =
// 74.7, the sagging peak at 2.49 m is 74.7²/60 = 93.00; middle span 135 − 91.8
// = 43.2. Steel, C30 (α1·fc = 21.45 dynamic), HRB335 (fy = 405), b·h0 = 200·465:
// αs = 93.0e6/(21.45·200·465²) = 0.1003, ξ = 0.1059, As = 21.45·200·ξ·465/405
// = 521; at the support ξ = 0.1044 (> 0.10, no ξ failure), As = 514; the rest
// the minimum 0.25 %·b·h = 250.
TEST(ContinuousBeamRun, GoldenReportOfThreeSpans) {
    kv::test::EditionGuard edition(2010);
    CLxlData beam = Uniform(3, 6.0f, 30);
    beam.m_strName = "三跨连续梁";
    beam.SetFileName("&KV_0021");
    Outcome run;
    Calculate(beam, run);
    ASSERT_EQ(run.result, 1);
    EXPECT_EQ(run.report, R"(-------------------------------------------------------------------
计算项目: 三跨连续梁
-------------------------------------------------------------------
[ 计算条件 ]
    砼强度等级:    C30      配筋计算as(mm):    35
    纵筋级别:      HRB335
    箍筋级别:      HPB300
    箍筋间距:         200 (mm)
    支座弯矩调幅幅度: 15.000 %
    检查最小相对受压区高度
    左支座简支       右支座简支
    跨号     跨长     截面宽度(mm)   截面高度(mm)
     1      6.000          200               500
     2      6.000          200               500
     3      6.000          200               500

%%%[VanjoroScript%%%InsertDxf=&KV_0021_LXL.DXF%%%VanjoroScript]%%%
[ 计算结果 ]

跨号:   1
                            左             中             右
弯矩(-)(kN.m):          -0.00          -0.00         -91.80
弯矩(+)(kN.m):           0.00          93.00           0.00
剪    力(kN):            72.00         -18.00        -108.00

上部纵筋(mm2):            250            250            514
下部纵筋(mm2):            250            521            250
抗剪箍筋(mm2):              0              0             51

%%%[VanjoroScript%%%TextStyle=16711680,1.000       本跨计算通过%%%VanjoroScript]%%%

跨号:   2
                            左             中             右
弯矩(-)(kN.m):         -91.80          -0.00         -91.80
弯矩(+)(kN.m):           0.00          43.20           0.00
剪    力(kN):            90.00           0.00         -90.00

上部纵筋(mm2):            514            250            514
下部纵筋(mm2):            250            250            250
抗剪箍筋(mm2):             51              0             51

%%%[VanjoroScript%%%TextStyle=16711680,1.000       本跨计算通过%%%VanjoroScript]%%%

跨号:   3
                            左             中             右
弯矩(-)(kN.m):         -91.80          -0.00          -0.00
弯矩(+)(kN.m):           0.00          93.00           0.00
剪    力(kN):           108.00          18.00         -72.00

上部纵筋(mm2):            514            250            250
下部纵筋(mm2):            250            521            250
抗剪箍筋(mm2):             51              0              0

%%%[VanjoroScript%%%TextStyle=16711680,1.000       本跨计算通过%%%VanjoroScript]%%%
 )");
}

// The results block of one span of 6 m, 200 × 500, from given design forces.
std::string SpanReport(CLxlData& data, const LXL_SPAN_FORCE& f, LXL_SPAN_STEEL& steel) {
    data.SpanNum = 1;
    std::FILE* fp = std::tmpfile();
    lxl_report_spans(data, &f, &steel, fp);
    std::string text(static_cast<std::size_t>(std::ftell(fp)), '\0');
    std::rewind(fp);
    text.resize(std::fread(text.data(), 1, text.size(), fp));
    std::fclose(fp);
    return text;
}

// The check of a redistributed support (2010 only, redistribution above 0):
// ξ > 0.35 fails; with the least-ξ check on, 0.0001 < ξ < 0.10 fails when the
// moment before redistribution, |M|/(1 − 0.01p), exceeds the moment at ξ = 0.1,
// Mx = 21.45·200·46.5·(465 − 23.25)·1e-6 = 88.12 kN·m.
//   M = −296.8: αs = 0.3200, ξ = 0.400 > 0.35.
//   M = −80:    ξ = 0.090; 80/0.85 = 94.1 > 88.12 fails, 80/1.0 does not.
//   M = −70:    ξ = 0.079; 70/0.85 = 82.4 < 88.12.
TEST(ContinuousBeamRun, RedistributedSupportKsaiCheck) {
    struct Case {
        const char* name;
        int edition;
        float m, p;
        int check;
        const char* failure;  // the red line, or null for a passing span
    } cases[] = {
        {"deep", 2010, -296.8f, 15, 1, "调幅后相对受压区高度: ξ=0.400 > 0.35"},
        {"deep under 2002", 2002, -296.8f, 15, 1, nullptr},
        {"deep, no redistribution", 2010, -296.8f, 0, 1, nullptr},
        {"shallow", 2010, -80, 15, 1, "调幅后相对受压区高度: ξ=0.090 < 0.10"},
        {"shallow, check off", 2010, -80, 15, 0, nullptr},
        {"shallow, within Mx", 2010, -70, 15, 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kv::test::EditionGuard edition(c.edition);
        CLxlData data;
        data.Redistribution = c.p;
        data.MinKsaiCheck = c.check;
        LXL_SPAN_FORCE f;
        f.m_left_hog = c.m;
        f.m_span_sag = 20;
        f.v_left = 50;
        LXL_SPAN_STEEL steel;
        const std::string text = SpanReport(data, f, steel);
        EXPECT_EQ(Has(text, "本跨计算通过"), c.failure == nullptr);
        if (c.failure) {
            EXPECT_TRUE(Has(text, "**左截面: ")) << text;
            EXPECT_TRUE(Has(text, std::string("TextStyle=255,1.000") + std::string(12, ' ') + c.failure)) << text;
        }
        EXPECT_GT(steel.top[0], 250) << "the hogging steel is kept";
    }
}

// A section whose flexure design fails (600 kN·m is beyond the largest ratio of
// 200 × 500) prints "——" for its top and bottom steel and the span does not pass;
// the stored moment factors are 1.0 again after the run, and the midspan factor
// of the run itself is 1.0 too.
TEST(ContinuousBeamRun, FailedSectionPrintsDashesAndFactorsAreReset) {
    kv::test::EditionGuard edition(2010);
    CLxlData data;
    data.SupportFactor = 1.3f;
    data.MidFactor = 0.5f;
    LXL_SPAN_FORCE f;
    f.m_span_sag = 600;
    f.m_left_hog = f.m_right_hog = -20;
    LXL_SPAN_STEEL steel;
    const std::string text = SpanReport(data, f, steel);
    kv::test::TempFolder dir;
    ASSERT_EQ(data.SaveData((dir / "a.LXL").c_str()), 1);
    CLxlData back;
    back.SupportFactor = back.MidFactor = 2.0f;
    ASSERT_EQ(back.LoadData((dir / "a.LXL").c_str()), 1);
    EXPECT_EQ(back.SupportFactor, 1.0f);
    EXPECT_EQ(back.MidFactor, 1.0f);
    EXPECT_EQ(steel.top[1], -1);
    EXPECT_EQ(steel.bottom[1], -1);
    EXPECT_GE(steel.top[0], 250);
    const std::string dash = std::string(11, ' ') + "——";  // "%15s": "——" is four GBK bytes wide
    EXPECT_TRUE(Has(text, "上部纵筋(mm2):            250" + dash)) << text;
    EXPECT_TRUE(Has(text, "下部纵筋(mm2):            250" + dash)) << text;
    EXPECT_TRUE(Has(text, "**中截面:       ------  ")) << text;
    EXPECT_FALSE(Has(text, "本跨计算通过"));
}

// The conditions: 固定 left and 自由 right on one line; no least-ξ line without
// redistribution. A fixed and a free end solve.
TEST(ContinuousBeamRun, ConditionsSupportLineAndNoKsaiLineWithoutRedistribution) {
    kv::test::EditionGuard edition(2010);
    CLxlData beam = Uniform(2, 5.0f, 20);
    beam.LeftSupport = 2;
    beam.RightSupport = 0;
    beam.Redistribution = 0;
    Outcome run;
    Calculate(beam, run);
    ASSERT_EQ(run.result, 1);
    EXPECT_TRUE(Has(run.report, "\n    左支座固定       右支座自由\n")) << run.report;
    EXPECT_TRUE(Has(run.report, "    支座弯矩调幅幅度: 0.000 %\n"));
    EXPECT_FALSE(Has(run.report, "最小相对受压区高度"));
    EXPECT_FALSE(Has(run.report, "调幅后相对受压区高度"));
    // Span 2 is a cantilever off the interior support: its root takes −20·5²/2 = −250.
    EXPECT_TRUE(Has(run.report, "弯矩(-)(kN.m):        -250.00")) << run.report;
}

// The result sheet of a run reads back through our DXF reader and ezdxf's.
TEST(ContinuousBeamRun, SheetOfARunReadsBack) {
    kv::test::EditionGuard edition(2010);
    CLxlData beam = Uniform(3, 6.0f, 30);
    beam.Spans[1].LoadNum = 2;
    beam.Spans[1].Loads[1].Kind = 2;
    beam.Spans[1].Loads[1].Type = 1;
    beam.Spans[1].Loads[1].Q1 = 50;
    beam.Spans[1].Loads[1].A = 3;
    Outcome run;
    Calculate(beam, run);
    ASSERT_EQ(run.result, 1);
    const LXL_SPAN_STEEL* steel = lxl_last_steel();
    EXPECT_EQ(steel[1].bottom[1] > 250, true) << "the live force adds to the middle span's sagging steel";
    bool titled = false;
    for (const auto& e : run.drawing.Entities()) titled = titled || e.text == "连续梁计算简图";
    EXPECT_TRUE(titled);
    kv::test::TempFolder dir;
    ASSERT_EQ(run.drawing.Write_MemDxf_To_File((dir / "sheet.dxf").c_str()), 1);
    DXF back;
    ASSERT_EQ(back.Read_FileDxf_To_Mem((dir / "sheet.dxf").c_str()), 1);
    EXPECT_EQ(back.Entities().size(), run.drawing.Entities().size());
    const std::string py = kv::test::PythonWithEzdxf();
    if (py.empty()) GTEST_SKIP() << "python3-ezdxf is missing: the outside reader check did not run";
    EXPECT_TRUE(kv::test::EzdxfRecoverPasses(py, dir / "sheet.dxf"));
}

}  // namespace

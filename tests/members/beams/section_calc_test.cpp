// The beam- and column-section designs through the whole module: result lines,
// the paths the forces choose, the report and the numbers against hand work.
#include "members/beams/sections.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "base/error.h"
#include "design/pj_column.h"
#include "platform/codec.h"
#include "support/edition_guard.h"
#include "support/temp_folder.h"

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string ReadBack(std::FILE* fp) {
    std::string text;
    std::rewind(fp);
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, fp)) > 0) text.append(buffer, n);
    std::fclose(fp);
    return text;
}

template <typename Data, typename Fn>
std::string Lines(Data& d, Fn run) {
    std::FILE* fp = std::tmpfile();
    run(d, fp);
    return ReadBack(fp);
}

std::string Design(CLiangData& d) { return Lines(d, [](CLiangData& x, std::FILE* fp) { liang_design(x, fp); }); }
std::string Design(CZhuData& d) { return Lines(d, [](CZhuData& x, std::FILE* fp) { zhu_design(x, fp); }); }
std::string Report(CLiangData& d) { return Lines(d, [](CLiangData& x, std::FILE* fp) { liang_report(x, fp, nullptr); }); }
std::string Report(CZhuData& d) { return Lines(d, [](CZhuData& x, std::FILE* fp) { zhu_report(x, fp, nullptr); }); }

void ExpectNear(float value, double hand, const char* what) {
    EXPECT_NEAR(value, hand, std::fabs(hand) * 0.005) << what;
}

class ErrorLines {
public:
    ErrorLines() : old_(kv::err::SetSink([this](int code, const std::string& text) { lines.push_back({code, text}); })) {}
    ~ErrorLines() { kv::err::SetSink(std::move(old_)); }
    bool Has(const std::string& text) const {
        for (const auto& l : lines)
            if (l.text == text) return true;
        return false;
    }
    std::vector<kv::err::Line> lines;

private:
    kv::err::Sink old_;
};

// A 250 × 600 beam, C30, HRB400 bars, HPB300 stirrups @ 200, as = 40, 6 m span,
// under the 2010 code with the blast-design strengths of GB 50038-2005:
//   fcd = 1.5 × 14.3 = 21.45, ftd = 1.5 × 1.43 = 2.145, fyd = 1.2 × 360 = 432,
//   fyvd = 1.5 × 270 = 405 N/mm²; h0 = 560; ξb = 0.8/(1 + 432/(2e5 × 0.0033)) = 0.48352.
CLiangData HandBeam() {
    CLiangData d;
    d.B = 250, d.H = 600, d.Cover = 40, d.ConGrade = 30, d.BarGrade = 3, d.StirrupGrade = 1, d.StirrupSpacing = 200;
    d.Span = 6.0f, d.ShearAdjust = 0.8f, d.Zeta = 1.2f, d.T = 0;
    return d;
}

TEST(BeamSection, SingleAndDoubleReinforcementShearAndTorsionMatchHandWork) {
    kv::test::EditionGuard edition(2010);
    // Single: M = 180 kN·m; αs = 180e6/(21.45 × 250 × 560²) = 0.10704,
    // ξ = 1 − √(1 − 2αs) = 0.11347, As = 21.45 × 250 × 0.11347 × 560 / 432 = 788.8 mm²
    // (above 0.25 % × 250 × 600 = 375).
    CLiangData single = HandBeam();
    single.Mode = 1, single.M = 180, single.V = 300;
    const std::string singleLines = Design(single);
    ExpectNear(single.ResAs, 788.8, "As single");
    EXPECT_EQ(single.ResAs1, 0.0f);
    EXPECT_TRUE(Has(singleLines, "抗弯受拉筋:        As   =    789(mm^2)")) << singleLines;
    EXPECT_FALSE(Has(singleLines, "As'"));
    // Shear, V = 300 kN: l/h0 = 10.71 > 8, ψ1 = 1 − (10.71 − 8)/15 = 0.81905;
    // Vc = 0.7 × 0.81905 × 2.145 × 250 × 560 × 0.8 = 137 738 N;
    // Asv/s = (300 000 − 137 738)/(405 × 560) = 0.71544, at s = 200: 143.1 mm².
    ExpectNear(single.ResStirrup, 143.1, "Av");
    EXPECT_TRUE(Has(singleLines, "抗剪箍筋:          Av   =    143(mm^2)")) << singleLines;
    EXPECT_FALSE(Has(singleLines, "Ast"));

    // Double: M = 640 kN·m > Mb = 21.45 × 250 × 560² × ξb(1 − 0.5ξb) = 616.54 kN·m;
    // As' = (640 − 616.54)e6/(432 × 520) = 104.4, As = (21.45 × 250 × ξb × 560 + 432 × 104.4)/432
    // = 3465.5 mm²; As' then rises to its blast-design minimum 0.25 % × b × h = 375.
    CLiangData doubled = HandBeam();
    doubled.Mode = 2, doubled.M = 640, doubled.V = 300;
    const std::string doubleLines = Design(doubled);
    ExpectNear(doubled.ResAs, 3465.5, "As double");
    ExpectNear(doubled.ResAs1, 375.0, "As' double");
    EXPECT_TRUE(Has(doubleLines, "抗弯受压筋:        As'  =    375(mm^2)")) << doubleLines;

    // Torsion, T = 40 kN·m with V = 150 kN: Wt = 250²(3 × 600 − 250)/6 = 16.146e6 mm³;
    // T > 0.175 ftd Wt = 6.06e6 and V > 0.35 ftd b h0 = 105 105 N; βt = 1.5/(1 + 0.5 V Wt/(T b h0))
    // = 1.5/1.2162 → 1.0. Core to the stirrups' inside faces (20 mm corner bars):
    // 220 × 540, Acor = 118 800, ucor = 1520.
    // Ast1/s = (40e6 − 0.35 × 2.145 × 16.146e6)/(1.2 √1.2 × 405 × 118 800) = 0.51038 → Avt = 102.1;
    // Astl = ζ fyv Ast1/s ucor / fy = 1.2 × 405 × 0.51038 × 1520/432 = 838.3 mm²;
    // Asv/s = (150 000 − 0.5 × 137 738)/(405 × 560) = 0.35772 → Asv = 71.5 mm²;
    // stirrup total 2 × 102.1 + 71.5.
    CLiangData twisted = HandBeam();
    twisted.Mode = 1, twisted.M = 180, twisted.V = 150, twisted.T = 40;
    const std::string twistLines = Design(twisted);
    ExpectNear(twisted.ResAst, 838.3, "Ast");
    ExpectNear(twisted.ResAvt, 102.1, "Avt");
    ExpectNear(twisted.ResAsv, 71.5, "Asv");
    ExpectNear(twisted.ResStirrup, 2 * 102.08 + 71.54, "stirrup total");
    EXPECT_TRUE(Has(twistLines, "抗扭纵筋:          Ast  =    838(mm^2)")) << twistLines;
    EXPECT_TRUE(Has(twistLines, "抗扭箍筋:          Avt  =    102(mm^2)(单肢)")) << twistLines;
    EXPECT_TRUE(Has(twistLines, "抗剪箍筋:          Asv  =    72(mm^2)")) << twistLines;
    EXPECT_FALSE(Has(twistLines, "Av   ="));
}

// A small torque, below 0.175 ftd Wt, is combined into the shear stirrups; the
// shear force takes no part in choosing the path.
TEST(BeamSection, TorquePathsPrintTheirOwnLines) {
    kv::test::EditionGuard edition(2010);
    struct Case {
        float T, V;
        bool ast, separate, combined, av;
    } cases[] = {{0, 300, false, false, false, true},
                 {0, 0, false, false, false, true},
                 {40, 0, true, true, false, false},
                 {2, 300, true, false, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.T) + " " + std::to_string(c.V));
        CLiangData d = HandBeam();
        d.M = 100, d.T = c.T, d.V = c.V;
        const std::string lines = Design(d);
        EXPECT_EQ(Has(lines, "抗扭纵筋:          Ast"), c.ast) << lines;
        EXPECT_EQ(Has(lines, "抗扭箍筋:          Avt"), c.separate) << lines;
        EXPECT_EQ(Has(lines, "抗扭剪箍筋:        Asv"), c.combined) << lines;
        EXPECT_EQ(Has(lines, "抗剪箍筋:          Av   ="), c.av) << lines;
        if (c.combined) {
            EXPECT_GE(d.ResAsv, d.ResStirrup - 0.01f);  // the combined stirrups are the total
        }
        if (!c.ast) {
            EXPECT_EQ(d.ResAst + d.ResAvt + d.ResAsv, 0.0f);
        }
    }
}

TEST(BeamSection, ReportLevelsAndSectionKinds) {
    kv::test::EditionGuard edition(2010);
    CLiangData d;
    d.m_strName = "KL-2";
    d.SetFileName("&KV_0002");
    d.ReportLevel = 0;
    std::string text = Report(d);
    EXPECT_FALSE(Has(text, "计算条件"));
    EXPECT_FALSE(Has(text, "KL-2"));
    EXPECT_TRUE(Has(text, "InsertDxf=&KV_0002_BEM.DXF"));
    EXPECT_LT(text.find("InsertDxf="), text.find("[ 计算结果 ]"));
    EXPECT_LT(text.find("[ 计算结果 ]"), text.find("抗弯受拉筋"));

    d.ReportLevel = 1;
    d.Kind = 2;
    text = Report(d);
    EXPECT_TRUE(Has(text, "计算项目: KL-2"));
    EXPECT_TRUE(Has(text, "    截面型式:     T形截面\n")) << text;  // "%10s" counts GBK bytes
    EXPECT_TRUE(Has(text, "    翼缘bf'宽(mm):    400      翼缘hf'高(mm):     80\n")) << text;
    EXPECT_FALSE(Has(text, "翼缘bf宽"));
    EXPECT_TRUE(Has(text, "    不虑蒸气养护或掺早强剂\n"));
    // The design sees only b × h: the T section's steel is the rectangle's.
    const float tSteel = d.ResAs;
    d.Kind = 1;
    Report(d);
    EXPECT_EQ(d.ResAs, tSteel);

    d.Kind = 3, d.Steam = 1, d.Support = 1;
    text = Report(d);
    EXPECT_TRUE(Has(text, "翼缘bf宽(mm):"));
    EXPECT_LT(text.find("翼缘bf宽"), text.find("翼缘bf'宽"));
    EXPECT_TRUE(Has(text, "    考虑蒸气养护或掺早强剂\n    位置：连续梁支座或框架节点\n"));

    d.Kind = 7;
    ErrorLines errors;
    text = Report(d);
    int told = 0;
    for (const auto& l : errors.lines) told += l.text == "截面型式有错!";
    EXPECT_EQ(told, 2);
    EXPECT_FALSE(Has(text, "翼缘"));
    EXPECT_TRUE(Has(text, "抗弯受拉筋"));  // the design itself runs
}

TEST(BeamSection, CalculationWritesMessageBoxOrReportsThatItCannot) {
    kv::test::EditionGuard edition(2010);
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    CLiangData d;
    ASSERT_EQ(liang_calculate(d), 1);
    const std::string box = kv::platform::GbkToUtf8Lossy(dir.Read("Message.Box"));
    EXPECT_EQ(box, Design(d));  // the same lines as the report's design
    EXPECT_FALSE(Has(box, "计算条件"));

    // A folder in the file's place: nothing written, 0.
    std::remove("Message.Box");
    dir.Write("Message.Box/x", "");
    ErrorLines errors;
    EXPECT_EQ(liang_calculate(d), 0);
    CZhuData column;
    EXPECT_EQ(zhu_calculate(column), 0);
    EXPECT_TRUE(errors.Has("Can't open Message.Box"));
}

// A 400 × 600 column, C30, HRB400, as = 40, N = 800 kN, Mx = 400 kN·m, My = 0,
// l0 = 3 m (φ = 1), 2010 code, blast design: fc = 0.8 × 1.5 × 14.3 = 17.16 for
// the normal section, fyd = 432; h0 = 560, ea = max(20, 600/30) = 20, ei = 520,
// e = 520 + 300 − 40 = 780 mm.
CZhuData HandColumn() {
    CZhuData d;
    d.B = 400, d.H = 600, d.Cover = 40, d.ConGrade = 30, d.BarGrade = 3, d.L0 = 3.0f;
    d.N = 800, d.Mx = 400, d.My = 0, d.Vx = 0, d.Vy = 0;
    return d;
}

TEST(ColumnSection, SymmetricAndAsymmetricLargeEccentricityMatchHandWork) {
    kv::test::EditionGuard edition(2010);
    // Symmetric: x = N/(α1 fc b) = 800 000/(17.16 × 400) = 116.55 mm (2as' < x < ξb h0);
    // As = As' = (N e − α1 fc b x (h0 − x/2))/(fy'(h0 − as')) = (624e6 − 800 000 × 501.73)/(432 × 520)
    // = 991.0 mm². My = 0: the y faces keep 0.2 % × 400 × 600 = 480.
    CZhuData sym = HandColumn();
    sym.Mode = 1;
    const std::string symLines = Design(sym);
    ExpectNear(sym.ResAsx, 991.0, "Asx symmetric");
    EXPECT_EQ(sym.ResAsx1, sym.ResAsx);
    EXPECT_EQ(sym.ResAsy1, sym.ResAsy);
    ExpectNear(sym.ResAsy, 480.0, "Asy symmetric");
    EXPECT_TRUE(Has(symLines, "X向单侧纵筋:       Asx  =    991(mm^2)")) << symLines;
    // Axial ratio N/(A fcd) = 800 000/(240 000 × 21.45).
    EXPECT_TRUE(Has(symLines, "轴压比:         N/(A*fc)=    0.1554")) << symLines;

    // Asymmetric: with ξ = ξb As' = (624e6 − 17.16 × 400 × 560² × 0.36662)/(432 × 520) < 0,
    // so As' = 0.2 % b h = 480 and αs = (624e6 − 432 × 480 × 520)/(17.16 × 400 × 560²) = 0.23980,
    // ξ = 0.27861, x = 156.0 > 2as'; As = (17.16 × 400 × 156.0 + 432 × 480 − 800 000)/432 = 1107.1 mm².
    CZhuData asym = HandColumn();
    asym.Mode = 2;
    const std::string asymLines = Design(asym);
    ExpectNear(asym.ResAsx, 1107.1, "Asx asymmetric");
    ExpectNear(asym.ResAsx1, 480.0, "Asx1 asymmetric");
    EXPECT_TRUE(Has(asymLines, "X向单侧纵筋: 受拉边Asx  =    1107(mm^2)    受压边Asx1 = 480(mm^2)")) << asymLines;
}

TEST(ColumnSection, AxialForceAndShearPaths) {
    kv::test::EditionGuard edition(2010);
    struct Case {
        float N, Vx, Vy;
        bool ratio, biaxial;
    } cases[] = {{800, 100, 120, true, true}, {0, 100, 120, false, true}, {800, 0, 120, true, false},
                 {800, 100, 0, true, false}, {-200, 100, 120, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.N) + " " + std::to_string(c.Vx) + " " + std::to_string(c.Vy));
        CZhuData d = HandColumn();
        d.N = c.N, d.Vx = c.Vx, d.Vy = c.Vy, d.My = 60;
        const std::string lines = Design(d);
        EXPECT_EQ(Has(lines, "轴压比"), c.ratio) << lines;
        EXPECT_EQ(Has(lines, "双向受剪X向箍筋"), c.biaxial) << lines;
        EXPECT_TRUE(Has(lines, "X向箍筋:           Avx"));
        if (c.biaxial) {
            // The sketch gets the biaxial stirrups, at least the uniaxial ones.
            const auto at = lines.find("双向受剪X向箍筋:    Avx  =    ");
            const float avx = std::stof(lines.substr(at + std::string("双向受剪X向箍筋:    Avx  =    ").size()));
            EXPECT_NEAR(d.ResAvx, avx, 0.5f);
        }
    }
}

// The second-order moment only under 2010 with p-δ: the conditions show the
// entered moments, the results the amplified ones, each direction with its own
// depth (Mx over h, My over b).
TEST(ColumnSection, SecondOrderMomentsUseEachDirectionsDepth) {
    CZhuData d = HandColumn();
    d.B = 300, d.H = 600, d.L0 = 6.0f, d.N = 1200, d.Mx = 150, d.My = 60, d.SecondOrder = 1;
    d.Mx1 = d.Mx2 = 150, d.My1 = d.My2 = 60;
    {
        kv::test::EditionGuard edition(2002);
        const std::string text = Report(d);
        EXPECT_FALSE(Has(text, "p --δ"));
        EXPECT_FALSE(Has(text, "考虑p-δ效应"));
    }
    kv::test::EditionGuard edition(2010);
    const std::string text = Report(d);
    EXPECT_TRUE(Has(text, "    考虑p --δ效应\n    弯矩Mx1(kN.m):  150.00      弯矩Mx2(kN.m):  150.00\n")) << text;
    EXPECT_TRUE(Has(text, "    弯矩Mx(kN.m):  150.00      弯矩My(kN.m):   60.00")) << text;
    const float ea = 20;  // max(600/30, 20)
    const float mx = GetZhuErJieWanJu(150e6f, 1.2e6f, 150e6f, 150e6f, 560, 600, 6000, 180000, ea, 30);
    const float my = GetZhuErJieWanJu(60e6f, 1.2e6f, 60e6f, 60e6f, 260, 300, 6000, 180000, ea, 30);
    const float myOverH = GetZhuErJieWanJu(60e6f, 1.2e6f, 60e6f, 60e6f, 560, 600, 6000, 180000, ea, 30);
    ASSERT_GT(my, 60e6f * 1.01f);
    ASSERT_GT(std::fabs(my - myOverH), 0.01e6f);  // the depth matters here
    char line[128];
    std::snprintf(line, sizeof line, "考虑p-δ效应X向弯矩: Mx = %.2f(kN.m)\n", mx * 0.000001f);
    EXPECT_TRUE(Has(text, line)) << text;
    std::snprintf(line, sizeof line, "考虑p-δ效应Y向弯矩: My = %.2f(kN.m)\n", my * 0.000001f);
    EXPECT_TRUE(Has(text, line)) << text;

    // A square section: the same moment either way.
    CZhuData square = d;
    square.B = square.H = 500;
    const std::string squareText = Report(square);
    const float sq = GetZhuErJieWanJu(60e6f, 1.2e6f, 60e6f, 60e6f, 460, 500, 6000, 250000, ea, 30);
    std::snprintf(line, sizeof line, "考虑p-δ效应Y向弯矩: My = %.2f(kN.m)\n", sq * 0.000001f);
    EXPECT_TRUE(Has(squareText, line)) << squareText;
}

TEST(ColumnSection, ReportConditionsByKindAndMode) {
    kv::test::EditionGuard edition(2010);
    CZhuData d;
    d.m_strName = "KZ-7";
    d.SetFileName("&KV_0009");
    std::string text = Report(d);
    EXPECT_TRUE(Has(text, "计算项目: KZ-7"));
    EXPECT_TRUE(Has(text, "    截面宽度(mm):     500      截面高度(mm):     500      柱计算长度(m):      3.00\n")) << text;
    EXPECT_TRUE(Has(text, "    配筋方式:        对称\n")) << text;
    EXPECT_TRUE(Has(text, "InsertDxf=&KV_0009_ZHU.DXF"));
    d.Kind = 3, d.Mode = 2;
    text = Report(d);
    EXPECT_TRUE(Has(text, "    截面直径(mm):     500      柱计算长度(m):       3.00\n")) << text;
    EXPECT_TRUE(Has(text, "    配筋方式:      非对称\n")) << text;
    d.ReportLevel = 0;
    text = Report(d);
    EXPECT_FALSE(Has(text, "计算条件"));
    EXPECT_TRUE(Has(text, "[ 计算结果 ]"));

    // A mode outside the list stops a tension member before any result line.
    d.ReportLevel = 1, d.Mode = 5, d.N = -100;
    ErrorLines errors;
    text = Report(d);
    EXPECT_TRUE(errors.Has("配筋方式有错!"));
    EXPECT_FALSE(Has(text.substr(text.find("[ 计算结果 ]")), "(mm^2)")) << text;
}

}  // namespace

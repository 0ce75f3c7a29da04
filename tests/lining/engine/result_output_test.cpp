// The report rows of a lining run and the section design that completes them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "base/globals.h"
#include "codes/gangjin.h"
#include "codes/material.h"
#include "design/liefen.h"
#include "design/pj_column.h"
#include "lining_owner.h"
#include "lining_text.h"
#include "report/script.h"
#include "support/edition_guard.h"

using kv::test::Written;

namespace {

std::string Red(const std::string& text) {
    return Written([&](std::FILE* fp) { VanjoroScript_Text(fp, text.c_str(), 255, 1.0); });
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Node records N, Q, M, u, v, φ.
struct Node {
    double v[6];
};

struct Fixture {
    Fixture() {
        section.m_pData = &owner;
        owner.jiBen.m_nGuiFan = 1;
        owner.peiJin.m_bGuJin = 1;
    }
    // Rows of one part of the given nodes (thickness 0.5 m, k 500).
    std::string Output(const std::vector<Node>& nodes, float k = 500, float t = 0.5f) {
        return Written([&](std::FILE* fp) {
            section.OutputPart(static_cast<int>(nodes.size()) - 1, &nodes[0].v[0], k, t, t, fp);
        });
    }
    // The areas the design class gives for one node, as the row asks for them.
    struct Areas {
        float As, As1, Av;
        int small;
    };
    Areas Direct(PJ_COLUMN& d, double N, double Q, double M, float t) {
        const CPeiJinCanShu& b = owner.peiJin;
        d.Ini(b.m_nHunNingTu, b.m_nZongJin, b.m_nGuJinJiBie, 0, static_cast<int>(b.m_fAs), 1, 1, 0, 0, 0);
        d.set_value(static_cast<float>(M * 1e6), 0, 0, static_cast<float>(Q * 1000), static_cast<float>(N * 1000),
                    1000, t * 1000, t * 1000, 0, 0, 2);
        d.PianLaYa();
        Areas a{d.Asx * b.m_fTiaoZheng, d.Asx1 * b.m_fTiaoZheng, 0, 0};
        d.Ini(b.m_nHunNingTu, b.m_nZongJin, b.m_nGuJinJiBie, 0, static_cast<int>(b.m_fAs), 1, 0, 0, 0, 0);
        d.LaYaJian_y();
        a.Av = d.ay * b.m_fGuJinJianJu * b.m_fTiaoZheng;
        a.small = d.section_small;
        return a;
    }

    CResultTestOwner owner;
    CTwoPartSection section;
};

// The numbers of a design row after its node number.
std::vector<double> Numbers(const std::string& row) {
    std::vector<double> out;
    std::string cleaned = row;
    for (char& c : cleaned)
        if (c == '(' || c == ')') c = ' ';
    std::istringstream in(cleaned);
    std::string word;
    in >> word;  // node
    while (in >> word) {
        char* end = nullptr;
        const double value = std::strtod(word.c_str(), &end);
        if (end && *end == 0) out.push_back(value);
    }
    return out;
}

TEST(LiningRows, ResistanceIsTheCoefficientTimesTheInwardDisplacement) {
    Fixture f;
    CTestShelter shelter;
    f.owner.shelter = &shelter;
    f.owner.zuHeIndex = 2;
    f.section.m_nShuChuBuWei = 1;
    const auto rows = Lines(f.Output({{{-500, 10, 20, 0.001, 0.002, 0.01}}, {{-500, 10, 20, 0.001, -0.002, 0.01}}}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(Numbers(rows[0])[6], 1000.0);
    EXPECT_EQ(Numbers(rows[1])[6], 0.0);
    // The shelter keeps the row's values in its units, in the slot of the combination.
    EXPECT_FLOAT_EQ(shelter.Value(1, 6, 1, 0), 1000.0f);
    EXPECT_FLOAT_EQ(shelter.Value(1, 6, 1, 1), 0.0f);
    EXPECT_FLOAT_EQ(shelter.Value(1, 3, 1, 0), 1.0f);
    EXPECT_FLOAT_EQ(shelter.Value(1, 4, 1, 1), -2.0f);
    EXPECT_NEAR(shelter.Value(1, 5, 1, 0), 0.01 * 180 / 3.1415927, 1e-4);
    EXPECT_FLOAT_EQ(shelter.Value(1, 0, 0, 0), -1.0f);  // other combinations untouched
}

TEST(LiningRows, TinyValuesPrintAndDesignAsZero) {
    Fixture f;
    f.owner.peiJin.m_bDuiCheng = 0;
    // A moment of -5e-7 kN·m would put the outer face in tension; as 0 it does not.
    const auto tiny = Numbers(f.Output({{{-800, -5e-7, -5e-7, 0, 0, 0}}}));
    const auto zero = Numbers(f.Output({{{-800, 0, 0, 0, 0, 0}}}));
    const std::string row = f.Output({{{-800, -5e-7, -5e-7, 0, 0, 0}}});
    EXPECT_EQ(row.find("-0.000"), std::string::npos) << row;
    ASSERT_GE(tiny.size(), 9u);
    EXPECT_EQ(tiny, zero);
}

TEST(LiningRows, SeismicActionAddsToTheForcesAndDesignsBothMoments) {
    Fixture f;
    f.owner.diZhen.m_bDiZhen = 1;
    f.owner.peiJin.m_bDuiCheng = 0;
    f.owner.peiJin.m_bGuJin = 0;
    const float t = 0.5f;
    const std::string text = f.Output({{{-300, 40, 10, 0, 0, 0}}}, 500, t);
    const auto values = Numbers(text);
    // ΔN, ΔQ, ΔM from the seismic terms times the design factors (all 1 here but item 8's 1.2).
    float s[3];
    Con_Prop concrete{};
    {
        kv::test::EditionGuard edition(2002);
        get_rc_property(25, &concrete);
    }
    CDiZhenCanShu seismic;
    seismic.CalForces(s, f.section.m_fE, f.section.m_fE / (2 * (1 + concrete.nu)));
    const double factor = 1.2;
    const double dN = t * s[0] * factor, dQ = t * s[1] * factor, dM = t * t * s[2] * factor / 4;
    ASSERT_GE(values.size(), 10u);
    EXPECT_NEAR(values[0], -300 - dN, 2e-3);
    EXPECT_NEAR(values[1], 40 + dQ, 2e-3);
    EXPECT_NEAR(values[2], 10 + dM, 2e-3);
    EXPECT_NEAR(values[3], 10 - dM, 2e-3);
    ASSERT_LT(10 - dM, 0);
    EXPECT_NE(text.find("("), std::string::npos);
    // As and As1 are the larger of the designs of M + ΔM and of M − ΔM (outer face in tension).
    PJ_COLUMN_FDC one, two;
    const auto plus = f.Direct(one, -300 - dN, 40 + dQ, 10 + dM, t);
    const double minus = 10 - dM;
    const auto other = f.Direct(two, -300 - dN, 40 + dQ, minus, t);
    EXPECT_NEAR(values[8], std::max(plus.As, other.As1), 0.06);
    EXPECT_NEAR(values[9], std::max(plus.As1, other.As), 0.06);
}

TEST(LiningRows, APositiveLowerMomentIsDesignedAsZero) {
    Fixture f;
    f.owner.diZhen.m_bDiZhen = 1;
    f.owner.diZhen.m_fXiShu = 0.0001f;  // ΔM far below M: M − ΔM stays positive
    f.owner.peiJin.m_bDuiCheng = 0;
    f.owner.peiJin.m_bGuJin = 0;
    const auto values = Numbers(f.Output({{{-600, 10, 80, 0, 0, 0}}}));
    ASSERT_GE(values.size(), 10u);
    PJ_COLUMN_FDC first, second;
    const auto plus = f.Direct(first, values[0], values[1], values[2], 0.5f);
    const auto zero = f.Direct(second, values[0], values[1], 0, 0.5f);
    EXPECT_NEAR(values[8], std::max(plus.As, zero.As1), 0.06);
    EXPECT_NEAR(values[9], std::max(plus.As1, zero.As), 0.06);
}

TEST(LiningRows, SymmetricBarsPrintOneAreaAndTheShelterGetsItTwice) {
    Fixture f;
    CTestShelter shelter;
    f.owner.shelter = &shelter;
    f.owner.zuHeIndex = 1;
    f.owner.peiJin.m_fTiaoZheng = 1.1f;
    const std::string row = f.Output({{{-200, 150, -90, 0, 0, 0}}});
    const auto values = Numbers(row);
    ASSERT_EQ(values.size(), 9u) << row;  // seven values, As and Av
    PJ_COLUMN direct;
    const auto a = f.Direct(direct, -200, 150, -90, 0.5f);
    EXPECT_NEAR(values[7], std::max(a.As, a.As1), 0.06);
    EXPECT_NEAR(values[8], a.Av, 0.06);
    EXPECT_FLOAT_EQ(shelter.Value(0, 7, 0, 0), std::max(a.As, a.As1));
    EXPECT_FLOAT_EQ(shelter.Value(0, 8, 0, 0), std::max(a.As, a.As1));
    EXPECT_FLOAT_EQ(shelter.Value(0, 9, 0, 0), a.Av);
    EXPECT_NE(row.find("满足\n"), std::string::npos);
}

TEST(LiningRows, AShelterCrownTakesItsThicknessFromTheShelterArcs) {
    Fixture f;
    CTestShelter shelter;
    shelter.crown = {541, 420, 300};  // the crown thickens towards the springing
    shelter.crownByArcs = 1;
    f.owner.shelter = &shelter;
    f.owner.zuHeIndex = 1;
    const std::vector<Node> nodes(3, Node{{-300, 50, 120, 0, 0, 0}});
    const float springing = 541;
    PJ_COLUMN thick, thin;
    const auto shelterCrown = f.Direct(thick, -300, 50, 120, springing / 1000);
    const auto own = f.Direct(thin, -300, 50, 120, 0.3f);
    ASSERT_NE(std::max(shelterCrown.As, shelterCrown.As1), std::max(own.As, own.As1));
    EXPECT_NEAR(Numbers(Lines(f.Output(nodes, 500, 0.3f))[0])[7], std::max(shelterCrown.As, shelterCrown.As1), 0.06);
    EXPECT_FLOAT_EQ(shelter.Value(0, 7, 0, 0), std::max(shelterCrown.As, shelterCrown.As1));
    // A shelter whose crown is not built of arcs keeps the part's thickness too.
    shelter.crownByArcs = 0;
    EXPECT_NEAR(Numbers(Lines(f.Output(nodes, 500, 0.3f))[0])[7], std::max(own.As, own.As1), 0.06);
    shelter.crownByArcs = 1;
    // The side walls, and a run that is not the shelter's, keep the part's own thickness.
    f.section.m_nShuChuBuWei = 1;
    EXPECT_NEAR(Numbers(Lines(f.Output(nodes, 500, 0.3f))[0])[7], std::max(own.As, own.As1), 0.06);
    f.section.m_nShuChuBuWei = 0;
    f.owner.zuHeIndex = 0;
    EXPECT_NEAR(Numbers(Lines(f.Output(nodes, 500, 0.3f))[0])[7], std::max(own.As, own.As1), 0.06);
}

TEST(LiningDesign, AreasAreTheDesignClassesTimesTheAdjustmentWithTheOuterFaceUnderNegativeMoments) {
    kv::test::EditionGuard edition(2010);
    Fixture f;
    f.owner.peiJin.m_bDuiCheng = 0;
    f.owner.peiJin.m_fTiaoZheng = 1.25f;
    const auto values = Numbers(f.Output({{{-200, 60, -350, 0, 0, 0}}}));
    PJ_COLUMN_FDC direct;
    const auto a = f.Direct(direct, -200, 60, -350, 0.5f);
    ASSERT_EQ(values.size(), 10u);
    EXPECT_NEAR(values[7], a.As1, 0.06);  // inner face: the second face of the design
    EXPECT_NEAR(values[8], a.As, 0.06);
    EXPECT_NEAR(values[9], a.Av, 0.06);
    EXPECT_GT(a.As, a.As1);
    // The run's and the part's largest areas.
    EXPECT_FLOAT_EQ(f.owner.peiJin.m_fMaxAsNei, a.As1);
    EXPECT_FLOAT_EQ(f.owner.peiJin.m_fMaxAsWai, a.As);
    EXPECT_FLOAT_EQ(f.section.m_fPartAs2, a.As);
    // The lining designed under its own code (2002) and left the user's edition in force.
    EXPECT_EQ(G_guifan, 2010);
}

TEST(LiningDesign, TheLargestAreasGrowOverPartsAndStates) {
    Fixture f;
    f.Output({{{-100, 10, 200, 0, 0, 0}}});
    const float first = f.owner.peiJin.m_fMaxAsNei;
    EXPECT_GT(first, 0);
    EXPECT_FLOAT_EQ(f.section.m_fPartAs1, first);
    f.Output({{{-100, 10, 50, 0, 0, 0}}});
    EXPECT_FLOAT_EQ(f.owner.peiJin.m_fMaxAsNei, first);  // a smaller part keeps the run's largest
    EXPECT_LT(f.section.m_fPartAs1, first);               // but has its own
    f.section.m_nState = 1;
    f.Output({{{-100, 10, 500, 0, 0, 0}}});
    EXPECT_FLOAT_EQ(f.owner.peiJin.m_fMaxAsNei, first);  // the crack state designs no areas
    f.section.m_nState = 0;
    f.Output({{{-100, 10, 400, 0, 0, 0}}});
    EXPECT_GT(f.owner.peiJin.m_fMaxAsNei, first);
}

TEST(LiningDesign, ASectionTooSmallForTheShearFailsTheCheckAndTellsTheShelter) {
    Fixture f;
    CTestShelter shelter;
    f.owner.shelter = &shelter;
    f.owner.zuHeIndex = 3;
    f.section.m_nShuChuBuWei = 2;
    const std::string row = f.Output({{{-100, 5000, 10, 0, 0, 0}}}, 500, 0.2f);
    EXPECT_NE(row.find(Red("   不满足\n")), std::string::npos) << row;
    EXPECT_EQ(f.owner.peiJin.m_bKangJian, 0);
    EXPECT_EQ(shelter.shearTooSmall, (std::map<int, int>{{2, 1}}));
}

TEST(LiningDesign, BlastRunsDesignWithTheBlastClassAndTheCuringFlag) {
    Fixture f;
    CTestShelter shelter;
    shelter.zhengQi = 1;
    f.owner.shelter = &shelter;
    f.owner.heBao = 1;
    f.owner.peiJin.m_bGuJin = 0;
    const auto values = Numbers(f.Output({{{-300, 20, 150, 0, 0, 0}}}));
    PJ_COLUMN_KV direct;
    const CPeiJinCanShu& b = f.owner.peiJin;
    direct.Ini(b.m_nHunNingTu, b.m_nZongJin, b.m_nGuJinJiBie, 0, static_cast<int>(b.m_fAs), 0.8f, 1, 1, 1, 1, 0, 1,
               0.0f);
    direct.set_value(150e6f, 0, 0, 20000, -300000, 1000, 500, 500, 0, 0, 2);
    direct.PianLaYa();
    ASSERT_EQ(values.size(), 8u);
    EXPECT_NEAR(values[7], direct.Asx, 0.06);
}

// ---- crack rows

struct CrackFixture : Fixture {
    CrackFixture() {
        section.m_nState = 1;
        owner.peiJin.m_bDuiCheng = 0;
        owner.peiJin.m_szNeiCe = "10D20";
        owner.peiJin.m_szWaiCe = "5D16";
    }
    // The width and stress the crack class gives for the row's section.
    float Width(double N, double M, int inner, float* stress = nullptr) {
        CJsLieFen crack;
        crack.set_value(1);
        cross_lf record;
        CJieMianBase::ClearDesignResult(&record);
        section.FillCrossLf(0.5f, &record, inner);
        const float w = crack.CalLieFeng(static_cast<float>(N * 1000), static_cast<float>(std::fabs(M) * 1e6),
                                         N > 0.00001 ? kLfEccentricTension : kLfEccentricCompression, &record);
        if (stress) *stress = crack.sigma_s;
        return w;
    }
    std::string Row(double N, double M) {
        return Written([&](std::FILE* fp) {
            CJsLieFen crack;
            section.WriteCrackRow(0.5f, N, M, &crack, fp);
        });
    }
};

TEST(LiningCrack, AWidthPrintsRedOnlyWhenItExceedsTheLimitByMoreThanTheTolerance) {
    CrackFixture f;
    const float w = f.Width(50, 120, 1);
    ASSERT_GT(w, 0.01f);
    struct Case {
        double excess;
        bool red;
    };
    for (const Case c : {Case{0.0, false}, Case{0.000009, false}, Case{0.000011, true}, Case{0.01, true}}) {
        f.owner.peiJin.m_fLieFengXianZhi = static_cast<float>(w - c.excess);
        const std::string row = f.Row(50, 120);
        char width[32];
        std::snprintf(width, sizeof width, " %6.2f  ", w);
        EXPECT_EQ(row.find(Red(width)) != std::string::npos, c.red) << c.excess << ": " << row;
    }
}

TEST(LiningCrack, BarTextsAreCentredInTwelveColumns) {
    CrackFixture f;
    f.owner.peiJin.m_bDuiCheng = 1;
    struct Case {
        const char* bars;
        const char* printed;
    };
    for (const Case c : {Case{"10d20", "    10D20    "}, Case{"D16@200", "   D16@200   "},
                         Case{"D16/14@200", "  D16/14@200  "}, Case{"10D20+10D18", " 10D20+10D18 "},
                         Case{"D16/14@1000", " D16/14@1000 "}}) {
        f.owner.peiJin.m_szNeiCe = c.bars;
        const std::string row = f.Row(-200, 100);
        EXPECT_EQ(row.rfind(c.printed, 0), 0u) << row;
    }
}

TEST(LiningCrack, ANegativeMomentTakesTheOuterBarsAndIsPassedAsPositive) {
    CrackFixture f;
    f.owner.peiJin.m_fLieFengXianZhi = 10;
    float stress = 0;
    const float w = f.Width(30, -60, 0, &stress);
    ASSERT_GT(w, 0);
    ASSERT_NE(w, f.Width(30, -60, 1));  // the two faces' bars differ
    const std::string row = f.Row(30, -60);
    char tail[64];
    std::snprintf(tail, sizeof tail, " %6.2f ", w);
    EXPECT_NE(row.find(tail), std::string::npos) << row;
    std::snprintf(tail, sizeof tail, " %8.1f\n", stress);
    EXPECT_NE(row.find(tail), std::string::npos) << row;
    EXPECT_EQ(row.rfind(std::string("    10D20    ") + "     5D16     ", 0), 0u) << row;
}

TEST(LiningCrack, AnExemptNodePrintsDashesAndTheNoteFollows) {
    CrackFixture f;
    // Compression with a small eccentricity: the code asks for no crack width.
    const std::string row = f.Row(-2000, 10);
    EXPECT_NE(row.find("    ---     ---\n"), std::string::npos) << row;
    EXPECT_EQ(f.section.m_bLieFengZhuShi, 1);
    EXPECT_EQ(Written([&](std::FILE* fp) { f.section.WriteCrackNote(fp); }),
              "注:\n   裂缝结果中“---” 表示按规范对于e0/h0<=0.55的偏心受压构件，可不验算裂缝宽度。\n");
    f.section.m_nState = 0;
    EXPECT_EQ(Written([&](std::FILE* fp) { f.section.WriteCrackNote(fp); }), "");
    EXPECT_EQ(f.section.WriteCrackNote(nullptr), 0);
}

TEST(LiningCrack, NoReportComputesNothing) {
    CrackFixture f;
    CJsLieFen crack;
    EXPECT_EQ(f.section.WriteCrackRow(0.5f, -2000, 10, &crack, nullptr), 0);
    EXPECT_EQ(f.section.m_bLieFengZhuShi, 0);
}

TEST(LiningCrack, TheSectionRecordCarriesTheTensionBarsAndTheBondOfTheCode) {
    CrackFixture f;
    f.owner.peiJin.m_fBaoHuCeng = 45;
    f.owner.peiJin.m_fAs = 60;
    struct Case {
        int code, grade, inner;
        float nu, deq, area;
    };
    for (const Case c : {Case{1, 1, 1, 1.0f, 20, 3141.59f}, Case{1, 2, 0, 0.7f, 16, 1005.31f},
                         Case{0, 1, 1, 1.4f, 20, 3141.59f}, Case{0, 3, 0, 1.0f, 16, 1005.31f}}) {
        f.owner.jiBen.m_nGuiFan = c.code;
        f.owner.peiJin.m_nZongJin = c.grade;
        cross_lf r;
        CJieMianBase::ClearDesignResult(&r);
        EXPECT_EQ(f.section.FillCrossLf(0.45f, &r, c.inner), 1);
        Con_Prop concrete{};
        Rein_Prop steel{};
        get_rc_property(25, &concrete);
        get_rein_property(c.grade, &steel);
        EXPECT_EQ(r.type, 1);
        EXPECT_FLOAT_EQ(r.h, 450);
        EXPECT_FLOAT_EQ(r.b, 1000);
        EXPECT_EQ(r.bf1 + r.hf1 + r.bf + r.hf, 0);
        EXPECT_FLOAT_EQ(r.ftk, concrete.ftk);
        EXPECT_FLOAT_EQ(r.c, 45);
        EXPECT_FLOAT_EQ(r.deq, c.deq);
        EXPECT_FLOAT_EQ(r.Es, steel.Es);
        EXPECT_FLOAT_EQ(r.fyk, steel.fyk);
        EXPECT_FLOAT_EQ(r.nu, c.nu) << c.code << " " << c.grade;
        EXPECT_NEAR(r.As, c.area, 0.01);
        EXPECT_FLOAT_EQ(r.l0, 450);
        EXPECT_FLOAT_EQ(r.as, 60);
        EXPECT_FLOAT_EQ(r.as1, 60);
        EXPECT_EQ(r.Asp, 0);
    }
    // Symmetric bars: the inner set on both faces.
    f.owner.peiJin.m_bDuiCheng = 1;
    cross_lf r;
    f.section.FillCrossLf(0.45f, &r, 0);
    EXPECT_FLOAT_EQ(r.deq, 20);
}

TEST(LiningCrack, EquivalentDiameterOfOneGroupTwoGroupsAndNoBars) {
    CGangJin bars;
    float d = 0;
    bars.FromString("12d20");
    EXPECT_EQ(CJieMianBase::EquivalentDiameter(&d, bars), 0);
    EXPECT_FLOAT_EQ(d, 20);
    bars.FromString("4D25+2D16");
    EXPECT_EQ(CJieMianBase::EquivalentDiameter(&d, bars), 0);
    EXPECT_FLOAT_EQ(d, (4 * 625.0f + 2 * 256.0f) / (4 * 25.0f + 2 * 16.0f));
    bars.FromString("");
    EXPECT_EQ(CJieMianBase::EquivalentDiameter(&d, bars), -1);
    EXPECT_FLOAT_EQ(d, 0.00001f);
}

// ---- heads and the conclusion

TEST(LiningHeads, CrackHeadsHaveOneOrTwoBarColumns) {
    Fixture f;
    f.section.m_nState = 1;
    const std::string sym = Written([&](std::FILE* fp) { EXPECT_EQ(f.section.WriteResultHead(fp), 1); });
    EXPECT_EQ(sym,
              "      轴向力      弯矩     围岩抗力  实配钢筋   裂缝宽度   拉筋应力\n"
              "         Nk        Mk                (单侧)       Wmax      stress\n"
              "       (kN)       (kN.m)    (kPa)                (mm)      (MPa) \n");
    f.owner.peiJin.m_bDuiCheng = 0;
    f.owner.diZhen.m_bDiZhen = 1;  // no bearing on the crack head
    EXPECT_EQ(Written([&](std::FILE* fp) { f.section.WriteResultHead(fp); }),
              "      轴向力      弯矩     围岩抗力  实配钢筋     实配钢筋   裂缝宽度   拉筋应力\n"
              "         Nk        Mk                (内侧)       (外侧)     Wmax      stress\n"
              "       (kN)       (kN.m)    (kPa)                            (mm)     (MPa) \n");
}

TEST(LiningHeads, DesignHeadsByBarsStirrupsAndSeismicAction) {
    const std::string plain = "      轴向力      剪力      弯矩     切向位移   法向位移   转角   围岩抗力";
    const std::string seis = "      轴向力      剪力             弯矩          切向位移   法向位移   转角   围岩抗力";
    struct Case {
        int sym, stir, seis;
        std::string first, second, third;
    };
    const Case cases[] = {
        {1, 1, 0, plain + " 单侧纵筋 箍筋面积 抗剪验算\n", "  As       Av\n", "(mm^2)   (mm^2)\n"},
        {1, 0, 1, seis + " 单侧纵筋 抗剪验算\n", "  As         \n", "(mm^2)          \n"},
        {0, 1, 1, seis + " 内侧纵筋 外侧纵筋 箍筋面积 抗剪验算\n", "  As      As1       Av\n",
         "(mm^2)   (mm^2)   (mm^2)\n"},
        {0, 0, 0, plain + " 内侧纵筋 外侧纵筋 抗剪验算\n", "  As      As1\n", "(mm^2)   (mm^2)       \n"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.owner.peiJin.m_bDuiCheng = c.sym;
        f.owner.peiJin.m_bGuJin = c.stir;
        f.owner.diZhen.m_bDiZhen = c.seis;
        const auto lines = Lines(Written([&](std::FILE* fp) { f.section.WriteResultHead(fp); }));
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0] + "\n", c.first);
        EXPECT_EQ(lines[2] + "\n", (c.seis ? "       (kN)       (kN)          (kN.m)           (mm)       (mm)     (度)     (kPa)  "
                                           : "       (kN)       (kN)     (kN.m)    (mm)       (mm)     (度)     (kPa)  ") +
                                       c.third);
        EXPECT_EQ(lines[1].substr(lines[1].size() - (c.second.size() - 1)) + "\n", c.second);
    }
}

TEST(LiningHeads, ConclusionSaysWhetherTheResistanceAgreedInColour) {
    Fixture f;
    auto coloured = [](const char* text, std::uint32_t colour) {
        return Written([&](std::FILE* fp) { VanjoroScript_Text(fp, text, colour, 1.0); });
    };
    EXPECT_EQ(Written([&](std::FILE* fp) { f.section.WriteJieLun(3, 1, 0.5f, fp); }),
              coloured("计算结论:经过3次计算,达到各点设定抗力条件和法向位移一致!\n\n", 16711680));
    EXPECT_EQ(Written([&](std::FILE* fp) { f.section.WriteJieLun(10, 0, 0.5f, fp); }),
              coloured("计算结论:经过10次迭代,未达到计算各点设定抗力条件和法向位移一致!计算失败的原因可能有:\n\n",
                       255) +
                  coloured("  (1)交互的计算迭代次数不够!\n\n", 7288576) +
                  coloured("  (2)截面刚度太弱(截面尺寸或弹性模量过小)!\n\n", 7288576) +
                  coloured("  (3)参数之间的数量级相差太大!\n\n", 7288576) +
                  coloured("请检查交互的参数,修改后重新计算!\n\n", 255));
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/globals.h"
#include "design/pj_column.h"
#include "members/beams/gj_frm.h"
#include "platform/textfile.h"
#include "support/edition_guard.h"
#include "support/error_lines.h"
#include "support/work_folder.h"
#include "gj_portal.h"

namespace {

std::string Report(CGjFrmJs& frame) {
    EXPECT_EQ(frame.WriteReport(), 1);
    std::string text;
    EXPECT_TRUE(kv::platform::ReadTextFile(G_strWorkPath + frame.m_strRtf, text));
    return text;
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The member block that starts with "构件号: <no>".
std::string MemberBlock(const std::string& text, int no) {
    char head[32];
    std::snprintf(head, sizeof head, "构件号: %3d", no);
    const std::size_t at = text.find(head);
    if (at == std::string::npos) return {};
    return text.substr(at, text.find("\n-----", at) - at);
}

// The whole civil-air-defence report of the portal. The beam's middle section
// (b 300, h 500, M 150 kN·m, no axial force) by hand: HRB400 under blast
// fyd = 360 × 1.2 = 432 N/mm², h0 − as' = 465 − 35 = 430 mm, so both faces take
// 150e6 / (432 × 430) = 807.5 mm²; its ends (100 kN·m) 538.3 mm². Its end shear
// 166.7 kN: λ = 6000 / (2 × 465) > 3 gives Vc = 1.75/4 × 1.43 × 1.5 × 300 × 465
// = 130.9 kN; HPB300 fyv = 270 × 1.5 = 405, so 200 × (166.7 − 130.9) kN /
// (405 × 465) = 38.0 mm². The columns take the minimum steel of C30: the tension
// face 0.25 % and each side 0.20 % of 400 × 400.
TEST(RigidFrameReport, ProtectiveReportOfOneBayPortal) {
    kv::test::WorkFolder work;
    kv::test::EditionGuard edition(2010);
    CGjFrmJs frame;
    kv::test::FillPortal(frame);
    frame.m_nInsertResults = frame.m_nInsertScheme = 1;
    const std::string expected = R"(-------------------------------------------------------------------
计算项目: 刚架计算 GJ1
-------------------------------------------------------------------
[ 计算条件 ]

%%%[VanjoroScript%%%InsertDxf=A_JT_GJ.DXF%%%VanjoroScript]%%%
          混凝土强度等级:  C30
          纵筋级别:   HRB400
          箍筋级别:   HPB300
          箍筋间距:   200
          配筋计算as:   35(mm)
          支座弯矩调整系数:  1.000
          跨中弯矩调整系数:  1.000
[ 计算结果 ]

%%%[VanjoroScript%%%InsertDxf=A_D_GJ.DXF%%%VanjoroScript]%%%

%%%[VanjoroScript%%%InsertDxf=A_M_GJ.DXF%%%VanjoroScript]%%%

%%%[VanjoroScript%%%InsertDxf=A_V_GJ.DXF%%%VanjoroScript]%%%

%%%[VanjoroScript%%%InsertDxf=A_N_GJ.DXF%%%VanjoroScript]%%%

%%%[VanjoroScript%%%InsertDxf=A_PJ_GJ.DXF%%%VanjoroScript]%%%
单位
          构件宽(B)    --------  mm
          构件高(H)    --------  mm
          弯矩         --------  kN.m
          剪力         --------  kN
          配筋         --------  mm2
-----------------------------------------------------------------------------
构件号:   1   起点号    1    终点号    2            宽 400       高400
                      起点             中点             终点
坐标      (m):  (   0.0    0.0)                      (   0.0    4.0)
位移    x(mm):         0.000            0.500            2.000
位移    y(mm):         0.000           -0.050           -0.100
弯矩   (kN.m):        50.000          -25.000         -100.000
剪力     (kN):        37.500           37.500           37.500
轴力     (kN):      -250.000         -250.000         -250.000

上部纵筋(mm2):         400.0            400.0            447.2
下部纵筋(mm2):         400.0            400.0            447.2
左侧纵筋(mm2):         320.0            320.0            320.0
右侧纵筋(mm2):         320.0            320.0            320.0
箍    筋(mm2):           0.0              0.0              0.0
-----------------------------------------------------------------------------
构件号:   2   起点号    2    终点号    3            宽 300       高500
                      起点             中点             终点
坐标      (m):  (   0.0    4.0)                      (   6.0    4.0)
位移    x(mm):         2.000            2.000            2.000
位移    y(mm):         0.000          -12.000            0.000
弯矩   (kN.m):      -100.000          150.000         -100.000
剪力     (kN):       166.667            0.000         -166.667
轴力     (kN):         0.000            0.000            0.000

上部纵筋(mm2):         538.3            807.5            538.3
下部纵筋(mm2):         538.3            807.5            538.3
左侧纵筋(mm2):         300.0            300.0            300.0
右侧纵筋(mm2):         300.0            300.0            300.0
箍    筋(mm2):          38.0              0.0             38.0
-----------------------------------------------------------------------------
构件号:   3   起点号    3    终点号    4            宽 400       高400
                      起点             中点             终点
坐标      (m):  (   6.0    4.0)                      (   6.0    0.0)
位移    x(mm):         2.000            0.500            0.000
位移    y(mm):        -0.100           -0.050            0.000
弯矩   (kN.m):       100.000           25.000          -50.000
剪力     (kN):       -37.500          -37.500          -37.500
轴力     (kN):      -250.000         -250.000         -250.000

上部纵筋(mm2):         447.2            400.0            400.0
下部纵筋(mm2):         447.2            400.0            400.0
左侧纵筋(mm2):         320.0            320.0            320.0
右侧纵筋(mm2):         320.0            320.0            320.0
箍    筋(mm2):           0.0              0.0              0.0
 )";
    EXPECT_EQ(Report(frame), expected);
    EXPECT_FALSE(frame.Failed());
}

TEST(RigidFrameReport, DrawingBlocksFollowTheReportFlags) {
    struct Case {
        int scheme, results, blocks;
    } cases[] = {{0, 0, 0}, {1, 0, 1}, {0, 1, 5}, {1, 1, 6}};
    kv::test::WorkFolder work;
    for (int protective = 0; protective <= 1; ++protective) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << protective << c.scheme << c.results);
            CGjFrmJs frame;
            kv::test::FillPortal(frame);
            frame.m_nRenFang = protective;
            frame.m_nInsertScheme = c.scheme;
            frame.m_nInsertResults = c.results;
            const std::string text = Report(frame);
            EXPECT_EQ(Count(text, "InsertDxf="), c.blocks);
            EXPECT_EQ(Count(text, "InsertDxf=A_JT_GJ.DXF"), c.scheme);
        }
    }
}

TEST(RigidFrameReport, SecondOrderNoteOnlyUnderThe2010CodeWithTheFlag) {
    struct Case {
        int edition, pdelta;
        bool note;
    } cases[] = {{2010, 1, true}, {2010, 0, false}, {2002, 1, false}};
    kv::test::WorkFolder work;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.edition << " " << c.pdelta);
        kv::test::EditionGuard edition(c.edition);
        CGjFrmJs frame;
        kv::test::FillPortal(frame);
        frame.m_nPDelta = c.pdelta;
        const std::string text = Report(frame);
        EXPECT_EQ(Count(text, "InsertFormula=M=C`m*greek(h)`str(ns)*M`2"), c.note ? 1 : 0);
        EXPECT_EQ(Count(text, "第6.2.4条"), c.note ? 1 : 0);
        EXPECT_EQ(Count(text, "考虑p --δ效应"), c.pdelta);
        if (!c.note) {
            EXPECT_NE(MemberBlock(text, 1).find("        50.000          -25.000         -100.000"), std::string::npos);
        }
    }
}

// A slender column (8 m, b 300 × h 500, 800 kN, end moments 20 and 80 kN·m in
// single curvature) bends over h: the second-order moments take h − as and h.
TEST(RigidFrameReport, SecondOrderMomentsBendOverTheDepth) {
    kv::test::WorkFolder work;
    kv::test::EditionGuard edition(2010);
    CGjFrmJs frame;
    kv::test::FillPortal(frame);
    frame.SetMemberCount(1);
    CGjGouJian& g = frame.m_GouJian[0];
    g.m_nNo = 1;
    g.m_fX1 = 0, g.m_fY1 = 0, g.m_fX2 = 0, g.m_fY2 = 8000;
    g.m_fB = 300, g.m_fH = 500;
    for (int i = 0; i < kGjStations; ++i) {
        g.M[i] = 20.0f + 60.0f * static_cast<float>(i) / 8.0f;
        g.N[i] = -800.0f;
    }
    frame.m_nPDelta = 1;
    auto secondOrder = [](float m, float depth, float width) {
        return GetZhuErJieWanJu(m * 1e6f, 800e3f, 20e6f, 80e6f, depth - 35, depth, 8000, width * depth, 20, 30) * 1e-6f;
    };
    Report(frame);
    EXPECT_FLOAT_EQ(g.M[0], secondOrder(20, 500, 300));
    EXPECT_FLOAT_EQ(g.M[4], secondOrder(50, 500, 300));
    EXPECT_FLOAT_EQ(g.M[8], secondOrder(80, 500, 300));
    EXPECT_GT(g.M[8], 80.0f) << "the effect applies to this column";
    EXPECT_GT(std::fabs(g.M[8] - secondOrder(80, 300, 500)), 1.0f) << "over b the moment differs";
}

// The moment factors raise the designed moment only: the printed moments stay,
// and a factor 1.2 designs as 1.2 times the moment would with factor 1.
TEST(RigidFrameReport, MomentFactorsChangeOnlyTheDesignedMoment) {
    kv::test::WorkFolder work;
    kv::test::EditionGuard edition(2010);
    for (int middle = 0; middle <= 1; ++middle) {
        SCOPED_TRACE(middle ? "midspan" : "support");
        CGjFrmJs plain, factored, scaled;
        for (CGjFrmJs* f : {&plain, &factored, &scaled}) kv::test::FillPortal(*f);
        (middle ? factored.m_fMidspan : factored.m_fSupport) = 1.2f;
        CGjGouJian& s = scaled.m_GouJian[1];
        for (int st : {0, 4, 8})
            if ((st == 4) == (middle == 1)) s.M[st] *= 1.2f;
        const std::string text = Report(factored);
        Report(plain);
        Report(scaled);
        EXPECT_NE(MemberBlock(text, 2).find("     -100.000          150.000         -100.000"), std::string::npos);
        const CGjGouJian &p = plain.m_GouJian[1], &f = factored.m_GouJian[1];
        for (int sec = 0; sec < kGjSections; ++sec) {
            SCOPED_TRACE(sec);
            const bool raised = (sec == 1) == (middle == 1);
            EXPECT_FLOAT_EQ(f.AsTop[sec], s.AsTop[sec]);
            if (raised) EXPECT_GT(f.AsTop[sec], p.AsTop[sec] * 1.15f);
            else EXPECT_FLOAT_EQ(f.AsTop[sec], p.AsTop[sec]);
            EXPECT_FLOAT_EQ(f.Asv[sec], p.Asv[sec]) << "shear is not factored";
        }
    }
}

// Members numbered 4, 1, 2 with flag 0 and 3 with flag 1: 1, 2 and 4 are listed
// in that order, 3 is not.
TEST(RigidFrameReport, ProtectiveListingTakesEveryMemberOfFlagZeroInOrder) {
    kv::test::WorkFolder work;
    CGjFrmJs frame;
    kv::test::FillPortal(frame);
    frame.SetMemberCount(4);
    const int numbers[4] = {4, 1, 3, 2};
    for (int i = 0; i < 4; ++i) {
        CGjGouJian& g = frame.m_GouJian[static_cast<std::size_t>(i)];
        g.m_nNo = numbers[i];
        g.m_nReport = numbers[i] == 3;
        g.m_fX2 = 3000.0f * static_cast<float>(i + 1);
    }
    const std::string text = Report(frame);
    const std::size_t one = text.find("构件号:   1"), two = text.find("构件号:   2"), four = text.find("构件号:   4");
    ASSERT_NE(one, std::string::npos);
    ASSERT_NE(two, std::string::npos);
    ASSERT_NE(four, std::string::npos);
    EXPECT_LT(one, two);
    EXPECT_LT(two, four);
    EXPECT_EQ(text.find("构件号:   3"), std::string::npos);
    EXPECT_EQ(Count(text, "构件号:"), 3);
}

TEST(RigidFrameReport, AReportThatCannotBeCreatedFailsWithoutWriting) {
    kv::test::WorkFolder work;
    kv::test::ErrorLines lines;
    CGjFrmJs frame;
    kv::test::FillPortal(frame);
    frame.m_strRtf = "missing/A_GJ.RTF";
    EXPECT_EQ(frame.WriteReport(), 0);
    EXPECT_TRUE(lines.Has(kv::err::kFailure, "不能打开文件 : missing/A_GJ.RTF"));
    EXPECT_TRUE(frame.Failed());
    EXPECT_EQ(frame.m_pReport, nullptr);
    EXPECT_EQ(work.List(), "");
    EXPECT_EQ(frame.m_GouJian[1].AsTop[1], 0.0f) << "nothing designed into a report that is not there";
    JS_ERROR_CODE = 0;
}

// Design limits are the design's own texts after the section's heading; a member
// whose grade the tables lack gets no design, and that fails the run.
TEST(RigidFrameReport, DesignLimitTextsAreNoFailureAMemberWithoutDesignIs) {
    kv::test::WorkFolder work;
    kv::test::EditionGuard edition(2010);
    {
        CGjFrmJs frame;
        kv::test::FillPortal(frame);
        frame.m_GouJian[1].M[4] = 3000.0f;
        const std::string text = Report(frame);
        EXPECT_NE(MemberBlock(text, 2).find("**中截面:      ------  "), std::string::npos);
        EXPECT_EQ(Count(text, "**左截面:"), 0);
        EXPECT_FALSE(frame.Failed());
    }
    {
        kv::test::ErrorLines lines;
        CGjFrmJs frame;
        kv::test::FillPortal(frame);
        frame.m_GouJian[2].m_nGrade = 7;
        Report(frame);
        EXPECT_TRUE(frame.Failed());
        EXPECT_EQ(frame.m_GouJian[2].AsTop[0], 0.0f);
    }
}

// A steel member: A, I and Es (in 10⁸ kN/m²) and no design in the ordinary
// report; listed with zero steel in the civil-air-defence one.
TEST(RigidFrameReport, SteelMemberIsPrintedNotDesigned) {
    kv::test::WorkFolder work;
    for (int protective = 0; protective <= 1; ++protective) {
        SCOPED_TRACE(protective);
        CGjFrmJs frame;
        kv::test::FillPortal(frame);
        frame.m_nRenFang = protective;
        CGjGouJian& g = frame.m_GouJian[1];
        g.m_nSteel = 1;
        g.m_fH = 84.5f, g.m_fB = 11075.0f;
        const std::string text = Report(frame);
        const std::string block = MemberBlock(text, 2);
        if (protective) {
            EXPECT_NE(block.find("上部纵筋(mm2):           0.0              0.0              0.0"), std::string::npos);
        } else {
            EXPECT_NE(block.find("构件号:   2   起点号    2    终点号    3    A   84.500   I   11075.000    Es    2.060\n"),
                      std::string::npos);
            EXPECT_EQ(block.find("纵筋"), std::string::npos);
            EXPECT_NE(MemberBlock(text, 1).find("宽 400   高400   砼等级 C30\n"), std::string::npos);
            EXPECT_EQ(Count(text, "    工况号:"), 10);
            EXPECT_NE(work.Read("A_GJ.RTF").find("--------  *10^2\xAA\xB3mm^2\n"), std::string::npos)
                << "the area unit's two bytes on the disk";
        }
    }
}

}  // namespace

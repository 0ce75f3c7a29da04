// The punching-shear check: the punching base of every case, the verdicts of
// both rule sets against values worked by hand, the reports, the transverse
// steel of a reversed drop panel, the punching line and the sketch.
#include "members/flatslab/chongqie.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "platform/codec.h"
#include "support/edition_guard.h"
#include "support/error_lines.h"
#include "support/ezdxf_check.h"
#include "support/work_folder.h"

namespace {

using kv::drawing::Entity;
using kv::drawing::EntityKind;

CHONGQIE_JS_STRUCT Civil() {
    CHONGQIE_JS_STRUCT r;
    r.m_nCivilDefence = 1;
    return r;
}

// The verdict lines of a check as the file holds them (UTF-8).
std::string Verdict(const CHONGQIE_JS_STRUCT& r) {
    kv::test::WorkFolder work;
    chongqie_check(r);
    return kv::platform::GbkToUtf8Lossy(work.Read("Message.Box"));
}

std::string Report(const CHONGQIE_JS_STRUCT& r) {
    kv::test::WorkFolder work;
    chongqie_report(r, (work / "CQ.OUT").c_str());
    return kv::platform::GbkToUtf8Lossy(work.Read("CQ.OUT"));
}

std::string ReadGolden(const std::string& name) {
    std::ifstream in(std::string(KV_FLATSLAB_GOLDEN) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// ---- the punching base ------------------------------------------------------

TEST(ChongQie, DefaultsTakeCaseARowOneWithTheBaseOfColumnAndCap) {
    // h0 = 400 − 35 = 365, hc = 365 + 400 = 765; 800 + 2·400 ≤ 2000 both ways.
    auto checks = chongqie_checks(Civil(), true);
    ASSERT_EQ(checks.size(), 2u);
    const ChongQieCheck& col = checks[0];
    EXPECT_EQ(col.kase, 'A');
    EXPECT_FLOAT_EQ(col.P_B, 2330.0f);  // 800 + 2·765
    EXPECT_FLOAT_EQ(col.P_H, 2330.0f);
    EXPECT_FLOAT_EQ(col.X, 4788900.0f);  // 2·2·765·(800 + 2330)/2
    EXPECT_NEAR(col.F1 / 1000, 3057.11f, 0.005f);  // (6000² − 2330²)·0.1 N
    EXPECT_FLOAT_EQ(col.betaH, 1.0f);  // βh(h + tc = 800)
    const ChongQieCheck& cap = checks[1];
    EXPECT_TRUE(cap.cap);
    EXPECT_FLOAT_EQ(cap.P_B, 2730.0f);  // 2000 + 2·365
    EXPECT_FLOAT_EQ(cap.X, 3452900.0f);  // 4·365·(2000 + 2730)/2
    EXPECT_NEAR(cap.F1 / 1000, 2854.71f, 0.005f);
}

TEST(ChongQie, BetaHIsOneToEightHundredAndNineTenthsFromTwoThousand) {
    struct Case { float h, beta; } cases[] = {{400, 1.0f}, {800, 1.0f}, {1400, 0.95f}, {2000, 0.9f}, {2500, 0.9f}};
    for (const auto& c : cases) EXPECT_FLOAT_EQ(chongqie_beta_h(c.h), c.beta) << c.h;
}

TEST(ChongQie, CaseAColumnCheckTakesBetaOfSlabAndCapUnlessNeitherSideReaches) {
    // h = 1200, tc = 600: βh(1800) in rows 1..3, βh(1200) in row 4; the cap check always βh(h).
    struct Case { int capB, capH; float beta; } cases[] = {
        {2000, 2000, chongqie_beta_h(1800)},  // both reach: 800 + 1200 ≤ 2000
        {2000, 1900, chongqie_beta_h(1800)},
        {1900, 2000, chongqie_beta_h(1800)},
        {1900, 1900, chongqie_beta_h(1200)},
    };
    for (const auto& c : cases) {
        CHONGQIE_JS_STRUCT r = Civil();
        r.m_nSlabThick = 1200, r.m_nCapThick = 600, r.m_nCapB = c.capB, r.m_nCapH = c.capH;
        r.m_nSlabWidth = r.m_nSlabLength = 20000;
        auto checks = chongqie_checks(r, true);
        EXPECT_FLOAT_EQ(checks[0].betaH, c.beta) << c.capB << "x" << c.capH;
        EXPECT_FLOAT_EQ(checks[1].betaH, chongqie_beta_h(1200));
    }
    EXPECT_NE(chongqie_beta_h(1800), chongqie_beta_h(1200));
    // Row 2: B reaches, H does not: P_H = capH + 2·h0 = 1900 + 2·1165.
    CHONGQIE_JS_STRUCT r = Civil();
    r.m_nSlabThick = 1200, r.m_nCapThick = 600, r.m_nCapH = 1900, r.m_nSlabWidth = r.m_nSlabLength = 20000;
    auto checks = chongqie_checks(r, true);
    EXPECT_FLOAT_EQ(checks[0].P_B, 800 + 2 * 1765.0f);
    EXPECT_FLOAT_EQ(checks[0].P_H, 1900 + 2 * 1165.0f);
}

TEST(ChongQie, CaseCBothSidesInTheMiddleClassWorkedByHand) {
    // Older rules: c = as + 10 = 45. col + 2·h0 = 1530 < cap < col + 2·hc = 2330 both ways.
    CHONGQIE_JS_STRUCT r;
    r.m_nCapDown = 0, r.m_nCapB = 1800, r.m_nCapH = 1600;
    // tB = 500 − 45 = 455, tH = 400 − 45 = 355 ≤ tB: base capB × capH,
    // G_B = 355·1155 = 410025, G_H = 100·1600 + 410025 = 570025.
    auto k = chongqie_checks(r, false).at(0);
    EXPECT_EQ(k.kase, 'C');
    EXPECT_FLOAT_EQ(k.P_B, 1800.0f);
    EXPECT_FLOAT_EQ(k.P_H, 1600.0f);
    EXPECT_FLOAT_EQ(k.X, 1960100.0f);
    EXPECT_FLOAT_EQ(k.F1, (36e6f - 2880000.0f) * 0.1f);
    // tH > tB: the base keeps the column's depth, capB × colH.
    r.m_nCapB = 1600, r.m_nCapH = 1800;
    k = chongqie_checks(r, false).at(0);
    EXPECT_FLOAT_EQ(k.P_B, 1600.0f);
    EXPECT_FLOAT_EQ(k.P_H, 800.0f);
    EXPECT_FLOAT_EQ(k.X, 1960100.0f);  // 2·(100·1600 + 355·1155 + 355·1155)
    EXPECT_FLOAT_EQ(k.F1, (36e6f - 1280000.0f) * 0.1f);

    // The verdict with stirrups and q = 50: F1 = 1656.00 kN between
    // 0.3·ft·X = 746.80 kN and 0.9·ft·X = 2240.39 kN (ft 1.27), so
    // Av/s = (1656000 − 746798)·0.25 / 210 / 0.8 / 120 · 1000 = 11275 mm²/m (HPB235).
    kv::test::EditionGuard edition(2002);
    r.m_nCapB = 1800, r.m_nCapH = 1600, r.m_fLoad = 50;
    EXPECT_EQ(Verdict(r),
              "      冲切力F1 =  1656.00(kN) \n"
              "      柱每侧配置箍筋的数量Av/s为: 11275(mm^2/m)\n");
}

TEST(ChongQie, CaseCClassesACapSideOfColumnPlusTwoDepthsAsNarrow) {
    // capB = 800 + 2·365 = 1530 exactly, capH wide: the N–W row, P_B = capB.
    CHONGQIE_JS_STRUCT r = Civil();
    r.m_nCapDown = 0, r.m_nCapB = 1530, r.m_nCapH = 2400;
    auto k = chongqie_checks(r, true).at(0);
    EXPECT_FLOAT_EQ(k.P_B, 1530.0f);
    EXPECT_FLOAT_EQ(k.P_H, 2330.0f);
    // G_B = 365·1165 + 1530·(2330 − 1530)/2, G_H = 365·1165.
    EXPECT_FLOAT_EQ(k.X, 2 * (365.0f * 1165 + 1530.0f * 800 / 2 + 365.0f * 1165));
}

TEST(ChongQie, CaseDMiddleCapWorkedByHandUnderTheNewerRules) {
    // Round column 800, cap above 2000: 1530 < 2000 < 2330; c = as = 35, P = 1930,
    // X = π·(1930 − 800)/2·(800 + 1930)/2 = π·565·1365 = 2 422 875 mm²,
    // F1 = (36e6 − π/4·1930²)·0.1 = 3307.45 kN; ftd = 1.27·1.5 = 1.905,
    // J = 0.5·ftd·X = 2307.79 kN < F1 < 1.05·ftd·X = 4846.36 kN,
    // Av = (3307448 − 2307790)·0.25/240 = 1041 mm², 4·Av = 4165 > Avc = 385.
    kv::test::EditionGuard edition(2010);
    CHONGQIE_JS_STRUCT r = Civil();
    r.m_nSquareCol = 0, r.m_nCapDown = 0;
    auto k = chongqie_checks(r, true).at(0);
    EXPECT_EQ(k.kase, 'D');
    EXPECT_FLOAT_EQ(k.P_B, 1930.0f);
    EXPECT_NEAR(k.X, 2422874.8f, 1.0f);
    EXPECT_EQ(Verdict(r),
              "      冲切力F1 =  3307.45(kN) \n"
              "      柱每侧计算配置箍筋的数量Av为: 1041(mm^2);   总配箍量为:4165(mm^2)\n");
    // As a reversed drop panel: J = 0.35·ftd·X = 1615.45 kN, Av = (F1 − J)·0.25/(0.8·270) = 1958 mm².
    r.m_nReversedPanel = 1;
    EXPECT_EQ(Verdict(r),
              "      冲切力F1 =  3307.45(kN) \n"
              "      柱每侧计算配置箍筋的数量Av为: 1958(mm^2);   总配箍量为:7833(mm^2)\n"
              "          [注：按反托板,根据人民防空工程设计规范GB50225-2005计算]\n");
}

TEST(ChongQie, OlderCaseDPrintsTheF1LineAfterTheStirrupLine) {
    kv::test::EditionGuard edition(2002);
    CHONGQIE_JS_STRUCT r;
    // c = as + 10: P = 2000 − 90 = 1910, F1 = (36e6 − π/4·1910²)·0.02 = 662.70 kN ≤ 0.3·ft·X.
    r.m_nSquareCol = 0, r.m_nCapDown = 0, r.m_fLoad = 20;
    EXPECT_EQ(Verdict(r),
              "      板对柱的抗冲切能满足要求, 不需要配筋\n"
              "      冲切力F1 =  662.70(kN) \n");
}

TEST(ChongQie, BasesOfCasesABEFAreClippedToTheSlabUnitAndCDNever) {
    struct Case { int hasCap, capDown, square; bool clipped; } cases[] = {
        {1, 1, 1, true}, {1, 1, 0, true}, {1, 0, 1, false}, {1, 0, 0, false}, {0, 1, 1, true}, {0, 0, 0, true},
    };
    for (const auto& c : cases) {
        CHONGQIE_JS_STRUCT r = Civil();
        r.m_nHasCap = c.hasCap, r.m_nCapDown = c.capDown, r.m_nSquareCol = c.square;
        r.m_nSlabWidth = r.m_nSlabLength = 1000;
        r.m_nCapB = r.m_nCapH = r.m_nCapD = 3000;  // every base wider than the unit
        for (const auto& k : chongqie_checks(r, true)) {
            if (c.clipped) {
                EXPECT_FLOAT_EQ(k.P_B, 1000.0f) << k.kase;
                EXPECT_FLOAT_EQ(k.P_H, 1000.0f) << k.kase;
            } else {
                EXPECT_GT(k.P_B, 1000.0f) << k.kase;
                EXPECT_LT(k.F1, 0.0f) << k.kase;
            }
        }
    }
    // A rectangular base clipped to the whole unit leaves nothing to punch and passes.
    CHONGQIE_JS_STRUCT r = Civil();
    r.m_nHasCap = 0, r.m_nSlabWidth = r.m_nSlabLength = 1000, r.m_nStirrup = 0;
    EXPECT_FLOAT_EQ(chongqie_checks(r, true).at(0).F1, 0.0f);
    EXPECT_NE(Verdict(r).find("板对柱的抗冲切满足要求。"), std::string::npos);
}

// ---- the verdicts -----------------------------------------------------------

TEST(ChongQie, DefaultsUnderTheNewerRulesNeedOnlyConstructiveStirrups) {
    // Column: F1 = 3057.11 ≤ J = 0.5·1.905·4788900 = 4561.43 kN; Avc = 0.2·1.905·4788900/240 = 7602.
    // Cap: F1 = 2854.71 ≤ 0.5·1.905·3452900; Avc = 5481.48.
    kv::test::EditionGuard edition(2010);
    EXPECT_EQ(Verdict(Civil()),
              "      冲切力F1 =  3057.11(kN) \n"
              "      板对柱的抗冲切能满足要求, 计算不需要配筋\n"
              "      板内构造箍筋总面积Av为：\n"
              "             0.2*Um*h0*ftd/fyd = 7602(mm^2)\n"
              "      冲切力F1 =  2854.71(kN) \n"
              "      板对柱帽的抗冲切能满足要求, 柱帽外侧计算不需要配筋\n"
              "      整个柱帽外侧板内需要构造箍筋面积Av为：\n"
              "            0.2*Um*h0*ftd/fyd = 5481.48(mm^2)\n");
}

// Verdicts of the cases the tests above leave, each worked out by hand in single
// precision (C25 ft 1.27, ftd 1.905; HPB300 fy 270; the slab unit 6000 × 6000).
TEST(ChongQie, VerdictsOfEveryCaseWorkedByHand) {
    kv::test::EditionGuard edition(2010);
    struct Case {
        const char* what;
        int civil, hasCap, capDown, square, stirrup, capB, capH;
        float load;
        const char* lines;
    } cases[] = {
        // Case B, newer. Column: colD + 2·tc = 1600 ≤ 2000, P = 800 + 2·765 = 2330,
        // X = π·765·(800 + 2330)/2 = 3761193, F1 = (36e6 − π/4·2330²)·0.1 = 3173.62 kN
        // ≤ J = 0.5·1.905·X = 3582.54 kN; Avc = 0.2·1.905·X/240 = 5970.89.
        // Cap: P = 2730, X = π·365·2365 = 2711902, F1 = 3014.65 kN > J = 2583.09 kN,
        // Av = (F1 − J)·0.25/240 = 450, 4·Av = 1798 < Avc = 4305.14.
        {"B newer", 1, 1, 1, 0, 1, 2000, 2000, 100,
         "      冲切力F1 =  3173.62(kN) \n"
         "      板对柱的抗冲切能满足要求, 计算不需要配筋\n"
         "      板内需要构造箍筋总面积Av为：\n"
         "            0.2*Um*h0*ftd/fyd = 5970.89(mm^2)\n"
         "      冲切力F1 =  3014.65(kN) \n"
         "      柱帽每侧计算配置箍筋的数量Av为: 450(mm^2);   总配箍量为:1798(mm^2)\n"
         "      板内需要构造箍筋总面积Av为：\n"
         "            0.2*Um*h0*ftd/fyd = 4305.14(mm^2)\n"},
        // Case C, newer, M–W: capB 2000 lies between 1530 and 2330, capH 2400 ≥ 2330.
        // R_B = 2000 − 70 = 1930, u_B = 1130; G_B = 400·1930/2 + 1130·2730/4 = 1157225,
        // G_H = 771225, X = 3856900; F1 = (36e6 − 1930·2330)·0.1 = 3150.31 kN
        // ≤ J = 3673.70 kN; Avc = 0.2·1.905·X/240 = 6123.
        {"C M-W newer", 1, 1, 0, 1, 1, 2000, 2400, 100,
         "      冲切力F1 =  3150.31(kN) \n"
         "      板对柱的抗冲切能满足要求, 计算不需要配筋\n"
         "      板内需要构造箍筋总面积Av为：0.2*Um*h0*ftd/fyd = 6123(mm^2)\n"},
        // Case F, newer: P = 1530, X = π·365·1165 = 1335884, F1 = (36e6 − π/4·1530²)·0.1
        // = 3416.15 kN > 1.05·ftd·X = 2672.10 kN.
        {"F newer thick", 1, 0, 1, 0, 1, 2000, 2000, 100,
         "      板的厚度不足，不能满足对柱抗冲切的最小厚度要求 ！\n"
         "      冲切力F1 =  3416.15(kN) > 1.05*ftd*Um*h0 = 2672.10(kN)\n"},
        // q = 10: F1 = 341.61 kN ≤ J = 1272.43 kN; Avc = 2121.
        {"F newer", 1, 0, 1, 0, 1, 2000, 2000, 10,
         "      冲切力F1 =  341.61(kN) \n"
         "      板对柱的抗冲切能满足要求, 计算不需要配筋\n"
         "       板内需要构造箍筋总面积Av为：\n"
         "            0.2*Um*h0*ftd/fyd = 2121(mm^2)\n"},
        // Case E, X = 1700900: q = 120 gives F1 = 4039.09 kN > 1.05·ftd·X = 3402.23 kN
        // and > 0.9·ft·X = 1944.13 kN (each quotient by 1000 in single precision too).
        {"E newer thick", 1, 0, 1, 1, 1, 2000, 2000, 120,
         "      板的厚度不足，不能满足对柱的抗冲切最小厚度要求 ！\n"
         "      冲切力F1 =  4039.09(kN) > 1.05*ftd*Um*h0 = 3402.23(kN)\n"},
        {"E older thick", 0, 0, 1, 1, 1, 2000, 2000, 120,
         "      板的厚度不足，不能满足对柱的抗冲切最小厚度要求 ！\n"
         "      冲切力F1 =  4039.09(kN) > 0.90*ft*Um*h0 = 1944.13(kN)\n"},
        // q = 30: F1 = 1009.77 kN between 0.3·ft·X = 648.04 and 1944.13 kN,
        // Av/s = (F1 − 648043)·0.25/270/0.8/120·1000 = 3489.
        {"E older", 0, 0, 1, 1, 1, 2000, 2000, 30,
         "       冲切力F1 =  1009.77(kN) \n"
         "       柱每侧配置箍筋的数量Av/s为: 3489(mm^2/m)\n"},
        // Without stirrups, q = 100: F1 = 3365.91 kN > 0.6·ft·X = 1296.09 kN.
        {"E older bare", 0, 0, 1, 1, 0, 2000, 2000, 100,
         "      板对柱的抗冲切不能满足要求 ！\n"
         "      冲切力F1 =  3365.91(kN) > 0.60*ft*Um*h0 = 1296.09(kN)\n"},
        // Case A, older, no stirrups, q = 40: column F1 = (36e6 − 2330²)·0.04 = 1222.84 kN
        // ≤ 0.6·ft·4788900 = 3649.14 kN; cap F1 = (36e6 − 2730²)·0.04 = 1141.88 kN
        // ≤ 0.6·ft·3452900 = 2631.11 kN.
        {"A older bare", 0, 1, 1, 1, 0, 2000, 2000, 40,
         "      冲切力F1 =  1222.84(kN) \n"
         "       板对柱的抗冲切力为: 3649.14(kN) \n"
         "       冲切力F1 =  1141.88(kN) \n"
         "       板对柱帽的抗冲切力为: 2631.11(kN) \n"},
    };
    for (const auto& c : cases) {
        CHONGQIE_JS_STRUCT r;
        r.m_nCivilDefence = c.civil, r.m_nHasCap = c.hasCap, r.m_nCapDown = c.capDown, r.m_nSquareCol = c.square;
        r.m_nStirrup = c.stirrup, r.m_nCapB = c.capB, r.m_nCapH = c.capH, r.m_fLoad = c.load;
        EXPECT_EQ(Verdict(r), c.lines) << c.what;
    }
}

TEST(ChongQie, NewerRulesWithoutStirrupsCompareWithPointSevenBetaFtd) {
    kv::test::EditionGuard edition(2010);
    CHONGQIE_JS_STRUCT r = Civil();
    r.m_nStirrup = 0, r.m_nHasCap = 0;  // case E: X = 4·365·(800 + 1530)/2 = 1700900, F1 = 3365.91 kN
    // J = 0.7·1.0·1.905·1700900 = 2268.15 kN < F1.
    EXPECT_EQ(Verdict(r),
              "      板对柱的抗冲切不能满足要求 ！应考虑抗冲切配筋。\n"
              "      冲切力F1 =  3365.91(kN) > 0.7*βh*ftd*Um*h0 = 2268.15(kN)\n");
    r.m_fLoad = 50;  // F1 = 1682.95 kN
    EXPECT_EQ(Verdict(r),
              "      板对柱的抗冲切满足要求。\n"
              "      冲切力F1 =  1682.95(kN) \n"
              "      板对柱的抗冲切力为: 2268.15(kN) \n");
}

TEST(ChongQie, DynamicTensileStrengthFactorAndSteam) {
    // Case E without stirrups, J = 0.7·ftd·1700900 from the capacity line.
    kv::test::EditionGuard edition(2010);
    auto capacity = [](CHONGQIE_JS_STRUCT r) {
        r.m_nStirrup = 0, r.m_nHasCap = 0, r.m_fLoad = 1;
        std::string v = Verdict(r);
        return std::stof(v.substr(v.find("为: ") + std::string("为: ").size()));
    };
    CHONGQIE_JS_STRUCT r = Civil();
    r.m_nConGrade = 55;  // ft 1.96 (C55), factor 1.5
    EXPECT_NEAR(capacity(r), 0.7f * 1.96f * 1.5f * 1700900 / 1000, 0.01f);
    r.m_nConGrade = 60;  // ft 2.04, factor 1.4 from grade 60 on (no table holds C56..C59)
    EXPECT_NEAR(capacity(r), 0.7f * 2.04f * 1.4f * 1700900 / 1000, 0.01f);
    r.m_nSteam = 1;
    EXPECT_NEAR(capacity(r), 0.7f * 2.04f * 1.4f * 0.9f * 1700900 / 1000, 0.01f);
    // The older rules never look at steam.
    r.m_nCivilDefence = 0;
    EXPECT_EQ(Verdict(r), [&] { CHONGQIE_JS_STRUCT o = r; o.m_nSteam = 0; return Verdict(o); }());
}

TEST(ChongQie, GradeFiftyNineKeepsOnePointFiveAndSixtyTakesOnePointFour) {
    CHONGQIE_JS_STRUCT r;
    struct Case { int grade, steam; float ftd; } cases[] = {
        {59, 0, 1.5f}, {60, 0, 1.4f}, {59, 1, 1.5f * 0.9f}, {80, 1, 1.4f * 0.9f}};
    for (const auto& c : cases) {
        r.m_nConGrade = c.grade, r.m_nSteam = c.steam;
        EXPECT_FLOAT_EQ(chongqie_ftd(r, 2.0f), 2.0f * c.ftd) << c.grade << " steam " << c.steam;
    }
}

TEST(ChongQie, ReversedPanelOnlyWithACapAboveAndStirrups) {
    kv::test::EditionGuard edition(2010);
    CHONGQIE_JS_STRUCT r = Civil();
    r.m_nReversedPanel = 1;
    // Cap below: no note, 0.5 and 240 as ever.
    CHONGQIE_JS_STRUCT plain = r;
    plain.m_nReversedPanel = 0;
    EXPECT_EQ(Verdict(r), Verdict(plain));
    // Cap above without stirrups: no note either.
    r.m_nCapDown = 0, r.m_nStirrup = 0;
    EXPECT_EQ(Verdict(r).find("[注"), std::string::npos);
    // Case C (M–M, c = as: X = 4·565·1365 = 3084900) with stirrups, F1 ≤ 0.35·ftd·X: the
    // note after the no-stirrup line, then the constructive line with Avc = 0.2·ftd·X / 270.
    r.m_nStirrup = 1, r.m_fLoad = 10;
    auto k = chongqie_checks(r, true).at(0);
    EXPECT_FLOAT_EQ(k.X, 3084900.0f);
    EXPECT_EQ(Verdict(r),
              sprintf_gbk("      冲切力F1 = % .2f(kN) \n", k.F1 / 1000) +
                  "      板对柱的抗冲切能满足要求, 计算不需要配筋\n"
                  "          [注：按反托板,根据人民防空工程设计规范GB50225-2005计算]\n" +
                  sprintf_gbk("      板内需要构造箍筋总面积Av为：0.2*Um*h0*ftd/fyd = %.0f(mm^2)\n",
                              0.2f * 1.905f * 3084900.0f / 270.0f));
}

TEST(ChongQie, OlderRulesIgnoreTheCivilDefenceInputs) {
    kv::test::EditionGuard edition(2002);
    // Defaults by the older rules: K = 0.3·1.27·X, L = 0.9·1.27·X. Column: F1 = 3057.11 >
    // K = 1824.57, Av/s = (3057110 − 1824571)·0.25/210/0.8/120·1000 = 15284; the cap:
    // K = 0.3·1.27·3452900, Av/s = (2854710 − 1315555)·0.25/210/0.8/120·1000 = 19087.
    CHONGQIE_JS_STRUCT r;
    const std::string plain = Verdict(r);
    EXPECT_EQ(plain,
              "      冲切力F1 =  3057.11(kN) \n"
              "      柱每侧配置箍筋的数量Av/s为: 15284(mm^2/m)\n"
              "       冲切力F1 =  2854.71(kN) \n"
              "       柱帽每侧配置箍筋的数量Av/s为: 19087(mm^2/m)\n");
    r.m_nSteam = 1, r.m_nReversedPanel = 1, r.m_nSlabThick = 400;
    EXPECT_EQ(Verdict(r), plain);
}

TEST(ChongQie, UnknownStirrupGradeIsToldOnceAndTakesTheFallbackStrength) {
    kv::test::EditionGuard edition(2002);
    CHONGQIE_JS_STRUCT r;
    r.m_nStirrupGrade = 99;
    kv::test::ErrorLines lines;
    std::string older = Verdict(r);
    int told = 0;
    for (const auto& l : lines.lines) told += l.code == 210 && l.text == "Reinforce property error in PJ!";
    EXPECT_EQ(told, 1);
    // Older rules: fy 310 in place of 210.
    EXPECT_NE(older.find(sprintf_gbk("%.0f", (3057110.0f - 0.3f * 1.27f * 4788900.0f) * 0.25f / 310 / 0.8f / 120 * 1000)),
              std::string::npos)
        << older;
    // Transverse steel: 240, no grade factor.
    kv::test::WorkFolder work;
    chongqie_transverse_steel(r);
    EXPECT_NE(kv::platform::GbkToUtf8Lossy(work.Read("Message.Box")).find("：15000(mm^2)"), std::string::npos);
}

TEST(ChongQie, TransverseSteelOfAReversedDropPanel) {
    // F = 6·6·100 = 3600 kN; fy·factor: grade 1 HPB300 270·1.5, 2 HRB335 300·1.35, 3 HRB400 and 4 RRB400 360·1.2,
    // 5 HRB500 435·1.0.
    kv::test::EditionGuard edition(2010);
    struct Case { int grade; float fyd; } cases[] = {
        {1, 270 * 1.5f}, {2, 300 * 1.35f}, {3, 360 * 1.2f}, {4, 360 * 1.2f}, {5, 435}};
    for (const auto& c : cases) {
        CHONGQIE_JS_STRUCT r;
        r.m_nStirrupGrade = c.grade;
        kv::test::WorkFolder work;
        chongqie_transverse_steel(r);
        EXPECT_EQ(kv::platform::GbkToUtf8Lossy(work.Read("Message.Box")),
                  "      柱底轴力F =  3600.00(kN) \n"
                  "      根据人民防空工程设计规范GB50225-2005\n" +
                      sprintf_gbk("          反托板所需横向钢筋配筋量为：%.0f(mm^2)\n", 3600.0f * 1000 / c.fyd))
            << c.grade;
    }
}

// ---- the reports ------------------------------------------------------------

TEST(ChongQie, ReportsMatchTheirGoldenText) {
    kv::test::EditionGuard edition(2010);
    struct Case { const char* golden; int civil, round, panel; } cases[] = {
        {"defaults-older.OUT", 0, 0, 0},
        {"defaults-newer.OUT", 1, 0, 0},
        {"round-cap-above-older.OUT", 0, 1, 1},
        {"round-cap-above-newer.OUT", 1, 1, 0},
        {"round-cap-above-panel-newer.OUT", 1, 1, 1},
    };
    for (const auto& c : cases) {
        CHONGQIE_JS_STRUCT r;
        r.m_nCivilDefence = c.civil;
        if (c.round) r.m_nSquareCol = 0, r.m_nCapDown = 0, r.m_nSteam = 1;
        r.m_nReversedPanel = c.panel;
        EXPECT_EQ(Report(r), ReadGolden(c.golden)) << c.golden;
    }
}

// ---- the punching line ------------------------------------------------------

TEST(ChongQieLine, DefaultLineIsByteExactAndReadsBack) {
    kv::test::WorkFolder work;
    CHONGQIE_JS_STRUCT r;
    std::FILE* fp = open_file((work / "A.KCQ").c_str(), "wt");
    r.WriteLine(fp);
    commit_file(fp);
    EXPECT_EQ(work.Read("A.KCQ"), kChongQieDefaultLine);

    CHONGQIE_JS_STRUCT odd = r;
    odd.m_nCivilDefence = 1;
    odd.m_fLoad = 12.5f, odd.m_fAs = 40.25f, odd.m_nSquareCol = 0, odd.m_nReversedPanel = 1, odd.m_nCapThick = 333;
    fp = open_file((work / "B.KCQ").c_str(), "wt");
    odd.WriteLine(fp);
    commit_file(fp);
    CHONGQIE_JS_STRUCT back;
    back.m_nCivilDefence = 7;
    fp = open_file((work / "B.KCQ").c_str(), "rt");
    EXPECT_EQ(back.ReadLine(fp), 1);
    close_file(fp);
    EXPECT_EQ(back.m_nCivilDefence, 7);  // never read
    back.m_nCivilDefence = odd.m_nCivilDefence;
    EXPECT_EQ(std::memcmp(&back, &odd, sizeof back), 0);
}

TEST(ChongQieLine, AShortLineChangesOnlyTheFieldsItHolds) {
    kv::test::WorkFolder work;
    work.Write("C.KCQ", "// a comment\n1,2,150,30,7000,7100,450,80.5,40,900,\n");
    CHONGQIE_JS_STRUCT r;
    std::FILE* fp = open_file((work / "C.KCQ").c_str(), "rt");
    r.ReadLine(fp);
    close_file(fp);
    EXPECT_EQ(r.m_nSteam, 1);
    EXPECT_EQ(r.m_nSlabLength, 7100);
    EXPECT_FLOAT_EQ(r.m_fLoad, 80.5f);
    EXPECT_EQ(r.m_nColB, 900);
    EXPECT_EQ(r.m_nColD, 800);  // the line ended before it
    EXPECT_EQ(r.m_nReversedPanel, 0);

    // Fifteen values change fields 1..15 and no other.
    std::string fifteen = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15\n";
    work.Write("D.KCQ", fifteen);
    CHONGQIE_JS_STRUCT s, before;
    fp = open_file((work / "D.KCQ").c_str(), "rt");
    s.ReadLine(fp);
    close_file(fp);
    const int* si = reinterpret_cast<const int*>(&s);
    const int* bi = reinterpret_cast<const int*>(&before);
    int changed = 0;
    for (int i = 0; i < 22; ++i) changed += si[i] != bi[i];
    EXPECT_EQ(changed, 15);
    EXPECT_EQ(s.m_nCapH, 15);
    EXPECT_EQ(s.m_nCapThick, before.m_nCapThick);
}

// ---- the sketch -------------------------------------------------------------

struct Rect {
    float w, h, cx, cy;
};

// Closed four-corner shapes and the circles a sketch drew.
std::vector<Rect> Rects(const CBase_SGT& d) {
    std::vector<Rect> out;
    for (const Entity& e : d.Entities()) {
        std::vector<std::pair<float, float>> p;
        if (e.kind == EntityKind::Polyline && e.closed && e.vertices.size() == 4)
            for (const auto& v : e.vertices) p.push_back({static_cast<float>(v.x), static_cast<float>(v.y)});
        if (p.size() != 4) continue;
        float x0 = p[0].first, x1 = x0, y0 = p[0].second, y1 = y0;
        for (auto [x, y] : p) x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
        out.push_back({x1 - x0, y1 - y0, (x0 + x1) / 2, (y0 + y1) / 2});
    }
    return out;
}

bool HasRect(const std::vector<Rect>& rects, Rect want) {
    for (const auto& r : rects)
        if (std::fabs(r.w - want.w) < 0.5f && std::fabs(r.h - want.h) < 0.5f && std::fabs(r.cx - want.cx) < 0.5f &&
            std::fabs(r.cy - want.cy) < 0.5f)
            return true;
    return false;
}

std::vector<std::string> Texts(const CBase_SGT& d) {
    std::vector<std::string> out;
    for (const Entity& e : d.Entities())
        if (e.kind == EntityKind::Text) out.push_back(e.text);
    return out;
}

TEST(ChongQieSketch, PlanAndElevationOfTheDefaults) {
    CBase_SGT d;
    d.New_MemDxf();
    CHONGQIE_JS_STRUCT r;
    r.m_nSlabLength = 7000;  // Lh across, Lb = 6000 up
    r.DrawJianTu(&d);
    auto rects = Rects(d);
    EXPECT_TRUE(HasRect(rects, {7000, 6000, 0, 0}));  // the slab unit
    EXPECT_TRUE(HasRect(rects, {2000, 2000, 0, 0}));  // cap
    EXPECT_TRUE(HasRect(rects, {800, 800, 0, 0}));    // column
    // Elevation at x = 8400: slab 2600..3000, cap 2200..2600, column Lb − h − tc = 5200 high at f = −400.
    EXPECT_TRUE(HasRect(rects, {7000, 400, 8400, 2800}));
    EXPECT_TRUE(HasRect(rects, {2000, 400, 8400, 2400}));
    EXPECT_TRUE(HasRect(rects, {800, 5200, 8400, -400}));
    auto texts = Texts(d);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "7000"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "6000"), texts.end());
    for (const Entity& e : d.Entities()) {
        if (e.kind == EntityKind::Polyline && e.closed) {
            EXPECT_EQ(e.color, 3);
        }
    }
}

TEST(ChongQieSketch, RoundColumnWithACapAboveDrawsCirclesAndTheCapOnTop) {
    CBase_SGT d;
    d.New_MemDxf();
    CHONGQIE_JS_STRUCT r;
    r.m_nSquareCol = 0, r.m_nCapDown = 0, r.m_nColD = 600, r.m_nCapD = 1800;
    r.DrawJianTu(&d);
    std::vector<float> radii;
    for (const Entity& e : d.Entities())
        if (e.kind == EntityKind::Circle) radii.push_back(static_cast<float>(e.radius));
    ASSERT_EQ(radii.size(), 2u);
    EXPECT_FLOAT_EQ(radii[0], 900.0f);
    EXPECT_FLOAT_EQ(radii[1], 300.0f);
    auto rects = Rects(d);
    // Cap above: cap 2600..3000, slab 2200..2600.
    EXPECT_TRUE(HasRect(rects, {1800, 400, 7200, 2800}));
    EXPECT_TRUE(HasRect(rects, {6000, 400, 7200, 2400}));
    EXPECT_TRUE(HasRect(rects, {600, 5200, 7200, -400}));
}

TEST(ChongQieSketch, WithoutACapTheColumnRunsUpToTheSlab) {
    CBase_SGT d;
    d.New_MemDxf();
    CHONGQIE_JS_STRUCT r;
    r.m_nHasCap = 0;
    r.DrawElevation(&d, 0, 0);
    auto rects = Rects(d);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_TRUE(HasRect(rects, {800, 5600, 0, -200}));  // f = −(3000 − 2800)
}

TEST(ChongQieSketch, ReadsBackThroughEzdxf) {
    const std::string python = kv::test::PythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "python3-ezdxf not installed";
    kv::test::WorkFolder work;
    for (int square = 0; square < 2; ++square) {
        CBase_SGT d;
        d.New_MemDxf();
        CHONGQIE_JS_STRUCT r;
        r.m_nSquareCol = square;
        r.DrawJianTu(&d);
        const std::string path = work / ("CQ" + std::to_string(square) + ".DXF");
        ASSERT_EQ(d.Write_MemDxf_To_File(path.c_str()), 1);
        EXPECT_TRUE(kv::test::EzdxfRecoverPasses(python, path)) << path;
    }
}

}  // namespace

// Crack width, stiffness and deflection of a section: one case of each worked by
// hand, and the rules at their edges shown by pairs of sections that must agree
// or differ.
#include "fem/lf_nd.h"
#include "fem_test_support.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <string>

namespace {

using kv::test::FemFolder;

// 250 x 500 rectangle, C30 (ftk 2.01, Ec 3.0e4), one layer of 4 Φ20 (1256 mm²)
// under a 25 mm cover, deformed bars (ν 0.7), fyk 335, span 6 m.
cross Beam() {
    cross s{};
    s.type = 1;
    s.h = 500;
    s.b = 250;
    s.hf = 0;
    s.bf = 250;
    s.ftk = 2.01f;
    s.Ec = 3.0e4f;
    s.c = 25;
    s.d = 20;
    s.Es = 2.0e5f;
    s.fyk = 335;
    s.nu = 0.7f;
    s.As = 1256;
    s.Asp = 0;
    s.layers = 1;
    s.l0 = 6000;
    return s;
}

TEST(CrackWidth, RecordIsSixteenFieldsInTheirOrder) {
    EXPECT_EQ(offsetof(cross, type), 0u);
    EXPECT_EQ(offsetof(cross, c), 28u);
    EXPECT_EQ(offsetof(cross, As), 48u);
    EXPECT_EQ(offsetof(cross, layers), 56u);
    EXPECT_EQ(offsetof(cross, l0), 60u);
}

TEST(CrackWidth, BendingWidthStiffnessAndDeflectionWorkedByHand) {
    FemFolder folder;
    LF_ND lf;
    cross s = Beam();
    // a_s = 25 + 20/2 = 35, h0 = 465.
    // σs = M/(0.87·As·h0) = 150e6/(0.87·1256·465) = 295.209 N/mm²
    // ρte = As/(0.5·b·h) = 1256/62500 = 0.020096
    // ψ = 1.1 - 0.65·2.01/(0.020096·295.209) = 0.879773
    // w = 2.1·σs·ψ/Es·(2.7·25 + 0.1·20/ρte)·ν
    //   = 2.1·295.209·0.879773/2e5·(67.5 + 99.522)·0.7 = 0.31883 mm
    EXPECT_NEAR(lf.crack_cal(0, 150e6f, 3, &s), 0.31883, 0.31883 * 1e-4);
    // ρ = 1256/(250·465) = 0.0108043, αE = 2e5/3e4 = 6.667
    // Bs = Es·As·h0²/(1.15ψ + 0.2 + 6·αE·ρ) = 2e5·1256·465²/1.643911 = 3.30405e13
    EXPECT_NEAR(lf.dqgd(150e6f, &s), 3.30405e13, 3.30405e13 * 1e-4);
    // θ = 2.0 (no compression steel); B = Bs·Mk/(Mq·(θ - 1) + Mk) = Bs·150/270
    EXPECT_NEAR(lf.cqgd(150e6f, 120e6f, &s), 1.83559e13, 1.83559e13 * 1e-4);
    // Simple span: f = 5/48·Mk·l0²/B = 5/48·150e6·6000²/1.83559e13 = 30.644 mm
    EXPECT_NEAR(lf.naodu_cal(150e6f, 120e6f, 0, 1, &s), 30.644, 30.644 * 1e-4);
    EXPECT_EQ(lf.if_CJCX(), 0);
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

TEST(CrackWidth, SupportCasesScaleTheSimpleSpanByTheirFactors) {
    FemFolder folder;
    LF_ND lf;
    cross s = Beam();
    const float simple = lf.naodu_cal(150e6f, 120e6f, 0, 1, &s);
    EXPECT_NEAR(lf.naodu_cal(150e6f, 120e6f, 0, 2, &s), simple * 48 / 5 / 16, simple * 1e-5);
    EXPECT_NEAR(lf.naodu_cal(150e6f, 120e6f, 0, 3, &s), simple * 48 / 5 * 0.077084, simple * 1e-5);
    EXPECT_NEAR(lf.naodu_cal(150e6f, 120e6f, 0, 4, &s), simple * 48 / 5 / 4, simple * 1e-5);
    // An end moment M2 = Mk adds 1/8 against 5/48.
    EXPECT_NEAR(lf.naodu_cal(150e6f, 120e6f, -150e6f, 5, &s), simple * (1 + 48.0 / 40), simple * 1e-5);
}

TEST(CrackWidth, TooLittleSteelOrNoActionGivesNoWidth) {
    FemFolder folder;
    LF_ND lf;
    cross s = Beam();
    s.As = 0.5f;
    EXPECT_EQ(lf.crack_cal(0, 150e6f, 3, &s), 0.0f);
    s = Beam();
    EXPECT_EQ(lf.crack_cal(0, 0.5f, 3, &s), 0.0f);
    EXPECT_EQ(lf.crack_cal(0.5f, 150e6f, 4, &s), 0.0f);
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

TEST(CrackWidth, CoverBelowTwentyCountsAsTwenty) {
    FemFolder folder;
    LF_ND lf;
    // Axial tension: the cover enters the width only (σs = N/As, Ate = b·h).
    cross s = Beam();
    s.c = 15;
    const float w15 = lf.crack_cal(400e3f, 0, 1, &s);
    s.c = 20;
    EXPECT_FLOAT_EQ(w15, lf.crack_cal(400e3f, 0, 1, &s));
    s.c = 25;
    EXPECT_GT(lf.crack_cal(400e3f, 0, 1, &s), w15 * 1.01f);
}

TEST(CrackWidth, EffectiveSteelRatioHasAFloorOfOnePercent) {
    FemFolder folder;
    LF_ND lf;
    // Axial tension on b·h: 1256/(250·600) and 1256/(250·1000) are both below
    // 0.01. σs = 300e3/1256 = 238.85, ψ = 1.1 - 0.65·2.01/(0.01·238.85) = 0.55301,
    // w = 2.7·238.85·0.55301/2e5·(2.7·25 + 0.1·20/0.01)·0.7 = 0.33390 mm for both.
    cross s = Beam();
    s.h = 600;
    EXPECT_NEAR(lf.crack_cal(300e3f, 0, 1, &s), 0.33390, 0.33390 * 1e-4);
    s.h = 1000;
    EXPECT_NEAR(lf.crack_cal(300e3f, 0, 1, &s), 0.33390, 0.33390 * 1e-4);
}

TEST(CrackWidth, StrainFactorIsHeldBetweenPointFourAndOne) {
    FemFolder folder;
    LF_ND lf;
    struct Case {
        float N, ftk_a, ftk_b;
    } cases[] = {
        // Low stress: ψ = 1.1 - 0.65·ftk/(ρte·σs) far below 0.4 for both.
        {30e3f, 2.0f, 2.5f},
        // No tensile strength, and a very small one: ψ 1.1 and 1.0999 both 1.0.
        {300e3f, 0.0f, 0.001f},
    };
    for (const Case& c : cases) {
        cross s = Beam();
        s.ftk = c.ftk_a;
        const float a = lf.crack_cal(c.N, 0, 1, &s);
        s.ftk = c.ftk_b;
        EXPECT_FLOAT_EQ(lf.crack_cal(c.N, 0, 1, &s), a) << c.N;
        EXPECT_GT(a, 0.0f);
    }
    // ψ = 0.4 and 1.0 exactly: w = 2.7·σs·ψ/Es·(2.7·25 + 0.1·20/0.01)·ν with
    // σs = N/As (ρte = 1256/125000 = 0.010048).
    cross s = Beam();
    const double sigma = 300e3 / 1256.0, rho = 1256.0 / 125000.0;
    s.ftk = 0.0f;
    EXPECT_NEAR(lf.crack_cal(300e3f, 0, 1, &s), 2.7 * sigma / 2e5 * (67.5 + 2.0 / rho) * 0.7, 1e-6);
    s.ftk = 2.5f;
    EXPECT_NEAR(lf.crack_cal(30e3f, 0, 1, &s), 2.7 * (30e3 / 1256.0) * 0.4 / 2e5 * (67.5 + 2.0 / rho) * 0.7, 1e-7);
}

TEST(CrackWidth, EachFurtherLayerLowersTheSteelByTwentyFiveMillimetres) {
    FemFolder folder;
    LF_ND lf;
    for (int layers : {2, 3}) {
        cross deep = Beam();
        deep.layers = layers;
        cross covered = Beam();
        covered.c += 25.0f * (layers - 1);
        EXPECT_FLOAT_EQ(lf.dqgd(150e6f, &deep), lf.dqgd(150e6f, &covered)) << layers;
    }
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

TEST(CrackWidth, LongTermFactorFollowsTheCompressionSteelAndATensionFlange) {
    FemFolder folder;
    LF_ND lf;
    // With Mq = Mk, B = Bs/θ.
    struct Case {
        int type;
        float Asp;
        double theta;
    } cases[] = {{1, 0, 2.0}, {1, 1256, 1.6}, {1, 628, 1.8}, {1, 2000, 1.6}, {3, 0, 2.4}};
    for (const Case& c : cases) {
        cross s = Beam();
        s.type = c.type;
        s.bf = 800;
        s.hf = 120;
        s.Asp = c.Asp;
        EXPECT_NEAR(lf.cqgd(150e6f, 150e6f, &s), lf.dqgd(150e6f, &s) / c.theta, lf.dqgd(150e6f, &s) * 1e-6)
            << c.type << " " << c.Asp;
    }
    cross none = Beam();
    none.As = 0;
    EXPECT_EQ(lf.cqgd(150e6f, 150e6f, &none), 0.0f);
}

TEST(CrackWidth, SlendernessFactorAppliesOnlyAboveFourteen) {
    FemFolder folder;
    LF_ND lf;
    // Eccentric compression, e0 = 400 mm (e0/h0 > 0.55).
    cross s = Beam();
    s.l0 = 0;
    const float stocky = lf.crack_cal(-500e3f, 200e6f, 4, &s);
    s.l0 = 14 * s.h;
    EXPECT_FLOAT_EQ(lf.crack_cal(-500e3f, 200e6f, 4, &s), stocky);
    s.l0 = 15 * s.h;
    EXPECT_GT(lf.crack_cal(-500e3f, 200e6f, 4, &s), stocky * 1.001f);
    EXPECT_FALSE(folder.Told(0, "e0/h0 <= 0.55,not cal\n"));
    // A small eccentricity is noted and computed all the same.
    EXPECT_GT(lf.crack_cal(-2000e3f, 200e6f, 4, &s), 0.0f);
    EXPECT_TRUE(folder.Told(0, "e0/h0 <= 0.55,not cal\n"));
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

// No moment at all: a slender member in pure compression and a span without
// load give numbers, not NaN.
TEST(CrackWidth, SectionsWithoutMomentGiveFiniteValues) {
    FemFolder folder;
    LF_ND lf;
    cross s = Beam();
    s.l0 = 16 * s.h;
    // η·e0 = 0.00025·h0·(l0/h)² = 0.00025·465·256 = 29.76 when e0 = 0; e = 29.76 + 250 - 35
    // = 244.76; z = (0.87 - 0.12·(465/244.76)²)·465 = 203.150, z/(e - z) = 4.88226;
    // σs = 1e5/(4.88226·1256) = 16.3076; ψ = 1.1 - 0.65·2.01/(0.020096·16.3076) -> 0.4;
    // w = 2.1·16.3076·0.4/2e5·(67.5 + 99.522)·0.7 = 0.0080078 mm
    EXPECT_NEAR(lf.crack_cal(-1e5f, 0, 4, &s), 0.0080078, 0.0080078 * 1e-4);
    // Neither a characteristic nor a quasi-permanent moment: the short-term
    // stiffness stands, and the deflection is 0.
    EXPECT_FLOAT_EQ(lf.cqgd(0, 0, &s), lf.dqgd(0, &s));
    EXPECT_EQ(lf.naodu_cal(0, 0, 0, 1, &s), 0.0f);
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

std::string Printed(LF_ND& lf) {
    std::FILE* f = std::tmpfile();
    lf.Out_Message(f);
    std::string text(static_cast<std::size_t>(std::ftell(f)), '\0');
    std::rewind(f);
    text.resize(std::fread(text.data(), 1, text.size(), f));
    std::fclose(f);
    return text;
}

TEST(CrackWidth, YieldIsFlaggedByTheCallThatFindsItAndClearedByTheNext) {
    FemFolder folder;
    LF_ND lf;
    cross s = Beam();
    // σs = 200e6/(0.87·1256·465) = 393.61 ≥ 335.
    EXPECT_GT(lf.crack_cal(0, 200e6f, 3, &s), 0.0f);
    EXPECT_EQ(lf.if_CJCX(), 1);
    EXPECT_TRUE(folder.Told(0, "钢筋屈服 !"));
    EXPECT_EQ(Printed(lf), "Stress = 393.61(N/mm*mm) > fyk = 335.00 (N/mm*mm)\n");
    EXPECT_EQ(JS_ERROR_CODE, 0);

    LF_ND copy(lf);
    EXPECT_EQ(copy.if_CJCX(), 1);

    EXPECT_GT(lf.crack_cal(0, 100e6f, 3, &s), 0.0f);
    EXPECT_EQ(lf.if_CJCX(), 0);
    EXPECT_EQ(Printed(lf), "");
    EXPECT_EQ(copy.if_CJCX(), 1);
    copy = lf;
    EXPECT_EQ(copy.if_CJCX(), 0);
}

TEST(CrackWidth, NewObjectRegistersTheSharedReportVariablesEmpty) {
    LF_ND lf;
    for (const char* name : {"Wan.bChaoJinShang", "Wan.bChaoJinXia", "Wan.bGouZaoShang", "Wan.bGouZaoXia",
                             "Wan.RTF.AsShang", "Wan.RTF.AsXia"}) {
        EXPECT_TRUE(lf.m_VarIn.Has(name)) << name;
        EXPECT_EQ(lf.GetVar(name), "") << name;
    }
    EXPECT_EQ(lf.m_VarIn.Count(), 6u);
    EXPECT_EQ(lf.if_CJCX(), 0);
    EXPECT_EQ(lf.if_GZPJ(), 0);
}

TEST(CrackWidth, StateSupportLayersAndTensionWithoutForceAreRefused) {
    struct Case {
        const char* what;
        float (*call)(LF_ND&, cross&);
        const char* message;
    } cases[] = {
        {"state 0", [](LF_ND& l, cross& s) { return l.crack_cal(100e3f, 100e6f, 0, &s); }, "裂缝计算时状态错误 !"},
        {"state 5", [](LF_ND& l, cross& s) { return l.crack_cal(100e3f, 100e6f, 5, &s); }, "裂缝计算时状态错误 !"},
        {"support 0", [](LF_ND& l, cross& s) { return l.naodu_cal(100e6f, 80e6f, 0, 0, &s); }, "支撑条件错误 !"},
        {"support 6", [](LF_ND& l, cross& s) { return l.naodu_cal(100e6f, 80e6f, 0, 6, &s); }, "支撑条件错误 !"},
        {"tension, N = 0", [](LF_ND& l, cross& s) { return l.crack_cal(0, 100e6f, 2, &s); }, "偏心受拉时轴力为零 !"},
        {"0 layers, width", [](LF_ND& l, cross& s) { s.layers = 0; return l.crack_cal(0, 100e6f, 3, &s); },
         "受拉钢筋层数错误 (应为 1 ~ 3) !"},
        {"4 layers, Bs", [](LF_ND& l, cross& s) { s.layers = 4; return l.dqgd(100e6f, &s); },
         "受拉钢筋层数错误 (应为 1 ~ 3) !"},
        {"4 layers, B", [](LF_ND& l, cross& s) { s.layers = 4; return l.cqgd(100e6f, 80e6f, &s); },
         "受拉钢筋层数错误 (应为 1 ~ 3) !"},
        {"0 layers, deflection", [](LF_ND& l, cross& s) { s.layers = 0; return l.naodu_cal(100e6f, 80e6f, 0, 1, &s); },
         "受拉钢筋层数错误 (应为 1 ~ 3) !"},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        LF_ND lf;
        cross s = Beam();
        EXPECT_EQ(c.call(lf, s), 0.0f) << c.what;
        EXPECT_EQ(JS_ERROR_CODE, 201) << c.what;
        EXPECT_TRUE(folder.Told(201, c.message)) << c.what;
        EXPECT_EQ(folder.lines.size(), 1u) << c.what;
    }
}

TEST(CrackWidth, EccentricTensionAndCompressionFollowTheirSteelStress) {
    FemFolder folder;
    LF_ND lf;
    cross s = Beam();
    // Tension N = 200 kN at e0 = 100 mm: e = 100 + 250 - 35 = 315,
    // σs = N·e/((h0 - a_s)·As) = 200e3·315/(430·1256) = 116.65; ρte = 0.020096;
    // ψ = 1.1 - 0.65·2.01/(0.020096·116.65) = 0.54267;
    // w = 2.4·116.65·0.54266/2e5·167.022·0.7 = 0.08881 mm.
    EXPECT_NEAR(lf.crack_cal(200e3f, 20e6f, 2, &s), 0.08881, 0.08881 * 2e-4);
    // Compression N = 500 kN at e0 = 400 mm, l0/h = 12: e = 400 + 215 = 615,
    // z = (0.87 - 0.12·(465/615)²)·465 = 372.65, σs = N·(e - z)/(As·z)
    //   = 500e3·242.35/(1256·372.65) = 258.89; ψ = 1.1 - 0.65·2.01/(0.020096·258.89) = 0.84888;
    // w = 2.1·258.89·0.84888/2e5·167.022·0.7 = 0.26979 mm.
    EXPECT_NEAR(lf.crack_cal(-500e3f, 200e6f, 4, &s), 0.26979, 0.26979 * 2e-4);
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

}  // namespace

// Beam and strip design against hand-worked examples (C30: fc 14.3, ft 1.43,
// ftk 2.01; HRB400: fy 360, Es 2.0e5; HPB300: fy 270; GB 50010-2010 unless noted).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "design/pj_beam.h"
#include "pj_test_support.h"

namespace {

// A static (non-blast) beam object for the textbook cases.
PJ_BEAM_KV StaticBeam(int con, int bar, int stirrup, int as_t, int as_c) {
    PJ_BEAM_KV beam;
    beam.dynamic = 0;
    beam.Ini_Liang(con, bar, stirrup, 0, as_t, as_c, 0, 500.0f, 6.0f, 1.0f, 0, 0, 1.0f, 1, 1.0f, 1.0f, 1.0f, 1.0f);
    return beam;
}

std::string Written(PJ_BEAM_KV& beam, void (PJ_BEAM_KV::*out)(std::FILE*)) {
    char buffer[1024] = {0};
    std::FILE* fp = fmemopen(buffer, sizeof buffer - 1, "w");
    (beam.*out)(fp);
    std::fclose(fp);
    return buffer;
}

}  // namespace

TEST(PjBeamFlexure, RectangularSectionsMatchHandWorkedAreas) {
    EditionGuard edition(2010);
    struct Case {
        const char* what;
        float M;
        bool doubly;
        float As, As1, xi;
    };
    // b 250, h 500, as = as' = 35, h0 465, ξb = 0.8/(1 + 360/(2e5·0.0033)) = 0.51765.
    const Case cases[] = {
        // αs = 150e6/(14.3·250·465²) = 0.19405, ξ = 1 - sqrt(1 - 2αs) = 0.21776,
        // As = 14.3·250·0.21776·465/360 = 1005.5.
        {"single", 150e6f, false, 1005.5f, 0.0f, 0.21776f},
        // Bent_SJ below ξb is the same design.
        {"double below xi_b", 150e6f, true, 1005.5f, 0.0f, 0.21776f},
        // M 350: ξ > ξb; As' = (350e6 - 14.3·250·465²·0.51765·(1 - 0.25882))/(360·430)
        // = 345.1, As = (14.3·250·0.51765·465 + 360·345.1)/360 = 2735.5.
        {"double above xi_b", 350e6f, true, 2735.5f, 345.1f, 0.51765f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PJ_BEAM_KV beam = StaticBeam(30, 3, 1, 35, 35);
        beam.set_value(c.M, 0, 0, 250, 500, 1, 1.2f, 0);
        if (c.doubly) beam.Bent_SJ();
        else beam.Bent_DJ();
        EXPECT_EQ(beam.if_CJCX(), 0);
        EXPECT_AREA(beam.As, c.As);
        EXPECT_NEAR(beam.As1, c.As1, 0.005 * c.As1 + 0.5);
        EXPECT_NEAR(std::stof(beam.GetVar("Wan.Ksai")), c.xi, 1e-3);
    }
}

TEST(PjBeamFlexure, SingleReinforcementBeyondXiBIsFlaggedOverReinforced) {
    EditionGuard edition(2010);
    PJ_BEAM_KV beam = StaticBeam(30, 3, 1, 35, 35);
    beam.set_value(350e6f, 0, 0, 250, 500, 1, 1.2f, 0);
    beam.Bent_DJ();
    EXPECT_EQ(beam.if_CJCX(), 1);
    EXPECT_EQ(beam.flag[0], 1);
    EXPECT_EQ(beam.As, -1.0f);
    EXPECT_NE(Written(beam, &PJ_BEAM_KV::Out_CJCX).find("ξ > ξb"), std::string::npos);
}

TEST(PjBeamFlexure, DoublyReinforcedSectionAboveTheRatioLimitIsFlagged) {
    EditionGuard edition(2010);
    PJ_BEAM_KV beam = StaticBeam(30, 3, 1, 35, 35);
    // 600 kN·m on 250×500 needs As ≈ 4.9 % of b·h0, above the 2.5 % limit.
    beam.set_value(600e6f, 0, 0, 250, 500, 1, 1.2f, 0);
    beam.Bent_SJ();
    EXPECT_EQ(beam.if_CJCX(), 1);
    EXPECT_LT(beam.As, 0.0f);
}

TEST(PjBeamFlexure, BlastLoadedStripUsesDynamicStrengthsAndBothFaceMinima) {
    EditionGuard edition(2010);
    struct Case {
        const char* what;
        int steam;
        float M;
        float As;
        int gzpj;
    };
    // Strip 1000 × 250, as 30, h0 220; fcd = 1.5·14.3 = 21.45 (steam: ×0.9 → 19.305),
    // fyd = 1.2·360 = 432. Minimum 0.25 % of 1000·250 = 625 on both faces.
    const Case cases[] = {
        // αs = 100e6/(21.45·1000·220²) = 0.096322, ξ = 0.101471,
        // As = 21.45·1000·0.101471·220/432 = 1108.4.
        {"plain", 0, 100e6f, 1108.4f, 0},
        // fcd 19.305: ξ = 0.113462, As = 19.305·1000·0.113462·220/432 = 1115.5.
        {"steam cured", 1, 100e6f, 1115.5f, 0},
        // 20 kN·m needs about 212 mm²: the 625 minimum governs.
        {"minimum governs", 0, 20e6f, 625.0f, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PJ_BEAM_KV slab;
        slab.Ini_QiangBan(30, 3, 1, 0, 30, 30, 0, 1.0f, c.steam, 0, 1.0f, 1, 1.0f, 1.0f, 1.0f, 1.0f);
        EXPECT_NEAR(slab.fc, c.steam ? 19.305f : 21.45f, 1e-3);
        EXPECT_NEAR(slab.fy, 432.0f, 1e-3);
        slab.set_value(c.M, 0, 0, 1000.0f, 250.0f, 1, 1.2f, 0);
        slab.Bent_SJ();
        EXPECT_EQ(slab.if_CJCX(), 0);
        EXPECT_AREA(slab.As, c.As);
        EXPECT_AREA(slab.As1, 625.0f);
        EXPECT_EQ(slab.if_GZPJ(), c.gzpj);
        EXPECT_EQ(Written(slab, &PJ_BEAM_KV::Out_GZPJ).find("最小配筋率") != std::string::npos, c.gzpj == 1);
    }
}

TEST(PjBeamFlexure, BlastLoadedBeamWarnsAboveOnePointFivePercentTensionSteel) {
    EditionGuard edition(2010);
    // 250 × 500, as 35, blast strengths fcd 21.45, fyd 432 (ξb = 0.8/(1 + 432/660) = 0.48352).
    // M 300: αs = 300e6/(21.45·250·465²) = 0.25873, ξ = 0.30535,
    // As = 21.45·250·0.30535·465/432 = 1762.5 = 1.516 % of b·h0: warned, not failed.
    // M 280: ξ = 0.28095, As = 1621.7 = 1.395 %: no warning.
    struct Case {
        float M, As;
        int warned;
    };
    for (const Case& c : {Case{300e6f, 1762.5f, 1}, Case{280e6f, 1621.7f, 0}}) {
        PJ_BEAM_KV beam;
        beam.Ini_Liang(30, 3, 1, 0, 35, 35, 0, 500, 6, 0.8f, 0, 0, 1, 1, 1, 1, 1, 1);
        beam.set_value(c.M, 0, 0, 250, 500, 1, 1.2f, 0);
        beam.Bent_DJ();
        EXPECT_EQ(beam.if_CJCX(), 0);
        EXPECT_AREA(beam.As, c.As);
        EXPECT_EQ(beam.flag[1], c.warned);
        EXPECT_EQ(Written(beam, &PJ_BEAM_KV::Out_CJCX).find("1.5%") != std::string::npos, c.warned == 1);
    }
}

TEST(PjBeamFlexure, SetMinKeepsValuesGivenAsNegative) {
    EditionGuard edition(2010);
    PJ_BEAM_KV beam;
    beam.Ini_Liang(30, 3, 1, 0, 35, 35, 0, 500, 6, 0.8f, 0, 0, 1, 1, 1, 1, 1, 1);
    EXPECT_FLOAT_EQ(beam.min_PJ[0], 0.0025f);
    beam.Set_min_PJ(0.004f, -1.0f, 0.0f);
    EXPECT_FLOAT_EQ(beam.min_PJ[0], 0.004f);
    EXPECT_FLOAT_EQ(beam.min_PJ[1], 0.0025f);
    EXPECT_FLOAT_EQ(beam.min_PJ[2], 0.0f);
}

TEST(PjBeamFlexure, FlangedSectionWithTheNeutralAxisInTheWeb) {
    EditionGuard edition(2010);
    // T section: web 250 × 600, flange 600 × 100, as 40, h0 560, M = 500 kN·m.
    // Flange overhangs: Mf = 14.3·350·100·(560 - 50) = 255.255e6 < M, so
    // αs = (500e6 - 255.255e6)/(14.3·250·560²) = 0.218304, ξ = 0.249406,
    // As = (14.3·250·0.249406·560 + 14.3·350·100)/360 = 2777.2.
    PJ_BEAM_I_KV beam;
    beam.dynamic = 0;
    beam.Ini_Liang(30, 3, 1, 0, 40, 40, 2, 600.0f, 6.0f, 1.0f, 0);
    beam.set_value(500e6f, 0, 0, 250, 600, 600, 100, 250, 0, 1, 1.2f, 0);
    beam.Bent_DJ();
    EXPECT_EQ(beam.if_CJCX(), 0);
    EXPECT_AREA(beam.As, 2777.2f);
}

TEST(PjBeamShear, StirrupsFollowTheConcretePartAndTheSectionLimit) {
    EditionGuard edition(2010);
    struct Case {
        const char* what;
        float V;
        float Asv;
        const char* no_av;
        int cjcx;
    };
    // b 200, h 500, as 35, C25 (fc 11.9, ft 1.27), HPB300 stirrups (270).
    // Vc = 0.7·1.27·200·465 = 82677 N; 0.25·fc·b·h0 = 276675 N.
    const Case cases[] = {
        // Asv/s = (150000 - 82677)/(270·465) = 0.53622 (above 0.24·1.27/270·200 = 0.22578).
        {"stirrups needed", 150e3f, 0.53622f, "1", 0},
        {"concrete alone", 60e3f, 0.0f, "0", 0},
        // 90 kN: (90000 - 82677)/125550 = 0.0583 < minimum 0.22578.
        {"minimum stirrups", 90e3f, 0.22578f, "1", 0},
        {"section too small", 300e3f, (300e3f - 82677.0f) / (270.0f * 465.0f), "1", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PJ_BEAM_KV beam = StaticBeam(25, 3, 1, 35, 35);
        beam.set_value(0, c.V, 0, 200, 500, 0, 1.2f, 0);
        beam.Sheer();
        EXPECT_NEAR(beam.Asv, c.Asv, 0.005 * c.Asv + 1e-5);
        EXPECT_EQ(beam.GetVar("JianNiu.No_Av"), c.no_av);
        EXPECT_EQ(beam.if_CJCX(), c.cjcx);
        EXPECT_FALSE(beam.GetVar("JianNiu.RTF.JieMian").empty());
        EXPECT_FALSE(beam.GetVar("JianNiu.RTF.No_Av1").empty());
        EXPECT_EQ(beam.GetVar("JianNiu.RTF.Av0").empty(), std::string(c.no_av) == "0");
    }
}

TEST(PjBeamShear, EditionTwoThousandTwoTakesTheStirrupTermWithFactorOnePointTwoFive) {
    EditionGuard edition(2002);
    // 2002 7.5.4: Asv/s = (V - 0.7·ft·b·h0)/(1.25·fyv·h0); HPB235 fyv 210:
    // (150000 - 82677)/(1.25·210·465) = 0.55150.
    PJ_BEAM_KV beam = StaticBeam(25, 3, 1, 35, 35);
    beam.set_value(0, 150e3f, 0, 200, 500, 0, 1.2f, 0);
    beam.Sheer();
    EXPECT_NEAR(beam.Asv, 0.55150f, 0.003f);
}

TEST(PjBeamShear, BlastLoadedBeamLosesConcreteShearWithItsSpanToDepthRatio) {
    // Beam 300 × 600, as 35, h0 565, C30 with HRB335 stirrups, blast strengths:
    // ftd = 1.5·1.43 = 2.145, fyd = 1.35·300 = 405; the caller's 0.8 on the concrete.
    // Concrete part without the span reduction: 0.7·0.8·2.145·300·565 = 203603.4 N.
    // GB 50038-2005 4.10.5: ψ1 = 1 - (l/h0 - 8)/15 for l/h0 > 8, not below 0.6
    // (reached at l/h0 = 14).
    // Section limit 0.25·21.45·300·565 = 908.9 kN and minimum stirrups
    // 0.24·2.145/405·300 = 0.3813 do not govern.
    struct Case {
        const char* what;
        int edition;
        float span_m;
        float psi1;
        float Asv;
    };
    const Case cases[] = {
        // l/h0 = 4200/565 = 7.43 ≤ 8: ψ1 = 1,
        // Asv/s = (420000 - 203603.4)/(1.25·405·565) = 216396.6/286031.25 = 0.75655.
        {"stocky span", 2002, 4.2f, 1.0f, 0.75655f},
        // l/h0 = 4520/565 = 8.00 exactly: still ψ1 = 1.
        {"at the limit", 2002, 4.52f, 1.0f, 0.75655f},
        // l/h0 = 5400/565 = 9.5575: ψ1 = 1 - 1.5575/15 = 0.89617, Vc = 182462.3,
        // Asv/s = (420000 - 182462.3)/286031.25 = 0.83046.
        {"slender span", 2002, 5.4f, 0.89617f, 0.83046f},
        // l/h0 = 7500/565 = 13.274: ψ1 = 1 - 5.2743/15 = 0.64838, not yet the floor,
        // Vc = 132011.9, Asv/s = (420000 - 132011.9)/286031.25 = 1.00684.
        {"very slender span", 2002, 7.5f, 0.64838f, 1.00684f},
        // l/h0 = 9000/565 = 15.93: 1 - 7.93/15 = 0.47 → 0.6, Vc = 122162.0,
        // Asv/s = (420000 - 122162.0)/286031.25 = 1.04128.
        {"floor of the factor", 2002, 9.0f, 0.6f, 1.04128f},
        // 2010 edition: the stirrup term is fyd·Asv/s·h0 (no 1.25):
        // (420000 - 182462.3)/(405·565) = 1.03808.
        {"slender span, 2010", 2010, 5.4f, 0.89617f, 1.03808f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditionGuard edition(c.edition);
        PJ_BEAM_KV beam;
        beam.Ini_Liang(30, 2, 2, 0, 35, 35, 0, 600.0f, c.span_m, 0.8f, 0, 0, 1, 1, 1, 1, 1, 1);
        beam.set_value(0, 420e3f, 0, 300, 600, 0, 1.2f, 0);
        beam.Sheer();
        EXPECT_EQ(beam.if_CJCX(), 0);
        EXPECT_EQ(beam.if_GZPJ(), 0);
        EXPECT_NEAR(beam.Asv, c.Asv, 2e-4f);
        // The report shows the factor where it reduces the concrete part.
        EXPECT_EQ(beam.GetVar("JianNiu.RTF.No_Av1").find("ψ1") != std::string::npos, c.psi1 < 1.0f);
    }
}

TEST(PjBeamShear, SpanReductionIsForBlastLoadedBeamsOnly) {
    EditionGuard edition(2002);
    // Same beam and span 5.4 m (l/h0 9.56) under the static rules: GB 50010 has no
    // span term, Asv/s = (420000 - 0.7·1.43·300·565)/(1.25·300·565)
    // = (420000 - 169669.5)/211875 = 1.18150.
    PJ_BEAM_KV plain;
    plain.dynamic = 0;
    plain.Ini_Liang(30, 2, 2, 0, 35, 35, 0, 600.0f, 5.4f, 1.0f, 0, 0, 1, 1, 1, 1, 1, 1);
    plain.set_value(0, 420e3f, 0, 300, 600, 0, 1.2f, 0);
    plain.Sheer();
    EXPECT_NEAR(plain.Asv, 1.18150f, 2e-4f);

    // A door-frame wall (protective type 1) carries the door's reactions, not a
    // uniform load: no reduction whatever the span it is given.
    PJ_BEAM_KV frame;
    frame.Ini_Liang(30, 2, 2, 0, 35, 35, 0, 600.0f, 5.4f, 0.8f, 0, 1, 1, 1, 1, 1, 1, 1);
    frame.set_value(0, 420e3f, 0, 300, 600, 0, 1.2f, 0);
    frame.Sheer();
    EXPECT_NEAR(frame.Asv, 0.75655f, 2e-4f);

    // A strip set up after a beam on the same object has no span of its own.
    PJ_BEAM_KV strip;
    strip.Ini_Liang(30, 2, 2, 0, 35, 35, 0, 600.0f, 5.4f, 0.8f, 0, 0, 1, 1, 1, 1, 1, 1);
    strip.Ini_QiangBan(30, 2, 2, 0, 35, 35, 0, 0.8f, 0, 0, 1.0f, 1, 1, 1, 1, 1);
    strip.set_value(0, 420e3f, 0, 300, 600, 0, 1.2f, 0);
    strip.Sheer();
    EXPECT_NEAR(strip.Asv, 0.75655f, 2e-4f);
}

TEST(PjBeamShear, PlateWithoutStirrupsUsesTheDepthFactorAndTheShearFactor) {
    EditionGuard edition(2010);
    // Plate 1000 × 250, as 30, h0 220 (βh = 1 below 800), blast strengths:
    // ftd = 1.5·1.43 = 2.145; factor β 0.9: Vc = 0.7·2.145·1000·220·0.9 = 297297 N.
    PJ_BEAM_KV slab;
    slab.Ini_QiangBan(30, 1, 1, 0, 30, 30, 2, 1.0f, 0, 2, 0.9f, 1, 1, 1, 1, 1);
    slab.set_value(0, 290e3f, 0, 1000, 250, 0, 1.2f, 0);
    slab.Sheer();
    EXPECT_EQ(slab.GetVar("JianNiu.No_Av"), "0");
    slab.set_value(0, 310e3f, 0, 1000, 250, 0, 1.2f, 0);
    slab.Sheer();
    EXPECT_EQ(slab.GetVar("JianNiu.No_Av"), "1");
}

// The torsion core Acor = bcor·hcor, ucor = 2(bcor + hcor) runs to the inside
// faces of the stirrups, which touch the corner bars: half a bar (20 mm
// assumed) outside the bar centres, i.e. as - 10 from each face, the sides
// taking the smaller of as and as'.
TEST(PjBeamTorsion, CombinedShearAndTorsionMatchesTheHandCalculation) {
    struct Case {
        const char* what;
        int edition;
        bool blast;
        float b, h, as, as1, V, T, zeta;
        float beta_t, Asvt, Ast1, Ast;
    };
    const Case cases[] = {
        // C30 (ft 1.43), HRB400 bars (360), HPB300 stirrups (270), 250 × 500, as 35, h0 465;
        // V 80 kN, T 15 kN·m, ζ 1.2. Wt = 250²(1500 - 250)/6 = 13.0208e6;
        // βt = 1.5/(1 + 0.5·80e3·Wt/(15e6·250·465)) = 1.155 → 1.0.
        // Asv/s = (80000 - 0.5·0.7·1.43·250·465)/(270·465) = 0.17377.
        // Core to the stirrups' inside: bcor = 250 - 2·25 = 200, hcor = 500 - 2·25 = 450,
        // Acor = 90000, ucor = 1300;
        // Ast1/s = (15e6 - 0.35·1.43·Wt)/(1.2·sqrt(1.2)·270·90000) = 8.4831e6/31.943e6 = 0.26557;
        // Ast = 1.2·270·0.26557·1300/360 = 310.71 (above 0.6·sqrt(0.75)·1.43/360·250·500 = 258.0).
        {"2010, equal covers", 2010, false, 250, 500, 35, 35, 80e3f, 15e6f, 1.2f, 1.0f, 0.17377f, 0.26557f, 310.71f},
        // 2002: C30, HRB400 bars (360), HPB235 stirrups (210), 300 × 600, two tension
        // layers as 60, as' 35, h0 540; V 100 kN, T 30 kN·m, ζ 1.0. Wt = 300²·1500/6 = 22.5e6;
        // βt = 1.5/(1 + 0.5·100e3·22.5e6/(30e6·300·540)) = 1.218 → 1.0;
        // Asv/s = (100000 - 0.5·0.7·1.43·300·540)/(1.25·210·540) = 18919/141750 = 0.13347.
        // bcor = 300 - 2·25 = 250, hcor = 600 - 50 - 25 = 525, Acor = 131250, ucor = 1550;
        // Ast1/s = (30e6 - 0.35·1.43·22.5e6)/(1.2·1.0·210·131250) = 18.7388e6/33.075e6 = 0.56655;
        // Ast = 1.0·210·0.56655·1550/360 = 512.26 (above 0.6·1.0·1.43/360·300·600 = 429.0).
        {"2002, two tension layers", 2002, false, 300, 600, 60, 35, 100e3f, 30e6f, 1.0f, 1.0f, 0.13347f, 0.56655f,
         512.26f},
        // Blast, 2002: C30 (ftd 2.145), HRB335 bars and stirrups (fyd 405), 300 × 600, as 35,
        // h0 565, span 5.4 m, 0.8 on the concrete's shear; V 420 kN, T 40 kN·m, ζ 1.2.
        // βt = 1.5/(1 + 0.5·420e3·22.5e6/(40e6·300·565)) = 0.88396. The shear part keeps
        // ψ1 = 0.89617 (l/h0 9.56): Vc = 0.7·0.89617·0.8·2.145·300·565 = 182462.3,
        // Asv/s = (420000 - (1.5 - 0.88396)·182462.3)/(1.25·405·565) = 1.07539.
        // bcor = 250, hcor = 550, Acor = 137500, ucor = 1600;
        // Ast1/s = (40e6 - 0.88396·0.35·2.145·22.5e6)/(1.2·sqrt(1.2)·405·137500) = 0.34245;
        // Ast = 1.2·405·0.34245·1600/405 = 657.5.
        {"blast, slender beam", 2002, true, 300, 600, 35, 35, 420e3f, 40e6f, 1.2f, 0.88396f, 1.07539f, 0.34245f,
         657.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditionGuard edition(c.edition);
        PJ_BEAM_KV beam;
        if (c.blast) {
            beam.Ini_Liang(30, 2, 2, 0, 35, 35, 0, 600.0f, 5.4f, 0.8f, 0, 0, 1, 1, 1, 1, 1, 1);
        } else {
            beam = StaticBeam(30, 3, 1, static_cast<int>(c.as), static_cast<int>(c.as1));
        }
        beam.set_value(0, c.V, c.T, c.b, c.h, 1, c.zeta, 0);
        beam.Sheer_Twist();
        EXPECT_EQ(beam.if_CJCX(), 0);
        EXPECT_EQ(beam.if_GZPJ(), 0);
        EXPECT_EQ(beam.combined, 0);
        EXPECT_NEAR(beam.beta_t, c.beta_t, 1e-4f);
        EXPECT_NEAR(beam.Asvt, c.Asvt, 2e-4f);
        EXPECT_NEAR(beam.Ast1, c.Ast1, 2e-4f);
        EXPECT_AREA(beam.Ast, c.Ast);
    }
}

TEST(PjBeamTorsion, SmallTorqueIsNeglected) {
    EditionGuard edition(2010);
    // 0.175·ft·Wt = 0.175·1.43·13.0208e6 = 3.258e6 N·mm.
    PJ_BEAM_KV beam = StaticBeam(30, 3, 1, 35, 35);
    beam.set_value(0, 80e3f, 3.0e6f, 250, 500, 1, 1.2f, 0);
    beam.Sheer_Twist();
    EXPECT_EQ(beam.combined, 1);
    EXPECT_EQ(beam.Ast, 0.0f);
    EXPECT_EQ(beam.Ast1, 0.0f);
}

TEST(PjBeamInput, UnknownGradeOrDegenerateSectionGivesAFlagNotAnArea) {
    EditionGuard edition(2010);
    PJ_BEAM_KV beam;
    beam.Ini_Liang(33, 3, 1, 0, 35, 35, 0, 500, 6, 1, 0, 0, 1, 1, 1, 1, 1, 1);
    beam.set_value(100e6f, 0, 0, 250, 500, 1, 1.2f, 0);
    beam.Bent_SJ();
    EXPECT_EQ(beam.if_CJCX(), 1);
    EXPECT_LT(beam.As, 0.0f);

    PJ_BEAM_KV thin = StaticBeam(30, 3, 1, 35, 35);
    thin.set_value(100e6f, 1e3f, 0, 250, 30, 1, 1.2f, 0);  // h below the cover
    thin.Bent_DJ();
    EXPECT_EQ(thin.if_CJCX(), 1);
    EXPECT_EQ(thin.no_result, 1);
    thin.Sheer();
    EXPECT_EQ(thin.if_CJCX(), 1);
}

// A cover below zero puts the steel outside the concrete: with h 0 and as -10 the
// section had "h0" 10 and was designed (stirrups of 80 mm²/mm, torsion steel).
TEST(PjBeamInput, NegativeCoverOrNoHeightIsRefused) {
    EditionGuard edition(2002);
    struct Case {
        const char* what;
        int as, as1;
        float h;
    };
    const Case cases[] = {{"no height", -10, -10, 0.0f}, {"tension cover below zero", -10, 35, 600.0f},
                          {"compression cover below zero", 35, -10, 600.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PJ_BEAM_KV beam;
        beam.Ini_Liang(30, 2, 2, 0, c.as, c.as1, 0, c.h, 5.4f, 0.8f, 0, 0, 1, 1, 1, 1, 1, 1);
        beam.set_value(300e6f, 420e3f, 40e6f, 300, c.h, 0, 1.2f, 0);
        EXPECT_EQ(beam.Sheer(), 0);
        EXPECT_EQ(beam.Asv, 0.0f);
        EXPECT_EQ(beam.no_result, 1);
        EXPECT_EQ(beam.Sheer_Twist(), 0);
        EXPECT_EQ(beam.Ast, 0.0f);
        EXPECT_EQ(beam.Asvt, 0.0f);
        EXPECT_EQ(beam.Bent_SJ(), 0);
        EXPECT_LT(beam.As, 0.0f);
        EXPECT_EQ(beam.if_CJCX(), 1);
    }
}

// Spans that make no sense leave the concrete's shear part as it is, an
// endless one takes the floor of the span factor; no result is NaN.
TEST(PjBeamInput, OddSpansGiveFiniteStirrups) {
    EditionGuard edition(2002);
    struct Case {
        float span_m, Asv;
    };
    const Case cases[] = {{0.0f, 0.75655f},
                          {-5.4f, 0.75655f},
                          {1e9f, 1.04128f},
                          {std::numeric_limits<float>::infinity(), 1.04128f},
                          {std::numeric_limits<float>::quiet_NaN(), 1.04128f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.span_m);
        PJ_BEAM_KV beam;
        beam.Ini_Liang(30, 2, 2, 0, 35, 35, 0, 600.0f, c.span_m, 0.8f, 0, 0, 1, 1, 1, 1, 1, 1);
        beam.set_value(0, 420e3f, 40e6f, 300, 600, 0, 1.2f, 0);
        beam.Sheer();
        EXPECT_NEAR(beam.Asv, c.Asv, 2e-4f);
        beam.Sheer_Twist();
        EXPECT_TRUE(std::isfinite(beam.Asvt) && std::isfinite(beam.Ast1) && std::isfinite(beam.Ast));
    }
}

// The root of a door-frame wall short enough to be a corbel (牛腿), per metre of
// wall: C30 blast (fcd 21.45, ftd 2.145), HRB335 (fyd 405), HPB300 ties (fyvd
// 405), as 35; qv 1000 N/mm at a = 500 mm, qh 100 N/mm.
TEST(PjBeamCorbel, DoorFrameRootIsDesignedByTheCorbelRules) {
    EditionGuard edition(2010);
    struct Case {
        const char* what;
        float H, door, q, z;
        float As;
        int heightFails, minimum;
    };
    const Case cases[] = {
        // k·a = qv²/(ftd·(0.8qv + 0.4qh)) = 555.0; a·k·(1 + sqrt(1 + 16/k))/4 + 50 = 733.5.
        // As = 1000·(1000·500/(0.85·405·665) - 0.45·100/405) = 2073.0.
        {"too low for its load", 700, 0, 1005, 80, 2073.0f, 1, 0},
        // h0 715: 1000·(500000/246139.9 - 0.1111) = 1920.3, above 0.25 % of 750·1000.
        {"high enough", 750, 0, 1005, 80, 1920.3f, 0, 0},
        // An arched door's seat with q/z = 10.05 < 1.6·fcd = 34.32: detailing steel 1875.
        {"arched seat near the root", 750, 1, 1005, 100, 1875.0f, 0, 1},
        // q/z = 50.25 ≥ 34.32: the corbel's steel.
        {"arched seat far off", 750, 1, 1005, 20, 1920.3f, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PJ_BEAM_KV beam;
        beam.Ini_Liang(30, 2, 1, 0, 35, 35, 0, c.H, 1, 1, 0, 1, c.door, 500, 100e3f, c.q * 1000, c.z, 1);
        beam.corbel = 1;
        beam.set_value(510e6f, 1000e3f, 0, 1000, c.H, 1, 1.2f, 0);
        ASSERT_NEAR(beam.fy, 405.0f, 0.01f);
        ASSERT_NEAR(beam.ft, 2.145f, 0.001f);
        beam.Bent_DJ();
        EXPECT_NEAR(beam.As, c.As, 0.5f);
        EXPECT_EQ(beam.if_GZPJ(), c.minimum);
        beam.Sheer();
        EXPECT_EQ(beam.if_CJCX(), c.heightFails);
        // Detailing ties: ρsv,min·b = 0.24·2.145/405·1000.
        EXPECT_NEAR(beam.Asv, 1.2711f, 0.001f);
        EXPECT_EQ(beam.if_GZPJ(), 1);
    }
}

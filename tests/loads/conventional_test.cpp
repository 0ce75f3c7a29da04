// Equivalent static loads of a conventional-weapon explosion.
#include "loads/equivload.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ConventionalLoads, DefaultRecordWorkedByHand) {
    // Defaults: 常6, C 117.45 kg, R = R' = 10 m, roof upper-building flag set,
    // cover 2.5 m, h1 1.2 m, γ 2, v0 200 m/s, δ 0.2, ξ 0.3, η 2, ρ 1800, c 300 m/s,
    // n 2.7, wall Kr 1.5 and Ce 0.9, above-ground Ce 0.95, β roof 4, walls 3, ω 188.4.
    //
    // △Pcm   ∛C = 117.45^0.333333 = 4.897228;  x = 0.4897228
    //        f = 1.316 x³ + 0.369 x^1.5 = 0.2810231 MPa
    //        roof 0.8 · 281.0231 = 224.8185 kPa;  wall 281.0231 kPa
    // t0     roof 4e-4 · 4.897228 / √0.2248185 = 0.004131372 s;  wall / √0.2810231 = 0.003695212 s
    // Pch    1 − 2.5 / (2 · 2 · 100 · 0.004131372) · 0.8 = −0.2103 < 0 → 0
    // Pc1    cover 2.5 > 0.5: Ce 0.9, Kr 1.5;  Pc1 = 0
    // Pc2    P0 = 0.00682 · 1800 · 300 · (54 / (7.4 · 117.45)^(1/3))^−2.7
    //           = 3682.8 · 5.658468^−2.7 = 34.18938 kPa
    //        x = √(10² − 1.2²) = 9.927739;  s = (10/x)² − 1 = 0.01461039;  θ = atan √s = 0.1202899
    //        cos²θ = 1/(1 + s) = 0.9856;  Pc2 = (0.7 · 0.9856 + 0.3) · 34.18938 · 1.5 · 0.9 = 45.69042
    // Pc2'   f' = f = 0.2810231;  (2 f' + 6 f'² / (f' + 0.7)) · 0.95 · 1000 = 992.8032 kPa
    // Kdc1   tr = (2 − 1) · 2.5 / 200 = 0.0125;  td = (1 + 0.4 · 2.5) · 0.004131372 + 0.0125 = 0.02076274
    //        ψ = 0.5 + (2 / (188.4 · 0.0125)) · sin(188.4 · 0.0125 / 4) = 0.971611
    //        ωT = 3.911677;  Kdc1 = 0.971611 / (2/ωT · √7 + 7 / (8 · (1 + 4/ωT))) = 0.5442119
    // Kdc2   tr = 0.1 · 10 / 300 = 0.003333333;  td = 2 · 10 / 300 = 0.06666667
    //        ψ = 0.5 + (√3 / 0.628) · sin(0.628 / (2√3)) = 0.9972657;  ωT = 12.56
    //        Kdc2 = 0.9972657 / (2/12.56 · √5 + 5 / (6 · (1 + 4/12.56))) = 1.009269
    // Kdc2'  no rise, T = t0 wall:  ωT = 0.6961779;  Kdc2' = 1 / (2/ωT · √5 + 5 / (6 · (1 + 4/ωT))) = 0.1527329
    // qce    qce1 = 0;  qce2 = 1.009269 · 45.69042 = 46.11392 → 46.114;  qce2' = 0.1527329 · 992.8032 = 151.634
    CEquivLoad q;
    q.m_fCeRoof = 0.5f;  // overwritten from the cover
    q.m_fKrRoof = 3.0f;
    q.CalNuclear();
    q.CalConventional();
    EXPECT_NEAR(q.m_fDeltaPcmRoof, 224.8185f, 1e-3f);
    EXPECT_NEAR(q.m_fDeltaPcmWall, 281.0231f, 1e-3f);
    EXPECT_NEAR(q.m_fT0Roof, 0.004131372f, 1e-8f);
    EXPECT_NEAR(q.m_fT0Wall, 0.003695212f, 1e-8f);
    EXPECT_EQ(q.m_fPchRoof, 0.0f);
    EXPECT_EQ(q.m_fCeRoof, 0.9f);
    EXPECT_EQ(q.m_fKrRoof, 1.5f);
    EXPECT_EQ(q.m_fPc1C, 0.0f);
    EXPECT_NEAR(q.m_fTheta, 0.1202899f, 1e-6f);
    EXPECT_NEAR(q.m_fPc2C, 45.69042f, 1e-3f);
    EXPECT_NEAR(q.m_fPc2GndC, 992.8032f, 1e-2f);
    EXPECT_FLOAT_EQ(q.m_fTrRoof, 0.0125f);
    EXPECT_NEAR(q.m_fTdRoof, 0.02076274f, 1e-7f);
    EXPECT_FLOAT_EQ(q.m_fTrWall, 1.0f / 300.0f);
    EXPECT_FLOAT_EQ(q.m_fTdWall, 2.0f / 30.0f);
    EXPECT_NEAR(q.m_fKdc1, 0.5442119f, 1e-5f);
    EXPECT_NEAR(q.m_fKdc2, 1.009269f, 1e-5f);
    EXPECT_NEAR(q.m_fKdc2Gnd, 0.1527329f, 1e-5f);
    EXPECT_EQ(q.m_fQce1, 0.0f);
    EXPECT_FLOAT_EQ(q.m_fQce2, 46.114f);
    EXPECT_FLOAT_EQ(q.m_fQce2Gnd, 151.634f);
}

TEST(ConventionalLoads, ShallowRoofCarriesTheSoilPressure) {
    // Cover 0.5 m: Ce = Kr = 1.0.
    // Pch = [1 − 0.5 / (2 · 2 · 100 · 0.004131372) · 0.8] · 224.8185 = 0.7579497 · 224.8185 = 170.4
    // tr = 0.5/200 = 0.0025;  td = 1.2 · 0.004131372 + 0.0025 = 0.007457646
    // Kdc1 β 4: ψ = 0.5 + (2 / (188.4 · 0.0025)) · sin(188.4 · 0.0025 / 4) = 0.9988454
    //      ωT = 188.4 · 0.007457646 = 1.405021
    //      Kdc1 = 0.9988454 / (2/ωT · √7 + 7 / (8 · (1 + 4/ωT))) = 0.2501120
    // qce1 = 0.2501120 · 170.4011 = 42.61935 → 42.619
    CEquivLoad q;
    q.m_fCover = 0.5f;
    q.CalConventional();
    EXPECT_EQ(q.m_fCeRoof, 1.0f);
    EXPECT_EQ(q.m_fKrRoof, 1.0f);
    EXPECT_NEAR(q.m_fPchRoof, 170.4008f, 1e-2f);
    EXPECT_FLOAT_EQ(q.m_fPc1C, q.m_fPchRoof);
    EXPECT_NEAR(q.m_fTdRoof, 0.007457646f, 1e-8f);
    EXPECT_NEAR(q.m_fKdc1, 0.2501120f, 1e-6f);
    EXPECT_FLOAT_EQ(q.m_fQce1, 42.619f);

    q.m_fCover = 0.51f;
    q.CalConventional();
    EXPECT_EQ(q.m_fCeRoof, 0.9f);
    EXPECT_EQ(q.m_fKrRoof, 1.5f);
    EXPECT_FLOAT_EQ(q.m_fPc1C, 0.9f * 1.5f * q.m_fPchRoof);
}

TEST(ConventionalLoads, NoBuildingAboveLeavesTheRoofOverpressureFull) {
    CEquivLoad q;
    q.m_bRoofUpperC = 0;
    q.CalConventional();
    EXPECT_FLOAT_EQ(q.m_fDeltaPcmRoof, q.m_fDeltaPcmWall);
    EXPECT_FLOAT_EQ(q.m_fT0Roof, q.m_fT0Wall);
}

TEST(ConventionalLoads, SaturatedSoilSetsTheWaveSpeedRatio) {
    CEquivLoad q;
    q.m_bSaturated = 1;
    q.m_fGamma = 3.0f;
    q.CalConventional();
    EXPECT_EQ(q.m_fGamma, 1.5f);
    EXPECT_FLOAT_EQ(q.m_fTrRoof, 0.5f * 2.5f / 200.0f);
    // The next nuclear run uses it.
    q.CalNuclear();
    EXPECT_FLOAT_EQ(q.m_fRiseRoof, 0.5f * 2.5f / 200.0f + 0.025f);
}

TEST(ConventionalLoads, WallAngleForBurialDepths) {
    // P0 = 34.18938 (default charge and distance);  Kr 1.5, Ce 0.9, ξ 0.3.
    const float p0 = 34.18938f * 1.5f * 0.9f;
    struct Case {
        float h1, theta, pc2;
    };
    const Case cases[] = {
        {0.0f, 0.0f, p0},             // burst level with the roof: full head-on stress
        {-2.0f, 0.0f, p0},
        {6.0f, 0.6435011f, (0.7f * 0.64f + 0.3f) * p0},  // x = 8, cos θ = 0.8
        {10.0f, 1.5707954f, 0.3f * p0},  // h1 ≥ R: x = 1e-5, θ → 90°, only ξ remains
    };
    for (const Case& c : cases) {
        CEquivLoad q;
        q.m_fRoofDepth = c.h1;
        q.CalConventional();
        EXPECT_NEAR(q.m_fTheta, c.theta, 1e-5f) << "h1 " << c.h1;
        EXPECT_NEAR(q.m_fPc2C, c.pc2, 1e-3f) << "h1 " << c.h1;
    }
}

TEST(ConventionalLoads, DuctilityOfOneHalfGivesNoLoad) {
    CEquivLoad q;
    q.m_fCover = 0.3f;
    q.m_fBeta1C = 0.5f;
    q.m_fBeta2C = 0.5f;
    q.m_fBeta2GndC = 0.5f;
    q.CalConventional();
    EXPECT_GT(q.m_fPc1C, 0.0f);
    EXPECT_EQ(q.m_fKdc1, 0.0f);
    EXPECT_EQ(q.m_fKdc2, 0.0f);
    EXPECT_EQ(q.m_fKdc2Gnd, 0.0f);
    EXPECT_EQ(q.m_fQce1, 0.0f);
    EXPECT_EQ(q.m_fQce2, 0.0f);
    EXPECT_EQ(q.m_fQce2Gnd, 0.0f);
}

TEST(ConventionalLoads, ZeroFrequencyGivesFiniteFactors) {
    CEquivLoad q;
    q.m_fCover = 0.3f;
    q.m_fOmegaRoof = 0.0f;
    q.m_fOmegaWall = 0.0f;
    q.CalConventional();
    EXPECT_EQ(q.m_fOmegaRoof, 0.001f);
    EXPECT_EQ(q.m_fOmegaWall, 0.001f);
    for (float v : {q.m_fKdc1, q.m_fKdc2, q.m_fKdc2Gnd, q.m_fQce1, q.m_fQce2, q.m_fQce2Gnd}) {
        EXPECT_TRUE(std::isfinite(v));
        EXPECT_GE(v, 0.0f);
    }
    // A member that soft barely answers a pulse this short.
    EXPECT_LT(q.m_fKdc1, 1e-3f);
}

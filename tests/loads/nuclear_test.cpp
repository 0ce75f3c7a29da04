// Equivalent static loads of a nuclear explosion.
#include "loads/equivload.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(NuclearLoads, DefaultRecordWorkedByHand) {
    // Defaults: 甲类, 核6B, cover 2.5 m, h 6 m, h1 1.2 m, L0 4.5 m, dry soil, 普通结构,
    // ΔPm 30 kPa, both upper-building flags set, γ 2, v0 200 m/s, δ 0.2, ξ 0.3, η 0.8,
    // ω 188.4 1/s for every member, β roof 3, wall 2, above-ground wall 2.
    //
    // △Pms   roof 30 · 1.0 = 30;  wall 30 · 1.1 = 33
    // depth  roof = cover = 2.5;   wall = 6/2 + 1.2 = 4.2
    // Ph     t(核6B) = 1.26 s, v0/γ = 100 m/s
    //        roof [1 − 0.8 · 2.5 / (100 · 1.26)] · 30 = 29.52381
    //        wall [1 − 0.8 · 4.2 / (100 · 1.26)] · 33 = 32.12
    // K      hm(L0 4.5) = 2.2 ≤ 2.5, so K = table(2.5) = (1.40 + 1.35)/2 = 1.375
    // Pc     Pc1 = 1.375 · 29.52381 = 40.59524;  Pc3 = 0.8 · Pc1 = 32.47619
    //        Pc2 = 0.3 · 32.12 = 9.636;          Pc2' = 2 · 30 = 60
    // rise   roof (2 − 1) · 2.5 / 200 + 0.025 = 0.0375 s;  wall (2 − 1) · 4.2 / 200 = 0.021 s
    // Kd     roof β 3, x = 188.4 · 0.0375 = 7.065 → 1.05
    //        wall β 2, x = 188.4 · 0.021 = 3.9564 → 1.18 − 0.07 · 0.9564 = 1.113052
    //        floor 1.0;  above ground 2·2/(2·2 − 1) = 1.333333
    // qe     qe1 = 1.05 · 40.59524 = 42.625;   qe3 = 32.476
    //        qe2 = 1.113052 · 9.636 = 10.72537 → 10.725;  qe2' = 1.333333 · 60 = 80.000
    CEquivLoad q;
    q.CalNuclear();
    EXPECT_FLOAT_EQ(q.m_fDeltaPmsRoof, 30.0f);
    EXPECT_FLOAT_EQ(q.m_fDeltaPmsWall, 33.0f);
    EXPECT_FLOAT_EQ(q.m_fDepthRoof, 2.5f);
    EXPECT_FLOAT_EQ(q.m_fDepthWall, 4.2f);
    EXPECT_NEAR(q.m_fPhRoof, 29.52381f, 1e-4f);
    EXPECT_NEAR(q.m_fPhWall, 32.12f, 1e-4f);
    EXPECT_FLOAT_EQ(q.m_fK, 1.375f);
    EXPECT_NEAR(q.m_fPc1, 40.59524f, 1e-4f);
    EXPECT_NEAR(q.m_fPc3, 32.47619f, 1e-4f);
    EXPECT_NEAR(q.m_fPc2, 9.636f, 1e-4f);
    EXPECT_FLOAT_EQ(q.m_fPc2Gnd, 60.0f);
    EXPECT_FLOAT_EQ(q.m_fRiseRoof, 0.0375f);
    EXPECT_FLOAT_EQ(q.m_fRiseWall, 0.021f);
    EXPECT_FLOAT_EQ(q.m_fKd1, 1.05f);
    EXPECT_NEAR(q.m_fKd2, 1.113052f, 1e-5f);
    EXPECT_FLOAT_EQ(q.m_fKd3, 1.0f);
    EXPECT_FLOAT_EQ(q.m_fKd2Gnd, 4.0f / 3.0f);
    EXPECT_FLOAT_EQ(q.m_fQe1, 42.625f);
    EXPECT_FLOAT_EQ(q.m_fQe3, 32.476f);
    EXPECT_FLOAT_EQ(q.m_fQe2, 10.725f);
    EXPECT_FLOAT_EQ(q.m_fQe2Gnd, 80.0f);

    // A second run on the unchanged record gives the same fields.
    CEquivLoad again = q;
    again.CalNuclear();
    EXPECT_EQ(std::memcmp(&again, &q, sizeof q), 0);
}

TEST(NuclearLoads, OverpressureByClassAndUpperBuilding) {
    CEquivLoad q;
    struct Case {
        int cls, upper;
        float roof, wall;
    };
    const Case cases[] = {
        {0, 1, 100.0f, 110.0f}, {1, 1, 100.0f, 110.0f}, {2, 1, 95.0f, 120.0f},
        {3, 1, 100.0f, 125.0f}, {4, 1, 100.0f, 100.0f}, {2, 0, 100.0f, 100.0f},
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(q.GetDeltaPmsFactor(1, 100.0f, c.cls, c.upper), c.roof) << "class " << c.cls;
        EXPECT_FLOAT_EQ(q.GetDeltaPmsFactor(2, 100.0f, c.cls, c.upper), c.wall) << "class " << c.cls;
    }
}

TEST(NuclearLoads, CompressionWaveOnlyBelowOneAndAHalfMetres) {
    CEquivLoad q;
    EXPECT_FLOAT_EQ(q.CalPhOne(50.0f, 1.5f, 200.0f, 2.0f, 0.2f, 0), 50.0f);
    // 核4: t = 0.38 s; [1 − 0.8 · 3 / (100 · 0.38)] · 50 = 46.84211
    EXPECT_NEAR(q.CalPhOne(50.0f, 3.0f, 200.0f, 2.0f, 0.2f, 4), 46.84211f, 1e-4f);
    // A class out of the list takes 核4's time as well.
    EXPECT_FLOAT_EQ(q.CalPhOne(50.0f, 3.0f, 200.0f, 2.0f, 0.2f, 9), q.CalPhOne(50.0f, 3.0f, 200.0f, 2.0f, 0.2f, 4));
    // γ below 0.001 is read as 0.001: [1 − 0.8 · 3 / (200000 · 1.26)] · 50
    EXPECT_NEAR(q.CalPhOne(50.0f, 3.0f, 200.0f, 0.0f, 0.2f, 0), 49.99952f, 1e-4f);
    // Deep member, short time: Ph goes negative and is kept.
    EXPECT_LT(q.CalPhOne(50.0f, 60.0f, 200.0f, 2.0f, 0.2f, 4), 0.0f);
}

TEST(NuclearLoads, WallDepthFollowsTheRoofBurial) {
    struct Case {
        float h, h1, depth;
    };
    const Case cases[] = {{6.0f, 1.2f, 4.2f}, {3.0f, -1.0f, 1.0f}, {3.0f, -4.0f, 0.0f}, {3.0f, 0.0f, 1.5f}};
    for (const Case& c : cases) {
        CEquivLoad q;
        q.m_fStoreyH = c.h;
        q.m_fRoofDepth = c.h1;
        q.CalNuclear();
        EXPECT_FLOAT_EQ(q.m_fDepthWall, c.depth) << "h " << c.h << " h1 " << c.h1;
    }
}

TEST(NuclearLoads, ReflectionFactorK) {
    struct Case {
        const char* what;
        float cover;
        int cls, form, saturated, main;
        float deltaPm, air, expected;
    };
    const Case cases[] = {
        {"default", 2.5f, 0, 0, 0, 0, 30, 0.1f, 1.375f},
        {"no cover", 0.0f, 0, 0, 0, 0, 30, 0.1f, 1.0f},
        {"main structure, shallow cover", 0.4f, 0, 0, 0, 1, 30, 0.1f, 1.0f},
        // Ramp from (0, 1.0) to (hm 2.2, K(2.2) = 1.39): 1 + 0.39 · 0.4 / 2.2
        {"shallow cover on the ramp", 0.4f, 0, 0, 0, 0, 30, 0.1f, 1.0709091f},
        // Main structure starts the ramp at 0.5: 1 + 0.39 · (1.0 − 0.5) / (2.2 − 0.5)
        {"main structure on the ramp", 1.0f, 0, 0, 0, 1, 30, 0.1f, 1.1147059f},
        {"双层结构", 3.0f, 0, 1, 0, 0, 30, 0.1f, 1.35f * 1.05f},
        {"非平顶结构", 3.0f, 0, 2, 0, 0, 30, 0.1f, 1.35f * 0.9f},
        {"核4B table", 3.0f, 3, 0, 0, 0, 200, 0.1f, 1.42f},
        // Saturated, α 0.1 %: p 0.03 MPa > 20α = 0.02 MPa → full reflection.
        {"saturated 普通结构", 2.5f, 0, 0, 1, 0, 30, 0.1f, 2.0f},
        {"saturated 非平顶结构", 2.5f, 0, 2, 1, 0, 30, 0.1f, 1.8f},
        {"saturated deep", 6.0f, 0, 0, 1, 0, 30, 0.1f, 2.0f},
        // α 0.17 %: 16α = 0.0272, 20α = 0.034, p = 0.03 → 1.375 + (2 − 1.375) · 0.0028/0.0068
        {"saturated between", 2.5f, 0, 0, 1, 0, 30, 0.17f, 1.6323529f},
        // α 1 %: p 0.03 < 16α = 0.16 → the dry-soil table.
        {"saturated but airy", 2.5f, 0, 0, 1, 0, 30, 1.0f, 1.375f},
    };
    for (const Case& c : cases) {
        CEquivLoad q;
        q.m_bMainStructure = c.main;
        EXPECT_NEAR(q.CalK(c.cover, 4.5f, c.cls, c.form, c.saturated, c.deltaPm, c.air), c.expected, 1e-5f)
            << c.what;
    }
}

TEST(NuclearLoads, DepthLimitOfK) {
    CEquivLoad q;
    EXPECT_FLOAT_EQ(q.GetDepthLimitK(0, 4.5f), 2.2f);
    EXPECT_FLOAT_EQ(q.GetDepthLimitK(2, 6.25f), 2.95f);
    EXPECT_FLOAT_EQ(q.GetDepthLimitK(4, 4.5f), 1.6f);
    EXPECT_FLOAT_EQ(q.GetDepthLimitK(3, 12.0f), 4.0f);
}

TEST(NuclearLoads, ClassFourWallsAboveGroundCarryNoNuclearLoad) {
    for (int cls : {3, 4}) {
        CEquivLoad q;
        q.m_nNuclearClass = cls;
        q.CalNuclear();
        EXPECT_EQ(q.m_fPc2Gnd, 0.0f);
        EXPECT_EQ(q.m_fQe2Gnd, 0.0f);
    }
}

TEST(NuclearLoads, FloorAlwaysTakesKdOne) {
    CEquivLoad q;
    q.m_fBeta3 = 1.0f;
    q.m_fOmegaFloor = 5.0f;
    q.m_fEta = 0.7f;
    q.CalNuclear();
    EXPECT_FLOAT_EQ(q.m_fKd3, 1.0f);
    EXPECT_FLOAT_EQ(q.m_fQe3, CEquivLoad::Round(0.7f * q.m_fPc1, 3));
}

TEST(NuclearLoads, ZeroFrequencyIsGuardedNotDivided) {
    CEquivLoad q;
    q.m_fOmegaRoof = 0.0f;
    q.m_fOmegaWall = -3.0f;
    q.CalNuclear();
    EXPECT_EQ(q.m_fOmegaRoof, 0.001f);
    // x = ω·t ≈ 0: the start of the β = 3 and β = 2 curves.
    EXPECT_NEAR(q.m_fKd1, 1.20f, 1e-4f);
    EXPECT_NEAR(q.m_fKd2, 1.34f, 1e-4f);
}

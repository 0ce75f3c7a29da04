// Natural circular frequency of slabs and beams, and the nuclear dynamic factor.
#include "loads/equivload.h"

#include "base/globals.h"
#include "support/edition_guard.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// C30 (Ec = 3.00e4 N/mm² in both editions of GB 50010), h = 0.3 m, 25 kN/m³:
//   E  = 3.0e4 · 1000 · 1.2               = 3.6e7 kN/m²
//   plate: D = 0.6 · E · 0.3³ / 12 / 0.9722222 = 49988.57,  m̄ = 25 · 0.3 / 9.8 · 1.2 = 0.918367
//          √(D/m̄) = 233.3067
//   beam:  B/m̄ = 0.6 · E · b · h³/12 / (25 · b · h / 9.8 · 1.2) = 52920,  √ = 230.0435
constexpr float kPlateRoot = 233.3067f;
constexpr float kBeamRoot = 230.0435f;

class Frequency : public ::testing::Test {
protected:
    CEquivLoad q;
    kv::test::EditionGuard edition_{2010};
};

}  // namespace

TEST_F(Frequency, SlabsTakeThePlateOrTheStripFormula) {
    struct Case {
        const char* what;
        float lx, ly;
        int edges[4];
        float expected;
    };
    const Case cases[] = {
        // Square, all edges simple: coefficient 19.75 at a/b = 1 → 19.75 / 4² · 233.3067.
        {"square simply supported", 4.0f, 4.0f, {0, 0, 0, 0}, 19.75f / 16.0f * kPlateRoot},
        // lx > 2 ly: a strip over ly = 2.9, both ends simple, λ = 9.87 → 9.87 / 2.9² · 230.0435.
        {"strip over the short span", 6.0f, 2.9f, {0, 0, 0, 0}, 9.87f / (2.9f * 2.9f) * kBeamRoot},
        // lx = 2 ly exactly stays a plate: table B at r = 2 → 12.40 / 2.9² · 233.3067.
        {"plate at twice the span", 5.8f, 2.9f, {0, 0, 0, 0}, 12.40f / (2.9f * 2.9f) * kPlateRoot},
        // Bottom and top fixed, lx 4, ly 6 → case -3: a = 6, b = 4, r = 1.5, 17.38 / 4² · 233.3067.
        {"fixed bottom and top swap the sides", 4.0f, 6.0f, {1, 0, 1, 0}, 17.38f / 16.0f * kPlateRoot},
        // ly > 2 lx: a strip over lx = 2, left fixed, right simple, λ = 15.42.
        {"strip over lx", 2.0f, 5.0f, {0, 0, 0, 1}, 15.42f / 4.0f * kBeamRoot},
    };
    for (const Case& c : cases) {
        float omega = q.CalOmega(c.lx, c.ly, 0.3f, 25.0f, 30, c.edges, 0.0f);
        EXPECT_NEAR(omega, c.expected, 1e-4 * c.expected) << c.what;
    }
}

TEST_F(Frequency, ElasticEdgesLieBetweenSimpleAndFixed) {
    const int simple[4] = {0, 0, 0, 0};
    const int fixed[4] = {1, 1, 1, 1};
    const int elastic[4] = {2, 2, 2, 2};
    float w0 = q.CalOmega(4.0f, 5.0f, 0.25f, 25.0f, 30, simple, 0.0f);
    float w1 = q.CalOmega(4.0f, 5.0f, 0.25f, 25.0f, 30, fixed, 0.0f);
    EXPECT_GT(w1, w0);
    EXPECT_FLOAT_EQ(q.CalOmega(4.0f, 5.0f, 0.25f, 25.0f, 30, elastic, 0.0f), w0);
    EXPECT_FLOAT_EQ(q.CalOmega(4.0f, 5.0f, 0.25f, 25.0f, 30, elastic, 1.0f), w1);
    EXPECT_FLOAT_EQ(q.CalOmega(4.0f, 5.0f, 0.25f, 25.0f, 30, elastic, 0.5f), (w0 + w1) / 2.0f);
    // Without an elastic edge the fixity does nothing.
    EXPECT_FLOAT_EQ(q.CalOmega(4.0f, 5.0f, 0.25f, 25.0f, 30, simple, 0.7f), w0);
}

TEST_F(Frequency, BeamsUseTheirSupportCoefficient) {
    // Both ends fixed, λ = 22.37, span 5 m, b 0.3, h 0.3: 22.37 / 25 · 230.0435.
    EXPECT_NEAR(q.CalOmegaBeam(5.0f, 25.0f, 0.3f, 0.3f, 30, 4), 22.37f / 25.0f * kBeamRoot, 0.01f);
    // An unknown case is read as the cantilever.
    EXPECT_FLOAT_EQ(q.CalOmegaBeam(5.0f, 25.0f, 0.3f, 0.3f, 30, 11), q.CalOmegaBeam(5.0f, 25.0f, 0.3f, 0.3f, 30, 1));
    // A plate case outside 1..6 uses the first row.
    EXPECT_FLOAT_EQ(q.CalOmegaPlate(4, 5, 0.3f, 25, 30, 9), q.CalOmegaPlate(4, 5, 0.3f, 25, 30, 1));
}

TEST_F(Frequency, UnknownGradeOrEmptyGeometryGivesNoFrequency) {
    EXPECT_EQ(q.CalOmegaBeam(5.0f, 25.0f, 0.3f, 0.3f, 17, 2), 0.0f);
    EXPECT_EQ(q.CalOmegaPlate(4.0f, 0.0f, 0.3f, 25.0f, 30, 1), 0.0f);
}

TEST_F(Frequency, SupportCasesOfTheEdgeCodes) {
    struct Case {
        int kind, value;
        int edges[4];
        int expected;
    };
    const Case cases[] = {
        {0, 0, {0, 1, 0, 1}, 2},  {0, 0, {1, 0, 0, 0}, 3}, {0, 1, {2, 0, 1, 0}, 4}, {0, 0, {3, 0, 0, 0}, 0},
        {1, 0, {1, 0, 1, 0}, 2},  {1, 0, {0, 1, 0, 0}, 3}, {1, 1, {0, 2, 0, 2}, 4},
        {2, 0, {0, 0, 0, 0}, 1},  {2, 0, {1, 1, 1, 1}, 2}, {2, 0, {0, 1, 0, 1}, 3}, {2, 0, {1, 0, 1, 0}, -3},
        {2, 0, {0, 0, 1, 1}, 4},  {2, 0, {1, 0, 0, 1}, 4}, {2, 0, {1, 1, 0, 0}, 4}, {2, 0, {0, 1, 1, 0}, 4},
        {2, 0, {0, 1, 1, 1}, 5},  {2, 0, {1, 1, 0, 1}, 5}, {2, 0, {1, 0, 1, 1}, -5}, {2, 0, {1, 1, 1, 0}, -5},
        {2, 0, {0, 0, 0, 1}, -6}, {2, 0, {0, 1, 0, 0}, -6}, {2, 0, {1, 0, 0, 0}, 6}, {2, 0, {0, 0, 1, 0}, 6},
        {2, 1, {2, 2, 0, 2}, 5},  {2, 0, {2, 2, 0, 2}, 1}, {2, 0, {0, 0, 4, 0}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(q.GetSupportCase(c.kind, c.value, 4.0f, 4.0f, c.edges), c.expected)
            << c.kind << " / " << c.edges[0] << c.edges[1] << c.edges[2] << c.edges[3] << " with 2 as " << c.value;
}

TEST_F(Frequency, DynamicFactorFromTheCurves) {
    struct Case {
        float beta, omega, t;
        int shape;
        float expected;
    };
    const Case cases[] = {
        {3.0f, 100.0f, 0.0f, 1, 1.2f},    // 2·3 / (2·3 − 1)
        {5.0f, 100.0f, 0.0f, 1, 1.2f},    // β clamped to 3
        {1.0f, 100.0f, 0.0f, 2, 2.0f},    // x = 0 on the β = 1 curve, equal to 2β/(2β−1)
        {0.5f, 100.0f, 0.0f, 2, 2.0f},    // β clamped to 1
        {2.0f, 100.0f, 0.035f, 2, 1.145f},  // x = 3.5: (1.18 + 1.11) / 2
        // β = 1.35 halfway between the 1.2 and 1.5 curves at x = 2: (1.58 + 1.40) / 2.
        {1.35f, 100.0f, 0.02f, 2, 1.49f},
        {1.0f, 100.0f, 0.5f, 2, 1.10f},   // x = 50, beyond the table: its last value
    };
    for (const Case& c : cases)
        EXPECT_NEAR(q.CalKd(c.beta, c.omega, c.t, c.shape), c.expected, 1e-5f)
            << "beta " << c.beta << " x " << c.omega * c.t << " shape " << c.shape;
}

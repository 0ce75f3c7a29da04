#include "fem/beam_element.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/error.h"
#include "support/error_lines.h"

namespace {

using kv::fem::Variant;
using kv::test::ErrorLines;

constexpr Variant kBoth[] = {Variant::kLibrary, Variant::kContinuousBeam};

// Leaves the run's error code as a test found it.
class BeamElement : public ::testing::Test {
protected:
    void SetUp() override { JS_ERROR_CODE = 0; }
    void TearDown() override { JS_ERROR_CODE = 0; }
};

void ExpectLoads(const float (&want)[6], const float* got, const char* what) {
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(got[i], want[i], 1e-5 * (1.0 + std::fabs(want[i]))) << what << ", load " << i;
}

// Fixed-end values, positive upward w and bending rotation = minus the slope.
struct FixedEndCase {
    const char* what;
    bool line;  // line load (q1, q2, aa, bb) or point actions (P, M, T, a)
    float L, v1, v2, v3, v4;
    float want[6];
};

const FixedEndCase kFixedEnd[] = {
    // q = 12 over L = 4: qL/2 = 24, qL²/12 = 12·16/12 = 16.
    {"full uniform", true, 4, 12, 12, 0, 4, {24, 0, -16, 24, 0, 16}},
    // P = 16 at L/2 of 5: P/2 = 8, PL/8 = 10.
    {"midspan force", false, 5, 16, 0, 0, 2.5f, {8, 0, -10, 8, 0, 10}},
    // T = 8 at L/2: T/2 to each twist.
    {"midspan torque", false, 5, 0, 0, 8, 2.5f, {0, 4, 0, 0, 4, 0}},
    // P = 8 at a = 1, b = 3, L = 4: Pb²(L+2a)/L³ = 8·9·6/64 = 6.75, Pab²/L² = 4.5,
    // Pa²(L+2b)/L³ = 8·10/64 = 1.25, Pa²b/L² = 1.5.
    {"eccentric force", false, 4, 8, 0, 0, 1, {6.75f, 0, -4.5f, 1.25f, 0, 1.5f}},
    // M = 6 at a = 1, b = 3, L = 4: 6abM/L³ = 108/64 = 1.6875; Mb(3a−L)/L² = 6·3·(−1)/16 = −1.125;
    // Ma(3b−L)/L² = 6·5/16 = 1.875.
    {"moment", false, 4, 0, 6, 0, 1, {1.6875f, 0, 1.125f, -1.6875f, 0, -1.875f}},
};

TEST_F(BeamElement, FixedEndValuesMatchTheHandWorkedOnes) {
    for (const auto& c : kFixedEnd) {
        for (Variant v : kBoth) {
            float f[6] = {};
            if (c.line)
                ASSERT_TRUE(kv::fem::cal_load_beam(f, c.L, c.v1, c.v2, c.v3, c.v4, v)) << c.what;
            else
                ASSERT_TRUE(kv::fem::cal_eload_beam(f, c.L, c.v1, c.v2, c.v3, c.v4)) << c.what;
            ExpectLoads(c.want, f, c.what);
        }
    }
}

// A partial, linearly varying load against the shape functions integrated by Simpson's rule.
TEST_F(BeamElement, PartialLinearLoadEqualsTheIntegratedShapeFunctions) {
    const double L = 4, q1 = 2, q2 = 5, aa = 1, bb = 3;
    auto shape = [&](int i, double x) {
        const double t = x / L;
        switch (i) {
            case 0: return 1 - 3 * t * t + 2 * t * t * t;
            case 2: return -x * (1 - t) * (1 - t);
            case 3: return 3 * t * t - 2 * t * t * t;
            case 5: return x * t * (1 - t);
        }
        return 0.0;
    };
    float want[6] = {};
    const int n = 200;
    for (int i : {0, 2, 3, 5}) {
        double sum = 0;
        for (int k = 0; k <= n; ++k) {
            const double x = aa + (bb - aa) * k / n;
            const double w = (k == 0 || k == n) ? 1 : (k % 2 ? 4 : 2);
            sum += w * shape(i, x) * (q1 + (q2 - q1) * (x - aa) / (bb - aa));
        }
        want[i] = static_cast<float>(sum * (bb - aa) / n / 3);
    }
    for (Variant v : kBoth) {
        float f[6] = {};
        ASSERT_TRUE(kv::fem::cal_load_beam(f, 4, 2, 5, 1, 3, v));
        ExpectLoads(want, f, "partial linear load");
    }
}

TEST_F(BeamElement, LoadWithoutExtentIsLoggedByTheLibraryAndRefusedByTheContinuousBeam) {
    {
        ErrorLines log;
        float f[6] = {9, 9, 9, 9, 9, 9};
        EXPECT_TRUE(kv::fem::cal_load_beam(f, 4, 1, 2, 3, 3, Variant::kLibrary));
        for (float x : f) EXPECT_EQ(x, 0.0f);
        EXPECT_TRUE(log.Has(0, "Load error in cal_load_beam : bb <= aa"));
        EXPECT_TRUE(log.Has(0, "Q1= 1.000000, Q2 = 2.000000, aa = 3.000000, bb= 3.000000"));
        EXPECT_EQ(JS_ERROR_CODE, 0);
    }
    {
        ErrorLines log;
        float f[6] = {9, 9, 9, 9, 9, 9};
        EXPECT_FALSE(kv::fem::cal_load_beam(f, 4, 1, 2, 3, 2.5f, Variant::kContinuousBeam));
        for (float x : f) EXPECT_EQ(x, 9.0f);
        ASSERT_EQ(log.lines.size(), 2u);
        EXPECT_TRUE(log.Has(201, "Load error in cal_load_beam : bb <= aa"));
        EXPECT_TRUE(log.Has(201, "Q1= 1.000000, Q2 = 2.000000, aa = 3.000000, bb= 2.500000"));
        EXPECT_EQ(JS_ERROR_CODE, 201);
    }
}

TEST_F(BeamElement, ForceBeyondTheEndIsReportedAndActsAtMidspan) {
    ErrorLines log;
    float f[6] = {};
    EXPECT_FALSE(kv::fem::cal_eload_beam(f, 5, 16, 0, 0, 5.5f));
    EXPECT_TRUE(log.Has(201, "Load error in cal_eload_beam"));
    EXPECT_EQ(JS_ERROR_CODE, 201);
    ExpectLoads(kFixedEnd[1].want, f, "placed at L/2");
}

// The variants differ only in rounding the partial sums.
TEST_F(BeamElement, IntegralRoundsPartialSumsOnlyInTheLibrary) {
    const float a[4] = {1.1f, -0.7f, 0.3f, 0.9f}, s = 1.3f, c0 = 0.45f, aa = 0.2f, bb = 1.7f;
    // The same integral term by term in long double.
    const long double c[5] = {(long double)a[0] * c0, (long double)a[0] * s + (long double)a[1] * c0,
                              (long double)a[1] * s + (long double)a[2] * c0,
                              (long double)a[2] * s + (long double)a[3] * c0, (long double)a[3] * s};
    long double exact = 0;
    float rounded = 0;
    for (int k = 1; k <= 5; ++k) {
        const long double term = c[k - 1] * (powl(bb, k) - powl(aa, k)) / k;
        exact += term;
        rounded = static_cast<float>(rounded + static_cast<double>(term));
    }
    const double beam = kv::fem::integ_cubic_linear(a[0], a[1], a[2], a[3], s, c0, aa, bb, Variant::kContinuousBeam);
    const double lib = kv::fem::integ_cubic_linear(a[0], a[1], a[2], a[3], s, c0, aa, bb, Variant::kLibrary);
    EXPECT_NEAR(beam, static_cast<double>(exact), 1e-14);
    EXPECT_EQ(lib, static_cast<double>(rounded));
    EXPECT_NE(lib, beam);
}

// Simple-beam values. Line load 2 → 5 kN/m over 1…3 m of L = 4: W = 7, ∫ξq = 15,
// R_B = 3.75, R_A = 3.25; M(2) = 6.5 − ∫₁²(2−ξ)(1.5ξ+0.5)dξ = 6.5 − 1.25 = 5.25.
// Force 8 at 1 m: R_A = 6, R_B = 2. Moment 4 at 1 m: M jumps from −1 to +3.
struct SimpleBeamCase {
    int kind;
    float v1, v2, v3, v4, x;
    float m, v, resultant;
};

const SimpleBeamCase kSimpleBeam[] = {
    {1, 12, 12, 0, 4, 2, 24, 0, 24},   // qL²/8 = 12·16/8; the resultant of the left half
    {1, 2, 5, 1, 3, 0.5f, 1.625f, 3.25f, 0},
    {1, 2, 5, 1, 3, 2, 5.25f, -0.25f, 2.75f},  // V = R_A − 7·(1/2); (2 + 3.5)·1/2
    {1, 2, 5, 1, 3, 3.5f, 1.875f, -3.75f, 7},
    {2, 8, 0, 0, 1, 0.5f, 3, 6, 0},
    {2, 8, 0, 0, 1, 2, 4, -2, 8},
    {2, 0, 4, 0, 1, 0.5f, -0.5f, 0, 0},
    {2, 0, 4, 0, 1, 1, 3, 0, 0},
    {2, 0, 4, 0, 1, 2, 2, 0, 0},
};

TEST_F(BeamElement, SimpleBeamMomentShearAndResultant) {
    for (const auto& c : kSimpleBeam) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " at x = " << c.x);
        EXPECT_NEAR(kv::fem::cal_load_m(4, c.x, c.kind, c.v1, c.v2, c.v3, c.v4), c.m, 1e-5);
        EXPECT_NEAR(kv::fem::cal_load_v(4, c.x, c.kind, c.v1, c.v2, c.v3, c.v4), c.v, 1e-5);
        EXPECT_NEAR(kv::fem::cal_load_resultant(4, c.x, c.kind, c.v1, c.v2, c.v3, c.v4), c.resultant, 1e-5);
    }
}

// E = 3e7, ν = 0.2, I = 0.002, J = 0.001, L = 5 (nodes (1,0), (4,4)):
// 12EI/L³ = 5760, 6EI/L² = 14400, 4EI/L = 48000, 2EI/L = 24000, G·J/L = 1.25e7·0.001/5 = 2500.
TEST_F(BeamElement, StiffnessEntriesAndTheTorsionFactorOfEachVariant) {
    const float x[2] = {1, 4}, y[2] = {0, 4};
    for (Variant v : kBoth) {
        float K[36];
        ASSERT_TRUE(kv::fem::stiff_beam_local(K, x, y, 0.001f, 0.002f, 3e7f, 0.2f, v));
        const double first_twist = v == Variant::kLibrary ? 2500.25 : 2500.0;
        const double want[6][6] = {
            {5760, 0, -14400, -5760, 0, -14400},
            {0, first_twist, 0, 0, -2500, 0},
            {-14400, 0, 48000, 14400, 0, 24000},
            {-5760, 0, 14400, 5760, 0, 14400},
            {0, -2500, 0, 0, 2500, 0},
            {-14400, 0, 24000, 14400, 0, 48000},
        };
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 6; ++c) EXPECT_NEAR(K[r * 6 + c], want[r][c], 2e-6 * 48000) << r << "," << c;
        // A rigid-body rotation (w = ωx, bending rotation −ω) strains nothing.
        const float u[6] = {0, 0, -0.001f, 0.005f, 0, -0.001f};
        for (int r = 0; r < 6; ++r) {
            double f = 0;
            for (int c = 0; c < 6; ++c) f += K[r * 6 + c] * u[c];
            EXPECT_NEAR(f, 0, 1e-3) << r;
        }
    }
}

TEST_F(BeamElement, NoTorsionConstantNoTorsionEntries) {
    const float x[2] = {0, 3}, y[2] = {0, 0};
    float K[36];
    ASSERT_TRUE(kv::fem::stiff_beam_local(K, x, y, 0, 0.002f, 3e7f, 0.2f));
    EXPECT_EQ(K[1 * 6 + 1], 0.0f);
    EXPECT_EQ(K[4 * 6 + 4], 0.0f);
    EXPECT_EQ(K[1 * 6 + 4], 0.0f);
    EXPECT_EQ(K[4 * 6 + 1], 0.0f);
}

TEST_F(BeamElement, ZeroLengthElementIsRefusedInBothVariants) {
    const float x[2] = {2, 2}, y[2] = {1, 1};
    for (Variant v : kBoth) {
        JS_ERROR_CODE = 0;
        ErrorLines log;
        float K[36];
        for (float& k : K) k = 7;
        EXPECT_FALSE(kv::fem::stiff_beam_local(K, x, y, 0.001f, 0.002f, 3e7f, 0.2f, v));
        EXPECT_TRUE(log.Has(201, "算stiff_beam_local算梁单元长=0"));
        EXPECT_EQ(JS_ERROR_CODE, 201);
        for (float k : K) EXPECT_EQ(k, 7.0f);
    }
}

TEST_F(BeamElement, RotationAndOffsetMatrices) {
    float R[36];
    kv::fem::form_rotate_matrix(R, 0);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c) EXPECT_EQ(R[r * 6 + c], r == c ? 1.0f : 0.0f) << r << "," << c;

    // A quarter turn: the twist takes the global y rotation, the bending rotation minus the x one.
    kv::fem::form_rotate_matrix(R, static_cast<float>(M_PI / 2));
    for (int o : {0, 3}) {
        EXPECT_EQ(R[o * 6 + o], 1.0f);
        EXPECT_NEAR(R[(o + 1) * 6 + o + 2], 1, 1e-7);
        EXPECT_NEAR(R[(o + 2) * 6 + o + 1], -1, 1e-7);
        EXPECT_NEAR(R[(o + 1) * 6 + o + 1], 0, 1e-7);
    }

    float T[36];
    kv::fem::form_offset_matrix(T, 0.25f);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c) {
            const float want = (r == 0 && c == 2) || (r == 3 && c == 5) ? 0.25f : (r == c ? 1.0f : 0.0f);
            EXPECT_EQ(T[r * 6 + c], want) << r << "," << c;
        }
}

// Two elements sharing a node, six equations in two blocks (columns 1–3, 4–6).
// Column heights 1, 2, 3, 4, 3, 4 → diagonal addresses 1, 3, 6, 10, 13, 17, first rows 1, 1, 1, 1, 3, 3.
struct Skyline {
    int addr[7] = {0, 1, 3, 6, 10, 13, 17};
    int firstrow[7] = {0, 1, 1, 1, 1, 3, 3};
    int blockend[3] = {0, 3, 6};
    int eq[2][6] = {{1, 2, 0, 3, 4, -1}, {3, 4, -1, 5, 6, 0}};
    double dense[7][7] = {};

    long Place(int row, int col, int block) const {
        return long(addr[col]) - col + row - 1 - addr[blockend[block - 1]];
    }
    void AddDense(const float* K) {
        for (const auto& e : eq)
            for (int r = 0; r < 6; ++r)
                for (int s = 0; s < 6; ++s)
                    if (e[r] > 0 && e[s] > 0) dense[e[r]][e[s]] += K[r * 6 + s];
    }
};

TEST_F(BeamElement, ElementsAddIntoEachBlockAsIntoTheWholeMatrix) {
    Skyline sky;
    float K[36];
    for (int r = 0; r < 6; ++r)
        for (int s = 0; s < 6; ++s) K[r * 6 + s] = 1.0f + r + s + 0.5f * r * s;
    sky.AddDense(K);
    for (int block = 1; block <= 2; ++block) {
        const int c0 = sky.blockend[block - 1], c1 = sky.blockend[block];
        std::vector<double> a(sky.addr[c1] - sky.addr[c0], 0.0);
        for (const auto& e : sky.eq) {
            ASSERT_EQ(kv::fem::ele_in_block(e, 6, block, sky.blockend), 1);
            kv::fem::add_ele_symmetri(block, K, 6, e, a.data(), sky.blockend, sky.addr, sky.firstrow);
        }
        for (int col = c0 + 1; col <= c1; ++col)
            for (int row = 1; row <= col; ++row) {
                if (row < sky.firstrow[col]) {
                    EXPECT_EQ(sky.dense[row][col], 0.0) << "outside the profile " << row << "," << col;
                    continue;
                }
                EXPECT_EQ(a[sky.Place(row, col, block)], sky.dense[row][col]) << row << "," << col;
            }
    }
    const int first_only[3] = {1, 2, -1};
    EXPECT_EQ(kv::fem::ele_in_block(first_only, 3, 2, sky.blockend), 0);
}

TEST_F(BeamElement, UnsymmetricElementsFillTheUpperAndLowerArrays) {
    Skyline sky;
    float K[36];
    for (int r = 0; r < 6; ++r)
        for (int s = 0; s < 6; ++s) K[r * 6 + s] = 1.0f + r + 2.0f * s;
    sky.AddDense(K);
    const int block = 1, c1 = sky.blockend[1];
    std::vector<double> upper(sky.addr[c1], 0.0), lower(sky.addr[c1], 0.0);
    for (const auto& e : sky.eq)
        kv::fem::add_ele_not_symmetri(block, K, 6, e, upper.data(), lower.data(), sky.blockend, sky.addr,
                                      sky.firstrow);
    for (int col = 1; col <= c1; ++col)
        for (int row = sky.firstrow[col]; row <= col; ++row) {
            EXPECT_EQ(upper[sky.Place(row, col, block)], sky.dense[row][col]) << row << "," << col;
            EXPECT_EQ(lower[sky.Place(row, col, block)], sky.dense[col][row]) << row << "," << col;
        }
}

}  // namespace

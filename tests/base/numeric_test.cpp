#include "base/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "base/error.h"

namespace {

class Numeric : public ::testing::Test {
protected:
    void SetUp() override {
        JS_ERROR_CODE = 0;
        kv::err::ClearRecentLines();
    }
    void TearDown() override { JS_ERROR_CODE = 0; }

    static bool Logged(int code) {
        for (const auto& line : kv::err::RecentLines())
            if (line.code == code) return true;
        return false;
    }
};

// A = [[0, 2, 1], [1, 0, 0], [3, 0, 1]] (a zero in the first pivot place),
// det A = -2, A⁻¹ = [[0, 1, 0], [0.5, 1.5, -0.5], [0, -3, 1]] by cofactors.
// B = [[1, 0], [2, 0], [3, 1]]: A⁻¹B = [[2, 0], [2, -0.5], [-3, 1]].
const double kA[9] = {0, 2, 1, 1, 0, 0, 3, 0, 1};
const double kInv[9] = {0, 1, 0, 0.5, 1.5, -0.5, 0, -3, 1};
const double kB[6] = {1, 0, 2, 0, 3, 1};
const double kX[6] = {2, 0, 2, -0.5, -3, 1};

template <typename T>
void CheckContiguous(double tol) {
    std::vector<T> a(kA, kA + 9), b(kB, kB + 6);
    ASSERT_EQ(gaussj(a.data(), 3, b.data(), 2), 1);
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(a[i], kInv[i], tol) << i;
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(b[i], kX[i], tol) << i;
}

template <typename T>
void CheckRows(double tol) {
    T a[3][3], b[3][2];
    T* ar[3];
    T* br[3];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) a[i][j] = static_cast<T>(kA[i * 3 + j]);
        for (int j = 0; j < 2; ++j) b[i][j] = static_cast<T>(kB[i * 2 + j]);
        ar[i] = a[i];
        br[i] = b[i];
    }
    ASSERT_EQ(gaussj(ar, 3, br, 2), 1);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(a[i][j], kInv[i * 3 + j], tol);
        for (int j = 0; j < 2; ++j) EXPECT_NEAR(b[i][j], kX[i * 2 + j], tol);
    }
}

TEST_F(Numeric, GaussjInvertsAndSolvesInEveryStorage) {
    CheckContiguous<float>(1e-6);
    CheckContiguous<double>(1e-14);
    CheckRows<float>(1e-6);
    CheckRows<double>(1e-14);
    EXPECT_EQ(JS_ERROR_CODE, 0);

    // Inverse only.
    double a[4] = {4, 7, 2, 6};  // inverse [[0.6, -0.7], [-0.2, 0.4]]
    ASSERT_EQ(gaussj(a, 2, static_cast<double*>(nullptr), 0), 1);
    EXPECT_NEAR(a[0], 0.6, 1e-14);
    EXPECT_NEAR(a[1], -0.7, 1e-14);
    EXPECT_NEAR(a[2], -0.2, 1e-14);
    EXPECT_NEAR(a[3], 0.4, 1e-14);
}

TEST_F(Numeric, GaussjJudgesRowsOfVeryDifferentSizeFairly) {
    // Well conditioned once scaled: must not be called singular.
    float a[4] = {1e6f, 0, 0, 1e-3f};
    float b[2] = {2e6f, 3e-3f};
    ASSERT_EQ(gaussj(a, 2, b, 1), 1);
    EXPECT_FLOAT_EQ(a[0], 1e-6f);
    EXPECT_FLOAT_EQ(a[3], 1e3f);
    EXPECT_FLOAT_EQ(b[0], 2);
    EXPECT_FLOAT_EQ(b[1], 3);
    float c[4] = {1e-7f, 1, 1e-7f, 2};  // det 1e-7, a tiny first column
    ASSERT_EQ(gaussj(c, 2, static_cast<float*>(nullptr), 0), 1);
    EXPECT_NEAR(c[0], 2e7, 2e7 * 1e-5);
}

TEST_F(Numeric, GaussjReportsASingularMatrixAndLeavesItsArgumentsAlone) {
    struct Case {
        const char* what;
        std::vector<float> a, b;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {"dependent rows", {1, 2, 2, 4}, {1, 1}},
        {"dependent rows in single precision", {0.1f, 0.2f, 0.3f, 0.6f}, {1, 1}},
        {"a zero row", {1, 2, 0, 0}, {1, 1}},
        {"all zero", {0, 0, 0, 0}, {1, 1}},
        {"not a number", {1, nan, 0, 1}, {1, 1}},
        {"right-hand side not a number", {1, 0, 0, 1}, {nan, 1}},
    };
    for (const auto& c : cases) {
        JS_ERROR_CODE = 0;
        kv::err::ClearRecentLines();
        std::vector<float> a = c.a, b = c.b;
        EXPECT_EQ(gaussj(a.data(), 2, b.data(), 1), 0) << c.what;
        EXPECT_EQ(JS_ERROR_CODE, 301) << c.what;
        EXPECT_TRUE(Logged(301)) << c.what;
        for (size_t i = 0; i < a.size(); ++i)
            EXPECT_TRUE(a[i] == c.a[i] || (std::isnan(a[i]) && std::isnan(c.a[i]))) << c.what;
        EXPECT_TRUE(b[0] == c.b[0] || std::isnan(c.b[0])) << c.what;
        EXPECT_EQ(b[1], c.b[1]) << c.what;
    }
    JS_ERROR_CODE = 0;
    double d = 1;
    EXPECT_EQ(gaussj(&d, 0, &d, 1), 0);
    EXPECT_EQ(JS_ERROR_CODE, 301);
}

TEST_F(Numeric, MatrixProducts) {
    const float a[6] = {1, 2, 3, 4, 5, 6};        // 2 x 3
    const float b[6] = {7, 8, 9, 10, 11, 12};     // 3 x 2
    float c[4];
    mut_matrix(a, b, c, 2, 3, 2);
    const float ab[4] = {58, 64, 139, 154};
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(c[i], ab[i]);

    const double m[4] = {1, 1, 0, 1};            // 2 x 2
    const double ad[6] = {1, 2, 3, 4, 5, 6};
    double t[6];
    mut_matrix_1(ad, m, t, 2, 3, 2);             // aᵀ (3 x 2) · m
    const double atm[6] = {1, 5, 2, 7, 3, 9};
    for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(t[i], atm[i]);

    // A bar along x (stiffness only along its axis) turned by 90°: Tᵀ·K·T,
    // with the result written over K, is stiff along y only.
    const float rot[4] = {0, 1, -1, 0};
    float k[4] = {1, 0, 0, 0};
    mut_matrix_lr_1(rot, k, rot, k, 2, 2, 2);
    const float turned[4] = {0, 0, 0, 1};
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(k[i], turned[i]) << i;

    // A product written over its own first operand.
    double sq[4] = {1, 2, 3, 4};
    mut_matrix(sq, sq, sq, 2, 2, 2);
    const double sq2[4] = {7, 10, 15, 22};
    for (int i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(sq[i], sq2[i]);
}

float Square(float x) { return x * x; }
float Sine(float x) { return std::sin(x); }
// Vertical stress of a unit point load at plan distance 1, depth z
// (Boussinesq): 3z³ / (2π (1 + z²)^2.5).
float Boussinesq(float z) {
    return static_cast<float>(3.0 * z * z * z / (2 * std::numbers::pi * std::pow(1.0 + z * z, 2.5)));
}
float Step(float x) { return x < 1.0f / 3 ? 0.0f : 1.0f; }
float NotANumber(float x) { return x > 0.5f ? std::numeric_limits<float>::quiet_NaN() : x; }

TEST_F(Numeric, RombergIntegratesSmoothFunctions) {
    EXPECT_NEAR(integeration_romberg(Square, 0, 1), 1.0 / 3, 1e-6);
    EXPECT_NEAR(integeration_romberg(Square, 1, 0), -1.0 / 3, 1e-6);
    EXPECT_NEAR(integeration_romberg(Sine, 0, 3.1415927f), 2.0, 1e-5);
    // Closed form of the stress integral from 0 to 2 at r = 1:
    // (2/r − (2r² + 3z²)/(r² + z²)^1.5)/(2π) = (2 − 14/5^1.5)/(2π) = 0.1190159.
    const double r = 1, z = 2;
    double exact = (2 / r - (2 * r * r + 3 * z * z) / std::pow(r * r + z * z, 1.5)) / (2 * std::numbers::pi);
    EXPECT_NEAR(integeration_romberg(Boussinesq, 1e-7f, 2), exact, 1e-6);
    EXPECT_FLOAT_EQ(integeration_romberg(Square, 2, 2), 0);
    EXPECT_EQ(JS_ERROR_CODE, 0);
    EXPECT_TRUE(kv::err::RecentLines().empty());
}

TEST_F(Numeric, RombergSaysWhenItCannotDeliver) {
    // A jump: the estimate is still close, but the channel gets a warning.
    EXPECT_NEAR(integeration_romberg(Step, 0, 1), 2.0 / 3, 1e-4);
    EXPECT_TRUE(Logged(101));
    EXPECT_EQ(JS_ERROR_CODE, 0);

    EXPECT_FLOAT_EQ(integeration_romberg(NotANumber, 0, 1), 0);
    EXPECT_EQ(JS_ERROR_CODE, 301);
}

}  // namespace

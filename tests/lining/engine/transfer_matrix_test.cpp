// Element transfer matrices against the matrix exponential of the bar's state
// matrix, the joint rotation and the drivers' solver.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/error.h"
#include "lining/engine/transfer_matrix.h"
#include "matrix_support.h"
#include "test_section.h"

using kv::test::Distance;
using kv::test::Expm;
using kv::test::Identity6;
using kv::test::Mat6;
using kv::test::Norm;
using kv::test::Scaled;
using kv::test::Times;

namespace {

constexpr int N = 0, Q = 1, M = 2, U = 3, V = 4, F = 5;

TEST(LiningTransferMatrix, StraightElementWithoutResistanceIsItsCubicSeries) {
    // A straight bar without rock has A⁴ = 0: one Runge-Kutta step is exact.
    CTestSection s;
    const float L = 3.0f, t = 0.5f;
    const int n = 4;
    Mat6 A, H;
    ASSERT_EQ(s.StateMatrix_Line(n, 2, 1, L, t, t, 0, 500, A.data()), 0);
    ASSERT_EQ(s.CalHj_Line(n, 2, L, t, t, 0, 0, 0, 500, H.data()), 0);
    const double h = double(L) / n;
    const Mat6 hA = Scaled(A, h), hA2 = Times(hA, hA), hA3 = Times(hA2, hA);
    EXPECT_EQ(Norm(Times(hA3, hA)), 0.0);
    Mat6 series = Identity6();
    for (int e = 0; e < 36; ++e) series[e] += hA[e] + hA2[e] / 2 + hA3[e] / 6;
    EXPECT_LT(Distance(H, series), 1e-7 * Norm(series));
    EXPECT_NEAR(H[M * 6 + Q], -h, 1e-7 * h);
    EXPECT_NEAR(H[U * 6 + N], h / t, 1e-7 * h / t);
    EXPECT_NEAR(H[F * 6 + M], 12 * h / (t * t * t), 1e-7 * 12 * h / (t * t * t));
}

TEST(LiningTransferMatrix, StateMatrixTable) {
    CTestSection s;
    s.m_fE = 20000;
    Mat6 line, arc;
    // Element 1 of 4, stage 2: the thickness at 1.5/4 of the way from 0.4 to 0.8.
    ASSERT_EQ(s.StateMatrix_Line(4, 1, 2, 2, 0.4f, 0.8f, 1, 400, line.data()), 0);
    ASSERT_EQ(s.StateMatrix_Arc(4, 1, 2, 5, 1, 0.4f, 0.8f, 1, 400, arc.data()), 0);
    const double t = 0.4 + 0.4 * 1.5 / 4;
    Mat6 want{};
    want[Q * 6 + V] = 400.0 / 20000;
    want[M * 6 + Q] = -1;
    want[U * 6 + N] = 1 / t;
    want[V * 6 + F] = 1;
    want[F * 6 + M] = 12 / (t * t * t);
    for (int e = 0; e < 36; ++e) EXPECT_NEAR(line[e], want[e], 1e-6 * std::fabs(want[e])) << e;
    want[N * 6 + Q] = -0.2;
    want[Q * 6 + N] = 0.2;
    want[U * 6 + V] = -0.2;
    want[V * 6 + U] = 0.2;
    for (int e = 0; e < 36; ++e) EXPECT_NEAR(arc[e], want[e], 1e-6 * std::fabs(want[e])) << e;
    ASSERT_EQ(s.StateMatrix_Line(4, 1, 2, 2, 0.4f, 0.8f, 0, 400, line.data()), 0);
    EXPECT_EQ(line[Q * 6 + V], 0.0);  // the rock acts only under the flag
}

// A curved element of uniform thickness against exp(h·A), with and without rock.
class CurvedElement : public ::testing::TestWithParam<int> {};

TEST_P(CurvedElement, OneStepErrorFallsWithTheFifthPowerOfTheLength) {
    const int flag = GetParam();
    CTestSection s;
    s.m_fE = 10;  // k/E = 0.5: every term of A of order one
    const float R = 2, t = 1, k = 5;
    Mat6 A;
    ASSERT_EQ(s.StateMatrix_Arc(1, 0, 1, R, 1, t, t, flag, k, A.data()), 0);
    std::vector<double> errors;
    for (double h = 1.0; h > 0.1; h /= 2) {
        Mat6 H;
        ASSERT_EQ(s.CalHj_Arc(1, 0, R, float(h / R), t, t, flag, flag, flag, k, H.data()), 0);
        errors.push_back(Distance(H, Expm(Scaled(A, h))));
    }
    for (size_t e = 1; e < errors.size(); ++e) {
        const double ratio = errors[e - 1] / errors[e];
        EXPECT_GT(ratio, 24) << "halving " << e;
        EXPECT_LT(ratio, 40) << "halving " << e;
    }
}

TEST_P(CurvedElement, PartEndErrorFallsWithTheFourthPowerOfTheElementCount) {
    const int flag = GetParam();
    CTestSection s;
    s.m_fE = 10;
    const float R = 2, theta = 3, t = 1, k = 5;
    Mat6 A;
    ASSERT_EQ(s.StateMatrix_Arc(1, 0, 1, R, theta, t, t, flag, k, A.data()), 0);
    const Mat6 exact = Expm(Scaled(A, R * theta));
    std::vector<double> errors;
    for (int n = 8; n <= 512; n *= 2) {
        Mat6 chain = Identity6();
        for (int i = 0; i < n; ++i) {
            Mat6 H;
            ASSERT_EQ(s.CalHj_Arc(n, i, R, theta, t, t, flag, flag, flag, k, H.data()), 0);
            chain = Times(H, chain);
        }
        errors.push_back(Distance(chain, exact) / Norm(exact));
    }
    // 16-fold per doubling once the elements are short enough and while the
    // truncation stands well above the rounding of the single-precision weights...
    int ratios = 0;
    for (size_t e = 1; e < errors.size() && errors[e] > 1e-6; ++e) {
        if (errors[e - 1] > 1e-3) continue;
        const double ratio = errors[e - 1] / errors[e];
        EXPECT_GT(ratio, 13) << "doubling " << e;
        EXPECT_LT(ratio, 19) << "doubling " << e;
        ++ratios;
    }
    EXPECT_GE(ratios, 2);
    // ...and then down to that rounding.
    EXPECT_LT(errors.back(), 1e-6);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutRock, CurvedElement, ::testing::Values(0, 1));

TEST(LiningTransferMatrix, ResistanceAtTheEndNodeOnlyChangesTheLastStage) {
    CTestSection s;
    const int n = 5, i = 3;
    Mat6 off[4], on[4];
    const int flagsOff[4] = {0, 0, 0, 0}, flagsOn[4] = {0, 0, 0, 1};  // start, mid, mid, end
    for (int stage = 1; stage <= 4; ++stage) {
        const double* prevOff = stage > 1 ? off[stage - 2].data() : nullptr;
        const double* prevOn = stage > 1 ? on[stage - 2].data() : nullptr;
        ASSERT_EQ(s.StageK_Arc(n, i, stage, 4, 1.2f, 0.5f, 0.7f, flagsOff[stage - 1], 800, prevOff,
                               off[stage - 1].data()), 0);
        ASSERT_EQ(s.StageK_Arc(n, i, stage, 4, 1.2f, 0.5f, 0.7f, flagsOn[stage - 1], 800, prevOn,
                               on[stage - 1].data()), 0);
    }
    for (int stage = 0; stage < 3; ++stage) EXPECT_EQ(Distance(off[stage], on[stage]), 0.0) << stage + 1;
    EXPECT_GT(Distance(off[3], on[3]), 0.0);
    Mat6 Hoff, Hon;
    ASSERT_EQ(s.CalHj_Arc(n, i, 4, 1.2f, 0.5f, 0.7f, 0, 0, 0, 800, Hoff.data()), 0);
    ASSERT_EQ(s.CalHj_Arc(n, i, 4, 1.2f, 0.5f, 0.7f, 0, 0, 1, 800, Hon.data()), 0);
    for (int e = 0; e < 36; ++e)
        EXPECT_NEAR(Hon[e] - Hoff[e], double(1.0f / 6) * (on[3][e] - off[3][e]), 1e-12 * (1 + std::fabs(Hon[e])));
}

TEST(LiningTransferMatrix, BadElementArgumentsAreRefused) {
    CTestSection s;
    Mat6 A, K;
    struct Case {
        int n, i, stage;
    } const bad[] = {{0, 0, 1}, {3, -1, 1}, {3, 3, 1}, {3, 0, 0}, {3, 0, 5}};
    for (const auto& c : bad) {
        EXPECT_EQ(s.StateMatrix_Line(c.n, c.i, c.stage, 1, 1, 1, 0, 0, A.data()), -1) << c.n << c.i << c.stage;
        EXPECT_EQ(s.StateMatrix_Arc(c.n, c.i, c.stage, 1, 1, 1, 1, 0, 0, A.data()), -1);
        EXPECT_EQ(s.StageK_Line(c.n, c.i, c.stage, 1, 1, 1, 0, 0, K.data(), A.data()), -1);
        EXPECT_EQ(s.StageK_Arc(c.n, c.i, c.stage, 1, 1, 1, 1, 0, 0, K.data(), A.data()), -1);
    }
    for (const auto& c : bad) {
        if (c.stage != 1) continue;  // the element routines take no stage
        EXPECT_EQ(s.CalHj_Line(c.n, c.i, 1, 1, 1, 0, 0, 0, 0, A.data()), -1);
        EXPECT_EQ(s.CalHj_Arc(c.n, c.i, 1, 1, 1, 1, 0, 0, 0, 0, A.data()), -1);
    }
    EXPECT_EQ(s.StateMatrix_Line(3, 0, 1, 1, 1, 1, 0, 0, nullptr), -1);
    EXPECT_EQ(s.CalHj_Line(3, 0, 1, 1, 1, 0, 0, 0, 0, nullptr), -1);
    EXPECT_EQ(s.CalHj_Arc(3, 0, 1, 1, 1, 1, 0, 0, 0, 0, nullptr), -1);
}

TEST(LiningTransferMatrix, JointRotation) {
    Mat6 R0, Rp, Rm;
    ASSERT_EQ(CJieMianBase::RotateMatrix(R0.data(), 0), 0);
    EXPECT_EQ(Distance(R0, Identity6()), 0.0);
    ASSERT_EQ(CJieMianBase::RotateMatrix(Rp.data(), 0.7), 0);
    ASSERT_EQ(CJieMianBase::RotateMatrix(Rm.data(), -0.7), 0);
    EXPECT_LT(Distance(Times(Rp, Rm), Identity6()), 1e-15);
    EXPECT_NEAR(Rp[N * 6 + Q], -std::sin(0.7), 1e-15);
    EXPECT_NEAR(Rp[V * 6 + U], std::sin(0.7), 1e-15);
    EXPECT_EQ(Rp[M * 6 + M], 1.0);
    EXPECT_EQ(Rp[F * 6 + F], 1.0);
    EXPECT_EQ(CJieMianBase::RotateMatrix(nullptr, 1), -1);

    // Turning a straight part by π/2 and back leaves its chain as it was.
    CTestSection s;
    const int n = 6;
    Mat6 plain = Identity6();
    for (int i = 0; i < n; ++i) {
        Mat6 H;
        ASSERT_EQ(s.CalHj_Line(n, i, 2.5f, 0.6f, 0.6f, 1, 1, 1, 500, H.data()), 0);
        plain = Times(H, plain);
    }
    Mat6 in, out;
    CJieMianBase::RotateMatrix(in.data(), M_PI / 2);
    CJieMianBase::RotateMatrix(out.data(), -M_PI / 2);
    const Mat6 turned = Times(out, Times(plain, in));
    const Mat6 back = Times(in, Times(turned, out));
    EXPECT_LT(Distance(back, plain), 1e-12 * Norm(plain));
}

TEST(LiningTransferMatrix, MatMulOfRectangularBlocks) {
    const double A[6] = {1, 2, 3, 4, 5, 6};      // 2×3
    const double B[6] = {7, 8, 9, 10, 11, 12};   // 3×2
    double C[4];
    CJieMianBase::MatMul(C, A, B, 2, 3, 2);
    EXPECT_EQ(C[0], 58);
    EXPECT_EQ(C[1], 64);
    EXPECT_EQ(C[2], 139);
    EXPECT_EQ(C[3], 154);
}

// ---- solver ----

Mat6 WellConditioned() {
    Mat6 a;
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c) a[r * 6 + c] = r == c ? 10.0 + r : std::sin(1.0 + r * 6 + c);
    return a;
}

TEST(LiningSolver, InverseAndSolutionsOfAWellConditionedMatrix) {
    for (const int m : {1, 3}) {
        const Mat6 a = WellConditioned();
        Mat6 inv = a;
        std::vector<double> x(6 * m);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < m; ++c) x[r * m + c] = r - 2.0 * c + 0.5;
        const std::vector<double> rhs = x;
        kv::err::ClearRecentLines();
        ASSERT_EQ(New_gaussj(inv.data(), 6, x.data(), m), 0);
        EXPECT_TRUE(kv::err::RecentLines().empty());
        EXPECT_LT(Distance(Times(a, inv), Identity6()), 1e-12) << m;
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < m; ++c) {
                double sum = 0;
                for (int l = 0; l < 6; ++l) sum += a[r * 6 + l] * x[l * m + c];
                EXPECT_NEAR(sum, rhs[r * m + c], 1e-12) << r << "," << c;
            }
    }
}

TEST(LiningSolver, ZeroColumnGoesOnWithATinyPivotAndANotice) {
    Mat6 a = WellConditioned();
    for (int r = 0; r < 6; ++r) a[r * 6 + 2] = 0;
    double b[6] = {1, 1, 1, 1, 1, 1};
    kv::err::ClearRecentLines();
    EXPECT_EQ(New_gaussj(a.data(), 6, b, 1), 0);
    const auto& lines = kv::err::RecentLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].code, 0);
    EXPECT_EQ(lines[0].text, "警告：求逆时发现矩阵有奇异性，计算结果可能有一定误差 !");
    // The zero pivot stood in as 1e-10: its inverse is the unknown's factor.
    double largest = 0;
    for (double v : a) largest = std::max(largest, std::fabs(v));
    EXPECT_NEAR(largest, 1e10, 1e-3 * 1e10);
    EXPECT_EQ(New_gaussj(a.data(), 0, b, 1), -1);
}

}  // namespace

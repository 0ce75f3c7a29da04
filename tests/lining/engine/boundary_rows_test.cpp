// End rows of a section's chain and the two checks of the resistance iteration.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "lining_text.h"
#include "report/script.h"
#include "test_section.h"

using kv::test::Written;

namespace {

constexpr int N = 0, Q = 1, M = 2, U = 3, V = 4, F = 5;

struct Entry {
    int row, column;
    double value;
};

void ExpectRows(const double* rows, const std::vector<Entry>& entries, const char* what) {
    double want[18] = {};
    for (const Entry& e : entries) want[e.row * 6 + e.column] = e.value;
    for (int e = 0; e < 18; ++e) EXPECT_DOUBLE_EQ(rows[e], want[e]) << what << " entry " << e;
}

TEST(LiningBoundaryRows, FourTypes) {
    const float k = 500, t = 0.6f, I = 0.018f, E = 25000;
    struct Case {
        int type;
        std::vector<Entry> entries;
        const char* what;
    } const cases[] = {
        {0, {{0, Q, 1}, {1, U, 1}, {2, F, 1}}, "symmetry cut"},
        {1, {{0, M, 1}, {1, U, 1}, {2, V, 1}}, "hinge"},
        {2, {{0, U, 1}, {1, V, 1}, {2, F, 1}}, "fixed end"},
        {3, {{0, N, 1}, {0, U, double(k) * t / E}, {1, M, 1}, {1, F, double(k) * I / E}, {2, V, 1}}, "elastic"},
    };
    for (const auto& c : cases) {
        double rows[18];
        for (double& v : rows) v = 9;
        ASSERT_EQ(CJieMianBase::BoundaryMatrix(c.type, rows, k, t, I, E, 0), 0) << c.what;
        ExpectRows(rows, c.entries, c.what);
    }
    double rows[18];
    CJieMianBase::BoundaryMatrix(3, rows, k, t, I, E, 1);
    ExpectRows(rows, {{0, N, 1}, {0, U, -double(k) * t / E}, {1, M, 1}, {1, F, -double(k) * I / E}, {2, V, 1}},
               "elastic, other side");
    for (double& v : rows) v = 9;
    EXPECT_EQ(CJieMianBase::BoundaryMatrix(4, rows, k, t, I, E, 0), -1);
    EXPECT_EQ(CJieMianBase::BoundaryMatrix(-1, rows, k, t, I, E, 0), -1);
    for (double v : rows) EXPECT_EQ(v, 9);  // a refused type leaves the rows alone
    EXPECT_EQ(CJieMianBase::BoundaryMatrix(0, nullptr, k, t, I, E, 0), -1);
}

TEST(LiningBoundaryRows, ElasticSupportWithoutModulusWarnsAndGoesOn) {
    kv::err::ClearRecentLines();
    double rows[18];
    ASSERT_EQ(CJieMianBase::BoundaryMatrix(3, rows, 500, 0.6f, 0.018f, 0, 0), 0);
    const auto& lines = kv::err::RecentLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].code, 101);
    EXPECT_EQ(lines[0].text, "警告：求弹性支座的边界矩阵中弹性模量E小于等于0!");
    EXPECT_DOUBLE_EQ(rows[0 * 6 + U], 500.0 * 0.6f / 0.00001f);
    EXPECT_DOUBLE_EQ(rows[1 * 6 + F], 500.0 * 0.018f / 0.00001f);
}

TEST(LiningBoundaryRows, SupportKinds) {
    const float k = 400, t = 0.8f, E = 30000;
    for (int kind = 0; kind < 3; ++kind) {
        double rows[18], want[18];
        ASSERT_EQ(CJieMianBase::SupportMatrix(kind, rows, k, t, E, 1), 0) << kind;
        CJieMianBase::BoundaryMatrix(kind + 1, want, k, t, t * t * t / 12, E, 1);
        for (int e = 0; e < 18; ++e) EXPECT_DOUBLE_EQ(rows[e], want[e]) << kind << ":" << e;
    }
    // No such support: rows that state nothing, and the caller is told.
    double rows[18];
    for (double& v : rows) v = 9;
    EXPECT_EQ(CJieMianBase::SupportMatrix(3, rows, k, t, E, 0), -1);
    for (double v : rows) EXPECT_EQ(v, 0);
}

// Node results of parts of n elements with the given normal displacements (m).
std::vector<double> Nodes(const std::vector<double>& v) {
    std::vector<double> nodes(6 * v.size(), 0.0);
    for (size_t j = 0; j < v.size(); ++j) nodes[6 * j + V] = v[j];
    return nodes;
}

std::string Red(const char* text) {
    return Written([&](std::FILE* fp) { VanjoroScript_Text(fp, text, 255, 1.0); });
}

TEST(LiningResistanceCheck, ThresholdIsStrict) {
    CTestSection s;
    const double at = s.m_fKangLiMenXian;
    const std::vector<double> nodes = Nodes({at, at * 2});
    int flags[2] = {1, 0}, mids[1] = {1};
    EXPECT_EQ(s.CheckKangLi(1, 1, nodes.data(), flags, mids, 1, nullptr), 0);
    EXPECT_EQ(flags[0], 0);  // exactly at the threshold: no resistance
    EXPECT_EQ(flags[1], 1);
    EXPECT_EQ(mids[0], 1);   // the mean 1.5 × threshold lies above it
    EXPECT_EQ(s.CheckKangLi(1, 1, nodes.data(), flags, mids, 1, nullptr), 1);
}

TEST(LiningResistanceCheck, MidpointsWithTheSwitchOff) {
    CTestSection s;
    // Both nodes keep their flags; the midpoint (mean below the threshold) flips.
    const std::vector<double> nodes = Nodes({0.002, -0.004});
    int flags[2] = {1, 0}, mids[1] = {1};
    const std::string log = Written([&](std::FILE* fp) {
        EXPECT_EQ(s.CheckKangLi(1, 1, nodes.data(), flags, mids, 0, fp), 1);
    });
    EXPECT_EQ(mids[0], 0);
    EXPECT_EQ(log,
              "\n[ 抗力假设验证 ]\n假定抗力分布: \n         1         0\n\n"
              "法向位移(mm): \n     2.000    -4.000\n\n");
}

TEST(LiningResistanceCheck, LogLayoutWithMidpointsAndClippedValues) {
    CTestSection s;
    // Two parts of one element: part 0 keeps its flags, part 1 runs away.
    const std::vector<double> nodes = Nodes({0.001, 0.003, 12, -20});
    int flags[4] = {1, 1, 0, 1}, mids[2] = {1, 1};
    const std::string log = Written([&](std::FILE* fp) {
        EXPECT_EQ(s.CheckKangLi(1, 2, nodes.data(), flags, mids, 1, fp), 0);
    });
    EXPECT_EQ(flags[2], 1);  // 12 m is written clipped but still counts
    EXPECT_EQ(flags[3], 0);
    EXPECT_EQ(mids[1], 0);   // mean −4 m
    EXPECT_EQ(log, "\n[ 抗力假设验证 ]\n假定抗力分布: \n"
                   "         1         1         1\n"
                   "         0         1         1\n\n"
                   "法向位移(mm): \n"
                   "     1.000     2.000     3.000\n" +
                       Red(" 10000.000") + Red(" -4000.000") + Red("-10000.000") + "\n\n");
}

TEST(LiningDisplacementCheck, LargestChangeAndItsLog) {
    const std::vector<double> now = Nodes({0.001, 0.004, 30}), before = Nodes({0.001, 0.0015, 0});
    EXPECT_EQ(CJieMianBase::CheckWeiYi(2, 1, now.data(), now.data(), nullptr), 0.0f);
    const std::string log = Written([&](std::FILE* fp) {
        EXPECT_FLOAT_EQ(CJieMianBase::CheckWeiYi(1, 1, now.data(), before.data(), fp), 0.0025f);
    });
    EXPECT_EQ(log, "\n[ 法向位移验证 ]\n和上次结果的差别(mm): \t     0.000     2.500\n最大值(mm): \t\t     2.500\n");
    const std::string clipped = Written([&](std::FILE* fp) {
        EXPECT_FLOAT_EQ(CJieMianBase::CheckWeiYi(2, 1, now.data(), before.data(), fp), 30.0f);
    });
    EXPECT_EQ(clipped, "\n[ 法向位移验证 ]\n和上次结果的差别(mm): \t     0.000     2.500 10000.000\n"
                       "最大值(mm): \t\t 10000.000\n");
}

}  // namespace

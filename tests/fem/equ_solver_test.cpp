// The block solver against dense factorisations written here: Uᵀ·D⁻¹·U for the
// symmetric matrix and Doolittle L·U for the unsymmetric one, on skyline matrices
// spread over blocks in the shapes that exercise the block coupling.
#include "fem/equ_solver.h"

#include "fem/fem_alloc.h"
#include "fem/freedom.h"
#include "fem_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

using Dense = std::vector<std::vector<double>>;

// A skyline layout: first rows of the columns and the block table.
struct Shape {
    std::vector<std::int32_t> first;     // [1 .. neq]
    std::vector<std::int32_t> blockend;  // [0 .. blocks]
    int block_size = 0;

    int neq() const { return int(first.size()) - 1; }
    int blocks() const { return int(blockend.size()) - 1; }
    std::vector<std::int32_t> addr() const {
        std::vector<std::int32_t> a(first.size(), 0);
        for (int j = 1; j <= neq(); ++j) a[j] = a[j - 1] + (j - first[j] + 1);
        return a;
    }
    // The smallest block size that holds every block.
    void fit_block_size() {
        auto a = addr();
        block_size = 1;
        for (int b = 1; b <= blocks(); ++b) block_size = std::max(block_size, a[blockend[b]] - a[blockend[b - 1]]);
    }
};

Shape FromFirstRows(std::vector<std::int32_t> firstRows, std::vector<std::int32_t> blockend) {
    Shape s;
    s.first = {0};
    s.first.insert(s.first.end(), firstRows.begin(), firstRows.end());
    s.blockend = std::move(blockend);
    s.fit_block_size();
    return s;
}

// Random column heights cut into blocks of at most `blockSize` entries by the
// freedom step's own block rule.
Shape RandomShape(int neq, int maxHeight, int blockSize, unsigned seed) {
    std::mt19937 rng(seed);
    freedom_num layout(0, blockSize);
    layout.neq = neq;
    layout.addr.assign(std::size_t(neq) + 1, 0);
    Shape s;
    s.first.assign(std::size_t(neq) + 1, 0);
    for (int j = 1; j <= neq; ++j) {
        int h = 1 + int(rng() % unsigned(std::min(j, maxHeight)));
        s.first[j] = j - h + 1;
        layout.addr[j] = layout.addr[j - 1] + h;
    }
    EXPECT_EQ(layout.write_col(), 1);
    s.blockend = layout.blockend;
    s.block_size = blockSize;
    return s;
}

// A matrix with random entries inside the profile, diagonally dominant so that
// neither factorisation needs a pivot search.
Dense RandomMatrix(const Shape& s, bool symmetric, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    const int n = s.neq();
    Dense a(n + 1, std::vector<double>(n + 1, 0.0));
    for (int j = 1; j <= n; ++j)
        for (int i = s.first[j]; i < j; ++i) {
            a[i][j] = value(rng);
            a[j][i] = symmetric ? a[i][j] : value(rng);
        }
    for (int i = 1; i <= n; ++i) {
        double sum = 0.0;
        for (int j = 1; j <= n; ++j)
            if (j != i) sum += std::fabs(a[i][j]) + std::fabs(a[j][i]);
        a[i][i] = sum + 1.0 + value(rng) * 0.5;
    }
    return a;
}

// Dense Uᵀ·D⁻¹·U: u_ij = a_ij - Σ u_mi·u_mj / d_m, d_j = u_jj.
Dense DenseLdlt(const Dense& a) {
    const int n = int(a.size()) - 1;
    Dense u(n + 1, std::vector<double>(n + 1, 0.0));
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= j; ++i) {
            double v = a[i][j];
            for (int m = 1; m < i; ++m) v -= u[m][i] * u[m][j] / u[m][m];
            u[i][j] = v;
        }
    return u;
}

// Dense Doolittle: U with its diagonal above, the unit L below (l[j][i], j > i).
void DenseLu(const Dense& a, Dense& l, Dense& u) {
    const int n = int(a.size()) - 1;
    l.assign(n + 1, std::vector<double>(n + 1, 0.0));
    u = l;
    for (int k = 1; k <= n; ++k) {
        for (int j = k; j <= n; ++j) {
            double v = a[k][j];
            for (int m = 1; m < k; ++m) v -= l[k][m] * u[m][j];
            u[k][j] = v;
        }
        l[k][k] = 1.0;
        for (int j = k + 1; j <= n; ++j) {
            double v = a[j][k];
            for (int m = 1; m < k; ++m) v -= l[j][m] * u[m][k];
            l[j][k] = v / u[k][k];
        }
    }
}

// The block file of the profile: slot (i, j) of column j holds get(i, j).
template <typename Get>
void WriteBlocks(const std::string& name, const Shape& s, Get get) {
    const auto a = s.addr();
    std::vector<double> all(std::size_t(s.blocks()) * s.block_size, 0.0);
    for (int b = 1; b <= s.blocks(); ++b)
        for (int j = s.blockend[b - 1] + 1; j <= s.blockend[b]; ++j)
            for (int i = s.first[j]; i <= j; ++i)
                all[std::size_t(b - 1) * s.block_size + a[j] - j + i - 1 - a[s.blockend[b - 1]]] = get(i, j);
    std::FILE* f = std::fopen(name.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(all.data(), sizeof(double), all.size(), f);
    std::fclose(f);
}

// The value the block file holds in the slot of (i, j).
double SlotOf(const std::string& bytes, const Shape& s, int i, int j) {
    const auto a = s.addr();
    int b = 1;
    while (s.blockend[b] < j) ++b;
    const std::size_t at = (std::size_t(b - 1) * s.block_size + a[j] - j + i - 1 - a[s.blockend[b - 1]]) * 8;
    double v;
    std::memcpy(&v, bytes.data() + at, 8);
    return v;
}

std::FILE* Open(const char* name) { return std::fopen(name, "rb+"); }

struct Files {
    std::FILE* upper = nullptr;
    std::FILE* lower = nullptr;
    ~Files() {
        if (upper) std::fclose(upper);
        if (lower) std::fclose(lower);
    }
};

// Right-hand sides of `cases` cases, case after case.
std::vector<double> RandomLoads(int neq, int cases, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> value(-10.0, 10.0);
    std::vector<double> b(std::size_t(neq) * cases);
    for (double& v : b) v = value(rng);
    return b;
}

// Largest |A·x - b| over all cases, relative to the largest |b|.
double Residual(const Dense& a, const std::vector<double>& x, const std::vector<double>& b, int cases) {
    const int n = int(a.size()) - 1;
    double worst = 0.0, scale = 0.0;
    for (int c = 0; c < cases; ++c)
        for (int i = 1; i <= n; ++i) {
            double r = -b[std::size_t(c) * n + i - 1];
            for (int j = 1; j <= n; ++j) r += a[i][j] * x[std::size_t(c) * n + j - 1];
            worst = std::max(worst, std::fabs(r));
            scale = std::max(scale, std::fabs(b[std::size_t(c) * n + i - 1]));
        }
    return worst / scale;
}

int CountLines(const kv::test::FemFolder& folder, const std::string& prefix) {
    return int(std::count_if(folder.lines.begin(), folder.lines.end(),
                             [&](const kv::err::Line& l) { return l.text.rfind(prefix, 0) == 0; }));
}

struct ShapeCase {
    const char* name;
    Shape shape;
    std::vector<std::int32_t> coupledFrom;  // k_b expected for b = 1 .. blocks (empty: not checked)
};

std::vector<ShapeCase> Shapes() {
    return {
        // Block 2 stays within itself; block 3's column 10 reaches back to row 2.
        {"reaching_past_a_self_contained_block",
         FromFirstRows({1, 1, 1, 2, 5, 5, 6, 5, 9, 2, 9, 10}, {0, 4, 8, 12}), {1, 2, 1}},
        // Columns 1..6 and 7..12 never meet.
        {"two_unconnected_parts", FromFirstRows({1, 1, 2, 1, 3, 4, 7, 7, 8, 7, 9, 10}, {0, 3, 6, 9, 12}),
         {1, 1, 3, 3}},
        {"a_single_block", FromFirstRows({1, 1, 1, 2, 3, 1, 6, 5}, {0, 8}), {1}},
        {"many_small_blocks", RandomShape(80, 14, 40, 7), {}},
        {"many_blocks_of_tall_columns", RandomShape(120, 60, 130, 11), {}},
    };
}

void PrintTo(const ShapeCase& c, std::ostream* os) { *os << c.name; }

class SolverShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(SolverShapes, SymmetricFactorsAndSolutionsMatchTheDenseLdlt) {
    kv::test::FemFolder folder;
    const Shape& s = GetParam().shape;
    const int n = s.neq();
    const auto addr = s.addr();
    const Dense a = RandomMatrix(s, true, 3);
    WriteBlocks("STIFF1.FB", s, [&](int i, int j) { return a[i][j]; });

    equ_solver solver;
    if (!GetParam().coupledFrom.empty()) {
        std::vector<std::int32_t> first, q, k;
        ASSERT_EQ(solver.cal_block_first(s.blocks(), n, s.block_size, s.blockend.data(), addr.data(), first, q, k), 1);
        EXPECT_EQ(std::vector<std::int32_t>(k.begin() + 1, k.end()), GetParam().coupledFrom);
    }
    std::vector<double> diag(std::size_t(n) + 1);
    const int cases = 3;
    const std::vector<double> b = RandomLoads(n, cases, 5);
    std::vector<double> x = b;
    {
        Files files;
        files.upper = Open("STIFF1.FB");
        ASSERT_EQ(solver.tri_symmetri(files.upper, s.blocks(), n, s.block_size, s.blockend.data(), addr.data(),
                                      diag.data()),
                  1);
        ASSERT_EQ(solver.Back_symmetri(files.upper, s.blocks(), n, s.block_size, s.blockend.data(), addr.data(),
                                       diag.data(), cases, x.data()),
                  1);
    }
    EXPECT_EQ(JS_ERROR_CODE, 0);

    const Dense u = DenseLdlt(a);
    const std::string factors = folder.Read("STIFF1.FB");
    for (int j = 1; j <= n; ++j) {
        EXPECT_NEAR(diag[j], u[j][j], 1e-12 * std::fabs(u[j][j])) << "pivot " << j;
        for (int i = s.first[j]; i <= j; ++i)
            EXPECT_NEAR(SlotOf(factors, s, i, j), u[i][j], 1e-12 * (1.0 + std::fabs(u[i][j]))) << i << "," << j;
    }
    EXPECT_LT(Residual(a, x, b, cases), 1e-12);
    // The pivots were kept for the substitution, entry 0 unused.
    EXPECT_EQ(folder.Read("DIAG_STF.FB").size(), std::size_t(n + 1) * 8);
    // All three cases went through one pass each way.
    EXPECT_EQ(CountLines(folder, ">>>> Complete"), s.blocks());
    EXPECT_EQ(CountLines(folder, "<<<< Complete"), s.blocks());
    EXPECT_TRUE(folder.Told(0, "Triangular Complete : 100 %"));
}

TEST_P(SolverShapes, UnsymmetricFactorsAndSolutionsMatchTheDenseLu) {
    kv::test::FemFolder folder;
    const Shape& s = GetParam().shape;
    const int n = s.neq();
    const auto addr = s.addr();
    const Dense a = RandomMatrix(s, false, 4);
    WriteBlocks("STIFF1.FB", s, [&](int i, int j) { return a[i][j]; });
    WriteBlocks("STIFF2.FB", s, [&](int i, int j) { return a[j][i]; });

    equ_solver solver;
    std::vector<double> diag(std::size_t(n) + 1);
    const int cases = 3;
    const std::vector<double> b = RandomLoads(n, cases, 6);
    std::vector<double> x = b;
    {
        Files files;
        files.upper = Open("STIFF1.FB");
        files.lower = Open("STIFF2.FB");
        ASSERT_EQ(solver.tri_not_symmetri(files.upper, files.lower, s.blocks(), n, s.block_size,
                                          s.blockend.data(), addr.data(), diag.data()),
                  1);
        ASSERT_EQ(solver.Back_not_symmetri(files.upper, files.lower, s.blocks(), n, s.block_size,
                                           s.blockend.data(), addr.data(), diag.data(), cases, x.data()),
                  1);
    }
    Dense l, u;
    DenseLu(a, l, u);
    const std::string upper = folder.Read("STIFF1.FB"), lower = folder.Read("STIFF2.FB");
    for (int j = 1; j <= n; ++j) {
        EXPECT_NEAR(diag[j], u[j][j], 1e-12 * std::fabs(u[j][j]));
        for (int i = s.first[j]; i <= j; ++i) {
            EXPECT_NEAR(SlotOf(upper, s, i, j), u[i][j], 1e-12 * (1.0 + std::fabs(u[i][j]))) << i << "," << j;
            EXPECT_NEAR(SlotOf(lower, s, i, j), l[j][i], 1e-12 * (1.0 + std::fabs(l[j][i]))) << i << "," << j;
        }
    }
    EXPECT_LT(Residual(a, x, b, cases), 1e-12);
    EXPECT_EQ(CountLines(folder, ">>>> Complete"), s.blocks());
}

INSTANTIATE_TEST_SUITE_P(Layouts, SolverShapes, ::testing::ValuesIn(Shapes()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Solver, SingleBlockReportsItsProgressOnceAtOneHundred) {
    kv::test::FemFolder folder;
    const Shape s = FromFirstRows({1, 1, 2}, {0, 3});
    const Dense a = RandomMatrix(s, true, 1);
    WriteBlocks("STIFF1.FB", s, [&](int i, int j) { return a[i][j]; });
    const auto addr = s.addr();
    std::vector<double> diag(4);
    Files files;
    files.upper = Open("STIFF1.FB");
    ASSERT_EQ(equ_solver().tri_symmetri(files.upper, 1, 3, s.block_size, s.blockend.data(), addr.data(), diag.data()), 1);
    EXPECT_EQ(CountLines(folder, "Triangular Complete"), 1);
    EXPECT_TRUE(folder.Told(0, "Triangular Complete : 100 %"));
    EXPECT_TRUE(folder.Told(-2, "正在做三角阵分解...."));
}

// Columns 4 and 5 of block 2 are equal rows: the pivot of equation 5 is 0.
Dense SingularAtFive(const Shape& s) {
    Dense a(8, std::vector<double>(8, 0.0));
    for (int j = 1; j <= 7; ++j) a[j][j] = 4.0;
    a[1][2] = a[2][1] = 1.0;
    a[4][4] = a[4][5] = a[5][4] = a[5][5] = 1.0;
    (void)s;
    return a;
}

TEST(Solver, ZeroPivotStopsWithItsEquationAndKeepsTheEarlierBlocks) {
    for (bool symmetric : {true, false}) {
        SCOPED_TRACE(symmetric ? "symmetric" : "unsymmetric");
        kv::test::FemFolder folder;
        const Shape s = FromFirstRows({1, 1, 3, 4, 4, 6, 7}, {0, 3, 5, 7});
        const Dense a = SingularAtFive(s);
        WriteBlocks("STIFF1.FB", s, [&](int i, int j) { return a[i][j]; });
        WriteBlocks("STIFF2.FB", s, [&](int i, int j) { return a[j][i]; });
        const auto addr = s.addr();
        std::vector<double> diag(8);
        {
            Files files;
            files.upper = Open("STIFF1.FB");
            files.lower = Open("STIFF2.FB");
            const int done = symmetric ? equ_solver().tri_symmetri(files.upper, s.blocks(), 7, s.block_size,
                                                                   s.blockend.data(), addr.data(), diag.data())
                                       : equ_solver().tri_not_symmetri(files.upper, files.lower, s.blocks(), 7,
                                                                       s.block_size, s.blockend.data(),
                                                                       addr.data(), diag.data());
            EXPECT_EQ(done, 0);
        }
        EXPECT_EQ(JS_ERROR_CODE, 301);
        EXPECT_TRUE(folder.Told(301, "Error in freedom 5, U[5]=0.000000e+00"));
        EXPECT_FALSE(folder.Exists("DIAG_STF.FB"));
        // Block 1 was factorised and written: u_22 = 4 - 1/4.
        EXPECT_DOUBLE_EQ(SlotOf(folder.Read("STIFF1.FB"), s, 2, 2), 3.75);
        // Block 3 was never reached.
        EXPECT_EQ(CountLines(folder, "Triangular Complete"), 2);
    }
}

TEST(Solver, ColumnWithoutHeightIsRefusedNamingItsEquation) {
    kv::test::FemFolder folder;
    // Column 3 has no rows: addr[3] = addr[2].
    const std::vector<std::int32_t> addr = {0, 1, 3, 3, 5}, blockend = {0, 4};
    std::vector<std::int32_t> first, q, k;
    EXPECT_EQ(equ_solver().cal_block_first(1, 4, 10, blockend.data(), addr.data(), first, q, k), 0);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(folder.Told(301, "Equation 3 has no stiffness: no element or spring reaches it"));
}

TEST(Solver, NothingRunsWhileAnErrorIsSet) {
    kv::test::FemFolder folder;
    JS_ERROR_CODE = 201;
    const std::vector<std::int32_t> addr = {0, 1}, blockend = {0, 1};
    std::vector<double> diag(2);
    EXPECT_EQ(equ_solver().tri_symmetri(nullptr, 1, 1, 1, blockend.data(), addr.data(), diag.data()), 0);
    EXPECT_TRUE(folder.lines.empty());
}

TEST(Solver, AllocationFailuresAreToldByTheirRoutine) {
    const Shape s = FromFirstRows({1, 1, 2, 3}, {0, 2, 4});
    const Dense a = RandomMatrix(s, true, 2);
    const auto addr = s.addr();
    struct Case {
        int nth;
        const char* routine;
        const char* message;
    };
    // The three tables of cal_block_first come first in the factorisations, the
    // buffers first in the substitutions.
    const Case cases[] = {
        {1, "tri_symmetri", "Out of Memery in tri_not_symmetri"},
        {4, "tri_symmetri", "Out of memery in tri_symmetri"},
        {5, "tri_symmetri", "Out of memery in tri_symmetri"},
        {4, "tri_not_symmetri", "Out of memery in tri_not_symmetri"},
        {1, "Back_symmetri", "Out of memery in Back_symmetri"},
        {2, "Back_symmetri", "Out of memery in Back_symmetri"},
        {1, "Back_not_symmetri", "Out of memery in Back_not_symmetri"},
        {1, "one_block", "Out of memery in one_block"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.routine) + " " + std::to_string(c.nth));
        kv::test::FemFolder folder;
        WriteBlocks("STIFF1.FB", s, [&](int i, int j) { return a[i][j]; });
        WriteBlocks("STIFF2.FB", s, [&](int i, int j) { return a[j][i]; });
        std::vector<double> diag(5), x(4, 1.0);
        Files files;
        files.upper = Open("STIFF1.FB");
        files.lower = Open("STIFF2.FB");
        equ_solver solver;
        const std::string routine = c.routine;
        if (routine.rfind("Back", 0) == 0) {
            ASSERT_EQ(solver.tri_symmetri(files.upper, 2, 4, s.block_size, s.blockend.data(), addr.data(), diag.data()), 1);
        }
        kv::fem::AllocationFailureForTesting failure(c.nth);
        int done = 1;
        if (routine == "tri_symmetri")
            done = solver.tri_symmetri(files.upper, 2, 4, s.block_size, s.blockend.data(), addr.data(), diag.data());
        else if (routine == "tri_not_symmetri")
            done = solver.tri_not_symmetri(files.upper, files.lower, 2, 4, s.block_size, s.blockend.data(),
                                           addr.data(), diag.data());
        else if (routine == "Back_symmetri")
            done = solver.Back_symmetri(files.upper, 2, 4, s.block_size, s.blockend.data(), addr.data(), diag.data(),
                                        1, x.data());
        else if (routine == "Back_not_symmetri")
            done = solver.Back_not_symmetri(files.upper, files.lower, 2, 4, s.block_size, s.blockend.data(),
                                            addr.data(), diag.data(), 1, x.data());
        else
            done = solver.one_block(files.upper, "ONE.FB", 2, s.block_size, s.blockend.data(), addr.data());
        EXPECT_EQ(done, 0);
        EXPECT_EQ(JS_ERROR_CODE, 301);
        EXPECT_TRUE(folder.Told(301, c.message));
    }
}

TEST(Solver, OneBlockWritesTheProfileWithoutTheBlocksZeroRest) {
    kv::test::FemFolder folder;
    Shape s = FromFirstRows({1, 1, 2, 3}, {0, 2, 4});
    s.block_size = 10;
    WriteBlocks("STIFF1.FB", s, [&](int i, int j) { return 10.0 * j + i; });
    const auto addr = s.addr();
    Files files;
    files.upper = Open("STIFF1.FB");
    ASSERT_EQ(equ_solver().one_block(files.upper, "PROFILE.FB", 2, 10, s.blockend.data(), addr.data()), 1);
    const std::string bytes = folder.Read("PROFILE.FB");
    ASSERT_EQ(bytes.size(), 7u * 8);
    const double expected[7] = {11, 21, 22, 32, 33, 43, 44};
    for (int k = 0; k < 7; ++k) {
        double v;
        std::memcpy(&v, bytes.data() + 8 * k, 8);
        EXPECT_EQ(v, expected[k]);
    }
}

}  // namespace

// Freedom numbering, the skyline layout and "FREEDOM.FB", from small mesh files
// made here, and the solution stage on them.
#include "fem/equ_solver.h"
#include "fem/fb_date.h"
#include "fem/fem_alloc.h"
#include "fem/freedom.h"
#include "fem_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using kv::test::Bytes;
using kv::test::FemFolder;
using kv::test::I32At;

struct Support {
    int node, kind;
};

// The element data file and the renumbering of a mesh of nodes 0 .. n-1 on a
// line, beams between them, supports; `newOfOld` empty keeps the numbers.
struct Mesh {
    explicit Mesh(int n, std::vector<std::pair<int, int>> b = {}) : nodes(n), beams(std::move(b)) {}

    int nodes = 0;
    std::vector<std::pair<int, int>> beams;
    std::vector<Support> supports;
    std::vector<int> newOfOld;
    int cases = 1;

    void Write(FemFolder& folder) const {
        Bytes dat;
        dat.i({24, 60, 0, 0, 0, 0});
        dat.i({nodes, int(beams.size()), 0, int(supports.size()), cases}).f({2.55e7f, 0.2f, 0.0f, 0.0f});
        for (int k = 0; k < nodes; ++k) dat.f({float(k), 0.0f});
        dat.Patch(8, dat.size());
        for (auto [i, j] : beams) dat.i({i, j}).f({1.0e9f, 2.0e9f}).i({0, 0});
        dat.Patch(12, dat.size());
        dat.Patch(16, dat.size());
        for (const Support& s : supports) dat.i({s.node, s.kind}).f({0.0f, 1000.0f});
        dat.Patch(20, dat.size());
        const int table = dat.size();
        for (int c = 0; c < cases; ++c) dat.i({0});
        for (int c = 0; c < cases; ++c) {
            dat.Patch(std::size_t(table + 4 * c), dat.size());
            dat.i({0, 0, 0});
        }
        folder.Write("NET_DAT.FB", dat.str());

        Bytes pre;
        pre.i({12, 16, 20}).i({0}).i({0}).i({nodes});
        std::vector<int> map = newOfOld;
        if (map.empty())
            for (int k = 0; k < nodes; ++k) map.push_back(k);
        std::vector<int> back(std::size_t(nodes), 0);
        for (int k = 0; k < nodes; ++k) back[std::size_t(map[std::size_t(k)])] = k;
        for (int v : map) pre.i({v});
        for (int v : back) pre.i({v});
        folder.Write("NET_PRE.FB", pre.str());
    }
};

std::vector<std::int32_t> Ints(const std::string& bytes, std::size_t at, std::size_t n) {
    std::vector<std::int32_t> v;
    for (std::size_t k = 0; k < n; ++k) v.push_back(I32At(bytes, at + 4 * k));
    return v;
}

// "YS.FB" as the grid beam writes it: the count, then one line per restraint.
std::string YsFb(const std::vector<std::pair<int, int>>& lines) {
    char head[16];
    std::snprintf(head, sizeof head, "%08d\n", int(lines.size()));
    std::string text = head;
    for (auto [node, f] : lines) text += std::to_string(node) + "," + std::to_string(f) + "\n";
    return text;
}

TEST(Freedom, TwoBeamsWithoutRestraintsGiveTheSkylineOfAChain) {
    FemFolder folder;
    Mesh(3, {{0, 1}, {1, 2}}).Write(folder);
    folder.Write("YS.FB", YsFb({}));
    freedom_num step(0, 6000);
    ASSERT_EQ(step.form_freedom_file(), 1);
    EXPECT_EQ(std::vector<std::int32_t>(step.height.begin() + 1, step.height.end()),
              (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 4, 5, 6}));
    EXPECT_TRUE(folder.Told(0, " Node= 3, Freedom= 9, Block= 1, Stiff=36"));

    // The file, field by field.
    const std::string bytes = folder.Read("FREEDOM.FB");
    ASSERT_EQ(bytes.size(), 16u + 16 + 36 + 40 + 8);
    EXPECT_EQ(Ints(bytes, 0, 8), (std::vector<std::int32_t>{16, 32, 68, 108, 3, 9, 1, 6000}));
    EXPECT_EQ(Ints(bytes, 32, 9), (std::vector<std::int32_t>{1, 4, 7, 2, 5, 8, 3, 6, 9}));
    EXPECT_EQ(Ints(bytes, 68, 10), (std::vector<std::int32_t>{0, 1, 3, 6, 10, 15, 21, 25, 30, 36}));
    EXPECT_EQ(Ints(bytes, 108, 2), (std::vector<std::int32_t>{0, 9}));

    // And back through the reader, whatever the case of the name.
    {
        freedom_file file("freedom.fb");
        ASSERT_EQ(file.read_id() + file.read_col() + file.read_block(), 3);
        EXPECT_EQ(file.neq, 9);
        EXPECT_EQ(file.block_size, 6000);
        EXPECT_EQ(file.id[2], (std::vector<std::int32_t>{3, 6, 9}));
        EXPECT_EQ(file.addr, step.addr);
        EXPECT_EQ(file.blockend, (std::vector<std::int32_t>{0, 9}));
    }
    EXPECT_TRUE(folder.FilesClosed());
}

TEST(Freedom, EveryFreedomRestrainedLeavesNoEquation) {
    FemFolder folder;
    Mesh(2, {{0, 1}}).Write(folder);
    folder.Write("YS.FB", YsFb({{0, 1}, {0, 2}, {0, 3}, {1, 1}, {1, 2}, {1, 3}}));
    freedom_num step(0, 6000);
    ASSERT_EQ(step.form_freedom_file(), 1);
    EXPECT_EQ(step.neq, 0);
    EXPECT_EQ(step.addr, (std::vector<std::int32_t>{0}));
    EXPECT_EQ(step.blockend, (std::vector<std::int32_t>{0, 0}));
    const std::string bytes = folder.Read("FREEDOM.FB");
    EXPECT_EQ(Ints(bytes, 16, 3), (std::vector<std::int32_t>{2, 0, 1}));
}

TEST(Freedom, BlockSizeIsRaisedToThreeTimesTheNodes) {
    FemFolder folder;
    Mesh chain(2500);
    for (int k = 0; k + 1 < 2500; ++k) chain.beams.push_back({k, k + 1});
    chain.Write(folder);
    folder.Write("YS.FB", YsFb({}));
    freedom_num step(0, 6000);
    ASSERT_EQ(step.form_freedom_file(), 1);
    EXPECT_EQ(step.block_size, 7500);
    EXPECT_EQ(I32At(folder.Read("FREEDOM.FB"), 28), 7500);
}

TEST(Freedom, RestraintsGoThroughTheRenumberingAndALineTwiceCountsOnce) {
    FemFolder folder;
    Mesh m(3, {{0, 1}, {1, 2}});
    m.newOfOld = {2, 1, 0};  // old node 0 is mesh node 2
    m.Write(folder);
    folder.Write("YS.FB", YsFb({{0, 1}, {0, 1}}));
    freedom_num step(0, 6000);
    ASSERT_EQ(step.form_freedom_file(), 1);
    EXPECT_EQ(step.neq, 8);
    EXPECT_EQ(step.id[0], (std::vector<std::int32_t>{1, 4, -1}));
    EXPECT_EQ(step.id[1], (std::vector<std::int32_t>{2, 5, 7}));
}

TEST(Freedom, BadRestraintLinesStopTheStep) {
    const char* files[] = {
        "00000001\n0,4\n",   // no freedom 4
        "00000001\n3,1\n",   // no node 3
        "00000001\n-1,1\n",  // nor node -1
        "00000001\nx,1\n",   // not a number
        "00000002\n0,1\n",   // a line short
        "",                  // no count
    };
    for (const char* text : files) {
        SCOPED_TRACE(text);
        FemFolder folder;
        Mesh(3, {{0, 1}, {1, 2}}).Write(folder);
        folder.Write("YS.FB", text);
        freedom_num step(0, 6000);
        EXPECT_EQ(step.form_freedom_file(), 0);
        EXPECT_EQ(JS_ERROR_CODE, 301);
        EXPECT_TRUE(folder.Told(301, "Read file ys.fb error in write_id"));
        EXPECT_FALSE(folder.Exists("FREEDOM.FB"));
        EXPECT_TRUE(folder.FilesClosed());
    }
}

TEST(Freedom, AFreeFreedomNothingReachesIsRefused) {
    FemFolder folder;
    // Node 2 carries no beam and only its w is restrained.
    Mesh(3, {{0, 1}}).Write(folder);
    folder.Write("YS.FB", YsFb({{2, 1}}));
    freedom_num step(0, 6000);
    EXPECT_EQ(step.form_freedom_file(), 0);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(folder.Told(301, "Equation 7 has no stiffness: no element or spring reaches it"));
    EXPECT_FALSE(folder.Exists("FREEDOM.FB"));
}

TEST(Freedom, ASpringGivesItsFreedomADiagonal) {
    FemFolder folder;
    // Node 2's w rests on a spring alone; its rotations are restrained.
    Mesh m(3, {{0, 1}});
    m.supports = {{2, 1}};
    m.Write(folder);
    folder.Write("YS.FB", YsFb({{2, 2}, {2, 3}}));
    freedom_num step(0, 6000);
    ASSERT_EQ(step.form_freedom_file(), 1);
    EXPECT_EQ(step.neq, 7);
    EXPECT_EQ(step.height[7], 1);
}

TEST(Freedom, ReaderRefusesAZeroOffsetAndCountsThatDoNotFit) {
    struct Case {
        Bytes bytes;
        const char* message;
    };
    Case cases[] = {
        {Bytes().i({16, 0, 68, 108, 3, 9, 1, 6000}), "Polonger error in freedom file !"},
        {Bytes().i({16, 32, 68, 108, 3, 10, 1, 6000}), "Read error in freedom file !"},  // neq > 3 nodes
        {Bytes().i({16, 32, 68, 108, 3, 9, 0, 6000}), "Read error in freedom file !"},   // no block
    };
    for (const Case& c : cases) {
        FemFolder folder;
        folder.Write("FREEDOM.FB", c.bytes.str());
        freedom_file file("FREEDOM.FB");
        EXPECT_EQ(file.read_col(), 0);
        EXPECT_TRUE(folder.Told(301, c.message));
    }
    // A file that ends before its column addresses.
    FemFolder folder;
    folder.Write("FREEDOM.FB", Bytes().i({16, 32, 68, 108, 3, 9, 1, 6000}).str());
    freedom_file file("FREEDOM.FB");
    EXPECT_EQ(file.read_col(), 0);
    EXPECT_TRUE(folder.Told(301, "Read error in freedom file !"));
}

TEST(Freedom, AllocationFailuresAreTold) {
    {
        FemFolder folder;
        freedom_num step(0, 10);
        step.neq = 2;
        step.addr = {0, 1, 3};
        kv::fem::AllocationFailureForTesting failure(1);
        EXPECT_EQ(step.write_col(), 0);
        EXPECT_TRUE(folder.Told(301, "Out of Memery in write_col"));
    }
    {
        FemFolder folder;
        Mesh(3, {{0, 1}, {1, 2}}).Write(folder);
        folder.Write("YS.FB", YsFb({}));
        ASSERT_EQ(freedom_num(0, 6000).form_freedom_file(), 1);
        freedom_file file("FREEDOM.FB");
        kv::fem::AllocationFailureForTesting failure(1);
        EXPECT_EQ(file.read_col(), 0);
        EXPECT_TRUE(folder.Told(399, "Out of Memery !"));
    }
}

// Analysis type 2 takes its restraints from the model: flagged input nodes and
// both ends of a restrained beam lose w, a support of kind 2 its w, one of kind 3
// all three; all through the renumbering.
TEST(Freedom, TypeTwoRestrainsFlaggedNodesBeamEndsAndSupports) {
    FemFolder folder;
    folder.Write("YXY_JS.DAT",
                 "##  有限元计算数据文件    Ver. 1.0\n##  结点\n4\n1,0.000,0.000,1\n2,1.000,0.000,0\n"
                 "3,2.000,0.000,0\n4,3.000,0.000,0\n##  梁\n3,20\n"
                 "1,1,1,1,2,250,600,0.000,0,0.000,0.000,1,0,0\n2,2,1,2,3,250,600,0.000,0,0.000,0.000,0,0,0\n"
                 "3,3,1,3,4,250,600,0.000,0,0.000,0.000,0,0,0\n##  板\n0,0\n##  支撑\n2,0\n"
                 "1,3,2,0.0,0.0\n2,4,3,0.0,0.0\n##  荷载\n1\n00000000,00000000,00000000\n##  土层信息\n0\n");
    FB_DATE().main_date("YXY_JS.DAT", 1, 0);
    ASSERT_EQ(JS_ERROR_CODE, 0) << testing::PrintToString(folder.Messages());
    Mesh m(4, {{3, 2}, {2, 1}, {1, 0}});
    m.newOfOld = {3, 2, 1, 0};
    m.Write(folder);
    freedom_num step(2, 6000);
    ASSERT_EQ(step.form_freedom_file(), 1);
    EXPECT_EQ(step.id[0], (std::vector<std::int32_t>{-1, -1, -1, -1}));
    EXPECT_EQ(step.id[1], (std::vector<std::int32_t>{-1, 1, 3, 5}));
    EXPECT_EQ(step.id[2], (std::vector<std::int32_t>{-1, 2, 4, 6}));
}

// ---- the solution stage -------------------------------------------------------

// Three beams on four nodes with both ends' w restrained, three cases: the stage
// leaves in "LOAD_V.FB" what the same matrix gives solved directly.
TEST(SolutionStage, SolvesEveryCaseInPlace) {
    FemFolder folder;
    Mesh m(4, {{0, 1}, {1, 2}, {2, 3}});
    m.cases = 3;
    m.Write(folder);
    folder.Write("YS.FB", YsFb({{0, 1}, {3, 1}}));
    freedom_num step(0, 6000);
    ASSERT_EQ(step.form_freedom_file(), 1);
    const int n = step.neq;
    // A diagonally dominant matrix on the profile, one block.
    std::vector<double> profile(std::size_t(step.addr[std::size_t(n)]), 0.0);
    std::vector<std::vector<double>> a(std::size_t(n) + 1, std::vector<double>(std::size_t(n) + 1, 0.0));
    for (int j = 1; j <= n; ++j)
        for (int i = j - step.height[std::size_t(j)] + 1; i <= j; ++i) {
            const double v = i == j ? 20.0 + j : 1.0 / (1 + i + j);
            a[std::size_t(i)][std::size_t(j)] = a[std::size_t(j)][std::size_t(i)] = v;
            profile[std::size_t(step.addr[std::size_t(j)] - j + i - 1)] = v;
        }
    std::string stiff(std::size_t(step.block_size) * 8, '\0');
    std::memcpy(stiff.data(), profile.data(), profile.size() * 8);
    folder.Write("STIFF1.FB", stiff);
    std::vector<double> b(std::size_t(3 * n));
    for (std::size_t k = 0; k < b.size(); ++k) b[k] = double(k % 7) - 3.0;
    folder.Write("LOAD_V.FB", std::string(reinterpret_cast<const char*>(b.data()), b.size() * 8));

    YXY_EQU().main_equ(2, 3);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    const std::string out = folder.Read("LOAD_V.FB");
    ASSERT_EQ(out.size(), b.size() * 8);
    std::vector<double> x(b.size());
    std::memcpy(x.data(), out.data(), out.size());
    for (int c = 0; c < 3; ++c)
        for (int i = 1; i <= n; ++i) {
            double r = -b[std::size_t(c * n + i - 1)];
            for (int j = 1; j <= n; ++j) r += a[std::size_t(i)][std::size_t(j)] * x[std::size_t(c * n + j - 1)];
            EXPECT_NEAR(r, 0.0, 1e-12) << "case " << c << " equation " << i;
        }
    EXPECT_TRUE(folder.FilesClosed());
}

TEST(SolutionStage, AColumnWithoutHeightInTheFreedomFileIsRefused) {
    FemFolder folder;
    Mesh(1).Write(folder);
    // One node, two equations, the second of height 0.
    folder.Write("FREEDOM.FB", Bytes().i({16, 32, 44, 56, 1, 2, 1, 6000, 1, 2, -1, 0, 1, 1, 0, 2}).str());
    folder.Write("STIFF1.FB", std::string(6000 * 8, '\0'));
    YXY_EQU().main_equ(2, 3);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(folder.Told(301, "Equation 2 has no stiffness: no element or spring reaches it"));
    EXPECT_FALSE(folder.Exists("DIAG_STF.FB"));
    EXPECT_TRUE(folder.FilesClosed());
}

// A damaged mesh file whose case count is negative stops the stage with an error
// instead of ending as if it had solved.
TEST(SolutionStage, ANegativeCaseCountIsAnError) {
    FemFolder folder;
    Mesh m(4, {{0, 1}, {1, 2}, {2, 3}});
    m.cases = -1;
    m.Write(folder);
    folder.Write("YS.FB", YsFb({{0, 1}, {3, 1}}));
    freedom_num step(0, 6000);
    ASSERT_EQ(step.form_freedom_file(), 1);
    folder.Write("STIFF1.FB", std::string(std::size_t(step.block_size) * 8, '\0'));
    const std::string loads(std::size_t(step.neq) * 8, '\x01');
    folder.Write("LOAD_V.FB", loads);
    YXY_EQU().main_equ(2, 3);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(folder.Told(301, "Pointer error in net_dat file !"));
    EXPECT_EQ(folder.Read("LOAD_V.FB"), loads);
    EXPECT_TRUE(folder.FilesClosed());
}

}  // namespace

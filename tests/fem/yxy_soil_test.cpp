// The elastic-soil stage: the soil stiffness it writes is the inverse of the
// flexibility matrix built here from the node areas and soil columns, whatever
// the block layout, the chunk width or an allocation that fails on the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fem/base_geometry.h"
#include "fem/fem_alloc.h"
#include "fem/mesh_files.h"
#include "fem/sf_coef_table.h"
#include "fem/soil_column.h"
#include "fem/yxy_soil.h"
#include "soil_model.h"

namespace {

using kv::test::FemFolder;

double F64At(const std::string& bytes, std::size_t at) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes.at(at + i));
    double d;
    std::memcpy(&d, &v, 8);
    return d;
}

// F(i, j) over all mesh nodes: the settlement at node i (in its own column cut at
// the base) of a unit force spread over node j's area.
std::vector<std::vector<double>> DenseFlexibility() {
    const std::vector<float> area = cal_area();
    const float base = cal_elev();
    net_dat_file dat("NET_DAT.FB");
    EXPECT_EQ(dat.read_node(), 1);
    const int n = dat.node_num;
    soilnode_file soil("SOILNODE.FB");
    sf_coef_table table;
    std::vector<std::vector<double>> F(std::size_t(n), std::vector<double>(std::size_t(n), 0.0));
    for (int i = 0; i < n; ++i) {
        soil_date_xy column;
        EXPECT_EQ(soil.read_node(i, &column, base), 1);
        for (int j = 0; j < n; ++j)
            F[i][j] = table.cal_soil_softness(area[j], &column, dat.x[i], dat.y[i], dat.x[j], dat.y[j]);
        soil.free_node(&column);
    }
    return F;
}

// Column j of K is group j of "FDSTF.FB".
std::vector<std::vector<double>> Stiffness(const std::string& bytes, int n) {
    EXPECT_EQ(bytes.size(), std::size_t(n) * n * 8);
    std::vector<std::vector<double>> K(std::size_t(n), std::vector<double>(std::size_t(n), 0.0));
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) K[i][j] = F64At(bytes, (std::size_t(j) * n + i) * 8);
    return K;
}

int NodeCount() {
    net_dat_file dat("NET_DAT.FB");
    return dat.node_num;
}

int ProgressLines(const FemFolder& folder, const std::string& text) {
    int n = 0;
    for (const auto& l : folder.lines) n += l.text == text;
    return n;
}

TEST(SoilStage, TheStiffnessTimesTheFlexibilityIsTheIdentity) {
    FemFolder folder;
    kv::test::Mesh(folder, kv::test::Raft(4.0f), 1, 1.0f);
    YXY_SOIL soil;
    soil.main_soil();
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    const int n = NodeCount();
    ASSERT_GT(n, 15);
    // One block: one progress line for each half of the matrix, at 100 %.
    EXPECT_EQ(ProgressLines(folder, "Integerate Complete : 100 %"), 2);
    EXPECT_EQ(folder.lines.end() - std::find_if(folder.lines.begin(), folder.lines.end(), [](const auto& l) {
                  return l.text.rfind("Integerate Complete", 0) == 0 && l.text != "Integerate Complete : 100 %";
              }),
              0);
    const auto F = DenseFlexibility();
    const auto K = Stiffness(folder.Read("FDSTF.FB"), n);
    double worst = 0, scale = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) scale = std::max(scale, std::fabs(K[i][j]) * std::fabs(F[j][i]));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            double s = 0;
            for (int m = 0; m < n; ++m) s += K[i][m] * F[m][j];
            worst = std::max(worst, std::fabs(s - (i == j ? 1.0 : 0.0)));
        }
    EXPECT_LT(worst, 1e-9 * std::max(1.0, scale * n)) << worst;
    // The coupling is real: the soil is not a set of independent springs.
    EXPECT_LT(K[0][1], 0.0);
    EXPECT_TRUE(folder.FilesClosed());
}

// Small blocks, a small memory budget and an allocation that fails at every
// possible place: the same stiffness, or the stage's own message and no file.
TEST(SoilStage, BlocksChunksAndFailedAllocationsKeepTheSameStiffness) {
    FemFolder folder;
    kv::test::Mesh(folder, kv::test::Raft(3.0f), 1, 1.0f);
    YXY_SOIL soil;
    soil.main_soil();
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    const int n = NodeCount();
    const std::string whole = folder.Read("FDSTF.FB");
    EXPECT_EQ(soil.chunk_width(), n);

    folder.lines.clear();
    soil.set_memory_budget(std::size_t(8) * n * 3);
    soil.main_soil();
    ASSERT_EQ(JS_ERROR_CODE, 0);
    EXPECT_EQ(soil.chunk_width(), 3);  // and a narrower last chunk unless 3 divides n
    EXPECT_EQ(folder.Read("FDSTF.FB"), whole);

    // Blocks of 3n entries: several progress steps, the last at 100 %.
    FemFolder small;
    kv::test::Mesh(small, kv::test::Raft(3.0f), 1, 1.0f, 3);
    YXY_SOIL blocked;
    blocked.main_soil();
    ASSERT_EQ(JS_ERROR_CODE, 0);
    EXPECT_GT(small.lines.size(), 0u);
    EXPECT_EQ(ProgressLines(small, "Integerate Complete : 100 %"), 2);
    EXPECT_GT(ProgressLines(small, "Integerate Complete : 50 %") + ProgressLines(small, "Integerate Complete : 33 %"),
              0);
    const auto K1 = Stiffness(whole, n), K2 = Stiffness(small.Read("FDSTF.FB"), n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) EXPECT_NEAR(K2[i][j], K1[i][j], 1e-9 * std::fabs(K1[i][i])) << i << "," << j;

    bool halved = false;
    for (int nth = 1; nth < 400; ++nth) {
        std::remove("FDSTF.FB");
        small.lines.clear();
        JS_ERROR_CODE = 0;
        YXY_SOIL stage;
        {
            kv::fem::AllocationFailureForTesting fail(nth);
            stage.main_soil();
        }
        if (JS_ERROR_CODE) {
            EXPECT_FALSE(small.Exists("FDSTF.FB")) << nth;
            bool told = false;
            for (const auto& l : small.lines) told |= l.code == 301 || l.code == 399;
            EXPECT_TRUE(told) << nth << ::testing::PrintToString(small.Messages());
        } else {
            const auto K = Stiffness(small.Read("FDSTF.FB"), n);
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j) ASSERT_NEAR(K[i][j], K2[i][j], 1e-12 * std::fabs(K2[i][i])) << nth;
            halved |= stage.chunk_width() == n / 2;
            if (stage.chunk_width() == n) break;  // the failure came after the chunk: no more places to try
        }
        EXPECT_TRUE(small.FilesClosed()) << nth;
    }
    EXPECT_TRUE(halved);
}

TEST(SoilStage, ANodeBelowItsSoilColumnStopsTheStage) {
    FemFolder folder;
    kv::test::FemModel raft = kv::test::Raft(2.0f);
    raft.soil = "1\n第1点\n1,1.0,1.0\n1,-1.0,-100.0\n1,10.0,18.0,1.0e4\n";
    kv::test::Mesh(folder, raft, 1, 1.0f);
    YXY_SOIL soil;
    soil.main_soil();
    EXPECT_TRUE(folder.Told(301, "Error in get_soil_date_down"));
    EXPECT_FALSE(folder.Exists("FDSTF.FB"));
    EXPECT_TRUE(folder.FilesClosed());
}

}  // namespace

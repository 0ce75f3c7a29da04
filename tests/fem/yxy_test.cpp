// The analysis driver: which analysis types run, what a refused or skipped run
// leaves in the folder, and the arguments the main program passes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fem/fb_date.h"
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/yxy.h"
#include "fem_model.h"
#include "fem_test_support.h"

namespace {

using kv::test::FemFolder;
using kv::test::FemModel;

// A rectangular grid of nx × ny input nodes `step` m apart, one beam between
// neighbours, a point load at every node.
FemModel Grid(int nx, int ny, float step) {
    FemModel m;
    for (int r = 0; r < ny; ++r)
        for (int c = 0; c < nx; ++c) m.AddNode(c * step, r * step);
    for (int r = 0; r < ny; ++r)
        for (int c = 0; c + 1 < nx; ++c) m.AddBeam(r * nx + c + 1, r * nx + c + 2);
    for (int r = 0; r + 1 < ny; ++r)
        for (int c = 0; c < nx; ++c) m.AddBeam(r * nx + c + 1, (r + 1) * nx + c + 1);
    FemModel::Case load;
    for (int i = 1; i <= nx * ny; ++i) load.point.push_back({i, 10.0f, 0, 0});
    m.cases.push_back(load);
    return m;
}

// w restrained at every edge node of that grid, as the main program lists them.
std::string EdgeRestraints(int nx, int ny) {
    std::vector<std::pair<int, int>> fixed;
    for (int r = 0; r < ny; ++r)
        for (int c = 0; c < nx; ++c)
            if (r == 0 || c == 0 || r == ny - 1 || c == nx - 1) fixed.push_back({r * nx + c, 1});
    return kv::test::RestraintText(fixed);
}

// The model read into the folder: "STRUC_LD.FB" and "SOIL.FB", and "YS.FB".
void Prepare(FemFolder& folder, const FemModel& model, const std::string& restraints) {
    folder.Write("YXY_JS.DAT", model.Text());
    folder.Write("YS.FB", restraints);
    FB_DATE reader;
    reader.main_date("YXY_JS.DAT", 1, 0);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    folder.lines.clear();
}

TEST(MainYxy, TypesOutsideTheTableAndARunEnteredWithTheErrorSetDoNothing) {
    struct Case {
        const char* what;
        int type;
        int error_on_entry;
    } cases[] = {
        {"type 5", 5, 0},
        {"type -2", -2, 0},
        {"type 0 with the error code set", 0, 301},
        {"type 1 with the error code set", 1, 201},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FemFolder folder;
        Prepare(folder, Grid(3, 3, 3.0f), EdgeRestraints(3, 3));
        const std::string before = folder.List();
        JS_ERROR_CODE = c.error_on_entry;
        YXY yxy;
        yxy.main_yxy(c.type, 1.0e6f, 6000, 2);
        EXPECT_EQ(JS_ERROR_CODE, c.error_on_entry);
        EXPECT_EQ(folder.List(), before);
        EXPECT_TRUE(folder.lines.empty()) << ::testing::PrintToString(folder.Messages());
    }
}

// The main program passes type 0, 1.0e6 m and 6000: every beam stays one
// element, and the block holds at least three entries per node.
TEST(MainYxy, TheMainProgramsArgumentsKeepOneElementPerBeamAndRaiseTheBlockSize) {
    struct Case {
        int nx, ny;
        int block_size;
    } cases[] = {
        {4, 3, 6000},       // 12 nodes: 36 < 6000
        {46, 46, 3 * 2116}  // 2,116 nodes: 6,348 > 6000
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nx * c.ny);
        FemFolder folder;
        FemModel model = Grid(c.nx, c.ny, 3.0f);
        Prepare(folder, model, EdgeRestraints(c.nx, c.ny));
        YXY yxy;
        yxy.main_yxy(0, 1.0e6f, 6000, 2);
        ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
        EXPECT_TRUE(folder.Told(10, " Divide_length = 1000000.000000"));

        net_pre_file pre("NET_PRE.FB");
        ASSERT_EQ(pre.read_beam_cut(), 1);
        ASSERT_EQ(pre.beams.size(), model.beams.size());
        for (const beam_cut_date& b : pre.beams) EXPECT_EQ(b.num, 2) << "beam " << b.beam;

        freedom_file layout("FREEDOM.FB");
        EXPECT_EQ(layout.node_num, c.nx * c.ny);
        EXPECT_EQ(layout.block_size, c.block_size);
    }
}

TEST(MainYxy, AMeshStageFailureStopsTheRunBeforeTheFreedoms) {
    FemFolder folder;
    FemModel model = Grid(3, 3, 3.0f);
    model.grade = 3;  // no such concrete: the element data file is refused
    Prepare(folder, model, EdgeRestraints(3, 3));
    YXY yxy;
    yxy.main_yxy(0, 1.0e6f, 6000, 2);
    EXPECT_NE(JS_ERROR_CODE, 0);
    EXPECT_TRUE(folder.Exists("NET_PRE.FB"));
    EXPECT_FALSE(folder.Exists("FREEDOM.FB"));
}

TEST(MainYxy, TheMeshStagesHeadlinesComeInTheOrderOfItsSteps) {
    FemFolder folder;
    Prepare(folder, Grid(3, 3, 3.0f), EdgeRestraints(3, 3));
    YXY yxy;
    yxy.main_yxy(0, 0, 6000, 2);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    std::vector<std::string> headlines;
    for (const auto& l : folder.lines)
        if (l.code == -2) headlines.push_back(l.text);
    const std::vector<std::string> mesh = {"正在计算网格剖分建议长度....", "正在做梁剖分....", "正在做板剖分....",
                                           "正在做带宽优化....", "正在形成有限元计算数据文件....",
                                           "正在形成自由度信息文件...."};
    ASSERT_GE(headlines.size(), mesh.size());
    EXPECT_EQ(std::vector<std::string>(headlines.begin(), headlines.begin() + long(mesh.size())), mesh);
}

// Callers that know the driver by its layout switch point-load snapping through
// its first word.
TEST(MainYxy, TheFirstWordIsTheMeshStagesFlagAndTheSetterWritesIt) {
    YXY yxy;
    EXPECT_EQ(static_cast<void*>(&yxy), static_cast<void*>(&yxy.net.acad_flag));
    yxy.set_acad_flag(1);
    int first;
    std::memcpy(&first, &yxy, sizeof first);
    EXPECT_EQ(first, 1);
    YXY other;
    other = yxy;
    EXPECT_EQ(other.net.acad_flag, 1);
}

}  // namespace

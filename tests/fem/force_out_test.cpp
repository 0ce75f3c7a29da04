// The output stage's force files written from displacements the test chooses: a
// rigid motion of the whole grid strains no element, so every element force is
// that of its own loads held fixed, and the pin forces sum to the loads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "base/error.h"
#include "fem/fb_date.h"
#include "fem/force_file.h"
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/yxy_net.h"
#include "fem/yxy_out.h"
#include "fem_model.h"
#include "fem_test_support.h"

namespace {

using kv::test::F32At;
using kv::test::FemFolder;
using kv::test::FemModel;
using kv::test::I32At;

// w = 0.002 + 0.001 x - 0.003 y: the rotation about x is dw/dy, about y -dw/dx.
constexpr float kA = 0.002f, kB = 0.001f, kC = -0.003f;

// Meshes the model (type 0, nothing restrained) and writes "LOAD_V.FB" with the
// rigid motion in every case.
void MeshWithRigidMotion(FemFolder& folder, const FemModel& model, float divide) {
    folder.Write("YXY_JS.DAT", model.Text());
    FB_DATE reader;
    reader.main_date("YXY_JS.DAT", 1, 0);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    folder.Write("YS.FB", "00000000\n");
    YXY_NET net;
    net.main_net(0, divide, 6000);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    net_dat_file dat("NET_DAT.FB");
    freedom_file freedom("FREEDOM.FB");
    ASSERT_TRUE(dat.read_node() && freedom.read_id());
    std::vector<double> U(std::size_t(freedom.neq) * model.cases.size(), 0.0);
    for (std::size_t c = 0; c < model.cases.size(); ++c)
        for (std::size_t j = 0; j < std::size_t(dat.node_num); ++j) {
            const double values[3] = {kA + kB * dat.x[j] + kC * dat.y[j], kC, -kB};
            for (int f = 0; f < 3; ++f)
                if (freedom.id[f][j] > 0) U[c * std::size_t(freedom.neq) + std::size_t(freedom.id[f][j]) - 1] = values[f];
        }
    folder.Write("LOAD_V.FB", std::string(reinterpret_cast<const char*>(U.data()), U.size() * 8));
}

// A 3 × 3 grid of 2 m squares' beams, no plates.
FemModel Grid(int cases) {
    FemModel m;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) m.AddNode(2.0f * float(i), 2.0f * float(j));
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 3; ++i) m.AddBeam(4 * j + i + 1, 4 * j + i + 2);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j) m.AddBeam(4 * j + i + 1, 4 * j + i + 5);
    m.cases.resize(std::size_t(cases));
    return m;
}

TEST(OutForce, ThreeCasesWithoutPlatesPlaceTheirBlocksOneAfterAnother) {
    FemFolder folder;
    FemModel model = Grid(3);
    model.cases[1].line.push_back({5, 1, {10, 10, 0, 2}});
    MeshWithRigidMotion(folder, model, 1.0e6f);
    YXY_OUT out;
    out.main_out(2, 3);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    const std::string f = folder.Read("FORCE.FB");
    EXPECT_EQ(I32At(f, 0), 24);
    EXPECT_EQ(I32At(f, 4), 0);
    EXPECT_EQ(I32At(f, 8), 3);
    for (int c = 0; c < 3; ++c) {
        const int beams = 36 + c * 24 * 228;
        EXPECT_EQ(I32At(f, std::size_t(12 + 8 * c)), beams);
        EXPECT_EQ(I32At(f, std::size_t(16 + 8 * c)), beams + 24 * 228);  // the plate block is empty
    }
    EXPECT_EQ(f.size(), std::size_t(36 + 3 * 24 * 228));
    EXPECT_EQ(folder.Read("W_BAN.FB"), "");

    force_file file("FORCE.FB");
    ASSERT_EQ(file.read_beam(1), 1);
    for (const beam_force& b : file.beam) {
        if (b.beam == 4) {
            // The loaded beam held at both ends: -qL²/12 at its ends, qL²/24 between.
            EXPECT_NEAR(b.M[0], -10 * 4.0 / 12, 1e-3);
            EXPECT_NEAR(b.M[1], 10 * 4.0 / 24, 1e-3);
            EXPECT_NEAR(b.V[0], 10.0, 1e-3);
        } else {
            for (int s = 0; s < 9; ++s) EXPECT_NEAR(b.Ms[s], 0.0, 1e-3) << b.beam << " " << s;
        }
    }
    EXPECT_EQ(file.beam[7].beam, 7);
    EXPECT_EQ(file.beam[7].x1, 2.0f);
    EXPECT_EQ(file.beam[7].y2, 4.0f);
}

TEST(OutPin, UnstrainedElementsLeaveTheLoadsAsPinForces) {
    FemFolder folder;
    FemModel model = Grid(2);
    model.cases[0].point.push_back({6, 25, 0, 0});
    model.cases[1].line.push_back({2, 1, {6, 6, 0, 2}});
    MeshWithRigidMotion(folder, model, 1.0e6f);
    YXY_OUT out;
    out.main_out(2, 2);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    EXPECT_FALSE(folder.Exists("FORCE.FB"));
    const std::string pin = folder.Read("PIN.FB");
    ASSERT_EQ(pin.size(), std::size_t(2 * 16 * 12));
    double total[2] = {0, 0};
    std::vector<float> moments;  // the rotation components that are not 0
    for (int c = 0; c < 2; ++c)
        for (int j = 0; j < 16; ++j) {
            total[c] += F32At(pin, std::size_t(12 * (16 * c + j)));
            for (int k = 1; k < 3; ++k) {
                const float m = F32At(pin, std::size_t(12 * (16 * c + j) + 4 * k));
                if (std::abs(m) > 1e-2f) moments.push_back(m);
            }
        }
    EXPECT_NEAR(total[0], 25.0, 1e-3);
    EXPECT_NEAR(total[1], 12.0, 1e-3);
    // The loaded beam's fixed-end moments qL²/12, one at each end.
    ASSERT_EQ(moments.size(), 2u);
    EXPECT_NEAR(std::abs(moments[0]), 6 * 4.0 / 12, 1e-2);
    EXPECT_NEAR(moments[0] + moments[1], 0.0, 1e-2);
    const std::string zhu = folder.Read("ZHU_PIN.FB");
    EXPECT_NEAR(F32At(zhu, 8 + 4 * 5), 25.0, 1e-3);                 // node 6, case 1
    EXPECT_NEAR(F32At(zhu, 8 + 4 * (16 + 1)), 6.0, 1e-3);           // beam 2's ends, case 2
    EXPECT_NEAR(F32At(zhu, 8 + 4 * (16 + 2)), 6.0, 1e-3);
    EXPECT_NEAR(F32At(zhu, 8 + 4 * (16 + 5)), 0.0, 1e-3);
}

// A concentrated load beyond its element stops the run after that beam: the
// force file keeps its zero positions, which its reader refuses.
TEST(OutForce, ARunThatStopsLeavesAFileTheReaderRefuses) {
    FemFolder folder;
    FemModel model = Grid(1);
    model.cases[0].line.push_back({3, 2, {10, 0, 0, 7.5f}});
    MeshWithRigidMotion(folder, model, 1.0e6f);
    folder.Write("FORCE.FB", "an older run's file");
    YXY_OUT out;
    out.main_out(2, 1);
    EXPECT_EQ(JS_ERROR_CODE, 201);
    EXPECT_TRUE(folder.Told(201, "Load error in cal_eload_beam"));
    EXPECT_TRUE(folder.Told(0, "**** Beam:  3\n"));
    EXPECT_FALSE(folder.Told(0, "**** Beam:  4\n"));
    const std::string f = folder.Read("FORCE.FB");
    EXPECT_EQ(f.size(), std::size_t(20 + 3 * 228));
    EXPECT_EQ(I32At(f, 12), 0);
    JS_ERROR_CODE = 0;
    folder.lines.clear();
    {
        force_file file("FORCE.FB");
        EXPECT_EQ(JS_ERROR_CODE, 301);
        EXPECT_EQ(folder.Messages(), std::vector<std::string>{"Pointer error in force file !"});
    }
    EXPECT_TRUE(folder.FilesClosed());
}

// Two plates: their records follow the beam block of each case and read back.
TEST(OutForce, PlateRecordsFollowTheBeamsOfTheirCase) {
    FemFolder folder;
    FemModel model;
    for (auto [x, y] : {std::pair{0.0f, 0.0f}, {3, 0}, {3, 3}, {0, 3}, {6, 0}, {6, 3}}) model.AddNode(x, y);
    for (auto [s, e] : {std::pair{1, 2}, {2, 3}, {3, 4}, {4, 1}, {2, 5}, {5, 6}, {6, 3}}) model.AddBeam(s, e);
    model.plates = {{1, 2, 3, 4}, {5, 6, 7, 2}};
    model.cases.resize(2);
    model.cases[1].area.push_back({2, 5});
    MeshWithRigidMotion(folder, model, 1.5f);
    YXY_OUT out;
    out.main_out(2, 3);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    force_file file("FORCE.FB");
    ASSERT_EQ(file.num_plate, 2);
    for (int c = 0; c < 2; ++c) EXPECT_EQ(file.plate_pos[std::size_t(c)], file.beam_pos[std::size_t(c)] + 7 * 228);
    EXPECT_EQ(file.beam_pos[1], file.plate_pos[0] + 2 * (12 + 4 * 32 + 20));
    ASSERT_EQ(file.read_plate(1), 1);
    EXPECT_EQ(file.plate[1].Plate, 2);
    EXPECT_EQ(file.plate[1].bbs, 4);
    EXPECT_EQ(file.plate[1].value, 250.0f);
    EXPECT_EQ(file.plate[1].x[1], 6.0f);
    // The total of the pin forces is the load on plate 2.
    const std::string pin = folder.Read("PIN.FB");
    net_dat_file dat("NET_DAT.FB");
    double total = 0;
    for (int j = 0; j < dat.node_num; ++j) total += F32At(pin, std::size_t(12 * (dat.node_num + j)));
    EXPECT_NEAR(total, 5 * 9.0, 1e-2);
}

}  // namespace

namespace {

// Which files each matrix form and work selector leaves.
TEST(MainOut, EachFormWritesItsFiles) {
    const std::vector<std::string> all = {"DEFOR.FB", "W_LIANG.FB", "W_BAN.FB", "REACT.FB", "FL_LIANG.FB",
                                          "FL_BAN.FB", "FORCE.FB",   "PIN.FB",   "ZHU_PIN.FB"};
    struct Case {
        int form, work;
        std::vector<std::string> files;
    } cases[] = {
        {2, 1, {"DEFOR.FB", "W_LIANG.FB", "W_BAN.FB", "FORCE.FB"}},
        {2, 2, {"PIN.FB", "ZHU_PIN.FB"}},
        {1, 3, {"DEFOR.FB", "W_LIANG.FB", "W_BAN.FB", "REACT.FB", "FL_LIANG.FB", "FL_BAN.FB", "FORCE.FB"}},
        {1, 2, {}},
        {3, 3, all},
        {4, 3, {}},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        FemModel model;
        for (auto [x, y] : {std::pair{0.0f, 0.0f}, {3, 0}, {3, 3}, {0, 3}}) model.AddNode(x, y);
        for (auto [s, e] : {std::pair{1, 2}, {2, 3}, {3, 4}, {4, 1}}) model.AddBeam(s, e);
        model.plates = {{1, 2, 3, 4}};
        model.cases.resize(1);
        MeshWithRigidMotion(folder, model, 1.5f);
        int nodes = 0;
        {
            net_dat_file dat("NET_DAT.FB");
            nodes = dat.node_num;
        }
        // The base stiffness (form 1: columns of doubles) or the iteration's
        // reactions (form 3: floats per case).
        if (c.form == 1) folder.Write("FDSTF.FB", std::string(std::size_t(8 * nodes * nodes), '\0'));
        if (c.form == 3) folder.Write("FDSTF.FB", std::string(std::size_t(4 * nodes), '\0'));
        YXY_OUT out;
        out.main_out(c.form, c.work);
        ASSERT_EQ(JS_ERROR_CODE, 0) << c.form << c.work << ::testing::PrintToString(folder.Messages());
        for (const std::string& name : all) {
            const bool wanted = std::find(c.files.begin(), c.files.end(), name) != c.files.end();
            EXPECT_EQ(folder.Exists(name), wanted) << c.form << " " << c.work << " " << name;
        }
        EXPECT_TRUE(out.area.empty());
        EXPECT_TRUE(folder.FilesClosed());
    }
}

TEST(MainOut, AStageThatFailsLeavesTheLaterFilesUnwritten) {
    FemFolder folder;
    FemModel model = Grid(1);
    MeshWithRigidMotion(folder, model, 1.0e6f);
    folder.Write("LOAD_V.FB", "short");
    YXY_OUT out;
    out.main_out(2, 3);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(folder.Told(301, "Read file error in  LOAD_V.FB"));
    for (const char* name : {"DEFOR.FB", "W_LIANG.FB", "FORCE.FB", "PIN.FB", "ZHU_PIN.FB"})
        EXPECT_FALSE(folder.Exists(name)) << name;
    EXPECT_TRUE(folder.FilesClosed());
}

}  // namespace

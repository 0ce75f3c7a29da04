// Whole analyses on soil through the driver: a raft on one uniform layer,
// elastically coupled (type 1) and on iterated soil springs (type 3).
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <string>
#include <vector>

#include "fem/base_geometry.h"
#include "fem/mesh_files.h"
#include "fem/yxy.h"
#include "fem/yxy_iter.h"
#include "fem_model.h"
#include "fem_test_support.h"
#include "soil_model.h"

namespace {

using kv::test::F32At;
using kv::test::FemFolder;
using kv::test::FemModel;
using kv::test::I32At;

std::vector<float> CaseOf(const FemFolder& folder, const char* name, int load_case) {
    const std::string bytes = folder.Read(name);
    const int count = I32At(bytes, 0);
    std::vector<float> out;
    for (int i = 0; i < count; ++i) out.push_back(F32At(bytes, 8 + 4 * (std::size_t(load_case) * count + i)));
    return out;
}

void Analyse(FemFolder& folder, const FemModel& model, int type, float divide, int c = 2) {
    folder.Write("YXY_JS.DAT", model.Text());
    FB_DATE reader;
    reader.main_date("YXY_JS.DAT", 1, 0);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    YXY yxy;
    yxy.main_yxy(type, divide, 6000, c);
}

// A raft under a uniform pressure q on its plate.
FemModel LoadedRaft(float side, float q) {
    FemModel m = kv::test::Raft(side);
    FemModel::Case c;
    distri_load a{};
    a.plate = 1;
    a.q = q;
    c.area.push_back(a);
    m.cases.push_back(c);
    return m;
}

// Σ reaction × node area, and the largest mirror difference of the settlements
// about x = side/2 and y = side/2 relative to the largest settlement.
struct Balance {
    double carried = 0, asymmetry = 0;
};
Balance Check(const FemFolder& folder, float side) {
    Balance out;
    const std::vector<float> r = CaseOf(folder, "REACT.FB", 0), w = CaseOf(folder, "DEFOR.FB", 0);
    const std::vector<float> area = cal_area();
    EXPECT_EQ(r.size(), area.size());
    for (std::size_t i = 0; i < r.size() && i < area.size(); ++i) out.carried += double(r[i]) * area[i];
    net_dat_file dat("NET_DAT.FB");
    EXPECT_EQ(dat.read_node(), 1);
    double most = 0;
    for (float v : w) most = std::max(most, double(std::fabs(v)));
    for (int i = 0; i < dat.node_num; ++i)
        for (int j = 0; j < dat.node_num; ++j) {
            const bool mirror_x = std::fabs(dat.x[i] + dat.x[j] - side) < 1e-3 && std::fabs(dat.y[i] - dat.y[j]) < 1e-3;
            const bool mirror_y = std::fabs(dat.y[i] + dat.y[j] - side) < 1e-3 && std::fabs(dat.x[i] - dat.x[j]) < 1e-3;
            if (mirror_x || mirror_y) out.asymmetry = std::max(out.asymmetry, std::fabs(double(w[i]) - w[j]) / most);
        }
    return out;
}

TEST(SoilRun, AnElasticRaftCarriesItsLoadOnTheSoilWithSymmetricSettlements) {
    FemFolder folder;
    Analyse(folder, LoadedRaft(4.0f, 20.0f), 1, 1.0f);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    const Balance b = Check(folder, 4.0f);
    // K·w per area: the settlement's sign, as the displacements go upward.
    EXPECT_NEAR(b.carried, -320.0, 0.32);
    EXPECT_LT(b.asymmetry, 1e-3);
    const std::vector<float> w = CaseOf(folder, "DEFOR.FB", 0);
    for (float v : w) EXPECT_LT(v, 0.0f);
    // The dense flexibility is left for the callers, n rows of n floats.
    const int n = static_cast<int>(w.size());
    EXPECT_EQ(folder.Read("FDSOF1.FB").size(), std::size_t(n) * n * 4);
    EXPECT_TRUE(folder.Exists("FL_BAN.FB"));
    EXPECT_TRUE(folder.Exists("react.see"));
    EXPECT_TRUE(folder.FilesClosed());
}

TEST(SoilRun, APlasticRaftConvergesAndCarriesItsLoad) {
    for (int c : {1, 2, 7}) {
        FemFolder folder;
        Analyse(folder, LoadedRaft(4.0f, 20.0f), 3, 1.0f, c);
        ASSERT_EQ(JS_ERROR_CODE, 0) << c << ::testing::PrintToString(folder.Messages());
        const Balance b = Check(folder, 4.0f);
        EXPECT_NEAR(b.carried, 320.0, 3.2) << c;  // upward on the base, converged to 1 %
        EXPECT_LT(b.asymmetry, 1e-2) << c;
        EXPECT_TRUE(folder.Told(0, "Iteration time : 1")) << c;
        EXPECT_TRUE(folder.FilesClosed()) << c;
    }
}

TEST(SoilRun, TheElasticSoilStageIsRefusedWithoutSoilColumns) {
    FemFolder folder;
    FemModel raft = LoadedRaft(4.0f, 20.0f);
    raft.soil = "0\n";
    for (int type : {1, 3}) {
        JS_ERROR_CODE = 0;
        folder.lines.clear();
        Analyse(folder, raft, type, 1.0f);
        EXPECT_NE(JS_ERROR_CODE, 0) << type;
        bool told = false;
        for (const auto& l : folder.lines) told |= l.code == 310;
        EXPECT_TRUE(told) << type;
        EXPECT_FALSE(folder.Exists("REACT.FB")) << type;
    }
}

// Reactions from displacements: pulled up gives 0, beyond the limit exactly the limit.
TEST(PlasticIteration, ReactionsAreCutAtZeroAndAtTheLimit) {
    YXY_ITER iter;
    iter.area = {2.0f, 2.0f, 2.0f};
    iter.set_limit(100.0f);
    const double u[9] = {-0.01, 0, 0, 0.02, 0, 0, -1.0, 0, 0};
    const float k[3] = {1000.0f, 1000.0f, 1000.0f};
    float R[3];
    iter.cal_react_limit(R, u, k, 3);
    EXPECT_FLOAT_EQ(R[0], 10.0f);
    EXPECT_EQ(R[1], 0.0f);
    EXPECT_EQ(R[2], 200.0f);
    const float a[2] = {10, -10}, b[2] = {11, -10};
    EXPECT_NEAR(YXY_ITER::cal_tol(a, b, 2), 5.0f, 1e-5f);
}

// The plastic limit is asked for and read from a pipe; a terminal or an idle
// pipe is never waited on, and the limit stays.
TEST(PlasticIteration, TheLimitComesFromAPipeAndNeverBlocks) {
    FemFolder folder;
    Analyse(folder, LoadedRaft(4.0f, 20.0f), 3, 1.0f);  // stdin as the test runs: not waited on
    ASSERT_EQ(JS_ERROR_CODE, 0);
    EXPECT_TRUE(folder.Told(1, "Please input Max_plastic_react_force: (KN/m^2) "));

    const int saved = ::dup(0);
    int idle[2];
    ASSERT_EQ(::pipe(idle), 0);
    ::dup2(idle[0], 0);
    YXY_ITER iter;
    folder.lines.clear();
    iter.main_iter(2);  // an open pipe with nothing in it
    EXPECT_EQ(iter.limit(), 1000.0f);

    int fed[2];
    ASSERT_EQ(::pipe(fed), 0);
    ASSERT_EQ(::write(fed[1], "250.5\n", 6), 6);
    ::close(fed[1]);
    ::dup2(fed[0], 0);
    std::clearerr(stdin);
    JS_ERROR_CODE = 0;
    iter.main_iter(2);
    EXPECT_FLOAT_EQ(iter.limit(), 250.5f);
    ::dup2(saved, 0);
    for (int f : {saved, idle[0], idle[1], fed[0]}) ::close(f);
    std::clearerr(stdin);
}

}  // namespace

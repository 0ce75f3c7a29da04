// Whole analyses on soil through the driver: a raft on one uniform layer,
// elastically coupled (type 1) and on iterated soil springs (type 3).
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "base/numeric.h"
#include "fem/base_geometry.h"
#include "fem/beam_element.h"
#include "fem/freedom.h"
#include "fem/plate_element.h"
#include "fem/sf_coef_table.h"
#include "fem/soil_column.h"
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
    // The soil above the base (1 m of 18 kN/m³ over 16 m²) is logged, not loaded.
    EXPECT_TRUE(folder.Told(0, "\nSoil  Weight :          288.00 (KN)")) << ::testing::PrintToString(folder.Messages());
    EXPECT_EQ(folder.Read("Grav.fb").size(), 8 + 4 * std::size_t(n));
    EXPECT_TRUE(folder.FilesClosed());
}

// Solves A·x = b by elimination with partial pivoting (A square, dense).
std::vector<double> DenseSolve(std::vector<std::vector<double>> A, std::vector<double> b) {
    const std::size_t n = b.size();
    for (std::size_t c = 0; c < n; ++c) {
        std::size_t p = c;
        for (std::size_t r = c + 1; r < n; ++r)
            if (std::fabs(A[r][c]) > std::fabs(A[p][c])) p = r;
        std::swap(A[c], A[p]);
        std::swap(b[c], b[p]);
        for (std::size_t r = c + 1; r < n; ++r) {
            const double f = A[r][c] / A[c][c];
            for (std::size_t k = c; k < n; ++k) A[r][k] -= f * A[c][k];
            b[r] -= f * b[c];
        }
    }
    std::vector<double> x(n, 0.0);
    for (std::size_t c = n; c-- > 0;) {
        double v = b[c];
        for (std::size_t k = c + 1; k < n; ++k) v -= A[c][k] * x[k];
        x[c] = v / A[c][c];
    }
    return x;
}

// A tiny raft solved here as one dense coupled system: the element matrices of
// the library's beam and plate routines, plus the soil stiffness as the inverse
// of the flexibility of every node pair (inverted here), under the load vector
// the assembly left; its w against the run's displacements.
TEST(SoilRun, ATinyRaftMatchesADenseSolveOfTheCoupledSystem) {
    FemFolder folder;
    Analyse(folder, LoadedRaft(2.0f, 30.0f), 1, 1.0f);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    net_dat_file dat("NET_DAT.FB");
    freedom_file fr("FREEDOM.FB");
    ASSERT_TRUE(dat.read_node() && dat.read_beam() && dat.read_plate() && fr.read_id());
    const int n = dat.node_num, neq = fr.neq;
    ASSERT_EQ(neq, 3 * n);
    std::vector<std::vector<double>> K(std::size_t(neq), std::vector<double>(std::size_t(neq), 0.0));
    auto add = [&K](const float* k, int size, const int* eq) {
        for (int a = 0; a < size; ++a)
            for (int b = 0; b < size; ++b)
                if (eq[a] > 0 && eq[b] > 0) K[std::size_t(eq[a] - 1)][std::size_t(eq[b] - 1)] += k[a * size + b];
    };
    for (int e = 0; e < int(dat.beams.size()); ++e) {
        kv::fem::beam_element_data el;
        ASSERT_TRUE(kv::fem::get_beam_element(e, dat, fr.id, &el));
        float k[36], R[36];
        ASSERT_TRUE(kv::fem::stiff_beam_local(k, el.x, el.y, el.J, el.I, dat.beam_E, dat.beam_mu));
        kv::fem::form_rotate_matrix(R, get_line_angle(el.x[0], el.y[0], el.x[1], el.y[1]));
        mut_matrix_lr_1(R, k, R, k, 6, 6, 6);
        add(k, 6, el.eq);
    }
    kv::fem::plate_element plate;
    for (int e = 0; e < int(dat.plates.size()); ++e) {
        kv::fem::plate_element_data el;
        ASSERT_TRUE(kv::fem::get_plate_element(e, dat, fr.id, &el));
        float k[81];
        ASSERT_TRUE(plate.cal_stiff_plate(k, el.x, el.y, el.thick, dat.plate_E, dat.plate_mu));
        add(k, 9, el.eq);
    }
    // The soil: F(i, j) in node i's column under node j's area; K_soil = F⁻¹.
    const std::vector<float> area = cal_area();
    const float base = cal_elev();
    soilnode_file soil("SOILNODE.FB");
    sf_coef_table table;
    std::vector<std::vector<double>> F(std::size_t(n), std::vector<double>(std::size_t(n), 0.0));
    for (int i = 0; i < n; ++i) {
        soil_date_xy column;
        ASSERT_EQ(soil.read_node(i, &column, base), 1);
        for (int j = 0; j < n; ++j)
            F[i][j] = table.cal_soil_softness(area[j], &column, dat.x[i], dat.y[i], dat.x[j], dat.y[j]);
        soil.free_node(&column);
    }
    for (int j = 0; j < n; ++j) {
        std::vector<double> e(std::size_t(n), 0.0);
        e[std::size_t(j)] = 1.0;
        const std::vector<double> col = DenseSolve(F, e);
        for (int i = 0; i < n; ++i) K[3 * std::size_t(i)][3 * std::size_t(j)] += col[std::size_t(i)];
    }
    const std::string loads = folder.Read("LOAD_VB.FB");
    ASSERT_EQ(loads.size(), std::size_t(neq) * 8);
    std::vector<double> f(std::size_t(neq), 0.0);
    for (int q = 0; q < neq; ++q) std::memcpy(&f[std::size_t(q)], loads.data() + 8 * q, 8);
    const std::vector<double> u = DenseSolve(K, f);
    const std::vector<float> w = CaseOf(folder, "DEFOR.FB", 0);
    double most = 0;
    for (int k = 0; k < n; ++k) most = std::max(most, std::fabs(u[3 * std::size_t(k)]));
    ASSERT_GT(most, 1e-4);
    for (int k = 0; k < n; ++k) EXPECT_NEAR(w[std::size_t(k)], u[3 * std::size_t(k)], 1e-4 * most) << k;
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

// Springs from the dense flexibility: a settlement of exactly 0 gives R / 1e-20.
TEST(PlasticIteration, SpringsAreTheReactionOverTheSettlement) {
    FemFolder folder;
    folder.Write("FDSOF1.FB", kv::test::Bytes().f({0.0f, 0.0f, 0.5f, 0.25f}).str());
    YXY_ITER iter;
    const float R[2] = {4.0f, 8.0f};
    float k[2];
    iter.cal_soil_defor(k, R, 2);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    EXPECT_FLOAT_EQ(k[0], 4.0f / 1e-20f);
    EXPECT_FLOAT_EQ(k[1], 8.0f / (0.5f * 4.0f + 0.25f * 8.0f));
    EXPECT_TRUE(folder.FilesClosed());
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

// The assembly stage: the matrix blocks read back into a dense matrix and
// checked against a cantilever's stiffness worked by hand and against the rigid
// motions of a free grid of beams and plates; the load vectors of line, point
// and area loads and their copy.
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/yxy_stiff.h"
#include "fem_model_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using kv::test::F32At;
using kv::test::FemFolder;
using kv::test::FemModel;

double F64At(const std::string& bytes, std::size_t at) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes.at(at + i));
    double d;
    std::memcpy(&d, &v, 8);
    return d;
}

// The symmetric matrix of "STIFF1.FB" as a dense neq x neq matrix (0-based).
struct Dense {
    int n = 0, blocks = 0;
    std::vector<double> a;
    double& at(int i, int j) { return a[std::size_t(i) * n + j]; }

    explicit Dense(const FemFolder& folder) {
        freedom_file fr("FREEDOM.FB");
        EXPECT_TRUE(fr.read_col() && fr.read_block());
        n = fr.neq;
        blocks = fr.block_num;
        a.assign(std::size_t(n) * n, 0.0);
        const std::string bytes = folder.Read("STIFF1.FB");
        EXPECT_EQ(bytes.size(), std::size_t(blocks) * fr.block_size * 8);
        for (int b = 1; b <= blocks; ++b) {
            const std::size_t base = std::size_t(b - 1) * fr.block_size * 8;
            const int start = fr.addr[fr.blockend[b - 1]];
            for (int j = fr.blockend[b - 1] + 1; j <= fr.blockend[b]; ++j) {
                const int height = fr.addr[j] - fr.addr[j - 1];
                for (int r = j - height + 1; r <= j; ++r) {
                    const int pos = fr.addr[j] - (j - r);  // 1-based place in the profile
                    const double v = F64At(bytes, base + std::size_t(pos - start - 1) * 8);
                    at(r - 1, j - 1) = v;
                    at(j - 1, r - 1) = v;
                }
            }
        }
    }
    std::vector<double> Times(const std::vector<double>& u) const {
        std::vector<double> f(n, 0.0);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) f[i] += a[std::size_t(i) * n + j] * u[j];
        return f;
    }
};

TEST(MainStiff, ACantileverEndWithASpringAndNothingFromRestrainedParts) {
    FemFolder folder;
    FemModel m;
    m.nodes = {{0, 0}, {2, 0}, {5, 0}};
    m.beams = {{1, 2}, {2, 3}};
    // Nodes 1 and 2 held; a spring on node 2's restrained w, one of 500 kN/m on node 3.
    m.supports = {"1,3,0,0", "2,3,0,0", "2,1,0,800", "3,1,0,500"};
    m.Mesh(folder, 1.0e6f);
    YXY_STIFF stage;
    stage.main_stiff(2, 1);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    EXPECT_TRUE(folder.Told(-2, "正在集成刚度矩阵...."));
    EXPECT_TRUE(folder.Told(0, "Integrate Complete : 100 %"));
    EXPECT_FALSE(folder.Exists("LOAD_V.FB"));  // matrix only

    net_dat_file dat("NET_DAT.FB");
    ASSERT_TRUE(dat.read_beam());
    const double L = 3, E = dat.beam_E, I = dat.beams[1].I / 1e12, J = dat.beams[1].J / 1e12;
    const double EI = E * I, GJ = E / (2 * (1 + dat.beam_mu)) * J;
    Dense K(folder);
    ASSERT_EQ(K.n, 3);  // node 3's w, rotation about x (the twist), rotation about y
    const double want[3][3] = {{12 * EI / (L * L * L) + 500, 0, 6 * EI / (L * L)},
                               {0, GJ / L, 0},
                               {6 * EI / (L * L), 0, 4 * EI / L}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(K.at(i, j), want[i][j], 1e-5 * 4 * EI / L) << i << "," << j;
}

TEST(MainStiff, AFreeGridOfBeamsAndPlatesResistsNoRigidMotion) {
    FemFolder folder;
    FemModel m;
    m.nodes = {{0, 0}, {3, 0}, {3, 3}, {0, 3}, {6, 0}, {6, 3}};
    m.beams = {{1, 2}, {2, 3}, {3, 4}, {4, 1}, {2, 5}, {5, 6}, {6, 3}};
    m.plates = {{1, 2, 3, 4}};
    m.supports = {"6,1,0,700"};
    m.block_size = 1;  // blocks as small as the layout allows
    m.Mesh(folder, 1.0f);
    YXY_STIFF stage;
    stage.main_stiff(2, 1);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    Dense K(folder);
    EXPECT_GT(K.blocks, 1);
    net_dat_file dat("NET_DAT.FB");
    freedom_file fr("FREEDOM.FB");
    ASSERT_TRUE(dat.read_node() && dat.read_support() && fr.read_id());
    double scale = 0;
    for (double v : K.a) scale = std::fmax(scale, std::fabs(v));
    for (int i = 0; i < K.n; ++i) EXPECT_GT(K.at(i, i), 0) << i;

    // w = c + gx·x + gy·y; rotations ∂w/∂y about x and −∂w/∂x about y.
    const double modes[3][3] = {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}};
    for (const auto& mode : modes) {
        std::vector<double> u(std::size_t(K.n), 0.0);
        for (int node = 0; node < dat.node_num; ++node) {
            const double v[3] = {mode[0] + mode[1] * dat.x[node] + mode[2] * dat.y[node], mode[2], -mode[1]};
            for (int k = 0; k < 3; ++k) u[fr.id[k][node] - 1] = v[k];
        }
        std::vector<double> f = K.Times(u);
        // Only the spring (node 6, the last input node, at (6, 3)) pushes back.
        const int spring = dat.supports[0].node;
        const int eq = fr.id[0][spring] - 1;
        f[eq] -= 700 * u[eq];
        for (int i = 0; i < K.n; ++i) EXPECT_NEAR(f[i], 0, 1e-4 * scale) << "mode " << mode[0] << mode[1] << mode[2];
    }
}

TEST(LoadVecter, LineLoadOfAUnitBeamPointAndAreaLoadsAndTheirCopy) {
    FemFolder folder;
    FemModel m;
    m.nodes = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    m.beams = {{1, 2}, {2, 3}, {3, 4}, {4, 1}};
    m.plates = {{1, 2, 3, 4}};
    // Case 1: 10 kN/m along beam 1; case 2: a point load and moments at node 3;
    // case 3: 6 kN/m² on the plate.
    m.case_count = 3;
    m.loads = "0,1,0\n1,1,1,10,10,0,1\n1,0,0\n1,3,7,2,3\n0,0,1\n1,1,6\n";
    m.Mesh(folder, 1.0e6f);
    YXY_STIFF stage;
    stage.main_stiff(2, 2);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    EXPECT_TRUE(folder.Told(-2, "正在计算工况 3 荷载向量...."));
    EXPECT_TRUE(folder.Told(-2, "(3) 处理面荷载向量...."));
    EXPECT_FALSE(folder.Exists("STIFF1.FB"));  // loads only

    freedom_file fr("FREEDOM.FB");
    net_pre_file pre("NET_PRE.FB");
    ASSERT_TRUE(fr.read_id() && pre.read_index());
    const int neq = fr.neq;
    const std::string v = folder.Read("LOAD_V.FB");
    ASSERT_EQ(v.size(), std::size_t(3) * neq * 8);
    EXPECT_EQ(folder.Read("LOAD_VB.FB"), v);
    auto entry = [&](int c, int input_node, int freedom) {
        const int node = pre.new_of_old[input_node];  // input nodes come first in the mesh table
        const int eq = fr.id[freedom][node];
        return eq > 0 ? F64At(v, (std::size_t(c) * neq + eq - 1) * 8) : 0.0;
    };
    // Downward 10 kN/m on 1 m from node 1 to node 2 (along x).
    EXPECT_NEAR(entry(0, 0, 0), -5, 1e-6);
    EXPECT_NEAR(entry(0, 1, 0), -5, 1e-6);
    EXPECT_NEAR(entry(0, 0, 2), 10.0 / 12, 1e-6);
    EXPECT_NEAR(entry(0, 1, 2), -10.0 / 12, 1e-6);
    EXPECT_NEAR(entry(0, 0, 1), 0, 1e-9);
    EXPECT_NEAR(entry(0, 2, 0), 0, 1e-9);
    // Case 2: the point load against w, its moments on freedoms 2 and 3.
    EXPECT_NEAR(entry(1, 2, 0), -7, 1e-6);
    EXPECT_NEAR(entry(1, 2, 1), 2, 1e-6);
    EXPECT_NEAR(entry(1, 2, 2), 3, 1e-6);
    EXPECT_NEAR(entry(1, 0, 0), 0, 1e-9);
    // Case 3: the area load's w entries sum to its total.
    double total = 0;
    for (int node = 0; node < fr.node_num; ++node)
        if (fr.id[0][node] > 0) total += F64At(v, (std::size_t(2) * neq + fr.id[0][node] - 1) * 8);
    EXPECT_NEAR(total, -6 * 1.0, 1e-5);
}

// Only the elastic-soil form (1) transforms the stiffness for an offset.
TEST(MainStiff, RefusesOffsetsInTheSymmetricForms) {
    for (int form : {2, 3}) {
        FemFolder folder;
        FemModel m;
        m.nodes = {{0, 0}, {4, 0}};
        m.beams = {{1, 2}};
        m.supports = {"1,3,0,0", "2,3,0,0"};
        m.beam_offset = 150;
        m.Mesh(folder, 2.0f);
        YXY_STIFF stage;
        stage.main_stiff(form, 3);
        EXPECT_EQ(JS_ERROR_CODE, 201) << form;
        EXPECT_TRUE(folder.Told(201, "Beam 1 has an offset length: only the elastic-soil analysis takes offsets, set it to 0"));
        EXPECT_FALSE(folder.Exists("STIFF1.FB"));
        EXPECT_FALSE(folder.Exists("LOAD_V.FB"));
        EXPECT_TRUE(folder.FilesClosed());
    }
}

TEST(LoadVecter, ALoadBeyondItsElementStopsTheStageWithoutALoadFile) {
    FemFolder folder;
    FemModel m;
    m.nodes = {{0, 0}, {4, 0}};
    m.beams = {{1, 2}};
    m.supports = {"1,3,0,0", "2,3,0,0"};
    m.loads = "0,1,0\n1,1,2,20,0,0,9\n";
    m.Mesh(folder, 1.0e6f);
    YXY_STIFF stage;
    stage.main_stiff(2, 3);
    EXPECT_EQ(JS_ERROR_CODE, 201);
    EXPECT_TRUE(folder.Told(201, "Load error in cal_eload_beam"));
    EXPECT_TRUE(folder.Exists("STIFF1.FB"));
    EXPECT_FALSE(folder.Exists("LOAD_V.FB"));
    EXPECT_FALSE(folder.Exists("LOAD_VB.FB"));
    EXPECT_TRUE(folder.FilesClosed());
}

}  // namespace

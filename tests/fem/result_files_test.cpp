// The output stage's node-value files and their summaries, the result getters
// and the text dumps. The summaries are written from displacements the test
// chooses (a linear field w = f(x, y) put into "LOAD_V.FB"), so every value
// taken at a point tells which mesh node it came from.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "base/error.h"
#include "fem/binio.h"
#include "fem/fb_date.h"
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/yxy_net.h"
#include "fem/yxy_out.h"
#include "fem/yxy_tool.h"
#include "fem_test_support.h"

namespace {

using kv::test::Bytes;
using kv::test::F32At;
using kv::test::FemFolder;
using kv::test::I32At;

// ---- the getters on files laid out by hand ------------------------------------

// Two beams, two cases: beam b of case c holds 100c + 10b + (1, 2, 3).
Bytes BeamSummary() {
    Bytes b;
    b.i({2, 2});
    for (int c = 0; c < 2; ++c)
        for (int beam = 0; beam < 2; ++beam) {
            const float base = float(100 * c + 10 * beam);
            b.f({base + 1, base + 2, base + 3});
        }
    return b;
}

// Two plates (3 and 4 edges), two cases; centre 100c + 10p, corner k that + k + 1.
Bytes PlateSummary() {
    Bytes b;
    b.i({2, 2, 0, 0, 0, 0});
    for (int c = 0; c < 2; ++c)
        for (int p = 0; p < 2; ++p) {
            b.Patch(std::size_t(8 + 4 * (2 * c + p)), b.size());
            const int n = 3 + p;
            const float base = float(100 * c + 10 * p);
            b.i({n}).f({base});
            for (int k = 0; k < n; ++k) b.f({base + float(k + 1)});
        }
    return b;
}

TEST(ResultGetters, BeamValuesComeCaseMajorFromBothBeamFiles) {
    FemFolder folder;
    folder.Write("W_LIANG.FB", BeamSummary().str());
    folder.Write("FL_LIANG.FB", BeamSummary().str());
    YXY_TOOL tool;
    float v[3] = {};
    tool.Get_Disp_yxy_Liang(1, 1, v);
    EXPECT_EQ(std::vector<float>(v, v + 3), (std::vector<float>{111, 112, 113}));
    tool.Get_FL_yxy_Liang(0, 1, v);
    EXPECT_EQ(std::vector<float>(v, v + 3), (std::vector<float>{101, 102, 103}));
    tool.Get_Disp_yxy_Liang(1, 0, v);
    EXPECT_EQ(std::vector<float>(v, v + 3), (std::vector<float>{11, 12, 13}));
    EXPECT_EQ(JS_ERROR_CODE, 0);
    EXPECT_TRUE(folder.FilesClosed());
}

TEST(ResultGetters, PlateValuesFollowTheBlockPositionsAndCheckTheEdgeCount) {
    FemFolder folder;
    folder.Write("W_BAN.FB", PlateSummary().str());
    folder.Write("FL_BAN.FB", PlateSummary().str());
    YXY_TOOL tool;
    float corners[4] = {}, centre = 0;
    tool.Get_Disp_yxy_Ban(1, 1, 4, corners, &centre);
    EXPECT_EQ(centre, 110.0f);
    EXPECT_EQ(std::vector<float>(corners, corners + 4), (std::vector<float>{111, 112, 113, 114}));
    tool.Get_FL_yxy_Ban(0, 1, 3, corners, &centre);
    EXPECT_EQ(centre, 100.0f);
    EXPECT_EQ(std::vector<float>(corners, corners + 3), (std::vector<float>{101, 102, 103}));
    ASSERT_EQ(JS_ERROR_CODE, 0);

    // Plate 1 has three edges, not four: nothing is given back.
    float kept[4] = {-1, -1, -1, -1};
    float kept_centre = -1;
    tool.Get_Disp_yxy_Ban(0, 0, 4, kept, &kept_centre);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(folder.Told(301, "读文件 W_BAN.FB 时发现对应关系不正确"));
    EXPECT_EQ(kept_centre, -1.0f);
    EXPECT_EQ(kept[0], -1.0f);
    JS_ERROR_CODE = 0;
    tool.Get_FL_yxy_Ban(1, 0, 3, kept, &kept_centre);
    EXPECT_TRUE(folder.Told(301, "读文件 FL_BAN.FB 时发现对应关系不正确"));
    EXPECT_EQ(kept_centre, -1.0f);
    EXPECT_TRUE(folder.FilesClosed());
}

TEST(ResultGetters, PinForceUnderAnInputNode) {
    FemFolder folder;
    Bytes b;
    b.i({3, 2}).f({1, 2, 3, 4, 5, 6});
    folder.Write("ZHU_PIN.FB", b.str());
    YXY_TOOL tool;
    EXPECT_EQ(tool.Get_zhu_pin_force(2, 0), 3.0f);
    EXPECT_EQ(tool.Get_zhu_pin_force(0, 1), 4.0f);
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

// An index outside the file's counts, a missing file, a file cut short, an error
// already set: each leaves the outputs alone.
TEST(ResultGetters, FailuresLeaveTheOutputsAsTheyWere) {
    struct Case {
        const char* what;
        std::string file;  // written as W_LIANG.FB, W_BAN.FB and ZHU_PIN.FB (empty: none)
        int item, load_case;
        int preset;  // error code set before the call
        int code;    // error code after it
    } cases[] = {
        {"beam beyond the count", BeamSummary().str(), 2, 0, 0, 301},
        {"negative beam", BeamSummary().str(), -1, 0, 0, 301},
        {"case beyond the count", BeamSummary().str(), 0, 2, 0, 301},
        {"negative case", BeamSummary().str(), 0, -1, 0, 301},
        {"missing file", "", 0, 0, 0, 201},
        {"header only", BeamSummary().str().substr(0, 8), 0, 0, 0, 301},
        {"cut inside the values", BeamSummary().str().substr(0, 20), 1, 1, 0, 301},
        {"error already set", BeamSummary().str(), 0, 0, 201, 201},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        if (!c.file.empty())
            for (const char* name : {"W_LIANG.FB", "W_BAN.FB", "ZHU_PIN.FB"}) folder.Write(name, c.file);
        YXY_TOOL tool;
        JS_ERROR_CODE = c.preset;
        float v[3] = {-7, -7, -7};
        tool.Get_Disp_yxy_Liang(c.item, c.load_case, v);
        EXPECT_EQ(JS_ERROR_CODE, c.code) << c.what;
        EXPECT_EQ(v[0], -7.0f) << c.what;
        EXPECT_EQ(v[2], -7.0f) << c.what;
        JS_ERROR_CODE = c.preset;
        float centre = -7;
        tool.Get_Disp_yxy_Ban(c.item, c.load_case, 3, v, &centre);
        EXPECT_EQ(centre, -7.0f) << c.what;
        EXPECT_EQ(v[0], -7.0f) << c.what;
        JS_ERROR_CODE = c.preset;
        EXPECT_EQ(tool.Get_zhu_pin_force(c.item, c.load_case), 0.0f) << c.what;
        EXPECT_EQ(JS_ERROR_CODE, c.code) << c.what;
        EXPECT_TRUE(folder.FilesClosed()) << c.what;
    }
}

TEST(ResultGetters, APlateFileOfAModelWithoutPlatesIsEmptyAndGivesNothing) {
    FemFolder folder;
    folder.Write("W_BAN.FB", "");
    YXY_TOOL tool;
    float v[3] = {-7, -7, -7}, centre = -7;
    tool.Get_Disp_yxy_Ban(0, 0, 3, v, &centre);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_EQ(centre, -7.0f);
}

// ---- the nearest-node rule ----------------------------------------------------

TEST(NearestNode, TheFirstOfEquallyNearNodesWins) {
    const std::vector<float> xs = {0, 2, 1, 1, 5}, ys = {0, 0, 1, -1, 5};
    struct Case {
        float x, y;
        int node;
    } cases[] = {
        {1, 0, 0},      // 0, 1, 2 and 3 all at distance 1
        {2, 0.5f, 1},   // strictly nearest
        {1, 1.1f, 2},
        {1.5f, -1, 3},  // 3 nearer than 1 (0.5 against 1.118)
        {9, 9, 4},
    };
    for (const Case& c : cases) EXPECT_EQ(nearest_node(c.x, c.y, xs, ys), c.node) << c.x << "," << c.y;
    EXPECT_EQ(nearest_node(0, 0, {}, {}), -1);
}

// ---- the writers on a meshed model --------------------------------------------

struct Beam {
    int s, e;           // 1-based nodes
    int kind = 1;
    float cx = 0, cy = 0;  // arc centre
};

// Input text: nodes, beams, plates given by their beams (one beam per edge) and
// `cases` load cases without loads.
std::string Input(const std::vector<std::pair<float, float>>& nodes, const std::vector<Beam>& beams,
                  const std::vector<std::vector<int>>& plates, int cases) {
    std::string t = "##  有限元计算数据文件    Ver. 1.0\n##  结点\n" + std::to_string(nodes.size()) + "\n";
    char line[200];
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        std::snprintf(line, sizeof line, "%d,%.3f,%.3f,1\n", int(i + 1), nodes[i].first, nodes[i].second);
        t += line;
    }
    t += "##  梁\n" + std::to_string(beams.size()) + ",30\n";
    for (std::size_t i = 0; i < beams.size(); ++i) {
        const Beam& b = beams[i];
        std::snprintf(line, sizeof line, "%d,%d,%d,%d,%d,250,600,0.0,0,%.3f,%.3f,0,0,0\n", int(i + 1), int(i + 1),
                      b.kind, b.s, b.e, b.cx, b.cy);
        t += line;
    }
    t += "##  板\n" + std::to_string(plates.size()) + ",30\n";
    for (std::size_t j = 0; j < plates.size(); ++j) {
        t += std::to_string(j + 1) + ",0,250,0.0,0.0," + std::to_string(plates[j].size()) + "\n";
        for (int b : plates[j]) t += "1," + std::to_string(b) + "\n";
    }
    t += "##  支撑\n0,0\n##  荷载\n" + std::to_string(cases) + "\n";
    for (int c = 0; c < cases; ++c) t += "0,0,0\n";
    return t + "##  土层信息\n0\n";
}

// The field the solution carries: w = f(x, y) in case 0, -2 f in case 1, 3 f in case 2.
float Field(float x, float y, int load_case) {
    const float f = 0.001f * (1 + x + 7 * y);
    return load_case == 0 ? f : load_case == 1 ? -2 * f : 3 * f;
}

// Meshes the model (type 0, the w of input node 1 restrained through "YS.FB")
// and writes "LOAD_V.FB" with w = Field at every free w and 99 at every rotation.
void MeshWithField(FemFolder& folder, const std::string& input, float divide, int cases) {
    folder.Write("YXY_JS.DAT", input);
    FB_DATE reader;
    reader.main_date("YXY_JS.DAT", 1, 0);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    folder.Write("YS.FB", "00000001\n0,1\n");
    YXY_NET net;
    net.main_net(0, divide, 6000);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    net_dat_file dat("NET_DAT.FB");
    freedom_file freedom("FREEDOM.FB");
    ASSERT_TRUE(dat.read_node() && freedom.read_id());
    Bytes loads;
    std::vector<double> U(std::size_t(freedom.neq) * std::size_t(cases), 99.0);
    for (int c = 0; c < cases; ++c)
        for (int j = 0; j < dat.node_num; ++j)
            if (freedom.id[0][std::size_t(j)] > 0)
                U[std::size_t(c * freedom.neq + freedom.id[0][std::size_t(j)] - 1)] =
                    Field(dat.x[std::size_t(j)], dat.y[std::size_t(j)], c);
    std::string bytes(reinterpret_cast<const char*>(U.data()), U.size() * 8);
    folder.Write("LOAD_V.FB", bytes);
}

// Runs out_disp (DEFOR.FB and its summaries) as the stage does.
void WriteDisplacements(YXY_OUT& out) {
    net_dat_file dat("NET_DAT.FB");
    freedom_file freedom("FREEDOM.FB");
    out.out_disp(dat.case_num, freedom);
}

// Two 3 m squares side by side (plates of four edges), and a three-quarter arc
// from (0, 8) counter-clockwise round (0, 6) to (2, 6): its end angle is below
// its start angle. Cut into six elements it has a node at its middle.
std::string TwoSquaresAndAnArc(int cases) {
    return Input({{0, 0}, {3, 0}, {3, 3}, {0, 3}, {6, 0}, {6, 3}, {0, 8}, {2, 6}},
                 {{1, 2}, {2, 3}, {3, 4}, {4, 1}, {2, 5}, {5, 6}, {6, 3}, {7, 8, 11, 0, 6}},
                 {{1, 2, 3, 4}, {5, 6, 7, 2}}, cases);
}

TEST(OutDisp, DisplacementsOfEveryNodeAndCaseWithZeroWhereWIsRestrained) {
    FemFolder folder;
    MeshWithField(folder, TwoSquaresAndAnArc(2), 1.5f, 2);
    YXY_OUT out;
    WriteDisplacements(out);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    net_dat_file dat("NET_DAT.FB");
    ASSERT_EQ(dat.read_node(), 1);
    const std::string defor = folder.Read("DEFOR.FB");
    const int n = dat.node_num;
    ASSERT_EQ(defor.size(), std::size_t(8 + 8 * n));
    EXPECT_EQ(I32At(defor, 0), n);
    EXPECT_EQ(I32At(defor, 4), 2);
    int restrained = 0;
    for (int c = 0; c < 2; ++c)
        for (int j = 0; j < n; ++j) {
            const float x = dat.x[std::size_t(j)], y = dat.y[std::size_t(j)];
            const float w = F32At(defor, std::size_t(8 + 4 * (c * n + j)));
            if (x == 0 && y == 0) {
                EXPECT_EQ(w, 0.0f);  // input node 1
                ++restrained;
            } else {
                EXPECT_FLOAT_EQ(w, Field(x, y, c)) << j;
            }
        }
    EXPECT_EQ(restrained, 2);
}

TEST(OutDisp, BeamSummaryTakesStartMiddleAndEndWithTheArcsMiddleCounterClockwise) {
    FemFolder folder;
    MeshWithField(folder, TwoSquaresAndAnArc(2), 1.5f, 2);
    YXY_OUT out;
    WriteDisplacements(out);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    const std::string w = folder.Read("W_LIANG.FB");
    ASSERT_EQ(w.size(), std::size_t(8 + 2 * 8 * 12));
    EXPECT_EQ(I32At(w, 0), 8);
    EXPECT_EQ(I32At(w, 4), 2);
    // The straight beams are cut in two: their middles are mesh nodes.
    const float ends[7][4] = {{0, 0, 3, 0}, {3, 0, 3, 3}, {3, 3, 0, 3}, {0, 3, 0, 0},
                              {3, 0, 6, 0}, {6, 0, 6, 3}, {6, 3, 3, 3}};
    for (int c = 0; c < 2; ++c)
        for (int b = 0; b < 7; ++b) {
            const float* e = ends[b];
            const std::size_t at = std::size_t(8 + 12 * (b + 8 * c));
            const float start = (e[0] == 0 && e[1] == 0) ? 0 : Field(e[0], e[1], c);
            const float end = (e[2] == 0 && e[3] == 0) ? 0 : Field(e[2], e[3], c);
            EXPECT_FLOAT_EQ(F32At(w, at), start) << b;
            EXPECT_FLOAT_EQ(F32At(w, at + 4), Field((e[0] + e[2]) / 2, (e[1] + e[3]) / 2, c)) << b;
            EXPECT_FLOAT_EQ(F32At(w, at + 8), end) << b;
        }
    // The arc's middle lies at 225° round (0, 6), on the far side of the centre
    // from the chord.
    const std::size_t arc = 8 + 12 * 7;
    const float r = std::sqrt(2.0f);
    EXPECT_FLOAT_EQ(F32At(w, arc), Field(0, 8, 0));
    EXPECT_NEAR(F32At(w, arc + 4), Field(-r, 6 - r, 0), 1e-6);
    EXPECT_FLOAT_EQ(F32At(w, arc + 8), Field(2, 6, 0));
}

TEST(OutDisp, PlateSummaryHasCentreThenCornersInBlocksCaseByCase) {
    FemFolder folder;
    MeshWithField(folder, TwoSquaresAndAnArc(2), 1.5f, 2);
    YXY_OUT out;
    WriteDisplacements(out);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    const std::string w = folder.Read("W_BAN.FB");
    EXPECT_EQ(I32At(w, 0), 2);
    EXPECT_EQ(I32At(w, 4), 2);
    // Blocks follow the position table, case by case and plate by plate.
    const float corners[2][4][2] = {{{0, 0}, {3, 0}, {3, 3}, {0, 3}}, {{3, 0}, {6, 0}, {6, 3}, {3, 3}}};
    const float centres[2][2] = {{1.5f, 1.5f}, {4.5f, 1.5f}};
    std::size_t expected = 8 + 4 * 4;
    net_dat_file dat("NET_DAT.FB");
    ASSERT_EQ(dat.read_node(), 1);
    for (int c = 0; c < 2; ++c)
        for (int p = 0; p < 2; ++p) {
            const std::size_t block = std::size_t(I32At(w, std::size_t(8 + 4 * (2 * c + p))));
            EXPECT_EQ(block, expected);
            expected += 4 * 6;
            EXPECT_EQ(I32At(w, block), 4);
            const int near = nearest_node(centres[p][0], centres[p][1], dat.x, dat.y);
            EXPECT_FLOAT_EQ(F32At(w, block + 4), Field(dat.x[std::size_t(near)], dat.y[std::size_t(near)], c));
            for (int k = 0; k < 4; ++k) {
                const float* q = corners[p][k];
                EXPECT_FLOAT_EQ(F32At(w, block + 8 + 4 * std::size_t(k)), q[0] == 0 && q[1] == 0 ? 0 : Field(q[0], q[1], c))
                    << c << " " << p << " " << k;
            }
        }
    EXPECT_EQ(w.size(), expected);

    // The getters read back what the writers wrote.
    YXY_TOOL tool;
    float v[4] = {}, centre = 0;
    tool.Get_Disp_yxy_Ban(1, 1, 4, v, &centre);
    EXPECT_FLOAT_EQ(v[1], Field(6, 0, 1));
    tool.Get_Disp_yxy_Liang(4, 1, v);
    EXPECT_FLOAT_EQ(v[2], Field(6, 0, 1));
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

TEST(OutDisp, WithoutPlatesThePlateSummaryIsAnEmptyFile) {
    FemFolder folder;
    MeshWithField(folder, Input({{0, 0}, {3, 0}, {3, 3}}, {{1, 2}, {2, 3}}, {}, 1), 1.5f, 1);
    folder.Write("W_BAN.FB", "an older run's file");
    YXY_OUT out;
    WriteDisplacements(out);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    EXPECT_TRUE(folder.Exists("W_BAN.FB"));
    EXPECT_EQ(folder.Read("W_BAN.FB"), "");
    EXPECT_EQ(folder.Read("W_LIANG.FB").size(), std::size_t(8 + 2 * 12));
    EXPECT_TRUE(folder.FilesClosed());
}

// The base reactions: K·w from the base stiffness, per unit area, or the
// reactions of the plastic iteration per unit area; then their summaries.
TEST(OutReact, ReactionsAreTheBaseStiffnessTimesWPerNodeArea) {
    FemFolder folder;
    MeshWithField(folder, Input({{0, 0}, {3, 0}, {3, 3}}, {{1, 2}, {2, 3}}, {}, 2), 1.5f, 2);
    net_dat_file dat("NET_DAT.FB");
    ASSERT_EQ(dat.read_node(), 1);
    const int n = dat.node_num;
    // A banded K, column s stored as group s.
    std::vector<double> K(std::size_t(n) * std::size_t(n), 0.0);
    for (int s = 0; s < n; ++s)
        for (int j = 0; j < n; ++j) K[std::size_t(s * n + j)] = s == j ? 4000.0 : std::abs(s - j) == 1 ? -1000.0 : 0.0;
    folder.Write("FDSTF.FB", std::string(reinterpret_cast<const char*>(K.data()), K.size() * 8));
    YXY_OUT out;
    {
        freedom_file freedom("FREEDOM.FB");
        out.out_disp(2, freedom);
        for (int j = 0; j < n; ++j) out.area.push_back(0.5f + float(j));
        out.out_react(2, freedom);
    }
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    const std::string defor = folder.Read("DEFOR.FB"), react = folder.Read("REACT.FB");
    ASSERT_EQ(react.size(), defor.size());
    for (int c = 0; c < 2; ++c)
        for (int j = 0; j < n; ++j) {
            double r = 0;
            for (int s = 0; s < n; ++s) r += K[std::size_t(s * n + j)] * F32At(defor, std::size_t(8 + 4 * (c * n + s)));
            EXPECT_NEAR(F32At(react, std::size_t(8 + 4 * (c * n + j))), r / (0.5 + j), 1e-4) << c << " " << j;
        }
    // FL_LIANG takes its values from REACT.FB: the end of beam 2 is input node 3.
    const std::string fl = folder.Read("FL_LIANG.FB");
    const int node3 = nearest_node(3, 3, dat.x, dat.y);
    EXPECT_EQ(F32At(fl, 8 + 12 * (1 + 2 * 1) + 8), F32At(react, std::size_t(8 + 4 * (n + node3))));
    EXPECT_EQ(folder.Read("FL_BAN.FB"), "");
}

TEST(OutReact, IterationReactionsAreDividedByTheNodeAreas) {
    FemFolder folder;
    MeshWithField(folder, Input({{0, 0}, {3, 0}}, {{1, 2}}, {}, 2), 1.5f, 2);
    net_dat_file dat("NET_DAT.FB");
    const int n = dat.node_num;
    Bytes fdstf;
    for (int c = 0; c < 2; ++c)
        for (int j = 0; j < n; ++j) fdstf.f({float(10 * (c + 1) + j)});
    folder.Write("FDSTF.FB", fdstf.str());
    YXY_OUT out;
    out.area.assign(std::size_t(n), 2.0f);
    {
        freedom_file freedom("FREEDOM.FB");
        out.out_react_iter(2, freedom);
    }
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    const std::string react = folder.Read("REACT.FB");
    ASSERT_EQ(react.size(), std::size_t(8 + 8 * n));
    EXPECT_EQ(F32At(react, 8 + 4 * std::size_t(n + 1)), 21.0f / 2);
    EXPECT_TRUE(folder.Exists("FL_LIANG.FB"));
}

TEST(OutReact, NodeAreasThatDoNotMatchTheMeshStopTheRun) {
    FemFolder folder;
    MeshWithField(folder, Input({{0, 0}, {3, 0}}, {{1, 2}}, {}, 1), 1.5f, 1);
    folder.Write("FDSTF.FB", std::string(64, '\0'));
    YXY_OUT out;
    freedom_file freedom("FREEDOM.FB");
    out.out_react_iter(1, freedom);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_FALSE(folder.Exists("REACT.FB"));
}

// ---- pin forces under the input nodes -------------------------------------------

TEST(OutZhuPin, TheVerticalPinForceOfTheNearestMeshNodePerInputNodeAndCase) {
    FemFolder folder;
    MeshWithField(folder, TwoSquaresAndAnArc(3), 1.5f, 3);
    net_dat_file dat("NET_DAT.FB");
    ASSERT_EQ(dat.read_node(), 1);
    const int n = dat.node_num;
    Bytes pin;
    for (int c = 0; c < 3; ++c)
        for (int j = 0; j < n; ++j) pin.f({Field(dat.x[std::size_t(j)], dat.y[std::size_t(j)], c), 5, 6});
    folder.Write("PIN.FB", pin.str());
    YXY_OUT out;
    out.out_zhu_pin();
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    const std::string z = folder.Read("ZHU_PIN.FB");
    ASSERT_EQ(z.size(), std::size_t(8 + 3 * 4 * 8));
    EXPECT_EQ(I32At(z, 0), 8);
    EXPECT_EQ(I32At(z, 4), 3);
    EXPECT_FLOAT_EQ(F32At(z, 8 + 4 * (6 + 8 * 2)), Field(0, 8, 2));
    YXY_TOOL tool;
    EXPECT_FLOAT_EQ(tool.Get_zhu_pin_force(4, 1), Field(6, 0, 1));
}

TEST(OutZhuPin, NothingIsWrittenWhenTheErrorCodeIsSet) {
    FemFolder folder;
    MeshWithField(folder, Input({{0, 0}, {3, 0}}, {{1, 2}}, {}, 1), 1.5f, 1);
    folder.Write("PIN.FB", std::string(1024, '\0'));
    JS_ERROR_CODE = 301;
    YXY_OUT out;
    out.out_zhu_pin();
    out.out_fl_liang();
    out.out_fl_ban();
    EXPECT_FALSE(folder.Exists("ZHU_PIN.FB"));
    EXPECT_FALSE(folder.Exists("FL_LIANG.FB"));
    EXPECT_FALSE(folder.Exists("FL_BAN.FB"));
}

// ---- the dumps --------------------------------------------------------------

TEST(MainSee, SettlementsShowPositiveInMillimetresAndReactionsWithSoil) {
    FemFolder folder;
    MeshWithField(folder, TwoSquaresAndAnArc(1), 1.5f, 1);
    std::vector<float> xs, ys;
    std::vector<net_plate_ele> triangles;
    {
        net_dat_file dat("NET_DAT.FB");
        ASSERT_TRUE(dat.read_node() && dat.read_plate());
        xs = dat.x, ys = dat.y, triangles = dat.plates;
    }
    const int n = int(xs.size());
    Bytes defor, react;
    defor.i({n, 1});
    react.i({n, 1});
    for (int j = 0; j < n; ++j) {
        defor.f({-0.0125f * float(j)});  // settling
        react.f({float(j) + 0.5f});
    }
    folder.Write("DEFOR.FB", defor.str());
    folder.Write("REACT.FB", react.str());
    YXY_SEE see;
    see.main_see(0);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    EXPECT_FALSE(folder.Exists("react.see"));
    see.main_see(1);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    for (const char* name : {"defor.see", "react.see"}) {
        std::string expected = std::to_string(n) + " " + std::to_string(triangles.size()) + "\n";
        char line[80];
        for (int j = 0; j < n; ++j) {
            const float v = name[0] == 'd' ? 12.5f * float(j) : float(j) + 0.5f;
            std::snprintf(line, sizeof line, "%12.4e %12.4e %12.4e\n", double(xs[std::size_t(j)]),
                          double(ys[std::size_t(j)]), double(v));
            expected += line;
        }
        for (const net_plate_ele& t : triangles) {
            std::snprintf(line, sizeof line, "%d %d %d\n", t.a + 1, t.b + 1, t.c + 1);
            expected += line;
        }
        EXPECT_EQ(folder.Read(name), expected) << name;
    }
    // Node 1 settles 12.5 mm: shown as +1.2500e+01.
    EXPECT_NE(folder.Read("defor.see").find(" 1.2500e+01\n"), std::string::npos);
    EXPECT_TRUE(folder.FilesClosed());
}

}  // namespace

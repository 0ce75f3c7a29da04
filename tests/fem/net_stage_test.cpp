// The mesh stage on whole models read from input text: beam division, the
// restraint file, plate meshing with its index file, and point-load snapping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "fem/fb_date.h"
#include "fem/mesh_files.h"
#include "fem/struc_ld_file.h"
#include "fem/yxy_net.h"
#include "fem_test_support.h"
#include "mesh_checks.h"

namespace {

using kv::test::Bytes;
using kv::test::FemFolder;
using kv::test::Tri;

// A model as input text: nodes, beams (straight or arc, 1-based nodes) and
// plates (edges of 1-based beam numbers, listed counter-clockwise, negative
// where the boundary runs against the beam, as the reader will sign them).
struct Model {
    struct Beam {
        int s, e;
        int kind = 1;
        float cx = 0, cy = 0;
        int restraint = 0;
    };
    std::vector<std::pair<float, float>> nodes;
    std::vector<Beam> beams;
    std::vector<std::vector<std::vector<int>>> plates;

    // A closed polygon of new nodes with one beam per side; its plate unless `plate` is false.
    void Polygon(const std::vector<std::pair<float, float>>& corners, bool plate = true) {
        const int first = static_cast<int>(nodes.size()) + 1, k = static_cast<int>(corners.size());
        std::vector<std::vector<int>> edges;
        for (int i = 0; i < k; ++i) {
            nodes.push_back(corners[i]);
            beams.push_back({first + i, first + (i + 1) % k});
            edges.push_back({static_cast<int>(beams.size())});
        }
        if (plate) plates.push_back(edges);
    }

    std::string Text() const {
        std::string t = "##  有限元计算数据文件    Ver. 1.0\n##  结点\n" + std::to_string(nodes.size()) + "\n";
        char line[256];
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            std::snprintf(line, sizeof line, "%d,%.6f,%.6f,1\n", int(i + 1), nodes[i].first, nodes[i].second);
            t += line;
        }
        t += "##  梁\n" + std::to_string(beams.size()) + ",3\n";
        for (std::size_t i = 0; i < beams.size(); ++i) {
            const Beam& b = beams[i];
            std::snprintf(line, sizeof line, "%d,%d,%d,%d,%d,250,600,0.0,0,%.6f,%.6f,%d,0,0\n", int(i + 1), int(i + 1),
                          b.kind, b.s, b.e, b.cx, b.cy, b.restraint);
            t += line;
            if (b.kind == 4 || b.kind == 14) t += "--0,0,0,0,0,0,0,0,0,0,0,0\n";
        }
        t += "##  板\n" + std::to_string(plates.size()) + ",3\n";
        for (std::size_t j = 0; j < plates.size(); ++j) {
            t += std::to_string(j + 1) + ",0,250,0.0,0.0," + std::to_string(plates[j].size()) + "\n";
            for (const auto& edge : plates[j]) {
                t += std::to_string(edge.size());
                for (int b : edge) t += "," + std::to_string(std::abs(b));  // the reader signs them
                t += "\n";
            }
        }
        return t + "##  支撑\n0,0\n##  荷载\n1\n0,0,0\n##  土层信息\n0\n";
    }

    // "STRUC_LD.FB" in the current folder.
    void Write(FemFolder& folder) const {
        folder.Write("YXY_JS.DAT", Text());
        FB_DATE reader;
        reader.main_date("YXY_JS.DAT", 1, 0);
        ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    }
};

// A stage on the model's structure file, ready for the beam division.
struct Stage {
    Stage(int type, float divide) {
        net.type = type;
        net.divide_length = divide - 1.0e-7f;
        net.new_point_table();
    }
    // Node counts of the beams' division records.
    std::vector<int> Pieces() {
        net_pre_file pre("NET_PRE.FB");
        pre.read_beam_cut();
        std::vector<int> out;
        for (const beam_cut_date& b : pre.beams) out.push_back(b.num - 1);
        return out;
    }
    YXY_NET net;
};

// ---------------------------------------------------------------------------
// Beam division.

TEST(BeamDivision, ElementCountsFollowTheDivideLengthTypeAndKind) {
    const float kPi = 3.1415927f;
    struct Case {
        const char* what;
        int type;
        float divide;
        float length;  // along x from the origin; an arc when negative (quarter circle of that radius)
        int kind;
        int pieces;
    } cases[] = {
        {"the main program's length keeps one element", 0, 1.0e6f, 3.0f, 1, 1},
        {"type 4 halves a straight beam", 4, 1.0e6f, 3.0f, 1, 2},
        {"type 4 gives an arc at least two", 4, 1.0e6f, -1.0f, 11, 2},
        {"type 3 cuts a foundation beam into 0.4 m", 3, 1.0e6f, 2.0f, 4, 5},
        {"type 3 leaves other kinds to the divide length", 3, 1.0e6f, 2.0f, 1, 1},
        {"type 3 cuts a foundation arc into 0.4 m", 3, 1.0e6f, -1.0f, 14, int((kPi / 2 + 0.1f) / 0.4f)},
        {"2.95 m at 1.0", 0, 1.0f, 2.95f, 1, 3},
        {"0.05 m at 1.0", 0, 1.0f, 0.05f, 1, 1},
        {"an arc by its length", 0, 0.5f, -1.0f, 11, 3},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        Model m;
        if (c.length > 0) {
            m.nodes = {{0, 0}, {c.length, 0}};
            m.beams = {{1, 2, c.kind}};
        } else {
            m.nodes = {{-c.length, 0}, {0, -c.length}};
            m.beams = {{1, 2, c.kind, 0, 0}};
        }
        m.Write(folder);
        Stage stage(c.type, c.divide);
        stage.net.beam_point();
        ASSERT_EQ(JS_ERROR_CODE, 0) << c.what;
        EXPECT_EQ(stage.Pieces(), std::vector<int>{c.pieces}) << c.what;
        EXPECT_EQ(stage.net.point_num, 2 + c.pieces - 1) << c.what;
    }
}

TEST(BeamDivision, InnerNodesFollowTheInputNodesAlongEachBeam) {
    FemFolder folder;
    Model m;
    // A straight beam and an arc from (0, -1) round to (1, 0) about the origin:
    // its end angle (0) lies below its start angle (3π/2), so it turns through
    // a quarter, not three.
    m.nodes = {{0, 0}, {3, 0}, {0, -1}, {1, 0}};
    m.beams = {{1, 2}, {3, 4, 11, 0, 0}};
    m.Write(folder);
    Stage stage(0, 0.5f);
    stage.net.beam_point();
    ASSERT_EQ(JS_ERROR_CODE, 0);
    {
        net_pre_file pre("NET_PRE.FB");
        ASSERT_EQ(pre.read_beam_cut(), 1);
        EXPECT_EQ(pre.offset[0], 12);
        ASSERT_EQ(pre.beam_num, 2);
        EXPECT_EQ(pre.beams[0].node, (std::vector<std::int32_t>{0, 4, 5, 6, 7, 8, 1}));
        EXPECT_EQ(pre.beams[1].node, (std::vector<std::int32_t>{2, 9, 10, 3}));
    }
    const net_point* p = stage.net.points.get();
    for (int k = 0; k < 4; ++k) EXPECT_EQ(p[k].index, k);
    EXPECT_FLOAT_EQ(p[4].x, 0.5f);
    EXPECT_FLOAT_EQ(p[8].x, 2.5f);
    EXPECT_NEAR(p[9].x, 0.5f, 1e-6);
    EXPECT_NEAR(p[9].y, -std::sqrt(3.0f) / 2, 1e-6);
    EXPECT_NEAR(p[10].x, std::sqrt(3.0f) / 2, 1e-6);
    EXPECT_NEAR(p[10].y, -0.5f, 1e-6);
    EXPECT_TRUE(folder.FilesClosed());
}

TEST(BeamDivision, TypeMinusOneWritesTheRestraintsOfEveryNodeOfTheBeam) {
    struct Case {
        int restraint;
        std::string ys;
    } cases[] = {
        {2, "00000012\n0,1\n0,2\n0,3\n1,1\n1,2\n1,3\n2,1\n2,2\n2,3\n3,1\n3,2\n3,3\n"},
        {1, "00000004\n0,1\n1,1\n2,1\n3,1\n"},
        {0, "00000000\n"},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        Model m;
        m.nodes = {{0, 0}, {3, 0}};
        m.beams = {{1, 2}};
        m.beams[0].restraint = c.restraint;
        m.Write(folder);
        Stage stage(-1, 1.0f);
        stage.net.beam_point();
        ASSERT_EQ(JS_ERROR_CODE, 0);
        EXPECT_EQ(stage.Pieces(), std::vector<int>{3});
        EXPECT_EQ(folder.Read("YS.FB"), c.ys) << c.restraint;
    }
    // Other types write none.
    FemFolder folder;
    Model m;
    m.nodes = {{0, 0}, {3, 0}};
    m.beams = {{1, 2}};
    m.Write(folder);
    Stage stage(0, 1.0f);
    stage.net.beam_point();
    EXPECT_FALSE(folder.Exists("YS.FB"));
}

TEST(BeamDivision, AModelWithoutBeamsMakesNoMesh) {
    FemFolder folder;
    Model m;
    m.nodes = {{0, 0}, {3, 0}};
    m.Write(folder);
    Stage stage(0, 1.0f);
    stage.net.beam_point();
    EXPECT_EQ(JS_ERROR_CODE, 201);
    EXPECT_TRUE(folder.Told(201, "有限元模型中没有梁, 不能剖分网格 !"));
    EXPECT_FALSE(folder.Exists("NET_PRE.FB"));
    EXPECT_EQ(stage.net.point_num, 0);
    EXPECT_TRUE(folder.FilesClosed());
}

TEST(SuggestedLength, SixDivisionsOnTheShortestEdgeOfNearlyEveryPlate) {
    struct Case {
        const char* what;
        std::vector<std::vector<std::pair<float, float>>> plates;
        float length;
        float within;
    } cases[] = {
        {"no plates", {}, 3.0f, 0},
        {"a 6 m square: a sixth of its side", {{{0, 0}, {6, 0}, {6, 6}, {0, 6}}}, 6.0f, 1e-5f},
        // Steps of 0.01 from 1.0 until 3 m takes six: q about 0.5.
        {"a 6 x 3 m rectangle", {{{0, 0}, {6, 0}, {6, 3}, {0, 3}}}, 3.0f, 0.06f},
        // Half the plates can never have it: the steps stop at 0.5.
        {"one small plate in two", {{{0, 0}, {6, 0}, {6, 6}, {0, 6}}, {{10, 0}, {10.5f, 0}, {10.5f, 0.5f}, {10, 0.5f}}},
         3.0f, 0.06f},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        Model m;
        m.nodes = {{0, -1}, {1, -1}};
        m.beams = {{1, 2}};
        for (const auto& p : c.plates) m.Polygon(p);
        m.Write(folder);
        YXY_NET net;
        EXPECT_NEAR(net.cal_length(), c.length, c.within) << c.what;
        EXPECT_EQ(JS_ERROR_CODE, 0) << c.what;
        EXPECT_TRUE(folder.FilesClosed());
    }
}

// ---------------------------------------------------------------------------
// Plate stage.

// Reads back what the plate stage wrote and checks that the index file agrees
// with the division file and that every plate is a conforming mesh.
void ExpectPlatesMeshed(const YXY_NET& net, const Model& model) {
    net_pre_file pre("NET_PRE.FB");
    ASSERT_EQ(pre.read_beam_cut(), 1);
    ASSERT_EQ(pre.read_plate_cut(), 1);
    ASSERT_EQ(pre.plate_num, static_cast<int>(model.plates.size()));
    index_p_file index("INDEX_P.FB");
    ASSERT_EQ(index.plate_num, pre.plate_num);
    int start = 0;
    std::set<int> used;
    for (int j = 0; j < pre.plate_num; ++j) {
        SCOPED_TRACE("plate " + std::to_string(j + 1));
        const plate_cut_date& cut = pre.plates[j];
        ASSERT_EQ(index.read_plate(j), 1);
        EXPECT_EQ(cut.plate, j);
        EXPECT_EQ(index.Plate, j);
        EXPECT_EQ(index.num_ele, cut.num);
        EXPECT_EQ(index.start_ele, start);
        start += cut.num;

        // The boundary: the beams' division nodes edge after edge, each beam
        // without its last node in the boundary's direction.
        std::vector<int> chain, perEdge;
        for (const auto& edge : model.plates[j]) {
            int k = 0;
            for (int b : edge) {
                const std::vector<std::int32_t>& nodes = pre.beams[std::abs(b) - 1].node;
                const int m = static_cast<int>(nodes.size());
                for (int t = 0; t < m - 1; ++t) chain.push_back(nodes[b > 0 ? t : m - 1 - t]);
                k += m - 1;
            }
            perEdge.push_back(k);
        }
        EXPECT_EQ(index.bbs, static_cast<int>(model.plates[j].size()));
        EXPECT_EQ(index.bb_p_num, std::vector<std::int32_t>(perEdge.begin(), perEdge.end()));
        EXPECT_EQ(index.num_p_edge, static_cast<int>(chain.size()));
        ASSERT_GE(index.num_p, index.num_p_edge);
        EXPECT_EQ(std::vector<int>(index.node.begin(), index.node.begin() + index.num_p_edge), chain);
        EXPECT_GE(index.num_center_p, 1);

        // Its triangles use its own nodes, and all of them.
        std::vector<Tri> tris;
        std::set<int> inTris;
        for (int t = 0; t < cut.num; ++t) {
            tris.push_back({cut.n1[t], cut.n2[t], cut.n3[t]});
            inTris.insert({cut.n1[t], cut.n2[t], cut.n3[t]});
        }
        EXPECT_EQ(inTris, std::set<int>(index.node.begin(), index.node.end()));
        kv::test::ExpectConformingMesh(net.points.get(), chain, tris);
        // Nodes added inside a plate belong to it alone.
        for (int k = index.num_p_edge; k < index.num_p; ++k) EXPECT_TRUE(used.insert(index.node[k]).second);

        // The record's centroid is that of the input-node polygon.
        std::vector<float> xs, ys;
        for (const auto& edge : model.plates[j])
            for (int b : edge) {
                const Model::Beam& beam = model.beams[std::abs(b) - 1];
                const net_point& n = net.points[(b > 0 ? beam.s : beam.e) - 1];  // input nodes come first
                xs.push_back(n.x), ys.push_back(n.y);
            }
        float x0 = 0, y0 = 0;
        centroid_poli(static_cast<int>(xs.size()), xs.data(), ys.data(), &x0, &y0);
        EXPECT_FLOAT_EQ(index.x0, x0);
        EXPECT_FLOAT_EQ(index.y0, y0);
    }
}

void RunPlates(FemFolder& folder, const Model& model, YXY_NET& net, float divide) {
    model.Write(folder);
    net.type = 0;
    net.divide_length = divide - 1.0e-7f;
    net.new_point_table();
    net.beam_point();
    net.plate_point();
}

TEST(PlateStage, RectangleOfOneElementBeamsIsAFanOfFourIndexedAsFivePoints) {
    FemFolder folder;
    Model m;
    m.Polygon({{0, 0}, {3, 0}, {3, 2}, {0, 2}});
    YXY_NET net;
    RunPlates(folder, m, net, 1.0e6f);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    EXPECT_TRUE(folder.Told(-2, "正在剖分板:  1 号..."));
    EXPECT_TRUE(folder.Told(0, "正在剖分板:  1 号..."));
    {
        index_p_file index("INDEX_P.FB");
        ASSERT_EQ(index.read_plate(0), 1);
        EXPECT_EQ(index.num_p, 5);
        EXPECT_EQ(index.node, (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
        EXPECT_EQ(index.num_center_p, 1);
        EXPECT_FLOAT_EQ(index.center_x[0], 1.5f);
        EXPECT_FLOAT_EQ(index.center_y[0], 1.0f);
        EXPECT_EQ(index.num_ele, 4);
    }
    ExpectPlatesMeshed(net, m);
    EXPECT_TRUE(folder.FilesClosed());
}

TEST(PlateStage, ModelWithoutPlatesGetsEmptyPlateSections) {
    FemFolder folder;
    Model m;
    m.Polygon({{0, 0}, {3, 0}, {3, 2}}, false);
    YXY_NET net;
    RunPlates(folder, m, net, 1.0f);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    const std::string pre = folder.Read("NET_PRE.FB");
    const int plates = kv::test::I32At(pre, 4);
    EXPECT_EQ(plates, static_cast<int>(pre.size()) - 4);
    EXPECT_EQ(kv::test::I32At(pre, plates), 0);
    EXPECT_EQ(folder.Read("INDEX_P.FB"), std::string(4, '\0'));
}

TEST(PlateStage, ChainOfTwoPointsIsWarnedAboutAndStopsTheMeshing) {
    FemFolder folder;
    Model m;
    // A straight beam closed by an arc below it: one element each.
    m.nodes = {{0, 0}, {2, 0}};
    m.beams = {{1, 2}, {1, 2, 11, 1, 0}};
    m.plates = {{{1}, {2}}};
    YXY_NET net;
    RunPlates(folder, m, net, 1.0e6f);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    const std::vector<std::string> said = folder.Messages();
    auto at = [&](const std::string& text) { return std::find(said.begin(), said.end(), text) - said.begin(); };
    EXPECT_LT(at("Point num error in plate_point"), at("构网程序发现多边形边数 <= 2 !"));
    EXPECT_LT(at("构网程序发现多边形边数 <= 2 !"), static_cast<long>(said.size()));
    EXPECT_TRUE(folder.FilesClosed());
}

TEST(PlateStage, ClockwisePlateIsRefusedByItsNumberAfterTheOnesBeforeIt) {
    FemFolder folder;
    Model m;
    m.Polygon({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
    m.Polygon({{5, 0}, {5, 2}, {7, 2}, {7, 0}});  // listed clockwise
    YXY_NET net;
    RunPlates(folder, m, net, 1.0f);
    EXPECT_EQ(JS_ERROR_CODE, 201);
    EXPECT_TRUE(folder.Told(201, "第 2 号板的边界按顺时针方向排列, 不能剖分 !"));
    // The first plate is complete, the second's triangle count stays 0 and
    // its index slot keeps its placeholder.
    const std::string pre = folder.Read("NET_PRE.FB");
    std::size_t at = static_cast<std::size_t>(kv::test::I32At(pre, 4));
    EXPECT_EQ(kv::test::I32At(pre, at), 2);
    const int first = kv::test::I32At(pre, at + 8);
    EXPECT_EQ(first, 8);  // a 2 m square at 1 m: the structured grid of 2 x 2 cells
    at += 12 + 12 * static_cast<std::size_t>(first);
    EXPECT_EQ(kv::test::I32At(pre, at), 1);
    EXPECT_EQ(kv::test::I32At(pre, at + 4), 0);
    const std::string index = folder.Read("INDEX_P.FB");
    EXPECT_GT(kv::test::I32At(index, 4), 0);
    EXPECT_GT(kv::test::I32At(index, 8), 0);  // its record was begun
    EXPECT_TRUE(folder.FilesClosed());
}

// Mesh properties on plates of every shape, several to a model so that their
// index records and triangle ranges follow one another.
TEST(PlateStage, RandomPlatesAreMeshedWholeAndIndexedConsistently) {
    std::mt19937 rng(4110);
    std::uniform_real_distribution<float> u(0, 1);
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        FemFolder folder;
        Model m;
        float x = 0;
        // A random convex plate, a random L, a many-sided one.
        {
            const int k = 3 + static_cast<int>(u(rng) * 5);
            const float r = 2 + 2 * u(rng);
            std::vector<float> t;
            for (int i = 0; i < k; ++i) t.push_back(6.2831853f * (i + 0.5f * u(rng)) / k);
            std::vector<std::pair<float, float>> c;
            for (float a : t) c.push_back({x + r + r * std::cos(a), r * std::sin(a)});
            m.Polygon(c);
            x += 2 * r + 1;
        }
        {
            const float w = 3 + 3 * u(rng), h = 3 + 3 * u(rng), a = 1 + (w - 2) * u(rng), b = 1 + (h - 2) * u(rng);
            m.Polygon({{x, 0}, {x + w, 0}, {x + w, b}, {x + a, b}, {x + a, h}, {x, h}});
            x += w + 1;
        }
        {
            const int k = 9 + static_cast<int>(u(rng) * 8);
            const float r = 3 + u(rng);
            std::vector<std::pair<float, float>> c;
            for (int i = 0; i < k; ++i) {
                const float a = 6.2831853f * i / k;
                c.push_back({x + r + r * std::cos(a), r * std::sin(a)});
            }
            m.Polygon(c);
        }
        YXY_NET net;
        RunPlates(folder, m, net, 0.35f + 0.4f * u(rng));
        ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
        ExpectPlatesMeshed(net, m);
        EXPECT_TRUE(folder.FilesClosed());
    }
}

// Two plates sharing a beam divided into several elements, one of them running
// against it: the shared nodes are the same on both sides.
TEST(PlateStage, PlatesSharingADividedBeamMeetOnItsNodes) {
    FemFolder folder;
    Model m;
    m.nodes = {{0, 0}, {3, 0}, {3, 2}, {0, 2}, {6, 0}, {6, 2}};
    m.beams = {{1, 2}, {2, 3}, {3, 4}, {4, 1}, {2, 5}, {5, 6}, {6, 3}};
    m.plates = {{{1}, {2}, {3}, {4}}, {{5}, {6}, {7}, {-2}}};
    YXY_NET net;
    RunPlates(folder, m, net, 0.5f);
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    ExpectPlatesMeshed(net, m);
}

TEST(PlateStage, CornerChainHasAPointWhereTheBoundaryEntersEachBeam) {
    FemFolder folder;
    Model m;
    m.nodes = {{0, 0}, {3, 0}, {3, 2}, {0, 2}};
    m.beams = {{1, 2}, {3, 2}, {3, 4}, {4, 1}};  // beam 2 runs against the boundary
    m.plates = {{{1, -2}, {3, 4}}};
    m.Write(folder);
    struc_ld_file file("STRUC_LD.FB");
    ASSERT_TRUE(file.read_node() && file.read_beam() && file.read_plate());
    YXY_TOOL tool;
    std::vector<float> xs, ys;
    int count = 0;
    tool.form_plate_corner_chain(0, &file, &xs, &ys, &count);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(xs, (std::vector<float>{0, 3, 3, 0}));
    EXPECT_EQ(ys, (std::vector<float>{0, 0, 2, 2}));
    EXPECT_EQ(JS_ERROR_CODE, 0);

    file.plates[0].edges.clear();
    tool.form_plate_corner_chain(0, &file, &xs, &ys, &count);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(JS_ERROR_CODE, 201);
    EXPECT_TRUE(folder.Told(201, "计算中发现板边点数为零 !"));
}

// ---------------------------------------------------------------------------
// Point-load snapping.

TEST(AcadCheck, PointLoadsMoveToTheNearestNodeTheFirstOfEqualOnes) {
    FemFolder folder;
    Bytes dat;
    dat.i({24, 60, 0, 0, 0, 0});
    dat.i({3, 0, 0, 0, 2}).f({2.55e7f, 0.2f, 2.55e7f, 0.2f});
    dat.f({0, 0, 2, 0, 1, 5});
    dat.Patch(8, dat.size());
    dat.Patch(12, dat.size());
    dat.Patch(16, dat.size());
    dat.Patch(20, dat.size());
    const int table = dat.size();
    dat.i({0, 0});
    dat.Patch(static_cast<std::size_t>(table), dat.size());
    dat.i({2, 1, 0});
    dat.i({2}).f({10, 1, 0});    // halfway between nodes 0 and 1
    dat.i({0}).f({20, 1.2f, 4});  // near node 2
    dat.i({0, 1}).f({1, 2, 3, 4});  // a line load, left as it is
    dat.Patch(static_cast<std::size_t>(table + 4), dat.size());
    dat.i({0, 0, 0});
    folder.Write("NET_DAT.FB", dat.str());

    YXY_NET net;
    net.acad_check();
    ASSERT_EQ(JS_ERROR_CODE, 0) << ::testing::PrintToString(folder.Messages());
    const std::string after = folder.Read("NET_DAT.FB");
    ASSERT_EQ(after.size(), dat.str().size());
    Bytes expected;
    expected.i({0}).f({10, 0, 0}).i({2}).f({20, 0, 0});
    EXPECT_EQ(after.substr(static_cast<std::size_t>(table) + 8 + 12, 32), expected.str());
    EXPECT_EQ(after.substr(static_cast<std::size_t>(table) + 8 + 12 + 32), dat.str().substr(table + 8 + 12 + 32));
    EXPECT_TRUE(folder.FilesClosed());
}

}  // namespace

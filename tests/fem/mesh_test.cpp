// The mesh stage: node table, region meshing, advancing front, renumbering.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <limits>
#include <random>
#include <set>
#include <string>

#include "base/error.h"
#include "base/geometry.h"
#include "fem/mesh_literal.h"
#include "mesh_checks.h"
#include "fem/yxy_net.h"
#include "support/error_lines.h"
#include "support/temp_folder.h"

namespace {

using kv::test::Tri;

class Mesh : public ::testing::Test {
protected:
    void SetUp() override {
        JS_ERROR_CODE = 0;
        net.new_point_table();
        net.divide_length = 1.0f;
        net.pre_file = std::tmpfile();
    }
    void TearDown() override {
        if (net.pre_file) std::fclose(net.pre_file);
        JS_ERROR_CODE = 0;
    }
    // A boundary chain through the given corners, each side cut into pieces of
    // at most the divide length, its points added to the node table.
    net_chain Chain(const std::vector<std::pair<float, float>>& corners, const std::vector<int>& pieces = {}) {
        net_chain chain;
        const int k = static_cast<int>(corners.size());
        for (int i = 0; i < k; ++i) {
            auto [x0, y0] = corners[i];
            auto [x1, y1] = corners[(i + 1) % k];
            int m = pieces.empty() ? std::max(1, static_cast<int>(std::ceil(std::hypot(x1 - x0, y1 - y0) / net.divide_length)))
                                   : pieces[i];
            for (int j = 0; j < m; ++j) {
                net.add_point(x0 + (x1 - x0) * j / m, y0 + (y1 - y0) * j / m);
                chain.push_back(net.points[net.point_num - 1]);
            }
        }
        return chain;
    }
    std::vector<Tri> Written() {
        std::vector<Tri> out;
        std::fflush(net.pre_file);
        std::rewind(net.pre_file);
        int32_t v[3];
        while (std::fread(v, sizeof v, 1, net.pre_file) == 1) out.push_back({v[0], v[1], v[2]});
        std::fseek(net.pre_file, 0, SEEK_END);
        return out;
    }
    void ExpectMeshOf(const net_chain& chain, const std::vector<Tri>& tris) {
        std::vector<int> boundary;
        for (const net_point& p : chain) boundary.push_back(p.index);
        kv::test::ExpectConformingMesh(net.points.get(), boundary, tris);
    }

    YXY_NET net;
};

TEST_F(Mesh, NodeTableHoldsTenThousandAndRefusesTheNext) {
    kv::test::ErrorLines lines;
    for (int i = 0; i < 10000; ++i) net.add_point(i * 0.1f, 0);
    EXPECT_EQ(net.point_num, 10000);
    EXPECT_EQ(net.points[9999].index, 9999);
    EXPECT_EQ(JS_ERROR_CODE, 0);
    net.add_point(1, 1);
    EXPECT_EQ(net.point_num, 10000);
    EXPECT_TRUE(lines.Has(kv::err::kFailure, "Point_num = 10000 over flow !"));
    EXPECT_NE(JS_ERROR_CODE, 0);
}

TEST_F(Mesh, CornersAreAtMost177OrAtLeast183Degrees) {
    const float angles[] = {177.0f, 183.0f, 177.5f, 182.9f, 90.0f, 270.0f};
    const int expected[] = {1, 1, 0, 0, 1, 1};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(net.is_corner(i, angles), expected[i]) << angles[i];
    EXPECT_EQ(net.polygon_kind(6, angles), 4);  // four corners, one reflex
}

TEST_F(Mesh, RectangleOfFourCornersIsAFanAroundItsCentre) {
    net_chain chain = Chain({{0, 0}, {3, 0}, {3, 2}, {0, 2}}, {1, 1, 1, 1});
    net.mesh_plate(1, chain);
    std::vector<Tri> tris = Written();
    EXPECT_EQ(net.point_num, 5);
    EXPECT_EQ(net.center_num, 1);
    ASSERT_EQ(tris.size(), 4u);
    EXPECT_EQ(tris[0], (Tri{0, 1, 4}));
    EXPECT_FLOAT_EQ(net.points[4].x, 1.5f);
    EXPECT_FLOAT_EQ(net.points[4].y, 1.0f);
}

TEST_F(Mesh, EqualOppositeSidesGiveTheStructuredGrid) {
    // Three points on each long side, one on each short side: 5 x 3 nodes.
    net_chain chain = Chain({{0, 0}, {4, 0}, {4, 2}, {0, 2}}, {4, 2, 4, 2});
    net.mesh_plate(1, chain);
    std::vector<Tri> tris = Written();
    EXPECT_EQ(tris.size(), 16u);
    EXPECT_EQ(net.point_num, 15);
    ExpectMeshOf(chain, tris);
}

TEST_F(Mesh, UnequalSidesPlaceBilinearPointsAndRunTheFront) {
    net.divide_length = 0.5f;
    net_chain chain = Chain({{0, 0}, {4, 0}, {4, 2}, {0, 2}}, {4, 2, 3, 2});
    net.mesh_plate(1, chain);
    // (3 + 2) / 2 by (1 + 1) / 2 candidates, both far enough from the sides.
    EXPECT_EQ(net.point_num, 11 + 2);
    ExpectMeshOf(chain, Written());
}

TEST_F(Mesh, TriangleWithTwoPointsASideGetsItsCentroidUnlessTooNearASide) {
    for (float h : {0.5f, 6.0f}) {
        net.new_point_table();
        net.divide_length = h;
        net_chain chain = Chain({{0, 0}, {3, 0}, {0, 3}}, {3, 3, 3});
        net.mesh_plate(1, chain);
        if (h < 1) {
            EXPECT_EQ(net.point_num, 10);
            EXPECT_FLOAT_EQ(net.points[9].x, 1.0f);
        } else {
            EXPECT_EQ(net.point_num, 9);  // within h / 6 of a side
        }
        EXPECT_EQ(net.center_num, 1);
        net.center_num = 0;
    }
}

TEST_F(Mesh, LShapedPlateIsCutFromItsReflexCornerIntoTwoPartsWithoutReflexCorners) {
    net_chain chain = Chain({{0, 0}, {4, 0}, {4, 2}, {2, 2}, {2, 4}, {0, 4}});
    std::vector<float> angles = net.corner_angles(static_cast<int>(chain.size()), chain.data());
    int start = 0;
    int offset = kv::test::LiteralSplitOffset(net, chain, angles.data(), &start);
    EXPECT_EQ(chain[start].x, 2.0f);
    EXPECT_EQ(chain[start].y, 2.0f);
    net_chain p1, p2;
    net.split_polygon(chain, angles.data(), &p1, &p2);
    std::vector<float> a1 = net.corner_angles(static_cast<int>(p1.size()), p1.data());
    std::vector<float> a2 = net.corner_angles(static_cast<int>(p2.size()), p2.data());
    EXPECT_LT(net.polygon_kind(static_cast<int>(p1.size()), a1.data()), 0);
    EXPECT_LT(net.polygon_kind(static_cast<int>(p2.size()), a2.data()), 0);
    EXPECT_EQ(p1.front().index, chain[start].index);
    EXPECT_EQ(p2.front().index, chain[(start + offset + 1) % chain.size()].index);
}

TEST_F(Mesh, RegionOfTwoPointsStopsTheMeshing) {
    kv::test::ErrorLines lines;
    net.mesh_plate(1, Chain({{0, 0}, {1, 0}}, {1, 1}));
    EXPECT_TRUE(lines.Has(kv::err::kFailure, "构网程序发现多边形边数 <= 2 !"));
    EXPECT_TRUE(Written().empty());
}

TEST_F(Mesh, ClockwisePlateIsRefusedByName) {
    kv::test::ErrorLines lines;
    net.mesh_plate(7, Chain({{0, 0}, {0, 2}, {2, 2}, {2, 0}}));
    EXPECT_EQ(JS_ERROR_CODE, kv::err::kDataError);
    EXPECT_TRUE(lines.Has(kv::err::kDataError, "第 7 号板的边界按顺时针方向排列, 不能剖分 !"));
    EXPECT_TRUE(Written().empty());
}

// Plates meshed by the fast pieces and by the literal ones give the same
// triangles and nodes, and a proper mesh of the region.
struct PlateCase {
    const char* name;
    std::vector<std::pair<float, float>> corners;
    float divide;
};

class PlateMeshes : public Mesh, public ::testing::WithParamInterface<PlateCase> {};

TEST_P(PlateMeshes, FastMeshEqualsLiteralAndCoversThePlate) {
    const PlateCase& c = GetParam();
    net.divide_length = c.divide;
    net_chain chain = Chain(c.corners);
    const int before = net.point_num;
    std::vector<std::string> told;
    const kv::err::Sink was = kv::err::SetSink([&](int, const std::string& text) { told.push_back(text); });
    net.mesh_plate(1, chain);
    kv::err::SetSink(was);
    ASSERT_EQ(JS_ERROR_CODE, 0) << c.name << " " << ::testing::PrintToString(told);
    std::vector<Tri> fast = Written();
    ExpectMeshOf(chain, fast);

    YXY_NET literal;
    literal.new_point_table();
    literal.divide_length = c.divide;
    literal.pre_file = std::tmpfile();
    for (int i = 0; i < before; ++i) literal.add_point(net.points[i].x, net.points[i].y);
    kv::test::LiteralMeshPolygon(literal, chain);
    ASSERT_EQ(JS_ERROR_CODE, 0) << c.name;
    ASSERT_EQ(literal.point_num, net.point_num);
    EXPECT_EQ(std::memcmp(literal.points.get(), net.points.get(), sizeof(net_point) * net.point_num), 0);
    std::rewind(literal.pre_file);
    std::vector<Tri> slow;
    int32_t v[3];
    while (std::fread(v, sizeof v, 1, literal.pre_file) == 1) slow.push_back({v[0], v[1], v[2]});
    std::fclose(literal.pre_file);
    EXPECT_EQ(slow, fast) << c.name;
}

std::vector<PlateCase> PlateCases() {
    std::vector<PlateCase> cases = {
        {"square", {{0, 0}, {6, 0}, {6, 6}, {0, 6}}, 0.5f},
        {"unequal_quad", {{0, 0}, {5, 0}, {4.2f, 3.1f}, {0.3f, 2.2f}}, 0.4f},
        {"triangle", {{0, 0}, {5, 0}, {1, 4}}, 0.35f},
        {"l_shape", {{0, 0}, {6, 0}, {6, 2.5f}, {2.5f, 2.5f}, {2.5f, 6}, {0, 6}}, 0.5f},
        {"t_shape", {{0, 0}, {6, 0}, {6, 1.5f}, {3.5f, 1.5f}, {3.5f, 5}, {2.5f, 5}, {2.5f, 1.5f}, {0, 1.5f}}, 0.5f},
        // Scale: a plate of half a metre at 5 cm and one of kilometres, where
        // the grid cells and tolerances of the fast pieces must follow the size
        // (the front's open-side test is absolute, so millimetres are no plate).
        {"small_quad", {{0, 0}, {0.5f, 0}, {0.42f, 0.31f}, {0.03f, 0.22f}}, 0.05f},
        {"huge_l", {{0, 0}, {6000, 0}, {6000, 2500}, {2500, 2500}, {2500, 6000}, {0, 6000}}, 500},
        // Nearly collinear: a strip far thinner than the divide length, and a
        // triangle whose apex sits almost on its base.
        {"sliver", {{0, 0}, {6, 0}, {6, 0.05f}, {0, 0.05f}}, 0.5f},
        {"flat_triangle", {{0, 0}, {6, 0}, {3, 0.08f}}, 0.5f},
    };
    // Many-sided convex plates and random L shapes.
    std::mt19937 rng(30);
    std::uniform_real_distribution<float> u(0, 1);
    for (int k : {5, 7, 9, 12}) {
        PlateCase c{"polygon", {}, 0.45f};
        float r = 3 + 2 * u(rng);
        for (int i = 0; i < k; ++i) {
            float t = 6.2831853f * (i + 0.3f * u(rng)) / k;
            c.corners.push_back({r * std::cos(t), r * std::sin(t)});
        }
        cases.push_back(c);
    }
    for (int k = 0; k < 3; ++k) {
        float w = 3 + 3 * u(rng), h = 3 + 3 * u(rng), a = 1 + (w - 2) * u(rng), b = 1 + (h - 2) * u(rng);
        cases.push_back({"random_l", {{0, 0}, {w, 0}, {w, b}, {a, b}, {a, h}, {0, h}}, 0.3f + 0.3f * u(rng)});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Plates, PlateMeshes, ::testing::ValuesIn(PlateCases()));

// ---------------------------------------------------------------------------
// The advancing front.

std::vector<net_point> Points(const std::vector<std::pair<float, float>>& xy) {
    std::vector<net_point> p;
    for (std::size_t i = 0; i < xy.size(); ++i) p.push_back({xy[i].first, xy[i].second, static_cast<int>(100 + i)});
    return p;
}

TEST_F(Mesh, FourBoundaryPointsGiveTwoTrianglesTheFirstOnEdgeOneZero) {
    // Both free corners have the same distance sum from edge (1, 0): the lower
    // position wins.
    std::vector<net_point> p = Points({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    net.form_net(4, p.data(), 4);
    EXPECT_EQ(Written(), (std::vector<Tri>{{101, 102, 100}, {103, 100, 102}}));
}

TEST_F(Mesh, FlipNeedsAStrictlySmallerLargestAngle) {
    // T has an obtuse corner at a; across b-c lies d.
    for (auto [dx, dy, flips] : {std::tuple{0.0f, 1.0f, true}, std::tuple{3.0f, 0.1f, false}}) {
        std::vector<net_point> p = Points({{0, -0.2f}, {1, 0}, {-1, 0}, {dx, dy}});
        net.front = {{0, 1, 2, 1, 1, 1}, {2, 1, 3, 1, 1, 1}};
        net.improve_net(p.data());
        if (flips) {
            EXPECT_EQ(net.front[0].t1, 3);
            EXPECT_EQ(net.front[1].t0, 0);
            EXPECT_EQ(net.front[1].t2, 3);
        } else {
            EXPECT_EQ(net.front[0].t1, 1);
            EXPECT_EQ(net.front[1].t0, 2);
        }
    }
}

TEST_F(Mesh, FrontWithoutAPointWritesTheScriptAndOnlyWholeTriangles) {
    kv::test::TempFolder folder;
    folder.MakeCurrent();
    kv::test::ErrorLines lines;
    // A point just outside the left side: the triangle built on it leaves an
    // open edge with no point on its open side.
    std::vector<net_point> p = Points({{0, 0}, {2, 0}, {2, 2}, {0, 2}, {-0.25f, 0.25f}});
    net.form_net(5, p.data(), 4);
    EXPECT_TRUE(lines.Has(kv::err::kFailure, "Can't find point can spread!"));
    std::vector<Tri> tris = Written();
    for (const Tri& t : tris)
        for (int v : t) EXPECT_GE(v, 100);
    std::string script = folder.Read("form_net.scr");
    auto count = [&](const std::string& word) {
        int k = 0;
        for (std::size_t at = script.find(word); at != std::string::npos; at = script.find(word, at + 1)) ++k;
        return k;
    };
    EXPECT_EQ(count("CIRCLE"), 5);
    EXPECT_EQ(count("3DFACE"), static_cast<int>(tris.size()));
    EXPECT_EQ(count("TEXT"), 5 + static_cast<int>(tris.size()));
}

// Random point sets, with many equal co-ordinates, inside a boundary.
TEST_F(Mesh, FastFrontEqualsTheLiteralScan) {
    std::mt19937 rng(11);
    for (int round = 0; round < 40; ++round) {
        bool grid = round % 2 == 0;
        std::uniform_int_distribution<int> side(2, 7);
        int a = side(rng), b = side(rng);
        std::vector<std::pair<float, float>> xy;
        for (int i = 0; i < a; ++i) xy.push_back({float(i), 0});
        for (int i = 0; i < b; ++i) xy.push_back({float(a), float(i)});
        for (int i = a; i > 0; --i) xy.push_back({float(i), float(b)});
        for (int i = b; i > 0; --i) xy.push_back({0, float(i)});
        const int nb = static_cast<int>(xy.size());
        std::uniform_real_distribution<float> ux(0.2f, a - 0.2f), uy(0.2f, b - 0.2f);
        int inner = a * b / 2;
        for (int i = 0; i < inner; ++i) {
            float x = ux(rng), y = uy(rng);
            if (grid) x = std::round(x * 2) / 2, y = std::round(y * 2) / 2;
            if (x <= 0 || y <= 0 || x >= a || y >= b) continue;
            xy.push_back({x, y});
        }
        std::vector<net_point> p = Points(xy);
        JS_ERROR_CODE = 0;
        std::fclose(net.pre_file);
        net.pre_file = std::tmpfile();
        net.form_net(static_cast<int>(p.size()), p.data(), nb);
        bool failed = false;
        std::vector<Tri> slow = kv::test::LiteralFormNet(static_cast<int>(p.size()), p.data(), nb, &failed);
        for (Tri& t : slow)
            for (int& v : t) v = p[v].index;
        EXPECT_EQ(JS_ERROR_CODE != 0, failed) << round;
        EXPECT_EQ(Written(), slow) << round;
    }
}

// ---------------------------------------------------------------------------
// Renumbering.

TEST_F(Mesh, StripOrderEqualsTheSelectionSort) {
    std::mt19937 rng(5);
    for (int round = 0; round < 30; ++round) {
        net.new_point_table();
        int n = 1 + round * 37 % 500;
        std::uniform_int_distribution<int> coarse(0, 9);
        std::uniform_real_distribution<float> fine(0, 20);
        for (int i = 0; i < n; ++i) {
            if (round % 3 == 0)
                net.add_point(float(coarse(rng)), float(coarse(rng)));
            else if (round % 3 == 1)
                net.add_point(float(i % 13) * 0.5f, float(i / 13) * 0.5f);
            else
                net.add_point(fine(rng), fine(rng));
        }
        net.divide_length = round % 5 == 0 ? 1.0e6f : 0.3f + 0.2f * (round % 4);
        std::vector<net_point> copy(net.points.get(), net.points.get() + n);
        bool alongX = round % 2 == 0;
        kv::test::LiteralStripSort(copy.data(), n, net.divide_length, alongX);
        if (alongX)
            net.strip_sort_x();
        else
            net.strip_sort_y();
        EXPECT_EQ(std::memcmp(copy.data(), net.points.get(), sizeof(net_point) * n), 0) << round;
    }
}

TEST_F(Mesh, RenumberingTakesStripsAcrossTheLongerExtentAndListsBothNumbers) {
    kv::test::TempFolder folder;
    folder.MakeCurrent();
    struct Case {
        std::vector<std::pair<float, float>> xy;
        std::vector<int> oldOfNew;
    };
    // Wider than deep: strips along x, each ordered by y. A square: strips
    // along y, each ordered by x.
    const Case cases[] = {
        {{{2, 0}, {0, 1}, {0, 0}, {1, 0.5f}}, {2, 1, 3, 0}},
        {{{1, 1}, {0, 1}, {1, 0}, {0, 0}}, {3, 2, 1, 0}},
    };
    for (const Case& c : cases) {
        folder.Write("NET_PRE.FB", std::string(12, '\0'));
        net.new_point_table();
        net.divide_length = 0.3f;
        for (auto [x, y] : c.xy) net.add_point(x, y);
        net.bandwidth();
        ASSERT_EQ(JS_ERROR_CODE, 0);
        std::string bytes = folder.Read("NET_PRE.FB");
        const int n = static_cast<int>(c.xy.size());
        ASSERT_EQ(bytes.size(), 12u + 4 * (1 + 2 * n));
        std::vector<int32_t> v(bytes.size() / 4);
        std::memcpy(v.data(), bytes.data(), bytes.size());
        EXPECT_EQ(v[2], 12);
        EXPECT_EQ(v[3], n);
        for (int k = 0; k < n; ++k) {
            EXPECT_EQ(v[4 + n + k], c.oldOfNew[k]) << k;
            EXPECT_EQ(v[4 + c.oldOfNew[k]], k);
        }
    }
}

}  // namespace

// Inputs the random rounds above do not reach: negative and huge co-ordinates,
// a divide length far below the spread, whole columns of equal values, and a
// co-ordinate across the strips that is no number.
TEST_F(Mesh, StripOrderEqualsTheSelectionSortOnAwkwardTables) {
    struct Case {
        const char* what;
        std::vector<std::pair<float, float>> xy;
        float divide;
        bool alongX;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<std::pair<float, float>> column, huge, infAlong, nanAlong;
    for (int i = 0; i < 20; ++i) infAlong.push_back({float(i % 3), i % 4 == 1 ? inf : float(20 - i)});
    for (int i = 0; i < 40; ++i) column.push_back({i % 2 ? -0.0f : 0.0f, float(i % 5)});
    for (int i = 0; i < 40; ++i) huge.push_back({-5.0e8f + 2.5e7f * (i % 7), float(i % 3) * 1.0e8f});
    for (int i = 0; i < 20; ++i) nanAlong.push_back({float(i % 2), i % 4 == 1 ? nan : float(20 - i)});
    const Case cases[] = {
        {"one column of equal x, signed zeros", column, 0.3f, true},
        {"huge spread, narrow strips", huge, 300.0f, false},
        {"huge spread, huge strips", huge, 3.0e9f, true},
        {"no end along the strip order", infAlong, 3.0f, true},
    };
    for (const Case& c : cases) {
        net.new_point_table();
        for (auto [x, y] : c.xy) net.add_point(x, y);
        net.divide_length = c.divide;
        const int n = net.point_num;
        std::vector<net_point> copy(net.points.get(), net.points.get() + n);
        kv::test::LiteralStripSort(copy.data(), n, net.divide_length, c.alongX);
        if (c.alongX)
            net.strip_sort_x();
        else
            net.strip_sort_y();
        std::vector<int> slow, fast;
        for (int k = 0; k < n; ++k) slow.push_back(copy[k].index), fast.push_back(net.points[k].index);
        EXPECT_EQ(fast, slow) << c.what;
    }
    // Where the scan's order with a value that is no number is a matter of
    // where it stood, the table keeps every point once and its numbers follow.
    net.new_point_table();
    for (auto [x, y] : nanAlong) net.add_point(x, y);
    net.divide_length = 3.0f;
    net.strip_sort_x();
    std::set<int> seen;
    for (int k = 0; k < net.point_num; ++k) seen.insert(net.points[k].index);
    EXPECT_EQ(seen.size(), nanAlong.size());
    for (int k = 0; k < net.point_num; ++k)
        if (!std::isnan(net.points[k].y)) EXPECT_EQ(net.points[k].y, nanAlong[net.points[k].index].second);
}

// Base geometry of a foundation: node areas from strip footprints, the strip
// footprint against its neighbours, the base elevation's 5 % rule, the centroid,
// the rigid-base resultant, and the node-area and soil-weight files.
#include "fem/base_geometry.h"
#include "fem/soil_column.h"
#include "fem/struc_ld_file.h"
#include "fem/yxy_net.h"
#include "fem_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

using kv::test::Bytes;
using kv::test::FemFolder;

std::string Line(const char* format, double v) {
    char buf[80];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

beam_rec Strip(int from, int to, int w1, int w2, float bg = -1.5f) {
    beam_rec b;
    b.kind = 4;
    b.node_s = from, b.node_e = to;
    b.b = 300, b.h = 600;
    b.bg = bg;
    b.foundation[3] = w1, b.foundation[4] = w2;
    return b;
}

// "STRUC_LD.FB" with nodes and beams only.
void WriteModel(const std::vector<std::pair<float, float>>& nodes, const std::vector<beam_rec>& beams) {
    const std::int32_t n = std::int32_t(nodes.size()), nb = std::int32_t(beams.size());
    const std::int32_t beamAt = 20 + 4 + 12 * n;
    const std::int32_t plateAt = beamAt + 4 + (nb > 0 ? 12 + 116 * nb : 0);
    std::FILE* f = std::fopen("STRUC_LD.FB", "wb");
    const std::int32_t head[5] = {20, beamAt, plateAt, plateAt + 4, plateAt + 8};
    std::fwrite(head, 4, 5, f);
    std::fwrite(&n, 4, 1, f);
    for (auto [x, y] : nodes) std::fwrite(&x, 4, 1, f);
    for (auto [x, y] : nodes) std::fwrite(&y, 4, 1, f);
    const std::int32_t zero = 0;
    for (std::int32_t i = 0; i < n; ++i) std::fwrite(&zero, 4, 1, f);
    std::fwrite(&nb, 4, 1, f);
    if (nb > 0) {
        const std::int32_t grade[3] = {30, 0, 0};
        std::fwrite(grade, 4, 3, f);
        std::fwrite(beams.data(), sizeof(beam_rec), beams.size(), f);
    }
    for (int s = 0; s < 3; ++s) std::fwrite(&zero, 4, 1, f);  // no plates, supports or load cases
    std::fclose(f);
}

// One strip beam from (0, 0) to (6, 0), 500 mm wide on its left and 300 mm on its
// right, divided at x = 2 and 4; the mesh keeps the numbers.
void WriteSingleStrip(FemFolder& folder) {
    WriteModel({{0, 0}, {6, 0}}, {Strip(0, 1, 500, 300)});
    Bytes pre;
    pre.i({12, 40, 44}).i({1, 0, 4, 0, 2, 3, 1}).i({0}).i({4, 0, 1, 2, 3, 0, 1, 2, 3});
    folder.Write("NET_PRE.FB", pre.str());
    Bytes dat;
    dat.i({24, 60, 92, 92, 92, 92}).i({4, 0, 0, 0, 0}).f({0, 0, 0, 0}).f({0, 0, 6, 0, 2, 0, 4, 0});
    folder.Write("NET_DAT.FB", dat.str());
}

TEST(BaseGeometry, LoneStripSharesItsFootprintAmongItsDivisionPoints) {
    FemFolder folder;
    WriteSingleStrip(folder);
    std::vector<float> areas = cal_area();
    ASSERT_EQ(JS_ERROR_CODE, 0) << folder.Messages().front();
    ASSERT_EQ(areas.size(), 4u);
    // L/(m − 1)·(w1 + w2) = 2 · 0.8 to the inner points, half of it to the ends.
    const float expected[] = {0.8f, 0.8f, 1.6f, 1.6f};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(areas[std::size_t(i)], expected[i], 1e-5) << i;
    EXPECT_TRUE(folder.Told(0, Line("Total Area   : %15.2f (m^2)", 4.8)));
    EXPECT_TRUE(cal_area_0() == std::vector<float>(4, 0.0f));
    EXPECT_TRUE(folder.FilesClosed());

    float A = 0, xc = 0, yc = 0, Ix = 0, Iy = 0;
    cal_centriod_base(&A, &xc, &yc, &Ix, &Iy, areas.data());
    EXPECT_NEAR(A, 4.8f, 1e-5);
    EXPECT_NEAR(xc, 3.0f, 1e-5);
    EXPECT_NEAR(yc, 0.0f, 1e-6);
    EXPECT_NEAR(Iy, 0.8 * 9 * 2 + 1.6 * 1 * 2, 1e-4);
    EXPECT_NEAR(Ix, 0.0f, 1e-6);

    // Two downward loads of 10 kN at x = 0 and x = 2.
    std::vector<double> load(12, 0.0);
    load[0] = -10, load[6] = -10, load[1] = 99;  // rotations do not count
    float W = 0, Mx = 0, My = 0;
    init_react_force(A, xc, yc, &W, &Mx, &My, load.data());
    EXPECT_FLOAT_EQ(W, -20.0f);
    EXPECT_FLOAT_EQ(Mx, 40.0f);
    EXPECT_FLOAT_EQ(My, 0.0f);
    EXPECT_TRUE(folder.Told(0, Line("Average React: %15.2f (KN/m^2)", 20 / 4.8)));
    EXPECT_EQ(JS_ERROR_CODE, 0);

    init_react_force(0.0f, xc, yc, &W, &Mx, &My, load.data());
    EXPECT_TRUE(folder.Told(101, "Draft area negative in init_react_force"));
    EXPECT_EQ(JS_ERROR_CODE, 0);
    const float none[4] = {0, 0, 0, 0};
    cal_centriod_base(&A, &xc, &yc, &Ix, &Iy, none);
    EXPECT_TRUE(folder.Told(301, "Draft area negative in cal_centriod_base"));
}

TEST(BaseGeometry, StripFootprintStopsAtTheNeighbouringStrips) {
    FemFolder folder;
    // Strip 0 → 1 along x, strip 0 → 2 up the y axis, strip 1 → 3 straight on.
    WriteModel({{0, 0}, {6, 0}, {0, 4}, {12, 0}},
               {Strip(0, 1, 500, 300), Strip(0, 2, 400, 200), Strip(1, 3, 500, 300)});
    struc_ld_file model("STRUC_LD.FB");
    ASSERT_TRUE(model.read_node() && model.read_beam());
    YXY_TOOL tool;
    float xs[4], ys[4];
    // Left side: cut at the near end by the right side (200 mm) of the strip going up;
    // the straight continuation at the far end cuts nothing.
    tool.cal_local_coordi_cross(0, 1, 0.5f, xs, ys, &model);
    const float left[4][2] = {{0, 0}, {6, 0}, {6, 0.5f}, {0.2f, 0.5f}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(xs[k], left[k][0], 1e-5) << k;
        EXPECT_NEAR(ys[k], left[k][1], 1e-5) << k;
    }
    EXPECT_NEAR(area_under_cut(6.0f, xs, ys), 6 * 0.5 - 0.5 * 0.2 * 0.5, 1e-5);
    EXPECT_NEAR(area_under_cut(0.1f, xs, ys), 0.5 * 0.1 * 0.25, 1e-6);
    EXPECT_EQ(area_under_cut(-1.0f, xs, ys), 0.0f);
    // Right side, built from the far node: past the corner it runs on to the outer
    // edge (400 mm) of the strip going up.
    tool.cal_local_coordi_cross(1, 0, 0.3f, xs, ys, &model);
    EXPECT_NEAR(xs[2], 6.4f, 1e-5);
    EXPECT_NEAR(ys[2], 0.3f, 1e-5);
    EXPECT_NEAR(xs[3], 0.0f, 1e-6);
    EXPECT_NEAR(area_under_cut(7.0f, xs, ys), 6 * 0.3 + 0.5 * 0.4 * 0.3, 1e-5);
}

TEST(BaseGeometry, BaseElevationTakesTheMostAreaWithinFivePercent) {
    struct Case {
        const char* what;
        std::vector<float> areas, elevations;
        float base;
    } cases[] = {
        {"one clearly largest", {5, 20}, {-1, -2}, -2},
        {"two within 5 %: the higher", {10, 10.3f}, {-2, -1.5f}, -1.5f},
        {"three within 5 %: the middle", {10, 10, 10}, {-1, -3, -2}, -2},
        {"equal elevations add up", {6, 10, 6, 0}, {-1, -2, -1, -5}, -1},
        {"just beyond 5 %", {10, 10.6f}, {-1, -2}, -2},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        EXPECT_EQ(combine_area_same_elev(int(c.areas.size()), c.areas.data(), c.elevations.data()), c.base)
            << c.what;
        EXPECT_EQ(JS_ERROR_CODE, 0) << c.what;
    }
    FemFolder folder;
    const float none[2] = {0, -1}, elev[2] = {-1, -2};
    EXPECT_EQ(combine_area_same_elev(2, none, elev), 0.0f);
    EXPECT_TRUE(folder.Told(301, "Error in combine_area_same_elev"));
}

TEST(BaseGeometry, BaseElevationOfTheModelsStrips) {
    FemFolder folder;
    WriteModel({{0, 0}, {6, 0}, {0, 4}}, {Strip(0, 1, 500, 500, -2.0f), Strip(0, 2, 500, 500, -1.0f)});
    EXPECT_FLOAT_EQ(cal_elev(), -2.0f);  // 6 m of strip against 4 m
    EXPECT_EQ(JS_ERROR_CODE, 0);
    FemFolder empty;
    WriteModel({{0, 0}}, {});
    EXPECT_EQ(cal_elev(), 0.0f);
    EXPECT_TRUE(empty.Told(301, "Error in cal_elev"));
}

TEST(BaseGeometry, NodeAreaAndSoilWeightFiles) {
    FemFolder folder;
    WriteSingleStrip(folder);
    const float areas[4] = {0.8f, 0.8f, 1.6f, 1.6f};
    ASSERT_EQ(write_area_file(areas, 4), 1);
    std::string bytes = folder.Read("Area.fb");
    ASSERT_EQ(bytes.size(), 4u + 16);
    EXPECT_EQ(kv::test::I32At(bytes, 0), 4);
    EXPECT_FLOAT_EQ(kv::test::F32At(bytes, 12), 1.6f);

    // One given column: 2 m of 18 kN/m³ from elevation 1, then 10 m of 20 kN/m³.
    soil_date_xy column;
    column.Layer_num = 2;
    column.dmbg = 1.0f;
    column.layers.resize(2);
    column.layers[0].Thick = 2, column.layers[0].Gama = 18;
    column.layers[1].Thick = 10, column.layers[1].Gama = 20;
    std::FILE* f = std::fopen("SOIL.FB", "wb");
    const std::int32_t one = 1;
    const float xy[2] = {3, 0};
    std::fwrite(&one, 4, 1, f);
    std::fwrite(xy, 4, 2, f);
    column.soil_date_xy_write(f);
    std::fclose(f);
    YXY_NET net;
    net.cal_soil_infer_node();
    ASSERT_EQ(JS_ERROR_CODE, 0);
    ASSERT_EQ(write_grav_file(4, -1.5f), 1);
    bytes = folder.Read("Grav.fb");
    ASSERT_EQ(bytes.size(), 8u + 16);
    EXPECT_FLOAT_EQ(kv::test::F32At(bytes, 4), -1.5f);
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(kv::test::F32At(bytes, 8 + 4 * i), 18 * 2 + 20 * 0.5f) << i;
    EXPECT_TRUE(folder.FilesClosed());
}

}  // namespace

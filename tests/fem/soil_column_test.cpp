// Soil columns: the given columns, the column of every mesh node, cuts of a column
// at an elevation and the earth pressures along it.
#include "fem/soil_column.h"
#include "fem/yxy_net.h"
#include "fem_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using kv::test::Bytes;
using kv::test::FemFolder;

// Layers of the given thicknesses below a top at `top`, marked by their Type.
soil_date_xy Column(float top, std::vector<float> thick, float water = -100.0f) {
    soil_date_xy c;
    c.Layer_num = static_cast<int>(thick.size());
    c.dmbg = top;
    c.dxsbg = water;
    for (std::size_t i = 0; i < thick.size(); ++i) {
        soil_layer L;
        L.Type = static_cast<int>(i) + 1;
        L.Thick = thick[i];
        c.layers.push_back(L);
    }
    return c;
}

struct Given {
    float x, y;
    soil_date_xy column;
};

void WriteSoil(const std::vector<Given>& given) {
    std::FILE* f = std::fopen("SOIL.FB", "wb");
    std::int32_t n = static_cast<std::int32_t>(given.size());
    std::fwrite(&n, 4, 1, f);
    for (const Given& g : given) {
        std::fwrite(&g.x, 4, 1, f);
        std::fwrite(&g.y, 4, 1, f);
        g.column.soil_date_xy_write(f);
    }
    std::fclose(f);
}

// An element data file holding only its nodes.
void WriteNodes(FemFolder& folder, const std::vector<std::pair<float, float>>& nodes) {
    const std::int32_t n = static_cast<std::int32_t>(nodes.size());
    const std::int32_t end = 60 + 8 * n;
    Bytes b;
    b.i({24, 60, end, end, end, end}).i({n, 0, 0, 0, 0}).f({0, 0, 0, 0});
    for (auto [x, y] : nodes) b.f({x, y});
    folder.Write("NET_DAT.FB", b.str());
}

TEST(SoilColumn, EveryNodeGetsTheNearestGivenColumnAndTheFirstOfEquallyNearOnes) {
    FemFolder folder;
    WriteSoil({{0, 0, Column(1.0f, {2.0f})}, {10, 0, Column(2.0f, {3.0f, 4.0f})}, {0, 10, Column(3.0f, {1.0f})}});
    // Node 1 lies as far from the first column as from the second.
    WriteNodes(folder, {{9, 1}, {5, 0}, {1, 8}});
    YXY_NET net;
    net.cal_soil_infer_node();
    ASSERT_EQ(JS_ERROR_CODE, 0) << folder.Messages().front();
    EXPECT_TRUE(folder.FilesClosed());
    EXPECT_EQ(folder.Read("SOILNODE.FB").size(), 3u * 4 + (28 + 2 * 72) + (28 + 72) + (28 + 72));

    soilnode_file nodes("SOILNODE.FB");
    soil_date_xy c;
    const float tops[] = {2.0f, 1.0f, 3.0f};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(nodes.read(i, &c), 1);
        EXPECT_EQ(c.dmbg, tops[i]) << i;
    }
    // Cut below the base: the part of the second column under elevation 0.
    ASSERT_EQ(nodes.read_node(0, &c, 0.0f), 1);
    EXPECT_EQ(c.Layer_num, 2);
    EXPECT_FLOAT_EQ(c.layers[0].Thick, 1.0f);
    ASSERT_EQ(nodes.read_node_area(0, &c, 0.0f), 1);
    EXPECT_EQ(c.Layer_num, 1);
    EXPECT_FLOAT_EQ(c.layers[0].Thick, 2.0f);
    nodes.free_node(&c);
    EXPECT_EQ(c.Layer_num, 0);
    EXPECT_EQ(nodes.current, -1);
}

TEST(SoilColumn, SoilFileWithoutColumnsStopsTheColumnsPerNode) {
    FemFolder folder;
    WriteSoil({});
    WriteNodes(folder, {{0, 0}});
    YXY_NET net;
    net.cal_soil_infer_node();
    EXPECT_EQ(JS_ERROR_CODE, 310);
    EXPECT_TRUE(folder.Told(310, "地基土信息错 !"));
    EXPECT_FALSE(folder.Exists("SOILNODE.FB"));
    EXPECT_TRUE(folder.FilesClosed());
}

TEST(SoilColumn, BaseOutsideANodesColumnCannotCutIt) {
    FemFolder folder;
    WriteSoil({{0, 0, Column(1.0f, {2.0f})}});
    WriteNodes(folder, {{0, 0}});
    YXY_NET net;
    net.cal_soil_infer_node();
    ASSERT_EQ(JS_ERROR_CODE, 0);
    soilnode_file nodes("SOILNODE.FB");
    soil_date_xy c;
    EXPECT_EQ(nodes.read_node(0, &c, 5.0f), 0);
    EXPECT_EQ(JS_ERROR_CODE, 301);
    EXPECT_TRUE(folder.Told(301, "Error in get_soil_date_down"));
}

TEST(SoilColumn, CutsAtLayerBoundariesKeepTheLayerWhole) {
    FemFolder folder;
    const soil_date_xy c = Column(1.0f, {2.0f, 3.0f, 4.0f});  // boundaries 1, -1, -4, -8
    struct Case {
        const char* what;
        bool down;
        float z;
        int layers, firstType;
        float cutThick;  // of the cut layer (first below, last above)
    } cases[] = {
        {"below, at the top of layer 2", true, -1.0f, 2, 2, 3.0f},
        {"below, inside layer 2", true, -2.0f, 2, 2, 2.0f},
        {"below, at the surface", true, 1.0f, 3, 1, 2.0f},
        {"above, at the bottom of layer 2", false, -4.0f, 2, 1, 3.0f},
        {"above, inside layer 3", false, -5.0f, 3, 1, 1.0f},
        {"above, at the column's bottom", false, -8.0f, 3, 1, 4.0f},
    };
    for (const Case& k : cases) {
        soil_date_xy out;
        ASSERT_EQ(k.down ? c.get_soil_date_down(&out, k.z) : c.get_soil_date_up(&out, k.z), 1) << k.what;
        EXPECT_EQ(out.Layer_num, k.layers) << k.what;
        EXPECT_EQ(out.layers.front().Type, k.firstType) << k.what;
        EXPECT_FLOAT_EQ(k.down ? out.layers.front().Thick : out.layers.back().Thick, k.cutThick) << k.what;
        EXPECT_EQ(out.dmbg, k.down ? k.z : 1.0f) << k.what;
    }
    EXPECT_EQ(JS_ERROR_CODE, 0);
    struct Refused {
        bool down;
        float z;
        const char* message;
    } refused[] = {{false, 1.0f, "Error in get_soil_date_up"},
                   {true, -8.0f, "Error in get_soil_date_down"},
                   {true, 1.5f, "Error in get_soil_date_down"},
                   {false, -8.5f, "Error in get_soil_date_up"}};
    for (const Refused& r : refused) {
        FemFolder again;
        soil_date_xy out;
        EXPECT_EQ(r.down ? c.get_soil_date_down(&out, r.z) : c.get_soil_date_up(&out, r.z), 0) << r.z;
        EXPECT_TRUE(again.Told(301, r.message)) << r.z;
    }
}

TEST(SoilColumn, GroundwaterSplitsTheWeightOfItsLayer) {
    soil_date_xy c = Column(0.0f, {2.0f, 3.0f});
    c.layers[0].Gama = 18, c.layers[0].Gama1 = 8;
    c.layers[1].Gama = 20, c.layers[1].Gama1 = 10;
    struct Case {
        float water, weight;
    } cases[] = {{-1.0f, 18 * 1 + 8 * 1 + 10 * 3},
                 {-3.5f, 18 * 2 + 20 * 1.5f + 10 * 1.5f},
                 {-2.0f, 18 * 2 + 10 * 3},
                 {1.0f, 8 * 2 + 10 * 3},
                 {-9.0f, 18 * 2 + 20 * 3}};
    for (const Case& k : cases) {
        c.dxsbg = k.water;
        EXPECT_FLOAT_EQ(c.weight_sum(), k.weight) << k.water;
    }
    c.dxsbg = -1.0f;
    EXPECT_FLOAT_EQ(c.overburden(-3.0f), 18 * 1 + 8 * 1 + 10 * 1);
    EXPECT_EQ(c.overburden(0.0f), 0.0f);
    EXPECT_EQ(c.layer_at(-2.0f), 0);  // a boundary belongs to the upper layer
    EXPECT_EQ(c.layer_at(-2.5f), 1);
    EXPECT_EQ(c.layer_at(-6.0f), -1);
}

TEST(SoilColumn, EarthPressuresOfADryLayer) {
    soil_date_xy c = Column(0.0f, {6.0f});
    soil_layer& L = c.layers[0];
    L.Gama = 18, L.c = 10, L.sita = 30;
    const double ka = 1.0 / 3, kp = 3.0;  // tan²(45° ∓ 15°)
    EXPECT_NEAR(c.active_press(5, -2), ka * (5 + 36) - 2 * 10 * std::sqrt(ka), 1e-3);
    EXPECT_NEAR(c.passive_press(-2), 2 * 10 * std::sqrt(kp) + kp * 36, 1e-3);
    c.dxsbg = -1.0f;
    L.Gama1 = 8;
    EXPECT_NEAR(c.active_press(0, -2), ka * (18 + 8) - 20 * std::sqrt(ka) + 10, 1e-3);
}

TEST(SoilColumn, LargeCohesionShowsNoTensionDownToTheZeroPoint) {
    FemFolder folder;
    soil_date_xy c = Column(0.0f, {4.0f, 4.0f});
    c.layers[0].Gama = 18, c.layers[0].c = 40, c.layers[0].sita = 30;
    c.layers[1].Gama = 18, c.layers[1].c = 0, c.layers[1].sita = 30;
    int n = 0;
    std::vector<float> z, above, below;
    c.cal_soil_press_active(0, &n, &z, &above, &below);
    // Layer 1 stays in tension over its depth (18·4/3 < 2·40/√3); layer 2 has none.
    ASSERT_EQ(n, 3);
    EXPECT_EQ(z[0], 0.0f);
    EXPECT_EQ(below[0], 0.0f);
    EXPECT_EQ(above[1], 0.0f);
    EXPECT_NEAR(below[1], 18 * 4.001 / 3, 1e-2);
    // With the second layer cohesive too, the zero point lies inside it.
    c.layers[1].c = 30;  // zero where 18·d/3 = 2·30/√3
    c.cal_soil_press_active(0, &n, &z, &above, &below);
    ASSERT_EQ(n, 4);
    EXPECT_EQ(below[1], 0.0f);
    EXPECT_NEAR(z[2], -(60 / std::sqrt(3.0) * 3 / 18), 0.01);
    EXPECT_EQ(above[2], 0.0f);
    EXPECT_EQ(below[2], 0.0f);
    EXPECT_GT(above[3], 0.0f);

    c.cal_soil_press(10, &n, &z, &above, &below);
    ASSERT_EQ(n, 3);
    EXPECT_FLOAT_EQ(above[2], 10 + 18 * 8);
    EXPECT_EQ(above[2], below[2]);
}

TEST(SoilColumn, NegativeBuoyantWeightIsWarnedAndTakenAsZero) {
    FemFolder folder;
    soil_date_xy c = Column(0.0f, {2.0f, 2.0f});
    c.layers[0].Gama = 19, c.layers[0].w = 30, c.layers[0].e = 0.8f;
    EXPECT_NEAR(c.buoyant_weight(0), 19 / 1.3 - 10 / 1.8, 1e-4);
    c.layers[1].Gama = 5, c.layers[1].e = 0.2f;
    EXPECT_EQ(c.buoyant_weight(1), 0.0f);
    EXPECT_EQ(c.layers[1].Gama1, 0.0f);
    EXPECT_TRUE(folder.Told(205, "计算中发现浮容重为负 !"));
    EXPECT_EQ(JS_ERROR_CODE, 0);
    c.layers[1].fk = 49;
    EXPECT_EQ(c.layer_factor(0), 1.1f);
    EXPECT_EQ(c.layer_factor(1), 1.0f);
}

}  // namespace

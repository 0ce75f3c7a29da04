#include <gtest/gtest.h>

#include "base/globals.h"
#include "members/slabwall/qiang.h"
#include "support/temp_folder.h"

namespace {

TEST(WallShear, OneWayStripShearsPerMetre) {
    CLkqData w(0);
    w.OneWay = 1, w.Height = 3, w.Load = 30, w.TriLoad = 24;
    const QiangShears v = qiang_shear_values(w);
    EXPECT_FLOAT_EQ(v.bottom, 30 * 3 / 2.0f + 2.0f / 3 * 24 * 3 / 2);  // 69
    EXPECT_FLOAT_EQ(v.top, 30 * 3 / 2.0f + 1.0f / 3 * 24 * 3 / 2);     // 57
    EXPECT_EQ(v.side, 0);
}

// The edges of a two-way wall carry its whole load: q·a·b + qt·a·b/2.
TEST(WallShear, TwoWayEdgeShearsAddUpToTheLoad) {
    const struct {
        float a, b, q, qt;
    } cases[] = {{6, 3, 30, 20}, {3, 3, 30, 20}, {3, 4.5f, 10, 40}, {7.2f, 3.6f, 0, 25}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.a * 100 + c.b);
        CLkqData w(0);
        w.Width = c.a, w.Height = c.b, w.Load = c.q, w.TriLoad = c.qt;
        const QiangShears v = qiang_shear_values(w);
        const float total = c.q * c.a * c.b + c.qt * c.a * c.b / 2;
        EXPECT_NEAR(v.bottom + v.top + 2 * v.side, total, 1e-4f * total);
        EXPECT_GT(v.bottom, v.top) << "the triangle is largest at the bottom";
    }
}

TEST(WallShear, TheCheckStoresTheShearsAndWritesItsReport) {
    kv::test::TempFolder dir;
    const std::string kept = G_strWorkPath;
    G_strWorkPath = dir.path();
    CLkqData w(0);
    w.SetFileName("&KV_0005");
    w.Width = 6, w.Height = 3, w.Load = 300, w.TriLoad = 100;
    EXPECT_EQ(qiang_shear_check(w), 1);
    G_strWorkPath = kept;
    const QiangShears v = qiang_shear_values(w);
    EXPECT_EQ(w.EdgeV[0], v.bottom);
    EXPECT_EQ(w.EdgeV[2], v.top);
    EXPECT_EQ(w.EdgeV[1], v.side);
    EXPECT_EQ(w.EdgeV[3], v.side);
    EXPECT_TRUE(dir.Exists("&KV_0005_QIANG.RTF_tmp"));
}

}  // namespace

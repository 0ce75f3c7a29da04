#include <gtest/gtest.h>

#include "members/slabwall/ban.h"
#include "slab_test_support.h"

namespace {

TEST(SlabLoads, BuildingWeightShareByClassAndForm) {
    // Rows: 核6B级, 核6级, 核5级, 核4B级, 核4级; columns: masonry, RC walls, other.
    const float expected[5][3] = {{100, 100, 100}, {100, 100, 100}, {50, 100, 100}, {0, 100, 50}, {50, 100, 50}};
    for (int c = 0; c < 5; ++c)
        for (int f = 0; f < 3; ++f)
            EXPECT_FLOAT_EQ(ban_weight_share(c, f, 100.0f), expected[c][f]) << "class " << c << " form " << f;
}

TEST(SlabLoads, RoofLoadFromItsParts) {
    BAN_JS_STRUCT bs(0);
    bs.RoofFinishT = 100, bs.RoofFinishGamma = 20, bs.RoofSelf = 7.5f, bs.RoofSoilH = 1.0f, bs.RoofSoilGamma = 18;
    bs.RoofOther = 2, bs.RoofQe = 60;
    EXPECT_EQ(ban_roof_load(bs), 1);
    // 1.2·(2 + 7.5 + 18) + 1.2·2 + 60
    EXPECT_NEAR(bs.Load, 95.4f, 1e-4);
    EXPECT_FLOAT_EQ(bs.RoofLoad, bs.Load);
}

TEST(SlabLoads, FloorLoadCountsTheBuildingShareOverTheFoundation) {
    struct Case {
        int resistClass, form;
        float weight, area;
        float expected;
    } cases[] = {
        {1, 0, 20000, 400, 50 + 10 + 60 - 18 * 0.5f - 7.5f},  // 核6级: the whole weight
        {1, 2, 0, 0, 10 + 60},                                // no weight: buoyancy and qe only, area unused
        {3, 0, 20000, 400, 10 + 60},                          // 核4B级 over masonry: the short formula
        {4, 0, 20000, 400, 25 + 10 + 60 - 9 - 7.5f},          // 核4级 masonry: half
        {4, 1, 20000, 400, 50 + 10 + 60 - 9 - 7.5f},          // 核4级 RC walls: whole
    };
    for (const Case& c : cases) {
        BAN_JS_STRUCT bs(1);
        bs.ResistClass = c.resistClass, bs.BuildingForm = c.form, bs.FloorWeight = c.weight, bs.FloorArea = c.area;
        bs.FloorBuoyancy = 10, bs.FloorQe = 60, bs.FloorSoilH = 0.5f, bs.FloorSoilGamma = 18, bs.FloorSelf = 7.5f;
        slabtest::MessageRecorder messages;
        EXPECT_EQ(ban_floor_load(bs), 1);
        EXPECT_NEAR(bs.Load, c.expected, 1e-4) << "class " << c.resistClass << " form " << c.form;
        EXPECT_FLOAT_EQ(bs.FloorLoad, bs.Load);
        EXPECT_TRUE(messages.shown().empty());
    }
}

TEST(SlabLoads, ACountedWeightWithoutAFoundationAreaIsRefused) {
    for (float area : {0.0f, -5.0f}) {
        BAN_JS_STRUCT bs(1);
        bs.ResistClass = 0, bs.FloorWeight = 20000, bs.FloorArea = area, bs.FloorQe = 60;
        bs.Load = 42, bs.FloorLoad = 41;
        slabtest::MessageRecorder messages;
        EXPECT_EQ(ban_floor_load(bs), 0) << area;
        EXPECT_EQ(bs.Load, 42) << "the load stays as it was";
        EXPECT_EQ(bs.FloorLoad, 41);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_NE(messages.shown()[0].text.find("基础面积"), std::string::npos);
    }
}

}  // namespace

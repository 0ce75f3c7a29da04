// Partition-wall and shed loads from the code's tables.
#include "loads/partitionshed.h"

#include <gtest/gtest.h>

namespace {

std::string Partition(int pair, int upper) {
    PartitionInput in;
    in.pair = pair;
    in.upperBuilding = upper;
    return PartitionAnswer(in);
}

TEST(PartitionAnswer, LinesPerSideWithTheBuildingAboveOnlyAgainstAnOrdinaryBasement) {
    struct Case {
        int pair, upper;
        const char* text;
    } cases[] = {
        {0, 0,
         "隔墙水平等效静荷载标准值:  30.0 (kN/m2)\n"
         "门框墙水平等效静荷载标准值:  30.0 (kN/m2)\n"},
        {4, 1,
         "隔墙水平等效静荷载标准值:  300.0 (kN/m2)\n"
         "门框墙水平等效静荷载标准值:  300.0 (kN/m2)\n"},
        {5, 0,
         "核6B级一侧: 隔墙水平等效静荷载标准值:  50.0 (kN/m2)\n"
         "核6B级一侧: 门框墙水平等效静荷载标准值:  50.0 (kN/m2)\n"
         "核6级一侧: 隔墙水平等效静荷载标准值:  30.0 (kN/m2)\n"
         "核6级一侧: 门框墙水平等效静荷载标准值:  30.0 (kN/m2)\n"},
        {11, 1,
         "普通地下室一侧: 隔墙水平等效静荷载标准值:  180.0 (kN/m2)\n"
         "普通地下室一侧: 门框墙水平等效静荷载标准值:  320.0 (kN/m2)\n"},
        {11, 0,
         "普通地下室一侧: 隔墙水平等效静荷载标准值:  230.0 (kN/m2)\n"
         "普通地下室一侧: 门框墙水平等效静荷载标准值:  340.0 (kN/m2)\n"},
        {7, 1,
         "普通地下室一侧: 隔墙水平等效静荷载标准值:  55.0 (kN/m2)\n"
         "普通地下室一侧: 门框墙水平等效静荷载标准值:  100.0 (kN/m2)\n"},
        {9, 1,
         "普通地下室一侧: 隔墙水平等效静荷载标准值:  90.0 (kN/m2)\n"
         "普通地下室一侧: 门框墙水平等效静荷载标准值:  170.0 (kN/m2)\n"},
        // A tick left set from an ordinary-basement pair changes nothing here.
        {8, 1,
         "核6级一侧: 隔墙水平等效静荷载标准值:  100.0 (kN/m2)\n"
         "核6级一侧: 门框墙水平等效静荷载标准值:  100.0 (kN/m2)\n"
         "核5级一侧: 隔墙水平等效静荷载标准值:  50.0 (kN/m2)\n"
         "核5级一侧: 门框墙水平等效静荷载标准值:  50.0 (kN/m2)\n"},
        {12, 0,
         "核4B级一侧: 隔墙水平等效静荷载标准值:  300.0 (kN/m2)\n"
         "核4B级一侧: 门框墙水平等效静荷载标准值:  300.0 (kN/m2)\n"
         "核4级一侧: 隔墙水平等效静荷载标准值:  200.0 (kN/m2)\n"
         "核4级一侧: 门框墙水平等效静荷载标准值:  200.0 (kN/m2)\n"},
        {13, 0, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Partition(c.pair, c.upper), c.text) << c.pair << " " << c.upper;
}

TEST(ShedAnswer, HorizontalAndVerticalLoadsThatDoNotActTogether) {
    struct Case {
        int nuclearClass;
        const char* text;
    } cases[] = {
        {0, "水平等效静荷载标准值:  6.0 (kN/m2)\n垂直等效静荷载标准值:  30.0 (kN/m2)\n两者应按不同时作用计算\n"},
        {1, "水平等效静荷载标准值:  15.0 (kN/m2)\n垂直等效静荷载标准值:  50.0 (kN/m2)\n两者应按不同时作用计算\n"},
        {2, "水平等效静荷载标准值:  55.0 (kN/m2)\n垂直等效静荷载标准值:  50.0 (kN/m2)\n两者应按不同时作用计算\n"},
        {3, "规范未规定 !\n"},
        {-1, "规范未规定 !\n"},
    };
    for (const Case& c : cases) {
        ShedInput in;
        in.nuclearClass = c.nuclearClass;
        EXPECT_EQ(ShedAnswer(in), c.text) << c.nuclearClass;
    }
}

}  // namespace

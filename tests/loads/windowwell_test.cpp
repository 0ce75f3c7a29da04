// Window-well loads: the answer texts for the three forms and the cover plate's
// reflection coefficient K.
#include "loads/windowwell.h"

#include <gtest/gtest.h>

namespace {

WindowWellInput Well(int form, int engClass, int nuclearClass = 0, int upper = 0, float k = 1.0f, int convClass = 0) {
    WindowWellInput in;
    in.form = form;
    in.engClass = engClass;
    in.nuclearClass = nuclearClass;
    in.upperBuilding = upper;
    in.k = k;
    in.convClass = convClass;
    return in;
}

std::string LastLine(const std::string& text) {
    std::string body = text.substr(0, text.size() - 1);
    return body.substr(body.rfind('\n') + 1);
}

const char* const kShutterConventional =
    "*常规武器爆炸:\n"
    "挡窗板的水平等效静荷载标准值:\n"
    "  按顶板查表值乘以0.3采用(此时h取挡窗板中心处的室外埋深)\n";

TEST(WindowWellAnswer, CoverPlateQeTakesKTheClassOverpressureAndTheUpperBuildingFactor) {
    struct Case {
        int nuclearClass, upper;
        float k;
        const char* line;
    } cases[] = {
        {2, 1, 1.0f, "  qe = 1.2 K △Pms  = 144.0 (kPa)"},  // 核5: 1.2 × 1.2 × 100
        {2, 0, 1.0f, "  qe = 1.2 K △Pms  = 120.0 (kPa)"},
        {0, 1, 1.0f, "  qe = 1.2 K △Pms  = 39.6 (kPa)"},   // 核6B: 1.2 × 1.1 × 30
        {1, 1, 1.0f, "  qe = 1.2 K △Pms  = 66.0 (kPa)"},   // 核6: 1.2 × 1.1 × 50
        {3, 1, 1.0f, "  qe = 1.2 K △Pms  = 300.0 (kPa)"},  // 核4B: 1.2 × 1.25 × 200
        {1, 0, 1.135f, "  qe = 1.2 K △Pms  = 68.1 (kPa)"},
        {2, 1, 0.0f, "  qe = 1.2 K △Pms  = 0.0 (kPa)"},
        {4, 1, 1.0f, "  qe = 1.2 K △Pms  = 0.0 (kPa)"},    // no overpressure outside the list
    };
    for (const Case& c : cases)
        EXPECT_EQ(LastLine(WindowWellAnswer(Well(1, 0, c.nuclearClass, c.upper, c.k))), c.line)
            << c.nuclearClass << " " << c.upper << " " << c.k;
}

TEST(WindowWellAnswer, ClassACoverPlateGivesTheSummaryBothBlocksAndQe) {
    EXPECT_EQ(WindowWellAnswer(Well(1, 0, 2, 1)),
              "采光井外墙的水平等效静荷载标准值,以下两者取大值.\n"
              "盖板的垂直等效静荷载标准值,以下两者取大值.\n"
              "-------------------------------\n"
              "*常规武器爆炸:\n"
              "采光井外墙的水平等效静荷载标准值:  按土中外墙计算\n"
              "盖板的垂直等效静荷载标准值:  按顶板计算\n"
              "\n*核武器爆炸:\n"
              "采光井外墙的水平等效静荷载标准值:  按土中外墙计算\n"
              "盖板的垂直等效静荷载标准值:\n"
              "  qe = 1.2 K △Pms  = 144.0 (kPa)\n");
}

TEST(WindowWellAnswer, ShutterNamesTheRulesAndClassBGetsOnlyTheConventionalBlock) {
    EXPECT_EQ(WindowWellAnswer(Well(0, 1)), kShutterConventional);
    EXPECT_EQ(WindowWellAnswer(Well(0, 0)),
              std::string("挡窗板的水平等效静荷载标准值,以下两者取大值.\n"
                          "采光井内墙的水平等效静荷载标准值,取核武器计算值.\n"
                          "-------------------------------\n") +
                  kShutterConventional +
                  "\n*核武器爆炸:\n"
                  "挡窗板与采光井内墙的水平等效静荷载标准值:  按非饱和土中外墙计算\n");
    // Class B's cover plate: no qe, whatever K says.
    EXPECT_EQ(WindowWellAnswer(Well(1, 1, 2, 1, 3.0f)),
              "*常规武器爆炸:\n"
              "采光井外墙的水平等效静荷载标准值:  按土中外墙计算\n"
              "盖板的垂直等效静荷载标准值:  按顶板计算\n");
}

TEST(WindowWellAnswer, AboveGroundWindowHasFixedConventionalLoadsAndNoNuclearBlock) {
    const std::string classA =
        "挡窗板的水平等效静荷载标准值,按常规武器取值.\n"
        "负向动反力的水平等效静荷载标准值,按常规武器取值.\n"
        "-------------------------------\n";
    const std::string c6 =
        "*常规武器爆炸:\n"
        "挡窗板的水平等效静荷载标准值:  180 kN/m2\n"
        "负向动反力的水平等效静荷载标准值:  60 kN/m2\n";
    const std::string c5 =
        "*常规武器爆炸:\n"
        "挡窗板的水平等效静荷载标准值:  400 kN/m2\n"
        "负向动反力的水平等效静荷载标准值:  130 kN/m2\n";
    // The nuclear class, the tick and K play no part.
    for (int nuclearClass : {0, 3})
        for (int upper : {0, 1}) {
            EXPECT_EQ(WindowWellAnswer(Well(2, 0, nuclearClass, upper, 2.0f, 0)), classA + c6);
            EXPECT_EQ(WindowWellAnswer(Well(2, 0, nuclearClass, upper, 2.0f, 1)), classA + c5);
            EXPECT_EQ(WindowWellAnswer(Well(2, 1, nuclearClass, upper, 2.0f, 0)), c6);
            EXPECT_EQ(WindowWellAnswer(Well(2, 1, nuclearClass, upper, 2.0f, 1)), c5);
        }
}

TEST(ReflectK, DefaultsGiveTheCodesCoefficientForTheClass) {
    struct Case {
        int nuclearClass;
        float k;
    } cases[] = {{0, 1.135f}, {3, 1.156f}};
    for (const Case& c : cases) {
        ReflectKInput in;
        in.nuclearClass = c.nuclearClass;
        EXPECT_FLOAT_EQ(ReflectK(in), c.k) << c.nuclearClass;
    }
}

}  // namespace

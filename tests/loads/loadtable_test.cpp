// Equivalent loads looked up in the code's tables, and the answers the look-up
// pages show.
#include "loads/loadtable.h"

#include "base/error.h"
#include "loads/fixture.h"
#include "platform/textfile.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Fixture(const std::string& name) { return kv::test::LoadsFixture(name); }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The answer written into a fresh folder, as the bytes on disk.
std::string WrittenBytes(const std::string& answer) {
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    EXPECT_TRUE(WriteMessageBox(answer));
    return dir.Read("Message.Box");
}

RoofTableInput Roof(int nuclearClass, float h, float l0, int convClass = 0) {
    RoofTableInput in;
    in.nuclearClass = nuclearClass;
    in.cover = h;
    in.span = l0;
    in.convClass = convClass;
    return in;
}

}  // namespace

TEST(RoofTable, NuclearValuesByCoverSpanAndClass) {
    struct Case {
        int cls, upper;
        float h, l0;
        float qe1;
    };
    const Case cases[] = {
        {0, 0, 0.8f, 5.0f, 45},     {0, 1, 0.8f, 5.0f, 40},
        {2, 0, 0.5f, 8.0f, 120},    // h exactly 0.5: the shallowest band, whatever the span
        {2, 1, 0.0f, 3.0f, 100},    {4, 0, 0.3f, 9.0f, 360},
        {2, 0, 0.8f, 4.5f, 140},    // L0 exactly 4.5: the first span band
        {2, 0, 0.8f, 4.6f, 135},    {2, 0, 0.8f, 3.0f, 140},
        {1, 0, 1.0f, 6.0f, 70},     {1, 1, 1.0f, 6.0f, 60},  {1, 0, 1.0f, 7.5f, 65},
        {2, 1, 1.2f, 9.0f, 115},    {0, 0, 1.5f, 6.5f, 40},  {3, 0, 1.2f, 4.0f, 320},
        {3, 1, 1.2f, 4.0f, 320},    // 核4B does not count the building above
        {4, 1, 0.8f, 8.0f, 400},
        {0, 0, 0.500005f, 5.0f, 45},  // just past 0.5: the second cover band
        {2, 0, 0.500005f, 5.0f, 135},
        {0, 0, 1.6f, 6.0f, kNotTabulated},  // deeper than 1.5
        {0, 0, 0.8f, 6.0f, 45},     {5, 0, 0.8f, 6.0f, kNotTabulated},
    };
    for (const Case& c : cases) {
        RoofTableInput in = Roof(c.cls, c.h, c.l0);
        in.upperNuclear = c.upper;
        EXPECT_EQ(LookUpQe1(in), c.qe1) << "class " << c.cls << " h " << c.h << " L0 " << c.l0;
    }
}

TEST(RoofTable, SpansOutsideThreeToNineAreNotTabulatedAtAnyCover) {
    for (float h : {0.0f, 0.5f, 0.8f, 1.2f})
        for (float l0 : {2.9f, 9.1f})
            for (int cls = 0; cls < 5; ++cls)
                EXPECT_EQ(LookUpQe1(Roof(cls, h, l0)), kNotTabulated) << h << " " << l0 << " " << cls;
}

TEST(RoofTable, ConventionalRangesByBandTheFirstOfOverlappingBandsWins) {
    struct Case {
        int cls, upper;
        float h;
        float lower, upper_;
    };
    const Case cases[] = {
        {0, 0, 0.0f, 40, 50},       {0, 0, 0.5f, 40, 50},  // 0.5 still in band 1
        {0, 0, 0.500005f, 40, 50},  // inside band 1's margin
        {0, 0, 0.50002f, 30, 40},   {0, 1, 0.8f, 24, 32},  {0, 0, 1.5f, 15, 30},
        {0, 1, 1.2f, 12, 24},       {1, 0, 0.3f, 90, 110}, {1, 1, 0.3f, 72, 88},
        {1, 0, 1.8f, 30, 50},       {1, 1, 2.0f, 24, 40},  {1, 0, 2.5f, 15, 30},
        {1, 1, 2.2f, 12, 24},
        {0, 0, 1.8f, kNotTabulated, kNotTabulated},  // 常6 stops at 1.5
        {1, 0, 2.6f, kNotTabulated, kNotTabulated},
        {1, 0, -0.1f, kNotTabulated, kNotTabulated},
        {2, 0, 0.8f, kNotTabulated, kNotTabulated},
    };
    for (const Case& c : cases) {
        RoofTableInput in = Roof(0, c.h, 6.0f, c.cls);
        in.upperConv = c.upper;
        float lo = 0, hi = 0;
        LookUpQce1(in, lo, hi);
        EXPECT_EQ(lo, c.lower) << "class " << c.cls << " h " << c.h;
        EXPECT_EQ(hi, c.upper_) << "class " << c.cls << " h " << c.h;
    }
}

TEST(RoofTable, ClassAAnswerMatchesTheTypedFile) {
    // 甲类, 核6B, h 0.8, L0 5, 常6: the nuclear 45 exceeds the conventional 30 - 40.
    std::string answer = RoofTableAnswer(Roof(0, 0.8f, 5.0f, 0));
    EXPECT_EQ(WrittenBytes(answer), Fixture("roof_table.box"));
}

TEST(RoofTable, AnswerLineCombinesBothTables) {
    struct Case {
        RoofTableInput in;
        std::string first;
    };
    RoofTableInput classB = Roof(0, 1.8f, 6.0f, 1);
    classB.engClass = 1;
    RoofTableInput above = Roof(2, 0.3f, 6.0f, 1);    // 120 above 90 - 110: the single value
    RoofTableInput below = Roof(1, 0.3f, 6.0f, 1);    // 60 below 90 - 110: the range
    RoofTableInput inside = Roof(1, 1.2f, 7.0f, 1);   // 60 within 50 - 70: 60 - 70
    inside.upperNuclear = 1;
    RoofTableInput atTop = Roof(1, 1.2f, 5.0f, 1);    // 70 against 50 - 70: one value
    RoofTableInput atBottom = Roof(0, 0.3f, 6.0f, 0);  // 40 against 40 - 50
    RoofTableInput deep = Roof(0, 1.8f, 6.0f, 1);     // nuclear not tabulated, 常5 is
    RoofTableInput noConv = Roof(0, -0.1f, 6.0f, 0);  // nuclear 40, conventional not tabulated
    const Case cases[] = {
        {classB, "顶板等效静荷载标准值 qe1:  30.0 - 50.0 (kN/m2)\n"},
        {above, "顶板等效静荷载标准值 qe1:  120.0 (kN/m2)\n"},
        {below, "顶板等效静荷载标准值 qe1:  90.0 - 110.0 (kN/m2)\n"},
        {inside, "顶板等效静荷载标准值 qe1:  60.0 - 70.0 (kN/m2)\n"},
        {atTop, "顶板等效静荷载标准值 qe1:  70.0 (kN/m2)\n"},
        {atBottom, "顶板等效静荷载标准值 qe1:  40.0 - 50.0 (kN/m2)\n"},
        {deep, "这种情况规范未规定,请用公式计算 !\n"},
        {noConv, "这种情况规范未规定,请用公式计算 !\n"},
    };
    for (const Case& c : cases) {
        std::string answer = RoofTableAnswer(c.in);
        EXPECT_EQ(answer.substr(0, c.first.size()), c.first) << answer;
    }
    // The separate blocks show what each table holds.
    std::string deepAnswer = RoofTableAnswer(deep);
    EXPECT_TRUE(Contains(deepAnswer, "顶板等效静荷载标准值 qce1:  30.0 - 50.0 (kN/m2)\n"));
    EXPECT_TRUE(deepAnswer.ends_with("允许延性比 = 3.0    \n这种情况规范未规定,请用公式计算 !"));
    std::string noConvAnswer = RoofTableAnswer(noConv);
    EXPECT_TRUE(Contains(noConvAnswer, "*常规武器爆炸：\n注意:   假定顶板为钢筋混凝土结构，允许延性比 = 4.0    \n这种情况可不计影响\n"));
    EXPECT_TRUE(noConvAnswer.ends_with("顶板等效静荷载标准值 qe1:  40.0 (kN/m2)"));
}

TEST(RoofTable, ClassBBeyondTheTableNeedsNothingAndEndsWithoutALineBreak) {
    RoofTableInput in = Roof(0, 1.8f, 6.0f, 0);
    in.engClass = 1;
    EXPECT_EQ(RoofTableAnswer(in), "这种情况可不计影响.\n注意:   假定顶板为钢筋混凝土结构，允许延性比 = 4.0 ");
}

TEST(FloorTable, ValuesAboveAndRangesBelowTheWaterTable) {
    struct Case {
        int cls, below;
        float h, l0;
        float lower, upper;
    };
    const Case cases[] = {
        {0, 0, 0.5f, 4.0f, 30, 30},    {0, 1, 0.5f, 4.0f, 30, 35},    {4, 1, 0.2f, 9.0f, 240, 300},
        {3, 0, 0.8f, 4.5f, 190, 190},  {0, 1, 0.8f, 4.5f, 35, 40},    {2, 1, 0.8f, 6.0f, 85, 110},
        {2, 1, 1.0f, 7.0f, 85, 105},   {3, 1, 0.9f, 8.0f, 180, 225},  {4, 0, 1.5f, 3.0f, 305, 305},
        {1, 1, 1.3f, 5.0f, 50, 60},    {1, 1, 1.3f, 7.0f, 45, 60},    {2, 0, 1.1f, 8.5f, 85, 85},
        {0, 0, 1.6f, 6.0f, kNotTabulated, kNotTabulated},
        {0, 1, 0.8f, 2.9f, kNotTabulated, kNotTabulated},
        {2, 1, 0.3f, 9.1f, kNotTabulated, kNotTabulated},
        {-1, 0, 0.8f, 6.0f, kNotTabulated, kNotTabulated},
    };
    for (const Case& c : cases) {
        FloorTableInput in{c.cls, c.h, c.l0, c.below};
        float lo = 0, hi = 0;
        LookUpQe3(in, lo, hi);
        EXPECT_EQ(lo, c.lower) << "class " << c.cls << " h " << c.h << " L0 " << c.l0 << " below " << c.below;
        EXPECT_EQ(hi, c.upper) << "class " << c.cls << " h " << c.h << " L0 " << c.l0 << " below " << c.below;
    }
}

TEST(FloorTable, Class5BelowTheWaterTableMatchesTheTypedFile) {
    // 核5, h 1.2, L0 6: 90 -- 115, the 0.95 note, then the groundwater note.
    EXPECT_EQ(WrittenBytes(FloorTableAnswer({2, 1.2f, 6.0f, 1})), Fixture("floor_table.box"));
}

TEST(FloorTable, AnswerTexts) {
    EXPECT_EQ(FloorTableAnswer({0, 1.2f, 6.0f, 0}), "底板等效静荷载标准值qe3:  30.0 (kN/m2)\n");
    // Below the water table without the 核5 note: the groundwater note follows at once.
    EXPECT_EQ(FloorTableAnswer({1, 1.2f, 6.0f, 1}),
              "底板等效静荷载标准值qe3:  50.0 -- 60.0(kN/m2)\n"
              "    **.位于地下水位以下的底板，含气量α1≤0.1%时取大值。\n");
    EXPECT_EQ(FloorTableAnswer({2, 2.0f, 6.0f, 1}), "这种情况规范未规定,请用公式计算 !\n");
}

namespace {

WallTableInput Wall(int soil, int material, int nuclearClass, int convClass, float h) {
    WallTableInput in;
    in.soil = soil;
    in.material = material;
    in.nuclearClass = nuclearClass;
    in.convClass = convClass;
    in.depth = h;
    return in;
}

}  // namespace

TEST(WallTable, NuclearRangesBySoilMaterialAndClass) {
    struct Case {
        int saturated, soil, material, cls, upper;
        float lower, upper_;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0, 10, 15},     {0, 0, 1, 0, 0, 5, 10},      {0, 1, 0, 1, 0, 25, 35},
        {0, 3, 1, 1, 0, 20, 25},     {0, 5, 0, 2, 0, 60, 100},    {0, 6, 1, 2, 0, 75, 85},
        {0, 7, 1, 3, 0, 50, 100},    {0, 8, 1, 4, 0, 90, 140},    {0, 10, 0, 0, 0, 30, 35},
        {0, 9, 1, 4, 0, 60, 120},    {0, 4, 1, 0, 0, 5, 15},      {0, 2, 0, 2, 0, 40, 60},
        {0, 0, 0, 3, 0, kNotTabulated, kNotTabulated},  // no brick walls for 核4B and 核4
        {0, 5, 0, 4, 0, kNotTabulated, kNotTabulated},
        {1, 0, 1, 0, 0, 30, 35},     {1, 2, 1, 2, 0, 80, 105},    {1, 3, 1, 3, 0, 185, 265},
        {1, 10, 1, 4, 0, 280, 400},  {1, 1, 1, 4, 0, 280, 360},   {1, 8, 1, 1, 0, 45, 60},
        {1, 9, 1, 0, 0, kNotTabulated, kNotTabulated},  // 湿陷性黄土
        {1, 0, 0, 0, 0, kNotTabulated, kNotTabulated},  // saturated brick
        {0, 0, 0, 0, 1, 11, 16.5f},  {0, 1, 1, 2, 1, 42, 54},     {1, 3, 1, 3, 1, 231.25f, 331.25f},
        {1, 3, 1, 4, 1, 280, 400},   // 核4 takes no factor
        {1, 9, 1, 2, 1, -12, -12},   // the factor leaves the marker negative
    };
    for (const Case& c : cases) {
        WallTableInput in = Wall(c.soil, c.material, c.cls, 0, 1.0f);
        in.saturated = c.saturated;
        in.upperNuclear = c.upper;
        float lo = 0, hi = 0;
        LookUpQe2(in, lo, hi);
        EXPECT_FLOAT_EQ(lo, c.lower) << "sat " << c.saturated << " soil " << c.soil << " mat " << c.material
                                     << " class " << c.cls << " upper " << c.upper;
        EXPECT_FLOAT_EQ(hi, c.upper_) << "sat " << c.saturated << " soil " << c.soil << " mat " << c.material
                                      << " class " << c.cls << " upper " << c.upper;
    }
}

TEST(WallTable, ConventionalRangesByBandSoilAndAirContent) {
    struct Case {
        int saturated;
        float air;
        int soil, material, cls;
        float h;
        float lower, upper;
    };
    const Case cases[] = {
        {0, 0.1f, 0, 0, 0, 1.0f, 25, 45},    {0, 0.1f, 1, 1, 0, 0.0f, 20, 30},
        {0, 0.1f, 2, 0, 1, 1.5f, 50, 70},    {0, 0.1f, 3, 1, 1, 1.2f, 40, 60},
        {0, 0.1f, 8, 0, 0, 0.5f, 25, 35},    {0, 0.1f, 7, 1, 1, 1.0f, 40, 65},
        {0, 0.1f, 9, 1, 1, 1.0f, 35, 55},    {0, 0.1f, 10, 0, 1, 1.0f, 40, 50},
        {0, 0.1f, 0, 1, 0, 2.0f, 15, 20},    {0, 0.1f, 7, 1, 1, 3.0f, 25, 40},
        {0, 0.1f, 9, 1, 1, 2.5f, 20, 35},
        {0, 0.1f, 10, 1, 0, 1.500005f, 5, 10},  // past band 1's margin: band 2
        {0, 0.1f, 0, 0, 0, 2.0f, kNotTabulated, kNotTabulated},  // brick deeper than 1.5 m
        {0, 0.1f, 0, 1, 0, 3.1f, kNotTabulated, kNotTabulated},
        {0, 0.1f, 0, 1, 2, 1.0f, kNotTabulated, kNotTabulated},
        // Saturated: air content decides, soil and material do not.
        {1, 1.0f, 9, 0, 0, 1.0f, 30, 50},    {1, 1.0f, 0, 1, 1, 2.0f, 60, 80},
        {1, 0.05f, 0, 1, 0, 1.0f, 50, 70},   {1, 0.0f, 0, 1, 1, 2.0f, 80, 100},
        {1, 1.00001f, 0, 0, 0, 1.0f, 25, 45},  // from 1.00001 % on: the unsaturated table
        {1, 2.0f, 9, 1, 1, 2.0f, 20, 35},
        // In between, each end on the line between 1 % and 0.05 %.
        {1, 0.5f, 0, 1, 0, 1.0f, 30 + 20 * 0.5f / 0.95f, 50 + 20 * 0.5f / 0.95f},
        {1, 0.5f, 0, 1, 1, 2.0f, 60 + 20 * 0.5f / 0.95f, 80 + 20 * 0.5f / 0.95f},
    };
    for (const Case& c : cases) {
        WallTableInput in = Wall(c.soil, c.material, 0, c.cls, c.h);
        in.saturated = c.saturated;
        in.airContent = c.air;
        float lo = 0, hi = 0;
        LookUpQce2(in, lo, hi);
        EXPECT_NEAR(lo, c.lower, 1e-4) << "sat " << c.saturated << " air " << c.air << " soil " << c.soil
                                       << " mat " << c.material << " class " << c.cls << " h " << c.h;
        EXPECT_NEAR(hi, c.upper, 1e-4) << "sat " << c.saturated << " air " << c.air << " soil " << c.soil
                                       << " mat " << c.material << " class " << c.cls << " h " << c.h;
    }
}

TEST(WallTable, UnsaturatedBrickAnswerMatchesTheTypedFile) {
    // 甲类, 碎石土, brick, 核6B, 常6, h 1.0: 25 - 45 and 10 - 15 give 25.0 - 45.0.
    EXPECT_EQ(WrittenBytes(WallTableAnswer(Wall(0, 0, 0, 0, 1.0f))), Fixture("wall_table.box"));
}

TEST(WallTable, AnswerLineNeedsBothTables) {
    // Brick at 2 m: the conventional table has nothing, the nuclear one has a range.
    std::string deep = WallTableAnswer(Wall(0, 0, 0, 0, 2.0f));
    EXPECT_TRUE(deep.starts_with("这种情况土中外墙等效静荷载标准值qe2规范未规定,请用公式计算 !\n"
                                 "超出地面外墙等效静荷载标准值qe2'(kN/m2):  180.0\n"))
        << deep;
    EXPECT_TRUE(Contains(deep, "*核规武器爆炸：\n非饱和土中外墙等效静荷载标准值qe2(kN/m2):  10.0 - 15.0\n"));

    WallTableInput loess = Wall(9, 1, 2, 1, 1.0f);
    loess.saturated = 1;
    loess.airContent = 1.0f;
    std::string wet = WallTableAnswer(loess);
    EXPECT_TRUE(wet.starts_with("这种情况土中外墙等效静荷载标准值qe2规范未规定,请用公式计算 !\n"
                                "超出地面外墙等效静荷载标准值qe2'(kN/m2):  400.0\n"))
        << wet;
    EXPECT_TRUE(Contains(wet, "饱和土中外墙等效静荷载标准值qce2(kN/m2):  80.0 - 100.0\n"));
    EXPECT_TRUE(wet.ends_with("*核规武器爆炸：\n这种情况土中外墙等效静荷载标准值qe2规范未规定,请用公式计算 !\n"
                              "注意:\n    1.规范表中数值按外墙计算高度 <= 5m,允许延性比取2.0确定;\n"
                              "    2.含气量 <= 0.1%时取大值\n"))
        << wet;

    // Saturated sand, 核5 with the building above: 80 x 1.2 - 105 x 1.2 against 80 - 100.
    WallTableInput sand = Wall(1, 1, 2, 1, 1.0f);
    sand.saturated = 1;
    sand.upperNuclear = 1;
    sand.airContent = 1.0f;
    EXPECT_TRUE(WallTableAnswer(sand).starts_with("饱和土中外墙等效静荷载标准值qe2(kN/m2):  96.0 - 126.0\n"));
}

TEST(WallTable, ClassBShowsTheConventionalBlockOnly) {
    WallTableInput in = Wall(0, 1, 0, 1, 1.0f);
    in.engClass = 1;
    in.saturated = 1;
    in.airContent = 0.5f;
    EXPECT_EQ(WallTableAnswer(in),
              "饱和土中外墙等效静荷载标准值qce2(kN/m2):  90.5 - 121.1\n"
              "超出地面外墙等效静荷载标准值qce2'(kN/m2):  400.0\n"
              "注意:\n"
              "    1.规范表中数值按外墙计算高度 <= 5m,允许延性比取3.0确定;\n"
              "    2.当含气量 > 1%时,按非饱和土取值;\n"
              "      当0.05% < 含气量 < 1%时,按线性内插法确定.\n"
              "    3.顶板埋置深度h为小值时，qce2取大值;\n");
}

TEST(MessageBoxFile, AFileThatCannotBeWrittenIsReported) {
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    kv::err::ClearRecentLines();
    // A folder of that name.
    ASSERT_EQ(::mkdir((dir / "Message.Box").c_str(), 0755), 0);
    EXPECT_FALSE(WriteMessageBox("x\n"));
    ASSERT_FALSE(kv::err::RecentLines().empty());
    EXPECT_TRUE(Contains(kv::err::RecentLines().back().text, "Message.Box"));
    ASSERT_EQ(::rmdir((dir / "Message.Box").c_str()), 0);
    // A read-only file of that name keeps what it held.
    dir.Write("Message.Box", "old\n");
    ASSERT_EQ(::chmod((dir / "Message.Box").c_str(), 0444), 0);
    EXPECT_FALSE(WriteMessageBox("new\n"));
    EXPECT_EQ(dir.Read("Message.Box"), "old\n");
    ASSERT_EQ(::chmod((dir / "Message.Box").c_str(), 0644), 0);
    // A write that fails halfway leaves the last answer whole.
    {
        kv::platform::WriteFailureForTesting full(3, ENOSPC);
        EXPECT_FALSE(WriteMessageBox("a longer answer\n"));
    }
    EXPECT_EQ(dir.Read("Message.Box"), "old\n");
    JS_ERROR_CODE = 0;
}

TEST(MessageBoxFile, AReadOnlyFolderIsReported) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    kv::test::TempFolder dir;
    ASSERT_EQ(::mkdir((dir / "ro").c_str(), 0555), 0);
    dir.MakeCurrent();  // so the folder goes back to the one before the test
    ASSERT_EQ(::chdir((dir / "ro").c_str()), 0);
    EXPECT_FALSE(WriteMessageBox("x\n"));
    ::chmod((dir / "ro").c_str(), 0755);
    JS_ERROR_CODE = 0;
}

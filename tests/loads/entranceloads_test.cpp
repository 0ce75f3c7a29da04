// Loads of the walls at an entrance: the wall adjacent to air and the door-frame
// wall with its door's line loads, and the answers their dialogs show.
#include "loads/entranceloads.h"

#include <gtest/gtest.h>

namespace {

EntranceInput Entrance(int engClass, int nuclearKind, int nuclearClass, int convKind, int convClass, float l,
                       int narrowPassage, int farSide = 0, int stairs = 0) {
    EntranceInput in;
    in.engClass = engClass;
    in.nuclearKind = nuclearKind;
    in.nuclearClass = nuclearClass;
    in.convKind = convKind;
    in.convClass = convClass;
    in.distance = l;
    in.narrowPassage = narrowPassage;
    in.farSide = farSide;
    in.stairs = stairs;
    return in;
}

constexpr const char* kAirWallNoConv = "这种情况下,常规武器爆炸作用查表,\n临空墙等效静荷载标准值:   规范未规定 !\n";
constexpr const char* kAirWallNoNuclear = "这种情况下,核武器爆炸作用查表,\n临空墙等效静荷载标准值:   规范未规定 !\n";

}  // namespace

TEST(EntranceKinds, ClassADerivesTheConventionalKindFromTheNuclearOne) {
    const int expected[kNuclearEntranceKinds] = {0, 0, 3, 1, 1, 2, 2};
    for (int kind = 0; kind < kNuclearEntranceKinds; ++kind) {
        EntranceInput a = Entrance(0, kind, 0, 2, 0, 5, 0);
        DeriveConvKind(a);
        EXPECT_EQ(a.convKind, expected[kind]) << kind;
        EntranceInput b = Entrance(1, kind, 0, 2, 0, 5, 0);
        DeriveConvKind(b);
        EXPECT_EQ(b.convKind, 2) << "乙类 keeps its own kind";
    }
}

TEST(AirWallLookUp, ConventionalByKindClassAndDistance) {
    struct Case {
        int kind, cls;
        float l;
        int farSide;
        float expected;
    };
    const Case cases[] = {
        {0, 0, 5, 0, 55},        {0, 1, 10, 0, 85},      {1, 0, 12.5f, 0, 150},  // between 160 and 140
        {2, 1, 7.5f, 0, 330},    {3, 0, 15, 0, 70},      {3, 1, 40, 0, 150},     // beyond 15 m: the 15 m value
        {1, 1, 4.99999f, 0, 390},                         // within a hair of 5 m
        {1, 0, 4.9f, 0, kNotTabulated},                   // nearer than 5 m
        {0, 0, 8, 1, 0},         {0, 1, 4, 1, kNotTabulated},  // far side: no load, but still only from 5 m
        {1, 0, 8, 1, 176},        // the far-side rule is the indoor entrance's only
        {4, 0, 5, 0, kNotTabulated}, {0, 2, 5, 0, kNotTabulated},
    };
    for (const Case& c : cases) {
        EntranceInput in = Entrance(1, 0, 0, c.kind, c.cls, c.l, 1, c.farSide);
        EXPECT_FLOAT_EQ(LookUpAirWallConventional(in), c.expected) << c.kind << " " << c.cls << " " << c.l;
    }
}

TEST(AirWallLookUp, NuclearByKindAndClassWithTheStairReduction) {
    struct Case {
        int kind, cls, stairs;
        float expected;
    };
    const Case cases[] = {
        {0, 0, 0, 65},   {0, 2, 0, 210},  {0, 3, 0, kNotTabulated}, {1, 4, 0, 800}, {2, 3, 0, 530},
        {3, 2, 0, 370},  {5, 4, 0, 1200}, {4, 2, 0, 320},           {6, 1, 0, 130},
        {2, 0, 1, 72},   {2, 1, 1, 117},  {2, 2, 1, 243},
        {2, 3, 1, 530},  // 核4B: no stair reduction
        {1, 0, 1, 80},   // the tick counts for the stair entrance only
        {7, 0, 0, kNotTabulated}, {0, 5, 0, kNotTabulated},
    };
    for (const Case& c : cases) {
        EntranceInput in = Entrance(0, c.kind, c.cls, 0, 0, 5, 0, 0, c.stairs);
        EXPECT_FLOAT_EQ(LookUpAirWallNuclear(in), c.expected) << c.kind << " " << c.cls << " " << c.stairs;
    }
}

TEST(AirWallAnswer, TextsOfTheCases) {
    struct Case {
        const char* what;
        EntranceInput in;
        std::string expected;
    };
    const std::string split = "\n----------------------------------\n以下为常规武器和核武器分别查表计算值：\n";
    const Case cases[] = {
        {"甲类, indoor, 核6B, 常6, wide passage", Entrance(0, 0, 0, 3, 0, 5, 0),
         "临空墙等效静荷载标准值:  65.0 (kN/m2)\n" + split +
             "*常规武器爆炸:\n  临空墙等效静荷载标准值:  49.5 (kN/m2)\n"
             "\n*核武器爆炸:\n  临空墙等效静荷载标准值:  65.0 (kN/m2)\n"},
        {"乙类, straight entrance, 12.5 m", Entrance(1, 0, 0, 1, 0, 12.5f, 1), "临空墙等效静荷载标准值:  150.0 (kN/m2)\n"},
        {"乙类 nearer than 5 m", Entrance(1, 0, 0, 1, 0, 4, 1), kAirWallNoConv},
        {"甲类 nearer than 5 m, 核4B indoor", Entrance(0, 0, 3, 0, 0, 4, 0),
         std::string(kAirWallNoConv) + kAirWallNoNuclear},
        {"甲类, 核4B indoor only", Entrance(0, 0, 3, 0, 0, 5, 0), kAirWallNoNuclear},
        {"乙类, indoor far inside", Entrance(1, 0, 0, 0, 0, 5, 0, 1), "临空墙等效静荷载标准值:  0.0 (kN/m2)\n"},
        {"甲类, stair entrance of two storeys, 核5", Entrance(0, 2, 2, 0, 0, 5, 1, 0, 1),
         "临空墙等效静荷载标准值:  243.0 (kN/m2)\n" + split +
             "*常规武器爆炸:\n  临空墙等效静荷载标准值:  110.0 (kN/m2)\n"
             "\n*核武器爆炸:\n  临空墙等效静荷载标准值:  243.0 (kN/m2)\n"},
        {"甲类, conventional larger", Entrance(0, 3, 0, 0, 1, 5, 1),
         "临空墙等效静荷载标准值:  390.0 (kN/m2)\n" + split +
             "*常规武器爆炸:\n  临空墙等效静荷载标准值:  390.0 (kN/m2)\n"
             "\n*核武器爆炸:\n  临空墙等效静荷载标准值:  90.0 (kN/m2)\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(AirWallAnswer(c.in), c.expected) << c.what;
}

TEST(DoorReaction, CoefficientsOverTheLeafsAspectRatio) {
    struct Case {
        float w, h;
        int doubleLeaf;
        bool found;
        float gammaA, gammaB;
    };
    const Case cases[] = {
        {1.5f, 2.7f, 0, true, 0.37f, 0.453333f},  // 0.556
        {1.1f, 2.2f, 1, true, 0.50f, 0.60f},      // 0.5
        {1.0f, 2.5f, 0, true, 0.37f, 0.48f},      // 0.4, the first point
        {3.0f, 2.0f, 1, true, 0.31f, 0.25f},      // 1.5, the last point
        {2.25f, 2.0f, 0, true, 0.325f, 0.315f},   // 1.125, between 1.0 and 1.25
        {0.75f, 2.7f, 1, false, 0, 0},            // 0.278
        {3.1f, 2.0f, 0, false, 0, 0},             // 1.55
    };
    for (const Case& c : cases) {
        float ga = -1, gb = -1;
        EXPECT_EQ(LookUpReaction(c.w, c.h, c.doubleLeaf, ga, gb), c.found) << c.w << "/" << c.h;
        if (!c.found) continue;
        EXPECT_NEAR(ga, c.gammaA, 1e-5) << c.w << "/" << c.h;
        EXPECT_NEAR(gb, c.gammaB, 1e-5) << c.w << "/" << c.h;
    }
}

TEST(DoorFrameLookUp, DirectLoadsByKindClassAndDistance) {
    struct Case {
        int engClass, nuclearKind, nuclearClass, convKind, convClass;
        float l;
        float conv, nuclear;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0, 5, 80, 120},       {0, 3, 2, 1, 1, 8, 514, 550},
        {0, 0, 3, 0, 0, 5, 80, kNotTabulated},
        {1, 0, 0, 0, 0, 20, 57.5f, 120},   {1, 0, 0, 3, 1, 12, 244, 120},
        {0, 2, 2, 3, 0, 10, 130, 400},     {0, 6, 4, 2, 0, 3, kNotTabulated, 1800},
    };
    for (const Case& c : cases) {
        EntranceInput in = Entrance(c.engClass, c.nuclearKind, c.nuclearClass, c.convKind, c.convClass, c.l, 1);
        EXPECT_FLOAT_EQ(LookUpDoorFrameConventional(in), c.conv) << c.convKind << " " << c.l;
        EXPECT_FLOAT_EQ(LookUpDoorFrameNuclear(in), c.nuclear) << c.nuclearKind << " " << c.nuclearClass;
    }
}

namespace {

DoorFrameInput Door(float a, float b, int doubleLeaf, EntranceInput entrance = {}) {
    DoorFrameInput in;
    static_cast<EntranceInput&>(in) = entrance;
    in.width = a;
    in.height = b;
    in.doubleLeaf = doubleLeaf;
    return in;
}

std::string DoorBlock(const char* direct, const char* qia, const char* qib) {
    return std::string("直接作用在门框墙等效静荷载标准值:  ") + direct + " (kN/m2)\n由门扇传来的等效静荷载标准值:\n      qia = " +
           qia + " (kN/m)\n      qib = " + qib + " (kN/m)\n";
}

const std::string kDoorSplit =
    "\n----------------------------------\n以下为常规武器和核武器分别查表计算值：\n----------------------------------\n";
const std::string kSingleNote = "\n[注:门扇尺寸的计算：宽=a＋0.2m；   高=b＋0.2m]";
const std::string kDoubleNote = "\n[注:门扇尺寸的计算：宽=a/2＋0.1m； 高=b＋0.2m]";
const std::string kNoReaction = "这种情况下,平板门反力系数查表, 规范未规定 !\n";

}  // namespace

TEST(DoorFrameAnswer, TextsOfTheCases) {
    struct Case {
        const char* what;
        DoorFrameInput in;
        std::string expected;
    };
    const Case cases[] = {
        {"defaults", DoorFrameInput{},
         DoorBlock("120.0", "66.6", "81.6") + kDoorSplit + "*常规武器爆炸:\n" + DoorBlock("72.0", "40.0", "49.0") +
             "\n*核武器爆炸:\n" + DoorBlock("120.0", "66.6", "81.6") + kSingleNote},
        {"defaults, double leaf", Door(1.3f, 2.5f, 1), kNoReaction},
        {"乙类 defaults", Door(1.3f, 2.5f, 0, Entrance(1, 0, 0, 0, 0, 5, 0)),
         DoorBlock("72.0", "40.0", "49.0") + kSingleNote},
        {"甲类 double 2 x 2, straight entrance, 核5, 常5, 8 m", Door(2, 2, 1, Entrance(0, 3, 2, 0, 1, 8, 1)),
         DoorBlock("550.0", "302.5", "363.0") + kDoorSplit + "*常规武器爆炸:\n" + DoorBlock("514.0", "282.7", "339.2") +
             "\n*核武器爆炸:\n" + DoorBlock("550.0", "302.5", "363.0") + kDoubleNote},
        {"every look-up fails, in order", Door(1.3f, 2.5f, 1, Entrance(0, 0, 3, 0, 0, 4, 0)),
         kNoReaction + "这种情况下,常规武器爆炸作用查表,\n直接作用在门框墙等效静荷载标准值:   规范未规定 !\n"
                       "这种情况下,核武器爆炸作用查表,\n直接作用在门框墙等效静荷载标准值:   规范未规定 !\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(DoorFrameAnswer(c.in), c.expected) << c.what;
}

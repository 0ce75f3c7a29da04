#pragma once
// Equivalent static loads of the walls at a shelter's entrance, from the tables of
// GB 50038-2005: the wall adjacent to air (临空墙) and the door-frame wall (门框墙)
// with the line loads its flat blast door passes on, and the answer texts of their
// dialogs. Loads in kN/m2 (line loads kN/m), lengths in m; kNotTabulated
// (any negative value) marks a case the code's table does not hold.
#include "loads/loadtable.h"

#include <string>

// Nuclear entrance kinds (position and form of the entrance), in list order.
inline constexpr int kNuclearEntranceKinds = 7;
inline constexpr const char* kNuclearEntranceNames[kNuclearEntranceKinds] = {
    "顶板荷载考虑上部建筑物影响的室内出入口",
    "顶板荷载不考虑上部建筑物影响的室内出入口",
    "室外竖井,楼梯,穿廊出入口",
    "室外直通出入口( 坡道< 30度)",
    "室外直通出入口( 坡道>= 30度)",
    "室外单向出入口( 坡道< 30度)",
    "室外单向出入口( 坡道>= 30度)",
};
// Conventional entrance kinds, in list order.
inline constexpr int kConvEntranceKinds = 4;
inline constexpr const char* kConvEntranceNames[kConvEntranceKinds] = {
    "室内出入口", "室外直通出入口", "室外单向出入口", "室外竖井,楼梯,穿廊出入口",
};

// What both walls are looked up by.
struct EntranceInput {
    int nuclearKind = 0;   // index into kNuclearEntranceNames
    int convKind = 0;      // index into kConvEntranceNames (乙类; 甲类 derives it)
    int nuclearClass = 0;  // 0 核6B … 4 核4
    int convClass = 0;     // 0 常6, 1 常5
    int engClass = 0;      // 0 甲类, 1 乙类
    float distance = 5.0f; // L, to the outdoor entrance
    int narrowPassage = 0; // width of the outdoor passage: 0 " >3", 1 "<=3"
    int farSide = 0;       // indoor entrance's side wall to the exterior wall: 0 "<=5", 1 " >5"
    int stairs = 0;        // outdoor stair entrance of two or more storeys
};

struct DoorFrameInput : EntranceInput {
    float width = 1.3f;   // door opening a
    float height = 2.5f;  // door opening b
    int doubleLeaf = 0;   // 0 single flat door, 1 double
};

// The conventional entrance kind that goes with a nuclear one.
int ConvKindOfNuclear(int nuclearKind);
// For 甲类 the conventional kind follows the nuclear one; 乙类 keeps its own.
void DeriveConvKind(EntranceInput& in);

float LookUpAirWallConventional(const EntranceInput& in);
float LookUpAirWallNuclear(const EntranceInput& in);
float LookUpDoorFrameConventional(const EntranceInput& in);
float LookUpDoorFrameNuclear(const EntranceInput& in);

// The door leaf: a double leaf is half the opening wide; each leaf laps the
// opening by 0.1 m a side.
float DoorLeafWidth(const DoorFrameInput& in);
float DoorLeafHeight(const DoorFrameInput& in);
// Reaction coefficients γa, γb of a flat door (table "平板门反力系数") for a leaf
// w by h; false when w/h lies outside 0.4 … 1.5.
bool LookUpReaction(float w, float h, int doubleLeaf, float& gammaA, float& gammaB);

// The answers as the dialogs show them.
std::string AirWallAnswer(const EntranceInput& in);
std::string DoorFrameAnswer(const DoorFrameInput& in);

#pragma once
// Equivalent static loads of a basement's roof, floor and exterior wall looked up
// in the tables of GB 50038-2005, and the answer texts the look-up pages show.
//
// Loads in kN/m2, depths and spans in m. A look-up yields one value or a range
// (lower, upper); kNotTabulated marks a case the code's table does not hold.
// Callers take a value as that marker when it is below -1 (roof), -2 (the wall's
// answer line) or 0 (the wall's detail blocks): an upper-building factor applied
// to the marker keeps it negative.
#include <string>

inline constexpr float kNotTabulated = -10.0f;

// The file the answers are written to, in the current folder.
inline constexpr const char* kMessageBoxFile = "Message.Box";

// Nuclear class: 0 核6B, 1 核6, 2 核5, 3 核4B, 4 核4.
// Conventional class: 0 常6, 1 常5.
// Engineering class: 0 甲类 (nuclear and conventional), 1 乙类 (conventional only).

struct RoofTableInput {
    int upperNuclear = 0;  // the building above counts for the nuclear load
    int nuclearClass = 0;
    float cover = 1.2f;    // soil cover h
    float span = 6.0f;     // largest short clear span L0 of a roof panel
    int convClass = 0;
    int engClass = 0;
    int upperConv = 0;     // the building above counts for the conventional load
};

struct FloorTableInput {
    int nuclearClass = 0;
    float cover = 1.2f;   // soil cover of the roof h
    float span = 6.0f;    // short clear span of the roof L0
    int belowWater = 0;   // 0 above the groundwater table, 1 below it
};

// Soil kinds of the wall table, in list order.
inline constexpr int kSoilKinds = 11;
inline constexpr const char* kSoilNames[kSoilKinds] = {
    "碎石土", "砂土(粗砂中砂)", "砂土(细砂粉砂)", "粉土", "粘性土(坚硬，硬塑)", "粘性土(可塑)",
    "粘性土(软塑，流塑)", "老粘性土", "红粘土", "湿陷性黄土", "淤泥质土",
};

struct WallTableInput {
    int saturated = 0;
    int nuclearClass = 0;
    int soil = 0;          // index into kSoilNames
    int material = 1;      // 0 砖砌体 (brick), 1 钢筋混凝土
    float airContent = 0.1f;  // %, saturated soil only
    int upperNuclear = 0;
    int engClass = 0;
    int convClass = 0;
    float depth = 1.0f;    // depth of the roof's top face h
};

// Roof, nuclear: qe1 (甲类 only).
float LookUpQe1(const RoofTableInput& in);
// Roof, conventional: qce1 as a range.
void LookUpQce1(const RoofTableInput& in, float& lower, float& upper);
// Floor, nuclear: qe3; above the water table lower == upper.
void LookUpQe3(const FloorTableInput& in, float& lower, float& upper);
// Exterior wall, nuclear qe2 and conventional qce2, as ranges.
void LookUpQe2(const WallTableInput& in, float& lower, float& upper);
void LookUpQce2(const WallTableInput& in, float& lower, float& upper);

// The answer texts, as the pages show them.
std::string RoofTableAnswer(const RoofTableInput& in);
std::string FloorTableAnswer(const FloorTableInput& in);
std::string WallTableAnswer(const WallTableInput& in);
// The wall's conventional and nuclear blocks of the answer.
std::string WriteQce2Detail(const WallTableInput& in, float lower, float upper);
std::string WriteQe2Detail(const WallTableInput& in, float lower, float upper);

// Replaces "Message.Box" in the current folder with `text` (GBK on disk). False
// when the file could not be written; the failure is on the message channel.
bool WriteMessageBox(const std::string& text);

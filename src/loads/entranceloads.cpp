#include "loads/entranceloads.h"

#include "base/interp.h"
#include "base/textio.h"

#include <algorithm>

namespace {

constexpr float NT = kNotTabulated;

// Conventional loads by entrance kind and class at L = 5, 10 and 15 m.
using ConvTable = float[kConvEntranceKinds][2][3];
constexpr ConvTable kAirWallConv = {
    {{55, 45, 35}, {105, 85, 75}},
    {{200, 160, 140}, {390, 320, 280}},
    {{180, 150, 130}, {360, 300, 260}},
    {{110, 90, 70}, {210, 170, 150}},
};
constexpr ConvTable kDoorFrameConv = {
    {{80, 65, 57.5f}, {160, 130, 110}},
    {{290, 240, 210}, {580, 470, 400}},
    {{270, 220, 190}, {530, 430, 370}},
    {{160, 130, 115}, {320, 260, 220}},
};

// Nuclear loads by entrance kind and class 核6B … 核4.
using NuclearTable = float[kNuclearEntranceKinds][5];
constexpr NuclearTable kAirWallNuclear = {
    {65, 110, 210, NT, NT},
    {80, 130, 270, 530, 800},
    {80, 130, 270, 530, 800},
    {90, 160, 370, 800, 1200},
    {80, 130, 320, 800, 1200},
    {90, 160, 370, 800, 1200},
    {80, 130, 320, 800, 1200},
};
constexpr NuclearTable kDoorFrameNuclear = {
    {120, 200, 380, NT, NT},
    {120, 200, 400, 800, 1200},
    {120, 200, 400, 800, 1200},
    {135, 240, 550, 1200, 1800},
    {120, 200, 480, 1200, 1800},
    {135, 240, 550, 1200, 1800},
    {120, 200, 480, 1200, 1800},
};

float LookUpConventional(const ConvTable& table, const EntranceInput& in) {
    if (in.convKind < 0 || in.convKind >= kConvEntranceKinds || in.convClass < 0 || in.convClass > 1) return NT;
    if (in.distance < 4.99999f) return NT;
    // An indoor entrance far enough inside the exterior wall takes no conventional load.
    if (in.convKind == 0 && in.farSide == 1) return 0;
    const float* values = table[in.convKind][in.convClass];
    if (in.distance > 14.9999f) return values[2];
    static constexpr float kDistances[3] = {5, 10, 15};
    return liner_inter(kDistances, values, 3, in.distance);
}

float LookUpNuclear(const NuclearTable& table, const EntranceInput& in) {
    if (in.nuclearKind < 0 || in.nuclearKind >= kNuclearEntranceKinds || in.nuclearClass < 0 || in.nuclearClass > 4)
        return NT;
    float q = table[in.nuclearKind][in.nuclearClass];
    // A stair of two or more storeys shields the wall somewhat.
    if (q >= 0 && in.stairs && in.nuclearKind == 2 && in.nuclearClass <= 2) q *= 0.9f;
    return q;
}

// The conventional value with the wide-passage reduction.
float PassageConventional(float c, const EntranceInput& in) {
    return (c >= 0 && in.narrowPassage == 0) ? c * 0.9f : c;
}

constexpr const char* kSeparator = "\n----------------------------------\n";
constexpr const char* kBothWeapons = "以下为常规武器和核武器分别查表计算值：\n";

}  // namespace

int ConvKindOfNuclear(int nuclearKind) {
    switch (nuclearKind) {
    case 0:
    case 1: return 0;
    case 3:
    case 4: return 1;
    case 5:
    case 6: return 2;
    case 2: return 3;
    default: return -1;
    }
}

void DeriveConvKind(EntranceInput& in) {
    if (in.engClass == 0) in.convKind = ConvKindOfNuclear(in.nuclearKind);
}

float LookUpAirWallConventional(const EntranceInput& in) { return LookUpConventional(kAirWallConv, in); }
float LookUpAirWallNuclear(const EntranceInput& in) { return LookUpNuclear(kAirWallNuclear, in); }
float LookUpDoorFrameConventional(const EntranceInput& in) { return LookUpConventional(kDoorFrameConv, in); }
float LookUpDoorFrameNuclear(const EntranceInput& in) { return LookUpNuclear(kDoorFrameNuclear, in); }

float DoorLeafWidth(const DoorFrameInput& in) {
    return in.doubleLeaf ? in.width / 2 + 0.1f : in.width + 0.2f;
}

float DoorLeafHeight(const DoorFrameInput& in) { return in.height + 0.2f; }

bool LookUpReaction(float w, float h, int doubleLeaf, float& gammaA, float& gammaB) {
    static constexpr float kRatios[9] = {0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f, 1.25f, 1.5f};
    static constexpr float kGamma[2][2][9] = {
        {{0.37f, 0.37f, 0.37f, 0.36f, 0.36f, 0.35f, 0.34f, 0.31f, 0.28f},
         {0.48f, 0.47f, 0.44f, 0.42f, 0.39f, 0.36f, 0.34f, 0.29f, 0.24f}},
        {{0.51f, 0.50f, 0.48f, 0.47f, 0.44f, 0.42f, 0.40f, 0.35f, 0.31f},
         {0.65f, 0.60f, 0.54f, 0.49f, 0.44f, 0.40f, 0.36f, 0.30f, 0.25f}},
    };
    if (!(h > 0)) return false;
    float ratio = w / h;
    if (!(ratio > 0.399999f && ratio < 1.500001f)) return false;
    const int leaf = doubleLeaf ? 1 : 0;
    gammaA = liner_inter(kRatios, kGamma[leaf][0], 9, ratio);
    gammaB = liner_inter(kRatios, kGamma[leaf][1], 9, ratio);
    return true;
}

std::string AirWallAnswer(const EntranceInput& given) {
    EntranceInput in = given;
    DeriveConvKind(in);
    std::string s;
    float c = PassageConventional(LookUpAirWallConventional(in), in);
    if (c < 0) s += "这种情况下,常规武器爆炸作用查表,\n临空墙等效静荷载标准值:   规范未规定 !\n";
    float n = 0;
    if (in.engClass == 0) {
        n = LookUpAirWallNuclear(in);
        if (n < 0) s += "这种情况下,核武器爆炸作用查表,\n临空墙等效静荷载标准值:   规范未规定 !\n";
    }
    if (c < 0 || n < 0) return s;
    s += sprintf_gbk("临空墙等效静荷载标准值:  %.1f (kN/m2)\n", std::max(c, n));
    if (in.engClass == 0) {
        s += kSeparator;
        s += kBothWeapons;
        s += sprintf_gbk("*常规武器爆炸:\n  临空墙等效静荷载标准值:  %.1f (kN/m2)\n", c);
        s += sprintf_gbk("\n*核武器爆炸:\n  临空墙等效静荷载标准值:  %.1f (kN/m2)\n", n);
    }
    return s;
}

namespace {

// The direct load and the two line loads from the leaf for one load q (or the
// larger of two).
std::string DoorFrameLines(float direct, float qia, float qib) {
    return sprintf_gbk("直接作用在门框墙等效静荷载标准值:  %.1f (kN/m2)\n"
                       "由门扇传来的等效静荷载标准值:\n"
                       "      qia = %.1f (kN/m)\n"
                       "      qib = %.1f (kN/m)\n",
                       direct, qia, qib);
}

}  // namespace

std::string DoorFrameAnswer(const DoorFrameInput& given) {
    DoorFrameInput in = given;
    DeriveConvKind(in);
    std::string s;
    const float w = DoorLeafWidth(in);
    const float h = DoorLeafHeight(in);
    float ga = 0, gb = 0;
    const bool reaction = LookUpReaction(w, h, in.doubleLeaf, ga, gb);
    if (!reaction) s += "这种情况下,平板门反力系数查表, 规范未规定 !\n";
    float c = PassageConventional(LookUpDoorFrameConventional(in), in);
    if (c < 0) s += "这种情况下,常规武器爆炸作用查表,\n直接作用在门框墙等效静荷载标准值:   规范未规定 !\n";
    float n = 0;
    if (in.engClass == 0) {
        n = LookUpDoorFrameNuclear(in);
        if (n < 0) s += "这种情况下,核武器爆炸作用查表,\n直接作用在门框墙等效静荷载标准值:   规范未规定 !\n";
    }
    if (!reaction || c < 0 || n < 0) return s;
    // Both line loads run along the leaf's width; its height only sets the ratio.
    s += DoorFrameLines(std::max(c, n), std::max(c * ga * w, n * ga * w), std::max(c * gb * w, n * gb * w));
    if (in.engClass == 0) {
        s += kSeparator;
        s += kBothWeapons;
        s += "----------------------------------\n";
        s += "*常规武器爆炸:\n";
        s += DoorFrameLines(c, c * ga * w, c * gb * w);
        s += "\n*核武器爆炸:\n";
        s += DoorFrameLines(n, n * ga * w, n * gb * w);
    }
    s += in.doubleLeaf ? "\n[注:门扇尺寸的计算：宽=a/2＋0.1m； 高=b＋0.2m]" : "\n[注:门扇尺寸的计算：宽=a＋0.2m；   高=b＋0.2m]";
    return s;
}

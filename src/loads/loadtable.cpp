#include "loads/loadtable.h"

#include "base/error.h"
#include "base/interp.h"
#include "base/textio.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace {

constexpr float NT = kNotTabulated;

struct Range {
    float lower, upper;
};
constexpr Range kNoRange{NT, NT};

void Append(std::string& s, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Append(std::string& s, const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    s += buffer;
}

bool IsNuclearClass(int c) { return c >= 0 && c <= 4; }
bool IsConvClass(int c) { return c == 0 || c == 1; }

// ---- roof and floor, nuclear: bands of the cover h and the span L0 ----------

// 0: h <= 0.5, 1: h <= 1.0, 2: h <= 1.5; -1 deeper.
int CoverBand(float h) {
    if (h <= 0.5f) return 0;
    if (h <= 1.0f) return 1;
    if (h <= 1.5f) return 2;
    return -1;
}

// 0: 3 <= L0 <= 4.5, 1: <= 6, 2: <= 7.5, 3: <= 9; -1 outside 3 ... 9.
int SpanBand(float l0) {
    if (l0 < 3.0f || l0 > 9.0f) return -1;
    if (l0 <= 4.5f) return 0;
    if (l0 <= 6.0f) return 1;
    if (l0 <= 7.5f) return 2;
    return 3;
}

// Roof qe1 by cover band, span band and class: without / with the building above
// (核4B and 核4 do not count it). The shallowest band does not depend on the span.
constexpr float kRoofQe1[3][4][5][2] = {
    {{{40, 35}, {60, 55}, {120, 100}, {240, 240}, {360, 360}},
     {{40, 35}, {60, 55}, {120, 100}, {240, 240}, {360, 360}},
     {{40, 35}, {60, 55}, {120, 100}, {240, 240}, {360, 360}},
     {{40, 35}, {60, 55}, {120, 100}, {240, 240}, {360, 360}}},
    {{{45, 40}, {70, 65}, {140, 120}, {310, 310}, {460, 460}},
     {{45, 40}, {70, 60}, {135, 115}, {285, 285}, {425, 425}},
     {{45, 40}, {65, 60}, {130, 110}, {275, 275}, {410, 410}},
     {{45, 40}, {65, 60}, {130, 110}, {265, 265}, {400, 400}}},
    {{{50, 45}, {75, 70}, {145, 135}, {320, 320}, {480, 480}},
     {{45, 40}, {70, 65}, {135, 120}, {300, 300}, {450, 450}},
     {{40, 35}, {70, 60}, {135, 115}, {290, 290}, {430, 430}},
     {{40, 35}, {70, 60}, {130, 115}, {280, 280}, {415, 415}}},
};

// Floor qe3 by cover band, span band and class: above the groundwater table, then
// the range below it.
struct FloorCell {
    float above, belowLower, belowUpper;
};
constexpr FloorCell kFloorQe3[3][4][5] = {
    {{{30, 30, 35}, {40, 40, 50}, {75, 75, 95}, {140, 160, 200}, {210, 240, 300}},
     {{30, 30, 35}, {40, 40, 50}, {75, 75, 95}, {140, 160, 200}, {210, 240, 300}},
     {{30, 30, 35}, {40, 40, 50}, {75, 75, 95}, {140, 160, 200}, {210, 240, 300}},
     {{30, 30, 35}, {40, 40, 50}, {75, 75, 95}, {140, 160, 200}, {210, 240, 300}}},
    {{{30, 35, 40}, {50, 50, 60}, {90, 90, 115}, {190, 215, 270}, {280, 320, 400}},
     {{30, 30, 35}, {45, 45, 55}, {85, 85, 110}, {170, 195, 245}, {255, 290, 365}},
     {{30, 30, 35}, {45, 45, 55}, {85, 85, 105}, {160, 185, 230}, {245, 280, 350}},
     {{30, 30, 35}, {45, 45, 55}, {80, 80, 100}, {155, 180, 225}, {235, 265, 335}}},
    {{{35, 35, 45}, {55, 55, 70}, {105, 105, 130}, {205, 235, 295}, {305, 350, 440}},
     {{30, 30, 40}, {50, 50, 60}, {90, 90, 115}, {190, 215, 270}, {280, 320, 400}},
     {{30, 30, 35}, {45, 45, 60}, {90, 90, 110}, {175, 200, 250}, {260, 300, 375}},
     {{30, 30, 35}, {45, 45, 55}, {85, 85, 105}, {165, 190, 240}, {250, 285, 355}}},
};

// ---- roof, conventional --------------------------------------------------

// Roof qce1 by cover band and class: without / with the building above (0.8 times).
constexpr Range kRoofQce1[5][2][2] = {
    {{{40, 50}, {32, 40}}, {{90, 110}, {72, 88}}},
    {{{30, 40}, {24, 32}}, {{70, 90}, {56, 72}}},
    {{{15, 30}, {12, 24}}, {{50, 70}, {40, 56}}},
    {{kNoRange, kNoRange}, {{30, 50}, {24, 40}}},
    {{kNoRange, kNoRange}, {{15, 30}, {12, 24}}},
};

// The bands overlap by a hair: the first that holds h wins.
int RoofConvBand(float h) {
    if (h > -0.00001 && h < 0.50001) return 0;
    if (h > 0.5 && h < 1.00001) return 1;
    if (h > 1.0 && h < 1.50001) return 2;
    if (h > 1.5 && h < 2.00001) return 3;
    if (h > 2.0 && h < 2.50001) return 4;
    return -1;
}

// ---- exterior wall, nuclear ----------------------------------------------

// Unsaturated soil by soil kind: 核6B brick, 核6B RC, 核6 brick, 核6 RC, 核5 brick,
// 核5 RC, 核4B RC, 核4 RC.
constexpr Range kWallQe2Dry[kSoilKinds][8] = {
    {{10, 15}, {5, 10}, {15, 25}, {10, 15}, {30, 50}, {20, 35}, {40, 65}, {55, 90}},
    {{10, 20}, {10, 15}, {25, 35}, {15, 25}, {50, 70}, {35, 45}, {65, 90}, {90, 125}},
    {{10, 15}, {10, 15}, {25, 30}, {15, 20}, {40, 60}, {30, 40}, {55, 75}, {80, 110}},
    {{10, 20}, {10, 15}, {30, 40}, {20, 25}, {55, 65}, {35, 50}, {70, 90}, {100, 130}},
    {{10, 15}, {5, 15}, {20, 35}, {10, 25}, {30, 60}, {25, 45}, {40, 85}, {60, 125}},
    {{15, 25}, {15, 25}, {35, 55}, {25, 40}, {60, 100}, {45, 75}, {85, 145}, {125, 215}},
    {{25, 35}, {25, 30}, {55, 60}, {40, 45}, {100, 105}, {75, 85}, {145, 165}, {215, 240}},
    {{10, 25}, {10, 15}, {20, 40}, {15, 25}, {40, 80}, {25, 50}, {50, 100}, {65, 125}},
    {{20, 30}, {10, 20}, {30, 45}, {15, 30}, {45, 90}, {35, 50}, {60, 100}, {90, 140}},
    {{10, 15}, {10, 15}, {15, 30}, {10, 25}, {30, 65}, {25, 45}, {40, 85}, {60, 120}},
    {{30, 35}, {25, 30}, {50, 55}, {40, 45}, {90, 100}, {70, 80}, {140, 160}, {210, 240}},
};

// Saturated soil, reinforced concrete only: gravel and sands, then the other soils
// (湿陷性黄土 is not tabulated).
constexpr Range kWallQe2Wet[2][5] = {
    {{30, 35}, {45, 55}, {80, 105}, {185, 240}, {280, 360}},
    {{30, 35}, {45, 60}, {80, 115}, {185, 265}, {280, 400}},
};
constexpr int kLoess = 9;

// The building above raises the wall load; 核4 takes no factor.
constexpr float kWallUpperFactor[5] = {1.1f, 1.1f, 1.2f, 1.25f, 1.0f};

// ---- exterior wall, conventional --------------------------------------------

int WallConvBand(float h) {
    if (h > -0.0001 && h < 1.500001) return 0;
    if (h > 1.5 && h < 3.000001) return 1;
    return -1;
}

// Saturated soil by band and class, at 1 % air content and at 0.05 % and below.
constexpr Range kWallQce2WetAt1[2][2] = {{{30, 50}, {80, 100}}, {{25, 30}, {60, 80}}};
constexpr Range kWallQce2WetAt005[2][2] = {{{50, 70}, {100, 140}}, {{30, 50}, {80, 100}}};

// Unsaturated soil by soil group: band 1 常6 brick, 常6 RC, 常5 brick, 常5 RC;
// band 2 (reinforced concrete only) 常6, 常5.
constexpr Range kWallQce2Dry[7][6] = {
    {{25, 45}, {20, 30}, {60, 85}, {40, 70}, {15, 20}, {30, 40}},  // 碎石土, 砂土(粗砂中砂)
    {{20, 35}, {15, 25}, {50, 70}, {35, 55}, {10, 15}, {25, 35}},  // 砂土(细砂粉砂)
    {{20, 40}, {15, 30}, {55, 70}, {40, 60}, {10, 15}, {25, 40}},  // 粉土
    {{25, 35}, {15, 20}, {50, 70}, {35, 55}, {10, 15}, {25, 35}},  // 粘性土, 红粘土
    {{25, 40}, {15, 30}, {60, 80}, {40, 65}, {10, 15}, {25, 40}},  // 老粘性土
    {{20, 35}, {15, 25}, {50, 70}, {35, 55}, {10, 15}, {20, 35}},  // 湿陷性黄土
    {{15, 25}, {10, 15}, {40, 50}, {25, 35}, {5, 10}, {15, 25}},   // 淤泥质土
};
constexpr int kDrySoilGroup[kSoilKinds] = {0, 0, 1, 2, 3, 3, 3, 4, 3, 5, 6};

// ---- texts ---------------------------------------------------------------

constexpr const char* kRule = "----------------------------------\n";
constexpr const char* kUseFormula = "这种情况规范未规定,请用公式计算 !";
constexpr const char* kWallUseFormula = "这种情况土中外墙等效静荷载标准值qe2规范未规定,请用公式计算 !\n";

void AppendSeparateHeading(std::string& s) {
    s += "\n";
    s += kRule;
    s += "以下为常规武器和核武器分别查表值：\n";
    s += kRule;
    s += "*常规武器爆炸：\n";
}

const char* SoilWord(const WallTableInput& in) { return in.saturated ? "饱和土" : "非饱和土"; }

}  // namespace

// ---- look-ups ------------------------------------------------------------

float LookUpQe1(const RoofTableInput& in) {
    int hBand = CoverBand(in.cover);
    int lBand = SpanBand(in.span);
    if (hBand < 0 || lBand < 0 || !IsNuclearClass(in.nuclearClass)) return NT;
    return kRoofQe1[hBand][lBand][in.nuclearClass][in.upperNuclear ? 1 : 0];
}

void LookUpQce1(const RoofTableInput& in, float& lower, float& upper) {
    lower = upper = NT;
    int band = RoofConvBand(in.cover);
    if (band < 0 || !IsConvClass(in.convClass)) return;
    Range r = kRoofQce1[band][in.convClass][in.upperConv ? 1 : 0];
    lower = r.lower;
    upper = r.upper;
}

void LookUpQe3(const FloorTableInput& in, float& lower, float& upper) {
    lower = upper = NT;
    int hBand = CoverBand(in.cover);
    int lBand = SpanBand(in.span);
    if (hBand < 0 || lBand < 0 || !IsNuclearClass(in.nuclearClass)) return;
    const FloorCell& cell = kFloorQe3[hBand][lBand][in.nuclearClass];
    if (in.belowWater) {
        lower = cell.belowLower;
        upper = cell.belowUpper;
    } else {
        lower = upper = cell.above;
    }
}

void LookUpQe2(const WallTableInput& in, float& lower, float& upper) {
    lower = upper = NT;
    if (!IsNuclearClass(in.nuclearClass) || in.soil < 0 || in.soil >= kSoilKinds) return;
    bool brick = in.material == 0;
    if (in.saturated) {
        if (!brick && in.soil != kLoess) {
            Range r = kWallQe2Wet[in.soil <= 2 ? 0 : 1][in.nuclearClass];
            lower = r.lower;
            upper = r.upper;
        }
    } else {
        // Brick walls are tabulated for 核6B, 核6 and 核5 only.
        int column = in.nuclearClass < 3 ? 2 * in.nuclearClass + (brick ? 0 : 1) : (brick ? -1 : in.nuclearClass + 3);
        if (column >= 0) {
            lower = kWallQe2Dry[in.soil][column].lower;
            upper = kWallQe2Dry[in.soil][column].upper;
        }
    }
    if (in.upperNuclear) {
        // Applied to the marker too: it stays negative.
        lower *= kWallUpperFactor[in.nuclearClass];
        upper *= kWallUpperFactor[in.nuclearClass];
    }
}

void LookUpQce2(const WallTableInput& in, float& lower, float& upper) {
    lower = upper = NT;
    int band = WallConvBand(in.depth);
    if (band < 0 || !IsConvClass(in.convClass)) return;
    if (in.saturated && in.airContent < 1.00001) {
        // Between 0.05 % and 1 % air the range is interpolated.
        Range at1 = kWallQce2WetAt1[band][in.convClass];
        Range at005 = kWallQce2WetAt005[band][in.convClass];
        if (in.airContent > 0.99999) {
            lower = at1.lower;
            upper = at1.upper;
        } else if (in.airContent < 0.050001) {
            lower = at005.lower;
            upper = at005.upper;
        } else {
            const float xs[2] = {1.0f, 0.05f};
            const float lowers[2] = {at1.lower, at005.lower};
            const float uppers[2] = {at1.upper, at005.upper};
            lower = liner_inter(xs, lowers, 2, in.airContent);
            upper = liner_inter(xs, uppers, 2, in.airContent);
        }
        return;
    }
    if (in.soil < 0 || in.soil >= kSoilKinds || (in.material != 0 && in.material != 1)) return;
    const Range* row = kWallQce2Dry[kDrySoilGroup[in.soil]];
    Range r = kNoRange;
    if (band == 0)
        r = row[2 * in.convClass + in.material];
    else if (in.material == 1)
        r = row[4 + in.convClass];
    lower = r.lower;
    upper = r.upper;
}

// ---- answers ---------------------------------------------------------------

std::string RoofTableAnswer(const RoofTableInput& in) {
    bool classB = in.engClass == 1;
    float q = classB ? 0.0f : LookUpQe1(in);
    float lo = NT, hi = NT;
    LookUpQce1(in, lo, hi);

    std::string s;
    if (q >= -1 && hi >= -1) {
        float lower = q, upper = q;
        if (q <= hi) {
            lower = std::max(q, lo);
            upper = hi;
        }
        if (upper - lower > 0.001)
            Append(s, "顶板等效静荷载标准值 qe1:  %.1f - %.1f (kN/m2)\n", lower, upper);
        else
            Append(s, "顶板等效静荷载标准值 qe1:  %.1f (kN/m2)\n", upper);
    } else {
        // 甲类 needs both tables: a missing one sends the engineer to the formulas.
        s += classB ? "这种情况可不计影响.\n" : std::string(kUseFormula) + "\n";
    }
    if (classB) {
        s += "注意:   假定顶板为钢筋混凝土结构，允许延性比 = 4.0 ";
        return s;
    }
    AppendSeparateHeading(s);
    s += "注意:   假定顶板为钢筋混凝土结构，允许延性比 = 4.0    \n";
    if (hi >= -1)
        Append(s, "顶板等效静荷载标准值 qce1:  %.1f - %.1f (kN/m2)\n", lo, hi);
    else
        s += "这种情况可不计影响\n";
    s += "\n*核武器爆炸：\n";
    s += "注意:   假定顶板为钢筋混凝土结构，允许延性比 = 3.0    \n";
    if (q >= -1)
        Append(s, "顶板等效静荷载标准值 qe1:  %.1f (kN/m2)", q);
    else
        s += kUseFormula;
    return s;
}

std::string FloorTableAnswer(const FloorTableInput& in) {
    float lower = NT, upper = NT;
    LookUpQe3(in, lower, upper);
    if (lower < -1) return std::string(kUseFormula) + "\n";
    std::string s;
    if (in.belowWater)
        Append(s, "底板等效静荷载标准值qe3:  %.1f -- %.1f(kN/m2)\n", lower, upper);
    else
        Append(s, "底板等效静荷载标准值qe3:  %.1f (kN/m2)\n", upper);
    if (in.nuclearClass == 2) {
        s += "\n注意:\n";
        s += "    **.核5级防空地下室底板的等效静荷载标准值\n";
        s += "       按计入上部建筑物影响计算,不计入上部建筑物影响\n";
        s += "       时,可按上述数值除以0.95后采用.\n";
    }
    if (in.belowWater) s += "    **.位于地下水位以下的底板，含气量α1≤0.1%时取大值。\n";
    return s;
}

std::string WriteQce2Detail(const WallTableInput& in, float lower, float upper) {
    std::string s;
    if (lower < 0)
        s += kWallUseFormula;
    else
        Append(s, "%s中外墙等效静荷载标准值qce2(kN/m2):  %.1f - %.1f\n", SoilWord(in), lower, upper);
    if (in.convClass == 0) s += "超出地面外墙等效静荷载标准值qce2'(kN/m2):  180.0\n";
    if (in.convClass == 1) s += "超出地面外墙等效静荷载标准值qce2'(kN/m2):  400.0\n";
    s += "注意:\n";
    if (in.saturated) {
        s += "    1.规范表中数值按外墙计算高度 <= 5m,允许延性比取3.0确定;\n";
        s += "    2.当含气量 > 1%时,按非饱和土取值;\n";
        s += "      当0.05% < 含气量 < 1%时,按线性内插法确定.\n";
    } else {
        s += "    1.规范表内砖砌体数值系按防空地下室净高 <= 3m,开间 <= 5.4m;\n";
        s += "      钢筋砼外墙数值系按计算高度 <= 5m计算确定;\n";
        s += "    2.砖砌体按弹性工作阶段计算,钢筋砼外墙按弹塑性工作阶段计算，\n";
        s += "      允许延性比取3.0;\n";
    }
    s += "    3.顶板埋置深度h为小值时，qce2取大值;\n";
    return s;
}

std::string WriteQe2Detail(const WallTableInput& in, float lower, float upper) {
    std::string s;
    if (lower < 0)
        s += kWallUseFormula;
    else
        Append(s, "%s中外墙等效静荷载标准值qe2(kN/m2):  %.1f - %.1f\n", SoilWord(in), lower, upper);
    if (in.nuclearClass == 0) s += "超出地面外墙等效静荷载标准值qe2'(kN/m2):  80.0\n";
    if (in.nuclearClass == 1) s += "超出地面外墙等效静荷载标准值qe2'(kN/m2):  130.0\n";
    s += "注意:\n";
    if (in.saturated) {
        s += "    1.规范表中数值按外墙计算高度 <= 5m,允许延性比取2.0确定;\n";
        s += "    2.含气量 <= 0.1%时取大值\n";
    } else {
        s += "    1.规范表内砖砌体数值系按防空地下室净高 <= 3m,开间 <= 5.4m;\n";
        s += "      钢筋砼墙数值系按计算高度 <= 5m计算确定;\n";
        s += "    2.砖砌体按弹性工作阶段计算,钢筋砼墙按弹塑性工作阶段计算，\n";
        s += "      允许延性比取2.0;\n";
        s += "    3.碎石土及砂土，密实. 颗粒粗的取小值;\n";
        s += "      粘性土，液性指数低的取小值\n";
    }
    return s;
}

std::string WallTableAnswer(const WallTableInput& in) {
    float clo = NT, chi = NT;
    LookUpQce2(in, clo, chi);
    if (in.engClass == 1) return WriteQce2Detail(in, clo, chi);

    float nlo = NT, nhi = NT;
    LookUpQe2(in, nlo, nhi);
    std::string s;
    if (clo < -2 || nlo < -2)
        s += kWallUseFormula;
    else
        Append(s, "%s中外墙等效静荷载标准值qe2(kN/m2):  %.1f - %.1f\n", SoilWord(in), std::max(clo, nlo),
               std::max(chi, nhi));
    if (in.convClass == 0) s += "超出地面外墙等效静荷载标准值qe2'(kN/m2):  180.0\n";
    if (in.convClass == 1) s += "超出地面外墙等效静荷载标准值qe2'(kN/m2):  400.0\n";
    AppendSeparateHeading(s);
    s += WriteQce2Detail(in, clo, chi);
    s += "\n*核规武器爆炸：\n";
    s += WriteQe2Detail(in, nlo, nhi);
    return s;
}

bool WriteMessageBox(const std::string& text) {
    std::FILE* fp = open_file(kMessageBoxFile, "wt");
    if (!fp) return false;
    // Only a whole answer replaces the last one.
    if (std::fputs(text.c_str(), fp) < 0) {
        close_file(fp);
    } else if (commit_file(fp) == 0) {
        return true;
    }
    tell_error1(kv::err::kDataError, "不能写入文件 : %s", kMessageBoxFile);
    return false;
}

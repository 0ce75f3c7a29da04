#pragma once
// What the second door-frame wall's calculation finds for its four sides (左,
// 右, 上, 下): the forces at the root of each cantilever, the section check, the
// required areas and the chosen bars. Kept in the result file, which carries the
// data file's marker "Mkq_V10": the two are told apart only by where they are
// opened, and by the values their lines hold.
#include <cstdio>

#include "base/jsdata.h"
#include "members/slabwall/mkqjs_data.h"

inline constexpr int kMkqBarTexts = 6;
inline constexpr std::size_t kMkqBarTextSize = 100;

struct MkqSideResult {
    MkqSideResult();

    int CheckKind = 0;   // 0 cantilever check, 1 corbel (牛腿) check, 2 an arched door's side that fails the strength test
    float Qh = 0.0f;     // resultant parallel to the wall (N/mm)
    float Qv = 0.0f;     // resultant normal to the wall, the shear V (N/mm)
    float M = 0.0f;      // moment at the root (kN·m/m)
    float C = 0.0f;      // 换算剪跨 |M / V|
    float Z = 0.0f;      // signed distance of the resultant's line from the root point (mm)
    float A = 0.0f;      // distance of the normal resultant from the root (mm)
    float Hh = 0.0f;     // distance of the horizontal force from the root section's centroid (mm)
    int SectionOk = 0;   // 1: the section check is met
    int BendState = 0;   // 0 over-reinforced (超筋), otherwise 1 or 2 (2 by detailing)
    int ShearState = 0;  // 1 or 2 (2 by detailing)
    float AsReq = 0.0f;    // required longitudinal area (mm²/m)
    float AsSpare = 0.0f;  // a second area, kept and drawn but not computed
    float AsvReq = 0.0f;   // required tie area
    // [0] 纵筋, [1] 下纵筋 (kept only), [2] 水平拉筋, [3] 竖向拉筋, [4] 水平分布筋, [5] 竖向分布筋.
    char Bars[kMkqBarTexts][kMkqBarTextSize];
    float LaJinJianJuH = 150.0f;  // spacing of the horizontal ties along the wall (mm)
    float LaJinJianJuV = 150.0f;  // spacing of the vertical ties (mm)
};

class CMkqResult : public CJsResultBase {
public:
    int CheckData() override;
    // 1 when read; 0 when the file cannot be opened, is not a result file or a
    // line is missing or does not hold its values: the object is then unchanged.
    int LoadData(const char* path) override;
    // 1 when written; 0 when the file cannot be created (the old file stays).
    int SaveData(const char* path) override;

    MkqSideResult Side[kMkqSideCount];
};

// The module's result object, living for the whole run.
extern CMkqResult G_MkqResult;

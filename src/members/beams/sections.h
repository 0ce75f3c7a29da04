#pragma once
// The beam-section and column-section modules (梁截面配筋, 柱截面配筋): one
// section designed for entered design forces, its result lines, its report and
// its reinforcement sketch. Each 计算 runs the design twice, into "Message.Box"
// and into the report, and both runs give the same lines.
#include <cstdio>

#include "members/beams/liang_data.h"
#include "members/beams/zhu_data.h"

class CBase_SGT;

// The result lines into a fresh "Message.Box" of the current folder. 0 when the
// file cannot be made or written (nothing is put in place; the column says so on
// the message channel), else 1 (the column: 1 unless an error is pending).
int liang_calculate(CLiangData& beam);
int zhu_calculate(CZhuData& column);

// The report pass: conditions (report level 1 or 2), the drawing's script
// block, "[ 计算结果 ]" and the result lines into `fp` when given; the sketch
// of the last design into `drawing` when given. Return 1.
int liang_report(CLiangData& beam, std::FILE* fp, CBase_SGT* drawing);
int zhu_report(CZhuData& column, std::FILE* fp, CBase_SGT* drawing);

// The design with its result lines into `fp` (which may be null); the steel
// areas go into the object's results. 1 on completion; 0 when the design object
// cannot be made (the column also when a pending error stops a tension member).
int liang_design(CLiangData& beam, std::FILE* fp);
int zhu_design(CZhuData& column, std::FILE* fp);

// The reinforcement sketch of a designed section: outline, dimensions in mm,
// rows of bars as wide polylines with their areas, the stirrup with its area.
// Drawn at 1 : 25 of the drawing's scale, the section's bottom centre at the
// given point.
struct CJieMianJT {
    int kind = 0;  // 0 rectangle, 1 T section, 2 I section, 3 bars only, 4 circle
    float h = 0, b = 0, hf = 0, bf = 0, hf1 = 0, bf1 = 0, D = 0;  // mm
    float As = 0, As1 = 0, Asv = 0;  // beam: bottom, top, stirrup total (mm²)
    float Asx = 0, Asx1 = 0, Asy = 0, Asy1 = 0;  // column: top, bottom, left, right
    float Avx = 0, Avy = 0;  // column stirrups at one spacing

    // `column` 0 for a beam, 1 for a column. The dimension fields are scaled in
    // place: a record is drawn once. Returns 0.
    int Draw(CBase_SGT* drawing, float x, float y, int column);
};

#pragma once
// The walls (外墙, 临空墙, 单元隔墙, 内墙): internal forces, the p-δ increase and
// the reinforcement of one wall per metre, the calculation report and the
// result drawing. Everything works on one wall record (design/lkq_data.h).
#include <cstdio>

#include "design/lkq_data.h"

class CBase_SGT;
class PJ_COLUMN;
class TAB_PLT3;

// The program's one table of elastic plate moments under a triangular load.
TAB_PLT3& qiang_tri_table();

// The wall run of the dialog's 计算: clears the error code, writes the result
// lines into "Message.Box" in the current folder. 0 when that file cannot be
// made or written (the error code says why), else 1 whether or not the
// calculation stopped.
int qiang_calculate(CLkqData& wall);

// Internal forces and reinforcement, lines into `fp`, results into the record.
// The results are cleared first; 0 when the run stopped (unsupported supports
// under plastic theory, a tensile vertical load, a design object that cannot be
// made), and then no result is stored.
int qiang_cal(CLkqData& wall, std::FILE* fp);

// The axial compression ratio line of the column object's last ZhouYaBi.
void qiang_axial_ratio(std::FILE* fp, const PJ_COLUMN& column);

// The report pass: clears the error code; the report text into `fp` when given,
// the drawing into `drawing` when given. Returns 1.
int qiang_report(CLkqData& wall, std::FILE* fp, CBase_SGT* drawing);
// Conditions, supports, the drawing's script block, then a full qiang_cal.
int qiang_out_report(CLkqData& wall, std::FILE* fp);

// The three panels: outline with supports, dimensions and loads; the moments;
// the outline again below with the steel areas. A one-way wall's width is set
// to its height first. A record without results is drawn without moments and steel.
void qiang_draw(CLkqData& wall, CBase_SGT* drawing);

// Edge shears from the face loads by tributary areas: kN/m for a one-way wall
// (no side shear), whole-edge kN for a two-way one (each side edge the same).
struct QiangShears {
    float bottom = 0, top = 0, side = 0;
};
QiangShears qiang_shear_values(const CLkqData& wall);
// The shear check: the shears into EdgeV (bottom, left, top, right) and the
// design texts into the RTF file "<report>_tmp" of the work folder. The wall
// run does not call it. 1, or 0 after "内存不够 !".
int qiang_shear_check(CLkqData& wall);

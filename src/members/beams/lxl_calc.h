#pragma once
// The continuous beam's calculation run: the length check, the analysis, the
// text report (conditions, the drawing, the design of every span at its two
// ends and in the span) and the result sheet.
#include <cstdio>

#include "members/beams/lxl_analysis.h"
#include "members/beams/lxl_sheet.h"

class CBase_SGT;
class CLxlData;
class YXY_Lxl;

inline constexpr float kLxlMaxLength = 160.0f;  // m, the whole beam

// The run: 1 when the model solved, else 0 (the report and the drawing then
// stay as they were). `report` (a text file with script blocks) and `drawing`
// may be null. The steel it chose is kept until the next run (lxl_last_steel).
int lxl_calculate(CLxlData& data, std::FILE* report, CBase_SGT* drawing);
// 0, with "梁全长不能超过 160米 !", when the spans in use are longer than 160 m together.
int lxl_check_length(CLxlData& data);
// The conditions block; nothing when the error code is set or there is no file.
void lxl_report_conditions(CLxlData& data, const YXY_Lxl& model, LXL_SPAN_STEEL steel[], std::FILE* fp);
// The results block: the forces and the design of every span; fills `steel`.
// Sets both moment factors of the data back to 1.0 first. Returns 1.
int lxl_report_results(CLxlData& data, const YXY_Lxl& model, LXL_SPAN_STEEL steel[], std::FILE* fp);
// The same from the design forces of the spans in use (one per span).
int lxl_report_spans(CLxlData& data, const LXL_SPAN_FORCE forces[], LXL_SPAN_STEEL steel[], std::FILE* fp);

// The sheet of a solved model.
void lxl_draw_sheet(CLxlData& data, const YXY_Lxl& model, const LXL_SPAN_STEEL steel[], CBase_SGT* d);

// The 30 records of the last run, zeroed at its start.
const LXL_SPAN_STEEL* lxl_last_steel();

#pragma once
// The continuous beam's result sheet (连续梁计算简图): the loaded beam, the beam
// with its sections, the moment and shear envelopes and the steel areas, each
// row titled, in mm with the beam's left end at x0.
#include "members/beams/lxl_analysis.h"

class CBase_SGT;
class CLxlData;

// The steel a calculation chose for one span (mm²), at the left end, in the span
// and at the right end. −1 in top and bottom marks a section whose flexure
// design failed.
struct LXL_SPAN_STEEL {
    float top[3] = {0, 0, 0};
    float bottom[3] = {0, 0, 0};
    float stirrup[3] = {0, 0, 0};
};

// The two curves of an envelope over `count` stations, scaled so that the
// largest value is `size` from the axis at y0: sagging moments below the axis,
// positive shears above it. Ends and local extremes are labelled "%.1f".
void lxl_draw_moment_envelope(CBase_SGT* d, float x0, float y0, const LXL_STATION* stations, int count, float size);
void lxl_draw_shear_envelope(CBase_SGT* d, float x0, float y0, const LXL_STATION* stations, int count, float size);

// The nine areas of every span in use, "%.0f", in three rows under the beam line.
void lxl_draw_steel(const CLxlData& data, CBase_SGT* d, float x0, float y0, const LXL_SPAN_STEEL steel[]);

// The whole sheet: the loaded beam ("荷载", 3000 above the origin), the beam with
// its sections ("尺寸"), the moment ("弯矩", at −7000) and shear ("剪力", at
// −13000) envelopes of the stations, the steel ("配筋", at −18000), then the
// title "连续梁计算简图" and the units line under the whole.
void lxl_draw_sheet(CLxlData& data, const LXL_STATION* stations, int count, const LXL_SPAN_STEEL steel[],
                    CBase_SGT* d);

#pragma once
// The roof and floor slab (顶板 / 底板): loads, internal forces and reinforcement,
// the result diagrams and the calculation report. Everything works on one slab
// data object (design/ban_data.h).
#include <cstdio>
#include <functional>

#include "design/ban_data.h"

// ---- loads of the two load dialogs -----------------------------------------

// The part of the building weight W that the floor load counts, by protection
// class (0 核6B级 … 4 核4级) and form of the building above (0 masonry, 1
// reinforced-concrete walls, 2 other).
float ban_weight_share(int resistClass, int buildingForm, float weight);

// Roof load q = 1.2·(tf/1000·γf + g + γs·hs) + 1.2·qo + qe from the roof load
// fields; sets RoofLoad and Load to it. Returns 1.
int ban_roof_load(BAN_JS_STRUCT& bs);

// Floor load q = W′/A + qw + qe − γs·hs − g, or qw + qe when no weight counts,
// from the floor load fields; sets FloorLoad and Load to it and returns 1. A
// counted weight over a foundation area that is not positive is refused: a
// message, 0, and the object unchanged.
int ban_floor_load(BAN_JS_STRUCT& bs);

// ---- internal forces and reinforcement ---------------------------------------

class BEM_PLT;
// The program's one table of elastic plate moments under a uniform load.
BEM_PLT& ban_plate_table();

// The slab run of the dialog's 计算: clears the error code, writes the result
// lines into "Message.Box" in the current folder. 0 when that file cannot be
// made (the error code says why), else 1 whether or not the calculation stopped.
int ban_calculate(BAN_JS_STRUCT& bs);
// The road of every 计算 of this family: clears the error code, lets `run` write
// into a fresh "Message.Box" of the current folder and puts the file in place.
// 0 when the file cannot be made or written (the error code says why), else 1.
int slabwall_run_into_message_box(const std::function<void(std::FILE*)>& run);

// Internal forces and reinforcement, lines into `fp` (the message file or the
// report), results into the object. The results are cleared first; 0 when the
// run stopped on the error code (unsupported supports, an imbalance, a failed
// elastic solution), and then no result is stored.
int ban_cal(BAN_JS_STRUCT& bs, std::FILE* fp);

// ---- result diagrams -----------------------------------------------------------

class CBase_SGT;
// Both pictures: the plate with supports, dimensions, load and moments, and
// below it the plate with the steel areas. A slab without results (HasResults 0)
// is drawn without moments and steel.
void ban_draw(const BAN_JS_STRUCT& bs, CBase_SGT* drawing);
// The outline with the support symbols, at (x0, y0); with `dimensions` also the
// two dimensions (the drawing's dimension distances are halved first) and the load.
void ban_draw_plate(const BAN_JS_STRUCT& bs, CBase_SGT* drawing, float x0, float y0, int dimensions);
void ban_draw_moments(const BAN_JS_STRUCT& bs, CBase_SGT* drawing, float x0, float y0);
void ban_draw_rebar(const BAN_JS_STRUCT& bs, CBase_SGT* drawing, float x0, float y0);
// Support symbol of one edge walked from (x1, y1) to (x2, y2), drawn on its
// right-hand side: code 1 simply supported (dashes), 2 fixed (ticks), 3 elastic
// (zigzag); 0 nothing.
void ban_draw_edge(CBase_SGT* drawing, int code, float x1, float y1, float x2, float y2);
// Three steel areas "%.0f" along a line: at its start, about its middle and at
// its end, text height h.
void ban_draw_three_along(CBase_SGT* drawing, float x1, float y1, float x2, float y2, const float v[3], float h);

// ---- report ----------------------------------------------------------------------

// The report pass: clears the error code; the report text into `fp` when given,
// the diagrams into `drawing` when given. Returns 1.
int ban_report(BAN_JS_STRUCT& bs, std::FILE* fp, CBase_SGT* drawing);
// The whole report text: title, load note, conditions, supports, the diagram's
// script block, internal forces and reinforcement, punching.
void ban_out_report(BAN_JS_STRUCT& bs, std::FILE* fp);
// The roof or floor load derivation (only when LoadNote is 1).
void ban_load_note(const BAN_JS_STRUCT& bs, std::FILE* fp);

// Punching of the slab against its surrounding walls, in kN, m and N/mm².
struct BanPunching {
    float ftd = 0;    // dynamic design tensile strength, 1.5·ft
    float A = 0;      // loaded area inside the punching perimeter, m²
    float Q = 0;      // punching force, kN
    float h0 = 0;     // effective depth, m (at least 0.001)
    float Um = 0;     // perimeter at h0/2, m
    float betaH = 0;  // section-height factor
    float KL = 0;     // punching resistance, kN
};
BanPunching ban_punching_values(const BAN_JS_STRUCT& bs);
void ban_punching(std::FILE* fp, const BAN_JS_STRUCT& bs);
// Section-height factor of the punching resistance: 1.0 up to 800 mm, 0.9 from
// 2000 mm, linear between.
float ban_beta_h(float h);

// Shear of the slab edges from their tributary areas, into EdgeV, and the shear
// design of both directions into the RTF file "<report>_tmp" of the work folder.
// 1, or 0 after "内存不够 !".
int ban_shear_check(BAN_JS_STRUCT& bs);

#pragma once
// Punching shear of a flat slab at one column or column cap (冲切验算): the
// record the flat-slab data object embeds and the punching page edits, the
// check by the older rules (GB 50010) or by the civil-air-defence rules
// (GB 50038: dynamic strengths, βh, an upper cap as a reversed drop panel), the
// transverse steel of a reversed drop panel, the text report and the sketch.
//
// Lengths in mm, the slab load in kN/m². Direction B pairs the slab width with
// the column and cap widths, direction H the slab length with their depths.
#include <cstdio>
#include <vector>

class CBase_SGT;

// 22 four-byte fields in this order; field 0 is never stored.
struct CHONGQIE_JS_STRUCT {
    int m_nCivilDefence = 0;     // 0 the older rules, any other value the civil-air-defence rules
    int m_nSteam = 0;            // steam curing or early-strength admixture
    int m_nStirrupGrade = 1;     // stirrup bar grade code
    int m_nStirrupSpacing = 120; // s
    int m_nConGrade = 25;        // concrete grade (25: C25)
    int m_nSlabWidth = 6000;     // Lb, the slab unit the column carries, direction B
    int m_nSlabLength = 6000;    // Lh, direction H
    int m_nSlabThick = 400;      // h
    float m_fLoad = 100.0f;      // q, design load, kN/m²
    float m_fAs = 35.0f;         // as, slab face to the steel centroid
    int m_nColB = 800;
    int m_nColD = 800;           // round column
    int m_nColH = 800;
    int m_nCapB = 2000;
    int m_nCapD = 2000;          // round column's cap
    int m_nCapH = 2000;
    int m_nCapThick = 400;       // tc
    int m_nStirrup = 1;          // 1 配箍筋, 0 不配箍筋
    int m_nCapDown = 1;          // 1 cap below the slab (下反), 0 above (上反)
    int m_nHasCap = 1;           // 1 有柱帽, 0 无柱帽
    int m_nSquareCol = 1;        // 1 方柱, 0 圆柱
    int m_nReversedPanel = 0;    // an upper cap designed as a reversed drop panel

    void SetDefaults();
    // One punching line of `fp` (comments skipped): the fields 1..21 it holds in
    // order; fields past the first that does not parse keep their values, and
    // m_nCivilDefence is never touched. Returns 1.
    int ReadLine(std::FILE* fp);
    // The punching line. Returns 1.
    int WriteLine(std::FILE* fp) const;
    // Fields 1..21 that a line holds: their count (-1 for a line without any).
    int ParseLine(const char* line);

    // The sketch: the plan at (0, 0), the elevation at x = 1.2·Lh.
    int DrawJianTu(CBase_SGT* d) const;
    int DrawPlan(CBase_SGT* d, float x, float y) const;
    int DrawElevation(CBase_SGT* d, float x, float y) const;
};
static_assert(sizeof(CHONGQIE_JS_STRUCT) == 22 * 4, "22 four-byte fields");

// The punching line of the defaults.
inline constexpr const char* kChongQieDefaultLine =
    "0,1,120,25,6000,6000,400,100.000000,35.000000,800,800,800,2000,2000,2000,400,1,1,1,1,0\n";

// One check of a case: its punching base and what the verdict compares.
struct ChongQieCheck {
    char kase = 'A';     // 'A'..'F'
    bool cap = false;    // the cap check of cases A and B
    float P_B = 0, P_H = 0;  // base extents (a round base: P_B = P_H = its diameter)
    float A = 0;         // base area, mm²
    float X = 0;         // Um·h0, mm²
    float F1 = 0;        // punching force, N
    float betaH = 1;     // βh (newer rules)
};

// The checks of the record's case in order. `civil` selects the cover allowance
// of an upper cap (as + 10 by the older rules, as by the newer).
std::vector<ChongQieCheck> chongqie_checks(const CHONGQIE_JS_STRUCT& r, bool civil);

// The dynamic design tensile strength of `ft` (newer rules): ×1.5, ×1.4 above
// grade 59, and ×0.9 more for steam curing.
float chongqie_ftd(const CHONGQIE_JS_STRUCT& r, float ft);

// βh of a depth h (mm): 1.0 up to 800, 0.9 from 2000, linear between.
float chongqie_beta_h(float h);

// The verdict into the work folder's "Message.Box" (the rule set of
// m_nCivilDefence). Returns 1, also when the file cannot be written.
int chongqie_check(const CHONGQIE_JS_STRUCT& r);
// The transverse steel of a reversed drop panel into "Message.Box". Returns 1.
int chongqie_transverse_steel(const CHONGQIE_JS_STRUCT& r);
// The report (conditions, then the verdict) written to `path`. Returns 1.
int chongqie_report(const CHONGQIE_JS_STRUCT& r, const char* path);

int chongqie_check_old(const CHONGQIE_JS_STRUCT& r, std::FILE* fp);
int chongqie_check_new(const CHONGQIE_JS_STRUCT& r, std::FILE* fp);
int chongqie_report_old(const CHONGQIE_JS_STRUCT& r, std::FILE* fp);
int chongqie_report_new(const CHONGQIE_JS_STRUCT& r, std::FILE* fp);
int chongqie_transverse_cal(const CHONGQIE_JS_STRUCT& r, std::FILE* fp);

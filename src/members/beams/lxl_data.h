#pragma once
// The continuous beam (连续梁) data object: up to 30 spans in a row, each with
// its own length, section and up to 20 loads, the supports at the two ends,
// materials and design options. Read and written as a module data file: the
// marker line, the counts line, the materials line, one line per span in use
// followed by one line per load of it, then the common block of CJsBaseData.
#include <string>

#include "base/jsdata.h"

class CBase_SGT;

inline constexpr int kLxlMaxSpans = 30;
inline constexpr int kLxlMaxLoads = 20;

// One load on a span. Positions are from the span's left end; values are design
// values, positive downward.
struct LXL_LOAD {
    int Number = 1;       // 1..20, set by the object; not stored
    int Kind = 1;         // 1 dead (all dead loads form case 1); any other value live, a case of its own
    int Type = 3;         // 1 force P, 2 moment M, 3 uniform q, 4 triangle (q at midspan),
                          // 5 trapezoid (ramps of length a), 6 linear q1 at a to q2 at a + c
    float Q1 = 20.0f;     // P (kN), M (kN·m), q or q1 (kN/m)
    float Q2 = 30.0f;     // q2 of type 6 (kN/m)
    float A = 0.5f;       // a, m
    float C = 1.0f;       // c, loaded length of type 6, m
};

struct LXL_SPAN {
    int Number = 1;       // 1..30, set by the object; not stored
    float Length = 6.0f;  // L, m
    int Width = 200;      // b, mm
    int Height = 500;     // h, mm
    int LoadNum = 0;      // loads in use, 0..20
    int CurLoad = 1;      // the load the dialog shows, from 1
    LXL_LOAD Loads[kLxlMaxLoads];
};

// The stored fields. Kept apart from the object so that a reader can fill a copy
// and take it only when the whole file was read.
struct LXL_FIELDS {
    int LeftSupport = 1;        // 0 自由, 1 简支, 2 固定
    int RightSupport = 1;
    int SpanNum = 5;            // spans in use, 1..30
    int CurSpan = 1;            // the span the dialog shows, from 1
    LXL_SPAN Spans[kLxlMaxSpans];
    int Seismic = 0;            // 抗震等级; carried only
    int ConGrade = 30;          // concrete grade code; above 1000 the elastic modulus itself
    int Cover = 35;             // as, section edge to the bar centroid, mm
    int BarGrade = 2;           // longitudinal bar grade code
    int StirrupGrade = 1;       // stirrup bar grade code
    int StirrupSpacing = 200;   // mm
    float SupportFactor = 1.0f; // support moment factor; a report run sets it back to 1
    float MidFactor = 1.0f;     // midspan moment factor; a report run sets it back to 1
    int Steam = 0;              // 1: steam curing or early-strength admixture
    int MinKsaiCheck = 1;       // 1: redistributed supports also checked against the least ξ
    float Redistribution = 15.0f;  // % taken off the hogging end moments of every span
    float ConFactor = 0.8f;     // 砼强度修正系数; carried only

    // Brings every count and current number into its range (span count 1..30,
    // current span 1..count, load counts 0..20, current load 1..max(1, count)),
    // so no index leaves the arrays and a save writes what a read takes back.
    void ClampCounts();
};

class CLxlData : public CJsBaseData, public LXL_FIELDS {
public:
    CLxlData();

    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    // 1 after a complete read. 0 when the file cannot be opened (no message), when
    // its first line holds neither marker ("文件类型不匹配 !") or when a line is
    // missing or short (a message naming the file): the object is then unchanged.
    // A file of the older edition always checks the least ξ.
    int LoadData(const char* path) override;
    // 1 when written; 0 when the file cannot be created (the old file stays).
    // Counts out of range are brought into it first.
    int SaveData(const char* path) override;
    // One query entry, "查询内容", with the drawing and report named after the
    // stem and "_LXL".
    void SetFileName(const std::string& stem) override;

    // Abscissa (mm) of the left end of span `span` (from 0) when the beam starts at x0.
    float SpanStart(int span, float x0) const;

    // ---- drawing (in mm; a point d metres from the beam's left end lies at x0 + 1000·d)
    // The preview (flag 1: the beam at the origin, the current span picked out in
    // colour 1, every load one row above the beam, dead 700 and live 2100) or the
    // model rows of the result sheet (flag 0: the loaded beam 3000 above y0 with
    // its loads stacked in rows, the beam with its sections at y0).
    void DrawModel(CBase_SGT* d, float x0, float y0, int preview);
    // The beam line and its supports; interior supports are hinges.
    void DrawBeamOutline(CBase_SGT* d, float x0, float y0);
    void DrawHinge(CBase_SGT* d, float x, float y);
    void DrawFixedEnd(CBase_SGT* d, float x, float y, int hatchLeft);
    // "b*h" along every span and the chain dimension of the supports 3000 below.
    void DrawSections(CBase_SGT* d, float x0, float y0);
    // Every load of every span in use; a type outside 1..6 is reported (201) and left out.
    void DrawLoads(CBase_SGT* d, float x0, float y0);
    // The load the working fields describe, on span `span` (from 0).
    void DrawLoad(CBase_SGT* d, int span, float x0, float y0);
    // Height above the beam line of the load the working fields describe.
    float LoadSymbolHeight() const;
    // The symbols between x_left and x_right at height y, of size h; they rise 0.8h.
    void DrawPointSymbol(CBase_SGT* d, float force, float moment, float pos1, float pos2, float xl, float y, float xr,
                         float y2, float h);
    void DrawUniformSymbol(CBase_SGT* d, float q, float xl, float y, float xr, float y2, float h);
    void DrawTriangleSymbol(CBase_SGT* d, float q, float xl, float y, float xr, float y2, float h);
    void DrawTrapezoidSymbol(CBase_SGT* d, float q, float ramp, float xl, float y, float xr, float y2, float h);
    void DrawPartialSymbol(CBase_SGT* d, float q1, float q2, float start, float length, float xl, float y, float xr,
                           float y2, float h);

    // Drawing working fields: the load being drawn, handed from DrawLoads to the
    // symbols; written before they are read, never stored.
    float m_fDrawValue1 = 0, m_fDrawValue2 = 0;
    float m_fDrawPos1 = 0, m_fDrawPos2 = 0;  // mm
    int m_nDrawType = 0, m_nDrawKind = 0;
    int m_nDrawSpan = 0, m_nDrawLoad = 0;    // from 0
    int m_nDrawPreview = 0;

    static constexpr const char* kMarker = "KV_LXL_V30";
    static constexpr const char* kMarkerV20 = "KV_LXL_V20";
};

// The continuous-beam object of the program, living for the whole run.
extern CLxlData G_LxlData;

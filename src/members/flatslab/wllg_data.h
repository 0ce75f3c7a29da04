#pragma once
// The flat slab (无梁楼盖) data object: spans, strip and column geometry, side
// pressures on the columns, materials, strip factors and the punching record,
// read and written as a module data file: the marker line, the span text, three
// lines of fields, the punching line, the common block of CJsBaseData, then the
// edge-cap and cap-design switches.
#include <optional>
#include <string>
#include <vector>

#include "base/jsdata.h"
#include "members/flatslab/chongqie.h"

inline constexpr int kWllgMaxSpans = 30;

// The stored fields (lengths of the plan in m, sections in mm, loads in kN/m²).
// Kept apart from the object so that a reader can fill a copy and take it only
// when the whole file was read.
struct WLLG_FIELDS {
    std::string m_szSpans = "6*2 8.0";  // span text (各跨长), grammar of parse_span_list
    int m_nLeftRound = 0, m_nMidRound = 0, m_nRightRound = 0;  // 1: circular column
    int m_nStripWidth = 4500;           // b
    int m_nSlabThick = 400;             // h
    float m_fLowerHeight = 4.2f;        // lower storey, m
    float m_fUpperHeight = 3.3f;        // upper storey (a middle storey only), m
    int m_nLeftColB = 800, m_nLeftColD = 800, m_nLeftColH = 800;
    int m_nMidColB = 800, m_nMidColD = 800, m_nMidColH = 800;
    int m_nRightColB = 800, m_nRightColD = 800, m_nRightColH = 800;
    int m_nMidStorey = 0;               // 0 顶层, 1 中间层
    // Side pressures on the columns: q1 at the column's start, q2 at a from it (m).
    float m_fUpLeftA = 1.5f, m_fLowLeftA = 4.2f, m_fUpRightA = 1.5f, m_fLowRightA = 4.2f;
    float m_fSlabQ = 60.0f;             // slab design load
    float m_fUpLeftQ1 = 50.0f, m_fLowLeftQ1 = 100.0f, m_fUpRightQ1 = 50.0f, m_fLowRightQ1 = 100.0f;
    float m_fUpLeftQ2 = 0.0f, m_fLowLeftQ2 = 30.0f, m_fUpRightQ2 = 0.0f, m_fLowRightQ2 = 30.0f;
    int m_nSteam = 0;
    int m_nConGrade = 25;
    int m_nBarGrade = 2;
    int m_nAs = 35;
    // Column-strip and middle-strip factors at the edge support, mid-span and an interior support.
    float m_fColEdge = 0.75f, m_fColMid = 0.55f, m_fColInner = 0.75f;
    float m_fMidEdge = 0.25f, m_fMidMid = 0.45f, m_fMidInner = 0.25f;
    float m_fReserved = 1.0f;           // carried only
    float m_fRedist = 15.0f;            // support-moment redistribution, %
    CHONGQIE_JS_STRUCT m_ChongQie;      // the punching record; its m_nCivilDefence is never stored
    int m_nEdgeCap = 0;                 // edge-column caps shorten the computing span
    int m_nCapDesign = 0;               // the cap joins the column-strip design (cap below only)
};

class CWllgData : public CJsBaseData, public WLLG_FIELDS {
public:
    CWllgData();

    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    // 1 after a read. 0 when the file cannot be opened (no message), when its
    // first line holds neither marker ("文件类型不匹配 !") or when one of its
    // lines 2..6 is missing or short (a message naming the file): the object is
    // then unchanged. The two switches after the common block keep their values
    // when their lines are missing or do not parse.
    int LoadData(const char* path) override;
    // 1 when written; 0 when the file cannot be created (the old file stays).
    void SetFileName(const std::string& stem) override;
    int SaveData(const char* path) override;

    // The input sketch of the frame, its supports and its loads, in metres
    // (wllg_sketch.cpp): a middle storey's with the upper columns, else the top
    // storey's. The two storey forms return 0, drawing nothing, when the span
    // text is refused (the parser has told why).
    void DrawSketch(CBase_SGT* d);
    int DrawSketchTop(CBase_SGT* d);
    int DrawSketchMid(CBase_SGT* d);
    // A support line at (x, y) with four hatch strokes above it or below it.
    static void DrawSupport(CBase_SGT* d, float x, float y, int above);
    // A load varying from p1 to p2 over the length a of the member from (x1, y1)
    // towards (x2, y2), drawn at the member's side; nothing when both are ~0.
    static void DrawLineLoad(CBase_SGT* d, float x1, float y1, float x2, float y2, float p1,
                             float p2, float a);

    // The spans of a span text: "L" is one span of L m, "L*n" n spans of L m,
    // tokens separated by blanks or commas. nullopt after telling (301) why the
    // text is refused: a "*" at either end of a token, a negative count, fewer
    // than one span or more than 30. Does not clear the error code.
    static std::optional<std::vector<float>> parse_span_list(const std::string& text);

    // The equivalent frame of the strip as "WLLG_STRLDA-1.DAT" in the current
    // folder (the work folder during a run); fills m_pSpans, m_pCapLeft and
    // m_pCapRight. 1 when written with the error code clear (wllg_model.cpp).
    int WriteFrameModel();
    // The punching record's slab, column and load from the slab's fields.
    void FillChongQie();

    int m_nCivilDefence = 0;          // 1: civil-air-defence design; not stored
    // The last frame model's computing spans and cap edges per span (m); not stored.
    std::vector<float> m_pSpans, m_pCapLeft, m_pCapRight;

    static constexpr const char* kMarker = "KV_WLLG_V30";
    static constexpr const char* kMarkerV20 = "KV_WLLG_V20";
};

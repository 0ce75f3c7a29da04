#pragma once
// The grid beam (井字梁) data object: main beams in two directions on span
// lists, secondary beams between them, optional edge beams, column supports and
// one panel load. Stored as twelve lines (marker, span lists, sections,
// materials, loads, one line per edge, secondary beams and redistribution)
// followed by the common block of CJsBaseData.
#include <string>

#include "base/jsdata.h"

inline constexpr int kJzlMaxSecondary = 10;  // secondary beams between two main beams

// The stored fields, apart from the object so that a reader can fill a copy and
// take it only when the whole file was read.
struct JZL_FIELDS {
    // Span lists: blank-separated lengths in m, "5.2*2" standing for two spans of 5.2.
    std::string XSpans = "6.0 5.2*2 3.0";  // horizontal main beams, left to right
    float XWidth = 200, XHeight = 500;     // horizontal main beams, mm
    std::string YSpans = "6*2";            // vertical main beams, bottom to top
    float YWidth = 200, YHeight = 500;     // vertical main beams, mm
    int ConGrade = 20;                     // concrete grade code
    int Cover = 35;                        // as, mm
    int BarDiameter = 18;                  // longitudinal bars, mm; crack widths only
    int BarGrade = 2;                      // longitudinal bar grade code
    int StirrupGrade = 1;
    int StirrupSpacing = 150;              // mm
    float Load = 6.0f;                     // panel load, load group 1, kN/m²
    float Load2 = 0.0f;                    // second panel load, load group 2, kN/m²
    float UnitWeight = 0.0f;               // beams' unit weight, kN/m³ (joins group 1)
    float Factor2 = 1.0f, Factor1 = 1.0f;  // group factors of the single-case input
    float LongTerm2 = 0.5f, LongTerm1 = 1.0f;  // quasi-permanent factors
    int LoadMode = 0;                      // 0 双向, 1 周边, 2 集中
    // Per edge, 0 bottom, 1 right, 2 top, 3 left.
    int EdgeBeam[4] = {0, 0, 0, 0};        // 1: the edge has an edge beam
    int EdgeSupport[4] = {1, 1, 1, 1};     // 0 自由, 1 简支, 2 固定
    float EdgeWidth[4] = {250, 250, 250, 250};
    float EdgeHeight[4] = {600, 600, 600, 600};
    int XSecondary = 0;                    // horizontal secondary beams per y span, 0..10
    int YSecondary = 0;                    // vertical secondary beams per x span, 0..10
    int XSecWidth = 200, YSecWidth = 200;  // mm
    int XSecHeight = 400, YSecHeight = 400;
    float ConFactor = 0.8f;                // 砼强度修正系数; carried only
    float MainRedistribution = 15.0f;      // % off the hogging support moments
    float SecRedistribution = 15.0f;
    int Steam = 0;                         // 1: steam curing or early-strength admixture
};

class CJzlData : public CJsBaseData, public JZL_FIELDS {
public:
    CJzlData();

    using CJsBaseData::LoadData;
    using CJsBaseData::SaveData;
    // 1 after a complete read; 0 when the file cannot be opened (no message), holds
    // neither marker ("文件类型不匹配 !") or a line is missing or short: the object
    // is then unchanged. The span lists are checked only when a model is built.
    int LoadData(const char* path) override;
    // 1 when written; 0 when the file cannot be created (the old file stays).
    int SaveData(const char* path) override;
    // Three diagrams, "计算简图", "内力" and "配筋": <stem>JT_JZL.DXF, <stem>NL_JZL.DXF,
    // <stem>PJ_JZL.DXF, each with the report <stem>_JZL.RTF.
    void SetFileName(const std::string& stem) override;

    static constexpr const char* kMarker = "KV_JZL_V30";
    static constexpr const char* kMarkerV20 = "KV_JZL_V20";
};

// The grid-beam object of the program, living for the whole run.
extern CJzlData G_JzlData;

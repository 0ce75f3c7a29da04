#pragma once
// The flat slab's calculation: the equivalent frame through the frame library,
// one result record per frame member, the redistributed support moments shared
// between the column strip and the middle strip, the strip design, the text
// report and the result drawings. Post-processing, design, report and drawings
// work from filled records only, so a frame can be given to them by hand.
#include <cstdio>
#include <memory>
#include <vector>

#include "frame/frame_library.h"

class CBase_SGT;
class CWllgData;
class PJ_BEAM_KV;

// The model file of the equivalent frame, in the work folder.
inline constexpr const char* kWllgModelFile = "WLLG_STRLDA-1.DAT";
inline constexpr int kWllgStations = 9;  // stations 0..8 along a member, equally spaced

// One member of the equivalent frame. Lengths in mm, moments in kN·m (the
// strips' per metre of width), steel in mm² (the strips' per metre). Index 0 of
// the three-value arrays is the left support, 1 mid-span, 2 the right support.
class CWllgGouJian {
public:
    float GetLength() const;

    // Releases β of each hogging end moment and adds what was released along the
    // member, interpolated between the ends. Sagging ends stay.
    void wllg_redistribute(float beta);
    // The moments at the cap edges a and b (m from the start) of a span L (m).
    void wllg_cap_edge_moment(float L, float a, float b);
    // The full section and one strip (1 the column strip, 0 the middle strip) at
    // the three sections with `pj` set up for the member; t and c (mm) are the
    // cap's thickness and size across the strip, 0 without cap design.
    void wllg_strip_design(std::FILE* fp, PJ_BEAM_KV* pj, float supFactor, float midFactor, int strip, int b, int t,
                           int c);

    // ---- drawing; (dx, dy) is added to every point
    void DrawAxis(CBase_SGT* d, float dx, float dy) const;
    void DrawMemberLabel(CBase_SGT* d, float dx, float dy) const;
    // type 0 the whole section, 1 the column strip, 2 the middle strip.
    void DrawMomentValues(CBase_SGT* d, float dx, float dy, int type) const;
    void DrawMomentCurve(CBase_SGT* d, float dx, float dy) const;
    void DrawSteelValues(CBase_SGT* d, float dx, float dy, int type) const;

    float m_fSize = 0.2f;          // text size of the labels
    float m_fDispScale = 1.0f;
    float m_fMomentScale = 1.0f;   // drawing length per kN·m
    float m_fSectH = 300.0f;       // slab: thickness h; column: A/100
    float m_fSectB = 500.0f;       // slab: strip width b; column: I/10⁴
    int m_nNo = 0;                 // number in the model (slab members 1..n in span order)
    int m_nNodeI = 0, m_nNodeJ = 0;
    int m_nArc = 0;
    int m_nFlag = 0;
    int m_nKind = 0;               // 0 slab, 1 column
    int m_nGrade = 30;
    float m_fEs = 2.06e8f;
    float m_fX1 = 0, m_fY1 = 0, m_fX2 = 0, m_fY2 = 0;
    float m_fXc = 0, m_fYc = 0;
    float m_fM[kWllgStations] = {};  // hogging negative
    float m_fMCapL = 0, m_fMCapR = 0;
    float m_fV[kWllgStations] = {};
    float m_fN[kWllgStations] = {};
    float m_fAsTop[3] = {}, m_fAsBot[3] = {};
    int m_nAsFlag[3] = {};
    float m_fDispX[kWllgStations] = {}, m_fDispY[kWllgStations] = {};
    int m_nSeq = -1;               // position in the frame + 1
    float m_fFactor1 = 1.0f, m_fFactor2 = 1.0f;
    int m_nCapDesign = 0;
    float m_fColM[3] = {}, m_fColMCap[2] = {};
    float m_fColTop[3] = {}, m_fColBot[3] = {}, m_fColTopCap[2] = {}, m_fColBotCap[2] = {};
    int m_nColFlag[3] = {}, m_nColCapFlag[2] = {};  // 1: the section could not be designed
    float m_fMidM[3] = {};
    float m_fMidTop[3] = {}, m_fMidBot[3] = {};
    int m_nMidFlag[3] = {};
};

// The calculation of one run.
class CWllgFrmJs {
public:
    CWllgFrmJs();
    ~CWllgFrmJs();
    CWllgFrmJs(const CWllgFrmJs&) = delete;
    CWllgFrmJs& operator=(const CWllgFrmJs&) = delete;

    // Clears the error code, has the library check "yxy_js.dat" and reads the
    // members back (what a run does right after making the calculation).
    void Start();
    void ReadStrucLd();
    // Load case 1 of "FORCE.FB" into the members.
    void ReadForce();
    // Redistribution, cap-edge moments and the strips' moments per metre.
    void PostProcess();
    // 1 first span, 2 interior span (and every column), 3 last span, 4 the only span.
    int GetSpanType(int i) const;
    // The analysis, the forces, post-processing, report and drawings.
    void Run();
    // Takes the run's settings from the data object.
    void SetData(CWllgData* data);
    // n default members (index i + 1). False when memory runs out.
    bool SetMemberCount(int n);

    void OutReport();
    void DesignStrip(int i, std::FILE* fp, int strip);

    void DrawDiagrams();
    void SetTextSize();
    void SetScales();
    void DrawCalcSketch(CBase_SGT* d, float dx, float dy);
    void DrawMomentDiagram(CBase_SGT* d, float dx, float dy, int type);
    void DrawRedistCurve(CBase_SGT* d, float dx, float dy);
    void DrawSteelDiagram(CBase_SGT* d, float dx, float dy, int type);

    CWllgData* m_pData = nullptr;
    std::FILE* m_fpReport = nullptr;
    float m_fSize = 0.2f;
    float m_fXMax = 0, m_fXMin = 0, m_fYMax = 0, m_fYMin = 0;
    float m_fWidth = 12.0f, m_fHeight = 12.0f;
    int m_nMembers = 0;
    std::vector<CWllgGouJian> m_pMembers;
    std::unique_ptr<PJ_BEAM_KV> m_pDesign;  // alive while one strip is designed
    kv::frame::FB_DATE_Frm m_FbDate;
    kv::frame::YXY_Frm m_Yxy;
    std::unique_ptr<kv::frame::force_file_Frm> m_pForce;
    int m_nAs = 25;
    int m_nBarGrade = 2;
    int m_nDesignOpt = 1;
    float m_fMidFactor = 1.0f, m_fSupFactor = 1.0f;
    float m_fFrameFactor1 = 1.0f, m_fFrameFactor2 = 1.0f;
    int m_nConGrade = 25, m_nSteam = 0;
    float m_fRedist = 0;  // fraction
    float m_fColEdge = 0, m_fColMid = 0, m_fColInner = 0, m_fMidEdge = 0, m_fMidMid = 0, m_fMidInner = 0;

private:
    void DrawTitle(CBase_SGT* d, float x, float y, const char* title);
    bool m_bToldNoDesign = false;
};

// Data the run refuses before it writes any work file: 201 naming the field,
// then "计算失败 ！". 1 when the data can be calculated.
int wllg_check_data(const CWllgData& data);

// The punching record's sketch as the item's drawing 5.
void wllg_draw_punching(const CWllgData& data);

// One flat-slab calculation of `data` in the work folder (which is the current
// folder): the model, the analysis, the report and five drawings, the punching
// sketch, and "计算成功 ！" or "计算失败 ！" (201). 1 when it succeeded.
int wllg_calculate(CWllgData* data);

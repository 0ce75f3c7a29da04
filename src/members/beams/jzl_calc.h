#pragma once
// The grid beam's calculation: the data turned into nodes, beams and panels,
// the finite-element library's input written and run, the forces read back,
// the support moments redistributed, every beam designed and reported, and the
// three drawings. The run works in the current folder, which is the work folder.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "drawing/base_sgt.h"
#include "fem/fb_date.h"
#include "fem/yxy.h"

class CJzlData;
class PJ_BEAM_KV;
class force_file;

// Nodes over which the finite-element library's node table overflows.
inline constexpr int kJzlMaxNodes = 10000;
inline constexpr int kJzlMaxSpans = 30;
inline constexpr std::size_t kJzlMaxSpanText = 299;

struct JZL_NODE {
    float x = 0, y = 0;  // m; the grid's lower left corner is (0, 0)
    int support = 0;     // 0 none, 1 w restrained, 2 w and both rotations
    int index = 0;       // position in the table, from 0
    int hidden = 0;      // 1: no present beam ends here (fully restrained, not drawn)
};

struct JZL_BEAM {
    float text_height = 0.2f;  // m
    int node1 = 0, node2 = 0;  // from 1; left to right, bottom to top
    float b = 0, h = 0;        // mm
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    float moment[3][3] = {};   // [case][left, middle, right], kN·m, sagging positive
    float shear[3] = {};       // case 3, kN
    float torque[3] = {};      // case 3, kN·m
    float top_steel[3] = {}, bottom_steel[3] = {};  // mm²; -1 for a failed section
    float shear_stirrup[3] = {};                     // within one stirrup spacing
    float torsion_bars[3] = {}, torsion_stirrup[3] = {}, shear_torsion_stirrup[3] = {};
    float deflection[3] = {};  // mm
    float crack[3] = {};       // mm
    float width_factor = 1.0f;
    int absent = 0;            // 1: an edge line without an edge beam
    int element = -1;          // from 1 over the present beams, -1 when absent
    int secondary = 0;
};

struct JZL_PANEL {
    int corners = 4;
    int edge[4] = {};          // beam numbers from 1; negative when walked second node to first
    int node[4] = {};          // corner k starts edge k; from 1
    float x[4] = {}, y[4] = {};
    float load = 0, load2 = 0; // kN/m²
    int mode = 0;
};

// The span list as lengths in m; empty after a reported error ("跨长输入有误 !",
// "跨数不能超过 30 !", code 301).
std::vector<float> jzl_parse_spans(const std::string& text);

class CJzlJs {
public:
    CJzlJs();
    ~CJzlJs();
    CJzlJs(const CJzlJs&) = delete;
    CJzlJs& operator=(const CJzlJs&) = delete;

    // ---- model (jzl_model.cpp)
    // The three tables from the data; reports and leaves JS_ERROR_CODE set on failure.
    void jzl_build_grid(CJzlData* data);
    // Hidden nodes, beam ends, element numbers and panel chains.
    void jzl_prepare_model();
    float BeamLength(const JZL_BEAM& beam) const;
    // The first beam joining the two nodes (from 1) either way, its number from 1;
    // "找不到对应的梁号 !" (201) and 1 when there is none.
    int FindBeam(int node1, int node2) const;
    // Frees the tables and any open file; the object may then build again.
    void Cleanup();

    // ---- analysis (jzl_input.cpp, jzl_calc.cpp)
    // The input and restraint files, the library's run, the forces, the
    // redistribution and the report: 1 when every step ran; stops at the first
    // that sets the error code, leaving the work files written so far.
    int Run();
    void WriteYxyJsDat();
    // The same input with one load case of the data's group factors.
    void WriteYxyJsDatSingle();
    void WriteYsFb();
    void ReadForceFb();

    // ---- redistribution and report (jzl_report.cpp)
    void jzl_redistribute(const CJzlData* data);
    void WriteReport();
    void WriteBeamBlock(JZL_BEAM& beam, std::FILE* fp, PJ_BEAM_KV* design, float spacing);
    // Not part of a run: the crack widths of every present beam under the
    // characteristic moments (cases 1 + 2) with the designed steel, and the
    // long-term stiffness factors that would narrow the beams' widths in a
    // further analysis ("梁长期刚度计算错误 !" and a factor outside (0, 1] fall back
    // to 0.8).
    void CalculateCrackWidths();
    void CalculateLongTermStiffness();
    // Not part of a run either: the deflections of load case 1 at every present
    // beam's ends and middle from the library's displacement file, in mm downward.
    void ReadDeflections();

    // ---- drawings (jzl_draw.cpp)
    void WriteDxf();
    void SetTextHeights();
    void DrawJiSuanJianTu(CBase_SGT* d, float x0, float y0);
    void DrawNeiLiJianTu(CBase_SGT* d, float x0, float y0);
    void DrawPeiJinJianTu(CBase_SGT* d, float x0, float y0);
    void DrawNaoDuJianTu(CBase_SGT* d, float x0, float y0);
    void DrawLieFengJianTu(CBase_SGT* d, float x0, float y0);
    void DrawNode(CBase_SGT* d, const JZL_NODE& node, float x0, float y0);
    void DrawBeamOutline(CBase_SGT* d, const JZL_BEAM& beam, float x0, float y0);
    void DrawBeamLabel(CBase_SGT* d, const JZL_BEAM& beam, float x0, float y0);
    void DrawForceText(CBase_SGT* d, const JZL_BEAM& beam, float x0, float y0);
    void DrawSteelText(CBase_SGT* d, const JZL_BEAM& beam, float x0, float y0);
    void DrawDeflectionText(CBase_SGT* d, const JZL_BEAM& beam, float x0, float y0);
    void DrawCrackText(CBase_SGT* d, const JZL_BEAM& beam, float x0, float y0);

    std::FILE* m_fpInput = nullptr;
    std::FILE* m_fpReport = nullptr;
    std::FILE* m_fpOther = nullptr;
    CJzlData* m_pData = nullptr;
    int m_nXSpans = 0, m_nYSpans = 0;    // main spans parsed
    int m_nXBeams = 0, m_nYBeams = 0;    // horizontal and vertical beams of the table
    int m_nXSub = 0, m_nYSub = 0;        // sub-spans (nXs, nYs)
    float m_fConFactor = 0.8f, m_fMainRedis = 15.0f, m_fSecRedis = 15.0f;
    int m_nSteam = 0;
    float m_fTextHeight = 0.2f, m_fWidth = 12.0f, m_fHeight = 12.0f;
    std::vector<JZL_NODE> m_Nodes;
    std::vector<JZL_BEAM> m_Beams;
    std::vector<JZL_PANEL> m_Panels;

    FB_DATE m_FbDate;
    YXY m_Yxy;
    std::unique_ptr<force_file> m_pForce;   // while the forces are read, until the cleanup
    std::unique_ptr<PJ_BEAM_KV> m_pDesign;  // the design object of the beam being reported
    CBase_SGT m_Drawing;

    // Materials and loads taken from the data when the model is built.
    int m_nConGrade = 20, m_nCover = 35, m_nBarDiameter = 18, m_nBarGrade = 2, m_nStirrupGrade = 2;
    int m_nStirrupSpacing = 150;
    float m_fLoad = 0, m_fLoad2 = 0, m_fUnitWeight = 0;
    float m_fFactor1 = 1, m_fFactor2 = 1, m_fLongTerm1 = 1, m_fLongTerm2 = 0.5f;
    int m_nLoadMode = 0;

    // Load-writing state.
    int m_nCases = 3;
    float m_fCaseFactor1 = 1, m_fCaseFactor2 = 0;  // factors of the current case
    int m_nGroup = 1;                              // current load group
    long m_nLoadCounter = 0;                       // lines of the current block
    int m_nNodeLoads = 0, m_nBeamLoads = 0, m_nPlateLoads = 0;
    int m_nNodesWritten = 0, m_nBeamsWritten = 0;

private:
    void WriteInput(int cases, const float (*factors)[2]);
    void WriteCaseBlock(float f1, float f2);
    void WriteDistributed(int element, float w0, float w1, float a, float b);
    void WritePanelEdges(const JZL_PANEL& panel, float q);
    float GroupFactor() const { return m_nGroup == 1 ? m_fCaseFactor1 : m_fCaseFactor2; }
    void CloseFile(std::FILE*& fp);
};

// Redistributes one main span of n segments, the k-th `stride`·k table entries
// after `first`: the hogging end moments of case 3 lose the data's share and
// the released moment is added back along the span as a straight line.
void jzl_redistribute_line(JZL_BEAM* first, int n, const CJzlData* data, int stride);

// The whole calculation of one item in the current folder (the work folder):
// the item's earlier drawings and report removed, the model, the run, the three
// drawings and the work files cleared. 1 on success (with the notice "计算结束!",
// which leaves the error code at 201); 0 on failure, the work files left.
int jzl_calculate(CJzlData* data);

// The dialog's preview: the grid of `data` built on the one preview object (the
// library is never run) and drawn into `drawing` at (0, 0), beam outlines then
// node symbols, no labels. 1, or 0 when the model cannot be built (the message
// window says why).
int jzl_draw_preview(CJzlData* data, CBase_SGT* drawing);

#pragma once
// The rigid frame (刚架) after its analysis: one record per frame member, filled
// from the frame library's structure and force files, designed as an
// eccentrically loaded member at its left, middle and right section, reported
// and drawn. Design, report and drawings work from filled records only, so a
// frame can be given to them by hand.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "frame/frame_library.h"
#include "members/beams/gj_data.h"

class CBase_SGT;
class PJ_COLUMN;

inline constexpr int kGjStations = 9;   // stations 0..8 along a member, equally spaced
inline constexpr int kGjSections = 3;   // left, middle, right: stations 0, 4, 8

// One frame member. Lengths in mm, forces in kN and kN·m, displacements in mm.
class CGjGouJian {
public:
    CGjGouJian();

    // Chord length between the end points.
    float GetLength() const;
    bool IsArc() const { return m_nArc != 0; }
    bool IsSteel() const { return m_nSteel == 1; }

    // The three sections designed with `pj` (already set up for the member's
    // grades): longitudinal steel from the bending design, stirrups at
    // `spacing`. The ends take `support` on their moments, the middle `midspan`.
    // A section past the design's limits gets its heading and the design's own
    // text in `fp` (which may be null).
    void DesignSections(std::FILE* fp, PJ_COLUMN* pj, float spacing, float support, float midspan);

    // ---- drawing; (x0, y0) is added to every point
    void DrawMember(CBase_SGT* d, float x0, float y0) const;
    void DrawLabel(CBase_SGT* d, float x0, float y0) const;
    void DrawWanJuCurve(CBase_SGT* d, float x0, float y0) const;
    void DrawJianLiCurve(CBase_SGT* d, float x0, float y0) const;
    void DrawZhouLiSymbol(CBase_SGT* d, float x0, float y0) const;
    void DrawWeiYiCurve(CBase_SGT* d, float x0, float y0) const;
    void DrawWanJuValues(CBase_SGT* d, float x0, float y0) const;
    void DrawJianLiValues(CBase_SGT* d, float x0, float y0) const;
    void DrawZhouLiValues(CBase_SGT* d, float x0, float y0) const;
    void DrawPeiJinValues(CBase_SGT* d, float x0, float y0) const;
    void DrawWeiYiValues(CBase_SGT* d, float x0, float y0) const;
    void DrawNeiLiValues(CBase_SGT* d, float x0, float y0) const;

    // Point of station i (0..8).
    void StationPoint(int i, float& x, float& y) const;
    // Arc geometry: radius, start and end angle (radians, the end raised by 2π
    // when below the start).
    void ArcAngles(float& r, float& a1, float& a2) const;

    float m_fTextHeight = 0.2f;
    float m_fWeiYiScale = 1.0f;   // drawing length per mm of displacement
    float m_fWanJuScale = 1.0f;   // per kN·m
    float m_fJianLiScale = 1.0f;  // per kN
    float m_fZhouLiScale = 1.0f;  // per kN
    float m_fH = 300.0f;          // section depth h; area A of a steel member
    float m_fB = 500.0f;          // section width b; moment of inertia I of a steel member
    int m_nNo = 0;                // number in the editor's model
    int m_nStart = 0, m_nEnd = 0; // node numbers in the editor's model
    int m_nArc = 0;
    int m_nReport = 0;            // nonzero: left out of the civil-air-defence report
    int m_nSteel = 0;
    int m_nGrade = 30;            // concrete grade
    float m_fEs = 2.06e8f;        // kN/m², printed for steel members
    float m_fX1 = 0, m_fY1 = 0, m_fX2 = 0, m_fY2 = 0;
    float m_fXc = 0, m_fYc = 0;   // centre of an arc member
    float M[kGjStations] = {};
    float V[kGjStations] = {};
    float N[kGjStations] = {};    // tension positive
    float AsTop[kGjSections] = {};
    float AsBottom[kGjSections] = {};
    float AsLeft[kGjSections] = {};
    float AsRight[kGjSections] = {};
    float Asv[kGjSections] = {};  // stirrups at the spacing
    float Ux[kGjStations] = {};
    float Uy[kGjStations] = {};
    int m_nIndex = -1;            // position + 1: the member's label in the scheme
    float m_fForce1 = 1.0f, m_fForce2 = 1.0f;  // factors on M, V and N

private:
    void DrawValue(CBase_SGT* d, float x0, float y0, int pos, bool arcCodes, float value, const char* format,
                   float offset) const;
    void DrawCurve(CBase_SGT* d, float x0, float y0, const float* values, float scale, float sign) const;
};

// The frame client of one run.
class CGjFrmJs {
public:
    CGjFrmJs();
    ~CGjFrmJs();
    CGjFrmJs(const CGjFrmJs&) = delete;
    CGjFrmJs& operator=(const CGjFrmJs&) = delete;

    // The frame library's input stage on "yxy_js.dat" of the current folder,
    // then the members from its structure file (what a run does right after
    // making the client).
    void Start();
    // Members from "STRUC_LD.FB": count, kind, material, section, grade and
    // geometry ("读入梁信息时发生错误" when it cannot be read).
    void gj_read_struc_ld();
    // M, N, V and the displacements of load case 0 from "FORCE.FB"; a file of
    // another member count gives 301 and no results.
    void gj_read_force();
    // The analysis, the forces, the report and the drawings. A failure leaves
    // JS_ERROR_CODE set; so does a report or a drawing that could not be made
    // or a member left without design.
    void Run();

    // Allocates n default members (index i + 1). False when memory runs out.
    bool SetMemberCount(int n);
    // Takes the data object's design parameters, title, flags, factors and file names.
    void SetData(CGjData* data);

    // After the analysis and the force read: the report (the civil-air-defence or
    // the ordinary form, designing the members on the way), then the drawings.
    // Problems of either leave `Failed()` true.
    void ReportAndDraw();
    bool Failed() const { return m_bFailed; }

    // ---- design and report
    void gj_design_member(int i, std::FILE* fp);
    // Opens the report file, writes the form the flag asks for, puts it in place.
    int WriteReport();
    void OutReportProtective();
    void OutReport();
    // The second-order moments of member i at its three sections (2010 code).
    void GetZhuErJieWanJu(int i);

    // ---- drawings
    void DrawDiagrams();
    void SetExtents();
    void SetTextHeight();
    void SetScales();
    void DrawJiSuanJianTu(CBase_SGT* d, float x0, float y0);
    void DrawWeiYiTu(CBase_SGT* d, float x0, float y0);
    void DrawWanJuTu(CBase_SGT* d, float x0, float y0);
    void DrawJianLiTu(CBase_SGT* d, float x0, float y0);
    void DrawZhouLiTu(CBase_SGT* d, float x0, float y0);
    void DrawPeiJinTu(CBase_SGT* d, float x0, float y0);
    void DrawNeiLiJianTu(CBase_SGT* d, float x0, float y0);
    void DrawWanJuJianTu(CBase_SGT* d, float x0, float y0);
    void DrawJianLiJianTu(CBase_SGT* d, float x0, float y0);
    void DrawZhouLiJianTu(CBase_SGT* d, float x0, float y0);
    void DrawWeiYiJianTu(CBase_SGT* d, float x0, float y0);
    void DrawTitle(CBase_SGT* d, float x0, float y0, const char* title);

    CGjData* m_pData = nullptr;
    std::FILE* m_pReport = nullptr;
    float m_fBaseTextHeight = 0.2f;
    float m_fXMax = 0, m_fXMin = 0, m_fYMax = 0, m_fYMin = 0;
    float m_fWidth = 12.0f, m_fHeight = 12.0f;
    int m_nNum = 0;
    std::vector<CGjGouJian> m_GouJian;
    std::unique_ptr<PJ_COLUMN> m_pPJ;  // alive while one member is designed
    kv::frame::FB_DATE_Frm m_cFbDate;
    kv::frame::YXY_Frm m_cYxy;
    std::unique_ptr<kv::frame::force_file_Frm> m_pForce;  // alive while the forces are read

    // design parameters (copied from the data object)
    int as = 35;
    int m_nBarGrade = 2, m_nStirrupGrade = 1, m_nSpacing = 200;
    float m_fMidspan = 1.0f, m_fSupport = 1.0f;
    float m_fForce1 = 1.0f, m_fForce2 = 1.0f;
    int m_nConGrade = 25;
    int m_nSteam = 0;
    float m_fTextScale = 1.0f, m_fGraphScale = 1.0f;

    // what the report and the drawings take from the data object
    int m_nRenFang = 0;            // civil-air-defence frame
    int m_nPDelta = 0;
    int m_nInsertResults = 0, m_nInsertScheme = 1;
    std::string m_strTitle;
    std::string m_strDataName;     // model files are named after it
    float m_fCaseFactor[kGjLoadCases] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    std::string m_strDxf[kGjDiagrams];
    std::string m_strRtf;

private:
    bool m_bFailed = false;
};

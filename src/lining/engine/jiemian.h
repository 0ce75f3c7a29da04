#pragma once
// The abstract base of the lining cross-sections: the common record (modulus,
// iteration limits, diagram factors) with its line in the lining data file, the
// calculation state, the default answers of the virtual operations and the
// symmetry rules. Each section type adds its geometry, its driver and drawings.
#include <cstdio>

#include "design/liefen.h"
#include "drawing/dxf.h"

class CBase_SGT;
class CGangJin;
class CHeZaiCanShu;
class CHeZaiZuHe;
class CLiningOwner;
class PJ_COLUMN;

class CJieMianBase {
public:
    CJieMianBase() = default;
    CJieMianBase(const CJieMianBase&) = default;
    CJieMianBase& operator=(const CJieMianBase&) = default;

    // The common line; every section reads and writes it before its own lines.
    // -1 for a null file or one that ended before the line, else 0.
    virtual int LoadData(std::FILE* fp);
    virtual int SaveData(std::FILE* fp);
    // "[ 衬砌参数 ]" of the section.
    virtual int WriteCanShu(std::FILE* fp) = 0;
    // The section's driver for the state in m_nState.
    virtual int JiSuan(std::FILE* fp) = 0;
    // The calculation sketch; the base scales it to the extent and adds the grouting.
    virtual int DrawJsJt(CBase_SGT* drawing);
    // Two values beside a point of the sketch, while an outline drawing is open.
    virtual int DrawLabel(CBase_SGT* drawing, int direction, float first, float second, float x, float y,
                          float height, float angle);
    virtual int DrawOutline(CBase_SGT* drawing) = 0;
    // Opens the outline drawing and draws the outline.
    virtual int DrawJieMian(CBase_SGT* drawing);
    virtual int DrawGuanJiang(CBase_SGT* drawing) = 0;
    // Result diagram q (0..6) and the deformation of one side (1 left, 0
    // right) from the node results (six values a node); the base draws nothing.
    virtual int DrawNeiLi(CBase_SGT* drawing, int q, int n, const double* results, int side);
    virtual int DrawBianXing(CBase_SGT* drawing, int n, const double* results, int side);
    // The section stands on supports (an open section).
    virtual int HasZhiZuo();
    // A symmetric half is computed.
    virtual int IsSymHalf();
    // The two supports are alike.
    virtual int IsZhiZuoSym();
    // The loads are symmetric left/right.
    virtual int IsLoadSym();
    // The top is an arch (grouting by a range angle, not a start distance).
    virtual int IsTopArch();
    // No part takes the "other" grouting.
    virtual int OnlyTopGrout();
    // A quarter of a doubly symmetric section is computed.
    virtual int IsQuarter();
    // Bounding rectangle of the section axis, m.
    virtual int GetExtent(CFRect& extent) = 0;
    // Height of a side wall (side 1 left or only side, 0 right) and half width for
    // the rock distributions; the base takes them from the extent.
    virtual float GetHeight(int side);
    virtual float GetHalfWidth(int side);
    // Seismic-effect diagram e (0 N, 1 Q, 2 M) of one side; the base draws nothing.
    virtual int DrawDiZhen(CBase_SGT* drawing, int e, int n, int side);

    virtual ~CJieMianBase() = default;

    // The owner's load parameters (none without an owner).
    CHeZaiCanShu* GetHeZai() const;
    // Component, drawing scale and sign of result diagram 0..6; null outputs are skipped.
    void GetDiagramInfo(int diagram, int* component, float* scale, int* sign) const;
    float GetTextHeight() const { return m_fTextHeight; }
    static float FCos(float angle);
    static float FSin(float angle);
    static void ClearDesignResult(cross_lf* result);

    // ---- element transfer matrices (transfer_matrix.cpp) ----
    // State order N, Q, M, U = E·u, V = E·v, Φ = E·φ; matrices 6×6 row-major.
    // State matrix of element i of n at a Runge-Kutta stage (1..4) of a straight
    // part of length L or an arc of radius R and central angle θ; the thickness
    // runs linearly t0 → t1 over the part, k/E acts on V when `flag` is set.
    int StateMatrix_Line(int n, int i, int stage, float L, float t0, float t1, int flag, float k, double* A) const;
    int StateMatrix_Arc(int n, int i, int stage, float R, float theta, float t0, float t1, int flag, float k,
                        double* A) const;
    // Stage matrix K_c = h·A(s_c)·(I + f_c·K_(c-1)); `previous` is unused at stage 1.
    int StageK_Line(int n, int i, int stage, float L, float t0, float t1, int flag, float k, const double* previous,
                    double* K) const;
    int StageK_Arc(int n, int i, int stage, float R, float theta, float t0, float t1, int flag, float k,
                   const double* previous, double* K) const;
    // Element transfer matrix H = I + Σ w_c·K_c with the resistance flags of the
    // element's start, midpoint and end.
    int CalHj_Line(int n, int i, float L, float t0, float t1, int startFlag, int midFlag, int endFlag, float k,
                   double* H) const;
    int CalHj_Arc(int n, int i, float R, float theta, float t0, float t1, int startFlag, int midFlag, int endFlag,
                  float k, double* H) const;
    // The joint between two parts whose axes turn by `alpha` (radians).
    static int RotateMatrix(double* R, double alpha);
    // C (r×c) = A (r×k) · B (k×c); C must not overlap A or B.
    static void MatMul(double* C, const double* A, const double* B, int r, int k, int c);

    // ---- part integrators and load intensities (part_integrators.cpp) ----
    // Each integrator fills, element by element, the n transfer matrices (36
    // doubles each) and load vectors (6 each, without the element length) of one
    // part from its n + 1 node flags and n midpoint flags; it stops at the first
    // element that fails and returns -1. `log` may be null.
    // A floor (floor 1, run from its outer end to the centre) or roof (0).
    int CalDiBan(int n, float L, float t, float k, const int* nodeFlags, const int* midFlags, double* H, double* P,
                 int floor, float y0, float x0, std::FILE* log);
    // A straight wall from the elevation y0 over the height L, upwards (side 1) or downwards (0).
    int CalCeQiang(int n, float y0, float L, float t, float k, const int* nodeFlags, const int* midFlags, double* H,
                   double* P, int side, std::FILE* log);
    // A crown arch of half angle θ springing at y0, x0: side 1 from the springing, 0 from the crown.
    int CalDingGong(int n, float R, float t0, float t1, float theta, float y0, float x0, float k, const int* nodeFlags,
                    const int* midFlags, double* H, double* P, int side, std::FILE* log);
    // An invert of half angle θ from its lowest point outwards.
    int CalDiGong(int n, float R, float t0, float t1, float theta, float k, const int* nodeFlags, const int* midFlags,
                  double* H, double* P, std::FILE* log);
    // A quarter-circle corner, at the bottom (bottom 1) or at the top at the elevation yOff (0).
    int CalYuanJiao(int n, float R, float t0, float t1, float k, const int* nodeFlags, const int* midFlags, double* H,
                    double* P, int bottom, float yOff, std::FILE* log);
    // A side arch of angle θ ending at φe from the downward vertical (types 8 to 10 and 14).
    int CalCeGong(int n, float R, float t0, float t1, float theta, float y0, float k, const int* nodeFlags,
                  const int* midFlags, double* H, double* P, int side, float phiE, std::FILE* log);
    // A side arch of angle θ starting at φe from the crown.
    int CalCeGongEx(int n, float R, float t0, float t1, float theta, float y0, float x0, float k, const int* nodeFlags,
                    const int* midFlags, double* H, double* P, int side, float phiE, std::FILE* log);

    // Element load vectors of the kinds above (Runge-Kutta over the element).
    int CalPj_DiBan(int n, int i, float L, float t, float k, int floor, float y0, float x0, int f0, int fm, int f1,
                    double* P, std::FILE* log);
    int CalPj_CeQiang(int n, int i, float y0, float L, float t, float k, int side, int f0, int fm, int f1, double* P,
                      std::FILE* log);
    int CalPj_DingGong(int n, int i, float R, float t0, float t1, float theta, float y0, float x0, float k, int side,
                       int f0, int fm, int f1, double* P, std::FILE* log);
    int CalPj_DiGong(int n, int i, float R, float t0, float t1, float theta, float k, int f0, int fm, int f1,
                     double* P, std::FILE* log);
    int CalPj_YuanJiao(int n, int i, float R, float t0, float t1, float k, int bottom, float yOff, int f0, int fm,
                       int f1, double* P, std::FILE* log);
    int CalPj_CeGong(int n, int i, float R, float t0, float t1, float theta, float y0, float k, int side, float phiE,
                     int f0, int fm, int f1, double* P, std::FILE* log);
    int CalPj_CeGongEx(int n, int i, float R, float t0, float t1, float theta, float y0, float x0, float k, int side,
                       float phiE, int f0, int fm, int f1, double* P, std::FILE* log);

    // Load intensity at a stage point: p[0] tangential, p[1] normal (towards the
    // inside), the rest 0, under the combination factors of m_nState.
    int LoadAt_DiBan(int n, int i, int stage, float L, float t, int floor, float y0, float x0, double* p);
    int LoadAt_CeQiang(int n, int i, int stage, float y0, float L, float t, int side, double* p);
    int LoadAt_DingGong(int n, int i, int stage, float R, float t0, float t1, float theta, float y0, float x0,
                        int side, double* p);
    int LoadAt_DiGong(int n, int i, int stage, float R, float t0, float t1, float theta, double* p);
    int LoadAt_YuanJiao(int n, int i, int stage, float R, float t0, float t1, int bottom, float yOff, double* p);
    int LoadAt_CeGong(int n, int i, int stage, float R, float t0, float t1, float theta, float y0, int side,
                      float phiE, double* p);
    int LoadAt_CeGongEx(int n, int i, int stage, float R, float t0, float t1, float theta, float y0, float x0,
                        int side, float phiE, double* p);

    // Thickness at a stage point of an element of a part running t0 → t1.
    static float StageValue(int n, int i, int stage, float t0, float t1);
    // Side rock pressure at the elevation y of side 1 (left or only) or 0 (right).
    float SideRockAt(float y, int side);
    // Top (upper 1) or bottom (0) rock pressure at x from the section's left edge.
    float TopRockAt(float x, int upper);
    // γ0 and the design-situation factor ψ of a state; -1 for a state outside 0..2.
    int GetZuHeFactor(float* gamma0, float* psi, int state);
    // Partial factor γ and long-term coefficient ψc of a load item in a state.
    int GetLoadFactor(float* gamma, float* psiC, const CHeZaiZuHe& table, int state, int item);
    // Scales each term by its combination factors; `top` selects the top (1) or
    // bottom (0) rock item, `topGrout` the top (1) or other (0) grouting item
    // (-1: as `top`). -1 leaves them as they are.
    int ApplyZuHe(float& rock, float& side, float& weight, float& grout, float& inner, float& outer, int top,
                  int topGrout = -1);

    // ---- boundary rows and resistance checks (boundary_rows.cpp) ----
    // Three rows (3×6) that state an end: 0 symmetry cut, 1 hinge, 2 fixed end,
    // 3 elastic support of coefficient k, thickness t, second moment I; `flag`
    // negates the spring terms. -1 for a null output or another type.
    static int BoundaryMatrix(int type, double* rows, float k, float t, float I, float E, int flag);
    // The rows of a support kind: 0 铰支, 1 固定支座, 2 弹性支座 (I = t³/12).
    // Another kind gets zero rows and -1.
    static int SupportMatrix(int kind, double* rows, float k, float t, float E, int flag);
    // Sets the node flags (and the midpoint flags) from the normal displacements
    // of the node results (6 per node, u, v in m): 1 where v exceeds the
    // threshold. 1 when no flag changed; midpoints count only with `midpoints`.
    int CheckKangLi(int n, int parts, const double* nodes, int* nodeFlags, int* midFlags, int midpoints,
                    std::FILE* log) const;
    // Largest change of a normal displacement against the previous results, m.
    static float CheckWeiYi(int n, int parts, const double* nodes, const double* previous, std::FILE* log);

    // ---- results of a run: the report rows and the section design of the nodes
    // The conclusion of the resistance iteration, in colour.
    int WriteJieLun(int count, int converged, float difference, std::FILE* report);
    // The three head lines of a results table; 1.
    int WriteResultHead(std::FILE* report);
    // Rows and design of the n + 1 nodes of the part m_nShuChuBuWei: k the part's
    // rock coefficient (MN/m³), t0 and t1 its thickness (m) at the two ends; 0.
    int OutputPart(int n, const double* results, float k, float t0, float t1, std::FILE* report);
    // The start of a node's row (values N, Q, M, u, v, φ, M − ΔM); values below
    // 1e-6 become 0 in `values`. 0 for null values, else 1.
    int WriteResultRow(int node, double values[7], double resistance, std::FILE* report);
    // Designs one node (reinforcement, or the crack width in the crack state) and
    // ends its row; 1.
    int DesignNode(int node, float t, double N, double Q, double M, double mMinus, std::FILE* report);
    int WriteDesignRow(int node, float t, double N, double Q, double M, double mMinus, PJ_COLUMN* design,
                       std::FILE* report);
    // 0 without a report (nothing computed), else 1.
    int WriteCrackRow(float t, double N, double M, CJsLieFen* crack, std::FILE* report);
    // The crack section of thickness t (m) with the bars of the tension face; 1.
    int FillCrossLf(float t, cross_lf* record, int tensionInner);
    // Equivalent diameter (mm) of a bar set; -1 (and 0.00001) for a set without bars, else 0.
    static int EquivalentDiameter(float* out, CGangJin bars);
    // The note on exempt crack rows; 0 without a report, else 1.
    int WriteCrackNote(std::FILE* report);

    // ---- drawings of a run (the sketch, result diagrams and their helpers)
    // Fills the owner's memory drawings from the node results of the state.
    int DrawResults(int n, const double* results);
    // A dimension between two points with its value; `unused` is not read.
    int DrawDimension(CBase_SGT* drawing, float x1, float y1, float x2, float y2, float value, float arrow,
                      float unused, float textHeight, int flag);
    // Moves the start of a radius longer than the extent height so that half the
    // height stays drawn; 1 when moved.
    int ShortenRadius(float* x, float* y, float* length, float angle, int allowed);
    struct RadiusMark {
        CBase_SGT* drawing = nullptr;
        float x = 0, y = 0;       // centre, m
        float length = 0;         // R, m
        float angle = 0;          // degrees
        float textHeight = 0;
        float scale = 1;
        int textOffset = 0;
        int mayShorten = 0;
        int shorten = 0;
    };
    int DrawRadius(const RadiusMark& mark);
    // Faces of an arc member (face 0 both, 1 inner, 2 outer), angles in radians.
    int DrawArcFaces(CBase_SGT* drawing, float x, float y, float R, float a0, float a1, float t0, float t1,
                     int steps, int face);
    int DrawWallArchFaces(CBase_SGT* drawing, float a, float footY, float H, float cx, float cy, float R,
                          float rightAngle, float leftAngle, float tSpring, float tCrown, float tWall, int face,
                          int sides);
    int DrawArcPair(CBase_SGT* drawing, float a, float b, float c, float d, float e, float f, float g, float h,
                    float l, float m, float o, float r, int face);
    // Support symbol (0 铰支, 1 固定支座, 2 弹性支座) on P1→P2.
    int DrawZhiZuo(CBase_SGT* target, int kind, float x1, float y1, float x2, float y2, int flag, float size,
                   float extension);
    int DrawTopGrout(CBase_SGT* drawing, float x, float y, float R, float leftLimit, float rightLimit, int label);
    int DrawOtherGrout(CBase_SGT* drawing, float x, float y, float R, float leftRange, float rightRange,
                       int label);
    int DrawRoofGrout(CBase_SGT* drawing, float roofY, float halfSpan);
    // Value diagrams along an arc and a straight vertical member; `results`
    // points at the component in the first node's record.
    int DrawArcValue(CBase_SGT* drawing, int q, int n, const double* results, float x, float y, float R, float a,
                     float b, float g, float k, int side, int outward, int mode);
    int DrawLineValue(CBase_SGT* drawing, const double* results, int q, int n, float x, float y0, float L, float g,
                      float k, int side, int outward, int cont);
    int DrawArcBianXing(CBase_SGT* drawing, const double* results, int n, float x, float y, float R, float a,
                        float b, float factor, int side, int mode);
    int DrawLineBianXing(CBase_SGT* drawing, const double* results, int n, float x, float y0, float L,
                         float factor, int side, int cont);

    int m_bLieFengZhuShi = 0;     // an exempt node was met: print the crack note
    CLiningOwner* m_pData = nullptr;  // owner, set by it after construction and every read
    float m_fE = 23000.0f;        // elastic modulus, MPa
    float m_fMoHuiHeZai = 0;      // additional dead load, kN/m²
    int m_nShuChuBuWei = 0;       // kind of the part being output
    int m_nState = 0;             // 0 forces and reinforcement, 1 crack width, 2 long-term
    int m_bJianTuBiaoTi = 0;      // the sketch gets its title
    float m_fDiZhenXiaoYing[3] = {0, 0, 0};  // seismic action: axial, shear, bending
    int m_bDingGongGuanJiang = 0;  // the part lies in the crown region (top grouting)
    int m_bJieMianDrawn = 0;      // an outline drawing is open
    float m_fJianTuSize = 1000.0f;  // sketch size, drawing units
    float m_fBiLi = 1.0f;         // sketch scale
    float m_fTextHeight = 40.0f;
    float m_fPartAs1 = 0, m_fPartAs2 = 0;  // largest areas of the part last designed
    float m_fPartAs[10] = {};     // the pairs of up to five parts
    int m_nMaxDieDai = 10;        // largest number of resistance iterations
    int m_nKangLiYaoQiu = 1;      // resistance check: nonzero at nodes and midpoints ("高")
    float m_fRongCha = 0.01f;     // tolerance of the normal-displacement check
    float m_fKangLiMenXian = 1e-7f;  // normal displacement above which the rock resists
    float m_fHeZaiBiLi = 1.0f;    // load arrows on the sketch, per cent
    float m_fTuBiLi[7] = {0.5f, 0.5f, 0.5f, 1.0f, 200.0f, 1.0f, 1.0f};  // diagram factors
    int m_nTuFuHao[6] = {0, 0, 0, 0, 1, 0};  // diagram signs of N, Q, M, u, v, φ
};

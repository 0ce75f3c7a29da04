#pragma once
// The abstract base of the lining cross-sections: the common record (modulus,
// iteration limits, diagram factors) with its line in the lining data file, the
// calculation state, the default answers of the virtual operations and the
// symmetry rules. Each section type adds its geometry, its driver and drawings.
#include <cstdio>

#include "drawing/dxf.h"

class CBase_SGT;
class CHeZaiCanShu;
class CLiningOwner;

// The record that crack-width design fills: 25 four-byte values.
struct cross_lf {
    float values[25];
};

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
    // A result diagram and the deformation; the base draws nothing.
    virtual int DrawNeiLi(CBase_SGT* drawing, int diagram);
    virtual int DrawBianXing(CBase_SGT* drawing);
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
    // The seismic-effect diagrams; the base draws nothing.
    virtual int DrawDiZhen(CBase_SGT* drawing);

    virtual ~CJieMianBase() = default;

    // The owner's load parameters (none without an owner).
    CHeZaiCanShu* GetHeZai() const;
    // Component, drawing scale and sign of result diagram 0..6; null outputs are skipped.
    void GetDiagramInfo(int diagram, int* component, float* scale, int* sign) const;
    float GetTextHeight() const { return m_fTextHeight; }
    static float FCos(float angle);
    static float FSin(float angle);
    static void ClearDesignResult(cross_lf* result);

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

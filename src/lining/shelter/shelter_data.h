#pragma once
// The shelter lining's data: section kind, clear sizes and thicknesses (mm),
// rock resistance, static and blast loads, the three load combinations and the
// run, material, bar and drawing settings; the section geometry derived from them.
#include <cstdio>

#include "base/jsdata.h"

// Section kinds.
inline constexpr int kChenQiZhiQiangWuDiBan = 0;   // 直墙拱(无底板)
inline constexpr int kChenQiZhiQiangDiBan = 1;     // 直墙拱(有底板)
inline constexpr int kChenQiZhiQiangYangGong = 2;  // 直墙拱(有仰拱)
inline constexpr int kChenQiQuQiang = 3;           // 曲墙拱

// Load combinations and the loads of one combination.
inline constexpr int kChenQiZuHeNum = 3;    // 0 平时, 1 核爆, 2 常武
inline constexpr int kChenQiLoadNum = 11;   // loads per combination
inline constexpr int kChenQiDiagramNum = 10;

// Section and loads.
class CChenQiCanShu {
public:
    int nType = 0;          // section kind 0..3
    float L = 6000.0f;      // clear width
    float H = 5000.0f;      // clear height of the side walls (kind 3: side arches)
    float f = 2000.0f;      // inner rise of the crown
    float fi = 500.0f;      // inner rise of the invert
    float fs = 500.0f;      // inner rise of the side arches
    float tc = 300.0f;      // crown thickness (kind 3: crown and side arches)
    float tb = 400.0f;      // floor or invert thickness
    float tw = 400.0f;      // side-wall thickness
    float R = 4000.0f;      // outer radius of the crown (kinds 0..2)
    int nZhiZuo = 0;        // wall foot of kind 0: 0 hinged, 1 fixed, 2 elastic
    float kTop = 500.0f;    // rock resistance of the crown, MN/m3
    float kBottom = 500.0f; // of the floor or invert; kind 0: of the elastic foot
    float kSide = 500.0f;   // of the side walls or side arches
    float E = 23000.0f;     // elastic modulus, MPa
    // [position][kind]: position 0 top (q1), 1 bottom (q3), 2 side (q2);
    // kind 0 static rock pressure, 1 核爆, 2 常武 equivalent static load.
    float q[3][3] = {{40.0f, 70.0f, 50.0f}, {40.0f, 70.0f, 50.0f}, {40.0f, 70.0f, 50.0f}};
    float reserved[3] = {0.0f, 45.0f, 0.0f};  // kept in the file only
    float gamma = 24.0f;      // unit weight, kN/m3
    float moHui = 0.5f;       // plaster load, kN/m
    float huiTian = 12.0f;    // backfill load on the crown, kN/m
    float shuiTou = 0.0f;     // external water head, m
    float shuiZheJian = 0.4f; // reduction of the external water pressure
};

// Whether a load takes part in a combination, and its factor.
class CChenQiZuHeItem {
public:
    int nFlag = 1;
    float fXiShu = 1.0f;
};

class CChenQiData : public CJsDataBase {
public:
    CChenQiData();
    ~CChenQiData() override;

    using CJsDataBase::LoadData;
    using CJsDataBase::SaveData;

    int CheckData() override;
    int LoadData(const char* path) override;
    int SaveData(const char* path) override;

    // Blast loads of 平时 off; switches, run, material, bar and drawing
    // settings to their defaults (the section and loads keep theirs).
    void SetDefault();
    // The lines after the marker. ReadBody takes them only when every line is
    // there with all its fields and the kind and segment count are usable;
    // otherwise it answers 0 and the object is unchanged.
    int ReadBody(std::FILE* fp);
    int WriteBody(std::FILE* fp);
    // Exchange with the lining-load tool: mode 1 writes the sizes, mode 0 reads
    // the equivalent loads. 0 when mode 0 finds no file or for another mode.
    int DoExOutIni(const char* path, int mode);

    // Combination c (0 平时, 1 核爆, 2 常武), load k (0..10).
    CChenQiZuHeItem& ZuHe(int c, int k) { return m_ZuHe[c * kChenQiLoadNum + k]; }
    const CChenQiZuHeItem& ZuHe(int c, int k) const { return m_ZuHe[c * kChenQiLoadNum + k]; }

    // ---- geometry (mm; x = 0 on the axis, y = 0 at the inner wall foot) ----
    // Junctions of the left half of face line s (0 inner, 1 centre, 2 outer):
    // crown with side (top) and side with floor or invert (bottom). 1; 0 for a
    // bad face line or a circle that cannot be formed; -1 when the crown does
    // not meet the side, -2 when the floor or invert does not. Outputs are
    // written only on success.
    int GetPartGeometry(int s, float* xt, float* yt, float* xb, float* yb) const;
    // Circle of part p (0 crown, 1 side, 2 floor or invert) on face line s.
    // *r is 0 first; 0 for a straight part or when no circle goes through.
    int GetPartArc(int s, int p, float* r, float* cx, float* cy) const;
    // Thickness of part p at node i (0..n); *t is 0 first; 0 for i or p out of
    // range and for the floor of kind 0.
    int GetHouDu(int i, int p, float* t) const;
    // Kind 3: the crown rise (mode 0) or side-arch rise (mode 1) tangent to the
    // other arch. 1 when usable.
    int GetTangentRise(int mode, float* rise) const;
    // Whether the section can be built and its faces do not cross: 1, else the
    // failing step's result after a message (code 301).
    int CheckSize() const;

    CChenQiCanShu m_CanShu;
    CChenQiZuHeItem m_ZuHe[kChenQiZuHeNum * kChenQiLoadNum];
    int m_bZuHe[kChenQiZuHeNum] = {1, 1, 1};  // 平时, 核爆, 常武 on
    int m_bShowHeZai = 1;                      // loads on the sketch
    float m_fGamma0 = 1.0f;                    // importance factor
    int m_nFenDuan = 10;                       // segments of every part
    int m_nMaxDieDai = 10;                     // iterations
    int m_nKangLiYanZheng = 1;                 // resistance check: 0 low, 1 high
    int m_bDuiChen = 1;                        // symmetric reinforcement
    int m_nHunNingTu = 30;                     // concrete C number
    int m_nZongJin = 2;                        // longitudinal bar grade
    int m_nLaJin = 1;                          // tie grade
    float m_fTiaoZheng = 1.0f;                 // reinforcement adjustment factor
    float m_fAs = 35.0f;                       // bar centroid to face
    int m_bZhengQi = 0;                        // steam curing or early-strength admixture
    int m_nZongJinD[3] = {12, 32, 14};         // longitudinal diameter min, max, preferred
    int m_nLaJinD[3] = {8, 10, 8};             // tie diameter min, max, preferred
    int m_nLaJinS[3] = {70, 300, 150};         // tie spacing min, max, preferred
    float m_fBiLi[kChenQiDiagramNum];          // sketch scale per diagram
    float m_fZhi[kChenQiDiagramNum];           // diagram 0: load drawing; others: amplification
    float m_fDongLi[2] = {1.0f, 1.0f};         // dynamic factors of 核爆, 常武
};

// The data file's marker (the result file has the same one).
inline constexpr const char* kChenQiMarker = "ChenQi_V10";
// Segment counts a file may hold.
inline constexpr int kChenQiMinFenDuan = 2;
inline constexpr int kChenQiMaxFenDuan = 100;

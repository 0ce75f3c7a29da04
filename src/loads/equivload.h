#pragma once
// Equivalent static blast loads of a basement member (GB 50038-2005): the record
// of every input, intermediate value and result, and the formulas that fill it.
//
// One plain record: each calculation reads and writes its fields. Fields are
// 32-bit ints and floats and every step stores its values as float, so results
// printed to 2 or 3 decimals come out the same wherever they are computed.
// Power, root and trigonometric functions run in double and are stored as float.
//
// Units: lengths m, pressures kPa, times s, frequencies 1/s.
#include <string>

class CEquivLoad {
public:
    CEquivLoad();

    // ---- input guard and the two stages -----------------------------------
    // Replaces non-positive divisors and factors by 0.001 and negative cover and
    // air content by 0. Reports nothing.
    void CheckInput();
    // Nuclear stage: △Pms, Ph, Pc, Kd, qe of roof, floor and the two walls.
    void CalNuclear();
    // Conventional-weapon stage: △Pcm, t0, Pch, Pc, Kdc, qce of roof and walls.
    // Re-derives the roof's Ce and Kr from the cover and, on saturated soil,
    // sets γ to 1.5: both stay in the record.
    void CalConventional();

    // ---- nuclear steps and formulas ----------------------------------------
    void CalDeltaPms();
    void CalPh();
    void CalPc();
    void CalKdN();
    void CalQe();
    // Overpressure of a member: part 1 the roof, any other the wall.
    float GetDeltaPmsFactor(int part, float deltaPm, int nuclearClass, int upperBuilding) const;
    float CalPhOne(float deltaPms, float depth, float v0, float gamma, float delta, int nuclearClass) const;
    // Reflection factor K of the roof; also reads m_bMainStructure.
    float CalK(float depth, float spanL0, int nuclearClass, int structForm, int saturated, float deltaPm,
               float airContent) const;
    float GetDepthLimitK(int nuclearClass, float spanL0) const;
    float GetKTable(float depth, int nuclearClass, int structForm) const;
    float GetKSoil(float depth, int nuclearClass, int structForm, int saturated, float deltaPm, float alpha) const;

    // ---- conventional steps and formulas -----------------------------------
    void CalDeltaPcm();
    void CalPch();
    void CalPcC();
    void CalKdc();
    void CalQce();
    // Dynamic factor of a member, kind 1 roof or 2 wall, shape 1 a load without
    // rise time, otherwise with it. Writes the member's times into the record.
    float CalKdcOne(int kind, float beta, float omega, int shape);

    // ---- natural frequency and dynamic factor -------------------------------
    // Natural circular frequency of a rectangular slab: lx between the left and
    // right edges, ly between the bottom and top edges, thickness h (m), unit
    // weight (kN/m3), concrete grade (30 for C30), edge codes bottom, right, top,
    // left (0 simple, 1 fixed, 2 elastic) and the fixity of the code-2 edges.
    float CalOmega(float lx, float ly, float h, float unitWeight, int grade, const int edges[4],
                   float factor) const;
    // Beam of span L, width b and depth h (m), support case 1..10.
    float CalOmegaBeam(float span, float unitWeight, float width, float depth, int grade, int supportCase) const;
    // Plate of sides a (horizontal) and b, thickness h (m), support case 1..6.
    float CalOmegaPlate(float a, float b, float h, float unitWeight, int grade, int supportCase) const;
    // Support case of the edge codes, each code 2 read as `value`. kind 0: strip
    // spanning ly, 1: strip spanning lx, 2: plate (negative: swap the sides).
    int GetSupportCase(int kind, int value, float lx, float ly, const int edges[4]) const;
    // Dynamic factor of the nuclear load: shape 1 without rise time, otherwise
    // from the curves over ω·t.
    float CalKd(float beta, float omega, float riseTime, int shape) const;

    // ---- report --------------------------------------------------------------
    // Writes the text report of the member group (roof and floor, or wall) to
    // `path` and opens it in the desktop's text editor. False when the file could
    // not be written (then no editor is started).
    bool WriteReport(const char* path);
    bool WriteRoofReport(const char* path);
    bool WriteWallReport(const char* path);

    // x to n decimals, halves away from zero; the half is judged on the scaled
    // value stored as float.
    static float Round(float x, int n);

    // ---- the record, in this order -------------------------------------------
    int m_nClass;          // 0 甲类, 1 乙类
    int m_nPart;           // 0 顶底板, 1 外墙
    float m_fCover;        // 顶板覆土厚
    float m_fStoreyH;      // 地下室层高 h
    float m_fRoofDepth;    // 地下室顶板埋深 h1 (may be negative)
    float m_fSpanL0;       // 短跨净跨 L0
    int m_nStructForm;     // 0 普通结构, 1 双层结构, 2 非平顶结构
    int m_bSaturated;      // 饱和土
    int m_bMainStructure;  // 主体结构
    float m_fAirContent;   // 含气量 (%)
    float m_fGamma;        // 波速比 γ
    float m_fV0;           // 起始压力波速 v0 (m/s)
    float m_fDelta;        // 应变恢复比 δ
    float m_fXi;           // 侧压系数 ξ
    float m_fDepthRoof;    // soil depth for the roof, result
    float m_fDepthWall;    // soil depth for the wall, result
    float m_fOmegaRoof;
    float m_fOmegaFloor;
    float m_fOmegaWall;
    float m_fDeltaPm;      // 地面超压 ΔPm
    int m_nNuclearClass;   // 0 核6B, 1 核6, 2 核5, 3 核4B, 4 核4
    int m_bRoofUpperN;     // upper building counted for the roof (nuclear)
    int m_bWallUpperN;     // upper building counted for the wall (nuclear)
    float m_fDeltaPmsRoof;
    float m_fDeltaPmsWall;
    float m_fPhRoof;
    float m_fPhWall;
    float m_fPc1;
    float m_fPc3;
    float m_fPc2;
    float m_fPc2Gnd;
    float m_fK;
    float m_fEta;          // 底压系数 η
    float m_fBeta1;
    float m_fBeta3;
    float m_fBeta2;
    float m_fBeta2Gnd;
    float m_fRiseRoof;
    float m_fRiseWall;
    float m_fKd1;
    float m_fKd3;
    float m_fKd2;
    float m_fKd2Gnd;
    float m_fQe1;
    float m_fQe3;
    float m_fQe2;
    float m_fQe2Gnd;
    int m_nConvClass;      // 0 常6, 1 常5
    int m_bRoofUpperC;     // upper building counted for the roof (conventional)
    float m_fCharge;       // 等效TNT装药量 C (kg)
    float m_fDistance;     // 与爆心距离 R
    float m_fDistanceGnd;  // distance for the above-ground wall
    float m_fTheta;        // angle of incidence on the soil wall (rad)
    float m_fDeltaPcmRoof;
    float m_fDeltaPcmWall;
    float m_fPchRoof;
    float m_fEtaC;         // 修正系数 η of Pch
    float m_fPc1C;
    float m_fPc2C;
    float m_fPc2GndC;
    float m_fKrRoof;
    float m_fKrWall;
    float m_fCeRoof;
    float m_fCeWall;
    float m_fCeWallGnd;
    float m_fRho;          // 土的质量密度 ρ (kg/m3)
    float m_fSeisSpeed;    // 土的地震波波速 c (m/s)
    float m_fDecay;        // 土的衰减系数 n
    float m_fBeta1C;
    float m_fBeta2C;
    float m_fBeta2GndC;
    float m_fT0Roof;
    float m_fTrRoof;
    float m_fTdRoof;
    float m_fT0Wall;
    float m_fTrWall;
    float m_fTdWall;
    float m_fKdc1;
    float m_fKdc2;
    float m_fKdc2Gnd;
    float m_fQce1;
    float m_fQce2;
    float m_fQce2Gnd;
};

// 83 fields of 4 bytes and nothing else: the pages and callers rely on the layout.
static_assert(sizeof(CEquivLoad) == 83 * 4, "the blast-load record is 83 plain 32-bit fields");

// The record the formula wizard's pages share for the run; never stored.
extern CEquivLoad G_EquivLoad;

// The report file for a name chosen in the save dialog: an extension of the file
// name (a dot after the last '/') is cut off and ".OUT" appended.
std::string EquivLoadReportPath(const std::string& chosen);

// Asks for the report file (save dialog in the work folder, "报表文件(*.OUT)"),
// then writes and opens the report. False when cancelled or not written.
bool OutputEquivLoadReport(CEquivLoad& load);

#pragma once
// What acts on a lining: the load parameters (rock, water, grouting, unit weight)
// and the load-combination table with one item per load kind.
#include <cstdio>
#include <string>

class CBase_SGT;
struct CFRect;

// Load kinds by index (0 衬砌自重 .. 8 地震作用力).
extern const char* const G_HeZaiName[9];

class CHeZaiCanShu {
public:
    int m_bDuiCheng = 1;          // loads symmetric left/right (sections with supports)
    float m_fDiCe = 0;            // bottom rock pressure, left (or both) sides, kN/m
    float m_fDiZhong = 0;         // bottom rock pressure, middle
    float m_fDiYou = 0;           // bottom rock pressure, right side
    float m_fCeShang = 0;         // side rock pressure, top of the (left) wall
    float m_fCeXia = 0;           // side rock pressure, bottom of the (left) wall
    float m_fYouShang = 0;        // side rock pressure, top of the right wall
    float m_fYouXia = 0;          // side rock pressure, bottom of the right wall
    float m_fDingCe = 70.0f;      // top rock pressure, left (or both) sides
    float m_fDingZhong = 70.0f;   // top rock pressure, middle
    float m_fDingYou = 70.0f;     // top rock pressure, right side
    float m_fNeiShuiTou = 6.0f;   // internal water head, m
    float m_fWaiShuiTou = 0;      // external water head, m
    float m_fBeta = 0.4f;         // reduction of the external water pressure
    float m_fQiTaGuanJiang = 0;   // grouting of the other parts, kPa
    float m_fDingGuanJiang = 20.0f;  // grouting of the crown arch or roof, kPa
    float m_fFanWeiJiao = 60.0f;  // range angle of the crown grouting from the crown, degrees
    float m_fQiDianJuLi = 0;      // start distance of the roof grouting, m
    int m_bZiZhong = 1;           // self weight counted (the quarter test reads it)
    float m_fRongZhong = 24.0f;   // unit weight of the lining, kN/m³

    // Five lines; -1 for a null file, else 0.
    int LoadData(std::FILE* fp);
    int SaveData(std::FILE* fp) const;
    // "[ 荷载参数 ]" for a section with or without supports, an arch or a roof at the
    // top, and with or without other grouting; -1 for a null file, else 0.
    int WriteCanShu(std::FILE* fp, int hasZhiZuo, int topArch, int onlyTopGrout) const;
    // 1 when the loads are symmetric about the horizontal axis too, so that a doubly
    // symmetric section may be computed as a quarter: `arch` says whether the top
    // grouting is given by a range angle, `angle` (degrees) the arch it must cover.
    int IsSymmetric(int arch, float angle) const;

    // The calculation sketch's loads. Points are metres times the sketch scale s,
    // T is the text height; `loadScale` turns a pressure into a length (m).
    // The pressure diagrams beside the sides, above the top and, without
    // supports, below the bottom; the side heights of the left (H1) and right (H0) walls.
    void DrawArrows(CBase_SGT* d, const CFRect& extent, float s, float T, float loadScale, float leftHalfWidth,
                    int hasZhiZuo, float H1, float H0) const;
    // The internal and external water levels and the level they count from, `a` above the extent's bottom.
    void DrawWaterLevels(CBase_SGT* d, const CFRect& extent, float a, float s, float T) const;
};

// One side's pressure diagram on the axis x (m), from the bottom to the top;
// `left` draws it to the left of the axis.
void DrawSideLoad(CBase_SGT* d, float x, float bottom, float top, float lower, float upper, float s, float T,
                  float loadScale, int left);
// The diagram above the top (or below the bottom) from the left to the right
// edge, its middle value `halfWidth` right of the left edge.
void DrawTopBottomLoad(CBase_SGT* d, float left, float right, float base, float halfWidth, float leftValue,
                       float middleValue, float rightValue, float s, float T, float loadScale, int bottom);
// A level mark with its apex at (x, y) (drawing units), labelled "%.3f" of the value.
void DrawWaterMark(CBase_SGT* d, float x, float y, float T, float value);
// The same with a text of the caller's; no text draws the bare mark.
void DrawWaterMarkText(CBase_SGT* d, float x, float y, float T, const char* text);

class CHeZaiZuHeItem {
public:
    std::string m_strName = "荷载";
    int m_nIndex = 0;         // load kind
    int m_bJiSuan = 1;        // counted (only 1 counts)
    float m_fFenXiang = 1.2f;  // partial factor, design state
    float m_fChangQi = 1.0f;   // coefficient of the long-term combination

    // One report row, numbered `row`.
    void WriteCanShu(std::FILE* fp, int row) const;
};

class CHeZaiZuHe {
public:
    CHeZaiZuHe();
    virtual ~CHeZaiZuHe() = default;

    // Items in the file: nine, the last one (地震作用力) only when the count line
    // ends with 1. Item 9 lives in memory only.
    static constexpr int kFileItems = 9;

    std::string m_strName = "荷载组合";
    int m_nZuHe[4] = {0, 0, 0, 0};     // carried in the file
    float m_fSheJiZhuangKuang = 1.0f;  // design-situation factor ψ
    CHeZaiZuHeItem m_Items[10];

    // The name line, the factor line and the item lines; 1.
    int LoadData(std::FILE* fp);
    int SaveData(std::FILE* fp) const;
    // The table of items 0..7, and 8 with seismic action; -1 for a null file, else 1.
    int WriteCanShu(std::FILE* fp, int unused, int diZhen) const;
};

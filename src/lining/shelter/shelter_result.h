#pragma once
// The results of one shelter-lining calculation: per part (crown, side, floor
// or invert) the node values of every load combination, the enveloped bars
// with their control data, and per combination the iteration outcome.
#include <cstdio>
#include <string>
#include <vector>

#include "base/jsdata.h"

class CChenQiData;

// Node quantities: 0 N, 1 Q, 2 M, 3 U, 4 V, 5 rotation, 6 rock resistance,
// 7 inner area As0, 8 outer area As1, 9 tie area Av.
inline constexpr int kChenQiQuantityNum = 10;
inline constexpr int kChenQiPartNum = 3;
inline constexpr int kChenQiTextBytes = 99;  // GBK bytes of a name or bar text
inline constexpr int kChenQiMaxNodes = 101;

class CChenQiResultPart {
public:
    // Values of quantity q for combination c (0 平时, 1 核爆, 2 常武), one per node.
    std::vector<float>& Values(int q, int c) { return m_Values[q * 3 + c]; }
    const std::vector<float>& Values(int q, int c) const { return m_Values[q * 3 + c]; }

    std::string m_szName;  // at most 99 GBK bytes
    std::vector<float> m_Values[kChenQiQuantityNum * 3];
    float m_fAsIn = 0;   // enveloped inner longitudinal area, mm2/m
    float m_fAsOut = 0;  // enveloped outer longitudinal area
    float m_fAv = 0;     // enveloped tie area
    // Inner bars, outer bars, ties, distribution bars.
    std::string m_szGangJin[4];  // each at most 99 GBK bytes
    // Inner, outer, tie: area within 2.5 % of the section; fourth: shear section sufficient.
    int m_nFlag[4] = {};
    int m_nCtrlNode[4] = {};   // inner, outer, tie node; fourth unused (-1)
    int m_nCtrlZuHe[4] = {};   // inner, outer, tie combination; fourth unused (-1)
};

class CChenQiResult : public CJsResultBase {
public:
    CChenQiResult();
    ~CChenQiResult() override;

    int CheckData() override;
    // The result file. LoadData takes a file only when it is whole (counts
    // bounded, every line with its fields); otherwise 0 and the archive is unchanged.
    int LoadData(const char* path) override;
    int SaveData(const char* path) override;
    int ReadBody(std::FILE* fp);
    int WriteBody(std::FILE* fp);

    // No parts, no iterations, every combination converged.
    void Reset();
    // Three parts named for the data's kind, n + 1 zero nodes each, default bars.
    int SetParts();

    std::vector<CChenQiResultPart> m_Parts;
    int m_nDieDai[3] = {0, 0, 0};       // resistance iterations per combination
    int m_bShouLian[3] = {1, 1, 1};     // converged per combination
    CChenQiData* m_pChenQi = nullptr;   // the shelter data (not owned)
};

#pragma once
// Section type 8, 马蹄形(平底): a flat floor, two side arches and a top arch (a flat-bottomed horseshoe).
#include "lining/sections/jm_pending.h"

class CJmMaTiPingDi : public CJmPending {
public:
    CJmMaTiPingDi();
    int LoadData(std::FILE* fp) override;
    int SaveData(std::FILE* fp) override;

    float m_fDiBanK = 500.0f;  // floor rock coefficient, MN/m3
    float m_fDiBanHouDu = 0.6f;  // floor thickness, m
    float m_fCeGongR = 6.0f;  // side-arch radius R2, m
    float m_fCeGongJiao = 30.0f;  // side-arch central angle, degrees
    float m_fCeGongK = 500.0f;  // side-arch rock coefficient, MN/m3
    float m_fDingGongR = 3.5f;  // top-arch radius R3, m
    float m_fDingGongBanJiao = 75.0f;  // top-arch half central angle, degrees
    float m_fDingGongK = 500.0f;  // top-arch rock coefficient, MN/m3
    float m_fCeGongJiaoHouDu = 0.6f;  // side-arch thickness at the floor, m
    float m_fDingGongJiaoHouDu = 0.6f;  // top-arch thickness at the springing, m
    float m_fGongDingHouDu = 0.6f;  // crown thickness, m
};

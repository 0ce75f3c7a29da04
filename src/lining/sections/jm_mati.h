#pragma once
// Section type 9, 马蹄形: an invert arch, two side arches and a top arch (a horseshoe).
#include "lining/sections/jm_pending.h"

class CJmMaTi : public CJmPending {
public:
    CJmMaTi();
    int LoadData(std::FILE* fp) override;
    int SaveData(std::FILE* fp) override;

    float m_fDiGongR = 9.0f;  // invert radius R1, m
    float m_fDiGongBanJiao = 15.0f;  // invert half central angle, degrees
    float m_fDiGongHouDu = 0.6f;  // invert thickness, m
    float m_fDiGongK = 500.0f;  // invert rock coefficient, MN/m3
    float m_fCeGongR = 9.0f;  // side-arch radius R2, m
    float m_fCeGongJiao = 30.0f;  // side-arch central angle, degrees
    float m_fCeGongHouDu = 0.6f;  // side-arch thickness, m
    float m_fCeGongK = 500.0f;  // side-arch rock coefficient, MN/m3
    float m_fDingGongBanJiao = 60.0f;  // top-arch half central angle, degrees
    float m_fGongDingHouDu = 0.6f;  // crown thickness, m
    float m_fDingGongK = 500.0f;  // top-arch rock coefficient, MN/m3
};

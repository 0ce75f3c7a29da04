#pragma once
// Section type 14, 曲墙: an invert arch, curved side walls and a top arch.
#include "lining/sections/jm_pending.h"

class CJmQuQiang : public CJmPending {
public:
    CJmQuQiang();
    int LoadData(std::FILE* fp) override;
    int SaveData(std::FILE* fp) override;

    float m_fDiGongR = 9.0f;  // invert radius R1, m
    float m_fDiGongBanJiao = 15.0f;  // invert half central angle, degrees
    float m_fDiGongHouDu = 0.6f;  // invert thickness, m
    float m_fDiGongK = 500.0f;  // invert rock coefficient, MN/m3
    float m_fCeGongR = 9.0f;  // side-arch radius R2, m
    float m_fCeGongH1 = 0.5f;  // side-arch centre above the invert foot, m
    float m_fCeGongH2 = 0.5f;  // top-arch foot above the side-arch centre, m
    float m_fCeGongHouDu = 0.6f;  // side-arch thickness, also the top arch at its foot, m
    float m_fCeGongK = 500.0f;  // side-arch rock coefficient, MN/m3
    float m_fDingGongBanJiao = 60.0f;  // top-arch half central angle, degrees
    float m_fGongDingHouDu = 0.6f;  // crown thickness, m
    float m_fDingGongK = 500.0f;  // top-arch rock coefficient, MN/m3
    float m_fBeta1 = 0.0f;  // angle of the invert foot below the side-arch centre, degrees; worked out with the geometry
    float m_fBeta2 = 0.0f;  // angle of the top-arch foot above the side-arch centre, degrees; worked out with the geometry
};

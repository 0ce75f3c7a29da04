#pragma once
// Section type 5, 圆拱直墙形(底拱): an invert arch, two straight walls and a circular crown arch.
#include "lining/sections/jm_pending.h"

class CJmYuanGongZhiQiangDiGong : public CJmPending {
public:
    CJmYuanGongZhiQiangDiGong();
    int LoadData(std::FILE* fp) override;
    int SaveData(std::FILE* fp) override;

    float m_fDiGongBanKuan = 3.0f;  // half-width b, centre line to the wall axis, m
    float m_fDiGongBanJiao = 10.0f;  // invert half central angle, degrees
    float m_fDiGongHouDu = 0.6f;  // invert thickness, m
    float m_fDiGongK = 500.0f;  // invert rock coefficient, MN/m3
    float m_fCeQiangGaoDu = 6.0f;  // wall height, m
    float m_fCeQiangHouDu = 0.6f;  // wall thickness, m
    float m_fCeQiangK = 500.0f;  // wall rock coefficient, MN/m3
    float m_fDingGongBanJiao = 60.0f;  // crown half central angle, degrees
    float m_fGongJiaoHouDu = 0.6f;  // crown thickness at the springing, m
    float m_fGongDingHouDu = 0.6f;  // crown thickness at the crown, m
    float m_fDingGongK = 500.0f;  // crown rock coefficient, MN/m3
};

#pragma once
// Section type 4, 圆拱直墙形(底圆角): a flat floor with rounded corners, two straight walls and a circular crown arch.
#include "lining/sections/jm_pending.h"

class CJmYuanGongZhiQiangDiYuanJiao : public CJmPending {
public:
    CJmYuanGongZhiQiangDiYuanJiao();
    int LoadData(std::FILE* fp) override;
    int SaveData(std::FILE* fp) override;

    float m_fDiBanBanKuan = 3.0f;  // floor half-width b, centre line to the start of the corner, m
    float m_fDiBanHouDu = 0.6f;  // floor thickness, m
    float m_fDiBanK = 500.0f;  // floor rock coefficient, MN/m3
    float m_fYuanJiaoBanJing = 0.5f;  // corner radius, m
    float m_fYuanJiaoK = 500.0f;  // corner rock coefficient, MN/m3
    float m_fCeQiangGaoDu = 6.0f;  // wall height from the top of the corner to the springing, m
    float m_fCeQiangHouDu = 0.6f;  // wall thickness, m
    float m_fCeQiangK = 500.0f;  // wall rock coefficient, MN/m3
    float m_fDingGongBanJiao = 60.0f;  // crown half central angle, degrees
    float m_fGongJiaoHouDu = 0.6f;  // crown thickness at the springing, m
    float m_fGongDingHouDu = 0.6f;  // crown thickness at the crown, m
    float m_fDingGongK = 500.0f;  // crown rock coefficient, MN/m3
};

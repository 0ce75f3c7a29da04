#pragma once
// Section type 12, 渐变段: a transition section: floor, rounded corners, walls and roof by its sub-type.
#include "lining/sections/jm_pending.h"

class CJmJianBianDuan : public CJmPending {
public:
    CJmJianBianDuan();
    int LoadData(std::FILE* fp) override;
    int SaveData(std::FILE* fp) override;

    int m_nLeiXing = 0;  // sub-type: 0 标准, 1 立轴长圆, 2 横轴长圆
    float m_fDiBanBanKuan = 3.0f;  // half the straight length of floor and roof L, m
    float m_fDiBanHouDu = 0.6f;  // floor thickness, m
    float m_fDiBanK = 500.0f;  // floor rock coefficient, MN/m3
    float m_fCeQiangGaoDu = 6.0f;  // straight wall height H, m
    float m_fCeQiangHouDu = 0.6f;  // wall thickness, m
    float m_fCeQiangK = 500.0f;  // wall rock coefficient, MN/m3
    float m_fDingBanHouDu = 0.6f;  // roof thickness, m
    float m_fDingBanK = 500.0f;  // roof rock coefficient, MN/m3
    float m_fYuanJiaoBanJing = 3.0f;  // corner centre-line radius R, m
    float m_fShangYuanJiaoK = 500.0f;  // upper corner rock coefficient, MN/m3
    float m_fXiaYuanJiaoK = 500.0f;  // lower corner rock coefficient, MN/m3
};

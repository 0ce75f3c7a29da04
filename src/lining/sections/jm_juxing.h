#pragma once
// Section type 13, 矩形: a box of floor, walls and roof joined at square corners.
#include "lining/sections/jm_pending.h"

class CJmJuXing : public CJmPending {
public:
    CJmJuXing();
    int LoadData(std::FILE* fp) override;
    int SaveData(std::FILE* fp) override;

    float m_fDiBanBanKuan = 3.0f;  // floor half-width L, centre to the wall axis, m
    float m_fDiBanHouDu = 0.6f;  // floor thickness, m
    float m_fDiBanK = 500.0f;  // floor rock coefficient, MN/m3
    float m_fCeQiangGaoDu = 6.0f;  // wall height H, floor axis to roof axis, m
    float m_fCeQiangHouDu = 0.6f;  // wall thickness, m
    float m_fCeQiangK = 500.0f;  // wall rock coefficient, MN/m3
    float m_fDingBanHouDu = 0.6f;  // roof thickness, m
    float m_fDingBanK = 500.0f;  // roof rock coefficient, MN/m3
};

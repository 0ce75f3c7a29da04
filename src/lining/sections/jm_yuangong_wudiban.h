#pragma once
// Section type 2, 圆拱直墙形(无底板): two straight walls and a circular crown arch standing on two supports, without a floor.
#include "lining/sections/jm_pending.h"

class CJmYuanGongZhiQiangWuDiBan : public CJmPending {
public:
    CJmYuanGongZhiQiangWuDiBan();
    int LoadData(std::FILE* fp) override;
    int SaveData(std::FILE* fp) override;
    int HasZhiZuo() override { return 1; }
    int IsZhiZuoSym() override { return m_nZhiZuoSym ? 1 : 0; }

    int m_nZhiZuoSym = 1;  // supports alike: the right fields are not used
    float m_fBanKuaKuan = 3.0f;  // half span B, crown axis to the left wall axis, m
    float m_fCeQiangGaoDu = 6.0f;  // left wall height, m
    float m_fCeQiangHouDu = 0.6f;  // left wall thickness, also the left foot, m
    float m_fCeQiangK = 500.0f;  // rock coefficient on the left wall, MN/m3
    float m_fYouCeQiangGaoDu = 6.0f;  // right wall height, m
    float m_fYouCeQiangHouDu = 0.6f;  // right wall thickness, m
    float m_fYouCeQiangK = 500.0f;  // rock coefficient on the right wall, MN/m3
    float m_fDingGongBanJiao = 60.0f;  // left crown angle from the crown axis, degrees
    float m_fGongJiaoHouDu = 0.6f;  // crown thickness at the left springing, m
    float m_fGongDingHouDu = 0.6f;  // crown thickness at the crown, m
    float m_fDingGongK = 500.0f;  // rock coefficient on the left crown half, MN/m3
    float m_fYouDingGongBanJiao = 60.0f;  // right crown angle, degrees
    float m_fYouGongJiaoHouDu = 0.6f;  // crown thickness at the right springing, m
    float m_fYouDingGongK = 500.0f;  // rock coefficient on the right crown half, MN/m3
    int m_nZhiZuoLeiXing = 0;  // left support: 0 铰支, 1 固定支座, 2 弹性支座
    float m_fZhiZuoK = 500.0f;  // left support coefficient, MN/m3
    int m_nYouZhiZuoLeiXing = 0;  // right support kind
    float m_fYouZhiZuoK = 500.0f;  // right support coefficient, MN/m3
};

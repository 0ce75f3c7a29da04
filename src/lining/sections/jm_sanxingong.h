#pragma once
// Section type 6, 直墙三心圆拱形: an invert, lower side arcs, straight walls, upper side arcs and a crown arch (a three-centred top).
#include "lining/sections/jm_pending.h"

class CJmZhiQiangSanXinGong : public CJmPending {
public:
    CJmZhiQiangSanXinGong();
    int LoadData(std::FILE* fp) override;
    int SaveData(std::FILE* fp) override;

    float m_fDiGongBanJing = 3.0f;  // invert radius R1, m
    float m_fDiGongBanJiao = 10.0f;  // invert half central angle, degrees
    float m_fDiGongK = 500.0f;  // rock coefficient on the invert and the lower side arcs, MN/m3
    float m_fDiBuBanKuan = 3.0f;  // bottom half-width B, axis to the wall axis, m
    float m_fDiBuShiGao = 0.8f;  // bottom rise: wall foot above the lowest point, m
    float m_fReserved1 = 500.0f;  // kept with the record only
    float m_fCeDiGongBanJing = 5.0f;  // lower side-arc radius (worked out from the record)
    float m_fCeDiGongJiao = 30.0f;  // lower side-arc angle (worked out), degrees
    float m_fDiGongHouDu = 0.6f;  // invert thickness, also the lower side arcs, m
    float m_fReserved2 = 0.6f;  // kept with the record only
    float m_fReserved3 = 0.6f;  // kept with the record only
    float m_fCeQiangGaoDu = 6.0f;  // wall height, m
    float m_fCeQiangHouDu = 0.6f;  // wall thickness, m
    float m_fCeQiangK = 500.0f;  // wall rock coefficient, MN/m3
    float m_fDingBuShiGao = 1.5f;  // top rise: crown above the wall top, m
    float m_fCeDingGongJiao = 30.0f;  // upper side-arc angle (worked out), degrees
    float m_fReserved4 = 500.0f;  // kept with the record only
    float m_fDingGongBanJing = 3.0f;  // crown radius R3, m
    float m_fDingGongBanJiao = 30.0f;  // crown half central angle, degrees
    float m_fDingGongK = 500.0f;  // rock coefficient on the crown and the upper side arcs, MN/m3
    float m_fCeDingGongJiaoHouDu = 0.6f;  // upper side arc thickness at the wall top, m
    float m_fDingGongHouDu = 0.6f;  // crown thickness, m
    float m_fReserved5 = 0.6f;  // kept with the record only
};

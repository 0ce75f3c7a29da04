#pragma once
// Section type 3, 圆拱直墙形: a flat floor, two straight walls and a circular crown arch.
#include <cstdio>

#include "lining/engine/jiemian.h"
#include "lining/engine/section_driver.h"

class CJmYuanGongZhiQiang : public CJieMianBase {
public:
    CJmYuanGongZhiQiang();
    int LoadData(std::FILE* fp) override;
    int SaveData(std::FILE* fp) override;
    int WriteCanShu(std::FILE* fp) override;
    // The left half by the elastic-resistance iteration; -1 without a report, for
    // fewer than one element per part or a crown angle that gives no arch.
    int JiSuan(std::FILE* fp) override;
    // The iteration with n elements per part (a crown angle in (0°, 180°)).
    kv::lining::DriverResult Solve(int n, std::FILE* log);
    int DrawOutline(CBase_SGT*) override { return 0; }
    int DrawGuanJiang(CBase_SGT*) override { return 0; }
    int IsZhiZuoSym() override { return 1; }
    int IsTopArch() override { return 1; }
    int OnlyTopGrout() override { return 0; }
    int IsQuarter() override { return 0; }
    // The rectangle (-b, 0) to (b, Ht).
    int GetExtent(CFRect& extent) override;

    // Crown radius R = b / sin α, m.
    float GetCrownR() const;
    // Centre of the crown arch (0, H - R·cos α); a null output is skipped.
    void GetCrownCentre(float* x, float* y) const;
    // Floor axis to the crown axis, m.
    float GetHeightTotal() const;
    // The crown angle gives an arch of finite radius (0° < α < 180°).
    bool HasCrown() const;

    float m_fDiBanBanKuan = 3.0f;  // floor half-width b, centre line to the wall axis, m
    float m_fDiBanHouDu = 0.6f;  // floor thickness, m
    float m_fDiBanK = 500.0f;  // floor rock coefficient, MN/m3
    float m_fCeQiangGaoDu = 6.0f;  // wall height H, floor axis to the springing, m
    float m_fCeQiangHouDu = 0.6f;  // wall thickness, m
    float m_fCeQiangK = 500.0f;  // wall rock coefficient, MN/m3
    float m_fDingGongBanJiao = 60.0f;  // crown half central angle, degrees
    float m_fGongJiaoHouDu = 0.6f;  // crown thickness at the springing, m
    float m_fGongDingHouDu = 0.6f;  // crown thickness at the crown, m
    float m_fDingGongK = 500.0f;  // crown rock coefficient, MN/m3
};

#pragma once
// Section type 7, 三心圆拱形(地铁): an invert arc, bottom fillets, straight walls, top fillets and a crown arc (a metro section).
#include "lining/sections/jm_pending.h"

class CJmSanXinGongDiTie : public CJmPending {
public:
    CJmSanXinGongDiTie();
    int LoadData(std::FILE* fp) override;
    int SaveData(std::FILE* fp) override;

    float DiGongR = 12.4f;  // invert centre-line radius R1, m
    float DiGongHalfAngle = 9.0f;  // invert half central angle, degrees
    float DiGongK = 500.0f;  // rock coefficient of the invert and the bottom fillets, MN/m3
    float DiBuHalfWidth = 2.2f;  // half-width at the wall axes, m
    float DiGongT = 0.3f;  // invert thickness, m
    float CeQiangH = 1.65f;  // height of the straight wall, m
    float CeQiangT = 0.3f;  // wall thickness, m
    float CeQiangK = 500.0f;  // wall rock coefficient, MN/m3
    float DingGongR = 2.6f;  // crown centre-line radius R3, m
    float DingGongHalfAngle = 45.0f;  // crown half central angle, degrees
    float DingGongK = 500.0f;  // rock coefficient of the top fillets and the crown, MN/m3
    float DingGongT = 0.3f;  // crown thickness, m
    float CeDiYuanJiaoR = 0.3f;  // bottom-fillet radius, worked out from the record; not stored
};

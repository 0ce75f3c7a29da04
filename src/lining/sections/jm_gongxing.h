#pragma once
// Section type 1, 拱形: one circular arch standing on two supports, its halves
// and supports alike or each with its own values.
#include "lining/sections/jm_pending.h"

class CJmGongXing : public CJmPending {
public:
    CJmGongXing();
    int LoadData(std::FILE* fp) override;
    int SaveData(std::FILE* fp) override;
    int HasZhiZuo() override { return 1; }
    int IsZhiZuoSym() override { return ZhiZuoSym ? 1 : 0; }
    int OnlyTopGrout() override { return 1; }

    int ZhiZuoSym = 1;              // right half and support take the left values
    float GongR = 5.0f;             // centre-line radius R, m
    float GongAngle = 60.0f;        // left half's central angle from the crown, degrees
    float RightGongAngle = 60.0f;   // right half's, degrees
    float GongFootT = 0.9f;         // thickness at the left foot, m
    float RightGongFootT = 0.9f;    // at the right foot, m
    float GongCrownT = 0.6f;        // at the crown, m
    int LeftZhiZuoType = 0;         // 0 铰支, 1 固定支座, 2 弹性支座
    int RightZhiZuoType = 0;
    float LeftZhiZuoK = 500.0f;     // support coefficients (弹性支座), MN/m3
    float RightZhiZuoK = 500.0f;
    float GongK = 500.0f;           // rock coefficient of the left half, MN/m3
    float RightGongK = 500.0f;      // of the right half, MN/m3
};

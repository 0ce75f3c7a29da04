#pragma once
// The record that the two open arched sections share, 高壁拱 (type 11) and
// 马蹄形(开口) (type 10): a side arch on each side standing on a support and a
// top arch between them, halves and supports alike or each with its own values.
#include "lining/sections/jm_pending.h"

class CJmSupportedArch : public CJmPending {
public:
    int LoadData(std::FILE* fp) override;
    int SaveData(std::FILE* fp) override;
    int HasZhiZuo() override { return 1; }
    int IsZhiZuoSym() override { return ZhiZuoSym ? 1 : 0; }

    int ZhiZuoSym = 1;             // the right side takes the left support and coefficients
    int LeftZhiZuoType = 0;        // 0 铰支, 1 固定支座, 2 弹性支座
    int RightZhiZuoType = 0;
    float LeftZhiZuoK = 500.0f;    // support coefficients (弹性支座), MN/m3
    float RightZhiZuoK = 500.0f;
    float CeGongR = 5.0f;          // side-arch radius, m
    float CeGongAngle = 60.0f;     // side-arch central angle, degrees
    float CeGongK = 500.0f;        // rock coefficient of the left side arch, MN/m3
    float RightCeGongK = 500.0f;   // of the right side arch
    float DingGongR = 3.0f;        // top-arch radius, m
    float DingGongHalfAngle = 30.0f;  // top-arch half central angle, degrees
    float DingGongK = 500.0f;      // rock coefficient of the top arch's left half, MN/m3
    float RightDingGongK = 500.0f; // of its right half
    float CeGongFootT = 0.6f;      // thickness at the side-arch foot, m
    float DingGongFootT = 0.6f;    // at the joint of side and top arch, m
    float DingGongCrownT = 0.6f;   // at the crown, m

protected:
    // Supported sections check the rock resistance at the nodes only until their record says otherwise.
    CJmSupportedArch() { m_nKangLiYaoQiu = 0; }
};

// Section type 11, 高壁拱: a high-walled arch whose side arches rise from the
// supports to the top arch.
class CJmGaoBiGong : public CJmSupportedArch {
public:
    CJmGaoBiGong() = default;
};

// Section type 10, 马蹄形(开口): an open horseshoe, its side arches of large
// radius vertical where they meet the top arch.
class CJmMaTiKaiKou : public CJmSupportedArch {
public:
    CJmMaTiKaiKou();
};

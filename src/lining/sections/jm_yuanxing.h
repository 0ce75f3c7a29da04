#pragma once
// Section type 0, 圆形: a closed ring of one radius and thickness.
#include "lining/sections/jm_pending.h"

class CJmYuanXing : public CJmPending {
public:
    CJmYuanXing();
    int LoadData(std::FILE* fp) override;
    int SaveData(std::FILE* fp) override;

    float m_fBanJing = 5.0f;  // radius R of the centre line, m
    float m_fHouDu = 1.0f;  // thickness t, m
    float m_fK = 500.0f;  // rock resistance coefficient k, MN/m3
};

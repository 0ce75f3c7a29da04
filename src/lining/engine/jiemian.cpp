#include "lining/engine/jiemian.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "lining/engine/canshu.h"
#include "lining/engine/hezai.h"
#include "lining/engine/lineio.h"
#include "lining/engine/owner.h"

int CJieMianBase::LoadData(std::FILE* fp) {
    if (!fp) return -1;
    const bool read = kv::lining::ReadLine(fp, "%f,%f,%f,%f,%f,%f,%f,%d,%f,%d,%f,%f", &m_fTuBiLi[0], &m_fTuBiLi[1],
                      &m_fTuBiLi[2], &m_fTuBiLi[3], &m_fTuBiLi[4], &m_fTuBiLi[5], &m_fE, &m_nMaxDieDai, &m_fTuBiLi[6],
                      &m_nKangLiYaoQiu, &m_fRongCha, &m_fHeZaiBiLi);
    if (m_nMaxDieDai < 1) m_nMaxDieDai = 1;
    return read ? 0 : -1;
}

int CJieMianBase::SaveData(std::FILE* fp) {
    if (!fp) return -1;
    std::fprintf(fp, "%f,%f,%f,%f,%f,%f,%f,%d,%f,%d,%f,%f\n", m_fTuBiLi[0], m_fTuBiLi[1], m_fTuBiLi[2], m_fTuBiLi[3],
                 m_fTuBiLi[4], m_fTuBiLi[5], m_fE, m_nMaxDieDai, m_fTuBiLi[6], m_nKangLiYaoQiu, m_fRongCha,
                 m_fHeZaiBiLi);
    return 0;
}

int CJieMianBase::DrawJsJt(CBase_SGT* drawing) {
    if (!drawing) return -1;
    m_bJieMianDrawn = 0;
    CFRect extent;
    GetExtent(extent);
    const float larger = std::max(extent.Width(), extent.Height());
    if (larger > 0) m_fBiLi = m_fJianTuSize / larger;
    // The sketch is small: its dimensions at half the pen's sizes.
    for (int i = 0; i < 3; ++i) drawing->SetDimSize(i, drawing->GetDimSize(i) / 2);
    const float left = GetHeight(1), right = GetHeight(0);
    const CHeZaiCanShu* loads = GetHeZai();
    if (loads)
        loads->DrawArrows(drawing, extent, m_fBiLi, m_fTextHeight, m_fHeZaiBiLi / 100, GetHalfWidth(1), HasZhiZuo(),
                          left, right);
    DrawGuanJiang(drawing);
    if (loads)
        loads->DrawWaterLevels(drawing, extent, std::min(extent.Height() - left, extent.Height() - right), m_fBiLi,
                               m_fTextHeight);
    if (m_bJianTuBiaoTi == 1) {
        drawing->Push_ENV();
        drawing->SetCurColor("0");
        const float h = 3 * m_fTextHeight;
        const char* title = "计算简图";
        drawing->Draw_Text((extent.left + extent.right) / 2 - drawing->GetTextWidth(title, h, 0.7f, "HZ") / 2,
                           extent.bottom - 15 * m_fTextHeight, h, 0, title);
        drawing->Pop_ENV();
    }
    return 0;
}

int CJieMianBase::DrawLabel(CBase_SGT* drawing, int direction, float first, float second, float x, float y,
                            float height, float angle) {
    if (!drawing) return -1;
    if (!m_bJieMianDrawn) return 1;
    if (direction < 0 || direction > 3) direction = 0;
    x *= m_fBiLi;
    y *= m_fBiLi;
    const float f = height;
    const float at[4][4] = {{x, y + 0.2f * f, x, y - 1.2f * f},
                            {x + 1.2f * f, y, x - 0.2f * f, y},
                            {x, y - 1.2f * f, x, y + 0.2f * f},
                            {x - 0.2f * f, y, x + 1.2f * f, y}};
    const float turn = direction == 1 || direction == 3 ? 90 - angle : angle;
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", first);
    drawing->Write_Text(at[direction][0], at[direction][1], f, turn, text);
    // With symmetric reinforcement both faces carry the same bars: one value says it.
    const bool symmetric = m_pData && m_pData->GetPeiJin().m_bDuiCheng;
    if (!symmetric) {
        std::snprintf(text, sizeof text, "%.1f", second);
        drawing->Write_Text(at[direction][2], at[direction][3], f, turn, text);
    }
    return 0;
}

int CJieMianBase::DrawJieMian(CBase_SGT* drawing) {
    if (!drawing) return -1;
    m_bJieMianDrawn = 1;
    drawing->Push_ENV();
    drawing->SetCurStyle("HZ");
    drawing->SetBiLiChi(10);
    DrawOutline(drawing);
    drawing->Pop_ENV();
    return 0;
}

int CJieMianBase::DrawNeiLi(CBase_SGT*, int, int, const double*, int) { return 1; }
int CJieMianBase::DrawBianXing(CBase_SGT*, int, const double*, int) { return 1; }
int CJieMianBase::DrawDiZhen(CBase_SGT*, int, int, int) { return 1; }

int CJieMianBase::HasZhiZuo() { return 0; }

int CJieMianBase::IsSymHalf() {
    if (!HasZhiZuo()) return 1;
    return IsZhiZuoSym() && IsLoadSym() ? 1 : 0;
}

int CJieMianBase::IsZhiZuoSym() { return 1; }

int CJieMianBase::IsLoadSym() {
    if (!HasZhiZuo()) return 1;
    const CHeZaiCanShu* loads = GetHeZai();
    return loads && loads->m_bDuiCheng ? 1 : 0;
}

int CJieMianBase::IsTopArch() { return 1; }
int CJieMianBase::OnlyTopGrout() { return 0; }
int CJieMianBase::IsQuarter() { return 0; }

float CJieMianBase::GetHeight(int) {
    CFRect extent;
    GetExtent(extent);
    return extent.Height();
}

float CJieMianBase::GetHalfWidth(int) {
    CFRect extent;
    GetExtent(extent);
    return extent.Width() / 2;
}

CHeZaiCanShu* CJieMianBase::GetHeZai() const { return m_pData ? &m_pData->GetHeZaiCanShu() : nullptr; }

void CJieMianBase::GetDiagramInfo(int diagram, int* component, float* scale, int* sign) const {
    // Forces and the resistance are drawn per hundred, rotations per twenty.
    static const int kComponent[7] = {0, 1, 2, 3, 4, 5, 4};
    static const float kDivisor[7] = {100, 100, 100, 1, 1, 20, 100};
    if (diagram < 0 || diagram > 6) return;
    if (component) *component = kComponent[diagram];
    if (scale) *scale = m_fTuBiLi[diagram] / kDivisor[diagram];
    if (sign) *sign = m_nTuFuHao[kComponent[diagram]];
}

float CJieMianBase::FCos(float angle) { return std::cos(angle); }
float CJieMianBase::FSin(float angle) { return std::sin(angle); }

void CJieMianBase::ClearDesignResult(cross_lf* result) {
    if (result) std::memset(result, 0, sizeof *result);
}

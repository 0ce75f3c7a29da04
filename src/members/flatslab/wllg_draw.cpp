// The flat slab's result drawings: the calculation sketch, the moments of the
// whole section and of the two strips, the redistributed moment curve and the
// strips' steel, in the members' millimetre co-ordinates.
#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "base/geometry.h"
#include "base/globals.h"
#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "members/flatslab/wllg_data.h"
#include "members/flatslab/wllg_frm.h"
#include "platform/paths.h"
#include "platform/services.h"

namespace {

constexpr float kPi = 3.14159265358979f;

// The pen places a value at the start, middle or end of a member with code 8
// at sixths 0, 3 and 6.
constexpr int kAlong = 8;
constexpr int kStart = 0, kMiddle = 3, kEnd = 6;
constexpr int kPlace[3] = {kStart, kMiddle, kEnd};
constexpr int kStation[3] = {0, 4, 8};

// A drawing of the work folder: the text style, then what `draw` puts in.
template <typename Draw>
void WriteDrawing(const std::string& name, Draw draw) {
    CBase_SGT d;
    const std::string path = G_strWorkPath + name;
    d.New(path.c_str());
    d.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    d.Write_Tables();
    d.Begin_Entity();
    draw(d);
    d.End_Entity();
    d.Close();
}

}  // namespace

void wllg_draw_punching(const CWllgData& data) {
    WriteDrawing(data.GetDxfFileName(5), [&](CBase_SGT& d) { data.m_ChongQie.DrawJianTu(&d); });
}

float CWllgGouJian::GetLength() const { return get_dist(m_fX1, m_fY1, m_fX2, m_fY2); }

void CWllgGouJian::DrawAxis(CBase_SGT* d, float dx, float dy) const {
    const float s = m_fSize;
    d->MoveTo(dx + m_fX1, dy + m_fY1);
    d->Draw_Circle(dx + m_fX1, dy + m_fY1, 0.3f * s);
    d->MoveTo(dx + m_fX2, dy + m_fY2);
    d->Draw_Circle(dx + m_fX2, dy + m_fY2, 0.3f * s);
    d->Draw_Pline(dx + m_fX1, dy + m_fY1, dx + m_fX2, dy + m_fY2, s / 20, s / 20);
}

void CWllgGouJian::DrawMemberLabel(CBase_SGT* d, float dx, float dy) const {
    if (m_nKind == 1) return;
    const float s = m_fSize;
    const std::string name = sprintf_gbk("%d-%.0f", m_nSeq, GetLength());
    const std::string size = sprintf_gbk("%.0f*%.0f", m_fSectB, m_fSectH);
    d->Draw_Text_Along_Line(dx + m_fX1, dy + m_fY1, dx + m_fX2, dy + m_fY2, 7, 3, name.c_str(), s, 0.2f * s);
    d->Draw_Text_Along_Line(dx + m_fX1, dy + m_fY1, dx + m_fX2, dy + m_fY2, 8, 3, size.c_str(), s, -1.2f * s);
}

namespace {

// A value beside the line from (x1, y1) to P2 at one of the three places.
void Value(CBase_SGT* d, float x1, float y1, float x2, float y2, int place, const char* format, float v, float size,
           float offset) {
    const std::string text = sprintf_gbk(format, v);
    d->Draw_Text_Along_Line(x1, y1, x2, y2, kAlong, place, text.c_str(), size, offset);
}

// A bracketed cap-edge value in colour 4, the colour put back after it.
void CapValue(CBase_SGT* d, float x1, float y1, float x2, float y2, int place, float v, float size, float offset) {
    const int colour = d->GetCurColor();
    d->SetCurColor("4");
    Value(d, x1, y1, x2, y2, place, "(%.0f)", v, size, offset);
    d->SetCurColor(std::to_string(colour).c_str());
}

}  // namespace

void CWllgGouJian::DrawMomentValues(CBase_SGT* d, float dx, float dy, int type) const {
    if (type != 0 && m_nKind == 1) return;
    const float s = m_fSize, k = m_fFactor1 * m_fFactor2;
    const float x1 = dx + m_fX1, y1 = dy + m_fY1, x2 = dx + m_fX2, y2 = dy + m_fY2;
    for (int j = 0; j < 3; ++j) {
        const float v = type == 0 ? m_fM[kStation[j]] : type == 1 ? m_fColM[j] : m_fMidM[j];
        Value(d, x1, y1, x2, y2, kPlace[j], "%.0f", v * k, s, 0.2f * s);
    }
    if (type == 1 && m_nCapDesign == 1) {
        CapValue(d, x1 + 1.5f * s, y1, x2, y2, kStart, m_fColMCap[0] * k, s, -1.2f * s);
        CapValue(d, x1 - 1.5f * s, y1, x2, y2, kEnd, m_fColMCap[1] * k, s, -1.2f * s);
    }
}

void CWllgGouJian::DrawMomentCurve(CBase_SGT* d, float dx, float dy) const {
    const float phi = get_line_angle(m_fX1, m_fY1, m_fX2, m_fY2);
    const float nx = std::cos(phi + kPi / 2), ny = std::sin(phi + kPi / 2);
    float cx[kWllgStations], cy[kWllgStations];
    for (int k = 0; k < kWllgStations; ++k) {
        const float f = static_cast<float>(k) / 8.0f;
        // Sagging moments lie on the right of the member's direction.
        cx[k] = dx + m_fX1 + (m_fX2 - m_fX1) * f - m_fM[k] * m_fMomentScale * nx;
        cy[k] = dy + m_fY1 + (m_fY2 - m_fY1) * f - m_fM[k] * m_fMomentScale * ny;
    }
    d->SetCurColor("7");
    d->Draw_Line(dx + m_fX1, dy + m_fY1, cx[0], cy[0]);
    d->SetCurColor("1");
    for (int k = 0; k < 8; ++k) d->Draw_Line(cx[k], cy[k], cx[k + 1], cy[k + 1]);
    d->SetCurColor("7");
    d->Draw_Line(cx[8], cy[8], dx + m_fX2, dy + m_fY2);
}

void CWllgGouJian::DrawSteelValues(CBase_SGT* d, float dx, float dy, int type) const {
    const float s = m_fSize;
    const float x1 = dx + m_fX1, y1 = dy + m_fY1, x2 = dx + m_fX2, y2 = dy + m_fY2;
    const float* top = type == 1 ? m_fColTop : m_fMidTop;
    const float* bot = type == 1 ? m_fColBot : m_fMidBot;
    for (int j = 0; j < 3; ++j) {
        Value(d, x1, y1, x2, y2, kPlace[j], "%.0f", top[j], s, 0.2f * s);
        Value(d, x1, y1, x2, y2, kPlace[j], "%.0f", bot[j], s, -1.2f * s);
    }
    if (type == 1 && m_nCapDesign == 1) {
        CapValue(d, x1 + 1.5f * s, y1, x2, y2, kStart, m_fColTopCap[0], s, 1.2f * s);
        CapValue(d, x1 - 2.5f * s, y1, x2, y2, kEnd, m_fColTopCap[1], s, 1.2f * s);
        CapValue(d, x1 + 1.5f * s, y1, x2, y2, kStart, m_fColBotCap[0], s, -2.2f * s);
        CapValue(d, x1 - 2.5f * s, y1, x2, y2, kEnd, m_fColBotCap[1], s, -2.2f * s);
    }
}

// ---------------------------------------------------------------- the frame

void CWllgFrmJs::SetTextSize() {
    if (m_nMembers <= 0) return;
    float sum = 0;
    for (const CWllgGouJian& g : m_pMembers) sum += g.GetLength();
    m_fSize = sum / static_cast<float>(m_nMembers) / 6.0f * 0.35f;
    for (CWllgGouJian& g : m_pMembers) g.m_fSize = m_fSize;
}

void CWllgFrmJs::SetScales() {
    if (m_nMembers <= 0) return;
    float sum = 0, c = 0;
    for (const CWllgGouJian& g : m_pMembers) {
        sum += g.GetLength();
        for (float m : g.m_fM) c = std::max(c, std::fabs(m));
    }
    const float e = sum / static_cast<float>(m_nMembers) / 2.0f;
    const float scale = c < 0.1f ? e / 40.0f : e * 2.0f / 3.0f / c;
    for (CWllgGouJian& g : m_pMembers) g.m_fMomentScale = scale;
}

void CWllgFrmJs::DrawTitle(CBase_SGT* d, float x, float y, const char* title) {
    d->Set_Default_ENV();
    d->SetCurStyle("HZ");
    const float T = 0.05f * m_fWidth + 0.05f * m_fHeight;
    d->Draw_Text(x, y, T, 0, title);
    d->Set_Default_ENV();
}

namespace {

template <typename Step>
void ForEach(std::vector<CWllgGouJian>& members, CBase_SGT* d, const char* color, Step step) {
    for (CWllgGouJian& g : members) {
        d->SetCurColor(color);
        step(g);
    }
}

}  // namespace

void CWllgFrmJs::DrawCalcSketch(CBase_SGT* d, float dx, float dy) {
    // The model class makes an empty model where there is none: without its
    // model the sketch stays empty instead.
    if (kv::platform::ResolveExisting(G_strWorkPath + "WLLG_StrLdA-1.DAT").empty()) return;
    std::unique_ptr<kv::frame::CJsBzData_Frm> model(new (std::nothrow)
                                                        kv::frame::CJsBzData_Frm("WLLG_StrLdA-1.DAT"));
    if (!model) {
        kv::MessageBox("内存不够  !");
        return;
    }
    if (!model->Read_All()) return;
    kv::frame::CJianTu_StrLd_Frm sketch;
    sketch.m_fTextHeight = m_fSize;
    ForEach(m_pMembers, d, "3", [&](CWllgGouJian& g) { g.DrawAxis(d, dx, dy); });
    d->SetCurColor("7");
    sketch.Draw_YueShu(*model, d, dx, dy);
    d->SetCurColor("1");
    sketch.Draw_HeZai(*model, d, dx, dy);
    model.reset();
    ForEach(m_pMembers, d, "4", [&](CWllgGouJian& g) { g.DrawMemberLabel(d, dx, dy); });
    const float T = 0.05f * m_fWidth + 0.05f * m_fHeight;
    DrawTitle(d, dx + m_fXMin + 0.5f * m_fWidth - 2 * T, dy + m_fYMin - 2.5f * T, "计算简图");
}

void CWllgFrmJs::DrawMomentDiagram(CBase_SGT* d, float dx, float dy, int type) {
    ForEach(m_pMembers, d, "3", [&](CWllgGouJian& g) { g.DrawAxis(d, dx, dy); });
    ForEach(m_pMembers, d, "1", [&](CWllgGouJian& g) { g.DrawMomentValues(d, dx, dy, type); });
    const float T = 0.05f * m_fWidth + 0.05f * m_fHeight;
    const float x = dx + m_fXMin + 0.35f * m_fWidth - 2 * T;
    const char* title = type == 1 ? "柱上板带弯矩简图(每延米)" : type == 2 ? "跨中板带弯矩简图(每延米)" : "调幅后弯矩简图(全截面)";
    DrawTitle(d, x, dy + m_fYMin - 2.5f * T, title);
    if (type == 1 && m_pData && m_pData->m_nCapDesign == 1) {
        d->SetCurColor("4");
        d->Draw_Text(x, dy + m_fYMin - 3.1f * T, T / 2, 0, "  (括号内数字表示柱帽边缘处弯矩)");
        d->Set_Default_ENV();
    }
}

void CWllgFrmJs::DrawRedistCurve(CBase_SGT* d, float dx, float dy) {
    ForEach(m_pMembers, d, "3", [&](CWllgGouJian& g) { g.DrawAxis(d, dx, dy); });
    ForEach(m_pMembers, d, "1", [&](CWllgGouJian& g) { g.DrawMomentCurve(d, dx, dy); });
    const float T = 0.05f * m_fWidth + 0.05f * m_fHeight;
    DrawTitle(d, dx + m_fXMin + 0.5f * m_fWidth - 2.5f * T, dy + m_fYMin - 2.5f * T, "调幅后弯矩图(全截面)");
}

void CWllgFrmJs::DrawSteelDiagram(CBase_SGT* d, float dx, float dy, int type) {
    ForEach(m_pMembers, d, "3", [&](CWllgGouJian& g) { g.DrawAxis(d, dx, dy); });
    ForEach(m_pMembers, d, "2", [&](CWllgGouJian& g) {
        if (g.m_nKind != 1) g.DrawSteelValues(d, dx, dy, type);
    });
    const float T = 0.05f * m_fWidth + 0.05f * m_fHeight;
    const float x = dx + m_fXMin + 0.35f * m_fWidth - 2 * T;
    DrawTitle(d, x, dy + m_fYMin - 2.5f * T, type == 1 ? "柱上板带配筋简图(每延米)" : "跨中板带配筋简图(每延米 )");
    if (type == 1 && m_pData && m_pData->m_nCapDesign == 1) {
        d->SetCurColor("4");
        d->Draw_Text(x, dy + m_fYMin - 3.1f * T, T / 2, 0, "  (括号内数字表示柱帽边缘处配筋)");
        d->Set_Default_ENV();
    }
}

void CWllgFrmJs::DrawDiagrams() {
    // The extent starts from the first member: a frame without members has no drawings.
    if (m_nMembers <= 0 || !m_pData) return;
    const CWllgGouJian& first = m_pMembers[0];
    m_fXMax = m_fXMin = first.m_fX1;
    m_fYMax = m_fYMin = first.m_fY1;
    for (const CWllgGouJian& g : m_pMembers) {
        for (const auto& [x, y] : {std::pair{g.m_fX1, g.m_fY1}, std::pair{g.m_fX2, g.m_fY2}}) {
            m_fXMax = std::max(m_fXMax, x);
            m_fXMin = std::min(m_fXMin, x);
            m_fYMax = std::max(m_fYMax, y);
            m_fYMin = std::min(m_fYMin, y);
        }
    }
    m_fWidth = m_fXMax - m_fXMin;
    m_fHeight = std::max(m_fYMax - m_fYMin, 5.0f);
    const float G = (m_fWidth + m_fHeight) * 0.25f;
    const float row = G + m_fHeight, column = G + m_fWidth;
    SetTextSize();
    SetScales();
    for (int k = 0; k < 5; ++k) {
        WriteDrawing(m_pData->GetDxfFileName(k), [&](CBase_SGT& d) {
            switch (k) {
            case 0: DrawCalcSketch(&d, 0, 0); break;
            case 1:
                DrawMomentDiagram(&d, 0, 0, 0);
                DrawRedistCurve(&d, 0, -row);
                break;
            case 2:
                DrawMomentDiagram(&d, 0, 0, 1);
                DrawSteelDiagram(&d, 0, -row, 1);
                break;
            case 3:
                DrawMomentDiagram(&d, 0, 0, 2);
                DrawSteelDiagram(&d, 0, -row, 2);
                break;
            default:
                DrawCalcSketch(&d, 0, 0);
                DrawMomentDiagram(&d, 0, -row, 0);
                DrawRedistCurve(&d, column, -row);
                DrawMomentDiagram(&d, 0, -2 * row, 1);
                DrawSteelDiagram(&d, column, -2 * row, 1);
                DrawMomentDiagram(&d, 0, -3 * row, 2);
                DrawSteelDiagram(&d, column, -3 * row, 2);
                break;
            }
        });
    }
}

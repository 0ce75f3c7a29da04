// The rigid frame's result drawings: scheme, displacements, M, V, N, steel and
// the sheet of all six, in the members' millimetre co-ordinates.
#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "base/geometry.h"
#include "base/globals.h"
#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "members/beams/gj_frm.h"
#include "platform/paths.h"
#include "platform/services.h"

namespace {

constexpr float kPi = 3.14159265358979f;

float Deg(float a) { return a * 180.0f / kPi; }

}  // namespace

// ---------------------------------------------------------------- a member

void CGjGouJian::ArcAngles(float& r, float& a1, float& a2) const {
    r = get_dist(m_fXc, m_fYc, m_fX1, m_fY1);
    a1 = std::atan2(m_fY1 - m_fYc, m_fX1 - m_fXc);
    a2 = std::atan2(m_fY2 - m_fYc, m_fX2 - m_fXc);
    if (a2 < a1) a2 += 2 * kPi;
}

void CGjGouJian::StationPoint(int i, float& x, float& y) const {
    const float f = static_cast<float>(i) / 8.0f;
    if (!IsArc()) {
        x = m_fX1 + f * (m_fX2 - m_fX1);
        y = m_fY1 + f * (m_fY2 - m_fY1);
        return;
    }
    float r, a1, a2;
    ArcAngles(r, a1, a2);
    const float a = a1 + f * (a2 - a1);
    x = m_fXc + r * std::cos(a);
    y = m_fYc + r * std::sin(a);
}

void CGjGouJian::DrawMember(CBase_SGT* d, float x0, float y0) const {
    const float rc = 0.3f * m_fTextHeight;
    d->Draw_Circle(m_fX1 + x0, m_fY1 + y0, rc);
    d->Draw_Circle(m_fX2 + x0, m_fY2 + y0, rc);
    if (!IsArc()) {
        d->Draw_Line(m_fX1 + x0, m_fY1 + y0, m_fX2 + x0, m_fY2 + y0);
        return;
    }
    float r, a1, a2;
    ArcAngles(r, a1, a2);
    d->Draw_Arc(m_fXc + x0, m_fYc + y0, r, Deg(a1), Deg(a2));
}

void CGjGouJian::DrawLabel(CBase_SGT* d, float x0, float y0) const {
    const float th = m_fTextHeight;
    const std::string size = sprintf_gbk("%.0f*%.0f", m_fB, m_fH);
    if (!IsArc()) {
        const std::string name = sprintf_gbk("%d-%.0f", m_nIndex, GetLength());
        d->Draw_Text_Along_Line(m_fX1 + x0, m_fY1 + y0, m_fX2 + x0, m_fY2 + y0, 7, 3, name.c_str(), th, 0.2f * th);
        d->Draw_Text_Along_Line(m_fX1 + x0, m_fY1 + y0, m_fX2 + x0, m_fY2 + y0, 7, 3, size.c_str(), th, -1.2f * th);
        return;
    }
    float r, a1, a2;
    ArcAngles(r, a1, a2);
    const std::string name = sprintf_gbk("%d-%.0f", m_nIndex, (a2 - a1) * r);
    d->Draw_Text_Along_Arc(m_fXc + x0, m_fYc + y0, r, Deg(a1), Deg(a2), 8, 3, name.c_str(), th, 0.2f * th);
    d->Draw_Text_Along_Arc(m_fXc + x0, m_fYc + y0, r, Deg(a1), Deg(a2), 8, 3, size.c_str(), th, -1.2f * th);
}

// Moments (sign -1 across the member, +1 on an arc's radius) and shears
// (+1 across, -1 on the radius), joined to the member's ends in colour 7.
void CGjGouJian::DrawCurve(CBase_SGT* d, float x0, float y0, const float* values, float scale, float sign) const {
    float px[kGjStations], py[kGjStations];
    if (!IsArc()) {
        const float a = get_line_angle(m_fX1, m_fY1, m_fX2, m_fY2) + kPi / 2;
        const float nx = std::cos(a), ny = std::sin(a);
        for (int i = 0; i < kGjStations; ++i) {
            StationPoint(i, px[i], py[i]);
            px[i] += sign * nx * values[i] * scale;
            py[i] += sign * ny * values[i] * scale;
        }
    } else {
        float r, a1, a2;
        ArcAngles(r, a1, a2);
        for (int i = 0; i < kGjStations; ++i) {
            const float a = a1 + static_cast<float>(i) * (a2 - a1) / 8.0f;
            const float rr = r - sign * values[i] * scale;
            px[i] = m_fXc + rr * std::cos(a);
            py[i] = m_fYc + rr * std::sin(a);
        }
    }
    d->SetCurColor("7");
    d->Draw_Line(m_fX1 + x0, m_fY1 + y0, px[0] + x0, py[0] + y0);
    d->SetCurColor("1");
    for (int i = 0; i < 8; ++i) d->Draw_Line(px[i] + x0, py[i] + y0, px[i + 1] + x0, py[i + 1] + y0);
    d->SetCurColor("7");
    d->Draw_Line(px[8] + x0, py[8] + y0, m_fX2 + x0, m_fY2 + y0);
}

void CGjGouJian::DrawWanJuCurve(CBase_SGT* d, float x0, float y0) const { DrawCurve(d, x0, y0, M, m_fWanJuScale, -1); }

void CGjGouJian::DrawJianLiCurve(CBase_SGT* d, float x0, float y0) const { DrawCurve(d, x0, y0, V, m_fJianLiScale, 1); }

void CGjGouJian::DrawWeiYiCurve(CBase_SGT* d, float x0, float y0) const {
    float px[kGjStations], py[kGjStations];
    for (int i = 0; i < kGjStations; ++i) {
        StationPoint(i, px[i], py[i]);
        px[i] += Ux[i] * m_fWeiYiScale;
        py[i] += Uy[i] * m_fWeiYiScale;
    }
    for (int i = 0; i < 8; ++i) d->Draw_Line(px[i] + x0, py[i] + y0, px[i + 1] + x0, py[i + 1] + y0);
}

void CGjGouJian::DrawZhouLiSymbol(CBase_SGT* d, float x0, float y0) const {
    float mean = 0;
    for (float n : N) mean += n;
    mean /= kGjStations;
    const bool tension = mean >= 0;
    d->SetCurColor(tension ? "2" : "1");
    const float w = mean * m_fZhouLiScale;
    // A point at fraction f of the member, `across` away from its axis (on an
    // arc: outwards).
    float r = 0, a1 = 0, a2 = 0, nx = 0, ny = 0;
    if (IsArc()) {
        ArcAngles(r, a1, a2);
    } else {
        const float a = get_line_angle(m_fX1, m_fY1, m_fX2, m_fY2) + kPi / 2;
        nx = std::cos(a);
        ny = std::sin(a);
    }
    struct P {
        float f, k;  // fraction, across in units of w
    };
    auto at = [&](P p, float& x, float& y) {
        if (IsArc()) {
            // Arcs are drawn from the 0.9 end.
            const float a = a1 + (1.0f - p.f) * (a2 - a1);
            x = m_fXc + (r + p.k * w) * std::cos(a);
            y = m_fYc + (r + p.k * w) * std::sin(a);
        } else {
            x = m_fX1 + p.f * (m_fX2 - m_fX1) + p.k * w * nx;
            y = m_fY1 + p.f * (m_fY2 - m_fY1) + p.k * w * ny;
        }
    };
    std::vector<P> outline;
    auto shaft = [&](float k, bool forward) {
        // Along the inner line from 0.25 to 0.75 (or back); an arc bends through three more points.
        if (!IsArc()) return;
        const float mid[] = {0.375f, 0.5f, 0.625f};
        for (int j = 0; j < 3; ++j) outline.push_back({forward ? mid[j] : mid[2 - j], k});
    };
    if (tension) {
        outline = {{0.1f, 0}, {0.25f, 1}, {0.25f, 0.4f}};
        shaft(0.4f, true);
        outline.insert(outline.end(), {{0.75f, 0.4f}, {0.75f, 1}, {0.9f, 0}, {0.75f, -1}, {0.75f, -0.4f}});
        shaft(-0.4f, false);
        outline.insert(outline.end(), {{0.25f, -0.4f}, {0.25f, -1}, {0.1f, 0}});
    } else {
        outline = {{0.1f, -1}, {0.1f, 1}, {0.25f, 0}, {0.25f, 0.4f}};
        shaft(0.4f, true);
        outline.insert(outline.end(), {{0.75f, 0.4f}, {0.75f, 0}, {0.9f, 1}, {0.9f, -1}, {0.75f, 0}, {0.75f, -0.4f}});
        shaft(-0.4f, false);
        outline.insert(outline.end(), {{0.25f, -0.4f}, {0.25f, 0}, {0.1f, -1}});
    }
    for (std::size_t j = 0; j + 1 < outline.size(); ++j) {
        float xa, ya, xb, yb;
        at(outline[j], xa, ya);
        at(outline[j + 1], xb, yb);
        d->Draw_Line(xa + x0, ya + y0, xb + x0, yb + y0);
    }
}

// One label at pos (text code 8) beside the member.
void CGjGouJian::DrawValue(CBase_SGT* d, float x0, float y0, int pos, bool arcCodes, float value, const char* format,
                           float offset) const {
    const std::string text = sprintf_gbk(format, value);
    const float th = m_fTextHeight;
    if (!IsArc()) {
        d->Draw_Text_Along_Line(m_fX1 + x0, m_fY1 + y0, m_fX2 + x0, m_fY2 + y0, 8, pos, text.c_str(), th, offset * th);
        return;
    }
    // Arc labels of the forces stand at sixths 1, 4 and 7.
    if (arcCodes) pos = pos == 3 ? 4 : (pos == 5 ? 7 : pos);
    float r, a1, a2;
    ArcAngles(r, a1, a2);
    d->Draw_Text_Along_Arc(m_fXc + x0, m_fYc + y0, r, Deg(a1), Deg(a2), 8, pos, text.c_str(), th, offset * th);
}

namespace {

constexpr int kPos[3] = {1, 3, 5};
constexpr int kStation[3] = {0, 4, 8};

}  // namespace

void CGjGouJian::DrawWanJuValues(CBase_SGT* d, float x0, float y0) const {
    const float k = m_fForce1 * m_fForce2;
    for (int s = 0; s < 3; ++s) DrawValue(d, x0, y0, kPos[s], true, M[kStation[s]] * k, "%.1f", 0.2f);
}

void CGjGouJian::DrawJianLiValues(CBase_SGT* d, float x0, float y0) const {
    const float k = m_fForce1 * m_fForce2;
    for (int s = 0; s < 3; ++s) DrawValue(d, x0, y0, kPos[s], true, V[kStation[s]] * k, "%.1f", 0.2f);
}

void CGjGouJian::DrawZhouLiValues(CBase_SGT* d, float x0, float y0) const {
    const float k = m_fForce1 * m_fForce2;
    for (int s = 0; s < 3; ++s) DrawValue(d, x0, y0, kPos[s], true, N[kStation[s]] * k, "%.1f", 0.2f);
}

void CGjGouJian::DrawPeiJinValues(CBase_SGT* d, float x0, float y0) const {
    for (int s = 0; s < 3; ++s) {
        DrawValue(d, x0, y0, kPos[s], false, AsTop[s], "%.0f", 0.2f);
        DrawValue(d, x0, y0, kPos[s], false, AsBottom[s], "%.0f", -1.2f);
    }
    DrawValue(d, x0, y0, 1, false, Asv[0], "%.0f", -2.4f);
    DrawValue(d, x0, y0, 5, false, Asv[2], "%.0f", -2.4f);
}

void CGjGouJian::DrawWeiYiValues(CBase_SGT* d, float x0, float y0) const {
    for (int s = 0; s < 3; ++s) {
        DrawValue(d, x0, y0, kPos[s], false, Ux[kStation[s]], "%.1f", 0.2f);
        DrawValue(d, x0, y0, kPos[s], false, Uy[kStation[s]], "%.1f", -1.2f);
    }
}

void CGjGouJian::DrawNeiLiValues(CBase_SGT* d, float x0, float y0) const {
    const float k = m_fForce1 * m_fForce2;
    // Codes 1, 4 and 7 for straight members too.
    const int pos[3] = {1, 4, 7};
    for (int s = 0; s < 3; ++s) {
        const int st = kStation[s];
        const std::string texts[3] = {sprintf_gbk("%.1f", M[st] * k), sprintf_gbk("%.1f", V[st] * k),
                                      sprintf_gbk("%.1f", N[st] * k)};
        const float offsets[3] = {0.2f, -1.2f, -2.4f};
        for (int j = 0; j < 3; ++j) {
            const float th = m_fTextHeight;
            if (IsArc()) {
                float r, a1, a2;
                ArcAngles(r, a1, a2);
                d->Draw_Text_Along_Arc(m_fXc + x0, m_fYc + y0, r, Deg(a1), Deg(a2), 8, pos[s], texts[j].c_str(), th,
                                       offsets[j] * th);
            } else {
                d->Draw_Text_Along_Line(m_fX1 + x0, m_fY1 + y0, m_fX2 + x0, m_fY2 + y0, 8, pos[s], texts[j].c_str(),
                                        th, offsets[j] * th);
            }
        }
    }
}

// ---------------------------------------------------------------- the frame

void CGjFrmJs::SetExtents() {
    if (m_nNum <= 0) return;
    const CGjGouJian& first = m_GouJian[0];
    m_fXMax = m_fXMin = first.m_fX1;
    m_fYMax = m_fYMin = first.m_fY1;
    for (const CGjGouJian& g : m_GouJian) {
        for (const auto& [x, y] : {std::pair{g.m_fX1, g.m_fY1}, std::pair{g.m_fX2, g.m_fY2}}) {
            m_fXMax = std::max(m_fXMax, x);
            m_fXMin = std::min(m_fXMin, x);
            m_fYMax = std::max(m_fYMax, y);
            m_fYMin = std::min(m_fYMin, y);
        }
    }
    m_fWidth = m_fXMax - m_fXMin;
    m_fHeight = std::max(m_fYMax - m_fYMin, 5000.0f);
}

namespace {

float MeanLength(const std::vector<CGjGouJian>& members) {
    float sum = 0;
    for (const CGjGouJian& g : members) sum += g.GetLength();
    return members.empty() ? 0.0f : sum / static_cast<float>(members.size());
}

}  // namespace

void CGjFrmJs::SetTextHeight() {
    if (m_nNum <= 0) return;
    m_fBaseTextHeight = MeanLength(m_GouJian) / 6.0f * 0.25f;
    for (CGjGouJian& g : m_GouJian) g.m_fTextHeight = m_fTextScale * m_fBaseTextHeight;
}

void CGjFrmJs::SetScales() {
    if (m_nNum <= 0) return;
    const float e = MeanLength(m_GouJian) / 2.0f;
    float mmax = 0, vmax = 0, nmax = 0, dmax = 0;
    for (const CGjGouJian& g : m_GouJian) {
        for (int i = 0; i < kGjStations; ++i) {
            mmax = std::max(mmax, std::fabs(g.M[i]));
            vmax = std::max(vmax, std::fabs(g.V[i]));
            nmax = std::max(nmax, std::fabs(g.N[i]));
            dmax = std::max(dmax, std::sqrt(g.Ux[i] * g.Ux[i] + g.Uy[i] * g.Uy[i]));
        }
    }
    const float G = m_fGraphScale;
    // Forces that are all but zero keep a fixed scale (not the graphic scale's).
    for (CGjGouJian& g : m_GouJian) {
        g.m_fWeiYiScale = dmax < 0.1f ? e / 20.0f : G * (e / 2.0f) / dmax;
        g.m_fWanJuScale = mmax < 0.1f ? e / 40.0f : G * (2.0f * e / 3.0f) / mmax;
        g.m_fJianLiScale = vmax < 0.1f ? e / 40.0f : G * (2.0f * e / 3.0f) / vmax;
        g.m_fZhouLiScale = nmax < 0.1f ? e / 40.0f : G * (e / 3.0f) / nmax;
    }
}

void CGjFrmJs::DrawTitle(CBase_SGT* d, float x0, float y0, const char* title) {
    d->Set_Default_ENV();
    d->SetCurStyle("HZ");
    const float t = 0.05f * m_fWidth + 0.05f * m_fHeight;
    const std::string text = title;
    const bool spaced = text == "弯 矩 图" || text == "剪 力 图" || text == "轴 力 图" || text == "位 移 图";
    const float c = spaced ? 2.5f : 2.0f;
    d->Draw_Text(m_fXMin + x0 + m_fWidth / 2 - c * t, m_fYMin + y0 - 2.5f * t, t, 0, title);
    d->Set_Default_ENV();
}

namespace {

template <typename Step>
void ForEach(std::vector<CGjGouJian>& members, CBase_SGT* d, const char* color, Step step) {
    for (CGjGouJian& g : members) {
        d->SetCurColor(color);
        step(g);
    }
}

}  // namespace

void CGjFrmJs::DrawWeiYiTu(CBase_SGT* d, float x0, float y0) {
    ForEach(m_GouJian, d, "3", [&](CGjGouJian& g) { g.DrawMember(d, x0, y0); });
    ForEach(m_GouJian, d, "1", [&](CGjGouJian& g) { g.DrawWeiYiCurve(d, x0, y0); });
    ForEach(m_GouJian, d, "4", [&](CGjGouJian& g) { g.DrawWeiYiValues(d, x0, y0); });
    DrawTitle(d, x0, y0, "位 移 图");
}

void CGjFrmJs::DrawWanJuTu(CBase_SGT* d, float x0, float y0) {
    ForEach(m_GouJian, d, "3", [&](CGjGouJian& g) { g.DrawMember(d, x0, y0); });
    for (CGjGouJian& g : m_GouJian) g.DrawWanJuCurve(d, x0, y0);
    ForEach(m_GouJian, d, "4", [&](CGjGouJian& g) { g.DrawWanJuValues(d, x0, y0); });
    DrawTitle(d, x0, y0, "弯 矩 图");
}

void CGjFrmJs::DrawJianLiTu(CBase_SGT* d, float x0, float y0) {
    ForEach(m_GouJian, d, "3", [&](CGjGouJian& g) { g.DrawMember(d, x0, y0); });
    for (CGjGouJian& g : m_GouJian) g.DrawJianLiCurve(d, x0, y0);
    ForEach(m_GouJian, d, "4", [&](CGjGouJian& g) { g.DrawJianLiValues(d, x0, y0); });
    DrawTitle(d, x0, y0, "剪 力 图");
}

void CGjFrmJs::DrawZhouLiTu(CBase_SGT* d, float x0, float y0) {
    ForEach(m_GouJian, d, "3", [&](CGjGouJian& g) { g.DrawMember(d, x0, y0); });
    for (CGjGouJian& g : m_GouJian) g.DrawZhouLiSymbol(d, x0, y0);
    ForEach(m_GouJian, d, "4", [&](CGjGouJian& g) { g.DrawZhouLiValues(d, x0, y0); });
    DrawTitle(d, x0, y0, "轴 力 图");
}

void CGjFrmJs::DrawPeiJinTu(CBase_SGT* d, float x0, float y0) {
    ForEach(m_GouJian, d, "3", [&](CGjGouJian& g) { g.DrawMember(d, x0, y0); });
    ForEach(m_GouJian, d, "4", [&](CGjGouJian& g) {
        if (!g.IsSteel()) g.DrawPeiJinValues(d, x0, y0);
    });
    DrawTitle(d, x0, y0, "配筋简图");
}

void CGjFrmJs::DrawNeiLiJianTu(CBase_SGT* d, float x0, float y0) {
    ForEach(m_GouJian, d, "3", [&](CGjGouJian& g) { g.DrawMember(d, x0, y0); });
    ForEach(m_GouJian, d, "1", [&](CGjGouJian& g) { g.DrawNeiLiValues(d, x0, y0); });
    DrawTitle(d, x0, y0, "内力简图");
}

void CGjFrmJs::DrawWanJuJianTu(CBase_SGT* d, float x0, float y0) {
    ForEach(m_GouJian, d, "3", [&](CGjGouJian& g) { g.DrawMember(d, x0, y0); });
    ForEach(m_GouJian, d, "1", [&](CGjGouJian& g) { g.DrawWanJuValues(d, x0, y0); });
    DrawTitle(d, x0, y0, "弯矩简图");
}

void CGjFrmJs::DrawJianLiJianTu(CBase_SGT* d, float x0, float y0) {
    ForEach(m_GouJian, d, "3", [&](CGjGouJian& g) { g.DrawMember(d, x0, y0); });
    ForEach(m_GouJian, d, "1", [&](CGjGouJian& g) { g.DrawJianLiValues(d, x0, y0); });
    DrawTitle(d, x0, y0, "剪力简图");
}

void CGjFrmJs::DrawZhouLiJianTu(CBase_SGT* d, float x0, float y0) {
    ForEach(m_GouJian, d, "3", [&](CGjGouJian& g) { g.DrawMember(d, x0, y0); });
    ForEach(m_GouJian, d, "1", [&](CGjGouJian& g) { g.DrawZhouLiValues(d, x0, y0); });
    DrawTitle(d, x0, y0, "轴力简图");
}

void CGjFrmJs::DrawWeiYiJianTu(CBase_SGT* d, float x0, float y0) {
    ForEach(m_GouJian, d, "3", [&](CGjGouJian& g) { g.DrawMember(d, x0, y0); });
    ForEach(m_GouJian, d, "4", [&](CGjGouJian& g) { g.DrawWeiYiValues(d, x0, y0); });
    DrawTitle(d, x0, y0, "位移简图");
}

void CGjFrmJs::DrawJiSuanJianTu(CBase_SGT* d, float x0, float y0) {
    kv::frame::CJianTu_StrLd_Frm sketch;
    sketch.m_fTextHeight = m_fBaseTextHeight * m_fTextScale;
    sketch.m_fForceLength *= m_fGraphScale;
    sketch.m_fLoadLength *= m_fGraphScale;
    const std::string name =
        G_strWorkPath + sprintf_gbk(m_nRenFang ? "%s_KV_StrLdA-1.DAT" : "%s_GJ_StrLdA-1.DAT", m_strDataName.c_str());
    // The model class makes an empty model where there is none: a scheme
    // without its model stays empty instead.
    if (kv::platform::ResolveExisting(name).empty()) return;
    std::unique_ptr<kv::frame::CJsBzData_Frm> model(new (std::nothrow) kv::frame::CJsBzData_Frm(name.c_str()));
    if (!model) {
        kv::MessageBox("内存不够  !");
        return;
    }
    if (!model->Read_All()) return;
    ForEach(m_GouJian, d, "3", [&](CGjGouJian& g) { g.DrawMember(d, x0, y0); });
    d->SetCurColor("7");
    sketch.Draw_YueShu(*model, d, x0, y0);
    d->SetCurColor("1");
    sketch.Draw_HeZai(*model, d, x0, y0);
    model.reset();
    ForEach(m_GouJian, d, "4", [&](CGjGouJian& g) { g.DrawLabel(d, x0, y0); });
    DrawTitle(d, x0, y0, "计算简图");
}

void CGjFrmJs::DrawDiagrams() {
    // The extents start from the first member: a frame without members has no drawings.
    if (m_nNum <= 0) return;
    SetExtents();
    const float W = m_fWidth, H = m_fHeight;
    const float g = (W + H) * 0.25f;
    SetTextHeight();
    SetScales();
    for (int k = 0; k < kGjDiagrams; ++k) {
        CBase_SGT d;
        const std::string path = G_strWorkPath + m_strDxf[k];
        d.New(path.c_str());
        d.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
        d.Write_Tables();
        d.Begin_Entity();
        switch (k) {
        case 0: DrawJiSuanJianTu(&d, 0, 0); break;
        case 1: DrawWeiYiTu(&d, 0, 0); break;
        case 2: DrawWanJuTu(&d, 0, 0); break;
        case 3: DrawJianLiTu(&d, 0, 0); break;
        case 4: DrawZhouLiTu(&d, 0, 0); break;
        case 5: DrawPeiJinTu(&d, 0, 0); break;
        default:
            DrawJiSuanJianTu(&d, 0, 0);
            DrawWeiYiTu(&d, W + g, 0);
            DrawWanJuTu(&d, 0, -(H + g));
            DrawJianLiTu(&d, W + g, -(H + g));
            DrawZhouLiTu(&d, 0, -2 * (H + g));
            DrawPeiJinTu(&d, W + g, -2 * (H + g));
            break;
        }
        d.End_Entity();
        if (!d.Close()) m_bFailed = true;
    }
}

// The grid beam's drawings in plan, in m: the analysis sketch, the forces and
// the reinforcement (and the deflections and crack widths, which no run draws).
#include <algorithm>
#include <cmath>
#include <string>

#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "members/beams/jzl_calc.h"
#include "members/beams/jzl_data.h"

namespace {

// Keeps the pen's colour across a primitive that sets its own.
class KeepColor {
public:
    explicit KeepColor(CBase_SGT* d) : d_(d), color_(d->GetCurColor()) {}
    ~KeepColor() { d_->SetCurColor(std::to_string(color_).c_str()); }

private:
    CBase_SGT* d_;
    int color_;
};

void AlongBeam(CBase_SGT* d, const JZL_BEAM& b, float x0, float y0, int code, int pos, const std::string& text,
               float offset) {
    d->Draw_Text_Along_Line(b.x1 + x0, b.y1 + y0, b.x2 + x0, b.y2 + y0, code, pos, text.c_str(), b.text_height,
                            offset);
}

}  // namespace

void CJzlJs::SetTextHeights() {
    float total = 0;
    for (const JZL_BEAM& b : m_Beams) total += BeamLength(b);
    m_fTextHeight = m_Beams.empty() ? 0.2f : total / static_cast<float>(m_Beams.size()) / 6 * 0.25f;
    for (JZL_BEAM& b : m_Beams) b.text_height = m_fTextHeight;
}

void CJzlJs::DrawNode(CBase_SGT* d, const JZL_NODE& node, float x0, float y0) {
    if (node.hidden || node.support == 0) return;
    KeepColor keep(d);
    d->SetCurColor(node.support == 1 ? "1" : "2");
    d->Draw_Rect_C(0.8f, 0.8f, node.x + x0, node.y + y0, 0);
}

void CJzlJs::DrawBeamOutline(CBase_SGT* d, const JZL_BEAM& b, float x0, float y0) {
    if (b.absent) return;
    if (b.secondary) {
        KeepColor keep(d);
        d->SetCurColor("14");
        d->Draw_Line(b.x1 + x0, b.y1 + y0, b.x2 + x0, b.y2 + y0);
        return;
    }
    d->SetCurColor("3");
    const float w = b.text_height / 10;
    d->Draw_Pline(b.x1 + x0, b.y1 + y0, b.x2 + x0, b.y2 + y0, w, w);
}

void CJzlJs::DrawBeamLabel(CBase_SGT* d, const JZL_BEAM& b, float x0, float y0) {
    if (b.absent) return;
    const float t = b.text_height;
    AlongBeam(d, b, x0, y0, 7, 3, sprintf_gbk("(%d)", b.element), 0.2f * t);
    AlongBeam(d, b, x0, y0, 8, 3, sprintf_gbk("%.0f*%.0f", b.b, b.h), -1.2f * t);
}

void CJzlJs::DrawForceText(CBase_SGT* d, const JZL_BEAM& b, float x0, float y0) {
    if (b.absent) return;
    const float t = b.text_height;
    const int pos[3] = {1, 3, 5};
    for (int j = 0; j < 3; ++j) AlongBeam(d, b, x0, y0, 8, pos[j], sprintf_gbk("%.2f", b.moment[2][j]), 0.2f * t);
    AlongBeam(d, b, x0, y0, 8, 1, sprintf_gbk("%.2f", b.shear[0]), -1.2f * t);
    AlongBeam(d, b, x0, y0, 8, 5, sprintf_gbk("%.2f", -b.shear[2]), -1.2f * t);
    AlongBeam(d, b, x0, y0, 8, 1, sprintf_gbk("%.2f", b.torque[0]), -2.4f * t);
    AlongBeam(d, b, x0, y0, 8, 5, sprintf_gbk("%.2f", -b.torque[2]), -2.4f * t);
}

void CJzlJs::DrawSteelText(CBase_SGT* d, const JZL_BEAM& b, float x0, float y0) {
    if (b.absent) return;
    const float t = b.text_height;
    const int pos[3] = {1, 3, 5};
    for (int j = 0; j < 3; ++j) {
        AlongBeam(d, b, x0, y0, 8, pos[j], sprintf_gbk("%.0f", b.top_steel[j]), 0.2f * t);
        AlongBeam(d, b, x0, y0, 8, pos[j], sprintf_gbk("%.0f", b.bottom_steel[j]), -1.2f * t);
    }
    AlongBeam(d, b, x0, y0, 8, 1, sprintf_gbk("%.0f", b.shear_stirrup[0]), -2.4f * t);
    AlongBeam(d, b, x0, y0, 8, 5, sprintf_gbk("%.0f", b.shear_stirrup[2]), -2.4f * t);
}

void CJzlJs::DrawDeflectionText(CBase_SGT* d, const JZL_BEAM& b, float x0, float y0) {
    if (b.absent) return;
    const float t = b.text_height;
    if (std::fabs(b.deflection[0]) > 0.00001f)
        d->Draw_Text(b.x1 + t + x0, b.y1 + t + y0, t, 0, sprintf_gbk("%.2f", b.deflection[0]).c_str());
    if (std::fabs(b.deflection[2]) > 0.00001f)
        d->Draw_Text(b.x2 + t + x0, b.y2 + t + y0, t, 0, sprintf_gbk("%.2f", b.deflection[2]).c_str());
}

void CJzlJs::DrawCrackText(CBase_SGT* d, const JZL_BEAM& b, float x0, float y0) {
    if (b.absent) return;
    const int pos[3] = {1, 3, 5};
    for (int j = 0; j < 3; ++j)
        AlongBeam(d, b, x0, y0, 8, pos[j], sprintf_gbk("%.2f", b.crack[j]), 0.2f * b.text_height);
}

namespace {

// The outlines of every beam, a colour, the texts of one primitive over every
// beam, then the title below the grid.
template <typename Texts>
void Compose(CJzlJs& js, CBase_SGT* d, float x0, float y0, const char* color, Texts texts, const char* title) {
    d->SetCurColor("3");
    for (const JZL_BEAM& b : js.m_Beams) js.DrawBeamOutline(d, b, x0, y0);
    d->SetCurColor(color);
    texts();
    d->Set_Default_ENV();
    d->SetCurColor("7");
    d->SetCurStyle("HZ");
    const float T = 0.05f * (js.m_fWidth + js.m_fHeight);
    d->Draw_Text(T + x0, -2 * T + y0, T, 0, title);
    d->Set_Default_ENV();
}

}  // namespace

void CJzlJs::DrawJiSuanJianTu(CBase_SGT* d, float x0, float y0) {
    Compose(*this, d, x0, y0, "3", [&] {
        for (const JZL_NODE& n : m_Nodes) DrawNode(d, n, x0, y0);
        d->SetCurColor("3");
        for (const JZL_BEAM& b : m_Beams) DrawBeamLabel(d, b, x0, y0);
    }, "计算简图");
}

void CJzlJs::DrawNeiLiJianTu(CBase_SGT* d, float x0, float y0) {
    Compose(*this, d, x0, y0, "1", [&] {
        for (const JZL_BEAM& b : m_Beams) DrawForceText(d, b, x0, y0);
    }, "内力简图");
}

void CJzlJs::DrawPeiJinJianTu(CBase_SGT* d, float x0, float y0) {
    Compose(*this, d, x0, y0, "2", [&] {
        for (const JZL_BEAM& b : m_Beams) DrawSteelText(d, b, x0, y0);
    }, "配筋简图");
}

void CJzlJs::DrawNaoDuJianTu(CBase_SGT* d, float x0, float y0) {
    Compose(*this, d, x0, y0, "4", [&] {
        for (const JZL_BEAM& b : m_Beams) DrawDeflectionText(d, b, x0, y0);
    }, "挠度简图");
}

void CJzlJs::DrawLieFengJianTu(CBase_SGT* d, float x0, float y0) {
    Compose(*this, d, x0, y0, "7", [&] {
        for (const JZL_BEAM& b : m_Beams) DrawCrackText(d, b, x0, y0);
    }, "裂缝简图");
}

void CJzlJs::WriteDxf() {
    if (m_Nodes.empty()) return;
    const auto [xmin, xmax] = std::minmax_element(m_Nodes.begin(), m_Nodes.end(),
                                                  [](const JZL_NODE& a, const JZL_NODE& b) { return a.x < b.x; });
    const auto [ymin, ymax] = std::minmax_element(m_Nodes.begin(), m_Nodes.end(),
                                                  [](const JZL_NODE& a, const JZL_NODE& b) { return a.y < b.y; });
    m_fWidth = xmax->x - xmin->x;
    m_fHeight = ymax->y - ymin->y;
    SetTextHeights();
    for (int k = 0; k < 3; ++k) {
        m_Drawing.New((G_strWorkPath + m_pData->GetDxfFileName(k)).c_str());
        m_Drawing.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
        m_Drawing.Write_Tables();
        m_Drawing.Begin_Entity();
        if (k == 0) DrawJiSuanJianTu(&m_Drawing, 0, 0);
        else if (k == 1) DrawNeiLiJianTu(&m_Drawing, 0, 0);
        else DrawPeiJinJianTu(&m_Drawing, 0, 0);
        m_Drawing.End_Entity();
        m_Drawing.Close();
    }
    tell_error(kv::err::kNotice, "Ok 4 !");
    tell_error(kv::err::kNotice, "Ok 5 !");
}

int jzl_draw_preview(CJzlData* data, CBase_SGT* drawing) {
    // One object for every redraw: its tables are made again each time, the
    // object itself (and its analysis parts) only once.
    static CJzlJs preview;
    JS_ERROR_CODE = 0;
    preview.Cleanup();
    preview.jzl_build_grid(data);
    if (JS_ERROR_CODE) return 0;
    preview.jzl_prepare_model();
    if (JS_ERROR_CODE) return 0;
    for (const JZL_BEAM& b : preview.m_Beams) preview.DrawBeamOutline(drawing, b, 0, 0);
    for (const JZL_NODE& n : preview.m_Nodes) preview.DrawNode(drawing, n, 0, 0);
    return JS_ERROR_CODE ? 0 : 1;
}

#include "members/beams/lxl_sheet.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "members/beams/lxl_data.h"

namespace {

constexpr float kLabelHeight = 500.0f;

// One curve of an envelope: point k at (X_k, y0 + sign·s·value_k), joined to the
// axis at both ends. `extreme` is +1 for a curve labelled at its local maxima,
// −1 at its local minima; `shown` the sign the labels print the value with.
void DrawCurve(CBase_SGT* d, float x0, float y0, const LXL_STATION* st, int n, float (*value)(const LXL_STATION&),
               float scale, float extreme, float shown, float labelOffset) {
    auto px = [&](int k) { return x0 + 1000.0f * st[k].x; };
    auto py = [&](int k) { return y0 + scale * value(st[k]); };
    auto label = [&](float x, int k) {
        d->Draw_Text(x, py(k) + labelOffset, kLabelHeight, 0, sprintf_gbk("%.1f", shown * value(st[k])).c_str());
    };
    for (int k = 0; k + 1 < n; ++k) {
        d->Draw_Line(px(k), py(k), px(k + 1), py(k + 1));
        const float v = value(st[k]);
        if (k == 0) {
            d->Draw_Line(x0, y0, px(0), py(0));
            if (std::fabs(v) > 0.1f) label(px(0), 0);
        } else if (k + 1 == n - 1) {
            const float last = value(st[k + 1]);
            d->Draw_Line(px(k + 1), py(k + 1), px(k + 1), y0);
            // The last label stands one station in, so that it keeps inside the beam.
            if (std::fabs(last) > 0.1f) label(px(k), k + 1);
        } else {
            const float before = extreme * value(st[k - 1]), here = extreme * v, after = extreme * value(st[k + 1]);
            const bool peak = (here >= before && here > after) || (here > before && here >= after);
            const bool differs = std::fabs(here - before) > 0.001f || std::fabs(here - after) > 0.001f;
            if (peak && differs) label(px(k), k);
        }
    }
}

float Largest(const LXL_STATION* st, int n, float LXL_STATION::*a, float LXL_STATION::*b) {
    float m = 0.00001f;
    for (int k = 0; k < n; ++k) m = std::max({m, std::fabs(st[k].*a), std::fabs(st[k].*b)});
    return m;
}

}  // namespace

void lxl_draw_moment_envelope(CBase_SGT* d, float x0, float y0, const LXL_STATION* st, int n, float size) {
    if (!st || n < 2) return;
    const float s = size / Largest(st, n, &LXL_STATION::m_max, &LXL_STATION::m_min);
    // Sagging moments hang below the axis.
    DrawCurve(d, x0, y0, st, n, [](const LXL_STATION& p) { return p.m_max; }, -s, 1, 1, -650);
    DrawCurve(d, x0, y0, st, n, [](const LXL_STATION& p) { return p.m_min; }, -s, -1, 1, 100);
}

void lxl_draw_shear_envelope(CBase_SGT* d, float x0, float y0, const LXL_STATION* st, int n, float size) {
    if (!st || n < 2) return;
    const float s = size / Largest(st, n, &LXL_STATION::v_max, &LXL_STATION::v_min);
    DrawCurve(d, x0, y0, st, n, [](const LXL_STATION& p) { return p.v_max; }, s, 1, 1, 100);
    DrawCurve(d, x0, y0, st, n, [](const LXL_STATION& p) { return p.v_min; }, s, -1, -1, -650);
}

void lxl_draw_steel(const CLxlData& data, CBase_SGT* d, float x0, float y0, const LXL_SPAN_STEEL steel[]) {
    const int spans = std::clamp(data.SpanNum, 1, kLxlMaxSpans);
    for (int i = 0; i < spans; ++i) {
        const float length = data.Spans[i].Length;
        float t = 450, g = 100;
        // Short spans take smaller texts so that the three stay apart.
        if (length < 4) {
            t = std::max(100.0f, 90.0f * length);
            g = std::max(20.0f, 20.0f * length);
        }
        int at[3] = {1, 4, 8};
        // Beyond the beam's ends there is room: a short end span moves its outer texts out.
        if (i == 0 && data.Spans[0].Length < 3) at[0] = -3;
        if (i == spans - 1 && length < 3) at[2] = 10;
        const float xl = data.SpanStart(i, x0), xr = xl + 1000.0f * length;
        for (int k = 0; k < 3; ++k) {
            auto text = [&](float v, float offset) {
                d->Draw_Text_Along_Line(xl, y0, xr, y0, 10, at[k], sprintf_gbk("%.0f", v).c_str(), t, offset);
            };
            text(steel[i].top[k], 100);
            text(steel[i].bottom[k], -(100 + g + t));
            text(steel[i].stirrup[k], -(100 + 2 * (g + t)));
        }
    }
}

void lxl_draw_sheet(CLxlData& data, const LXL_STATION* stations, int count, const LXL_SPAN_STEEL steel[],
                    CBase_SGT* d) {
    data.DrawModel(d, 0, 0, 0);
    d->Draw_TuMing(-3000, 3000, "荷载", 1, 1);
    d->Draw_TuMing(-3000, 0, "尺寸", 1, 1);
    lxl_draw_moment_envelope(d, 0, -7000, stations, count, 3000);
    data.DrawBeamOutline(d, 0, -7000);
    d->Draw_TuMing(-3000, -7000, "弯矩", 1, 1);
    lxl_draw_shear_envelope(d, 0, -13000, stations, count, 3000);
    data.DrawBeamOutline(d, 0, -13000);
    d->Draw_TuMing(-3000, -13000, "剪力", 1, 1);
    data.DrawBeamOutline(d, 0, -18000);
    lxl_draw_steel(data, d, 0, -18000, steel);
    d->Draw_TuMing(-3000, -18000, "配筋", 1, 1);
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    d->GetFRect(&x1, &y1, &x2, &y2);
    d->Draw_TuMing((x1 + x2) / 2, y1 - 1500, "连续梁计算简图", 1, 1);
    // The units line in half the title's height, under the title.
    d->Draw_Text((x1 + x2) / 2, y1 - 2500, 0.5f * d->GetTitleHeight(), 0,
                 "单位: 荷载(千牛) 尺寸(毫米) 弯矩(千牛.米) 剪力(千牛) 配筋(平方毫米)", "BC");
}

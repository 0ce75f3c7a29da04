// The flat slab's input sketch: the frame of the strip with its columns, the
// supports at their feet (and heads for a middle storey) and the loads scaled so
// that the largest is drawn 2 m long. Drawn in metres into the pages' preview.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "base/error.h"
#include "drawing/base_sgt.h"
#include "members/flatslab/wllg_data.h"

namespace {

// The scale that draws the largest of the loads 2 m long; 0 when all are 0,
// so that no load outline is drawn.
float LoadScale(std::initializer_list<float> loads) {
    float top = 0;
    for (float q : loads) top = std::max(top, std::fabs(q));
    return top > 0 ? 2.0f / top : 0.0f;
}

}  // namespace

void CWllgData::DrawSupport(CBase_SGT* d, float x, float y, int above) {
    d->Draw_Line(x - 0.3f, y, x + 0.3f, y);
    const float dx = above ? 0.2f : -0.2f, dy = above ? 0.3f : -0.3f;
    for (int i = 0; i < 4; ++i) {
        const float x0 = x - 0.3f + 0.2f * i;
        d->Draw_Line(x0, y, x0 + dx, y + dy);
    }
}

void CWllgData::DrawLineLoad(CBase_SGT* d, float x1, float y1, float x2, float y2, float p1,
                             float p2, float a) {
    if (std::fabs(p1) < 0.00001f && std::fabs(p2) < 0.00001f) return;
    const float len = std::hypot(x2 - x1, y2 - y1);
    // A span text may hold any number ("1e9", "inf"): such a slab gets no outline.
    if (!(len > 0) || !std::isfinite(len) || !std::isfinite(a)) return;
    const float ux = (x2 - x1) / len, uy = (y2 - y1) / len;  // along the member
    const float nx = -uy, ny = ux;                            // to its left
    auto at = [&](float s, float t, float& ox, float& oy) {
        ox = x1 + s * ux + t * nx;
        oy = y1 + s * uy + t * ny;
    };
    float ax, ay, bx, by, cx, cy;
    at(a, 0, ax, ay);
    at(0, p1, bx, by);
    at(a, p2, cx, cy);
    d->SetCurColor("1");
    d->Draw_Line(bx, by, cx, cy);
    d->Draw_Line(bx, by, x1, y1);
    d->Draw_Line(ax, ay, cx, cy);
    // One hatch each half metre; at most as many as the longest column load the
    // page takes (1000 m), so that a slab of absurd spans still redraws at once.
    constexpr float kMostHatches = 2000;
    const int n = static_cast<int>(std::clamp(a / 0.5f, 1.0f, kMostHatches));
    for (int i = 1; i <= n; ++i) {
        const float f = static_cast<float>(i) / n;
        d->Draw_Line(x1 + (ax - x1) * f, y1 + (ay - y1) * f, bx + (cx - bx) * f, by + (cy - by) * f);
    }
}

void CWllgData::DrawSketch(CBase_SGT* d) {
    if (m_nMidStorey == 1) DrawSketchMid(d);
    else DrawSketchTop(d);
}

namespace {

// Columns, supports and the slab, shared by both storey forms. Returns X.
float DrawFrame(CBase_SGT* d, const std::vector<float>& spans, float H, float top, bool mid) {
    std::vector<float> xs{0.0f};
    for (float l : spans) xs.push_back(xs.back() + l);
    d->SetCurColor("3");
    for (float x : xs) {
        d->Draw_Pline(x, 0, x, top, 0.2f, 0.2f);
        CWllgData::DrawSupport(d, x, 0, 0);
        if (mid) CWllgData::DrawSupport(d, x, top, 1);
    }
    d->Draw_Pline(0, H, xs.back(), H, 0.2f, 0.2f);
    return xs.back();
}

}  // namespace

int CWllgData::DrawSketchTop(CBase_SGT* d) {
    JS_ERROR_CODE = 0;
    const auto spans = parse_span_list(m_szSpans);
    if (!spans) return 0;
    const float H = m_fLowerHeight;
    const float X = DrawFrame(d, *spans, H, H, false);
    const float k = LoadScale({m_fLowLeftQ1, m_fLowRightQ1, m_fLowLeftQ2, m_fLowRightQ2, m_fSlabQ});
    if (k > 0) {
        DrawLineLoad(d, 0, 0, 0, H, k * m_fLowLeftQ1, k * m_fLowLeftQ2, m_fLowLeftA);
        DrawLineLoad(d, X, 0, X, H, -k * m_fLowRightQ1, -k * m_fLowRightQ2, m_fLowRightA);
        DrawLineLoad(d, 0, H, X, H, k * m_fSlabQ, k * m_fSlabQ, X);
    }
    return 1;
}

int CWllgData::DrawSketchMid(CBase_SGT* d) {
    JS_ERROR_CODE = 0;
    const auto spans = parse_span_list(m_szSpans);
    if (!spans) return 0;
    const float H = m_fLowerHeight, H2 = m_fUpperHeight;
    const float X = DrawFrame(d, *spans, H, H + H2, true);
    const float k = LoadScale({m_fLowLeftQ1, m_fLowRightQ1, m_fLowLeftQ2, m_fLowRightQ2, m_fSlabQ,
                               m_fUpLeftQ1, m_fUpRightQ1, m_fUpLeftQ2, m_fUpRightQ2});
    if (k > 0) {
        DrawLineLoad(d, 0, 0, 0, H, k * m_fLowLeftQ1, k * m_fLowLeftQ2, m_fLowLeftA);
        DrawLineLoad(d, X, 0, X, H, -k * m_fLowRightQ1, -k * m_fLowRightQ2, m_fLowRightA);
        DrawLineLoad(d, 0, H, 0, H + H2, k * m_fUpLeftQ1, k * m_fUpLeftQ2, m_fUpLeftA);
        DrawLineLoad(d, X, H, X, H + H2, -k * m_fUpRightQ1, -k * m_fUpRightQ2, m_fUpRightA);
        DrawLineLoad(d, 0, H, X, H, k * m_fSlabQ, k * m_fSlabQ, X);
    }
    return 1;
}

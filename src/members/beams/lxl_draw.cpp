// The continuous beam's preview and the model rows of its result sheet: the beam
// with its supports, the load symbols, the sections and their chain dimension.
// Millimetres; a point d metres from the beam's left end lies at x0 + 1000·d.
#include <algorithm>
#include <cmath>
#include <vector>

#include "base/error.h"
#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "members/beams/lxl_data.h"

namespace {

constexpr float kSymbolSize = 1200.0f;  // H of every load symbol
constexpr float kRowPitch = 1400.0f;     // between rows of load symbols

void ValueText(CBase_SGT* d, float x, float y, float h, float value) {
    d->Draw_Text(x, y, 0.3f * h, 0, sprintf_gbk("%.2f", value).c_str());
}

}  // namespace

void CLxlData::DrawModel(CBase_SGT* d, float x0, float y0, int preview) {
    m_nDrawPreview = preview;
    if (preview) {
        DrawBeamOutline(d, 0, 0);
        DrawLoads(d, 0, 0);
        return;
    }
    DrawBeamOutline(d, x0, y0 + 3000);
    DrawLoads(d, x0, y0 + 3000);
    DrawBeamOutline(d, x0, y0);
    DrawSections(d, x0, y0);
}

void CLxlData::DrawBeamOutline(CBase_SGT* d, float x0, float y0) {
    d->SetCurColor("3");
    d->MoveTo(x0, y0);
    if (LeftSupport == 1) DrawHinge(d, x0, y0);
    else if (LeftSupport == 2) DrawFixedEnd(d, x0, y0, 1);
    const int spans = std::clamp(SpanNum, 1, kLxlMaxSpans);
    for (int i = 0; i < spans; ++i) {
        d->SetCurColor(m_nDrawPreview && i + 1 == CurSpan ? "1" : "3");
        d->PlineTo_Relative(1000.0f * Spans[i].Length, 0, 100, 100);
        d->SetCurColor("3");
        // Every interior support is a simple support.
        if (i + 1 < spans) DrawHinge(d, d->CurEnv().penX, d->CurEnv().penY);
    }
    const float x = d->CurEnv().penX, y = d->CurEnv().penY;
    if (RightSupport == 1) DrawHinge(d, x, y);
    else if (RightSupport == 2) DrawFixedEnd(d, x, y, 0);
    d->Set_Default_ENV();
}

void CLxlData::DrawHinge(CBase_SGT* d, float x, float y) {
    d->Draw_Circle(x, y - 150, 150, 1);
    d->Draw_Line(x, y - 150, x, y - 650, 1);
    d->Draw_Circle(x, y - 650, 150, 1);
    d->Draw_Line(x - 300, y - 800, x + 300, y - 800, 1);
    for (int i = 0; i < 4; ++i) d->Draw_Line(x - 300 + 200 * i, y - 800, x - 500 + 200 * i, y - 1100, 1);
}

void CLxlData::DrawFixedEnd(CBase_SGT* d, float x, float y, int hatchLeft) {
    d->Draw_Pline(x, y + 400, x, y - 400, 50, 50, 1);
    for (int i = 0; i < 4; ++i) {
        if (hatchLeft) d->Draw_Line(x - 300, y - 400 + 200 * i, x, y - 200 + 200 * i, 1);
        else d->Draw_Line(x, y - 400 + 200 * i, x + 300, y - 200 + 200 * i, 1);
    }
}

float CLxlData::SpanStart(int span, float x0) const {
    float x = x0;
    for (int i = 0; i < span; ++i) x += 1000.0f * Spans[i].Length;
    return x;
}

void CLxlData::DrawSections(CBase_SGT* d, float x0, float y0) {
    const int spans = std::clamp(SpanNum, 1, kLxlMaxSpans);
    std::vector<float> xs(spans + 1), ys(spans + 1, y0 - 3000);
    for (int i = 0; i <= spans; ++i) xs[i] = SpanStart(i, x0);
    for (int i = 0; i < spans; ++i) {
        const std::string text = sprintf_gbk("%d*%d", Spans[i].Width, Spans[i].Height);
        d->Draw_Text_Along_Line(xs[i], y0, xs[i + 1], y0, 10, 4, text.c_str(), 450, 125);
    }
    d->Push_ENV();
    // The chain's figures as large as the drawing's other annotations.
    d->SetDimTextHeight(d->GetTextHeight());
    d->Draw_Dim_Points(spans + 1, xs.data(), ys.data(), nullptr, 1, 1);
    d->Pop_ENV();
}

void CLxlData::DrawLoads(CBase_SGT* d, float x0, float y0) {
    const int spans = std::clamp(SpanNum, 1, kLxlMaxSpans);
    for (int i = 0; i < spans; ++i) {
        const int loads = std::clamp(Spans[i].LoadNum, 0, kLxlMaxLoads);
        for (int j = 0; j < loads; ++j) {
            const LXL_LOAD& q = Spans[i].Loads[j];
            m_nDrawSpan = i;
            m_nDrawLoad = j;
            m_nDrawType = q.Type;
            m_nDrawKind = q.Kind;
            switch (q.Type) {
            case 1: m_fDrawValue1 = q.Q1, m_fDrawValue2 = 0, m_fDrawPos1 = 0, m_fDrawPos2 = 1000 * q.A; break;
            case 2: m_fDrawValue1 = 0, m_fDrawValue2 = q.Q1, m_fDrawPos1 = 0, m_fDrawPos2 = 1000 * q.A; break;
            case 3:
            case 4: m_fDrawValue1 = q.Q1, m_fDrawValue2 = 0, m_fDrawPos1 = 0, m_fDrawPos2 = 0; break;
            case 5: m_fDrawValue1 = q.Q1, m_fDrawValue2 = 1000 * q.A, m_fDrawPos1 = 0, m_fDrawPos2 = 0; break;
            case 6: m_fDrawValue1 = q.Q1, m_fDrawValue2 = q.Q2, m_fDrawPos1 = 1000 * q.A, m_fDrawPos2 = 1000 * q.C; break;
            default:
                // A data error: this load is left out, the others are drawn.
                tell_error(kv::err::kDataError, "荷载类型错 !");
                continue;
            }
            DrawLoad(d, i, x0, y0);
        }
    }
}

void CLxlData::DrawLoad(CBase_SGT* d, int span, float x0, float y0) {
    d->SetCurColor(m_nDrawKind == 1 ? "2" : "4");
    const float xl = SpanStart(span, x0);
    const float xr = xl + 1000.0f * Spans[span].Length;
    const float y = y0 + LoadSymbolHeight();
    const float h = kSymbolSize;
    switch (m_nDrawType) {
    case 1:
    case 2: DrawPointSymbol(d, m_fDrawValue1, m_fDrawValue2, m_fDrawPos1, m_fDrawPos2, xl, y, xr, y, h); break;
    case 3: DrawUniformSymbol(d, m_fDrawValue1, xl, y, xr, y, h); break;
    case 4: DrawTriangleSymbol(d, m_fDrawValue1, xl, y, xr, y, h); break;
    case 5: DrawTrapezoidSymbol(d, m_fDrawValue1, m_fDrawValue2, xl, y, xr, y, h); break;
    case 6: DrawPartialSymbol(d, m_fDrawValue1, m_fDrawValue2, m_fDrawPos1, m_fDrawPos2, xl, y, xr, y, h); break;
    default: break;
    }
}

float CLxlData::LoadSymbolHeight() const {
    const bool dead = m_nDrawKind == 1;
    if (m_nDrawPreview) return dead ? 700.0f : 2100.0f;
    // On the sheet dead loads stack in rows from 700 up; live loads stack above
    // the highest dead row of the whole beam.
    const LXL_SPAN& span = Spans[m_nDrawSpan];
    int deadBefore = 0, liveBefore = 0;
    for (int j = 0; j < m_nDrawLoad; ++j) (span.Loads[j].Kind == 1 ? deadBefore : liveBefore)++;
    int mostDead = 0;
    const int spans = std::clamp(SpanNum, 1, kLxlMaxSpans);
    for (int i = 0; i < spans; ++i) {
        const int loads = std::clamp(Spans[i].LoadNum, 0, kLxlMaxLoads);
        mostDead = std::max<int>(mostDead, std::count_if(Spans[i].Loads, Spans[i].Loads + loads,
                                                         [](const LXL_LOAD& q) { return q.Kind == 1; }));
    }
    return dead ? (deadBefore + 0.5f) * kRowPitch : (liveBefore + 1.5f + mostDead) * kRowPitch;
}

void CLxlData::DrawPointSymbol(CBase_SGT* d, float force, float moment, float, float at, float xl, float y, float,
                               float, float h) {
    const float x = xl + at;
    if (std::fabs(force) > 0.0001f) {
        d->MoveTo(x, y);
        d->LineTo_Relative(0, 0.8f * h);
        d->MoveTo(x, y);
        d->LineTo_Relative(0.3f * h, 0.3f * h);
        d->MoveTo(x, y);
        d->LineTo_Relative(-0.3f * h, 0.3f * h);
        ValueText(d, x, y + 0.8f * h, h, force);
    }
    if (std::fabs(moment) > 0.0001f) {
        d->Draw_Arc(x, y, h / 2, 0, 180, 1);
        d->Draw_Line(x + h / 2, y, x + 3 * h / 4, y + h / 4);
        d->Draw_Line(x + h / 2, y, x + h / 4, y + h / 4);
        ValueText(d, x, y + 0.8f * h, h, moment);
    }
}

void CLxlData::DrawUniformSymbol(CBase_SGT* d, float q, float xl, float y, float xr, float, float h) {
    const float top = y + 0.8f * h;
    const float xs[5] = {xl, xr, xr, xl, xl}, ys[5] = {y, y, top, top, y};
    d->Draw_Lines(5, xs, ys);
    ValueText(d, xl, top, h, q);
}

void CLxlData::DrawTriangleSymbol(CBase_SGT* d, float q, float xl, float y, float xr, float, float h) {
    const float top = y + 0.8f * h;
    const float xs[4] = {xl, xr, (xl + xr) / 2, xl}, ys[4] = {y, y, top, y};
    d->Draw_Lines(4, xs, ys);
    ValueText(d, xl, top, h, q);
}

void CLxlData::DrawTrapezoidSymbol(CBase_SGT* d, float q, float ramp, float xl, float y, float xr, float,
                                   float h) {
    const float top = y + 0.8f * h;
    const float xs[5] = {xl, xr, xr - ramp, xl + ramp, xl}, ys[5] = {y, y, top, top, y};
    d->Draw_Lines(5, xs, ys);
    ValueText(d, xl, top, h, q);
}

void CLxlData::DrawPartialSymbol(CBase_SGT* d, float q1, float q2, float start, float length, float xl, float y,
                                 float, float, float h) {
    const float xa = xl + start, xb = xa + length;
    const float full = 0.8f * h;
    // The end with the larger load rises the full height, the other in proportion.
    float h1 = full, h2 = full;
    if (std::fabs(q1) >= std::fabs(q2)) h2 = full * std::fabs(q2) / (std::fabs(q1) + 0.0001f);
    else h1 = full * std::fabs(q1) / (std::fabs(q2) + 0.0001f);
    const float xs[5] = {xa, xb, xb, xa, xa}, ys[5] = {y, y, y + h2, y + h1, y};
    d->Draw_Lines(5, xs, ys);
    ValueText(d, xa - 0.5f, y + full, h, q1);
    ValueText(d, xb + 0.5f, y + full, h, q2);
}

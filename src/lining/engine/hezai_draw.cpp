// The loads on the calculation sketch: pressure diagrams and water levels.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "drawing/base_sgt.h"
#include "lining/engine/hezai.h"

namespace {

std::string Value(float v) {
    char text[48];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

// Sketch loads are drawn in the style "HZ" at the sketch's own scale.
class SketchPen {
public:
    explicit SketchPen(CBase_SGT* d) : d_(d) {
        d_->Push_ENV();
        d_->SetCurStyle("HZ");
        d_->SetBiLiChi(10);
    }
    ~SketchPen() { d_->Pop_ENV(); }
    SketchPen(const SketchPen&) = delete;
    SketchPen& operator=(const SketchPen&) = delete;

private:
    CBase_SGT* d_;
};

}  // namespace

void DrawSideLoad(CBase_SGT* d, float x, float bottom, float top, float lower, float upper, float s, float T,
                  float loadScale, int left) {
    if (!d || (lower < 0.001f && upper < 0.001f)) return;
    const float o = left ? -1.0f : 1.0f;
    const float wl = o * lower * loadScale, wu = o * upper * loadScale;
    d->Draw_Line(x * s, bottom * s, x * s, top * s);
    d->Draw_Line(x * s, bottom * s, (x + wl) * s, bottom * s);
    d->Draw_Line((x + wl) * s, bottom * s, (x + wu) * s, top * s);
    d->Draw_Line((x + wu) * s, top * s, x * s, top * s);
    const float step = 3 * T / s;
    if (step > 0 && top > bottom) {
        for (float y = top - step; y > bottom; y -= step) {
            const float w = wl + (wu - wl) * (y - bottom) / (top - bottom);
            d->DrawLineArrow((x + w) * s, y * s, x * s, y * s);
        }
    }
    d->Draw_Text((x + o * 2 * T / s) * s, (top + T / s) * s, T, 0, Value(upper).c_str());
    d->Draw_Text((x + o * 2 * T / s) * s, (bottom - 2 * T / s) * s, T, 0, Value(lower).c_str());
}

void DrawTopBottomLoad(CBase_SGT* d, float left, float right, float base, float halfWidth, float leftValue,
                       float middleValue, float rightValue, float s, float T, float loadScale, int bottom) {
    if (!d || (leftValue < 0.001f && middleValue < 0.001f && rightValue < 0.001f)) return;
    const float o = bottom ? -1.0f : 1.0f;  // outward: down below the bottom, up above the top
    const float middle = left + halfWidth;
    auto outline = [&](float x0, float v0, float x1, float v1) {
        if (v0 < 0.001f && v1 < 0.001f) return;
        d->Draw_Line(x0 * s, base * s, x1 * s, base * s);
        d->Draw_Line(x0 * s, base * s, x0 * s, (base + o * v0 * loadScale) * s);
        d->Draw_Line(x0 * s, (base + o * v0 * loadScale) * s, x1 * s, (base + o * v1 * loadScale) * s);
        d->Draw_Line(x1 * s, (base + o * v1 * loadScale) * s, x1 * s, base * s);
    };
    outline(left, leftValue, middle, middleValue);
    outline(middle, middleValue, right, rightValue);
    // Arrows from the outline to the base line wherever the load acts.
    const float step = 3 * T / s;
    if (step > 0) {
        for (float x = left; x <= right; x += step) {
            const float v = x <= middle ? leftValue + (middleValue - leftValue) * (middle > left ? (x - left) / (middle - left) : 0)
                                        : middleValue + (rightValue - middleValue) * (right > middle ? (x - middle) / (right - middle) : 0);
            if (v < 0.00001f) continue;
            d->DrawLineArrow(x * s, (base + o * v * loadScale) * s, x * s, base * s);
        }
    }
    const float ty = bottom ? -T : 0.5f * T;
    d->Draw_Text(left * s, (base + o * leftValue * loadScale) * s + ty, T, 0, Value(leftValue).c_str());
    d->Draw_Text(middle * s, (base + o * middleValue * loadScale) * s + ty, T, 0, Value(middleValue).c_str());
    d->Draw_Text(right * s, (base + o * rightValue * loadScale) * s + ty, T, 0, Value(rightValue).c_str());
}

void CHeZaiCanShu::DrawArrows(CBase_SGT* d, const CFRect& e, float s, float T, float loadScale, float leftHalfWidth,
                              int hasZhiZuo, float H1, float H0) const {
    if (!d || s <= 0) return;
    const SketchPen pen(d);
    const bool unsymmetric = hasZhiZuo && !m_bDuiCheng;
    // The sides: the left wall with the left values; the right with the same
    // without supports, with its own when the loads differ, else with the left
    // top value and the left gradient carried over the right wall's height.
    DrawSideLoad(d, e.left - 12 * T / s, e.top - H1, e.top, m_fCeXia, m_fCeShang, s, T, loadScale, 1);
    float rightUpper = m_fCeShang, rightLower = m_fCeXia;
    if (unsymmetric) {
        rightUpper = m_fYouShang;
        rightLower = m_fYouXia;
    } else if (hasZhiZuo && H1 > 0) {
        rightLower = m_fCeShang + (m_fCeXia - m_fCeShang) * H0 / H1;
    }
    DrawSideLoad(d, e.right + 12 * T / s, e.top - H0, e.top, rightLower, rightUpper, s, T, loadScale, 0);
    const float topBase = e.top + (unsymmetric ? 5 : 10) * T / s;
    DrawTopBottomLoad(d, e.left, e.right, topBase, leftHalfWidth, m_fDingCe, m_fDingZhong,
                      unsymmetric ? m_fDingYou : m_fDingCe, s, T, loadScale, 0);
    if (!hasZhiZuo)
        DrawTopBottomLoad(d, e.left, e.right, e.bottom - 17 * T / s, leftHalfWidth, m_fDiCe, m_fDiZhong, m_fDiCe, s,
                          T, loadScale, 1);
}

void DrawWaterMarkText(CBase_SGT* d, float x, float y, float T, const char* text) {
    if (!d) return;
    const float chars = text ? static_cast<float>(std::strlen(text)) : 0;
    d->Draw_Line(x, y, x - T, y + T);
    d->Draw_Line(x - T, y + T, x + T, y + T);
    d->Draw_Line(x + T, y + T, x, y);
    if (chars > 0) {
        d->Draw_Line(x + T, y + T, x + T + T * chars, y + T);
        d->Draw_Text(x + 1.5f * T, y + 1.5f * T, 1.3f * T, 0, text);
    }
    d->Draw_Line(x - 1.5f * T, y, x + 1.5f * T + T * chars, y);
    d->Draw_Line(x - T, y - 0.5f * T, x + T, y - 0.5f * T);
    d->Draw_Line(x - 0.5f * T, y - T, x + 0.5f * T, y - T);
}

void DrawWaterMark(CBase_SGT* d, float x, float y, float T, float value) {
    char text[48];
    std::snprintf(text, sizeof text, "%.3f", value);
    DrawWaterMarkText(d, x, y, T, text);
}

void CHeZaiCanShu::DrawWaterLevels(CBase_SGT* d, const CFRect& e, float a, float s, float T) const {
    if (!d) return;
    const SketchPen pen(d);
    // A level above the section is marked at its top with the part beyond added.
    auto level = [&](float x, float head) {
        const float height = e.bottom + a + head;
        if (e.Height() < height) {
            char text[64];
            std::snprintf(text, sizeof text, "%.3f+%.3f", e.Height(), height - e.Height());
            DrawWaterMarkText(d, x, e.Height() * s, T, text);
        } else {
            DrawWaterMark(d, x, height * s, T, head);
        }
    };
    level(4 * T, m_fNeiShuiTou);
    level(e.left * s - 20 * T, m_fWaiShuiTou);
    DrawWaterMarkText(d, 0, -a * s, T, nullptr);
}

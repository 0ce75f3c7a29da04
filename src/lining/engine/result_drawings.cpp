// The drawings of a lining run: the result sheet of a state with its seven
// diagrams, the deformation and the seismic sheet, and the helpers the section
// types draw their outlines, dimensions, supports, grouting and diagrams with.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "base/geometry.h"
#include "drawing/base_sgt.h"
#include "lining/engine/canshu.h"
#include "lining/engine/hezai.h"
#include "lining/engine/jiemian.h"
#include "lining/engine/owner.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kGroutStep = 0.31415927f;  // one grouting arrow every tenth of π

// A new memory drawing with the text style "HZ"; none when it cannot be made.
std::unique_ptr<CBase_SGT> NewDrawing() {
    std::unique_ptr<CBase_SGT> drawing(new (std::nothrow) CBase_SGT);
    if (!drawing) return drawing;
    drawing->New_MemDxf();
    drawing->Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    drawing->Write_Tables();
    drawing->SetCurStyle("HZ");
    return drawing;
}

float Width(const CBase_SGT& d, const std::string& text, float height, float factor = 0.7f) {
    return d.GetTextWidth(text.c_str(), height, factor, "HZ");
}

struct Quantity {
    const char* title;
    const char* unit;
};
const Quantity kQuantity[7] = {{"轴力图", "单位:kN"},     {"剪力图", "单位:kN"},     {"弯矩图", "单位:kN.m"},
                               {"切向位移图", "单位:mm"}, {"法向位移图", "单位:mm"}, {"转角位移图", "单位:度"},
                               {"抗力分布图", "单位:kPa"}};

// The value diagram q shows for a node's component `c` on a side (1 left, 0 right).
double Shown(int q, double c, int side, float k) {
    switch (q) {
        case 1: return side ? c : -c;
        case 5: return (side ? c : -c) * 57.295776;
        case 6: return c >= 0 ? k * c * 1000 : 0;
        default: return c;
    }
}

std::string Label(int q, double c, double shown) {
    char text[48];
    if (q <= 2) std::snprintf(text, sizeof text, "%.1f", shown);
    else if (q <= 4) std::snprintf(text, sizeof text, "%.3f", c * 1000);
    else std::snprintf(text, sizeof text, "%.3f", shown);
    return text;
}

// Which nodes of an arc diagram get labels, by mode.
bool Labelled(int mode, int i, int n) {
    switch (mode) {
        case 0:
        case 1: return i == 0 || i == n;
        case 2:
        case 5: return i == 0;
        case 3:
        case 4: return i == n;
        default: return false;
    }
}

}  // namespace

int CJieMianBase::DrawResults(int n, const double* results) {
    if (!m_pData) return -1;
    const float th = m_fTextHeight;
    const float h = 3 * th;
    const bool seismic = m_pData->GetDiZhen().m_bDiZhen != 0;
    const int state = m_nState;

    // 1-3: the sheet, the sketch and the seven diagrams, measured as they come.
    auto sheet = NewDrawing();
    if (!sheet) return -1;
    float bottom = 1000, W = 0, H = 0;
    auto measure = [&](const CBase_SGT& d) {
        CFRect r;
        d.GetFRect(r);
        bottom = std::min(bottom, r.bottom);
        W = std::max(W, r.Width());
        H = std::max(H, r.Height());
    };
    auto sketch = NewDrawing();
    if (!sketch) return -1;
    m_bJianTuBiaoTi = 0;
    DrawJsJt(sketch.get());
    m_bJianTuBiaoTi = 1;
    measure(*sketch);
    std::unique_ptr<CBase_SGT> diagram[7];
    for (int q = 0; q < 7; ++q) {
        diagram[q] = NewDrawing();
        if (!diagram[q]) return -1;
        DrawNeiLi(diagram[q].get(), q, n, results, 1);
        DrawNeiLi(diagram[q].get(), q, n, results, 0);
        measure(*diagram[q]);
    }

    // 4-5: where the titles stand, and what they say of the values.
    const float s = m_fBiLi;
    float xt = 0, yt = bottom - 1.5f * th;
    if (HasZhiZuo()) {
        CFRect e;
        GetExtent(e);
        xt = (e.left + e.right) / 2 * s;
        yt = e.bottom * s - 1.5f * th;
    }
    const std::string suffix = state != 0 ? "(标准值)" : seismic ? "(设计值,不含地震作用)" : "(设计值)";
    auto titled = [&](CBase_SGT& d, const std::string& title, const std::string& unit) {
        d.SetCurColor("7");
        d.Draw_Text(xt - Width(d, title, h) / 2, yt, h, 0, title.c_str());
        d.SetCurColor("7");
        d.Draw_Text(xt - Width(d, unit, h / 2) / 2, yt - h, h / 2, 0, unit.c_str());
    };
    // Each state's drawing stands right of the one before, by its own width.
    auto insertByState = [&](CBase_SGT* target, const CBase_SGT& d) {
        if (!target) return;
        CFRect own;
        d.GetFRect(own);
        target->InsertDxf(d, own.left + 1.2f * own.Width() * static_cast<float>(state), 0, 0, 1, 1);
    };

    // 6: the diagrams into their own drawings and the sheet.
    for (int q = 0; q < 7; ++q) {
        CBase_SGT& d = *diagram[q];
        titled(d, std::string(kQuantity[q].title) + suffix, kQuantity[q].unit);
        insertByState(m_pData->GetDrawing(CLiningOwner::kDiagram0 + q), d);
        if (q <= 2) sheet->InsertDxf(d, 1.2f * W * static_cast<float>(q), 0, 0, 1, 1);
        else if (q <= 5) sheet->InsertDxf(d, 1.2f * W * static_cast<float>(q - 3), -1.2f * H, 0, 1, 1);
        else sheet->InsertDxf(d, 2.4f * W, 1.2f * H, 0, 1, 1);
        diagram[q].reset();
    }
    // 7: the sketch.
    sketch->Draw_Text(xt - Width(*sketch, "计算简图", h) / 2, yt - h, h, 0, "计算简图");
    sheet->InsertDxf(*sketch, 0, 1.2f * H, 0, 1, 1);
    sketch.reset();

    // 8: the deformation.
    auto deformation = NewDrawing();
    if (!deformation) return -1;
    DrawBianXing(deformation.get(), n, results, 1);
    DrawBianXing(deformation.get(), n, results, 0);
    {
        CBase_SGT& d = *deformation;
        const std::string title = "变形图" + suffix;
        d.SetCurColor("7");
        d.Draw_Text(xt - Width(d, title, h) / 2, yt, h, 0, title.c_str());
        d.Draw_Text(xt - Width(d, "单位:(mm)", h / 2) / 2, yt - h, h / 2, 0, "单位:(mm)");
    }
    insertByState(m_pData->GetDrawing(CLiningOwner::kDeformation), *deformation);
    sheet->InsertDxf(*deformation, 1.2f * W, 1.2f * H, 0, 1, 1);
    deformation.reset();

    // 9: the sheet with its title into the result drawing.
    CBase_SGT* result = m_pData->GetDrawing(CLiningOwner::kResultSheet);
    if (!result) return -1;
    std::string name = state != 0 ? "标准荷载计算" : seismic ? "设计荷载计算(不含地震作用)" : "设计荷载计算";
    name += "结果图";
    CFRect se;
    sheet->GetFRect(se);
    sheet->Draw_Text((se.left + se.right) / 2 - Width(*sheet, name, 2 * h, 0.75f) / 2, se.bottom - 4 * h, 2 * h, 0,
                     name.c_str());
    insertByState(result, *sheet);
    sheet.reset();

    // 10: the section with its reinforcement.
    if (state == 0) DrawJieMian(m_pData->GetDrawing(CLiningOwner::kOutline));

    // 11: the seismic effects on a sheet of their own, right of the results.
    if (seismic) {
        auto quake = NewDrawing();
        auto titledSketch = NewDrawing();
        if (!quake || !titledSketch) return -1;
        m_bJianTuBiaoTi = 1;
        DrawJsJt(titledSketch.get());
        quake->InsertDxf(*titledSketch, W, 0, 0, 1, 1);
        titledSketch.reset();
        static const char* const kTitle[3] = {"轴力图(设计值,地震作用)", "剪力图(设计值,地震作用)",
                                              "弯矩图(设计值,地震作用)"};
        static const char* const kUnit[3] = {"单位:kN", "单位:kN", "单位:kN.m"};
        float y = 0;
        for (int e = 0; e < 3; ++e) {
            auto d = NewDrawing();
            if (!d) return -1;
            DrawDiZhen(d.get(), e, n, 1);
            DrawDiZhen(d.get(), e, n, 0);
            CFRect E, D;
            quake->GetFRect(E);
            d->GetFRect(D);
            if (e == 0) y = E.bottom - D.top - H / 2;
            d->SetCurColor("0");
            const float tx = (D.left + D.right) / 2 - 14 * th, ty = D.bottom - 10 * th;
            d->Draw_Text(tx, ty, 3 * th, 0, kTitle[e]);
            d->Draw_Text(tx + 10 * th, ty - 3 * th, 1.5f * th, 0, kUnit[e]);
            quake->InsertDxf(*d, static_cast<float>(e) * W, y, 0, 1, 1);
        }
        CFRect E;
        quake->GetFRect(E);
        quake->Draw_Text((E.left + E.right) / 2 - 8 * th, E.bottom - 16 * th, 4 * th, 0, "地震作用效应结果图");
        quake->GetFRect(E);
        CFRect R;
        result->GetFRect(R);
        result->InsertDxf(*quake, R.right + E.left + 2 * W, R.top - E.top, 0, 1, 1);
    }
    return 0;
}

int CJieMianBase::DrawDimension(CBase_SGT* d, float x1, float y1, float x2, float y2, float value, float f, float,
                                float textHeight, int flag) {
    if (!d) return 0;
    char text[48];
    std::snprintf(text, sizeof text, "%.3f", value);
    d->Push_ENV();
    d->SetCurStyle("HZ");
    if (std::fabs(x2 - x1) < 0.00001f) {
        if (y1 > y2) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        d->DrawLineArrow(x1, y1 - f, x1, y1);
        d->DrawLineArrow(x2, y2 + f, x2, y2);
        if (flag == 1) d->Draw_Text(x2 - 0.1f * f, y2 + f / 2, textHeight, 90, text);
        else d->Draw_Text(x1 - 0.1f * f, y1 - f, textHeight, 90, text);
    } else {
        if (x1 > x2) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        if (std::fabs(y2 - y1) < 0.00001f) {
            d->DrawLineArrow(x1 - f, y1, x1, y1);
            d->DrawLineArrow(x2 + f, y2, x2, y2);
            if (flag == 1) d->Draw_Text(x1 - f / 2, y2 + 0.1f * f, textHeight, 0, text);
            else d->Draw_Text(x2 + f / 2, y2 + 0.1f * f, textHeight, 0, text);
        } else {
            const float length = std::hypot(x2 - x1, y2 - y1);
            const float ox = f * (x2 - x1) / length, oy = f * (y2 - y1) / length;
            d->DrawLineArrow(x1 - ox, y1 - oy, x1, y1);
            d->DrawLineArrow(x2 + ox, y2 + oy, x2, y2);
            const float angle = JH_GetAngle(x1, y1, x2, y2) * 180 / kPi;
            if (flag == 1)
                d->Draw_Text(x1 - 1.1f * ox + textHeight, y1 - 0.7f * oy + textHeight, textHeight, angle, text);
            else d->Draw_Text(x2 + 0.1f * ox + textHeight, y2 + 0.6f * oy + textHeight, textHeight, angle, text);
        }
    }
    d->Pop_ENV();
    return 0;
}

int CJieMianBase::ShortenRadius(float* x, float* y, float* length, float angle, int allowed) {
    if (!x || !y || !length || !allowed) return 0;
    CFRect e;
    GetExtent(e);
    const float height = e.Height();
    if (!(*length > height)) return 0;
    // Keep half the section height of the radius, at its end.
    const float a = angle * kPi / 180;
    const float moved = *length - height / 2;
    *x += moved * std::cos(a);
    *y += moved * std::sin(a);
    *length = height / 2;
    return 1;
}

int CJieMianBase::DrawRadius(const RadiusMark& m) {
    CBase_SGT* d = m.drawing;
    if (!d) return 0;
    const float a = m.angle * kPi / 180;
    const float ca = std::cos(a), sa = std::sin(a);
    const float ex = m.x + m.length * ca, ey = m.y + m.length * sa;
    float sx = m.x, sy = m.y, drawn = m.length;
    const float s = m.scale;
    if (m.shorten == 1 && ShortenRadius(&sx, &sy, &drawn, m.angle, m.mayShorten)) {
        // The break mark says the line is not drawn whole.
        const float b = a + 25 * kPi / 180;
        const float bx = sx + drawn / 5 * std::cos(b), by = sy + drawn / 5 * std::sin(b);
        d->Draw_Line(sx * s, sy * s, bx * s, by * s);
        d->Draw_Line(bx * s, by * s, (bx - 2 * drawn / 5 * ca) * s, (by - 2 * drawn / 5 * sa) * s);
    }
    d->DrawLineArrow(sx * s, sy * s, ex * s, ey * s);
    char text[48];
    std::snprintf(text, sizeof text, "%.3f", m.length);
    float tx = (sx + ex) / 2 * s, ty = (sy + ey) / 2 * s;
    if (m.textOffset) {
        tx += 2 * m.textHeight;
        ty += m.textHeight;
    }
    d->Draw_Text(tx, ty, m.textHeight, m.angle, text);
    return 0;
}

int CJieMianBase::DrawArcFaces(CBase_SGT* d, float x, float y, float R, float a0, float a1, float t0, float t1,
                               int steps, int face) {
    if (!d) return 0;
    const bool inner = face == 0 || face == 1, outer = face == 0 || face == 2;
    if (steps >= 1 && std::fabs(t1 - t0) >= 0.01f) {
        auto polyline = [&](float sign) {
            for (int j = 0; j <= steps; ++j) {
                const float f = static_cast<float>(j) / static_cast<float>(steps);
                const float a = a0 + f * (a1 - a0), r = R + sign * (t0 + f * (t1 - t0)) / 2;
                if (j == 0) d->MoveTo(x + r * std::cos(a), y + r * std::sin(a));
                else d->LineTo(x + r * std::cos(a), y + r * std::sin(a));
            }
        };
        if (outer) polyline(1);
        if (inner) polyline(-1);
        return 0;
    }
    const float tm = (t0 + t1) / 2;
    const float b0 = a0 * 180 / 3.1415927f, b1 = a1 * 180 / 3.1415927f;
    if (outer) d->Draw_Arc(x, y, R + tm / 2, b0, b1, 1.0f);
    if (inner) d->Draw_Arc(x, y, R - tm / 2, b0, b1, 1.0f);
    return 0;
}

int CJieMianBase::DrawWallArchFaces(CBase_SGT* d, float a, float footY, float H, float cx, float cy, float R,
                                    float rightAngle, float leftAngle, float tSpring, float tCrown, float tWall,
                                    int face, int sides) {
    if (!d) return 0;
    const float sigma = face == 2 ? 1.0f : -1.0f;
    const int arcFace = face == 2 ? 2 : 1;
    const float x = -(a + sigma * tWall / 2);
    const float r = R + sigma * tSpring / 2;
    float px = 0, py = 0, qx = 0, qy = 0;
    float left = leftAngle, right = rightAngle;
    float topY = footY + H;
    if (JH_GetInterPoint_LineSection_Arc(x, footY, x, footY + 20 * H, cx, cy, r, kPi / 2, kPi, &px, &py, &qx, &qy,
                                         0.00001f) > 0) {
        left = JH_GetAngle(cx, cy, px, py) * 180 / kPi;
        right = 180 - left;
        topY = py;
    }
    if (sides == 0 || sides == 1) {
        d->Draw_Line(x, footY, x, topY, 1.0f);
        DrawArcFaces(d, cx, cy, R, kPi / 2, left * kPi / 180, tCrown, tSpring, 50, arcFace);
    }
    if (sides == 0 || sides == 2) {
        d->Draw_Line(-x, footY, -x, topY, 1.0f);
        DrawArcFaces(d, cx, cy, R, right * kPi / 180, kPi / 2, tSpring, tCrown, 50, arcFace);
    }
    return 0;
}

int CJieMianBase::DrawArcPair(CBase_SGT* dr, float a, float b, float c, float d, float e, float f, float g, float h,
                              float l, float m, float o, float r, int face) {
    if (!dr) return 0;
    const float s = m_fBiLi;
    DrawArcFaces(dr, a * s, b * s, c * s, h, g, o * s, m * s, 50, face);
    DrawArcFaces(dr, -a * s, b * s, c * s, kPi - g, kPi - h, m * s, o * s, 50, face);
    DrawArcFaces(dr, d * s, e * s, f * s, kPi - l, kPi / 2, o * s, r * s, 50, face);
    DrawArcFaces(dr, d * s, e * s, f * s, kPi / 2, l, r * s, o * s, 50, face);
    return 0;
}

int CJieMianBase::DrawZhiZuo(CBase_SGT* target, int kind, float x1, float y1, float x2, float y2, int flag,
                             float size, float extension) {
    if (!target) return -1;
    kind = std::clamp(kind, 0, 2);
    const float c = std::max(std::fabs(size), 0.01f);
    const float g = extension >= 0 ? extension : c;
    auto own = NewDrawing();
    if (!own) return -1;
    CBase_SGT& d = *own;
    const float L = std::hypot(x2 - x1, y2 - y1);
    const float sg = flag == 1 ? 1.0f : -1.0f;  // the hatched side
    auto line = [&](float ax, float ay, float bx, float by) { d.Draw_Line(ax, sg * ay, bx, sg * by); };
    auto ground = [&](float from, float to, float level) {
        line(from, level, to, level);
        for (float x = from; x < to; x += c) line(x, level, x + c, level + c);
    };
    if (kind == 1) {
        ground(-g, L + g, 0);
    } else if (kind == 2) {
        line(0, 0, L, 0);
        float top = 0;
        for (const float start : {0.25f, 0.75f}) {
            const float lo = start < 0.5f ? 0 : 0.6f * L, hi = start < 0.5f ? 0.4f * L : L;
            float px = start * L, py = 0;
            for (int stroke = 0; stroke < 6; ++stroke) {
                const float nx = stroke % 2 == 0 ? hi : lo, ny = py + 0.8f * c;
                line(px, py, nx, ny);
                px = nx;
                py = ny;
            }
            top = py;
        }
        ground(-g, L + g, top);
    } else {
        line(0, 0, L, 0);
        d.Draw_Circle(L / 2, sg * c, c);
        const float k = 0.707f * c;
        const float lx = L / 2 - k - 3 * c, rx = L / 2 + k + 3 * c, ly = c + k + 3 * c;
        line(L / 2 - k, c + k, lx, ly);
        line(L / 2 + k, c + k, rx, ly);
        ground(lx - g, rx + g, ly);
    }
    target->InsertDxf(d, x1, y1, JH_GetAngle(x1, y1, x2, y2) * 180 / kPi, 1, 1);
    return 0;
}

namespace {

// Grouting arrows from radius R + d down to R, every tenth of π and at the end.
void GroutArrows(CBase_SGT& d, float x, float y, float R, float dd, float from, float to, float s) {
    auto arrow = [&](float deg) {
        const float a = deg * kPi / 180;
        d.DrawLineArrow((x + (R + dd) * std::cos(a)) * s, (y + (R + dd) * std::sin(a)) * s,
                        (x + R * std::cos(a)) * s, (y + R * std::sin(a)) * s);
    };
    const float stepDeg = kGroutStep * 180 / kPi;
    for (float a = from; a < to; a += stepDeg) arrow(a);
    arrow(to);
}

}  // namespace

int CJieMianBase::DrawTopGrout(CBase_SGT* d, float x, float y, float R, float leftLimit, float rightLimit,
                               int label) {
    const CHeZaiCanShu* loads = GetHeZai();
    if (!d || !loads) return 0;
    const float p = loads->m_fDingGuanJiang, range = loads->m_fFanWeiJiao;
    if (p < 0.001f || range < 0.01f) return 0;
    const float dd = p * m_fHeZaiBiLi / 100, s = m_fBiLi, th = m_fTextHeight;
    const float end = 90 + std::min(range, leftLimit), start = 90 - std::min(range, rightLimit);
    d->Push_ENV();
    d->SetCurStyle("HZ");
    d->SetCurColor("3");
    d->SetBiLiChi(10);
    d->Draw_Arc(x * s, y * s, (R + dd) * s, start, end);
    GroutArrows(*d, x, y, R, dd, start, end, s);
    if (label) {
        char text[48];
        std::snprintf(text, sizeof text, "%.1f", p);
        d->Draw_Text(x * s - 2 * th, (y + R + dd) * s - 1.5f * th, th, 0, text);
    }
    d->Pop_ENV();
    return 0;
}

int CJieMianBase::DrawOtherGrout(CBase_SGT* d, float x, float y, float R, float leftRange, float rightRange,
                                 int label) {
    const CHeZaiCanShu* loads = GetHeZai();
    if (!d || !loads) return 0;
    const float p = loads->m_fQiTaGuanJiang;
    if (p < 0.001f) return 0;
    const float dd = p * m_fHeZaiBiLi / 100, s = m_fBiLi, th = m_fTextHeight;
    const float start = 270 - leftRange, end = 270 + rightRange;
    d->Push_ENV();
    d->SetCurStyle("HZ");
    d->SetCurColor("3");
    d->SetBiLiChi(10);
    d->Draw_Arc(x * s, y * s, (R + dd) * s, start, end);
    GroutArrows(*d, x, y, R, dd, start, end, s);
    if (label) {
        char text[48];
        std::snprintf(text, sizeof text, "%.1f", p);
        d->Draw_Text(-2 * th, -1.5f * th, th, 0, text);
    }
    d->Pop_ENV();
    return 0;
}

int CJieMianBase::DrawRoofGrout(CBase_SGT* d, float roofY, float halfSpan) {
    const CHeZaiCanShu* loads = GetHeZai();
    if (!d || !loads) return 0;
    const float p = loads->m_fDingGuanJiang, c0 = loads->m_fQiDianJuLi;
    if (!(halfSpan > c0) || p < 0.001f) return 0;
    const float dd = p * m_fHeZaiBiLi / 100, s = m_fBiLi, th = m_fTextHeight;
    const float from = c0 - halfSpan, to = halfSpan - c0;
    d->Push_ENV();
    d->SetCurStyle("HZ");
    d->SetCurColor("3");
    d->SetBiLiChi(10);
    d->Draw_Line(from * s, (roofY + dd) * s, to * s, (roofY + dd) * s);
    const float step = 3 * th / s;
    auto arrow = [&](float x) { d->DrawLineArrow(x * s, (roofY + dd) * s, x * s, roofY * s); };
    if (step > 0)
        for (float x = from; x < to; x += step) arrow(x);
    arrow(to);
    d->Pop_ENV();
    return 0;
}

int CJieMianBase::DrawArcValue(CBase_SGT* d, int q, int n, const double* res, float x, float y, float R, float a,
                               float b, float g, float k, int side, int outward, int mode) {
    if (!d || !res || n < 1) return 0;
    const float s = m_fBiLi, th = m_fTextHeight;
    const float dir = outward == 1 ? 1.0f : -1.0f;
    float lastX = 0, lastY = 0;
    for (int i = 0; i <= n; ++i) {
        const float deg = b - static_cast<float>(i) * (b - a) / static_cast<float>(n);
        const float t = deg * kPi / 180, ct = std::cos(t), st = std::sin(t);
        const double c = res[6 * i];
        const double shown = Shown(q, c, side, k);
        const float mx = x + R * ct, my = y + R * st;
        const float px = mx + dir * g * static_cast<float>(shown) * ct;
        const float py = my + dir * g * static_cast<float>(shown) * st;
        if (i == 0 && (mode == 0 || mode == 2)) d->MoveTo(px * s, py * s);
        else d->LineTo(px * s, py * s);
        if (Labelled(mode, i, n)) {
            const float ly = py >= my ? py * s + 2 * th : py * s - 2 * th;
            d->Draw_Text(px * s - 2 * th, ly, th, 0, Label(q, c, shown).c_str());
        }
        lastX = mx;
        lastY = my;
    }
    if (mode == 0 || mode == 4) d->LineTo(lastX * s, lastY * s);
    return 0;
}

int CJieMianBase::DrawLineValue(CBase_SGT* d, const double* res, int q, int n, float x, float y0, float L, float g,
                                float k, int side, int outward, int cont) {
    if (!d || !res || n < 1) return 0;
    const float s = m_fBiLi, th = m_fTextHeight;
    const float X = side ? -x : x;
    // Away from the centre line: to the right on the right side, to the left on the left.
    const float away = side ? -1.0f : 1.0f;
    const float dir = outward == 1 ? away : -away;
    if (!cont) d->MoveTo(X * s, y0 * s);
    for (int i = 0; i <= n; ++i) {
        const double c = res[6 * i];
        const double shown = Shown(q, c, side, k);
        const float py = y0 + static_cast<float>(i) * L / static_cast<float>(n);
        const float px = X + dir * g * static_cast<float>(shown);
        d->LineTo(px * s, py * s);
        if (!cont && (i == 0 || i == n)) {
            const float lx = px > X ? px * s + th : px * s - 5 * th;
            d->Draw_Text(lx, py * s, th, 0, Label(q, c, shown).c_str());
        }
    }
    if (!cont) d->LineTo(X * s, (y0 + L) * s);
    return 0;
}

int CJieMianBase::DrawArcBianXing(CBase_SGT* d, const double* res, int n, float x, float y, float R, float a, float b,
                                  float factor, int side, int mode) {
    if (!d || !res || n < 1) return 0;
    const float s = m_fBiLi, th = m_fTextHeight;
    for (int i = 0; i <= n; ++i) {
        const float deg = b - static_cast<float>(i) * (b - a) / static_cast<float>(n);
        const float t = deg * kPi / 180, ct = std::cos(t), st = std::sin(t);
        const float u = static_cast<float>(res[6 * i + 3]), v = static_cast<float>(res[6 * i + 4]);
        const float tx = side ? st : -st, ty = side ? -ct : ct;
        const float px = x + R * ct + factor * (u * tx + v * ct);
        const float py = y + R * st + factor * (u * ty + v * st);
        if (i == 0 && (mode == 0 || mode == 2)) d->MoveTo(px * s, py * s);
        else d->LineTo(px * s, py * s);
        if (Labelled(mode, i, n)) {
            char text[64];
            std::snprintf(text, sizeof text, "(%.2f, %.2f)", u * 1000, v * 1000);
            d->Draw_Text(px * s - 3 * th, py * s - 2 * th, th, 0, text);
        }
    }
    return 0;
}

int CJieMianBase::DrawLineBianXing(CBase_SGT* d, const double* res, int n, float x, float y0, float L, float factor,
                                   int side, int cont) {
    if (!d || !res || n < 1) return 0;
    const float s = m_fBiLi;
    for (int i = 0; i <= n; ++i) {
        const float u = static_cast<float>(res[6 * i + 3]), v = static_cast<float>(res[6 * i + 4]);
        const float px = (side ? -1.0f : 1.0f) * (x + factor * v);
        const float py = y0 + static_cast<float>(i) * L / static_cast<float>(n) + factor * u;
        if (i == 0 && !cont) d->MoveTo(px * s, py * s);
        else d->LineTo(px * s, py * s);
    }
    return 0;
}

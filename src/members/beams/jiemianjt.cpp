#include <cmath>
#include <string>
#include <vector>

#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "members/beams/sections.h"

namespace {

std::string Number(float value) { return sprintf_gbk("%.0f", value); }

// A row of bars: a wide polyline.
void Row(CBase_SGT& d, float x1, float y1, float x2, float y2) { d.Draw_Pline(x1, y1, x2, y2, 30, 30, 1); }

}  // namespace

int CJieMianJT::Draw(CBase_SGT* drawing, float x, float y, int column) {
    if (!drawing) return 0;
    CBase_SGT& d = *drawing;
    d.Push_ENV();
    d.SetBaseOffset(x, y);
    d.SetCurColor("3");
    const float S = d.GetBiLiChi();
    // Millimetres of the section into drawing units: 1 : 25 of the drawing's scale.
    const float f = S / 25;
    // Sizes of the bar symbols, in drawing units.
    const float c = 0.5f * S;  // face to the nearest bar row
    float m = 0.5f * S;        // stirrup inset
    const float t = 0.4f * S;  // ring width of a circle's stirrup

    if (kind == 0) bf = bf1 = b;
    if (kind == 1) bf = b;
    // The dimension texts come from the scaled lengths divided by f again.
    b *= f, h *= f, bf *= f, bf1 *= f, hf *= f, hf1 *= f, D *= f;
    if (kind >= 0 && kind <= 2) {
        // The outline with its bottom centre at (0, 0); a rectangle's flange lines have no length.
        d.Draw_Line(-bf / 2, 0, bf / 2, 0, 1.0f);
        d.Draw_Line(-bf / 2, 0, -bf / 2, hf, 1.0f);
        d.Draw_Line(bf / 2, 0, bf / 2, hf, 1.0f);
        d.Draw_Line(-bf / 2, hf, -b / 2, hf, 1.0f);
        d.Draw_Line(bf / 2, hf, b / 2, hf, 1.0f);
        d.Draw_Line(-b / 2, hf, -b / 2, h - hf1, 1.0f);
        d.Draw_Line(b / 2, hf, b / 2, h - hf1, 1.0f);
        d.Draw_Line(-b / 2, h - hf1, -bf1 / 2, h - hf1, 1.0f);
        d.Draw_Line(b / 2, h - hf1, bf1 / 2, h - hf1, 1.0f);
        d.Draw_Line(-bf1 / 2, h - hf1, -bf1 / 2, h, 1.0f);
        d.Draw_Line(bf1 / 2, h - hf1, bf1 / 2, h, 1.0f);
        d.Draw_Line(-bf1 / 2, h, bf1 / 2, h, 1.0f);
    } else if (kind == 4) {
        d.Draw_Circle(0, D / 2, D / 2, 1.0f);
    }

    // Dimensions.
    const float keep0 = d.GetDimDistance(0), keep1 = d.GetDimDistance(1);
    const float o1 = 7 * S, o2 = 7 * S, g = 200;
    d.SetDimDistance(0, o1);
    d.SetDimDistance(1, o2);
    auto dim = [&](float x1, float y1, float x2, float y2, float length, int side) {
        d.Draw_Dim_Points(x1, y1, x2, y2, Number(length / f).c_str(), 1, side);
    };
    // The web width, measured across the web itself.
    auto webWidth = [&] {
        d.SetDimDistance(0, 0);
        d.SetDimDistance(1, 0);
        dim(-b / 2, h / 2, b / 2, h / 2, b, 0);
        d.SetDimDistance(0, o1);
        d.SetDimDistance(1, o2);
    };
    if (kind == 0) {
        dim(-b / 2 - o1 - g, 0, -b / 2 - o1 - g, h, h, 0);
        dim(-b / 2, -o1, b / 2, -o1, b, 1);
    } else if (kind == 1) {
        dim(-bf1 / 2, o1 + h + g, bf1 / 2, o1 + h + g, bf1, 0);
        webWidth();
        dim(-bf1 / 2 - o1 - g, h - hf1, -bf1 / 2 - o1 - g, h, hf1, 0);
        dim(-bf1 / 2 - 2 * o1 - g, 0, -bf1 / 2 - 2 * o1 - g, h, h, 0);
    } else if (kind == 2) {
        dim(-bf / 2 - o1 - g, 0, -bf / 2 - o1 - g, hf, hf, 0);
        dim(-bf / 2, -o1, bf / 2, -o1, bf, 1);
        dim(-bf1 / 2, o1 + h + g, bf1 / 2, o1 + h + g, bf1, 0);
        webWidth();
        // The height stands outside the wider flange.
        const float xh = (bf < bf1 ? -bf1 / 2 : -bf / 2) - 2 * o1 - g;
        dim(xh, 0, xh, h, h, 0);
        dim(-bf1 / 2 - o1 - g, h - hf1, -bf1 / 2 - o1 - g, h, hf1, 0);
    } else if (kind == 4) {
        dim(-D / 2, -500, D / 2, -500, D, 1);
    }
    d.SetDimDistance(0, keep0);
    d.SetDimDistance(1, keep1);

    // Bars and stirrups; an area counts above 0.1 mm².
    auto counts = [](float area) { return area > 0.1f; };
    auto label = [&](float lx, float ly, float dx, float dy, float shoulder, int n, float area) {
        d.Draw_GangJin_BiaoZhu(lx, ly, dx, dy, shoulder, n, Number(area).c_str());
    };
    if (column == 0) {
        if (counts(As)) {
            Row(d, -bf / 2 + c + 50, c + 50, bf / 2 - c - 50, c + 50);
            label(0, c + 50, 0.6f * bf / S, 0.2f * h / S, 2.5f / S, 1, As);
        }
        if (counts(As1)) {
            Row(d, -bf1 / 2 + c + 50, h - c - 50, bf1 / 2 - c - 50, h - c - 50);
            label(0, h - c - 50, 0.6f * bf / S, 0.2f * h / S, 2.5f / S, 2, As1);
        }
        if (counts(Asv)) {
            const float r = m / 2;
            m *= 0.7f;
            d.Draw_RectGangJin_C(b - 3 * r, h - 3 * r, 0, h / 2, 0, 0);
            label(b / 2 - 1.5f * r, h / 2, 0, 0, 2.0f, 3, Asv);
        }
    } else if (kind != 4) {
        if (counts(Asx1)) {
            Row(d, -bf / 2 + c + 175, c + 50, bf / 2 - c - 175, c + 50);
            label(0, c + 50, 0.6f * bf / S, -0.3f * h / S, 2.5f / S, 1, Asx1);
        }
        if (counts(Asx)) {
            Row(d, -bf1 / 2 + c + 175, h - c - 50, bf1 / 2 - c - 175, h - c - 50);
            label(0, h - c - 50, 0.3f * bf / S, 0.4f * h / S, 2.5f / S, 2, Asx);
        }
        if (kind == 0 && counts(Asy)) {
            Row(d, -b / 2 + c + 50, c + 175, -b / 2 + c + 50, h - c - 175);
            label(-b / 2 + c + 50, 0.8f * (c + 175) + 0.2f * (h - c - 175), -0.5f * bf / S, -0.1f * bf / S, -2.5f / S,
                  3, Asy);
        }
        if (kind == 0 && counts(Asy1)) {
            Row(d, b / 2 - c - 50, c + 175, b / 2 - c - 50, h - c - 175);
            label(b / 2 - c - 50, h / 2, 0.2f * bf / S, 0.2f * h / S, 2.5f / S, 4, Asy1);
        }
        if (counts(Avx) || counts(Avy)) {
            const float r = m / 2;
            m *= 0.7f;
            d.Draw_RectGangJin_C(b - 3 * r, h - 3 * r, 0, h / 2, 0, 0);
            if (kind == 0 && counts(Avx)) label(-0.2f * b, h - 1.5f * r, 0, 0.4f * h / S, -2.0f, 5, Avx);
            if (counts(Avy)) label(b / 2 - 1.5f * r, h / 3, 0.5f, 0, 2.0f, 6, Avy);
        }
    } else {
        // A circle: the stirrup ring and ten bars, whatever the areas.
        const float R = D / 2, Rb = R - 2.75f * t;
        d.Draw_DoNutGangJin(0, R, R - t, R - 2 * t);
        const int n = 10;
        const float pi = 3.1415927f;
        std::vector<float> xs, ys;
        for (int i = 0; i < n; ++i) {
            const float deg = i * 360.0f / n, a = deg * pi / 180;
            const float bx = Rb * std::cos(a), by = R + Rb * std::sin(a);
            d.Draw_YuanDianGangJin(bx, by, 0, 0);
            if (deg > 45 && deg < 135) {
                xs.push_back(bx);
                ys.push_back(by);
            }
        }
        if (!xs.empty()) {
            const std::size_t mid = xs.size() / 2, last = xs.size() - 1;
            const float lx[3] = {xs[0], xs[mid], xs[last]}, ly[3] = {ys[0], ys[mid], ys[last]};
            d.Draw_GangJin_BiaoZhu(1.2f * R + 5 * S, 2 * R + 5 * S, 3, lx, ly, 90.0f, 2, 0, 1, Number(Asx).c_str());
        }
        const float a = 198 * pi / 180, rs = R - 1.5f * t;
        label(rs * std::cos(a), R + rs * std::sin(a), -4.0f, 0, -1.0f, 2, Avx);
    }
    d.Pop_ENV();
    return 0;
}

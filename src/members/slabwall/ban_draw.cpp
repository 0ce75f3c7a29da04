#include <cmath>
#include <vector>

#include "base/geometry.h"
#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "members/slabwall/ban.h"

namespace {

std::string Format(const char* format, float value) { return sprintf_gbk(format, value); }

}  // namespace

void ban_draw_edge(CBase_SGT* d, int code, float x1, float y1, float x2, float y2) {
    if (!d || code < 1 || code > 3) return;
    int n = static_cast<int>(get_dist(x1, y1, x2, y2) / 250);
    if (n < 2) n = 2;
    float qx1, qy1, qx2, qy2;  // the parallel line on the outer side
    line_offset_left(x1, y1, x2, y2, code == 1 ? -100.0f : -150.0f, &qx1, &qy1, &qx2, &qy2);
    std::vector<float> px(n + 1), py(n + 1), qx(n + 1), qy(n + 1);
    for (int j = 0; j <= n; ++j) {
        const float f = static_cast<float>(j) / n;
        px[j] = x1 + (x2 - x1) * f, py[j] = y1 + (y2 - y1) * f;
        qx[j] = qx1 + (qx2 - qx1) * f, qy[j] = qy1 + (qy2 - qy1) * f;
    }
    if (code == 1) {
        for (int j = 1; j + 1 <= n; j += 2) d->Draw_Line(qx[j], qy[j], qx[j + 1], qy[j + 1]);
    } else if (code == 2) {
        for (int j = 0; j <= n; ++j) d->Draw_Line(px[j], py[j], qx[j], qy[j]);
    } else {
        std::vector<float> zx(n + 1), zy(n + 1);
        for (int j = 0; j <= n; ++j) {
            zx[j] = j % 2 ? qx[j] : px[j];
            zy[j] = j % 2 ? qy[j] : py[j];
        }
        d->Draw_Lines(n + 1, zx.data(), zy.data());
    }
}

void ban_draw_plate(const BAN_JS_STRUCT& bs, CBase_SGT* d, float x0, float y0, int dimensions) {
    if (!d) return;
    const float A = bs.Length * 1000, B = bs.Width * 1000;
    d->Push_ENV();
    d->SetBaseOffset(x0, y0);
    d->SetCurColor("3");
    const float xs[5] = {-A / 2, A / 2, A / 2, -A / 2, -A / 2};
    const float ys[5] = {0, 0, B, B, 0};
    d->Draw_Lines(5, xs, ys);
    // Anticlockwise, so that each symbol lies outside the plate.
    for (int i = 0; i < 4; ++i) ban_draw_edge(d, bs.EdgeType[i] + 1, xs[i], ys[i], xs[i + 1], ys[i + 1]);
    if (dimensions) {
        d->SetDimDistance(0, d->GetDimDistance(0) / 2);
        d->SetDimDistance(1, d->GetDimDistance(1) / 2);
        const float dist = d->GetDimDistance(0);
        const float x = -A / 2 - dist - 1.5f * d->GetDimTextHeight();
        d->Draw_Dim_Points(x, 0, x, B, Format("%.0f", B).c_str(), 1, 0);
        d->Draw_Dim_Points(-A / 2, -dist, A / 2, -dist, Format("%.0f", A).c_str(), 1, 1);
        d->SetCurColor("1");
        const float lx = 0.6f * A + 400;
        d->Draw_Line(lx, 0, lx, B);
        d->Draw_Text(0.6f * A + 750, 0.4f * B, 300, 90, Format("%.1f", bs.Load).c_str());
        for (int k = 0; k <= 8; ++k) d->DrawLineArrow(lx, B * k / 8, 0.6f * A, B * k / 8);
    }
    d->Pop_ENV();
}

void ban_draw_moments(const BAN_JS_STRUCT& bs, CBase_SGT* d, float x0, float y0) {
    if (!d || !bs.HasResults) return;
    const float A = bs.Length * 1000, B = bs.Width * 1000;
    d->Push_ENV();
    d->SetBaseOffset(x0, y0);
    d->SetCurColor("7");
    const float xs[5] = {-A / 2, A / 2, A / 2, -A / 2, -A / 2};
    const float ys[5] = {0, 0, B, B, 0};
    for (int i = 0; i < 4; ++i)
        d->Draw_Text_Along_Line(xs[i], ys[i], xs[i + 1], ys[i + 1], 7, 3, Format("%.1f", bs.EdgeM[i]).c_str(), 300,
                                60);
    d->Draw_Pline(-0.1f * A, B / 2, 0.1f * A, B / 2, 80, 80);
    d->Draw_Arrow(0.1f * A, B / 2, 0);
    d->Draw_Text(0.1f * A, B / 2, 300, 0, Format("%.1f", bs.Mx).c_str());
    d->Draw_Pline(0, 0.4f * B, 0, 0.6f * B, 80, 80);
    d->Draw_Arrow(0, 0.6f * B, 90);
    d->Draw_Text(0, 0.6f * B, 300, 0, Format("%.1f", bs.My).c_str());
    d->Pop_ENV();
}

void ban_draw_three_along(CBase_SGT* d, float x1, float y1, float x2, float y2, const float v[3], float h) {
    static const int code[3] = {8, 10, 8};
    static const int pos[3] = {0, 3, 6};
    for (int k = 0; k < 3; ++k)
        d->Draw_Text_Along_Line(x1, y1, x2, y2, code[k], pos[k], Format("%.0f", v[k]).c_str(), h, h / 5);
}

void ban_draw_rebar(const BAN_JS_STRUCT& bs, CBase_SGT* d, float x0, float y0) {
    if (!d) return;
    const float A = bs.Length * 1000, B = bs.Width * 1000;
    const float h = d->GetTextHeight();
    const bool roof = bs.Kind == 0;
    d->Push_ENV();
    d->SetBaseOffset(x0, y0);
    d->SetCurColor("1");
    d->Draw_Pline(-A / 2, B / 2, A / 2, B / 2, 50, 50);
    d->Draw_Pline(0, 0, 0, B, 50, 50);
    if (bs.HasResults) {
        // Horizontal: left edge, Mx, right edge. Row 1 is the top face of a roof slab.
        const float row1[3] = {bs.EdgeAs[6], bs.MidAs[0], bs.EdgeAs[2]};
        const float row2[3] = {bs.EdgeAs[7], bs.MidAs[1], bs.EdgeAs[3]};
        const float below = B / 2 - 1.5f * h;
        d->SetCurColor("1");
        ban_draw_three_along(d, -A / 2, roof ? B / 2 : below, A / 2, roof ? B / 2 : below, row1, h);
        d->SetCurColor("2");
        ban_draw_three_along(d, -A / 2, roof ? below : B / 2, A / 2, roof ? below : B / 2, row2, h);
        // Vertical: bottom edge, My, top edge.
        const float col1[3] = {bs.EdgeAs[0], bs.MidAs[2], bs.EdgeAs[4]};
        const float col2[3] = {bs.EdgeAs[1], bs.MidAs[3], bs.EdgeAs[5]};
        const float right = 1.5f * h;
        d->SetCurColor("1");
        ban_draw_three_along(d, roof ? 0 : right, 0, roof ? 0 : right, B, col1, h);
        d->SetCurColor("2");
        ban_draw_three_along(d, roof ? right : 0, 0, roof ? right : 0, B, col2, h);
    }
    d->Pop_ENV();
}

void ban_draw(const BAN_JS_STRUCT& bs, CBase_SGT* d) {
    if (!d) return;
    ban_draw_plate(bs, d, 0, 0, 1);
    ban_draw_moments(bs, d, 0, 0);
    const float y = -bs.Width * 1000 - d->GetDimDistance(0);
    ban_draw_plate(bs, d, 0, y, 0);
    ban_draw_rebar(bs, d, 0, y);
}

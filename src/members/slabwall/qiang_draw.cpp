#include <cmath>

#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "members/slabwall/ban.h"
#include "members/slabwall/qiang.h"

namespace {

std::string Format(const char* format, float value) { return sprintf_gbk(format, value); }

// A one-way wall is a vertical strip: it is drawn (and kept) square.
void OneWayIsSquare(CLkqData& w) {
    if (w.OneWay) w.Width = w.Height;
}

// The corners walked anticlockwise from the bottom left.
struct Outline {
    float xs[5], ys[5];
    explicit Outline(float A, float B) : xs{-A / 2, A / 2, A / 2, -A / 2, -A / 2}, ys{0, 0, B, B, 0} {}
};

void Loads(const CLkqData& w, CBase_SGT* d, float A, float B) {
    d->SetCurColor("1");
    const float top = 1.1f * B;
    d->Draw_Line(-A / 2, top + 400, A / 2, top + 400);
    for (int i = 0; i <= 8; ++i) d->DrawLineArrow(-A / 2 + i * A / 8, top + 400, -A / 2 + i * A / 8, top);
    d->Draw_Text(0, top + 450, 300, 0, Format("%.1f", w.VertLoad).c_str());
    if (std::fabs(w.Load) > 1e-4f) {
        const float x0 = 0.6f * A + 400;
        d->Draw_Line(x0, 0, x0, B);
        d->Draw_Line(x0 - 400, 0, x0 - 400, B);
        for (int i = 0; i <= 8; ++i) d->DrawLineArrow(x0, i * B / 8, x0 - 400, i * B / 8);
        d->Draw_Text(x0 + 350, 0.4f * B, 300, 90, Format("%.1f", w.Load).c_str());
    }
    if (std::fabs(w.TriLoad) > 1e-4f) {
        const float x1 = 0.6f * A + 1200;
        d->Draw_Line(x1, 0, x1, B);
        d->Draw_Line(x1 + 400, 0, x1, B);
        for (int i = 0; i <= 8; ++i) d->DrawLineArrow(x1 + 400 - 50 * i, i * B / 8, x1, i * B / 8);
        d->Draw_Text(x1 + 500, 0, 300, 0, Format("%.1f", w.TriLoad).c_str());
    }
}

void Panel(CLkqData& w, CBase_SGT* d, float x0, float y0, bool dimensionsAndLoads) {
    OneWayIsSquare(w);
    const float A = w.Width * 1000, B = w.Height * 1000;
    const Outline o(A, B);
    d->Push_ENV();
    d->SetBaseOffset(x0, y0);
    d->SetCurColor("3");
    d->Draw_Lines(5, o.xs, o.ys);
    for (int i = 0; i < 4; ++i) {
        if (w.OneWay && (i == 1 || i == 3)) continue;
        ban_draw_edge(d, w.EdgeType[i] + 1, o.xs[i], o.ys[i], o.xs[i + 1], o.ys[i + 1]);
    }
    if (dimensionsAndLoads) {
        d->SetDimDistance(0, d->GetDimDistance(0) / 2);
        d->SetDimDistance(1, d->GetDimDistance(1) / 2);
        const float dist = d->GetDimDistance(0);
        const float x = -A / 2 - dist - 1.5f * d->GetDimTextHeight();
        d->Draw_Dim_Points(x, 0, x, B, Format("%.0f", B).c_str(), 1, 0);
        if (!w.OneWay) d->Draw_Dim_Points(-A / 2, -dist, A / 2, -dist, Format("%.0f", A).c_str(), 1, 1);
        Loads(w, d, A, B);
    }
    d->Pop_ENV();
}

void MomentPanel(CLkqData& w, CBase_SGT* d) {
    OneWayIsSquare(w);
    if (!w.HasResults) return;
    const float A = w.Width * 1000, B = w.Height * 1000;
    const Outline o(A, B);
    d->Push_ENV();
    d->SetBaseOffset(0, 0);
    for (int i = 0; i < 4; ++i) {
        if (w.OneWay && (i == 1 || i == 3)) continue;
        d->Draw_Text_Along_Line(o.xs[i], o.ys[i], o.xs[i + 1], o.ys[i + 1], 7, 3, Format("%.1f", w.EdgeM[i]).c_str(),
                                300, 60);
    }
    if (!w.OneWay) {
        d->Draw_Pline(-0.1f * A, B / 2, 0.1f * A, B / 2, 80, 80);
        d->Draw_Text(0.1f * A, B / 2, 300, 0, Format("%.1f", w.Ma).c_str());
    }
    d->Draw_Pline(0, 0.4f * B, 0, 0.6f * B, 80, 80);
    d->Draw_Text(0, 0.6f * B, 300, 0, Format("%.1f", w.Mb).c_str());
    d->Pop_ENV();
}

void SteelPanel(CLkqData& w, CBase_SGT* d, float y0) {
    OneWayIsSquare(w);
    const float A = w.Width * 1000, B = w.Height * 1000;
    const float h = d->GetTextHeight();
    d->Push_ENV();
    d->SetBaseOffset(0, y0);
    d->SetCurColor("1");
    d->Draw_Pline(-A / 2, B / 2, A / 2, B / 2, 50, 50);
    d->Draw_Pline(0, 0, 0, B, 50, 50);
    if (w.HasResults) {
        // Horizontal: left edge, mid-span, right edge; the other side 1.5 text heights lower.
        const float load[3] = {w.HorAs[0], w.HorAs[2], w.HorAs[4]};
        const float other[3] = {w.HorAs[1], w.HorAs[3], w.HorAs[5]};
        ban_draw_three_along(d, -A / 2, B / 2, A / 2, B / 2, load, h);
        d->SetCurColor("2");
        ban_draw_three_along(d, -A / 2, B / 2 - 1.5f * h, A / 2, B / 2 - 1.5f * h, other, h);
        // Vertical: bottom edge, mid-span, top edge; the other side 1.5 text heights to the right.
        const float vload[3] = {w.VerAs[4], w.VerAs[2], w.VerAs[0]};
        const float vother[3] = {w.VerAs[5], w.VerAs[3], w.VerAs[1]};
        d->SetCurColor("1");
        ban_draw_three_along(d, 0, 0, 0, B, vload, h);
        d->SetCurColor("2");
        ban_draw_three_along(d, 1.5f * h, 0, 1.5f * h, B, vother, h);
    }
    d->Pop_ENV();
}

}  // namespace

void qiang_draw(CLkqData& w, CBase_SGT* d) {
    if (!d) return;
    Panel(w, d, 0, 0, true);
    MomentPanel(w, d);
    const float y = -1.6f * w.Height * 1000;
    Panel(w, d, 0, y, false);
    SteelPanel(w, d, y);
}

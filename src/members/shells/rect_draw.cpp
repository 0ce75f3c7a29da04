// The rectangular shell's result drawings. The quarter is drawn 40·a/b wide and
// 8 units per row high, so it is to scale only for a square plan.
#include "members/shells/rect_draw.h"

#include <cmath>

#include "members/shells/shell_data.h"
#include "members/shells/shell_dxf.h"

using kv::shells::Format;
using kv::shells::Line;
using kv::shells::Text;

namespace {

// π as the angle labels take it.
constexpr float kLabelPi = 3.141f;

struct Quantity {
    float CRectBqRecord::*value;
    const char* title;
};

const Quantity kQuantities[9] = {{&CRectBqRecord::Nx, "Nx(kN/m)"},   {&CRectBqRecord::Ny, "Ny(kN/m)"},
                                 {&CRectBqRecord::S, "S(kN/m)"},     {&CRectBqRecord::Mx, "Mx(kN.m/m)"},
                                 {&CRectBqRecord::My, "My(kN.m/m)"}, {&CRectBqRecord::Mxy, "Mxy(kN.m/m)"},
                                 {&CRectBqRecord::Qx, "Qx(kN/m)"},   {&CRectBqRecord::Qy, "Qy(kN/m)"},
                                 {&CRectBqRecord::OMiGa, "位移(mm)"}};

// The plan with its centre lines, its two dimensions and the computed quarter,
// corner (X, Y) and size s; the horizontal centre line runs to X + `reach`·s.
void Key(DXF& d, float X, float Y, float reach) {
    const float s = 5;
    Line(d, X, Y, X + s, Y);
    Line(d, X + s, Y, X + s, Y - s);
    Line(d, X + s, Y - s, X, Y - s);
    Line(d, X, Y - s, X, Y);
    Line(d, X - s / 4, Y - s / 2, X + reach * s, Y - s / 2);
    Line(d, X + s / 2, Y - 3 * s / 2, X + s / 2, Y + s / 2);
    const float ya = Y - 3 * s / 2;
    Line(d, X, ya, X + s, ya);
    Line(d, X, ya + 0.5f, X, ya - 0.5f);
    Line(d, X + s, ya + 0.5f, X + s, ya - 0.5f);
    Text(d, X + s / 2 + 0.5f, ya + 1, 1, 0, "a");
    const float xb = X - s / 2;
    Line(d, xb, Y, xb, Y - s);
    Line(d, xb + 0.5f, Y, xb - 0.5f, Y);
    Line(d, xb + 0.5f, Y - s, xb - 0.5f, Y - s);
    Text(d, xb - 1.5f, Y - s / 2, 1, 90, "b");
    Line(d, X + s / 2, Y, X + s, Y, "1");
    Line(d, X + s, Y, X + s, Y - s / 2, "1");
    Line(d, X + s, Y - s / 2, X + s / 2, Y - s / 2, "1");
    Line(d, X + s / 2, Y - s / 2, X + s / 2, Y, "1");
}

}  // namespace

CRectBqDraw::CRectBqDraw(const CRectBqData* data) : data_(data) {
    const float w = (data->a / data->b) * 40 / 5;
    for (int i = 0; i < data->point_count && i < 54; ++i) {
        pos[i].x = (i % 6) * w - 20;
        pos[i].y = 2 - (i / 6) * 40.0f / 5;
    }
}

void CRectBqDraw::DrawAll() {
    for (int k : {0, 1, 3, 4, 5, 6, 7, 2}) DrawQuantity(k);
    DrawPrincipal(9);
    DrawPrincipal(10);
    DrawQuantity(8);
    DrawAs();
    DrawEdgeBeams();
}

void CRectBqDraw::DrawQuantity(int k) {
    if (k < 0 || k > 8) return;
    kv::shells::WriteDrawing(*data_, k, [&](DXF& d) {
        DrawGrid(d);
        DrawKey(d);
        for (int i = 0; i < data_->point_count; ++i) {
            const float v = data_->points[i].*kQuantities[k].value;
            // The displacement in whole millimetres, cut toward zero.
            const std::string text = k == 8 ? Format("%d", static_cast<int>(v * 1000)) : Format("%.1f", v);
            Text(d, pos[i].x + 1, pos[i].y - 2, 1.0f, 0, text);
        }
        DrawTitle(d, kQuantities[k].title);
    });
}

void CRectBqDraw::DrawPrincipal(int k) {
    if (k != 9 && k != 10) return;
    const bool largest = k == 9;
    kv::shells::WriteDrawing(*data_, k, [&](DXF& d) {
        DrawGrid(d);
        DrawKey(d);
        for (int i = 0; i < data_->point_count; ++i) {
            const CRectBqRecord& p = data_->points[i];
            const float x = pos[i].x, y = pos[i].y;
            const float alfa = largest ? p.Alfa : p.Alfa + 1.5707964f;
            if (largest) Text(d, x - 3, y - 3, 1.0f, 0, Format("%.1f", p.Nmax));
            else Text(d, x + 1, y - 2, 1.0f, 0, Format("%.1f", p.Nmin));
            const float c = std::cos(alfa), s = std::sin(alfa);
            Line(d, x, y, x + 2 * c, y + 2 * s);
            Text(d, x + c, y + s, 0.5f, 0, Format("%.1f", alfa / kLabelPi * 180));
        }
        Text(d, -38, -20, 1.5f, 0, largest ? "Nmax(kN/m)" : "Nmin(kN/m)");
    });
}

void CRectBqDraw::DrawAs() {
    kv::shells::WriteDrawing(*data_, 11, [&](DXF& d) {
        DrawGrid(d);
        for (int i = 0; i < data_->point_count; ++i) {
            const CRectBqRecord& p = data_->points[i];
            Text(d, pos[i].x + 1, pos[i].y - 2, 1.0f, 0, Format("上侧: %.1f", p.as_add[0]), "HZ");
            Text(d, pos[i].x + 1, pos[i].y - 3.5f, 1.0f, 0, Format("下侧: %.1f", p.as_add[1]), "HZ");
        }
        DrawTitle(d, "As(mm2)");
        const float* m = data_->as_min;
        Text(d, -40, -25, 1.5f, 0, "X方向最小配筋", "HZ");
        Text(d, -40, -27, 1.5f, 0, Format("上侧: %.1f", m[0]), "HZ");
        Text(d, -40, -29, 1.5f, 0, Format("下侧: %.1f", m[1]), "HZ");
        Text(d, -40, -32, 1.5f, 0, "Y方向最小配筋", "HZ");
        Text(d, -40, -34, 1.5f, 0, Format("上侧: %.1f", m[2]), "HZ");
        Text(d, -40, -36, 1.5f, 0, Format("下侧: %.1f", m[3]), "HZ");
        Key(d, -35, -5, 1.5f);
    });
}

void CRectBqDraw::DrawEdgeBeams() {
    const CRectBqData& s = *data_;
    const int ms = s.point_count / 6 - 1;
    const float top = 2.0f * ms;
    kv::shells::WriteDrawing(s, 12, [&](DXF& d) {
        Line(d, 0, 0, 10, 0);
        Line(d, 10, 0, 10, top);
        Line(d, 10, top, 0, top);
        Line(d, 0, top, 0, 0);
        // a-edges: two halves of five strips, A at the middle of the edge.
        for (int j = 0; j < 10; ++j) {
            const int k = j < 5 ? 4 - j : j - 5;
            const std::string letter(1, static_cast<char>('A' + k));
            const float x = j + 0.5f;
            Line(d, x, 0, x, -0.2f);
            Text(d, j + 0.35f, 0.5f, 0.5f, 0, letter);
            Text(d, x, j < 5 ? 1.0f - ms : -4.0f, 0.5f, 90, Format("下侧: %.1f", s.sec_as_bottom[k]), "HZ");
            Text(d, x, j < 5 ? -ms - 3.0f : -8.0f, 0.5f, 90, Format("上侧: %.1f", s.sec_as_top[k]), "HZ");
            Line(d, x, top, x, top + 0.2f);
            Text(d, j + 0.35f, top - 1, 0.5f, 0, letter);
            Text(d, x, top + 0.5f, 0.5f, 90, Format("%.1f", s.strip_force[k]));
        }
        // b-edges: two halves of ms strips.
        for (int j = 0; j < 2 * ms; ++j) {
            const int k = 5 + (j < ms ? ms - 1 - j : j - ms);
            const std::string letter(1, static_cast<char>('A' + k - 5));
            const float y = j + 0.5f;
            Line(d, -0.2f, y, 0, y);
            Text(d, 0.2f, y, 0.5f, 0, letter);
            Text(d, -3.5f, y, 0.5f, 0, Format("%.1f", s.strip_force[k]));
            Line(d, 10.2f, y, 10, y);
            Text(d, 9.5f, y, 0.5f, 0, letter);
            Text(d, 10.5f, y, 0.5f, 0, Format("上侧: %.1f", s.sec_as_top[k]), "HZ");
            Text(d, 14.5f, y, 0.5f, 0, Format("下侧: %.1f", s.sec_as_bottom[k]), "HZ");
        }
        Text(d, 4.3f, top + 3.5f, 0.5f, 0, "N(kN)");
        Text(d, -6.5f, static_cast<float>(ms), 0.5f, 0, "N(kN)");
        Text(d, 4, -ms - 5.0f, 0.5f, 0, "As(mm2)");
        Text(d, 19, static_cast<float>(ms), 0.5f, 0, "As(mm2)");
    });
}

void CRectBqDraw::DrawGrid(DXF& d) const {
    const int n = data_->point_count, rows = n / 6;
    for (int r = 0; r < rows; ++r) Line(d, pos[6 * r].x, pos[6 * r].y, pos[6 * r + 5].x, pos[6 * r + 5].y);
    for (int c = 0; c < 6; ++c) {
        const CFPoint& last = pos[6 * (rows - 1) + c];
        Line(d, pos[c].x, pos[c].y, last.x, last.y);
    }
    for (int i = 0; i < n; ++i) Text(d, pos[i].x + 1, pos[i].y + 1, 1.0f, 0, Format("%d", i + 1));
}

void CRectBqDraw::DrawKey(DXF& d) const { Key(d, -35, -25, 1.25f); }

void CRectBqDraw::DrawTitle(DXF& d, const char* text) const { Text(d, -40, -20, 2.5f, 0, text, "HZ"); }

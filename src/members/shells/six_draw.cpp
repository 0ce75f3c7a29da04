// The hexagonal shell's result drawings: the computed twelfth to scale, the
// middle of the edge at the origin, its corner at (60, 0), the centre below.
#include "members/shells/six_draw.h"

#include <cmath>

#include "members/shells/shell_data.h"
#include "members/shells/shell_dxf.h"

using kv::shells::Format;
using kv::shells::Line;
using kv::shells::Text;

namespace {

constexpr float kLabelPi = 3.141f;

struct Quantity {
    float CSixBqRecord::*value;
    const char* title;
};

const Quantity kQuantities[7] = {{&CSixBqRecord::Nx, "Nx(kN/m)"},    {&CSixBqRecord::Ny, "Ny(kN/m)"},
                                 {&CSixBqRecord::S, "S(kN/m)"},      {&CSixBqRecord::Mx, "Mx(kN.m/m)"},
                                 {&CSixBqRecord::My, "My(kN.m/m)"},  {&CSixBqRecord::Mxy, "Mxy(kN.m/m)"},
                                 {&CSixBqRecord::OMiGa, "位移(mm)"}};

// First and last point (0-based) of each row, edge row first.
constexpr int kRows[5][2] = {{0, 4}, {5, 8}, {9, 11}, {12, 13}, {14, 14}};

}  // namespace

CSixBqDraw::CSixBqDraw(const CSixBqData* data) : data_(data) {
    const float h = std::sqrt(3.0f) * 60 / 4;
    for (int r = 0; r < 5; ++r)
        for (int i = kRows[r][0]; i <= kRows[r][1]; ++i) {
            pos[i].x = (i - kRows[r][0]) * 15.0f;
            pos[i].y = -r * h;
        }
}

void CSixBqDraw::DrawAll() {
    for (int k = 0; k <= 6; ++k) DrawQuantity(k);
    DrawPrincipal(7);
    DrawPrincipal(8);
    DrawAs();
    DrawEdgeBeam();
}

void CSixBqDraw::DrawQuantity(int k) {
    if (k < 0 || k > 6) return;
    kv::shells::WriteDrawing(*data_, k, [&](DXF& d) {
        DrawGrid(d);
        DrawTitle(d, kQuantities[k].title);
        DrawKey(d);
        for (int i = 0; i < 15; ++i) {
            const float v = data_->points[i].*kQuantities[k].value;
            // The displacement in whole millimetres, cut toward zero.
            const std::string text = k == 6 ? Format("%d", static_cast<int>(v * 1000)) : Format("%.1f", v);
            Text(d, pos[i].x + 1, pos[i].y - 3, 2.5f, 0, text);
        }
    });
}

void CSixBqDraw::DrawPrincipal(int k) {
    if (k != 7 && k != 8) return;
    const bool largest = k == 7;
    kv::shells::WriteDrawing(*data_, k, [&](DXF& d) {
        DrawGrid(d);
        DrawTitle(d, largest ? "Nmax(kN/m)" : "Nmin(kN/m)");
        DrawKey(d);
        for (int i = 0; i < 15; ++i) {
            const CSixBqRecord& p = data_->points[i];
            const float x = pos[i].x, y = pos[i].y;
            const float alfa = largest ? p.Alfa : p.Alfa + 1.5707964f;
            if (largest) Text(d, x - 5, y - 5, 2.5f, 0, Format("%.1f", p.Nmax));
            else Text(d, x + 1, y - 3, 2.5f, 0, Format("%.1f", p.Nmin));
            const float c = std::cos(alfa), s = std::sin(alfa);
            Line(d, x, y, x + 2 * c, y + 2 * s);
            Text(d, x + c, y + s, 1.0f, 0, Format("%.1f", alfa / kLabelPi * 180));
        }
    });
}

void CSixBqDraw::DrawAs() {
    kv::shells::WriteDrawing(*data_, 9, [&](DXF& d) {
        DrawGrid(d);
        DrawTitle(d, "As(mm2)");
        for (int i = 0; i < 15; ++i) {
            const CSixBqRecord& p = data_->points[i];
            Text(d, pos[i].x + 1, pos[i].y - 3, 2.5f, 0, Format("上侧: %.1f", p.as_add[0]), "HZ");
            Text(d, pos[i].x + 1, pos[i].y - 6, 2.5f, 0, Format("下侧: %.1f", p.as_add[1]), "HZ");
        }
        const float* m = data_->as_min;
        Text(d, -50, -45, 3.0f, 0, "X方向最小配筋", "HZ");
        Text(d, -50, -49, 3.0f, 0, Format("上侧: %.1f", m[0]), "HZ");
        Text(d, -50, -53, 3.0f, 0, Format("下侧: %.1f", m[1]), "HZ");
        Text(d, -50, -58, 3.0f, 0, "Y方向最小配筋", "HZ");
        Text(d, -50, -62, 3.0f, 0, Format("上侧: %.1f", m[2]), "HZ");
        Text(d, -50, -66, 3.0f, 0, Format("下侧: %.1f", m[3]), "HZ");
        DrawKey(d, -15);
    });
}

void CSixBqDraw::DrawEdgeBeam() {
    const CSixBqData& s = *data_;
    kv::shells::WriteDrawing(s, 10, [&](DXF& d) {
        Line(d, 0, 0, 8, 0);
        // One section per strip of a/8, A at the middle of the edge.
        const auto section = [&](float x, int k) {
            Text(d, x, -5.5f, 0.3f, 90, Format("上侧: %.1f", s.sec_as_top[k]), "HZ");
            Text(d, x, -3, 0.3f, 90, Format("下侧: %.1f", s.sec_as_bottom[k]), "HZ");
            Text(d, x, 0.8f, 0.3f, 90, Format("%.1f", s.strip_force[k]));
        };
        for (int j = 0; j < 8; ++j) {
            const int k = j < 4 ? 3 - j : j - 4;
            Line(d, j + 0.5f, 0, j + 0.5f, -0.2f);
            Text(d, j + 0.35f, -0.7f, 0.5f, 0, std::string(1, static_cast<char>('A' + k)));
            section(j + 0.5f, k);
        }
        // The corner section E, whose strip is a/36 wide, at both ends.
        for (float x : {0.0f, 8.0f}) {
            Line(d, x, 0, x, -0.2f);
            Text(d, x - 0.15f, -0.7f, 0.5f, 0, "E");
            section(x, 4);
        }
        Text(d, 4, 3, 0.5f, 0, "N(kN)");
        Text(d, 4, -7, 0.5f, 0, "As(mm2)");
    });
}

void CSixBqDraw::DrawGrid(DXF& d) const {
    for (int r = 0; r < 4; ++r) {
        const CFPoint &a = pos[kRows[r][0]], &b = pos[kRows[r][1]];
        Line(d, a.x, a.y, b.x, b.y);
    }
    static const int kAcross[5][2] = {{1, 15}, {2, 14}, {3, 12}, {4, 9}, {5, 15}};
    for (const auto& l : kAcross) Line(d, pos[l[0] - 1].x, pos[l[0] - 1].y, pos[l[1] - 1].x, pos[l[1] - 1].y);
    for (int i = 0; i < 15; ++i) {
        // The last point of a row has its number further right, clear of the lines.
        const bool last = i == 4 || i == 8 || i == 11 || i == 13 || i == 14;
        Text(d, pos[i].x + (last ? 3 : 1), pos[i].y + 1, 2.5f, 0, Format("%d", i + 1));
    }
}

void CSixBqDraw::DrawTitle(DXF& d, const char* text) const { Text(d, -50, -40, 4.0f, 0, text, "HZ"); }

void CSixBqDraw::DrawKey(DXF& d, float dy) const {
    const float cx = -35, cy = -60 + dy;
    const float hx = 5 * 0.5f, hy = 5 * 0.8660254f;  // 5·sin 30°, 5·cos 30°
    const float corners[6][2] = {{cx - 5, cy},       {cx - hx, cy + hy}, {cx + hx, cy + hy},
                                 {cx + 5, cy},       {cx + hx, cy - hy}, {cx - hx, cy - hy}};
    for (int i = 0; i < 6; ++i) {
        const float* p = corners[i];
        const float* q = corners[(i + 1) % 6];
        Line(d, p[0], p[1], q[0], q[1]);
    }
    const float ya = cy - hy - 3;
    Line(d, cx + hx, ya, cx - hx, ya);
    Line(d, cx + hx, ya - 0.5f, cx + hx, ya + 0.5f);
    Line(d, cx - hx, ya - 0.5f, cx - hx, ya + 0.5f);
    Text(d, cx, ya + 1, 2.5f, 0, "a");
    Line(d, cx - 7.5f, cy, cx + 7.5f, cy);
    Line(d, cx, cy - 5, cx, cy + 5);
    Line(d, cx, cy, cx, cy + hy, "1");
    Line(d, cx, cy + hy, cx + hx, cy + hy, "1");
    Line(d, cx, cy, cx + hx, cy + hy, "1");
}

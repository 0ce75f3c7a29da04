// The circular shell's result drawings: a half meridian as an arc of radius 30
// about (30, −30) from the crown at (30, 0), each station's value a stroke at
// right angles to the arc (length 3·cos φ for the largest) and its label.
#include "members/shells/circle_draw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "drawing/dxf.h"
#include "members/shells/shell_data.h"
#include "members/shells/shell_dxf.h"

using kv::shells::Format;
using kv::shells::Line;
using kv::shells::Text;
using kv::shells::WriteDrawing;

long double fatan(float x) { return std::atan(static_cast<long double>(x)); }

void CCircleBqDraw::SetStations() {
    const CCircleBqData& s = *data_;
    const float R = s.sphere_radius;
    for (int k = 0; k <= 10; ++k) phi[k] = std::asin(k * s.r / (10 * R));
    phi[11] = std::asin(s.r_const / R);
    phi[12] = std::asin((s.r - s.beam_b / 1000.0f) / R);
    for (int k = 0; k < 13; ++k) {
        x_pt[k] = 30 - 30 * std::sin(phi[k]);
        y_pt[k] = 30 * std::cos(phi[k]) - 30;
    }
}

void CCircleBqDraw::DrawAll() {
    // Only a calculated shell has stations to draw (no radius: no angles).
    if (!data_ || data_->calc_ok != 1) return;
    SetStations();
    DrawNPhi();
    DrawNTheta();
    DrawMPhi();
    DrawQPhi();
    DrawRingBeam();
    DrawEdgeValues();
    DrawW();
    DrawV();
    DrawChi();
    DrawRadii();
    DrawMeridBars();
    DrawHoopBars();
}

void CCircleBqDraw::DrawOutline(DXF& d) const {
    // 3.14 converts to degrees: the arc stops a hair beyond the last station.
    const float end = 90 + std::asin(data_->r / data_->sphere_radius) * 180 / 3.14f;
    d.Write_Arc(30, -30, 0, 30, 90, end, 1.0f, "0", "BYLAYER", "BYLAYER");
}

void CCircleBqDraw::DrawTitle(DXF& d, const char* text) const { Text(d, 17, -20, 1.5f, 0, text, "HZ"); }

void CCircleBqDraw::DrawQuantity(int k, const float (&values)[13], const char* title, const char* format,
                                 float scale) {
    WriteDrawing(*data_, k, [&](DXF& d) {
        DrawOutline(d);
        DrawTitle(d, title);
        float max = 0;
        for (float v : values) max = std::max(max, std::fabs(v));
        // A quantity that is zero everywhere has nothing to stroke.
        if (max > 0)
            for (int i = 0; i < 13; ++i) {
                const float c = std::cos(phi[i]), L = 3 * std::fabs(values[i]) / max;
                if (values[i] > 0) Line(d, x_pt[i], y_pt[i], x_pt[i] + c * L, y_pt[i] - c * L);
                else Line(d, x_pt[i], y_pt[i], x_pt[i] - c * L, y_pt[i] + c * L);
            }
        for (int i = 0; i < 13; ++i) {
            const std::string label = Format(format, values[i] * scale);
            if (values[i] > 0) Text(d, x_pt[i] - 0.5f, y_pt[i] + 0.7f, 0.3f, 0, label, "STANDARD");
            else Text(d, x_pt[i] + 0.3f, y_pt[i] - 0.7f, 0.3f, 0, label, "STANDARD");
        }
    });
}

void CCircleBqDraw::DrawNPhi() { DrawQuantity(0, data_->n_phi, "经向内力图(kN/m)", "%.1f", 1); }
void CCircleBqDraw::DrawNTheta() { DrawQuantity(1, data_->n_theta, "环向内力图(kN/m)", "%.1f", 1); }
void CCircleBqDraw::DrawMPhi() { DrawQuantity(2, data_->m_phi, "经向弯矩图(kN.m/m)", "%.1f", 1); }
void CCircleBqDraw::DrawQPhi() { DrawQuantity(3, data_->q_phi, "经向切力图(kN/m)", "%.1f", 1); }
void CCircleBqDraw::DrawW() { DrawQuantity(4, data_->w, "法向位移图(mm)", "%.2f", 1000); }
void CCircleBqDraw::DrawV() { DrawQuantity(5, data_->v, "经向位移图(mm)", "%.2f", 1000); }
void CCircleBqDraw::DrawChi() { DrawQuantity(6, data_->chi, "经向转角图(弧度)(顺时针为正)", "%.4f", 1); }

void CCircleBqDraw::DrawRadii() {
    WriteDrawing(*data_, 8, [&](DXF& d) {
        DrawOutline(d);
        DrawTitle(d, "半径(m)");
        for (int i = 0; i < 13; ++i)
            Text(d, x_pt[i] + 0.3f, y_pt[i] + 0.3f, 0.3f, 0, Format("%.1f", data_->rho[i]), "STANDARD");
    });
}

void CCircleBqDraw::DrawBars(int k, const float (&areas)[13][2], const char* title) {
    WriteDrawing(*data_, k, [&](DXF& d) {
        DrawOutline(d);
        DrawTitle(d, title);
        float max = 0;
        for (const auto& a : areas) max = std::max(max, a[0]);
        for (int i = 0; i < 13; ++i) {
            const float x = x_pt[i], y = y_pt[i];
            const float dd = max > 0 ? std::cos(phi[i]) * 3 * std::fabs(areas[i][0]) / max : 0.0f;
            if (max > 0) {
                Line(d, x, y, x + dd, y - dd);
                Line(d, x, y, x - dd, y + dd);
            }
            // The texts run along the strokes: −45° also where the stroke has no length.
            const float ratio = dd != 0 ? dd / dd : 1.0f;
            const float angle = static_cast<float>(fatan(ratio) * 180 / 3.1415927 - 90);
            Text(d, x - 1.5f * dd, y + 1.5f * dd, 0.3f, angle, Format("上侧: %.2f", areas[i][0]), "HZ");
            Text(d, x + dd, y - dd, 0.3f, angle, Format("下侧: %.2f", areas[i][1]), "HZ");
        }
    });
}

void CCircleBqDraw::DrawMeridBars() { DrawBars(9, data_->merid_as, "经向配筋图(mm2)"); }
void CCircleBqDraw::DrawHoopBars() { DrawBars(10, data_->hoop_as, "环向配筋图(mm2)"); }

void CCircleBqDraw::DrawRingBeam() {
    const CCircleBqData& s = *data_;
    WriteDrawing(s, 7, [&](DXF& d) {
        Text(d, -5, 0, 1.0f, 0, "环梁内力及配筋", "HZ");
        const char* labels[4] = {"拉力(kN)=", "弯矩(kN.m)=", "上侧配筋面积(mm2)=", "下侧配筋面积(mm2)="};
        const float values[4] = {s.ring_n, s.ring_m, s.ring_as_top, s.ring_as_bottom};
        const float value_x[4] = {0.5f, 1.0f, 4.0f, 4.0f};
        for (int i = 0; i < 4; ++i) {
            const float y = -5.0f * (i + 1);
            Text(d, -5, y, 1.0f, 0, labels[i], "HZ");
            Text(d, value_x[i], y, 1.0f, 0, Format("%.1f", values[i]), "STANDARD");
        }
    });
}

void CCircleBqDraw::DrawEdgeValues() {
    const CCircleBqData& s = *data_;
    WriteDrawing(s, 11, [&](DXF& d) {
        Text(d, 0, 0, 0.8f, 0, "壳与边梁交点处的内力及位移:", "HZ");
        struct Row {
            const char* label;
            float value;
            const char* format;
        } const rows[7] = {
            {"经向内力(kN/m)=", s.n_phi[12], "%.1f"},   {"环向内力(kN/m)=", s.n_theta[12], "%.1f"},
            {"经向弯矩(kN.m/m)=", s.m_phi[12], "%.1f"}, {"经向切力(kN/m)=", s.q_phi[12], "%.1f"},
            {"法向位移(mm)=", s.w[12] * 1000, "%.2f"},  {"经向位移(mm)=", s.v[12] * 1000, "%.2f"},
            {"经向转角(弧度)=", s.chi[12], "%.4f"},
        };
        for (int i = 0; i < 7; ++i) {
            const float y = -2.0f * (i + 1);
            Text(d, 0, y, 0.8f, 0, rows[i].label, "HZ");
            Text(d, 10, y, 0.8f, 0, Format(rows[i].format, rows[i].value), "STANDARD");
        }
    });
}

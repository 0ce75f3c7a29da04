// The shell on a rectangular plan: forces at the quarter's point grid from the
// coefficient tables, stress checks, shell reinforcement and the edge members.
#include <algorithm>
#include <cmath>

#include "base/error.h"
#include "codes/material.h"
#include "members/shells/shell_data.h"
#include "members/shells/shell_design.h"
#include "members/shells/shell_tables.h"
#include "platform/services.h"

namespace {

kv::shells::SectionSettings Settings(const CRectBqData& d) {
    return {d.concrete_grade, d.as, d.steam_cured, d.rebar_mode, d.beam_ini_factor};
}

}  // namespace

float CRectBqRecord::Thickness(float a, float b, float r_const, float t_top, float t_bottom, int point_count) const {
    const int c = (no - 1) % 6, r = (no - 1) / 6, m = point_count / 6;
    const float x = c * (a / 10.0f);
    const float y = b / 2.0f - r * b / (2 * m - 2);
    const float u = std::sqrt(x * x + y * y);
    const float cmax = std::sqrt((a / 2) * (a / 2) + (b / 2) * (b / 2));
    // A zone reaching the corners keeps t_top everywhere (the corner may round a
    // hair beyond it, where the slope would divide by zero).
    if (u <= r_const || cmax <= r_const) return t_top;
    return t_top + (u - r_const) * (t_bottom - t_top) / (cmax - r_const);
}

float CRectBqData::LookupTable(int t, int p, int c) const { return kv::shells::RectCoefficient(t, p, c); }

void CRectBqData::Calculate() {
    CalcRadius();
    if (!IsApplicable()) {
        kv::MessageBox("本软件不适合这种扁壳");
        calc_ok = 0;
        return;
    }
    if (!ReadCoefficients()) {
        calc_ok = 0;
        kv::MessageBox("无表文件!");
        return;
    }
    if (!GetMaterial()) {
        calc_ok = 0;
        return;
    }
    CalcPointForces();
    CheckStresses();
    DesignEdgeBeams();
    calc_ok = 1;
}

void CRectBqData::CalcRadius() {
    const float d = std::sqrt(a * a + b * b);
    sphere_radius = ((d / 2) * (d / 2) + f * f) / (2 * f);
}

int CRectBqData::IsApplicable() {
    // A plan, rise or thickness of no size has no sphere.
    if (!(a > 0 && b > 0 && f > 0 && t_top > 0) || !std::isfinite(sphere_radius)) return 0;
    if ((t_top / 1000.0f) / sphere_radius > 0.05f) return 0;
    if (f / a - 0.2f > 0.01f) return 0;
    if (f / b - 0.2f > 0.01f) return 0;
    if (t_bottom < t_top) {
        kv::MessageBox("壳底厚度小于壳顶厚度!");
        return 0;
    }
    return 1;
}

int CRectBqData::ChooseTable(float t_top_m) {
    static const float kRise[5] = {2, 4, 6, 8, 10};
    static const float kSide[4] = {1.0f, 1.2f, 1.4f, 1.6f};
    const float k = f / t_top_m;
    int i = 0;
    while (i < 5 && !(std::fabs(k - kRise[i]) / kRise[i] <= 0.02f)) ++i;
    int j = 0;
    while (j < 4 && !(std::fabs(b / a - kSide[j]) < 0.01f)) ++j;
    if (j < 4) point_count = 36 + 6 * j;
    for (int p = 0; p < point_count; ++p) points[p].no = p + 1;
    if (i == 5 || j == 4) return -1;
    return i + 5 * j + 1;
}

int CRectBqData::ReadCoefficients() {
    const int t = ChooseTable(t_top / 1000.0f);
    if (t == -1) {
        kv::MessageBox("无表文件");
        calc_ok = 0;
        return 0;
    }
    // The record keeps Nx … Qy, then the displacement (table components 2..9, 1).
    for (int p = 0; p < point_count; ++p) {
        for (int c = 0; c < 8; ++c) points[p].coef[c] = LookupTable(t, p + 1, c + 2);
        points[p].coef[8] = LookupTable(t, p + 1, 1);
    }
    return 1;
}

int CRectBqData::GetMaterial() {
    if (!kv::shells::KnownConcrete(concrete_grade) || !kv::shells::KnownBars(shell_rebar_grade) ||
        !kv::shells::KnownBars(beam_rebar_grade))
        return 0;
    PJ_COLUMN_KV column;
    kv::shells::IniSection(column, Settings(*this), beam_rebar_grade, beam_rebar_grade);
    fcd = column.fcd;
    ftd = column.ftd;
    fy = column.fy;
    return 1;
}

void CRectBqData::CalcPointForces() {
    const float T = t_top / 1000.0f;
    for (int k = 0; k < point_count; ++k) {
        CRectBqRecord& p = points[k];
        const float h = p.Thickness(a, b, r_const, T, t_bottom / 1000.0f, point_count);
        p.Nx = p.coef[0] * a * a * q * 0.001f / T;
        p.Ny = p.coef[1] * a * a * q * 0.001f / T;
        p.S = p.coef[2] * a * a * q * 0.001f / T;
        p.Mx = p.coef[3] * a * a * q * 0.001f;
        p.My = p.coef[4] * a * a * q * 0.001f;
        p.Mxy = p.coef[5] * a * a * q * 0.001f;
        p.Qx = p.coef[6] * a * q * 0.001f;
        p.Qy = p.coef[7] * a * q * 0.001f;
        Con_Prop prop{};
        get_rc_property(concrete_grade, &prop);
        e_dyn = 1.2f * prop.Ec;
        const float D = T * T * T * e_dyn / 12.0f / 0.9722222f;
        p.OMiGa = p.coef[8] * a * a * a * a * q * 0.001f / D;
        kv::shells::PrincipalForces(p.Nx, p.Ny, p.S, p.Nmax, p.Nmin, p.Alfa);
        p.sigma1 = p.Nmax / (1000 * h);
        p.sigma2 = p.Nmin / (1000 * h);
    }
}

void CRectBqData::DesignShellSection(float M, float N, float h, float width, float& top, float& bottom) const {
    kv::shells::DesignShellStrip(Settings(*this), shell_rebar_grade, M, N, h, width, top, bottom);
}

void CRectBqData::CheckPoint(CRectBqRecord& p) {
    static const char* const kMessages[4] = {
        "%d点拉应力>4ftd, 壳体厚度不满足, 请增加壳厚!!", "%d点压应力>fcd, 壳体厚度不满足, 请增加壳厚!!",
        "%d点拉应力>4ftd, 壳体厚度不满足, 请增加壳厚!!", "%d点压应力>fcd, 壳体厚度不满足, 请增加壳厚!!"};
    const float h = p.Thickness(a, b, r_const, t_top / 1000.0f, t_bottom / 1000.0f, point_count);
    kv::shells::CheckFaces(p, h, ftd, fcd, kMessages, [this](float M, float N, float hh, float& top, float& bottom) {
        DesignShellSection(M, N, hh, 1.0f, top, bottom);
    });
}

int CRectBqData::CheckStresses() {
    tell_error(kv::err::kClearWindow, "");
    for (int k = 0; k < point_count; ++k) {
        points[k].err = 0;
        CheckPoint(points[k]);
    }
    for (int k = 0; k < point_count; ++k)
        if (points[k].sigma1 > 4 * ftd) {
            points[k].err = 5;
            tell_error1(kv::shells::kCheckMessage, "%d点拉应力>4ftd, 砼强度不满足!!", points[k].no);
        }
    for (int k = 0; k < point_count; ++k)
        if (std::fabs(points[k].sigma2) > fcd) {
            points[k].err = 5;
            tell_error1(kv::shells::kCheckMessage, "%d点压应力>fcd, 砼强度不满足!!", points[k].no);
        }
    kv::shells::LargestReinforcement(points, point_count, as_min);
    const float B = (as_min[0] + as_min[1] + as_min[2] + as_min[3]) * fy / 2;
    for (int k = 0; k < point_count; ++k) {
        CRectBqRecord& p = points[k];
        const float h = p.Thickness(a, b, r_const, t_top / 1000.0f, t_bottom / 1000.0f, point_count);
        p.as_add[0] = p.as_add[1] = 0;
        if (p.sigma1 > ftd && p.Nmax > h * 1000 * ftd) p.as_add[0] = p.as_add[1] = ((p.Nmax * 1000 - B) / fy) / 2;
        for (float& v : p.as_add) v = std::max(v, 0.0f);
    }
    return 1;
}

void CRectBqData::CalcEdgeRises() {
    const float R = sphere_radius;
    rise_a = std::sqrt(R * R - (b / 2) * (b / 2)) + (f - R);
    rise_b = std::sqrt(R * R - (a / 2) * (a / 2)) + (f - R);
}

namespace {

// Each section carries the strips from itself out to the corner; a strip force
// acts at the top of its own section, the moment is taken about half the depth of
// the section designed.
void SumSections(const float* depth, const float* strip, int count, float* n, float* m) {
    for (int k = 0; k < count; ++k) {
        n[k] = m[k] = 0;
        for (int j = k; j < count; ++j) {
            n[k] += strip[j];
            m[k] += (depth[j] - depth[k] / 2) * strip[j];
        }
    }
}

}  // namespace

void CRectBqData::DesignEdgeBeams() {
    CalcEdgeRises();
    const auto S = [&](int p) { return points[p - 1].S; };
    // a-edge: five sections at the middles of the strips of row 0.
    const float Ra = ((a / 2) * (a / 2) + rise_a * rise_a) / (2 * rise_a);
    const float ds = (a / 2) / 5, s0 = (a / 2) / 10, H0 = beam_h / 1000.0f + rise_a;
    float x[5];
    for (int k = 0; k < 5; ++k) {
        x[k] = s0 + k * ds;
        sec_depth[k] = H0 - (1 - std::cos(std::asin(x[k] / Ra))) * Ra;
        strip_force[k] = (S(k + 1) + S(k + 2)) * ds / 2;
    }
    SumSections(sec_depth, strip_force, 5, sec_n, sec_m);
    PJ_COLUMN_KV column;
    kv::shells::IniSection(column, Settings(*this), beam_rebar_grade, 0);
    const auto design = [&](int k) {
        kv::shells::DesignSection(column, rebar_mode, sec_m[k] * 1.0e6f, std::fabs(sec_n[k]) * 1000,
                                  static_cast<float>(beam_b), sec_depth[k] * 1000, sec_as_top[k], sec_as_bottom[k]);
    };
    for (int k = 0; k < 5; ++k) design(k);
    edge_v_a = 0;
    for (int k = 0; k < 5; ++k) edge_v_a += -strip_force[k] * x[k] / Ra;
    for (int k = 0; k < 5; ++k) edge_v_a += (points[k].Qy + points[k + 1].Qy) / 2 * ds;

    // b-edge: one section between each two rows, from its middle to the corner.
    const int ms = point_count / 6 - 1;
    const float Rb = ((b / 2) * (b / 2) + rise_b * rise_b) / (2 * rise_b);
    const float dsb = (b / 2) / ms, s0b = dsb / 2, H0b = beam_h / 1000.0f + rise_b;
    edge_v_b = 0;
    for (int k = 0; k < ms; ++k) {
        const float y = s0b + k * dsb;
        sec_depth[5 + k] = H0b - (1 - std::cos(std::asin(y / Rb))) * Rb;
        strip_force[5 + k] = (S(point_count - 6 * k) + S(point_count - 6 * k - 6)) * dsb / 2;
        edge_v_b += -strip_force[5 + k] * y / Rb;
    }
    for (int k = 0; k < ms; ++k) edge_v_b += (points[6 * (k + 1) - 1].Qx + points[6 * (k + 2) - 1].Qx) / 2 * dsb;
    SumSections(sec_depth + 5, strip_force + 5, ms, sec_n + 5, sec_m + 5);
    for (int k = 0; k < ms; ++k) design(5 + k);
}

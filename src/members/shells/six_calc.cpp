// The shell on a regular hexagonal plan: forces at the 15 points of one twelfth
// of the plan from the coefficient tables, stress checks, shell reinforcement and
// the edge member.
#include <algorithm>
#include <cmath>

#include "base/error.h"
#include "codes/material.h"
#include "members/shells/shell_data.h"
#include "members/shells/shell_design.h"
#include "members/shells/shell_tables.h"
#include "platform/services.h"

namespace {

constexpr int kRowFirst[5] = {1, 6, 10, 13, 15};

kv::shells::SectionSettings Settings(const CSixBqData& d) {
    return {d.concrete_grade, d.as, d.steam_cured, d.rebar_mode, d.beam_ini_factor};
}

}  // namespace

void CSixBqRecord::Position(float a, float& x, float& y) const {
    int row = 4;
    while (row > 0 && no < kRowFirst[row]) --row;
    x = (no - kRowFirst[row]) * a / 8;
    y = (4 - row) * std::sqrt(3.0f) * a / 8;
}

float CSixBqRecord::Thickness(float a, float r_const, float t_top, float t_bottom) const {
    float x, y;
    Position(a, x, y);
    const float u = std::sqrt(x * x + y * y);
    // A zone reaching the corners keeps t_top everywhere (see the rectangle's).
    if (u <= r_const || a <= r_const) return t_top;
    return t_top + (u - r_const) * (t_bottom - t_top) / (a - r_const);
}

float CSixBqData::LookupTable(int t, int p, int c) const { return kv::shells::SixCoefficient(t, p, c); }

void CSixBqData::Calculate() {
    CalcRadius();
    CalcEdgeRise();
    if (!IsApplicable()) {
        kv::MessageBox("本软件不适合这种扁壳");
        calc_ok = 0;
        return;
    }
    const int t = ChooseTable(t_top / 1000.0f);
    if (t == -1) {
        kv::MessageBox("无表文件");
        calc_ok = 0;
        return;
    }
    if (!CalcPointForces(t)) {
        calc_ok = 0;
        return;
    }
    CheckStresses();
    DesignEdgeBeam();
    calc_ok = 1;
}

void CSixBqData::CalcRadius() { sphere_radius = (f * f + a * a) / (2 * f); }

void CSixBqData::CalcEdgeRise() {
    const float R = sphere_radius;
    rise = std::sqrt(R * R - 0.75f * a * a) + (f - R);
}

int CSixBqData::IsApplicable() {
    // A plan, rise or thickness of no size has no sphere.
    if (!(a > 0 && f > 0 && t_top > 0) || !std::isfinite(sphere_radius)) return 0;
    if ((t_top / 1000.0f) / sphere_radius > 0.05f) return 0;
    if (f / (2 * a) > 0.2f) return 0;
    if (t_bottom < t_top) {
        kv::MessageBox("壳底厚度小于壳顶厚度!");
        return 0;
    }
    return 1;
}

int CSixBqData::ChooseTable(float t_top_m) const {
    static const float kRise[5] = {2, 4, 6, 8, 10};
    const float k = f / t_top_m;
    for (int i = 0; i < 5; ++i)
        if (std::fabs(k - kRise[i]) / kRise[i] < 0.01f) return i + 1;
    return -1;
}

bool CSixBqData::CalcPointForces(int table) {
    if (!kv::shells::KnownConcrete(concrete_grade) || !kv::shells::KnownBars(shell_rebar_grade) ||
        !kv::shells::KnownBars(beam_rebar_grade))
        return false;
    Con_Prop prop{};
    get_rc_property(concrete_grade, &prop);
    const float T = t_top / 1000.0f;
    for (CSixBqRecord& p : points) {
        const auto c = [&](int k) { return LookupTable(table, p.no, k); };
        const float h = p.Thickness(a, r_const, T, t_bottom / 1000.0f);
        p.Nx = c(2) * a * a * q * 0.001f / T;
        p.Ny = c(3) * a * a * q * 0.001f / T;
        p.S = c(4) * a * a * q * 0.001f / T;
        p.Mx = c(5) * a * a * q * 0.001f;
        p.My = c(6) * a * a * q * 0.001f;
        p.Mxy = c(7) * a * a * q * 0.001f;
        p.OMiGa = c(1) * a * a * a * a * q * 0.001f / (T * T * T * 1.2f * prop.Ec / 12.0f / 0.9722222f);
        kv::shells::PrincipalForces(p.Nx, p.Ny, p.S, p.Nmax, p.Nmin, p.Alfa);
        p.sigma1 = p.Nmax / h / 1000;
        p.sigma2 = p.Nmin / h / 1000;
    }
    return true;
}

void CSixBqData::DesignShellSection(float M, float N, float h, float width, float& top, float& bottom) const {
    kv::shells::DesignShellStrip(Settings(*this), shell_rebar_grade, M, N, h, width, top, bottom);
}

int CSixBqData::CheckStresses() {
    float fcd, ftd, fy;
    {
        PJ_COLUMN_KV column;
        kv::shells::IniSection(column, Settings(*this), beam_rebar_grade, beam_rebar_grade);
        fcd = column.fcd;
        ftd = column.ftd;
        fy = column.fy;
    }
    tell_error(kv::err::kClearWindow, "");
    const float T = t_top / 1000.0f, Tb = t_bottom / 1000.0f;
    static const char* const kMessages[4] = {"%d点X向拉应力>4ftd, 壳体厚度不满足!!", "%d点X向压应力>fcd, 壳体厚度不满足!!",
                                             "%d点Y向拉应力>4ftd, 壳体厚度不满足!!", "%d点Y向压应力>fcd, 壳体厚度不满足!!"};
    for (CSixBqRecord& p : points) {
        p.err = 0;
        kv::shells::CheckFaces(p, p.Thickness(a, r_const, T, Tb), ftd, fcd, kMessages,
                               [this](float M, float N, float h, float& top, float& bottom) {
                                   DesignShellSection(M, N, h, 1.0f, top, bottom);
                               });
    }
    kv::shells::LargestReinforcement(points, 15, as_min);
    const float B = (as_min[0] + as_min[1] + as_min[2] + as_min[3]) * fy / 2;
    for (CSixBqRecord& p : points) {
        const float h = p.Thickness(a, r_const, T, Tb);
        p.as_add[0] = p.as_add[1] = 0;
        if (p.sigma1 > 4 * ftd) {
            p.err = 5;
            tell_error1(kv::shells::kCheckMessage, "%d点拉应力>4ftd, 砼强度不满足!!", p.no);
        }
        // The bars cross the principal direction at up to 15°.
        if (p.sigma1 > ftd && p.Nmax > h * 1000 * ftd)
            p.as_add[0] = p.as_add[1] = ((p.Nmax * 1000 - B) / fy) / std::cos(0.2617994f) / 2;
        for (float& v : p.as_add) v = std::max(v, 0.0f);
        if (std::fabs(p.sigma2) > fcd) {
            p.err = 5;
            tell_error1(kv::shells::kCheckMessage, "%d点压应力>fcd, 砼强度不满足!!", p.no);
        }
    }
    return 1;
}

void CSixBqData::DesignEdgeBeam() {
    CalcEdgeRise();
    const float Re = ((a / 2) * (a / 2) + rise * rise) / (2 * rise);
    const float ds = a / 8, H0 = beam_h / 1000.0f + rise;
    const float x[5] = {a / 16, 3 * a / 16, 5 * a / 16, 7 * a / 16, a / 2 - a / 72};
    float theta[5];
    for (int k = 0; k < 5; ++k) {
        theta[k] = std::asin(x[k] / Re);
        sec_depth[k] = H0 - (1 - std::cos(theta[k])) * Re;
    }
    const auto S = [&](int p) { return points[p - 1].S; };
    strip_force[0] = (S(1) + S(2)) * ds / 2;
    strip_force[1] = (S(2) + S(3)) * ds / 2;
    strip_force[2] = (S(3) + S(4)) * ds / 2;
    // The last a/36 at the corner takes the corner's value.
    strip_force[3] = (S(4) + S(5)) * (a / 8 - a / 36) / 2;
    strip_force[4] = S(5) * a / 36;
    for (int k = 0; k < 5; ++k) {
        sec_n[k] = sec_m[k] = 0;
        for (int j = k; j < 5; ++j) {
            sec_n[k] += strip_force[j];
            sec_m[k] += (sec_depth[j] - sec_depth[k] / 2) * strip_force[j];
        }
    }
    // The tables hold no transverse shear: the load on a band of width z/2 along
    // the half edge stands for it.
    const float z = 0.76f * std::sqrt(t_top * sphere_radius / 1000.0f);
    edge_v = 0;
    for (int k = 0; k < 5; ++k) edge_v += std::fabs(strip_force[k]) * std::tan(theta[k]);
    edge_v += (a / 2) * z * q / 2;
    PJ_COLUMN_KV column;
    kv::shells::IniSection(column, Settings(*this), beam_rebar_grade, 0);
    for (int k = 0; k < 5; ++k)
        kv::shells::DesignSection(column, rebar_mode, sec_m[k] * 1.0e6f, std::fabs(sec_n[k]) * 1000,
                                  static_cast<float>(beam_b), sec_depth[k] * 1000, sec_as_top[k], sec_as_bottom[k]);
}

// The shell on a circular plan: the axisymmetric shallow-shell solution in Kelvin
// functions, three edge conditions, thirteen stations from the crown to the ring
// beam, stress checks, strip and ring-beam reinforcement.
#include <cmath>

#include "base/error.h"
#include "base/numeric.h"
#include "codes/material.h"
#include "design/pj_column.h"
#include "members/shells/kelvin.h"
#include "members/shells/shell_data.h"
#include "members/shells/shell_design.h"
#include "platform/services.h"

namespace {

namespace kelvin = kv::shells::kelvin;

constexpr const char* kNotApplicable = "本软件不适合这种扁壳";
constexpr const char* kBeyondTable = "本软件不适用此扁壳!";
const float kSqrt2 = std::sqrt(2.0f), kSqrt12 = std::sqrt(12.0f), kSqrt6 = std::sqrt(6.0f);

kv::shells::SectionSettings Settings(const CCircleBqData& d) {
    return {d.concrete_grade, d.as, d.steam_cured, d.rebar_mode, d.beam_ini_factor};
}

void IniDesign(PJ_COLUMN_KV& column, const CCircleBqData& d) {
    kv::shells::IniSection(column, Settings(d), d.beam_rebar_grade, 0);
}

}  // namespace

void CCircleBqData::LoadKelvinTables() { kelvin::Table(0); }

namespace {
float Lookup(CCircleBqData& d, int which, float x) {
    const int i = kelvin::Index(x);
    if (i < 0) {
        // One message for the calculation: its results would be zeros.
        if (!d.kelvin_out) kv::MessageBox(kBeyondTable);
        d.kelvin_out = true;
        return 0;
    }
    return kelvin::Table(which)[i];
}
}  // namespace

float CCircleBqData::ber(float x) { return Lookup(*this, kelvin::kBer, x); }
float CCircleBqData::bei(float x) { return Lookup(*this, kelvin::kBei, x); }
float CCircleBqData::ber_(float x) { return Lookup(*this, kelvin::kBerPrime, x); }
float CCircleBqData::bei_(float x) { return Lookup(*this, kelvin::kBeiPrime, x); }

void CCircleBqData::CalcSphereRadius() { sphere_radius = (r * r + f * f) / (2 * f); }

int CCircleBqData::IsApplicable() {
    if (!(r > 0) || !(f > 0) || t_top <= 0 || t_bottom <= 0) return 0;
    const float thin = t_top / 1000.0f / sphere_radius;
    const float flat = f / (2 * r);
    return thin <= 0.05 && flat <= 0.2 ? 1 : 0;
}

namespace {
// Solves the 3 × 3 rows with gaussj (three equal right-hand columns).
bool Solve(float (&a)[9], const float (&rhs)[3], float& c1, float& c2, float& c3) {
    float b[9];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) b[3 * i + j] = rhs[i];
    if (!gaussj(a, 3, b, 3)) return false;
    c1 = b[0];
    c2 = b[3];
    c3 = b[6];
    return true;
}
}  // namespace

bool CCircleBqData::JianZhi() {
    const float x = kelvin_x, l = char_len, R = sphere_radius;
    const float T = q * R * l * l * x / 4;
    float a[9] = {bei_val, ber_val, 1, ber_val - beip_val / x, -(berp_val / x + bei_val), 0, -berp_val, beip_val, x};
    return Solve(a, {0, 0, T}, c1, c2, c3);
}

bool CCircleBqData::QianGu() {
    const float x = kelvin_x, l = char_len, R = sphere_radius;
    const float T = q * R * l * l * x / 4;
    float a[9] = {bei_val, ber_val, 1, beip_val, berp_val, 0, -berp_val, beip_val, x};
    return Solve(a, {0, 0, T}, c1, c2, c3);
}

bool CCircleBqData::TanXing() {
    const float x = kelvin_x, l = char_len, R = sphere_radius, t = t_top / 1000.0f;
    const float T = q * R * l * l * x / 4;
    const float phi = std::asin(r / R), s = std::sin(phi), c = std::cos(phi);
    const float bb = beam_b / 1000.0f, h = beam_h / 1000.0f;
    const float Ab = bb * h, Ib = bb * h * h * h / 12;
    const float kA = r * r / Ab, kI = r * r / Ib;
    const float e = e_alpha / 1000.0f, e1 = e1_alpha / 1000.0f;
    const float gamma = 1 + 12 * e * e1 / (h * h);
    const float G = kI * t * t * l / (2 * kSqrt6);
    const float axial = 2 * kA * gamma / (x * l * l), bend = 12 * kA * e1 / (h * h);
    float a[9] = {
        c * kSqrt12 / t * bei_val - s * kSqrt2 / l * berp_val,
        c * kSqrt12 / t * ber_val + s * kSqrt2 / l * beip_val,
        s * kSqrt2 / l * x + c * kSqrt12 / t,
        axial * berp_val + bend * (ber_val - beip_val / x) / R - kSqrt12 * s * bei_val / (t * t) -
            kSqrt2 * c * berp_val / (t * l),
        -axial * beip_val - bend * (berp_val / x + bei_val) / R - kSqrt12 * s * ber_val / (t * t) +
            kSqrt2 * c * beip_val / (t * l),
        kSqrt2 * c * x / (t * l) - kSqrt12 * s / (t * t),
        -2 * e * G / (x * l * l) * berp_val - G / R * (ber_val - beip_val / x) - beip_val,
        2 * e * G / (x * l * l) * beip_val + G / R * (berp_val / x + bei_val) - berp_val,
        0,
    };
    const float rhs[3] = {s * kSqrt2 / l * T, (axial + kSqrt2 * c / (t * l)) * T, -2 * e * G / (x * l * l) * T};
    return Solve(a, rhs, c1, c2, c3);
}

float CCircleBqData::CalcNPhi(float x) {
    const float l = char_len, T = q * sphere_radius * l * l * x / 4;
    return 2 / (x * l * l) * (c1 * berp_val - c2 * beip_val - T);
}

float CCircleBqData::CalcNTheta(float x) {
    const float l = char_len;
    return 2 / (l * l) *
           (-c1 * (berp_val / x + bei_val) - c2 * (ber_val - beip_val / x) - q * sphere_radius * l * l / 4);
}

float CCircleBqData::CalcMPhi(float x) {
    return -1 / sphere_radius * ((ber_val - beip_val / x) * c1 - (berp_val / x + bei_val) * c2);
}

float CCircleBqData::CalcQPhi(float) {
    return -kSqrt2 / (sphere_radius * char_len) * (c1 * berp_val - c2 * beip_val);
}

float CCircleBqData::CalcW(float) {
    const float t = t_top / 1000.0f;
    return kSqrt12 / (e_dyn * t * t) * (c1 * bei_val + c2 * ber_val + c3);
}

float CCircleBqData::CalcV(float x) {
    const float t = t_top / 1000.0f, l = char_len, T = q * sphere_radius * l * l * x / 4;
    return kSqrt2 / (e_dyn * t * l) * (-c1 * berp_val + c2 * beip_val + x * c3 - T);
}

float CCircleBqData::CalcChi(float) {
    const float t = t_top / 1000.0f;
    return 2 * kSqrt6 / (e_dyn * t * t * char_len) * (c1 * beip_val + c2 * berp_val);
}

void CCircleBqData::SetStations() {
    const float t = t_top / 1000.0f, l = char_len, R = sphere_radius;
    rho[0] = 0;
    n_phi[0] = n_theta[0] = -c2 / (l * l) - q * R / 2;
    m_phi[0] = -c1 / (2 * R);
    q_phi[0] = 0;
    w[0] = kSqrt12 / (e_dyn * t * t) * (bei(0) * c1 + ber(0) * c2 + c3);
    v[0] = 0;
    chi[0] = 0;
    for (int k = 1; k <= 10; ++k) rho[k] = r * k / 10;
    rho[11] = r_const;
    rho[12] = r - beam_b / 2000.0f;
}

float CCircleBqData::LocalThickness(float radius) const {
    const float t = t_top / 1000.0f;
    // A constant zone reaching the edge leaves the crown thickness everywhere.
    if (radius < r_const || r_const >= r) return t;
    return t + (radius - r_const) * (t_bottom - t_top) / 1000.0f / (r - r_const);
}

void CCircleBqData::DesignStrip(float (&pair)[2], float M, float N, float t_k, float width) {
    kv::shells::DesignShellStrip(Settings(*this), shell_rebar_grade, M, N, t_k, width, pair[0], pair[1]);
}

void CCircleBqData::DesignRingBeam(PJ_COLUMN_KV& design, float& top, float& bottom, float M, float N, float h) {
    kv::shells::DesignSection(design, rebar_mode, M, N, static_cast<float>(beam_b), h, top, bottom);
}

void CCircleBqData::CheckStations() {
    float ftd, fcd;
    {
        PJ_COLUMN_KV column;
        IniDesign(column, *this);
        ftd = column.ftd;
        fcd = column.fcd;
    }
    tell_error(kv::err::kClearWindow, "");
    for (int k = 0; k < 13; ++k) {
        const float tk = LocalThickness(rho[k]);
        const float A = 1000 * tk, W = 1000 * tk * tk / 6;
        sigma_t[k] = n_phi[k] / A + m_phi[k] / W;
        check_flag[k] = 0;
        if (sigma_t[k] > 4 * ftd) {
            check_flag[k] = 1;
            tell_error1(kv::shells::kCheckMessage, "r=%.1f 拉应力>4ftd, 壳体厚度不满足, 请增加壳厚!!", rho[k]);
        }
        DesignStrip(merid_as[k], m_phi[k], n_phi[k], tk, 1.0f);
        sigma_c[k] = n_phi[k] / A - m_phi[k] / W;
        if (std::fabs(sigma_c[k]) > fcd) {
            check_flag[k] = 2;
            tell_error1(kv::shells::kCheckMessage, "r=%.1f 压应力>fcd, 壳体厚度不满足, 请增加壳厚!!", rho[k]);
        }
        sigma_h[k] = n_theta[k] / tk / 1000;
        if (sigma_h[k] > 4 * ftd) {
            check_flag[k] = 3;
            tell_error1(kv::shells::kCheckMessage, "r=%.1f 砼检验强度不满足!!", rho[k]);
        }
        // The hoop reinforcement is always symmetric.
        const int mode = rebar_mode;
        rebar_mode = 0;
        DesignStrip(hoop_as[k], 0, n_theta[k], tk, 1.0f);
        rebar_mode = mode;
    }
}

void CCircleBqData::Calculate() {
    kelvin_out = false;
    calc_ok = 0;
    if (!(r > 0) || !(f > 0) || t_top <= 0 || t_bottom <= 0) {
        kv::MessageBox(kNotApplicable);
        return;
    }
    CalcSphereRadius();
    if (!IsApplicable()) {
        kv::MessageBox(kNotApplicable);
        return;
    }
    bool (CCircleBqData::*system)() = nullptr;
    if (boundary == "简支") system = &CCircleBqData::JianZhi;
    else if (boundary == "嵌固") system = &CCircleBqData::QianGu;
    else if (boundary == "弹性") system = &CCircleBqData::TanXing;
    if (!system) {
        kv::MessageBox("支承条件“" + boundary + "”无法识别, 请选择简支、嵌固或弹性!");
        return;
    }
    if (!kv::shells::KnownConcrete(concrete_grade) || !kv::shells::KnownBars(shell_rebar_grade) ||
        !kv::shells::KnownBars(beam_rebar_grade))
        return;

    const float t = t_top / 1000.0f;
    char_len = 0.76f * std::sqrt(t * sphere_radius);
    kelvin_x = kSqrt2 * r / char_len;
    ber_val = ber(kelvin_x);
    berp_val = ber_(kelvin_x);
    bei_val = bei(kelvin_x);
    beip_val = bei_(kelvin_x);
    if (kelvin_out) return;

    Con_Prop prop{};
    get_rc_property(concrete_grade, &prop);
    e_dyn = 1.2f * prop.Ec * 1000;

    if (!(this->*system)()) return;
    SetStations();
    for (int k = 1; k <= 12; ++k) {
        const float x = kSqrt2 * rho[k] / char_len;
        if (x == 0) {
            // A station at the crown (r_const 0, a ring beam as wide as the plan): the
            // formulas are 0/0 there and the crown's values are their limits.
            n_phi[k] = n_phi[0];
            n_theta[k] = n_theta[0];
            m_phi[k] = m_phi[0];
            q_phi[k] = q_phi[0];
            w[k] = w[0];
            v[k] = v[0];
            chi[k] = chi[0];
            continue;
        }
        ber_val = ber(x);
        berp_val = ber_(x);
        bei_val = bei(x);
        beip_val = bei_(x);
        if (kelvin_out) return;
        n_phi[k] = CalcNPhi(x);
        n_theta[k] = CalcNTheta(x);
        m_phi[k] = CalcMPhi(x);
        q_phi[k] = CalcQPhi(x);
        w[k] = CalcW(x);
        v[k] = CalcV(x);
        chi[k] = CalcChi(x);
    }
    // Kelvin tables of absurd size (a program folder's own files) overflow the
    // stations: say so rather than design on values that are no numbers.
    for (int k = 0; k <= 12; ++k)
        if (!std::isfinite(n_phi[k]) || !std::isfinite(n_theta[k]) || !std::isfinite(m_phi[k]) ||
            !std::isfinite(q_phi[k]) || !std::isfinite(w[k]) || !std::isfinite(v[k]) || !std::isfinite(chi[k])) {
            kv::MessageBox("扁壳的内力计算结果不是有效数值, 请检查Kelvin函数表 !");
            return;
        }
    CheckStations();

    const float e = e_alpha / 1000.0f;
    ring_n = -n_phi[10] * r;
    ring_m = (n_phi[10] * e - m_phi[10]) * r;
    {
        PJ_COLUMN_KV column;
        IniDesign(column, *this);
        DesignRingBeam(column, ring_as_top, ring_as_bottom, ring_m * 1.0e6f, std::fabs(ring_n) * 1000,
                       static_cast<float>(beam_h));
    }
    calc_ok = 1;
}

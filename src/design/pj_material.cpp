#include "design/pj_material.h"

#include <algorithm>

#include "base/globals.h"
#include "codes/material.h"

bool PjIs2010() { return G_guifan >= 2010; }

float PjConcreteDynamicFactor(int con_grade, int steam) {
    float g = con_grade >= 60 ? 1.4f : 1.5f;
    if (steam) g *= 0.9f;
    return g;
}

float PjBarDynamicFactor(float fyk) {
    if (fyk < 320.0f) return 1.5f;
    if (fyk < 380.0f) return 1.35f;
    return 1.2f;
}

void PjLoadMaterial(int con_grade, int bar_grade, int stirrup_grade, int dynamic, int steam, PjMaterial& m) {
    m = PjMaterial{};
    Con_Prop c{};
    Rein_Prop r{};
    Rein_Prop rv{};
    // Editions older than 2002 (the lining's "96") have no tables of their own:
    // their sections are designed with the 2002 strengths.
    const int saved = G_guifan;
    if (G_guifan < 2002) G_guifan = 2002;
    const int con_ok = get_rc_property(con_grade, &c);
    const int bar_ok = get_rein_property(bar_grade, &r);
    const int stirrup_ok = stirrup_grade > 0 && get_rein_property(stirrup_grade, &rv);
    G_guifan = saved;
    if (!con_ok) {
        m.error = "混凝土强度等级错误";
        return;
    }
    if (!bar_ok) {
        m.error = "钢筋级别错误";
        return;
    }
    if (!stirrup_ok) rv = r;

    m.con_grade = con_grade;
    m.fc = c.fc;
    m.ft = c.ft;
    m.ftk = c.ftk;
    m.fck = c.fck;
    m.fcuk = c.fcuk > 0 ? c.fcuk : static_cast<float>(con_grade);
    m.Ec = c.Ec;
    m.fy = r.fy;
    m.fyc = r.fyc > 0 ? r.fyc : r.fy;
    m.fyk = r.fyk;
    m.Es = r.Es;
    m.fyv = rv.fy;
    // Stirrup strength above 360 N/mm² is not used for shear (GB 50010-2010 4.2.3).
    if (PjIs2010()) m.fyv = std::min(m.fyv, 360.0f);

    if (dynamic) {
        // Equivalent-static blast design uses the dynamic strengths fd = γd·f
        // (GB 50038-2005 4.2.2, table 4.2.3).
        m.gamma_c = PjConcreteDynamicFactor(con_grade, steam);
        m.gamma_s = PjBarDynamicFactor(r.fyk);
        m.gamma_v = PjBarDynamicFactor(rv.fyk);
        m.fc *= m.gamma_c;
        m.ft *= m.gamma_c;
        m.fy *= m.gamma_s;
        m.fyc *= m.gamma_s;
        m.fyv *= m.gamma_v;
    }

    // Rectangular stress block (GB 50010-2010 6.2.6, 2002 7.1.3): α1 1.0 and β1 0.8
    // up to C50, 0.94 and 0.74 at C80, linear between; ultimate strain
    // εcu = 0.0033 - (fcu,k - 50)·1e-5 (6.2.1).
    const float f = m.fcuk;
    const float t = std::clamp((f - 50.0f) / 30.0f, 0.0f, 1.0f);
    m.alpha1 = 1.0f - 0.06f * t;
    m.beta1 = 0.8f - 0.06f * t;
    m.eps_cu = std::min(0.0033f, 0.0033f - (f - 50.0f) * 1e-5f);
    // Strength of the compressive strut limit for shear (6.3.1): βc 1.0 up to C50,
    // 0.8 at C80.
    m.beta_c = 1.0f - 0.2f * t;
    // Balanced relative depth for bars with a yield point (6.2.7-1):
    // ξb = β1 / (1 + fy / (Es·εcu)).
    m.xi_b = m.Es > 0 ? m.beta1 / (1.0f + m.fy / (m.Es * m.eps_cu)) : 0.55f;
    m.ok = 1;
}

// Second-order moment of a member under axial compression.
#include <algorithm>
#include <cmath>

#include "base/globals.h"
#include "codes/material.h"
#include "design/pj_column.h"

float GetZhuErJieWanJu(float M, float N, float M1, float M2, float h0, float h, float l0, float A, float ea,
                       int con_grade, std::FILE* report) {
    N = std::fabs(N);
    if (N < 1.0f || h0 <= 0 || h <= 0 || A <= 0) return M;
    Con_Prop c{};
    const int saved = G_guifan;
    if (G_guifan < 2002) G_guifan = 2002;  // older editions: the 2002 strengths
    const int ok = get_rc_property(con_grade, &c);
    G_guifan = saved;
    if (!ok) return M;
    const float fc = c.fc;
    const float sign = M < 0 ? -1.0f : 1.0f;
    const float m_abs = std::fabs(M);

    if (G_guifan < 2010) {
        // 2002 edition 7.3.10: M·η, η = 1 + (l0/h)²·ζ1·ζ2 / (1400·ei/h0),
        // ei = M/N + ea, ζ1 = 0.5·fc·A/N ≤ 1, ζ2 = 1.15 - 0.01·l0/h ≤ 1;
        // η = 1 for l0/h ≤ 5.
        const float r = l0 / h;
        if (r <= 5.0f) return M;
        const float ei = m_abs / N + ea;
        const float z1 = std::min(1.0f, 0.5f * fc * A / N);
        const float z2 = std::min(1.0f, 1.15f - 0.01f * r);
        const float eta = 1.0f + r * r * z1 * z2 / (1400.0f * ei / h0);
        if (report) std::fprintf(report, "η = 1 + (l0/h)^2·ζ1·ζ2/(1400·ei/h0) = %.3f\n", eta);
        return M * eta;
    }

    // 2010 edition 6.2.3 / 6.2.4. End moments by magnitude: |M2| ≥ |M1|; their
    // ratio is positive in single curvature (same signs).
    float m1 = M1, m2 = M2;
    if (std::fabs(m1) > std::fabs(m2)) std::swap(m1, m2);
    const float ratio = std::fabs(m2) > 1e-6f ? m1 / m2 : 0.0f;
    // Radius of gyration of the rectangle in the bending plane: h/sqrt(12).
    const float i = h / std::sqrt(12.0f);
    const float slender = l0 / i;
    // 6.2.3: no second-order effect when M1/M2 ≤ 0.9, N/(fc·A) ≤ 0.9 and
    // lc/i ≤ 34 - 12·M1/M2.
    if (ratio <= 0.9f && N / (fc * A) <= 0.9f && slender <= 34.0f - 12.0f * ratio) {
        if (report) std::fprintf(report, "lc/i = %.1f ≤ 34 - 12·M1/M2 = %.1f, 不考虑二阶效应\n", slender,
                                 34.0f - 12.0f * ratio);
        return M;
    }
    // The member's first-order moment: the larger end moment, or the section's
    // own moment when that is larger (a span moment of a member with small end
    // moments, amplified in full: Cm = 1).
    float base = std::fabs(m2);
    float cm = 0.7f + 0.3f * ratio;  // 6.2.4-2
    if (m_abs > base) {
        base = m_abs;
        cm = 1.0f;
    }
    cm = std::max(cm, 0.7f);
    // 6.2.4-3: ηns = 1 + (lc/h)²·ζc / (1300·(M2/N + ea)/h0), ζc = 0.5·fc·A/N ≤ 1.
    const float zc = std::min(1.0f, 0.5f * fc * A / N);
    const float r = l0 / h;
    const float eta = 1.0f + r * r * zc / (1300.0f * (base / N + ea) / h0);
    // 6.2.4-1: M = Cm·ηns·M2, with Cm·ηns not below 1.
    const float factor = std::max(1.0f, cm * eta);
    if (report)
        std::fprintf(report, "Cm = %.3f  ζc = %.3f  ηns = %.3f  M = Cm·ηns·M2 = %.1f kN·m\n", cm, zc, eta,
                     factor * base / 1e6f);
    return sign * std::max(m_abs, factor * base);
}

#include "design/liefen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/globals.h"
#include "design/pj_material.h"

void CJsLieFen::set_value(int short_term_in) { short_term = short_term_in ? 1 : 0; }

int CJsLieFen::if_CJCX() { return m_nCJCX ? 1 : 0; }

void CJsLieFen::Out_CJCX(std::FILE* fp) {
    if (fp && m_nCJCX) std::fprintf(fp, "%s", message);
}

float CJsLieFen::CalLieFeng(float Nk, float Mk, int kind, cross_lf* s) {
    sigma_s = psi = rho_te = 0;
    exceeded = not_checked = 0;
    m_nCJCX = 0;
    message[0] = 0;
    if (!s) return 0;
    const float n = std::fabs(Nk), m = std::fabs(Mk);
    const float h = s->h, b = s->b, as = s->as, as1 = s->as1 > 0 ? s->as1 : s->as;
    const float h0 = h - as;
    if (s->As <= 0 || b <= 0 || h0 <= as1 || s->Es <= 0) {
        m_nCJCX = 1;
        std::snprintf(message, sizeof message, "裂缝计算数据错误 (受拉钢筋面积或截面尺寸) !\n");
        return 0;
    }
    if (n < 1e-3f && m < 1e-3f) return 0;

    const bool y2010 = PjIs2010();
    float alpha_cr;
    float ate;
    // Bar stress under the characteristic forces (2010 7.1.4, 2002 8.1.3).
    switch (kind) {
    case kLfAxialTension:
        alpha_cr = 2.7f;
        sigma_s = n / s->As;
        ate = b * h;
        break;
    case kLfEccentricTension: {
        alpha_cr = 2.4f;
        // σs = Nk·e'/(As·(h0 - as')), e' = e0 + h/2 - as'.
        const float e0 = n > 0 ? m / n : 0.0f;
        const float e1 = e0 + h / 2 - as1;
        sigma_s = n * e1 / (s->As * (h0 - as1));
        ate = 0.5f * b * h;
        break;
    }
    case kLfEccentricCompression: {
        alpha_cr = y2010 ? 1.9f : 2.1f;
        if (n < 1e-3f) {  // no axial force: a member in bending
            sigma_s = m / (0.87f * h0 * s->As);
        } else {
            const float e0 = m / n;
            // No check for e0/h0 ≤ 0.55 (2010 7.1.2 / 2002 8.1.2 note).
            if (e0 / h0 <= 0.55f) {
                not_checked = 1;
                return 0;
            }
            // σs = Nk(e - z)/(As·z), z = [0.87 - 0.12(1 - γf')(h0/e)²]·h0,
            // e = ηs·e0 + ys, ηs = 1 + (l0/h)²/(4000·e0/h0) for l0/h > 14.
            float eta = 1.0f;
            if (s->l0 / h > 14.0f) eta = 1.0f + (s->l0 / h) * (s->l0 / h) / (4000.0f * e0 / h0);
            const float e = eta * e0 + h / 2 - as;
            const float hf = std::min(s->hf1, 0.2f * h0);
            const float gamma_f = s->bf1 > b ? (s->bf1 - b) * hf / (b * h0) : 0.0f;
            float z = (0.87f - 0.12f * (1 - gamma_f) * (h0 / e) * (h0 / e)) * h0;
            z = std::min(z, 0.87f * h0);
            sigma_s = n * (e - z) / (s->As * z);
        }
        ate = 0.5f * b * h;
        break;
    }
    case kLfBending:
    default:
        alpha_cr = y2010 ? 1.9f : 2.1f;
        // σs = Mk/(0.87·h0·As).
        sigma_s = m / (0.87f * h0 * s->As);
        ate = 0.5f * b * h;
        break;
    }
    if (kind != kLfAxialTension && s->bf > b && s->hf > 0) ate += (s->bf - b) * s->hf;
    sigma_s = std::max(0.0f, sigma_s);
    if (s->fyk > 0 && sigma_s > s->fyk) exceeded = 1;

    // ρte = As/Ate, not below 0.01; ψ = 1.1 - 0.65·ftk/(ρte·σs) between 0.2 and 1.0.
    rho_te = std::max(0.01f, s->As / ate);
    psi = sigma_s > 0 ? 1.1f - 0.65f * s->ftk / (rho_te * sigma_s) : 0.2f;
    psi = std::clamp(psi, 0.2f, 1.0f);
    // Cover between 20 and 65 mm; the equivalent diameter over the bond factor
    // νi (0.7 plain, 1.0 ribbed) that the surface factor stands for. Editions
    // before 2002 give the factor relative to ribbed bars (1.0 ribbed, 1.4 plain),
    // the later ones 0.7 ribbed, 1.0 plain.
    const float cs = std::clamp(s->c, 20.0f, 65.0f);
    const bool older = G_guifan < 2002;
    const float nu = s->nu > 0 ? s->nu : (older ? 1.0f : 0.7f);
    const float deq = older ? s->deq * nu : s->deq * nu / 0.7f;
    // wmax = αcr·ψ·σs/Es·(1.9·cs + 0.08·deq/ρte) (2010 7.1.2-1, 2002 8.1.2-1);
    // αcr holds the long-term factor 1.5, which a short-term width leaves out.
    float w = alpha_cr * psi * sigma_s / s->Es * (1.9f * cs + 0.08f * deq / rho_te);
    if (short_term) w /= 1.5f;
    m_VarOut.SetNumber("LieFeng.Sigma", sigma_s);
    m_VarOut.SetNumber("LieFeng.Psi", psi);
    m_VarOut.SetNumber("LieFeng.W", w);
    return w;
}

#include "fem/lf_nd.h"

#include <cmath>
#include <cstring>

#include "base/error.h"

namespace {

constexpr const char* kStateError = "裂缝计算时状态错误 !";
constexpr const char* kSupportError = "支撑条件错误 !";
constexpr const char* kLayerError = "受拉钢筋层数错误 (应为 1 ~ 3) !";
constexpr const char* kNoNormalForce = "偏心受拉时轴力为零 !";

bool LayersKnown(const cross* s) { return s->layers >= 1 && s->layers <= 3; }

// Flange on the compression side (types 2 and 4): γ'f of GB 50010 7.1.4 / 7.2.3.
float CompressionFlange(const cross* s, float h0) {
    if (s->type != 2 && s->type != 4) return 0.0f;
    const float hf = std::fmin(s->hf, 0.2f * h0);
    return (s->bf - s->b) * hf / (s->b * h0);
}

// Half the section plus a flange on the tension side (types 3 and 4).
float BendingTensionArea(const cross* s) {
    float ate = 0.5f * s->b * s->h;
    if (s->type == 3 || s->type == 4) ate += (s->bf - s->b) * s->hf;
    return ate;
}

float Clamp(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }

// ψ = 1.1 - 0.65·ftk/(ρte·σs), within 0.4 .. 1.0.
float StrainFactor(const cross* s, float rho_te, float sigma) {
    return Clamp(1.1f - 0.65f * s->ftk / (rho_te * sigma), 0.4f, 1.0f);
}

}  // namespace

LF_ND::LF_ND() : m_message{}, m_yield(0), m_yield_message{} {
    // The report variables the design classes share; the crack width leaves them empty.
    for (const char* name : {"Wan.bChaoJinShang", "Wan.bChaoJinXia", "Wan.bGouZaoShang", "Wan.bGouZaoXia",
                             "Wan.RTF.AsShang", "Wan.RTF.AsXia"})
        m_VarIn.Set(name, "");
}

LF_ND::LF_ND(const LF_ND& other) = default;
LF_ND& LF_ND::operator=(const LF_ND& other) = default;
LF_ND::~LF_ND() = default;

int LF_ND::if_CJCX() { return m_yield == 1 ? 1 : 0; }

void LF_ND::Out_CJCX(std::FILE* fp) {
    if (m_yield == 1 && fp) std::fprintf(fp, "%s", m_yield_message);
}

void LF_ND::refuse(const char* text) {
    std::snprintf(m_message, sizeof m_message, "%s", text);
    tell_error(kv::err::kDataError, m_message);
}

float LF_ND::cal_ss(cross* s) {
    // Each further layer lies 25 mm deeper (bar plus clear spacing).
    return s->c + s->d / 2.0f + 25.0f * static_cast<float>(s->layers - 1);
}

float LF_ND::cal_zz(float N, float M, cross* s) {
    const float as = cal_ss(s);
    const float h0 = s->h - as;
    const float e0 = std::fabs(M / N);
    if (e0 / h0 <= 0.55f) tell_error(kv::err::kNotice, "e0/h0 <= 0.55,not cal\n");
    // η·e0 with η = 1 + 0.00025/e0·h0·(l0/h)², multiplied out: finite without a moment.
    float eta_e0 = e0;
    if (s->l0 / s->h > 14.0f) eta_e0 = e0 + 0.00025f * h0 * s->l0 * s->l0 / (s->h * s->h);
    const float e = eta_e0 + s->h / 2.0f - as;
    const float gamma = CompressionFlange(s, h0);
    float z = (0.87f - 0.12f * (1.0f - gamma) * (h0 / e) * (h0 / e)) * h0;
    if (z > 0.87f * h0) z = 0.87f * h0;
    return z / (e - z);
}

float LF_ND::crack_cal(float N, float M, int state, cross* s) {
    std::snprintf(m_yield_message, sizeof m_yield_message, "\n");
    m_yield = 0;
    if (state < 1 || state > 4) {
        refuse(kStateError);
        return 0.0f;
    }
    if (!LayersKnown(s)) {
        refuse(kLayerError);
        return 0.0f;
    }
    // e = |M/N| divides by N.
    if (state == 2 && N == 0.0f) {
        refuse(kNoNormalForce);
        return 0.0f;
    }
    if (state == 3 && (s->h <= 0.00001f || s->b <= 0.00001f || std::fabs(M) < 1.0f || s->As < 1.0f)) return 0.0f;
    if (state == 4 && (s->h <= 0.00001f || s->b <= 0.00001f || std::fabs(N) < 1.0f || s->As < 1.0f)) return 0.0f;

    const float as = cal_ss(s);
    const float h0 = s->h - as;
    float e = 0.0f;
    if (state != 3) e = std::fabs(M / N) + s->h / 2.0f - as;

    float sigma = 0.0f;
    switch (state) {
    case 1: sigma = std::fabs(N) / s->As; break;
    case 2: sigma = std::fabs(N) / ((h0 - as) * s->As / e); break;
    case 3: sigma = std::fabs(M) / (0.87f * s->As * h0); break;
    default: sigma = std::fabs(N) / (cal_zz(N, M, s) * s->As); break;
    }
    if (sigma >= s->fyk) {
        tell_error(kv::err::kNotice, "钢筋屈服 !");
        std::snprintf(m_yield_message, sizeof m_yield_message, "Stress = %.2f(N/mm*mm) > fyk = %.2f (N/mm*mm)\n",
                      sigma, s->fyk);
        m_yield = 1;
    }

    float ate = 0.0f;
    if (state == 1) {
        ate = s->b * s->h;
        if (s->type == 4) ate += 2.0f * (s->bf - s->b) * s->hf;
        if (s->type == 2 || s->type == 3) ate += (s->bf - s->b) * s->hf;
    } else {
        ate = BendingTensionArea(s);
    }
    const float rho_te = std::fmax(s->As / ate, 0.01f);
    const float psi = StrainFactor(s, rho_te, sigma);
    return crack_w(state, sigma, rho_te, psi, s);
}

float LF_ND::crack_w(int state, float sigma, float rho_te, float psi, cross* s) {
    const float c = s->c < 20.0f ? 20.0f : s->c;
    float alpha = 0.0f;
    switch (state) {
    case 1: alpha = 2.7f; break;
    case 2: alpha = 2.4f; break;
    case 3:
    case 4: alpha = 2.1f; break;
    default: refuse(kStateError); return 0.0f;
    }
    return alpha * sigma * psi / s->Es * (2.7f * c + 0.1f * s->d / rho_te) * s->nu;
}

float LF_ND::dqgd(float Mk, cross* s) {
    if (!LayersKnown(s)) {
        refuse(kLayerError);
        return 0.0f;
    }
    const float h0 = s->h - cal_ss(s);
    const float sigma = std::fabs(Mk) / (s->As * 0.87f * h0);
    const float rho_te = std::fmax(s->As / BendingTensionArea(s), 0.01f);
    const float psi = StrainFactor(s, rho_te, sigma);
    const float gamma = CompressionFlange(s, h0);
    const float rho = s->As / (s->b * h0);
    return s->Es * s->As * h0 * h0 / (1.15f * psi + 0.2f + 6.0f * rho * (s->Es / s->Ec) / (1.0f + 3.5f * gamma));
}

float LF_ND::cqgd(float Mk, float Mq, cross* s) {
    if (!LayersKnown(s)) {
        refuse(kLayerError);
        return 0.0f;
    }
    const float h0 = s->h - cal_ss(s);
    const float rho_p = s->Asp / (s->b * h0);
    const float rho = s->As / (s->b * h0);
    if (std::fabs(rho) < 0.00001f) return 0.0f;
    float theta = Clamp(1.6f + 0.4f * (rho - rho_p) / rho, 1.6f, 2.0f);
    if (s->type == 3) theta *= 1.2f;
    const float bs = dqgd(Mk, s);
    const float load = std::fabs(Mq) * (theta - 1.0f) + std::fabs(Mk);
    if (load == 0.0f) return bs;  // no moment to share out: the short-term stiffness
    return bs * std::fabs(Mk) / load;
}

float LF_ND::naodu_cal(float Mk, float Mq, float M2, int support, cross* s) {
    if (support < 1 || support > 5) {
        refuse(kSupportError);
        return 0.0f;
    }
    if (!LayersKnown(s)) {
        refuse(kLayerError);
        return 0.0f;
    }
    const float B = cqgd(Mk, Mq, s);
    const float l2 = s->l0 * s->l0;
    switch (support) {
    case 1: return 5.0f / 48.0f * std::fabs(Mk) * l2 / B;
    case 2: return 1.0f / 16.0f * std::fabs(Mk) * l2 / B;
    case 3: return 0.077084f * std::fabs(Mk) * l2 / B;
    case 4: return 1.0f / 4.0f * std::fabs(Mk) * l2 / B;
    default: return 5.0f / 48.0f * std::fabs(Mk) * l2 / B + 1.0f / 8.0f * std::fabs(M2) * l2 / B;
    }
}

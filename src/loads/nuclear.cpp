// Equivalent static loads of a nuclear explosion (GB 50038-2005, chapter 4).
#include "loads/equivload.h"

#include "base/interp.h"

namespace {
// Nuclear classes 0 核6B, 1 核6, 2 核5 share the K and hm tables; 3 核4B and
// 4 核4 have their own.
bool IsClass4(int nuclearClass) { return nuclearClass >= 3; }
}  // namespace

void CEquivLoad::CalNuclear() {
    CheckInput();
    CalDeltaPms();
    CalPh();
    CalPc();
    CalKdN();
    CalQe();
}

float CEquivLoad::GetDeltaPmsFactor(int part, float deltaPm, int nuclearClass, int upperBuilding) const {
    if (!upperBuilding) return deltaPm;
    // Raise (or lowering) of the ground overpressure by the building above.
    static const float kRoof[5] = {1.0f, 1.0f, 0.95f, 1.0f, 1.0f};
    static const float kWall[5] = {1.1f, 1.1f, 1.2f, 1.25f, 1.0f};
    if (nuclearClass < 0 || nuclearClass > 4) return deltaPm;
    return deltaPm * (part == 1 ? kRoof[nuclearClass] : kWall[nuclearClass]);
}

void CEquivLoad::CalDeltaPms() {
    m_fDeltaPmsRoof = GetDeltaPmsFactor(1, m_fDeltaPm, m_nNuclearClass, m_bRoofUpperN);
    m_fDeltaPmsWall = GetDeltaPmsFactor(2, m_fDeltaPm, m_nNuclearClass, m_bWallUpperN);
}

float CEquivLoad::CalPhOne(float deltaPms, float depth, float v0, float gamma, float delta, int nuclearClass) const {
    if (depth <= 1.5f) return deltaPms;
    if (gamma < 0.001f) gamma = 0.001f;
    // Rise time of the ground overpressure by class.
    static const float kRise[5] = {1.26f, 1.04f, 0.78f, 0.52f, 0.38f};
    float t = nuclearClass >= 0 && nuclearClass <= 4 ? kRise[nuclearClass] : 0.38f;
    return (1.0f - (1.0f - delta) * depth / ((v0 / gamma) * t)) * deltaPms;
}

void CEquivLoad::CalPh() {
    m_fDepthRoof = m_fCover;
    // Middle of the part of the wall below ground.
    m_fDepthWall = m_fRoofDepth < 0.0f ? (m_fStoreyH + m_fRoofDepth) / 2.0f : m_fStoreyH / 2.0f + m_fRoofDepth;
    if (m_fDepthWall < 0.0f) m_fDepthWall = 0.0f;
    m_fPhRoof = CalPhOne(m_fDeltaPmsRoof, m_fDepthRoof, m_fV0, m_fGamma, m_fDelta, m_nNuclearClass);
    m_fPhWall = CalPhOne(m_fDeltaPmsWall, m_fDepthWall, m_fV0, m_fGamma, m_fDelta, m_nNuclearClass);
}

float CEquivLoad::GetDepthLimitK(int nuclearClass, float spanL0) const {
    static const float kSpan6[17] = {1, 2, 2.5f, 3, 3.5f, 4, 4.5f, 5, 5.5f, 6, 6.5f, 7, 7.5f, 8, 8.5f, 9, 10};
    static const float kLimit6[17] = {1.0f, 1.0f, 1.2f, 1.5f, 1.7f, 2.0f, 2.2f, 2.5f, 2.7f,
                                      2.9f, 3.0f, 3.2f, 3.4f, 3.6f, 3.8f, 4.0f, 4.0f};
    static const float kSpan4[17] = {2, 3, 3.5f, 4, 4.5f, 5, 5.5f, 6, 6.5f, 7, 7.5f, 8, 8.5f, 9, 9.5f, 10, 11};
    static const float kLimit4[17] = {1.0f, 1.0f, 1.2f, 1.4f, 1.6f, 1.8f, 1.9f, 2.1f, 2.3f,
                                      2.5f, 2.7f, 3.0f, 3.2f, 3.5f, 3.7f, 4.0f, 4.0f};
    if (IsClass4(nuclearClass)) return liner_inter(kSpan4, kLimit4, 17, spanL0);
    return liner_inter(kSpan6, kLimit6, 17, spanL0);
}

float CEquivLoad::GetKTable(float depth, int nuclearClass, int structForm) const {
    static const float kDepth[7] = {1, 2, 3, 4, 5, 6, 7};
    static const float kK6[7] = {1.45f, 1.40f, 1.35f, 1.30f, 1.25f, 1.22f, 1.20f};
    static const float kK4[7] = {1.52f, 1.47f, 1.42f, 1.37f, 1.31f, 1.28f, 1.26f};
    float k = liner_inter(kDepth, IsClass4(nuclearClass) ? kK4 : kK6, 7, depth);
    if (structForm == 1) k *= 1.05f;  // 双层结构
    if (structForm == 2) k *= 0.9f;   // 非平顶结构
    return k;
}

float CEquivLoad::GetKSoil(float depth, int nuclearClass, int structForm, int saturated, float deltaPm,
                           float alpha) const {
    if (!saturated) return GetKTable(depth, nuclearClass, structForm);
    // Saturated soil: full reflection once the overpressure (MPa) exceeds 20α,
    // the dry-soil value up to 16α, linear between.
    float p = deltaPm / 1000.0f;
    float full = structForm == 2 ? 1.8f : 2.0f;
    if (p > 20.0f * alpha - 0.0001f) return full;
    if (p >= 16.0f * alpha + 0.0001f) {
        float ps[2] = {16.0f * alpha, 20.0f * alpha};
        float ks[2] = {GetKTable(depth, nuclearClass, structForm), full};
        return liner_inter(ps, ks, 2, p);
    }
    return GetKTable(depth, nuclearClass, structForm);
}

float CEquivLoad::CalK(float depth, float spanL0, int nuclearClass, int structForm, int saturated, float deltaPm,
                       float airContent) const {
    float alpha = airContent / 100.0f;
    float limit = GetDepthLimitK(nuclearClass, spanL0);
    // Shallow cover: K ramps from 1.0 up to its value at the depth limit hm.
    float start;
    if (!m_bMainStructure) {
        if (depth < 0.001f) return 1.0f;
        start = 0.0f;
    } else {
        if (depth <= 0.5f) return 1.0f;
        start = 0.5f;
    }
    if (depth < limit) {
        float hs[2] = {start, limit};
        float ks[2] = {1.0f, GetKSoil(limit, nuclearClass, structForm, saturated, deltaPm, alpha)};
        return liner_inter(hs, ks, 2, depth);
    }
    return GetKSoil(depth, nuclearClass, structForm, saturated, deltaPm, alpha);
}

void CEquivLoad::CalPc() {
    m_fK = CalK(m_fCover, m_fSpanL0, m_nNuclearClass, m_nStructForm, m_bSaturated, m_fDeltaPm, m_fAirContent);
    m_fPc1 = m_fK * m_fPhRoof;
    m_fPc2 = m_fXi * m_fPhWall;
    // Above ground the wall takes the reflected overpressure; only 核6B and 核6
    // design for it.
    m_fPc2Gnd = m_nNuclearClass == 0 || m_nNuclearClass == 1 ? 2.0f * m_fDeltaPm : 0.0f;
    m_fPc3 = m_fEta * m_fPc1;
}

void CEquivLoad::CalKdN() {
    m_fRiseRoof = (m_fGamma - 1.0f) * m_fDepthRoof / m_fV0;
    if (m_bRoofUpperN == 1) m_fRiseRoof += 0.025f;
    m_fKd1 = CalKd(m_fBeta1, m_fOmegaRoof, m_fRiseRoof, 2);
    m_fRiseWall = (m_fGamma - 1.0f) * m_fDepthWall / m_fV0;
    m_fKd2 = CalKd(m_fBeta2, m_fOmegaWall, m_fRiseWall, 2);
    // The floor is designed with Kd = 1.0 whatever its ductility ratio.
    m_fKd3 = 1.0f;
    m_fKd2Gnd = CalKd(m_fBeta2Gnd, m_fOmegaWall, 0.0f, 1);
}

void CEquivLoad::CalQe() {
    m_fQe1 = Round(m_fKd1 * m_fPc1, 3);
    m_fQe3 = Round(m_fKd3 * m_fPc3, 3);
    m_fQe2 = Round(m_fKd2 * m_fPc2, 3);
    m_fQe2Gnd = Round(m_fKd2Gnd * m_fPc2Gnd, 3);
}

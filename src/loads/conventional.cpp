// Equivalent static loads of a conventional-weapon explosion (GB 50038-2005,
// chapter 4): charge C at distance R.
#include "loads/equivload.h"

#include <cmath>

namespace {

// The charge's cube root as the code's tables take it (power 0.333333).
float CubeRootCharge(float charge) { return static_cast<float>(std::pow(static_cast<double>(charge), 0.333333)); }

// Peak overpressure of the air shock (MPa) at the scaled distance x = ∛C / R.
float AirShock(float x) {
    return 1.316f * static_cast<float>(std::pow(static_cast<double>(x), 3.0)) +
           0.369f * static_cast<float>(std::pow(static_cast<double>(x), 1.5));
}

float Pow(float x, double y) { return static_cast<float>(std::pow(static_cast<double>(x), y)); }
float Sqrt(float x) { return static_cast<float>(std::sqrt(static_cast<double>(x))); }

}  // namespace

void CEquivLoad::CalConventional() {
    CheckInput();
    CalDeltaPcm();
    CalPch();
    CalPcC();
    CalKdc();
    CalQce();
}

void CEquivLoad::CalDeltaPcm() {
    float root = CubeRootCharge(m_fCharge);
    float f = AirShock(root / m_fDistance);
    m_fDeltaPcmRoof = 1000.0f * f;
    // The building above shields the roof.
    if (m_bRoofUpperC) m_fDeltaPcmRoof *= 0.8f;
    m_fDeltaPcmWall = 1000.0f * f;
    // Duration of the triangle of equal impulse.
    m_fT0Roof = 4.0e-4f * root * Pow(m_fDeltaPcmRoof / 1000.0f, -0.5);
    m_fT0Wall = 4.0e-4f * root * Pow(m_fDeltaPcmWall / 1000.0f, -0.5);
}

void CEquivLoad::CalPch() {
    m_fDepthRoof = m_fCover;
    m_fDepthWall = m_fRoofDepth < 0.0f ? (m_fStoreyH + m_fRoofDepth) / 2.0f : m_fStoreyH / 2.0f + m_fRoofDepth;
    if (m_fDepthWall < 0.0f) m_fDepthWall = 0.0f;
    m_fPchRoof =
        (1.0f - m_fDepthRoof / (2.0f * m_fEtaC * (m_fV0 / m_fGamma) * m_fT0Roof) * (1.0f - m_fDelta)) * m_fDeltaPcmRoof;
    if (m_fPchRoof < 0.0f) m_fPchRoof = 0.0f;
}

void CEquivLoad::CalPcC() {
    // Roof: the cover decides uniformisation and reflection, whatever was entered.
    if (m_fDepthRoof <= 0.5f) {
        m_fCeRoof = 1.0f;
        m_fKrRoof = 1.0f;
    } else {
        m_fCeRoof = 0.9f;
        m_fKrRoof = 1.5f;
    }
    m_fPc1C = m_fCeRoof * m_fKrRoof * m_fPchRoof;

    // Soil wall: free-field stress of the ground shock at the wall.
    float scaled = 5.4f * m_fDistance / Pow(7.4f * m_fCharge, 1.0 / 3.0);
    float p0 = 0.00682f * m_fRho * m_fSeisSpeed * Pow(scaled, -static_cast<double>(m_fDecay));
    // Angle between the ray from the burst and the wall's normal.
    float x;
    if (m_fRoofDepth <= 0.0f)
        x = m_fDistance;
    else if (m_fRoofDepth < m_fDistance)
        x = Sqrt(m_fDistance * m_fDistance - m_fRoofDepth * m_fRoofDepth);
    else
        x = 1e-5f;
    float ratio = m_fDistance / x;
    float s = ratio * ratio - 1.0f;
    m_fTheta = s >= 0.0f ? static_cast<float>(std::atan(std::sqrt(static_cast<double>(s)))) : 0.0f;
    float cosTheta = static_cast<float>(std::cos(static_cast<double>(m_fTheta)));
    m_fPc2C = ((1.0f - m_fXi) * cosTheta * cosTheta + m_fXi) * p0 * m_fKrWall * m_fCeWall;

    // Wall above ground: reflected air shock at R'.
    float f = AirShock(CubeRootCharge(m_fCharge) / m_fDistanceGnd);
    m_fPc2GndC = (2.0f * f + 6.0f * f * f / (f + 0.7f)) * m_fCeWallGnd * 1000.0f;
}

float CEquivLoad::CalKdcOne(int kind, float beta, float omega, int shape) {
    bool rising = shape != 1;
    float period;  // duration of the load
    float rise = 0.0f;
    if (kind == 1) {
        if (rising) {
            if (m_bSaturated) m_fGamma = 1.5f;
            rise = (m_fGamma - 1.0f) * m_fDepthRoof / m_fV0;
            float td = (1.0f + 0.4f * m_fDepthRoof) * m_fT0Roof + rise;
            m_fTrRoof = rise;
            m_fTdRoof = td;
            period = td;
        } else {
            period = m_fT0Roof;
            m_fTrRoof = 0.0f;
            m_fTdRoof = 0.0f;
        }
    } else {
        if (rising) {
            rise = 0.1f * m_fDistance / m_fSeisSpeed;
            float td = 2.0f * m_fDistance / m_fSeisSpeed;
            m_fTrWall = rise;
            m_fTdWall = td;
            period = td;
        } else {
            period = m_fT0Wall;
        }
    }

    // A linear rise lowers the response of the single-degree system.
    float psi = 1.0f;
    if (rising && beta > 0.0f && rise > 0.0f) {
        float rootBeta = Sqrt(beta);
        float wt = omega * rise;
        psi = 0.5f + (rootBeta / wt) * static_cast<float>(std::sin(static_cast<double>(wt / (2.0f * rootBeta))));
    }
    float u = 2.0f * beta - 1.0f;
    if (u <= 0.0f) return 0.0f;
    float wT = omega * period;
    return psi / ((2.0f / wT) * Sqrt(u) + u / (2.0f * beta * (1.0f + 4.0f / wT)));
}

void CEquivLoad::CalKdc() {
    m_fKdc1 = CalKdcOne(1, m_fBeta1C, m_fOmegaRoof, 2);
    m_fKdc2 = CalKdcOne(2, m_fBeta2C, m_fOmegaWall, 2);
    m_fKdc2Gnd = CalKdcOne(2, m_fBeta2GndC, m_fOmegaWall, 1);
}

void CEquivLoad::CalQce() {
    m_fQce1 = Round(m_fKdc1 * m_fPc1C, 3);
    m_fQce2 = Round(m_fKdc2 * m_fPc2C, 3);
    m_fQce2Gnd = Round(m_fKdc2Gnd * m_fPc2GndC, 3);
}

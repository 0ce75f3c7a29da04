#include "loads/equivload.h"

#include <cmath>

CEquivLoad G_EquivLoad;

CEquivLoad::CEquivLoad() {
    m_nClass = 0;
    m_nPart = 0;
    m_fCover = 2.5f;
    m_fStoreyH = 6.0f;
    m_fRoofDepth = 1.2f;
    m_fSpanL0 = 4.5f;
    m_nStructForm = 0;
    m_bSaturated = 0;
    m_bMainStructure = 0;
    m_fAirContent = 0.1f;
    m_fGamma = 2.0f;
    m_fV0 = 200.0f;
    m_fDelta = 0.2f;
    m_fXi = 0.3f;
    m_fDepthRoof = 1.5f;
    m_fDepthWall = 2.5f;
    m_fOmegaRoof = 188.4f;
    m_fOmegaFloor = 188.4f;
    m_fOmegaWall = 188.4f;
    m_fDeltaPm = 30.0f;
    m_nNuclearClass = 0;
    m_bRoofUpperN = 1;
    m_bWallUpperN = 1;
    m_fDeltaPmsRoof = 0.0f;
    m_fDeltaPmsWall = 0.0f;
    m_fPhRoof = 0.0f;
    m_fPhWall = 0.0f;
    m_fPc1 = 0.0f;
    m_fPc3 = 0.0f;
    m_fPc2 = 0.0f;
    m_fPc2Gnd = 0.0f;
    m_fK = 1.4f;
    m_fEta = 0.8f;
    m_fBeta1 = 3.0f;
    m_fBeta3 = 3.0f;
    m_fBeta2 = 2.0f;
    m_fBeta2Gnd = 2.0f;
    m_fRiseRoof = 0.0f;
    m_fRiseWall = 0.0f;
    m_fKd1 = 1.2f;
    m_fKd3 = 1.2f;
    m_fKd2 = 1.2f;
    m_fKd2Gnd = 1.2f;
    m_fQe1 = 1.2f;
    m_fQe3 = 1.2f;
    m_fQe2 = 1.2f;
    m_fQe2Gnd = 1.2f;
    m_nConvClass = 0;
    m_bRoofUpperC = 1;
    m_fCharge = 117.45f;
    m_fDistance = 10.0f;
    m_fDistanceGnd = 10.0f;
    m_fTheta = 0.1f;
    m_fDeltaPcmRoof = 0.0f;
    m_fDeltaPcmWall = 0.0f;
    m_fPchRoof = 0.0f;
    m_fEtaC = 2.0f;
    m_fPc1C = 0.0f;
    m_fPc2C = 0.0f;
    m_fPc2GndC = 0.0f;
    m_fKrRoof = 1.0f;
    m_fKrWall = 1.5f;
    m_fCeRoof = 1.0f;
    m_fCeWall = 0.9f;
    m_fCeWallGnd = 0.95f;
    m_fRho = 1800.0f;
    m_fSeisSpeed = 300.0f;
    m_fDecay = 2.7f;
    m_fBeta1C = 4.0f;
    m_fBeta2C = 3.0f;
    m_fBeta2GndC = 3.0f;
    m_fT0Roof = 0.001f;
    m_fTrRoof = 0.0f;
    m_fTdRoof = 0.0f;
    m_fT0Wall = 0.001f;
    m_fTrWall = 0.0f;
    m_fTdWall = 0.0f;
    m_fKdc1 = 1.2f;
    m_fKdc2 = 1.2f;
    m_fKdc2Gnd = 1.2f;
    m_fQce1 = 1.2f;
    m_fQce2 = 1.2f;
    m_fQce2Gnd = 1.2f;
}

void CEquivLoad::CheckInput() {
    // Every value the formulas divide by, take a root of or scale with must be
    // positive; the frequencies are divisors of the dynamic factors too.
    float* const positive[] = {
        &m_fGamma,      &m_fV0,       &m_fDelta,      &m_fStoreyH,   &m_fSpanL0,     &m_fXi,
        &m_fBeta1,      &m_fBeta3,    &m_fBeta2,      &m_fBeta2Gnd,  &m_fEta,        &m_fDistance,
        &m_fDistanceGnd, &m_fCharge,  &m_fEtaC,       &m_fBeta1C,    &m_fBeta2C,     &m_fBeta2GndC,
        &m_fKrRoof,     &m_fKrWall,   &m_fCeRoof,     &m_fCeWall,    &m_fCeWallGnd,  &m_fRho,
        &m_fSeisSpeed,  &m_fDecay,    &m_fOmegaRoof,  &m_fOmegaFloor, &m_fOmegaWall,
    };
    for (float* value : positive)
        if (!(*value > 0.0f)) *value = 0.001f;  // NaN is replaced too
    if (m_fCover < 0.0f) m_fCover = 0.0f;
    if (m_fAirContent < 0.0f) m_fAirContent = 0.0f;
}

float CEquivLoad::Round(float x, int n) {
    float scale = static_cast<float>(std::pow(10.0, n));
    float a = std::fabs(x * scale);
    // Truncation toward zero; a value too large for an int is whole already.
    float i = std::trunc(a);
    if (a - i >= 0.5f) i = i + 1.0f;
    float result = i / scale;
    return x < 0.0f ? -result : result;
}

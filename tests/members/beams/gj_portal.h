#pragma once
// A one-bay portal filled by hand: columns 400 × 400 of 4 m, a beam b 300 × h 500
// of 6 m; the beam carries a parabolic moment (−100 at the ends, 150 kN·m in the
// middle) and no axial force, the columns 250 kN of compression.
#include <string>

#include "members/beams/gj_frm.h"

namespace kv::test {

inline void FillPortal(CGjFrmJs& frame) {
    frame.SetMemberCount(3);
    const float ends[3][4] = {{0, 0, 0, 4000}, {0, 4000, 6000, 4000}, {6000, 4000, 6000, 0}};
    const int nodes[3][2] = {{1, 2}, {2, 3}, {3, 4}};
    for (int m = 0; m < 3; ++m) {
        CGjGouJian& g = frame.m_GouJian[static_cast<std::size_t>(m)];
        g.m_nNo = m + 1;
        g.m_nStart = nodes[m][0];
        g.m_nEnd = nodes[m][1];
        g.m_fX1 = ends[m][0], g.m_fY1 = ends[m][1], g.m_fX2 = ends[m][2], g.m_fY2 = ends[m][3];
        g.m_nGrade = 30;
        const bool beam = m == 1;
        g.m_fB = beam ? 300.0f : 400.0f;
        g.m_fH = beam ? 500.0f : 400.0f;
        for (int i = 0; i < kGjStations; ++i) {
            const float t = static_cast<float>(i) / 8.0f;
            if (beam) {
                g.M[i] = -100.0f + 1000.0f * t * (1.0f - t);
                g.V[i] = 1000.0f * (1.0f - 2.0f * t) / 6.0f;
                g.N[i] = 0.0f;
                g.Ux[i] = 2.0f;
                g.Uy[i] = 0.0f - 48.0f * t * (1.0f - t);
            } else {
                const float sign = m == 0 ? 1.0f : -1.0f;
                const float u = m == 0 ? t : 1.0f - t;  // 0 at the base
                g.M[i] = sign * (50.0f - 150.0f * u);
                g.V[i] = sign * 37.5f;
                g.N[i] = -250.0f;
                g.Ux[i] = 2.0f * u * u;
                g.Uy[i] = 0.0f - 0.1f * u;
            }
        }
    }
    frame.m_nRenFang = 1;
    frame.m_nConGrade = 30;
    frame.m_nBarGrade = 3;
    frame.m_nStirrupGrade = 1;
    frame.m_strTitle = "刚架计算 GJ1";
    const char* const suffix[kGjDiagrams] = {"_JT", "_D", "_M", "_V", "_N", "_PJ", "_ALL"};
    for (int k = 0; k < kGjDiagrams; ++k) frame.m_strDxf[k] = std::string("A") + suffix[k] + "_GJ.DXF";
    frame.m_strRtf = "A_GJ.RTF";
    frame.m_strDataName = "A";
}

}  // namespace kv::test

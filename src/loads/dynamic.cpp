// Dynamic factor of the nuclear load and the support cases of slabs.
#include "loads/equivload.h"

#include "base/interp.h"

float CEquivLoad::CalKd(float beta, float omega, float riseTime, int shape) const {
    if (beta < 1.0f) beta = 1.0f;
    if (beta > 3.0f) beta = 3.0f;
    // A load without rise time: the elastic-plastic single-degree result.
    if (shape == 1) return 2.0f * beta / (2.0f * beta - 1.0f);

    // Curves of Kd over ω·t for the allowed ductility ratios (GB 50038-2005,
    // load with a linear rise to its peak).
    static const float kX[13] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20};
    static const float kBetas[5] = {1.0f, 1.2f, 1.5f, 2.0f, 3.0f};
    static const float kKd[5][13] = {
        {2.00f, 1.96f, 1.84f, 1.67f, 1.50f, 1.40f, 1.33f, 1.29f, 1.25f, 1.22f, 1.20f, 1.13f, 1.10f},
        {1.71f, 1.68f, 1.58f, 1.44f, 1.30f, 1.22f, 1.17f, 1.14f, 1.11f, 1.09f, 1.08f, 1.05f, 1.05f},
        {1.50f, 1.47f, 1.40f, 1.28f, 1.18f, 1.13f, 1.09f, 1.07f, 1.06f, 1.05f, 1.05f, 1.05f, 1.05f},
        {1.34f, 1.31f, 1.26f, 1.18f, 1.11f, 1.07f, 1.05f, 1.05f, 1.05f, 1.05f, 1.05f, 1.05f, 1.05f},
        {1.20f, 1.19f, 1.15f, 1.10f, 1.06f, 1.05f, 1.05f, 1.05f, 1.05f, 1.05f, 1.05f, 1.05f, 1.05f},
    };
    float x = omega * riseTime;
    float atBeta[5];
    for (int i = 0; i < 5; ++i) atBeta[i] = liner_inter(kX, kKd[i], 13, x);
    return liner_inter(kBetas, atBeta, 5, beta);
}

int CEquivLoad::GetSupportCase(int kind, int value, float /*lx*/, float /*ly*/, const int edges[4]) const {
    int e[4];
    for (int i = 0; i < 4; ++i) e[i] = edges[i] == 2 ? value : edges[i];

    auto beamCase = [](int end1, int end2) {
        if (end1 == 0 && end2 == 0) return 2;
        if ((end1 == 0 && end2 == 1) || (end1 == 1 && end2 == 0)) return 3;
        if (end1 == 1 && end2 == 1) return 4;
        return 0;
    };
    if (kind == 0) return beamCase(e[0], e[2]);  // strip between bottom and top
    if (kind == 1) return beamCase(e[1], e[3]);  // strip between right and left
    if (kind != 2) return 0;

    // Plate: codes in the order bottom, right, top, left.
    struct Pattern {
        int b, r, t, l, supportCase;
    };
    static const Pattern kPatterns[] = {
        {0, 0, 0, 0, 1},  {1, 1, 1, 1, 2},  {0, 1, 0, 1, 3},  {1, 0, 1, 0, -3}, {0, 0, 1, 1, 4},
        {1, 0, 0, 1, 4},  {1, 1, 0, 0, 4},  {0, 1, 1, 0, 4},  {0, 1, 1, 1, 5},  {1, 1, 0, 1, 5},
        {1, 0, 1, 1, -5}, {1, 1, 1, 0, -5}, {0, 0, 0, 1, -6}, {0, 1, 0, 0, -6}, {1, 0, 0, 0, 6},
        {0, 0, 1, 0, 6},
    };
    for (const Pattern& p : kPatterns)
        if (e[0] == p.b && e[1] == p.r && e[2] == p.t && e[3] == p.l) return p.supportCase;
    return 0;
}

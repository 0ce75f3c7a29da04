#pragma once
// Crack width of a reinforced-concrete section under N and M (characteristic
// values), GB 50010-2002 8.1 / 2010 7.1 as G_guifan says.
#include "design/varstore.h"

// Section record: 25 four-byte fields, zeroed by the caller and then filled.
struct cross_lf {
    int type;       // 0: 1 = rectangle with optional flanges
    float h;        // 1: height (mm)
    float b;        // 2: web width (mm)
    float bf1;      // 3: compression flange width bf' (0: none)
    float hf1;      // 4: compression flange thickness hf'
    float bf;       // 5: tension flange width bf (0: none)
    float hf;       // 6: tension flange thickness hf
    float ftk;      // 7: characteristic tensile strength of the concrete (N/mm²)
    float c;        // 8: cover of the tension bars (mm)
    float deq;      // 9: equivalent diameter of the tension bars (mm)
    float Es;       // 10: elastic modulus of the bars (N/mm²)
    float fyk;      // 11: characteristic strength of the bars (N/mm²)
    float nu;       // 12: bar-surface factor: 1.0 plain, 0.7 ribbed bars (0 reads 0.7);
                    //     before 2002: 1.4 plain, 1.0 ribbed (0 reads 1.0)
    float As;       // 13: area of the tension bars (mm²)
    float l0;       // 14: effective length (mm)
    float as;       // 15: tension steel centroid to the face (mm)
    float as1;      // 16: compression steel centroid to the face (mm)
    float Asp;      // 17: area of the compression bars (mm², not used)
    float reserved[7];  // 18-24
};
static_assert(sizeof(cross_lf) == 100, "25 four-byte fields");

// Member kinds of CalLieFeng.
enum : int {
    kLfAxialTension = 1,
    kLfEccentricTension = 2,
    kLfBending = 3,
    kLfEccentricCompression = 4,
};

class CJsLieFen : public PJ_BASE {
public:
    // 1: short-term crack width, 0: long-term (with the long-term factor 1.5).
    void set_value(int short_term_in);
    // Largest crack width (mm) of the section under Nk (N, magnitude) and Mk (N·mm,
    // magnitude) for a member kind. 0 when the width need not be checked (an
    // eccentrically compressed member with e0/h0 ≤ 0.55) or cannot be computed
    // (no tension bars: if_CJCX then answers 1).
    float CalLieFeng(float Nk, float Mk, int kind, cross_lf* section);

    int if_CJCX() override;
    void Out_CJCX(std::FILE* fp) override;

    int short_term = 1;
    float sigma_s = 0;      // bar stress (N/mm²)
    float psi = 0;          // strain non-uniformity factor ψ
    float rho_te = 0;       // effective tension steel ratio
    int exceeded = 0;       // the bar stress is above fyk
    int not_checked = 0;    // e0/h0 ≤ 0.55: no check needed
    char message[300] = {0};
};

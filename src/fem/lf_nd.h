#pragma once
// Crack width, flexural stiffness and deflection of one reinforced-concrete
// section. The crack width is the 1989 concrete code's (GBJ 10-89, the
// predecessor of GB 50010): αcr·ψ·σs/Es·(2.7c + 0.1d/ρte)·ν; the stiffness is
// GB 50010's (Bs of 7.2.3, B = Mk/(Mq(θ - 1) + Mk)·Bs of 7.2.2, θ of 7.2.5).
// Values in N, mm, N/mm²; moments in N·mm.
//
// The section record crosses the library boundary: the caller fills it and
// passes a pointer, so its layout is fixed field by field.
#include <cstdio>

#include "design/varstore.h"
#include "fem/quellit_export.h"

struct cross {
    int type;    // 1 rectangle, 2 flange on the compression side, 3 on the tension side, 4 both
    float h;     // section height
    float b;     // web width
    float hf;    // flange thickness
    float bf;    // flange width
    float ftk;   // characteristic tensile strength of the concrete
    float Ec;    // concrete modulus
    float c;     // cover of the tension steel
    float d;     // bar diameter
    float Es;    // steel modulus
    float fyk;   // characteristic yield strength of the steel
    float nu;    // bar-surface factor of the crack width
    float As;    // tension steel
    float Asp;   // compression steel
    int layers;  // tension-steel layers, 1 to 3
    float l0;    // effective length; the span of the deflection
};
static_assert(sizeof(cross) == 64, "the section record is sixteen 4-byte fields");

class QUELLIT_API LF_ND : public PJ_BASE {
public:
    LF_ND();
    LF_ND(const LF_ND& other);
    LF_ND& operator=(const LF_ND& other);
    ~LF_ND() override;

    // 1 when the last crack_cal found the steel at or above fyk.
    int if_CJCX() override;
    // Writes the yield message of the last crack_cal when it yielded.
    void Out_CJCX(std::FILE* fp) override;

    // The maximum crack width under N and M. state: 1 axial tension, 2 eccentric
    // tension, 3 bending, 4 eccentric compression. A degenerate section gives 0;
    // a state or layer count out of range, or eccentric tension without a normal
    // force, is refused (201) with 0.
    float crack_cal(float N, float M, int state, cross* s);
    // Short-term stiffness Bs under the characteristic moment Mk.
    float dqgd(float Mk, cross* s);
    // Long-term stiffness B under Mk and the quasi-permanent moment Mq.
    float cqgd(float Mk, float Mq, cross* s);
    // Deflection of a member of span l0. support: 1 simple (5/48), 2 fixed-simple
    // (1/16), 3 fixed-fixed (0.077084), 4 cantilever (1/4), 5 simple plus an end
    // moment M2 (1/8).
    float naodu_cal(float Mk, float Mq, float M2, int support, cross* s);

private:
    // Depth of the tension-steel centroid below the tension face.
    float cal_ss(cross* s);
    // Lever-arm ratio z/(e - z) of eccentric compression.
    float cal_zz(float N, float M, cross* s);
    float crack_w(int state, float sigma, float rho_te, float psi, cross* s);
    // Formats the text into the message buffer and reports it (201).
    QUELLIT_LOCAL void refuse(const char* text);

    char m_message[300];
    int m_yield;
    char m_yield_message[300];
};

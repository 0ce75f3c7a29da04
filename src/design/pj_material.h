#pragma once
// Design strengths of one concrete grade and its bars, for the edition in force
// (G_guifan) and, for the protective-design classes, under blast load.
#include <string>

struct PjMaterial {
    int ok = 0;           // 1 when both grades are known
    int con_grade = 0;    // C-number (30 for C30)
    float fc = 0, ft = 0, ftk = 0, fck = 0, fcuk = 0, Ec = 0;
    float fy = 0, fyc = 0, fyk = 0, Es = 0;  // longitudinal bars
    float fyv = 0;        // stirrups (design strength used for shear and torsion)
    float alpha1 = 1.0f, beta1 = 0.8f, beta_c = 1.0f, eps_cu = 0.0033f;
    float xi_b = 0.55f;   // balanced relative depth of the compression zone
    float gamma_c = 1.0f, gamma_s = 1.0f, gamma_v = 1.0f;  // dynamic factors applied
    std::string error;    // why ok is 0
};

// Dynamic strength factor of a concrete grade (GB 50038-2005 table 4.2.3):
// 1.5 up to C55, 1.4 from C60; times 0.9 for steam-cured concrete or concrete
// with an early-strength admixture (note 2 of the table).
float PjConcreteDynamicFactor(int con_grade, int steam);
// Dynamic strength factor of a bar by its characteristic strength fyk
// (GB 50038-2005 table 4.2.3): HPB235 / HPB300 1.5, HRB335 1.35, HRB400 and
// RRB400 1.2; 500 MPa bars, which the table does not list, take 1.2 as well.
float PjBarDynamicFactor(float fyk);

// Fills `m` for the grades. dynamic != 0 multiplies the design strengths by the
// dynamic factors. Unknown grades leave ok 0 and say why in `error`.
void PjLoadMaterial(int con_grade, int bar_grade, int stirrup_grade, int dynamic, int steam, PjMaterial& m);

// True when the edition in force is the 2010 one (otherwise the 2002 rules hold).
bool PjIs2010();

#pragma once
// Material properties of concrete and reinforcing-bar grades for the code edition
// in force (G_guifan: 2002 or 2010; 89 and 96 take the 2002 values). Strengths and moduli in N/mm².

// Concrete grade properties. Callers read the values by position (the 4th is ft,
// the 7th ftk, the 8th Ec, the 10th Poisson's ratio), so the layout is fixed:
// ten 4-byte values.
struct Con_Prop {
    int grade;    // 1: the grade, e.g. 30 for C30
    float fc;     // 2: design axial compressive strength
    float fck;    // 3: characteristic axial compressive strength
    float ft;     // 4: design axial tensile strength
    float fcuk;   // 5: characteristic cube strength
    float fcm;    // 6: design flexural compressive strength (older editions; = fc where none)
    float ftk;    // 7: characteristic axial tensile strength
    float Ec;     // 8: elastic modulus
    float Gc;     // 9: shear modulus (0.4 Ec)
    float nu;     // 10: Poisson's ratio
};
static_assert(sizeof(Con_Prop) == 40, "ten 4-byte values");

// Reinforcing-bar grade properties: five 4-byte values (the 2nd is fy, the 4th
// fyk, the 5th Es).
struct Rein_Prop {
    int grade;    // 1: the grade code
    float fy;     // 2: design tensile strength
    float fyc;    // 3: design compressive strength fy'
    float fyk;    // 4: characteristic (yield) strength
    float Es;     // 5: elastic modulus
};
static_assert(sizeof(Rein_Prop) == 20, "five 4-byte values");

// Fill `prop` for a grade of the edition in force; nonzero when the grade is known
// (an unknown grade leaves `prop` zeroed and returns 0).
int get_rc_property(int grade, Con_Prop* prop);
int get_rein_property(int grade, Rein_Prop* prop);

#pragma once
// Section design of beams and of unit-width slab and wall strips.
//
// Units at the interface: N, N·mm, mm; areas in mm² (for a strip 1000 mm wide,
// mm² per metre); stirrup areas per mm of length (all legs). The "_KV" classes
// design for the equivalent-static blast load: dynamic material strengths and the
// reinforcement ratios of GB 50038-2005; the flexure, shear and torsion rules are
// those of GB 50010-2002 or -2010 as G_guifan says.
#include <cstdio>
#include <string>

#include "design/pj_material.h"
#include "design/varstore.h"

class PJ_BEAM_KV : public PJ_BASE {
public:
    PJ_BEAM_KV();
    ~PJ_BEAM_KV() override = default;

    // Generic initialisation: grades, covers to the tension and compression steel.
    virtual void Ini(int con_grade, int bar_grade, int stirrup_grade, int seismic, int as_t, int as_c);
    // Re-reads the material strengths after a grade or flag was changed.
    virtual void Re_Ini();
    // Beam: grades, seismic grade, covers, beam type, height (mm), span (m), factor
    // on the concrete's shear strength, steam-curing flag, protective type and its
    // parameters.
    virtual void Ini_Liang(int con_grade, int bar_grade, int stirrup_grade, int seismic, int as_t, int as_c,
                           int beam_type, float height, float span_m, float shear_adjust, int steam, int kv_type,
                           float p1, int p2, float p3, float p4, float p5, float p6);
    // Slab or wall strip: as Ini_Liang without height and span; `beta` is the
    // factor on the concrete's shear strength of a plate (a value ≤ 0 reads 1.0).
    virtual void Ini_QiangBan(int con_grade, int bar_grade, int stirrup_grade, int seismic, int as_t, int as_c,
                              int beam_type, float shear_adjust, int steam, int kv_type, float beta, int p2,
                              float p3, float p4, float p5, float p6);
    // Forces and section: M (N·mm), V (N), T (N·mm), b, h (mm), position (0 at a
    // support or joint, 1 in the span), ζ of torsion, reserved.
    virtual void set_value(float M, float V, float T, float b, float h, int position, float zeta, int reserved);

    virtual int Bent_DJ();      // single reinforcement
    virtual int Bent_SJ();      // double reinforcement
    virtual int Sheer();        // shear with stirrups (or plate without)
    virtual int Sheer_Twist();  // combined shear and torsion

    int if_CJCX() override;
    void Out_CJCX(std::FILE* fp) override;
    int if_GZPJ() override;
    void Out_GZPJ(std::FILE* fp) override;

    // Minimum ratios of the tension and compression steel (of b·h) and of the
    // stirrups (ρsv of b·s) that the code gives for the grades.
    virtual void default_min_PJ();
    virtual void default_max_PJ();
    // Sets the three minimum ratios; a negative value keeps the present one.
    virtual void Set_min_PJ(float tension, float compression, float stirrup);
    // Largest tension-steel ratio of a doubly reinforced blast-design section.
    virtual void KV_SJ_max_PJ();
    // Clears the flags and messages of the last design step.
    virtual void Ini_CJCX();

    // --- conditions ---
    int con_grade = 30, bar_grade = 2, stirrup_grade = 1, seismic = 0;
    float as = 35.0f, as1 = 35.0f;  // centroid of the tension / compression steel to the face
    int beam_type = 0;              // 2: plate without stirrups (slab or wall shear)
    float span = 0.0f;              // m (0 for a strip)
    float shear_adjust = 1.0f;      // factor on the concrete's shear strength
    float beta = 1.0f;              // plate shear factor
    int steam = 0, kv_type = 0;
    float kv_par[6] = {0, 0, 0, 0, 0, 0};
    // A door-frame wall's root (kv_type 1) that is short enough to act as a
    // corbel (牛腿), set by the caller after Ini_Liang; kv_par then holds the
    // door type (1 arched), the lever arm a (mm), the parallel force qh and the
    // resultant q (N over the width b) and the resultant's distance |z| from the
    // root (mm). Sheer checks the corbel's height and gives detailing ties;
    // Bent_DJ gives As = b·(qv·a/(0.85·fy·h0) - 0.45·qh/fy), detailing steel
    // for an arched door's seat with q/z < 1.6·fc.
    int corbel = 0;
    int dynamic = 1;                // dynamic strengths of blast design
    float M = 0, V = 0, T = 0, b = 1000.0f, h = 0;
    int position = 1, support = 0;
    float zeta = 1.2f;

    // --- materials (after Ini) ---
    PjMaterial mat;
    float fc = 0, ft = 0, ftk = 0, fy = 0, fyc = 0, fyv = 0, alpha1 = 1.0f, xi_b = 0.55f;
    float min_PJ[3] = {0.002f, 0.0f, 0.0f};
    float max_PJ = 0.025f;

    // --- results ---
    float As = 0, As1 = 0;          // tension and compression steel (mm²)
    float xi = 0;                   // relative compression depth of the last bending design
    float Asv = 0;                  // shear stirrups per mm (all legs)
    float Ast = 0;                  // torsion longitudinal steel (mm²)
    float Ast1 = 0;                 // torsion stirrup per mm, one leg
    float Asvt = 0;                 // shear stirrups per mm under combined shear and torsion
    float beta_t = 1.0f;
    int combined = 0;               // 1: Asvt is the whole stirrup requirement (torsion negligible)
    int no_result = 0;              // 1: the last step gave no area (bad input)
    int flag[3] = {0, 0, 0};        // limit exceeded, recommended ratio exceeded, minimum governs
    std::string message[3];

protected:
    bool Prepare();                 // clears the step and checks the material and the section
    void SetFlag(int i, const std::string& text);
    void ApplyMinimum(float area_base);
    float H0() const { return h - as; }
    float SingleXi(float h0) const;  // ξ of single reinforcement for |M|
    bool StartBending();             // clears the results; false (areas −1) when the section cannot be designed
    // Concrete part of the shear resistance of the section (N).
    float ConcreteShear(float width, float h0) const;
    // Reduction ψ1 of that part for a slender blast-loaded beam (1 where it does not apply).
    float SpanDepthFactor(float h0) const;
    bool IsCorbel() const { return kv_type == 1 && corbel; }
    int CorbelBending();
    int CorbelShear();
    bool dual_min_ = false;
};

// Flanged (T or I) section in bending with single reinforcement.
class PJ_BEAM_I_KV : public PJ_BEAM_KV {
public:
    using PJ_BEAM_KV::Ini_Liang;
    using PJ_BEAM_KV::set_value;
    // Grades, seismic grade, covers, section kind, height (mm), span (m), shear
    // factor, steam-curing flag.
    virtual void Ini_Liang(int con_grade, int bar_grade, int stirrup_grade, int seismic, int as_t, int as_c,
                           int kind, float height, float span_m, float shear_adjust, int steam);
    // M, V, T, web width b and height h, compression flange bf', hf', tension
    // flange bf, hf (mm), position, ζ, reserved.
    virtual void set_value(float M, float V, float T, float b, float h, float bf1, float hf1, float bf, float hf,
                           int position, float zeta, int reserved);
    int Bent_DJ() override;

    int kind = 2;
    float bf1 = 0, hf1 = 0, bf = 0, hf = 0;
};

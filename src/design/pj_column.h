#pragma once
// Section design of members under axial force and bending: columns, and unit-width
// wall, lining and shell strips.
//
// Units: N, N·mm, mm; areas in mm², stirrups in mm² per mm (all legs). The axial
// force is negative in compression. Mx bends the section over its depth h (the
// faces of width b carry Asx / Asx1) and goes with the shear Vy; My bends it over
// b and goes with Vx. The two directions are designed one after the other, each
// with the whole axial force.
#include <cstdio>
#include <string>

#include "design/pj_material.h"
#include "design/varstore.h"

class PJ_COLUMN : public PJ_BASE {
public:
    PJ_COLUMN();
    ~PJ_COLUMN() override = default;

    // Grades, seismic grade, cover to the bar centres, then switches: the 2002
    // edition's eccentricity increase η on (1) or off, the axial force taken into
    // the shear design (1) or not, and three reserved values.
    virtual void Ini(int con_grade, int bar_grade, int stirrup_grade, int seismic, int as_in, int eta_on,
                     int axial_in_shear, int r1, int r2, int r3);
    virtual void Re_Ini();
    // Mx, Vx, My, Vy, N, b, h, l0, section type (0 rectangle), reserved, reserved.
    virtual void set_value(float Mx, float Vx, float My, float Vy, float N, float b, float h, float l0, int type,
                           int r1, int r2);

    virtual int ZhouYaBi();   // axial compression ratio N/(A·fc)
    virtual int ZhouLaYa();   // axial force alone
    virtual int PianLaYa();   // axial force with bending (both directions)
    virtual int LaYaJian_x(); // shear Vx with the axial force
    virtual int LaYaJian_y(); // shear Vy with the axial force
    // Biaxial shear: raises the stirrups ax, ay of the two uniaxial designs until
    // (Vx/Vux)² + (Vy/Vuy)² ≤ 1; the new areas come back in the arguments and in ax, ay.
    virtual int LaYaJian_xy(float& ax_io, float& ay_io);

    int if_CJCX() override;
    void Out_CJCX(std::FILE* fp) override;
    int if_GZPJ() override;
    void Out_GZPJ(std::FILE* fp) override;
    void Out_Message(std::FILE* fp) override;

    // --- conditions ---
    int con_grade = 30, bar_grade = 2, stirrup_grade = 1, seismic = 0;
    float as = 35.0f;
    int eta_on = 1, axial_in_shear = 1;
    int symmetric = 1;       // PJ_COLUMN and the symmetric KV designs
    int dynamic = 0;         // blast design with dynamic strengths
    int kv_type = 0;         // protective member kind: 0 column, 1 lining, 2 wall
    float compress_factor = 1.0f;  // factor on fc in the normal-section design under blast
    float shear_beta = 1.0f;       // factor on the concrete's shear strength
    int steam = 0;
    float Mx = 0, Vx = 0, My = 0, Vy = 0, N = 0, b = 0, h = 0, l0 = 0;
    int section_type = 0;

    // --- materials (after Ini) ---
    PjMaterial mat;
    float fcd = 0, ftd = 0, fy = 0, fyc = 0, fyv = 0;
    float min_side = 0.002f;   // one face (compression side, or each face of symmetric steel), of b·h
    float min_tension_side = 0.002f;  // tension face, of b·h
    float min_total = 0.006f;  // all bars of a member under axial compression, of b·h

    // --- results ---
    float Asx = 0, Asx1 = 0;   // Mx: tension-side face and the other face
    float Asy = 0, Asy1 = 0;   // My: tension-side face and the other face
    float Ast = 0;             // all longitudinal bars
    float ax = 0, ay = 0;      // stirrups per mm for Vx and Vy
    float axial_ratio = 0;
    int axial_exceeded = 0;
    std::string axial_message;
    int section_small = 0;     // the section is too small for the shear
    int flag[3] = {0, 0, 0};   // limit exceeded, (reserved), minimum governs
    std::string message[3];

protected:
    void Clear();
    void SetFlag(int i, const std::string& text);
    bool CheckSection(float width, float depth);
    // One direction: moment m (sign kept), the face width and the depth.
    // Gives the tension-side and the other face's area.
    bool DesignDirection(float m, float width, float depth, float& at, float& ac);
    bool Symmetric(float n, float e0, float width, float depth, float& a);
    bool Asymmetric(float n, float e0, float width, float depth, float& at, float& ac);
    float Eta(float n, float ei, float width, float depth) const;
    // Axial resistance of the section with the faces at and ac under the
    // first-order eccentricity e0 (one direction).
    float UniaxialResistance(float n, float e0, float width, float depth, float at, float ac) const;
    // Raises the steel of a biaxially bent section until N ≤ Nu of 6.2.21.
    void CheckBiaxial(float n);
    bool Shear(float v, float width, float depth, float& a);
    // Shear resistance of the concrete with the axial force (N).
    float ConcreteShear(float width, float depth, float* lambda_out = nullptr) const;
    float MinTension(float n, float width, float depth) const;
    virtual void DefaultMinimum();
};

// Asymmetric steel.
class PJ_COLUMN_FDC : public PJ_COLUMN {
public:
    PJ_COLUMN_FDC() { symmetric = 0; }
};

// Blast design, symmetric or asymmetric as the Ini flag says.
class PJ_COLUMN_KV : public PJ_COLUMN {
public:
    PJ_COLUMN_KV() { dynamic = 1; }
    using PJ_COLUMN::Ini;
    // Grades, seismic grade, cover, factor on fc of the normal-section design
    // (0.8 under blast), steam-curing flag, symmetric flag, η switch, axial force
    // in shear, reserved, protective member kind, factor on the concrete's shear
    // strength (≤ 0 reads 1.0).
    virtual void Ini(int con_grade, int bar_grade, int stirrup_grade, int seismic, int as_in, float factor,
                     int steam, int sym, int eta, int axial_in_shear, int reserved, int kv_type, float beta);
    virtual void Set_min_PJ(float side, float total);
    // Writes the steel ratio lines of the last PianLaYa for the x (true) or y direction.
    virtual void Out_Message_KV(std::FILE* fp, bool x_direction);

protected:
    void DefaultMinimum() override;
};

class PJ_COLUMN_FDC_KV : public PJ_COLUMN_KV {
public:
    PJ_COLUMN_FDC_KV() { symmetric = 0; }
    using PJ_COLUMN_KV::Ini;
    using PJ_COLUMN::set_value;
    // Grades, seismic grade, cover, factor on fc, steam-curing flag, axial force
    // in shear, protective member kind, factor on the concrete's shear strength.
    virtual void Ini(int con_grade, int bar_grade, int stirrup_grade, int seismic, int as_in, float factor,
                     int steam, int axial_in_shear, int kv_type, float beta);
    virtual void set_value(float Mx, float Vx, float My, float Vy, float N, float b, float h, float l0, int type,
                           int reserved);
};

// Shear of a wall or slab strip with its axial force, from the public b, h, l0, V, N.
class PJ_COLUMN_DC_KV : public PJ_COLUMN_KV {
public:
    using PJ_COLUMN_KV::Ini;
    virtual void Ini(int con_grade, int bar_grade, int stirrup_grade, int seismic, int as_in, float factor,
                     int steam, int axial_in_shear, int kv_type, float beta);
    int LaYaJian_y() override;
    float V = 0;
};

// Design moment with the second-order effect of the axial force, N·mm.
// M the section's first-order moment, N the axial force (magnitude), M1 and M2 the
// member's end moments, h0 and h the effective and the whole depth, l0 the
// effective length, A the area (mm²), ea the additional eccentricity, the concrete
// grade; `report` (optional) receives the calculation lines.
float GetZhuErJieWanJu(float M, float N, float M1, float M2, float h0, float h, float l0, float A, float ea,
                       int con_grade, std::FILE* report = nullptr);

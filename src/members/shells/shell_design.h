#pragma once
// Section design shared by the shell engines: a unit strip of shell or an edge
// member under bending with axial force, through the blast-design column object.
#include <algorithm>
#include <cmath>

#include "base/error.h"
#include "design/pj_column.h"

namespace kv::shells {

// The design inputs the shells share.
struct SectionSettings {
    int concrete_grade, as, steam_cured, rebar_mode;
    float beam_ini_factor;
};

// Ini of a design object for the bars `bar` (third value `third`).
void IniSection(PJ_COLUMN_KV& column, const SectionSettings& s, int bar, int third);

// Designs M (N·mm) with N (N, tension positive) on width b and depth h (mm); a
// section without depth is taken at half the width as a section of type 1. The
// first result goes to the tension face of M: symmetric reinforcement (mode 0)
// puts it on both faces.
void DesignSection(PJ_COLUMN_KV& column, int rebar_mode, float M, float N, float b, float h, float& top,
                   float& bottom);

// The shell's concrete grade is known to the property table; otherwise says so
// (a hand-edited file may carry any number) and gives false.
bool KnownConcrete(int grade);
// The same for a bar grade: a grade without strength would ask for endless bars.
bool KnownBars(int grade);

// Principal direction of the membrane forces; −π/4 where Nx equals Ny.
float PrincipalAngle(float Nx, float Ny, float S);

// Principal membrane forces and their direction.
void PrincipalForces(float Nx, float Ny, float S, float& Nmax, float& Nmin, float& Alfa);

// One metre of shell of thickness h (m) under M (kN·m/m) with N (kN/m): the
// design's top and bottom areas for the bars `bar`.
void DesignShellStrip(const SectionSettings& s, int bar, float M, float N, float h, float width, float& top,
                      float& bottom);

// Error-channel code of the stress checks.
inline constexpr int kCheckMessage = 1;

// Face stresses of a point in x and then y, each direction's tension check (err
// 1, 3), its reinforcement by `design`(M, N, h, top, bottom) and its compression
// check (err 2, 4); `messages` in that order: x tension, x compression, y tension,
// y compression.
template <typename Record, typename Design>
void CheckFaces(Record& p, float h, float ftd, float fcd, const char* const (&messages)[4], Design design) {
    const float A = 1000 * h, W = 166.66667f * h * h;  // W = 1000·h²/6
    struct Direction {
        float N, M;
        float *sigma, *as;
    } const directions[2] = {{p.Nx, p.Mx, p.sigma_x, p.as_x}, {p.Ny, p.My, p.sigma_y, p.as_y}};
    for (int k = 0; k < 2; ++k) {
        const Direction& d = directions[k];
        d.sigma[0] = d.N / A + d.M / W;
        if (d.sigma[0] > 4 * ftd) {
            p.err = 2 * k + 1;
            tell_error1(kCheckMessage, messages[2 * k], p.no);
        }
        design(d.M, d.N, h, d.as[0], d.as[1]);
        d.sigma[1] = d.N / A - d.M / W;
        if (std::fabs(d.sigma[1]) > fcd) {
            p.err = 2 * k + 2;
            tell_error1(kCheckMessage, messages[2 * k + 1], p.no);
        }
    }
}

// The largest shell reinforcement over the points: x top, x bottom, y top, y bottom.
template <typename Record>
void LargestReinforcement(const Record* points, int count, float (&as_min)[4]) {
    std::fill(as_min, as_min + 4, 0.0f);
    for (int k = 0; k < count; ++k) {
        as_min[0] = std::max(as_min[0], points[k].as_x[0]);
        as_min[1] = std::max(as_min[1], points[k].as_x[1]);
        as_min[2] = std::max(as_min[2], points[k].as_y[0]);
        as_min[3] = std::max(as_min[3], points[k].as_y[1]);
    }
}

}  // namespace kv::shells

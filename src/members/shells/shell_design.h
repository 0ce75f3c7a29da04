#pragma once
// Section design shared by the shell engines: a unit strip of shell or an edge
// member under bending with axial force, through the blast-design column object.
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

// Principal direction of the membrane forces; −π/4 where Nx equals Ny.
float PrincipalAngle(float Nx, float Ny, float S);

}  // namespace kv::shells

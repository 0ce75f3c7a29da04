#include "members/shells/shell_design.h"

#include <cmath>
#include <string>

#include "codes/material.h"
#include "platform/services.h"

namespace kv::shells {

void IniSection(PJ_COLUMN_KV& column, const SectionSettings& s, int bar, int third) {
    column.Ini(s.concrete_grade, bar, third, 0, s.as, s.beam_ini_factor, s.steam_cured, s.rebar_mode == 0 ? 1 : 0, 1,
               1, 0, 0, 1.0f);
}

void DesignSection(PJ_COLUMN_KV& column, int rebar_mode, float M, float N, float b, float h, float& top,
                   float& bottom) {
    if (h > 0) column.set_value(M, 0, 0, 0, N, b, h, 1000.0f, 0, 0, 2);
    else column.set_value(M, 0, 0, 0, N, 0.5f * b, h, 1000.0f, 1, 0, 2);
    column.PianLaYa();
    const float first = column.Asx, second = column.Asx1;
    if (rebar_mode == 0) {
        top = bottom = first;
    } else if (M >= 0) {
        top = first;
        bottom = second;
    } else {
        top = second;
        bottom = first;
    }
}

bool KnownConcrete(int grade) {
    Con_Prop prop{};
    if (get_rc_property(grade, &prop) && prop.Ec > 0) return true;
    kv::MessageBox("混凝土强度等级 C" + std::to_string(grade) + " 无材料数据, 请重新选择!");
    return false;
}

bool KnownBars(int grade) {
    Rein_Prop prop{};
    if (get_rein_property(grade, &prop) && prop.fy > 0) return true;
    kv::MessageBox("钢筋级别 " + std::to_string(grade) + " 无材料数据, 请重新选择!");
    return false;
}

float PrincipalAngle(float Nx, float Ny, float S) {
    if (Nx == Ny) return -0.7853982f;
    return std::atan2(2.0f * S, Ny - Nx) / 2.0f;
}

void PrincipalForces(float Nx, float Ny, float S, float& Nmax, float& Nmin, float& Alfa) {
    const float mean = (Nx + Ny) / 2, half = (Nx - Ny) / 2;
    const float radius = std::sqrt(half * half + S * S);
    Nmax = mean + radius;
    Nmin = mean - radius;
    Alfa = PrincipalAngle(Nx, Ny, S);
}

void DesignShellStrip(const SectionSettings& s, int bar, float M, float N, float h, float width, float& top,
                      float& bottom) {
    // Whole millimetres, as the section is drawn.
    const int hmm = static_cast<int>(h * 1000);
    const int bmm = static_cast<int>(width * 1000);
    PJ_COLUMN_KV column;
    IniSection(column, s, bar, 0);
    DesignSection(column, s.rebar_mode, M * 1.0e6f, N * 1000, static_cast<float>(bmm), static_cast<float>(hmm), top,
                  bottom);
}

}  // namespace kv::shells

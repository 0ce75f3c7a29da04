// Beam forces along an input beam, and the element end forces of the pin-force
// output.
#include "base/error.h"
#include "base/geometry.h"
#include "base/numeric.h"
#include "fem/beam_element.h"
#include "fem/binio.h"
#include "fem/mesh_files.h"
#include "fem/plate_element.h"
#include "fem/struc_ld_file.h"
#include "fem/yxy_force.h"
#include "fem/yxy_net.h"
#include "fem/yxy_tool.h"

#include <cmath>

namespace kv::fem {
namespace {

using kv::err::kFailure;

float Length(const beam_element_data& e) { return get_dist(e.x[0], e.y[0], e.x[1], e.y[1]); }

// The line loads of one element, in their order.
using ElementLoads = std::vector<const line_load*>;

ElementLoads LoadsOf(const std::vector<line_load>& loads, int element) {
    ElementLoads own;
    for (const line_load& q : loads)
        if (q.beam == element) own.push_back(&q);
    return own;
}

// From the file's index of the loads by element where it holds the loads kept.
ElementLoads LoadsOf(const net_dat_file& dat, int element) {
    const std::size_t e = static_cast<std::size_t>(element);
    if (element < 0 || dat.line_order.size() != dat.line.size() || e + 1 >= dat.line_start.size())
        return LoadsOf(dat.line, element);
    ElementLoads own;
    for (std::int32_t k = dat.line_start[e]; k < dat.line_start[e + 1]; ++k)
        own.push_back(&dat.line[static_cast<std::size_t>(dat.line_order[static_cast<std::size_t>(k)])]);
    return own;
}

// The element's nodal forces in its own axes: K·R·d less the fixed-end forces of
// its loads. The loads' intensities and forces act against w, hence negated.
void LocalEndForces(const beam_element_data& e, const float d[6], float E, float nu, const ElementLoads& loads,
                    float f[6], float u[6]) {
    float K[36] = {}, R[36];
    stiff_beam_local(K, e.x, e.y, e.J, e.I, E, nu);
    form_rotate_matrix(R, get_line_angle(e.x[0], e.y[0], e.x[1], e.y[1]));
    mut_matrix(R, d, u, 6, 6, 1);
    mut_matrix(K, u, f, 6, 6, 1);
    const float L = Length(e);
    for (const line_load* load : loads) {
        const line_load& q = *load;
        float fe[6] = {};
        if (q.kind == 1)
            cal_load_beam(fe, L, -q.v[0], -q.v[1], q.v[2], q.v[3]);
        else
            cal_eload_beam(fe, L, -q.v[0], q.v[1], q.v[2], q.v[3]);
        for (int i = 0; i < 6; ++i) f[i] -= fe[i];
    }
}

// End values of an element, from its local end forces.
struct ElementEnds {
    float L = 0;
    float f[6] = {}, u[6] = {};
};

ElementEnds EndsOf(const beam_element_data& e, const float d[6], float E, float nu, const ElementLoads& loads) {
    ElementEnds ends;
    ends.L = Length(e);
    LocalEndForces(e, d, E, nu, loads, ends.f, ends.u);
    return ends;
}

void ValuesAt(const ElementEnds& ends, const beam_element_data& e, float t, float E, const ElementLoads& loads,
              beam_point_force* out) {
    const float* f = ends.f;
    const float* u = ends.u;
    const float L = ends.L;
    out->M1 = f[2], out->M2 = -f[5];
    out->V1 = f[0], out->V2 = -f[3];
    out->T1 = -f[1], out->T2 = f[4];
    const float x = t * L;
    float M = (out->M1 + out->M2) / 2.0f + (t - 0.5f) * (out->M2 - out->M1);
    float V = out->V1;
    float sag = 0.0f;  // deflection of the loads on the fixed-ended element, in their own sense
    for (const line_load* load : loads) {
        const line_load& q = *load;
        const float* v = q.v;
        M += cal_load_m(L, x, q.kind, v[0], v[1], v[2], v[3]);
        V -= cal_load_resultant(L, x, q.kind, v[0], v[1], v[2], v[3]);
        if (q.kind == 1)
            sag += cal_defl_distri_load(v[0], v[2], v[3] - v[2], L, E, e.I, x) +
                   cal_defl_tri_load(v[1] - v[0], v[2], v[3] - v[2], L, E, e.I, x);
        else
            sag += cal_defl_con_load(v[0], 0.0f, v[3], L, E, e.I, x);
    }
    out->M = M;
    out->V = V;
    out->T = (out->T1 + out->T2) / 2.0f + (t - 0.5f) * (out->T2 - out->T1);
    out->w1 = u[0];
    out->w2 = u[3];
    // Loads act against w: their deflection counts negative in the sense of w.
    out->w = cal_defl_end(L, x, u[0], u[3], u[2], u[5]) - sag;
}

}  // namespace

void element_displacements(const int* eq, int count, const double* U, float* d) {
    for (int i = 0; i < count; ++i) d[i] = eq[i] > 0 ? static_cast<float>(U[eq[i] - 1]) : 0.0f;
}

int beam_element_offset(int beam, const net_pre_file& pre) { return YXY_NET::beam_element_offset(beam, &pre); }

void locate_station(int first, int last, float x, int* element, float* t) {
    int m = last - first;
    if (m < 0) m = 0;
    const int n = m + 1;
    const float h = 1.0f / static_cast<float>(n);
    const int k = static_cast<int>(x / h);
    *t = (x - static_cast<float>(k) * h) / h;
    *element = first + k;
}

void beam_force_at(const beam_element_data& e, int element, float t, const float d[6], float E, float nu,
                   const std::vector<line_load>& loads, beam_point_force* out) {
    const ElementLoads own = LoadsOf(loads, element);
    ValuesAt(EndsOf(e, d, E, nu, own), e, t, E, own, out);
}

float cal_defl_end(float L, float x, float w1, float w2, float r1, float r2) {
    const float s = x / L;
    return (1.0f - 3.0f * s * s + 2.0f * s * s * s) * w1 + (-x + 2.0f * x * x / L - x * x * x / (L * L)) * r1 +
           (3.0f * s * s - 2.0f * s * s * s) * w2 + (x * x / L - x * x * x / (L * L)) * r2;
}

float cal_defl_con_load(float P, float M0, float a, float L, float E, float I, float x) {
    const float b = L - a, ra = a / L, rb = b / L, s = x / L;
    const float EI = E * I;
    const float C = b * M0 / L * (2.0f - 3.0f * rb);
    const float B = -6.0f * M0 * a * b / (L * L * L);
    if (x <= a)
        return P * b * b * x * x * (3.0f * ra - (2.0f * ra + 1.0f) * s) / (6.0f * EI * L) +
               (3.0f * C * x * x + B * x * x * x) / (6.0f * EI);
    return -P * a * a * (L - x) * (L - x) * (ra - (2.0f * rb + 1.0f) * s) / (6.0f * EI * L) -
           ((C + M0) * (6.0f * x * L - 3.0f * x * x - 3.0f * L * L) -
            B * (2.0f * L * L * L - 3.0f * L * L * x + x * x * x)) /
               (6.0f * EI);
}

float cal_defl_distri_load(float q, float aa, float c, float L, float E, float I, float x) {
    const float t = aa + c / 2.0f, d = L - t;
    const float R = q * c * (12.0f * L * d * d - 8.0f * d * d * d + L * c * c - 2.0f * d * c * c) / (4.0f * L * L * L);
    const float M = -q * c * (12.0f * t * d * d - 3.0f * d * c * c + L * c * c) / (12.0f * L * L);
    float w6 = -R * x * x * x - 3.0f * M * x * x;
    if (x > aa && x <= aa + c) {
        const float r = x - aa;
        w6 += q * r * r * r * r / 4.0f;
    } else if (x > aa + c) {
        const float r = x - t;
        w6 += q * c * r * r * r + q * c * c * c * r / 4.0f;
    }
    return w6 / (6.0f * E * I);
}

float cal_defl_tri_load(float q, float aa, float c, float L, float E, float I, float x) {
    const float t = aa + 2.0f * c / 3.0f, d = L - t;
    const float R = q * c *
                    (18.0f * L * d * d - 12.0f * d * d * d + L * c * c - 2.0f * d * c * c - 4.0f * c * c * c / 45.0f) /
                    (12.0f * L * L * L);
    const float M = -q * c * (18.0f * t * d * d - 3.0f * d * c * c + L * c * c - 2.0f * c * c * c / 15.0f) /
                    (36.0f * L * L);
    float w6 = -R * x * x * x - 3.0f * M * x * x;
    if (x > aa && x <= aa + c) {
        const float r = x - aa;
        w6 += q * r * r * r * r * r / (20.0f * c);
    } else if (x > aa + c) {
        const float r = x - t;
        w6 += q * c * r * r * r / 2.0f + q * c * c * c * (r + 2.0f * c / 45.0f) / 12.0f;
    }
    return w6 / (6.0f * E * I);
}

void flange_moments(const beam_rec& beam, const float reactions[3], int flag, float out[2]) {
    // Values 13 .. 24 of the record are its foundation values.
    auto value = [&beam](int k) { return beam.foundation[k - 13]; };
    const int b12 = beam.b_alt;
    float arm[2];
    if (value(13) == 1) {
        arm[0] = static_cast<float>(value(16) - value(18));
        arm[1] = static_cast<float>(value(17) - value(19));
    } else {
        arm[0] = static_cast<float>(value(16) - b12 / 2);
        arm[1] = static_cast<float>(value(17) - b12 / 2);
    }
    for (float& a : arm) {
        if (a <= 0.0001f) a = 0.0001f;
        a /= 1000.0f;
    }
    float q = (reactions[0] + reactions[1] + reactions[2]) / 3.0f;
    if (flag == 1) q = q / static_cast<float>(value(16) + value(17)) / 1000.0f;
    out[0] = q * arm[0] * arm[0] / 2.0f;
    out[1] = q * arm[1] * arm[1] / 2.0f;
}

int out_force_beam(int load_case, int beam, const struc_ld_file& struc, const net_pre_file& pre,
                   const net_dat_file& dat, const FreedomIds& id, const double* U, std::FILE* force,
                   int flange_flag) {
    if (beam < 0 || static_cast<std::size_t>(beam) >= struc.beams.size() ||
        static_cast<std::size_t>(beam) >= pre.beams.size() || pre.beams[beam].num < 2) {
        tell_error1(kFailure, "Beam %d error in out_force_beam", beam + 1);
        return 0;
    }
    const int first = beam_element_offset(beam, pre);
    const int last = first + pre.beams[beam].num - 2;
    const float E = dat.beam_E, nu = dat.beam_mu;

    // Stations in one element share its end forces: worked out once per element,
    // so that a load error is told once.
    int held = -1;
    beam_element_data e;
    ElementEnds ends;
    ElementLoads loads;
    auto at = [&](int element, float t, beam_point_force* out) {
        if (element != held) {
            if (!get_beam_element(element, dat, id, &e)) return false;
            float d[6];
            element_displacements(e.eq, 6, U, d);
            loads = LoadsOf(dat, element);
            ends = EndsOf(e, d, E, nu, loads);
            held = element;
        }
        ValuesAt(ends, e, t, E, loads, out);
        return true;
    };

    beam_force r;
    r.beam = beam;
    r.b = static_cast<float>(struc.beams[beam].b);
    r.h = static_cast<float>(struc.beams[beam].h);
    beam_point_force p;
    if (!at(first, 0.0f, &p)) return 0;
    r.x1 = e.x[0], r.y1 = e.y[0];
    r.Ms[0] = p.M1, r.Vs[0] = p.V1, r.Ts[0] = p.T1, r.Ws[0] = 1000.0f * p.w1;
    for (int s = 1; s <= 7; ++s) {
        int element;
        float t;
        locate_station(first, last, static_cast<float>(s) / 8.0f, &element, &t);
        if (!at(element, t, &p)) return 0;
        r.Ms[s] = p.M, r.Vs[s] = p.V, r.Ts[s] = p.T, r.Ws[s] = 1000.0f * p.w;
    }
    if (!at(last, 1.0f, &p)) return 0;
    r.x2 = e.x[1], r.y2 = e.y[1];
    r.Ms[8] = p.M2, r.Vs[8] = p.V2, r.Ts[8] = p.T2, r.Ws[8] = 1000.0f * p.w2;
    for (int k = 0; k < 3; ++k) {
        r.M[k] = r.Ms[4 * k];
        r.V[k] = r.Vs[4 * k];
        r.T[k] = r.Ts[4 * k];
    }

    const beam_rec& b = struc.beams[beam];
    if (b.kind == 4 || b.kind == 14) {
        float reactions[3] = {};
        // Without soil there is no "FL_LIANG.FB": the open tells it and the stage stops.
        YXY_TOOL tool;
        tool.Get_FL_yxy_Liang(beam, load_case, reactions);
        flange_moments(b, reactions, flange_flag, r.flange);
    }

    if (std::fseek(force, 0, SEEK_END) != 0 || !bin::put_words(force, &r, kWordsOf<beam_force>)) {
        tell_error(kFailure, "Write file error in FORCE.FB");
        return 0;
    }
    tell_error1(kv::err::kNotice, "   M : %8.2f, %8.2f, %8.2f", r.M[0], r.M[1], r.M[2]);
    tell_error1(kv::err::kNotice, "   V : %8.2f,          %8.2f", r.V[0], r.V[2]);
    tell_error1(kv::err::kNotice, "   T : %8.2f,          %8.2f\n", r.T[0], r.T[2]);
    return 1;
}

namespace {

int EndForces(const beam_element_data& e, const float d[6], float E, float nu, const ElementLoads& loads, float F[6]) {
    float K[36] = {}, R[36], u[6], f[6];
    if (!stiff_beam_local(K, e.x, e.y, e.J, e.I, E, nu)) return 0;
    form_rotate_matrix(R, get_line_angle(e.x[0], e.y[0], e.x[1], e.y[1]));
    mut_matrix(R, d, u, 6, 6, 1);
    mut_matrix(K, u, f, 6, 6, 1);
    mut_matrix_1(R, f, F, 6, 6, 1);
    const float L = Length(e);
    for (const line_load* load : loads) {
        const line_load& q = *load;
        float fe[6] = {}, Fe[6];
        if (q.kind == 1)
            cal_load_beam(fe, L, -q.v[0], -q.v[1], q.v[2], q.v[3]);
        else
            cal_eload_beam(fe, L, -q.v[0], q.v[1], q.v[2], q.v[3]);
        if (JS_ERROR_CODE) return 0;
        mut_matrix_1(R, fe, Fe, 6, 6, 1);
        for (int i = 0; i < 6; ++i) F[i] -= Fe[i];
    }
    return 1;
}

}  // namespace

int beam_end_force(const beam_element_data& e, int element, const float d[6], float E, float nu,
                   const std::vector<line_load>& loads, float F[6]) {
    return EndForces(e, d, E, nu, LoadsOf(loads, element), F);
}

int out_pin_beam(int element, const net_dat_file& dat, const FreedomIds& id, const double* U, float* pins) {
    beam_element_data e;
    if (!get_beam_element(element, dat, id, &e)) return 0;
    float d[6], F[6];
    element_displacements(e.eq, 6, U, d);
    if (!EndForces(e, d, dat.beam_E, dat.beam_mu, LoadsOf(dat, element), F)) return 0;
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < 3; ++i) pins[3 * e.node[k] + i] += F[3 * k + i];
    return 1;
}

int plate_end_force(plate_element& plate, const plate_element_data& e, int element, const float d[9], float E,
                    float nu, const std::vector<distri_load>& loads, float F[9]) {
    if (!plate.cal_end_force(F, e.x, e.y, d, e.thick, E, nu)) return 0;
    for (const distri_load& q : loads) {
        if (q.plate != element) continue;
        float fe[9] = {};
        if (!plate.cal_load_plate(fe, e.x, e.y, -q.q)) return 0;
        for (int i = 0; i < 9; ++i) F[i] -= fe[i];
    }
    return 1;
}

int out_pin_plate(int element, plate_element& plate, const net_dat_file& dat, const FreedomIds& id,
                  const double* U, float* pins) {
    plate_element_data e;
    if (!get_plate_element(element, dat, id, &e)) return 0;
    float d[9], F[9];
    element_displacements(e.eq, 9, U, d);
    if (!plate_end_force(plate, e, element, d, dat.plate_E, dat.plate_mu, dat.distri, F)) return 0;
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 3; ++i) pins[3 * e.node[k] + i] += F[3 * k + i];
    return 1;
}

}  // namespace kv::fem

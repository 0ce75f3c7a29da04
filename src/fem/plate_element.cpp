#include "fem/plate_element.h"

#include <cmath>

#include "base/error.h"
#include "base/geometry.h"
#include "base/numeric.h"
#include "fem/mesh_files.h"

namespace kv::fem {
namespace {

// The stiffness and the load integrate over the three edge midpoints.
constexpr int kStiffRule = 1;

void Zero(float* m, int count) {
    for (int i = 0; i < count; ++i) m[i] = 0.0f;
}

// Second derivatives of the terms of the cubic in the area coordinates: the
// symmetric 3 x 3 Hessian of each of the nine terms at (l1, l2, l3).
void TermHessians(float H[9][3][3], const float L[3]) {
    for (int k = 0; k < 9; ++k)
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) H[k][i][j] = 0.0f;
    // La²·Lb + L1·L2·L3/2 for the six cubic terms, in the order of shape_terms.
    static constexpr int kPairs[6][2] = {{0, 1}, {1, 2}, {2, 0}, {0, 2}, {1, 0}, {2, 1}};
    for (int t = 0; t < 6; ++t) {
        const int a = kPairs[t][0], b = kPairs[t][1];
        float(*h)[3] = H[3 + t];
        h[a][a] += 2.0f * L[b];
        h[a][b] += 2.0f * L[a];
        h[b][a] += 2.0f * L[a];
        // The shared bubble L1·L2·L3/2.
        h[0][1] += 0.5f * L[2];
        h[1][0] += 0.5f * L[2];
        h[0][2] += 0.5f * L[1];
        h[2][0] += 0.5f * L[1];
        h[1][2] += 0.5f * L[0];
        h[2][1] += 0.5f * L[0];
    }
}

}  // namespace

plate_element::plate_element() {
    const float third = 1.0f / 3.0f;
    auto point = [this](int rule, int n, float l1, float l2, float l3, float w) {
        gauss[rule][n][0] = l1;
        gauss[rule][n][1] = l2;
        gauss[rule][n][2] = l3;
        gauss[rule][n][3] = w;
    };
    point(0, 0, third, third, third, 1.0f);

    point(1, 0, 0.5f, 0.5f, 0.0f, third);
    point(1, 1, 0.0f, 0.5f, 0.5f, third);
    point(1, 2, 0.5f, 0.0f, 0.5f, third);

    point(2, 0, third, third, third, -0.5625f);
    point(2, 1, 0.6f, 0.2f, 0.2f, 0.5208333f);
    point(2, 2, 0.2f, 0.6f, 0.2f, 0.5208333f);
    point(2, 3, 0.2f, 0.2f, 0.6f, 0.5208333f);

    point(3, 0, third, third, third, 0.225f);
    point(3, 1, 0.1012865f, 0.1012865f, 0.797427f, 0.1259392f);
    point(3, 2, 0.1012865f, 0.797427f, 0.1012865f, 0.1259392f);
    point(3, 3, 0.797427f, 0.1012865f, 0.1012865f, 0.1259392f);
    point(3, 4, 0.4701421f, 0.4701421f, 0.0597159f, 0.1323941f);
    point(3, 5, 0.4701421f, 0.0597159f, 0.4701421f, 0.1323941f);
    point(3, 6, 0.0597159f, 0.4701421f, 0.4701421f, 0.1323941f);
}

void plate_element::cal_bcfa(const float x[3], const float y[3]) {
    b1 = y[1] - y[2];
    b2 = y[2] - y[0];
    b3 = y[0] - y[1];
    c1 = x[2] - x[1];
    c2 = x[0] - x[2];
    c3 = x[1] - x[0];
    e1 = -(b2 * b3 + c2 * c3);
    e2 = -(b3 * b1 + c3 * c1);
    e3 = -(b1 * b2 + c1 * c2);
    A = area_tri(x[0], y[0], x[1], y[1], x[2], y[2]);
    if (!(A > 0.0f)) tell_error(kv::err::kWarning, "Area negative in cal_bcfa");
}

void plate_element::cal_d_matrix(float D[9], float E, float nu, float t) {
    const float d = E * t * t * t / (12.0f * (1.0f - nu * nu));
    Zero(D, 9);
    D[0] = d;
    D[1] = nu * d;
    D[3] = nu * d;
    D[4] = d;
    D[8] = (1.0f - nu) / 2.0f * d;
}

void plate_element::form_coef(float m[81]) const {
    const float a = (e2 + e3) / (12.0f * A);
    const float b = (e1 + e3) / (12.0f * A);
    const float c = (e1 + e2) / (12.0f * A);
    const float rows[9][9] = {
        {0, -1, 1, 0, 0, 0, 0, 0, 0},
        {1, 0, -1, 0, 0, 0, 0, 0, 0},
        {0, 0, 0, -1, -1, -1, 1, 1, 1},
        {0, 6, 6, 0, 1, 0, 0, 0, 1},
        {6, 0, 6, 0, 0, 1, 1, 0, 0},
        {6, 6, 0, 1, 0, 0, 0, 1, 0},
        {(e2 + e3) / A, -e3 / A, -e2 / A, a, -3 * a, 5 * a, a, 5 * a, -3 * a},
        {-e3 / A, (e3 + e1) / A, -e1 / A, 5 * b, b, -3 * b, -3 * b, b, 5 * b},
        {-e2 / A, -e1 / A, (e1 + e2) / A, -3 * c, 5 * c, c, 5 * c, -3 * c, c},
    };
    for (int i = 0; i < 9; ++i)
        for (int j = 0; j < 9; ++j) m[i * 9 + j] = rows[i][j];
}

void plate_element::form_coef_bc(float m[81]) const {
    // Columns: w1, θx1, θy1, w2, θx2, θy2, w3, θx3, θy3.
    const float rows[9][9] = {
        {0, 0, 0, -1, 0, 0, 1, 0, 0},
        {1, 0, 0, 0, 0, 0, -1, 0, 0},
        {0, -b1, -c1, 0, -b2, -c2, 0, -b3, -c3},
        {0, 0, 0, 6, -b1, -c1, 6, b1, c1},
        {6, b2, c2, 0, 0, 0, 6, -b2, -c2},
        {6, -b3, -c3, 6, b3, c3, 0, 0, 0},
        {0, 0, 0, 0, c1, -b1, 0, c1, -b1},
        {0, c2, -b2, 0, 0, 0, 0, c2, -b2},
        {0, c3, -b3, 0, c3, -b3, 0, 0, 0},
    };
    for (int i = 0; i < 9; ++i)
        for (int j = 0; j < 9; ++j) m[i * 9 + j] = rows[i][j];
}

int plate_element::form_inverse() {
    float a[81];
    form_coef(a);
    form_coef_bc(C);
    return gaussj(a, 9, C, 9);
}

void plate_element::shape_terms(float P[9]) const {
    const float h = L1 * L2 * L3 / 2.0f;
    P[0] = L1;
    P[1] = L2;
    P[2] = L3;
    P[3] = L1 * L1 * L2 + h;
    P[4] = L2 * L2 * L3 + h;
    P[5] = L3 * L3 * L1 + h;
    P[6] = L1 * L1 * L3 + h;
    P[7] = L2 * L2 * L1 + h;
    P[8] = L3 * L3 * L2 + h;
}

void plate_element::curv_terms(float Q[27]) const {
    const float L[3] = {L1, L2, L3};
    float H[9][3][3];
    TermHessians(H, L);
    const float b[3] = {b1, b2, b3};
    const float c[3] = {c1, c2, c3};
    // ∂L_i/∂x = b_i/2A, ∂L_i/∂y = c_i/2A.
    const float s = 1.0f / (4.0f * A * A);
    for (int k = 0; k < 9; ++k) {
        float xx = 0, yy = 0, xy = 0;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                xx += H[k][i][j] * b[i] * b[j];
                yy += H[k][i][j] * c[i] * c[j];
                xy += H[k][i][j] * b[i] * c[j];
            }
        Q[k] = -xx * s;
        Q[9 + k] = -yy * s;
        Q[18 + k] = -2.0f * xy * s;
    }
}

void plate_element::cal_n_vector(float N[9]) const {
    float P[9];
    shape_terms(P);
    mut_matrix(P, C, N, 1, 9, 9);
}

void plate_element::cal_b_matrix(float B[27]) const {
    float Q[27];
    curv_terms(Q);
    mut_matrix(Q, C, B, 3, 9, 9);
}

void plate_element::cal_correction(float out[3]) const {
    // φ = 3(L1² + L2² + L3²) + 18·L1·L2·L3.
    const float L[3] = {L1, L2, L3};
    float H[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) H[i][j] = i == j ? 6.0f : 18.0f * L[3 - i - j];
    const float b[3] = {b1, b2, b3};
    const float c[3] = {c1, c2, c3};
    const float s = 1.0f / (4.0f * A * A);
    float xx = 0, yy = 0, xy = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            xx += H[i][j] * b[i] * b[j];
            yy += H[i][j] * c[i] * c[j];
            xy += H[i][j] * b[i] * c[j];
        }
    out[0] = -xx * s;
    out[1] = -yy * s;
    out[2] = -2.0f * xy * s;
}

int plate_element::integrate_stiffness(float K0[81], float s[9], float* k, const float x[3],
                                       const float y[3], float t, float E, float nu) {
    cal_bcfa(x, y);
    float D[9];
    cal_d_matrix(D, E, nu, t);
    if (!form_inverse()) return 0;
    Zero(K0, 81);
    Zero(s, 9);
    *k = 0.0f;
    for (int g = 0; g < gauss_num[kStiffRule]; ++g) {
        const float* p = gauss[kStiffRule][g];
        set_point(p[0], p[1], p[2]);
        const float w = A * p[3];
        float B[27], DB[27], c[3], Dc[3];
        cal_b_matrix(B);
        cal_correction(c);
        mut_matrix(D, B, DB, 3, 3, 9);
        mut_matrix(D, c, Dc, 3, 3, 1);
        for (int i = 0; i < 9; ++i) {
            for (int j = 0; j < 9; ++j)
                K0[i * 9 + j] += w * (B[i] * DB[j] + B[9 + i] * DB[9 + j] + B[18 + i] * DB[18 + j]);
            s[i] += w * (c[0] * DB[i] + c[1] * DB[9 + i] + c[2] * DB[18 + i]);
        }
        *k += w * (c[0] * Dc[0] + c[1] * Dc[1] + c[2] * Dc[2]);
    }
    return 1;
}

int plate_element::cal_stiff_plate(float K[81], const float x[3], const float y[3], float t,
                                   float E, float nu) {
    float s[9], k = 0;
    if (!integrate_stiffness(K, s, &k, x, y, t, E, nu)) return 0;
    // The correction mode is internal to the element: condense it out.
    for (int i = 0; i < 9; ++i)
        for (int j = 0; j < 9; ++j) K[i * 9 + j] -= s[i] * s[j] / k;
    return 1;
}

int plate_element::cal_stiff_plate_plain(float K[81], const float x[3], const float y[3], float t,
                                         float E, float nu) {
    float s[9], k = 0;
    return integrate_stiffness(K, s, &k, x, y, t, E, nu);
}

int plate_element::cal_load_plate(float f[9], const float x[3], const float y[3], float p) {
    cal_bcfa(x, y);
    if (!form_inverse()) return 0;
    Zero(f, 9);
    for (int g = 0; g < gauss_num[kStiffRule]; ++g) {
        const float* q = gauss[kStiffRule][g];
        set_point(q[0], q[1], q[2]);
        float N[9];
        cal_n_vector(N);
        for (int i = 0; i < 9; ++i) f[i] += A * q[3] * N[i] * p;
    }
    return 1;
}

int plate_element::cal_end_force(float f[9], const float x[3], const float y[3], const float u[9],
                                 float t, float E, float nu) {
    float K[81];
    if (!cal_stiff_plate_plain(K, x, y, t, E, nu)) return 0;
    mut_matrix(K, u, f, 9, 9, 1);
    return 1;
}

void plate_element::moment_at(float m[3], const float D[9], const float u[9]) const {
    float B[27], kappa[3];
    cal_b_matrix(B);
    mut_matrix(B, u, kappa, 3, 9, 1);
    mut_matrix(D, kappa, m, 3, 3, 1);
}

int plate_element::cal_plate_moment(float m[9], const float x[3], const float y[3], const float u[9],
                                    float t, float E, float nu) {
    cal_bcfa(x, y);
    float D[9];
    cal_d_matrix(D, E, nu, t);
    if (!form_inverse()) return 0;
    for (int n = 0; n < 3; ++n) {
        set_point(n == 0 ? 1.0f : 0.0f, n == 1 ? 1.0f : 0.0f, n == 2 ? 1.0f : 0.0f);
        moment_at(m + 3 * n, D, u);
    }
    return 1;
}

int plate_element::cal_plate_moment_mid(float m[9], const float x[3], const float y[3],
                                        const float u[9], float t, float E, float nu) {
    cal_bcfa(x, y);
    float D[9];
    cal_d_matrix(D, E, nu, t);
    if (!form_inverse()) return 0;
    // Midpoints of the edges opposite node 1, 2, 3.
    float mid[3][3];
    set_point(0.0f, 0.5f, 0.5f);
    moment_at(mid[0], D, u);
    set_point(0.5f, 0.0f, 0.5f);
    moment_at(mid[1], D, u);
    set_point(0.5f, 0.5f, 0.0f);
    moment_at(mid[2], D, u);
    // A node's two edges are the ones not opposite it.
    for (int n = 0; n < 3; ++n) {
        const int p = (n + 1) % 3, q = (n + 2) % 3;
        for (int r = 0; r < 3; ++r) m[3 * n + r] = (mid[p][r] + mid[q][r]) / 2.0f;
    }
    return 1;
}

namespace {

bool NodeKnown(int node, const net_dat_file& dat, const std::vector<std::int32_t> (&id)[3]) {
    if (node < 0 || static_cast<std::size_t>(node) >= dat.x.size() ||
        static_cast<std::size_t>(node) >= dat.y.size())
        return false;
    for (const auto& column : id)
        if (static_cast<std::size_t>(node) >= column.size()) return false;
    return true;
}

}  // namespace

bool get_beam_element(int index, const net_dat_file& dat, const std::vector<std::int32_t> (&id)[3],
                      beam_element_data* element) {
    if (index < 0 || static_cast<std::size_t>(index) >= dat.beams.size() ||
        !NodeKnown(dat.beams[index].i, dat, id) || !NodeKnown(dat.beams[index].j, dat, id)) {
        tell_error1(kv::err::kFailure, "Beam element %d error in get_beam_element", index);
        return false;
    }
    const net_beam_ele& e = dat.beams[index];
    const int nodes[2] = {e.i, e.j};
    for (int n = 0; n < 2; ++n) {
        element->node[n] = nodes[n];
        element->x[n] = dat.x[nodes[n]];
        element->y[n] = dat.y[nodes[n]];
        for (int f = 0; f < 3; ++f) element->eq[3 * n + f] = id[f][nodes[n]];
    }
    element->J = e.J / 1.0e12f;
    element->I = e.I / 1.0e12f;
    element->offset = static_cast<float>(e.offset1) / 1000.0f;
    element->eccentric = static_cast<float>(e.offset2) / 1000.0f;
    return true;
}

bool get_plate_element(int index, const net_dat_file& dat, const std::vector<std::int32_t> (&id)[3],
                       plate_element_data* element) {
    if (index < 0 || static_cast<std::size_t>(index) >= dat.plates.size() ||
        !NodeKnown(dat.plates[index].a, dat, id) || !NodeKnown(dat.plates[index].b, dat, id) ||
        !NodeKnown(dat.plates[index].c, dat, id)) {
        tell_error1(kv::err::kFailure, "Plate element %d error in get_plate_element", index);
        return false;
    }
    const net_plate_ele& e = dat.plates[index];
    const int nodes[3] = {e.a, e.b, e.c};
    for (int n = 0; n < 3; ++n) {
        element->node[n] = nodes[n];
        element->x[n] = dat.x[nodes[n]];
        element->y[n] = dat.y[nodes[n]];
        for (int f = 0; f < 3; ++f) element->eq[3 * n + f] = id[f][nodes[n]];
    }
    element->thick = static_cast<float>(e.thick) / 1000.0f;
    return true;
}

}  // namespace kv::fem

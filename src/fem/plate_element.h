#pragma once
// The three-node plate bending triangle of the finite-element library (nine
// freedoms: w, rotation about x, rotation about y at each node, in the order of
// the element record) and the unpacking of beam and plate elements from the
// element data file.
//
// The deflection is a cubic in the area coordinates whose nine coefficients
// follow from the nodal freedoms through weak (integrated) continuity of the
// normal slope along the edges; one extra curvature mode is condensed out of the
// stiffness. Element matrices are row-major, single precision. Units: m, kN/m²,
// thickness in m.
#include <cstdint>
#include <vector>

class net_dat_file;

namespace kv::fem {

class plate_element {
public:
    // Fills the integration table.
    plate_element();

    // b, c, e and the area of the triangle (x[i], y[i]); a triangle without a
    // positive area is warned about (101) and the values go on as computed.
    void cal_bcfa(const float x[3], const float y[3]);
    // Bending rigidity (3 x 3) of a plate of thickness t.
    static void cal_d_matrix(float D[9], float E, float nu, float t);
    // The two sides of A·α = B·d for the current triangle.
    void form_coef(float a[81]) const;
    void form_coef_bc(float b[81]) const;
    // C = A⁻¹·B (Gauss-Jordan). 1 on success; 0 when A is singular (told, 301).
    int form_inverse();

    // At the current area coordinates L1, L2, L3:
    void shape_terms(float P[9]) const;    // the nine terms of the cubic
    void curv_terms(float Q[27]) const;    // (-∂²/∂x², -∂²/∂y², -2∂²/∂x∂y) of each term
    void cal_n_vector(float N[9]) const;   // w = N·d
    void cal_b_matrix(float B[27]) const;  // curvatures = B·d
    void cal_correction(float c[3]) const;  // curvatures of the correction mode
    void set_point(float l1, float l2, float l3) {
        L1 = l1;
        L2 = l2;
        L3 = l3;
    }

    // Stiffness (9 x 9) with the correction mode condensed out. 1 on success.
    int cal_stiff_plate(float K[81], const float x[3], const float y[3], float t, float E, float nu);
    // The stiffness without the correction (the end forces use it).
    int cal_stiff_plate_plain(float K[81], const float x[3], const float y[3], float t, float E,
                              float nu);
    // Consistent nodal loads of a uniform pressure p (the assembly passes it negated).
    int cal_load_plate(float f[9], const float x[3], const float y[3], float p);
    // Plain stiffness × u.
    int cal_end_force(float f[9], const float x[3], const float y[3], const float u[9], float t,
                      float E, float nu);
    // (Mx, My, Mxy) at node 1, node 2, node 3.
    int cal_plate_moment(float m[9], const float x[3], const float y[3], const float u[9], float t,
                         float E, float nu);
    // The same, each node's the mean of the values at the midpoints of its two edges.
    int cal_plate_moment_mid(float m[9], const float x[3], const float y[3], const float u[9],
                             float t, float E, float nu);

    float L1 = 0, L2 = 0, L3 = 0;
    float b1 = 0, b2 = 0, b3 = 0;
    float c1 = 0, c2 = 0, c3 = 0;
    float e1 = 0, e2 = 0, e3 = 0;
    float A = 0;
    float C[81] = {};
    // Four rules of up to seven points: L1, L2, L3, weight (weights sum to 1).
    float gauss[4][7][4] = {};
    int gauss_num[4] = {1, 3, 4, 7};

private:
    // D·B_κ·u at the current point (moments).
    void moment_at(float m[3], const float D[9], const float u[9]) const;
    // K0, and with the correction s and k, over the stiffness rule.
    int integrate_stiffness(float K0[81], float s[9], float* k, const float x[3], const float y[3],
                            float t, float E, float nu);
};

// A beam element as the stiffness and output stages use it.
struct beam_element_data {
    int node[2] = {};           // new node numbers
    float x[2] = {}, y[2] = {};  // m
    float J = 0, I = 0;         // m⁴
    float offset = 0;           // offset length, m
    float eccentric = 0;        // height of the section's centre, m
    int eq[6] = {};             // freedoms 1, 2, 3 of node i, then of node j; -1 restrained
};

struct plate_element_data {
    int node[3] = {};
    float x[3] = {}, y[3] = {};  // m
    float thick = 0;            // m
    int eq[9] = {};             // freedoms 1, 2, 3 of each node in order
};

// Unpacks element `index` from the loaded element data (nodes and elements read)
// and the equation numbers of freedoms 1, 2, 3 per node. An index or node outside
// the tables is refused (301) and the element is left as it was; returns false then.
bool get_beam_element(int index, const net_dat_file& dat, const std::vector<std::int32_t> (&id)[3],
                      beam_element_data* element);
bool get_plate_element(int index, const net_dat_file& dat, const std::vector<std::int32_t> (&id)[3],
                       plate_element_data* element);

}  // namespace kv::fem

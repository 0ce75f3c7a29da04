#pragma once
// The two-node grillage beam element of the finite-element library and the
// routines that add an element matrix into one block of the skyline matrix.
//
// Freedoms per node: w (deflection, upward positive; loads act downward), the
// twist about the element axis, the bending rotation (minus the slope of w from
// node i to node j); node i first. Element matrices are n x n, row-major, single
// precision; the block arrays of the skyline matrix are double precision.
//
// The continuous beam uses the same routines with a few stricter rules of its
// own; those are chosen by the Variant argument.

namespace kv::fem {

enum class Variant {
    kLibrary,         // the finite-element library
    kContinuousBeam,  // the continuous beam: see each routine
};

// Local stiffness (6 x 6) of the element between (x[0], y[0]) and (x[1], y[1]).
// The library variant puts 1.0001 on the first torsion diagonal; the continuous
// beam keeps G·J/L there. An element of length 1e-10 or less is refused with 201
// "算stiff_beam_local算梁单元长=0" and K is left as it was; returns false then.
bool stiff_beam_local(float K[36], const float x[2], const float y[2], float J, float I, float E,
                      float nu, Variant variant = Variant::kLibrary);

// Consistent nodal loads of a load varying linearly from q1 at aa to q2 at bb
// (distances from node i). A load whose end is not beyond its start: the library
// logs two lines (code 0) and gives zeros, returning true; the continuous beam
// reports the same two lines with 201, leaves f as it was and returns false.
bool cal_load_beam(float f[6], float L, float q1, float q2, float aa, float bb,
                   Variant variant = Variant::kLibrary);

// Consistent nodal loads of a force P, a moment M and a torque T at distance a.
// a > L is reported (201 "Load error in cal_eload_beam") and the action placed at
// L/2; returns false then.
bool cal_eload_beam(float f[6], float L, float P, float M, float T, float a);

// ∫ over [aa, bb] of (a0 + a1·x + a2·x² + a3·x³)·(s·x + c0) dx in closed form,
// summed term by term from the constant term up to x⁵. The library rounds the
// running sum to single precision after every term; the continuous beam does not.
double integ_cubic_linear(float a0, float a1, float a2, float a3, float s, float c0, float aa,
                          float bb, Variant variant = Variant::kLibrary);

// Simple-beam values at x for one element load. kind 1: a line load from v1 at
// v3 to v2 at v4 (q1, q2, aa, bb); any other kind: force v1 and moment v2 at v4
// (P, M, T, a; the torque v3 plays no part).
float cal_load_m(float L, float x, int kind, float v1, float v2, float v3, float v4);
float cal_load_resultant(float L, float x, int kind, float v1, float v2, float v3, float v4);
float cal_load_v(float L, float x, int kind, float v1, float v2, float v3, float v4);

// Local freedoms = R · global freedoms, α the direction of the line i → j.
void form_rotate_matrix(float R[36], float angle);
// Identity with T(0,2) = T(3,5) = e.
void form_offset_matrix(float T[36], float e);

// Skyline block tables: blockend[b] is the last column of block b (blockend[0] = 0),
// addr[d] the 1-based position of column d's diagonal counted from the start of the
// matrix (addr[0] = 0), firstrow[d] the first stored row of column d. Equation
// numbers count from 1; a number of 0 or less is no equation.

// 1 when an equation of the list lies in block `block`'s columns, else 0.
int ele_in_block(const int* eq, int count, int block, const int* blockend);

// Adds the n x n element matrix K into block `block` of a symmetric skyline matrix.
void add_ele_symmetri(int block, const float* K, int n, const int* eq, double* a,
                      const int* blockend, const int* addr, const int* firstrow);

// The same into the upper and the lower array of an unsymmetric one.
void add_ele_not_symmetri(int block, const float* K, int n, const int* eq, double* upper,
                          double* lower, const int* blockend, const int* addr, const int* firstrow);

}  // namespace kv::fem

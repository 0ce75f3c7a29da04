#pragma once
// The plastic base-reaction iteration of analysis type 3, and the dense soil
// flexibility that an elastic-soil run leaves at its end.
//
// The base rests on one spring per mesh node on its w (equation 3k + 1: these
// analyses restrain nothing); a spring is the node's reaction over its
// settlement in the layered soil, and the reactions that follow from the
// displacements are cut at zero and at the plastic limit times the node area,
// until they change by less than 1 %.
//
// "FDSOF1.FB" (dense): n rows of n floats, F(s, j) at byte (s·n + j)·4.
// "FDSTF.FB" (type 3): per load case g the n node reactions (floats, kN,
// upward on the base) at byte g·n·4. "STIFF2.FB": "STIFF1.FB" with the springs on
// the diagonal, factorised.
#include "fem/sf_coef_table.h"

#include <cstdint>
#include <cstdio>
#include <vector>

class net_dat_file;

class YXY_ITER {
public:
    // c = 1 refactorises in every iteration; any other value only in the first of
    // each load case, correcting the right-hand side for the changed springs after.
    void main_iter(int c);
    void prepare_softness();

    // The plastic limit pressure (kN/m²): 1000 until changed. main_iter asks for it
    // and reads it only from standard input that is not a terminal.
    float limit() const { return limit_; }
    void set_limit(float value) { limit_ = value; }

    // Rigid-base reactions from the load vector f: R_k = −a_k·p_k.
    void init_force(float* R, const double* f, int n);
    void cal_soil_softness_matrix(int n, const net_dat_file& nodes);
    // Springs k_i = R_i / w_i, w = F·R (|w| below 1e-20 taken as 1e-20).
    void cal_soil_defor(float* k, const float* R, int n);
    void add_diag_w(int block, double* a, const float* k, const std::int32_t* addr, const std::int32_t* blockend);
    // R_k = −u[3k]·k_k, cut at 0 and at limit × area.
    void cal_react_limit(float* R, const double* u, const float* k, int n);
    static float cal_tol(const float* a, const float* b, int n);
    static float cal_tol_d(const double* a, const double* b, int n);
    // Solves with the factorisation of the springs k_fact for the springs k, by
    // moving the change of the springs to the right-hand side; u holds the load
    // vector on entry and the displacements on return.
    int iter_equation(std::FILE* stiff, int blocks, int neq, int block_size, const std::int32_t* blockend,
                      const std::int32_t* addr, double* pivots, double* u, const float* k, const float* k_fact,
                      double* u_prev);

    std::vector<float> area;
    float base = 0.0f;

private:
    void run(int c);
    // Asks for the limit; reads it when standard input is a pipe or a file.
    void ask_limit();

    sf_coef_table table_;
    float limit_ = 1000.0f;
};

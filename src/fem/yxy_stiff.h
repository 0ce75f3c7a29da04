#pragma once
// The assembly stage: the global stiffness matrix block by block into
// "STIFF1.FB" (with the lower part of the unsymmetric matrix of the elastic-soil
// analysis in "STIFF2.FB"), then the right-hand sides of all load cases into
// "LOAD_V.FB" and their copy "LOAD_VB.FB". Only one block array (two for the
// unsymmetric matrix) is in memory at a time.
#include "fem/plate_element.h"

#include <cstdint>

class net_dat_file;
class freedom_file;

class YXY_STIFF {
public:
    YXY_STIFF();
    ~YXY_STIFF();

    // form: 1 unsymmetric (elastic soil), 2 symmetric, 3 symmetric for the plastic
    // iteration; work: 1 matrix, 2 load vectors, 3 both.
    void main_stiff(int form, int work);
    // The right-hand sides of every case.
    void load_vecter();
    // Adds the soil stiffness of "FDSTF.FB" (column m of K_soil at byte m·nodes·8)
    // to block b of the unsymmetric matrix: entry (w_i, w_j) grows by K_soil(i, j).
    // q is the first row any column of the block reaches. 1, or 0 with the error told.
    int sum_fd(int b, double* upper, double* lower, const std::int32_t* blockend, const std::int32_t* addr,
               const std::int32_t* first, int q, int nodes);
    // The soil analyses' base: node areas into "Area.fb", the soil weight above the
    // base into "Grav.fb" (logged, not added to the loads), and the rigid-base
    // resultant of every case logged.
    void load_vecter_pick_grav(int neq, int cases);

private:
    // The blocks of the symmetric matrix into "STIFF1.FB"; first[j] the first row of column j.
    int assemble(const net_dat_file& dat, const freedom_file& fr, const std::int32_t* first,
                 const std::int32_t* q);

    int form_ = 2;
    kv::fem::plate_element plate_;
};

// Copies "LOAD_V.FB" to "LOAD_VB.FB"; nothing while the error code is set.
void backup_load_v();
// Logs the sum of the node soil weights (kN).
void print_soil_weight(const float* weights, int n);

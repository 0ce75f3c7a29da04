#pragma once
// Internal forces of one load case, as the output stage writes them: the
// `beam_force` record of an input beam (moments, shears, torques and
// deflections at nine stations), the `plate_force` record of an input plate
// (edge and centre moments), and the element end forces that the pin-force
// output sums per node.
//
// Every routine works on readers that the caller has loaded: the structure file
// (input beams, plates), NET_PRE.FB (beam divisions, node index), NET_DAT.FB
// (nodes, elements and the case's loads) and the freedom numbers; U is the
// case's solution vector, U[n - 1] for equation n. Routines returning int give 1
// on success and 0 after a failure told on the error channel.
#include "fem/fem_records.h"
#include "fem/force_records.h"

#include <cstdint>
#include <cstdio>
#include <vector>

class struc_ld_file;
class net_pre_file;
class net_dat_file;
class index_p_file;

namespace kv::fem {

class plate_element;
struct beam_element_data;
struct plate_element_data;

using FreedomIds = std::vector<std::int32_t>[3];

// Element displacements: U[n - 1] for equation n > 0, 0 for a restrained freedom.
void element_displacements(const int* eq, int count, const double* U, float* d);

// Beam stations.
// The element of the beam `beam`'s first (NET_PRE.FB beam divisions loaded).
int beam_element_offset(int beam, const net_pre_file& pre);
// The element and local fraction t of the fraction x along a beam made of the
// elements first .. last.
void locate_station(int first, int last, float x, int* element, float* t);

// Values of one beam element at the local fraction t.
struct beam_point_force {
    float M1 = 0, M2 = 0, V1 = 0, V2 = 0, T1 = 0, T2 = 0;  // end values
    float M = 0, V = 0, T = 0;                          // at the point
    float w1 = 0, w2 = 0;                               // nodal deflections (local w)
    float w = 0;                                        // deflection at the point, in the sense of w
};
// `element` is the element's index (the line loads name it); d its six global
// displacements; `loads` the case's line loads of NET_DAT.FB.
void beam_force_at(const beam_element_data& e, int element, float t, const float d[6], float E, float nu,
                   const std::vector<line_load>& loads, beam_point_force* out);

// Deflections of a beam fixed at both ends, x from node 1 (floats).
float cal_defl_end(float L, float x, float w1, float w2, float r1, float r2);
float cal_defl_con_load(float P, float M0, float a, float L, float E, float I, float x);
float cal_defl_distri_load(float q, float aa, float c, float L, float E, float I, float x);
float cal_defl_tri_load(float q, float aa, float c, float L, float E, float I, float x);

// Flange moments of a foundation beam (kinds 4, 14) from its three base
// reactions (start, middle, end); `flag` 1 divides the mean by the base width.
void flange_moments(const beam_rec& beam, const float reactions[3], int flag, float out[2]);

// Fills and appends the record of input beam `beam` in case `load_case`.
// Readers: input beams; beam divisions; nodes, beam elements and the case's line
// loads. `flange_flag` is the output stage's flange-pressure flag.
int out_force_beam(int load_case, int beam, const struc_ld_file& struc, const net_pre_file& pre,
                   const net_dat_file& dat, const FreedomIds& id, const double* U, std::FILE* force,
                   int flange_flag);

// Element end forces in global directions (three per node), for the pin forces.
int beam_end_force(const beam_element_data& e, int element, const float d[6], float E, float nu,
                   const std::vector<line_load>& loads, float F[6]);
// Adds beam element `element`'s end forces to the node accumulators (3 per node).
int out_pin_beam(int element, const net_dat_file& dat, const FreedomIds& id, const double* U, float* pins);
int plate_end_force(plate_element& plate, const plate_element_data& e, int element, const float d[9], float E,
                    float nu, const std::vector<distri_load>& loads, float F[9]);
int out_pin_plate(int element, plate_element& plate, const net_dat_file& dat, const FreedomIds& id,
                  const double* U, float* pins);

// Plates.
// Fills and appends the record of input plate `plate` (0-based). Readers: input
// plates; the node index of NET_PRE.FB; nodes and plate triangles. Reads the
// plate's record of "INDEX_P.FB" itself.
int out_force_plate(int plate, const struc_ld_file& struc, const net_pre_file& pre, const net_dat_file& dat,
                    const FreedomIds& id, const double* U, plate_element& element, std::FILE* force);
// Moments averaged at every position of the plate's point list (its node numbers
// already those of NET_DAT.FB) over the triangles first .. first + count - 1.
int cal_plate_force(int first, int count, const net_dat_file& dat, const FreedomIds& id, const double* U,
                    const index_p_file& index, plate_element& element, std::vector<float>& Mx,
                    std::vector<float>& My, std::vector<float>& Mxy);
// Positions of the three nodes in the point list (-1 for one not there, told).
int get_new_node_num(const int node[3], int position[3], const index_p_file& index);
// Position of the inner point nearest (x, y); without inner points the last
// boundary point.
int nearest_index_point(float x, float y, const net_dat_file& dat, const index_p_file& index);
void rotate_moment(float Mx, float My, float Mxy, float theta, float* mx, float* my, float* mxy);

}  // namespace kv::fem

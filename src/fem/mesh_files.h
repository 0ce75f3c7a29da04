#pragma once
// The mesh stage's files and their readers. All three are little-endian int32 /
// float32 with nothing between values; node numbers are 0-based, "old" ones those
// of the mesh's node table, "new" ones those after the renumbering.
//
// "NET_PRE.FB": offsets of the beam, plate and index sections (12, then where the
//   plate stage and the renumbering put theirs); beams: B, then per beam its
//   number, node count m and m old node numbers from start to end; plates: P,
//   then per plate its number, triangle count T and T triangles (three old node
//   numbers each, counter-clockwise); index: N, new_of_old[N], old_of_new[N].
// "INDEX_P.FB": P, offset[P]; per plate its number, centroid, edge count, boundary
//   point count, points per edge, sub-region centres, its nodes and its triangles.
// "NET_DAT.FB": six offsets (info 24, nodes 60, beam elements, plate elements,
//   supports, loads), the info record (counts and materials), x/y per node, beam
//   elements (24 bytes), plate elements (16), supports (16), then the loads: case
//   offsets and per case the three counts and the loads, as in "STRUC_LD.FB" but
//   under new node numbers and element indices.
// "BAN_MAT.FB" (text, from outside): "%d,%f,%f": flag, plate modulus in 1.0e7
//   kN/m², Poisson ratio.
#include "fem/fem_records.h"
#include "fem/workfile.h"

#include <cstdint>
#include <string>
#include <vector>

// How one beam was divided: its nodes from start to end (old numbers).
struct beam_cut_date {
    std::int32_t beam = 0;
    std::int32_t num = 0;
    std::vector<std::int32_t> node;

    int read(std::FILE* f);
};

// How one plate was divided into triangles (old node numbers).
struct plate_cut_date {
    std::int32_t plate = 0;
    std::int32_t num = 0;
    std::vector<std::int32_t> n1, n2, n3;

    int read(std::FILE* f);
};

class net_pre_file {
public:
    explicit net_pre_file(const char* name);
    ~net_pre_file();
    net_pre_file(const net_pre_file&) = delete;
    net_pre_file& operator=(const net_pre_file&) = delete;

    int read_beam_cut();
    int read_plate_cut();
    int read_index();
    void free_beam_cut();
    void free_plate_cut();
    void free_index();

    std::int32_t offset[3] = {};
    int beam_num = 0;
    std::vector<beam_cut_date> beams;
    int plate_num = 0;
    std::vector<plate_cut_date> plates;
    int node_num = 0;
    std::vector<std::int32_t> new_of_old, old_of_new;

private:
    kv::fem::WorkFile file_;
    bool beam_loaded_ = false, plate_loaded_ = false, index_loaded_ = false;
};

// The beam section of "NET_PRE.FB" read on its own; `*count` gets the beam count.
std::vector<beam_cut_date> read_beam_cut_date(int* count);
void free_beam_cut_date(int count, std::vector<beam_cut_date>& beams);

// Elements of "NET_DAT.FB".
struct net_beam_ele {  // 24 bytes
    std::int32_t i = 0, j = 0;  // new node numbers, from the beam's start
    float J = 0, I = 0;         // mm⁴
    std::int32_t offset1 = 0;   // mm
    std::int32_t offset2 = 0;   // mm: height of the section's centre
};
struct net_plate_ele {  // 16 bytes
    std::int32_t a = 0, b = 0, c = 0;  // new node numbers, counter-clockwise
    std::int32_t thick = 0;            // mm
};
static_assert(sizeof(net_beam_ele) == 24 && sizeof(net_plate_ele) == 16);

class net_dat_file {
public:
    explicit net_dat_file(const char* name);
    ~net_dat_file();
    net_dat_file(const net_dat_file&) = delete;
    net_dat_file& operator=(const net_dat_file&) = delete;

    int read_node();
    int read_beam();
    int read_plate();
    int read_support();
    // Keeps the loads of one kind (1 point, 2 line, 3 area) of one case (0-based).
    int read_load(int load_case, int kind);
    // Writes the kept loads of that case and kind back over their section.
    int write_load(int load_case, int kind);
    void free_node();
    void free_beam();
    void free_plate();
    void free_support();
    void free_load();

    std::int32_t offset[6] = {};
    int node_num = 0, beam_num = 0, plate_num = 0, support_num = 0, case_num = 0;
    float beam_E = 0, beam_mu = 0, plate_E = 0, plate_mu = 0;
    std::vector<float> x, y;
    std::vector<net_beam_ele> beams;
    std::vector<net_plate_ele> plates;
    std::vector<support_rec> supports;
    std::vector<std::int32_t> case_offset;
    int con_num = 0, line_num = 0, distri_num = 0;
    std::vector<con_load> con;
    std::vector<line_load> line;
    std::vector<distri_load> distri;
    // The kept line loads element by element, each element's in their order:
    // line[line_order[k]] for k from line_start[e] to line_start[e + 1] - 1.
    std::vector<std::int32_t> line_start, line_order;
    int held_case = -1, held_kind = -1;

private:
    bool case_in_range(int load_case);

    kv::fem::WorkFile file_;
    bool node_loaded_ = false, beam_loaded_ = false, plate_loaded_ = false, support_loaded_ = false;
};

class index_p_file {
public:
    explicit index_p_file(const char* name);
    ~index_p_file();
    index_p_file(const index_p_file&) = delete;
    index_p_file& operator=(const index_p_file&) = delete;

    int read_plate(int plate);
    int write_plate(int plate);
    int print_txt(int plate);
    void free_plate();

    int plate_num = 0;
    std::vector<std::int32_t> offset;

    // The plate record loaded.
    std::int32_t Plate = 0;
    float x0 = 0, y0 = 0;
    std::int32_t bbs = 0, num_p_edge = 0;
    std::vector<std::int32_t> bb_p_num;
    std::int32_t num_center_p = 0;
    std::vector<float> center_x, center_y;
    std::int32_t num_p = 0;
    std::vector<std::int32_t> node;
    std::int32_t num_ele = 0, start_ele = 0;
    bool loaded = false;

private:
    std::string name_;
    kv::fem::WorkFile file_;
};

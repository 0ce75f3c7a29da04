#pragma once
// Reader of the structure and load file "STRUC_LD.FB" that the input reader
// writes: every later stage takes the model from it. Sections are loaded only
// when asked for, and of the loads only one kind of one case is held at a time.
//
// Layout (little-endian int32 / float32): five section offsets (nodes, beams,
// plates, supports, loads), then the sections in that order:
//   nodes     n; x[n], y[n]; flag[n]
//   beams     n; when n > 0: grade, two values, n 116-byte beam records
//   plates    n; when n > 0: grade, one value, n plate records with their edges
//   supports  n; when n > 0: one value, n 16-byte support records
//   loads     m; case offset[m]; per case: point, line and area load counts,
//             then the loads (16, 24 and 8 bytes each)
// Node numbers of beams and supports are 0-based; node, beam and plate numbers
// of loads are 1-based.
#include "fem/fem_records.h"
#include "fem/plate_rec.h"
#include "fem/workfile.h"

#include <cstdint>
#include <vector>

class struc_ld_file {
public:
    explicit struc_ld_file(const char* name);
    ~struc_ld_file();
    struc_ld_file(const struc_ld_file&) = delete;
    struc_ld_file& operator=(const struc_ld_file&) = delete;

    // Load a section unless it is loaded or empty: 1 when it is there (or empty)
    // afterwards, 0 on failure (reported).
    int read_node();
    int read_beam();
    int read_plate();
    int read_support();
    // Holds the loads of one kind (1 point, 2 line, 3 area) of one case (0-based).
    int read_load(int load_case, int kind);

    // Write the loaded beams, or the held loads, back in place.
    int write_beam();
    int write_load(int load_case, int kind);

    void free_node();
    void free_beam();
    void free_plate();
    void free_support();
    void free_load();

    int node_num = 0;
    std::vector<float> x, y;
    std::vector<std::int32_t> flag;

    int beam_num = 0;
    std::int32_t beam_grade = 0;
    std::int32_t beam_head[2] = {};
    std::vector<beam_rec> beams;

    int plate_num = 0;
    std::int32_t plate_grade = 0;
    std::int32_t plate_head = 0;
    std::vector<plate_rec> plates;

    int support_num = 0;
    std::int32_t support_head = 0;
    std::vector<support_rec> supports;

    int case_num = 0;
    // Counts of the case last read, and the one array held.
    int con_num = 0, line_num = 0, distri_num = 0;
    std::vector<con_load> con;
    std::vector<line_load> line;
    std::vector<distri_load> distri;
    int held_case = -1, held_kind = -1;

private:
    bool seek_section(int section, int skip);
    bool counts_ok(int kind);

    kv::fem::WorkFile file_;
    std::int32_t offsets_[5] = {};
    std::vector<std::int32_t> case_offsets_;
    bool node_loaded_ = false, beam_loaded_ = false, plate_loaded_ = false, support_loaded_ = false;
};

#pragma once
// Reader of the internal-force file "FORCE.FB" that the output stage writes (its
// layout in fem/yxy_out.h, its records in fem/force_records.h). Callers read the
// public members directly: the counts, the block positions of every case and the
// records of the case last loaded.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fem/force_records.h"
#include "fem/quellit_export.h"

class QUELLIT_API force_file {
public:
    // Opens the file and reads its counts and block positions. A file with no
    // load case or with a zero position (a run that stopped before it finished
    // the file) is refused (301) and loads nothing; the object stays destructible.
    explicit force_file(const char* name);
    ~force_file();
    force_file(const force_file&) = delete;
    force_file& operator=(const force_file&) = delete;

    // Load the records of one load case (0-based), replacing those loaded. 1 on
    // success (also when the file has none of them); 0 on a failure, told, with
    // what was loaded left as it was.
    int read_beam(int load_case);
    int read_plate(int load_case);
    // Writes the loaded beam records back over the case's block. 0 when the file
    // has no beams or the records are not loaded.
    int write_beam(int load_case);
    void free_beam();
    void free_plate();

    // Text dumps of the loaded records.
    void write_beam_txt(std::FILE* f);
    void write_plate_txt(std::FILE* f);

    std::FILE* fp = nullptr;
    int num_beam = 0;
    int num_plate = 0;
    int num_case = 0;
    std::vector<std::int32_t> beam_pos;   // per case: where its beam block starts
    std::vector<std::int32_t> plate_pos;  // per case: where its plate block starts
    std::vector<beam_force> beam;         // num_beam records of the case loaded
    std::vector<plate_force> plate;       // num_plate records of the case loaded
    int beam_loaded = 0;
    int plate_loaded = 0;

private:
    QUELLIT_LOCAL bool case_ok(int load_case) const;

    std::string name_;
    bool ok_ = false;
};

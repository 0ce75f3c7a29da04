#pragma once
// The input reader of the finite-element library: reads the text input file
// (nodes, beams, plates, supports, load cases, soil columns) and writes the
// structure and load file "STRUC_LD.FB" and the soil file "SOIL.FB" into the
// current folder, which every stage of an analysis reads. Failures go through the
// error channel (tell_error, JS_ERROR_CODE); nothing is thrown.
#include "fem/fem_records.h"
#include "fem/plate_rec.h"
#include "fem/quellit_export.h"
#include "fem/soil_data.h"
#include "fem/workfile.h"
#include "fem/yxy_tool.h"

#include <memory>
#include <string>
#include <vector>

namespace kv::fem {
class TextInput;
}

class QUELLIT_API FB_DATE : public YXY_TOOL {
public:
    FB_DATE();
    ~FB_DATE();
    FB_DATE(const FB_DATE&) = delete;
    FB_DATE& operator=(const FB_DATE&) = delete;

    // Reads `name` and writes the binary files. Mode 1 reads as it is; mode 2 also
    // gives every load case three zero line loads per beam and writes
    // "LOAD_ASS.FB"; mode 3 scales beam widths and plate thicknesses by the
    // factors of "liang_gd.fb" and "ban_gd.fb". The third value is not used.
    void main_date(const char* name, int mode, int unused);

    // Load statistics of the connected parts of "STRUC_LD.FB" (one load case):
    // written to `name` and reported per part.
    void hezai_tongji(const char* name);
    // Total base area and load of every case (at most 20) into "PJFL_FJ.FB";
    // `name` is not used.
    void hezai_tongji_1(const char* name);

private:
    int read_fixpoint();
    int write_fixpoint();
    void free_fixpoint();
    int read_beam();
    int write_beam();
    void free_beam();
    int read_plate();
    int plate_egde_direction();
    int write_plate();
    void free_plate();
    int read_support();
    int write_support();
    void free_support();
    int read_load();
    int write_load();
    void free_load();
    int read_soil();
    int write_soil();
    void free_soil();

    // Logs the connected parts and the continuous beams.
    QUELLIT_LOCAL void Check_Elastic_Ele_Needed();
    friend struct FbDateStatsAccess;  // tests reach the log

    // Steps of main_date (not exported).
    QUELLIT_LOCAL void run(const char* name);
    QUELLIT_LOCAL bool next_line(std::string& line);
    QUELLIT_LOCAL bool read_title(const char* announcement);
    QUELLIT_LOCAL int read_factors(const char* file);
    QUELLIT_LOCAL bool node_in_table(int node) const;

    int mode_ = 1;
    kv::fem::WorkFile in_file_, struc_file_, ass_file_, factor_file_;
    std::unique_ptr<kv::fem::TextInput> in_;
    long long in_bytes_ = 0;  // size of the input file

    int node_num_ = 0;
    std::vector<float> x_, y_;
    std::vector<std::int32_t> flag_;

    int beam_num_ = 0;
    std::int32_t beam_head_[3] = {};  // grade and two values nothing reads
    std::vector<beam_rec> beams_;

    int plate_num_ = 0;
    std::int32_t plate_head_[2] = {};
    std::vector<plate_rec> plates_;

    int support_num_ = 0;
    std::int32_t support_head_ = 0;
    std::vector<support_rec> supports_;

    int case_num_ = 0;
    int con_num_ = 0, line_num_ = 0, distri_num_ = 0;
    int line_num_in_file_ = 0;  // mode 2: the line loads the case had before the zero ones
    std::vector<con_load> con_;
    std::vector<line_load> line_;
    std::vector<distri_load> distri_;

    int soil_num_ = 0;
    std::vector<float> soil_x_, soil_y_;
    std::vector<soil_date_xy> soil_;

    int factor_num_ = 0;
    std::vector<float> factor_;

    std::int32_t offsets_[5] = {};
    std::vector<std::int32_t> case_offsets_;
    std::vector<std::int32_t> case_line_nums_;
    // Counts kept after the arrays are freed, for the range checks of loads.
    int nodes_known_ = 0, beams_known_ = 0, plates_known_ = 0;
};

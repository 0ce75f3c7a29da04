#pragma once
// The output stage of the finite-element library: turns the displacements that
// the solver left in "LOAD_V.FB" into the result files, and the text dumps of the
// first load case. All files are little-endian int32/float32 in the current folder.
//
// "DEFOR.FB"    node count, case count; per case the w of every mesh node (m, in
//               the sense of the w freedom; 0 where w is restrained).
// "REACT.FB"    the same layout: base reaction per unit area (analyses on soil).
// "W_LIANG.FB"  beam count, case count; per case and beam three floats: w at the
//               mesh nodes nearest to the beam's start, middle and end.
// "FL_LIANG.FB" the same from "REACT.FB".
// "W_BAN.FB"    plate count, case count, a block position per case and plate
//               (case-major); each block: edge count n, w nearest to the centroid
//               of the corner polygon, then w nearest to each corner. Empty
//               (no header) when the model has no plates.
// "FL_BAN.FB"   the same from "REACT.FB".
// "PIN.FB"      no header; per case and node the pin force along w and the two
//               rotations.
// "ZHU_PIN.FB"  input node count, case count; per case the vertical pin force
//               of the mesh node nearest to each input node.
// "FORCE.FB"    beam count, plate count, case count, then per case the positions
//               of its beam block and plate block (zero until the run finished),
//               then the blocks: a beam_force record per input beam, then a
//               plate_force record per plate.
#include <cstdint>
#include <vector>

#include "fem/plate_element.h"
#include "fem/yxy_tool.h"

class freedom_file;

// The mesh node nearest to (x, y), the first of equally near ones; -1 without nodes.
int nearest_node(float x, float y, const std::vector<float>& xs, const std::vector<float>& ys);

class YXY_OUT : public YXY_TOOL {
public:
    YXY_OUT();
    ~YXY_OUT();

    // The flange moments of foundation beams divide the base pressure by the base
    // width when set to 1.
    void set_flag(int value) { flag = value; }

    // form: 1 elastic soil, 2 no soil, 3 plastic base reaction. work: 1 displacements,
    // reactions and forces, 2 pin forces, 3 both.
    void main_out(int form, int work);

    void out_disp(int cases, freedom_file& freedom);
    void out_force(int cases, freedom_file& freedom);
    void out_pin(int cases, freedom_file& freedom);
    void out_react(int cases, freedom_file& freedom);
    void out_react_iter(int cases, freedom_file& freedom);

    void out_disp_liang();
    void out_disp_ban();
    void out_fl_liang();
    void out_fl_ban();
    void out_zhu_pin();

    kv::fem::plate_element plate;
    YXY_TOOL tool;
    // Tributary base area of every mesh node (m²), held only while the reactions
    // are written.
    std::vector<float> area;
    int flag = 0;
};

// Text dumps of load case 0: "defor.see" (settlement in mm, positive downward)
// and, with soil, "react.see".
class YXY_SEE {
public:
    void main_see(int with_soil);
};

#pragma once
// The finite-element library's tool object: no data of its own. The input reader
// derives from it; its result getters and foundation operations join it as the
// stages that need them are built.
#include <vector>

#include "fem/quellit_export.h"

class struc_ld_file;

class QUELLIT_API YXY_TOOL {
public:
    YXY_TOOL();
    ~YXY_TOOL();
    YXY_TOOL& operator=(const YXY_TOOL&);

    // Results of the output stage for one input beam, plate or node and one load
    // case (0-based). Each opens, reads and closes its file; on any failure (told,
    // 301 for an index outside the file's counts or a damaged file) the outputs
    // stay as they were.
    // Start, middle and end values from "W_LIANG.FB" / "FL_LIANG.FB".
    void Get_Disp_yxy_Liang(int beam, int load_case, float out[3]);
    void Get_FL_yxy_Liang(int beam, int load_case, float out[3]);
    // `count` corner values and the centre value from "W_BAN.FB" / "FL_BAN.FB";
    // `count` must be the plate's edge count.
    void Get_Disp_yxy_Ban(int plate, int load_case, int count, float* out, float* centre);
    void Get_FL_yxy_Ban(int plate, int load_case, int count, float* out, float* centre);
    // The vertical pin force under an input node from "ZHU_PIN.FB"; 0 on failure.
    float Get_zhu_pin_force(int node, int load_case);

    // The input-node polygon of plate `plate` (0-based) of a structure file whose
    // nodes, beams and plates are loaded: one point per beam of its boundary,
    // where the boundary enters that beam, edge after edge.
    void form_plate_corner_chain(int plate, struc_ld_file* file, std::vector<float>* xs, std::vector<float>* ys,
                                 int* count);

    // Footprint of one side of the foundation strip from node `near` to node `far`
    // (0-based; nodes and beams of `model` loaded), `width` m wide: four corners in
    // the beam's local axes (x along it from `near`, y across towards the side),
    // the outer ones cut where they meet the neighbouring strips.
    void cal_local_coordi_cross(int near, int far, float width, float* xs, float* ys, struc_ld_file* model);

    // Foundation statistics over "STRUC_LD.FB" in the current folder. Parts and
    // groups are numbered from 1; the caller's arrays hold one entry per node,
    // beam or plate (or load case) of the file. Failures go through the error
    // channel.
    // Connected parts: nodes joined by beams; a beam takes its nodes' part, a
    // plate the part of the first beam of its boundary.
    void Search_Pian(struc_ld_file* file, int* count, int* node_parts, int* beam_max, int* beam_parts,
                     int* plate_max, int* plate_parts);
    // Continuous beams: beams meeting at a node within 5 degrees of a straight run.
    void Search_LianXuLiang(struc_ld_file* file, int* count, int* groups);
    // Base area of the plates and strip footprints, its centroid and second moments.
    void get_A_Wx_Wy(float* Wx, float* Wy, float* A, float* xc, float* yc);
    void get_A_Wx_Wy_Pian(int part, int* beam_parts, int* plate_parts, float* Wx, float* Wy, float* A, float* xc,
                          float* yc);
    // Per load case the total load and the position of its resultant relative to (x0, y0).
    void get_total_weight(float x0, float y0, float* F, float* X, float* Y);
    void get_total_weight_Pian(int part, int* node_parts, int* beam_parts, int* plate_parts, float x0, float y0,
                               float* F, float* X, float* Y);
    // Beam lengths by kind: strips, fixed-section beams, plain beams, kind-2 beams.
    void get_total_length(float* L4, float* L3, float* L1, float* L2);
    void get_total_length_Pian(int part, int* beam_parts, float* L4, float* L3, float* L1, float* L2);

private:
    QUELLIT_LOCAL int Find_Start_Point(int* parts, int n);
    QUELLIT_LOCAL void Find_Next_Point(int node, int* parts, struc_ld_file* file, int beam_count, int node_count);
    QUELLIT_LOCAL int Find_Start_Beam(int* groups, int n);
    QUELLIT_LOCAL void Find_Next_Beam(float angle, int node, int from, int* groups, struc_ld_file* file,
                                      int beam_count, int node_count);
    QUELLIT_LOCAL void Get_Angle1_Angle2(struc_ld_file* file, int beam, float* a1, float* a2, float* a3, float* a4);
};

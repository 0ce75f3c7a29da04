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
};

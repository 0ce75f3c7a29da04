#pragma once
// The analysis driver of the finite-element library: the stages of a run held in
// the order they run, and the sequence of each analysis type. Stages talk to each
// other only through the work files of the current folder.
#include "fem/quellit_export.h"
#include "fem/equ_solver.h"
#include "fem/yxy_iter.h"
#include "fem/yxy_net.h"
#include "fem/yxy_out.h"
#include "fem/yxy_soil.h"
#include "fem/yxy_stiff.h"

class QUELLIT_API YXY {
public:
    YXY();
    ~YXY();
    YXY(const YXY&) = delete;
    // Takes the other driver's settings (the mesh stage's point-load flag); the
    // stages hold nothing else between runs.
    YXY& operator=(const YXY& other);

    // One whole analysis of `type` (-1 to 4; any other type does nothing). `divide` is the longest
    // beam element in m (0: from the plates), `block` the matrix entries per block
    // of the solver (raised to three per node), `c` the plastic iteration's
    // refactorisation (1 every iteration, else the first of each case).
    // Nothing runs while JS_ERROR_CODE is set, and the run stops at the first
    // stage that sets it, leaving the files of the stages before.
    void main_yxy(int type, float divide, int block, int c);

    // Moves the point loads onto the nearest mesh node and takes the plate
    // material from "BAN_MAT.FB" when set. Callers that bind the class by its
    // layout set the first word instead: the mesh stage keeps it there.
    void set_acad_flag(int flag);

    // The stages, in the order of a run. The mesh stage must stay first.
    YXY_NET net;
    YXY_SOIL soil;
    YXY_STIFF stiff;
    YXY_EQU equ;
    YXY_ITER iter;
    YXY_OUT out;
    YXY_SEE see;

private:
    QUELLIT_LOCAL void run_plain(int type, float divide, int block);
    QUELLIT_LOCAL void run_elastic_soil(float divide, int block);
    QUELLIT_LOCAL void run_plastic_soil(float divide, int block, int c);
};

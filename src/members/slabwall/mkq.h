#pragma once
// The door-frame and window-well walls (门框墙, 窗井墙): the lip beside the door
// or the light well designed as a cantilever strip 1000 mm wide, its report and
// its section drawing. Everything works on one record (design/mkq_data.h).
//
// A door opening shorter than twice the cantilever is no cantilever by the code
// (GB 50038-2005 4.10.12): the run asks once whether to go on, the calculation
// pass asks and the report pass that follows reuses the answer.
#include <cstdio>

#include "design/mkq_data.h"

class CBase_SGT;

// The calculation pass of the dialog's 计算: the question may be asked again;
// clears the error code and writes the result lines into "Message.Box" of the
// current folder. 0 when that file cannot be made or written (the error code
// says why), else 1.
int mkq_calculate(CMkqData& lip);

// The report pass: reuses the calculation pass's answer; the report text into
// `fp` when given, the drawing into `drawing` when given. Returns 1.
int mkq_report(CMkqData& lip, std::FILE* fp, CBase_SGT* drawing);

// Moment and shear at the wall face, bending and shear reinforcement, the crack
// check when asked for; lines into `fp`. 1 when it ends normally (also when the
// cantilever model was declined); 0 without a file ("Can't open Message.Box")
// or without a design object. The error code is clear after a normal end:
// warnings of the run do not stop the caller.
int mkq_cal(CMkqData& lip, std::FILE* fp);

// Conditions, the drawing's script block, then mkq_cal.
int mkq_out_report(CMkqData& lip, std::FILE* fp);

// The section with its loads and dimensions, at scale 100. A haunch is drawn
// whenever the record has a shape other than 1.
void mkq_draw(const CMkqData& lip, CBase_SGT* drawing);

// The lowest minimum ratio of the lip's steel (of b·h): the beam's default
// minimum, raised to 0.25 % where it is smaller.
float mkq_min_ratio(float defaultRatio);

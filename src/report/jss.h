#pragma once
// Pieces shared by the calculation reports: the project information block, the
// dividing line and the two text styles of the report head.
#include "report/rtf.h"

// Style 0: body text; style 1: bold text of the same size.
void SetTextStyleJss(kv::report::CRTF& report, int kind);
// The project's name, number and design time from "GCXX.BOX" in the work folder.
// Writes nothing (and returns 0) outside a project, when the file is missing.
int WriteGCXX(kv::report::CRTF& report);
// A dividing line across the text.
void WriteDivLine(kv::report::CRTF& report);

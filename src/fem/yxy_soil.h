#pragma once
// The elastic-soil stage: the soil flexibility and stiffness files of the
// analyses on layered soil. Its work joins with the soil analyses; until then the
// driver refuses those analysis types before any stage runs.
#include "fem/yxy_tool.h"

class YXY_SOIL : public YXY_TOOL {};

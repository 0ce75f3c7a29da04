#pragma once
// The finite-element library's tool object: no data of its own. The input reader
// derives from it; its result getters and foundation operations join it as the
// stages that need them are built.
#include "fem/quellit_export.h"

class QUELLIT_API YXY_TOOL {
public:
    YXY_TOOL();
    ~YXY_TOOL();
    YXY_TOOL& operator=(const YXY_TOOL&);
};

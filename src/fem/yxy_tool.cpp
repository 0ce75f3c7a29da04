#include "fem/yxy_tool.h"

// Defined here rather than defaulted in the class, so that the library exports
// them under their names.
YXY_TOOL::YXY_TOOL() = default;
YXY_TOOL::~YXY_TOOL() = default;
YXY_TOOL& YXY_TOOL::operator=(const YXY_TOOL&) = default;

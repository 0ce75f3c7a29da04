#include "members/beams/gj_calc.h"

#include "base/error.h"

// The frame analysis is not built yet: this is where the run goes. Until then
// every 刚架计算 ends as a failed run and writes nothing.
int gj_calculate(CGjData* /*data*/) {
    tell_error(kv::err::kDataError, "计算不成功 !");
    return 0;
}

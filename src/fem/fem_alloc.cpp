#include "fem/fem_alloc.h"

namespace kv::fem {
namespace {
int g_failAt = 0;  // allocations left before the one that fails; 0: none fails
}

bool AllocationFailsNow() {
    if (g_failAt <= 0) return false;
    return --g_failAt == 0;
}

AllocationFailureForTesting::AllocationFailureForTesting(int nth) { g_failAt = nth; }
AllocationFailureForTesting::~AllocationFailureForTesting() { g_failAt = 0; }

}  // namespace kv::fem

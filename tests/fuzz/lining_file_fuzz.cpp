// The lining data file, every layout it has had: what was read is saved and
// reads back the same.
#include "lining/sections/tunnel_lining_data.h"
#include "module_roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::ModuleRoundTrip<CTunnelLiningData>(data, size);
    return 0;
}

// The continuous-beam file (CLxlData), both editions of its marker.
#include "module_roundtrip.h"

#include "members/beams/lxl_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::ModuleRoundTrip<CLxlData>(data, size);
    return 0;
}

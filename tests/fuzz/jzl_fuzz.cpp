// The grid-beam file (CJzlData), both editions of its marker.
#include "module_roundtrip.h"

#include "members/beams/jzl_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::ModuleRoundTrip<CJzlData>(data, size);
    return 0;
}

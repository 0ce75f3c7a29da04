// The beam-section file (CLiangData), both editions of its marker.
#include "module_roundtrip.h"

#include "members/beams/liang_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::ModuleRoundTrip<CLiangData>(data, size);
    return 0;
}

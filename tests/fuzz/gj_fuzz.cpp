// The rigid-frame file (CGjData), both editions of its marker.
#include "module_roundtrip.h"

#include "members/beams/gj_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::ModuleRoundTrip<CGjData>(data, size);
    return 0;
}

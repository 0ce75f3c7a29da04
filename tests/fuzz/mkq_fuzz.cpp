// The door-frame wall file (CMkqData), both editions of its marker.
#include "module_roundtrip.h"

#include "design/mkq_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    int kind = size > 0 ? data[size - 1] & 1 : 0;
    kv::fuzz::ModuleRoundTrip<CMkqData>(data, size, kind);
    return 0;
}

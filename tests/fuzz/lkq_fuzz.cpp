// The wall data file (CLkqData), both editions of its marker, every wall kind.
#include "module_roundtrip.h"

#include "design/lkq_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    int kind = size > 0 ? data[size - 1] & 3 : 0;
    kv::fuzz::ModuleRoundTrip<CLkqData>(data, size, kind);
    return 0;
}

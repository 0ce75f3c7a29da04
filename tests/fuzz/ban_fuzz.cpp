// The slab data file (BAN_JS_STRUCT), roof and floor.
#include "module_roundtrip.h"

#include "design/ban_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    int kind = size > 0 ? data[size - 1] & 1 : 0;
    kv::fuzz::ModuleRoundTrip<BAN_JS_STRUCT>(data, size, kind);
    return 0;
}

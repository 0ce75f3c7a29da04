// The column-section file (CZhuData): the current edition with its p-δ line,
// the older one without.
#include "module_roundtrip.h"

#include "members/beams/zhu_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::ModuleRoundTrip<CZhuData>(data, size);
    return 0;
}

// The three shell files (CRectBqData, CSixBqData, CCircleBqData), both editions of
// each marker: every reader takes the same input.
#include "module_roundtrip.h"

#include "members/shells/shell_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::ModuleRoundTrip<CRectBqData>(data, size);
    kv::fuzz::ModuleRoundTrip<CSixBqData>(data, size);
    kv::fuzz::ModuleRoundTrip<CCircleBqData>(data, size);
    return 0;
}

// The wave-attenuation file ("KuoSan_V10").
#include "module_roundtrip.h"

#include "loads/kuosan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::ModuleRoundTrip<CKuoSanData>(data, size);
    return 0;
}

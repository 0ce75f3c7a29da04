// The flat-slab file (CWllgData), both editions of its marker.
#include "module_roundtrip.h"

#include "members/flatslab/wllg_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::ModuleRoundTrip<CWllgData>(data, size);
    // The span text, whatever was read: the list never holds more than it counted.
    CWllgData read;
    if (read.LoadData((kv::fuzz::Folder() + "input.DAT").c_str()) == 1) {
        auto spans = CWllgData::parse_span_list(read.m_szSpans);
        if (spans && (spans->empty() || spans->size() > static_cast<std::size_t>(kWllgMaxSpans)))
            kv::fuzz::Fail("a span list outside 1..30 spans");
    }
    return 0;
}

// The flat-slab file (CWllgData), both editions of its marker.
#include "module_roundtrip.h"

#include "drawing/base_sgt.h"
#include "members/flatslab/wllg_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::ModuleRoundTrip<CWllgData>(data, size);
    // The span text, whatever was read: the list never holds more than it counted.
    CWllgData read;
    if (read.LoadData((kv::fuzz::Folder() + "input.DAT").c_str()) == 1) {
        auto spans = CWllgData::parse_span_list(read.m_szSpans);
        if (spans && (spans->empty() || spans->size() > static_cast<std::size_t>(kWllgMaxSpans)))
            kv::fuzz::Fail("a span list outside 1..30 spans");
        // The pages draw whatever was read into their preview at once.
        for (int mid : {0, 1}) {
            read.m_nMidStorey = mid;
            CBase_SGT sketch;
            sketch.New_MemDxf();
            read.DrawSketch(&sketch);
        }
    }
    return 0;
}

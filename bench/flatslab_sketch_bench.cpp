// The pages redraw the input sketch on every write-back, so it must follow
// typing: a fresh in-memory drawing and the sketch of a 30-span middle storey.
#include <benchmark/benchmark.h>

#include "drawing/base_sgt.h"
#include "members/flatslab/wllg_data.h"

namespace {

void BM_SketchMiddleStorey30Spans(benchmark::State& state) {
    CWllgData w;
    w.m_szSpans = "8*30";
    w.m_nMidStorey = 1;
    for (auto _ : state) {
        CBase_SGT d;
        d.New_MemDxf();
        d.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
        d.Write_Tables();
        w.DrawSketch(&d);
        benchmark::DoNotOptimize(d.Entities().size());
    }
}
BENCHMARK(BM_SketchMiddleStorey30Spans)->Unit(benchmark::kMicrosecond);

}  // namespace

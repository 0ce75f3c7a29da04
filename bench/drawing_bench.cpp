// Write and read back a drawing of 100 000 entities (lines, polylines, arcs and
// Chinese texts in equal parts), the size of a large sheet of result diagrams.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "drawing/base_sgt.h"

namespace {

CBase_SGT MakeDrawing(int n) {
    CBase_SGT d;
    d.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    for (int i = 0; i < n; ++i) {
        const float x = static_cast<float>(i % 1000) * 100.0f, y = static_cast<float>(i / 1000) * 100.0f;
        switch (i % 4) {
            case 0: d.Draw_Line(x, y, x + 80, y + 40); break;
            case 1: d.Draw_Pline(x, y, x + 90, y, 5, 5); break;
            case 2: d.Draw_Arc(x, y, 30, 0, 270); break;
            default: d.Draw_Text(x, y, 20, 0, "弯矩 125.3"); break;
        }
    }
    return d;
}

void BM_WriteReadDrawing(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const CBase_SGT d = MakeDrawing(n);
    const std::string path = "/tmp/kv_drawing_bench.dxf";
    for (auto _ : state) {
        if (!d.Write_MemDxf_To_File(path.c_str())) state.SkipWithError("write failed");
        DXF back;
        if (!back.Read_FileDxf_To_Mem(path.c_str())) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(back.Entities().size());
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_WriteReadDrawing)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_WriteDrawing(benchmark::State& state) {
    const CBase_SGT d = MakeDrawing(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(d.ToDxfBytes().size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteDrawing)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

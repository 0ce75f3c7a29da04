// Cost of the elastic plate moments: a look-up the table object remembers, a
// fresh solution by aspect ratio, and the four solutions of one wall with an
// elastic edge (uniform and triangular load, edge fixed and edge simple).
#include <benchmark/benchmark.h>

#include "design/plate_elastic.h"

namespace {

int kNoCorners[4] = {0, 0, 0, 0};

// 10 000 look-ups of the sixteen simple/fixed combinations at five aspect
// ratios through one table object.
void BM_TenThousandRememberedLookups(benchmark::State& state) {
    BEM_PLT table;
    Plate_force f;
    float w1, w2;
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            int combination = i % 16, shape = (i / 16) % 5;
            int edges[4];
            for (int k = 0; k < 4; ++k) edges[k] = 1 + ((combination >> k) & 1);
            table.Cal_Plate_Force_Use_Table(3.0f + shape, 3.0f, edges, kNoCorners, 10.0f, 0.2f, f, w1, w2, -1.0f);
            benchmark::DoNotOptimize(f);
        }
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_TenThousandRememberedLookups)->Unit(benchmark::kMillisecond);

// One new plate (all edges simple) per call; the argument is 10·a/b.
void BM_FreshSolution(benchmark::State& state) {
    const float a = 3.0f * state.range(0) / 10.0f;
    int edges[4] = {2, 1, 1, 1};
    Plate_force f;
    float w1, w2;
    for (auto _ : state) {
        BEM_PLT table;
        table.Cal_Plate_Force_Use_Table(a, 3.0f, edges, kNoCorners, 10.0f, 0.2f, f, w1, w2, -1.0f);
        benchmark::DoNotOptimize(f);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FreshSolution)->Arg(5)->Arg(10)->Arg(20)->Arg(50)->Arg(330)->Unit(benchmark::kMillisecond);

// A wall 3 m high, 6 m wide (argument 0) or one-way at 99 m (argument 1),
// bottom fixed, top elastic, sides simple: both loads with the top fixed, then
// with the top simple.
void BM_WallWithElasticEdge(benchmark::State& state) {
    const float a = state.range(0) ? 99.0f : 6.0f;
    int fixed_top[4] = {2, 1, 2, 1}, simple_top[4] = {2, 1, 1, 1};
    Plate_force f;
    float w1, w2;
    for (auto _ : state) {
        BEM_PLT uniform;
        TAB_PLT3 triangular;
        for (int* edges : {fixed_top, simple_top}) {
            uniform.Cal_Plate_Force_Use_Table(a, 3.0f, edges, kNoCorners, 30.0f, 0.2f, f, w1, w2, -1.0f);
            benchmark::DoNotOptimize(f);
            triangular.Cal_Plate_Force_Use_Table(a, 3.0f, edges, kNoCorners, 20.0f, 0.2f, f, w1, w2, -1.0f);
            benchmark::DoNotOptimize(f);
        }
    }
}
BENCHMARK(BM_WallWithElasticEdge)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

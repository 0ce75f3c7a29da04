// 选筋 at the largest area the pages take: 100 000 mm², every diameter from 6 to
// 40 mm, 10 %. Each search should stay well under 50 ms. The plain search (every
// count of both bars, as the tests' oracle does it) is timed beside the fast one
// on growing areas, to show the speed-up.
#include <benchmark/benchmark.h>

#include "base/globals.h"
#include "members/beams/xuanjin.h"
#include "members/beams/xuanjin_literal.h"

namespace {

template <class Para>
Para Largest(float area) {
    Para p;
    p.As = area, p.d1 = 6, p.d2 = 40, p.tolerance = 10, p.mode = 1;
    return p;
}

void BM_ZongJinLargest(benchmark::State& state) {
    G_guifan = 2010;
    const auto p = Largest<ZONGJIN_PARA>(100000);
    for (auto _ : state) benchmark::DoNotOptimize(kv::xuanjin::ZongJinLines(p));
}
BENCHMARK(BM_ZongJinLargest)->Unit(benchmark::kMillisecond);

void BM_FenBuJinLargest(benchmark::State& state) {
    G_guifan = 2010;
    const auto p = Largest<FENBUJIN_PARA>(100000);
    for (auto _ : state) benchmark::DoNotOptimize(kv::xuanjin::FenBuJinLines(p));
}
BENCHMARK(BM_FenBuJinLargest)->Unit(benchmark::kMillisecond);

void BM_GuJinLargest(benchmark::State& state) {
    G_guifan = 2010;
    GUJIN_PARA p;
    p.Asv = 100000, p.legs = 10000, p.tolerance = 10;
    for (auto _ : state) benchmark::DoNotOptimize(kv::xuanjin::GuJinLines(p));
}
BENCHMARK(BM_GuJinLargest)->Unit(benchmark::kMillisecond);

// Fast and plain side by side, area in mm² as the argument.
void BM_ZongJinFast(benchmark::State& state) {
    G_guifan = 2010;
    const auto p = Largest<ZONGJIN_PARA>(static_cast<float>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(kv::xuanjin::ZongJinLines(p));
}
BENCHMARK(BM_ZongJinFast)->Arg(5000)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ZongJinPlain(benchmark::State& state) {
    G_guifan = 2010;
    const auto p = Largest<ZONGJIN_PARA>(static_cast<float>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(kv::test::literal::ZongJin(p));
}
BENCHMARK(BM_ZongJinPlain)->Arg(5000)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

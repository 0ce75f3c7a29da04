// The shell coefficient tables and one calculation per plan. The program makes
// all 25 tables on the first use of a shell ("AllTables" is that first use; it
// should stay well under 0.1 s), then reads them from memory; the circle's Kelvin
// tables are worked out once at start ("KelvinTables"). "CircleDrawAll" writes the
// circle's twelve drawings into a fresh folder. "RectRoad", "SixRoad" and
// "CircleRoad" time each dialog's 计算 as the click runs it: the calculation,
// the report, the drawings, the report turned into RTF with its pictures and
// shown, and the item file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/globals.h"
#include "dialog_road.h"
#include "members/shells/circle_draw.h"
#include "members/shells/kelvin.h"
#include "members/shells/shell_data.h"
#include "members/shells/shell_tables.h"
#include "members/shells/ui/dlgbq.h"

namespace {

void RectTables(benchmark::State& state) {
    for (auto _ : state)
        for (int t = 1; t <= kv::shells::kRectTables; ++t) benchmark::DoNotOptimize(kv::shells::GenerateRectTable(t));
}
BENCHMARK(RectTables)->Unit(benchmark::kMillisecond);

void SixTables(benchmark::State& state) {
    for (auto _ : state)
        for (int t = 1; t <= kv::shells::kSixTables; ++t) benchmark::DoNotOptimize(kv::shells::GenerateSixTable(t));
}
BENCHMARK(SixTables)->Unit(benchmark::kMillisecond);

void AllTables(benchmark::State& state) {
    for (auto _ : state) {
        for (int t = 1; t <= kv::shells::kRectTables; ++t) benchmark::DoNotOptimize(kv::shells::GenerateRectTable(t));
        for (int t = 1; t <= kv::shells::kSixTables; ++t) benchmark::DoNotOptimize(kv::shells::GenerateSixTable(t));
    }
}
BENCHMARK(AllTables)->Unit(benchmark::kMillisecond);

void RectCalculate(benchmark::State& state) {
    CRectBqData d;
    d.b = 9.6f;  // the largest table, 54 points
    for (auto _ : state) {
        d.Calculate();
        benchmark::DoNotOptimize(d.calc_ok);
    }
}
BENCHMARK(RectCalculate)->Unit(benchmark::kMillisecond);

void SixCalculate(benchmark::State& state) {
    CSixBqData d;
    for (auto _ : state) {
        d.Calculate();
        benchmark::DoNotOptimize(d.calc_ok);
    }
}
BENCHMARK(SixCalculate)->Unit(benchmark::kMillisecond);

void KelvinTables(benchmark::State& state) {
    for (auto _ : state) {
        kv::shells::kelvin::Rebuild();
        benchmark::DoNotOptimize(kv::shells::kelvin::Table(0)[1109]);
    }
}
BENCHMARK(KelvinTables)->Unit(benchmark::kMillisecond);

void CircleCalculate(benchmark::State& state) {
    CCircleBqData d;
    for (auto _ : state) {
        d.Calculate();
        benchmark::DoNotOptimize(d.calc_ok);
    }
}
BENCHMARK(CircleCalculate)->Unit(benchmark::kMicrosecond);

void CircleDrawAll(benchmark::State& state) {
    char folder[] = "/tmp/kv_shell_bench_XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string previous = G_strWorkPath;
    G_strWorkPath = std::string(folder) + "/";
    CCircleBqData d;
    d.Calculate();
    for (auto _ : state) CCircleBqDraw(&d).DrawAll();
    G_strWorkPath = previous;
    std::filesystem::remove_all(folder);
}
BENCHMARK(CircleDrawAll)->Unit(benchmark::kMillisecond);

template <class Dialog, class Data>
void Road(benchmark::State& state, const char* name) {
    Data data;
    data.m_strName = name;
    data.SetFileName("&KV_0001");
    kv::bench::TimeDialogCalculation<Dialog>(state, name, data);
}

void RectRoad(benchmark::State& state) { Road<CDlgRectBq, CRectBqData>(state, "bq1"); }
void SixRoad(benchmark::State& state) { Road<CDlgSixBq, CSixBqData>(state, "bq2"); }
void CircleRoad(benchmark::State& state) { Road<CDlgCircleBq, CCircleBqData>(state, "bq3"); }
BENCHMARK(RectRoad)->Unit(benchmark::kMillisecond);
BENCHMARK(SixRoad)->Unit(benchmark::kMillisecond);
BENCHMARK(CircleRoad)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return kv::bench::RunDialogBenchmarks(argc, argv); }

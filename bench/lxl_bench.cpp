// The continuous beam's analysis at its largest: 30 spans of 5 m, 20 loads on
// every span (every other one live, so 301 load cases), solved and enveloped at
// 15 001 stations, then the span results. Goal: well under 0.1 s per run.
#include <benchmark/benchmark.h>

#include <memory>

#include "base/error.h"
#include "members/beams/lxl_data.h"
#include "members/beams/lxl_model.h"

namespace {

std::unique_ptr<CLxlData> LargestBeam() {
    auto data = std::make_unique<CLxlData>();
    data->SpanNum = kLxlMaxSpans;
    data->LeftSupport = 2;
    data->RightSupport = 1;
    for (int s = 0; s < kLxlMaxSpans; ++s) {
        LXL_SPAN& span = data->Spans[s];
        span.Length = 5.0f;
        span.LoadNum = kLxlMaxLoads;
        for (int k = 0; k < kLxlMaxLoads; ++k) {
            LXL_LOAD& load = span.Loads[k];
            load.Kind = k % 2 ? 2 : 1;
            load.Type = k % 6 + 1;
            load.Q1 = 10.0f + k;
            load.Q2 = 20.0f;
            load.A = 0.25f + 0.1f * k;  // ramps and positions all inside the span
            load.C = 1.5f;
        }
    }
    return data;
}

void BM_LxlSolve(benchmark::State& state) {
    auto data = LargestBeam();
    for (auto _ : state) {
        YXY_Lxl model(*data);
        model.Solve(*data);
        if (JS_ERROR_CODE) state.SkipWithError("the analysis refused the beam");
        benchmark::DoNotOptimize(model.SpanForces().data());
    }
}
BENCHMARK(BM_LxlSolve)->Unit(benchmark::kMillisecond);

}  // namespace

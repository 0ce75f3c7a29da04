// The second door-frame wall's whole host road for the default frame: the
// check, the calculation, the result file, the nine diagrams, the report and
// the summary, in a fresh work folder. No windows.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/globals.h"
#include "members/slabwall/mkqjs_calc.h"
#include "widgets/jisuanhost.h"

namespace {

void BM_DefaultSecondDoorFrameRoad(benchmark::State& state) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kv-mkqjs-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    G_strWorkPath = folder.string() + "/";
    CMkqJsData data;
    CMkqResult result;
    CMkqJiSuan calc;
    calc.m_pData = &data;
    calc.m_pResult = &result;
    data.m_strName = "门框墙 1";
    data.SetFileName("&KV_0001");
    for (auto _ : state) {
        if (!RunJiSuanRoad(calc)) state.SkipWithError("the road stopped");
    }
    state.counters["report kB"] =
        static_cast<double>(std::filesystem::file_size(folder / data.GetJssFileName(0))) / 1e3;
    std::filesystem::remove_all(folder);
    G_strWorkPath.clear();
}
BENCHMARK(BM_DefaultSecondDoorFrameRoad)->Unit(benchmark::kMillisecond);

}  // namespace

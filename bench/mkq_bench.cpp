// The core of the door-frame wall's 计算 for the default lip: the calculation
// with its message file, the report pass with the section drawing, the DXF
// written, the report turned into RTF and the item file written. No windows.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/globals.h"
#include "base/textio.h"
#include "design/mkq_data.h"
#include "drawing/base_sgt.h"
#include "members/slabwall/mkq.h"
#include "report/script.h"

namespace {

void BM_DefaultDoorFrameWall(benchmark::State& state) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kv-mkq-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    G_strWorkPath = folder.string() + "/";
    CMkqData lip;
    lip.m_strName = "门框墙";
    lip.CrackCheck = 1;
    lip.SetFileName("&KV_0001");
    const std::string report = G_strWorkPath + lip.GetRtfFileName(0);
    for (auto _ : state) {
        mkq_calculate(lip);
        CBase_SGT drawing;
        drawing.New_MemDxf();
        std::FILE* fp = open_file(report.c_str(), "wt");
        mkq_report(lip, fp, &drawing);
        commit_file(fp);
        drawing.Write_MemDxf_To_File((G_strWorkPath + lip.GetDxfFileName(0)).c_str());
        TextToRtf(report.c_str());
        lip.SaveData((G_strWorkPath + lip.m_strStem + ".dat").c_str());
    }
    state.counters["report kB"] = static_cast<double>(std::filesystem::file_size(report)) / 1e3;
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
    G_strWorkPath.clear();
}
BENCHMARK(BM_DefaultDoorFrameWall)->Unit(benchmark::kMillisecond);

}  // namespace

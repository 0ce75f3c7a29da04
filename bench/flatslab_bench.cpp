// The flat slab's 计算 (wllg_calculate) on the defaults (three spans, top storey)
// and on the largest frame the module takes (30 spans, middle storey), whole and
// stage by stage: the model file, the conversion and input stage, the analysis,
// the force read with post-processing, the report with the strip design, and the
// five drawings. Target: the whole run under 0.3 s on one core.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "base/error.h"
#include "base/globals.h"
#include "members/flatslab/wllg_data.h"
#include "members/flatslab/wllg_frm.h"

namespace {

namespace fs = std::filesystem;

// A work folder of its own, current while the benchmark runs.
class Folder {
public:
    Folder() {
        path_ = fs::temp_directory_path() / ("kv_flatslab_bench_" + std::to_string(::getpid()));
        fs::create_directories(path_);
        previous_ = fs::current_path();
        fs::current_path(path_);
        keptWork_ = G_strWorkPath;
        G_strWorkPath = path_.string() + "/";
        kv::err::SetSink([](int, const std::string&) {});
    }
    ~Folder() {
        G_strWorkPath = keptWork_;
        fs::current_path(previous_);
        std::error_code ec;
        fs::remove_all(path_, ec);
    }

private:
    fs::path path_, previous_;
    std::string keptWork_;
};

// The work folder and the data of one benchmark: the defaults (range 0) or 30
// spans of a middle storey with cap design (range 1).
struct Setup {
    explicit Setup(const benchmark::State& state) {
        data.SetFileName("B");
        data.m_nCivilDefence = data.m_ChongQie.m_nCivilDefence = 1;
        if (state.range(0)) {
            data.m_szSpans = "6*30";
            data.m_nMidStorey = 1;
            data.m_nCapDesign = 1;
        }
    }
    Folder folder;
    CWllgData data;
};

// Up to the members read back from the structure file.
std::unique_ptr<CWllgFrmJs> Prepared(CWllgData& data) {
    JS_ERROR_CODE = 0;
    data.WriteFrameModel();
    kv::frame::CForm_YXY_Dat_Frm conv;
    conv.m_strName = "WLLG";
    for (int k = 1; k < kv::fem::kLoadCases; ++k) conv.m_fFactor[k] = 0;
    conv.Prepare_Data();
    conv.Form_YXY_JS_DAT_File();
    auto js = std::make_unique<CWllgFrmJs>();
    js->Start();
    js->SetData(&data);
    for (int i = 0; i < js->m_nMembers && i < static_cast<int>(conv.m_cBeam.size()); ++i)
        js->m_pMembers[static_cast<std::size_t>(i)].m_nNo = conv.m_cBeam[static_cast<std::size_t>(i)].number;
    return js;
}

// The analysed frame, its forces read and post-processed.
std::unique_ptr<CWllgFrmJs> Analysed(CWllgData& data) {
    auto js = Prepared(data);
    js->m_Yxy.m_nRenFang = 1;
    js->m_Yxy.main_yxy();
    js->ReadForce();
    js->PostProcess();
    return js;
}

void BM_WholeRun(benchmark::State& state) {
    Setup s(state);
    for (auto _ : state) {
        JS_ERROR_CODE = 0;
        if (!wllg_calculate(&s.data)) state.SkipWithError("the run failed");
    }
}

void BM_Model(benchmark::State& state) {
    Setup s(state);
    for (auto _ : state) {
        JS_ERROR_CODE = 0;
        benchmark::DoNotOptimize(s.data.WriteFrameModel());
    }
}

void BM_ConvertAndInput(benchmark::State& state) {
    Setup s(state);
    s.data.WriteFrameModel();
    for (auto _ : state) benchmark::DoNotOptimize(Prepared(s.data));
}

void BM_Analysis(benchmark::State& state) {
    Setup s(state);
    auto js = Prepared(s.data);
    for (auto _ : state) {
        JS_ERROR_CODE = 0;
        kv::frame::YXY_Frm yxy;
        yxy.m_nRenFang = 1;
        benchmark::DoNotOptimize(yxy.main_yxy());
    }
}

void BM_ForcesAndPostProcess(benchmark::State& state) {
    Setup s(state);
    auto js = Analysed(s.data);
    for (auto _ : state) {
        JS_ERROR_CODE = 0;
        js->ReadForce();
        js->PostProcess();
    }
}

void BM_ReportAndStripDesign(benchmark::State& state) {
    Setup s(state);
    auto js = Analysed(s.data);
    for (auto _ : state) {
        JS_ERROR_CODE = 0;
        js->OutReport();
    }
}

void BM_Drawings(benchmark::State& state) {
    Setup s(state);
    auto js = Analysed(s.data);
    for (auto _ : state) {
        JS_ERROR_CODE = 0;
        js->DrawDiagrams();
    }
}

}  // namespace

BENCHMARK(BM_WholeRun)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Model)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertAndInput)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Analysis)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ForcesAndPostProcess)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportAndStripDesign)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Drawings)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The slab's whole 计算 road, as the dialog runs it: the calculation into
// "Message.Box", the report pass (calculation again, punching, diagrams), the
// DXF file and the report turned into RTF. A roof slab by elastic theory with a
// partly fixed edge (two plate solutions) and a floor slab by plastic theory.
// "fresh" changes the slab's length every time, so the plate solutions are not
// remembered from the run before; "repeated" computes the same slab again.
// The wall road is timed the same way: a two-way exterior wall with a
// triangular load and the p-δ increase.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "members/slabwall/ban.h"
#include "members/slabwall/qiang.h"
#include "report/script.h"

namespace {

struct Folder {
    Folder() {
        char name[] = "/tmp/kv-slab-bench-XXXXXX";
        path = std::string(mkdtemp(name)) + "/";
        previous = std::filesystem::current_path();
        std::filesystem::current_path(path);
        G_strWorkPath = path;
        G_guifan = 2010;
    }
    ~Folder() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(path);
    }
    std::string path;
    std::filesystem::path previous;
};

void Road(BAN_JS_STRUCT& bs) {
    ban_calculate(bs);
    CBase_SGT drawing;
    drawing.New_MemDxf();
    const std::string report = G_strWorkPath + bs.GetRtfFileName(0);
    std::FILE* fp = open_file(report.c_str(), "wt");
    ban_report(bs, fp, &drawing);
    commit_file(fp);
    drawing.Write_MemDxf_To_File((G_strWorkPath + bs.GetDxfFileName(0)).c_str());
    TextToRtf(report.c_str());
}

BAN_JS_STRUCT Slab(int kind) {
    BAN_JS_STRUCT bs(kind);
    bs.SetFileName("&KV_0001");
    bs.m_strName = kind == 0 ? "顶板" : "底板";
    bs.Length = 6.6f, bs.Width = 4.8f, bs.Thickness = 300, bs.Load = 120;
    if (kind == 0) {
        bs.EdgeType[0] = 2, bs.EdgeType[1] = 1, bs.EdgeType[2] = 1, bs.EdgeType[3] = 0;
        bs.Fixity = 0.7f;
    } else {
        bs.Plastic = 1, bs.EdgeType[3] = 0, bs.EdgeMoment[3] = 20;
    }
    return bs;
}

void BM_SlabRoad(benchmark::State& state) {
    Folder folder;
    BAN_JS_STRUCT bs = Slab(static_cast<int>(state.range(0)));
    const bool fresh = state.range(1) != 0;
    int n = 0;
    for (auto _ : state) {
        if (fresh) bs.Length = 6.6f + 0.001f * static_cast<float>(++n);
        Road(bs);
        if (JS_ERROR_CODE) state.SkipWithError("the calculation stopped");
    }
}
BENCHMARK(BM_SlabRoad)
    ->ArgNames({"floor", "fresh"})
    ->Args({0, 1})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({1, 0})
    ->Unit(benchmark::kMillisecond);

void WallRoad(CLkqData& w) {
    qiang_calculate(w);
    CBase_SGT drawing;
    drawing.New_MemDxf();
    const std::string report = G_strWorkPath + w.GetRtfFileName(0);
    std::FILE* fp = open_file(report.c_str(), "wt");
    qiang_report(w, fp, &drawing);
    commit_file(fp);
    drawing.Write_MemDxf_To_File((G_strWorkPath + w.GetDxfFileName(0)).c_str());
    TextToRtf(report.c_str());
}

void BM_WallRoad(benchmark::State& state) {
    Folder folder;
    CLkqData w(0);
    w.SetFileName("&KV_0002");
    w.m_strName = "外墙";
    w.Width = 7.2f, w.Height = 3.6f, w.Thickness = 300, w.Load = 60, w.TriLoad = 25, w.VertLoad = 1200;
    w.EdgeType[0] = 1, w.EdgeType[1] = 2, w.EdgeType[2] = 0, w.EdgeType[3] = 2;
    w.SecondOrder = 1;
    const bool fresh = state.range(0) != 0;
    int n = 0;
    for (auto _ : state) {
        if (fresh) w.Width = 7.2f + 0.001f * static_cast<float>(++n);
        WallRoad(w);
        if (JS_ERROR_CODE) state.SkipWithError("the calculation stopped");
    }
}
BENCHMARK(BM_WallRoad)->ArgNames({"fresh"})->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

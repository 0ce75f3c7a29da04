// The slab dialog's whole 计算 road (see dialog_road.h) for one roof and one floor slab.
#include "dialog_road.h"

#include "design/ban_data.h"
#include "members/slabwall/ui/dlgban.h"

namespace {

// A 6 x 4.5 m slab, 300 mm thick, two edges fixed and two elastic.
BAN_JS_STRUCT Slab(int kind) {
    BAN_JS_STRUCT data(kind);
    data.m_strName = kind == 0 ? "顶板" : "底板";
    data.SetFileName(kind == 0 ? "&KV_0001" : "&KV_0002");
    data.Length = 6.0f;
    data.Width = 4.5f;
    data.Thickness = 300;
    data.Load = 95.4f;
    data.EdgeType[0] = data.EdgeType[2] = 1;
    data.EdgeType[1] = data.EdgeType[3] = 2;
    data.LoadNote = 1;
    return data;
}

void Calculate(benchmark::State& state, int kind) {
    BAN_JS_STRUCT data = Slab(kind);
    kv::bench::TimeDialogCalculation<CDlgBan>(state, "slab", data);
}

void BM_RoofSlab(benchmark::State& state) { Calculate(state, 0); }
void BM_FloorSlab(benchmark::State& state) { Calculate(state, 1); }
BENCHMARK(BM_RoofSlab)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorSlab)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return kv::bench::RunDialogBenchmarks(argc, argv); }

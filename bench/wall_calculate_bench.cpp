// The wall dialog's whole 计算 road (see dialog_road.h) for a two-way exterior wall
// under a uniform and a triangular face load with the p-δ effect.
#include "dialog_road.h"

#include "design/lkq_data.h"
#include "members/slabwall/ui/dlgqiang.h"

namespace {

// 7.2 x 3.6 m, 300 mm thick, fixed at top and bottom, elastic at the sides.
CLkqData Wall() {
    CLkqData data(0);
    data.m_strName = "外墙";
    data.SetFileName("&KV_0001");
    data.OneWay = 0;
    data.Width = 7.2f;
    data.Height = 3.6f;
    data.Thickness = 300;
    data.Load = 60.0f;
    data.TriLoad = 25.0f;
    data.VertLoad = 400.0f;
    data.EdgeType[0] = data.EdgeType[2] = 1;
    data.EdgeType[1] = data.EdgeType[3] = 2;
    data.SecondOrder = 1;
    return data;
}

void BM_ExteriorWall(benchmark::State& state) {
    const int edition = G_guifan;
    G_guifan = 2010;  // the p-δ step runs only under the 2010 code
    CLkqData data = Wall();
    kv::bench::TimeDialogCalculation<CDlgQiang>(state, "wall", data);
    G_guifan = edition;
}
BENCHMARK(BM_ExteriorWall)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return kv::bench::RunDialogBenchmarks(argc, argv); }

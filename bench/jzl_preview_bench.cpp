// The grid-beam dialog redraws its preview on every change, so the redraw must
// follow typing: the model built on the preview object and drawn into a fresh
// drawing, and the dialog's whole redraw with the preview painted, for the
// default grid and for 30 × 30 spans with two secondary beams each way (8,281
// nodes, 16,380 beams).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>

#include "base/error.h"
#include "drawing/base_sgt.h"
#include "members/beams/jzl_calc.h"
#include "members/beams/jzl_data.h"
#include "members/beams/ui/dlgjzl.h"

namespace {

CJzlData Grid(bool largest) {
    CJzlData data;
    if (largest) {
        data.XSpans = data.YSpans = "6*30";
        data.XSecondary = data.YSecondary = 2;
    }
    return data;
}

void BM_PreviewModelAndDrawing(benchmark::State& state) {
    CJzlData data = Grid(state.range(0) != 0);
    for (auto _ : state) {
        CBase_SGT d;
        d.New_MemDxf();
        d.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
        d.Write_Tables();
        if (!jzl_draw_preview(&data, &d)) state.SkipWithError("the grid was refused");
        benchmark::DoNotOptimize(d.Entities().size());
    }
}
BENCHMARK(BM_PreviewModelAndDrawing)->Arg(0)->Arg(1)->ArgName("largest")->Unit(benchmark::kMillisecond);

// What a change handler costs the user: the redraw and one paint of the dialog.
void BM_DialogRedrawAndPaint(benchmark::State& state) {
    int argc = 1;
    char name[] = "jzl_preview_bench";
    char* argv[] = {name, nullptr};
    static QApplication* app = qApp ? nullptr : new QApplication(argc, argv);
    (void)app;
    CJzlData data = Grid(state.range(0) != 0);
    CDlgJzl dlg;
    dlg.SetData(&data);
    dlg.resize(1000, 720);
    for (auto _ : state) {
        dlg.DrawPreview();
        QPixmap shot = dlg.grab();
        benchmark::DoNotOptimize(shot.width());
    }
}
BENCHMARK(BM_DialogRedrawAndPaint)->Arg(0)->Arg(1)->ArgName("largest")->Unit(benchmark::kMillisecond);

}  // namespace

// Section designs per second for a mixed batch: slab strips in bending, beams in
// bending, shear and torsion, symmetric and asymmetric columns, crack widths.
#include <benchmark/benchmark.h>

#include "base/globals.h"
#include "design/liefen.h"
#include "design/pj_beam.h"
#include "design/pj_column.h"

namespace {

// One batch: 100 designs of each of the six kinds (600 designs).
void BM_MixedDesignBatch(benchmark::State& state) {
    G_guifan = 2010;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            const float k = 1.0f + 0.01f * static_cast<float>(i);
            PJ_BEAM_KV slab;
            slab.Ini_QiangBan(30, 3, 1, 0, 30, 30, 0, 1.0f, 0, 0, 1.0f, 1, 1, 1, 1, 1);
            slab.set_value(60e6f * k, 0, 0, 1000, 250, 1, 1.2f, 0);
            slab.Bent_SJ();
            benchmark::DoNotOptimize(slab.As);

            PJ_BEAM_KV beam;
            beam.Ini_Liang(30, 3, 1, 0, 35, 35, 0, 600, 6, 0.8f, 0, 0, 1, 1, 1, 1, 1, 1);
            beam.set_value(200e6f * k, 150e3f * k, 10e6f * k, 250, 600, 1, 1.2f, 0);
            beam.Bent_SJ();
            beam.Sheer();
            beam.Sheer_Twist();
            benchmark::DoNotOptimize(beam.Asvt);

            PJ_COLUMN_KV sym;
            sym.Ini(30, 3, 1, 0, 40, 0.8f, 0, 1, 1, 1, 0, 0, 1.0f);
            sym.set_value(150e6f * k, 80e3f, 60e6f, 60e3f, -800e3f * k, 400, 500, 4000, 0, 0, 2);
            sym.PianLaYa();
            sym.LaYaJian_y();
            benchmark::DoNotOptimize(sym.Asx);

            PJ_COLUMN_FDC asym;
            asym.Ini(30, 3, 1, 0, 40, 1, 1, 0, 0, 0);
            asym.set_value(300e6f * k, 0, 0, 0, -2000e3f * k, 400, 500, 4000, 0, 0, 2);
            asym.PianLaYa();
            benchmark::DoNotOptimize(asym.Asx1);

            cross_lf s{};
            s.type = 1;
            s.h = 500;
            s.b = 200;
            s.ftk = 2.01f;
            s.c = 25;
            s.deq = 20;
            s.Es = 2e5f;
            s.fyk = 400;
            s.nu = 0.7f;
            s.As = 942;
            s.l0 = 6000;
            s.as = 35;
            s.as1 = 35;
            CJsLieFen crack;
            crack.set_value(0);
            benchmark::DoNotOptimize(crack.CalLieFeng(0, 100e6f * k, kLfBending, &s));

            benchmark::DoNotOptimize(
                GetZhuErJieWanJu(150e6f * k, 1e6f, 100e6f, 150e6f, 360, 400, 6000, 160000, 20, 30));
        }
    }
    state.SetItemsProcessed(state.iterations() * 600);
    state.counters["designs/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 600, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MixedDesignBatch)->Unit(benchmark::kMillisecond);

}  // namespace

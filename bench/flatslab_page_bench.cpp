// A field of 几何参数 left while typing: the write-back of the page, the punching
// record refilled, the sketch of a 30-span middle storey drawn again and painted
// in the preview. It runs on every field left, so it must follow typing.
#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include "members/flatslab/ui/wllgpages.h"
#include "members/flatslab/wllg_data.h"

namespace {

void BM_JiHeWriteBack30SpanMiddleStorey(benchmark::State& state) {
    CWllgData data;
    data.m_szSpans = "8*30";
    data.m_nMidStorey = 1;
    CPageWllgJiHe page(&data);
    page.resize(1000, 420);
    page.show();
    page.DataToPage();
    QApplication::processEvents();
    auto* spans = page.findChild<QLineEdit*>("1371");
    int k = 0;
    for (auto _ : state) {
        // Alternate two texts, as typing changes one.
        spans->setText(++k % 2 ? "8*30" : "7.5*30");
        page.PageToData();
        page.repaint();
        benchmark::DoNotOptimize(page.Sketch());
    }
}
BENCHMARK(BM_JiHeWriteBack30SpanMiddleStorey)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

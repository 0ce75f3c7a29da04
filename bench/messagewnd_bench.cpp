// Time for a calculation's lines to reach the message window: a run that
// reports every iteration sends thousands of them, and the window must keep up.
#include <QApplication>
#include <QListWidget>
#include <QWidget>

#include <benchmark/benchmark.h>

#include "base/error.h"
#include "widgets/ui/messagewnd.h"

namespace {

void BM_RunLines(benchmark::State& state) {
    QWidget owner;
    CMessageWnd* window = InstallMessageWindow(&owner);
    window->show();
    const int lines = static_cast<int>(state.range(0));
    for (auto _ : state) {
        tell_error(kv::err::kClearWindow, "");
        for (int i = 0; i < lines; ++i) tell_error1(kv::err::kProgress, "第%d次迭代 残差 %.6f\n", i, 1.0 / (i + 1));
        QApplication::processEvents();
        benchmark::DoNotOptimize(window->List()->count());
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_RunLines)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The whole road of the slab dialog's 计算 for one roof and one floor slab: the
// calculation with its message file, the report pass, the drawing written as DXF
// and shown, the report turned into RTF, its diagram put in as a picture, saved,
// and the item file written.
#include <QApplication>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "base/globals.h"
#include "design/ban_data.h"
#include "drawing/ui/render.h"
#include "members/slabwall/ui/dlgban.h"
#include "project/ui/projectcommands.h"
#include "views/bbdoc.h"
#include "views/bbview.h"
#include "views/cxview.h"
#include "views/reportpictures.h"

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
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kv-slab-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    G_strWorkPath = folder.string() + "/";
    {
        CBbDoc_KV document;
        CCxView_KV drawing(&document);
        CBbView_KV report(&document);
        BAN_JS_STRUCT data = Slab(kind);
        CDlgBan dialog;
        dialog.SetData(&data);
        // The dialog computes as the user's click would, inside its own event loop.
        QTimer::singleShot(0, &dialog, [&] {
            for (auto _ : state) dialog.OnCalculate();
            dialog.done(QDialog::Rejected);
        });
        dialog.exec();
        state.counters["report kB"] =
            static_cast<double>(std::filesystem::file_size(folder / data.GetRtfFileName(0))) / 1e3;
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
    G_strWorkPath.clear();
}

void BM_RoofSlab(benchmark::State& state) { Calculate(state, 0); }
void BM_FloorSlab(benchmark::State& state) { Calculate(state, 1); }
BENCHMARK(BM_RoofSlab)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorSlab)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    InstallReportPictureMaker();
    InstallShellServices(nullptr);
    kv::drawing::ui::SetUpDrawingFont();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The whole road of the wall dialog's 计算 for a two-way exterior wall under a
// uniform and a triangular face load with the p-δ effect: the calculation with
// its message file, the report pass, the drawing written as DXF and shown, the
// report turned into RTF, its drawing put in as a picture, saved, and the item
// file written.
#include <QApplication>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "base/globals.h"
#include "design/lkq_data.h"
#include "drawing/ui/render.h"
#include "members/slabwall/ui/dlgqiang.h"
#include "project/ui/projectcommands.h"
#include "views/bbdoc.h"
#include "views/bbview.h"
#include "views/cxview.h"
#include "views/reportpictures.h"

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
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kv-wall-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    G_strWorkPath = folder.string() + "/";
    const int edition = G_guifan;
    G_guifan = 2010;  // the p-δ step runs only under the 2010 code
    {
        CBbDoc_KV document;
        CCxView_KV drawing(&document);
        CBbView_KV report(&document);
        CLkqData data = Wall();
        CDlgQiang dialog;
        dialog.SetData(&data);
        QTimer::singleShot(0, &dialog, [&] {
            for (auto _ : state) dialog.OnCalculate();
            dialog.done(QDialog::Rejected);
        });
        dialog.exec();
        state.counters["report kB"] =
            static_cast<double>(std::filesystem::file_size(folder / data.GetRtfFileName(0))) / 1e3;
    }
    G_guifan = edition;
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
    G_strWorkPath.clear();
}
BENCHMARK(BM_ExteriorWall)->Unit(benchmark::kMillisecond);

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

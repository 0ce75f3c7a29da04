#pragma once
// Timing a member dialog's 计算 as the user's click runs it: in a work folder of the
// benchmark's own, with the project window's document and its drawing and report
// views, the dialog computing inside its own event loop. The road covers the
// calculation with its message file, the report pass, the drawing written as DXF
// and shown, the report turned into RTF with its drawing as a picture, saved, and
// the item file written.
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/globals.h"
#include "drawing/ui/render.h"
#include "project/ui/projectcommands.h"
#include "views/bbdoc.h"
#include "views/bbview.h"
#include "views/cxview.h"
#include "views/reportpictures.h"

namespace kv::bench {

template <class Dialog, class Data>
void TimeDialogCalculation(benchmark::State& state, const std::string& name, Data& data) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kv-" + name + "-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    G_strWorkPath = folder.string() + "/";
    {
        CBbDoc_KV document;
        CCxView_KV drawing(&document);
        CBbView_KV report(&document);
        Dialog dialog;
        dialog.SetData(&data);
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

// The benchmarks' main: a GUI application (offscreen unless told otherwise) with
// the shell's services and report pictures, as the program sets them up.
inline int RunDialogBenchmarks(int argc, char** argv) {
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

}  // namespace kv::bench

// Time to load a 2 MB RTF report into a rich-text document, and to write it back.
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/textfile.h"
#include "report/rtf.h"
#include "report/ui/rtfreader.h"
#include "report/ui/rtfwriter.h"

namespace {

// A report of about 2 MB like the modules write: headings, formulas, tables with
// coloured cells, result lines with sub- and superscripts, a few pictures.
QByteArray MakeReport() {
    std::string path = (std::filesystem::temp_directory_path() / "kv-report-bench.rtf").string();
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    kv::report::CRTF rtf;
    rtf.Open(path.c_str());
    kv::report::ReportTable table;
    table.columnWidths = {200, 100, 100, 100, 100};
    for (int r = 0; r < 6; ++r) {
        std::vector<kv::report::ReportCell> row;
        for (int c = 0; c < 5; ++c)
            row.push_back({c == 0 ? "悬挑长度 L(mm)" : "1200", r == 3 ? std::optional(kv::report::WinRGB(255, 0, 0))
                                                                      : std::nullopt,
                           std::nullopt, 0});
        table.rows.push_back(row);
    }
    for (int section = 0; section % 20 != 0 || rtf.Rtf().size() < 2'000'000; ++section) {
        rtf.SetCurTextStyle(0, 21, 1, 1, 0, 0);
        rtf.InsertText("%d 计算过程及计算结果\n", section);
        rtf.SetCurTextStyle(0, 21, 1, 0, 0, 0);
        rtf.InsertFormula("M=q`i*sin(Greek(b))*l`1+q`e*mark(l,2,2)/2-q`h*h`h");
        rtf.InsertTable(table, 4, 80, 0, 1, 1);
        for (int k = 0; k < 40; ++k)
            rtf.InsertText("    q`h~(N/mm)     %-12.3f %-12.3f \x01" "06%-12.3f\x01" "01 mm^2~ 配筋率 %.2f%%\n",
                           k * 1.5, k * 2.25, k * 3.125, k * 0.01);
        if (section % 10 == 0) rtf.InsertPicture(png.toStdString(), 160, 160);
    }
    QByteArray bytes = QByteArray::fromStdString(rtf.Rtf());
    rtf.Discard();
    return bytes;
}

const QByteArray& Report() {
    static const QByteArray report = MakeReport();
    return report;
}

void BM_LoadReport(benchmark::State& state) {
    const QByteArray& rtf = Report();
    for (auto _ : state) {
        QTextDocument doc;
        kv::report::ui::ReadRtf(rtf, &doc);
        benchmark::DoNotOptimize(doc.characterCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * rtf.size());
    state.counters["MB"] = rtf.size() / 1e6;
}
BENCHMARK(BM_LoadReport)->Unit(benchmark::kMillisecond);

void BM_SaveReport(benchmark::State& state) {
    QTextDocument doc;
    kv::report::ui::ReadRtf(Report(), &doc);
    for (auto _ : state) benchmark::DoNotOptimize(kv::report::ui::WriteRtf(doc).size());
}
BENCHMARK(BM_SaveReport)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

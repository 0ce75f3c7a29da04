// The combined report at project size: 生成计算书 for a project of 100 and of 320
// items with one drawing picture each, then 查看计算书 on the report it saved.
// Prints the time and the growth of the peak resident memory of each step.
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include <unistd.h>

#include "app/moduletable.h"
#include "base/globals.h"
#include "platform/services.h"
#include "project/project.h"
#include "report/rtf.h"
#include "views/bbframe.h"
#include "views/bbview.h"

namespace {

long StatusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(in, line))
        if (line.compare(0, key.size(), key) == 0) return std::stol(line.substr(key.size()));
    return 0;
}

// Starts a new peak: the kernel forgets the highest resident size so far.
void ResetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

// A drawing as the report pictures are: 2000 pixels on the long side, lines and
// texts on white.
std::string DrawingPng() {
    QImage image(2000, 1000, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 3));
    for (int k = 0; k < 40; ++k) {
        p.drawLine(50 + k * 45, 80, 50 + k * 45, 920);
        p.drawLine(50, 80 + k * 21, 1950, 80 + k * 21);
        p.drawLine(50 + k * 45, 80, 1950 - k * 45, 920);
    }
    p.setFont(QFont("WenQuanYi Micro Hei", 28));
    for (int k = 0; k < 12; ++k) p.drawText(120 + k * 150, 60, QString("M=%1").arg(k * 12.5));
    for (int k = 0; k < 60; ++k) p.drawText(80 + (k % 12) * 150, 150 + (k / 12) * 170, QString("Φ%1@%2").arg(8 + k % 5 * 2).arg(100 + k));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A project folder of `items` items, 80 to a module, each with a report of a
// few lines and one picture.
void MakeProject(const std::filesystem::path& dir, int items, const std::string& png) {
    std::filesystem::create_directories(dir);
    G_Project = CProject{};
    for (int i = 0; i < items; ++i) {
        const int no = i + 1;
        const auto row = static_cast<std::size_t>(i / 80);
        G_Project.m_nSelected[row] = 1;
        G_Project.m_nItemNo[row][static_cast<std::size_t>(G_Project.m_nCount[row]++)] = no;
        const std::string stem = CProject::ItemStem(no);
        WriteFile(dir / CProject::ItemFileName(no), "##Name,顶板\r\n##ChaXun,配筋图," + stem + ".DXF," + stem + ".RTF\r\n");
        kv::report::CRTF rtf;
        rtf.Open((dir / (stem + ".RTF")).c_str());
        rtf.SetCurTextStyle(0, 28, 1, 1, 0, 0);
        rtf.InsertText("顶板 %d 计算结果\n", no);
        rtf.SetCurTextStyle(0, 21, 1, 0, 0, 0);
        for (int k = 0; k < 20; ++k) rtf.InsertText("    M`x~ = %.2f kN·m/m   A`s~ = %.0f mm^2~\n", k * 1.5, k * 120.0);
        rtf.InsertPicture(png, 160, 80);
        rtf.InsertText("结束\n");
        rtf.Close();
    }
}

struct Step {
    double seconds;     // on the clock
    double cpuSeconds;  // of the processor: the figure to compare on a busy machine
    long growthMb;
};

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

template <typename F>
Step Measure(F&& run) {
    const long before = StatusKb("VmRSS");
    ResetPeak();
    QElapsedTimer timer;
    timer.start();
    const double cpu = CpuSeconds();
    run();
    const double seconds = timer.nsecsElapsed() / 1e9;
    return {seconds, CpuSeconds() - cpu, (StatusKb("VmHWM") - before) / 1024};
}

}  // namespace

// With a folder as its argument, the bench also saves a picture of the report
// window after 查看计算书 of each project there, to look at.
int main(int argc, char** argv) {
    const std::string shots = argc > 1 ? argv[1] : std::string();
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    kv::platform::InstallMessageService(std::make_unique<kv::platform::ScriptedMessageService>());
    const std::string png = DrawingPng();
    std::printf("picture: 2000 x 1000, PNG %zu kB\n", png.size() / 1024);

    const auto root = std::filesystem::temp_directory_path() / ("kv-baobiao-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root / "program");
    WriteFile(root / "program" / "FM.RTF", "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\f0\\fs52 Cover\\par}");
    G_strExePath = (root / "program").string() + "/";
    G_ModuleNum = 16;

    for (int items : {100, 320}) {
        const auto dir = root / std::to_string(items);
        MakeProject(dir, items, png);
        std::filesystem::current_path(dir);
        G_strWorkPath = dir.string() + "/";
        auto frame = std::make_unique<CBbFrame>();
        frame->resize(900, 700);
        frame->show();
        G_pBbView = frame->ReportView();
        QApplication::processEvents();

        const Step make = Measure([&] {
            frame->OnMakeBaoBiao();
            frame->ReportView()->grab();  // the first screen of the report painted
        });
        // A new report window, as the next start of the report mode gives.
        frame.reset();
        frame = std::make_unique<CBbFrame>();
        frame->resize(900, 700);
        frame->show();
        G_pBbView = frame->ReportView();
        QApplication::processEvents();
        const Step view = Measure([&] {
            frame->OnViewBaoBiao();
            frame->ReportView()->grab();
        });
        if (!shots.empty()) frame->grab().save(QString::fromStdString(shots + "/baobiao-" + std::to_string(items) + ".png"));
        std::printf("%3d items: 生成计算书 %6.2f s (cpu %6.2f s), +%5ld MB peak | 查看计算书 %6.2f s (cpu %6.2f s), +%5ld MB peak"
                    " | BaoBiao.RTF %.1f MB\n",
                    items, make.seconds, make.cpuSeconds, make.growthMb, view.seconds, view.cpuSeconds, view.growthMb,
                    std::filesystem::file_size(dir / "BaoBiao.RTF") / 1e6);
        std::fflush(stdout);
        frame.reset();
        std::filesystem::current_path(root);
    }
    std::filesystem::remove_all(root);
    return 0;
}

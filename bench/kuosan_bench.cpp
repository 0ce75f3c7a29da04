// The 消波 road after the sizing program has ended: the sizes read from the
// exchange file, the item's data file saved, the report made from the program's
// text report (200 lines) and the sketch drawn and written. The program itself
// is not timed: it is outside. Goal: well under 0.3 s per run on one core.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/globals.h"
#include "loads/kuosan.h"

namespace {

struct Folders {
    Folders() {
        char name[] = "/tmp/kv-kuosan-bench-XXXXXX";
        root = std::string(mkdtemp(name)) + "/";
        for (const char* sub : {"work", "program", "config/kv"}) std::filesystem::create_directories(root + sub);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(root + "work");
        G_strWorkPath = root + "work/";
        G_strExePath = root + "program/";
        setenv("XDG_CONFIG_HOME", (root + "config").c_str(), 1);
        std::ofstream(root + "config/kv/ExOut.ini")
            << "[XBXTCC]\r\nXBType=2\r\nWidth1=2400\r\nHeight1=3000\r\nLength1=2500\r\nWidth2=2200\r\n"
               "Height2=3300\r\nHg2=6500\r\nLength2=1200\r\n";
        std::ofstream report(root + "program/XBJSS.txt");
        for (int i = 0; i < 200; ++i)
            report << "line " << i << ": W1=2400 H1=3000 L1=2500 W2=2200 H2=3300 Hg2=6500 L2=1200\r\n";
    }
    ~Folders() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(root);
    }
    std::string root;
    std::filesystem::path previous;
};

void KuoSanRoad(benchmark::State& state) {
    Folders folders;
    CKuoSanData data;
    data.m_strName = "消波 1";
    data.SetFileName("&KV_0001");
    const std::string path = G_strWorkPath + "&KV_0001.dat";
    for (auto _ : state) {
        bool ok = data.ReadSizes();
        ok = data.SaveData(path.c_str()) && ok;
        ok = data.WriteReport() && ok;
        ok = data.DrawPlan() && ok;
        if (!ok) state.SkipWithError("a step of the road failed");
    }
}
BENCHMARK(KuoSanRoad)->Unit(benchmark::kMillisecond);

}  // namespace

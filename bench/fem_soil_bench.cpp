// The foundation analyses of the finite-element library stage by stage: wall
// time and peak resident memory of each stage, and the size of the soil files,
// on a 19 m x 19 m raft (a 400 mm plate bounded by four 400 x 800 beams) meshed
// at 0.5 m (about 1,500 nodes) under 20 kN/m², on one column of a 1 m fill and
// 20 m of one layer; type 1 (elastic soil) and type 3 (plastic iteration, c = 2).
// First the fill of the soil coefficient table. Every stage runs in a child
// process of its own, so a stage's peak is its own.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "base/error.h"
#include "fem/equ_solver.h"
#include "fem/fb_date.h"
#include "fem/freedom.h"
#include "fem/sf_coef_table.h"
#include "fem/yxy_iter.h"
#include "fem/yxy_net.h"
#include "fem/yxy_out.h"
#include "fem/yxy_soil.h"
#include "fem/yxy_stiff.h"
#include "fem/soil_model.h"

namespace {

bool Stage(const char* name, const std::function<void()>& stage) {
    std::fflush(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        JS_ERROR_CODE = 0;
        stage();
        std::fflush(nullptr);
        _exit(JS_ERROR_CODE ? 1 : 0);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return false;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    std::printf("  %-28s %9.3f s %9.1f MB%s\n", name, seconds, usage.ru_maxrss / 1024.0, ok ? "" : "   FAILED");
    return ok;
}

void Sizes(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(name, ec);
        if (!ec) std::printf("  %-28s %9.1f MB\n", name, size / 1048576.0);
    }
}

void Analyse(int type) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("fem_soil_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    kv::test::FemModel m = kv::test::Raft(19.0f);
    kv::test::FemModel::Case c;
    c.area.push_back({1, 20.0f});
    m.cases.push_back(c);
    {
        std::FILE* f = std::fopen("YXY_JS.DAT", "wb");
        const std::string text = m.Text();
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    std::printf("Raft 19 x 19 m at 0.5 m, type %d:\n", type);
    bool ok = Stage("input reader", [] { FB_DATE().main_date("YXY_JS.DAT", 1, 0); }) &&
              Stage("mesh and freedoms", [&] { YXY_NET().main_net(type, 0.5f, 6000); });
    if (ok) {
        freedom_file layout("FREEDOM.FB");
        std::printf("  %d nodes, %d equations, %d blocks of %d entries\n", layout.node_num, layout.neq,
                    layout.block_num, layout.block_size);
    }
    if (type == 1) {
        ok = ok && Stage("elastic soil", [] { YXY_SOIL().main_soil(); }) &&
             Stage("assembly", [] { YXY_STIFF().main_stiff(1, 3); }) &&
             Stage("solution", [] { YXY_EQU().main_equ(1, 3); }) &&
             Stage("output", [] { YXY_OUT().main_out(1, 3); }) &&
             Stage("dump", [] { YXY_SEE().main_see(1); });
        if (ok) Sizes({"FDSOF1.FB", "FDSOF2.FB", "FDSTF.FB", "STIFF1.FB", "STIFF2.FB"});
        ok = ok && Stage("dense flexibility", [] { YXY_ITER().prepare_softness(); });
        if (ok) Sizes({"FDSOF1.FB"});
    } else {
        ok = ok && Stage("assembly", [] { YXY_STIFF().main_stiff(3, 3); }) &&
             Stage("plastic iteration", [] { YXY_ITER().main_iter(2); }) &&
             Stage("output", [] { YXY_OUT().main_out(3, 3); }) &&
             Stage("dump", [] { YXY_SEE().main_see(1); });
        if (ok) Sizes({"FDSOF1.FB", "FDSTF.FB", "STIFF1.FB", "STIFF2.FB"});
    }
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(folder);
}

}  // namespace

int main() {
    kv::err::SetSink([](int code, const std::string& text) {
        if (code > 100) std::fprintf(stderr, "[%d] %s\n", code, text.c_str());
    });
    std::printf("Soil coefficient table:\n");
    Stage("fill (14 x 101 integrals)", [] { (void)sf_coef_table::sf_table(); });
    Analyse(1);
    Analyse(3);
    return 0;
}

// A whole analysis of the finite-element library stage by stage: wall time and
// peak resident memory of each stage on
//  - the largest grid beam KV admits: 91 x 91 = 8,281 nodes at 2 m (main beams
//    every third line 200 x 500, secondary 200 x 400, C20), w held along the
//    edges and at the inner main crossings, the corners fixed, three load cases;
//    analysed as KV does (type 0, divide length 1.0e6 m, block size 6000);
//  - eight plates of 6 x 6 m (4 x 2, 250 mm, on 300 x 700 beams, every input
//    node held), meshed at 0.25 m, two load cases (type 2).
// Every stage runs in a child process of its own (the stages meet only through
// the work files of the folder), so a stage's peak is its own; the first line
// gives the peak of a child that runs nothing.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/error.h"
#include "fem/equ_solver.h"
#include "fem/fb_date.h"
#include "fem/freedom.h"
#include "fem/yxy_net.h"
#include "fem/yxy_out.h"
#include "fem/yxy_stiff.h"
#include "fem/fem_model.h"

namespace {

using kv::test::FemModel;

// Runs `stage` in a child; its wall time (s) and peak (MB); false when it failed.
bool Stage(const char* name, const std::function<void()>& stage) {
    std::fflush(nullptr);  // or the child writes the parent's pending lines again
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

void Analyse(const char* title, const FemModel& model, const std::string& restraints, int type, float divide) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("fem_run_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    {
        std::FILE* f = std::fopen("YXY_JS.DAT", "wb");
        const std::string text = model.Text();
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
        f = std::fopen("YS.FB", "wb");
        std::fwrite(restraints.data(), 1, restraints.size(), f);
        std::fclose(f);
    }
    std::printf("%s\n", title);
    Stage("(a child that runs nothing)", [] {});
    bool ok = Stage("input reader", [] { FB_DATE().main_date("YXY_JS.DAT", 1, 0); }) &&
              Stage("mesh and freedoms", [&] { YXY_NET().main_net(type, divide, 6000); });
    if (ok) {
        freedom_file layout("FREEDOM.FB");
        std::printf("  %d nodes, %d equations, %d blocks of %d entries\n", layout.node_num, layout.neq,
                    layout.block_num, layout.block_size);
    }
    ok = ok && Stage("assembly", [] { YXY_STIFF().main_stiff(2, 3); }) &&
         Stage("solution", [] { YXY_EQU().main_equ(2, 3); }) &&
         Stage("output", [] { YXY_OUT().main_out(2, 3); }) && Stage("dump", [] { YXY_SEE().main_see(0); });
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(folder);
}

void GridBeam() {
    const int n = 90;          // sub-spans of 2 m each way
    const float step = 2.0f;
    FemModel m;
    m.grade = 20;
    std::vector<std::pair<int, int>> fixed;
    for (int r = 0; r <= n; ++r)
        for (int c = 0; c <= n; ++c) {
            m.AddNode(c * step, r * step);
            const int at = r * (n + 1) + c;
            const bool edge = r == 0 || c == 0 || r == n || c == n;
            if (edge || (r % 3 == 0 && c % 3 == 0)) fixed.push_back({at, 1});
            if ((r == 0 || r == n) && (c == 0 || c == n)) fixed.push_back({at, 2}), fixed.push_back({at, 3});
        }
    FemModel::Case all, mainOnly, secondary;
    for (int r = 0; r <= n; ++r)
        for (int c = 0; c < n; ++c) {
            const bool main = r % 3 == 0;
            const int b = m.AddBeam(r * (n + 1) + c + 1, r * (n + 1) + c + 2, 200, main ? 500 : 400);
            const line_load q{b, 1, {10, 10, 0, step}};
            all.line.push_back(q);
            (main ? mainOnly : secondary).line.push_back(q);
        }
    for (int r = 0; r < n; ++r)
        for (int c = 0; c <= n; ++c) {
            const bool main = c % 3 == 0;
            const int b = m.AddBeam(r * (n + 1) + c + 1, (r + 1) * (n + 1) + c + 1, 200, main ? 500 : 400);
            const line_load q{b, 1, {10, 10, 0, step}};
            all.line.push_back(q);
            (main ? mainOnly : secondary).line.push_back(q);
        }
    m.cases = {all, mainOnly, secondary};
    Analyse("Grid beam, 91 x 91 nodes (type 0, 1.0e6 m, 6000):", m, kv::test::RestraintText(fixed), 0, 1.0e6f);
}

void EightPlates() {
    FemModel m;
    for (int r = 0; r <= 2; ++r)
        for (int c = 0; c <= 4; ++c) m.AddNode(6.0f * c, 6.0f * r, 1);
    auto node = [](int c, int r) { return r * 5 + c + 1; };
    std::vector<std::vector<int>> horizontal(3, std::vector<int>(4)), vertical(2, std::vector<int>(5));
    for (int r = 0; r <= 2; ++r)
        for (int c = 0; c < 4; ++c) horizontal[r][c] = m.AddBeam(node(c, r), node(c + 1, r), 300, 700);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c <= 4; ++c) vertical[r][c] = m.AddBeam(node(c, r), node(c, r + 1), 300, 700);
    FemModel::Case pressure, beams;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c) {
            m.plates.push_back({horizontal[r][c], vertical[r][c + 1], horizontal[r + 1][c], vertical[r][c]});
            pressure.area.push_back({int(m.plates.size()), 10.0f});
        }
    for (int b = 1; b <= int(m.beams.size()); ++b) beams.line.push_back({b, 1, {15, 15, 0, 6}});
    m.cases = {pressure, beams};
    Analyse("Eight plates of 6 x 6 m at 0.25 m (type 2):", m, kv::test::RestraintText({}), 2, 0.25f);
}

}  // namespace

int main() {
    kv::err::SetSink([](int code, const std::string& text) {
        if (code > 100) std::fprintf(stderr, "[%d] %s\n", code, text.c_str());
    });
    GridBeam();
    EightPlates();
    return 0;
}

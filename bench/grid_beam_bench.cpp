// The grid beam's whole calculation on the largest grid KV takes: x and y spans
// "6*30" with two secondary beams each way (91 × 91 = 8,281 nodes), in a
// temporary work folder. Printed: the time of every stage of the run (model,
// input files, and in the library the input reader, mesh, assembly, solution
// and output; forces, redistribution, design and report; drawings) with the
// peak memory after it, the same run through jzl_calculate as the dialog calls
// it, and the library's solution against Eigen's SimplicialLDLT on the same
// matrix (assembled here from the run's present beams and restraints, the three
// load cases as right-hand sides; target ≤ 1.5). Then three secondary beams
// each way (14,641 nodes), which must stop at once at the library's node limit.
#include "base/error.h"
#include "base/globals.h"
#include "fem/beam_element.h"
#include "members/beams/fem_files.h"
#include "members/beams/jzl_calc.h"
#include "members/beams/jzl_data.h"

#include <Eigen/Sparse>
#include <Eigen/SparseCholesky>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

CJzlData Largest(int secondary) {
    CJzlData data;
    data.XSpans = data.YSpans = "6*30";
    data.XSecondary = data.YSecondary = secondary;
    data.SetFileName("BENCH");
    return data;
}

// Runs one stage, prints its time and the peak memory so far; false when it
// left the error code set.
bool Stage(const char* name, const std::function<void()>& stage, double* seconds = nullptr) {
    const auto start = Clock::now();
    stage();
    const double s = Since(start);
    if (seconds) *seconds = s;
    std::printf("  %-34s %8.3f s   peak %8.1f MB%s\n", name, s, PeakMegabytes(), JS_ERROR_CODE ? "   FAILED" : "");
    return JS_ERROR_CODE == 0;
}

// Eigen's LDLᵀ on the grid's matrix: every present beam one element with the
// library's element matrix, the restrained freedoms struck out; its best time
// of three (analysis, factorisation and three solves).
double EigenSeconds(const CJzlJs& js, int& equations) {
    const float E = 2.55e7f, nu = 0.2f;  // C20, kN/m²
    std::vector<int> eq(3 * js.m_Nodes.size(), 0);
    for (const JZL_NODE& n : js.m_Nodes) {
        const int held = n.support == 1 ? 1 : n.support == 2 ? 3 : 0;
        for (int f = 0; f < held; ++f) eq[static_cast<std::size_t>(3 * n.index + f)] = -1;
    }
    equations = 0;
    for (int& e : eq)
        if (e == 0) e = equations++;
    std::vector<Eigen::Triplet<double>> triplets;
    for (const JZL_BEAM& b : js.m_Beams) {
        if (b.absent) continue;
        const float x[2] = {b.x1, b.x2}, y[2] = {b.y1, b.y2};
        const float s = std::min(b.b, b.h), t = std::max(b.b, b.h);
        const float I = b.b * b.h * b.h * b.h / 12.0f / 1.0e12f;
        const float J = s * s * s * s * (t / (3.0f * s) - 0.21f + 0.0175f / std::pow(t / s, 4.0f)) / 1.0e12f;
        float K[36] = {}, R[36];
        kv::fem::stiff_beam_local(K, x, y, J, I, E, nu);
        kv::fem::form_rotate_matrix(R, std::atan2(y[1] - y[0], x[1] - x[0]));
        int dof[6];
        for (int k = 0; k < 3; ++k) {
            dof[k] = eq[static_cast<std::size_t>(3 * (b.node1 - 1) + k)];
            dof[3 + k] = eq[static_cast<std::size_t>(3 * (b.node2 - 1) + k)];
        }
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 6; ++j) {
                if (dof[i] < 0 || dof[j] < 0) continue;
                double v = 0;
                for (int p = 0; p < 6; ++p)
                    for (int q = 0; q < 6; ++q) v += double(R[p * 6 + i]) * K[p * 6 + q] * R[q * 6 + j];
                triplets.emplace_back(dof[i], dof[j], v);
            }
    }
    Eigen::SparseMatrix<double> A(equations, equations);
    A.setFromTriplets(triplets.begin(), triplets.end());
    const Eigen::MatrixXd B = Eigen::MatrixXd::Ones(equations, 3);
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
        const auto start = Clock::now();
        Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> ldlt(A);
        const Eigen::MatrixXd X = ldlt.solve(B);
        best = std::min(best, Since(start));
        if (ldlt.info() != Eigen::Success) std::fprintf(stderr, "Eigen failed\n");
    }
    return best;
}

}  // namespace

int main() {
    const std::filesystem::path work =
        std::filesystem::temp_directory_path() / ("grid_beam_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(work);
    std::filesystem::current_path(work);
    G_strWorkPath = work.string() + "/";
    kv::err::SetSink([](int code, const std::string& text) {
        if (code > 201) std::fprintf(stderr, "[%d] %s\n", code, text.c_str());
    });

    CJzlData data = Largest(2);
    JS_ERROR_CODE = 0;
    CJzlJs js;
    std::printf("grid beam, x and y spans 6*30, two secondary beams each way, stage by stage:\n");
    const auto begin = Clock::now();
    double solution = 0;
    bool ok = Stage("model", [&] {
        js.jzl_build_grid(&data);
        if (!JS_ERROR_CODE) js.jzl_prepare_model();
    });
    std::printf("  (%zu nodes, %zu beams, %zu panels)\n", js.m_Nodes.size(), js.m_Beams.size(), js.m_Panels.size());
    ok = ok && Stage("input and restraint files", [&] {
             js.WriteYxyJsDat();
             if (!JS_ERROR_CODE) js.WriteYsFb();
         });
    ok = ok && Stage("library: input reader", [&] { js.m_FbDate.main_date("YXY_JS.DAT", 1, 0); });
    ok = ok && Stage("library: mesh and freedoms", [&] { js.m_Yxy.net.main_net(0, 1.0e6f, 6000); });
    ok = ok && Stage("library: assembly", [&] { js.m_Yxy.stiff.main_stiff(2, 3); });
    ok = ok && Stage("library: solution", [&] { js.m_Yxy.equ.main_equ(2, 3); }, &solution);
    ok = ok && Stage("library: output", [&] {
             js.m_Yxy.out.main_out(2, 3);
             if (!JS_ERROR_CODE) js.m_Yxy.see.main_see(0);
         });
    ok = ok && Stage("forces, redistribution, design, report", [&] {
             js.ReadForceFb();
             if (!JS_ERROR_CODE) js.jzl_redistribute(&data);
             if (!JS_ERROR_CODE) js.WriteReport();
         });
    ok = ok && Stage("drawings", [&] { js.WriteDxf(); });
    std::printf("  %-34s %8.3f s\n", "total", Since(begin));
    if (!ok) return 1;

    int equations = 0;
    const double eigen = EigenSeconds(js, equations);
    std::printf("Eigen SimplicialLDLT, %d equations, three right-hand sides: %.3f s; library / Eigen = %.2f\n",
                equations, eigen, solution / eigen);
    delete_fem_files();

    JS_ERROR_CODE = 0;
    auto t = Clock::now();
    const int whole = jzl_calculate(&data);
    std::printf("the same through jzl_calculate: %d in %.3f s, peak %.1f MB\n", whole, Since(t), PeakMegabytes());

    CJzlData over = Largest(3);
    JS_ERROR_CODE = 0;
    t = Clock::now();
    const int ran = jzl_calculate(&over);
    std::printf("three secondary beams each way (14,641 nodes): jzl_calculate %d after %.3f s, error code %d\n", ran,
                Since(t), JS_ERROR_CODE);
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(work);
    return 0;
}

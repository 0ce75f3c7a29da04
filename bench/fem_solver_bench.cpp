// The block skyline solver on the largest grid beam KV admits, against Eigen's
// sparse LDLᵀ on the same matrix and right-hand sides.
//
// The grid: x spans "6*30", y spans "6*30", two secondary beams each way, so 90 x
// 90 sub-spans of 2 m and 91 x 91 = 8,281 nodes; no edge beams, every edge simply
// supported, the inner crossings of main beams on columns, the four bare corners
// fixed. Main beams 200 x 500, secondary 200 x 400, concrete modulus 2.55e7 kN/m².
// The nodes are renumbered by the strip sort of the mesh stage with KV's divide
// length (1.0e6 m: one strip, ordered by the other coordinate), the freedoms
// numbered, the skyline laid out and assembled into "STIFF1.FB" with block size
// 6000 (raised to three times the node count), exactly as a grid-beam run does.
// Then the timed part: the factorisation and the substitution of three load cases
// through the block files, and SimplicialLDLT (default ordering) on the same matrix.
#include "fem/beam_element.h"
#include "fem/binio.h"
#include "fem/equ_solver.h"
#include "fem/freedom.h"

#include "base/error.h"

#include <Eigen/Sparse>
#include <Eigen/SparseCholesky>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kSpans = 30;       // main spans each way
constexpr int kParts = 3;        // two secondary beams: every span in three
constexpr double kSpan = 6.0;    // m
constexpr int kBlockSize = 6000; // what KV passes
constexpr float kE = 2.55e7f;    // kN/m², C20
constexpr float kNu = 0.2f;

struct Node {
    float x, y;
    int support;  // 0 none, 1 w restrained, 2 all three
    int index;    // position before the renumbering
};

struct Beam {
    int i, j;  // node indexes before the renumbering
    float b, h;  // mm
};

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The grid of the grid beam: nodes, supports and the present beams.
void BuildGrid(std::vector<Node>& nodes, std::vector<Beam>& beams) {
    const int n = kSpans * kParts;  // sub-spans each way
    const float step = float(kSpan / kParts);
    nodes.clear();
    for (int r = 0; r <= n; ++r)
        for (int c = 0; c <= n; ++c) {
            Node p{c * step, r * step, 0, r * (n + 1) + c};
            const bool mainCrossing = r % kParts == 0 && c % kParts == 0;
            if (mainCrossing && c > 0 && c < n && r > 0 && r < n) p.support = 1;
            if (r == 0 || r == n || c == 0 || c == n) p.support = 1;  // edge support 1 (简支)
            nodes.push_back(p);
        }
    // No edge beams: the four corners carry no beam and are fixed.
    for (int k : {0, n, n * (n + 1), n * (n + 1) + n}) nodes[std::size_t(k)].support = 2;
    beams.clear();
    for (int r = 1; r < n; ++r)  // horizontal beams off the two edge rows
        for (int c = 0; c < n; ++c) {
            const bool secondary = r % kParts != 0;
            beams.push_back({r * (n + 1) + c, r * (n + 1) + c + 1, 200.0f, secondary ? 400.0f : 500.0f});
        }
    for (int r = 0; r < n; ++r)  // vertical beams off the two edge columns
        for (int c = 1; c < n; ++c) {
            const bool secondary = c % kParts != 0;
            beams.push_back({r * (n + 1) + c, (r + 1) * (n + 1) + c, 200.0f, secondary ? 400.0f : 500.0f});
        }
}

// The mesh stage's strip sort: strips of width w across the first coordinate,
// each ordered by the second by a selection sort that swaps; sortY: strips
// across y (the sort the mesh stage calls strip_sort_y).
void StripSort(std::vector<Node>& t, float w, bool sortY) {
    auto across = [&](const Node& p) { return sortY ? p.y : p.x; };
    auto along = [&](const Node& p) { return sortY ? p.x : p.y; };
    const std::size_t n = t.size();
    std::size_t b = 0;
    while (b < n) {
        float smallest = 1.0e10f;
        for (std::size_t k = b; k < n; ++k)
            if (across(t[k]) < smallest) smallest = across(t[k]);
        std::size_t i = b;
        for (std::size_t k = b; k < n; ++k)
            if (across(t[k]) < smallest + w) std::swap(t[k], t[i++]);
        for (std::size_t l = b; l < i; ++l) {
            std::size_t at = l;
            for (std::size_t m = l; m < i; ++m)
                if (along(t[m]) < along(t[at])) at = m;
            std::swap(t[l], t[at]);
        }
        b = i;
    }
}

void Renumber(std::vector<Node>& nodes, float divideLength) {
    float x0 = 1e30f, x1 = -1e30f, y0 = 1e30f, y1 = -1e30f;
    for (const Node& p : nodes) {
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    }
    StripSort(nodes, divideLength / 3.0f, !(x1 - x0 > y1 - y0));
}

// Section constants of a b x h rectangle in mm⁴, as the element data file keeps them.
void Section(float b, float h, float& J, float& I) {
    I = b * h * h * h / 12.0f;
    const float s = std::min(b, h), t = std::max(b, h);
    J = s * s * s * s * (t / (3.0f * s) - 0.21f + 0.0175f / std::pow(t / s, 4.0f));
}

// K_global = Rᵀ·K·R (6 x 6).
void Rotate(float K[36], float angle) {
    float R[36], KR[36];
    kv::fem::form_rotate_matrix(R, angle);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c) {
            float s = 0;
            for (int m = 0; m < 6; ++m) s += K[r * 6 + m] * R[m * 6 + c];
            KR[r * 6 + c] = s;
        }
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c) {
            float s = 0;
            for (int m = 0; m < 6; ++m) s += R[m * 6 + r] * KR[m * 6 + c];
            K[r * 6 + c] = s;
        }
}

struct Element {
    std::int32_t eq[6];
    float K[36];
    float f[6];  // consistent loads of 10 kN/m downward, global
    bool mainX;  // a horizontal main beam (the second case loads only these)
};

}  // namespace

int main() {
    const auto tmp = std::filesystem::temp_directory_path() / ("fem_solver_bench." + std::to_string(getpid()));
    std::filesystem::create_directories(tmp);
    std::filesystem::current_path(tmp);
    kv::err::SetSink([](int code, const std::string& text) {
        if (code > 100) std::fprintf(stderr, "[%d] %s\n", code, text.c_str());
    });

    // ---- the model, as a grid-beam run builds it --------------------------------
    std::vector<Node> nodes;
    std::vector<Beam> beams;
    BuildGrid(nodes, beams);
    const int nodeCount = int(nodes.size());
    Renumber(nodes, 1.0e6f);
    std::vector<int> newOfOld(std::size_t(nodeCount), 0);
    for (int k = 0; k < nodeCount; ++k) newOfOld[std::size_t(nodes[std::size_t(k)].index)] = k;

    freedom_num layout(0, kBlockSize);
    layout.node_num = nodeCount;
    layout.block_size = std::max(kBlockSize, 3 * nodeCount);
    for (auto& ids : layout.id) ids.assign(std::size_t(nodeCount), 0);
    for (int k = 0; k < nodeCount; ++k) {
        const Node& p = nodes[std::size_t(k)];
        if (p.support >= 1) layout.id[0][std::size_t(k)] = -1;
        if (p.support == 2) layout.id[1][std::size_t(k)] = layout.id[2][std::size_t(k)] = -1;
    }
    layout.number();
    const int neq = layout.neq;
    layout.height.assign(std::size_t(neq) + 1, 0);

    std::vector<Element> elements;
    for (const Beam& b : beams) {
        Element e{};
        const int i = newOfOld[std::size_t(b.i)], j = newOfOld[std::size_t(b.j)];
        for (int f = 0; f < 3; ++f) {
            e.eq[f] = layout.id[f][std::size_t(i)];
            e.eq[3 + f] = layout.id[f][std::size_t(j)];
        }
        const Node &pi = nodes[std::size_t(i)], &pj = nodes[std::size_t(j)];
        const float x[2] = {pi.x, pj.x}, y[2] = {pi.y, pj.y};
        float J, I;
        Section(b.b, b.h, J, I);
        kv::fem::stiff_beam_local(e.K, x, y, J / 1.0e12f, I / 1.0e12f, kE, kNu);
        const float angle = std::atan2(pj.y - pi.y, pj.x - pi.x);
        Rotate(e.K, angle);
        const float L = std::hypot(pj.x - pi.x, pj.y - pi.y);
        float local[6], R[36];
        kv::fem::cal_load_beam(local, L, -10.0f, -10.0f, 0.0f, L);
        kv::fem::form_rotate_matrix(R, angle);
        for (int c = 0; c < 6; ++c) {
            e.f[c] = 0;
            for (int m = 0; m < 6; ++m) e.f[c] += R[m * 6 + c] * local[m];
        }
        e.mainX = pi.y == pj.y && b.h == 500.0f;
        layout.add_list(e.eq, 6);
        elements.push_back(e);
    }
    if (!layout.form_addr() || !layout.write_col()) return 1;
    const int blocks = layout.block_num;
    const int bs = layout.block_size;
    std::vector<std::int32_t> firstrow(std::size_t(neq) + 1, 0);
    for (int j = 1; j <= neq; ++j) firstrow[std::size_t(j)] = j - layout.height[std::size_t(j)] + 1;

    // ---- assembly into the block file, and the same matrix for Eigen -------------
    using Triplet = Eigen::Triplet<double>;
    std::vector<Triplet> triplets;
    {
        std::FILE* f = std::fopen("STIFF1.FB", "wb");
        std::vector<double> block(static_cast<std::size_t>(bs));
        for (int b = 1; b <= blocks; ++b) {
            std::fill(block.begin(), block.end(), 0.0);
            for (const Element& e : elements)
                if (kv::fem::ele_in_block(e.eq, 6, b, layout.blockend.data()))
                    kv::fem::add_ele_symmetri(b, e.K, 6, e.eq, block.data(), layout.blockend.data(),
                                              layout.addr.data(), firstrow.data());
            kv::fem::bin::put_f64s(f, block.data(), block.size());
            const long base = layout.addr[std::size_t(layout.blockend[std::size_t(b - 1)])];
            for (int j = layout.blockend[std::size_t(b - 1)] + 1; j <= layout.blockend[std::size_t(b)]; ++j)
                for (int i = firstrow[std::size_t(j)]; i <= j; ++i) {
                    const double v = block[std::size_t(layout.addr[std::size_t(j)] - j + i - 1 - base)];
                    if (v == 0.0) continue;
                    triplets.emplace_back(i - 1, j - 1, v);
                    if (i != j) triplets.emplace_back(j - 1, i - 1, v);
                }
        }
        std::fclose(f);
    }
    std::filesystem::copy_file("STIFF1.FB", "STIFF1.ORIG", std::filesystem::copy_options::overwrite_existing);

    const int cases = 3;
    std::vector<double> loads(std::size_t(cases) * neq, 0.0);
    for (const Element& e : elements)
        for (int k = 0; k < 6; ++k) {
            if (e.eq[k] <= 0) continue;
            loads[std::size_t(e.eq[k] - 1)] += e.f[k];
            if (e.mainX) loads[std::size_t(neq + e.eq[k] - 1)] += e.f[k];
        }
    for (int q = 0; q < neq; ++q) loads[std::size_t(2 * neq + q)] = loads[std::size_t(q)] + loads[std::size_t(neq + q)];

    Eigen::SparseMatrix<double> A(neq, neq);
    A.setFromTriplets(triplets.begin(), triplets.end());
    triplets = {};
    Eigen::MatrixXd B(neq, cases);
    for (int c = 0; c < cases; ++c)
        for (int q = 0; q < neq; ++q) B(q, c) = loads[std::size_t(c) * neq + q];

    // ---- the block solver through its files ------------------------------------
    double blockTime = 1e30, factorTime = 1e30;
    std::vector<double> x;
    for (int run = 0; run < 3; ++run) {
        std::filesystem::copy_file("STIFF1.ORIG", "STIFF1.FB", std::filesystem::copy_options::overwrite_existing);
        {
            std::FILE* lv = std::fopen("LOAD_V.FB", "wb");
            kv::fem::bin::put_f64s(lv, loads.data(), loads.size());
            std::fclose(lv);
        }
        JS_ERROR_CODE = 0;
        const auto start = std::chrono::steady_clock::now();
        std::FILE* stiff = std::fopen("STIFF1.FB", "rb+");
        std::vector<double> diag(std::size_t(neq) + 1);
        equ_solver solver;
        solver.tri_symmetri(stiff, blocks, neq, bs, layout.blockend.data(), layout.addr.data(), diag.data());
        factorTime = std::min(factorTime, Seconds(start));
        std::FILE* lv = std::fopen("LOAD_V.FB", "rb+");
        x.assign(std::size_t(cases) * neq, 0.0);
        kv::fem::bin::get_f64s(lv, x.data(), x.size());
        solver.Back_symmetri(stiff, blocks, neq, bs, layout.blockend.data(), layout.addr.data(), diag.data(), cases,
                             x.data());
        std::fseek(lv, 0, SEEK_SET);
        kv::fem::bin::put_f64s(lv, x.data(), x.size());
        std::fclose(lv);
        std::fclose(stiff);
        blockTime = std::min(blockTime, Seconds(start));
        if (JS_ERROR_CODE) {
            std::fprintf(stderr, "block solver failed\n");
            return 1;
        }
    }
    const long peakAfterBlocks = PeakKilobytes();

    // ---- Eigen ---------------------------------------------------------------
    double eigenTime = 1e30;
    Eigen::MatrixXd X;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> ldlt;
        ldlt.compute(A);
        X = ldlt.solve(B);
        eigenTime = std::min(eigenTime, Seconds(start));
        if (ldlt.info() != Eigen::Success) {
            std::fprintf(stderr, "Eigen failed\n");
            return 1;
        }
    }

    auto residual = [&](const Eigen::MatrixXd& sol) {
        return (A * sol - B).norm() / B.norm();
    };
    Eigen::MatrixXd Xb(neq, cases);
    for (int c = 0; c < cases; ++c)
        for (int q = 0; q < neq; ++q) Xb(q, c) = x[std::size_t(c) * neq + q];

    const long profile = layout.addr[std::size_t(neq)];
    std::printf("grid beam 6*30 x 6*30, two secondary beams each way\n");
    std::printf("nodes %d, equations %d, beams %zu, cases %d\n", nodeCount, neq, beams.size(), cases);
    std::printf("profile length %ld (mean column height %.1f), blocks %d of %d doubles, block file %lld bytes\n",
                profile, double(profile) / neq, blocks, bs, (long long)blocks * bs * 8);
    std::printf("block solver (factorise + 3 cases, through the files): %.3f s, residual %.2e\n", blockTime,
                residual(Xb));
    std::printf("Eigen SimplicialLDLT (default ordering, compute + solve): %.3f s, residual %.2e\n", eigenTime,
                residual(X));
    std::printf("  of which the factorisation %.3f s\n", factorTime);
    std::printf("ratio block / Eigen: %.2f (target <= 1.5)\n", blockTime / eigenTime);
    std::printf("largest difference of the two solutions: %.2e (largest |x| %.2e)\n", (Xb - X).cwiseAbs().maxCoeff(),
                X.cwiseAbs().maxCoeff());
    std::printf("peak memory (ru_maxrss): %ld kB after the block solver, %ld kB at the end\n", peakAfterBlocks,
                PeakKilobytes());

    std::filesystem::current_path("/");
    std::filesystem::remove_all(tmp);
    return 0;
}

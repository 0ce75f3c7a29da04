// The mesh stage, fast against the plain scans the tests keep as oracles:
// renumbering 10,000 nodes (grid and random; strips of 0.25 m / 3, or one
// strip as the main program's divide length gives) and meshing plates (eight 6 x 6 m
// squares, an L-shaped plate, a quadrilateral with unequal sides), each at
// three sizes so the growth shows. Each Literal line also gives the fast
// version's time for its arguments and the ratio literal_over_fast.
#include <benchmark/benchmark.h>

#include <chrono>

#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "base/error.h"
#include "fem/mesh_literal.h"
#include "fem/yxy_net.h"

namespace {

void Quiet() {
    static bool done = false;
    if (!done) kv::err::SetSink([](int, const std::string&) {});
    done = true;
    JS_ERROR_CODE = 0;
}

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

// On a literal line: the fast version's time for the same arguments (one run)
// and the literal version's time per run over it.
void ReportRatio(benchmark::State& state, double literalSeconds, double fastSeconds) {
    state.counters["fast_ms"] = fastSeconds * 1e3;
    const double perRun = state.iterations() ? literalSeconds / state.iterations() : 0;
    state.counters["literal_over_fast"] = fastSeconds > 0 ? perRun / fastSeconds : 0;
}

// n nodes: a square grid in creation order, or random points.
void FillNodes(YXY_NET& net, int n, bool grid) {
    net.new_point_table();
    net.divide_length = 0.25f;
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> u(0, 25);
    int side = static_cast<int>(std::ceil(std::sqrt(n)));
    for (int i = 0; i < n; ++i) {
        if (grid)
            net.add_point((i % side) * 0.25f, (i / side) * 0.25f);
        else
            net.add_point(u(rng), u(rng));
    }
}

void Renumber(benchmark::State& state, bool literal) {
    Quiet();
    const int n = static_cast<int>(state.range(0));
    const bool grid = state.range(1) != 0;
    YXY_NET net;
    auto fill = [&] {
        FillNodes(net, n, grid);
        // The main program's divide length puts every node in one strip.
        if (state.range(2)) net.divide_length = 1.0e6f;
    };
    double spent = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fill();
        state.ResumeTiming();
        const auto t0 = Clock::now();
        if (literal)
            kv::test::LiteralStripSort(net.points.get(), net.point_num, net.divide_length, false);
        else
            net.strip_sort_y();
        spent += Since(t0);
        benchmark::DoNotOptimize(net.points[0]);
    }
    if (literal) {
        fill();
        const auto t0 = Clock::now();
        net.strip_sort_y();
        ReportRatio(state, spent, Since(t0));
    }
}
void BM_RenumberFast(benchmark::State& s) { Renumber(s, false); }
void BM_RenumberLiteral(benchmark::State& s) { Renumber(s, true); }

// Plates: 0 = eight 6 x 6 m squares, 1 = an L-shaped plate, 2 = a quadrilateral
// with unequal sides; range(1) the divide length in hundredths of a metre.
std::vector<std::vector<std::pair<float, float>>> Plates(int kind) {
    if (kind == 0) {
        std::vector<std::vector<std::pair<float, float>>> out;
        for (int i = 0; i < 8; ++i) {
            float x = 6.0f * (i % 4), y = 6.0f * (i / 4);
            out.push_back({{x, y}, {x + 6, y}, {x + 6, y + 6}, {x, y + 6}});
        }
        return out;
    }
    if (kind == 1) return {{{0, 0}, {8, 0}, {8, 3}, {3, 3}, {3, 8}, {0, 8}}};
    return {{{0, 0}, {6, 0}, {5.2f, 4.4f}, {0.4f, 3.6f}}};
}

// The node table with the plates' boundary chains, ready to mesh.
struct PlateSet {
    YXY_NET net;
    std::vector<net_chain> chains;
    ~PlateSet() {
        if (net.pre_file) std::fclose(net.pre_file);
        net.pre_file = nullptr;
    }
};

std::unique_ptr<PlateSet> MakePlates(int kind, float h) {
    auto set = std::make_unique<PlateSet>();
    YXY_NET& net = set->net;
    net.new_point_table();
    net.divide_length = h;
    net.pre_file = std::tmpfile();
    for (const auto& corners : Plates(kind)) {
        net_chain chain;
        const int k = static_cast<int>(corners.size());
        for (int i = 0; i < k; ++i) {
            auto [x0, y0] = corners[i];
            auto [x1, y1] = corners[(i + 1) % k];
            int m = std::max(1, static_cast<int>(std::hypot(x1 - x0, y1 - y0) / h));
            for (int j = 0; j < m; ++j) {
                net.add_point(x0 + (x1 - x0) * j / m, y0 + (y1 - y0) * j / m);
                chain.push_back(net.points[net.point_num - 1]);
            }
        }
        set->chains.push_back(chain);
    }
    return set;
}

void MeshAll(PlateSet& set, bool literal) {
    for (net_chain& chain : set.chains) {
        if (literal)
            kv::test::LiteralMeshPolygon(set.net, chain);
        else
            set.net.mesh_plate(1, chain);
    }
}

void MeshPlates(benchmark::State& state, bool literal) {
    Quiet();
    const int kind = static_cast<int>(state.range(0));
    const float h = state.range(1) / 100.0f;
    int triangles = 0;
    double spent = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto set = MakePlates(kind, h);
        state.ResumeTiming();
        const auto t0 = Clock::now();
        MeshAll(*set, literal);
        spent += Since(t0);
        triangles = set->net.tri_num;
        state.PauseTiming();
        set.reset();
        state.ResumeTiming();
    }
    state.counters["triangles"] = triangles;
    state.counters["error"] = JS_ERROR_CODE;
    if (literal) {
        auto set = MakePlates(kind, h);
        const auto t0 = Clock::now();
        MeshAll(*set, false);
        ReportRatio(state, spent, Since(t0));
    }
}
void BM_MeshFast(benchmark::State& s) { MeshPlates(s, false); }
void BM_MeshLiteral(benchmark::State& s) { MeshPlates(s, true); }

void RenumberArgs(benchmark::internal::Benchmark* b) {
    for (int wide : {0, 1})
        for (int grid : {1, 0})
            for (int n : {2500, 5000, 10000}) b->Args({n, grid, wide});
    b->Unit(benchmark::kMillisecond);
}
void MeshArgs(benchmark::internal::Benchmark* b) {
    for (int kind : {0, 1, 2})
        for (int h : {100, 50, 25}) b->Args({kind, h});
    b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_RenumberFast)->Apply(RenumberArgs);
BENCHMARK(BM_RenumberLiteral)->Apply(RenumberArgs)->Iterations(1);
BENCHMARK(BM_MeshFast)->Apply(MeshArgs);
BENCHMARK(BM_MeshLiteral)->Apply(MeshArgs)->Iterations(1);

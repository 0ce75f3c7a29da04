// The lining's transfer-matrix core: element matrices and load vectors per
// second, and one pass of a section driver's inner loop over three parts of 40
// elements (floor, wall, crown: integrate, chain, close, solve, propagate).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "lining/engine/jiemian.h"
#include "lining/engine/transfer_matrix.h"
#include "lining/sections/tunnel_lining_data.h"

namespace {

CJieMianBase& Section(CTunnelLiningData& data) {
    data.m_nJieMianType = 3;
    return *data.GetCurJieMian();
}

void ElementMatrices(benchmark::State& state) {
    CTunnelLiningData data;
    CJieMianBase& s = Section(data);
    double H[36];
    int i = 0;
    for (auto _ : state) {
        s.CalHj_Arc(40, i, 3.46f, 1.047f, 0.6f, 0.8f, 1, 1, 1, 500, H);
        benchmark::DoNotOptimize(H[0]);
        i = (i + 1) % 40;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ElementMatrices);

void ElementLoadVectors(benchmark::State& state) {
    CTunnelLiningData data;
    CJieMianBase& s = Section(data);
    double P[6];
    int i = 0;
    for (auto _ : state) {
        s.CalPj_DingGong(40, i, 3.46f, 0.6f, 0.8f, 1.047f, 6, 0, 500, 1, 1, 1, 1, P, nullptr);
        benchmark::DoNotOptimize(P[1]);
        i = (i + 1) % 40;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ElementLoadVectors);

void ThreePartChain(benchmark::State& state) {
    CTunnelLiningData data;
    CJieMianBase& s = Section(data);
    const int n = 40, parts = 3;
    const float b = 3, tf = 0.6f, H = 6, tw = 0.6f, alpha = 60 * 3.1415927f / 180, R = b / std::sin(alpha);
    const double h[parts] = {double(b) / n, double(H) / n, double(R) * alpha / n};
    std::vector<int> flags(parts * (n + 1), 1), mids(parts * n, 1);
    std::vector<double> Hm(36 * parts * n), P(6 * parts * n), nodes(6 * parts * (n + 1));
    double joint[2][36];
    CJieMianBase::RotateMatrix(joint[0], 1.5707964);
    CJieMianBase::RotateMatrix(joint[1], 1.5707964 - alpha);
    for (auto _ : state) {
        s.CalDiBan(n, b, tf, 500, &flags[0], &mids[0], &Hm[0], &P[0], 1, 0, 0, nullptr);
        s.CalCeQiang(n, 0, H, tw, 500, &flags[n + 1], &mids[n], &Hm[36 * n], &P[6 * n], 1, nullptr);
        s.CalDingGong(n, R, 0.6f, 0.6f, alpha, H, 0, 500, &flags[2 * (n + 1)], &mids[2 * n], &Hm[72 * n],
                      &P[12 * n], 1, nullptr);
        // T and F over the chain, the joints between the parts.
        double T[36] = {}, F[6] = {}, next[36], f[6];
        for (int d = 0; d < 6; ++d) T[d * 7] = 1;
        for (int p = 0; p < parts; ++p) {
            if (p > 0) {
                CJieMianBase::MatMul(next, joint[p - 1], T, 6, 6, 6);
                CJieMianBase::MatMul(f, joint[p - 1], F, 6, 6, 1);
                std::copy(next, next + 36, T);
                std::copy(f, f + 6, F);
            }
            for (int i = 0; i < n; ++i) {
                const double* He = &Hm[36 * (p * n + i)];
                CJieMianBase::MatMul(next, He, T, 6, 6, 6);
                CJieMianBase::MatMul(f, He, F, 6, 6, 1);
                std::copy(next, next + 36, T);
                for (int e = 0; e < 6; ++e) F[e] = f[e] + h[p] * P[6 * (p * n + i) + e];
            }
        }
        double A[36], r[6] = {};
        CJieMianBase::BoundaryMatrix(0, A, 50000, 1, 1, 1, 1);
        CJieMianBase::MatMul(A + 18, A, T, 3, 6, 6);
        CJieMianBase::MatMul(r + 3, A, F, 3, 6, 1);
        for (int e = 3; e < 6; ++e) r[e] = -r[e];
        New_gaussj(A, 6, r, 1);
        // Every node from the start state.
        std::copy(r, r + 6, &nodes[0]);
        for (int p = 0; p < parts; ++p) {
            double* first = &nodes[6 * p * (n + 1)];
            if (p > 0) CJieMianBase::MatMul(first, joint[p - 1], first - 6, 6, 6, 1);
            for (int i = 0; i < n; ++i) {
                CJieMianBase::MatMul(first + 6 * (i + 1), &Hm[36 * (p * n + i)], first + 6 * i, 6, 6, 1);
                for (int e = 0; e < 6; ++e) first[6 * (i + 1) + e] += h[p] * P[6 * (p * n + i) + e];
            }
        }
        benchmark::DoNotOptimize(nodes.back());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ThreePartChain)->Unit(benchmark::kMicrosecond);

}  // namespace

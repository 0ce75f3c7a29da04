#include "lining/engine/section_driver.h"

#include <algorithm>
#include <cstring>

#include "base/error.h"
#include "lining/engine/jiemian.h"
#include "lining/engine/transfer_matrix.h"

namespace kv::lining {

namespace {

void Identity(double* T) {
    std::fill(T, T + 36, 0.0);
    for (int d = 0; d < 6; ++d) T[d * 7] = 1.0;
}

// v ← M·v + h·p (p may be null).
void Step(const double* M, double* v, const double* p, double h) {
    double out[6];
    CJieMianBase::MatMul(out, M, v, 6, 6, 1);
    for (int c = 0; c < 6; ++c) v[c] = out[c] + (p ? h * p[c] : 0.0);
}

}  // namespace

void ChainDm(int n, const DriverSetup& setup, const double* H, double* T) {
    Identity(T);
    double product[36];
    double rotation[36];
    const int parts = static_cast<int>(setup.parts.size());
    for (int p = 0; p < parts; ++p) {
        if (p > 0) {
            CJieMianBase::RotateMatrix(rotation, setup.joints[p - 1]);
            CJieMianBase::MatMul(product, rotation, T, 6, 6, 6);
            std::copy(product, product + 36, T);
        }
        for (int j = 0; j < n; ++j) {
            CJieMianBase::MatMul(product, H + (p * n + j) * 36, T, 6, 6, 6);
            std::copy(product, product + 36, T);
        }
    }
}

void ChainFm(int n, const DriverSetup& setup, const double* H, const double* P, double* F) {
    std::fill(F, F + 6, 0.0);
    double rotation[36];
    const int parts = static_cast<int>(setup.parts.size());
    for (int p = 0; p < parts; ++p) {
        if (p > 0) {
            CJieMianBase::RotateMatrix(rotation, setup.joints[p - 1]);
            Step(rotation, F, nullptr, 0);
        }
        for (int j = 0; j < n; ++j) Step(H + (p * n + j) * 36, F, P + (p * n + j) * 6, setup.parts[p].length);
    }
}

void Propagate(int n, const DriverSetup& setup, const double* X0, const double* H, const double* P, float E,
               double* nodes) {
    double rotation[36];
    const int parts = static_cast<int>(setup.parts.size());
    std::copy(X0, X0 + 6, nodes);
    for (int p = 0; p < parts; ++p) {
        double* first = nodes + p * (n + 1) * 6;
        if (p > 0) {
            const double* last = first - 6;
            std::copy(last, last + 6, first);
            CJieMianBase::RotateMatrix(rotation, setup.joints[p - 1]);
            Step(rotation, first, nullptr, 0);
        }
        for (int j = 0; j < n; ++j) {
            double* next = first + (j + 1) * 6;
            std::copy(first + j * 6, first + j * 6 + 6, next);
            Step(H + (p * n + j) * 36, next, P + (p * n + j) * 6, setup.parts[p].length);
        }
    }
    const double scale = static_cast<double>(E) * 1000.0;
    for (int node = 0; node < parts * (n + 1); ++node)
        for (int c = kU; c <= kPhi; ++c) nodes[node * 6 + c] /= scale;
}

DriverResult RunSectionDriver(CJieMianBase& section, int n, const DriverSetup& setup, std::FILE* log) {
    DriverResult result;
    const int parts = static_cast<int>(setup.parts.size());
    if (n < 1 || parts < 1) {
        result.status = -1;
        return result;
    }
    // All work storage once per call: the flags start with resistance everywhere.
    std::vector<double> H(static_cast<size_t>(parts) * n * 36);
    std::vector<double> P(static_cast<size_t>(parts) * n * 6);
    result.nodes.assign(static_cast<size_t>(parts) * (n + 1) * 6, 0.0);
    std::vector<double> previous(result.nodes.size(), 0.0);
    std::vector<int> nodeFlags(static_cast<size_t>(parts) * (n + 1), 1);
    std::vector<int> midFlags(static_cast<size_t>(parts) * n, 1);
    double T[36], F[6], A[36], r[6];
    const int midpoints = section.m_nKangLiYaoQiu != 0;

    int i = 0;
    int c = 1;
    float d = section.m_fRongCha + 1000;
    do {
        tell_error1(kv::err::kProgress, "第%d次迭代\n", i);
        if (log && setup.header == DriverSetup::kTrialCount) std::fprintf(log, "\n第%d次试算\n", i + 1);
        if (log && setup.header == DriverSetup::kTrialIndex) std::fprintf(log, "\n第%d次试算\n", i);
        c = 1;
        for (int p = 0; p < parts; ++p) {
            const int status = setup.parts[p].integrate(nodeFlags.data() + p * (n + 1), midFlags.data() + p * n,
                                                        H.data() + p * n * 36, P.data() + p * n * 6, log);
            if (status != 0) {
                result.status = status;
                result.failedPart = p;
                break;
            }
        }
        if (result.status != 0) break;
        ChainDm(n, setup, H.data(), T);
        ChainFm(n, setup, H.data(), P.data(), F);
        // Rows 0-2 state the start; rows 3-5 the end, carried back by T and F.
        std::copy(setup.startRows, setup.startRows + 18, A);
        CJieMianBase::MatMul(A + 18, setup.endRows, T, 3, 6, 6);
        r[0] = r[1] = r[2] = 0;
        CJieMianBase::MatMul(r + 3, setup.endRows, F, 3, 6, 1);
        for (int row = 3; row < 6; ++row) r[row] = -r[row];
        New_gaussj(A, 6, r, 1);
        Propagate(n, setup, r, H.data(), P.data(), section.m_fE, result.nodes.data());
        c = section.CheckKangLi(n, parts, result.nodes.data(), nodeFlags.data(), midFlags.data(), midpoints, log);
        if (i > 0) d = CJieMianBase::CheckWeiYi(n, parts, result.nodes.data(), previous.data(), log);
        previous = result.nodes;
        ++i;
    } while (c == 0 && (setup.extraTrial ? i <= section.m_nMaxDieDai : i < section.m_nMaxDieDai));
    tell_error(kv::err::kCloseProgress, "");
    result.trials = i;
    result.consistent = c;
    result.difference = d;
    return result;
}

}  // namespace kv::lining

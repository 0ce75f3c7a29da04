// Element transfer matrices of a bar on elastic rock, the joint rotation, the
// dense product and the solver of the section drivers.
#include "lining/engine/transfer_matrix.h"

#include <cmath>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "base/error.h"
#include "lining/engine/jiemian.h"

using namespace kv::lining;

namespace {

constexpr int kSize = 36;

bool BadElement(int n, int i, int stage) { return n < 1 || i < 0 || i > n - 1 || stage < 1 || stage > 4; }

// Thickness at a stage point of a part whose thickness runs t0 → t1.
double StageThickness(int n, int i, int stage, float t0, float t1) {
    return t0 + (double(t1) - t0) * (i + kStagePos[stage - 1]) / n;
}

// The terms both bar kinds share: bending, extension, rotation and the rock.
void FillCommon(double* A, double t, int flag, float k, float E) {
    std::memset(A, 0, kSize * sizeof(double));
    A[kQ * 6 + kV] = flag ? double(k) / E : 0.0;
    A[kM * 6 + kQ] = -1.0;
    A[kU * 6 + kN] = 1.0 / t;
    A[kV * 6 + kPhi] = 1.0;
    A[kPhi * 6 + kM] = 12.0 / (t * t * t);
}

// K = h·A·(I + f·previous), or h·A at stage 1.
void StageProduct(const double* A, double h, int stage, const double* previous, double* K) {
    if (stage == 1) {
        for (int e = 0; e < kSize; ++e) K[e] = h * A[e];
        return;
    }
    const double f = kStageFactor[stage - 1];
    double carried[kSize];
    for (int e = 0; e < kSize; ++e) carried[e] = f * previous[e];
    for (int d = 0; d < 6; ++d) carried[d * 6 + d] += 1.0;
    CJieMianBase::MatMul(K, A, carried, 6, 6, 6);
    for (int e = 0; e < kSize; ++e) K[e] *= h;
}

// H = I + Σ w_c·K_c, the stages made by `stageK`.
template <typename StageK>
int SumStages(int startFlag, int midFlag, int endFlag, double* H, StageK stageK) {
    double K[2][kSize];
    for (int e = 0; e < kSize; ++e) H[e] = 0.0;
    for (int d = 0; d < 6; ++d) H[d * 6 + d] = 1.0;
    for (int stage = 1; stage <= 4; ++stage) {
        double* current = K[(stage - 1) % 2];
        const double* previous = K[stage % 2];
        if (stageK(stage, StageFlag(stage, startFlag, midFlag, endFlag), previous, current) != 0) return -1;
        const double w = kStageWeight[stage - 1];
        for (int e = 0; e < kSize; ++e) H[e] += w * current[e];
    }
    return 0;
}

}  // namespace

int CJieMianBase::StateMatrix_Line(int n, int i, int stage, float /*L: sets only h*/, float t0, float t1, int flag, float k,
                                   double* A) const {
    if (BadElement(n, i, stage) || !A) return -1;
    FillCommon(A, StageThickness(n, i, stage, t0, t1), flag, k, m_fE);
    return 0;
}

int CJieMianBase::StateMatrix_Arc(int n, int i, int stage, float R, float theta, float t0, float t1, int flag,
                                  float k, double* A) const {
    (void)theta;  // the arc's angle sets only the element length
    if (BadElement(n, i, stage) || !A) return -1;
    FillCommon(A, StageThickness(n, i, stage, t0, t1), flag, k, m_fE);
    const double c = 1.0 / R;
    A[kN * 6 + kQ] = -c;
    A[kQ * 6 + kN] = c;
    A[kU * 6 + kV] = -c;
    A[kV * 6 + kU] = c;
    return 0;
}

int CJieMianBase::StageK_Line(int n, int i, int stage, float L, float t0, float t1, int flag, float k,
                              const double* previous, double* K) const {
    double A[kSize];
    if (!K || (stage > 1 && !previous)) return -1;
    if (StateMatrix_Line(n, i, stage, L, t0, t1, flag, k, A) != 0) return -1;
    StageProduct(A, double(L) / n, stage, previous, K);
    return 0;
}

int CJieMianBase::StageK_Arc(int n, int i, int stage, float R, float theta, float t0, float t1, int flag, float k,
                             const double* previous, double* K) const {
    double A[kSize];
    if (!K || (stage > 1 && !previous)) return -1;
    if (StateMatrix_Arc(n, i, stage, R, theta, t0, t1, flag, k, A) != 0) return -1;
    StageProduct(A, double(R) * theta / n, stage, previous, K);
    return 0;
}

int CJieMianBase::CalHj_Line(int n, int i, float L, float t0, float t1, int startFlag, int midFlag, int endFlag,
                             float k, double* H) const {
    if (BadElement(n, i, 1) || !H) return -1;
    return SumStages(startFlag, midFlag, endFlag, H, [&](int stage, int flag, const double* previous, double* K) {
        return StageK_Line(n, i, stage, L, t0, t1, flag, k, previous, K);
    });
}

int CJieMianBase::CalHj_Arc(int n, int i, float R, float theta, float t0, float t1, int startFlag, int midFlag,
                            int endFlag, float k, double* H) const {
    if (BadElement(n, i, 1) || !H) return -1;
    return SumStages(startFlag, midFlag, endFlag, H, [&](int stage, int flag, const double* previous, double* K) {
        return StageK_Arc(n, i, stage, R, theta, t0, t1, flag, k, previous, K);
    });
}

int CJieMianBase::RotateMatrix(double* R, double alpha) {
    if (!R) return -1;
    std::memset(R, 0, kSize * sizeof(double));
    const double c = std::cos(alpha), s = std::sin(alpha);
    for (const int first : {kN, kU}) {
        const int second = first + 1;
        R[first * 6 + first] = c;
        R[first * 6 + second] = -s;
        R[second * 6 + first] = s;
        R[second * 6 + second] = c;
    }
    R[kM * 6 + kM] = 1.0;
    R[kPhi * 6 + kPhi] = 1.0;
    return 0;
}

void CJieMianBase::MatMul(double* C, const double* A, const double* B, int r, int k, int c) {
    for (int row = 0; row < r; ++row)
        for (int col = 0; col < c; ++col) {
            double sum = 0.0;
            for (int l = 0; l < k; ++l) sum += A[row * k + l] * B[l * c + col];
            C[row * c + col] = sum;
        }
}

namespace {
constexpr const char* kSingular = "警告：求逆时发现矩阵有奇异性，计算结果可能有一定误差 !";
}

int New_gaussj(double* a, int n, double* b, int m) {
    if (!a || n < 1 || m < 0 || (m > 0 && !b)) return -1;
    std::vector<int> ipiv, indxr, indxc;
    try {
        ipiv.assign(n, 0);
        indxr.assign(n, 0);
        indxc.assign(n, 0);
    } catch (const std::bad_alloc&) {
        tell_error(301, "Out of memery in New_gaussj");
        return -1;
    }
    auto A = [&](int row, int col) -> double& { return a[row * n + col]; };
    auto B = [&](int row, int col) -> double& { return b[row * m + col]; };
    for (int pass = 0; pass < n; ++pass) {
        double big = 0.0;
        int irow = 0, icol = 0;
        for (int j = 0; j < n; ++j) {
            if (ipiv[j] == 1) continue;
            for (int k = 0; k < n; ++k) {
                if (ipiv[k] == 0) {
                    // "≥": among equal entries the last one scanned becomes the pivot.
                    if (std::fabs(A(j, k)) >= big) {
                        big = std::fabs(A(j, k));
                        irow = j;
                        icol = k;
                    }
                } else if (ipiv[k] > 1) {
                    tell_error(0, kSingular);
                }
            }
        }
        ++ipiv[icol];
        if (irow != icol) {
            for (int l = 0; l < n; ++l) std::swap(A(irow, l), A(icol, l));
            for (int l = 0; l < m; ++l) std::swap(B(irow, l), B(icol, l));
        }
        indxr[pass] = irow;
        indxc[pass] = icol;
        if (A(icol, icol) == 0.0) {
            A(icol, icol) = 1e-10;
            tell_error(0, kSingular);
        }
        const double pivinv = 1.0 / A(icol, icol);
        A(icol, icol) = 1.0;
        for (int l = 0; l < n; ++l) A(icol, l) *= pivinv;
        for (int l = 0; l < m; ++l) B(icol, l) *= pivinv;
        for (int ll = 0; ll < n; ++ll) {
            if (ll == icol) continue;
            const double dum = A(ll, icol);
            A(ll, icol) = 0.0;
            for (int l = 0; l < n; ++l) A(ll, l) -= A(icol, l) * dum;
            for (int l = 0; l < m; ++l) B(ll, l) -= B(icol, l) * dum;
        }
    }
    for (int l = n - 1; l >= 0; --l)
        if (indxr[l] != indxc[l])
            for (int k = 0; k < n; ++k) std::swap(A(k, indxr[l]), A(k, indxc[l]));
    return 0;
}

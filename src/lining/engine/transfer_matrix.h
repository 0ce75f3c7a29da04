#pragma once
// The Runge-Kutta stage table of the lining's element integration and the
// linear solver of the section drivers.

namespace kv::lining {

// State components.
enum StateIndex { kN = 0, kQ = 1, kM = 2, kU = 3, kV = 4, kPhi = 5 };

// Stages 1..4 of the one-step Runge-Kutta integration over an element: position
// in the element, weight (held in single precision, as the results were always
// computed) and the factor that carries the previous stage into this one.
inline constexpr float kStagePos[4] = {0.0f, 0.5f, 0.5f, 1.0f};
inline constexpr float kStageWeight[4] = {1.0f / 6, 1.0f / 3, 1.0f / 3, 1.0f / 6};
inline constexpr float kStageFactor[4] = {0.0f, 0.5f, 0.5f, 1.0f};

// The resistance flag a stage uses: the element's start, midpoint or end.
inline int StageFlag(int stage, int startFlag, int midFlag, int endFlag) {
    return stage == 1 ? startFlag : stage == 4 ? endFlag : midFlag;
}

}  // namespace kv::lining

// Gauss-Jordan elimination with full pivoting: `a` (n×n, row-major) becomes its
// inverse and `b` (n×m) the solutions. A zero pivot is replaced by 1e-10 with a
// notice that the results may carry some error; the run goes on. -1 when the
// work arrays cannot be had (said on the error channel) or n < 1, else 0.
int New_gaussj(double* a, int n, double* b, int m);

// The end rows that close a section's chain and the two checks that steer the
// elastic-resistance iteration.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/error.h"
#include "lining/engine/jiemian.h"
#include "lining/engine/transfer_matrix.h"
#include "report/script.h"

using namespace kv::lining;

int CJieMianBase::BoundaryMatrix(int type, double* rows, float k, float t, float I, float E, int flag) {
    if (!rows || type < 0 || type > 3) return -1;
    std::memset(rows, 0, 18 * sizeof(double));
    auto row = [rows](int r, int component) -> double& { return rows[r * 6 + component]; };
    switch (type) {
    case 0:  // symmetry cut
        row(0, kQ) = row(1, kU) = row(2, kPhi) = 1.0;
        break;
    case 1:  // hinge
        row(0, kM) = row(1, kU) = row(2, kV) = 1.0;
        break;
    case 2:  // fixed end
        row(0, kU) = row(1, kV) = row(2, kPhi) = 1.0;
        break;
    default: {  // elastic support: the foot presses and turns into the rock
        if (E < 0.00001f) {
            tell_error(101, "警告：求弹性支座的边界矩阵中弹性模量E小于等于0!");
            E = 0.00001f;
        }
        const double sign = flag ? -1.0 : 1.0;
        row(0, kN) = 1.0;
        row(0, kU) = sign * k * t / E;
        row(1, kM) = 1.0;
        row(1, kPhi) = sign * k * I / E;
        row(2, kV) = 1.0;
    }
    }
    return 0;
}

int CJieMianBase::SupportMatrix(int kind, double* rows, float k, float t, float E, int flag) {
    if (!rows) return -1;
    switch (kind) {
    case 0:
        return BoundaryMatrix(1, rows, k, t, 1.0f, E, flag);
    case 1:
        return BoundaryMatrix(2, rows, k, t, 1.0f, E, flag);
    case 2:
        return BoundaryMatrix(3, rows, k, t, t * t * t / 12, E, flag);
    default:
        // No support of that kind: rows that state nothing, so the caller sees it.
        std::memset(rows, 0, 18 * sizeof(double));
        return -1;
    }
}

namespace {

// A normal displacement in the log: mm, held within ±10000 so a runaway value
// keeps its column.
double LogMillimetres(double metres) { return std::clamp(metres * 1000.0, -10000.0, 10000.0); }

void WriteValue(std::FILE* log, double metres, bool changed) {
    if (!log) return;
    char text[64];
    std::snprintf(text, sizeof text, "%10.3f", LogMillimetres(metres));
    if (changed) VanjoroScript_Text(log, text, 255, 1.0);
    else std::fputs(text, log);
}

}  // namespace

int CJieMianBase::CheckKangLi(int n, int parts, const double* nodes, int* nodeFlags, int* midFlags, int midpoints,
                              std::FILE* log) const {
    if (n < 1 || parts < 1 || !nodes || !nodeFlags || !midFlags) return 1;
    if (log) {
        std::fputs("\n[ 抗力假设验证 ]\n", log);
        std::fputs("假定抗力分布: \n", log);
        for (int p = 0; p < parts; ++p) {
            for (int j = 0; j <= n; ++j) {
                std::fprintf(log, "%10d", nodeFlags[p * (n + 1) + j]);
                if (midpoints && j < n) std::fprintf(log, "%10d", midFlags[p * n + j]);
            }
            std::fputs("\n", log);
        }
        std::fputs("\n", log);
        std::fputs("法向位移(mm): \n", log);
    }
    const double threshold = m_fKangLiMenXian;
    int unchanged = 1;
    for (int p = 0; p < parts; ++p) {
        for (int j = 0; j <= n; ++j) {
            const int node = p * (n + 1) + j;
            const double v = nodes[node * 6 + kV];
            const int flag = v > threshold ? 1 : 0;
            const bool changed = flag != nodeFlags[node];
            if (changed) {
                unchanged = 0;
                nodeFlags[node] = flag;
            }
            WriteValue(log, v, changed);
            if (j == n) continue;
            const double mid = (v + nodes[(node + 1) * 6 + kV]) / 2;
            const int midFlag = mid > threshold ? 1 : 0;
            int& stored = midFlags[p * n + j];
            const bool midChanged = midFlag != stored;
            stored = midFlag;
            if (!midpoints) continue;  // stored, but neither counted nor written
            if (midChanged) unchanged = 0;
            WriteValue(log, mid, midChanged);
        }
        if (log) std::fputs("\n", log);
    }
    if (log) std::fputs("\n", log);
    return unchanged;
}

float CJieMianBase::CheckWeiYi(int n, int parts, const double* nodes, const double* previous, std::FILE* log) {
    if (log) {
        std::fputs("\n[ 法向位移验证 ]\n", log);
        std::fputs("和上次结果的差别(mm): \t", log);
    }
    float largest = -1000000.0f;
    if (n >= 1 && parts >= 1 && nodes && previous) {
        for (int node = 0; node < parts * (n + 1); ++node) {
            const float d = static_cast<float>(std::fabs(nodes[node * 6 + kV] - previous[node * 6 + kV]));
            largest = std::max(largest, d);
            if (log) std::fprintf(log, "%10.3f", std::min(d * 1000.0f, 10000.0f));
        }
    }
    if (log) std::fprintf(log, "\n最大值(mm): \t\t%10.3f\n", std::min(largest * 1000.0f, 10000.0f));
    return largest;
}

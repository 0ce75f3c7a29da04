#include "fem/arc_routines.h"

#include "base/geometry.h"
#include "platform/services.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kTwoPi = 6.2831855f;
constexpr float kTolerance = 0.00001f;
constexpr float kAxes[4] = {0.0f, 1.5707964f, 3.1415927f, 4.712389f};
}  // namespace

void Get_OutLook_One_Arc(float x1, float y1, float x2, float y2, float cx, float cy, int dir, float& xmin,
                         float& ymin, float& xmax, float& ymax) {
    xmin = std::min(x1, x2);
    xmax = std::max(x1, x2);
    ymin = std::min(y1, y2);
    ymax = std::max(y1, y2);
    float a0 = get_line_angle(cx, cy, x1, y1);
    float a1 = get_line_angle(cx, cy, x2, y2);
    if (dir != 1) std::swap(a0, a1);
    if (a1 < a0) a1 += kTwoPi;
    const float r = get_dist(cx, cy, x1, y1);
    for (float axis : kAxes) {
        float a = axis < a0 - kTolerance ? axis + kTwoPi : axis;
        if (a < a0 - kTolerance || a > a1 + kTolerance) continue;
        const float x = cx + r * std::cos(axis), y = cy + r * std::sin(axis);
        xmin = std::min(xmin, x);
        xmax = std::max(xmax, x);
        ymin = std::min(ymin, y);
        ymax = std::max(ymax, y);
    }
}

void Get_ArcKua_Centroid(float x1, float y1, float x2, float y2, float R, int side, float* cx, float* cy) {
    const float length = get_dist(x1, y1, x2, y2);
    float chord = length;
    if (chord / 2 > R) {
        kv::MessageBeep();
        kv::MessageBeep();
        chord = 2 * R;
    }
    const float h = std::sqrt(std::max(0.0f, R * R - chord * chord / 4));
    // The unit normal to the left of P1→P2: the centre there turns counter-clockwise.
    float nx = 0, ny = 1;
    if (length > 0) {
        nx = -(y2 - y1) / length;
        ny = (x2 - x1) / length;
    }
    const float s = side == 1 ? h : -h;
    *cx = (x1 + x2) / 2 + s * nx;
    *cy = (y1 + y2) / 2 + s * ny;
}

void GetQZhAngle(float x1, float y1, float x2, float y2, float cx, float cy, float* a1, float* a2) {
    *a1 = std::atan2(y1 - cy, x1 - cx);
    if (*a1 < 0) *a1 += kTwoPi;
    *a2 = std::atan2(y2 - cy, x2 - cx);
    while (*a2 < *a1) *a2 += kTwoPi;
}


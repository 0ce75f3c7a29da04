#include "drawing/geom.h"

#include <cmath>

using kv::drawing::kPi;

namespace {
void put(float* x, float* y, double vx, double vy) {
    if (x) *x = static_cast<float>(vx);
    if (y) *y = static_cast<float>(vy);
}

// Centre, radius and the directions to the first and third point, in radians
// with the end at or above the start, as the arc cuts take them.
struct Arc3 {
    float r = 0, cx = 0, cy = 0;
    double start = 0, end = 0;
};

bool ArcOf3Points(const float* x, const float* y, Arc3* arc) {
    if (!get_circle_3points(x, y, &arc->r, &arc->cx, &arc->cy)) return false;
    arc->start = _JH_GetAngle(arc->cx, arc->cy, x[0], y[0]);
    arc->end = _JH_GetAngle(arc->cx, arc->cy, x[2], y[2]);
    if (arc->end < arc->start) arc->end += 2 * kPi;
    return true;
}
}  // namespace

int get_polar_point(float x, float y, float r, float a, float* ox, float* oy) {
    put(ox, oy, x + double(r) * std::cos(double(a)), y + double(r) * std::sin(double(a)));
    return 1;
}

void PointAlongLine(float x1, float y1, float x2, float y2, float e, float* ox, float* oy) {
    const double d = _JH_GetDist(x1, y1, x2, y2);
    const double m = std::fabs(d * e);
    const double a = e >= 0 ? _JH_GetAngle(x1, y1, x2, y2) : _JH_GetAngle(x2, y2, x1, y1);
    get_polar_point(x1, y1, static_cast<float>(m), static_cast<float>(a), ox, oy);
}

float get_angle_at_fraction(float a0, float a1, float f) {
    float sweep = a1 - a0;
    if (sweep < 0) sweep += 6.2831855f;
    return std::fmod(a0 + f * sweep, 6.2831855f);
}

int get_circle_3points(const float* x, const float* y, float* r, float* cx, float* cy) {
    if (!x || !y) return 0;
    // Perpendicular bisectors of the two chords as y = k·x + c. A vertical
    // bisector keeps the finite tangent of the single-precision right angle.
    float k[2], c[2];
    for (int i = 0; i < 2; ++i) {
        const float mx = (x[i] + x[i + 1]) / 2, my = (y[i] + y[i + 1]) / 2;
        const float a = static_cast<float>(
            _JH_Set2PI(JH_GetAngle(x[i], y[i], x[i + 1], y[i + 1]) + static_cast<float>(kPi / 2)));
        k[i] = std::tan(a);
        c[i] = my - k[i] * mx;
    }
    float ox = 0, oy = 0;
    if (!line_func_inter(1, k[0], c[0], 1, k[1], c[1], &ox, &oy)) return 0;
    if (cx) *cx = ox;
    if (cy) *cy = oy;
    if (r)
        *r = static_cast<float>((_JH_GetDist(ox, oy, x[0], y[0]) + _JH_GetDist(ox, oy, x[1], y[1]) +
                                 _JH_GetDist(ox, oy, x[2], y[2])) / 3);
    return 1;
}

int get_arc_3points(const float* x, const float* y, float* r, float* cx, float* cy, float* a0,
                    float* a1) {
    float ox = 0, oy = 0, rr = 0;
    if (!get_circle_3points(x, y, &rr, &ox, &oy)) return 0;
    if (r) *r = rr;
    if (cx) *cx = ox;
    if (cy) *cy = oy;
    if (a0) *a0 = JH_GetAngle(ox, oy, x[0], y[0]);
    if (a1) *a1 = JH_GetAngle(ox, oy, x[2], y[2]);
    return 1;
}

int get_inter_arc3_arc3(const float* x1, const float* y1, const float* x2, const float* y2,
                        float* ix1, float* iy1, float* ix2, float* iy2, float tol) {
    // The arc cut takes its angles in radians: degrees here would read as
    // many whole turns and keep every crossing of the two circles.
    Arc3 a, b;
    if (!ArcOf3Points(x1, y1, &a) || !ArcOf3Points(x2, y2, &b)) return 0;
    double px[2] = {0, 0}, py[2] = {0, 0};
    const int n = _JH_GetInterPoint_Arc_Arc(a.cx, a.cy, a.r, a.start, a.end, b.cx, b.cy, b.r, b.start,
                                            b.end, &px[0], &py[0], &px[1], &py[1], tol);
    if (n >= 1) put(ix1, iy1, px[0], py[0]);
    if (n >= 2) put(ix2, iy2, px[1], py[1]);
    return n;
}

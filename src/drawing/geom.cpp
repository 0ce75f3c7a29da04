#include "drawing/geom.h"

#include <algorithm>
#include <cmath>

using kv::drawing::kPi;

namespace {
constexpr double kTwoPi = 2.0 * kPi;

double norm2pi(double a) {
    a = std::fmod(a, kTwoPi);
    if (a < 0) a += kTwoPi;
    if (a >= kTwoPi) a = 0;
    return a;
}

// True when the direction `a` (radians) lies on the counter-clockwise arc a0..a1.
bool angle_on_arc(double a, double a0, double a1, double tol) {
    a = norm2pi(a);
    a0 = norm2pi(a0);
    a1 = norm2pi(a1);
    double sweep = a1 - a0;
    if (sweep <= 0) sweep += kTwoPi;
    double d = a - a0;
    if (d < 0) d += kTwoPi;
    return d <= sweep + tol || d >= kTwoPi - tol;
}

void put(float* x, float* y, double vx, double vy) {
    if (x) *x = static_cast<float>(vx);
    if (y) *y = static_cast<float>(vy);
}
}  // namespace

float get_dist(float x1, float y1, float x2, float y2) {
    return static_cast<float>(std::hypot(double(x2) - x1, double(y2) - y1));
}
float JH_GetDist(float x1, float y1, float x2, float y2) { return get_dist(x1, y1, x2, y2); }
float _JH_GetDist(float x1, float y1, float x2, float y2) { return get_dist(x1, y1, x2, y2); }

float JH_GetAngle(float x1, float y1, float x2, float y2) {
    const double dx = double(x2) - x1, dy = double(y2) - y1;
    if (dx == 0 && dy == 0) return 0.0f;
    float a = static_cast<float>(norm2pi(std::atan2(dy, dx)));
    return a >= static_cast<float>(kTwoPi) ? 0.0f : a;
}
float _JH_GetAngle(float x1, float y1, float x2, float y2) { return JH_GetAngle(x1, y1, x2, y2); }
float get_line_angle(float x1, float y1, float x2, float y2) { return JH_GetAngle(x1, y1, x2, y2); }

float _JH_Set2PI(float a) {
    float r = static_cast<float>(norm2pi(a));
    return r >= static_cast<float>(kTwoPi) ? 0.0f : r;
}

int line_func_inter(float a1, float k1, float c1, float a2, float k2, float c2, float* x, float* y) {
    // a·y − k·x = c for both lines (Cramer's rule).
    const double det = double(k1) * a2 - double(a1) * k2;
    const double scale = std::fabs(double(k1) * a2) + std::fabs(double(a1) * k2);
    if (std::fabs(det) <= 1e-6 * std::max(scale, 1e-30) || scale == 0) return 0;
    const double vx = (double(a1) * c2 - double(a2) * c1) / det;
    const double vy = (double(k1) * c2 - double(k2) * c1) / det;
    put(x, y, vx, vy);
    return 1;
}

int JH_GetInterPoint_Line(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                          float y4, float* x, float* y, float tol) {
    const double d1x = double(x2) - x1, d1y = double(y2) - y1;
    const double d2x = double(x4) - x3, d2y = double(y4) - y3;
    const double l1 = std::hypot(d1x, d1y), l2 = std::hypot(d2x, d2y);
    if (l1 == 0 || l2 == 0) return 0;
    const double cross = d1x * d2y - d1y * d2x;
    if (std::fabs(cross) / (l1 * l2) <= tol) return 0;
    const double t = ((double(x3) - x1) * d2y - (double(y3) - y1) * d2x) / cross;
    put(x, y, x1 + t * d1x, y1 + t * d1y);
    return 1;
}

int _JH_GetInterPoint_LineSection(float x1, float y1, float x2, float y2, float x3, float y3,
                                  float x4, float y4, float* x, float* y, float tol) {
    const double d1x = double(x2) - x1, d1y = double(y2) - y1;
    const double d2x = double(x4) - x3, d2y = double(y4) - y3;
    const double cross = d1x * d2y - d1y * d2x;
    const double l1 = std::hypot(d1x, d1y), l2 = std::hypot(d2x, d2y);
    if (l1 == 0 || l2 == 0 || std::fabs(cross) <= 1e-12 * l1 * l2) return 0;
    const double t = ((double(x3) - x1) * d2y - (double(y3) - y1) * d2x) / cross;
    const double u = ((double(x3) - x1) * d1y - (double(y3) - y1) * d1x) / cross;
    if (t < -tol / l1 || t > 1 + tol / l1 || u < -tol / l2 || u > 1 + tol / l2) return 0;
    put(x, y, x1 + t * d1x, y1 + t * d1y);
    return 1;
}

int _JH_GetInterPoint_Circle_Circle(float cx1, float cy1, float r1, float cx2, float cy2, float r2,
                                    float* x1, float* y1, float* x2, float* y2, float tol) {
    const double dx = double(cx2) - cx1, dy = double(cy2) - cy1;
    const double d = std::hypot(dx, dy);
    if (d == 0) return 0;
    if (d > double(r1) + r2 + tol || d < std::fabs(double(r1) - r2) - tol) return 0;
    const double a = (double(r1) * r1 - double(r2) * r2 + d * d) / (2 * d);
    double h2 = double(r1) * r1 - a * a;
    const double mx = cx1 + a * dx / d, my = cy1 + a * dy / d;
    if (h2 <= 0 || std::sqrt(std::max(h2, 0.0)) <= tol / 2) {
        put(x1, y1, mx, my);
        return 1;
    }
    const double h = std::sqrt(h2);
    put(x1, y1, mx - h * dy / d, my + h * dx / d);
    put(x2, y2, mx + h * dy / d, my - h * dx / d);
    return 2;
}

int _JH_GetInterPoint_Circle_LineSection(float cx, float cy, float r, float px1, float py1,
                                         float px2, float py2, float* x1, float* y1, float* x2,
                                         float* y2, float tol) {
    const double dx = double(px2) - px1, dy = double(py2) - py1;
    const double len = std::hypot(dx, dy);
    if (len == 0) return 0;
    const double fx = double(px1) - cx, fy = double(py1) - cy;
    const double a = dx * dx + dy * dy, b = 2 * (fx * dx + fy * dy), c = fx * fx + fy * fy - double(r) * r;
    double disc = b * b - 4 * a * c;
    // Distance of the line from the centre decides tangency within tol.
    const double dist = std::fabs(fx * dy - fy * dx) / len;
    if (dist > double(r) + tol) return 0;
    if (disc < 0) disc = 0;
    const double sq = std::sqrt(disc);
    double ts[2] = {(-b - sq) / (2 * a), (-b + sq) / (2 * a)};
    const int candidates = (std::fabs(dist - r) <= tol) ? 1 : 2;
    if (candidates == 1) ts[0] = ts[1] = -b / (2 * a);
    int n = 0;
    const double eps = tol / len;
    for (int i = 0; i < candidates; ++i) {
        if (ts[i] < -eps || ts[i] > 1 + eps) continue;
        const double vx = px1 + ts[i] * dx, vy = py1 + ts[i] * dy;
        if (n == 0) put(x1, y1, vx, vy);
        else put(x2, y2, vx, vy);
        ++n;
    }
    return n;
}

int _JH_GetInterPoint_LineSection_Arc(float px1, float py1, float px2, float py2, float cx,
                                      float cy, float r, float a0, float a1, float* x1, float* y1,
                                      float* x2, float* y2, float tol) {
    float qx[2] = {0, 0}, qy[2] = {0, 0};
    const int m = _JH_GetInterPoint_Circle_LineSection(cx, cy, r, px1, py1, px2, py2, &qx[0],
                                                       &qy[0], &qx[1], &qy[1], tol);
    int n = 0;
    const double atol = r > 0 ? tol / r : 0;
    for (int i = 0; i < m; ++i) {
        const double ang = std::atan2(double(qy[i]) - cy, double(qx[i]) - cx);
        if (!angle_on_arc(ang, a0 * kPi / 180, a1 * kPi / 180, atol)) continue;
        if (n == 0) put(x1, y1, qx[i], qy[i]);
        else put(x2, y2, qx[i], qy[i]);
        ++n;
    }
    return n;
}

int JH_GetInterPoint_LineSection_Arc(float px1, float py1, float px2, float py2, float cx, float cy,
                                     float r, float a0, float a1, float* x1, float* y1, float* x2,
                                     float* y2, float tol) {
    return _JH_GetInterPoint_LineSection_Arc(px1, py1, px2, py2, cx, cy, r, a0, a1, x1, y1, x2,
                                             y2, tol);
}

int _JH_GetInterPoint_Arc_Arc(float cx1, float cy1, float r1, float a10, float a11, float cx2,
                              float cy2, float r2, float a20, float a21, float* x1, float* y1,
                              float* x2, float* y2, float tol) {
    float qx[2] = {0, 0}, qy[2] = {0, 0};
    const int m = _JH_GetInterPoint_Circle_Circle(cx1, cy1, r1, cx2, cy2, r2, &qx[0], &qy[0],
                                                  &qx[1], &qy[1], tol);
    int n = 0;
    for (int i = 0; i < m; ++i) {
        const double g1 = std::atan2(double(qy[i]) - cy1, double(qx[i]) - cx1);
        const double g2 = std::atan2(double(qy[i]) - cy2, double(qx[i]) - cx2);
        if (!angle_on_arc(g1, a10 * kPi / 180, a11 * kPi / 180, r1 > 0 ? tol / r1 : 0)) continue;
        if (!angle_on_arc(g2, a20 * kPi / 180, a21 * kPi / 180, r2 > 0 ? tol / r2 : 0)) continue;
        if (n == 0) put(x1, y1, qx[i], qy[i]);
        else put(x2, y2, qx[i], qy[i]);
        ++n;
    }
    return n;
}

void line_offset_left(float x1, float y1, float x2, float y2, float d, float* ox1, float* oy1,
                      float* ox2, float* oy2) {
    const double dx = double(x2) - x1, dy = double(y2) - y1;
    const double len = std::hypot(dx, dy);
    double nx = 0, ny = 0;
    if (len > 0) {
        nx = -dy / len * d;
        ny = dx / len * d;
    }
    put(ox1, oy1, x1 + nx, y1 + ny);
    put(ox2, oy2, x2 + nx, y2 + ny);
}

void form_euler_lamda(float a1, float a2, float a3, float lamda[3][3]) {
    const double c1 = std::cos(a1), s1 = std::sin(a1);
    const double c2 = std::cos(a2), s2 = std::sin(a2);
    const double c3 = std::cos(a3), s3 = std::sin(a3);
    const double z[3][3] = {{c1, s1, 0}, {-s1, c1, 0}, {0, 0, 1}};
    const double x[3][3] = {{1, 0, 0}, {0, c2, s2}, {0, -s2, c2}};
    const double y[3][3] = {{c3, 0, -s3}, {0, 1, 0}, {s3, 0, c3}};
    double xz[3][3] = {};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) xz[i][j] += x[i][k] * z[k][j];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double v = 0;
            for (int k = 0; k < 3; ++k) v += y[i][k] * xz[k][j];
            // Quarter and half turns give exact zeros and ones, not 6e-17.
            if (std::fabs(v) < 1e-12) v = 0;
            lamda[i][j] = static_cast<float>(v);
        }
}

int get_polar_point(float x, float y, float r, float a, float* ox, float* oy) {
    put(ox, oy, x + double(r) * std::cos(double(a)), y + double(r) * std::sin(double(a)));
    return 1;
}

void PointAlongLine(float x1, float y1, float x2, float y2, float e, float* ox, float* oy) {
    const float d = _JH_GetDist(x1, y1, x2, y2);
    const float m = std::fabs(d * e);
    const float a = e >= 0 ? _JH_GetAngle(x1, y1, x2, y2) : _JH_GetAngle(x2, y2, x1, y1);
    get_polar_point(x1, y1, m, a, ox, oy);
}

float get_angle_at_fraction(float a0, float a1, float f) {
    float sweep = a1 - a0;
    if (sweep < 0) sweep += 6.2831855f;
    return std::fmod(a0 + f * sweep, 6.2831855f);
}

int get_circle_3points(const float* x, const float* y, float* r, float* cx, float* cy) {
    if (!x || !y) return 0;
    float k[2], c[2];
    for (int i = 0; i < 2; ++i) {
        const float mx = (x[i] + x[i + 1]) / 2, my = (y[i] + y[i + 1]) / 2;
        const float a = _JH_Set2PI(_JH_GetAngle(x[i], y[i], x[i + 1], y[i + 1]) +
                                   static_cast<float>(kPi / 2));
        k[i] = std::tan(a);
        c[i] = my - k[i] * mx;
    }
    float ox = 0, oy = 0;
    if (!line_func_inter(1, k[0], c[0], 1, k[1], c[1], &ox, &oy)) return 0;
    if (cx) *cx = ox;
    if (cy) *cy = oy;
    if (r)
        *r = (_JH_GetDist(ox, oy, x[0], y[0]) + _JH_GetDist(ox, oy, x[1], y[1]) +
              _JH_GetDist(ox, oy, x[2], y[2])) / 3;
    return 1;
}

int get_arc_3points(const float* x, const float* y, float* r, float* cx, float* cy, float* a0,
                    float* a1) {
    float ox = 0, oy = 0, rr = 0;
    if (!get_circle_3points(x, y, &rr, &ox, &oy)) return 0;
    if (r) *r = rr;
    if (cx) *cx = ox;
    if (cy) *cy = oy;
    if (a0) *a0 = _JH_GetAngle(ox, oy, x[0], y[0]);
    if (a1) *a1 = _JH_GetAngle(ox, oy, x[2], y[2]);
    return 1;
}

int get_inter_arc3_arc3(const float* x1, const float* y1, const float* x2, const float* y2,
                        float* ix1, float* iy1, float* ix2, float* iy2, float tol) {
    float r1, c1x, c1y, r2, c2x, c2y;
    if (!get_circle_3points(x1, y1, &r1, &c1x, &c1y)) return 0;
    float s1 = _JH_GetAngle(c1x, c1y, x1[0], y1[0]) * 180 / kPi;
    float e1 = _JH_GetAngle(c1x, c1y, x1[2], y1[2]) * 180 / kPi;
    if (e1 < s1) e1 += 360;
    if (!get_circle_3points(x2, y2, &r2, &c2x, &c2y)) return 0;
    float s2 = _JH_GetAngle(c2x, c2y, x2[0], y2[0]) * 180 / kPi;
    float e2 = _JH_GetAngle(c2x, c2y, x2[2], y2[2]) * 180 / kPi;
    if (e2 < s2) e2 += 360;
    float px[2] = {0, 0}, py[2] = {0, 0};
    const int n = _JH_GetInterPoint_Arc_Arc(c1x, c1y, r1, s1, e1, c2x, c2y, r2, s2, e2, &px[0],
                                            &py[0], &px[1], &py[1], tol);
    if (n >= 1) put(ix1, iy1, px[0], py[0]);
    if (n >= 2) put(ix2, iy2, px[1], py[1]);
    return n;
}

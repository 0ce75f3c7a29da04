#include "base/geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

struct Pt {
    double x, y;
};

Pt operator+(Pt a, Pt b) { return {a.x + b.x, a.y + b.y}; }
Pt operator-(Pt a, Pt b) { return {a.x - b.x, a.y - b.y}; }
Pt operator*(double k, Pt a) { return {k * a.x, k * a.y}; }
double Dot(Pt a, Pt b) { return a.x * b.x + a.y * b.y; }
double Cross(Pt a, Pt b) { return a.x * b.y - a.y * b.x; }
double Len(Pt a) { return std::hypot(a.x, a.y); }

// A float angle in [0, 2π): a double just below 2π rounds to the float 2π,
// which callers would take for a full turn.
float ToFloatAngle(double a) {
    float f = static_cast<float>(a);
    return f >= static_cast<float>(kTwoPi) ? 0.0f : f;
}

double PointSegmentDistance(Pt p, Pt a, Pt b) {
    Pt d = b - a;
    double len2 = Dot(d, d);
    if (len2 == 0.0) return Len(p - a);
    double t = std::clamp(Dot(p - a, d) / len2, 0.0, 1.0);
    return Len(p - (a + t * d));
}

// Up to two points found by a cut; `n` of them are valid.
struct Cut {
    int n = 0;
    Pt p[2];
    void Add(Pt q) {
        if (n < 2) p[n++] = q;
    }
};

int Emit(const Cut& cut, double* px1, double* py1, double* px2, double* py2) {
    if (cut.n >= 1) {
        if (px1) *px1 = cut.p[0].x;
        if (py1) *py1 = cut.p[0].y;
    }
    if (cut.n >= 2) {
        if (px2) *px2 = cut.p[1].x;
        if (py2) *py2 = cut.p[1].y;
    }
    return cut.n;
}

// The float twins: run the double version and hand back the points found.
template <typename Fn>
int EmitFloat(Fn&& fn, float* px1, float* py1, float* px2, float* py2) {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int n = fn(&x1, &y1, &x2, &y2);
    if (n >= 1) {
        if (px1) *px1 = static_cast<float>(x1);
        if (py1) *py1 = static_cast<float>(y1);
    }
    if (n >= 2) {
        if (px2) *px2 = static_cast<float>(x2);
        if (py2) *py2 = static_cast<float>(y2);
    }
    return n;
}

Cut SegmentSegment(Pt a, Pt b, Pt c, Pt d, double tol) {
    Cut cut;
    Pt d1 = b - a, d2 = d - c;
    double l1 = Len(d1), l2 = Len(d2);
    if (l1 == 0.0 || l2 == 0.0) {
        // A segment of no length is a point.
        Pt p = l1 == 0.0 ? a : c;
        if (l1 == 0.0 ? PointSegmentDistance(a, c, d) <= tol : PointSegmentDistance(c, a, b) <= tol)
            cut.Add(p);
        return cut;
    }
    Pt u = (1.0 / l1) * d1;
    double hc = Cross(u, c - a), hd = Cross(u, d - a);
    if (std::fabs(hc) <= tol && std::fabs(hd) <= tol) {
        // Both on the first segment's line: their common stretch.
        double sc = Dot(c - a, u), sd = Dot(d - a, u);
        double lo = std::max(0.0, std::min(sc, sd));
        double hi = std::min(l1, std::max(sc, sd));
        if (lo > hi + tol) return cut;
        if (hi - lo <= tol) {
            cut.Add(a + (0.5 * (lo + hi)) * u);
        } else {
            cut.Add(a + lo * u);
            cut.Add(a + hi * u);
        }
        return cut;
    }
    double den = Cross(d1, d2);
    if (den == 0.0) return cut;  // parallel, apart
    double t = Cross(c - a, d2) / den;
    Pt x = a + t * d1;
    if (PointSegmentDistance(x, a, b) <= tol && PointSegmentDistance(x, c, d) <= tol) cut.Add(x);
    return cut;
}

// The circle about c of radius r with the segment a-b; points in the order met
// going from a to b.
Cut CircleSegment(Pt c, double r, Pt a, Pt b, double tol) {
    Cut cut;
    if (r < 0.0) return cut;
    Pt d = b - a;
    double len = Len(d);
    if (len == 0.0) {
        if (std::fabs(Len(a - c) - r) <= tol) cut.Add(a);
        return cut;
    }
    Pt u = (1.0 / len) * d;
    double s0 = Dot(c - a, u);
    double q = std::fabs(Cross(u, c - a));  // distance of the centre from the line
    if (q > r + tol) return cut;
    double h2 = r * r - q * q;
    double h = h2 > 0.0 ? std::sqrt(h2) : 0.0;
    double s[2];
    int ns = 0;
    if (2.0 * h <= tol) {
        s[ns++] = s0;  // touching
    } else {
        s[ns++] = s0 - h;
        s[ns++] = s0 + h;
    }
    for (int i = 0; i < ns; ++i)
        if (s[i] >= -tol && s[i] <= len + tol) cut.Add(a + s[i] * u);
    return cut;
}

Cut CircleCircle(Pt c1, double r1, Pt c2, double r2, double tol) {
    Cut cut;
    if (r1 < 0.0 || r2 < 0.0) return cut;
    Pt d = c2 - c1;
    double dist = Len(d);
    // Circles about one centre either miss or coincide: no point to give.
    if (dist <= tol) return cut;
    if (dist > r1 + r2 + tol || dist < std::fabs(r1 - r2) - tol) return cut;
    Pt u = (1.0 / dist) * d;
    Pt left{-u.y, u.x};
    double a = (dist * dist + r1 * r1 - r2 * r2) / (2.0 * dist);
    double h2 = r1 * r1 - a * a;
    double h = h2 > 0.0 ? std::sqrt(h2) : 0.0;
    Pt base = c1 + a * u;
    if (2.0 * h <= tol) {
        cut.Add(base);
    } else {
        cut.Add(base + h * left);
        cut.Add(base - h * left);
    }
    return cut;
}

// Whether p, a point on the circle about c of radius r, lies on the arc from
// `start` to `end`, allowing an arc length of `tol` beyond either end.
bool OnArc(Pt c, double r, double start, double end, Pt p, double tol) {
    double sweep = end - start;
    if (sweep < 0.0) sweep += kTwoPi;
    if (sweep < 0.0) sweep = _JH_Set2PI(sweep);
    if (sweep >= kTwoPi) return true;
    double slack = r > 0.0 ? tol / r : kPi;
    double delta = _JH_Set2PI(_JH_GetAngle(c.x, c.y, p.x, p.y) - start);
    return delta <= sweep + slack || delta >= kTwoPi - slack;
}

Cut KeepOnArc(const Cut& in, Pt c, double r, double start, double end, double tol) {
    Cut out;
    for (int i = 0; i < in.n; ++i)
        if (OnArc(c, r, start, end, in.p[i], tol)) out.Add(in.p[i]);
    return out;
}

}  // namespace

// ---------------------------------------------------------------------------

double _JH_GetAngle(double x1, double y1, double x2, double y2) {
    double dx = x2 - x1, dy = y2 - y1;
    if (dx == 0.0 && dy == 0.0) return 0.0;
    double a = std::atan2(dy, dx);
    if (a < 0.0) a += kTwoPi;
    return a >= kTwoPi ? 0.0 : a;
}

float JH_GetAngle(float x1, float y1, float x2, float y2) { return ToFloatAngle(_JH_GetAngle(x1, y1, x2, y2)); }

double _JH_Set2PI(double angle) {
    double a = std::fmod(angle, kTwoPi);
    if (a < 0.0) a += kTwoPi;
    return a >= kTwoPi ? 0.0 : a;
}

double _JH_GetDist(double x1, double y1, double x2, double y2) { return std::hypot(x2 - x1, y2 - y1); }
double _JH_GetDistance(double x1, double y1, double x2, double y2) { return _JH_GetDist(x1, y1, x2, y2); }
float JH_GetDist(float x1, float y1, float x2, float y2) {
    return static_cast<float>(_JH_GetDist(x1, y1, x2, y2));
}

int _JH_GetInterPoint_LineSection(double x1, double y1, double x2, double y2, double x3, double y3,
                                  double x4, double y4, double* px1, double* py1, double* px2,
                                  double* py2, double tol) {
    return Emit(SegmentSegment({x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}, tol), px1, py1, px2, py2);
}

int JH_GetInterPoint_LineSection(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                                 float y4, float* px1, float* py1, float* px2, float* py2, float tol) {
    return EmitFloat(
        [&](double* a, double* b, double* c, double* d) {
            return _JH_GetInterPoint_LineSection(x1, y1, x2, y2, x3, y3, x4, y4, a, b, c, d, tol);
        },
        px1, py1, px2, py2);
}

int _JH_GetInterPoint_Circle_Circle(double cx1, double cy1, double r1, double cx2, double cy2,
                                    double r2, double* px1, double* py1, double* px2, double* py2,
                                    double tol) {
    return Emit(CircleCircle({cx1, cy1}, r1, {cx2, cy2}, r2, tol), px1, py1, px2, py2);
}

int JH_GetInterPoint_Circle_Circle(float cx1, float cy1, float r1, float cx2, float cy2, float r2,
                                   float* px1, float* py1, float* px2, float* py2, float tol) {
    return EmitFloat(
        [&](double* a, double* b, double* c, double* d) {
            return _JH_GetInterPoint_Circle_Circle(cx1, cy1, r1, cx2, cy2, r2, a, b, c, d, tol);
        },
        px1, py1, px2, py2);
}

int _JH_GetInterPoint_Circle_LineSection(double cx, double cy, double r, double x1, double y1,
                                         double x2, double y2, double* px1, double* py1,
                                         double* px2, double* py2, double tol) {
    return Emit(CircleSegment({cx, cy}, r, {x1, y1}, {x2, y2}, tol), px1, py1, px2, py2);
}

int JH_GetInterPoint_Circle_LineSection(float cx, float cy, float r, float x1, float y1, float x2,
                                        float y2, float* px1, float* py1, float* px2, float* py2,
                                        float tol) {
    return EmitFloat(
        [&](double* a, double* b, double* c, double* d) {
            return _JH_GetInterPoint_Circle_LineSection(cx, cy, r, x1, y1, x2, y2, a, b, c, d, tol);
        },
        px1, py1, px2, py2);
}

int _JH_GetInterPoint_LineSection_Arc(double x1, double y1, double x2, double y2, double cx,
                                      double cy, double r, double start, double end, double* px1,
                                      double* py1, double* px2, double* py2, double tol) {
    Pt c{cx, cy};
    Cut cut = KeepOnArc(CircleSegment(c, r, {x1, y1}, {x2, y2}, tol), c, r, start, end, tol);
    return Emit(cut, px1, py1, px2, py2);
}

int JH_GetInterPoint_LineSection_Arc(float x1, float y1, float x2, float y2, float cx, float cy,
                                     float r, float start, float end, float* px1, float* py1,
                                     float* px2, float* py2, float tol) {
    return EmitFloat(
        [&](double* a, double* b, double* c, double* d) {
            return _JH_GetInterPoint_LineSection_Arc(x1, y1, x2, y2, cx, cy, r, start, end, a, b, c, d,
                                                     tol);
        },
        px1, py1, px2, py2);
}

int _JH_GetInterPoint_Arc_Arc(double cx1, double cy1, double r1, double start1, double end1,
                              double cx2, double cy2, double r2, double start2, double end2,
                              double* px1, double* py1, double* px2, double* py2, double tol) {
    Pt c1{cx1, cy1}, c2{cx2, cy2};
    Cut cut = CircleCircle(c1, r1, c2, r2, tol);
    cut = KeepOnArc(cut, c1, r1, start1, end1, tol);
    cut = KeepOnArc(cut, c2, r2, start2, end2, tol);
    return Emit(cut, px1, py1, px2, py2);
}

int JH_GetInterPoint_Arc_Arc(float cx1, float cy1, float r1, float start1, float end1, float cx2,
                             float cy2, float r2, float start2, float end2, float* px1, float* py1,
                             float* px2, float* py2, float tol) {
    return EmitFloat(
        [&](double* a, double* b, double* c, double* d) {
            return _JH_GetInterPoint_Arc_Arc(cx1, cy1, r1, start1, end1, cx2, cy2, r2, start2, end2, a,
                                             b, c, d, tol);
        },
        px1, py1, px2, py2);
}

int JH_GetInterPoint_Line(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                          float y4, float* px, float* py, float tol) {
    Pt a{x1, y1}, d1 = Pt{x2, y2} - a, c{x3, y3}, d2 = Pt{x4, y4} - c;
    double l1 = Len(d1), l2 = Len(d2);
    if (l1 == 0.0 || l2 == 0.0) return 0;
    double den = Cross(d1, d2);
    if (std::fabs(den) <= std::fabs(tol) * l1 * l2) return 0;
    Pt x = a + (Cross(c - a, d2) / den) * d1;
    if (px) *px = static_cast<float>(x.x);
    if (py) *py = static_cast<float>(x.y);
    return 1;
}

int line_func_inter(float a1, float b1, float c1, float a2, float b2, float c2, float* x, float* y) {
    // a·y − b·x = c for both lines, solved by Cramer's rule.
    double n1 = std::hypot(double(a1), double(b1)), n2 = std::hypot(double(a2), double(b2));
    if (n1 == 0.0 || n2 == 0.0) return 0;
    double den = double(a1) * b2 - double(a2) * b1;
    // Lines closer than a millionth of a radian to parallel meet, if at all,
    // too far off for single precision to place the point.
    if (std::fabs(den) <= 1e-6 * n1 * n2) return 0;
    if (x) *x = static_cast<float>((double(c1) * a2 - double(a1) * c2) / den);
    if (y) *y = static_cast<float>((double(b2) * c1 - double(b1) * c2) / den);
    return 1;
}

void line_offset_left(float x1, float y1, float x2, float y2, float dist, float* ox1, float* oy1,
                      float* ox2, float* oy2) {
    Pt d = Pt{x2, y2} - Pt{x1, y1};
    double len = Len(d);
    Pt shift{0.0, 0.0};
    if (len > 0.0) shift = (dist / len) * Pt{-d.y, d.x};
    if (ox1) *ox1 = static_cast<float>(x1 + shift.x);
    if (oy1) *oy1 = static_cast<float>(y1 + shift.y);
    if (ox2) *ox2 = static_cast<float>(x2 + shift.x);
    if (oy2) *oy2 = static_cast<float>(y2 + shift.y);
}

void form_euler_lamda(float a1, float a2, float a3, float lamda[3][3]) {
    // Each factor takes co-ordinates into the turned axes; applied z, x, y.
    double c1 = std::cos(double(a1)), s1 = std::sin(double(a1));
    double c2 = std::cos(double(a2)), s2 = std::sin(double(a2));
    double c3 = std::cos(double(a3)), s3 = std::sin(double(a3));
    const double tz[3][3] = {{c1, s1, 0}, {-s1, c1, 0}, {0, 0, 1}};
    const double tx[3][3] = {{1, 0, 0}, {0, c2, s2}, {0, -s2, c2}};
    const double ty[3][3] = {{c3, 0, -s3}, {0, 1, 0}, {s3, 0, c3}};
    double xz[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            xz[i][j] = 0;
            for (int k = 0; k < 3; ++k) xz[i][j] += tx[i][k] * tz[k][j];
        }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double v = 0;
            for (int k = 0; k < 3; ++k) v += ty[i][k] * xz[k][j];
            // Angles come as floats: cos of the float π/2 is 4e-8, not 0.
            // Keep quarter and half turns exact.
            if (std::fabs(v) < 1e-6) v = 0;
            lamda[i][j] = static_cast<float>(v);
        }
}

// ---------------------------------------------------------------------------

float get_dist(float x1, float y1, float x2, float y2) {
    return static_cast<float>(std::hypot(double(x2) - x1, double(y2) - y1));
}

float get_line_angle(float x1, float y1, float x2, float y2) { return JH_GetAngle(x1, y1, x2, y2); }

float get_two_line_angle(float x1, float y1, float x2, float y2, float x3, float y3) {
    double back = _JH_GetAngle(x2, y2, x1, y1);
    double ahead = _JH_GetAngle(x2, y2, x3, y3);
    return ToFloatAngle(_JH_Set2PI(back - ahead));
}

float area_tri(float x1, float y1, float x2, float y2, float x3, float y3) {
    return static_cast<float>(0.5 * Cross(Pt{x2, y2} - Pt{x1, y1}, Pt{x3, y3} - Pt{x1, y1}));
}

float area_poli(int n, const float* xs, const float* ys) {
    if (n < 3 || !xs || !ys) return 0.0f;
    // Measured from the first corner, which keeps the products small.
    Pt o{xs[0], ys[0]};
    double twice = 0.0;
    for (int i = 1; i + 1 < n; ++i) twice += Cross(Pt{xs[i], ys[i]} - o, Pt{xs[i + 1], ys[i + 1]} - o);
    return static_cast<float>(0.5 * twice);
}

float zhouchang_poli(int n, const float* xs, const float* ys) {
    if (n < 2 || !xs || !ys) return 0.0f;
    double sum = 0.0;
    for (int i = 0; i < n; ++i) sum += get_dist(xs[i], ys[i], xs[(i + 1) % n], ys[(i + 1) % n]);
    return static_cast<float>(sum);
}

int centroid_poli(int n, const float* xs, const float* ys, float* x, float* y) {
    if (n <= 0 || !xs || !ys) {
        if (x) *x = 0.0f;
        if (y) *y = 0.0f;
        return 0;
    }
    Pt o{xs[0], ys[0]};
    double twice = 0.0, sx = 0.0, sy = 0.0, extent = 0.0;
    Pt mean{0.0, 0.0};
    for (int i = 0; i < n; ++i) {
        Pt p = Pt{xs[i], ys[i]} - o;
        mean = mean + p;
        extent = std::max({extent, std::fabs(p.x), std::fabs(p.y)});
        if (i >= 1 && i + 1 < n) {
            Pt q = Pt{xs[i + 1], ys[i + 1]} - o;
            double cr = Cross(p, q);  // triangle o, p, q
            twice += cr;
            sx += cr * (p.x + q.x);
            sy += cr * (p.y + q.y);
        }
    }
    Pt c;
    int ok = 1;
    if (std::fabs(twice) <= 1e-12 * extent * extent || extent == 0.0) {
        c = (1.0 / n) * mean;  // no area: the corners' mean
        ok = 0;
    } else {
        c = {sx / (3.0 * twice), sy / (3.0 * twice)};
    }
    if (x) *x = static_cast<float>(o.x + c.x);
    if (y) *y = static_cast<float>(o.y + c.y);
    return ok;
}

void rotate_coordinate(float* x, float* y, float angle) {
    if (!x || !y) return;
    double c = std::cos(double(angle)), s = std::sin(double(angle));
    double px = *x, py = *y;
    *x = static_cast<float>(px * c + py * s);
    *y = static_cast<float>(-px * s + py * c);
}

void shift_coordinate(float* x, float* y, float dx, float dy) {
    if (x) *x -= dx;
    if (y) *y -= dy;
}

namespace kv::geom {

float Det3(float ax, float ay, float bx, float by, float cx, float cy) {
    return static_cast<float>(Cross(Pt{bx, by} - Pt{ax, ay}, Pt{cx, cy} - Pt{ax, ay}));
}

float MaxAngleOfTri(float ax, float ay, float bx, float by, float cx, float cy) {
    Pt a{ax, ay}, b{bx, by}, c{cx, cy};
    if (Len(b - a) == 0.0 || Len(c - b) == 0.0 || Len(a - c) == 0.0) return static_cast<float>(kPi);
    auto corner = [](Pt p, Pt q, Pt r) {  // inner angle at p
        Pt u = q - p, v = r - p;
        return std::atan2(std::fabs(Cross(u, v)), Dot(u, v));
    };
    return static_cast<float>(std::max({corner(a, b, c), corner(b, c, a), corner(c, a, b)}));
}

float MaxAngleOfTri2(float ax, float ay, float bx, float by, float cx, float cy) {
    return std::max({get_two_line_angle(cx, cy, ax, ay, bx, by), get_two_line_angle(ax, ay, bx, by, cx, cy),
                     get_two_line_angle(bx, by, cx, cy, ax, ay)});
}

float DistPointSegment(float ax, float ay, float bx, float by, float px, float py) {
    return static_cast<float>(PointSegmentDistance({px, py}, {ax, ay}, {bx, by}));
}

int SegmentCross(float ax, float ay, float bx, float by, float cx, float cy, float dx, float dy,
                 float* px, float* py) {
    // Touching counts; the slack is relative so that the test means the same
    // for a plate measured in metres or in millimetres.
    constexpr double kRel = 1e-6;
    Pt a{ax, ay}, b{bx, by}, c{cx, cy}, d{dx, dy};
    double scale = std::max({Len(b - a), Len(d - c), Len(c - a), Len(d - a)});
    double tol = kRel * scale;
    Cut cut = SegmentSegment(a, b, c, d, tol);
    if (cut.n == 0) return 0;
    if (px) *px = static_cast<float>(cut.p[0].x);
    if (py) *py = static_cast<float>(cut.p[0].y);
    return 1;
}

int PolygonEdgeStep(float ax, float ay, float bx, float by, float x, float y) {
    Pt a{ax, ay}, b{bx, by}, p{x, y};
    double tol = 1e-6 * std::max({Len(b - a), std::fabs(double(x)), std::fabs(double(y)), 1e-6});
    if (PointSegmentDistance(p, a, b) <= tol) return 2;
    if ((a.y > p.y) == (b.y > p.y)) return 0;
    double xCross = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
    return p.x < xCross ? 1 : 0;
}

}  // namespace kv::geom

#pragma once
// The drawing pen's own plane geometry. Distances, directions and the cuts of
// lines, circles and arcs come from the base library (base/geometry.h), which
// this header brings in for the drawing code. Points are (x, y) in drawing
// units; angles are radians, counter-clockwise from the +x axis.
#include "base/geometry.h"

namespace kv::drawing {
inline constexpr double kPi = 3.14159265358979323846;
}

// Point at distance r from (x, y) in direction a; always 1.
int get_polar_point(float x, float y, float r, float a, float* ox, float* oy);

// P1 + e·(P2 − P1).
void PointAlongLine(float x1, float y1, float x2, float y2, float e, float* ox, float* oy);

// a0 + f·(sweep from a0 to a1 counter-clockwise), reduced by fmod(…, 2π).
float get_angle_at_fraction(float a0, float a1, float f);

// Circle through three points: 1, or 0 with nothing written when an array is
// missing or the points lie on one line.
int get_circle_3points(const float* x, const float* y, float* r, float* cx, float* cy);

// As get_circle_3points, with the directions from the centre to the first and
// third point in [0, 2π).
int get_arc_3points(const float* x, const float* y, float* r, float* cx, float* cy, float* a0,
                    float* a1);

// Intersections of two arcs, each given by three points and running
// counter-clockwise from its first to its third point (the middle point only
// fixes the circle): the count 0, 1 or 2, the points in the order
// _JH_GetInterPoint_Arc_Arc gives them. 0 when either arc has no circle.
int get_inter_arc3_arc3(const float* x1, const float* y1, const float* x2, const float* y2,
                        float* ix1, float* iy1, float* ix2, float* iy2, float tol);

#pragma once
// Plane geometry shared by the drawings, the section outlines and the mesh
// generator. Angles are radians, counter-clockwise from +x, unless a name says
// otherwise. The JH_ functions take floats, their _JH_ twins doubles.

// ---------------------------------------------------------------------------
// Directions and distances

// Direction of the vector from (x1, y1) to (x2, y2), in [0, 2π). Two equal
// points give 0.
float JH_GetAngle(float x1, float y1, float x2, float y2);
double _JH_GetAngle(double x1, double y1, double x2, double y2);

// An angle brought into [0, 2π).
double _JH_Set2PI(double angle);

float JH_GetDist(float x1, float y1, float x2, float y2);
double _JH_GetDist(double x1, double y1, double x2, double y2);
double _JH_GetDistance(double x1, double y1, double x2, double y2);

// ---------------------------------------------------------------------------
// Cuts of lines, segments, circles and arcs.
//
// Each returns how many points it found (0, 1 or 2) and writes them to
// (*px1, *py1) and (*px2, *py2); outputs past the count are left alone.
// A point counts when it lies within `tol` (a length) of both figures, so two
// figures that only touch, or miss each other by less than `tol`, meet once.
// Arcs run counter-clockwise from `start` to `end` (radians); an end below the
// start is taken one turn further on.
//
// Order of two points: along the segment from its first point for the cuts
// with a segment; for two circles the point to the left of the line from the
// first centre to the second comes first. Two segments on one line give the
// ends of their common stretch, in the first segment's direction. Two circles
// about one centre give 0, and so does a negative radius.

int JH_GetInterPoint_LineSection(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                                 float y4, float* px1, float* py1, float* px2, float* py2, float tol);
int _JH_GetInterPoint_LineSection(double x1, double y1, double x2, double y2, double x3, double y3,
                                  double x4, double y4, double* px1, double* py1, double* px2,
                                  double* py2, double tol);

int JH_GetInterPoint_Circle_Circle(float cx1, float cy1, float r1, float cx2, float cy2, float r2,
                                   float* px1, float* py1, float* px2, float* py2, float tol);
int _JH_GetInterPoint_Circle_Circle(double cx1, double cy1, double r1, double cx2, double cy2,
                                    double r2, double* px1, double* py1, double* px2, double* py2,
                                    double tol);

// Circle about (cx, cy) of radius r with the segment (x1, y1)-(x2, y2).
int JH_GetInterPoint_Circle_LineSection(float cx, float cy, float r, float x1, float y1, float x2,
                                        float y2, float* px1, float* py1, float* px2, float* py2,
                                        float tol);
int _JH_GetInterPoint_Circle_LineSection(double cx, double cy, double r, double x1, double y1,
                                         double x2, double y2, double* px1, double* py1,
                                         double* px2, double* py2, double tol);

// Segment (x1, y1)-(x2, y2) with the arc about (cx, cy) of radius r.
int JH_GetInterPoint_LineSection_Arc(float x1, float y1, float x2, float y2, float cx, float cy,
                                     float r, float start, float end, float* px1, float* py1,
                                     float* px2, float* py2, float tol);
int _JH_GetInterPoint_LineSection_Arc(double x1, double y1, double x2, double y2, double cx,
                                      double cy, double r, double start, double end, double* px1,
                                      double* py1, double* px2, double* py2, double tol);

int JH_GetInterPoint_Arc_Arc(float cx1, float cy1, float r1, float start1, float end1, float cx2,
                             float cy2, float r2, float start2, float end2, float* px1, float* py1,
                             float* px2, float* py2, float tol);
int _JH_GetInterPoint_Arc_Arc(double cx1, double cy1, double r1, double start1, double end1,
                              double cx2, double cy2, double r2, double start2, double end2,
                              double* px1, double* py1, double* px2, double* py2, double tol);

// The unbounded lines through (x1, y1)-(x2, y2) and (x3, y3)-(x4, y4): 1 with
// the meeting point, 0 when they are parallel (the sine of the angle between
// them below `tol`) or a line is given by two equal points.
int JH_GetInterPoint_Line(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                          float y4, float* px, float* py, float tol);

// ---------------------------------------------------------------------------
// Lines given by coefficients: (a, b, c) stands for the line a·y = b·x + c.
// 1 with the meeting point of the two lines, 0 when they are parallel (or a
// triple describes no line); the outputs are then left alone.
int line_func_inter(float a1, float b1, float c1, float a2, float b2, float c2, float* x, float* y);

// The line (x1, y1)-(x2, y2) moved sideways by `dist` to its left (a negative
// distance moves it to the right). A line of no length is copied unchanged.
void line_offset_left(float x1, float y1, float x2, float y2, float dist, float* ox1, float* oy1,
                      float* ox2, float* oy2);

// The direction-cosine matrix of three successive turns of the axes: a1 about
// z, then a2 about the new x, then a3 about the new y. Row i holds new axis i
// in the old axes, so v_new = lamda·v_old; a part drawn in its own axes and
// inserted with lamda lands at lamda·p. In the plane: (−π/2, 0, 0) turns the
// part's +x to +y, (0, 0, π) mirrors it about its y axis, (−π/2, π, 0) turns
// its +x to −y and its +y to −x. Quarter and half turns give exact 0 and ±1.
void form_euler_lamda(float a1, float a2, float a3, float lamda[3][3]);

// ---------------------------------------------------------------------------
// Plane figures in single precision, as the finite-element library keeps them.

struct POINT_2D {
    float x;
    float y;
};

float get_dist(float x1, float y1, float x2, float y2);

// Direction of (x1, y1) -> (x2, y2) in [0, 2π).
float get_line_angle(float x1, float y1, float x2, float y2);

// The counter-clockwise angle at (x2, y2) from the direction towards (x3, y3)
// to the direction towards (x1, y1), in [0, 2π): at a corner of a
// counter-clockwise polygon, with (x1, y1) the previous and (x3, y3) the next
// corner, this is the inner angle.
float get_two_line_angle(float x1, float y1, float x2, float y2, float x3, float y3);

// Signed area, positive when the corners run counter-clockwise.
float area_tri(float x1, float y1, float x2, float y2, float x3, float y3);
float area_poli(int n, const float* xs, const float* ys);
// Perimeter of the closed polygon through the n corners.
float zhouchang_poli(int n, const float* xs, const float* ys);

// The area centroid of a polygon. A polygon without area gives the mean of its
// corners and the result 0; otherwise the result is 1.
int centroid_poli(int n, const float* xs, const float* ys, float* x, float* y);

// (x, y) -> its co-ordinates in axes turned by `angle`.
void rotate_coordinate(float* x, float* y, float angle);
// (x, y) -> its co-ordinates in axes whose origin lies at (dx, dy).
void shift_coordinate(float* x, float* y, float dx, float dy);

namespace kv::geom {
float Det3(float ax, float ay, float bx, float by, float cx, float cy);
float MaxAngleOfTri(float ax, float ay, float bx, float by, float cx, float cy);
float MaxAngleOfTri2(float ax, float ay, float bx, float by, float cx, float cy);
float DistPointSegment(float ax, float ay, float bx, float by, float px, float py);
int SegmentCross(float ax, float ay, float bx, float by, float cx, float cy, float dx, float dy,
                 float* px, float* py);
// Crossing-number step for the edge (ax, ay)-(bx, by) and the point (x, y):
// 1 when a ray from the point towards +x crosses the edge, 2 when the point
// lies on the edge, else 0.
int PolygonEdgeStep(float ax, float ay, float bx, float by, float x, float y);
}  // namespace kv::geom

// The point functions below take any point record whose first members are
// float x and y (POINT_2D, or the mesh generator's node records).

// Twice the signed area of the triangle a, b, c: positive when a, b, c turn
// counter-clockwise.
template <class A, class B, class C>
float det3_point_2d(const A& a, const B& b, const C& c) {
    return kv::geom::Det3(a.x, a.y, b.x, b.y, c.x, c.y);
}

template <class A, class B>
float get_dist_point_2d(const A& a, const B& b) {
    return get_dist(a.x, a.y, b.x, b.y);
}

// Distance from p to the segment a-b.
template <class A, class B, class P>
float get_dist_point_segment_2d(const A& a, const B& b, const P& p) {
    return kv::geom::DistPointSegment(a.x, a.y, b.x, b.y, p.x, p.y);
}

// The largest inner angle of the triangle, in [0, π]. A triangle with two equal
// corners has no angles to speak of and gives π, the worst possible.
template <class A, class B, class C>
float max_angle_of_tri(const A& a, const B& b, const C& c) {
    return kv::geom::MaxAngleOfTri(a.x, a.y, b.x, b.y, c.x, c.y);
}

// The largest of the three angles measured counter-clockwise inside the
// triangle in the order a, b, c, in [0, 2π): the largest inner angle when a, b,
// c turn counter-clockwise, above π when they turn the other way, so a test
// against a right angle also refuses a triangle that runs backwards.
template <class A, class B, class C>
float max_angle_of_tri_2(const A& a, const B& b, const C& c) {
    return kv::geom::MaxAngleOfTri2(a.x, a.y, b.x, b.y, c.x, c.y);
}

// 1 when the segments a-b and c-d have a point in common (touching ends
// included), with that point written to *p; 0 otherwise. Segments on one line
// that overlap give the first point of the common stretch met going from a to b.
template <class A, class B, class C, class D, class Q>
int segment_cross_point(const A& a, const B& b, const C& c, const D& d, Q* p) {
    float x = 0, y = 0;
    int found = kv::geom::SegmentCross(a.x, a.y, b.x, b.y, c.x, c.y, d.x, d.y, &x, &y);
    if (found && p) {
        p->x = x;
        p->y = y;
    }
    return found;
}

// Nonzero when (x, y) lies inside the polygon of the n points or on its edge.
template <class P>
int point_in_area(int n, const P* points, float x, float y) {
    if (n < 3 || !points) return 0;
    int inside = 0;
    for (int i = 0, j = n - 1; i < n; j = i++) {
        int step = kv::geom::PolygonEdgeStep(points[j].x, points[j].y, points[i].x, points[i].y, x, y);
        if (step == 2) return 1;
        inside ^= step;
    }
    return inside;
}

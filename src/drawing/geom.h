#pragma once
// Plane geometry used by the drawing pens and by the modules' drawing code.
// Points are (x, y) in drawing units; angles are radians, counter-clockwise
// from the +x axis, unless a name says degrees.

namespace kv::drawing {
inline constexpr double kPi = 3.14159265358979323846;
}

// Distance between two points.
float get_dist(float x1, float y1, float x2, float y2);
float JH_GetDist(float x1, float y1, float x2, float y2);
float _JH_GetDist(float x1, float y1, float x2, float y2);

// Direction of the line from (x1, y1) to (x2, y2), in [0, 2π); 0 for a zero-length line.
float JH_GetAngle(float x1, float y1, float x2, float y2);
float _JH_GetAngle(float x1, float y1, float x2, float y2);
float get_line_angle(float x1, float y1, float x2, float y2);

// An angle reduced to [0, 2π).
float _JH_Set2PI(float a);

// Intersection of the lines a1·y = k1·x + c1 and a2·y = k2·x + c2 (a = 1 for
// the slope form, a = 0 for a vertical line x = -c/k). Returns 1 with the point,
// 0 when the lines are parallel (the outputs are left alone).
int line_func_inter(float a1, float k1, float c1, float a2, float k2, float c2, float* x, float* y);

// Intersection of the unbounded lines P1P2 and P3P4; 1 with the point, 0 when
// they are parallel within `tol` (sine of the angle between them).
int JH_GetInterPoint_Line(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                          float y4, float* x, float* y, float tol = 0.00001f);

// Intersection of the segments P1P2 and P3P4 (ends included within `tol`): the count 0 or 1.
int _JH_GetInterPoint_LineSection(float x1, float y1, float x2, float y2, float x3, float y3,
                                  float x4, float y4, float* x, float* y, float tol = 0.001f);

// Intersections of two circles: the count 0, 1 (touching within `tol`) or 2.
int _JH_GetInterPoint_Circle_Circle(float cx1, float cy1, float r1, float cx2, float cy2, float r2,
                                    float* x1, float* y1, float* x2, float* y2, float tol = 0.001f);

// Intersections of a circle with the segment P1P2: the count 0, 1 or 2.
int _JH_GetInterPoint_Circle_LineSection(float cx, float cy, float r, float px1, float py1,
                                         float px2, float py2, float* x1, float* y1, float* x2,
                                         float* y2, float tol = 0.001f);

// Intersections of the segment P1P2 with the arc about (cx, cy) of radius r from
// a0 to a1 degrees, counter-clockwise: the count 0, 1 or 2.
int _JH_GetInterPoint_LineSection_Arc(float px1, float py1, float px2, float py2, float cx,
                                      float cy, float r, float a0, float a1, float* x1, float* y1,
                                      float* x2, float* y2, float tol = 0.001f);
int JH_GetInterPoint_LineSection_Arc(float px1, float py1, float px2, float py2, float cx, float cy,
                                     float r, float a0, float a1, float* x1, float* y1, float* x2,
                                     float* y2, float tol = 0.001f);

// Intersections of two arcs (centre, radius, start and end in degrees, counter-
// clockwise): the count 0, 1 or 2.
int _JH_GetInterPoint_Arc_Arc(float cx1, float cy1, float r1, float a10, float a11, float cx2,
                              float cy2, float r2, float a20, float a21, float* x1, float* y1,
                              float* x2, float* y2, float tol = 0.001f);

// The line P1P2 moved `d` to its left (right for negative d).
void line_offset_left(float x1, float y1, float x2, float y2, float d, float* ox1, float* oy1,
                      float* ox2, float* oy2);

// Direction-cosine matrix of three successive axis turns: a1 about z, then a2
// about the new x, then a3 about the new y. Row i holds the new axis i in old
// co-ordinates, so v_new = lamda · v_old (the usual member transformation).
void form_euler_lamda(float a1, float a2, float a3, float lamda[3][3]);

// Point at distance r from (x, y) in direction a; always 1.
int get_polar_point(float x, float y, float r, float a, float* ox, float* oy);

// P1 + e·(P2 − P1).
void PointAlongLine(float x1, float y1, float x2, float y2, float e, float* ox, float* oy);

// a0 + f·(sweep from a0 to a1 counter-clockwise), reduced by fmod(…, 2π).
float get_angle_at_fraction(float a0, float a1, float f);

// Circle through three points: 1, or 0 when an array is missing or the points
// lie on one line.
int get_circle_3points(const float* x, const float* y, float* r, float* cx, float* cy);

// As get_circle_3points, with the directions from the centre to the first and third point.
int get_arc_3points(const float* x, const float* y, float* r, float* cx, float* cy, float* a0,
                    float* a1);

// Intersections of two arcs each given by three points; the count.
int get_inter_arc3_arc3(const float* x1, const float* y1, const float* x2, const float* y2,
                        float* ix1, float* iy1, float* ix2, float* iy2, float tol);

#pragma once
// Small arc routines of the finite-element library, shared with its callers. An
// arc runs counter-clockwise about its centre; angles are radians in [0, 2π) at
// the start, the end angle raised by 2π where it would lie below the start.
// The library exports them under these names.
#include "fem/quellit_export.h"

// Bounding box of the arc from P1 to P2 about C: counter-clockwise from P1 to P2
// when dir is 1, from P2 to P1 otherwise. The radius is |C P1|.
QUELLIT_API void Get_OutLook_One_Arc(float x1, float y1, float x2, float y2, float cx, float cy, int dir, float& xmin,
                                     float& ymin, float& xmax, float& ymax);

// Centre of the circle of radius R through P1 and P2: with side 1 the one for which
// P1, P2, centre turn counter-clockwise, otherwise the clockwise one. A chord
// longer than 2R beeps twice and is taken as 2R (the centre is then its midpoint).
QUELLIT_API void Get_ArcKua_Centroid(float x1, float y1, float x2, float y2, float R, int side, float* cx, float* cy);

// Directions from C to P1 and to P2: a1 in [0, 2π), a2 the first of its turns at or
// past a1.
QUELLIT_API void GetQZhAngle(float x1, float y1, float x2, float y2, float cx, float cy, float* a1, float* a2);


#pragma once
// CPenSGTEx: the pen of the member drawings (door-frame walls, shelter linings).
// Modules that draw with it add their own operations in their own files.
#include "drawing/pen.h"

// The pen of the member drawings: CPenSGT plus bar polylines with end marks,
// mirrored polylines and radial labels.
class CPenSGTEx : public CPenSGT {
public:
    CPenSGTEx() : CPenSGT(nullptr) {}
    ~CPenSGTEx() override = default;

    int Draw_SteelPolyline(int kind, int n, const float* x, const float* y, const float* p,
                           int startType, int endType);
    // Mirrors the caller's points in place (1: y := −y, 2: x := −x), then draws them.
    int Draw_PLineMirror(int lt, int n, float* x, float* y, int mirror, const float* p, int flag,
                         const char* layer, const char* color);
    int Draw_RadialLabel(float x, float y, float angleDeg, float length, const char* text,
                         const char* layer, const char* color);
};

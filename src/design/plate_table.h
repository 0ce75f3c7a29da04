#pragma once
// Plastic design moments of a rectangular reinforced-concrete plate under a
// uniform load, for every combination of simply supported and fixed edges.
//
// a is the side along x (bottom and top edges), b the side along y (right and
// left edges), m; q in kN/m². Edge codes in the order bottom, right, top, left:
// 1 simply supported, 2 fixed. Moments are magnitudes in kN·m/m: Mx, My at
// mid-span of the spans a and b, Mb, Mr, Mt, Ml at the edges. The edge moments
// are in/out: on entry they hold the moments given on the edges; a simply
// supported edge keeps its value, a fixed edge gets the computed one. Mx and My
// must be 0 on entry. fm multiplies the mid-span moments, fe the edge moments,
// at the end. Failures go to the message channel with code 201.

void cal_plate_moment_table(float a, float b, float q, float fm, float fe, const int* edges,
                            float& Mx, float& My, float& Mb, float& Mr, float& Mt, float& Ml);

// The nine cases, named by the number of fixed edges among bottom/top (h) and
// among right/left (v). Called through cal_plate_moment_table.
void plate_case_h0v0(float a, float b, float q, float fm, float fe, const int* edges,
                     float& Mx, float& My, float& Mb, float& Mr, float& Mt, float& Ml);
void plate_case_h0v1(float a, float b, float q, float fm, float fe, const int* edges,
                     float& Mx, float& My, float& Mb, float& Mr, float& Mt, float& Ml);
void plate_case_h1v0(float a, float b, float q, float fm, float fe, const int* edges,
                     float& Mx, float& My, float& Mb, float& Mr, float& Mt, float& Ml);
void plate_case_h0v2(float a, float b, float q, float fm, float fe, const int* edges,
                     float& Mx, float& My, float& Mb, float& Mr, float& Mt, float& Ml);
void plate_case_h2v0(float a, float b, float q, float fm, float fe, const int* edges,
                     float& Mx, float& My, float& Mb, float& Mr, float& Mt, float& Ml);
void plate_case_h1v1(float a, float b, float q, float fm, float fe, const int* edges,
                     float& Mx, float& My, float& Mb, float& Mr, float& Mt, float& Ml);
void plate_case_h1v2(float a, float b, float q, float fm, float fe, const int* edges,
                     float& Mx, float& My, float& Mb, float& Mr, float& Mt, float& Ml);
void plate_case_h2v1(float a, float b, float q, float fm, float fe, const int* edges,
                     float& Mx, float& My, float& Mb, float& Mr, float& Mt, float& Ml);
void plate_case_h2v2(float a, float b, float q, float fm, float fe, const int* edges,
                     float& Mx, float& My, float& Mb, float& Mr, float& Mt, float& Ml);

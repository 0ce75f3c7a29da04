#include "design/plate_table.h"

#include <cmath>

#include "base/error.h"
#include "base/interp.h"

namespace {

constexpr int kRows = 21;

// Aspect ratio a/b of the rows.
const float kLambda[kRows] = {0.50f, 0.55f, 0.60f, 0.65f, 0.70f, 0.75f, 0.80f,
                              0.85f, 0.90f, 0.95f, 1.00f, 1.10f, 1.20f, 1.30f,
                              1.40f, 1.50f, 1.60f, 1.70f, 1.80f, 1.90f, 2.00f};
// My/Mx of the two-way solution.
const float kAlpha[kRows] = {0.25f, 0.30f, 0.35f, 0.40f, 0.50f, 0.55f, 0.65f,
                             0.70f, 0.80f, 0.90f, 1.00f, 1.20f, 1.45f, 1.70f,
                             1.95f, 2.25f, 2.55f, 2.90f, 3.25f, 3.60f, 4.00f};
// Total moment o = kappa*q*a^2.
const float kKappa[kRows] = {0.105f, 0.102f, 0.100f, 0.098f, 0.096f, 0.094f, 0.092f,
                             0.090f, 0.088f, 0.086f, 0.084f, 0.079f, 0.076f, 0.072f,
                             0.068f, 0.065f, 0.062f, 0.060f, 0.057f, 0.055f, 0.052f};

// Factor turning the net total moment into Mx, one column per case.
enum Case { kH0V0, kH0V1, kH1V0, kH0V2, kH2V0, kH1V1, kH1V2, kH2V1, kH2V2, kCases };
const float kCaseColumn[kCases][kRows] = {
    // h0v0
    {0.889f, 0.859f, 0.826f, 0.794f, 0.740f, 0.708f, 0.658f, 0.627f, 0.581f, 0.539f, 0.500f,
     0.431f, 0.365f, 0.318f, 0.268f, 0.229f, 0.197f, 0.169f, 0.146f, 0.128f, 0.112f},
    // h0v1
    {0.470f, 0.462f, 0.452f, 0.442f, 0.426f, 0.415f, 0.397f, 0.386f, 0.368f, 0.351f, 0.333f,
     0.301f, 0.268f, 0.241f, 0.212f, 0.186f, 0.165f, 0.144f, 0.128f, 0.113f, 0.100f},
    // h1v0
    {0.800f, 0.752f, 0.705f, 0.658f, 0.588f, 0.548f, 0.490f, 0.457f, 0.410f, 0.369f, 0.333f,
     0.275f, 0.223f, 0.189f, 0.155f, 0.129f, 0.110f, 0.092f, 0.079f, 0.068f, 0.059f},
    // h0v2
    {0.320f, 0.316f, 0.312f, 0.307f, 0.299f, 0.294f, 0.284f, 0.279f, 0.269f, 0.260f, 0.250f,
     0.232f, 0.211f, 0.194f, 0.175f, 0.157f, 0.142f, 0.126f, 0.113f, 0.102f, 0.091f},
    // h2v0
    {0.727f, 0.669f, 0.614f, 0.562f, 0.488f, 0.448f, 0.391f, 0.359f, 0.317f, 0.281f, 0.250f,
     0.202f, 0.161f, 0.135f, 0.109f, 0.090f, 0.076f, 0.064f, 0.054f, 0.047f, 0.040f},
    // h1v1
    {0.445f, 0.430f, 0.413f, 0.397f, 0.370f, 0.354f, 0.329f, 0.314f, 0.291f, 0.270f, 0.250f,
     0.216f, 0.183f, 0.159f, 0.134f, 0.115f, 0.099f, 0.085f, 0.073f, 0.064f, 0.056f},
    // h1v2
    {0.308f, 0.300f, 0.293f, 0.284f, 0.270f, 0.262f, 0.248f, 0.239f, 0.225f, 0.212f, 0.200f,
     0.178f, 0.155f, 0.137f, 0.119f, 0.103f, 0.090f, 0.078f, 0.068f, 0.060f, 0.053f},
    // h2v1
    {0.421f, 0.401f, 0.380f, 0.360f, 0.328f, 0.309f, 0.281f, 0.264f, 0.241f, 0.220f, 0.200f,
     0.168f, 0.139f, 0.119f, 0.098f, 0.083f, 0.070f, 0.060f, 0.051f, 0.045f, 0.039f},
    // h2v2
    {0.296f, 0.287f, 0.276f, 0.265f, 0.247f, 0.237f, 0.220f, 0.209f, 0.194f, 0.180f, 0.167f,
     0.144f, 0.122f, 0.106f, 0.090f, 0.077f, 0.066f, 0.057f, 0.049f, 0.043f, 0.037f},
};

constexpr int kSimple = 1;
constexpr int kFixed = 2;

// One-way strip of span L between two edges with codes c1, c2 and moments e1, e2.
void OneWayStrip(float L, float q, int c1, int c2, float& e1, float& e2, float& mid) {
    float qll = q * L * L;
    if (c1 == kSimple && c2 == kSimple) {
        mid = qll / 8.0f - (e1 + e2) / 2.0f;
    } else if (c1 == kFixed && c2 == kFixed) {
        e1 = qll / 12.0f;
        e2 = qll / 12.0f;
        mid = qll / 8.0f - (e1 + e2) / 2.0f;
    } else {
        // Propped cantilever: the simply supported end keeps its given moment.
        float& ef = (c1 == kFixed) ? e1 : e2;
        float es = (c1 == kFixed) ? e2 : e1;
        ef = qll / 8.0f - es / 2.0f;
        mid = 9.0f * qll / 128.0f - 5.0f * es / 8.0f;
    }
}

void PlateCase(Case column, float a, float b, float q, float fm, float fe, const int* edges,
               float& Mx, float& My, float& Mb, float& Mr, float& Mt, float& Ml) {
    float lambda = a / b;
    if (lambda > 2.0f) {
        OneWayStrip(b, q, edges[0], edges[2], Mb, Mt, My);
    } else if (lambda < 0.5f) {
        OneWayStrip(a, q, edges[1], edges[3], Mr, Ml, Mx);
    } else {
        float alpha = liner_inter(kLambda, kAlpha, kRows, lambda);
        float kappa = liner_inter(kLambda, kKappa, kRows, lambda);
        float c = liner_inter(kLambda, kCaseColumn[column], kRows, lambda);
        float o = kappa * q * a * a;
        Mx = (o - (lambda * (Mb + Mt) + (Mr + Ml)) / 2.0f) * c;
        My = alpha * Mx;
        if (edges[0] == kFixed) Mb = 2.0f * My;
        if (edges[2] == kFixed) Mt = 2.0f * My;
        if (edges[1] == kFixed) Mr = 2.0f * Mx;
        if (edges[3] == kFixed) Ml = 2.0f * Mx;

        // Virtual work of the yield-line mechanism: the moments must carry o.
        float residual = (Mr + Ml) / 2.0f + Mx + lambda * ((Mb + Mt) / 2.0f + My) - o;
        float divisor = o;
        if (std::fabs(o) < 1e-10f) {
            tell_error(201, "总弯矩为零");
            divisor = o + 0.001f;
        }
        if (residual / divisor > 0.05f) tell_error(201, "计算内力不平衡!");
    }
    Mx *= fm;
    My *= fm;
    Mb *= fe;
    Mr *= fe;
    Mt *= fe;
    Ml *= fe;
}

bool Matches(const int* edges, int b, int r, int t, int l) {
    return edges[0] == b && edges[1] == r && edges[2] == t && edges[3] == l;
}

}  // namespace

void plate_case_h0v0(float a, float b, float q, float fm, float fe, const int* edges, float& Mx,
                     float& My, float& Mb, float& Mr, float& Mt, float& Ml) {
    PlateCase(kH0V0, a, b, q, fm, fe, edges, Mx, My, Mb, Mr, Mt, Ml);
}

void plate_case_h0v1(float a, float b, float q, float fm, float fe, const int* edges, float& Mx,
                     float& My, float& Mb, float& Mr, float& Mt, float& Ml) {
    PlateCase(kH0V1, a, b, q, fm, fe, edges, Mx, My, Mb, Mr, Mt, Ml);
}

void plate_case_h1v0(float a, float b, float q, float fm, float fe, const int* edges, float& Mx,
                     float& My, float& Mb, float& Mr, float& Mt, float& Ml) {
    PlateCase(kH1V0, a, b, q, fm, fe, edges, Mx, My, Mb, Mr, Mt, Ml);
}

void plate_case_h0v2(float a, float b, float q, float fm, float fe, const int* edges, float& Mx,
                     float& My, float& Mb, float& Mr, float& Mt, float& Ml) {
    PlateCase(kH0V2, a, b, q, fm, fe, edges, Mx, My, Mb, Mr, Mt, Ml);
}

void plate_case_h2v0(float a, float b, float q, float fm, float fe, const int* edges, float& Mx,
                     float& My, float& Mb, float& Mr, float& Mt, float& Ml) {
    PlateCase(kH2V0, a, b, q, fm, fe, edges, Mx, My, Mb, Mr, Mt, Ml);
}

void plate_case_h1v1(float a, float b, float q, float fm, float fe, const int* edges, float& Mx,
                     float& My, float& Mb, float& Mr, float& Mt, float& Ml) {
    PlateCase(kH1V1, a, b, q, fm, fe, edges, Mx, My, Mb, Mr, Mt, Ml);
}

void plate_case_h1v2(float a, float b, float q, float fm, float fe, const int* edges, float& Mx,
                     float& My, float& Mb, float& Mr, float& Mt, float& Ml) {
    PlateCase(kH1V2, a, b, q, fm, fe, edges, Mx, My, Mb, Mr, Mt, Ml);
}

void plate_case_h2v1(float a, float b, float q, float fm, float fe, const int* edges, float& Mx,
                     float& My, float& Mb, float& Mr, float& Mt, float& Ml) {
    PlateCase(kH2V1, a, b, q, fm, fe, edges, Mx, My, Mb, Mr, Mt, Ml);
}

void plate_case_h2v2(float a, float b, float q, float fm, float fe, const int* edges, float& Mx,
                     float& My, float& Mb, float& Mr, float& Mt, float& Ml) {
    PlateCase(kH2V2, a, b, q, fm, fe, edges, Mx, My, Mb, Mr, Mt, Ml);
}

void cal_plate_moment_table(float a, float b, float q, float fm, float fe, const int* edges,
                            float& Mx, float& My, float& Mb, float& Mr, float& Mt, float& Ml) {
    using Routine = void (*)(float, float, float, float, float, const int*, float&, float&,
                             float&, float&, float&, float&);
    struct Row {
        int b, r, t, l;
        Routine routine;
    };
    static const Row kRowsOfCases[] = {
        {1, 1, 1, 1, plate_case_h0v0},
        {1, 2, 1, 1, plate_case_h0v1}, {1, 1, 1, 2, plate_case_h0v1},
        {2, 1, 1, 1, plate_case_h1v0}, {1, 1, 2, 1, plate_case_h1v0},
        {1, 2, 1, 2, plate_case_h0v2},
        {2, 1, 2, 1, plate_case_h2v0},
        {2, 2, 1, 1, plate_case_h1v1}, {1, 2, 2, 1, plate_case_h1v1},
        {1, 1, 2, 2, plate_case_h1v1}, {2, 1, 1, 2, plate_case_h1v1},
        {1, 2, 2, 2, plate_case_h1v2}, {2, 2, 1, 2, plate_case_h1v2},
        {2, 1, 2, 2, plate_case_h2v1}, {2, 2, 2, 1, plate_case_h2v1},
        {2, 2, 2, 2, plate_case_h2v2},
    };
    if (edges) {
        for (const Row& row : kRowsOfCases) {
            if (Matches(edges, row.b, row.r, row.t, row.l)) {
                row.routine(a, b, q, fm, fe, edges, Mx, My, Mb, Mr, Mt, Ml);
                return;
            }
        }
    }
    tell_error(201, "此种支撑条件不能计算 !");
}

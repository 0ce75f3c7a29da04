#pragma once
// Coefficient tables of the spherical shallow shells on a rectangular and on a
// regular hexagonal plan, computed from the shallow-shell equations rather than
// typed in.
//
// Equations (w normal displacement in the load's direction, φ stress function):
//     D∇⁴w − k∇²φ = q,     ∇⁴φ + E·t·k·∇²w = 0,     ν = 1/6,
// with the curvature k of the sphere through the corners and the crown in its
// shallow form: k = 8f/(a² + b²) (rectangle a × b), k = 2f/a² (hexagon of side
// a). All four edges rest on diaphragms: w = ∇²w = φ = ∇²φ = 0. With D = E·t³ /
// 12(1 − ν²) the solution scaled as below depends on f/t and the plan's shape only.
//
// Rectangle: a grid of spacing h = a/20 both ways, ∇² the 5-point Laplacian and ∇⁴
// that operator twice; the discrete sine series over the grid solves it exactly.
// Values are read at every second node (a/10 apart). Nx = φ,yy, Ny = φ,xx,
// S = −φ,xy, Mx = −D(w,xx + νw,yy), My likewise, Mxy = D(1 − ν)w,xy, the mixed
// derivatives from central differences (the series continues oddly past an edge). The edge shears Qx, Qy are the
// Kirchhoff effective shears Q + ∂Mxy/∂s of the continuous double sine series.
//
// Hexagon: a triangular lattice of spacing a/16 whose lines run parallel to the
// edges (the 15 points are nodes, every second node of every fourth row), ∇² its
// 7-point Laplacian with zero values on the edges (the diaphragm conditions then
// make the system (D·L² + E·t·k²)·w = q, L·φ = −E·t·k·w, solved by a banded
// Cholesky factorisation). Second derivatives come from the second differences
// along the three lattice directions (u,xx = d₀, u,xy = (d₆₀ − d₁₂₀)/√3,
// u,yy = (2(d₆₀ + d₁₂₀) − d₀)/3); beyond an edge the fields continue oddly. The
// membrane shear at the 120° corner grows without bound as the lattice is refined;
// a/16 is kept for it. The edge points carry S and Mxy only.
//
// Scaling of the stored coefficients (× 1000): N·t/(a²q), M/(a²q), Q/(aq) and
// −w·D/(a⁴q) (the displacement is stored positive upwards). Stored truncated
// toward zero to two decimals, the displacement to four.
#include <vector>

namespace kv::shells {

inline constexpr int kRectTables = 20;
inline constexpr int kRectComponents = 9;  // displacement, Nx, Ny, S, Mx, My, Mxy, Qx, Qy
inline constexpr int kSixTables = 5;
inline constexpr int kSixPoints = 15;
inline constexpr int kSixComponents = 7;   // displacement, Nx, Ny, S, Mx, My, Mxy

// f/t of the five table columns and b/a of the four table rows.
inline constexpr double kRiseRatios[5] = {2, 4, 6, 8, 10};
inline constexpr double kSideRatios[4] = {1.0, 1.2, 1.4, 1.6};

// Points of rectangular table t (1..20): 36 + 6j for b/a = kSideRatios[j].
int RectTablePoints(int t);

// One table as the program stores it: points × components, point-major, each value
// truncated as the header says. `nodesPerPoint` is the grid's refinement: 2 gives
// h = a/20, 4 gives h = a/40 (for the convergence check); the edge shears do not
// depend on it.
std::vector<float> GenerateRectTable(int t, int nodesPerPoint = 2);
// The same values before truncation.
std::vector<double> ComputeRectTable(int t, int nodesPerPoint = 2);

// Hexagonal table t (1..5), 15 points × 7 components, on a lattice of spacing
// a/(8·refine).
std::vector<float> GenerateSixTable(int t, int refine = 2);
std::vector<double> ComputeSixTable(int t, int refine = 2);

// The program's tables, made on first use and kept (thread-safe). Component c
// (1-based) of point p (1-based) of table t; 0 when t is out of range.
float RectCoefficient(int t, int p, int c);
float SixCoefficient(int t, int p, int c);

}  // namespace kv::shells

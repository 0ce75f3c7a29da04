#pragma once
// Table interpolation shared by every calculation that reads the code's tables.

// The value at `x` of the piecewise-linear function through (xs[i], ys[i]),
// i = 0..n-1. The abscissae may run up or down. Outside the table the value of
// the nearer end is kept: the code's tables are not extrapolated.
float liner_inter(const float* xs, const float* ys, int n, float x);
double liner_inter(const double* xs, const double* ys, int n, double x);

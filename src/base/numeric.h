#pragma once
// Small dense linear algebra and quadrature for the element routines and the
// shell and soil calculations. Matrices are stored row by row: either as one
// contiguous block (entry (i, j) of an r x c matrix at [i * c + j]) or as an
// array of row pointers.

// Gauss-Jordan elimination with full pivoting. On success a (n x n) holds its
// inverse, b (n x m) holds a⁻¹·b, and the result is 1. A singular matrix, one
// holding values that are not finite, or unusable sizes give the result 0 and
// a failure (code 301) on the message channel; a and b are then left as they
// were. The work is done in double precision whatever the storage.
// m may be 0 (inverse only), b may then be null.
int gaussj(float* a, int n, float* b, int m);
int gaussj(double* a, int n, double* b, int m);
int gaussj(float** a, int n, float** b, int m);
int gaussj(double** a, int n, double** b, int m);

// c (l x n) = a (l x m) · b (m x n).
void mut_matrix(const float* a, const float* b, float* c, int l, int m, int n);
void mut_matrix(const double* a, const double* b, double* c, int l, int m, int n);

// c (m x n) = aᵀ · b, with a (l x m) and b (l x n).
void mut_matrix_1(const float* a, const float* b, float* c, int l, int m, int n);
void mut_matrix_1(const double* a, const double* b, double* c, int l, int m, int n);

// c (m x n) = aᵀ · mid · b, with a (l x m), mid (l x l) and b (l x n); the
// element transformation Tᵀ·K·T passes T as both a and b.
void mut_matrix_lr_1(const float* a, const float* mid, const float* b, float* c, int l, int m, int n);
void mut_matrix_lr_1(const double* a, const double* mid, const double* b, double* c, int l, int m,
                     int n);

// The output of every product may be one of its inputs: the product is formed
// aside and copied in at the end.

// ∫ f from a to b by Romberg's method (trapezoid sums halved step by step and
// extrapolated), to a relative accuracy of 1e-6. A run that does not settle
// within 2^19 intervals gives its last estimate and a warning (code 101); an
// integrand that gives values that are not finite gives 0 and a failure (301).
float integeration_romberg(float (*f)(float), float a, float b);

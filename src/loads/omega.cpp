// Natural circular frequencies of beams and plates for the dynamic factors.
#include "loads/equivload.h"

#include "base/interp.h"
#include "codes/material.h"

#include <cmath>

namespace {

// Dynamic elastic modulus of the grade (kN/m²): Ec raised by 1.2 for the fast
// loading of a blast. 0 for a grade the material table does not know.
float DynamicModulus(int grade) {
    Con_Prop prop{};
    if (!get_rc_property(grade, &prop)) return 0.0f;
    return prop.Ec * 1000.0f * 1.2f;
}

}  // namespace

float CEquivLoad::CalOmegaBeam(float span, float unitWeight, float width, float depth, int grade,
                               int supportCase) const {
    float E = DynamicModulus(grade);
    if (E <= 0.0f || span <= 0.0f || unitWeight <= 0.0f || width <= 0.0f || depth <= 0.0f) return 0.0f;
    float mass = unitWeight * width * depth / 9.8f * 1.2f;
    // Cracked stiffness: 0.6 of the gross section.
    float stiffness = 0.6f * E * width * depth * depth * depth / 12.0f;
    // λ = (k·L)² of the first mode for the ten support pictures.
    static const float kLambda[10] = {3.52f, 9.87f, 15.42f, 22.37f, 15.4f, 20.8f, 22.4f, 18.47f, 21.2f, 22.4f};
    float lambda = supportCase >= 1 && supportCase <= 10 ? kLambda[supportCase - 1] : 3.52f;
    float root = static_cast<float>(std::sqrt(static_cast<double>(stiffness / mass)));
    return lambda / (span * span) * root;
}

float CEquivLoad::CalOmegaPlate(float a, float b, float h, float unitWeight, int grade, int supportCase) const {
    float E = DynamicModulus(grade);
    if (E <= 0.0f || a <= 0.0f || b <= 0.0f || h <= 0.0f || unitWeight <= 0.0f) return 0.0f;
    float mass = unitWeight * h / 9.8f * 1.2f;
    // Plate stiffness with ν = 1/6: 1 - ν² = 0.9722222.
    float stiffness = 0.6f * E * h * h * h / 12.0f / 0.9722222f;

    // Frequency coefficients ω·a²/√(D/m̄) (a ≤ b) and ω·b²/√(D/m̄) (a > b).
    static const float kRatioA[8] = {0.5f,        1.0f / 1.7f, 1.0f / 1.5f, 1.0f / 1.4f,
                                     1.0f / 1.3f, 1.0f / 1.2f, 1.0f / 1.1f, 1.0f};
    static const float kTableA[6][8] = {
        {12.40f, 13.33f, 14.29f, 14.93f, 15.73f, 16.74f, 18.04f, 19.75f},
        {24.93f, 25.99f, 27.22f, 28.12f, 29.31f, 30.89f, 33.07f, 36.11f},
        {24.07f, 24.41f, 25.19f, 25.60f, 26.12f, 26.81f, 27.72f, 28.97f},
        {17.81f, 18.81f, 19.90f, 20.66f, 21.64f, 22.91f, 24.41f, 26.89f},
        {24.46f, 25.21f, 26.06f, 26.66f, 27.45f, 28.50f, 29.92f, 31.91f},
        {12.99f, 14.25f, 15.61f, 16.53f, 17.69f, 19.17f, 21.10f, 23.67f},
    };
    static const float kRatioB[7] = {1.1f, 1.2f, 1.3f, 1.4f, 1.5f, 1.7f, 2.0f};
    static const float kTableB[6][7] = {
        {18.04f, 16.74f, 15.73f, 14.93f, 14.29f, 13.33f, 12.40f},
        {33.07f, 30.89f, 29.31f, 28.12f, 27.22f, 25.99f, 24.93f},
        {25.22f, 22.42f, 20.32f, 18.69f, 17.38f, 15.49f, 13.72f},
        {24.41f, 22.91f, 21.64f, 20.66f, 19.90f, 18.81f, 17.81f},
        {28.44f, 25.94f, 24.05f, 22.60f, 21.50f, 19.94f, 18.52f},
        {22.19f, 21.02f, 20.18f, 19.51f, 18.98f, 18.21f, 17.49f},
    };
    int row = supportCase >= 1 && supportCase <= 6 ? supportCase - 1 : 0;
    float root = static_cast<float>(std::sqrt(static_cast<double>(stiffness / mass)));
    float r = a / b;
    if (r <= 1.0f) {
        float coefficient = liner_inter(kRatioA, kTableA[row], 8, r);
        return coefficient / (a * a) * root;
    }
    float coefficient = liner_inter(kRatioB, kTableB[row], 7, r);
    return coefficient / (b * b) * root;
}

float CEquivLoad::CalOmega(float lx, float ly, float h, float unitWeight, int grade, const int edges[4],
                           float factor) const {
    // Pass 0 reads the elastic edges as simply supported, pass 1 as fixed.
    float omega[2];
    for (int pass = 0; pass < 2; ++pass) {
        if (lx > 2.0f * ly) {
            int supportCase = GetSupportCase(0, pass, lx, ly, edges);
            omega[pass] = CalOmegaBeam(ly, unitWeight, lx, h, grade, supportCase);
        } else if (ly > 2.0f * lx) {
            int supportCase = GetSupportCase(1, pass, lx, ly, edges);
            omega[pass] = CalOmegaBeam(lx, unitWeight, ly, h, grade, supportCase);
        } else {
            int supportCase = GetSupportCase(2, pass, lx, ly, edges);
            omega[pass] = supportCase < 0 ? CalOmegaPlate(ly, lx, h, unitWeight, grade, -supportCase)
                                          : CalOmegaPlate(lx, ly, h, unitWeight, grade, supportCase);
        }
    }
    return omega[0] + factor * (omega[1] - omega[0]);
}

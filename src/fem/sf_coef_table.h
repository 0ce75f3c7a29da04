#pragma once
// Soil flexibility by layer-wise summation: the settlement of a point of the
// base under a unit force or a unit pressure on a rectangle, summed layer by
// layer over a soil column already cut at the base (depth measured from its top),
// each layer's share of the vertical stress divided by its modulus Es.
//
// The depth integral of the rectangle corner coefficient is tabulated for 14
// aspect ratios and 101 depths. It follows from the method alone, so the table
// is filled once per process on its first use and shared: making an object costs
// nothing. Results in m per kN (point forces) or m per kN/m² (rectangles).
#include "fem/soil_data.h"

class sf_coef_table {
public:
    static constexpr int kRows = 14;
    static constexpr int kDepths = 101;  // depth ratios 0, 0.2, ... 20.0

    sf_coef_table();

    // The shared rows (filled on the first call); entry k of row r is
    // I(ratio(r), 0.2·k).
    static const float (*sf_table())[kDepths];
    static float ratio(int r);

    // Corner coefficient α(m, n) of a uniformly loaded rectangle for the aspect
    // ratio last set by cal_sf (per thread).
    static float sf_integrand(float n);
    // I(m, n) = ∫ α(m, t) dt from 0 to n, integrated.
    static float cal_sf(float m, float n);
    // I(m, n) from the table (m ≥ 1), integrated beyond it.
    float get_sf(float m, float n) const;

    // ∫ of the Boussinesq vertical stress of a unit point load from depth 0 to z,
    // at the plan distance of the two points.
    static float cal_point_settle(float x1, float y1, float x2, float y2, float z);
    // Settlement at (x1, y1) of a unit point force at (x2, y2).
    float cal_soil_defor_point(const soil_date_xy* column, float x1, float y1, float x2, float y2) const;
    // Settlement under the corner of an l1 × l2 rectangle under unit pressure.
    float cal_soil_defor_rect(const soil_date_xy* column, float l1, float l2) const;
    // Settlement at (px, py) of unit pressure on the sx × sy rectangle centred at (cx, cy).
    float cal_soil_defor_rect_at(const soil_date_xy* column, float px, float py, float sx, float sy, float cx,
                                 float cy) const;
    // F(i, j): the settlement at node i of a unit force at node j spread over node
    // j's tributary area (a square of that area when near, a point force when far).
    float cal_soil_softness(float area, const soil_date_xy* column, float xi, float yi, float xj,
                            float yj) const;

    // Two-modulus forms: each layer counts with a/Es + b/Es1.
    float cal_soil_defor_point_1(float a, float b, const soil_date_xy* column, float x1, float y1, float x2,
                                 float y2) const;
    float cal_soil_defor_rect_1(float a, float b, const soil_date_xy* column, float l1, float l2) const;
    float cal_soil_defor_rect_at_1(float a, float b, const soil_date_xy* column, float px, float py, float sx,
                                   float sy, float cx, float cy) const;
    float cal_soil_softness_1(float a, float b, const soil_date_xy* column, float xi, float yi, float area,
                              float xj, float yj) const;

    // Linearly varying pressure: the corner coefficient under the zero edge of a
    // load growing along the side used as the divisor, and its depth integral.
    static float sf_integrand_edge(float n);
    static float cal_sf_edge(float m, float n);
    float cal_soil_defor_strip(float a, float b, const soil_date_xy* column, float l1, float l2) const;
    // Corner rectangle with sides |sy| and |sx| and pressures p[0] at the common
    // corner, p[1] at the far end of side sx, p[3] at the far end of side sy.
    float cal_soil_defor_sum(const soil_date_xy* column, float sx, float sy, const float* p, float b) const;
    // Settlement at (px, py) (origin at corner 0) of the a × b rectangle under the
    // plane pressure through p[0] at (0, 0), p[1] at (a, 0) and p[3] at (0, b).
    float cal_soil_defor_size(const soil_date_xy* column, float a, float b, const float* p, float wb, float px,
                              float py) const;
};

#include "fem/sf_coef_table.h"

#include "base/error.h"
#include "base/geometry.h"
#include "base/numeric.h"

#include <algorithm>
#include <cmath>

namespace {

using kv::err::kFailure;

constexpr float kPi = 3.1415927f;
constexpr float kRatios[sf_coef_table::kRows] = {1.0f, 1.2f, 1.4f, 1.6f, 1.8f, 2.0f, 2.4f,
                                                  2.8f, 3.2f, 3.6f, 4.0f, 5.0f, 10.0f, 20.0f};

// The aspect ratio the integrands read: set by the integrating call on the same
// thread, so that the shared table can be filled while another thread integrates.
thread_local float shared_m = 1.0f;

// ∫ f from 1e-7 to n in intervals of 20 with the aspect ratio set; `stop` is
// asked after every interval.
template <typename Stop>
float Integrate(float (*f)(float), float m, float n, Stop stop) {
    shared_m = m;
    if (n < 1e-7f) return 0.0f;
    float lo = 1e-7f;
    float sum = 0.0f;
    while (lo + 20.0f <= n) {
        sum += integeration_romberg(f, lo, lo + 20.0f);
        if (stop()) return 0.0f;
        lo = lo + 20.0f;
    }
    sum += integeration_romberg(f, lo, n);
    if (stop()) return 0.0f;
    return sum;
}

float IntegrateOrZero(float (*f)(float), float m, float n) {
    return Integrate(f, m, n, [] { return JS_ERROR_CODE != 0; });
}

struct SharedTable {
    float rows[sf_coef_table::kRows][sf_coef_table::kDepths];
    SharedTable() {
        // Filled whatever the error code of the run that happens to ask first:
        // the values must not depend on it.
        for (int r = 0; r < sf_coef_table::kRows; ++r) {
            rows[r][0] = 0.0f;
            for (int k = 1; k < sf_coef_table::kDepths; ++k)
                rows[r][k] = Integrate(sf_coef_table::sf_integrand, kRatios[r], static_cast<float>(k) * 0.2f,
                                       [] { return false; });
        }
    }
};

int LayerCount(const soil_date_xy* column) {
    if (!column || column->Layer_num <= 0) return 0;
    return static_cast<int>(std::min<std::size_t>(column->layers.size(), column->Layer_num));
}

// False (and the message) for a layer whose modulus cannot divide.
bool ModulusUsable(const soil_layer& L) {
    if (L.Es > 0.00001f) return true;
    tell_error(kFailure, "地基土的压缩模量错误 !");
    return !JS_ERROR_CODE;
}

// Walks the layers from the top, adding share(layer, depth above, depth below).
template <typename Share>
float LayerSum(const soil_date_xy* column, Share share) {
    float sum = 0.0f;
    float z0 = 0.0f;
    for (int i = 0, n = LayerCount(column); i < n; ++i) {
        const soil_layer& L = column->layers[i];
        if (!ModulusUsable(L)) return 0.0f;
        float z1 = z0 + L.Thick;
        sum += share(L, z0, z1);
        z0 = z1;
    }
    return sum;
}

// a/Es + b/Es1, the second modulus replaced by the first when it cannot divide.
float TwoModuli(const soil_layer& L, float a, float b) {
    float es1 = L.Es1 > 0.00001f ? L.Es1 : L.Es;
    return a / L.Es + b / es1;
}

// Corner superposition of a rectangle with edges x0..x1, y0..y1 seen from (px, py):
// the four corner rectangles meeting at the point, added or taken away by the
// sign of their extents; extents under `tx` / `ty` (the point on an edge line) drop out.
template <typename Corner>
float CornerSum(float px, float py, float x0, float x1, float y0, float y1, float tx, float ty, Corner corner) {
    const float a[2] = {px - x0, x1 - px};
    const float b[2] = {py - y0, y1 - py};
    float sum = 0.0f;
    for (float ai : a) {
        for (float bi : b) {
            if (std::fabs(ai) < tx || std::fabs(bi) < ty) continue;
            float s = corner(std::fabs(ai), std::fabs(bi));
            if (JS_ERROR_CODE) return 0.0f;
            if (ai * bi > 0) sum += s;
            else if (ai * bi < 0) sum -= s;
        }
    }
    return sum;
}

// A zero tributary area cannot spread a force: the coefficient is 0, with a warning.
bool AreaUsable(float area) {
    if (area > 0.0f) return true;
    tell_error(kv::err::kWarning, "Node area zero in cal_soil_softness");
    return false;
}

}  // namespace

sf_coef_table::sf_coef_table() = default;

const float (*sf_coef_table::sf_table())[kDepths] {
    static const SharedTable table;
    return table.rows;
}

float sf_coef_table::ratio(int r) { return kRatios[r]; }

float sf_coef_table::sf_integrand(float n) {
    const float m = shared_m;
    const float m2 = m * m, n2 = n * n;
    const float d = std::sqrt(m2 + n2 + 1.0f);
    return (std::atan(m / (n * d)) + m * n * (m2 + 2.0f * n2 + 1.0f) / ((m2 + n2) * (n2 + 1.0f) * d)) / (2.0f * kPi);
}

float sf_coef_table::cal_sf(float m, float n) { return IntegrateOrZero(sf_integrand, m, n); }

float sf_coef_table::get_sf(float m, float n) const {
    if (m > 10.0f || n > 20.0f) return cal_sf(m, n);
    const float (*rows)[kDepths] = sf_table();
    int k = std::clamp(static_cast<int>(n / 0.2f), 0, 99);
    int r = 0;  // an m under 1 (no caller passes one) extrapolates from the first bracket
    for (int i = 0; i <= kRows - 2; ++i)
        if (kRatios[i] <= m && m <= kRatios[i + 1]) r = i;
    auto depth = [&](int row) {
        const float* v = rows[row];
        return v[k] + (v[k + 1] - v[k]) * (n - 0.2f * static_cast<float>(k)) / 0.2f;
    };
    float v0 = depth(r), v1 = depth(r + 1);
    return v0 + (v1 - v0) * (m - kRatios[r]) / (kRatios[r + 1] - kRatios[r]);
}

float sf_coef_table::cal_point_settle(float x1, float y1, float x2, float y2, float z) {
    if (std::fabs(z) < 1e-10f) return 0.0f;
    float r = get_dist(x1, y1, x2, y2);
    if (r < 1e-10f) return 0.0f;
    float r2 = r * r, z2 = z * z;
    return (2.0f / r - (2.0f * r2 + 3.0f * z2) / std::pow(r2 + z2, 1.5f)) / (2.0f * kPi);
}

float sf_coef_table::cal_soil_defor_point(const soil_date_xy* column, float x1, float y1, float x2,
                                          float y2) const {
    return LayerSum(column, [&](const soil_layer& L, float z0, float z1) {
        return (cal_point_settle(x1, y1, x2, y2, z1) - cal_point_settle(x1, y1, x2, y2, z0)) / L.Es;
    });
}

float sf_coef_table::cal_soil_defor_rect(const soil_date_xy* column, float l1, float l2) const {
    const float L = std::max(l1, l2), B = std::min(l1, l2);
    if (!(B > 0.0f)) return 0.0f;  // no rectangle, no settlement
    const float m = L / B;
    float c0 = get_sf(m, 0.0f);
    return LayerSum(column, [&](const soil_layer& layer, float, float z1) {
        float c1 = get_sf(m, z1 / B);
        float s = B * (c1 - c0) / layer.Es;
        c0 = c1;
        return s;
    });
}

float sf_coef_table::cal_soil_defor_rect_at(const soil_date_xy* column, float px, float py, float sx, float sy,
                                            float cx, float cy) const {
    return CornerSum(px, py, cx - sx / 2, cx + sx / 2, cy - sy / 2, cy + sy / 2, sx / 20, sy / 20,
                     [&](float a, float b) { return cal_soil_defor_rect(column, a, b); });
}

float sf_coef_table::cal_soil_softness(float area, const soil_date_xy* column, float xi, float yi, float xj,
                                       float yj) const {
    if (!AreaUsable(area)) return 0.0f;
    float d = get_dist(xi, yi, xj, yj);
    float g = std::sqrt(area);
    if (3.0f * g >= d) return cal_soil_defor_rect_at(column, xi, yi, g, g, xj, yj) / area;
    return cal_soil_defor_point(column, xi, yi, xj, yj);
}

float sf_coef_table::cal_soil_defor_point_1(float a, float b, const soil_date_xy* column, float x1, float y1,
                                            float x2, float y2) const {
    return LayerSum(column, [&](const soil_layer& L, float z0, float z1) {
        return (cal_point_settle(x1, y1, x2, y2, z1) - cal_point_settle(x1, y1, x2, y2, z0)) * TwoModuli(L, a, b);
    });
}

float sf_coef_table::cal_soil_defor_rect_1(float a, float b, const soil_date_xy* column, float l1,
                                           float l2) const {
    const float L = std::max(l1, l2), B = std::min(l1, l2);
    if (!(B > 0.0f)) return 0.0f;
    const float m = L / B;
    float c0 = get_sf(m, 0.0f);
    return LayerSum(column, [&](const soil_layer& layer, float, float z1) {
        float c1 = get_sf(m, z1 / B);
        float s = B * (c1 - c0) * TwoModuli(layer, a, b);
        c0 = c1;
        return s;
    });
}

float sf_coef_table::cal_soil_defor_rect_at_1(float a, float b, const soil_date_xy* column, float px, float py,
                                              float sx, float sy, float cx, float cy) const {
    return CornerSum(px, py, cx - sx / 2, cx + sx / 2, cy - sy / 2, cy + sy / 2, sx / 20, sy / 20,
                     [&](float l1, float l2) { return cal_soil_defor_rect_1(a, b, column, l1, l2); });
}

float sf_coef_table::cal_soil_softness_1(float a, float b, const soil_date_xy* column, float xi, float yi,
                                         float area, float xj, float yj) const {
    if (!AreaUsable(area)) return 0.0f;
    float d = get_dist(xi, yi, xj, yj);
    float g = std::sqrt(area);
    if (3.0f * g >= d) return cal_soil_defor_rect_at_1(a, b, column, xi, yi, g, g, xj, yj) / area;
    return cal_soil_defor_point_1(a, b, column, xi, yi, xj, yj);
}

float sf_coef_table::sf_integrand_edge(float n) {
    const float m = shared_m;
    const float m2 = m * m, n2 = n * n;
    return (m * n / std::sqrt(m2 + n2) - m * n2 * n / ((n2 + 1.0f) * std::sqrt(m2 + n2 + 1.0f))) / (2.0f * kPi);
}

float sf_coef_table::cal_sf_edge(float m, float n) { return IntegrateOrZero(sf_integrand_edge, m, n); }

float sf_coef_table::cal_soil_defor_strip(float a, float b, const soil_date_xy* column, float l1,
                                          float l2) const {
    if (!(l2 > 0.0f)) return 0.0f;
    const float m = l1 / l2, B = l2;
    float c0 = cal_sf_edge(m, 0.0f);
    return LayerSum(column, [&](const soil_layer& layer, float, float z1) {
        float c1 = cal_sf_edge(m, z1 / B);
        float s = B * (c1 - c0) * TwoModuli(layer, a, b);
        c0 = c1;
        return s;
    });
}

float sf_coef_table::cal_soil_defor_sum(const soil_date_xy* column, float sx, float sy, const float* p,
                                        float b) const {
    const float ax = std::fabs(sx), ay = std::fabs(sy);
    float s = cal_soil_defor_rect_1(p[0], b, column, ay, ax);
    if (JS_ERROR_CODE) return 0.0f;
    s += cal_soil_defor_strip(p[1] - p[0], 0.0f, column, ay, ax);
    if (JS_ERROR_CODE) return 0.0f;
    s += cal_soil_defor_strip(p[3] - p[0], 0.0f, column, ax, ay);
    if (JS_ERROR_CODE) return 0.0f;
    return s;
}

float sf_coef_table::cal_soil_defor_size(const soil_date_xy* column, float a, float b, const float* p, float wb,
                                         float px, float py) const {
    if (a <= 0.00001f || b <= 0.00001f) {
        tell_error(kv::err::kDataError, "沉降计算时尺寸错误 !");
        return 0.0f;
    }
    auto pressure = [&](float x, float y) { return p[0] + (p[1] - p[0]) * x / a + (p[3] - p[0]) * y / b; };
    // The four corner rectangles meeting at the point, each running to one corner.
    const float cornerX[4] = {0.0f, a, a, 0.0f};
    const float cornerY[4] = {0.0f, 0.0f, b, b};
    const float ex[4] = {px, a - px, a - px, px};
    const float ey[4] = {py, py, b - py, b - py};
    float sum = 0.0f;
    for (int q = 0; q < 4; ++q) {
        if (!(std::fabs(ex[q]) > a / 20 && std::fabs(ey[q]) > b / 20)) continue;
        const float pq[4] = {pressure(px, py), pressure(cornerX[q], py), pressure(cornerX[q], cornerY[q]),
                             pressure(px, cornerY[q])};
        float s = cal_soil_defor_sum(column, ex[q], ey[q], pq, wb);
        if (JS_ERROR_CODE) return 0.0f;
        if (ex[q] * ey[q] > 0) sum += s;
        else if (ex[q] * ey[q] < 0) sum -= s;
    }
    return sum;
}

#include "members/beams/lxl_model.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "base/error.h"
#include "codes/material.h"
#include "fem/beam_element.h"
#include "members/beams/lxl_data.h"

using kv::fem::Variant;

namespace {

constexpr float kPointTolerance = 0.00001f;  // a point action this close to x sits at x
constexpr double kSupportFactor = 1.0e10;

bool NearEnd(float a, float L) { return std::fabs(a) <= kPointTolerance || std::fabs(a - L) <= kPointTolerance; }

}  // namespace

YXY_Lxl::YXY_Lxl(CLxlData& data) : data_(&data) {
    JS_ERROR_CODE = 0;
    concrete_grade_ = static_cast<float>(data.ConGrade);
    // Data: 0 free, 1 simply supported, 2 fixed. Here: 0 simply supported, 1 fixed, 2 free.
    auto end_code = [](int support) { return support == 0 ? 2 : support == 1 ? 0 : support == 2 ? 1 : -1; };
    end_code_[0] = end_code(data.LeftSupport);
    end_code_[1] = end_code(data.RightSupport);
    span_count_ = std::clamp(data.SpanNum, 1, kLxlMaxSpans);

    const int l = end_code_[0], r = end_code_[1];
    const bool unstable = l < 0 || r < 0 ||
                          (span_count_ == 1 && ((l == 2 && r == 2) || (l == 0 && r == 2) || (l == 2 && r == 0))) ||
                          (span_count_ == 2 && l == 2 && r == 2);
    if (unstable) {
        tell_error(kv::err::kFailure, "端支座形式有误!");
        return;
    }

    node_x_.assign(span_count_ + 1, 0.0f);
    for (int s = 0; s < span_count_; ++s) {
        const float L = data.Spans[s].Length;
        if (!(L > 0.00001f)) {
            tell_error(kv::err::kFailure, "梁跨长为零!");
            return;
        }
        node_x_[s + 1] = node_x_[s] + L;
    }
    total_length_ = node_x_.back();

    elements_.assign(span_count_, LXL_ELEMENT{});
    span_forces_.assign(span_count_, LXL_SPAN_FORCE{});
    for (int s = 0; s < span_count_; ++s) {
        elements_[s].h = static_cast<float>(data.Spans[s].Height);
        elements_[s].b = static_cast<float>(data.Spans[s].Width);
        if (!(elements_[s].h > 0.00001f) || !(elements_[s].b > 0.00001f)) {
            tell_error(kv::err::kFailure, "梁单元截面高,宽为零!");
            return;
        }
    }

    for (int s = 0; s < span_count_; ++s) {
        const LXL_SPAN& span = data.Spans[s];
        const int count = std::clamp(span.LoadNum, 0, kLxlMaxLoads);
        for (int k = 0; k < count; ++k) {
            const LXL_LOAD& in = span.Loads[k];
            if (in.Type < 1 || in.Type > 6) continue;
            Load load;
            load.case_index = in.Kind - 1;
            load.span = s + 1;
            load.q1 = in.Q1;
            load.q2 = in.Q2;
            load.a = in.A;
            load.c = in.C;
            loads_[in.Type].push_back(load);
        }
    }

    case_count_ = 1;
    for (int type = 1; type <= 6; ++type)
        for (const Load& load : loads_[type])
            if (load.case_index != 0) ++case_count_;

    try {
        freedom_count_ = 2 * NodeCount();
        w_no_.assign(NodeCount(), 0);
        twist_no_.assign(NodeCount(), -1);
        bend_no_.assign(NodeCount(), 0);
        loads_vec_.assign(static_cast<std::size_t>(case_count_) * freedom_count_, 0.0);
        J_.assign(span_count_, 0.0f);
        I_.assign(span_count_, 0.0f);
    } catch (const std::bad_alloc&) {
        tell_error(kv::err::kFailure, "内存不够");
        return;
    }

    if (concrete_grade_ > 1000) {
        E_ = concrete_grade_;
        nu_ = 0.2f;
    } else {
        Con_Prop prop{};
        if (get_rc_property(data.ConGrade, &prop)) {
            E_ = prop.Ec * 1000.0f;
            nu_ = prop.nu;
        } else {
            tell_error(kv::err::kDataError, "混凝土等级错误");
            E_ = 2.55e7f;
            nu_ = 0.2f;
        }
    }

    if (!JS_ERROR_CODE) {
        // A length beyond any real beam would ask for more stations than memory holds.
        const float count = total_length_ / station_step_;
        if (!(count < 1.0e8f)) {
            tell_error(kv::err::kFailure, "内存不够in OUTLOOK");
        } else {
            station_count_ = static_cast<int>(count) + 1;
            try {
                stations_.assign(station_count_, LXL_STATION{});
            } catch (const std::bad_alloc&) {
                tell_error(kv::err::kFailure, "内存不够in OUTLOOK");
            }
        }
    }

    if (JS_ERROR_CODE) {
        loads_vec_.clear();
        w_no_.clear();
        twist_no_.clear();
        bend_no_.clear();
        J_.clear();
        I_.clear();
        stations_.clear();
        station_count_ = 0;
    }
}

std::array<int, 6> YXY_Lxl::ElementFreedoms(int span) const {
    return {w_no_[span], twist_no_[span], bend_no_[span], w_no_[span + 1], twist_no_[span + 1], bend_no_[span + 1]};
}

void YXY_Lxl::DumpFreedom() const {
    for (int i = 0; i < static_cast<int>(w_no_.size()); ++i)
        tell_error1(kv::err::kNotice, "%4ld,%4ld,%4ld,%4ld", long(i), long(w_no_[i]), long(twist_no_[i]), long(bend_no_[i]));
    tell_error(kv::err::kNotice, "---------------------------------\n");
}

void YXY_Lxl::BuildSkyline() {
    // The twist about the beam axis plays no part: only w and the bending rotation.
    int next = 1;
    for (int i = 0; i < NodeCount(); ++i) {
        w_no_[i] = next++;
        twist_no_[i] = -1;
        bend_no_[i] = next++;
    }
    freedom_count_ = next - 1;

    std::vector<int> height(freedom_count_ + 1, 1);
    for (int s = 0; s < span_count_; ++s) {
        const auto eq = ElementFreedoms(s);
        for (int d : eq) {
            if (d == -1) continue;
            for (int e : eq)
                if (e != -1) height[d] = std::max(height[d], 1 + d - e);
        }
    }
    addr_.assign(freedom_count_ + 1, 0);
    firstrow_.assign(freedom_count_ + 1, 0);
    for (int d = 1; d <= freedom_count_; ++d) {
        addr_[d] = addr_[d - 1] + height[d];
        firstrow_[d] = d - height[d] + 1;
    }
    blockend_[0] = 0;
    blockend_[1] = freedom_count_;
    packed_size_ = addr_[freedom_count_];
}

void YXY_Lxl::Assemble() {
    std::fill(packed_.begin(), packed_.end(), 0.0);
    for (int s = 0; s < span_count_; ++s) {
        const float b = elements_[s].b / 1000.0f, h = elements_[s].h / 1000.0f;
        I_[s] = b * h * h * h / 12.0f;
        const float sh = std::min(b, h), lo = std::max(b, h);
        J_[s] = sh * sh * sh * sh * (lo / (3.0f * sh) - 0.21f + 0.0175f * std::pow(sh / lo, 4.0f));
    }
    for (int s = 0; s < span_count_; ++s) {
        const float x[2] = {node_x_[s], node_x_[s + 1]}, y[2] = {0.0f, 0.0f};
        float K[36];
        if (!kv::fem::stiff_beam_local(K, x, y, J_[s], I_[s], E_, nu_, Variant::kContinuousBeam)) return;
        const auto eq = ElementFreedoms(s);
        kv::fem::add_ele_symmetri(1, K, 6, eq.data(), packed_.data(), blockend_, addr_.data(), firstrow_.data());
    }
}

bool YXY_Lxl::FixedEndValues(int type, const Load& load, float L, float f[6]) const {
    constexpr Variant v = Variant::kContinuousBeam;
    std::fill(f, f + 6, 0.0f);
    float part[6];
    auto add = [&](float q1, float q2, float aa, float bb) {
        if (!kv::fem::cal_load_beam(part, L, q1, q2, aa, bb, v)) return false;
        for (int i = 0; i < 6; ++i) f[i] += part[i];
        return true;
    };
    switch (type) {
        case 1: return kv::fem::cal_eload_beam(f, L, -load.q1, 0.0f, 0.0f, load.a);
        case 2: return kv::fem::cal_eload_beam(f, L, 0.0f, load.q1, 0.0f, load.a);
        case 6: return add(-load.q1, -load.q2, load.a, load.a + load.c);
        case 3: return add(-load.q1, -load.q1, 0.0f, L);
        case 4: return add(0.0f, -load.q1, 0.0f, L / 2.0f) && add(-load.q1, 0.0f, L / 2.0f, L);
        case 5:
            return add(0.0f, -load.q1, 0.0f, load.a) && add(-load.q1, -load.q1, load.a, L - load.a) &&
                   add(-load.q1, 0.0f, L - load.a, L);
    }
    return false;
}

void YXY_Lxl::FormLoads() {
    int next_case = 2;
    span_case_loads_.assign(span_count_, std::vector<std::vector<std::pair<int, int>>>(case_count_ + 1));
    for (int type : {1, 2, 6, 3, 4, 5}) {
        for (int k = 0; k < static_cast<int>(loads_[type].size()); ++k) {
            Load& load = loads_[type][k];
            const int s = load.span - 1;
            load.case_no = load.case_index == 0 ? 1 : next_case++;
            span_case_loads_[s][load.case_no].push_back({type, k});
            float f[6];
            // An element routine that refuses leaves the error code set; the stage
            // still finishes and Solve stops after it.
            if (!FixedEndValues(type, load, node_x_[s + 1] - node_x_[s], f)) continue;
            double* b = loads_vec_.data() + static_cast<std::size_t>(load.case_no - 1) * freedom_count_;
            const auto eq = ElementFreedoms(s);
            for (int i = 0; i < 6; ++i)
                if (eq[i] > 0) b[eq[i] - 1] += f[i];
        }
    }
}

void YXY_Lxl::ApplySupports() {
    auto fix = [&](int d) {
        packed_[addr_[d] - 1] *= kSupportFactor;
        for (int c = 0; c < case_count_; ++c) loads_vec_[static_cast<std::size_t>(c) * freedom_count_ + d - 1] = 0.0;
    };
    const int last = NodeCount() - 1;
    for (int i = 0; i <= last; ++i) {
        const bool interior = i > 0 && i < last;
        const int code = interior ? 0 : (i == 0 ? end_code_[0] : end_code_[1]);
        if (interior || code == 0) {
            fix(w_no_[i]);
        } else if (code == 1) {
            fix(w_no_[i]);
            fix(bend_no_[i]);
        }
    }
}

void YXY_Lxl::Solve(CLxlData& data) {
    data_ = &data;
    if (JS_ERROR_CODE) return;
    struct Release {
        YXY_Lxl* m;
        ~Release() {
            m->packed_ = {};
            m->pivots_ = {};
            m->addr_ = {};
            m->firstrow_ = {};
        }
    } release{this};

    try {
        BuildSkyline();
        packed_.assign(packed_size_, 0.0);
        pivots_.assign(freedom_count_ + 1, 0.0);
    } catch (const std::bad_alloc&) {
        tell_error(kv::err::kFailure, "内存不够");
        return;
    }
    Assemble();
    if (JS_ERROR_CODE) return;
    FormLoads();
    if (JS_ERROR_CODE) return;
    ApplySupports();
    kv::lxl::tri_symmetri_in_core(packed_.data(), freedom_count_, blockend_, addr_.data(), firstrow_.data(),
                                  pivots_.data());
    if (JS_ERROR_CODE) return;
    kv::lxl::back_in_core(packed_.data(), freedom_count_, blockend_, addr_.data(), firstrow_.data(),
                          pivots_.data(), case_count_, loads_vec_.data());
    if (JS_ERROR_CODE) return;
    ElementForces();
    if (JS_ERROR_CODE) return;
    SpanResults();
}

YXY_Lxl::EndForces YXY_Lxl::ElementEndForces(int span, int load_case) const {
    if (span_case_loads_.empty()) return {};  // not solved
    const float x[2] = {node_x_[span], node_x_[span + 1]}, y[2] = {0.0f, 0.0f};
    const float L = x[1] - x[0];
    float K[36];
    if (!kv::fem::stiff_beam_local(K, x, y, J_[span], I_[span], E_, nu_, Variant::kContinuousBeam)) return {};
    const auto eq = ElementFreedoms(span);
    const double* disp = loads_vec_.data() + static_cast<std::size_t>(load_case - 1) * freedom_count_;
    double u[6], f[6];
    for (int i = 0; i < 6; ++i) u[i] = eq[i] > 0 ? disp[eq[i] - 1] : 0.0;
    for (int r = 0; r < 6; ++r) {
        f[r] = 0.0;
        for (int c = 0; c < 6; ++c) f[r] += K[r * 6 + c] * u[c];
    }
    // A point action at a node went straight into the support: nothing to take off.
    for (auto [type, k] : span_case_loads_[span][load_case]) {
        const Load& load = loads_[type][k];
        if ((type == 1 || type == 2) && NearEnd(load.a, L)) continue;
        float fe[6];
        if (!FixedEndValues(type, load, L, fe)) continue;
        for (int i = 0; i < 6; ++i) f[i] -= fe[i];
    }
    return {static_cast<float>(f[0]), static_cast<float>(f[2]), static_cast<float>(-f[3]), static_cast<float>(-f[5])};
}

void YXY_Lxl::InitStations() {
    for (int k = 0; k < station_count_; ++k) {
        stations_[k] = LXL_STATION{};
        stations_[k].x = k + 1 < station_count_ ? static_cast<float>(k) * station_step_ : total_length_;
    }
}

YXY_Lxl::Section YXY_Lxl::SectionForce(int span, float x, float L, int load_case, float v_end_left,
                                        float m_end_left, float m_end_right) const {
    if (span_case_loads_.empty()) return {v_end_left, v_end_left, m_end_left, m_end_left};  // not solved
    float M = m_end_left + (m_end_right - m_end_left) * x / L;
    float V = v_end_left;
    float jump_v = 0.0f, jump_m = 0.0f;
    for (auto [type, k] : span_case_loads_[span][load_case]) {
        const Load& ld = loads_[type][k];
        switch (type) {
            case 3: {
                const float q = ld.q1;
                M += q * x * (L - x) / 2.0f;
                V -= q * x;
                break;
            }
            case 4: {
                const float q = ld.q1;
                if (x <= L / 2.0f) {
                    M += q * x * L * (3.0f - 4.0f * x * x / (L * L)) / 12.0f;
                    V -= q * x * x / L;
                } else {
                    const float xr = L - x;
                    M += q * xr * L * (3.0f - 4.0f * xr * xr / (L * L)) / 12.0f;
                    V += q * xr * xr / L - q * L / 2.0f;
                }
                break;
            }
            case 5: {
                const float q = ld.q1, a = ld.a;
                if (a <= kPointTolerance) {
                    tell_error(kv::err::kFailure, "满跨梯形分布力的a太小");
                    return {V, V, M, M};
                }
                if (x <= a) {
                    M += q * x * L * (3.0f - 3.0f * a / L - x * x / (a * L)) / 6.0f;
                    V -= q * x * x / (2.0f * a);
                } else if (x <= L - a) {
                    M += q * (3.0f * x * L - 3.0f * x * x - a * a) / 6.0f;
                    V -= q * a / 2.0f + q * (x - a);
                } else {
                    const float xr = L - x;
                    M += q * xr * L * (3.0f - 3.0f * a / L - xr * xr / (a * L)) / 6.0f;
                    V += q * xr * xr / (2.0f * a) - q * a - q * (L - 2.0f * a);
                }
                break;
            }
            case 6: {
                const float q1 = ld.q1, q2 = ld.q2, a = ld.a, c = ld.c;
                const float W = c * (q1 + q2) / 2.0f;
                const float R1 = (W * (L - a) - c * c * (q1 + 2.0f * q2) / 6.0f) / L;
                if (x <= a) {
                    M += R1 * x;
                } else if (x < a + c) {
                    const float t = x - a;
                    M += R1 * x - q1 * t * t / 2.0f - (q2 - q1) * t * t * t / (6.0f * c);
                    V -= q1 * t + (q2 - q1) * t * t / (2.0f * c);
                } else {
                    M += (L - x) * (W - R1);
                    V -= W;
                }
                break;
            }
            case 1: {
                const float P = ld.q1, a = ld.a;
                if (NearEnd(a, L)) break;
                if (x < a - kPointTolerance) {
                    M += x * (L - a) * P / L;
                } else if (x <= a + kPointTolerance) {
                    M += x * (L - a) * P / L;
                    jump_v -= P;
                } else {
                    M += (L - x) * a * P / L;
                    V -= P;
                }
                break;
            }
            case 2: {
                const float Mo = ld.q1, a = ld.a;
                if (NearEnd(a, L)) break;
                if (x < a - kPointTolerance) {
                    M -= x * Mo / L;
                } else if (x <= a + kPointTolerance) {
                    M -= x * Mo / L;
                    jump_m += Mo;
                } else {
                    M += (L - x) * Mo / L;
                }
                break;
            }
        }
    }
    return {V, V + jump_v, M, M + jump_m};
}

namespace {

// The eight sums of one station: shear and moment, maximum and minimum, each side.
struct StationSums {
    float v_max[2] = {0, 0}, v_min[2] = {0, 0}, m_max[2] = {0, 0}, m_min[2] = {0, 0};

    // Case 1 fixes the starting value of both sums; a live case adds only its
    // unfavourable part to each (a zero left value counts as a maximum, a zero
    // right value as a minimum).
    void Add(bool dead, int side, float v, float m) {
        if (dead) {
            v_max[side] += v;
            v_min[side] += v;
            m_max[side] += m;
            m_min[side] += m;
            return;
        }
        const bool left = side == 0;
        ((left ? v >= 0 : v > 0) ? v_max[side] : v_min[side]) += v;
        ((left ? m >= 0 : m > 0) ? m_max[side] : m_min[side]) += m;
    }
};

void AddEnd(bool dead, float value, float* max, float* min) {
    if (dead) {
        *max = *min = value;
    } else if (value >= 0) {
        *max += value;
    } else {
        *min += value;
    }
}

}  // namespace

void YXY_Lxl::ElementForces() {
    if (JS_ERROR_CODE) return;
    InitStations();
    std::vector<StationSums> sums;
    try {
        sums.assign(station_count_, StationSums{});
    } catch (const std::bad_alloc&) {
        tell_error(kv::err::kFailure, "内存不够");
        return;
    }
    const float keep = 1.0f - data_->Redistribution / 100.0f;
    int first = 0;  // first station of the span
    for (int s = 0; s < span_count_; ++s) {
        const float xl = node_x_[s], xr = node_x_[s + 1], L = xr - xl;
        LXL_ELEMENT& el = elements_[s];
        // The span's own stations: its left end belongs to the previous span.
        int begin = first;
        if (s > 0)
            while (begin < station_count_ && stations_[begin].x <= xl) ++begin;
        int end = begin;
        while (end < station_count_ && stations_[end].x <= xr) ++end;

        StationSums mid;
        for (int c = 1; c <= case_count_; ++c) {
            const bool dead = c == 1;
            EndForces e = ElementEndForces(s, c);
            if (JS_ERROR_CODE) return;
            // Hogging end moments are redistributed in every case; shears stay.
            if (e.m_left < 0) e.m_left *= keep;
            if (e.m_right < 0) e.m_right *= keep;

            AddEnd(dead, e.v_left, &el.left_v_max, &el.left_v_min);
            AddEnd(dead, e.m_left, &el.left_m_max, &el.left_m_min);
            AddEnd(dead, e.v_right, &el.right_v_max, &el.right_v_min);
            AddEnd(dead, e.m_right, &el.right_m_max, &el.right_m_min);

            const Section half = SectionForce(s, L / 2.0f, L, c, e.v_left, e.m_left, e.m_right);
            if (JS_ERROR_CODE) return;
            mid.Add(dead, 0, half.v_left, half.m_left);
            mid.Add(dead, 1, half.v_right, half.m_right);

            for (int k = begin; k < end; ++k) {
                const float x = stations_[k].x;
                Section sec;
                if (std::fabs(x - xl) <= kPointTolerance) {
                    sec = {e.v_left, e.v_left, e.m_left, e.m_left};
                } else if (std::fabs(x - xr) <= kPointTolerance) {
                    sec = {e.v_right, e.v_right, e.m_right, e.m_right};
                } else {
                    sec = SectionForce(s, x - xl, L, c, e.v_left, e.m_left, e.m_right);
                    if (JS_ERROR_CODE) return;
                }
                sums[k].Add(dead, 0, sec.v_left, sec.m_left);
                sums[k].Add(dead, 1, sec.v_right, sec.m_right);
            }
        }

        el.left_v_max = std::max(0.0f, el.left_v_max);
        el.left_v_min = std::min(0.0f, el.left_v_min);
        el.left_m_max = std::max(0.0f, el.left_m_max);
        el.left_m_min = std::min(0.0f, el.left_m_min);
        el.right_v_max = std::max(0.0f, el.right_v_max);
        el.right_v_min = std::min(0.0f, el.right_v_min);
        el.right_m_max = std::max(0.0f, el.right_m_max);
        el.right_m_min = std::min(0.0f, el.right_m_min);
        el.mid_v_max = std::max(0.0f, std::max(mid.v_max[0], mid.v_max[1]));
        el.mid_v_min = std::min(0.0f, std::min(mid.v_min[1], mid.v_min[0]));
        el.mid_m_max = std::max(0.0f, std::max(mid.m_max[0], mid.m_max[1]));
        el.mid_m_min = std::min(0.0f, std::min(mid.m_min[1], mid.m_min[0]));

        for (int k = first; k < end; ++k) {
            LXL_STATION& st = stations_[k];
            const StationSums& sum = sums[k];
            st.v_max = std::max(0.0f, std::max(sum.v_max[0], sum.v_max[1]));
            st.v_min = std::min(0.0f, std::min(sum.v_min[0], sum.v_min[1]));
            st.m_max = std::max(0.0f, std::max(sum.m_max[0], sum.m_max[1]));
            st.m_min = std::min(0.0f, std::min(sum.m_min[0], sum.m_min[1]));
        }

        el.span_v_max = el.left_v_max;
        el.span_v_min = el.left_v_min;
        el.span_m_max = el.left_m_max;
        el.span_m_min = el.left_m_min;
        el.x_v_max = el.x_v_min = el.x_m_max = el.x_m_min = xl;
        for (int k = begin; k < end; ++k) {
            const LXL_STATION& st = stations_[k];
            if (st.x <= xl) continue;
            // Right at the support the hogging extreme is the station's own value.
            if (st.x <= xl + 0.05f) el.span_m_min = st.m_min;
            if (st.v_max > el.span_v_max) el.span_v_max = st.v_max, el.x_v_max = st.x;
            if (st.m_max > el.span_m_max) el.span_m_max = st.m_max, el.x_m_max = st.x;
            if (st.v_min < el.span_v_min) el.span_v_min = st.v_min, el.x_v_min = st.x;
            if (st.m_min < el.span_m_min) el.span_m_min = st.m_min, el.x_m_min = st.x;
        }
        first = end > 0 ? end - 1 : 0;
    }
}

void YXY_Lxl::SpanResults() {
    auto larger = [](float max, float min) { return std::fabs(max) > std::fabs(min) ? max : min; };
    for (int s = 0; s < span_count_; ++s) {
        const LXL_ELEMENT& el = elements_[s];
        LXL_SPAN_FORCE& f = span_forces_[s];
        f.v_left = larger(el.left_v_max, el.left_v_min);
        f.v_mid = larger(el.mid_v_max, el.mid_v_min);
        f.v_right = larger(el.right_v_max, el.right_v_min);
        f.m_left_sag = el.left_m_max;
        f.m_left_hog = el.left_m_min;
        f.m_right_sag = el.right_m_max;
        f.m_right_hog = el.right_m_min;
        f.m_span_sag = el.mid_m_max;
        f.m_span_hog = el.mid_m_min;
        // Peaks within 0.051 m of a support are the support's, not the span's.
        const float from = node_x_[s] + 0.051f, to = node_x_[s + 1] - 0.051f;
        for (int k = 1; k + 1 < station_count_; ++k) {
            const LXL_STATION& st = stations_[k];
            if (st.x < from || st.x > to) continue;
            const LXL_STATION &prev = stations_[k - 1], &next = stations_[k + 1];
            if (st.m_max > prev.m_max && st.m_max >= next.m_max && st.m_max > f.m_span_sag) f.m_span_sag = st.m_max;
            if (st.m_min < prev.m_min && st.m_min <= next.m_min && st.m_min < f.m_span_hog) f.m_span_hog = st.m_min;
        }
    }
}

namespace kv::lxl {

void tri_symmetri_in_core(double* a, int n, const int* blockend, const int* addr, const int* firstrow,
                          double* D) {
    const int base = addr[blockend[0]];
    auto at = [&](int row, int col) -> double& { return a[addr[col] - col + row - 1 - base]; };
    for (int q = 1; q <= n; ++q) {
        for (int r = q; r <= n; ++r) {
            if (firstrow[r] > q) continue;
            double u = at(q, r);
            for (int k = std::max(firstrow[q], firstrow[r]); k < q; ++k) u -= at(k, q) * at(k, r) / D[k];
            at(q, r) = u;
            if (r == q) D[q] = u;
        }
        if (std::fabs(D[q]) < 1.0e-7) tell_error1(kv::err::kWarning, "Error in freedom %ld, U[%ld]=%e", long(q), long(q), D[q]);
        if (JS_ERROR_CODE) return;
    }
}

void back_in_core(const double* a, int n, const int* blockend, const int* addr, const int* firstrow,
                  const double* D, int cases, double* b) {
    const int base = addr[blockend[0]];
    auto at = [&](int row, int col) { return a[addr[col] - col + row - 1 - base]; };
    // Entry of freedom d (from 1) in case c (from 0).
    auto v = [&](int c, int d) -> double& { return b[static_cast<std::size_t>(c) * n + d - 1]; };
    for (int i = 1; i <= n; ++i)
        for (int c = 0; c < cases; ++c)
            for (int k = firstrow[i]; k < i; ++k) v(c, i) -= at(k, i) / D[k] * v(c, k);
    for (int col = n; col >= 1; --col)
        for (int c = 0; c < cases; ++c) {
            v(c, col) /= D[col];
            for (int i = col - 1; i >= firstrow[col]; --i) v(c, i) -= at(i, col) * v(c, col);
        }
}

float simple_beam_moment(float L, float x, int kind, float p1, float p2, float s1, float s2) {
    // The same simple beam as the element loads: a line load (p1 at s1 to p2 at s2)
    // or a force p1 with a moment p2 at s2.
    return kv::fem::cal_load_m(L, x, kind, p1, p2, s1, s2);
}

}  // namespace kv::lxl

#include "fem/base_geometry.h"

#include "base/error.h"
#include "base/geometry.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"
#include "fem/mesh_files.h"
#include "fem/soil_column.h"
#include "fem/struc_ld_file.h"
#include "fem/workfile.h"
#include "fem/yxy_tool.h"

#include <cmath>
#include <memory>

namespace {

using kv::err::kFailure;
namespace bin = kv::fem::bin;

constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;

bool IsStrip(const beam_rec& b) { return b.kind == 4 || b.kind == 14; }
// The two base widths of a foundation strip (left and right of its axis), m.
float BaseWidth1(const beam_rec& b) { return static_cast<float>(b.foundation[3]) / 1000.0f; }
float BaseWidth2(const beam_rec& b) { return static_cast<float>(b.foundation[4]) / 1000.0f; }

bool NodeKnown(const struc_ld_file& m, int node) { return node >= 0 && node < static_cast<int>(m.x.size()); }

// The footprint of every side of the foundation strips, shared out among the
// division points of each strip.
void AddStripAreas(std::vector<float>& areas) {
    struc_ld_file model("STRUC_LD.FB");
    if (JS_ERROR_CODE) {
        tell_error(kFailure, "Out of Memery in cal_area");
        return;
    }
    if (!model.read_node() || !model.read_beam()) return;
    net_pre_file pre("NET_PRE.FB");
    if (JS_ERROR_CODE) {
        tell_error(kFailure, "Out of Memery in cal_area");
        return;
    }
    if (model.beam_num > 0 && (!pre.read_beam_cut() || !pre.read_index())) return;
    YXY_TOOL tool;
    for (std::size_t k = 0; k < model.beams.size(); ++k) {
        const beam_rec& b = model.beams[k];
        if (!IsStrip(b)) continue;
        if (k >= pre.beams.size() || !NodeKnown(model, b.node_s) || !NodeKnown(model, b.node_e)) {
            tell_error(kFailure, "Read file error in cal_area");
            return;
        }
        const beam_cut_date& cut = pre.beams[k];
        const int m = cut.num;
        std::vector<float> s;
        if (m < 2 || !kv::fem::Allocate(s, static_cast<std::size_t>(m))) {
            tell_error(kFailure, "Out of memery in cal_area");
            return;
        }
        const std::size_t sn = static_cast<std::size_t>(b.node_s), en = static_cast<std::size_t>(b.node_e);
        const float L = get_dist(model.x[sn], model.y[sn], model.x[en], model.y[en]);
        auto node_of = [&](int t) -> int {
            int old = cut.node[static_cast<std::size_t>(t)];
            if (old < 0 || old >= static_cast<int>(pre.new_of_old.size())) return -1;
            int n = pre.new_of_old[static_cast<std::size_t>(old)];
            return n >= 0 && n < static_cast<int>(areas.size()) ? n : -1;
        };
        for (int side = 0; side < 2; ++side) {
            float xs[4], ys[4];
            if (side == 0) tool.cal_local_coordi_cross(b.node_s, b.node_e, BaseWidth1(b), xs, ys, &model);
            else tool.cal_local_coordi_cross(b.node_e, b.node_s, BaseWidth2(b), xs, ys, &model);
            cal_area_strip(xs, ys, L, m, s.data());
            for (int t = 0; t < m; ++t) {
                int node = node_of(t);
                if (node < 0) {
                    tell_error(kFailure, "Read file error in cal_area");
                    return;
                }
                areas[static_cast<std::size_t>(node)] += side == 0 ? s[std::size_t(t)] : s[std::size_t(m - 1 - t)];
            }
        }
    }
}

// The plate triangles' areas, a third to each corner.
std::vector<float> PlateAreas(bool* made) {
    *made = false;
    std::vector<float> areas;
    net_dat_file dat("NET_DAT.FB");
    if (JS_ERROR_CODE) {
        tell_error(kFailure, "Out of Memery in cal_area");
        return areas;
    }
    if (!dat.read_node() || !dat.read_plate()) return areas;
    if (!kv::fem::Allocate(areas, static_cast<std::size_t>(std::max(dat.node_num, 0)))) {
        tell_error(kFailure, "Out of Memery in cal_area");
        return areas;
    }
    *made = true;
    for (const net_plate_ele& e : dat.plates) {
        const std::size_t a = std::size_t(e.a), b = std::size_t(e.b), c = std::size_t(e.c);
        float third = area_tri(dat.x[a], dat.y[a], dat.x[b], dat.y[b], dat.x[c], dat.y[c]) / 3.0f;
        areas[a] += third, areas[b] += third, areas[c] += third;
    }
    return areas;
}

// The nodes of "NET_DAT.FB", or false after "Out of Memery in init_force".
bool LoadNodes(std::unique_ptr<net_dat_file>& dat) {
    dat = std::make_unique<net_dat_file>("NET_DAT.FB");
    if (JS_ERROR_CODE) {
        tell_error(kFailure, "Out of Memery in init_force");
        return false;
    }
    return dat->read_node() == 1;
}

}  // namespace

// ---------------------------------------------------------------------------
// Node areas.

std::vector<float> cal_area() {
    bool made = false;
    std::vector<float> areas = PlateAreas(&made);
    if (made && !JS_ERROR_CODE) AddStripAreas(areas);
    if (made) print_total_area(areas.data(), static_cast<int>(areas.size()));
    if (JS_ERROR_CODE) return {};
    return areas;
}

std::vector<float> cal_area_0() {
    bool made = false;
    std::vector<float> areas = PlateAreas(&made);
    if (JS_ERROR_CODE) return {};
    return areas;
}

void print_total_area(const float* areas, int n) {
    float total = 0.0f;
    for (int i = 0; i < n; ++i) total += areas[i];
    tell_error1(0, "Total Area   : %15.2f (m^2)", total);
}

// ---------------------------------------------------------------------------
// Strip footprints.

void YXY_TOOL::cal_local_coordi_cross(int near, int far, float width, float* xs, float* ys, struc_ld_file* model) {
    const std::size_t a = static_cast<std::size_t>(near), b = static_cast<std::size_t>(far);
    const float ax = model->x[a], ay = model->y[a], bx = model->x[b], by = model->y[b];
    const float L = get_dist(ax, ay, bx, by);
    xs[0] = 0, ys[0] = 0, xs[1] = L, ys[1] = 0;

    // The neighbouring strips: at the near end the one turning least from this
    // beam towards the side, at the far end the one turning most.
    float theta = 1000.0f, phi = -1000.0f, wN = 0.0f, wM = 0.0f;
    bool nearFound = false, farFound = false;
    for (const beam_rec& r : model->beams) {
        if (!IsStrip(r) || !NodeKnown(*model, r.node_s) || !NodeKnown(*model, r.node_e)) continue;
        auto at = [&](int n) { return std::pair{model->x[std::size_t(n)], model->y[std::size_t(n)]}; };
        if ((r.node_s == near && r.node_e != far) || (r.node_e == near && r.node_s != far)) {
            auto [ox, oy] = at(r.node_s == near ? r.node_e : r.node_s);
            float t = get_two_line_angle(ox, oy, ax, ay, bx, by);
            if (t < theta) {
                theta = t, nearFound = true;
                wN = r.node_s == near ? BaseWidth2(r) : BaseWidth1(r);
            }
        }
        if ((r.node_s == far && r.node_e != near) || (r.node_e == far && r.node_s != near)) {
            auto [ox, oy] = at(r.node_s == far ? r.node_e : r.node_s);
            float f = get_two_line_angle(ox, oy, bx, by, ax, ay);
            if (f > phi) {
                phi = f, farFound = true;
                wM = r.node_s == far ? BaseWidth1(r) : BaseWidth2(r);
            }
        }
    }
    // A straight continuation cuts nothing.
    if (nearFound && std::fabs(theta - kPi) < 0.00001f) nearFound = false;
    if (farFound && std::fabs(phi - kPi) < 0.00001f) farFound = false;

    xs[3] = 0, ys[3] = width;
    if (nearFound) line_func_inter(std::cos(theta), std::sin(theta), -wN, 1.0f, 0.0f, width, &xs[3], &ys[3]);
    xs[2] = 0, ys[2] = width;
    if (farFound) line_func_inter(std::cos(phi - kPi), std::sin(phi - kPi), wM, 1.0f, 0.0f, width, &xs[2], &ys[2]);
    xs[2] += L;
}

float area_under_cut(float s, const float* xs, const float* ys) {
    const float L = xs[1], x2 = xs[2], y2 = ys[2], x3 = xs[3], y3 = ys[3];
    if (s <= 0.0f) return 0.0f;
    if (s >= L) return area_poli(4, xs, ys);
    if (s < x3) return area_tri(0, 0, s, 0, s, s * y3 / x3);
    if (x2 < s) {
        const float px[5] = {0, s, s, x2, x3};
        const float py[5] = {0, 0, (s - L) * y2 / (x2 - L), y2, y3};
        return area_poli(5, px, py);
    }
    const float px[4] = {0, s, s, x3};
    const float py[4] = {0, 0, y2, y3};
    return area_poli(4, px, py);
}

void cal_area_strip(const float* xs, const float* ys, float L, int m, float* out) {
    for (int j = 0; j < m; ++j) out[j] = 0.0f;
    if (m < 2) return;
    const float h = L / static_cast<float>(m - 1);
    for (int j = 0; j <= m - 2; ++j) {
        const float c = static_cast<float>(j) * h + h / 2;
        out[j] += area_under_cut(c, xs, ys) - area_under_cut(static_cast<float>(j) * h, xs, ys);
        out[j + 1] += area_under_cut(h + static_cast<float>(j) * h, xs, ys) - area_under_cut(c, xs, ys);
    }
}

// ---------------------------------------------------------------------------
// Base elevation.

namespace {

int BeamElevations(struc_ld_file& model, std::vector<float>* areas, std::vector<float>* elevations) {
    for (const beam_rec& b : model.beams) {
        float length = 0.0f;
        if (NodeKnown(model, b.node_s) && NodeKnown(model, b.node_e)) {
            const std::size_t s = std::size_t(b.node_s), e = std::size_t(b.node_e);
            if (b.kind < 11) {
                length = get_dist(model.x[s], model.y[s], model.x[e], model.y[e]);
            } else {
                float R = get_dist(b.cx, b.cy, model.x[s], model.y[s]);
                float d = get_line_angle(b.cx, b.cy, model.x[e], model.y[e]) -
                          get_line_angle(b.cx, b.cy, model.x[s], model.y[s]);
                if (d < 0) d += kTwoPi;
                length = d * R;
            }
        }
        areas->push_back(IsStrip(b) ? length * (BaseWidth1(b) + BaseWidth2(b)) : 0.0f);
        elevations->push_back(b.bg);
    }
    return 1;
}

int PlateElevations(struc_ld_file& model, std::vector<float>* areas, std::vector<float>* elevations) {
    YXY_TOOL tool;
    for (int k = 0; k < static_cast<int>(model.plates.size()); ++k) {
        std::vector<float> xs, ys;
        int n = 0;
        tool.form_plate_corner_chain(k, &model, &xs, &ys, &n);
        if (JS_ERROR_CODE) return 0;
        areas->push_back(area_poli(n, xs.data(), ys.data()));
        elevations->push_back(model.plates[std::size_t(k)].bg);
    }
    return 1;
}

// The model of "STRUC_LD.FB" with nodes, plates and beams, or null (told).
std::unique_ptr<struc_ld_file> LoadModel() {
    auto model = std::make_unique<struc_ld_file>("STRUC_LD.FB");
    if (JS_ERROR_CODE) {
        tell_error(kFailure, "Out of Memery in cal_base_elevation");
        return nullptr;
    }
    if (!model->read_node() || !model->read_plate() || !model->read_beam()) return nullptr;
    return model;
}

}  // namespace

int cal_beam_elev(std::vector<float>* areas, std::vector<float>* elevations) {
    auto model = LoadModel();
    return model ? BeamElevations(*model, areas, elevations) : 0;
}

int cal_plate_elev(std::vector<float>* areas, std::vector<float>* elevations) {
    auto model = LoadModel();
    return model ? PlateElevations(*model, areas, elevations) : 0;
}

float cal_elev() {
    auto model = LoadModel();
    if (!model) return 0.0f;
    const int entries = std::max(model->beam_num, 0) + std::max(model->plate_num, 0);
    if (entries <= 0) {
        tell_error(kFailure, "Error in cal_elev");
        return 0.0f;
    }
    std::vector<float> areas, elevations;
    if (!BeamElevations(*model, &areas, &elevations) || !PlateElevations(*model, &areas, &elevations)) return 0.0f;
    float base = combine_area_same_elev(static_cast<int>(areas.size()), areas.data(), elevations.data());
    return JS_ERROR_CODE ? 0.0f : base;
}

float combine_area_same_elev(int n, const float* areas, const float* elevations) {
    // Groups of exactly equal elevation, in entry order.
    std::vector<float> area, elev;
    for (int i = 0; i < n; ++i) {
        if (!(areas[i] > 0.0f)) continue;
        std::size_t g = 0;
        while (g < elev.size() && elev[g] != elevations[i]) ++g;
        if (g == elev.size()) elev.push_back(elevations[i]), area.push_back(0.0f);
        area[g] += areas[i];
    }
    float S = 0.0f;
    for (float a : area) S += a;
    // Highest elevation first.
    for (std::size_t i = 0; i < elev.size(); ++i) {
        std::size_t best = i;
        for (std::size_t j = i + 1; j < elev.size(); ++j)
            if (elev[j] > elev[best]) best = j;
        std::swap(elev[i], elev[best]);
        std::swap(area[i], area[best]);
    }
    float largest = 0.0f;
    bool found = false;
    for (float a : area)
        if (a / S > largest) largest = a / S, found = true;
    if (!found) {
        tell_error(kFailure, "Error in combine_area_same_elev");
        return 0.0f;
    }
    std::vector<float> candidates;
    for (std::size_t g = 0; g < area.size(); ++g)
        if (std::fabs(area[g] / S - largest) / largest < 0.05f) candidates.push_back(elev[g]);
    const std::size_t k = candidates.size();
    return candidates[(k + 1) / 2 - 1];
}

// ---------------------------------------------------------------------------
// Centroid and the rigid-base resultant.

void cal_centriod_base(float* A, float* xc, float* yc, float* Ix, float* Iy, const float* areas) {
    std::unique_ptr<net_dat_file> dat;
    if (!LoadNodes(dat)) return;
    const int n = dat->node_num;
    float a = 0.0f, sx = 0.0f, sy = 0.0f;
    for (int i = 0; i < n; ++i) a += areas[i], sx += areas[i] * dat->x[std::size_t(i)], sy += areas[i] * dat->y[std::size_t(i)];
    *A = a;
    if (!(a > 0.0f)) {
        tell_error(kFailure, "Draft area negative in cal_centriod_base");
        return;
    }
    *xc = sx / a, *yc = sy / a;
    float ix = 0.0f, iy = 0.0f;
    for (int i = 0; i < n; ++i) {
        float dy = dat->y[std::size_t(i)] - *yc, dx = dat->x[std::size_t(i)] - *xc;
        ix += areas[i] * dy * dy, iy += areas[i] * dx * dx;
    }
    *Ix = ix, *Iy = iy;
    tell_error1(0, "Total   Area : %15.2f (m^2)", a);
    tell_error1(0, "Centriod: (%15.2f,%15.2f) (m)", *xc, *yc);
    tell_error1(0, "Ix:  %15.2f     Iy:   %15.2f (m^4)", ix, iy);
}

void init_react_force(float A, float xc, float yc, float* W, float* Mx, float* My, const double* load) {
    std::unique_ptr<net_dat_file> dat;
    if (!LoadNodes(dat)) return;
    float w = 0.0f, mx = 0.0f, my = 0.0f;
    for (int k = 0; k < dat->node_num; ++k) {
        float f = static_cast<float>(load[3 * k]);
        w += f, mx += f * (dat->x[std::size_t(k)] - xc), my += f * (dat->y[std::size_t(k)] - yc);
    }
    *W = w, *Mx = mx, *My = my;
    // Quotients by no area or no load are logged as 0 rather than as no number.
    if (!(A > 0.0f)) tell_error(kv::err::kWarning, "Draft area negative in init_react_force");
    tell_error1(0, "\nTotal Weight : %15.2f (KN)", -w);
    tell_error1(0, "Average React: %15.2f (KN/m^2)", A > 0.0f ? -w / A : 0.0f);
    tell_error1(0, "Mx:  %15.2f     My:   %15.2f (KN/m)", -mx, -my);
    tell_error1(0, "ex:  %15.2f     ey:   %15.2f (m)", w != 0.0f ? mx / w : 0.0f, w != 0.0f ? my / w : 0.0f);
}

// ---------------------------------------------------------------------------
// "Area.fb" and "Grav.fb".

int write_area_file(const float* areas, int n) {
    kv::fem::WorkFile f;
    if (!f.open("Area.fb", "wb")) return 0;
    if (!bin::put_i32(f.get(), n) || !bin::put_f32s(f.get(), areas, static_cast<std::size_t>(n)) || !f.commit()) {
        tell_error(kFailure, "Write file error in Area.fb");
        return 0;
    }
    return 1;
}

int write_grav_file(int n, float base_elevation, std::vector<float>* weights_out) {
    std::vector<float> weights;
    if (!kv::fem::Allocate(weights, static_cast<std::size_t>(std::max(n, 0)))) {
        tell_error(kFailure, "Out of Memery !");
        return 0;
    }
    {
        soilnode_file nodes("SOILNODE.FB");
        if (JS_ERROR_CODE) return 0;
        soil_date_xy column;
        for (int i = 0; i < n; ++i) {
            if (!nodes.read_node_area(i, &column, base_elevation)) return 0;
            float w = 0.0f;
            for (const soil_layer& L : column.layers) w += L.Gama * L.Thick;
            weights[std::size_t(i)] = w;
            nodes.free_node(&column);
        }
    }
    kv::fem::WorkFile f;
    if (!f.open("Grav.fb", "wb")) return 0;
    if (!bin::put_i32(f.get(), n) || !bin::put_f32(f.get(), base_elevation) ||
        !bin::put_f32s(f.get(), weights.data(), weights.size()) || !f.commit()) {
        tell_error(kFailure, "Write file error in Grav.fb");
        return 0;
    }
    if (weights_out) *weights_out = std::move(weights);
    return 1;
}

#include "fem/soil_column.h"

#include "base/error.h"
#include "base/geometry.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"
#include "fem/mesh_files.h"
#include "fem/yxy_net.h"

#include <cmath>

namespace {

using kv::err::kFailure;
namespace bin = kv::fem::bin;

constexpr float kPi = 3.1415927f;

int LayerCount(const soil_date_xy& s) {
    if (s.Layer_num <= 0) return 0;
    return static_cast<int>(std::min<std::size_t>(s.layers.size(), static_cast<std::size_t>(s.Layer_num)));
}

// The copy of layers first..last of `from`, or false when memory cannot be had.
bool CopyLayers(const soil_date_xy& from, int first, int last, std::vector<soil_layer>* to) {
    std::vector<soil_layer> v;
    if (!kv::fem::Allocate(v, static_cast<std::size_t>(last - first + 1))) return false;
    std::copy(from.layers.begin() + first, from.layers.begin() + last + 1, v.begin());
    to->swap(v);
    return true;
}

// Fills the points of a pressure diagram: the top, the groundwater table where it
// lies inside a layer, and every layer's bottom, each with the value just above
// and just below it. `value` gives the pressure at an elevation.
template <typename Value>
void PressurePoints(const soil_date_xy& s, float topAbove, float topBelow, Value value, std::vector<float>* z,
                    std::vector<float>* above, std::vector<float>* below) {
    z->clear(), above->clear(), below->clear();
    auto add = [&](float at, float a, float b) {
        z->push_back(at);
        above->push_back(a);
        below->push_back(b);
    };
    add(s.dmbg, topAbove, topBelow);
    float top = s.dmbg;
    for (int i = 0, n = LayerCount(s); i < n; ++i) {
        float bottom = top - s.layers[i].Thick;
        if (s.dxsbg < top && s.dxsbg > bottom && top - s.dxsbg > 1e-7f && s.dxsbg - bottom > 1e-7f)
            add(s.dxsbg, value(s.dxsbg), value(s.dxsbg - 0.001f));
        float v = value(bottom);
        add(bottom, v, i + 1 < n ? value(bottom - 0.001f) : v);
        top = bottom;
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Cuts of a column.

int soil_date_xy::get_soil_date_down(soil_date_xy* out, float z) const {
    float top = dmbg;
    const int n = LayerCount(*this);
    for (int i = 0; i < n; ++i) {
        float bottom = top - layers[i].Thick;
        if ((bottom < z && z < top) || std::fabs(z - top) < 1e-7f) {
            std::vector<soil_layer> cut;
            if (!CopyLayers(*this, i, n - 1, &cut)) {
                tell_error(kFailure, "Out of memery in get_soil_date_down");
                return 0;
            }
            cut[0].Thick = z - bottom;
            out->dmbg = z;
            out->dxsbg = dxsbg;
            out->Layer_num = n - i;
            out->layers.swap(cut);
            return 1;
        }
        top = bottom;
    }
    tell_error(kFailure, "Error in get_soil_date_down");
    return 0;
}

int soil_date_xy::get_soil_date_up(soil_date_xy* out, float z) const {
    float top = dmbg;
    const int n = LayerCount(*this);
    for (int i = 0; i < n; ++i) {
        float bottom = top - layers[i].Thick;
        if ((bottom < z && z < top) || std::fabs(z - bottom) < 1e-7f) {
            std::vector<soil_layer> cut;
            if (!CopyLayers(*this, 0, i, &cut)) {
                tell_error(kFailure, "Out of memery in get_soil_date_up");
                return 0;
            }
            cut[i].Thick = top - z;
            out->dmbg = dmbg;
            out->dxsbg = dxsbg;
            out->Layer_num = i + 1;
            out->layers.swap(cut);
            return 1;
        }
        top = bottom;
    }
    tell_error(kFailure, "Error in get_soil_date_up");
    return 0;
}

int soil_date_xy::layer_at(float z) const {
    float top = dmbg;
    for (int i = 0, n = LayerCount(*this); i < n; ++i) {
        float bottom = top - layers[i].Thick;
        if (std::fabs(z - top) < 1e-7f || (bottom < z && z < top) || std::fabs(z - bottom) < 1e-7f) return i;
        top = bottom;
    }
    return -1;
}

// ---------------------------------------------------------------------------
// Pressures.

float soil_date_xy::weight_sum() const {
    const int wet = layer_at(dxsbg);
    float sum = 0.0f;
    float top = dmbg;
    for (int i = 0, n = LayerCount(*this); i < n; ++i) {
        const soil_layer& L = layers[i];
        float bottom = top - L.Thick;
        if (i == wet) sum += L.Gama * (top - dxsbg) + L.Gama1 * (dxsbg - bottom);
        else if (dxsbg <= bottom) sum += L.Thick * L.Gama;
        else if (dxsbg >= top) sum += L.Thick * L.Gama1;
        top = bottom;
    }
    return sum;
}

float soil_date_xy::overburden(float z) const {
    if (z >= dmbg) return 0.0f;
    soil_date_xy above;
    if (!get_soil_date_up(&above, z)) return 0.0f;
    return above.weight_sum();
}

float soil_date_xy::active_press(float q, float z) const {
    const int i = layer_at(z);
    if (i < 0) return 0.0f;  // not within the column
    const soil_layer& L = layers[i];
    const float t = std::tan((45.0f - L.sita / 2.0f) * kPi / 180.0f);
    float p = t * t * (q + overburden(z)) - 2.0f * L.c * t;
    if (z < dxsbg) p += 10.0f * (dxsbg - z);
    return p;
}

float soil_date_xy::passive_press(float z) const {
    const int i = layer_at(z);
    if (i < 0) return 0.0f;
    const soil_layer& L = layers[i];
    const float t = std::tan((45.0f + L.sita / 2.0f) * kPi / 180.0f);
    float p = 2.0f * L.c * t + t * t * overburden(z);
    if (z < dxsbg) p += 10.0f * (dxsbg - z);
    return p;
}

float soil_date_xy::layer_factor(int i) {
    soil_layer& L = layers.at(static_cast<std::size_t>(i));
    L.fk_factor = L.fk >= 50.0f ? 1.1f : 1.0f;
    return L.fk_factor;
}

float soil_date_xy::buoyant_weight(int i) {
    soil_layer& L = layers.at(static_cast<std::size_t>(i));
    float g = L.Gama / (1.0f + 0.01f * L.w) - 10.0f / (1.0f + L.e);
    if (g < 0.0f) {
        tell_error(205, "计算中发现浮容重为负 !");
        g = 0.0f;
    }
    L.Gama1 = g;
    return g;
}

void soil_date_xy::cal_soil_press(float q, int* n, std::vector<float>* z, std::vector<float>* above,
                                  std::vector<float>* below) const {
    PressurePoints(*this, q, q, [&](float at) { return q + overburden(at); }, z, above, below);
    *n = static_cast<int>(z->size());
}

void soil_date_xy::cal_soil_press_active(float q, int* n, std::vector<float>* z, std::vector<float>* above,
                                         std::vector<float>* below) const {
    auto value = [&](float at) { return active_press(q, at); };
    PressurePoints(*this, 0.0f, value(dmbg), value, z, above, below);
    // No tension: from the top down, negative values become 0 as far as the
    // first zero crossing, which joins the diagram as a point of its own.
    std::vector<float>&Z = *z, &A = *above, &B = *below;
    for (std::size_t k = 0; k < Z.size() && B[k] < 0.0f; ++k) {
        if (k + 1 < Z.size() && A[k + 1] > 0.0f) {
            const float h = B[k], l = A[k + 1];
            const float z0 = Z[k] + h * (Z[k + 1] - Z[k]) / (h - l);
            B[k] = 0.0f;
            if (std::fabs(z0 - Z[k]) > 1e-7f && std::fabs(z0 - Z[k + 1]) > 1e-7f) {
                Z.insert(Z.begin() + static_cast<long>(k) + 1, z0);
                A.insert(A.begin() + static_cast<long>(k) + 1, 0.0f);
                B.insert(B.begin() + static_cast<long>(k) + 1, 0.0f);
            }
            break;
        }
        B[k] = 0.0f;
        if (k + 1 >= Z.size() || A[k + 1] >= 0.0f) break;
        A[k + 1] = 0.0f;
    }
    *n = static_cast<int>(Z.size());
}

void soil_date_xy::cal_soil_press_passive(int* n, std::vector<float>* z, std::vector<float>* above,
                                          std::vector<float>* below) const {
    auto value = [&](float at) { return passive_press(at); };
    PressurePoints(*this, 0.0f, value(dmbg), value, z, above, below);
    *n = static_cast<int>(z->size());
}

// ---------------------------------------------------------------------------
// The given columns.

int soil_column::read() {
    kv::fem::WorkFile file;
    if (!file.open("SOIL.FB", "rb")) return 0;
    std::FILE* f = file.get();
    std::int32_t count = 0;
    if (!bin::get_i32(f, count) || count <= 0) {
        tell_error(310, "地基土信息错 !");
        if (JS_ERROR_CODE) return 0;
    }
    // A column takes at least its position, header and one layer.
    if (!bin::fits(f, count, 8 + 28 + sizeof(soil_layer)) || !kv::fem::Allocate(x, std::size_t(count)) ||
        !kv::fem::Allocate(y, std::size_t(count)) || !kv::fem::Allocate(columns, std::size_t(count))) {
        tell_error(kFailure, "内存不足 !");
        return 0;
    }
    num = count;
    for (int i = 0; i < num; ++i) {
        std::size_t k = static_cast<std::size_t>(i);
        if (!bin::get_f32(f, x[k]) || !bin::get_f32(f, y[k])) {
            tell_error(kFailure, "Layer num error in soil_date_xy_read");
            return 0;
        }
        if (!columns[k].soil_date_xy_read(f)) return 0;
    }
    return 1;
}

int soil_column::near_column(float px, float py, soil_date_xy* out) const {
    int best = -1;
    float bestDist = 1e20f;
    for (int i = 0; i < num; ++i) {
        float d = get_dist(px, py, x[std::size_t(i)], y[std::size_t(i)]);
        if (d < bestDist) bestDist = d, best = i;
    }
    if (best < 0) {
        tell_error(310, "地基土信息错 !");
        return 0;
    }
    const soil_date_xy& c = columns[std::size_t(best)];
    out->Layer_num = c.Layer_num, out->dmbg = c.dmbg, out->dxsbg = c.dxsbg, out->jdbg = c.jdbg;
    out->d_bg = c.d_bg, out->f1 = c.f1, out->zts = c.zts;
    if (out->Layer_num <= 0) {
        tell_error(kFailure, "得到点的土层柱状信息时发现土层数错 !");
        if (JS_ERROR_CODE) return 0;
    }
    if (LayerCount(c) < out->Layer_num || !CopyLayers(c, 0, out->Layer_num - 1, &out->layers)) {
        tell_error(kFailure, "得到点的土层柱状内存不够 !");
        return 0;
    }
    return 1;
}

int soil_column::default_column(float, float, soil_date_xy* out) const {
    std::vector<soil_layer> v;
    if (!kv::fem::Allocate(v, 4)) {
        tell_error(kFailure, "内存不够 !");
        return 0;
    }
    out->Layer_num = 4, out->dmbg = 1.5f, out->dxsbg = -20.0f, out->jdbg = -1.0f;
    out->d_bg = -1.0f, out->f1 = 200.0f, out->zts = 1.0f;
    out->layers.swap(v);
    return 1;
}

// ---------------------------------------------------------------------------
// "SOILNODE.FB".

soilnode_file::soilnode_file(const char* name) {
    file_.open(name, "rb");
    if (!JS_ERROR_CODE) current = -1;
}

int soilnode_file::read_record(int node, soil_date_xy* out) {
    if (current >= 0) out->free();
    std::FILE* f = file_.get();
    std::int32_t at = 0;
    if (!f || node < 0 || !bin::seek(f, off_t(node) * 4) || !bin::get_i32(f, at) || at < 0 || !bin::seek(f, at)) {
        tell_error(kFailure, "Read file error in soilnode_file");
        return 0;
    }
    offset_ = at;
    if (!out->soil_date_xy_read(f)) return 0;
    current = node;
    return 1;
}

int soilnode_file::read_node(int node, soil_date_xy* out, float z) {
    soil_date_xy whole;
    if (!read_record(node, &whole)) return 0;
    return whole.get_soil_date_down(out, z);
}

int soilnode_file::read_node_area(int node, soil_date_xy* out, float z) {
    soil_date_xy whole;
    if (!read_record(node, &whole)) return 0;
    return whole.get_soil_date_up(out, z);
}

int soilnode_file::read(int node, soil_date_xy* out) { return read_record(node, out); }

void soilnode_file::free_node(soil_date_xy* out) {
    if (current < 0) return;
    out->free();
    current = -1;
}

// ---------------------------------------------------------------------------
// The mesh stage's column per node.

void YXY_NET::cal_soil_infer_node() {
    soil_column given;
    if (!given.read() || JS_ERROR_CODE) return;
    kv::fem::WorkFile out;
    if (!out.open("SOILNODE.FB", "wb")) {
        tell_error(kFailure, "Open soil file error in cal_soil_infer_node");
        return;
    }
    net_dat_file dat("NET_DAT.FB");
    if (JS_ERROR_CODE) {
        tell_error(kFailure, "Out of Memery in main");
        return;
    }
    if (!dat.read_node()) {
        tell_error(kFailure, "Read file error in main");
        return;
    }
    std::FILE* f = out.get();
    const int n = dat.node_num;
    const std::vector<std::int32_t> placeholders(static_cast<std::size_t>(n), 0);
    bool ok = bin::put_i32s(f, placeholders.data(), placeholders.size());
    soil_date_xy column;
    for (int i = 0; i < n && ok; ++i) {
        if (!given.near_column(dat.x[std::size_t(i)], dat.y[std::size_t(i)], &column)) return;
        ok = std::fseek(f, 0, SEEK_END) == 0;
        off_t at = ok ? bin::tell(f) : -1;
        ok = ok && at >= 0 && at <= 0x7fffffff && bin::seek(f, off_t(i) * 4) && bin::put_i32(f, std::int32_t(at)) &&
             std::fseek(f, 0, SEEK_END) == 0 && column.soil_date_xy_write(f);
        column.free();
    }
    if (!ok || !out.commit()) {
        if (!JS_ERROR_CODE) tell_error(kFailure, "Open soil file error in cal_soil_infer_node");
    }
}

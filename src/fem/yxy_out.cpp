// The output stage: the node values of every load case (displacements, base
// reactions). The summaries at beams, plates and input nodes are in
// yxy_out_summary.cpp; the stage's sequence, the forces and the pin forces in
// yxy_out_force.cpp.
#include "fem/yxy_out.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/error.h"
#include "base/geometry.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/workfile.h"
#include "fem/yxy_out_internal.h"

namespace bin = kv::fem::bin;
using kv::err::kFailure;
using kv::fem::WorkFile;

namespace kv::fem::out {

bool ReadSolution(std::FILE* loads, int neq, int load_case, std::vector<double>& U) {
    if (bin::seek(loads, off_t(8) * neq * load_case) && bin::get_f64s(loads, U.data(), std::size_t(neq))) return true;
    tell_error(kFailure, "Read file error in  LOAD_V.FB");
    return false;
}

void NodeDisplacements(const freedom_file& freedom, const std::vector<double>& U, float* w) {
    const std::vector<std::int32_t>& ids = freedom.id[0];
    for (std::size_t j = 0; j < ids.size(); ++j) w[j] = ids[j] > 0 ? static_cast<float>(U[std::size_t(ids[j]) - 1]) : 0.0f;
}

bool Commit(WorkFile& file, const char* name) {
    if (file.commit()) return true;
    tell_error1(kFailure, "不能写文件 : %s", name);
    return false;
}

}  // namespace kv::fem::out

namespace {

using namespace kv::fem::out;

// A node-value file of `nodes` values per case opened with its header written;
// false with the error told.
bool StartNodeFile(WorkFile& out, const char* name, int nodes, int cases) {
    if (!out.open(name, "wb")) return false;
    if (bin::put_i32(out.get(), nodes) && bin::put_i32(out.get(), cases)) return true;
    tell_error1(kFailure, "不能写文件 : %s", name);
    return false;
}

// The node areas divide the reactions: one per node.
bool AreasFit(const std::vector<float>& area, int nodes) {
    if (area.size() == std::size_t(nodes)) return true;
    tell_error(kFailure, "Node area error in out_react");
    return false;
}

// Reaction per unit area; a node without area has none (warned once per case).
void PerArea(std::vector<float>& r, const std::vector<float>& area) {
    bool warned = false;
    for (std::size_t j = 0; j < r.size(); ++j) {
        if (area[j] != 0.0f) {
            r[j] /= area[j];
            continue;
        }
        r[j] = 0.0f;
        if (!warned) tell_error1(kv::err::kWarning, "Node %d has no base area in out_react", int(j + 1));
        warned = true;
    }
}

}  // namespace

int nearest_node(float x, float y, const std::vector<float>& xs, const std::vector<float>& ys) {
    float best = 1.0e20f;
    int at = -1;
    const std::size_t n = xs.size() < ys.size() ? xs.size() : ys.size();
    for (std::size_t j = 0; j < n; ++j) {
        const float d = get_dist(x, y, xs[j], ys[j]);
        if (d < best) {
            best = d;
            at = static_cast<int>(j);
        }
    }
    return at;
}

YXY_OUT::YXY_OUT() = default;
YXY_OUT::~YXY_OUT() = default;

void YXY_OUT::out_disp(int cases, freedom_file& freedom) {
    if (JS_ERROR_CODE) return;
    WorkFile loads, out;
    if (!loads.open("LOAD_V.FB", "rb")) return;
    const int nodes = freedom.node_num, neq = freedom.neq;
    std::vector<double> U;
    std::vector<float> w;
    if (!kv::fem::Allocate(U, std::size_t(neq)) || !kv::fem::Allocate(w, std::size_t(nodes))) {
        tell_error(kFailure, "Out of memery in out_disp");
        return;
    }
    if (!StartNodeFile(out, "DEFOR.FB", nodes, cases) || !freedom.read_id()) return;
    for (int c = 0; c < cases; ++c) {
        if (!ReadSolution(loads.get(), neq, c, U)) break;
        NodeDisplacements(freedom, U, w.data());
        if (!bin::put_f32s(out.get(), w.data(), w.size())) {
            tell_error(kFailure, "不能写文件 : DEFOR.FB");
            break;
        }
    }
    freedom.free_id();
    if (JS_ERROR_CODE || !Commit(out, "DEFOR.FB")) return;
    loads.close();
    out_disp_liang();
    out_disp_ban();
}

void YXY_OUT::out_react(int cases, freedom_file& freedom) {
    if (JS_ERROR_CODE) return;
    WorkFile loads, out, soil;
    if (!loads.open("LOAD_V.FB", "rb") || !StartNodeFile(out, "REACT.FB", freedom.node_num, cases) ||
        !soil.open("FDSTF.FB", "rb"))
        return;
    const int nodes = freedom.node_num, neq = freedom.neq;
    std::vector<float> r, w;
    std::vector<double> group, U;
    for (bool ok : {kv::fem::Allocate(r, std::size_t(nodes)), kv::fem::Allocate(w, std::size_t(nodes)),
                    kv::fem::Allocate(group, std::size_t(nodes)), kv::fem::Allocate(U, std::size_t(neq))})
        if (!ok) {
            tell_error(kFailure, "Out of memery in out_disp");
            return;
        }
    if (!AreasFit(area, nodes) || !freedom.read_id()) return;
    for (int c = 0; c < cases && !JS_ERROR_CODE; ++c) {
        if (!ReadSolution(loads.get(), neq, c, U)) break;
        NodeDisplacements(freedom, U, w.data());
        // r = K·w, one column of the base stiffness at a time.
        std::fill(r.begin(), r.end(), 0.0f);
        for (int s = 0; s < nodes; ++s) {
            if (!bin::seek(soil.get(), off_t(8) * nodes * s) || !bin::get_f64s(soil.get(), group.data(), group.size())) {
                tell_error(kFailure, "Read file error in FDSTF.FB");
                break;
            }
            for (int j = 0; j < nodes; ++j) r[j] = static_cast<float>(r[j] + w[s] * group[j]);
        }
        if (JS_ERROR_CODE) break;
        PerArea(r, area);
        if (!bin::put_f32s(out.get(), r.data(), r.size())) tell_error(kFailure, "不能写文件 : REACT.FB");
    }
    freedom.free_id();
    if (JS_ERROR_CODE || !Commit(out, "REACT.FB")) return;
    loads.close();
    soil.close();
    out_fl_liang();
    out_fl_ban();
}

void YXY_OUT::out_react_iter(int cases, freedom_file& freedom) {
    if (JS_ERROR_CODE) return;
    WorkFile soil, out;
    if (!soil.open("FDSTF.FB", "rb") || !StartNodeFile(out, "REACT.FB", freedom.node_num, cases)) return;
    const int nodes = freedom.node_num;
    std::vector<float> r;
    if (!kv::fem::Allocate(r, std::size_t(nodes))) {
        tell_error(kFailure, "Out of memery in out_disp");
        return;
    }
    if (!AreasFit(area, nodes)) return;
    for (int c = 0; c < cases; ++c) {
        if (!bin::seek(soil.get(), off_t(4) * nodes * c) || !bin::get_f32s(soil.get(), r.data(), r.size())) {
            tell_error(kFailure, "Read file error in FDSTF.FB");
            break;
        }
        PerArea(r, area);
        if (!bin::put_f32s(out.get(), r.data(), r.size())) {
            tell_error(kFailure, "不能写文件 : REACT.FB");
            break;
        }
    }
    if (JS_ERROR_CODE || !Commit(out, "REACT.FB")) return;
    soil.close();
    out_fl_liang();
    out_fl_ban();
}

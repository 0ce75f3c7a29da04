// The output stage's summaries: the node values (displacements, base reactions,
// pin forces) taken at the mesh nodes nearest to the ends and middles of the
// input beams, the corners and centres of the input plates and the input nodes.
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "base/error.h"
#include "base/geometry.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"
#include "fem/mesh_files.h"
#include "fem/struc_ld_file.h"
#include "fem/workfile.h"
#include "fem/yxy_out.h"
#include "fem/yxy_out_internal.h"

namespace bin = kv::fem::bin;
using kv::err::kFailure;
using kv::fem::WorkFile;

namespace {

constexpr const char* kNoMemory = "Out of memery in acad_chk";

// The mesh nodes and the input model the summaries place their points on.
struct Model {
    std::unique_ptr<net_dat_file> dat;
    std::unique_ptr<struc_ld_file> struc;

    bool open(bool beams, bool plates) {
        dat = kv::fem::MakeObject<net_dat_file>("NET_DAT.FB");
        struc = dat ? kv::fem::MakeObject<struc_ld_file>("STRUC_LD.FB") : nullptr;
        if (!dat || !struc) {
            tell_error(kFailure, "Out of Memery in acad_chk");
            return false;
        }
        if (JS_ERROR_CODE) return false;
        if (!dat->read_node() || !struc->read_node() || (beams && !struc->read_beam()) ||
            (plates && !struc->read_plate())) {
            tell_error(kFailure, "Read file error in main");
            return false;
        }
        return true;
    }

    // The value source's nearest mesh node of each point.
    std::vector<int> nearest(const std::vector<float>& xs, const std::vector<float>& ys) const {
        std::vector<int> at(xs.size());
        for (std::size_t k = 0; k < xs.size(); ++k) at[k] = nearest_node(xs[k], ys[k], dat->x, dat->y);
        return at;
    }
};

// A file of node values, case after case: "DEFOR.FB" and "REACT.FB" (a header of
// the node and case counts, one value per node) or "PIN.FB" (no header, three
// values per node, the first taken).
class NodeValues {
public:
    bool open(const char* name, bool header, int mesh_nodes, int cases) {
        name_ = name;
        header_ = header;
        if (!file_.open(name, "rb")) return false;
        nodes_ = mesh_nodes;
        cases_ = cases;
        if (header) {
            std::int32_t counts[2] = {};
            if (!bin::get_i32s(file_.get(), counts, 2) || counts[0] != mesh_nodes || counts[1] < 0) {
                tell_error1(kFailure, "Read file error in %s", name);
                return false;
            }
            cases_ = counts[1];
        }
        if (!kv::fem::Allocate(values_, std::size_t(nodes_) * (header ? 1 : 3))) {
            tell_error(kFailure, kNoMemory);
            return false;
        }
        return true;
    }
    int cases() const { return cases_; }
    bool read(int load_case) {
        const off_t at = (header_ ? 8 : 0) + off_t(4) * off_t(values_.size()) * load_case;
        if (bin::seek(file_.get(), at) && bin::get_f32s(file_.get(), values_.data(), values_.size())) return true;
        tell_error1(kFailure, "Read file error in %s", name_);
        return false;
    }
    // The value of node `node` in the case read; 0 for no node.
    float at(int node) const { return node < 0 ? 0.0f : values_[std::size_t(node) * (header_ ? 1 : 3)]; }

private:
    WorkFile file_;
    const char* name_ = "";
    bool header_ = true;
    int nodes_ = 0, cases_ = 0;
    std::vector<float> values_;
};

bool PutFloats(WorkFile& out, const char* name, const float* v, std::size_t n) {
    if (bin::put_f32s(out.get(), v, n)) return true;
    tell_error1(kFailure, "不能写文件 : %s", name);
    return false;
}

// Start, middle and end of every input beam; an arc's middle lies halfway along it
// counter-clockwise from its start.
bool BeamPoints(const struc_ld_file& s, std::vector<float>& xs, std::vector<float>& ys) {
    const std::size_t n = s.beams.size();
    if (!kv::fem::Allocate(xs, 3 * n) || !kv::fem::Allocate(ys, 3 * n)) {
        tell_error(kFailure, kNoMemory);
        return false;
    }
    for (std::size_t b = 0; b < n; ++b) {
        const beam_rec& r = s.beams[b];
        const float x1 = s.x[std::size_t(r.node_s)], y1 = s.y[std::size_t(r.node_s)];
        const float x2 = s.x[std::size_t(r.node_e)], y2 = s.y[std::size_t(r.node_e)];
        float xm = (x1 + x2) / 2, ym = (y1 + y2) / 2;
        if (r.kind >= 11) {
            const float R = get_dist(r.cx, r.cy, x1, y1);
            const float a1 = get_line_angle(r.cx, r.cy, x1, y1);
            float d = get_line_angle(r.cx, r.cy, x2, y2) - a1;
            if (d < 0) d += 6.2831855f;
            xm = r.cx + R * std::cos(a1 + d / 2);
            ym = r.cy + R * std::sin(a1 + d / 2);
        }
        const float px[3] = {x1, xm, x2}, py[3] = {y1, ym, y2};
        for (int k = 0; k < 3; ++k) {
            xs[3 * b + std::size_t(k)] = px[k];
            ys[3 * b + std::size_t(k)] = py[k];
        }
    }
    return true;
}

// Corner k of a plate is where its edge k begins: the start node of the edge's
// first beam, or its end node where the chain runs through that beam backwards.
// The centroid of the corner polygon comes first.
bool PlatePoints(const struc_ld_file& s, const plate_rec& p, std::vector<float>& xs, std::vector<float>& ys) {
    const std::size_t n = p.edges.size();
    if (!kv::fem::Allocate(xs, n + 1) || !kv::fem::Allocate(ys, n + 1)) {
        tell_error(kFailure, kNoMemory);
        return false;
    }
    for (std::size_t k = 0; k < n; ++k) {
        if (p.edges[k].beam.empty()) {
            tell_error(kFailure, "Read file error in main");
            return false;
        }
        const std::int32_t r = p.edges[k].beam.front();
        const beam_rec& b = s.beams[std::size_t(r > 0 ? r : -r) - 1];
        const std::size_t node = std::size_t(r > 0 ? b.node_s : b.node_e);
        xs[k + 1] = s.x[node];
        ys[k + 1] = s.y[node];
    }
    centroid_poli(int(n), xs.data() + 1, ys.data() + 1, &xs[0], &ys[0]);
    return true;
}

// W_LIANG.FB / FL_LIANG.FB from DEFOR.FB / REACT.FB.
void WriteBeamSummary(const char* source, const char* target) {
    if (JS_ERROR_CODE) return;
    Model model;
    if (!model.open(true, false)) return;
    NodeValues values;
    if (!values.open(source, true, model.dat->node_num, 0)) return;
    std::vector<float> xs, ys;
    if (!BeamPoints(*model.struc, xs, ys)) return;
    const std::vector<int> at = model.nearest(xs, ys);
    std::vector<float> row;
    if (!kv::fem::Allocate(row, at.size())) {
        tell_error(kFailure, kNoMemory);
        return;
    }
    WorkFile out;
    if (!out.open(target, "wb")) return;
    if (!bin::put_i32(out.get(), model.struc->beam_num) || !bin::put_i32(out.get(), values.cases())) {
        tell_error1(kFailure, "不能写文件 : %s", target);
        return;
    }
    for (int c = 0; c < values.cases(); ++c) {
        if (!values.read(c)) return;
        for (std::size_t k = 0; k < at.size(); ++k) row[k] = values.at(at[k]);
        if (!PutFloats(out, target, row.data(), row.size())) return;
    }
    kv::fem::out::Commit(out, target);
}

// W_BAN.FB / FL_BAN.FB from DEFOR.FB / REACT.FB; an empty file without plates.
void WritePlateSummary(const char* source, const char* target) {
    if (JS_ERROR_CODE) return;
    Model model;
    if (!model.open(true, true)) return;
    NodeValues values;
    if (!values.open(source, true, model.dat->node_num, 0)) return;
    const struc_ld_file& s = *model.struc;
    const int plates = s.plate_num;
    // Nearest nodes of every plate's centroid and corners.
    std::vector<std::vector<int>> at;
    if (plates > 0 && !kv::fem::Allocate(at, std::size_t(plates))) {
        tell_error(kFailure, kNoMemory);
        return;
    }
    for (int p = 0; p < plates; ++p) {
        std::vector<float> xs, ys;
        if (!PlatePoints(s, s.plates[std::size_t(p)], xs, ys)) return;
        at[std::size_t(p)] = model.nearest(xs, ys);
    }
    WorkFile out;
    if (!out.open(target, "wb")) return;
    std::FILE* f = out.get();
    bool ok = true;
    if (plates > 0) {
        const int cases = values.cases();
        ok = bin::put_i32(f, plates) && bin::put_i32(f, cases);
        for (long long k = 0; ok && k < static_cast<long long>(plates) * cases; ++k) ok = bin::put_i32(f, 0);
        std::vector<float> row;
        for (int c = 0; ok && c < cases; ++c) {
            if (!values.read(c)) return;
            for (int p = 0; ok && p < plates; ++p) {
                const std::vector<int>& nodes = at[std::size_t(p)];
                const off_t block = bin::tell(f);
                ok = block > 0 && block <= std::numeric_limits<std::int32_t>::max() &&
                     bin::seek(f, 8 + off_t(4) * (off_t(c) * plates + p)) && bin::put_i32(f, std::int32_t(block)) &&
                     bin::seek(f, block) && bin::put_i32(f, std::int32_t(nodes.size() - 1));
                row.assign(nodes.size(), 0.0f);
                for (std::size_t k = 0; k < nodes.size(); ++k) row[k] = values.at(nodes[k]);
                ok = ok && bin::put_f32s(f, row.data(), row.size());
            }
        }
    }
    if (!ok) {
        tell_error1(kFailure, "不能写文件 : %s", target);
        return;
    }
    kv::fem::out::Commit(out, target);
}

}  // namespace

void YXY_OUT::out_disp_liang() { WriteBeamSummary("DEFOR.FB", "W_LIANG.FB"); }
void YXY_OUT::out_disp_ban() { WritePlateSummary("DEFOR.FB", "W_BAN.FB"); }
void YXY_OUT::out_fl_liang() { WriteBeamSummary("REACT.FB", "FL_LIANG.FB"); }
void YXY_OUT::out_fl_ban() { WritePlateSummary("REACT.FB", "FL_BAN.FB"); }

void YXY_OUT::out_zhu_pin() {
    if (JS_ERROR_CODE) return;
    Model model;
    if (!model.open(false, false)) return;
    NodeValues pins;
    if (!pins.open("PIN.FB", false, model.dat->node_num, model.dat->case_num)) return;
    const std::vector<int> at = model.nearest(model.struc->x, model.struc->y);
    std::vector<float> row;
    if (!kv::fem::Allocate(row, at.size())) {
        tell_error(kFailure, kNoMemory);
        return;
    }
    WorkFile out;
    if (!out.open("ZHU_PIN.FB", "wb")) return;
    if (!bin::put_i32(out.get(), model.struc->node_num) || !bin::put_i32(out.get(), pins.cases())) {
        tell_error(kFailure, "不能写文件 : ZHU_PIN.FB");
        return;
    }
    for (int c = 0; c < pins.cases(); ++c) {
        if (!pins.read(c)) return;
        for (std::size_t k = 0; k < at.size(); ++k) row[k] = pins.at(at[k]);
        if (!PutFloats(out, "ZHU_PIN.FB", row.data(), row.size())) return;
    }
    kv::fem::out::Commit(out, "ZHU_PIN.FB");
}

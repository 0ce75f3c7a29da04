// The assembly stage: the global matrix block by block, then the right-hand
// sides of every load case.
#include "fem/yxy_stiff.h"

#include "base/error.h"
#include "base/geometry.h"
#include "base/numeric.h"
#include "fem/base_geometry.h"
#include "fem/beam_element.h"
#include "fem/binio.h"
#include "fem/equ_solver.h"
#include "fem/fem_alloc.h"
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/workfile.h"

#include <memory>
#include <vector>

namespace {

using kv::err::kFailure;
namespace bin = kv::fem::bin;

// An element's offset moves its axis off the nodes; only the elastic-soil
// analysis transforms the stiffness for it. Elsewhere the loads would be moved
// and the stiffness not: such a beam is refused, named by its input number.
bool OffsetsRefused(const net_dat_file& dat) {
    int element = -1;
    for (std::size_t e = 0; e < dat.beams.size(); ++e)
        if (dat.beams[e].offset1 != 0) {
            element = static_cast<int>(e);
            break;
        }
    if (element < 0) return false;
    int beam = 0, first = 0;
    {
        net_pre_file pre("NET_PRE.FB");
        if (JS_ERROR_CODE || !pre.read_beam_cut()) return true;
        for (const beam_cut_date& b : pre.beams) {
            if (element < first + b.num - 1) break;
            first += b.num - 1;
            ++beam;
        }
    }
    tell_error1(kv::err::kDataError,
                "Beam %d has an offset length: only the elastic-soil analysis takes offsets, set it to 0", beam + 1);
    return true;
}

// Adds an n x n element matrix; nothing for an element without an equation in the block.
struct Block {
    int b;
    double* a;
    const std::int32_t* blockend;
    const std::int32_t* addr;
    const std::int32_t* first;

    void add(const float* K, int n, const int* eq) const {
        if (!kv::fem::ele_in_block(eq, n, b, blockend)) return;
        kv::fem::add_ele_symmetri(b, K, n, eq, a, blockend, addr, first);
    }
};

}  // namespace

YXY_STIFF::YXY_STIFF() = default;
YXY_STIFF::~YXY_STIFF() = default;

void YXY_STIFF::main_stiff(int form, int work) {
    if (JS_ERROR_CODE) return;
    form_ = form;
    const bool matrix = work == 1 || work == 3;
    if (matrix) {
        std::unique_ptr<net_dat_file> dat = kv::fem::MakeObject<net_dat_file>("NET_DAT.FB");
        std::unique_ptr<freedom_file> fr = dat ? kv::fem::MakeObject<freedom_file>("FREEDOM.FB") : nullptr;
        if (!dat || !fr) {
            tell_error(kFailure, "Out of Memery in main");
            return;
        }
        if (JS_ERROR_CODE || !dat->read_node() || !dat->read_beam() || !dat->read_plate() || !dat->read_support() ||
            !fr->read_id() || !fr->read_col() || !fr->read_block())
            return;
        if (form != 1 && OffsetsRefused(*dat)) return;
        if (fr->addr.empty() || fr->blockend.empty()) return;  // no node: nothing to assemble
        std::vector<std::int32_t> first, q, k;
        equ_solver solver;
        if (!solver.cal_block_first(fr->block_num, fr->neq, fr->block_size, fr->blockend.data(), fr->addr.data(),
                                    first, q, k))
            return;
        if (!assemble(*dat, *fr, first.data(), q.data())) return;
    }
    if (work == 2 || work == 3) load_vecter();
}

int YXY_STIFF::sum_fd(int b, double* upper, double* lower, const std::int32_t* blockend, const std::int32_t* addr,
                      const std::int32_t* first, int q, int nodes) {
    kv::fem::WorkFile soil;
    if (!soil.open("FDSTF.FB", "rb")) return 0;
    std::vector<double> column;
    if (!kv::fem::Allocate(column, std::size_t(nodes))) {
        tell_error(kFailure, "Out of memery in sum_fd");
        return 0;
    }
    const int lo = blockend[b - 1] + 1, hi = blockend[b];
    const std::int32_t origin = addr[lo - 1];
    auto slot = [&](int row, int col) { return std::size_t(addr[col] - (col - row) - 1 - origin); };
    for (int m = (q - 1 + 2) / 3; 3 * m + 1 <= hi && m < nodes; ++m) {
        const int eq = 3 * m + 1;
        if (eq < q) continue;
        if (!bin::seek(soil.get(), off_t(8) * nodes * m) || !bin::get_f64s(soil.get(), column.data(), column.size())) {
            tell_error(kFailure, "Read file error in FDSTF.FB");
            return 0;
        }
        // Row eq of the columns to its right in the block: the lower part.
        for (int n = 0; n < nodes; ++n) {
            const int r = 3 * n + 1;
            if (r < lo || r > hi || r < eq || eq < first[r]) continue;
            lower[slot(eq, r)] += column[std::size_t(n)];
        }
        // Column eq itself when it lies in the block: the upper part.
        if (eq >= lo)
            for (int n = 0; n < nodes; ++n) {
                const int r = 3 * n + 1;
                if (r < first[eq] || r > eq) continue;
                upper[slot(r, eq)] += column[std::size_t(n)];
            }
    }
    return 1;
}

int YXY_STIFF::assemble(const net_dat_file& dat, const freedom_file& fr, const std::int32_t* first,
                        const std::int32_t* q) {
    const bool unsymmetric = form_ == 1;
    kv::fem::WorkFile stiff, lower_file;
    if (!stiff.open("STIFF1.FB", "wb+")) return 0;
    if (unsymmetric && !lower_file.open("STIFF2.FB", "wb+")) return 0;
    std::vector<double> a, lower;
    if (!kv::fem::Allocate(a, std::size_t(fr.block_size)) ||
        (unsymmetric && !kv::fem::Allocate(lower, std::size_t(fr.block_size)))) {
        tell_error(kFailure, "Out of memery in main");
        return 0;
    }
    tell_error(-2, "正在集成刚度矩阵....");
    const int blocks = fr.block_num;
    for (int b = 1; b <= blocks; ++b) {
        tell_error1(kv::err::kNotice, "Integrate Complete : %d %%", b * 100 / blocks);
        std::fill(a.begin(), a.end(), 0.0);
        std::fill(lower.begin(), lower.end(), 0.0);
        const Block block{b, a.data(), fr.blockend.data(), fr.addr.data(), first};
        auto add = [&](const float* K, int n, const int* eq) {
            if (!unsymmetric) {
                block.add(K, n, eq);
            } else if (kv::fem::ele_in_block(eq, n, b, fr.blockend.data())) {
                kv::fem::add_ele_not_symmetri(b, K, n, eq, a.data(), lower.data(), fr.blockend.data(),
                                              fr.addr.data(), first);
            }
        };
        if (unsymmetric &&
            !sum_fd(b, a.data(), lower.data(), fr.blockend.data(), fr.addr.data(), first, q[b], fr.node_num))
            return 0;

        for (int e = 0; e < static_cast<int>(dat.beams.size()); ++e) {
            kv::fem::beam_element_data el;
            if (!kv::fem::get_beam_element(e, dat, fr.id, &el)) return 0;
            if (!kv::fem::ele_in_block(el.eq, 6, b, fr.blockend.data())) continue;
            float K[36], R[36];
            if (!kv::fem::stiff_beam_local(K, el.x, el.y, el.J, el.I, dat.beam_E, dat.beam_mu)) return 0;
            if (unsymmetric) {
                // The offset moves the axis off the nodes: only this analysis takes it.
                float T[36];
                kv::fem::form_offset_matrix(T, el.offset);
                mut_matrix_lr_1(T, K, T, K, 6, 6, 6);
            }
            kv::fem::form_rotate_matrix(R, get_line_angle(el.x[0], el.y[0], el.x[1], el.y[1]));
            mut_matrix_lr_1(R, K, R, K, 6, 6, 6);
            add(K, 6, el.eq);
        }
        for (int e = 0; e < static_cast<int>(dat.plates.size()); ++e) {
            kv::fem::plate_element_data el;
            if (!kv::fem::get_plate_element(e, dat, fr.id, &el)) return 0;
            if (!kv::fem::ele_in_block(el.eq, 9, b, fr.blockend.data())) continue;
            float K[81];
            if (!plate_.cal_stiff_plate(K, el.x, el.y, el.thick, dat.plate_E, dat.plate_mu)) return 0;
            add(K, 9, el.eq);
        }
        // Springs (kind 1) on the w of their node; nothing on a restrained w, and
        // none on the elastic soil, which carries the base itself.
        for (const support_rec& s : dat.supports) {
            if (s.kind != 1 || unsymmetric) continue;
            if (s.node < 0 || s.node >= fr.node_num) {
                tell_error(kFailure, "Support node error in main_stiff");
                return 0;
            }
            const int eq = fr.id[0][std::size_t(s.node)];
            if (eq <= 0) continue;
            block.add(&s.value2, 1, &eq);
        }
        if (!bin::seek(stiff.get(), off_t(b - 1) * fr.block_size * 8) ||
            !bin::put_f64s(stiff.get(), a.data(), a.size())) {
            tell_error(kFailure, "Write file error in STIFF1.FB");
            return 0;
        }
        if (unsymmetric && (!bin::seek(lower_file.get(), off_t(b - 1) * fr.block_size * 8) ||
                            !bin::put_f64s(lower_file.get(), lower.data(), lower.size()))) {
            tell_error(kFailure, "Write file error in STIFF2.FB");
            return 0;
        }
        if (JS_ERROR_CODE) return 0;
    }
    if (!stiff.commit() || (unsymmetric && !lower_file.commit())) {
        tell_error(kFailure, "Write file error in STIFF1.FB");
        return 0;
    }
    return 1;
}

void YXY_STIFF::load_vecter() {
    if (JS_ERROR_CODE) return;
    std::unique_ptr<net_dat_file> dat = kv::fem::MakeObject<net_dat_file>("NET_DAT.FB");
    std::unique_ptr<freedom_file> fr = dat ? kv::fem::MakeObject<freedom_file>("FREEDOM.FB") : nullptr;
    if (!dat || !fr) {
        tell_error(kFailure, "Out of Memery in load");
        return;
    }
    if (JS_ERROR_CODE || !dat->read_node() || !dat->read_beam() || !dat->read_plate() || !fr->read_id()) return;
    const int neq = fr->neq;
    kv::fem::WorkFile out;
    if (!out.open("LOAD_V.FB", "wb")) return;
    std::vector<double> v;
    if (!kv::fem::Allocate(v, std::size_t(neq))) {
        tell_error(kFailure, "Out of memery in load_vecter");
        return;
    }
    auto add = [&v](const int* eq, const float* f, int n) {
        for (int i = 0; i < n; ++i)
            if (eq[i] > 0) v[std::size_t(eq[i] - 1)] += f[i];
    };
    for (int c = 0; c < dat->case_num; ++c) {
        tell_error1(-2, "正在计算工况 %d 荷载向量....", c + 1);
        std::fill(v.begin(), v.end(), 0.0);

        tell_error(-2, "(1) 处理点荷载向量....");
        if (!dat->read_load(c, 1)) return;
        for (const con_load& L : dat->con) {
            if (L.node < 0 || L.node >= fr->node_num) {
                tell_error(kFailure, "Load node error in load_vecter");
                return;
            }
            int eq[3];
            for (int k = 0; k < 3; ++k) eq[k] = fr->id[k][std::size_t(L.node)];
            const float f[3] = {-L.P, L.M2, L.M3};
            add(eq, f, 3);
        }

        tell_error(-2, "(2) 处理线荷载向量....");
        if (!dat->read_load(c, 2)) return;
        for (const line_load& L : dat->line) {
            kv::fem::beam_element_data el;
            if (!kv::fem::get_beam_element(L.beam, *dat, fr->id, &el)) return;
            const float length = get_dist(el.x[0], el.y[0], el.x[1], el.y[1]);
            float f[6] = {}, T[36], R[36];
            if (L.kind == 1) {
                if (!kv::fem::cal_load_beam(f, length, -L.v[0], -L.v[1], L.v[2], L.v[3])) return;
            } else if (!kv::fem::cal_eload_beam(f, length, -L.v[0], L.v[1], L.v[2], L.v[3])) {
                return;
            }
            kv::fem::form_offset_matrix(T, el.offset);
            kv::fem::form_rotate_matrix(R, get_line_angle(el.x[0], el.y[0], el.x[1], el.y[1]));
            mut_matrix_1(T, f, f, 6, 6, 1);
            mut_matrix_1(R, f, f, 6, 6, 1);
            add(el.eq, f, 6);
        }

        tell_error(-2, "(3) 处理面荷载向量....");
        if (!dat->read_load(c, 3)) return;
        for (const distri_load& L : dat->distri) {
            kv::fem::plate_element_data el;
            if (!kv::fem::get_plate_element(L.plate, *dat, fr->id, &el)) return;
            float f[9];
            if (!plate_.cal_load_plate(f, el.x, el.y, -L.q)) return;
            add(el.eq, f, 9);
        }

        if (!bin::seek(out.get(), off_t(c) * neq * 8) || !bin::put_f64s(out.get(), v.data(), v.size())) {
            tell_error(kFailure, "Write file error in LOAD_V.FB");
            return;
        }
    }
    if (!out.commit()) {
        tell_error(kFailure, "Write file error in LOAD_V.FB");
        return;
    }
    if (form_ == 1 || form_ == 3) load_vecter_pick_grav(neq, dat->case_num);
    backup_load_v();
}

void YXY_STIFF::load_vecter_pick_grav(int neq, int cases) {
    if (JS_ERROR_CODE) return;
    tell_error(kv::err::kNotice, "Cal_node_area()");
    const std::vector<float> area = cal_area();
    if (JS_ERROR_CODE) return;
    const int n = static_cast<int>(area.size());
    if (!write_area_file(area.data(), n)) return;
    float A = 0, xc = 0, yc = 0, Ix = 0, Iy = 0;
    cal_centriod_base(&A, &xc, &yc, &Ix, &Iy, area.data());
    if (JS_ERROR_CODE) return;
    tell_error(kv::err::kNotice, "Cal_elevation()");
    const float base = cal_elev();
    if (JS_ERROR_CODE) return;
    tell_error1(kv::err::kNotice, "Base_elevation=%.2f", base);
    std::vector<float> weight;
    if (!write_grav_file(n, base, &weight)) return;
    for (int i = 0; i < n; ++i) weight[std::size_t(i)] *= area[std::size_t(i)];
    print_soil_weight(weight.data(), n);

    kv::fem::WorkFile loads;
    if (!loads.open("LOAD_V.FB", "rb")) return;
    std::vector<double> v;
    if (!kv::fem::Allocate(v, std::size_t(neq))) {
        tell_error(kFailure, "Out of memery in load_vecter pick grav");
        return;
    }
    for (int c = 0; c < cases; ++c) {
        if (!bin::seek(loads.get(), off_t(c) * neq * 8) || !bin::get_f64s(loads.get(), v.data(), v.size())) {
            tell_error(kFailure, "Read file error in LOAD_V.FB");
            return;
        }
        float W = 0, Mx = 0, My = 0;
        init_react_force(A, xc, yc, &W, &Mx, &My, v.data());
        if (JS_ERROR_CODE) return;
    }
}

void print_soil_weight(const float* weights, int n) {
    double sum = 0;
    for (int i = 0; i < n; ++i) sum += weights[i];
    tell_error1(kv::err::kNotice, "\nSoil  Weight : %15.2f (KN)", sum);
}

void backup_load_v() {
    if (JS_ERROR_CODE) return;
    kv::fem::WorkFile from, to;
    if (!from.open("LOAD_V.FB", "rb") || !to.open("LOAD_VB.FB", "wb")) return;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, from.get())) > 0) {
        if (std::fwrite(buffer, 1, n, to.get()) != n) {
            tell_error(kFailure, "Write file error in LOAD_VB.FB");
            return;
        }
    }
    if (std::ferror(from.get()) || !to.commit()) tell_error(kFailure, "Write file error in LOAD_VB.FB");
}

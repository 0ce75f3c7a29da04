// The output stage's sequence and its force files: the internal forces of every input beam and
// plate ("FORCE.FB") and the pin forces of every mesh node ("PIN.FB", then the
// pin force under every input node).
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/error.h"
#include "fem/base_geometry.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/struc_ld_file.h"
#include "fem/workfile.h"
#include "fem/yxy_force.h"
#include "fem/yxy_out.h"
#include "fem/yxy_out_internal.h"

namespace bin = kv::fem::bin;
using kv::err::kFailure;
using kv::err::kNotice;
using kv::fem::WorkFile;
using namespace kv::fem::out;

namespace {

// The end of the file as a block position; false (told) past what an int holds.
bool EndPosition(std::FILE* f, std::int32_t& at) {
    const off_t end = std::fseek(f, 0, SEEK_END) == 0 ? bin::tell(f) : -1;
    if (end > 0 && end <= 0x7fffffff) {
        at = std::int32_t(end);
        return true;
    }
    tell_error(kFailure, "不能写文件 : FORCE.FB");
    return false;
}

}  // namespace

void YXY_OUT::main_out(int form, int work) {
    if (JS_ERROR_CODE) return;
    int cases = 0;
    {
        std::unique_ptr<net_dat_file> dat = kv::fem::MakeObject<net_dat_file>("NET_DAT.FB");
        if (!dat) {
            tell_error(kFailure, "Out of Memery in main");
            return;
        }
        if (JS_ERROR_CODE) return;
        cases = dat->case_num;
    }
    std::unique_ptr<freedom_file> freedom = kv::fem::MakeObject<freedom_file>("FREEDOM.FB");
    if (!freedom) {
        tell_error(kFailure, "Out of Memery in main");
        return;
    }
    if (JS_ERROR_CODE) return;
    const bool forces = work == 1 || work == 3;
    const bool pins = work == 2 || work == 3;
    switch (form) {
        case 1:
            if (!forces) break;
            out_disp(cases, *freedom);
            area = cal_area();
            out_react(cases, *freedom);
            area = {};
            out_force(cases, *freedom);
            break;
        case 2:
            if (forces) {
                out_disp(cases, *freedom);
                out_force(cases, *freedom);
            }
            if (pins) out_pin(cases, *freedom);
            break;
        case 3:
            if (!forces) break;
            out_disp(cases, *freedom);
            area = cal_area();
            out_react_iter(cases, *freedom);
            area = {};
            out_force(cases, *freedom);
            out_pin(cases, *freedom);
            break;
        default:
            break;
    }
}

void YXY_OUT::out_force(int cases, freedom_file& freedom) {
    if (JS_ERROR_CODE) return;
    std::unique_ptr<net_pre_file> pre = kv::fem::MakeObject<net_pre_file>("NET_PRE.FB");
    std::unique_ptr<net_dat_file> dat = pre ? kv::fem::MakeObject<net_dat_file>("NET_DAT.FB") : nullptr;
    std::unique_ptr<struc_ld_file> struc = dat ? kv::fem::MakeObject<struc_ld_file>("STRUC_LD.FB") : nullptr;
    if (!pre || !dat || !struc) {
        tell_error(kFailure, "File open error in out_force");
        return;
    }
    if (JS_ERROR_CODE) return;
    const int beams = pre->beam_num, plates = pre->plate_num, neq = freedom.neq;
    WorkFile loads, force;
    if (!loads.open("LOAD_V.FB", "rb") || !force.open("FORCE.FB", "wb")) return;
    std::FILE* f = force.get();
    std::vector<double> U;
    std::vector<std::int32_t> beam_pos, plate_pos;
    if (!kv::fem::Allocate(U, std::size_t(neq)) || !kv::fem::Allocate(beam_pos, std::size_t(cases)) ||
        !kv::fem::Allocate(plate_pos, std::size_t(cases))) {
        tell_error(kFailure, "Out of memery in out_force");
        return;
    }
    if (!freedom.read_id()) return;
    bool ok = bin::put_i32(f, beams) && bin::put_i32(f, plates) && bin::put_i32(f, cases);
    for (int c = 0; ok && c < cases; ++c) ok = bin::put_i32(f, 0) && bin::put_i32(f, 0);
    if (!ok) tell_error(kFailure, "不能写文件 : FORCE.FB");
    for (int c = 0; c < cases && !JS_ERROR_CODE; ++c) {
        if (!ReadSolution(loads.get(), neq, c, U)) break;
        if (!struc->read_beam() || !pre->read_beam_cut() || !dat->read_node() || !dat->read_beam() ||
            !dat->read_load(c, 2) || JS_ERROR_CODE)
            break;
        if (!EndPosition(f, beam_pos[std::size_t(c)])) break;
        for (int j = 0; j < beams; ++j) {
            tell_error1(kNotice, "**** Beam:  %d\n", j + 1);
            kv::fem::out_force_beam(c, j, *struc, *pre, *dat, freedom.id, U.data(), f, flag);
            if (JS_ERROR_CODE) break;
        }
        struc->free_beam();
        pre->free_beam_cut();
        dat->free_node();
        dat->free_beam();
        dat->free_load();
        if (JS_ERROR_CODE) break;

        if (!struc->read_plate() || !pre->read_index() || !dat->read_node() || !dat->read_plate() || JS_ERROR_CODE)
            break;
        if (!EndPosition(f, plate_pos[std::size_t(c)])) break;
        for (int j = 0; j < plates; ++j) {
            tell_error1(kNotice, "**** Plate:  %d\n", j + 1);
            kv::fem::out_force_plate(j, *struc, *pre, *dat, freedom.id, U.data(), plate, f);
            if (JS_ERROR_CODE) break;
        }
        struc->free_plate();
        pre->free_index();
        dat->free_node();
        dat->free_plate();
    }
    freedom.free_id();
    if (!JS_ERROR_CODE) {
        // The positions go in last: a file whose run stopped early keeps zeros there.
        ok = bin::seek(f, 12);
        for (int c = 0; ok && c < cases; ++c)
            ok = bin::put_i32(f, beam_pos[std::size_t(c)]) && bin::put_i32(f, plate_pos[std::size_t(c)]);
        if (!ok) tell_error(kFailure, "不能写文件 : FORCE.FB");
    }
    // Kept even when the run stopped: its zero positions then tell every reader
    // that it is incomplete, where an older file left in its place would pass for
    // this run's.
    Commit(force, "FORCE.FB");
}

void YXY_OUT::out_pin(int cases, freedom_file& freedom) {
    if (JS_ERROR_CODE) return;
    std::unique_ptr<net_dat_file> dat = kv::fem::MakeObject<net_dat_file>("NET_DAT.FB");
    if (!dat) {
        tell_error(kFailure, "File open error in out_pin");
        return;
    }
    if (JS_ERROR_CODE) return;
    const int nodes = dat->node_num, neq = freedom.neq;
    WorkFile loads, out;
    if (!loads.open("LOAD_V.FB", "rb") || !out.open("PIN.FB", "wb")) return;
    std::vector<double> U;
    std::vector<float> pins;
    if (!kv::fem::Allocate(U, std::size_t(neq)) || !kv::fem::Allocate(pins, std::size_t(nodes) * 3)) {
        tell_error(kFailure, "Out of memery in out_pin");
        return;
    }
    if (!freedom.read_id()) return;
    for (int c = 0; c < cases && !JS_ERROR_CODE; ++c) {
        if (!ReadSolution(loads.get(), neq, c, U)) break;
        std::fill(pins.begin(), pins.end(), 0.0f);
        if (!dat->read_load(c, 1)) break;
        for (const con_load& p : dat->con) {
            float* at = &pins[std::size_t(p.node) * 3];
            at[0] += p.P;
            at[1] -= p.M2;
            at[2] -= p.M3;
        }
        if (!dat->read_node() || !dat->read_beam() || !dat->read_load(c, 2)) break;
        for (int e = 0; e < dat->beam_num && !JS_ERROR_CODE; ++e)
            kv::fem::out_pin_beam(e, *dat, freedom.id, U.data(), pins.data());
        dat->free_beam();
        dat->free_load();
        if (JS_ERROR_CODE || !dat->read_load(c, 3) || !dat->read_plate()) break;
        for (int e = 0; e < dat->plate_num && !JS_ERROR_CODE; ++e)
            kv::fem::out_pin_plate(e, plate, *dat, freedom.id, U.data(), pins.data());
        dat->free_node();
        dat->free_load();
        dat->free_plate();
        if (JS_ERROR_CODE) break;
        if (!bin::seek(out.get(), off_t(12) * nodes * c) || !bin::put_f32s(out.get(), pins.data(), pins.size()))
            tell_error(kFailure, "不能写文件 : PIN.FB");
    }
    freedom.free_id();
    if (JS_ERROR_CODE || !Commit(out, "PIN.FB")) return;
    loads.close();
    dat.reset();
    out_zhu_pin();
}

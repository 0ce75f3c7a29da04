#include "base/error.h"
#include "fem/binio.h"
#include "fem/equ_solver.h"
#include "fem/fem_alloc.h"
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/workfile.h"

#include <vector>

namespace {

using kv::err::kFailure;

// The right-hand sides of all cases in, the displacements out, in place.
bool ReadLoads(std::FILE* f, std::vector<double>& x, int cases, int neq) {
    if (!kv::fem::Allocate(x, std::size_t(cases) * std::size_t(neq))) {
        tell_error(kFailure, "Out of memery in main");
        return false;
    }
    if (!kv::fem::bin::seek(f, 0) || !kv::fem::bin::get_f64s(f, x.data(), x.size())) {
        tell_error(kFailure, "Read file error in  LOAD_V.FB");
        return false;
    }
    return true;
}

bool WriteLoads(std::FILE* f, const std::vector<double>& x) {
    if (kv::fem::bin::seek(f, 0) && kv::fem::bin::put_f64s(f, x.data(), x.size()) && std::fflush(f) == 0)
        return true;
    tell_error(kFailure, "Write file error in  LOAD_V.FB");
    return false;
}

}  // namespace

void YXY_EQU::main_equ(int form, int work) {
    if (JS_ERROR_CODE || (form != 1 && form != 2)) return;
    int cases = 0;
    {
        net_dat_file dat("NET_DAT.FB");
        if (JS_ERROR_CODE) return;
        cases = dat.case_num;
    }
    freedom_file layout("FREEDOM.FB");
    if (JS_ERROR_CODE || !layout.read_col() || !layout.read_block()) return;
    if (cases < 0) {
        tell_error(kFailure, "Pointer error in net_dat file !");
        return;
    }
    if (layout.addr.empty()) return;  // no node: nothing to solve
    const int neq = layout.neq, blocks = layout.block_num, bs = layout.block_size;
    const std::int32_t* blockend = layout.blockend.data();
    const std::int32_t* addr = layout.addr.data();

    kv::fem::WorkFile upper, lower, loads;
    if (!upper.open("STIFF1.FB", "rb+")) return;
    std::vector<double> diag;
    if (!kv::fem::Allocate(diag, std::size_t(neq) + 1)) {
        tell_error(kFailure, "Out of memery in main");
        return;
    }
    const bool factorise = work == 1 || work == 3;
    const bool substitute = work == 2 || work == 3;
    std::vector<double> x;
    if (form == 1) {
        if (!lower.open("STIFF2.FB", "rb+")) return;
        if (factorise && !solver_.tri_not_symmetri(upper.get(), lower.get(), blocks, neq, bs, blockend, addr,
                                                   diag.data()))
            return;
        if (substitute) {
            if (!loads.open("LOAD_V.FB", "rb+") || !ReadLoads(loads.get(), x, cases, neq)) return;
            if (!solver_.Back_not_symmetri(upper.get(), lower.get(), blocks, neq, bs, blockend, addr, diag.data(),
                                           cases, x.data()))
                return;
            WriteLoads(loads.get(), x);
        }
        return;
    }
    if (factorise && !solver_.tri_symmetri(upper.get(), blocks, neq, bs, blockend, addr, diag.data())) return;
    if (substitute) {
        if (!loads.open("LOAD_V.FB", "rb+") || !ReadLoads(loads.get(), x, cases, neq)) return;
        if (!solver_.Back_symmetri(upper.get(), blocks, neq, bs, blockend, addr, diag.data(), cases, x.data()))
            return;
        WriteLoads(loads.get(), x);
    }
}

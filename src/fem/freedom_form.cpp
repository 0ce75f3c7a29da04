#include "fem/freedom.h"

#include "base/error.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"
#include "fem/mesh_files.h"
#include "fem/struc_ld_file.h"

// The freedom step of the mesh stage: from the mesh files in the current folder
// to "FREEDOM.FB".

namespace {
using kv::err::kFailure;
namespace bin = kv::fem::bin;
}  // namespace

int freedom_num::mark_restraints() {
    if (type != -1 && type != 0 && type != 2 && type != 4) return 1;
    net_pre_file pre("NET_PRE.FB");
    if (JS_ERROR_CODE || !pre.read_index() || (node_num > 0 && int(pre.new_of_old.size()) != node_num)) {
        tell_error(kFailure, "Read file error in  freedom");
        return 0;
    }
    const std::vector<std::int32_t>& map = pre.new_of_old;
    if ((type == -1 || type == 0) && !write_id(map)) return 0;
    if (type == 0) return 1;

    struc_ld_file model("STRUC_LD.FB");
    if (JS_ERROR_CODE || !model.read_node() || model.node_num > node_num) {
        tell_error(kFailure, "Read file error in  freedom");
        return 0;
    }
    auto restrain = [&](int old, int f) { id[f][std::size_t(map[std::size_t(old)])] = -1; };
    for (int n = 0; n < model.node_num; ++n)
        if (model.flag[std::size_t(n)] == 1) restrain(n, 0);
    if (type == -1) return 1;

    if (!model.read_beam() || !model.read_support()) {
        tell_error(kFailure, "Read file error in  freedom");
        return 0;
    }
    auto known = [&](int old) { return old >= 0 && old < model.node_num; };
    for (const beam_rec& b : model.beams) {
        if (b.restraint != 1) continue;
        if (!known(b.node_s) || !known(b.node_e)) {
            tell_error(kFailure, "Read file error in  freedom");
            return 0;
        }
        restrain(b.node_s, 0);
        restrain(b.node_e, 0);
    }
    for (const support_rec& s : model.supports) {
        if (s.kind != 2 && s.kind != 3 && s.kind != 4) continue;
        if (!known(s.node)) {
            tell_error(kFailure, "Read file error in  freedom");
            return 0;
        }
        restrain(s.node, 0);
        if (s.kind == 3) restrain(s.node, 1), restrain(s.node, 2);
    }
    return 1;
}

int freedom_num::freedom() {
    if (JS_ERROR_CODE) return 0;
    for (auto& f : id)
        if (!kv::fem::Allocate(f, std::size_t(node_num))) {
            tell_error(kFailure, "内存不够 !");
            return 0;
        }
    if (!mark_restraints()) return 0;
    number();
    return 1;
}

int freedom_num::write_m(net_dat_file& dat) {
    if (JS_ERROR_CODE) return 0;
    if (!kv::fem::Allocate(height, std::size_t(neq) + 1)) {
        tell_error(kFailure, "Out of Memery in write_m 3");
        return 0;
    }
    if (!dat.read_beam() || !dat.read_plate() || !dat.read_support()) return 0;
    auto eq = [&](int node, int f) { return id[f][std::size_t(node)]; };
    for (const net_beam_ele& e : dat.beams) {
        const std::int32_t list[6] = {eq(e.i, 0), eq(e.i, 1), eq(e.i, 2), eq(e.j, 0), eq(e.j, 1), eq(e.j, 2)};
        add_list(list, 6);
    }
    for (const net_plate_ele& t : dat.plates) {
        const std::int32_t list[9] = {eq(t.a, 0), eq(t.a, 1), eq(t.a, 2), eq(t.b, 0), eq(t.b, 1),
                                      eq(t.b, 2), eq(t.c, 0), eq(t.c, 1), eq(t.c, 2)};
        add_list(list, 9);
    }
    if (type == 1) {
        // The soil couples every w with every other.
        std::vector<std::int32_t> w;
        if (!kv::fem::Allocate(w, std::size_t(node_num))) {
            tell_error(kFailure, "Out of memery in write_m 4");
            return 0;
        }
        for (int n = 0; n < node_num; ++n) w[std::size_t(n)] = eq(n, 0);
        add_list(w.data(), node_num);
    } else {
        // A spring on w is added on its diagonal by the assembly: that freedom
        // must have a diagonal of its own even where no element reaches it.
        for (const support_rec& s : dat.supports)
            if (s.kind == 1) {
                const std::int32_t list[1] = {eq(s.node, 0)};
                add_list(list, 1);
            }
    }
    dat.free_beam();
    dat.free_plate();
    dat.free_support();
    return form_addr();
}

int freedom_num::write_file() {
    kv::fem::WorkFile out;
    if (!out.open("FREEDOM.FB", "wb")) return 0;
    offset[0] = 16;
    offset[1] = 32;
    offset[2] = offset[1] + 3 * node_num * 4;
    offset[3] = offset[2] + (neq + 1) * 4;
    const std::int32_t info[4] = {node_num, neq, block_num, block_size};
    std::FILE* f = out.get();
    bool ok = bin::put_i32s(f, offset, 4) && bin::put_i32s(f, info, 4);
    for (const auto& ids : id) ok = ok && bin::put_i32s(f, ids.data(), ids.size());
    ok = ok && bin::put_i32s(f, addr.data(), addr.size()) && bin::put_i32s(f, blockend.data(), blockend.size());
    if (!ok || !out.commit()) {
        tell_error(kFailure, "Write file error in freedom");
        return 0;
    }
    return 1;
}

int freedom_num::form_freedom_file() {
    if (JS_ERROR_CODE) return 0;
    {
        net_dat_file dat("NET_DAT.FB");
        if (JS_ERROR_CODE) {
            tell_error(kFailure, "Out of Memery in write_m 1");
            return 0;
        }
        if (dat.node_num < 0 || dat.node_num > kv::fem::kMostFreedomNodes) {
            tell_error(kFailure, "Read file error in  freedom");
            return 0;
        }
        node_num = dat.node_num;
        // Every single column then fits in a block: no column is higher than
        // neq ≤ 3 × nodes.
        if (block_size < 3 * node_num) block_size = 3 * node_num;
        if (!freedom() || !write_m(dat)) return 0;
    }
    if (!write_col() || !write_file()) return 0;
    tell_error1(kv::err::kNotice, " Node= %ld, Freedom= %ld, Block= %ld, Stiff=%ld", long(node_num), long(neq),
                long(block_num), long(addr[std::size_t(neq)]));
    return 1;
}


#include "fem/freedom.h"

#include "base/error.h"
#include "base/textio.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"

#include <algorithm>
#include <string>

namespace {

using kv::err::kFailure;
namespace bin = kv::fem::bin;

constexpr int kOutOfMemory = 399;
constexpr int kYsLineSize = 256;
constexpr const char* kYsError = "Read file ys.fb error in write_id";


}  // namespace

// ---- freedom_num -------------------------------------------------------------

freedom_num::freedom_num(int type_, int block_size_) : type(type_), block_size(block_size_) {}
freedom_num::~freedom_num() = default;

int freedom_num::col_height(const std::int32_t* list, int count, int own) {
    const std::int32_t e = list[own];
    long h = 1;
    for (int k = 0; k < count; ++k)
        if (list[k] != -1) h = std::max(h, long(e) - list[k] + 1);
    return int(h);
}

void freedom_num::add_list(const std::int32_t* list, int count) {
    for (int k = 0; k < count; ++k) {
        const std::int32_t e = list[k];
        if (e <= 0) continue;
        height[e] = std::max(height[e], std::int32_t(col_height(list, count, k)));
    }
}

void freedom_num::number() {
    int counter = 1;
    for (int n = 0; n < node_num; ++n)
        for (auto& f : id)
            if (f[n] != -1) f[n] = counter++;
    neq = counter - 1;
}

int freedom_num::form_addr() {
    if (!kv::fem::Allocate(addr, std::size_t(neq) + 1)) {
        tell_error(kFailure, "Out of Memery in write_m 3");
        return 0;
    }
    for (int j = 1; j <= neq; ++j) {
        if (height[j] <= 0) {
            tell_error1(kFailure, kv::fem::kNoStiffnessMessage, j);
            return 0;
        }
        addr[j] = addr[j - 1] + height[j];
    }
    return 1;
}

int freedom_num::write_id(const std::vector<std::int32_t>& new_of_old) {
    kv::fem::WorkFile ys;
    if (!ys.open("YS.FB", "rt")) return 0;
    std::string line;
    int count = 0;
    if (!fgets_line(line, kYsLineSize, ys.get()) || scan_fields(line, "%d", &count) != 1 || count < 0) {
        tell_error(kFailure, kYsError);
        return 0;
    }
    for (int k = 0; k < count; ++k) {
        int node = -1, f = 0;
        if (!fgets_line(line, kYsLineSize, ys.get()) || scan_fields(line, "%d,%d", &node, &f) != 2 ||
            node < 0 || node >= node_num || f < 1 || f > 3) {
            tell_error(kFailure, kYsError);
            return 0;
        }
        const int mesh_node = new_of_old.empty() ? node : new_of_old[std::size_t(node)];
        id[f - 1][std::size_t(mesh_node)] = -1;
    }
    return 1;
}

int freedom_num::write_id_plain() { return write_id({}); }

int freedom_num::write_col() {
    if (JS_ERROR_CODE) return 0;
    // Counted first, so the table takes only the memory it needs.
    int blocks = 1;
    long start = 0;
    for (int j = 1; j <= neq; ++j)
        if (addr[j] - start > block_size) ++blocks, start = addr[j - 1];
    if (!kv::fem::Allocate(blockend, std::size_t(blocks) + 1)) {
        tell_error(kFailure, "Out of Memery in write_col");
        return 0;
    }
    int b = 0;
    start = 0;
    for (int j = 1; j <= neq; ++j)
        if (addr[j] - start > block_size) blockend[std::size_t(++b)] = j - 1, start = addr[j - 1];
    blockend[std::size_t(blocks)] = neq;
    block_num = blocks;
    return 1;
}

void freedom_num::print_id() const {
    for (int n = 0; n < node_num; ++n)
        tell_error1(kv::err::kNotice, "%4ld,%4ld,%4ld,%4ld", long(n), long(id[0][std::size_t(n)]),
                    long(id[1][std::size_t(n)]), long(id[2][std::size_t(n)]));
    tell_error(kv::err::kNotice, "---------------------------------\n");
}

void freedom_num::print_col() const {
    for (int n = 0; n < node_num; ++n) {
        long at[3] = {0, 0, 0};
        int k = 0;
        for (const auto& ids : id) {
            const std::int32_t e = ids[std::size_t(n)];
            if (e > 0 && std::size_t(e) < addr.size()) at[k++] = addr[std::size_t(e)];
        }
        tell_error1(kv::err::kNotice, "%4ld,%4ld,%4ld,%4ld,%10ld,%10ld,%10ld", long(n), long(id[0][std::size_t(n)]),
                    long(id[1][std::size_t(n)]), long(id[2][std::size_t(n)]), at[0], at[1], at[2]);
    }
    tell_error(kv::err::kNotice, "---------------------------------\n");
}

// ---- freedom_file ------------------------------------------------------------

freedom_file::freedom_file(const char* name) {
    if (!file_.open(name, "rb")) return;
    std::FILE* f = file_.get();
    bool ok = bin::get_i32s(f, offset, 4);
    for (std::int32_t o : offset) ok = ok && o > 0;
    if (!ok) {
        tell_error(kFailure, "Polonger error in freedom file !");
        return;
    }
    std::int32_t info[4] = {};
    if (!bin::seek(f, offset[0]) || !bin::get_i32s(f, info, 4) || info[0] < 0 || info[0] > kv::fem::kMostFreedomNodes ||
        info[1] < 0 || info[1] > 3 * info[0] || info[2] < 1 || info[2] > info[1] + 1 || info[3] <= 0) {
        tell_error(kFailure, "Read error in freedom file !");
        return;
    }
    node_num = info[0], neq = info[1], block_num = info[2], block_size = info[3];
    ok_ = true;
}

freedom_file::~freedom_file() = default;

bool freedom_file::read_ints(int section, std::size_t count, std::vector<std::int32_t>& into) {
    std::FILE* f = file_.get();
    if (!bin::seek(f, offset[section]) || !bin::fits(f, static_cast<long long>(count), 4)) {
        tell_error(kFailure, "Read error in freedom file !");
        return false;
    }
    if (!kv::fem::Allocate(into, count)) {
        tell_error(kOutOfMemory, "Out of Memery !");
        return false;
    }
    if (!bin::get_i32s(f, into.data(), count)) {
        into = {};
        tell_error(kFailure, "Read error in freedom file !");
        return false;
    }
    return true;
}

int freedom_file::read_id() {
    if (JS_ERROR_CODE || !ok_) return 0;
    if (id_loaded_ || node_num <= 0) return 1;
    std::vector<std::int32_t> all;
    const std::size_t n = std::size_t(node_num);
    if (!read_ints(1, 3 * n, all)) return 0;
    for (std::int32_t e : all)
        if (e != -1 && (e < 1 || e > neq)) {
            tell_error(kFailure, "Read error in freedom file !");
            return 0;
        }
    for (int f = 0; f < 3; ++f) {
        if (!kv::fem::Allocate(id[f], n)) {
            free_id();
            tell_error(kOutOfMemory, "Out of Memery !");
            return 0;
        }
        std::copy_n(all.begin() + long(f * n), n, id[f].begin());
    }
    id_loaded_ = true;
    return 1;
}

int freedom_file::read_col() {
    if (JS_ERROR_CODE || !ok_) return 0;
    if (col_loaded_ || node_num <= 0) return 1;
    if (!read_ints(2, std::size_t(neq) + 1, addr)) return 0;
    bool ok = addr[0] == 0;
    // A column of height 0 is left to the solver, which names its equation.
    for (int j = 1; ok && j <= neq; ++j) ok = addr[j] >= addr[j - 1] && addr[j] - addr[j - 1] <= j;
    if (!ok) {
        free_col();
        tell_error(kFailure, "Read error in freedom file !");
        return 0;
    }
    col_loaded_ = true;
    return 1;
}

int freedom_file::read_block() {
    if (JS_ERROR_CODE || !ok_) return 0;
    if (block_loaded_ || node_num <= 0) return 1;
    if (!read_ints(3, std::size_t(block_num) + 1, blockend)) return 0;
    bool ok = blockend[0] == 0 && blockend[std::size_t(block_num)] == neq;
    for (int b = 1; ok && b <= block_num; ++b) ok = blockend[b] >= blockend[b - 1];
    if (!ok) {
        free_block();
        tell_error(kFailure, "Read error in freedom file !");
        return 0;
    }
    block_loaded_ = true;
    return 1;
}

void freedom_file::free_id() {
    for (auto& f : id) f = {};
    id_loaded_ = false;
}
void freedom_file::free_col() {
    addr = {};
    col_loaded_ = false;
}
void freedom_file::free_block() {
    blockend = {};
    block_loaded_ = false;
}

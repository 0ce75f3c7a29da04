// The elastic-soil stage: the soil flexibility of every pair of mesh nodes into
// block files, factorised, and inverted in chunks into the soil stiffness.
#include "fem/yxy_soil.h"

#include "base/error.h"
#include "fem/base_geometry.h"
#include "fem/binio.h"
#include "fem/equ_solver.h"
#include "fem/fem_alloc.h"
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/soil_column.h"
#include "fem/workfile.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

using kv::err::kFailure;
using kv::err::kNotice;
namespace bin = kv::fem::bin;

// The soil matrix's layout and what both flexibility passes need.
struct SoilMatrix {
    int n = 0, nb = 0, block_size = 0;
    std::vector<std::int32_t> A, E, first, q, k;
    const float* x = nullptr;
    const float* y = nullptr;
    const float* area = nullptr;
    float base = 0.0f;
};

bool WriteBlock(std::FILE* f, const std::vector<double>& block, int p, const char* name) {
    if (bin::seek(f, off_t(p - 1) * off_t(block.size()) * 8) && bin::put_f64s(f, block.data(), block.size()))
        return true;
    tell_error1(kFailure, "不能写文件 : %s", name);
    return false;
}

// One pass over the blocks. upper: row i of F against the block's columns j ≥ i
// (node i's column read once per row); lower: storage column i of the block
// against the rows j ≤ i (node i's column read once per storage column). Either
// way F(i, j) is computed in node i's column.
bool FillFlexibility(const SoilMatrix& m, const sf_coef_table& table, soilnode_file& soil, std::FILE* file,
                     const char* name, bool upper, std::vector<double>& block) {
    soil_date_xy column;
    for (int p = 1; p <= m.nb; ++p) {
        tell_error1(kNotice, "Integerate Complete : %d %%", p * 100 / m.nb);
        std::fill(block.begin(), block.end(), 0.0);
        const int from = upper ? m.q[std::size_t(p)] : m.E[std::size_t(p - 1)] + 1;
        const int to = m.E[std::size_t(p)];
        const std::int32_t origin = m.A[std::size_t(m.E[std::size_t(p - 1)])];
        for (int i = from; i <= to; ++i) {
            if (!soil.read_node(i - 1, &column, m.base) || JS_ERROR_CODE) return false;
            const float xi = m.x[i - 1], yi = m.y[i - 1];
            const int j0 = upper ? std::max(i, m.E[std::size_t(p - 1)] + 1) : m.q[std::size_t(p)];
            const int j1 = upper ? to : i;
            for (int j = j0; j <= j1; ++j) {
                const int col = upper ? j : i, row = upper ? i : j;
                if (row < m.first[std::size_t(col)]) continue;
                const float f = table.cal_soil_softness(m.area[j - 1], &column, xi, yi, m.x[j - 1], m.y[j - 1]);
                block[std::size_t(m.A[std::size_t(col)] - col + row - 1 - origin)] = f;
            }
            soil.free_node(&column);
        }
        if (!WriteBlock(file, block, p, name)) return false;
    }
    return true;
}

}  // namespace

int YXY_SOIL::soil_block(int n, int block_size, int* nb, std::vector<std::int32_t>* A,
                         std::vector<std::int32_t>* E) {
    *nb = 0;
    if (!kv::fem::Allocate(*A, std::size_t(n) + 1)) {
        tell_error(kFailure, "Out of Memery in soil_block");
        return 0;
    }
    if (!kv::fem::Allocate(*E, 1)) {
        tell_error(kFailure, "Out of Memery in soil_blosk");
        return 0;
    }
    for (int j = 1; j <= n; ++j) (*A)[std::size_t(j)] = (*A)[std::size_t(j - 1)] + j;
    std::int32_t a = 0;
    for (int j = 1; j <= n; ++j)
        if ((*A)[std::size_t(j)] - a > block_size) {
            E->push_back(j - 1);
            a = (*A)[std::size_t(j - 1)];
        }
    if (n > 0) E->push_back(n);
    *nb = static_cast<int>(E->size()) - 1;
    return 1;
}

void YXY_SOIL::main_soil() {
    if (JS_ERROR_CODE) return;
    chunk_ = 0;
    // The stiffness is written in place: a stage that stops leaves no file that
    // could pass for it, neither its own part nor an earlier run's.
    std::remove("FDSTF.FB");
    run();
    if (JS_ERROR_CODE) std::remove("FDSTF.FB");
}

void YXY_SOIL::run() {
    tell_error(kNotice, "    1)  Node_area()");
    area_ = cal_area();
    if (JS_ERROR_CODE) return;
    tell_error(kNotice, "    2)  Cal_elevation()");
    SoilMatrix m;
    m.base = cal_elev();
    if (JS_ERROR_CODE) return;
    tell_error1(kNotice, "Base_elevation=%.2f", m.base);

    {
        std::unique_ptr<freedom_file> fr = kv::fem::MakeObject<freedom_file>("FREEDOM.FB");
        if (!fr) {
            tell_error(kFailure, "Out of Memery in main");
            return;
        }
        if (JS_ERROR_CODE) return;
        m.block_size = fr->block_size;
    }
    std::unique_ptr<net_dat_file> dat = kv::fem::MakeObject<net_dat_file>("NET_DAT.FB");
    if (!dat) {
        tell_error(kFailure, "Out of Memery in main");
        return;
    }
    if (JS_ERROR_CODE || !dat->read_node()) return;
    m.n = dat->node_num;
    if (m.n <= 0) return;  // no node: no soil to couple
    if (area_.size() != std::size_t(m.n) || m.block_size < m.n) {
        tell_error(kFailure, "Node area error in main_soil");
        return;
    }
    m.x = dat->x.data();
    m.y = dat->y.data();
    m.area = area_.data();
    std::unique_ptr<soilnode_file> soil = kv::fem::MakeObject<soilnode_file>("SOILNODE.FB");
    if (!soil) {
        tell_error(kFailure, "Out of Memery in main");
        return;
    }
    if (JS_ERROR_CODE) return;

    tell_error(kNotice, "    4)  Soil_block()");
    if (!soil_block(m.n, m.block_size, &m.nb, &m.A, &m.E)) return;
    std::vector<double> block;
    if (!kv::fem::Allocate(block, std::size_t(m.block_size))) {
        tell_error(kFailure, "Out of Memery in main");
        return;
    }
    equ_solver solver;
    if (!solver.cal_block_first(m.nb, m.n, m.block_size, m.E.data(), m.A.data(), m.first, m.q, m.k)) return;

    kv::fem::WorkFile upper, lower;
    tell_error(kNotice, "    5)  Softness matrix_1 ...");
    if (!upper.open("FDSOF1.FB", "wb+") ||
        !FillFlexibility(m, table_, *soil, upper.get(), "FDSOF1.FB", true, block))
        return;
    tell_error(kNotice, "    6)  Softness matrix_2 ...");
    if (!lower.open("FDSOF2.FB", "wb+") ||
        !FillFlexibility(m, table_, *soil, lower.get(), "FDSOF2.FB", false, block))
        return;
    soil.reset();
    block = {};
    area_ = {};
    const int n = m.n;
    dat.reset();

    kv::fem::WorkFile stiff;
    if (!stiff.open("FDSTF.FB", "wb+")) return;
    std::vector<double> pivots;
    if (!kv::fem::Allocate(pivots, std::size_t(n) + 1)) {
        tell_error(kFailure, "Out of memery in main");
        return;
    }
    tell_error(kNotice, "    7)  Triagular Softness matrix ...");
    if (!solver.tri_not_symmetri(upper.get(), lower.get(), m.nb, n, m.block_size, m.E.data(), m.A.data(),
                                 pivots.data()))
        return;

    // The widest chunk the budget allows; halved while memory cannot be had.
    int d = static_cast<int>(std::min<std::size_t>(std::size_t(n), std::max<std::size_t>(1, budget_ / (8 * std::size_t(n)))));
    std::vector<double> chunk;
    while (d >= 1 && !kv::fem::Allocate(chunk, std::size_t(n) * std::size_t(d))) d /= 2;
    if (d < 1) {
        tell_error(kFailure, "Out of memery in main");
        return;
    }
    chunk_ = d;
    tell_error(kNotice, "    8)  Calculate Stiffness matrix ...");
    const int chunks = (n + d - 1) / d;
    for (int c = 0; c < chunks; ++c) {
        const int width = c + 1 < chunks ? d : n - (chunks - 1) * d;
        std::fill(chunk.begin(), chunk.end(), 0.0);
        for (int t = 0; t < width; ++t) chunk[std::size_t(t) * n + std::size_t(c) * d + t] = 1.0;
        if (!solver.Back_not_symmetri(upper.get(), lower.get(), m.nb, n, m.block_size, m.E.data(), m.A.data(),
                                      pivots.data(), width, chunk.data()))
            return;
        if (!bin::seek(stiff.get(), off_t(c) * d * n * 8) ||
            !bin::put_f64s(stiff.get(), chunk.data(), std::size_t(width) * n)) {
            tell_error(kFailure, "不能写文件 : FDSTF.FB");
            return;
        }
    }
    if (!upper.commit() || !lower.commit() || !stiff.commit()) tell_error(kFailure, "不能写文件 : FDSTF.FB");
}

// The plastic base-reaction iteration and the dense soil flexibility.
#include "fem/yxy_iter.h"

#include "base/error.h"
#include "fem/base_geometry.h"
#include "fem/binio.h"
#include "fem/equ_solver.h"
#include "fem/fem_alloc.h"
#include "fem/freedom.h"
#include "fem/mesh_files.h"
#include "fem/soil_column.h"
#include "fem/workfile.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

using kv::err::kFailure;
using kv::err::kNotice;
namespace bin = kv::fem::bin;

constexpr int kMaxIterations = 20;
constexpr float kTolerance = 1.0f;  // %

// Standard input that is not a terminal and has something to give now (a value,
// or its end): a pipe or a file. An idle pipe or a console is never waited on.
bool InputWaiting() {
    if (::isatty(STDIN_FILENO)) return false;
    pollfd p{STDIN_FILENO, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLIN | POLLHUP)) != 0;
}

bool ReadCase(std::FILE* f, int g, int neq, double* u) {
    if (bin::seek(f, off_t(g) * neq * 8) && bin::get_f64s(f, u, std::size_t(neq))) return true;
    tell_error(kFailure, "Read file error in LOAD_V.FB");
    return false;
}

}  // namespace

void YXY_ITER::ask_limit() {
    tell_error(kv::err::kProgress, "Please input Max_plastic_react_force: (KN/m^2) ");
    if (!InputWaiting()) return;
    float value = 0.0f;
    if (std::scanf("%f", &value) == 1) limit_ = value;
}

void YXY_ITER::init_force(float* R, const double* f, int n) {
    float A = 0, xc = 0, yc = 0, Ix = 0, Iy = 0, W = 0, Mx = 0, My = 0;
    cal_centriod_base(&A, &xc, &yc, &Ix, &Iy, area.data());
    if (JS_ERROR_CODE) return;
    init_react_force(A, xc, yc, &W, &Mx, &My, f);
    if (JS_ERROR_CODE) return;
    std::unique_ptr<net_dat_file> dat = kv::fem::MakeObject<net_dat_file>("NET_DAT.FB");
    if (!dat) {
        tell_error(kFailure, "Out of Memery in init_force");
        return;
    }
    if (JS_ERROR_CODE || !dat->read_node()) return;
    // A base on one line has no second moment across it: no term there.
    for (int k = 0; k < n; ++k) {
        float p = W / A;
        if (Iy > 0.0f) p += Mx * (dat->x[std::size_t(k)] - xc) / Iy;
        if (Ix > 0.0f) p += My * (dat->y[std::size_t(k)] - yc) / Ix;
        R[k] = -area[std::size_t(k)] * p;
    }
}

void YXY_ITER::cal_soil_softness_matrix(int n, const net_dat_file& nodes) {
    if (JS_ERROR_CODE) return;
    kv::fem::WorkFile out;
    if (!out.open("FDSOF1.FB", "wb")) return;
    std::unique_ptr<soilnode_file> soil = kv::fem::MakeObject<soilnode_file>("SOILNODE.FB");
    if (!soil) {
        tell_error(kFailure, "Out of Memery in main");
        return;
    }
    if (JS_ERROR_CODE) return;
    std::vector<float> row;
    if (!kv::fem::Allocate(row, std::size_t(n))) {
        tell_error(kFailure, "Out of memery in cal_soil_softness_matrix");
        return;
    }
    soil_date_xy column;
    for (int s = 0; s < n; ++s) {
        tell_error1(kNotice, "Calculate Defor Complete : %.2f %%", (s + 1) * 100.0 / n);
        if (!soil->read_node(s, &column, base) || JS_ERROR_CODE) {
            tell_error(kv::err::kWarning, "Read soil.fb error in main");
            return;
        }
        const float xs = nodes.x[std::size_t(s)], ys = nodes.y[std::size_t(s)];
        for (int j = 0; j < n; ++j)
            row[std::size_t(j)] = table_.cal_soil_softness(area[std::size_t(j)], &column, xs, ys,
                                                           nodes.x[std::size_t(j)], nodes.y[std::size_t(j)]);
        soil->free_node(&column);
        if (!bin::put_f32s(out.get(), row.data(), row.size())) {
            tell_error(kFailure, "不能写文件 : FDSOF1.FB");
            return;
        }
    }
    if (!out.commit()) tell_error(kFailure, "不能写文件 : FDSOF1.FB");
}

void YXY_ITER::cal_soil_defor(float* k, const float* R, int n) {
    if (JS_ERROR_CODE) return;
    kv::fem::WorkFile in;
    if (!in.open("FDSOF1.FB", "rb")) return;
    std::vector<float> row;
    if (!kv::fem::Allocate(row, std::size_t(n))) {
        tell_error(kFailure, "Out of memery in cal_soil_softness_matrix");
        return;
    }
    for (int i = 0; i < n; ++i) {
        if (!bin::seek(in.get(), off_t(i) * n * 4) || !bin::get_f32s(in.get(), row.data(), row.size())) {
            tell_error(kFailure, "Read file error in FDSOF1.FB");
            return;
        }
        float w = 0.0f;
        for (int j = 0; j < n; ++j) w += row[std::size_t(j)] * R[j];
        if (std::fabs(w) < 1e-20f) w = 1e-20f;
        k[i] = R[i] / w;
    }
}

void YXY_ITER::add_diag_w(int p, double* a, const float* k, const std::int32_t* addr, const std::int32_t* blockend) {
    const std::int32_t origin = addr[blockend[p - 1]];
    for (int i = blockend[p - 1] + 1; i <= blockend[p]; ++i)
        if ((i - 1) % 3 == 0) a[addr[i] - origin - 1] += k[(i - 1) / 3];
}

void YXY_ITER::cal_react_limit(float* R, const double* u, const float* k, int n) {
    for (int i = 0; i < n; ++i) {
        float r = static_cast<float>(-u[3 * std::size_t(i)]) * k[i];
        const float most = limit_ * area[std::size_t(i)];
        if (r < 0.0f) r = 0.0f;
        if (r > most) r = most;
        R[i] = r;
    }
}

float YXY_ITER::cal_tol(const float* a, const float* b, int n) {
    double d = 0, s = 0;
    for (int i = 0; i < n; ++i) d += std::fabs(a[i] - b[i]), s += std::fabs(a[i]);
    return s > 0 ? static_cast<float>(d / s * 100.0) : (d > 0 ? 100.0f : 0.0f);
}

float YXY_ITER::cal_tol_d(const double* a, const double* b, int n) {
    double d = 0, s = 0;
    for (int i = 0; i < n; ++i) d += std::fabs(a[i] - b[i]), s += std::fabs(a[i]);
    return s > 0 ? static_cast<float>(d / s * 100.0) : (d > 0 ? 100.0f : 0.0f);
}

int YXY_ITER::iter_equation(std::FILE* stiff, int blocks, int neq, int block_size, const std::int32_t* blockend,
                            const std::int32_t* addr, double* pivots, double* u, const float* k,
                            const float* k_fact, double* u_prev) {
    std::vector<double> x;
    if (!kv::fem::Allocate(x, std::size_t(neq))) {
        tell_error(kFailure, "Out of memery in iter_equation");
        return 0;
    }
    equ_solver solver;
    for (int i = 0; i < kMaxIterations; ++i) {
        for (int b = 0; b < neq; ++b)
            x[std::size_t(b)] = b % 3 ? u[b] : u[b] - double(k[b / 3] - k_fact[b / 3]) * u_prev[b];
        if (!solver.Back_symmetri(stiff, blocks, neq, block_size, blockend, addr, pivots, 1, x.data())) return 0;
        const float t = cal_tol_d(x.data(), u_prev, neq);
        tell_error1(kNotice, " ------------ Time :   %ld,  Tol= %.2f\n", long(i + 1), t);
        if (t < kTolerance) break;
        std::copy(x.begin(), x.end(), u_prev);
    }
    std::copy(x.begin(), x.end(), u);
    return 1;
}

void YXY_ITER::prepare_softness() {
    if (JS_ERROR_CODE) return;
    area = cal_area();
    if (JS_ERROR_CODE) return;
    tell_error(kNotice, "Cal_elevation()");
    base = cal_elev();
    if (JS_ERROR_CODE) return;
    tell_error1(kNotice, "Base_elevation=%.2f", base);
    std::unique_ptr<net_dat_file> dat = kv::fem::MakeObject<net_dat_file>("NET_DAT.FB");
    if (!dat) {
        tell_error(kFailure, "Out of Memery in main");
        return;
    }
    if (JS_ERROR_CODE || !dat->read_node()) return;
    tell_error(kNotice, "Cal_soil_softness_matrix()");
    cal_soil_softness_matrix(dat->node_num, *dat);
}

void YXY_ITER::main_iter(int c) {
    if (JS_ERROR_CODE) return;
    ask_limit();
    run(c);
    area = {};
}

void YXY_ITER::run(int c) {
    tell_error(kNotice, "Node_area()");
    area = cal_area();
    if (JS_ERROR_CODE) return;
    tell_error(kNotice, "Cal_elevation()");
    base = cal_elev();
    if (JS_ERROR_CODE) return;
    tell_error1(kNotice, "Base_elevation=%.2f", base);
    int n = 0, cases = 0;
    {
        std::unique_ptr<net_dat_file> dat = kv::fem::MakeObject<net_dat_file>("NET_DAT.FB");
        if (!dat) {
            tell_error(kFailure, "Out of Memery in main");
            return;
        }
        if (JS_ERROR_CODE || !dat->read_node()) return;
        n = dat->node_num;
        cases = dat->case_num;
        if (area.size() != std::size_t(n)) {
            tell_error(kFailure, "Node area error in main_iter");
            return;
        }
        tell_error(kNotice, "Cal_soil_softness_matrix()");
        cal_soil_softness_matrix(n, *dat);
        if (JS_ERROR_CODE) return;
    }
    std::unique_ptr<freedom_file> fr = kv::fem::MakeObject<freedom_file>("FREEDOM.FB");
    if (!fr) {
        tell_error(kFailure, "Out of Memery in main");
        return;
    }
    if (JS_ERROR_CODE || !fr->read_col() || !fr->read_block()) return;
    const int nb = fr->block_num, neq = fr->neq, bs = fr->block_size;
    if (neq != 3 * n) {
        tell_error(kFailure, "Freedom error in main_iter");
        return;
    }
    const std::int32_t* A = fr->addr.data();
    const std::int32_t* E = fr->blockend.data();

    kv::fem::WorkFile stiff1, stiff2, loads, react;
    if (!stiff1.open("STIFF1.FB", "rb") || !stiff2.open("STIFF2.FB", "wb+") || !loads.open("LOAD_V.FB", "rb+") ||
        !react.open("FDSTF.FB", "wb+"))
        return;
    std::vector<double> u, u_prev, pivots;
    std::vector<float> k, k_fact, R, R_prev;
    for (bool ok : {kv::fem::Allocate(u, std::size_t(neq)), kv::fem::Allocate(u_prev, std::size_t(neq)),
                    kv::fem::Allocate(pivots, std::size_t(neq) + 1), kv::fem::Allocate(k, std::size_t(n)),
                    kv::fem::Allocate(k_fact, std::size_t(n)), kv::fem::Allocate(R, std::size_t(n)),
                    kv::fem::Allocate(R_prev, std::size_t(n))})
        if (!ok) {
            tell_error(kFailure, "Out of memery in main");
            return;
        }
    equ_solver solver;
    // Any c but 1 factorises in the first iteration of a case only.
    const bool every_time = c == 1;
    for (int g = 0; g < cases; ++g) {
        tell_error1(-2, "正在计算第 %d 种荷载组合...", g + 1);
        if (!ReadCase(loads.get(), g, neq, u.data())) return;
        tell_error1(kNotice, "================= Load case : %d =================", g + 1);
        init_force(R.data(), u.data(), n);
        if (JS_ERROR_CODE) return;
        float previous = 1000.0f, t = 0.0f;
        bool converged = false;
        for (int h = 0; h < kMaxIterations; ++h) {
            tell_error1(kNotice, "Iteration time : %d", h + 1);
            cal_soil_defor(k.data(), R.data(), n);
            if (JS_ERROR_CODE) return;
            R_prev = R;
            if (every_time || h == 0) {
                std::vector<double> block;
                if (!kv::fem::Allocate(block, std::size_t(bs))) {
                    tell_error(kFailure, "Out of memery in main");
                    return;
                }
                for (int p = 1; p <= nb; ++p) {
                    const off_t at = off_t(p - 1) * bs * 8;
                    if (!bin::seek(stiff1.get(), at) || !bin::get_f64s(stiff1.get(), block.data(), block.size())) {
                        tell_error(kFailure, "Read file error in STIFF1.FB");
                        return;
                    }
                    add_diag_w(p, block.data(), k.data(), A, E);
                    if (!bin::seek(stiff2.get(), at) || !bin::put_f64s(stiff2.get(), block.data(), block.size())) {
                        tell_error(kFailure, "Write file error in STIFF2.FB");
                        return;
                    }
                }
                k_fact = k;
                if (!solver.tri_symmetri(stiff2.get(), nb, neq, bs, E, A, pivots.data())) return;
                if (!ReadCase(loads.get(), g, neq, u.data())) return;
                if (!solver.Back_symmetri(stiff2.get(), nb, neq, bs, E, A, pivots.data(), 1, u.data())) return;
            } else {
                if (!ReadCase(loads.get(), g, neq, u.data())) return;
                if (!iter_equation(stiff2.get(), nb, neq, bs, E, A, pivots.data(), u.data(), k.data(),
                                   k_fact.data(), u_prev.data()))
                    return;
            }
            u_prev = u;
            cal_react_limit(R.data(), u.data(), k.data(), n);
            t = cal_tol(R.data(), R_prev.data(), n);
            tell_error1(kNotice, "    Time :   %ld,  Tol= %.2f\n", long(h + 1), t);
            tell_error1(-2, "    Time :   %ld,  Tol= %.2f\n", long(h + 1), t);
            if (t < kTolerance) {
                converged = true;
                break;
            }
            if (t > previous) break;
            previous = t;
        }
        if (!converged) {
            tell_error1(kv::err::kDataError,
                        "工况%d迭代法达不到预定的收敛精度 :%.2f %%\n实际基底反力误差为 %.2f %%, 请用直接法计算 !", g + 1,
                        double(kTolerance), double(t));
            return;
        }
        if (!bin::seek(loads.get(), off_t(g) * neq * 8) || !bin::put_f64s(loads.get(), u.data(), u.size()) ||
            !bin::seek(react.get(), off_t(g) * n * 4) || !bin::put_f32s(react.get(), R.data(), R.size())) {
            tell_error(kFailure, "Write file error in FDSTF.FB");
            return;
        }
    }
    if (!loads.commit() || !stiff2.commit() || !react.commit()) tell_error(kFailure, "Write file error in FDSTF.FB");
}

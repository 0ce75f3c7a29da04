#include "fem/yxy.h"

#include "base/error.h"

YXY::YXY() = default;
YXY::~YXY() = default;

YXY& YXY::operator=(const YXY& other) {
    net.acad_flag = other.net.acad_flag;
    return *this;
}

void YXY::set_acad_flag(int flag) { net.acad_flag = flag; }

void YXY::main_yxy(int type, float divide, int block, int c) {
    if (JS_ERROR_CODE) return;
    switch (type) {
    case -1:
    case 0:
    case 2:
    case 4:
        run_plain(type, divide, block);
        break;
    case 1:
        run_elastic_soil(divide, block);
        break;
    case 3:
        run_plastic_soil(divide, block, c);
        break;
    default:
        break;  // no such analysis: nothing runs
    }
}

// Point restraints, supports and springs: no soil, symmetric matrix (form 2).
void YXY::run_plain(int type, float divide, int block) {
    constexpr int kSymmetric = 2, kMatrixAndLoads = 3;
    net.main_net(type, divide, block);
    if (JS_ERROR_CODE) return;
    stiff.main_stiff(kSymmetric, kMatrixAndLoads);
    if (JS_ERROR_CODE) return;
    equ.main_equ(kSymmetric, kMatrixAndLoads);
    if (JS_ERROR_CODE) return;
    out.main_out(kSymmetric, kMatrixAndLoads);
    if (JS_ERROR_CODE) return;
    see.main_see(0);
}

// Elastic layered soil: the soil stiffness couples every w, the matrix is unsymmetric (form 1).
void YXY::run_elastic_soil(float divide, int block) {
    constexpr int kUnsymmetric = 1, kMatrixAndLoads = 3;
    net.main_net(1, divide, block);
    if (JS_ERROR_CODE) return;
    soil.main_soil();
    if (JS_ERROR_CODE) return;
    stiff.main_stiff(kUnsymmetric, kMatrixAndLoads);
    if (JS_ERROR_CODE) return;
    equ.main_equ(kUnsymmetric, kMatrixAndLoads);
    if (JS_ERROR_CODE) return;
    out.main_out(kUnsymmetric, kMatrixAndLoads);
    if (JS_ERROR_CODE) return;
    see.main_see(1);
    if (JS_ERROR_CODE) return;
    iter.prepare_softness();
}

// Soil springs iterated with the no-tension and plastic cut: the iteration
// factorises and solves in place of the solution stage (form 3).
void YXY::run_plastic_soil(float divide, int block, int c) {
    constexpr int kPlastic = 3, kMatrixAndLoads = 3;
    net.main_net(3, divide, block);
    if (JS_ERROR_CODE) return;
    stiff.main_stiff(kPlastic, kMatrixAndLoads);
    if (JS_ERROR_CODE) return;
    iter.main_iter(c);
    if (JS_ERROR_CODE) return;
    out.main_out(kPlastic, kMatrixAndLoads);
    if (JS_ERROR_CODE) return;
    see.main_see(1);
}

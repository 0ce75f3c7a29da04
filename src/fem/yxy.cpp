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
    (void)c;  // read only by the plastic iteration of type 3
    if (JS_ERROR_CODE) return;
    switch (type) {
    case -1:
    case 0:
    case 2:
    case 4:
        run_plain(type, divide, block);
        break;
    case 1:
    case 3:
        // The soil stages are not built: refuse before any file is written rather
        // than leave results of a model without its soil.
        tell_error1(kv::err::kFailure, "有限元分析类型 %d 需要地基土计算, 本程序尚不能计算 !", type);
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

// The mesh stage as a whole: the divide length, then the beam division, the
// plate meshing, the renumbering, the element data file and the freedoms.
#include <cmath>
#include <memory>
#include <new>

#include "base/error.h"
#include "fem/fem_alloc.h"
#include "fem/freedom.h"
#include "fem/struc_ld_file.h"
#include "fem/yxy_net.h"

using kv::err::kFailure;

namespace {
constexpr int kHeadline = -2;

// Every node of the structure file at a finite place; false (told) at the first
// that is not. A point at no place has no mesh, and an infinite one would be
// meshed into elements of no size without complaint.
bool NodesArePlaced() {
    struc_ld_file file("STRUC_LD.FB");
    if (JS_ERROR_CODE || !file.read_node()) return false;
    for (int i = 0; i < file.node_num; ++i)
        if (!std::isfinite(file.x[i]) || !std::isfinite(file.y[i])) {
            tell_error1(kFailure, "第 %d 号结点的坐标不是有效数值 !", i + 1);
            return false;
        }
    return true;
}
}  // namespace

void YXY_NET::main_net(int analysis_type, float divide, int block) {
    type = analysis_type;
    if (type < -1 || type > 4) {
        tell_error(kFailure, "有限元分析类型错误 !");
        return;
    }
    block_size = block;
    // 0 asks for the suggested length; a negative or endless one meshes nothing sensible.
    if (!(divide >= 0) || !std::isfinite(divide)) {
        tell_error(kFailure, "网格剖分长度错误 !");
        return;
    }
    if (!NodesArePlaced()) return;
    tell_error(kHeadline, "正在计算网格剖分建议长度....");
    if (divide == 0) {
        const int n = type == -1 ? 12 : 6;
        suggested_length = cal_length();
        if (JS_ERROR_CODE) return;
        divide_length = suggested_length / n - 1.0e-7f;
        if (divide_length < 0.5f) divide_length = 0.5f;
        if (type == 3 && divide_length < 1.5f) divide_length = 1.5f;
    } else {
        divide_length = divide - 1.0e-7f;
    }
    tell_error1(10, " Divide_length = %f", divide_length);

    bool table = !kv::fem::AllocationFailsNow();
    if (table) {
        try {
            new_point_table();
        } catch (const std::bad_alloc&) {
            table = false;
        }
    }
    if (!table) {
        tell_error(kFailure, "Out of memery in main !");
        return;
    }

    tell_error(kHeadline, "正在做梁剖分....");
    beam_point();
    if (JS_ERROR_CODE) return;
    tell_error(kHeadline, "正在做板剖分....");
    plate_point();
    if (JS_ERROR_CODE) return;
    tell_error(kHeadline, "正在做带宽优化....");
    bandwidth();
    if (JS_ERROR_CODE) return;
    tell_error(kHeadline, "正在形成有限元计算数据文件....");
    form_date_file();
    if (JS_ERROR_CODE) return;
    if (type == 1 || type == 3) {
        // The soil analyses take the nearest soil column to every mesh node.
        tell_error(0, "    0)  Cal_soil_infor_node()");
        cal_soil_infer_node();
        if (JS_ERROR_CODE) return;
    }

    tell_error(kHeadline, "正在形成自由度信息文件....");
    std::unique_ptr<freedom_num> step;
    if (!kv::fem::AllocationFailsNow()) {
        try {
            step = std::make_unique<freedom_num>(type, block_size);
        } catch (const std::bad_alloc&) {
        }
    }
    if (!step) {
        tell_error(kFailure, "内存不够");
        return;
    }
    freedom = step.get();
    step->form_freedom_file();
    freedom = nullptr;
    step.reset();
    if (!JS_ERROR_CODE && acad_flag) acad_check();
}

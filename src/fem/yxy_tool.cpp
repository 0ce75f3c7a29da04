#include "fem/yxy_tool.h"

#include <cstdlib>

#include "base/error.h"
#include "fem/fem_alloc.h"
#include "fem/struc_ld_file.h"

// Defined here rather than defaulted in the class, so that the library exports
// them under their names.
YXY_TOOL::YXY_TOOL() = default;
YXY_TOOL::~YXY_TOOL() = default;
YXY_TOOL& YXY_TOOL::operator=(const YXY_TOOL&) = default;

void YXY_TOOL::form_plate_corner_chain(int plate, struc_ld_file* file, std::vector<float>* xs,
                                       std::vector<float>* ys, int* count) {
    *count = 0;
    if (!file || plate < 0 || static_cast<std::size_t>(plate) >= file->plates.size()) return;
    const plate_rec& p = file->plates[static_cast<std::size_t>(plate)];
    int n = 0;
    for (const plate_edge& e : p.edges) n += static_cast<int>(e.beam.size());
    if (n <= 0) {
        tell_error(kv::err::kDataError, "计算中发现板边点数为零 !");
        n = 1;
    }
    for (std::vector<float>* v : {xs, ys})
        if (!kv::fem::Allocate(*v, static_cast<std::size_t>(n))) {
            tell_error(kv::err::kFailure, "Out of memery in cal_A_Wx_Wy");
            return;
        }
    std::size_t k = 0;
    for (const plate_edge& e : p.edges)
        for (std::int32_t r : e.beam) {
            // The reader refuses a boundary through a beam or node it lacks.
            const std::size_t beam = static_cast<std::size_t>(std::abs(r)) - 1;
            const int node = r == 0 || beam >= file->beams.size() ? -1
                             : r > 0                              ? file->beams[beam].node_s
                                                                  : file->beams[beam].node_e;
            if (node >= 0 && static_cast<std::size_t>(node) < file->x.size()) {
                (*xs)[k] = file->x[static_cast<std::size_t>(node)];
                (*ys)[k] = file->y[static_cast<std::size_t>(node)];
            }
            ++k;
        }
    *count = n;
}

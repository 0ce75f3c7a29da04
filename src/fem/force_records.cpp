#include "fem/force_records.h"

#include "base/error.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"

#include <array>

namespace {

using kv::err::kFailure;
namespace bin = kv::fem::bin;

// The eight edge arrays in file order within an edge.
template <typename Record>
auto EdgeArrays(Record& r) {
    return std::array{&r.x, &r.y, &r.Mv_l, &r.Mp_l, &r.Mv_m, &r.Mp_m, &r.Mv_r, &r.Mp_r};
}

}  // namespace

int plate_force::palte_force_read() {
    if (bbs <= 0) {
        tell_error(kFailure, "bbs error in plate_force read");
        return 0;
    }
    for (std::vector<float>* a : EdgeArrays(*this)) {
        if (!kv::fem::Allocate(*a, static_cast<std::size_t>(bbs))) {
            free();
            tell_error(kFailure, "Out of memery in palte_force_read");
            return 0;
        }
    }
    return 1;
}

int plate_force::read(std::FILE* f) {
    free();
    plate_force_head head{};
    if (!bin::get_words(f, &head, 3)) {
        tell_error(kFailure, "Read file error in plate_force");
        return 0;
    }
    Plate = head.Plate;
    bbs = head.bbs;
    value = head.value;
    // A count that a damaged file overstates takes no memory it cannot fill.
    if (bbs > 0 && !bin::fits(f, bbs, sizeof(plate_force_edge))) {
        tell_error(kFailure, "Read file error in plate_force");
        return 0;
    }
    if (!palte_force_read()) return 0;
    const auto arrays = EdgeArrays(*this);
    for (int i = 0; i < bbs; ++i) {
        float edge[8];
        if (!bin::get_f32s(f, edge, 8)) {
            tell_error(kFailure, "Read file error in plate_force");
            return 0;
        }
        for (int k = 0; k < 8; ++k) (*arrays[k])[i] = edge[k];
    }
    float tail[5];
    if (!bin::get_f32s(f, tail, 5)) {
        tell_error(kFailure, "Read file error in plate_force");
        return 0;
    }
    Mxx = tail[0], Myy = tail[1], Mxx_1 = tail[2], Myy_1 = tail[3], Angle = tail[4];
    return 1;
}

int plate_force::write(std::FILE* f) const {
    const plate_force_head head{Plate, bbs, value};
    bool ok = bbs > 0 && bin::put_words(f, &head, 3);
    const auto arrays = EdgeArrays(*this);
    for (const auto* a : arrays) ok = ok && a->size() >= static_cast<std::size_t>(bbs);
    for (int i = 0; i < bbs && ok; ++i) {
        float edge[8];
        for (int k = 0; k < 8; ++k) edge[k] = (*arrays[k])[i];
        ok = bin::put_f32s(f, edge, 8);
    }
    const float tail[5] = {Mxx, Myy, Mxx_1, Myy_1, Angle};
    ok = ok && bin::put_f32s(f, tail, 5);
    if (!ok) tell_error(kFailure, "Write file error in plate_force");
    return ok ? 1 : 0;
}

void plate_force::free() {
    for (std::vector<float>* a : EdgeArrays(*this)) std::vector<float>().swap(*a);
}

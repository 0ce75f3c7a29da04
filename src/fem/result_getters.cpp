// The result getters of the tool object: one beam's, plate's or input node's
// values of one load case from the output stage's summary files.
#include <cstdint>
#include <limits>
#include <vector>

#include "base/error.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"
#include "fem/workfile.h"
#include "fem/yxy_tool.h"

namespace bin = kv::fem::bin;
using kv::err::kFailure;

namespace {

// A summary file opened with its item and case counts read, for one item of one
// case; false (told) when it cannot be read or the indexes lie outside its counts.
class Summary {
public:
    bool open(const char* name, int item, int load_case) {
        name_ = name;
        // A failed open sets the error code; so does an earlier failure.
        if (!file_.open(name, "rb") || JS_ERROR_CODE) return false;
        std::int32_t counts[2] = {};
        if (!bin::get_i32s(file_.get(), counts, 2)) return damaged();
        items_ = counts[0];
        if (item < 0 || item >= counts[0] || load_case < 0 || load_case >= counts[1]) {
            tell_error1(kFailure, "Index error in %s: item %lld of %d, load case %lld of %d", name, item + 1LL,
                        counts[0], load_case + 1LL, counts[1]);
            return false;
        }
        return true;
    }
    std::FILE* get() const { return file_.get(); }
    bool read_at(off_t at, float* v, std::size_t n) {
        return (at >= 0 && bin::seek(file_.get(), at) && bin::get_f32s(file_.get(), v, n)) || damaged();
    }
    // Where entry (item, case) of `bytes` bytes lies after the header; -1 past
    // any file (the counts of a damaged file may be huge).
    off_t entry(int item, int load_case, int bytes) const {
        const long long index = item + static_cast<long long>(load_case) * items_;  // below 2^62
        if (index > (std::numeric_limits<off_t>::max() - 8) / bytes) return -1;
        return 8 + off_t(index) * bytes;
    }
    bool damaged() {
        tell_error1(kFailure, "Read file error in %s", name_);
        return false;
    }

private:
    kv::fem::WorkFile file_;
    const char* name_ = "";
    std::int32_t items_ = 0;
};

void BeamValues(const char* name, int beam, int load_case, float out[3]) {
    Summary s;
    if (!s.open(name, beam, load_case)) return;
    float v[3];
    if (!s.read_at(s.entry(beam, load_case, 12), v, 3)) return;
    for (int k = 0; k < 3; ++k) out[k] = v[k];
}

void PlateValues(const char* name, const char* mismatch, int plate, int load_case, int count, float* out,
                 float* centre) {
    Summary s;
    if (!s.open(name, plate, load_case)) return;
    std::FILE* f = s.get();
    std::int32_t block = 0, n = 0;
    const off_t entry = s.entry(plate, load_case, 4);
    if (entry < 0 || !bin::seek(f, entry) || !bin::get_i32(f, block) ||
        block <= 0 || !bin::seek(f, block) || !bin::get_i32(f, n)) {
        s.damaged();
        return;
    }
    if (n != count) {
        tell_error(kFailure, mismatch);
        return;
    }
    std::vector<float> v;
    if (!bin::fits(f, static_cast<long long>(n) + 1, 4)) {
        s.damaged();
        return;
    }
    if (!kv::fem::Allocate(v, std::size_t(n) + 1)) {
        tell_error1(kFailure, "Out of memery in %s", name);
        return;
    }
    if (!s.read_at(off_t(block) + 4, v.data(), v.size())) return;
    *centre = v[0];
    for (int k = 0; k < n; ++k) out[k] = v[std::size_t(k) + 1];
}

}  // namespace

void YXY_TOOL::Get_Disp_yxy_Liang(int beam, int load_case, float out[3]) {
    BeamValues("W_LIANG.FB", beam, load_case, out);
}

void YXY_TOOL::Get_FL_yxy_Liang(int beam, int load_case, float out[3]) {
    BeamValues("FL_LIANG.FB", beam, load_case, out);
}

void YXY_TOOL::Get_Disp_yxy_Ban(int plate, int load_case, int count, float* out, float* centre) {
    PlateValues("W_BAN.FB", "读文件 W_BAN.FB 时发现对应关系不正确", plate, load_case, count, out, centre);
}

void YXY_TOOL::Get_FL_yxy_Ban(int plate, int load_case, int count, float* out, float* centre) {
    PlateValues("FL_BAN.FB", "读文件 FL_BAN.FB 时发现对应关系不正确", plate, load_case, count, out, centre);
}

float YXY_TOOL::Get_zhu_pin_force(int node, int load_case) {
    Summary s;
    float v = 0;
    if (!s.open("ZHU_PIN.FB", node, load_case) || !s.read_at(s.entry(node, load_case, 4), &v, 1))
        return 0;
    return v;
}

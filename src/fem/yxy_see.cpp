// Text dumps of the first load case for looking at a run: the mesh with one
// value per node ("defor.see": the settlement in mm, positive downward;
// "react.see": the base reaction per unit area).
#include <memory>
#include <vector>

#include "base/error.h"
#include "fem/binio.h"
#include "fem/fem_alloc.h"
#include "fem/mesh_files.h"
#include "fem/workfile.h"
#include "fem/yxy_out.h"

namespace bin = kv::fem::bin;
using kv::err::kFailure;

namespace {

// Case 0 of a node-value file, times `scale`, beside the mesh.
void Dump(const net_dat_file& dat, std::vector<float>& values, const char* source, const char* target, float scale) {
    kv::fem::WorkFile in, out;
    if (!in.open(source, "rb")) return;
    if (!bin::seek(in.get(), 8) || !bin::get_f32s(in.get(), values.data(), values.size())) {
        tell_error1(kFailure, "Read file error in %s", source);
        return;
    }
    if (!out.open(target, "wt")) return;
    std::FILE* f = out.get();
    std::fprintf(f, "%d %d\n", dat.node_num, dat.plate_num);
    for (std::size_t j = 0; j < values.size(); ++j)
        std::fprintf(f, "%12.4e %12.4e %12.4e\n", double(dat.x[j]), double(dat.y[j]), double(values[j] * scale));
    for (const net_plate_ele& t : dat.plates) std::fprintf(f, "%d %d %d\n", t.a + 1, t.b + 1, t.c + 1);
    if (!out.commit()) tell_error1(kFailure, "不能写文件 : %s", target);
}

}  // namespace

void YXY_SEE::main_see(int with_soil) {
    if (JS_ERROR_CODE) return;
    std::unique_ptr<net_dat_file> dat = kv::fem::MakeObject<net_dat_file>("NET_DAT.FB");
    if (!dat) {
        tell_error(kFailure, "Out of Memery in main");
        return;
    }
    if (JS_ERROR_CODE || !dat->read_node() || !dat->read_plate()) return;
    std::vector<float> values;
    if (!kv::fem::Allocate(values, std::size_t(dat->node_num))) {
        tell_error(kFailure, "Out of memery in main");
        return;
    }
    // w is positive upward (the sense of its freedom); a settlement reads positive.
    Dump(*dat, values, "DEFOR.FB", "defor.see", -1000.0f);
    if (with_soil == 1 && !JS_ERROR_CODE) Dump(*dat, values, "REACT.FB", "react.see", 1.0f);
}

// The element data file's inputs: a structure file, a mesh division file and the
// plate material file "BAN_MAT.FB", packed one after another (the first two each
// after its int32 length), from which "NET_DAT.FB" is written and read back.
#include "fuzz_support.h"

#include "base/error.h"
#include "fem/mesh_files.h"
#include "fem/yxy_net.h"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <unistd.h>

namespace {

// The next part of the input: an int32 length and that many bytes (what is left
// when the length runs past the end).
std::string_view TakePart(std::string_view& in) {
    std::uint32_t n = 0;
    if (in.size() < 4) {
        in = {};
        return {};
    }
    std::memcpy(&n, in.data(), 4);
    in.remove_prefix(4);
    std::string_view part = in.substr(0, n);
    in.remove_prefix(part.size());
    return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool here = chdir(kv::fuzz::Folder().c_str()) == 0;
    if (!here) kv::fuzz::Fail("cannot enter the fuzz folder");
    kv::fuzz::ClearFolder();
    std::string_view in(reinterpret_cast<const char*>(data), size);
    kv::fuzz::WriteInput("STRUC_LD.FB", TakePart(in));
    kv::fuzz::WriteInput("NET_PRE.FB", TakePart(in));
    kv::fuzz::WriteInput("BAN_MAT.FB", in);
    JS_ERROR_CODE = 0;
    {
        float E = 0, nu = 0;
        read_ban_mat(&E, &nu);
    }
    JS_ERROR_CODE = 0;
    int nodes = 0;
    {
        net_pre_file pre("NET_PRE.FB");
        nodes = pre.node_num;
    }
    JS_ERROR_CODE = 0;
    if (nodes > 0 && nodes <= YXY_NET::kMaxPoints) {
        YXY_NET net;
        net.acad_flag = 1;
        for (int k = 0; k < nodes; ++k) net.add_point(float(k % 97), float(k / 97));
        net.form_date_file();
        if (!JS_ERROR_CODE) {
            // What was written reads back whole.
            net_dat_file dat("NET_DAT.FB");
            bool ok = !JS_ERROR_CODE && dat.read_node() && dat.read_beam() && dat.read_plate() && dat.read_support();
            for (int c = 0; c < dat.case_num && ok; ++c)
                for (int kind = 1; kind <= 3 && ok; ++kind) ok = dat.read_load(c, kind) == 1;
            if (!ok) kv::fuzz::Fail("NET_DAT.FB written does not read back");
        }
    }
    JS_ERROR_CODE = 0;
    return 0;
}

// The freedom numbering's files: the same bytes as "FREEDOM.FB" through its
// reader (and a layout it accepts through the solver's check of it), and as the
// restraint list "YS.FB" read for a mesh of 64 nodes.
#include "fuzz_support.h"

#include "base/error.h"
#include "fem/equ_solver.h"
#include "fem/freedom.h"

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool here = chdir(kv::fuzz::Folder().c_str()) == 0;
    if (!here) kv::fuzz::Fail("cannot enter the fuzz folder");
    kv::fuzz::ClearFolder();
    kv::fuzz::WriteInput("FREEDOM.FB", data, size);
    kv::fuzz::WriteInput("YS.FB", data, size);
    JS_ERROR_CODE = 0;
    {
        freedom_file file("FREEDOM.FB");
        if (file.read_id() && file.read_col() && file.read_block() && !file.addr.empty()) {
            std::vector<std::int32_t> first, q, k;
            equ_solver().cal_block_first(file.block_num, file.neq, file.block_size, file.blockend.data(),
                                         file.addr.data(), first, q, k);
        }
    }
    JS_ERROR_CODE = 0;
    {
        freedom_num step(0, 6000);
        step.node_num = 64;
        for (auto& ids : step.id) ids.assign(64, 0);
        if (step.write_id_plain()) step.number();
    }
    JS_ERROR_CODE = 0;
    return 0;
}

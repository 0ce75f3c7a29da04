// The mesh stage's files as the later stages read them: the same bytes as
// "NET_PRE.FB", "NET_DAT.FB" and "INDEX_P.FB", every section and record.
#include "fuzz_support.h"

#include "base/error.h"
#include "fem/mesh_files.h"

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool here = chdir(kv::fuzz::Folder().c_str()) == 0;
    if (!here) kv::fuzz::Fail("cannot enter the fuzz folder");
    kv::fuzz::ClearFolder();
    kv::fuzz::WriteInput("NET_PRE.FB", data, size);
    kv::fuzz::WriteInput("NET_DAT.FB", data, size);
    kv::fuzz::WriteInput("INDEX_P.FB", data, size);
    JS_ERROR_CODE = 0;
    {
        net_pre_file pre("NET_PRE.FB");
        pre.read_beam_cut();
        pre.read_plate_cut();
        pre.read_index();
    }
    JS_ERROR_CODE = 0;
    {
        int count = 0;
        std::vector<beam_cut_date> beams = read_beam_cut_date(&count);
        free_beam_cut_date(count, beams);
    }
    JS_ERROR_CODE = 0;
    {
        net_dat_file dat("NET_DAT.FB");
        dat.read_node();
        dat.read_beam();
        dat.read_plate();
        dat.read_support();
        for (int c = 0; c < dat.case_num && c < 64 && !JS_ERROR_CODE; ++c)
            for (int kind = 1; kind <= 3; ++kind)
                if (dat.read_load(c, kind)) dat.write_load(c, kind);
    }
    JS_ERROR_CODE = 0;
    {
        index_p_file index("INDEX_P.FB");
        for (int p = 0; p < index.plate_num && p < 64 && !JS_ERROR_CODE; ++p)
            if (index.read_plate(p)) index.print_txt(p);
    }
    JS_ERROR_CODE = 0;
    return 0;
}

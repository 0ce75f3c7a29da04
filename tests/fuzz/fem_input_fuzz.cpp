// The finite-element library's input reader: any text given as the input file
// (and, in mode 3, any factor files) either stops with the error code set or gives a structure and load file and a
// soil file that read back whole.
#include "fuzz_support.h"

#include "base/error.h"
#include "fem/fb_date.h"
#include "fem/struc_ld_file.h"

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool here = chdir(kv::fuzz::Folder().c_str()) == 0;
    if (!here) kv::fuzz::Fail("cannot enter the fuzz folder");
    kv::fuzz::ClearFolder();
    JS_ERROR_CODE = 0;
    kv::fuzz::WriteInput("YXY_JS.DAT", data, size);
    // Mode 3 also reads the width and thickness factors: both files take the
    // input's last bytes (a count and up to sixteen floats).
    const std::size_t tail = size < 68 ? size : 68;
    kv::fuzz::WriteInput("liang_gd.fb", data + size - tail, tail);
    kv::fuzz::WriteInput("ban_gd.fb", data + size - tail, tail);
    for (int mode : {1, 2, 3}) {
        JS_ERROR_CODE = 0;
        FB_DATE reader;
        reader.main_date("YXY_JS.DAT", mode, 0);
        if (JS_ERROR_CODE) continue;
        struc_ld_file file("STRUC_LD.FB");
        if (JS_ERROR_CODE || !file.read_node() || !file.read_beam() || !file.read_plate() || !file.read_support())
            kv::fuzz::Fail("a structure file the reader wrote does not read back");
        for (int c = 0; c < file.case_num; ++c)
            for (int kind = 1; kind <= 3; ++kind)
                if (!file.read_load(c, kind)) kv::fuzz::Fail("loads the reader wrote do not read back");
    }
    JS_ERROR_CODE = 0;
    return 0;
}

// "STRUC_LD.FB" and "SOIL.FB" as the analysis stages read them: every section,
// every case and kind of loads, written back in place; every soil column.
#include "fuzz_support.h"

#include "base/error.h"
#include "fem/binio.h"
#include "fem/soil_data.h"
#include "fem/struc_ld_file.h"
#include "fem/workfile.h"

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool here = chdir(kv::fuzz::Folder().c_str()) == 0;
    if (!here) kv::fuzz::Fail("cannot enter the fuzz folder");
    kv::fuzz::ClearFolder();
    JS_ERROR_CODE = 0;
    kv::fuzz::WriteInput("STRUC_LD.FB", data, size);
    {
        struc_ld_file file("STRUC_LD.FB");
        file.read_node();
        file.read_beam();
        file.read_plate();
        file.read_support();
        for (int c = 0; c < file.case_num && c < 64 && !JS_ERROR_CODE; ++c)
            for (int kind = 1; kind <= 3; ++kind)
                if (file.read_load(c, kind)) file.write_load(c, kind);
        file.write_beam();
    }
    JS_ERROR_CODE = 0;
    // The same bytes as a soil file.
    kv::fuzz::WriteInput("SOIL.FB", data, size);
    kv::fem::WorkFile soil;
    if (soil.open("SOIL.FB", "rb")) {
        std::int32_t n = 0;
        float xy[2];
        kv::fem::bin::get_i32(soil.get(), n);
        for (int i = 0; i < n && !JS_ERROR_CODE; ++i) {
            soil_date_xy column;
            if (!kv::fem::bin::get_f32s(soil.get(), xy, 2) || !column.soil_date_xy_read(soil.get())) break;
        }
    }
    JS_ERROR_CODE = 0;
    return 0;
}

// The frame library's input file ("yxy_js.dat"): the input stage checks it and
// writes the structure file, which must then read back member for member; a
// small frame is analysed too.
#include "fuzz_support.h"

#include "base/error.h"
#include "frame/frame_library.h"
#include "platform/paths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The library works on bare names in the current folder.
    kv::platform::SetCurrentFolder(kv::fuzz::Folder());
    kv::fuzz::ClearFolder();
    JS_ERROR_CODE = 0;
    kv::fuzz::WriteInput("yxy_js.dat", data, size);
    kv::frame::FB_DATE_Frm date;
    if (!date.main_date("YXY_JS.DAT")) {
        if (!JS_ERROR_CODE) kv::fuzz::Fail("a refused input file leaves no error");
        JS_ERROR_CODE = 0;
        return 0;
    }
    kv::frame::struc_ld_file_Frm struc("STRUC_LD.FB");
    if (!struc.read_fixpoint() || !struc.read_beam() || static_cast<int>(struc.m_cBeam.size()) != struc.m_nBeam)
        kv::fuzz::Fail("a structure file written by the input stage does not read back");
    if (struc.m_nNode <= 40 && struc.m_nBeam <= 40) {
        kv::frame::YXY_Frm yxy;
        yxy.m_nArcChords = 8;
        if (yxy.main_yxy()) {
            kv::frame::force_file_Frm force("FORCE.FB");
            if (!force.read_beam(0) || force.m_nBeam != struc.m_nBeam)
                kv::fuzz::Fail("a force file written by the analysis does not read back");
        }
    }
    JS_ERROR_CODE = 0;
    return 0;
}

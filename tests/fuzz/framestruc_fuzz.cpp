// The frame library's structure file ("STRUC_LD.FB"): its reader, and the
// analysis of a small frame read from it.
#include "fuzz_support.h"

#include "base/error.h"
#include "frame/frame_library.h"
#include "platform/paths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The library works on bare names in the current folder.
    kv::platform::SetCurrentFolder(kv::fuzz::Folder());
    kv::fuzz::ClearFolder();
    JS_ERROR_CODE = 0;
    kv::fuzz::WriteInput("struc_ld.fb", data, size);
    kv::frame::struc_ld_file_Frm struc("STRUC_LD.FB");
    int ok = struc.read_fixpoint() && struc.read_beam();
    if (ok != (struc.m_nBeam == static_cast<int>(struc.m_cBeam.size()) && !JS_ERROR_CODE))
        kv::fuzz::Fail("the structure reader's answer and its records disagree");
    if (ok && struc.m_nNode <= 40 && struc.m_nBeam <= 40) {
        kv::frame::YXY_Frm yxy;
        yxy.m_nArcChords = 8;
        yxy.main_yxy();
    }
    JS_ERROR_CODE = 0;
    return 0;
}

// The frame library's force file ("FORCE.FB"): its reader.
#include "fuzz_support.h"

#include "base/error.h"
#include "frame/frame_library.h"
#include "platform/paths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The library works on bare names in the current folder.
    kv::platform::SetCurrentFolder(kv::fuzz::Folder());
    kv::fuzz::ClearFolder();
    JS_ERROR_CODE = 0;
    kv::fuzz::WriteInput("force.fb", data, size);
    kv::frame::force_file_Frm force("FORCE.FB");
    for (int c = 0; c <= force.m_nCase; ++c) {
        int ok = force.read_beam(c);
        if (ok != (c < force.m_nCase)) kv::fuzz::Fail("a load case of the file does not read, or one beyond it does");
        if (ok && static_cast<int>(force.m_cBeam.size()) != force.m_nBeam)
            kv::fuzz::Fail("a load case holds another number of members than the file says");
        force.free_beam();
    }
    JS_ERROR_CODE = 0;
    return 0;
}

// The whole mesh stage run on a damaged "STRUC_LD.FB": beam division, plate
// meshing, renumbering, the element data file and the freedoms. The input's
// length picks the analysis type, so every type meets every input.
#include "fuzz_support.h"

#include "base/error.h"
#include "fem/yxy_net.h"

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool here = chdir(kv::fuzz::Folder().c_str()) == 0;
    if (!here) kv::fuzz::Fail("cannot enter the fuzz folder");
    kv::fuzz::ClearFolder();
    kv::fuzz::WriteInput("STRUC_LD.FB", data, size);
    static constexpr int kTypes[] = {-1, 0, 2, 4};
    JS_ERROR_CODE = 0;
    {
        YXY_NET net;
        net.main_net(kTypes[size % 4], 0.0f, 600);
    }
    JS_ERROR_CODE = 0;
    return 0;
}

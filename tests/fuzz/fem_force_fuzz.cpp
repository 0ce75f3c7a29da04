// The internal-force file of the finite-element library ("FORCE.FB"): its reader,
// every load case's beam and plate blocks and the text dumps.
#include "fuzz_support.h"

#include "base/error.h"
#include "fem/force_file.h"
#include "platform/paths.h"

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::platform::SetCurrentFolder(kv::fuzz::Folder());
    kv::fuzz::ClearFolder();
    JS_ERROR_CODE = 0;
    kv::fuzz::WriteInput("FORCE.FB", data, size);
    {
        force_file force("FORCE.FB");
        const bool opened = JS_ERROR_CODE == 0;
        std::FILE* sink = std::fopen("/dev/null", "w");
        // The cases of the file, and one on either side of them.
        const int last = force.num_case < 16 ? force.num_case : 16;
        for (int c = -1; c <= last; ++c) {
            JS_ERROR_CODE = 0;
            const int beams = force.read_beam(c);
            const bool inside = opened && c >= 0 && c < force.num_case;
            if (beams && force.num_beam > 0 && !inside) kv::fuzz::Fail("beams of a case the file does not hold");
            if (beams && force.beam_loaded && int(force.beam.size()) != force.num_beam)
                kv::fuzz::Fail("a case holds another number of beams than the file says");
            JS_ERROR_CODE = 0;
            const int plates = force.read_plate(c);
            if (plates && force.num_plate > 0 && !inside) kv::fuzz::Fail("plates of a case the file does not hold");
            if (plates && force.plate_loaded && int(force.plate.size()) != force.num_plate)
                kv::fuzz::Fail("a case holds another number of plates than the file says");
            JS_ERROR_CODE = 0;
            if (sink) {
                force.write_beam_txt(sink);
                force.write_plate_txt(sink);
            }
        }
        if (sink) std::fclose(sink);
        force.free_beam();
        force.free_plate();
    }
    JS_ERROR_CODE = 0;
    return 0;
}

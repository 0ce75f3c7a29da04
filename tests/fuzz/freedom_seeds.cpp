// Seeds of the freedom target: "FREEDOM.FB" written by the freedom step's own
// writer for a chain of beams, "YS.FB" as the grid beam writes it, and damaged
// versions of each.
#include "fem/freedom.h"

#include "base/error.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

void Put(const fs::path& out, const std::string& name, const std::string& bytes) {
    fs::create_directories(out / "fem_freedom");
    std::ofstream(out / "fem_freedom" / name, std::ios::binary) << bytes;
}

std::string I32(std::int32_t v) {
    std::string s;
    for (int k = 0; k < 4; ++k) s += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * k)) & 0xff);
    return s;
}

}  // namespace

void WriteFreedomSeeds(const fs::path& out) {
    // Four nodes on a line, three beams, the w of both ends restrained, blocks of
    // at most 12 entries.
    const fs::path here = fs::current_path();
    const fs::path work = fs::temp_directory_path() / "kv_freedom_seeds";
    fs::create_directories(work);
    fs::current_path(work);
    JS_ERROR_CODE = 0;
    freedom_num step(0, 12);
    step.node_num = 4;
    for (auto& ids : step.id) ids.assign(4, 0);
    step.id[0][0] = step.id[0][3] = -1;
    step.number();
    step.height.assign(std::size_t(step.neq) + 1, 0);
    for (int n = 0; n < 3; ++n) {
        const std::int32_t list[6] = {step.id[0][n], step.id[1][n], step.id[2][n],
                                      step.id[0][n + 1], step.id[1][n + 1], step.id[2][n + 1]};
        step.add_list(list, 6);
    }
    step.form_addr();
    step.write_col();
    step.write_file();
    std::ifstream in("FREEDOM.FB", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string freedom = bytes.str();
    fs::current_path(here);
    fs::remove_all(work);

    Put(out, "freedom-written", freedom);
    Put(out, "freedom-zero-offset", I32(16) + I32(0) + freedom.substr(8));
    Put(out, "freedom-cut-short", freedom.substr(0, freedom.size() - 10));
    Put(out, "freedom-huge-counts", freedom.substr(0, 16) + I32(0x7ffffff0) + I32(0x7ffffff0) + freedom.substr(24));
    // Column 2 of height 0 and a block table running backwards.
    std::string flat = freedom;
    flat.replace(std::size_t(flat[8]) + 8, 4, flat.substr(std::size_t(flat[8]) + 4, 4));
    Put(out, "freedom-column-height-zero", flat);
    std::string back = freedom;
    back.replace(std::size_t(back[12]) + 4, 4, I32(9));
    Put(out, "freedom-blocks-backwards", back);

    const std::string ys = "00000003\n0,1\n3,1\n2,3\n";
    Put(out, "ys-written", ys);
    Put(out, "ys-crlf", "00000003\r\n0,1\r\n3,1\r\n2,3\r\n");
    Put(out, "ys-bad-freedom", "00000001\n0,7\n");
    Put(out, "ys-node-beyond", "00000001\n400,1\n");
    Put(out, "ys-huge-count", "99999999\n0,1\n");
    Put(out, "ys-cut-short", "00000003\n0,1\n3");
}

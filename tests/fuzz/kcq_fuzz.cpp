// The punching line (*.KCQ, and the punching line of the flat-slab file): what
// was read writes a line that reads back to the same record.
#include "fuzz_support.h"

#include <cstring>

#include "base/globals.h"
#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "members/flatslab/chongqie.h"

namespace {

CHONGQIE_JS_STRUCT ReadFrom(const std::string& path) {
    CHONGQIE_JS_STRUCT r;
    std::FILE* fp = open_file_no_comment(path.c_str(), "rt");
    if (fp) {
        r.ReadLine(fp);
        close_file(fp);
    }
    return r;
}

void WriteTo(const CHONGQIE_JS_STRUCT& r, const std::string& path) {
    std::FILE* fp = open_file_no_comment(path.c_str(), "wt");
    if (!fp) kv::fuzz::Fail("a punching file cannot be made");
    r.WriteLine(fp);
    if (commit_file(fp) != 0) kv::fuzz::Fail("a punching file cannot be written");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CHONGQIE_JS_STRUCT first = ReadFrom(kv::fuzz::WriteInput("input.KCQ", data, size));
    const std::string path = kv::fuzz::Folder() + "first.KCQ";
    WriteTo(first, path);
    const CHONGQIE_JS_STRUCT again = ReadFrom(path);
    const std::string second = kv::fuzz::Folder() + "second.KCQ";
    WriteTo(again, second);
    if (kv::fuzz::ReadBytes(path) != kv::fuzz::ReadBytes(second)) kv::fuzz::Fail("a punching line reads back different");
    // The punching page draws what was read at once, and checks it on a click:
    // under both rule sets, as every value a file can hold.
    CBase_SGT sketch;
    sketch.New_MemDxf();
    first.DrawJianTu(&sketch);
    G_strWorkPath = kv::fuzz::Folder();
    for (int civil : {0, 1}) {
        CHONGQIE_JS_STRUCT r = first;
        r.m_nCivilDefence = civil;
        chongqie_check(r);
        chongqie_transverse_steel(r);
        chongqie_report(r, (kv::fuzz::Folder() + "r.OUT").c_str());
    }
    return 0;
}

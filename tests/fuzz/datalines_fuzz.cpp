// The line reader of the data files and the comma-field scanner. The first byte
// picks the line size; the rest is the file.
#include "fuzz_support.h"

#include "base/textio.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    int lineSize = 2 + data[0] % 300;
    std::string path = kv::fuzz::WriteInput("lines.DAT", data + 1, size - 1);
    std::FILE* fp = open_file_no_comment(path.c_str(), "rt");
    if (!fp) return 0;
    std::string line;
    char buffer[128];
    int n = 0;
    while (fgets_skip_comment(line, lineSize, fp)) {
        if (line.empty() || line.back() != '\n') kv::fuzz::Fail("a line comes back without its line end");
        int i = 0, j = 0;
        long l = 0;
        unsigned u = 0;
        short s = 0;
        float f = 0;
        double d = 0;
        std::string text;
        char chars[16];
        scan_fields(line, "%d,%f,%lf,%s,%ld,%u,%hd,%i,%g,%e", &i, &f, &d, &text, &l, &u, &s, &j, &f, &d);
        scan_fields(line, "%s,%*,%15s,%c", chars, &text, chars);
        scan_fields(line, "%3d%*d,%5s", &i, chars);
        std::string unit;
        int position = 0;
        while (read_one_unit_from_string(unit, line.c_str(), &position) > 0) {
        }
        if (++n % 2 == 0 && !fgets_skip_comment(buffer, lineSize < 128 ? lineSize : 128, fp)) break;
    }
    close_file(fp);
    return 0;
}

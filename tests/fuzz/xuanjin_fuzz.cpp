// The bar searches' result file ("Message.Box") read back as the pages show it:
// no line is empty or holds a line end, none is longer than 1023 characters.
#include "fuzz_support.h"

#include "members/beams/xuanjin.h"
#include "platform/codec.h"

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::WriteInput(kv::xuanjin::kResultFile, data, size);
    if (chdir(kv::fuzz::Folder().c_str()) != 0) kv::fuzz::Fail("the folder cannot be entered");
    std::vector<std::string> lines;
    if (!kv::xuanjin::ReadResultFile(lines)) return 0;
    for (const std::string& line : lines) {
        if (line.empty()) kv::fuzz::Fail("an empty line was kept");
        if (line.find_first_of("\r\n") != std::string::npos) kv::fuzz::Fail("a line holds a line end");
        if (kv::platform::GbkLength(line) > 1023) kv::fuzz::Fail("a line is longer than 1023 characters");
    }
    return 0;
}

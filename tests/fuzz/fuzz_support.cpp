#include "fuzz_support.h"

#include "base/error.h"
#include "platform/services.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

namespace kv::fuzz {
namespace {

class SilentMessages : public kv::platform::MessageService {
public:
    int Show(const std::string&, const std::string&, unsigned type) override {
        unsigned buttons = type & kv::MB_BUTTON_MASK;
        return buttons == 0 ? kv::IDOK : buttons == 1 ? kv::IDCANCEL : kv::IDNO;
    }
};

std::string MakeFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/kv-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) Fail("cannot make a temporary folder");
    std::setlocale(LC_NUMERIC, "C");
    kv::platform::InstallMessageService(std::make_unique<SilentMessages>());
    kv::err::SetSink([](int, const std::string&) {});
    return pattern + "/";
}

}  // namespace

const std::string& Folder() {
    // Never destroyed, so that it is still there when the folder is removed at exit.
    static const std::string* folder = [] {
        auto* made = new std::string(MakeFolder());
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(Folder(), ec);
        });
        return made;
    }();
    return *folder;
}

std::string WriteInput(const std::string& name, std::string_view bytes) {
    std::string path = Folder() + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) Fail("cannot write the input file");
    return path;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void ClearFolder() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(Folder(), ec))
        std::filesystem::remove_all(entry.path(), ec);
}

void Fail(const char* what) {
    std::fprintf(stderr, "fuzz target: %s\n", what);
    std::abort();
}

}  // namespace kv::fuzz

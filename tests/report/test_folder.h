#pragma once
// A fresh folder for one test, removed afterwards; the work folder points at it.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/globals.h"

namespace kv::report::test {

class WorkFolder {
public:
    WorkFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kv-report-XXXXXX").string();
        char* made = ::mkdtemp(pattern.data());
        path_ = std::string(made ? made : "/tmp") + "/";
        previous_ = G_strWorkPath;
        G_strWorkPath = path_;
    }
    ~WorkFolder() {
        G_strWorkPath = previous_;
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ + name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(path_ + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(path_ + name); }

private:
    std::string path_;
    std::string previous_;
};

}  // namespace kv::report::test

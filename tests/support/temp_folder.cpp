#include "support/temp_folder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace kv::test {

TempFolder::TempFolder() {
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec) throw std::runtime_error("no temporary folder: " + ec.message());
    std::string pattern = (base / "kv-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder " + pattern + ": " + std::strerror(errno));
    path_ = pattern + "/";
}

TempFolder::~TempFolder() {
    std::error_code ec;
    if (!previousCurrent_.empty()) fs::current_path(previousCurrent_, ec);
    fs::remove_all(path_, ec);
}

void TempFolder::MakeCurrent() {
    if (previousCurrent_.empty()) previousCurrent_ = fs::current_path().string();
    fs::current_path(path_);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
    fs::path p = fs::path(path_) / name;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

std::string TempFolder::Read(const std::string& name) const {
    std::ifstream in(fs::path(path_) / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempFolder::Exists(const std::string& name) const { return fs::exists(fs::path(path_) / name); }

std::string TempFolder::List() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(path_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    std::ostringstream out;
    for (std::size_t i = 0; i < names.size(); ++i) out << (i ? " " : "") << names[i];
    return out.str();
}

}  // namespace kv::test

#include "platform/paths.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace kv::platform {
namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool Exists(const std::string& p) {
    struct stat st;
    return ::lstat(p.c_str(), &st) == 0 || ::stat(p.c_str(), &st) == 0;
}

// The entry of `folder` that matches `name` without case, or empty.
std::string FindInFolder(const std::string& folder, const std::string& name) {
    std::string exact = folder + name;
    if (Exists(exact)) return name;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    if (ec) return {};
    // Stepping with an error code: a folder that fails half way through is not found in.
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) return {};
        std::string entryName = it->path().filename().string();
        if (EqualNoCase(entryName, name)) return entryName;
    }
    return {};
}

std::vector<std::string> Split(std::string_view path) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : path) {
        if (c == '/') {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    return parts;
}

// Resolves every component of `path` but, when `keepLast` is set, the last one,
// which is returned as given when no file of that name exists.
std::string Resolve(std::string_view rawPath, bool keepLast) {
    std::string path = ToSlashes(rawPath);
    if (path.empty()) return {};
    if (Exists(path)) return path;
    std::string result = path[0] == '/' ? "/" : "";
    std::vector<std::string> parts = Split(path);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        bool last = i + 1 == parts.size();
        if (part == "." || part == "..") {
            result += part;
        } else {
            std::string found = FindInFolder(result, part);
            if (found.empty()) {
                if (last && keepLast) {
                    result += part;
                    return result;
                }
                return {};
            }
            result += found;
        }
        if (!last) result += '/';
    }
    if (path.back() == '/' && result.back() != '/') result += '/';
    return result;
}

}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (!out.empty() && out.back() != '/') out += '/';
    out += name;
    return out;
}

std::string WithTrailingSlash(std::string_view folder) {
    std::string out = ToSlashes(folder);
    while (out.size() > 1 && out.back() == '/' && out[out.size() - 2] == '/') out.pop_back();
    if (!out.empty() && out.back() != '/') out += '/';
    return out;
}

std::string ToSlashes(std::string_view path) {
    std::string out(path);
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

std::string ResolveExisting(std::string_view path) { return Resolve(path, false); }

std::string ResolveForWrite(std::string_view path) {
    std::string resolved = Resolve(path, true);
    return resolved.empty() ? ToSlashes(path) : resolved;
}

bool FileExists(std::string_view path) {
    std::string p = ResolveExisting(path);
    if (p.empty()) return false;
    struct stat st;
    return ::stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(std::string_view path) {
    std::string p = ResolveExisting(path);
    if (p.empty()) return false;
    struct stat st;
    return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ProgramFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return CurrentFolder();
    return WithTrailingSlash(exe.parent_path().string());
}

std::string ConfigFolder() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = JoinPath(home, ".config");
    } else {
        base = "/tmp";
    }
    std::string folder = WithTrailingSlash(JoinPath(base, "kv"));
    MakeDirectories(folder);
    return folder;
}

std::string CurrentFolder() {
    std::error_code ec;
    fs::path p = fs::current_path(ec);
    return ec ? std::string("./") : WithTrailingSlash(p.string());
}

bool SetCurrentFolder(std::string_view path) {
    std::string p = ResolveExisting(path);
    return !p.empty() && ::chdir(p.c_str()) == 0;
}

FileStamp StampOf(std::string_view path) {
    FileStamp stamp;
    std::string found = ResolveExisting(path);
    struct stat st {};
    if (found.empty() || ::stat(found.c_str(), &st) != 0) return stamp;
    stamp.exists = true;
    stamp.device = static_cast<unsigned long long>(st.st_dev);
    stamp.inode = static_cast<unsigned long long>(st.st_ino);
    stamp.size = static_cast<long long>(st.st_size);
    stamp.modifiedNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return stamp;
}

bool MakeDirectories(std::string_view path) {
    std::string p = ResolveForWrite(path);
    if (p.empty()) return false;
    std::error_code ec;
    fs::create_directories(p, ec);
    return DirectoryExists(p);
}

std::string FolderOf(std::string_view path) {
    std::string p = ToSlashes(path);
    std::size_t slash = p.rfind('/');
    return slash == std::string::npos ? std::string() : p.substr(0, slash + 1);
}

std::string NameOf(std::string_view path) {
    std::string p = ToSlashes(path);
    std::size_t slash = p.rfind('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

}  // namespace kv::platform

#include "base/toolfile.h"

#include "base/globals.h"
#include "platform/profile.h"
#include "platform/textfile.h"

#include <cctype>

namespace kv::tools {
namespace {

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

bool IsDefault(std::string_view value) {
    value = Trimmed(value);
    constexpr std::string_view kDefault = "default";
    if (value.size() != kDefault.size()) return false;
    for (std::size_t i = 0; i < value.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(value[i])) != kDefault[i]) return false;
    return true;
}

}  // namespace

std::string WritePath(std::string_view name) { return kv::platform::ConfigFolder() + std::string(name); }

std::string ReadPath(std::string_view name) {
    const std::string config = WritePath(name);
    if (kv::platform::FileExists(config)) return kv::platform::ResolveExisting(config);
    if (!G_strExePath.empty()) {
        std::string program = kv::platform::ResolveExisting(kv::platform::JoinPath(G_strExePath, name));
        if (!program.empty() && kv::platform::FileExists(program)) return program;
    }
    return config;
}

std::string GetString(std::string_view name, std::string_view section, std::string_view key,
                      std::string_view defaultValue) {
    return kv::platform::GetPrivateProfileString(section, key, defaultValue, ReadPath(name));
}

bool HasSection(std::string_view name, std::string_view section) {
    return !kv::platform::GetPrivateProfileKeys(section, ReadPath(name)).empty();
}

bool WriteString(std::string_view name, std::string_view section, const char* key, const char* value) {
    const std::string config = WritePath(name);
    const std::string read = ReadPath(name);
    if (read != kv::platform::ResolveExisting(config) && kv::platform::FileExists(read)) {
        std::string bytes;
        if (!kv::platform::ReadFileBytes(read, bytes) || !kv::platform::WriteFileAtomically(config, bytes))
            return false;
    }
    return kv::platform::WritePrivateProfileString(section, key, value, config);
}

std::string ProgramFile(std::string_view name) {
    const std::string path = kv::platform::JoinPath(G_strExePath, name);
    std::string found = kv::platform::ResolveExisting(path);
    return found.empty() ? path : found;
}

std::string ToolPath(std::string_view key, std::string_view builtIn) {
    const std::string missing = "\x01";
    std::string value = GetString(kToolFile, kToolSection, key, missing);
    if (value == missing || IsDefault(value)) return ProgramFile(builtIn);
    value = kv::platform::ToSlashes(Trimmed(value));
    if (!value.empty() && value.front() == '/') return value;
    return ProgramFile(value);
}

ToolFileStamp::ToolFileStamp(std::string_view name)
    : name_(name), path_(ReadPath(name)), stamp_(kv::platform::StampOf(path_)) {
    if (stamp_.exists) kv::platform::ReadFileBytes(path_, bytes_);
}

bool ToolFileStamp::Changed() const {
    const std::string now = ReadPath(name_);
    if (now != path_ || !(kv::platform::StampOf(now) == stamp_)) return true;
    std::string bytes;
    if (stamp_.exists) kv::platform::ReadFileBytes(now, bytes);
    return bytes != bytes_;
}

}  // namespace kv::tools

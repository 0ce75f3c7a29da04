#pragma once
// Profile (INI) files with the semantics the program relies on: sections and keys
// match without case, the first match wins, backslashes are plain characters,
// values are GBK on disk, and a missing file, section or key gives the default.
// A bare file name (no folder) lives in the configuration folder, where Windows
// kept such files in its own folder.
#include <string>
#include <string_view>
#include <vector>

namespace kv::platform {

// Where a profile file named `file` lives.
std::string ProfilePath(std::string_view file);

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string_view file);

// The value's leading decimal digits (with a sign) as an int; `defaultValue` when
// the key is missing.
int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         std::string_view file);

// Writes key=value into the section, keeping every other line of the file. A null
// `key` removes the whole section, a null `value` removes the key. False when the
// file cannot be written.
bool WritePrivateProfileString(std::string_view section, const char* key, const char* value,
                               std::string_view file);

// The keys of a section in file order (empty for a missing section).
std::vector<std::string> GetPrivateProfileKeys(std::string_view section, std::string_view file);

}  // namespace kv::platform

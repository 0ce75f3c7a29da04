#pragma once
// What the fuzz targets share: a private folder for the files they read and
// write, and a program state with no one to answer its messages.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The entry every target defines: one input, 0 when it was handled.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace kv::fuzz {

// A folder of this process only (a trailing '/'), made on first use, removed at
// exit. Messages go nowhere and questions are answered "no", so a target never
// prints or waits; numbers use '.' whatever the locale.
const std::string& Folder();

// Writes `bytes` to `name` in the folder and returns the file's path.
std::string WriteInput(const std::string& name, std::string_view bytes);
inline std::string WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
    return WriteInput(name, std::string_view(reinterpret_cast<const char*>(data), size));
}

// Reads a file's bytes (empty when it cannot be read).
std::string ReadBytes(const std::string& path);

// Empties the folder (the folder stays the current folder when it was).
void ClearFolder();

// Stops the run with a message: a target found an input that breaks what the
// program promises (a file it wrote does not read back, say).
[[noreturn]] void Fail(const char* what);

}  // namespace kv::fuzz

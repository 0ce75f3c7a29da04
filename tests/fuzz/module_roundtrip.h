#pragma once
// A module data file read, saved, and read and saved again: what was read is
// saved as a file the module reads, and the second save writes the same bytes.
#include "fuzz_support.h"

#include <cstring>
#include <string>

namespace kv::fuzz {

template <typename Data, typename... Args>
void ModuleRoundTrip(const std::uint8_t* data, std::size_t size, Args... args) {
    std::string input = WriteInput("input.DAT", data, size);
    Data read(args...);
    if (read.LoadData(input.c_str()) != 1) return;
    std::string first = Folder() + "first.DAT";
    if (read.SaveData(first.c_str()) != 1) Fail("a file read cannot be saved");
    Data again(args...);
    if (again.LoadData(first.c_str()) != 1) Fail("a saved file does not read back");
    std::string second = Folder() + "second.DAT";
    if (again.SaveData(second.c_str()) != 1) Fail("a file read back cannot be saved");
    if (ReadBytes(first) != ReadBytes(second)) Fail("a saved file reads back different");
}

}  // namespace kv::fuzz

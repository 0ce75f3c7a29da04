#pragma once
// Lines of the library's text input file. A line holds at most 289 bytes as the
// file stores them (GBK); a longer one is refused rather than split, so its tail
// is never taken for the next line. A CR before the line end is dropped.
#include <cstdio>
#include <string>

namespace kv::fem {

inline constexpr int kInputLineBytes = 289;

class TextInput {
public:
    TextInput(std::FILE* f, std::string name) : f_(f), name_(std::move(name)) {}

    // The next line without its line end. False at the end of the file (the line
    // is then empty) or for a line that is too long (301 reported, naming it).
    bool next(std::string& line);

    int line_number() const { return line_no_; }
    std::FILE* file() const { return f_; }

private:
    std::FILE* f_;
    std::string name_;
    int line_no_ = 0;
};

}  // namespace kv::fem

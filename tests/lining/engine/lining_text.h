#pragma once
// Writing into and reading from text in memory, for the lining's record tests.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace kv::test {

// What `write` puts into a file.
inline std::string Written(const std::function<void(std::FILE*)>& write) {
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* fp = open_memstream(&buffer, &size);
    write(fp);
    std::fclose(fp);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

// A file that reads `text`.
class TextFile {
public:
    explicit TextFile(std::string text) : text_(std::move(text)) {
        fp_ = fmemopen(text_.data(), text_.size() ? text_.size() : 1, "r");
        if (text_.empty()) std::fgetc(fp_);  // an empty file is at its end
    }
    ~TextFile() { std::fclose(fp_); }
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    operator std::FILE*() const { return fp_; }

private:
    std::string text_;
    std::FILE* fp_;
};

}  // namespace kv::test

#pragma once
// One open work file of the library, opened through the program's open_file (so
// it counts in JS_OpenFileNum and is found whatever the case of its name) and
// closed when the object goes. A file written from scratch ("wb") is kept only by
// commit(); close() and the destructor throw such a file away.
#include <cstdio>

namespace kv::fem {

class WorkFile {
public:
    WorkFile() = default;
    ~WorkFile() { close(); }
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    // Opens `name` with a C mode; false (and the error channel told) on failure.
    bool open(const char* name, const char* mode);
    // Keeps what was written; false when it could not be written or put in place.
    bool commit();
    void close();

    std::FILE* get() const { return fp_; }
    explicit operator bool() const { return fp_ != nullptr; }

private:
    std::FILE* fp_ = nullptr;
};

}  // namespace kv::fem

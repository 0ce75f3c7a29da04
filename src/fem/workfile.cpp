#include "fem/workfile.h"

#include "base/textio.h"

namespace kv::fem {

bool WorkFile::open(const char* name, const char* mode) {
    close();
    fp_ = open_file(name, mode);
    return fp_ != nullptr;
}

bool WorkFile::commit() {
    if (!fp_) return false;
    std::FILE* f = fp_;
    fp_ = nullptr;
    return commit_file(f) == 0;
}

void WorkFile::close() {
    if (!fp_) return;
    close_file(fp_);
    fp_ = nullptr;
}

}  // namespace kv::fem

#pragma once
// Sets the code edition in force (G_guifan) for one test and restores it afterwards.
#include "base/globals.h"

namespace kv::test {

class EditionGuard {
public:
    explicit EditionGuard(int edition) : kept_(G_guifan) { G_guifan = edition; }
    ~EditionGuard() { G_guifan = kept_; }
    EditionGuard(const EditionGuard&) = delete;
    EditionGuard& operator=(const EditionGuard&) = delete;

private:
    int kept_;
};

}  // namespace kv::test

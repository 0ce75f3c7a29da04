#pragma once
#include "base/globals.h"

// Sets the code edition in force for one test and restores it afterwards.
struct EditionGuard {
    int kept = G_guifan;
    explicit EditionGuard(int edition) { G_guifan = edition; }
    ~EditionGuard() { G_guifan = kept; }
    EditionGuard(const EditionGuard&) = delete;
    EditionGuard& operator=(const EditionGuard&) = delete;
};

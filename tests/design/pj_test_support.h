#pragma once
// Keeps the code edition of a test and restores the previous one.
#include "base/globals.h"

class EditionScope {
public:
    explicit EditionScope(int edition) : saved_(G_guifan) { G_guifan = edition; }
    ~EditionScope() { G_guifan = saved_; }
    EditionScope(const EditionScope&) = delete;
    EditionScope& operator=(const EditionScope&) = delete;

private:
    int saved_;
};

// Relative closeness for areas (0.5 %).
#define EXPECT_AREA(actual, expected) EXPECT_NEAR((actual), (expected), 0.005 * (expected) + 0.5)

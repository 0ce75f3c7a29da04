#pragma once
#include "support/edition_guard.h"

using kv::test::EditionGuard;

// Relative closeness for areas (0.5 %).
#define EXPECT_AREA(actual, expected) EXPECT_NEAR((actual), (expected), 0.005 * (expected) + 0.5)

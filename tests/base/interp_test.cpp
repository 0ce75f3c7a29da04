#include "base/interp.h"

#include <gtest/gtest.h>

namespace {

TEST(LinerInter, InterpolatesInsideAndKeepsTheEndValuesOutside) {
    const float xs[] = {1.0f, 2.0f, 4.0f};
    const float ys[] = {10.0f, 20.0f, 0.0f};
    struct Case {
        float x, y;
    };
    const Case cases[] = {
        {1.0f, 10.0f}, {1.5f, 15.0f}, {2.0f, 20.0f}, {3.0f, 10.0f}, {4.0f, 0.0f},
        {0.0f, 10.0f},  // below the table
        {9.0f, 0.0f},   // above the table
    };
    for (const auto& c : cases) EXPECT_FLOAT_EQ(liner_inter(xs, ys, 3, c.x), c.y) << c.x;
}

TEST(LinerInter, TablesGivenInDecreasingXWorkTheSame) {
    const double xs[] = {4.0, 2.0, 1.0};
    const double ys[] = {0.0, 20.0, 10.0};
    EXPECT_DOUBLE_EQ(liner_inter(xs, ys, 3, 3.0), 10.0);
    EXPECT_DOUBLE_EQ(liner_inter(xs, ys, 3, 1.5), 15.0);
    EXPECT_DOUBLE_EQ(liner_inter(xs, ys, 3, 5.0), 0.0);
    EXPECT_DOUBLE_EQ(liner_inter(xs, ys, 3, 0.5), 10.0);
}

TEST(LinerInter, TwoPointsGiveTheStraightLineBetweenThem) {
    // Fixity ratio between a simply supported (0) and a fixed (1) result.
    const float xs[] = {0.0f, 1.0f};
    const float ys[] = {-3.0f, 5.0f};
    EXPECT_FLOAT_EQ(liner_inter(xs, ys, 2, 0.25f), -1.0f);
}

TEST(LinerInter, DegenerateTablesDoNotFail) {
    const float xs[] = {2.0f, 2.0f};
    const float ys[] = {1.0f, 3.0f};
    EXPECT_FLOAT_EQ(liner_inter(xs, ys, 1, 7.0f), 1.0f);
    EXPECT_FLOAT_EQ(liner_inter(xs, ys, 0, 7.0f), 0.0f);
    EXPECT_FLOAT_EQ(liner_inter(xs, ys, 2, 2.0f), 1.0f);
}

}  // namespace

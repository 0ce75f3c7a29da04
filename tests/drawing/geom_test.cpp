#include <gtest/gtest.h>

#include <cmath>

#include "drawing/geom.h"

namespace {
constexpr float kPif = 3.14159265f;

TEST(PointAlongLine, EndsAndBeyondTheStart) {
    struct Case { float e, x, y; } cases[] = {{0, 1, 2}, {1, 5, 5}, {-0.5f, -1, 0.5f}, {0.5f, 3, 3.5f}};
    for (const auto& c : cases) {
        float x = 99, y = 99;
        PointAlongLine(1, 2, 5, 5, c.e, &x, &y);
        EXPECT_NEAR(x, c.x, 1e-5) << "e=" << c.e;
        EXPECT_NEAR(y, c.y, 1e-5) << "e=" << c.e;
    }
}

TEST(CircleThroughThreePoints, FindsCentreAndRadius) {
    const float x[3] = {0, 5, 0}, y[3] = {5, 0, -5};
    float r = 0, cx = 9, cy = 9;
    ASSERT_EQ(get_circle_3points(x, y, &r, &cx, &cy), 1);
    EXPECT_NEAR(cx, 0, 1e-4);
    EXPECT_NEAR(cy, 0, 1e-4);
    EXPECT_NEAR(r, 5, 1e-4);
}

TEST(CircleThroughThreePoints, VerticalBisectorStillMeetsTheOther) {
    // The bisector of (0,0)-(2,0) is the vertical x = 1: its slope is the finite
    // tangent of the single-precision right angle, and the centre still comes out.
    const float x[3] = {0, 2, 1}, y[3] = {0, 0, 1};
    float r = 0, cx = 0, cy = 0;
    ASSERT_EQ(get_circle_3points(x, y, &r, &cx, &cy), 1);
    EXPECT_NEAR(cx, 1, 1e-3);
    EXPECT_NEAR(cy, 0, 1e-3);
    EXPECT_NEAR(r, 1, 1e-3);
}

TEST(CircleThroughThreePoints, CollinearOrMissingPointsFail) {
    const float x[3] = {0, 1, 2}, y[3] = {0, 1, 2};
    float r = -1, cx = -1, cy = -1;
    EXPECT_EQ(get_circle_3points(x, y, &r, &cx, &cy), 0);
    EXPECT_EQ(get_circle_3points(nullptr, y, &r, &cx, &cy), 0);
    float a0 = 7, a1 = 7;
    EXPECT_EQ(get_arc_3points(x, y, &r, &cx, &cy, &a0, &a1), 0);
    EXPECT_EQ(a0, 7);  // untouched on failure
}

TEST(ArcThroughThreePoints, AnglesOfFirstAndThirdPoint) {
    const float x[3] = {5, 0, -5}, y[3] = {0, 5, 0};
    float r, cx, cy, a0, a1;
    ASSERT_EQ(get_arc_3points(x, y, &r, &cx, &cy, &a0, &a1), 1);
    EXPECT_NEAR(a0, 0, 1e-4);
    EXPECT_NEAR(a1, kPif, 1e-4);
}

TEST(AngleAtFraction, SweepRunsCounterClockwise) {
    const float deg = kPif / 180;
    EXPECT_NEAR(get_angle_at_fraction(270 * deg, 0, 0.5f), 315 * deg, 1e-4);
    EXPECT_NEAR(get_angle_at_fraction(0, 90 * deg, 0.5f), 45 * deg, 1e-5);
}

TEST(ArcIntersections, KeepOnlyCrossingsOnBothArcs) {
    // Unit circles about (0, 0) and (1, 0) cross at (0.5, ±0.866); each case
    // cuts arcs of them that hold one, both or none of the two points.
    const float h = static_cast<float>(std::sqrt(3.0) / 2);
    struct Arc { float x[3], y[3]; };
    const Arc upper0{{1, 0, -1}, {0, 1, 0}};           // 0 to π about (0, 0)
    const Arc right0{{0, 1, 0}, {-1, 0, 1}};           // 3π/2 through 0 to π/2
    const Arc fromBelow0{{0, 1, h}, {-1, 0, 0.5f}};    // 270° through 0 to 30°
    const Arc upper1{{2, 1, 0}, {0, 1, 0}};            // 0 to π about (1, 0)
    const Arc left1{{1, 0, 1}, {1, 0, -1}};            // π/2 to 3π/2 about (1, 0)
    const Arc lower1{{0, 1, 2}, {0, -1, 0}};           // π to 2π about (1, 0)
    struct Case {
        const char* what;
        Arc a, b;
        int n;
        float x1, y1, x2, y2;
    };
    const Case cases[] = {
        {"upper halves", upper0, upper1, 1, 0.5f, h, -9, -9},
        {"facing halves, one running through 0", right0, left1, 2, 0.5f, h, 0.5f, -h},
        {"an arc through 0 that stops short of the upper point", fromBelow0, left1, 1, 0.5f, -h, -9, -9},
        {"upper and lower", upper0, lower1, 0, -9, -9, -9, -9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        float ax = -9, ay = -9, bx = -9, by = -9;
        ASSERT_EQ(get_inter_arc3_arc3(c.a.x, c.a.y, c.b.x, c.b.y, &ax, &ay, &bx, &by, 0.001f), c.n);
        EXPECT_NEAR(ax, c.x1, 1e-3);
        EXPECT_NEAR(ay, c.y1, 1e-3);
        EXPECT_NEAR(bx, c.x2, 1e-3);
        EXPECT_NEAR(by, c.y2, 1e-3);
    }
}

TEST(ArcIntersections, AnArcWithoutACircleMeetsNothing) {
    const float x1[3] = {0, 1, 2}, y1[3] = {0, 1, 2};  // one line
    const float x2[3] = {2, 1, 0}, y2[3] = {0, 1, 0};
    float ax = -9, ay = -9, bx = -9, by = -9;
    EXPECT_EQ(get_inter_arc3_arc3(x1, y1, x2, y2, &ax, &ay, &bx, &by, 0.001f), 0);
    EXPECT_EQ(get_inter_arc3_arc3(x2, y2, x1, y1, &ax, &ay, &bx, &by, 0.001f), 0);
    EXPECT_EQ(get_inter_arc3_arc3(x2, y2, nullptr, y1, &ax, &ay, &bx, &by, 0.001f), 0);
    EXPECT_EQ(ax, -9);
    EXPECT_EQ(bx, -9);
}

}  // namespace

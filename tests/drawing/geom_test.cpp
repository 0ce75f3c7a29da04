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

TEST(ArcIntersections, TwoArcsCrossingOnce) {
    // Upper half of the unit circle about the origin and about (1, 0): they meet
    // at (0.5, 0.866) only; the lower crossing is off both arcs.
    const float x1[3] = {1, 0, -1}, y1[3] = {0, 1, 0};
    const float x2[3] = {2, 1, 0}, y2[3] = {0, 1, 0};
    float ax = 0, ay = 0, bx = 0, by = 0;
    ASSERT_EQ(get_inter_arc3_arc3(x1, y1, x2, y2, &ax, &ay, &bx, &by, 0.001f), 1);
    EXPECT_NEAR(ax, 0.5, 1e-3);
    EXPECT_NEAR(ay, std::sqrt(3.0) / 2, 1e-3);
}

TEST(SegmentAndArc, CountsOnlyPointsOnTheArc) {
    float x1, y1, x2, y2;
    // A horizontal chord at y = 0.6 crosses the circle at x = ±0.8; the arc 0°..90° holds one.
    EXPECT_EQ(_JH_GetInterPoint_LineSection_Arc(-2, 0.6f, 2, 0.6f, 0, 0, 1, 0, 90, &x1, &y1, &x2, &y2), 1);
    EXPECT_NEAR(x1, 0.8, 1e-4);
    EXPECT_EQ(_JH_GetInterPoint_LineSection_Arc(-2, 0.6f, 2, 0.6f, 0, 0, 1, 0, 180, &x1, &y1, &x2, &y2), 2);
    EXPECT_EQ(_JH_GetInterPoint_LineSection_Arc(-2, 2, 2, 2, 0, 0, 1, 0, 360, &x1, &y1, &x2, &y2), 0);
}

TEST(EulerLamda, SideTurnsOfADoorFrameCut) {
    struct Case { float a1, a2, a3; float px, py; float qx, qy; } cases[] = {
        {0, 0, 0, 1, -2, 1, -2},                     // left side: unchanged
        {0, 0, kPif, 1, -2, -1, -2},                 // right side: mirrored in x
        {-kPif / 2, 0, 0, 1, -2, 2, 1},              // bottom side: cantilever points up
        {-kPif / 2, kPif, 0, 1, -2, 2, -1},          // top side: cantilever points down
    };
    for (const auto& c : cases) {
        float l[3][3];
        form_euler_lamda(c.a1, c.a2, c.a3, l);
        EXPECT_NEAR(l[0][0] * c.px + l[0][1] * c.py, c.qx, 1e-5) << c.a1 << "," << c.a2 << "," << c.a3;
        EXPECT_NEAR(l[1][0] * c.px + l[1][1] * c.py, c.qy, 1e-5) << c.a1 << "," << c.a2 << "," << c.a3;
    }
}

TEST(LineFuncInter, ParallelLinesDoNotMeet) {
    float x = 5, y = 5;
    EXPECT_EQ(line_func_inter(1, 2, 1, 1, 2, 3, &x, &y), 0);
    EXPECT_EQ(x, 5);
    ASSERT_EQ(line_func_inter(1, 1, 0, 1, -1, 2, &x, &y), 1);  // y = x and y = 2 − x
    EXPECT_NEAR(x, 1, 1e-6);
    EXPECT_NEAR(y, 1, 1e-6);
}
}  // namespace

#include "fem/arc_routines.h"

#include <gtest/gtest.h>

#include "support/message_recorder.h"

namespace {

TEST(ArcRoutines, BoundingBoxTakesTheAxisPointsTheArcPasses) {
    struct Case {
        float x1, y1, x2, y2, cx, cy;
        int dir;
        float xmin, ymin, xmax, ymax;
    } cases[] = {
        {1, 0, -1, 0, 0, 0, 1, -1, 0, 1, 1},    // upper half circle
        {1, 0, -1, 0, 0, 0, 0, -1, -1, 1, 0},   // run the other way: the lower half
        {0, -2, 2, 0, 0, 0, 1, 0, -2, 2, 0},    // a quarter across angle 0
        {3, 4, -3, 4, 0, 0, 1, -3, 4, 3, 5},    // through the top only
    };
    for (const Case& c : cases) {
        float xmin, ymin, xmax, ymax;
        Get_OutLook_One_Arc(c.x1, c.y1, c.x2, c.y2, c.cx, c.cy, c.dir, xmin, ymin, xmax, ymax);
        EXPECT_NEAR(xmin, c.xmin, 1e-5) << c.x1 << "," << c.y1 << " dir " << c.dir;
        EXPECT_NEAR(ymin, c.ymin, 1e-5) << c.x1 << "," << c.y1 << " dir " << c.dir;
        EXPECT_NEAR(xmax, c.xmax, 1e-5) << c.x1 << "," << c.y1 << " dir " << c.dir;
        EXPECT_NEAR(ymax, c.ymax, 1e-5) << c.x1 << "," << c.y1 << " dir " << c.dir;
    }
}

TEST(ArcRoutines, CentreLiesOnTheChosenSideAndAChordOf2RGivesItsMidpoint) {
    kv::test::MessageRecorder boxes;
    struct Case {
        float x2, R;
        int side;
        float cx, cy;
        int beeps;
    } cases[] = {
        {2, 1.4142136f, 1, 1, 1, 0},   // counter-clockwise: left of P1→P2
        {2, 1.4142136f, 0, 1, -1, 0},
        {2, 1, 1, 1, 0, 0},            // chord 2R: the midpoint
        {4, 1, 1, 2, 0, 2},            // too long a chord: two beeps, taken as 2R
    };
    int beeps = 0;
    for (const Case& c : cases) {
        float cx, cy;
        Get_ArcKua_Centroid(0, 0, c.x2, 0, c.R, c.side, &cx, &cy);
        EXPECT_NEAR(cx, c.cx, 1e-5) << c.x2 << " R " << c.R << " side " << c.side;
        EXPECT_NEAR(cy, c.cy, 1e-3) << c.x2 << " R " << c.R << " side " << c.side;
        beeps += c.beeps;
        EXPECT_EQ(boxes.beeps(), beeps);
    }
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(ArcRoutines, EndAngleIsTheFirstTurnAtOrPastTheStart) {
    float a1, a2;
    GetQZhAngle(0, 2, 0, 2, 0, 0, &a1, &a2);
    EXPECT_FLOAT_EQ(a1, 1.5707964f);
    EXPECT_EQ(a2, a1);
    GetQZhAngle(0, -1, 1, 0, 0, 0, &a1, &a2);
    EXPECT_FLOAT_EQ(a1, 4.712389f);
    EXPECT_FLOAT_EQ(a2, 6.2831855f);
}

}  // namespace

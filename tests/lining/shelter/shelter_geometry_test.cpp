#include <gtest/gtest.h>

#include "lining/shelter/shelter_data.h"

namespace {

TEST(ShelterGeometry, DefaultCrownThicknessFromSpringingToCrown) {
    CChenQiData d;
    EXPECT_EQ(d.CheckSize(), 1);
    const float expected[] = {540.5f, 498.5f, 459.6f, 424.0f, 392.3f, 364.8f, 341.9f, 323.7f, 310.6f, 302.7f, 300.0f};
    for (int i = 0; i <= 10; ++i) {
        float t = -1;
        ASSERT_EQ(d.GetHouDu(i, 0, &t), 1);
        EXPECT_NEAR(t, expected[i], 0.1f) << "node " << i;
    }
}

TEST(ShelterGeometry, DefaultCentreLine) {
    CChenQiData d;
    float xt, yt, xb, yb, r, cx, cy;
    ASSERT_EQ(d.GetPartGeometry(1, &xt, &yt, &xb, &yb), 1);
    EXPECT_NEAR(xt, -3200.0f, 0.1f);
    EXPECT_NEAR(yt, 5203.6f, 0.1f);
    ASSERT_EQ(d.GetPartArc(1, 0, &r, &cx, &cy), 1);
    EXPECT_NEAR(r, 3603.7f, 0.1f);
    EXPECT_NEAR(cx, 0.0f, 0.01f);
    EXPECT_NEAR(cy, 3546.3f, 0.1f);
}

TEST(ShelterGeometry, SizeCheckFailures) {
    CChenQiData small;
    small.m_CanShu.R = 3000;  // cannot reach the outer wall line
    float xt, yt, xb, yb;
    EXPECT_EQ(small.GetPartGeometry(1, &xt, &yt, &xb, &yb), -1);
    EXPECT_EQ(small.CheckSize(), -1);
}

TEST(ShelterGeometry, OutOfRangeAndFlatParts) {
    CChenQiData d;
    float t = -1, r = -1, cx, cy, rise = -1;
    EXPECT_EQ(d.GetHouDu(11, 0, &t), 0);
    EXPECT_EQ(t, 0.0f);
    EXPECT_EQ(d.GetHouDu(0, 2, &t), 0);
    EXPECT_EQ(d.GetTangentRise(0, &rise), 0);  // kind 0

    CChenQiData flat;
    flat.m_CanShu.nType = 3;
    flat.m_CanShu.f = 0;
    EXPECT_EQ(flat.GetPartArc(0, 0, &r, &cx, &cy), 0);
    EXPECT_EQ(r, 0.0f);
    ASSERT_EQ(flat.GetHouDu(3, 0, &t), 1);
    EXPECT_EQ(t, 300.0f);
    ASSERT_EQ(flat.GetTangentRise(1, &rise), 1);
    EXPECT_FLOAT_EQ(rise, 2500.0f);  // H / 2

    CChenQiData straightSide;
    straightSide.m_CanShu.nType = 3;
    straightSide.m_CanShu.fs = 0;
    ASSERT_EQ(straightSide.GetTangentRise(0, &rise), 1);
    EXPECT_FLOAT_EQ(rise, 3000.0f);  // L / 2

    CChenQiData shallow;
    shallow.m_CanShu.nType = 2;
    shallow.m_CanShu.fi = 0.0005f;  // an invert this flat is a slab
    float xt, yt, xb, yb;
    ASSERT_EQ(shallow.GetPartGeometry(0, &xt, &yt, &xb, &yb), 1);
    EXPECT_EQ(yb, 0.0f);
    ASSERT_EQ(shallow.GetPartGeometry(2, &xt, &yt, &xb, &yb), 1);
    EXPECT_NEAR(yb, -400.0f, 0.01f);
    EXPECT_EQ(shallow.CheckSize(), 1);
}

}  // namespace

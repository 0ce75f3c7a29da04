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

}  // namespace

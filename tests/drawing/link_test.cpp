#include <gtest/gtest.h>

#include "drawing/geom.h"

// This program links every object of the base and drawing libraries, whether
// used or not, so a function defined in both fails the build here instead of
// in whichever program first happens to pull in the two objects.
namespace {

TEST(BaseAndDrawingLibraries, LinkTogether) {
    // The pen's circle and the base cut agree on the same figure.
    const float x[3] = {5, 0, -5}, y[3] = {0, 5, 0};
    float r = 0, cx = 9, cy = 9;
    ASSERT_EQ(get_circle_3points(x, y, &r, &cx, &cy), 1);
    float px = 0, py = 0, qx = -9, qy = -9;
    EXPECT_EQ(JH_GetInterPoint_Circle_LineSection(cx, cy, r, 0, 3, 10, 3, &px, &py, &qx, &qy, 0.001f), 1);
    EXPECT_NEAR(px, 4, 1e-3);
    EXPECT_NEAR(py, 3, 1e-3);
    EXPECT_EQ(qx, -9);
}

}  // namespace

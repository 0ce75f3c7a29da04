#include <gtest/gtest.h>

#include "members/beams/jzl_calc.h"
#include "members/beams/jzl_data.h"

namespace {

// Three segments of one main span with the given case-3 moments (left, middle, right each).
struct Span {
    JZL_BEAM beams[3];
    explicit Span(std::initializer_list<float> m) {
        auto it = m.begin();
        for (JZL_BEAM& b : beams)
            for (float& v : b.moment[2]) v = *it++;
    }
};

TEST(GridBeamRedistribution, HoggingEndsReleaseAlongTheSpan) {
    struct Case {
        const char* name;
        float p;
        Span span;
        float expected[9];
    } cases[] = {
        {"15 % on -100/-40", 15, Span({-100, 0, 0, 0, 0, 0, 0, 0, -40}),
         {-85, 13.5f, 12, 12, 10.5f, 9, 9, 7.5f, -34}},
        {"none", 0, Span({-100, 1, 2, 3, 4, 5, 6, 7, -40}), {-100, 1, 2, 3, 4, 5, 6, 7, -40}},
        // A sagging left end keeps its moment; the line runs from 0 there.
        {"sagging left", 15, Span({20, 0, 0, 0, 0, 0, 0, 0, -60}), {20, 1.5f, 3, 3, 4.5f, 6, 6, 7.5f, -51}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        CJzlData data;
        data.MainRedistribution = c.p;
        data.SecRedistribution = 50;
        jzl_redistribute_line(c.span.beams, 3, &data, 1);
        for (int k = 0; k < 9; ++k) EXPECT_NEAR(c.span.beams[k / 3].moment[2][k % 3], c.expected[k], 1e-4) << k;
    }
}

TEST(GridBeamRedistribution, AbsentFirstSegmentSkipsTheLine) {
    Span span({-100, 0, 0, 0, 0, 0, 0, 0, -40});
    span.beams[0].absent = 1;
    CJzlData data;
    jzl_redistribute_line(span.beams, 3, &data, 1);
    EXPECT_EQ(span.beams[0].moment[2][0], -100.0f);
    EXPECT_EQ(span.beams[2].moment[2][2], -40.0f);
}

}  // namespace

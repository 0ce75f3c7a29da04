// The input sketch: columns, supports and slab of each storey form, the load
// outlines scaled so that the largest is 2 m long, no outline when every load is
// 0, the hatch count of a load, and a refused span text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

#include "base/error.h"
#include "drawing/base_sgt.h"
#include "members/flatslab/wllg_data.h"
#include "support/error_lines.h"

namespace {

using kv::drawing::Entity;
using kv::drawing::EntityKind;

struct Sketch {
    CBase_SGT d;
    Sketch() { d.New_MemDxf(); }
    const std::vector<Entity>& e() const { return d.Entities(); }
    std::vector<Entity> Of(EntityKind k, int color) const {
        std::vector<Entity> out;
        for (const auto& x : e())
            if (x.kind == k && x.color == color) out.push_back(x);
        return out;
    }
};

bool Near(double a, double b) { return std::fabs(a - b) < 1e-4; }

// The support lines (0.6 m long, horizontal) at height y, and how many strokes
// leave them upwards.
int SupportsAt(const Sketch& s, double y) {
    int n = 0;
    for (const auto& x : s.Of(EntityKind::Line, 3))
        if (Near(x.y1, y) && Near(x.y2, y) && Near(std::fabs(x.x2 - x.x1), 0.6)) ++n;
    return n;
}
int StrokesFrom(const Sketch& s, double y, double dy) {
    int n = 0;
    for (const auto& x : s.Of(EntityKind::Line, 3))
        if (Near(x.y1, y) && Near(x.y2 - x.y1, dy)) ++n;
    return n;
}

CWllgData ThreeSpans(int mid) {
    CWllgData w;
    w.m_szSpans = "6 7 8";
    w.m_nMidStorey = mid;
    return w;
}

TEST(WllgSketch, TopStoreyDrawsColumnsSlabSupportsBelowAndLoadsTheLargestTwoMetresLong) {
    CWllgData w = ThreeSpans(0);
    Sketch s;
    ASSERT_EQ(w.DrawSketchTop(&s.d), 1);
    const auto plines = s.Of(EntityKind::Polyline, 3);
    ASSERT_EQ(plines.size(), 5u);  // four columns and the slab
    const double xs[4] = {0, 6, 13, 21};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Near(plines[i].vertices.front().x, xs[i]));
        EXPECT_TRUE(Near(plines[i].vertices.back().y, 4.2));
        EXPECT_TRUE(Near(plines[i].vertices.front().startWidth, 0.2));
    }
    EXPECT_TRUE(Near(plines[4].vertices.back().x, 21));
    EXPECT_TRUE(Near(plines[4].vertices.back().y, 4.2));
    EXPECT_EQ(SupportsAt(s, 0), 4);
    EXPECT_EQ(StrokesFrom(s, 0, -0.3), 16);
    EXPECT_EQ(StrokesFrom(s, 4.2, 0.3), 0);

    // The largest load (100 on the lower columns) is drawn 2 m long: the left
    // column's outline starts 2 m left of its foot, the right column's 2 m right.
    const auto loads = s.Of(EntityKind::Line, 1);
    ASSERT_FALSE(loads.empty());
    double left = 0, right = 21, top = 0;
    for (const auto& x : loads) {
        left = std::min({left, x.x1, x.x2});
        right = std::max({right, x.x1, x.x2});
        top = std::max({top, x.y1, x.y2});
    }
    EXPECT_TRUE(Near(left, -2));
    EXPECT_TRUE(Near(right, 23));
    EXPECT_TRUE(Near(top, 4.2 + 1.2));  // the slab's 60 at the same scale
}

TEST(WllgSketch, MiddleStoreyAddsSupportsHatchedAboveAndTheUpperColumnLoads) {
    CWllgData w = ThreeSpans(1);
    Sketch top, mid;
    ASSERT_EQ(w.DrawSketchTop(&top.d), 1);
    Sketch s;
    w.DrawSketch(&s.d);
    const double H = 4.2 + 3.3;
    EXPECT_EQ(SupportsAt(s, 0), 4);
    EXPECT_EQ(SupportsAt(s, H), 4);
    EXPECT_EQ(StrokesFrom(s, H, 0.3), 16);
    for (const auto& p : s.Of(EntityKind::Polyline, 3))
        if (!Near(p.vertices.front().y, p.vertices.back().y)) EXPECT_TRUE(Near(p.vertices.back().y, H));
    // The upper columns' outlines lie above the slab, beside the columns.
    int upper = 0;
    for (const auto& x : s.Of(EntityKind::Line, 1))
        for (auto [px, py] : {std::pair{x.x1, x.y1}, std::pair{x.x2, x.y2}})
            if (py > 4.2 + 1e-3 && (px < -1e-3 || px > 21 + 1e-3)) ++upper;
    EXPECT_GT(upper, 0);
    EXPECT_GT(s.Of(EntityKind::Line, 1).size(), top.Of(EntityKind::Line, 1).size());
}

// How far left the outlines reach that run below the slab and those that run above it.
std::pair<double, double> LeftReach(const Sketch& s, double slab) {
    double below = 0, above = 0;
    for (const auto& x : s.Of(EntityKind::Line, 1)) {
        const double left = std::min(x.x1, x.x2);
        if (std::min(x.y1, x.y2) < slab - 1e-6) below = std::min(below, left);
        if (std::max(x.y1, x.y2) > slab + 1e-6) above = std::min(above, left);
    }
    return {below, above};
}

TEST(WllgSketch, UpperColumnLoadsSetTheScaleOnlyOfAMiddleStorey) {
    CWllgData w = ThreeSpans(1);
    w.m_fUpLeftQ1 = 400;  // four times the lower columns' 100
    Sketch mid;
    w.DrawSketch(&mid.d);
    // 400 is drawn 2 m long, the lower 100 a quarter of it.
    auto [below, above] = LeftReach(mid, 4.2);
    EXPECT_TRUE(Near(above, -2.0)) << above;
    EXPECT_TRUE(Near(below, -0.5)) << below;
    // A top storey draws no upper columns and scales by its own loads.
    w.m_nMidStorey = 0;
    Sketch top;
    w.DrawSketch(&top.d);
    std::tie(below, above) = LeftReach(top, 4.2);
    EXPECT_TRUE(Near(below, -2.0)) << below;
    EXPECT_TRUE(Near(above, 0.0)) << above;
}

TEST(WllgSketch, AllLoadsZeroDrawNoOutline) {
    for (int mid : {0, 1}) {
        CWllgData w = ThreeSpans(mid);
        w.m_fSlabQ = 0;
        w.m_fLowLeftQ1 = w.m_fLowLeftQ2 = w.m_fLowRightQ1 = w.m_fLowRightQ2 = 0;
        w.m_fUpLeftQ1 = w.m_fUpLeftQ2 = w.m_fUpRightQ1 = w.m_fUpRightQ2 = 0;
        Sketch s;
        w.DrawSketch(&s.d);
        EXPECT_TRUE(s.Of(EntityKind::Line, 1).empty()) << mid;
        for (const auto& x : s.e()) {
            EXPECT_TRUE(std::isfinite(x.x1) && std::isfinite(x.y1)) << mid;
            for (const auto& v : x.vertices) EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y));
        }
    }
}

TEST(WllgSketch, LineLoadHatchesEveryHalfMetreAtLeastOnce) {
    struct Case { float a; size_t hatches; };
    for (const Case c : {Case{0.3f, 1}, Case{0.5f, 1}, Case{1.4f, 2}, Case{4.2f, 8}}) {
        Sketch s;
        CWllgData::DrawLineLoad(&s.d, 0, 0, 0, 5, 1, 0.5f, c.a);
        // B-C, B-foot, A-C and the hatches (the last repeats A-C).
        EXPECT_EQ(s.e().size(), 3 + c.hatches) << c.a;
    }
    // Up a column: the outline lies to the left, B = (-1, 0), C = (-0.5, 1.4),
    // A = (0, 1.4); the hatches join the points halfway and at the end.
    Sketch two;
    CWllgData::DrawLineLoad(&two.d, 0, 0, 0, 5, 1, 0.5f, 1.4f);
    ASSERT_EQ(two.e().size(), 5u);
    const double want[5][4] = {{-1, 0, -0.5, 1.4}, {-1, 0, 0, 0}, {0, 1.4, -0.5, 1.4},
                               {0, 0.7, -0.75, 0.7}, {0, 1.4, -0.5, 1.4}};
    for (int i = 0; i < 5; ++i) {
        const Entity& x = two.e()[i];
        EXPECT_TRUE(Near(x.x1, want[i][0]) && Near(x.y1, want[i][1]) && Near(x.x2, want[i][2]) &&
                    Near(x.y2, want[i][3]))
            << i << ": " << x.x1 << "," << x.y1 << " " << x.x2 << "," << x.y2;
    }
    Sketch none;
    CWllgData::DrawLineLoad(&none.d, 0, 0, 0, 5, 0.000001f, -0.000001f, 4);
    EXPECT_TRUE(none.e().empty());
}

TEST(WllgSketch, RefusedSpanTextDrawsNothingAfterTheParsersMessage) {
    kv::test::ErrorLines lines;
    for (int mid : {0, 1}) {
        CWllgData w = ThreeSpans(mid);
        w.m_szSpans = "*6";
        Sketch s;
        EXPECT_EQ(mid ? w.DrawSketchMid(&s.d) : w.DrawSketchTop(&s.d), 0);
        EXPECT_TRUE(s.e().empty());
        EXPECT_EQ(JS_ERROR_CODE, 301);
    }
    EXPECT_FALSE(lines.lines.empty());
}

}  // namespace

namespace {

// A span typed with a few zeros too many, or as "inf"/"nan", is parsed as it
// stands; the preview redraws on every change and must stay quick, bounded and
// finite.
TEST(WllgSketch, AbsurdSpanLengthsStillDrawABoundedSketch) {
    for (const char* spans : {"1e8", "1e9 6", "1e30", "inf", "nan 6", "-1e9", "-1e30"}) {
        for (int mid : {0, 1}) {
            CWllgData w = ThreeSpans(mid);
            w.m_szSpans = spans;
            Sketch s;
            w.DrawSketch(&s.d);
            // 4 columns with their supports, the slab and the column loads: a few hundred.
            EXPECT_LT(s.e().size(), 5000u) << spans << " " << mid;
        }
    }
}

}  // namespace

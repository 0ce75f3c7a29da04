#include "design/plate_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"

namespace {

// Captures the message channel for one test.
class PlasticPlate : public ::testing::Test {
protected:
    void SetUp() override {
        JS_ERROR_CODE = 0;
        old_ = kv::err::SetSink([this](int code, const std::string& text) { lines_.push_back({code, text}); });
    }
    void TearDown() override {
        kv::err::SetSink(std::move(old_));
        JS_ERROR_CODE = 0;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (const auto& l : lines_) t.push_back(l.text);
        return t;
    }
    std::vector<kv::err::Line> lines_;
    kv::err::Sink old_;
};

struct Moments {
    float Mx = 0, My = 0, Mb = 0, Mr = 0, Mt = 0, Ml = 0;
};

Moments Plastic(float a, float b, float q, std::vector<int> edges, Moments given = {}, float fm = 1, float fe = 1) {
    Moments m = given;
    cal_plate_moment_table(a, b, q, fm, fe, edges.data(), m.Mx, m.My, m.Mb, m.Mr, m.Mt, m.Ml);
    return m;
}

using TextList = std::vector<std::string>;

TEST_F(PlasticPlate, SquareSimplySupportedTakesHalfTheTotalMomentEachWay) {
    Moments m = Plastic(2.0f, 2.0f, 10.0f, {1, 1, 1, 1});
    const float expected = 0.5f * 0.084f * 10.0f * 4.0f;  // 0.042 q a²
    EXPECT_FLOAT_EQ(m.Mx, expected);
    EXPECT_FLOAT_EQ(m.My, expected);
    EXPECT_EQ(m.Mb, 0.0f);
    EXPECT_EQ(m.Ml, 0.0f);
    EXPECT_TRUE(lines_.empty());  // balanced: no message
}

TEST_F(PlasticPlate, SquareFixedOnAllEdgesGetsTwiceTheMidSpanMomentAtEachEdge) {
    Moments m = Plastic(3.0f, 3.0f, 20.0f, {2, 2, 2, 2}, {}, 1.1f, 1.3f);
    const float mid = 0.167f * 0.084f * 20.0f * 9.0f;
    EXPECT_NEAR(m.Mx, 1.1f * mid, 1e-5f);
    EXPECT_NEAR(m.My, 1.1f * mid, 1e-5f);
    for (float edge : {m.Mb, m.Mr, m.Mt, m.Ml}) EXPECT_NEAR(edge, 1.3f * 2 * mid, 1e-5f);
    EXPECT_TRUE(lines_.empty());
}

TEST_F(PlasticPlate, AspectRatioLimitsUseTheEndRowsOfTheTable) {
    // a/b = 2: last row, case h0v0: c = 0.112, kappa = 0.052, alpha = 4.
    Moments m = Plastic(4.0f, 2.0f, 10.0f, {1, 1, 1, 1});
    EXPECT_NEAR(m.Mx, 0.112f * 0.052f * 10.0f * 16.0f, 1e-5f);
    EXPECT_NEAR(m.My, 4.0f * m.Mx, 1e-5f);
    // a/b = 0.5: first row, case h1v0 (bottom fixed): c = 0.800, kappa = 0.105, alpha = 0.25.
    m = Plastic(1.0f, 2.0f, 10.0f, {2, 1, 1, 1});
    const float mx = 0.800f * 0.105f * 10.0f;
    EXPECT_NEAR(m.Mx, mx, 1e-5f);
    EXPECT_NEAR(m.My, 0.25f * mx, 1e-5f);
    EXPECT_NEAR(m.Mb, 2 * 0.25f * mx, 1e-5f);
}

TEST_F(PlasticPlate, BetweenRowsTheCoefficientsAreInterpolated) {
    // a/b = 1.05, case h0v2: c = (0.250 + 0.232)/2, kappa = (0.084 + 0.079)/2, alpha = 1.1.
    Moments m = Plastic(2.1f, 2.0f, 10.0f, {1, 2, 1, 2});
    const float mx = 0.241f * 0.0815f * 10.0f * 2.1f * 2.1f;
    EXPECT_NEAR(m.Mx, mx, 1e-4f);
    EXPECT_NEAR(m.My, 1.1f * mx, 1e-4f);
    EXPECT_NEAR(m.Mr, 2 * m.Mx, 1e-5f);
    EXPECT_NEAR(m.Ml, 2 * m.Mx, 1e-5f);
    EXPECT_EQ(m.Mb, 0.0f);
}

TEST_F(PlasticPlate, EachEdgeCombinationUsesItsOwnCaseColumn) {
    // a/b = 1.5 (a table row): kappa = 0.065, alpha = 2.25, and the nine case
    // columns all differ there, so a combination routed to the wrong case shows.
    struct Case {
        std::vector<int> edges;
        float c;
    };
    const std::vector<Case> cases = {
        {{1, 1, 1, 1}, 0.229f},
        {{1, 2, 1, 1}, 0.186f}, {{1, 1, 1, 2}, 0.186f},
        {{2, 1, 1, 1}, 0.129f}, {{1, 1, 2, 1}, 0.129f},
        {{1, 2, 1, 2}, 0.157f},
        {{2, 1, 2, 1}, 0.090f},
        {{2, 2, 1, 1}, 0.115f}, {{1, 2, 2, 1}, 0.115f}, {{1, 1, 2, 2}, 0.115f}, {{2, 1, 1, 2}, 0.115f},
        {{1, 2, 2, 2}, 0.103f}, {{2, 2, 1, 2}, 0.103f},
        {{2, 1, 2, 2}, 0.083f}, {{2, 2, 2, 1}, 0.083f},
        {{2, 2, 2, 2}, 0.077f},
    };
    const float o = 0.065f * 10.0f * 9.0f;
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.edges[0]) + std::to_string(c.edges[1]) +
                                 std::to_string(c.edges[2]) + std::to_string(c.edges[3]);
        Moments m = Plastic(3.0f, 2.0f, 10.0f, c.edges);
        const float mx = c.c * o, my = 2.25f * mx;
        EXPECT_NEAR(m.Mx, mx, 1e-5f) << name;
        EXPECT_NEAR(m.My, my, 1e-5f) << name;
        const float edge[4] = {m.Mb, m.Mr, m.Mt, m.Ml};
        for (int i = 0; i < 4; ++i) {
            const float fixed = (i % 2 == 0) ? 2 * my : 2 * mx;
            EXPECT_NEAR(edge[i], c.edges[i] == 2 ? fixed : 0.0f, 1e-5f) << name << " edge " << i;
        }
    }
    EXPECT_TRUE(lines_.empty());  // every column balances the total moment
}

TEST_F(PlasticPlate, BeyondTheTableAOneWayStripCarriesTheLoad) {
    struct Case {
        const char* name;
        float a, b;
        std::vector<int> edges;
        Moments given;
        Moments expected;
    };
    const float q = 12.0f;
    // Span b = 2 (a/b just above 2) or span a = 2 (a/b just below 0.5): q L² = 48.
    const std::vector<Case> cases = {
        {"over b, both simple", 4.02f, 2.0f, {1, 1, 1, 1}, {}, {0, 6.0f, 0, 0, 0, 0}},
        {"over b, both fixed", 4.02f, 2.0f, {2, 1, 2, 1}, {}, {0, 2.0f, 4.0f, 0, 4.0f, 0}},
        // Propped: fixed bottom, given moment 1.6 on the simple top edge.
        {"over b, propped", 4.02f, 2.0f, {2, 2, 1, 1}, {0, 0, 0, 0, 1.6f, 0},
         {0, 9 * 48 / 128.0f - 1.0f, 6.0f - 0.8f, 0, 1.6f, 0}},
        {"over a, both simple", 2.0f, 4.02f, {2, 1, 2, 1}, {}, {6.0f, 0, 0, 0, 0, 0}},
        {"over a, right fixed", 2.0f, 4.02f, {1, 2, 1, 1}, {}, {9 * 48 / 128.0f, 0, 0, 6.0f, 0, 0}},
        {"over a, both fixed", 2.0f, 4.02f, {1, 2, 1, 2}, {}, {2.0f, 0, 0, 4.0f, 0, 4.0f}},
    };
    for (const Case& c : cases) {
        Moments m = Plastic(c.a, c.b, q, c.edges, c.given);
        EXPECT_NEAR(m.Mx, c.expected.Mx, 1e-5f) << c.name;
        EXPECT_NEAR(m.My, c.expected.My, 1e-5f) << c.name;
        EXPECT_NEAR(m.Mb, c.expected.Mb, 1e-5f) << c.name;
        EXPECT_NEAR(m.Mr, c.expected.Mr, 1e-5f) << c.name;
        EXPECT_NEAR(m.Mt, c.expected.Mt, 1e-5f) << c.name;
        EXPECT_NEAR(m.Ml, c.expected.Ml, 1e-5f) << c.name;
    }
    EXPECT_TRUE(lines_.empty());
}

TEST_F(PlasticPlate, OneWayStripKeepsTheOtherDirectionAndScalesEveryEdge) {
    // Span b: Mx keeps its entry value; the right and left moments (parallel to
    // the strip) are only multiplied by fe.
    Moments given{0, 0, 0, 0.5f, 0, 0.25f};
    Moments m = Plastic(6.0f, 2.0f, 10.0f, {2, 2, 2, 2}, given, 1.5f, 2.0f);
    EXPECT_EQ(m.Mx, 0.0f);
    EXPECT_NEAR(m.My, 1.5f * 40.0f / 24.0f, 1e-5f);
    EXPECT_NEAR(m.Mb, 2.0f * 40.0f / 12.0f, 1e-5f);
    EXPECT_NEAR(m.Mt, 2.0f * 40.0f / 12.0f, 1e-5f);
    EXPECT_FLOAT_EQ(m.Mr, 1.0f);
    EXPECT_FLOAT_EQ(m.Ml, 0.5f);
}

TEST_F(PlasticPlate, GivenMomentOnASimpleEdgeLowersMidSpanAndIsScaled) {
    // Square, all simple, 4.0 given at the bottom: Mx = (o - 4/2)·0.5.
    Moments m = Plastic(2.0f, 2.0f, 10.0f, {1, 1, 1, 1}, {0, 0, 4.0f, 0, 0, 0}, 1.0f, 1.2f);
    const float o = 0.084f * 10.0f * 4.0f;
    EXPECT_NEAR(m.Mx, (o - 2.0f) * 0.5f, 1e-5f);
    EXPECT_NEAR(m.My, m.Mx, 1e-6f);
    EXPECT_FLOAT_EQ(m.Mb, 4.8f);
    EXPECT_TRUE(lines_.empty());
}

TEST_F(PlasticPlate, EntryValueOfAFixedEdgeEntersTheTotalAndCanUnbalanceIt) {
    // All fixed, square, o = 0.84. A -0.2 given on the fixed bottom edge raises
    // Mx through the net total moment and is then replaced: the moments exceed o
    // by about 10 %, so the balance check speaks, and the results stay.
    Moments m = Plastic(1.0f, 1.0f, 10.0f, {2, 2, 2, 2}, {0, 0, -0.2f, 0, 0, 0});
    const float mx = (0.84f - (-0.2f) / 2.0f) * 0.167f;
    EXPECT_NEAR(m.Mx, mx, 1e-5f);
    EXPECT_NEAR(m.Mb, 2 * mx, 1e-5f);
    EXPECT_EQ(Texts(), (TextList{"计算内力不平衡!"}));
    EXPECT_EQ(JS_ERROR_CODE, 201);
}

TEST_F(PlasticPlate, UnknownEdgeCombinationsChangeNothing) {
    for (std::vector<int> edges : {std::vector<int>{1, 3, 1, 1}, std::vector<int>{0, 0, 0, 0}}) {
        lines_.clear();
        Moments given{0, 0, 1.0f, 2.0f, 3.0f, 4.0f};
        Moments m = Plastic(2.0f, 2.0f, 10.0f, edges, given, 2.0f, 2.0f);
        EXPECT_EQ(m.Mx, 0.0f);
        EXPECT_EQ(m.My, 0.0f);
        EXPECT_EQ(m.Mb, 1.0f);
        EXPECT_EQ(m.Mr, 2.0f);
        EXPECT_EQ(m.Mt, 3.0f);
        EXPECT_EQ(m.Ml, 4.0f);
        EXPECT_EQ(Texts(), (TextList{"此种支撑条件不能计算 !"}));
        EXPECT_EQ(lines_[0].code, 201);
    }
}

TEST_F(PlasticPlate, ZeroLoadReportsAZeroTotalOnlyInTheTwoWayRange) {
    Moments m = Plastic(2.0f, 2.0f, 0.0f, {2, 1, 2, 1});
    EXPECT_EQ(Texts(), (TextList{"总弯矩为零"}));
    for (float v : {m.Mx, m.My, m.Mb, m.Mr, m.Mt, m.Ml}) EXPECT_EQ(v, 0.0f);

    lines_.clear();
    for (float a : {5.0f, 0.5f}) {
        m = Plastic(a, 2.0f, 0.0f, {2, 2, 2, 2});
        for (float v : {m.Mx, m.My, m.Mb, m.Mr, m.Mt, m.Ml}) EXPECT_EQ(v, 0.0f);
    }
    EXPECT_TRUE(lines_.empty());
}

TEST_F(PlasticPlate, MirroredEdgeCombinationsGiveMirroredMoments) {
    // (2,2,1,1) and (1,1,2,2) share a case; their edge moments swap sides.
    Moments m1 = Plastic(3.0f, 2.5f, 10.0f, {2, 2, 1, 1});
    Moments m2 = Plastic(3.0f, 2.5f, 10.0f, {1, 1, 2, 2});
    EXPECT_FLOAT_EQ(m1.Mx, m2.Mx);
    EXPECT_FLOAT_EQ(m1.My, m2.My);
    EXPECT_FLOAT_EQ(m1.Mb, m2.Mt);
    EXPECT_FLOAT_EQ(m1.Mr, m2.Ml);
    EXPECT_EQ(m1.Mt, 0.0f);
    EXPECT_EQ(m1.Ml, 0.0f);
}

}  // namespace

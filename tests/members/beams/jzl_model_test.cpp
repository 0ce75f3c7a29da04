#include <gtest/gtest.h>

#include <string>

#include "base/error.h"
#include "members/beams/jzl_calc.h"
#include "members/beams/jzl_data.h"

namespace {

// The last line of the error channel, after a fresh start.
class Channel {
public:
    Channel() {
        JS_ERROR_CODE = 0;
        kv::err::ClearRecentLines();
    }
    ~Channel() { JS_ERROR_CODE = 0; }
    std::string Last() const {
        const auto& lines = kv::err::RecentLines();
        return lines.empty() ? std::string() : lines.back().text;
    }
};

void Build(CJzlJs& js, CJzlData& data) {
    js.jzl_build_grid(&data);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    js.jzl_prepare_model();
}

TEST(GridBeamModel, SpanListsParseAndRefuse) {
    struct Ok {
        const char* text;
        std::vector<float> spans;
    } ok[] = {{"6.0 5.2*2 3.0", {6.0f, 5.2f, 5.2f, 3.0f}}, {"6*2", {6, 6}}, {" 4,5 ", {4, 5}}, {"6*30", {}}};
    for (const Ok& c : ok) {
        SCOPED_TRACE(c.text);
        Channel channel;
        const std::vector<float> spans = jzl_parse_spans(c.text);
        EXPECT_EQ(JS_ERROR_CODE, 0);
        EXPECT_EQ(spans.size(), c.spans.empty() ? 30u : c.spans.size());
        if (!c.spans.empty()) {
            EXPECT_EQ(spans, c.spans);
        }
    }
    struct Bad {
        std::string text;
        const char* message;
    } bad[] = {{"5.2*", "跨长输入有误 !"},     {"*3", "跨长输入有误 !"},     {"6 5.2* 3", "跨长输入有误 !"},
               {"6*31", "跨数不能超过 30 !"}, {"6*29 1 1", "跨数不能超过 30 !"}, {"6*0", "跨长输入有误 !"},
               {"", "跨长输入有误 !"},         {"6*-2 1 1 1", "跨长输入有误 !"}, {"6*99999999999", "跨数不能超过 30 !"},
               // Longer than the data file's field: refused rather than cut.
               {std::string(298, ' ') + "12", "跨长输入有误 !"}};
    for (const Bad& c : bad) {
        SCOPED_TRACE(c.text);
        Channel channel;
        EXPECT_TRUE(jzl_parse_spans(c.text).empty());
        EXPECT_EQ(JS_ERROR_CODE, kv::err::kFailure);
        EXPECT_EQ(channel.Last(), c.message);
    }
}

TEST(GridBeamModel, DefaultGridHasItsNodesBeamsAndPanels) {
    Channel channel;
    CJzlData data;
    CJzlJs js;
    Build(js, data);
    ASSERT_EQ(js.m_Nodes.size(), 15u);
    EXPECT_EQ(js.m_nXBeams, 12);
    EXPECT_EQ(js.m_nYBeams, 10);
    ASSERT_EQ(js.m_Beams.size(), 22u);
    EXPECT_EQ(js.m_Panels.size(), 8u);

    int absent = 0;
    for (int i = 0; i < 22; ++i) {
        const bool edge = i < 12 ? i / 4 != 1 : (i - 12) % 5 == 0 || (i - 12) % 5 == 4;
        EXPECT_EQ(js.m_Beams[i].absent, edge ? 1 : 0) << i;
        absent += js.m_Beams[i].absent;
    }
    EXPECT_EQ(absent, 12);
    // The elements number the ten present beams in table order.
    EXPECT_EQ(js.m_Beams[4].element, 1);   // row 1, from the left edge
    EXPECT_EQ(js.m_Beams[12].element, -1); // left edge
    EXPECT_EQ(js.m_Beams[21].element, -1);

    for (int i = 0; i < 15; ++i) {
        const JZL_NODE& n = js.m_Nodes[i];
        const bool corner = i == 0 || i == 4 || i == 10 || i == 14;
        EXPECT_EQ(n.hidden, corner ? 1 : 0) << i;
        EXPECT_EQ(n.support, corner ? 2 : 1) << i;
        EXPECT_EQ(n.index, i);
    }
    EXPECT_FLOAT_EQ(js.m_Nodes[3].x, 16.4f);
    EXPECT_FLOAT_EQ(js.m_Nodes[14].y, 12.0f);

    // Each panel walks bottom, right, top, left: corners counter-clockwise from the lower left.
    const JZL_PANEL& p = js.m_Panels[5];  // second band, second column
    EXPECT_EQ(p.edge[0], 6);
    EXPECT_EQ(p.edge[1], 12 + 5 + 3);
    EXPECT_EQ(p.edge[2], -10);
    EXPECT_EQ(p.edge[3], -(12 + 5 + 2));
    const int nodes[4] = {7, 8, 13, 12};
    const float xs[4] = {6, 11.2f, 11.2f, 6}, ys[4] = {6, 6, 12, 12};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(p.node[k], nodes[k]);
        EXPECT_FLOAT_EQ(p.x[k], xs[k]);
        EXPECT_FLOAT_EQ(p.y[k], ys[k]);
    }
    EXPECT_EQ(p.load, 6.0f);
}

TEST(GridBeamModel, SecondaryRowsStandBetweenTheMainBeams) {
    Channel channel;
    CJzlData data;
    data.XSecondary = 1;
    CJzlJs js;
    Build(js, data);
    // Five rows at 0, 3, 6, 9, 12 m of five columns.
    ASSERT_EQ(js.m_Nodes.size(), 25u);
    for (int r : {1, 3}) {
        EXPECT_FLOAT_EQ(js.m_Nodes[r * 5].y, 3.0f * r);
        for (int c = 0; c < 5; ++c) EXPECT_EQ(js.m_Nodes[r * 5 + c].support, c == 0 || c == 4 ? 1 : 0) << r << c;
        for (int c = 0; c < 4; ++c) EXPECT_EQ(js.m_Beams[r * 4 + c].secondary, 1);
        EXPECT_EQ(js.m_Beams[r * 4 + 1].b, 200.0f);
        EXPECT_EQ(js.m_Beams[r * 4 + 1].h, 400.0f);
    }
    EXPECT_EQ(js.m_Nodes[2 * 5 + 2].support, 1);
    EXPECT_EQ(js.m_Beams[2 * 4].secondary, 0);
    EXPECT_EQ(js.m_Beams[2 * 4].h, 500.0f);
}

TEST(GridBeamModel, EdgeBeamsAndEdgeSupports) {
    Channel channel;
    CJzlData bottom;
    bottom.EdgeBeam[0] = 1;
    bottom.EdgeSupport[0] = 2;
    CJzlJs a;
    Build(a, bottom);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(a.m_Nodes[c].support, 2) << c;
    EXPECT_EQ(a.m_Nodes[0].hidden, 0);
    EXPECT_EQ(a.m_Nodes[10].hidden, 1);
    EXPECT_EQ(a.m_Beams[0].absent, 0);
    EXPECT_EQ(a.m_Beams[0].h, 600.0f);
    EXPECT_EQ(a.m_Beams[0].element, 1);

    CJzlData all;
    for (int e = 0; e < 4; ++e) all.EdgeBeam[e] = 1;
    all.EdgeSupport[1] = 0;  // a free edge still keeps its corners on columns
    CJzlJs b;
    Build(b, all);
    for (std::size_t i = 0; i < b.m_Beams.size(); ++i) EXPECT_EQ(b.m_Beams[i].element, static_cast<int>(i) + 1);
    for (const JZL_NODE& n : b.m_Nodes) EXPECT_EQ(n.hidden, 0);
    EXPECT_EQ(b.m_Nodes[4].support, 1);
    EXPECT_EQ(b.m_Nodes[9].support, 0);
}

TEST(GridBeamModel, SecondaryCountsOutOfRangeAreRefusedBeforeBuilding) {
    for (int count : {-1, 11}) {
        Channel channel;
        CJzlData data;
        data.YSecondary = count;
        CJzlJs js;
        js.jzl_build_grid(&data);
        EXPECT_EQ(JS_ERROR_CODE, kv::err::kFailure);
        EXPECT_EQ(channel.Last(), "次梁数应在 0 到 10 之间 !");
        EXPECT_TRUE(js.m_Nodes.empty());
    }
}

// The library's node table holds 10,000 nodes: 30 spans of 6 m with three
// secondary beams each way make 121 × 121 = 14,641, refused before any table
// is made; two each way (91 × 91 = 8,281) still build.
TEST(GridBeamModel, GridsPastTheLibrarysNodeTableAreRefused) {
    struct Case {
        int secondary;
        bool refused;
    } cases[] = {{3, true}, {2, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.secondary);
        Channel channel;
        CJzlData data;
        data.XSpans = data.YSpans = "6*30";
        data.XSecondary = data.YSecondary = c.secondary;
        CJzlJs js;
        js.jzl_build_grid(&data);
        if (c.refused) {
            EXPECT_EQ(JS_ERROR_CODE, kv::err::kFailure);
            EXPECT_EQ(channel.Last(), "Point_num = 10000 over flow !");
            EXPECT_TRUE(js.m_Nodes.empty());
        } else {
            EXPECT_EQ(JS_ERROR_CODE, 0);
            EXPECT_EQ(js.m_Nodes.size(), 8281u);
        }
    }
}

// One span each way without edge beams or secondary beams leaves only the four
// absent edge lines: nothing to analyse.
TEST(GridBeamModel, GridWithoutAPresentBeamIsRefused) {
    Channel channel;
    CJzlData data;
    data.XSpans = "6";
    data.YSpans = "4";
    CJzlJs js;
    js.jzl_build_grid(&data);
    ASSERT_EQ(JS_ERROR_CODE, 0);
    js.jzl_prepare_model();
    EXPECT_EQ(JS_ERROR_CODE, kv::err::kFailure);
    EXPECT_EQ(channel.Last(), "没有可以计算的梁（请设边梁或次梁）!");
    data.EdgeBeam[2] = 1;
    JS_ERROR_CODE = 0;
    CJzlJs top;
    Build(top, data);
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

TEST(GridBeamModel, BeamFinderAnswersEitherDirection) {
    Channel channel;
    CJzlData data;
    CJzlJs js;
    Build(js, data);
    EXPECT_EQ(js.FindBeam(7, 8), 6);
    EXPECT_EQ(js.FindBeam(12, 7), 12 + 5 + 2);
    EXPECT_EQ(JS_ERROR_CODE, 0);
    EXPECT_EQ(js.FindBeam(1, 15), 1);
    EXPECT_EQ(channel.Last(), "找不到对应的梁号 !");
    EXPECT_EQ(JS_ERROR_CODE, kv::err::kDataError);
}

}  // namespace

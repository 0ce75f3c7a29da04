#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "jzl_test_support.h"

namespace {

using kv::test::BuildModel;
using kv::test::JzlFolder;

// The lines of one case block (from its counts line, 0-based case c).
std::vector<std::string> CaseBlock(const std::vector<std::string>& lines, int c) {
    std::size_t at = 0;
    while (at < lines.size() && lines[at] != "##  荷载") ++at;
    at += 2;
    for (int k = 0;; ++k) {
        const std::string& counts = lines.at(at);
        const int nodes = std::stoi(counts.substr(0, 8)), beams = std::stoi(counts.substr(9, 8));
        if (k == c) return {lines.begin() + at, lines.begin() + at + 1 + nodes + beams};
        at += 1 + nodes + beams;
    }
}

TEST(GridBeamInput, DefaultGridWritesItsNodesBeamsAndRestraints) {
    JzlFolder folder;
    CJzlData data;
    CJzlJs js;
    BuildModel(js, data);
    js.WriteYxyJsDat();
    js.WriteYsFb();
    ASSERT_EQ(JS_ERROR_CODE, 0);
    const auto lines = folder.Lines("YXY_JS.DAT");
    ASSERT_GT(lines.size(), 30u);
    EXPECT_EQ(lines[0], "##  有限元计算数据文件    Ver. 1.0");
    EXPECT_EQ(lines[1], "##  结点");
    EXPECT_EQ(lines[2], "15");
    EXPECT_EQ(lines[3], "1,0.000,0.000,1");
    EXPECT_EQ(lines[6], "4,16.400,0.000,1");
    EXPECT_EQ(lines[17], "15,19.400,12.000,1");
    EXPECT_EQ(lines[18], "##  梁");
    EXPECT_EQ(lines[19], "10,20");
    // The running number, then the place in the table with the absent beams counted.
    EXPECT_EQ(lines[20], "1,5,1,6,7,200,500,0.000,0,0.000,0.000,0,0,0");
    EXPECT_EQ(lines[29], "10,21,1,9,14,200,500,0.000,0,0.000,0.000,0,0,0");
    EXPECT_EQ(lines[30], "##  板");
    EXPECT_EQ(lines[31], "0,0");
    EXPECT_EQ(lines[32], "##  支撑");
    EXPECT_EQ(lines[33], "0,0");
    EXPECT_EQ(lines[34], "##  荷载");
    EXPECT_EQ(lines[35], "3");
    EXPECT_EQ(lines[lines.size() - 2], "##  土层信息");
    EXPECT_EQ(lines.back(), "0");

    // Case 2 carries the zero second load line for line; case 3 both.
    const auto one = CaseBlock(lines, 0), two = CaseBlock(lines, 1), three = CaseBlock(lines, 2);
    ASSERT_GT(one.size(), 1u);
    EXPECT_EQ(one[0], "00000000,000000" + std::to_string(one.size() - 1) + ",00000000");
    EXPECT_EQ(two.size(), one.size());
    EXPECT_EQ(three.size(), 2 * one.size() - 1);
    for (std::size_t i = 1; i < two.size(); ++i) {
        EXPECT_NE(two[i].find(",1,0.00,0.00,"), std::string::npos) << two[i];
        // The same segment, numbered on after case 1's lines.
        EXPECT_EQ(three[i], one[i]);
        EXPECT_EQ(three[i + one.size() - 1].substr(three[i + one.size() - 1].find(',')),
                  two[i].substr(two[i].find(',')));
    }

    const auto ys = folder.Lines("YS.FB");
    ASSERT_EQ(ys.size(), 24u);
    EXPECT_EQ(ys[0], "00000023");
    EXPECT_EQ(ys[1], "0,1");
    EXPECT_EQ(ys[3], "0,3");
    EXPECT_EQ(ys[4], "1,1");
}

// One panel of 6 m by 3 m inside four edge beams.
CJzlData OnePanel(int mode) {
    CJzlData data;
    data.XSpans = "6";
    data.YSpans = "3";
    data.LoadMode = mode;
    for (int e = 0; e < 4; ++e) data.EdgeBeam[e] = 1;
    return data;
}

TEST(GridBeamInput, PanelLoadsFollowTheLoadMode) {
    struct Case {
        int mode;
        float unitWeight;
        std::vector<std::string> block;  // case 1
    } cases[] = {
        // Two-way: trapezoids with 1.5 m ramps on the 6 m edges, triangles on the 3 m edges.
        {0, 0, {"00000000,00000010,00000000",
                "1,1,1,0.00,9.00,0.00,1.50", "2,1,1,9.00,9.00,1.50,4.50", "3,1,1,9.00,0.00,4.50,6.00",
                "4,4,1,0.00,9.00,0.00,1.50", "5,4,1,9.00,0.00,1.50,3.00",
                "6,2,1,0.00,9.00,0.00,1.50", "7,2,1,9.00,9.00,1.50,4.50", "8,2,1,9.00,0.00,4.50,6.00",
                "9,3,1,0.00,9.00,0.00,1.50", "10,3,1,9.00,0.00,1.50,3.00"}},
        // Around the perimeter: q·A/P = 6·18/18 on every edge.
        {1, 0, {"00000000,00000004,00000000", "1,1,1,6.00,6.00,0.00,6.00", "2,4,1,6.00,6.00,0.00,3.00",
                "3,2,1,6.00,6.00,0.00,6.00", "4,3,1,6.00,6.00,0.00,3.00"}},
        // To the corners: A·q/4 = 27 kN each; the beams carry their self weight
        // 0.25·0.6·25·1.2 = 4.5 kN/m only.
        {2, 25, {"00000004,00000004,00000000", "1,1,27.00,0.00,0.00", "2,2,27.00,0.00,0.00",
                 "3,4,27.00,0.00,0.00", "4,3,27.00,0.00,0.00", "1,1,1,4.50,4.50,0.00,6.00",
                 "2,2,1,4.50,4.50,0.00,6.00", "3,3,1,4.50,4.50,0.00,3.00", "4,4,1,4.50,4.50,0.00,3.00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        JzlFolder folder;
        CJzlData data = OnePanel(c.mode);
        data.UnitWeight = c.unitWeight;
        CJzlJs js;
        BuildModel(js, data);
        js.WriteYxyJsDat();
        ASSERT_EQ(JS_ERROR_CODE, 0);
        const auto lines = folder.Lines("YXY_JS.DAT");
        EXPECT_EQ(CaseBlock(lines, 0), c.block);
        // In mode 2 a zero second load writes no node loads.
        if (c.mode == 2) {
            EXPECT_EQ(CaseBlock(lines, 1)[0], "00000000,00000000,00000000");
        }
    }
}

TEST(GridBeamInput, PanelWithoutLengthStopsTheWriterWithItsCountsUnwritten) {
    JzlFolder folder;
    CJzlData data = OnePanel(0);
    data.XSpans = "0";
    CJzlJs js;
    BuildModel(js, data);
    js.WriteYxyJsDat();
    EXPECT_EQ(JS_ERROR_CODE, kv::err::kDataError);
    EXPECT_TRUE(folder.errors.Has(kv::err::kDataError, "导荷载时发现板边段的长度为零 !"));
    const auto lines = folder.Lines("YXY_JS.DAT");
    const auto one = CaseBlock(lines, 0);
    EXPECT_EQ(one[0], "00000000,00000000,00000000");
    EXPECT_NE(lines.back(), "0");
    EXPECT_EQ(JS_OpenFileNum, 0);
}

// FORCE.FB as the library lays it out: three counts, the block positions of
// every case, then per case one 228-byte record per beam.
std::string ForceFile(int beams, int cases, bool zeroPosition = false) {
    std::string bytes(12 + 8 * cases, '\0');
    auto put = [&](std::size_t at, const void* v) { std::memcpy(&bytes[at], v, 4); };
    const std::int32_t counts[3] = {beams, 0, cases};
    for (int k = 0; k < 3; ++k) put(4 * k, &counts[k]);
    for (int c = 0; c < cases; ++c) {
        const std::int32_t at = zeroPosition && c == 1 ? 0 : static_cast<std::int32_t>(bytes.size());
        put(12 + 8 * c, &at);
        put(16 + 8 * c, &at);  // no plates: their block starts where the beams' does
        for (int j = 0; j < beams; ++j) {
            std::string record(228, '\0');
            std::memcpy(&record[0], &j, 4);
            // Field k of beam j in case c: 1000·c + 10·j + k.
            for (int k = 7; k <= 15; ++k) {
                const float v = 1000.0f * c + 10.0f * j + k;
                std::memcpy(&record[4 * k], &v, 4);
            }
            bytes += record;
        }
    }
    return bytes;
}

TEST(GridBeamInput, ForcesComeFromTheirRecordBytes) {
    JzlFolder folder;
    CJzlData data;
    CJzlJs js;
    BuildModel(js, data);
    folder.Write("FORCE.FB", ForceFile(10, 3));
    js.ReadForceFb();
    ASSERT_EQ(JS_ERROR_CODE, 0);
    const JZL_BEAM& b = js.m_Beams[20];  // element 10, record 9
    ASSERT_EQ(b.element, 10);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(b.moment[c][0], 1000.0f * c + 97);
        EXPECT_EQ(b.moment[c][1], 1000.0f * c + 98);
        EXPECT_EQ(b.moment[c][2], 1000.0f * c + 99);
    }
    // Shears and torques of case 3: start, start, end.
    EXPECT_EQ(b.shear[0], 2100.0f);
    EXPECT_EQ(b.shear[1], 2100.0f);
    EXPECT_EQ(b.shear[2], 2102.0f);
    EXPECT_EQ(b.torque[0], 2103.0f);
    EXPECT_EQ(b.torque[1], 2103.0f);
    EXPECT_EQ(b.torque[2], 2105.0f);
    EXPECT_EQ(js.m_Beams[0].moment[2][1], 0.0f);  // absent

    struct Bad {
        std::string bytes;
        const char* message;
    } bad[] = {{"", "打不开有限元计算内力文件 ！"},
               {ForceFile(10, 3, true), "打不开有限元计算内力文件 ！"},  // a run that stopped early
               {ForceFile(10, 2), "读入梁内力信息时发生错误"},
               {ForceFile(10, 3).substr(0, 12 + 24 + 228 * 25), "读入梁内力信息时发生错误"},
               {ForceFile(8, 3), "读入梁内力信息时发生错误"}};
    for (const Bad& c : bad) {
        JzlFolder other;
        CJzlJs again;
        BuildModel(again, data);
        if (!c.bytes.empty()) other.Write("FORCE.FB", c.bytes);
        again.ReadForceFb();
        EXPECT_EQ(JS_ERROR_CODE, kv::err::kFailure);
        EXPECT_TRUE(other.errors.Has(kv::err::kFailure, c.message)) << c.message;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "jzl_test_support.h"

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


// The lines of `lines` from the one equal to `head` on, `count` of them.
std::vector<std::string> From(const std::vector<std::string>& lines, const std::string& head, std::size_t count) {
    const auto at = std::find(lines.begin(), lines.end(), head);
    if (at == lines.end() || static_cast<std::size_t>(lines.end() - at) < count) return {};
    return {at, at + static_cast<std::ptrdiff_t>(count)};
}

// Made-up case-3 forces on the default grid: beam 5 (element 1, the first
// inner horizontal span) sags by 90 kN·m in its middle and hogs at its ends;
// beam 6's middle takes 2000 kN·m, more than a 200 × 500 section can carry.
TEST(GridBeamReport, ConditionsScriptsAndOneBlockPerPresentBeam) {
    kv::test::JzlFolder folder;
    CJzlData data;
    data.m_strName = "井字梁 JZL1";
    data.SetFileName("A");
    data.Steam = 1;
    CJzlJs js;
    kv::test::BuildModel(js, data);
    JZL_BEAM& first = js.m_Beams[4];
    ASSERT_EQ(first.element, 1);
    const float m[3] = {-60, 90, -120};
    std::copy(m, m + 3, first.moment[2]);
    first.shear[0] = first.shear[1] = 55.5f;
    first.shear[2] = -66.25f;
    first.torque[0] = first.torque[1] = 1.5f;
    first.torque[2] = -2.0f;
    js.m_Beams[5].moment[2][1] = 2000;
    js.WriteReport();
    EXPECT_EQ(JS_ERROR_CODE, 0);

    const std::vector<std::string> lines = folder.Lines("A_JZL.RTF");
    ASSERT_GT(lines.size(), 20u);
    EXPECT_EQ(lines[1], "计算项目: 井字梁 JZL1");
    const std::vector<std::string> conditions = From(lines, "[ 计算条件 ]", 14);
    ASSERT_EQ(conditions.size(), 14u);
    EXPECT_EQ(conditions[1], "  梁总数: 22");
    EXPECT_EQ(conditions[3], "  配筋计算as(mm): 35(mm)");
    EXPECT_EQ(conditions[6], "  箍筋间距: 150(mm)");
    EXPECT_EQ(conditions[7], "  均布荷载: 6.000(kN/m2)");
    EXPECT_EQ(conditions[9], "  主梁支座弯矩调幅幅度: 15.000");
    EXPECT_EQ(conditions[11], "  考虑蒸气养护或掺早强剂");
    EXPECT_EQ(conditions[12], "  荷载分配模式:  (双向) ");
    std::string all;
    for (const std::string& l : lines) all += l + "\n";
    const std::size_t jt = all.find("InsertDxf=AJT_JZL.DXF"), table = all.find("[ 内力配筋 ]"),
                      nl = all.find("InsertDxf=ANL_JZL.DXF"), pj = all.find("InsertDxf=APJ_JZL.DXF");
    ASSERT_NE(jt, std::string::npos);
    EXPECT_LT(jt, table);
    EXPECT_LT(table, nl);
    EXPECT_LT(nl, pj);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "  荷载分配模式:  (双向) "), 1);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("梁号:", 0) == 0; }),
              10) << "the twelve absent edge beams write nothing";

    const std::vector<std::string> block =
        From(lines, "梁号: 1   左节点号: 6 右节点号: 7 梁宽: 200(mm) 梁高: 500(mm)", 15);
    ASSERT_EQ(block.size(), 15u);
    EXPECT_EQ(block[3], "                            左             中             右");
    EXPECT_EQ(block[4], "弯    矩(kN.m):            -60             90           -120");
    EXPECT_EQ(block[5], "剪    力(kN  ):          55.50                        -66.25");
    EXPECT_EQ(block[6], "扭    矩(kN.m):           1.50                         -2.00");
    EXPECT_EQ(block[8], "                             左             中             右");
    // Hogging ends carry more top than bottom steel, the sagging middle the reverse.
    auto column = [](const std::string& line, int j) { return std::stof(line.substr(line.find(':') + 1 + 15 * j, 15)); };
    const std::string& topLine = block[9];
    const std::string& bottomLine = block[10];
    ASSERT_EQ(topLine.rfind("上部纵筋(mm2):", 0), 0u);
    ASSERT_EQ(bottomLine.rfind("下部纵筋(mm2):", 0), 0u);
    EXPECT_GT(column(topLine, 0), column(bottomLine, 0));
    EXPECT_GT(column(topLine, 2), column(topLine, 0)) << "120 kN·m needs more than 60";
    EXPECT_GT(column(bottomLine, 1), column(topLine, 1));
    EXPECT_NEAR(first.top_steel[1], column(topLine, 1), 0.5f);
    EXPECT_GT(first.shear_stirrup[2], 0);

    // The overloaded middle: its explanation, then "——" in the middle column only.
    const auto head = std::find(lines.begin(), lines.end(), "梁号: 2   左节点号: 7 右节点号: 8 梁宽: 200(mm) 梁高: 500(mm)");
    ASSERT_NE(head, lines.end());
    const auto top = std::find_if(head, lines.end(), [](const std::string& l) { return l.rfind("上部纵筋", 0) == 0; });
    ASSERT_NE(top, lines.end());
    EXPECT_NE(std::find_if(head, top, [](const std::string& l) { return l.find("**中截面:") != std::string::npos; }), top);
    for (const std::string& steel : {*top, *(top + 1)}) {
        SCOPED_TRACE(steel);
        const std::string cells = steel.substr(steel.find(':') + 1);
        EXPECT_EQ(cells.find("——"), cells.find_first_not_of(' ', 15)) << "the middle column holds the dashes";
        EXPECT_EQ(cells.find("——", cells.find("——") + 1), std::string::npos);
    }
    EXPECT_EQ(js.m_Beams[5].top_steel[1], -1.0f);
    EXPECT_EQ(js.m_Beams[5].bottom_steel[1], -1.0f);
    EXPECT_GE(js.m_Beams[5].top_steel[0], 0.0f);
}

// The routines a run does not call: crack widths under the characteristic
// moments and the long-term stiffness factor, on the default grid with one beam
// loaded in cases 1 and 2 and reinforced.
TEST(GridBeamServiceability, CrackWidthsAndLongTermFactorFollowTheMoments) {
    kv::test::JzlFolder folder;
    CJzlData data;
    CJzlJs js;
    kv::test::BuildModel(js, data);
    JZL_BEAM& loaded = js.m_Beams[4];
    const float m1[3] = {-60, 40, -80}, m2[3] = {-20, 10, -30};
    for (int j = 0; j < 3; ++j) {
        loaded.moment[0][j] = m1[j];
        loaded.moment[1][j] = m2[j];
        loaded.top_steel[j] = 700;
        loaded.bottom_steel[j] = 500;
    }
    js.CalculateCrackWidths();
    js.CalculateLongTermStiffness();
    EXPECT_EQ(JS_ERROR_CODE, 0);
    for (int j = 0; j < 3; ++j) EXPECT_GT(loaded.crack[j], 0.0f) << j;
    EXPECT_GT(loaded.crack[2], loaded.crack[0]) << "110 kN·m on the same top steel as 80 opens wider";
    EXPECT_GT(loaded.width_factor, 0.0f);
    EXPECT_LT(loaded.width_factor, 1.0f) << "a cracked section is less stiff than the whole one";
    const JZL_BEAM& idle = js.m_Beams[5];
    EXPECT_EQ(idle.crack[1], 0.0f);
    EXPECT_EQ(idle.width_factor, 1.0f) << "without moments the section keeps its stiffness";

    // An unknown concrete grade is said and the routine goes on with defaults.
    js.m_nConGrade = 99;
    js.CalculateCrackWidths();
    EXPECT_TRUE(folder.errors.Has(kv::err::kDataError, "混凝土标号错误"));
    EXPECT_GT(loaded.crack[2], 0.0f);
}

}  // namespace

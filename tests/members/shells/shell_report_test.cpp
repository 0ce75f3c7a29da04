// The shells' reports: the three defaults against their golden texts, the
// warning lines, the edge blocks by plan, the circle's stations and drawings,
// the equilibrium check of a vanishing load and a report that cannot be written.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "base/error.h"
#include "members/shells/shell_data.h"
#include "platform/textfile.h"
#include "report/script.h"
#include "support/edition_guard.h"
#include "support/error_lines.h"
#include "support/message_recorder.h"
#include "support/work_folder.h"

namespace {

std::string Golden(const std::string& name) {
    std::ifstream in(std::string(KV_SHELLS_GOLDEN) + "/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// The red block a warning line becomes.
std::string Red(const std::string& text) { return kv::report::TextStyleBlock(text, 255, 1.0) + "\n"; }

std::string Block(const std::string& dxf) { return "\n" + kv::report::ScriptBlock("InsertDxf=" + dxf) + "\n"; }

class ShellReport : public ::testing::Test {
protected:
    template <typename Data>
    std::string Write(Data& d) {
        d.SetFileName("A");
        d.m_strName = "扁壳一";
        EXPECT_EQ(d.WriteReport(), 1);
        std::string text;
        kv::platform::ReadTextFile(work / d.GetRtfFileName(0), text);
        return text;
    }
    template <typename Data>
    std::string Run(Data& d) {
        d.Calculate();
        EXPECT_EQ(d.calc_ok, 1);
        return Write(d);
    }
    // The block of a point, from its number line to the rule that ends it.
    static std::string PointBlock(const std::string& text, int no) {
        const std::size_t at = text.find("  点号: " + std::to_string(no) + "\n");
        if (at == std::string::npos) return {};
        return text.substr(at, text.find("----\n", at) - at);
    }

    kv::test::WorkFolder work;
    kv::test::EditionGuard edition{2010};
    kv::test::MessageRecorder shown;
    kv::test::ErrorLines lines;
};

TEST_F(ShellReport, DefaultsMatchTheirGoldenReports) {
    CRectBqData rect;
    EXPECT_EQ(Run(rect), Golden("rect-defaults.txt"));
    CSixBqData six;
    EXPECT_EQ(Run(six), Golden("six-defaults.txt"));
    CCircleBqData circle;
    EXPECT_EQ(Run(circle), Golden("circle-defaults.txt"));
}

const char* const kWarnings[5] = {"  x向拉应力>4ftd, 壳体厚度不满足", "  x向压应力>fcd, 壳体厚度不满足",
                                  "  y向拉应力>4ftd, 壳体厚度不满足", "  y向压应力>fcd, 壳体厚度不满足",
                                  "  砼检验强度不满足"};

TEST_F(ShellReport, PointPrintsTheWarningOfItsStoredCodeOnly) {
    struct Case {
        int err;
        const char* warning;
    } const cases[] = {{0, nullptr},           {1, kWarnings[0]}, {2, kWarnings[1]},
                       {3, kWarnings[2]},      {4, kWarnings[3]}, {5, kWarnings[4]}};
    CRectBqData rect;
    rect.Calculate();
    CSixBqData six;
    six.Calculate();
    for (const Case& c : cases) {
        rect.points[7].err = c.err;
        six.points[7].err = c.err;
        for (const std::string& block : {PointBlock(Write(rect), 8), PointBlock(Write(six), 8)}) {
            SCOPED_TRACE(c.err);
            ASSERT_FALSE(block.empty());
            EXPECT_EQ(Count(block, std::string(kv::report::kTextStyle)), c.warning ? 1 : 0);
            // Between the principal forces and the bars.
            if (c.warning) {
                EXPECT_TRUE(Has(block, "kN/m\n" + Red(c.warning) + "  纵向钢筋: "));
            }
        }
    }
}

TEST_F(ShellReport, ThinShellFailingSeveralChecksPrintsTheStoredCodeOnce) {
    // A third of the default thickness of the hexagon: points fail several checks.
    CSixBqData d;
    d.t_top = 80;
    d.t_bottom = 160;
    d.f = 0.48f;  // f/t 6
    const std::string text = Run(d);
    int several = 0;
    for (const CSixBqRecord& p : d.points) {
        const std::string block = PointBlock(text, p.no);
        int failures = 0;
        for (const auto& line : lines.lines)
            if (line.text.rfind(std::to_string(p.no) + "点", 0) == 0) ++failures;
        if (failures > 1) ++several;
        EXPECT_EQ(Count(block, std::string(kv::report::kTextStyle)), p.err ? 1 : 0) << p.no;
        if (p.err) {
            EXPECT_TRUE(Has(block, Red(kWarnings[p.err - 1]))) << p.no;
        }
    }
    EXPECT_GT(several, 0);
}

TEST_F(ShellReport, RectangleEdgeSectionsFollowThePointCount) {
    struct Case {
        float b;
        int points;
        char last;
    } const cases[] = {{6.0f, 36, 'E'}, {9.6f, 54, 'H'}};
    for (const Case& c : cases) {
        CRectBqData d;
        d.b = c.b;
        const std::string text = Run(d);
        ASSERT_EQ(d.point_count, c.points);
        const std::string b_edge = text.substr(text.find("  b边:\n"), text.find("[ 扁壳结果校核 ]") - text.find("  b边:\n"));
        const std::string last = std::string(1, c.last);
        const std::string past = std::string(1, c.last + 1);
        for (const char* what : {"点拉力:  ", "点弯矩:  ", "点上侧纵向钢筋:  ", "点下侧纵向钢筋:  ", "点截面高度:  "}) {
            EXPECT_TRUE(Has(b_edge, "\n" + last + what)) << c.points << what;
            EXPECT_FALSE(Has(b_edge, "\n" + past + what)) << c.points << what;
        }
        // The b-edge's moments follow its tensions without a rule.
        EXPECT_TRUE(Has(b_edge, "kN\nA点弯矩:  "));
        EXPECT_EQ(Count(text, "点号: "), c.points);
    }
}

TEST_F(ShellReport, HexagonEdgeHasCompressionBarsAtD) {
    CSixBqData d;
    const std::string text = Run(d);
    EXPECT_TRUE(Has(text, "C点下侧纵向钢筋:  "));
    EXPECT_TRUE(Has(text, "\nD点纵向受压钢筋:  "));
    EXPECT_FALSE(Has(text, "D点下侧纵向钢筋"));
    EXPECT_FALSE(Has(text, "边:\n"));
    EXPECT_FALSE(Has(text, "Qx:"));
    EXPECT_TRUE(Has(text, Block(d.GetDxfFileName(9)) + "--"));
    EXPECT_TRUE(Has(text, "[ 边梁的内力与配筋 ]\n注: 弯矩为负表示下侧受拉, 反之表示上侧受拉\n"
                          "--------------------------------------\n" +
                              Block(d.GetDxfFileName(10)) + "A点拉力:  "));
}

TEST_F(ShellReport, CircleStationsAndNoBoundaryDrawing) {
    CCircleBqData d;
    const std::string text = Run(d);
    EXPECT_EQ(Count(text, "\n  半径: "), 12);  // the plan radius and stations 0 to 10
    EXPECT_EQ(Count(text, "\n壳体厚度变化截面r="), 1);
    EXPECT_EQ(Count(text, "\n壳体边梁截面r="), 1);
    EXPECT_LT(text.find("壳体厚度变化截面r="), text.find("壳体边梁截面r="));
    for (int k = 0; k <= 10; ++k) EXPECT_EQ(Count(text, Block(d.GetDxfFileName(k))), 1) << k;
    EXPECT_FALSE(Has(text, d.GetDxfFileName(11)));
    // The ring beam's block has no drawing.
    EXPECT_TRUE(Has(text, "[ 环梁的内力与配筋 ]\n注: 弯矩为负表示下侧受拉, 反之表示上侧受拉\n"
                          "--------------------------------------\n  拉力:  "));
}

TEST_F(ShellReport, CircleStationWarningsFollowTheirFlags) {
    CCircleBqData d;
    d.Calculate();
    const char* const warnings[3] = {"  拉应力>4ftd, 壳体厚度不满足", "  压应力>fcd, 壳体厚度不满足",
                                     "  砼检验强度不满足"};
    for (int flag = 0; flag <= 3; ++flag) {
        for (int& f : d.check_flag) f = 0;
        d.check_flag[12] = flag;
        const std::string text = Write(d);
        EXPECT_EQ(Count(text, std::string(kv::report::kTextStyle)), flag ? 1 : 0);
        if (flag) {
            const std::size_t at = text.find("壳体边梁截面r=");
            const std::size_t red = text.find(Red(warnings[flag - 1]));
            EXPECT_LT(text.find("  环向配筋: ", at), red);
            EXPECT_EQ(text.substr(red + Red(warnings[flag - 1]).size(), 4), "----");
        }
    }
}

TEST_F(ShellReport, VanishingLoadGivesNoRelativeError) {
    CRectBqData rect;
    rect.Calculate();
    rect.q = 0.0001f;
    const std::string r = Write(rect);
    EXPECT_TRUE(Has(r, "竖向荷载总和:  0.000kN\n"));
    EXPECT_TRUE(Has(r, "相对误差%:  0.000\n"));
    EXPECT_TRUE(Has(r, "相对误差:  0.000%\n"));
    CSixBqData six;
    six.Calculate();
    six.q = 0;
    EXPECT_TRUE(Has(Write(six), "相对误差:  0.000%\n"));
    CCircleBqData circle;
    circle.Calculate();
    circle.q = 0;
    EXPECT_TRUE(Has(Write(circle), "相对误差:  0.000%\n"));
}

TEST_F(ShellReport, FilesEndWithOneSpace) {
    CRectBqData rect;
    CSixBqData six;
    CCircleBqData circle;
    for (const std::string& text : {Run(rect), Run(six), Run(circle)}) {
        ASSERT_GE(text.size(), 2u);
        EXPECT_EQ(text.substr(text.size() - 2), "\n ");
    }
}

TEST_F(ShellReport, ReportThatCannotBeWrittenIsSaid) {
    CRectBqData d;
    d.Calculate();
    d.SetFileName("A");
    // A folder of the report's name: the file cannot be made.
    work.Write(d.GetRtfFileName(0) + "/x", "");
    EXPECT_EQ(d.WriteReport(), 0);
    EXPECT_TRUE(lines.Has(kv::err::kWarning, "不能写计算书文件 : " + work / d.GetRtfFileName(0)));
    EXPECT_EQ(JS_ERROR_CODE, 0);
}

}  // namespace

#include "report/rtf.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "report/jss.h"
#include "support/work_folder.h"

namespace kv::report {
namespace {

using kv::test::WorkFolder;

// The header of a PNG of w x h pixels: all the writer reads of a picture.
std::string FakePng(int w, int h) {
    std::string png = "\x89PNG\r\n\x1a\n";
    png += std::string("\0\0\0\x0dIHDR", 8);
    for (int v : {w, h})
        for (int shift = 24; shift >= 0; shift -= 8) png += static_cast<char>((v >> shift) & 0xFF);
    png += std::string("\x08\x02\0\0\0", 5);
    return png;
}

// The body after the header (fonts, colours and page set-up).
std::string Body(const CRTF& rtf) {
    std::string s = rtf.Rtf();
    return s.substr(s.find("\\deftab840\n") + 11);
}

class PictureStub {
public:
    explicit PictureStub(PictureMaker maker) : old_(SetPictureMaker(std::move(maker))) {}
    ~PictureStub() { SetPictureMaker(std::move(old_)); }

private:
    PictureMaker old_;
};

TEST(Crtf, ChineseTextIsUnicodeEscapedAndFontNamesGbk) {
    WorkFolder dir;
    CRTF rtf;
    ASSERT_TRUE(rtf.Open((dir / "a.rtf").c_str()));
    rtf.InsertText("%s{x}\\\n", "中文");
    std::string body = Body(rtf);
    EXPECT_NE(body.find("\\u20013?\\u25991?\\{x\\}\\\\\\par"), std::string::npos) << body;
    std::string head = rtf.Rtf();
    EXPECT_EQ(head.rfind("{\\rtf1\\ansi\\ansicpg936", 0), 0u);
    EXPECT_NE(head.find("\\fcharset134 \\'cb\\'ce\\'cc\\'e5;"), std::string::npos);  // 宋体 in GBK
}

TEST(Crtf, MarkupBecomesSubscriptSuperscriptAndColour) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"q`v~ x", "q\\plain\\f0\\fs20\\cf1\\sub v\\plain\\f0\\fs20\\cf1  x"},
        {"mm^2~", "mm\\plain\\f0\\fs20\\cf1\\super 2"},
        // a missing "~" ends the subscript with the line
        {"a`b\nc", "a\\plain\\f0\\fs20\\cf1\\sub b\\par\n\\pard\\li0 \\plain\\f0\\fs20\\cf1 c"},
        // "~" outside a subscript is a plain character
        {"~kv", "\\cf1 ~kv"},
        {"\x01" "06bad\x01" "01ok", "\\cf6 bad\\plain\\f0\\fs20\\cf1 ok"},
        {"\x01" "05warn", "\\cf5 warn"},
    };
    WorkFolder dir;
    for (const Case& c : cases) {
        CRTF rtf;
        ASSERT_TRUE(rtf.Open((dir / "a.rtf").c_str()));
        rtf.InsertPlain(c.text);
        EXPECT_NE(Body(rtf).find(c.expected), std::string::npos) << c.text << "\n" << Body(rtf);
    }
}

TEST(Crtf, ColourSwitchEndsWithItsText) {
    WorkFolder dir;
    CRTF rtf;
    ASSERT_TRUE(rtf.Open((dir / "a.rtf").c_str()));
    rtf.InsertText("\x01" "06%s", "不满足");
    rtf.InsertText("next\n");
    std::string body = Body(rtf);
    EXPECT_NE(body.find("\\cf1 next"), std::string::npos) << body;
}

TEST(Crtf, TextWidthsCountColumnsAsTheFixedPitchReportShowsThem) {
    // A Chinese character fills two columns (two bytes in the report's code page),
    // so padded fields keep the columns of the tables written as text.
    WorkFolder dir;
    CRTF rtf;
    ASSERT_TRUE(rtf.Open((dir / "a.rtf").c_str()));
    rtf.InsertText("%-6s|%4s|%-4.2s|%-12s|%s\n", "左", "右", "上下左", "轴向力", "满足");
    rtf.InsertText("%-4s%-10.3f%5d|%x|%c|%5.1f%%|%ld|%*s|%-*s|\n", " ", 1.5, -42, 255u, 'k', 12.34, 7L, 4, "上", 5,
                   "下");
    std::string body = Body(rtf);
    EXPECT_NE(body.find(RtfEscape("左    |  右|上  |轴向力      |满足")), std::string::npos) << body;
    EXPECT_NE(body.find(RtfEscape("    1.500       -42|ff|k| 12.3%|7|  上|下   |")), std::string::npos) << body;
}

TEST(Crtf, StyleMarginAndEnvironment) {
    WorkFolder dir;
    CRTF rtf;
    ASSERT_TRUE(rtf.Open((dir / "a.rtf").c_str()));
    rtf.Push_ENV();
    rtf.SetCurTextStyle(0, 21, 1, 1, 0, 0);
    rtf.SetCurLeftMargin(55);
    rtf.InsertText("date\n");
    rtf.Pop_ENV();
    rtf.InsertText("body\n");
    rtf.InsertText("\t\x02" "24long\n");
    std::string body = Body(rtf);
    // 55 cells of a 10.5 pt character of 105 twips
    EXPECT_NE(body.find("\\pard\\li5775 \\plain\\f0\\fs21\\cf1\\b date\\par"), std::string::npos) << body;
    EXPECT_NE(body.find("\\pard\\li0 \\plain\\f0\\fs20\\cf1 body\\par"), std::string::npos) << body;
    // the wrapped lines hang 24 cells in
    EXPECT_NE(body.find("\\pard\\li2400\\fi-2400 \\plain\\f0\\fs20\\cf1 \\tab long"), std::string::npos) << body;
}

TEST(Crtf, FormulaMarkup) {
    struct Case {
        const char* formula;
        const char* expected;
    };
    const Case cases[] = {
        {"q`v=q`i*sin(Greek(b))", "q\\plain\\f0\\fs20\\cf1\\sub v\\plain\\f0\\fs20\\cf1 =q\\plain\\f0\\fs20\\cf1\\sub "
                                  "i\\plain\\f0\\fs20\\cf1 \\u215?sin(\\u946?)"},
        {"mark(l,2,2)/2", "l\\plain\\f0\\fs20\\cf1\\sub 2\\plain\\f0\\fs20\\cf1\\super 2\\plain\\f0\\fs20\\cf1 /2"},
        {"k(1+sqr(1+16/k))", "k(1+\\u8730?(1+16/k))"},
        {"Greek(r)`svmin>=0", "\\u961?\\plain\\f0\\fs20\\cf1\\sub svmin\\plain\\f0\\fs20\\cf1 \\u8805?0"},
    };
    WorkFolder dir;
    for (const Case& c : cases) {
        CRTF rtf;
        ASSERT_TRUE(rtf.Open((dir / "a.rtf").c_str()));
        rtf.InsertFormula(c.formula);
        std::string body = Body(rtf);
        EXPECT_NE(body.find(c.expected), std::string::npos) << c.formula << "\n" << body;
        EXPECT_NE(body.find("\\par\n"), std::string::npos) << "a formula stands on its own line";
    }
}

TEST(Crtf, PictureFitsItsBoxOrIsLeftOut) {
    WorkFolder dir;
    dir.Write("a.dxf", "0\nEOF\n");
    {
        CRTF rtf;
        ASSERT_TRUE(rtf.Open((dir / "a.rtf").c_str()));
        EXPECT_EQ(rtf.InsertDXF((dir / "a.dxf").c_str(), 160, 160), 0) << "no renderer installed";
        EXPECT_EQ(Body(rtf).find("\\pict"), std::string::npos);
    }
    std::string asked;
    PictureStub stub([&](const std::string& path, int w, int h, std::string& png) {
        asked = path + " " + std::to_string(w) + "x" + std::to_string(h);
        png = FakePng(200, 100);
        return true;
    });
    CRTF rtf;
    ASSERT_TRUE(rtf.Open((dir / "a.rtf").c_str()));
    EXPECT_EQ(rtf.InsertDXF((dir / "missing.dxf").c_str(), 160, 160), 0);
    EXPECT_EQ(rtf.InsertDXF((dir / "a.dxf").c_str(), 160, 160), 1);
    EXPECT_EQ(asked, dir / "a.dxf" + " 160x160");
    // 200 x 100 pixels in a 160 mm box: 160 mm x 80 mm
    EXPECT_NE(Body(rtf).find("{\\pict\\pngblip\\picw200\\pich100\\picwgoal9071\\pichgoal4535\n89504e47"),
              std::string::npos)
        << Body(rtf);
}

TEST(Crtf, APictureBeforeATableStaysInTheBook) {
    WorkFolder dir;
    CRTF rtf;
    ASSERT_TRUE(rtf.Open((dir / "a.rtf").c_str()));
    ReportTable t;
    t.rows = {{{"a", {}, {}, 0}}};
    rtf.InsertText("    ");
    ASSERT_EQ(rtf.InsertPicture(FakePng(20, 10), 100, 100), 1);
    ASSERT_EQ(rtf.InsertTable(t, 0, 50, 0, 0, 1), 1);
    std::string body = Body(rtf);
    EXPECT_NE(body.find("{\\pict\\pngblip"), std::string::npos) << body;
    EXPECT_LT(body.find("\\pict"), body.find("\\trowd")) << "the picture's line comes first";
}

TEST(Crtf, TableRowsCellsAndWidths) {
    WorkFolder dir;
    CRTF rtf;
    ASSERT_TRUE(rtf.Open((dir / "a.rtf").c_str()));
    rtf.SetCurTextStyle(0, 21, 1, 0, 0, 0);
    ReportTable t;
    t.columnWidths = {150, 50};
    t.rows = {{{"门洞宽 La(mm)", {}, {}, 0}, {"1000", {}, {}, 0}}, {{"q`v~", WinRGB(255, 0, 0), {}, 0}, {"x", {}, {}, 0}}};
    rtf.InsertText("    1) 门类型\n");
    ASSERT_EQ(rtf.InsertTable(t, 4, 50, 0, 1, 1), 1);
    std::string body = Body(rtf);
    // indent 4 cells = 420 twips; 50 % of the rest split 3:1
    int left = 420, width = (kTextWidthTwips - 420) / 2;
    EXPECT_NE(body.find("\\trowd\\trgaph55\\trleft420"), std::string::npos);
    EXPECT_NE(body.find("\\cellx" + std::to_string(left + width * 3 / 4)), std::string::npos) << body;
    EXPECT_NE(body.find("\\cellx" + std::to_string(left + width)), std::string::npos) << body;
    EXPECT_NE(body.find("\\b \\u-27160"), std::string::npos) << "first row bold\n" << body;
    EXPECT_NE(body.find("\\cf6 q\\plain\\f0\\fs21\\cf6\\sub v"), std::string::npos) << "cell colour, markup inside";
    std::size_t rows = 0;
    for (std::size_t at = body.find("\\row"); at != std::string::npos; at = body.find("\\row", at + 1)) ++rows;
    EXPECT_EQ(rows, 2u);
    std::size_t cells = 0;
    for (std::size_t at = body.find("\\cell\n"); at != std::string::npos; at = body.find("\\cell\n", at + 1)) ++cells;
    EXPECT_EQ(cells, 4u);
    EXPECT_NE(body.find("\\clbrdrt\\brdrs"), std::string::npos);
}

TEST(Crtf, OpenCloseWriteTheWholeFileOrNothing) {
    WorkFolder dir;
    CRTF rtf;
    EXPECT_EQ(rtf.Open((dir / "no/such/folder/a.rtf").c_str()), 0);
    EXPECT_EQ(rtf.Close(), 0);
    dir.Write("a.rtf", "old");
    ASSERT_TRUE(rtf.Open((dir / "a.rtf").c_str()));
    rtf.InsertText("x\n");
    EXPECT_EQ(dir.Read("a.rtf"), "old") << "nothing is written before Close";
    EXPECT_EQ(rtf.Close(), 1);
    EXPECT_EQ(dir.Read("a.rtf"), rtf.Rtf());
    {
        CRTF scoped;
        ASSERT_TRUE(scoped.Open((dir / "b.rtf").c_str()));
        scoped.InsertText("y");
    }
    EXPECT_NE(dir.Read("b.rtf").find("y\\par\n}"), std::string::npos) << "the destructor completes the file";
}

TEST(Crtf, AReportLeftByAnExceptionKeepsTheOldFile) {
    WorkFolder dir;
    dir.Write("c.rtf", "old report");
    try {
        CRTF rtf;
        ASSERT_TRUE(rtf.Open((dir / "c.rtf").c_str()));
        rtf.InsertText("half a report\n");
        throw std::runtime_error("calculation failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(dir.Read("c.rtf"), "old report");
}

TEST(Crtf, TransInTextFileKeepsLinesWordForWord) {
    WorkFolder dir;
    // GBK: "面积" then a script block, and a last line without a line end
    dir.Write("r.txt", "\xc3\xe6\xbb\xfd mm^2 q`v\r\n%%%[VanjoroScript%%%InsertDxf=a.dxf%%%VanjoroScript]%%%\r\n\r\nend");
    CRTF rtf;
    ASSERT_TRUE(rtf.Open((dir / "r.rtf").c_str()));
    ASSERT_EQ(rtf.TransInTextFile((dir / "r.txt").c_str()), 1);
    std::string body = Body(rtf);
    EXPECT_NE(body.find("\\u-26782?\\u31215? mm^2 q`v\\par"), std::string::npos) << body;
    EXPECT_NE(body.find("%%%[VanjoroScript%%%InsertDxf=a.dxf%%%VanjoroScript]%%%\\par"), std::string::npos);
    EXPECT_NE(body.find("end\\par\n"), std::string::npos) << "the last line is kept";
    EXPECT_EQ(rtf.TransInTextFile((dir / "missing.txt").c_str()), 0);
}

TEST(ReportHelpers, ProjectInformationAndDividingLine) {
    WorkFolder dir;
    CRTF rtf;
    ASSERT_TRUE(rtf.Open((dir / "a.rtf").c_str()));
    EXPECT_EQ(WriteGCXX(rtf), 0) << "no project information file";
    dir.Write("GCXX.BOX", "A^1\r\nN-7\r\n2026\r\n");
    EXPECT_EQ(WriteGCXX(rtf), 1);
    SetTextStyleJss(rtf, 1);
    WriteDivLine(rtf);
    std::string body = Body(rtf);
    EXPECT_NE(body.find("A^1\\par"), std::string::npos) << "names are written word for word\n" << body;
    EXPECT_NE(body.find("N-7\\par"), std::string::npos);
    EXPECT_NE(body.find("\\fs21\\cf1\\b " + std::string(67, '-') + "\\par"), std::string::npos) << body;
}

}  // namespace
}  // namespace kv::report

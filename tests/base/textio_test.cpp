#include "base/textio.h"

#include "base/error.h"
#include "base/globals.h"
#include "support/temp_folder.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(ScanFields, ReadsTheCommaSeparatedLinesOfTheDataFiles) {
    int kind = -1, count = -1;
    float a = 0, b = 0;
    double d = 0;
    EXPECT_EQ(scan_fields("2,0.15, 3.5e2 ,7,1.25\n", "%d,%f,%f,%d,%lf", &kind, &a, &b, &count, &d), 5);
    EXPECT_EQ(kind, 2);
    EXPECT_FLOAT_EQ(a, 0.15f);
    EXPECT_FLOAT_EQ(b, 350.0f);
    EXPECT_EQ(count, 7);
    EXPECT_DOUBLE_EQ(d, 1.25);
}

TEST(ScanFields, TextFieldsRunToTheNextComma) {
    char title[100] = "";
    char dxf[60] = "", rtf[60] = "";
    EXPECT_EQ(scan_fields("##ChaXun,地下室 顶板,&KV_0001_DB.DXF,&KV_0001.RTF\r\n", "%*,%s,%s,%s", title, dxf, rtf), 3);
    EXPECT_STREQ(title, "地下室 顶板");
    EXPECT_STREQ(dxf, "&KV_0001_DB.DXF");
    EXPECT_STREQ(rtf, "&KV_0001.RTF");
    // Six bar texts come back as six fields.
    std::string bars[6];
    EXPECT_EQ(scan_fields("d12@200,d14@150,,x,4d25,d8@100", "%s,%s,%s,%s,%s,%s", &bars[0], &bars[1], &bars[2],
                          &bars[3], &bars[4], &bars[5]),
              6);
    EXPECT_EQ(bars[1], "d14@150");
    EXPECT_EQ(bars[2], "");
}

TEST(ScanFields, ShortLinesAndBadFieldsLeaveTheRestUntouched) {
    struct Case {
        const char* text;
        int result;
        float a, b, c;
    };
    const Case cases[] = {
        {"1,2,3", 3, 1, 2, 3},
        {"1,2", 2, 1, 2, 9},       // a line with fewer values
        {"1,abc,3", 1, 1, 9, 9},   // scanning stops at the bad field
        {"1;2;3", 1, 1, 9, 9},     // the wrong separator
        {"", -1, 9, 9, 9},         // nothing to read
        {"  \n", -1, 9, 9, 9},
        {"-1.5e-3,+2,.5", 3, -0.0015f, 2, 0.5f},
    };
    for (const auto& c : cases) {
        float a = 9, b = 9, v = 9;
        EXPECT_EQ(scan_fields(c.text, "%f,%f,%f", &a, &b, &v), c.result) << c.text;
        EXPECT_FLOAT_EQ(a, c.a) << c.text;
        EXPECT_FLOAT_EQ(b, c.b) << c.text;
        EXPECT_FLOAT_EQ(v, c.c) << c.text;
    }
}

TEST(ScanFields, AnExactLineHoldsOneValueForEachTargetNoMoreNoLess) {
    kv::test::TempFolder dir;
    dir.Write("f.dat", "1,2,3\n1,2\n1,2,3,4\n1,2,3,\n 1 , 2 , 3 \r\n");
    std::FILE* fp = std::fopen((dir / "f.dat").c_str(), "r");
    ASSERT_NE(fp, nullptr);
    const bool expected[] = {true, false, false, false, true};
    for (bool ok : expected) {
        int a = 0, b = 0, c = 0;
        EXPECT_EQ(fgets_scan_exact(fp, 100, "%d,%d,%d", &a, &b, &c), ok);
    }
    int a = 0;
    EXPECT_FALSE(fgets_scan_exact(fp, 100, "%d", &a)) << "end of the file";
    std::fclose(fp);
    EXPECT_EQ(count_fields("  \r\n"), 0);
    EXPECT_EQ(count_fields("D20@100,,d8@150,\n"), 4);
}

TEST(ScanFields, NumbersTooSmallForTheirTypeReadAsZeroAndTooLargeOnesStayLarge) {
    struct Case {
        const char* text;
        double asDouble;
        float asFloat;
    };
    const Case cases[] = {
        {"1e-50", 1e-50, 0.0f},
        {"1e-400", 0.0, 0.0f},
        {"-2.5e-999", -0.0, -0.0f},
        {"1e400", std::numeric_limits<double>::max(), std::numeric_limits<float>::infinity()},
    };
    for (const Case& c : cases) {
        double d = 9;
        float f = 9;
        int n = 9;
        EXPECT_EQ(scan_fields(std::string(c.text) + ",3", "%lf,%d", &d, &n), 2) << c.text;
        EXPECT_EQ(d, c.asDouble) << c.text;
        EXPECT_EQ(std::signbit(d), std::signbit(c.asDouble)) << c.text;
        EXPECT_EQ(scan_fields(c.text, "%f", &f), 1) << c.text;
        EXPECT_EQ(f, c.asFloat) << c.text;
        EXPECT_EQ(n, 3) << c.text;
    }
}

TEST(ScanFields, WholeNumbersBeyondTheirTypeStopAtItsLimitInsteadOfWrapping) {
    struct Case {
        const char* text;
        int asInt;
        short asShort;
    };
    const Case cases[] = {
        {"99999999999", std::numeric_limits<int>::max(), std::numeric_limits<short>::max()},
        {"-99999999999", std::numeric_limits<int>::min(), std::numeric_limits<short>::min()},
        {"99999999999999999999999", std::numeric_limits<int>::max(), std::numeric_limits<short>::max()},
        {"70000", 70000, std::numeric_limits<short>::max()},
        {"-12", -12, -12},
    };
    for (const Case& c : cases) {
        int n = 9;
        short h = 9;
        EXPECT_EQ(scan_fields(c.text, "%d", &n), 1) << c.text;
        EXPECT_EQ(n, c.asInt) << c.text;
        EXPECT_EQ(scan_fields(c.text, "%hd", &h), 1) << c.text;
        EXPECT_EQ(h, c.asShort) << c.text;
    }
    // A text field read into a whole number takes the same limits; no number is no change.
    int n = 9;
    EXPECT_EQ(scan_fields("1e300", "%s", &n), 1);
    EXPECT_EQ(n, std::numeric_limits<int>::max());
    n = 9;
    EXPECT_EQ(scan_fields("-1e300", "%s", &n), 1);
    EXPECT_EQ(n, std::numeric_limits<int>::min());
    n = 9;
    scan_fields("nan", "%s", &n);
    EXPECT_EQ(n, 9);
}

TEST(ScanFields, TextsAreCutToTheirArrayOnAWholeCharacter) {
    char small[8];
    EXPECT_EQ(scan_fields("地下室顶板,x", "%s", small), 1);
    EXPECT_STREQ(small, "地下");  // 7 bytes of room: two characters of three bytes
    char wide[16];
    EXPECT_EQ(scan_fields("abcdefgh,x", "%3s", wide), 1);
    EXPECT_STREQ(wide, "abc");
}

TEST(LineReader, SkipsCommentsStripsCarriageReturnsAndEndsEveryLine) {
    kv::test::TempFolder dir;
    // A zero byte ends the line's text, as it ends a string: what follows it would
    // be lost from a name or a field once saved.
    dir.Write("a.dat", std::string("KV_MKQ_V30\r\n// a comment\r\n1,2\r\n\r\nab\0\tc,d\r\nlast", 46));
    std::FILE* f = open_file((dir / "a.dat").c_str(), "rt");
    ASSERT_NE(f, nullptr);
    std::string line;
    const char* expected[] = {"KV_MKQ_V30\n", "1,2\n", "\n", "ab\n", "last\n"};
    for (const char* e : expected) {
        ASSERT_TRUE(fgets_skip_comment(line, 290, f));
        EXPECT_EQ(line, e);
    }
    EXPECT_FALSE(fgets_skip_comment(line, 290, f));
    close_file(f);
}

TEST(LineReader, ALongLineIsCutAndItsRestNeverReadsAsTheNextLine) {
    kv::test::TempFolder dir;
    std::string gbkLine;
    for (int i = 0; i < 200; ++i) gbkLine += "\xB5\xD8";  // 200 characters, 400 GBK bytes
    dir.Write("long.dat", gbkLine + "\r\nnext\r\n");
    std::FILE* f = open_file((dir / "long.dat").c_str(), "rt");
    ASSERT_NE(f, nullptr);
    std::string line;
    ASSERT_TRUE(fgets_skip_comment(line, 290, f));
    // 289 bytes of room with the line end: 144 whole characters.
    EXPECT_EQ(line.size(), 144u * 3 + 1);
    EXPECT_EQ(line.back(), '\n');
    char buffer[Utf8Capacity(290)];
    ASSERT_NE(fgets_skip_comment(buffer, 290, f), nullptr);
    EXPECT_STREQ(buffer, "next\n");
    close_file(f);

    f = open_file((dir / "long.dat").c_str(), "rt");
    char tiny[10];
    ASSERT_NE(fgets_skip_comment(tiny, 290, f), nullptr);
    EXPECT_STREQ(tiny, "地地\n");  // the array bounds the line as well
    close_file(f);
}

TEST(OpenFile, CountsOpenFilesAndReportsFailures) {
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    JS_ERROR_CODE = 0;
    int before = JS_OpenFileNum;
    std::FILE* f = open_file("Message.Box", "wt");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(JS_OpenFileNum, before + 1);
    close_file(f);
    EXPECT_EQ(JS_OpenFileNum, before);
    f = open_file("Message.Box", "wt");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(commit_file(f), 0);
    EXPECT_EQ(JS_OpenFileNum, before);

    EXPECT_EQ(open_file_no_comment("none.dat", "rt"), nullptr);
    EXPECT_EQ(JS_ERROR_CODE, 0);
    EXPECT_EQ(open_file("none.dat", "rt"), nullptr);
    EXPECT_EQ(JS_ERROR_CODE, 201);
    EXPECT_EQ(JS_OpenFileNum, before);
    JS_ERROR_CODE = 0;
}

TEST(Units, AreSplitAtBlanksAndCommas) {
    const char* line = " 6.0*3  4.5,2.0 ";
    int pos = 0;
    std::string unit;
    std::vector<std::string> units;
    while (read_one_unit_from_string(unit, line, &pos) > 0) units.push_back(unit);
    EXPECT_EQ(units, (std::vector<std::string>{"6.0*3", "4.5", "2.0"}));
    EXPECT_EQ(read_one_unit_from_string(unit, line, &pos), 0);
    EXPECT_EQ(unit, "");
}

TEST(FileTools, CompareCreateRemoveAndRename) {
    kv::test::TempFolder dir;
    dir.MakeCurrent();
    dir.Write("a.dat", "1,2\n");
    dir.Write("b.dat", "1,2\n");
    dir.Write("c.dat", "1,3\n");
    EXPECT_EQ(FileCompare("a.dat", "B.DAT"), 1);
    EXPECT_EQ(FileCompare("a.dat", "c.dat"), 0);
    EXPECT_EQ(FileCompare("a.dat", "missing.dat"), 0);
    EXPECT_EQ(if_file_exist("A.Dat"), 1);
    EXPECT_EQ(if_file_exist("missing.dat"), 0);
    EXPECT_EQ(MakeDirectory((dir / "新建/sub").c_str()), 1);
    EXPECT_EQ(if_file_exist("新建/sub"), 1);

    std::string oldWork = G_strWorkPath;
    G_strWorkPath = dir.path();
    EXPECT_EQ(RenameFile_InWorkPath("c.dat", "JS_TMP"), 1);
    EXPECT_EQ(RemoveFile_InWorkPath("js_tmp"), 1);
    EXPECT_EQ(RemoveFile_InWorkPath("js_tmp"), 0);
    G_strWorkPath = oldWork;
    EXPECT_EQ(dir.List(), "a.dat b.dat 新建");
}

TEST(GbkFormat, TextWidthsCountTheColumnsOfThePrintedReport) {
    struct Case {
        std::string got, expected;
    };
    const Case cases[] = {
        {sprintf_gbk("%-6s|", "左"), "左    |"},        // a Chinese character is two columns
        {sprintf_gbk("%6s|", "左侧"), "  左侧|"},
        {sprintf_gbk("%-4s|", "上下左右"), "上下左右|"},  // never cut by a width
        {sprintf_gbk("%.3s|", "地下室"), "地|"},          // a precision cuts on a whole character
        {sprintf_gbk("%-5s|%5s|", "ab", "cd"), "ab   |   cd|"},
        {sprintf_gbk("%*s|%-*s|", 4, "左", 4, "右"), "  左|右  |"},
        {sprintf_gbk("%d,%8.3f,%-3s,%5.1e,%c,%%,%x", 12, 1.5, "边", 1234.5, 'A', 255),
         "12,   1.500,边 ,1.2e+03,A,%,ff"},
        {sprintf_gbk("%ld %lld %u %lu", 7L, 8LL, 9u, 10UL), "7 8 9 10"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(GbkFormat, WritesToATextFile) {
    kv::test::TempFolder dir;
    std::FILE* f = open_file((dir / "r.txt").c_str(), "wt");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fprintf_gbk(f, "%-4s%6.2f\n", "右", 3.14159), 12);  // bytes the program wrote
    ASSERT_EQ(commit_file(f), 0);
    EXPECT_EQ(dir.Read("r.txt"), "\xD3\xD2    3.14\n");
}

}  // namespace

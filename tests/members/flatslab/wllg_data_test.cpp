// The flat-slab data file: the lines the defaults write, the round trip of every
// stored field, both markers, a file of Windows, damaged files, the drawing and
// report names, and the grammar of the span text.
#include "members/flatslab/wllg_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "platform/codec.h"
#include "support/edition_guard.h"
#include "support/error_lines.h"
#include "support/message_recorder.h"
#include "support/work_folder.h"

namespace {

const std::string kDefaultLines =
    "KV_WLLG_V30\n"
    "6*2 8.0\n"
    "0,0,0,4500,400,4.200000,3.300000,800,800,800,800,800,800,800,800,800,0\n"
    "1.500,4.200,1.500,4.200,60.000,50.000,100.000,50.000,100.000,0.000,30.000,0.000,30.000\n"
    "0,25,2,35,0.750000,0.550000,0.750000,0.250000,0.450000,0.250000,1.000000,15.000000\n"
    "0,1,120,25,6000,6000,400,100.000000,35.000000,800,800,800,2000,2000,2000,400,1,1,1,1,0\n";

std::string Utf8(const std::string& gbk) { return kv::platform::GbkToUtf8Lossy(gbk); }

TEST(WllgData, DefaultObjectWritesItsLinesThenTheCommonBlockAndTheTwoSwitches) {
    kv::test::WorkFolder work;
    CWllgData d;
    EXPECT_EQ(d.m_strName, "无梁搂盖计算 WLB1");
    EXPECT_EQ(d.m_strStem, "NONAME");
    d.SetFileName("&KV_0010");
    ASSERT_EQ(d.SaveData((work / "&KV_0010.dat").c_str()), 1);
    EXPECT_EQ(Utf8(work.Read("&KV_0010.dat")),
              kDefaultLines +
                  "##Name,无梁搂盖计算 WLB1\n"
                  "##ChaXun,计算简图,&KV_0010_JT_WLLG.DXF,&KV_0010_WLLG.RTF\n"
                  "##ChaXun,等代框架弯矩图,&KV_0010_M_WLLG.DXF,&KV_0010_WLLG.RTF\n"
                  "##ChaXun,柱上板带弯矩图,&KV_0010_M1_WLLG.DXF,&KV_0010_WLLG.RTF\n"
                  "##ChaXun,跨中板带弯矩图,&KV_0010_M2_WLLG.DXF,&KV_0010_WLLG.RTF\n"
                  "##ChaXun,所有图,&KV_0010_ALL_WLLG.DXF,&KV_0010_WLLG.RTF\n"
                  "##ChaXun,冲切计算简图,&KV_0010_CQ_WLLG.DXF,&KV_0010_WLLG.RTF\n"
                  "0\n"
                  "0\n");
}

TEST(WllgData, SetFileNameNamesSixDrawingsAndOneReport) {
    CWllgData d;
    d.SetFileName("A");
    const char* dxf[6] = {"A_JT_WLLG.DXF", "A_M_WLLG.DXF", "A_M1_WLLG.DXF", "A_M2_WLLG.DXF", "A_ALL_WLLG.DXF",
                          "A_CQ_WLLG.DXF"};
    EXPECT_EQ(d.m_nJtNum, 6);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(d.GetDxfFileName(k), dxf[k]);
        EXPECT_EQ(d.GetRtfFileName(k), "A_WLLG.RTF");
    }
    EXPECT_EQ(d.GetJtTitle(5), "冲切计算简图");
}

TEST(WllgData, EveryStoredFieldReadsBack) {
    kv::test::WorkFolder work;
    CWllgData d;
    d.m_strName = "地下室 WLB-2";
    d.m_szSpans = "7.2*3, 6.6";
    d.m_nLeftRound = 1, d.m_nMidRound = 1, d.m_nRightRound = 0, d.m_nStripWidth = 5100, d.m_nSlabThick = 450;
    d.m_fLowerHeight = 4.5f, d.m_fUpperHeight = 3.6f;
    d.m_nLeftColB = 701, d.m_nLeftColD = 702, d.m_nLeftColH = 703, d.m_nMidColB = 704, d.m_nMidColD = 705;
    d.m_nMidColH = 706, d.m_nRightColB = 707, d.m_nRightColD = 708, d.m_nRightColH = 709, d.m_nMidStorey = 1;
    d.m_fUpLeftA = 1.25f, d.m_fLowLeftA = 4.125f, d.m_fUpRightA = 1.75f, d.m_fLowRightA = 3.5f;
    d.m_fSlabQ = 61.2345f;  // kept to three decimals
    d.m_fUpLeftQ1 = 51, d.m_fLowLeftQ1 = 101, d.m_fUpRightQ1 = 52, d.m_fLowRightQ1 = 102;
    d.m_fUpLeftQ2 = 1, d.m_fLowLeftQ2 = 31, d.m_fUpRightQ2 = 2, d.m_fLowRightQ2 = 32;
    d.m_nSteam = 1, d.m_nConGrade = 35, d.m_nBarGrade = 3, d.m_nAs = 40;
    d.m_fColEdge = 0.7f, d.m_fColMid = 0.5f, d.m_fColInner = 0.8f;
    d.m_fMidEdge = 0.3f, d.m_fMidMid = 0.5f, d.m_fMidInner = 0.2f, d.m_fReserved = 0.9f, d.m_fRedist = 20;
    d.m_ChongQie.m_nSquareCol = 0, d.m_ChongQie.m_fLoad = 88.5f, d.m_ChongQie.m_nStirrupGrade = 2;
    d.m_ChongQie.m_nCivilDefence = 1;
    d.m_nEdgeCap = 1, d.m_nCapDesign = 1;
    d.m_nCivilDefence = 1;
    d.SetFileName("&KV_0011");
    ASSERT_EQ(d.SaveData((work / "a.WLB").c_str()), 1);

    CWllgData back;
    ASSERT_EQ(back.LoadData((work / "a.WLB").c_str()), 1);
    EXPECT_EQ(back.m_strName, d.m_strName);
    EXPECT_EQ(back.GetDxfFileName(0), "&KV_0011_JT_WLLG.DXF");
    EXPECT_FLOAT_EQ(back.m_fSlabQ, 61.235f);
    back.m_fSlabQ = d.m_fSlabQ;
    // Neither switch of the civil-air-defence design is stored.
    EXPECT_EQ(back.m_nCivilDefence, 0);
    EXPECT_EQ(back.m_ChongQie.m_nCivilDefence, 0);
    back.m_ChongQie.m_nCivilDefence = 1;
    // Saved again, the file is the same.
    back.SetFileName("&KV_0011");
    ASSERT_EQ(back.SaveData((work / "b.WLB").c_str()), 1);
    EXPECT_EQ(work.Read("b.WLB"), work.Read("a.WLB"));
    EXPECT_EQ(back.m_szSpans, d.m_szSpans);
    EXPECT_EQ(back.m_nMidColH, 706);
    EXPECT_FLOAT_EQ(back.m_fLowLeftA, 4.125f);
    EXPECT_EQ(back.m_nEdgeCap, 1);
    EXPECT_EQ(back.m_nCapDesign, 1);
    EXPECT_FLOAT_EQ(back.m_ChongQie.m_fLoad, 88.5f);
}

TEST(WllgData, WindowsFileWithGbkAndCrLfReads) {
    kv::test::WorkFolder work;
    std::string text = kDefaultLines + "##Name,无梁楼盖 WLB-3\n0\n1\n";
    std::string crlf;
    for (char c : kv::platform::Utf8ToGbkLossy(text)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    work.Write("SLAB.WLB", crlf);
    CWllgData d;
    ASSERT_EQ(d.LoadData((work / "slab.wlb").c_str()), 1);
    EXPECT_EQ(d.m_szSpans, "6*2 8.0");
    EXPECT_EQ(d.m_strName, "无梁楼盖 WLB-3");
    EXPECT_EQ(d.m_nCapDesign, 1);
}

TEST(WllgData, OlderEditionGradeOneTellsTheBarBecomesHpb300Under2010) {
    kv::test::WorkFolder work;
    kv::test::EditionGuard edition(2010);
    std::string grade1 = kDefaultLines;
    grade1.replace(grade1.find("0,25,2,35"), 9, "0,25,1,35");
    struct Case { std::string marker; bool told; } cases[] = {
        {"KV_WLLG_V20", true}, {"KV_WLLG_V30", false}, {"KV_WLLG_V30 KV_WLLG_V20", true}};
    for (const auto& c : cases) {
        work.Write("g.WLB", c.marker + grade1.substr(grade1.find('\n')));
        kv::test::ErrorLines lines;
        CWllgData d;
        ASSERT_EQ(d.LoadData((work / "g.WLB").c_str()), 1) << c.marker;
        EXPECT_EQ(d.m_nBarGrade, 1);
        if (c.told) {
            ASSERT_EQ(lines.lines.size(), 2u) << c.marker;
            EXPECT_EQ(lines.lines[0].code, -1111);
            EXPECT_EQ(lines.lines[1].code, 0);
            EXPECT_EQ(lines.lines[1].text, "钢筋HPB235自动调整为HPB300");
        } else {
            EXPECT_TRUE(lines.lines.empty()) << c.marker;
        }
    }
    // The punching record's stirrup grade 1 (its default) tells it as well.
    work.Write("s.WLB", "KV_WLLG_V20" + kDefaultLines.substr(kDefaultLines.find('\n')));
    kv::test::ErrorLines lines;
    CWllgData d;
    ASSERT_EQ(d.LoadData((work / "s.WLB").c_str()), 1);
    EXPECT_TRUE(lines.Has(0, "钢筋HPB235自动调整为HPB300"));
}

TEST(WllgData, ForeignOrDamagedFileLeavesTheObjectAsItWas) {
    kv::test::WorkFolder work;
    std::string shortLine = kDefaultLines;
    shortLine.replace(shortLine.find(",15.000000"), 10, "");
    // Values that scan as numbers but, written again with "%f", run past the line
    // the reader takes: the file saved from them would not read back.
    std::string hugeLoads = kDefaultLines;
    hugeLoads.replace(hugeLoads.find("1.500,4.200"), 86, "1e38,4.2,1.5,4.2,60,50,100,50,100,0,30,0,1e30");
    std::string hugeFactors = kDefaultLines;
    hugeFactors.replace(hugeFactors.find("0.750000,0.550000"), 72, "1e35,1e35,1e35,-1e35,1e35,1e35,1e35,1e35");
    std::string shortPunch = kDefaultLines;
    shortPunch.replace(shortPunch.find(",1,1,1,1,0\n"), 11, "\n");
    struct Case { const char* name; std::string text; std::string message; } cases[] = {
        {"foreign", "KV_LXL_V30" + kDefaultLines.substr(kDefaultLines.find('\n')), "文件类型不匹配 !"},
        {"empty", "", "文件类型不匹配 !"},
        {"short", shortLine, "数据文件不完整 : "},
        {"punch", shortPunch, "数据文件不完整 : "},
        {"cut", kDefaultLines.substr(0, 40), "数据文件不完整 : "},
        {"nan", "KV_WLLG_V30\n6\n0,0,0,4500,400,nan,3.3,800,800,800,800,800,800,800,800,800,0\n" +
                    kDefaultLines.substr(kDefaultLines.find("1.500")), "数据文件不完整 : "},
        {"huge loads", hugeLoads, "数据文件不完整 : "},
        {"huge factors", hugeFactors, "数据文件不完整 : "},
    };
    for (const auto& c : cases) {
        work.Write(c.name, c.text);
        kv::test::MessageRecorder shown;
        CWllgData d;
        d.m_szSpans = "9", d.m_nEdgeCap = 1, d.m_strName = "kept";
        EXPECT_EQ(d.LoadData((work / c.name).c_str()), 0) << c.name;
        ASSERT_EQ(shown.shown().size(), 1u) << c.name;
        EXPECT_EQ(shown.shown()[0].text.rfind(c.message, 0), 0u) << c.name;
        EXPECT_EQ(d.m_szSpans, "9");
        EXPECT_EQ(d.m_nEdgeCap, 1);
        EXPECT_EQ(d.m_strName, "kept");
        EXPECT_EQ(d.m_ChongQie.m_nSlabThick, 400);
    }
}

TEST(WllgData, AFileThatCannotBeOpenedGivesZeroWithoutAMessage) {
    kv::test::WorkFolder work;
    kv::test::MessageRecorder shown;
    CWllgData d;
    d.m_szSpans = "9";
    EXPECT_EQ(d.LoadData((work / "missing.WLB").c_str()), 0);
    EXPECT_EQ(d.LoadData(work.path().c_str()), 0);  // a folder
    EXPECT_EQ(d.SaveData((work / "no folder/a.WLB").c_str()), 0);
    EXPECT_TRUE(shown.shown().empty());
    EXPECT_EQ(d.m_szSpans, "9");
}

TEST(WllgData, FileWithoutTheTwoLastLinesKeepsBothSwitches) {
    kv::test::WorkFolder work;
    work.Write("old.WLB", kDefaultLines + "##Name,x\n##ChaXun,计算简图,a.DXF,a.RTF\n");
    CWllgData d;
    d.m_nEdgeCap = 1, d.m_nCapDesign = 1;
    ASSERT_EQ(d.LoadData((work / "old.WLB").c_str()), 1);
    EXPECT_EQ(d.m_nEdgeCap, 1);
    EXPECT_EQ(d.m_nCapDesign, 1);
    // One line: the edge caps only.
    work.Write("one.WLB", kDefaultLines + "##Name,x\n0\n");
    ASSERT_EQ(d.LoadData((work / "one.WLB").c_str()), 1);
    EXPECT_EQ(d.m_nEdgeCap, 0);
    EXPECT_EQ(d.m_nCapDesign, 1);
}

TEST(WllgData, SpanTextOf288BytesReadsBackWholeAndALongerOneIsCutOnAWholeCharacter) {
    kv::test::WorkFolder work;
    CWllgData d;
    d.m_szSpans = std::string(286, ' ') + "6*2";  // 289 bytes would not fit
    d.m_szSpans.erase(0, 1);                      // 288
    ASSERT_EQ(d.SaveData((work / "a.WLB").c_str()), 1);
    CWllgData back;
    ASSERT_EQ(back.LoadData((work / "a.WLB").c_str()), 1);
    EXPECT_EQ(back.m_szSpans, d.m_szSpans);
    EXPECT_EQ(back.m_nEdgeCap, 0);

    // 287 bytes and a two-byte character: the character does not fit and goes whole.
    d.m_szSpans = std::string(287, '6') + "跨";
    ASSERT_EQ(d.SaveData((work / "b.WLB").c_str()), 1);
    ASSERT_EQ(back.LoadData((work / "b.WLB").c_str()), 1);
    EXPECT_EQ(back.m_szSpans, std::string(287, '6'));
    EXPECT_EQ(back.m_ChongQie.m_nSlabThick, 400);  // the next lines read as ever
}

// ---- the span text ----------------------------------------------------------

TEST(WllgSpans, GrammarTable) {
    struct Case { std::string text; std::vector<float> spans; const char* refusal; } cases[] = {
        {"6*2 8.0", {6, 6, 8}, nullptr},
        {"7", {7}, nullptr},
        {"6*30", std::vector<float>(30, 6), nullptr},
        {"6*31", {}, "跨数不能超过 30 !"},
        {"5 6*30", {}, "跨数不能超过 30 !"},
        {"6*99999999999", {}, "跨数不能超过 30 !"},
        {"*3", {}, "跨长输入有误 !"},
        {"3*", {}, "跨长输入有误 !"},
        {"8 3*", {}, "跨长输入有误 !"},
        {"", {}, "跨长输入有误 !"},
        {"  ", {}, "跨长输入有误 !"},
        {"6*0", {}, "跨长输入有误 !"},
        {"6*0 8", {8}, nullptr},
        {"6*-2 8", {}, "跨长输入有误 !"},
        {"6*-2 8*3 9", {}, "跨长输入有误 !"},
        {"6*2.7", {6, 6}, nullptr},
        {"4.5,5.5", {4.5f, 5.5f}, nullptr},
        {"x", {0}, nullptr},
    };
    for (const auto& c : cases) {
        kv::test::ErrorLines lines;
        JS_ERROR_CODE = 0;
        auto spans = CWllgData::parse_span_list(c.text);
        if (c.refusal) {
            EXPECT_FALSE(spans) << c.text;
            EXPECT_TRUE(lines.Has(301, c.refusal)) << c.text;
            EXPECT_EQ(JS_ERROR_CODE, 301) << c.text;
        } else {
            ASSERT_TRUE(spans) << c.text;
            EXPECT_EQ(*spans, c.spans) << c.text;
            EXPECT_TRUE(lines.lines.empty()) << c.text;
        }
    }
    JS_ERROR_CODE = 0;
}

}  // namespace

// The three shell data files: the lines the defaults write, the drawing and report
// names, both editions, the doubled value of the rectangle's line 2, the circle's
// support word, and foreign files.
#include "members/shells/shell_data.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/codec.h"
#include "support/edition_guard.h"
#include "support/error_lines.h"
#include "support/message_recorder.h"
#include "support/work_folder.h"

namespace {

const std::string kRectLines = "6.000000,6.000000,200,400,2.000000,1.200000,350,500\n"
                               "198.199997,40,1,8,125,3,35,0.800000,0,0.800000,0\n";
const std::string kSixLines = "5.000000,250,500,4.000000,1.500000,350,540\n"
                              "200.000000,35,1,10,125,3,35,0.800000,0,0\n";
const std::string kCircleLines = "5.000000,250,400,4.000000,1.200000,500,1500\n"
                                 "250.000000,30,1,10,125,3,35,0.800000,0,0\n"
                                 "475,705,弹性\n";

std::string Utf8(const std::string& gbk) { return kv::platform::GbkToUtf8Lossy(gbk); }
std::string Gbk(const std::string& utf8) { return kv::platform::Utf8ToGbkLossy(utf8); }

template <typename Data>
std::string Saved(kv::test::WorkFolder& work, Data& d) {
    EXPECT_EQ(d.SaveData((work / "item.dat").c_str()), 1);
    return work.Read("item.dat");
}

TEST(ShellData, DefaultObjectsWriteTheirLinesAndNameTheirDrawings) {
    kv::test::WorkFolder work;
    CRectBqData rect;
    CSixBqData six;
    CCircleBqData circle;
    EXPECT_EQ(Utf8(Saved(work, rect)).substr(0, 14 + kRectLines.size()), "KV_RECTBQ_V30\n" + kRectLines);
    EXPECT_EQ(Utf8(Saved(work, six)).substr(0, 13 + kSixLines.size()), "KV_SIXBQ_V30\n" + kSixLines);
    const std::string circleText = Utf8(Saved(work, circle));
    EXPECT_EQ(circleText.substr(0, 16 + kCircleLines.size()), "KV_CIRCLEBQ_V30\n" + kCircleLines);
    EXPECT_NE(circleText.find("##ChaXun,环向内力,NONAME_H_BQ3.DXF,NONAME_BQ3.RTF\n"), std::string::npos);

    EXPECT_EQ(rect.m_nJtNum, 13);
    EXPECT_EQ(six.m_nJtNum, 11);
    EXPECT_EQ(circle.m_nJtNum, 12);
    EXPECT_EQ(rect.GetDxfFileName(0), "NONAME_Nx_BQ1.DXF");
    EXPECT_EQ(rect.GetDxfFileName(12), "NONAME_Bl_BQ1.DXF");
    EXPECT_EQ(six.GetDxfFileName(7), "NONAME_Nma_BQ2.DXF");
    EXPECT_EQ(circle.GetDxfFileName(11), "NONAME_Bj_BQ3.DXF");
    for (int k = 0; k < 13; ++k) EXPECT_EQ(rect.GetRtfFileName(k), "NONAME_BQ1.RTF");
    EXPECT_EQ(six.GetRtfFileName(10), "NONAME_BQ2.RTF");
    EXPECT_EQ(circle.GetJtTitle(4), "法向位移");
    EXPECT_EQ(rect.calc_ok, 0);
    EXPECT_EQ(six.points[14].no, 15);
}

TEST(ShellData, RectangleTakesTheTenthValueOfLineTwoAndWritesItTwice) {
    kv::test::WorkFolder work;
    work.Write("r.dat", "KV_RECTBQ_V30\n" + kRectLines.substr(0, kRectLines.find('\n') + 1) +
                            "150.5,30,2,8,125,3,40,0.700000,1,0.900000,1\n");
    CRectBqData d;
    ASSERT_EQ(d.LoadData((work / "r.dat").c_str()), 1);
    EXPECT_FLOAT_EQ(d.beam_ini_factor, 0.9f);
    EXPECT_EQ(d.steam_cured, 1);
    EXPECT_EQ(d.rebar_mode, 1);
    EXPECT_EQ(d.as, 40);
    EXPECT_NE(Saved(work, d).find("150.500000,30,2,8,125,3,40,0.900000,1,0.900000,1\n"), std::string::npos);
}

TEST(ShellData, OlderEditionIsSymmetricAndTellsOfHpb235Only) {
    kv::test::WorkFolder work;
    kv::test::EditionGuard edition(2010);
    // Asymmetric reinforcement (1) and plain round shell bars (grade 1) in both editions.
    const std::string lines = "6,6,200,400,2,1.2,350,500\n198.2,40,1,8,125,3,35,0.8,0,0.8,1\n";
    struct Case {
        std::string marker;
        int mode;
        bool told;
    } cases[] = {{"KV_BQ1_V20", 0, true}, {"KV_RECTBQ_V30", 1, false}, {"old KV_BQ1_V20 file", 0, true}};
    for (const auto& c : cases) {
        work.Write("e.dat", c.marker + "\n" + lines);
        kv::test::ErrorLines told;
        CRectBqData d;
        ASSERT_EQ(d.LoadData((work / "e.dat").c_str()), 1) << c.marker;
        EXPECT_EQ(d.rebar_mode, c.mode) << c.marker;
        EXPECT_EQ(told.Has(0, "钢筋HPB235自动调整为HPB300"), c.told) << c.marker;
    }
    // No grade 1: no notice for an older file either.
    work.Write("g.dat", "KV_BQ2_V20\n5,250,500,4,1.5,350,540\n200,35,2,10,125,3,35,0.8,0,1\n");
    kv::test::ErrorLines told;
    CSixBqData six;
    ASSERT_EQ(six.LoadData((work / "g.dat").c_str()), 1);
    EXPECT_EQ(six.rebar_mode, 0);
    EXPECT_TRUE(told.lines.empty());
}

TEST(ShellData, CircleSupportWordRoundTripsThroughGbkAndStopsAtABlank) {
    kv::test::WorkFolder work;
    CCircleBqData d;
    d.boundary = "嵌固";
    d.e_alpha = 480;
    const std::string text = Saved(work, d);
    EXPECT_NE(text.find("480,705," + Gbk("嵌固") + "\n"), std::string::npos);
    CCircleBqData back;
    ASSERT_EQ(back.LoadData((work / "item.dat").c_str()), 1);
    EXPECT_EQ(back.boundary, "嵌固");
    EXPECT_EQ(back.e_alpha, 480);

    struct Case {
        std::string line3, boundary;
    } cases[] = {{"475,705,铰接", "铰接"},  // not one of the three: kept as it stands
                 {"475,705,简支 边界", "简支"},
                 {"475,705," + std::string(300, 'x'), ""}};
    for (const auto& c : cases) {
        const std::string lines = kCircleLines.substr(0, kCircleLines.rfind("475")) + c.line3 + "\r\n";
        work.Write("c.DAT", Gbk("KV_CIRCLEBQ_V30\r\n" + lines));
        CCircleBqData e;
        ASSERT_EQ(e.LoadData((work / "c.dat").c_str()), 1) << c.line3.substr(0, 20);
        if (c.boundary.empty()) EXPECT_LT(e.boundary.size(), 64u);  // bounded, whatever it kept
        else EXPECT_EQ(e.boundary, c.boundary);
    }
}

TEST(ShellData, ForeignFileIsRefusedAndTheObjectAndShellNumberStay) {
    kv::test::WorkFolder work;
    work.Write("f.dat", "KV_SIXBQ_V30\n" + kSixLines);
    work.Write("ok.dat", "KV_RECTBQ_V30\n7,8.4,250,400,2,1.4,350,500\n198.2,40,2,8,125,3,35,0.8,0,0.8,0\n");
    kv::test::MessageRecorder shown;
    CRectBqData d;
    d.shell_no = "BQ7";
    d.a = 9;
    EXPECT_EQ(d.LoadData((work / "f.dat").c_str()), 0);
    ASSERT_EQ(shown.shown().size(), 1u);
    EXPECT_EQ(shown.shown()[0].text, "文件类型不匹配 !");
    EXPECT_FLOAT_EQ(d.a, 9);
    ASSERT_EQ(d.LoadData((work / "ok.dat").c_str()), 1);
    EXPECT_FLOAT_EQ(d.b, 8.4f);
    EXPECT_EQ(d.shell_no, "BQ7");
    EXPECT_EQ(d.LoadData((work / "missing.dat").c_str()), 0);
    EXPECT_EQ(shown.shown().size(), 1u);
}

}  // namespace

#include "design/mkq_data.h"

#include <gtest/gtest.h>

#include <string>

#include "base/error.h"
#include "support/edition_guard.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using kv::test::MessageRecorder;

// Every stored field a value of its own, with fractions "%f" carries exactly.
void FillDistinct(MKQ_FIELDS& f) {
    f.Shape = 2, f.Haunch = 150, f.Depth = 450, f.Length = 1200, f.L1 = 1100, f.L2 = 700;
    f.Qe = 162.5f, f.Qi = 875.25f, f.La = 2.375f;
    f.ShearAdjust = 0.625f, f.Steam = 1, f.ConGrade = 40, f.Cover = 35, f.BarGrade = 3, f.Reserved = 7;
    f.StirrupGrade = 2, f.StirrupSpacing = 150, f.ReportLevel = 2, f.CrackCheck = 1;
}

void ExpectSameInputs(const MKQ_FIELDS& a, const MKQ_FIELDS& b) {
#define SAME(x) EXPECT_EQ(a.x, b.x) << #x
    SAME(Shape); SAME(Haunch); SAME(Depth); SAME(Length); SAME(L1); SAME(L2); SAME(Qe); SAME(Qi); SAME(La);
    SAME(ShearAdjust); SAME(Steam); SAME(ConGrade); SAME(Cover); SAME(BarGrade); SAME(Reserved);
    SAME(StirrupGrade); SAME(StirrupSpacing); SAME(ReportLevel); SAME(CrackCheck);
#undef SAME
}

TEST(DoorFrameWallData, DefaultsKindsAndTheQueryEntry) {
    CMkqData fresh;
    EXPECT_EQ(fresh.m_strStem, "NONAME");
    EXPECT_EQ(fresh.GetRtfFileName(0), "NONAME_MKCJ.RTF");
    EXPECT_EQ(fresh.Shape, 1);
    EXPECT_EQ(fresh.Length, 900);
    EXPECT_EQ(fresh.Qi, 1000.0f);
    EXPECT_EQ(fresh.La, 2.2f);
    EXPECT_EQ(fresh.ShearAdjust, 0.8f);
    EXPECT_EQ(fresh.Reserved, 1);
    EXPECT_EQ(fresh.StirrupGrade, 1);
    EXPECT_EQ(fresh.CrackCheck, 0);
    fresh.SetFileName("&KV_0012");
    EXPECT_EQ(fresh.m_nJtNum, 1);
    EXPECT_EQ(fresh.GetJtTitle(0), "查询内容");
    EXPECT_EQ(fresh.GetDxfFileName(0), "&KV_0012_MKCJ.DXF");
    EXPECT_EQ(fresh.GetRtfFileName(0), "&KV_0012_MKCJ.RTF");
    EXPECT_EQ(G_MenKuangQiangData.Kind, 0);
    EXPECT_EQ(G_ChuangJingQiangData.Kind, 1);
}

TEST(DoorFrameWallData, RoundTripKeepsEveryFieldWithTheCrackFlagLastOnLineTwo) {
    kv::test::TempFolder dir;
    CMkqData written(1);
    FillDistinct(written);
    written.m_strName = "窗井墙 CJQ-1, 东侧";
    written.SetFileName("&KV_0012");
    ASSERT_EQ(written.SaveData((dir / "&KV_0012.dat").c_str()), 1);

    const std::string text = dir.Read("&KV_0012.dat");
    EXPECT_EQ(text.substr(0, text.find("##Name")),
              "KV_MKQ_V30\n"
              "2,150,450,1200,1100,700,162.500000,875.250000,2.375000\n"
              "0.625000,1,40,35,3,7,2,150,2,1\n");

    CMkqData read(0);
    ASSERT_EQ(read.LoadData((dir / "&KV_0012.dat").c_str()), 1);
    ExpectSameInputs(written, read);
    EXPECT_EQ(read.Kind, 0) << "the kind never comes from a file";
    EXPECT_EQ(read.m_strName, "窗井墙 CJQ-1, 东侧");
    EXPECT_EQ(read.GetRtfFileName(0), "&KV_0012_MKCJ.RTF");
}

// Files typed by hand as other machines leave them: CR LF, loose number forms.
TEST(DoorFrameWallData, ReadsTheCrackFlagFromTheTenthValueOfLineTwo) {
    kv::test::TempFolder dir;
    dir.Write("A.MKQ", "KV_MKQ_V30\r\n1,200,600,900,800,600,150,1000,2.2\r\n0.8,0,30,20,2,1,1,200,1,1\r\n");
    dir.Write("B.CJQ", "KV_MKQ_V30\r\n1,200,600,900,800,600,150,1000,2.2\r\n0.8,1,30,20,2,1,1,200,1,0\r\n");
    struct Case {
        const char* file;
        int steam, crack;
    } cases[] = {{"A.MKQ", 0, 1}, {"B.CJQ", 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CMkqData lip;
        ASSERT_EQ(lip.LoadData((dir / c.file).c_str()), 1);
        EXPECT_EQ(lip.Steam, c.steam);
        EXPECT_EQ(lip.CrackCheck, c.crack);
        EXPECT_EQ(lip.ReportLevel, 1);
        EXPECT_EQ(lip.StirrupSpacing, 200);
    }
}

// HPB235 of either bar in a file of the older edition is noticed under 2010 only.
TEST(DoorFrameWallData, OlderEditionNoticesHpb235OfEitherBar) {
    kv::test::TempFolder dir;
    const std::string line1 = "1,200,600,900,800,600,150,1000,2.2\n";
    dir.Write("stirrup20.MKQ", "KV_MKQ_V20\n" + line1 + "0.8,0,30,20,2,1,1,200,1,0\n");
    dir.Write("bar20.MKQ", "KV_MKQ_V20\n" + line1 + "0.8,0,30,20,1,1,2,200,1,0\n");
    dir.Write("none20.MKQ", "KV_MKQ_V20\n" + line1 + "0.8,0,30,20,2,1,2,200,1,0\n");
    dir.Write("stirrup30.MKQ", "KV_MKQ_V30\n" + line1 + "0.8,0,30,20,2,1,1,200,1,0\n");
    struct Case {
        const char* file;
        int edition;
        bool noticed;
    } cases[] = {{"stirrup20.MKQ", 2010, true},  {"bar20.MKQ", 2010, true},      {"stirrup20.MKQ", 2002, false},
                 {"none20.MKQ", 2010, false},    {"stirrup30.MKQ", 2010, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.edition));
        kv::test::EditionGuard edition(c.edition);
        kv::err::ClearRecentLines();
        CMkqData lip;
        ASSERT_EQ(lip.LoadData((dir / c.file).c_str()), 1);
        bool notice = false;
        for (const auto& line : kv::err::RecentLines()) notice = notice || line.text == "钢筋HPB235自动调整为HPB300";
        EXPECT_EQ(notice, c.noticed);
    }
}

// Files the reader refuses: a message, 0, and the record as it was.
TEST(DoorFrameWallData, RefusedFilesLeaveTheRecordUnchanged) {
    kv::test::TempFolder dir;
    CMkqData good;
    FillDistinct(good);
    ASSERT_EQ(good.SaveData((dir / "good.MKQ").c_str()), 1);
    const std::string text = dir.Read("good.MKQ");
    const std::size_t line2 = text.find('\n', text.find('\n') + 1) + 1;
    const std::size_t line2End = text.find('\n', line2);
    std::string shortLine = text;
    shortLine.erase(text.rfind(',', line2End), line2End - text.rfind(',', line2End));

    struct Case {
        const char* name;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"foreign.MKQ", "KV_LKQ_V30\n" + text.substr(text.find('\n') + 1), "文件类型不匹配 !"},
        {"empty.MKQ", "", "文件类型不匹配 !"},
        {"cut.MKQ", text.substr(0, line2), "数据文件不完整"},
        {"cutmid.MKQ", text.substr(0, line2 + 12), "数据文件不完整"},
        {"short.MKQ", shortLine, "数据文件不完整"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write(c.name, c.bytes);
        CMkqData lip;
        lip.m_strName = "kept";
        const MKQ_FIELDS before = lip;
        MessageRecorder messages;
        EXPECT_EQ(lip.LoadData((dir / c.name).c_str()), 0);
        ExpectSameInputs(lip, before);
        EXPECT_EQ(lip.m_strName, "kept");
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_NE(messages.shown()[0].text.find(c.message), std::string::npos) << messages.shown()[0].text;
    }

    CMkqData lip;
    MessageRecorder messages;
    EXPECT_EQ(lip.LoadData((dir / "missing.MKQ").c_str()), 0);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(lip.SaveData((dir / "no/such/folder/a.MKQ").c_str()), 0);
}

}  // namespace

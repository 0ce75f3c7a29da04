// The beam- and column-section data files: round trips, the older edition, the
// reserved beam value and the files the readers refuse.
#include "members/beams/liang_data.h"
#include "members/beams/zhu_data.h"

#include <gtest/gtest.h>

#include <string>

#include "base/error.h"
#include "support/edition_guard.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using kv::test::MessageRecorder;

void FillDistinct(LIANG_FIELDS& f) {
    f.Kind = 3, f.B = 250, f.H = 650, f.Bf = 450, f.Hf = 90, f.Bf1 = 550, f.Hf1 = 110, f.ConGrade = 35, f.Cover = 40;
    f.BarGrade = 2, f.StirrupGrade = 3, f.StirrupSpacing = 150, f.Mode = 1;
    f.M = 125.5f, f.V = 87.25f, f.T = 12.125f, f.Reserved = 9, f.Zeta = 1.375f;
    f.Span = 7.25f, f.ShearAdjust = 0.625f, f.Steam = 1, f.Support = 1, f.ReportLevel = 2;
}

void FillDistinct(ZHU_FIELDS& f) {
    f.Kind = 2, f.B = 400, f.H = 600, f.Bf = 900, f.Hf = 250, f.Bf1 = 850, f.Hf1 = 200, f.D = 450, f.L0 = 4.5f;
    f.ConGrade = 40, f.Cover = 45, f.BarGrade = 4, f.Mode = 2, f.StirrupGrade = 2, f.StirrupSpacing = 150;
    f.Mx = 210.5f, f.My = -35.25f, f.Vx = 60.5f, f.Vy = 45.75f, f.N = 1800.5f, f.Seismic = 3, f.Steam = 1;
    f.ReportLevel = 0;
    f.SecondOrder = 1, f.Mx1 = 120.5f, f.Mx2 = 180.25f, f.My1 = -20.5f, f.My2 = 30.75f;
}

void ExpectSame(const LIANG_FIELDS& a, const LIANG_FIELDS& b) {
#define SAME(x) EXPECT_EQ(a.x, b.x) << #x
    SAME(Kind); SAME(B); SAME(H); SAME(Bf); SAME(Hf); SAME(Bf1); SAME(Hf1); SAME(ConGrade); SAME(Cover);
    SAME(BarGrade); SAME(StirrupGrade); SAME(StirrupSpacing); SAME(Mode); SAME(M); SAME(V); SAME(T); SAME(Zeta);
    SAME(Span); SAME(ShearAdjust); SAME(Steam); SAME(Support); SAME(ReportLevel);
#undef SAME
}

void ExpectSame(const ZHU_FIELDS& a, const ZHU_FIELDS& b) {
#define SAME(x) EXPECT_EQ(a.x, b.x) << #x
    SAME(Kind); SAME(B); SAME(H); SAME(Bf); SAME(Hf); SAME(Bf1); SAME(Hf1); SAME(D); SAME(L0); SAME(ConGrade);
    SAME(Cover); SAME(BarGrade); SAME(Mode); SAME(StirrupGrade); SAME(StirrupSpacing); SAME(Mx); SAME(My);
    SAME(Vx); SAME(Vy); SAME(N); SAME(Seismic); SAME(Steam); SAME(ReportLevel); SAME(SecondOrder); SAME(Mx1);
    SAME(Mx2); SAME(My1); SAME(My2);
#undef SAME
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

bool Hpb235Noticed() {
    for (const auto& line : kv::err::RecentLines())
        if (line.text == "钢筋HPB235自动调整为HPB300") return true;
    return false;
}

TEST(SectionData, DefaultsAndQueryEntries) {
    CLiangData beam;
    EXPECT_EQ(beam.GetDxfFileName(0), "NONAME_BEM.DXF");
    EXPECT_EQ(beam.B, 200);
    EXPECT_EQ(beam.Mode, 2);
    EXPECT_EQ(beam.ShearAdjust, 0.8f);
    beam.SetFileName("&KV_0003");
    EXPECT_EQ(beam.m_nJtNum, 1);
    EXPECT_EQ(beam.GetJtTitle(0), "查询内容");
    EXPECT_EQ(beam.GetDxfFileName(0), "&KV_0003_BEM.DXF");
    EXPECT_EQ(beam.GetRtfFileName(0), "&KV_0003_BEM.RTF");

    CZhuData column;
    EXPECT_EQ(column.N, 1000.0f);
    EXPECT_EQ(column.Mode, 1);
    EXPECT_EQ(column.Mx1, -150.0f);
    EXPECT_EQ(column.D, 500);
    column.SetFileName("A");
    EXPECT_EQ(column.GetJtTitle(0), "查询内容");
    EXPECT_EQ(column.GetDxfFileName(0), "A_ZHU.DXF");
    EXPECT_EQ(column.GetRtfFileName(0), "A_ZHU.RTF");
}

TEST(SectionData, BeamRoundTripWritesTheReservedValueAsZero) {
    kv::test::TempFolder dir;
    CLiangData written;
    FillDistinct(written);
    written.m_strName = "二层 KL-3";
    ASSERT_EQ(written.SaveData((dir / "a.BEM").c_str()), 1);
    const std::string text = dir.Read("a.BEM");
    EXPECT_EQ(text.substr(0, text.find("##Name")),
              "KV_LIANG_V30\n"
              "3,250,650,450,90,550,110,35,40\n"
              "2,3,150,1,125.500000,87.250000,12.125000,0,1.375000\n"
              "7.250000,0.625000,1,1,2\n");
    CLiangData read;
    ASSERT_EQ(read.LoadData((dir / "a.BEM").c_str()), 1);
    ExpectSame(written, read);
    EXPECT_EQ(read.Reserved, 0);
    EXPECT_EQ(read.m_strName, "二层 KL-3");
}

TEST(SectionData, ColumnRoundTripPutsThePDeltaLineAfterTheReportLevel) {
    kv::test::TempFolder dir;
    CZhuData written;
    FillDistinct(written);
    written.m_strName = "KZ-1";
    ASSERT_EQ(written.SaveData((dir / "a.ZHU").c_str()), 1);
    const std::string text = dir.Read("a.ZHU");
    EXPECT_EQ(text.substr(0, text.find("##Name")),
              "KV_ZHU_V30\n"
              "2,400,600,900,250,850,200,450,4.500000\n"
              "40,45,4,2,2,150\n"
              "210.500000,-35.250000,60.500000,45.750000,1800.500000,3,1,0\n"
              "1,120.500000,180.250000,-20.500000,30.750000\n");
    CZhuData read;
    ASSERT_EQ(read.LoadData((dir / "a.ZHU").c_str()), 1);
    ExpectSame(written, read);
    EXPECT_EQ(read.m_strName, "KZ-1");
}

// A column file of the older edition has no p-δ line: its common block follows line 3.
TEST(SectionData, OlderColumnFileReadsWithoutPDeltaAndTakesItsCommonBlock) {
    kv::test::TempFolder dir;
    dir.Write("old.ZHU",
              "KV_ZHU_V20\r\n1,300,450,800,300,800,300,500,3.3\r\n30,35,2,1,2,200\r\n"
              "80,20,50,40,900,0,0,1\r\n##Name KZ-old\r\n");
    CZhuData column;
    column.SecondOrder = 1;
    column.Mx1 = column.Mx2 = column.My1 = column.My2 = 10.0f;
    ASSERT_EQ(column.LoadData((dir / "old.ZHU").c_str()), 1);
    EXPECT_EQ(column.SecondOrder, 0);
    EXPECT_EQ(column.Mx1, -150.0f);
    EXPECT_EQ(column.Mx2, -150.0f);
    EXPECT_EQ(column.My1, -150.0f);
    EXPECT_EQ(column.My2, -150.0f);
    EXPECT_EQ(column.H, 450);
    EXPECT_EQ(column.N, 900.0f);
    EXPECT_EQ(column.m_strName, "KZ-old");
}

// Either marker with grade 1; the edition in force decides whether it is noticed.
// A first line with both markers is of the older edition.
TEST(SectionData, GradeOneNoticesHpb235ByTheFilesEdition) {
    kv::test::TempFolder dir;
    const std::string beamLines = "1,200,500,400,80,400,80,30,35\n1,1,200,2,50,100,0,0,1.2\n6,0.8,0,0,1\n";
    const std::string columnLines = "1,500,500,800,300,800,300,500,3\n30,35,3,1,1,200\n50,50,100,100,1000,0,0,1\n";
    dir.Write("v20.BEM", "KV_LIANG_V20\n" + beamLines);
    dir.Write("v30.BEM", "KV_LIANG_V30\n" + beamLines);
    dir.Write("both.BEM", "KV_LIANG_V30 KV_LIANG_V20\n" + beamLines);
    dir.Write("v20.ZHU", "KV_ZHU_V20\n" + columnLines);
    dir.Write("v30.ZHU", "KV_ZHU_V30\n" + columnLines + "0,-150,-150,-150,-150\n");
    dir.Write("both.ZHU", "KV_ZHU_V30KV_ZHU_V20\n" + columnLines);
    struct Case {
        const char* file;
        int edition;
        bool noticed;
    } cases[] = {{"v20.BEM", 2010, true},  {"v20.BEM", 2002, false}, {"v30.BEM", 2010, false},
                 {"v30.BEM", 2002, false}, {"both.BEM", 2010, true}, {"v20.ZHU", 2010, true},
                 {"v30.ZHU", 2010, false}, {"both.ZHU", 2010, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.edition));
        kv::test::EditionGuard edition(c.edition);
        kv::err::ClearRecentLines();
        const std::string path = dir / c.file;
        if (std::string(c.file).ends_with(".BEM")) {
            CLiangData beam;
            ASSERT_EQ(beam.LoadData(path.c_str()), 1);
            EXPECT_EQ(beam.StirrupGrade, 1);
        } else {
            CZhuData column;
            ASSERT_EQ(column.LoadData(path.c_str()), 1);
            EXPECT_EQ(column.SecondOrder, 0);  // "both" is read as the older edition, without line 4
        }
        EXPECT_EQ(Hpb235Noticed(), c.noticed);
    }
}

// Refused files: a message, 0, and the object as it was.
TEST(SectionData, RefusedFilesLeaveTheObjectUnchanged) {
    kv::test::TempFolder dir;
    CZhuData good;
    FillDistinct(good);
    ASSERT_EQ(good.SaveData((dir / "good.ZHU").c_str()), 1);
    const std::string text = dir.Read("good.ZHU");
    const std::size_t line4 = text.find("1,120.5");
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"beam-marker.ZHU", "KV_LIANG_V30\n" + text.substr(text.find('\n') + 1), "文件类型不匹配 !"},
        {"no-pdelta.ZHU", text.substr(0, line4), "数据文件不完整"},
        {"short-pdelta.ZHU", text.substr(0, line4) + "1,2,3\n", "数据文件不完整"},
        // "nan" and "inf" scan as numbers, and so does a value past the float
        // range; the design would print them as steel areas.
        {"nan-moment.ZHU", Replaced(text, "210.500000", "nan"), "数据文件不完整"},
        {"inf-length.ZHU", Replaced(text, "4.500000", "inf"), "数据文件不完整"},
        {"huge-force.ZHU", Replaced(text, "1800.500000", "1e39"), "数据文件不完整"},
        {"nan-end-moment.ZHU", Replaced(text, "180.250000", "-nan"), "数据文件不完整"},
        // Stirrups at a spacing of 0 or less would be designed as no steel.
        {"zero-spacing.ZHU", Replaced(text, "2,150\n", "2,0\n"), "数据文件不完整"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write(c.name, c.bytes);
        CZhuData column;
        const ZHU_FIELDS before = column;
        MessageRecorder messages;
        EXPECT_EQ(column.LoadData((dir / c.name).c_str()), 0);
        ExpectSame(column, before);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_NE(messages.shown()[0].text.find(c.message), std::string::npos) << messages.shown()[0].text;
    }
    dir.Write("short.BEM", "KV_LIANG_V30\n1,200,500,400,80,400,80,30\n");
    const std::string beamLines = "KV_LIANG_V30\n1,200,500,400,80,400,80,30,35\n3,1,200,2,50,100,0,0,1.2\n6,0.8,0,0,1\n";
    dir.Write("nan-moment.BEM", Replaced(beamLines, ",50,", ",nan,"));
    dir.Write("inf-span.BEM", Replaced(beamLines, "6,0.8", "inf,0.8"));
    dir.Write("huge-torque.BEM", Replaced(beamLines, "100,0,0", "100,1e39,0"));
    dir.Write("negative-spacing.BEM", Replaced(beamLines, "3,1,200", "3,1,-200"));
    CLiangData beam;
    MessageRecorder messages;
    EXPECT_EQ(beam.LoadData((dir / "short.BEM").c_str()), 0);
    EXPECT_EQ(beam.ConGrade, 30);
    EXPECT_EQ(beam.LoadData((dir / "missing.BEM").c_str()), 0);
    EXPECT_EQ(messages.shown().size(), 1u);
    for (const char* name : {"nan-moment.BEM", "inf-span.BEM", "huge-torque.BEM", "negative-spacing.BEM"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(beam.LoadData((dir / name).c_str()), 0);
        EXPECT_EQ(beam.M, 50.0f);
        EXPECT_EQ(beam.Span, 6.0f);
        EXPECT_EQ(beam.T, 0.0f);
        EXPECT_EQ(beam.StirrupSpacing, 200);
    }
    EXPECT_EQ(messages.shown().size(), 5u);
    EXPECT_EQ(beam.SaveData((dir / "no/such/folder/a.BEM").c_str()), 0);
}

}  // namespace

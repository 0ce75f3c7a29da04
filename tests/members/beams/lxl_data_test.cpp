#include "members/beams/lxl_data.h"

#include <gtest/gtest.h>

#include <string>

#include "base/error.h"
#include "platform/codec.h"
#include "support/edition_guard.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using kv::test::MessageRecorder;

// Every stored field a value of its own, with fractions "%f" carries exactly.
void FillDistinct(LXL_FIELDS& f) {
    f.LeftSupport = 2, f.RightSupport = 0, f.SpanNum = 3, f.CurSpan = 2;
    f.Seismic = 3, f.ConGrade = 40, f.Cover = 40, f.BarGrade = 3, f.StirrupGrade = 2, f.StirrupSpacing = 150;
    f.SupportFactor = 1.25f, f.MidFactor = 0.875f, f.Steam = 1, f.MinKsaiCheck = 0, f.Redistribution = 12.5f;
    f.ConFactor = 0.75f;
    f.Spans[0] = {1, 4.5f, 250, 600, 2, 2, {}};
    f.Spans[0].Loads[0] = {1, 1, 1, 35.5f, 0.0f, 1.25f, 0.0f};
    f.Spans[0].Loads[1] = {2, 2, 6, 10.0f, 30.0f, 1.0f, 2.0f};
    f.Spans[1] = {2, 7.25f, 300, 700, 0, 1, {}};
    f.Spans[2] = {3, 3.0f, 200, 450, 1, 1, {}};
    f.Spans[2].Loads[0] = {1, 3, 2, -12.5f, 30.0f, 0.5f, 1.0f};
}

void ExpectSameInputs(const LXL_FIELDS& a, const LXL_FIELDS& b) {
#define SAME(x) EXPECT_EQ(a.x, b.x) << #x
    SAME(LeftSupport); SAME(RightSupport); SAME(SpanNum); SAME(CurSpan); SAME(Seismic); SAME(ConGrade); SAME(Cover);
    SAME(BarGrade); SAME(StirrupGrade); SAME(StirrupSpacing); SAME(SupportFactor); SAME(MidFactor); SAME(Steam);
    SAME(MinKsaiCheck); SAME(Redistribution); SAME(ConFactor);
    for (int i = 0; i < a.SpanNum; ++i) {
        SCOPED_TRACE("span " + std::to_string(i + 1));
        SAME(Spans[i].Length); SAME(Spans[i].Width); SAME(Spans[i].Height); SAME(Spans[i].LoadNum);
        SAME(Spans[i].CurLoad);
        for (int j = 0; j < a.Spans[i].LoadNum; ++j) {
            SAME(Spans[i].Loads[j].Kind); SAME(Spans[i].Loads[j].Type); SAME(Spans[i].Loads[j].Q1);
            SAME(Spans[i].Loads[j].Q2); SAME(Spans[i].Loads[j].A); SAME(Spans[i].Loads[j].C);
        }
    }
#undef SAME
}

// Lines 2 and 3 of a file with the given materials line; n spans of 6 m without loads.
std::string File(const char* marker, const std::string& materials, int spans = 2) {
    std::string text = std::string(marker) + "\n" + std::to_string(spans) + ",1,1,1\n" + materials + "\n";
    for (int i = 0; i < spans; ++i) text += "6.000000,200,500,0,1\n";
    return text;
}

TEST(ContinuousBeamData, NewObjectWritesItsDefaultsByteForByte) {
    CLxlData fresh;
    EXPECT_EQ(fresh.GetJtTitle(0), "查询内容");
    EXPECT_EQ(fresh.GetDxfFileName(0), "NONAME_LXL.DXF");
    EXPECT_EQ(fresh.Spans[29].Number, 30);
    EXPECT_EQ(fresh.Spans[29].Loads[19].Number, 20);
    fresh.SetFileName("A");
    EXPECT_EQ(fresh.m_nJtNum, 1);
    EXPECT_EQ(fresh.GetDxfFileName(0), "A_LXL.DXF");
    EXPECT_EQ(fresh.GetRtfFileName(0), "A_LXL.RTF");

    kv::test::TempFolder dir;
    fresh.m_strName = "连续梁 L-1";
    ASSERT_EQ(fresh.SaveData((dir / "A.LXL").c_str()), 1);
    // The least-ξ flag (1) stands last on the materials line, after the strength factor 0.8.
    EXPECT_EQ(dir.Read("A.LXL"), kv::platform::Utf8ToGbkLossy("KV_LXL_V30\n"
                                                              "5,1,1,1\n"
                                                              "0,30,35,2,1,200,1.000000,1.000000,0,15.000000,0.800000,1\n"
                                                              "6.000000,200,500,0,1\n"
                                                              "6.000000,200,500,0,1\n"
                                                              "6.000000,200,500,0,1\n"
                                                              "6.000000,200,500,0,1\n"
                                                              "6.000000,200,500,0,1\n"
                                                              "##Name,连续梁 L-1\n"
                                                              "##ChaXun,查询内容,A_LXL.DXF,A_LXL.RTF\n"));
}

TEST(ContinuousBeamData, RoundTripKeepsSpansAndLoads) {
    kv::test::TempFolder dir;
    CLxlData written;
    FillDistinct(written);
    written.m_strName = "连续梁, 三跨";
    written.SetFileName("&KV_0020");
    ASSERT_EQ(written.SaveData((dir / "&KV_0020.dat").c_str()), 1);

    const std::string text = dir.Read("&KV_0020.dat");
    // A span without loads writes its line only; a uniform load still writes all six values.
    EXPECT_EQ(text.substr(0, text.find("##Name")),
              "KV_LXL_V30\n"
              "3,2,0,2\n"
              "3,40,40,3,2,150,1.250000,0.875000,1,12.500000,0.750000,0\n"
              "4.500000,250,600,2,2\n"
              "1,1,35.500000,0.000000,1.250000,0.000000\n"
              "2,6,10.000000,30.000000,1.000000,2.000000\n"
              "7.250000,300,700,0,1\n"
              "3.000000,200,450,1,1\n"
              "3,2,-12.500000,30.000000,0.500000,1.000000\n");

    CLxlData read;
    ASSERT_EQ(read.LoadData((dir / "&KV_0020.dat").c_str()), 1);
    ExpectSameInputs(written, read);
    EXPECT_EQ(read.m_strName, "连续梁, 三跨");
    EXPECT_EQ(read.GetRtfFileName(0), "&KV_0020_LXL.RTF");
    EXPECT_EQ(read.GetFileName_(), (dir / "&KV_0020.dat"));
}

// The older edition always checked the least ξ; its file may also end line 3
// without the flag. CR LF line ends read the same.
TEST(ContinuousBeamData, OlderEditionAlwaysChecksTheLeastKsai) {
    kv::test::TempFolder dir;
    const std::string off = "0,30,35,2,2,200,1.000000,1.000000,0,15.000000,0.800000,0";
    dir.Write("v20.LXL", File("KV_LXL_V20", off));
    dir.Write("v20short.LXL", File("KV_LXL_V20", off.substr(0, off.rfind(','))));
    dir.Write("v30.LXL", File("KV_LXL_V30", off));
    dir.Write("v30crlf.LXL", "KV_LXL_V30\r\n1,0,2,1\r\n" + off + "\r\n5.5,200,400,0,1\r\n");
    struct Case {
        const char* file;
        int check;
    } cases[] = {{"v20.LXL", 1}, {"v20short.LXL", 1}, {"v30.LXL", 0}, {"v30crlf.LXL", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CLxlData beam;
        ASSERT_EQ(beam.LoadData((dir / c.file).c_str()), 1);
        EXPECT_EQ(beam.MinKsaiCheck, c.check);
    }
    CLxlData crlf;
    ASSERT_EQ(crlf.LoadData((dir / "v30crlf.LXL").c_str()), 1);
    EXPECT_EQ(crlf.SpanNum, 1);
    EXPECT_EQ(crlf.RightSupport, 2);
    EXPECT_EQ(crlf.Spans[0].Length, 5.5f);
    EXPECT_EQ(crlf.Spans[0].Height, 400);

    // The short line 3 is the older edition's only.
    CLxlData beam;
    MessageRecorder messages;
    dir.Write("v30short.LXL", File("KV_LXL_V30", off.substr(0, off.rfind(','))));
    EXPECT_EQ(beam.LoadData((dir / "v30short.LXL").c_str()), 0);
}

// Bar grade 1 (HPB235) of either bar is noticed under 2010 in a file of the older edition only.
TEST(ContinuousBeamData, OlderEditionNoticesHpb235) {
    kv::test::TempFolder dir;
    dir.Write("bar20.LXL", File("KV_LXL_V20", "0,30,35,1,2,200,1,1,0,15,0.8,1"));
    dir.Write("stirrup20.LXL", File("KV_LXL_V20", "0,30,35,2,1,200,1,1,0,15,0.8,1"));
    dir.Write("none20.LXL", File("KV_LXL_V20", "0,30,35,2,2,200,1,1,0,15,0.8,1"));
    dir.Write("bar30.LXL", File("KV_LXL_V30", "0,30,35,1,1,200,1,1,0,15,0.8,1"));
    struct Case {
        const char* file;
        int edition;
        bool noticed;
    } cases[] = {{"bar20.LXL", 2010, true},  {"stirrup20.LXL", 2010, true}, {"bar20.LXL", 2002, false},
                 {"none20.LXL", 2010, false}, {"bar30.LXL", 2010, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.edition));
        kv::test::EditionGuard edition(c.edition);
        kv::err::ClearRecentLines();
        CLxlData beam;
        ASSERT_EQ(beam.LoadData((dir / c.file).c_str()), 1);
        bool notice = false;
        for (const auto& line : kv::err::RecentLines()) notice = notice || line.text == "钢筋HPB235自动调整为HPB300";
        EXPECT_EQ(notice, c.noticed);
        EXPECT_EQ(beam.BarGrade == 1 || beam.StirrupGrade == 1, std::string(c.file) != "none20.LXL");
    }
}

// Counts out of range: a file's counts are brought into range and never index
// past the arrays; a span saved with more than 20 loads was saved without load
// lines and reads as a span without loads.
TEST(ContinuousBeamData, CountsOutOfRangeAreClamped) {
    kv::test::TempFolder dir;
    const std::string materials = "0,30,35,2,2,200,1,1,0,15,0.8,1";
    std::string spans31 = "KV_LXL_V30\n31,1,1,40\n" + materials + "\n";
    for (int i = 0; i < 31; ++i) spans31 += std::to_string(i + 1) + ".0,200,500,0,1\n";
    dir.Write("spans31.LXL", spans31);
    dir.Write("loads25.LXL", "KV_LXL_V30\n2,1,1,2\n" + materials +
                                 "\n6,200,500,25,24\n4,200,500,1,7\n1,1,10,0,2,0\n");
    dir.Write("negative.LXL", "KV_LXL_V30\n-3,1,1,-2\n" + materials + "\n6,200,500,-4,-1\n");

    CLxlData a;
    ASSERT_EQ(a.LoadData((dir / "spans31.LXL").c_str()), 1);
    EXPECT_EQ(a.SpanNum, 30);
    EXPECT_EQ(a.CurSpan, 30);
    EXPECT_EQ(a.Spans[29].Length, 30.0f);

    CLxlData b;
    ASSERT_EQ(b.LoadData((dir / "loads25.LXL").c_str()), 1);
    EXPECT_EQ(b.Spans[0].LoadNum, 0);
    EXPECT_EQ(b.Spans[0].CurLoad, 1);
    EXPECT_EQ(b.Spans[1].LoadNum, 1);
    EXPECT_EQ(b.Spans[1].CurLoad, 1);
    EXPECT_EQ(b.Spans[1].Loads[0].Type, 1);
    EXPECT_EQ(b.Spans[1].Loads[0].A, 2.0f);

    CLxlData c;
    ASSERT_EQ(c.LoadData((dir / "negative.LXL").c_str()), 1);
    EXPECT_EQ(c.SpanNum, 1);
    EXPECT_EQ(c.CurSpan, 1);
    EXPECT_EQ(c.Spans[0].LoadNum, 0);

    // In memory: a save brings the counts into range, so the file and the object agree.
    CLxlData d;
    d.SpanNum = 31;
    d.Spans[0].LoadNum = 25;
    ASSERT_EQ(d.SaveData((dir / "saved.LXL").c_str()), 1);
    EXPECT_EQ(d.SpanNum, 30);
    EXPECT_EQ(d.Spans[0].LoadNum, 20);
    CLxlData e;
    ASSERT_EQ(e.LoadData((dir / "saved.LXL").c_str()), 1);
    ExpectSameInputs(d, e);
}

// Files the reader refuses: a message, 0, and the object as it was.
TEST(ContinuousBeamData, RefusedFilesLeaveTheObjectUnchanged) {
    kv::test::TempFolder dir;
    CLxlData good;
    FillDistinct(good);
    ASSERT_EQ(good.SaveData((dir / "good.LXL").c_str()), 1);
    const std::string text = dir.Read("good.LXL");
    const std::string body = text.substr(text.find('\n') + 1);
    const std::size_t loads = text.find("1,1,35.5");
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = text;
        return t.replace(t.find(from), from.size(), to);
    };

    struct Case {
        const char* name;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"foreign.LXL", "KV_MKQ_V30\n" + body, "文件类型不匹配 !"},
        {"empty.LXL", "", "文件类型不匹配 !"},
        {"noloads.LXL", text.substr(0, loads), "数据文件不完整"},
        {"cutload.LXL", text.substr(0, loads + 10), "数据文件不完整"},
        // "nan" and "inf" scan as numbers, but no length, load or percentage is made of them.
        {"nanload.LXL", replaced("35.500000", "nan"), "数据文件不完整"},
        {"infspan.LXL", replaced("4.500000", "inf"), "数据文件不完整"},
        {"nanpercent.LXL", replaced("12.500000", "-nan"), "数据文件不完整"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write(c.name, c.bytes);
        CLxlData beam;
        beam.m_strName = "kept";
        beam.Spans[0].Length = 9.5f;
        MessageRecorder messages;
        EXPECT_EQ(beam.LoadData((dir / c.name).c_str()), 0);
        ExpectSameInputs(beam, [] {
            CLxlData d;
            d.Spans[0].Length = 9.5f;
            return static_cast<LXL_FIELDS>(d);
        }());
        EXPECT_EQ(beam.m_strName, "kept");
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_NE(messages.shown()[0].text.find(c.message), std::string::npos) << messages.shown()[0].text;
    }

    CLxlData beam;
    MessageRecorder messages;
    EXPECT_EQ(beam.LoadData((dir / "missing.LXL").c_str()), 0);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(beam.SaveData((dir / "no/such/folder/a.LXL").c_str()), 0);
}

}  // namespace

#include "design/lkq_data.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "base/error.h"
#include "platform/services.h"
#include "support/message_recorder.h"
#include "support/edition_guard.h"
#include "support/temp_folder.h"

namespace {

using kv::test::MessageRecorder;

// Collects the error channel's lines while it lives.
class ErrorLines {
public:
    ErrorLines() : old_(kv::err::SetSink([this](int code, const std::string& text) { lines.push_back({code, text}); })) {}
    ~ErrorLines() { kv::err::SetSink(std::move(old_)); }
    std::vector<kv::err::Line> lines;

private:
    kv::err::Sink old_;
};

std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(KV_TEST_FIXTURES) + "/slabwall/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every stored field a value of its own, with fractions "%f" carries exactly.
void FillDistinct(LKQ_FIELDS& f) {
    float v = 0.375f;
    auto next = [&v] { return v += 1.25f; };
    f.EdgeType[0] = 1, f.EdgeType[1] = 2, f.EdgeType[2] = 0, f.EdgeType[3] = 2;
    f.CornerFlag[0] = 1, f.CornerFlag[1] = 0, f.CornerFlag[2] = 1, f.CornerFlag[3] = 0;
    f.ConGrade = 40;
    f.VertLoad = 1234.5f, f.Load = next(), f.Width = next(), f.Height = next(), f.Thickness = 450;
    f.TriLoad = next();
    f.Steam = 1, f.Cover = 35, f.BarGrade = 3, f.MidFactor = next(), f.EdgeFactor = next(), f.Plastic = 1;
    f.Reserved = 7, f.Fixity = 0.625f, f.OneWay = 1, f.Beta = 0.875f, f.SecondOrder = 1;
}

void ExpectSameInputs(const LKQ_FIELDS& a, const LKQ_FIELDS& b) {
#define SAME(x) EXPECT_EQ(a.x, b.x) << #x
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(a.EdgeType[i], b.EdgeType[i]) << "EdgeType " << i;
        EXPECT_EQ(a.CornerFlag[i], b.CornerFlag[i]) << "CornerFlag " << i;
    }
    SAME(ConGrade); SAME(VertLoad); SAME(Load); SAME(Width); SAME(Height); SAME(Thickness); SAME(TriLoad);
    SAME(Steam); SAME(Cover); SAME(BarGrade); SAME(MidFactor); SAME(EdgeFactor); SAME(Plastic); SAME(Reserved);
    SAME(Fixity); SAME(OneWay); SAME(Beta); SAME(SecondOrder);
#undef SAME
}

TEST(WallData, DefaultsKindsAndTheQueryEntry) {
    CLkqData fresh;
    EXPECT_EQ(fresh.m_strStem, "NONAME");
    EXPECT_EQ(fresh.GetDxfFileName(0), "NONAME_QIANG.DXF");
    EXPECT_EQ(fresh.VertLoad, 2000.0f);
    EXPECT_EQ(fresh.Cover, 15);
    EXPECT_EQ(fresh.Fixity, 0.8f);
    fresh.SetFileName("&KV_0007");
    EXPECT_EQ(fresh.m_nJtNum, 1);
    EXPECT_EQ(fresh.GetJtTitle(0), "查询内容");
    EXPECT_EQ(fresh.GetDxfFileName(0), "&KV_0007_QIANG.DXF");
    EXPECT_EQ(fresh.GetRtfFileName(0), "&KV_0007_QIANG.RTF");
    EXPECT_EQ(G_WaiQiangData.Kind, 0);
    EXPECT_EQ(G_LinKongQiangData.Kind, 1);
    EXPECT_EQ(G_GeQiangData.Kind, 2);
    EXPECT_EQ(G_NeiQiangData.Kind, 3);
}

TEST(WallData, RoundTripKeepsEveryFieldWithTheTriangularLoadSeventhOnLineTwo) {
    kv::test::TempFolder dir;
    CLkqData written(1);
    FillDistinct(written);
    written.m_strName = "临空墙 LKQ-2, 北侧";
    written.SetFileName("&KV_0007");
    ASSERT_EQ(written.SaveData((dir / "&KV_0007.dat").c_str()), 1);

    const std::string text = dir.Read("&KV_0007.dat");
    const std::size_t line2 = text.find('\n', text.find('\n') + 1) + 1;
    EXPECT_EQ(text.substr(0, line2), "KV_LKQ_V30\n1,2,0,2,1,0,1,0\n");
    EXPECT_EQ(text.substr(line2, text.find('\n', line2) - line2),
              "40,1234.500000,1.625000,2.875000,4.125000,450,5.375000");

    CLkqData read(2);
    ASSERT_EQ(read.LoadData((dir / "&KV_0007.dat").c_str()), 1);
    ExpectSameInputs(written, read);
    EXPECT_EQ(read.Kind, 2) << "the kind never comes from a file";
    EXPECT_EQ(read.m_strName, "临空墙 LKQ-2, 北侧");
    EXPECT_EQ(read.GetRtfFileName(0), "&KV_0007_QIANG.RTF");
    const auto entries = ReadChaXunFromFile((dir / "&KV_0007.dat").c_str());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].dxf, "&KV_0007_QIANG.DXF");
}

TEST(WallData, ReadsAWindowsMadeFile) {
    kv::test::TempFolder dir;
    dir.Write("&KV_0003.DAT", Fixture("&KV_0003.DAT"));
    CLkqData wall(0);
    ASSERT_EQ(wall.LoadData((dir / "&KV_0003.dat").c_str()), 1) << "the name's case does not matter";
    EXPECT_EQ(wall.EdgeType[1], 2);
    EXPECT_EQ(wall.CornerFlag[1], 1);
    EXPECT_EQ(wall.ConGrade, 35);
    EXPECT_FLOAT_EQ(wall.VertLoad, 1850.5f);
    EXPECT_FLOAT_EQ(wall.Load, 62.25f);
    EXPECT_FLOAT_EQ(wall.Height, 3.6f);
    EXPECT_EQ(wall.Thickness, 350);
    EXPECT_FLOAT_EQ(wall.TriLoad, 18.75f);
    EXPECT_EQ(wall.Cover, 25);
    EXPECT_FLOAT_EQ(wall.EdgeFactor, 1.25f);
    EXPECT_EQ(wall.Plastic, 1);
    EXPECT_FLOAT_EQ(wall.Fixity, 0.65f);
    EXPECT_EQ(wall.SecondOrder, 1);
    EXPECT_EQ(wall.m_strName, "外墙 WQ-1");
    EXPECT_EQ(wall.GetJtTitle(0), "查询内容");
}

// An older file: its p-δ flag is dropped, and its HPB235 is noticed under 2010 only.
TEST(WallData, OlderEditionClearsTheSecondOrderFlagAndNoticesHpb235) {
    kv::test::TempFolder dir;
    dir.Write("&KV_0004.DAT", Fixture("&KV_0004.DAT"));
    dir.Write("NEW.LKQ", "KV_LKQ_V30\n1,1,1,1,0,0,0,0\n30,2000,30,6,3,300,0\n0,15,1,1,1,0,0,0.8,0,1,1\n");
    struct Case {
        const char* file;
        int edition;
        bool noticed;
        int secondOrder;
    } cases[] = {{"&KV_0004.DAT", 2010, true, 0}, {"&KV_0004.DAT", 2002, false, 0}, {"NEW.LKQ", 2010, false, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.edition));
        kv::test::EditionGuard edition(c.edition);
        ErrorLines errors;
        CLkqData wall(1);
        ASSERT_EQ(wall.LoadData((dir / c.file).c_str()), 1);
        EXPECT_EQ(wall.SecondOrder, c.secondOrder);
        EXPECT_EQ(wall.BarGrade, 1);
        if (c.noticed) {
            ASSERT_EQ(errors.lines.size(), 2u);
            EXPECT_EQ(errors.lines[1].text, "钢筋HPB235自动调整为HPB300");
        } else {
            EXPECT_TRUE(errors.lines.empty());
        }
    }
}

// Files the reader refuses: a message, 0, and the record as it was.
TEST(WallData, RefusedFilesLeaveTheRecordUnchanged) {
    kv::test::TempFolder dir;
    CLkqData good(0);
    FillDistinct(good);
    ASSERT_EQ(good.SaveData((dir / "good.WQ").c_str()), 1);
    const std::string text = dir.Read("good.WQ");
    const std::size_t line3 = [&] {
        std::size_t at = 0;
        for (int i = 0; i < 3; ++i) at = text.find('\n', at) + 1;
        return at;
    }();
    const std::size_t line3End = text.find('\n', line3);
    std::string shortLine = text;
    shortLine.erase(text.rfind(',', line3End), line3End - text.rfind(',', line3End));

    struct Case {
        const char* name;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"foreign.WQ", "KV_BAN_V30\n" + text.substr(text.find('\n') + 1), "文件类型不匹配 !"},
        {"empty.WQ", "", "文件类型不匹配 !"},
        {"cut.WQ", text.substr(0, line3), "数据文件不完整"},
        {"cutmid.WQ", text.substr(0, line3 + 10), "数据文件不完整"},
        {"short.WQ", shortLine, "数据文件不完整"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write(c.name, c.bytes);
        CLkqData wall(3);
        wall.m_strName = "kept";
        wall.Ma = 12.5f, wall.HasResults = 1;
        const LKQ_FIELDS before = wall;
        MessageRecorder messages;
        EXPECT_EQ(wall.LoadData((dir / c.name).c_str()), 0);
        ExpectSameInputs(wall, before);
        EXPECT_EQ(wall.m_strName, "kept");
        EXPECT_EQ(wall.Ma, 12.5f);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_NE(messages.shown()[0].text.find(c.message), std::string::npos) << messages.shown()[0].text;
    }

    CLkqData wall(0);
    MessageRecorder messages;
    EXPECT_EQ(wall.LoadData((dir / "missing.WQ").c_str()), 0);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(wall.SaveData((dir / "no/such/folder/a.WQ").c_str()), 0);
}

}  // namespace

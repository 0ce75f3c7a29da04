#include "design/ban_data.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/services.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using kv::test::MessageRecorder;

// Every stored field set to a value of its own (no two alike), with fractions
// that "%f" carries exactly.
void FillDistinct(BAN_FIELDS& f) {
    float v = 1.125f;
    auto next = [&v] { return v += 1.5f; };
    int n = 3;
    f.Number = n++;
    f.Mx = next(), f.My = next();
    for (float& x : f.EdgeM) x = -next();
    for (float& x : f.EdgeV) x = next();
    for (float& x : f.MidAs) x = next();
    for (float& x : f.EdgeAs) x = next();
    f.EdgeAs[5] = -1.0f;
    f.EdgeType[0] = 0, f.EdgeType[1] = 2, f.EdgeType[2] = 1, f.EdgeType[3] = 2;
    for (int& x : f.CornerFlag) x = n++ % 2;
    f.CornerFlag[2] = 1;
    f.ConGrade = 35;
    f.Load = next(), f.Length = next(), f.Width = next();
    f.Thickness = 450, f.Steam = 1, f.Cover = 40, f.BarGrade = 3;
    f.MidFactor = next(), f.EdgeFactor = next();
    for (float& x : f.EdgeMoment) x = next();
    f.LoadNote = 1;
    f.WallThickness = next(), f.Fixity = 0.625f, f.Plastic = 1, f.ShearFactor = 0.875f;
    f.RoofSelf = next(), f.RoofFinishT = next(), f.RoofFinishGamma = next(), f.RoofOther = next();
    f.RoofQe = next(), f.RoofSoilGamma = next(), f.RoofSoilH = next(), f.RoofLoad = next();
    f.FloorSelf = next(), f.FloorBuoyancy = next(), f.FloorArea = next(), f.FloorWeight = next();
    f.FloorQe = next(), f.FloorSoilH = next(), f.FloorSoilGamma = next(), f.FloorLoad = next();
    f.BuildingForm = 2, f.ResistClass = 4;
}

// The stored fields compared one by one, so a failure names the field.
void ExpectSameFields(const BAN_FIELDS& a, const BAN_FIELDS& b) {
#define SAME(x) EXPECT_EQ(a.x, b.x) << #x
#define SAME_N(x, n) \
    for (int i = 0; i < n; ++i) EXPECT_EQ(a.x[i], b.x[i]) << #x "[" << i << "]"
    SAME(Number); SAME(Mx); SAME(My); SAME_N(EdgeM, 4); SAME_N(EdgeV, 4); SAME_N(MidAs, 4); SAME_N(EdgeAs, 8);
    SAME_N(EdgeType, 4); SAME_N(CornerFlag, 4); SAME(ConGrade); SAME(Load); SAME(Length); SAME(Width);
    SAME(Thickness); SAME(Steam); SAME(Cover); SAME(BarGrade); SAME(MidFactor); SAME(EdgeFactor);
    SAME_N(EdgeMoment, 4); SAME(LoadNote); SAME(WallThickness); SAME(Fixity); SAME(Plastic); SAME(ShearFactor);
    SAME(RoofSelf); SAME(RoofFinishT); SAME(RoofFinishGamma); SAME(RoofOther); SAME(RoofQe); SAME(RoofSoilGamma);
    SAME(RoofSoilH); SAME(RoofLoad); SAME(FloorSelf); SAME(FloorBuoyancy); SAME(FloorArea); SAME(FloorWeight);
    SAME(FloorQe); SAME(FloorSoilH); SAME(FloorSoilGamma); SAME(FloorLoad); SAME(BuildingForm); SAME(ResistClass);
#undef SAME
#undef SAME_N
}

TEST(SlabData, RoundTripKeepsEveryFieldTheNameAndTheQueryEntry) {
    kv::test::TempFolder dir;
    BAN_JS_STRUCT written(0);
    FillDistinct(written);
    written.m_strName = "顶板 B-1, 人防区";
    written.SetFileName("&KV_0007");
    ASSERT_EQ(written.SaveData((dir / "&KV_0007.dat").c_str()), 1);

    BAN_JS_STRUCT read(1);
    ASSERT_EQ(read.LoadData((dir / "&KV_0007.dat").c_str()), 1);
    ExpectSameFields(written, read);
    EXPECT_EQ(read.Kind, 1) << "the kind never comes from a file";
    EXPECT_EQ(read.m_strName, "顶板 B-1, 人防区");
    EXPECT_EQ(read.m_nJtNum, 1);
    EXPECT_EQ(read.GetJtTitle(0), "查询内容");
    EXPECT_EQ(read.GetDxfFileName(0), "&KV_0007_BAN.DXF");
    EXPECT_EQ(read.GetRtfFileName(0), "&KV_0007_BAN.RTF");
    EXPECT_EQ(read.GetFileName_(), dir / "&KV_0007.dat");
    // The project window finds the item's query entry in the file.
    const auto entries = ReadChaXunFromFile((dir / "&KV_0007.dat").c_str());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].rtf, "&KV_0007_BAN.RTF");
}

TEST(SlabData, TheTwoProgramObjectsKeepTheirKinds) {
    EXPECT_EQ(G_RoofSlabData.Kind, 0);
    EXPECT_EQ(G_FloorSlabData.Kind, 1);
    BAN_JS_STRUCT fresh;
    EXPECT_EQ(fresh.GetDxfFileName(0), "NONAME_BAN.DXF");
}

// A file as the Windows program writes it: GBK, CR LF, an upper-case name.
TEST(SlabData, ReadsAWindowsMadeFileWithGbkTextAndCrLf) {
    kv::test::TempFolder dir;
    dir.Write("&KV_0012.DAT",
              "KV_BAN_V30\r\n"
              "2,0,1,2,1,0,0,1,0\r\n"
              "40,85.500000,7.200000,5.400000,350,0,30,3,1.100000,1.200000\r\n"
              "12.500000,0.000000,0.000000,0.000000,1,400.000000,0.700000,1,1.000000\r\n"
              "8.750000,100.000000,20.000000,2.000000,60.000000,18.000000,1.000000,95.400000\r\n"
              "8.750000,10.000000,500.000000,20000.000000,55.000000,0.500000,18.000000,96.250000,1,2\r\n"
              "0,0,0,0,0,0,0,0,0,0\r\n"
              "0,0,0,0,0,0,0,0,0,0,0,0\r\n"
              "##Name,\xB5\xD7\xB0\xE5\r\n"                                   // 底板
              "##ChaXun,\xB2\xE9\xD1\xAF\xC4\xDA\xC8\xDD,&KV_0012_BAN.DXF,&KV_0012_BAN.RTF\r\n");  // 查询内容
    BAN_JS_STRUCT slab(1);
    ASSERT_EQ(slab.LoadData((dir / "&KV_0012.dat").c_str()), 1) << "the name's case does not matter";
    EXPECT_EQ(slab.Number, 2);
    EXPECT_EQ(slab.EdgeType[2], 2);
    EXPECT_EQ(slab.ConGrade, 40);
    EXPECT_FLOAT_EQ(slab.Load, 85.5f);
    EXPECT_EQ(slab.Thickness, 350);
    EXPECT_FLOAT_EQ(slab.EdgeFactor, 1.2f);
    EXPECT_FLOAT_EQ(slab.EdgeMoment[0], 12.5f);
    EXPECT_FLOAT_EQ(slab.WallThickness, 400.0f);
    EXPECT_EQ(slab.Plastic, 1);
    EXPECT_FLOAT_EQ(slab.RoofLoad, 95.4f);
    EXPECT_FLOAT_EQ(slab.FloorArea, 500.0f);
    EXPECT_EQ(slab.BuildingForm, 1);
    EXPECT_EQ(slab.ResistClass, 2);
    EXPECT_EQ(slab.m_strName, "底板");
    EXPECT_EQ(slab.GetJtTitle(0), "查询内容");
}

// Files the reader refuses: a message, 0, and the object as it was.
TEST(SlabData, RefusedFilesLeaveTheObjectUnchanged) {
    kv::test::TempFolder dir;
    BAN_JS_STRUCT good(0);
    FillDistinct(good);
    ASSERT_EQ(good.SaveData((dir / "good.LB").c_str()), 1);
    const std::string text = dir.Read("good.LB");
    const std::size_t line1End = text.find("\n", text.find("\n") + 1);  // end of line 1
    const std::size_t line7 = [&] {
        std::size_t at = 0;
        for (int i = 0; i < 7; ++i) at = text.find('\n', at) + 1;
        return at;  // start of line 7, the last data line
    }();
    const std::size_t line7End = text.find('\n', line7);
    std::string shortLine = text;
    shortLine.erase(text.rfind(',', line7End), line7End - text.rfind(',', line7End));  // one field less

    struct Case {
        const char* name;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"foreign.LB", "KV_LKQ_V30\n" + text.substr(text.find('\n') + 1), "文件类型不匹配 !"},
        {"empty.LB", "", "文件类型不匹配 !"},
        {"cut.LB", text.substr(0, line7), "数据文件不完整"},
        {"cutmid.LB", text.substr(0, line1End + 1), "数据文件不完整"},
        {"short.LB", shortLine, "数据文件不完整"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write(c.name, c.bytes);
        BAN_JS_STRUCT slab(1);
        slab.m_strName = "kept";
        const BAN_FIELDS before = slab;
        MessageRecorder messages;
        EXPECT_EQ(slab.LoadData((dir / c.name).c_str()), 0);
        ExpectSameFields(slab, before);
        EXPECT_EQ(slab.m_strName, "kept");
        EXPECT_EQ(slab.Kind, 1);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_NE(messages.shown()[0].text.find(c.message), std::string::npos) << messages.shown()[0].text;
    }

    BAN_JS_STRUCT slab(0);
    MessageRecorder messages;
    EXPECT_EQ(slab.LoadData((dir / "missing.LB").c_str()), 0);
    EXPECT_TRUE(messages.shown().empty()) << "a missing file is no message of the reader's";
}

TEST(SlabData, AFileThatCannotBeWrittenLeavesTheOldOne) {
    kv::test::TempFolder dir;
    BAN_JS_STRUCT slab(0);
    EXPECT_EQ(slab.SaveData((dir / "no/such/folder/a.LB").c_str()), 0);
    EXPECT_EQ(slab.GetFileName_(), "");
}

}  // namespace

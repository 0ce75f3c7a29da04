#include "members/beams/jzl_data.h"

#include <gtest/gtest.h>

#include <string>

#include "base/error.h"
#include "platform/codec.h"
#include "support/edition_guard.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using kv::test::MessageRecorder;

// The lines after the marker of a file with the given materials line (line 6).
std::string File(const char* marker, const std::string& materials) {
    return std::string(marker) +
           "\n6 6\n200,500\n4*2\n200,500\n" + materials +
           "\n6,0,0,1,1,1,0.5,0\n0,1,250,600\n0,1,250,600\n0,1,250,600\n0,1,250,600\n0,0,200,200,400,400,0.8,15,15,0\n";
}

TEST(GridBeamData, NewObjectWritesItsDefaultsByteForByte) {
    CJzlData fresh;
    fresh.SetFileName("A");
    EXPECT_EQ(fresh.m_nJtNum, 3);
    const char* titles[] = {"计算简图", "内力", "配筋"};
    const char* dxf[] = {"AJT_JZL.DXF", "ANL_JZL.DXF", "APJ_JZL.DXF"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(fresh.GetJtTitle(k), titles[k]);
        EXPECT_EQ(fresh.GetDxfFileName(k), dxf[k]);
        EXPECT_EQ(fresh.GetRtfFileName(k), "A_JZL.RTF");
    }

    kv::test::TempFolder dir;
    fresh.m_strName = "井字梁 JZL-1";
    ASSERT_EQ(fresh.SaveData((dir / "A.JZL").c_str()), 1);
    EXPECT_EQ(dir.Read("A.JZL"), kv::platform::Utf8ToGbkLossy("KV_JZL_V30\n"
                                                              "6.0 5.2*2 3.0\n"
                                                              "200.000000,500.000000\n"
                                                              "6*2\n"
                                                              "200.000000,500.000000\n"
                                                              "20,35,2,18,1,150\n"
                                                              "6.000000,0.000000,0.000000,1.000000,1.000000,1.000000,"
                                                              "0.500000,0\n"
                                                              "0,1,250.000000,600.000000\n"
                                                              "0,1,250.000000,600.000000\n"
                                                              "0,1,250.000000,600.000000\n"
                                                              "0,1,250.000000,600.000000\n"
                                                              "0,0,200,200,400,400,0.800000,15.000000,15.000000,0\n"
                                                              "##Name,井字梁 JZL-1\n"
                                                              "##ChaXun,计算简图,AJT_JZL.DXF,A_JZL.RTF\n"
                                                              "##ChaXun,内力,ANL_JZL.DXF,A_JZL.RTF\n"
                                                              "##ChaXun,配筋,APJ_JZL.DXF,A_JZL.RTF\n"));
}

TEST(GridBeamData, RoundTripKeepsEveryFieldInPlace) {
    kv::test::TempFolder dir;
    CJzlData w;
    w.XSpans = "4.5 7.25*3";
    w.YSpans = "8 2.5*2 8";
    w.XWidth = 250, w.XHeight = 650, w.YWidth = 300, w.YHeight = 700;
    w.ConGrade = 35, w.Cover = 40, w.BarDiameter = 22, w.BarGrade = 3, w.StirrupGrade = 2, w.StirrupSpacing = 100;
    w.Load = 12.5f, w.Load2 = 3.25f, w.UnitWeight = 25, w.Factor1 = 1.25f, w.Factor2 = 1.5f;
    w.LongTerm1 = 0.75f, w.LongTerm2 = 0.375f, w.LoadMode = 2;
    for (int e = 0; e < 4; ++e) {
        w.EdgeBeam[e] = e % 2;
        w.EdgeSupport[e] = e % 3;
        w.EdgeWidth[e] = 200.0f + 10 * e;
        w.EdgeHeight[e] = 500.0f + 20 * e;
    }
    w.XSecondary = 2, w.YSecondary = 3, w.XSecWidth = 180, w.YSecWidth = 190, w.XSecHeight = 350;
    w.YSecHeight = 360, w.ConFactor = 0.75f, w.MainRedistribution = 10, w.SecRedistribution = 12.5f, w.Steam = 1;
    w.m_strName = "井字梁, 甲";
    ASSERT_EQ(w.SaveData((dir / "b.JZL").c_str()), 1);
    const std::string text = dir.Read("b.JZL");
    // The bar grade before the diameter, each pair of factors group 1 first.
    EXPECT_NE(text.find("\n35,40,3,22,2,100\n12.500000,3.250000,25.000000,1.250000,1.500000,0.750000,0.375000,2\n"),
              std::string::npos);

    CJzlData r;
    ASSERT_EQ(r.LoadData((dir / "b.JZL").c_str()), 1);
#define SAME(x) EXPECT_EQ(r.x, w.x) << #x
    SAME(XSpans); SAME(YSpans); SAME(XWidth); SAME(XHeight); SAME(YWidth); SAME(YHeight); SAME(ConGrade);
    SAME(Cover); SAME(BarDiameter); SAME(BarGrade); SAME(StirrupGrade); SAME(StirrupSpacing); SAME(Load);
    SAME(Load2); SAME(UnitWeight); SAME(Factor1); SAME(Factor2); SAME(LongTerm1); SAME(LongTerm2); SAME(LoadMode);
    SAME(XSecondary); SAME(YSecondary); SAME(XSecWidth); SAME(YSecWidth); SAME(XSecHeight); SAME(YSecHeight);
    SAME(ConFactor); SAME(MainRedistribution); SAME(SecRedistribution); SAME(Steam); SAME(m_strName);
    for (int e = 0; e < 4; ++e) {
        SAME(EdgeBeam[e]); SAME(EdgeSupport[e]); SAME(EdgeWidth[e]); SAME(EdgeHeight[e]);
    }
#undef SAME
}

// HPB235 (grade 1) of a file of the older edition is noticed under the 2010 code.
TEST(GridBeamData, OlderEditionNoticesHpb235) {
    kv::test::TempFolder dir;
    dir.Write("bar20.JZL", File("KV_JZL_V20", "20,35,1,18,2,150"));
    dir.Write("stirrup20.JZL", File("KV_JZL_V20", "20,35,2,18,1,150"));
    dir.Write("none20.JZL", File("KV_JZL_V20", "20,35,2,18,2,150"));
    dir.Write("bar30.JZL", File("KV_JZL_V30", "20,35,1,18,1,150"));
    struct Case {
        const char* file;
        int edition;
        bool noticed;
    } cases[] = {{"bar20.JZL", 2010, true},  {"stirrup20.JZL", 2010, true}, {"bar20.JZL", 2002, false},
                 {"none20.JZL", 2010, false}, {"bar30.JZL", 2010, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.edition));
        kv::test::EditionGuard edition(c.edition);
        kv::err::ClearRecentLines();
        CJzlData grid;
        ASSERT_EQ(grid.LoadData((dir / c.file).c_str()), 1);
        EXPECT_EQ(grid.XSpans, "6 6");
        EXPECT_EQ(grid.YSpans, "4*2");
        bool notice = false;
        for (const auto& line : kv::err::RecentLines()) notice = notice || line.text == "钢筋HPB235自动调整为HPB300";
        EXPECT_EQ(notice, c.noticed);
    }
}

TEST(GridBeamData, ForeignOrShortFileLeavesTheObjectAsItWas) {
    kv::test::TempFolder dir;
    dir.Write("lxl.JZL", File("KV_LXL_V30", "20,35,2,18,2,150"));
    std::string shortFile = File("KV_JZL_V30", "20,35,2,18,2,150");
    shortFile.resize(shortFile.rfind("0,0,200"));
    dir.Write("short.JZL", shortFile);
    dir.Write("nan.JZL", File("KV_JZL_V30", "20,35,2,18,2,150").replace(std::string("KV_JZL_V30\n6 6\n").size(), 7,
                                                                         "nan,500"));
    struct Case {
        const char* file;
        const char* message;
    } cases[] = {{"lxl.JZL", "文件类型不匹配 !"}, {"short.JZL", nullptr}, {"nan.JZL", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        MessageRecorder messages;
        CJzlData grid;
        grid.XSpans = "1 2 3";
        EXPECT_EQ(grid.LoadData((dir / c.file).c_str()), 0);
        EXPECT_EQ(grid.XSpans, "1 2 3");
        EXPECT_EQ(grid.XWidth, 200.0f);
        ASSERT_EQ(messages.shown().size(), 1u);
        if (c.message) EXPECT_EQ(messages.shown()[0].text, c.message);
    }
    CJzlData grid;
    EXPECT_EQ(grid.LoadData((dir / "missing.JZL").c_str()), 0);
}

}  // namespace

#include "members/slabwall/mkqjs_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "base/jsdata.h"
#include "platform/profile.h"
#include "support/program_folder.h"
#include "support/temp_folder.h"

namespace {

const std::string kSideDefaults =
    "900.000000,600.000000,0.000000,500.000000,0.000000,0.000000,100.000000,867.000000,1000.000000,0.000000,"
    "800.000000,150.000000\n";
const std::string kDefaultBody = "0,1800.000000,2100.000000,1,1\n" + kSideDefaults + kSideDefaults + kSideDefaults +
                                 kSideDefaults +
                                 "30,2,1,35.000000,0,1.000000,12,32,14,8,10,8,70,300,150\n"
                                 "50.000000,50.000000,50.000000,50.000000,50.000000,50.000000,50.000000,50.000000,"
                                 "50.000000,50.000000,50.000000\n";

// The seven body lines as the object writes them.
std::string Body(const CMkqJsData& data) {
    std::FILE* fp = std::tmpfile();
    data.WriteBody(fp);
    std::string text(static_cast<std::size_t>(std::ftell(fp)), '\0');
    std::rewind(fp);
    text.resize(std::fread(text.data(), 1, text.size(), fp));
    std::fclose(fp);
    return text;
}

// Every stored field a value of its own that "%f" carries exactly.
void FillDistinct(CMkqJsData& d) {
    d.DoorType = 1, d.La = 1500.5f, d.Lb = 2250.25f, d.DrawLoads = 0, d.SaveFlag = 7;
    for (int k = 0; k < 4; ++k) {
        MkqSide& s = d.Side[k];
        const float b = 100.0f * k;
        s.L = 700 + b, s.h = 500 + b, s.ha = 50 + b, s.t = 300 + b, s.dx = 20 + b, s.dy = 30 + b, s.Lap = 60 + b;
        s.L1 = 650.5f + b, s.qi = 900.25f + b, s.Ti = 12.75f + b, s.L2 = 610 + b, s.qe = 175.5f + b;
    }
    d.ConGrade = 40, d.ZongJinGrade = 3, d.GuJinGrade = 2, d.as = 40.5f, d.ZhengQiYangHu = 1, d.PeiJinXiShu = 1.25f;
    d.ZongJinDia[0] = 10, d.ZongJinDia[1] = 28, d.ZongJinDia[2] = 16;
    d.GuJinDia[0] = 6, d.GuJinDia[1] = 12, d.GuJinDia[2] = 10;
    d.GuJinJianJu[0] = 80, d.GuJinJianJu[1] = 250, d.GuJinJianJu[2] = 120;
    d.PeiJinTuBiLi = 30;
    for (int k = 0; k < 10; ++k) d.JianTuBiLi[k] = 10.0f * (k + 1);
}

TEST(MkqJsData, NewObjectHasTheDefaultsAndNamesItsNineDiagrams) {
    CMkqJsData data;
    EXPECT_EQ(data.m_strTitle, "门框墙计算及绘图");
    EXPECT_EQ(data.m_strPeiJinTitle, "门框墙配筋修改");
    EXPECT_EQ(data.CurSide, 0);
    EXPECT_EQ(data.IsXB, 0);
    EXPECT_EQ(Body(data), kDefaultBody);

    data.SetFileName("&KV_0007");
    ASSERT_EQ(data.m_nJtNum, 9);
    const char* titles[9] = {"计算简图(左)", "配筋简图(左)", "计算简图(右)", "配筋简图(右)", "计算简图(上)",
                             "配筋简图(上)", "计算简图(下)", "配筋简图(下)", "配筋图(全部)"};
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(data.GetJtTitle(k), titles[k]);
        EXPECT_EQ(data.GetJtFileName(k), "&KV_0007_MKQ_jt_0" + std::to_string(k + 1) + ".dxf");
    }
    EXPECT_EQ(data.GetJssFileName(0), "&KV_0007.RTF");
    EXPECT_EQ(data.GetDataFileName(), "&KV_0007_MKQ.DAT");
    EXPECT_EQ(data.GetResFileName(), "&KV_0007_MKQ.RES");
}

TEST(MkqJsData, DefaultsAreSavedAndReadBackExactly) {
    kv::test::TempFolder dir;
    CMkqJsData fresh;
    ASSERT_EQ(fresh.SaveData((dir / "a.dat").c_str()), 1);
    EXPECT_EQ(dir.Read("a.dat"), "Mkq_V10\n" + kDefaultBody);

    CMkqJsData changed;
    FillDistinct(changed);
    ASSERT_EQ(changed.LoadData((dir / "a.dat").c_str()), 1);
    EXPECT_EQ(Body(changed), kDefaultBody);
    EXPECT_EQ(changed.PeiJinTuBiLi, 50.0f);
}

TEST(MkqJsData, EveryFieldGoesToItsPlaceAndComesBack) {
    kv::test::TempFolder dir;
    CMkqJsData written;
    FillDistinct(written);
    written.CurSide = 2, written.IsXB = 1;
    ASSERT_EQ(written.SaveData((dir / "b.dat").c_str()), 1);
    const std::string text = dir.Read("b.dat");
    EXPECT_EQ(text.substr(0, text.find('\n', 8) + 1), "Mkq_V10\n1,1500.500000,2250.250000,0,7\n");

    CMkqJsData read;
    ASSERT_EQ(read.LoadData((dir / "b.dat").c_str()), 1);
    EXPECT_EQ(Body(read), Body(written));
    EXPECT_EQ(read.Side[3].qe, 475.5f);
    EXPECT_EQ(read.GuJinJianJu[1], 250);
    EXPECT_EQ(read.JianTuBiLi[9], 100.0f);
    EXPECT_EQ(read.PeiJinTuBiLi, 30.0f);
    EXPECT_EQ(read.CurSide, 0) << "not stored";
    EXPECT_EQ(read.IsXB, 0) << "not stored";
}

// Files a reader must refuse whole: the object keeps every value.
struct BadFile {
    const char* what;
    std::string text;
};

std::vector<BadFile> BadDataFiles() {
    const std::string full = "Mkq_V10\n" + kDefaultBody;
    const std::string lastLine = full.substr(full.rfind('\n', full.size() - 2) + 1);
    return {
        {"other marker", "KV_MKQ_V30\n" + kDefaultBody},
        {"marker only", "Mkq_V10\n"},
        {"empty", ""},
        {"last line missing", full.substr(0, full.size() - lastLine.size())},
        {"last line cut short", full.substr(0, full.size() - 12) + "\n"},
        {"a side line with a value too many",
         std::string(full).replace(full.find(kSideDefaults), kSideDefaults.size(),
                                   kSideDefaults.substr(0, kSideDefaults.size() - 1) + ",5\n")},
        // A number the calculation could not use: no side, load or scale is made of it.
        {"a length that is no number",
         std::string(full).replace(full.find(kSideDefaults), 10, "nan")},
        {"an infinite scale", full.substr(0, full.size() - 10) + "inf\n"},
        {"a result file",
         "Mkq_V10\n"
         "0,0.000000,1120.000000,915.000000,0.817000,0.000000,817.000000,1200.000000,0.000000,0.000000,0.000000,1,1,1,"
         "150.000000,150.000000\n"
         "D20@100,D20@100,d8@150,d8@150,D16@150,D16@150\n"
         "0,0,0,0,0,0,0,0,0,0,0,0,0,0,150,150\nD20@100,D20@100,d8@150,d8@150,D16@150,D16@150\n"
         "0,0,0,0,0,0,0,0,0,0,0,0,0,0,150,150\nD20@100,D20@100,d8@150,d8@150,D16@150,D16@150\n"
         "0,0,0,0,0,0,0,0,0,0,0,0,0,0,150,150\nD20@100,D20@100,d8@150,d8@150,D16@150,D16@150\n"},
    };
}

TEST(MkqJsData, TruncatedOrForeignFilesAreRefusedAndChangeNothing) {
    kv::test::TempFolder dir;
    CMkqJsData data;
    FillDistinct(data);
    const std::string before = Body(data);
    for (const BadFile& bad : BadDataFiles()) {
        dir.Write("bad.dat", bad.text);
        EXPECT_EQ(data.LoadData((dir / "bad.dat").c_str()), 0) << bad.what;
        EXPECT_EQ(Body(data), before) << bad.what;
    }
    EXPECT_EQ(data.LoadData((dir / "missing.dat").c_str()), 0);
}

TEST(MkqJsData, ReadsWindowsLineEndsAndComments) {
    kv::test::TempFolder dir;
    std::string text = "Mkq_V10\r\n// written by hand\r\n";
    for (char c : kDefaultBody) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    dir.Write("c.dat", text);
    CMkqJsData data;
    FillDistinct(data);
    ASSERT_EQ(data.LoadData((dir / "c.dat").c_str()), 1);
    EXPECT_EQ(Body(data), kDefaultBody);
}

// ---- the project item --------------------------------------------------------

// The static data object back to its defaults after a test.
struct StaticDataGuard {
    ~StaticDataGuard() {
        G_MkqJsData.SetDefaults();
        G_MkqJsData.SetFileName("NONAME");
    }
};

TEST(MkqGfData, ItemFileStoresTheDataObjectAndListsNineEntries) {
    kv::test::TempFolder dir;
    StaticDataGuard guard;
    FillDistinct(G_MkqJsData);
    const std::string written = Body(G_MkqJsData);
    CMkqGfData item;
    item.m_strName = "门框墙 MKQ-2";
    item.SetFileName("&KV_0003");
    EXPECT_EQ(G_MkqJsData.GetJtFileName(8), "&KV_0003_MKQ_jt_09.dxf") << "the data object names the same files";
    EXPECT_EQ(item.SaveData((dir / "&KV_0003.DAT").c_str()), 0) << "reports nothing";

    const std::string text = dir.Read("&KV_0003.DAT");
    EXPECT_EQ(text.substr(0, text.find("##Name")), "Mkq_gf_V10\n" + written);
    const std::vector<ChaXunEntry> entries = ReadChaXunFromFile((dir / "&KV_0003.DAT").c_str());
    ASSERT_EQ(entries.size(), 9u);
    EXPECT_EQ(entries[0].title, "计算简图(左)");
    EXPECT_EQ(entries[0].dxf, "&KV_0003_MKQ_jt_01.dxf");
    EXPECT_EQ(entries[7].title, "配筋简图(下)");
    EXPECT_EQ(entries[8].dxf, "&KV_0003_MKQ_jt_09.dxf");
    for (const ChaXunEntry& e : entries) EXPECT_EQ(e.rtf, "&KV_0003.RTF");

    G_MkqJsData.SetDefaults();
    CMkqGfData other;
    EXPECT_EQ(other.LoadData((dir / "&KV_0003.DAT").c_str()), 0);
    EXPECT_EQ(Body(G_MkqJsData), written);
    EXPECT_EQ(other.m_strName, "门框墙 MKQ-2");
    EXPECT_EQ(other.m_nJtNum, 9);
}

TEST(MkqGfData, ABadItemFileChangesNeitherTheDataNorTheEntries) {
    kv::test::TempFolder dir;
    StaticDataGuard guard;
    const std::string common = "##Name,别的\n##ChaXun,x,x.dxf,x.RTF\n";
    const std::string full = "Mkq_gf_V10\n" + kDefaultBody;
    const BadFile cases[] = {
        {"data file marker", "Mkq_V10\n" + kDefaultBody + common},
        {"line 8 missing", full.substr(0, full.rfind('\n', full.size() - 2) + 1) + common},
        {"a line short", "Mkq_gf_V10\n0,1800,2100,1\n" + kDefaultBody.substr(kDefaultBody.find('\n') + 1) + common},
    };
    FillDistinct(G_MkqJsData);
    const std::string before = Body(G_MkqJsData);
    for (const BadFile& bad : cases) {
        dir.Write("bad.DAT", bad.text);
        CMkqGfData item;
        item.m_strName = "原名";
        item.SetFileName("&KV_0001");
        EXPECT_EQ(item.LoadData((dir / "bad.DAT").c_str()), 0) << bad.what;
        EXPECT_EQ(Body(G_MkqJsData), before) << bad.what;
        EXPECT_EQ(item.m_strName, "原名") << bad.what;
        EXPECT_EQ(item.GetJtTitle(0), "计算简图(左)") << bad.what;
    }
}

// ---- the load tool's exchange file ---------------------------------------------

class MkqExOut : public ::testing::Test {
protected:
    kv::test::TempFolder dir;
    std::string path = dir / "ExOut.ini";
    CMkqJsData data;
};

TEST_F(MkqExOut, SizesComeFromTheToolsSideNumbers) {
    dir.Write("ExOut.ini",
              "[XB2MKQ]\r\nXB=1\r\nDW=2000\r\nDH=2400\r\n"
              "SIZE-3=900,600,0,500,0,0\r\n"          // 左
              "SIZE-1=1000,650,50,450,0,0\r\n"        // 右
              "SIZE-2=800,550,0,400,100,120\r\n"      // 上
              "SIZE-0=1200,700,100,600,0,0\r\n");     // 下
    data.Side[2].Lap = 50;   // 上: trunc(50 / 3) = 16
    data.Side[3].Lap = 200;  // 下: trunc(66.7) = 66
    ASSERT_EQ(data.ReadExOut(path.c_str(), 0), 1);
    EXPECT_EQ(data.IsXB, 1);
    EXPECT_EQ(data.La, 2000.0f);
    EXPECT_EQ(data.Lb, 2400.0f);
    struct Expected {
        float L, h, ha, t, dx, dy, L1, L2;
    } expected[4] = {
        {900, 600, 0, 500, 0, 0, 867, 800},
        {1000, 650, 50, 450, 0, 0, 967, 900},
        {800, 550, 0, 400, 100, 120, 784, 750},
        {1200, 700, 100, 600, 0, 0, 1134, 1000},
    };
    for (int k = 0; k < 4; ++k) {
        const MkqSide& s = data.Side[k];
        const Expected& e = expected[k];
        EXPECT_EQ(s.L, e.L) << G_MkqSideName[k];
        EXPECT_EQ(s.h, e.h) << G_MkqSideName[k];
        EXPECT_EQ(s.ha, e.ha) << G_MkqSideName[k];
        EXPECT_EQ(s.t, e.t) << G_MkqSideName[k];
        EXPECT_EQ(s.dx, e.dx) << G_MkqSideName[k];
        EXPECT_EQ(s.dy, e.dy) << G_MkqSideName[k];
        EXPECT_EQ(s.L1, e.L1) << G_MkqSideName[k];
        EXPECT_EQ(s.L2, e.L2) << G_MkqSideName[k];
        EXPECT_EQ(s.qi, 1000.0f) << "loads are not sizes";
    }
}

TEST_F(MkqExOut, ANumberBeyondItsFieldLeavesTheFieldAsItWas) {
    dir.Write("ExOut.ini",
              "[XB2MKQ]\nXB=900e308\nDW=1e39\nDH=nan\n"
              "SIZE-3=900e308,600,0,500,0,0\n"
              "[MKQQE]\nQE=1e300\n"
              "[PBMKQHZ]\nMSWidth=nan\nMSHeight=1e39\n");
    data.IsXB = 1;
    const float la = data.La, lb = data.Lb;
    const MkqSide left = data.Side[0];
    ASSERT_EQ(data.ReadExOut(path.c_str(), 0), 1);
    EXPECT_EQ(data.IsXB, 1);
    EXPECT_EQ(data.La, la);
    EXPECT_EQ(data.Lb, lb);
    EXPECT_EQ(data.Side[0].L, left.L);
    EXPECT_EQ(data.Side[0].h, left.h);
    ASSERT_EQ(data.ReadExOut(path.c_str(), 1), 1);
    EXPECT_EQ(data.Side[0].qe, left.qe);
    // A leaf size that is no number keeps each side's bearing and load place.
    for (const MkqSide& s : data.Side) {
        EXPECT_EQ(s.Lap, left.Lap);
        EXPECT_FLOAT_EQ(s.L1, left.L - std::trunc(left.Lap) / 3);
        EXPECT_EQ(s.L2, left.L2);
    }
}

TEST_F(MkqExOut, FlatDoorLoadsTakeTheLeafSizeWithItsOwnRounding) {
    dir.Write("ExOut.ini",
              "[MKQQE]\nQE=0.15\n"
              "[PBMKQHZ]\nMSWidth=2000\nMSHeight=2301\nVerq1=800\nVerq2=900\nHorq1=30\nHorq2=40\n"
              "[GXMKQHZ]\nx=300\ny=200\n");
    for (MkqSide& s : data.Side) s.qe = 60;
    ASSERT_EQ(data.ReadExOut(path.c_str(), 1), 1);
    for (int k = 0; k < 4; ++k) {
        const MkqSide& s = data.Side[k];
        const bool across = k < 2;  // 左, 右 bear the leaf's width
        EXPECT_EQ(s.qe, 150.0f) << G_MkqSideName[k];
        EXPECT_EQ(s.Lap, across ? 100.0f : 100.5f) << G_MkqSideName[k];
        EXPECT_FLOAT_EQ(s.L1, 900.0f - 100.0f / 3.0f) << G_MkqSideName[k];  // 866.67, not 867
        EXPECT_EQ(s.L2, 800.0f) << G_MkqSideName[k];
        EXPECT_EQ(s.qi, across ? 900.0f : 800.0f) << G_MkqSideName[k];
        EXPECT_EQ(s.Ti, across ? 40.0f : 30.0f) << G_MkqSideName[k];
        EXPECT_EQ(s.dx, 0.0f) << "the arched door's section is not read";
    }
}

TEST_F(MkqExOut, ArchedDoorLoadsChangeOnlyTheLeftAndRightSides) {
    dir.Write("ExOut.ini",
              "[PBMKQHZ]\nMSWidth=2400\nMSHeight=2700\nVerq1=800\nHorq1=30\n"
              "[GXMKQHZ]\nx=300\ny=200\nVerq2=700\nHorq2=25\n");
    data.DoorType = 1;
    const MkqSide untouched = data.Side[2];
    ASSERT_EQ(data.ReadExOut(path.c_str(), 1), 1);
    for (int k = 0; k < 2; ++k) {
        const MkqSide& s = data.Side[k];
        EXPECT_EQ(s.dx, 300.0f);
        EXPECT_EQ(s.dy, 200.0f);
        EXPECT_EQ(s.L1, 750.0f);
        EXPECT_EQ(s.L2, 600.0f);
        EXPECT_EQ(s.qi, 700.0f);
        EXPECT_EQ(s.Ti, 25.0f);
        EXPECT_EQ(s.Lap, 100.0f);
        EXPECT_EQ(s.qe, 150.0f) << "no QE: kept";
    }
    for (int k = 2; k < 4; ++k) {
        const MkqSide& s = data.Side[k];
        EXPECT_EQ(s.dx, untouched.dx);
        EXPECT_EQ(s.L1, untouched.L1);
        EXPECT_EQ(s.L2, untouched.L2);
        EXPECT_EQ(s.qi, untouched.qi);
        EXPECT_EQ(s.Ti, untouched.Ti);
        EXPECT_EQ(s.Lap, untouched.Lap);
    }
}

TEST_F(MkqExOut, MissingKeysKeepEachSidesValue) {
    dir.Write("ExOut.ini", "[PBMKQHZ]\nVerq1=800\n[XB2MKQ]\nDW=1900\n");
    data.Side[0].qe = 120, data.Side[3].qe = 180;
    data.Side[0].qi = 950, data.Side[1].qi = 990;
    data.Lb = 2200;
    ASSERT_EQ(data.ReadExOut(path.c_str(), 1), 1);
    EXPECT_EQ(data.Side[0].qe, 120.0f);
    EXPECT_EQ(data.Side[3].qe, 180.0f);
    EXPECT_EQ(data.Side[0].qi, 950.0f);
    EXPECT_EQ(data.Side[1].qi, 990.0f);
    EXPECT_EQ(data.Side[2].qi, 800.0f);
    ASSERT_EQ(data.ReadExOut(path.c_str(), 0), 1);
    EXPECT_EQ(data.La, 1900.0f);
    EXPECT_EQ(data.Lb, 2200.0f);
    EXPECT_EQ(data.Side[0].L, 900.0f);
}

TEST_F(MkqExOut, NoFileOrAnUnknownModeChangesNothing) {
    FillDistinct(data);
    const std::string before = Body(data);
    EXPECT_EQ(data.ReadExOut(path.c_str(), 0), 0);
    EXPECT_EQ(data.ReadExOut(path.c_str(), 1), 0);
    dir.Write("ExOut.ini", "[XB2MKQ]\nDW=3000\n[MKQQE]\nQE=0.2\n");
    EXPECT_EQ(data.ReadExOut(path.c_str(), 2), 0);
    EXPECT_EQ(data.ReadExOut(path.c_str(), -1), 0);
    EXPECT_EQ(Body(data), before);
}

TEST(MkqExOutWrite, WritesTheDoorIntoTheConfigurationCopyAndKeepsTheToolsAnswers) {
    kv::test::ProgramFolder program;
    kv::test::ConfigHome config;
    program.Write("ExOut.ini", "[XB2MKQ]\r\nDW=1000\r\n[MKQCC]\r\nType=9\r\n");
    const std::string shipped = program.Read("ExOut.ini");
    CMkqJsData data;
    data.DoorType = 1, data.La = 1999.6f, data.Lb = 2100.4f, data.IsXB = 1;
    EXPECT_EQ(data.WriteExOut(), 1);
    const std::string path = config.Config("ExOut.ini");
    using kv::platform::GetPrivateProfileString;
    EXPECT_EQ(GetPrivateProfileString("MKQCC", "Type", "", path), "2");
    EXPECT_EQ(GetPrivateProfileString("MKQCC", "Width", "", path), "2000");
    EXPECT_EQ(GetPrivateProfileString("MKQCC", "Height", "", path), "2100");
    EXPECT_EQ(GetPrivateProfileString("MKQCC", "IsXB", "", path), "1");
    EXPECT_EQ(GetPrivateProfileString("XB2MKQ", "DW", "", path), "1000");
    EXPECT_EQ(program.Read("ExOut.ini"), shipped) << "the program folder is never written";
}

TEST(MkqGammaD, ByConcreteGradeAndCuring) {
    struct Case {
        int grade, steam;
        float expected;
    } cases[] = {{30, 0, 1.5f}, {55, 0, 1.5f}, {60, 0, 1.4f}, {60, 1, 1.26f}, {30, 1, 1.35f}};
    for (const Case& c : cases) {
        CMkqJsData data;
        data.ConGrade = c.grade, data.ZhengQiYangHu = c.steam;
        EXPECT_FLOAT_EQ(GetGammaD(data), c.expected) << "C" << c.grade << " steam " << c.steam;
    }
}

}  // namespace

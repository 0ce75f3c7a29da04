// The wave-attenuation data object: its data file, the sizes it takes from the
// exchange file, the report it makes from the sizing program's report and the
// sketch it draws.
#include "loads/kuosan.h"

#include "base/globals.h"
#include "drawing/pen.h"
#include "support/ezdxf_check.h"
#include "support/program_folder.h"
#include "support/work_folder.h"

#include "kuosan_sketch.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kv::test::HasBox;
using kv::test::HasSegment;
using kv::test::HasText;

struct Folders {
    kv::test::WorkFolder work;
    kv::test::ProgramFolder program;
    kv::test::ConfigHome home;
};

void ExpectSameSizes(const KUOSAN_FIELDS& a, const KUOSAN_FIELDS& b) {
    EXPECT_EQ(a.XBType, b.XBType);
    EXPECT_FLOAT_EQ(a.W1, b.W1);
    EXPECT_FLOAT_EQ(a.H1, b.H1);
    EXPECT_FLOAT_EQ(a.L1, b.L1);
    EXPECT_FLOAT_EQ(a.W2, b.W2);
    EXPECT_FLOAT_EQ(a.H2, b.H2);
    EXPECT_FLOAT_EQ(a.Hg2, b.Hg2);
    EXPECT_FLOAT_EQ(a.L2, b.L2);
}

CKuoSanData Sized(int type, float w1, float h1, float l1, float w2, float h2, float hg2, float l2) {
    CKuoSanData d;
    d.XBType = type;
    d.W1 = w1, d.H1 = h1, d.L1 = l1, d.W2 = w2, d.H2 = h2, d.Hg2 = hg2, d.L2 = l2;
    return d;
}

TEST(KuoSanData, NamesOneDiagramAfterTheItemStem) {
    CKuoSanData d;
    d.SetFileName("&KV_0012");
    ASSERT_EQ(d.m_nJtNum, 1);
    EXPECT_EQ(d.GetJtTitle(0), "简图");
    EXPECT_EQ(d.GetDxfFileName(0), "&KV_0012_KuoSan_jt_01.dxf");
    EXPECT_EQ(d.GetRtfFileName(0), "&KV_0012.RTF");
}

TEST(KuoSanData, TheDataFileGivesBackItsEightValues) {
    kv::test::WorkFolder dir;
    CKuoSanData d = Sized(1, 2400.5f, 3000, 2500, 2200, 3300, 6500.25f, 1200);
    d.m_strName = "入口 消波";
    d.SetFileName("&KV_0004");
    const std::string path = dir / "&KV_0004.dat";
    ASSERT_EQ(d.SaveData(path.c_str()), 1);

    CKuoSanData back;
    ASSERT_EQ(back.LoadData(path.c_str()), 1);
    ExpectSameSizes(back, d);
    EXPECT_EQ(back.m_strName, "入口 消波");
    EXPECT_EQ(back.GetJtTitle(0), "简图");
    EXPECT_EQ(back.GetDxfFileName(0), "&KV_0004_KuoSan_jt_01.dxf");
    EXPECT_EQ(back.GetRtfFileName(0), "&KV_0004.RTF");
    EXPECT_EQ(dir.Read("&KV_0004.dat").substr(0, 11), "KuoSan_V10\n");
}

TEST(KuoSanData, ReadsAFileWrittenOnWindows) {
    kv::test::WorkFolder dir;
    // GBK name and title, CR LF, the name in capitals.
    dir.Write("&KV_0003.DAT",
              "KuoSan_V10\r\n"
              "1,2500.000000,2900.000000,2100.000000,2300.000000,3100.000000,5000.000000,900.000000\r\n"
              "##Name,\xcf\xfb\xb2\xa8 3\r\n"
              "##ChaXun,\xbc\xf2\xcd\xbc,&KV_0003_KuoSan_jt_01.dxf,&KV_0003.RTF\r\n");
    CKuoSanData d;
    ASSERT_EQ(d.LoadData((dir / "&KV_0003.dat").c_str()), 1);
    ExpectSameSizes(d, Sized(1, 2500, 2900, 2100, 2300, 3100, 5000, 900));
    EXPECT_EQ(d.m_strName, "消波 3");
    EXPECT_EQ(d.GetJtTitle(0), "简图");
    EXPECT_EQ(d.GetRtfFileName(0), "&KV_0003.RTF");
}

TEST(KuoSanData, AFileThatIsNotCompleteLeavesTheObjectUnchanged) {
    struct Case {
        const char* name;
        const char* bytes;  // nullptr: no file
    } cases[] = {
        {"no file", nullptr},
        {"another marker", "KV_BAN_V30\n1,1,1,1,1,1,1,1\n##Name,x\n"},
        {"a short size line", "KuoSan_V10\n1,2500,2900,2100\n##Name,x\n"},
        {"seven sizes", "KuoSan_V10\n1,2500,2900,2100,2300,3100,5000\n##Name,x\n"},
        {"a field that is no number", "KuoSan_V10\n1,2500,abc,2100,2300,3100,5000,900\n##Name,x\n"},
        {"a size of nan", "KuoSan_V10\n1,2500,nan,2100,2300,3100,5000,900\n##Name,x\n"},
        {"a size of inf", "KuoSan_V10\n1,2500,2900,2100,2300,3100,5000,-inf\n##Name,x\n"},
        {"a size beyond float", "KuoSan_V10\n1,1e39,2900,2100,2300,3100,5000,900\n##Name,x\n"},
        {"the marker alone", "KuoSan_V10\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kv::test::WorkFolder dir;
        if (c.bytes) dir.Write("&KV_0001.dat", c.bytes);
        CKuoSanData d = Sized(2, 1111, 2222, 3333, 4444, 5555, 6666, 7777);
        d.m_strName = "kept";
        d.SetFileName("&KV_0009");
        EXPECT_EQ(d.LoadData((dir / "&KV_0001.dat").c_str()), 0);
        ExpectSameSizes(d, Sized(2, 1111, 2222, 3333, 4444, 5555, 6666, 7777));
        EXPECT_EQ(d.m_strName, "kept");
        EXPECT_EQ(d.GetDxfFileName(0), "&KV_0009_KuoSan_jt_01.dxf");
    }
}

TEST(KuoSanData, TakesTheSizesTheProgramLeftInTheExchangeFile) {
    Folders f;
    CKuoSanData d;
    EXPECT_FALSE(d.ReadSizes()) << "no exchange file";
    ExpectSameSizes(d, CKuoSanData());

    // The program folder's copy, with some keys missing or unreadable: those keep their values.
    f.program.Write("ExOut.ini", "[xbxtcc]\r\nxbtype=1\r\nWidth1=2400.5\r\nHeight1=abc\r\nHg2= 7000\r\n");
    EXPECT_TRUE(d.ReadSizes());
    ExpectSameSizes(d, Sized(1, 2400.5f, 2800, 2000, 2000, 3200, 7000, 1000));

    // A copy in the configuration folder is the one read.
    f.home.Write("kv/ExOut.ini", "[XBXTCC]\nXBType=2\nWidth1=3000\nHeight1=3100\nLength1=2600\nWidth2=2900\n"
                                 "Height2=3400\nHg2=6100\nLength2=1500\n");
    EXPECT_TRUE(d.ReadSizes());
    ExpectSameSizes(d, Sized(2, 3000, 3100, 2600, 2900, 3400, 6100, 1500));

    // Another section only: nothing changes.
    f.home.Write("kv/ExOut.ini", "[Other]\nWidth1=1\n");
    EXPECT_FALSE(d.ReadSizes());
    ExpectSameSizes(d, Sized(2, 3000, 3100, 2600, 2900, 3400, 6100, 1500));
}

// A damaged answer is no size: the sketch and the data file keep the sizes they had.
TEST(KuoSanData, AnExchangeValueThatIsNoFiniteNumberKeepsItsSize) {
    const char* const values[] = {"nan", "NaN", "inf", "-INF", "1e39", "-1e39"};
    for (const char* value : values) {
        SCOPED_TRACE(value);
        Folders f;
        std::string ini = "[XBXTCC]\n";
        for (const char* key : {"XBType", "Width1", "Height1", "Length1", "Width2", "Height2", "Hg2", "Length2"})
            ini += std::string(key) + "=" + value + "\n";
        f.program.Write("ExOut.ini", ini);
        CKuoSanData d;
        d.ReadSizes();
        ExpectSameSizes(d, CKuoSanData());
    }
    // Beside them a good value is still taken.
    Folders f;
    f.program.Write("ExOut.ini", "[XBXTCC]\nXBType=1e30\nWidth1=nan\nHeight1=2900\n");
    CKuoSanData d;
    EXPECT_TRUE(d.ReadSizes());
    ExpectSameSizes(d, Sized(2, 2000, 2900, 2000, 2000, 3200, 6000, 1000));
}

TEST(KuoSanReport, AReportNamedRtfIsCopiedUnchanged) {
    for (const char* name : {"dorvex.RTF", "Out.rtf", "report.Rtf"}) {
        SCOPED_TRACE(name);
        Folders f;
        const std::string rtf = "{\\rtf1\\ansi {\\b Dorvex} report\\par}\r\n";
        f.program.Write(name, rtf);
        f.program.Write("Hubrin.ini", std::string("[Hubrin]\nKSJSS=") + name + "\n");
        CKuoSanData d;
        d.SetFileName("&KV_0002");
        ASSERT_EQ(d.WriteReport(), 1);
        EXPECT_EQ(f.work.Read("&KV_0002.RTF"), rtf);
        EXPECT_EQ(f.work.List(), "&KV_0002.RTF") << "the report has the listed spelling";
    }
}

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(KuoSanReport, ATextReportGivesEachOfItsLinesOnce) {
    Folders f;
    // The built-in name, found in any case; GBK, CR LF, a percent sign and a backquote.
    f.program.Write("XBJSS.TXT", "\xcf\xfb\xb2\xa8 W1=2400\r\nratio 50% `x~\r\nlast line\r\n");
    CKuoSanData d;
    d.SetFileName("&KV_0002");
    ASSERT_EQ(d.WriteReport(), 1);
    const std::string rtf = f.work.Read("&KV_0002.RTF");
    ASSERT_EQ(rtf.substr(0, 6), "{\\rtf1");
    EXPECT_EQ(Count(rtf, "\\u28040?\\u27874? W1=2400"), 1) << rtf;  // 消波
    EXPECT_EQ(Count(rtf, "ratio 50% `x~"), 1) << rtf;
    EXPECT_EQ(Count(rtf, "last line"), 1) << rtf;
    EXPECT_LT(rtf.find("W1=2400"), rtf.find("ratio")) << "in order";
    EXPECT_LT(rtf.find("ratio"), rtf.find("last line")) << "in order";
}

// A table line of the program's report may run past a thousand characters: none of it is lost.
TEST(KuoSanReport, ALongReportLineKeepsItsEnd) {
    Folders f;
    f.program.Write("XBJSS.txt", "head\r\n" + std::string(1500, '-') + " tail of the long line\r\nlast line\r\n");
    CKuoSanData d;
    d.SetFileName("&KV_0002");
    ASSERT_EQ(d.WriteReport(), 1);
    const std::string rtf = f.work.Read("&KV_0002.RTF");
    EXPECT_EQ(Count(rtf, "tail of the long line"), 1) << rtf;
    EXPECT_LT(rtf.find("tail of the long line"), rtf.find("last line")) << "in order";
}

TEST(KuoSanReport, AMissingReportGivesAnEmptyReport) {
    Folders f;
    CKuoSanData d;
    d.SetFileName("&KV_0002");
    ASSERT_EQ(d.WriteReport(), 1);
    const std::string rtf = f.work.Read("&KV_0002.RTF");
    EXPECT_EQ(rtf.substr(0, 6), "{\\rtf1");
    EXPECT_EQ(rtf.find("\\par"), std::string::npos) << rtf;
}

DXF Draw(const CKuoSanData& d) {
    CPenSGT pen;
    d.DrawPlan(pen);
    DXF copy;
    copy.Read_Dxf_From_Bytes(pen.ToDxfBytes());
    return copy;
}

TEST(KuoSanSketch, OneStageWithTheDefaultSizes) {
    CKuoSanData d;
    d.XBType = 1;  // W1 2000, H1 2800, L1 2000
    const DXF sketch = Draw(d);
    // a = 2000 / 2.5: the exit in the plan is 800 wide; the plan ends at 3800 with the 350 exit wall.
    EXPECT_TRUE(HasSegment(sketch, "WINDOW", 3800, -400, 3800, 400));
    EXPECT_TRUE(HasSegment(sketch, "WINDOW", 4150, -400, 4150, 400));
    double minX = 1e9, maxX = -1e9;
    for (const kv::test::Segment& s : kv::test::Segments(sketch)) {
        // The plan only: the section lies below it, the cross section from x 7700 on.
        if (s.layer != "WALL" || s.y1 < -2500 || s.y2 < -2500 || s.x1 > 7000 || s.x2 > 7000) continue;
        minX = std::min({minX, s.x1, s.x2});
        maxX = std::max({maxX, s.x1, s.x2});
    }
    EXPECT_DOUBLE_EQ(minX, 0);
    EXPECT_DOUBLE_EQ(maxX, 4150);
    // h = 2800 − 1000: the exit in section 2-2 (floor at −8000) is 1800 high above its 200 sill.
    EXPECT_TRUE(HasSegment(sketch, "WINDOW", 3800, -7800, 3800, -6000));
    // The chamber cut across: 2000 x 2800 inside 500 walls, the door 800 x 1800.
    EXPECT_TRUE(HasBox(sketch, "WALL", 2000, 2800));
    EXPECT_TRUE(HasBox(sketch, "WALL", 3000, 3800));
    EXPECT_TRUE(HasBox(sketch, "WINDOW", 800, 1800));
    EXPECT_TRUE(HasText(sketch, "一级消波系统平面示意图"));
    EXPECT_TRUE(HasText(sketch, "1-1"));
    EXPECT_TRUE(HasText(sketch, "2-2"));
    EXPECT_FALSE(HasText(sketch, "3-3"));
    EXPECT_FALSE(HasText(sketch, "3")) << "no mark of a second cross section";
    EXPECT_TRUE(HasText(sketch, "迎波面"));
}

TEST(KuoSanSketch, TwoStagesShowBothChambers) {
    const CKuoSanData d = Sized(2, 2400, 3000, 2500, 2200, 3300, 6500, 1200);
    const DXF sketch = Draw(d);
    // a = 2200 / 2.5 = 880; the exit lies at 1800 + 2500 + 800 + 1200 = 6300.
    EXPECT_TRUE(HasSegment(sketch, "WINDOW", 6300, -440, 6300, 440));
    EXPECT_TRUE(HasSegment(sketch, "WINDOW", 6650, -440, 6650, 440));
    // The second door sits at the end of chamber 1, across its full wall step.
    EXPECT_TRUE(HasSegment(sketch, "WINDOW", 4300 + 800, -440, 4300 + 800, 440));
    EXPECT_TRUE(HasBox(sketch, "WALL", 2400, 3000));
    EXPECT_TRUE(HasBox(sketch, "WALL", 2200, 3300));
    EXPECT_TRUE(HasText(sketch, "二级消波系统平面示意图"));
    EXPECT_TRUE(HasText(sketch, "3-3"));
    EXPECT_TRUE(HasText(sketch, "3"));
}

TEST(KuoSanSketch, IsWrittenUnderTheDiagramNameAndPassesTheEzdxfCheck) {
    const std::string py = kv::test::PythonWithEzdxf();
    struct Case {
        const char* name;
        CKuoSanData data;
    } cases[] = {
        {"one stage", Sized(1, 2000, 2800, 2000, 2000, 3200, 6000, 1000)},
        {"two stages", CKuoSanData()},
        {"a wider, lower second chamber", Sized(2, 2000, 3400, 2200, 2600, 2900, 6000, 1500)},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        kv::test::WorkFolder dir;
        c.data.SetFileName("&KV_0005");
        ASSERT_EQ(c.data.DrawPlan(), 1);
        const std::string dxf = dir / "&KV_0005_KuoSan_jt_01.dxf";
        DXF back;
        ASSERT_EQ(back.Read_FileDxf_To_Mem(dxf.c_str()), 1);
        EXPECT_FALSE(back.Entities().empty());
        if (!py.empty()) {
            EXPECT_TRUE(kv::test::EzdxfRecoverPasses(py, dxf)) << "ezdxf found errors";
        }
    }
    if (py.empty()) GTEST_SKIP() << "python3-ezdxf is missing (scripts/setup installs it): the outside reader check did not run";
}

}  // namespace

#include "members/beams/gj_data.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

#include "base/error.h"
#include "members/beams/fem_files.h"
#include "platform/codec.h"
#include "support/edition_guard.h"
#include "support/error_lines.h"
#include "support/message_recorder.h"
#include "support/work_folder.h"

namespace {

using kv::test::MessageRecorder;
using kv::test::WorkFolder;

void FillDistinct(GJ_FIELDS& f) {
    f.ConGrade = 40, f.Steam = 1, f.PDelta = 1, f.MidFactor = 1.125f, f.SupportFactor = 0.875f, f.BarGrade = 4;
    f.StirrupGrade = 2, f.StirrupSpacing = 150, f.As = 42.5f, f.TextScale = 1.5f, f.GraphScale = 0.75f;
}

void ExpectSameFields(const GJ_FIELDS& a, const GJ_FIELDS& b) {
#define SAME(x) EXPECT_EQ(a.x, b.x) << #x
    SAME(ConGrade); SAME(Steam); SAME(PDelta); SAME(MidFactor); SAME(SupportFactor); SAME(BarGrade);
    SAME(StirrupGrade); SAME(StirrupSpacing); SAME(As); SAME(TextScale); SAME(GraphScale);
#undef SAME
}

TEST(RigidFrameData, NewObjectWritesItsDefaultsWithTheScalesBeforePDeltaAndAs) {
    WorkFolder dir;
    CGjData fresh;
    EXPECT_EQ(fresh.DataName(), "NONAME");
    EXPECT_EQ(fresh.m_strName, "刚架计算 GJ1");
    EXPECT_EQ(fresh.m_nRenFang, 0);
    ASSERT_EQ(fresh.SaveData((dir / "&KV_0003.dat").c_str()), 1);
    EXPECT_EQ(dir.Read("&KV_0003.dat").substr(0, dir.Read("&KV_0003.dat").find("##")),
              "KV_GJ_V30\n25,0,1.000000,1.000000,3,1,200,1.000000,1.000000,0,35.000000\n");
    EXPECT_EQ(fresh.DataName(), "&KV_0003") << "the data takes the name of the file written";
}

TEST(RigidFrameData, NamesSevenDiagramsWithOneReport) {
    CGjData data;
    data.SetFileName("A");
    ASSERT_EQ(data.m_nJtNum, 7);
    const char* titles[] = {"计算简图", "位移图", "弯矩图", "剪力图", "轴力图", "配筋图", "所有图"};
    const char* drawings[] = {"A_JT_GJ.DXF", "A_D_GJ.DXF", "A_M_GJ.DXF", "A_V_GJ.DXF",
                              "A_N_GJ.DXF",  "A_PJ_GJ.DXF", "A_ALL_GJ.DXF"};
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(data.GetJtTitle(k), titles[k]);
        EXPECT_EQ(data.GetDxfFileName(k), drawings[k]);
        EXPECT_EQ(data.GetRtfFileName(k), "A_GJ.RTF");
    }
    data.m_nRenFang = 1;
    EXPECT_EQ(data.ModelFileName(), "A_KV_StrLdA-1.DAT");
}

TEST(RigidFrameData, RoundTripKeepsTheFieldsAndLeavesFlagsAndFactors) {
    WorkFolder dir;
    CGjData written;
    FillDistinct(written);
    written.m_strName = "人防刚架, GJ-2";
    written.SetFileName("&KV_0007");
    ASSERT_EQ(written.SaveData((dir / "&KV_0007.dat").c_str()), 1);

    CGjData read;
    read.m_nRenFang = 1;
    read.m_nInsertResultDiagrams = 1;
    read.m_nInsertSchemeDiagram = 0;
    read.m_fCaseFactors[3] = 1.4f;
    ASSERT_EQ(read.LoadData((dir / "&KV_0007.dat").c_str()), 1);
    ExpectSameFields(written, read);
    EXPECT_EQ(read.m_strName, "人防刚架, GJ-2");
    EXPECT_EQ(read.GetDxfFileName(6), "&KV_0007_ALL_GJ.DXF");
    EXPECT_EQ(read.DataName(), "&KV_0007");
    EXPECT_EQ(read.m_nRenFang, 1);
    EXPECT_EQ(read.m_nInsertResultDiagrams, 1);
    EXPECT_EQ(read.m_nInsertSchemeDiagram, 0);
    EXPECT_EQ(read.m_fCaseFactors[3], 1.4f);
    EXPECT_EQ(read.m_fCaseFactors[0], 1.0f);
}

// The older edition: no p-δ and as 35 whatever its line holds (it may end after
// the scales); both markers on one line count as the older one; CR LF reads the same.
TEST(RigidFrameData, OlderEditionReadsWithoutPDeltaAndWithAs35) {
    WorkFolder dir;
    const std::string line = "30,1,1.1,0.9,2,2,100,1.5,2.0,1,50.0";
    dir.Write("v20.GJ", "KV_GJ_V20\n" + line + "\n");
    dir.Write("v20short.GJ", "KV_GJ_V20\r\n30,1,1.1,0.9,2,2,100,1.5,2.0\r\n");
    dir.Write("both.GJ", "KV_GJ_V30 KV_GJ_V20\n" + line + "\n");
    dir.Write("v30.GJ", "KV_GJ_V30\r\n" + line + "\r\n##Name,GJ\r\n");
    struct Case {
        const char* file;
        int pDelta;
        float as;
    } cases[] = {{"v20.GJ", 0, 35.0f}, {"v20short.GJ", 0, 35.0f}, {"both.GJ", 0, 35.0f}, {"v30.GJ", 1, 50.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CGjData data;
        ASSERT_EQ(data.LoadData((dir / c.file).c_str()), 1);
        EXPECT_EQ(data.PDelta, c.pDelta);
        EXPECT_EQ(data.As, c.as);
        EXPECT_EQ(data.ConGrade, 30);
        EXPECT_EQ(data.StirrupSpacing, 100);
        EXPECT_EQ(data.GraphScale, 2.0f);
    }
}

TEST(RigidFrameData, OlderEditionNoticesHpb235Under2010) {
    WorkFolder dir;
    dir.Write("bar20.GJ", "KV_GJ_V20\n30,0,1,1,1,2,200,1,1\n");
    dir.Write("bar30.GJ", "KV_GJ_V30\n30,0,1,1,1,1,200,1,1,0,35\n");
    struct Case {
        const char* file;
        int edition;
        bool noticed;
    } cases[] = {{"bar20.GJ", 2010, true}, {"bar20.GJ", 2002, false}, {"bar30.GJ", 2010, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.edition));
        kv::test::EditionGuard edition(c.edition);
        kv::err::ClearRecentLines();
        CGjData data;
        ASSERT_EQ(data.LoadData((dir / c.file).c_str()), 1);
        bool notice = false;
        for (const auto& l : kv::err::RecentLines()) notice = notice || l.text == "钢筋HPB235自动调整为HPB300";
        EXPECT_EQ(notice, c.noticed);
    }
}

TEST(RigidFrameData, RefusedFilesLeaveTheObjectUnchanged) {
    WorkFolder dir;
    struct Case {
        const char* name;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"foreign.GJ", "KV_LXL_V30\n25,0,1,1,3,1,200,1,1,0,35\n", "文件类型不匹配 !"},
        {"empty.GJ", "", "文件类型不匹配 !"},
        {"noline.GJ", "KV_GJ_V30\n", "数据文件不完整"},
        {"short.GJ", "KV_GJ_V30\n25,0,1,1,3,1,200,1,1\n", "数据文件不完整"},
        {"nan.GJ", "KV_GJ_V30\n25,0,nan,1,3,1,200,1,1,0,35\n", "数据文件不完整"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write(c.name, c.bytes);
        CGjData data;
        data.SetFileName("kept");
        data.ConGrade = 35;
        MessageRecorder messages;
        EXPECT_EQ(data.LoadData((dir / c.name).c_str()), 0);
        GJ_FIELDS expected;
        expected.ConGrade = 35;
        ExpectSameFields(data, expected);
        EXPECT_EQ(data.DataName(), "kept");
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_NE(messages.shown()[0].text.find(c.message), std::string::npos) << messages.shown()[0].text;
    }
    CGjData data;
    MessageRecorder messages;
    EXPECT_EQ(data.LoadData((dir / "missing.GJ").c_str()), 0);
    EXPECT_TRUE(messages.shown().empty());
}

const char* const kEndings[] = {"_StrLdA-1.DAT", "_StrLdB-1.DAT", "_JGVIEWDH.DAT", "_JGVIEWJH.DAT", "_SYS_INF.PRO"};

// Bytes a text copy would change: CR LF, a NUL, GBK and a last line without its end.
std::string Companion(const char* ending) { return std::string("model\r\n\0\xb8\xd5", 10) + ending; }

TEST(RigidFrameData, SaveAsCopiesTheFiveCompanionFilesByteForByte) {
    WorkFolder dir;
    for (const char* e : kEndings) dir.Write(std::string("A_KV") + e, Companion(e));
    dir.Write("A_GJ_StrLdA-1.DAT", "ordinary frame");
    CGjData data;
    data.SetFileName("A");
    data.m_nRenFang = 1;
    ASSERT_EQ(data.CopyModelFiles((dir / "B.GJ").c_str()), 1);
    EXPECT_EQ(data.DataName(), "B");
    for (const char* e : kEndings) {
        SCOPED_TRACE(e);
        EXPECT_EQ(dir.Read(std::string("B_KV") + e), Companion(e));
        EXPECT_EQ(dir.Read(std::string("A_KV") + e), Companion(e));
    }
    EXPECT_FALSE(dir.Exists("B_GJ_StrLdA-1.DAT"));
}

// Saving under the same name copies each file onto itself; a missing source
// leaves an existing target alone and creates none.
TEST(RigidFrameData, SaveAsUnderTheSameNameOrFromMissingFilesKeepsEveryFile) {
    WorkFolder dir;
    for (const char* e : kEndings) dir.Write(std::string("A_KV") + e, Companion(e));
    CGjData data;
    data.SetFileName("A");
    data.m_nRenFang = 1;
    ASSERT_EQ(data.CopyModelFiles((dir / "A.GJ").c_str()), 1);
    for (const char* e : kEndings) EXPECT_EQ(dir.Read(std::string("A_KV") + e), Companion(e)) << e;

    dir.Write("C_KV_StrLdA-1.DAT", "C's own model");
    CGjData empty;
    empty.SetFileName("NOTHING");
    empty.m_nRenFang = 1;
    ASSERT_EQ(empty.CopyModelFiles((dir / "C.GJ").c_str()), 1);
    EXPECT_EQ(dir.Read("C_KV_StrLdA-1.DAT"), "C's own model");
    EXPECT_FALSE(dir.Exists("C_KV_StrLdB-1.DAT"));
}

TEST(RigidFrameData, CopyBinFileFindsTheSourceInAnyCaseAndNeverTruncatesIt) {
    WorkFolder dir;
    dir.Write("Model.dat", "bytes");
    EXPECT_TRUE(CopyBinFile((dir / "MODEL.DAT").c_str(), (dir / "copy.dat").c_str()));
    EXPECT_EQ(dir.Read("copy.dat"), "bytes");
    EXPECT_TRUE(CopyBinFile((dir / "Model.dat").c_str(), (dir / "model.DAT").c_str()));
    EXPECT_EQ(dir.Read("Model.dat"), "bytes");
    EXPECT_FALSE(CopyBinFile((dir / "none.dat").c_str(), (dir / "copy.dat").c_str()));
    EXPECT_EQ(dir.Read("copy.dat"), "bytes");
}

TEST(FemWorkFiles, DeleteClearsLeftoversInAnyCaseAndKeepsOtherFiles) {
    WorkFolder dir;
    const char* leftovers[] = {"YXY_JS.DAT", "yxy_js.dat", "defor.see", "DEFOR.FB", "Stiff2.fb",  "REACT.FB",
                               "FL_LIANG.FB", "fl_ban.fb", "react.see", "AREA.FB",  "grav.fb",    "~BakFile.GangJia",
                               "FORCE.FB",    "struc_ld.fb", "disp.out", "PIN.OUT"};
    for (const char* name : leftovers) dir.Write(name, "x");
    dir.Write("&KV_0001.dat", "item");
    dir.Write("A_KV_StrLdA-1.DAT", "model");
    dir.Write("FORCE.FB.keep", "not a work file");
    EXPECT_EQ(delete_fem_files(), 1);
    EXPECT_EQ(dir.List(), "&KV_0001.dat A_KV_StrLdA-1.DAT FORCE.FB.keep");
    delete_fem_files();  // nothing left to remove is no fault

    dir.Write("Yxy_Js.Dat", "x");
    remove_in_work_path("YXY_JS.DAT");
    EXPECT_FALSE(dir.Exists("Yxy_Js.Dat"));
}

// A work folder deeper than the 300 characters a joined path once had.
TEST(FemWorkFiles, DeleteReachesADeepWorkFolder) {
    WorkFolder dir;
    std::string deep;
    for (int i = 0; i < 30; ++i) deep += "folder-with-a-long-name-" + std::to_string(i) + "/";
    dir.Write(deep + "FORCE.FB", "x");
    G_strWorkPath = dir / deep;
    ASSERT_GT(G_strWorkPath.size(), 300u);
    delete_fem_files();
    EXPECT_FALSE(dir.Exists(deep + "FORCE.FB"));
}

// Memory running out mid-run clears the work files and ends in the module's words.
TEST(FemWorkFiles, RunOutOfMemoryClearsTheWorkFilesAndSaysTheFailure) {
    WorkFolder dir;
    dir.Write("FORCE.FB", "x");
    kv::test::ErrorLines lines;
    const FemRunEnding ending{"done", "not done"};
    EXPECT_EQ(run_fem_calculation("t", ending, []() -> int { throw std::bad_alloc(); }), 0);
    EXPECT_FALSE(dir.Exists("FORCE.FB"));
    ASSERT_EQ(lines.lines.size(), 2u);
    EXPECT_TRUE(lines.Has(kv::err::kFailure, "内存不够 !"));
    EXPECT_EQ(lines.lines.back().text, "not done");
    EXPECT_FALSE(lines.Has(kv::err::kDataError, "done"));

    JS_ERROR_CODE = 0;
    EXPECT_EQ(run_fem_calculation("t", ending, [&] { return end_fem_run(ending); }), 1);
    EXPECT_EQ(lines.lines.back().text, "done");
}

}  // namespace

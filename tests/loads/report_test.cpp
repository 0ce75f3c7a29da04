// Text reports of the equivalent loads, their file name and the editor hand-off.
#include "loads/equivload.h"

#include "base/error.h"
#include "base/globals.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>

namespace {

std::string Fixture(const std::string& name) {
    std::string bytes;
    kv::platform::ReadFileBytes(std::string(KV_TEST_FIXTURES) + "/loads/" + name, bytes);
    return bytes;
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class Report : public ::testing::Test {
protected:
    void SetUp() override {
        auto recorder = std::make_unique<kv::platform::RecordingProcessService>();
        processes_ = recorder.get();
        previousProcesses_ = kv::platform::InstallProcessService(std::move(recorder));
    }
    void TearDown() override { kv::platform::InstallProcessService(std::move(previousProcesses_)); }

    // Runs both stages and writes the report; returns its text (UTF-8).
    std::string Write(CEquivLoad& q, const std::string& name = "r.OUT") {
        q.CalNuclear();
        q.CalConventional();
        std::string path = folder_ / name;
        EXPECT_TRUE(q.WriteReport(path.c_str()));
        std::string text;
        kv::platform::ReadTextFile(path, text);
        return text;
    }

    kv::test::TempFolder folder_;
    kv::platform::RecordingProcessService* processes_ = nullptr;
    std::unique_ptr<kv::platform::ProcessService> previousProcesses_;
};

}  // namespace

TEST_F(Report, RoofReportOfClassAMatchesTheGoldenFile) {
    CEquivLoad q;
    Write(q, "roof.OUT");
    EXPECT_EQ(folder_.Read("roof.OUT"), Fixture("roof_class_a.OUT"));
    ASSERT_EQ(processes_->opened.size(), 1u);
    EXPECT_EQ(processes_->opened[0], folder_ / "roof.OUT");
}

TEST_F(Report, SaturatedShallowRoofReportMatchesTheGoldenFile) {
    // K on its ramp between the table and the saturated limit, Pch above 0,
    // and the wave-speed ratio the conventional stage set for saturated soil.
    CEquivLoad q;
    q.m_fCover = 1.0f;
    q.m_bMainStructure = 1;
    q.m_bSaturated = 1;
    q.m_fAirContent = 0.25f;
    q.m_bRoofUpperN = 0;
    q.m_nStructForm = 2;
    q.m_nNuclearClass = 3;
    q.m_fDeltaPm = 45.0f;
    q.m_nConvClass = 1;
    q.m_fCharge = 200.0f;
    q.m_fDistance = 8.0f;
    q.m_fDistanceGnd = 8.0f;
    Write(q, "roof.OUT");
    EXPECT_EQ(folder_.Read("roof.OUT"), Fixture("roof_class_a_saturated.OUT"));
}

TEST_F(Report, WallReportOfClassBMatchesTheGoldenFile) {
    CEquivLoad q;
    q.m_nClass = 1;
    q.m_nPart = 1;
    Write(q, "wall.OUT");
    EXPECT_EQ(folder_.Read("wall.OUT"), Fixture("wall_class_b.OUT"));
}

TEST_F(Report, WallReportOfClassAWithoutGroundLoadMatchesTheGoldenFile) {
    // 核5 with saturated soil and no building above: no nuclear Pc2'/qe2' lines,
    // the blank before "(%)" and the 不考虑 line of the wall layout.
    CEquivLoad q;
    q.m_nPart = 1;
    q.m_nNuclearClass = 2;
    q.m_nConvClass = 1;
    q.m_fDeltaPm = 100.0f;
    q.m_fCharge = 250.0f;
    q.m_bSaturated = 1;
    q.m_fAirContent = 0.2f;
    q.m_fGamma = 1.5f;
    q.m_bWallUpperN = 0;
    q.m_fStoreyH = 5.0f;
    q.m_fRoofDepth = 0.6f;
    Write(q, "wall.OUT");
    EXPECT_EQ(folder_.Read("wall.OUT"), Fixture("wall_class_a_n5.OUT"));
}

TEST_F(Report, ClassAWallNumbersSevenSectionsAndShowsGroundLoadsOnlyForClassSix) {
    struct Case {
        int nuclearClass, groundLoadLines, groundQeLines;
    };
    // 核6B and 核6 add the nuclear Pc2' and qe2' lines; the conventional Pc2' and
    // qce2' lines are always there.
    const Case cases[] = {{0, 2, 1}, {1, 2, 1}, {2, 1, 0}, {4, 1, 0}};
    for (const Case& c : cases) {
        CEquivLoad q;
        q.m_nPart = 1;
        q.m_nNuclearClass = c.nuclearClass;
        std::string text = Write(q);
        EXPECT_EQ(Count(text, "  地面外墙Pc2' = "), c.groundLoadLines) << c.nuclearClass;
        EXPECT_EQ(Count(text, "  地面外墙等效均布静荷载标准值qe2' = "), c.groundQeLines) << c.nuclearClass;
        EXPECT_EQ(Count(text, "  地面外墙等效均布静荷载标准值qce2' = "), 1);
        EXPECT_NE(text.find("\n(3)土中压缩波的最大压力计算\n"), std::string::npos);
        EXPECT_NE(text.find("\n(7)等效均布静荷载标准值qe计算\n"), std::string::npos);
    }
}

TEST_F(Report, RoofReportShowsTheOptionalLines) {
    CEquivLoad q;
    q.m_nClass = 1;
    q.m_bMainStructure = 1;
    q.m_bSaturated = 1;
    q.m_fAirContent = 0.25f;
    q.m_bRoofUpperC = 0;
    std::string text = Write(q);
    EXPECT_EQ(Count(text, "  是主体结构\n"), 1);
    EXPECT_EQ(Count(text, "  是饱和土, 含气量 0.25(%)\n"), 1);
    EXPECT_EQ(Count(text, "  顶板不考虑上部建筑物的影响\n"), 1);
    EXPECT_EQ(Count(text, "防核武器"), 0);
    // 乙类 keeps the soil data of the compression-wave section.
    EXPECT_NE(text.find("\n(3)土中压缩波的最大压力计算\n  波速比 : 1.50\n"), std::string::npos);
    EXPECT_NE(text.find("  顶板Pch = "), std::string::npos);
    EXPECT_NE(text.find("\n(6)动力系数 Kdc计算\n"), std::string::npos);
    EXPECT_NE(text.find("\n(7)等效均布静荷载标准值qce计算\n  顶板等效均布静荷载标准值qce1 = "), std::string::npos);
    EXPECT_NE(text.find("\n(1)基本信息\n  乙类防空地下室: 按防常规武器爆炸计算\n  防常规武器抗力级别:  常6\n"),
              std::string::npos);

    CEquivLoad plain;
    EXPECT_EQ(Count(Write(plain), "主体结构"), 0);
}

TEST_F(Report, UnwritableFileStartsNoEditorAndSaysWhy) {
    kv::err::ClearRecentLines();
    CEquivLoad q;
    std::string path = folder_ / "missing/roof.OUT";
    EXPECT_FALSE(q.WriteReport(path.c_str()));
    EXPECT_TRUE(processes_->opened.empty());
    EXPECT_EQ(folder_.List(), "");
    ASSERT_FALSE(kv::err::RecentLines().empty());
    EXPECT_EQ(kv::err::RecentLines().back().text, "不能打开文件 : " + path);
    JS_ERROR_CODE = 0;
}

TEST_F(Report, AReportTheDiskCannotHoldKeepsTheOldOneAndSaysWhy) {
    for (int part : {0, 1}) {  // roof and floor, exterior wall
        SCOPED_TRACE(part);
        kv::err::ClearRecentLines();
        folder_.Write("roof.OUT", "old report\n");
        CEquivLoad q;
        q.m_nPart = part;
        std::string path = folder_ / "roof.OUT";
        {
            kv::platform::WriteFailureForTesting full(100, ENOSPC);
            EXPECT_FALSE(q.WriteReport(path.c_str()));
        }
        EXPECT_TRUE(processes_->opened.empty());
        EXPECT_EQ(folder_.Read("roof.OUT"), "old report\n");
        EXPECT_EQ(folder_.List(), "roof.OUT");
        ASSERT_FALSE(kv::err::RecentLines().empty());
        EXPECT_EQ(kv::err::RecentLines().back().text, "不能写入文件 : " + path);
        JS_ERROR_CODE = 0;
    }
}

TEST_F(Report, FailingEditorStillCountsAsWritten) {
    processes_->openSucceeds = false;
    CEquivLoad q;
    std::string path = folder_ / "roof.OUT";
    EXPECT_TRUE(q.WriteReport(path.c_str()));
    EXPECT_FALSE(folder_.Read("roof.OUT").empty());
}

TEST(ReportPath, ExtensionReplacedByOut) {
    struct Case {
        const char* chosen;
        const char* expected;
    };
    const Case cases[] = {
        {"/w/load", "/w/load.OUT"},           {"/w/load.txt", "/w/load.OUT"},
        {"/w/proj.a/load", "/w/proj.a/load.OUT"}, {"load.txt", "load.OUT"},
        {"/w/load.OUT", "/w/load.OUT"},       {"/w/a.b.c", "/w/a.b.OUT"},
    };
    for (const Case& c : cases) EXPECT_EQ(EquivLoadReportPath(c.chosen), c.expected) << c.chosen;
}

TEST_F(Report, ChosenNameIsWrittenAsOutFileAndOpened) {
    auto dialogs = std::make_unique<kv::platform::ScriptedFileDialogService>();
    auto* script = dialogs.get();
    auto previousDialogs = kv::platform::InstallFileDialogService(std::move(dialogs));
    std::string previousWork = G_strWorkPath;
    G_strWorkPath = folder_.path();

    script->Answer(folder_ / "load.txt");
    script->Answer(std::nullopt);
    CEquivLoad q;
    q.CalNuclear();
    q.CalConventional();
    EXPECT_TRUE(OutputEquivLoadReport(q));
    EXPECT_FALSE(OutputEquivLoadReport(q));  // cancelled

    EXPECT_EQ(folder_.List(), "load.OUT");
    ASSERT_EQ(processes_->opened.size(), 1u);
    EXPECT_EQ(processes_->opened[0], folder_ / "load.OUT");
    ASSERT_EQ(script->requests().size(), 2u);
    EXPECT_EQ(script->requests()[0].initialPath, folder_ / "*.OUT");
    EXPECT_EQ(script->requests()[0].filter, "报表文件(*.OUT)|*.OUT||");

    G_strWorkPath = previousWork;
    kv::platform::InstallFileDialogService(std::move(previousDialogs));
}

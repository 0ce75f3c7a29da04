// 消波: the command with the sizing program missing, silent or standing in, and
// a 消波 item of a 单建式 project from 新增 to the combined report.
#include "loads/ui/kuosancmd.h"

#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/moduletable.h"
#include "base/error.h"
#include "base/globals.h"
#include "base/jsdata.h"
#include "drawing/dxf.h"
#include "loads/kuosan.h"
#include "platform/services.h"
#include "project/project.h"
#include "project/ui/modulecommands.h"
#include "project/ui/projectcommands.h"
#include "report/ui/reportfile.h"
#include "support/ezdxf_check.h"
#include "support/message_recorder.h"
#include "support/program_folder.h"
#include "support/qt_app.h"
#include "support/work_folder.h"
#include "views/bbdoc.h"
#include "views/bbframe.h"
#include "views/bbview.h"
#include "views/childframe.h"
#include "views/cxview.h"
#include "views/dialogs/jiantu.h"
#include "views/dialogs/shellservices.h"
#include "views/reportpictures.h"
#include "views/splitterframe.h"

#include "../fixture.h"
#include "../kuosan_sketch.h"
#include "members/slabwall/ui/modal.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <cstdlib>

#include <sys/stat.h>

namespace {

using kv::test::HasBox;
using kv::test::HasSegment;
using kv::test::HasText;
using kv::test::OnNextModal;

// The sizes the stand-in program answers with.
const KUOSAN_FIELDS kStandIn = [] {
    KUOSAN_FIELDS f;
    f.XBType = 2, f.W1 = 2400, f.H1 = 3000, f.L1 = 2500, f.W2 = 2200, f.H2 = 3300, f.Hg2 = 6500, f.L2 = 1200;
    return f;
}();

void ExpectSizes(const KUOSAN_FIELDS& a, const KUOSAN_FIELDS& b) {
    EXPECT_EQ(a.XBType, b.XBType);
    for (auto field : {&KUOSAN_FIELDS::W1, &KUOSAN_FIELDS::H1, &KUOSAN_FIELDS::L1, &KUOSAN_FIELDS::W2,
                       &KUOSAN_FIELDS::H2, &KUOSAN_FIELDS::Hg2, &KUOSAN_FIELDS::L2})
        EXPECT_FLOAT_EQ(a.*field, b.*field);
}

bool HasLine(int code, const std::string& text) {
    for (const kv::err::Line& line : kv::err::RecentLines())
        if (line.code == code && line.text.find(text) != std::string::npos) return true;
    return false;
}

int Count(const QString& text, const QString& part) { return text.count(part); }

class KuoSanCommand : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        oldProcesses = kv::platform::InstallProcessService(kv::platform::MakeSystemProcessService());
        oldSink = kv::err::SetSink(nullptr);
        kv::err::ClearRecentLines();
        work.MakeCurrent();
        G_KuoSanData = CKuoSanData();
        kv::shell::ReportView view;
        view.read = [this](const std::string& path) {
            reportsRead.push_back(path);
            return true;
        };
        kv::shell::SetReportView(view);
        SetDiagramViewer([this](const std::string& path) { sketchesShown.push_back(path); });
    }
    void TearDown() override {
        SetDiagramViewer({});
        kv::shell::SetReportView({});
        kv::err::SetSink(std::move(oldSink));
        kv::platform::InstallProcessService(std::move(oldProcesses));
    }

    void InstallStandIn() {
        program.Write("Dorvex.exe", kv::test::LoadsFixture("kuosan/dorvex-standin.sh"));
        ASSERT_EQ(::chmod((program / "Dorvex.exe").c_str(), 0755), 0);
    }
    // Runs the command, answering a new item's title dialog with `title`.
    bool Run(KuoSanItem& item, const QString& title = {}) {
        bool asked = false;
        if (item.newItem)
            OnNextModal([&](QDialog& dlg) {
                asked = true;
                if (!title.isEmpty()) kv::test::SetField(dlg, 1001, title);
                kv::test::Click(dlg, 1);
            });
        bool ran = OnKuoSan(nullptr, item);
        EXPECT_EQ(asked, item.newItem) << "only a new item asks for its title";
        return ran;
    }

    kv::test::WorkFolder work;
    kv::test::ProgramFolder program;
    kv::test::ConfigHome home;
    kv::test::MessageRecorder messages;
    std::unique_ptr<kv::platform::ProcessService> oldProcesses;
    kv::err::Sink oldSink;
    std::vector<std::string> reportsRead, sketchesShown;
};

TEST_F(KuoSanCommand, AProgramThatCannotStartWritesNothing) {
    KuoSanItem item{"消波 1", "&KV_0001", true};
    EXPECT_FALSE(Run(item, "入口消波"));
    EXPECT_TRUE(HasLine(kv::err::kFailure, "消波系统程序运行错误！"));
    EXPECT_EQ(JS_ERROR_CODE, 301);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_NE(messages.shown()[0].text.find(program / "Dorvex.exe"), std::string::npos) << messages.shown()[0].text;
    EXPECT_EQ(work.List(), "") << "no data file, report or sketch";
    EXPECT_TRUE(reportsRead.empty());
    EXPECT_TRUE(sketchesShown.empty());
}

TEST_F(KuoSanCommand, TheStandInsSizesReachTheDataFileTheSketchAndTheReport) {
    InstallStandIn();
    KuoSanItem item{"消波 1", "&KV_0001", true};
    ASSERT_TRUE(Run(item, "入口消波"));
    EXPECT_EQ(item.title, "入口消波");
    EXPECT_TRUE(messages.shown().empty()) << messages.shown()[0].text;
    EXPECT_FALSE(HasLine(kv::err::kWarning, "")) << "the program answered";

    CKuoSanData back;
    ASSERT_EQ(back.LoadData((work / "&KV_0001.dat").c_str()), 1);
    ExpectSizes(back, kStandIn);
    EXPECT_EQ(back.m_strName, "入口消波");
    EXPECT_EQ(back.GetJtTitle(0), "简图");

    const std::string dxf = work / "&KV_0001_KuoSan_jt_01.dxf";
    DXF sketch;
    ASSERT_EQ(sketch.Read_FileDxf_To_Mem(dxf.c_str()), 1);
    EXPECT_TRUE(HasBox(sketch, "WALL", 2400, 3000)) << "chamber 1 cut across";
    EXPECT_TRUE(HasBox(sketch, "WALL", 2200, 3300)) << "chamber 2 cut across";
    EXPECT_TRUE(HasSegment(sketch, "WINDOW", 6300, -440, 6300, 440)) << "the exit, 2200 / 2.5 wide";
    EXPECT_TRUE(HasText(sketch, "二级消波系统平面示意图"));
    if (const std::string py = kv::test::PythonWithEzdxf(); !py.empty()) {
        EXPECT_TRUE(kv::test::EzdxfRecoverPasses(py, dxf));
    }

    const QString rtf = QString::fromStdString(work / "&KV_0001.RTF");
    ASSERT_TRUE(kv::report::ui::LooksLikeRtf(rtf));
    QTextDocument report;
    ASSERT_TRUE(kv::report::ui::LoadReport(&report, rtf, true));
    const QString text = report.toPlainText();
    EXPECT_EQ(Count(text, "二级消波系统 DORVEX-STANDIN"), 1) << text.toStdString();
    EXPECT_EQ(Count(text, "W1=2400 H1=3000 L1=2500"), 1) << text.toStdString();
    EXPECT_EQ(Count(text, "W2=2200 H2=3300 Hg2=6500 L2=1200"), 1) << text.toStdString();

    EXPECT_EQ(reportsRead, std::vector<std::string>{work / "&KV_0001.RTF"});
    EXPECT_EQ(sketchesShown, std::vector<std::string>{dxf});
}

TEST_F(KuoSanCommand, AProgramThatLeavesNoSizesIsStartedBareAndWarnedAbout) {
    auto recording = std::make_unique<kv::platform::RecordingProcessService>();
    kv::platform::RecordingProcessService* processes = recording.get();
    processes->result.started = true;
    processes->result.exitCode = 0;
    kv::platform::InstallProcessService(std::move(recording));

    // An existing item, and an answer left from an earlier run that must not be taken.
    CKuoSanData stored;
    stored.XBType = 1;
    stored.W1 = 2500;
    stored.m_strName = "旧消波";
    stored.SetFileName("&KV_0002");
    ASSERT_EQ(stored.SaveData((work / "&KV_0002.dat").c_str()), 1);
    home.Write("kv/ExOut.ini", "[XBXTCC]\nXBType=2\nWidth1=9999\n");

    KuoSanItem item{"消波 2", "&KV_0002", false};
    ASSERT_TRUE(Run(item));
    ASSERT_EQ(processes->runs.size(), 1u);
    EXPECT_EQ(processes->runs[0].program, program / "Dorvex.exe");
    EXPECT_TRUE(processes->runs[0].args.empty());
    EXPECT_EQ(processes->runs[0].workFolder, "") << "in the current folder";

    EXPECT_TRUE(HasLine(kv::err::kWarning, "[XBXTCC]"));
    CKuoSanData back;
    ASSERT_EQ(back.LoadData((work / "&KV_0002.dat").c_str()), 1);
    ExpectSizes(back, stored);
    EXPECT_EQ(back.m_strName, "旧消波");
    DXF sketch;
    ASSERT_EQ(sketch.Read_FileDxf_To_Mem((work / "&KV_0002_KuoSan_jt_01.dxf").c_str()), 1);
    EXPECT_TRUE(HasText(sketch, "一级消波系统平面示意图"));
    EXPECT_TRUE(HasBox(sketch, "WALL", 2500, 2800));
}

// The project road: a 单建式 project window of 消波, 新增, the title dialog, the
// stand-in program, and what the window and the combined report show after.
class KuoSanProject : public KuoSanCommand {
protected:
    void SetUp() override {
        KuoSanCommand::SetUp();
        SetDiagramViewer({});
        kv::shell::SetReportView({});
        InstallReportPictureMaker();
        SetModuleTable(1);
        G_Project = CProject();
        frame = std::make_unique<CMainFrame>();
        InstallProjectCommands(*frame);
        // As the program's set-up does.
        SetModuleCommand(32790, [](CMainFrame& f) {
            KuoSanItem item{f.m_strItemTitle, f.m_strItemStem, f.m_bNewItem != 0};
            OnKuoSan(&f, item);
            f.m_strItemTitle = item.title;
        });
        frame->m_bProjectOpen = 1;
    }
    void TearDown() override {
        SetModuleCommand(32790, {});
        frame.reset();
        G_Project = CProject();
        SetModuleTable(0);
        KuoSanCommand::TearDown();
    }

    std::unique_ptr<CMainFrame> frame;
};

TEST_F(KuoSanProject, ANewItemListsItsSketchShowsItAndJoinsTheCombinedReport) {
    InstallStandIn();
    int row = -1;
    for (int i = 0; i < G_ModuleNum; ++i)
        if (G_Module[i].nID == 32790) row = i;
    ASSERT_GE(row, 0) << "单建式 has a 消波 row";
    G_Project.m_nSelected[static_cast<std::size_t>(row)] = 1;
    frame->OnBackToProject();
    CSplitterFrame* window = nullptr;
    for (CChildFrameBase* w : frame->Windows())
        if (w->GetDocument()->m_nModule == row) window = dynamic_cast<CSplitterFrame*>(w);
    ASSERT_NE(window, nullptr);
    const char* screenshot = std::getenv("KV_SCREENSHOT");
    if (screenshot) {  // as the user sees it: the window up before the item is added
        frame->resize(1280, 800);
        frame->show();
        window->showMaximized();
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
    }

    QString caption;
    OnNextModal([&](QDialog& dlg) {
        caption = dlg.windowTitle();
        kv::test::SetField(dlg, 1001, "主入口消波");
        kv::test::Click(dlg, 1);
    });
    window->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
    EXPECT_EQ(caption, "输入注释说明");
    EXPECT_TRUE(messages.shown().empty()) << messages.shown()[0].text;
    ASSERT_EQ(G_Project.m_nCount[static_cast<std::size_t>(row)], 1);

    // The window lists the item by its title and its one diagram.
    EXPECT_TRUE(window->ItemCombo()->currentText().contains("主入口消波")) << window->ItemCombo()->currentText().toStdString();
    ASSERT_EQ(window->ChaXunCombo()->count(), 1);
    EXPECT_EQ(window->ChaXunCombo()->itemText(0).trimmed(), "简图");

    // The drawing and the report views show the item.
    ASSERT_NE(G_pCxView, nullptr);
    ASSERT_NE(G_pCxView->Drawing(), nullptr);
    EXPECT_TRUE(HasText(*G_pCxView->Drawing(), "二级消波系统平面示意图"));
    ASSERT_NE(G_pBbView, nullptr);
    EXPECT_TRUE(G_pBbView->document()->toPlainText().contains("W1=2400 H1=3000 L1=2500"));

    if (screenshot) {
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
        EXPECT_TRUE(frame->grab().save(QString::fromLocal8Bit(screenshot)));
    }

    // The combined report takes the item's report in.
    program.Write("FM.RTF", "{\\rtf1\\ansi cover\\par}");
    CBbFrame reportWindow;
    G_pBbView = reportWindow.ReportView();
    reportWindow.OnMakeBaoBiao();
    QTextDocument combined;
    ASSERT_TRUE(kv::report::ui::LoadReport(&combined, QString::fromStdString(work / "BaoBiao.RTF"), true));
    EXPECT_TRUE(combined.toPlainText().contains("W2=2200 H2=3300 Hg2=6500 L2=1200"));
}

}  // namespace

// The project window as the engineer uses it: opening a project folder, choosing
// modules, the item list of each module window and its results.
#include "project/ui/projectcommands.h"

#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/moduletable.h"
#include "app/worksetting.h"
#include "base/globals.h"
#include "base/jsdata.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "project/project.h"
#include "support/env_guard.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"
#include "views/bbdoc.h"
#include "views/bbview.h"
#include "views/childframe.h"
#include "views/dialogs/jiantu.h"

#include <sys/stat.h>
#include <unistd.h>
#include "views/splitterframe.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `act` on the next modal dialog as soon as it is shown.
void OnNextModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start(10);
}

std::string GbkItemFile(const std::string& gbkName, int chaXunLines) {
    std::string text = "KV_DB_V30\r\n1,2\r\n";
    if (!gbkName.empty()) text += "##Name," + gbkName + "\r\n";
    for (int k = 1; k <= chaXunLines; ++k)
        text += "##ChaXun,R" + std::to_string(k) + ",d" + std::to_string(k) + ".DXF,r" + std::to_string(k) + ".RTF\r\n";
    return text;
}

class ProjectWindow : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        oldMessages = kv::platform::InstallMessageService(std::move(scripted));
        G_WorkSet = 0;
        SetModuleTable(0);
        G_Project = CProject();
        dir.MakeCurrent();
        G_strWorkPath = dir.path();
        frame = std::make_unique<CMainFrame>();
        InstallProjectCommands(*frame);
        frame->m_bProjectOpen = 1;
    }
    void TearDown() override {
        frame.reset();
        kv::platform::InstallMessageService(std::move(oldMessages));
        G_WorkSet = 0;
        SetModuleTable(0);
        G_Project = CProject();
        G_strWorkPath.clear();
    }
    CSplitterFrame* WindowOf(int row) {
        for (CChildFrameBase* w : frame->Windows())
            if (w->GetDocument()->m_nModule == row) return dynamic_cast<CSplitterFrame*>(w);
        return nullptr;
    }
    static QStringList Entries(QComboBox* combo) {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
        return out;
    }

    kv::test::TempFolder dir;
    kv::test::EnvGuard configHome{"XDG_CONFIG_HOME", dir / "config"};
    std::unique_ptr<CMainFrame> frame;
    kv::platform::ScriptedMessageService* messages = nullptr;
    std::unique_ptr<kv::platform::MessageService> oldMessages;
};

TEST_F(ProjectWindow, ListsEachModulesItemsByName) {
    G_Project.m_nSelected[0] = 1;
    G_Project.m_nSelected[2] = 1;
    G_Project.AddItem(0);                                                    // 1
    G_Project.AddItem(0);                                                    // 2
    G_Project.m_nItemNo[0][1] = 12;                                          // the second item is number 12
    dir.Write("&KV_0001.DAT", GbkItemFile("\xB6\xA5\xB0\xE5" "A", 2));          // 顶板A
    dir.Write("&kv_0012.dat", GbkItemFile("\xB5\xD8\xCF\xC2\xCA\xD2", 0));  // 地下室, lower-case name
    frame->OnBackToProject();

    CSplitterFrame* roof = WindowOf(0);
    ASSERT_NE(roof, nullptr);
    EXPECT_EQ(Entries(roof->ItemCombo()), (QStringList{"01  顶板A(&KV_0001.DAT)", "02  地下室(&KV_0012.DAT)"}));
    EXPECT_EQ(Entries(roof->ChaXunCombo()), (QStringList{"R1", "R2"}));  // the first item's results
    EXPECT_EQ(roof->GetDocument()->GetTitle(), "顶板");

    CSplitterFrame* floor = WindowOf(2);
    ASSERT_NE(floor, nullptr);
    EXPECT_EQ(floor->ItemCombo()->count(), 0);  // a module with no items
    EXPECT_EQ(floor->ChaXunCombo()->count(), 0);
    EXPECT_EQ(floor->GetDocument()->GetTitle(), "底板");
    EXPECT_EQ(WindowOf(1), nullptr);
}

TEST_F(ProjectWindow, ItemsWithoutNameOrFileListWithAnEmptyName) {
    G_Project.m_nSelected[1] = 1;
    G_Project.AddItem(1);
    G_Project.AddItem(1);
    dir.Write("&KV_0001.DAT", GbkItemFile("", 1));
    frame->OnBackToProject();
    CSplitterFrame* wall = WindowOf(1);
    ASSERT_NE(wall, nullptr);
    EXPECT_EQ(Entries(wall->ItemCombo()), (QStringList{"01  (&KV_0001.DAT)", "02  (&KV_0002.DAT)"}));
}

TEST_F(ProjectWindow, SelectingAnItemShowsItsResultsAndFiftyAtMost) {
    G_Project.m_nSelected[0] = 1;
    G_Project.AddItem(0);
    G_Project.AddItem(0);
    dir.Write("&KV_0001.DAT", GbkItemFile("a", 1));
    dir.Write("&KV_0002.DAT", GbkItemFile("b", 60));
    for (int k : {1, 35, 50}) dir.Write("r" + std::to_string(k) + ".RTF", "report " + std::to_string(k) + "\n");
    frame->OnBackToProject();
    CSplitterFrame* roof = WindowOf(0);
    ASSERT_NE(roof, nullptr);
    CBbDoc_KV* doc = roof->GetDocument();

    roof->ItemCombo()->setCurrentIndex(1);
    doc->OnSelchangeItem();
    EXPECT_EQ(doc->m_nCurItem, 1);
    EXPECT_EQ(roof->ChaXunCombo()->count(), 50);

    // Every one of the 50 results shows its own drawing and report.
    roof->ChaXunCombo()->setCurrentIndex(34);
    doc->OnSelchangeChaXun();
    EXPECT_EQ(roof->ReportView()->toPlainText(), "report 35\n");
    EXPECT_EQ(doc->GetPathName().toStdString(), dir / "r35.RTF");
    // An index past the entries read shows the last of them.
    doc->m_nCurChaXun = 70;
    doc->ShowChaXun();
    EXPECT_EQ(roof->ReportView()->toPlainText(), "report 50\n");

    roof->ChaXunCombo()->setCurrentIndex(0);
    doc->OnSelchangeChaXun();
    EXPECT_EQ(roof->ReportView()->toPlainText(), "report 1\n");
}

TEST_F(ProjectWindow, ANewItemIsSelectedLastWithoutReadingNames) {
    G_Project.m_nSelected[0] = 1;
    G_Project.AddItem(0);
    dir.Write("&KV_0001.DAT", GbkItemFile("a", 2));
    frame->OnBackToProject();
    CSplitterFrame* roof = WindowOf(0);
    ASSERT_NE(roof, nullptr);
    G_Project.AddItem(0);
    roof->GetDocument()->RefreshItemList(true, true);
    EXPECT_EQ(Entries(roof->ItemCombo()), (QStringList{"01  (&KV_0001.DAT)", "02  (&KV_0002.DAT)"}));
    EXPECT_EQ(roof->ItemCombo()->currentIndex(), 1);
    EXPECT_EQ(Entries(roof->ChaXunCombo()), (QStringList{"R1", "R2"}));  // still those of the item read before
}

TEST_F(ProjectWindow, AnItemWithoutResultsShowsNoOtherItemsResult) {
    G_Project.m_nSelected[0] = 1;
    G_Project.AddItem(0);
    G_Project.AddItem(0);
    dir.Write("&KV_0001.DAT", GbkItemFile("a", 1));
    dir.Write("&KV_0002.DAT", GbkItemFile("b", 0));
    dir.Write("r1.RTF", "report 1\n");
    frame->OnBackToProject();
    CSplitterFrame* roof = WindowOf(0);
    ASSERT_NE(roof, nullptr);
    CBbDoc_KV* doc = roof->GetDocument();
    doc->OnSelchangeItem();
    ASSERT_EQ(roof->ReportView()->toPlainText(), "report 1\n");
    roof->ItemCombo()->setCurrentIndex(1);
    doc->OnSelchangeItem();
    EXPECT_EQ(roof->ReportView()->toPlainText(), "");
    EXPECT_EQ(doc->GetDxf(), nullptr);
    EXPECT_TRUE(doc->GetPathName().isEmpty()) << doc->GetPathName().toStdString();
}

TEST_F(ProjectWindow, AnItemWhoseReportIsMissingSaysSoInsteadOfShowingTheLastOne) {
    G_Project.m_nSelected[0] = 1;
    G_Project.AddItem(0);
    G_Project.AddItem(0);
    dir.Write("&KV_0001.DAT", GbkItemFile("a", 1));
    dir.Write("&KV_0002.DAT", "KV_DB_V30\r\n##ChaXun,R1,gone.DXF,gone.RTF\r\n");
    dir.Write("r1.RTF", "report 1\n");
    frame->OnBackToProject();
    CSplitterFrame* roof = WindowOf(0);
    ASSERT_NE(roof, nullptr);
    CBbDoc_KV* doc = roof->GetDocument();
    doc->OnSelchangeItem();
    ASSERT_EQ(roof->ReportView()->toPlainText(), "report 1\n");

    roof->ItemCombo()->setCurrentIndex(1);
    doc->OnSelchangeItem();
    QString shown = roof->ReportView()->toPlainText();
    EXPECT_FALSE(shown.contains("report 1")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QString::fromStdString("计算书文件 " + (dir / "gone.RTF") + " 不存在"))) << shown.toStdString();
    EXPECT_FALSE(roof->ReportView()->document()->isModified());
    // Saving now must not write over the other item's report.
    EXPECT_TRUE(doc->GetPathName().isEmpty()) << doc->GetPathName().toStdString();
    EXPECT_EQ(doc->GetTitle().toStdString(), G_Module[0].name);
    EXPECT_EQ(dir.Read("r1.RTF"), "report 1\n");

    // Back to the first item: its report shows again.
    roof->ItemCombo()->setCurrentIndex(0);
    doc->OnSelchangeItem();
    EXPECT_EQ(roof->ReportView()->toPlainText(), "report 1\n");
}

TEST_F(ProjectWindow, AnItemWhoseReportCannotBeReadSaysSoInsteadOfShowingTheLastOne) {
    G_Project.m_nSelected[0] = 1;
    G_Project.AddItem(0);
    G_Project.AddItem(0);
    dir.Write("&KV_0001.DAT", GbkItemFile("a", 1));
    dir.Write("&KV_0002.DAT", "KV_DB_V30\r\n##ChaXun,R1,odd.DXF,odd.RTF\r\n");
    dir.Write("r1.RTF", "report 1\n");
    // A report the user may not read.
    if (::geteuid() == 0) GTEST_SKIP() << "root reads any file: run as another user to check an unreadable report";
    dir.Write("odd.RTF", "{\\rtf1 secret}");
    ASSERT_EQ(::chmod((dir / "odd.RTF").c_str(), 0), 0);
    frame->OnBackToProject();
    CSplitterFrame* roof = WindowOf(0);
    ASSERT_NE(roof, nullptr);
    CBbDoc_KV* doc = roof->GetDocument();
    doc->OnSelchangeItem();
    ASSERT_EQ(roof->ReportView()->toPlainText(), "report 1\n");

    roof->ItemCombo()->setCurrentIndex(1);
    doc->OnSelchangeItem();
    QString shown = roof->ReportView()->toPlainText();
    EXPECT_FALSE(shown.contains("report 1")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QString::fromStdString("计算书文件 " + (dir / "odd.RTF") + " 不能读取"))) << shown.toStdString();
    // Saving now must not write over the other item's report.
    EXPECT_TRUE(doc->GetPathName().isEmpty()) << doc->GetPathName().toStdString();
    EXPECT_EQ(dir.Read("r1.RTF"), "report 1\n");
}

TEST_F(ProjectWindow, AnItemsOnlyDiagramGoesToTheCurrentDrawingView) {
    G_Project.m_nSelected[0] = 1;
    frame->OnBackToProject();
    CSplitterFrame* roof = WindowOf(0);
    ASSERT_NE(roof, nullptr);
    roof->OnActivate();
    CJsBaseData one;
    one.SetJt(0, "弯矩图", "m.DXF", "r.RTF");
    ASSERT_EQ(roof->GetDocument()->GetDxf(), nullptr);
    EXPECT_EQ(ShowJianTu(&one), 1);
    EXPECT_NE(roof->GetDocument()->GetDxf(), nullptr);  // a missing file shows an empty drawing
}

TEST_F(ProjectWindow, TitlesCarryTheWorkSetting) {
    G_WorkSet = 2;
    SetModuleTable(2);
    G_Project.m_nSelected[0] = 1;
    frame->OnBackToProject();
    ASSERT_FALSE(frame->Windows().empty());
    CBbDoc_KV* doc = frame->Windows().front()->GetDocument();
    EXPECT_EQ(doc->GetTitle().toStdString(), std::string(G_Module[0].name) + " [成层式]");
}

TEST_F(ProjectWindow, OpeningAProjectReadsItsFileAndOpensTheChosenModules) {
    // A project folder written before: module 3 with items 4 and 9.
    CProject stored;
    stored.m_nSelected[3] = 1;
    stored.m_nCount[3] = 2;
    stored.m_nItemNo[3][0] = 4;
    stored.m_nItemNo[3][1] = 9;
    dir.Write("proj/GCXX.BOX", "\xC4\xB3\xB9\xA4\xB3\xCC\nP-1\n2026\n");
    ASSERT_TRUE(kv::platform::SetCurrentFolder(dir / "proj"));
    ASSERT_EQ(stored.WritePrj({"a", "b", "c", "d"}), 1);
    dir.MakeCurrent();
    frame->m_bProjectOpen = 0;
    G_strWorkPath = dir / "proj/";

    OnNextModal([this](QWidget* open) {
        ASSERT_EQ(open->objectName(), "8276");
        open->findChild<QPushButton*>("1")->click();
        OnNextModal([](QWidget* choose) {
            ASSERT_EQ(choose->objectName(), "8277");
            auto* list = choose->findChild<QListWidget*>("1201");
            EXPECT_TRUE(list->item(3)->isSelected());  // the flags of the project file
            list->item(5)->setSelected(true);
            choose->findChild<QPushButton*>("1")->click();
        });
    });
    frame->SendCommand(kv::cmd::kOpenProject);

    EXPECT_EQ(frame->m_bProjectOpen, 1);
    EXPECT_EQ(G_strWorkPath, dir / "proj/");
    EXPECT_EQ(kv::platform::CurrentFolder(), dir / "proj/");
    EXPECT_EQ(G_Project.m_strName, "某工程");
    EXPECT_EQ(G_Project.m_nItemNo[3][1], 9);
    EXPECT_EQ(G_Project.m_nSelected[5], 1);
    ASSERT_NE(WindowOf(3), nullptr);
    EXPECT_EQ(WindowOf(3)->ItemCombo()->count(), 2);
    ASSERT_NE(WindowOf(5), nullptr);
    EXPECT_TRUE(frame->windowTitle().contains(QString::fromStdString(dir / "proj/")));

    // Saving writes the project file of the open project into its folder.
    frame->SaveProject();
    CProject back;
    ASSERT_EQ(back.ReadPrj(), 1);
    EXPECT_EQ(back.m_nSelected[5], 1);
}

TEST_F(ProjectWindow, TheThirdItemReadsItsNameFromAWindowsItemFile) {
    G_Project.m_nSelected[0] = 1;
    for (int k = 0; k < 3; ++k) G_Project.AddItem(0);
    G_Project.m_nItemNo[0][2] = 12;
    // GBK with CR LF, under a lower-case name.
    dir.Write("&kv_0012.dat", "KV_DB_V30\r\n1,2\r\n##Name,\xB5\xD8\xCF\xC2\xCA\xD2\xB6\xA5\xB0\xE5\r\n");
    frame->OnBackToProject();
    ASSERT_NE(WindowOf(0), nullptr);
    EXPECT_EQ(WindowOf(0)->ItemCombo()->itemText(2), "03  地下室顶板(&KV_0012.DAT)");
}

// Opens the folder through the open-project dialog and chooses no further modules.
void OpenFolder(CMainFrame& frame, const std::string& folder) {
    OnNextModal([folder](QWidget* open) {
        open->findChild<QLineEdit*>("1088")->setText(QString::fromStdString(folder));
        open->findChild<QPushButton*>("1")->click();
        OnNextModal([](QWidget* choose) { choose->findChild<QPushButton*>("1")->click(); });
    });
    frame.SendCommand(kv::cmd::kOpenProject);
}

TEST_F(ProjectWindow, AFolderWithoutProjectFileOpensAsANewProject) {
    OpenFolder(*frame, dir / "a");
    G_Project.m_nSelected[0] = 1;
    G_Project.AddItem(0);
    G_Project.AddItem(0);
    OpenFolder(*frame, dir / "b");  // saves project a, then opens b
    EXPECT_EQ(G_Project.m_nCount[0], 0);
    EXPECT_EQ(G_Project.m_nItemNo[0][0], 0);
    EXPECT_EQ(G_Project.GetNewItemNo(), 1);
    frame->SaveProject();
    CProject b;
    ASSERT_EQ(b.ReadPrj(), 1);  // the current folder is b
    EXPECT_EQ(b.m_nCount[0], 0);

    ASSERT_TRUE(kv::platform::SetCurrentFolder(dir / "a"));
    CProject a;
    ASSERT_EQ(a.ReadPrj(), 1);
    EXPECT_EQ(a.m_nCount[0], 2);
}

TEST_F(ProjectWindow, ADamagedProjectFileIsKeptAsideAndReported) {
    dir.Write("c/Kavlund.PRJ", "not a project file");
    OpenFolder(*frame, dir / "c");
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_NE(messages->shown()[0].text.find("Kavlund.PRJ.bak"), std::string::npos);
    EXPECT_EQ(dir.Read("c/Kavlund.PRJ.bak"), "not a project file");
    EXPECT_EQ(G_Project.m_nCount[0], 0);

    // Where no copy can be made, the message does not claim one.
    dir.Write("d/Kavlund.PRJ", "not a project file");
    dir.Write("d/Kavlund.PRJ.bak/x", "");
    OpenFolder(*frame, dir / "d");
    ASSERT_EQ(messages->shown().size(), 2u);
    EXPECT_NE(messages->shown()[1].text.find("不能另存"), std::string::npos);
}

TEST_F(ProjectWindow, AFolderThatCannotBeMadeIsReportedAndTheOpenProjectStays) {
    OpenFolder(*frame, dir / "a");
    G_Project.AddItem(0);
    dir.Write("file", "x");
    OnNextModal([this](QWidget* open) {
        open->findChild<QLineEdit*>("1088")->setText(QString::fromStdString(dir / "file/sub"));  // below a file
        open->findChild<QPushButton*>("1")->click();
    });
    frame->SendCommand(kv::cmd::kOpenProject);
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_NE(messages->shown()[0].text.find(dir / "file/sub"), std::string::npos);
    EXPECT_EQ(G_strWorkPath, dir / "a/");
    EXPECT_EQ(kv::platform::CurrentFolder(), dir / "a/");
    EXPECT_EQ(G_Project.m_nCount[0], 1);
    EXPECT_EQ(frame->m_bProjectOpen, 1);
}

TEST_F(ProjectWindow, WindowsOfTheProjectLeftAreNotKeptWhenTheModuleChoiceIsCancelled) {
    dir.Write("a/&KV_0001.DAT", GbkItemFile("a", 1));
    OpenFolder(*frame, dir / "a");
    G_Project.m_nSelected[0] = 1;
    G_Project.AddItem(0);
    frame->OnBackToProject();
    ASSERT_NE(WindowOf(0), nullptr);
    ASSERT_EQ(WindowOf(0)->ItemCombo()->count(), 1);

    OnNextModal([this](QWidget* open) {
        open->findChild<QLineEdit*>("1088")->setText(QString::fromStdString(dir / "b"));
        open->findChild<QPushButton*>("1")->click();
        OnNextModal([](QWidget* choose) { choose->findChild<QPushButton*>("2")->click(); });
    });
    frame->SendCommand(kv::cmd::kOpenProject);
    ASSERT_EQ(G_strWorkPath, dir / "b/");
    for (CChildFrameBase* w : frame->Windows()) {
        auto* window = dynamic_cast<CSplitterFrame*>(w);
        ASSERT_NE(window, nullptr);
        int row = window->GetDocument()->m_nModule;
        EXPECT_EQ(window->ItemCombo()->count(), G_Project.m_nCount[static_cast<std::size_t>(row)]) << row;
    }
}

TEST_F(ProjectWindow, AProjectFileThatCannotBeWrittenIsReported) {
    OpenFolder(*frame, dir / "a");
    frame->SaveProject();
    EXPECT_TRUE(messages->shown().empty());
    ASSERT_EQ(chmod((dir / "a/Kavlund.PRJ").c_str(), 0444), 0);
    frame->SaveProject();
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_EQ(messages->shown()[0].text, "不能保存文件 : " + dir / "a/Kavlund.PRJ");
}

TEST_F(ProjectWindow, ACancelledSwitchOfWorkSettingPutsEverythingBack) {
    G_strWorkPath = dir / "basement/";
    OnNextModal([](QWidget* open) { open->findChild<QPushButton*>("2")->click(); });
    frame->OnWorkSet(1);
    EXPECT_EQ(G_WorkSet, 0);
    EXPECT_EQ(G_ModuleNum, 16);
    EXPECT_EQ(G_strWorkPath, dir / "basement/");
}

TEST_F(ProjectWindow, CancellingTheDialogChangesNothing) {
    G_Project.m_nSelected[0] = 1;
    G_Project.AddItem(0);
    OnNextModal([](QWidget* open) { open->findChild<QPushButton*>("2")->click(); });
    frame->SendCommand(kv::cmd::kOpenProject);
    EXPECT_EQ(G_Project.m_nCount[0], 1);
    EXPECT_TRUE(frame->Windows().empty());
    EXPECT_EQ(G_strWorkPath, dir.path());
}

}  // namespace

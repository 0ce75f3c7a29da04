#include "app/commandids.h"
#include "app/kvapp.h"
#include "app/mainframe.h"
#include "app/moduletable.h"
#include "app/worksetting.h"
#include "base/error.h"
#include "base/globals.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/services.h"
#include "support/env_guard.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"
#include "views/bbdoc.h"
#include "views/bbview.h"
#include "views/childframe.h"
#include "views/cxview.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using namespace kv::cmd;

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        configFolder_ = config_ / "kv/";
        auto messages = std::make_unique<kv::platform::ScriptedMessageService>();
        messages_ = messages.get();
        oldMessages_ = kv::platform::InstallMessageService(std::move(messages));
        G_WorkSet = 0;
        SetModuleTable(0);
        G_strWorkPath = "/projects/basement/";
        kv::app::WorkSetSwitch() = {};
        frame_ = std::make_unique<CMainFrame>();
    }
    void TearDown() override {
        frame_.reset();
        kv::platform::InstallMessageService(std::move(oldMessages_));
        SetModuleTable(0);
        G_WorkSet = 0;
    }

    bool IniExists(const char* name) const { return std::filesystem::exists(configFolder_ + name); }
    std::vector<QString> MenuTitles() const {
        std::vector<QString> titles;
        for (QAction* a : frame_->menuBar()->actions()) titles.push_back(a->text());
        return titles;
    }
    std::vector<int> ButtonIds(int bar) const {
        std::vector<int> ids;
        for (QAction* a : frame_->ToolBar(bar)->actions()) ids.push_back(a->data().toInt());
        return ids;
    }
    void ExpectBars(bool start, bool report, bool member, bool load) const {
        EXPECT_EQ(!frame_->ToolBar(136)->isHidden(), start);
        EXPECT_EQ(!frame_->ToolBar(193)->isHidden(), report);
        EXPECT_EQ(!frame_->ToolBar(191)->isHidden(), member);
        EXPECT_EQ(!frame_->ToolBar(192)->isHidden(), load);
    }

    kv::test::TempFolder config_;
    kv::test::EnvGuard configHome_{"XDG_CONFIG_HOME", config_.path()};
    std::string configFolder_;
    kv::platform::ScriptedMessageService* messages_ = nullptr;
    std::unique_ptr<kv::platform::MessageService> oldMessages_;
    std::unique_ptr<CMainFrame> frame_;
};

TEST_F(MainFrameTest, ToolbarsCarryTheirCommandsInOrder) {
    EXPECT_EQ(ButtonIds(136), (std::vector<int>{57665, 32842, 32836, 32837, 57013, 57014, 57015, 57016, 57017,
                                                57018, 57019}));
    EXPECT_EQ(ButtonIds(193), (std::vector<int>{32838, 32839, 32840, 32869}));
    EXPECT_EQ(ButtonIds(191), (std::vector<int>{32838, 32809, 32844, 32846, 32788, 32845, 32794, 32843, 32810,
                                                32811, 32812, 32830, 32793, 32796, 32786}));
    EXPECT_EQ(ButtonIds(192), (std::vector<int>{32774, 32783, 32772, 32775, 32776, 32777, 32778}));
    EXPECT_EQ(frame_->ToolBar(191)->windowTitle().toStdString(), "人防内力配筋计算");
    EXPECT_EQ(frame_->ToolBar(192)->windowTitle().toStdString(), "人防荷载计算[GB50038-2005]");
}

TEST_F(MainFrameTest, EachModeShowsItsBarsAndMenu) {
    frame_->m_bProjectOpen = 1;
    frame_->UpdateCommandUI();
    // Start: project mode, no window, the main frame's own menu.
    ExpectBars(true, false, false, true);
    EXPECT_EQ(frame_->CurrentMenuId(), 136);
    EXPECT_EQ(MenuTitles(), (std::vector<QString>{"文件(&F)", "显示控制(&D)", "帮助"}));

    frame_->SendCommand(kJss);
    EXPECT_EQ(frame_->m_nMode, CMainFrame::kModeReport);
    EXPECT_EQ(frame_->m_bProjectMode, 0);
    ExpectBars(false, true, false, false);
    ASSERT_EQ(frame_->Windows().size(), 1u);
    EXPECT_EQ(frame_->Windows()[0]->TemplateId(), kTemplateReport);
    EXPECT_EQ(MenuTitles(), (std::vector<QString>{"控制[&C]", "计算书[&J]", "文字编辑[&T]", "帮助"}));

    frame_->SendCommand(kBackToProject);
    frame_->SendCommand(kDxjs);
    EXPECT_EQ(frame_->m_nMode, CMainFrame::kModeSingle);
    EXPECT_EQ(frame_->m_bProjectMode, 0);
    ExpectBars(false, false, true, true);
    ASSERT_EQ(frame_->Windows().size(), 1u);
    EXPECT_EQ(frame_->Windows()[0]->TemplateId(), kTemplateSingle);
    EXPECT_EQ(MenuTitles(), (std::vector<QString>{"控制(&C)", "荷载计算[&H]", "内力配筋[&N]", "图形查询[&G]",
                                                  "文字编辑[&T]", "帮助"}));

    // 返回 with no module chosen: every window closes and none opens.
    frame_->SendCommand(kBackToProject);
    EXPECT_EQ(frame_->m_nMode, CMainFrame::kModeProject);
    EXPECT_EQ(frame_->m_bProjectMode, 1);
    ExpectBars(true, false, false, true);
    EXPECT_TRUE(frame_->Windows().empty());
    EXPECT_EQ(frame_->CurrentMenuId(), 136);
}

TEST_F(MainFrameTest, ProjectCommandsWorkOnlyWhileAProjectIsOpen) {
    int selects = 0;
    frame_->SetCommandHandler(kSelectItems, [&] { ++selects; });
    // Every menu item and button of the command, all in one state.
    auto actionsEnabled = [&](int id) {
        int enabled = 0, count = 0;
        for (QAction* a : frame_->findChildren<QAction*>())
            if (a->data().toInt() == id) ++count, enabled += a->isEnabled();
        EXPECT_GT(count, 0);
        EXPECT_TRUE(enabled == 0 || enabled == count) << id;
        return enabled == count;
    };
    for (int id : {kJss, kDxjs, kSelectItems}) {
        EXPECT_FALSE(frame_->IsCommandEnabled(id)) << id;
        EXPECT_FALSE(actionsEnabled(id)) << id;
        frame_->SendCommand(id);
    }
    EXPECT_EQ(frame_->m_nMode, CMainFrame::kModeProject);
    EXPECT_TRUE(frame_->Windows().empty());
    EXPECT_EQ(selects, 0);

    frame_->m_bProjectOpen = 1;
    frame_->UpdateCommandUI();
    for (int id : {kJss, kDxjs, kSelectItems}) {
        EXPECT_TRUE(frame_->IsCommandEnabled(id)) << id;
        EXPECT_TRUE(actionsEnabled(id)) << id;
    }
    frame_->SendCommand(kSelectItems);
    EXPECT_EQ(selects, 1);
}

TEST_F(MainFrameTest, CommandsWithoutAHandlerAreDisabled) {
    // The module commands arrive with their modules; until then their buttons are grey.
    EXPECT_FALSE(frame_->IsCommandEnabled(32809));
    int runs = 0;
    frame_->SetCommandHandler(32809, [&] { ++runs; });
    EXPECT_TRUE(frame_->IsCommandEnabled(32809));
    frame_->SendCommand(32809);
    EXPECT_EQ(runs, 1);
}

TEST_F(MainFrameTest, ReturningToProjectOpensOneWindowPerChosenModule) {
    std::vector<int> filled;
    frame_->SetProjectLink({[](int row) { return row == 0 || row == 3 || row == 15; },
                            [&](CBbDoc_KV& doc) { filled.push_back(doc.m_nModule); }, {}});
    frame_->show();
    frame_->SendCommand(kBackToProject);
    auto windows = frame_->Windows();
    ASSERT_EQ(windows.size(), 3u);
    const char* titles[] = {"顶板", "临空墙", "柱截面配筋"};
    const int rows[] = {0, 3, 15};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(windows[i]->TemplateId(), kTemplateProject);
        EXPECT_EQ(windows[i]->GetDocument()->GetTitle().toStdString(), titles[i]);
        EXPECT_EQ(windows[i]->windowTitle().toStdString(), titles[i]);
        EXPECT_EQ(windows[i]->GetDocument()->m_nModule, rows[i]);
    }
    EXPECT_EQ(filled, (std::vector<int>{0, 3, 15}));
    EXPECT_EQ(frame_->CurrentMenuId(), 129);
    // Cascaded: each window starts lower and further right than the one before.
    EXPECT_LT(windows[0]->pos().y(), windows[1]->pos().y());
    EXPECT_LT(windows[1]->pos().y(), windows[2]->pos().y());
}

TEST_F(MainFrameTest, ClosingTheLastWindowBringsBackTheStartMenu) {
    frame_->SetProjectLink({[](int row) { return row == 2; }, {}, {}});
    frame_->show();
    frame_->SendCommand(kBackToProject);
    ASSERT_EQ(frame_->CurrentMenuId(), 129);
    ASSERT_TRUE(frame_->Windows()[0]->close());
    EXPECT_TRUE(frame_->Windows().empty());
    EXPECT_EQ(frame_->CurrentMenuId(), 136);
}

TEST_F(MainFrameTest, CancelledSwitchRestoresSettingTableAndFolder) {
    ASSERT_TRUE(kv::platform::WritePrivateProfileString("CurWorkSeting", "CurWorkPath", "/projects/dj/", "KV_DJ.INI"));
    frame_->m_bProjectOpen = 1;
    int savedWithRows = -1;
    frame_->SetProjectLink({{}, {}, [&] { savedWithRows = G_ModuleNum; }});
    struct Seen {
        int workSet, rows;
        std::string path;
    } seen{-1, -1, ""};
    // The open-project dialog is cancelled.
    frame_->SetCommandHandler(kOpenProject, [&] {
        seen = {G_WorkSet, G_ModuleNum, G_strWorkPath};
        frame_->OnOpenProjectCancelled();
    });

    frame_->SendCommand(kWorkSetDj);

    EXPECT_EQ(seen.workSet, 1);
    EXPECT_EQ(seen.rows, 9);
    EXPECT_EQ(seen.path, "/projects/dj/");
    EXPECT_EQ(savedWithRows, 16);  // the project file was saved before the table changed
    EXPECT_EQ(G_WorkSet, 0);
    EXPECT_EQ(G_ModuleNum, 16);
    EXPECT_STREQ(G_Module[1].name, "外墙");
    EXPECT_EQ(G_Module[15].nID, 32796);
    EXPECT_EQ(G_Module[16].nID, 0);
    EXPECT_EQ(G_strWorkPath, "/projects/basement/");
    EXPECT_EQ(kv::app::WorkSetSwitch().switching, 0);
    for (int id : {kWorkSetDj, kWorkSetCc, kWorkSetKd}) {
        for (QAction* a : frame_->findChildren<QAction*>()) {
            if (a->data().toInt() == id) {
                EXPECT_FALSE(a->isChecked()) << id;
            }
        }
    }
}

TEST_F(MainFrameTest, ASwitchSavesTheProjectFileOnceWithTheNamesOfTheSettingLeft) {
    // The open-project command saves the open project before its dialog, as it does
    // outside a switch; within a switch the table has already changed by then.
    for (bool accept : {false, true}) {
        SCOPED_TRACE(accept ? "accepted" : "cancelled");
        G_WorkSet = 0;
        SetModuleTable(0);
        frame_->m_bProjectOpen = 1;
        std::vector<std::string> savedSecondRow;
        frame_->SetProjectLink({{}, {}, [&] { savedSecondRow.push_back(G_Module[1].name); }});
        frame_->SetCommandHandler(kOpenProject, [&] {
            frame_->SaveAllModified();
            frame_->SaveProject();
            if (!accept) frame_->OnOpenProjectCancelled();
        });
        frame_->SendCommand(kWorkSetDj);
        EXPECT_EQ(savedSecondRow, (std::vector<std::string>{"外墙"}));
        // Outside a switch the command saves again.
        frame_->SendCommand(kOpenProject);
        EXPECT_EQ(savedSecondRow.size(), 2u);
    }
}

TEST_F(MainFrameTest, SwitchingToTheCurrentSettingOpensNoDialog) {
    int opens = 0, saves = 0;
    frame_->m_bProjectOpen = 1;
    frame_->SetProjectLink({{}, {}, [&] { ++saves; }});
    frame_->SetCommandHandler(kOpenProject, [&] { ++opens; });  // accepted: the switch stays
    frame_->SendCommand(kWorkSetCc);
    EXPECT_EQ(G_WorkSet, 2);
    EXPECT_EQ(G_ModuleNum, 9);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(saves, 1);
    frame_->SendCommand(kWorkSetCc);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(G_WorkSet, 2);
}

TEST_F(MainFrameTest, ClosingWithoutAProjectWritesNothing) {
    int saves = 0;
    frame_->SetProjectLink({{}, {}, [&] { ++saves; }});
    frame_->show();
    EXPECT_TRUE(frame_->close());
    EXPECT_FALSE(IniExists("KV.INI"));
    EXPECT_EQ(saves, 0);
}

TEST_F(MainFrameTest, ClosingWritesOnlyTheCurrentSettingsIniThenSavesTheProject) {
    frame_->m_bProjectOpen = 1;
    std::string iniAtSave;
    int saves = 0;
    frame_->SetProjectLink({{}, {}, [&] {
                                ++saves;
                                iniAtSave = kv::platform::GetPrivateProfileString("CurWorkSeting", "CurWorkPath",
                                                                                  "", "KV_CC.INI");
                            }});
    frame_->SetCommandHandler(kOpenProject, [&] { G_strWorkPath = "/projects/layered/"; });
    frame_->SendCommand(kWorkSetCc);
    ASSERT_EQ(saves, 1);
    frame_->show();
    EXPECT_TRUE(frame_->close());
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(iniAtSave, "/projects/layered/");  // written before the project file
    EXPECT_FALSE(IniExists("KV.INI"));
    EXPECT_FALSE(IniExists("KV_DJ.INI"));
    EXPECT_FALSE(IniExists("KV_KD.INI"));
}

TEST_F(MainFrameTest, TheMessagePaneSaysReadyAgainAfterAPrompt) {
    frame_->show();
    QStatusBar* bar = frame_->statusBar();
    QLabel* idle = frame_->StatusPane(0);
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(idle->text().toStdString(), "就绪");
    // A menu item's prompt covers it while the item is under the pointer.
    bar->showMessage("打开工程");
    EXPECT_FALSE(idle->isVisible());
    bar->clearMessage();
    EXPECT_TRUE(idle->isVisible());
}

TEST_F(MainFrameTest, HelpOpensTheHelpFileOrSaysItIsMissing) {
    kv::test::TempFolder program;
    G_strExePath = program.path();
    auto processes = std::make_unique<kv::platform::RecordingProcessService>();
    auto* recorded = processes.get();
    auto oldProcesses = kv::platform::InstallProcessService(std::move(processes));

    frame_->SendCommand(kHelpIndex);
    ASSERT_EQ(messages_->shown().size(), 1u);
    EXPECT_NE(messages_->shown()[0].text.find("kavlund.chm"), std::string::npos);
    EXPECT_TRUE(recorded->opened.empty());

    std::ofstream(G_strExePath + "kavlund.chm") << "help";
    frame_->SendCommand(kHelpIndex);
    ASSERT_EQ(recorded->opened.size(), 1u);
    EXPECT_EQ(recorded->opened[0], G_strExePath + "kavlund.chm");
    EXPECT_EQ(messages_->shown().size(), 1u);

    recorded->openSucceeds = false;
    frame_->SendCommand(kHelpIndex);
    EXPECT_EQ(messages_->shown().size(), 2u);
    kv::platform::InstallProcessService(std::move(oldProcesses));
}

TEST_F(MainFrameTest, ShowMessageSendsAnEmptyNotice) {
    kv::err::ClearRecentLines();
    frame_->SendCommand(kShowMessage);
    ASSERT_FALSE(kv::err::RecentLines().empty());
    EXPECT_EQ(kv::err::RecentLines().back().code, 0);
    EXPECT_EQ(kv::err::RecentLines().back().text, " \n");
}

TEST_F(MainFrameTest, AcceleratorsSendTheirCommands) {
    const std::pair<const char*, int> table[] = {
        {"Ctrl+C", 57634}, {"Ctrl+Ins", 57634}, {"Ctrl+V", 57637}, {"Shift+Ins", 57637},
        {"Ctrl+X", 57635}, {"Shift+Del", 57635}, {"Ctrl+Z", 57643}, {"Alt+Backspace", 57643},
        {"Ctrl+P", 57607}, {"F6", 57680},        {"Shift+F6", 57681},
        // the keys the text menu shows for finding and replacing
        {"Ctrl+F", 57636}, {"F3", 57640},        {"Ctrl+H", 57641}};
    for (const auto& [keys, id] : table) {
        int found = 0;
        for (QAction* a : frame_->actions())
            if (a->shortcut() == QKeySequence(keys)) found = a->data().toInt();
        EXPECT_EQ(found, id) << keys;
    }
}

TEST_F(MainFrameTest, FindKeysShownInTheTextMenuWorkInTheReport) {
    frame_->SetProjectLink({[](int row) { return row < 1; }, {}, {}});
    frame_->show();
    frame_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    frame_->SendCommand(kBackToProject);
    ASSERT_FALSE(frame_->Windows().empty());
    CBbView_KV* view = frame_->Windows().front()->ReportView();
    view->setPlainText("顶板 配筋 顶板");
    view->setFocus();

    QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
    auto* find = view->findChild<QDialog*>();
    ASSERT_NE(find, nullptr) << "Ctrl+F opened no find dialog";
    EXPECT_TRUE(find->isVisible());
    auto* findText = find->findChild<QLineEdit*>("find");
    ASSERT_NE(findText, nullptr);
    EXPECT_EQ(find->findChild<QLineEdit*>("replace"), nullptr);

    findText->setText("顶板");
    view->activateWindow();
    view->setFocus();
    QTextCursor caret = view->textCursor();
    caret.setPosition(1);
    view->setTextCursor(caret);
    QTest::keyClick(view, Qt::Key_F3);
    EXPECT_EQ(view->textCursor().selectedText(), QString("顶板"));
    EXPECT_EQ(view->textCursor().selectionStart(), 6) << "F3 found the next match after the caret";

    QTest::keyClick(view, Qt::Key_H, Qt::ControlModifier);
    auto* replace = view->findChild<QLineEdit*>("replace");
    ASSERT_NE(replace, nullptr) << "Ctrl+H opened no replace dialog";
    EXPECT_TRUE(replace->isVisible());
}

TEST_F(MainFrameTest, CurrentViewsFollowTheActiveProjectWindow) {
    frame_->SetProjectLink({[](int row) { return row < 2; }, {}, {}});
    frame_->show();
    frame_->SendCommand(kBackToProject);
    auto windows = frame_->Windows();
    ASSERT_EQ(windows.size(), 2u);
    frame_->MdiArea()->setActiveSubWindow(windows[0]);
    EXPECT_EQ(G_pBbView, windows[0]->ReportView());
    EXPECT_EQ(G_pCxView, windows[0]->DrawingView());
    frame_->MdiArea()->setActiveSubWindow(windows[1]);
    EXPECT_EQ(G_pBbView, windows[1]->ReportView());
    // Leaving project mode closes the windows: the globals do not keep them.
    frame_->m_bProjectOpen = 1;
    frame_->SendCommand(kJss);
    EXPECT_EQ(G_pCxView, nullptr);
    EXPECT_EQ(G_pBbView, frame_->Windows()[0]->ReportView());
}

}  // namespace

namespace {

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        G_strWorkPath = "stale";
        G_strExePath.clear();
    }
    kv::test::TempFolder config_;
    kv::test::EnvGuard configHome_{"XDG_CONFIG_HOME", config_.path()};
};

TEST_F(StartUpTest, ReadsTheWorkFolderShowsTheFrameAndAsksForAProject) {
    ASSERT_TRUE(kv::platform::WritePrivateProfileString("CurWorkSeting", "CurWorkPath", "/home/eng/人防/", "KV.INI"));
    CKVApp app;
    std::string pathAtOpen;
    int opens = 0;
    app.AddFrameSetup([&](CMainFrame& frame) {
        frame.SetCommandHandler(kv::cmd::kOpenProject, [&] {
            ++opens;
            pathAtOpen = G_strWorkPath;
        });
    });
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(pathAtOpen, "/home/eng/人防/");
    EXPECT_EQ(G_WorkSet, 0);
    EXPECT_EQ(G_strExePath, kv::platform::ProgramFolder());
    ASSERT_NE(app.MainFrame(), nullptr);
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_TRUE(app.MainFrame()->isMaximized());
    EXPECT_TRUE(app.MainFrame()->IsCommandEnabled(kv::cmd::kAppAbout));
}

TEST_F(StartUpTest, WithoutAnIniFileTheWorkFolderIsEmpty) {
    CKVApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(G_strWorkPath, "");
    // The open-project command exists and, without its dialog, leaves everything as it was.
    EXPECT_EQ(app.MainFrame()->m_bProjectOpen, 0);
    EXPECT_EQ(G_ModuleNum, 16);
}

}  // namespace

// Running items of a project window: 计算, 新增 and 删除 on the dialog bar, the
// module command that binds a module's data object to the item, and storing it.
#include "project/ui/modulecommands.h"
#include "project/ui/projectcommands.h"

#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/moduletable.h"
#include "base/calcrunner.h"
#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "project/project.h"
#include "support/env_guard.h"
#include "support/qt_app.h"
#include "support/temp_folder.h"
#include "views/bbdoc.h"
#include "views/bbview.h"
#include "views/childframe.h"
#include "views/dialogs/checkdatasaved.h"
#include "views/dialogs/jiantu.h"
#include "views/splitterframe.h"
#include "widgets/ui/calcrunner.h"

#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

// A module's data object: one value of its own before the common block; its stem
// names its diagram and report.
class FakeData : public CJsBaseData {
public:
    int span = 0;
    int LoadData(const char* path) override {
        std::FILE* fp = open_file_no_comment(path, "rt");
        if (!fp) return 0;
        // Like a module reader: a file that is not its own is refused unread.
        std::string line;
        int read = 0;
        if (!fgets_skip_comment(line, 100, fp) || std::sscanf(line.c_str(), "FAKE,%d", &read) != 1) {
            close_file(fp);
            return 0;
        }
        span = read;
        CJsBaseData::LoadData(fp);
        close_file(fp);
        return 1;
    }
    int SaveData(const char* path) override {
        std::FILE* fp = open_file_no_comment(path, "wt");
        if (!fp) return 0;
        std::fprintf(fp, "FAKE,%d\n", span);
        CJsBaseData::SaveData(fp);
        return commit_file(fp) == 0 ? 1 : 0;
    }
    void SetFileName(const std::string& stem) override {
        CJsBaseData::SetFileName(stem);
        m_nJtNum = 0;
        SetJt(0, "弯矩图", stem + "_M.DXF", stem + ".RTF");
    }
};

// 弯矩图 as the data file holds it (GBK).
const std::string kMomentGbk = "\xCD\xE4\xBE\xD8\xCD\xBC";

// What the scripted dialog saw when it was shown.
struct Seen {
    QWidget* parent = nullptr;
    int span = 0;
    std::string name, stem, itemTitle, itemStem;
    int newItem = -1;
};

class ItemCommands : public ::testing::Test {
protected:
    void SetUp() override {
        kv::test::EnsureQtApp();
        auto scripted = std::make_unique<kv::platform::ScriptedMessageService>();
        messages = scripted.get();
        oldMessages = kv::platform::InstallMessageService(std::move(scripted));
        oldSink = kv::err::SetSink([this](int code, const std::string& text) { channel.push_back({code, text}); });
        SetModuleTable(0);
        G_Project = CProject();
        dir.MakeCurrent();
        G_strWorkPath = dir.path();
        data = FakeData();
        frame = std::make_unique<CMainFrame>();
        InstallProjectCommands(*frame);
        frame->m_bProjectOpen = 1;
        // The roof-slab module: its dialog is a script.
        SetModuleCommand(32809, [this](CMainFrame& f) {
            RunModuleCommand(f, data, [this](QWidget* parent, FakeData& d) { return Dialog(parent, d); }, options);
        });
    }
    void TearDown() override {
        SetModuleCommand(32809, {});
        frame.reset();
        kv::err::SetSink(std::move(oldSink));
        kv::platform::InstallMessageService(std::move(oldMessages));
        G_Project = CProject();
        G_strWorkPath.clear();
    }

    int Dialog(QWidget* parent, FakeData& d) {
        seen.push_back({parent, d.span, d.m_strName, d.m_strStem, frame->m_strItemTitle, frame->m_strItemStem,
                        frame->m_bNewItem});
        if (onDialog) return onDialog(d);
        return QDialog::Rejected;
    }

    // The roof-slab window of the project, with `items` items whose files hold
    // span 10 * number.
    CSplitterFrame* RoofWindow(int items) {
        G_Project.m_nSelected[0] = 1;
        for (int k = 0; k < items; ++k) {
            int no = G_Project.AddItem(0);
            dir.Write(CProject::ItemStem(no) + ".dat",
                      "FAKE," + std::to_string(10 * no) + "\n##Name,item" + std::to_string(no) + "\n");
        }
        frame->OnBackToProject();
        for (CChildFrameBase* w : frame->Windows())
            if (w->GetDocument()->m_nModule == 0) return dynamic_cast<CSplitterFrame*>(w);
        return nullptr;
    }
    static void Click(CSplitterFrame* window, int id) { window->findChild<QPushButton*>(QString::number(id))->click(); }
    static QStringList Entries(QComboBox* combo) {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
        return out;
    }
    void CalculateADamagedItemAfterAGoodOne();
    int Count(int code) const {
        int n = 0;
        for (const kv::err::Line& line : channel) n += line.code == code;
        return n;
    }

    kv::test::TempFolder dir;
    kv::test::EnvGuard configHome{"XDG_CONFIG_HOME", dir / "config"};
    std::unique_ptr<CMainFrame> frame;
    kv::platform::ScriptedMessageService* messages = nullptr;
    std::unique_ptr<kv::platform::MessageService> oldMessages;
    kv::err::Sink oldSink;
    std::vector<kv::err::Line> channel;
    FakeData data;
    ModuleCommandOptions options;
    std::function<int(FakeData&)> onDialog;
    std::vector<Seen> seen;
};

TEST_F(ItemCommands, CalculateBindsTheItemAndANewItemStartsAsACopyOfTheLastOne) {
    CSplitterFrame* roof = RoofWindow(2);
    ASSERT_NE(roof, nullptr);
    roof->ItemCombo()->setCurrentIndex(1);
    // The dialog calculates and stores a changed value into the item.
    onDialog = [](FakeData& d) {
        d.span = 25;
        EXPECT_EQ(CBbDoc_KV::StoreItemData(&d), 1);
        return QDialog::Accepted;
    };
    Click(roof, kv::cmd::kCalculate);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].parent, frame.get());
    EXPECT_EQ(seen[0].span, 20);  // read from item 2's file
    EXPECT_EQ(seen[0].name, "item2");
    EXPECT_EQ(seen[0].stem, "&KV_0002");
    EXPECT_EQ(seen[0].itemTitle, "顶板 2");
    EXPECT_EQ(seen[0].newItem, 0);
    EXPECT_EQ(frame->m_nModuleFlag, 1);
    EXPECT_EQ(dir.Read("&KV_0002.dat"), "FAKE,25\n##Name,item2\n##ChaXun," + kMomentGbk + ",&KV_0002_M.DXF,&KV_0002.RTF\n");
    EXPECT_EQ(Count(-8899), 1);

    // 新增, then Cancel: the new item keeps the file written before its dialog.
    onDialog = nullptr;
    Click(roof, kv::cmd::kAddItem);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].itemTitle, "顶板 3");
    EXPECT_EQ(seen[1].newItem, 1);
    EXPECT_EQ(seen[1].span, 25);
    EXPECT_EQ(dir.Read("&KV_0003.dat"), "FAKE,25\n##Name,\xB6\xA5\xB0\xE5 3\n##ChaXun," + kMomentGbk + ",&KV_0003_M.DXF,&KV_0003.RTF\n");
    EXPECT_EQ(G_Project.m_nCount[0], 3);
    EXPECT_EQ(Entries(roof->ItemCombo()),
              (QStringList{"01  item1(&KV_0001.DAT)", "02  item2(&KV_0002.DAT)", "03  顶板 3(&KV_0003.DAT)"}));
    EXPECT_EQ(roof->ItemCombo()->currentIndex(), 2);
    EXPECT_EQ(roof->GetDocument()->GetTitle(), "顶板");
    EXPECT_EQ(Count(-8899), 2);
    EXPECT_TRUE(messages->shown().empty());
}

// Item 1 is calculated first, so the object holds its values; item 2's file is
// damaged. No way of storing may put item 1's values into item 2's file.
void ItemCommands::CalculateADamagedItemAfterAGoodOne() {
    CSplitterFrame* roof = RoofWindow(2);
    ASSERT_NE(roof, nullptr);
    const std::string damaged = "garbage\n##Name,item2\n";
    dir.Write("&KV_0002.dat", damaged);
    onDialog = [](FakeData& d) {
        EXPECT_EQ(CBbDoc_KV::StoreItemData(&d), 1);
        return QDialog::Accepted;
    };
    roof->ItemCombo()->setCurrentIndex(0);
    Click(roof, kv::cmd::kCalculate);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].span, 10);

    roof->ItemCombo()->setCurrentIndex(1);
    Click(roof, kv::cmd::kCalculate);
    EXPECT_EQ(seen.size(), 1u);  // no dialog on item 1's values
    EXPECT_EQ(dir.Read("&KV_0002.dat"), damaged);
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_NE(messages->shown()[0].text.find("&KV_0002.dat"), std::string::npos);

    // A missing file is no one's data: the item opens and its file is written.
    std::remove((dir / "&KV_0002.dat").c_str());
    Click(roof, kv::cmd::kCalculate);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].itemTitle, "顶板 2");
    EXPECT_EQ(dir.Read("&KV_0002.dat").rfind("FAKE,10\n", 0), 0u);
}

TEST_F(ItemCommands, ADamagedItemFileIsNeitherOpenedOnAnotherItemsValuesNorOverwritten) {
    CalculateADamagedItemAfterAGoodOne();
}

TEST_F(ItemCommands, ADamagedItemFileIsKeptWhenTheModuleStoresAfterItsDialog) {
    options.storeAfterDialog = true;
    CalculateADamagedItemAfterAGoodOne();
}

TEST_F(ItemCommands, StoringAfterTheDialogKeepsANewItemHoweverItsDialogEnded) {
    // The interior wall's way: nothing is written before the dialog, the object
    // is stored into the item after it, whatever the dialog did.
    options.storeAfterDialog = true;
    CSplitterFrame* roof = RoofWindow(1);
    ASSERT_NE(roof, nullptr);
    struct Case {
        int command;  // 新增 or 计算 of the first item
        int result;
        int expectedSpan;  // what the dialog found in the object
    };
    // The object holds 7 when the run starts; item 1's file holds 10.
    for (Case c : {Case{kv::cmd::kAddItem, QDialog::Rejected, 7}, Case{kv::cmd::kAddItem, QDialog::Accepted, 7},
                   Case{kv::cmd::kCalculate, QDialog::Rejected, 10}}) {
        SCOPED_TRACE(c.command);
        SCOPED_TRACE(c.result);
        data.span = 7;
        dir.Write("&KV_0001.dat", "FAKE,10\n##Name,item1\n");
        roof->ItemCombo()->setCurrentIndex(0);
        const std::string stem = c.command == kv::cmd::kAddItem ? CProject::ItemStem(G_Project.GetNewItemNo()) : "&KV_0001";
        bool fileBeforeDialog = true;
        onDialog = [&](FakeData& d) {
            fileBeforeDialog = dir.Exists(stem + ".dat") && c.command == kv::cmd::kAddItem;
            d.span = 33;  // changed, never stored by the dialog itself
            return c.result;
        };
        Click(roof, c.command);
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.back().span, c.expectedSpan);
        EXPECT_EQ(seen.back().stem, stem);
        EXPECT_FALSE(fileBeforeDialog);
        ASSERT_TRUE(dir.Exists(stem + ".dat"));
        EXPECT_EQ(dir.Read(stem + ".dat").substr(0, 8), "FAKE,33\n");
    }
    EXPECT_EQ(G_Project.m_nCount[0], 3);  // both added items stay
    EXPECT_TRUE(messages->shown().empty());

    // Without an item run nothing is bound, so nothing is written.
    frame->OnDxjs();
    std::string before = dir.List();
    frame->SendCommand(32809);
    EXPECT_EQ(dir.List(), before);
}

TEST_F(ItemCommands, CalculateWithoutAnItemSaysSoAndRunsNothing) {
    CSplitterFrame* roof = RoofWindow(0);
    ASSERT_NE(roof, nullptr);
    ASSERT_NE(G_pBbView, nullptr);
    G_pBbView->setPlainText("an earlier report");
    Click(roof, kv::cmd::kCalculate);
    EXPECT_TRUE(G_pBbView->document()->isEmpty());  // the views are emptied first
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_EQ(messages->shown()[0].text, "请先点“增加”按钮增加一个项目，再点计算。");
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(Count(-8899), 0);
}

TEST_F(ItemCommands, ANewItemWhoseFileTheCommandDidNotWriteIsTakenOut) {
    // A module that writes nothing, and one that is not there at all; the second
    // finds the file a deleted item left under the number given out again.
    struct Case {
        bool moduleInstalled;
        bool staleFile;
    };
    for (Case c : {Case{true, false}, Case{false, true}}) {
        SCOPED_TRACE(c.moduleInstalled);
        G_Project = CProject();
        CSplitterFrame* roof = RoofWindow(1);
        ASSERT_NE(roof, nullptr);
        if (c.moduleInstalled)
            SetModuleCommand(32809, [](CMainFrame&) {});
        else
            SetModuleCommand(32809, {});
        if (c.staleFile) dir.Write("&KV_0002.DAT", "FAKE,5\n##Name,deleted\n");
        std::size_t shownBefore = messages->shown().size();
        Click(roof, kv::cmd::kAddItem);
        EXPECT_EQ(G_Project.m_nCount[0], 1);
        EXPECT_EQ(G_Project.m_nItemNo[0][1], 0);
        EXPECT_EQ(Entries(roof->ItemCombo()), QStringList{"01  item1(&KV_0001.DAT)"});
        if (c.staleFile) {
            EXPECT_EQ(dir.Read("&KV_0002.DAT"), "FAKE,5\n##Name,deleted\n");
        }
        if (!c.moduleInstalled) {
            ASSERT_EQ(messages->shown().size(), shownBefore + 1);
            EXPECT_EQ(messages->shown().back().text, "“顶板”模块尚未提供，暂不能使用。");
        }
        frame->CloseAllDocuments();
    }
    // A menu command of a missing module says the same and touches nothing.
    std::string before = dir.List();
    frame->SendCommand(32830);
    EXPECT_EQ(messages->shown().back().text, "“刚架”模块尚未提供，暂不能使用。");
    EXPECT_EQ(dir.List(), before);
}

TEST_F(ItemCommands, ACommandInstalledAfterTheFrameIsSetUpRunsThere) {
    int runs = 0;
    SetModuleCommand(32774, [&runs](CMainFrame&) { ++runs; });
    frame->SendCommand(32774);
    SetModuleCommand(32774, {});
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(messages->shown().empty());
}

// Dialogs shown after the main frame has gone (a test's next dialog) ask no
// unsaved-changes question of a frame that no longer exists.
TEST_F(ItemCommands, ProjectModeEndsWithTheMainFrame) {
    frame->m_bProjectMode = 1;
    EXPECT_TRUE(IsProjectMode());
    frame.reset();
    EXPECT_FALSE(IsProjectMode());
}

TEST_F(ItemCommands, AddingToAFullModuleDoesNothing) {
    CSplitterFrame* roof = RoofWindow(0);
    ASSERT_NE(roof, nullptr);
    for (int k = 0; k < kMaxItemsPerModule; ++k) G_Project.AddItem(0);
    Click(roof, kv::cmd::kAddItem);
    EXPECT_EQ(G_Project.m_nCount[0], kMaxItemsPerModule);
    EXPECT_TRUE(seen.empty());
    EXPECT_TRUE(messages->shown().empty());
}

// 新增 and 计算 empty both views before they run: the emptied report is no change
// of the user's, so leaving the mode asks nothing.
TEST_F(ItemCommands, ARefusedAddOrACalculationLeavesNoQuestionBehind) {
    for (int id : {kv::cmd::kAddItem, kv::cmd::kCalculate}) {
        SCOPED_TRACE(id);
        G_Project = CProject();
        CSplitterFrame* roof = RoofWindow(1);
        ASSERT_NE(roof, nullptr);
        if (id == kv::cmd::kAddItem)
            while (G_Project.AddItem(0) != 0) {
            }  // full: the add is refused
        Click(roof, id);
        EXPECT_FALSE(roof->GetDocument()->IsModified());
        EXPECT_TRUE(frame->SaveAllModified());
        EXPECT_TRUE(messages->shown().empty());
    }
}

TEST_F(ItemCommands, DeleteAsksAndTakesTheItemOutOnYesOnly) {
    CSplitterFrame* roof = RoofWindow(3);
    ASSERT_NE(roof, nullptr);
    roof->ItemCombo()->setCurrentIndex(1);
    messages->Answer(kv::IDNO);
    messages->Answer(kv::IDYES);
    ASSERT_NE(G_pBbView, nullptr);
    G_pBbView->setPlainText("item 2's report");
    Click(roof, kv::cmd::kDeleteItem);
    EXPECT_EQ(G_pBbView->toPlainText(), "item 2's report");  // No changes nothing
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_EQ(messages->shown()[0].text, "是否真要删除 02  item2(&KV_0002.DAT)?");
    EXPECT_EQ(messages->shown()[0].type & 0xF, kv::MB_YESNO);
    EXPECT_EQ(G_Project.m_nCount[0], 3);

    Click(roof, kv::cmd::kDeleteItem);
    EXPECT_TRUE(G_pBbView->document()->isEmpty());
    EXPECT_EQ(G_Project.m_nCount[0], 2);
    EXPECT_EQ(Entries(roof->ItemCombo()), (QStringList{"01  item1(&KV_0001.DAT)", "02  item3(&KV_0003.DAT)"}));
    EXPECT_EQ(dir.Read("&KV_0002.dat"), "FAKE,20\n##Name,item2\n");  // the files stay
    EXPECT_EQ(G_Project.GetNewItemNo(), 2);

    // Nothing selected: nothing is asked.
    roof->ItemCombo()->setCurrentIndex(-1);
    Click(roof, kv::cmd::kDeleteItem);
    EXPECT_EQ(messages->shown().size(), 2u);
    EXPECT_EQ(G_Project.m_nCount[0], 2);
}

TEST_F(ItemCommands, OutsideProjectModeTheDataStaysUnboundAndDiagramsFollowTheRun) {
    options.showDiagramsAfterSingleRun = true;
    frame->OnDxjs();
    data.m_strName = "kept";
    data.SetJt(0, "a", "a.DXF", "a.RTF");
    data.SetJt(1, "b", "b.DXF", "b.RTF");
    ASSERT_EQ(ShowJianTu(&data), 1);  // two diagrams: the chooser is up
    ASSERT_NE(JianTuChooser(), nullptr);
    ASSERT_TRUE(JianTuChooser()->isVisible());
    std::string before = dir.List();

    bool chooserHiddenInDialog = false;
    onDialog = [&](FakeData&) {
        chooserHiddenInDialog = !JianTuChooser()->isVisible();
        return QDialog::Rejected;
    };
    frame->SendCommand(32809);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(chooserHiddenInDialog);
    EXPECT_EQ(seen[0].name, "kept");
    EXPECT_EQ(seen[0].stem, "");
    EXPECT_FALSE(JianTuChooser()->isVisible());  // cancelled: no diagrams
    EXPECT_EQ(dir.List(), before);

    onDialog = [](FakeData&) { return QDialog::Accepted; };
    frame->SendCommand(32809);
    EXPECT_TRUE(JianTuChooser()->isVisible());
    EXPECT_EQ(dir.List(), before);
    EXPECT_EQ(Count(-8899), 0);
    DestroyJianTuChooser();
}

TEST_F(ItemCommands, StoringNeedsAnItemAndTheItemFileIsFoundInAnyCase) {
    FakeData d;
    std::string before = dir.List();
    EXPECT_EQ(CBbDoc_KV::StoreItemData(&d), 0);  // no item run yet: nothing is written
    EXPECT_EQ(dir.List(), before);
    EXPECT_EQ(frame->ItemFileExists(), 0);
    frame->m_strItemStem = "&KV_0007";
    EXPECT_EQ(frame->ItemFileExists(), 0);
    dir.Write("&KV_0007.DAT", "x\n");
    EXPECT_EQ(frame->ItemFileExists(), 1);
}

TEST_F(ItemCommands, ASaveThatFailsHalfwayLeavesTheItemFileAsItWasAndSaysSo) {
    CSplitterFrame* roof = RoofWindow(2);
    ASSERT_NE(roof, nullptr);
    roof->ItemCombo()->setCurrentIndex(1);
    const std::string before = dir.Read("&KV_0002.dat");
    // The disk fills up in the middle of the common block, after the module's own line.
    onDialog = [](FakeData& d) {
        d.span = 25;
        kv::platform::WriteFailureForTesting full(12, ENOSPC);
        EXPECT_EQ(CBbDoc_KV::StoreItemData(&d), 0);
        return QDialog::Accepted;
    };
    Click(roof, kv::cmd::kCalculate);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(dir.Read("&KV_0002.dat"), before);
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_EQ(messages->shown()[0].text, "不能保存文件 : " + (dir / "&KV_0002.dat"));

    // 新增 with a disk that takes nothing: no item file, so no new item, and the user is told.
    onDialog = nullptr;
    {
        kv::platform::WriteFailureForTesting full(0, ENOSPC);
        Click(roof, kv::cmd::kAddItem);
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(G_Project.m_nCount[0], 2);
    EXPECT_EQ(dir.Read("&KV_0003.dat"), "");
    ASSERT_EQ(messages->shown().size(), 2u);
    EXPECT_EQ(messages->shown()[1].text, "不能保存文件 : " + (dir / "&KV_0003.dat"));
    EXPECT_EQ(dir.List().find("kvtmp"), std::string::npos);
}

TEST_F(ItemCommands, ALongCalculationRunsThroughTheRunnerAndTheItemRunEndsAfterItsLines) {
    auto oldRunner = kv::calc::InstallRunner(MakeQtCalculationRunner());
    CSplitterFrame* roof = RoofWindow(1);
    ASSERT_NE(roof, nullptr);
    const std::string workPath = G_strWorkPath;
    const int edition = G_guifan;
    // A command that would move the project while the calculation reads it.
    constexpr int kMoveProject = 40001;
    int moves = 0;
    frame->SetCommandHandler(kMoveProject, [&] {
        ++moves;
        G_strWorkPath = "/elsewhere/";
        G_guifan = edition == 2010 ? 2002 : 2010;
    });
    std::atomic<bool> sent{false};
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!kv::calc::Running() || sent) return;
        frame->SendCommand(kMoveProject);
        Click(roof, kv::cmd::kCalculate);
        sent = true;
    });
    timer.start(10);

    messages->Answer(kv::IDYES);
    std::string seenPath;
    int seenEdition = 0, answer = 0, calculations = 0;
    onDialog = [&](FakeData& d) {
        EXPECT_TRUE(kv::calc::Run(frame->m_strItemTitle, [&] {
            ++calculations;
            tell_error(kv::err::kClearWindow, "");
            tell_error1(kv::err::kProgress, "第%d次迭代", 1);
            kv::calc::ReportProgress(1, 2);
            for (int i = 0; i < 1000 && !sent; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            answer = kv::MessageBox("是否保存计算结果?", kv::MB_YESNO | kv::MB_ICONQUESTION);
            d.span = 30;
            tell_error(kv::err::kWarning, "配筋率偏大");
            seenPath = G_strWorkPath;
            seenEdition = G_guifan;
        }));
        if (answer == kv::IDYES) CBbDoc_KV::StoreItemData(&d);
        return QDialog::Accepted;
    };
    Click(roof, kv::cmd::kCalculate);
    timer.stop();

    EXPECT_TRUE(sent);
    EXPECT_EQ(calculations, 1);
    EXPECT_EQ(moves, 0);
    EXPECT_EQ(seen.size(), 1u);  // the second 计算 did not open the dialog again
    EXPECT_EQ(seenPath, workPath);
    EXPECT_EQ(seenEdition, edition);
    EXPECT_EQ(answer, kv::IDYES);
    ASSERT_EQ(messages->shown().size(), 1u);
    EXPECT_EQ(messages->shown()[0].text, "是否保存计算结果?");
    EXPECT_EQ(dir.Read("&KV_0001.dat").substr(0, 8), "FAKE,30\n");
    std::vector<int> codes;
    for (const kv::err::Line& line : channel) codes.push_back(line.code);
    EXPECT_EQ(codes, (std::vector<int>{kv::err::kClearWindow, kv::err::kProgress, kv::err::kWarning, -8899}));
    ASSERT_EQ(channel.size(), 4u);
    EXPECT_EQ(channel[2].text, "配筋率偏大");

    // After the run the commands are back.
    frame->SendCommand(kMoveProject);
    EXPECT_EQ(moves, 1);
    G_strWorkPath = workPath;
    G_guifan = edition;
    kv::calc::InstallRunner(std::move(oldRunner));
}

}  // namespace

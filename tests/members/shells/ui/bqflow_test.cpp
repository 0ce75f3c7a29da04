// The three shell windows from 新增: the module's dialog opens on the new item,
// 计算 designs the shell, shows drawing 0 and the report, stores the item with
// all its drawings and closes without a question; the combined report takes
// the report in. Outside a project the diagrams follow the dialog.
#include "members/shells/ui/dlgbq.h"

#include "app/commandids.h"
#include "base/error.h"
#include "members/shells/shell_data.h"
#include "project/ui/modulecommands.h"
#include "views/cxview.h"
#include "views/dialogs/jiantu.h"

#include "flow_support.h"
#include "modal.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include <cstdlib>
#include <fstream>

namespace {

using kv::test::Click;
using kv::test::CountImages;
using kv::test::OnNextModal;
using kv::test::SetField;

void Settle() {
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
}

// KV_SCREENSHOT_DIR names a folder for screen pictures (under xvfb-run with
// QT_QPA_PLATFORM=xcb; QT_SCALE_FACTOR for other scalings).
void Shoot(const std::string& name) {
    const char* shots = std::getenv("KV_SCREENSHOT_DIR");
    if (!shots) return;
    Settle();
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(shots) + "/" +
                                                         QString::fromStdString(name));
}

void InstallShellCommands() {
    // As the program installs them.
    SetModuleCommand(32816, [](CMainFrame& f) {
        RunModuleCommand(f, G_RectBqData, RunRectBqDialog, {.showDiagramsAfterSingleRun = true});
    });
    SetModuleCommand(32817, [](CMainFrame& f) {
        RunModuleCommand(f, G_SixBqData, RunSixBqDialog, {.showDiagramsAfterSingleRun = true});
    });
    SetModuleCommand(32818, [](CMainFrame& f) {
        RunModuleCommand(f, G_CircleBqData, RunCircleBqDialog, {.showDiagramsAfterSingleRun = true});
    });
}

class BqFlow : public kv::test::ItemFlow {
protected:
    BqFlow() : ItemFlow(0) {}
    void SetUp() override {
        G_RectBqData = CRectBqData();
        G_SixBqData = CSixBqData();
        G_CircleBqData = CCircleBqData();
        JS_ERROR_CODE = 0;
        ItemFlow::SetUp();
        InstallShellCommands();
    }
    void TearDown() override {
        for (int id : {32816, 32817, 32818}) SetModuleCommand(id, {});
        DestroyJianTuChooser();
        ItemFlow::TearDown();
    }
};

struct Module {
    int row;  // in the basement set
    int command;
    CJsBaseData* data;
    const char* caption;
    int calculate;
    std::size_t drawings;
    const char* firstTitle;
    const char* lastTitle;
    const char* report;  // the item's report
    const char* shot;
};

TEST_F(BqFlow, NewItemsAreCalculatedAndStoredWithAllTheirDrawings) {
    const Module modules[] = {
        {11, 32816, &G_RectBqData, "周边简支矩形底球面扁壳", 1008, 13, "Nx", "边梁配筋", "&KV_0001_BQ1.RTF", "bq-rect"},
        {12, 32817, &G_SixBqData, "周边简支正六边形底球面扁壳", 1008, 11, "Nx", "边梁配筋", "&KV_0002_BQ2.RTF",
         "bq-six"},
        {13, 32818, &G_CircleBqData, "圆形底球面扁壳", 1129, 12, "经向内力", "边界条件", "&KV_0003_BQ3.RTF",
         "bq-circle"},
    };
    const bool shots = std::getenv("KV_SCREENSHOT_DIR") != nullptr;
    for (const Module& m : modules) {
        SCOPED_TRACE(m.caption);
        CSplitterFrame* window = Window(m.row);
        ASSERT_NE(window, nullptr);
        if (shots) {
            frame->resize(1280, 900);
            frame->show();
            window->showMaximized();
            Settle();
        }
        const std::string name = std::string("地下一层 ") + m.shot;
        QString caption;
        bool closed = false;
        OnNextModal([&](QDialog& dlg) {
            caption = dlg.windowTitle();
            SetField(dlg, 3087, QString::fromStdString(name));
            Click(dlg, m.calculate);
            closed = !dlg.isVisible();
        });
        window->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
        EXPECT_EQ(caption, QString::fromUtf8(m.caption));
        EXPECT_TRUE(closed) << "计算 closes the dialog";
        for (const auto& shown : messages->shown()) ADD_FAILURE() << shown.text;
        EXPECT_EQ(G_Project.m_nCount[static_cast<std::size_t>(m.row)], 1);

        // The item file with one query line per drawing, each drawing written.
        const std::string stem = m.data->m_strStem;
        const std::string item = dir / (stem + ".dat");
        ASSERT_TRUE(dir.Exists(stem + ".dat"));
        EXPECT_EQ(ReadItemNameFromFile(item.c_str()), name);
        std::vector<ChaXunEntry> entries = ReadChaXunFromFile(item.c_str());
        ASSERT_EQ(entries.size(), m.drawings);
        EXPECT_EQ(entries.front().title, m.firstTitle);
        EXPECT_EQ(entries.back().title, m.lastTitle);
        for (const ChaXunEntry& e : entries) {
            SCOPED_TRACE(e.dxf);
            EXPECT_EQ(e.rtf, m.report);
            DXF drawing;
            ASSERT_EQ(drawing.Read_FileDxf_To_Mem((dir / e.dxf).c_str()), 1);
            EXPECT_FALSE(drawing.Entities().empty());
        }
        ExpectOutsideReaderAccepts(dir / entries.front().dxf);

        // The report in RTF with its drawings as pictures, in the report view;
        // drawing 0 in the drawing view.
        const QString rtf = QString::fromStdString(dir / m.report);
        ASSERT_TRUE(kv::report::ui::LooksLikeRtf(rtf));
        QTextDocument report;
        ASSERT_TRUE(kv::report::ui::LoadReport(&report, rtf, true));
        EXPECT_TRUE(report.toPlainText().contains(QString::fromStdString("计算项目" + name)));
        EXPECT_FALSE(report.toPlainText().contains("VanjoroScript"));
        EXPECT_GE(CountImages(report), 1);
        ASSERT_NE(G_pBbView, nullptr);
        EXPECT_TRUE(G_pBbView->document()->toPlainText().contains(QString::fromStdString(name)));
        ASSERT_NE(G_pCxView, nullptr);
        ASSERT_NE(G_pCxView->GetDocument()->GetDxf(), nullptr);
        DXF first;
        ASSERT_EQ(first.Read_FileDxf_To_Mem((dir / entries.front().dxf).c_str()), 1);
        EXPECT_EQ(G_pCxView->GetDocument()->GetDxf()->Entities().size(), first.Entities().size())
            << "the report's pictures pass through the view; the run ends on drawing 0";
        if (shots) Shoot(std::string(m.shot) + "-window.png");

        // The chooser offers every drawing's title.
        ASSERT_EQ(ShowJianTu(m.data), 1);
        ASSERT_NE(JianTuChooser(), nullptr);
        EXPECT_EQ(static_cast<std::size_t>(JianTuChooser()->List()->count()), m.drawings);
        JianTuChooser()->hide();
    }

    // The combined report takes the three reports in.
    QTextDocument combined;
    MakeCombinedReport(combined);
    for (const Module& m : modules)
        EXPECT_TRUE(combined.toPlainText().contains(QString::fromStdString(std::string("地下一层 ") + m.shot)))
            << m.shot;
    EXPECT_GE(CountImages(combined), 3);
}

TEST_F(BqFlow, OutsideAProjectTheDiagramsFollowTheDialog) {
    frame->m_bProjectOpen = 0;
    OnNextModal([&](QDialog& dlg) { Click(dlg, 1129); });
    frame->SendCommand(32818);
    EXPECT_TRUE(dir.Exists("NONAME.dat"));
    EXPECT_TRUE(dir.Exists("NONAME_BQ3.RTF"));
    EXPECT_TRUE(dir.Exists("NONAME_N_BQ3.DXF"));
    ASSERT_NE(JianTuChooser(), nullptr);
    EXPECT_TRUE(JianTuChooser()->isVisible());
    EXPECT_EQ(JianTuChooser()->List()->count(), 12);
}

}  // namespace

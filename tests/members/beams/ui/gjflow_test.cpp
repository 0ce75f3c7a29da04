// A rigid-frame item from 新增: the command makes the object the
// civil-air-defence frame, the stand-in geometry editor leaves the item's model
// in the project folder, and 刚架计算 analyses it and stores the item with its
// seven diagrams and its report, which the combined report takes in.
#include "members/beams/ui/dlggj.h"

#include "app/commandids.h"
#include "base/error.h"
#include "base/jsdata.h"
#include "members/beams/gj_data.h"
#include "project/ui/modulecommands.h"
#include "views/dialogs/jiantu.h"

#include "flow_support.h"
#include "modal.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

using kv::test::Click;
using kv::test::CountImages;
using kv::test::OnNextModal;
using kv::test::SetField;

constexpr int kGjRow = 10;  // 刚架 in the basement set

class GjFlow : public kv::test::ItemFlow {
protected:
    GjFlow() : ItemFlow(0) {}
    void SetUp() override {
        G_GjData = CGjData();
        JS_ERROR_CODE = 0;
        ItemFlow::SetUp();
        oldProcesses = kv::platform::InstallProcessService(kv::platform::MakeSystemProcessService());
        // As the program installs it.
        SetModuleCommand(32830, [](CMainFrame& f) {
            G_GjData.m_nRenFang = 1;
            G_GjData.m_nInsertResultDiagrams = 1;
            G_GjData.m_nInsertSchemeDiagram = 1;
            RunModuleCommand(f, G_GjData, RunGjDialog, {.showDiagramsAfterSingleRun = true});
        });
        std::ifstream in(std::string(KV_TEST_FIXTURES) + "/members/beams/ostvik-standin.sh", std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        program.Write("Ostvik.Exe", bytes.str());
        ASSERT_EQ(::chmod((program / "Ostvik.Exe").c_str(), 0755), 0);
    }
    void TearDown() override {
        SetModuleCommand(32830, {});
        kv::platform::InstallProcessService(std::move(oldProcesses));
        ItemFlow::TearDown();
    }
    std::unique_ptr<kv::platform::ProcessService> oldProcesses;
};

TEST_F(GjFlow, NewItemGetsItsModelFromTheEditorAndIsStoredWithSevenDiagrams) {
    CSplitterFrame* window = Window(kGjRow);
    ASSERT_NE(window, nullptr);
    // KV_SCREENSHOT_DIR names a folder for a picture of the project window with
    // 所有图 (under xvfb-run with QT_QPA_PLATFORM=xcb).
    const char* shots = std::getenv("KV_SCREENSHOT_DIR");
    if (shots) {
        frame->resize(1280, 900);
        frame->show();
        window->showMaximized();
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
    }
    QString caption;
    OnNextModal([&](QDialog& dlg) {
        caption = dlg.windowTitle();
        SetField(dlg, 3087, "人防刚架 GJ-1");
        Click(dlg, 1136);
        Click(dlg, 1129);
    });
    window->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
    EXPECT_EQ(caption, "刚架计算");
    EXPECT_EQ(G_GjData.m_nRenFang, 1);
    EXPECT_EQ(G_GjData.m_nInsertResultDiagrams, 1);
    EXPECT_EQ(G_GjData.m_nInsertSchemeDiagram, 1);
    EXPECT_TRUE(dir.Exists("&KV_0001_KV_StrLdA-1.DAT"));

    ASSERT_TRUE(dir.Exists("&KV_0001.dat"));
    EXPECT_EQ(ReadItemNameFromFile((dir / "&KV_0001.dat").c_str()), "人防刚架 GJ-1");
    std::vector<ChaXunEntry> entries = ReadChaXunFromFile((dir / "&KV_0001.dat").c_str());
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[0].title, "计算简图");
    EXPECT_EQ(entries[0].dxf, "&KV_0001_JT_GJ.DXF");
    EXPECT_EQ(entries[6].dxf, "&KV_0001_ALL_GJ.DXF");
    EXPECT_EQ(entries[6].rtf, "&KV_0001_GJ.RTF");
    EXPECT_EQ(G_Project.m_nCount[kGjRow], 1);

    // The portal analysed: seven drawings that read back, and the report.
    for (const ChaXunEntry& e : entries) {
        SCOPED_TRACE(e.dxf);
        DXF drawing;
        ASSERT_EQ(drawing.Read_FileDxf_To_Mem((dir / e.dxf).c_str()), 1);
        EXPECT_FALSE(drawing.Entities().empty());
        ExpectOutsideReaderAccepts(dir / e.dxf);
    }
    EXPECT_TRUE(kv::report::ui::LooksLikeRtf(QString::fromStdString(dir / "&KV_0001_GJ.RTF")));
    EXPECT_FALSE(dir.Exists("STRUC_LD.FB")) << "the work files are cleared";
    if (shots) {
        ShowDiagramFile(dir / entries[6].dxf);
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
        QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(shots) + "/gj-all.png");
    }

    // The combined report takes the item's report in.
    QTextDocument combined;
    MakeCombinedReport(combined);
    EXPECT_TRUE(combined.toPlainText().contains(QStringLiteral("人防刚架 GJ-1")));
    EXPECT_GE(CountImages(combined), 1);
}

}  // namespace

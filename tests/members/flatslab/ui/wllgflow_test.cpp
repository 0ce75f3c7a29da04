// A flat-slab item from 新增: the sheet "无梁楼盖" opens on the new item, 计算
// on 几何参数 analyses the slab and stores the item with its six diagrams and
// its report, which the combined report takes in. Outside a project the run
// keeps "NONAME" and the diagrams follow the sheet.
#include "members/flatslab/ui/wllgpages.h"

#include "app/commandids.h"
#include "base/error.h"
#include "members/flatslab/wllg_data.h"
#include "project/ui/modulecommands.h"
#include "views/cxview.h"
#include "views/dialogs/jiantu.h"

#include "flow_support.h"
#include "modal.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTabBar>
#include <QToolButton>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using kv::test::ById;
using kv::test::Click;
using kv::test::CountImages;
using kv::test::OnNextModal;
using kv::test::SetField;

constexpr int kWllgRow = 9;  // 无梁楼盖 in the basement set

void Settle() {
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
}

// KV_SCREENSHOT_DIR names a folder for screen pictures (under xvfb-run with
// QT_QPA_PLATFORM=xcb; QT_SCALE_FACTOR for other scalings).
void Shoot(const char* name) {
    const char* shots = std::getenv("KV_SCREENSHOT_DIR");
    if (!shots) return;
    Settle();
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(shots) + "/" + name);
}

class WllgFlow : public kv::test::ItemFlow {
protected:
    WllgFlow() : ItemFlow(0) {}
    void SetUp() override {
        G_WllgData = CWllgData();
        JS_ERROR_CODE = 0;
        ItemFlow::SetUp();
        // The program folder's pictures, as the build puts them beside the program.
        std::filesystem::copy(std::string(KV_TEST_FIXTURES) + "/../../resources/pictures", program.path() + "pictures");
        // As the program installs it.
        SetModuleCommand(32812, [](CMainFrame& f) {
            UseCivilDefenceRules(G_WllgData);
            RunModuleCommand(f, G_WllgData, RunWllgSheet, {.showDiagramsAfterSingleRun = true});
        });
    }
    void TearDown() override {
        SetModuleCommand(32812, {});
        DestroyJianTuChooser();
        ItemFlow::TearDown();
    }
};

TEST_F(WllgFlow, NewItemCalculatedIsStoredWithSixDiagramsAndItsReport) {
    CSplitterFrame* window = Window(kWllgRow);
    ASSERT_NE(window, nullptr);
    const bool shots = std::getenv("KV_SCREENSHOT_DIR") != nullptr;
    if (shots) {
        frame->resize(1280, 900);
        frame->show();
        window->showMaximized();
        Settle();
    }
    QString caption;
    QStringList tabs;
    int messageLines = 0, pictures = 0;
    bool closed = false;
    OnNextModal([&](QDialog& sheet) {
        caption = sheet.windowTitle();
        auto* bar = sheet.findChild<QTabBar*>();
        for (int i = 0; i < bar->count(); ++i) tabs << bar->tabText(i);
        SetField(sheet, 3087, "地下一层无梁楼盖 WLB-1");
        ById<QRadioButton>(sheet, 1281)->click();  // 中间层
        sheet.move(20, 20);
        Shoot("wllg-jihe.png");
        bar->setCurrentIndex(1);
        for (int id : {1282, 1042, 1008}) pictures += ById<QToolButton>(sheet, id)->icon().isNull() ? 0 : 1;
        Shoot("wllg-bandai.png");
        bar->setCurrentIndex(3);
        Settle();
        Click(sheet, 1170);  // 验算冲切
        messageLines = ById<QListWidget>(sheet, 3080)->count();
        Shoot("wllg-chongqie.png");
        bar->setCurrentIndex(0);
        Settle();
        Click(sheet, 1359);  // 计算
        closed = !sheet.isVisible();
    });
    window->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
    EXPECT_EQ(caption, "无梁楼盖");
    EXPECT_EQ(tabs, (QStringList{"几何参数", "板带荷载", "计算参数", "冲切验算"}));
    EXPECT_GT(messageLines, 0);
    EXPECT_EQ(pictures, 3) << "the load pictures of 板带荷载";
    EXPECT_TRUE(closed) << "计算 closes the sheet";
    EXPECT_EQ(G_WllgData.m_nCivilDefence, 1);
    EXPECT_EQ(G_WllgData.m_ChongQie.m_nCivilDefence, 1);
    for (const auto& shown : messages->shown()) ADD_FAILURE() << shown.text;

    // The item file: the slab as entered, and the six query lines.
    const std::string item = dir / "&KV_0001.dat";
    ASSERT_TRUE(dir.Exists("&KV_0001.dat"));
    std::ifstream in(item);
    std::string marker;
    std::getline(in, marker);
    EXPECT_EQ(marker.substr(0, 11), "KV_WLLG_V30");
    EXPECT_EQ(ReadItemNameFromFile(item.c_str()), "地下一层无梁楼盖 WLB-1");
    CWllgData back;
    ASSERT_EQ(back.LoadData(item.c_str()), 1);
    EXPECT_EQ(back.m_nMidStorey, 1);
    std::vector<ChaXunEntry> entries = ReadChaXunFromFile(item.c_str());
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0].title, "计算简图");
    EXPECT_EQ(entries[4].title, "所有图");
    EXPECT_EQ(entries[5].dxf, "&KV_0001_CQ_WLLG.DXF");
    EXPECT_EQ(G_Project.m_nCount[kWllgRow], 1);
    for (const ChaXunEntry& e : entries) {
        SCOPED_TRACE(e.dxf);
        DXF drawing;
        ASSERT_EQ(drawing.Read_FileDxf_To_Mem((dir / e.dxf).c_str()), 1);
        EXPECT_FALSE(drawing.Entities().empty());
        ExpectOutsideReaderAccepts(dir / e.dxf);
        EXPECT_EQ(e.rtf, "&KV_0001_WLLG.RTF");
    }

    // The report: RTF with its pictures, shown in the report view; the first
    // drawing in the drawing view.
    const QString rtf = QString::fromStdString(dir / entries[0].rtf);
    ASSERT_TRUE(kv::report::ui::LooksLikeRtf(rtf));
    QTextDocument report;
    ASSERT_TRUE(kv::report::ui::LoadReport(&report, rtf, true));
    EXPECT_TRUE(report.toPlainText().contains(QStringLiteral("地下一层无梁楼盖 WLB-1")));
    EXPECT_FALSE(report.toPlainText().contains("VanjoroScript"));
    EXPECT_GE(CountImages(report), 1);
    ASSERT_NE(G_pBbView, nullptr);
    EXPECT_TRUE(G_pBbView->document()->toPlainText().contains(QStringLiteral("地下一层无梁楼盖 WLB-1")));
    ASSERT_NE(G_pCxView, nullptr);
    ASSERT_NE(G_pCxView->GetDocument()->GetDxf(), nullptr);
    EXPECT_FALSE(G_pCxView->GetDocument()->GetDxf()->Entities().empty());
    // The chooser offers the six titles; 所有图 in the project window.
    ASSERT_EQ(ShowJianTu(&G_WllgData), 1);
    ASSERT_NE(JianTuChooser(), nullptr);
    ASSERT_EQ(JianTuChooser()->List()->count(), 6);
    EXPECT_EQ(JianTuChooser()->List()->item(5)->text(), "冲切计算简图");
    if (shots) {
        JianTuChooser()->hide();
        ShowDiagramFile(dir / entries[4].dxf);
        Shoot("wllg-all.png");
    }

    // The combined report takes the item's report in.
    QTextDocument combined;
    MakeCombinedReport(combined);
    EXPECT_TRUE(combined.toPlainText().contains(QStringLiteral("地下一层无梁楼盖 WLB-1")));
    EXPECT_GE(CountImages(combined), 1);

    // A word processor opens the report.
    const QString soffice = QStandardPaths::findExecutable("soffice");
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (soffice.isEmpty() || pdftotext.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is missing; scripts/setup installs them";
    const QString profile = "-env:UserInstallation=file://" + QString::fromStdString(dir.path()) + "lo-profile";
    kv::test::RunTool(soffice, {profile, "--headless", "--convert-to", "pdf", "--outdir", QString::fromStdString(dir / "pdf"), rtf});
    ASSERT_TRUE(dir.Exists("pdf/&KV_0001_WLLG.pdf")) << "LibreOffice wrote no pdf";
    EXPECT_TRUE(kv::test::RunTool(pdftotext, {QString::fromStdString(dir / "pdf/&KV_0001_WLLG.pdf"), "-"})
                    .contains(QStringLiteral("地下一层无梁楼盖 WLB-1")));
}

TEST_F(WllgFlow, OutsideAProjectTheRunKeepsNonameAndShowsTheDiagramsAfterTheSheet) {
    frame->m_bProjectOpen = 0;
    G_WllgData.m_strName = "单算";
    OnNextModal([&](QDialog& sheet) { Click(sheet, 1359); });
    frame->SendCommand(32812);
    EXPECT_TRUE(dir.Exists("NONAME.dat"));
    EXPECT_TRUE(dir.Exists("NONAME_WLLG.RTF"));
    EXPECT_TRUE(dir.Exists("NONAME_ALL_WLLG.DXF"));
    EXPECT_FALSE(dir.Exists("&KV_0001.dat"));
    ASSERT_NE(JianTuChooser(), nullptr);
    EXPECT_TRUE(JianTuChooser()->isVisible());
    EXPECT_EQ(JianTuChooser()->List()->count(), 6);

    // 返回 shows nothing afterwards.
    JianTuChooser()->hide();
    OnNextModal([&](QDialog& sheet) { Click(sheet, 2); });
    frame->SendCommand(32812);
    EXPECT_FALSE(JianTuChooser()->isVisible());
}

TEST_F(WllgFlow, ReadingAForeignFileStoresNothingInTheItem) {
    CSplitterFrame* window = Window(kWllgRow);
    ASSERT_NE(window, nullptr);
    std::ofstream(dir / "slab.WLB") << "KV_BAN_V30\n0,1\n";
    auto files = std::make_unique<kv::platform::ScriptedFileDialogService>();
    files->Answer(dir / "slab.WLB");
    auto oldFiles = kv::platform::InstallFileDialogService(std::move(files));
    OnNextModal([&](QDialog& sheet) {
        SetField(sheet, 1371, "9 9");
        Click(sheet, 3086);
        Click(sheet, 2);
    });
    window->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
    kv::platform::InstallFileDialogService(std::move(oldFiles));
    ASSERT_FALSE(messages->shown().empty());
    EXPECT_EQ(messages->shown()[0].text, "文件类型不匹配 !");
    CWllgData back;
    ASSERT_EQ(back.LoadData((dir / "&KV_0001.dat").c_str()), 1);
    EXPECT_EQ(back.m_szSpans, "6*2 8.0") << "the new item's file keeps the defaults";
}

}  // namespace

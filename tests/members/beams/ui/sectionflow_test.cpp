// Beam- and column-section items from 新增 to their files: each dialog driven by
// its control ids, 计算, and what the project folder holds afterwards — the item
// file, the sketch, the report with the sketch — and the combined report that
// takes both reports in.
#include "members/beams/ui/dlgliang.h"
#include "members/beams/ui/dlgzhu.h"

#include "app/commandids.h"
#include "base/jsdata.h"
#include "members/beams/liang_data.h"
#include "members/beams/zhu_data.h"
#include "project/ui/modulecommands.h"
#include "support/edition_guard.h"

#include "modal.h"
#include "flow_support.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>

#include <cstdlib>

namespace {

using kv::test::Click;
using kv::test::OnNextModal;
using kv::test::SetField;

class SectionFlow : public kv::test::ItemFlow {
protected:
    SectionFlow() : ItemFlow(0) {}
    void SetUp() override {
        G_LiangData = CLiangData();
        G_ZhuData = CZhuData();
        ItemFlow::SetUp();
        SetModuleCommand(32793, [](CMainFrame& f) { RunModuleCommand(f, G_LiangData, RunLiangDialog); });
        SetModuleCommand(32796, [](CMainFrame& f) { RunModuleCommand(f, G_ZhuData, RunZhuDialog); });
    }
    void TearDown() override {
        SetModuleCommand(32793, {});
        SetModuleCommand(32796, {});
        ItemFlow::TearDown();
    }

    // KV_SCREENSHOT names a folder to keep the screens in (run under xvfb-run
    // with QT_QPA_PLATFORM=xcb): each dialog after 计算, then the column's sketch.
    const char* shots = std::getenv("KV_SCREENSHOT");
    void Shoot(const char* name) {
        if (!shots) return;
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
        EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(shots) + "/" + name));
    }

    // 新增 in window `row`, the steps on the dialog, 计算, 返回; the result box as shown.
    QString AddItem(CSplitterFrame* window, const std::function<void(QDialog&)>& steps, const char* shot) {
        QString shown;
        OnNextModal([&](QDialog& dlg) {
            steps(dlg);
            Click(dlg, 1359);
            shown = kv::test::ById<QTextEdit>(dlg, 1115)->toPlainText();
            Shoot(shot);
            Click(dlg, 1);
        });
        window->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
        return shown;
    }

    kv::test::EditionGuard edition{2010};
};

TEST_F(SectionFlow, BeamAndColumnItemsWriteTheirFilesAndJoinTheCombinedReport) {
    if (shots) {
        G_strExePath = std::string(KV_TEST_FIXTURES) + "/../../resources/";  // the program's pictures
        frame->resize(1280, 860);
        frame->show();
    }
    CSplitterFrame* beams = Window(14);
    ASSERT_NE(beams, nullptr);
    if (shots) beams->showMaximized();
    const QString beamLines = AddItem(
        beams,
        [](QDialog& dlg) {
            SetField(dlg, 3087, "二层 KL-1");
            SetField(dlg, 1276, "180");
            SetField(dlg, 1103, "40");
        },
        "beam-dialog.png");
    EXPECT_TRUE(beamLines.contains(QStringLiteral("抗扭纵筋:          Ast"))) << beamLines.toStdString();

    CSplitterFrame* columns = Window(15);
    ASSERT_NE(columns, nullptr);
    if (shots) columns->showMaximized();
    const QString columnLines = AddItem(
        columns,
        [](QDialog& dlg) {
            SetField(dlg, 3087, "KZ-1");
            SetField(dlg, 1263, "400");
            SetField(dlg, 1270, "800");
        },
        "column-dialog.png");
    EXPECT_TRUE(columnLines.contains(QStringLiteral("X向单侧纵筋:       Asx  ="))) << columnLines.toStdString();
    Shoot("column-sketch.png");
    EXPECT_TRUE(messages->shown().empty()) << messages->shown()[0].text;

    // Each window's first item, with the query line naming its drawing and report.
    struct Item {
        const char* stem;
        const char* name;
        const char* rtf;
        const char* part;
    } items[] = {{"&KV_0001", "二层 KL-1", "&KV_0001_BEM.RTF", "抗弯受拉筋"},
                 {"&KV_0002", "KZ-1", "&KV_0002_ZHU.RTF", "轴压比"}};
    for (const Item& item : items) {
        SCOPED_TRACE(item.stem);
        const std::string file = dir / (std::string(item.stem) + ".dat");
        ASSERT_TRUE(dir.Exists(std::string(item.stem) + ".dat"));
        EXPECT_EQ(ReadItemNameFromFile(file.c_str()), item.name);
        std::vector<ChaXunEntry> entries = ReadChaXunFromFile(file.c_str());
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].rtf, item.rtf);
        ExpectDrawingAndReport(entries[0], {item.name, "[ 计算条件 ]", "[ 计算结果 ]", item.part});
    }
    CLiangData beam;
    ASSERT_EQ(beam.LoadData((dir / "&KV_0001.dat").c_str()), 1);
    EXPECT_FLOAT_EQ(beam.T, 40.0f);
    CZhuData column;
    ASSERT_EQ(column.LoadData((dir / "&KV_0002.dat").c_str()), 1);
    EXPECT_FLOAT_EQ(column.Mx, 400.0f);

    QTextDocument combined;
    MakeCombinedReport(combined);
    EXPECT_TRUE(combined.toPlainText().contains(QStringLiteral("二层 KL-1")));
    EXPECT_TRUE(combined.toPlainText().contains(QStringLiteral("KZ-1")));
    EXPECT_EQ(kv::test::CountImages(combined), 2);
}

// In a project, 返回 and Esc ask about changes that the item file lacks:
// Cancel keeps the dialog open, No closes it and leaves the file as it was.
TEST_F(SectionFlow, ReturnAndEscapeAskAboutUnsavedChanges) {
    CSplitterFrame* columns = Window(15);
    ASSERT_NE(columns, nullptr);
    messages->Answer(kv::IDCANCEL);
    messages->Answer(kv::IDCANCEL);
    messages->Answer(kv::IDNO);
    std::vector<bool> open;
    OnNextModal([&](QDialog& dlg) {
        Click(dlg, 1359);  // the item file now holds what the dialog shows
        SetField(dlg, 1270, "950");
        Click(dlg, 1);
        open.push_back(dlg.isVisible());
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &escape);
        open.push_back(dlg.isVisible());
        Click(dlg, 1);
        open.push_back(dlg.isVisible());
    });
    columns->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
    EXPECT_EQ(open, (std::vector<bool>{true, true, false}));
    ASSERT_EQ(messages->shown().size(), 3u);
    EXPECT_NE(messages->shown()[0].text.find("您当前的数据已经做了改动"), std::string::npos);
    CZhuData stored;
    ASSERT_EQ(stored.LoadData((dir / "&KV_0001.dat").c_str()), 1);
    EXPECT_FLOAT_EQ(stored.N, 1000.0f);
}

}  // namespace

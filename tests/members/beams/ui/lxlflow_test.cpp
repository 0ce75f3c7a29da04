// Continuous-beam items from 新增 to their files: the dialog driven by its control
// ids through three spans with a dead and a live load, 计算, and what the project
// folder and window hold afterwards — the item file, the result sheet, the report
// and the combined report — and a foreign file that 读数据 refuses.
#include "members/beams/ui/dlglxl.h"

#include "app/commandids.h"
#include "base/jsdata.h"
#include "members/beams/lxl_data.h"
#include "project/ui/modulecommands.h"
#include "views/cxview.h"

#include "flow_support.h"
#include "modal.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <cstdlib>
#include <fstream>

namespace {

using kv::test::ById;
using kv::test::Click;
using kv::test::CountImages;
using kv::test::Field;
using kv::test::OnNextModal;
using kv::test::SetField;

constexpr int kLxlRow = 7;  // 连续梁 in the basement set

void Choose(const QDialog& dlg, int id, int index) {
    auto* combo = ById<QComboBox>(dlg, id);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void NextSpan(const QDialog& dlg) { ById<QScrollBar>(dlg, 1200)->triggerAction(QAbstractSlider::SliderSingleStepAdd); }
void NextLoad(const QDialog& dlg) { ById<QScrollBar>(dlg, 1197)->triggerAction(QAbstractSlider::SliderSingleStepAdd); }
void Leave(const QDialog& dlg, int id) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(ById(dlg, id), &out);
}

// Three spans of 6, 4.5 and 6 m, 250 × 600; every span a dead uniform load of
// 25 kN/m, and span 2 a midspan force of 80 kN that the data marks live.
void EnterThreeSpans(const QDialog& dlg) {
    SetField(dlg, 3087, "二层楼面梁 L1");
    SetField(dlg, 1021, "3");
    Leave(dlg, 1021);
    const char* lengths[3] = {"6", "4.5", "6"};
    for (int i = 0; i < 3; ++i) {
        if (i > 0) NextSpan(dlg);
        SetField(dlg, 1030, lengths[i]);
        SetField(dlg, 1047, "250");
        SetField(dlg, 1035, "600");
        SetField(dlg, 1052, i == 1 ? "2" : "1");
        Leave(dlg, 1052);
        Choose(dlg, 1075, 2);  // q
        SetField(dlg, 1099, "25");
        Leave(dlg, 1099);
        if (i == 1) {
            NextLoad(dlg);
            Choose(dlg, 1075, 0);  // P
            SetField(dlg, 1099, "80");
            SetField(dlg, 1104, "2.25");
            Leave(dlg, 1104);
        }
    }
}

class LxlFlow : public kv::test::ItemFlow {
protected:
    LxlFlow() : ItemFlow(0) {}
    void SetUp() override {
        G_LxlData = CLxlData();
        G_LxlData.Spans[1].Loads[1].Kind = 2;  // the force of span 2 is live
        ItemFlow::SetUp();
        SetModuleCommand(32810, [](CMainFrame& f) { RunModuleCommand(f, G_LxlData, RunLxlDialog); });
    }
    void TearDown() override {
        SetModuleCommand(32810, {});
        ItemFlow::TearDown();
    }
};

// KV_SCREENSHOT_DIR names a folder to keep two screen pictures in: the dialog
// with its preview, and the project window after 计算 (run under xvfb-run with
// QT_QPA_PLATFORM=xcb).
TEST_F(LxlFlow, NewItemCalculatedWritesItsItemFileResultSheetAndReport) {
    CSplitterFrame* window = Window(kLxlRow);
    ASSERT_NE(window, nullptr);
    const char* shots = std::getenv("KV_SCREENSHOT_DIR");
    if (shots) {
        frame->resize(1280, 900);
        frame->show();
        window->showMaximized();
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
    }
    QString caption;
    bool closed = false;
    OnNextModal([&](QDialog& dlg) {
        caption = dlg.windowTitle();
        EnterThreeSpans(dlg);
        if (shots) {
            dlg.move(40, 40);
            for (int i = 0; i < 20; ++i) QApplication::processEvents();
            QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(shots) + "/lxl-dialog.png");
        }
        Click(dlg, 1359);
        closed = !dlg.isVisible();
    });
    window->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
    EXPECT_EQ(caption, "连续梁计算");
    EXPECT_TRUE(closed) << "计算 closes the dialog";
    EXPECT_TRUE(messages->shown().empty()) << messages->shown()[0].text;

    // The item file, with the query line that names the sheet and the report.
    ASSERT_TRUE(dir.Exists("&KV_0001.dat"));
    std::ifstream item(dir / "&KV_0001.dat");
    std::string marker;
    std::getline(item, marker);
    EXPECT_EQ(marker.substr(0, 10), "KV_LXL_V30");
    EXPECT_EQ(ReadItemNameFromFile((dir / "&KV_0001.dat").c_str()), "二层楼面梁 L1");
    std::vector<ChaXunEntry> entries = ReadChaXunFromFile((dir / "&KV_0001.dat").c_str());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].dxf, "&KV_0001_LXL.DXF");
    EXPECT_EQ(entries[0].rtf, "&KV_0001_LXL.RTF");
    CLxlData back;
    ASSERT_EQ(back.LoadData((dir / "&KV_0001.dat").c_str()), 1);
    EXPECT_EQ(back.SpanNum, 3);
    EXPECT_FLOAT_EQ(back.Spans[1].Length, 4.5f);
    EXPECT_EQ(back.Spans[1].LoadNum, 2);
    EXPECT_EQ(back.Spans[1].Loads[1].Type, 1);
    EXPECT_FLOAT_EQ(back.Spans[1].Loads[1].A, 2.25f);
    EXPECT_EQ(back.Spans[1].Loads[1].Kind, 2);
    EXPECT_EQ(G_Project.m_nCount[kLxlRow], 1);

    // The sheet and the report, shown in the project window.
    ASSERT_NO_FATAL_FAILURE(ExpectDrawingAndReport(entries[0], {"二层楼面梁 L1", "[ 计算条件 ]", "[ 计算结果 ]"}));
    ASSERT_NE(G_pBbView, nullptr);
    EXPECT_TRUE(G_pBbView->document()->toPlainText().contains(QStringLiteral("[ 计算结果 ]")));
    EXPECT_EQ(CountImages(*G_pBbView->document()), 1);
    ASSERT_NE(G_pCxView, nullptr);
    ASSERT_NE(G_pCxView->GetDocument()->GetDxf(), nullptr);
    EXPECT_FALSE(G_pCxView->GetDocument()->GetDxf()->Entities().empty());
    if (shots) {
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
        QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(shots) + "/lxl-project.png");
    }

    // The combined report takes the item's report in.
    QTextDocument combined;
    MakeCombinedReport(combined);
    EXPECT_TRUE(combined.toPlainText().contains(QStringLiteral("二层楼面梁 L1")));
    EXPECT_TRUE(combined.toPlainText().contains(QStringLiteral("[ 计算结果 ]")));
}

TEST_F(LxlFlow, ReadingAForeignFileChangesNothing) {
    CSplitterFrame* window = Window(kLxlRow);
    ASSERT_NE(window, nullptr);
    std::ofstream(dir / "slab.LXL") << "KV_BAN_V30\n0,1\n";
    auto files = std::make_unique<kv::platform::ScriptedFileDialogService>();
    files->Answer(dir / "slab.LXL");
    auto oldFiles = kv::platform::InstallFileDialogService(std::move(files));
    QString spans, caption;
    OnNextModal([&](QDialog& dlg) {
        SetField(dlg, 1021, "2");
        Leave(dlg, 1021);
        Click(dlg, 3086);
        spans = Field(dlg, 1021);
        caption = dlg.windowTitle();
        Click(dlg, 1);
    });
    window->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
    kv::platform::InstallFileDialogService(std::move(oldFiles));
    EXPECT_EQ(spans, "2");
    EXPECT_EQ(caption, "连续梁计算");
    ASSERT_FALSE(messages->shown().empty());
    EXPECT_EQ(messages->shown()[0].text, "文件类型不匹配 !");
    CLxlData back;
    ASSERT_EQ(back.LoadData((dir / "&KV_0001.dat").c_str()), 1);
}

}  // namespace

// An interior wall item of a 单建式 project from 新增 to its files: the dialog
// driven by its control ids, 计算 on the program's calculation runner, the item
// file the command writes after the dialog, the drawing, the report with the
// wall drawing, and the combined report that takes it in.
#include "members/slabwall/ui/dlgneiqiang.h"

#include "app/commandids.h"
#include "base/calcrunner.h"
#include "base/jsdata.h"
#include "design/lkq_data.h"
#include "drawing/dxf.h"
#include "project/ui/modulecommands.h"
#include "report/ui/reportfile.h"
#include "views/bbframe.h"
#include "views/bbview.h"
#include "widgets/ui/calcrunner.h"

#include "flow_support.h"
#include "modal.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

namespace {

using kv::test::Click;
using kv::test::CountImages;
using kv::test::Field;
using kv::test::OnNextModal;
using kv::test::SetField;

constexpr int kInteriorWallRow = 3;  // 内墙 in the 单建式 table

class NeiQiangFlow : public kv::test::ItemFlow {
protected:
    NeiQiangFlow() : ItemFlow(1) {}
    void SetUp() override {
        ItemFlow::SetUp();
        G_NeiQiangData = CLkqData(3);
        // As the program's set-up does.
        SetModuleCommand(32852, [](CMainFrame& f) {
            RunModuleCommand(f, G_NeiQiangData, RunNeiQiangDialog, {.storeAfterDialog = true});
        });
    }
    void TearDown() override {
        SetModuleCommand(32852, {});
        ItemFlow::TearDown();
    }
    void Press(CSplitterFrame* window, int id) {
        window->findChild<QPushButton*>(QString::number(id))->click();
    }
};

TEST_F(NeiQiangFlow, NewItemCalculatedWritesItsItemFileDrawingAndReport) {
    CSplitterFrame* walls = Window(kInteriorWallRow);
    ASSERT_NE(walls, nullptr);
    auto old = kv::calc::InstallRunner(MakeQtCalculationRunner());
    QString caption, shownName;
    QStringList listed;
    bool closed = false;
    OnNextModal([&](QDialog& dlg) {
        caption = dlg.windowTitle();
        shownName = Field(dlg, 3087);
        SetField(dlg, 3087, "二层内墙");
        SetField(dlg, 1077, "3.6");
        SetField(dlg, 924, "250");
        SetField(dlg, 1240, "1200");
        Click(dlg, 1359);
        auto* list = kv::test::ById<QListWidget>(dlg, 1115);
        for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text().trimmed();
        Click(dlg, 1);
        closed = !dlg.isVisible();
    });
    Press(walls, kv::cmd::kAddItem);
    kv::calc::InstallRunner(std::move(old));
    EXPECT_EQ(caption, "内墙计算");
    EXPECT_EQ(shownName, "内墙 1");
    EXPECT_TRUE(closed);
    EXPECT_TRUE(messages->shown().empty()) << messages->shown()[0].text;
    EXPECT_TRUE(listed.join('\n').contains("每侧构造配筋")) << listed.join('\n').toStdString();

    // The item file, written by the command after the dialog.
    EXPECT_EQ(G_Project.m_nCount[kInteriorWallRow], 1);
    const std::string item = dir / "&KV_0001.dat";
    ASSERT_TRUE(dir.Exists("&KV_0001.dat"));
    EXPECT_EQ(ReadItemNameFromFile(item.c_str()), "二层内墙");
    std::vector<ChaXunEntry> entries = ReadChaXunFromFile(item.c_str());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].dxf, "&KV_0001_QIANG.DXF");
    EXPECT_EQ(entries[0].rtf, "&KV_0001_QIANG.RTF");
    CLkqData back(3);
    ASSERT_EQ(back.LoadData(item.c_str()), 1);
    EXPECT_FLOAT_EQ(back.Height, 3.6f);
    EXPECT_EQ(back.Thickness, 250);
    EXPECT_FLOAT_EQ(back.VertLoad, 1200.0f);
    EXPECT_EQ(back.OneWay, 1);
    EXPECT_EQ(back.Load, 0.0f);

    // The drawing reads back, and an outside reader finds no fault in it.
    const std::string dxf = dir / entries[0].dxf;
    DXF drawing;
    ASSERT_EQ(drawing.Read_FileDxf_To_Mem(dxf.c_str()), 1);
    EXPECT_FALSE(drawing.Entities().empty());
    ExpectOutsideReaderAccepts(dxf);

    // The report: RTF with the wall drawing in place of its script block.
    const QString rtf = QString::fromStdString(dir / entries[0].rtf);
    ASSERT_TRUE(kv::report::ui::LooksLikeRtf(rtf));
    QTextDocument report;
    ASSERT_TRUE(kv::report::ui::LoadReport(&report, rtf, true));
    for (const char* part : {"二层内墙", "[ 计算条件 ]", "每侧配筋", "每侧构造配筋"})
        EXPECT_TRUE(report.toPlainText().contains(QString::fromUtf8(part))) << part;
    EXPECT_FALSE(report.toPlainText().contains("InsertDxf"));
    EXPECT_EQ(CountImages(report), 1);

    // The combined report takes the item's report in, drawing and all.
    QTextDocument combined;
    MakeCombinedReport(combined);
    EXPECT_TRUE(combined.toPlainText().contains("二层内墙"));
    EXPECT_TRUE(combined.toPlainText().contains("每侧配筋"));
    EXPECT_EQ(CountImages(combined), 1);
}

TEST_F(NeiQiangFlow, ANewItemKeepsItsFileHoweverItsDialogEndedAndAnExistingOneIsReadFirst) {
    CSplitterFrame* walls = Window(kInteriorWallRow);
    ASSERT_NE(walls, nullptr);
    // 新增, a value changed, and Esc without any 计算: the item stays with it.
    OnNextModal([](QDialog& dlg) {
        SetField(dlg, 924, "370");
        dlg.reject();
    });
    Press(walls, kv::cmd::kAddItem);
    EXPECT_EQ(G_Project.m_nCount[kInteriorWallRow], 1);
    CLkqData first(3);
    ASSERT_EQ(first.LoadData((dir / "&KV_0001.dat").c_str()), 1);
    EXPECT_EQ(first.Thickness, 370);

    // A second item holds other values; 计算 of the first reads its file first.
    OnNextModal([](QDialog& dlg) {
        SetField(dlg, 924, "200");
        Click(dlg, 1);
    });
    Press(walls, kv::cmd::kAddItem);
    EXPECT_EQ(G_Project.m_nCount[kInteriorWallRow], 2);
    walls->ItemCombo()->setCurrentIndex(0);
    QString shown;
    OnNextModal([&](QDialog& dlg) { shown = Field(dlg, 924); });
    Press(walls, kv::cmd::kCalculate);
    EXPECT_EQ(shown, "370");
    EXPECT_TRUE(messages->shown().empty()) << messages->shown()[0].text;
}

}  // namespace

// A roof slab item from 新增 to its files: the dialog driven by its control ids,
// 计算, and what the project folder holds afterwards — the item file with its
// query line, the drawing, the report with the diagram — and the combined report
// that takes the item's report in.
#include "members/slabwall/ui/dlgban.h"

#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/moduletable.h"
#include "base/globals.h"
#include "base/jsdata.h"
#include "design/ban_data.h"
#include "drawing/dxf.h"
#include "platform/services.h"
#include "project/project.h"
#include "project/ui/modulecommands.h"
#include "project/ui/projectcommands.h"
#include "report/ui/reportfile.h"
#include "views/bbdoc.h"
#include "views/bbframe.h"
#include "views/bbview.h"
#include "views/reportpictures.h"
#include "views/splitterframe.h"

#include "flow_support.h"
#include "modal.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

using kv::test::ById;
using kv::test::Click;
using kv::test::OnNextModal;
using kv::test::SetField;
using kv::test::CountImages;
using kv::test::RunTool;

class SlabFlow : public kv::test::ItemFlow {
protected:
    SlabFlow() : ItemFlow(0) {}
    void SetUp() override {
        G_RoofSlabData = BAN_JS_STRUCT(0);
        G_FloorSlabData = BAN_JS_STRUCT(1);
        G_RoofSlabData.Kind = G_FloorSlabData.Kind = -1;
        ItemFlow::SetUp();
        // As the program's set-up does.
        G_RoofSlabData.Kind = 0;
        G_FloorSlabData.Kind = 1;
        SetModuleCommand(32809, [](CMainFrame& f) { RunModuleCommand(f, G_RoofSlabData, RunBanDialog); });
        SetModuleCommand(32846, [](CMainFrame& f) { RunModuleCommand(f, G_FloorSlabData, RunBanDialog); });
    }
    void TearDown() override {
        SetModuleCommand(32809, {});
        SetModuleCommand(32846, {});
        ItemFlow::TearDown();
    }
};

TEST_F(SlabFlow, NewRoofItemCalculatedWritesItsItemFileDrawingAndReport) {
    CSplitterFrame* roof = Window(0);
    ASSERT_NE(roof, nullptr);
    QStringList listed;
    bool closed = false;
    OnNextModal([&](QDialog& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "顶板计算");
        SetField(dlg, 3087, "一层顶板");
        SetField(dlg, 1068, "6");
        SetField(dlg, 1077, "4.5");
        SetField(dlg, 1103, "300");
        SetField(dlg, 1209, "95.4");
        SetField(dlg, 1223, "25");
        SetField(dlg, 1109, "300");
        Click(dlg, 1359);
        auto* list = ById<QListWidget>(dlg, 1115);
        for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text().trimmed();
        Click(dlg, 1);  // 返回: the item file holds what the dialog shows
        closed = !dlg.isVisible();
    });
    roof->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
    EXPECT_TRUE(closed);
    // The calculation's lines, from "Message.Box".
    EXPECT_TRUE(listed.contains("内力按弹性理论计算:")) << listed.join('\n').toStdString();
    EXPECT_TRUE(listed.contains("跨中弯矩(kN.m/m):")) << listed.join('\n').toStdString();
    EXPECT_TRUE(messages->shown().empty()) << messages->shown()[0].text;

    // The item file, with the query line that names the drawing and the report.
    ASSERT_TRUE(dir.Exists("&KV_0001.dat"));
    std::vector<ChaXunEntry> entries = ReadChaXunFromFile((dir / "&KV_0001.dat").c_str());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(ReadItemNameFromFile((dir / "&KV_0001.dat").c_str()), "一层顶板");
    BAN_JS_STRUCT back(0);
    ASSERT_EQ(back.LoadData((dir / "&KV_0001.dat").c_str()), 1);
    EXPECT_FLOAT_EQ(back.Length, 6.0f);
    EXPECT_FLOAT_EQ(back.Load, 95.4f);
    // A roof slab fixed all round: the span in tension below, the edges above.
    EXPECT_GT(back.Mx, 0.0f);
    EXPECT_GT(back.My, back.Mx);  // the short span carries more
    for (float m : back.EdgeM) EXPECT_LT(m, 0.0f);
    EXPECT_GT(back.MidAs[1], 0.0f);
    EXPECT_EQ(G_Project.m_nCount[0], 1);

    // The drawing, and the report with the diagram in place of its script block.
    ASSERT_NO_FATAL_FAILURE(ExpectDrawingAndReport(entries[0], {"一层顶板", "[ 计算条件 ]", "[ 内力配筋 ]", "[ 冲切验算 ]"}));
    const QString rtf = QString::fromStdString(dir / entries[0].rtf);
    ASSERT_NE(G_pBbView, nullptr);
    EXPECT_EQ(CountImages(*G_pBbView->document()), 1);

    // The combined report takes the item's report in, diagram and all.
    G_ModuleNum = 16;
    QTextDocument combined;
    MakeCombinedReport(combined);
    EXPECT_TRUE(combined.toPlainText().contains("一层顶板"));
    EXPECT_EQ(CountImages(combined), 1);

    // A word processor opens the report.
    const QString soffice = QStandardPaths::findExecutable("soffice");
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (soffice.isEmpty() || pdftotext.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is missing; scripts/setup installs them";
    const QString profile = "-env:UserInstallation=file://" + QString::fromStdString(dir.path()) + "lo-profile";
    RunTool(soffice, {profile, "--headless", "--convert-to", "pdf", "--outdir", QString::fromStdString(dir / "pdf"), rtf});
    const std::string pdf = "pdf/" + entries[0].rtf.substr(0, entries[0].rtf.rfind('.')) + ".pdf";
    ASSERT_TRUE(dir.Exists(pdf)) << "LibreOffice wrote no " << pdf;
    EXPECT_TRUE(RunTool(pdftotext, {QString::fromStdString(dir / pdf), "-"}).contains("一层顶板"));
    const QString images = RunTool(QStandardPaths::findExecutable("pdfimages"), {"-list", QString::fromStdString(dir / pdf)});
    EXPECT_GE(images.count('\n'), 3) << images.toStdString();  // two header lines and the diagram
}

TEST_F(SlabFlow, FloorItemRunsTheFloorSlab) {
    CSplitterFrame* floor = Window(2);
    ASSERT_NE(floor, nullptr);
    QString caption;
    OnNextModal([&](QDialog& dlg) {
        caption = dlg.windowTitle();
        Click(dlg, 1359);
        Click(dlg, 1);
    });
    floor->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
    EXPECT_EQ(caption, "底板计算");
    EXPECT_EQ(G_FloorSlabData.Kind, 1);
    EXPECT_EQ(G_RoofSlabData.Kind, 0);
    EXPECT_TRUE(dir.Exists("&KV_0001.dat"));
    EXPECT_FALSE(ReadChaXunFromFile((dir / "&KV_0001.dat").c_str()).empty());
}

}  // namespace

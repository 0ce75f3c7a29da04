// An exterior wall item from 新增 to its files: the project window's command
// opens the wall dialog, 计算 writes the item file with its query line, the
// drawing and the report with the wall drawing, and the combined report takes
// the item's report in.
#include "members/slabwall/ui/dlgqiang.h"

#include "app/commandids.h"
#include "base/jsdata.h"
#include "design/lkq_data.h"
#include "project/ui/modulecommands.h"
#include "report/ui/reportfile.h"
#include "views/bbframe.h"
#include "views/bbview.h"

#include "modal.h"
#include "flow_support.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

using kv::test::ById;
using kv::test::Click;
using kv::test::CountImages;
using kv::test::OnNextModal;
using kv::test::SetField;

class WallFlow : public kv::test::ItemFlow {
protected:
    WallFlow() : ItemFlow(0) {}
    void SetUp() override {
        G_WaiQiangData = CLkqData(0);
        ItemFlow::SetUp();
        SetModuleCommand(32844, [](CMainFrame& f) { RunModuleCommand(f, G_WaiQiangData, RunQiangDialog); });
    }
    void TearDown() override {
        SetModuleCommand(32844, {});
        ItemFlow::TearDown();
        G_WaiQiangData = CLkqData(0);
    }
};

TEST_F(WallFlow, NewExteriorWallCalculatedWritesItsItemFileDrawingAndReport) {
    CSplitterFrame* walls = Window(1);
    ASSERT_NE(walls, nullptr);
    QStringList listed;
    OnNextModal([&](QDialog& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "外墙");
        ById<QRadioButton>(dlg, 3077)->click();  // 双向板
        SetField(dlg, 3087, "地下一层外墙");
        SetField(dlg, 1068, "7.2");
        SetField(dlg, 1077, "3.6");
        SetField(dlg, 924, "300");
        SetField(dlg, 1240, "400");
        SetField(dlg, 1209, "60");
        SetField(dlg, 1211, "25");
        Click(dlg, 1359);
        auto* list = ById<QListWidget>(dlg, 1115);
        for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text().trimmed();
        Click(dlg, 1);
    });
    walls->findChild<QPushButton*>(QString::number(kv::cmd::kAddItem))->click();
    EXPECT_TRUE(listed.contains("[配筋结果]")) << listed.join('\n').toStdString();
    EXPECT_TRUE(messages->shown().empty()) << messages->shown()[0].text;

    ASSERT_TRUE(dir.Exists("&KV_0001.dat"));
    const std::vector<ChaXunEntry> entries = ReadChaXunFromFile((dir / "&KV_0001.dat").c_str());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].dxf, "&KV_0001_QIANG.DXF");
    EXPECT_EQ(ReadItemNameFromFile((dir / "&KV_0001.dat").c_str()), "地下一层外墙");
    CLkqData back(0);
    ASSERT_EQ(back.LoadData((dir / "&KV_0001.dat").c_str()), 1);
    EXPECT_EQ(back.OneWay, 0);
    EXPECT_FLOAT_EQ(back.Width, 7.2f);
    EXPECT_FLOAT_EQ(back.TriLoad, 25.0f);
    EXPECT_EQ(G_Project.m_nCount[1], 1);

    // The drawing, and the report with the wall drawing in place of its script block.
    ASSERT_NO_FATAL_FAILURE(ExpectDrawingAndReport(entries[0], {"地下一层外墙", "[ 计算条件 ]", "[配筋结果]", "墙面三角形荷载"}));

    // The combined report takes the item's report in, drawing and all.
    G_ModuleNum = 16;
    QTextDocument combined;
    MakeCombinedReport(combined);
    EXPECT_TRUE(combined.toPlainText().contains("地下一层外墙"));
    EXPECT_EQ(CountImages(combined), 1);
}

}  // namespace
